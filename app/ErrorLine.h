#pragma once
// Where the main window's error line goes: at its designed place, right-aligned, as long as the
// reason fits; a longer reason takes the free space to its left, and where even that is too
// narrow the reason ends with an ellipsis. It is never cut at its start, where a reason such as
// "non-integer power of negative number ..." would read as its opposite.

#include <QRect>

namespace tessaly {

struct TErrorLinePlace {
    QRect Geometry;
    bool Elided = false; // the text must end with an ellipsis to fit Geometry
};

// designed: the line's designed rectangle (its right edge already following the window);
// freeLeft: the leftmost x the line may take; textWidth: the reason's width in its font.
TErrorLinePlace PlaceErrorLine(const QRect& designed, int freeLeft, int textWidth);

} // namespace tessaly
