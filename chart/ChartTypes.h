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

// Grid of the data area: points at the crossings, solid or dotted lines in one or both
// directions.
enum GridStyleType { gsNone, gsPoints, gsVertLines, gsHorizLines, gsLines, gsHorizDotLines,
                     gsVertDotLines, gsDotLines };
Q_ENUM_NS(GridStyleType)

// Outline of the chart's shadow: the flying style outlines it in the shadow colour, the box
// style in black.
enum TShadowStyle { ssFlying, ssBox };
Q_ENUM_NS(TShadowStyle)

// How the background image fills the data area.
enum TBkgFill { bfSimple, bfStretch, bfTile };
Q_ENUM_NS(TBkgFill)

// The coloured part of the data area, given in the world coordinates of layer 1.
enum TBGAreaMode { bamNone, bamLeft, bamRight, bamTop, bamBottom, bamVStripe, bamHStripe,
                   bamRect };
Q_ENUM_NS(TBGAreaMode)

// Background of text items.
enum TTextBkg { tbClear, tbSolid };
Q_ENUM_NS(TTextBkg)

// Font styles of text items.
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

// What the left mouse button does on the chart (the rotation modes do nothing here).
enum TMouseActMode { maNone, maPan, maPanHoriz, maPanVert, maRubberBand, maZoom, maZoomWind,
                     maZoomWindPos, maZoomDrag, maDragCrossH, maDragLabel, maRotate,
                     maRotAndZoom, maRotXOnly, maRotZOnly };
Q_ENUM_NS(TMouseActMode)

// Mouse buttons and the state of modifier keys and buttons in mouse and key events.
enum TMouseButton { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)
enum TShiftStateFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16,
                       ssMiddle = 32, ssDouble = 64 };
Q_DECLARE_FLAGS(TShiftState, TShiftStateFlag)
Q_FLAG_NS(TShiftState)

// Which lines of a crosshair are drawn.
enum TCrossHMode { chOff, chHoriz, chVert, chBoth };
Q_ENUM_NS(TCrossHMode)

// Which coordinates of a text label's position are world coordinates of its layer (the others
// are control pixels).
enum TTxtLblAttachMode { tlamNone, tlamXOnly, tlamYOnly, tlamBoth };
Q_ENUM_NS(TTxtLblAttachMode)

// How a text label is drawn: not at all, on its background, in a box, underlined, or in a box
// with a shadow.
enum TTxtLblMode { tlOff, tlsimple, tlBox, tlUnderline, tlShadow };
Q_ENUM_NS(TTxtLblMode)

enum TVerticalAlignment { vaTop, vaCenter, vaBottom };
Q_ENUM_NS(TVerticalAlignment)

Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)
Q_DECLARE_OPERATORS_FOR_FLAGS(TShiftState)

} // namespace ChartEnums

using namespace ChartEnums;

// Layers of a chart, numbered 1..LayerCount.
constexpr int LayerCount = 16;

// Crosshairs (1..CrossHairCount) and text labels (1..TextLabelCount) of a chart.
constexpr int CrossHairCount = 4;
constexpr int TextLabelCount = 30;

} // namespace tessaly
