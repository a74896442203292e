#pragma once
// TScale: the axis control. It owns one axis: a value range, an orientation, a linear or
// logarithmic mapping from values to pixels along its client area, the tick rules and the tick
// list that the chart's grid reads. A chart embeds one scale per layer and direction and has it
// paint into the chart's own buffer; a scale can also stand alone on a form.
//
// Setters keep the invariants stated beside the fields; they recompute the mapping where it
// depends on the value and refresh the scale.

#include "gfx/Colors.h"
#include "scale/DrawFrame.h"
#include "scale/DTLabel.h"
#include "scale/ScaleMapping.h"
#include "scale/ScaleTypes.h"
#include "scale/TickLabels.h"
#include "scale/Ticks.h"

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;
class QPrinter;

namespace tessaly {

class TScale;

// Raised for every drawn tick with its value and its pixel on the axis line.
using TScaleTickDrawnEvent =
    std::function<void(TScale& sender, QPainter*& canvas, TScaleType scaleType,
                       double currentTickPos, int chartX, int chartY)>;
// Raised before and after a scale paints, with the canvas it paints on.
using TScaleRenderedEvent = std::function<void(TScale& sender, QPainter& canvas)>;

class TScale : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
    Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
    Q_PROPERTY(tessaly::AlignEnums::TAlignment CaptionAlignment READ CaptionAlignment WRITE
                   SetCaptionAlignment)
    Q_PROPERTY(tessaly::ScaleEnums::TScaleUnitAnchor CaptionAnchor READ CaptionAnchor WRITE
                   SetCaptionAnchor)
    Q_PROPERTY(quint32 ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
    Q_PROPERTY(quint32 ColorScale READ ColorScale WRITE SetColorScale)
    Q_PROPERTY(tessaly::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(tessaly::TDTLabel* DateFormat READ DateFormat WRITE SetDateFormat)
    Q_PROPERTY(int DecPlaces READ DecPlaces WRITE SetDecPlaces)
    Q_PROPERTY(QFont Font READ font WRITE SetFont)
    Q_PROPERTY(tessaly::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(tessaly::ScaleEnums::TFigType LabelType READ LabelType WRITE SetLabelType)
    Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks)
    Q_PROPERTY(int NumTicks READ NumTicks)
    Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
    Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
    Q_PROPERTY(bool ShortTicks READ ShortTicks WRITE SetShortTicks)
    Q_PROPERTY(bool ShowBaseLine READ ShowBaseLine WRITE SetShowBaseLine)
    Q_PROPERTY(QString ScaleInscript READ ScaleInscript WRITE SetScaleInscript)
    Q_PROPERTY(tessaly::ScaleEnums::TScaleType ScaleType READ ScaleType WRITE SetScaleType)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(QString UserTickText READ UserTickText WRITE SetUserTickText)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    explicit TScale(QWidget* parent = nullptr);
    ~TScale() override;

    QString Caption() const { return FCaption; }
    int CaptionPosX() const { return FCaptionPosX; }
    int CaptionPosY() const { return FCaptionPosY; }
    TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    TScaleUnitAnchor CaptionAnchor() const { return FCaptionAnchor; }
    TColor ColorBackGnd() const { return FColorBackGnd; }
    TColor ColorScale() const { return FColorScale; }
    TColorScheme ColorScheme() const { return FColorScheme; }
    TDTLabel* DateFormat() const { return FDateFormat; }
    int DecPlaces() const { return FDecPlaces; }
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    TFigType LabelType() const { return FLabelType; }
    bool Logarithmic() const { return FLogarithmic; }
    int MarginTop() const { return FMarginTop; }
    int MarginBottom() const { return FMarginBottom; }
    int MarginLeft() const { return FMarginLeft; }
    int MarginRight() const { return FMarginRight; }
    int MinTicks() const { return FMinTicks; }
    int NumTicks() const { return static_cast<int>(FTickList.size()); }
    double RangeLow() const { return FRangeLow; }
    double RangeHigh() const { return FRangeHigh; }
    bool ShortTicks() const { return FShortTicks; }
    bool ShowBaseLine() const { return FShowBaseLine; }
    QString ScaleInscript() const { return FScaleInscript; }
    TScaleType ScaleType() const { return FScaleType; }
    bool Transparent() const { return FTransparent; }
    QString UserTickText() const { return FUserTickText; }
    // An embedded scale keeps its visibility as a flag and never shows a window of its own; a
    // standalone one shows or hides its window.
    bool Visible() const { return FEmbedded ? FVisible : !isHidden(); }

    void SetCaption(const QString& value);
    void SetCaptionPosX(int value);
    void SetCaptionPosY(int value);
    void SetCaptionAlignment(TAlignment value);
    void SetCaptionAnchor(TScaleUnitAnchor value);
    void SetColorBackGnd(TColor value);
    void SetColorScale(TColor value);
    void SetColorScheme(TColorScheme value);
    void SetDateFormat(TDTLabel* value); // copies the settings of value
    void SetDecPlaces(int value);        // -3..12
    void SetFont(const QFont& value);
    void SetFrameStyle(TFrameStyle value);
    void SetLabelType(TFigType value);
    void SetLogarithmic(bool value);
    void SetMarginTop(int value); // negative values are stored as 0
    void SetMarginBottom(int value);
    void SetMarginLeft(int value);
    void SetMarginRight(int value);
    void SetMinTicks(int value); // 0, or 2..10
    void SetRangeLow(double value);
    void SetRangeHigh(double value);
    void SetShortTicks(bool value);
    void SetShowBaseLine(bool value);
    void SetScaleInscript(const QString& value);
    void SetScaleType(TScaleType value);
    void SetTransparent(bool value);
    void SetUserTickText(const QString& value);
    void SetVisible(bool value);

    // The colour of label, message and caption texts (the colour of the label font).
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor value);

    // The frame colours: dark is always black, shadow and light follow ColorScheme.
    TColor ColorDark() const { return FColorDark; }
    TColor ColorShadow() const { return FColorShadow; }
    TColor ColorLight() const { return FColorLight; }

    // The pixel of value along the axis (x for horizontal, y for vertical scales).
    int ValueToPixel(double value) const;
    const TScaleMapping& Mapping() const { return FMapping; }
    TScaleGeometry Geometry() const;

    // Entry index (1-based) of the tick list; 0 outside 1..NumTicks.
    double TickValue(int index) const;
    // The ticks of a drawing with the current settings.
    TTickRun ComputeTickRun() const;
    // The rectangle that the tick labels of a drawing with the current settings cover, in the
    // scale's coordinates (the embedding chart's); empty when no label is drawn.
    QRect LabelBounds() const;
    // Starts a drawing: the tick list is rebuilt from the current settings.
    void BuildTickList();

    // Copies the published settings, the frame colours, OnScaleTickDrawn, the mapping, the tick
    // list, the external canvas with its offsets and the paint lock of other; then refreshes.
    void Assign(const TScale& other);

    // Resizes the control and recomputes the mapping at once, also while the control is hidden
    // (Qt delivers resize events to hidden widgets only when they are shown).
    void SetSize(int width, int height);

    // Paint lock: set at construction, cleared when the window is first shown; the chart keeps
    // its scales locked and paints them through PaintUnlocked.
    bool PaintLock() const { return FPaintLock; }
    void SetPaintLock(bool value); // refreshes when the lock is cleared
    bool Embedded() const { return FEmbedded; }
    void SetEmbedded(bool value);
    bool Loading() const { return FLoading; }
    // The end of loading from a stored form: recomputes the mapping, clears the loading flag
    // and refreshes.
    void Loaded();

    // Where the scale paints: an external canvas with offsets (set by the chart), or, with a
    // null canvas, its own window at (0, 0).
    void SetExternalCanvas(QPainter* canvas, int offsetX, int offsetY);
    QPainter* ExternalCanvas() const { return FExternalCanvas; }
    int ExternalOffsetX() const { return FExternalOffsetX; }
    int ExternalOffsetY() const { return FExternalOffsetY; }

    // Paints when the scale is neither loading nor locked and is visible.
    bool CanPaint() const;
    // Paints once as if the lock were cleared.
    void PaintUnlocked();
    // Paints onto `target` with the offsets as SetExternalCanvas would, once and as if the lock
    // were cleared, without keeping the painter; nothing while loading or invisible. The chart
    // draws its scales into its buffer through this. Any painter serves: screen, image, SVG or
    // printer.
    void PaintTo(QPainter& target, int offsetX, int offsetY);
    // Prints the scale onto a printer page at the offsets (device pixels), its labels at the
    // point size of Font. Nothing while loading.
    void Print(QPainter& printerPainter, int offsetX = 0, int offsetY = 0);
    void Print(QPrinter& printer);
    // Paints now when the scale is opaque or embedded; a transparent standalone scale
    // invalidates its window instead.
    void Refresh();

    TScaleTickDrawnEvent OnScaleTickDrawn;
    TScaleRenderedEvent OnBeforeScaleRendered;
    TScaleRenderedEvent OnAfterScaleRendered;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void RecalcMapping();
    void Paint();
    // One drawing onto target (ScaleDrawing.cpp): rebuilds the tick list, raises the rendering
    // events and draws ticks, labels, messages, caption, base line and, when opaque, the frame.
    void Render(QPainter& target, int offsetX, int offsetY);
    void DrawContents(QPainter& painter, const TTickRun& run, int line, bool opaque);
    // Where a label and its date line go, for the tick at pos along the axis line at line.
    struct TPlacedLabel {
        QPoint Text;
        int TextWidth = 0;
        bool HasDateLine = false;
        QPoint DateLine;
        int DateLineWidth = 0;
    };
    TTickLabeler Labeler(const TTickRun& run) const;
    TPlacedLabel PlaceLabel(const QFontMetrics& metrics, const TTickLabel& label, int pos,
                            int line) const;

    QString FCaption;
    int FCaptionPosX = 4;
    int FCaptionPosY = 4;
    TAlignment FCaptionAlignment = taCenter;
    TScaleUnitAnchor FCaptionAnchor = uaSclTopLft;
    TColor FColorBackGnd = clBtnFace;
    TColor FColorScale = clBlack;
    TColorScheme FColorScheme = csBWG;
    TDTLabel* FDateFormat = nullptr; // owned
    int FDecPlaces = -2;             // -3..12
    TFrameStyle FFrameStyle = fsLowered;
    TFigType FLabelType = ftNum;
    bool FLogarithmic = false;       // only with both range ends >= LogFloor, never for ftDateTime
    int FMarginTop = 20;             // margins >= 0
    int FMarginBottom = 20;
    int FMarginLeft = 20;
    int FMarginRight = 20;
    int FMinTicks = 3;               // 0, or 2..10
    double FRangeLow = 0;            // finite (non-finite values are refused)
    double FRangeHigh = 100;
    bool FShortTicks = true;
    bool FShowBaseLine = true;
    QString FScaleInscript;
    TScaleType FScaleType = sctXB;
    bool FTransparent = false;
    QString FUserTickText;
    bool FVisible = true;

    TColor FFontColor = clWindowText;
    TColor FColorDark = clBlack;
    TColor FColorShadow = clGray;
    TColor FColorLight = clWhite;

    TScaleMapping FMapping;
    std::vector<double> FTickList; // at most MaxTickList values
    bool FPaintLock = true;
    bool FLoading = true;
    bool FEmbedded = false;
    bool FShownOnce = false;
    QPainter* FExternalCanvas = nullptr;
    int FExternalOffsetX = 0;
    int FExternalOffsetY = 0;
};

} // namespace tessaly
