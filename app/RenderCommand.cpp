#include "app/RenderCommand.h"

#include "app/ChartScene.h"
#include "app/CommandLine.h"
#include "app/Sonify.h"
#include "app/ViewOptions.h"

#include <QApplication>
#include <QSaveFile>

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

namespace {

// The options of a scene command, or 1 after telling what is wrong.
int SceneOptions(std::span<const std::string> args, std::ostream& err, TViewOptions& o,
                 std::unique_ptr<QApplication>& application)
{
    if (const std::optional<std::string> why = ParseViewOptions(args, TOptionReader::Command, o)) {
        err << "tessaly: " << *why << '\n' << UsageText();
        return 1;
    }
    if (o.AnyAnimated()) {
        err << "tessaly: --animate writes FILE.gif\n" << UsageText();
        return 1;
    }
    if (!EnsureWidgetApplication(application)) {
        err << "tessaly: a widget application is needed\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunDescribeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    TViewOptions o;
    std::unique_ptr<QApplication> application;
    if (SceneOptions(args, err, o, application) != 0)
        return 1;
    TChartScene scene(o);
    out << scene.Description().toStdString() << '\n';
    return 0;
}

int RunSonifyCommand(std::span<const std::string> args, std::ostream&, std::ostream& err)
{
    if (args.empty() || FileKind(QString::fromStdString(args[0])) != "wav") {
        err << "tessaly: --sonify writes FILE.wav\n" << UsageText();
        return 1;
    }
    TViewOptions o;
    std::unique_ptr<QApplication> application;
    if (SceneOptions(args.subspan(1), err, o, application) != 0)
        return 1;
    TChartScene scene(o);
    if (scene.ErrorVisible())
        err << scene.ErrorText().toStdString() << '\n';
    const TSoundSettings sound;
    const std::vector<std::int16_t> pcm = scene.Sound();
    const QByteArray wav = WavFile(pcm, sound.SampleRate);
    QSaveFile file(QString::fromStdString(args[0]));
    if (!file.open(QIODevice::WriteOnly) || file.write(wav) != wav.size() || !file.commit()) {
        err << "tessaly: cannot write '" << args[0] << "': " << file.errorString().toStdString() << '\n';
        return 1;
    }
    return 0;
}

} // namespace tessaly
