#include "chart/Layouts.h"

namespace tessaly {

namespace {

// The creation layout: one x scale below and one y scale at the left; the hidden scales of
// layers 2..4 below and at the left as well, with their captions out of the way.
TLayoutRow CreationRow()
{
    TLayoutRow row;
    row.X[0] = {true, false, 0, 0, 22, taCenter, uaSclCenter};
    row.Y[0] = {true, false, 0, 0, -16, taLeftJustify, uaSclTopLft};
    for (size_t i = 1; i < 4; ++i) {
        row.X[i] = {false, false, 0, 10, 100, taCenter, uaSclCenter};
        row.Y[i] = {false, false, 0, 10, 100, taRightJustify, uaSclTopLft};
    }
    return row;
}

void Margins(TLayoutRow& row, int bottom, int top, int left, int right)
{
    row.MarginBottom = bottom;
    row.MarginTop = top;
    row.MarginLeft = left;
    row.MarginRight = right;
}

// Visible y scales beside each other at the left, 50 pixels apart.
void LeftYScales(TLayoutRow& row, int count)
{
    for (int i = 0; i < count; ++i)
        row.Y[static_cast<size_t>(i)] = {true, false, 50 * i, 0, -23, taRightJustify, uaSclTopLft};
}

} // namespace

TLayoutRow StandardLayoutRow(TrcLayout layout)
{
    TLayoutRow row = CreationRow();
    switch (layout) {
    case rcl_X1Bottom_Y1Left:
        break;
    case rcl_X1Bottom_Y2Left:
        Margins(row, 40, 24, 100, 20);
        LeftYScales(row, 2);
        break;
    case rcl_X1Bottom_Y3Left:
        Margins(row, 40, 24, 150, 20);
        LeftYScales(row, 3);
        break;
    case rcl_X1Bottom_Y4Left:
        Margins(row, 40, 24, 200, 20);
        LeftYScales(row, 4);
        break;
    case rcl_X1Bottom_Y2Both:
        Margins(row, 40, 24, 50, 50);
        row.CaptionPosY = -20;
        row.CaptionAlignment = taCenter;
        row.CaptionAnchorHoriz = cahChartCenter;
        LeftYScales(row, 1);
        row.Y[1] = {true, true, 0, 0, -23, taLeftJustify, uaSclTopLft};
        break;
    case rcl_X2Bottom_Y2Left:
        Margins(row, 70, 24, 100, 20);
        row.X[0] = {true, false, 0, -20, 7, taRightJustify, uaSclTopLft};
        row.X[1] = {true, false, 30, -20, 7, taRightJustify, uaSclTopLft};
        LeftYScales(row, 2);
        break;
    case rcl_X2Both_Y2Both:
        Margins(row, 40, 48, 50, 50);
        row.CaptionPosY = -46;
        row.CaptionAlignment = taCenter;
        row.CaptionAnchorHoriz = cahChartCenter;
        row.X[0] = {true, false, 0, -20, 7, taRightJustify, uaSclTopLft};
        row.X[1] = {true, true, 0, -20, -24, taRightJustify, uaSclTopLft};
        row.Y[0] = {true, false, 0, 0, -40, taRightJustify, uaSclTopLft};
        row.Y[1] = {true, true, 0, 0, -40, taLeftJustify, uaSclTopLft};
        for (size_t i = 2; i < 4; ++i)
            row.Y[i] = {false, false, 0, 0, -23, taRightJustify, uaSclTopLft};
        break;
    }
    return row;
}

} // namespace tessaly
