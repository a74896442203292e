// How the chart turns its state into pixels: the frame pass (fill, shadow, caption, scales), the
// background pass (image or area), the data pass (grid, items, labels, frame), the crosshairs,
// the two buffers and the repaint policy.

#include "chart/RChart.h"

#include "chart/Geometry.h"
#include "chart/Grid.h"
#include "chart/ItemPainter.h"
#include "chart/Pens.h"
#include "gfx/PenLine.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessaly {

namespace {

// Raster devices clip; others (SVG, pictures) get geometry that is clipped beforehand.
bool CanClip(const QPainter& p)
{
    const QPaintEngine* engine = p.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster;
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
        if (!FClip) {
            FPainter.drawPolyline(points, count);
            return;
        }
        for (const std::vector<QPointF>& run : ClippedRuns(points, count, FArea))
            FPainter.drawPolyline(run.data(), static_cast<int>(run.size()));
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
    // The buffer is drawn once when the control paints, however many changes come before; a
    // change while the chart cannot paint is drawn at its next paint.
    FFullPending = true;
    if (CanPaint())
        update();
}

void TCustomRChart::RepaintDataArea()
{
    if (!CanPaint())
        return;
    if (FFullPending || FStale || FFullBuffer.size() != size()) {
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
    FStale = false;
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
    if (CanPaint() && (FFullPending || FStale || FFullBuffer.size() != size()))
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
        p.save();
        p.setFont(font());
        const QFontMetrics metrics = p.fontMetrics();
        const TCaptionPlace place{FCaptionAnchorHoriz, FCaptionAnchorVert, FCaptionPosX,
                                  FCaptionPosY, FCaptionAlignment};
        const QPoint at =
            CaptionTopLeft(Geometry(), place, metrics.horizontalAdvance(FCaption));
        p.setPen(ColorToQColor(FFontColor));
        p.drawText(at.x(), at.y() + metrics.ascent(), FCaption);
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

    DrawOutlinedRect(p, all, ColorToQColor(FChartFrameColor), &chart);
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

} // namespace tessaly
