#pragma once
// The geometry of a scale's drawing as pure functions: where the axis line lies, how long a
// tick is and which way it points, where labels, date lines, the calendar messages and the
// caption go. TScale::Render (ScaleDrawing.cpp) draws with them; tests check them with numbers.

#include "scale/ScaleMapping.h"
#include "scale/ScaleTypes.h"
#include "scale/Ticks.h"

#include <QPoint>
#include <QStringList>

namespace tessaly {

// The texts a calendar axis shows instead of ticks.
inline constexpr const char* InvalidDateTimeText = "invalid DateTime scale";
inline constexpr const char* BelowOneSecondText = "DateTime range is below 1 second";

// The axis line: its y on horizontal scales (sctXB Height - MarginBottom - 1, sctXT
// MarginTop), its x on vertical ones (sctYL MarginLeft, sctYR Width - MarginRight - 1).
int AxisLinePosition(const TScaleGeometry& g);

// +1 when ticks and labels lie towards larger coordinates of the line (sctXT down, sctYL
// right), -1 otherwise (sctXB up, sctYR left).
int OutwardDirection(TScaleType type);

// Tick length in pixels, the axis line's pixel included: horizontal 7 long and 4 short,
// vertical 6 and 4; every tick of a vertical decade axis is 6 long.
int TickLength(TScaleType type, TTickUnits units, TTickKind kind);

// The left edge of a text of `width` centred on the tick at x of a horizontal scale: at least
// 2 pixels from the left edge, and pushed in from the right edge where it would reach it.
// HorizontalTextLeft(0, 20, 400) == 2, HorizontalTextLeft(390, 20, 400) == 378.
int HorizontalTextLeft(int x, int width, int scaleWidth);

// The top of a label of `height` on a horizontal scale whose axis line is at y: 7 pixels
// beyond the line (below it on sctXT, above it on sctXB).
int HorizontalLabelTop(TScaleType type, int line, int height);

// The left edge of a label of `width` on a vertical scale whose axis line is at x: 8 pixels
// right of it on sctYL, 8 pixels left of its end on sctYR.
int VerticalLabelLeft(TScaleType type, int line, int width);

// The lines of a calendar message: one line on horizontal scales, the words in three or four
// lines on vertical ones. Empty for no message.
QStringList CalendarMessageLines(TCalendarMessage message, bool horizontal);

// The top-left corner of the caption of `width`: along the axis by the anchor (from the usable
// length's start, centre or end) plus posX or posY, across it at the axis line plus the other
// offset, then moved by the alignment (right: -width, centre: -(width div 2)).
QPoint CaptionOrigin(const TScaleGeometry& g, int line, TScaleUnitAnchor anchor,
                     TAlignment alignment, int posX, int posY, int width);

} // namespace tessaly
