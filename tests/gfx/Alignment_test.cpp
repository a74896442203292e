// The one alignment rule of texts at an anchor.
#include "gfx/Alignment.h"

#include <gtest/gtest.h>

using namespace tessaly;

TEST(Alignment, TextsStartEndOrStraddleTheAnchor)
{
    struct Case { int anchor, width; TAlignment alignment; int start; };
    for (auto c : {Case{100, 31, taLeftJustify, 100}, Case{100, 31, taRightJustify, 69},
                   Case{100, 31, taCenter, 85}, Case{100, 30, taCenter, 85},
                   Case{-5, 3, taCenter, -6}, Case{0, 0, taRightJustify, 0}})
        EXPECT_EQ(AlignedStart(c.anchor, c.width, c.alignment), c.start)
            << c.anchor << " " << c.width << " " << c.alignment;
    // Scales place their captions in 64 bits: no overflow near the ends of int.
    EXPECT_EQ(AlignedStart<long long>(2147483647LL, -2147483648LL, taRightJustify),
              4294967295LL);
}
