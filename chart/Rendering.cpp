// How the chart turns its state into pixels: the frame pass (fill, shadow, caption, scales), the
// background pass (image or area), the data pass (grid, items, labels, frame), the crosshairs,
// the two buffers and the repaint policy.

#include "chart/Grid.h"
#include "chart/ItemPainter.h"
#include "chart/RChart.h"
#include "scale/DrawFrame.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessaly {

namespace {

// Dash patterns of 1-pixel pens, in pixels (on, off, ...).
QList<qreal> DashPattern(TPenStyle style)
{
    switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

bool IsDashed(TPenStyle style)
{
    return !DashPattern(style).isEmpty();
}

// A pen as the canvas knows it: 1-pixel pens draw every pixel of a line but its end point,
// in any of the dash styles; wider pens have round ends and joins and are always solid.
QPen MakePen(TColor color, int width, TPenStyle style)
{
    if (style == psClear)
        return QPen(Qt::NoPen);
    QPen pen(ColorToQColor(color));
    if (width > 1) {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    }
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (IsDashed(style))
        pen.setDashPattern(DashPattern(style));
    return pen;
}

// Raster devices clip; others (SVG, pictures) get geometry that is clipped beforehand.
bool CanClip(const QPainter& p)
{
    const QPaintEngine* engine = p.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster;
}

// The rectangle from (left, top) to (right, bottom), right and bottom not included, with the
// corners in either order.
QRect Exclusive(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

// A filled rectangle with a 1-pixel outline on its border pixels.
void OutlinedRect(QPainter& p, const QRect& r, const QColor& border, const QColor* fill)
{
    if (r.isEmpty())
        return;
    if (fill)
        p.fillRect(r, *fill);
    DrawPenLine(p, border, r.topLeft(), r.topRight());
    DrawPenLine(p, border, r.topRight(), r.bottomRight());
    DrawPenLine(p, border, r.bottomRight(), r.bottomLeft());
    DrawPenLine(p, border, r.bottomLeft(), r.topLeft());
    // DrawPenLine leaves out each line's end point: the four corners are the starts.
}

// Liang-Barsky: the part of the segment a-b inside r, or false.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx * t0, dy * t0);
    b = start + QPointF(dx * t1, dy * t1);
    return true;
}

// Draws the parts of a polyline inside r (for painters that cannot clip).
void ClippedPolyline(QPainter& p, const QPoint* points, int count, const QRectF& r)
{
    std::vector<QPointF> run;
    auto flush = [&] {
        if (run.size() >= 2)
            p.drawPolyline(run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    for (int i = 1; i < count; ++i) {
        QPointF a = points[i - 1], b = points[i];
        if (!ClipSegment(a, b, r)) {
            flush();
            continue;
        }
        if (run.empty() || run.back() != a) {
            flush();
            run.push_back(a);
        }
        run.push_back(b);
        if (b != QPointF(points[i]))
            flush();
    }
    flush();
}

// The item canvas over a painter.
class TPainterItemCanvas : public TItemCanvas {
public:
    TPainterItemCanvas(QPainter& p, bool clip, QRectF area) : FPainter(p), FClip(clip), FArea(area)
    {
    }
    void SetPenWidth(int width) override
    {
        FWidth = width;
        Apply();
    }
    void SetPenAttributes(TColor color, TPenStyle style, TColor) override
    {
        FColor = color;
        FStyle = style;
        Apply();
    }
    void Polyline(const QPoint* points, int count) override
    {
        if (FClip)
            ClippedPolyline(FPainter, points, count, FArea);
        else
            FPainter.drawPolyline(points, count);
    }

private:
    void Apply() { FPainter.setPen(MakePen(FColor, FWidth, FStyle)); }

    QPainter& FPainter;
    bool FClip;
    QRectF FArea;
    int FWidth = 1;
    TColor FColor = clBlack;
    TPenStyle FStyle = psSolid;
};

// The drawn part of an image placed at `at`, inside a buffer of `size`.
void DrawImageInside(QPainter& p, const QImage& image, QRect target, QSize size)
{
    const QRect visible = target & QRect(QPoint(0, 0), size);
    if (visible.isEmpty())
        return;
    p.drawImage(visible, image, visible.translated(-target.topLeft()));
}

} // namespace

// --- Repaint policy ---------------------------------------------------------------------------------

bool TCustomRChart::CanPaint() const
{
    return !FLoading && !FPaintLock && isVisible();
}

void TCustomRChart::Repaint()
{
    if (!CanPaint())
        return;
    // The buffer is drawn once when the control paints, however many changes come before.
    FFullPending = true;
    update();
}

void TCustomRChart::RepaintDataArea()
{
    if (!CanPaint())
        return;
    if (FFullPending || FFullBuffer.size() != size()) {
        update(); // a full repaint is due anyway
        return;
    }
    RenderDataBuffer();
    // The control shows the data buffer over the full buffer until the full buffer is read or
    // drawn again; copying it in at once would double the work of this path on large charts.
    FDataNewer = true;
    update(QRect(QPoint(FMarginLeft, FMarginTop), FDataBuffer.size()));
}

QSize TCustomRChart::DataBufferSize() const
{
    const TChartGeometry g = Geometry();
    return {std::max(g.DataWidth() + 1, 0), std::max(g.DataHeight() + 1, 0)};
}

const QImage& TCustomRChart::FullBuffer()
{
    if (CanPaint() && (FFullPending || FFullBuffer.size() != size())) {
        RenderFullBuffer();
    } else if (FDataNewer) {
        QPainter p(&FFullBuffer);
        p.drawImage(FMarginLeft, FMarginTop, FDataBuffer);
        FDataNewer = false;
    }
    return FFullBuffer;
}

void TCustomRChart::RenderFullBuffer()
{
    if (FFullBuffer.size() != size())
        FFullBuffer = QImage(size(), QImage::Format_RGB32);
    FFullPending = false;
    FDataNewer = false;
    if (FFullBuffer.isNull())
        return;
    QPainter p(&FFullBuffer);
    Render(p);
}

void TCustomRChart::RenderDataBuffer()
{
    const QSize area = DataBufferSize();
    if (FDataBuffer.size() != area)
        FDataBuffer = QImage(area, QImage::Format_RGB32);
    if (FDataBuffer.isNull())
        return;
    QPainter p(&FDataBuffer);
    // Qt draws dashed lines much faster with a clip rectangle than against the device's edges.
    p.setClipRect(QRect(QPoint(0, 0), area));
    FVectorTarget = false;
    RenderBackground(p, area);
    RenderData(p, area);
    DrawCrossHairs(p, -FMarginLeft, -FMarginTop);
}

QImage TCustomRChart::RenderImage()
{
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter p(&image);
    Render(p);
    return image;
}

void TCustomRChart::paintEvent(QPaintEvent* event)
{
    if (CanPaint() && (FFullPending || FFullBuffer.size() != size()))
        RenderFullBuffer();
    QPainter onScreen(this);
    const QRect r = event->rect();
    if (FFullBuffer.size() == size())
        onScreen.drawImage(r.topLeft(), FFullBuffer, r);
    else
        onScreen.fillRect(r, ColorToQColor(FWindColor)); // not painted yet (loading, locked)
    if (FDataNewer) {
        const QPoint at(FMarginLeft, FMarginTop);
        const QRect data = r & QRect(at, FDataBuffer.size());
        onScreen.drawImage(data.topLeft(), FDataBuffer, data.translated(-at));
    }
    if (FRectDragging)
        DrawRubberBand(onScreen);
}

void TCustomRChart::Render(QPainter& p)
{
    FVectorTarget = !CanClip(p);
    p.save();
    RenderFrame(p);
    const QSize area = DataBufferSize();
    if (!area.isEmpty()) {
        // The data area is drawn as into its own buffer: moved to the origin and clipped.
        p.save();
        p.translate(FMarginLeft, FMarginTop);
        p.setClipRect(QRect(QPoint(0, 0), area), Qt::IntersectClip);
        RenderBackground(p, area);
        RenderData(p, area);
        p.restore();
    }
    DrawCrossHairs(p, 0, 0);
    p.restore();
    FVectorTarget = false;
}

// --- Frame pass ---------------------------------------------------------------------------------

void TCustomRChart::RenderFrame(QPainter& p)
{
    const int w = width(), h = height(), sw = FShadowWidth;
    // The data area is drawn over completely afterwards; only the rest is filled.
    const QRegion outside = QRegion(0, 0, w, h) - QRect(QPoint(FMarginLeft, FMarginTop),
                                                         DataBufferSize());
    const QColor wind = ColorToQColor(FWindColor);
    for (const QRect& r : outside)
        p.fillRect(r, wind);

    if (sw > 0) {
        const QColor back = ColorToQColor(FShadowBakColor);
        p.fillRect(QRect(w - sw, 0, sw, sw), back);
        p.fillRect(QRect(0, h - sw, sw, sw), back);
        const QColor shadow = ColorToQColor(FShadowColor);
        p.save();
        QPen pen(FShadowStyle == ssFlying ? shadow : QColor(Qt::black));
        pen.setWidth(1);
        p.setPen(pen);
        p.setBrush(shadow);
        const int e = FShadowStyle == ssFlying ? sw - 1 : 0;
        const QPoint bottom[4] = {{e, h - sw}, {sw - 1, h - 1}, {w - 1, h - 1}, {w - sw, h - sw}};
        p.drawPolygon(bottom, 4);
        const QPoint right[4] = {{w - sw, h - sw}, {w - 1, h - 1}, {w - 1, sw - 1}, {w - sw, e}};
        p.drawPolygon(right, 4);
        p.restore();
        const QColor black(Qt::black);
        DrawPenLine(p, black, {0, 0}, {w - sw, 0});
        DrawPenLine(p, black, {w - sw, 0}, {w - sw, h - sw});
        DrawPenLine(p, black, {w - sw, h - sw}, {0, h - sw});
        DrawPenLine(p, black, {0, h - sw}, {0, 0});
    }

    if (!FCaption.isEmpty()) {
        int ax = 0, ay = 0;
        switch (FCaptionAnchorHoriz) {
        case cahControlLeft: ax = 0; break;
        case cahChartLeft: ax = FMarginLeft; break;
        case cahChartCenter: ax = FMarginLeft + (w - FMarginLeft - FMarginRight - sw) / 2; break;
        case cahChartRight: ax = w - FMarginRight - sw; break;
        case cahControlRight: ax = w; break;
        }
        switch (FCaptionAnchorVert) {
        case cavControlTop: ay = 0; break;
        case cavChartTop: ay = FMarginTop; break;
        case cavChartCenter: ay = FMarginTop + (h - FMarginTop - FMarginBottom - sw) / 2; break;
        case cavChartBottom: ay = h - FMarginBottom; break; // the shadow does not count here
        case cavControlBottom: ay = h; break;
        }
        p.save();
        p.setFont(font());
        const QFontMetrics metrics = p.fontMetrics();
        const int textWidth = metrics.horizontalAdvance(FCaption);
        int x = FCaptionPosX + ax;
        if (FCaptionAlignment == taRightJustify)
            x -= textWidth;
        else if (FCaptionAlignment == taCenter)
            x -= textWidth / 2;
        const int top = FCaptionPosY + ay;
        p.setPen(ColorToQColor(FFontColor));
        p.drawText(x, top + metrics.ascent(), FCaption);
        p.restore();
    }

    RecalcCoefficients();
    for (const TLayer& l : FLayers)
        l.ScaleX->PaintTo(p, 0, 0);
    for (const TLayer& l : FLayers)
        l.ScaleY->PaintTo(p, 0, 0);
    if (OnScalesRendered) {
        p.save();
        OnScalesRendered(*this, p, 0, 0);
        p.restore();
    }
}

// --- Background pass ------------------------------------------------------------------------------

void TCustomRChart::RenderBackground(QPainter& p, QSize area)
{
    const QColor chart = ColorToQColor(FChartColor);
    const int bw = area.width(), bh = area.height();
    const QRect all(0, 0, bw, bh);

    if (!FBackGroundImg->Name().isEmpty()) {
        QImage image;
        if (!image.load(FBackGroundImg->Name()) || image.isNull()) {
            p.fillRect(all, chart);
            FBackGroundImg->ClearName();
            return;
        }
        FImage = image;
        const int iw = image.width(), ih = image.height();
        switch (FBackGroundImg->FillMode()) {
        case bfSimple:
            p.fillRect(all, chart);
            DrawImageInside(p, image, QRect(0, 0, iw, ih), area);
            break;
        case bfStretch:
            p.drawImage(all, image);
            break;
        case bfTile:
            for (int c = 1; c <= (bw - 1) / iw + 1; ++c)
                for (int r = 1; r <= (bh - 1) / ih + 1; ++r)
                    DrawImageInside(p, image, QRect(iw * (c - 1), ih * (r - 1), iw, ih), area);
            break;
        }
        return;
    }

    OutlinedRect(p, all, ColorToQColor(FChartFrameColor), &chart);
    const TBGAreaMode mode = FBackGroundImg->AreaMode();
    if (mode == bamNone)
        return;
    auto pixel = [this](double x, double y) {
        const QPoint q = WorldToPixel(1, x, y);
        return QPoint(LimitCanvasCoordinate(q.x()) - FMarginLeft,
                      LimitCanvasCoordinate(q.y()) - FMarginTop);
    };
    const QPoint lt = pixel(FBackGroundImg->AreaLeft(), FBackGroundImg->AreaTop());
    const QPoint rb = pixel(FBackGroundImg->AreaRight(), FBackGroundImg->AreaBottom());
    const int l = lt.x(), t = lt.y(), r = rb.x(), b = rb.y();
    QRect rect;
    switch (mode) {
    case bamNone: break;
    case bamLeft: rect = Exclusive(0, 0, l, bh); break;
    case bamRight: rect = Exclusive(r, 0, bw, bh); break;
    case bamTop: rect = Exclusive(0, 0, bw, t); break;
    case bamBottom: rect = Exclusive(0, b, bw, bh); break;
    case bamVStripe: rect = Exclusive(l, 0, r, bh); break;
    case bamHStripe: rect = Exclusive(0, t, bw, b); break;
    case bamRect: rect = Exclusive(l, t, r, b); break;
    }
    rect &= all;
    if (!rect.isEmpty())
        p.fillRect(rect, ColorToQColor(FBackGroundImg->AreaColor()));
}

// --- Data pass --------------------------------------------------------------------------------------

void TCustomRChart::RenderData(QPainter& p, QSize area)
{
    if (OnBeforeRenderData) {
        // Whatever the handler changes on the canvas is undone before the grid.
        p.save();
        OnBeforeRenderData(*this, p, FMarginTop, FMarginLeft);
        p.restore();
    }
    if (FGridStyle != gsNone)
        DrawGrid(p);
    DrawItems(p, area);
    DrawTextLabels(p);
    if (OnDataRendered) {
        p.save();
        OnDataRendered(*this, p, FMarginTop, FMarginLeft);
        p.restore();
    }
    const QColor frame = ColorToQColor(FChartFrameColor);
    const int r = area.width() - 1, b = area.height() - 1;
    DrawPenLine(p, frame, {0, 0}, {r, 0});
    DrawPenLine(p, frame, {r, 0}, {r, b});
    DrawPenLine(p, frame, {r, b}, {0, b});
    DrawPenLine(p, frame, {0, b}, {0, 0});
}

void TCustomRChart::DrawGrid(QPainter& p)
{
    const TLayer& l = Layer(FActiveLayer);
    auto values = [](TScale& scale, const TScaleProps& props, double step) {
        // The tick list as the scale draws it now, also when it is hidden and draws nothing.
        std::vector<double> ticks;
        if (step == 0) {
            scale.BuildTickList();
            for (int k = 1; k <= scale.NumTicks(); ++k)
                ticks.push_back(scale.TickValue(k));
        }
        return GridLineValues(props.RangeLow(), props.RangeHigh(), step, props.Logarithmic(),
                              ticks);
    };
    const std::vector<double> xs = values(*l.ScaleX, *l.PropsX, FGridDx);
    const std::vector<double> ys = values(*l.ScaleY, *l.PropsY, FGridDy);
    const double xLow = l.PropsX->RangeLow(), xHigh = l.PropsX->RangeHigh();
    const double yLow = l.PropsY->RangeLow(), yHigh = l.PropsY->RangeHigh();
    auto pixel = [this](double x, double y) {
        const QPoint q = WorldToPixel(FActiveLayer, x, y);
        return QPoint(LimitCanvasCoordinate(q.x()) - FMarginLeft,
                      LimitCanvasCoordinate(q.y()) - FMarginTop);
    };
    const QColor color = ColorToQColor(FGridColor);

    if (FGridStyle == gsPoints) {
        int drawn = 0;
        for (double x : xs) {
            for (double y : ys) {
                if (drawn++ >= MaxGridLines)
                    return;
                p.fillRect(QRect(pixel(x, y), QSize(1, 1)), color);
            }
        }
        return;
    }

    const bool dotted =
        FGridStyle == gsDotLines || FGridStyle == gsHorizDotLines || FGridStyle == gsVertDotLines;
    const bool vertical = FGridStyle == gsVertLines || FGridStyle == gsVertDotLines ||
                          FGridStyle == gsLines || FGridStyle == gsDotLines;
    const bool horizontal = FGridStyle == gsHorizLines || FGridStyle == gsHorizDotLines ||
                            FGridStyle == gsLines || FGridStyle == gsDotLines;
    p.save();
    p.setPen(MakePen(FGridColor, 1, psDot));
    auto line = [&](QPoint from, QPoint to) {
        if (dotted)
            p.drawLine(from, to);
        else
            DrawPenLine(p, color, from, to);
    };
    if (vertical)
        for (double x : xs)
            line(pixel(x, yLow), pixel(x, yHigh));
    if (horizontal)
        for (double y : ys)
            line(pixel(xLow, y), pixel(xHigh, y));
    p.restore();
}

void TCustomRChart::DrawItems(QPainter& p, QSize area)
{
    p.save();
    TPainterItemCanvas canvas(p, FVectorTarget,
                              QRectF(0, 0, std::max(area.width() - 1, 0),
                                     std::max(area.height() - 1, 0)));
    RenderItems(
        *FStore, [this](int layer, double x, double y) { return WorldToPixel(layer, x, y); },
        QPoint(-FMarginLeft, -FMarginTop), FLineWidth, FChartColor, canvas);
    p.restore();
}

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
        OutlinedRect(p, layout.Box, border, filled ? &back : nullptr);
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
        OutlinedRect(p, layout.Box, border, &back);
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
    QPen pen(QColor(Qt::white));
    pen.setWidth(1);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
    p.restore();
}

// --- Setters ------------------------------------------------------------------------------------------

void TCustomRChart::SetChartColor(TColor value)
{
    FChartColor = value;
    RepaintIfAuto();
}

void TCustomRChart::SetChartFrameColor(TColor value)
{
    FChartFrameColor = value;
    RepaintIfAuto();
}

void TCustomRChart::SetGridColor(TColor value)
{
    FGridColor = value;
    RepaintIfAuto();
}

void TCustomRChart::SetGridStyle(GridStyleType value)
{
    FGridStyle = value;
    RepaintIfAuto();
}

void TCustomRChart::SetGridDx(double value)
{
    if (!(value >= -3) || !std::isfinite(value))
        return;
    FGridDx = value;
    RepaintIfAuto();
}

void TCustomRChart::SetGridDy(double value)
{
    if (!(value >= -3) || !std::isfinite(value))
        return;
    FGridDy = value;
    RepaintIfAuto();
}

void TCustomRChart::SetShadowStyle(TShadowStyle value)
{
    FShadowStyle = value;
    RepaintIfAuto();
}

void TCustomRChart::SetShadowColor(TColor value)
{
    FShadowColor = value;
    RepaintIfAuto();
}

void TCustomRChart::SetShadowBakColor(TColor value)
{
    FShadowBakColor = value;
    RepaintIfAuto();
}

void TCustomRChart::SetFontColor(TColor value)
{
    FFontColor = value;
    RepaintIfAuto();
}

void TCustomRChart::SetTextFontStyle(TFontStyles value)
{
    FTextFontStyle = value;
    RepaintIfAuto();
}

void TCustomRChart::SetTextBkStyle(TTextBkg value)
{
    FTextBkStyle = value;
    RepaintIfAuto();
}

void TCustomRChart::SetTextBkColor(TColor value)
{
    FTextBkColor = value;
    RepaintIfAuto();
}

void TCustomRChart::SetTextAlignment(TAlignment value)
{
    FTextAlignment = value;
    RepaintIfAuto();
}

void TCustomRChart::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        RepaintIfAuto();
}

TCrossHair* TCustomRChart::CrossHair(int n) const
{
    return n >= 1 && n <= CrossHairCount ? FCrossHairs[static_cast<size_t>(n - 1)] : nullptr;
}

TTextLabel* TCustomRChart::TextLabel(int n) const
{
    return n >= 1 && n <= TextLabelCount ? FTextLabels[static_cast<size_t>(n - 1)] : nullptr;
}

QList<TTextLabel*> TCustomRChart::TextLabels() const
{
    return QList<TTextLabel*>(FTextLabels.begin(), FTextLabels.end());
}

} // namespace tessaly
