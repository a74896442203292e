#pragma once
// Pure geometry of the chart's drawing: rectangles given by exclusive corners, the clipping of
// polylines for painters that cannot clip (SVG), and the place of the chart's caption.

#include "chart/ChartTypes.h"
#include "chart/Mapping.h"
#include "gfx/Alignment.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <vector>

namespace tessaly {

// The rectangle from (left, top) to (right, bottom), right and bottom not included, with the
// corners in either order. Exclusive(5, 5, 2, 3) is the rectangle (2, 3) .. (4, 4).
QRect Exclusive(int left, int top, int right, int bottom);

// Liang-Barsky: shortens the segment a-b to its part inside r (edges included); false when no
// part of it is inside.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r);

// The parts of a polyline inside r, as runs of at least two points each: a run ends where the
// line leaves r, and a new one starts where it comes back.
std::vector<std::vector<QPointF>> ClippedRuns(const QPoint* points, int count, const QRectF& r);

// Where the chart's caption goes.
struct TCaptionPlace {
    TCaptionAnchorHoriz AnchorHoriz = cahChartRight;
    TCaptionAnchorVert AnchorVert = cavChartTop;
    int PosX = 0;                          // offsets from the anchor
    int PosY = -16;
    TAlignment Alignment = taRightJustify; // of the text at the anchor's x
};

// The top-left corner of a caption `textWidth` pixels wide: the anchor is a control edge, a data
// area edge or the data area's centre (the shadow counts in the centres and the right edge,
// not at the bottom edge), moved by PosX, PosY, then the text aligned at its x.
QPoint CaptionTopLeft(const TChartGeometry& g, const TCaptionPlace& place, int textWidth);

} // namespace tessaly
