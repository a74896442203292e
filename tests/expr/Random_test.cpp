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
    const double reserve = EvalReal("gauss");   // the kept value of the same pair
    SetUp();
    EXPECT_EQ(EvalReal("gauss - 0*gauss"), first);   // the left occurrence is reduced first
    SetUp();
    EvalReal("gauss");
    ClearGaussReserve();
    EXPECT_NE(EvalReal("gauss"), reserve);   // a fresh pair instead
}

// Mean and variance of n draws, within five standard errors (for a variance v and fourth moment
// m4 the variance estimate has the standard error sqrt((m4 - v^2)/n)).
template <class Draw>
void ExpectMoments(Draw draw, double variance, double fourthMoment, double low, double high)
{
    constexpr int n = 200000;
    double sum = 0, squares = 0;
    for (int i = 0; i < n; ++i) {
        const double v = draw();
        ASSERT_TRUE(v >= low && v <= high) << v;
        sum += v;
        squares += v * v;
    }
    const double mean = sum / n;
    EXPECT_NEAR(mean, 0, 5 * std::sqrt(variance / n));
    EXPECT_NEAR(squares / n - mean * mean, variance,
                5 * std::sqrt((fourthMoment - variance * variance) / n));
}

TEST_F(RandomTest, GaussHasMeanZeroAndVarianceOne)
{
    ExpectMoments(GaussRandom, 1, 3, -40, 40);
}

TEST_F(RandomTest, RandIsUniformBetweenMinusAndPlusHalfTheOperand)
{
    TMathExpression e("MEFunc");
    e.SetExpression("rand 6");
    // Uniform on (-3, 3]: variance 9/3, fourth moment 81/5.
    ExpectMoments([&e] { return e.Evaluate().ToReal(); }, 3, 81.0 / 5, -3, 3);
    SetUniformRandomState(99);
    const double a = e.Evaluate().ToReal();
    SetUniformRandomState(99);
    EXPECT_EQ(e.Evaluate().ToReal(), a);
}

} // namespace
} // namespace tessaly
