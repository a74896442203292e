#pragma once
// The plotter's main window: the formula box with its samples, the four parameter scroll bars
// with their read-outs, the chart with its tool buttons and popup menu, the crosshair read-outs,
// the error line and the explanation panel. The sampling itself is the plot driver's.

#include "app/PlotDriver.h"
#include "expr/MathExpression.h"
#include "host/VelmoraDemon.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QScrollBar;
class QToolButton;

namespace tessaly {

class TBevelPanel;
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

    std::unique_ptr<TPlotDriver> FDriver;
    QButtonGroup* FModeButtons = nullptr;
    bool FShown = false;
    QString FErrorReason; // the whole reason; the error line may show it shortened
};

} // namespace tessaly
