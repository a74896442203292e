#pragma once
// Helpers shared by the engine's tests: evaluation with a handler shaped like the main window's
// (the name folded to lower case, x and a..d looked up, anything else undefined), and the
// message of whatever an evaluation raised.

#include "base/ComponentMessage.h"
#include "base/Errors.h"
#include "expr/MathExpression.h"

#include <string>
#include <string_view>

namespace tessaly::test {

struct TBindings {
    double x = 0, a = 0.5, b = 1, c = 0.03, d = 0.4;
};

inline void BindLikeMainWindow(TMathExpression& e, TBindings& v)
{
    e.OnVarRequest = [&v](TMathExpression&, std::string_view name, TVariant& value) {
        const char c = name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z' ? name[0] + 32
                                                                             : name.size() == 1 ? name[0] : 0;
        switch (c) {
        case 'x': value = v.x; break;
        case 'a': value = v.a; break;
        case 'b': value = v.b; break;
        case 'c': value = v.c; break;
        case 'd': value = v.d; break;
        default: value.SetNull(); break;
        }
    };
}

// The value of a formula with x bound (and a..d as the main window starts).
inline TVariant Eval(std::string_view text, double x = 0)
{
    TMathExpression e("MEFunc");
    TBindings values;
    values.x = x;
    BindLikeMainWindow(e, values);
    e.SetExpression(text);
    return e.Evaluate();
}

inline double EvalReal(std::string_view text, double x = 0)
{
    return Eval(text, x).ToReal();
}

// The message of the error the formula raises, or "" when it evaluates.
inline std::string ErrorOf(std::string_view text, double x = 0)
{
    try {
        Eval(text, x);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

inline std::string Reason(std::string_view reason)
{
    return ComponentMessage("MEFunc", reason);
}

} // namespace tessaly::test
