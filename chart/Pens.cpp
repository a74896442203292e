#include "chart/Pens.h"

namespace tessaly {

QList<qreal> DashPattern(TPenStyle style)
{
    switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

bool IsDashed(TPenStyle style)
{
    return !DashPattern(style).isEmpty();
}

QPen MakePen(TColor color, int width, TPenStyle style)
{
    if (style == psClear)
        return QPen(Qt::NoPen);
    QPen pen(ColorToQColor(color));
    if (width > 1) {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    }
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (IsDashed(style))
        pen.setDashPattern(DashPattern(style));
    return pen;
}

} // namespace tessaly
