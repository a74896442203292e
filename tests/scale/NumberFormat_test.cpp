#include "scale/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tessaly;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(NumberFormat, FixedRoundsTheExactBinaryValueWithHalvesAwayFromZero)
{
    struct Case { double v; int decimals; const char* text; };
    for (auto c : {
             Case{0.6, 2, "0.60"},
             Case{0.125, 2, "0.13"},      // exact tie: printf gives 0.12
             Case{-0.125, 2, "-0.13"},
             Case{2.5, 0, "3"},           // exact tie: printf gives 2
             Case{-2.5, 0, "-3"},
             Case{0.5, 0, "1"},
             Case{0.0625, 3, "0.063"},
             Case{0.15, 1, "0.1"},        // 0.1499999999999999944...
             Case{1.005, 2, "1.00"},      // 1.00499999999999989...
             Case{0.35, 1, "0.3"},        // 0.34999999999999997...
             Case{9.996, 2, "10.00"},     // carry into a new digit
             Case{999.5, 0, "1000"},
             Case{-0.001, 2, "0.00"},     // no sign on a value shown as zero
             Case{-0.0, 1, "0.0"},
             Case{0.0, 0, "0"},
             Case{0.004, 2, "0.00"},
             Case{0.005, 2, "0.01"},      // 0.005000000000000000104...
             Case{123.456, -3, "123"},
             Case{1e22, 0, "10000000000000000000000"},
             Case{0.1, 20, "0.10000000000000000555"},
             Case{5e-324, 3, "0.000"},
             Case{-1234567.891, 1, "-1234567.9"},
         }) {
        EXPECT_EQ(FormatFixed(c.v, c.decimals), c.text) << c.v << " with " << c.decimals;
    }
    EXPECT_EQ(FormatFixed(NaN, 2), "NAN");
    EXPECT_EQ(FormatFixed(Inf, 2), "INF");
    EXPECT_EQ(FormatFixed(-Inf, 2), "-INF");
    EXPECT_EQ(FormatFixed(1.7976931348623157e308, 0).size(), 309u);
}

TEST(NumberFormat, ShortExponentHasEightCharactersOrStars)
{
    struct Case { double v; const char* text; };
    for (auto c : {
             Case{10500000, " 1.1E+07"},  // exact tie: printf gives 1.0E+07
             Case{2.25, " 2.3E+00"},
             Case{-2.25, "-2.3E+00"},
             Case{1500, " 1.5E+03"},
             Case{500000, " 5.0E+05"},
             Case{-2e-5, "-2.0E-05"},
             Case{9.96, " 1.0E+01"},
             Case{0.0, " 0.0E+00"},
             Case{-0.0, " 0.0E+00"},
             Case{1e-99, " 1.0E-99"},
             Case{9.9e99, " 9.9E+99"},
             Case{9.96e99, "********"},   // rounds up into a three-digit exponent
             Case{1.5e123, "********"},
             Case{1e-100, "********"},
             Case{5e-324, "********"},
             Case{NaN, "********"},
             Case{-Inf, "********"},
         }) {
        EXPECT_EQ(FormatShortExponent(c.v), c.text) << c.v;
    }
}

TEST(NumberFormat, ScientificShowsTheGivenSignificantDigits)
{
    struct Case { double v; int digits; int expDigits; const char* text; };
    for (auto c : {
             Case{1234.5, 3, 3, "1.23E+003"},
             Case{0.125, 2, 3, "1.3E-001"},
             Case{5, 1, 3, "5E+000"},
             Case{5, 0, 3, "5E+000"},
             Case{0, 3, 3, "0.00E+000"},
             Case{-9.99, 2, 3, "-1.0E+001"},
             Case{1e300, 1, 3, "1E+300"},
             Case{1e-310, 2, 3, "1.0E-310"},
             Case{123456, 4, 2, "1.235E+05"},
         }) {
        EXPECT_EQ(FormatScientific(c.v, c.digits, c.expDigits), c.text) << c.v;
    }
    EXPECT_EQ(FormatScientific(-Inf, 3), "-INF");
}

TEST(NumberFormat, GeneralSwitchesToExponentOutsideItsFixedRange)
{
    struct Case { double v; int precision; const char* text; };
    for (auto c : {
             Case{0.5, 3, "0.5"},
             Case{100, 3, "100"},
             Case{123.456, 15, "123.456"},
             Case{1234567, 3, "1.23E+006"},
             Case{999.5, 3, "1E+003"},      // the rounded value decides the notation
             Case{999.4, 3, "999"},
             Case{0.00001, 15, "0.00001"},
             Case{0.000001, 15, "1E-006"},
             Case{-0.000012345, 3, "-0.0000123"},
             Case{123456789012345, 15, "123456789012345"},
             Case{1e15, 15, "1E+015"},
             Case{2.5, 1, "3"},
             Case{2.5, 0, "3"},
             Case{0.1, 17, "0.10000000000000001"},
             Case{-0.0, 5, "0"},
         }) {
        EXPECT_EQ(FormatGeneral(c.v, c.precision), c.text) << c.v << " with " << c.precision;
    }
    EXPECT_EQ(FormatGeneral(NaN, 3), "NAN");
}

TEST(NumberFormat, RoundHalfAwayToInt64HalvesAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(RoundHalfAwayToInt64(2.5), 3);
    EXPECT_EQ(RoundHalfAwayToInt64(-2.5), -3);
    EXPECT_EQ(RoundHalfAwayToInt64(0.49999999999999994), 0);  // floor(x + 0.5) would give 1
    EXPECT_EQ(RoundHalfAwayToInt64(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(RoundHalfAwayToInt64(9223372036854774784.0), 9223372036854774784);
    EXPECT_FALSE(RoundHalfAwayToInt64(9223372036854775808.0));
    EXPECT_FALSE(RoundHalfAwayToInt64(NaN));
    EXPECT_FALSE(RoundHalfAwayToInt64(-Inf));
}

TEST(NumberFormat, ExactDecimalGivesAllDigitsOfTheBinaryValue)
{
    const TDecimal d = ExactDecimal(0.1);
    EXPECT_EQ(d.Digits, "1000000000000000055511151231257827021181583404541015625");
    EXPECT_EQ(d.Exp10, 0);
    const TDecimal big = ExactDecimal(-1500);
    EXPECT_TRUE(big.Negative);
    EXPECT_EQ(big.Digits, "15");
    EXPECT_EQ(big.Exp10, 4);
    EXPECT_EQ(ExactDecimal(5e-324).Exp10, -323);
}
