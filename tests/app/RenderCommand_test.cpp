// tessaly --render: the chart of the main window drawn into PNG and SVG files without a window.
#include "app/ChartSetup.h"
#include "app/CommandLine.h"
#include "app/PlotDriver.h"
#include "chart/CrossHair.h"
#include "chart/RChart.h"
#include "expr/MathExpression.h"
#include "support/Pixels.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace tessaly {
namespace {

using test::PixelAt;

struct TRun {
    int code = 0;
    std::string err;
};

TRun Render(std::vector<std::string> args)
{
    args.insert(args.begin(), "--render");
    std::ostringstream out, err;
    TRun r;
    r.code = RunCommandLine(args, out, err);
    r.err = err.str();
    EXPECT_EQ(out.str(), "");
    return r;
}

int CountColor(const QImage& image, TColor color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += PixelAt(image, x, y) == color;
    return n;
}

} // namespace

TEST(RenderCommand, PngShowsTheChartAsTheWindowDoes)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("chart.png").toStdString();
    const TRun r = Render({file});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    QImage written(QString::fromStdString(file));
    ASSERT_EQ(written.size(), QSize(ChartDesignWidth, ChartDesignHeight));

    // The same chart on the screen, filled by the plot driver, paints the same pixels.
    TRChart chart;
    chart.resize(ChartDesignWidth, ChartDesignHeight);
    QFont font("MS Sans Serif");
    font.setPixelSize(13);
    chart.setFont(font);
    ApplyMainWindowChartSettings(chart);
    chart.Loaded();
    chart.show();
    TMathExpression expression("MEFunc");
    TPlotDriver driver(chart, expression);
    driver.FormulaText = [] { return QString("a*5*sin(b*x) * cos (c*x)"); };
    driver.ParameterValue = [](int i) { return std::vector<double>{0.5, 1, 0.03, 0.4}.at(size_t(i)); };
    driver.RecalcPlot();
    const QImage onScreen = chart.FullBuffer().convertToFormat(written.format());
    EXPECT_EQ(written, onScreen);

    // The curve, the maroon crosshair through (0, 0), the silver grid.
    EXPECT_GT(CountColor(written, clBlack), 1000);
    const QPoint origin = chart.WorldToPixel(1, 0, 0);
    int maroon = 0;
    for (int y = chart.MarginTop() + 1; y < ChartDesignHeight - chart.MarginBottom(); ++y)
        maroon += PixelAt(written, origin.x(), y) == clMaroon;
    EXPECT_GT(maroon, 80);
    EXPECT_GT(CountColor(written, clSilver), 1000);
}

TEST(RenderCommand, OptionsChangeRangesParametersGridCrosshairAndSize)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("options.png").toStdString();
    // Values may begin with "-".
    const std::vector<std::string> options = {"--formula", "-x*a", "--x", "-0.001:0.002",
                                              "--y", "-2:1", "--set", "A=1000", "--crosshair",
                                              "0.001:-1", "--size", "300x150"};
    std::vector<std::string> args = options;
    args.insert(args.begin(), file);
    ASSERT_EQ(Render(args).code, 0);
    const int gridPixels = CountColor(QImage(QString::fromStdString(file)), clSilver);
    args.push_back("--no-grid");
    const TRun r = Render(args);
    ASSERT_EQ(r.code, 0) << r.err;
    const QImage image(QString::fromStdString(file));
    ASSERT_EQ(image.size(), QSize(300, 150));
    // Only a few pixels of the antialiased labels are silver without the grid.
    EXPECT_GT(gridPixels, 500);
    EXPECT_LT(CountColor(image, clSilver), 20);
    // Data area 50..292 x 20..110: the crosshair at x = 0.001 is two thirds across, y = -1
    // two thirds down; the line y = -1000 x runs from (-0.001, 1) to (0.002, -2).
    const int cx = 50 + 242 * 2 / 3, cy = 20 + 90 * 2 / 3;
    EXPECT_EQ(PixelAt(image, cx, 25), clMaroon); // in the first dashes of the dash-dot lines
    EXPECT_EQ(PixelAt(image, 55, cy), clMaroon);
    int black = 0; // around the pixel of (0, 0)
    for (int y = 49; y <= 51; ++y)
        for (int x = 130; x <= 132; ++x)
            black += PixelAt(image, x, y) == clBlack;
    EXPECT_GT(black, 0);
}

TEST(RenderCommand, SvgHoldsLabelsAsTextAndTheCurveAsLines)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("chart.svg");
    // No grid and the crosshair far away: the only lines are the curve's.
    const TRun r = Render({file.toStdString(), "--formula", "x/20", "--no-grid", "--crosshair",
                           "1000:1000"});
    ASSERT_EQ(r.code, 0) << r.err;
    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    for (const char* label : {">-100</text>", ">-50</text>", ">100</text>", ">-3.0</text>",
                              ">3.0</text>", ">x</text>", ">y</text>"})
        EXPECT_TRUE(text.contains(label)) << label;
    EXPECT_TRUE(QSvgRenderer(file).isValid());

    // The curve y = x / 20 leaves the data area at the top and the bottom: its lines are cut at
    // the border of the data area, which is drawn at its own origin (502 x 158 pixels).
    const QRegularExpression polyline("<polyline[^>]*points=\"([^\"]*)\"");
    int points = 0;
    double top = 1e9, bottom = -1e9;
    for (const QRegularExpressionMatch& m : polyline.globalMatch(text)) {
        for (const QString& pair : m.captured(1).split(' ', Qt::SkipEmptyParts)) {
            const QStringList xy = pair.split(',');
            ASSERT_EQ(xy.size(), 2) << pair.toStdString();
            const double x = xy[0].toDouble(), y = xy[1].toDouble();
            EXPECT_TRUE(x >= 0 && x <= 501 && y >= 0 && y <= 157) << pair.toStdString();
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            ++points;
        }
    }
    EXPECT_GT(points, 150);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(bottom, 157);
}

TEST(RenderCommand, SvgDrawsEachPieceBetweenPolesAndJumpsAsAPolylineOfItsOwn)
{
    QTemporaryDir dir;
    auto polylines = [&](const char* formula, const char* x) {
        const QString file = dir.filePath("pieces.svg");
        const TRun r = Render({file.toStdString(), "--formula", formula, "--x", x, "--no-grid",
                               "--crosshair", "1000:1000"});
        EXPECT_EQ(r.code, 0) << r.err;
        QFile svg(file);
        EXPECT_TRUE(svg.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(svg.readAll());
        // The texts name the font they were drawn with, not the one they were designed with.
        EXPECT_FALSE(text.contains("MS Sans Serif"));
        EXPECT_TRUE(text.contains("font-family=\"Liberation Sans\""));
        // Long runs are drawn as several polylines, each starting where the last one ended;
        // a piece starts elsewhere.
        const QRegularExpression polyline("<polyline[^>]*points=\"([^\"]*)\"");
        int pieces = 0;
        QString end;
        for (const QRegularExpressionMatch& m : polyline.globalMatch(text)) {
            const QStringList points = m.captured(1).split(' ', Qt::SkipEmptyParts);
            if (points.isEmpty())
                continue;
            if (points.front() != end)
                ++pieces;
            end = points.back();
        }
        return pieces;
    };
    // tan over -5..5 has four poles; three of its five pieces cross the chart.
    EXPECT_EQ(polylines("tan(x)", "-5:5"), 3);
    // sign over -1..1 jumps once; a smooth curve is one piece.
    EXPECT_EQ(polylines("sign(x)", "-1.003:0.997"), 2);
    EXPECT_EQ(polylines("sin(x)", "-5:5"), 1);
}

TEST(RenderCommand, FormulaErrorsGoToStderrAndTheFileIsStillWritten)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("error.png").toStdString();
    const TRun r = Render({file, "--formula", "y+1"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "undefined variable \"y\"\n");
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST(RenderCommand, WrongUsageAndUnwritableFilesExitWithOne)
{
    QTemporaryDir dir;
    const std::string png = dir.filePath("x.png").toStdString();
    struct Case { std::vector<std::string> args; std::string reason; };
    const Case cases[] = {
        {{}, "--render needs a file name"},
        {{dir.filePath("x.jpg").toStdString()}, "--render writes FILE.png, FILE.svg, FILE.pdf or FILE.gif"},
        {{png, "--size"}, "--size needs a value"},
        {{png, "--size", "0x100"}, "--size wants WxH"},
        {{png, "--size", "100x100x"}, "--size wants WxH"},
        {{png, "--x", "1"}, "--x wants LO:HI"},
        {{png, "--y", "1:nan"}, "--y wants LO:HI"},
        {{png, "--set", "x=1"}, "--set wants a parameter"},
        {{png, "--set", "b=1e999"}, "--set wants a parameter"},
        {{png, "--crosshair", "1;2"}, "--crosshair wants X:Y"},
        {{png, "--zoom"}, "unknown option '--zoom'"},
        {{dir.filePath("no/such/dir/x.png").toStdString()}, "cannot write"},
    };
    for (const Case& c : cases) {
        const TRun r = Render(c.args);
        EXPECT_EQ(r.code, 1) << c.reason;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST(RenderCommand, TheProgramWritesBothFormats)
{
    ASSERT_TRUE(std::filesystem::exists(TESSALY_BINARY))
        << "build the tessaly target first: " << TESSALY_BINARY;
    QTemporaryDir dir;
    for (const char* name : {"p.png", "p.svg"}) {
        QProcess process;
        process.start(QStringLiteral(TESSALY_BINARY), {"--render", dir.filePath(name)});
        ASSERT_TRUE(process.waitForFinished(60000)) << name;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << name;
        EXPECT_EQ(process.exitCode(), 0) << name;
        EXPECT_GT(QFile(dir.filePath(name)).size(), 1000) << name;
    }
}

} // namespace tessaly
