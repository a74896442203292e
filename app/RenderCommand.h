#pragma once
// tessaly --render FILE [options]: draws the chart as the main window shows it, with its chart
// settings and the plot driver, into a PNG image, an SVG file, a PDF page or an animated GIF,
// without a window.

#include <iosfwd>
#include <span>
#include <string>

namespace tessaly {

// Runs the mode with the arguments that follow "--render": the file name (.png, .svg, .pdf or,
// with --animate, .gif), then the view options (see ViewOptions.h) and --size WxH. The error
// line's text, if the formula fails, goes to `err`. Returns 0 when the file was written, 1
// otherwise (wrong usage included, with the reason and the usage text on `err`). Creates an
// application object on the offscreen platform when none exists.
int RunRenderCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// tessaly --describe [options]: prints the chart's description, as a screen reader gets it from
// the window, on `out`. 0, or 1 for wrong options.
int RunDescribeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// tessaly --sonify FILE.wav [options]: the curve as sound, as the window plays it, into a WAV
// file. 0 when written, 1 otherwise.
int RunSonifyCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace tessaly
