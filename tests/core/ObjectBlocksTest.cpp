#include "Tovi_objectblocks.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace
{
// Records its destruction; a negative number fails to construct.
class TRecorded
{
public:
    TRecorded(int number, std::vector<int>& destroyed) : Number(number), FDestroyed(destroyed)
    {
        if (number < 0)
            throw std::runtime_error("refused");
    }
    ~TRecorded() { FDestroyed.push_back(Number); }
    TRecorded(const TRecorded&) = delete;
    TRecorded& operator=(const TRecorded&) = delete;

    int Number;

private:
    std::vector<int>& FDestroyed;
};
} // namespace

// Objects keep their addresses across blocks, a failed constructor keeps nothing, and every
// object is destroyed once, the latest first, by Clear or by the store that a swap gave them.
TEST(ObjectBlocks, ObjectsStayPutAndAreDestroyedOnceLatestFirst)
{
    std::vector<int> destroyed;
    {
        TObjectBlocks<TRecorded> kept;
        {
            TObjectBlocks<TRecorded> store;
            store.Reserve(3);
            std::vector<TRecorded*> made;
            for (int i = 0; i < 200; ++i)
                made.push_back(store.New(i, destroyed));
            EXPECT_THROW(store.New(-1, destroyed), std::runtime_error);
            for (int i = 0; i < 200; ++i)
                EXPECT_EQ(made[static_cast<std::size_t>(i)]->Number, i);
            store.Swap(kept);
        }
        EXPECT_TRUE(destroyed.empty());
        kept.Clear();
        ASSERT_EQ(destroyed.size(), 200u);
        EXPECT_EQ(destroyed.front(), 199);
        EXPECT_EQ(destroyed.back(), 0);
        kept.New(7, destroyed);
    }
    EXPECT_EQ(destroyed.back(), 7);
    EXPECT_EQ(destroyed.size(), 201u);
}
