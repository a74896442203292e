#include "app/CommandLine.h"

#include <ostream>

namespace tessaly {

std::string UsageText()
{
    return "Usage: tessaly [MODE]\n"
           "A plotter of y = f(x) with the parameters a, b, c and d.\n"
           "\n"
           "  (no arguments)                 show the plotter window\n"
           "  --eval FORMULA [NAME=VALUE]... evaluate FORMULA with the names bound to the\n"
           "                                 given decimal values; prints the result\n"
           "  --help                         show this text\n"
           "  --version                      show the version\n";
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        // The window does not exist yet: without arguments the program explains itself.
        out << UsageText();
        return 0;
    }
    const std::string& mode = args.front();
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
