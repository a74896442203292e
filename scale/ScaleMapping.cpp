#include "scale/ScaleMapping.h"

#include <cmath>

namespace tessaly {

// Extended precision, in which mappings and tick runs are computed.
using Extended = long double;

int RoundToPixel(long double v)
{
    if (std::isnan(v))
        return 0;
    constexpr long double limit = MaxPixelCoordinate;
    if (v >= limit)
        return MaxPixelCoordinate;
    if (v <= -limit)
        return -MaxPixelCoordinate;
    // The default rounding mode (never changed in this program) rounds to nearest with ties
    // to even, and lrint rounds in it without switching the mode.
    return static_cast<int>(std::lrint(v));
}

TScaleMapping ComputeScaleMapping(const TScaleMapping& previous, const TScaleGeometry& g,
                                  double low, double high, bool logarithmic)
{
    if (high == low)
        return previous;
    const bool horizontal = IsHorizontal(g.Type);
    const long double length = horizontal ? Extended(g.Width) - g.MarginLeft - g.MarginRight - 1
                                          : Extended(g.Height) - g.MarginTop - g.MarginBottom - 1;
    if (length <= 0)
        return {0, g.Width / 2.0};
    if (logarithmic && !(low > 0 && high > 0))
        return previous;
    // Extended precision keeps spans like [-1e308, 1e308] finite.
    const long double lo = logarithmic ? std::log(Extended(low)) : Extended(low);
    const long double hi = logarithmic ? std::log(Extended(high)) : Extended(high);
    long double factor, offset;
    if (horizontal) {
        factor = length / (hi - lo);
        offset = g.MarginLeft - lo * factor;
    } else {
        factor = length / (lo - hi);
        offset = g.MarginTop - hi * factor;
    }
    const double f = static_cast<double>(factor), o = static_cast<double>(offset);
    if (!std::isfinite(f) || !std::isfinite(o) || f == 0)
        return previous;
    return {f, o};
}

int ScaleValueToPixel(const TScaleMapping& m, double value, bool logarithmic, double low,
                      double high, int width)
{
    const int edge = high >= low ? 0 : width;
    if (logarithmic) {
        if (!(value > LogFloor))
            return edge;
        return RoundToPixel(Extended(m.Factor) * std::log(Extended(value)) + m.Offset);
    }
    if (std::isnan(value))
        return edge;
    if (m.Factor == 0)
        return RoundToPixel(m.Offset);
    return RoundToPixel(Extended(m.Factor) * value + m.Offset);
}

} // namespace tessaly
