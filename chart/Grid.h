#pragma once
// The values at which the chart draws grid lines, free of painting.

#include <vector>

namespace tessaly {

// At most this many grid lines per direction (and grid points in all).
constexpr int MaxGridLines = 1000;

// The grid values of one direction for an axis range (either end first) and grid step:
// - step > 0, or step < 0 on a linear axis: the multiples of |step| from the first one not
//   below the range (GridLineValues(-1, 1, 0.3, ...) is -0.9, -0.6, ..., 0.9);
// - step 0: the values of the scale's tick list inside the range, in list order; with an empty
//   list only the lower end;
// - a logarithmic axis with step -1: the powers of ten; -2: 1, 2 and 5 times them (from 2);
//   -3: 1 to 9 times them (other negative steps take the nearest of the three).
// Only values inside [lower end, upper end) count, a value at the upper end does not; the run
// stops at MaxGridLines values, and where the next value would not advance in floating point.
std::vector<double> GridLineValues(double rangeLow, double rangeHigh, double step,
                                   bool logarithmic, const std::vector<double>& ticks);

} // namespace tessaly
