#include "scale/Ticks.h"

#include "TickTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace tessaly;
using namespace tessaly::ticktest;

namespace {

TTickParams Linear(double lo, double hi, int minTicks, bool shortTicks = true, bool horiz = true)
{
    TTickParams p;
    p.RangeLow = lo;
    p.RangeHigh = hi;
    p.MinTicks = minTicks;
    p.ShortTicks = shortTicks;
    p.Horizontal = horiz;
    return p;
}

TTickParams Log(double lo, double hi, int minTicks, bool shortTicks = true)
{
    TTickParams p = Linear(lo, hi, minTicks, shortTicks);
    p.Logarithmic = true;
    return p;
}

} // namespace

TEST(NiceTickStep, ChoosesTheLargestNiceStepWithAtLeastMinTicksIntervals)
{
    struct Case { double lo, hi; int minTicks; double first, step; int subdivisions; };
    const Case cases[] = {
        {0, 100, 3, 0, 20, 4},       // 33.3 per interval
        {0, 10, 5, 0, 1, 5},         // exactly 2: the lower class
        {-3, 3, 3, -3, 1, 5},        // exactly 2 again
        {-100, 100, 3, -100, 50, 5}, // 66.7
        {0, 1, 3, 0, 0.2, 4},        // a negative logarithm with a fraction
        {0, 1, 5, 0, 0.1, 5},        // exactly 0.2
        {0, 25, 5, 0, 2, 4},         // exactly 5: the lower class
        {0.05, 1, 3, 0.2, 0.2, 4},   // first tick: the first multiple at or after lo
        {100, 0, 3, 100, -20, 4},    // reversed axis: the step carries the direction
        {1.0001, 2, 2, 1, 0.2, 4},   // 0.05 % of a step short of lo still counts as at lo
    };
    for (const Case& c : cases) {
        const TNiceStep s = NiceTickStep(c.lo, c.hi, c.minTicks);
        EXPECT_NEAR(s.First, c.first, 1e-12) << c.lo << ".." << c.hi << " / " << c.minTicks;
        EXPECT_NEAR(s.Step, c.step, 1e-12) << c.lo << ".." << c.hi << " / " << c.minTicks;
        EXPECT_EQ(s.Subdivisions, c.subdivisions) << c.lo << ".." << c.hi << " / " << c.minTicks;
    }
}

TEST(NiceTickStep, MinTicksZeroStepsByOneInTheAxisDirection)
{
    struct Case { double lo, hi; double first, step; int subdivisions; };
    const Case cases[] = {
        {0, 10, 0, 1, 5},
        {0.5, 20, 1, 1, 1},  // span above 10: no subdivisions
        {10, 0, 10, -1, 5},  // reversed
        {-2.5, -20, -3, -1, 1},
    };
    for (const Case& c : cases) {
        const TNiceStep s = NiceTickStep(c.lo, c.hi, 0);
        EXPECT_DOUBLE_EQ(s.First, c.first) << c.lo << ".." << c.hi;
        EXPECT_DOUBLE_EQ(s.Step, c.step) << c.lo << ".." << c.hi;
        EXPECT_EQ(s.Subdivisions, c.subdivisions) << c.lo << ".." << c.hi;
    }
}

TEST(NiceTickStep, EmptyOrNonFiniteRangesHaveNoStep)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [lo, hi] : {std::pair{5.0, 5.0}, {nan, 1.0}, {0.0, nan}, {-inf, 1.0}, {0.0, inf}}) {
        EXPECT_EQ(NiceTickStep(lo, hi, 3).Step, 0) << lo << ".." << hi;
        EXPECT_EQ(NiceTickStep(lo, hi, 0).Step, 0) << lo << ".." << hi;
    }
}

TEST(LinearTicks, LongTicksRunFromFirstToHigh)
{
    struct Case { double lo, hi; int minTicks; std::vector<double> longTicks; };
    const Case cases[] = {
        {0, 100, 3, {0, 20, 40, 60, 80, 100}},
        {-3, 3, 3, {-3, -2, -1, 0, 1, 2, 3}},
        {-100, 100, 3, {-100, -50, 0, 50, 100}},
        {100, 0, 3, {100, 80, 60, 40, 20, 0}},
        {3, -3, 0, {3, 2, 1, 0, -1, -2, -3}}, // MinTicks 0 on a reversed axis ends
        {0.1, 0.7, 3, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7}},
    };
    for (const Case& c : cases)
        ExpectTickValues(TickValues(LinearTicks(Linear(c.lo, c.hi, c.minTicks)), TTickKind::Long),
                     c.longTicks);
}

TEST(LinearTicks, ShortTicksFillTheRangeAtTheSubdividedStep)
{
    const TTickRun run = LinearTicks(Linear(0, 100, 3));
    std::vector<double> want;
    for (int v = 0; v <= 100; v += 5)
        want.push_back(v);
    ExpectTickValues(TickValues(run, TTickKind::Short), want);
    // Short ticks precede the long ones in drawing order.
    EXPECT_EQ(run.Ticks.front().Kind, TTickKind::Short);
    EXPECT_EQ(run.Ticks.back().Kind, TTickKind::Long);

    // The range starts between long ticks: short ticks begin at the first multiple inside.
    want.clear();
    for (int v = 4; v <= 40; v += 2)
        want.push_back(v);
    ExpectTickValues(TickValues(LinearTicks(Linear(3, 41, 3)), TTickKind::Short), want);
    ExpectTickValues(TickValues(LinearTicks(Linear(3, 41, 3)), TTickKind::Long), {10, 20, 30, 40});
    EXPECT_TRUE(TickValues(LinearTicks(Linear(0, 100, 3, false)), TTickKind::Short).empty());
}

TEST(LinearTicks, TickListRecordsByOrientation)
{
    // Horizontal: the short ticks, or the long ones when there are no short ticks.
    EXPECT_EQ(LinearTicks(Linear(0, 100, 3, true, true)).Recorded.size(), 21u);
    ExpectTickValues(LinearTicks(Linear(0, 100, 3, false, true)).Recorded, {0, 20, 40, 60, 80, 100});
    // Vertical: the short ticks and then always the long ones.
    const TTickRun vertical = LinearTicks(Linear(0, 100, 3, true, false));
    ASSERT_EQ(vertical.Recorded.size(), 27u);
    EXPECT_DOUBLE_EQ(vertical.Recorded[20], 100);
    EXPECT_DOUBLE_EQ(vertical.Recorded[21], 0);
    EXPECT_EQ(LinearTicks(Linear(0, 100, 3, false, false)).Recorded.size(), 6u);
    // At most 250 entries, though more ticks are drawn.
    const TTickRun many = LinearTicks(Linear(0, 400, 0, true, false));
    EXPECT_EQ(many.Recorded.size(), static_cast<size_t>(MaxTickList));
    EXPECT_EQ(TickValues(many, TTickKind::Long).size(), 401u);
}

TEST(LinearTicks, RunsEndOnRangesBeyondDoubleResolution)
{
    // 1e17 + 10 rounds to 1e17 + 16, and steps of 1 or 5 no longer advance: the run ends.
    for (int minTicks : {0, 3, 10}) {
        const TTickRun run = LinearTicks(Linear(1e17, 1e17 + 10, minTicks));
        EXPECT_LE(run.Ticks.size(), 10u) << minTicks;
        for (const TTick& t : run.Ticks)
            EXPECT_TRUE(t.Value >= 1e17 - 16 && t.Value <= 1e17 + 32) << t.Value;
    }
    const TTickRun unitSteps = LinearTicks(Linear(1e300, 1e300 * (1 + 1e-15), 0));
    EXPECT_LE(unitSteps.Ticks.size(), 2u);
}

TEST(LinearTicks, ExtremeRangesStayFiniteAndBounded)
{
    const TTickRun wide = LinearTicks(Linear(-1e308, 1e308, 3));
    const std::vector<double> longTicks = TickValues(wide, TTickKind::Long);
    const std::vector<double> want = {-1e308, -5e307, 0, 5e307, 1e308};
    ASSERT_EQ(longTicks.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(longTicks[i], want[i], 1e296);
    for (const TTick& t : wide.Ticks)
        EXPECT_TRUE(std::isfinite(t.Value));
    const TTickRun maxRange = LinearTicks(Linear(-1.7976931348623157e308, 1.7976931348623157e308, 10));
    EXPECT_FALSE(maxRange.Ticks.empty());
    for (const TTick& t : maxRange.Ticks)
        EXPECT_TRUE(std::isfinite(t.Value));
    // One tick per integer over a billion units is cut at the run limit.
    const TTickRun huge = LinearTicks(Linear(0, 1e9, 0));
    EXPECT_LE(huge.Ticks.size(), static_cast<size_t>(MaxTicksPerRun));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(LinearTicks(Linear(nan, 1, 3)).Ticks.empty());
    EXPECT_TRUE(LinearTicks(Linear(4, 4, 3)).Ticks.empty());
}

TEST(LogarithmicTicks, DecadesAloneWhenMinTicksDoesNotExceedTheDecades)
{
    // 3 decades, 3 > 3.5 is false: only the decades.
    const TTickRun run = LogarithmicTicks(Log(1, 1000, 3));
    ExpectTickValues(TickValues(run, TTickKind::Long), {1, 10, 100, 1000});
    EXPECT_TRUE(TickValues(run, TTickKind::Short).empty());
    ExpectTickValues(run.Recorded, {1, 10, 100, 1000});
    // Reversed and not starting at a decade.
    ExpectTickValues(TickValues(LogarithmicTicks(Log(5000, 0.5, 2)), TTickKind::Long), {1, 10, 100, 1000});
}

TEST(LogarithmicTicks, TwoAndFiveTimesAndShortTicksWithFewDecades)
{
    const TTickRun run = LogarithmicTicks(Log(1, 100, 3)); // 3 > 2.5
    ExpectTickValues(TickValues(run, TTickKind::Long), {1, 2, 5, 10, 20, 50, 100});
    ExpectTickValues(TickValues(run, TTickKind::Short), {3, 4, 6, 7, 8, 9, 30, 40, 60, 70, 80, 90});
    // Drawing order per decade is 1, 2, 5, then the short ticks; all are recorded.
    ExpectTickValues(std::vector<double>(run.Recorded.begin(), run.Recorded.begin() + 4), {1, 2, 5, 3});
    EXPECT_EQ(run.Recorded.size(), run.Ticks.size());
    EXPECT_TRUE(TickValues(LogarithmicTicks(Log(1, 100, 3, false)), TTickKind::Short).empty());
    // Ticks outside the range are left out.
    ExpectTickValues(TickValues(LogarithmicTicks(Log(3, 60, 5)), TTickKind::Long), {5, 10, 20, 50});
}

TEST(LogarithmicTicks, LessThanOneDecadeUsesDecimalTicks)
{
    ExpectTickValues(TickValues(LogarithmicTicks(Log(2, 8, 3)), TTickKind::Long), {2, 3, 4, 5, 6, 7, 8});
}

TEST(LogarithmicTicks, ExtremeRangesEndAndNonPositiveRangesHaveNoTicks)
{
    const TTickRun wide = LogarithmicTicks(Log(1e-300, 1e300, 10));
    EXPECT_EQ(TickValues(wide, TTickKind::Long).size(), 601u);
    EXPECT_EQ(wide.Recorded.size(), static_cast<size_t>(MaxTickList));
    const TTickRun denormal = LogarithmicTicks(Log(4.9e-324, 1.7976931348623157e308, 3));
    EXPECT_GT(denormal.Ticks.size(), 600u);
    for (const TTick& t : denormal.Ticks)
        EXPECT_TRUE(t.Value > 0 && std::isfinite(t.Value));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (auto [lo, hi] : {std::pair{0.0, 100.0}, {-1.0, 100.0}, {nan, 10.0}, {1.0, nan},
                          {1.0, std::numeric_limits<double>::infinity()}})
        EXPECT_TRUE(LogarithmicTicks(Log(lo, hi, 3)).Ticks.empty()) << lo << ".." << hi;
}

TEST(ComputeTicks, DispatchesOnLogarithmicAndLabelType)
{
    TTickParams p = Log(1, 1000, 3);
    ExpectTickValues(TickValues(ComputeTicks(p), TTickKind::Long), {1, 10, 100, 1000});
    // Calendar axes are never logarithmic: 1000 days step by six months from 1 January 1900.
    p.LabelType = ftDateTime;
    ExpectTickValues(TickValues(ComputeTicks(p), TTickKind::Long), {2, 183, 367, 548, 732, 913});
    p.LabelType = ftNoFigs;
    ExpectTickValues(TickValues(ComputeTicks(p), TTickKind::Long), {1, 10, 100, 1000});
}
