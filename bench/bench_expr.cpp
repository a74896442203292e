// Nanoseconds per evaluation of the main window's eight sample formulas, with x stepping over 560
// values from -100 to 100 and a = 0.5, b = 1, c = 0.03, d = 0.4, through a handler shaped like
// the main window's (the name folded to lower case, the value looked up). For comparison the same
// formulas in muparser, parsed once and parsed at every evaluation; and ours again inside a
// process that has painted with Qt, with and without clearing the upper vector state first.
// A summary with the ratios follows the benchmark table.
#include "app/ChartSetup.h"
#include "expr/CpuState.h"
#include "expr/MathExpression.h"
#include "expr/Random.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#ifdef TESSALY_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

using namespace tessaly;

// The sample formulas of the window, in their order.
constexpr const auto& Formulas = SampleFormulas;
constexpr int FormulaCount = static_cast<int>(Formulas.size());
constexpr int Steps = 560;

struct TParameters {
    double x = -100, a = 0.5, b = 1, c = 0.03, d = 0.4;
};

double StepX(int i)
{
    return -100 + 200.0 * i / (Steps - 1);
}

// The main window's variable handler: the name folded to lower case, then looked up among x
// and a..d (all one character long, so folding and comparing is one switch).
void BindParameters(TMathExpression& e, TParameters& p)
{
    e.OnVarRequest = [&p](TMathExpression&, std::string_view name, TVariant& value) {
        if (name.size() == 1) {
            switch (name[0]) {
            case 'x': case 'X': value = p.x; return;
            case 'a': case 'A': value = p.a; return;
            case 'b': case 'B': value = p.b; return;
            case 'c': case 'C': value = p.c; return;
            case 'd': case 'D': value = p.d; return;
            default: break;
            }
        }
        value.SetNull();
    };
}

void EvaluateLoop(benchmark::State& state)
{
    TMathExpression e("MEFunc");
    TParameters p;
    BindParameters(e, p);
    e.SetExpression(Formulas[static_cast<size_t>(state.range(0))]);
    int i = 0;
    for (auto _ : state) {
        p.x = StepX(i);
        i = i + 1 == Steps ? 0 : i + 1;
        benchmark::DoNotOptimize(e.Evaluate().ToReal());
    }
    state.SetLabel(Formulas[static_cast<size_t>(state.range(0))]);
}

void BM_Tessaly(benchmark::State& state)
{
    EvaluateLoop(state);
}

// The formulas compiled as C++, for scale: the cost of the arithmetic and the library calls alone.
double Native(int formula, const TParameters& p)
{
    const double x = p.x, a = p.a, b = p.b, c = p.c, d = p.d;
    switch (formula) {
    case 0: return a * 5 * std::sin(b * x) * std::cos(c * x);
    case 1: return a * x + b * 20;
    case 2: return (1 + a) * std::sin(b * x) + c * GaussRandom();
    case 3: return std::exp(0.02 * a * x) * std::sin(b * x);
    case 4: return std::nearbyint(a * 8 * std::sin(b * x));
    case 5: return a * std::sin(x) + b * std::sin(2 * x) + c * std::sin(3 * x) + d * std::sin(4 * x);
    case 6: return (a * std::sin(x) + b * std::sin(2 * x) + c * std::sin(3 * x)) * std::cos(d * x);
    default: return a * std::sin(b * x) / x;
    }
}

template <int Formula>
void BM_Native(benchmark::State& state)
{
    TParameters p;
    int i = 0;
    for (auto _ : state) {
        p.x = StepX(i);
        i = i + 1 == Steps ? 0 : i + 1;
        benchmark::DoNotOptimize(Native(Formula, p));
    }
}

#if defined(__x86_64__)
// Bit 2 of the processor's "state in use" mask: the upper halves of the YMM registers.
bool UpperHalvesInUse()
{
    unsigned lo, hi;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
    return (lo & 4u) != 0;
}
#else
bool UpperHalvesInUse()
{
    return false;
}
#endif

// What the chart does before the plot driver samples: fill and draw lines with Qt's raster engine.
void Paint()
{
    static QImage image(640, 320, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(0xf0, 0xf0, 0xf0));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::darkRed, 1, Qt::DashDotLine));
    for (int i = 0; i < 40; ++i)
        painter.drawLine(0, i * 8, 639, 319 - i * 8);
    painter.fillRect(QRect(20, 20, 300, 200), QColor(0x80, 0x80, 0xff, 0x80));
}

void AfterPaint(benchmark::State& state, bool clear)
{
    Paint();
    if (clear)
        ClearUpperVectorState();
    const bool dirty = UpperHalvesInUse();
    EvaluateLoop(state);
    state.counters["upper_in_use"] = dirty ? 1 : 0;
}

void BM_TessalyAfterPaint(benchmark::State& state)
{
    AfterPaint(state, false);
}

void BM_TessalyAfterPaintCleared(benchmark::State& state)
{
    AfterPaint(state, true);
}

#ifdef TESSALY_HAVE_MUPARSER
double MuRound(double v)
{
    return std::nearbyint(v);
}

double MuGauss()
{
    return GaussRandom();
}

// muparser wants a function's bracket right after its name, and brackets after a function
// without arguments.
std::string MuFormula(int index)
{
    std::string text = Formulas[static_cast<size_t>(index)];
    for (std::size_t blank = text.find(" ("); blank != std::string::npos; blank = text.find(" (", blank + 1))
        if (blank > 0 && std::isalpha(static_cast<unsigned char>(text[blank - 1])))
            text.erase(blank, 1);
    const std::size_t gauss = text.find("gauss");
    if (gauss != std::string::npos)
        text.insert(gauss + 5, "()");
    return text;
}

void SetUpMuParser(mu::Parser& parser, TParameters& p, int index)
{
    parser.DefineVar("x", &p.x);
    parser.DefineVar("a", &p.a);
    parser.DefineVar("b", &p.b);
    parser.DefineVar("c", &p.c);
    parser.DefineVar("d", &p.d);
    parser.DefineFun("round", MuRound);
    parser.DefineFun("gauss", MuGauss, false);   // a new value at every call: not folded
    parser.SetExpr(MuFormula(index));
}

void BM_MuParserOnce(benchmark::State& state)
{
    mu::Parser parser;
    TParameters p;
    SetUpMuParser(parser, p, static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        p.x = StepX(i);
        i = i + 1 == Steps ? 0 : i + 1;
        benchmark::DoNotOptimize(parser.Eval());
    }
}

void BM_MuParserReparse(benchmark::State& state)
{
    mu::Parser parser;
    TParameters p;
    const std::string text = MuFormula(static_cast<int>(state.range(0)));
    SetUpMuParser(parser, p, static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        p.x = StepX(i);
        i = i + 1 == Steps ? 0 : i + 1;
        parser.SetExpr(text);
        benchmark::DoNotOptimize(parser.Eval());
    }
}
#endif

// Registration order is run order: nothing paints before the plain runs.
void Register()
{
    for (int f = 0; f < FormulaCount; ++f)
        benchmark::RegisterBenchmark("Tessaly", BM_Tessaly)->Arg(f);
    benchmark::RegisterBenchmark("Native", BM_Native<0>)->Arg(0);
    benchmark::RegisterBenchmark("Native", BM_Native<1>)->Arg(1);
    benchmark::RegisterBenchmark("Native", BM_Native<2>)->Arg(2);
    benchmark::RegisterBenchmark("Native", BM_Native<3>)->Arg(3);
    benchmark::RegisterBenchmark("Native", BM_Native<4>)->Arg(4);
    benchmark::RegisterBenchmark("Native", BM_Native<5>)->Arg(5);
    benchmark::RegisterBenchmark("Native", BM_Native<6>)->Arg(6);
    benchmark::RegisterBenchmark("Native", BM_Native<7>)->Arg(7);
#ifdef TESSALY_HAVE_MUPARSER
    for (int f = 0; f < FormulaCount; ++f)
        benchmark::RegisterBenchmark("MuParserOnce", BM_MuParserOnce)->Arg(f);
    for (int f = 0; f < FormulaCount; ++f)
        benchmark::RegisterBenchmark("MuParserReparse", BM_MuParserReparse)->Arg(f);
#endif
    for (int f = 0; f < FormulaCount; ++f)
        benchmark::RegisterBenchmark("TessalyAfterPaint", BM_TessalyAfterPaint)->Arg(f);
    for (int f = 0; f < FormulaCount; ++f)
        benchmark::RegisterBenchmark("TessalyAfterPaintCleared", BM_TessalyAfterPaintCleared)->Arg(f);
}

// Keeps the time per iteration of every run, by family and formula, for the summary.
class TCollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            const std::string name = run.run_name.function_name;
            const std::string arg = run.run_name.args;
            const int formula = arg.empty() ? -1 : std::stoi(arg);
            if (formula < 0 || formula >= FormulaCount)
                continue;
            // With --benchmark_repetitions the fastest run counts: on a shared machine the
            // slower ones measure the neighbours.
            const double t = run.GetAdjustedRealTime();
            auto& times = Times[name];
            const auto it = times.find(formula);
            if (it == times.end() || t < it->second)
                times[formula] = t;
        }
    }

    std::map<std::string, std::map<int, double>> Times;
};

void PrintSummary(const TCollectingReporter& reporter)
{
    auto time = [&](const char* family, int f) {
        const auto it = reporter.Times.find(family);
        if (it == reporter.Times.end())
            return std::nan("");
        const auto jt = it->second.find(f);
        return jt == it->second.end() ? std::nan("") : jt->second;
    };
    std::printf("\nns per evaluation; ratio = ours / muparser parsed once, speed-up = muparser "
                "re-parsing / ours\n");
    std::printf("%-44s %7s %8s %8s %9s %7s %9s %9s %9s\n", "formula", "native", "ours", "mu once",
                "mu parse", "ratio", "speed-up", "painted", "cleared");
    for (int f = 0; f < FormulaCount; ++f) {
        const double ours = time("Tessaly", f);
        const double once = time("MuParserOnce", f);
        const double parse = time("MuParserReparse", f);
        std::printf("%-44s %7.1f %8.1f %8.1f %9.1f %7.2f %9.0f %9.1f %9.1f\n", Formulas[static_cast<size_t>(f)],
                    time("Native", f), ours, once, parse, ours / once, parse / ours,
                    time("TessalyAfterPaint", f), time("TessalyAfterPaintCleared", f));
    }
}

} // namespace

int main(int argc, char** argv)
{
    Register();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TCollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter);
    benchmark::Shutdown();
    return 0;
}
