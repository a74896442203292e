#pragma once
// Calendar arithmetic and texts for date-time values: doubles counting days since 30 December
// 1899, 00:00. The integer part is the day and the magnitude of the fraction the time of day, also
// for days before day 0 (-1.25 is 29 December 1899, 06:00). Valid dates run from 1 January of
// year 1 (day -693593) to 31 December 9999 (day 2958465), in the proleptic Gregorian calendar.
// Only the month and day names come from a locale; everything else is plain arithmetic.

#include <QLocale>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace tessaly {

constexpr int MinDateTimeDay = -693593;  // 1 January of year 1
constexpr int MaxDateTimeDay = 2958465;  // 31 December 9999

struct TDateTimeParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
    int DayOfWeek = 6;  // 1 Monday .. 7 Sunday
};

// The calendar fields of a date-time value, the time rounded to the nearest millisecond (a time
// that rounds to 24:00 is 00:00 of the next day). Nothing for NaN, infinities and values outside
// the valid dates.
std::optional<TDateTimeParts> DecodeDateTime(double dateTime);

// The day number of a date; nothing for a date that does not exist or lies outside years 1..9999.
std::optional<int> EncodeDate(int year, int month, int day);

// The fraction of a day of a time of day; nothing for fields out of their ranges.
std::optional<double> EncodeTime(int hour, int minute, int second, int millisecond);

// A date and a time of day combined in the day-and-fraction convention (the fraction is
// subtracted on days before day 0).
double ComposeDateTime(int day, double timeOfDay);

// A value measured linearly in days (as an axis maps it) turned into the day-and-fraction
// convention: values within 1e-8 of 0 become 0, and negative values keep their instant but get
// the day as integer part and the time of day as the fraction's magnitude: -0.75 (29 December
// 1899, 06:00) becomes -1.25.
double LinearDaysToDateTime(double days);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Month names (index 0 is January) and day names (index 0 is Monday) in short and long form.
struct TDateTimeNames {
    std::array<QString, 12> ShortMonthNames, LongMonthNames;
    std::array<QString, 7> ShortDayNames, LongDayNames;
};
TDateTimeNames LocaleDateTimeNames(const QLocale& locale = QLocale());

// The text of a date-time value by a format of tokens (letters in either case):
//   d, dd          day of month, without / with a leading zero
//   ddd, dddd      short / long day name
//   m, mm          month, without / with a leading zero
//   mmm, mmmm      short / long month name
//   yy, yyyy       year in two / four digits (a run of one or two y, of three or more)
//   h, hh          hour, without / with a leading zero (12-hour clock when am/pm appears)
//   n, nn          minutes;   s, ss   seconds
//   z, zz, zzz     milliseconds: no padding, at least two, three digits
//   am/pm          "am" or "pm" ("AM"/"PM" when written in capitals)
//   "..." '...'    copied without the quotes
// Every other character is copied. FormatDateTime("mmm-dd, yyyy", 36526.5, names) is
// "Jan-01, 2000" with English names. Nothing for values outside the valid dates.
std::optional<QString> FormatDateTime(QStringView format, double dateTime,
                                      const TDateTimeNames& names);
// The same with the names of the user's locale.
std::optional<QString> FormatDateTime(QStringView format, double dateTime);

} // namespace tessaly
