#include "chart/TextLabel.h"

#include <algorithm>

namespace tessaly {

TCustomTextLabel::TCustomTextLabel(QObject* parent) : QObject(parent) {}

void TCustomTextLabel::Changed()
{
    if (OnChange)
        OnChange();
}

void TCustomTextLabel::SetPosX(double value)
{
    FPosX = value;
    Changed();
}

void TCustomTextLabel::SetPosY(double value)
{
    FPosY = value;
    Changed();
}

void TCustomTextLabel::SetLayer(int value)
{
    if (value < 1 || value > LayerCount)
        return;
    FLayer = value;
    Changed();
}

void TCustomTextLabel::SetAttachToData(TTxtLblAttachMode value)
{
    FAttachToData = value;
    Changed();
}

void TCustomTextLabel::SetColorBkg(TColor value)
{
    FColorBkg = value;
    Changed();
}

void TCustomTextLabel::SetColorBorder(TColor value)
{
    FColorBorder = value;
    Changed();
}

void TCustomTextLabel::SetColorShadow(TColor value)
{
    FColorShadow = value;
    Changed();
}

void TCustomTextLabel::SetShadowDx(int value)
{
    FShadowDx = value;
    Changed();
}

void TCustomTextLabel::SetShadowDy(int value)
{
    FShadowDy = value;
    Changed();
}

void TCustomTextLabel::SetTransparent(bool value)
{
    FTransparent = value;
    Changed();
}

void TCustomTextLabel::SetAlignment(TAlignment value)
{
    FAlignment = value;
    Changed();
}

void TCustomTextLabel::SetVerticalAlignment(TVerticalAlignment value)
{
    FVerticalAlignment = value;
    Changed();
}

void TCustomTextLabel::SetFont(const QFont& value)
{
    FFont = value;
    Changed();
}

void TCustomTextLabel::SetFontColor(TColor value)
{
    FFontColor = value;
    Changed();
}

void TCustomTextLabel::SetMode(TTxtLblMode value)
{
    FMode = value;
    Changed();
}

void TCustomTextLabel::SetCaption(const QString& value)
{
    QString text = value;
    for (QChar& c : text)
        if (c.unicode() < 32 && c.unicode() != '\n')
            c = QLatin1Char(' ');
    FCaption = text;
    Changed();
}

void TCustomTextLabel::SetVisible(bool value)
{
    FVisible = value;
    Changed();
}

TTextLabelLayout TextLabelLayout(QPoint anchor, const std::vector<int>& lineWidths,
                                 int wholeWidth, int lineHeight, TAlignment alignment,
                                 TVerticalAlignment verticalAlignment)
{
    TTextLabelLayout l;
    const int n = static_cast<int>(lineWidths.size());
    int w = 0;
    for (int lw : lineWidths)
        w = std::max(w, lw);
    if (w == 0)
        w = wholeWidth;
    const int h = lineHeight;
    int x = anchor.x(), y = anchor.y();
    if (verticalAlignment == vaTop)
        y += h * n;
    else if (verticalAlignment == vaCenter)
        y += h * n / 2;
    x = AlignedStart(x, w, alignment);
    l.Left = x;
    l.Bottom = y;
    l.TextWidth = w;
    l.LineHeight = h;
    // The box's right and bottom edges are x + w + 4 and y + 2, not included.
    l.Box = QRect(QPoint(x - 4, y - h * n - 2), QPoint(x + w + 3, y + 1));
    for (int k = 0; k < n; ++k) {
        const int lw = lineWidths[static_cast<size_t>(k)];
        int o = 0;
        if (alignment == taRightJustify)
            o = w - lw;
        else if (alignment == taCenter)
            o = (w - lw) / 2;
        l.LineOrigins.emplace_back(x + o, y - h * (n - k));
    }
    return l;
}

} // namespace tessaly
