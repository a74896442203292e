#include "app/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tessaly {

namespace {

void Arrow(QPainter& p, QPointF from, QPointF to, double head = 3.5)
{
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF a = line;
    a.setLength(head);
    a.setAngle(line.angle() + 35);
    QLineF b = line;
    b.setLength(head);
    b.setAngle(line.angle() - 35);
    p.drawLine(a);
    p.drawLine(b);
}

void Magnifier(QPainter& p, const QColor& ink)
{
    p.setPen(QPen(ink, 1.6));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QPointF(6.5, 6.5), 4.3, 4.3);
    p.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.8, 9.8), QPointF(14.2, 14.2));
}

void Draw(QPainter& p, TGlyph glyph, bool enabled)
{
    const QColor ink = enabled ? QColor(0, 0, 0) : QColor(128, 128, 128);
    const QColor blue = enabled ? QColor(0, 0, 192) : QColor(150, 150, 150);
    const QColor red = enabled ? QColor(176, 0, 0) : QColor(150, 150, 150);
    p.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
    case TGlyph::About: {
        p.setPen(QPen(blue, 1.2));
        p.setBrush(enabled ? QColor(230, 240, 255) : QColor(235, 235, 235));
        p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QPointF(8, 4.6), 1.2, 1.2);
        p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 5.8), 0.6, 0.6);
        break;
    }
    case TGlyph::Exit: {
        p.setPen(QPen(ink, 1.2));
        p.setBrush(enabled ? QColor(200, 160, 100) : QColor(210, 210, 210));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setPen(QPen(red, 1.8, Qt::SolidLine, Qt::RoundCap));
        Arrow(p, QPointF(7, 8), QPointF(14.5, 8), 3.5);
        break;
    }
    case TGlyph::YScale: {
        p.setPen(QPen(ink, 1.2));
        p.drawLine(QPointF(3, 1.5), QPointF(3, 14.5));
        p.drawLine(QPointF(1.5, 13), QPointF(14.5, 13));
        p.setPen(QPen(blue, 1.6, Qt::SolidLine, Qt::RoundCap));
        Arrow(p, QPointF(10, 7), QPointF(10, 1.8));
        Arrow(p, QPointF(10, 7), QPointF(10, 12));
        break;
    }
    case TGlyph::Zoom01: {
        p.setPen(QPen(ink, 1.2));
        p.drawLine(QPointF(1.5, 11), QPointF(14.5, 11));
        p.drawLine(QPointF(2.5, 9), QPointF(2.5, 13));
        p.drawLine(QPointF(13.5, 9), QPointF(13.5, 13));
        p.setPen(QPen(blue, 1.6, Qt::SolidLine, Qt::RoundCap));
        Arrow(p, QPointF(3, 5), QPointF(13.5, 5));
        break;
    }
    case TGlyph::ZoomWindow: {
        p.setPen(QPen(red, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 10, 10));
        Magnifier(p, ink);
        break;
    }
    case TGlyph::ZoomDrag: {
        Magnifier(p, ink);
        p.setPen(QPen(red, 1.2, Qt::SolidLine, Qt::RoundCap));
        Arrow(p, QPointF(12, 5), QPointF(15, 2), 2.5);
        break;
    }
    case TGlyph::Pan: {
        p.setPen(QPen(blue, 1.5, Qt::SolidLine, Qt::RoundCap));
        const QPointF c(8, 8);
        Arrow(p, c, QPointF(8, 1.2));
        Arrow(p, c, QPointF(8, 14.8));
        Arrow(p, c, QPointF(1.2, 8));
        Arrow(p, c, QPointF(14.8, 8));
        break;
    }
    case TGlyph::Play: {
        p.setPen(Qt::NoPen);
        p.setBrush(enabled ? QColor(0, 128, 0) : QColor(150, 150, 150));
        p.drawPolygon(QPolygonF({QPointF(4, 3), QPointF(13, 8), QPointF(4, 13)}));
        break;
    }
    case TGlyph::Pause: {
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawRect(QRectF(4, 3, 3, 10));
        p.drawRect(QRectF(9, 3, 3, 10));
        break;
    }
    case TGlyph::DragCursor: {
        p.setPen(QPen(red, 1.2, Qt::DashDotLine));
        p.drawLine(QPointF(0.5, 9.5), QPointF(15.5, 9.5));
        p.drawLine(QPointF(6.5, 0.5), QPointF(6.5, 15.5));
        p.setPen(QPen(ink, 1));
        p.setBrush(enabled ? QColor(255, 255, 255) : QColor(220, 220, 220));
        QPainterPath arrow;
        arrow.moveTo(9, 3);
        arrow.lineTo(9, 13);
        arrow.lineTo(11.4, 10.8);
        arrow.lineTo(13, 14.5);
        arrow.lineTo(14.4, 13.9);
        arrow.lineTo(12.8, 10.3);
        arrow.lineTo(16, 10.2);
        arrow.closeSubpath();
        p.drawPath(arrow);
        break;
    }
    }
}

// The glyph at `size` device-independent pixels (it is drawn on a grid of 16).
QPixmap Render(TGlyph glyph, bool enabled, qreal dpr, int size = 16)
{
    QPixmap pm(QSize(size, size) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.scale(size / 16.0, size / 16.0);
    Draw(p, glyph, enabled);
    return pm;
}

// The sizes an icon carries: the designed one and those of the larger presentation sizes.
constexpr int IconSizes[] = {16, 20, 24, 28, 32, 40, 48};

} // namespace

QIcon GlyphIcon(TGlyph glyph)
{
    QIcon icon;
    for (const int size : IconSizes)
        for (qreal dpr : {1.0, 2.0}) {
            icon.addPixmap(Render(glyph, true, dpr, size), QIcon::Normal);
            icon.addPixmap(Render(glyph, false, dpr, size), QIcon::Disabled);
        }
    return icon;
}

QIcon PlayPauseIcon()
{
    QIcon icon;
    for (const int size : IconSizes)
        for (qreal dpr : {1.0, 2.0}) {
            icon.addPixmap(Render(TGlyph::Play, true, dpr, size), QIcon::Normal, QIcon::Off);
            icon.addPixmap(Render(TGlyph::Pause, true, dpr, size), QIcon::Normal, QIcon::On);
            icon.addPixmap(Render(TGlyph::Play, false, dpr, size), QIcon::Disabled, QIcon::Off);
            icon.addPixmap(Render(TGlyph::Pause, false, dpr, size), QIcon::Disabled, QIcon::On);
        }
    return icon;
}

} // namespace tessaly
