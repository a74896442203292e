#include "app/CommandLine.h"

#include "app/EvalCommand.h"
#include "app/RenderCommand.h"

#include <ostream>
#include <span>

namespace tessaly {

std::string UsageText()
{
    return "Usage: tessaly [PARAMETER]...  or  tessaly MODE\n"
           "A plotter of y = f(x) with the parameters a, b, c and d.\n"
           "\n"
           "  [PARAMETER]...                 show the plotter window (parameters and\n"
           "                                 /serverhandle= are for the host link)\n"
           "  --eval FORMULA [NAME=VALUE]... evaluate FORMULA with the names bound to the\n"
           "                                 given decimal values; prints the result\n"
           "  --render FILE.png|FILE.svg [--formula F] [--size WxH] [--x LO:HI] [--y LO:HI]\n"
           "           [--set NAME=VALUE]... [--no-grid] [--crosshair X:Y]\n"
           "                                 draw the chart as the window shows it into an\n"
           "                                 image or an SVG file\n"
           "  --help                         show this text\n"
           "  --version                      show the version\n";
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    // Only an option selects a mode; anything else is a parameter of the window.
    if (args.empty() || !(args.front().rfind("--", 0) == 0 || args.front() == "-h"))
        return -1;
    const std::string& mode = args.front();
    // The argument after a mode's name belongs to the mode, even when it begins with "-".
    const std::span<const std::string> rest(args.data() + 1, args.size() - 1);
    if (mode == "--eval")
        return RunEvalCommand(rest, out, err);
    if (mode == "--render")
        return RunRenderCommand(rest, out, err);
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
