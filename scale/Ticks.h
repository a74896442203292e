#pragma once
// Tick placement of an axis scale, free of painting: which values get a tick, which ticks are
// long (and labelled) and which short, and which values go into the scale's tick list that the
// chart's grid reads. Every run is bounded: a step that no longer advances in floating point
// ends it, and no run yields more than MaxTicksPerRun ticks.

#include "scale/ScaleTypes.h"

#include <vector>

namespace tessaly {

// Entries of a scale's tick list.
constexpr int MaxTickList = 250;

// Upper bound of the ticks of one run (far more than any axis has pixels).
constexpr int MaxTicksPerRun = 10000;

// The decimal step of numeric axes: the first long tick, the step between long ticks (signed
// in the axis direction; 0 when the range is empty) and the number of short-tick intervals per
// step.
struct TNiceStep {
    double First = 0;
    double Step = 0;
    int Subdivisions = 1;
};

// The step for the range lo..hi with at least `minTicks` intervals: the largest of 1, 2 and 5
// times a power of ten that does not exceed |hi - lo| / minTicks (with a tolerance of 1e-10 in
// the logarithm, so that exactly 2 * 10^k gives 10^k and exactly 5 * 10^k gives 2 * 10^k), and
// the first multiple of it that is not more than 0.1 % of a step short of lo. minTicks 0 asks
// for one tick per integer value. NiceTickStep(0, 100, 3) is {0, 20, 4}.
TNiceStep NiceTickStep(double lo, double hi, int minTicks);

enum class TTickKind {
    Short, // unlabelled intermediate tick
    Long,  // labelled tick
};

struct TTick {
    double Value = 0;
    TTickKind Kind = TTickKind::Long;
    int DecadeFactor = 0; // 1..9 on the decade ticks of a logarithmic axis, else 0
};

// How the ticks of a run were placed, and so how their labels are made.
enum class TTickUnits {
    Decimal,     // nice decimal steps (numeric axes and every fall-back)
    Decades,     // decades of a logarithmic axis
    ElapsedTime, // seconds by the elapsed-time step table
    Calendar,    // calendar units
};

// The unit of the ticks of a calendar axis.
enum class TCalendarMode { None, Hundredths, Seconds, Minutes, Hours, Days, Months, Years };

// What a calendar axis shows instead of ticks.
enum class TCalendarMessage { None, InvalidRange, BelowOneSecond };

struct TTickParams {
    double RangeLow = 0;
    double RangeHigh = 100;
    int MinTicks = 3; // 0, or 2..10
    bool ShortTicks = true;
    bool Logarithmic = false;
    TFigType LabelType = ftNum;
    bool Horizontal = true;
};

struct TTickRun {
    std::vector<TTick> Ticks;     // in drawing order
    std::vector<double> Recorded; // the tick list, at most MaxTickList values
    double Step = 0;              // the long-tick step (signed) of decimal runs; 0 for decades
    TTickUnits Units = TTickUnits::Decimal;
    double TimeStep = 0;          // elapsed time: the step of the table in seconds (unsigned)
    TCalendarMode Mode = TCalendarMode::None;         // calendar axes
    TCalendarMessage Message = TCalendarMessage::None; // calendar axes without ticks
};

// The ticks of one drawing of an axis, chosen by the label type: elapsed-time and calendar
// axes place theirs by units of time (TimeTicks.h), the others by decimal steps or decades.
TTickRun ComputeTicks(const TTickParams& params);

// Decimal ticks: short ticks (when enabled) over the whole range, then the long ticks. A
// horizontal axis records its short ticks, and its long ticks only when short ticks are off;
// a vertical axis records its short ticks and then always its long ticks.
TTickRun LinearTicks(const TTickParams& params);

// Decade ticks of a logarithmic axis: 1x of every decade (long); when the axis has fewer
// decades than minTicks - 0.5 also 2x and 5x (long) and, with short ticks on, 3x, 4x, 6x..9x
// (short). A range of less than one decade uses the decimal ticks. Every tick is recorded.
TTickRun LogarithmicTicks(const TTickParams& params);

} // namespace tessaly
