// Value kinds and the arithmetic between them.
#include "ExprTestSupport.h"

#include "expr/Variant.h"

#include <gtest/gtest.h>

#include <limits>

namespace tessaly {
namespace {

using test::ErrorOf;
using test::Eval;

const TVariant Fix1 = TVariant::FixedScaled(10000);   // what sign(x) gives for x >= 0

TVariant Fix(std::int64_t scaled)
{
    return TVariant::FixedScaled(scaled);
}

TEST(ValueKinds, KindsOfFormulaResults)
{
    struct Case {
        const char* text;
        TVariant value;
    };
    const Case cases[] = {
        {"1.5", TVariant(1.5)},
        {"1<2", TVariant(true)},
        {"true", TVariant(true)},
        {"round 2.5", TVariant::Int64(2)},
        {"7#3", TVariant::Int64(1)},
        {"0^0", TVariant::SmallInt(1)},
        {"0^(-1)", TVariant::SmallInt(0)},
        {"2^0", TVariant::SmallInt(1)},
        {"2^2", TVariant(4.0)},
        {"sign(-2)", Fix(-10000)},
        {"6/3", TVariant(2.0)},
        {"round 7/round 2", TVariant(3.5)},       // integers divide to a real
        {"round 2 + round 3", TVariant::Int64(5)},
        {"0^0 + 0^0", TVariant::SmallInt(2)},
        {"0^0 * true", TVariant::SmallInt(-1)},   // small integer with boolean
        {"round 2 * true", TVariant::Int64(-2)},
        {"true + true", TVariant(-2.0)},          // two booleans: real arithmetic
        {"true * 2", TVariant(-2.0)},
        {"-true", TVariant::SmallInt(1)},
        {"-round 2", TVariant::Int64(-2)},
        {"-sign 1", Fix(-10000)},
        {"6 and 3", TVariant::SmallInt(2)},
        {"5 or 2", TVariant::SmallInt(7)},
        {"5 xor 1", TVariant::SmallInt(4)},
        {"2.5 and 7", TVariant::SmallInt(2)},     // rounded halves to even
        {"3.5 and 7", TVariant::SmallInt(4)},
        {"not 0", TVariant::SmallInt(-1)},
        {"not true", TVariant(false)},
        {"true and 3", TVariant::SmallInt(3)},
        {"true xor true", TVariant(false)},
        {"abs(round(-3))", TVariant(3.0)},        // functions give reals
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval(c.text), c.value) << c.text;
}

TEST(ValueKinds, FixedPointRoundsToFourPlacesWithHalvesToEven)
{
    struct Case {
        const char* text;
        TVariant value;
    };
    const Case cases[] = {
        {"sign(x)*0.00001", Fix(0)},
        {"sign(x)+0.00001", Fix1},
        {"sign(x)*0.00005", Fix(1)},          // the double 0.00005 lies just above the half
        {"sign(x)*0.03125", Fix(312)},        // 312.5 units: an exact half goes to even
        {"sign(x)*0.09375", Fix(938)},
        {"-sign(x)*0.03125", Fix(-312)},
        {"sign(x)*2.5", Fix(25000)},
        {"sign(x)-0.25", Fix(7500)},
        {"0.25-sign(x)", Fix(-7500)},
        {"sign(x)+true", Fix(0)},
        {"sign(x)*round 3", Fix(30000)},
        {"sign(x)/3", Fix(3333)},             // a fixed-point dividend gives fixed point
        {"(sign(x)*2)/3", Fix(6667)},
        {"sign(x)/sign(-x-1)", Fix(-10000)},  // fixed by fixed is fixed
        {"sign(x)/0.3", Fix(33333)},
        {"sign(x)/64", Fix(156)},             // 156.25 units
        {"sign(x)/-32", Fix(-312)},           // -312.5 units: to even
        {"sign(x)/3e-9", Fix(3333333333333)},
        {"1/sign(x)", TVariant(1.0)},         // a fixed-point divisor gives a real
        {"sign(x)*sign(x)", Fix1},
        {"sign(x)*1e-300", Fix(0)},
        {"sign(x)*(0.5+1e-16)", Fix(5000)},
        {"sign(x) = 1", TVariant(true)},
        {"sign(x) > 0.99999", TVariant(true)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval(c.text, 2), c.value) << c.text;

    // The exact binary value decides: the double 0.00015 lies below 1.5 units, 0.00025 above 2.5.
    EXPECT_EQ(TVariant::Fixed(0.00015), Fix(1));
    EXPECT_EQ(TVariant::Fixed(0.00025), Fix(3));
    EXPECT_EQ(TVariant::Fixed(-2.5e-5), Fix(0));
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
    EXPECT_EQ(Eval("round 4e18 + round 4e18"), TVariant::Int64(8000000000000000000));

    TVariant v = TVariant::Int64(std::numeric_limits<std::int64_t>::min());
    VarNegate(v);
    EXPECT_EQ(v, TVariant(9223372036854775808.0));
    v = TVariant::SmallInt(std::numeric_limits<std::int32_t>::min());
    VarNegate(v);
    EXPECT_EQ(v, TVariant::Int64(2147483648));
    v = TVariant::SmallInt(2147483647);
    VarAdd(v, TVariant::SmallInt(1));
    EXPECT_EQ(v, TVariant::Int64(2147483648));
}

TEST(ValueKinds, ComparisonsAreNumeric)
{
    struct Case {
        const char* text;
        bool value;
    };
    const Case cases[] = {
        {"(1>0) = -1", true},      // booleans compare as -1 and 0
        {"true < false", true},
        {"true > 0", false},
        {"false = 0", true},
        {"sign(1) = round(1)", true},
        {"(round 9007199254740992 + round 1) > 9007199254740992", true},   // exact beyond 2^53
        {"0^0 >= 1", true},
        {"2 <> 2", false},
        {"1,5 = 1.5", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval(c.text), TVariant(c.value)) << c.text;
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
    EXPECT_EQ(Eval("2147483647.4 or 0"), TVariant::SmallInt(2147483647));
    EXPECT_EQ(Eval("(-2147483648) and (-1)"), TVariant::SmallInt(-2147483647 - 1));
}

TEST(ValueKinds, StringsAreReadAsNumbersWhenUsed)
{
    struct Case {
        const char* text;
        TVariant value;
    };
    const Case cases[] = {
        {"s", TVariant(" 2,5e1x")},    // unary plus and a lone operand keep the string
        {"+s", TVariant(" 2,5e1x")},
        {"s+1", TVariant(26.0)},
        {"-s", TVariant(-25.0)},
        {"s*sign(1)", Fix(250000)},
        {"s>20", TVariant(true)},
        {"sqrt s", TVariant(5.0)},
        {"round s", TVariant::Int64(25)},
        {"s#7", TVariant::Int64(4)},
    };
    for (const Case& c : cases) {
        TMathExpression e("MEFunc");
        e.OnVarRequest = [](TMathExpression&, std::string_view, TVariant& v) { v = " 2,5e1x"; };
        e.SetExpression(c.text);
        EXPECT_EQ(e.Evaluate(), c.value) << c.text;
    }
    EXPECT_EQ(TVariant("no number").ToReal(), 0);
    EXPECT_EQ(TVariant("-.5").ToReal(), -0.5);
}

TEST(ValueKinds, CopiesKeepKindAndText)
{
    TVariant s("abc");
    TVariant copy = s;
    EXPECT_EQ(copy, TVariant("abc"));
    copy = TVariant(1.0);
    EXPECT_EQ(copy.Kind(), vkReal);
    copy = s;
    EXPECT_EQ(copy.String(), "abc");
    TVariant moved = std::move(copy);
    EXPECT_EQ(moved, TVariant("abc"));
    EXPECT_NE(TVariant(1.0), TVariant::Int64(1));   // kinds differ
}

} // namespace
} // namespace tessaly
