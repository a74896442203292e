#include "chart/ItemStore.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace tessaly {

TItemStore::TItemStore(const TItemStore& other)
{
    if (other.FCount == 0)
        return;
    Block block;
    block.Items = std::make_unique<ChartItem[]>(static_cast<std::size_t>(other.FCount));
    block.Size = other.FCount;
    std::copy(other.begin(), other.end(), block.Items.get());
    FBlocks.push_back(std::move(block));
    FCount = FCapacity = other.FCount;
}

void TItemStore::Append(const ChartItem& item, int step)
{
    if (!FNext) {
        step = std::max(step, 1);
        if (FCapacity > INT_MAX - step)
            throw std::length_error("chart item list too long");
        // Both allocations happen before anything changes, so a failure keeps the list intact.
        FBlocks.reserve(FBlocks.size() + 1);
        Block block;
        block.Items = std::make_unique<ChartItem[]>(static_cast<std::size_t>(step));
        block.Size = step;
        block.Start = FCapacity;
        FNext = block.Items.get();
        FBlockEnd = FNext + step;
        FBlocks.push_back(std::move(block));
        FCapacity += step;
    }
    *FNext = item;
    ++FCount;
    if (++FNext == FBlockEnd)
        FNext = FBlockEnd = nullptr;
}

void TItemStore::Clear()
{
    FBlocks.clear();
    FBlocks.shrink_to_fit();
    FCount = FCapacity = 0;
    FNext = FBlockEnd = nullptr;
}

const ChartItem& TItemStore::operator[](int index) const
{
    // The last block whose start is at or before index.
    auto it = std::upper_bound(FBlocks.begin(), FBlocks.end(), index,
                               [](int i, const Block& b) { return i < b.Start; });
    const Block& block = *(it - 1);
    return block.Items[static_cast<std::size_t>(index - block.Start)];
}

TItemStore::const_iterator& TItemStore::const_iterator::operator++()
{
    --FLeft;
    if (++FIndex == FStore->FBlocks[FBlock].Size) {
        ++FBlock;
        FIndex = 0;
    }
    return *this;
}

} // namespace tessaly
