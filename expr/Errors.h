#pragma once
// The error classes of the component suite. Every component error derives from ETovraError;
// component messages read: Component "<name>": <reason>.

#include <stdexcept>
#include <string>
#include <string_view>

namespace tessaly {

class ETovraError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Errors of the expression engine.
class ETovraMath2Error : public ETovraError {
public:
    using ETovraError::ETovraError;
};

// The platform's floating-point faults: "Floating point overflow", "Invalid floating point
// operation", "Floating point division by zero" and "tangens overflow". They carry no
// component prefix.
class EMathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Range errors of integer conversions: the logical operators on numbers outside the 32-bit
// range. The message is "Range check error", without a component prefix.
class ERangeError : public ETovraError {
public:
    using ETovraError::ETovraError;
};

// The message form of component errors.
inline std::string ComponentMessage(std::string_view componentName, std::string_view reason)
{
    std::string text;
    text.reserve(componentName.size() + reason.size() + 14);
    text += "Component \"";
    text += componentName;
    text += "\": ";
    text += reason;
    return text;
}

} // namespace tessaly
