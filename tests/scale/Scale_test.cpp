#include "scale/Scale.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tessaly;

namespace {
// A scale as a form leaves it: loading finished.
struct LoadedScale : TScale {
    LoadedScale() { Loaded(); }
};
} // namespace

TEST(Scale, StartsLoadingAndLockedWithAReadyMapping)
{
    TScale s;
    EXPECT_EQ(s.width(), 400);
    EXPECT_EQ(s.height(), 400);
    EXPECT_EQ(s.CaptionPosX(), 4);
    EXPECT_EQ(s.DecPlaces(), -2);
    EXPECT_EQ(s.MinTicks(), 3);
    EXPECT_EQ(s.RangeHigh(), 100);
    EXPECT_EQ(s.FrameStyle(), fsLowered);
    EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
    EXPECT_EQ(s.ColorShadow(), RGB(128, 128, 128));
    EXPECT_EQ(s.ColorLight(), clWhite);
    EXPECT_EQ(s.DateFormat()->DateOrder(), doDDMMYY);
    EXPECT_EQ(s.DateFormat()->DateForTime(), dtOnePerDay);
    EXPECT_TRUE(s.Loading());
    EXPECT_TRUE(s.PaintLock());
    EXPECT_FALSE(s.CanPaint());
    // 0..100 over 359 pixels from 20, before loading has ended.
    EXPECT_EQ(s.ValueToPixel(100), 379);
    s.Loaded();
    s.show(); // creating the window lifts the lock
    EXPECT_FALSE(s.PaintLock());
    EXPECT_TRUE(s.CanPaint());
}

TEST(Scale, EmbeddedScalesPaintOnlyWhenAskedAndKeepTheirWindowHidden)
{
    QWidget chart;
    TScale s(&chart);
    s.Loaded();
    s.SetEmbedded(true);
    s.SetVisible(true);
    chart.show();
    EXPECT_TRUE(s.isHidden());
    EXPECT_TRUE(s.Visible());
    EXPECT_TRUE(s.PaintLock()); // the chart keeps it locked
    s.Refresh();
    EXPECT_EQ(s.NumTicks(), 0);
    s.PaintUnlocked(); // one paint: the tick list is rebuilt for the chart's grid
    EXPECT_EQ(s.NumTicks(), 21);
    EXPECT_TRUE(s.PaintLock());
    s.SetVisible(false);
    s.SetRangeHigh(10);
    s.PaintUnlocked(); // invisible scales draw nothing
    EXPECT_EQ(s.TickValue(2), 5);
}

TEST(Scale, SettersClampTheirValues)
{
    LoadedScale s;
    struct Case { int in, out; };
    for (Case c : {Case{0, 0}, {1, 2}, {-4, 2}, {5, 5}, {11, 10}}) {
        s.SetMinTicks(c.in);
        EXPECT_EQ(s.MinTicks(), c.out) << c.in;
    }
    for (Case c : {Case{-5, -3}, {-3, -3}, {12, 12}, {13, 12}}) {
        s.SetDecPlaces(c.in);
        EXPECT_EQ(s.DecPlaces(), c.out) << c.in;
    }
    s.SetMarginLeft(-3);
    s.SetMarginTop(-1);
    s.SetMarginRight(7);
    EXPECT_EQ(s.MarginLeft(), 0);
    EXPECT_EQ(s.MarginTop(), 0);
    EXPECT_EQ(s.MarginRight(), 7);
    EXPECT_EQ(s.ValueToPixel(0), 0); // the mapping follows the margins
}

TEST(Scale, EqualRangeEndsPushTheOtherEnd)
{
    LoadedScale s;
    s.SetRangeLow(5);
    s.SetRangeHigh(5); // the axis then runs from 6 down to 5
    EXPECT_EQ(s.RangeLow(), 6);
    EXPECT_EQ(s.RangeHigh(), 5);
    EXPECT_EQ(s.ValueToPixel(6), 20);
    EXPECT_EQ(s.ValueToPixel(5), 379);
    s.SetRangeLow(5);
    EXPECT_EQ(s.RangeLow(), 5);
    EXPECT_EQ(s.RangeHigh(), 6);
    // Non-finite ends are refused; the scale keeps a usable range.
    for (double bad : {std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        s.SetRangeLow(bad);
        s.SetRangeHigh(-bad);
    }
    EXPECT_EQ(s.RangeLow(), 5);
    EXPECT_EQ(s.RangeHigh(), 6);
}

TEST(Scale, LogarithmicNeedsPositiveEndsAndANonCalendarAxis)
{
    LoadedScale s;
    s.SetLogarithmic(true); // RangeLow is 0
    EXPECT_FALSE(s.Logarithmic());
    s.SetRangeLow(1);
    s.SetRangeHigh(1000);
    s.SetLogarithmic(true);
    EXPECT_TRUE(s.Logarithmic());
    EXPECT_EQ(s.ValueToPixel(10), 140);
    s.SetLabelType(ftDateTime); // switches logarithmic off
    EXPECT_FALSE(s.Logarithmic());
    EXPECT_EQ(s.ValueToPixel(10), 23);
    s.SetLogarithmic(true);
    EXPECT_FALSE(s.Logarithmic());
    s.SetLabelType(ftTime);
    EXPECT_EQ(s.DecPlaces(), 4);

    // While loading from a form the value is taken as it is.
    TScale loading;
    loading.SetLogarithmic(true);
    EXPECT_TRUE(loading.Logarithmic());
}

TEST(Scale, MappingFollowsScaleTypeAndSize)
{
    LoadedScale s;
    s.SetScaleType(sctYL);
    EXPECT_EQ(s.ValueToPixel(100), 20);
    EXPECT_EQ(s.ValueToPixel(0), 379);
    s.SetSize(400, 201); // hidden: the mapping must follow without a resize event
    EXPECT_EQ(s.ValueToPixel(0), 180);
    s.SetSize(400, 41); // no usable length: half the width
    EXPECT_EQ(s.ValueToPixel(0), 200);
    EXPECT_EQ(s.ValueToPixel(100), 200);
}

TEST(Scale, TickListIsOneBasedAndFollowsTheOrientation)
{
    LoadedScale s;
    s.BuildTickList();
    ASSERT_EQ(s.NumTicks(), 21); // horizontal with short ticks: every short tick
    EXPECT_EQ(s.TickValue(1), 0);
    EXPECT_EQ(s.TickValue(2), 5);
    EXPECT_EQ(s.TickValue(21), 100);
    EXPECT_EQ(s.TickValue(0), 0);
    EXPECT_EQ(s.TickValue(22), 0);
    s.SetScaleType(sctYR);
    s.BuildTickList();
    EXPECT_EQ(s.NumTicks(), 27);
    EXPECT_EQ(s.TickValue(22), 0);
    EXPECT_EQ(s.TickValue(27), 100);
}

TEST(Scale, AssignCopiesSettingsMappingAndTickList)
{
    LoadedScale a;
    a.SetCaption("x");
    a.SetRangeLow(-3);
    a.SetRangeHigh(3);
    a.SetScaleType(sctYL);
    a.SetColorScheme(csSystem);
    a.SetUserTickText("Mon|Tue");
    a.DateFormat()->SetDateOrder(doYYMMDD);
    int drawn = 0;
    a.OnScaleTickDrawn = [&](TScale&, QPainter*&, TScaleType, double, int, int) { ++drawn; };
    a.OnAfterScaleRendered = [&](TScale&, QPainter&) {};
    a.BuildTickList();

    LoadedScale b;
    b.SetSize(300, 300); // the size is the control's own and is not copied
    b.Assign(a);
    EXPECT_EQ(b.Caption(), "x");
    EXPECT_EQ(b.RangeLow(), -3);
    EXPECT_EQ(b.ScaleType(), sctYL);
    EXPECT_EQ(b.UserTickText(), "Mon|Tue");
    EXPECT_EQ(b.DateFormat()->DateOrder(), doYYMMDD);
    EXPECT_EQ(b.ColorShadow(), a.ColorShadow());
    EXPECT_EQ(b.NumTicks(), a.NumTicks());
    EXPECT_EQ(b.TickValue(3), a.TickValue(3));
    EXPECT_EQ(b.Mapping().Factor, a.Mapping().Factor);
    EXPECT_EQ(b.width(), 300);
    ASSERT_TRUE(b.OnScaleTickDrawn);
    EXPECT_FALSE(b.OnAfterScaleRendered);
    QPainter* none = nullptr;
    b.OnScaleTickDrawn(b, none, sctYL, 0, 0, 0);
    EXPECT_EQ(drawn, 1);
}
