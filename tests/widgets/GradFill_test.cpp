#include "widgets/GradFill.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace tessaly;

namespace {

using G = TGradFill;

TColor At(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return RGB(c.red(), c.green(), c.blue());
}

// Runs of equal colour down column x: each run's colour and length.
std::vector<std::pair<TColor, int>> ColumnRuns(const QImage& image, int x)
{
    std::vector<std::pair<TColor, int>> runs;
    for (int y = 0; y < image.height(); ++y) {
        const TColor c = At(image, x, y);
        if (runs.empty() || runs.back().first != c)
            runs.push_back({c, 0});
        ++runs.back().second;
    }
    return runs;
}

bool Uniform(const QImage& image, TColor c)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) != c)
                return false;
    return true;
}

} // namespace

TEST(GradFill, MulDivRoundsHalvesAwayFromZeroAndFlagsZeroDivisors)
{
    struct Case { int a, b, c, result; };
    for (auto k : {Case{1, 3, 2, 2}, Case{-1, 3, 2, -2}, Case{1, -3, 2, -2}, Case{1, 3, -2, -2},
                   Case{5, 1, 3, 2}, Case{4, 1, 3, 1}, Case{15, 127, 16, 119},
                   Case{15, 255, 16, 239}, Case{0, -5, 7, 0}, Case{7, 9, 0, -1},
                   Case{65536, 65536, 2, -1}, Case{65536, 65536, 4, 1073741824}}) {
        EXPECT_EQ(G::MulDiv(k.a, k.b, k.c), k.result) << k.a << " * " << k.b << " / " << k.c;
    }
}

TEST(GradFill, DefaultControlPaintsSixteenBandsFromMaroonToYellow)
{
    G fill;
    const QImage img = fill.RenderImage();
    ASSERT_EQ(img.size(), QSize(121, 121));
    const auto runs = ColumnRuns(img, 60);
    ASSERT_EQ(runs.size(), 16u);
    for (std::size_t k = 0; k < runs.size(); ++k) {
        EXPECT_TRUE(runs[k].second == 7 || runs[k].second == 8) << "band " << k;
        EXPECT_EQ(runs[k].first, RGB(128 + G::MulDiv(int(k), 127, 16), G::MulDiv(int(k), 255, 16), 0))
            << "band " << k;
    }
    EXPECT_EQ(runs.front().first, RGB(128, 0, 0));
    EXPECT_EQ(runs.back().first, RGB(247, 239, 0));
    // Bands span the full width.
    EXPECT_EQ(ColumnRuns(img, 0), runs);
    EXPECT_EQ(ColumnRuns(img, 120), runs);
}

TEST(GradFill, VerticalBandsRunFromLeftToRight)
{
    G fill;
    fill.SetFillType(G::gtVert);
    fill.SetNrColors(4);
    fill.resize(40, 10);
    const QImage img = fill.RenderImage();
    EXPECT_EQ(At(img, 0, 5), RGB(128, 0, 0));
    EXPECT_EQ(At(img, 9, 5), RGB(128, 0, 0));
    EXPECT_EQ(At(img, 10, 5), RGB(128 + 32, 64, 0));
    EXPECT_EQ(At(img, 39, 9), RGB(128 + 95, 191, 0));
}

TEST(GradFill, MidBandStepsGoOutAndBack)
{
    G fill;
    fill.SetFillType(G::gtMidBandHoriz);
    fill.SetNrColors(5);
    fill.resize(10, 100);
    const QImage img = fill.RenderImage();
    const TColor first = RGB(128, 0, 0), middle = RGB(192, 128, 0), last = RGB(255, 255, 0);
    const std::vector<std::pair<TColor, int>> expected = {
        {first, 20}, {middle, 20}, {last, 20}, {middle, 20}, {first, 20}};
    EXPECT_EQ(ColumnRuns(img, 5), expected);

    fill.SetFillType(G::gtMidBandVert);
    fill.resize(100, 10);
    const QImage vertical = fill.RenderImage();
    EXPECT_EQ(At(vertical, 10, 5), first);
    EXPECT_EQ(At(vertical, 30, 5), middle);
    EXPECT_EQ(At(vertical, 50, 5), last);
    EXPECT_EQ(At(vertical, 70, 5), middle);
    EXPECT_EQ(At(vertical, 90, 5), first);
}

TEST(GradFill, OneColourFillsWithTheFirstColourWhereStepsWouldDivideByZero)
{
    const TColor first = RGB(128, 0, 0), last = RGB(255, 255, 0);
    for (auto type : {G::gtHoriz, G::gtVert, G::gtMidBandHoriz, G::gtMidBandVert,
                      G::gtEllipticFull, G::gtRect, G::gtRadial}) {
        G fill;
        fill.SetFillType(type);
        fill.SetNrColors(1);
        EXPECT_TRUE(Uniform(fill.RenderImage(), first)) << "type " << type;
    }
    // The one fitted ellipse leaves the corners in the last colour.
    G fit;
    fit.SetFillType(G::gtEllipticFit);
    fit.SetNrColors(1);
    const QImage img = fit.RenderImage();
    EXPECT_EQ(At(img, 60, 60), first);
    EXPECT_EQ(At(img, 60, 2), first);
    EXPECT_EQ(At(img, 2, 60), first);
    EXPECT_EQ(At(img, 0, 0), last);
    EXPECT_EQ(At(img, 120, 120), last);
}

TEST(GradFill, ShapesPutTheFirstColourInTheCentre)
{
    const TColor first = RGB(128, 0, 0), last = RGB(255, 255, 0), step1of2 = RGB(192, 128, 0);
    G fill;
    fill.SetNrColors(2);

    fill.SetFillType(G::gtRect);
    QImage img = fill.RenderImage();
    EXPECT_EQ(At(img, 60, 60), first);  // the 1 x 1 rectangle of step 0
    EXPECT_EQ(At(img, 61, 60), step1of2);
    EXPECT_EQ(At(img, 0, 0), step1of2);
    EXPECT_EQ(At(img, 120, 120), step1of2);

    // The largest full ellipse reaches beyond the corners; the fitted one leaves them.
    fill.SetNrColors(16);
    fill.SetFillType(G::gtEllipticFull);
    img = fill.RenderImage();
    EXPECT_EQ(At(img, 0, 0), RGB(247, 239, 0));
    EXPECT_EQ(At(img, 120, 120), RGB(247, 239, 0));
    fill.SetFillType(G::gtEllipticFit);
    img = fill.RenderImage();
    EXPECT_EQ(At(img, 0, 0), last);
    EXPECT_EQ(At(img, 60, 1), RGB(247, 239, 0));

    // Radial: the first colour points down from the centre, the last step up.
    fill.SetFillType(G::gtRadial);
    img = fill.RenderImage();
    EXPECT_EQ(At(img, 60, 115), first);
    EXPECT_EQ(At(img, 60, 5), RGB(247, 239, 0));
}

TEST(GradFill, DiagonalGridLines)
{
    G fill;
    fill.SetFillType(G::gtDiagGrid);
    const QImage img = fill.RenderImage();  // 121 x 121: q = 30, vertical lines over 60 steps
    const TColor first = RGB(128, 0, 0), last = RGB(255, 255, 0);
    EXPECT_EQ(At(img, 1, 1), first);    // upper half between lines
    EXPECT_EQ(At(img, 1, 118), last);   // lower half between lines
    EXPECT_EQ(At(img, 1, 59), first);   // line k = 0 of the lower set
    EXPECT_EQ(At(img, 1, 61), RGB(128 + G::MulDiv(1, 127, 30), G::MulDiv(1, 255, 30), 0));
    EXPECT_EQ(At(img, 1, 119), last);   // line k = q
    EXPECT_EQ(At(img, 120, 7), last);   // vertical line k = 60 over everything
    EXPECT_EQ(At(img, 2, 7), RGB(128 + G::MulDiv(1, 127, 60), G::MulDiv(1, 255, 60), 0));
}

TEST(GradFill, GridCoversEverySecondColumnAndRow)
{
    G fill;
    fill.resize(9, 7);
    fill.SetGridColor(clBlue);
    fill.SetGridMode(G::gmVert);
    QImage img = fill.RenderImage();
    EXPECT_EQ(At(img, 0, 3), clBlue);
    EXPECT_EQ(At(img, 8, 6), clBlue);
    EXPECT_NE(At(img, 1, 0), clBlue);
    EXPECT_NE(At(img, 7, 0), clBlue);

    fill.SetGridMode(G::gmBoth);
    img = fill.RenderImage();
    EXPECT_EQ(At(img, 1, 0), clBlue);
    EXPECT_EQ(At(img, 3, 6), clBlue);
    EXPECT_NE(At(img, 1, 1), clBlue);
    EXPECT_NE(At(img, 3, 5), clBlue);
}

TEST(GradFill, FrameIsDrawnLastAlongTheEdge)
{
    G fill;
    fill.SetGridMode(G::gmBoth);
    fill.SetFrameStyle(fsRaised);
    const QImage img = fill.RenderImage();
    EXPECT_EQ(At(img, 0, 0), clWhite);
    EXPECT_EQ(At(img, 120, 120), clBlack);
    EXPECT_EQ(At(img, 1, 1), clSilver);
    EXPECT_EQ(At(img, 119, 119), clGray);
}

TEST(GradFill, FlippedColoursAreViewsOnTheTwoStoredColours)
{
    G fill;
    fill.SetColorFlipped(true);
    EXPECT_EQ(fill.ColorFirst(), RGB(255, 255, 0));
    EXPECT_EQ(fill.ColorLast(), RGB(128, 0, 0));
    fill.SetColorFlipped(false);
    EXPECT_EQ(fill.ColorFirst(), RGB(128, 0, 0));
    EXPECT_EQ(fill.ColorLast(), RGB(255, 255, 0));

    // As the tool bar's stored layout sets them: flipped first, then the two colours.
    G bar;
    bar.SetColorFlipped(true);
    bar.SetColorFirst(clSilver);
    bar.SetColorLast(clWhite);
    EXPECT_EQ(bar.ColorFirst(), clSilver);
    EXPECT_EQ(bar.ColorLast(), clWhite);
    const QImage img = bar.RenderImage();
    EXPECT_EQ(At(img, 5, 0), clSilver);
    bar.SetColorFlipped(false);
    EXPECT_EQ(bar.ColorFirst(), clWhite);
    EXPECT_EQ(bar.ColorLast(), clSilver);
}

TEST(GradFill, NrColorsStaysWithinOneTo255)
{
    G fill;
    fill.SetNrColors(0);
    EXPECT_EQ(fill.NrColors(), 1);
    fill.SetNrColors(300);
    EXPECT_EQ(fill.NrColors(), 255);
    // 255 bands on 121 rows: some bands are empty, but every row gets a later step than the
    // row above it, from step 1 (band 0 is empty) to step 253 (band 254 is empty).
    const auto runs = ColumnRuns(fill.RenderImage(), 60);
    ASSERT_EQ(runs.size(), 121u);
    for (std::size_t k = 1; k < runs.size(); ++k)
        EXPECT_GT((runs[k].first >> 8) & 0xFF, (runs[k - 1].first >> 8) & 0xFF) << "row " << k;
    EXPECT_EQ(runs.front().first, RGB(128, 1, 0));
    EXPECT_EQ(runs.back().first, RGB(128 + G::MulDiv(253, 127, 255), 253, 0));
}

TEST(GradFill, SystemColoursAreResolvedAndOnPaintFollowsEachPaint)
{
    QWidget parent;
    auto* fill = new G(&parent);
    fill->SetColorFirst(clBtnFace);
    fill->SetNrColors(1);
    int paints = 0;
    fill->OnPaint = [&](G& sender) {
        ++paints;
        EXPECT_EQ(&sender, fill);
    };
    parent.resize(121, 121);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    paints = 0;
    fill->repaint();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(At(fill->RenderImage(), 0, 0), ColorToRGB(clBtnFace));
}
