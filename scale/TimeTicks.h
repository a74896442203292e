#pragma once
// Tick placement by units of time: elapsed-time axes (values in seconds) step by a table of
// 28 steps from a millisecond to a day; calendar axes (values in days since 30 December 1899)
// step by hundredths of seconds, seconds, minutes, hours, days, months or years. Both are free
// of painting and bounded like the decimal runs of Ticks.h. MinTicks 0 (one tick per integer
// value on numeric axes) counts as 2 here: a tick per second or per day would crowd any axis
// longer than a few minutes or days.

#include "scale/Ticks.h"

namespace tessaly {

// Largest value a calendar axis may reach (its lowest is MinDateTimeDay, 1 January of year 1).
constexpr double MaxCalendarRange = 3000000;

// One entry of the elapsed-time step table.
struct TTimeStep {
    double Seconds = 1;
    int Subdivisions = 5;
};

// The step of an elapsed-time axis for `perTick` seconds per interval: the largest table step
// not above it. Nothing (the caller falls back to decimal ticks) when perTick is below a
// millisecond or at least a day. TimeStepFor(33.3) is {30, 6}.
bool TimeStepFor(double perTick, TTimeStep& step);

// Elapsed-time ticks: multiples of the table step as long ticks, its subdivisions as short
// ones, within the range widened by a relative 1e-9. Falls back to LinearTicks (Units Decimal)
// where the table has no step.
TTickRun ElapsedTimeTicks(const TTickParams& params);

// The calendar mode for `perTick` days per interval; None below one second (horizontal axes)
// or one hundredth of a second (vertical axes).
TCalendarMode CalendarModeFor(double perTick, bool horizontal);

// Calendar ticks. A range that is reversed or leaves -693593..3000000 gives no ticks and the
// message InvalidRange; a per-tick span below the smallest mode gives BelowOneSecond. Every
// drawn tick is recorded. No tick lies after 31 December 9999, the last date that has a text.
TTickRun CalendarTicks(const TTickParams& params);

} // namespace tessaly
