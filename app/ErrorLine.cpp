#include "app/ErrorLine.h"

#include <algorithm>

namespace tessaly {

TErrorLinePlace PlaceErrorLine(const QRect& designed, int freeLeft, int textWidth)
{
    TErrorLinePlace place{designed, false};
    if (textWidth <= designed.width())
        return place;
    const int right = designed.right();
    const int left = std::max(std::min(freeLeft, designed.left()), right + 1 - textWidth);
    place.Geometry.setLeft(left);
    place.Elided = textWidth > place.Geometry.width();
    return place;
}

} // namespace tessaly
