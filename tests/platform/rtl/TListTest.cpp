#include "platform/rtl/TList.h"

#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"

namespace {
int a = 1, b = 2, c = 3;
}

TEST(TListItems, AddInsertRemoveExtract)
{
    TList list;
    EXPECT_EQ(list.Add(&a), 0);
    list.Add(&c);
    list.Insert(1, &b);
    EXPECT_EQ(list.Items(1), &b);
    EXPECT_EQ(list.IndexOf(&c), 2);
    EXPECT_EQ(list.Remove(&a), 0);
    EXPECT_EQ(list.Remove(&a), -1);
    EXPECT_EQ(list.Extract(&c), &c);
    EXPECT_EQ(list.Extract(&c), nullptr);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.First(), &b);
    EXPECT_EQ(list.Last(), &b);
}

TEST(TListItems, SortOrdersByTheComparison)
{
    TList list;
    list.Add(&c);
    list.Add(&a);
    list.Add(&b);
    ASSERT_EQ(list.Count(), 3);
    list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(list.Items(0), &a);
    EXPECT_EQ(list.Items(2), &c);
    list.Exchange(0, 2);
    list.Move(0, 1);
    EXPECT_EQ(list.Items(0), &b);
    EXPECT_EQ(list.Items(1), &c);
}

TEST(TListErrors, BadIndicesRaiseListError)
{
    TList list;
    EXPECT_THROW(list.First(), EListError);
    try {
        list.Last();
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
    }
    list.Add(&a);
    EXPECT_THROW(list.Delete(1), EListError);
    EXPECT_THROW(list.Insert(2, &b), EListError);
    EXPECT_THROW(list.SetCount(-1), EListError);
}
