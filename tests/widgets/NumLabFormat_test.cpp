#include "widgets/NumLab.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tessaly;

namespace {

using N = TNumLab;

struct Case {
    N::TDisplay type;
    int precision;
    double value;
    const char* text;
    bool comma = false;
    bool plus = false;
};

QString Format(const Case& c)
{
    N::TFormat f;
    f.DisplayType = c.type;
    f.Precision = c.precision;
    f.Comma = c.comma;
    f.ForcePlusSign = c.plus;
    f.DTFormat = QStringLiteral("yyyy-mm-dd hh.nn");
    f.StateText = QStringLiteral("a.b,c");
    f.OverflowIndicator = QStringLiteral("#");
    return N::FormatValue(f, c.value);
}

void ExpectAll(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        EXPECT_EQ(Format(c), QString::fromUtf8(c.text))
            << "type " << c.type << ", precision " << c.precision << ", value " << c.value
            << (c.comma ? ", comma" : "") << (c.plus ? ", plus" : "");
    }
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

} // namespace

TEST(NumLabFormat, DecimalTypesWithCommaAndPlusSign)
{
    ExpectAll({
        {N::dtFixP, 2, 0.6, "0.60"},
        {N::dtFixP, 2, 0.6, "0,60", true},
        {N::dtFixP, 2, 0.6, "+0.60", false, true},
        {N::dtFixP, 2, 0, "0.00", false, true},     // plus sign only above 0
        {N::dtFixP, 2, -0.6, "-0,60", true, true},
        {N::dtFixP, 0, 2.5, "3"},
        {N::dtFixP, 2, NaN, "#"},
        {N::dtFloat, 4, 1234.5678, "1235"},
        {N::dtFloat, 4, 12345.678, "1.235E+004"},
        {N::dtFloat, 2, 0.5, "0,5", true},
        {N::dtFloat, 0, 7.5, "8"},
        {N::dtExp, 3, 1234.5, "1.23E+003"},
        {N::dtExp, 3, -1234.5, "-1,23E+003", true},
        {N::dtExp, 3, Inf, "#"},
    });
}

TEST(NumLabFormat, IntegerTypesAndTheirRanges)
{
    ExpectAll({
        {N::dtHex, 4, 65535, "FFFF"},
        {N::dtHex, 4, -1, "FFFF"},                   // two's complement digits
        {N::dtHex, 4, 5e9, "#"},
        {N::dtHex, 15, 255, "000000FF"},             // at most 8 digits
        {N::dtHex, 0, 255, ""},
        {N::dtHex, 2, 2.5, "03"},
        {N::dtHex, 2, 255, "FF", false, true},       // no plus sign on hexadecimal
        {N::dtHex, 8, -2147483648.0, "80000000"},
        {N::dtHex, 8, -2147483649.0, "#"},
        {N::dtZeroInt, 4, 42, "0042"},
        {N::dtZeroInt, 4, -42, "-0042"},
        {N::dtZeroInt, 4, 42, "+0042", false, true},
        {N::dtZeroInt, 4, 3e9, "#"},
        {N::dtInt, 2, 2.5, "3"},
        {N::dtInt, 2, -1e15, "-1000000000000000"},
        {N::dtInt, 2, 1e19, "#"},
        {N::dtInt, 2, NaN, "#"},
        {N::dtBin, 4, 5, "0101"},
        {N::dtBin, 2, 5, "01"},                      // only the low bits
        {N::dtBin, 15, -1, "111111111111111"},
        {N::dtBin, 8, 4294967296.0, "#"},
        {N::dtOct, 3, 8, "010"},
        {N::dtOct, 12, -1, "77777777777"},           // 12 asked for, 11 shown
        {N::dtOct, 3, 8, "+010", false, true},
    });
}

TEST(NumLabFormat, DateTimeAndStateTextsAreNotPostProcessed)
{
    ExpectAll({
        {N::dtDateTime, 2, 36526.5, "2000-01-01 12.00", true, true},
        {N::dtDateTime, 2, 1e7, "#"},
        {N::dtState, 2, 5, "a.b,c", true, true},
        {N::dtState, 2, NaN, "a.b,c"},
    });
}

TEST(NumLabFormat, Degrees)
{
    ExpectAll({
        {N::dtDeg, 2, 12.5125, "12.51°"},
        {N::dtDeg, 12, 12.5125, "12.51250000°"},     // at most 8 decimals
        {N::dtDegMin, 2, 12.5125, "12° 30.75'"},
        {N::dtDegMin, 2, -12.5125, "-12° 30.75'"},
        {N::dtDegMin, 2, 12.05, "12°  3.00'"},       // minutes right-aligned in P + 3
        {N::dtDegMin, 0, 12.5125, "12°  31'"},
        {N::dtDegMin, 2, 5 - 1e-13, "5°  0.00'"},    // snapped to the integer
        {N::dtDegMin, 2, 12.99999, "13°  0.00'"},    // 59.9994' carries into the degrees
        {N::dtDegMin, 2, -0.5, "-0° 30.00'"},        // the sign of a small negative angle
        {N::dtDegMinSec, 2, 12.5125, "12° 30' 45.00\""},
        {N::dtDegMinSec, 2, 12.5125, "+12° 30' 45,00\"", true, true},
        {N::dtDegMinSec, 2, 12.9999999, "13°  0'  0.00\""},
        {N::dtDegMinSec, 2, 12.0833333, "12°  5'  0.00\""},  // 59.99988" carries
        {N::dtDegMinSec, 2, -0.25, "-0° 15'  0.00\""},
        {N::dtDegMin, 2, Inf, "#"},
    });
}

TEST(NumLabFormat, EngineeringNotation)
{
    ExpectAll({
        {N::dtEEng, 3, 4700, "4.70k"},
        {N::dtEEngNoDP, 2, 4700, "4k7"},
        {N::dtEEngNoDP, 2, 0.0047, "4m7"},
        {N::dtEEngNoDP, 2, 47, "47"},                // no prefix: the point would stay
        {N::dtEEngNoDP, 1, 4700, "5k"},
        {N::dtEEng, 1, 47000, "47k"},
        {N::dtEEng, 3, 0, "0.00"},
        {N::dtEEng, 3, -0.0047, "-4.70m"},
        {N::dtEEng, 3, 999.96, "1.00k"},             // rounding carries into the next prefix
        {N::dtEEng, 3, 9.996, "10.0"},
        {N::dtEEng, 3, 1e-20, "0.0100a"},            // beyond the smallest prefix
        {N::dtEEng, 3, 1e20, "100000000T"},          // beyond the largest prefix
        {N::dtEEng, 3, 4700, "+4,70k", true, true},
        {N::dtEEng, 15, 1, "1.00000000"},            // 9 digits at most
        {N::dtEEng, 3, NaN, "#"},
    });
}
