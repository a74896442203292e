// The continuity test of sampled curves: poles and jumps break the curve, steep but continuous
// curves stay joined; the samples, their number and the error rule stay as they were.
#include "app/Continuity.h"
#include "app/PlotDriver.h"

#include "chart/RChart.h"
#include "chart/ScaleProps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tessaly;

namespace {

// The plot driver over a chart with a data area of 500 pixels, as the window wires it.
struct Plot {
    Plot(const char* formula, double xLo, double xHi, double yLo, double yHi)
    {
        chart.resize(600, 217);
        chart.SetMarginLeft(50);
        chart.SetMarginRight(50);
        chart.SetRange(1, xLo, yLo, xHi, yHi);
        driver.FormulaText = [formula] { return QString(formula); };
        driver.ParameterValue = [](int i) { return std::array<double, 4>{0.5, 1, 0.03, 0.4}[size_t(i)]; };
        driver.SetErrorText = [this](const QString& t) { errorText = t; };
        driver.SetErrorVisible = [this](bool v) { errorVisible = v; };
        driver.RecalcPlot();
    }
    // The x between the samples where the curve breaks (the later sample moves).
    std::vector<double> Breaks() const
    {
        std::vector<double> at;
        const TItemStore& items = chart.Items();
        for (int i = 1; i < items.Count(); ++i)
            if (items[i].kind == ItemKindMoveTo)
                at.push_back((items[i - 1].x + items[i].x) / 2);
        return at;
    }

    TRChart chart;
    TMathExpression expr{"MEFunc"};
    TPlotDriver driver{chart, expr};
    QString errorText;
    bool errorVisible = false;
};

struct Case {
    const char* formula;
    double xLo, xHi, yLo, yHi;
    std::vector<double> breaks; // where the function jumps or has a pole, each once
};

// round(8 sin x) over -1..1 jumps where 8 sin x passes k + 1/2, up to 6.5 (8 sin 1 = 6.73).
std::vector<double> RoundSineJumps()
{
    std::vector<double> at;
    for (int k = 0; k <= 6; ++k) {
        at.push_back(std::asin((k + 0.5) / 8));
        at.push_back(-std::asin((k + 0.5) / 8));
    }
    return at;
}

} // namespace

TEST(Continuity, PolesAndJumpsBreakTheCurveExactlyWhereTheyAre)
{
    const double pi = std::acos(-1.0);
    const Case cases[] = {
        {"tan(x)", -5, 5, -3, 3, {-3 * pi / 2, -pi / 2, pi / 2, 3 * pi / 2}},
        {"1/x", -5.003, 4.997, -3, 3, {0}}, // no sample hits 0
        {"1/(x-2)", -5, 5, -3, 3, {2}},
        {"1/x^2", -50.03, 49.97, 0, 2000, {0}}, // an even pole: both sides go up
        {"round(8*sin(x))", -1, 1, -9, 9, RoundSineJumps()},
        // int truncates towards 0: no jump at 0, where frac runs on from -0 to +0 too.
        {"int(x)", -3.01, 2.99, -4, 4, {-3, -2, -1, 1, 2}},
        {"frac(x)", -3.01, 2.99, -1, 1, {-3, -2, -1, 1, 2}},
        {"sign(x)", -1.003, 0.997, -2, 2, {0}},
        {"x>0", -1.003, 0.997, -2, 2, {0}},
        {"int(x)+0.01*x", -3.01, 2.99, -4, 4, {-3, -2, -1, 1, 2}},
    };
    for (const Case& c : cases) {
        Plot plot(c.formula, c.xLo, c.xHi, c.yLo, c.yHi);
        const std::vector<double> found = plot.Breaks();
        const double step = (c.xHi - c.xLo) / 500;
        std::vector<double> expected = c.breaks;
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(found.size(), expected.size()) << c.formula;
        for (size_t i = 0; i < found.size(); ++i)
            EXPECT_NEAR(found[i], expected[i], step) << c.formula << " break " << i;
        EXPECT_FALSE(plot.errorVisible) << c.formula;
    }
}

TEST(Continuity, SteepButContinuousCurvesStayJoined)
{
    const Case cases[] = {
        {"arctan(1000*(x-0.123))", -1, 1, -2, 2, {}},
        {"1/(1+1e6*x^2)", -1, 1, -0.2, 1.2, {}}, // a narrow spike on a sample
        {"1/(1+1e6*x^2)", -1.001, 0.999, -0.2, 1.2, {}},
        {"sqrt(abs(x))", -1, 1, -0.2, 1.2, {}},
        {"x^3", -100, 100, -3, 3, {}},
        {"x^3", -100, 100, -1e6, 1e6, {}},
        {"exp(x)", -100, 100, -1e43, 1e43, {}},
        {"sin(1/x)", 0.1, 2, -1.2, 1.2, {}},
        {"a*5*sin(b*x) * cos (c*x)", -100, 100, -3, 3, {}},
        {"a*x+b*20", -100, 100, -3, 3, {}},
        {"exp(0.02*a*x)*sin(b*x)", -100, 100, -3, 3, {}},
        {"a*sin(x)+b*sin(2*x)+c*sin(3*x)+d*sin(4*x)", -100, 100, -3, 3, {}},
        {"(a*sin(x)+b*sin(2*x)+c*sin(3*x))*cos(d*x)", -100, 100, -3, 3, {}},
        {"a*sin(b*x)/x", -100.1, 99.9, -0.2, 0.6, {}},
    };
    for (const Case& c : cases) {
        Plot plot(c.formula, c.xLo, c.xHi, c.yLo, c.yHi);
        const std::vector<double> found = plot.Breaks();
        EXPECT_TRUE(found.empty()) << c.formula << " breaks at " << found.front();
    }
}

TEST(Continuity, OnlyTheKindOfItemsChanges)
{
    for (const char* formula : {"tan(x)", "round(8*sin(x))", "1/(x-2)"}) {
        Plot tested(formula, -100, 100, -3, 3);
        Plot joined(formula, -100, 100, -3, 3);
        joined.driver.ContinuityTest = false;
        joined.driver.RecalcPlot();
        ASSERT_EQ(tested.chart.Items().Count(), joined.chart.Items().Count()) << formula;
        for (int i = 0; i < tested.chart.Items().Count(); ++i) {
            ASSERT_EQ(tested.chart.Items()[i].x, joined.chart.Items()[i].x) << formula << i;
            ASSERT_EQ(tested.chart.Items()[i].y, joined.chart.Items()[i].y) << formula << i;
        }
        EXPECT_EQ(tested.driver.CurrentX, joined.driver.CurrentX) << formula;
    }
}

TEST(Continuity, ExtraEvaluationsShowNoErrorAndTheErrorSampleStartsNoLine)
{
    // 1/x sampled across 0 without hitting it: the bisection meets 0 exactly and fails quietly.
    Plot pole("1/x", -5.003, 4.997, -3, 3);
    EXPECT_FALSE(pole.errorVisible);
    EXPECT_TRUE(pole.errorText.isEmpty());
    EXPECT_NEAR(pole.driver.CurrentX, 4.997, 0.02);

    // ln(50-x) fails from x = 50 on: the sampling stops there as it always did, and the failing
    // sample is a move, not a line down to 0.
    Plot ended("ln(50-x)", -100, 100, -3, 6);
    EXPECT_TRUE(ended.errorVisible);
    EXPECT_EQ(ended.errorText, "invalid argument of logarithm");
    const TItemStore& items = ended.chart.Items();
    ASSERT_GT(items.Count(), 2);
    EXPECT_GE(items[items.Count() - 1].x, 50);
    EXPECT_EQ(items[items.Count() - 1].kind, ItemKindMoveTo);
    EXPECT_EQ(items[items.Count() - 2].kind, ItemKindDrawTo);
    EXPECT_EQ(ended.driver.CurrentX, items[items.Count() - 1].x);
}

TEST(Continuity, FormulasThatDrawRandomNumbersAreJoinedAsSampled)
{
    for (const char* formula : {"(1+a)*sin(b*x) + c*gauss", "round(rand(8))", "x+100*gauss"}) {
        Plot plot(formula, -100, 100, -3, 3);
        EXPECT_TRUE(plot.Breaks().empty()) << formula;
    }
}

TEST(Continuity, TheTestIsBoundedPerPairAndPerCurve)
{
    // A function that jumps between every pair of samples, at an x no bisection can reach.
    int evaluations = 0;
    TContinuityTest test(
        [&](double x) {
            ++evaluations;
            return std::optional<double>(std::fmod(std::floor(x * 1e9), 2.0) * 100);
        },
        0.01);
    std::vector<TCurveSample> samples;
    for (int i = 0; i <= 1000; ++i)
        samples.push_back({i * 0.001, (i % 2) * 100.0, true});
    std::vector<bool> breaks;
    test.FindBreaks(samples, breaks);
    EXPECT_LE(evaluations, TContinuityTest::EvaluationsPerSample * 1001 +
                               TContinuityTest::PairBudget);
    EXPECT_EQ(evaluations, test.Evaluations());

    // One pair: a bounded number of evaluations, and a value that is missing breaks.
    int single = 0;
    TContinuityTest missing([&](double) { ++single; return std::optional<double>(); }, 0.01);
    EXPECT_FALSE(missing.Continuous({0, 0, true}, {1, 5, true}));
    EXPECT_EQ(single, 1);
    TContinuityTest step([](double x) { return std::optional<double>(x < 0.3 ? 0.0 : 1.0); }, 0.01);
    EXPECT_FALSE(step.Continuous({0, 0, true}, {1, 1, true}));
    EXPECT_LE(step.Evaluations(), TContinuityTest::PairBudget);
    EXPECT_FALSE(step.Continuous({0, 0, false}, {1, 1, true}));
}
