#include "app/om_functions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/TStringList.h"
#include "om_testing.h"

namespace fs = std::filesystem;

namespace {

using omtest::TempFolder;
using omtest::TempHome;

// --- title text -------------------------------------------------------------------------------

TEST(CleanTitleText, SeparatorsRecordedAndCaseAreCleaned)
{
    EXPECT_EQ(CleanTitleText("MY_MOVIE.(2008)-Recorded"), "My Movie 2008");
    EXPECT_EQ(CleanTitleText("  a__b  "), "A B");
    EXPECT_EQ(CleanTitleText(""), "");
}

TEST(CleanTitleText, LongTitleIsCutToFiftyCharactersAndTrimmed)
{
    const std::string sixty = std::string(49, 'a') + " " + std::string(10, 'b');
    const std::string cleaned = CleanTitleText(sixty);
    EXPECT_EQ(cleaned, "A" + std::string(48, 'a'));
}

TEST(CleanTitleText, MultiByteCharactersAreNeverSplit)
{
    std::string title;
    for (int i = 0; i < 60; ++i)
        title += "\xC3\xA9"; // é
    const std::string cleaned = CleanTitleText(title);
    EXPECT_EQ(cleaned.size(), 100u); // 50 characters of 2 bytes
}

// --- extensions and paths ---------------------------------------------------------------------

TEST(Extensions, ExtensionIsLowerCasedWithoutDot)
{
    EXPECT_EQ(GetExtensionNoDot("/v/Clip.MPG"), "mpg");
    EXPECT_EQ(GetExtensionNoDot("/v/Clip"), "");
    TStringList ext;
    ext.Add("mkv");
    EXPECT_TRUE(IsVideoExtension("/v/a.MKV", ext));
    EXPECT_FALSE(IsVideoExtension("/v/a.txt", ext));
    TStringList none;
    EXPECT_FALSE(IsImageExtension("/v/a.iso", none));
}

TEST(Paths, StripVideoTsRemovesOnlyTheLastComponentAndKeepsCase)
{
    EXPECT_EQ(StripVideoTs("/media/Film/VIDEO_TS"), "/media/Film");
    EXPECT_EQ(StripVideoTs("/media/Film/video_ts/"), "/media/Film");
    EXPECT_EQ(StripVideoTs("/media/Film/Extras"), "/media/Film/Extras");
    EXPECT_EQ(StripVideoTs("/VIDEO_TS"), "/");
}

TEST(Paths, JoinUsesExactlyOneSlash)
{
    EXPECT_EQ(JoinPath("/a/", "/b"), "/a/b");
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("", "b"), "b");
}

TEST(Lists, NotInListIsCaseSensitive)
{
    TStringList list;
    list.Add("Zune 30");
    EXPECT_FALSE(NotInList("Zune 30", list));
    EXPECT_TRUE(NotInList("zune 30", list));
}

// --- numbers and times --------------------------------------------------------------------------

TEST(FormatHms, RoundsHalfToEvenAndShowsHoursWithoutLeadingZero)
{
    EXPECT_EQ(FormatHms(3725.4), "1:02:05");
    EXPECT_EQ(FormatHms(59.5), "0:01:00");
    EXPECT_EQ(FormatHms(0.5), "0:00:00");
    EXPECT_EQ(FormatHms(36000), "10:00:00");
}

TEST(FormatSizeMB, KilobitsTimesSecondsAsMegabytes)
{
    EXPECT_EQ(FormatSizeMB(500, 128, 3600), "282.60 MB");
    EXPECT_EQ(FormatSizeMB(0, 0, 0), "0.00 MB");
    // A clip of less than half a second still makes a file.
    EXPECT_EQ(FormatSizeMB(1000, 128, 0.4), "0.06 MB");
}

TEST(ParseFloatDot, CommaCountsAsPointAndBadTextGivesZero)
{
    EXPECT_DOUBLE_EQ(ParseFloatDot("25,000"), 25.0);
    EXPECT_DOUBLE_EQ(ParseFloatDot("23.976"), 23.976);
    EXPECT_DOUBLE_EQ(ParseFloatDot("123456789012"), 0.0); // 12 characters
    EXPECT_DOUBLE_EQ(ParseFloatDot("12345678901"), 12345678901.0);
    EXPECT_DOUBLE_EQ(ParseFloatDot(""), 0.0);
    EXPECT_DOUBLE_EQ(ParseFloatDot("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseFloatDot("nan"), 0.0);
    EXPECT_TRUE(IsFloat("1.5"));
    EXPECT_FALSE(IsFloat("1,5"));
}

// --- unique and safe names ------------------------------------------------------------------------

TEST(MakeUniqueFileName, FirstFreeCounter)
{
    TempFolder dir;
    EXPECT_EQ(MakeUniqueFileName(dir.Path.string() + "/", "Film", ".mp4"), "Film(1)");
    dir.Write("Film(1).mp4");
    EXPECT_EQ(MakeUniqueFileName(dir.Path.string() + "/", "Film", ".mp4"), "Film(2)");
}

TEST(MakeUniqueFileName, KeepsCountingPastNinetyNine)
{
    TempFolder dir;
    for (int n = 1; n <= 98; ++n)
        dir.Write("Film(" + std::to_string(n) + ").mp4");
    EXPECT_EQ(MakeUniqueFileName(dir.Path.string() + "/", "Film", ".mp4"), "Film(99)");
    dir.Write("Film(99).mp4");
    EXPECT_EQ(MakeUniqueFileName(dir.Path.string() + "/", "Film", ".mp4"), "Film(100)");
}

TEST(SafeOutputName, SlashesNulAndLeadingDashOrDotAreRemoved)
{
    EXPECT_EQ(SafeOutputName("../../etc/x"), "etcx");
    EXPECT_EQ(SafeOutputName("-o evil"), "o evil");
    EXPECT_EQ(SafeOutputName(std::string("a\0b", 3)), "ab");
    EXPECT_EQ(SafeOutputName("say \"hi\""), "say \"hi\"");
    EXPECT_EQ(SafeOutputName("..."), "");
}

// --- files and folders --------------------------------------------------------------------------

TEST(FindFiles, OwnFilesFirstThenSubfoldersDepthFirstWithCaseInsensitiveMask)
{
    TempFolder dir;
    dir.Write("VIDEO_TS.IFO");
    dir.Write("b/VTS_01_0.ifo");
    dir.Write("a/c/x.IFO");
    dir.Write("a/readme.txt");
    TStringList found;
    found.Add("stale");
    FindFiles(dir.Path.string(), "*.ifo", found);
    ASSERT_EQ(found.Count(), 3);
    EXPECT_EQ(found[0], dir / "VIDEO_TS.IFO");
    EXPECT_EQ(found[1], dir / "a/c/x.IFO");
    EXPECT_EQ(found[2], dir / "b/VTS_01_0.ifo");
}

TEST(FileSizes, LargeAndNonEmptyFilesAreRegularFilesAboveTheirLimits)
{
    TempFolder dir;
    fs::path big = dir.Path / "Big Film.mpg";
    std::ofstream(big).close();
    fs::resize_file(big, 900LL * 1024000 + 1024000); // sparse: costs no disk
    fs::path small = dir.Path / "small.mpg";
    std::ofstream(small) << "tiny";
    EXPECT_TRUE(IsLargeFile(big.string()));
    EXPECT_TRUE(IsNonEmptyFile(big.string()));
    EXPECT_FALSE(IsLargeFile(small.string()));
    EXPECT_FALSE(IsNonEmptyFile(small.string()));
    EXPECT_FALSE(IsNonEmptyFile(dir.Path.string()));
    // The limits are exclusive and count fractions: one byte above 1,024,000 is enough.
    fs::path edge = dir.Path / "edge.avi";
    std::ofstream(edge).close();
    fs::resize_file(edge, 1024000);
    EXPECT_FALSE(IsNonEmptyFile(edge.string()));
    fs::resize_file(edge, 1024001);
    EXPECT_TRUE(IsNonEmptyFile(edge.string()));
    fs::resize_file(edge, 900LL * 1024000 + 1);
    EXPECT_TRUE(IsLargeFile(edge.string()));
    // A large file without a volume label is named after the file less its last 4 characters.
    EXPECT_EQ(GetVolumeTitle("\"" + big.string() + "\""), "Big Film");
    EXPECT_EQ(GetVolumeTitle(small.string()), "Small Mpg");
}

TEST(Shortcuts, OnlyLnkFilesAreResolved)
{
    EXPECT_EQ(ResolveShortcut("/x/a.url"), "NOT a shortuct by extension!");
    EXPECT_EQ(ResolveShortcut("/x/a.LNK"), "");
}

TEST(ShellFolders, FoldersFollowHome)
{
    TempHome home;
    EXPECT_EQ(GetMyDocumentsFolder(), home / "Documents/");
    EXPECT_EQ(GetAppDataFolder(), home / ".local/share/");
    unsetenv("HOME");
    EXPECT_THROW(GetMyDocumentsFolder(), Exception);
}

TEST(Drives, PlainFolderIsNoDvdSourceAndNoDriveRoot)
{
    TempFolder dir;
    dir.Write("VIDEO_TS/VIDEO_TS.IFO");
    EXPECT_FALSE(IsDvdSource(dir.Path.string()));
    EXPECT_FALSE(IsDriveRoot(dir.Path.string()));
    EXPECT_TRUE(IsDriveReady(dir.Path.string()));
    EXPECT_FALSE(IsDriveReady(dir / "missing"));
}

} // namespace

#include <fcntl.h>
#include <unistd.h>

#include "app/om_tables.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

TEST(ScanState, FileOpenForWritingIsInUse)
{
    TempFolder dir;
    dir.Write("clip.avi");
    const std::string path = dir / "clip.avi";
    EXPECT_FALSE(IsFileInUse(path));
    EXPECT_FALSE(IsFileInUse(dir / "missing.avi"));
    const int reader = open(path.c_str(), O_RDONLY);
    EXPECT_FALSE(IsFileInUse(path));
    const int writer = open(path.c_str(), O_WRONLY);
    EXPECT_TRUE(IsFileInUse(path));
    close(writer);
    close(reader);
    EXPECT_FALSE(IsFileInUse(path));
}

TEST(ScanState, FilesInUse_OneLookAnswersEachFile_ALinkToAWrittenFileIsInUseToo)
{
    TempFolder dir;
    dir.Write("written.avi");
    dir.Write("read.avi");
    fs::create_hard_link(dir / "written.avi", dir / "link.avi");
    const int writer = open((dir / "written.avi").c_str(), O_WRONLY);
    const int reader = open((dir / "read.avi").c_str(), O_RDONLY);
    const std::vector<bool> inUse =
        FilesInUse({dir / "read.avi", dir / "written.avi", dir / "missing.avi", dir / "link.avi", dir.Path.string()});
    EXPECT_EQ(inUse, (std::vector<bool>{false, true, false, true, false}));
    close(reader);
    close(writer);
    EXPECT_EQ(FilesInUse({dir / "written.avi"}), std::vector<bool>{false});
}

TEST(ScanState, FileIsScannedOncePerExactPath)
{
    TskSkinStringGrid table(nullptr);
    table.SetCells(SourceRecord::SourcePath, 0, "/v/Clip.avi");
    EXPECT_FALSE(NotYetScanned("/v/Clip.avi", "vid", table));
    EXPECT_TRUE(NotYetScanned("/v/clip.avi", "vid", table)); // another file on this system
    EXPECT_TRUE(NotYetScanned("/v/Clip.avi", "iso", table));
}

} // namespace
