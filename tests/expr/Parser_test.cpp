// The formula language: priorities, the sign rule, keywords and names, the handler protocol and
// the stack limits. (The listed edge cases run through tessaly --eval in tests/app.)
#include "ExprTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tessaly {
namespace {

using test::ErrorOf;
using test::EvalReal;
using test::Reason;

struct TValueCase {
    const char* text;
    double x;
    double value;
};

void ExpectValues(std::initializer_list<TValueCase> cases)
{
    for (const TValueCase& c : cases) {
        try {
            EXPECT_DOUBLE_EQ(EvalReal(c.text, c.x), c.value) << c.text << " at x = " << c.x;
        } catch (const std::exception& error) {
            ADD_FAILURE() << c.text << ": " << error.what();
        }
    }
}

TEST(Parser, PrioritiesAndLeftAssociativity)
{
    ExpectValues({
        {"2+3*4", 0, 14},  {"10-2*3", 0, 4},   {"8/2/2", 0, 2},    {"8-2-2", 0, 4},
        {"2*3^2", 0, 18},  {"2*x>3", 1, 0},    {"1+x>0", 2, 0},    {"1+(x>0)", -2, 1},
        {"-x^2", 3, 9},    {"7#4*2", 0, 6},    {"2#3^2", 0, 4},    {"  (1+2) * 3  ", 0, 9},
        {"sin x*2", 1, 2 * std::sin(1.0)},     {"sin 2*x", 3, 3 * std::sin(2.0)},
        {"2*pi", 0, 2 * 3.14159265358979323846},
    });
}

TEST(Parser, SignsAreUnaryAfterOperatorsAndBinaryElsewhere)
{
    ExpectValues({{"+2", 0, 2},     {"2-+3", 0, -1},  {"2*-3", 0, -6},   {"2/-4", 0, -0.5},
                  {"(-2)", 0, -2},  {"1<-1", 0, 0},   {"2=-2", 0, 0},    {"3>=+3", 0, -1},
                  {"3<>-3", 0, -1}, {"1<=-1", 0, 0},  {"-x", 4, -4}});
    // After a unary sign, #, a function name, a constant or a logical operator, a sign is binary
    // and finds an operand missing.
    for (const char* text : {"2+-+3", "sin -1", "not -1", "2 and -1", "-(--2)", "pi-"})
        EXPECT_EQ(ErrorOf(text), Reason("variable stack underflow")) << text;
}

TEST(Parser, NamesAndStrayCharacters)
{
    struct Case {
        const char* text;
        const char* reason;
    };
    for (const Case& c : {Case{"x+Foo_1", "undefined variable \"Foo_1\""},
                          Case{"sinx", "undefined variable \"sinx\""},   // keywords are whole words
                          Case{"pi2", "undefined variable \"pi2\""},
                          Case{"sin_x", "undefined variable \"_x\""},    // a keyword ends before '_'
                          Case{"1,5,5", "undefined variable \"\""},      // a stray character is an
                          Case{"x$", "undefined variable \"\""},         // empty name
                          Case{"x\t+1", "undefined variable \"\""},
                          Case{"()", "syntax error"},
                          Case{"pi pi", "syntax error"},
                          Case{"*2", "variable stack underflow"},
                          Case{"sin", "variable stack underflow"},
                          Case{"x)", "unmatched parantheses"}})
        EXPECT_EQ(ErrorOf(c.text), Reason(c.reason)) << c.text;
}

TEST(Parser, StackLimitsAreExactlyOneHundred)
{
    // Operands that are never combined pile up on the variable stack.
    std::string operands;
    for (int i = 0; i < 100; ++i)
        operands += "1 ";
    EXPECT_EQ(ErrorOf(operands), Reason("syntax error"));
    EXPECT_EQ(ErrorOf(operands + "1"), Reason("variable stack overflow"));
    EXPECT_EQ(ErrorOf(operands + "pi"), Reason("variable stack overflow"));

    // Without a handler a stray character is read again and again as the operand 0.
    TMathExpression e("E1");
    e.SetExpression(",");
    try {
        e.Evaluate();
        ADD_FAILURE() << "no error";
    } catch (const ETovraMath2Error& error) {
        EXPECT_STREQ(error.what(), "Component \"E1\": variable stack overflow");
    }
    EXPECT_EQ(e.VariableCount(), 101);
}

TEST(Parser, HandlerSeesEveryNameInTextOrderWithThePresetValue)
{
    std::vector<std::string> asked;
    TMathExpression e("MEFunc");
    e.OnVarRequest = [&](TMathExpression& sender, std::string_view name, TVariant& value) {
        EXPECT_EQ(&sender, &e);
        EXPECT_EQ(value, TVariant::FixedScaled(0));   // preset to the fixed-point number 0
        asked.emplace_back(name);
        value = name == "X" ? 2.0 : 3.0;
    };
    e.SetExpression("SIN(X) + Cos(b_1) * ArcTan(X) + PI - b_1");
    EXPECT_DOUBLE_EQ(e.Evaluate().ToReal(),
                     std::sin(2.0) + std::cos(3.0) * std::atan(2.0) + 3.14159265358979323846 - 3);
    EXPECT_EQ(asked, (std::vector<std::string>{"X", "b_1", "X", "b_1"}));

    TMathExpression bare("MEFunc");
    bare.SetExpression("q + 1");
    EXPECT_EQ(bare.Evaluate(), TVariant::FixedScaled(10000));   // no handler: every name is 0
    bare.OnVarRequest = [](TMathExpression&, std::string_view, TVariant&) {};
    EXPECT_EQ(bare.Evaluate(), TVariant::FixedScaled(10000));   // left unchanged: 0
}

TEST(Parser, ExpressionMayBeSetFromItselfAndFromTheHandler)
{
    TMathExpression e("MEFunc");
    e.SetExpression("  1+2+" + std::string(40, '3') + "  ");
    e.SetExpression(e.Expression());
    EXPECT_EQ(e.Expression(), "1+2+" + std::string(40, '3'));
    e.SetExpression(std::string_view(e.Expression()).substr(2));   // a view into the old text
    EXPECT_DOUBLE_EQ(e.Evaluate().ToReal(), 2 + 3.3333333333333333e39);

    e.SetExpression("x + x");
    int calls = 0;
    e.OnVarRequest = [&](TMathExpression& sender, std::string_view, TVariant& value) {
        ++calls;
        sender.SetExpression("  x*10 ");   // the running scan keeps its text
        value = 1.0;
    };
    EXPECT_DOUBLE_EQ(e.Evaluate().ToReal(), 2);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(e.Expression(), "x*10");
    EXPECT_DOUBLE_EQ(e.Evaluate().ToReal(), 10);

    // An evaluation inside another would overwrite the stacks in use: it is refused.
    e.OnVarRequest = [](TMathExpression& sender, std::string_view, TVariant&) { sender.Evaluate(); };
    try {
        e.Evaluate();
        ADD_FAILURE() << "no error";
    } catch (const ETovraMath2Error& error) {
        EXPECT_STREQ(error.what(), "Component \"MEFunc\": recursive evaluation");
    }
}

} // namespace
} // namespace tessaly
