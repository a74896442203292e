#include "app/ChartDescription.h"

#include "app/PlotDriver.h"
#include "chart/CrossHair.h"
#include "chart/RChart.h"
#include "chart/ScaleProps.h"

#include <cmath>

namespace tessaly {

TCurveFacts CurveFacts(std::span<const TCurveSample> samples, const std::vector<bool>& breaks)
{
    TCurveFacts f;
    for (size_t i = 0; i < samples.size(); ++i) {
        const TCurveSample& s = samples[i];
        if (!s.Defined || !std::isfinite(s.Y))
            continue;
        if (!f.AnyValue || s.Y > f.MaxY) {
            f.MaxY = s.Y;
            f.MaxX = s.X;
        }
        if (!f.AnyValue || s.Y < f.MinY) {
            f.MinY = s.Y;
            f.MinX = s.X;
        }
        f.AnyValue = true;
        if (i == 0 || (i < breaks.size() && breaks[i]))
            continue;
        const TCurveSample& p = samples[i - 1];
        if (!p.Defined || !std::isfinite(p.Y))
            continue;
        // A change of sign, or arriving at 0 from one side; leaving 0 is not counted again.
        const bool crosses = (p.Y < 0 && s.Y >= 0) || (p.Y > 0 && s.Y <= 0);
        if (!crosses)
            continue;
        const double x = p.X + (s.X - p.X) * (p.Y / (p.Y - s.Y));
        if (f.Crossings == 0)
            f.FirstCrossing = x;
        f.LastCrossing = x;
        ++f.Crossings;
    }
    return f;
}

QString SpokenNumber(double v)
{
    if (v == 0)
        return "0"; // no "-0"
    return QString::number(v, 'g', 3);
}

QString DescribeChart(const TPlotDriver& driver, const TCustomRChart& chart,
                      const TChartState& state, const TTranslate& translate)
{
    auto n = SpokenNumber;
    // Positions within a billionth of the range of 0 are 0: what rounding leaves of an exact 0.
    const double xSpan = std::fabs(chart.Scale1X()->RangeHigh() - chart.Scale1X()->RangeLow());
    const double ySpan = std::fabs(chart.Scale1Y()->RangeHigh() - chart.Scale1Y()->RangeLow());
    auto nx = [&](double v) { return n(std::fabs(v) < 1e-9 * xSpan ? 0.0 : v); };
    auto ny = [&](double v) { return n(std::fabs(v) < 1e-9 * ySpan ? 0.0 : v); };
    QStringList parts;
    parts << translate("Chart of y = <%1%>.", {state.Formula.simplified()});
    parts << translate("x from <%1%> to <%2%>, y from <%3%> to <%4%>.",
                       {n(chart.Scale1X()->RangeLow()), n(chart.Scale1X()->RangeHigh()),
                        n(chart.Scale1Y()->RangeLow()), n(chart.Scale1Y()->RangeHigh())});
    const TCurveFacts f = CurveFacts(driver.Samples(), driver.Breaks());
    if (!f.AnyValue) {
        parts << translate("The curve has no value here.", {});
    } else {
        if (f.Crossings == 0)
            parts << translate("The curve does not cross y = 0.", {});
        else if (f.Crossings == 1)
            parts << translate("The curve crosses y = 0 once, at x = <%1%>.", {nx(f.FirstCrossing)});
        else
            parts << translate("The curve crosses y = 0 at <%1%> places between x = <%2%> and <%3%>.",
                               {QString::number(f.Crossings), nx(f.FirstCrossing), nx(f.LastCrossing)});
        parts << translate("Highest value <%1%> at x = <%2%>; lowest <%3%> at x = <%4%>.",
                           {ny(f.MaxY), nx(f.MaxX), ny(f.MinY), nx(f.MinX)});
    }
    const std::vector<TPlotDriver::TKeptCurve> kept = driver.KeptCurves();
    if (!kept.empty()) {
        QStringList curves;
        for (const TPlotDriver::TKeptCurve& k : kept)
            curves << QString("y = %1 (a = %2, b = %3, c = %4, d = %5)")
                          .arg(k.Formula.simplified(), n(k.Parameters[0]), n(k.Parameters[1]),
                               n(k.Parameters[2]), n(k.Parameters[3]));
        parts << translate("Kept curves: <%1%>.", {curves.join("; ")});
    }
    if (state.ErrorReason)
        parts << translate("Error: <%1%> at x = <%2%>.", {*state.ErrorReason, nx(state.ErrorX)});
    if (state.CrossHairVisible)
        parts << translate("Crosshair at x = <%1%>, y = <%2%>.",
                           {nx(chart.CrossHair1()->PosX()), ny(chart.CrossHair1()->PosY())});
    return parts.join(' ');
}

} // namespace tessaly
