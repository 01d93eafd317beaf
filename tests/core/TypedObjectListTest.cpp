#include "Tovi_events.h"
#include "Tovi_exceptions.h"
#include "Tovi_typedlists.h"

#include <gtest/gtest.h>

namespace
{
// Counts its own destruction.
class TCounted : public TObject
{
public:
    explicit TCounted(int& destroyed) : FDestroyed(destroyed) {}
    ~TCounted() override { ++FDestroyed; }

private:
    int& FDestroyed;
};

class TypedObjectList : public ::testing::Test
{
protected:
    // Fills the list with three fresh items and returns them.
    std::vector<TCounted*> Fill(TTypedObjectList<TCounted>& list)
    {
        std::vector<TCounted*> items;
        for (int i = 0; i < 3; ++i)
        {
            items.push_back(new TCounted(Destroyed));
            EXPECT_EQ(list.Add(items.back()), i);
        }
        return items;
    }

    std::vector<TCounted*> Content(const TTypedObjectList<TCounted>& list)
    {
        return {list.begin(), list.end()};
    }

    int Destroyed = 0;
};

TEST_F(TypedObjectList, OwningListDestroysItsItemsAndNonOwningListLeavesThemAlive)
{
    std::vector<TCounted*> items;
    {
        TTypedObjectList<TCounted> borrowed(false);
        items = Fill(borrowed);
    }
    EXPECT_EQ(Destroyed, 0);
    {
        TTypedObjectList<TCounted> owning;
        EXPECT_TRUE(owning.OwnsItems());
        for (TCounted* item : items)
            owning.Add(item);
    }
    EXPECT_EQ(Destroyed, 3);
}

TEST_F(TypedObjectList, DeleteAndClearDestroyOnlyWhileOwning)
{
    TTypedObjectList<TCounted> list;
    const auto items = Fill(list);
    list.Delete(1);
    EXPECT_EQ(Destroyed, 1);
    EXPECT_EQ(Content(list), (std::vector<TCounted*>{items[0], items[2]}));

    list.SetOwnsItems(false);
    list.Delete(0);
    list.Clear();
    EXPECT_EQ(Destroyed, 1);
    EXPECT_EQ(list.Count(), 0);
    delete items[0];
    delete items[2];
}

TEST_F(TypedObjectList, ExchangeAndMoveReorderWithoutDestroying)
{
    TTypedObjectList<TCounted> list;
    const auto items = Fill(list);
    list.Exchange(0, 2);
    EXPECT_EQ(Content(list), (std::vector<TCounted*>{items[2], items[1], items[0]}));
    list.Move(0, 2);
    EXPECT_EQ(Content(list), (std::vector<TCounted*>{items[1], items[0], items[2]}));
    list.Move(2, 0);
    EXPECT_EQ(Content(list), (std::vector<TCounted*>{items[2], items[1], items[0]}));
    EXPECT_EQ(Destroyed, 0);
}

TEST_F(TypedObjectList, AssignReplacesTheContentAndTheSourceKeepsItsItems)
{
    TTypedObjectList<TCounted> target;
    Fill(target);
    TTypedObjectList<TCounted> source(false);
    const auto items = Fill(source);

    target.Assign(source);
    EXPECT_EQ(Destroyed, 3);
    EXPECT_EQ(Content(target), items);
    EXPECT_EQ(Content(source), items);

    target.Assign(target);
    EXPECT_EQ(Content(target), items);
    EXPECT_EQ(Destroyed, 3);
}

TEST_F(TypedObjectList, IndexOfFindsTheVeryObject)
{
    TTypedObjectList<TCounted> list;
    const auto items = Fill(list);
    TCounted stranger(Destroyed);
    EXPECT_EQ(list.IndexOf(items[2]), 2);
    EXPECT_EQ(list.IndexOf(&stranger), -1);
    EXPECT_EQ(list.Last(), items[2]);
}

TEST_F(TypedObjectList, RangeErrorsChangeNothing)
{
    TTypedObjectList<TCounted> empty;
    EXPECT_THROW(empty.Last(), EListError);
    EXPECT_THROW(empty.Items(0), EListError);

    TTypedObjectList<TCounted> list;
    const auto items = Fill(list);
    EXPECT_THROW(list.Items(-1), EListError);
    EXPECT_THROW(list.Items(3), EListError);
    EXPECT_THROW(list.Delete(3), EListError);
    EXPECT_THROW(list.Exchange(0, 3), EListError);
    EXPECT_THROW(list.Move(3, 0), EListError);
    EXPECT_THROW(list.SetCapacity(2), EListError);
    EXPECT_EQ(Content(list), items);
    EXPECT_EQ(Destroyed, 0);

    list.SetCapacity(100);
    EXPECT_GE(list.Capacity(), 100);
    EXPECT_EQ(Content(list), items);
}
} // namespace
