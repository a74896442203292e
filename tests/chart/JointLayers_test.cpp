#include "chart/RChart.h"

#include <gtest/gtest.h>

#include <string>

using namespace tessaly;

namespace {
struct NamedChart : TRChart {
    NamedChart()
    {
        setObjectName("RCFunc");
        resize(559, 217);
        Loaded();
    }
};

// The message of the error that `join` raises, or "" when it raises none.
template <typename F>
std::string ErrorOf(F join)
{
    try {
        join();
    } catch (const ETovraRChartError& e) {
        return e.what();
    }
    return "";
}
} // namespace

TEST(JointLayers, EveryLayerControlsItselfAtFirst)
{
    NamedChart chart;
    const TJointLayers& j = *chart.JointLayers();
    for (int n = 1; n <= LayerCount; ++n) {
        EXPECT_EQ(j.ControlledBy(TJointLayers::axX, n), n);
        EXPECT_EQ(j.ControlledBy(TJointLayers::axY, n), n);
    }
    EXPECT_EQ(j.property("L16yControlledBy").toInt(), 16);
}

TEST(JointLayers, RefusedJoinsRaiseTheirErrorsAndChangeNothing)
{
    NamedChart chart;
    TJointLayers& j = *chart.JointLayers();
    EXPECT_EQ(ErrorOf([&] { j.SetL01x(17); }),
              "Component \"RCFunc\": Destination layer 17 is out of range");
    EXPECT_EQ(ErrorOf([&] { j.SetL04y(0); }),
              "Component \"RCFunc\": Destination layer 0 is out of range");
    j.SetL03x(1);
    EXPECT_EQ(ErrorOf([&] { j.SetL02x(3); }),
              "Component \"RCFunc\": Destination layer 3 is already joined");
    j.SetL05y(2);
    j.SetL07y(2);
    EXPECT_EQ(ErrorOf([&] { j.SetL02y(4); }),
              "Component \"RCFunc\": Layer 2 is joined by other layers (5, 7)");
    EXPECT_EQ(j.L02x(), 2);
    EXPECT_EQ(j.L02y(), 2);
    EXPECT_EQ(j.L01x(), 1);
    // The axes are independent: layer 2's x is free to join.
    j.SetL02x(4);
    EXPECT_EQ(j.L02x(), 4);
    // An ETovraError like every component error.
    EXPECT_THROW(j.SetL09x(-3), ETovraError);
}

TEST(JointLayers, JoinedLayersFollowTheirController)
{
    NamedChart chart;
    chart.SetRange(1, -100, -3, 100, 3);
    chart.SetRange(2, 0, 0, 10, 10);
    chart.JointLayers()->SetL02x(1);
    EXPECT_EQ(chart.Scale2X()->RangeLow(), -100); // takes layer 1's x range at once
    EXPECT_EQ(chart.Scale2Y()->RangeHigh(), 10);  // and keeps its own y range

    chart.SetRange(1, -50, -1, 50, 1);
    EXPECT_EQ(chart.Scale2X()->RangeHigh(), 50);
    EXPECT_EQ(chart.Scale2Y()->RangeHigh(), 10);
    chart.SetRange(2, 7, 7, 8, 8); // its joined x cannot be set
    EXPECT_EQ(chart.Scale2X()->RangeLow(), -50);
    EXPECT_EQ(chart.Scale2Y()->RangeLow(), 7);
    chart.Scale1X()->SetRangeHigh(60); // through the settings as well
    EXPECT_EQ(chart.Scale2X()->RangeHigh(), 60);
    EXPECT_EQ(chart.WorldToPixel(2, 60, 0).x(), chart.WorldToPixel(1, 60, 0).x());

    // Controlling itself again keeps the range it has.
    chart.JointLayers()->SetL02x(2);
    chart.SetRange(1, 0, 0, 1, 1);
    EXPECT_EQ(chart.Scale2X()->RangeHigh(), 60);
    chart.SetRange(2, 7, 7, 9, 9);
    EXPECT_EQ(chart.Scale2X()->RangeHigh(), 9);
}
