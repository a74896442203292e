#include "scale/DateTimeFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tessaly;

namespace {

const TDateTimeNames& EnglishNames()
{
    static const TDateTimeNames names =
        LocaleDateTimeNames(QLocale(QLocale::English, QLocale::UnitedStates));
    return names;
}

QString Format(const char* format, double value)
{
    return FormatDateTime(QString::fromUtf8(format), value, EnglishNames()).value_or("<none>");
}

double At(int y, int m, int d, int h = 0, int n = 0, int s = 0, int ms = 0)
{
    return ComposeDateTime(EncodeDate(y, m, d).value(), EncodeTime(h, n, s, ms).value());
}

} // namespace

TEST(DateTimeFormat, EveryDayOfTheWholeRangeDecodesToTheNextCalendarDate)
{
    int year = 1, month = 1, day = 1, weekday = 1;  // 1 January of year 1 was a Monday
    for (int serial = MinDateTimeDay; serial <= MaxDateTimeDay; ++serial) {
        const auto p = DecodeDateTime(serial);
        ASSERT_TRUE(p) << serial;
        if (p->Year != year || p->Month != month || p->Day != day || p->DayOfWeek != weekday)
            FAIL() << serial << " decodes to " << p->Year << '-' << p->Month << '-' << p->Day
                   << " (weekday " << p->DayOfWeek << "), expected " << year << '-' << month
                   << '-' << day << " (weekday " << weekday << ')';
        ASSERT_EQ(EncodeDate(year, month, day), serial);
        weekday = weekday % 7 + 1;
        if (++day > DaysInMonth(year, month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    EXPECT_EQ(year, 10000);
}

TEST(DateTimeFormat, KnownDatesAndTheLimitsOfTheRange)
{
    struct Case { int y, m, d, serial; };
    for (auto c : {Case{1899, 12, 30, 0}, Case{1899, 12, 31, 1}, Case{1900, 3, 1, 61},
                   Case{2000, 1, 1, 36526}, Case{2000, 2, 29, 36585}, Case{1, 1, 1, -693593},
                   Case{9999, 12, 31, 2958465}}) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << '-' << c.m << '-' << c.d;
    }
    for (auto bad : {std::array{1900, 2, 29}, std::array{2001, 13, 1}, std::array{0, 12, 31},
                     std::array{10000, 1, 1}, std::array{2001, 4, 31}, std::array{2001, 1, 0}}) {
        EXPECT_FALSE(EncodeDate(bad[0], bad[1], bad[2]))
            << bad[0] << '-' << bad[1] << '-' << bad[2];
    }
    for (double v : {-693594.0, 2958466.0, 2958465.9999999999, 1e300, -1e300,
                     std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(DecodeDateTime(v)) << v;
        EXPECT_FALSE(FormatDateTime(u"yyyy", v, EnglishNames())) << v;
    }
    EXPECT_TRUE(DecodeDateTime(-693593.999));  // late on 1 January of year 1
}

TEST(DateTimeFormat, LinearDaysKeepTheirInstantInTheDayAndFractionConvention)
{
    // -1.9 is 28 December 1899, 02:24: day -2 with a time of 0.1.
    struct Case { double linear, converted; };
    for (auto c : {Case{-0.75, -1.25}, Case{2.5, 2.5}, Case{-2, -2}, Case{5e-9, 0},
                   Case{-5e-9, 0}, Case{-1.9, -2.1}}) {
        EXPECT_NEAR(LinearDaysToDateTime(c.linear), c.converted, 1e-12) << c.linear;
    }
    EXPECT_DOUBLE_EQ(At(1899, 12, 29, 6), -1.25);
}

TEST(DateTimeFormat, TokensOfTheFormat)
{
    const double newYear = At(2000, 1, 1, 12);
    const double afternoon = At(2021, 3, 7, 14, 30, 5, 5);
    const double midnight = At(2021, 3, 7, 0, 30);
    struct Case { const char* format; double value; const char* text; };
    for (auto c : {
             Case{"mmm-dd, yyyy", newYear, "Jan-01, 2000"},
             Case{"dd.mm.yy", afternoon, "07.03.21"},
             Case{"d/m/y", afternoon, "7/3/21"},
             Case{"dddd d mmmm", afternoon, "Sunday 7 March"},
             Case{"hh:nn:ss", afternoon, "14:30:05"},
             Case{"h\"h\"nn", afternoon, "14h30"},
             Case{"h\":\"nnam/pm", afternoon, "2:30pm"},
             Case{"h:nn AM/PM", midnight, "12:30 AM"},
             Case{"h:n:s", At(2021, 3, 7, 9, 5, 7), "9:5:7"},
             Case{"ss.z|ss.zz|ss.zzz", afternoon, "05.5|05.05|05.005"},
             Case{"YYYY-MM-DD", afternoon, "2021-03-07"},
             Case{"'day' d, \"month\" m", afternoon, "day 7, month 3"},
             Case{"\"unterminated d", afternoon, "unterminated d"},
             Case{"yyyy", At(800, 5, 1), "0800"},
             Case{"yyyy-mm-dd", -693593, "0001-01-01"},
             Case{"yyyy-mm-dd hh:nn", 2958465.75, "9999-12-31 18:00"},
             Case{"dd hh", -1.25, "29 06"},              // before day 0
             Case{"hh:nn:ss.zzz", At(2021, 6, 15, 14, 30, 15, 250), "14:30:15.250"},
             Case{"yyyy-mm-dd hh:nn", 36526 - 1e-10, "2000-01-01 00:00"},  // rounds to midnight
             Case{"x = t", afternoon, "x = t"},
         }) {
        EXPECT_EQ(Format(c.format, c.value), QString::fromUtf8(c.text)) << c.format;
    }
}

TEST(DateTimeFormat, MonthNamesComeFromTheGivenLocale)
{
    const TDateTimeNames german = LocaleDateTimeNames(QLocale(QLocale::German, QLocale::Germany));
    const QString text = FormatDateTime(u"mmmm", At(2021, 3, 7), german).value();
    EXPECT_EQ(text, QString::fromUtf8("März"));
}
