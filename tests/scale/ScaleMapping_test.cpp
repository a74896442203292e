#include "scale/ScaleMapping.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tessaly;

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TScaleGeometry Geometry(TScaleType type, int width = 400, int height = 400)
{
    TScaleGeometry g;
    g.Type = type;
    g.Width = width;
    g.Height = height;
    return g;
}

int Pixel(const TScaleGeometry& g, double lo, double hi, double v, bool log = false)
{
    const TScaleMapping m = ComputeScaleMapping({}, g, lo, hi, log);
    return ScaleValueToPixel(m, v, log, lo, hi, g.Width);
}
} // namespace

TEST(RoundToPixel, RoundsHalvesToEvenAndLimitsTheRange)
{
    struct Case { long double v; int pixel; };
    const Case cases[] = {
        {300.5L, 300}, {301.5L, 302}, {-0.5L, 0}, {-1.5L, -2}, {2.4999L, 2}, {2.5001L, 3},
        {-7.2L, -7}, {2147483646.5L, 2147483646}, {1e300L, MaxPixelCoordinate},
        {-1e300L, -MaxPixelCoordinate}, {Inf, MaxPixelCoordinate}, {-Inf, -MaxPixelCoordinate},
        {NaN, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundToPixel(c.v), c.pixel) << static_cast<double>(c.v);
}

TEST(ScaleMapping, LinearAxesRunFromTheirMarginsInBothOrientations)
{
    // Usable length 400 - 20 - 20 - 1 = 359 pixels.
    struct Case { TScaleType type; double lo, hi, v; int pixel; };
    const Case cases[] = {
        {sctXB, 0, 100, 0, 20},   {sctXB, 0, 100, 100, 379}, {sctXT, 0, 100, 40, 164},
        {sctXB, 100, 0, 100, 20}, // reversed
        {sctYL, 0, 100, 100, 20}, {sctYL, 0, 100, 0, 379},   {sctYR, 0, 100, 25, 289},
        {sctYR, 100, 0, 100, 379},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pixel(Geometry(c.type), c.lo, c.hi, c.v), c.pixel)
            << c.type << " " << c.lo << ".." << c.hi << " at " << c.v;
}

TEST(ScaleMapping, LogarithmicAxesMapDecadesEvenlyAndNonPositiveValuesToAnEdge)
{
    const TScaleGeometry g = Geometry(sctXB);
    EXPECT_EQ(Pixel(g, 1, 1000, 1, true), 20);
    EXPECT_EQ(Pixel(g, 1, 1000, 10, true), 140); // 20 + 359 / 3
    EXPECT_EQ(Pixel(g, 1, 1000, 1000, true), 379);
    EXPECT_EQ(Pixel(Geometry(sctYL), 1, 1000, 1000, true), 20);
    for (double v : {0.0, -5.0, 1e-100, NaN}) {
        EXPECT_EQ(Pixel(g, 1, 1000, v, true), 0) << v;
        EXPECT_EQ(Pixel(g, 1000, 1, v, true), 400) << v; // reversed: the control's width
    }
    // A logarithmic range with a non-positive end keeps the previous mapping.
    const TScaleMapping before{2, 7};
    const TScaleMapping after = ComputeScaleMapping(before, g, 0, 100, true);
    EXPECT_EQ(after.Factor, 2);
    EXPECT_EQ(after.Offset, 7);
}

TEST(ScaleMapping, DegenerateGeometryAndRangesAreDefined)
{
    // No usable length: every value at half the width, in both orientations.
    for (TScaleType type : {sctXB, sctYL}) {
        const TScaleGeometry g = Geometry(type, 41, 41);
        for (double v : {-1e300, 0.0, 3.0, Inf})
            EXPECT_EQ(Pixel(g, 0, 10, v), 20) << type << " " << v;
    }
    // Equal ends and NaN ends keep the previous mapping.
    const TScaleMapping before{3, 11};
    for (auto [lo, hi] : {std::pair{5.0, 5.0}, {NaN, 1.0}, {0.0, NaN}}) {
        const TScaleMapping m = ComputeScaleMapping(before, Geometry(sctXB), lo, hi, false);
        EXPECT_EQ(m.Factor, 3) << lo << ".." << hi;
        EXPECT_EQ(m.Offset, 11) << lo << ".." << hi;
    }
    // The widest ranges still map finitely, and far values are limited, not converted blindly.
    const TScaleGeometry g = Geometry(sctXB);
    EXPECT_NEAR(Pixel(g, -1e308, 1e308, 0), 200, 1);
    EXPECT_EQ(Pixel(g, -1e308, 1e308, 1e308), 379);
    EXPECT_EQ(Pixel(g, 0, 1e-300, 1e308), MaxPixelCoordinate);
    EXPECT_EQ(Pixel(g, 0, 100, -Inf), -MaxPixelCoordinate);
    EXPECT_EQ(Pixel(g, 0, 100, NaN), 0);
}
