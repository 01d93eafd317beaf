#pragma once

#include "Tovi_exceptions.h"
#include "Tovi_hugepages.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

// The range error of the program's lists.
[[noreturn]] inline void ListIndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ").");
}

// An ordered, index-addressed list of objects of one class. While OwnsItems is true, an item
// that leaves the list by Delete, Clear, Assign or the list's destruction is destroyed;
// Exchange and Move never destroy anything. Index errors raise EListError and change nothing.
template <typename T> class TTypedObjectList
{
public:
    TTypedObjectList() = default;
    explicit TTypedObjectList(bool ownsItems) : FOwnsItems(ownsItems) {}
    ~TTypedObjectList() { Clear(); }
    TTypedObjectList(const TTypedObjectList&) = delete;
    TTypedObjectList& operator=(const TTypedObjectList&) = delete;

    bool OwnsItems() const { return FOwnsItems; }
    void SetOwnsItems(bool ownsItems) { FOwnsItems = ownsItems; }

    // Appends the item and returns its position. When appending fails the caller keeps it.
    int Add(T* item)
    {
        FItems.push_back(item);
        return Count() - 1;
    }

    T* Items(int index) const
    {
        CheckIndex(index);
        return FItems[static_cast<std::size_t>(index)];
    }

    // Position of that very object (not of an equal one); -1 when absent.
    int IndexOf(const T* item) const
    {
        const auto found = std::find(FItems.begin(), FItems.end(), item);
        return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
    }

    T* Last() const { return Items(Count() - 1); }
    int Count() const { return static_cast<int>(FItems.size()); }

    void Delete(int index)
    {
        T* item = Items(index);
        FItems.erase(FItems.begin() + index);
        DestroyOwned(item);
    }

    void Exchange(int index1, int index2)
    {
        CheckIndex(index1);
        CheckIndex(index2);
        std::swap(FItems[static_cast<std::size_t>(index1)],
                  FItems[static_cast<std::size_t>(index2)]);
    }

    // Takes the item out of its position and inserts it at newIndex.
    void Move(int currentIndex, int newIndex)
    {
        CheckIndex(currentIndex);
        CheckIndex(newIndex);
        const auto from = FItems.begin() + currentIndex;
        const auto to = FItems.begin() + newIndex;
        if (currentIndex < newIndex)
            std::rotate(from, from + 1, to + 1);
        else
            std::rotate(to, from, from + 1);
    }

    int Capacity() const { return static_cast<int>(FItems.capacity()); }

    // Makes room for at least that many items; less than Count is a range error.
    void SetCapacity(int capacity)
    {
        if (capacity < Count())
            throw EListError("List capacity out of bounds (" + std::to_string(capacity) + ").");
        ReserveOnHugePages(FItems, static_cast<std::size_t>(capacity));
    }

    // Clears the list, then appends the items of the source in order. Both lists then hold
    // the same objects, so at most one of them may go on owning them.
    void Assign(const TTypedObjectList& source)
    {
        if (&source == this)
            return;
        std::vector<T*> items(source.FItems);
        FItems.swap(items);
        DestroyAllOwned(items);
    }

    void Clear()
    {
        std::vector<T*> items;
        FItems.swap(items);
        DestroyAllOwned(items);
    }

    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    void CheckIndex(int index) const
    {
        if (index < 0 || index >= Count())
            ListIndexError(index);
    }

    void DestroyOwned(T* item) const
    {
        if (FOwnsItems)
            delete item;
    }

    void DestroyAllOwned(const std::vector<T*>& items) const
    {
        for (T* item : items)
            DestroyOwned(item);
    }

    std::vector<T*> FItems;
    bool FOwnsItems = true;
};
