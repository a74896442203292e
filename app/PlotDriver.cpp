#include "app/PlotDriver.h"

#include "app/KeptCurve.h"

#include "base/ComponentMessage.h"
#include "base/Errors.h"
#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "expr/CpuState.h"
#include "scale/Scale.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace tessaly {

namespace {
// The range commands' fixed runs take about 1000 samples; the bound only guards the loop.
constexpr int FixedRunLimit = 1100;
} // namespace

TPlotDriver::TPlotDriver(TCustomRChart& chart, TMathExpression& expression)
    : FChart(chart), FExpression(expression), FDesignMarginLeft(chart.MarginLeft())
{
    FExpression.OnVarRequest = [this](TMathExpression& sender, std::string_view name, TVariant& value) {
        MEFuncVarRequest(sender, name, value);
    };
}

int TPlotDriver::DataWidth() const
{
    return FChart.width() - FChart.MarginLeft() - FChart.MarginRight();
}

QString TPlotDriver::ErrorReason(std::string_view message)
{
    const std::string_view text = ComponentReason(message).substr(0, 255);
    QString reason = QString::fromUtf8(text.data(), qsizetype(text.size()));
    // Only blanks are trimmed, as the message form has them.
    qsizetype b = 0, e = reason.size();
    while (b < e && reason[b] == ' ')
        ++b;
    while (e > b && reason[e - 1] == ' ')
        --e;
    return reason.mid(b, e - b);
}

QString TPlotDriver::TranslateReason(const QString& reason) const
{
    if (!Translate)
        return reason;
    // A name in double quotes is translated through the key with <%1%> in its place, the name
    // going back in as the key's parameter: undefined variable "y" is looked up as
    // undefined variable "<%1%>". Without such a key the whole reason is looked up.
    const qsizetype open = reason.indexOf('"'), close = reason.lastIndexOf('"');
    if (open >= 0 && close > open) {
        const QString key = reason.left(open + 1) + "<%1%>" + reason.mid(close);
        QString translated = Translate(key);
        if (translated != key)
            return translated.replace("<%1%>", reason.mid(open + 1, close - open - 1),
                                      Qt::CaseInsensitive);
    }
    return Translate(reason);
}

void TPlotDriver::MEFuncVarRequest(TMathExpression&, std::string_view varName, TVariant& value)
{
    if (varName.size() == 1) {
        switch (varName[0] | 0x20) {  // ASCII letters fold to lower case
        case 'x': value.SetReal(CurrentX); return;
        case 'a': value.SetReal(ParameterValue ? ParameterValue(0) : 0.0); return;
        case 'b': value.SetReal(ParameterValue ? ParameterValue(1) : 0.0); return;
        case 'c': value.SetReal(ParameterValue ? ParameterValue(2) : 0.0); return;
        case 'd': value.SetReal(ParameterValue ? ParameterValue(3) : 0.0); return;
        default: break;
        }
    }
    value.SetNull();  // "undefined variable"
}

double TPlotDriver::Sample(bool& failed, bool report)
{
    try {
        return FExpression.Evaluate().ToReal();
    } catch (const std::exception& e) {
        failed = true;
        if (report && SetErrorText)
            SetErrorText(TranslateReason(ErrorReason(e.what())));
        return 0;
    }
}

double TPlotDriver::SampleQuietly()
{
    try {
        return FExpression.Evaluate().ToReal();
    } catch (const std::exception&) {
        return 0;
    }
}

double TPlotDriver::SampleAcross(double low, double high,
                                 const std::function<std::optional<double>(double)>& value,
                                 std::vector<TCurveSample>& samples) const
{
    const int width = DataWidth();
    const double step = width > 0 ? std::fabs(low - high) / width : 0.0;
    samples.clear();
    bool failed = false;
    auto take = [&](double x) {
        const std::optional<double> y = value(x);
        failed = !y;
        // A sample without a value is an item too, at y = 0; it starts no line.
        samples.push_back({x, y.value_or(0.0), y.has_value()});
    };
    double x = low;
    take(x);
    // One sample per pixel column plus one, give or take the rounding of the running sum; a
    // step that no longer advances x, or a data area without width, ends the run.
    const size_t maxSamples = static_cast<size_t>(std::max(width, 0) + 2);
    while (high > x && (!failed || DrawWhereDefined) && samples.size() < maxSamples) {
        const double next = x + step;
        if (!(next > x))
            break;
        x = next;
        take(x);
    }
    return x;
}

void TPlotDriver::FindBreaks(const std::vector<TCurveSample>& samples,
                             const std::function<std::optional<double>(double)>& value,
                             bool random, std::vector<bool>& breaks) const
{
    if (ContinuityTest && !random) {
        const double yLow = FChart.Scale1Y()->RangeLow(), yHigh = FChart.Scale1Y()->RangeHigh();
        TContinuityTest test(value, PixelHeight(), yLow, yHigh);
        test.FindBreaks(samples, breaks);
        return;
    }
    // Joined as they come, except where a sample has no value.
    breaks.assign(samples.size(), false);
    for (size_t i = 1; i < samples.size(); ++i)
        breaks[i] = !samples[i].Defined || !samples[i - 1].Defined;
}

void TPlotDriver::AppendCurve(const std::vector<TCurveSample>& samples,
                              const std::vector<bool>& breaks)
{
    for (size_t i = 0; i < samples.size(); ++i) {
        const TCurveSample& s = samples[i];
        if (i == 0 || breaks[i])
            FChart.MoveTo(s.X, s.Y);
        else
            FChart.DrawTo(s.X, s.Y);
    }
}

void TPlotDriver::RecalcPlot()
{
    try {
        FExpression.SetExpression(FormulaText ? FormulaText().toStdString() : std::string());
    } catch (const std::exception&) {
        // A formula that cannot even be stored leaves the previous one in place.
    }
    FitLeftMargin();
    SampleKeptCurves();
    FChart.ClearItems();
    AppendKeptCurves();

    // Painting leaves the vector unit in a state that slows down the maths library a lot.
    ClearUpperVectorState();
    bool error = false;
    bool random = false;
    const double lastX = SampleAcross(
        FChart.Scale1X()->RangeLow(), FChart.Scale1X()->RangeHigh(),
        [&](double x) -> std::optional<double> {
            CurrentX = x;
            bool failed = false;
            const double y = Sample(failed, !error);  // the first error reaches the error line
            random = random || FExpression.DrewRandom();
            error = error || failed;
            return failed ? std::nullopt : std::optional<double>(y);
        },
        FSamples);
    // Each sample is an item; where the curve breaks, the item moves instead of drawing.
    FindBreaks(FSamples, [this](double x) { return ValueAt(x); }, random, FBreaks);
    AppendCurve(FSamples, FBreaks);
    CurrentX = lastX;
    PlaceLegend();
    FChart.ShowItems();
    if (SetErrorVisible)
        SetErrorVisible(error);
    if (Redrawn)
        Redrawn();
}

std::optional<double> TPlotDriver::ValueAt(double x)
{
    const double kept = CurrentX;
    CurrentX = x;
    std::optional<double> value;
    try {
        value = FExpression.Evaluate().ToReal();
    } catch (const std::exception&) {
    }
    CurrentX = kept;
    return value;
}

void TPlotDriver::FitLeftMargin()
{
    // Labels keep this many pixels from the chart's left edge.
    constexpr int Padding = 2;
    // The labels depend on the y range and the data area's height only: a parameter step that
    // changes neither needs no new measure.
    const TFitKey key{FChart.Scale1Y()->RangeLow(), FChart.Scale1Y()->RangeHigh(), FChart.height(),
                      FChart.MarginTop(), FChart.MarginBottom(), FChart.MarginLeft()};
    if (key == FLastFit)
        return;
    const TScale* scale = FChart.ScaleControlY(1);
    const QRect labels = scale ? scale->LabelBounds() : QRect();
    int margin = FDesignMarginLeft;
    if (!labels.isEmpty())
        margin = std::max(margin, FChart.MarginLeft() + Padding - labels.left());
    if (margin != FChart.MarginLeft())
        FChart.SetMarginLeft(margin);
    // Unmeasured while the chart is loading: measured again at the next redraw.
    FLastFit = labels.isEmpty() ? TFitKey{} : TFitKey{key.YLow, key.YHigh, key.Height, key.Top,
                                                     key.Bottom, FChart.MarginLeft()};
}

double TPlotDriver::PixelHeight() const
{
    const TChartGeometry g = FChart.Geometry();
    const double span = std::fabs(FChart.Scale1Y()->RangeHigh() - FChart.Scale1Y()->RangeLow());
    return g.DataHeight() > 0 ? span / g.DataHeight() : span;
}

void TPlotDriver::FitRanges(double start, double step, double xLow, double xHigh, int maxSamples,
                            bool whileBelowHigh)
{
    ClearUpperVectorState();
    double min = 1e100, max = -1e100;
    int samples = 0;
    CurrentX = start;
    // whileBelowHigh: "while CurrentX < xHigh"; otherwise "while xHigh > CurrentX" (the same
    // test; both spellings stop on NaN).
    while ((whileBelowHigh ? CurrentX < xHigh : xHigh > CurrentX) && samples < maxSamples) {
        const double next = CurrentX + step;
        if (!(next > CurrentX))
            break;
        CurrentX = next;
        const double y = SampleQuietly();
        if (!(y >= min))
            min = y;
        if (y > max)
            max = y;
        ++samples;
    }
    if (samples > 0) {
        // The margin of 2 % of the span; a span beyond the double range is taken in halves.
        const double span = std::fabs(max - min);
        const double m = std::isfinite(span) ? 0.02 * span : 0.02 * max - 0.02 * min;
        FChart.SetRange(1, xLow, min - m, xHigh, max + m);
    }
    RecalcPlot();
}

void TPlotDriver::Zoom111Click()
{
    FitRanges(-100, 0.2, -100, 100, FixedRunLimit, true);
}

void TPlotDriver::SButYScaleClick()
{
    const double low = FChart.Scale1X()->RangeLow();
    const double high = FChart.Scale1X()->RangeHigh();
    const int width = DataWidth();
    if (width <= 0) {
        RecalcPlot();
        return;
    }
    FitRanges(low, std::fabs(high - low) / width, low, high, width + 2, false);
}

void TPlotDriver::SButZoom01Click()
{
    FitRanges(1e-30, 0.1, 1e-30, 100, FixedRunLimit, true);
}

} // namespace tessaly
