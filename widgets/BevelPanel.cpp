#include "widgets/BevelPanel.h"

#include "gfx/Colors.h"
#include "gfx/PenLine.h"
#include "scale/DrawFrame.h"

#include <QPainter>

namespace tessaly {

TBevelPanel::TBevelPanel(QWidget* parent, TBevelCut outer, TBevelCut inner)
    : QWidget(parent), FBevelOuter(outer), FBevelInner(inner)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColorToQColor(clBtnFace));
    setPalette(pal);
}

void TBevelPanel::SetBevelOuter(TBevelCut v)
{
    if (v == FBevelOuter)
        return;
    FBevelOuter = v;
    update();
}

void TBevelPanel::SetBevelInner(TBevelCut v)
{
    if (v == FBevelInner)
        return;
    FBevelInner = v;
    update();
}

void TBevelPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor light = ColorToRGB(clBtnHighlight);
    int inset = 0;
    for (TBevelCut cut : {FBevelOuter, FBevelInner}) {
        if (cut == bvNone)
            continue;
        // One ring: a raised cut is light at the top left, a lowered one shadowed.
        const TColor topLeft = cut == bvRaised ? light : shadow;
        const TColor bottomRight = cut == bvRaised ? shadow : light;
        const int l = inset, t = inset, r = width() - 1 - inset, b = height() - 1 - inset;
        DrawPenLine(p, ColorToQColor(topLeft), QPoint(l, b), QPoint(l, t));
        DrawPenLine(p, ColorToQColor(topLeft), QPoint(l, t), QPoint(r + 1, t));
        DrawPenLine(p, ColorToQColor(bottomRight), QPoint(r, t + 1), QPoint(r, b));
        DrawPenLine(p, ColorToQColor(bottomRight), QPoint(r, b), QPoint(l, b));
        ++inset;
    }
}

} // namespace tessaly
