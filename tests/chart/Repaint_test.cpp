// The chart's repaint policy: what the control shows after changes it could not paint at once.
#include "ChartPaintSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace tessaly::test;

TEST(ChartRepaint, ChangesWhileHiddenOrWithoutAutoRedrawReachTheNextPaint)
{
    ShownChart chart;
    const QPoint inside(chart.L() + 10, chart.T() + 10);
    EXPECT_EQ(PixelAt(chart.grab().toImage(), inside.x(), inside.y()), clWhite);

    // Without AutoRedraw nothing is drawn at once, but a paint of the control (an expose, a
    // grab) never shows the picture from before the change.
    chart.SetAutoRedraw(false);
    chart.SetChartColor(clAqua);
    EXPECT_EQ(PixelAt(chart.grab().toImage(), inside.x(), inside.y()), clAqua);

    // Hidden, with AutoRedraw: drawn when shown again.
    chart.SetAutoRedraw(true);
    chart.hide();
    chart.SetChartColor(clFuchsia);
    chart.MoveTo(-100, 0);
    chart.DrawTo(100, 0);
    chart.ShowItems();
    chart.show();
    QApplication::processEvents();
    const QImage shown = chart.grab().toImage();
    EXPECT_EQ(PixelAt(shown, inside.x(), inside.y()), clFuchsia);
    EXPECT_EQ(PixelAt(shown, chart.L() + 100, chart.WorldToPixel(1, 0, 0).y()), clBlack);
}
