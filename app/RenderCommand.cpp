#include "app/RenderCommand.h"

#include "app/ChartSetup.h"
#include "app/CommandLine.h"
#include "app/PlotDriver.h"
#include "chart/CrossHair.h"
#include "chart/RChart.h"
#include "expr/MathExpression.h"
#include "gfx/Fonts.h"
#include "host/Parlox2000.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <array>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>
#include <system_error>

namespace tessaly {

namespace {

// The largest chart side --render draws.
constexpr int MaxRenderSide = 10000;

struct TRenderOptions {
    std::string File;
    bool Svg = false;
    std::string Formula = SampleFormulas[0];
    int Width = ChartDesignWidth;
    int Height = ChartDesignHeight;
    double XLow = -100, XHigh = 100;
    double YLow = -3, YHigh = 3;
    std::array<double, 4> Parameters = StartParameters; // a..d
    bool Grid = true;
    std::optional<std::array<double, 2>> CrossHair;
};

// A finite decimal number as a whole: sign, digits, point, exponent; nothing else.
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

// "A<sep>B" with two finite numbers.
bool ParsePair(std::string_view text, char separator, double& a, double& b)
{
    const size_t at = text.find(separator);
    if (at == std::string_view::npos)
        return false;
    return ParseNumber(text.substr(0, at), a) && ParseNumber(text.substr(at + 1), b);
}

bool ParseSize(std::string_view text, int& w, int& h)
{
    const size_t at = text.find('x');
    if (at == std::string_view::npos)
        return false;
    auto side = [](std::string_view t, int& v) {
        const char* end = t.data() + t.size();
        const auto [ptr, ec] = std::from_chars(t.data(), end, v);
        return !t.empty() && ec == std::errc() && ptr == end && v >= 1 && v <= MaxRenderSide;
    };
    return side(text.substr(0, at), w) && side(text.substr(at + 1), h);
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

// The options, or the reason why they are wrong.
std::optional<std::string> ParseOptions(std::span<const std::string> args, TRenderOptions& o)
{
    if (args.empty())
        return "--render needs a file name";
    o.File = args[0];
    if (EndsWith(o.File, ".svg"))
        o.Svg = true;
    else if (!EndsWith(o.File, ".png"))
        return "--render writes FILE.png or FILE.svg, not '" + o.File + "'";
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--no-grid") {
            o.Grid = false;
            continue;
        }
        const bool takesValue = option == "--formula" || option == "--size" || option == "--x" ||
                                option == "--y" || option == "--set" || option == "--crosshair";
        if (!takesValue)
            return "unknown option '" + option + "' of --render";
        if (i + 1 >= args.size())
            return option + " needs a value";
        // The value is the next argument as it stands, even when it begins with "-".
        const std::string& value = args[++i];
        if (option == "--formula") {
            o.Formula = value;
        } else if (option == "--size") {
            if (!ParseSize(value, o.Width, o.Height))
                return "--size wants WxH with sides from 1 to " + std::to_string(MaxRenderSide) +
                       ", not '" + value + "'";
        } else if (option == "--x" || option == "--y") {
            double lo = 0, hi = 0;
            if (!ParsePair(value, ':', lo, hi))
                return option + " wants LO:HI, not '" + value + "'";
            (option == "--x" ? o.XLow : o.YLow) = lo;
            (option == "--x" ? o.XHigh : o.YHigh) = hi;
        } else if (option == "--crosshair") {
            double x = 0, y = 0;
            if (!ParsePair(value, ':', x, y))
                return "--crosshair wants X:Y, not '" + value + "'";
            o.CrossHair = std::array<double, 2>{x, y};
        } else { // --set
            const size_t eq = value.find('=');
            double v = 0;
            const char name = eq == 1 ? static_cast<char>(value[0] | 0x20) : '\0';
            if (eq != 1 || name < 'a' || name > 'd' || !ParseNumber(value.substr(2), v))
                return "--set wants a parameter a, b, c or d and a number, like b=-0.25, not '" +
                       value + "'";
            o.Parameters[static_cast<size_t>(name - 'a')] = v;
        }
    }
    return std::nullopt;
}

// Widgets need an application object; without one, an offscreen one is made for this run.
bool EnsureApplication(std::unique_ptr<QApplication>& own)
{
    if (QCoreApplication::instance())
        return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    static int argc = 1;
    static char name[] = "tessaly";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    own = std::make_unique<QApplication>(argc, argv);
    return true;
}

bool WriteSvg(TRChart& chart, const QString& file)
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(chart.size());
    svg.setViewBox(QRect(QPoint(0, 0), chart.size()));
    // Texts get the sizes they have in the image: the same resolution as an image's.
    svg.setResolution(QImage(1, 1, QImage::Format_RGB32).logicalDpiY());
    svg.setTitle("Tessaly chart");
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    chart.Render(painter);
    if (!painter.end())
        return false;
    // The SVG names the fonts the picture was drawn with.
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) &&
           out.write(SubstituteSvgFontFamilies(buffer.data())) >= 0 && out.commit();
}

} // namespace

int RunRenderCommand(std::span<const std::string> args, std::ostream&, std::ostream& err)
{
    TRenderOptions o;
    if (const std::optional<std::string> wrong = ParseOptions(args, o)) {
        err << "tessaly: " << *wrong << '\n' << UsageText();
        return 1;
    }
    std::unique_ptr<QApplication> application;
    if (!EnsureApplication(application)) {
        err << "tessaly: --render needs a widget application\n";
        return 1;
    }

    InstallFontSubstitutes();
    TRChart chart;
    chart.resize(o.Width, o.Height);
    // The main window's font, which its chart takes over from the window.
    QFont font("MS Sans Serif");
    font.setPixelSize(13);
    chart.setFont(font);
    ApplyMainWindowChartSettings(chart);
    chart.SetRange(1, o.XLow, o.YLow, o.XHigh, o.YHigh);
    if (!o.Grid)
        chart.SetGridStyle(gsNone);
    if (o.CrossHair) {
        chart.CrossHair1()->SetPosX((*o.CrossHair)[0]);
        chart.CrossHair1()->SetPosY((*o.CrossHair)[1]);
    }
    chart.Loaded();

    TMathExpression expression("MEFunc");
    TPlotDriver driver(chart, expression);
    QString errorText;
    bool errorVisible = false;
    driver.FormulaText = [&] { return QString::fromStdString(o.Formula); };
    driver.ParameterValue = [&](int i) { return o.Parameters.at(static_cast<size_t>(i)); };
    driver.SetErrorText = [&](const QString& text) { errorText = text; };
    driver.SetErrorVisible = [&](bool visible) { errorVisible = visible; };
    // The error line in the language the window would show.
    TParlox2000 translator;
    QFile language(FindLanguageFile(QCoreApplication::applicationFilePath(), UserLanguages()));
    if (!language.fileName().isEmpty() && language.open(QIODevice::ReadOnly))
        translator.LoadFromStream(language);
    driver.Translate = [&](const QString& text) { return translator.Translate(text); };
    driver.RecalcPlot();
    if (errorVisible)
        err << errorText.toStdString() << '\n';

    const QString file = QString::fromStdString(o.File);
    const bool written = o.Svg ? WriteSvg(chart, file) : chart.RenderImage().save(file, "PNG");
    if (!written) {
        err << "tessaly: cannot write '" << o.File << "'\n";
        return 1;
    }
    return 0;
}

} // namespace tessaly
