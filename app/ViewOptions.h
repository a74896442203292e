#pragma once
// The options that say what the chart shows: the formula, the parameters, the ranges, the grid,
// the crosshair, kept curves and the drawing modes. --render and the commands beside it take
// them, and so does the window, whose command line (or a second start, or the host program)
// prepares an exercise with them. Each option that is not given leaves its setting alone.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The window's four mouse modes.
enum class TMouseMode { ZoomWindow, ZoomDrag, Pan, CrossHair };

// A curve kept to compare with: its formula and the parameters a..d it is drawn with.
struct TKeptCurveSpec {
    std::string Formula;
    std::array<double, 4> Parameters{};
    friend bool operator==(const TKeptCurveSpec&, const TKeptCurveSpec&) = default;
};

// Animation speeds in parameter steps a second.
constexpr int MinAnimationSpeed = 2;
constexpr int MaxAnimationSpeed = 100;
constexpr int DefaultAnimationSpeed = 20;

struct TViewOptions {
    std::optional<std::string> Formula;
    std::array<std::optional<double>, 4> Parameters; // a..d
    std::optional<std::array<double, 2>> X, Y;       // low, high
    std::optional<bool> Grid;
    std::optional<std::array<double, 2>> CrossHair;  // x, y
    std::optional<bool> CrossHairVisible;
    std::optional<TMouseMode> Mode;
    std::array<bool, 4> Animate{};                   // a..d set moving
    std::optional<int> Speed;                        // steps a second
    // Given at all, they replace the kept curves; each takes the parameters set before it on
    // the command line, the start values for the others.
    std::optional<std::vector<TKeptCurveSpec>> Keep;
    std::optional<bool> Trace;                       // the crosshair on the curve
    std::optional<bool> WhereDefined;                // the curve goes on after errors
    std::optional<std::array<int, 2>> Size;          // width, height (commands only)
    std::optional<int> Presentation;                 // percent, 100..300 (the window only)

    bool AnyAnimated() const { return Animate[0] || Animate[1] || Animate[2] || Animate[3]; }
    friend bool operator==(const TViewOptions&, const TViewOptions&) = default;
};

// Who reads the options: a command without a window takes --size, and every argument must be
// an option of it; the window takes --mode, and passes every argument that is not one of its
// options by (they are the host link's parameters).
enum class TOptionReader { Command, Window };

// The largest side of a picture a command draws.
constexpr int MaxPictureSide = 10000;

// Reads args into o. Returns the reason when an option is unknown to the reader or has a wrong
// value. Option values are the next argument as it stands, even when it begins with "-".
std::optional<std::string> ParseViewOptions(std::span<const std::string> args, TOptionReader reader,
                                            TViewOptions& o);

// Whether an argument is an option of the window (and so not meant for a mode of its own).
bool IsWindowOption(std::string_view argument);

// A finite decimal number as a whole: sign, digits, point, exponent; nothing else.
bool ParseNumber(std::string_view text, double& value);

// The options' part of the usage text.
std::string ViewOptionsUsage();

} // namespace tessaly
