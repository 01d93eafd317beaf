#pragma once

#include "Tovi_hugepages.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// Makes objects of one class in large blocks, so that making and destroying a million of them
// costs a few allocations. The objects keep their addresses and live until the store is
// cleared or destroyed; typed lists that do not own their items point into it.
template <typename T> class TObjectBlocks
{
public:
    TObjectBlocks() = default;
    ~TObjectBlocks() { Clear(); }
    TObjectBlocks(const TObjectBlocks&) = delete;
    TObjectBlocks& operator=(const TObjectBlocks&) = delete;

    // Makes room for that many more objects in one block. A block is taken from the system
    // as it is, so room never used costs address space only, no memory.
    void Reserve(std::size_t count)
    {
        if (Room() < count)
            AddBlock(count);
    }

    // Makes an object from the arguments; when its constructor fails nothing is kept.
    template <typename... TArgs> T* New(TArgs&&... args)
    {
        if (Room() == 0)
            AddBlock(std::max<std::size_t>(FMade, MinBlock));
        TBlock& block = FBlocks.back();
        T* item =
            ::new (static_cast<void*>(block.Items + block.Used)) T(std::forward<TArgs>(args)...);
        ++block.Used;
        ++FMade;
        return item;
    }

    // Destroys the objects, the latest first, and gives the blocks back.
    void Clear()
    {
        std::vector<TBlock> blocks;
        blocks.swap(FBlocks);
        FMade = 0;
        for (auto block = blocks.rbegin(); block != blocks.rend(); ++block)
        {
            std::destroy_n(std::make_reverse_iterator(block->Items + block->Used), block->Used);
            std::allocator<T>().deallocate(block->Items, block->Capacity);
        }
    }

    void Swap(TObjectBlocks& other) noexcept
    {
        FBlocks.swap(other.FBlocks);
        std::swap(FMade, other.FMade);
    }

private:
    struct TBlock
    {
        T* Items;
        std::size_t Used;
        std::size_t Capacity;
    };

    static constexpr std::size_t MinBlock = 64;

    std::size_t Room() const
    {
        return FBlocks.empty() ? 0 : FBlocks.back().Capacity - FBlocks.back().Used;
    }

    void AddBlock(std::size_t capacity)
    {
        FBlocks.reserve(FBlocks.size() + 1);
        T* items = std::allocator<T>().allocate(capacity);
        AdviseHugePages(items, capacity * sizeof(T));
        FBlocks.push_back(TBlock{items, 0, capacity});
    }

    std::vector<TBlock> FBlocks;
    std::size_t FMade = 0;
};
