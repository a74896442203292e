#include "scale/Scale.h"

#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>

#include <algorithm>
#include <cmath>

namespace tessaly {

TScale::TScale(QWidget* parent) : QWidget(parent), FDateFormat(new TDTLabel(this))
{
    FDateFormat->OnChange = [this] { Refresh(); };
    FTickList.reserve(MaxTickList);
    const TFrameColors colors = SchemeFrameColors(FColorScheme);
    FColorShadow = colors.Shadow;
    FColorLight = colors.Light;
    resize(400, 400);
    // The loading flag is still set, so the mapping is computed directly here.
    FMapping = ComputeScaleMapping(FMapping, Geometry(), FRangeLow, FRangeHigh, FLogarithmic);
}

TScale::~TScale()
{
    // The owned label settings go with the QObject children; their change hook must not call
    // back into a half-destroyed scale.
    FDateFormat->OnChange = nullptr;
}

TScaleGeometry TScale::Geometry() const
{
    return {FScaleType, width(), height(), FMarginLeft, FMarginRight, FMarginTop, FMarginBottom};
}

void TScale::RecalcMapping()
{
    if (FLoading)
        return;
    FMapping = ComputeScaleMapping(FMapping, Geometry(), FRangeLow, FRangeHigh, FLogarithmic);
}

void TScale::SetCaption(const QString& value)
{
    FCaption = value;
    Refresh();
}

void TScale::SetCaptionPosX(int value)
{
    FCaptionPosX = value;
    Refresh();
}

void TScale::SetCaptionPosY(int value)
{
    FCaptionPosY = value;
    Refresh();
}

void TScale::SetCaptionAlignment(TAlignment value)
{
    FCaptionAlignment = value;
    Refresh();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor value)
{
    FCaptionAnchor = value;
    Refresh();
}

void TScale::SetColorBackGnd(TColor value)
{
    if (value == FColorBackGnd)
        return;
    FColorBackGnd = value;
    Refresh();
}

void TScale::SetColorScale(TColor value)
{
    if (value == FColorScale)
        return;
    FColorScale = value;
    Refresh();
}

void TScale::SetColorScheme(TColorScheme value)
{
    if (value == FColorScheme)
        return;
    FColorScheme = value;
    const TFrameColors colors = SchemeFrameColors(value);
    FColorShadow = colors.Shadow;
    FColorLight = colors.Light;
    Refresh();
}

void TScale::SetDateFormat(TDTLabel* value)
{
    if (value)
        FDateFormat->Assign(*value);
}

void TScale::SetFontColor(TColor value)
{
    if (value == FFontColor)
        return;
    FFontColor = value;
    Refresh();
}

void TScale::SetDecPlaces(int value)
{
    FDecPlaces = std::clamp(value, -3, 12);
    RecalcMapping();
    Refresh();
}

void TScale::SetFont(const QFont& value)
{
    setFont(value);
    Refresh();
}

void TScale::SetFrameStyle(TFrameStyle value)
{
    if (value == FFrameStyle)
        return;
    FFrameStyle = value;
    Refresh();
}

void TScale::SetLabelType(TFigType value)
{
    FLabelType = value;
    if (value == ftDateTime) {
        FLogarithmic = false;
        RecalcMapping();
    } else if (value == ftTime) {
        // The numeric fall-back labels of elapsed-time axes show four decimals.
        FDecPlaces = 4;
    }
    Refresh();
}

void TScale::SetLogarithmic(bool value)
{
    if (!value || FLoading ||
        (FRangeLow >= LogFloor && FRangeHigh >= LogFloor && FLabelType != ftDateTime))
        FLogarithmic = value;
    RecalcMapping();
    Refresh();
}

void TScale::SetMarginTop(int value)
{
    FMarginTop = std::max(value, 0);
    RecalcMapping();
    Refresh();
}

void TScale::SetMarginBottom(int value)
{
    FMarginBottom = std::max(value, 0);
    RecalcMapping();
    Refresh();
}

void TScale::SetMarginLeft(int value)
{
    FMarginLeft = std::max(value, 0);
    RecalcMapping();
    Refresh();
}

void TScale::SetMarginRight(int value)
{
    FMarginRight = std::max(value, 0);
    RecalcMapping();
    Refresh();
}

void TScale::SetMinTicks(int value)
{
    if (value != 0)
        value = std::clamp(value, 2, 10); // 0 means one tick per integer value
    FMinTicks = value;
    Refresh();
}

void TScale::SetRangeLow(double value)
{
    // A NaN or infinite end would leave no usable mapping and no ticks; it is refused.
    if (!std::isfinite(value))
        return;
    if (value == FRangeHigh)
        FRangeHigh = value + 1;
    FRangeLow = value;
    RecalcMapping();
    Refresh();
}

void TScale::SetRangeHigh(double value)
{
    if (!std::isfinite(value))
        return;
    // Equal ends become a reversed axis of one unit.
    if (value == FRangeLow)
        FRangeLow = value + 1;
    FRangeHigh = value;
    RecalcMapping();
    Refresh();
}

void TScale::SetShortTicks(bool value)
{
    if (value == FShortTicks)
        return;
    FShortTicks = value;
    Refresh();
}

void TScale::SetShowBaseLine(bool value)
{
    FShowBaseLine = value;
    Refresh();
}

void TScale::SetScaleInscript(const QString& value)
{
    FScaleInscript = value;
    Refresh();
}

void TScale::SetScaleType(TScaleType value)
{
    if (value == FScaleType)
        return;
    FScaleType = value;
    RecalcMapping();
    Refresh();
}

void TScale::SetTransparent(bool value)
{
    FTransparent = value;
    Refresh();
}

void TScale::SetUserTickText(const QString& value)
{
    FUserTickText = value;
    Refresh();
}

void TScale::SetVisible(bool value)
{
    FVisible = value;
    if (!FEmbedded)
        QWidget::setVisible(value);
    Refresh();
}

int TScale::ValueToPixel(double value) const
{
    return ScaleValueToPixel(FMapping, value, FLogarithmic, FRangeLow, FRangeHigh, width());
}

double TScale::TickValue(int index) const
{
    if (index < 1 || index > NumTicks())
        return 0;
    return FTickList[static_cast<size_t>(index - 1)];
}

TTickRun TScale::ComputeTickRun() const
{
    TTickParams p;
    p.RangeLow = FRangeLow;
    p.RangeHigh = FRangeHigh;
    p.MinTicks = FMinTicks;
    p.ShortTicks = FShortTicks;
    p.Logarithmic = FLogarithmic;
    p.LabelType = FLabelType;
    p.Horizontal = IsHorizontal(FScaleType);
    return ComputeTicks(p);
}

void TScale::BuildTickList()
{
    FTickList = ComputeTickRun().Recorded;
}

void TScale::Assign(const TScale& other)
{
    if (&other == this)
        return;
    FCaption = other.FCaption;
    FCaptionPosX = other.FCaptionPosX;
    FCaptionPosY = other.FCaptionPosY;
    FCaptionAlignment = other.FCaptionAlignment;
    FCaptionAnchor = other.FCaptionAnchor;
    FColorBackGnd = other.FColorBackGnd;
    FColorScale = other.FColorScale;
    FColorScheme = other.FColorScheme;
    FDecPlaces = other.FDecPlaces;
    setFont(other.font());
    FFrameStyle = other.FFrameStyle;
    FLabelType = other.FLabelType;
    FLogarithmic = other.FLogarithmic;
    FMarginTop = other.FMarginTop;
    FMarginBottom = other.FMarginBottom;
    FMarginLeft = other.FMarginLeft;
    FMarginRight = other.FMarginRight;
    FMinTicks = other.FMinTicks;
    FRangeLow = other.FRangeLow;
    FRangeHigh = other.FRangeHigh;
    FShortTicks = other.FShortTicks;
    FShowBaseLine = other.FShowBaseLine;
    FScaleInscript = other.FScaleInscript;
    FScaleType = other.FScaleType;
    FTransparent = other.FTransparent;
    FUserTickText = other.FUserTickText;
    FFontColor = other.FFontColor;
    FColorDark = other.FColorDark;
    FColorShadow = other.FColorShadow;
    FColorLight = other.FColorLight;
    OnScaleTickDrawn = other.OnScaleTickDrawn;
    FMapping = other.FMapping;
    FTickList = other.FTickList;
    FExternalCanvas = other.FExternalCanvas;
    FExternalOffsetX = other.FExternalOffsetX;
    FExternalOffsetY = other.FExternalOffsetY;
    FPaintLock = other.FPaintLock;
    FDateFormat->Assign(*other.FDateFormat); // refreshes through its change hook
}

void TScale::SetSize(int width, int height)
{
    resize(width, height);
    RecalcMapping();
    Refresh();
}

void TScale::SetPaintLock(bool value)
{
    FPaintLock = value;
    if (!value)
        Refresh();
}

void TScale::SetEmbedded(bool value)
{
    if (value == FEmbedded)
        return;
    FEmbedded = value;
    if (value) {
        // An embedded scale paints into its chart; its own window stays hidden and lets the
        // mouse through to the chart.
        FVisible = !isHidden();
        QWidget::setVisible(false);
        setAttribute(Qt::WA_TransparentForMouseEvents, true);
    } else {
        setAttribute(Qt::WA_TransparentForMouseEvents, false);
        QWidget::setVisible(FVisible);
    }
    Refresh();
}

void TScale::Loaded()
{
    FLoading = false;
    RecalcMapping();
    Refresh();
}

void TScale::SetExternalCanvas(QPainter* canvas, int offsetX, int offsetY)
{
    FExternalCanvas = canvas;
    FExternalOffsetX = offsetX;
    FExternalOffsetY = offsetY;
}

bool TScale::CanPaint() const
{
    return !FLoading && !FPaintLock && Visible();
}

void TScale::Paint()
{
    if (!CanPaint())
        return;
    if (FExternalCanvas)
        Render(*FExternalCanvas, FExternalOffsetX, FExternalOffsetY);
    else
        BuildTickList(); // the own window paints in paintEvent
}

void TScale::PaintUnlocked()
{
    const bool lock = FPaintLock;
    FPaintLock = false;
    if (FEmbedded || FExternalCanvas)
        Paint();
    else
        repaint();
    FPaintLock = lock;
}

void TScale::Refresh()
{
    if (FEmbedded)
        Paint();
    else if (!FTransparent)
        repaint();
    else
        update();
}

void TScale::paintEvent(QPaintEvent*)
{
    if (!CanPaint())
        return;
    if (FExternalCanvas) {
        Paint();
        return;
    }
    QPainter own(this);
    Render(own, 0, 0);
}

void TScale::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RecalcMapping();
}

void TScale::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!FShownOnce) {
        FShownOnce = true;
        SetPaintLock(false);
    }
}

} // namespace tessaly
