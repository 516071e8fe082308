#include "app/om_identify.h"

#include "om_testing.h"

#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"

using namespace omtest;

namespace {

struct IdentifyParser : FormTest {
    void StartVideo()
    {
        Form->RunState.ScanKind = "video";
        Form->RunState.ScanRow = AppendRow(*Form->StringGrid1);
    }
    std::vector<std::string> Record()
    {
        std::vector<std::string> cells;
        for (int c = 0; c < 70; ++c)
            cells.push_back(Cell(c));
        cells.push_back(Form->Memo1->Text());
        cells.push_back(Form->Memo2->Text());
        cells.push_back(Form->dvdlog->Text());
        return cells;
    }
};

// --- a recorded report, whole and cut at chunk ends -------------------------------------------

TEST_F(IdentifyParser, RecordedClipReport_FillsTheRecord)
{
    StartVideo();
    FeedLines(ReadFixture("avi-clip.txt"));
    EXPECT_EQ(Cell(SourceRecord::Length), "20.04");
    EXPECT_EQ(Cell(SourceRecord::LengthText), "0:00:20");
    EXPECT_EQ(Cell(SourceRecord::RoundedLength), "20");
    EXPECT_EQ(Cell(SourceRecord::VideoFormat), "FMP4");
    EXPECT_EQ(Cell(SourceRecord::VideoCodec), "ffodivx");
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "320");
    EXPECT_EQ(Cell(SourceRecord::VideoHeight), "240");
    EXPECT_EQ(Cell(SourceRecord::DisplayWidth), "320");
    EXPECT_EQ(Cell(SourceRecord::DisplayHeight), "240");
    EXPECT_EQ(Cell(SourceRecord::FrameRate), "25.000");
    EXPECT_EQ(Cell(SourceRecord::AudioRate), "48000");
    EXPECT_EQ(Cell(SourceRecord::AudioChannels), "2");
    EXPECT_EQ(Cell(SourceRecord::VideoOutput), "320x240 => 320x240 Planar YV12");
    EXPECT_EQ(Form->Memo1->Count(), 1);
    EXPECT_EQ(Form->Memo1->Strings(0), "1 ?????");
}

TEST_F(IdentifyParser, ReportCutAtChunkEnds_GivesTheSameRecordAsWholeLines)
{
    const std::string report = ReadFixture("avi-clip.txt");
    StartVideo();
    FeedLines(report);
    const auto whole = Record();
    for (std::size_t chunk : {1024u, 97u, 7u}) {
        ClearTable(*Form->StringGrid1);
        Form->Memo1->Clear();
        Form->Memo2->Clear();
        Form->dvdlog->Clear();
        StartVideo();
        Feed(report, chunk);
        EXPECT_EQ(Record(), whole) << "chunk " << chunk;
    }
}

TEST_F(IdentifyParser, PartialReport_IsNotParsedUntilTheLineIsComplete)
{
    StartVideo();
    Form->OxCreateProcess1Read(nullptr, "ID_VIDEO_WIDTH=72", true, false);
    Form->OxCreateProcess1Read(nullptr, "ID_AID_128_LANG=e", true, false);
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "");
    Form->OxCreateProcess1Read(nullptr, "ID_VIDEO_WIDTH=720", false, true);
    Form->OxCreateProcess1Read(nullptr, "ID_AID_128_LANG=en", false, true);
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "720");
    ASSERT_EQ(Form->Memo1->Count(), 1);
    EXPECT_EQ(Form->Memo1->Strings(0), "128_LANG=en");
}

// --- single lines -------------------------------------------------------------------------------

TEST_F(IdentifyParser, SecondVideoWidth_DoesNotReplaceTheFirst)
{
    StartVideo();
    Form->ParseScanLine(" ID_VIDEO_WIDTH=720");
    Form->ParseScanLine(" ID_VIDEO_WIDTH=352");
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "720");
}

TEST_F(IdentifyParser, NullOutputLine_GivesDisplaySizeAndFillsOnlyEmptySourceSize)
{
    StartVideo();
    Form->StringGrid1->SetCells(SourceRecord::VideoWidth, 0, "704");
    Form->StringGrid1->SetCells(SourceRecord::VideoHeight, 0, "0");
    Form->ParseScanLine(" VO: [null] 720x480 => 720x540 Planar YV12");
    EXPECT_EQ(Cell(SourceRecord::DisplayWidth), "720");
    EXPECT_EQ(Cell(SourceRecord::DisplayHeight), "540");
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "704");
    EXPECT_EQ(Cell(SourceRecord::VideoHeight), "480");
}

TEST_F(IdentifyParser, SizeThatIsNoNumberOrZero_IsSkippedAndTheLineStillParsed)
{
    StartVideo();
    Form->ParseScanLine(" VO: [null] 0x0 => 0x0 Planar YV12");
    Form->ParseScanLine(" VO: [null] wide x high => abcxdefgh Planar");
    EXPECT_EQ(Cell(SourceRecord::DisplayWidth), "");
    EXPECT_EQ(Cell(SourceRecord::VideoOutput), "wide x high => abcxdefgh Planar");
    Form->ParseScanLine(" ID_LENGTH=12.5");
    EXPECT_EQ(Cell(SourceRecord::RoundedLength), "12");
}

TEST_F(IdentifyParser, PreviewOutputLine_GivesOnlyThePreviewSize)
{
    StartVideo();
    int w = 0, h = 0;
    Form->OnPreviewSize = [&](int W, int H) { w = W, h = H; };
    Form->ParseScanLine(" VO: [xv] 720x576 => 1024x576 Planar YV12");
    EXPECT_EQ(Form->RunState.PreviewAspectWidth, 1024);
    EXPECT_EQ(Form->RunState.PreviewAspectHeight, 576);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(Cell(SourceRecord::VideoOutput), "");
    EXPECT_EQ(Cell(SourceRecord::VideoWidth), "");
}

TEST_F(IdentifyParser, StreamKeys_NameLinesLeftOutLanguageLinesWithoutPrefix)
{
    StartVideo();
    Form->ParseScanLine(" ID_AID_128_NAME=Director");
    Form->ParseScanLine(" ID_AID_128_LANG=en");
    Form->ParseScanLine(" ID_SID_0_LANG=de");
    ASSERT_EQ(Form->Memo1->Count(), 1);
    EXPECT_EQ(Form->Memo1->Strings(0), "128_LANG=en");
    ASSERT_EQ(Form->Memo2->Count(), 1);
    EXPECT_EQ(Form->Memo2->Strings(0), "0_LANG=de");
}

TEST_F(IdentifyParser, AudioLineOfDvdScan_AddsRateChannelsAndBitRateKeys)
{
    Form->RunState.ScanKind = "dvd";
    Form->ParseScanLine(" AUDIO: 48000 Hz, 2 ch, s16le, 192.0 kbit/12.50% (ratio: 24000->192000)");
    const std::string log = Form->dvdlog->Text();
    EXPECT_NE(log.find("ID_AUDIO_RATE=48000\r\n"), std::string::npos);
    EXPECT_NE(log.find("ID_AUDIO_NCH=2\r\n"), std::string::npos);
    EXPECT_NE(log.find("ID_AUDIO_BITRATE=192000\r\n"), std::string::npos);
}

TEST_F(IdentifyParser, SelectedAudioCodecLine_AddsFormatAndCodecKeys)
{
    Form->ParseScanLine(" Selected audio codec: [a52] afm: liba52 (AC3-liba52)");
    const std::string log = Form->dvdlog->Text();
    EXPECT_NE(log.find("ID_AUDIO_FORMAT=a52\r\n"), std::string::npos);
    EXPECT_NE(log.find("ID_AUDIO_CODEC=a52\r\n"), std::string::npos);
}

// --- the end of an identification --------------------------------------------------------------

TEST(IsPlaybackStatusLine, OnlyALineThatStartsWithAPositionEndsTheRun)
{
    EXPECT_TRUE(IsPlaybackStatusLine("A:   1.2 V:   1.2 A-V:  0.000 ct:  0.000"));
    EXPECT_TRUE(IsPlaybackStatusLine("  V:   0.0   1/  1 ??% ??%"));
    EXPECT_TRUE(IsPlaybackStatusLine("A:   0.1 (00.1) of 20.0 (20.0)  0.0%"));
    EXPECT_FALSE(IsPlaybackStatusLine("Playing /media/V:/Episode V: Return.avi."));
    EXPECT_FALSE(IsPlaybackStatusLine("ID_FILENAME=/films/A: Story.avi"));
    EXPECT_FALSE(IsPlaybackStatusLine("ID_CLIP_INFO_VALUE0=V: remastered"));
}

// --- titles and side files ---------------------------------------------------------------------

TEST(VideoFileTitle, TheFilesOwnExtensionIsRemoved)
{
    EXPECT_EQ(VideoFileTitle("/v/Movie.avi"), "Movie");
    EXPECT_EQ(VideoFileTitle("/v/Holiday.Film.dvr-ms"), "holiday.film");
    EXPECT_EQ(VideoFileTitle("/v/Clip.qt"), "Clip");
    EXPECT_EQ(VideoFileTitle("/v/Movie.mpeg"), "Movie");
    EXPECT_EQ(VideoFileTitle("/v/Movie.rmvb"), "Movie");
    EXPECT_EQ(VideoFileTitle("/v/Recording"), "Recording");
    EXPECT_EQ(VideoFileTitle("/v/Show.TS"), "show");
    EXPECT_EQ(VideoFileTitle("/v/my.tsunami/Surf.avi"), "Surf");
    EXPECT_EQ(VideoFileTitle("/v/x.tpl/Clip.AVI"), "Clip");
}

TEST(AddSideSubtitleFiles, BaseIsTheFileWithoutItsExtensionEvenUnderADottedFolder)
{
    TempFolder dir;
    const std::string film = dir.Write("x.avi.old/film.avi");
    dir.Write("x.avi.old/film.srt");
    dir.Write("x.avi.old/film.sub");
    dir.Write("x.avi.old/film.idx");
    TStringList lines;
    AddSideSubtitleFiles(film, lines);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Strings(0), "SRT File:" + dir / "x.avi.old/film.srt");
    EXPECT_EQ(lines.Strings(1), "SUB File:" + dir / "x.avi.old/film.sub");
}

// --- command lines -----------------------------------------------------------------------------

TEST(IdentifyFileCommand, ANameWithQuotesAndOptionsStaysOneArgument)
{
    const std::string name = "/home/u/a\" -dumpstream -dumpfile \"/home/u/.bashrc";
    const auto argv = SplitCommandLine(IdentifyFileCommand(name));
    ASSERT_EQ(argv.size(), 7u);
    EXPECT_EQ(argv[0], "mplayer");
    EXPECT_EQ(argv[5], "-identify");
    EXPECT_EQ(argv[6], name);
}

TEST(IdentifyFileCommand, ANameStartingWithADashIsNoOption)
{
    const auto argv = SplitCommandLine(IdentifyFileCommand("-vo.avi"));
    EXPECT_EQ(argv.back(), "./-vo.avi");
}

TEST(IdentifyDvdCommand, LocationIsQuotedAfterTheDeviceOption)
{
    const auto argv = SplitCommandLine(IdentifyDvdCommand("/media/my dvd"));
    ASSERT_GE(argv.size(), 3u);
    EXPECT_EQ(argv[argv.size() - 3], "-dvd-device");
    EXPECT_EQ(argv[argv.size() - 2], "/media/my dvd");
    EXPECT_EQ(argv.back(), "dvd://");
}

} // namespace

TEST(AddAudioStreamLine, OneLinePerStream_TheOneThatTellsMostStays)
{
    TStringList lines;
    // A DVD's stream named three times, in the order the player names it, and a second stream by id only.
    AddAudioStreamLine(lines, "128 ?????");
    AddAudioStreamLine(lines, "audio stream: 0 format: ac3 (5.1) language: en aid: 128.");
    AddAudioStreamLine(lines, "128_LANG=en");
    AddAudioStreamLine(lines, "129 ?????");
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Strings(0), "audio stream: 0 format: ac3 (5.1) language: en aid: 128.");
    EXPECT_EQ(lines.Strings(1), "129 ?????");
    AddAudioStreamLine(lines, "129_LANG=fr");
    EXPECT_EQ(lines.Strings(1), "129_LANG=fr");
}

TEST_F(IdentifyParser, ContainerClockAsFrameRate_IsLeftUnknown)
{
    StartVideo();
    Form->ParseScanLine(" ID_VIDEO_FPS=1000.000");
    EXPECT_EQ(Cell(SourceRecord::FrameRate), "");
    Form->ParseScanLine(" ID_VIDEO_FPS=29.970");
    EXPECT_EQ(Cell(SourceRecord::FrameRate), "29.970");
}

// The probing tool's look at a file's streams: where the sound starts against the picture, and
// whether the picture is stored as fields; and the readers whose length needs the second look.
TEST(SourceTimeline, ReadsTheSoundsStartAndTheFields)
{
    struct Case {
        const char* Report;
        bool FieldCoded;
        double SoundStart;
    };
    const Case cases[] = {
        {"[STREAM]\ncodec_type=video\nfield_order=tt\nstart_time=1.466733\n[/STREAM]\n"
         "[STREAM]\ncodec_type=audio\nstart_time=1.461400\n[/STREAM]", true, -0.005333},
        {"[STREAM]\ncodec_type=video\nfield_order=progressive\nstart_time=0.000000\n[/STREAM]\n"
         "[STREAM]\ncodec_type=audio\nstart_time=1.997000\n[/STREAM]\n[STREAM]\ncodec_type=audio\nstart_time=5.0\n[/STREAM]",
         false, 1.997},
        {"[STREAM]\ncodec_type=audio\nstart_time=2.0\n[/STREAM]\n[STREAM]\ncodec_type=video\nfield_order=bb\n"
         "start_time=N/A\n[/STREAM]", true, 0}, // a start the file does not give
        {"[STREAM]\ncodec_type=video\nfield_order=unknown\nstart_time=0.5\n[/STREAM]", false, 0},
    };
    for (const Case& c : cases) {
        TStringList lines;
        lines.SetText(std::string("ID_LENGTH=3\n") + c.Report); // what came before the look is not read
        const TSourceTimeline t = ReadTimeline(lines, 1);
        EXPECT_EQ(t.FieldCoded, c.FieldCoded) << c.Report;
        EXPECT_NEAR(t.SoundStart, c.SoundStart, 1e-6) << c.Report;
    }
    EXPECT_TRUE(NeedsSecondLook("mpegts", "0.00"));
    EXPECT_TRUE(NeedsSecondLook("lavfpref", "0.00"));
    EXPECT_FALSE(NeedsSecondLook("lavfpref", "8.00"));
}
