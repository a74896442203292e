#pragma once
// tessaly --eval FORMULA [NAME=VALUE]...: evaluates one formula with an expression component
// named MEFunc and prints the result, for scripts and for checking the engine from a shell.

#include <iosfwd>
#include <span>
#include <string>

namespace tessaly {

// Runs the mode with the arguments that follow "--eval". Prints the result as a double (true is
// -1, false 0) on `out` and returns 0; an evaluation error prints the error's message on `err`
// and returns 1; wrong usage prints why and the usage text on `err` and returns 2.
int RunEvalCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// A double as printf's "%.17g" writes it in the C locale: enough digits to read it back exactly.
// Example: FormatDouble(0.1) is "0.10000000000000001", FormatDouble(1e300) is "1e+300".
std::string FormatDouble(double value);

} // namespace tessaly
