#include "scale/Ticks.h"

#include "scale/TimeTicks.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

// Extended precision, in which mappings and tick runs are computed.
using Extended = long double;

namespace {

constexpr double StepTolerance = 0.001;  // share of a step by which a tick may miss the range
constexpr double DecadeSlack = 0.999999999;
constexpr int MaxDecades = 1000;         // more than the double range spans
constexpr int MaxFirstAdvances = 8;      // the first tick lies within two steps of lo

void Record(TTickRun& run, double value)
{
    if (run.Recorded.size() < static_cast<size_t>(MaxTickList))
        run.Recorded.push_back(value);
}

void Emit(TTickRun& run, double value, TTickKind kind, bool record)
{
    run.Ticks.push_back({value, kind});
    if (record)
        Record(run, value);
}

// The values start + k * step for k = 0, 1, ... that the run takes: the first one always, the
// next ones while s * (value - hi) <= tolerance. The values are computed in extended precision
// from k (not by accumulation), so ranges near the double limits do not overflow on the way;
// the run also ends where a value does not advance beyond the one before (the step is below
// the resolution of doubles there) and after `limit` values.
template <typename Use>
void StepRun(long double start, long double step, double hi, double s, double tolerance,
             int limit, Use use)
{
    double value = static_cast<double>(start);
    for (int k = 1;; ++k) {
        use(value);
        if (k >= limit)
            return;
        const double next = static_cast<double>(start + k * step);
        if (!(s * (next - hi) <= tolerance) || !(s * (next - value) > 0))
            return;
        value = next;
    }
}

} // namespace

TNiceStep NiceTickStep(double lo, double hi, int minTicks)
{
    TNiceStep r;
    r.First = lo;
    if (hi == lo || !std::isfinite(lo) || !std::isfinite(hi))
        return r;
    const double s = lo < hi ? 1 : -1;
    const double span = std::fabs(hi - lo);
    // The first tick is found in extended precision: near the ends of the double range the
    // multiple before lo may lie outside it.
    long double first;
    if (minTicks <= 0) {
        // One tick per integer value, stepping in the axis direction so that reversed axes end.
        r.Step = s;
        r.Subdivisions = span <= 10 ? 5 : 1;
        first = Extended(std::trunc(lo)) - s;
    } else {
        double perTick = span / minTicks;
        if (!std::isfinite(perTick)) // the span itself overflows
            perTick = std::fabs(hi / minTicks - lo / minTicks);
        double g = std::log10(perTick);
        double whole = std::trunc(g);
        double h = g - whole;
        if (std::fabs(h) < 1e-10 || std::fabs(h) > 0.9999999999) {
            g = std::round(g);
            whole = g;
            h = 0;
        }
        if (g < 0 && h != 0)
            whole -= 1;
        if (h < 0)
            h += 1;
        double mantissa;
        if (h < std::log10(2.0) + 1e-10) {
            mantissa = 1;
            r.Subdivisions = 5;
        } else if (h < std::log10(5.0) + 1e-10) {
            mantissa = 2;
            r.Subdivisions = 4;
        } else {
            mantissa = 5;
            r.Subdivisions = 5;
        }
        const double step = whole >= 0 ? mantissa * std::pow(10.0, whole)
                                       : mantissa / std::pow(10.0, -whole);
        if (!(step > 0) || !std::isfinite(step)) {
            r.Subdivisions = 1;
            return r; // below the smallest representable step: no ticks
        }
        r.Step = s * step;
        first = (Extended(std::trunc(lo / r.Step)) - 1) * r.Step;
    }
    for (int i = 0; i < MaxFirstAdvances && StepTolerance * std::fabs(r.Step) < s * (lo - first);
         ++i) {
        const long double next = first + r.Step;
        if (next == first)
            break;
        first = next;
    }
    r.First = static_cast<double>(first);
    return r;
}

TTickRun LinearTicks(const TTickParams& p)
{
    TTickRun run;
    const TNiceStep ns = NiceTickStep(p.RangeLow, p.RangeHigh, p.MinTicks);
    run.Step = ns.Step;
    if (ns.Step == 0)
        return run;
    const double lo = p.RangeLow, hi = p.RangeHigh;
    const double s = ns.Step > 0 ? 1 : -1;
    const long double step = ns.Step;
    const long double shortStep = step / ns.Subdivisions;
    constexpr int limit = MaxTicksPerRun / 2;
    if (p.ShortTicks) {
        // From one step before the first long tick, so that short ticks fill the range's start.
        const double tolerance = StepTolerance * std::fabs(static_cast<double>(shortStep));
        StepRun(ns.First - step, shortStep, hi, s, tolerance, limit, [&](double v) {
            if (!(s * v < s * lo))
                Emit(run, v, TTickKind::Short, true);
        });
    }
    const bool recordLong = !p.Horizontal || !p.ShortTicks;
    StepRun(ns.First, step, hi, s, StepTolerance * std::fabs(ns.Step), limit,
            [&](double v) { Emit(run, v, TTickKind::Long, recordLong); });
    return run;
}

TTickRun LogarithmicTicks(const TTickParams& p)
{
    const double lo = std::min(p.RangeLow, p.RangeHigh);
    const double hi = std::max(p.RangeLow, p.RangeHigh);
    TTickRun run;
    if (!(lo > 0) || !std::isfinite(hi))
        return run;
    double ratio = hi / lo;
    const double decades =
        std::isfinite(ratio) ? std::fabs(std::log10(ratio)) : std::log10(hi) - std::log10(lo);
    if (decades < 1)
        return LinearTicks(p);
    run.Units = TTickUnits::Decades;

    const bool subTicks = p.MinTicks > decades + 0.5;
    const long double base = std::pow(10.0L, std::floor(std::log10(Extended(lo) * DecadeSlack)));
    const long double loL = lo, hiL = hi;
    long double mult = 1;
    for (int decade = 0; decade < MaxDecades; ++decade) {
        const long double unit = base * mult;
        auto tick = [&](int factor, TTickKind kind) {
            const long double v = factor * unit;
            const double value = static_cast<double>(v);
            if (loL < v / DecadeSlack && hiL > v * DecadeSlack && std::isfinite(value) &&
                run.Ticks.size() < static_cast<size_t>(MaxTicksPerRun)) {
                Emit(run, value, kind, true);
                run.Ticks.back().DecadeFactor = factor;
            }
        };
        tick(1, TTickKind::Long);
        if (subTicks) {
            tick(2, TTickKind::Long);
            tick(5, TTickKind::Long);
            if (p.ShortTicks)
                for (int factor : {3, 4, 6, 7, 8, 9})
                    tick(factor, TTickKind::Short);
        }
        mult *= 10;
        if (hiL < DecadeSlack * base * mult)
            break;
    }
    return run;
}

TTickRun ComputeTicks(const TTickParams& p)
{
    switch (p.LabelType) {
    case ftTime:
        // Elapsed-time and calendar axes are never logarithmic.
        return ElapsedTimeTicks(p);
    case ftDateTime:
        return CalendarTicks(p);
    case ftNoFigs:
    case ftNum:
    case ftUserText:
        break;
    }
    return p.Logarithmic ? LogarithmicTicks(p) : LinearTicks(p);
}

} // namespace tessaly
