#include "chart/RChart.h"
#include "gfx/MessageBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace tessaly;

namespace {

// Collects the information box's messages instead of showing a dialog.
class Messages {
public:
    Messages()
    {
        FBefore = SetInformationHandler([this](const QString& text) { Texts.push_back(text); });
    }
    ~Messages() { SetInformationHandler(FBefore); }
    std::vector<QString> Texts;

private:
    TInformationHandler FBefore;
};

const QString Myself = "RChart: Cannot share data with myself";
const QString Foreign = "RChart: Cannot use foreign data. Other RCharts are using my own data.";
const QString Exceeded = "RChart: Max. number of data shares exceeded";

} // namespace

TEST(ChartItems, AllocSizeAcceptsOnlyOneToAMillion)
{
    TRChart chart;
    EXPECT_EQ(chart.AllocSize(), 1000);
    for (int bad : {0, -1, 1000001}) {
        chart.SetAllocSize(bad);
        EXPECT_EQ(chart.AllocSize(), 1000) << bad;
    }
    chart.SetAllocSize(1000000);
    EXPECT_EQ(chart.AllocSize(), 1000000);
    chart.SetAllocSize(1);
    EXPECT_EQ(chart.AllocSize(), 1);
    EXPECT_EQ(chart.property("AllocSize").toInt(), 1);
}

TEST(ChartItems, AppendsGrowByAllocSizeAndClearReleases)
{
    TRChart chart;
    chart.MoveTo(0, 0);
    for (int i = 1; i < 1000; ++i)
        chart.DrawTo(i, i);
    EXPECT_EQ(chart.Items().Capacity(), 1000);
    chart.DrawTo(1000, 0);
    EXPECT_EQ(chart.Items().Count(), 1001);
    EXPECT_EQ(chart.Items().Capacity(), 2000);
    chart.ClearItems();
    EXPECT_EQ(chart.Items().Count(), 0);
    EXPECT_EQ(chart.Items().Capacity(), 0);
    chart.ShowItems(); // an empty list is fine to show
}

TEST(ChartItems, ItemsCopyTheAttributesOfTheirTime)
{
    TRChart chart;
    chart.SetDataColor(clRed);
    chart.SetPenStyle(psDot);
    chart.SetLineWidth(3);
    chart.SetClassDefault(7);
    chart.SetClassDefault(255); // ignored
    chart.MoveTo(1.5, -2);
    chart.SetDataColor(clBlue);
    chart.SetFillColor(clLime);
    chart.SetLineWidth(300); // a byte
    chart.DrawTo(3, 4);

    const ChartItem& move = chart.Items()[0];
    EXPECT_EQ(move.kind, ItemKindMoveTo);
    EXPECT_EQ(move.x, 1.5);
    EXPECT_EQ(move.y, -2);
    EXPECT_EQ(move.color, clRed);
    EXPECT_EQ(move.fillColor, 0u); // only draw-to items take the fill colour
    EXPECT_EQ(move.penStyle, psDot);
    EXPECT_EQ(move.lineWidth, 3);
    EXPECT_EQ(move.itemClass, 7);
    EXPECT_EQ(move.layer, 1);
    EXPECT_EQ(move.tag, 0);

    const ChartItem& draw = chart.Items()[1];
    EXPECT_EQ(draw.kind, ItemKindDrawTo);
    EXPECT_EQ(draw.color, clBlue);
    EXPECT_EQ(draw.fillColor, clLime);
    EXPECT_EQ(draw.lineWidth, 255);
    EXPECT_EQ(chart.Items()[0].color, clRed); // earlier items keep theirs
    EXPECT_EQ(TRChart().FillColor(), 12632256u);
}

TEST(ChartSharing, MembersOfAGroupSeeOneList)
{
    Messages messages;
    TRChart owner, client;
    owner.MoveTo(0, 0);
    client.MoveTo(9, 9); // its own items are given up when it joins
    client.SetUseDataOf(&owner);
    EXPECT_EQ(client.UseDataOf(), &owner);
    EXPECT_EQ(client.Items().Count(), 1);
    client.DrawTo(1, 1);
    EXPECT_EQ(owner.Items().Count(), 2);
    owner.ClearItems();
    EXPECT_EQ(client.Items().Count(), 0);
    EXPECT_EQ(owner.property("UseDataOf").value<TCustomRChart*>(), nullptr);
    EXPECT_TRUE(messages.Texts.empty());
}

TEST(ChartSharing, RefusalsShowTheirMessageAndChangeNothing)
{
    Messages messages;
    TRChart a, b, c;
    a.SetUseDataOf(&a);
    ASSERT_EQ(messages.Texts.size(), 1u);
    EXPECT_EQ(messages.Texts[0], Myself);
    EXPECT_EQ(a.UseDataOf(), nullptr);

    b.SetUseDataOf(&a);
    a.SetUseDataOf(&c); // a's own list is in use
    ASSERT_EQ(messages.Texts.size(), 2u);
    EXPECT_EQ(messages.Texts[1], Foreign);
    EXPECT_EQ(a.UseDataOf(), nullptr);

    std::vector<std::unique_ptr<TRChart>> more;
    for (int i = 0; i < 4; ++i) {
        more.push_back(std::make_unique<TRChart>());
        more.back()->SetUseDataOf(&a);
    }
    ASSERT_EQ(messages.Texts.size(), 3u); // b and three more make four; the fifth is refused
    EXPECT_EQ(messages.Texts[2], Exceeded);
    EXPECT_EQ(a.DataClientCount(), 4);
    EXPECT_EQ(more.back()->UseDataOf(), nullptr);
}

TEST(ChartSharing, JoiningAClientJoinsItsOwner)
{
    Messages messages;
    TRChart a, b, c;
    b.SetUseDataOf(&a);
    c.SetUseDataOf(&b);
    EXPECT_EQ(c.UseDataOf(), &a);
    EXPECT_EQ(a.DataClientCount(), 2);
    EXPECT_EQ(b.DataClientCount(), 0);
    // Joining another member of the own group changes nothing.
    c.SetUseDataOf(&b);
    EXPECT_EQ(a.DataClientCount(), 2);
    EXPECT_EQ(a.DataClient(1), &c);
    // Moving to another owner leaves the old group.
    TRChart d;
    c.SetUseDataOf(&d);
    EXPECT_EQ(a.DataClientCount(), 1);
    EXPECT_EQ(d.DataClientCount(), 1);
    EXPECT_TRUE(messages.Texts.empty());
}

TEST(ChartSharing, LeavingKeepsTheItemsOfThatMoment)
{
    TRChart owner, client;
    client.SetUseDataOf(&owner);
    owner.MoveTo(0, 0);
    owner.DrawTo(1, 1);
    client.SetUseDataOf(nullptr);
    EXPECT_EQ(owner.DataClientCount(), 0);
    ASSERT_EQ(client.Items().Count(), 2);
    owner.DrawTo(2, 2);
    client.ClearItems();
    EXPECT_EQ(owner.Items().Count(), 3);
    EXPECT_EQ(client.Items().Count(), 0);
}

TEST(ChartSharing, DestroyingAMemberLeavesNoDanglingReference)
{
    auto owner = std::make_unique<TRChart>();
    TRChart b, c;
    b.SetUseDataOf(owner.get());
    c.SetUseDataOf(owner.get());
    owner->MoveTo(0, 0);
    owner->DrawTo(5, 5);
    owner.reset();
    EXPECT_EQ(b.UseDataOf(), nullptr);
    EXPECT_EQ(c.UseDataOf(), nullptr);
    ASSERT_EQ(b.Items().Count(), 2);
    EXPECT_EQ(c.Items()[1].x, 5);
    // Each keeps a list of its own.
    b.DrawTo(6, 6);
    EXPECT_EQ(c.Items().Count(), 2);
    b.ShowItems();

    TRChart a;
    auto client = std::make_unique<TRChart>();
    client->SetUseDataOf(&a);
    client.reset();
    EXPECT_EQ(a.DataClientCount(), 0);
    a.ShowItems();
}
