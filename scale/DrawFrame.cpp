#include "scale/DrawFrame.h"

#include "gfx/PenLine.h"

#include <QPainter>

namespace tessaly {

namespace {

// Two lines: from `a` to `b`, then on to `c`.
void Polyline(QPainter& p, TColor color, QPoint a, QPoint b, QPoint c)
{
    const QColor q = ColorToQColor(color);
    DrawPenLine(p, q, a, b);
    DrawPenLine(p, q, b, c);
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
        DrawPenLine(painter, q, {left, top}, {left, bottom});
        DrawPenLine(painter, q, {left, bottom}, {right, bottom});
        DrawPenLine(painter, q, {right, bottom}, {right, top});
        DrawPenLine(painter, q, {right, top}, {left, top});
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
