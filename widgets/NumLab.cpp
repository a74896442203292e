#include "widgets/NumLab.h"

#include "gfx/PenLine.h"
#include "widgets/Announce.h"
#include "widgets/NumLabAccessible.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace tessaly {

namespace {

// A rectangle as a pen-and-brush rectangle command draws it: the outline in `pen` on the pixels
// (x1, y1)..(x2 - 1, y2 - 1), the inside in `brush`.
void PenRectangle(QPainter& p, int x1, int y1, int x2, int y2, const QColor& pen,
                  const QColor& brush)
{
    p.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), pen);
    p.fillRect(QRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2), brush);
}

void Polyline(QPainter& p, const QColor& color, QPoint a, QPoint b, QPoint c)
{
    DrawPenLine(p, color, a, b);
    DrawPenLine(p, color, b, c);
}

} // namespace

TNumLab::TNumLab(QWidget* parent)
    : QWidget(parent)
{
    resize(160, 28);
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallNumLabAccessibility();
}

void TNumLab::Changed()
{
    update();
    // A screen reader hears of a new value (it reads the field's text through the
    // accessible interface); other settings change no value.
    const QVariant value = Empty() ? QVariant() : QVariant(Value());
    if (value != FAnnounced) {
        FAnnounced = value;
        QAccessibleValueChangeEvent event(this, value);
        Announce(event);
    }
}

void TNumLab::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    Changed();
}

void TNumLab::SetColorLabBakG(TColor value)
{
    if (value == FColorLabBakG)
        return;
    FColorLabBakG = value;
    Changed();
}

void TNumLab::SetColorLabText(TColor value)
{
    if (value == FColorLabText)
        return;
    FColorLabText = value;
    Changed();
}

void TNumLab::SetColorOutBakG(TColor value)
{
    if (value == FColorOutBakG)
        return;
    FColorOutBakG = value;
    Changed();
}

void TNumLab::SetColorOutText(TColor value)
{
    if (value == FColorOutText)
        return;
    FColorOutText = value;
    Changed();
}

void TNumLab::SetColorScheme(TColorScheme value)
{
    if (value == FColorScheme)
        return;
    FColorScheme = value;
    FFrameColors = SchemeFrameColors(value);
    Changed();
}

void TNumLab::SetComma(bool value)
{
    if (value == FFormat.Comma)
        return;
    FFormat.Comma = value;
    Changed();
}

void TNumLab::SetDisplayType(TDisplay value)
{
    if (value == FFormat.DisplayType)
        return;
    FFormat.DisplayType = value;
    Changed();
}

void TNumLab::SetDTFormat(const QString& value)
{
    if (value == FFormat.DTFormat)
        return;
    FFormat.DTFormat = value;
    Changed();
}

void TNumLab::SetEmpty(bool value)
{
    if (value == FEmpty)
        return;
    FEmpty = value;
    Changed();
}

void TNumLab::SetEnabled(bool value)
{
    FEnabled = value;
    setEnabled(value);
    Changed();
}

void TNumLab::SetForcePlusSign(bool value)
{
    if (value == FFormat.ForcePlusSign)
        return;
    FFormat.ForcePlusSign = value;
    Changed();
}

void TNumLab::SetFrameStyle(TFrameStyle value)
{
    if (value == FFrameStyle)
        return;
    FFrameStyle = value;
    Changed();
}

void TNumLab::SetLabelWidth(int value)
{
    if (value == FLabelWidth)
        return;
    FLabelWidth = value;
    Changed();
}

void TNumLab::SetLeftSpace(int value)
{
    if (value < 0)
        return;
    value = std::min(value, width());
    if (value == FLeftSpace)
        return;
    FLeftSpace = value;
    Changed();
}

void TNumLab::SetLeftText(const QString& value)
{
    if (value == FLeftText)
        return;
    FLeftText = value;
    Changed();
}

void TNumLab::SetRightText(const QString& value)
{
    if (value == FRightText)
        return;
    FRightText = value;
    Changed();
}

void TNumLab::SetLeftTextAlignment(TAlignment value)
{
    if (value == FLeftTextAlignment)
        return;
    FLeftTextAlignment = value;
    Changed();
}

void TNumLab::SetRightTextAlignment(TAlignment value)
{
    if (value == FRightTextAlignment)
        return;
    FRightTextAlignment = value;
    Changed();
}

void TNumLab::SetOverflowIndicator(const QString& value)
{
    if (value == FFormat.OverflowIndicator)
        return;
    FFormat.OverflowIndicator = value;
    Changed();
}

void TNumLab::SetPrecision(int value)
{
    if (value < 0)
        return;
    value = std::min(value, 15);
    if (value == FFormat.Precision)
        return;
    FFormat.Precision = value;
    Changed();
}

void TNumLab::SetStateText(const QString& value)
{
    if (value == FFormat.StateText)
        return;
    FFormat.StateText = value;
    Changed();
}

void TNumLab::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    // A transparent control is painted over what its parent drew first.
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    Changed();
}

void TNumLab::SetValue(double value)
{
    if (value == FValue)
        return;
    FValue = value;
    Changed();
}

void TNumLab::Assign(const TNumLab& source)
{
    FFormat = source.FFormat;
    FAlignment = source.FAlignment;
    FColorLabBakG = source.FColorLabBakG;
    FColorLabText = source.FColorLabText;
    FColorOutBakG = source.FColorOutBakG;
    FColorOutText = source.FColorOutText;
    FColorScheme = source.FColorScheme;
    FFrameColors = source.FFrameColors;
    FEmpty = source.FEmpty;
    FEnabled = source.FEnabled;
    setEnabled(FEnabled);
    FFrameStyle = source.FFrameStyle;
    FLabelWidth = source.FLabelWidth;
    FLeftSpace = std::min(source.FLeftSpace, width());
    FLeftText = source.FLeftText;
    FRightText = source.FRightText;
    FLeftTextAlignment = source.FLeftTextAlignment;
    FRightTextAlignment = source.FRightTextAlignment;
    FTransparent = source.FTransparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !FTransparent);
    FValue = source.FValue;
    setFont(source.font());
    Changed();
}

QString TNumLab::DisplayText()
{
    if (FEmpty)
        return {};
    QString text = FormatValue(FFormat, FValue);
    if (OnBeforeDisplay)
        OnBeforeDisplay(*this, text);
    if (FFormat.DisplayType != dtState &&
        fontMetrics().horizontalAdvance(text) > FLabelWidth - 6)
        text = FFormat.OverflowIndicator;
    return text;
}

QImage TNumLab::RenderImage(qreal pixelRatio)
{
    QImage image(size() * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    // Text in the image has the size it is measured with in the control.
    image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    image.fill(ColorToQColor(FTransparent ? clWhite : FColorOutBakG));

    QPainter p(&image);
    p.setFont(font());
    const int ty = (height() - p.fontMetrics().height()) / 2;
    PaintTexts(p, ty);
    PaintField(p);
    if (!FEmpty) {
        const QString text = DisplayText();
        const int w = p.fontMetrics().horizontalAdvance(text);
        const int ls = FLeftSpace, lw = FLabelWidth;
        int x = ls + (lw - w) / 2 + 2;
        if (FAlignment == taLeftJustify)
            x = ls + 4;
        else if (FAlignment == taRightJustify)
            x = ls + lw - w - 2;
        p.setClipRect(QRect(ls + 3, 2, lw - 4, height() - 5));
        p.setPen(ColorToQColor(isEnabled() ? FColorLabText : clGray));
        p.drawText(QPoint(x, ty + p.fontMetrics().ascent()), text);
    }
    return image;
}

// The left and right texts; a disabled control draws them embossed: white one pixel down and
// to the right (to the left for a right-justified right text), then grey in place.
void TNumLab::PaintTexts(QPainter& p, int ty)
{
    const QFontMetrics fm = p.fontMetrics();
    const int ls = FLeftSpace, lw = FLabelWidth, baseline = ty + fm.ascent();
    const auto draw = [&](const QString& text, int x, int embossDx) {
        if (text.isEmpty())
            return;
        if (!isEnabled()) {
            p.setPen(ColorToQColor(clWhite));
            p.drawText(QPoint(x + embossDx, baseline + 1), text);
            p.setPen(ColorToQColor(clGray));
        } else {
            p.setPen(ColorToQColor(FColorOutText));
        }
        p.drawText(QPoint(x, baseline), text);
    };

    const int leftWidth = fm.horizontalAdvance(FLeftText);
    int x = (ls - leftWidth) / 2;
    if (FLeftTextAlignment == taLeftJustify)
        x = 7;
    else if (FLeftTextAlignment == taRightJustify)
        x = ls - leftWidth - 5;
    draw(FLeftText, x, 1);

    const int rightWidth = fm.horizontalAdvance(FRightText);
    x = (width() - (ls + lw + rightWidth)) / 2 + ls + lw + 1;
    if (FRightTextAlignment == taLeftJustify)
        x = ls + lw + 7;
    else if (FRightTextAlignment == taRightJustify)
        x = width() - rightWidth - 6;
    draw(FRightText, x, FRightTextAlignment == taRightJustify ? -1 : 1);
}

void TNumLab::PaintField(QPainter& p)
{
    const int ls = FLeftSpace, lw = FLabelWidth, h = height();
    const QColor back = ColorToQColor(FColorLabBakG);
    const QColor shadow = ColorToQColor(FFrameColors.Shadow);
    const QColor light = ColorToQColor(FFrameColors.Light);
    const QColor dark = ColorToQColor(clBlack);
    if (FFrameStyle == fsNone || FFrameStyle == fsSimple) {
        PenRectangle(p, ls, 0, ls + lw + 2, h, FFrameStyle == fsNone ? back : shadow, back);
        return;
    }
    PenRectangle(p, ls, 0, ls + lw + 2, h - 1, FFrameStyle == fsEmbossed ? light : shadow, back);
    QColor topLeft = dark, bottomRight = light;  // fsLowered
    if (FFrameStyle == fsRaised) {
        topLeft = light;
        bottomRight = dark;
    } else if (FFrameStyle == fsEngraved) {
        topLeft = bottomRight = light;
    } else if (FFrameStyle == fsEmbossed) {
        topLeft = bottomRight = shadow;
    }
    Polyline(p, topLeft, {ls + 1, h - 3}, {ls + 1, 1}, {ls + lw + 1, 1});
    Polyline(p, bottomRight, {ls + 1, h - 1}, {ls + lw + 2, h - 1}, {ls + lw + 2, 0});
}

void TNumLab::paintEvent(QPaintEvent*)
{
    const QImage image = RenderImage(devicePixelRatioF());
    QPainter p(this);
    if (!FTransparent) {
        p.drawImage(0, 0, image);
        return;
    }
    // The field gets a ground of its own; elsewhere the image's white leaves the parent as it
    // is and its darker pixels darken it (a bitwise AND).
    const QColor ground =
        ColorToRGB(FColorLabText) != clBlack ? QColor(Qt::white) : ColorToQColor(FColorLabBakG);
    p.fillRect(QRect(FLeftSpace + 2, 2, FLabelWidth - 2, height() - 4), ground);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(0, 0, image);
}

} // namespace tessaly
