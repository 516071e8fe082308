#include "app/om_scan.h"

#include "om_testing.h"

#include "app/om_tables.h"

#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TTimer.h"

#include "platform/sys/ShellLinkTesting.h"

#include <sys/stat.h>

using namespace omtest;

namespace {

// The scan chain with the player replaced by recorded reports: every command line of the player is
// noted and answered with the clip's or the DVD folder's report (the probing tool's looks at a file's
// streams and turn are answered with nothing).
struct ScanChain : FormTest {
    TempFolder Dir;
    std::vector<std::string> Commands;

    void SetUp() override
    {
        FormTest::SetUp();
        System.OnRunTool = [this](const std::string& Command) {
            if (SplitCommandLine(Command).front() == "ffprobe")
                return;
            Commands.push_back(Command);
            FeedLines(ReadFixture(Contains(Command, "-dvd-device") ? "dvd-folder.txt" : "avi-clip.txt"));
        };
    }
    // A file big enough to be identified (sparse, so it costs no disc space).
    std::string Video(const std::string& Name)
    {
        const std::string path = Dir.Write(Name);
        fs::resize_file(path, 3'000'000);
        return path;
    }
    // The source each identify run was given.
    std::vector<std::string> Sources() const
    {
        std::vector<std::string> sources;
        for (const std::string& c : Commands) {
            const auto argv = SplitCommandLine(c);
            sources.push_back(argv.back() == "dvd://" ? argv[argv.size() - 2] : argv.back());
        }
        return sources;
    }
    void Tick() { Form->ScanTimerTimer(Form->ScanTimer); }
    static bool Contains(const std::string& S, const std::string& Sub) { return S.find(Sub) != std::string::npos; }
};

TEST_F(ScanChain, NamesAreWorkedInSortedOrderNotDropOrder)
{
    const std::string b = Video("b.avi"), a = Video("A.avi"), c = Video("c.avi");
    Form->DropFiles({b, c, a});
    Tick();
    EXPECT_EQ(Sources(), (std::vector<std::string>{a, b, c}));
    EXPECT_EQ(Form->ListBox1->Count(), 0);
    EXPECT_EQ(Form->RunState.Scanning, 0);
    EXPECT_FALSE(Form->ScanTimer->Enabled());
}

TEST_F(ScanChain, IdentifiedFile_BecomesACompleteRecord)
{
    const std::string clip = Video("My \"Best\" Clip.avi");
    Form->DropFiles({clip});
    Tick();
    ASSERT_EQ(AddedRows, std::vector<int>{0});
    EXPECT_EQ(Cell(SourceRecord::RowId), "00000");
    EXPECT_EQ(Cell(SourceRecord::Kind), "VIDEO");
    EXPECT_EQ(Cell(SourceRecord::Title), "My \"Best\" Clip");
    EXPECT_EQ(Cell(SourceRecord::FileName), "My \"Best\" Clip.avi");
    EXPECT_EQ(Cell(SourceRecord::SourcePath), clip);
    EXPECT_EQ(SplitCommandLine(Cell(SourceRecord::SourceArg)), std::vector<std::string>{clip});
    EXPECT_EQ(Cell(SourceRecord::Selected), "YES");
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "320");
    EXPECT_EQ(Cell(SourceRecord::AudioChoice), "1 ????");
}

TEST_F(ScanChain, FolderWalk_FindsVideoByExtensionAndSkipsSmallAndOtherFiles)
{
    Video("in/clip.flv");
    Video("in/clip.3gpp");
    Video("in/sub/recording");
    Dir.Write("in/small.avi", 1000);
    Video("in/notes.txt");
    Form->DropFiles({Dir / "in"});
    Tick();
    EXPECT_EQ(Sources(), (std::vector<std::string>{Dir / "in/clip.3gpp", Dir / "in/clip.flv", Dir / "in/sub/recording"}));
}

TEST_F(ScanChain, Shortcuts_StandForTheirTarget_ADamagedOneForNothing)
{
    Video("films/clip.avi");
    shelllinktest::LinkFile link;
    link.Base = Dir / "films";
    link.Suffix = "";
    std::ofstream(Dir / "Films.lnk", std::ios::binary) << link.Bytes();
    std::ofstream(Dir / "Broken.LNK", std::ios::binary) << link.Bytes().substr(0, 100);
    Form->DropFiles({Dir / "Films.lnk", Dir / "Broken.LNK"});
    Tick();
    EXPECT_EQ(Sources(), std::vector<std::string>{Dir / "films/clip.avi"});
    EXPECT_EQ(Form->RunState.Scanning, 0);
}

TEST_F(ScanChain, ADropOfSeveralNames_SaysEveryOneSkippedAndWhy)
{
    const std::string clip = Video("clip.avi");
    Dir.Write("notes.txt");
    Dir.Write("letter.doc");
    Dir.Write("short.avi", 1000);
    // Pipes named like a shortcut and like videos, dropped or met in a folder, are never read.
    fs::create_directories(Dir.Path / "in");
    for (const char* pipe : {"film.lnk", "stream.avi", "in/live.mp4"})
        ASSERT_EQ(::mkfifo((Dir / pipe).c_str(), 0600), 0);
    Form->DropFiles({Dir / "notes.txt", clip, Dir / "film.lnk", Dir / "letter.doc", Dir / "gone.avi", Dir / "short.avi",
                     Dir / "stream.avi", Dir / "in"});
    Tick();
    EXPECT_EQ(Sources(), std::vector<std::string>{clip});
    EXPECT_EQ(Form->status->ProgressText(), "Skipped film.lnk, stream.avi, live.mp4 (not a regular file); gone.avi (not found); "
                                            "letter.doc, notes.txt (not a video type this program converts); short.avi (too small)");
}

TEST_F(ScanChain, VobOfADvdFolder_IsIdentifiedAsTheFolderOnce)
{
    Dir.Write("Film/VIDEO_TS/VIDEO_TS.IFO");
    const std::string vob = Video("Film/VIDEO_TS/VTS_01_1.VOB");
    Form->RunState.MinTitleLength = 5;
    Form->DropFiles({vob, Dir / "Film"});
    Tick();
    ASSERT_EQ(Sources(), std::vector<std::string>{Dir / "Film"});
    EXPECT_EQ(Cell(SourceRecord::SourcePath), Dir / "Film");
    EXPECT_EQ(Cell(SourceRecord::Title), "Film_1");
}

TEST_F(ScanChain, LoneVob_IsAVideoFile)
{
    const std::string vob = Video("clips/old.vob");
    Form->DropFiles({vob});
    Tick();
    ASSERT_EQ(Commands.size(), 1u);
    EXPECT_FALSE(Contains(Commands[0], "-dvd-device"));
    EXPECT_EQ(Cell(SourceRecord::Kind), "VIDEO");
}

TEST_F(ScanChain, SourceAlreadyInTheTable_IsNotIdentifiedAgain)
{
    const std::string clip = Video("clip.avi");
    Form->DropFiles({clip});
    Tick();
    Form->DropFiles({clip, Dir.Path.string()});
    Tick();
    EXPECT_EQ(Commands.size(), 1u);
}

TEST_F(ScanChain, DvdFolderDroppedTwice_IsScannedOnce)
{
    Dir.Write("Film/VIDEO_TS/VIDEO_TS.IFO");
    Video("Film/VIDEO_TS/VTS_01_1.VOB");
    Form->RunState.MinTitleLength = 5;
    Form->DropFiles({Dir / "Film/"});
    Tick();
    Form->DropFiles({Dir / "Film"});
    Tick();
    EXPECT_EQ(Commands.size(), 1u);
}

TEST_F(ScanChain, WhileAToolRuns_TheTickWaitsAndKeepsTheNames)
{
    Form->DropFiles({Video("clip.avi")});
    Form->RunState.ToolRunning = -1;
    Tick();
    EXPECT_EQ(Form->ListBox1->Count(), 1);
    EXPECT_TRUE(Commands.empty());
    Form->RunState.ToolRunning = 0;
    Tick();
    EXPECT_EQ(Commands.size(), 1u);
}

TEST_F(ScanChain, FileStillBeingWritten_IsSkippedAndTheStatusSaysSo)
{
    const std::string clip = Video("growing.avi");
    std::ofstream writer(clip, std::ios::app);
    Form->DropFiles({clip});
    Tick();
    EXPECT_TRUE(Commands.empty());
    EXPECT_EQ(Form->status->ProgressText(), "Skipped growing.avi (in use)");
}

TEST(IsFileReadable, ReadOnlyFileIsReadableMissingIsNot)
{
    TempFolder dir;
    const std::string file = dir.Write("ro.avi");
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_TRUE(IsFileReadable(file));
    EXPECT_FALSE(IsFileReadable(dir / "missing.avi"));
}

} // namespace
