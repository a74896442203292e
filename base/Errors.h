#pragma once
// The error classes of the component suite. Every component error derives from ETovraError and
// carries a message in the component form (see ComponentMessage.h); the platform's
// floating-point faults are EMathError, which carries no component prefix.

#include <stdexcept>

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

// Range errors of integer conversions: the logical operators on numbers outside the 32-bit
// range. The message is "Range check error", without a component prefix.
class ERangeError : public ETovraError {
public:
    using ETovraError::ETovraError;
};

// Errors of the chart: raised when layers are joined in a way that cannot work.
class ETovraRChartError : public ETovraError {
public:
    using ETovraError::ETovraError;
};

// Errors of the URL label: a target it cannot open.
class ETovraURLLabError : public ETovraError {
public:
    using ETovraError::ETovraError;
};

// The platform's floating-point faults: "Floating point overflow", "Invalid floating point
// operation", "Floating point division by zero" and "tangens overflow".
class EMathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tessaly
