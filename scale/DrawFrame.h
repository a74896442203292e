#pragma once
// The 3-D frame that scales, numeric labels and gradient fills draw around themselves, and the
// frame colour schemes they share.

#include "gfx/Colors.h"

#include <QObject>

class QPainter;

namespace tessaly {
// Registered with Qt's meta object system, so properties of these types are read and written
// by name.
namespace FrameEnums {
Q_NAMESPACE

enum TFrameStyle { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
Q_ENUM_NS(TFrameStyle)

enum TColorScheme { csBWG, csSystem };
Q_ENUM_NS(TColorScheme)

} // namespace FrameEnums

using namespace FrameEnums;

// The shadow and light colours of a scheme: grey and white under csBWG, the system's button
// shadow and button highlight under csSystem. The dark colour is always black.
struct TFrameColors {
    TColor Shadow = clGray;
    TColor Light = clWhite;
};
TFrameColors SchemeFrameColors(TColorScheme scheme);

// Draws a frame of `style` along the inside of the rectangle whose corner pixels are (left, top)
// and (right, bottom). fsSimple outlines it in `simple`; the 3-D styles draw an outer and an
// inner ring, each of a top-left and a bottom-right colour:
//   fsLowered  shadow/light, dark/mid      fsRaised   light/dark, mid/shadow
//   fsEmbossed light/shadow, shadow/light  fsEngraved shadow/light, light/shadow
// The outer ring's bottom-left and top-right corner pixels belong to its bottom-right and
// top-left colour respectively; the same holds for the inner ring.
void DrawFrame(QPainter& painter, TFrameStyle style, int left, int top, int right, int bottom,
               TColor light, TColor mid, TColor shadow, TColor dark, TColor simple);

} // namespace tessaly
