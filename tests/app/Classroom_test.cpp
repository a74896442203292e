// The window's classroom features, driven through real Qt events where a user would use them:
// animated parameters, kept curves, the picture saved, copied and printed, window options, zoom
// by wheel and keys, the crosshair on the curve, drawing where defined and typed values.
#include "MainWindowSupport.h"

#include "app/ChartScene.h"
#include "app/ChartSetup.h"
#include "app/CommandLine.h"
#include "chart/CrossHair.h"
#include "chart/TextLabel.h"
#include "widgets/NumLab.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

#include <cmath>
#include <set>
#include <sstream>

namespace tessaly {
namespace {

using test::Window;

// The items' colours in drawing order, each once.
std::vector<TColor> ItemColors(const TRChart& chart)
{
    std::vector<TColor> colors;
    for (const ChartItem& item : chart.Items())
        if (colors.empty() || colors.back() != item.color)
            colors.push_back(item.color);
    return colors;
}

TViewOptions WindowOptions(std::vector<std::string> args)
{
    TViewOptions o;
    const auto why = ParseViewOptions(args, TOptionReader::Window, o);
    EXPECT_FALSE(why) << *why;
    return o;
}

void Wheel(QWidget* w, QPoint at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(Classroom, AnimationStepsTurnsAtTheEndsAndStopsOnAnyOtherAction)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    QScrollBar* a = win.SbarVar[0];
    QScrollBar* b = win.SbarVar[1];
    QTest::mouseClick(win.SButAnimate[0], Qt::LeftButton);
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
    QTest::keyClick(win.CBoxExpression->lineEdit(), Qt::Key_2, Qt::ControlModifier); // b's shortcut
    ASSERT_TRUE(win.Animated(0) && win.Animated(1));
    EXPECT_TRUE(win.SButAnimate[1]->isChecked());
    EXPECT_TRUE(win.SaveAnimation1->isEnabled());
    // Set by the program, not by the user: they keep moving.
    win.AnimationStep();
    for (QScrollBar* bar : {a, b}) {
        const QSignalBlocker quiet(bar);
        bar->setValue(bar == a ? 98 : 0);
    }
    const int b0 = b->value();
    std::vector<int> path;
    for (int i = 0; i < 4; ++i) {
        win.AnimationStep();
        path.push_back(a->value());
    }
    EXPECT_EQ(path, (std::vector<int>{99, 100, 99, 98}));
    EXPECT_EQ(b->value(), b0 - 4); // b turned at 1 in the first step
    EXPECT_DOUBLE_EQ(win.NLabVar[0]->Value(), 0.98);
    // The curve is that of the parameters shown.
    const double x = win.RCFunc->Items()[10].x;
    EXPECT_NEAR(w.Y(10), 0.98 * 5 * std::sin(b->value() / 100.0 * x) * std::cos(0.03 * x), 1e-9);

    // The timer moves them by itself.
    const int before = a->value();
    QTest::qWait(400);
    EXPECT_NE(a->value(), before);

    // A key on the scroll bar is an action on the parameter: a stops, b goes on.
    QTest::keyClick(a, Qt::Key_Right);
    EXPECT_FALSE(win.Animated(0));
    EXPECT_FALSE(win.SButAnimate[0]->isChecked());
    EXPECT_TRUE(win.Animated(1));
    QTest::mouseClick(win.SButAnimate[1], Qt::LeftButton);
    EXPECT_FALSE(win.Animated(1));
    EXPECT_FALSE(win.SaveAnimation1->isEnabled());
    const int still = b->value();
    QTest::qWait(150);
    EXPECT_EQ(b->value(), still);
}

TEST(Classroom, SpeedItemsSetTheStepsASecond)
{
    Window w;
    w.ShowAndCloseAbout();
    QAction* fifty = nullptr;
    for (QAction* a : w.win->SpeedMenu->actions())
        if (a->data().toInt() == 50)
            fifty = a;
    ASSERT_NE(fifty, nullptr);
    EXPECT_EQ(fifty->text(), "50 steps a second");
    fifty->trigger();
    EXPECT_EQ(w.win->AnimationSpeed(), 50);
    w.win->SetAnimationSpeed(1000);
    EXPECT_EQ(w.win->AnimationSpeed(), MaxAnimationSpeed);
}

TEST(Classroom, KeptCurvesLiePaleUnderTheLiveOneAndAreSampledAgainAfterAZoom)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    const int live = w.Points();
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
    QTest::keyClick(win.CBoxExpression->lineEdit(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(win.Driver().KeptCurves().size(), 1u);
    win.SbarVar[1]->setValue(20);
    win.KeepCurve1->trigger();
    win.SbarVar[1]->setValue(-50);
    EXPECT_EQ(w.Points(), 3 * live);
    const std::vector<TColor> colors = ItemColors(*win.RCFunc);
    ASSERT_EQ(colors.size(), 3u);
    EXPECT_EQ(colors.back(), clBlack); // the live curve last, on top
    EXPECT_NE(colors[0], colors[1]);
    const auto kept = win.Driver().KeptCurves();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_DOUBLE_EQ(kept[1].Parameters[1], 0.2);
    EXPECT_EQ(kept[1].Formula, SampleFormulas[0]);
    // Each kept curve is its formula with its own parameters.
    const ChartItem& k = win.RCFunc->Items()[live + 30];
    EXPECT_NEAR(k.y, 0.5 * 5 * std::sin(0.2 * k.x) * std::cos(0.03 * k.x), 1e-9);

    // The legend names them with the parameters their formula uses.
    const TTextLabel* legend = win.RCFunc->TextLabel(TextLabelCount - TPlotDriver::MaxKeptCurves + 2);
    EXPECT_TRUE(legend->Shown());
    EXPECT_EQ(legend->Caption(), QString(SampleFormulas[0]) + "   a=0.50 b=0.20 c=0.03");
    EXPECT_EQ(win.Driver().KeptCurveText(1),
              QString("y = %1\na = 0.50, b = 0.20, c = 0.03, d = 0.40").arg(SampleFormulas[0]));
    // The pointer over a kept curve finds it.
    const QPoint on = win.RCFunc->WorldToPixel(1, k.x, k.y);
    EXPECT_EQ(win.Driver().KeptCurveAt(on, 4), 1);

    // After a zoom they span the new x range, sampled again with their own parameters.
    Wheel(win.RCFunc, win.RCFunc->WorldToPixel(1, 0, 0), 120);
    EXPECT_NEAR(win.RCFunc->Items()[0].x, w.XLow(), 1e-9);
    const ChartItem& z = win.RCFunc->Items()[w.Points() / 3 + 7];
    EXPECT_NEAR(z.y, 0.5 * 5 * std::sin(0.2 * z.x) * std::cos(0.03 * z.x), 1e-9);

    // Up to eight: the oldest goes.
    for (int i = 0; i < 8; ++i)
        win.KeepCurve1->trigger();
    EXPECT_EQ(win.Driver().KeptCurves().size(), size_t(TPlotDriver::MaxKeptCurves));
    EXPECT_DOUBLE_EQ(win.Driver().KeptCurves()[0].Parameters[1], -0.5);
    win.ClearKept1->trigger();
    EXPECT_TRUE(win.Driver().KeptCurves().empty());
    EXPECT_FALSE(legend->Shown());
    EXPECT_EQ(ItemColors(*win.RCFunc).size(), 1u);
}

TEST(Classroom, SavedCopiedAndPrintedPicturesAreWhatRenderDraws)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    win.SbarVar[1]->setValue(30);
    win.KeepCurve1->trigger();
    win.SbarVar[1]->setValue(70);
    win.CBoxShowGrid->click();
    QString asked;
    win.AskSaveFileName = [&](const QString&, const QString& filter, const QString&) {
        asked = filter;
        return w.dir.filePath("saved"); // without its extension
    };
    ASSERT_TRUE(win.SavePictureClick("png"));
    EXPECT_EQ(asked, "PNG image (*.png)");
    ASSERT_TRUE(win.SavePictureClick("svg"));

    // The same state through the command line.
    const std::string rendered = w.dir.filePath("rendered.png").toStdString();
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine(std::vector<std::string>{"--render", rendered, "--set", "b=0.3", "--keep", SampleFormulas[0],
                              "--set", "b=0.7", "--no-grid"},
                             out, err),
              0)
        << err.str();
    const QImage saved(w.dir.filePath("saved.png"));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              QImage(QString::fromStdString(rendered)).convertToFormat(QImage::Format_RGB32));
    QFile svg(w.dir.filePath("saved.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("Liberation Sans"));

    win.CopyPictureClick();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(qvariant_cast<QImage>(copied->imageData()).convertToFormat(QImage::Format_RGB32),
              saved.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(copied->data("image/svg+xml").startsWith("<?xml"));

    const QString pdf = w.dir.filePath("printed.pdf");
    win.AskPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    ASSERT_TRUE(win.PrintClick());
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");

    // The moving parameters' sweep as a GIF.
    win.SetAnimated(3, true);
    win.AskSaveFileName = [&](const QString&, const QString&, const QString&) {
        return w.dir.filePath("sweep.gif");
    };
    ASSERT_TRUE(win.SaveAnimationClick());
    QFile gif(w.dir.filePath("sweep.gif"));
    ASSERT_TRUE(gif.open(QIODevice::ReadOnly));
    EXPECT_TRUE(gif.read(6) == "GIF89a");
    EXPECT_GT(gif.size(), 20000);
    win.SetAnimated(3, false);

    // Cancelled dialogs write nothing.
    win.AskSaveFileName = [](const QString&, const QString&, const QString&) { return QString(); };
    win.AskPrinter = [](QPrinter&) { return false; };
    EXPECT_FALSE(win.SavePictureClick("png"));
    EXPECT_FALSE(win.PrintClick());
    EXPECT_FALSE(win.SaveAnimationClick()); // nothing moves
}

TEST(Classroom, WindowOptionsPrepareAnExerciseAndTheHostLinkCanChangeIt)
{
    Window w;
    w.win->SetStartOptions(WindowOptions({"book.tsl", "--formula", "a*x^2+b", "--set", "a=0.333",
                                          "--set", "b=-2", "--x", "-5:5", "--y", "-1:4", "--no-grid",
                                          "--mode", "pan", "--keep", "x^2", "--trace",
                                          "--where-defined", "--speed", "50", "--animate", "c"}));
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    EXPECT_EQ(win.CBoxExpression->currentText(), "a*x^2+b");
    EXPECT_EQ(win.SbarVar[0]->value(), 33);   // rounded to a position
    EXPECT_EQ(win.SbarVar[1]->value(), -100); // limited to -1..1
    EXPECT_DOUBLE_EQ(w.XLow(), -5);
    EXPECT_DOUBLE_EQ(w.YHigh(), 4);
    EXPECT_FALSE(win.CBoxShowGrid->isChecked());
    EXPECT_TRUE(win.SButZoomPan->isChecked());
    EXPECT_EQ(win.RCFunc->MouseAction(), maPan);
    ASSERT_EQ(win.Driver().KeptCurves().size(), 1u);
    EXPECT_EQ(win.Driver().KeptCurves()[0].Formula, "x^2");
    EXPECT_TRUE(win.TraceCurve1->isChecked());
    EXPECT_TRUE(win.DrawWhereDefined1->isChecked());
    EXPECT_EQ(win.AnimationSpeed(), 50);
    EXPECT_TRUE(win.Animated(2));
    EXPECT_FALSE(win.Animated(0));

    // The host link replaces the parameters: the options among them apply, the rest stays.
    win.cliDemon->Params = {"/prog", "--formula", "sin(x)", "--set", "d=0.1", "--keep", "x",
                            "--keep", "-x"};
    win.cliDemon->OnParamsChange(*win.cliDemon);
    EXPECT_EQ(win.CBoxExpression->currentText(), "sin(x)");
    EXPECT_EQ(win.SbarVar[3]->value(), 10);
    EXPECT_EQ(win.Driver().KeptCurves().size(), 2u);
    EXPECT_DOUBLE_EQ(w.XLow(), -5);
    // Wrong options from the host change nothing.
    win.cliDemon->Params = {"/prog", "--formula", "x", "--x", "1"};
    win.cliDemon->OnParamsChange(*win.cliDemon);
    EXPECT_EQ(win.CBoxExpression->currentText(), "sin(x)");
}

TEST(Classroom, OptionsParseForTheWindowAndForCommands)
{
    TViewOptions o = WindowOptions({"--set", "a=0.1", "--keep", "a*x", "--set", "a=0.2", "--keep",
                                    "b", "param", "--crosshair", "1:2", "--no-crosshair"});
    ASSERT_TRUE(o.Keep);
    ASSERT_EQ(o.Keep->size(), 2u);
    EXPECT_EQ((*o.Keep)[0].Parameters, (std::array{0.1, 1.0, 0.03, 0.4}));
    EXPECT_EQ((*o.Keep)[1].Parameters, (std::array{0.2, 1.0, 0.03, 0.4}));
    EXPECT_EQ(o.CrossHairVisible, false); // the later option wins
    EXPECT_FALSE(o.Formula);

    struct Case { std::vector<std::string> args; TOptionReader reader; std::string reason; };
    const Case wrong[] = {
        {{"--size", "10x10"}, TOptionReader::Window, "--size is an option of --render"},
        {{"--mode", "pan"}, TOptionReader::Command, "unknown option '--mode'"},
        {{"--mode", "zoom"}, TOptionReader::Window, "--mode wants"},
        {{"--animate", "x"}, TOptionReader::Window, "--animate wants"},
        {{"--speed", "1"}, TOptionReader::Window, "--speed wants"},
        {{"--speed", "2.5"}, TOptionReader::Window, "--speed wants"},
        {{"--keep"}, TOptionReader::Command, "--keep needs a value"},
        {{"stray"}, TOptionReader::Command, "unknown option 'stray'"},
    };
    for (const Case& c : wrong) {
        TViewOptions ignored;
        const auto why = ParseViewOptions(c.args, c.reader, ignored);
        ASSERT_TRUE(why) << c.reason;
        EXPECT_NE(why->find(c.reason), std::string::npos) << *why;
    }
    // At the start, wrong window options end the program with the usage text.
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"--formula", "x", "--x", "1"}, out, err), 2);
    EXPECT_NE(err.str().find("--x wants LO:HI"), std::string::npos);
    TViewOptions fromStart;
    EXPECT_EQ(RunCommandLine({"--formula", "x", "book.tsl"}, out, err, &fromStart), -1);
    EXPECT_EQ(fromStart.Formula, "x");
}

TEST(Classroom, WheelAndKeysZoomAroundThePointerAndBack)
{
    Window w;
    w.ShowAndCloseAbout();
    TRChart* chart = w.win->RCFunc;
    const QPoint at = chart->WorldToPixel(1, 50, 1);
    const QPointF world = chart->PixelToWorld(1, at.x(), at.y());
    Wheel(chart, at, 120);
    EXPECT_NEAR(w.XHigh() - w.XLow(), 200 * 0.8, 1e-9);
    EXPECT_NEAR(w.YHigh() - w.YLow(), 6 * 0.8, 1e-9);
    // The world point under the pointer stays there.
    EXPECT_NEAR((world.x() - w.XLow()) / (w.XHigh() - w.XLow()), (world.x() + 100) / 200, 1e-12);
    EXPECT_NEAR(chart->Items()[0].x, w.XLow(), 1e-9); // redrawn in the new range
    Wheel(chart, at, -120, Qt::ShiftModifier);       // x only
    EXPECT_NEAR(w.XHigh() - w.XLow(), 200, 1e-9);
    EXPECT_NEAR(w.YHigh() - w.YLow(), 6 * 0.8, 1e-9);
    Wheel(chart, at, -120, Qt::ControlModifier);     // y only
    EXPECT_NEAR(w.XHigh() - w.XLow(), 200, 1e-9);
    EXPECT_NEAR(w.YHigh() - w.YLow(), 6, 1e-9);

    chart->setFocus();
    QTest::keyClick(chart, Qt::Key_Plus);
    EXPECT_NEAR(w.XHigh() - w.XLow(), 160, 1e-9);
    QTest::keyClick(chart, Qt::Key_Minus);
    QTest::keyClick(chart, Qt::Key_Minus);
    EXPECT_NEAR(w.XHigh() - w.XLow(), 250, 1e-9);
    QTest::keyClick(chart, Qt::Key_0);
    EXPECT_DOUBLE_EQ(w.XLow(), -100);
    EXPECT_DOUBLE_EQ(w.XHigh(), 100);
    EXPECT_DOUBLE_EQ(w.YLow(), -3);
    EXPECT_DOUBLE_EQ(w.YHigh(), 3);
    // A range too narrow to be drawn is not made.
    for (int i = 0; i < 400; ++i)
        Wheel(chart, at, 120);
    EXPECT_GT(w.XHigh(), w.XLow());
    EXPECT_GT(chart->Items().Count(), 100);
}

TEST(Classroom, TheCrosshairOnTheCurveShowsFOfX)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    w.Type("x/50");
    win.TraceCurve1->trigger();
    TRChart* chart = win.RCFunc;
    const QPoint start = chart->WorldToPixel(1, 0, 0);
    const QPoint target = chart->WorldToPixel(1, 60, -2.5);
    QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(chart, start + QPoint(1, 1));
    QTest::mouseMove(chart, target);
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, target);
    const double x = chart->CrossHair1()->PosX();
    EXPECT_NEAR(x, 60, 0.5);
    EXPECT_DOUBLE_EQ(chart->CrossHair1()->PosY(), x / 50);
    EXPECT_DOUBLE_EQ(win.NLabY->Value(), x / 50);
    // It follows the curve when the formula changes, and is free again when switched off.
    w.Type("x/25");
    EXPECT_DOUBLE_EQ(chart->CrossHair1()->PosY(), x / 25);
    win.TraceCurve1->trigger();
    QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, target);
    QTest::mouseMove(chart, target + QPoint(1, 1));
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, target + QPoint(1, 1));
    EXPECT_NEAR(chart->CrossHair1()->PosY(), -2.5, 0.1);
}

TEST(Classroom, DrawWhereDefinedLeavesGapsAndKeepsTheFirstError)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    w.Type("ln(x)");
    EXPECT_EQ(w.Points(), 1); // the curve ends at the first error
    win.DrawWhereDefined1->trigger();
    const int all = w.Points();
    EXPECT_GT(all, 500);
    EXPECT_TRUE(win.LblError->isVisible());
    EXPECT_TRUE(win.LblError->toolTip().endsWith("at x = -100")) << win.LblError->toolTip().toStdString();
    int drawn = 0;
    for (const ChartItem& item : win.RCFunc->Items()) {
        if (item.kind != ItemKindDrawTo)
            continue;
        ++drawn;
        EXPECT_GT(item.x, 0); // no line where ln has no value
        EXPECT_NEAR(item.y, std::log(item.x), 1e-12);
    }
    EXPECT_GT(drawn, all / 2 - 5);
    win.DrawWhereDefined1->trigger();
    EXPECT_EQ(w.Points(), 1);
}

TEST(Classroom, ADoubleClickOnAReadOutTypesTheValue)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    auto type = [&](int index, const QString& text, Qt::Key end) {
        QTest::mouseDClick(win.NLabVar[size_t(index)], Qt::LeftButton);
        EXPECT_NE(win.ValueEditor, nullptr);
        if (!win.ValueEditor)
            return;
        win.ValueEditor->selectAll();
        QTest::keyClicks(win.ValueEditor, text);
        QTest::keyClick(win.ValueEditor, end);
    };
    win.SetAnimated(1, true);
    type(1, "-0,25", Qt::Key_Return);
    EXPECT_EQ(win.ValueEditor, nullptr);
    EXPECT_EQ(win.SbarVar[1]->value(), -25);
    EXPECT_DOUBLE_EQ(win.NLabVar[1]->Value(), -0.25);
    EXPECT_FALSE(win.Animated(1)); // typing stops the animation
    const double x = win.RCFunc->Items()[3].x;
    EXPECT_NEAR(w.Y(3), 0.5 * 5 * std::sin(-0.25 * x) * std::cos(0.03 * x), 1e-9);

    type(2, ".5", Qt::Key_Escape);
    EXPECT_EQ(win.SbarVar[2]->value(), 3);
    type(3, "1.5", Qt::Key_Enter); // outside -1..1: the box stays open
    ASSERT_NE(win.ValueEditor, nullptr);
    EXPECT_EQ(win.SbarVar[3]->value(), 40);
    win.ValueEditor->setText("1.");
    QTest::keyClick(win.ValueEditor, Qt::Key_Enter);
    EXPECT_EQ(win.SbarVar[3]->value(), 100);
}

TEST(Classroom, NewTextsAreTranslated)
{
    Window english;
    auto texts = [](TFrmTessaly& win) {
        QStringList t;
        for (QAction* a : {win.KeepCurve1, win.ClearKept1, win.SavePng1, win.SaveSvg1,
                           win.CopyPicture1, win.Print1, win.SaveAnimation1, win.TraceCurve1,
                           win.DrawWhereDefined1, win.SpeedMenu->menuAction(),
                           win.SpeedMenu->actions().front()})
            t << a->text();
        t << win.SButAnimate[0]->toolTip() << win.NLabVar[0]->toolTip();
        return t;
    };
    const QStringList keys = texts(*english.win);
    for (const char* file : {"tessaly.de.itl", "tessaly.fr.itl", "tessaly.es.itl"}) {
        Window w(file);
        const QStringList translated = texts(*w.win);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            EXPECT_NE(translated[i], keys[i]) << file;
            EXPECT_FALSE(translated[i].isEmpty() || translated[i].contains("<%")) << file;
        }
        // The designed items stay as they are.
        EXPECT_EQ(w.win->Zoom111->text(), "Zoom 1:1");
    }
}

} // namespace tessaly
