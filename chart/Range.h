#pragma once
// The world range of one axis.

namespace tessaly {

// A range from Low to High; High may lie below Low (a reversed axis).
struct TRange {
    double Low = 0;
    double High = 1;

    // The middle, without overflowing near the ends of the double range.
    double Middle() const { return Low / 2 + High / 2; }
    double Span() const { return High - Low; }
    friend bool operator==(const TRange&, const TRange&) = default;
};

} // namespace tessaly
