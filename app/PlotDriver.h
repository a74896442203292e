#pragma once
// The plot driver: samples the formula once per pixel column across the chart's x range and hands
// the samples to the chart as one polyline; binds x and the parameters a to d; shows the first
// evaluation error's reason in the error line; and fits the chart's ranges to the function for
// the three range commands. The main window fills the seams with its controls.

#include "app/Continuity.h"
#include "expr/MathExpression.h"

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

class TCustomRChart;

class TPlotDriver {
public:
    TPlotDriver(TCustomRChart& chart, TMathExpression& expression);

    // Seams to the main window's controls.
    std::function<QString()> FormulaText;                // the formula box's text
    std::function<double(int index)> ParameterValue;     // a..d as 0..3: the labels' values
    std::function<void(const QString&)> SetErrorText;    // the error line's caption
    std::function<void(bool)> SetErrorVisible;           // the error line's visibility
    std::function<QString(const QString&)> Translate;    // the translation engine's look-up

    // The x at which the formula is evaluated next; kept after sampling.
    double CurrentX = 0;

    // Where the function jumps or has a pole between two samples, the later sample starts a
    // new piece of the curve (see TContinuityTest). Off, every sample is joined to the one
    // before; formulas that draw random numbers are always drawn so.
    bool ContinuityTest = true;

    // Redraws the curve in the chart's current ranges.
    void RecalcPlot();
    // The handler of the expression's variable requests: x, a, b, c, d in any letter case.
    void MEFuncVarRequest(TMathExpression& sender, std::string_view varName, TVariant& value);
    // x from -100 to 100, y fitted to the data.
    void Zoom111Click();
    // y fitted to the data over the current x range.
    void SButYScaleClick();
    // x from 1e-30 to 100, y fitted to the data.
    void SButZoom01Click();

    // The error line's text for an error message: the reason behind the component prefix, or
    // the whole message when it has none; at most 255 characters, without surrounding blanks.
    static QString ErrorReason(std::string_view message);

private:
    // The error line's translation of a reason.
    QString TranslateReason(const QString& reason) const;
    // The formula's value at CurrentX, or 0 with the error recorded.
    double Sample(bool& error);
    // The formula's value at CurrentX; 0 for any error.
    double SampleQuietly();
    // The formula's value at x, or nothing where it has none; CurrentX is kept.
    std::optional<double> ValueAt(double x);
    // The change of y that draws as one pixel of the chart's data area.
    double PixelHeight() const;
    // Widens the chart's left margin as far as the y labels need, or narrows it again, never
    // below the margin the chart had when the driver was made.
    void FitLeftMargin();
    // Samples from start in steps while the condition holds and sets layer 1 to the ranges.
    void FitRanges(double start, double step, double xLow, double xHigh, int maxSamples,
                   bool whileBelowHigh);
    int DataWidth() const;

    TCustomRChart& FChart;
    TMathExpression& FExpression;
    std::vector<TCurveSample> FSamples; // of the last RecalcPlot, kept for their storage
    std::vector<bool> FBreaks;
    int FDesignMarginLeft = 0;
    // What the left margin was last fitted for.
    struct TFitKey {
        double YLow = 0, YHigh = 0;
        int Height = -1, Top = 0, Bottom = 0, MarginLeft = 0;
        friend bool operator==(const TFitKey&, const TFitKey&) = default;
    };
    TFitKey FLastFit;
};

} // namespace tessaly
