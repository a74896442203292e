#pragma once
// The tagged value the expression engine computes with, and the arithmetic between its kinds.
// Real arithmetic reports overflow and invalid operations as EMathError; integer results that
// leave 64 bits become reals; fixed-point results are rounded to four places, halves to even.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace tessaly {

class TMathExpression;

enum TVariantKind : std::uint8_t {
    vkNull,       // "no value": a variable handler's way of saying a name is unknown
    vkReal,       // double
    vkBoolean,    // true counts as -1, false as 0
    vkInt64,      // 64-bit integer
    vkSmallInt,   // 32-bit integer
    vkFixed,      // fixed point with four decimals, held as the value times 10000
    vkString,     // text, read as a number by the number scanner when used
};

class TVariant {
public:
    static constexpr std::int64_t FixedScale = 10000;

    TVariant() = default;   // Null
    TVariant(double value) : FKind(vkReal), FReal(value) {}
    TVariant(bool value) : FKind(vkBoolean), FBoolean(value) {}
    TVariant(int value) : FKind(vkSmallInt), FSmallInt(value) {}
    TVariant(long value) : FKind(vkInt64), FInt64(value) {}
    TVariant(long long value) : FKind(vkInt64), FInt64(value) {}
    TVariant(std::string_view text) : FKind(vkString), FString(text) {}
    TVariant(const char* text) : TVariant(std::string_view(text)) {}
    TVariant(const std::string& text) : TVariant(std::string_view(text)) {}

    // Copies carry the text only for strings, so copying a number never touches the heap.
    TVariant(const TVariant& other) { *this = other; }
    TVariant(TVariant&& other) noexcept { *this = std::move(other); }
    TVariant& operator=(const TVariant& other)
    {
        FKind = other.FKind;
        CopyValue(other);
        if (other.FKind == vkString)
            FString = other.FString;
        return *this;
    }
    TVariant& operator=(TVariant&& other) noexcept
    {
        FKind = other.FKind;
        CopyValue(other);
        if (other.FKind == vkString)
            FString.swap(other.FString);
        return *this;
    }
    TVariant& operator=(double value)
    {
        SetReal(value);
        return *this;
    }

    static TVariant SmallInt(std::int32_t value);
    static TVariant Int64(std::int64_t value);
    // A fixed-point value from its scaled form: FixedScaled(15000) is 1.5.
    static TVariant FixedScaled(std::int64_t scaled);
    // A fixed-point value from a real, rounded to four places (halves to even); a real
    // beyond the fixed-point range raises "Floating point overflow".
    static TVariant Fixed(double value);

    TVariantKind Kind() const { return FKind; }
    bool IsNull() const { return FKind == vkNull; }

    // The stored value of the matching kind; other kinds give 0, false or "".
    double Real() const { return FKind == vkReal ? FReal : 0.0; }
    bool Boolean() const { return FKind == vkBoolean && FBoolean; }
    std::int64_t Integer() const;          // vkInt64 and vkSmallInt
    std::int64_t FixedValue() const { return FKind == vkFixed ? FInt64 : 0; }   // scaled
    const std::string& String() const { return FString; }

    // The value as a number: true is -1, false 0, a string is read by the number scanner
    // (0 when it holds no number), Null is 0.
    double ToReal() const { return FKind == vkReal ? FReal : ToRealSlow(); }

    void SetNull() { FKind = vkNull; }
    void SetReal(double value) { FKind = vkReal; FReal = value; }
    void SetBoolean(bool value) { FKind = vkBoolean; FBoolean = value; }
    void SetInt64(std::int64_t value) { FKind = vkInt64; FInt64 = value; }
    void SetSmallInt(std::int32_t value) { FKind = vkSmallInt; FSmallInt = value; }
    void SetFixedScaled(std::int64_t scaled) { FKind = vkFixed; FInt64 = scaled; }
    void SetString(std::string_view text) { FKind = vkString; FString.assign(text); }

    // Same kind and same value (reals compared by value, so NaN differs from itself).
    bool operator==(const TVariant& other) const;

private:
    friend class TMathExpression;   // reads and writes values of known kind directly

    double ToRealSlow() const;

    TVariantKind FKind = vkNull;
    // The value's bytes, whichever member is active: reading an inactive member of a union is
    // undefined, copying its object representation is not, and compiles to one 8-byte move.
    void CopyValue(const TVariant& other) noexcept
    {
        static_assert(sizeof FReal == sizeof FInt64);
        std::memcpy(static_cast<void*>(&FInt64), static_cast<const void*>(&other.FInt64),
                    sizeof FInt64);
    }

    union {
        double FReal = 0;
        bool FBoolean;
        std::int64_t FInt64;     // vkInt64 and vkFixed
        std::int32_t FSmallInt;
    };
    std::string FString;         // vkString only; keeps its buffer when the kind changes
};

// The operations of the formula language. Each stores its result in `left` (the left operand
// on entry); `right` is the right operand. Strings are read as reals first. Overflow and invalid
// operations of the arithmetic raise EMathError. Domain errors that carry a component's name
// ("division by zero" and the like) are the caller's to check before.
void VarAdd(TVariant& left, const TVariant& right);
void VarSubtract(TVariant& left, const TVariant& right);
void VarMultiply(TVariant& left, const TVariant& right);
// A zero divisor raises "Floating point division by zero".
void VarDivide(TVariant& left, const TVariant& right);
void VarNegate(TVariant& value);

// Numeric comparison: -1, 0 or 1; booleans count as -1 and 0; a NaN operand raises
// "Invalid floating point operation".
int VarCompare(const TVariant& left, const TVariant& right);
bool VarIsZero(const TVariant& value);
bool VarIsNegative(const TVariant& value);

// Logical on two booleans; otherwise bitwise on the operands rounded to 32-bit integers
// (halves to even), which raises ERangeError "Range check error" beyond 32 bits.
void VarAnd(TVariant& left, const TVariant& right);
void VarOr(TVariant& left, const TVariant& right);
void VarXor(TVariant& left, const TVariant& right);
void VarNot(TVariant& value);

// The value rounded to the nearest integer, halves to even; beyond 64 bits (or NaN) it raises
// "Invalid floating point operation".
std::int64_t VarRoundToInt64(const TVariant& value);

// Rounds a double to the nearest integer, halves to even, as above.
std::int64_t RoundToInt64(double value);

// Raise the platform's floating-point faults.
[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseInvalidOperation();
[[noreturn]] void RaiseZeroDivide();

// The fault check after a real operation, for results that are not finite: a NaN from operands
// that are not NaN is an invalid operation, an infinity from finite operands an overflow (as the
// IEEE flags would say); results of non-finite operands pass.
void CheckRealResult(double result, double a);
void CheckRealResult(double result, double a, double b);

inline void CheckReal(double result, double a)
{
    if (__builtin_expect(!__builtin_isfinite(result), 0))
        CheckRealResult(result, a);
}

inline void CheckReal(double result, double a, double b)
{
    if (__builtin_expect(!__builtin_isfinite(result), 0))
        CheckRealResult(result, a, b);
}

} // namespace tessaly
