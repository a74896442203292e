#pragma once
// TCrossHair: a horizontal and/or vertical line through a world point of one layer, drawn over
// the chart's data. The chart owns four, draws them and lets the user drag the nearest one;
// every setter tells the chart through OnChange.

#include "chart/ChartTypes.h"
#include "chart/Mapping.h"
#include "gfx/Colors.h"

#include <QObject>
#include <QPoint>

#include <functional>

namespace tessaly {

class TCrossHair : public QObject {
    Q_OBJECT
    Q_PROPERTY(double PosX READ PosX WRITE SetPosX)
    Q_PROPERTY(double PosY READ PosY WRITE SetPosY)
    Q_PROPERTY(quint32 Color READ Color WRITE SetColor)
    Q_PROPERTY(int Layer READ Layer WRITE SetLayer)
    Q_PROPERTY(tessaly::ChartEnums::TCrossHMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(tessaly::ChartEnums::TPenStyle LineType READ LineType WRITE SetLineType)
    Q_PROPERTY(int LineWid READ LineWid WRITE SetLineWid)
public:
    // A crosshair switched off at (0, 0) of `layer` (limited to 1..16), black, solid, 1 wide.
    explicit TCrossHair(QObject* parent = nullptr, int layer = 1);

    double PosX() const { return FPosX; }
    double PosY() const { return FPosY; }
    TColor Color() const { return FColor; }
    int Layer() const { return FLayer; }
    TCrossHMode Mode() const { return FMode; }
    TPenStyle LineType() const { return FLineType; }
    int LineWid() const { return FLineWid; }

    // Every setter stores its value and then calls OnChange.
    void SetPosX(double value);
    void SetPosY(double value);
    void SetColor(TColor value);
    void SetLayer(int value); // values <= 0 become 1, values > 16 become 16
    void SetMode(TCrossHMode value);
    void SetLineType(TPenStyle value);
    void SetLineWid(int value);

    // The owner's change handler: the chart repaints.
    std::function<void()> OnChange;

private:
    void Changed();

    double FPosX = 0;
    double FPosY = 0;
    TColor FColor = clBlack;
    int FLayer = 1; // 1..16
    TCrossHMode FMode = chOff;
    TPenStyle FLineType = psSolid;
    int FLineWid = 1;
};

// A line of a crosshair in control pixels: the pixels from First to Last (both included) along
// the line at Position across it, Width pixels thick and centred on Position (the extra pixel
// of an even width lies before it).
struct TCrossHairLine {
    bool Drawn = false;
    int Position = 0;
    int First = 0;
    int Last = 0;
    int Width = 1;
};

struct TCrossHairLines {
    TCrossHairLine Horizontal;
    TCrossHairLine Vertical;
};

// Where the lines of a crosshair at pixel `at` go: with h = lineWid div 2, the horizontal line
// runs from DataLeft + h + 1 to DataRight - h - 1 and is drawn only if DataTop + h < y <
// DataBottom - h; the vertical line likewise. A point on or beyond the border of the data area
// draws no line in that direction. CrossHairLineBounds(g, {300, 100}, 3, chHoriz) on a chart
// with MarginLeft 50 and DataRight 551 runs from 52 to 549.
TCrossHairLines CrossHairLineBounds(const TChartGeometry& g, QPoint at, int lineWid,
                                    TCrossHMode mode);

} // namespace tessaly
