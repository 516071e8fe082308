#include "skin/grids/FileCtrlPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "FileCtrlTestSupport.h"
#include "platform/rtl/Files.h"

namespace {

// One pixel per character, so widths are easy to reason about.
int Chars(const std::string& s) { return static_cast<int>(s.size()); }

} // namespace

TEST(FileCtrlPaths_ResolveFolder, RelativeNamesJoinTheBase_EveryFolderHasOneName)
{
    EXPECT_EQ(ResolveFolder("/a/b", "c d"), "/a/b/c d");
    EXPECT_EQ(ResolveFolder("/a/b/", "../c/"), "/a/c");
    EXPECT_EQ(ResolveFolder("/x", "/a/./b/"), "/a/b");
    EXPECT_EQ(ResolveFolder("/x", "/"), "/");
}

TEST(FileCtrlPaths_MinimizePathName, CutsLevelsFromTheFrontAsWidthShrinks)
{
    // Levels longer than the ".../" that replaces them, so each cut makes the text narrower.
    const std::string path = "/xxxxxx/yyyyyy/zzzzzz/file.txt";
    EXPECT_EQ(MinimizePathName(path, Chars, 100), path);
    std::vector<std::string> seen;
    for (int w = Chars(path) - 1; w >= 0; --w) {
        const std::string r = MinimizePathName(path, Chars, w);
        if (seen.empty() || seen.back() != r) seen.push_back(r);
    }
    const std::vector<std::string> expected = {"/.../yyyyyy/zzzzzz/file.txt", "/.../zzzzzz/file.txt",
                                               "/.../file.txt", ".../file.txt", "file.txt"};
    EXPECT_EQ(seen, expected);
}

TEST(FileCtrlPaths_MinimizePathName, NeverCutsTheFileNameAndAlwaysEnds)
{
    EXPECT_EQ(MinimizePathName("/a/very long \"quoted\" name.avi", Chars, 1), "very long \"quoted\" name.avi");
    EXPECT_EQ(MinimizePathName("name.avi", Chars, 1), "name.avi");
    EXPECT_EQ(MinimizePathName("//", Chars, 0), "");
    EXPECT_EQ(MinimizePathName("/.../.../x", Chars, 0), "x");
}

using FileCtrlPathsTest = filectrltest::FileCtrlTest;

TEST_F(FileCtrlPathsTest, DirExistsOnlyForDirectories)
{
    const auto dir = Temp.Home / "My \"Clips\" dir";
    std::filesystem::create_directories(dir);
    Touch(dir / "a file.avi");
    std::filesystem::create_directory_symlink(dir, Temp.Home / "link to dir");
    EXPECT_TRUE(DirectoryExists(dir.string()));
    EXPECT_TRUE(DirectoryExists((Temp.Home / "link to dir").string()));
    EXPECT_FALSE(DirectoryExists((dir / "a file.avi").string()));
    EXPECT_FALSE(DirectoryExists((Temp.Home / "missing").string()));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST_F(FileCtrlPathsTest, VolumeCaptionShowsLabelOrEmptyBrackets)
{
    const std::string labelled = MountDisc("My Film", "/dev/loop7", "SYS");
    const std::string bare = MountDisc("Empty", "/dev/loop8", "");
    EXPECT_EQ(VolumeCaption(labelled, Sources), "[SYS]");
    EXPECT_EQ(VolumeCaption(bare, Sources), "[]");
    EXPECT_EQ(VolumeCaption((Temp.Home / "not mounted").string(), Sources), "[]");
}

TEST_F(FileCtrlPathsTest, SplitEditPath_FolderAndNameWithoutTheCurrentDirectory)
{
    const std::string home = Temp.Home.string();
    std::filesystem::create_directories(Temp.Home / "a b" / "c");
    const std::string cwd = GetCurrentDir();
    auto split = [&](const std::string& text) {
        const TEditPath p = SplitEditPath(text, home);
        return p.Directory + "|" + p.FileName;
    };
    EXPECT_EQ(split("clip.avi"), home + "|clip.avi");
    EXPECT_EQ(split("a b/*.avi"), home + "/a b|*.avi");
    // A last part that names a folder is that folder; "[name]" is how the file list shows one.
    EXPECT_EQ(split("a b"), home + "/a b|");
    EXPECT_EQ(split("[a b]"), home + "/a b|");
    EXPECT_EQ(split("a b/c/../c"), home + "/a b/c|");
    EXPECT_EQ(split("/tmp/"), "/tmp|");
    EXPECT_EQ(split(".."), ResolveFolder(home, "..") + "|");
    // A pattern stays a pattern, even when a folder is named so.
    std::filesystem::create_directories(Temp.Home / "x*");
    EXPECT_EQ(split("x*"), home + "|x*");
    EXPECT_EQ(split("missing/f"), home + "/missing|f");
    EXPECT_EQ(GetCurrentDir(), cwd);
}
