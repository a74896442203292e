#include "scale/TimeTicks.h"

#include "scale/DateTimeFormat.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace tessaly {

namespace {

constexpr std::array<TTimeStep, 28> TimeSteps = {{
    {0.001, 5}, {0.002, 4}, {0.005, 5}, {0.01, 5}, {0.02, 4}, {0.05, 5}, {0.1, 5},
    {0.2, 4},   {0.5, 5},   {1, 5},     {2, 4},    {5, 5},    {10, 5},   {20, 4},
    {30, 6},    {60, 6},    {120, 6},   {180, 6},  {300, 5},  {600, 5},  {1200, 6},
    {1800, 6},  {3600, 6},  {7200, 4},  {14400, 4}, {21600, 6}, {43200, 6}, {86400, 6},
}};

constexpr double RangeSlack = 0.999999999;
constexpr double CalendarEndTolerance = 1e-8; // days by which a tick may pass either end
// A span per tick that is a table entry but for rounding (an hour in three, 20 minutes each)
// chooses that entry.
constexpr double TableTolerance = 1 + 1e-9;

int EffectiveMinTicks(int minTicks)
{
    return minTicks > 0 ? minTicks : 2;
}

void Add(TTickRun& run, double value, TTickKind kind, bool record)
{
    run.Ticks.push_back({value, kind});
    if (record && run.Recorded.size() < static_cast<size_t>(MaxTickList))
        run.Recorded.push_back(value);
}

bool RunFull(const TTickRun& run)
{
    return run.Ticks.size() >= static_cast<size_t>(MaxTicksPerRun);
}

// floor(a / b) and the matching remainder for b > 0, also for negative a: the phase of a day
// number counts the same on both sides of day 0.
std::int64_t FloorMod(std::int64_t a, std::int64_t b)
{
    const std::int64_t r = a % b;
    return r < 0 ? r + b : r;
}

struct TYmd {
    int Year = 1899, Month = 12, Day = 30;
};

// The calendar date of a whole day number within the valid dates.
TYmd DateOfDay(std::int64_t day)
{
    TYmd d;
    if (const auto parts = DecodeDateTime(static_cast<double>(day))) {
        d.Year = parts->Year;
        d.Month = parts->Month;
        d.Day = parts->Day;
    }
    return d;
}

double FirstOfMonth(int year, int month)
{
    return static_cast<double>(EncodeDate(year, month, 1).value_or(MaxDateTimeDay));
}

// --- Time of day -------------------------------------------------------------------------------

struct TUnitSteps {
    std::int64_t UnitsPerDay;
    std::array<int, 6> Steps;
    std::array<int, 6> ShortSteps;
};

TUnitSteps UnitStepsOf(TCalendarMode mode)
{
    switch (mode) {
    case TCalendarMode::Hours:
        return {24, {1, 2, 3, 6, 8, 12}, {1, 1, 1, 2, 2, 3}};
    case TCalendarMode::Minutes:
        return {1440, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
    case TCalendarMode::Seconds:
        return {86400, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
    default:
        return {8640000, {1, 2, 5, 10, 20, 50}, {1, 1, 1, 5, 10, 10}};
    }
}

// Hours, minutes, seconds and hundredths. Ticks are counted in whole units after midnight of
// RangeLow's day, so they neither drift by accumulation nor need a tolerance to be long.
void TimeOfDayTicks(TTickRun& run, const TTickParams& p, double perTick)
{
    const TUnitSteps table = UnitStepsOf(run.Mode);
    const std::int64_t u = table.UnitsPerDay;
    const double unitsPerDay = static_cast<double>(u); // at most 8,640,000: exact
    const double lo = p.RangeLow, hi = p.RangeHigh;
    int f = table.Steps[0], fs = table.ShortSteps[0];
    for (size_t i = 0; i < table.Steps.size(); ++i) {
        if (table.Steps[i] <= unitsPerDay * perTick * TableTolerance) {
            f = table.Steps[i];
            fs = table.ShortSteps[i];
        }
    }
    const double day = std::floor(lo);
    double frac = lo - std::trunc(lo);
    if (frac < 0)
        frac += 1;
    // A start a rounding error past a unit boundary still starts at that boundary.
    std::int64_t units = static_cast<std::int64_t>(std::ceil(unitsPerDay * frac - 1e-6));
    units = (units + f - 1) / f * f;
    auto at = [&](std::int64_t n) { return day + static_cast<double>(n) / static_cast<double>(u); };
    const std::int64_t advance = p.ShortTicks ? fs : f;
    if (p.ShortTicks) {
        for (int i = 0; i <= f / fs && at(units) > lo; ++i)
            units -= fs;
    }
    const double lastInstant = MaxDateTimeDay + 1.0; // midnight after 31 December 9999
    for (std::int64_t n = units; !RunFull(run); n += advance) {
        const double tick = at(n);
        if (!(tick - hi < CalendarEndTolerance) || tick >= lastInstant)
            break;
        if (lo - tick > CalendarEndTolerance)
            continue;
        const bool isLong = !p.ShortTicks || FloorMod(n, f) == 0;
        Add(run, tick, isLong ? TTickKind::Long : TTickKind::Short, true);
    }
}

// --- Days, months, years -----------------------------------------------------------------------

void DayTicks(TTickRun& run, const TTickParams& p, double perTick)
{
    const double lo = p.RangeLow, hi = p.RangeHigh;
    int step = 1;
    for (int s : {1, 2, 3, 7, 14, 28})
        if (s <= perTick * TableTolerance)
            step = s;
    const auto loDay = static_cast<std::int64_t>(std::floor(lo));
    if (loDay > MaxDateTimeDay)
        return;
    const std::int64_t jan1 = EncodeDate(DateOfDay(loDay).Year, 1, 1).value_or(MinDateTimeDay);
    const std::int64_t first =
        jan1 + step * (static_cast<std::int64_t>(std::trunc(lo - static_cast<double>(jan1))) / step);
    const std::int64_t phase = FloorMod(first, step);
    const int shortStep = step <= 7 ? 1 : 7;
    const int advance = p.ShortTicks ? shortStep : step;
    for (std::int64_t day = first; day <= MaxDateTimeDay && !RunFull(run); day += advance) {
        const double tick = static_cast<double>(day);
        if (!(tick - hi < CalendarEndTolerance))
            break;
        if (tick < lo)
            continue;
        const bool isLong = !p.ShortTicks || FloorMod(day, step) == phase;
        Add(run, tick, isLong ? TTickKind::Long : TTickKind::Short, true);
    }
}

void MonthTicks(TTickRun& run, const TTickParams& p, int minTicks)
{
    const double lo = p.RangeLow, hi = p.RangeHigh;
    const double perTick = (hi - lo) / 30.4375 / minTicks;
    int step = 1;
    for (int s : {1, 2, 3, 4, 6})
        if (s <= perTick * TableTolerance)
            step = s;
    const auto loDay = static_cast<std::int64_t>(std::floor(lo));
    if (loDay > MaxDateTimeDay)
        return;
    const TYmd start = DateOfDay(loDay);
    int year = start.Year, month = start.Month;
    auto next = [&](int months) {
        month += months;
        while (month > 12) {
            month -= 12;
            ++year;
        }
    };
    // Without short ticks only every step-th month from January has a tick. The month of
    // RangeLow keeps its tick when it is one of them (the tick itself is dropped below when it
    // lies before RangeLow), so an axis that starts on such a 1st shows it.
    if (step > 1 && !p.ShortTicks) {
        while (month % step != 1)
            next(1);
    }
    const int advance = p.ShortTicks ? 1 : step;
    while (year <= 9999 && !RunFull(run)) {
        const double tick = FirstOfMonth(year, month);
        if (!(tick - hi < CalendarEndTolerance))
            break;
        if (tick >= lo) {
            const bool isLong = !p.ShortTicks || step == 1 || month % step == 1;
            Add(run, tick, isLong ? TTickKind::Long : TTickKind::Short, true);
        }
        next(advance);
    }
}

void YearTicks(TTickRun& run, const TTickParams& p, int minTicks)
{
    const double lo = p.RangeLow, hi = p.RangeHigh;
    const double years = std::max(1.0, (hi - lo) / 365.25 / minTicks);
    const double lg = std::log10(years);
    const double power = std::pow(10.0, std::floor(lg));
    const double m = std::pow(10.0, lg - std::floor(lg));
    const int mantissa = m * TableTolerance < 2 ? 1 : m * TableTolerance < 5 ? 2 : 5;
    // The range spans at most some 10000 years, so the steps are small integers.
    const auto step = static_cast<std::int64_t>(std::llround(mantissa * power));
    std::int64_t shortStep = step;
    if (p.ShortTicks && step != 1)
        shortStep = std::llround(static_cast<double>(step) / (mantissa == 5 ? 5 : 2));
    const auto loDay = static_cast<std::int64_t>(std::floor(lo));
    if (loDay > MaxDateTimeDay)
        return;
    const std::int64_t loYear = DateOfDay(loDay).Year;
    std::int64_t year = (loYear + shortStep - 1) / shortStep * shortStep;
    if (year == loYear && lo != FirstOfMonth(static_cast<int>(loYear), 1))
        year += shortStep;
    for (; !RunFull(run); year += shortStep) {
        // Years after 9999 have no date: the sequence ends with the last representable day.
        const bool last = year > 9999;
        const double tick = last ? MaxDateTimeDay : FirstOfMonth(static_cast<int>(year), 1);
        if (!(tick - hi < CalendarEndTolerance))
            break;
        const bool isLong = !p.ShortTicks || year % step == 0;
        if (tick >= lo && (run.Ticks.empty() || tick > run.Ticks.back().Value))
            Add(run, tick, isLong ? TTickKind::Long : TTickKind::Short, true);
        if (last)
            break;
    }
}

} // namespace

bool TimeStepFor(double perTick, TTimeStep& step)
{
    for (size_t i = TimeSteps.size(); i-- > 0;) {
        if (perTick * TableTolerance >= TimeSteps[i].Seconds) {
            if (i + 1 == TimeSteps.size())
                return false; // a day or more: decimal ticks
            step = TimeSteps[i];
            return true;
        }
    }
    return false; // below a millisecond, or not a number
}

TTickRun ElapsedTimeTicks(const TTickParams& params)
{
    TTickParams p = params;
    p.MinTicks = EffectiveMinTicks(params.MinTicks);
    const double lo = p.RangeLow, hi = p.RangeHigh;
    TTimeStep table;
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo == hi ||
        !TimeStepFor(std::fabs(hi - lo) / p.MinTicks, table))
        return LinearTicks(p);

    TTickRun run;
    run.Units = TTickUnits::ElapsedTime;
    run.TimeStep = table.Seconds;
    const double s = lo < hi ? 1 : -1;
    const double step = s * table.Seconds;
    run.Step = step;
    const long double shortStep = static_cast<long double>(step) / table.Subdivisions;

    // The relative slack lets the multiple that lo rounds short of count as lo's own. Far from
    // zero it would skip whole steps, so there the plain multiple before lo is taken.
    const double q = lo / step;
    double first = std::floor(q / RangeSlack) * step;
    if (!(std::fabs(first - lo) <= 2 * table.Seconds))
        first = std::floor(q) * step;

    // The range widened by a relative 1e-9 at both ends (in the axis direction), but never by
    // more than a thousandth of a short step, so that ticks far from zero stay on the axis.
    const long double shortMagnitude = std::fabs(shortStep);
    auto slack = [&](double x) {
        return std::min<long double>(std::fabs(x) * (1 - RangeSlack), 1e-3L * shortMagnitude);
    };
    const long double lower = lo - s * slack(lo);
    const long double upper = hi + s * slack(hi);
    auto inside = [&](double v) { return s * v >= s * lower && s * v <= s * upper; };

    // At least up to the range's end: a count taken from lo alone can stop a short step short.
    const double fromLow = std::trunc((hi - lo) / static_cast<double>(shortStep)) + 5;
    const double fromFirst = std::trunc((hi - first) / static_cast<double>(shortStep)) + 2;
    const double wanted = std::max(fromLow, fromFirst);
    const int count =
        wanted >= 0 ? static_cast<int>(std::min<double>(wanted, MaxTicksPerRun / 2 - 1)) : 0;

    // A value that does not advance beyond the one before (a step below the resolution of
    // doubles there) is drawn once.
    auto pass = [&](auto use) {
        double previous = 0;
        for (int m = 0; m <= count; ++m) {
            const double v = static_cast<double>(first + m * shortStep);
            if (m > 0 && !(s * (v - previous) > 0))
                continue;
            previous = v;
            if (inside(v))
                use(v);
        }
    };
    if (p.ShortTicks)
        pass([&](double v) { Add(run, v, TTickKind::Short, true); });
    const bool recordLong = !p.Horizontal || !p.ShortTicks;
    pass([&](double v) {
        const double r = v / step;
        if (std::fabs(r - std::round(r)) <= 0.01)
            Add(run, v, TTickKind::Long, recordLong);
    });
    return run;
}

TCalendarMode CalendarModeFor(double perTick, bool horizontal)
{
    if (!(perTick > (horizontal ? 1.1574e-5 : 1.0 / 8640000)))
        return TCalendarMode::None; // also for a span that is not a number
    if (!horizontal && perTick <= 1.0 / 86400)
        return TCalendarMode::Hundredths;
    if (perTick <= (horizontal ? 6.9444e-4 : 1.0 / 1440))
        return TCalendarMode::Seconds;
    if (perTick <= 0.041667)
        return TCalendarMode::Minutes;
    if (perTick <= 1)
        return TCalendarMode::Hours;
    if (perTick <= 30)
        return TCalendarMode::Days;
    if (perTick <= 366)
        return TCalendarMode::Months;
    return TCalendarMode::Years;
}

TTickRun CalendarTicks(const TTickParams& p)
{
    TTickRun run;
    run.Units = TTickUnits::Calendar;
    const double lo = p.RangeLow, hi = p.RangeHigh;
    if (!(hi >= lo && lo >= MinDateTimeDay && hi <= MaxCalendarRange)) {
        run.Message = TCalendarMessage::InvalidRange;
        return run;
    }
    const int minTicks = EffectiveMinTicks(p.MinTicks);
    const double perTick = (hi - lo) / minTicks;
    run.Mode = CalendarModeFor(perTick, p.Horizontal);
    switch (run.Mode) {
    case TCalendarMode::None:
        run.Message = TCalendarMessage::BelowOneSecond;
        break;
    case TCalendarMode::Hundredths:
    case TCalendarMode::Seconds:
    case TCalendarMode::Minutes:
    case TCalendarMode::Hours:
        TimeOfDayTicks(run, p, perTick);
        break;
    case TCalendarMode::Days:
        DayTicks(run, p, perTick);
        break;
    case TCalendarMode::Months:
        MonthTicks(run, p, minTicks);
        break;
    case TCalendarMode::Years:
        YearTicks(run, p, minTicks);
        break;
    }
    return run;
}

} // namespace tessaly
