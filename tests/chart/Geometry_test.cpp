// Pure geometry of the chart's drawing: exclusive rectangles, clipping for painters that cannot
// clip, the caption's place, and the pens.
#include "chart/Geometry.h"
#include "chart/Pens.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tessaly;

TEST(Geometry, ExclusiveRectanglesTakeTheirCornersInEitherOrder)
{
    EXPECT_EQ(Exclusive(2, 3, 5, 5), QRect(QPoint(2, 3), QPoint(4, 4)));
    EXPECT_EQ(Exclusive(5, 5, 2, 3), QRect(QPoint(2, 3), QPoint(4, 4)));
    EXPECT_TRUE(Exclusive(4, 4, 4, 9).isEmpty());
}

TEST(Geometry, ClipSegmentKeepsThePartInsideOrRefuses)
{
    const QRectF r(0, 0, 10, 10); // edges 0 and 10 included
    struct Case { QPointF a, b; bool inside; QPointF ca, cb; };
    const Case cases[] = {
        {{2, 2}, {8, 8}, true, {2, 2}, {8, 8}},          // wholly inside
        {{-10, 5}, {20, 5}, true, {0, 5}, {10, 5}},      // through both sides
        {{5, -5}, {5, 5}, true, {5, 0}, {5, 5}},         // in from the top
        {{-5, -5}, {15, 15}, true, {0, 0}, {10, 10}},    // the diagonal
        {{-5, 20}, {20, 20}, false, {}, {}},             // below, parallel
        {{11, 0}, {20, 5}, false, {}, {}},               // right of it
        {{5, 16}, {16, 5}, false, {}, {}},               // past the corner
    };
    for (const Case& c : cases) {
        QPointF a = c.a, b = c.b;
        ASSERT_EQ(ClipSegment(a, b, r), c.inside) << c.a.x() << "," << c.a.y();
        if (c.inside) {
            EXPECT_EQ(a, c.ca);
            EXPECT_EQ(b, c.cb);
        }
    }
}

TEST(Geometry, ClippedRunsBreakWhereThePolylineLeavesTheArea)
{
    const QRectF r(0, 0, 10, 10);
    // In, out over the right edge, back in, out below: two runs.
    const QPoint points[] = {{1, 1}, {5, 5}, {15, 5}, {8, 8}, {4, 12}};
    const auto runs = ClippedRuns(points, 5, r);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (std::vector<QPointF>{{1, 1}, {5, 5}, {10, 5}}));
    ASSERT_EQ(runs[1].size(), 3u);
    EXPECT_EQ(runs[1][1], QPointF(8, 8));
    EXPECT_EQ(runs[1][2], QPointF(6, 10));
    // Wholly outside, or a single point: nothing.
    const QPoint outside[] = {{20, 20}, {30, 25}};
    EXPECT_TRUE(ClippedRuns(outside, 2, r).empty());
    EXPECT_TRUE(ClippedRuns(points, 1, r).empty());
}

TEST(Geometry, CaptionAnchorsOnControlAndDataAreaEdgesThenAligns)
{
    // 400 x 200, margins 50/20/30/40, shadow 5: the data area spans 50..375 and 30..155.
    TChartGeometry g;
    g.Width = 400;
    g.Height = 200;
    g.MarginLeft = 50;
    g.MarginRight = 20;
    g.MarginTop = 30;
    g.MarginBottom = 40;
    g.ShadowWidth = 5;
    struct Case { TCaptionPlace place; QPoint topLeft; };
    const int w = 41; // text width
    const Case cases[] = {
        {{cahChartRight, cavChartTop, 0, -16, taRightJustify}, {375 - w, 14}},
        {{cahControlLeft, cavControlTop, 3, 2, taLeftJustify}, {3, 2}},
        {{cahChartLeft, cavChartCenter, -3, 0, taRightJustify}, {47 - w, 30 + 125 / 2}},
        {{cahChartCenter, cavChartBottom, 0, 4, taCenter}, {50 + 325 / 2 - w / 2, 164}},
        {{cahControlRight, cavControlBottom, -8, -20, taRightJustify}, {392 - w, 180}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionTopLeft(g, c.place, w), c.topLeft)
            << c.place.AnchorHoriz << "/" << c.place.AnchorVert;
}

TEST(Pens, ThinPensDashWidePensAreRoundAndSolid)
{
    const QPen dot = MakePen(clRed, 1, psDot);
    EXPECT_EQ(dot.width(), 1);
    EXPECT_EQ(dot.capStyle(), Qt::FlatCap);
    EXPECT_EQ(dot.dashPattern(), (QList<qreal>{3, 3}));
    EXPECT_EQ(dot.color(), QColor(255, 0, 0));
    EXPECT_EQ(MakePen(clBlack, 1, psDashDotDot).dashPattern(),
              (QList<qreal>{9, 3, 3, 3, 3, 3}));
    EXPECT_EQ(MakePen(clBlack, 1, psSolid).style(), Qt::SolidLine);

    const QPen wide = MakePen(clBlue, 3, psDash);
    EXPECT_EQ(wide.width(), 3);
    EXPECT_EQ(wide.capStyle(), Qt::RoundCap);
    EXPECT_EQ(wide.joinStyle(), Qt::RoundJoin);
    EXPECT_EQ(wide.style(), Qt::SolidLine);

    EXPECT_EQ(MakePen(clBlack, 1, psClear).style(), Qt::NoPen);
    EXPECT_FALSE(IsDashed(psSolid));
    EXPECT_FALSE(IsDashed(psInsideFrame));
    EXPECT_TRUE(IsDashed(psDashDot));
}
