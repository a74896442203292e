#include "scale/TickLabels.h"

#include "scale/DTLabel.h"
#include "scale/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessaly {

namespace {

// Within this many seconds the milliseconds of an elapsed time are exact in 64 bits.
constexpr double ExactMillisecondsBelow = 4e12;

QString Padded(std::int64_t value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

// A separator as quoted text of a format; a double quote is quoted with single quotes.
QString Quoted(char c)
{
    const QString text(QChar::fromLatin1(c));
    return c == '"' ? QLatin1Char('\'') + text + QLatin1Char('\'')
                    : QLatin1Char('"') + text + QLatin1Char('"');
}

QString MonthPart(const TDateLabelSettings& s)
{
    return QLatin1String(s.MonthName ? "mmm" : "mm");
}

QString YearPart(const TDateLabelSettings& s)
{
    switch (s.YearLength) {
    case ylNone: return {};
    case ylYY: return QStringLiteral("yy");
    case ylYYYY: return QStringLiteral("yyyy");
    }
    return {};
}

QString Format(QStringView format, double value, const TDateTimeNames& names)
{
    return FormatDateTime(format, LinearDaysToDateTime(value), names).value_or(QString());
}

bool IsTimeOfDay(TCalendarMode mode)
{
    return mode == TCalendarMode::Hundredths || mode == TCalendarMode::Seconds ||
           mode == TCalendarMode::Minutes || mode == TCalendarMode::Hours;
}

} // namespace

TDateLabelSettings DateLabelSettings(const TDTLabel& label)
{
    TDateLabelSettings s;
    s.TimeFormat = label.TimeFormat();
    s.DateSeparator = label.DateSeparator();
    s.TimeSeparator = label.TimeSeparator();
    s.YearLength = label.YearLength();
    s.MonthName = label.MonthName();
    s.DateOrder = label.DateOrder();
    s.DateForTime = label.DateForTime();
    return s;
}

QString FormatLabelNumber(double value, int decimals)
{
    const std::string text =
        decimals < 0 ? FormatShortExponent(value) : FormatFixed(value, decimals);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

int LinearAutoDecimals(double lo, double hi)
{
    const double r = std::fabs(hi - lo);
    if (r >= 1000000 || r <= 0.0001)
        return -1;
    if (r >= 100)
        return 0;
    return 2 - static_cast<int>(std::nearbyint(std::log(r) / 2.5));
}

int LogAutoDecimals(double lo, double hi)
{
    const double low = std::min(lo, hi), high = std::max(lo, hi);
    const double r = high - low;
    if (r >= 1000000 || r <= 0.0001 || !(low > 0))
        return -1;
    if (low >= 1)
        return 0;
    return 1 - static_cast<int>(std::round(std::log10(low)));
}

QString LinearLabel(double value, double lo, double hi, int decPlaces)
{
    const int p = decPlaces <= -2 ? LinearAutoDecimals(lo, hi) : decPlaces;
    const double span = hi - lo;
    QString text;
    if (std::fabs(value / span) < 1e-14) {
        if (std::fabs(span) <= 100000)
            text = FormatLabelNumber(0, p);
        else
            text = QLatin1String(p != 0 ? "0.0" : "0");
    } else {
        text = FormatLabelNumber(value, p);
    }
    text.truncate(MaxNumericLabelLength);
    if (decPlaces == 0 && std::fabs(value - std::round(value)) > 1e-6)
        text.clear();
    return text;
}

QString LogLabel(double value, int factor, double lo, double hi, int decPlaces)
{
    if (decPlaces == -3) {
        if (factor != 1 || !(value > 0))
            return {};
        return QString::number(static_cast<long long>(std::round(std::log10(value))));
    }
    const int p = decPlaces == -2 ? LogAutoDecimals(lo, hi) : decPlaces;
    QString text = FormatLabelNumber(value, p);
    text.truncate(MaxNumericLabelLength);
    if (decPlaces == -2 && text.contains(QLatin1Char('.')) &&
        !text.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString UserTickItem(const QString& userTickText, int k)
{
    if (userTickText.isEmpty() || k < 1)
        return {};
    const QStringList items = userTickText.split(QLatin1Char('|'));
    return items[std::min<qsizetype>(k, items.size()) - 1];
}

QString ApplyInscription(const QString& label, const QString& inscript)
{
    if (label.isEmpty() || inscript.isEmpty())
        return label;
    const qsizetype amp = inscript.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return inscript + label;
    return inscript.left(amp) + label + inscript.mid(amp + 1);
}

QString ElapsedTimeLabel(double seconds, bool milliseconds)
{
    if (!std::isfinite(seconds))
        return {};
    const double c = std::fabs(seconds);
    QString hours;
    std::int64_t minutes = 0, secs = 0, ms = 0;
    if (c < ExactMillisecondsBelow) {
        // Rounded to the millisecond first: a tick a rounding error short of a whole second
        // shows that second, not the one before with 1000 milliseconds.
        const std::int64_t total = std::llround(c * 1000);
        hours = Padded(total / 3600000, 2);
        minutes = total / 60000 % 60;
        secs = total / 1000 % 60;
        ms = total % 1000;
    } else {
        // Far beyond any clock: the whole hours are exact, the rest only as good as doubles.
        const double h = std::trunc(c / 3600);
        const std::string digits = FormatFixed(h, 0);
        hours = QString::fromLatin1(digits.data(), qsizetype(digits.size()));
        const double rest = c - 3600 * h;
        minutes = static_cast<std::int64_t>(std::clamp(std::trunc(rest / 60), 0.0, 59.0));
        secs = static_cast<std::int64_t>(std::clamp(std::trunc(rest - 60.0 * double(minutes)),
                                                    0.0, 59.0));
        ms = static_cast<std::int64_t>(std::clamp(std::round((c - std::trunc(c)) * 1000), 0.0,
                                                  999.0));
    }
    QString text = QLatin1Char(seconds < 0 ? '-' : ' ') + hours + QLatin1Char(':') +
                   Padded(minutes, 2) + QLatin1Char(':') + Padded(secs, 2);
    if (milliseconds)
        text += QLatin1Char('.') + Padded(ms, 3);
    return text;
}

QString TimeOfDayFormat(TCalendarMode mode, TTimeFormat format, char timeSeparator)
{
    const QString t = Quoted(timeSeparator);
    switch (mode) {
    case TCalendarMode::Hours:
        switch (format) {
        case tfHHMMSS: return "hh" + t + "nn";
        case tfHHhMM: return QStringLiteral("h\"h\"");
        case tfAMPM: return QStringLiteral("ham/pm");
        }
        break;
    case TCalendarMode::Minutes:
        switch (format) {
        case tfHHMMSS: return "hh" + t + "nn";
        case tfHHhMM: return QStringLiteral("h\"h\"nn");
        case tfAMPM: return "h" + t + "nnam/pm";
        }
        break;
    case TCalendarMode::Seconds:
        switch (format) {
        case tfHHMMSS: return "hh" + t + "nn" + t + "ss";
        case tfHHhMM: return "h\"h\"nn" + t + "ss";
        case tfAMPM: return "h" + t + "nn\".\"ssam/pm";
        }
        break;
    case TCalendarMode::Hundredths:
        switch (format) {
        case tfHHMMSS: return "hh" + t + "nn" + t + "ss.zz";
        case tfHHhMM: return "h\"h\"nn" + t + "ss.zz";
        case tfAMPM: return "h" + t + "nn\".\"ss.zzam/pm";
        }
        break;
    default:
        break;
    }
    return {};
}

QString DateFormatString(const TDateLabelSettings& s)
{
    const QString sep = Quoted(s.DateSeparator);
    const QString m = MonthPart(s), y = YearPart(s);
    const bool year = s.YearLength != ylNone;
    switch (s.DateOrder) {
    case doMMDDYY: return year ? m + sep + "dd" + sep + y : m + sep + "dd";
    case doDDMMYY: return year ? "dd" + sep + m + sep + y : "dd" + sep + m;
    case doYYMMDD: return year ? y + sep + m + sep + "dd" : m + sep + "dd";
    }
    return {};
}

QString MonthFormatString(const TDateLabelSettings& s)
{
    const QString m = MonthPart(s);
    if (s.YearLength == ylNone)
        return m;
    const QString sep = Quoted(s.DateSeparator), y = YearPart(s);
    return s.DateOrder == doYYMMDD ? y + sep + m : m + sep + y;
}

QString CalendarLabel(double value, TCalendarMode mode, const TDateLabelSettings& s,
                      const TDateTimeNames& names)
{
    switch (mode) {
    case TCalendarMode::None:
        return {};
    case TCalendarMode::Hundredths: {
        // "zz" would give milliseconds (5.01 s as "05.10"); hundredths take two digits.
        const auto parts = DecodeDateTime(LinearDaysToDateTime(value));
        if (!parts)
            return {};
        QString format = TimeOfDayFormat(mode, s.TimeFormat, s.TimeSeparator);
        format.replace(QLatin1String("zz"), "\"" + Padded(parts->Millisecond / 10, 2) + "\"");
        return Format(format, value, names);
    }
    case TCalendarMode::Seconds:
    case TCalendarMode::Minutes:
    case TCalendarMode::Hours:
        return Format(TimeOfDayFormat(mode, s.TimeFormat, s.TimeSeparator), value, names);
    case TCalendarMode::Days:
        return Format(DateFormatString(s), value, names);
    case TCalendarMode::Months:
        return Format(MonthFormatString(s), value, names);
    case TCalendarMode::Years: {
        if (s.YearLength == ylNone)
            return {};
        QString text = Format(YearPart(s), value, names);
        if (s.YearLength == ylYYYY) {
            qsizetype zeros = 0;
            while (zeros < text.size() && text[zeros] == QLatin1Char('0'))
                ++zeros;
            text.remove(0, zeros);
        }
        return text;
    }
    }
    return {};
}

QString CalendarDateLine(double value, const TDateLabelSettings& settings,
                         const TDateTimeNames& names)
{
    return Format(DateFormatString(settings), value, names);
}

TTickLabeler::TTickLabeler(const TLabelParams& params, const TTickRun& run, TDateTimeNames names)
    : FParams(params),
      FUnits(run.Units),
      FMode(run.Mode),
      FMilliseconds(run.TimeStep < 1),
      FNames(std::move(names))
{
}

TTickLabel TTickLabeler::Next(const TTick& tick)
{
    TTickLabel label;
    const TLabelParams& p = FParams;
    if (p.LabelType == ftNoFigs)
        return label;
    const double v = tick.Value;
    switch (FUnits) {
    case TTickUnits::Decimal:
    case TTickUnits::Decades:
        ++FCount;
        label.Text = FUnits == TTickUnits::Decimal
                         ? LinearLabel(v, p.RangeLow, p.RangeHigh, p.DecPlaces)
                         : LogLabel(v, tick.DecadeFactor, p.RangeLow, p.RangeHigh, p.DecPlaces);
        label.Text = p.LabelType == ftUserText ? UserTickItem(p.UserTickText, FCount)
                                               : ApplyInscription(label.Text, p.ScaleInscript);
        break;
    case TTickUnits::ElapsedTime:
        label.Text = ElapsedTimeLabel(v, FMilliseconds);
        break;
    case TTickUnits::Calendar: {
        label.Text = CalendarLabel(v, FMode, p.Date, FNames);
        if (!IsTimeOfDay(FMode) || p.Date.DateForTime == dtNone)
            break;
        const auto parts = DecodeDateTime(LinearDaysToDateTime(v));
        if (!parts)
            break;
        switch (p.Date.DateForTime) {
        case dtNone: break;
        case dtOnePerChart: label.HasDateLine = !FDateLineDrawn; break;
        case dtOnePerDay:
            label.HasDateLine = !FDateLineDrawn || parts->Day != FLastDateLineDay;
            break;
        case dtAllTicks: label.HasDateLine = true; break;
        }
        if (label.HasDateLine) {
            label.DateLine = CalendarDateLine(v, p.Date, FNames);
            FDateLineDrawn = true;
            FLastDateLineDay = parts->Day;
        }
        break;
    }
    }
    return label;
}

} // namespace tessaly
