#include "expr/NumberScanner.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace tessaly {

namespace {

// States of the scanner; End and Fail finish it.
enum : std::uint8_t { S1 = 1, S2, S3, S4, S5, S6, S7, S8, End, Fail };
// Character classes, in the order of the transition table's columns.
enum : std::uint8_t { cSeparator, cBlank, cSign, cDigit, cExponent, cOther };

constexpr std::uint8_t Transition[9][6] = {
    {},
    /* S1 start            */ {S4, S1, S2, S3, Fail, Fail},
    /* S2 after a sign     */ {S4, Fail, Fail, S3, Fail, Fail},
    /* S3 integer digits   */ {S4, End, End, S3, S6, End},
    /* S4 after separator  */ {Fail, End, End, S5, S6, End},
    /* S5 fraction digits  */ {Fail, End, End, S5, S6, End},
    /* S6 after E          */ {Fail, Fail, S7, S8, Fail, End},
    /* S7 after exp. sign  */ {Fail, Fail, Fail, S8, Fail, End},
    /* S8 exponent digits  */ {End, End, End, S8, End, End},
};

constexpr std::array<std::uint8_t, 256> MakeClasses()
{
    std::array<std::uint8_t, 256> classes{};
    for (auto& c : classes)
        c = cOther;
    classes[' '] = cBlank;
    classes['+'] = cSign;
    classes['-'] = cSign;
    for (size_t c = '0'; c <= '9'; ++c)
        classes[c] = cDigit;
    classes['E'] = cExponent;
    classes['e'] = cExponent;
    return classes;
}
constexpr std::array<std::uint8_t, 256> Classes = MakeClasses();

constexpr int MaxExponent = 4200;

// Powers of ten that are exact doubles.
constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Converts the collected number text by std::from_chars. The text is built without the sign;
// a result out of range becomes infinity or zero as its decimal magnitude says.
double ConvertText(std::string_view mantissa, bool hasExponent, bool exponentNegative,
                   int exponent, int magnitude)
{
    char local[128];
    std::string heap;
    char* buffer = local;
    const std::size_t needed = mantissa.size() + 8;
    if (needed > sizeof local) {
        heap.resize(needed);
        buffer = heap.data();
    }
    char* out = buffer;
    for (char c : mantissa)
        *out++ = c == ',' ? '.' : c;
    if (hasExponent) {
        *out++ = 'e';
        if (exponentNegative)
            *out++ = '-';
        out = std::to_chars(out, buffer + needed, exponent).ptr;
    }
    double value = 0;
    auto [end, ec] = std::from_chars(buffer, out, value);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        return magnitude > 0 ? HUGE_VAL : 0.0;
    if (ec != std::errc())
        return 0;   // no mantissa digit, as in ".e5"
    return value;
}

} // namespace

TNumberScan ScanNumber(std::string_view text, std::size_t start, TDecimalSeparators separators,
                       bool allowExponent)
{
    const std::size_t size = text.size();
    std::size_t pos = start;
    std::uint8_t state = S1;

    bool negative = false;
    std::size_t mantissaBegin = 0, mantissaEnd = 0;
    bool inMantissa = false;
    bool anyDigit = false;       // the mantissa has at least one digit
    std::uint64_t digits = 0;    // the significant digits, as long as they fit
    int significant = 0;         // significant digits seen (after leading zeros)
    int integerSignificant = 0;  // of them in the integer part
    int fractionDigits = 0;      // digits after the separator, leading zeros included
    int leadingFractionZeros = 0;
    bool exponentNegative = false;
    bool hasExponentDigits = false;
    bool exponentCut = false;
    int exponent = 0;

    for (;;) {
        const unsigned char c = pos < size ? static_cast<unsigned char>(text[pos]) : 0;
        ++pos;
        // Past the end the scanner sees 0, a character of the class other.
        const std::uint8_t cls =
            (c == '.' && separators != dsComma) || (c == ',' && separators != dsPoint)
                ? std::uint8_t{cSeparator}
                : Classes[c];
        std::uint8_t next = Transition[state][cls];
        if (cls == cExponent && !allowExponent && (state == S3 || state == S4 || state == S5))
            next = End;
        if (next >= End) {
            state = next;
            break;
        }
        switch (next) {
        case S2:
            negative = c == '-';
            break;
        case S3:
        case S5: {
            if (!inMantissa) {
                inMantissa = true;
                mantissaBegin = pos - 1;
            }
            mantissaEnd = pos;
            anyDigit = true;
            const int d = c - '0';
            const bool fraction = next == S5;
            if (fraction)
                ++fractionDigits;
            if (significant == 0 && d == 0) {
                if (fraction)
                    ++leadingFractionZeros;
                break;
            }
            if (significant < 19)
                digits = digits * 10 + static_cast<std::uint64_t>(d);
            ++significant;
            if (!fraction)
                ++integerSignificant;
            break;
        }
        case S4:
            if (!inMantissa) {
                inMantissa = true;
                mantissaBegin = pos - 1;
            }
            mantissaEnd = pos;
            break;
        case S7:
            exponentNegative = c == '-';
            break;
        case S8:
            if (!exponentCut) {
                const int value = exponent * 10 + (c - '0');
                if (value > MaxExponent) {
                    exponentCut = true;
                } else {
                    exponent = value;
                    hasExponentDigits = true;
                }
            }
            break;
        default:   // S1 (a leading blank) and S6 collect nothing
            break;
        }
        state = next;
    }
    --pos;   // the character that ended the scan is not consumed

    TNumberScan result;
    result.Next = pos;
    if (state == Fail)
        return result;
    result.Valid = true;

    double value;
    const int signedExponent = exponentNegative ? -exponent : exponent;
    const int power = signedExponent - fractionDigits;
    if (!anyDigit) {
        value = 0;   // ".", ".e5": the conversion finds no number
        negative = false;
    } else if (significant == 0) {
        value = 0;   // "0", "-0.00e12"
    } else if (significant <= 15 && power >= -22 && power <= 22) {
        // Both the digits (below 2^53) and the power of ten are exact, so one correctly rounded
        // operation gives the correctly rounded result.
        const double w = static_cast<double>(digits);
        value = power >= 0 ? w * ExactPowersOfTen[power] : w / ExactPowersOfTen[-power];
    } else {
        const int magnitude = (integerSignificant > 0 ? integerSignificant - 1
                                                      : -(leadingFractionZeros + 1)) +
                              signedExponent;
        value = ConvertText(text.substr(mantissaBegin, mantissaEnd - mantissaBegin),
                            hasExponentDigits, exponentNegative, exponent, magnitude);
    }
    if (value > MaxScannedMagnitude)
        value = MaxScannedMagnitude;
    result.Value = negative ? -value : value;
    return result;
}

} // namespace tessaly
