#include "platform/rtl/Files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "tests/support/TScratchFolder.h"

namespace {

std::vector<std::string> FindAll(const std::string& path, int attr)
{
    std::vector<std::string> names;
    TSearchRec f;
    for (int r = FindFirst(path, attr, f); r == 0; r = FindNext(f)) {
        names.push_back(f.Name);
    }
    FindClose(f);
    return names;
}

using V = std::vector<std::string>;

} // namespace

TEST(FilesPaths, SplitIntoFolderNameAndExtension)
{
    EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
    EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(ExtractFileDir("/c.txt"), "/");
    EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileName("c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileExt("/a/b.d/c.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("/a/b.d/c"), "");
    EXPECT_EQ(ExtractFileExt("/a/.bashrc"), ".bashrc");
    EXPECT_EQ(ChangeFileExt("/a/b.d/movie.vob", ".mp4"), "/a/b.d/movie.mp4");
    EXPECT_EQ(ChangeFileExt("/a/b.d/movie", ".mp4"), "/a/b.d/movie.mp4");
    EXPECT_EQ(ChangeFileExt("movie.vob", ""), "movie");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(FilesPaths, ExpandFileNameFoldsDotsAgainstTheCurrentFolder)
{
    EXPECT_EQ(ExpandFileName("/a/./b/../c//d"), "/a/c/d");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
    EXPECT_EQ(ExpandFileName("/.."), "/");
    EXPECT_EQ(ExpandFileName("x/y"), IncludeTrailingPathDelimiter(GetCurrentDir()) + "x/y");
}

TEST(FilesFolders, ForceDirectoriesCreatesEveryLevel)
{
    TScratchFolder dir;
    EXPECT_TRUE(ForceDirectories(dir / "a/b/c/"));
    EXPECT_TRUE(DirectoryExists(dir / "a/b/c"));
    EXPECT_TRUE(ForceDirectories(dir / "a/b"));
    EXPECT_FALSE(ForceDirectories(""));
    dir.Write("file", "x");
    EXPECT_FALSE(ForceDirectories(dir / "file/sub"));
    EXPECT_FALSE(CreateDir(dir / "a"));
    EXPECT_TRUE(CreateDir(dir / "e"));
    EXPECT_TRUE(DirectoryExists(dir / "e"));
}

TEST(FilesFiles, ExistsSizeAndDelete)
{
    TScratchFolder dir;
    const std::string f = dir.Write("f.bin", "12345");
    EXPECT_TRUE(FileExists(f));
    EXPECT_FALSE(FileExists(dir.Path()));  // a folder is not a file
    EXPECT_FALSE(DirectoryExists(f));
    EXPECT_EQ(FileSize(f), 5);
    EXPECT_EQ(FileSize(dir / "none"), -1);
    EXPECT_FALSE(DeleteFile(dir.Path()));
    EXPECT_TRUE(DeleteFile(f));
    EXPECT_FALSE(FileExists(f));
    EXPECT_FALSE(DeleteFile(f));
}

TEST(FilesRename, NeverOverwritesAnExistingTarget)
{
    TScratchFolder dir;
    const std::string a = dir.Write("a.txt", "A");
    const std::string b = dir.Write("b.txt", "B");
    EXPECT_FALSE(RenameFile(a, b));
    EXPECT_EQ(TScratchFolder::Read(b), "B");
    EXPECT_TRUE(FileExists(a));
    EXPECT_TRUE(RenameFile(a, dir / "c.txt"));
    EXPECT_EQ(TScratchFolder::Read(dir / "c.txt"), "A");
    EXPECT_FALSE(RenameFile(dir / "missing", dir / "d.txt"));
    ForceDirectories(dir / "sub");
    EXPECT_FALSE(RenameFile(dir / "c.txt", dir / "sub"));
}

class FindFirstTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForceDirectories(FDir / "VIDEO_TS");
        ForceDirectories(FDir / "AUDIO_TS");
        FDir.Write("VIDEO_TS/VIDEO_TS.IFO", "12");
        FDir.Write("VIDEO_TS/VTS_01_0.IFO", "1234");
        FDir.Write("VIDEO_TS/VTS_01_1.VOB", "123456");
        FDir.Write("VIDEO_TS/.hidden.ifo", "");
        ForceDirectories(FDir / "VIDEO_TS/Sub.ifo");
    }
    TScratchFolder FDir;
};

TEST_F(FindFirstTree, MaskMatchesWithoutRegardToCase)
{
    EXPECT_EQ(FindAll(FDir / "VIDEO_TS/*.ifo", faAnyFile & ~faDirectory & ~faHidden), (V{"VIDEO_TS.IFO", "VTS_01_0.IFO"}));
    EXPECT_EQ(FindAll(FDir / "VIDEO_TS/vts_??_?.vob", 0), (V{"VTS_01_1.VOB"}));
    EXPECT_EQ(FindAll(FDir / "VIDEO_TS/video_ts.ifo", 0), (V{"VIDEO_TS.IFO"}));
    EXPECT_EQ(FindAll(FDir / "VIDEO_TS/*.bup", faAnyFile), V{});
}

TEST_F(FindFirstTree, FoldersAndHiddenOnlyWhenAsked)
{
    EXPECT_EQ(FindAll(FDir / "VIDEO_TS/*.ifo", faAnyFile), (V{".hidden.ifo", "Sub.ifo", "VIDEO_TS.IFO", "VTS_01_0.IFO"}));
    EXPECT_EQ(FindAll(FDir / "*.*", faDirectory), (V{".", "..", "AUDIO_TS", "VIDEO_TS"}));
}

TEST_F(FindFirstTree, RecordCarriesSizeAttributesAndTime)
{
    TSearchRec f;
    ASSERT_EQ(FindFirst(FDir / "VIDEO_TS/*.vob", faAnyFile, f), 0);
    EXPECT_EQ(f.Name, "VTS_01_1.VOB");
    EXPECT_EQ(f.Size, 6);
    EXPECT_EQ(f.Attr & faArchive, faArchive);
    EXPECT_EQ(f.Attr & faDirectory, 0);
    EXPECT_GT(f.Time, 0);
    EXPECT_NE(FindNext(f), 0);
    FindClose(f);
    FindClose(f);

    ASSERT_EQ(FindFirst(FDir / "VIDEO_TS/sub.IFO", faDirectory, f), 0);
    EXPECT_EQ(f.Attr & faDirectory, faDirectory);
    ASSERT_EQ(FindFirst(FDir / "VIDEO_TS/.hidden.ifo", faHidden, f), 0);
    EXPECT_EQ(f.Attr & faHidden, faHidden);
    FindClose(f);
}

TEST_F(FindFirstTree, MissingFolderOrNoMatchReturnsAnError)
{
    TSearchRec f;
    EXPECT_NE(FindFirst(FDir / "nowhere/*.*", faAnyFile, f), 0);
    EXPECT_NE(FindFirst(FDir / "VIDEO_TS/*.xyz", faAnyFile, f), 0);
    EXPECT_NE(FindNext(f), 0);
}

TEST(FilesMasks, StarAndQuestionMark)
{
    EXPECT_TRUE(MatchesMask("VTS_01_1.VOB", "vts_*_?.vob"));
    EXPECT_TRUE(MatchesMask("noext", "*.*"));
    EXPECT_TRUE(MatchesMask("a.b.c", "*.c"));
    EXPECT_FALSE(MatchesMask("a.bc", "*.c"));
    EXPECT_TRUE(MatchesMask("\xC3\x89t\xC3\xA9.avi", "?t?.AVI"));
    EXPECT_TRUE(MatchesMask("", "*"));
    EXPECT_FALSE(MatchesMask("ab", "a"));
}
