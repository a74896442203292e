#include "app/CommandLine.h"

#include "app/EvalCommand.h"
#include "app/RenderCommand.h"
#include "app/ViewOptions.h"

#include <ostream>
#include <span>

namespace tessaly {

std::string UsageText()
{
    return "Usage: tessaly [OPTION|PARAMETER]...  or  tessaly MODE\n"
           "A plotter of y = f(x) with the parameters a, b, c and d.\n"
           "\n"
           "  [OPTION|PARAMETER]...          show the plotter window, prepared by the options\n"
           "                                 below (all but --size); a second start hands\n"
           "                                 them to the running window. Parameters and\n"
           "                                 /serverhandle= are for the host link\n"
           "  --eval FORMULA [NAME=VALUE]... evaluate FORMULA with the names bound to the\n"
           "                                 given decimal values; prints the result\n"
           "  --render FILE [OPTION]...      draw the chart as the window shows it into\n"
           "                                 FILE.png, FILE.svg or FILE.pdf; into FILE.gif\n"
           "                                 the sweep of the parameters given by --animate\n"
           "                                 from -1 to 1 and back in steps of 0.01\n"
           "  --describe [OPTION]...         print the chart's description, as a screen\n"
           "                                 reader gets it from the window\n"
           "  --sonify FILE.wav [OPTION]...  the curve as sound, as the window plays it:\n"
           "                                 3 s from left to right, the pitch following y\n"
           "  --help                         show this text\n"
           "  --version                      show the version\n"
           "\n"
           "Options (values may begin with \"-\"):\n" +
           ViewOptionsUsage();
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   TViewOptions* windowOptions)
{
    // Only an option selects a mode; anything else is for the window: its options and the
    // host link's parameters.
    if (args.empty() || IsWindowOption(args.front()) ||
        !(args.front().rfind("--", 0) == 0 || args.front() == "-h")) {
        TViewOptions o;
        if (const std::optional<std::string> why = ParseViewOptions(args, TOptionReader::Window, o)) {
            err << "tessaly: " << *why << '\n' << UsageText();
            return 2;
        }
        if (windowOptions)
            *windowOptions = o;
        return -1;
    }
    const std::string& mode = args.front();
    // The argument after a mode's name belongs to the mode, even when it begins with "-".
    const std::span<const std::string> rest(args.data() + 1, args.size() - 1);
    if (mode == "--eval")
        return RunEvalCommand(rest, out, err);
    if (mode == "--render")
        return RunRenderCommand(rest, out, err);
    if (mode == "--describe")
        return RunDescribeCommand(rest, out, err);
    if (mode == "--sonify")
        return RunSonifyCommand(rest, out, err);
    if (mode == "--help" || mode == "-h") {
        if (args.size() != 1) {
            err << UsageText();
            return 2;
        }
        out << UsageText();
        return 0;
    }
    if (mode == "--version") {
        if (args.size() != 1) {
            err << UsageText();
            return 2;
        }
        out << "tessaly " << TESSALY_VERSION << '\n';
        return 0;
    }
    err << "tessaly: unknown option '" << mode << "'\n" << UsageText();
    return 2;
}

} // namespace tessaly
