// libFuzzer target: Evaluate on arbitrary text. The handler binds x, a, b, c and d, one of each
// value kind the engine knows besides Null (a real, a fixed-point number, a 64-bit integer, a
// string and a boolean), and leaves every other name undefined. The engine's own errors are
// expected results; anything else that escapes, a crash, a sanitizer report or a slow input is
// a finding.
#include "base/Errors.h"
#include "expr/MathExpression.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tessaly;
    static TMathExpression expression("MEFunc");
    static const bool bound = [] {
        expression.OnVarRequest = [](TMathExpression&, std::string_view name, TVariant& value) {
            if (name.size() != 1) {
                value.SetNull();
                return;
            }
            switch (name[0] | 0x20) {
            case 'x': value = -37.25; break;
            case 'a': value = TVariant::FixedScaled(5000); break;   // 0.5
            case 'b': value = TVariant::Int64(3); break;
            case 'c': value = " 2,5e-2x"; break;
            case 'd': value = true; break;
            default: value.SetNull(); break;
            }
        };
        return true;
    }();
    (void)bound;

    expression.SetExpression(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        const TVariant result = expression.Evaluate();
        volatile double sink = result.ToReal();
        (void)sink;
    } catch (const ETovraError&) {   // ETovraMath2Error and ERangeError
    } catch (const EMathError&) {
    }
    return 0;
}
