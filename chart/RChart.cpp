#include "chart/RChart.h"

#include "chart/Layouts.h"
#include "scale/MessageBox.h"
#include "scale/ScaleMapping.h"

#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <cmath>

namespace tessaly {

namespace {

// Both scales of a layer are drawn in the layer's colour.
constexpr std::array<TColor, LayerCount> LayerColors = {
    clBlack, clMaroon, clGreen, clOlive, clNavy,    clPurple, clTeal, clGray,
    clSilver, clRed,   clLime,  clYellow, clBlue,   clFuchsia, clAqua, clWhite,
};

constexpr int MinAllocSize = 1;
constexpr int MaxAllocSize = 1000000;
constexpr int MaxShadowWidth = 32;

// The middle of [lo, hi] without overflowing near the ends of the double range.
double Middle(double lo, double hi) { return lo / 2 + hi / 2; }

} // namespace

// --- Batches ---------------------------------------------------------------------------------------

TCustomRChart::TBatch::TBatch(TCustomRChart& chart) : FChart(chart), FLockBefore(chart.FPaintLock)
{
    ++FChart.FScaleBatch;
    FChart.FPaintLock = true;
}

TCustomRChart::TBatch::~TBatch()
{
    if (FChart.FScaleBatch == 1) {
        // Applying the settings stores ranges directly; the loop only guards against a
        // notification that applying itself might cause.
        for (int round = 0; round < 3 && FChart.FScaleChangePending; ++round) {
            FChart.FScaleChangePending = false;
            FChart.ApplyScaleSettings();
        }
        FChart.FScaleChangePending = false;
    }
    --FChart.FScaleBatch;
    FChart.FPaintLock = FLockBefore;
    if (!FLockBefore)
        FChart.RepaintIfAuto();
}

// --- Construction ----------------------------------------------------------------------------------

TCustomRChart::TCustomRChart(QWidget* parent) : QWidget(parent)
{
    // ASPECTX and ASPECTY are the relative width and height of a pixel: a pixel is 1/dpiX wide
    // and 1/dpiY high, so their ratio ASPECTY / ASPECTX is dpiX / dpiY.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const double dpiX = screen->logicalDotsPerInchX(), dpiY = screen->logicalDotsPerInchY();
        if (dpiX > 0 && dpiY > 0) {
            FAspectX = dpiY;
            FAspectY = dpiX;
        }
    }
    resize(280, 200);

    FJointLayers = new TJointLayers(this);
    FJointLayers->OnJoined = [this](TJointLayers::TAxis axis, int layer) {
        LayerJoined(axis, layer);
    };
    for (int n = 1; n <= LayerCount; ++n) {
        TLayer& l = Layer(n);
        const TColor color = LayerColors[static_cast<size_t>(n - 1)];
        l.PropsX = new TScalePropsHoriz(this, color);
        l.PropsY = new TScalePropsVert(this, color);
        // Odd layers have their scales below and at the left, even ones above and at the right,
        // each pair further out than the one before.
        const bool odd = n % 2 == 1;
        l.PropsX->StoreScaleType(odd ? sctXT : sctXB);
        l.PropsY->StoreScaleType(odd ? sctYR : sctYL);
        l.PropsX->StoreScalePos((n - 1) / 2 * 30);
        l.PropsY->StoreScalePos((n - 1) / 2 * 50);
        l.PropsX->OnChange = [this] { ScaleSettingsChanged(); };
        l.PropsY->OnChange = [this] { ScaleSettingsChanged(); };
        for (TScale** slot : {&l.ScaleX, &l.ScaleY}) {
            auto* scale = new TScale(this);
            scale->SetEmbedded(true);
            scale->SetExternalCanvas(nullptr, 0, 0);
            scale->SetTransparent(true);
            scale->SetColorBackGnd(FWindColor);
            scale->SetFrameStyle(fsNone);
            scale->SetSize(width(), height());
            scale->OnScaleTickDrawn = [this](TScale&, QPainter*& canvas, TScaleType type,
                                             double value, int x, int y) {
                if (OnScaleTickDrawn)
                    OnScaleTickDrawn(*this, canvas, type, value, x, y);
            };
            *slot = scale;
        }
    }
    SetStandardLayout(rcl_X1Bottom_Y1Left);

    FBackGroundImg = new TBakGndImg(this);
    FBackGroundImg->OnChange = [this] { RepaintIfAuto(); };
    for (int n = 1; n <= CrossHairCount; ++n) {
        auto* c = new TCrossHair(this, n);
        c->OnChange = [this] { RepaintIfAuto(); };
        FCrossHairs[static_cast<size_t>(n - 1)] = c;
    }
    for (int n = 1; n <= TextLabelCount; ++n) {
        // The chart creates its labels hidden and switched off, attached to the data.
        auto* l = new TTextLabel(this);
        l->SetPosX(0);
        l->SetPosY(0);
        l->SetAttachToData(tlamBoth);
        l->SetColorBkg(clWhite);
        l->SetShadowDx(3);
        l->SetShadowDy(3);
        l->SetFont(font());
        l->SetFontColor(FFontColor);
        l->SetMode(tlOff);
        l->SetVisible(false);
        l->OnChange = [this] { RepaintIfAuto(); };
        FTextLabels[static_cast<size_t>(n - 1)] = l;
    }
    InitMouse();
}

TCustomRChart::~TCustomRChart()
{
    for (TLayer& l : FLayers) {
        l.PropsX->OnChange = nullptr;
        l.PropsY->OnChange = nullptr;
    }
    FJointLayers->OnJoined = nullptr;
    FBackGroundImg->OnChange = nullptr;
    for (TCrossHair* c : FCrossHairs)
        c->OnChange = nullptr;
    for (TTextLabel* l : FTextLabels)
        l->OnChange = nullptr;
    if (FUseDataOf)
        FUseDataOf->RemoveClient(this);
    // The clients keep the items they show: each gets a list of its own, the last one the
    // shared store itself.
    for (size_t i = 0; i < FClients.size(); ++i) {
        TCustomRChart* client = FClients[i];
        client->FUseDataOf = nullptr;
        client->FStore =
            i + 1 == FClients.size() ? FStore : std::make_shared<TItemStore>(*FStore);
    }
    FClients.clear();
}

// --- Items -----------------------------------------------------------------------------------------

void TCustomRChart::SetAllocSize(int value)
{
    if (value >= MinAllocSize && value <= MaxAllocSize)
        FAllocSize = value;
}

void TCustomRChart::SetClassDefault(int value)
{
    if (value >= 0 && value <= 254)
        FClassDefault = value;
}

void TCustomRChart::SetLineWidth(int value)
{
    FLineWidth = std::clamp(value, 0, 255);
}

void TCustomRChart::Append(std::uint8_t kind, double x, double y)
{
    ChartItem item;
    item.kind = kind;
    item.layer = FActiveLayer;
    item.itemClass = static_cast<std::uint8_t>(FClassDefault);
    item.color = FDataColor;
    if (kind == ItemKindDrawTo)
        item.fillColor = FFillColor;
    item.penStyle = static_cast<std::uint8_t>(FPenStyle);
    item.tag = 0;
    item.lineWidth = FLineWidth;
    item.x = x;
    item.y = y;
    // The store is the group's: every member sees the new item at once.
    FStore->Append(item, FAllocSize);
}

void TCustomRChart::MoveTo(double x, double y)
{
    Append(ItemKindMoveTo, x, y);
}

void TCustomRChart::DrawTo(double x, double y)
{
    Append(ItemKindDrawTo, x, y);
}

void TCustomRChart::ClearItems()
{
    // The old curve vanishes from the data buffer; the control shows it until the next repaint.
    if (CanPaint()) {
        FDataBuffer = QImage(DataBufferSize(), QImage::Format_RGB32);
        QPainter p(&FDataBuffer);
        RenderBackground(p, FDataBuffer.size());
    }
    FStore->Clear();
}

void TCustomRChart::ShowItems()
{
    if (isVisible()) {
        if (FAutoRedraw)
            RepaintDataArea();
        else
            Repaint();
    }
    RepaintGroup();
}

void TCustomRChart::RepaintGroup()
{
    TCustomRChart* owner = FUseDataOf ? FUseDataOf : this;
    if (owner != this)
        owner->RepaintIfAuto();
    for (TCustomRChart* client : owner->FClients)
        if (client != this)
            client->RepaintIfAuto();
}

void TCustomRChart::SetUseDataOf(TCustomRChart* value)
{
    if (value == this) {
        ShowInformation("RChart: Cannot share data with myself");
        return;
    }
    if (!FClients.empty()) {
        ShowInformation("RChart: Cannot use foreign data. Other RCharts are using my own data.");
        return;
    }
    if (value == FUseDataOf)
        return;
    if (value) {
        // Groups have one level: joining a client joins its owner.
        TCustomRChart* owner = value->FUseDataOf ? value->FUseDataOf : value;
        if (owner == FUseDataOf)
            return; // already in that group
        if (owner->FClients.size() >= MaxDataClients) {
            ShowInformation("RChart: Max. number of data shares exceeded");
            return;
        }
        if (FUseDataOf)
            FUseDataOf->RemoveClient(this);
        FUseDataOf = owner;
        FStore = owner->FStore;
        owner->FClients.push_back(this);
    } else {
        FUseDataOf->RemoveClient(this);
        FUseDataOf = nullptr;
        // It goes on showing what the group showed at this moment.
        FStore = std::make_shared<TItemStore>(*FStore);
    }
    RepaintIfAuto();
}

void TCustomRChart::RemoveClient(TCustomRChart* client)
{
    FClients.erase(std::remove(FClients.begin(), FClients.end(), client), FClients.end());
}

// --- Layers --------------------------------------------------------------------------------------

void TCustomRChart::SetActiveLayer(int value)
{
    FActiveLayer = std::clamp(value, 1, LayerCount);
}

TScalePropsHoriz* TCustomRChart::ScalePropsX(int layer) const
{
    return layer >= 1 && layer <= LayerCount ? Layer(layer).PropsX : nullptr;
}

TScalePropsVert* TCustomRChart::ScalePropsY(int layer) const
{
    return layer >= 1 && layer <= LayerCount ? Layer(layer).PropsY : nullptr;
}

TScale* TCustomRChart::ScaleControlX(int layer) const
{
    return layer >= 1 && layer <= LayerCount ? Layer(layer).ScaleX : nullptr;
}

TScale* TCustomRChart::ScaleControlY(int layer) const
{
    return layer >= 1 && layer <= LayerCount ? Layer(layer).ScaleY : nullptr;
}

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

void TCustomRChart::RecalcLayerCoefficients(int n) const
{
    const TChartGeometry g = Geometry();
    const TLayer& l = Layer(n);
    FMapX[static_cast<size_t>(n - 1)] =
        XAxisMap(g, l.PropsX->RangeLow(), l.PropsX->RangeHigh(), l.PropsX->Logarithmic());
    FMapY[static_cast<size_t>(n - 1)] =
        YAxisMap(g, l.PropsY->RangeLow(), l.PropsY->RangeHigh(), l.PropsY->Logarithmic());
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
    const TLayer& l = Layer(std::clamp(layer, 1, LayerCount));
    return {PixelToAxis(MapX(layer), px, l.PropsX->RangeLow(), l.PropsX->RangeHigh()),
            PixelToAxis(MapY(layer), py, l.PropsY->RangeLow(), l.PropsY->RangeHigh())};
}

void TCustomRChart::SetRange(int layer, double loX, double loY, double hiX, double hiY)
{
    if (layer < 0 || layer > LayerCount)
        return;
    const int first = layer == 0 ? 1 : layer;
    const int last = layer == 0 ? LayerCount : layer;
    for (int n = first; n <= last; ++n)
        SetLayerRange(n, loX, loY, hiX, hiY);
    RepaintIfAuto();
}

void TCustomRChart::SetLayerRange(int n, double loX, double loY, double hiX, double hiY)
{
    const TLayer& l = Layer(n);
    bool widenedX = false, widenedY = false;
    // An empty range becomes one of MinRange around the value (10 % either way on logarithmic
    // axes).
    auto widen = [](const TScaleProps& p, double& lo, double& hi) {
        if (p.Logarithmic()) {
            hi *= 1.1;
            lo /= 1.1;
        } else {
            hi += p.MinRange() / 2;
            lo -= p.MinRange() / 2;
        }
    };
    if (hiX == loX) {
        widen(*l.PropsX, loX, hiX);
        widenedX = true;
    }
    if (hiY == loY) {
        widen(*l.PropsY, loY, hiY);
        widenedY = true;
    }
    double half;
    if (FIsometric && IsometricHalfSpan(hiX - loX, IsometricWidthTerm(), half)) {
        const double centre = Middle(loY, hiY);
        loY = centre - half;
        hiY = centre + half;
        widenedY = false;
    }
    LayerRangeOperation(n, loX, hiX, loY, hiY, widenedX, widenedY);
}

void TCustomRChart::LayerRangeOperation(int n, double loX, double hiX, double loY, double hiY,
                                        bool widenedX, bool widenedY)
{
    const TLayer& l = Layer(n);
    // A joined axis keeps the range it has from its controller.
    if (FJointLayers->ControlledBy(TJointLayers::axX, n) != n) {
        loX = l.PropsX->RangeLow();
        hiX = l.PropsX->RangeHigh();
        widenedX = false;
    }
    if (FJointLayers->ControlledBy(TJointLayers::axY, n) != n) {
        loY = l.PropsY->RangeLow();
        hiY = l.PropsY->RangeHigh();
        widenedY = false;
    }
    ApplyRange(n, loX, hiX, loY, hiY, widenedX, widenedY);
    for (int k = 1; k <= LayerCount; ++k) {
        const int mx = FJointLayers->ControlledBy(TJointLayers::axX, k);
        const int my = FJointLayers->ControlledBy(TJointLayers::axY, k);
        if (k == n || (mx != n && my != n))
            continue;
        const TLayer& cx = Layer(mx);
        const TLayer& cy = Layer(my);
        ApplyRange(k, cx.PropsX->RangeLow(), cx.PropsX->RangeHigh(), cy.PropsY->RangeLow(),
                   cy.PropsY->RangeHigh(), false, false);
    }
}

void TCustomRChart::ApplyRange(int n, double loX, double hiX, double loY, double hiY,
                               bool widenedX, bool widenedY)
{
    auto apply = [](TScaleProps& p, double lo, double hi, bool widened) {
        if (!std::isfinite(lo) || !std::isfinite(hi))
            return;
        // A range widened from a single value passes whenever the widening separated its
        // ends; others must span at least MinRange.
        if (widened ? lo == hi : !(std::fabs(hi - lo) >= p.MinRange()))
            return;
        if (p.Logarithmic()) {
            if (lo >= LogFloor)
                p.StoreRangeLow(lo);
            if (hi >= LogFloor)
                p.StoreRangeHigh(hi);
        } else {
            p.StoreRangeLow(lo);
            p.StoreRangeHigh(hi);
        }
    };
    TLayer& l = Layer(n);
    apply(*l.PropsX, loX, hiX, widenedX);
    apply(*l.PropsY, loY, hiY, widenedY);
    CopyScale(*l.PropsX, *l.ScaleX);
    CopyScale(*l.PropsY, *l.ScaleY);
    if (!FLoading)
        RecalcLayerCoefficients(n);
}

void TCustomRChart::LayerJoined(TJointLayers::TAxis axis, int layer)
{
    const TLayer& l = Layer(layer);
    const int m = FJointLayers->ControlledBy(axis, layer);
    if (axis == TJointLayers::axX)
        ApplyRange(layer, Layer(m).PropsX->RangeLow(), Layer(m).PropsX->RangeHigh(),
                   l.PropsY->RangeLow(), l.PropsY->RangeHigh(), false, false);
    else
        ApplyRange(layer, l.PropsX->RangeLow(), l.PropsX->RangeHigh(),
                   Layer(m).PropsY->RangeLow(), Layer(m).PropsY->RangeHigh(), false, false);
    RepaintIfAuto();
}

void TCustomRChart::ScaleSettingsChanged()
{
    TBatch batch(*this);
    FScaleChangePending = true;
}

void TCustomRChart::ApplyScaleSettings()
{
    CopyAllScales();
    // Joined layers take their controllers' current ranges.
    for (int n = 1; n <= LayerCount; ++n) {
        const TLayer& l = Layer(n);
        LayerRangeOperation(n, l.PropsX->RangeLow(), l.PropsX->RangeHigh(), l.PropsY->RangeLow(),
                            l.PropsY->RangeHigh());
    }
}

// --- Scale controls ----------------------------------------------------------------------------------

void TCustomRChart::CopyScale(const TScaleProps& props, TScale& scale) const
{
    const int w = width(), h = height();
    if (scale.width() != w || scale.height() != h)
        scale.SetSize(w, h);
    const TScaleType type = props.ScaleType();
    // The scale's usable length spans the data area.
    if (IsHorizontal(type)) {
        scale.SetMarginLeft(FMarginLeft);
        scale.SetMarginRight(FMarginRight + FShadowWidth - 1);
    } else {
        scale.SetMarginTop(FMarginTop);
        scale.SetMarginBottom(FMarginBottom + FShadowWidth - 1);
    }
    scale.SetScaleType(type);
    // Its axis line lies on the data area's edge, moved outwards by the offset.
    const int offset = props.ScaleOffset();
    switch (type) {
    case sctXB:
        scale.SetMarginBottom(offset + h - FMarginTop - 1);
        break;
    case sctXT:
        scale.SetMarginTop(offset + h - FMarginBottom - FShadowWidth);
        break;
    case sctYL:
        scale.SetMarginLeft(offset + w - FMarginRight - FShadowWidth);
        break;
    case sctYR:
        scale.SetMarginRight(offset + w - FMarginLeft - 1);
        break;
    }
    scale.SetRangeLow(props.RangeLow());
    scale.SetRangeHigh(props.RangeHigh());
    scale.SetVisible(props.Visible());
    scale.SetCaption(props.Caption());
    scale.SetCaptionPosX(props.CaptionPosX());
    scale.SetCaptionPosY(props.CaptionPosY());
    scale.SetCaptionAlignment(props.CaptionAlignment());
    scale.SetCaptionAnchor(props.CaptionAnchor());
    scale.SetColorScale(props.ColorScale());
    // The label type goes first: it may switch the logarithmic mode off and set the decimals.
    scale.SetLabelType(props.LabelType());
    scale.SetDecPlaces(props.DecPlaces());
    scale.SetLogarithmic(props.Logarithmic());
    scale.SetShortTicks(props.ShortTicks());
    scale.SetMinTicks(props.MinTicks());
    scale.SetScaleInscript(props.ScaleInscript());
    scale.SetUserTickText(props.UserTickText());
    scale.SetFont(props.Font());
    scale.SetFontColor(props.FontColor());
    scale.SetDateFormat(props.DateFormat());
}

void TCustomRChart::CopyAllScales()
{
    for (int n = 1; n <= LayerCount; ++n) {
        TLayer& l = Layer(n);
        CopyScale(*l.PropsX, *l.ScaleX);
        CopyScale(*l.PropsY, *l.ScaleY);
    }
}

// --- Margins, isometric mode, size -------------------------------------------------------------------

int TCustomRChart::IsometricWidthTerm() const
{
    return width() - FMarginLeft - FMarginRight - FShadowWidth + 1;
}

bool TCustomRChart::IsometricHalfSpan(double spanX, int widthTerm, double& half) const
{
    const int heightTerm = height() - FMarginTop - FMarginBottom - FShadowWidth + 1;
    if (widthTerm <= 0 || heightTerm <= 0)
        return false;
    half = static_cast<double>((long double)spanX * heightTerm / widthTerm * FAspectY / FAspectX / 2);
    return std::isfinite(half);
}

void TCustomRChart::ApplyIsometric(int widthTerm)
{
    for (int n = 1; n <= LayerCount; ++n) {
        TLayer& l = Layer(n);
        double half;
        if (!IsometricHalfSpan(l.PropsX->RangeHigh() - l.PropsX->RangeLow(), widthTerm, half))
            continue;
        const double centre = Middle(l.PropsY->RangeLow(), l.PropsY->RangeHigh());
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

void TCustomRChart::MarginsChanged()
{
    TBatch batch(*this);
    // Requested sizes below these are raised to them.
    setMinimumSize(std::max(0, FMarginLeft + FMarginRight + FShadowWidth + 80),
                   std::max(0, FMarginTop + FMarginBottom + FShadowWidth + 20));
    if (FIsometric)
        ApplyIsometric(IsometricWidthTerm());
    CopyAllScales();
    RecalcCoefficients();
}

void TCustomRChart::SetMarginLeft(int value)
{
    FMarginLeft = value;
    MarginsChanged();
}

void TCustomRChart::SetMarginRight(int value)
{
    FMarginRight = value;
    MarginsChanged();
}

void TCustomRChart::SetMarginTop(int value)
{
    FMarginTop = value;
    MarginsChanged();
}

void TCustomRChart::SetMarginBottom(int value)
{
    FMarginBottom = value;
    MarginsChanged();
}

void TCustomRChart::SetShadowWidth(int value)
{
    FShadowWidth = std::clamp(value, 0, MaxShadowWidth);
    MarginsChanged();
}

void TCustomRChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    TBatch batch(*this);
    if (FIsometric)
        ApplyIsometric(IsometricWidthTerm());
    CopyAllScales();
    RecalcCoefficients();
}

void TCustomRChart::SetStandardLayout(TrcLayout value)
{
    TBatch batch(*this);
    FStandardLayout = value;
    const TLayoutRow row = StandardLayoutRow(value);
    FMarginBottom = row.MarginBottom;
    FMarginTop = row.MarginTop;
    FMarginLeft = row.MarginLeft;
    FMarginRight = row.MarginRight;
    FCaptionPosX = row.CaptionPosX;
    FCaptionPosY = row.CaptionPosY;
    FCaptionAlignment = row.CaptionAlignment;
    FCaptionAnchorHoriz = row.CaptionAnchorHoriz;
    FCaptionAnchorVert = row.CaptionAnchorVert;
    auto place = [](TScaleProps& p, const TLayoutScale& s) {
        p.SetScalePos(s.Offset);
        p.SetVisible(s.Visible);
        p.SetCaptionPosX(s.CaptionPosX);
        p.SetCaptionPosY(s.CaptionPosY);
        p.SetCaptionAlignment(s.CaptionAlignment);
        p.SetCaptionAnchor(s.CaptionAnchor);
    };
    for (int n = 1; n <= 4; ++n) {
        TLayer& l = Layer(n);
        const TLayoutScale& x = row.X[static_cast<size_t>(n - 1)];
        const TLayoutScale& y = row.Y[static_cast<size_t>(n - 1)];
        l.PropsX->SetScaleLocation(x.FarSide ? slTop : slBottom);
        place(*l.PropsX, x);
        l.PropsY->SetScaleLocation(y.FarSide ? slRight : slLeft);
        place(*l.PropsY, y);
    }
    for (int n = 5; n <= LayerCount; ++n) {
        Layer(n).PropsX->SetVisible(false);
        Layer(n).PropsY->SetVisible(false);
    }
    MarginsChanged();
}

// --- Caption and repaint policy ----------------------------------------------------------------------

void TCustomRChart::SetCaption(const QString& value)
{
    FCaption = value;
    RepaintIfAuto();
}

void TCustomRChart::SetCaptionPosX(int value)
{
    FCaptionPosX = value;
    RepaintIfAuto();
}

void TCustomRChart::SetCaptionPosY(int value)
{
    FCaptionPosY = value;
    RepaintIfAuto();
}

void TCustomRChart::SetCaptionAlignment(TAlignment value)
{
    FCaptionAlignment = value;
    RepaintIfAuto();
}

void TCustomRChart::SetCaptionAnchorHoriz(TCaptionAnchorHoriz value)
{
    FCaptionAnchorHoriz = value;
    RepaintIfAuto();
}

void TCustomRChart::SetCaptionAnchorVert(TCaptionAnchorVert value)
{
    FCaptionAnchorVert = value;
    RepaintIfAuto();
}

void TCustomRChart::SetWindColor(TColor value)
{
    FWindColor = value;
    // The scales paint transparently on the chart; their background is the chart's.
    for (TLayer& l : FLayers) {
        l.ScaleX->SetColorBackGnd(value);
        l.ScaleY->SetColorBackGnd(value);
    }
    RepaintIfAuto();
}

void TCustomRChart::Loaded()
{
    FLoading = false;
    for (TLayer& l : FLayers) {
        l.PropsX->SetOwnerLoading(false);
        l.PropsY->SetOwnerLoading(false);
        l.ScaleX->Loaded();
        l.ScaleY->Loaded();
    }
    CopyAllScales();
    RecalcCoefficients();
    Repaint();
}

void TCustomRChart::SetPaintLock(bool value)
{
    FPaintLock = value;
    if (!value)
        Repaint();
}

void TCustomRChart::RepaintIfAuto()
{
    if (FAutoRedraw)
        Repaint();
}

void TCustomRChart::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!FShownOnce) {
        FShownOnce = true;
        SetPaintLock(false);
    }
}

} // namespace tessaly
