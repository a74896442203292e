#include "scale/DateTimeFormat.h"
#include "scale/TimeTicks.h"

#include "TickTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace tessaly;
using namespace tessaly::ticktest;

namespace {

TTickParams Axis(TFigType type, double lo, double hi, int minTicks = 3, bool shortTicks = true,
                 bool horizontal = true)
{
    TTickParams p;
    p.LabelType = type;
    p.RangeLow = lo;
    p.RangeHigh = hi;
    p.MinTicks = minTicks;
    p.ShortTicks = shortTicks;
    p.Horizontal = horizontal;
    return p;
}

double Day(int y, int m, int d)
{
    return *EncodeDate(y, m, d);
}

constexpr double Hour = 1.0 / 24;

} // namespace

TEST(ElapsedTimeTicks, StepTableAndItsFallBackToDecimalTicks)
{
    struct Case { double perTick; double seconds; int subdivisions; };
    const Case cases[] = {
        {33.3, 30, 6}, {29.9, 20, 4}, {0.0019, 0.001, 5}, {0.0021, 0.002, 4}, {86399, 43200, 6},
        {86400, 0, 0}, {0.00099, 0, 0}, {std::nan(""), 0, 0}, // 0: no step
    };
    for (const Case& c : cases) {
        TTimeStep step;
        ASSERT_EQ(TimeStepFor(c.perTick, step), c.seconds > 0) << c.perTick;
        if (c.seconds > 0) {
            EXPECT_EQ(step.Seconds, c.seconds) << c.perTick;
            EXPECT_EQ(step.Subdivisions, c.subdivisions) << c.perTick;
        }
    }
    for (auto [lo, hi] : {std::pair{0.0, 1e6}, {0.0, 0.002}}) {
        const TTickRun run = ElapsedTimeTicks(Axis(ftTime, lo, hi));
        EXPECT_EQ(run.Units, TTickUnits::Decimal) << lo << ".." << hi;
        ExpectTickValues(TickValues(run, TTickKind::Long),
                    TickValues(LinearTicks(Axis(ftTime, lo, hi)), TTickKind::Long));
    }
}

TEST(ElapsedTimeTicks, ThirtySecondStepsWithSixSubdivisions)
{
    const TTickRun run = ElapsedTimeTicks(Axis(ftTime, 0, 100));
    EXPECT_EQ(run.Units, TTickUnits::ElapsedTime);
    EXPECT_EQ(run.TimeStep, 30);
    ExpectTickValues(TickValues(run, TTickKind::Long), {0, 30, 60, 90});
    const auto shorts = TickValues(run, TTickKind::Short);
    ASSERT_EQ(shorts.size(), 21u);
    EXPECT_EQ(shorts[1], 5);
    EXPECT_EQ(shorts.back(), 100);
    // A horizontal axis records its short ticks; a vertical one its long ticks as well.
    EXPECT_EQ(run.Recorded.size(), 21u);
    EXPECT_EQ(ElapsedTimeTicks(Axis(ftTime, 0, 100, 3, true, false)).Recorded.size(), 25u);
    EXPECT_EQ(ElapsedTimeTicks(Axis(ftTime, 0, 100, 3, false)).Recorded.size(), 4u);
    // Milliseconds: 2 ms steps with 4 subdivisions.
    const TTickRun fine = ElapsedTimeTicks(Axis(ftTime, 0, 0.01));
    EXPECT_EQ(fine.TimeStep, 0.002);
    ExpectTickValues(TickValues(fine, TTickKind::Long), {0, 0.002, 0.004, 0.006, 0.008, 0.01});
}

TEST(ElapsedTimeTicks, EndsOfTheRangeKeepTheirTicks)
{
    // A reversed axis keeps the tick at its start.
    const TTickRun reversed = ElapsedTimeTicks(Axis(ftTime, 100, 0));
    ExpectTickValues(TickValues(reversed, TTickKind::Long), {90, 60, 30, 0});
    const auto shorts = TickValues(reversed, TTickKind::Short);
    ASSERT_FALSE(shorts.empty());
    EXPECT_EQ(shorts.front(), 100);
    EXPECT_EQ(shorts.back(), 0);
    // Counting the ticks from the range's start alone would stop one short step early here.
    const auto tail = TickValues(ElapsedTimeTicks(Axis(ftTime, 29.99, 129.98)), TTickKind::Short);
    ASSERT_FALSE(tail.empty());
    EXPECT_EQ(tail.front(), 30);
    EXPECT_EQ(tail.back(), 125);
}

TEST(ElapsedTimeTicks, LargeOffsetsStillGetTheirTicks)
{
    // The relative slack of the first tick would skip the whole range this far from zero.
    ExpectTickValues(TickValues(ElapsedTimeTicks(Axis(ftTime, 1e10, 1e10 + 10)), TTickKind::Long),
                {1e10, 1e10 + 2, 1e10 + 4, 1e10 + 6, 1e10 + 8, 1e10 + 10}, 1e-15);
    ExpectTickValues(TickValues(ElapsedTimeTicks(Axis(ftTime, -1e10 - 10, -1e10)), TTickKind::Long),
                {-1e10 - 10, -1e10 - 8, -1e10 - 6, -1e10 - 4, -1e10 - 2, -1e10}, 1e-15);
}

TEST(CalendarTicks, InvalidRangesAndSpansBelowOneSecondShowMessages)
{
    struct Case { double lo, hi; bool horizontal; TCalendarMessage message; };
    const double second = 1.0 / 86400;
    const Case cases[] = {
        {10, 5, true, TCalendarMessage::InvalidRange},
        {-693594, 0, true, TCalendarMessage::InvalidRange},
        {0, 3000001, false, TCalendarMessage::InvalidRange},
        {-693593, -693500, true, TCalendarMessage::None},
        {0, 2 * second, true, TCalendarMessage::BelowOneSecond},
        {0, 2 * second, false, TCalendarMessage::None}, // hundredths on vertical axes
        {0, 0.02 * second, false, TCalendarMessage::BelowOneSecond},
    };
    for (const Case& c : cases) {
        const TTickRun run = CalendarTicks(Axis(ftDateTime, c.lo, c.hi, 3, true, c.horizontal));
        EXPECT_EQ(run.Message, c.message) << c.lo << ".." << c.hi;
        EXPECT_EQ(run.Ticks.empty(), c.message != TCalendarMessage::None) << c.lo << ".." << c.hi;
    }
}

TEST(CalendarTicks, ModeByDaysPerTickWithExactFractionsOnVerticalAxes)
{
    using M = TCalendarMode;
    struct Case { double perTick; M horizontal, vertical; };
    const Case cases[] = {
        {1.1574e-7, M::None, M::None},          {1.1575e-7, M::None, M::Hundredths},
        {1.157405e-5, M::Seconds, M::Hundredths}, // 1 / 86400 = 1.1574074e-5
        {6.94442e-4, M::Minutes, M::Seconds},     // 1 / 1440 = 6.9444444e-4
        {0.041667, M::Minutes, M::Minutes},     {0.0417, M::Hours, M::Hours},
        {1, M::Hours, M::Hours},                {1.01, M::Days, M::Days},
        {30, M::Days, M::Days},                 {30.5, M::Months, M::Months},
        {366, M::Months, M::Months},            {366.5, M::Years, M::Years},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalendarModeFor(c.perTick, true), c.horizontal) << c.perTick;
        EXPECT_EQ(CalendarModeFor(c.perTick, false), c.vertical) << c.perTick;
    }
}

TEST(CalendarTicks, TimeOfDayTicksFallOnWholeMultiplesOfTheStepAfterMidnight)
{
    const double jan1 = Day(2000, 1, 1);
    // A day in hours: 8-hour steps with 2-hour short steps, from 05:00.
    const double lo = jan1 + 5 * Hour;
    TTickRun run = CalendarTicks(Axis(ftDateTime, lo, lo + 1));
    EXPECT_EQ(run.Mode, TCalendarMode::Hours);
    ExpectTickValues(TickValues(run, TTickKind::Long), {jan1 + 8 * Hour, jan1 + 16 * Hour, jan1 + 1});
    auto shorts = TickValues(run, TTickKind::Short);
    ASSERT_EQ(shorts.size(), 9u);
    EXPECT_NEAR(shorts.front(), jan1 + 6 * Hour, 1e-9);
    EXPECT_NEAR(shorts.back(), jan1 + 1 + 4 * Hour, 1e-9);
    EXPECT_EQ(run.Recorded.size(), run.Ticks.size()); // every drawn tick
    run = CalendarTicks(Axis(ftDateTime, lo, lo + 1, 3, false));
    ExpectTickValues(TickValues(run, TTickKind::Long), {jan1 + 8 * Hour, jan1 + 16 * Hour, jan1 + 1});
    EXPECT_TRUE(TickValues(run, TTickKind::Short).empty());

    // Minutes, seconds and hundredths: the step, the short step and the first long tick.
    struct Case { double span; bool horizontal; TCalendarMode mode; double step, shortStep; };
    const Case cases[] = {
        {Hour, true, TCalendarMode::Minutes, 20.0 / 1440, 5.0 / 1440},
        {Hour / 60, true, TCalendarMode::Seconds, 20.0 / 86400, 5.0 / 86400},
        {Hour / 3600, false, TCalendarMode::Hundredths, 0.2 / 86400, 0.1 / 86400},
    };
    for (const Case& c : cases) {
        const double start = jan1 + 0.5 + c.shortStep / 3; // just after noon
        run = CalendarTicks(Axis(ftDateTime, start, start + c.span, 3, true, c.horizontal));
        EXPECT_EQ(run.Mode, c.mode);
        const auto longs = TickValues(run, TTickKind::Long);
        ASSERT_GE(longs.size(), 3u);
        EXPECT_NEAR(longs[0], jan1 + 0.5 + c.step, 1e-10);
        EXPECT_NEAR(longs[1] - longs[0], c.step, 1e-10);
        EXPECT_NEAR(run.Ticks[0].Value, jan1 + 0.5 + c.shortStep, 1e-10);
        EXPECT_NEAR(run.Ticks[1].Value - run.Ticks[0].Value, c.shortStep, 1e-10);
    }
}

TEST(CalendarTicks, DaysCountTheirStepFromFirstOfJanuary)
{
    // Ten days from 11 January: 3-day steps counted from 1 January, so 13, 16 and 19 January.
    const double jan11 = Day(2000, 1, 11);
    TTickRun run = CalendarTicks(Axis(ftDateTime, jan11, jan11 + 10));
    EXPECT_EQ(run.Mode, TCalendarMode::Days);
    ExpectTickValues(TickValues(run, TTickKind::Long), {Day(2000, 1, 13), Day(2000, 1, 16), Day(2000, 1, 19)});
    EXPECT_EQ(run.Ticks.size(), 11u); // one short tick a day
    run = CalendarTicks(Axis(ftDateTime, jan11, jan11 + 10, 3, false));
    EXPECT_EQ(run.Ticks.size(), 3u);

    // 14-day steps have weekly short ticks.
    const double jan1 = Day(2000, 1, 1);
    run = CalendarTicks(Axis(ftDateTime, jan1, jan1 + 60));
    ExpectTickValues(TickValues(run, TTickKind::Long), {jan1, jan1 + 14, jan1 + 28, jan1 + 42, jan1 + 56});
    ExpectTickValues(TickValues(run, TTickKind::Short), {jan1 + 7, jan1 + 21, jan1 + 35, jan1 + 49});

    // Across day 0 the phase counts on: weekly steps from 10 December 1899 (day -20 is
    // 1 January 1899 plus 49 weeks).
    run = CalendarTicks(Axis(ftDateTime, -20, 10));
    ExpectTickValues(TickValues(run, TTickKind::Long), {-20, -13, -6, 1, 8});
}

TEST(CalendarTicks, MonthsStartOnTheFirstAndStepFromJanuary)
{
    const double jan1 = Day(2000, 1, 1), jan1Next = Day(2001, 1, 1);
    TTickRun run = CalendarTicks(Axis(ftDateTime, jan1, jan1Next));
    EXPECT_EQ(run.Mode, TCalendarMode::Months);
    EXPECT_EQ(run.Ticks.size(), 13u);
    ExpectTickValues(TickValues(run, TTickKind::Long), {jan1, Day(2000, 5, 1), Day(2000, 9, 1), jan1Next});
    // Without short ticks only the step's months, the one at the range's start included.
    run = CalendarTicks(Axis(ftDateTime, jan1, jan1Next, 3, false));
    ExpectTickValues(TickValues(run, TTickKind::Long), {jan1, Day(2000, 5, 1), Day(2000, 9, 1), jan1Next});
    run = CalendarTicks(Axis(ftDateTime, jan1 + 10, jan1Next + 10, 3, false));
    ExpectTickValues(TickValues(run, TTickKind::Long), {Day(2000, 5, 1), Day(2000, 9, 1), jan1Next});
    // A step of one month: every tick is long.
    run = CalendarTicks(Axis(ftDateTime, jan1 + 3, jan1 + 100));
    ExpectTickValues(TickValues(run, TTickKind::Long), {Day(2000, 2, 1), Day(2000, 3, 1), Day(2000, 4, 1)});
}

TEST(CalendarTicks, YearsStepByOneTwoOrFiveTimesAPowerOfTen)
{
    const double y2000 = Day(2000, 1, 1), y2100 = Day(2100, 1, 1);
    TTickRun run = CalendarTicks(Axis(ftDateTime, y2000, y2100));
    EXPECT_EQ(run.Mode, TCalendarMode::Years);
    ExpectTickValues(TickValues(run, TTickKind::Long), {y2000, Day(2020, 1, 1), Day(2040, 1, 1),
                                           Day(2060, 1, 1), Day(2080, 1, 1), y2100});
    EXPECT_EQ(run.Ticks.size(), 11u); // every ten years
    // A start after 1 January moves the first tick on by one short step.
    run = CalendarTicks(Axis(ftDateTime, y2000 + 1, y2100));
    EXPECT_EQ(run.Ticks.front().Value, Day(2010, 1, 1));
    run = CalendarTicks(Axis(ftDateTime, y2000, y2100, 3, false));
    EXPECT_EQ(run.Ticks.size(), 6u);
}

TEST(CalendarTicks, NoTickAfterTheLastDateThatHasAText)
{
    const std::pair<double, double> ranges[] = {
        {Day(9000, 1, 1), 3000000},         // years: 31 December 9999 ends the sequence
        {Day(9999, 6, 1), Day(9999, 6, 1) + 400}, // months
        {MaxDateTimeDay - 5.0, MaxDateTimeDay + 5.0}, // days
        {MaxDateTimeDay + 0.5, MaxDateTimeDay + 1.5}, // hours
        {2999000, 3000000},                 // nothing representable at all
    };
    for (auto [lo, hi] : ranges) {
        const TTickRun run = CalendarTicks(Axis(ftDateTime, lo, hi));
        EXPECT_EQ(run.Message, TCalendarMessage::None);
        for (const TTick& t : run.Ticks)
            EXPECT_LT(t.Value, MaxDateTimeDay + 1.0) << lo;
    }
    const TTickRun years = CalendarTicks(Axis(ftDateTime, Day(9000, 1, 1), 3000000));
    ASSERT_FALSE(years.Ticks.empty());
    EXPECT_EQ(years.Ticks.back().Value, MaxDateTimeDay);
    const TTickRun months = CalendarTicks(Axis(ftDateTime, Day(9999, 6, 1), Day(9999, 6, 1) + 400));
    ASSERT_FALSE(months.Ticks.empty());
    EXPECT_EQ(months.Ticks.back().Value, Day(9999, 12, 1));
}

TEST(TimeTicks, ExtremeRangesStayBoundedForBothTimeTypes)
{
    const double big = std::numeric_limits<double>::max();
    const std::pair<double, double> ranges[] = {
        {1e17, 1e17 + 10}, {-1e308, 1e308}, {-big, big}, {big, -big}, {0, 1e-300}, {5, 5},
    };
    for (TFigType type : {ftTime, ftDateTime}) {
        for (auto [lo, hi] : ranges) {
            for (int minTicks : {0, 3, 10}) {
                const TTickRun run = ComputeTicks(Axis(type, lo, hi, minTicks));
                EXPECT_LE(run.Ticks.size(), static_cast<size_t>(MaxTicksPerRun));
                EXPECT_LE(run.Recorded.size(), static_cast<size_t>(MaxTickList));
                for (const TTick& t : run.Ticks)
                    ASSERT_TRUE(std::isfinite(t.Value)) << lo << ".." << hi;
            }
        }
    }
    // 1e17 + 10 is beyond the resolution of doubles: the few distinct values are drawn once.
    const TTickRun run = ElapsedTimeTicks(Axis(ftTime, 1e17, 1e17 + 10));
    for (size_t i = 1; i < run.Ticks.size(); ++i) {
        if (run.Ticks[i].Kind == run.Ticks[i - 1].Kind) {
            EXPECT_GT(run.Ticks[i].Value, run.Ticks[i - 1].Value);
        }
    }
}
