#pragma once
// The chart settings of the main window, in one place for the window and for --render.

namespace tessaly {

class TRChart;

// The chart's design size in the main window.
constexpr int ChartDesignWidth = 559;
constexpr int ChartDesignHeight = 217;

// Scale captions "x" and "y", x -100..100 and y -3..3, dotted silver grid, crosshair 1 as the
// maroon dash-dot read-out cursor, crosshair dragging with a fixed cursor, the margins and the
// item store size.
void ApplyMainWindowChartSettings(TRChart& chart);

} // namespace tessaly
