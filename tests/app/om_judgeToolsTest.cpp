// A conversion judged by the file it made, with the real player as the judge: a clip is dropped and
// identified by the real player, then converted. Broken results (no file, an empty one, 32 bytes,
// one picture) fail visibly and leave the final name free; a range of the source is judged against
// that range; a stopped or skipped job never leaves a file under the final name.
#include "app/om_judge.h"

#include "om_convertTesting.h"
#include "om_probeTesting.h"
#include "om_queueTesting.h"

#include "app/om_convert.h"
#include "app/om_queue.h"
#include "app/om_runcontrol.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TTimer.h"
#include "skin/controls/TskSkinGauge.h"

using namespace omtest;

namespace {

struct Judged : ConvertFixture {
    THeadlessDriver Driver{false};
    TOmQueue* Queue = nullptr;
    std::string Clip;

    void SetUp() override
    {
        ConvertFixture::SetUp();
        Queue = new TOmQueue(Form.get());
        Queue->skSkinScrollpanel1 = QueueBox(*Form, 600, 200);
        // 20 seconds with sound, a few pictures a second so the encoders are quick.
        Clip = Dir / "Beach Day.avi";
        ASSERT_TRUE(RunQuiet("ffmpeg -y -f lavfi -i testsrc=size=480x360:rate=12 -f lavfi -i sine=sample_rate=44100 "
                             "-t 20 -c:v mpeg4 -b:v 800k -c:a mp3 -ac 2 '" + Clip + "'"));
        Form->DropFiles({Clip});
        Form->ScanTimerTimer(Form->ScanTimer);
        ASSERT_TRUE(Queue->HasRow(0)) << Form->status->ProgressText();
    }
    void Convert(const std::string& Device)
    {
        Choose(Device);
        ConvertQueue(*Form, Options);
    }
    std::string RowText() const
    {
        auto* gauge = dynamic_cast<TskSkinGauge*>(Queue->Find({"pnl0_", "pnl4_", "pnl5_", "progress_"}, 0));
        return gauge ? gauge->GaugeText() : "(no gauge)";
    }
    std::string Listing() const
    {
        std::string names;
        for (const auto& e : fs::directory_iterator(Dest))
            names += e.path().filename().string() + ";";
        return names;
    }
};

// What a broken encoder leaves: nothing, an empty file, 32 bytes, or a file of one picture.
enum class Leaves { Nothing, Empty, Bytes32, OnePicture };

struct BrokenEncoder : Judged, ::testing::WithParamInterface<Leaves> {
    // A stand-in "mencoder" in the work folder (where tools are looked for first) writes what the
    // case asks for and exits 0, as a failing encoder often does; the player judging it is the real one.
    void InstallEncoder(Leaves What)
    {
        const std::string work = Form->WorkFolder;
        fs::create_directories(work);
        const std::string picture = work + "one.avi";
        ASSERT_TRUE(RunQuiet("ffmpeg -y -f lavfi -i testsrc=size=320x240:rate=12 -frames:v 1 -c:v mpeg4 '" + picture + "'"));
        std::string write;
        switch (What) {
        case Leaves::Nothing: write = ":"; break;
        case Leaves::Empty: write = ": > \"$out\""; break;
        case Leaves::Bytes32: write = "printf '0123456789abcdef0123456789abcdef' > \"$out\""; break;
        case Leaves::OnePicture: write = "cp '" + picture + "' \"$out\""; break;
        }
        std::ofstream(work + "mencoder") << "#!/bin/sh\nout=\"\"\nwhile [ $# -gt 0 ]; do\n"
                                            "  if [ \"$1\" = \"-o\" ]; then out=\"$2\"; fi\n  shift\ndone\n"
                                         << write << "\nexit 0\n";
        fs::permissions(work + "mencoder", fs::perms::owner_all);
    }
};

} // namespace

TEST_P(BrokenEncoder, FailsInTheRowAndTheStatus_AndLeavesTheFinalNameFree)
{
    InstallEncoder(GetParam());
    Convert("Windows Mobile");
    EXPECT_EQ(Cell(SourceRecord::Selected), "No");
    EXPECT_EQ(RowText(), "Failed");
    EXPECT_EQ(Form->status->ProgressText().rfind("Failed: Beach Day.avi (", 0), 0u) << Form->status->ProgressText();
    EXPECT_FALSE(fs::exists(Dest + "Beach Day.avi")) << Listing();
    // What the encoder wrote is kept under a name that says so; an empty file holds nothing to keep.
    const bool kept = GetParam() == Leaves::Bytes32 || GetParam() == Leaves::OnePicture;
    EXPECT_EQ(fs::exists(Dest + "Beach Day (incomplete).avi"), kept) << Listing();
}

std::string LeavesName(const ::testing::TestParamInfo<Leaves>& Info)
{
    static const char* const names[] = {"Nothing", "Empty", "Bytes32", "OnePicture"};
    return names[static_cast<int>(Info.param)];
}

INSTANTIATE_TEST_SUITE_P(Results, BrokenEncoder,
                         ::testing::Values(Leaves::Nothing, Leaves::Empty, Leaves::Bytes32, Leaves::OnePicture),
                         LeavesName);

TEST_F(Judged, RangeOfAQuarter_IsJudgedAgainstTheRange)
{
    Form->StringGrid1->SetCells(SourceRecord::StartSeconds, 0, "5");
    Form->StringGrid1->SetCells(SourceRecord::EndSeconds, 0, "10");
    Convert("Windows Mobile");
    EXPECT_EQ(Cell(SourceRecord::Selected), "Done") << Form->status->ProgressText();
    EXPECT_EQ(Form->status->ProgressText(), "Completed");
    EXPECT_NEAR(ProbeSeconds(Dest + "Beach Day.avi"), 5.0, 0.25);
}

TEST_F(Judged, StoppedWhileTheEncoderWritesTheFinalFile_NothingKeepsTheFinalName)
{
    // Stop pressed once the encoder reports progress: it writes the device's file itself.
    bool progress = false;
    Form->OxCreateProcess1->OnRead = [&](TObject* Sender, const std::string& Line, bool Starts, bool Ends) {
        Form->OxCreateProcess1Read(Sender, Line, Starts, Ends);
        progress = progress || Line.find("Trem:") != std::string::npos;
    };
    TTimer button(nullptr);
    button.SetInterval(100);
    button.OnTimer = [&](TObject*) {
        if (progress && Form->RunState.AbortRequested == 0 && Form->RunState.ToolRunning != 0)
            Form->RunControl().Stop();
    };
    button.SetEnabled(true);
    Convert("Windows Mobile");
    ASSERT_NE(Form->RunState.AbortRequested, 0);
    EXPECT_EQ(Form->Tables().convertgrid->Cells(JobRecord::StatusText, 0), "Stopped Conversion");
    EXPECT_FALSE(fs::exists(Dest + "Beach Day.avi")) << Listing();
}

TEST_F(Judged, SkippedWhileThePackingStepRuns_NothingKeepsTheFinalName)
{
    // Skip pressed once the second step (the one writing the device's file) has started.
    bool packing = false;
    bool skipped = false;
    Form->OxCreateProcess1->OnRead = [&](TObject* Sender, const std::string& Line, bool Starts, bool Ends) {
        Form->OxCreateProcess1Read(Sender, Line, Starts, Ends);
        packing = packing || (CommandTool(Form->OxCreateProcess1->CommandLine()) == "ffmpeg" &&
                              Line.find("size=") != std::string::npos);
    };
    TTimer button(nullptr);
    button.SetInterval(50);
    button.OnTimer = [&](TObject*) {
        if (packing && !skipped) {
            skipped = true;
            Form->RunControl().Skip();
        }
    };
    button.SetEnabled(true);
    Convert("iPhone / iPod Touch");
    if (!packing)
        GTEST_SKIP() << "the installed encoder writes this device's file in one step";
    EXPECT_EQ(Form->Tables().convertgrid->Cells(JobRecord::StatusText, 0), "Skipped Conversion");
    EXPECT_FALSE(fs::exists(Dest + "Beach Day.mp4")) << Listing();
}

// A name with a quote in it is still judged (by the player's own run), and the conversion succeeds.
TEST_F(Judged, OutputNameWithAQuote_IsJudgedByARunOfItsOwn)
{
    Form->StringGrid1->SetCells(SourceRecord::OutputName, 0, "Beach \"Day\"");
    Convert("Windows Mobile");
    EXPECT_EQ(Cell(SourceRecord::Selected), "Done") << Form->status->ProgressText() << " " << Listing();
}

// The probing tool started ahead of the judging reads what its own run reads, and the judge says the
// same of both: a clip with sound, the clip cut off after a third of its bytes, bytes that are no
// video, and a name with a quote, a backslash and blanks in it.
TEST_F(Judged, StandbyProbe_ReportsWhatItsOwnRunReports)
{
    const auto always = [] { return true; };
    const std::string cut = Dir / "cut short.avi";
    {
        std::ifstream in(Clip, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 3);
    }
    const std::string noise = Dir / "not a video.avi";
    std::ofstream(noise) << std::string(4096, 'x');
    const std::string odd = Dir / "it's a \\ \"name\".avi";
    fs::copy_file(Clip, odd);
    for (const std::string& file : {Clip, cut, noise, odd}) {
        TMediaReport own, standby;
        ASSERT_TRUE(ProbeOutput(file, own, always)) << file;
        TStandbyProbe probe;
        ASSERT_TRUE(probe.Start(Form->WorkFolder));
        ASSERT_TRUE(probe.Report(file, standby, always)) << file;
        EXPECT_EQ(standby.Video, own.Video) << file;
        EXPECT_EQ(standby.Audio, own.Audio) << file;
        // Where a file leaves a packet's duration out, the standby reader takes it from the rate: at
        // most one picture (1/12 s) more.
        EXPECT_NEAR(standby.Length, own.Length, 0.09) << file;
        EXPECT_NEAR(standby.AudioLength, own.AudioLength, 0.09) << file;
        EXPECT_EQ(JudgeOutput(standby, 20, true), JudgeOutput(own, 20, true)) << file;
    }
    TMediaReport report;
    ASSERT_TRUE(ProbeOutput(cut, report, always));
    EXPECT_EQ(JudgeOutput(report, 20, true), "the output is too short");
}

// No report, so the caller runs the tool on its own: a name that is not whole (relative, or with a
// line break), a tool never started, a judging given up (Stop), and a second question.
TEST_F(Judged, StandbyProbe_GivesNoReport_WhenItCannotBeSure)
{
    const std::string broken = Dir / "two\nlines.avi";
    fs::copy_file(Clip, broken);
    TMediaReport report;
    for (const std::string& name : {std::string("Beach Day.avi"), broken}) {
        TStandbyProbe probe;
        ASSERT_TRUE(probe.Start(Dir.Path.string()));
        EXPECT_FALSE(probe.Report(name, report, [] { return true; })) << name;
        EXPECT_FALSE(report.Video);
    }
    TStandbyProbe never;
    EXPECT_FALSE(never.Report(Clip, report, [] { return true; }));

    TStandbyProbe stopped;
    ASSERT_TRUE(stopped.Start(Form->WorkFolder));
    EXPECT_FALSE(stopped.Report(Clip, report, [] { return false; }));
    EXPECT_FALSE(report.Video);

    TStandbyProbe once;
    ASSERT_TRUE(once.Start(Form->WorkFolder));
    ASSERT_TRUE(once.Report(Clip, report, [] { return true; }));
    EXPECT_TRUE(report.Video);
    EXPECT_FALSE(once.Report(Clip, report, [] { return true; }));
}
