#include "app/ChartSetup.h"

#include "chart/CrossHair.h"
#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "gfx/Colors.h"

namespace tessaly {

void ApplyMainWindowChartSettings(TRChart& chart)
{
    chart.SetAllocSize(1000);
    chart.SetMarginRight(8);
    chart.SetMarginTop(20);
    chart.SetMarginBottom(40);

    TScalePropsHoriz& x = *chart.Scale1X();
    x.SetCaption("x");
    x.SetCaptionAnchor(uaSclCenter);
    x.SetCaptionPosY(22);
    x.SetCaptionAlignment(taCenter);
    TScalePropsVert& y = *chart.Scale1Y();
    y.SetCaption("y");
    y.SetCaptionAnchor(uaSclTopLft);
    y.SetCaptionPosY(-16);
    y.SetCaptionAlignment(taLeftJustify);
    chart.SetRange(1, -100, -3, 100, 3);

    chart.SetGridStyle(gsDotLines);
    chart.SetGridColor(clSilver);

    TCrossHair& c1 = *chart.CrossHair1();
    c1.SetColor(clMaroon);
    c1.SetLayer(1);
    c1.SetMode(chBoth);
    c1.SetLineType(psDashDot);
    c1.SetLineWid(1);
    for (int n = 2; n <= 4; ++n) {
        TCrossHair& c = *chart.CrossHair(n);
        c.SetColor(clBlack);
        c.SetLayer(n);
        c.SetMode(chOff);
        c.SetLineType(psSolid);
        c.SetLineWid(1);
    }
    chart.SetMouseAction(maDragCrossH);
    chart.SetMouseCursorFixed(true);
}

} // namespace tessaly
