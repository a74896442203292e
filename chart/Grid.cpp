#include "chart/Grid.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

namespace {

// The decade u and the rounded mantissa m of v = m * 10^u; a decimal logarithm within 1e-14 of
// an integer counts as that integer, so that computed powers of ten land in their own decade.
void Decade(double v, int& u, int& m)
{
    double l = std::log10(v);
    const double nearest = std::round(l);
    if (std::fabs(l - nearest) < 1e-14)
        l = nearest;
    u = static_cast<int>(std::floor(l));
    m = static_cast<int>(std::lround(std::pow(10.0, l - u)));
}

double Power10(int u)
{
    return std::pow(10.0, u);
}

// Appends the values from `first` on while they are below hi, at most MaxGridLines of them.
template <typename Next>
void Run(double first, double lo, double hi, Next next, std::vector<double>& out)
{
    double v = first;
    for (int k = 0; k < MaxGridLines && v < hi; ++k) {
        if (v >= lo)
            out.push_back(v);
        const double following = next(v, k + 1);
        if (!(following > v))
            break; // the step no longer advances
        v = following;
    }
}

} // namespace

std::vector<double> GridLineValues(double rangeLow, double rangeHigh, double step,
                                   bool logarithmic, const std::vector<double>& ticks)
{
    std::vector<double> out;
    const double lo = std::min(rangeLow, rangeHigh);
    const double hi = std::max(rangeLow, rangeHigh);
    if (!(lo < hi) || !std::isfinite(step))
        return out;

    if (step == 0) {
        if (ticks.empty()) {
            out.push_back(lo);
            return out;
        }
        // The list of a reversed axis runs downwards, and a vertical axis lists its long ticks
        // after its short ones: every listed value inside the range gets its line.
        for (double t : ticks) {
            if (t >= lo && t < hi && static_cast<int>(out.size()) < MaxGridLines)
                out.push_back(t);
        }
        return out;
    }

    if (step > 0 || !logarithmic) {
        // Whole multiples of the step rather than a running sum, so that no rounding error
        // builds up: the k-th line lies at (n + k) * step, or (n - k) * step for a negative step.
        const double n = std::ceil(lo / step);
        const double direction = step > 0 ? 1 : -1;
        Run(n * step, lo, hi, [n, direction, step](double, int k) { return (n + direction * k) * step; },
            out);
        return out;
    }

    if (!(lo > 0))
        return out;
    const int kind = std::clamp(static_cast<int>(std::lround(-step)), 1, 3);
    int u = 0, m = 0;
    Decade(lo, u, m);
    double first = 0;
    if (kind == 1) {
        double l = std::log10(lo);
        if (std::fabs(l - std::round(l)) < 1e-14)
            l = std::round(l);
        first = Power10(static_cast<int>(std::ceil(l)));
    } else if (kind == 2) {
        first = Power10(u) * (m <= 2 ? 2 : m <= 5 ? 5 : 10);
    } else {
        first = Power10(u) * m;
    }
    Run(first, lo, hi,
        [kind](double v, int) {
            if (kind == 1)
                return v * 10;
            int du = 0, dm = 0;
            Decade(v, du, dm);
            if (kind == 2)
                return Power10(du) * (dm < 2 ? 2 : dm < 5 ? 5 : 10);
            return Power10(du) * (dm + 1);
        },
        out);
    return out;
}

} // namespace tessaly
