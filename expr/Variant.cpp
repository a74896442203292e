#include "expr/Variant.h"

#include "base/Errors.h"
#include "expr/NumberScanner.h"

#include <cmath>
#include <limits>

namespace tessaly {

namespace {

// Exact intermediates for fixed-point and integer results.
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr double TwoTo63 = 9223372036854775808.0;

// An operand after reading strings as reals: integers, booleans (-1, 0) and fixed-point values
// (scaled) in Integer, reals in Real.
struct TNumber {
    TVariantKind Kind;
    double Real;
    std::int64_t Integer;
};

TNumber Numeric(const TVariant& v)
{
    switch (v.Kind()) {
    case vkReal:
        return {vkReal, v.Real(), 0};
    case vkBoolean:
        return {vkBoolean, 0, v.Boolean() ? -1 : 0};
    case vkInt64:
    case vkSmallInt:
        return {v.Kind(), 0, v.Integer()};
    case vkFixed:
        return {vkFixed, 0, v.FixedValue()};
    case vkString:
    case vkNull:
        break;
    }
    return {vkReal, v.ToReal(), 0};
}

double AsDouble(const TNumber& n)
{
    switch (n.Kind) {
    case vkReal:
        return n.Real;
    case vkFixed:
        return static_cast<double>(n.Integer) / static_cast<double>(TVariant::FixedScale);
    default:
        return static_cast<double>(n.Integer);
    }
}

bool IsIntegral(TVariantKind kind)
{
    return kind == vkInt64 || kind == vkSmallInt || kind == vkBoolean;
}

std::int64_t CheckedFixed(Int128 scaled)
{
    if (scaled < Int64Min || scaled > Int64Max)
        RaiseOverflow();
    return static_cast<std::int64_t>(scaled);
}

// n / d rounded to the nearest integer, halves to even (d != 0).
Int128 RoundDivide(Int128 n, Int128 d)
{
    Int128 q = n / d;
    const Int128 r = n % d;
    const UInt128 twiceRest = static_cast<UInt128>(r < 0 ? -r : r) * 2;
    const UInt128 divisor = static_cast<UInt128>(d < 0 ? -d : d);
    if (twiceRest > divisor || (twiceRest == divisor && (q & 1) != 0))
        q += ((n < 0) != (d < 0)) ? -1 : 1;
    return q;
}

// n / 2^shift rounded to the nearest integer, halves to even (1 <= shift <= 126).
Int128 RoundShift(Int128 n, int shift)
{
    const bool negative = n < 0;
    const UInt128 magnitude = negative ? -static_cast<UInt128>(n) : static_cast<UInt128>(n);
    UInt128 q = magnitude >> shift;
    const UInt128 rest = magnitude & ((static_cast<UInt128>(1) << shift) - 1);
    const UInt128 half = static_cast<UInt128>(1) << (shift - 1);
    if (rest > half || (rest == half && (q & 1) != 0))
        ++q;
    return negative ? -static_cast<Int128>(q) : static_cast<Int128>(q);
}

// A finite, non-zero double as (-1)^negative * mantissa * 2^exponent with mantissa < 2^53.
struct TBinary {
    bool Negative;
    std::uint64_t Mantissa;
    int Exponent;
};

TBinary Decompose(double r)
{
    int e = 0;
    const double f = std::frexp(std::fabs(r), &e);
    return {r < 0, static_cast<std::uint64_t>(std::ldexp(f, 53)), e - 53};
}

void CheckFixedOperand(double r)
{
    if (std::isnan(r))
        RaiseInvalidOperation();
    if (std::isinf(r))
        RaiseOverflow();
}

// fixed + r, all in units of 1/10000, rounded exactly (halves to even).
std::int64_t FixedPlusReal(Int128 fixed, double r)
{
    CheckFixedOperand(r);
    if (r == 0)
        return CheckedFixed(fixed);
    const TBinary b = Decompose(r);
    const UInt128 scaled = static_cast<UInt128>(b.Mantissa) * TVariant::FixedScale;   // < 2^67
    if (b.Exponent >= 0) {
        if (b.Exponent > 58)
            RaiseOverflow();
        const Int128 term = static_cast<Int128>(scaled << b.Exponent);
        return CheckedFixed(b.Negative ? fixed - term : fixed + term);
    }
    const int k = -b.Exponent;
    if (k <= 62) {
        const Int128 term = static_cast<Int128>(scaled);
        const Int128 n = fixed * (static_cast<Int128>(1) << k) + (b.Negative ? -term : term);
        return CheckedFixed(RoundShift(n, k));
    }
    // The real's part is below 2^6: keep 61 fraction bits and one sticky bit for the rest, which
    // decides every rounding exactly, since no rounding boundary lies between the two.
    const int j = k - 61;
    const UInt128 kept = j < 128 ? scaled >> j : 0;
    const bool sticky = j < 128 ? (scaled & ((static_cast<UInt128>(1) << j) - 1)) != 0 : scaled != 0;
    const Int128 term = static_cast<Int128>(kept) * 2 + (sticky ? 1 : 0);
    const Int128 n = fixed * (static_cast<Int128>(1) << 62) + (b.Negative ? -term : term);
    return CheckedFixed(RoundShift(n, 62));
}

// fixed * r in units of 1/10000, rounded exactly.
std::int64_t FixedTimesReal(Int128 fixed, double r)
{
    CheckFixedOperand(r);
    if (r == 0 || fixed == 0)
        return 0;
    const TBinary b = Decompose(r);
    const Int128 product = fixed * static_cast<Int128>(b.Mantissa);   // below 2^117
    const Int128 p = b.Negative ? -product : product;
    if (b.Exponent >= 0) {
        const UInt128 magnitude = p < 0 ? -static_cast<UInt128>(p) : static_cast<UInt128>(p);
        if (b.Exponent > 64 || magnitude > ((static_cast<UInt128>(1) << 64) >> b.Exponent))
            RaiseOverflow();
        return CheckedFixed(p * (static_cast<Int128>(1) << b.Exponent));
    }
    const int k = -b.Exponent;
    if (k > 126)
        return 0;   // below 2^-10 units
    return CheckedFixed(RoundShift(p, k));
}

// fixed / r in units of 1/10000, rounded exactly (r != 0).
std::int64_t FixedDividedByReal(Int128 fixed, double r)
{
    CheckFixedOperand(r);
    const TBinary b = Decompose(r);
    const bool negative = (fixed < 0) != b.Negative;
    const UInt128 a = fixed < 0 ? -static_cast<UInt128>(fixed) : static_cast<UInt128>(fixed);
    if (a == 0)
        return 0;
    const UInt128 m = b.Mantissa;
    UInt128 q, rest, divisor;
    const int k = -b.Exponent;   // the quotient is a * 2^k / m
    if (k >= 0) {
        if (k >= 117)
            RaiseOverflow();
        q = a / m;
        rest = a % m;
        for (int left = k; left > 0;) {
            // q stays below 2^64 and rest below m < 2^53, so nothing here wraps.
            const int step = left < 64 ? left : 64;
            rest <<= step;
            q = (q << step) + rest / m;
            rest %= m;
            if ((q >> 64) != 0)
                RaiseOverflow();
            left -= step;
        }
        divisor = m;
    } else {
        if (-k >= 64)
            return 0;   // at most one half, which rounds to the even 0
        divisor = m << -k;
        q = a / divisor;
        rest = a % divisor;
    }
    if (rest * 2 > divisor || (rest * 2 == divisor && (q & 1) != 0))
        ++q;
    if (q > static_cast<UInt128>(Int64Max) + (negative ? 1 : 0))
        RaiseOverflow();
    return CheckedFixed(negative ? -static_cast<Int128>(q) : static_cast<Int128>(q));
}

enum TArithmetic { arAdd, arSubtract, arMultiply };

double RealArithmetic(TArithmetic op, double x, double y)
{
    double result;
    switch (op) {
    case arAdd:
        result = x + y;
        break;
    case arSubtract:
        result = x - y;
        break;
    default:
        result = x * y;
        break;
    }
    CheckReal(result, x, y);
    return result;
}

std::int64_t FixedArithmetic(TArithmetic op, const TNumber& a, const TNumber& b)
{
    const bool leftFixed = a.Kind == vkFixed;
    const TNumber& fixed = leftFixed ? a : b;
    const TNumber& other = leftFixed ? b : a;
    const Int128 f = fixed.Integer;
    if (other.Kind == vkReal) {
        switch (op) {
        case arAdd:
            return FixedPlusReal(f, other.Real);
        case arSubtract:   // f - r, or r - f = -f + r
            return leftFixed ? FixedPlusReal(f, -other.Real) : FixedPlusReal(-f, other.Real);
        default:
            return FixedTimesReal(f, other.Real);
        }
    }
    const Int128 g = other.Kind == vkFixed ? other.Integer : Int128(other.Integer) * TVariant::FixedScale;
    const Int128 left = leftFixed ? f : g;
    const Int128 right = leftFixed ? g : f;
    switch (op) {
    case arAdd:
        return CheckedFixed(left + right);
    case arSubtract:
        return CheckedFixed(left - right);
    default:
        if (other.Kind == vkFixed)
            return CheckedFixed(RoundDivide(left * right, TVariant::FixedScale));
        return CheckedFixed(f * other.Integer);
    }
}

void Arithmetic(TArithmetic op, TVariant& left, const TVariant& right)
{
    const TNumber a = Numeric(left);
    const TNumber b = Numeric(right);
    if (a.Kind == vkFixed || b.Kind == vkFixed) {
        left.SetFixedScaled(FixedArithmetic(op, a, b));
        return;
    }
    if (a.Kind == vkReal || b.Kind == vkReal || (a.Kind == vkBoolean && b.Kind == vkBoolean)) {
        left.SetReal(RealArithmetic(op, AsDouble(a), AsDouble(b)));
        return;
    }
    // Two integers, or an integer and a boolean: 64-bit when one of them is, else 32-bit.
    const Int128 x = a.Integer, y = b.Integer;
    const Int128 exact = op == arAdd ? x + y : op == arSubtract ? x - y : x * y;
    if (exact < Int64Min || exact > Int64Max) {
        left.SetReal(static_cast<double>(exact));
        return;
    }
    const bool wide = a.Kind == vkInt64 || b.Kind == vkInt64;
    if (!wide && exact >= Int32Min && exact <= Int32Max)
        left.SetSmallInt(static_cast<std::int32_t>(exact));
    else
        left.SetInt64(static_cast<std::int64_t>(exact));
}

std::int64_t RoundNumber(const TNumber& n)
{
    switch (n.Kind) {
    case vkReal:
        return RoundToInt64(n.Real);
    case vkFixed:
        return static_cast<std::int64_t>(RoundDivide(n.Integer, TVariant::FixedScale));
    default:
        return n.Integer;
    }
}

std::int32_t RoundToInt32(const TVariant& v)
{
    const TNumber n = Numeric(v);
    if (n.Kind == vkReal) {
        if (std::isnan(n.Real))
            RaiseInvalidOperation();
        const double r = std::nearbyint(n.Real);
        if (!(r >= Int32Min && r <= Int32Max))
            throw ERangeError("Range check error");
        return static_cast<std::int32_t>(r);
    }
    const std::int64_t i = RoundNumber(n);
    if (i < Int32Min || i > Int32Max)
        throw ERangeError("Range check error");
    return static_cast<std::int32_t>(i);
}

enum TLogic { lgAnd, lgOr, lgXor };

void Logic(TLogic op, TVariant& left, const TVariant& right)
{
    if (left.Kind() == vkBoolean && right.Kind() == vkBoolean) {
        const bool x = left.Boolean(), y = right.Boolean();
        left.SetBoolean(op == lgAnd ? (x && y) : op == lgOr ? (x || y) : (x != y));
        return;
    }
    const std::int32_t x = RoundToInt32(left);
    const std::int32_t y = RoundToInt32(right);
    left.SetSmallInt(op == lgAnd ? (x & y) : op == lgOr ? (x | y) : (x ^ y));
}

int Sign(long double d)
{
    return d < 0 ? -1 : d > 0 ? 1 : 0;
}

} // namespace

TVariant TVariant::SmallInt(std::int32_t value)
{
    TVariant v;
    v.SetSmallInt(value);
    return v;
}

TVariant TVariant::Int64(std::int64_t value)
{
    TVariant v;
    v.SetInt64(value);
    return v;
}

TVariant TVariant::FixedScaled(std::int64_t scaled)
{
    TVariant v;
    v.SetFixedScaled(scaled);
    return v;
}

TVariant TVariant::Fixed(double value)
{
    return FixedScaled(FixedPlusReal(0, value));
}

std::int64_t TVariant::Integer() const
{
    if (FKind == vkInt64)
        return FInt64;
    if (FKind == vkSmallInt)
        return FSmallInt;
    return 0;
}

double TVariant::ToRealSlow() const
{
    switch (FKind) {
    case vkReal:
        return FReal;
    case vkBoolean:
        return FBoolean ? -1.0 : 0.0;
    case vkInt64:
        return static_cast<double>(FInt64);
    case vkSmallInt:
        return FSmallInt;
    case vkFixed:
        return static_cast<double>(FInt64) / static_cast<double>(FixedScale);
    case vkString:
        return ScanNumber(FString, 0).Value;
    case vkNull:
        break;
    }
    return 0;
}

bool TVariant::operator==(const TVariant& other) const
{
    if (FKind != other.FKind)
        return false;
    switch (FKind) {
    case vkNull:
        return true;
    case vkReal:
        return FReal == other.FReal;
    case vkBoolean:
        return FBoolean == other.FBoolean;
    case vkSmallInt:
        return FSmallInt == other.FSmallInt;
    case vkInt64:
    case vkFixed:
        return FInt64 == other.FInt64;
    case vkString:
        return FString == other.FString;
    }
    return false;
}

void VarAdd(TVariant& left, const TVariant& right)
{
    Arithmetic(arAdd, left, right);
}

void VarSubtract(TVariant& left, const TVariant& right)
{
    Arithmetic(arSubtract, left, right);
}

void VarMultiply(TVariant& left, const TVariant& right)
{
    Arithmetic(arMultiply, left, right);
}

void VarDivide(TVariant& left, const TVariant& right)
{
    const TNumber a = Numeric(left);
    const TNumber b = Numeric(right);
    if (a.Kind == vkFixed) {
        if (VarIsZero(right))
            RaiseZeroDivide();
        std::int64_t q;
        if (b.Kind == vkReal)
            q = FixedDividedByReal(a.Integer, b.Real);
        else if (b.Kind == vkFixed)
            q = CheckedFixed(RoundDivide(Int128(a.Integer) * TVariant::FixedScale, b.Integer));
        else
            q = CheckedFixed(RoundDivide(a.Integer, b.Integer));
        left.SetFixedScaled(q);
        return;
    }
    // Every other quotient is real; a fixed-point divisor is read as a real.
    const double x = AsDouble(a);
    const double y = AsDouble(b);
    if (y == 0) {
        if (x == 0 || std::isnan(x))
            RaiseInvalidOperation();
        RaiseZeroDivide();
    }
    const double q = x / y;
    CheckReal(q, x, y);
    left.SetReal(q);
}

void VarNegate(TVariant& value)
{
    switch (value.Kind()) {
    case vkReal:
        value.SetReal(-value.Real());
        return;
    case vkBoolean:   // as the number -1 or 0, negated
        value.SetSmallInt(value.Boolean() ? 1 : 0);
        return;
    case vkInt64:
        if (value.Integer() == Int64Min)
            value.SetReal(TwoTo63);
        else
            value.SetInt64(-value.Integer());
        return;
    case vkSmallInt:
        if (value.Integer() == Int32Min)
            value.SetInt64(-value.Integer());
        else
            value.SetSmallInt(static_cast<std::int32_t>(-value.Integer()));
        return;
    case vkFixed:
        value.SetFixedScaled(CheckedFixed(-Int128(value.FixedValue())));
        return;
    case vkString:
    case vkNull:
        value.SetReal(-value.ToReal());
        return;
    }
}

int VarCompare(const TVariant& left, const TVariant& right)
{
    const TNumber a = Numeric(left);
    const TNumber b = Numeric(right);
    if (IsIntegral(a.Kind) && IsIntegral(b.Kind))
        return a.Integer < b.Integer ? -1 : a.Integer > b.Integer ? 1 : 0;
    if (a.Kind != vkReal && b.Kind != vkReal) {   // fixed point with fixed point or integers
        const Int128 x = a.Kind == vkFixed ? Int128(a.Integer) : Int128(a.Integer) * TVariant::FixedScale;
        const Int128 y = b.Kind == vkFixed ? Int128(b.Integer) : Int128(b.Integer) * TVariant::FixedScale;
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if ((a.Kind == vkReal && std::isnan(a.Real)) || (b.Kind == vkReal && std::isnan(b.Real)))
        RaiseInvalidOperation();
    // Extended precision holds every 64-bit integer and every double exactly.
    auto wide = [](const TNumber& n) -> long double {
        switch (n.Kind) {
        case vkReal:
            return n.Real;
        case vkFixed:
            return static_cast<long double>(n.Integer) / TVariant::FixedScale;
        default:
            return static_cast<long double>(n.Integer);
        }
    };
    return Sign(wide(a) - wide(b));
}

bool VarIsZero(const TVariant& value)
{
    const TNumber n = Numeric(value);
    return n.Kind == vkReal ? n.Real == 0 : n.Integer == 0;
}

bool VarIsNegative(const TVariant& value)
{
    const TNumber n = Numeric(value);
    return n.Kind == vkReal ? n.Real < 0 : n.Integer < 0;
}

void VarAnd(TVariant& left, const TVariant& right)
{
    Logic(lgAnd, left, right);
}

void VarOr(TVariant& left, const TVariant& right)
{
    Logic(lgOr, left, right);
}

void VarXor(TVariant& left, const TVariant& right)
{
    Logic(lgXor, left, right);
}

void VarNot(TVariant& value)
{
    if (value.Kind() == vkBoolean)
        value.SetBoolean(!value.Boolean());
    else
        value.SetSmallInt(~RoundToInt32(value));
}

std::int64_t VarRoundToInt64(const TVariant& value)
{
    return RoundNumber(Numeric(value));
}

std::int64_t RoundToInt64(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= -TwoTo63 && r < TwoTo63))
        RaiseInvalidOperation();
    return static_cast<std::int64_t>(r);
}

void RaiseOverflow()
{
    throw EMathError("Floating point overflow");
}

void RaiseInvalidOperation()
{
    throw EMathError("Invalid floating point operation");
}

void RaiseZeroDivide()
{
    throw EMathError("Floating point division by zero");
}

void CheckRealResult(double result, double a)
{
    if (std::isnan(result)) {
        if (!std::isnan(a))
            RaiseInvalidOperation();
    } else if (std::isinf(result) && std::isfinite(a)) {
        RaiseOverflow();
    }
}

void CheckRealResult(double result, double a, double b)
{
    if (std::isnan(result)) {
        if (!std::isnan(a) && !std::isnan(b))
            RaiseInvalidOperation();
    } else if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) {
        RaiseOverflow();
    }
}

} // namespace tessaly
