#pragma once
// The chart's drawing items and the store that keeps them in insertion order. The store grows in
// whole blocks of the chart's allocation step; blocks are never moved, so appending stays
// constant time however long the list grows, and a failed allocation leaves every record in
// place. Charts that share a list hold one store together (see TCustomRChart::UseDataOf).

#include "gfx/Colors.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

namespace tessaly {

// Item kinds this system creates; the other codes of the record format (1, 2, 4..7, 9, 12..16)
// are reserved for further primitives.
constexpr std::uint8_t ItemKindDrawTo = 3;
constexpr std::uint8_t ItemKindMoveTo = 8;

// One drawing item in the world coordinates of its layer.
struct ChartItem {
    double x = 0;
    double y = 0;
    double x2 = 0; // second point and colour: used only by reserved kinds
    double y2 = 0;
    TColor color = 0;
    TColor fillColor = 0;
    TColor color2 = 0;
    std::uint8_t penStyle = 0; // solid, dash, dot, dash-dot, dash-dot-dot, clear, inside-frame
    std::int32_t tag = 0;
    std::int32_t lineWidth = 1;
    std::uint8_t itemClass = 0; // 0..254
    std::uint8_t kind = 0;
    std::int32_t layer = 1;     // 1..16
};

class TItemStore {
public:
    TItemStore() = default;
    TItemStore(const TItemStore& other); // one block holding a copy of other's records
    TItemStore& operator=(const TItemStore&) = delete;

    int Count() const { return FCount; }
    // Records allocated: the sum of the growth steps taken since the last Clear.
    int Capacity() const { return FCapacity; }

    // Appends item; when the store is full it first grows by `step` records (step >= 1).
    void Append(const ChartItem& item, int step);
    // Removes every item and releases the memory.
    void Clear();

    // Item index (0-based, 0 <= index < Count()).
    const ChartItem& operator[](int index) const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ChartItem;
        using difference_type = std::ptrdiff_t;
        using pointer = const ChartItem*;
        using reference = const ChartItem&;

        const_iterator() = default;
        reference operator*() const
        {
            return FStore->FBlocks[FBlock].Items[static_cast<std::size_t>(FIndex)];
        }
        pointer operator->() const { return &**this; }
        const_iterator& operator++();
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& o) const { return FLeft == o.FLeft; }

    private:
        friend class TItemStore;
        const_iterator(const TItemStore* store, int left) : FStore(store), FLeft(left) {}
        const TItemStore* FStore = nullptr;
        std::size_t FBlock = 0;
        int FIndex = 0;
        int FLeft = 0; // items from here to the end
    };
    const_iterator begin() const { return {this, FCount}; }
    const_iterator end() const { return {this, 0}; }

private:
    struct Block {
        std::unique_ptr<ChartItem[]> Items;
        int Size = 0;
        int Start = 0; // index of Items[0] in the list
    };
    std::vector<Block> FBlocks;
    int FCount = 0;
    int FCapacity = 0;
    ChartItem* FNext = nullptr; // the next free record, or null when the store is full
    ChartItem* FBlockEnd = nullptr;
};

} // namespace tessaly
