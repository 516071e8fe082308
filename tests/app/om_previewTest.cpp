// The preview's run side, headless: the player is a stand-in script in the work folder that answers
// every slave command line it reads, so a test sees exactly what reached it.
#include "app/om_preview.h"

#include "om_testing.h"

#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TTimer.h"

#include <algorithm>

using namespace omtest;

namespace {

using Args = std::vector<std::string>;

bool Has(const Args& A, const Args& Run)
{
    return std::search(A.begin(), A.end(), Run.begin(), Run.end()) != A.end();
}

struct Preview : FormTest {
    std::vector<std::string> Lines;

    void SetUp() override
    {
        FormTest::SetUp();
        fs::create_directories(Form->WorkFolder);
        const std::string player = Form->WorkFolder + "mplayer";
        std::ofstream(player) << "#!/bin/sh\necho playing\nwhile IFS= read -r line; do echo \"got:$line\"; done\n";
        fs::permissions(player, fs::perms::owner_all);
        Form->OxCreateProcess1->OnRead = [this](TObject*, const std::string& Line, bool, bool Ends) {
            if (Ends)
                Lines.push_back(Line);
        };
        TskSkinStringGrid& g = *Form->StringGrid1;
        g.SetCells(SourceRecord::RowId, 0, "00000");
        g.SetCells(SourceRecord::SourceArg, 0, QuoteArg("/v/My \"Clip\".avi"));
        g.SetCells(SourceRecord::Length, 0, "20.00");
        g.SetCells(SourceRecord::AudioChoice, 0, "128 English");
        g.SetCells(SourceRecord::VideoAspect, 0, "1.7778");
    }

    // Runs Action from a timer once the player (or any tool) runs, the way a click in the preview
    // window arrives while Play waits.
    void WhilePlaying(std::function<void()> Action)
    {
        auto* timer = new TTimer(nullptr);
        Timers.emplace_back(timer);
        timer->SetInterval(50);
        timer->OnTimer = [this, timer, Action](TObject*) {
            if (Form->RunState.ToolRunning == 0)
                return;
            timer->SetEnabled(false);
            Action();
        };
        timer->SetEnabled(true);
    }
    std::vector<std::unique_ptr<TTimer>> Timers;
};

} // namespace

// --- the player command ---------------------------------------------------------------------------

TEST_F(Preview, Command_RecordsAudioChoice_NoSubtitles_AspectAndWindow)
{
    const Args a = SplitCommandLine(PreviewCommand(*Form->StringGrid1, 0, "2 French", "", 4196));
    EXPECT_EQ(a[0], "mplayer");
    EXPECT_EQ(a[1], "/v/My \"Clip\".avi");
    EXPECT_TRUE(Has(a, {"-slave", "-nokeepaspect", "-aid", "128", "-noautosub", "-forcedsubsonly", "-wid", "4196",
                        "-aspect", "1.7778"}));
    EXPECT_EQ(std::count(a.begin(), a.end(), "-identify"), 0);
}

TEST_F(Preview, Command_PictureScaledToTheWindowWithoutASizeOfItsOwn_NoWindowNoScaling)
{
    // A size given to the player would replace the picture's own in its video-output line, the line
    // the picture area takes the source's aspect from.
    const Args a = SplitCommandLine(PreviewCommand(*Form->StringGrid1, 0, "", "", 4196));
    EXPECT_TRUE(Has(a, {"-wid", "4196"}));
    EXPECT_EQ(std::count(a.begin(), a.end(), "-zoom"), 1);
    EXPECT_EQ(std::count(a.begin(), a.end(), "-x") + std::count(a.begin(), a.end(), "-y"), 0);
    const Args none = SplitCommandLine(PreviewCommand(*Form->StringGrid1, 0, "", "", 0));
    EXPECT_EQ(std::count(none.begin(), none.end(), "-zoom"), 0);
}

TEST_F(Preview, Command_ProgramStreamsAreReadOnForTheirSound_OtherFilesAreNot)
{
    const auto reads_on = [this](const std::string& path) {
        Form->StringGrid1->SetCells(SourceRecord::SourcePath, 0, path);
        const Args a = SplitCommandLine(PreviewCommand(*Form->StringGrid1, 0, "", "", 1));
        return std::count(a.begin(), a.end(), "-ni") == 1;
    };
    EXPECT_TRUE(reads_on("/v/title.VOB"));
    EXPECT_TRUE(reads_on("/v/clip.mpg"));
    EXPECT_FALSE(reads_on("/v/My \"Clip\".avi"));
}

TEST_F(Preview, Command_SideSubtitleIsOneQuotedPath_StreamSubtitleAnId)
{
    const Args side = SplitCommandLine(PreviewCommand(*Form->StringGrid1, 0, "", " SRT File:/v/My \"Clip\".srt", 1));
    EXPECT_TRUE(Has(side, {"-sub", "/v/My \"Clip\".srt"}));
    EXPECT_EQ(std::count(side.begin(), side.end(), "-sid"), 0);
    const Args stream = SplitCommandLine(PreviewCommand(*Form->StringGrid1, 0, "", "3 German", 1));
    EXPECT_TRUE(Has(stream, {"-sid", "3"}));
}

TEST_F(Preview, Command_NoUsableAudioId_NoAidOption_UnknownLengthAsksForIdentify)
{
    Form->StringGrid1->SetCells(SourceRecord::AudioChoice, 0, "");
    Form->StringGrid1->SetCells(SourceRecord::Length, 0, "");
    const Args a = SplitCommandLine(PreviewCommand(*Form->StringGrid1, 0, "audio", "", 1));
    EXPECT_EQ(std::count(a.begin(), a.end(), "-aid"), 0);
    EXPECT_EQ(a.back(), "-identify");
}

// --- play, stop and slave commands -------------------------------------------------------------------

TEST_F(Preview, SlaveCommandsReachThePlayer_AndStopEndsIt)
{
    std::vector<bool> results;
    WhilePlaying([&] {
        results.push_back(SlaveCommand(*Form, "seek 10 2"));
        results.push_back(SlaveCommand(*Form, "switch_audio 128"));
        // Give the player a moment to answer before it is stopped.
        TTimer* later = new TTimer(nullptr);
        Timers.emplace_back(later);
        later->SetInterval(300);
        later->OnTimer = [&, later](TObject*) {
            later->SetEnabled(false);
            results.push_back(StopPreview(*Form));
        };
        later->SetEnabled(true);
    });
    EXPECT_TRUE(PlayPreview(*Form, 0, "", "", 1));
    EXPECT_EQ(results, (std::vector<bool>{true, true, true}));
    std::string all;
    for (const std::string& l : Lines)
        all += l + "|";
    EXPECT_NE(all.find("got:seek 10 2"), std::string::npos) << all;
    EXPECT_NE(all.find("got:switch_audio 128"), std::string::npos) << all;
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
    EXPECT_EQ(Form->RunState.GrabMode, 0);
}

TEST_F(Preview, PlayWhilePlaying_StopsThePlayer)
{
    bool again = false;
    WhilePlaying([&] { again = PlayPreview(*Form, 0, "", "", 1); });
    EXPECT_TRUE(PlayPreview(*Form, 0, "", "", 1));
    EXPECT_TRUE(again);
    EXPECT_EQ(Form->RunControl().RunningKind(), TToolKind::None);
}

TEST_F(Preview, Play_RefusedWhileAConversionOrScanRuns)
{
    Form->RunState.Converting = -1;
    EXPECT_FALSE(PlayPreview(*Form, 0, "", "", 1));
    Form->RunState.Converting = 0;
    Form->RunState.Scanning = -1;
    EXPECT_FALSE(PlayPreview(*Form, 0, "", "", 1));
    EXPECT_TRUE(Lines.empty());
    EXPECT_EQ(Form->RunState.GrabMode, 0);
}

TEST_F(Preview, EncoderRun_IsNeitherStoppedNorSentSlaveText)
{
    TRunControl& run = Form->RunControl();
    ASSERT_TRUE(run.RunTool("\"sh\" -c \"cat; echo ended\"", TToolKind::Encode));
    EXPECT_FALSE(PlayPreview(*Form, 0, "", "", 1));
    EXPECT_FALSE(StopPreview(*Form));
    EXPECT_FALSE(SlaveCommand(*Form, "seek 10 2"));
    EXPECT_TRUE(Form->OxCreateProcess1->Waiting());
    EXPECT_EQ(run.RunningKind(), TToolKind::Encode);
    run.KillTools(500);
    run.WaitForTool();
    // Nothing was written to the encoder's input.
    EXPECT_EQ(std::count_if(Lines.begin(), Lines.end(), [](const std::string& l) { return l.find("seek") != std::string::npos; }), 0);
}
