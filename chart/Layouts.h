#pragma once
// The chart's standard layouts as data: margins, the chart caption's place and the scales of
// layers 1..4 (the scales of layers 5..16 are hidden by every layout).

#include "chart/ChartTypes.h"
#include "scale/ScaleTypes.h"

#include <array>

namespace tessaly {

struct TLayoutScale {
    bool Visible = false;
    bool FarSide = false; // x: above the data area (else below); y: at its right (else left)
    int Offset = 0;       // pixels outwards from the data area's edge
    int CaptionPosX = 0;
    int CaptionPosY = 0;
    TAlignment CaptionAlignment = taCenter;
    TScaleUnitAnchor CaptionAnchor = uaSclTopLft;
};

struct TLayoutRow {
    int MarginBottom = 40;
    int MarginTop = 20;
    int MarginLeft = 50;
    int MarginRight = 20;
    int CaptionPosX = 0;
    int CaptionPosY = -16;
    TAlignment CaptionAlignment = taRightJustify;
    TCaptionAnchorHoriz CaptionAnchorHoriz = cahChartRight;
    TCaptionAnchorVert CaptionAnchorVert = cavChartTop;
    std::array<TLayoutScale, 4> X; // layers 1..4
    std::array<TLayoutScale, 4> Y;
};

TLayoutRow StandardLayoutRow(TrcLayout layout);

} // namespace tessaly
