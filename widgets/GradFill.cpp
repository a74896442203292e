#include "widgets/GradFill.h"

#include "gfx/PenLine.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace tessaly {

namespace {

// The colour steps between the first and the last colour.
class TSteps {
public:
    TSteps(TColor first, TColor last)
        : FFirst(ColorToRGB(first)), FLast(ColorToRGB(last))
    {
    }

    // Step k of denominator d: k/d of the way to the last colour. A denominator of 0 (one
    // colour step, or a control too small for its pattern) gives the first colour.
    QColor At(int k, int d) const
    {
        if (d == 0)
            return Channels(FFirst);
        const auto channel = [&](int shift) {
            const int c0 = int((FFirst >> shift) & 0xFF), c1 = int((FLast >> shift) & 0xFF);
            return (c0 + TGradFill::MulDiv(k, c1 - c0, d)) & 0xFF;
        };
        return QColor(channel(0), channel(8), channel(16));
    }

    QColor Last() const { return Channels(FLast); }

private:
    static QColor Channels(TColor c)
    {
        return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    }

    TColor FFirst, FLast;
};

// The k-th of n shapes scaled from nothing to `full`; a single shape has full size.
int ShapeSize(int k, int full, int n)
{
    return n > 1 ? TGradFill::MulDiv(k, full, n - 1) : full;
}

void FillEllipses(QPainter& p, const TSteps& steps, int n, int cx, int cy, int rx, int ry)
{
    p.setPen(Qt::NoPen);
    for (int k = n - 1; k >= 0; --k) {
        const int dx = ShapeSize(k, rx, n), dy = ShapeSize(k, ry, n);
        p.setBrush(steps.At(k, n));
        p.drawEllipse(QRect(cx - dx, cy - dy, 2 * dx, 2 * dy));
    }
}

} // namespace

int TGradFill::MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    long long n = static_cast<long long>(a) * b;
    long long d = c;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const long long r = n >= 0 ? (n + d / 2) / d : (n - d / 2) / d;
    if (r > INT_MAX || r < -INT_MAX)
        return -1;
    return int(r);
}

TGradFill::TGradFill(QWidget* parent)
    : QWidget(parent)
{
    resize(121, 121);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGradFill::SetColorFirst(TColor value)
{
    (FColorFlipped ? FColorB : FColorA) = value;
    update();
}

void TGradFill::SetColorLast(TColor value)
{
    (FColorFlipped ? FColorA : FColorB) = value;
    update();
}

void TGradFill::SetColorFlipped(bool value)
{
    FColorFlipped = value;
    update();
}

void TGradFill::SetFillType(TGradType value)
{
    if (value == FFillType)
        return;
    FFillType = value;
    update();
}

void TGradFill::SetFrameStyle(TFrameStyle value)
{
    FFrameStyle = value;
    update();
}

void TGradFill::SetGridColor(TColor value)
{
    FGridColor = value;
    update();
}

void TGradFill::SetGridMode(TGridMode value)
{
    FGridMode = value;
    update();
}

void TGradFill::SetNrColors(int value)
{
    FNrColors = std::clamp(value, 1, 255);
    update();
}

QImage TGradFill::RenderImage(qreal pixelRatio) const
{
    const int w = width(), h = height(), n = FNrColors;
    QImage image(size() * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    const TSteps steps(ColorFirst(), ColorLast());
    image.fill(steps.At(0, 0));
    QPainter p(&image);

    switch (FFillType) {
    case gtHoriz:
    case gtMidBandHoriz:
    case gtVert:
    case gtMidBandVert: {
        const bool horizontal = FFillType == gtHoriz || FFillType == gtMidBandHoriz;
        const bool midBand = FFillType == gtMidBandHoriz || FFillType == gtMidBandVert;
        const int extent = horizontal ? h : w;
        const int half = n / 2;
        for (int k = 0; k < n; ++k) {
            const int from = MulDiv(k, extent, n), to = MulDiv(k + 1, extent, n);
            const QColor c = !midBand ? steps.At(k, n)
                                      : (k <= half ? steps.At(k, half) : steps.At(n - k - 1, half));
            p.fillRect(horizontal ? QRect(0, from, w, to - from) : QRect(from, 0, to - from, h), c);
        }
        break;
    }
    case gtEllipticFull: {
        const int rx = int(std::lround(std::numbers::sqrt2 * (w / 2))) + 1;
        const int ry = int(std::lround(std::numbers::sqrt2 * (h / 2))) + 1;
        FillEllipses(p, steps, n, w / 2, h / 2, rx, ry);
        break;
    }
    case gtEllipticFit:
        p.fillRect(QRect(0, 0, w, h), steps.Last());
        FillEllipses(p, steps, n, w / 2, h / 2, w / 2, h / 2);
        break;
    case gtRadial: {
        const int cx = w / 2, cy = h / 2;
        const double r = std::round(0.5 * std::sqrt(double(w) * w + double(h) * h));
        for (int k = 0; k < n; ++k) {
            const double a = k * std::numbers::pi / n, b = (k + 1) * std::numbers::pi / n;
            const auto scaled = [r](double t) { return int(std::lround(t * r)); };
            const int ax = scaled(std::sin(a)), ay = scaled(std::cos(a));
            const int bx = scaled(std::sin(b)), by = scaled(std::cos(b));
            const QColor c = steps.At(k, n);
            p.setPen(c);
            p.setBrush(c);
            for (int side : {1, -1}) {
                p.drawPolygon(QPolygon({QPoint(cx, cy), QPoint(cx + side * ax, cy + ay),
                                        QPoint(cx + side * bx, cy + by)}));
            }
        }
        break;
    }
    case gtDiagGrid: {
        p.fillRect(QRect(0, h / 2, w, h - h / 2), steps.Last());
        const int q = h / 4;
        for (int k = 0; k <= q; ++k) {
            const QColor c = steps.At(k, q);
            DrawPenLine(p, c, {0, 2 * k}, {w, 2 * k});
            DrawPenLine(p, c, {0, 2 * k + 2 * q - 1}, {w, 2 * k + 2 * q - 1});
        }
        const int half = w / 2;
        for (int k = 0; k <= half; ++k)
            DrawPenLine(p, steps.At(k, half), {2 * k, 0}, {2 * k, h});
        break;
    }
    case gtRect: {
        const int hw = w / 2, hh = h / 2;
        for (int k = n - 1; k >= 0; --k) {
            const int dx = ShapeSize(k, hw, n), dy = ShapeSize(k, hh, n);
            p.fillRect(QRect(hw - dx, hh - dy, 2 * dx + 1, 2 * dy + 1), steps.At(k, n));
        }
        break;
    }
    }

    const QColor grid = ColorToQColor(FGridColor);
    if (FGridMode == gmVert || FGridMode == gmBoth) {
        for (int k = 0; k <= w / 2; ++k)
            DrawPenLine(p, grid, {2 * k, 0}, {2 * k, h});
    }
    if (FGridMode == gmHoriz || FGridMode == gmBoth) {
        for (int k = 0; k <= h / 2; ++k)
            DrawPenLine(p, grid, {0, 2 * k}, {w, 2 * k});
    }
    DrawFrame(p, FFrameStyle, 0, 0, w - 1, h - 1, clWhite, clSilver, clGray, clBlack, clBlack);
    return image;
}

void TGradFill::paintEvent(QPaintEvent*)
{
    {
        QPainter p(this);
        p.drawImage(0, 0, RenderImage(devicePixelRatioF()));
    }
    if (OnPaint)
        OnPaint(*this);
}

} // namespace tessaly
