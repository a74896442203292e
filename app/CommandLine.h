#pragma once
// The command-line modes of the program that run without a window.

#include <iosfwd>
#include <string>
#include <vector>

namespace tessaly {

// The usage text printed by --help and on wrong usage.
std::string UsageText();

struct TViewOptions;

// Runs the program for the given arguments (without the program name) when they ask for a
// command-line mode; returns the exit code, or -1 when the window is to be shown, with the
// window's options in *windowOptions. Wrong window options end with the usage text and 2.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   TViewOptions* windowOptions = nullptr);

} // namespace tessaly
