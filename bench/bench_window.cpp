// From a scroll-bar step to the repainted chart: the parameter label, RecalcPlot (one evaluation
// per pixel column, and the continuity test's evaluations) and ShowItems with the chart's
// repaint, for each sample formula and three with poles and jumps, at the window's design size
// and in a window 3840 pixels wide, with the continuity test and without it. Runs inside a
// process that has painted with Qt, as the program does. Compare the two variants one formula
// at a time (--benchmark_filter=ScrollBarStep/663/5/ --benchmark_enable_random_interleaving=true
// --benchmark_repetitions=4): over a whole run this machine's speed drifts more than they differ.
// AnimationFrame measures a frame of an animated parameter with eight kept curves.
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
    static const bool cleared = [] {
        // The windows go with the application object, not after it.
        qAddPostRoutine([] { windows.clear(); });
        return true;
    }();
    (void)cleared;
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
    // Every iteration sweeps b through all its positions, so that runs of different lengths
    // see the same curves; the time per step is the counter "step".
    constexpr int Steps = 201;
    for (auto _ : state) {
        for (int v = -100; v <= 100; ++v) {
            bar->setValue(v);      // label, RecalcPlot, ShowItems
            w.RCFunc->repaint();   // the screen copy of the buffer
        }
    }
    state.counters["step"] = benchmark::Counter(
        Steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(QString("%1 px, %2%3")
                       .arg(width)
                       .arg(Formula(formula))
                       .arg(tested ? "" : ", not tested")
                       .toStdString());
    state.counters["points"] = w.RCFunc->Items().Count();
}

// One frame of an animation: the animated parameter's step, the redraw of the live curve over
// eight kept curves (sampled once, as long as the ranges stay) and the repaint.
void AnimationFrame(benchmark::State& state)
{
    const int width = int(state.range(0));
    TFrmTessaly& w = Window(width);
    w.Driver().ContinuityTest = true;
    w.CBoxExpression->setEditText(Formula(0));
    w.Driver().ClearKeptCurves();
    for (int k = 0; k < TPlotDriver::MaxKeptCurves; ++k) {
        w.SbarVar[1]->setValue(-80 + 20 * k);
        w.KeepCurveClick();
    }
    w.SetAnimated(1, true);
    constexpr int Steps = 201;
    for (auto _ : state) {
        for (int i = 0; i < Steps; ++i) {
            w.AnimationStep();
            w.RCFunc->repaint();
        }
    }
    w.SetAnimated(1, false);
    state.counters["frame"] = benchmark::Counter(
        Steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["points"] = w.RCFunc->Items().Count();
    state.SetLabel(QString("%1 px, 8 kept curves").arg(width).toStdString());
    w.Driver().ClearKeptCurves();
}

} // namespace

BENCHMARK(AnimationFrame)
    ->Arg(TFrmTessaly::DesignWidth)->Arg(3840)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(ScrollBarStep)
    ->ArgsProduct({{TFrmTessaly::DesignWidth, 3840}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 0}})
    ->Unit(benchmark::kMillisecond)->MinTime(0.5);

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
