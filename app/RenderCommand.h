#pragma once
// tessaly --render FILE.png|FILE.svg [options]: draws the chart as the main window shows it, with
// its chart settings and the plot driver, into a PNG image or an SVG file, without a window.

#include <iosfwd>
#include <span>
#include <string>

namespace tessaly {

// Runs the mode with the arguments that follow "--render": the file name, then
//   --formula F        the formula (default: the first sample formula)
//   --size WxH         the chart's size in pixels (default: its design size 559x217)
//   --x LO:HI          the x range (default -100:100)
//   --y LO:HI          the y range (default -3:3)
//   --set NAME=VALUE   a parameter a, b, c or d (defaults 0.5, 1, 0.03, 0.4); repeatable
//   --no-grid          no grid
//   --crosshair X:Y    the crosshair's position (default 0:0)
// Option values may begin with "-". The error line's text, if the formula fails, goes to `err`.
// Returns 0 when the file was written, 1 otherwise (wrong usage included, with the reason and
// the usage text on `err`). Creates an application object on the offscreen platform when none
// exists.
int RunRenderCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace tessaly
