// Functions at their boundaries, the power rule's kinds, floating-point faults and the normal
// distribution routines.
#include "ExprTestSupport.h"

#include "expr/NormalDistribution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tessaly {
namespace {

using test::ErrorOf;
using test::Eval;
using test::EvalReal;
using test::Reason;

constexpr double Pi = 3.14159265358979323846;

TEST(Functions, ValuesAtTheBoundaries)
{
    struct Case {
        const char* text;
        double x;
        double value;
    };
    const Case cases[] = {
        {"sin x", 1e19, 0},          {"cos x", -1e19, 0},   // from 2^63 on: 0
        {"sin x", 9.2e18, std::sin(9.2e18)},                {"arccos x", -1, Pi},
        {"arctan x", 1e300, Pi / 2}, {"exp x", -1000, 0},   // underflow is silent
        {"lg x", 1e-5, -5},          {"frac x", 2.75, 0.75}, {"int x", -2.75, -2},
        {"round x", -1e18, -1e18},   {"sign x", -0.0, 1},    {"sign x", -1e-300, -1},
        {"x#1e12", 1e15 + 7, 7},     // divisors beyond 32 bits are used as they are
        {"5#1.5", 0, 1},             // 1.5 rounds to 2
    };
    for (const Case& c : cases)
        EXPECT_EQ(EvalReal(c.text, c.x), c.value) << c.text << " at x = " << c.x;

    struct Error {
        const char* text;
        const char* reason;
    };
    // Zero in every kind is zero; # rounds its divisor first (0.5 to the even 0).
    for (const Error& e : {Error{"sqrt(-1e-300)", "invalid argument of square root"},
                           Error{"x/(0^0-1)", "division by zero"}, Error{"x/false", "division by zero"},
                           Error{"x/(sign(1)-1)", "division by zero"},
                           Error{"5#(-3)", "modulo argument must not be zero or negative"},
                           Error{"5#0.5", "modulo argument must not be zero or negative"}})
        EXPECT_EQ(ErrorOf(e.text, 5), Reason(e.reason)) << e.text;
}

TEST(Functions, PowerRule)
{
    struct Case {
        const char* text;
        TVariant value;
    };
    const Case cases[] = {
        {"2^0", TVariant::SmallInt(1)},   {"0^(-1)", TVariant::SmallInt(0)},
        {"(-2)^3", TVariant(-8.0)},       {"(-2)^(-1)", TVariant(-0.5)},
        {"2^10", TVariant(1024.0)},       {"10^-2", TVariant(0.01)},
        {"9^0.5", TVariant(3.0)},         {"(-1)^round(3)", TVariant(-1.0)},
        {"2^sign(1)", TVariant(2.0)},     // a fixed-point exponent does not round ln 2
        {"(-2)^sign(1)", TVariant(-2.0)}, {"2^-2000", TVariant(0.0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval(c.text), c.value) << c.text;
    EXPECT_NEAR(EvalReal("2^0.5"), std::sqrt(2.0), 4e-16);
    for (const char* text : {"(-1)^1e300", "(-0.5)^1e300"})   // odd or even beyond 64 bits
        EXPECT_EQ(ErrorOf(text), "Invalid floating point operation") << text;
    EXPECT_EQ(ErrorOf("(-10)^401"), "Floating point overflow");
}

TEST(Functions, FloatingPointFaults)
{
    struct Case {
        const char* text;
        double x;
        const char* message;
    };
    const Case cases[] = {
        {"x*10", 1e308, "Floating point overflow"},   {"-x-x", 1.7e308, "Floating point overflow"},
        {"sqr x", 1e200, "Floating point overflow"},  {"x/1e-10", 1e300, "Floating point overflow"},
        {"10^400", 0, "Floating point overflow"},     {"round x", -9.3e18, "Invalid floating point operation"},
        {"x#3", 1e19, "Invalid floating point operation"},
        {"3#x", 1e19, "Invalid floating point operation"},
        {"tan x", -9223372036854775808.0, "tangens overflow"},
    };
    for (const Case& c : cases) {
        try {
            Eval(c.text, c.x);
            ADD_FAILURE() << c.text << " gave no error";
        } catch (const EMathError& error) {
            EXPECT_STREQ(error.what(), c.message) << c.text;
        }
    }
    // Underflow is silent; extended intermediates keep these finite.
    EXPECT_DOUBLE_EQ(EvalReal("x/1e10", 1e-310), 1e-320);
    EXPECT_EQ(EvalReal("nddens x", 1e200), 0);
    EXPECT_EQ(EvalReal("ndint x", 1e300), 1);
    EXPECT_EQ(EvalReal("ndint x", -1e300), 0);
}

// Values a handler may hand over that no literal can produce pass through an operation as IEEE
// arithmetic passes them; only new faults raise.
TEST(Functions, NonFiniteHandlerValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(EvalReal("x+1", inf), inf);
    EXPECT_TRUE(std::isnan(EvalReal("x*2", nan)));
    for (const char* text : {"x-x", "sin x"})
        EXPECT_EQ(ErrorOf(text, inf), "Invalid floating point operation") << text;
    for (const char* text : {"x>0", "round x", "sign x"})
        EXPECT_EQ(ErrorOf(text, nan), "Invalid floating point operation") << text;
    EXPECT_EQ(ErrorOf("sign(1)*x", inf), "Floating point overflow");
}

TEST(NormalDistribution, ReferenceValues)
{
    struct Case {
        double x;
        double phi;
    };
    // The series below |x| = sqrt(3), the continued fraction above.
    for (const Case& c : {Case{0, 0.5}, Case{1, 0.841344746069}, Case{-1, 0.158655253931},
                          Case{0.5, 0.691462461274}, Case{1.7, 0.955434537241},
                          Case{1.8, 0.964069680887}, Case{1.96, 0.975002104852},
                          Case{2, 0.977249868052}, Case{-3, 0.001349898032},
                          Case{5, 0.999999713348}, Case{-8, 6.2209605743e-16}})
        EXPECT_NEAR(NormalDistribution(c.x), c.phi, 1e-9) << c.x;

    struct Quantile {
        double p, z, tolerance;
    };
    for (const Quantile& q : {Quantile{0.975, 1.959963985, 5e-6}, Quantile{0.025, -1.959963985, 5e-6},
                              Quantile{0.5, 0, 1e-7}, Quantile{0.999, 3.090232306, 1e-5},
                              Quantile{1e-6, -4.753424309, 1e-4}})
        EXPECT_NEAR(NormalQuantile(q.p), q.z, q.tolerance) << q.p;

    EXPECT_DOUBLE_EQ(NormalDensity(1), 0.24197072451914337);
    EXPECT_NEAR(static_cast<double>(LnGamma(0.5L)), 0.5723649429247001, 1e-9);
    EXPECT_NEAR(static_cast<double>(LnGamma(5)), std::log(24.0), 1e-9);
    EXPECT_EQ(LnGamma(0), 0);
    EXPECT_NEAR(static_cast<double>(IncompleteGammaP(1, 2)), 1 - std::exp(-2.0), 1e-9);
}

// Far tails are computed as tails, so the bisection reaches its accuracy there too; and it ends
// in any case.
TEST(NormalDistribution, QuantileOfTinyProbabilities)
{
    struct Case {
        double p, z;
    };
    for (const Case& c : {Case{1e-12, -7.0344838253}, Case{1e-300, -37.0470962994},
                          Case{5e-324, -38.4674056171}})
        EXPECT_NEAR(NormalQuantile(c.p), c.z, 1e-5) << c.p;
    // Near 1 the relative stopping test is loose: 1e-8 of p is much more than the tail.
    EXPECT_NEAR(NormalQuantile(1 - 1e-12), 7.0344838253, 1e-3);
    EXPECT_NEAR(NormalDistribution(-10), 7.619853024e-24, 1e-32);
    EXPECT_NEAR(EvalReal("ndquant x", 1e-300), -37.0470962994, 1e-5);
}

} // namespace
} // namespace tessaly
