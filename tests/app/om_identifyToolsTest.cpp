// Identification against the real player: clips made by ffmpeg and a DVD folder made by dvdauthor,
// dropped on the window and scanned as the timer would.
#include "app/om_identify.h"

#include "om_convertTesting.h"

#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TTimer.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>

using namespace omtest;

namespace {

bool Run(const std::string& Command)
{
    return std::system((Command + " >/dev/null 2>&1").c_str()) == 0;
}

// Made once per test program, each only when a test wants it: a 20-second clip, and a DVD folder of
// two titles (6 s in two chapters, and 100 s).
struct Media {
    TempFolder Dir;
    std::string Clip;
    std::string Dvd;
    bool ClipOk = false;
    bool DvdOk = false;
    bool ClipTried = false;
    bool DvdTried = false;

    bool MakeClip()
    {
        if (!ClipTried) {
            ClipTried = true;
            Clip = Dir / "Clip V: The Return.avi";
            ClipOk = Run("ffmpeg -y -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440:sample_rate=48000 "
                         "-t 20 -c:v mpeg4 -q:v 2 -g 1 -c:a mp3 -ac 2 '" + Clip + "'");
        }
        return ClipOk;
    }
    bool MakeDvd()
    {
        if (!DvdTried) {
            DvdTried = true;
            const std::string d = Dir.Path.string();
            Dvd = d + "/Holiday Disc";
            // The long title is one colour: it only has to be long, and so it is made in a few seconds.
            DvdOk = Run("ffmpeg -y -f lavfi -i testsrc=size=720x576:rate=25 -f lavfi -i sine=sample_rate=48000 -t 6 "
                        "-target pal-dvd -aspect 16:9 " + d + "/t1.mpg") &&
                    Run("ffmpeg -y -f lavfi -i color=c=navy:size=720x576:rate=25 -f lavfi -i sine=sample_rate=48000 "
                        "-t 100 -target pal-dvd -b:v 300k " + d + "/t2.mpg");
            if (DvdOk) {
                std::ofstream(d + "/dvd.xml") << "<dvdauthor dest=\"" << Dvd << "\"><vmgm/><titleset><titles>"
                                              << "<pgc><vob file=\"" << d << "/t1.mpg\" chapters=\"0,0:03\"/></pgc>"
                                              << "<pgc><vob file=\"" << d << "/t2.mpg\"/></pgc>"
                                              << "</titles></titleset></dvdauthor>";
                DvdOk = Run("VIDEO_FORMAT=PAL dvdauthor -x '" + d + "/dvd.xml'");
            }
        }
        return DvdOk;
    }
};

Media& TheMedia()
{
    static Media media;
    return media;
}

struct RealPlayer : FormTest {
    void SetUp() override
    {
        FormTest::SetUp();
        if (!TheMedia().MakeClip())
            GTEST_SKIP() << "ffmpeg could not make the test clip";
    }

    double ScanSeconds()
    {
        const auto start = std::chrono::steady_clock::now();
        Form->ScanTimerTimer(Form->ScanTimer);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
};

TEST_F(RealPlayer, DroppedClip_IsIdentifiedAndTheRunEndsAtTheFirstStatusLine)
{
    Form->DropFiles({TheMedia().Clip});
    const double seconds = ScanSeconds();
    ASSERT_EQ(AddedRows, std::vector<int>{0}) << Form->status->ProgressText() << " " << fs::file_size(TheMedia().Clip);
    EXPECT_EQ(Cell(SourceRecord::Title), "Clip V: The Return");
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "320");
    EXPECT_EQ(Cell(SourceRecord::VideoHeight), "240");
    EXPECT_EQ(Cell(SourceRecord::RoundedLength), "20");
    EXPECT_EQ(Cell(SourceRecord::FrameRate), "25.000");
    EXPECT_EQ(Cell(SourceRecord::AudioRate), "48000");
    EXPECT_EQ(Cell(SourceRecord::DisplayWidth), "320");
    EXPECT_FALSE(Cell(SourceRecord::VideoOutput).empty());
    // The player was stopped at its first status line, long before the clip's 20 seconds.
    EXPECT_LT(seconds, 10.0);
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
    EXPECT_EQ(Form->RunState.Scanning, 0);
}

TEST_F(RealPlayer, DvdFolder_BecomesOneRecordPerLongTitle)
{
    if (!TheMedia().MakeDvd())
        GTEST_SKIP() << "ffmpeg or dvdauthor could not make the test DVD folder";
    Form->RunState.MinTitleLength = 3;
    Form->DropFiles({TheMedia().Dvd + "/"});
    ScanSeconds();
    ASSERT_EQ(AddedRows.size(), 2u);
    EXPECT_EQ(Cell(SourceRecord::Title, AddedRows[0]), "Holiday Disc_1");
    EXPECT_EQ(Cell(SourceRecord::Title, AddedRows[1]), "Holiday Disc_2");
    for (int r : AddedRows) {
        EXPECT_EQ(Cell(SourceRecord::Kind, r), "DVD");
        EXPECT_EQ(Cell(SourceRecord::SourcePath, r), TheMedia().Dvd);
        EXPECT_EQ(Cell(SourceRecord::VideoWidth, r), "720");
        EXPECT_FALSE(Cell(SourceRecord::VideoFormat, r).empty());
    }
    EXPECT_EQ(Cell(SourceRecord::Chapters, AddedRows[0]), "2");
    EXPECT_EQ(Cell(SourceRecord::RoundedLength, AddedRows[1]), "100");
    // The second title's streams came from its second look, listed once.
    const std::string audio = Cell(SourceRecord::AudioStreams, AddedRows[1]);
    EXPECT_EQ(audio.find("audio stream"), audio.rfind("audio stream")) << audio;

    // The same folder dropped again is not scanned again.
    AddedRows.clear();
    Form->DropFiles({TheMedia().Dvd});
    ScanSeconds();
    EXPECT_TRUE(AddedRows.empty());
}

TEST_F(RealPlayer, NotAVideo_GetsNoRow_SaysWhy_AndNeverReachesTheEncoder)
{
    TempFolder dir;
    // Random bytes, and an MP4 cut before its index (ffmpeg writes the index last).
    const std::string junk = dir / "junk.avi";
    {
        std::mt19937 bytes(18);
        std::ofstream out(junk, std::ios::binary);
        for (int i = 0; i < 2'100'000; ++i)
            out.put(static_cast<char>(bytes() & 0xFF));
    }
    const std::string whole = dir / "whole.mp4";
    ASSERT_TRUE(::Run("ffmpeg -y -f lavfi -i testsrc=size=640x480:rate=25 -f lavfi -i sine=sample_rate=44100 -t 6 "
                    "-c:v mpeg4 -q:v 1 -g 1 -c:a aac '" + whole + "'"));
    const std::string cut = dir / "cut.mp4";
    fs::copy_file(whole, cut);
    fs::resize_file(cut, fs::file_size(whole) * 8 / 10);
    ASSERT_GT(fs::file_size(cut), 1'024'000u);

    Form->DropFiles({junk});
    ScanSeconds();
    EXPECT_TRUE(AddedRows.empty());
    EXPECT_EQ(Form->status->ProgressText(), "Skipped junk.avi (no video found)");
    Form->DropFiles({cut});
    ScanSeconds();
    EXPECT_TRUE(AddedRows.empty());
    EXPECT_EQ(Form->status->ProgressText(), "Skipped cut.mp4 (no video found)");
    EXPECT_EQ(Form->RunState.ToolRunning, 0);

    // Start: no job, no tool, no file.
    std::vector<std::string> commands;
    TConvertOptions options;
    options.Destination = dir / "out/";
    fs::create_directories(options.Destination);
    options.ShowCommand = [&](const std::string& c) { commands.push_back(c); };
    TStringList items;
    FillCodecProfiles(*Form->Tables().codecgrid, *Form->Tables().devices, items);
    ChooseDevice(*Form, options, "Windows Mobile");
    ConvertQueue(*Form, options);
    EXPECT_TRUE(commands.empty());
    EXPECT_TRUE(fs::is_empty(options.Destination));
}

TEST_F(RealPlayer, QuotedNameWithTwoLanguagesAndASideSubtitle_KeepsEveryStreamOnce)
{
    TempFolder dir;
    const std::string d = dir.Path.string();
    const std::string clip = d + "/Say \"Hi\" $HOME.mkv";
    // The 20-second clip's picture with two languages of sound.
    ASSERT_TRUE(::Run("ffmpeg -y -i '" + TheMedia().Clip + "' -f lavfi -i sine=frequency=300 -f lavfi -i sine=frequency=600 "
                    "-t 20 -map 0:v -map 1:a -map 2:a -c:v copy -c:a mp3 "
                    "-metadata:s:a:0 language=eng -metadata:s:a:1 language=fre '" + clip + "'"));
    std::ofstream(d + "/Say \"Hi\" $HOME.srt") << "1\n00:00:01,000 --> 00:00:02,000\nHello\n";
    Form->DropFiles({clip});
    ScanSeconds();
    ASSERT_EQ(AddedRows.size(), 1u) << Form->status->ProgressText();
    EXPECT_EQ(Cell(SourceRecord::Title), "Say \"Hi\" $HOME");
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "320");
    EXPECT_EQ(Cell(SourceRecord::RoundedLength), "20");
    // Each stream is listed once, with its language.
    const std::string audio = Cell(SourceRecord::AudioStreams);
    EXPECT_NE(audio.find("0_LANG=eng"), std::string::npos) << audio;
    EXPECT_EQ(audio.find("0_LANG=eng"), audio.rfind("0_LANG=eng")) << audio;
    EXPECT_NE(audio.find("1_LANG=fre"), std::string::npos) << audio;
    EXPECT_EQ(audio.find("1_LANG=fre"), audio.rfind("1_LANG=fre")) << audio;
    const std::string subtitles = Cell(SourceRecord::SubtitleStreams);
    EXPECT_EQ(subtitles.find("SRT File:"), subtitles.rfind("SRT File:")) << subtitles;
    EXPECT_NE(subtitles.find(".srt"), std::string::npos) << subtitles;
}

TEST_F(RealPlayer, FolderWithADvdAndVideoFiles_GivesEveryTitleAndFileOnce)
{
    if (!TheMedia().MakeDvd())
        GTEST_SKIP() << "ffmpeg or dvdauthor could not make the test DVD folder";
    TempFolder dir;
    const std::string mixed = dir / "Home Videos";
    fs::create_directories(mixed + "/extra");
    fs::copy(TheMedia().Dvd, mixed, fs::copy_options::recursive);
    fs::copy_file(TheMedia().Clip, mixed + "/Beach.avi");
    fs::copy_file(TheMedia().Clip, mixed + "/extra/Party.avi");
    Form->RunState.MinTitleLength = 3;
    Form->DropFiles({mixed});
    ScanSeconds();
    ASSERT_EQ(AddedRows.size(), 4u) << Form->status->ProgressText();
    std::vector<std::string> found;
    for (int r : AddedRows)
        found.push_back(Cell(SourceRecord::Kind, r) + " " + Cell(SourceRecord::Title, r) + " " +
                        Cell(SourceRecord::SourcePath, r));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"DVD Home Videos_1 " + mixed, "DVD Home Videos_2 " + mixed,
                                               "VIDEO Beach " + mixed + "/Beach.avi",
                                               "VIDEO Party " + mixed + "/extra/Party.avi"}));
    for (int r : AddedRows)
        EXPECT_FALSE(Cell(SourceRecord::VideoFormat, r).empty()) << Cell(SourceRecord::Title, r);

    // Dropped again, in either spelling: nothing new.
    const int rows = Form->StringGrid1->RowCount();
    AddedRows.clear();
    Form->DropFiles({mixed + "/", mixed});
    ScanSeconds();
    EXPECT_TRUE(AddedRows.empty());
    EXPECT_EQ(Form->StringGrid1->RowCount(), rows);
}

// Puts the write permission back, so that the scratch folder can be removed.
struct Writable {
    std::vector<std::string> Paths;
    ~Writable()
    {
        for (const std::string& p : Paths)
            fs::permissions(p, fs::perms::owner_write, fs::perm_options::add);
    }
};

TEST_F(RealPlayer, ReadOnlyFiles_AreIdentifiedNotSkipped)
{
    TempFolder dir;
    const std::string locked = dir / "Locked.avi";
    const std::string shelf = dir / "Shelf";
    const std::string inside = shelf + "/Inside.avi";
    fs::create_directories(shelf);
    fs::copy_file(TheMedia().Clip, locked);
    fs::copy_file(TheMedia().Clip, inside);
    Writable restore{{shelf, locked}};
    fs::permissions(locked, fs::perms(0444));
    fs::permissions(shelf, fs::perms(0555));
    Form->DropFiles({locked, shelf});
    ScanSeconds();
    ASSERT_EQ(AddedRows.size(), 2u) << Form->status->ProgressText();
    EXPECT_EQ(Cell(SourceRecord::SourcePath, AddedRows[0]), locked);
    EXPECT_EQ(Cell(SourceRecord::SourcePath, AddedRows[1]), inside);
    for (int r : AddedRows) {
        EXPECT_EQ(Cell(SourceRecord::VideoWidth, r), "320");
        EXPECT_EQ(Cell(SourceRecord::RoundedLength, r), "20");
        EXPECT_EQ(Cell(SourceRecord::Selected, r), "YES");
    }
    EXPECT_EQ(Form->status->ProgressText().find("Skipped"), std::string::npos) << Form->status->ProgressText();
}

} // namespace
