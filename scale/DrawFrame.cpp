#include "scale/DrawFrame.h"

#include <QPainter>


namespace tessaly {

namespace {

// A horizontal or vertical line from (x0, y0) towards (x1, y1) without its end pixel, as the
// frame's pen moves draw it; set pixel by pixel so that no pen width or cap changes it.
void LineTo(QPainter& p, const QColor& color, int x0, int y0, int x1, int y1)
{
    if (x0 == x1 && y0 != y1) {
        const int from = y1 > y0 ? y0 : y1 + 1;
        const int to = y1 > y0 ? y1 - 1 : y0;
        p.fillRect(QRect(x0, from, 1, to - from + 1), color);
    } else if (y0 == y1 && x0 != x1) {
        const int from = x1 > x0 ? x0 : x1 + 1;
        const int to = x1 > x0 ? x1 - 1 : x0;
        p.fillRect(QRect(from, y0, to - from + 1, 1), color);
    }
}

// Two lines: from `a` to `b`, then on to `c`.
void Polyline(QPainter& p, TColor color, QPoint a, QPoint b, QPoint c)
{
    const QColor q = ColorToQColor(color);
    LineTo(p, q, a.x(), a.y(), b.x(), b.y());
    LineTo(p, q, b.x(), b.y(), c.x(), c.y());
}

} // namespace

TFrameColors SchemeFrameColors(TColorScheme scheme)
{
    if (scheme == csSystem)
        return {clBtnShadow, clBtnHighlight};
    return {clGray, clWhite};
}

void DrawFrame(QPainter& painter, TFrameStyle style, int left, int top, int right, int bottom,
               TColor light, TColor mid, TColor shadow, TColor dark, TColor simple)
{
    TColor a = 0, b = 0, c = 0, d = 0;
    switch (style) {
    case fsNone:
        return;
    case fsSimple: {
        const QColor q = ColorToQColor(simple);
        LineTo(painter, q, left, top, left, bottom);
        LineTo(painter, q, left, bottom, right, bottom);
        LineTo(painter, q, right, bottom, right, top);
        LineTo(painter, q, right, top, left, top);
        return;
    }
    case fsLowered: a = shadow, b = light, c = dark, d = mid; break;
    case fsRaised: a = light, b = dark, c = mid, d = shadow; break;
    case fsEmbossed: a = light, b = shadow, c = shadow, d = light; break;
    case fsEngraved: a = shadow, b = light, c = light, d = shadow; break;
    }
    Polyline(painter, a, {left, bottom}, {left, top}, {right + 1, top});
    Polyline(painter, b, {right, top + 1}, {right, bottom}, {left - 1, bottom});
    Polyline(painter, c, {left + 1, bottom - 1}, {left + 1, top + 1}, {right, top + 1});
    Polyline(painter, d, {right - 1, top + 2}, {right - 1, bottom - 1}, {left, bottom - 1});
}

} // namespace tessaly
