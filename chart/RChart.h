#pragma once
// TRChart: a layered 2-D chart. It keeps a list of drawing items in world coordinates (shared
// with up to four other charts if wanted), maps 16 layers of world ranges to pixels, owns the
// settings and the scale controls of every layer's x and y axis, and keeps joined layers and
// the isometric mode consistent when ranges, margins or the size change.
//
// It paints itself through two off-screen buffers (the whole control, and the data area for the
// fast path of ShowItems) with one painting routine that also serves image and SVG export; it
// pans and zooms its ranges and drags its crosshairs and text labels with the mouse.
//
// TCustomRChart holds the behaviour; TRChart publishes it as properties.

#include "base/Errors.h"
#include "chart/BackGroundImg.h"
#include "chart/ChartTypes.h"
#include "chart/CrossHair.h"
#include "chart/ItemStore.h"
#include "chart/JointLayers.h"
#include "chart/Mapping.h"
#include "chart/Range.h"
#include "chart/ScaleProps.h"
#include "chart/TextLabel.h"
#include "gfx/Colors.h"
#include "scale/Scale.h"
#include "scale/ScaleTypes.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QCursor;
class QEnterEvent;
class QKeyEvent;
class QMouseEvent;
class QPainter;

namespace tessaly {

class TCustomRChart;

// The chart's cursors by number: 0 the arrow, -3 the cross, and the chart's own images 1 the
// hand (pan), 2 zoom window, 3 zoom drag, 4 zoom window keeping the axis direction. Other
// numbers give the arrow.
QCursor ChartCursor(int number);

// Forwarded from the scale controls for every tick they draw.
using TRChartScaleTickDrawnEvent =
    std::function<void(TCustomRChart& sender, QPainter*& canvas, TScaleType scaleType,
                       double currentTickPos, int chartX, int chartY)>;
// A stage of rendering: the canvas drawn on, and the pixel of the control where its origin lies
// (top = MarginTop and left = MarginLeft for the data area, 0 and 0 for the whole control).
using TRChartRenderEvent =
    std::function<void(TCustomRChart& sender, QPainter& canvas, int top, int left)>;
using TRChartNotifyEvent = std::function<void(TCustomRChart& sender)>;
using TRChartMouseEvent = std::function<void(TCustomRChart& sender, TMouseButton button,
                                             TShiftState shift, int x, int y)>;
using TRChartMouseMoveEvent =
    std::function<void(TCustomRChart& sender, TShiftState shift, int x, int y)>;
// The pointer in the world coordinates of the active layer, and whether it is in the data area.
using TRChartMouseMoveInChartEvent = std::function<void(
    TCustomRChart& sender, bool inChart, TShiftState shift, double rMousePosX, double rMousePosY)>;
// A completed rubber band in the world coordinates of one layer.
using TRChartRubberBandEvent = std::function<void(TCustomRChart& sender, int layer, double loX,
                                                  double loY, double hiX, double hiY)>;
using TRChartCrossHairMoveEvent =
    std::function<void(TCustomRChart& sender, TCrossHair& whichCrossHair)>;
using TRChartTextLabelMoveEvent =
    std::function<void(TCustomRChart& sender, TTextLabel& whichTextLabel)>;
// Key events with Qt's key code (which the handler may change) and the modifier state.
using TRChartKeyEvent = std::function<void(TCustomRChart& sender, int& key, TShiftState shift)>;
using TRChartKeyPressEvent = std::function<void(TCustomRChart& sender, QChar& key)>;

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

    // --- Colours, grid, shadow, text attributes -------------------------------------------------
    // Each setter stores its value and repaints when AutoRedraw is on.
    TColor ChartColor() const { return FChartColor; }
    void SetChartColor(TColor value);
    TColor ChartFrameColor() const { return FChartFrameColor; }
    void SetChartFrameColor(TColor value);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor value);
    GridStyleType GridStyle() const { return FGridStyle; }
    void SetGridStyle(GridStyleType value);
    // Grid spacing in world units; 0 follows the ticks of the active layer's scales, and on
    // logarithmic scales -1, -2 and -3 give decades, 1-2-5 steps and 1..9 steps. Values below
    // -3, NaN and infinities are ignored.
    double GridDx() const { return FGridDx; }
    void SetGridDx(double value);
    double GridDy() const { return FGridDy; }
    void SetGridDy(double value);
    TShadowStyle ShadowStyle() const { return FShadowStyle; }
    void SetShadowStyle(TShadowStyle value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    TColor ShadowBakColor() const { return FShadowBakColor; }
    void SetShadowBakColor(TColor value);
    // The colour of the chart caption's text (the caption's font is the control's font).
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor value);
    // Attributes of text items; no item of this system uses them.
    TFontStyles TextFontStyle() const { return FTextFontStyle; }
    void SetTextFontStyle(TFontStyles value);
    TTextBkg TextBkStyle() const { return FTextBkStyle; }
    void SetTextBkStyle(TTextBkg value);
    TColor TextBkColor() const { return FTextBkColor; }
    void SetTextBkColor(TColor value);
    TAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TAlignment value);
    TBakGndImg* BackGroundImg() const { return FBackGroundImg; }

    // --- Rendering ---------------------------------------------------------------------------------
    // Draws the complete chart as the control shows it, crosshairs included, onto any painter
    // (an image, an SVG generator, a printer) with the control's top-left corner at the
    // painter's origin. The screen buffer is drawn by this routine too.
    void Render(QPainter& painter);
    // The complete chart in an image of the control's size.
    QImage RenderImage();
    // The buffer the control is painted from, brought up to date when a repaint is pending and
    // the chart may paint (shown, loaded, not locked).
    const QImage& FullBuffer();
    // The data area's buffer of the ShowItems fast path; its pixel (0, 0) is the control's
    // pixel (MarginLeft, MarginTop).
    const QImage& DataBuffer() const { return FDataBuffer; }
    // (W - ML - MR - SW + 1) x (H - MT - MB - SW + 1), never negative.
    QSize DataBufferSize() const;

    TRChartRenderEvent OnBeforeRenderData;
    TRChartRenderEvent OnDataRendered;
    TRChartRenderEvent OnScalesRendered;

    // --- Crosshairs and text labels -----------------------------------------------------------------
    // Crosshair 1..4 and text label 1..30 (null outside).
    TCrossHair* CrossHair(int n) const;
    TCrossHair* CrossHair1() const { return CrossHair(1); }
    TCrossHair* CrossHair2() const { return CrossHair(2); }
    TCrossHair* CrossHair3() const { return CrossHair(3); }
    TCrossHair* CrossHair4() const { return CrossHair(4); }
    TTextLabel* TextLabel(int n) const;
    QList<TTextLabel*> TextLabels() const;

    // --- Mouse and keyboard ------------------------------------------------------------------------
    TMouseActMode MouseAction() const { return FMouseAction; }
    // Takes effect with the next mouse event; a drag in progress goes on.
    void SetMouseAction(TMouseActMode value) { FMouseAction = value; }
    // With a fixed cursor the chart never shows the cursor of its mode.
    bool MouseCursorFixed() const { return FMouseCursorFixed; }
    void SetMouseCursorFixed(bool value);
    // The layers that pan and zoom act on: layer 1 only.
    bool MouseAffectsLayer(int layer) const { return layer == 1; }
    // The cursor shown over the chart: 0 the arrow, -3 the cross, 1..4 the hand, zoom window,
    // zoom drag and zoom window keeping the axis direction (see ChartCursor).
    int CursorNumber() const { return FCursorNumber; }
    // The zoom or rubber-band rectangle being dragged: its start and current corner.
    bool RubberBandDragging() const { return FRectDragging; }
    QPoint RubberBandStart() const { return FRectStart; }
    QPoint RubberBandCorner() const { return FRectCorner; }

    TRChartNotifyEvent OnZoomPan;
    TRChartRubberBandEvent OnRubberBand;
    TRChartCrossHairMoveEvent OnCrossHairMove;
    TRChartTextLabelMoveEvent OnTextLabelMove;
    TRChartMouseMoveInChartEvent OnMouseMoveInChart;
    TRChartNotifyEvent OnMouseEnter;
    TRChartNotifyEvent OnMouseLeave;
    TRChartMouseEvent OnMouseDown;
    TRChartMouseMoveEvent OnMouseMove;
    TRChartMouseEvent OnMouseUp;
    TRChartNotifyEvent OnClick;
    TRChartNotifyEvent OnDblClick;
    TRChartKeyEvent OnKeyDown;
    TRChartKeyEvent OnKeyUp;
    TRChartKeyPressEvent OnKeyPress;

    // Loading from a stored form: set at construction, cleared by Loaded(), which copies all
    // scale settings once more and computes the mapping.
    bool Loading() const { return FLoading; }
    void Loaded();
    // Suspends painting; set at construction and cleared when the chart is first shown.
    bool PaintLock() const { return FPaintLock; }
    void SetPaintLock(bool value); // repaints when the lock is cleared

    TRChartScaleTickDrawnEvent OnScaleTickDrawn;

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

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
    // The ranges of layer n's axes as stored in its settings (Ranges.cpp).
    TRange RangeX(int n) const;
    TRange RangeY(int n) const;
    // SetRange without its repaint, for one layer.
    void SetLayerRange(int n, TRange x, TRange y);
    // SetRange's joined-axes step and the layer-range application, with followers.
    void LayerRangeOperation(int n, TRange x, TRange y, bool widenedX = false,
                             bool widenedY = false);
    void ApplyRange(int n, TRange x, TRange y, bool widenedX, bool widenedY);
    void LayerJoined(TJointLayers::TAxis axis, int layer);
    // The isometric y half-span for an x span; false when the data area has no width.
    bool IsometricHalfSpan(double spanX, int widthTerm, double& half) const;
    void ApplyIsometric(int widthTerm);
    int IsometricWidthTerm() const;

    // Rendering (Rendering.cpp).
    bool CanPaint() const;
    void RenderFullBuffer();
    void RenderDataBuffer();
    void RenderFrame(QPainter& p);
    void RenderBackground(QPainter& p, QSize size);
    void RenderData(QPainter& p, QSize size);
    void DrawGrid(QPainter& p);
    void DrawItems(QPainter& p, QSize size);
    void DrawTextLabels(QPainter& p);
    void DrawTextLabel(QPainter& p, const TTextLabel& label);
    void DrawCrossHairs(QPainter& p, int shiftX, int shiftY);
    void DrawRubberBand(QPainter& p) const;
    // The pixel of a label's position: world coordinates mapped in its layer, pixel
    // coordinates rounded.
    QPoint TextLabelAnchor(const TTextLabel& label) const;

    // Mouse handling (MouseInteraction.cpp).
    struct TAnchor {
        QPoint Pixel;
        TRange X, Y;
    };
    void InitMouse();
    bool InDataArea(QPoint p) const;
    void MouseDown(TMouseButton button, TShiftState shift, QPoint p);
    void RecordAnchor(QPoint p);
    void PanTo(QPoint p);
    void ZoomDragTo(QPoint p);
    void DragRectangleTo(QPoint p);
    void FinishRectangle(TMouseButton button);
    void DragCrossHairTo(QPoint p);
    void DragTextLabelTo(QPoint p);
    void UpdateCursor(QPoint p);
    void UpdateRectangleArea(QPoint start, QPoint corner);

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

    TColor FChartColor = clWhite;
    TColor FChartFrameColor = clBlack;
    TColor FGridColor = clBlack;
    GridStyleType FGridStyle = gsNone;
    double FGridDx = 0; // >= -3, finite
    double FGridDy = 0;
    TShadowStyle FShadowStyle = ssFlying;
    TColor FShadowColor = clGrayText;
    TColor FShadowBakColor = clBtnFace;
    TColor FFontColor = clWindowText;
    TFontStyles FTextFontStyle;
    TTextBkg FTextBkStyle = tbClear;
    TColor FTextBkColor = clWhite;
    TAlignment FTextAlignment = taCenter;
    TBakGndImg* FBackGroundImg = nullptr;
    QImage FImage{10, 10, QImage::Format_RGB32}; // the background image as last loaded

    QImage FFullBuffer;
    QImage FDataBuffer;
    bool FFullPending = true;  // the full buffer waits for a repaint
    bool FStale = false;       // changed without AutoRedraw: the next paint redraws it
    bool FDataNewer = false;   // the data buffer holds a newer data area than the full buffer
    bool FVectorTarget = false; // the painter of Render cannot clip: geometry is clipped here

    std::array<TCrossHair*, CrossHairCount> FCrossHairs{};
    std::array<TTextLabel*, TextLabelCount> FTextLabels{};

    TMouseActMode FMouseAction = maNone;
    bool FMouseCursorFixed = false;
    int FCursorNumber = 0;
    bool FRectDragging = false;
    QPoint FRectStart;
    QPoint FRectCorner;
    bool FAnchored = false;
    TMouseActMode FDragMode = maNone; // the mode a drag began in, kept until it ends
    std::array<TAnchor, LayerCount> FAnchors;
    int FDragIndex = 1; // the crosshair (1..4) or text label (1..30) being dragged
    bool FDoubleClickSeen = false;
    bool FClicked = false; // a left press that may end in a click
    QPoint FMousePos;

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
    Q_PROPERTY(tessaly::AlignEnums::TAlignment CaptionAlignment READ CaptionAlignment WRITE
                   SetCaptionAlignment)
    Q_PROPERTY(tessaly::ChartEnums::TCaptionAnchorHoriz CaptionAnchorHoriz READ
                   CaptionAnchorHoriz WRITE SetCaptionAnchorHoriz)
    Q_PROPERTY(tessaly::ChartEnums::TCaptionAnchorVert CaptionAnchorVert READ CaptionAnchorVert
                   WRITE SetCaptionAnchorVert)
    Q_PROPERTY(quint32 WindColor READ WindColor WRITE SetWindColor)
    Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE SetAutoRedraw)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(quint32 FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(quint32 ChartColor READ ChartColor WRITE SetChartColor)
    Q_PROPERTY(quint32 ChartFrameColor READ ChartFrameColor WRITE SetChartFrameColor)
    Q_PROPERTY(quint32 GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(tessaly::ChartEnums::GridStyleType GridStyle READ GridStyle WRITE SetGridStyle)
    Q_PROPERTY(double GridDx READ GridDx WRITE SetGridDx)
    Q_PROPERTY(double GridDy READ GridDy WRITE SetGridDy)
    Q_PROPERTY(tessaly::ChartEnums::TShadowStyle ShadowStyle READ ShadowStyle WRITE
                   SetShadowStyle)
    Q_PROPERTY(quint32 ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(quint32 ShadowBakColor READ ShadowBakColor WRITE SetShadowBakColor)
    Q_PROPERTY(tessaly::ChartEnums::TFontStyles TextFontStyle READ TextFontStyle WRITE
                   SetTextFontStyle)
    Q_PROPERTY(tessaly::ChartEnums::TTextBkg TextBkStyle READ TextBkStyle WRITE SetTextBkStyle)
    Q_PROPERTY(quint32 TextBkColor READ TextBkColor WRITE SetTextBkColor)
    Q_PROPERTY(tessaly::AlignEnums::TAlignment TextAlignment READ TextAlignment WRITE
                   SetTextAlignment)
    Q_PROPERTY(tessaly::TBakGndImg* BackGroundImg READ BackGroundImg CONSTANT)
    Q_PROPERTY(tessaly::TCrossHair* CrossHair1 READ CrossHair1 CONSTANT)
    Q_PROPERTY(tessaly::TCrossHair* CrossHair2 READ CrossHair2 CONSTANT)
    Q_PROPERTY(tessaly::TCrossHair* CrossHair3 READ CrossHair3 CONSTANT)
    Q_PROPERTY(tessaly::TCrossHair* CrossHair4 READ CrossHair4 CONSTANT)
    Q_PROPERTY(QList<tessaly::TTextLabel*> TextLabels READ TextLabels CONSTANT)
    Q_PROPERTY(tessaly::ChartEnums::TMouseActMode MouseAction READ MouseAction WRITE
                   SetMouseAction)
    Q_PROPERTY(bool MouseCursorFixed READ MouseCursorFixed WRITE SetMouseCursorFixed)
public:
    using TCustomRChart::TCustomRChart;
};

} // namespace tessaly
