#pragma once
// TMathExpression: one formula as text and its value on request. Every Evaluate scans the text
// from its first character and computes in the same pass with an operator stack and a variable
// stack (operator-precedence parsing, each operator applied as it leaves the stack). Names that
// are not keywords are handed to OnVarRequest, which supplies their values; the component knows
// no variables of its own.
//
//   TMathExpression e("MEFunc");
//   e.OnVarRequest = [&](TMathExpression&, std::string_view name, TVariant& value) {
//       if (name == "x") value = x; else value.SetNull();   // Null: "undefined variable"
//   };
//   e.SetExpression("2*sin(x)");
//   double y = e.Evaluate().ToReal();

#include "expr/Variant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tessaly {

// The token codes on the operator stack (defined with the token reader).
enum class TTokenCode : std::uint8_t;

class TMathExpression {
public:
    // Called once per occurrence of a name, in text order, with the name as written (case kept,
    // a view into the text) and the value preset to the fixed-point number 0. Leaving the value
    // unchanged gives 0; setting Null makes Evaluate fail with "undefined variable".
    using TOnVarRequestEvent =
        std::function<void(TMathExpression& sender, std::string_view varName, TVariant& value)>;

    static constexpr int StackSize = 100;

    TMathExpression() = default;
    explicit TMathExpression(std::string name) : FName(std::move(name)) {}
    TMathExpression(const TMathExpression&) = delete;
    TMathExpression& operator=(const TMathExpression&) = delete;

    // The component's name, which every error message carries: Component "<name>": <reason>.
    const std::string& Name() const { return FName; }
    void SetName(std::string name) { FName = std::move(name); }

    // The formula. The setter removes leading and trailing blanks (character 32 only) and does
    // not parse. Set from inside OnVarRequest, the new text applies from the next Evaluate on.
    // The scan relies on both: the text never ends in a blank, and it is followed by a NUL.
    const std::string& Expression() const;
    void SetExpression(std::string_view text);

    // Scans and computes the formula. Raises ETovraMath2Error for structural and domain errors,
    // EMathError for floating-point overflow and invalid operations, ERangeError for logical
    // operators on numbers beyond 32 bits. Allocates nothing unless a handler or an error does.
    TVariant Evaluate();

    TOnVarRequestEvent OnVarRequest;

    // Whether the last evaluation drew a random number (rand, gauss): its value is no function
    // of the variables alone.
    bool DrewRandom() const { return FDrewRandom; }

    // The stack counts as the last evaluation left them.
    int OperatorCount() const { return FOperatorCount; }
    int VariableCount() const { return FVariableCount; }

private:
    class TEvaluation;

    [[noreturn]] void Fail(std::string_view reason) const;
    [[noreturn]] void FailUndefined(std::string_view name) const;
    // The reduce step. The slow paths take the variable count and return the new one.
    void Reduce();
    int ReduceGeneral(std::uint8_t op, int variables);
    int ReduceBinary(std::uint8_t op, int variables);
    void ReduceUnary(std::uint8_t op, int variables);
    int PushConstant(std::uint8_t op, int variables);
    void Power(TVariant& left, const TVariant& right);

    std::string FName;
    std::string FExpression;
    std::string FPendingExpression;   // set during an evaluation, taken over when it ends
    bool FHasPendingExpression = false;
    bool FEvaluating = false;
    bool FDrewRandom = false;

    // Operator entries 1 .. count are in use; entry 0 stays "none", a floor of priority 0.
    // Variable entries 0 .. count-1 are in use, with one spare entry: a value is read into the
    // entry above the top before the overflow check.
    TTokenCode FOperatorStack[StackSize + 1] = {};
    int FOperatorCount = 0;
    TVariant FVariableStack[StackSize + 1];
    int FVariableCount = 0;
};

} // namespace tessaly
