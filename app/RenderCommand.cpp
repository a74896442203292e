#include "app/RenderCommand.h"

#include "app/ChartScene.h"
#include "app/CommandLine.h"
#include "app/ViewOptions.h"

#include <QApplication>

#include <memory>
#include <ostream>

namespace tessaly {

int RunRenderCommand(std::span<const std::string> args, std::ostream&, std::ostream& err)
{
    auto wrong = [&](const std::string& why) {
        err << "tessaly: " << why << '\n' << UsageText();
        return 1;
    };
    if (args.empty())
        return wrong("--render needs a file name");
    const std::string& file = args[0];
    const QString kind = FileKind(QString::fromStdString(file));
    const bool gif = kind == "gif";
    if (!gif && kind != "png" && kind != "svg" && kind != "pdf")
        return wrong("--render writes FILE.png, FILE.svg, FILE.pdf or FILE.gif, not '" + file + "'");
    TViewOptions o;
    if (const std::optional<std::string> why = ParseViewOptions(args.subspan(1), TOptionReader::Command, o))
        return wrong(*why);
    if (gif != o.AnyAnimated())
        return wrong(gif ? "FILE.gif needs --animate NAME" : "--animate writes FILE.gif");
    std::unique_ptr<QApplication> application;
    if (!EnsureWidgetApplication(application)) {
        err << "tessaly: --render needs a widget application\n";
        return 1;
    }

    TChartScene scene(o);
    if (scene.ErrorVisible())
        err << scene.ErrorText().toStdString() << '\n';
    QString why;
    const QString name = QString::fromStdString(file);
    const bool written = gif ? scene.WriteAnimation(name, o.Animate,
                                                    o.Speed.value_or(DefaultAnimationSpeed), &why)
                             : scene.Write(name, &why);
    if (!written) {
        err << "tessaly: cannot write '" << file << "': " << why.toStdString() << '\n';
        return 1;
    }
    return 0;
}

} // namespace tessaly
