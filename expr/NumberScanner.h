#pragma once
// The number scanner: reads a decimal number from a position in a text, as the formula language
// and the string conversion of values need it. The conversion never depends on the process
// locale.

#include <cstddef>
#include <string_view>

namespace tessaly {

// The characters accepted between the integer part and the fraction.
enum TDecimalSeparators { dsPoint, dsComma, dsPointOrComma };

// Results beyond this magnitude are replaced by it.
constexpr double MaxScannedMagnitude = 1.7e308;

struct TNumberScan {
    double Value = 0;       // 0 when the text at the start position is not a number
    std::size_t Next = 0;   // index of the character that ended the scan (the text's size at its end)
    bool Valid = false;     // false when the scan failed
};

// Scans the number that begins at text[start]: leading blanks, an optional sign, digits with
// one optional separator (a comma counts as a point), and optionally an exponent ("E" or "e",
// optional sign, digits). Exponent digits beyond the point where they would exceed 4200 are
// ignored. The character that ends the number is not consumed: Next is its index.
// Example: ScanNumber("2,5e3*x", 0) gives Value 2500 and Next 5.
TNumberScan ScanNumber(std::string_view text, std::size_t start,
                       TDecimalSeparators separators = dsPointOrComma, bool allowExponent = true);

} // namespace tessaly
