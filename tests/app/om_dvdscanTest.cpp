#include "app/om_dvdscan.h"

#include "om_testing.h"

#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"

using namespace omtest;

namespace {

struct DvdTitles : FormTest {
    void Log(const std::vector<std::string>& Lines)
    {
        for (const std::string& line : Lines)
            Form->dvdlog->Add(line);
    }
    // A disc of Count titles whose lengths are given; the current title has video data.
    void Disc(const std::vector<int>& Lengths, int Current)
    {
        Log({" ID_DVD_TITLES=" + std::to_string(Lengths.size())});
        for (std::size_t i = 0; i < Lengths.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            Log({" ID_DVD_TITLE_" + n + "_CHAPTERS=4", " ID_DVD_TITLE_" + n + "_ANGLES=1",
                 " ID_DVD_TITLE_" + n + "_LENGTH=" + std::to_string(Lengths[i]) + ".000"});
        }
        Log({" ID_DVD_CURRENT_TITLE=" + std::to_string(Current), " audio stream: 0 format: ac3 (5.1) language: en aid: 128.",
             " ID_VIDEO_FORMAT=0x10000002", " ID_VIDEO_WIDTH=720", " ID_VIDEO_HEIGHT=576", " ID_VIDEO_ASPECT=1.7778"});
    }
    int Records() const
    {
        int n = 0;
        for (int r = 0; r < Form->StringGrid1->RowCount(); ++r)
            n += !Cell(SourceRecord::RowId, r).empty();
        return n;
    }
};

TEST_F(DvdTitles, RecordedFolderReport_ImportsTheCurrentTitle)
{
    Form->RunState.ScanKind = "dvd";
    Form->RunState.ScanRow = AppendRow(*Form->StringGrid1);
    FeedLines(ReadFixture("dvd-folder.txt"));
    Form->RunState.MinTitleLength = 5;
    Form->ParseDvdTitles("Holiday", "/discs/HOLIDAY/", "Holiday");
    ASSERT_EQ(AddedRows, std::vector<int>{0});
    EXPECT_EQ(Cell(SourceRecord::RowId), "00000");
    EXPECT_EQ(Cell(SourceRecord::Kind), "DVD");
    EXPECT_EQ(Cell(SourceRecord::Title), "Holiday_1");
    EXPECT_EQ(Cell(SourceRecord::Length), "6.000");
    EXPECT_EQ(Cell(SourceRecord::Chapters), "2");
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "720");
    EXPECT_EQ(Cell(SourceRecord::DisplayWidth), "1024");
    EXPECT_EQ(Cell(SourceRecord::DvdAspect), "1.7778");
    EXPECT_EQ(Cell(SourceRecord::TitleNumber), "1");
    EXPECT_EQ(Cell(SourceRecord::AudioStreams), "audio stream: 0 format: ac3 (mono) language: unknown aid: 128.");
    EXPECT_EQ(Cell(SourceRecord::SourcePath), "/discs/HOLIDAY");
}

TEST_F(DvdTitles, TwelveTitlesTwoLong_GiveTwoRecordsNamedByLabelAndNumber)
{
    Disc({60, 1200, 30, 30, 30, 30, 30, 2400, 30, 30, 30, 30}, 2);
    std::vector<std::string> commands;
    System.OnRunTool = [&](const std::string& Command) {
        commands.push_back(Command);
        FeedLines("audio stream: 0 format: ac3 (stereo) language: fr aid: 128.\n"
                  "VIDEO:  MPEG2  720x576  (aspect 3)  25.000 fps  9800.0 kbps (1225.0 kbyte/s)\n"
                  "VO: [null] 720x576 => 1024x576 Planar YV12\n"
                  "A:  90.1 V:  90.1 A-V:  0.000\r");
    };
    Form->ParseDvdTitles("Film", "/d/film", "Film");
    ASSERT_EQ(AddedRows.size(), 2u);
    EXPECT_EQ(Cell(SourceRecord::Title, AddedRows[0]), "Film_2");
    EXPECT_EQ(Cell(SourceRecord::Title, AddedRows[1]), "Film_8");
    // Title 8 was looked at again, 90 s in, and its streams are listed once.
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands[0], "\"mplayer\" -ss 90 -af volume=-200 -vo null -dvd-device \"/d/film\" dvdnav://8");
    EXPECT_EQ(Cell(SourceRecord::VideoFormat, AddedRows[1]), "MPEG2");
    EXPECT_EQ(Cell(SourceRecord::FrameRate, AddedRows[1]), "25.000");
    EXPECT_EQ(Cell(SourceRecord::AudioStreams, AddedRows[1]), "audio stream: 0 format: ac3 (stereo) language: fr aid: 128.");
    EXPECT_EQ(Form->status->ProgressText(), "Scanning Film, track 8");
}

TEST_F(DvdTitles, TitleOfExactlyTheMinimumLength_IsNotImported)
{
    Disc({800}, 1);
    Form->ParseDvdTitles("Film", "/d/film", "Film");
    EXPECT_EQ(Records(), 0);
    EXPECT_TRUE(AddedRows.empty());
    Form->dvdlog->Clear();
    Disc({801}, 1);
    Form->ParseDvdTitles("Film", "/d/film", "Film");
    EXPECT_EQ(Records(), 1);
}

TEST_F(DvdTitles, EveryTitleGetsTheSameLocationWithoutTrailingSlash)
{
    Disc({900, 30, 30}, 1);
    Form->ParseDvdTitles("Film", "/d/my film/", "Film");
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Form->dvdgrid->Cells(SourceRecord::SourcePath, r), "/d/my film");
    EXPECT_EQ(Form->dvdgrid->Cells(SourceRecord::SourceArg, 2), "-dvd-device \"/d/my film\" dvdnav://3");
    EXPECT_EQ(Cell(SourceRecord::SourcePath), "/d/my film");
}

TEST_F(DvdTitles, StarMarkedLabel_StartsTheChapterRangeAtTwo)
{
    Disc({900}, 1);
    Form->ParseDvdTitles("Fi*lm", "/d/film", "Film");
    EXPECT_EQ(Cell(SourceRecord::Title), "Film_1");
    EXPECT_EQ(Cell(SourceRecord::ChapterRangeOn), "YES");
    EXPECT_EQ(Cell(SourceRecord::FirstChapter), "2");
    EXPECT_EQ(Cell(SourceRecord::LastChapter), "4");
}

TEST_F(DvdTitles, CurrentTitleOutsideTheDisc_ImportsNothing)
{
    Disc({900, 900}, 5);
    EXPECT_NO_THROW(Form->ParseDvdTitles("Film", "/d/film", "Film"));
    EXPECT_EQ(Records(), 0);
}

TEST_F(DvdTitles, TitleCountThatIsNoNumber_CountsAsNone)
{
    Form->dvdlog->Add(" ID_DVD_TITLES=many");
    Form->dvdlog->Add(" ID_DVD_CURRENT_TITLE=1");
    EXPECT_NO_THROW(Form->ParseDvdTitles("Film", "/d/film", "Film"));
    EXPECT_EQ(Records(), 0);
}

TEST(DvdSourceArg, FolderInQuotesThenTitle)
{
    EXPECT_EQ(DvdSourceArg("/d/film", 3), "-dvd-device \"/d/film\" dvdnav://3");
    EXPECT_EQ(DvdSourceArg("/d/a\"b", 1), "-dvd-device \"/d/a\\\"b\" dvdnav://1");
}

TEST(NormaliseLocation, TrailingSlashesGoExceptForTheRoot)
{
    EXPECT_EQ(NormaliseLocation("/d/film/"), "/d/film");
    EXPECT_EQ(NormaliseLocation("/d/film//"), "/d/film");
    EXPECT_EQ(NormaliseLocation("/"), "/");
}

} // namespace
