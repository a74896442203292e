#include "app/PlotDriver.h"

#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "host/Parlox2000.h"
#include "support/LanguageFile.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessaly;

namespace {

// A chart and an expression wired to a plot driver as the main window wires them, with a data
// area of a chosen width.
struct Rig {
    explicit Rig(int dataWidth = 500, double lo = -100, double hi = 100)
    {
        // The chart keeps its size; the right margin sets the data area's width.
        chart.resize(600, 217);
        chart.SetMarginLeft(50);
        chart.SetMarginRight(600 - 50 - dataWidth);
        chart.SetRange(1, lo, -3, hi, 3);
        driver.FormulaText = [this] { return formula; };
        driver.ParameterValue = [this](int i) { return params[i]; };
        driver.SetErrorText = [this](const QString& t) { errorText = t; };
        driver.SetErrorVisible = [this](bool v) { errorVisible = v; };
    }
    void Plot(const QString& f)
    {
        formula = f;
        driver.RecalcPlot();
    }
    int Count() const { return chart.Items().Count(); }
    const ChartItem& Item(int i) const { return chart.Items()[i]; }
    double YLow() const { return chart.Scale1Y()->RangeLow(); }
    double YHigh() const { return chart.Scale1Y()->RangeHigh(); }

    TRChart chart;
    TMathExpression expr{"MEFunc"};
    TPlotDriver driver{chart, expr};
    QString formula;
    double params[4] = {0.5, 1, 0.03, 0.4};
    QString errorText;
    bool errorVisible = true;
};

} // namespace

TEST(PlotDriver, TheDefaultFormulaTakesOneSamplePerColumnFromTheLowEnd)
{
    Rig rig(500);
    rig.Plot("a*5*sin(b*x) * cos (c*x)");
    EXPECT_TRUE(rig.Count() == 501 || rig.Count() == 502) << rig.Count();
    EXPECT_FALSE(rig.errorVisible);
    EXPECT_EQ(rig.Item(0).kind, ItemKindMoveTo);
    EXPECT_EQ(rig.Item(0).x, -100);
    for (int i = 1; i < rig.Count(); ++i) {
        ASSERT_EQ(rig.Item(i).kind, ItemKindDrawTo) << i;
        ASSERT_NEAR(rig.Item(i).x - rig.Item(i - 1).x, 0.4, 1e-9) << i;
    }
    EXPECT_GE(rig.Item(rig.Count() - 1).x, 100 - 1e-9);
    EXPECT_DOUBLE_EQ(rig.Item(1).y, 0.5 * 5 * std::sin(-99.6) * std::cos(0.03 * -99.6));
    // Upper-case names are the same variables.
    rig.Plot("A*5*SIN(B*X) * COS (C*X)");
    EXPECT_DOUBLE_EQ(rig.Item(1).y, 0.5 * 5 * std::sin(-99.6) * std::cos(0.03 * -99.6));
}

TEST(PlotDriver, TheFirstErrorEndsTheCurveAndShowsItsReason)
{
    struct Case { const char* formula; double lo, hi; int width; int points; const char* reason; };
    const Case cases[] = {
        {"y+1", -100, 100, 500, 1, "undefined variable \"y\""},
        {"ln(x)", -100, 100, 500, 1, "invalid argument of logarithm"},
        {"1/x", -40, 40, 80, 41, "division by zero"},         // steps of 1 hit 0 exactly
        {"exp(1000)", -100, 100, 500, 1, "Floating point overflow"},
        {"2(3)", -100, 100, 500, 1, "syntax error"},
    };
    for (const Case& c : cases) {
        Rig rig(c.width, c.lo, c.hi);
        rig.Plot(c.formula);
        EXPECT_TRUE(rig.errorVisible) << c.formula;
        EXPECT_EQ(rig.errorText, c.reason) << c.formula;
        ASSERT_EQ(rig.Count(), c.points) << c.formula;
        EXPECT_EQ(rig.Item(c.points - 1).y, 0) << c.formula;  // the failed point counts as 0
    }
    Rig rig;
    rig.Plot("y+1");
    EXPECT_EQ(rig.Item(0).x, -100);
    rig.Plot("x");
    EXPECT_FALSE(rig.errorVisible);  // hidden again by a redraw without error
}

TEST(PlotDriver, ErrorReasonsDropTheComponentPrefixOnly)
{
    struct Case { const char* message; const char* reason; };
    const Case cases[] = {
        {"Component \"MEFunc\": syntax error", "syntax error"},
        {"Component \"Other name\":   padded  ", "padded"},
        {"Floating point overflow", "Floating point overflow"},
        {"tangens overflow", "tangens overflow"},
        {"short", "short"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TPlotDriver::ErrorReason(c.message), c.reason) << c.message;
    EXPECT_EQ(TPlotDriver::ErrorReason(std::string(300, 'x')).size(), 255);
}

TEST(PlotDriver, TheReasonIsTranslated)
{
    Rig rig;
    rig.driver.Translate = [](const QString& t) { return t == "division by zero" ? "Division durch Null" : t; };
    rig.Plot("1/0");
    EXPECT_EQ(rig.errorText, "Division durch Null");
}

TEST(PlotDriver, RangeCommandsFitTheDataWithATwoPercentMargin)
{
    Rig rig;
    rig.Plot("exp(x)");
    EXPECT_FALSE(rig.errorVisible);  // e^100 fits a double
    rig.driver.Zoom111Click();
    EXPECT_EQ(rig.chart.Scale1X()->RangeLow(), -100);
    EXPECT_EQ(rig.chart.Scale1X()->RangeHigh(), 100);
    EXPECT_NEAR(rig.YLow(), -5.4e41, 0.02e41 * 5.4);
    EXPECT_NEAR(rig.YHigh(), 2.74e43, 0.01 * 2.74e43);

    // Failing points count as 0 and the command still works.
    rig.Plot("ln(x)");
    rig.driver.Zoom111Click();
    EXPECT_LT(rig.YLow(), 0);
    EXPECT_GT(rig.YHigh(), std::log(99.0));
    EXPECT_TRUE(std::isfinite(rig.YLow()));

    rig.Plot("x*x");
    rig.driver.SButZoom01Click();
    EXPECT_EQ(rig.chart.Scale1X()->RangeLow(), 1e-30);
    EXPECT_EQ(rig.chart.Scale1X()->RangeHigh(), 100);
    EXPECT_NEAR(rig.YHigh(), 10000 * 1.02, 0.01 * 10000);  // the last x may pass 100 a little

    rig.chart.SetRange(1, 0, -3, 2, 3);
    rig.driver.SButYScaleClick();
    EXPECT_EQ(rig.chart.Scale1X()->RangeLow(), 0);
    EXPECT_EQ(rig.chart.Scale1X()->RangeHigh(), 2);
    EXPECT_NEAR(rig.YHigh(), 4 + 0.02 * 4, 0.05);
}

TEST(PlotDriver, AConstantIsWidenedByTheChartsMinimumRange)
{
    Rig rig;
    rig.Plot("3");
    rig.driver.Zoom111Click();
    const double minRange = rig.chart.Scale1Y()->MinRange();
    EXPECT_NEAR(rig.YHigh() - rig.YLow(), minRange, minRange * 1e-3);
    EXPECT_NEAR((rig.YHigh() + rig.YLow()) / 2, 3, 1e-9);
}

TEST(PlotDriver, SamplingEndsWhereTheStepNoLongerAdvancesAndNeverExceedsTheColumns)
{
    Rig huge(500, 1e17, 1e17 + 10);  // a step of 0.02 vanishes next to 1e17
    huge.Plot("x");
    EXPECT_LE(huge.Count(), 502);
    huge.driver.SButYScaleClick();
    EXPECT_TRUE(std::isfinite(huge.YLow()));

    // However the running sum rounds, no more than a sample per column and two.
    for (double hi : {0.3, 1.0 / 3, 7.77, 1e-300}) {
        Rig rig(97, 0, hi);
        rig.Plot("x");
        EXPECT_LE(rig.Count(), 97 + 2) << hi;
        EXPECT_GE(rig.Count(), 97) << hi;
    }
}

TEST(PlotDriver, AReasonWithANameInQuotesIsTranslatedThroughItsPlaceholderKey)
{
    TParlox2000 german;
    test::LoadLanguageBytes(german, "[undefined variable \"<%1%>\"]=nicht definierte Variable "
                                    "\xe2\x80\x9e<%1%>\xe2\x80\x9c|$$[division by zero]=Division durch Null|$$");
    Rig rig;
    rig.driver.Translate = [&](const QString& t) { return german.Translate(t); };
    rig.Plot("2*y");
    EXPECT_EQ(rig.errorText, QString::fromUtf8("nicht definierte Variable \xe2\x80\x9ey\xe2\x80\x9c"));
    rig.Plot("1/(x-x)");
    EXPECT_EQ(rig.errorText, "Division durch Null");
    // Without the placeholder key the whole reason is looked up (and kept when it is missing).
    TParlox2000 other;
    test::LoadLanguageBytes(other, "[undefined variable \"q\"]=q fehlt|$$");
    rig.driver.Translate = [&](const QString& t) { return other.Translate(t); };
    rig.Plot("q");
    EXPECT_EQ(rig.errorText, "q fehlt");
    rig.Plot("zz");
    EXPECT_EQ(rig.errorText, "undefined variable \"zz\"");
}
