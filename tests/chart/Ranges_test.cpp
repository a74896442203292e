#include "chart/RChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tessaly;

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

struct LoadedChart : TRChart {
    LoadedChart()
    {
        resize(559, 217);
        SetMarginRight(8);
        Loaded();
    }
    double LoX(int n = 1) const { return ScalePropsX(n)->RangeLow(); }
    double HiX(int n = 1) const { return ScalePropsX(n)->RangeHigh(); }
    double LoY(int n = 1) const { return ScalePropsY(n)->RangeLow(); }
    double HiY(int n = 1) const { return ScalePropsY(n)->RangeHigh(); }
};
} // namespace

TEST(SetRange, SetsOneLayerOrAllWithLayerZero)
{
    LoadedChart chart;
    chart.SetRange(2, -5, -6, 5, 6);
    EXPECT_EQ(chart.LoX(2), -5);
    EXPECT_EQ(chart.HiY(2), 6);
    EXPECT_EQ(chart.HiX(1), 1); // others keep [0, 1]
    chart.SetRange(0, -1, -2, 3, 4);
    for (int n = 1; n <= LayerCount; ++n) {
        EXPECT_EQ(chart.LoX(n), -1) << n;
        EXPECT_EQ(chart.HiX(n), 3) << n;
        EXPECT_EQ(chart.LoY(n), -2) << n;
        EXPECT_EQ(chart.HiY(n), 4) << n;
    }
    for (int bad : {-1, 17}) {
        chart.SetRange(bad, 10, 10, 20, 20); // rejected
        EXPECT_EQ(chart.LoX(1), -1) << bad;
    }
}

TEST(SetRange, WidensEmptyRangesAndRefusesNarrowOrNonFiniteOnes)
{
    LoadedChart chart;
    chart.SetRange(1, 0, 0, 0, 1);
    EXPECT_EQ(chart.LoX(), -5e-11);
    EXPECT_EQ(chart.HiX(), 5e-11);
    // A widened range always passes when its ends separate, even where rounding makes its
    // span a little less than MinRange.
    for (double v : {3.0, 5.0, 100.0}) {
        chart.SetRange(1, v, 0, v, 1);
        EXPECT_LT(chart.LoX(), v);
        EXPECT_GT(chart.HiX(), v);
    }
    chart.SetRange(1, -1, -1, 1, 1);
    // Where widening cannot separate the ends, and for ranges narrower than MinRange or with
    // a NaN or infinite end, the axis keeps its range.
    for (auto [lo, hi] : {std::pair{1e17, 1e17}, {0.0, 1e-11}, {NaN, 1.0}, {0.0, Inf}, {NaN, NaN}}) {
        chart.SetRange(1, lo, lo, hi, hi);
        EXPECT_EQ(chart.LoX(), -1) << lo << ".." << hi;
        EXPECT_EQ(chart.HiY(), 1) << lo << ".." << hi;
    }
}

TEST(SetRange, LogarithmicAxesWidenByTenPercentAndDropTinyBounds)
{
    LoadedChart chart;
    chart.SetRange(1, 1, 1, 1000, 1000);
    chart.Scale1X()->SetLogarithmic(true);
    chart.SetRange(1, 10, 1, 10, 1000);
    EXPECT_DOUBLE_EQ(chart.LoX(), 10 / 1.1);
    EXPECT_DOUBLE_EQ(chart.HiX(), 11);
    chart.SetRange(1, 0, 1, 100, 1000); // the lower bound is dropped alone
    EXPECT_DOUBLE_EQ(chart.LoX(), 10 / 1.1);
    EXPECT_EQ(chart.HiX(), 100);
}

TEST(SetRange, IsometricYRangeFollowsTheXRange)
{
    LoadedChart chart;
    if (chart.AspectX() != chart.AspectY())
        GTEST_SKIP() << "the screen's pixels are not square";
    chart.SetRange(1, -100, -3, 100, 3);
    chart.SetIsometric(true);
    // Data buffer 502 x 158 pixels: y spans 200 * 158 / 502 around its old centre.
    const double half = 200.0 * 158 / 502 / 2;
    EXPECT_NEAR(chart.HiY(), half, 1e-9);
    EXPECT_NEAR(chart.LoY(), -half, 1e-9);
    chart.SetRange(1, 0, 10, 50, 20);
    EXPECT_NEAR(chart.HiY() - chart.LoY(), 50.0 * 158 / 502, 1e-9);
    EXPECT_NEAR(chart.LoY() + chart.HiY(), 30, 1e-9);
    // One pixel is one pixel in both directions.
    const QPoint a = chart.WorldToPixel(1, 0, 15), b = chart.WorldToPixel(1, 10, 25);
    EXPECT_NEAR(b.x() - a.x(), a.y() - b.y(), 1);
    // Switching off only stores.
    chart.SetIsometric(false);
    chart.SetRange(1, 0, 0, 50, 1);
    EXPECT_EQ(chart.HiY(), 1);
}

TEST(ScaleSettings, SetterRules)
{
    LoadedChart chart;
    TScalePropsHoriz& x = *chart.Scale1X();
    x.SetLogarithmic(true); // RangeLow is 0: refused
    EXPECT_FALSE(x.Logarithmic());
    x.SetMinRange(1e-101); // ignored
    EXPECT_EQ(x.MinRange(), 1e-10);
    x.SetMinRange(2); // widens [0, 1] around its centre
    EXPECT_EQ(x.RangeLow(), -0.5);
    EXPECT_EQ(x.RangeHigh(), 1.5);
    x.SetRangeLow(1); // closer than MinRange: the other end moves away
    EXPECT_EQ(x.RangeLow(), 1);
    EXPECT_EQ(x.RangeHigh(), 3);
    x.SetRangeHigh(2);
    EXPECT_EQ(x.RangeLow(), 0);
    EXPECT_EQ(x.RangeHigh(), 2);
    x.SetRangeHigh(NaN);
    EXPECT_EQ(x.RangeHigh(), 2);
    x.SetRangeLow(1e-3);
    x.SetRangeHigh(1e3);
    x.SetLogarithmic(true);
    EXPECT_TRUE(x.Logarithmic());
    x.SetRangeLow(1e-200); // below 1e-100 on a logarithmic scale: ignored
    EXPECT_EQ(x.RangeLow(), 1e-3);
    x.SetLabelType(ftDateTime);
    EXPECT_FALSE(x.Logarithmic());
    x.SetLabelType(ftTime);
    EXPECT_EQ(x.DecPlaces(), 4);
    x.SetDecPlaces(20);
    EXPECT_EQ(x.DecPlaces(), 12);
    x.SetScaleLocation(slTop);
    EXPECT_EQ(x.ScaleType(), sctXB);
    chart.Scale1Y()->SetScaleLocation(slRight);
    EXPECT_EQ(chart.Scale1Y()->ScaleType(), sctYL);

    // While the chart loads from its form, Logarithmic is taken as it is.
    TRChart loading;
    loading.Scale1X()->SetLogarithmic(true);
    EXPECT_TRUE(loading.Scale1X()->Logarithmic());
}

TEST(ScaleSettings, AreCopiedToTheLayersScaleControls)
{
    LoadedChart chart;
    chart.SetRange(1, -100, -3, 100, 3);
    chart.Scale1X()->SetCaption("x");
    chart.Scale1Y()->SetMinTicks(50);
    chart.Scale1Y()->SetFontColor(clRed);
    const TScale& sx = *chart.ScaleControlX(1);
    const TScale& sy = *chart.ScaleControlY(1);
    EXPECT_EQ(sx.Caption(), "x");
    EXPECT_EQ(sy.FontColor(), clRed);
    EXPECT_EQ(sx.FontColor(), clWindowText);
    EXPECT_EQ(sx.RangeLow(), -100);
    EXPECT_EQ(sy.MinTicks(), 10); // the control clamps what the settings store
    EXPECT_EQ(chart.Scale1Y()->MinTicks(), 50);
    EXPECT_TRUE(sx.Embedded());
    EXPECT_TRUE(sx.Visible());
    EXPECT_FALSE(chart.ScaleControlX(2)->Visible());
    // The x scale below the data area: its axis line on the data area's bottom edge, its
    // length across the data area. The y scale at the left: its axis line on the left edge.
    EXPECT_EQ(sx.ScaleType(), sctXT);
    EXPECT_EQ(sx.MarginTop(), 177);
    EXPECT_EQ(sx.MarginLeft(), 50);
    EXPECT_EQ(sx.MarginRight(), 7);
    EXPECT_EQ(sx.ValueToPixel(100), chart.WorldToPixel(1, 100, 0).x());
    EXPECT_EQ(sy.ScaleType(), sctYR);
    EXPECT_EQ(sy.width() - sy.MarginRight() - 1, 50);
    EXPECT_EQ(sy.ValueToPixel(3), 20);
    EXPECT_EQ(sy.ValueToPixel(-3), 177);
    // Offsets move a scale outwards.
    chart.Scale1X()->SetScalePos(30);
    EXPECT_EQ(sx.MarginTop(), 207);
    chart.SetShadowWidth(5);
    EXPECT_EQ(sx.MarginTop(), 202);
    EXPECT_EQ(sx.MarginRight(), 12);
    EXPECT_EQ(sy.MarginBottom(), 44);
}

TEST(ChartGeometry, MarginsHaveSecondNamesAndLimitTheSize)
{
    LoadedChart chart;
    chart.setProperty("LRim", 70);
    EXPECT_EQ(chart.MarginLeft(), 70);
    chart.SetMarginTop(30);
    EXPECT_EQ(chart.property("TRim").toInt(), 30);
    chart.SetShadowWidth(40);
    EXPECT_EQ(chart.ShadowWidth(), 32);
    chart.SetShadowWidth(-1);
    EXPECT_EQ(chart.ShadowWidth(), 0);
    chart.SetShadowWidth(4);
    chart.resize(10, 10);
    EXPECT_EQ(chart.width(), 70 + 8 + 4 + 80);
    EXPECT_EQ(chart.height(), 30 + 40 + 4 + 20);
    TRChart fresh;
    EXPECT_EQ(fresh.width(), 280);
    EXPECT_EQ(fresh.height(), 200);
}

TEST(ChartFixes, TicksOfExtremeChartRangesStayBounded)
{
    LoadedChart chart;
    chart.SetRange(1, 1e17, -1e308, 1e17 + 10, 1e308);
    TScale& sx = *chart.ScaleControlX(1);
    TScale& sy = *chart.ScaleControlY(1);
    sx.BuildTickList();
    sy.BuildTickList();
    EXPECT_LE(sx.NumTicks(), MaxTickList);
    EXPECT_GT(sy.NumTicks(), 0);
    for (int i = 1; i <= sy.NumTicks(); ++i) {
        EXPECT_LE(std::fabs(sy.TickValue(i)), 1.000001e308);
        const int pixel = sy.ValueToPixel(sy.TickValue(i));
        EXPECT_TRUE(pixel >= 20 && pixel <= 177) << pixel;
    }
}

TEST(ChartFixes, IsometricRangesAfterAResizeUseTheDataAreaOfSetRange)
{
    QWidget window;
    auto* chart = new TRChart(&window);
    chart->resize(559, 217);
    chart->Loaded();
    window.show();
    if (chart->AspectX() != chart->AspectY())
        GTEST_SKIP() << "the screen's pixels are not square";
    chart->SetShadowWidth(4);
    chart->SetRange(1, -100, -3, 100, 3);
    chart->SetIsometric(true);
    chart->resize(659, 217);
    ASSERT_EQ(chart->width(), 659);
    // Buffer 659 - 50 - 20 - 4 + 1 = 586 by 217 - 20 - 40 - 4 + 1 = 154 pixels: the shadow
    // counts once in both directions, as in SetRange.
    const double span = chart->Scale1Y()->RangeHigh() - chart->Scale1Y()->RangeLow();
    EXPECT_NEAR(span, 200.0 * 154 / 586, 1e-9);
}
