#include "app/ChartScene.h"

#include "app/ChartDescription.h"
#include "app/ChartSetup.h"
#include "app/Sonify.h"
#include "chart/ScaleProps.h"
#include "chart/CrossHair.h"
#include "gfx/Fonts.h"
#include "gfx/GifWriter.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

namespace tessaly {

TChartScene::TChartScene(const TViewOptions& o)
{
    InstallFontSubstitutes();
    const std::array<int, 2> size = o.Size.value_or(std::array{ChartDesignWidth, ChartDesignHeight});
    FChart.resize(size[0], size[1]);
    // The main window's font, which its chart takes over from the window.
    QFont font("MS Sans Serif");
    font.setPixelSize(13);
    FChart.setFont(font);
    ApplyMainWindowChartSettings(FChart);
    const auto x = o.X.value_or(std::array{-100.0, 100.0});
    const auto y = o.Y.value_or(std::array{-3.0, 3.0});
    FChart.SetRange(1, x[0], y[0], x[1], y[1]);
    if (!o.Grid.value_or(true))
        FChart.SetGridStyle(gsNone);
    TCrossHair& crossHair = *FChart.CrossHair1();
    if (o.CrossHair) {
        crossHair.SetPosX((*o.CrossHair)[0]);
        crossHair.SetPosY((*o.CrossHair)[1]);
    }
    FCrossHairVisible = o.CrossHairVisible.value_or(true);
    if (!FCrossHairVisible)
        crossHair.SetMode(chOff);
    FChart.Loaded();

    FFormula = QString::fromStdString(o.Formula.value_or(SampleFormulas[0]));
    for (size_t i = 0; i < FParameters.size(); ++i)
        FParameters[i] = o.Parameters[i].value_or(StartParameters[i]);
    FTrace = o.Trace.value_or(false);

    FDriver = std::make_unique<TPlotDriver>(FChart, FExpression);
    FDriver->FormulaText = [this] { return FFormula; };
    FDriver->ParameterValue = [this](int i) { return FParameters.at(static_cast<size_t>(i)); };
    FDriver->SetErrorText = [this](const QString& text) {
        FErrorText = text;
        FErrorX = FDriver->CurrentX;
    };
    FDriver->SetErrorVisible = [this](bool visible) { FErrorVisible = visible; };
    FDriver->DrawWhereDefined = o.WhereDefined.value_or(false);
    if (o.Keep)
        for (const TKeptCurveSpec& k : *o.Keep)
            FDriver->KeepCurve(QString::fromStdString(k.Formula), k.Parameters);
    // The error line in the language the window would show.
    QFile language(FindLanguageFile(QCoreApplication::applicationFilePath(), UserLanguages()));
    if (!language.fileName().isEmpty() && language.open(QIODevice::ReadOnly))
        FTranslator.LoadFromStream(language);
    FDriver->Translate = [this](const QString& text) { return FTranslator.Translate(text); };
    Redraw();
}

void TChartScene::Redraw()
{
    FDriver->RecalcPlot();
    if (FTrace && FChart.CrossHair1()->Mode() != chOff) {
        if (const std::optional<double> value = FDriver->ValueAt(FChart.CrossHair1()->PosX()))
            FChart.CrossHair1()->SetPosY(*value);
    }
}

QByteArray TChartScene::Svg()
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(FChart.size());
    svg.setViewBox(QRect(QPoint(0, 0), FChart.size()));
    // Texts get the sizes they have in the image: the same resolution as an image's.
    svg.setResolution(QImage(1, 1, QImage::Format_RGB32).logicalDpiY());
    svg.setTitle("Tessaly chart");
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    FChart.Render(painter);
    if (!painter.end())
        return {};
    return SubstituteSvgFontFamilies(buffer.data());
}

void TChartScene::PaintOnPage(QPainter& painter, const QRectF& page)
{
    const QSizeF size = FChart.size();
    if (size.isEmpty() || page.isEmpty())
        return;
    const double scale = std::min(page.width() / size.width(), page.height() / size.height());
    painter.save();
    painter.translate(page.left() + (page.width() - size.width() * scale) / 2, page.top());
    painter.scale(scale, scale);
    FChart.Render(painter);
    painter.restore();
}

bool TChartScene::Write(const QString& file, QString* why)
{
    auto fail = [&](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    const QString kind = FileKind(file);
    if (kind == "png") {
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly) || !Image().save(&out, "PNG") || !out.commit())
            return fail(out.errorString());
        return true;
    }
    if (kind == "svg") {
        const QByteArray svg = Svg();
        QSaveFile out(file);
        if (svg.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(svg) != svg.size() ||
            !out.commit())
            return fail(out.errorString());
        return true;
    }
    if (kind == "pdf") {
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return fail(out.errorString());
        {
            QPdfWriter pdf(&out);
            pdf.setTitle("Tessaly chart");
            pdf.setCreator("Tessaly");
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                          QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
            pdf.setResolution(300);
            QPainter painter;
            if (!painter.begin(&pdf))
                return fail("cannot draw the page");
            PaintOnPage(painter, pdf.pageLayout().paintRectPixels(pdf.resolution()).translated(
                                     -pdf.pageLayout().paintRectPixels(pdf.resolution()).topLeft()));
            painter.end();
        }
        if (!out.commit())
            return fail(out.errorString());
        return true;
    }
    return fail("a picture is written as FILE.png, FILE.svg or FILE.pdf");
}

QString TChartScene::Description()
{
    TChartState state;
    state.Formula = FFormula;
    if (FErrorVisible) {
        state.ErrorReason = FErrorText;
        state.ErrorX = FErrorX;
    }
    state.CrossHairVisible = FCrossHairVisible;
    return DescribeChart(*FDriver, FChart, state,
                         [this](const QString& text, const QStringList& params) {
                             return FTranslator.Translate(text, params);
                         });
}

std::vector<std::int16_t> TChartScene::Sound()
{
    return SonifyCurve(FDriver->Samples(), FDriver->Breaks(), FChart.Scale1X()->RangeLow(),
                       FChart.Scale1X()->RangeHigh(), FChart.Scale1Y()->RangeLow(),
                       FChart.Scale1Y()->RangeHigh());
}

std::vector<int> TChartScene::SweepPositions()
{
    std::vector<int> positions;
    for (int p = -100; p <= 100; ++p)
        positions.push_back(p);
    for (int p = 99; p >= -99; --p)
        positions.push_back(p);
    return positions;
}

bool TChartScene::WriteAnimation(const QString& file, const std::array<bool, 4>& animate,
                                 int speed, QString* why)
{
    TGifWriter gif;
    const int delay = static_cast<int>(std::lround(100.0 / std::clamp(speed, MinAnimationSpeed,
                                                                      MaxAnimationSpeed)));
    if (!gif.Open(file, FChart.size(), delay, why))
        return false;
    for (const int position : SweepPositions()) {
        for (size_t i = 0; i < animate.size(); ++i)
            if (animate[i])
                FParameters[i] = position / 100.0;
        Redraw();
        if (!gif.AddFrame(Image())) {
            if (why)
                *why = "cannot add a frame";
            return false;
        }
    }
    return gif.Close(why);
}

bool EnsureWidgetApplication(std::unique_ptr<QApplication>& own)
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

QString FileKind(const QString& file)
{
    return QFileInfo(file).suffix().toLower();
}

} // namespace tessaly
