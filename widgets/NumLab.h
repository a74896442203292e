#pragma once
// TNumLab: a read-out control that shows one number (or a date, or a state text) in a framed
// value field, with optional texts to its left and right. The value's text comes from the pure
// FormatValue; the control measures it in its font, paints everything into an off-screen image
// and copies that onto the parent, or ANDs it with the parent when transparent.

#include "gfx/Colors.h"
#include "scale/DrawFrame.h"
#include "gfx/Alignment.h"

#include <QImage>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>

namespace tessaly {

class TNumLab : public QWidget {
    Q_OBJECT
    Q_PROPERTY(tessaly::AlignEnums::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(tessaly::TColor ColorLabBakG READ ColorLabBakG WRITE SetColorLabBakG)
    Q_PROPERTY(tessaly::TColor ColorLabText READ ColorLabText WRITE SetColorLabText)
    Q_PROPERTY(tessaly::TColor ColorOutBakG READ ColorOutBakG WRITE SetColorOutBakG)
    Q_PROPERTY(tessaly::TColor ColorOutText READ ColorOutText WRITE SetColorOutText)
    Q_PROPERTY(tessaly::FrameEnums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(bool Comma READ Comma WRITE SetComma)
    Q_PROPERTY(TDisplay DisplayType READ DisplayType WRITE SetDisplayType)
    Q_PROPERTY(QString DTFormat READ DTFormat WRITE SetDTFormat)
    Q_PROPERTY(bool Empty READ Empty WRITE SetEmpty)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool ForcePlusSign READ ForcePlusSign WRITE SetForcePlusSign)
    Q_PROPERTY(tessaly::FrameEnums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(int LabelWidth READ LabelWidth WRITE SetLabelWidth)
    Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
    Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
    Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
    Q_PROPERTY(tessaly::AlignEnums::TAlignment LeftTextAlignment READ LeftTextAlignment
                   WRITE SetLeftTextAlignment)
    Q_PROPERTY(tessaly::AlignEnums::TAlignment RightTextAlignment READ RightTextAlignment
                   WRITE SetRightTextAlignment)
    Q_PROPERTY(QString OverflowIndicator READ OverflowIndicator WRITE SetOverflowIndicator)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(QString StateText READ StateText WRITE SetStateText)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(double Value READ Value WRITE SetValue)

public:
    enum TDisplay {
        dtFloat, dtFixP, dtExp, dtHex, dtZeroInt, dtInt, dtDateTime, dtState, dtBin, dtOct,
        dtDeg, dtDegMin, dtDegMinSec, dtEEng, dtEEngNoDP
    };
    Q_ENUM(TDisplay)

    // The settings that decide the value's text.
    struct TFormat {
        TDisplay DisplayType = dtFixP;
        int Precision = 2;
        bool Comma = false;
        bool ForcePlusSign = false;
        QString DTFormat = QStringLiteral("mmm-dd, yyyy");
        QString StateText = QStringLiteral("undefined");
        QString OverflowIndicator = QStringLiteral("*********");
    };

    // The text of `value` by `format`, before OnBeforeDisplay and the width test; needs no
    // window. FormatValue({dtFixP, 2}, 0.6) == "0.60"; {dtHex, 4} gives "FFFF" for 65535 and
    // for -1; {dtEEngNoDP, 2} gives "4k7" for 4700. Values that the type cannot show (out of
    // its range, NaN, infinities, dates outside years 1..9999) give the overflow indicator.
    static QString FormatValue(const TFormat& format, double value);

    explicit TNumLab(QWidget* parent = nullptr);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TColor ColorLabBakG() const { return FColorLabBakG; }
    void SetColorLabBakG(TColor value);
    TColor ColorLabText() const { return FColorLabText; }
    void SetColorLabText(TColor value);
    TColor ColorOutBakG() const { return FColorOutBakG; }
    void SetColorOutBakG(TColor value);
    TColor ColorOutText() const { return FColorOutText; }
    void SetColorOutText(TColor value);
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme value);
    bool Comma() const { return FFormat.Comma; }
    void SetComma(bool value);
    TDisplay DisplayType() const { return FFormat.DisplayType; }
    void SetDisplayType(TDisplay value);
    QString DTFormat() const { return FFormat.DTFormat; }
    void SetDTFormat(const QString& value);
    bool Empty() const { return FEmpty; }
    void SetEmpty(bool value);
    // Also sets the widget's own enabled state; always repaints.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool ForcePlusSign() const { return FFormat.ForcePlusSign; }
    void SetForcePlusSign(bool value);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle value);
    int LabelWidth() const { return FLabelWidth; }
    void SetLabelWidth(int value);
    // Negative values are ignored; values beyond the control's width are cut to it.
    int LeftSpace() const { return FLeftSpace; }
    void SetLeftSpace(int value);
    QString LeftText() const { return FLeftText; }
    void SetLeftText(const QString& value);
    QString RightText() const { return FRightText; }
    void SetRightText(const QString& value);
    TAlignment LeftTextAlignment() const { return FLeftTextAlignment; }
    void SetLeftTextAlignment(TAlignment value);
    TAlignment RightTextAlignment() const { return FRightTextAlignment; }
    void SetRightTextAlignment(TAlignment value);
    QString OverflowIndicator() const { return FFormat.OverflowIndicator; }
    void SetOverflowIndicator(const QString& value);
    // Negative values are ignored; values above 15 become 15.
    int Precision() const { return FFormat.Precision; }
    void SetPrecision(int value);
    QString StateText() const { return FFormat.StateText; }
    void SetStateText(const QString& value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    double Value() const { return FValue; }
    void SetValue(double value);

    // Copies every setting (the font too) and the value from `source`, then repaints. Events
    // and geometry stay.
    void Assign(const TNumLab& source);

    // The text the value field shows: nothing when Empty; otherwise the formatted value as
    // OnBeforeDisplay leaves it, or OverflowIndicator when that is wider than LabelWidth - 6
    // pixels in the control's font (state texts are never replaced).
    QString DisplayText();

    // The control as it paints itself: an image of its size (in logical pixels, at `pixelRatio`
    // device pixels each) that an opaque control copies onto its parent.
    QImage RenderImage(qreal pixelRatio = 1);

    // May change the final text of the value field.
    std::function<void(TNumLab& sender, QString& text)> OnBeforeDisplay;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVariant FAnnounced; // the value a screen reader was last told of
    void Changed();
    void PaintTexts(QPainter& p, int ty);
    void PaintField(QPainter& p);

    TFormat FFormat;
    TAlignment FAlignment = taCenter;
    TColor FColorLabBakG = clBtnFace;
    TColor FColorLabText = clBlack;
    TColor FColorOutBakG = clBtnFace;
    TColor FColorOutText = clBlack;
    TColorScheme FColorScheme = csBWG;
    TFrameColors FFrameColors;        // shadow and light of the scheme; dark is black
    bool FEmpty = false;
    bool FEnabled = true;
    TFrameStyle FFrameStyle = fsLowered;
    int FLabelWidth = 80;
    int FLeftSpace = 35;              // 0..width()
    QString FLeftText;
    QString FRightText;
    TAlignment FLeftTextAlignment = taRightJustify;
    TAlignment FRightTextAlignment = taLeftJustify;
    bool FTransparent = false;
    double FValue = 0;
};

} // namespace tessaly
