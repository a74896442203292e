#include "widgets/GradFill.h"

#include "support/Pixels.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace tessaly;
using tessaly::test::PixelAt;

namespace {

using G = TGradFill;
constexpr TColor First = RGB(128, 0, 0), Last = RGB(255, 255, 0);

// Runs of equal colour down column x: each run's colour and length.
std::vector<std::pair<TColor, int>> ColumnRuns(const QImage& image, int x)
{
    std::vector<std::pair<TColor, int>> runs;
    for (int y = 0; y < image.height(); ++y) {
        const TColor c = PixelAt(image, x, y);
        if (runs.empty() || runs.back().first != c)
            runs.push_back({c, 0});
        ++runs.back().second;
    }
    return runs;
}

QImage Render(G::TGradType type, int colours, QSize size = QSize(121, 121))
{
    G fill;
    fill.SetFillType(type);
    fill.SetNrColors(colours);
    fill.resize(size);
    return fill.RenderImage();
}

} // namespace

TEST(GradFill, MulDivRoundsHalvesAwayFromZeroAndFlagsZeroDivisors)
{
    struct Case { int a, b, c, result; };
    for (auto k : {Case{1, 3, 2, 2}, Case{-1, 3, 2, -2}, Case{1, 3, -2, -2}, Case{5, 1, 3, 2},
                   Case{4, 1, 3, 1}, Case{15, 127, 16, 119}, Case{0, -5, 7, 0}, Case{7, 9, 0, -1},
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
    for (int k = 0; k < 16; ++k) {
        const auto& run = runs[static_cast<size_t>(k)];
        EXPECT_TRUE(run.second == 7 || run.second == 8) << "band " << k;
        EXPECT_EQ(run.first, RGB(128 + G::MulDiv(k, 127, 16), G::MulDiv(k, 255, 16), 0)) << k;
    }
    EXPECT_EQ(runs.back().first, RGB(247, 239, 0));
    EXPECT_EQ(ColumnRuns(img, 0), runs);  // bands span the full width
    EXPECT_EQ(ColumnRuns(img, 120), runs);
}

TEST(GradFill, VerticalAndMidBandSteps)
{
    QImage img = Render(G::gtVert, 4, QSize(40, 10));
    EXPECT_EQ(PixelAt(img, 9, 5), First);
    EXPECT_EQ(PixelAt(img, 10, 5), RGB(128 + 32, 64, 0));
    EXPECT_EQ(PixelAt(img, 39, 9), RGB(128 + 95, 191, 0));

    // Mid bands go out to the last colour and back: steps 0, 1, 2, 1, 0 over 2.
    const TColor middle = RGB(192, 128, 0);
    const std::vector<std::pair<TColor, int>> expected = {
        {First, 20}, {middle, 20}, {Last, 20}, {middle, 20}, {First, 20}};
    EXPECT_EQ(ColumnRuns(Render(G::gtMidBandHoriz, 5, QSize(10, 100)), 5), expected);
    img = Render(G::gtMidBandVert, 5, QSize(100, 10));
    EXPECT_EQ(PixelAt(img, 50, 5), Last);
    EXPECT_EQ(PixelAt(img, 70, 5), middle);
}

TEST(GradFill, OneColourFillsWithTheFirstColourWhereStepsWouldDivideByZero)
{
    for (auto type : {G::gtHoriz, G::gtVert, G::gtMidBandHoriz, G::gtMidBandVert,
                      G::gtEllipticFull, G::gtRect, G::gtRadial}) {
        const QImage img = Render(type, 1);
        EXPECT_EQ(ColumnRuns(img, 0), (std::vector<std::pair<TColor, int>>{{First, 121}})) << type;
        EXPECT_EQ(ColumnRuns(img, 60), ColumnRuns(img, 0)) << type;
    }
    // The one fitted ellipse fills the rectangle and leaves the corners in the last colour.
    const QImage img = Render(G::gtEllipticFit, 1);
    EXPECT_EQ(PixelAt(img, 60, 2), First);
    EXPECT_EQ(PixelAt(img, 2, 60), First);
    EXPECT_EQ(PixelAt(img, 0, 0), Last);
}

TEST(GradFill, ShapesPutTheFirstColourInTheCentre)
{
    const TColor halfway = RGB(192, 128, 0), lastStep = RGB(247, 239, 0);
    QImage img = Render(G::gtRect, 2);
    EXPECT_EQ(PixelAt(img, 60, 60), First);  // the 1 x 1 rectangle of step 0
    EXPECT_EQ(PixelAt(img, 61, 60), halfway);
    EXPECT_EQ(PixelAt(img, 120, 120), halfway);
    // The largest full ellipse reaches beyond the corners; the fitted one leaves them.
    EXPECT_EQ(PixelAt(Render(G::gtEllipticFull, 16), 0, 0), lastStep);
    img = Render(G::gtEllipticFit, 16);
    EXPECT_EQ(PixelAt(img, 0, 0), Last);
    EXPECT_EQ(PixelAt(img, 60, 1), lastStep);
    // Radial: the first colour points down from the centre, the last step up.
    img = Render(G::gtRadial, 16);
    EXPECT_EQ(PixelAt(img, 60, 115), First);
    EXPECT_EQ(PixelAt(img, 60, 5), lastStep);
    // Diagonal grid (q = 30): halves in the two colours, lines in steps over q and over W / 2.
    img = Render(G::gtDiagGrid, 16);
    EXPECT_EQ(PixelAt(img, 1, 1), First);
    EXPECT_EQ(PixelAt(img, 1, 118), Last);
    EXPECT_EQ(PixelAt(img, 1, 61), RGB(128 + G::MulDiv(1, 127, 30), G::MulDiv(1, 255, 30), 0));
    EXPECT_EQ(PixelAt(img, 2, 7), RGB(128 + G::MulDiv(1, 127, 60), G::MulDiv(1, 255, 60), 0));
}

TEST(GradFill, GridCoversEverySecondColumnAndRowAndTheFrameComesLast)
{
    G fill;
    fill.resize(9, 7);
    fill.SetGridColor(clBlue);
    fill.SetGridMode(G::gmVert);
    QImage img = fill.RenderImage();
    EXPECT_EQ(PixelAt(img, 8, 6), clBlue);
    EXPECT_NE(PixelAt(img, 7, 0), clBlue);
    fill.SetGridMode(G::gmBoth);
    img = fill.RenderImage();
    EXPECT_EQ(PixelAt(img, 1, 0), clBlue);
    EXPECT_NE(PixelAt(img, 1, 1), clBlue);

    fill.SetFrameStyle(fsRaised);
    img = fill.RenderImage();
    EXPECT_EQ(PixelAt(img, 0, 0), clWhite);
    EXPECT_EQ(PixelAt(img, 8, 6), clBlack);
    EXPECT_EQ(PixelAt(img, 1, 1), clSilver);
    EXPECT_EQ(PixelAt(img, 7, 5), clGray);
}

TEST(GradFill, FlippedColoursAreViewsOnTheTwoStoredColours)
{
    G fill;
    fill.SetColorFlipped(true);
    EXPECT_EQ(fill.ColorFirst(), Last);
    fill.SetColorFlipped(false);
    EXPECT_EQ(fill.ColorFirst(), First);
    EXPECT_EQ(fill.ColorLast(), Last);

    // As the tool bar's stored layout sets them: flipped first, then the two colours.
    G bar;
    bar.SetColorFlipped(true);
    bar.SetColorFirst(clSilver);
    bar.SetColorLast(clWhite);
    EXPECT_EQ(bar.ColorLast(), clWhite);
    EXPECT_EQ(PixelAt(bar.RenderImage(), 5, 0), clSilver);
    bar.SetColorFlipped(false);
    EXPECT_EQ(bar.ColorFirst(), clWhite);

    bar.SetNrColors(0);
    EXPECT_EQ(bar.NrColors(), 1);
    bar.SetNrColors(300);
    EXPECT_EQ(bar.NrColors(), 255);
}

TEST(GradFill, SystemColoursAreResolvedAndOnPaintFollowsEachPaint)
{
    QWidget parent;
    auto* fill = new G(&parent);
    fill->SetColorFirst(clBtnFace);
    int paints = 0;
    fill->OnPaint = [&](G& sender) { paints += &sender == fill ? 1 : 100; };
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    paints = 0;
    fill->repaint();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(PixelAt(fill->RenderImage(), 0, 0), ColorToRGB(clBtnFace));
}
