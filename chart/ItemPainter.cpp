#include "chart/ItemPainter.h"

#include <array>

namespace tessaly {

void RenderItems(const TItemStore& items, const TItemMapper& map, QPoint offset, int lineWidth,
                 TColor chartColor, TItemCanvas& canvas)
{
    int width = lineWidth;
    TColor color = chartColor;
    auto style = static_cast<std::uint8_t>(psSolid);
    TColor brush = chartColor;
    canvas.SetPenWidth(width);
    canvas.SetPenAttributes(color, psSolid, brush);

    QPoint pen(0, 0);
    std::array<QPoint, MaxPolylinePoints> pending;
    int count = 0;
    auto flush = [&] {
        if (count >= 2)
            canvas.Polyline(pending.data(), count);
        if (count > 0)
            pen = pending[static_cast<size_t>(count - 1)];
        count = 0;
    };

    for (const ChartItem& item : items) {
        if (item.kind != ItemKindMoveTo && item.kind != ItemKindDrawTo)
            continue;
        if (item.lineWidth != width) {
            flush();
            width = item.lineWidth;
            canvas.SetPenWidth(width);
        }
        QPoint p = map(item.layer, item.x, item.y);
        p = QPoint(LimitCanvasCoordinate(p.x()), LimitCanvasCoordinate(p.y())) + offset;
        if (item.kind == ItemKindMoveTo) {
            flush();
            pen = p;
            continue;
        }
        if (item.color != color || item.penStyle != style || item.fillColor != brush) {
            flush();
            color = item.color;
            style = item.penStyle;
            brush = item.fillColor;
            // Style numbers beyond the known ones draw solid.
            const auto known = style <= psInsideFrame ? static_cast<TPenStyle>(style) : psSolid;
            canvas.SetPenAttributes(color, known, brush);
        }
        if (count == 0)
            pending[static_cast<size_t>(count++)] = pen;
        pending[static_cast<size_t>(count++)] = p;
        if (count == MaxPolylinePoints)
            flush();
    }
    flush();
    canvas.SetPenWidth(1);
}

} // namespace tessaly
