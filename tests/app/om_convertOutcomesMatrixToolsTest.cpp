// What a user is told when a queue does not simply succeed: a job the plan refuses, a source gone
// before its turn, a skip of the last job, and names dropped on the window that bring no source.
// Every file is judged with ffprobe; the status line is what the user reads of the rest.
#include "app/om_convert.h"

#include "om_convertTesting.h"
#include "om_probeTesting.h"
#include "om_testing.h"

#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "platform/vcl/TTimer.h"

using namespace omtest;

namespace {

struct RecordingLauncher : ILauncher {
    std::vector<std::string> Opened;
    void OpenFolder(const std::string& Folder) override { Opened.push_back(Folder); }
};

struct Outcomes : ConvertFixture {
    RecordingLauncher Shown;

    void SetUp() override
    {
        ConvertFixture::SetUp();
        Options.Launcher = &Shown;
    }
    // A short clip made by ffmpeg, dropped on the window and identified.
    std::string AddClip(const std::string& Name, int Seconds = 2)
    {
        const std::string path = Dir / (Name + ".avi");
        EXPECT_TRUE(RunQuiet("ffmpeg -nostdin -y -f lavfi -i testsrc2=size=320x240:rate=25,noise=alls=40:allf=t -f lavfi -i sine -t " +
                             std::to_string(Seconds) + " -c:v mpeg4 -b:v 6M -c:a libmp3lame " + ShellQuote(path)));
        Form->DropFiles({path});
        Form->ScanTimerTimer(Form->ScanTimer);
        return path;
    }
    std::string DropAndScan(const std::string& Path)
    {
        Form->DropFiles({Path});
        Form->ScanTimerTimer(Form->ScanTimer);
        return Form->status->ProgressText();
    }
};

TEST_F(Outcomes, RefusedJob_IsAFailureInItsRowAndInTheCount)
{
    AddClip("Refused");
    AddClip("Fine");
    ASSERT_EQ(Cell(SourceRecord::Title, 1), "Fine");
    // A chapter range that holds no chapter: the plan makes nothing of it.
    for (const auto& [col, text] : {std::pair{SourceRecord::ChapterRangeOn, "YES"}, {SourceRecord::FirstChapter, "3"},
                                    {SourceRecord::LastChapter, "2"}})
        Form->StringGrid1->SetCells(col, 0, text);
    Choose("Windows Mobile");
    ConvertQueue(*Form, Options);

    EXPECT_EQ(Probe(Dest + "Fine.avi"), "format=avi|v=mpeg4,320,240|a=mp3") << AllCommands();
    EXPECT_FALSE(fs::exists(Dest + "Refused.avi"));
    EXPECT_EQ(Cell(SourceRecord::Selected, 0), "No");
    EXPECT_EQ(Cell(SourceRecord::Selected, 1), "Done");
    EXPECT_EQ(Form->status->ProgressText(), "Failed: Refused.avi (no chapters to convert)");
}

TEST_F(Outcomes, SourceGoneBeforeItsTurn_SaysSo_AndShowsNoFolderWithNothingNew)
{
    const std::string clip = AddClip("Gone");
    fs::remove(clip);
    Choose("iPhone / iPod Touch");
    fs::remove_all(Dest);
    ConvertQueue(*Form, Options);
    EXPECT_EQ(Form->status->ProgressText(), "Failed: Gone.mp4 (the source file is gone)");
    EXPECT_EQ(Cell(SourceRecord::Selected, 0), "No");
    EXPECT_TRUE(Shown.Opened.empty());
}

TEST_F(Outcomes, SkipOfTheLastJob_SaysItWasSkipped)
{
    AddClip("Last", 20);
    Choose("iPhone / iPod Touch");
    TTimer button(nullptr);
    button.SetInterval(100);
    bool skipped = false;
    button.OnTimer = [&](TObject*) {
        if (!skipped && Form->RunControl().RunningKind() == TToolKind::Encode) {
            skipped = true;
            Form->RunControl().Skip();
        }
    };
    button.SetEnabled(true);
    ConvertQueue(*Form, Options);
    ASSERT_TRUE(skipped);
    EXPECT_EQ(Form->status->ProgressText(), "Skipped: Last.mp4");
    EXPECT_FALSE(fs::exists(Dest + "Last.mp4"));
}

TEST_F(Outcomes, NamesThatBringNoSource_SayWhatWasSkippedAndWhy)
{
    const std::string ogv = Dir / "clip.ogv";
    const std::string mp3 = Dir / "song.mp3";
    ASSERT_TRUE(RunQuiet("ffmpeg -nostdin -y -f lavfi -i testsrc2=size=160x120 -t 1 -c:v libtheora " + ShellQuote(ogv)));
    ASSERT_TRUE(RunQuiet("ffmpeg -nostdin -y -f lavfi -i sine -t 1 " + ShellQuote(mp3)));
    const std::string dvd = Dir / "SHORT";
    TempFolder scratch;
    ASSERT_TRUE(MakeDvdFolder(dvd, scratch.Path.string(), {{4}}));

    const struct {
        std::string Path;
        std::string Said;
    } cases[] = {
        {ogv, "Skipped clip.ogv (not a video type this program converts)"},
        {mp3, "Skipped song.mp3 (not a video type this program converts)"},
        {Dir / "vanished.mp4", "Skipped vanished.mp4 (not found)"},
        {dvd, "Skipped Short (no title longer than 800 s)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DropAndScan(c.Path), c.Said);
    EXPECT_EQ(Form->StringGrid1->Cells(SourceRecord::RowId, 0), "");
}

} // namespace
