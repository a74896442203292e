#pragma once
// Decimal texts of doubles for tick labels and numeric read-outs. Every function formats the
// exact binary value of its argument and rounds an exact half away from zero (2.5 with no
// decimals is "3", 0.125 with two is "0.13"), so results do not depend on how printf breaks ties.
// Nothing here reads the process locale: the decimal point is always ".".

#include <cstdint>
#include <optional>
#include <string>

namespace tessaly {

// The exact decimal expansion of |v|: |v| = 0.Digits × 10^Exp10, Digits without leading or
// trailing zeros (empty for zero). Only for finite v.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exp10 = 0;
};
TDecimal ExactDecimal(double v);

// Keeps the first `count` digits of d (count may be 0 or negative: rounding happens at a place
// before the first digit), rounding half away from zero; a carry may add a digit in front.
void RoundDecimal(TDecimal& d, int count);

// Fixed-point text with exactly `decimals` digits behind the point (negative counts as 0), no
// padding, "-" in front of negative values that do not round to zero.
// FormatFixed(0.6, 2) == "0.60", FormatFixed(-2.5, 0) == "-3", FormatFixed(-0.001, 2) == "0.00".
// Non-finite values give "NAN", "INF" and "-INF".
std::string FormatFixed(double v, int decimals);
// The same for a decimal of ExactDecimal, for callers that shift or inspect its digits first.
std::string FormatFixed(TDecimal d, int decimals);

// The 8-character exponent form of the scale labels: a blank or "-", one digit, ".", one digit,
// "E", the exponent's sign and two exponent digits: FormatShortExponent(1500) == " 1.5E+03",
// FormatShortExponent(10500000) == " 1.1E+07". An exponent of three digits, and a non-finite
// value, give "********".
std::string FormatShortExponent(double v);

// Scientific text with `digits` significant digits (at least 1): one digit, the point and
// digits - 1 digits (no point when digits is 1), "E", the exponent's sign and at least
// `minExponentDigits` exponent digits: FormatScientific(1234.5, 3) == "1.23E+003".
std::string FormatScientific(double v, int digits, int minExponentDigits = 3);

// General text with `precision` significant digits (at least 1) and trailing zeros removed:
// fixed notation when 1e-5 <= |rounded value| < 10^precision, otherwise scientific notation
// as FormatScientific gives it (trailing mantissa zeros removed too). Zero is "0".
// FormatGeneral(0.5, 3) == "0.5", FormatGeneral(1234567, 3) == "1.23E+006".
std::string FormatGeneral(double v, int precision, int minExponentDigits = 3);

// v rounded to the nearest integer, halves away from zero; nothing for NaN, infinities and
// values whose rounded value lies outside the 64-bit range.
std::optional<std::int64_t> RoundHalfAwayToInt64(double v);

} // namespace tessaly
