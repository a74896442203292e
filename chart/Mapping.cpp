#include "chart/Mapping.h"

#include "scale/ScaleMapping.h"

#include <cmath>

namespace tessaly {

// Extended precision, in which mappings and tick runs are computed.
using Extended = long double;

namespace {

// k = (end - start) / (hi - lo) and d = (start * hi - end * lo) / (hi - lo), so that lo maps
// to start and hi to end; on logarithmic axes with ln of the ends. `extent` is the size of the
// data area along the axis.
TAxisMap AxisMap(int extent, int start, int end, int fallback, double lo, double hi,
                 bool logarithmic, int edge)
{
    TAxisMap m;
    m.Logarithmic = logarithmic;
    m.Edge = edge;
    m.D = fallback / 2.0L;
    if (extent <= 0 || lo == hi)
        return m;
    if (logarithmic && !(lo > 0 && hi > 0))
        return m;
    const long double l = logarithmic ? std::log(Extended(lo)) : Extended(lo);
    const long double h = logarithmic ? std::log(Extended(hi)) : Extended(hi);
    const long double span = h - l;
    const long double k = (Extended(end) - start) / span;
    const long double d = (Extended(start) * h - Extended(end) * l) / span;
    if (!std::isfinite(k) || !std::isfinite(d) || k == 0)
        return m;
    m.K = k;
    m.D = d;
    return m;
}

} // namespace

TAxisMap XAxisMap(const TChartGeometry& g, double lo, double hi, bool logarithmic)
{
    const int edge = hi < lo ? g.Width : 0;
    return AxisMap(g.DataWidth(), g.DataLeft(), g.DataRight(), g.Width, lo, hi, logarithmic, edge);
}

TAxisMap YAxisMap(const TChartGeometry& g, double lo, double hi, bool logarithmic)
{
    const int edge = hi < lo ? 0 : g.Height;
    return AxisMap(g.DataHeight(), g.DataBottom(), g.DataTop(), g.Height, lo, hi, logarithmic,
                   edge);
}

int AxisToPixel(const TAxisMap& m, double v)
{
    if (m.Logarithmic) {
        if (!(v > LogFloor))
            return m.Edge;
        if (m.K == 0)
            return RoundToPixel(m.D);
        return RoundToPixel(m.K * std::log(Extended(v)) + m.D);
    }
    if (std::isnan(v))
        return m.Edge;
    if (m.K == 0)
        return RoundToPixel(m.D);
    return RoundToPixel(m.K * v + m.D);
}

double PixelToAxis(const TAxisMap& m, int p, double lo, double hi)
{
    if (m.K == 0)
        return m.Logarithmic && lo > 0 && hi > 0 ? std::sqrt(lo) * std::sqrt(hi) : lo / 2 + hi / 2;
    const long double t = (p - m.D) / m.K;
    return static_cast<double>(m.Logarithmic ? std::exp(t) : t);
}

} // namespace tessaly
