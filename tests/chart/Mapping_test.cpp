#include "chart/Mapping.h"
#include "chart/RChart.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tessaly;

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// The main window's chart: 559 x 217 pixels with the creation layout (margins left 50,
// top 20, bottom 40) and a right margin of 8, so the data area runs from x 50 to 551 and
// from y 20 to 177.
struct PlotChart : TRChart {
    PlotChart()
    {
        resize(559, 217);
        SetMarginRight(8);
        Loaded();
        SetRange(1, -100, -3, 100, 3);
    }
};
} // namespace

TEST(ChartMapping, MapsTheDataAreaEndsAndRoundsTiesToEven)
{
    PlotChart chart;
    struct Case { double x, y; int px, py; };
    for (Case c : {Case{-100, 3, 50, 20}, {0, 0, 300, 98}, {100, -3, 551, 177}}) {
        const QPoint p = chart.WorldToPixel(1, c.x, c.y);
        EXPECT_EQ(p.x(), c.px) << c.x; // x = 0 lies at 300.5 and rounds to the even 300
        EXPECT_EQ(p.y(), c.py) << c.y; // y = 0 lies at 98.5 and rounds to 98
    }
    // Layers outside 1..16 are the nearest of 1 and 16.
    EXPECT_EQ(chart.WorldToPixel(0, 100, 0), chart.WorldToPixel(1, 100, 0));
    EXPECT_EQ(chart.WorldToPixel(17, 0, 0), chart.WorldToPixel(16, 0, 0));
}

TEST(ChartMapping, PixelToWorldInvertsTheMapping)
{
    PlotChart chart;
    for (QPoint p : {QPoint(50, 20), QPoint(123, 77), QPoint(551, 177), QPoint(-40, 400)}) {
        const QPointF w = chart.PixelToWorld(1, p.x(), p.y());
        EXPECT_EQ(chart.WorldToPixel(1, w.x(), w.y()), p);
    }
    EXPECT_NEAR(chart.PixelToWorld(1, 551, 20).x(), 100, 1e-12);
}

TEST(ChartMapping, FollowsSizeChangesOfAHiddenChart)
{
    PlotChart chart;
    chart.resize(1059, 217); // no resize event while hidden
    EXPECT_EQ(chart.WorldToPixel(1, 100, 0).x(), 1051);
}

TEST(ChartMapping, LogarithmicAxesAndTheirEdges)
{
    PlotChart chart;
    chart.SetRange(1, 1, 1, 1000, 100);
    chart.Scale1X()->SetLogarithmic(true);
    chart.Scale1Y()->SetLogarithmic(true);
    EXPECT_EQ(chart.WorldToPixel(1, 10, 100), QPoint(217, 20)); // a third of the way; the top
    for (double v : {0.0, -5.0, 1e-100, NaN})
        EXPECT_EQ(chart.WorldToPixel(1, v, v), QPoint(0, 217)) << v;
    chart.SetRange(1, 1000, 100, 1, 1); // both reversed
    EXPECT_EQ(chart.WorldToPixel(1, 0, 0), QPoint(559, 0));
    EXPECT_EQ(chart.WorldToPixel(1, 1000, 100), QPoint(50, 177));
}

TEST(ChartMapping, ExtremeValuesMapToDefinedPixels)
{
    PlotChart chart;
    constexpr int Max = 2147483647;
    EXPECT_EQ(chart.WorldToPixel(1, Inf, -Inf), QPoint(Max, Max));
    EXPECT_EQ(chart.WorldToPixel(1, -1e308, 1e308), QPoint(-Max, -Max));
    EXPECT_EQ(chart.WorldToPixel(1, NaN, NaN), QPoint(0, 217)); // like non-positive log values
    // Ranges as wide as doubles go still map inside the data area.
    chart.SetRange(1, -1e308, -1e308, 1e308, 1e308);
    EXPECT_EQ(chart.Scale1X()->RangeHigh(), 1e308);
    const QPoint centre = chart.WorldToPixel(1, 0, 0);
    EXPECT_NEAR(centre.x(), 300, 1);
    EXPECT_NEAR(centre.y(), 98, 1);
    EXPECT_EQ(chart.WorldToPixel(1, 1e308, -1e308), QPoint(551, 177));
    // A tiny range maps far values to the limit, never through an overflowing conversion.
    chart.SetRange(1, 0, 0, 1e-9, 1e-9);
    EXPECT_EQ(chart.WorldToPixel(1, 1e308, 1e308), QPoint(Max, -Max));
}

TEST(AxisMap, WithoutADataAreaEverythingMapsToTheMiddle)
{
    TChartGeometry g;
    g.Width = 100;
    g.Height = 60;
    g.MarginLeft = 60;
    g.MarginRight = 40; // no width left
    g.MarginTop = 50;
    g.MarginBottom = 20; // negative height
    const TAxisMap x = XAxisMap(g, -1, 1, false);
    const TAxisMap y = YAxisMap(g, -1, 1, false);
    for (double v : {-1e300, 0.0, 1.0, Inf}) {
        EXPECT_EQ(AxisToPixel(x, v), 50) << v;
        EXPECT_EQ(AxisToPixel(y, v), 30) << v;
    }
    EXPECT_EQ(AxisToPixel(x, NaN), 0);
    EXPECT_EQ(AxisToPixel(y, NaN), 60);
    // The inverse has no extent to divide by: the middle of the range.
    EXPECT_EQ(PixelToAxis(x, 12, -1, 3), 1);
    EXPECT_EQ(PixelToAxis(XAxisMap(g, 1, 100, true), 12, 1, 100), 10);
}

TEST(AxisMap, RangesWithoutAUsableMappingFallBackToTheMiddle)
{
    TChartGeometry g; // 280 x 200
    for (auto [lo, hi, log] : {std::tuple{5.0, 5.0, false}, {NaN, 1.0, false}, {0.0, 10.0, true},
                               {-Inf, 1.0, false}}) {
        const TAxisMap m = XAxisMap(g, lo, hi, log);
        EXPECT_EQ(m.K, 0) << lo << ".." << hi;
        EXPECT_EQ(AxisToPixel(m, 3), 140) << lo << ".." << hi;
    }
}
