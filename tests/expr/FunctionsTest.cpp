// Functions, their domain errors, the power rule, floating-point faults and the normal
// distribution routines.
#include "ExprTestSupport.h"

#include "expr/SpecialFunctions.h"

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

TEST(Functions, Values)
{
    struct Case {
        const char* text;
        double x;
        double value;
    };
    const Case cases[] = {
        {"sin x", 1, std::sin(1.0)},
        {"cos x", 1, std::cos(1.0)},
        {"sin x", 1e19, 0},          // from 2^63 on sine and cosine are 0
        {"cos x", -1e19, 0},
        {"sin x", 9.2e18, std::sin(9.2e18)},
        {"tan x", 1, std::sin(1.0) / std::cos(1.0)},
        {"arcsin x", 1, Pi / 2},
        {"arccos x", -1, Pi},
        {"arctan x", 1e300, Pi / 2},
        {"abs x", -0.5, 0.5},
        {"sqrt x", 2, std::sqrt(2.0)},
        {"sqr x", -3, 9},
        {"exp x", 1, std::exp(1.0)},
        {"exp x", -1000, 0},         // underflow is silent
        {"ln x", 1e-300, std::log(1e-300)},
        {"lg x", 1e-5, -5},
        {"frac x", -1.5, -0.5},
        {"frac x", 2.75, 0.75},
        {"int x", -2.75, -2},
        {"round x", 0.5, 0},
        {"round x", 1.5, 2},
        {"round x", -0.5, 0},
        {"round x", -2.5, -2},
        {"round x", 3.5, 4},
        {"round x", -1e18, -1e18},
        {"sign x", 0, 1},
        {"sign x", -0.0, 1},
        {"sign x", -1e-300, -1},
        {"7#3", 0, 1},
        {"-7#3", 0, -1},
        {"7.6#2.5", 0, 0},           // 8 mod 2
        {"x#1e12", 1e15 + 7, 7},     // divisors beyond 32 bits are used as they are
        {"1e-320*1e-10", 0, 0},
    };
    for (const Case& c : cases) {
        try {
            EXPECT_EQ(EvalReal(c.text, c.x), c.value) << c.text << " at x = " << c.x;
        } catch (const std::exception& error) {
            ADD_FAILURE() << c.text << " at x = " << c.x << ": " << error.what();
        }
    }
}

TEST(Functions, PowerRule)
{
    struct Case {
        const char* text;
        TVariant value;
    };
    const Case cases[] = {
        {"0^0", TVariant::SmallInt(1)},
        {"0^(-1)", TVariant::SmallInt(0)},
        {"(-2)^3", TVariant(-8.0)},
        {"(-2)^2", TVariant(4.0)},
        {"(-2)^(-1)", TVariant(-0.5)},
        {"2^10", TVariant(1024.0)},
        {"10^-2", TVariant(0.01)},
        {"9^0.5", TVariant(3.0)},
        {"(-1)^round(3)", TVariant(-1.0)},
        {"2^sign(1)", TVariant(2.0)},          // a fixed-point exponent does not round ln 2
        {"(-2)^sign(1)", TVariant(-2.0)},
        {"2^-2000", TVariant(0.0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval(c.text), c.value) << c.text;
    EXPECT_NEAR(EvalReal("2^0.5"), std::sqrt(2.0), 4e-16);
    EXPECT_EQ(ErrorOf("(-8)^(1/3)"),
              Reason("non-integer power of negative number cannot be calculated"));
    for (const char* text : {"(-1)^1e300", "(-0.5)^1e300"})   // an odd or even beyond 64 bits
        EXPECT_EQ(ErrorOf(text), "Invalid floating point operation") << text;
    EXPECT_EQ(ErrorOf("10^400"), "Floating point overflow");
    EXPECT_EQ(ErrorOf("(-10)^401"), "Floating point overflow");
}

TEST(Functions, DomainErrors)
{
    struct Case {
        const char* text;
        double x;
        const char* reason;
    };
    const Case cases[] = {
        {"arcsin x", 1.0000001, "invalid argument of arcsin"},
        {"arcsin x", -1.0000001, "invalid argument of arcsin"},
        {"arccos x", 2, "invalid argument of arccos"},
        {"ndquant x", 0, "invalid argument of normal distribution quantile"},
        {"ndquant x", 1, "invalid argument of normal distribution quantile"},
        {"ndquant x", -0.5, "invalid argument of normal distribution quantile"},
        {"ln x", 0, "invalid argument of logarithm"},
        {"lg x", -1, "invalid argument of logarithm"},
        {"sqrt x", -1e-300, "invalid argument of square root"},
        {"x/0", 0, "division by zero"},
        {"x/0", 5, "division by zero"},
        {"x/(0^0-1)", 5, "division by zero"},
        {"x/false", 5, "division by zero"},
        {"x/(sign(1)-1)", 5, "division by zero"},
        {"5#0.4", 0, "modulo argument must not be zero or negative"},
        {"5#(-3)", 0, "modulo argument must not be zero or negative"},
        {"5#0.5", 0, "modulo argument must not be zero or negative"},   // 0.5 rounds to 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.text, c.x), Reason(c.reason)) << c.text << " at x = " << c.x;
    EXPECT_DOUBLE_EQ(EvalReal("5#1.5"), 1);   // 1.5 rounds to 2
}

TEST(Functions, FloatingPointFaults)
{
    struct Case {
        const char* text;
        double x;
        const char* message;
    };
    const Case cases[] = {
        {"exp(1000)", 0, "Floating point overflow"},
        {"x*10", 1e308, "Floating point overflow"},
        {"x+x", 1.7e308, "Floating point overflow"},
        {"-x-x", 1.7e308, "Floating point overflow"},
        {"sqr x", 1e200, "Floating point overflow"},
        {"x/1e-10", 1e300, "Floating point overflow"},
        {"round x", 1e19, "Invalid floating point operation"},
        {"round x", -9.3e18, "Invalid floating point operation"},
        {"x#3", 1e19, "Invalid floating point operation"},
        {"3#x", 1e19, "Invalid floating point operation"},
        {"tan x", 1e19, "tangens overflow"},
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
    // Underflow and inexact results are silent; extended intermediates keep these finite.
    EXPECT_DOUBLE_EQ(EvalReal("x/1e10", 1e-310), 1e-320);
    EXPECT_EQ(EvalReal("nddens x", 1e200), 0);
    EXPECT_EQ(EvalReal("ndint x", 1e300), 1);
    EXPECT_EQ(EvalReal("ndint x", -1e300), 0);
}

// Values a handler may hand over that no literal can produce: they pass through an operation
// as IEEE arithmetic passes them, and only new faults raise.
TEST(Functions, NonFiniteHandlerValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(EvalReal("x+1", inf), inf);
    EXPECT_TRUE(std::isnan(EvalReal("x*2", nan)));
    EXPECT_EQ(ErrorOf("x-x", inf), "Invalid floating point operation");
    EXPECT_EQ(ErrorOf("sin x", inf), "Invalid floating point operation");
    EXPECT_EQ(ErrorOf("x>0", nan), "Invalid floating point operation");
    EXPECT_EQ(ErrorOf("round x", nan), "Invalid floating point operation");
    EXPECT_EQ(ErrorOf("sign(1)*x", inf), "Floating point overflow");
}

TEST(SpecialFunctions, ReferenceValues)
{
    struct Case {
        double x;
        double phi;
    };
    // Series below |x| = sqrt(3), continued fraction above.
    const Case cases[] = {
        {0, 0.5},          {1, 0.841344746069},  {-1, 0.158655253931}, {0.5, 0.691462461274},
        {1.7, 0.955434537241}, {1.8, 0.964069680887}, {1.96, 0.975002104852},
        {2, 0.977249868052}, {-3, 0.001349898032}, {5, 0.999999713348}, {-8, 6.2209605743e-16},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(NormalDistribution(c.x), c.phi, 1e-9) << c.x;
    EXPECT_NEAR(EvalReal("ndint 1"), 0.841344746, 5e-10);

    struct Quantile {
        double p;
        double z;
        double tolerance;
    };
    const Quantile quantiles[] = {
        {0.975, 1.959963985, 5e-6}, {0.025, -1.959963985, 5e-6}, {0.5, 0, 1e-7},
        {0.841344746069, 1, 1e-6},  {0.999, 3.090232306, 1e-5},  {1e-6, -4.753424309, 1e-4},
    };
    for (const Quantile& q : quantiles)
        EXPECT_NEAR(NormalQuantile(q.p), q.z, q.tolerance) << q.p;
    EXPECT_NEAR(EvalReal("ndquant 0.975"), 1.95996, 5e-6);

    EXPECT_DOUBLE_EQ(NormalDensity(0), 0.3989422804014327);
    EXPECT_DOUBLE_EQ(NormalDensity(1), 0.24197072451914337);
    EXPECT_NEAR(static_cast<double>(LnGamma(0.5L)), 0.5723649429247001, 1e-9);
    EXPECT_NEAR(static_cast<double>(LnGamma(5)), std::log(24.0), 1e-9);
    EXPECT_EQ(LnGamma(0), 0);
    EXPECT_EQ(IncompleteGammaP(0.5L, 0), 0);
    EXPECT_NEAR(static_cast<double>(IncompleteGammaP(1, 2)), 1 - std::exp(-2.0), 1e-9);
}

// Far tails are computed as tails, so the bisection reaches its accuracy there too; and it ends
// in any case.
TEST(SpecialFunctions, QuantileOfTinyProbabilities)
{
    struct Case {
        double p;
        double z;
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
