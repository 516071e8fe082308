#include "skin/grids/TStringSparseList.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/rtl/TStream.h"

namespace {

int obj = 0;

TEST(StringSparseList, UnwrittenLinesReadEmpty)
{
    TStringSparseList list(SparseQuantum::Small);
    EXPECT_EQ(list.Get(500), "");
    EXPECT_EQ(list.GetObject(500), nullptr);
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringSparseList, WritingEmptyTextRemovesALineWithoutObject)
{
    TStringSparseList list(SparseQuantum::Small);
    list.Put(2, "a");
    list.Put(7, "b");
    list.Put(7, "");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.StoredCount(), 1);
}

TEST(StringSparseList, ALineWithAnObjectSurvivesEmptyText)
{
    TStringSparseList list(SparseQuantum::Small);
    list.PutObject(4, &obj);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Get(4), "");
    list.Put(4, "x");
    list.Put(4, "");
    EXPECT_EQ(list.GetObject(4), &obj);
    EXPECT_EQ(list.StoredCount(), 1);
}

TEST(StringSparseList, NilObjectOnAMissingLineStoresNothing)
{
    TStringSparseList list(SparseQuantum::Small);
    list.PutObject(3, nullptr);
    EXPECT_EQ(list.StoredCount(), 0);
}

TEST(StringSparseList, OnChangeFiresForChangesButNotForExchange)
{
    TStringSparseList list(SparseQuantum::Small);
    int changes = 0;
    list.OnChange = [&changes](TStrings*) { ++changes; };
    list.Put(0, "a");
    list.Put(1, "b");
    list.Exchange(0, 1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list.Get(0), "b");
}

TEST(StringSparseList, InsertAndDeleteMoveTheLinesAbove)
{
    TStringSparseList list(SparseQuantum::Small);
    list.Put(0, "a");
    list.Put(1, "c");
    list.Insert(1, "b");
    EXPECT_EQ(list.Get(2), "c");
    list.Delete(0);
    EXPECT_EQ(list.Get(0), "b");
    EXPECT_EQ(list.Get(1), "c");
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringSparseList, NegativeIndexRaises)
{
    TStringSparseList list(SparseQuantum::Small);
    EXPECT_THROW(list.Get(-1), EListError);
    EXPECT_THROW(list.Put(-1, "x"), EListError);
}

// --- the stored "List" property -----------------------------------------------------------------

TEST(StringSparseListStream, RoundTripKeepsIndexesAndTexts)
{
    TStringSparseList list(SparseQuantum::Small);
    list.Put(0, "first");
    list.Put(69, "far column");
    list.Put(5000, "");
    list.Put(300, "x y \"z\"");
    TMemoryStream stream;
    list.WriteList(stream);

    stream.SetPosition(0);
    TStringSparseList copy(SparseQuantum::Small);
    copy.Put(1, "old");
    copy.ReadList(stream);
    EXPECT_EQ(copy.StoredCount(), 3);
    EXPECT_EQ(copy.Get(0), "first");
    EXPECT_EQ(copy.Get(1), "");
    EXPECT_EQ(copy.Get(69), "far column");
    EXPECT_EQ(copy.Get(300), "x y \"z\"");
    EXPECT_EQ(copy.Count(), 301);
    EXPECT_EQ(stream.Position(), stream.Size()); // exactly what was written was read
}

TEST(StringSparseListStream, CountIsTheNumberOfStoredLines)
{
    TStringSparseList list(SparseQuantum::Small);
    list.Put(10, "a");
    list.Put(20, "b");
    TMemoryStream stream;
    list.WriteList(stream);
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadValue<std::int32_t>(), 2); // not Count (21)
}

TEST(StringSparseListStream, TruncatedStreamRaisesAndKeepsTheList)
{
    TStringSparseList list(SparseQuantum::Small);
    list.Put(10, "abcdef");
    TMemoryStream stream;
    list.WriteList(stream);
    stream.SetSize(stream.Size() - 3);
    stream.SetPosition(0);
    TStringSparseList target(SparseQuantum::Small);
    target.Put(2, "keep");
    EXPECT_THROW(target.ReadList(stream), EReadError);
    EXPECT_EQ(target.Get(2), "keep");
}

} // namespace
