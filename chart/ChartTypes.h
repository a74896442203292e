#pragma once
// Enumerations of the chart: pen styles of items, caption anchors, scale locations and the
// standard layouts. Registered with Qt's meta object system, so properties of these types are
// read and written by name.

#include <QObject>

namespace tessaly {
namespace ChartEnums {
Q_NAMESPACE

// Pen styles of items (the item record keeps the number).
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)

// Horizontal anchor of the chart caption: the control's or the data area's edges or centre.
enum TCaptionAnchorHoriz { cahControlLeft, cahChartLeft, cahChartCenter, cahChartRight,
                           cahControlRight };
Q_ENUM_NS(TCaptionAnchorHoriz)

enum TCaptionAnchorVert { cavControlTop, cavChartTop, cavChartCenter, cavChartBottom,
                          cavControlBottom };
Q_ENUM_NS(TCaptionAnchorVert)

// Where a layer's x scale or y scale sits beside the data area.
enum TScaleLocHoriz { slTop, slBottom };
Q_ENUM_NS(TScaleLocHoriz)
enum TScaleLocVert { slLeft, slRight };
Q_ENUM_NS(TScaleLocVert)

// The standard arrangements of margins, caption and the scales of layers 1..4.
enum TrcLayout { rcl_X1Bottom_Y1Left, rcl_X1Bottom_Y2Left, rcl_X1Bottom_Y3Left,
                 rcl_X1Bottom_Y4Left, rcl_X1Bottom_Y2Both, rcl_X2Bottom_Y2Left,
                 rcl_X2Both_Y2Both };
Q_ENUM_NS(TrcLayout)

} // namespace ChartEnums

using namespace ChartEnums;

// Layers of a chart, numbered 1..LayerCount.
constexpr int LayerCount = 16;

} // namespace tessaly
