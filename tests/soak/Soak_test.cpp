// Thousands of random user actions on the real window: drags in every mode inside and outside
// the chart, zero-length drags, zoom windows from every corner, far pans, crosshair drags, scroll
// bars, range buttons and formula edits. Nothing may crash, hang, warn or leave a range that is
// not finite.
#include "app/mainfrm.h"

#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "host/AboutBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace tessaly;

namespace {

int gWarnings = 0;
QString gFirstWarning;

void CountWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    if (gWarnings++ == 0)
        gFirstWarning = text;
}

} // namespace

TEST(Soak, TenThousandRandomActionsLeaveTheWindowWorking)
{
    QTemporaryDir dir;
    TDemonStart start;
    start.Arguments = {dir.filePath("tessaly-soak")};
    start.ViewerHandle = QString();
    TFrmTessaly win(start);
    win.show();
    QApplication::processEvents();
    QApplication::processEvents();  // the first-show sequence, without an about box

    const QtMessageHandler previous = qInstallMessageHandler(CountWarnings);
    std::mt19937 rng(12345);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    TRChart* chart = win.RCFunc;
    QToolButton* modes[] = {win.SButZoomWind, win.SButZoomDrag, win.SButZoomPan, win.SbutDragCursor};
    QToolButton* ranges[] = {win.SButZoom11, win.SButYScale, win.SButZoom01};
    const QStringList formulas = {
        "a*5*sin(b*x) * cos (c*x)", "exp(x)", "1/x", "ln(x)", "x^x", "tan(x)", "gauss*1e300",
        "sqrt(-1)", "((((x", "1e308*x*x", "round(x*1e20)", "2(3)", QString(3000, '('),
        QString("x+").repeated(700) + "x", "ndquant(x/200+0.5)", "-x^2", "rand(x)", "x#0.3", ""};
    auto randomPoint = [&] {
        // Mostly inside the chart, sometimes outside it or on its edges.
        const int w = chart->width(), h = chart->height();
        return QPoint(pick(w + 200) - 100, pick(h + 200) - 100);
    };

    QElapsedTimer action;
    qint64 slowest = 0;
    for (int i = 0; i < 10000; ++i) {
        action.start();
        switch (pick(11)) {
        case 0: QTest::mouseClick(modes[pick(4)], Qt::LeftButton); break;
        case 10: {
            // The check boxes and the popup menu's items.
            QAction* items[] = {win.Zoom111, win.ZoomOut1, win.ZoomDrag1, win.Pan1, win.MoveCrosshair1};
            const int k = pick(7);
            if (k < 5)
                items[k]->trigger();
            else
                QTest::mouseClick(k == 5 ? win.CBoxShowGrid : win.CBoxCrosshVis, Qt::LeftButton);
            break;
        }
        case 1: QTest::mouseClick(ranges[pick(3)], Qt::LeftButton); break;
        case 2: win.SbarVar[size_t(pick(4))]->setValue(pick(201) - 100); break;
        case 3: {
            QLineEdit* edit = win.CBoxExpression->lineEdit();
            edit->setText(formulas[pick(int(formulas.size()))]);
            if (pick(3) == 0)
                QTest::keyClick(edit, Qt::Key_Return);
            break;
        }
        default: {
            // A drag: press, a few moves (possibly none, possibly far out), release.
            const QPoint from = randomPoint();
            const Qt::MouseButton button = pick(8) == 0 ? Qt::RightButton : Qt::LeftButton;
            QTest::mousePress(chart, button, Qt::NoModifier, from);
            QPoint at = from;
            const int moves = pick(5);
            for (int m = 0; m < moves; ++m) {
                at = pick(4) == 0 ? QPoint(pick(20000) - 10000, pick(20000) - 10000) : randomPoint();
                QTest::mouseMove(chart, at);
            }
            QTest::mouseRelease(chart, button, Qt::NoModifier, at);
            break;
        }
        }
        slowest = std::max(slowest, action.elapsed());
        ASSERT_LT(action.elapsed(), 2000) << "action " << i;
        for (int layer = 1; layer <= 1; ++layer) {
            ASSERT_TRUE(std::isfinite(chart->Scale1X()->RangeLow())) << i;
            ASSERT_TRUE(std::isfinite(chart->Scale1X()->RangeHigh())) << i;
            ASSERT_TRUE(std::isfinite(chart->Scale1Y()->RangeLow())) << i;
            ASSERT_TRUE(std::isfinite(chart->Scale1Y()->RangeHigh())) << i;
        }
        if (i % 50 == 0)
            QApplication::processEvents();
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(gWarnings, 0) << gFirstWarning.toStdString();
    RecordProperty("slowest_action_ms", int(slowest));
}
