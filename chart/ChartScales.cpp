// The chart's scale settings and scale controls: each layer's settings objects, the copy of
// their values into the scale controls that draw the axes, and the standard layouts that place
// them.

#include "chart/RChart.h"

#include "chart/Layouts.h"

namespace tessaly {

TScalePropsHoriz* TCustomRChart::ScalePropsX(int layer) const
{
    return layer >= 1 && layer <= LayerCount ? Layer(layer).PropsX : nullptr;
}

TScalePropsVert* TCustomRChart::ScalePropsY(int layer) const
{
    return layer >= 1 && layer <= LayerCount ? Layer(layer).PropsY : nullptr;
}

TScale* TCustomRChart::ScaleControlX(int layer) const
{
    return layer >= 1 && layer <= LayerCount ? Layer(layer).ScaleX : nullptr;
}

TScale* TCustomRChart::ScaleControlY(int layer) const
{
    return layer >= 1 && layer <= LayerCount ? Layer(layer).ScaleY : nullptr;
}

void TCustomRChart::ScaleSettingsChanged()
{
    TBatch batch(*this);
    FScaleChangePending = true;
}

void TCustomRChart::ApplyScaleSettings()
{
    CopyAllScales();
    // Joined layers take their controllers' current ranges.
    for (int n = 1; n <= LayerCount; ++n) {
        LayerRangeOperation(n, RangeX(n), RangeY(n));
    }
}

void TCustomRChart::CopyScale(const TScaleProps& props, TScale& scale) const
{
    const int w = width(), h = height();
    if (scale.width() != w || scale.height() != h)
        scale.SetSize(w, h);
    const TScaleType type = props.ScaleType();
    // The scale's usable length spans the data area.
    if (IsHorizontal(type)) {
        scale.SetMarginLeft(FMarginLeft);
        scale.SetMarginRight(FMarginRight + FShadowWidth - 1);
    } else {
        scale.SetMarginTop(FMarginTop);
        scale.SetMarginBottom(FMarginBottom + FShadowWidth - 1);
    }
    scale.SetScaleType(type);
    // Its axis line lies on the data area's edge, moved outwards by the offset.
    const int offset = props.ScaleOffset();
    switch (type) {
    case sctXB:
        scale.SetMarginBottom(offset + h - FMarginTop - 1);
        break;
    case sctXT:
        scale.SetMarginTop(offset + h - FMarginBottom - FShadowWidth);
        break;
    case sctYL:
        scale.SetMarginLeft(offset + w - FMarginRight - FShadowWidth);
        break;
    case sctYR:
        scale.SetMarginRight(offset + w - FMarginLeft - 1);
        break;
    }
    scale.SetRangeLow(props.RangeLow());
    scale.SetRangeHigh(props.RangeHigh());
    scale.SetVisible(props.Visible());
    scale.SetCaption(props.Caption());
    scale.SetCaptionPosX(props.CaptionPosX());
    scale.SetCaptionPosY(props.CaptionPosY());
    scale.SetCaptionAlignment(props.CaptionAlignment());
    scale.SetCaptionAnchor(props.CaptionAnchor());
    scale.SetColorScale(props.ColorScale());
    // The label type comes after the decimals and the logarithmic mode: a time axis sets its
    // own decimals and switches the logarithmic mode off.
    scale.SetDecPlaces(props.DecPlaces());
    scale.SetLogarithmic(props.Logarithmic());
    scale.SetLabelType(props.LabelType());
    scale.SetShortTicks(props.ShortTicks());
    scale.SetMinTicks(props.MinTicks());
    scale.SetScaleInscript(props.ScaleInscript());
    scale.SetUserTickText(props.UserTickText());
    scale.SetFont(props.Font());
    scale.SetFontColor(props.FontColor());
    scale.SetDateFormat(props.DateFormat());
}

void TCustomRChart::CopyAllScales()
{
    for (int n = 1; n <= LayerCount; ++n) {
        TLayer& l = Layer(n);
        CopyScale(*l.PropsX, *l.ScaleX);
        CopyScale(*l.PropsY, *l.ScaleY);
    }
}

void TCustomRChart::SetStandardLayout(TrcLayout value)
{
    TBatch batch(*this);
    FStandardLayout = value;
    const TLayoutRow row = StandardLayoutRow(value);
    FMarginBottom = row.MarginBottom;
    FMarginTop = row.MarginTop;
    FMarginLeft = row.MarginLeft;
    FMarginRight = row.MarginRight;
    FCaptionPosX = row.CaptionPosX;
    FCaptionPosY = row.CaptionPosY;
    FCaptionAlignment = row.CaptionAlignment;
    FCaptionAnchorHoriz = row.CaptionAnchorHoriz;
    FCaptionAnchorVert = row.CaptionAnchorVert;
    auto place = [](TScaleProps& p, const TLayoutScale& s) {
        p.SetScalePos(s.Offset);
        p.SetVisible(s.Visible);
        p.SetCaptionPosX(s.CaptionPosX);
        p.SetCaptionPosY(s.CaptionPosY);
        p.SetCaptionAlignment(s.CaptionAlignment);
        p.SetCaptionAnchor(s.CaptionAnchor);
    };
    for (int n = 1; n <= 4; ++n) {
        TLayer& l = Layer(n);
        const TLayoutScale& x = row.X[static_cast<size_t>(n - 1)];
        const TLayoutScale& y = row.Y[static_cast<size_t>(n - 1)];
        l.PropsX->SetScaleLocation(x.FarSide ? slTop : slBottom);
        place(*l.PropsX, x);
        l.PropsY->SetScaleLocation(y.FarSide ? slRight : slLeft);
        place(*l.PropsY, y);
    }
    for (int n = 5; n <= LayerCount; ++n) {
        Layer(n).PropsX->SetVisible(false);
        Layer(n).PropsY->SetVisible(false);
    }
    MarginsChanged();
}

} // namespace tessaly
