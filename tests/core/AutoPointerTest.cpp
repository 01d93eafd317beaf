#include "Tovi_autopointers.h"
#include "Tovi_events.h"

#include <gtest/gtest.h>

namespace
{
int Destroyed = 0;

class TCounted : public TObject
{
public:
    ~TCounted() override { ++Destroyed; }
};

class AutoPointer : public ::testing::Test
{
protected:
    void SetUp() override { Destroyed = 0; }
};

TEST_F(AutoPointer, DestroysWhatItHoldsOnTheWayOut)
{
    {
        TAutoPointer<TCounted> pointer(new TCounted);
        TAutoPointer<TCounted> empty;
        EXPECT_EQ(empty.Get(), nullptr);
    }
    EXPECT_EQ(Destroyed, 1);
    try
    {
        TAutoPointer<TCounted> pointer(new TCounted);
        throw 1;
    }
    catch (int)
    {
    }
    EXPECT_EQ(Destroyed, 2);
}

TEST_F(AutoPointer, ReleaseHandsTheObjectOn)
{
    TCounted* object = nullptr;
    {
        TAutoPointer<TCounted> pointer(new TCounted);
        object = pointer.Release();
        EXPECT_EQ(pointer.Get(), nullptr);
    }
    EXPECT_EQ(Destroyed, 0);
    delete object;
}

TEST_F(AutoPointer, ResetDestroysThePreviousObject)
{
    TAutoPointer<TCounted> pointer(new TCounted);
    TCounted* next = new TCounted;
    EXPECT_EQ(pointer.Reset(next), next);
    EXPECT_EQ(Destroyed, 1);
    EXPECT_EQ(pointer.Reset(next), next);
    EXPECT_EQ(Destroyed, 1);
    pointer.Reset(nullptr);
    EXPECT_EQ(Destroyed, 2);
}

TEST_F(AutoPointer, ExchangeSwapsAMemberForTheNewObject)
{
    TCounted* member = new TCounted;
    TCounted* const old = member;
    {
        TAutoPointer<TCounted> fresh(new TCounted);
        TCounted* const built = fresh.Get();
        member = fresh.Exchange(member);
        EXPECT_EQ(member, built);
        EXPECT_EQ(fresh.Get(), old);
        EXPECT_EQ(Destroyed, 0);
    }
    EXPECT_EQ(Destroyed, 1);
    delete member;
}

TEST_F(AutoPointer, ArrayIsReleasedWithArrayDeletion)
{
    {
        TAutoArray<TCounted> array(new TCounted[3]);
        TAutoArray<char> buffer(new char[4]);
        buffer[0] = 'x';
        EXPECT_EQ(buffer.Get()[0], 'x');
    }
    EXPECT_EQ(Destroyed, 3);
}
} // namespace
