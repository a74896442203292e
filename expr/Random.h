#pragma once
// The program-wide random numbers of "rand" and "gauss": one uniform generator, started from
// the clock when the program starts, and the reserve value of the Gaussian polar method. Both
// are shared by every expression component, on the one GUI thread, without locking.

#include <cstdint>

namespace tessaly {

// A uniform random number in [0, 1).
double UniformRandom();

// A standard normal random number by the polar method; every second call returns the value
// kept in reserve by the call before.
double GaussRandom();

// Test hooks: restart the uniform generator from a given state, and drop the Gaussian reserve.
void SetUniformRandomState(std::uint64_t state);
void ClearGaussReserve();

} // namespace tessaly
