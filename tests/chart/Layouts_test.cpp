#include "chart/Layouts.h"
#include "chart/RChart.h"

#include <gtest/gtest.h>

using namespace tessaly;

TEST(StandardLayout, CreationPlacesTheOtherLayersInPairsFurtherOut)
{
    TRChart chart;
    EXPECT_EQ(chart.StandardLayout(), rcl_X1Bottom_Y1Left);
    EXPECT_EQ(chart.MarginLeft(), 50);
    // Layers 5..16 keep their initial places, hidden: even layers above and at the right.
    EXPECT_EQ(chart.ScalePropsX(6)->ScaleLocation(), slTop);
    EXPECT_EQ(chart.ScalePropsX(6)->ScalePos(), 60);
    EXPECT_EQ(chart.ScalePropsY(6)->ScaleLocation(), slRight);
    EXPECT_EQ(chart.ScalePropsY(6)->ScalePos(), 100);
    EXPECT_EQ(chart.ScalePropsY(5)->ScaleLocation(), slLeft);
    EXPECT_FALSE(chart.ScalePropsY(5)->Visible());
    // Both scales of a layer in the layer's colour; ranges [0, 1].
    EXPECT_EQ(chart.ScalePropsX(10)->ColorScale(), clRed);
    EXPECT_EQ(chart.ScalePropsY(2)->ColorScale(), clMaroon);
    EXPECT_EQ(chart.Scale1X()->RangeHigh(), 1);
    EXPECT_EQ(chart.Scale1Y()->MinRange(), 1e-10);
}

TEST(StandardLayout, EveryRowSetsMarginsCaptionAndScales)
{
    // Per scale: visible, far side (x above, y at the right), offset, caption x and y.
    struct S { bool visible, far; int offset, capX, capY; TAlignment align; };
    struct Row { TrcLayout layout; int mb, mt, ml, mr, capY; TAlignment capAlign;
                 TCaptionAnchorHoriz capAnchor; S x1, x2, y1, y2, y3, y4; };
    const S hx{false, false, 0, 10, 100, taCenter}, hy{false, false, 0, 10, 100, taRightJustify};
    const S x1{true, false, 0, 0, 22, taCenter};
    const Row rows[] = {
        {rcl_X1Bottom_Y1Left, 40, 20, 50, 20, -16, taRightJustify, cahChartRight, x1, hx,
         {true, false, 0, 0, -16, taLeftJustify}, hy, hy, hy},
        {rcl_X1Bottom_Y2Left, 40, 24, 100, 20, -16, taRightJustify, cahChartRight, x1, hx,
         {true, false, 0, 0, -23, taRightJustify}, {true, false, 50, 0, -23, taRightJustify}, hy, hy},
        {rcl_X1Bottom_Y3Left, 40, 24, 150, 20, -16, taRightJustify, cahChartRight, x1, hx,
         {true, false, 0, 0, -23, taRightJustify}, {true, false, 50, 0, -23, taRightJustify},
         {true, false, 100, 0, -23, taRightJustify}, hy},
        {rcl_X1Bottom_Y4Left, 40, 24, 200, 20, -16, taRightJustify, cahChartRight, x1, hx,
         {true, false, 0, 0, -23, taRightJustify}, {true, false, 50, 0, -23, taRightJustify},
         {true, false, 100, 0, -23, taRightJustify}, {true, false, 150, 0, -23, taRightJustify}},
        {rcl_X1Bottom_Y2Both, 40, 24, 50, 50, -20, taCenter, cahChartCenter, x1, hx,
         {true, false, 0, 0, -23, taRightJustify}, {true, true, 0, 0, -23, taLeftJustify}, hy, hy},
        {rcl_X2Bottom_Y2Left, 70, 24, 100, 20, -16, taRightJustify, cahChartRight,
         {true, false, 0, -20, 7, taRightJustify}, {true, false, 30, -20, 7, taRightJustify},
         {true, false, 0, 0, -23, taRightJustify}, {true, false, 50, 0, -23, taRightJustify}, hy, hy},
        {rcl_X2Both_Y2Both, 40, 48, 50, 50, -46, taCenter, cahChartCenter,
         {true, false, 0, -20, 7, taRightJustify}, {true, true, 0, -20, -24, taRightJustify},
         {true, false, 0, 0, -40, taRightJustify}, {true, true, 0, 0, -40, taLeftJustify},
         {false, false, 0, 0, -23, taRightJustify}, {false, false, 0, 0, -23, taRightJustify}},
        // Back to the creation row: the visible scales' captions return to theirs.
        {rcl_X1Bottom_Y1Left, 40, 20, 50, 20, -16, taRightJustify, cahChartRight, x1, hx,
         {true, false, 0, 0, -16, taLeftJustify}, hy, hy, hy},
    };
    TRChart chart;
    chart.resize(600, 400);
    chart.Loaded();
    auto check = [](const TScaleProps& p, const S& s, bool horizontal, const char* what) {
        EXPECT_EQ(p.Visible(), s.visible) << what;
        const TScaleType far = horizontal ? sctXB : sctYL, near = horizontal ? sctXT : sctYR;
        EXPECT_EQ(p.ScaleType(), s.far ? far : near) << what;
        EXPECT_EQ(p.ScalePos(), s.offset) << what;
        EXPECT_EQ(p.CaptionPosX(), s.capX) << what;
        EXPECT_EQ(p.CaptionPosY(), s.capY) << what;
        EXPECT_EQ(p.CaptionAlignment(), s.align) << what;
    };
    for (const Row& r : rows) {
        chart.SetStandardLayout(r.layout);
        SCOPED_TRACE(r.layout);
        EXPECT_EQ(chart.MarginBottom(), r.mb);
        EXPECT_EQ(chart.MarginTop(), r.mt);
        EXPECT_EQ(chart.MarginLeft(), r.ml);
        EXPECT_EQ(chart.MarginRight(), r.mr);
        EXPECT_EQ(chart.CaptionPosX(), 0);
        EXPECT_EQ(chart.CaptionPosY(), r.capY);
        EXPECT_EQ(chart.CaptionAlignment(), r.capAlign);
        EXPECT_EQ(chart.CaptionAnchorHoriz(), r.capAnchor);
        EXPECT_EQ(chart.CaptionAnchorVert(), cavChartTop);
        check(*chart.Scale1X(), r.x1, true, "x1");
        // A single x scale's caption is centred under the axis.
        EXPECT_EQ(chart.Scale1X()->CaptionAnchor(), r.x2.visible ? uaSclTopLft : uaSclCenter);
        check(*chart.Scale2X(), r.x2, true, "x2");
        check(*chart.Scale1Y(), r.y1, false, "y1");
        check(*chart.Scale2Y(), r.y2, false, "y2");
        check(*chart.Scale3Y(), r.y3, false, "y3");
        check(*chart.Scale4Y(), r.y4, false, "y4");
        for (int n = 5; n <= LayerCount; ++n) {
            EXPECT_FALSE(chart.ScalePropsX(n)->Visible()) << n;
            EXPECT_FALSE(chart.ScalePropsY(n)->Visible()) << n;
        }
        // The scale controls follow at once: the second y scale's axis line lies its offset
        // outside the data area's edge.
        if (r.y2.visible) {
            const TScale& s = *chart.ScaleControlY(2);
            const int axisX = r.y2.far ? s.MarginLeft() : s.width() - s.MarginRight() - 1;
            EXPECT_EQ(axisX, r.y2.far ? 600 - r.mr + r.y2.offset : r.ml - r.y2.offset);
            EXPECT_TRUE(s.Visible());
        }
    }
}
