#pragma once
// The plotter's main window: the formula box with its samples, the four parameter scroll bars
// with their read-outs, the chart with its tool buttons and popup menu, the crosshair read-outs,
// the error line and the explanation panel. The sampling itself is the plot driver's.

#include "app/PlotDriver.h"
#include "app/ViewOptions.h"
#include "expr/MathExpression.h"
#include "host/VelmoraDemon.h"

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QPointer>
#include <QWidget>

#include <QKeySequence>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QActionGroup;
class QLineEdit;
class QMenu;
class QPrinter;
class QScrollBar;
class QTimer;
class QKeyEvent;
class QToolButton;

namespace tessaly {

class TBevelPanel;
class TFocusRing;
class TIndicatorStyle;
class TSoundPlayer;
class TCrossHair;
class TCustomRChart;
class TFrmAbout;
class TGradFill;
class THtmlView;
class TNumLab;
class TRChart;

class TFrmTessaly : public QWidget {
    Q_OBJECT
public:
    // The client size at design time, which is also the minimum.
    static constexpr int DesignWidth = 663;
    static constexpr int DesignHeight = 517;

    // Builds the window from its layout; the host client then loads the language file,
    // translates the window and, for a second start, ends the program here.
    explicit TFrmTessaly(const TDemonStart& start = {}, QWidget* parent = nullptr);
    ~TFrmTessaly() override;

    // The about box, created after the main window as at program start.
    void SetAboutBox(TFrmAbout* about) { FrmAbout = about; }

    // Controls, by their names.
    TBevelPanel* Panel1 = nullptr;
    TGradFill* GradFill1 = nullptr;
    TNumLab* NLabX = nullptr;
    TNumLab* NLabY = nullptr;
    QToolButton* SBAbout = nullptr;
    QToolButton* SBExit = nullptr;
    QWidget* Panel3 = nullptr;
    QToolButton* SButZoom11 = nullptr;
    QToolButton* SButYScale = nullptr;
    QToolButton* SButZoom01 = nullptr;
    QToolButton* SButZoomWind = nullptr;
    QToolButton* SButZoomDrag = nullptr;
    QToolButton* SButZoomPan = nullptr;
    QToolButton* SbutDragCursor = nullptr;
    QCheckBox* CBoxShowGrid = nullptr;
    QCheckBox* CBoxCrosshVis = nullptr;
    TRChart* RCFunc = nullptr;
    THtmlView* HTMLView = nullptr;
    TBevelPanel* Panel2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* LblError = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* CBoxExpression = nullptr;
    std::array<TNumLab*, 4> NLabVar{};       // NLabVarA .. NLabVarD
    std::array<QScrollBar*, 4> SbarVar{};    // SbarVarA .. SbarVarD
    TMathExpression MEFunc{"MEFunc"};
    // Null once a quit message of the host link destroyed it.
    QPointer<TvltDemonClient> cliDemon;
    QMenu* PopMenRC = nullptr;
    QAction* Zoom111 = nullptr;
    QAction* ZoomOut1 = nullptr;
    QAction* ZoomDrag1 = nullptr;
    QAction* Pan1 = nullptr;
    QAction* MoveCrosshair1 = nullptr;
    TFrmAbout* FrmAbout = nullptr;

    TPlotDriver& Driver() { return *FDriver; }

    // --- Beyond the designed window: classroom features -------------------------------------
    // The animation toggles of a..d below the chart's tools.
    std::array<QToolButton*, 4> SButAnimate{};
    // Popup-menu items below the designed five.
    QAction* KeepCurve1 = nullptr;
    QAction* ClearKept1 = nullptr;
    QAction* SavePng1 = nullptr;
    QAction* SaveSvg1 = nullptr;
    QAction* CopyPicture1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* SaveAnimation1 = nullptr;
    QAction* TraceCurve1 = nullptr;
    QAction* DrawWhereDefined1 = nullptr;
    QMenu* SpeedMenu = nullptr;
    // The line edit of a typed parameter value, while one is typed.
    QLineEdit* ValueEditor = nullptr;
    // Seams of the dialogs: the file name to save to (empty: cancelled) and the printer set up
    // by the user (false: cancelled). The window's own open Qt's dialogs.
    std::function<QString(const QString& title, const QString& filter, const QString& name)>
        AskSaveFileName;
    std::function<bool(QPrinter&)> AskPrinter;

    // Options given on the command line, applied once the window has started.
    void SetStartOptions(const TViewOptions& options) { FStartOptions = options; }
    // Applies what the options give: formula, parameters (rounded to the scroll bars'
    // positions), ranges, grid, crosshair, mouse mode, kept curves, animations and modes.
    void ApplyOptions(const TViewOptions& options);
    // The window's state as options, for a picture made as --render makes it.
    TViewOptions CurrentOptions() const;
    // The host link's parameters changed: applies the options among them and comes to the front.
    void ParamsChange();

    bool Animated(int index) const { return FMoving.at(static_cast<size_t>(index)); }
    void SetAnimated(int index, bool on);
    int AnimationSpeed() const { return FSpeed; }
    void SetAnimationSpeed(int stepsPerSecond);
    // One animation step: each moving parameter one position on, turning at -1 and 1.
    void AnimationStep();
    void KeepCurveClick();
    void ClearKeptClick();
    // Saves the picture as "png" or "svg"; false when cancelled or not written.
    bool SavePictureClick(const QString& kind);
    void CopyPictureClick();
    bool PrintClick();
    bool SaveAnimationClick();
    void TraceCurveClick();
    void DrawWhereDefinedClick();
    // Zooms the x and y ranges by the factors around the world point `center` (a factor
    // below 1 zooms in), and redraws as a zoom of the mouse does.
    void ZoomAround(double factorX, double factorY, QPointF center);
    // Back to the start ranges x -100..100, y -3..3.
    void ZoomReset();
    // Opens the line edit that types parameter index's value.
    void EditParameter(int index);

    // --- Beyond the designed window: access for every student --------------------------------
    QAction* PlayCurve1 = nullptr;
    QAction* PlayTone1 = nullptr;
    // Seams of the sound: whether there is an output, and playing PCM (mono, 16 bits) on it.
    std::function<bool()> SoundDevice;
    std::function<bool(const std::vector<std::int16_t>& pcm, int sampleRate)> PlaySound;
    // The chart told in words, as a screen reader gets it.
    QString ChartDescription() const;
    // The access key of a control, as its tooltip shows it (empty: none).
    QString KeyHint(QWidget* w) const;
    // Moves the crosshair by pixels, inside the data area, as the arrow keys do.
    void MoveCrossHairBy(int dx, int dy);
    void PlayCurveClick();
    void PlayToneClick();
    TFocusRing* FocusRing() const { return FFocusRing; }

    // The presentation size in percent of the design, 100 to 300 (Ctrl+plus, Ctrl+minus,
    // Ctrl+0 step through 100, 125, 150, 175, 200, 250 and 300).
    int PresentationPercent() const { return FPercent; }
    void SetPresentationPercent(int percent);

    // Handlers, named after their control and event.
    void CBoxExpressionChange();
    void CBoxExpressionKeyPress(char key);
    void SbarVarChange(int index);           // SbarVarAChange .. SbarVarDChange
    void SBExitClick();
    void SBAboutClick();
    void Zoom111Click();
    void SButYScaleClick();
    void SButZoom01Click();
    void ZoomOut1Click();
    void ZoomDrag1Click();
    void Pan1Click();
    void MoveCrosshair1Click();
    void CBoxShowGridClick();
    void CBoxCrosshVisClick();
    void RCFuncZoomPan(TCustomRChart& sender);
    void RCFuncCrossHairMove(TCustomRChart& sender, TCrossHair& whichCrossHair);
    void FormShow();
    void BButRecalcClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPanel1();
    void BuildPanel3();
    void BuildPanel2();
    void BuildChart();
    void Dock();
    // The translation of text, or text itself once the host client is gone.
    QString Translate(const QString& text, const QStringList& params = {}) const;
    // Shows a reason in the error line, which arose at x.
    void ShowError(const QString& reason, double x);
    // Places the error line for its reason (see PlaceErrorLine).
    void LayoutErrorLine();
    void BuildClassroomControls();
    void BuildClassroomMenu();
    // The texts of the classroom features in the language of the language file.
    void TranslateClassroomTexts();
    // Classroom events on the chart: the wheel, the zoom keys and the kept curves' tooltips.
    bool ChartEvent(QEvent* event);
    void BuildAccess();
    // A designed distance in pixels at the presentation size.
    int S(int designed) const;
    // Notes the designed geometry of every control, for the presentation sizes.
    void RecordDesign();
    void TranslateAccessTexts();
    bool ChartKey(QKeyEvent* key);
    bool ShowKeyHint(QWidget* w, QEvent* event);
    void UpdateChartDescription();
    // Tells a screen reader that the error line shows a new reason.
    void AnnounceError();
    bool HasSoundDevice() const;
    // Ends typing a parameter value: applied when `apply` and the text is a valid value.
    void CloseValueEditor(bool apply);
    // With the crosshair on the curve: moves it to f(x) and shows that in the read-outs.
    void TraceCrossHair();
    void ShowFailure(const QString& file, const QString& why);
    QString SaveFileName(const QString& title, const QString& filter, const QString& name);

    std::unique_ptr<TPlotDriver> FDriver;
    QButtonGroup* FModeButtons = nullptr;
    bool FShown = false;
    QString FErrorReason; // the whole reason; the error line may show it shortened
    TViewOptions FStartOptions;
    QTimer* FAnimationTimer = nullptr;
    std::array<bool, 4> FMoving{};
    std::array<int, 4> FDirection{1, 1, 1, 1};
    int FSpeed = DefaultAnimationSpeed;
    bool FStepping = false;    // an animation step sets the scroll bars
    bool FTracing = false;     // the crosshair is being moved to the curve
    int FEditedParameter = -1;
    TFocusRing* FFocusRing = nullptr;
    std::vector<std::pair<QWidget*, QKeySequence>> FKeyHints;
    std::unique_ptr<TSoundPlayer> FSound;
    double FErrorX = 0;
    struct TDesign {
        QPointer<QWidget> Widget;
        QRect Geometry;
        int FontPixels = 0; // of a font of its own; 0: the window's
        QSize IconSize;
        int LabelWidth = 0, LeftSpace = 0;
    };
    std::vector<TDesign> FDesign;
    struct TChartDesign {
        int MarginTop = 0, MarginBottom = 0, MarginRight = 0, MarginLeft = 0;
        int CaptionX = 0, CaptionY = 0;
    };
    TChartDesign FChartDesign;
    double FScale = 1;
    int FPercent = 100;
    QSize FPendingSize; // asked of the window system, not yet confirmed
    TIndicatorStyle* FIndicatorStyle = nullptr; // owned by the window
    QString FAnnouncedError; // the reason a screen reader was last alerted to
};

} // namespace tessaly
