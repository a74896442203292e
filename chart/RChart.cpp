#include "chart/RChart.h"

#include "chart/ChartAccessible.h"
#include "gfx/MessageBox.h"

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
    InstallChartAccessibility();
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
    } else {
        FFullPending = true; // drawn when the chart is shown
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

// --- Margins, isometric mode, size -------------------------------------------------------------------

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
    // Without AutoRedraw the change waits for the next paint of the control, which must not
    // show the picture from before it.
    if (FAutoRedraw)
        Repaint();
    else
        FStale = true;
}

void TCustomRChart::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!FShownOnce) {
        FShownOnce = true;
        SetPaintLock(false);
    }
}

// --- Colours, grid, shadow, text attributes ------------------------------------------------------------------------------------------

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
