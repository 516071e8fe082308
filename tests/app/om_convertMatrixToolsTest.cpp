// The conversion matrix: every common kind of source, made by ffmpeg, dropped on the window,
// identified by the player and converted for every built-in device (a source made for the shape of
// its picture only for the devices that shape tests) with the real tools. Each result is judged from
// the file alone: container and codecs of the device, the frames and the length of what the source
// holds, sound where the source has sound, a clean decode, a size its codec takes and the shape the
// source is shown in.
#include "app/om_convert.h"

#include "app/om_crop.h"

#include "om_convertTesting.h"
#include "om_probeTesting.h"
#include "om_testing.h"

#include "app/om_functions.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "platform/vcl/TTimer.h"
#include "platform/rtl/TStringList.h"

#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cmath>
#include <cstdio>

using namespace omtest;

namespace {

enum class Source {
    MpegPs,      // MPEG-2 video and MP2 sound in a program stream
    Vob,         // a DVD's video object, 720x576
    Mpeg4Mp3Avi, // as ffmpeg writes an AVI
    XvidAvi,     // XviD with B-frames
    H264Mp4,
    TwoLanguageMkv, // two languages of sound, an SRT file beside it
    Wmv,
    SmallSilentAvi, // 160x120, no sound
    CutMpeg,        // the first 2.5 MB of a longer program stream
    CutMp4,         // an MP4 cut before its index
    RandomBytes,
    UnevenRateMp4,  // a phone's way: 30 pictures a second and 10 in turn, each for a second
    Turned90Mp4,    // stored landscape, shown portrait: turned a quarter one way
    Turned270Mp4,   // and the other
    OddAnamorphic,  // 321x241 stored, pixels a third wider than high: shown 428x241
    Wide,           // 16:9 in square pixels
    Portrait,       // 9:16 in square pixels
    TurnedPhone,    // 1280x720 stored, shown upright, as a phone writes it
};

struct SourceCase {
    Source Kind;
    const char* Name; // the test name and the file's base name
    const char* Ext;
    bool Broken;      // nothing can be made of it
    bool Uneven = false; // its pictures come at an uneven rate: it covers its length, not frames / rate
    int Turn = 0;        // the clockwise quarter turns a player gives the picture (1 or 3)
    const char* Only = ""; // the devices it is converted for, "|" between them ("" = every one)
    bool Fill = false;     // cropped to fill the device's screen, as Start has it by default
};

const SourceCase Sources[] = {
    {Source::MpegPs, "MpegPs", "mpg", false},          {Source::Vob, "Vob", "vob", false},
    {Source::Mpeg4Mp3Avi, "Mpeg4Mp3Avi", "avi", false}, {Source::XvidAvi, "XvidAvi", "avi", false},
    {Source::H264Mp4, "H264Mp4", "mp4", false},        {Source::TwoLanguageMkv, "TwoLanguageMkv", "mkv", false},
    {Source::Wmv, "Wmv", "wmv", false},                {Source::SmallSilentAvi, "SmallSilentAvi", "avi", false},
    {Source::CutMpeg, "CutMpeg", "mpg", false},        {Source::CutMp4, "CutMp4", "mp4", true},
    {Source::RandomBytes, "RandomBytes", "avi", true},
    {Source::UnevenRateMp4, "UnevenRateMp4", "mp4", false, true},
    {Source::Turned90Mp4, "Turned90Mp4", "mp4", false, false, 1},
    {Source::Turned270Mp4, "Turned270Mp4", "mp4", false, false, 3},
    {Source::OddAnamorphic, "OddAnamorphic", "mp4", false, false, 0,
     "iPhone / iPod Touch|iPod Classic/Nano/Video|Zune 4/8/80|Playstation Portable|Windows Mobile VGA"},
    {Source::Wide, "Wide", "mp4", false, false, 0, "Windows Mobile|Palm Treo / Centro|Zune 30"},
    {Source::Portrait, "Portrait", "mp4", false, false, 0, "Windows Mobile|Palm Treo / Centro|Zune 30"},
    {Source::TurnedPhone, "TurnedPhone", "mp4", false, false, 1, "3gpp Cellphone", true},
};

struct DeviceCase {
    const char* Device;
    const char* Ext;
    const char* Format; // ffprobe's format name
    const char* Video;
    const char* Audio;  // ffprobe's codec names, "|" between the ones accepted
    double MaxFps;
    const char* Profile; // the H.264 profiles the device plays, "|" between them ("" = any)
};

const char* const Mp4Format = "mov,mp4,m4a,3gp,3g2,mj2";
const char* const Baseline = "Constrained Baseline|Baseline";
const DeviceCase Devices[] = {
    {"iPhone / iPod Touch", "mp4", Mp4Format, "h264", "aac", 30, Baseline},
    {"iPod Classic/Nano/Video", "mp4", Mp4Format, "h264", "aac", 30, Baseline},
    {"3gpp Cellphone", "3gp", Mp4Format, "h263", "amr_nb|aac", 12, ""},
    {"Zune 4/8/80", "mp4", Mp4Format, "h264", "aac", 30, Baseline},
    {"Zune 30", "wmv", "asf", "wmv2", "wmav2", 30, ""},
    {"Playstation Portable", "mp4", Mp4Format, "h264", "aac", 30, "Main"},
    {"Windows Mobile", "avi", "avi", "mpeg4", "mp3", 30, ""},
    {"Windows Mobile VGA", "avi", "avi", "mpeg4", "mp3", 25, ""},
    {"Palm Treo / Centro", "avi", "avi", "mpeg4", "mp3", 25, ""},
};

// Noise makes every frame expensive, so a clip of a few seconds is large enough for the scan.
const std::string Picture = "-f lavfi -i testsrc2=size=320x240:rate=25,noise=alls=40:allf=t ";
const std::string Tone = "-f lavfi -i sine=frequency=440:sample_rate=44100 ";

// The ffmpeg commands that make a source at Path (its folder exists).
std::string MakeCommands(Source Kind, const std::string& Path)
{
    const std::string out = ShellQuote(Path);
    const std::string ff = "ffmpeg -nostdin -v error -y ";
    switch (Kind) {
    case Source::MpegPs:
        return ff + Picture + Tone + "-t 5 -c:v mpeg2video -b:v 4M -maxrate 4M -bufsize 2M -c:a mp2 -f mpeg " + out;
    case Source::Vob:
        return ff + "-f lavfi -i testsrc2=size=720x576:rate=25,noise=alls=40:allf=t -f lavfi -i sine=sample_rate=48000 "
                    "-t 4 -target pal-dvd -b:v 5M " + out;
    case Source::Mpeg4Mp3Avi:
        return ff + Picture + Tone + "-t 5 -c:v mpeg4 -q:v 2 -c:a libmp3lame -ac 2 " + out;
    case Source::XvidAvi:
        return ff + Picture + Tone + "-t 6 -c:v libxvid -bf 2 -q:v 2 -c:a libmp3lame -ac 2 " + out;
    case Source::H264Mp4:
        return ff + Picture + Tone + "-t 5 -c:v libx264 -b:v 5M -c:a aac " + out;
    case Source::TwoLanguageMkv:
        return ff + Picture + "-f lavfi -i sine=frequency=300 -f lavfi -i sine=frequency=600 -t 5 -map 0:v -map 1:a "
                    "-map 2:a -c:v libx264 -b:v 5M -c:a libmp3lame -metadata:s:a:0 language=eng "
                    "-metadata:s:a:1 language=fre " + out;
    case Source::Wmv:
        return ff + Picture + Tone + "-t 5 -c:v wmv2 -b:v 5M -c:a wmav2 " + out;
    case Source::SmallSilentAvi:
        return ff + "-f lavfi -i testsrc2=size=160x120:rate=25,noise=alls=100:allf=t -t 5 -c:v mpeg4 -q:v 1 " + out;
    case Source::CutMpeg:
        return "(" + ff + Picture + Tone + "-t 10 -c:v mpeg2video -b:v 4M -maxrate 4M -bufsize 2M -c:a mp2 -f mpeg " +
               out + ".whole && head -c 2500000 " + out + ".whole > " + out + " && rm " + out + ".whole)";
    case Source::CutMp4:
        return "(" + ff + Picture + Tone + "-t 8 -c:v libx264 -b:v 5M -c:a aac -f mp4 " + out + ".whole && head -c 2500000 " +
               out + ".whole > " + out + " && rm " + out + ".whole)";
    case Source::RandomBytes:
        return "(head -c 2500000 /dev/urandom > " + out + ")";
    case Source::UnevenRateMp4:
        return ff + "-f lavfi -i testsrc2=size=320x240:rate=30,noise=alls=40:allf=t " + Tone +
               "-t 6 -vf \"select='if(mod(floor(t),2),not(mod(n,3)),1)'\" -fps_mode vfr -c:v libx264 -b:v 5M -c:a aac " + out;
    case Source::Turned90Mp4:
    case Source::Turned270Mp4:
    case Source::TurnedPhone:
        // The flag is written on a copy: an encode of this ffmpeg does not take it.
        return "(" + ff + "-f lavfi -i testsrc2=size=" + (Kind == Source::TurnedPhone ? "1280x720" : "320x240") +
               ":rate=25,noise=alls=20:allf=t " + Tone + "-t " + (Kind == Source::TurnedPhone ? "3" : "5") +
               " -c:v libx264 -b:v 5M -c:a aac " + out + ".whole.mp4 && " + ff + "-i " + out +
               ".whole.mp4 -c copy -metadata:s:v:0 rotate=" + (Kind == Source::Turned270Mp4 ? "270 " : "90 ") + out +
               " && rm " + out + ".whole.mp4)";
    case Source::OddAnamorphic:
        return ff + "-f lavfi -i testsrc2=size=322x242:rate=25,noise=alls=20:allf=t " + Tone +
               "-t 3 -vf scale=321:241,setsar=4/3 -c:v mpeg4 -q:v 2 -c:a aac " + out;
    case Source::Wide:
    case Source::Portrait:
        return ff + "-f lavfi -i testsrc2=size=" + (Kind == Source::Wide ? "640x360" : "360x640") +
               ":rate=25,noise=alls=20:allf=t " + Tone + "-t 5 -c:v libx264 -b:v 5M -c:a aac " + out;
    }
    return "false";
}

std::string SharedSource(const SourceCase& Case)
{
    return omtest::SharedSource(Case.Name, Case.Ext, [&Case](const std::string& Path) { return MakeCommands(Case.Kind, Path); },
                                [&Case](const std::string& Scratch, const std::string& Dir) {
                                    if (Case.Kind != Source::TwoLanguageMkv)
                                        return;
                                    std::ofstream(Scratch + Case.Name + ".srt") << "1\n00:00:01,000 --> 00:00:03,000\nHello\n";
                                    fs::rename(Scratch + Case.Name + ".srt", Dir + Case.Name + ".srt");
                                });
}

// The frame rate ffprobe gives a file's video ("25/1" -> 25).
double ProbeRate(const std::string& Path)
{
    const std::string rate = ProbeEntries(Path, "-select_streams v:0", "stream=r_frame_rate");
    double num = 0, den = 0;
    return std::sscanf(rate.c_str(), "%lf/%lf", &num, &den) == 2 && den > 0 ? num / den : 0;
}

// How the source's picture, as a player shows it (turned by its flag), is brought to the output's
// size: fitted and framed in black, the same turned half round, or cut to fill it.
enum class Framing { Fitted, UpsideDown, Filled };

// How like the source's first picture, framed so, the output's first picture is: ffmpeg's PSNR in dB.
double FirstPictureLikeness(const std::string& Output, const std::string& Source, Framing How)
{
    const std::string size = ProbeEntries(Output, "-select_streams v:0", "stream=width,height");
    const std::size_t comma = size.find(',');
    if (comma == std::string::npos)
        return 0;
    const std::string w = size.substr(0, comma), h = size.substr(comma + 1);
    const std::string fit = How == Framing::Filled
                                ? "scale=" + w + ":" + h + ":force_original_aspect_ratio=increase,crop=" + w + ":" + h
                                : "scale=" + w + ":" + h + ":force_original_aspect_ratio=decrease,pad=" + w + ":" + h +
                                      ":-1:-1" + (How == Framing::UpsideDown ? ",hflip,vflip" : "");
    const std::string report = Capture("ffmpeg -nostdin -i " + ShellQuote(Output) + " -i " + ShellQuote(Source) +
                                       " -filter_complex \"[1:v]" + fit + ",format=yuv420p[ref];[0:v]format=yuv420p[out];"
                                       "[out][ref]psnr\" -frames:v 1 -f null - 2>&1");
    const std::size_t at = report.find("average:");
    return at == std::string::npos ? 0 : ParseFloatDot(report.substr(at + 8, report.find(' ', at) - at - 8));
}

bool OneOf(const std::string& Codec, const std::string& Accepted)
{
    return !Codec.empty() && ("|" + Accepted + "|").find("|" + Codec + "|") != std::string::npos;
}

// A picture's stored size and the shape it is shown in (width over height, its pixel aspect applied).
struct Shown {
    int Width = 0;
    int Height = 0;
    double Aspect = 0;
};

Shown ProbeShown(const std::string& Path)
{
    Shown shown;
    double num = 1, den = 1;
    const std::string entries = ProbeEntries(Path, "-select_streams v:0", "stream=width,height,sample_aspect_ratio");
    if (std::sscanf(entries.c_str(), "%d,%d,%lf:%lf", &shown.Width, &shown.Height, &num, &den) < 2 || shown.Height <= 0)
        return shown;
    shown.Aspect = shown.Width * (num > 0 && den > 0 ? num / den : 1) / shown.Height; // "N/A" and "0:1": square
    return shown;
}

struct MatrixCase {
    SourceCase From;
    DeviceCase To;
};

void PrintTo(const MatrixCase& Case, std::ostream* Out)
{
    *Out << Case.From.Name << " for " << Case.To.Device;
}

std::vector<MatrixCase> AllCases()
{
    std::vector<MatrixCase> cases;
    for (const SourceCase& s : Sources)
        for (const DeviceCase& d : Devices)
            if (!*s.Only || OneOf(d.Device, s.Only))
                cases.push_back({s, d});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<MatrixCase>& Info)
{
    std::string name = std::string(Info.param.From.Name) + "_";
    for (const char* c = Info.param.To.Device; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    return name;
}

struct Matrix : ConvertFixture, ::testing::WithParamInterface<MatrixCase> {};

} // namespace

TEST_P(Matrix, ResultIsWhatTheDevicePlays)
{
    const MatrixCase c = GetParam();
    const std::string source = SharedSource(c.From);
    ASSERT_FALSE(source.empty()) << "ffmpeg could not make the source";

    Form->DropFiles({source});
    Form->ScanTimerTimer(Form->ScanTimer);
    Choose(c.To.Device);
    if (c.From.Fill)
        Options.DetectCrop = [this](int JobRow) { DetectCrop(*Form, JobRow, TCropMode::FillDevice); };
    ConvertQueue(*Form, Options);
    const std::string out = Dest + c.From.Name + "." + c.To.Ext;

    if (c.From.Broken) {
        // Nothing playable can come of it: no file under the final name, nothing reported done.
        EXPECT_FALSE(fs::exists(out)) << AllCommands();
        for (int r = 0; r < Form->StringGrid1->RowCount(); ++r)
            EXPECT_NE(Cell(SourceRecord::Selected, r), "Done") << AllCommands();
        return;
    }

    // What the queue shows of the source: its length within 2 % of what the file holds (the size
    // estimate is made of it) and its picture rate.
    const double length = ParseFloatDot(Cell(SourceRecord::Length));
    EXPECT_NEAR(length, ProbeSeconds(source), ProbeSeconds(source) * 0.02);
    EXPECT_GT(ParseFloatDot(Cell(SourceRecord::FrameRate)), 0);

    ASSERT_TRUE(fs::exists(out)) << AllCommands() << Form->status->ProgressText();
    EXPECT_EQ(ProbeEntries(out, "", "format=format_name"), c.To.Format);
    EXPECT_EQ(ProbeEntries(out, "-select_streams v:0", "stream=codec_name"), c.To.Video) << AllCommands();

    // What the job covers is the whole source: the pictures and the length a player gets of it.
    const double sourceRate = ProbeRate(source);
    ASSERT_GT(sourceRate, 0);
    const double covered = c.From.Uneven ? ProbeSeconds(source) : ProbeFrames(source) / sourceRate;
    const double rate = std::clamp(std::min(sourceRate, c.To.MaxFps), 5.0, 30.0);
    const double frames = ProbeFrames(out);
    EXPECT_NEAR(frames, covered * rate, covered * rate * 0.03) << AllCommands();
    EXPECT_NEAR(ProbeSeconds(out), covered, covered * 0.03) << AllCommands();

    const std::string audio = ProbeEntries(out, "-select_streams a:0", "stream=codec_name");
    const bool sourceAudio = !ProbeEntries(source, "-select_streams a:0", "stream=codec_name").empty();
    if (sourceAudio || !audio.empty()) {
        EXPECT_TRUE(OneOf(audio, c.To.Audio)) << "audio: \"" << audio << "\"\n" << AllCommands();
    }
    // The sound lasts as long as the picture (an encoder that keeps a packet or two of it leaves a
    // stream that is there but silent).
    if (sourceAudio) {
        const double sound = std::min(covered, ProbeAudioSeconds(source));
        EXPECT_NEAR(ProbeAudioSeconds(out), sound, sound * 0.03) << AllCommands();
    }

    EXPECT_EQ(DecodeErrors(out), "") << AllCommands();

    if (*c.To.Profile) {
        const std::string profile = ProbeEntries(out, "-select_streams v:0", "stream=profile");
        EXPECT_TRUE(OneOf(profile, c.To.Profile)) << profile;
    }
    if (c.From.Turn != 0) {
        // Upright: the first picture is the one a player shows of the source, not the one upside down.
        const double upright = FirstPictureLikeness(out, source, c.From.Fill ? Framing::Filled : Framing::Fitted);
        EXPECT_GT(upright, FirstPictureLikeness(out, source, Framing::UpsideDown) + 3) << AllCommands();
    }

    // The picture's sides are even, as its codec needs, and it is shown in its source's shape (the
    // fixed screen of 3gpp frames it in black), or cut to fill the screen without being stretched.
    const Shown made = ProbeShown(out);
    EXPECT_TRUE(made.Width % 2 == 0 && made.Height % 2 == 0) << made.Width << "x" << made.Height;
    if (c.From.Fill) {
        EXPECT_GT(FirstPictureLikeness(out, source, Framing::Filled),
                  FirstPictureLikeness(out, source, Framing::Fitted) + 3) << AllCommands();
    } else if (std::string(c.To.Video) != "h263") {
        const Shown from = ProbeShown(source);
        const double error = made.Aspect / (c.From.Turn % 2 ? 1 / from.Aspect : from.Aspect) - 1;
        RecordProperty("ShownAspectError", Format("%.4f", {error}));
        EXPECT_NEAR(error, 0, 0.02) << made.Width << "x" << made.Height << "\n" << AllCommands();
    }

    // Only the real key pictures are marked as such, so a player seeks to pictures it can show.
    const std::string flags = Capture("ffprobe -v error -select_streams v:0 -show_entries packet=flags -of csv=p=0 " +
                                      ShellQuote(out));
    const auto keys = std::count(flags.begin(), flags.end(), 'K');
    EXPECT_GE(keys, 1);
    EXPECT_LT(keys, frames) << "key pictures: " << keys;
}

INSTANTIATE_TEST_SUITE_P(EverySourceEveryDevice, Matrix, ::testing::ValuesIn(AllCases()), CaseName);
