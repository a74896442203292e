// The window for every student, driven as such a student drives it: by the keyboard alone
// (focus order, visible focus, access keys, the chart's keys and menu), through a screen reader's
// view of it (names, roles, values, the chart's description, events), as sound, and at the
// presentation sizes.
#include "MainWindowSupport.h"

#include "app/ChartDescription.h"
#include "app/CommandLine.h"
#include "app/Sonify.h"
#include "chart/CrossHair.h"
#include "gfx/MessageBox.h"
#include "html/HtmlView.h"
#include "widgets/Announce.h"
#include "widgets/FocusRing.h"
#include "widgets/NumLab.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

#include <cmath>
#include <numbers>
#include <sstream>

namespace tessaly {
namespace {

using test::Window;

// The widget that shows the focus: an editable combo box rather than its line edit.
QWidget* Focused()
{
    QWidget* w = QApplication::focusWidget();
    if (w && w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget()))
        return w->parentWidget();
    return w;
}

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

void Activate(TFrmTessaly& win)
{
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
}

QAccessibleInterface* Accessible(QObject* o)
{
    return QAccessible::queryAccessibleInterface(o);
}

// The accessibility events announced while it lives.
struct Events {
    Events()
    {
        Before = SetAnnouncementObserver([this](QAccessibleEvent& e) {
            Seen.push_back({e.object(), e.type()});
        });
    }
    ~Events() { SetAnnouncementObserver(Before); }
    bool Has(QObject* o, QAccessible::Event type) const
    {
        return std::find(Seen.begin(), Seen.end(), std::pair(o, type)) != Seen.end();
    }
    std::vector<std::pair<QObject*, QAccessible::Event>> Seen;
    TAnnouncementObserver Before;
};

} // namespace

TEST(Access, TabGoesThroughEveryControlInOrderAndOutOfTheChart)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    Activate(win);
    EXPECT_EQ(Focused(), win.CBoxExpression);
    EXPECT_FALSE(win.FocusRing()->isVisible()); // the window starts as designed
    std::vector<QWidget*> expected(win.SbarVar.begin(), win.SbarVar.end());
    expected.insert(expected.end(), {win.RCFunc, win.SButZoom11, win.SButYScale, win.SButZoom01,
                                     win.SButZoomWind, win.CBoxShowGrid, win.CBoxCrosshVis});
    expected.insert(expected.end(), win.SButAnimate.begin(), win.SButAnimate.end());
    expected.insert(expected.end(), {win.SBAbout, win.SBExit, win.HTMLView});
    for (QWidget* next : expected) {
        Press(Qt::Key_Tab);
        ASSERT_EQ(Focused(), next) << next->objectName().toStdString() << " expected, "
                                   << (Focused() ? Focused()->objectName().toStdString() : "none");
        // Every control shows that it has the focus, the flat buttons too.
        EXPECT_TRUE(win.FocusRing()->isVisible());
        EXPECT_EQ(win.FocusRing()->Target(), next);
        // The mouse modes are one group, one stop of Tab: the arrow keys go through it.
        if (next == win.SButZoomWind) {
            // They lie two by two: right, down, left.
            const std::pair<int, QWidget*> moves[] = {{Qt::Key_Right, win.SButZoomDrag},
                                                      {Qt::Key_Down, win.SbutDragCursor},
                                                      {Qt::Key_Left, win.SButZoomPan}};
            for (const auto& [arrow, mode] : moves) {
                Press(arrow);
                EXPECT_EQ(Focused(), mode) << mode->objectName().toStdString();
                EXPECT_EQ(win.FocusRing()->Target(), mode);
            }
        }
    }
    // Back from the buttons into the chart and out of it the other way.
    win.SButZoom11->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), win.RCFunc);
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), win.SbarVar[3]);
    // A click is the mouse again: the ring goes.
    QTest::mouseClick(win.CBoxExpression->lineEdit(), Qt::LeftButton);
    EXPECT_FALSE(win.FocusRing()->isVisible());
}

TEST(Access, AccessKeysReachControlsModesAndRangeCommands)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    Activate(win);
    Press(Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(win.SButZoomPan->isChecked());
    EXPECT_EQ(win.RCFunc->MouseAction(), maPan);
    Press(Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(win.RCFunc->MouseAction(), maZoomWindPos);
    Press(Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(win.RCFunc->MouseAction(), maZoomDrag);
    Press(Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(win.RCFunc->MouseAction(), maDragCrossH);
    Press(Qt::Key_0, Qt::AltModifier);
    EXPECT_DOUBLE_EQ(w.XLow(), 1e-30);
    Press(Qt::Key_1, Qt::AltModifier);
    EXPECT_DOUBLE_EQ(w.XLow(), -100);
    EXPECT_NE(w.YHigh(), 3); // fitted
    win.RCFunc->SetRange(1, -50, -3, 50, 3);
    Press(Qt::Key_Y, Qt::AltModifier);
    EXPECT_DOUBLE_EQ(w.XLow(), -50);
    EXPECT_NE(w.YHigh(), 3);
    Press(Qt::Key_G, Qt::AltModifier);
    EXPECT_FALSE(win.CBoxShowGrid->isChecked());
    Press(Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(Focused(), win.SbarVar[1]);
    // The parameter by keys: left and down smaller, right and up larger, pages of 0.1.
    const int before = win.SbarVar[1]->value();
    Press(Qt::Key_Left);
    EXPECT_EQ(win.SbarVar[1]->value(), before - 1);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(win.SbarVar[1]->value(), before - 11);
    Press(Qt::Key_Up);
    EXPECT_EQ(win.SbarVar[1]->value(), before - 10);
    EXPECT_DOUBLE_EQ(win.NLabVar[1]->Value(), (before - 10) / 100.0);
    Press(Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(Focused(), win.RCFunc);
    Press(Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(Focused(), win.CBoxExpression);
    // The keys are shown with the tooltips, which keep their designed texts.
    EXPECT_EQ(win.KeyHint(win.SButZoomPan), "Alt+P");
    EXPECT_EQ(win.SButZoomPan->toolTip(), "pan the diagram");
    EXPECT_TRUE(win.SButAnimate[0]->toolTip().endsWith("(Ctrl+1)"));
}

TEST(Access, TheChartsKeysMoveTheCrosshairAndOpenItsMenu)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    Activate(win);
    TRChart* chart = win.RCFunc;
    chart->setFocus(Qt::TabFocusReason);
    const QPoint start = chart->WorldToPixel(1, 0, 0);
    for (int i = 0; i < 5; ++i)
        Press(Qt::Key_Right);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    Press(Qt::Key_Up);
    const QPoint now = chart->WorldToPixel(1, chart->CrossHair1()->PosX(), chart->CrossHair1()->PosY());
    EXPECT_EQ(now, start + QPoint(15, -1));
    EXPECT_DOUBLE_EQ(win.NLabX->Value(), chart->CrossHair1()->PosX());
    EXPECT_DOUBLE_EQ(win.NLabY->Value(), chart->CrossHair1()->PosY());
    // With the crosshair on the curve, it follows the curve.
    win.TraceCurve1->trigger();
    Press(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(chart->CrossHair1()->PosY(), *win.Driver().ValueAt(chart->CrossHair1()->PosX()));
    // Far to the right it stops at the edge of the data area.
    for (int i = 0; i < 80; ++i)
        Press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_LE(chart->CrossHair1()->PosX(), 100);

    for (const auto& [key, modifiers] : {std::pair(Qt::Key_F10, Qt::ShiftModifier),
                                         std::pair(Qt::Key_Menu, Qt::NoModifier)}) {
        chart->setFocus(Qt::TabFocusReason);
        bool shown = false;
        QTimer::singleShot(100, [&] {
            shown = win.PopMenRC->isVisible();
            win.PopMenRC->close();
        });
        QTest::keyClick(chart, key, modifiers);
        QTest::qWait(200);
        EXPECT_TRUE(shown) << key;
    }
}

TEST(Access, AScreenReaderFindsNamesRolesValuesAndTheChartsDescription)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    QAccessibleInterface* bar = Accessible(win.SbarVar[0]);
    EXPECT_EQ(bar->text(QAccessible::Name), "Parameter a");
    EXPECT_EQ(bar->role(), QAccessible::ScrollBar);
    QAccessibleInterface* readout = Accessible(win.NLabVar[1]);
    EXPECT_EQ(readout->role(), QAccessible::StaticText);
    EXPECT_EQ(readout->text(QAccessible::Name), "Value of parameter b");
    EXPECT_EQ(readout->text(QAccessible::Value), "1.00");
    EXPECT_EQ(readout->valueInterface()->currentValue().toDouble(), 1.0);
    EXPECT_EQ(Accessible(win.NLabX)->text(QAccessible::Name), "Crosshair x");
    EXPECT_EQ(Accessible(win.SButZoomPan)->text(QAccessible::Name), "Pan");
    EXPECT_TRUE(Accessible(win.SButZoomPan)->text(QAccessible::Description).contains("Alt+P"));
    EXPECT_EQ(Accessible(win.CBoxExpression->lineEdit())->text(QAccessible::Name), "Formula y = f(x)");
    EXPECT_EQ(Accessible(win.HTMLView)->text(QAccessible::Name), "Explanation");

    QAccessibleInterface* chart = Accessible(win.RCFunc);
    EXPECT_EQ(chart->role(), QAccessible::Chart);
    EXPECT_EQ(chart->text(QAccessible::Name), "Chart");
    const QString d = chart->text(QAccessible::Description);
    EXPECT_TRUE(d.startsWith("Chart of y = a*5*sin(b*x) * cos (c*x). x from -100 to 100, y from -3 to 3."))
        << d.toStdString();
    EXPECT_TRUE(d.contains("The curve crosses y = 0 at ")) << d.toStdString();
    EXPECT_TRUE(d.contains(QRegularExpression("Highest value 2\\.\\d+ at x = -?\\d"))) << d.toStdString();
    EXPECT_TRUE(d.endsWith("Crosshair at x = 0, y = 0.")) << d.toStdString();

    // Kept curves and errors are told too; the description follows every change.
    win.KeepCurve1->trigger();
    w.Type("ln(x)");
    const QString e = chart->text(QAccessible::Description);
    EXPECT_TRUE(e.contains("Kept curves: y = a*5*sin(b*x) * cos (c*x) (a = 0.5, b = 1, c = 0.03, d = 0.4).")) << e.toStdString();
    EXPECT_TRUE(e.contains("Error: invalid argument of logarithm at x = -100.")) << e.toStdString();
    EXPECT_TRUE(e.contains("The curve has no value here.")) << e.toStdString();

    Window de("tessaly.de.itl");
    EXPECT_EQ(Accessible(de.win->RCFunc)->text(QAccessible::Name), "Diagramm");
    EXPECT_EQ(Accessible(de.win->NLabVar[0])->text(QAccessible::Name), "Wert des Parameters a");
    EXPECT_TRUE(de.win->ChartDescription().startsWith("Diagramm von y = "));
}

TEST(Access, CrosshairMovesAndNewErrorsAreAnnounced)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    Events events;
    win.MoveCrossHairBy(3, 0);
    EXPECT_TRUE(events.Has(win.RCFunc, QAccessible::DescriptionChanged));
    EXPECT_TRUE(events.Has(win.NLabX, QAccessible::ValueChanged));
    EXPECT_FALSE(events.Has(win.LblError, QAccessible::Alert));
    w.Type("1/0");
    EXPECT_TRUE(events.Has(win.LblError, QAccessible::Alert));
    // The same error again is not announced again.
    events.Seen.clear();
    win.SbarVar[0]->setValue(10);
    EXPECT_FALSE(events.Has(win.LblError, QAccessible::Alert));
}

TEST(Access, CurveFactsCountCrossingsOnlyWhereTheCurveRunsOn)
{
    std::vector<TCurveSample> s;
    for (int i = 0; i <= 400; ++i) {
        const double x = -10 + i * 0.05;
        s.push_back({x, std::sin(x)});
    }
    TCurveFacts f = CurveFacts(s, std::vector<bool>(s.size(), false));
    EXPECT_EQ(f.Crossings, 7); // -3pi .. 3pi
    EXPECT_NEAR(f.FirstCrossing, -3 * std::numbers::pi, 1e-3);
    EXPECT_NEAR(f.LastCrossing, 3 * std::numbers::pi, 1e-3);
    EXPECT_NEAR(f.MaxY, 1, 1e-3);
    // A jump across y = 0 is no crossing; samples without a value are no extremes.
    const std::vector<TCurveSample> jump = {{0, -1}, {1, 1}, {2, 2}, {3, 9, false}};
    f = CurveFacts(jump, {false, true, false, true});
    EXPECT_EQ(f.Crossings, 0);
    EXPECT_EQ(f.MaxY, 2);
    EXPECT_EQ(SpokenNumber(-0.0), "0");
    EXPECT_EQ(SpokenNumber(2.4849), "2.48");
}

TEST(Access, DescribePrintsWhatTheWindowTells)
{
    Window w;
    w.ShowAndCloseAbout();
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine({"--describe"}, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), w.win->ChartDescription().toStdString() + "\n");
    out.str("");
    ASSERT_EQ(RunCommandLine({"--describe", "--formula", "x/50", "--no-crosshair"}, out, err), 0);
    EXPECT_EQ(out.str(), "Chart of y = x/50. x from -100 to 100, y from -3 to 3. The curve crosses "
                         "y = 0 once, at x = 0. Highest value 2 at x = 100; lowest -2 at x = -100.\n");
    EXPECT_EQ(RunCommandLine({"--describe", "--x", "1"}, out, err), 1);
}

TEST(Access, TheSoundsPitchRisesAndFallsWithTheCurve)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("curve.wav");
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine({"--sonify", file.toStdString(), "--formula", "2*sin(x/20)"}, out, err), 0)
        << err.str();
    QFile wav(file);
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    const QByteArray bytes = wav.readAll();
    ASSERT_GT(bytes.size(), 44);
    EXPECT_TRUE(bytes.startsWith("RIFF") && bytes.mid(8, 8) == "WAVEfmt ");
    const TSoundSettings sound;
    const auto* pcm = reinterpret_cast<const std::int16_t*>(bytes.constData() + 44);
    const size_t n = static_cast<size_t>(bytes.size() - 44) / 2;
    ASSERT_EQ(n, static_cast<size_t>(sound.SampleRate * sound.Seconds));
    // In windows of 0.1 s the zero crossings give the pitch; it follows 2 sin(x/20).
    const size_t window = static_cast<size_t>(sound.SampleRate / 10);
    int checked = 0;
    for (size_t start = 0; start + window <= n; start += window) {
        const double x = -100 + 200 * (static_cast<double>(start) + static_cast<double>(window) / 2) / static_cast<double>(n);
        const double y = 2 * std::sin(x / 20);
        if (std::fabs(y) < 0.3)
            continue; // a click at the crossing of y = 0 lies near
        int crossings = 0;
        for (size_t i = start + 1; i < start + window; ++i)
            crossings += (pcm[i - 1] < 0) != (pcm[i] < 0);
        const double heard = crossings / 2.0 / 0.1;
        EXPECT_NEAR(heard, PitchOf(y, -3, 3), PitchOf(y, -3, 3) * 0.12) << "x = " << x;
        ++checked;
    }
    EXPECT_GT(checked, 20);
    // Where the curve leaves the chart or has no value there is silence.
    const std::vector<std::int16_t> silent =
        SonifyCurve(std::vector<TCurveSample>{{-1, 5}, {1, 5}}, {false, false}, -1, 1, -3, 3);
    EXPECT_TRUE(std::all_of(silent.begin(), silent.end(), [](std::int16_t v) { return v == 0; }));
    EXPECT_EQ(RunCommandLine({"--sonify", dir.filePath("x.mp3").toStdString()}, out, err), 1);
}

TEST(Access, TheWindowPlaysTheCurveOrSaysThereIsNoSound)
{
    Window w;
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    std::vector<std::int16_t> played;
    win.PlaySound = [&](const std::vector<std::int16_t>& pcm, int) {
        played = pcm;
        return true;
    };
    QString told;
    const TInformationHandler before = SetInformationHandler([&](const QString& t) { told = t; });
    win.SoundDevice = [] { return false; };
    win.PlayCurve1->trigger();
    EXPECT_EQ(told, "There is no sound device.");
    EXPECT_TRUE(played.empty());
    win.SoundDevice = [] { return true; };
    Activate(win);
    Press(Qt::Key_F7);
    EXPECT_EQ(played.size(), static_cast<size_t>(TSoundSettings{}.SampleRate * TSoundSettings{}.Seconds));
    Press(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_LT(played.size(), static_cast<size_t>(TSoundSettings{}.SampleRate));
    SetInformationHandler(before);
}

TEST(Access, PresentationSizesScaleTheWholeWindowAndComeBackExactly)
{
    Window w("tessaly.itl"); // with the explanation page
    w.ShowAndCloseAbout();
    TFrmTessaly& win = *w.win;
    std::vector<std::pair<QWidget*, QRect>> designed;
    for (QWidget* c : {static_cast<QWidget*>(win.SbarVar[2]), static_cast<QWidget*>(win.NLabVar[1]),
                       static_cast<QWidget*>(win.SButZoomPan), static_cast<QWidget*>(win.CBoxShowGrid),
                       static_cast<QWidget*>(win.Label4), static_cast<QWidget*>(win.RCFunc),
                       static_cast<QWidget*>(win.CBoxExpression)})
        designed.push_back({c, c->geometry()});
    Activate(win);
    win.SButZoomPan->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(win.PresentationPercent(), 125);
    win.SetPresentationPercent(200);
    // The focus ring went along with its button; the page's sizes grew too.
    EXPECT_EQ(win.FocusRing()->geometry(),
              QRect(win.SButZoomPan->mapTo(&win, QPoint(0, 0)), win.SButZoomPan->size()).adjusted(-4, -4, 4, 4));
    EXPECT_TRUE(win.HTMLView->toHtml().contains("font-size:22pt"));
    EXPECT_EQ(win.CBoxExpression->font().pixelSize(), 34);
    EXPECT_EQ(win.font().pixelSize(), 26);
    EXPECT_EQ(win.SbarVar[2]->geometry(), QRect(698, 172, 260, 32));
    EXPECT_EQ(win.NLabVar[1]->LabelWidth(), 122);
    EXPECT_EQ(win.RCFunc->LineWidth(), 2);
    EXPECT_EQ(win.RCFunc->CrossHair1()->LineWid(), 2);
    EXPECT_EQ(win.RCFunc->MarginTop(), 40);
    // One sample per pixel column of the data area.
    const int data = win.RCFunc->width() - win.RCFunc->MarginLeft() - win.RCFunc->MarginRight();
    EXPECT_NEAR(w.Points(), data + 1, 1);
    Press(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(win.PresentationPercent(), 100);
    for (const auto& [c, g] : designed)
        EXPECT_EQ(c->geometry(), g) << c->objectName().toStdString();
    EXPECT_EQ(win.RCFunc->LineWidth(), 1);
    EXPECT_EQ(win.RCFunc->MarginLeft(), 50);
    win.SetPresentationPercent(1000);
    EXPECT_EQ(win.PresentationPercent(), 300);

    // Back at 100 % the window looks exactly as it did.
    Window fresh("tessaly.itl");
    fresh.ShowAndCloseAbout();
    const QImage before = fresh.win->grab().toImage();
    fresh.win->SetPresentationPercent(250);
    EXPECT_NE(fresh.win->grab().toImage(), before);
    fresh.win->SetPresentationPercent(100);
    QApplication::processEvents();
    EXPECT_EQ(fresh.win->grab().toImage(), before);
}

} // namespace tessaly
