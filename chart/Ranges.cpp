// The chart's layers as world coordinate systems: the mapping of each layer to pixels, the range
// operation with its joined axes and followers, and the isometric mode that ties y to x.

#include "chart/RChart.h"

#include "scale/ScaleMapping.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

namespace {

TRange RangeOf(const TScaleProps& props)
{
    return {props.RangeLow(), props.RangeHigh()};
}

// An empty range becomes one of MinRange around the value (10 % either way on logarithmic
// axes).
TRange Widened(const TScaleProps& props, TRange r)
{
    if (props.Logarithmic())
        return {r.Low / 1.1, r.High * 1.1};
    return {r.Low - props.MinRange() / 2, r.High + props.MinRange() / 2};
}

// Stores a range unless it is refused: NaN or infinite bounds, a span below MinRange (a range
// widened from a single value passes whenever the widening separated its ends), and on
// logarithmic axes each bound below the floor on its own.
void StoreRange(TScaleProps& props, TRange r, bool widened)
{
    if (!std::isfinite(r.Low) || !std::isfinite(r.High))
        return;
    if (widened ? r.Low == r.High : !(std::fabs(r.Span()) >= props.MinRange()))
        return;
    if (props.Logarithmic()) {
        if (r.Low >= LogFloor)
            props.StoreRangeLow(r.Low);
        if (r.High >= LogFloor)
            props.StoreRangeHigh(r.High);
    } else {
        props.StoreRangeLow(r.Low);
        props.StoreRangeHigh(r.High);
    }
}

} // namespace

// --- Mapping ---------------------------------------------------------------------------------------

TChartGeometry TCustomRChart::Geometry() const
{
    TChartGeometry g;
    g.Width = width();
    g.Height = height();
    g.MarginLeft = FMarginLeft;
    g.MarginRight = FMarginRight;
    g.MarginTop = FMarginTop;
    g.MarginBottom = FMarginBottom;
    g.ShadowWidth = FShadowWidth;
    return g;
}

TRange TCustomRChart::RangeX(int n) const
{
    return RangeOf(*Layer(n).PropsX);
}

TRange TCustomRChart::RangeY(int n) const
{
    return RangeOf(*Layer(n).PropsY);
}

void TCustomRChart::RecalcLayerCoefficients(int n) const
{
    const TChartGeometry g = Geometry();
    const TLayer& l = Layer(n);
    const TRange x = RangeX(n), y = RangeY(n);
    FMapX[static_cast<size_t>(n - 1)] = XAxisMap(g, x.Low, x.High, l.PropsX->Logarithmic());
    FMapY[static_cast<size_t>(n - 1)] = YAxisMap(g, y.Low, y.High, l.PropsY->Logarithmic());
}

void TCustomRChart::RecalcCoefficients()
{
    if (FLoading)
        return;
    for (int n = 1; n <= LayerCount; ++n)
        RecalcLayerCoefficients(n);
    FMappedWidth = width();
    FMappedHeight = height();
}

void TCustomRChart::EnsureCoefficients() const
{
    // Qt resizes a hidden widget without telling it until it is shown; the mapping follows the
    // size the chart has now.
    if (FLoading || (FMappedWidth == width() && FMappedHeight == height()))
        return;
    for (int n = 1; n <= LayerCount; ++n)
        RecalcLayerCoefficients(n);
    FMappedWidth = width();
    FMappedHeight = height();
}

const TAxisMap& TCustomRChart::MapX(int layer) const
{
    EnsureCoefficients();
    return FMapX[static_cast<size_t>(std::clamp(layer, 1, LayerCount) - 1)];
}

const TAxisMap& TCustomRChart::MapY(int layer) const
{
    EnsureCoefficients();
    return FMapY[static_cast<size_t>(std::clamp(layer, 1, LayerCount) - 1)];
}

QPoint TCustomRChart::WorldToPixel(int layer, double x, double y) const
{
    return {AxisToPixel(MapX(layer), x), AxisToPixel(MapY(layer), y)};
}

QPointF TCustomRChart::PixelToWorld(int layer, int px, int py) const
{
    const int n = std::clamp(layer, 1, LayerCount);
    const TRange x = RangeX(n), y = RangeY(n);
    return {PixelToAxis(MapX(layer), px, x.Low, x.High),
            PixelToAxis(MapY(layer), py, y.Low, y.High)};
}

// --- Ranges ----------------------------------------------------------------------------------------

void TCustomRChart::SetRange(int layer, double loX, double loY, double hiX, double hiY)
{
    if (layer < 0 || layer > LayerCount)
        return;
    const int first = layer == 0 ? 1 : layer;
    const int last = layer == 0 ? LayerCount : layer;
    for (int n = first; n <= last; ++n)
        SetLayerRange(n, {loX, hiX}, {loY, hiY});
    RepaintIfAuto();
}

void TCustomRChart::SetLayerRange(int n, TRange x, TRange y)
{
    const TLayer& l = Layer(n);
    const bool widenedX = x.High == x.Low, widenedY = y.High == y.Low;
    if (widenedX)
        x = Widened(*l.PropsX, x);
    if (widenedY)
        y = Widened(*l.PropsY, y);
    double half;
    if (FIsometric && IsometricHalfSpan(x.Span(), IsometricWidthTerm(), half)) {
        const double centre = y.Middle();
        LayerRangeOperation(n, x, {centre - half, centre + half}, widenedX, false);
        return;
    }
    LayerRangeOperation(n, x, y, widenedX, widenedY);
}

void TCustomRChart::LayerRangeOperation(int n, TRange x, TRange y, bool widenedX, bool widenedY)
{
    // A joined axis keeps the range it has from its controller.
    if (FJointLayers->ControlledBy(TJointLayers::axX, n) != n) {
        x = RangeX(n);
        widenedX = false;
    }
    if (FJointLayers->ControlledBy(TJointLayers::axY, n) != n) {
        y = RangeY(n);
        widenedY = false;
    }
    ApplyRange(n, x, y, widenedX, widenedY);
    for (int k = 1; k <= LayerCount; ++k) {
        const int mx = FJointLayers->ControlledBy(TJointLayers::axX, k);
        const int my = FJointLayers->ControlledBy(TJointLayers::axY, k);
        if (k == n || (mx != n && my != n))
            continue;
        ApplyRange(k, RangeX(mx), RangeY(my), false, false);
    }
}

void TCustomRChart::ApplyRange(int n, TRange x, TRange y, bool widenedX, bool widenedY)
{
    TLayer& l = Layer(n);
    StoreRange(*l.PropsX, x, widenedX);
    StoreRange(*l.PropsY, y, widenedY);
    CopyScale(*l.PropsX, *l.ScaleX);
    CopyScale(*l.PropsY, *l.ScaleY);
    if (!FLoading)
        RecalcLayerCoefficients(n);
}

void TCustomRChart::LayerJoined(TJointLayers::TAxis axis, int layer)
{
    const int m = FJointLayers->ControlledBy(axis, layer);
    if (axis == TJointLayers::axX)
        ApplyRange(layer, RangeX(m), RangeY(layer), false, false);
    else
        ApplyRange(layer, RangeX(layer), RangeY(m), false, false);
    RepaintIfAuto();
}

// --- Isometric mode ----------------------------------------------------------------------------------

int TCustomRChart::IsometricWidthTerm() const
{
    return width() - FMarginLeft - FMarginRight - FShadowWidth + 1;
}

bool TCustomRChart::IsometricHalfSpan(double spanX, int widthTerm, double& half) const
{
    const int heightTerm = height() - FMarginTop - FMarginBottom - FShadowWidth + 1;
    if (widthTerm <= 0 || heightTerm <= 0)
        return false;
    half = static_cast<double>(static_cast<long double>(spanX) * heightTerm / widthTerm *
                               FAspectY / FAspectX / 2);
    return std::isfinite(half);
}

void TCustomRChart::ApplyIsometric(int widthTerm)
{
    for (int n = 1; n <= LayerCount; ++n) {
        TLayer& l = Layer(n);
        double half;
        if (!IsometricHalfSpan(RangeX(n).Span(), widthTerm, half))
            continue;
        const double centre = RangeY(n).Middle();
        l.PropsY->SetRangeHigh(centre + half);
        l.PropsY->SetRangeLow(centre - half);
    }
}

void TCustomRChart::SetIsometric(bool value)
{
    FIsometric = value;
    if (!value)
        return;
    TBatch batch(*this);
    ApplyIsometric(IsometricWidthTerm());
}

} // namespace tessaly
