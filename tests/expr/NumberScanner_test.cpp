#include "expr/NumberScanner.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace tessaly {
namespace {

TEST(NumberScanner, ReadsNumbersAndStopsOnTheEndingCharacter)
{
    struct Case {
        const char* text;
        std::size_t start;
        double value;
        std::size_t next;
        bool valid;
    };
    const Case cases[] = {
        {"2.5e3", 0, 2500, 5, true},     {".5", 0, 0.5, 2, true},        {"5.", 0, 5, 2, true},
        {"1,5", 0, 1.5, 3, true},        // a comma counts as a point
        {"x=12+1", 2, 12, 4, true},      // from a position inside the text
        {"1.2.3", 0, 0, 3, false},       // fails on the second point, which is not consumed
        {"1.2.3", 3, 0.3, 5, true},      {"1E-2)", 0, 0.01, 4, true},    {"7e+2", 0, 700, 4, true},
        {"  -4.25abc", 0, -4.25, 7, true},   // leading blanks and a sign
        {"+.5", 0, 0.5, 3, true},        {"12 34", 0, 12, 2, true},      {"0.0000001", 0, 1e-7, 9, true},
        {"1e5.5", 0, 1e5, 3, true},      {"1e5e", 0, 1e5, 3, true},      // the exponent ends there
        {"1.e", 0, 1, 3, true},          {"2e", 0, 2, 2, true},          {"1E+*3", 0, 1, 3, true},
        {".e5", 0, 0, 3, true},          {".", 0, 0, 1, true},           // no mantissa digit: 0
        {"2e 3", 0, 0, 2, false},        {"2e- 3", 0, 0, 3, false},      {"- 5", 0, 0, 1, false},
        {"-", 0, 0, 1, false},           {"abc", 0, 0, 0, false},        {"", 0, 0, 0, false},
        {"1..", 0, 0, 2, false},         {"E5", 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        const TNumberScan r = ScanNumber(c.text, c.start);
        EXPECT_EQ(r.Value, c.value) << c.text;
        EXPECT_EQ(r.Next, c.next) << c.text;
        EXPECT_EQ(r.Valid, c.valid) << c.text;
    }
}

TEST(NumberScanner, SeparatorAndExponentOptions)
{
    struct Case {
        const char* text;
        TDecimalSeparators separators;
        bool exponent;
        double value;
        std::size_t next;
    };
    const Case cases[] = {
        {"1,5", dsPoint, true, 1, 1},    {"1.5", dsPoint, true, 1.5, 3},  {"1.5", dsComma, true, 1, 1},
        {"1,5", dsComma, true, 1.5, 3},  {"1,5.5", dsPointOrComma, true, 0, 3},
        {"2e3", dsPointOrComma, false, 2, 1}, {"2.5E3", dsPointOrComma, false, 2.5, 3},
        {".E3", dsPointOrComma, false, 0, 1},
    };
    for (const Case& c : cases) {
        const TNumberScan r = ScanNumber(c.text, 0, c.separators, c.exponent);
        EXPECT_EQ(r.Value, c.value) << c.text;
        EXPECT_EQ(r.Next, c.next) << c.text;
    }
}

TEST(NumberScanner, LimitsTheMagnitudeAndCutsLongExponents)
{
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"1E400", 1.7e308},     {"-1e400", -1.7e308},   {"1.75e308", 1.7e308},   // finite, too
        {"1.69e308", 1.69e308}, {"1e-400", 0},          {"4e-320", 4e-320},      // subnormals stay
        {"1e99999999999999999999", 1.7e308},            // the exponent is cut and never wraps
        {"1e-99999999999999999999", 0},                 {"1e04200", 1.7e308},
        {"0." + std::string(4300, '0') + "1e4250", 0},  // the cut keeps "425": 1e-3876
        {"0." + std::string(300, '0') + "1e305", 1e4},  {std::string(400, '0') + "12.5", 12.5},
        {"1" + std::string(30, '0') + "e-30", 1},
    };
    for (const Case& c : cases) {
        const TNumberScan r = ScanNumber(c.text, 0);
        EXPECT_EQ(r.Value, c.value) << c.text.substr(0, 40);
        EXPECT_EQ(r.Next, c.text.size());
    }
}

// The short-number path must give std::from_chars's correctly rounded result exactly.
TEST(NumberScanner, EqualsFromCharsBitForBit)
{
    std::mt19937_64 generator(12345);
    auto check = [](const std::string& text) {
        double expected = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(ec, std::errc()) << text;
        ASSERT_EQ(end, text.data() + text.size()) << text;
        const TNumberScan r = ScanNumber(text, 0);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(r.Value), std::bit_cast<std::uint64_t>(expected))
            << text;
    };
    for (const char* text : {"0.1", "0.3", "123456789012345", "1234567890123456", "9007199254740993",
                             "0.000000000000000000001", "1e22", "1e23", "123456789012345e22",
                             "3.0993292743265745e-18", "8.98846567431158e307", "2.2250738585072014e-308",
                             "4.9e-324", "0.02", "1.6999999999999999e308"})
        check(text);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t digits = generator() % 1000000000000000000ull;
        std::string text = std::to_string(digits >> (generator() % 40));
        const std::size_t point = generator() % (text.size() + 1);
        text.insert(point, ".");
        const int exponent = static_cast<int>(generator() % 61) - 30;
        text += "e" + std::to_string(exponent);
        check(text);
    }
}

} // namespace
} // namespace tessaly
