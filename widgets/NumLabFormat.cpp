// The value texts of TNumLab: pure formatting by display type, without any window.
#include "widgets/NumLab.h"

#include "scale/DateTimeFormat.h"
#include "scale/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace tessaly {

namespace {

constexpr QChar DegreeSign(0x00B0);

bool InUnsigned32Range(double v) { return v >= -2147483648.0 && v <= 4294967295.0; }

QString Text(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// The low `digits` digits of n in base 2^bitsPerDigit, upper case, with leading zeros.
QString LowDigits(std::uint64_t n, int digits, int bitsPerDigit)
{
    static constexpr char symbols[] = "0123456789ABCDEF";
    QString out(digits, QLatin1Char('0'));
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = QLatin1Char(symbols[n & ((1u << bitsPerDigit) - 1)]);
        n >>= bitsPerDigit;
    }
    return out;
}

QString RightAligned(const std::string& s, int width)
{
    return Text(s).rightJustified(width, QLatin1Char(' '));
}

double SnapToInteger(double v)
{
    const double r = std::round(v);
    return std::fabs(v - r) <= 3e-12 ? r : v;
}

// Whether the fixed-point text of a value below 60 shows 60: minutes or seconds of an angle
// that rounded up to a full unit.
bool ReachesSixty(const std::string& fixed) { return fixed.rfind("60", 0) == 0; }

bool ShowsZero(const std::string& fixed)
{
    return fixed.find_first_not_of("0.") == std::string::npos;
}

// Degrees with decimal minutes, or with whole minutes and decimal seconds. Minutes or seconds
// that round up to 60 carry into the next unit, and a negative angle keeps its sign even when
// its whole degrees are 0 (-0.5 is -0° 30.00').
QString DegreesText(double value, int decimals, bool withSeconds)
{
    const double v = SnapToInteger(value);
    double degrees = std::trunc(std::fabs(v));
    const double fraction = std::fabs(v) - degrees;
    QString rest;
    bool zero = false;
    if (!withSeconds) {
        std::string minutes = FormatFixed(fraction * 60, decimals);
        if (ReachesSixty(minutes)) {
            degrees += 1;
            minutes = FormatFixed(0.0, decimals);
        }
        zero = degrees == 0 && ShowsZero(minutes);
        rest = RightAligned(minutes, decimals + 3) + QLatin1Char('\'');
    } else {
        const double m = SnapToInteger(fraction * 60);
        double wholeMinutes = std::trunc(m);
        std::string seconds = FormatFixed((m - wholeMinutes) * 60, decimals);
        if (ReachesSixty(seconds)) {
            wholeMinutes += 1;
            seconds = FormatFixed(0.0, decimals);
        }
        if (wholeMinutes >= 60) {
            wholeMinutes -= 60;
            degrees += 1;
        }
        zero = degrees == 0 && wholeMinutes == 0 && ShowsZero(seconds);
        rest = QString::number(int(wholeMinutes)).rightJustified(2, QLatin1Char(' ')) +
               QLatin1String("' ") + RightAligned(seconds, decimals + 3) + QLatin1Char('"');
    }
    const QString sign = v < 0 && !zero ? QStringLiteral("-") : QString();
    return sign + Text(FormatFixed(degrees, 0)) + DegreeSign + QLatin1Char(' ') + rest;
}

int FloorDiv3(int n) { return n >= 0 ? n / 3 : -((-n + 2) / 3); }

// Engineering notation with a power of 1000 as a prefix letter. `a` is the signed digit count:
// positive for a decimal point, negative for the letter in its place.
QString EngineeringText(double value, int a)
{
    a = std::clamp(a, -9, 9);
    const int b = a >= 2 ? a - 1 : (a <= -2 ? a + 1 : 0);
    const int nb = std::abs(b);
    if (value == 0)
        return Text(FormatFixed(0.0, nb));

    const TDecimal exact = ExactDecimal(std::fabs(value));
    int e = exact.Exp10 - 1;  // floor(log10 |value|), exact
    int f = 0;
    std::string digits;
    // A second pass when rounding carried into a new digit (999.96 with three digits is
    // 1.00k, not 1000), so that the text shows the intended number of significant digits.
    for (int pass = 0; pass < 2; ++pass) {
        f = std::clamp(FloorDiv3(e), -6, 4);
        const int decimals = std::max(0, nb + 3 * f - e);
        TDecimal mantissa = exact;
        mantissa.Exp10 -= 3 * f;
        RoundDecimal(mantissa, mantissa.Exp10 + decimals);
        const int shownExponent = mantissa.Exp10 - 1 + 3 * f;
        if (pass == 0 && shownExponent > e) {
            e = shownExponent;
            continue;
        }
        digits = FormatFixed(mantissa, decimals);
        break;
    }

    QString out = Text(digits);
    if (f != 0) {
        static constexpr char letters[] = "afpnum kMGT";
        const QChar letter = QLatin1Char(letters[f + 6]);
        const qsizetype point = out.indexOf(QLatin1Char('.'));
        if (b < 0 && point >= 0)
            out[point] = letter;
        else
            out += letter;
    }
    if (value < 0)
        out.prepend(QLatin1Char('-'));
    return out;
}

} // namespace

QString TNumLab::FormatValue(const TFormat& format, double value)
{
    const int p = std::clamp(format.Precision, 0, 15);
    const QString& overflow = format.OverflowIndicator;
    const bool finite = std::isfinite(value);
    QString text;
    switch (format.DisplayType) {
    case dtFloat:
        text = finite ? Text(FormatGeneral(value, p)) : overflow;
        break;
    case dtFixP:
        text = finite ? Text(FormatFixed(value, p)) : overflow;
        break;
    case dtExp:
        text = finite ? Text(FormatScientific(value, p)) : overflow;
        break;
    case dtHex:
        text = InUnsigned32Range(value)
                   ? LowDigits(std::uint64_t(*RoundHalfAwayToInt64(value)), std::min(p, 8), 4)
                   : overflow;
        break;
    case dtZeroInt:
        if (value >= -2147483648.0 && value <= 2147483647.0) {
            const std::int64_t n = *RoundHalfAwayToInt64(value);
            text = QString::number(n < 0 ? -n : n).rightJustified(p, QLatin1Char('0'));
            if (n < 0)
                text.prepend(QLatin1Char('-'));
        } else {
            text = overflow;
        }
        break;
    case dtInt:
        if (const auto n = RoundHalfAwayToInt64(value))
            text = QString::number(*n);
        else
            text = overflow;
        break;
    case dtDateTime:
        text = FormatDateTime(format.DTFormat, value).value_or(overflow);
        break;
    case dtState:
        text = format.StateText;
        break;
    case dtBin:
        text = InUnsigned32Range(value)
                   ? LowDigits(std::uint64_t(*RoundHalfAwayToInt64(value)), std::min(p, 32), 1)
                   : overflow;
        break;
    case dtOct:  // up to 12 digits asked for, 11 shown: all of a 32-bit value
        text = InUnsigned32Range(value)
                   ? LowDigits(std::uint64_t(*RoundHalfAwayToInt64(value)), std::min(p, 11), 3)
                   : overflow;
        break;
    case dtDeg:
        text = finite ? Text(FormatFixed(value, std::min(p, 8))) + DegreeSign : overflow;
        break;
    case dtDegMin:
    case dtDegMinSec:
        text = finite ? DegreesText(value, std::min(p, 8), format.DisplayType == dtDegMinSec)
                      : overflow;
        break;
    case dtEEng:
    case dtEEngNoDP:
        text = finite ? EngineeringText(value, format.DisplayType == dtEEng ? p : -p) : overflow;
        break;
    }

    const TDisplay t = format.DisplayType;
    if (t != dtHex && t != dtDateTime && t != dtState && t != dtBin) {
        if (format.Comma)
            text.replace(QLatin1Char('.'), QLatin1Char(','));
        else
            text.replace(QLatin1Char(','), QLatin1Char('.'));
        if (format.ForcePlusSign && value > 0)
            text.prepend(QLatin1Char('+'));
    }
    return text;
}

} // namespace tessaly
