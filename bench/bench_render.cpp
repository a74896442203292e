// Repainting the chart: the full repaint (scales, caption, grid, curve, crosshair into the
// full buffer) and the ShowItems fast path (the data area only), for the main window's chart
// and for a chart the width of a large screen. Reported as the median of repeated runs.
#include "app/ChartSetup.h"
#include "chart/RChart.h"

#include "QtBenchmarkMain.h"


#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

using namespace tessaly;

// A shown chart with the main window's settings and `items` items of the first sample
// formula over x -100..100, as the plot driver makes them.
std::unique_ptr<TRChart> MakeChart(int width, int height, int items)
{
    auto chart = std::make_unique<TRChart>();
    chart->resize(width, height);
    ApplyMainWindowChartSettings(*chart);
    chart->Loaded();
    chart->show();
    chart->ClearItems();
    const double step = 200.0 / (items - 1);
    for (int i = 0; i < items; ++i) {
        const double x = -100 + i * step;
        const double y = 0.5 * 5 * std::sin(1 * x) * std::cos(0.03 * x);
        if (i == 0)
            chart->MoveTo(x, y);
        else
            chart->DrawTo(x, y);
    }
    chart->FullBuffer();
    return chart;
}

void FullRepaint(benchmark::State& state)
{
    auto chart = MakeChart(int(state.range(0)), int(state.range(1)), int(state.range(2)));
    for (auto _ : state) {
        // A setter asks for a repaint; reading the buffer carries it out.
        chart->SetGridColor(chart->GridColor());
        benchmark::DoNotOptimize(chart->FullBuffer().constBits());
    }
}

void ShowItemsFastPath(benchmark::State& state)
{
    auto chart = MakeChart(int(state.range(0)), int(state.range(1)), int(state.range(2)));
    for (auto _ : state) {
        chart->ShowItems();
        benchmark::DoNotOptimize(chart->DataBuffer().constBits());
    }
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"width", "height", "items"});
    b->Args({559, 217, 502});
    b->Args({3840, 1000, 3800});
    b->Unit(benchmark::kMicrosecond);
    b->Repetitions(9);
    b->ReportAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });
}

BENCHMARK(FullRepaint)->Apply(Sizes);
BENCHMARK(ShowItemsFastPath)->Apply(Sizes);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
