// The main window's classroom features beyond its designed controls: animated parameters, kept
// curves, the picture saved, copied and printed, prepared exercises from options, zoom by wheel
// and keys, the crosshair on the curve, drawing where the formula is defined, typed values.
#include "app/mainfrm.h"

#include "app/ChartScene.h"
#include "app/Glyphs.h"
#include "chart/CrossHair.h"
#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "gfx/MessageBox.h"
#include "widgets/NumLab.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>
#include <iostream>

namespace tessaly {

namespace {

// One notch of the wheel, or one zoom key, shows this share of the range.
constexpr double ZoomStep = 0.8;
constexpr int AnimationSpeeds[] = {2, 5, 10, 20, 50, 100};
// Kept curves answer the pointer this close, in pixels.
constexpr int CurveTooltipReach = 4;

QChar ParameterName(size_t index)
{
    return QChar('a' + int(index));
}

} // namespace

void TFrmTessaly::BuildClassroomControls()
{
    // Below the check boxes of the chart's tools: a toggle for each parameter.
    for (size_t i = 0; i < SButAnimate.size(); ++i) {
        auto* b = new QToolButton(Panel3);
        b->setObjectName(QString("SButAnimate%1").arg(QChar('A' + int(i))));
        b->setGeometry(1 + 25 * int(i), 184, 25, 22);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setCheckable(true);
        b->setIcon(PlayPauseIcon());
        b->setIconSize(QSize(10, 10));
        b->setText(ParameterName(i));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        connect(b, &QToolButton::toggled, this, [this, i](bool on) { SetAnimated(int(i), on); });
        SButAnimate[i] = b;
        auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + int(i))), this);
        connect(key, &QShortcut::activated, this, [this, i] { SetAnimated(int(i), !Animated(int(i))); });
        NLabVar[i]->installEventFilter(this);
    }
    FAnimationTimer = new QTimer(this);
    FAnimationTimer->setTimerType(Qt::PreciseTimer);
    connect(FAnimationTimer, &QTimer::timeout, this, &TFrmTessaly::AnimationStep);
    RCFunc->installEventFilter(this);
}

void TFrmTessaly::BuildClassroomMenu()
{
    PopMenRC->addSeparator();
    auto item = [this](const char* name, void (TFrmTessaly::*handler)()) {
        QAction* a = PopMenRC->addAction(QString());
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    KeepCurve1 = item("KeepCurve1", &TFrmTessaly::KeepCurveClick);
    ClearKept1 = item("ClearKept1", &TFrmTessaly::ClearKeptClick);
    PopMenRC->addSeparator();
    SavePng1 = PopMenRC->addAction(QString(), this, [this] { SavePictureClick("png"); });
    SavePng1->setObjectName("SavePng1");
    SaveSvg1 = PopMenRC->addAction(QString(), this, [this] { SavePictureClick("svg"); });
    SaveSvg1->setObjectName("SaveSvg1");
    CopyPicture1 = item("CopyPicture1", &TFrmTessaly::CopyPictureClick);
    Print1 = PopMenRC->addAction(QString(), this, [this] { PrintClick(); });
    Print1->setObjectName("Print1");
    SaveAnimation1 = PopMenRC->addAction(QString(), this, [this] { SaveAnimationClick(); });
    SaveAnimation1->setObjectName("SaveAnimation1");
    SaveAnimation1->setEnabled(false);
    PopMenRC->addSeparator();
    TraceCurve1 = item("TraceCurve1", &TFrmTessaly::TraceCurveClick);
    TraceCurve1->setCheckable(true);
    DrawWhereDefined1 = item("DrawWhereDefined1", &TFrmTessaly::DrawWhereDefinedClick);
    DrawWhereDefined1->setCheckable(true);
    SpeedMenu = PopMenRC->addMenu(QString());
    SpeedMenu->setObjectName("SpeedMenu");
    auto* speeds = new QActionGroup(SpeedMenu);
    for (const int speed : AnimationSpeeds) {
        QAction* a = SpeedMenu->addAction(QString());
        a->setCheckable(true);
        a->setData(speed);
        a->setChecked(speed == FSpeed);
        speeds->addAction(a);
        connect(a, &QAction::triggered, this, [this, speed] { SetAnimationSpeed(speed); });
    }
    // The items also work from the keyboard anywhere in the window.
    const std::pair<QAction*, QKeySequence> keys[] = {
        {KeepCurve1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K)},
        {ClearKept1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
        {SavePng1, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {SaveSvg1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {CopyPicture1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
        {Print1, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {SaveAnimation1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G)},
        {TraceCurve1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)},
        {DrawWhereDefined1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D)},
    };
    for (const auto& [action, key] : keys) {
        action->setShortcut(key);
        addAction(action);
    }
}

void TFrmTessaly::TranslateClassroomTexts()
{
    KeepCurve1->setText(Translate("Keep this curve"));
    ClearKept1->setText(Translate("Clear kept curves"));
    SavePng1->setText(Translate("Save picture as PNG..."));
    SaveSvg1->setText(Translate("Save picture as SVG..."));
    CopyPicture1->setText(Translate("Copy picture"));
    Print1->setText(Translate("Print..."));
    SaveAnimation1->setText(Translate("Save animation as GIF..."));
    TraceCurve1->setText(Translate("Crosshair on the curve"));
    DrawWhereDefined1->setText(Translate("Draw where defined"));
    SpeedMenu->setTitle(Translate("Animation speed"));
    for (QAction* a : SpeedMenu->actions())
        a->setText(Translate("<%1%> steps a second", {QString::number(a->data().toInt())}));
    for (size_t i = 0; i < SButAnimate.size(); ++i) {
        SButAnimate[i]->setToolTip(Translate(
            "Animate parameter <%1%> (<%2%>)",
            {ParameterName(i), QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + int(i)))
                                   .toString(QKeySequence::NativeText)}));
        NLabVar[i]->setToolTip(Translate("Double-click to type a value"));
    }
}

// --- Options --------------------------------------------------------------------------------

void TFrmTessaly::ApplyOptions(const TViewOptions& o)
{
    if (o.Formula)
        CBoxExpression->setEditText(QString::fromStdString(*o.Formula));
    for (size_t i = 0; i < o.Parameters.size(); ++i)
        if (o.Parameters[i])
            SbarVar[i]->setValue(static_cast<int>(std::lround(std::clamp(*o.Parameters[i], -1.0, 1.0) * 100)));
    if (o.X || o.Y) {
        const auto x = o.X.value_or(std::array{RCFunc->Scale1X()->RangeLow(), RCFunc->Scale1X()->RangeHigh()});
        const auto y = o.Y.value_or(std::array{RCFunc->Scale1Y()->RangeLow(), RCFunc->Scale1Y()->RangeHigh()});
        try {
            RCFunc->SetRange(1, x[0], y[0], x[1], y[1]);
        } catch (const std::exception& e) {
            std::cerr << "tessaly: " << e.what() << '\n';
        }
    }
    if (o.Grid)
        CBoxShowGrid->setChecked(*o.Grid);
    if (o.CrossHairVisible)
        CBoxCrosshVis->setChecked(*o.CrossHairVisible);
    if (o.CrossHair) {
        RCFunc->CrossHair1()->SetPosX((*o.CrossHair)[0]);
        RCFunc->CrossHair1()->SetPosY((*o.CrossHair)[1]);
        RCFuncCrossHairMove(*RCFunc, *RCFunc->CrossHair1());
    }
    if (o.Mode) {
        QToolButton* buttons[] = {SButZoomWind, SButZoomDrag, SButZoomPan, SbutDragCursor};
        QToolButton* b = buttons[static_cast<int>(*o.Mode)];
        if (!b->isHidden())
            b->click();
    }
    if (o.Keep) {
        FDriver->ClearKeptCurves();
        for (const TKeptCurveSpec& k : *o.Keep)
            FDriver->KeepCurve(QString::fromStdString(k.Formula), k.Parameters);
    }
    if (o.Trace)
        TraceCurve1->setChecked(*o.Trace);
    if (o.WhereDefined) {
        DrawWhereDefined1->setChecked(*o.WhereDefined);
        FDriver->DrawWhereDefined = *o.WhereDefined;
    }
    if (o.Speed)
        SetAnimationSpeed(*o.Speed);
    if (o.Presentation)
        SetPresentationPercent(*o.Presentation);
    FDriver->RecalcPlot();
    for (size_t i = 0; i < o.Animate.size(); ++i)
        if (o.Animate[i])
            SetAnimated(int(i), true);
}

TViewOptions TFrmTessaly::CurrentOptions() const
{
    TViewOptions o;
    o.Formula = CBoxExpression->currentText().toStdString();
    for (size_t i = 0; i < o.Parameters.size(); ++i)
        o.Parameters[i] = NLabVar[i]->Value();
    o.X = std::array{RCFunc->Scale1X()->RangeLow(), RCFunc->Scale1X()->RangeHigh()};
    o.Y = std::array{RCFunc->Scale1Y()->RangeLow(), RCFunc->Scale1Y()->RangeHigh()};
    o.Grid = CBoxShowGrid->isChecked();
    o.CrossHair = std::array{RCFunc->CrossHair1()->PosX(), RCFunc->CrossHair1()->PosY()};
    o.CrossHairVisible = CBoxCrosshVis->isChecked();
    o.Keep.emplace();
    for (const TPlotDriver::TKeptCurve& k : FDriver->KeptCurves())
        o.Keep->push_back({k.Formula.toStdString(), k.Parameters});
    o.Trace = TraceCurve1->isChecked();
    o.WhereDefined = FDriver->DrawWhereDefined;
    o.Animate = FMoving;
    o.Speed = FSpeed;
    o.Size = std::array{RCFunc->width(), RCFunc->height()};
    return o;
}

void TFrmTessaly::ParamsChange()
{
    if (!cliDemon)
        return;
    std::vector<std::string> args;
    for (const QString& p : cliDemon->Params)
        args.push_back(p.toStdString());
    TViewOptions o;
    if (const std::optional<std::string> why = ParseViewOptions(args, TOptionReader::Window, o)) {
        std::cerr << "tessaly: options from the host link not applied: " << *why << '\n';
    } else if (o != TViewOptions{}) {
        ApplyOptions(o);
    }
    // A second start or the host program asked for this window: it comes to the front.
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

// --- Animation ------------------------------------------------------------------------------

void TFrmTessaly::SetAnimated(int index, bool on)
{
    const size_t i = static_cast<size_t>(index);
    FMoving.at(i) = on;
    if (SButAnimate[i]->isChecked() != on) {
        const QSignalBlocker quiet(SButAnimate[i]);
        SButAnimate[i]->setChecked(on);
    }
    const bool any = FMoving[0] || FMoving[1] || FMoving[2] || FMoving[3];
    SaveAnimation1->setEnabled(any);
    if (any && !FAnimationTimer->isActive())
        FAnimationTimer->start(static_cast<int>(std::lround(1000.0 / FSpeed)));
    else if (!any)
        FAnimationTimer->stop();
}

void TFrmTessaly::SetAnimationSpeed(int stepsPerSecond)
{
    FSpeed = std::clamp(stepsPerSecond, MinAnimationSpeed, MaxAnimationSpeed);
    FAnimationTimer->setInterval(static_cast<int>(std::lround(1000.0 / FSpeed)));
    for (QAction* a : SpeedMenu->actions())
        a->setChecked(a->data().toInt() == FSpeed);
}

void TFrmTessaly::AnimationStep()
{
    FStepping = true;
    for (size_t i = 0; i < FMoving.size(); ++i) {
        if (!FMoving[i])
            continue;
        QScrollBar* bar = SbarVar[i];
        int& direction = FDirection[i];
        // Turns at the ends of -1..1 and goes back.
        if (bar->value() + direction > bar->maximum() || bar->value() + direction < bar->minimum())
            direction = -direction;
        bar->setValue(bar->value() + direction);
    }
    FStepping = false;
    FDriver->RecalcPlot();
}

// --- Kept curves and the picture ------------------------------------------------------------

void TFrmTessaly::KeepCurveClick()
{
    if (FDriver->KeepCurrentCurve())
        FDriver->RecalcPlot();
}

void TFrmTessaly::ClearKeptClick()
{
    FDriver->ClearKeptCurves();
    FDriver->RecalcPlot();
}

QString TFrmTessaly::SaveFileName(const QString& title, const QString& filter, const QString& name)
{
    if (AskSaveFileName)
        return AskSaveFileName(title, filter, name);
    return QFileDialog::getSaveFileName(this, title, QDir::home().filePath(name), filter);
}

void TFrmTessaly::ShowFailure(const QString& file, const QString& why)
{
    ShowInformation(Translate("Cannot write <%1%>: <%2%>", {file, why}));
}

bool TFrmTessaly::SavePictureClick(const QString& kind)
{
    const bool png = kind == "png";
    QString file = SaveFileName(png ? SavePng1->text() : SaveSvg1->text(),
                                Translate(png ? "PNG image" : "SVG drawing") + " (*." + kind + ")",
                                "tessaly." + kind);
    if (file.isEmpty())
        return false;
    if (FileKind(file) != kind)
        file += "." + kind;
    TChartScene scene(CurrentOptions());
    QString why;
    if (!scene.Write(file, &why)) {
        ShowFailure(file, why);
        return false;
    }
    return true;
}

void TFrmTessaly::CopyPictureClick()
{
    TChartScene scene(CurrentOptions());
    auto* data = new QMimeData;
    data->setImageData(scene.Image());
    data->setData("image/svg+xml", scene.Svg());
    QGuiApplication::clipboard()->setMimeData(data);
}

bool TFrmTessaly::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName("Tessaly");
    const bool accepted = AskPrinter ? AskPrinter(printer)
                                     : QPrintDialog(&printer, this).exec() == QDialog::Accepted;
    if (!accepted)
        return false;
    TChartScene scene(CurrentOptions());
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowFailure(printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName(),
                    Translate("the printer cannot be used"));
        return false;
    }
    scene.PaintOnPage(painter, QRectF(QPointF(0, 0),
                                      printer.pageLayout().paintRectPixels(printer.resolution()).size()));
    return painter.end();
}

bool TFrmTessaly::SaveAnimationClick()
{
    if (!(FMoving[0] || FMoving[1] || FMoving[2] || FMoving[3]))
        return false;
    QString file = SaveFileName(SaveAnimation1->text(), Translate("GIF animation") + " (*.gif)",
                                "tessaly.gif");
    if (file.isEmpty())
        return false;
    if (FileKind(file) != "gif")
        file += ".gif";
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TChartScene scene(CurrentOptions());
    QString why;
    const bool written = scene.WriteAnimation(file, FMoving, FSpeed, &why);
    QApplication::restoreOverrideCursor();
    if (!written)
        ShowFailure(file, why);
    return written;
}

// --- Modes of drawing -----------------------------------------------------------------------

void TFrmTessaly::TraceCurveClick()
{
    if (TraceCurve1->isChecked()) {
        TraceCrossHair();
        return;
    }
    // Free again: the read-outs show the crosshair's own position.
    NLabY->SetEmpty(!CBoxCrosshVis->isChecked());
    RCFuncCrossHairMove(*RCFunc, *RCFunc->CrossHair1());
}

void TFrmTessaly::DrawWhereDefinedClick()
{
    FDriver->DrawWhereDefined = DrawWhereDefined1->isChecked();
    FDriver->RecalcPlot();
}

void TFrmTessaly::TraceCrossHair()
{
    TCrossHair& c = *RCFunc->CrossHair1();
    if (!TraceCurve1 || !TraceCurve1->isChecked() || c.Mode() == chOff || FTracing)
        return;
    FTracing = true;
    const std::optional<double> y = FDriver->ValueAt(c.PosX());
    NLabX->SetValue(c.PosX());
    if (y && std::isfinite(*y)) {
        c.SetPosY(*y);
        NLabY->SetEmpty(false);
        NLabY->SetValue(*y);
    } else {
        // No value here: the read-out stays empty and the crosshair where it was.
        NLabY->SetEmpty(true);
    }
    FTracing = false;
}

// --- Zoom by wheel and keys -----------------------------------------------------------------

void TFrmTessaly::ZoomAround(double factorX, double factorY, QPointF center)
{
    auto zoomed = [](double low, double high, double at, double factor) {
        return std::array{at - (at - low) * factor, at + (high - at) * factor};
    };
    const auto x = zoomed(RCFunc->Scale1X()->RangeLow(), RCFunc->Scale1X()->RangeHigh(), center.x(), factorX);
    const auto y = zoomed(RCFunc->Scale1Y()->RangeLow(), RCFunc->Scale1Y()->RangeHigh(), center.y(), factorY);
    // Ranges too narrow to tell their ends apart, or too wide for numbers, stay as they are.
    auto usable = [](const std::array<double, 2>& r) {
        const double span = r[1] - r[0];
        return std::isfinite(span) && span != 0 &&
               std::fabs(span) > 1e-12 * std::max(std::fabs(r[0]), std::fabs(r[1]));
    };
    if (!usable(x) || !usable(y))
        return;
    try {
        RCFunc->SetRange(1, x[0], y[0], x[1], y[1]);
    } catch (const std::exception&) {
        return;
    }
    if (RCFunc->OnZoomPan)
        RCFunc->OnZoomPan(*RCFunc);
}

void TFrmTessaly::ZoomReset()
{
    RCFunc->SetRange(1, -100, -3, 100, 3);
    if (RCFunc->OnZoomPan)
        RCFunc->OnZoomPan(*RCFunc);
}

bool TFrmTessaly::ChartEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
        if (delta == 0)
            return true;
        const double factor = std::pow(ZoomStep, delta / 120.0);
        const QPoint p = wheel->position().toPoint();
        const Qt::KeyboardModifiers m = wheel->modifiers();
        ZoomAround(m & Qt::ControlModifier ? 1.0 : factor, m & Qt::ShiftModifier ? 1.0 : factor,
                   RCFunc->PixelToWorld(1, p.x(), p.y()));
        return true;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QPointF middle((RCFunc->Scale1X()->RangeLow() + RCFunc->Scale1X()->RangeHigh()) / 2,
                             (RCFunc->Scale1Y()->RangeLow() + RCFunc->Scale1Y()->RangeHigh()) / 2);
        switch (key->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomAround(ZoomStep, ZoomStep, middle);
            return true;
        case Qt::Key_Minus:
            ZoomAround(1 / ZoomStep, 1 / ZoomStep, middle);
            return true;
        case Qt::Key_0:
            ZoomReset();
            return true;
        default:
            return false;
        }
    }
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int curve = FDriver->KeptCurveAt(help->pos(), CurveTooltipReach);
        if (curve >= 0)
            QToolTip::showText(help->globalPos(), FDriver->KeptCurveText(size_t(curve)), RCFunc);
        else
            QToolTip::hideText();
        return true;
    }
    default:
        return false;
    }
}

// --- Typed values ---------------------------------------------------------------------------

void TFrmTessaly::EditParameter(int index)
{
    CloseValueEditor(false);
    TNumLab* label = NLabVar.at(static_cast<size_t>(index));
    ValueEditor = new QLineEdit(label->parentWidget());
    ValueEditor->setObjectName("ValueEditor");
    ValueEditor->setGeometry(label->x() + label->LeftSpace(), label->y(), label->LabelWidth(),
                             label->height());
    ValueEditor->setAlignment(Qt::AlignCenter);
    // -1 to 1 with at most two decimals, after a point or a comma.
    ValueEditor->setValidator(new QRegularExpressionValidator(
        QRegularExpression("[-+]?[01]?([.,][0-9]{0,2})?"), ValueEditor));
    ValueEditor->setText(QString::number(label->Value(), 'f', 2));
    ValueEditor->selectAll();
    ValueEditor->installEventFilter(this);
    ValueEditor->show();
    ValueEditor->setFocus(Qt::OtherFocusReason);
    FEditedParameter = index;
}

void TFrmTessaly::CloseValueEditor(bool apply)
{
    if (!ValueEditor)
        return;
    const size_t i = static_cast<size_t>(FEditedParameter);
    if (apply) {
        QString text = ValueEditor->text();
        text.replace(',', '.');
        bool ok = false;
        const double v = text.toDouble(&ok);
        if (!ok || v < -1 || v > 1) {
            QApplication::beep();
            return;
        }
        // Typing is an action on the parameter: it stops the parameter's animation.
        SetAnimated(int(i), false);
        SbarVar[i]->setValue(static_cast<int>(std::lround(v * 100)));
    }
    QLineEdit* editor = ValueEditor;
    ValueEditor = nullptr;
    FEditedParameter = -1;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
}

} // namespace tessaly
