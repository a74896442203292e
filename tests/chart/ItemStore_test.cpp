#include "chart/ItemStore.h"

#include <gtest/gtest.h>

using namespace tessaly;

namespace {
ChartItem At(double x)
{
    ChartItem item;
    item.x = x;
    item.kind = ItemKindDrawTo;
    return item;
}
} // namespace

TEST(ItemStore, GrowsInWholeStepsOfTheAllocationSize)
{
    TItemStore store;
    EXPECT_EQ(store.Capacity(), 0);
    for (int i = 0; i < 1000; ++i)
        store.Append(At(i), 1000);
    EXPECT_EQ(store.Count(), 1000);
    EXPECT_EQ(store.Capacity(), 1000); // exactly one block
    store.Append(At(1000), 1000);
    EXPECT_EQ(store.Capacity(), 2000);
    // A changed step applies from the next growth on.
    for (int i = 1001; i < 2000; ++i)
        store.Append(At(i), 1000);
    store.Append(At(2000), 7);
    EXPECT_EQ(store.Capacity(), 2007);
    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.Capacity(), 0);
    store.Append(At(0), 1);
    EXPECT_EQ(store.Capacity(), 1);
}

TEST(ItemStore, KeepsInsertionOrderAcrossBlocks)
{
    TItemStore store;
    for (int i = 0; i < 23; ++i)
        store.Append(At(i), i < 10 ? 4 : 3); // blocks of 4, 4, 4, 3, 3, ...
    for (int i = 0; i < 23; ++i)
        EXPECT_EQ(store[i].x, i) << i;
    int expected = 0;
    for (const ChartItem& item : store)
        EXPECT_EQ(item.x, expected++);
    EXPECT_EQ(expected, 23);
    EXPECT_TRUE(TItemStore().begin() == TItemStore().end());
}

TEST(ItemStore, CopyHoldsTheSameRecordsIndependently)
{
    TItemStore store;
    for (int i = 0; i < 5; ++i)
        store.Append(At(i), 2);
    TItemStore copy(store);
    EXPECT_EQ(copy.Count(), 5);
    EXPECT_EQ(copy.Capacity(), 5);
    store.Clear();
    copy.Append(At(5), 10);
    ASSERT_EQ(copy.Count(), 6);
    EXPECT_EQ(copy.Capacity(), 15);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(copy[i].x, i);
    EXPECT_EQ(TItemStore(TItemStore()).Count(), 0);
}
