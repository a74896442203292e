#include "gfx/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace tessaly {

namespace {

QColor SystemColor(TColor c)
{
    const QPalette pal = QGuiApplication::palette();
    switch (c & 0xFF) {
    case 0x00: return pal.color(QPalette::Button);                   // scroll bar
    case 0x01: return pal.color(QPalette::Window);                   // desktop
    case 0x02: return pal.color(QPalette::Highlight);                // active caption
    case 0x05: return pal.color(QPalette::Base);                     // window
    case 0x06: return pal.color(QPalette::Shadow);                   // window frame
    case 0x08: return pal.color(QPalette::Text);                     // window text
    case 0x0D: return pal.color(QPalette::Highlight);
    case 0x0E: return pal.color(QPalette::HighlightedText);
    case 0x0F: return pal.color(QPalette::Button);                   // button face
    case 0x10: return pal.color(QPalette::Dark);                     // button shadow
    case 0x11: return pal.color(QPalette::Disabled, QPalette::Text); // grey text
    case 0x12: return pal.color(QPalette::ButtonText);
    case 0x14: return pal.color(QPalette::Light);                    // button highlight
    case 0x15: return pal.color(QPalette::Shadow);                   // 3-D dark shadow
    case 0x16: return pal.color(QPalette::Midlight);                 // 3-D light
    case 0x17: return pal.color(QPalette::ToolTipText);
    case 0x18: return pal.color(QPalette::ToolTipBase);              // info-tip background
    default: return pal.color(QPalette::Window);
    }
}

} // namespace

QColor ColorToQColor(TColor c)
{
    if (IsSystemColor(c))
        return SystemColor(c);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

TColor ColorToRGB(TColor c)
{
    if (!IsSystemColor(c))
        return c & 0x00FFFFFF;
    const QColor q = SystemColor(c);
    return RGB(q.red(), q.green(), q.blue());
}

} // namespace tessaly
