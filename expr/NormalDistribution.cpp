#include "expr/NormalDistribution.h"

#include <cmath>

namespace tessaly {

namespace {

constexpr long double RelativeAccuracy = 1e-8L;

// 1 - P(a, y) by the continued fraction (for y >= a + 1), at most 99 steps. Returned as the
// complement itself, so a far tail keeps its digits instead of vanishing in 1 - P.
long double ContinuedFractionComplement(long double a, long double y)
{
    long double gOld = 0, g = 0;
    long double a0 = 1, a1 = y, b0 = 0, b1 = 1, fac = 1;
    for (int n = 1; n <= 99; ++n) {
        const long double an = n;
        const long double ana = an - a;
        a0 = (a1 + a0 * ana) * fac;
        b0 = (b1 + b0 * ana) * fac;
        const long double anf = an * fac;
        a1 = y * a0 + anf * a1;
        b1 = y * b0 + anf * b1;
        if (a1 != 0) {
            fac = 1 / a1;
            g = b1 * fac;
            if (std::fabs((g - gOld) / g) < RelativeAccuracy)
                break;
            gOld = g;
        }
    }
    return std::exp(a * std::log(y) - y - LnGamma(a)) * g;
}

// Phi(x) in extended precision: (1 + P)/2 for x > 0, (1 - P)/2 otherwise, with P = P(1/2, x^2/2).
long double Phi(long double x)
{
    const long double y = x * x / 2;
    if (!(y >= 0.5L + 1)) {
        const long double p = IncompleteGammaP(0.5L, y);
        return x > 0 ? (1 + p) / 2 : (1 - p) / 2;
    }
    const long double q = ContinuedFractionComplement(0.5L, y);
    return x > 0 ? 1 - q / 2 : q / 2;
}

} // namespace

long double LnGamma(long double a)
{
    if (a <= 0)
        return 0;
    static constexpr long double c[6] = {76.18009173L,   -86.50532033L,  24.01409822L,
                                         -1.231739516L,  0.120858003e-2L, -0.536382e-5L};
    long double ser = 1;
    for (int i = 0; i < 6; ++i)
        ser += c[i] / (a + i);
    return (a - 0.5L) * std::log(a + 4.5L) - (a + 4.5L) + std::log(2.5066282746310005L * ser);
}

long double IncompleteGammaP(long double a, long double y)
{
    if (y <= 0 || a <= 0)
        return 0;
    if (y < a + 1) {
        // Series. The terms fall geometrically once the divisor passes y, so the loop ends
        // within a few dozen steps; the bound is only a guard.
        long double divisor = a;
        long double term = 1 / a;
        long double sum = term;
        for (int n = 0; n < 10000; ++n) {
            divisor += 1;
            term = term * y / divisor;
            sum += term;
            if (std::fabs(term) < std::fabs(sum) * RelativeAccuracy)
                break;
        }
        return sum * std::exp(a * std::log(y) - y - LnGamma(a));
    }
    return 1 - ContinuedFractionComplement(a, y);
}

double NormalDistribution(double x)
{
    return static_cast<double>(Phi(x));
}

double NormalQuantile(double p)
{
    if (std::isnan(p))
        return p;
    // Start value by Abramowitz and Stegun 26.2.23. The tail probability is taken from p
    // directly: 1 - (1 - p) loses a small p to rounding and would take the logarithm of 0.
    const long double tail = p < 0.5 ? p : 1.0L - p;
    const long double sign = p < 0.5 ? -1 : 1;
    const long double t = std::sqrt(-2 * std::log(tail));
    const long double z0 =
        sign * (t - (2.515517L + 0.802853L * t + 0.010328L * t * t) /
                        (1 + 1.432788L * t + 0.189269L * t * t + 0.001308L * t * t * t));
    const double w = std::fmax(std::fabs(static_cast<double>(z0)), 0.1);
    double lower = static_cast<double>(z0) - 0.1 * w;
    double upper = static_cast<double>(z0) + 0.1 * w;
    double z = lower;
    for (int step = 0; step < NormalQuantileSteps; ++step) {
        z = (lower + upper) / 2;
        const long double f = Phi(z);
        if (f > p)
            upper = z;
        else
            lower = z;
        if (std::fabs(f - p) / p < RelativeAccuracy)
            break;
    }
    return z;
}

double NormalDensity(double x)
{
    const long double wide = x;
    return static_cast<double>(std::exp(-wide * wide / 2) * 0.3989422804014327L);
}

} // namespace tessaly
