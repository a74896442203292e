#include "expr/MathExpression.h"

#include "base/ComponentMessage.h"
#include "base/Errors.h"
#include "expr/NormalDistribution.h"
#include "expr/NumberScanner.h"
#include "expr/Random.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

} // namespace

// The operator stack holds its own type, so that its stores do not alias the counts (as stores
// of a character type would) and the compiler keeps them in registers.
enum class TTokenCode : std::uint8_t {};

namespace {

// What the token reader does with the character at a token's start. A NUL is the end of the
// text when it is the terminator, and an ordinary character (an empty name) otherwise.
enum : std::uint8_t {
    ccWord, ccSingle, ccOpen, ccClose, ccLess, ccGreater, ccPlus, ccMinus, ccNumber, ccBlank, ccNul
};
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
    const auto set = [&t](char c, std::uint8_t cls) { t.Class[static_cast<unsigned char>(c)] = cls; };
    const auto single = [&t, &set](char c, std::uint8_t token) {
        set(c, ccSingle);
        t.Single[static_cast<unsigned char>(c)] = token;
    };
    single('#', tkModulo);
    single('*', tkTimes);
    single('/', tkDivide);
    single('^', tkPower);
    single('=', tkEqual);
    set('(', ccOpen);
    set(')', ccClose);
    set('<', ccLess);
    set('>', ccGreater);
    set('+', ccPlus);
    set('-', ccMinus);
    set('.', ccNumber);
    set(' ', ccBlank);
    set('\0', ccNul);
    for (int c = '0'; c <= '9'; ++c) {
        t.Class[c] = ccNumber;
        t.Props[c] = cpAlnum | cpName;
    }
    for (int c = 'a'; c <= 'z'; ++c) {
        t.Props[c] = cpAlnum | cpName;
        t.Props[c - 'a' + 'A'] = cpAlnum | cpName;
    }
    t.Props[static_cast<unsigned char>('_')] = cpName;
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

// The keyword code of a run of letters and digits, or 0. The keywords differ from each other,
// so a direct lookup finds what a search in table order finds.
std::uint8_t MatchKeyword(const char* run, std::size_t length, const char* textEnd)
{
    if (length < 2 || length > 7)
        return 0;
    std::uint64_t packed = 0;
    if (std::endian::native == std::endian::little && textEnd - run >= 8) {
        std::memcpy(&packed, run, 8);
        packed &= ~std::uint64_t{0} >> (64 - 8 * length);
    } else {
        for (std::size_t i = 0; i < length; ++i)
            packed |= static_cast<std::uint64_t>(static_cast<unsigned char>(run[i])) << (8 * i);
    }
    packed |= 0x2020202020202020ull >> (64 - 8 * length);   // lowers letters, keeps digits
    switch (packed) {
    case Pack("sin"): return tkSin;
    case Pack("cos"): return tkCos;
    case Pack("tan"): return tkTan;
    case Pack("arcsin"): return tkArcSin;
    case Pack("arccos"): return tkArcCos;
    case Pack("arctan"): return tkArcTan;
    case Pack("abs"): return tkAbs;
    case Pack("sign"): return tkSign;
    case Pack("sqrt"): return tkSqrt;
    case Pack("sqr"): return tkSqr;
    case Pack("round"): return tkRound;
    case Pack("ndint"): return tkNdInt;
    case Pack("ndquant"): return tkNdQuant;
    case Pack("nddens"): return tkNdDens;
    case Pack("pi"): return tkPi;
    case Pack("true"): return tkTrue;
    case Pack("false"): return tkFalse;
    case Pack("exp"): return tkExp;
    case Pack("ln"): return tkLn;
    case Pack("lg"): return tkLg;
    case Pack("gauss"): return tkGauss;
    case Pack("rand"): return tkRand;
    case Pack("frac"): return tkFrac;
    case Pack("int"): return tkInt;
    case Pack("and"): return tkAnd;
    case Pack("not"): return tkNot;
    case Pack("or"): return tkOr;
    case Pack("xor"): return tkXor;
    default: return 0;
    }
}

constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The common short number (at most 15 digits, one optional separator, no exponent) read at
// once, from a text that a NUL follows. It gives what ScanNumber gives, or false when the
// general scanner must decide.
bool ScanShortNumber(const char*& at, double& value)
{
    const char* p = at;
    std::uint64_t w = 0;
    int digits = 0, fraction = 0;
    for (; IsDigit(*p); ++p, ++digits)
        w = w * 10 + static_cast<std::uint64_t>(*p - '0');
    if (*p == '.' || *p == ',') {
        for (++p; IsDigit(*p); ++p, ++digits, ++fraction)
            w = w * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    if (digits == 0 || digits > 15)
        return false;
    if (*p == '.' || *p == ',' || *p == 'E' || *p == 'e')
        return false;   // a second separator or an exponent
    // Below 2^53 the digits are exact, as is the power of ten: one rounding, as from_chars.
    value = fraction == 0 ? static_cast<double>(w)
                          : static_cast<double>(w) / ExactPowersOfTen[fraction];
    at = p;
    return true;
}

// The count of '(' minus the count of ')', sixteen characters at a time. A string's buffer holds
// capacity + 1 bytes, so the last chunk may be read whole when the capacity allows it; the
// bytes past the end are masked off. (Copying the rest into a local chunk instead would stall
// the load behind the copy's smaller stores.)
std::ptrdiff_t BracketBalance(const char* s, std::size_t size, std::size_t capacity)
{
    std::ptrdiff_t balance = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i open = _mm_set1_epi8('(');
    const __m128i close = _mm_set1_epi8(')');
    const __m128i one = _mm_set1_epi8(1);
    const __m128i zero = _mm_setzero_si128();
    auto count = [&](__m128i v, __m128i lanes) {
        // Matches become 1 bytes; the sums of absolute differences against 0 add them up.
        const __m128i opens = _mm_sad_epu8(_mm_and_si128(_mm_cmpeq_epi8(v, open), lanes), zero);
        const __m128i closes = _mm_sad_epu8(_mm_and_si128(_mm_cmpeq_epi8(v, close), lanes), zero);
        const __m128i d = _mm_sub_epi64(opens, closes);
        balance += _mm_cvtsi128_si64(d) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(d, d));
    };
    for (; i + 16 <= size; i += 16)
        count(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)), one);
    if (i < size && i + 15 <= capacity) {
        const __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        const __m128i inText = _mm_cmplt_epi8(index, _mm_set1_epi8(static_cast<char>(size - i)));
        count(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)), _mm_and_si128(inText, one));
        i = size;
    }
#else
    (void)capacity;
#endif
    for (; i < size; ++i)
        balance += (s[i] == '(') - (s[i] == ')');
    return balance;
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
    // Room for 15 bytes past the text lets the bracket count read whole 16-byte chunks. Built
    // apart first: the text may be a view of the old one.
    std::string fresh;
    fresh.reserve(text.size() + 15);
    fresh.assign(text);
    // The running scan reads FExpression; a new text waits until the scan ends.
    (FEvaluating ? FPendingExpression : FExpression).swap(fresh);
    FHasPendingExpression = FEvaluating;
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

// Takes the top operator off its stack and applies it (the caller has checked that there is
// one). The common real cases are here, inline; everything else is ReduceGeneral's.
inline __attribute__((always_inline)) void TMathExpression::Reduce()
{
    const std::uint8_t op = static_cast<std::uint8_t>(FOperatorStack[FOperatorCount--]);
    const int count = FVariableCount;
    TVariant* const top = FVariableStack + count;   // top[-1] is the topmost value
    double r;
    switch (op) {
    case tkPlus:
    case tkMinus:
    case tkTimes:
    case tkDivide: {
        if (count < 2 || top[-2].FKind != vkReal || top[-1].FKind != vkReal)
            break;
        const double x = top[-2].FReal, y = top[-1].FReal;
        if (op == tkPlus)
            r = x + y;
        else if (op == tkMinus)
            r = x - y;
        else if (op == tkTimes)
            r = x * y;
        else if (y == 0)
            Fail("division by zero");
        else
            r = x / y;
        CheckReal(r, x, y);
        top[-2].FReal = r;
        FVariableCount = count - 1;
        return;
    }
    case tkNegate:
        if (count < 1 || top[-1].FKind != vkReal)
            break;
        top[-1].FReal = -top[-1].FReal;
        return;
    // Below 2^63 (which leaves out infinities and NaN) sine and cosine are finite: nothing to
    // check. The rest takes the general path.
    case tkSin:
        if (count < 1 || top[-1].FKind != vkReal || !(std::fabs(top[-1].FReal) < TwoTo63))
            break;
        top[-1].FReal = std::sin(top[-1].FReal);
        return;
    case tkCos:
        if (count < 1 || top[-1].FKind != vkReal || !(std::fabs(top[-1].FReal) < TwoTo63))
            break;
        top[-1].FReal = std::cos(top[-1].FReal);
        return;
    default:
        break;
    }
    FVariableCount = ReduceGeneral(op, count);
}

// The scan dispatches with computed gotos (a GNU extension that GCC and Clang share): every
// token's code jumps straight to the next token's, and the branch predictors learn each jump
// on its own, which makes the scan a few per cent faster than one switch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
#if defined(__clang__)
#pragma clang diagnostic ignored "-Wgnu-label-as-value"
#endif

TVariant TMathExpression::Evaluate()
{
    if (FEvaluating)   // from inside OnVarRequest: the stacks are in use
        Fail("recursive evaluation");
    TEvaluation evaluation(*this);

    FDrewRandom = false;
    FOperatorCount = 0;
    FVariableCount = 0;
    const char* const s = FExpression.c_str();
    const std::size_t size = FExpression.size();

    if (BracketBalance(s, size, FExpression.capacity()) != 0)
        Fail("unmatched parantheses");
    if (size == 0)
        Fail("empty expression");

    static void* const Dispatch[] = {&&word,    &&single, &&open,   &&close,
                                     &&less,    &&greater, &&plus,  &&minus,
                                     &&number,  &&blank,  &&nul};
    static_assert(sizeof Dispatch / sizeof Dispatch[0] == ccNul + 1);
    const char* at = s;   // the scan's position
    std::uint8_t previous = tkNone;
    std::uint8_t token;

    // Operands and brackets are handled where they are read; operators, functions and
    // constants go on to "push".
#define TESSALY_NEXT_TOKEN goto* Dispatch[Chars.Class[static_cast<unsigned char>(*at)]]
    TESSALY_NEXT_TOKEN;

blank:   // never the last character: the text never ends in a blank
    ++at;
    TESSALY_NEXT_TOKEN;

number: {
    double value;
    if (!ScanShortNumber(at, value)) {
        const TNumberScan scan = ScanNumber(FExpression, static_cast<std::size_t>(at - s));
        at = s + scan.Next;
        value = scan.Value;
    }
    FVariableStack[FVariableCount].SetReal(value);
    if (++FVariableCount > StackSize)
        Fail("variable stack overflow");
    previous = tkOperand;
    TESSALY_NEXT_TOKEN;
}

nul:   // the terminator ends the text; a NUL inside it is an ordinary character
    if (at == s + size)
        goto textEnd;
    goto word;
word: {
    const char* end = at;
    while (Chars.Props[static_cast<unsigned char>(*end)] & cpAlnum)   // the NUL ends it
        ++end;
    token = MatchKeyword(at, static_cast<std::size_t>(end - at), s + size);
    if (token != 0) {
        at = end;
        goto push;
    }
    while (Chars.Props[static_cast<unsigned char>(*end)] & cpName)
        ++end;
    const std::string_view name(at, static_cast<std::size_t>(end - at));
    at = end;
    TVariant& value = FVariableStack[FVariableCount];
    value.SetFixedScaled(0);
    if (OnVarRequest)
        OnVarRequest(*this, name, value);
    if (value.IsNull())
        FailUndefined(name);
    if (++FVariableCount > StackSize)
        Fail("variable stack overflow");
    previous = tkOperand;
    TESSALY_NEXT_TOKEN;
}

open:
    ++at;
    if (FOperatorCount >= StackSize)
        Fail("operator stack overflow");
    FOperatorStack[++FOperatorCount] = TTokenCode{tkOpen};
    previous = tkOpen;
    TESSALY_NEXT_TOKEN;

close:
    ++at;
    while (FOperatorCount > 0 && FOperatorStack[FOperatorCount] != TTokenCode{tkOpen})
        Reduce();
    if (FOperatorCount == 0)
        Fail("operator stack underflow");
    --FOperatorCount;
    previous = tkClose;
    TESSALY_NEXT_TOKEN;

single:
    token = Chars.Single[static_cast<unsigned char>(*at)];
    ++at;
    goto push;

less:
    ++at;
    token = tkLess;
    if (*at == '=') {
        ++at;
        token = tkLessEqual;
    } else if (*at == '>') {
        ++at;
        token = tkNotEqual;
    }
    goto push;

greater:
    ++at;
    token = tkGreater;
    if (*at == '=') {
        ++at;
        token = tkGreaterEqual;
    }
    goto push;

plus:
    ++at;
    token = (SignContext >> previous) & 1 ? tkUnaryPlus : tkPlus;
    goto push;

minus:
    ++at;
    token = (SignContext >> previous) & 1 ? tkNegate : tkMinus;
    goto push;

push: {
    // The entry below the stack holds priority 0, lower than any token's, so the loop needs no
    // test for an empty stack.
    const std::uint8_t priority = Priority[token];
    while (Priority[static_cast<std::uint8_t>(FOperatorStack[FOperatorCount])] >= priority)
        Reduce();
    if (FOperatorCount >= StackSize)
        Fail("operator stack overflow");
    FOperatorStack[++FOperatorCount] = TTokenCode{token};
    previous = token;
    TESSALY_NEXT_TOKEN;
}
#undef TESSALY_NEXT_TOKEN

textEnd:
    while (FOperatorCount > 0)
        Reduce();
    if (FVariableCount != 1)
        Fail("syntax error");
    return FVariableStack[0];
}

#pragma GCC diagnostic pop

int TMathExpression::ReduceGeneral(std::uint8_t op, int variables)
{
    switch (Operands[op]) {
    case 2:
        return ReduceBinary(op, variables);
    case 1:
        ReduceUnary(op, variables);
        return variables;
    default:
        return PushConstant(op, variables);
    }
}

int TMathExpression::ReduceBinary(std::uint8_t op, int variables)
{
    if (variables < 2)
        Fail("variable stack underflow");
    TVariant& left = FVariableStack[variables - 2];
    const TVariant& right = FVariableStack[variables - 1];
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
    return variables - 1;
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

void TMathExpression::ReduceUnary(std::uint8_t op, int variables)
{
    if (variables < 1)
        Fail("variable stack underflow");
    TVariant& v = FVariableStack[variables - 1];
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
        FDrewRandom = true;
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

int TMathExpression::PushConstant(std::uint8_t op, int variables)
{
    TVariant& slot = FVariableStack[variables];
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
        FDrewRandom = true;
        slot.SetReal(GaussRandom());
        break;
    default:   // an opening bracket never reaches this point: the bracket counts are equal
        Fail("syntax error");
    }
    if (variables + 1 > StackSize)
        Fail("variable stack overflow");
    return variables + 1;
}

} // namespace tessaly
