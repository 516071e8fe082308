// Item identifier lists: built from paths, taken apart and joined again, and damaged ones.
#include "skin/grids/ShellIdLists.h"

#include <gtest/gtest.h>

TEST(ShellIdLists, PathsAndListsGoBothWays)
{
    const TItemIDList home = IDListFromPath("/home//ann/");
    EXPECT_EQ(ItemCount(home), 2);
    EXPECT_EQ(ListSize(home), (2u + 4u) + (2u + 3u) + 2u);
    EXPECT_EQ(ListSize(home), home.size());
    EXPECT_EQ(PathFromIDList(home), "/home/ann");
    EXPECT_EQ(PathFromIDList(IDListFromPath("/")), "/");
    EXPECT_EQ(ItemCount(IDListFromPath("")), 0);
    bool ok = true;
    IDListFromPath("/" + std::string(70000, 'x'), &ok);
    EXPECT_FALSE(ok);
}

TEST(ShellIdLists, JoinStripCopyAndChain)
{
    const TItemIDList a = IDListFromPath("/srv");
    const TItemIDList b = IDListFromPath("/media/clips");
    const TItemIDList joined = ConcatIDLists(a, b);
    EXPECT_EQ(PathFromIDList(joined), "/srv/media/clips");
    EXPECT_EQ(PathFromIDList(ConcatIDLists(TItemIDList{}, b)), "/media/clips");
    TItemIDList stripped = joined;
    StripLastID(stripped);
    EXPECT_EQ(PathFromIDList(stripped), "/srv/media");
    EXPECT_EQ(PathFromIDList(CopyLastID(joined)), "/clips");
    const std::vector<TItemIDList> chain = ParentChain(joined);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(PathFromIDList(chain[0]), "/srv");
    EXPECT_EQ(PathFromIDList(chain[2]), "/srv/media/clips");
    TItemIDList empty = IDListFromPath("/");
    StripLastID(empty);
    EXPECT_EQ(ItemCount(empty), 0);
}

TEST(ShellIdLists, ADamagedListEndsTheWalkInsteadOfReadingPastIt)
{
    TItemIDList damaged = IDListFromPath("/abc");
    damaged[0] = 200; // a count past the end
    EXPECT_EQ(ItemCount(damaged), 0);
    EXPECT_EQ(ListSize(damaged), 0u);
    EXPECT_EQ(ItemName(damaged, 0), "");
    EXPECT_EQ(ListSize(TItemIDList{5}), 0u);
    // A count of 1 names no item and would never move the walk on.
    TItemIDList stuck = IDListFromPath("/abc/def");
    stuck[5] = 1;
    stuck[6] = 0;
    EXPECT_EQ(PathFromIDList(stuck), "/abc");
    stuck[0] = 1;
    stuck[1] = 0;
    EXPECT_EQ(PathFromIDList(stuck), "/");
}
