// "gauss" and "rand" with a fixed generator state.
#include "ExprTestSupport.h"

#include "expr/Random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace tessaly {
namespace {

using test::EvalReal;

// Restarts the program-wide generator and drops the reserve for the test, and leaves the
// generator in a fresh state afterwards.
class RandomTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetUniformRandomState(20240601);
        ClearGaussReserve();
    }
    void TearDown() override
    {
        SetUniformRandomState(std::random_device{}());
        ClearGaussReserve();
    }
};

TEST_F(RandomTest, PolarMethodReturnsTheSecondValueAndKeepsTheFirstInReserve)
{
    std::mt19937_64 reference(20240601);
    auto uniform = [&reference] { return static_cast<double>(reference() >> 11) * 0x1.0p-53; };
    for (int pair = 0; pair < 50; ++pair) {
        double u1, u2, s;
        do {
            u1 = 2 * uniform() - 1;   // r1 is drawn before r2
            u2 = 2 * uniform() - 1;
            s = u1 * u1 + u2 * u2;
        } while (s >= 1 || s == 0);
        const double f = std::sqrt(-2 * std::log(s) / s);
        // Two components share the reserve: the second one gets the first one's kept value.
        EXPECT_EQ(EvalReal("gauss"), u2 * f) << pair;
        EXPECT_EQ(EvalReal("gauss"), u1 * f) << pair;
    }
}

TEST_F(RandomTest, EveryOccurrenceDrawsAnewAndTheReserveCanBeCleared)
{
    const double first = EvalReal("gauss");
    SetUp();
    EXPECT_EQ(EvalReal("gauss - 0*gauss"), first);   // the left occurrence is reduced first
    EXPECT_NE(EvalReal("gauss - gauss"), 0);
    SetUp();
    EXPECT_EQ(EvalReal("gauss"), first);
    ClearGaussReserve();
    EXPECT_NE(EvalReal("gauss"), first);
}

TEST_F(RandomTest, GaussHasMeanZeroAndVarianceOne)
{
    constexpr int n = 200000;
    double sum = 0, squares = 0;
    for (int i = 0; i < n; ++i) {
        const double g = GaussRandom();
        sum += g;
        squares += g * g;
    }
    const double mean = sum / n;
    const double variance = squares / n - mean * mean;
    // Five standard errors: 5/sqrt(n) for the mean, 5*sqrt(2/n) for the variance.
    EXPECT_NEAR(mean, 0, 5 / std::sqrt(n));
    EXPECT_NEAR(variance, 1, 5 * std::sqrt(2.0 / n));
}

TEST_F(RandomTest, RandIsUniformBetweenMinusAndPlusHalfTheOperand)
{
    TMathExpression e("MEFunc");
    e.SetExpression("rand 6");
    constexpr int n = 100000;
    double sum = 0, squares = 0, low = 1e9, high = -1e9;
    for (int i = 0; i < n; ++i) {
        const double r = e.Evaluate().ToReal();
        sum += r;
        squares += r * r;
        low = std::fmin(low, r);
        high = std::fmax(high, r);
    }
    EXPECT_GE(low, -3);
    EXPECT_LE(high, 3);
    EXPECT_LT(low, -2.99);
    EXPECT_GT(high, 2.99);
    const double mean = sum / n;
    // Uniform on a width of 6: variance 3, standard deviation of the mean sqrt(3/n).
    EXPECT_NEAR(mean, 0, 5 * std::sqrt(3.0 / n));
    EXPECT_NEAR(squares / n - mean * mean, 3, 0.05);

    SetUniformRandomState(99);
    const double a = e.Evaluate().ToReal();
    SetUniformRandomState(99);
    EXPECT_EQ(e.Evaluate().ToReal(), a);
    EXPECT_EQ(EvalReal("rand 0"), 0);
}

} // namespace
} // namespace tessaly
