// DVD titles converted with the real tools keep their sound, whatever its channels and however far
// apart the disc's muxing puts its packs, and end by themselves: a title with mono and one with
// stereo sound for every kind of profile, a title muxed at the disc format's full rate (and its MPEG
// file), and a disc of one title that simply stops at its end. Each output is judged by ffprobe: the
// picture covers the title, the sound covers the picture.
#include "app/om_convert.h"

#include "om_convertTesting.h"
#include "om_probeTesting.h"

#include "app/om_runcontrol.h"
#include "platform/vcl/TTimer.h"

using namespace omtest;

namespace {

// Made once per test program: a disc with a mono title and a stereo one (no command at their ends),
// and a disc of a single title, as the authoring tool makes it without a command. Besides, a title
// of a moving picture at the disc format's own rate, and the MPEG file it was authored from: muxed
// that way, some ninety packs of picture come between two of sound in its first second.
struct SoundDiscs {
    TempFolder Dir;
    std::string TwoTitles;
    std::string OneTitle;
    std::string FullRate;
    std::string FullRateFile;
    bool Ok = false;
    SoundDiscs()
    {
        TwoTitles = Dir / "Sound Disc";
        OneTitle = Dir / "Single Disc";
        FullRate = Dir / "Full Rate Disc";
        FullRateFile = Dir / "c/title1.mpg";
        for (const char* scratch : {"a", "b", "c"})
            fs::create_directories(Dir / scratch);
        Ok = MakeDvdFolder(TwoTitles, Dir / "a", {{8, "0", "", 400, 1}, {8, "0", "", 400, 2}}) &&
             MakeDvdFolder(OneTitle, Dir / "b", {{12, "0", "", 400, 2}}) &&
             MakeDvdFolder(FullRate, Dir / "c", {{4, "0", "", 0, 1, "testsrc2"}});
    }
};

SoundDiscs& TheDiscs()
{
    static SoundDiscs discs;
    return discs;
}

struct DvdSound : ConvertFixture {
    void SetUp() override
    {
        ConvertFixture::SetUp();
        if (!TheDiscs().Ok)
            GTEST_SKIP() << "ffmpeg or dvdauthor could not make the test discs";
        Form->RunState.MinTitleLength = 3;
    }

    void Scan(const std::string& Disc, std::size_t Titles)
    {
        Form->DropFiles({Disc});
        Form->ScanTimerTimer(Form->ScanTimer);
        ASSERT_EQ(AddedRows.size(), Titles) << Form->status->ProgressText();
    }

    // Only row Row is converted; a run that never ends is stopped after a bound no sound run comes
    // near, and the test fails on it.
    void Convert(const std::string& Device, int Row)
    {
        for (int r : AddedRows)
            Form->StringGrid1->SetCells(SourceRecord::Selected, r, r == Row ? "YES" : "NO");
        Choose(Device);
        ConvertWithin(150000);
        EXPECT_EQ(Form->RunState.AbortRequested, 0) << "the conversion did not end by itself: " << AllCommands();
    }

    // The file holds the whole title's picture, and sound as long as the picture.
    void ExpectWhole(const std::string& Path, double Seconds)
    {
        ASSERT_TRUE(fs::exists(Path)) << Form->status->ProgressText() << "\n" << AllCommands();
        const double picture = ProbeFrames(Path) / 25.0;
        EXPECT_NEAR(ProbeSeconds(Path), Seconds, std::max(Seconds * 0.03, 0.25)) << AllCommands();
        EXPECT_GE(ProbeAudioSeconds(Path), picture * 0.95) << AllCommands();
    }
};

struct SoundCase {
    int Channels;
    const char* Device;
    const char* Ext;
};

struct TitleSound : DvdSound, ::testing::WithParamInterface<SoundCase> {};

} // namespace

TEST_P(TitleSound, KeepsTheSoundOfTheWholeTitle)
{
    const SoundCase c = GetParam();
    Scan(TheDiscs().TwoTitles, 2);
    const int row = AddedRows[c.Channels == 1 ? 0 : 1];
    Convert(c.Device, row);
    EXPECT_EQ(Cell(SourceRecord::Selected, row), "Done") << Form->status->ProgressText();
    ExpectWhole(Dest + Cell(SourceRecord::Title, row) + "." + c.Ext, ParseFloatDot(Cell(SourceRecord::Length, row)));
}

INSTANTIATE_TEST_SUITE_P(Profiles, TitleSound,
                         ::testing::Values(SoundCase{1, "iPod Classic/Nano/Video", "mp4"},
                                           SoundCase{1, "Playstation Portable", "mp4"},
                                           SoundCase{1, "Windows Mobile", "avi"},
                                           SoundCase{1, "Zune 30", "wmv"},
                                           SoundCase{2, "iPod Classic/Nano/Video", "mp4"},
                                           SoundCase{2, "Playstation Portable", "mp4"},
                                           SoundCase{2, "Windows Mobile", "avi"},
                                           SoundCase{2, "Zune 30", "wmv"}),
                         [](const ::testing::TestParamInfo<SoundCase>& Info) {
                             std::string device = Info.param.Device;
                             device = device.substr(0, device.find_first_of(" /"));
                             return std::string(Info.param.Channels == 1 ? "Mono" : "Stereo") + "_" + device;
                         });

// The single title's stream ends exactly where its length says: the encoder must still end.
TEST_F(DvdSound, SingleTitleDisc_EndsByItselfAtTheTitlesEnd)
{
    Scan(TheDiscs().OneTitle, 1);
    const int row = AddedRows[0];
    Convert("iPhone / iPod Touch", row);
    EXPECT_EQ(Cell(SourceRecord::Selected, row), "Done") << Form->status->ProgressText();
    ExpectWhole(Dest + Cell(SourceRecord::Title, row) + ".mp4", ParseFloatDot(Cell(SourceRecord::Length, row)));
}

struct FullRateCase {
    bool FromFile;
    const char* Device;
    const char* Ext;
};

void PrintTo(const FullRateCase& Case, std::ostream* Out)
{
    *Out << (Case.FromFile ? "file, " : "title, ") << Case.Device;
}

struct FullRateSound : DvdSound, ::testing::WithParamInterface<FullRateCase> {};

// The sound is read on past the picture's long run, not taken for ended after a tenth of a second.
TEST_P(FullRateSound, KeepsTheSoundOfTheWholeTitle)
{
    const FullRateCase c = GetParam();
    Scan(c.FromFile ? TheDiscs().FullRateFile : TheDiscs().FullRate, 1);
    const int row = AddedRows[0];
    Convert(c.Device, row);
    EXPECT_EQ(Cell(SourceRecord::Selected, row), "Done") << Form->status->ProgressText();
    ExpectWhole(Dest + Cell(SourceRecord::Title, row) + "." + c.Ext, ParseFloatDot(Cell(SourceRecord::Length, row)));
}

INSTANTIATE_TEST_SUITE_P(Profiles, FullRateSound,
                         ::testing::Values(FullRateCase{false, "iPod Classic/Nano/Video", "mp4"},
                                           FullRateCase{false, "Playstation Portable", "mp4"},
                                           FullRateCase{false, "Windows Mobile", "avi"},
                                           FullRateCase{false, "Zune 30", "wmv"},
                                           FullRateCase{true, "iPod Classic/Nano/Video", "mp4"}),
                         [](const ::testing::TestParamInfo<FullRateCase>& Info) {
                             std::string device = Info.param.Device;
                             device = device.substr(0, device.find_first_of(" /"));
                             return std::string(Info.param.FromFile ? "File" : "Title") + "_" + device;
                         });
