#include "chart/ScaleProps.h"

#include "scale/ScaleMapping.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

TScaleProps::TScaleProps(QObject* parent, TScaleType type, TColor color)
    : QObject(parent), FColorScale(color), FDateFormat(new TDTLabel(this)), FScaleType(type)
{
    FDateFormat->OnChange = [this] { Changed(); };
}

void TScaleProps::Changed()
{
    if (OnChange)
        OnChange();
}

void TScaleProps::SetCaption(const QString& value)
{
    FCaption = value;
    Changed();
}

void TScaleProps::SetCaptionPosX(int value)
{
    FCaptionPosX = value;
    Changed();
}

void TScaleProps::SetCaptionPosY(int value)
{
    FCaptionPosY = value;
    Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment value)
{
    FCaptionAlignment = value;
    Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor value)
{
    FCaptionAnchor = value;
    Changed();
}

void TScaleProps::SetColorScale(TColor value)
{
    FColorScale = value;
    Changed();
}

void TScaleProps::SetDateFormat(TDTLabel* value)
{
    if (value)
        FDateFormat->Assign(*value); // notifies through the label's change hook
}

void TScaleProps::SetDecPlaces(int value)
{
    FDecPlaces = std::clamp(value, -3, 12);
    Changed();
}

void TScaleProps::SetFont(const QFont& value)
{
    FFont = value;
    Changed();
}

void TScaleProps::SetFontColor(TColor value)
{
    FFontColor = value;
    Changed();
}

void TScaleProps::SetLogarithmic(bool value)
{
    if (!value || FOwnerLoading ||
        (FRangeLow >= LogFloor && FRangeHigh >= LogFloor && FLabelType != ftDateTime))
        FLogarithmic = value;
    Changed();
}

void TScaleProps::SetLabelType(TFigType value)
{
    FLabelType = value;
    if (value == ftDateTime)
        FLogarithmic = false;
    else if (value == ftTime)
        FDecPlaces = 4;
    Changed();
}

void TScaleProps::SetMinTicks(int value)
{
    FMinTicks = value;
    Changed();
}

void TScaleProps::SetMinRange(double value)
{
    if (!(value > LogFloor) || !std::isfinite(value))
        return;
    FMinRange = value;
    if (std::fabs(FRangeHigh - FRangeLow) < value) {
        const double centre = FRangeLow + (FRangeHigh - FRangeLow) / 2;
        FRangeLow = centre - value / 2;
        FRangeHigh = centre + value / 2;
    }
    Changed();
}

void TScaleProps::SetRangeLow(double value)
{
    if (!std::isfinite(value))
        return;
    if (std::fabs(FRangeHigh - value) < FMinRange) {
        FRangeLow = value;
        FRangeHigh = value + FMinRange;
    } else if (!(FLogarithmic && value < LogFloor)) {
        FRangeLow = value;
    }
    Changed();
}

void TScaleProps::SetRangeHigh(double value)
{
    if (!std::isfinite(value))
        return;
    if (std::fabs(FRangeLow - value) < FMinRange) {
        FRangeHigh = value;
        FRangeLow = value - FMinRange;
    } else if (!(FLogarithmic && value < LogFloor)) {
        FRangeHigh = value;
    }
    Changed();
}

void TScaleProps::SetShortTicks(bool value)
{
    FShortTicks = value;
    Changed();
}

void TScaleProps::SetScaleInscript(const QString& value)
{
    FScaleInscript = value;
    Changed();
}

void TScaleProps::StoreScalePos(int value)
{
    (IsHorizontal(FScaleType) ? FOffsetX : FOffsetY) = value;
}

void TScaleProps::SetScalePos(int value)
{
    StoreScalePos(value);
    Changed();
}

void TScaleProps::SetUserTickText(const QString& value)
{
    FUserTickText = value;
    Changed();
}

void TScaleProps::SetVisible(bool value)
{
    FVisible = value;
    Changed();
}

TScalePropsHoriz::TScalePropsHoriz(QObject* parent, TColor color)
    : TScaleProps(parent, sctXT, color)
{
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocHoriz value)
{
    // A scale above the data area has its axis line at the bottom of its own area.
    StoreScaleType(value == slTop ? sctXB : sctXT);
    Changed();
}

TScalePropsVert::TScalePropsVert(QObject* parent, TColor color)
    : TScaleProps(parent, sctYR, color)
{
}

void TScalePropsVert::SetScaleLocation(TScaleLocVert value)
{
    StoreScaleType(value == slLeft ? sctYR : sctYL);
    Changed();
}

} // namespace tessaly
