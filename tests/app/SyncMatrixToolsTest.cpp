// The conversion matrix for sources whose timeline is not the plain one, each made with flashes and
// beeps at the same instants so that the sync of what comes out can be read from the file alone: an
// interlaced transport stream, sound that starts 2 s after the picture, an MP4 damaged in its middle,
// clips of 1 s and 0.4 s, and a DVD title; each converted for every built-in device with the real
// tools and judged from the file: the whole picture, the markers in step within 0.1 s.
#include "app/om_convert.h"

#include "om_convertTesting.h"
#include "om_probeTesting.h"
#include "om_syncMarkersTesting.h"

#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "platform/vcl/TTimer.h"

#include <cctype>
#include <cmath>
#include <cstdio>

using namespace omtest;

namespace {

struct SyncSource {
    const char* Name;
    const char* Ext;
    double Seconds;      // of picture
    double SoundFrom;    // where the sound starts on the picture's timeline
    bool Damaged = false; // a stretch of its data overwritten: in step, or failed saying so
    bool Disc = false;    // a DVD title
};

const std::string ff = "ffmpeg -nostdin -v error -y ";

std::string MakeCommands(const SyncSource& Source, const std::string& Path)
{
    const std::string out = ShellQuote(Path);
    const std::string name = Source.Name;
    if (name == "InterlacedTs")
        // Field-coded H.264 at 29.97 with 5.1 AC3, as a broadcast recording, at a smaller size.
        return ff + MarkerPicture("640x360", "60000/1001") + MarkerSound(48000, "5.1") +
               "-t 6 -vf interlace=scan=tff -c:v libx264 -flags +ildct+ilme -x264-params tff=1 -b:v 3M -c:a ac3 "
               "-f mpegts " + out;
    if (name == "LateSoundMkv")
        return ff + MarkerPicture("320x240", "25") + MarkerSound(48000, "stereo") +
               "-t 8 -filter_complex \"[1:a]atrim=start=2[a]\" -map 0:v -map \"[a]\" -c:v libx264 -b:v 1M -c:a aac " + out;
    if (name == "DamagedMp4")
        // 5 % of the file, from 45 % of it on, overwritten: the media data of its middle seconds.
        return "(" + ff + MarkerPicture("320x240", "25") + MarkerSound(48000, "stereo") +
               "-t 10 -c:v libx264 -b:v 1M -c:a aac " + out + " && size=$(stat -c %s " + out +
               ") && head -c $((size / 20)) /dev/urandom | dd of=" + out +
               " bs=4096 seek=$((size * 45 / 100)) oflag=seek_bytes conv=notrunc)";
    const std::string clip = name == "OneSecondClip" ? "1" : "0.4";
    // A phone's clip: full HD at 30 pictures a second, 16 Mb/s.
    return ff + MarkerPicture("1920x1080", "30") + MarkerSound(48000, "stereo") + "-t " + clip +
           " -c:v libx264 -b:v 16M -c:a aac " + out;
}

const SyncSource Sources[] = {
    {"InterlacedTs", "ts", 6, 0},       {"LateSoundMkv", "mkv", 8, 2},  {"DamagedMp4", "mp4", 10, 0, true},
    {"OneSecondClip", "mp4", 1, 0},     {"ShortClip", "mp4", 0.4, 0},   {"DvdTitle", "", 8, 0, false, true},
};

struct SyncDevice {
    const char* Device;
    const char* Ext;
    double MaxFps;
};

const SyncDevice Devices[] = {
    {"iPhone / iPod Touch", "mp4", 30}, {"iPod Classic/Nano/Video", "mp4", 30}, {"3gpp Cellphone", "3gp", 12},
    {"Zune 4/8/80", "mp4", 30},         {"Zune 30", "wmv", 30},                 {"Playstation Portable", "mp4", 30},
    {"Windows Mobile", "avi", 30},      {"Windows Mobile VGA", "avi", 25},      {"Palm Treo / Centro", "avi", 25},
};

// A PAL disc of one 8-s title with the markers, made once per test program.
struct MarkerDisc {
    TempFolder Dir;
    std::string Folder = Dir / "Marker Disc";
    bool Ok = false;
    MarkerDisc()
    {
        fs::create_directories(Dir / "scratch");
        DvdTitleShape title(8, "0", "", 1000, 2, "testsrc2");
        title.PictureFilters = MarkerFlash();
        title.Sound = MarkerBeepSource(48000, "stereo");
        Ok = MakeDvdFolder(Folder, Dir / "scratch", {title});
    }
};

MarkerDisc& TheDisc()
{
    static MarkerDisc disc;
    return disc;
}

double StreamRate(const std::string& Path)
{
    double num = 0, den = 0;
    return std::sscanf(ProbeEntries(Path, "-select_streams v:0", "stream=avg_frame_rate").c_str(), "%lf/%lf", &num, &den) == 2 &&
                   den > 0
               ? num / den
               : 0;
}

struct SyncCase {
    SyncSource From;
    SyncDevice To;
};

void PrintTo(const SyncCase& Case, std::ostream* Out)
{
    *Out << Case.From.Name << " for " << Case.To.Device;
}

std::vector<SyncCase> AllCases()
{
    std::vector<SyncCase> cases;
    for (const SyncSource& s : Sources)
        for (const SyncDevice& d : Devices)
            cases.push_back({s, d});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<SyncCase>& Info)
{
    std::string name = std::string(Info.param.From.Name) + "_";
    for (const char* c = Info.param.To.Device; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    return name;
}

struct SyncMatrix : ConvertFixture, ::testing::WithParamInterface<SyncCase> {};

} // namespace

TEST_P(SyncMatrix, WholePictureWithItsSoundInStep)
{
    const SyncCase c = GetParam();
    std::string source;
    if (c.From.Disc) {
        ASSERT_TRUE(TheDisc().Ok) << "ffmpeg or dvdauthor could not make the disc";
        source = TheDisc().Folder;
        Form->RunState.MinTitleLength = 3;
    } else {
        source = SharedSource(c.From.Name, c.From.Ext, [&c](const std::string& Path) { return MakeCommands(c.From, Path); });
        ASSERT_FALSE(source.empty()) << "ffmpeg could not make the source";
    }
    Form->DropFiles({source});
    Form->ScanTimerTimer(Form->ScanTimer);
    ASSERT_FALSE(AddedRows.empty()) << Form->status->ProgressText();
    const int row = AddedRows.front();
    // What the queue shows: the length and the picture rate the file holds, not its fields.
    EXPECT_NEAR(ParseFloatDot(Cell(SourceRecord::Length, row)), c.From.Seconds, std::max(0.1, c.From.Seconds * 0.02));
    const double sourceRate = c.From.Disc ? 25 : StreamRate(source);
    EXPECT_NEAR(ParseFloatDot(Cell(SourceRecord::FrameRate, row)), sourceRate, 0.05);

    Choose(c.To.Device);
    ConvertWithin(150000);
    const std::string out = Dest + Cell(SourceRecord::Title, row) + "." + c.To.Ext;
    const bool done = Cell(SourceRecord::Selected, row) == "Done";
    const auto note = [&c](const std::string& Figure) {
        if (std::FILE* figures = std::fopen((std::string(OMBRIX_BINARY_DIR) + "/sync-figures.txt").c_str(), "a")) {
            std::fprintf(figures, "%s %s %s\n", c.From.Name, c.To.Device, Figure.c_str());
            std::fclose(figures);
        }
    };
    if (c.From.Damaged && !done) {
        // Refused, saying why, and nothing under the final name.
        EXPECT_NE(Form->status->ProgressText().find("damaged"), std::string::npos) << Form->status->ProgressText();
        EXPECT_FALSE(fs::exists(out));
        note(Form->status->ProgressText());
        return;
    }
    ASSERT_TRUE(done) << Form->status->ProgressText() << "\n" << AllCommands();
    ASSERT_TRUE(fs::exists(out)) << AllCommands();

    // The whole picture: a clip of under 2 s may lack one picture, a longer one 3 % of them.
    const double rate = std::clamp(std::min(sourceRate, c.To.MaxFps), 5.0, 30.0);
    const double frames = ProbeFrames(out);
    const double wanted = c.From.Seconds * rate;
    EXPECT_GE(frames, c.From.Seconds < 2 ? std::floor(wanted + 0.01) - 1 : wanted * 0.97) << AllCommands();
    EXPECT_LE(frames, wanted * 1.03 + 1) << AllCommands();

    // Every marker found again, its beep within 0.1 s of its flash.
    const TSyncReading sync = ReadSync(out);
    const int markers = static_cast<int>(MarkerInstants(c.From.SoundFrom, c.From.Seconds).size());
    EXPECT_GE(sync.Paired, markers) << sync.Flashes << " flashes, " << sync.Beeps << " beeps";
    EXPECT_LE(std::abs(sync.Offset), 0.1) << "the sound is " << sync.Offset << " s after the picture\n" << AllCommands();
    char figure[64];
    std::snprintf(figure, sizeof figure, "%+.3f (%d of %d markers)", sync.Offset, sync.Paired, markers);
    note(figure);

    if (std::string(c.From.Name) == "InterlacedTs") {
        // Made whole before scaling: the filter that tells fields apart finds no combed pictures.
        const std::string report = Capture("ffmpeg -nostdin -hide_banner -i " + ShellQuote(out) +
                                           " -vf idet -an -f null - 2>&1 | grep 'Multi frame detection'");
        int tff = 0, bff = 0, progressive = 0;
        const std::size_t at = report.find("TFF:");
        ASSERT_NE(at, std::string::npos) << report;
        std::sscanf(report.c_str() + at, "TFF: %d BFF: %d Progressive: %d", &tff, &bff, &progressive);
        EXPECT_LT(tff + bff, progressive / 10 + 1) << report << AllCommands();
    }
}

INSTANTIATE_TEST_SUITE_P(EverySourceEveryDevice, SyncMatrix, ::testing::ValuesIn(AllCases()), CaseName);
