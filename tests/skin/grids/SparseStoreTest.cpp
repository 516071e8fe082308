#include "skin/grids/SparseStore.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/Exceptions.h"

namespace {

int a = 1, b = 2, c = 3;

// --- the pointer array -------------------------------------------------------------------------

TEST(SparsePointerArray, UnwrittenIndexesReadNilAndCostNothing)
{
    TSparsePointerArray array(SparseQuantum::Small);
    EXPECT_EQ(array.ItemAt(0), nullptr);
    EXPECT_EQ(array.ItemAt(1000000), nullptr);
    EXPECT_EQ(array.ItemAt(-5), nullptr);
    EXPECT_EQ(array.HighBound(), -1);
    array.StoreAt(70, nullptr); // clearing a missing item makes nothing
    EXPECT_EQ(array.HighBound(), -1);
}

TEST(SparsePointerArray, StoredItemsReadBackAcrossSections)
{
    TSparsePointerArray array(SparseQuantum::Small);
    array.StoreAt(3, &a);
    array.StoreAt(17, &b);
    array.StoreAt(4000, &c);
    EXPECT_EQ(array.ItemAt(3), &a);
    EXPECT_EQ(array.ItemAt(17), &b);
    EXPECT_EQ(array.ItemAt(4000), &c);
    EXPECT_EQ(array.HighBound(), 4000);
}

TEST(SparsePointerArray, ReadCacheSeesLaterWrites)
{
    TSparsePointerArray array(SparseQuantum::Small);
    EXPECT_EQ(array.ItemAt(5), nullptr); // cached as nil
    array.StoreAt(5, &a);
    EXPECT_EQ(array.ItemAt(5), &a);
    array.StoreAt(5, &b);
    EXPECT_EQ(array.ItemAt(5), &b);
}

TEST(SparsePointerArray, ClearingTheTopItemLowersHighBound)
{
    TSparsePointerArray array(SparseQuantum::Large);
    array.StoreAt(2, &a);
    array.StoreAt(600, &b);
    array.StoreAt(600, nullptr);
    EXPECT_EQ(array.HighBound(), 2);
    array.StoreAt(2, nullptr);
    EXPECT_EQ(array.HighBound(), -1);
}

TEST(SparsePointerArray, ForEachVisitsInIndexOrderAndStopsOnNonZero)
{
    TSparsePointerArray array(SparseQuantum::Small);
    array.StoreAt(300, &c);
    array.StoreAt(1, &a);
    array.StoreAt(20, &b);
    std::vector<int> seen;
    const int result = array.ForEachItem([&seen](int index, void*) {
        seen.push_back(index);
        return index == 20 ? 7 : 0;
    });
    EXPECT_EQ(result, 7);
    EXPECT_EQ(seen, (std::vector<int>{1, 20}));
}

// --- the storable range: a write never wraps onto another index --------------------------------

TEST(SparsePointerArray, LargestIndexIsStoredAndTheNextRefused)
{
    TSparsePointerArray array(SparseQuantum::Small);
    EXPECT_EQ(array.MaxIndex(), 1048559);
    array.StoreAt(0, &a);
    array.StoreAt(1048559, &b);
    EXPECT_EQ(array.ItemAt(1048559), &b);
    EXPECT_THROW(array.StoreAt(1048560, &c), EListError);
    EXPECT_THROW(array.StoreAt(1048576, &c), EListError); // once wrapped onto section 0
    EXPECT_EQ(array.ItemAt(0), &a);
    EXPECT_EQ(array.HighBound(), 1048559);
    EXPECT_EQ(TSparsePointerArray::MaxIndexFor(SparseQuantum::Large), 16776959);
}

// --- the list -----------------------------------------------------------------------------------

TEST(SparseList, CountFollowsTheHighestItem)
{
    TSparseList list(SparseQuantum::Small);
    list.Put(4, &a);
    EXPECT_EQ(list.Count(), 5);
    list.Put(9, &b);
    list.Put(9, nullptr);
    EXPECT_EQ(list.Count(), 5);
    list.Put(4, nullptr);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Get(100), nullptr); // no upper bound on reads
}

TEST(SparseList, NegativeIndexRaisesListError)
{
    TSparseList list(SparseQuantum::Small);
    EXPECT_THROW(list.Get(-1), EListError);
    EXPECT_THROW(list.Put(-1, &a), EListError);
    EXPECT_THROW(list.Insert(-1, &a), EListError);
    try {
        list.Get(-1);
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (%d)");
    }
}

TEST(SparseList, InsertAndDeleteShiftTheItemsAbove)
{
    TSparseList list(SparseQuantum::Small);
    list.Put(0, &a);
    list.Put(1, &b);
    list.Insert(1, &c);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get(1), &c);
    EXPECT_EQ(list.Get(2), &b);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0), &c);
    EXPECT_EQ(list.Get(1), &b);
    list.Delete(5); // out of range: nothing
    EXPECT_EQ(list.Count(), 2);
}

TEST(SparseList, InsertBeyondCountExtendsIt)
{
    TSparseList list(SparseQuantum::Small);
    list.Insert(10, &a);
    EXPECT_EQ(list.Count(), 11);
    EXPECT_EQ(list.Get(10), &a);
}

TEST(SparseList, MoveAndExchange)
{
    TSparseList list(SparseQuantum::Small);
    list.Put(0, &a);
    list.Put(1, &b);
    list.Put(2, &c);
    list.Move(0, 2);
    EXPECT_EQ(list.Get(0), &b);
    EXPECT_EQ(list.Get(1), &c);
    EXPECT_EQ(list.Get(2), &a);
    list.Exchange(0, 2);
    EXPECT_EQ(list.Get(0), &a);
    EXPECT_EQ(list.Get(2), &b);
}

TEST(SparseList, InsertThatWouldPushAnItemOutOfRangeChangesNothing)
{
    TSparseList list(SparseQuantum::Small);
    list.Put(0, &a);
    list.Put(list.MaxIndex(), &b);
    EXPECT_THROW(list.Insert(0, &c), EListError);
    EXPECT_EQ(list.Get(0), &a);
    EXPECT_EQ(list.Get(list.MaxIndex()), &b);
}

TEST(SparseList, ClearEmptiesEverything)
{
    TSparseList list(SparseQuantum::Large);
    list.Put(3, &a);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Get(3), nullptr);
    EXPECT_EQ(list.Quantum(), SparseQuantum::Large);
}

} // namespace
