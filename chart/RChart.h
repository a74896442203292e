#pragma once
// TRChart: a layered 2-D chart. It keeps a list of drawing items in world coordinates (shared
// with up to four other charts if wanted), maps 16 layers of world ranges to pixels, owns the
// settings and the scale controls of every layer's x and y axis, and keeps joined layers and
// the isometric mode consistent when ranges, margins or the size change.
//
// TCustomRChart holds the behaviour; TRChart publishes it as properties.

#include "chart/ChartTypes.h"
#include "chart/ItemStore.h"
#include "chart/JointLayers.h"
#include "chart/Mapping.h"
#include "chart/RChartError.h"
#include "chart/ScaleProps.h"
#include "scale/Colors.h"
#include "scale/Scale.h"
#include "scale/ScaleTypes.h"

#include <QPoint>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace tessaly {

class TCustomRChart;

// Forwarded from the scale controls for every tick they draw.
using TRChartScaleTickDrawnEvent =
    std::function<void(TCustomRChart& sender, QPainter*& canvas, TScaleType scaleType,
                       double currentTickPos, int chartX, int chartY)>;

class TCustomRChart : public QWidget {
    Q_OBJECT
public:
    // Charts sharing one item list: one owner and at most this many clients.
    static constexpr int MaxDataClients = 4;

    explicit TCustomRChart(QWidget* parent = nullptr);
    ~TCustomRChart() override;

    // --- Items -------------------------------------------------------------------------------
    int AllocSize() const { return FAllocSize; }
    void SetAllocSize(int value); // 1..1000000; other values are ignored
    void MoveTo(double x, double y);
    void DrawTo(double x, double y);
    void ClearItems();
    // Makes the items appended so far visible here and in the other charts of the group.
    void ShowItems();
    const TItemStore& Items() const { return *FStore; }

    // The chart whose items this chart shows (null: its own). Refusals are shown in the
    // information box and change nothing.
    TCustomRChart* UseDataOf() const { return FUseDataOf; }
    void SetUseDataOf(TCustomRChart* value);
    int DataClientCount() const { return static_cast<int>(FClients.size()); }
    TCustomRChart* DataClient(int index) const { return FClients.at(static_cast<size_t>(index)); }

    // Attributes copied into items appended afterwards.
    int ClassDefault() const { return FClassDefault; }
    void SetClassDefault(int value); // 0..254; 255 (and anything outside) is ignored
    TColor DataColor() const { return FDataColor; }
    void SetDataColor(TColor value) { FDataColor = value; }
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor value) { FFillColor = value; }
    TPenStyle PenStyle() const { return FPenStyle; }
    void SetPenStyle(TPenStyle value) { FPenStyle = value; }
    int LineWidth() const { return FLineWidth; }
    void SetLineWidth(int value); // a byte: limited to 0..255

    // --- Layers, ranges and mapping ------------------------------------------------------------
    int ActiveLayer() const { return FActiveLayer; }
    void SetActiveLayer(int value); // limited to 1..16

    // Settings and scale controls of layer 1..16 (null outside).
    TScalePropsHoriz* ScalePropsX(int layer) const;
    TScalePropsVert* ScalePropsY(int layer) const;
    TScale* ScaleControlX(int layer) const;
    TScale* ScaleControlY(int layer) const;
    TScalePropsHoriz* Scale1X() const { return ScalePropsX(1); }
    TScalePropsHoriz* Scale2X() const { return ScalePropsX(2); }
    TScalePropsHoriz* Scale3X() const { return ScalePropsX(3); }
    TScalePropsHoriz* Scale4X() const { return ScalePropsX(4); }
    TScalePropsVert* Scale1Y() const { return ScalePropsY(1); }
    TScalePropsVert* Scale2Y() const { return ScalePropsY(2); }
    TScalePropsVert* Scale3Y() const { return ScalePropsY(3); }
    TScalePropsVert* Scale4Y() const { return ScalePropsY(4); }
    TJointLayers* JointLayers() const { return FJointLayers; }

    // Sets the x range [loX, hiX] and y range [loY, hiY] of layer 1..16, or of all layers with
    // layer 0 (other layer numbers are rejected). Equal bounds are widened by MinRange (by 10 %
    // on logarithmic axes); in isometric mode the y range follows the x range; a joined axis
    // keeps its controller's range; an axis narrower than MinRange, or with a NaN or infinite
    // bound, keeps its range. Layers joined to the layer follow it.
    void SetRange(int layer, double loX, double loY, double hiX, double hiY);

    // The pixel of a world point of layer (limited to 1..16). Every value, NaN and infinities
    // included, maps to a defined pixel; see AxisToPixel.
    QPoint WorldToPixel(int layer, double x, double y) const;
    // The world point at a pixel; the middle of the range where the data area has no extent.
    QPointF PixelToWorld(int layer, int px, int py) const;
    const TAxisMap& MapX(int layer) const;
    const TAxisMap& MapY(int layer) const;
    TChartGeometry Geometry() const;

    // --- Margins, shadow, isometric mode, layout -----------------------------------------------
    int MarginLeft() const { return FMarginLeft; }
    int MarginRight() const { return FMarginRight; }
    int MarginTop() const { return FMarginTop; }
    int MarginBottom() const { return FMarginBottom; }
    void SetMarginLeft(int value);
    void SetMarginRight(int value);
    void SetMarginTop(int value);
    void SetMarginBottom(int value);
    int ShadowWidth() const { return FShadowWidth; }
    void SetShadowWidth(int value); // 0..32

    // y ranges follow the x ranges so that a world unit has the same length in x and y.
    bool Isometric() const { return FIsometric; }
    void SetIsometric(bool value);
    // The display's relative pixel width and height (1:1 without a screen).
    double AspectX() const { return FAspectX; }
    double AspectY() const { return FAspectY; }

    TrcLayout StandardLayout() const { return FStandardLayout; }
    void SetStandardLayout(TrcLayout value);

    // --- Caption and repaint policy --------------------------------------------------------------
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    int CaptionPosX() const { return FCaptionPosX; }
    void SetCaptionPosX(int value);
    int CaptionPosY() const { return FCaptionPosY; }
    void SetCaptionPosY(int value);
    TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TAlignment value);
    TCaptionAnchorHoriz CaptionAnchorHoriz() const { return FCaptionAnchorHoriz; }
    void SetCaptionAnchorHoriz(TCaptionAnchorHoriz value);
    TCaptionAnchorVert CaptionAnchorVert() const { return FCaptionAnchorVert; }
    void SetCaptionAnchorVert(TCaptionAnchorVert value);
    TColor WindColor() const { return FWindColor; }
    void SetWindColor(TColor value);
    bool AutoRedraw() const { return FAutoRedraw; }
    void SetAutoRedraw(bool value) { FAutoRedraw = value; }

    // Loading from a stored form: set at construction, cleared by Loaded(), which copies all
    // scale settings once more and computes the mapping.
    bool Loading() const { return FLoading; }
    void Loaded();
    // Suspends painting; set at construction and cleared when the chart is first shown.
    bool PaintLock() const { return FPaintLock; }
    void SetPaintLock(bool value); // repaints when the lock is cleared

    TRChartScaleTickDrawnEvent OnScaleTickDrawn;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // Repaints the whole chart unless painting is suspended.
    void Repaint();
    // Repaints when AutoRedraw is on.
    void RepaintIfAuto();
    // Repaints only the data area (the fast path of ShowItems).
    void RepaintDataArea();

private:
    // Suspends painting and collects settings changes; at its end the collected change is
    // applied once and, when painting was not suspended before, the chart repaints once.
    class TBatch {
    public:
        explicit TBatch(TCustomRChart& chart);
        ~TBatch();
        TBatch(const TBatch&) = delete;
        TBatch& operator=(const TBatch&) = delete;

    private:
        TCustomRChart& FChart;
        bool FLockBefore;
    };

    struct TLayer {
        TScalePropsHoriz* PropsX = nullptr;
        TScalePropsVert* PropsY = nullptr;
        TScale* ScaleX = nullptr;
        TScale* ScaleY = nullptr;
    };

    TLayer& Layer(int n) { return FLayers[static_cast<size_t>(n - 1)]; }
    const TLayer& Layer(int n) const { return FLayers[static_cast<size_t>(n - 1)]; }

    void Append(std::uint8_t kind, double x, double y);
    void RemoveClient(TCustomRChart* client);
    void RepaintGroup();

    // Every settings object notifies here; inside a batch the work is done once at its end.
    void ScaleSettingsChanged();
    void ApplyScaleSettings();
    // SetRange without its repaint, for one layer.
    void SetLayerRange(int n, double loX, double loY, double hiX, double hiY);
    // SetRange's joined-axes step and the layer-range application, with followers.
    void LayerRangeOperation(int n, double loX, double hiX, double loY, double hiY,
                             bool widenedX = false, bool widenedY = false);
    void ApplyRange(int n, double loX, double hiX, double loY, double hiY, bool widenedX,
                    bool widenedY);
    void LayerJoined(TJointLayers::TAxis axis, int layer);
    // The isometric y half-span for an x span; false when the data area has no width.
    bool IsometricHalfSpan(double spanX, int widthTerm, double& half) const;
    void ApplyIsometric(int widthTerm);
    int IsometricWidthTerm() const;

    void CopyScale(const TScaleProps& props, TScale& scale) const;
    void CopyAllScales();
    void MarginsChanged();
    void RecalcCoefficients();
    void RecalcLayerCoefficients(int n) const;
    void EnsureCoefficients() const;

    // Items and sharing.
    std::shared_ptr<TItemStore> FStore = std::make_shared<TItemStore>();
    TCustomRChart* FUseDataOf = nullptr;
    std::vector<TCustomRChart*> FClients; // at most MaxDataClients
    int FAllocSize = 1000;                 // 1..1000000
    int FClassDefault = 0;                 // 0..254
    TColor FDataColor = clBlack;
    TColor FFillColor = clSilver;
    TPenStyle FPenStyle = psSolid;
    int FLineWidth = 1;                    // 0..255

    // Layers.
    std::array<TLayer, LayerCount> FLayers;
    TJointLayers* FJointLayers = nullptr;
    int FActiveLayer = 1;
    mutable std::array<TAxisMap, LayerCount> FMapX;
    mutable std::array<TAxisMap, LayerCount> FMapY;
    mutable int FMappedWidth = -1; // the size the coefficients were computed for
    mutable int FMappedHeight = -1;

    int FMarginLeft = 50;
    int FMarginRight = 20;
    int FMarginTop = 20;
    int FMarginBottom = 40;
    int FShadowWidth = 0; // 0..32
    bool FIsometric = false;
    double FAspectX = 1;
    double FAspectY = 1;
    TrcLayout FStandardLayout = rcl_X1Bottom_Y1Left;

    QString FCaption;
    int FCaptionPosX = 0;
    int FCaptionPosY = -16;
    TAlignment FCaptionAlignment = taRightJustify;
    TCaptionAnchorHoriz FCaptionAnchorHoriz = cahChartRight;
    TCaptionAnchorVert FCaptionAnchorVert = cavChartTop;
    TColor FWindColor = clBtnFace;
    bool FAutoRedraw = true;

    bool FLoading = true;
    bool FPaintLock = true;
    bool FShownOnce = false;
    int FScaleBatch = 0;           // nesting depth of batched settings changes
    bool FScaleChangePending = false;
};

// The published chart.
class TRChart : public TCustomRChart {
    Q_OBJECT
    Q_PROPERTY(int AllocSize READ AllocSize WRITE SetAllocSize)
    Q_PROPERTY(tessaly::TCustomRChart* UseDataOf READ UseDataOf WRITE SetUseDataOf)
    Q_PROPERTY(int ClassDefault READ ClassDefault WRITE SetClassDefault)
    Q_PROPERTY(quint32 DataColor READ DataColor WRITE SetDataColor)
    Q_PROPERTY(quint32 FillColor READ FillColor WRITE SetFillColor)
    Q_PROPERTY(tessaly::ChartEnums::TPenStyle PenStyle READ PenStyle WRITE SetPenStyle)
    Q_PROPERTY(int LineWidth READ LineWidth WRITE SetLineWidth)
    Q_PROPERTY(int ActiveLayer READ ActiveLayer WRITE SetActiveLayer)
    Q_PROPERTY(tessaly::TScalePropsHoriz* Scale1X READ Scale1X CONSTANT)
    Q_PROPERTY(tessaly::TScalePropsHoriz* Scale2X READ Scale2X CONSTANT)
    Q_PROPERTY(tessaly::TScalePropsHoriz* Scale3X READ Scale3X CONSTANT)
    Q_PROPERTY(tessaly::TScalePropsHoriz* Scale4X READ Scale4X CONSTANT)
    Q_PROPERTY(tessaly::TScalePropsVert* Scale1Y READ Scale1Y CONSTANT)
    Q_PROPERTY(tessaly::TScalePropsVert* Scale2Y READ Scale2Y CONSTANT)
    Q_PROPERTY(tessaly::TScalePropsVert* Scale3Y READ Scale3Y CONSTANT)
    Q_PROPERTY(tessaly::TScalePropsVert* Scale4Y READ Scale4Y CONSTANT)
    Q_PROPERTY(tessaly::TJointLayers* JointLayers READ JointLayers CONSTANT)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(int LRim READ MarginLeft WRITE SetMarginLeft STORED false)
    Q_PROPERTY(int RRim READ MarginRight WRITE SetMarginRight STORED false)
    Q_PROPERTY(int TRim READ MarginTop WRITE SetMarginTop STORED false)
    Q_PROPERTY(int BRim READ MarginBottom WRITE SetMarginBottom STORED false)
    Q_PROPERTY(int ShadowWidth READ ShadowWidth WRITE SetShadowWidth)
    Q_PROPERTY(bool Isometric READ Isometric WRITE SetIsometric)
    Q_PROPERTY(tessaly::ChartEnums::TrcLayout StandardLayout READ StandardLayout WRITE
                   SetStandardLayout STORED false)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
    Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
    Q_PROPERTY(tessaly::ScaleEnums::TAlignment CaptionAlignment READ CaptionAlignment WRITE
                   SetCaptionAlignment)
    Q_PROPERTY(tessaly::ChartEnums::TCaptionAnchorHoriz CaptionAnchorHoriz READ
                   CaptionAnchorHoriz WRITE SetCaptionAnchorHoriz)
    Q_PROPERTY(tessaly::ChartEnums::TCaptionAnchorVert CaptionAnchorVert READ CaptionAnchorVert
                   WRITE SetCaptionAnchorVert)
    Q_PROPERTY(quint32 WindColor READ WindColor WRITE SetWindColor)
    Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE SetAutoRedraw)
public:
    using TCustomRChart::TCustomRChart;
};

} // namespace tessaly
