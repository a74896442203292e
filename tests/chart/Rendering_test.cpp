// Pixels of the chart's buffers: frame pass, background pass, data pass, crosshairs, labels,
// the fast path and the repaint policy.
#include "ChartPaintSupport.h"

#include "chart/Grid.h"

#include <QDir>
#include <QPainter>
#include <QSequentialIterable>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace tessaly;
using namespace tessaly::test;

namespace {

// The offset of a text's ink from the top-left corner it is written at, and its extent.
QRect TextInk(const QFont& font, const QString& text)
{
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(20, 20 + p.fontMetrics().ascent(), text);
    p.end();
    return InkBounds(image, image.rect(), clWhite).translated(-20, -20);
}

} // namespace

TEST(ChartFramePass, ShadowAndOuterOutlineOnlyWithAShadowWidth)
{
    struct Case { int width; TShadowStyle style; TColor rightEdge; };
    for (Case c : {Case{0, ssFlying, clYellow}, {6, ssFlying, clRed}, {6, ssBox, clBlack}}) {
        ShownChart chart;
        chart.SetShadowWidth(c.width);
        chart.SetShadowStyle(c.style);
        const QImage& img = chart.FullBuffer();
        const int w = chart.width(), h = chart.height(), sw = c.width;
        // The outer edge of the right shadow, the inside of the bottom shadow, the corners.
        EXPECT_EQ(PixelAt(img, w - 1, h / 2), c.rightEdge) << sw << " " << c.style;
        if (sw == 0) {
            EXPECT_EQ(PixelAt(img, 0, 0), clYellow);         // no outer outline
            EXPECT_EQ(PixelAt(img, w - 1, h - 1), clYellow); // no shadow
            continue;
        }
        EXPECT_EQ(PixelAt(img, w / 2, h - 3), clRed);
        EXPECT_EQ(PixelAt(img, w - 2, 1), clLime);
        EXPECT_EQ(PixelAt(img, 1, h - 2), clLime);
        // The black outline of the chart without its shadow.
        for (QPoint p : {QPoint(0, 0), QPoint(w / 2, 0), QPoint(w - sw, h / 2), QPoint(w / 3, h - sw),
                         QPoint(0, h / 2)})
            EXPECT_EQ(PixelAt(img, p.x(), p.y()), clBlack) << p.x() << "," << p.y();
    }
}

TEST(ChartFramePass, CaptionFollowsAnchorsAndAlignment)
{
    const QString text = "Caption";
    struct Case {
        TCaptionAnchorHoriz h;
        TCaptionAnchorVert v;
        TAlignment align;
        int posX, posY;
        int anchorX, anchorY; // from the chart's geometry below
    };
    // 400 x 200, margins 50/20/30/40, shadow 5: the data area spans 50..375 and 30..155.
    const Case cases[] = {
        {cahChartRight, cavChartTop, taRightJustify, 0, -16, 375, 30},
        {cahControlLeft, cavControlTop, taLeftJustify, 3, 2, 0, 0},
        {cahChartLeft, cavChartCenter, taRightJustify, -3, 0, 50, 30 + 125 / 2},
        {cahChartCenter, cavChartBottom, taCenter, 0, 4, 50 + 325 / 2, 160}, // H - MB, not - SW
        {cahControlRight, cavControlBottom, taRightJustify, -8, -20, 400, 200},
    };
    for (const Case& c : cases) {
        ShownChart chart(400, 200, 50, 20, 30, 40);
        chart.SetShadowWidth(5);
        chart.SetFontColor(clBlue);
        chart.SetCaption(text);
        chart.SetCaptionAnchorHoriz(c.h);
        chart.SetCaptionAnchorVert(c.v);
        chart.SetCaptionAlignment(c.align);
        chart.SetCaptionPosX(c.posX);
        chart.SetCaptionPosY(c.posY);
        const QImage& img = chart.FullBuffer();

        const QRect ink = TextInk(chart.font(), text);
        const int textWidth = chart.fontMetrics().horizontalAdvance(text);
        int left = c.anchorX + c.posX;
        if (c.align == taRightJustify)
            left -= textWidth;
        else if (c.align == taCenter)
            left -= textWidth / 2;
        const QRect expected = ink.translated(left, c.anchorY + c.posY) & img.rect();
        // The caption is the only ink outside the data area and the shadow.
        QImage outside = img.copy();
        QPainter p(&outside);
        p.fillRect(QRect(QPoint(chart.L(), chart.T()), QPoint(chart.R(), chart.B())), Qt::yellow);
        p.fillRect(QRect(chart.width() - 6, 0, 6, chart.height()), Qt::yellow);
        p.fillRect(QRect(0, chart.height() - 6, chart.width(), 6), Qt::yellow);
        p.setPen(Qt::yellow); // the black outline of the chart without its shadow
        p.drawRect(0, 0, chart.width() - 5, chart.height() - 5);
        p.end();
        EXPECT_EQ(InkBounds(outside, outside.rect(), clYellow), expected)
            << c.h << " " << c.v << " " << c.align;
    }
}

TEST(ChartBackground, ImageModesAndTheFallbackOfAMissingFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // 4 x 2 pixels: two red columns, then two blue ones.
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    const QString file = dir.filePath("pic.png");
    ASSERT_TRUE(picture.save(file));

    ShownChart chart(300, 150, 50, 20, 20, 40); // data buffer 231 x 91
    chart.BackGroundImg()->SetIncludePath(true);
    chart.SetChartColor(clAqua);
    struct Case { TBkgFill mode; QPoint at; TColor color; };
    const Case cases[] = {
        {bfSimple, {1, 1}, clRed},   {bfSimple, {3, 1}, clBlue}, {bfSimple, {5, 1}, clAqua},
        {bfSimple, {1, 3}, clAqua},  {bfTile, {5, 1}, clRed},    {bfTile, {7, 3}, clBlue},
        {bfTile, {229, 89}, clRed},  // column 228 starts a tile
        {bfStretch, {100, 45}, clRed}, {bfStretch, {130, 45}, clBlue},
    };
    for (const Case& c : cases) {
        chart.BackGroundImg()->SetName(file);
        chart.BackGroundImg()->SetFillMode(c.mode);
        const QImage& img = chart.FullBuffer();
        EXPECT_EQ(PixelAt(img, chart.L() + c.at.x(), chart.T() + c.at.y()), c.color)
            << c.mode << " " << c.at.x() << "," << c.at.y();
    }

    chart.BackGroundImg()->SetName(dir.filePath("missing.png"));
    const QImage& img = chart.FullBuffer();
    EXPECT_EQ(chart.BackGroundImg()->Name(), "");
    EXPECT_EQ(InkBounds(img, QRect(chart.L() + 1, chart.T() + 1, 229, 89), clAqua), QRect());
}

TEST(ChartBackground, NameKeepsItsDirectoryOnlyWithIncludePath)
{
    ShownChart chart;
    TBakGndImg& b = *chart.BackGroundImg();
    b.SetName("/some/where/sky.bmp");
    EXPECT_EQ(b.Name(), "sky.bmp");
    b.SetIncludePath(true);
    b.SetName("/some/where/sky.bmp");
    EXPECT_EQ(b.Name(), "/some/where/sky.bmp");
    b.SetIncludePath(false);
    EXPECT_EQ(b.Name(), "sky.bmp");
}

TEST(ChartBackground, AreaModesColourTheirPartInLayerOneCoordinates)
{
    ShownChart chart(400, 200, 50, 20, 20, 40);
    chart.SetRange(1, -2, -2, 2, 2);
    TBakGndImg& b = *chart.BackGroundImg();
    b.SetAreaColor(clFuchsia);
    const int l = chart.WorldToPixel(1, -1, 0).x(), r = chart.WorldToPixel(1, 1, 0).x();
    const int t = chart.WorldToPixel(1, 0, 1).y(), bt = chart.WorldToPixel(1, 0, -1).y();
    const int midY = (chart.T() + chart.B()) / 2, midX = (chart.L() + chart.R()) / 2;

    b.SetAreaMode(bamVStripe);
    const QImage& v = chart.FullBuffer();
    // Between the pixels of x = -1 and x = 1 (the right one not included), over the full height.
    for (int x = chart.L() + 1; x < chart.R(); ++x)
        EXPECT_EQ(PixelAt(v, x, midY), x >= l && x < r ? clFuchsia : clWhite) << x;
    EXPECT_EQ(PixelAt(v, l, chart.T() + 1), clFuchsia);
    EXPECT_EQ(PixelAt(v, l, chart.B() - 1), clFuchsia);

    struct Case { TBGAreaMode mode; QPoint in, out; };
    const Case cases[] = {
        {bamLeft, {l - 1, midY}, {l, midY}},       {bamRight, {r, midY}, {r - 1, midY}},
        {bamTop, {midX, t - 1}, {midX, t}},        {bamBottom, {midX, bt}, {midX, bt - 1}},
        {bamHStripe, {midX, t}, {midX, bt}},       {bamRect, {l, t}, {r, t}},
        {bamNone, {-1, -1}, {midX, midY}},
    };
    for (const Case& c : cases) {
        b.SetAreaMode(c.mode);
        const QImage& img = chart.FullBuffer();
        if (c.in.x() >= 0) {
            EXPECT_EQ(PixelAt(img, c.in.x(), c.in.y()), clFuchsia) << c.mode;
        }
        EXPECT_EQ(PixelAt(img, c.out.x(), c.out.y()), clWhite) << c.mode;
    }

    // Far-away bounds still colour up to the edge.
    b.SetAreaMode(bamRect);
    b.SetAreaLeft(-1e300);
    b.SetAreaRight(1e300);
    const QImage& far = chart.FullBuffer();
    EXPECT_EQ(PixelAt(far, chart.L() + 1, t), clFuchsia);
    EXPECT_EQ(PixelAt(far, chart.R() - 1, t), clFuchsia);
}

TEST(ChartGrid, ValuesOfTheStepRules)
{
    auto near = [](const std::vector<double>& got, const std::vector<double>& want) {
        if (got.size() != want.size())
            return false;
        for (size_t i = 0; i < got.size(); ++i)
            if (std::fabs(got[i] - want[i]) > 1e-9 * std::max(1.0, std::fabs(want[i])))
                return false;
        return true;
    };
    struct Case { double lo, hi, step; bool log; std::vector<double> ticks, want; };
    const Case cases[] = {
        {-1, 1, 0.3, false, {}, {-0.9, -0.6, -0.3, 0, 0.3, 0.6, 0.9}},
        {1, -1, 0.3, false, {}, {-0.9, -0.6, -0.3, 0, 0.3, 0.6, 0.9}}, // reversed axis
        {-1, 1, -0.5, false, {}, {-1, -0.5, 0, 0.5}},                  // the upper end is left out
        {0, 10, 0, false, {0, 2, 4, 6, 8, 10}, {0, 2, 4, 6, 8}},
        {10, 0, 0, false, {10, 8, 6, 4, 2, 0}, {8, 6, 4, 2, 0}},       // a list running down
        {3, 7, 0, false, {}, {3}},                                     // no ticks: the lower end
        {0.5, 2000, -1, true, {}, {1, 10, 100, 1000}},
        {1, 100, -2, true, {}, {2, 5, 10, 20, 50}},
        {3, 30, -3, true, {}, {3, 4, 5, 6, 7, 8, 9, 10, 20}},
        {1, 100, 25, true, {}, {25, 50, 75}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(near(GridLineValues(c.lo, c.hi, c.step, c.log, c.ticks), c.want))
            << c.lo << ".." << c.hi << " step " << c.step;

    // Bounded runs: the cap, a step that no longer advances, values that cannot be used.
    EXPECT_EQ(GridLineValues(0, 1, 1e-9, false, {}).size(), size_t(MaxGridLines));
    EXPECT_LE(GridLineValues(1e17, 1e17 + 10, 1, false, {}).size(), size_t(11));
    EXPECT_LE(GridLineValues(1e-100, 1e300, -3, true, {}).size(), size_t(MaxGridLines));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(GridLineValues(nan, 1, 0.1, false, {}).empty());
    EXPECT_TRUE(GridLineValues(0, 1, nan, false, {}).empty());
    EXPECT_TRUE(GridLineValues(2, 2, 0.1, false, {}).empty());
}

TEST(ChartGrid, StylesDrawLinesDotsOrPoints)
{
    ShownChart chart(400, 200, 50, 20, 20, 40);
    chart.SetRange(1, -1, -1, 1, 1);
    chart.SetGridColor(clRed);
    chart.SetGridDx(0.5);
    chart.SetGridDy(0.5);
    const int gx = chart.WorldToPixel(1, 0.5, 0).x(), gy = chart.WorldToPixel(1, 0, 0.5).y();
    const int gx0 = chart.WorldToPixel(1, 0, 0).x(), gy0 = chart.WorldToPixel(1, 0, 0).y();
    const int ox = gx + 7, oy = gy + 7; // off the grid lines
    // The red pixels of the vertical grid line at x = 0.5 between y = 0.5 and 0, and of the
    // horizontal one at y = 0.5 between x = 0 and 0.5, crossings left out.
    auto count = [&](const QImage& img, bool vertical) {
        int n = 0;
        if (vertical) {
            for (int y = gy + 1; y < gy0; ++y)
                n += PixelAt(img, gx, y) == clRed;
        } else {
            for (int x = gx0 + 1; x < gx; ++x)
                n += PixelAt(img, x, gy) == clRed;
        }
        return n;
    };
    struct Case { GridStyleType style; int vertical, horizontal; }; // 2: solid, 1: dotted, 0: none
    for (Case c : {Case{gsNone, 0, 0}, {gsVertLines, 2, 0}, {gsHorizLines, 0, 2}, {gsLines, 2, 2},
                   {gsVertDotLines, 1, 0}, {gsHorizDotLines, 0, 1}, {gsDotLines, 1, 1}}) {
        chart.SetGridStyle(c.style);
        const QImage& img = chart.FullBuffer();
        const int v = count(img, true), h = count(img, false);
        // Dotted lines draw about half of their pixels.
        auto check = [](int got, int kind, int all) {
            return kind == 0 ? got == 0 : kind == 2 ? got == all : got > all / 3 && got < all * 2 / 3;
        };
        EXPECT_TRUE(check(v, c.vertical, gy0 - gy - 1)) << c.style << " vertical " << v;
        EXPECT_TRUE(check(h, c.horizontal, gx - gx0 - 1)) << c.style << " horizontal " << h;
        EXPECT_EQ(PixelAt(img, ox, oy), clWhite) << c.style;
    }
    chart.SetGridStyle(gsPoints);
    const QImage& img = chart.FullBuffer();
    EXPECT_EQ(PixelAt(img, gx, gy), clRed);
    EXPECT_EQ(count(img, true) + count(img, false), 0);

    // GridDx 0.3 on [-1, 1]: vertical lines at -0.9 .. 0.9 and nowhere else.
    chart.SetGridStyle(gsVertLines);
    chart.SetGridDx(0.3);
    chart.SetGridDx(-3.5); // ignored
    EXPECT_EQ(chart.GridDx(), 0.3);
    const QImage& lines = chart.FullBuffer();
    std::vector<int> want;
    for (int k = -3; k <= 3; ++k)
        want.push_back(chart.WorldToPixel(1, k * 0.3, 0).x());
    std::vector<int> got;
    for (int x = chart.L() + 1; x < chart.R(); ++x)
        if (PixelAt(lines, x, oy) == clRed)
            got.push_back(x);
    EXPECT_EQ(got, want);
}

TEST(ChartGrid, StepZeroFollowsTheTicksOfTheActiveLayersScales)
{
    ShownChart chart(400, 200, 50, 20, 20, 40);
    chart.SetRange(1, 0, 0, 10, 1);
    chart.Scale1X()->SetShortTicks(false);
    chart.SetGridColor(clRed);
    chart.SetGridStyle(gsVertLines);
    const QImage& img = chart.FullBuffer();
    const int row = chart.T() + 10;
    std::vector<int> got, want;
    for (int x = chart.L() + 1; x < chart.R(); ++x)
        if (PixelAt(img, x, row) == clRed)
            got.push_back(x);
    // The hidden scale's long ticks of 0..10 with three intervals at least: 0, 2, 4, 6, 8 (10
    // is the end; 0 lies on the frame).
    for (double v : {2.0, 4.0, 6.0, 8.0})
        want.push_back(chart.WorldToPixel(1, v, 0).x());
    EXPECT_EQ(got, want);
}

TEST(ChartItems, DrawnCurveStartsAtTheTopLeftAndFarPointsKeepTheirDirection)
{
    ShownChart chart(400, 200, 50, 20, 20, 40);
    chart.SetRange(1, 0, 0, 10, 10);
    chart.SetDataColor(clBlue);
    // A first draw-to item draws from the data area's top-left corner.
    chart.DrawTo(5, 5);
    // A point far outside still gives a line towards it.
    chart.MoveTo(5, 2);
    chart.DrawTo(1e12, 2);
    // Undefined values map to defined pixels.
    chart.DrawTo(std::numeric_limits<double>::quiet_NaN(), 1);
    chart.ShowItems();
    const QImage& img = chart.FullBuffer();
    const QPoint mid = chart.WorldToPixel(1, 5, 5);
    const QPoint quarter((chart.L() + mid.x()) / 2, (chart.T() + mid.y()) / 2);
    EXPECT_NE(InkBounds(img, QRect(chart.L() + 1, chart.T() + 1, 3, 2), clWhite), QRect());
    EXPECT_NE(InkBounds(img, QRect(quarter - QPoint(1, 1), QSize(3, 3)), clWhite), QRect());
    const int y2 = chart.WorldToPixel(1, 0, 2).y();
    EXPECT_EQ(PixelAt(img, chart.R() - 1, y2), clBlue);
    EXPECT_EQ(PixelAt(img, chart.R() - 1, y2 - 2), clWhite);
}

TEST(ChartLabels, LayoutOfTwoLinesAlignedTopCentre)
{
    const int h = 15;
    const TTextLabelLayout l =
        TextLabelLayout({100, 50}, {40, 20}, 61, h, taCenter, vaTop);
    EXPECT_EQ(l.Bottom, 50 + 2 * h); // the block lies between y = 50 and 50 + 2h
    EXPECT_EQ(l.Left, 80);           // centred on x = 100
    EXPECT_EQ(l.TextWidth, 40);
    ASSERT_EQ(l.LineOrigins.size(), 2u);
    EXPECT_EQ(l.LineOrigins[0], QPoint(80, 50));
    EXPECT_EQ(l.LineOrigins[1], QPoint(90, 50 + h)); // the short line centred in the block
    EXPECT_EQ(l.Box, QRect(QPoint(76, 48), QPoint(123, 81)));

    struct Case { TAlignment a; TVerticalAlignment v; int left, bottom, second; };
    for (Case c : {Case{taLeftJustify, vaBottom, 100, 50, 100}, {taRightJustify, vaCenter, 60, 65, 80}}) {
        const TTextLabelLayout k = TextLabelLayout({100, 50}, {40, 20}, 61, h, c.a, c.v);
        EXPECT_EQ(k.Left, c.left) << c.a;
        EXPECT_EQ(k.Bottom, c.bottom) << c.v;
        EXPECT_EQ(k.LineOrigins[1].x(), c.second) << c.a;
    }
    // Empty lines take the width of the whole caption.
    EXPECT_EQ(TextLabelLayout({0, 0}, {0, 0}, 7, h, taLeftJustify, vaBottom).TextWidth, 7);
}

TEST(ChartLabels, SettersAndTheChartsInitialLabels)
{
    TRChart chart;
    TTextLabel& label = *chart.TextLabel(1);
    EXPECT_EQ(label.Mode(), tlOff);
    EXPECT_FALSE(label.Visible());
    EXPECT_EQ(label.AttachToData(), tlamBoth);
    EXPECT_EQ(label.ColorBkg(), clWhite);
    EXPECT_EQ(label.ShadowDx(), 3);
    EXPECT_EQ(chart.TextLabels().size(), TextLabelCount);
    EXPECT_EQ(chart.TextLabel(31), nullptr);
    label.SetCaption("a\tb\nc\rd");
    EXPECT_EQ(label.Caption(), "a b\nc d");
    label.SetLayer(0);
    label.SetLayer(17);
    EXPECT_EQ(label.Layer(), 1);
    label.SetLayer(16);
    EXPECT_EQ(label.Layer(), 16);

    TTextLabel standalone;
    EXPECT_EQ(standalone.Mode(), tlsimple);
    EXPECT_EQ(standalone.PosX(), 100);
    EXPECT_EQ(standalone.ColorBkg(), clSilver);
    EXPECT_TRUE(standalone.Visible());
}

TEST(ChartLabels, BoxedTwoLineLabelIsDrawnInTheDataArea)
{
    ShownChart chart(400, 200, 50, 20, 20, 40);
    TTextLabel& label = *chart.TextLabel(2);
    label.SetAttachToData(tlamNone);
    label.SetPosX(200);
    label.SetPosY(60);
    label.SetCaption("Top line\nx");
    label.SetVerticalAlignment(vaTop);
    label.SetColorBkg(clAqua);
    label.SetColorBorder(clRed);
    label.SetFontColor(clBlue);
    label.SetMode(tlBox);
    label.SetVisible(true);
    const QImage& img = chart.FullBuffer();
    const QFontMetrics m(label.Font());
    const int h = m.height(), w = m.horizontalAdvance("Top line");
    const int left = 200 - w / 2;
    // The border 4 pixels beside and 2 above and below the block of two lines.
    EXPECT_EQ(PixelAt(img, left - 4, 60 + h), clRed);
    EXPECT_EQ(PixelAt(img, left + w + 3, 60 + h), clRed);
    EXPECT_EQ(PixelAt(img, 200, 58), clRed);
    EXPECT_EQ(PixelAt(img, 200, 60 + 2 * h + 1), clRed);
    EXPECT_EQ(PixelAt(img, 200, 57), clWhite);
    EXPECT_EQ(PixelAt(img, left - 2, 60 + h), clAqua);
    // Text ink lies inside the block (give or take a pixel of a glyph's edge).
    const QRect ink = InkBounds(img, QRect(left - 3, 59, w + 6, 2 * h + 2), clAqua);
    EXPECT_TRUE(QRect(left - 1, 60, w + 2, 2 * h).contains(ink));
    EXPECT_GT(ink.height(), h); // two lines

    // Switched off or hidden: nothing.
    label.SetMode(tlOff);
    EXPECT_EQ(PixelAt(chart.FullBuffer(), 200, 58), clWhite);
}

TEST(ChartCrossHairs, LineBoundsKeepThePenInsideTheDataArea)
{
    TChartGeometry g;
    g.Width = 559;
    g.Height = 217;
    g.MarginRight = 8; // data area 50..551 x 20..177
    const TCrossHairLines wide = CrossHairLineBounds(g, {300, 100}, 3, chBoth);
    EXPECT_TRUE(wide.Horizontal.Drawn);
    EXPECT_EQ(wide.Horizontal.First, 52);  // ML + 2
    EXPECT_EQ(wide.Horizontal.Last, 549);  // W - MR - SW - 2
    EXPECT_EQ(wide.Vertical.First, 22);
    EXPECT_EQ(wide.Vertical.Last, 175);
    struct Case { QPoint at; int wid; TCrossHMode mode; bool horizontal, vertical; };
    for (Case c : {Case{{300, 21}, 3, chBoth, false, true}, {{300, 22}, 3, chBoth, true, true},
                   {{51, 100}, 3, chBoth, true, false}, {{300, 10}, 1, chHoriz, false, false},
                   {{300, 100}, 1, chVert, false, true}, {{300, 100}, 0, chHoriz, true, false},
                   {{300, 100}, 1, chOff, false, false}}) {
        const TCrossHairLines l = CrossHairLineBounds(g, c.at, c.wid, c.mode);
        EXPECT_EQ(l.Horizontal.Drawn, c.horizontal) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(l.Vertical.Drawn, c.vertical) << c.at.x() << "," << c.at.y();
    }
}

TEST(ChartCrossHairs, DrawnOverTheDataWithTheirPen)
{
    ShownChart chart;
    TCrossHair& c = *chart.CrossHair1();
    EXPECT_EQ(chart.CrossHair(2)->Layer(), 2);
    c.SetLayer(0);
    EXPECT_EQ(c.Layer(), 1);
    c.SetLayer(99);
    EXPECT_EQ(c.Layer(), 16);
    c.SetLayer(1);
    c.SetColor(clGreen);
    c.SetLineWid(3);
    c.SetMode(chHoriz);
    c.SetPosY(1);
    const int y = chart.WorldToPixel(1, 0, 1).y();
    const QImage& img = chart.FullBuffer();
    EXPECT_EQ(PixelAt(img, chart.L() + 1, y), clWhite);
    EXPECT_EQ(PixelAt(img, chart.L() + 2, y), clGreen);
    EXPECT_EQ(PixelAt(img, chart.R() - 2, y + 1), clGreen);
    EXPECT_EQ(PixelAt(img, chart.R() - 1, y), clWhite);
    EXPECT_EQ(PixelAt(img, 300, y - 2), clWhite);

    // Above the y range nothing is drawn.
    c.SetPosY(4);
    EXPECT_EQ(InkBounds(chart.FullBuffer(), QRect(chart.L() + 1, chart.T() + 1, 400, 100), clWhite),
              QRect());
    // A dashed line lets the data show through its gaps.
    c.SetPosY(0);
    c.SetLineWid(1);
    c.SetLineType(psDash);
    chart.SetDataColor(clBlack);
    chart.MoveTo(-100, 0);
    chart.DrawTo(100, 0); // under the crosshair
    chart.ShowItems();
    const QImage& dashed = chart.FullBuffer();
    const int y0 = chart.WorldToPixel(1, 0, 0).y();
    int green = 0, black = 0;
    for (int x = chart.L() + 1; x < chart.R(); ++x) {
        green += PixelAt(dashed, x, y0) == clGreen;
        black += PixelAt(dashed, x, y0) == clBlack;
    }
    EXPECT_GT(green, 300);
    EXPECT_GT(black, 90);
    EXPECT_EQ(green + black, chart.R() - chart.L() - 1);
}

TEST(ChartRepaint, FastPathRedrawsOnlyTheDataArea)
{
    ShownChart chart;
    int frames = 0;
    std::vector<std::string> order;
    chart.OnScalesRendered = [&](TCustomRChart&, QPainter&, int top, int left) {
        ++frames;
        order.push_back("scales " + std::to_string(top) + " " + std::to_string(left));
    };
    chart.OnBeforeRenderData = [&](TCustomRChart&, QPainter& canvas, int top, int left) {
        order.push_back("before " + std::to_string(top) + " " + std::to_string(left));
        canvas.setPen(Qt::red); // undone before the grid and items
    };
    chart.OnDataRendered = [&](TCustomRChart&, QPainter& canvas, int, int) {
        order.push_back("data");
        canvas.fillRect(QRect(5, 5, 1, 1), Qt::green); // in data-area coordinates
    };
    chart.FullBuffer();
    EXPECT_EQ(order, (std::vector<std::string>{"scales 0 0", "before 20 50", "data"}));
    EXPECT_EQ(PixelAt(chart.FullBuffer(), chart.L() + 5, chart.T() + 5), clLime);

    chart.SetDataColor(clBlue);
    chart.MoveTo(-100, 0);
    chart.DrawTo(100, 0);
    chart.ShowItems();
    EXPECT_EQ(frames, 1); // no frame pass
    const int y = chart.WorldToPixel(1, 0, 0).y();
    EXPECT_EQ(PixelAt(chart.DataBuffer(), 200, y - chart.T()), clBlue);
    EXPECT_EQ(PixelAt(chart.grab().toImage(), chart.L() + 200, y), clBlue); // on the screen
    EXPECT_EQ(PixelAt(chart.FullBuffer(), chart.L() + 200, y), clBlue);
    EXPECT_EQ(frames, 1);

    // Without AutoRedraw setters do not repaint, but ShowItems repaints everything.
    chart.SetAutoRedraw(false);
    chart.SetChartColor(clAqua);
    EXPECT_EQ(PixelAt(chart.FullBuffer(), chart.L() + 10, chart.T() + 10), clWhite);
    chart.ShowItems();
    EXPECT_EQ(PixelAt(chart.FullBuffer(), chart.L() + 10, chart.T() + 10), clAqua);
    EXPECT_EQ(frames, 2);

    // A hidden or locked chart paints nothing.
    chart.SetAutoRedraw(true);
    chart.SetPaintLock(true);
    chart.SetChartColor(clWhite);
    EXPECT_EQ(PixelAt(chart.FullBuffer(), chart.L() + 10, chart.T() + 10), clAqua);
    chart.SetPaintLock(false);
    EXPECT_EQ(PixelAt(chart.FullBuffer(), chart.L() + 10, chart.T() + 10), clWhite);
}

TEST(ChartSettingsObjects, AreReachableByPropertiesForTheTranslationWalk)
{
    TRChart chart;
    // The walk follows scale settings, not crosshairs or the background image.
    for (const char* name : {"CrossHair1", "CrossHair4", "BackGroundImg", "Scale1X", "Scale4Y"}) {
        QObject* o = chart.property(name).value<QObject*>();
        ASSERT_NE(o, nullptr) << name;
        EXPECT_EQ(o->metaObject()->indexOfClassInfo("TranslateWalk") >= 0, name[0] == 'S')
            << name;
    }
    EXPECT_EQ(chart.property("CrossHair2").value<QObject*>(), chart.CrossHair2());
    const QVariant list = chart.property("TextLabels"); // the iterable refers to it
    const QSequentialIterable labels = list.value<QSequentialIterable>();
    std::vector<QObject*> seen;
    for (const QVariant& v : labels)
        seen.push_back(v.value<QObject*>());
    ASSERT_EQ(seen.size(), size_t(TextLabelCount));
    EXPECT_EQ(seen.front(), chart.TextLabel(1));
    EXPECT_GE(seen.back()->metaObject()->indexOfClassInfo("TranslateWalk"), 0);
    chart.TextLabel(30)->setProperty("Caption", "PX_Note");
    EXPECT_EQ(chart.TextLabel(30)->Caption(), "PX_Note");
    EXPECT_EQ(chart.property("GridStyle").toInt(), int(gsNone));
    EXPECT_TRUE(chart.setProperty("MouseAction", int(maZoomDrag)));
    EXPECT_EQ(chart.MouseAction(), maZoomDrag);
}
