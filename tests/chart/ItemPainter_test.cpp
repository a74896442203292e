// How the item list becomes polylines and pen changes.
#include "chart/ItemPainter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessaly;

namespace {

// Records what the renderer draws, as text: "w3" pen width, "a<color>/<style>/<brush>"
// attributes, polylines as their points.
struct Recorder : TItemCanvas {
    std::vector<std::string> Calls;
    std::vector<std::vector<QPoint>> Lines;
    void SetPenWidth(int width) override { Calls.push_back("w" + std::to_string(width)); }
    void SetPenAttributes(TColor color, TPenStyle style, TColor brush) override
    {
        Calls.push_back("a" + std::to_string(color) + "/" + std::to_string(style) + "/" +
                        std::to_string(brush));
    }
    void Polyline(const QPoint* points, int count) override
    {
        Calls.push_back("p" + std::to_string(count));
        Lines.emplace_back(points, points + count);
    }
};

ChartItem Item(std::uint8_t kind, double x, double y, TColor color = clBlack, int width = 1)
{
    ChartItem i;
    i.kind = kind;
    i.x = x;
    i.y = y;
    i.color = color;
    i.fillColor = kind == ItemKindDrawTo ? clSilver : 0;
    i.lineWidth = width;
    return i;
}

// World coordinates are taken as pixels.
const TItemMapper Identity = [](int, double x, double y) {
    return QPoint(static_cast<int>(x), static_cast<int>(y));
};

} // namespace

TEST(ItemPainter, LongRunsBecomePolylinesOfAtMost200PointsContinuingEachOther)
{
    TItemStore store;
    for (int i = 1; i <= 450; ++i)
        store.Append(Item(ItemKindDrawTo, i, i % 7), 1000);
    Recorder r;
    RenderItems(store, Identity, {0, 0}, 1, clWhite, r);
    ASSERT_EQ(r.Lines.size(), 3u);
    EXPECT_EQ(r.Lines[0].size(), 200u);
    EXPECT_EQ(r.Lines[1].size(), 200u);
    EXPECT_EQ(r.Lines[2].size(), 53u); // the rest: 450 - 199 - 199 items and the start point
    // The first draw-to item starts at the pen's start, the top-left corner.
    EXPECT_EQ(r.Lines[0].front(), QPoint(0, 0));
    EXPECT_EQ(r.Lines[1].front(), r.Lines[0].back());
    EXPECT_EQ(r.Lines[2].front(), r.Lines[1].back());
    EXPECT_EQ(r.Lines[2].back(), QPoint(450, 450 % 7));
    // Attributes are set once at the start and once for the first item, which differs from the
    // chart colour; the width twice (start and end).
    EXPECT_EQ(r.Calls.front(), "w1");
    EXPECT_EQ(std::count_if(r.Calls.begin(), r.Calls.end(), [](auto& c) { return c[0] == 'a'; }), 2);
    EXPECT_EQ(r.Calls.back(), "w1");
}

TEST(ItemPainter, AttributeChangesMovesAndWidthsFlushThePendingPoints)
{
    TItemStore store;
    store.Append(Item(ItemKindMoveTo, 10, 10), 100);
    store.Append(Item(ItemKindDrawTo, 20, 10), 100);
    store.Append(Item(ItemKindDrawTo, 30, 10), 100);
    store.Append(Item(ItemKindDrawTo, 40, 20, clRed), 100);   // new colour: new polyline
    store.Append(Item(ItemKindDrawTo, 50, 20, clRed, 3), 100); // new width
    store.Append(Item(ItemKindMoveTo, 0, 50, clRed, 3), 100);
    store.Append(Item(7, 99, 99), 100);                        // a reserved kind: skipped
    store.Append(Item(ItemKindDrawTo, 5, 50, clRed, 3), 100);
    Recorder r;
    RenderItems(store, Identity, {-10, -5}, 2, clWhite, r);
    const std::vector<std::string> calls = {
        "w2", "a16777215/0/16777215",               // start: width, chart colour
        "w1",                                       // the move-to has width 1
        "a0/0/12632256",                            // black items, silver fill
        "p3", "a255/0/12632256",                    // red from the last point on
        "p2", "w3",                                 // the width change flushes
        "p2",                                       // the move-to flushes
        "p2", "w1",                                 // the end
    };
    EXPECT_EQ(r.Calls, calls);
    ASSERT_EQ(r.Lines.size(), 4u);
    // Points are moved by the offset; each polyline starts where the previous one ended.
    EXPECT_EQ(r.Lines[0], (std::vector<QPoint>{{0, 5}, {10, 5}, {20, 5}}));
    EXPECT_EQ(r.Lines[1], (std::vector<QPoint>{{20, 5}, {30, 15}}));
    EXPECT_EQ(r.Lines[2], (std::vector<QPoint>{{30, 15}, {40, 15}}));
    EXPECT_EQ(r.Lines[3], (std::vector<QPoint>{{-10, 45}, {-5, 45}}));
}

TEST(ItemPainter, FarPointsAreLimitedBeforeTheOffset)
{
    TItemStore store;
    store.Append(Item(ItemKindDrawTo, 1e9, -1e9), 10);
    Recorder r;
    RenderItems(store, Identity, {-50, -20}, 1, clWhite, r);
    ASSERT_EQ(r.Lines.size(), 1u);
    EXPECT_EQ(r.Lines[0][1], QPoint(30000 - 50, -30000 - 20));
}
