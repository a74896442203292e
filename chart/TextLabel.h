#pragma once
// Text labels of the chart: boxed texts of one or more lines, anchored at a world or pixel
// position. TCustomTextLabel holds the settings and their rules, TTextLabel publishes them; the
// chart owns thirty, draws them over its data and lets the user drag the nearest one. Every
// setter tells the owner through OnChange.

#include "chart/ChartTypes.h"
#include "gfx/Colors.h"
#include "scale/ScaleTypes.h"

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tessaly {

class TCustomTextLabel : public QObject {
    Q_OBJECT
public:
    // A label with the class defaults: at pixel (100, 10), simple mode, visible, silver
    // background, bottom-centre alignment.
    explicit TCustomTextLabel(QObject* parent = nullptr);

    double PosX() const { return FPosX; }
    double PosY() const { return FPosY; }
    int Layer() const { return FLayer; }
    TTxtLblAttachMode AttachToData() const { return FAttachToData; }
    TColor ColorBkg() const { return FColorBkg; }
    TColor ColorBorder() const { return FColorBorder; }
    TColor ColorShadow() const { return FColorShadow; }
    int ShadowDx() const { return FShadowDx; }
    int ShadowDy() const { return FShadowDy; }
    bool Transparent() const { return FTransparent; }
    TAlignment Alignment() const { return FAlignment; }
    TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
    QFont Font() const { return FFont; }
    TColor FontColor() const { return FFontColor; }
    TTxtLblMode Mode() const { return FMode; }
    QString Caption() const { return FCaption; }
    bool Visible() const { return FVisible; }

    // Every setter stores its value and then calls OnChange.
    void SetPosX(double value);
    void SetPosY(double value);
    void SetLayer(int value); // values outside 1..16 are ignored
    void SetAttachToData(TTxtLblAttachMode value);
    void SetColorBkg(TColor value);
    void SetColorBorder(TColor value);
    void SetColorShadow(TColor value);
    void SetShadowDx(int value);
    void SetShadowDy(int value);
    void SetTransparent(bool value);
    void SetAlignment(TAlignment value);
    void SetVerticalAlignment(TVerticalAlignment value);
    void SetFont(const QFont& value); // copies the font
    void SetFontColor(TColor value);
    void SetMode(TTxtLblMode value);
    // Characters below 32 other than the line feed become blanks; line feeds separate lines.
    void SetCaption(const QString& value);
    void SetVisible(bool value);

    // Drawn at all: a mode other than tlOff, and visible.
    bool Shown() const { return FMode != tlOff && FVisible; }

    // The owner's change handler: the chart repaints.
    std::function<void()> OnChange;

private:
    void Changed();

    double FPosX = 100;
    double FPosY = 10;
    int FLayer = 1; // 1..16
    TTxtLblAttachMode FAttachToData = tlamNone;
    TColor FColorBkg = clSilver;
    TColor FColorBorder = clBlack;
    TColor FColorShadow = clGray;
    int FShadowDx = 0;
    int FShadowDy = 0;
    bool FTransparent = false;
    TAlignment FAlignment = taCenter;
    TVerticalAlignment FVerticalAlignment = vaBottom;
    QFont FFont;
    TColor FFontColor = clWindowText;
    TTxtLblMode FMode = tlsimple;
    QString FCaption; // no characters below 32 but line feeds
    bool FVisible = true;
};

class TTextLabel : public TCustomTextLabel {
    Q_OBJECT
    Q_CLASSINFO("TranslateWalk", "Settings")
    Q_PROPERTY(double PosX READ PosX WRITE SetPosX)
    Q_PROPERTY(double PosY READ PosY WRITE SetPosY)
    Q_PROPERTY(int Layer READ Layer WRITE SetLayer)
    Q_PROPERTY(tessaly::ChartEnums::TTxtLblAttachMode AttachToData READ AttachToData WRITE
                   SetAttachToData)
    Q_PROPERTY(quint32 ColorBkg READ ColorBkg WRITE SetColorBkg)
    Q_PROPERTY(quint32 ColorBorder READ ColorBorder WRITE SetColorBorder)
    Q_PROPERTY(quint32 ColorShadow READ ColorShadow WRITE SetColorShadow)
    Q_PROPERTY(int ShadowDx READ ShadowDx WRITE SetShadowDx)
    Q_PROPERTY(int ShadowDy READ ShadowDy WRITE SetShadowDy)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(tessaly::AlignEnums::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(tessaly::ChartEnums::TVerticalAlignment VerticalAlignment READ VerticalAlignment
                   WRITE SetVerticalAlignment)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(quint32 FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(tessaly::ChartEnums::TTxtLblMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    using TCustomTextLabel::TCustomTextLabel;
};

// Where the parts of a label go, in the pixels of the anchor.
struct TTextLabelLayout {
    int Left = 0;       // left of the text block
    int Bottom = 0;     // bottom of the text block (the underline's row)
    int TextWidth = 0;  // width of the widest line
    int LineHeight = 0;
    QRect Box;          // the label's box: 4 pixels beside the block, 2 above and below it
    std::vector<QPoint> LineOrigins; // top-left corner of each line
};

// The layout of a label whose lines are `lineWidths` wide (`wholeWidth`: the width of the whole
// caption, used when every line is empty), each `lineHeight` high, anchored at `anchor`: the
// vertical alignment moves the anchor to the bottom of the block (vaTop by its height, vaCenter
// by half of it), the horizontal alignment to its left (taRightJustify by the width,
// taCenter by half of it); lines are aligned inside the block the same way.
TTextLabelLayout TextLabelLayout(QPoint anchor, const std::vector<int>& lineWidths,
                                 int wholeWidth, int lineHeight, TAlignment alignment,
                                 TVerticalAlignment verticalAlignment);

} // namespace tessaly
