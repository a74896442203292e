#include "scale/DrawFrame.h"

#include "support/Pixels.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace tessaly;
using tessaly::test::PixelAt;

namespace {

constexpr TColor Light = RGB(250, 1, 1), Mid = RGB(2, 250, 2), Shadow = RGB(3, 3, 250),
                 Dark = RGB(4, 4, 4), Simple = RGB(200, 100, 5), Back = RGB(90, 90, 90);

// A frame drawn on a 12 x 10 image, over the rectangle (2, 1)..(9, 7).
constexpr int L = 2, T = 1, R = 9, B = 7;

QImage Framed(TFrameStyle style)
{
    QImage image(12, 10, QImage::Format_RGB32);
    image.fill(ColorToQColor(Back));
    QPainter p(&image);
    DrawFrame(p, style, L, T, R, B, Light, Mid, Shadow, Dark, Simple);
    return image;
}

} // namespace

TEST(DrawFrame, CornersAndEdgesOfEveryStyle)
{
    // Outer ring: top-left corner, top-right corner, bottom-left corner, bottom-right corner,
    // middle of the left and bottom edges; inner ring: the same four corners.
    struct Case { TFrameStyle style; TColor a, b, c, d; };
    for (auto k : {Case{fsLowered, Shadow, Light, Dark, Mid},
                   Case{fsRaised, Light, Dark, Mid, Shadow},
                   Case{fsEmbossed, Light, Shadow, Shadow, Light},
                   Case{fsEngraved, Shadow, Light, Light, Shadow}}) {
        const QImage img = Framed(k.style);
        EXPECT_EQ(PixelAt(img, L, T), k.a) << k.style;
        EXPECT_EQ(PixelAt(img, R, T), k.a) << k.style;
        EXPECT_EQ(PixelAt(img, L, 4), k.a) << k.style;
        EXPECT_EQ(PixelAt(img, L, B), k.b) << k.style;
        EXPECT_EQ(PixelAt(img, R, B), k.b) << k.style;
        EXPECT_EQ(PixelAt(img, R, 4), k.b) << k.style;
        EXPECT_EQ(PixelAt(img, 5, B), k.b) << k.style;
        EXPECT_EQ(PixelAt(img, L + 1, T + 1), k.c) << k.style;
        EXPECT_EQ(PixelAt(img, R - 1, T + 1), k.c) << k.style;
        EXPECT_EQ(PixelAt(img, L + 1, B - 1), k.d) << k.style;
        EXPECT_EQ(PixelAt(img, R - 1, B - 1), k.d) << k.style;
        EXPECT_EQ(PixelAt(img, R - 1, T + 2), k.d) << k.style;
        // Lines stop before their end pixel: nothing outside the rectangle, nothing inside the
        // two rings.
        for (auto [x, y] : {std::pair{R + 1, T}, std::pair{L - 1, B}, std::pair{L, T - 1},
                            std::pair{L, B + 1}, std::pair{L + 2, T + 2},
                            std::pair{R - 2, B - 2}}) {
            EXPECT_EQ(PixelAt(img, x, y), Back) << k.style << " at " << x << ',' << y;
        }
    }
}

TEST(DrawFrame, SimpleOutlinesTheRectangleAndNoneDrawsNothing)
{
    const QImage simple = Framed(fsSimple);
    for (auto [x, y] : {std::pair{L, T}, std::pair{R, T}, std::pair{L, B}, std::pair{R, B},
                        std::pair{5, B}, std::pair{R, 4}}) {
        EXPECT_EQ(PixelAt(simple, x, y), Simple) << x << ',' << y;
    }
    EXPECT_EQ(PixelAt(simple, L + 1, T + 1), Back);
    EXPECT_EQ(PixelAt(simple, R + 1, T), Back);
    QImage blank(12, 10, QImage::Format_RGB32);
    blank.fill(ColorToQColor(Back));
    EXPECT_EQ(Framed(fsNone), blank);

    // System colours are resolved when drawn.
    QImage image(6, 6, QImage::Format_RGB32);
    QPainter p(&image);
    DrawFrame(p, fsSimple, 0, 0, 5, 5, Light, Mid, Shadow, Dark, clBtnFace);
    p.end();
    EXPECT_EQ(PixelAt(image, 0, 0), ColorToRGB(clBtnFace));
}
