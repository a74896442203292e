// What the chart draws over its data: the text labels inside the data area and the crosshairs
// across it, and the rubber band of a zoom drag on the screen only.

#include "chart/RChart.h"

#include "chart/Geometry.h"
#include "chart/ItemPainter.h"
#include "chart/Pens.h"
#include "gfx/PenLine.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessaly {

// --- Text labels -------------------------------------------------------------------------------------

QPoint TCustomRChart::TextLabelAnchor(const TTextLabel& label) const
{
    const TTxtLblAttachMode attach = label.AttachToData();
    const QPoint world = WorldToPixel(label.Layer(), label.PosX(), label.PosY());
    // Pixel coordinates are rounded (ties to even); far-away ones are limited first.
    auto round = [](double v) {
        if (std::isnan(v))
            return 0;
        return static_cast<int>(std::nearbyint(
            std::clamp(v, double(-MaxCanvasCoordinate), double(MaxCanvasCoordinate))));
    };
    const bool worldX = attach == tlamXOnly || attach == tlamBoth;
    const bool worldY = attach == tlamYOnly || attach == tlamBoth;
    return {worldX ? LimitCanvasCoordinate(world.x()) : round(label.PosX()),
            worldY ? LimitCanvasCoordinate(world.y()) : round(label.PosY())};
}

void TCustomRChart::DrawTextLabels(QPainter& p)
{
    // Label 1 is drawn last, on top of the others.
    for (int n = TextLabelCount; n >= 1; --n)
        DrawTextLabel(p, *FTextLabels[static_cast<size_t>(n - 1)]);
}

void TCustomRChart::DrawTextLabel(QPainter& p, const TTextLabel& label)
{
    if (!label.Shown())
        return;
    p.save();
    p.setFont(label.Font());
    const QFontMetrics metrics = p.fontMetrics();
    const QStringList lines = label.Caption().split(QLatin1Char('\n'));
    std::vector<int> widths;
    for (const QString& line : lines)
        widths.push_back(metrics.horizontalAdvance(line));
    const QPoint anchor = TextLabelAnchor(label) - QPoint(FMarginLeft, FMarginTop);
    const TTextLabelLayout layout =
        TextLabelLayout(anchor, widths, metrics.horizontalAdvance(label.Caption()),
                        metrics.height(), label.Alignment(), label.VerticalAlignment());

    const QColor back = ColorToQColor(label.ColorBkg());
    const QColor border = ColorToQColor(label.ColorBorder());
    // The shadow colour switches a clear brush to solid: a shadowed label is always filled.
    const bool filled = !label.Transparent() || label.Mode() == tlShadow;
    switch (label.Mode()) {
    case tlOff:
        break;
    case tlsimple:
        if (filled)
            p.fillRect(layout.Box, back);
        break;
    case tlBox:
        DrawOutlinedRect(p, layout.Box, border, filled ? &back : nullptr);
        break;
    case tlUnderline:
        if (filled)
            p.fillRect(layout.Box, back);
        DrawPenLine(p, border, {layout.Left, layout.Bottom},
                    {layout.Left + layout.TextWidth, layout.Bottom});
        break;
    case tlShadow:
        p.fillRect(layout.Box.translated(label.ShadowDx(), label.ShadowDy()),
                   ColorToQColor(label.ColorShadow()));
        DrawOutlinedRect(p, layout.Box, border, &back);
        break;
    }

    p.setPen(ColorToQColor(label.FontColor()));
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QPoint origin = layout.LineOrigins[static_cast<size_t>(k)];
        if (filled)
            p.fillRect(QRect(origin, QSize(widths[static_cast<size_t>(k)], layout.LineHeight)),
                       back);
        p.drawText(origin.x(), origin.y() + metrics.ascent(), lines[k]);
    }
    p.restore();
}

// --- Crosshairs -----------------------------------------------------------------------------------------

void TCustomRChart::DrawCrossHairs(QPainter& p, int shiftX, int shiftY)
{
    if (std::all_of(FCrossHairs.begin(), FCrossHairs.end(),
                    [](const TCrossHair* c) { return c->Mode() == chOff; }))
        return;
    p.save();
    const TChartGeometry g = Geometry();
    for (const TCrossHair* c : FCrossHairs) {
        if (c->Mode() == chOff || c->LineType() == psClear)
            continue;
        const QPoint at = WorldToPixel(c->Layer(), c->PosX(), c->PosY());
        const TCrossHairLines lines = CrossHairLineBounds(g, at, c->LineWid(), c->Mode());
        const QColor color = ColorToQColor(c->Color());
        // Only 1-pixel pens have dashes; the data shows through their gaps.
        const bool dashed = c->LineWid() <= 1 && IsDashed(c->LineType());
        if (dashed)
            p.setPen(MakePen(c->Color(), 1, c->LineType()));
        auto draw = [&](const TCrossHairLine& l, bool horizontal) {
            if (!l.Drawn)
                return;
            const int across = l.Position - l.Width / 2;
            if (horizontal) {
                if (dashed)
                    p.drawLine(l.First + shiftX, l.Position + shiftY, l.Last + 1 + shiftX,
                               l.Position + shiftY);
                else
                    p.fillRect(QRect(l.First + shiftX, across + shiftY, l.Last - l.First + 1,
                                     l.Width),
                               color);
            } else {
                if (dashed)
                    p.drawLine(l.Position + shiftX, l.First + shiftY, l.Position + shiftX,
                               l.Last + 1 + shiftY);
                else
                    p.fillRect(QRect(across + shiftX, l.First + shiftY, l.Width,
                                     l.Last - l.First + 1),
                               color);
            }
        };
        draw(lines.Horizontal, true);
        draw(lines.Vertical, false);
    }
    p.restore();
}

void TCustomRChart::DrawRubberBand(QPainter& p) const
{
    const QRect r = Exclusive(FRectStart.x(), FRectStart.y(), FRectCorner.x(), FRectCorner.y());
    if (r.width() < 1 || r.height() < 1)
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen{QColor(Qt::white)};
    pen.setWidth(1);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
    p.restore();
}

} // namespace tessaly
