// Value kinds and the arithmetic between them.
#include "ExprTestSupport.h"

#include "expr/Variant.h"

#include <gtest/gtest.h>

#include <limits>

namespace tessaly {
namespace {

using test::ErrorOf;
using test::Eval;

struct TKindCase {
    const char* text;
    TVariant value;
};

TVariant Fix(std::int64_t scaled)
{
    return TVariant::FixedScaled(scaled);
}

TVariant Small(std::int32_t v)
{
    return TVariant::SmallInt(v);
}

TVariant Int(std::int64_t v)
{
    return TVariant::Int64(v);
}

TEST(ValueKinds, KindsOfResults)
{
    const TKindCase cases[] = {
        {"1<2", TVariant(true)},         {"round 2.5", Int(2)},          {"7#3", Int(1)},
        {"0^0", Small(1)},               {"2^2", TVariant(4.0)},         {"sign(-2)", Fix(-10000)},
        {"round 7/round 2", TVariant(3.5)},   // integers divide to a real
        {"round 2 + round 3", Int(5)},   {"0^0 + 0^0", Small(2)},
        {"0^0 * true", Small(-1)},       {"round 2 * true", Int(-2)},    // integer with boolean
        {"true + true", TVariant(-2.0)}, {"true * 2", TVariant(-2.0)},   // booleans: real
        {"-true", Small(1)},             {"-round 2", Int(-2)},          {"-sign 1", Fix(-10000)},
        {"6 and 3", Small(2)},           {"5 or 2", Small(7)},           {"5 xor 1", Small(4)},
        {"2.5 and 7", Small(2)},         {"3.5 and 7", Small(4)},        // halves to even
        {"not 0", Small(-1)},            {"not true", TVariant(false)},  {"true and 3", Small(3)},
        {"true xor true", TVariant(false)}, {"abs(round(-3))", TVariant(3.0)},
        {"(1>0) = -1", TVariant(true)},  {"true < false", TVariant(true)}, {"true > 0", TVariant(false)},
        {"sign(1) = round(1)", TVariant(true)}, {"0^0 >= 1", TVariant(true)},
        {"(round 9007199254740992 + round 1) > 9007199254740992", TVariant(true)},   // exact
    };
    for (const TKindCase& c : cases)
        EXPECT_EQ(Eval(c.text), c.value) << c.text;
}

TEST(ValueKinds, FixedPointRoundsToFourPlacesWithHalvesToEven)
{
    const TKindCase cases[] = {
        {"sign(x)*0.00001", Fix(0)},     {"sign(x)+0.00001", Fix(10000)},
        {"sign(x)*0.00005", Fix(1)},     // the double 0.00005 lies just above the half
        {"sign(x)*0.03125", Fix(312)},   // 312.5 units: an exact half goes to even
        {"sign(x)*0.09375", Fix(938)},   {"-sign(x)*0.03125", Fix(-312)},
        {"sign(x)-0.25", Fix(7500)},     {"0.25-sign(x)", Fix(-7500)},
        {"sign(x)+true", Fix(0)},        {"sign(x)*round 3", Fix(30000)},
        {"sign(x)/3", Fix(3333)},        {"(sign(x)*2)/3", Fix(6667)},   // fixed dividend: fixed
        {"sign(x)/sign(-x-1)", Fix(-10000)},                           // fixed by fixed: fixed
        {"sign(x)/64", Fix(156)},        {"sign(x)/-32", Fix(-312)},   // 156.25, -312.5 units
        {"sign(x)/3e-9", Fix(3333333333333)}, {"1/sign(x)", TVariant(1.0)},   // fixed divisor: real
        {"sign(x)*sign(x)", Fix(10000)}, {"sign(x)*1e-300", Fix(0)},
        {"sign(x)*(0.5+1e-16)", Fix(5000)}, {"sign(x) > 0.99999", TVariant(true)},
    };
    for (const TKindCase& c : cases)
        EXPECT_EQ(Eval(c.text, 2), c.value) << c.text;

    // The exact binary value decides: the double 0.00015 lies below 1.5 units, 0.00025 above 2.5.
    EXPECT_EQ(TVariant::Fixed(0.00015), Fix(1));
    EXPECT_EQ(TVariant::Fixed(0.00025), Fix(3));
    EXPECT_EQ(TVariant::Fixed(-1.5), Fix(-15000));
    EXPECT_THROW(TVariant::Fixed(1e15), EMathError);
}

TEST(ValueKinds, OverflowsOfFixedPointAndIntegers)
{
    for (const char* text : {"sign(x)*1e300", "sign(x)+1e15", "sign(x)/1e-300", "sign(x)/1e-15",
                             "sign(x)*9e14*100", "sign(x)*1e10*sign(x)*1e10"})
        EXPECT_EQ(ErrorOf(text, 1), "Floating point overflow") << text;

    // Integer results beyond 64 bits become reals.
    EXPECT_EQ(Eval("round 4e18 + round 6e18"), TVariant(1e19));
    EXPECT_EQ(Eval("round 4e18 * round 4e18"), TVariant(1.6e37));
    EXPECT_EQ(Eval("round(-9.2e18) - round 1e18"), TVariant(-1.02e19));
    EXPECT_EQ(Eval("round 4e18 + round 4e18"), Int(8000000000000000000));
    TVariant v = Int(std::numeric_limits<std::int64_t>::min());
    VarNegate(v);
    EXPECT_EQ(v, TVariant(9223372036854775808.0));
    v = Small(2147483647);
    VarAdd(v, Small(1));
    EXPECT_EQ(v, Int(2147483648));
}

TEST(ValueKinds, LogicalOperatorsNeedThirtyTwoBitNumbers)
{
    for (const char* text : {"3e9 and 1", "1 or (-2147483649)", "not 2147483648", "round 3e9 xor 1"}) {
        try {
            Eval(text);
            ADD_FAILURE() << text;
        } catch (const ERangeError& error) {
            EXPECT_STREQ(error.what(), "Range check error") << text;
        }
    }
    EXPECT_EQ(Eval("2147483647.4 or 0"), Small(2147483647));
    EXPECT_EQ(Eval("(-2147483648) and (-1)"), Small(-2147483647 - 1));
}

TEST(ValueKinds, StringsAreReadAsNumbersWhenUsed)
{
    const TKindCase cases[] = {
        {"s", TVariant(" 2,5e1x")},   {"+s", TVariant(" 2,5e1x")},   // kept while unused
        {"s+1", TVariant(26.0)},      {"-s", TVariant(-25.0)},       {"s*sign(1)", Fix(250000)},
        {"s>20", TVariant(true)},     {"sqrt s", TVariant(5.0)},     {"s#7", Int(4)},
    };
    for (const TKindCase& c : cases) {
        TMathExpression e("MEFunc");
        e.OnVarRequest = [](TMathExpression&, std::string_view, TVariant& v) { v = " 2,5e1x"; };
        e.SetExpression(c.text);
        EXPECT_EQ(e.Evaluate(), c.value) << c.text;
    }
    EXPECT_EQ(TVariant("no number").ToReal(), 0);
    TVariant copy = TVariant("abc");
    copy = TVariant(1.0);
    copy = TVariant("def");   // a string copied over a number keeps its text
    EXPECT_EQ(copy, TVariant("def"));
}

} // namespace
} // namespace tessaly
