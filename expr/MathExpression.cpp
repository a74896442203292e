#include "expr/MathExpression.h"

#include "expr/Errors.h"
#include "expr/NumberScanner.h"
#include "expr/Random.h"
#include "expr/SpecialFunctions.h"

#include <array>
#include <cmath>
#include <string_view>

namespace tessaly {

namespace {

// Token codes. Codes 18 to 45 are also the keywords, in the order of the keyword table.
enum : std::uint8_t {
    tkNone, tkOperand, tkPlus, tkMinus, tkTimes, tkDivide, tkModulo, tkPower,
    tkGreater, tkGreaterEqual, tkLess, tkLessEqual, tkEqual, tkNotEqual,
    tkOpen, tkClose, tkNegate, tkUnaryPlus,
    tkSin, tkCos, tkTan, tkArcSin, tkArcCos, tkArcTan, tkAbs, tkSign, tkSqrt, tkSqr, tkRound,
    tkNdInt, tkNdQuant, tkNdDens, tkPi, tkTrue, tkFalse, tkExp, tkLn, tkLg, tkGauss, tkRand,
    tkFrac, tkInt, tkAnd, tkNot, tkOr, tkXor,
    tkCount
};

constexpr std::uint8_t Priority[tkCount] = {
    0, 0, 1, 1, 2, 2, 3, 3,   // none, operand, + - * / # ^
    3, 3, 3, 3, 3, 3,         // comparisons
    0, 9, 4, 4,               // ( ) unary - +
    5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,   // sin .. nddens
    6, 6, 6, 5, 5, 5, 6, 5, 5, 5,               // pi true false exp ln lg gauss rand frac int
    3, 3, 3, 3,                                 // and not or xor
};

constexpr std::uint8_t Operands[tkCount] = {
    0, 0, 2, 2, 2, 2, 2, 2,
    2, 2, 2, 2, 2, 2,
    0, 0, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 1, 1, 1, 0, 1, 1, 1,
    2, 1, 2, 2,
};

// The tokens after which + and - are signs: none, (, *, /, >=, >, =, <>, <=, <, binary +, -, ^.
constexpr std::uint64_t SignContext =
    (1ull << tkNone) | (1ull << tkOpen) | (1ull << tkTimes) | (1ull << tkDivide) |
    (1ull << tkGreaterEqual) | (1ull << tkGreater) | (1ull << tkEqual) | (1ull << tkNotEqual) |
    (1ull << tkLessEqual) | (1ull << tkLess) | (1ull << tkPlus) | (1ull << tkMinus) |
    (1ull << tkPower);

// What the token reader does with the character at a token's start.
enum : std::uint8_t { ccWord, ccSingle, ccLess, ccGreater, ccPlus, ccMinus, ccNumber };
// Character properties for runs: letters and digits form keywords; names also take '_'.
enum : std::uint8_t { cpAlnum = 1, cpName = 2 };

struct TCharTables {
    std::uint8_t Class[256] = {};
    std::uint8_t Single[256] = {};
    std::uint8_t Props[256] = {};
};

constexpr TCharTables MakeCharTables()
{
    TCharTables t;
    const auto single = [&t](char c, std::uint8_t token) {
        t.Class[static_cast<unsigned char>(c)] = ccSingle;
        t.Single[static_cast<unsigned char>(c)] = token;
    };
    single('#', tkModulo);
    single('(', tkOpen);
    single(')', tkClose);
    single('*', tkTimes);
    single('/', tkDivide);
    single('^', tkPower);
    single('=', tkEqual);
    t.Class['<'] = ccLess;
    t.Class['>'] = ccGreater;
    t.Class['+'] = ccPlus;
    t.Class['-'] = ccMinus;
    t.Class['.'] = ccNumber;
    for (int c = '0'; c <= '9'; ++c) {
        t.Class[c] = ccNumber;
        t.Props[c] = cpAlnum | cpName;
    }
    for (int c = 'a'; c <= 'z'; ++c) {
        t.Props[c] = cpAlnum | cpName;
        t.Props[c - 'a' + 'A'] = cpAlnum | cpName;
    }
    t.Props['_'] = cpName;
    return t;
}

constexpr TCharTables Chars = MakeCharTables();

// Keywords packed into one integer each, lower case, first character in the lowest byte.
constexpr std::uint64_t Pack(std::string_view word)
{
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < word.size(); ++i)
        v |= static_cast<std::uint64_t>(static_cast<unsigned char>(word[i])) << (8 * i);
    return v;
}

struct TKeyword {
    std::uint64_t Packed;
    std::uint8_t Code;
};

constexpr TKeyword Keywords2[] = {
    {Pack("pi"), tkPi}, {Pack("ln"), tkLn}, {Pack("lg"), tkLg}, {Pack("or"), tkOr}};
constexpr TKeyword Keywords3[] = {
    {Pack("sin"), tkSin}, {Pack("cos"), tkCos}, {Pack("tan"), tkTan}, {Pack("abs"), tkAbs},
    {Pack("sqr"), tkSqr}, {Pack("exp"), tkExp}, {Pack("int"), tkInt}, {Pack("and"), tkAnd},
    {Pack("not"), tkNot}, {Pack("xor"), tkXor}};
constexpr TKeyword Keywords4[] = {{Pack("sign"), tkSign}, {Pack("sqrt"), tkSqrt},
                                  {Pack("true"), tkTrue}, {Pack("rand"), tkRand},
                                  {Pack("frac"), tkFrac}};
constexpr TKeyword Keywords5[] = {{Pack("round"), tkRound}, {Pack("ndint"), tkNdInt},
                                  {Pack("false"), tkFalse}, {Pack("gauss"), tkGauss}};
constexpr TKeyword Keywords6[] = {{Pack("arcsin"), tkArcSin}, {Pack("arccos"), tkArcCos},
                                  {Pack("arctan"), tkArcTan}, {Pack("nddens"), tkNdDens}};
constexpr TKeyword Keywords7[] = {{Pack("ndquant"), tkNdQuant}};

template <std::size_t N>
std::uint8_t Find(const TKeyword (&table)[N], std::uint64_t packed)
{
    for (const TKeyword& k : table)
        if (k.Packed == packed)
            return k.Code;
    return 0;
}

// The keyword code of a run of letters and digits, or 0. The keywords differ from each other,
// so looking them up by length finds what a search in table order finds.
std::uint8_t MatchKeyword(const char* run, std::size_t length)
{
    if (length < 2 || length > 7)
        return 0;
    std::uint64_t packed = 0;
    for (std::size_t i = 0; i < length; ++i)   // | 0x20 lowers letters and keeps digits
        packed |= static_cast<std::uint64_t>(static_cast<unsigned char>(run[i]) | 0x20) << (8 * i);
    switch (length) {
    case 2:
        return Find(Keywords2, packed);
    case 3:
        return Find(Keywords3, packed);
    case 4:
        return Find(Keywords4, packed);
    case 5:
        return Find(Keywords5, packed);
    case 6:
        return Find(Keywords6, packed);
    default:
        return Find(Keywords7, packed);
    }
}

constexpr double Pi = 3.14159265358979323846;
constexpr double TwoTo63 = 9223372036854775808.0;

// sin and cos give 0 from 2^63 on, where the argument has no fractional digits left.
double Sine(double x)
{
    return std::fabs(x) >= TwoTo63 && std::isfinite(x) ? 0.0 : std::sin(x);
}

double Cosine(double x)
{
    return std::fabs(x) >= TwoTo63 && std::isfinite(x) ? 0.0 : std::cos(x);
}

} // namespace

// Marks the component as evaluating for the duration of one Evaluate.
class TMathExpression::TEvaluation {
public:
    explicit TEvaluation(TMathExpression& owner) : FOwner(owner) { owner.FEvaluating = true; }
    ~TEvaluation()
    {
        FOwner.FEvaluating = false;
        if (FOwner.FHasPendingExpression) {
            FOwner.FExpression.swap(FOwner.FPendingExpression);
            FOwner.FHasPendingExpression = false;
        }
    }
    TEvaluation(const TEvaluation&) = delete;
    TEvaluation& operator=(const TEvaluation&) = delete;

private:
    TMathExpression& FOwner;
};

const std::string& TMathExpression::Expression() const
{
    return FHasPendingExpression ? FPendingExpression : FExpression;
}

void TMathExpression::SetExpression(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    text = first == std::string_view::npos ? std::string_view() : text.substr(first);
    text = text.substr(0, text.find_last_not_of(' ') + 1);
    if (FEvaluating) {
        // The running scan reads FExpression; it must stay as it is until the scan ends.
        FPendingExpression.assign(text);
        FHasPendingExpression = true;
        return;
    }
    FExpression.assign(text);
}

void TMathExpression::Fail(std::string_view reason) const
{
    throw ETovraMath2Error(ComponentMessage(FName, reason));
}

void TMathExpression::FailUndefined(std::string_view name) const
{
    std::string reason = "undefined variable \"";
    reason += name;
    reason += '"';
    Fail(reason);
}

TVariant TMathExpression::Evaluate()
{
    if (FEvaluating)   // from inside OnVarRequest: the stacks are in use
        Fail("recursive evaluation");
    TEvaluation evaluation(*this);

    FOperatorCount = 0;
    FVariableCount = 0;
    const char* const s = FExpression.data();
    const std::size_t size = FExpression.size();

    std::ptrdiff_t balance = 0;
    for (std::size_t i = 0; i < size; ++i)
        balance += (s[i] == '(') - (s[i] == ')');
    if (balance != 0)
        Fail("unmatched parantheses");
    if (size == 0)
        Fail("empty expression");

    std::size_t pos = 0;
    std::uint8_t previous = tkNone;
    while (pos < size) {
        while (pos + 1 < size && s[pos] == ' ')
            ++pos;
        const unsigned char c = static_cast<unsigned char>(s[pos]);
        std::uint8_t token;
        switch (Chars.Class[c]) {
        case ccSingle:
            token = Chars.Single[c];
            ++pos;
            break;
        case ccLess:
            ++pos;
            token = tkLess;
            if (pos < size && s[pos] == '=') {
                ++pos;
                token = tkLessEqual;
            } else if (pos < size && s[pos] == '>') {
                ++pos;
                token = tkNotEqual;
            }
            break;
        case ccGreater:
            ++pos;
            token = tkGreater;
            if (pos < size && s[pos] == '=') {
                ++pos;
                token = tkGreaterEqual;
            }
            break;
        case ccPlus:
            ++pos;
            token = (SignContext >> previous) & 1 ? tkUnaryPlus : tkPlus;
            break;
        case ccMinus:
            ++pos;
            token = (SignContext >> previous) & 1 ? tkNegate : tkMinus;
            break;
        case ccNumber: {
            const TNumberScan number = ScanNumber(FExpression, pos);
            pos = number.Next;
            FVariableStack[FVariableCount].SetReal(number.Value);
            token = tkOperand;
            break;
        }
        default: {
            std::size_t end = pos;
            while (end < size && (Chars.Props[static_cast<unsigned char>(s[end])] & cpAlnum))
                ++end;
            token = MatchKeyword(s + pos, end - pos);
            if (token != 0) {
                pos = end;
                break;
            }
            while (end < size && (Chars.Props[static_cast<unsigned char>(s[end])] & cpName))
                ++end;
            const std::string_view name(s + pos, end - pos);
            pos = end;
            TVariant& value = FVariableStack[FVariableCount];
            value.SetFixedScaled(0);
            if (OnVarRequest)
                OnVarRequest(*this, name, value);
            if (value.IsNull())
                FailUndefined(name);
            token = tkOperand;
            break;
        }
        }

        if (token == tkOperand) {
            if (++FVariableCount > StackSize)
                Fail("variable stack overflow");
        } else if (token == tkOpen) {
            if (FOperatorCount >= StackSize)
                Fail("operator stack overflow");
            FOperatorStack[FOperatorCount++] = tkOpen;
        } else if (token == tkClose) {
            while (FOperatorCount > 0 && FOperatorStack[FOperatorCount - 1] != tkOpen)
                Reduce();
            if (FOperatorCount == 0)
                Fail("operator stack underflow");
            --FOperatorCount;
        } else {
            const std::uint8_t priority = Priority[token];
            while (FOperatorCount > 0 && Priority[FOperatorStack[FOperatorCount - 1]] >= priority)
                Reduce();
            if (FOperatorCount >= StackSize)
                Fail("operator stack overflow");
            FOperatorStack[FOperatorCount++] = token;
        }
        previous = token;
    }
    while (FOperatorCount > 0)
        Reduce();
    if (FVariableCount != 1)
        Fail("syntax error");
    return FVariableStack[0];
}

void TMathExpression::Reduce()
{
    if (FOperatorCount == 0)
        Fail("operator stack underflow");
    const std::uint8_t op = FOperatorStack[--FOperatorCount];
    switch (Operands[op]) {
    case 2:
        ReduceBinary(op);
        break;
    case 1:
        ReduceUnary(op);
        break;
    default:
        PushConstant(op);
        break;
    }
}

void TMathExpression::ReduceBinary(std::uint8_t op)
{
    if (FVariableCount < 2)
        Fail("variable stack underflow");
    TVariant& left = FVariableStack[FVariableCount - 2];
    const TVariant& right = FVariableStack[FVariableCount - 1];

    if (left.Kind() == vkReal && right.Kind() == vkReal) {
        const double x = left.Real(), y = right.Real();
        double r;
        switch (op) {
        case tkPlus:
            r = x + y;
            break;
        case tkMinus:
            r = x - y;
            break;
        case tkTimes:
            r = x * y;
            break;
        case tkDivide:
            if (y == 0)
                Fail("division by zero");
            r = x / y;
            break;
        default:
            goto general;
        }
        CheckReal(r, x, y);
        left.SetReal(r);
        --FVariableCount;
        return;
    }

general:
    switch (op) {
    case tkPlus:
        VarAdd(left, right);
        break;
    case tkMinus:
        VarSubtract(left, right);
        break;
    case tkTimes:
        VarMultiply(left, right);
        break;
    case tkDivide:
        if (VarIsZero(right))
            Fail("division by zero");
        VarDivide(left, right);
        break;
    case tkModulo: {
        const std::int64_t divisor = VarRoundToInt64(right);
        if (divisor < 1)
            Fail("modulo argument must not be zero or negative");
        left.SetInt64(VarRoundToInt64(left) % divisor);
        break;
    }
    case tkPower:
        Power(left, right);
        break;
    case tkGreater:
        left.SetBoolean(VarCompare(left, right) > 0);
        break;
    case tkGreaterEqual:
        left.SetBoolean(VarCompare(left, right) >= 0);
        break;
    case tkLess:
        left.SetBoolean(VarCompare(left, right) < 0);
        break;
    case tkLessEqual:
        left.SetBoolean(VarCompare(left, right) <= 0);
        break;
    case tkEqual:
        left.SetBoolean(VarCompare(left, right) == 0);
        break;
    case tkNotEqual:
        left.SetBoolean(VarCompare(left, right) != 0);
        break;
    case tkAnd:
        VarAnd(left, right);
        break;
    case tkOr:
        VarOr(left, right);
        break;
    case tkXor:
        VarXor(left, right);
        break;
    default:
        break;
    }
    --FVariableCount;
}

void TMathExpression::Power(TVariant& left, const TVariant& right)
{
    if (VarIsZero(right)) {
        left.SetSmallInt(1);   // 0^0 too
        return;
    }
    if (VarIsZero(left)) {
        left.SetSmallInt(0);   // 0^-1 too
        return;
    }
    const double base = left.ToReal();
    const double exponent = right.ToReal();
    // exp(R * ln(L)) in extended precision: whole powers of small integers come out exact.
    long double t;
    bool negate = false;
    if (VarIsNegative(left)) {
        if (exponent - std::trunc(exponent) != 0)
            Fail("non-integer power of negative number cannot be calculated");
        t = static_cast<long double>(exponent) * std::log(-static_cast<long double>(base));
        const double result = static_cast<double>(std::exp(t));
        CheckReal(result, base, exponent);
        negate = (RoundToInt64(exponent) & 1) != 0;
        left.SetReal(negate ? -result : result);
        return;
    }
    t = static_cast<long double>(exponent) * std::log(static_cast<long double>(base));
    const double result = static_cast<double>(std::exp(t));
    CheckReal(result, base, exponent);
    left.SetReal(result);
}

void TMathExpression::ReduceUnary(std::uint8_t op)
{
    if (FVariableCount < 1)
        Fail("variable stack underflow");
    TVariant& v = FVariableStack[FVariableCount - 1];
    switch (op) {
    case tkNegate:
        if (v.Kind() == vkReal)
            v.SetReal(-v.Real());
        else
            VarNegate(v);
        return;
    case tkUnaryPlus:
        return;
    case tkSign:
        if (v.Kind() == vkReal && std::isnan(v.Real()))
            RaiseInvalidOperation();
        v.SetFixedScaled(VarIsNegative(v) ? -TVariant::FixedScale : TVariant::FixedScale);
        return;
    case tkRound:
        v.SetInt64(VarRoundToInt64(v));
        return;
    case tkNot:
        VarNot(v);
        return;
    default:
        break;
    }

    const double x = v.ToReal();
    double r;
    switch (op) {
    case tkSin:
        r = Sine(x);
        break;
    case tkCos:
        r = Cosine(x);
        break;
    case tkTan: {
        const double c = Cosine(x);
        if (c == 0)
            throw EMathError("tangens overflow");
        r = Sine(x) / c;
        break;
    }
    case tkArcSin:
        if (std::fabs(x) > 1)
            Fail("invalid argument of arcsin");
        r = std::asin(x);
        break;
    case tkArcCos:
        if (std::fabs(x) > 1)
            Fail("invalid argument of arccos");
        r = std::acos(x);
        break;
    case tkArcTan:
        r = std::atan(x);
        break;
    case tkAbs:
        r = std::fabs(x);
        break;
    case tkSqrt:
        if (x < 0)
            Fail("invalid argument of square root");
        r = std::sqrt(x);
        break;
    case tkSqr:
        r = x * x;
        break;
    case tkNdInt:
        r = NormalDistribution(x);
        break;
    case tkNdQuant:
        if (x <= 0 || x >= 1)
            Fail("invalid argument of normal distribution quantile");
        r = NormalQuantile(x);
        break;
    case tkNdDens:
        r = NormalDensity(x);
        break;
    case tkExp:
        r = std::exp(x);
        break;
    case tkLn:
        if (x <= 0)
            Fail("invalid argument of logarithm");
        r = std::log(x);
        break;
    case tkLg:
        if (x <= 0)
            Fail("invalid argument of logarithm");
        r = std::log10(x);
        break;
    case tkRand:
        r = x * (0.5 - UniformRandom());
        break;
    case tkFrac:
        r = x - std::trunc(x);
        break;
    case tkInt:
        r = std::trunc(x);
        break;
    default:
        r = x;
        break;
    }
    CheckReal(r, x);
    v.SetReal(r);
}

void TMathExpression::PushConstant(std::uint8_t op)
{
    TVariant& slot = FVariableStack[FVariableCount];
    switch (op) {
    case tkPi:
        slot.SetReal(Pi);
        break;
    case tkTrue:
        slot.SetBoolean(true);
        break;
    case tkFalse:
        slot.SetBoolean(false);
        break;
    case tkGauss:
        slot.SetReal(GaussRandom());
        break;
    default:   // an opening bracket never reaches this point: the bracket counts are equal
        Fail("syntax error");
    }
    if (++FVariableCount > StackSize)
        Fail("variable stack overflow");
}

} // namespace tessaly
