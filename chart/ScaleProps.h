#pragma once
// The chart's published settings of one layer's x or y scale. The chart keeps its layer ranges
// here and copies all settings into the layer's scale control; every published setter tells
// the chart through OnChange, which then brings the scale controls and joined layers up to date.

#include "chart/ChartTypes.h"
#include "gfx/Colors.h"
#include "scale/DTLabel.h"
#include "scale/ScaleTypes.h"

#include <QFont>
#include <QObject>
#include <QString>

#include <functional>

namespace tessaly {

class TScaleProps : public QObject {
    Q_OBJECT
    // The translation walk follows references to scale settings (and to no other settings).
    Q_CLASSINFO("TranslateWalk", "Settings")
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
    Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
    Q_PROPERTY(tessaly::AlignEnums::TAlignment CaptionAlignment READ CaptionAlignment WRITE
                   SetCaptionAlignment)
    Q_PROPERTY(tessaly::ScaleEnums::TScaleUnitAnchor CaptionAnchor READ CaptionAnchor WRITE
                   SetCaptionAnchor)
    Q_PROPERTY(quint32 ColorScale READ ColorScale WRITE SetColorScale)
    Q_PROPERTY(tessaly::TDTLabel* DateFormat READ DateFormat WRITE SetDateFormat)
    Q_PROPERTY(int DecPlaces READ DecPlaces WRITE SetDecPlaces)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(quint32 FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
    Q_PROPERTY(tessaly::ScaleEnums::TFigType LabelType READ LabelType WRITE SetLabelType)
    Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks)
    Q_PROPERTY(double MinRange READ MinRange WRITE SetMinRange)
    Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
    Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
    Q_PROPERTY(bool ShortTicks READ ShortTicks WRITE SetShortTicks)
    Q_PROPERTY(QString ScaleInscript READ ScaleInscript WRITE SetScaleInscript)
    Q_PROPERTY(int ScalePos READ ScalePos WRITE SetScalePos)
    Q_PROPERTY(QString UserTickText READ UserTickText WRITE SetUserTickText)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    QString Caption() const { return FCaption; }
    int CaptionPosX() const { return FCaptionPosX; }
    int CaptionPosY() const { return FCaptionPosY; }
    TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    TScaleUnitAnchor CaptionAnchor() const { return FCaptionAnchor; }
    TColor ColorScale() const { return FColorScale; }
    TDTLabel* DateFormat() const { return FDateFormat; }
    int DecPlaces() const { return FDecPlaces; }
    QFont Font() const { return FFont; }
    // The colour of the labels and the caption (a font has none of its own here).
    TColor FontColor() const { return FFontColor; }
    bool Logarithmic() const { return FLogarithmic; }
    TFigType LabelType() const { return FLabelType; }
    int MinTicks() const { return FMinTicks; }
    double MinRange() const { return FMinRange; }
    double RangeLow() const { return FRangeLow; }
    double RangeHigh() const { return FRangeHigh; }
    bool ShortTicks() const { return FShortTicks; }
    QString ScaleInscript() const { return FScaleInscript; }
    int ScalePos() const { return IsHorizontal(FScaleType) ? FOffsetX : FOffsetY; }
    QString UserTickText() const { return FUserTickText; }
    bool Visible() const { return FVisible; }

    void SetCaption(const QString& value);
    void SetCaptionPosX(int value);
    void SetCaptionPosY(int value);
    void SetCaptionAlignment(TAlignment value);
    void SetCaptionAnchor(TScaleUnitAnchor value);
    void SetColorScale(TColor value);
    void SetDateFormat(TDTLabel* value); // copies the settings of value
    void SetDecPlaces(int value);        // -3..12
    void SetFont(const QFont& value);
    void SetFontColor(TColor value);
    // true only with both range ends >= 1e-100 and a label type other than ftDateTime, unless
    // the chart is still loading from its form.
    void SetLogarithmic(bool value);
    void SetLabelType(TFigType value); // ftDateTime: not logarithmic; ftTime: 4 decimals
    void SetMinTicks(int value);
    // Values <= 1e-100 are ignored; a narrower range is widened around its centre.
    void SetMinRange(double value);
    // An end closer than MinRange to the other moves the other end MinRange away; on a
    // logarithmic scale an end below 1e-100 is ignored; NaN and infinities are ignored.
    void SetRangeLow(double value);
    void SetRangeHigh(double value);
    void SetShortTicks(bool value);
    void SetScaleInscript(const QString& value);
    void SetScalePos(int value); // the offset of the current scale type
    void SetUserTickText(const QString& value);
    void SetVisible(bool value);

    // The scale type the chart gives the layer's scale control, and the two offsets (pixels
    // outwards from the data area's edge) of which ScalePos shows the current type's.
    TScaleType ScaleType() const { return FScaleType; }
    int ScaleOffset() const { return ScalePos(); }

    // Direct stores of the chart's range operations: no rules, no notification.
    void StoreRangeLow(double value) { FRangeLow = value; }
    void StoreRangeHigh(double value) { FRangeHigh = value; }
    void StoreScaleType(TScaleType value) { FScaleType = value; }
    void StoreScalePos(int value);

    // Set while the owning chart loads from its form (Logarithmic is then taken unchecked).
    void SetOwnerLoading(bool value) { FOwnerLoading = value; }

    // The owner's scale-change handler.
    std::function<void()> OnChange;

protected:
    TScaleProps(QObject* parent, TScaleType type, TColor color);
    void Changed();

private:
    QString FCaption;
    int FCaptionPosX = 0;
    int FCaptionPosY = 0;
    TAlignment FCaptionAlignment = taCenter;
    TScaleUnitAnchor FCaptionAnchor = uaSclTopLft;
    TColor FColorScale = clBlack;
    TDTLabel* FDateFormat = nullptr; // owned
    int FDecPlaces = -2;             // -3..12
    QFont FFont;
    TColor FFontColor = clWindowText;
    bool FLogarithmic = false;
    TFigType FLabelType = ftNum;
    int FMinTicks = 3;
    double FMinRange = 1e-10;        // > 1e-100, finite
    double FRangeLow = 0;
    double FRangeHigh = 1;
    bool FShortTicks = true;
    QString FScaleInscript;
    QString FUserTickText;
    bool FVisible = false;
    TScaleType FScaleType = sctXT;
    int FOffsetX = 0;
    int FOffsetY = 0;
    bool FOwnerLoading = true;
};

class TScalePropsHoriz : public TScaleProps {
    Q_OBJECT
    Q_PROPERTY(tessaly::ChartEnums::TScaleLocHoriz ScaleLocation READ ScaleLocation WRITE
                   SetScaleLocation)
public:
    // A scale below the data area (slBottom), in `color`.
    explicit TScalePropsHoriz(QObject* parent = nullptr, TColor color = clBlack);
    TScaleLocHoriz ScaleLocation() const { return ScaleType() == sctXB ? slTop : slBottom; }
    void SetScaleLocation(TScaleLocHoriz value);
};

class TScalePropsVert : public TScaleProps {
    Q_OBJECT
    Q_PROPERTY(tessaly::ChartEnums::TScaleLocVert ScaleLocation READ ScaleLocation WRITE
                   SetScaleLocation)
public:
    // A scale at the left of the data area (slLeft), in `color`.
    explicit TScalePropsVert(QObject* parent = nullptr, TColor color = clBlack);
    TScaleLocVert ScaleLocation() const { return ScaleType() == sctYL ? slRight : slLeft; }
    void SetScaleLocation(TScaleLocVert value);
};

} // namespace tessaly
