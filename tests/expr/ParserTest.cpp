// The formula language: priorities, the sign rule, keywords and names, the handler protocol and
// the structural errors.
#include "ExprTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tessaly {
namespace {

using test::ErrorOf;
using test::Eval;
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
        {"2+3*4", 0, 14},
        {"10-2*3", 0, 4},
        {"2^3^2", 0, 64},       // (2^3)^2
        {"8/2/2", 0, 2},
        {"8-2-2", 0, 4},
        {"2*3^2", 0, 18},
        {"2*x>3", 5, -2},       // 2*(x>3): true is -1
        {"2*x>3", 1, 0},
        {"1+x>0", 2, 0},        // 1+(x>0)
        {"1+(x>0)", -2, 1},
        {"-x^2", 3, 9},         // (-x)^2
        {"7#4*2", 0, 6},        // (7#4)*2
        {"2#3^2", 0, 4},        // (2#3)^2
        {"sin x*2", 1, 2 * std::sin(1.0)},
        {"sin 2*x", 3, 3 * std::sin(2.0)},
        {"sin(x)", 1, std::sin(1.0)},
        {"sin(sin(x))", 1, std::sin(std::sin(1.0))},
        {"a*5*sin(b*x) * cos (c*x)", 2, 0.5 * 5 * std::sin(2.0) * std::cos(0.06)},
        {"  (1+2) * 3  ", 0, 9},
        {"pi", 0, 3.14159265358979323846},
        {"2*pi", 0, 2 * 3.14159265358979323846},
    });
}

TEST(Parser, SignsAreUnaryAfterOperatorsAndBinaryElsewhere)
{
    ExpectValues({
        {"-2", 0, -2},
        {"+2", 0, 2},
        {"2--3", 0, 5},
        {"2-+3", 0, -1},
        {"2*-3", 0, -6},
        {"2/-4", 0, -0.5},
        {"2^-1", 0, 0.5},
        {"(-2)", 0, -2},
        {"1<-1", 0, 0},
        {"2=-2", 0, 0},
        {"3>=+3", 0, -1},
        {"3<>-3", 0, -1},
        {"1<=-1", 0, 0},
        {"-x", 4, -4},
    });
    // After a unary sign, #, a function name, a constant or a logical operator, a sign is binary
    // and finds an operand missing.
    for (const char* text : {"--2", "2+-+3", "2#-1", "sin -1", "not -1", "2 and -1", "-(--2)"})
        EXPECT_EQ(ErrorOf(text), Reason("variable stack underflow")) << text;
}

TEST(Parser, StructuralErrors)
{
    struct Case {
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"", "empty expression"},
        {"((x)", "unmatched parantheses"},
        {"x)", "unmatched parantheses"},
        {")(", "operator stack underflow"},        // the counts agree; the order is wrong
        {"2(3)", "syntax error"},
        {"x a", "syntax error"},
        {"2 3", "syntax error"},
        {"pi pi", "syntax error"},
        {"()", "syntax error"},
        {"1.2.3", "syntax error"},
        {"sin sin x", "variable stack underflow"},
        {"*2", "variable stack underflow"},
        {"2*", "variable stack underflow"},
        {"sin", "variable stack underflow"},
        {"y+1", "undefined variable \"y\""},
        {"x+Foo_1", "undefined variable \"Foo_1\""},
        {"sinx", "undefined variable \"sinx\""},        // keywords are whole words
        {"pi2", "undefined variable \"pi2\""},
        {"sin_x", "undefined variable \"_x\""},         // the keyword ends before '_'
        {"1,5,5", "undefined variable \"\""},           // a stray character is an empty name
        {"x$", "undefined variable \"\""},
        {"x\t+1", "undefined variable \"\""},
        {std::string(101, '(') + "x" + std::string(101, ')'), "operator stack overflow"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.text), Reason(c.reason)) << c.text.substr(0, 30);

    TMathExpression e("MEFunc");
    e.SetExpression("   ");
    EXPECT_EQ(e.Expression(), "");
    EXPECT_THROW(e.Evaluate(), ETovraMath2Error);
}

TEST(Parser, StackLimitsAreExactlyOneHundred)
{
    EXPECT_DOUBLE_EQ(EvalReal(std::string(100, '(') + "x" + std::string(100, ')'), 7), 7);
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

TEST(Parser, KeywordsIgnoreCaseAndNamesKeepIt)
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

    // Each keyword by its code's place in the table; whole words only.
    ExpectValues({
        {"abs(-2)", 0, 2}, {"sqrt 16", 0, 4}, {"sqr 3", 0, 9}, {"exp 0", 0, 1}, {"ln 1", 0, 0},
        {"lg 1000", 0, 3}, {"frac(-1.5)", 0, -0.5}, {"int(-1.5)", 0, -1}, {"true", 0, -1},
        {"false", 0, 0}, {"sign(-3)", 0, -1}, {"round 2.5", 0, 2}, {"ndint 0", 0, 0.5},
        {"TRUE xor FALSE", 0, -1}, {"not true", 0, 0}, {"true and false", 0, 0},
        {"true or false", 0, -1}, {"tan 0", 0, 0}, {"arcsin 1", 0, 3.14159265358979323846 / 2},
        {"arccos 1", 0, 0}, {"nddens 0", 0, 0.3989422804014327},
    });
}

TEST(Parser, HandlerValuesAndTheirAbsence)
{
    TMathExpression e("MEFunc");
    e.SetExpression("q + 1");
    EXPECT_EQ(e.Evaluate(), TVariant::FixedScaled(10000));   // no handler: every name is 0
    e.OnVarRequest = [](TMathExpression&, std::string_view, TVariant&) {};
    EXPECT_EQ(e.Evaluate(), TVariant::FixedScaled(10000));   // left unchanged: 0
    e.OnVarRequest = [](TMathExpression&, std::string_view, TVariant& v) { v = "2,5e1xyz"; };
    EXPECT_EQ(e.Evaluate(), TVariant(26.0));                 // strings read as numbers
    e.SetExpression("q");
    EXPECT_EQ(e.Evaluate(), TVariant("2,5e1xyz"));           // and kept while unused
}

TEST(Parser, ExpressionMayBeSetFromItself)
{
    TMathExpression e("MEFunc");
    e.SetExpression("  1+2+" + std::string(40, '3') + "  ");
    e.SetExpression(e.Expression());
    EXPECT_EQ(e.Expression(), "1+2+" + std::string(40, '3'));
    e.SetExpression(std::string_view(e.Expression()).substr(2));   // a view into the old text
    EXPECT_EQ(e.Expression(), "2+" + std::string(40, '3'));
    EXPECT_DOUBLE_EQ(e.Evaluate().ToReal(), 2 + 3.3333333333333333e39);
}

TEST(Parser, NewTextAppliesAtTheNextEvaluation)
{
    TMathExpression e("MEFunc");
    e.SetExpression("x + x");
    int calls = 0;
    e.OnVarRequest = [&](TMathExpression& sender, std::string_view, TVariant& value) {
        ++calls;
        sender.SetExpression("  x*10 ");   // the running scan keeps its text
        value = 1.0;
        EXPECT_THROW(sender.Evaluate(), ETovraMath2Error);   // no evaluation inside another
    };
    EXPECT_DOUBLE_EQ(e.Evaluate().ToReal(), 2);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(e.Expression(), "x*10");
    EXPECT_DOUBLE_EQ(e.Evaluate().ToReal(), 10);

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
