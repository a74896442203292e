#include "scale/NumberFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tessaly {

namespace {

// Longest fixed text of a double's exact value: 309 integer digits, the point and 1074 decimals.
constexpr int MaxExactChars = 1400;
// Further digits would all be zeros or beyond any text a label can show.
constexpr int MaxDigits = 1100;

std::string NonFiniteText(double v)
{
    if (std::isnan(v))
        return "NAN";
    return v < 0 ? "-INF" : "INF";
}

// Exponent text: sign and at least minDigits digits.
void AppendExponent(std::string& out, int exponent, int minDigits)
{
    out += exponent < 0 ? '-' : '+';
    std::string digits = std::to_string(std::abs(exponent));
    if (int(digits.size()) < minDigits)
        out.append(std::size_t(minDigits - int(digits.size())), '0');
    out += digits;
}

char DigitAt(const TDecimal& d, int index)
{
    return index >= 0 && index < int(d.Digits.size()) ? d.Digits[std::size_t(index)] : '0';
}

} // namespace

TDecimal ExactDecimal(double v)
{
    TDecimal d;
    d.Negative = std::signbit(v);
    const double a = std::fabs(v);
    if (a == 0 || !std::isfinite(a))
        return d;

    // a = m × 2^(k - 53) with an integer m; the exact value then has 53 - k - (trailing zero
    // bits of m) decimals, which to_chars writes without rounding anything.
    int k = 0;
    const double f = std::frexp(a, &k);
    const auto m = static_cast<std::uint64_t>(std::ldexp(f, 53));
    const int decimals = std::max(0, 53 - k - std::countr_zero(m));

    char buf[MaxExactChars];
    const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed, decimals);
    int integerDigits = 0;
    bool beforePoint = true;
    d.Digits.reserve(std::size_t(res.ptr - buf));
    for (const char* p = buf; p != res.ptr; ++p) {
        if (*p == '.') {
            beforePoint = false;
            continue;
        }
        if (beforePoint)
            ++integerDigits;
        d.Digits += *p;
    }
    const auto first = d.Digits.find_first_not_of('0');
    d.Digits.erase(0, first);
    d.Exp10 = integerDigits - int(first);
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    return d;
}

void RoundDecimal(TDecimal& d, int count)
{
    if (count >= int(d.Digits.size()))
        return;
    if (count < 0) {
        d.Digits.clear();
        d.Exp10 = 0;
        return;
    }
    // The digits are exact, so a first dropped digit of 5 or more means at least half a unit
    // of the last kept place: round up (away from zero).
    const bool up = d.Digits[std::size_t(count)] >= '5';
    d.Digits.resize(std::size_t(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.Digits[std::size_t(i)] == '9')
            d.Digits[std::size_t(i--)] = '0';
        if (i >= 0) {
            ++d.Digits[std::size_t(i)];
        } else {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Exp10;
        }
    }
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    if (d.Digits.empty())
        d.Exp10 = 0;
}

std::string FormatFixed(double v, int decimals)
{
    if (!std::isfinite(v))
        return NonFiniteText(v);
    return FormatFixed(ExactDecimal(v), decimals);
}

std::string FormatFixed(TDecimal d, int decimals)
{
    decimals = std::clamp(decimals, 0, MaxDigits);
    RoundDecimal(d, d.Exp10 + decimals);

    std::string out;
    if (d.Negative && !d.Digits.empty())
        out += '-';
    if (d.Exp10 > 0) {
        for (int i = 0; i < d.Exp10; ++i)
            out += DigitAt(d, i);
    } else {
        out += '0';
    }
    if (decimals > 0) {
        out += '.';
        for (int i = 0; i < decimals; ++i)
            out += DigitAt(d, d.Exp10 + i);
    }
    return out;
}

std::string FormatShortExponent(double v)
{
    if (!std::isfinite(v))
        return "********";
    TDecimal d = ExactDecimal(v);
    if (d.Digits.empty())
        return " 0.0E+00";
    RoundDecimal(d, 2);
    const int exponent = d.Exp10 - 1;
    if (exponent <= -100 || exponent >= 100)
        return "********";
    std::string out;
    out += d.Negative ? '-' : ' ';
    out += DigitAt(d, 0);
    out += '.';
    out += DigitAt(d, 1);
    out += 'E';
    AppendExponent(out, exponent, 2);
    return out;
}

std::string FormatScientific(double v, int digits, int minExponentDigits)
{
    if (!std::isfinite(v))
        return NonFiniteText(v);
    digits = std::clamp(digits, 1, MaxDigits);
    TDecimal d = ExactDecimal(v);
    RoundDecimal(d, digits);
    const int exponent = d.Digits.empty() ? 0 : d.Exp10 - 1;

    std::string out;
    if (d.Negative && !d.Digits.empty())
        out += '-';
    out += DigitAt(d, 0);
    if (digits > 1) {
        out += '.';
        for (int i = 1; i < digits; ++i)
            out += DigitAt(d, i);
    }
    out += 'E';
    AppendExponent(out, exponent, minExponentDigits);
    return out;
}

std::string FormatGeneral(double v, int precision, int minExponentDigits)
{
    if (!std::isfinite(v))
        return NonFiniteText(v);
    precision = std::clamp(precision, 1, MaxDigits);
    TDecimal d = ExactDecimal(v);
    RoundDecimal(d, precision);
    if (d.Digits.empty())
        return "0";

    std::string out;
    if (d.Negative)
        out += '-';
    const int size = int(d.Digits.size());
    const int exponent = d.Exp10 - 1;
    if (exponent >= -5 && exponent < precision) {
        if (d.Exp10 <= 0) {
            out += "0.";
            out.append(std::size_t(-d.Exp10), '0');
            out += d.Digits;
        } else if (size <= d.Exp10) {
            out += d.Digits;
            out.append(std::size_t(d.Exp10 - size), '0');
        } else {
            out.append(d.Digits, 0, std::size_t(d.Exp10));
            out += '.';
            out.append(d.Digits, std::size_t(d.Exp10));
        }
        return out;
    }
    out += d.Digits[0];
    if (size > 1) {
        out += '.';
        out.append(d.Digits, 1);
    }
    out += 'E';
    AppendExponent(out, exponent, minExponentDigits);
    return out;
}

std::optional<std::int64_t> RoundHalfAwayToInt64(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = std::round(v);
    // -2^63 is representable; 2^63 is the first value beyond the range.
    if (r < -9223372036854775808.0 || r >= 9223372036854775808.0)
        return std::nullopt;
    return static_cast<std::int64_t>(r);
}

} // namespace tessaly
