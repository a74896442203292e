#include "app/PlotDriver.h"

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

double TPlotDriver::Sample(bool& error)
{
    try {
        return FExpression.Evaluate().ToReal();
    } catch (const std::exception& e) {
        error = true;
        const QString reason = ErrorReason(e.what());
        if (SetErrorText)
            SetErrorText(TranslateReason(reason));
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

void TPlotDriver::RecalcPlot()
{
    bool error = false;
    try {
        FExpression.SetExpression(FormulaText ? FormulaText().toStdString() : std::string());
    } catch (const std::exception&) {
        // A formula that cannot even be stored leaves the previous one in place.
    }
    FitLeftMargin();
    FChart.ClearItems();
    const double low = FChart.Scale1X()->RangeLow();
    const double high = FChart.Scale1X()->RangeHigh();
    const int width = DataWidth();
    const double step = width > 0 ? std::fabs(low - high) / width : 0.0;
    // Painting leaves the vector unit in a state that slows down the maths library a lot.
    ClearUpperVectorState();
    FSamples.clear();
    bool random = false;
    auto take = [&] {
        const double y = Sample(error);
        random = random || FExpression.DrewRandom();
        FSamples.push_back({CurrentX, y, !error});
    };
    CurrentX = low;
    take();
    // One sample per pixel column plus one, give or take the rounding of the running sum; a
    // step that no longer advances x, or a data area without width, ends the run.
    const size_t maxSamples = static_cast<size_t>(std::max(width, 0) + 2);
    while (high > CurrentX && !error && FSamples.size() < maxSamples) {
        const double next = CurrentX + step;
        if (!(next > CurrentX))
            break;
        CurrentX = next;
        take();
    }
    const double lastX = CurrentX;

    // Each sample is an item; where the curve breaks, the item moves instead of drawing.
    if (ContinuityTest && !random) {
        const double yLow = FChart.Scale1Y()->RangeLow(), yHigh = FChart.Scale1Y()->RangeHigh();
        TContinuityTest test([this](double x) { return ValueAt(x); }, PixelHeight(), yLow, yHigh);
        test.FindBreaks(FSamples, FBreaks);
    } else {
        FBreaks.assign(FSamples.size(), false);
    }
    for (size_t i = 0; i < FSamples.size(); ++i) {
        const TCurveSample& s = FSamples[i];
        if (i == 0 || FBreaks[i])
            FChart.MoveTo(s.X, s.Y);
        else
            FChart.DrawTo(s.X, s.Y);
    }
    CurrentX = lastX;
    FChart.ShowItems();
    if (SetErrorVisible)
        SetErrorVisible(error);
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
