#pragma once
// The main window's chart without a window: a chart with the window's settings, its plot driver
// and the state that the view options give (formula, parameters, ranges, grid, crosshair, kept
// curves, drawing modes). --render draws it, and the window builds one from its own state to
// save, copy, print or animate its picture, so that both make the same picture.

#include "app/PlotDriver.h"
#include "app/ViewOptions.h"
#include "chart/RChart.h"
#include "expr/MathExpression.h"
#include "host/Parlox2000.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QApplication;
class QPainter;

namespace tessaly {

class TChartScene {
public:
    // The chart as the window shows it at start, changed by the options that are given.
    explicit TChartScene(const TViewOptions& options);

    TRChart& Chart() { return FChart; }
    TPlotDriver& Driver() { return *FDriver; }
    // The error line's text and whether it shows, after the last redraw.
    const QString& ErrorText() const { return FErrorText; }
    bool ErrorVisible() const { return FErrorVisible; }

    // Sets parameter a..d (0..3) without redrawing.
    void SetParameter(int index, double value) { FParameters.at(static_cast<size_t>(index)) = value; }
    // Draws the curves again; with the crosshair on the curve, it moves to the curve.
    void Redraw();

    QImage Image() { return FChart.RenderImage(); }
    // The picture as SVG, naming the fonts it was drawn with.
    QByteArray Svg();
    // Draws the picture scaled into page (keeping its proportions, at the top, centred).
    void PaintOnPage(QPainter& painter, const QRectF& page);

    // Writes the picture to file.png, file.svg or file.pdf (an A4 page in landscape).
    bool Write(const QString& file, QString* why = nullptr);
    // Writes an animated GIF of the parameters marked in `animate` sweeping together from -1 to
    // 1 and back in steps of 0.01, at `speed` steps a second. The parameters keep their last
    // frame's values afterwards.
    bool WriteAnimation(const QString& file, const std::array<bool, 4>& animate, int speed,
                        QString* why = nullptr);

    // The chart told in words, as a screen reader gets it from the window.
    QString Description();
    // The curve as sound, as the window plays it.
    std::vector<std::int16_t> Sound();

    // The positions (hundredths) of an animation's frames: -100 to 100 and back to -99.
    static std::vector<int> SweepPositions();

private:
    TRChart FChart;
    TMathExpression FExpression{"MEFunc"};
    std::unique_ptr<TPlotDriver> FDriver;
    TParlox2000 FTranslator;
    QString FFormula;
    std::array<double, 4> FParameters{};
    bool FTrace = false;
    bool FCrossHairVisible = true;
    QString FErrorText;
    double FErrorX = 0;
    bool FErrorVisible = false;
};

// Widgets need an application object: without one, an offscreen one is made into `own`. False
// when a non-widget application exists.
bool EnsureWidgetApplication(std::unique_ptr<QApplication>& own);

// The file's extension in lower case ("png", "svg", ...), or empty.
QString FileKind(const QString& file);

} // namespace tessaly
