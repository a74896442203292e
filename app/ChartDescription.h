#pragma once
// The chart told in words, for a screen reader and for --describe: the formula, the visible
// ranges, where the curve crosses y = 0, its highest and lowest values, the kept curves, the
// error and the crosshair. Every sentence is a text of the language file.

#include "app/Continuity.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace tessaly {

class TCustomRChart;
class TPlotDriver;

// What the samples of a curve show.
struct TCurveFacts {
    bool AnyValue = false;
    int Crossings = 0;                 // of y = 0, where the curve runs on without a break
    double FirstCrossing = 0, LastCrossing = 0;
    double MaxX = 0, MaxY = 0, MinX = 0, MinY = 0;
};

// The facts of samples joined as `breaks` says (a break before sample i ends a piece).
TCurveFacts CurveFacts(std::span<const TCurveSample> samples, const std::vector<bool>& breaks);

// A number as the description says it: three significant digits.
QString SpokenNumber(double v);

using TTranslate = std::function<QString(const QString& text, const QStringList& params)>;

struct TChartState {
    QString Formula;
    std::optional<QString> ErrorReason; // with the x where it arose
    double ErrorX = 0;
    bool CrossHairVisible = true;
};

// The description of the chart as the driver last drew it.
QString DescribeChart(const TPlotDriver& driver, const TCustomRChart& chart,
                      const TChartState& state, const TTranslate& translate);

} // namespace tessaly
