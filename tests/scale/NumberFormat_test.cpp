#include "scale/NumberFormat.h"

#include <gtest/gtest.h>

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
             Case{-2.5, 0, "-3"},         // exact tie: printf gives -2
             Case{0.0625, 3, "0.063"},
             Case{0.15, 1, "0.1"},        // 0.1499999999999999944...
             Case{1.005, 2, "1.00"},      // 1.00499999999999989...
             Case{0.005, 2, "0.01"},      // 0.005000000000000000104...
             Case{9.996, 2, "10.00"},     // carry into a new digit
             Case{-0.001, 2, "0.00"},     // no sign on a value shown as zero
             Case{-0.0, 1, "0.0"},
             Case{123.456, -3, "123"},
             Case{1e22, 0, "10000000000000000000000"},
             Case{0.1, 20, "0.10000000000000000555"},
             Case{5e-324, 3, "0.000"},
             Case{NaN, 2, "NAN"},
             Case{-Inf, 2, "-INF"},
         }) {
        EXPECT_EQ(FormatFixed(c.v, c.decimals), c.text) << c.v << " with " << c.decimals;
    }
    EXPECT_EQ(FormatFixed(1.7976931348623157e308, 0).size(), 309u);
}

TEST(NumberFormat, ShortExponentHasEightCharactersOrStars)
{
    struct Case { double v; const char* text; };
    for (auto c : {
             Case{10500000, " 1.1E+07"},  // exact tie: printf gives 1.0E+07
             Case{-2.25, "-2.3E+00"},
             Case{500000, " 5.0E+05"},
             Case{-2e-5, "-2.0E-05"},
             Case{9.96, " 1.0E+01"},
             Case{-0.0, " 0.0E+00"},
             Case{1e-99, " 1.0E-99"},
             Case{9.96e99, "********"},   // rounds up into a three-digit exponent
             Case{1.5e123, "********"},
             Case{5e-324, "********"},
             Case{NaN, "********"},
         }) {
        EXPECT_EQ(FormatShortExponent(c.v), c.text) << c.v;
    }
}

TEST(NumberFormat, ScientificAndGeneralForms)
{
    struct Case { double v; int digits; const char* scientific; const char* general; };
    for (auto c : {
             Case{1234.5, 3, "1.23E+003", "1.23E+003"},
             Case{0.125, 2, "1.3E-001", "0.13"},
             Case{5, 1, "5E+000", "5"},
             Case{2.5, 0, "3E+000", "3"},               // no digits count as one
             Case{0, 3, "0.00E+000", "0"},
             Case{-9.99, 2, "-1.0E+001", "-10"},
             Case{999.5, 3, "1.00E+003", "1E+003"},     // the rounded value picks the notation
             Case{1e-310, 2, "1.0E-310", "1E-310"},
             Case{0.00001, 15, "1.00000000000000E-005", "0.00001"},
             Case{0.000001, 3, "1.00E-006", "1E-006"},
             Case{123456789012345, 15, "1.23456789012345E+014", "123456789012345"},
             Case{0.1, 17, "1.0000000000000001E-001", "0.10000000000000001"},
             Case{-Inf, 3, "-INF", "-INF"},
         }) {
        EXPECT_EQ(FormatScientific(c.v, c.digits), c.scientific) << c.v;
        EXPECT_EQ(FormatGeneral(c.v, c.digits), c.general) << c.v;
    }
    EXPECT_EQ(FormatScientific(123456, 4, 2), "1.235E+05");
}

TEST(NumberFormat, RoundHalfAwayToInt64HalvesAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(RoundHalfAwayToInt64(-2.5), -3);
    EXPECT_EQ(RoundHalfAwayToInt64(0.49999999999999994), 0);  // floor(x + 0.5) would give 1
    EXPECT_EQ(RoundHalfAwayToInt64(-9223372036854775808.0),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(RoundHalfAwayToInt64(9223372036854775808.0));
    EXPECT_FALSE(RoundHalfAwayToInt64(NaN));
}
