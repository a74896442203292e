#include "scale/DTLabel.h"

#include <gtest/gtest.h>

using namespace tessaly;

TEST(DTLabel, NotifiesByTheRuleOfEachSetter)
{
    TDTLabel d;
    int changes = 0;
    d.OnChange = [&] { ++changes; };
    d.SetDateSeparator('-'); // unchanged: silent
    d.SetTimeSeparator(':');
    d.SetYearLength(ylYYYY);
    d.SetMonthName(true);
    d.SetDateForTime(dtOnePerDay);
    EXPECT_EQ(changes, 0);
    d.SetTimeFormat(tfHHMMSS); // always notifies
    d.SetDateOrder(doDDMMYY);
    EXPECT_EQ(changes, 2);
    d.SetDateSeparator('/');
    d.SetMonthName(false);
    EXPECT_EQ(changes, 4);

    TDTLabel other;
    other.SetYearLength(ylNone);
    other.SetTimeFormat(tfAMPM);
    d.Assign(other);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(d.YearLength(), ylNone);
    EXPECT_EQ(d.TimeFormat(), tfAMPM);
    EXPECT_EQ(d.DateSeparator(), '-');
    EXPECT_TRUE(d.MonthName());
}
