#pragma once
// The continuity test of a sampled curve: between two neighbouring samples a function may run on
// continuously, or jump or pass a pole, and a line joining the samples would then show values the
// function never takes. The test looks at the samples' neighbours first and evaluates the
// function between two samples only where their neighbours do not vouch for a smooth run, then
// bisects toward the larger change until the change spreads over both halves (continuous) or
// stays in one ever narrower half (a jump or a pole). Pure logic: the function comes as a callback.

#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace tessaly {

// A sample of a curve; Defined is false where the formula had no value (an evaluation error).
struct TCurveSample {
    double X = 0;
    double Y = 0;
    bool Defined = true;
};

// The function's value at x, or nothing where it has none. Must not throw.
using TCurveFunction = std::function<std::optional<double>(double x)>;

class TContinuityTest {
public:
    // Bisections of one pair at most; past that the change counts as a jump.
    static constexpr int MaxDepth = 24;
    // A change that stays in one half whose other half is exactly flat this many times is a
    // step between two plateaus (round, int, sign, comparisons).
    static constexpr int FlatLevels = 3;
    // Evaluations between one pair of samples at most.
    static constexpr int PairBudget = 3 * MaxDepth;
    // Extra evaluations per sample of a curve at most, over the whole curve.
    static constexpr int EvaluationsPerSample = 8;

    // tolerance: the change of y that draws as at most a pixel; yLow..yHigh: the visible y
    // range (either way round). A pair of samples both above it or both below it draws nothing
    // that could be seen, and is not tested.
    TContinuityTest(TCurveFunction function, double tolerance,
                    double yLow = -std::numeric_limits<double>::infinity(),
                    double yHigh = std::numeric_limits<double>::infinity());

    // Whether the function is continuous between the samples a and b (a.X < b.X). Undefined
    // samples and undefined values between them are breaks.
    bool Continuous(const TCurveSample& a, const TCurveSample& b);

    // For every sample, whether the curve breaks before it (the first sample always starts a
    // piece). Samples whose neighbours rise or fall evenly with them join without evaluations.
    void FindBreaks(std::span<const TCurveSample> samples, std::vector<bool>& breakBefore);

    // Evaluations the test has made so far.
    int Evaluations() const { return FEvaluations; }

private:
    // The bisection on [a, b]: toward the larger change while the middle value lies between
    // the ends, into both halves where it does not (an extremum or a pole inside).
    // flat counts the levels in a row with an exactly flat half; suspect tells that an interval
    // above held an extremum or a pole; spread that the level above shared its change between
    // its halves.
    bool ContinuousOn(double a, double fa, double b, double fb, int depth, int flat, bool suspect,
                      bool spread, int& budget);
    // Whether the pair ending at sample i needs evaluations between its samples.
    bool Suspicious(std::span<const TCurveSample> samples, size_t i) const;

    TCurveFunction FFunction;
    double FTolerance;
    double FLow, FHigh;
    int FEvaluations = 0;
};

} // namespace tessaly
