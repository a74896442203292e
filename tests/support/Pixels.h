#pragma once
// Reading the pixels of rendered images in paint tests.

#include "gfx/Colors.h"

#include <QImage>

namespace tessaly::test {

// The colour of a pixel as 0x00BBGGRR.
inline TColor PixelAt(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

} // namespace tessaly::test
