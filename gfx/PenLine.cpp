#include "gfx/PenLine.h"

#include <QPainter>

namespace tessaly {

// Filled rectangles instead of pen strokes, so that no pen width, cap or antialiasing of the
// painter changes which pixels a line covers.
void DrawPenLine(QPainter& p, const QColor& color, QPoint from, QPoint to)
{
    const int x0 = from.x(), y0 = from.y(), x1 = to.x(), y1 = to.y();
    if (x0 == x1 && y0 != y1) {
        const int first = y1 > y0 ? y0 : y1 + 1;
        const int last = y1 > y0 ? y1 - 1 : y0;
        p.fillRect(QRect(x0, first, 1, last - first + 1), color);
    } else if (y0 == y1 && x0 != x1) {
        const int first = x1 > x0 ? x0 : x1 + 1;
        const int last = x1 > x0 ? x1 - 1 : x0;
        p.fillRect(QRect(first, y0, last - first + 1, 1), color);
    }
}

void DrawOutlinedRect(QPainter& p, const QRect& r, const QColor& border, const QColor* fill)
{
    if (r.isEmpty())
        return;
    if (fill)
        p.fillRect(r, *fill);
    // Each line leaves out its end point: the four corners are the starts.
    DrawPenLine(p, border, r.topLeft(), r.topRight());
    DrawPenLine(p, border, r.topRight(), r.bottomRight());
    DrawPenLine(p, border, r.bottomRight(), r.bottomLeft());
    DrawPenLine(p, border, r.bottomLeft(), r.topLeft());
}

} // namespace tessaly
