// A DVD title converted with the real tools ends at the title's end (or at the end of the chapters or
// seconds asked for), whatever the disc's navigation does when the title is over: on a disc whose
// titles lead into each other for ever, and on one whose titles simply stop. Each output is judged by
// ffprobe against the length the title has on the disc.
#include "app/om_convert.h"

#include "om_convertTesting.h"
#include "om_probeTesting.h"

#include "app/om_runcontrol.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TTimer.h"

#include <algorithm>

using namespace omtest;

namespace {

// Made once per test program: two discs of the same two titles (6 s in three chapters, and 4 s),
// one whose titles jump to each other at their ends, one without any such command.
struct Discs {
    TempFolder Dir;
    std::string Chained;
    std::string Plain;
    bool Ok = false;
    Discs()
    {
        Chained = Dir / "Chained Disc";
        Plain = Dir / "Plain Disc";
        fs::create_directories(Dir / "a");
        fs::create_directories(Dir / "b");
        Ok = MakeDvdFolder(Plain, Dir / "b", {{6, "0,0:02,0:04", "", 400}, {4, "0", "", 400}}) &&
             MakeDvdFolder(Chained, Dir / "a", {{6, "0,0:02,0:04", "jump title 2;", 400}, {4, "0", "jump title 1;", 400}});
    }
};

Discs& TheDiscs()
{
    static Discs discs;
    return discs;
}

// Where the player says the chapters of a title start, in seconds.
std::vector<double> ChapterStarts(const std::string& Disc, int Title)
{
    const std::string report = Capture("mplayer -really-quiet -identify -frames 0 -vo null -ao null -dvd-device " +
                                       ShellQuote(Disc) + " dvd://" + std::to_string(Title) + " 2>/dev/null");
    std::vector<double> starts;
    const std::size_t at = report.find("CHAPTERS:");
    if (at == std::string::npos)
        return starts;
    const std::string line = report.substr(at + 9, report.find('\n', at) - at - 9);
    int h = 0, m = 0;
    double s = 0;
    for (std::size_t p = 0; p < line.size();) {
        if (std::sscanf(line.c_str() + p, " %d:%d:%lf", &h, &m, &s) == 3)
            starts.push_back(h * 3600 + m * 60 + s);
        const std::size_t comma = line.find(',', p);
        if (comma == std::string::npos)
            break;
        p = comma + 1;
    }
    return starts;
}

struct DvdTitleEnd : ConvertFixture {
    void SetUp() override
    {
        ConvertFixture::SetUp();
        if (!TheDiscs().Ok)
            GTEST_SKIP() << "ffmpeg or dvdauthor could not make the test discs";
        // The titles are only seconds long: short titles count as titles here.
        Form->RunState.MinTitleLength = 3;
    }

    // The disc dropped on the window and scanned by the real player: one row per title.
    void Scan(const std::string& Disc)
    {
        Form->DropFiles({Disc});
        Form->ScanTimerTimer(Form->ScanTimer);
        ASSERT_EQ(AddedRows.size(), 2u) << Form->status->ProgressText();
    }

    // Only row Row is converted.
    void Convert(const std::string& Device, int Row)
    {
        for (int r : AddedRows)
            Form->StringGrid1->SetCells(SourceRecord::Selected, r, r == Row ? "YES" : "NO");
        Choose(Device);
        ConvertWithin(90000);
        EXPECT_EQ(Form->RunState.AbortRequested, 0) << "the conversion did not end by itself: " << Commands.back();
    }

    double TitleLength(int Row) const { return ParseFloatDot(Cell(SourceRecord::Length, Row)); }

    // The output covers Seconds of the title: duration, frame count and sound, and decodes cleanly.
    // A range that starts inside the title starts at the nearest picture group, and the encoder pads
    // its start to the sound that comes a little before the first picture: a few frames either way.
    void ExpectCovers(const std::string& Path, double Seconds)
    {
        ASSERT_TRUE(fs::exists(Path)) << Form->status->ProgressText() << "\n" << Commands.back();
        const double tolerance = std::max(Seconds * 0.03, 0.25);
        EXPECT_NEAR(ProbeSeconds(Path), Seconds, tolerance) << Commands.back();
        const std::string rate = ProbeEntries(Path, "-select_streams v:0", "stream=avg_frame_rate");
        int num = 0, den = 0;
        ASSERT_EQ(std::sscanf(rate.c_str(), "%d/%d", &num, &den), 2) << rate;
        ASSERT_GT(den, 0);
        EXPECT_NEAR(ProbeFrames(Path) * static_cast<double>(den) / num, Seconds, tolerance);
        EXPECT_TRUE(HasAudioStream(Path));
        EXPECT_EQ(DecodeErrors(Path), "");
    }
};

struct DiscAndDevice {
    bool ChainedDisc;
    const char* Device;
    const char* Ext;
};

void PrintTo(const DiscAndDevice& Case, std::ostream* Out)
{
    *Out << (Case.ChainedDisc ? "chained disc, " : "plain disc, ") << Case.Device;
}

struct WholeTitle : DvdTitleEnd, ::testing::WithParamInterface<DiscAndDevice> {};

} // namespace

TEST_P(WholeTitle, EndsAtTheTitlesEnd)
{
    const DiscAndDevice c = GetParam();
    const std::string disc = c.ChainedDisc ? TheDiscs().Chained : TheDiscs().Plain;
    Scan(disc);
    // The first title, whose end leads into the second on the chained disc.
    const int row = AddedRows[0];
    Convert(c.Device, row);
    EXPECT_EQ(Cell(SourceRecord::Selected, row), "Done") << Form->status->ProgressText();
    ExpectCovers(Dest + Cell(SourceRecord::Title, row) + "." + c.Ext, TitleLength(row));
}

INSTANTIATE_TEST_SUITE_P(Discs, WholeTitle,
                         ::testing::Values(DiscAndDevice{true, "Windows Mobile", "avi"},
                                           DiscAndDevice{true, "iPod Classic/Nano/Video", "mp4"},
                                           DiscAndDevice{false, "Windows Mobile", "avi"}),
                         [](const ::testing::TestParamInfo<DiscAndDevice>& Info) {
                             return std::string(Info.param.ChainedDisc ? "Chained" : "Plain") +
                                    (std::string(Info.param.Ext) == "avi" ? "OneStep" : "TwoSteps");
                         });

// The last chapter alone starts where the disc holds sound ahead of the chapter's first picture: the
// one-step and the two-step profiles both end with a file the judge passed, its sound in step.
struct LastChapterAlone : DvdTitleEnd, ::testing::WithParamInterface<DiscAndDevice> {};

TEST_P(LastChapterAlone, IsDoneAndCoversOnlyThatChapter)
{
    const DiscAndDevice c = GetParam();
    Scan(TheDiscs().Chained);
    const int row = AddedRows[0];
    ASSERT_EQ(Cell(SourceRecord::Chapters, row), "3");
    // The last third of the title: far less than half of it, and still a whole, good part.
    Form->StringGrid1->SetCells(SourceRecord::ChapterRangeOn, row, "YES");
    Form->StringGrid1->SetCells(SourceRecord::FirstChapter, row, "3");
    Form->StringGrid1->SetCells(SourceRecord::LastChapter, row, "3");
    Convert(c.Device, row);
    EXPECT_EQ(Cell(SourceRecord::Selected, row), "Done") << Form->status->ProgressText();
    const std::vector<double> starts = ChapterStarts(TheDiscs().Chained, 1);
    ASSERT_EQ(starts.size(), 3u);
    ExpectCovers(Dest + Cell(SourceRecord::Title, row) + "." + c.Ext, TitleLength(row) - starts[2]);
}

INSTANTIATE_TEST_SUITE_P(Profiles, LastChapterAlone,
                         ::testing::Values(DiscAndDevice{true, "Windows Mobile", "avi"},
                                           DiscAndDevice{true, "iPod Classic/Nano/Video", "mp4"}),
                         [](const ::testing::TestParamInfo<DiscAndDevice>& Info) {
                             return std::string(Info.param.Ext) == "avi" ? "OneStep" : "TwoSteps";
                         });

// A chapter inside the title ends where the next one starts: the encoder alone stops it short, at
// the place on the disc where that chapter's pictures end and not at its last picture.
TEST_P(LastChapterAlone, AnInnerChapterCoversThatChapterWhole)
{
    const DiscAndDevice c = GetParam();
    Scan(TheDiscs().Chained);
    const int row = AddedRows[0];
    Form->StringGrid1->SetCells(SourceRecord::ChapterRangeOn, row, "YES");
    Form->StringGrid1->SetCells(SourceRecord::FirstChapter, row, "2");
    Form->StringGrid1->SetCells(SourceRecord::LastChapter, row, "2");
    Convert(c.Device, row);
    EXPECT_EQ(Cell(SourceRecord::Selected, row), "Done") << Form->status->ProgressText();
    const std::vector<double> starts = ChapterStarts(TheDiscs().Chained, 1);
    ASSERT_EQ(starts.size(), 3u);
    ExpectCovers(Dest + Cell(SourceRecord::Title, row) + "." + c.Ext, starts[2] - starts[1]);
}

TEST_F(DvdTitleEnd, TimeRangeOfTheSecondTitle_EndsWithTheRange)
{
    Scan(TheDiscs().Chained);
    const int row = AddedRows[1];
    Form->StringGrid1->SetCells(SourceRecord::StartSeconds, row, "1");
    Form->StringGrid1->SetCells(SourceRecord::EndSeconds, row, "3");
    Convert("Windows Mobile", row);
    EXPECT_EQ(Cell(SourceRecord::Selected, row), "Done") << Form->status->ProgressText();
    ExpectCovers(Dest + Cell(SourceRecord::Title, row) + ".avi", 2.0);
}
