#pragma once
// A kept curve of the plot driver with what it needs to be sampled again: its own expression,
// whose x and parameters come from the curve, and its last samples.
#include "app/PlotDriver.h"

#include <QRect>

namespace tessaly {

struct TPlotDriver::TKept {
    TKeptCurve Curve;
    TMathExpression Expression{"MEKept"};
    double X = 0;
    std::vector<TCurveSample> Samples;
    std::vector<bool> Breaks;
    QRect LegendBox; // in chart pixels; empty while not shown

    std::optional<double> ValueAt(double x)
    {
        X = x;
        try {
            return Expression.Evaluate().ToReal();
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
};

} // namespace tessaly
