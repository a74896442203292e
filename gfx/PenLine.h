#pragma once
// Lines as a 1-pixel pen of the described canvas draws them.

#include <QPoint>
#include <QRect>

class QColor;
class QPainter;

namespace tessaly {

// A horizontal or vertical line from `from` towards `to` as a 1-pixel pen move draws it: every
// pixel but the end one, whatever the painter's pen. Other directions draw nothing.
void DrawPenLine(QPainter& painter, const QColor& color, QPoint from, QPoint to);

// A rectangle's 1-pixel outline on its border pixels, filled first when `fill` is given.
void DrawOutlinedRect(QPainter& painter, const QRect& r, const QColor& border, const QColor* fill);

} // namespace tessaly
