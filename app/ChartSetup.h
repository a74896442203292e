#pragma once
// What the main window shows at start, in one place for the window and for --render: the chart
// settings, the formula and the parameters.

#include <array>

namespace tessaly {

class TRChart;

// The sample formulas of the formula box, in its order; the first is the formula at start.
inline constexpr std::array<const char*, 8> SampleFormulas = {
    "a*5*sin(b*x) * cos (c*x)",
    "a*x+b*20",
    "(1+a)*sin(b*x) + c*gauss",
    "exp(0.02*a*x)*sin(b*x)",
    "round(a*8*sin(b*x))",
    "a*sin(x)+b*sin(2*x)+c*sin(3*x)+d*sin(4*x)",
    "(a*sin(x)+b*sin(2*x)+c*sin(3*x))*cos(d*x)",
    "a*sin(b*x)/x",
};

// The parameters a..d once the window is shown (its scroll bars' positions are 100 times these).
inline constexpr std::array<double, 4> StartParameters = {0.5, 1, 0.03, 0.4};

// The chart's design size in the main window.
constexpr int ChartDesignWidth = 559;
constexpr int ChartDesignHeight = 217;

// Scale captions "x" and "y", x -100..100 and y -3..3, dotted silver grid, crosshair 1 as the
// maroon dash-dot read-out cursor, crosshair dragging with a fixed cursor, the margins and the
// item store size.
void ApplyMainWindowChartSettings(TRChart& chart);

} // namespace tessaly
