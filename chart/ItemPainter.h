#pragma once
// Turns the chart's item list into polylines, free of any painter: consecutive draw-to items
// with equal attributes become one polyline of at most MaxPolylinePoints points, each polyline
// continuing from the last point of the one before, and pen attributes are set only when an
// item needs other ones. The chart hands the result to a canvas over QPainter; tests record it.

#include "chart/ChartTypes.h"
#include "chart/ItemStore.h"
#include "gfx/Colors.h"

#include <QPoint>

#include <functional>

namespace tessaly {

constexpr int MaxPolylinePoints = 200;

// Pixel coordinates handed to a canvas are limited to this, so that far-away points still give
// lines in the right direction.
constexpr int MaxCanvasCoordinate = 30000;

// What the item renderer draws with.
class TItemCanvas {
public:
    virtual ~TItemCanvas() = default;
    virtual void SetPenWidth(int width) = 0;
    // Pen colour and style, and brush colour.
    virtual void SetPenAttributes(TColor color, TPenStyle style, TColor brush) = 0;
    // One connected line through count >= 2 points.
    virtual void Polyline(const QPoint* points, int count) = 0;
};

// The canvas pixel of an item's world point in its layer.
using TItemMapper = std::function<QPoint(int layer, double x, double y)>;

// Draws the items in list order: every mapped point is limited to +-MaxCanvasCoordinate, then
// moved by `offset`. The pen starts at (0, 0) with width `lineWidth`, colour and brush
// `chartColor` and a solid style; a move-to item moves it, a draw-to item adds its point to the
// pending polyline (which starts at the pen). A change of width or of colour, style or fill
// colour, a move-to and a full polyline flush the pending points. Other item kinds are skipped.
// Ends with the pen width 1.
void RenderItems(const TItemStore& items, const TItemMapper& map, QPoint offset, int lineWidth,
                 TColor chartColor, TItemCanvas& canvas);

// v limited to +-MaxCanvasCoordinate.
inline int LimitCanvasCoordinate(int v)
{
    return v < -MaxCanvasCoordinate ? -MaxCanvasCoordinate
           : v > MaxCanvasCoordinate ? MaxCanvasCoordinate
                                     : v;
}

} // namespace tessaly
