#pragma once
// The numerical routines behind "ndint", "ndquant" and "nddens": the standard normal
// distribution through the regularized incomplete gamma function, its quantile by bisection,
// and its density. Intermediates are in extended precision, so large arguments give 0 or 1
// instead of overflowing on the way.

namespace tessaly {

// ln(Gamma(a)) by the six-term Lanczos series; 0 for a <= 0.
long double LnGamma(long double a);

// The regularized lower incomplete gamma function P(a, y) (series below a + 1, continued
// fraction above, both to a relative accuracy of 1e-8); 0 for y <= 0 or a <= 0.
long double IncompleteGammaP(long double a, long double y);

// Phi(x), the standard normal distribution function: NormalDistribution(0) is 0.5.
double NormalDistribution(double x);

// The z with Phi(z) = p for 0 < p < 1 (the caller checks the range): a rational start value,
// then bisection until Phi(z) is within a relative 1e-8 of p, at most NormalQuantileSteps
// halvings (the last midpoint is returned).
double NormalQuantile(double p);
constexpr int NormalQuantileSteps = 200;

// exp(-x^2/2) / sqrt(2 pi).
double NormalDensity(double x);

} // namespace tessaly
