#pragma once
// The plot driver: samples the formula once per pixel column across the chart's x range and hands
// the samples to the chart as one polyline; binds x and the parameters a to d; shows the first
// evaluation error's reason in the error line; and fits the chart's ranges to the function for
// the three range commands. The main window fills the seams with its controls.

#include "app/Continuity.h"
#include "expr/MathExpression.h"
#include "gfx/Colors.h"

#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

class TCustomRChart;

class TPlotDriver {
public:
    TPlotDriver(TCustomRChart& chart, TMathExpression& expression);
    ~TPlotDriver();

    // Seams to the main window's controls.
    std::function<QString()> FormulaText;                // the formula box's text
    std::function<double(int index)> ParameterValue;     // a..d as 0..3: the labels' values
    std::function<void(const QString&)> SetErrorText;    // the error line's caption
    std::function<void(bool)> SetErrorVisible;           // the error line's visibility
    std::function<QString(const QString&)> Translate;    // the translation engine's look-up
    std::function<void()> Redrawn;                       // after each RecalcPlot

    // The x at which the formula is evaluated next; kept after sampling.
    double CurrentX = 0;

    // Where the function jumps or has a pole between two samples, the later sample starts a
    // new piece of the curve (see TContinuityTest). Off, every sample is joined to the one
    // before; formulas that draw random numbers are always drawn so.
    bool ContinuityTest = true;

    // On, the curve goes on after an evaluation error: the samples without a value leave a
    // gap, and the error line still shows the first error. Off, the curve ends there.
    bool DrawWhereDefined = false;

    // Redraws the kept curves and the curve in the chart's current ranges.
    void RecalcPlot();

    // Curves kept to compare with, drawn pale under the live curve and named in a legend of
    // the chart's text labels (the last MaxKeptCurves labels). Each is sampled with its own
    // formula and parameters, again whenever the ranges or the chart's size change.
    static constexpr int MaxKeptCurves = 8;
    struct TKeptCurve {
        QString Formula;
        std::array<double, 4> Parameters{};
        TColor Color = 0;       // the pale colour of the curve
        TColor LegendColor = 0; // the darker twin its legend is written in
    };
    // Keeps a curve; the oldest goes when MaxKeptCurves are kept already. False, and nothing
    // kept, when the formula cannot be read.
    bool KeepCurve(const QString& formula, const std::array<double, 4>& parameters);
    // Keeps the live curve: the formula box's text and the current parameters.
    bool KeepCurrentCurve();
    void ClearKeptCurves();
    std::vector<TKeptCurve> KeptCurves() const;
    // The text that names kept curve i: its formula and parameter values.
    QString KeptCurveText(size_t i) const;
    // The kept curve drawn within `pixels` of the chart pixel p, nearest first; -1 when none.
    int KeptCurveAt(QPoint p, int pixels) const;

    // The left margin the chart keeps at least; the labels may widen it.
    int DesignMarginLeft() const { return FDesignMarginLeft; }
    void SetDesignMarginLeft(int pixels)
    {
        FDesignMarginLeft = pixels;
        FLastFit = {};
    }

    // The live curve's samples of the last redraw, and where it breaks before each.
    const std::vector<TCurveSample>& Samples() const { return FSamples; }
    const std::vector<bool>& Breaks() const { return FBreaks; }

    // The formula's value at x, or nothing where it has none; quiet, CurrentX is kept.
    std::optional<double> ValueAt(double x);
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
    struct TKept;
    // The formula's value at CurrentX, or 0 with failed set and, when report is set, the
    // error's reason in the error line.
    double Sample(bool& failed, bool report);
    // The formula's value at CurrentX; 0 for any error.
    double SampleQuietly();
    // Samples across the x range from low in steps of the data width's pixel columns, with
    // `value` giving a sample's y or nothing; ends after the first sample without a value
    // unless DrawWhereDefined. Returns the x after the last step.
    double SampleAcross(double low, double high, const std::function<std::optional<double>(double)>& value,
                        std::vector<TCurveSample>& samples) const;
    // Marks where the samples' curve breaks, evaluating between samples with `value`.
    void FindBreaks(const std::vector<TCurveSample>& samples,
                    const std::function<std::optional<double>(double)>& value, bool random,
                    std::vector<bool>& breaks) const;
    // Appends the samples as items: a move-to where the curve breaks, a draw-to elsewhere.
    void AppendCurve(const std::vector<TCurveSample>& samples, const std::vector<bool>& breaks);
    // Appends the kept curves' items in their colours.
    void AppendKeptCurves();
    // Samples the kept curves again when the ranges or the data area changed since.
    void SampleKeptCurves();
    // The legend's labels: one per kept curve at the data area's top right, the rest off.
    void PlaceLegend();
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
    std::vector<std::unique_ptr<TKept>> FKept;
    int FKeptColors = 0; // colours handed out so far: each new curve takes the next
    // What the kept curves were sampled for.
    struct TSampleKey {
        double XLow = 0, XHigh = 0, YLow = 0, YHigh = 0;
        int Width = -1, Height = -1;
        bool WhereDefined = false;
        friend bool operator==(const TSampleKey&, const TSampleKey&) = default;
    };
    TSampleKey FKeptKey;
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
