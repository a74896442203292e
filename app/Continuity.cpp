#include "app/Continuity.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tessaly {

namespace {

int Sign(double v)
{
    return (v > 0) - (v < 0);
}

} // namespace

TContinuityTest::TContinuityTest(TCurveFunction function, double tolerance, double yLow,
                                 double yHigh)
    : FFunction(std::move(function)),
      FTolerance(std::isfinite(tolerance) ? std::fabs(tolerance) : 0),
      FLow(std::min(yLow, yHigh)), FHigh(std::max(yLow, yHigh))
{
}

bool TContinuityTest::Continuous(const TCurveSample& a, const TCurveSample& b)
{
    if (!a.Defined || !b.Defined)
        return false;
    int budget = PairBudget;
    return ContinuousOn(a.X, a.Y, b.X, b.Y, 0, 0, false, false, budget);
}

bool TContinuityTest::ContinuousOn(double a, double fa, double b, double fb, int depth, int flat,
                                   bool suspect, bool spread, int& budget)
{
    const double change = std::fabs(fb - fa);
    const double m = a / 2 + b / 2;
    if (!(m > a && m < b))
        return change <= FTolerance; // no double left between: what changes here jumps
    if (depth >= MaxDepth || budget <= 0)
        return false;
    --budget;
    ++FEvaluations;
    const std::optional<double> value = FFunction(m);
    if (!value || !std::isfinite(*value))
        return false;
    const double fm = *value;
    const double left = std::fabs(fm - fa), right = std::fabs(fb - fm);
    const double larger = std::max(left, right);
    if (larger <= FTolerance)
        return true;
    const bool between =
        fm >= std::min(fa, fb) - FTolerance && fm <= std::max(fa, fb) + FTolerance;
    if (!between) {
        // The function leaves the chart between the samples and comes back: a pole, or a
        // spike that a line between the samples would not show either.
        if (fm > FHigh + FTolerance || fm < FLow - FTolerance)
            return false;
        // An extremum or a pole lies inside: either half may hold it.
        return ContinuousOn(a, fa, m, fm, depth + 1, 0, true, false, budget) &&
               ContinuousOn(m, fm, b, fb, depth + 1, 0, true, false, budget);
    }
    // A continuous function is close to a line on a small enough interval: each half takes a
    // fair share of the change. A jump leaves nearly all of the change to one half, however
    // small. Inside an interval that holds an extremum or a pole, one such level is not enough
    // where the values leave the chart: a middle value may happen to lie between the ends on
    // either side of a pole.
    const bool spreads = larger <= 0.8 * change;
    auto seen = [&](double v) { return v >= FLow && v <= FHigh; };
    if (spreads && (!suspect || (seen(fa) && seen(fm) && seen(fb))))
        return true;
    if (spreads && spread)
        return true;
    // A step between two plateaus keeps one half exactly flat, level after level.
    flat = fm == fa || fm == fb ? flat + 1 : 0;
    if (flat >= FlatLevels)
        return false;
    return left >= right ? ContinuousOn(a, fa, m, fm, depth + 1, flat, suspect, spreads, budget)
                         : ContinuousOn(m, fm, b, fb, depth + 1, flat, suspect, spreads, budget);
}

bool TContinuityTest::Suspicious(std::span<const TCurveSample> s, size_t i) const
{
    const double d = s[i].Y - s[i - 1].Y;
    const bool hasBefore = i >= 2 && s[i - 2].Defined;
    const bool hasAfter = i + 1 < s.size() && s[i + 1].Defined;
    const double before = hasBefore ? s[i - 1].Y - s[i - 2].Y : 0;
    const double after = hasAfter ? s[i + 1].Y - s[i].Y : 0;
    if (std::fabs(d) <= FTolerance) {
        // A flat pair between a rise and a fall may hide a spike or an even pole.
        return hasBefore && hasAfter && Sign(before) * Sign(after) < 0 &&
               std::max(std::fabs(before), std::fabs(after)) > FTolerance;
    }
    // Inside the chart, a change like a neighbour's (the same way, at most half as large again)
    // belongs to a smooth curve, however coarsely sampled. Across a pole or a jump this pair's
    // change stands out from both neighbours' or goes the other way.
    auto inside = [&](size_t k) { return s[k].Y >= FLow && s[k].Y <= FHigh; };
    auto like = [&](double n) { return Sign(n) == Sign(d) && std::fabs(d) <= 1.5 * std::fabs(n); };
    if (hasBefore && hasAfter && (like(before) || like(after)) && inside(i - 2) &&
        inside(i - 1) && inside(i) && inside(i + 1))
        return false;
    // The pair runs on with its neighbours when both move the same way at a similar rate.
    const int direction = Sign(d);
    auto evenWith = [&](bool has, double neighbour) {
        return has && Sign(neighbour) == direction && std::fabs(d) <= 4 * std::fabs(neighbour);
    };
    const bool even = (evenWith(hasBefore, before) || !hasBefore) &&
                      (evenWith(hasAfter, after) || !hasAfter) && (hasBefore || hasAfter);
    return !even;
}

void TContinuityTest::FindBreaks(std::span<const TCurveSample> samples,
                                 std::vector<bool>& breakBefore)
{
    breakBefore.assign(samples.size(), false);
    if (samples.empty())
        return;
    breakBefore[0] = true;
    const int limit = FEvaluations + EvaluationsPerSample * static_cast<int>(samples.size());
    for (size_t i = 1; i < samples.size(); ++i) {
        const TCurveSample& a = samples[i - 1];
        const TCurveSample& b = samples[i];
        if (!a.Defined || !b.Defined) {
            breakBefore[i] = true;
            continue;
        }
        const bool unseen = (a.Y > FHigh && b.Y > FHigh) || (a.Y < FLow && b.Y < FLow);
        if (unseen || !Suspicious(samples, i))
            continue;
        // Past the budget the curve is drawn as sampled.
        if (FEvaluations >= limit)
            continue;
        breakBefore[i] = !Continuous(a, b);
    }
}

} // namespace tessaly
