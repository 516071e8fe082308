// A part that the installed tools can only make in two steps (the encoder writes a scratch file, a
// second tool packs it) shows the first step's progress and is judged by the packed file. Stand-in
// tools on PATH make the second step slow and report a position counted from zero, as the real copy
// step does.
#include "app/om_convert.h"

#include "om_testing.h"

#include "app/om_codecs.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/ToolSupport.h"

#include <sys/stat.h>

using namespace omtest;

namespace {

// The value after Flag in a script's arguments is its output; both stand-ins write something there.
const char* const kFakeMencoder = R"(#!/bin/sh
out=""; prev=""
for a in "$@"; do [ "$prev" = "-o" ] && out="$a"; prev="$a"; done
[ -z "$out" ] && exit 0
for p in 2.0 4.0 6.0 8.0; do printf 'Pos: %ss  100f (99%%)  25.00fps Trem:   0min   0mb  A-V:0.000 [500:128]\r' "$p"; done
printf '\n'
echo scratch > "$out"
)";

const char* const kFakeFfmpeg = R"(#!/bin/sh
for a in "$@"; do out="$a"; done
case "$*" in *-encoders*) exit 0;; esac
printf 'size=       1kB time=00:00:01.00 bitrate=   8.0kbits/s speed=1x\r'
/bin/sleep 2.5
echo packed > "$out"
)";

// The player reports the packed file as the whole 8 s of video with sound.
const char* const kFakePlayer = R"(#!/bin/sh
for a in "$@"; do out="$a"; done
[ -s "$out" ] && printf 'ID_VIDEO_FORMAT=H264\nID_AUDIO_FORMAT=MP4A\nID_LENGTH=8.00\n'
exit 0
)";

// The judge's packet lines for 8 s of picture and sound.
const char* const kFakeProbe = R"(#!/bin/sh
for a in "$@"; do out="${a#file:}"; done
[ -s "$out" ] && printf 'video,0.0,0.0,0.04,K_\nvideo,7.96,7.96,0.04,__\naudio,0.0,0.0,0.02,K_\naudio,7.98,7.98,0.02,K_\n'
exit 0
)";

void WriteScript(const std::string& Path, const char* Text)
{
    std::ofstream(Path) << Text;
    chmod(Path.c_str(), 0755);
}

struct TwoStageConversion : FormTest {
    TempFolder Dir;
    std::string SavedPath;

    void SetUp() override
    {
        FormTest::SetUp();
        fs::create_directories(Dir.Path / "bin");
        WriteScript(Dir / "bin/mencoder", kFakeMencoder);
        WriteScript(Dir / "bin/ffmpeg", kFakeFfmpeg);
        WriteScript(Dir / "bin/mplayer", kFakePlayer);
        WriteScript(Dir / "bin/ffprobe", kFakeProbe);
        SavedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", (Dir / "bin").c_str(), 1);
    }
    void TearDown() override
    {
        setenv("PATH", SavedPath.c_str(), 1);
        FormTest::TearDown();
    }
};

} // namespace

TEST_F(TwoStageConversion, ASlowPackingStep_EndsDoneWithThePackedFile)
{
    if (InstalledToolSupport().MencoderFaac)
        GTEST_SKIP() << "this encoder writes AAC itself: one step";
    const std::string clip = Dir.Write("clip.avi", 4096);
    const std::string dest = Dir / "out/";
    fs::create_directories(dest);

    TOmTables& t = Form->Tables();
    TStringList items;
    FillCodecProfiles(*t.codecgrid, *t.devices, items);
    for (int r = 0; r < t.devices->StoredRowCount(); ++r)
        if (t.devices->Cells(DeviceProfile::Name, r) == "iPhone / iPod Touch")
            for (int c = 0; c < DeviceTableColumns; ++c)
                t.dq->SetCells(c, 0, t.devices->Cells(c, r));

    TskSkinStringGrid& g = *Form->StringGrid1;
    const int r = AppendRow(g);
    const std::pair<int, std::string> cells[] = {
        {SourceRecord::RowId, "00000"}, {SourceRecord::Kind, "VIDEO"}, {SourceRecord::Title, "clip"},
        {SourceRecord::Length, "8.00"}, {SourceRecord::VideoFormat, "FMP4"}, {SourceRecord::VideoCodec, "ffodivx"},
        {SourceRecord::VideoWidth, "640"}, {SourceRecord::VideoHeight, "480"},
        {SourceRecord::FrameRate, "25.000"}, {SourceRecord::SourcePath, clip}, {SourceRecord::SourceArg, QuoteArg(clip)},
        {SourceRecord::StartSeconds, "0"}, {SourceRecord::EndSeconds, "8"}, {SourceRecord::SubtitlesOn, "NO"},
        {SourceRecord::Selected, "YES"}, {SourceRecord::RoundedLength, "8"}, {SourceRecord::OutputName, "clip"},
        {SourceRecord::DisplayWidth, "640"}, {SourceRecord::DisplayHeight, "480"}};
    for (const auto& [col, text] : cells)
        g.SetCells(col, r, text);

    TConvertOptions options;
    options.Destination = dest;
    options.Quality = CellInt(t.dq->Cells(DeviceProfile::VideoBitrate, 0)) / 10;
    options.DeviceText = "iPhone / iPod Touch";
    ConvertQueue(*Form, options);

    EXPECT_EQ(Cell(SourceRecord::Selected), "Done") << Form->status->ProgressText();
    EXPECT_TRUE(fs::exists(dest + "clip.mp4"));
    EXPECT_EQ(Form->RunState.Converting, 0);
}
