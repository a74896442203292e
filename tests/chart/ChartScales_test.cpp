// The copy of a layer's scale settings into the scale controls that draw its axes.
#include "chart/RChart.h"
#include "scale/Scale.h"

#include <gtest/gtest.h>

using namespace tessaly;

TEST(ChartScales, TheLabelTypeIsCopiedAfterTheDecimalsAndTheLogarithmicMode)
{
    TRChart chart;
    chart.Loaded();
    // An elapsed-time axis shows four decimals in its numeric fall-back labels, also when its
    // settings were given other decimals after the label type.
    chart.Scale1X()->SetLabelType(ftTime);
    chart.Scale1X()->SetDecPlaces(1);
    ASSERT_EQ(chart.Scale1X()->DecPlaces(), 1);
    EXPECT_EQ(chart.ScaleControlX(1)->DecPlaces(), 4);
    // Plain numbers keep the settings' decimals.
    chart.Scale2X()->SetDecPlaces(3);
    chart.Scale2X()->SetLabelType(ftNum);
    EXPECT_EQ(chart.ScaleControlX(2)->DecPlaces(), 3);
}
