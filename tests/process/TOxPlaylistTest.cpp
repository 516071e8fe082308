// The playlist: display names, paths kept apart from the shown lines, and moves of paths.
#include "process/TOxPlaylist.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TForm.h"
#include "process/TOxItemsSearchs.h"

namespace {

struct PlaylistTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm Form{nullptr};
    TOxPlaylist* Playlist = nullptr;
    void SetUp() override
    {
        Playlist = new TOxPlaylist(&Form);
        Playlist->SetParent(&Form);
    }
    std::string Shown(int I) const { return Playlist->ShownLines()->Strings(I); }
};

void Fill(TStringList& List, std::initializer_list<const char*> Texts)
{
    for (const char* t : Texts)
        List.Add(t);
}

} // namespace

TEST_F(PlaylistTest, DisplayNamesFollowTheThreeSwitches)
{
    const std::string path = "D:\\films\\a.b.avi";
    EXPECT_EQ(Playlist->BuildDisplayName(path, 0), "D:\\films\\a.b");
    Playlist->SetShowDrive(false);
    EXPECT_EQ(Playlist->BuildDisplayName(path, 0), "\\films\\a.b");
    EXPECT_EQ(Playlist->BuildDisplayName("/home/u/clip.mp4", 0), "/home/u/clip");
    EXPECT_EQ(Playlist->BuildDisplayName("/home/u.v/clip", 0), "/home/u.v/clip");
    Playlist->SetShowDrive(true);
    Playlist->SetShowExtension(true);
    EXPECT_EQ(Playlist->BuildDisplayName(path, 0), path);
    Playlist->SetShowExtension(false);
    Playlist->SetShowNumbers(true);
    EXPECT_EQ(Playlist->BuildDisplayName(path, 2), "3. D:\\films\\a.b");
}

TEST_F(PlaylistTest, ClearEmptiesTheLinesOnly_AndTheNextPathShowsThemAll)
{
    Playlist->Items()->Add("/out/one.mp4");
    Playlist->Items()->Add("/out/two.mp4");
    EXPECT_EQ(Shown(1), "/out/two");
    Playlist->Clear();
    EXPECT_EQ(Playlist->ShownLines()->Count(), 0);
    EXPECT_EQ(Playlist->Items()->Count(), 2);
    Playlist->Items()->Add("/out/three.mp4");
    ASSERT_EQ(Playlist->ShownLines()->Count(), 3);
    EXPECT_EQ(Shown(0), "/out/one");
    EXPECT_EQ(Shown(2), "/out/three");
}

TEST_F(PlaylistTest, DeletingALineDeletesItsPath_MovingMovesPaths)
{
    for (const char* p : {"/a.mp4", "/b.mp4", "/c.mp4"})
        Playlist->Items()->Add(p);
    Playlist->SetItemIndex(1);
    Playlist->MoveSelectedUp();
    EXPECT_EQ(Playlist->Items()->Strings(0), "/b.mp4");
    EXPECT_EQ(Shown(0), "/b");
    EXPECT_EQ(Playlist->ItemIndex(), 0);
    Playlist->DeleteSelected();
    ASSERT_EQ(Playlist->Items()->Count(), 2);
    EXPECT_EQ(Playlist->Items()->Strings(0), "/a.mp4");
    EXPECT_EQ(Shown(0), "/a");

    Playlist->SetMultiSelect(true);
    Playlist->SetSelected(0, true);
    Playlist->MoveSelectedDown();
    EXPECT_EQ(Playlist->Items()->Strings(1), "/a.mp4");
    EXPECT_TRUE(Playlist->Selected(1));
}

TEST(ItemsSearchs, VisitEveryEntryOnceFromAfterTheStart)
{
    TStringList list;
    Fill(list, {"a", "b", "d", "b"});
    EXPECT_EQ(TOxItemsSearchs::SearchExactString(list, "b", 2, true), 3);
    EXPECT_EQ(TOxItemsSearchs::SearchExactString(list, "b", 3, true), 1);
    EXPECT_EQ(TOxItemsSearchs::SearchExactString(list, "B", -1, false), 1);
    EXPECT_EQ(TOxItemsSearchs::SearchExactString(list, "B", -1, true), -1);
    EXPECT_EQ(TOxItemsSearchs::SearchExactString(list, "x", 99, true), -1);
    TStringList words;
    Fill(words, {"abc", "bcd"});
    EXPECT_EQ(TOxItemsSearchs::SearchPrefix(words, "B", -1, false), 1);
    EXPECT_EQ(TOxItemsSearchs::SearchPrefix(words, "", -1, false), -1);
    EXPECT_EQ(TOxItemsSearchs::SearchPrefix(TStringList(), "a", 0, false), -1);
}
