#pragma once
// The pens of the chart's canvas: 1-pixel pens draw every pixel of a line but its end point, in
// any of the dash styles; wider pens have round ends and joins and are always solid.

#include "chart/ChartTypes.h"
#include "gfx/Colors.h"

#include <QList>
#include <QPen>

namespace tessaly {

// Dash pattern of a 1-pixel pen, in pixels (on, off, ...); empty for solid and clear pens.
// DashPattern(psDot) == {3, 3}.
QList<qreal> DashPattern(TPenStyle style);

bool IsDashed(TPenStyle style);

// The pen for a colour, width and style; psClear gives Qt::NoPen.
QPen MakePen(TColor color, int width, TPenStyle style);

} // namespace tessaly
