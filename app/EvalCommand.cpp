#include "app/EvalCommand.h"

#include "app/CommandLine.h"
#include "base/Errors.h"
#include "expr/MathExpression.h"

#include <charconv>
#include <initializer_list>
#include <ostream>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace tessaly {

namespace {

struct TBinding {
    std::string Name;   // lower case
    double Value = 0;
};

bool IsNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsNameChar(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameFolded(std::string_view name, std::string_view lowerName)
{
    if (name.size() != lowerName.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (Lower(name[i]) != lowerName[i])
            return false;
    return true;
}

// A decimal number as a whole: an optional sign, digits with an optional point, an optional
// exponent. No blanks, no "inf" or "nan", nothing after it.
bool ParseDecimal(std::string_view text, double& value)
{
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || !((digits.front() >= '0' && digits.front() <= '9') || digits.front() == '.'))
        return false;
    double parsed = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed,
                                           std::chars_format::general);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return false;
    value = negative ? -parsed : parsed;
    return true;
}

int UsageError(std::ostream& err, std::initializer_list<std::string_view> why)
{
    err << "tessaly: ";
    for (std::string_view part : why)
        err << part;
    err << '\n' << UsageText();
    return 2;
}

} // namespace

std::string FormatDouble(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

int RunEvalCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return UsageError(err, {"--eval needs a formula"});
    std::vector<TBinding> bindings;
    for (const std::string& arg : args.subspan(1)) {
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos)
            return UsageError(err, {"'", arg, "' is not NAME=VALUE"});
        const std::string_view name(arg.data(), equals);
        const std::string_view text = std::string_view(arg).substr(equals + 1);
        bool validName = !name.empty() && IsNameStart(name.front());
        for (char c : name)
            validName = validName && IsNameChar(c);
        if (!validName)
            return UsageError(err, {"'", name,
                                    "' is not a name (letters, digits and '_', not first a digit)"});
        double value = 0;
        if (!ParseDecimal(text, value))
            return UsageError(err, {"'", text, "' is not a decimal number"});
        TBinding binding;
        for (char c : name)
            binding.Name += Lower(c);
        binding.Value = value;
        bool replaced = false;
        for (TBinding& existing : bindings)   // a later binding of the same name wins
            if (existing.Name == binding.Name) {
                existing.Value = value;
                replaced = true;
            }
        if (!replaced)
            bindings.push_back(std::move(binding));
    }

    TMathExpression expression("MEFunc");
    expression.OnVarRequest = [&bindings](TMathExpression&, std::string_view name, TVariant& value) {
        for (const TBinding& binding : bindings)
            if (SameFolded(name, binding.Name)) {
                value = binding.Value;
                return;
            }
        value.SetNull();   // unbound: "undefined variable"
    };
    expression.SetExpression(args.front());
    double result = 0;
    try {
        result = expression.Evaluate().ToReal();
    } catch (const std::exception& error) {
        err << error.what() << '\n';
        return 1;
    }
    out << FormatDouble(result) << '\n';
    return 0;
}

} // namespace tessaly
