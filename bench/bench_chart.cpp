// Chart core speed: appending items to the store and mapping world points to pixels.
//
//   bench_chart                      all benchmarks
//   bench_chart --benchmark_filter=Append
#include "chart/RChart.h"

#include "QtBenchmarkMain.h"


#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using namespace tessaly;

namespace {

constexpr int MillionItems = 1000000;

// One curve of a million samples, as the plot driver appends it: a move-to, then draw-tos.
void BM_AppendMillionItems(benchmark::State& state)
{
    TRChart chart;
    chart.SetAllocSize(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        chart.ClearItems();
        chart.MoveTo(0, 0);
        for (int i = 1; i < MillionItems; ++i)
            chart.DrawTo(i, i & 0xFF);
        benchmark::DoNotOptimize(chart.Items().Count());
    }
    state.SetItemsProcessed(state.iterations() * MillionItems);
    // Shown as a time per item.
    state.counters["per_item"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * MillionItems,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AppendMillionItems)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The main window's chart: 559 x 217 pixels, x from -100 to 100, y from -3 to 3.
void BM_WorldToPixel(benchmark::State& state)
{
    TRChart chart;
    chart.resize(559, 217);
    chart.SetMarginRight(8);
    chart.Loaded();
    chart.SetRange(1, -100, -3, 100, 3);
    if (state.range(0) != 0) {
        chart.SetRange(1, 0.01, 0.01, 1000, 1000);
        chart.Scale1X()->SetLogarithmic(true);
        chart.Scale1Y()->SetLogarithmic(true);
    }
    std::vector<double> xs(1024), ys(1024);
    for (size_t i = 0; i < xs.size(); ++i) {
        xs[i] = 0.05 + static_cast<double>(i) * 0.19;
        ys[i] = 0.05 + 2.5 * (1 + std::sin(static_cast<double>(i)));
    }
    for (auto _ : state) {
        for (size_t i = 0; i < xs.size(); ++i)
            benchmark::DoNotOptimize(chart.WorldToPixel(1, xs[i], ys[i]));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(xs.size()));
    state.counters["per_point"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(xs.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WorldToPixel)->ArgName("logarithmic")->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
