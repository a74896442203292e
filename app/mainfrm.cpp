#include "app/mainfrm.h"

#include "app/ChartSetup.h"
#include "app/ErrorLine.h"
#include "app/Glyphs.h"
#include "app/SoundPlayer.h"
#include "chart/CrossHair.h"
#include "chart/RChart.h"
#include "gfx/Colors.h"
#include "gfx/Fonts.h"
#include "host/AboutBox.h"
#include "html/HtmlView.h"
#include "widgets/BevelPanel.h"
#include "widgets/FocusRing.h"
#include "widgets/GradFill.h"
#include "widgets/NumLab.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

#include <cmath>

namespace tessaly {

namespace {

constexpr int Panel1Height = 41;
constexpr int Panel3Width = 104;
constexpr int Panel2Height = 111;
constexpr int HtmlHeight = 148;

QFont PixelFont(const QString& family, int px, bool bold = false)
{
    QFont f(family);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QToolButton* SpeedButton(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setAutoRaise(true);  // flat
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void SetTextColor(QWidget* w, TColor c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, ColorToQColor(c));
    w->setPalette(pal);
}

} // namespace

TFrmTessaly::TFrmTessaly(const TDemonStart& start, QWidget* parent) : QWidget(parent)
{
    // The designed fonts are drawn with their installed twins, also when the window is made by
    // a test or a tool rather than by the program's start.
    InstallFontSubstitutes();
    setObjectName("FrmTessaly");
    setWindowTitle("PX_Tessaly");
    setWindowIcon(ProgramIcon());
    setFont(PixelFont("MS Sans Serif", 13));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColorToQColor(clBtnFace));
    setPalette(pal);
    setAutoFillBackground(true);
    setMinimumSize(DesignWidth, DesignHeight);
    resize(DesignWidth, DesignHeight);

    // The host client exists before the rest of the layout, as it is read first.
    cliDemon = new TvltDemonClient(this, start);
    cliDemon->setObjectName("cliDemon");

    BuildPanel1();
    BuildPanel3();
    BuildChart();
    HTMLView = new THtmlView(this);
    HTMLView->setObjectName("HTMLView");
    HTMLView->SetDefaultFontName("Microsoft Sans Serif");
    HTMLView->SetDefaultFontSize(8);
    HTMLView->SetDefaultPreFontName("Courier New");
    BuildPanel2();
    BuildClassroomControls();
    BuildClassroomMenu();
    BuildAccess();

    FDriver = std::make_unique<TPlotDriver>(*RCFunc, MEFunc);
    FDriver->FormulaText = [this] { return CBoxExpression->currentText(); };
    FDriver->ParameterValue = [this](int i) { return NLabVar[size_t(i)]->Value(); };
    FDriver->SetErrorText = [this](const QString& t) { ShowError(t, FDriver->CurrentX); };
    FDriver->SetErrorVisible = [this](bool v) {
        const bool shown = LblError->isVisibleTo(this);
        LblError->setVisible(v);
        if (v && (!shown || FErrorReason != FAnnouncedError))
            AnnounceError();
        FAnnouncedError = v ? FErrorReason : QString();
    };
    FDriver->Translate = [this](const QString& t) { return Translate(t); };
    FDriver->Redrawn = [this] {
        TraceCrossHair();
        UpdateChartDescription();
    };

    Dock();

    // The stored settings of the host client, then the loaded notifications in creation order:
    // the client loads the language file, translates the window and keeps to one instance.
    cliDemon->SetAutoTranslate(true);
    cliDemon->SetAutoCreateItlFile(false);
    cliDemon->SetMultiStart(false);
    cliDemon->SetUseVelmoraServer(false);
    cliDemon->Loaded();   // a quit message meanwhile leaves the client to be deleted
    // The pictures of the explanation page lie beside the language file that was loaded.
    if (cliDemon) {
        const QString file = cliDemon->LanguageFilePath().isEmpty()
                                 ? LanguageFileName(cliDemon->ProgramPath())
                                 : cliDemon->LanguageFilePath();
        HTMLView->SetBaseDirectory(QFileInfo(file).absolutePath());
        cliDemon->OnParamsChange = [this](TvltCustomDemon&) { ParamsChange(); };
    }
    TranslateClassroomTexts();
    TranslateAccessTexts();
    RCFunc->Loaded();
    RecordDesign();
}

TFrmTessaly::~TFrmTessaly() = default;

void TFrmTessaly::BuildPanel1()
{
    Panel1 = new TBevelPanel(this, TBevelPanel::bvRaised);
    Panel1->setObjectName("Panel1");
    GradFill1 = new TGradFill(Panel1);
    GradFill1->setObjectName("GradFill1");
    GradFill1->SetColorFirst(clSilver);
    GradFill1->SetColorLast(clWhite);
    GradFill1->SetColorFlipped(true);
    GradFill1->SetFrameStyle(fsNone);
    GradFill1->SetGridMode(TGradFill::gmNone);

    auto readout = [this](const char* name, const QRect& geometry, const char* left) {
        auto* n = new TNumLab(Panel1);
        n->setObjectName(name);
        n->setGeometry(geometry);
        n->SetLeftText(left);
        n->SetLabelWidth(80);
        n->SetLeftSpace(20);
        n->SetDisplayType(TNumLab::dtFixP);
        n->SetPrecision(2);
        n->SetFrameStyle(fsLowered);
        return n;
    };
    NLabX = readout("NLabX", QRect(8, 8, 113, 24), "X");
    NLabY = readout("NLabY", QRect(136, 8, 105, 24), "Y");

    SBAbout = SpeedButton(Panel1, "SBAbout", QRect(439, 6, 105, 29));
    SBAbout->setText("PX_About");
    SBAbout->setIcon(GlyphIcon(TGlyph::About));
    SBAbout->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(SBAbout, &QToolButton::clicked, this, &TFrmTessaly::SBAboutClick);
    SBExit = SpeedButton(Panel1, "SBExit", QRect(551, 6, 105, 29));
    SBExit->setText("PX_Exit");
    SBExit->setToolTip("Exit");
    SBExit->setIcon(GlyphIcon(TGlyph::Exit));
    SBExit->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(SBExit, &QToolButton::clicked, this, &TFrmTessaly::SBExitClick);
}

void TFrmTessaly::BuildPanel3()
{
    Panel3 = new TBevelPanel(this, TBevelPanel::bvNone);
    Panel3->setObjectName("Panel3");
    SButZoom11 = SpeedButton(Panel3, "SButZoom11", QRect(1, 24, 27, 27));
    SButZoom11->setText("1:1");
    SButZoom11->setToolTip("PX_zoom diagram to see all data in the interval -100 < x < 100");
    connect(SButZoom11, &QToolButton::clicked, this, &TFrmTessaly::Zoom111Click);
    SButYScale = SpeedButton(Panel3, "SButYScale", QRect(33, 24, 27, 27));
    SButYScale->setIcon(GlyphIcon(TGlyph::YScale));
    SButYScale->setToolTip("PX_Adjust the y-axis to see all data for the current x range");
    connect(SButYScale, &QToolButton::clicked, this, &TFrmTessaly::SButYScaleClick);
    SButZoom01 = SpeedButton(Panel3, "SButZoom01", QRect(65, 24, 27, 27));
    SButZoom01->setIcon(GlyphIcon(TGlyph::Zoom01));
    SButZoom01->setToolTip("PX_Adjust the x-axis to 0 to 100");
    connect(SButZoom01, &QToolButton::clicked, this, &TFrmTessaly::SButZoom01Click);

    // The four mouse modes form one group: pressing one releases the others.
    FModeButtons = new QButtonGroup(this);
    FModeButtons->setExclusive(true);
    auto mode = [this](const char* name, const QRect& geometry, TGlyph glyph, const char* hint) {
        QToolButton* b = SpeedButton(Panel3, name, geometry);
        b->setIcon(GlyphIcon(glyph));
        b->setToolTip(hint);
        b->setCheckable(true);
        FModeButtons->addButton(b);
        return b;
    };
    SButZoomWind = mode("SButZoomWind", QRect(1, 56, 27, 27), TGlyph::ZoomWindow, "PX_zoom into window");
    SButZoomDrag = mode("SButZoomDrag", QRect(33, 56, 27, 27), TGlyph::ZoomDrag, "PX_zoom by dragging the mouse");
    SButZoomPan = mode("SButZoomPan", QRect(1, 88, 27, 27), TGlyph::Pan, "PX_pan the diagram");
    SbutDragCursor = mode("SbutDragCursor", QRect(33, 88, 27, 27), TGlyph::DragCursor, "PX_move the crosshair");
    SbutDragCursor->setChecked(true);
    connect(SButZoomWind, &QToolButton::clicked, this, &TFrmTessaly::ZoomOut1Click);
    connect(SButZoomDrag, &QToolButton::clicked, this, &TFrmTessaly::ZoomDrag1Click);
    connect(SButZoomPan, &QToolButton::clicked, this, &TFrmTessaly::Pan1Click);
    connect(SbutDragCursor, &QToolButton::clicked, this, &TFrmTessaly::MoveCrosshair1Click);

    CBoxShowGrid = new QCheckBox("PX_Grid", Panel3);
    CBoxShowGrid->setObjectName("CBoxShowGrid");
    CBoxShowGrid->setGeometry(1, 136, 100, 17);
    CBoxShowGrid->setChecked(true);
    connect(CBoxShowGrid, &QCheckBox::toggled, this, &TFrmTessaly::CBoxShowGridClick);
    CBoxCrosshVis = new QCheckBox("PX_Crosshair", Panel3);
    CBoxCrosshVis->setObjectName("CBoxCrosshVis");
    CBoxCrosshVis->setGeometry(1, 160, 100, 17);
    CBoxCrosshVis->setChecked(true);
    connect(CBoxCrosshVis, &QCheckBox::toggled, this, &TFrmTessaly::CBoxCrosshVisClick);
}

void TFrmTessaly::BuildChart()
{
    RCFunc = new TRChart(this);
    RCFunc->setObjectName("RCFunc");
    RCFunc->resize(ChartDesignWidth, ChartDesignHeight);
    ApplyMainWindowChartSettings(*RCFunc);
    RCFunc->OnZoomPan = [this](TCustomRChart& sender) { RCFuncZoomPan(sender); };
    RCFunc->OnCrossHairMove = [this](TCustomRChart& sender, TCrossHair& which) {
        RCFuncCrossHairMove(sender, which);
    };

    // The popup menu: its items are not translated.
    PopMenRC = new QMenu(this);
    PopMenRC->setObjectName("PopMenRC");
    auto item = [this](const char* name, const char* caption, void (TFrmTessaly::*handler)()) {
        QAction* a = PopMenRC->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    Zoom111 = item("Zoom111", "Zoom 1:1", &TFrmTessaly::Zoom111Click);
    ZoomOut1 = item("ZoomOut1", "Zoom Window", &TFrmTessaly::ZoomOut1Click);
    ZoomDrag1 = item("ZoomDrag1", "Zoom Drag", &TFrmTessaly::ZoomDrag1Click);
    Pan1 = item("Pan1", "Pan", &TFrmTessaly::Pan1Click);
    MoveCrosshair1 = item("MoveCrosshair1", "Move Crosshair", &TFrmTessaly::MoveCrosshair1Click);
    RCFunc->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RCFunc, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopMenRC->popup(RCFunc->mapToGlobal(pos)); });
}

void TFrmTessaly::BuildPanel2()
{
    Panel2 = new TBevelPanel(this, TBevelPanel::bvLowered);
    Panel2->setObjectName("Panel2");
    Label4 = new QLabel("PX_Function to Calculate", Panel2);
    Label4->setObjectName("Label4");
    Label4->setGeometry(32, 4, 193, 16);
    Label4->setFont(PixelFont("MS Sans Serif", 13, true));
    LblError = new QLabel(Panel2);
    LblError->setObjectName("LblError");
    LblError->setGeometry(240, 4, 416, 16);
    LblError->setFont(PixelFont("MS Sans Serif", 13, true));
    LblError->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTextColor(LblError, 0x0000D7);
    LblError->setVisible(false);
    Label1 = new QLabel("y=", Panel2);
    Label1->setObjectName("Label1");
    // Wider than designed to the left: the fallback font needs a few more pixels for "y=".
    Label1->setGeometry(2, 25, 28, 25);
    Label1->setFont(PixelFont("MS Sans Serif", 17));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);

    CBoxExpression = new QComboBox(Panel2);
    CBoxExpression->setObjectName("CBoxExpression");
    CBoxExpression->setGeometry(32, 22, 625, 28);
    CBoxExpression->setFont(PixelFont("MS Sans Serif", 17));
    CBoxExpression->setEditable(true);
    CBoxExpression->setInsertPolicy(QComboBox::NoInsert);
    CBoxExpression->setMaxVisibleItems(8);
    for (const char* f : SampleFormulas)
        CBoxExpression->addItem(f);
    CBoxExpression->setCurrentIndex(0);
    // A real key arrives at the combo box, which hands it to its line edit directly; a key
    // sent to the line edit itself passes only the line edit's filter.
    CBoxExpression->installEventFilter(this);
    CBoxExpression->lineEdit()->installEventFilter(this);
    connect(CBoxExpression, &QComboBox::editTextChanged, this, &TFrmTessaly::CBoxExpressionChange);

    const int lefts[4] = {8, 176, 344, 520};
    const int barLefts[4] = {13, 181, 349, 525};
    const double values[4] = {0, 0.6, 0.4, 0.4};
    const int positions[4] = {0, 60, 40, 40};
    const char* names[4] = {"NLabVarA", "NLabVarB", "NLabVarC", "NLabVarD"};
    const char* bars[4] = {"SbarVarA", "SbarVarB", "SbarVarC", "SbarVarD"};
    for (size_t i = 0; i < 4; ++i) {
        auto* n = new TNumLab(Panel2);
        n->setObjectName(names[i]);
        n->setGeometry(lefts[i], 58, 138, 24);
        n->SetLeftText(QString("Variable %1").arg(QChar('A' + int(i))));
        n->SetLabelWidth(61);
        n->SetLeftSpace(72);
        n->SetDisplayType(TNumLab::dtFixP);
        n->SetPrecision(2);
        n->SetAlignment(taCenter);
        n->SetFrameStyle(fsLowered);
        n->SetValue(values[i]);
        NLabVar[i] = n;

        auto* s = new QScrollBar(Qt::Horizontal, Panel2);
        s->setObjectName(bars[i]);
        s->setGeometry(barLefts[i], 86, 130, 16);
        s->setRange(-100, 100);
        s->setPageStep(1);  // a click into the trough moves one position
        s->setSingleStep(1);
        s->setValue(positions[i]);
        SbarVar[i] = s;
        connect(s, &QScrollBar::valueChanged, this, [this, i] { SbarVarChange(int(i)); });
    }
}

void TFrmTessaly::Dock()
{
    // At presentation sizes above 100 % every designed distance grows with the scale.
    const int w = width();
    const int h = height();
    const int panel1 = S(Panel1Height), panel2 = S(Panel2Height);
    // On a screen too small for a large presentation size, the explanation gives way first,
    // down to nothing, so that the chart keeps its designed height.
    const int html = std::clamp(h - panel1 - panel2 - S(ChartDesignHeight), 0, S(HtmlHeight));
    const int panel3 = S(Panel3Width);
    Panel1->setGeometry(0, 0, w, panel1);
    GradFill1->setGeometry(Panel1->BevelWidth(), Panel1->BevelWidth(), w - 2 * Panel1->BevelWidth(),
                           panel1 - 2 * Panel1->BevelWidth());
    // Kept at the top right.
    SBAbout->move(w - S(DesignWidth - 439), S(6));
    SBExit->move(w - S(DesignWidth - 551), S(6));
    HTMLView->setGeometry(0, h - html, w, html);
    Panel2->setGeometry(0, h - html - panel2, w, panel2);
    // The formula box and the error line keep their distance to the right edge too.
    const int grow = std::max(0, w - S(DesignWidth));
    CBoxExpression->setGeometry(S(32), S(22), S(625) + grow, S(28));
    LayoutErrorLine();
    const int middle = std::max(0, h - panel1 - panel2 - html);
    Panel3->setGeometry(w - panel3, panel1, panel3, middle);
    RCFunc->setGeometry(0, panel1, std::max(0, w - panel3), middle);
    if (FFocusRing)
        FFocusRing->Refresh();
}

QString TFrmTessaly::Translate(const QString& text, const QStringList& params) const
{
    if (!cliDemon) {
        QString result = text;
        for (qsizetype i = 0; i < params.size(); ++i)
            result.replace("<%" + QString::number(i + 1) + "%>", params[i], Qt::CaseInsensitive);
        return result;
    }
    return cliDemon->Translator().Translate(text, params);
}

void TFrmTessaly::ShowError(const QString& reason, double x)
{
    FErrorReason = reason;
    FErrorX = x;
    LblError->setToolTip(Translate("<%1%> at x = <%2%>", {reason, QString::number(x, 'g', 6)}));
    LayoutErrorLine();
}

void TFrmTessaly::LayoutErrorLine()
{
    const int grow = std::max(0, width() - S(DesignWidth));
    const QRect designed(S(240), S(4), S(416) + grow, S(16));
    const QFontMetrics metrics(LblError->font());
    // The line may reach left up to a few pixels after the caption's text.
    const int caption = QFontMetrics(Label4->font()).horizontalAdvance(Label4->text());
    const int freeLeft = Label4->x() + caption + S(8);
    const TErrorLinePlace place =
        PlaceErrorLine(designed, freeLeft, metrics.horizontalAdvance(FErrorReason));
    LblError->setGeometry(place.Geometry);
    LblError->setText(place.Elided ? metrics.elidedText(FErrorReason, Qt::ElideRight,
                                                        place.Geometry.width())
                                   : FErrorReason);
}

void TFrmTessaly::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size() == FPendingSize)
        FPendingSize = QSize();
    Dock();
}

bool TFrmTessaly::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == CBoxExpression || watched == CBoxExpression->lineEdit()) &&
        event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            CBoxExpressionKeyPress(13);
    }
    if (watched == RCFunc && (ChartEvent(event) ||
                              (event->type() == QEvent::KeyPress &&
                               ChartKey(static_cast<QKeyEvent*>(event)))))
        return true;
    if (event->type() == QEvent::ToolTip && watched->isWidgetType() &&
        ShowKeyHint(static_cast<QWidget*>(watched), event))
        return true;
    if (event->type() == QEvent::KeyPress) {
        // The parameters' bars by keys: left and down to smaller values, right and up to
        // larger ones (a horizontal scroll bar of Qt turns left and right round).
        for (QScrollBar* bar : SbarVar) {
            if (watched != bar)
                continue;
            const auto* key = static_cast<QKeyEvent*>(event);
            const int v = bar->value();
            switch (key->key()) {
            case Qt::Key_Left: case Qt::Key_Down: bar->setValue(v - bar->singleStep()); return true;
            case Qt::Key_Right: case Qt::Key_Up: bar->setValue(v + bar->singleStep()); return true;
            case Qt::Key_PageDown: bar->setValue(v - 10 * bar->singleStep()); return true;
            case Qt::Key_PageUp: bar->setValue(v + 10 * bar->singleStep()); return true;
            default: break;
            }
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (size_t i = 0; i < NLabVar.size(); ++i)
            if (watched == NLabVar[i]) {
                EditParameter(int(i));
                return true;
            }
    }
    if (watched == ValueEditor) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                CloseValueEditor(key != Qt::Key_Escape);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Leaving the box without Enter keeps the value as it was.
            QMetaObject::invokeMethod(
                this,
                [this, editor = ValueEditor] {
                    if (ValueEditor == editor)
                        CloseValueEditor(false);
                },
                Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFrmTessaly::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    // The first-show sequence opens the modal about box: it runs once the window is up.
    QMetaObject::invokeMethod(this, &TFrmTessaly::FormShow, Qt::QueuedConnection);
}

void TFrmTessaly::FormShow()
{
    if (FrmAbout && cliDemon) {
        FrmAbout->Prepare(cliDemon->Translator(), "Tessaly", "Version 1.0");
        FrmAbout->exec();
    }
    // A quit message of the host link while the about box was open has ended the program.
    if (!cliDemon)
        return;
    HTMLView->LoadFromString(Translate("MMExplain"));
    // The stored positions are only the layout's; the start parameters come now (d keeps its).
    for (size_t i = 0; i < 3; ++i)
        SbarVar[i]->setValue(static_cast<int>(std::lround(StartParameters[i] * 100)));
    NLabX->SetTransparent(true);
    NLabY->SetTransparent(true);
    FDriver->RecalcPlot();
    // An exercise prepared on the command line.
    if (FStartOptions != TViewOptions{})
        ApplyOptions(FStartOptions);
}

void TFrmTessaly::CBoxExpressionChange()
{
    FDriver->RecalcPlot();
}

void TFrmTessaly::CBoxExpressionKeyPress(char key)
{
    if (key == 13)
        FDriver->RecalcPlot();
}

void TFrmTessaly::SbarVarChange(int index)
{
    NLabVar[size_t(index)]->SetValue(SbarVar[size_t(index)]->value() / 100.0);
    // An animation step redraws once for all the parameters it moves; any other change of a
    // moving parameter stops it.
    if (FStepping)
        return;
    if (Animated(index))
        SetAnimated(index, false);
    FDriver->RecalcPlot();
}

void TFrmTessaly::SBExitClick()
{
    close();
}

void TFrmTessaly::SBAboutClick()
{
    if (FrmAbout)
        FrmAbout->exec();
}

void TFrmTessaly::Zoom111Click()
{
    FDriver->Zoom111Click();
}

void TFrmTessaly::SButYScaleClick()
{
    FDriver->SButYScaleClick();
}

void TFrmTessaly::SButZoom01Click()
{
    FDriver->SButZoom01Click();
}

void TFrmTessaly::ZoomOut1Click()
{
    RCFunc->SetMouseAction(maZoomWindPos);
}

void TFrmTessaly::ZoomDrag1Click()
{
    RCFunc->SetMouseAction(maZoomDrag);
}

void TFrmTessaly::Pan1Click()
{
    RCFunc->SetMouseAction(maPan);
}

void TFrmTessaly::MoveCrosshair1Click()
{
    RCFunc->SetMouseAction(maDragCrossH);
}

void TFrmTessaly::CBoxShowGridClick()
{
    RCFunc->SetGridStyle(CBoxShowGrid->isChecked() ? gsDotLines : gsNone);
}

void TFrmTessaly::CBoxCrosshVisClick()
{
    if (CBoxCrosshVis->isChecked()) {
        RCFunc->CrossHair1()->SetMode(chBoth);
        SbutDragCursor->setVisible(true);
        SbutDragCursor->setChecked(true);
        RCFunc->SetMouseAction(maDragCrossH);
        NLabX->SetEmpty(false);
        NLabY->SetEmpty(false);
        return;
    }
    RCFunc->CrossHair1()->SetMode(chOff);
    const bool wasDown = SbutDragCursor->isChecked();
    SbutDragCursor->setVisible(false);
    if (wasDown) {
        SButZoomPan->setChecked(true);
        RCFunc->SetMouseAction(maPan);
    }
    NLabX->SetEmpty(true);
    NLabY->SetEmpty(true);
}

void TFrmTessaly::RCFuncZoomPan(TCustomRChart&)
{
    FDriver->RecalcPlot();
}

void TFrmTessaly::RCFuncCrossHairMove(TCustomRChart&, TCrossHair& whichCrossHair)
{
    NLabX->SetValue(whichCrossHair.PosX());
    NLabY->SetValue(whichCrossHair.PosY());
    TraceCrossHair();
    UpdateChartDescription();
}

void TFrmTessaly::BButRecalcClick()
{
    FDriver->RecalcPlot();
}

} // namespace tessaly
