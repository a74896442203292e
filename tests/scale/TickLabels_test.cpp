#include "scale/TickLabels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace tessaly;

// Readable failure messages.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const TDateTimeNames& English()
{
    static const TDateTimeNames names = LocaleDateTimeNames(QLocale(QLocale::English));
    return names;
}

double Day(int y, int m, int d)
{
    return *EncodeDate(y, m, d);
}

double At(int y, int mo, int d, int h, int mi, double s = 0)
{
    return Day(y, mo, d) + (h * 3600 + mi * 60 + s) / 86400;
}

// The labels of the long ticks at `values` in one drawing.
std::vector<QString> Labels(const TLabelParams& params, TTickRun run,
                            const std::vector<double>& values, int decadeFactor = 0)
{
    TTickLabeler labeler(params, run, English());
    std::vector<QString> out;
    for (double v : values)
        out.push_back(labeler.Next({v, TTickKind::Long, decadeFactor}).Text);
    return out;
}

std::vector<QString> Texts(std::initializer_list<const char*> texts)
{
    std::vector<QString> out;
    for (const char* t : texts)
        out.push_back(QString::fromLatin1(t));
    return out;
}

} // namespace

TEST(TickLabels, AutomaticDecimalsFollowTheSpan)
{
    struct Case { double lo, hi; int linear, log; };
    const Case cases[] = {
        {0, 50, 0, -1 /* lower end 0 */}, {0, 10, 1, -1}, {0, 5, 1, -1}, {0, 1, 2, -1},
        {0, 0.1, 3, -1}, {0, 0.01, 4, -1}, {0, 0.001, 5, -1}, {-100, 100, 0, -1},
        {0, 1000000, -1, -1}, {0, 0.0001, -1, -1}, {-3, 3, 1, -1},
        {1, 1000, 0, 0}, {0.5, 50, 0, 1}, {0.1, 10, 1, 2}, {0.01, 10, 1, 3}, {1, 2e6, -1, -1},
        {100, 1, 0, 0} /* reversed */,
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LinearAutoDecimals(c.lo, c.hi), c.linear) << c.lo << ".." << c.hi;
        EXPECT_EQ(LogAutoDecimals(c.lo, c.hi), c.log) << c.lo << ".." << c.hi;
    }
    EXPECT_EQ(LinearAutoDecimals(-1e308, 1e308), -1); // the span overflows
}

TEST(TickLabels, LinearLabelsByDecimals)
{
    struct Case { double v, lo, hi; int decPlaces; const char* text; };
    const Case cases[] = {
        {-100, -100, 100, -2, "-100"}, {-50, -100, 100, -2, "-50"}, {0, -100, 100, -2, "0"},
        {-3, -3, 3, -2, "-3.0"},       {3, -3, 3, -3, "3.0"},
        {500000, 0, 2e6, -2, " 5.0E+05"},
        {0, 0, 2e6, -2, "0.0"},                 // zero on a wide span
        {1e-9, 0, 2e6, 0, "0"},                 // counts as zero
        {1e-12, 0, 1e6, 3, "0.0"},              // wide span: "0.0" whatever the decimals
        {-1e-16, -3, 3, -2, "0.0"},             // no "-0.0"
        {1e-16, 0, 10, 4, "0.0000"},            // narrow span: 0 with the decimals
        {0, 0, 1e-3, -1, " 0.0E+00"},
        {1.5e123, 0, 1e124, -1, "********"},
        {10500000, 0, 2e7, -1, " 1.1E+07"},     // exact halves away from zero
        {0.125, 0, 1, 2, "0.13"},
        {123456.125, 0, 1, 12, "123456.1250000"}, // cut to 14 characters
        {-1e20, -1e21, 0, 2, "-1000000000000"},
        {0.5, 0, 2, 0, ""},                      // DecPlaces 0: no text off the integers
        {1, 0, 2, 0, "1"},
        {1.0000001, 0, 2, 0, "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinearLabel(c.v, c.lo, c.hi, c.decPlaces), QString::fromLatin1(c.text))
            << c.v << " on " << c.lo << ".." << c.hi << " with " << c.decPlaces;
}

TEST(TickLabels, LogarithmicLabels)
{
    // DecPlaces -3: decades by their exponent, nothing at 2x and 5x.
    struct Case { double v; int factor; double lo, hi; int decPlaces; const char* text; };
    const Case cases[] = {
        {1, 1, 1, 1000, -3, "0"},     {10, 1, 1, 1000, -3, "1"},  {1000, 1, 1, 1000, -3, "3"},
        {0.01, 1, 0.01, 1, -3, "-2"}, {20, 2, 1, 1000, -3, ""},   {50, 5, 1, 1000, -3, ""},
        {0.5, 5, 0.1, 10, -2, "0.5"},   // "0.50" without its trailing zero
        {100, 1, 0.5, 100, -2, "100"},  // "100.0" without ".0"
        {1e7, 1, 1, 1e7, -2, " 1.0E+07"}, // exponent form keeps its zeros
        {0.5, 5, 0.1, 10, 2, "0.50"},     // fixed decimals keep theirs
        {5e-5, 5, 1e-5, 1e-3, -2, "0.00005"},
        {1e-20, 1, 1e-20, 1, -2, "0"}, // 21 decimals cut to 14 characters leave only zeros
    };
    for (const Case& c : cases)
        EXPECT_EQ(LogLabel(c.v, c.factor, c.lo, c.hi, c.decPlaces), QString::fromLatin1(c.text))
            << c.v << " with " << c.decPlaces;
}

TEST(TickLabels, UserTickItemsAndInscription)
{
    const std::vector<QString> week = Texts({"Mon", "Tue", "Wed", "Wed", "Wed", "Wed", "Wed"});
    const std::vector<QString> open = Texts({"Mon", "Tue", "", "", "", "", ""});
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(UserTickItem("Mon|Tue|Wed", k), week[size_t(k - 1)]) << k;
        EXPECT_EQ(UserTickItem("Mon|Tue|", k), open[size_t(k - 1)]) << k;
        EXPECT_EQ(UserTickItem("", k), "");
    }
    EXPECT_EQ(UserTickItem("a||c", 2), "");

    struct Case { const char* label; const char* inscript; const char* text; };
    for (const Case& c : {Case{"5", "& V", "5 V"}, {"5", "$", "$5"}, {"5", "a&b&c", "a5b&c"},
                          {"5", "", "5"}, {"", "& V", ""}, {"-2.5", "&", "-2.5"}}) {
        EXPECT_EQ(ApplyInscription(c.label, c.inscript), c.text) << c.label << " " << c.inscript;
    }
}

TEST(TickLabels, LabelerCountsLongTicksForUserTextsAndDecoratesNumbers)
{
    TLabelParams p;
    p.RangeLow = 0;
    p.RangeHigh = 2;
    p.DecPlaces = 0;
    p.ScaleInscript = "& V";
    const std::vector<double> ticks = {0, 0.5, 1, 1.5, 2};
    EXPECT_EQ(Labels(p, {}, ticks), Texts({"0 V", "", "1 V", "", "2 V"}));
    // User texts count every long tick, also those whose number has no text; no inscription.
    p.LabelType = ftUserText;
    p.UserTickText = "Mon|Tue|";
    EXPECT_EQ(Labels(p, {}, ticks), Texts({"Mon", "Tue", "", "", ""}));
    p.LabelType = ftNoFigs;
    EXPECT_EQ(Labels(p, {}, ticks), Texts({"", "", "", "", ""}));

    // Decades of a logarithmic axis; the numeric fall-back of an elapsed-time axis.
    TTickRun decades;
    decades.Units = TTickUnits::Decades;
    p = TLabelParams{};
    p.RangeLow = 1;
    p.RangeHigh = 1000;
    p.DecPlaces = -3;
    EXPECT_EQ(Labels(p, decades, {1, 10, 100, 1000}, 1), Texts({"0", "1", "2", "3"}));
    p = TLabelParams{};
    p.LabelType = ftTime;
    p.DecPlaces = 4;
    p.ScaleInscript = "& s";
    EXPECT_EQ(Labels(p, {}, {0, 20}), Texts({"0.0000 s", "20.0000 s"}));
}

TEST(TickLabels, ElapsedTimeLabels)
{
    struct Case { double seconds; bool ms; const char* text; };
    const Case cases[] = {
        {5415.25, true, " 01:30:15.250"},
        {-90, false, "-00:01:30"},
        {0, false, " 00:00:00"},
        {-0.5, true, "-00:00:00.500"},
        {360000, false, " 100:00:00"},          // hours are not wrapped at 24
        {0.9999999999999999, true, " 00:00:01.000"}, // a rounding error short of a second
        {2.9999999999999996, false, " 00:00:03"},
        {1e17, false, " 27777777777777:46:40"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ElapsedTimeLabel(c.seconds, c.ms), QString::fromLatin1(c.text)) << c.seconds;
    const QString huge = ElapsedTimeLabel(-1e308, true);
    EXPECT_TRUE(huge.startsWith("-2777")) << huge.toStdString();
    EXPECT_TRUE(huge.endsWith(".000")) << huge.toStdString();
}

TEST(TickLabels, TimeOfDayLabelsByModeAndTimeFormat)
{
    const double v = At(2000, 1, 1, 14, 30, 15.25);
    struct Case { TCalendarMode mode; TTimeFormat format; const char* text; };
    using M = TCalendarMode;
    const Case cases[] = {
        {M::Hours, tfHHMMSS, "14:30"},         {M::Hours, tfHHhMM, "14h"},
        {M::Hours, tfAMPM, "2pm"},             {M::Minutes, tfHHMMSS, "14:30"},
        {M::Minutes, tfHHhMM, "14h30"},        {M::Minutes, tfAMPM, "2:30pm"},
        {M::Seconds, tfHHMMSS, "14:30:15"},    {M::Seconds, tfHHhMM, "14h30:15"},
        {M::Seconds, tfAMPM, "2:30.15pm"},     {M::Hundredths, tfHHMMSS, "14:30:15.25"},
        {M::Hundredths, tfHHhMM, "14h30:15.25"}, {M::Hundredths, tfAMPM, "2:30.15.25pm"},
    };
    TDateLabelSettings s;
    for (const Case& c : cases) {
        s.TimeFormat = c.format;
        EXPECT_EQ(CalendarLabel(v, c.mode, s, English()), c.text) << c.text;
    }
    // Hundredths show two digits of the fraction, not milliseconds.
    s.TimeFormat = tfHHMMSS;
    EXPECT_EQ(CalendarLabel(At(2000, 1, 1, 0, 0, 5.01), M::Hundredths, s, English()),
              "00:00:05.01");
    // The separator is copied as it stands, a double quote too.
    s.TimeSeparator = '.';
    EXPECT_EQ(CalendarLabel(v, M::Minutes, s, English()), "14.30");
    s.TimeSeparator = '"';
    EXPECT_EQ(CalendarLabel(v, M::Minutes, s, English()), "14\"30");
    // Before day 0: -0.75 is 29 December 1899, 06:00.
    s.TimeSeparator = ':';
    EXPECT_EQ(CalendarLabel(-0.75, M::Hours, s, English()), "06:00");
    EXPECT_EQ(CalendarDateLine(-0.75, s, English()), "29-Dec-1899");
    EXPECT_EQ(CalendarLabel(-1e-9, M::Hours, s, English()), "00:00"); // counts as day 0
}

TEST(TickLabels, DateMonthAndYearLabelsBySettings)
{
    const double v = Day(2000, 3, 7);
    struct Case { TDateOrder order; TYearLength year; bool monthName; const char* day;
                  const char* month; };
    const Case cases[] = {
        {doMMDDYY, ylYYYY, true, "Mar-07-2000", "Mar-2000"},
        {doDDMMYY, ylYYYY, true, "07-Mar-2000", "Mar-2000"},
        {doYYMMDD, ylYYYY, true, "2000-Mar-07", "2000-Mar"},
        {doMMDDYY, ylNone, true, "Mar-07", "Mar"},
        {doDDMMYY, ylNone, true, "07-Mar", "Mar"},
        {doYYMMDD, ylNone, true, "Mar-07", "Mar"},
        {doDDMMYY, ylYY, false, "07-03-00", "03-00"},
        {doYYMMDD, ylYY, false, "00-03-07", "00-03"},
    };
    TDateLabelSettings s;
    for (const Case& c : cases) {
        s.DateOrder = c.order;
        s.YearLength = c.year;
        s.MonthName = c.monthName;
        EXPECT_EQ(CalendarLabel(v, TCalendarMode::Days, s, English()), c.day) << c.day;
        EXPECT_EQ(CalendarLabel(v, TCalendarMode::Months, s, English()), c.month) << c.month;
    }
    s.DateSeparator = '/';
    s.MonthName = true;
    s.DateOrder = doMMDDYY;
    s.YearLength = ylYYYY;
    EXPECT_EQ(CalendarLabel(v, TCalendarMode::Days, s, English()), "Mar/07/2000");

    struct YearCase { double v; TYearLength year; const char* text; };
    for (const YearCase& c : {YearCase{Day(800, 1, 1), ylYYYY, "800"},
                              {Day(2005, 1, 1), ylYY, "05"},
                              {Day(2005, 1, 1), ylYYYY, "2005"},
                              {Day(2005, 1, 1), ylNone, ""},
                              {Day(1, 1, 1), ylYYYY, "1"}}) {
        s.YearLength = c.year;
        EXPECT_EQ(CalendarLabel(c.v, TCalendarMode::Years, s, English()), c.text) << c.text;
    }
    // Values without a date have no text.
    EXPECT_EQ(CalendarLabel(3000000, TCalendarMode::Days, s, English()), "");
}

TEST(TickLabels, DateLinesOfTimeOfDayAxesByDateForTime)
{
    TTickRun run;
    run.Units = TTickUnits::Calendar;
    run.Mode = TCalendarMode::Hours;
    const std::vector<double> ticks = {At(2000, 1, 1, 16, 0), At(2000, 1, 1, 20, 0),
                                       At(2000, 1, 2, 0, 0), At(2000, 1, 2, 4, 0)};
    struct Case { TDateForTime rule; std::vector<bool> lines; };
    const Case cases[] = {
        {dtNone, {false, false, false, false}},
        {dtOnePerChart, {true, false, false, false}},
        {dtOnePerDay, {true, false, true, false}},
        {dtAllTicks, {true, true, true, true}},
    };
    for (const Case& c : cases) {
        TLabelParams p;
        p.LabelType = ftDateTime;
        p.Date.DateForTime = c.rule;
        TTickLabeler labeler(p, run, English());
        for (size_t i = 0; i < ticks.size(); ++i) {
            const TTickLabel label = labeler.Next({ticks[i], TTickKind::Long});
            EXPECT_EQ(label.HasDateLine, c.lines[i]) << int(c.rule) << " tick " << i;
            EXPECT_EQ(label.Text, i % 2 == 0 ? (i == 0 ? "16:00" : "00:00")
                                             : (i == 1 ? "20:00" : "04:00"));
            if (label.HasDateLine) {
                EXPECT_EQ(label.DateLine, i < 2 ? "01-Jan-2000" : "02-Jan-2000");
            }
        }
    }
    // Day-mode labels carry no date line.
    run.Mode = TCalendarMode::Days;
    TLabelParams p;
    p.LabelType = ftDateTime;
    TTickLabeler labeler(p, run, English());
    const TTickLabel day = labeler.Next({Day(2000, 1, 4), TTickKind::Long});
    EXPECT_EQ(day.Text, "04-Jan-2000");
    EXPECT_FALSE(day.HasDateLine);
}
