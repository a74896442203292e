#include "scale/DateTimeFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessaly {

namespace {

constexpr std::int64_t MsPerDay = 86400000;

// Days from 1 January 1970 of a proleptic Gregorian date (the era-of-400-years method).
constexpr std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr std::int64_t Day0 = DaysFromCivil(1899, 12, 30);
static_assert(DaysFromCivil(1, 1, 1) - Day0 == MinDateTimeDay);
static_assert(DaysFromCivil(9999, 12, 31) - Day0 == MaxDateTimeDay);

void CivilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

QString Padded(int value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

bool IsAmPmAt(QStringView format, qsizetype i)
{
    return format.mid(i, 5).compare(u"am/pm", Qt::CaseInsensitive) == 0;
}

// Whether an am/pm token occurs outside quoted text.
bool HasAmPm(QStringView format)
{
    QChar quote;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (IsAmPmAt(format, i)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

std::optional<int> EncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return std::nullopt;
    return int(DaysFromCivil(year, month, day) - Day0);
}

std::optional<double> EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        return std::nullopt;
    const std::int64_t ms = ((std::int64_t(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
    return double(ms) / double(MsPerDay);
}

double ComposeDateTime(int day, double timeOfDay)
{
    return day >= 0 ? day + timeOfDay : day - timeOfDay;
}

double LinearDaysToDateTime(double days)
{
    if (std::fabs(days) < 1e-8)
        return 0;
    if (days >= 0)
        return days;
    const double f = days - std::trunc(days);  // f <= 0
    return f <= -1e-8 ? std::floor(days) - f - 1 : std::floor(days) - f;
}

std::optional<TDateTimeParts> DecodeDateTime(double dateTime)
{
    // Also refuses NaN; the bounds keep the integer conversion below in range.
    if (!(dateTime > MinDateTimeDay - 1.0 && dateTime < MaxDateTimeDay + 1.0))
        return std::nullopt;
    const double whole = std::trunc(dateTime);
    std::int64_t day = std::int64_t(whole);
    std::int64_t ms = std::llround(std::fabs(dateTime - whole) * double(MsPerDay));
    if (ms >= MsPerDay) {
        ms -= MsPerDay;
        ++day;
    }
    if (day < MinDateTimeDay || day > MaxDateTimeDay)
        return std::nullopt;

    TDateTimeParts p;
    CivilFromDays(day + Day0, p.Year, p.Month, p.Day);
    p.Millisecond = int(ms % 1000);
    p.Second = int(ms / 1000 % 60);
    p.Minute = int(ms / 60000 % 60);
    p.Hour = int(ms / 3600000);
    // Day 0 was a Saturday.
    p.DayOfWeek = int(((day % 7) + 7 + 5) % 7) + 1;
    return p;
}

TDateTimeNames LocaleDateTimeNames(const QLocale& locale)
{
    TDateTimeNames names;
    for (int m = 1; m <= 12; ++m) {
        names.ShortMonthNames[std::size_t(m - 1)] = locale.monthName(m, QLocale::ShortFormat);
        names.LongMonthNames[std::size_t(m - 1)] = locale.monthName(m, QLocale::LongFormat);
    }
    for (int d = 1; d <= 7; ++d) {
        names.ShortDayNames[std::size_t(d - 1)] = locale.dayName(d, QLocale::ShortFormat);
        names.LongDayNames[std::size_t(d - 1)] = locale.dayName(d, QLocale::LongFormat);
    }
    return names;
}

std::optional<QString> FormatDateTime(QStringView format, double dateTime,
                                      const TDateTimeNames& names)
{
    const auto parts = DecodeDateTime(dateTime);
    if (!parts)
        return std::nullopt;
    const TDateTimeParts& p = *parts;
    const bool twelveHour = HasAmPm(format);
    const int hour = twelveHour ? (p.Hour % 12 == 0 ? 12 : p.Hour % 12) : p.Hour;

    QString out;
    out.reserve(format.size() + 16);
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? format.size() : end;
            out += format.mid(i + 1, stop - i - 1);
            i = end < 0 ? stop : stop + 1;
            continue;
        }
        if (IsAmPmAt(format, i)) {
            const bool capitals = c.isUpper();
            const bool pm = p.Hour >= 12;
            out += QLatin1String(capitals ? (pm ? "PM" : "AM") : (pm ? "pm" : "am"));
            i += 5;
            continue;
        }
        const QChar lower = c.toLower();
        if (lower != u'd' && lower != u'm' && lower != u'y' && lower != u'h' && lower != u'n' &&
            lower != u's' && lower != u'z') {
            out += c;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run].toLower() == lower)
            ++run;
        i += run;
        switch (lower.unicode()) {
        case u'd':
            if (run <= 2)
                out += Padded(p.Day, int(run));
            else
                out += (run == 3 ? names.ShortDayNames
                                 : names.LongDayNames)[std::size_t(p.DayOfWeek - 1)];
            break;
        case u'm':
            if (run <= 2)
                out += Padded(p.Month, int(run));
            else
                out += (run == 3 ? names.ShortMonthNames
                                 : names.LongMonthNames)[std::size_t(p.Month - 1)];
            break;
        case u'y':
            out += run <= 2 ? Padded(p.Year % 100, 2) : Padded(p.Year, 4);
            break;
        case u'h':
            out += Padded(hour, run >= 2 ? 2 : 1);
            break;
        case u'n':
            out += Padded(p.Minute, run >= 2 ? 2 : 1);
            break;
        case u's':
            out += Padded(p.Second, run >= 2 ? 2 : 1);
            break;
        case u'z':
            out += Padded(p.Millisecond, int(std::min<qsizetype>(run, 3)));
            break;
        }
    }
    return out;
}

std::optional<QString> FormatDateTime(QStringView format, double dateTime)
{
    return FormatDateTime(format, dateTime, LocaleDateTimeNames());
}

} // namespace tessaly
