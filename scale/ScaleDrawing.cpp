#include "scale/ScaleDrawing.h"

#include "gfx/PenLine.h"
#include "scale/Scale.h"
#include "scale/TickLabels.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

namespace tessaly {

namespace {

constexpr int LabelGap = 7;         // from a horizontal axis line to its labels
constexpr int VerticalLabelGap = 8; // from a vertical axis line to its labels
constexpr int MessageGap = 2;       // from a vertical axis line to its message
constexpr TColor FrameMid = RGB(192, 192, 192);
// Pixels of ticks and texts are kept within this distance of the origin, so that the offsets of
// their lines and texts stay within int; anything that far out is off every canvas anyway.
constexpr int DrawLimit = 1 << 24;

int Drawable(long long pixel)
{
    return static_cast<int>(std::clamp<long long>(pixel, -DrawLimit, DrawLimit));
}

} // namespace

int AxisLinePosition(const TScaleGeometry& g)
{
    switch (g.Type) {
    case sctXB: return g.Height - g.MarginBottom - 1;
    case sctXT: return g.MarginTop;
    case sctYL: return g.MarginLeft;
    case sctYR: return g.Width - g.MarginRight - 1;
    }
    return 0;
}

int OutwardDirection(TScaleType type)
{
    return type == sctXT || type == sctYL ? 1 : -1;
}

int TickLength(TScaleType type, TTickUnits units, TTickKind kind)
{
    if (IsHorizontal(type))
        return kind == TTickKind::Long ? 7 : 4;
    if (units == TTickUnits::Decades)
        return 6;
    return kind == TTickKind::Long ? 6 : 4;
}

int HorizontalTextLeft(int x, int width, int scaleWidth)
{
    // In 64 bits: a tick may lie at the far end of the pixel range.
    const long long half = width / 2, at = x;
    if (at + half < scaleWidth - 2LL)
        return static_cast<int>(at - std::min(at - 2, half));
    return static_cast<int>(scaleWidth - 2 * half - 2);
}

int HorizontalLabelTop(TScaleType type, int line, int height)
{
    return type == sctXT ? line + LabelGap : line - height - LabelGap;
}

int VerticalLabelLeft(TScaleType type, int line, int width)
{
    return type == sctYL ? line + VerticalLabelGap : line - width - VerticalLabelGap;
}

QStringList CalendarMessageLines(TCalendarMessage message, bool horizontal)
{
    switch (message) {
    case TCalendarMessage::None:
        return {};
    case TCalendarMessage::InvalidRange:
        if (horizontal)
            return {QString::fromLatin1(InvalidDateTimeText)};
        return {QStringLiteral("invalid"), QStringLiteral("DateTime"), QStringLiteral("scale")};
    case TCalendarMessage::BelowOneSecond:
        if (horizontal)
            return {QString::fromLatin1(BelowOneSecondText)};
        return {QStringLiteral("DateTime"), QStringLiteral("range is"), QStringLiteral("below 1"),
                QStringLiteral("second")};
    }
    return {};
}

QPoint CaptionOrigin(const TScaleGeometry& g, int line, TScaleUnitAnchor anchor,
                     TAlignment alignment, int posX, int posY, int width)
{
    // In 64 bits, so that huge margins and offsets cannot overflow.
    const long long width64 = g.Width, height64 = g.Height;
    const long long left = g.MarginLeft, right = g.MarginRight;
    const long long top = g.MarginTop, bottom = g.MarginBottom;
    long long x, y;
    if (IsHorizontal(g.Type)) {
        switch (anchor) {
        case uaSclTopLft: x = left; break;
        case uaSclCenter: x = left + (width64 - left - right) / 2; break;
        default: x = width64 - right; break;
        }
        x += posX;
        y = static_cast<long long>(line) + posY;
    } else {
        switch (anchor) {
        case uaSclTopLft: y = top; break;
        case uaSclCenter: y = top + (height64 - top - bottom) / 2; break;
        default: y = height64 - bottom; break;
        }
        y += posY;
        x = static_cast<long long>(line) + posX;
    }
    return {Drawable(AlignedStart<long long>(x, width, alignment)), Drawable(y)};
}

// --- TScale drawing -------------------------------------------------------------------------------

void TScale::PaintTo(QPainter& target, int offsetX, int offsetY)
{
    if (FLoading || !Visible())
        return;
    Render(target, offsetX, offsetY);
}

void TScale::Print(QPainter& printerPainter, int offsetX, int offsetY)
{
    if (FLoading)
        return;
    Render(printerPainter, offsetX, offsetY);
}

void TScale::Print(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    Print(painter, 0, 0);
    painter.end();
}

void TScale::Render(QPainter& target, int offsetX, int offsetY)
{
    const TTickRun run = ComputeTickRun();
    FTickList = run.Recorded;
    if (!target.isActive())
        return; // an ended painter: nothing to draw on

    // A printer gets the font at its point size: a font given in pixels is first turned into
    // points at the screen's resolution, and Qt then sizes points by the printer's resolution.
    QFont targetFont = font();
    const QPaintDevice* device = target.device();
    if (device && device->devType() == QInternal::Printer && targetFont.pixelSize() > 0) {
        const QScreen* s = screen();
        const double screenDpi = s ? s->logicalDotsPerInchY() : 96.0;
        targetFont.setPointSizeF(targetFont.pixelSize() * 72.0 / screenDpi);
    }
    target.save();
    target.setFont(targetFont);
    if (OnBeforeScaleRendered)
        OnBeforeScaleRendered(*this, target);

    const long long line = AxisLinePosition(Geometry());
    if (FTransparent) {
        // Only the position of the axis line follows the offsets; positions along the axis
        // come from the scale's own mapping.
        target.setBrush(Qt::NoBrush);
        DrawContents(target, run,
                     Drawable(line + (IsHorizontal(FScaleType) ? offsetY : offsetX)), false);
        if (OnAfterScaleRendered)
            OnAfterScaleRendered(*this, target);
    } else if (width() > 0 && height() > 0) {
        const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
        QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        QPainter canvas(&image);
        canvas.setFont(font());
        const QColor back = ColorToQColor(FColorBackGnd);
        canvas.fillRect(QRect(0, 0, width(), height()), back);
        canvas.setBrush(back);
        DrawContents(canvas, run, Drawable(line), true);
        if (OnAfterScaleRendered)
            OnAfterScaleRendered(*this, canvas);
        DrawFrame(canvas, FFrameStyle, 0, 0, width() - 1, height() - 1, FColorLight, FrameMid,
                  FColorShadow, FColorDark, clBlack);
        canvas.end();
        target.drawImage(QPoint(offsetX, offsetY), image);
    }
    target.restore();
}

TTickLabeler TScale::Labeler(const TTickRun& run) const
{
    TLabelParams params;
    params.RangeLow = FRangeLow;
    params.RangeHigh = FRangeHigh;
    params.DecPlaces = FDecPlaces;
    params.LabelType = FLabelType;
    params.UserTickText = FUserTickText;
    params.ScaleInscript = FScaleInscript;
    params.Date = DateLabelSettings(*FDateFormat);
    return TTickLabeler(params, run,
                        FLabelType == ftDateTime ? LocaleDateTimeNames() : TDateTimeNames{});
}

TScale::TPlacedLabel TScale::PlaceLabel(const QFontMetrics& metrics, const TTickLabel& label,
                                        int pos, int line) const
{
    const int textHeight = metrics.height();
    const int labelWidth = metrics.horizontalAdvance(label.Text);
    TPlacedLabel placed;
    placed.TextWidth = labelWidth;
    placed.HasDateLine = label.HasDateLine && !label.DateLine.isEmpty();
    placed.DateLineWidth = placed.HasDateLine ? metrics.horizontalAdvance(label.DateLine) : 0;
    if (IsHorizontal(FScaleType)) {
        placed.Text = {HorizontalTextLeft(pos, labelWidth, width()),
                       HorizontalLabelTop(FScaleType, line, textHeight)};
        // One text line further out than the time label.
        const int outward = OutwardDirection(FScaleType);
        placed.DateLine = {HorizontalTextLeft(pos, placed.DateLineWidth, width()),
                           HorizontalLabelTop(FScaleType, line + outward * textHeight,
                                              textHeight)};
    } else {
        placed.Text = {VerticalLabelLeft(FScaleType, line, labelWidth), pos - textHeight / 2};
        // Directly above the time label.
        placed.DateLine = {VerticalLabelLeft(FScaleType, line, placed.DateLineWidth),
                           pos - 3 * (textHeight / 2)};
    }
    return placed;
}

QRect TScale::LabelBounds() const
{
    if (FLoading || !Visible() || FLabelType == ftNoFigs)
        return {};
    const TTickRun run = ComputeTickRun();
    const QFontMetrics metrics(font());
    const int line = Drawable(AxisLinePosition(Geometry()));
    TTickLabeler labeler = Labeler(run);
    QRect bounds;
    for (const TTick& tick : run.Ticks) {
        if (tick.Kind != TTickKind::Long)
            continue;
        const TTickLabel label = labeler.Next(tick);
        const TPlacedLabel placed =
            PlaceLabel(metrics, label, Drawable(ValueToPixel(tick.Value)), line);
        if (!label.Text.isEmpty())
            bounds |= QRect(placed.Text, QSize(placed.TextWidth, metrics.height()));
        if (placed.HasDateLine)
            bounds |= QRect(placed.DateLine, QSize(placed.DateLineWidth, metrics.height()));
    }
    return bounds;
}

void TScale::DrawContents(QPainter& painter, const TTickRun& run, int line, bool opaque)
{
    const QColor tickColor = ColorToQColor(FColorScale);
    const QColor textColor = ColorToQColor(FFontColor);
    const QColor back = ColorToQColor(FColorBackGnd);
    const QFontMetrics metrics = painter.fontMetrics();
    const int textHeight = metrics.height(); // the same for "0", "T" and every label
    const bool horizontal = IsHorizontal(FScaleType);
    const int outward = OutwardDirection(FScaleType);
    const int w = width();

    // Texts have the background colour behind them only on opaque scales.
    auto text = [&](int x, int top, const QString& t) {
        if (t.isEmpty())
            return;
        if (opaque)
            painter.fillRect(QRect(x, top, metrics.horizontalAdvance(t), textHeight), back);
        painter.setPen(textColor);
        painter.drawText(x, top + metrics.ascent(), t);
    };

    if (run.Message != TCalendarMessage::None) {
        const int p = Drawable(ValueToPixel(FRangeLow / 2 + FRangeHigh / 2));
        const QStringList lines = CalendarMessageLines(run.Message, horizontal);
        if (horizontal) {
            text(p - metrics.horizontalAdvance(lines[0]) / 2, line + LabelGap, lines[0]);
        } else {
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const int top = p + static_cast<int>(i - 1) * textHeight;
                const int lineWidth = metrics.horizontalAdvance(lines[i]);
                text(FScaleType == sctYL ? line + MessageGap : line - lineWidth - MessageGap, top,
                     lines[i]);
            }
        }
    }

    TTickLabeler labeler = Labeler(run);
    for (const TTick& tick : run.Ticks) {
        const int pos = Drawable(ValueToPixel(tick.Value));
        const int length = TickLength(FScaleType, run.Units, tick.Kind);
        const QPoint from = horizontal ? QPoint(pos, line) : QPoint(line, pos);
        const QPoint to = horizontal ? QPoint(pos, line + outward * length)
                                     : QPoint(line + outward * length, pos);
        DrawPenLine(painter, tickColor, from, to);
        if (OnScaleTickDrawn) {
            // The handler may draw on the canvas; the scale goes on drawing on its own.
            QPainter* canvas = &painter;
            OnScaleTickDrawn(*this, canvas, FScaleType, tick.Value, from.x(), from.y());
        }
        if (tick.Kind != TTickKind::Long || FLabelType == ftNoFigs)
            continue;

        const TTickLabel label = labeler.Next(tick);
        const TPlacedLabel placed = PlaceLabel(metrics, label, pos, line);
        text(placed.Text.x(), placed.Text.y(), label.Text);
        if (placed.HasDateLine)
            text(placed.DateLine.x(), placed.DateLine.y(), label.DateLine);
    }

    if (!FCaption.isEmpty()) {
        const QPoint origin =
            CaptionOrigin(Geometry(), line, FCaptionAnchor, FCaptionAlignment, FCaptionPosX,
                          FCaptionPosY, metrics.horizontalAdvance(FCaption));
        text(origin.x(), origin.y(), FCaption);
    }

    if (FShowBaseLine) {
        const int start = Drawable(horizontal ? FMarginLeft : FMarginTop);
        const int end = Drawable(horizontal ? w - FMarginRight - 1 : height() - FMarginBottom - 1);
        if (horizontal)
            DrawPenLine(painter, tickColor, {start, line}, {end, line});
        else
            DrawPenLine(painter, tickColor, {line, start}, {line, end});
    }
}

} // namespace tessaly
