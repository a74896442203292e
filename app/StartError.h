#pragma once
// What the program does with an error that escapes its start: it says so on stderr, and in a
// message box where there is a display to show one, and ends with exit status 1.

namespace tessaly {

// Reports the error's text and returns the exit status 1.
int ReportStartError(const char* what);

} // namespace tessaly
