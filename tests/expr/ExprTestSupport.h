#pragma once
// Helpers shared by the engine's tests: evaluation with a handler shaped like the main window's
// (names folded to lower case, x and a..d looked up, anything else undefined), and the message
// of whatever an evaluation raised.

#include "expr/Errors.h"
#include "expr/MathExpression.h"

#include <cctype>
#include <string>
#include <string_view>

namespace tessaly::test {

struct TBindings {
    double x = 0, a = 0.5, b = 1, c = 0.03, d = 0.4;
};

inline void BindLikeMainWindow(TMathExpression& e, TBindings& values)
{
    e.OnVarRequest = [&values](TMathExpression&, std::string_view name, TVariant& value) {
        char folded[8];
        if (name.size() != 1) {
            value.SetNull();
            return;
        }
        folded[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
        switch (folded[0]) {
        case 'x': value = values.x; break;
        case 'a': value = values.a; break;
        case 'b': value = values.b; break;
        case 'c': value = values.c; break;
        case 'd': value = values.d; break;
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
