// From a scroll-bar step to the repainted chart: the parameter label, RecalcPlot (one evaluation
// per pixel column, and the continuity test's evaluations) and ShowItems with the chart's
// repaint, for each sample formula and three with poles and jumps, at the window's design size
// and in a window 3840 pixels wide, with the continuity test and without it. Runs inside a
// process that has painted with Qt, as the program does.
#include "app/ChartSetup.h"
#include "app/mainfrm.h"

#include "chart/RChart.h"

#include "QtBenchmarkMain.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tessaly;

namespace {

TFrmTessaly& Window(int width)
{
    static QTemporaryDir dir;
    static std::map<int, std::unique_ptr<TFrmTessaly>> windows;
    auto& w = windows[width];
    if (!w) {
        TDemonStart start;
        start.Arguments = {dir.filePath(QString("tessaly-bench-%1").arg(width))};
        start.ViewerHandle = QString();
        w = std::make_unique<TFrmTessaly>(start);
        w->resize(width, TFrmTessaly::DesignHeight);
        w->show();
        QApplication::processEvents();
        QApplication::processEvents();
    }
    return *w;
}

// The sample formulas, then formulas with poles and jumps.
const char* Formula(size_t index)
{
    constexpr const char* more[] = {"tan(x)", "1/x", "round(8*sin(x))"};
    return index < SampleFormulas.size() ? SampleFormulas[index]
                                         : more[index - SampleFormulas.size()];
}

void ScrollBarStep(benchmark::State& state)
{
    const int width = int(state.range(0));
    const size_t formula = size_t(state.range(1));
    const bool tested = state.range(2) != 0;
    TFrmTessaly& w = Window(width);
    w.Driver().ContinuityTest = tested;
    w.CBoxExpression->setEditText(Formula(formula));
    QScrollBar* bar = w.SbarVar[1];
    int v = 0;
    for (auto _ : state) {
        v = v == 100 ? -100 : v + 1;
        bar->setValue(v);          // label, RecalcPlot, ShowItems
        w.RCFunc->repaint();       // the screen copy of the buffer
    }
    state.SetLabel(QString("%1 px, %2%3")
                       .arg(width)
                       .arg(Formula(formula))
                       .arg(tested ? "" : ", not tested")
                       .toStdString());
    state.counters["points"] = w.RCFunc->Items().Count();
}

} // namespace

BENCHMARK(ScrollBarStep)
    ->ArgsProduct({{TFrmTessaly::DesignWidth, 3840}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 0}})
    ->Unit(benchmark::kMicrosecond)->MinTime(0.3);

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv, [] {
        // The program has painted before the user drags a scroll bar.
        QImage warm(256, 256, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&warm);
        p.fillRect(warm.rect(), Qt::white);
        p.drawLine(0, 0, 255, 255);
    });
}
