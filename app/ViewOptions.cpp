#include "app/ViewOptions.h"

#include "app/ChartSetup.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace tessaly {

namespace {

// "A<sep>B" with two finite numbers.
bool ParsePair(std::string_view text, char separator, std::array<double, 2>& pair)
{
    const size_t at = text.find(separator);
    return at != std::string_view::npos && ParseNumber(text.substr(0, at), pair[0]) &&
           ParseNumber(text.substr(at + 1), pair[1]);
}

bool ParseSize(std::string_view text, std::array<int, 2>& size)
{
    const size_t at = text.find('x');
    if (at == std::string_view::npos)
        return false;
    auto side = [](std::string_view t, int& v) {
        const char* end = t.data() + t.size();
        const auto [ptr, ec] = std::from_chars(t.data(), end, v);
        return !t.empty() && ec == std::errc() && ptr == end && v >= 1 && v <= MaxPictureSide;
    };
    return side(text.substr(0, at), size[0]) && side(text.substr(at + 1), size[1]);
}

// A parameter's name a..d in either case, as its index; -1 otherwise.
int ParameterIndex(std::string_view name)
{
    if (name.size() != 1)
        return -1;
    const char c = static_cast<char>(name[0] | 0x20);
    return c >= 'a' && c <= 'd' ? c - 'a' : -1;
}

constexpr std::string_view Flags[] = {"--no-grid", "--grid", "--no-crosshair", "--trace",
                                      "--where-defined"};
constexpr std::string_view Valued[] = {"--formula", "--set", "--x", "--y", "--crosshair",
                                       "--mode", "--animate", "--speed", "--keep", "--size",
                                       "--presentation"};

} // namespace

bool ParseNumber(std::string_view text, double& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

bool IsWindowOption(std::string_view argument)
{
    return argument != "--size" &&
           (std::ranges::find(Flags, argument) != std::end(Flags) ||
            std::ranges::find(Valued, argument) != std::end(Valued));
}

std::optional<std::string> ParseViewOptions(std::span<const std::string> args, TOptionReader reader,
                                            TViewOptions& o)
{
    const bool window = reader == TOptionReader::Window;
    // The parameters as set so far on the command line, for the kept curves.
    std::array<double, 4> setSoFar = StartParameters;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool flag = std::ranges::find(Flags, option) != std::end(Flags);
        const bool valued = std::ranges::find(Valued, option) != std::end(Valued);
        if (window && option == "--size")
            return "--size is an option of --render, not of the window";
        if ((!window && (option == "--mode" || option == "--presentation")) || (!flag && !valued)) {
            // The window passes every other argument to the host link.
            if (window)
                continue;
            return "unknown option '" + option + "'";
        }
        if (flag) {
            if (option == "--no-grid" || option == "--grid")
                o.Grid = option == "--grid";
            else if (option == "--no-crosshair")
                o.CrossHairVisible = false;
            else if (option == "--trace")
                o.Trace = true;
            else
                o.WhereDefined = true;
            continue;
        }
        if (i + 1 >= args.size())
            return option + " needs a value";
        const std::string& value = args[++i];
        if (option == "--formula") {
            o.Formula = value;
        } else if (option == "--size") {
            std::array<int, 2> size{};
            if (!ParseSize(value, size))
                return "--size wants WxH with sides from 1 to " + std::to_string(MaxPictureSide) +
                       ", not '" + value + "'";
            o.Size = size;
        } else if (option == "--x" || option == "--y") {
            std::array<double, 2> range{};
            if (!ParsePair(value, ':', range))
                return option + " wants LO:HI, not '" + value + "'";
            (option == "--x" ? o.X : o.Y) = range;
        } else if (option == "--crosshair") {
            std::array<double, 2> at{};
            if (!ParsePair(value, ':', at))
                return "--crosshair wants X:Y, not '" + value + "'";
            o.CrossHair = at;
            o.CrossHairVisible = true;
        } else if (option == "--set") {
            const size_t eq = value.find('=');
            const int index = eq == std::string::npos ? -1 : ParameterIndex(std::string_view(value).substr(0, eq));
            double v = 0;
            if (index < 0 || !ParseNumber(std::string_view(value).substr(eq + 1), v))
                return "--set wants a parameter a, b, c or d and a number, like b=-0.25, not '" +
                       value + "'";
            o.Parameters[static_cast<size_t>(index)] = v;
            setSoFar[static_cast<size_t>(index)] = v;
        } else if (option == "--animate") {
            const int index = ParameterIndex(value);
            if (index < 0)
                return "--animate wants a parameter a, b, c or d, not '" + value + "'";
            o.Animate[static_cast<size_t>(index)] = true;
        } else if (option == "--speed") {
            double v = 0;
            if (!ParseNumber(value, v) || v < MinAnimationSpeed || v > MaxAnimationSpeed ||
                v != std::floor(v))
                return "--speed wants whole steps a second from " +
                       std::to_string(MinAnimationSpeed) + " to " +
                       std::to_string(MaxAnimationSpeed) + ", not '" + value + "'";
            o.Speed = static_cast<int>(v);
        } else if (option == "--presentation") {
            double v = 0;
            if (!ParseNumber(value, v) || v < 100 || v > 300 || v != std::floor(v))
                return "--presentation wants a whole percent from 100 to 300, not '" + value + "'";
            o.Presentation = static_cast<int>(v);
        } else if (option == "--keep") {
            if (!o.Keep)
                o.Keep.emplace();
            o.Keep->push_back({value, setSoFar});
        } else { // --mode
            constexpr std::pair<std::string_view, TMouseMode> modes[] = {
                {"zoom-window", TMouseMode::ZoomWindow}, {"zoom-drag", TMouseMode::ZoomDrag},
                {"pan", TMouseMode::Pan}, {"crosshair", TMouseMode::CrossHair}};
            const auto* m = std::ranges::find(modes, std::string_view(value),
                                              &std::pair<std::string_view, TMouseMode>::first);
            if (m == std::end(modes))
                return "--mode wants crosshair, pan, zoom-window or zoom-drag, not '" + value + "'";
            o.Mode = m->second;
        }
    }
    return std::nullopt;
}

std::string ViewOptionsUsage()
{
    return "  --formula F          the formula (default: the first sample formula)\n"
           "  --set NAME=VALUE     a parameter a, b, c or d (defaults 0.5, 1, 0.03, 0.4;\n"
           "                       the window rounds to -1..1 in steps of 0.01)\n"
           "  --x LO:HI, --y LO:HI the ranges (default -100:100 and -3:3)\n"
           "  --no-grid, --grid    without or with the grid\n"
           "  --crosshair X:Y      the crosshair's position (default 0:0)\n"
           "  --no-crosshair       no crosshair\n"
           "  --trace              the crosshair on the curve: its y is f(x)\n"
           "  --where-defined      the curve goes on after an evaluation error\n"
           "  --keep F             keep the curve of F with the parameters set before it\n"
           "                       (repeatable, up to 8)\n"
           "  --animate NAME       set parameter NAME moving (repeatable)\n"
           "  --speed N            animation steps a second, 2 to 100 (default 20)\n"
           "  --mode M             the window's mouse mode: crosshair, pan, zoom-window or\n"
           "                       zoom-drag\n"
           "  --presentation P     the window's presentation size, 100 to 300 percent\n"
           "  --size WxH           the picture's size (default: the chart's 559x217)\n";
}

} // namespace tessaly
