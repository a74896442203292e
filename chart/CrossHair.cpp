#include "chart/CrossHair.h"

#include <algorithm>

namespace tessaly {

TCrossHair::TCrossHair(QObject* parent, int layer)
    : QObject(parent), FLayer(std::clamp(layer, 1, LayerCount))
{
}

void TCrossHair::Changed()
{
    if (OnChange)
        OnChange();
}

void TCrossHair::SetPosX(double value)
{
    FPosX = value;
    Changed();
}

void TCrossHair::SetPosY(double value)
{
    FPosY = value;
    Changed();
}

void TCrossHair::SetColor(TColor value)
{
    FColor = value;
    Changed();
}

void TCrossHair::SetLayer(int value)
{
    FLayer = std::clamp(value, 1, LayerCount);
    Changed();
}

void TCrossHair::SetMode(TCrossHMode value)
{
    FMode = value;
    Changed();
}

void TCrossHair::SetLineType(TPenStyle value)
{
    FLineType = value;
    Changed();
}

void TCrossHair::SetLineWid(int value)
{
    FLineWid = value;
    Changed();
}

TCrossHairLines CrossHairLineBounds(const TChartGeometry& g, QPoint at, int lineWid,
                                    TCrossHMode mode)
{
    // A pen of width 0 or less still draws one pixel.
    const long long width = std::max(lineWid, 1);
    const long long h = std::max(lineWid, 0) / 2;
    TCrossHairLines lines;
    // A line at `pos` across the data area [low, high] that runs along [from, to].
    auto line = [&](long long pos, long long low, long long high, long long from, long long to) {
        TCrossHairLine l;
        // Strictly inside the border, with the pen's half width to spare on either side.
        if (!(low + h < pos && pos < high - h))
            return l;
        l.Drawn = true;
        l.Position = static_cast<int>(pos);
        l.First = static_cast<int>(from + h + 1);
        l.Last = static_cast<int>(to - h - 1); // the line's end point is not drawn
        l.Width = static_cast<int>(width);
        return l;
    };
    if (mode == chHoriz || mode == chBoth)
        lines.Horizontal = line(at.y(), g.DataTop(), g.DataBottom(), g.DataLeft(), g.DataRight());
    if (mode == chVert || mode == chBoth)
        lines.Vertical = line(at.x(), g.DataLeft(), g.DataRight(), g.DataTop(), g.DataBottom());
    return lines;
}

} // namespace tessaly
