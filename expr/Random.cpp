#include "expr/Random.h"

#include <chrono>
#include <cmath>
#include <random>

namespace tessaly {

namespace {

std::uint64_t ClockState()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(now) ^ (static_cast<std::uint64_t>(steady) << 32);
}

std::mt19937_64& Generator()
{
    static std::mt19937_64 generator(ClockState());
    return generator;
}

// Taken when the program starts, so the first formula does not pay for it.
[[maybe_unused]] const bool GeneratorStarted = (Generator(), true);

bool ReserveHeld = false;
double Reserve = 0;

} // namespace

double UniformRandom()
{
    // The top 53 bits give every multiple of 2^-53 in [0, 1) with equal chance.
    return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

double GaussRandom()
{
    if (ReserveHeld) {
        ReserveHeld = false;
        return Reserve;
    }
    ReserveHeld = true;
    double u1, u2, s;
    do {
        u1 = 2 * UniformRandom() - 1;
        u2 = 2 * UniformRandom() - 1;
        s = u1 * u1 + u2 * u2;
    } while (s >= 1 || s == 0);   // s = 0 would take the logarithm of 0
    const double f = std::sqrt(-2 * std::log(s) / s);
    Reserve = u1 * f;
    return u2 * f;
}

void SetUniformRandomState(std::uint64_t state)
{
    Generator() = std::mt19937_64(state);
}

void ClearGaussReserve()
{
    ReserveHeld = false;
    Reserve = 0;
}

} // namespace tessaly
