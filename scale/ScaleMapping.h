#pragma once
// The value-to-pixel mapping of one axis scale, as a pure function of the scale's geometry and
// range, and the rounding of mapped coordinates to pixels that the scale and the chart share.

#include "scale/ScaleTypes.h"

namespace tessaly {

// Largest pixel coordinate magnitude a mapping yields.
constexpr int MaxPixelCoordinate = 2147483647;

// Values at or below this count as non-positive on a logarithmic axis.
constexpr double LogFloor = 1e-100;

// Rounds a mapped coordinate to a pixel: limited to +-MaxPixelCoordinate first, then rounded to
// the nearest integer with ties to even (300.5 gives 300, 301.5 gives 302). NaN gives 0. Never
// converts an out-of-range value to int.
int RoundToPixel(long double v);

// pixel = Factor * value + Offset (value replaced by ln value on logarithmic axes).
struct TScaleMapping {
    double Factor = 1;
    double Offset = 0;
};

struct TScaleGeometry {
    TScaleType Type = sctXB;
    int Width = 400;
    int Height = 400;
    int MarginLeft = 20;
    int MarginRight = 20;
    int MarginTop = 20;
    int MarginBottom = 20;
};

// The mapping for the range [low, high]. Horizontal axes run from MarginLeft (low) over
// L = Width - MarginLeft - MarginRight - 1 pixels; vertical axes from MarginTop (high) over
// L = Height - MarginTop - MarginBottom - 1 pixels, larger values higher up. With L <= 0 every
// value maps to half the width. Returns `previous` unchanged when the ends are equal, when a
// logarithmic range has an end that is not positive, or when the result would not be finite
// (a NaN range end, for example).
TScaleMapping ComputeScaleMapping(const TScaleMapping& previous, const TScaleGeometry& geometry,
                                  double low, double high, bool logarithmic);

// The pixel of value under mapping m. On a logarithmic axis a value at or below LogFloor (and
// NaN) gives pixel 0 when high >= low, otherwise `width`; on a linear axis NaN does the same.
int ScaleValueToPixel(const TScaleMapping& m, double value, bool logarithmic, double low,
                      double high, int width);

} // namespace tessaly
