// Fuzzes the view options, which the window also reads from a host program's parameters: the
// input is split at line feeds into arguments and read by both readers. Whatever they accept
// must hold what the options promise: finite numbers, sizes and speeds within their bounds,
// parameter indices a..d, at most as many kept curves as --keep arguments.
#include "app/ViewOptions.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tessaly;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void CheckOptions(const TViewOptions& o, const std::vector<std::string>& args)
{
    for (const auto& p : o.Parameters)
        Check(!p || std::isfinite(*p));
    for (const auto* pair : {&o.X, &o.Y, &o.CrossHair})
        Check(!*pair || (std::isfinite((**pair)[0]) && std::isfinite((**pair)[1])));
    Check(!o.Speed || (*o.Speed >= MinAnimationSpeed && *o.Speed <= MaxAnimationSpeed));
    Check(!o.Size || ((*o.Size)[0] >= 1 && (*o.Size)[0] <= MaxPictureSide &&
                      (*o.Size)[1] >= 1 && (*o.Size)[1] <= MaxPictureSide));
    size_t keeps = 0;
    for (const std::string& a : args)
        keeps += a == "--keep";
    Check(!o.Keep || o.Keep->size() <= keeps);
    if (o.Keep)
        for (const TKeptCurveSpec& k : *o.Keep)
            for (double v : k.Parameters)
                Check(std::isfinite(v));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    for (const TOptionReader reader : {TOptionReader::Command, TOptionReader::Window}) {
        TViewOptions o;
        if (!ParseViewOptions(args, reader, o))
            CheckOptions(o, args);
    }
    (void)IsWindowOption(args.front());
    return 0;
}
