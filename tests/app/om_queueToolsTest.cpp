// Queue rows and the preview against the real tools: a clip with two audio tracks made by ffmpeg is
// dropped on the window, identified by the player and shown as a row with its thumbnail; the preview
// then plays it with the real player (no picture: there is no display) and answers slave commands.
#include "app/om_queue.h"

#include "om_queueTesting.h"
#include "om_testing.h"

#include "app/Unit2.h"
#include "app/om_preview.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TTimer.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/controls/TskSkinGauge.h"
#include "skin/controls/TskSkinScrollBox.h"
#include "skin/controls/TskSkinSpeedButton.h"

#include <chrono>

using namespace omtest;

namespace {

struct Clip {
    TempFolder Dir;
    std::string Path;
    bool Ok = false;
    Clip()
    {
        // The scan passes over small files: every frame a key frame makes it large enough.
        Path = Dir / "Two \"Tracks\" clip.avi";
        Ok = RunQuiet("ffmpeg -y -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440:sample_rate=48000 "
                      "-f lavfi -i sine=frequency=660:sample_rate=48000 -map 0:v -map 1:a -map 2:a -t 20 -c:v mpeg4 "
                      "-q:v 2 -g 1 -c:a mp3 -ac 2 '" + Path + "'");
    }
};

Clip& TheClip()
{
    static Clip clip;
    return clip;
}

struct RealRows : FormTest {
    THeadlessDriver Driver{false};
    TskSkinScrollBox* Box = nullptr;
    TOmQueue* Queue = nullptr;

    void SetUp() override
    {
        FormTest::SetUp();
        if (!TheClip().Ok)
            GTEST_SKIP() << "ffmpeg could not make the test clip";
        Box = QueueBox(*Form, 600, 200);
        Queue = new TOmQueue(Form.get());
        Queue->skSkinScrollpanel1 = Box;
    }
    // Drops the clip and scans it as the timer would; the row of the new record.
    int DropAndScan()
    {
        Form->DropFiles({TheClip().Path});
        Form->ScanTimerTimer(Form->ScanTimer);
        return Queue->HasRow(0) ? 0 : -1;
    }
};

} // namespace

TEST_F(RealRows, IdentifiedClip_BecomesARowWithItsThumbnailAndBothAudioTracks)
{
    const int r = DropAndScan();
    ASSERT_EQ(r, 0) << Form->status->ProgressText();
    TImage* pic = Queue->RowPicture(r);
    ASSERT_NE(pic, nullptr);
    EXPECT_GT(pic->Picture()->Width(), 0) << "no thumbnail was made";
    auto* aid = dynamic_cast<TskSkinComboBox*>(Queue->Find({"pnl0_", "pnl2_", "pnl9_", "aidbox_"}, r));
    ASSERT_NE(aid, nullptr);
    EXPECT_EQ(aid->Items()->Count(), 2);
    EXPECT_TRUE(aid->Visible());
    auto* gauge = dynamic_cast<TskSkinGauge*>(Queue->Find({"pnl0_", "pnl4_", "pnl5_", "progress_"}, r));
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->MaxValue(), 20);
    EXPECT_EQ(Cell(SourceRecord::OutputName, r), "Two \"Tracks\" clip");
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
    EXPECT_EQ(Form->RunState.Scanning, 0);

    // The stored form's text panel lies over the queue until the rows are shown; the picture is of
    // the row.
    if (auto* text = dynamic_cast<TControl*>(Form->FindComponent("textpanel")))
        text->Hide();
    Form->Show();
    Driver.ProcessMessages();
    Driver.SaveWindow(Form->Handle(), "queue_row_real_clip", OMBRIX_TEST_PICTURES);
}

TEST_F(RealRows, PreviewPlaysTheClip_AnswersSlaveCommands_AndStops)
{
    const int r = DropAndScan();
    ASSERT_EQ(r, 0) << Form->status->ProgressText();
    TForm2 preview(nullptr);
    preview.Attach(Form.get(), Queue);
    Queue->RowPicture(r)->OnClick(Queue->RowPicture(r));
    ASSERT_TRUE(preview.Visible());
    // The row's own thumbnail, shown large.
    EXPECT_GT(preview.Image1->Picture()->Width(), 0);
    Driver.ProcessMessages();
    Driver.SaveWindow(preview.Handle(), "preview_real_clip", OMBRIX_TEST_PICTURES);

    std::vector<std::string> lines;
    bool answered = false;
    Form->OxCreateProcess1->OnRead = [&](TObject*, const std::string& Line, bool, bool Ends) {
        if (Ends)
            lines.push_back(Line);
        answered = answered || Line.find("ANS_TIME_POSITION=") != std::string::npos;
    };
    // Once the player runs: switch to the second track, ask for the position, then stop.
    TTimer asker(nullptr);
    TTimer stopper(nullptr);
    bool asked = false;
    asker.SetInterval(500);
    asker.OnTimer = [&](TObject*) {
        if (Form->RunState.ToolRunning == 0 || asked)
            return;
        asked = true;
        auto* aid = dynamic_cast<TskSkinComboBox*>(Queue->Find({"pnl0_", "pnl2_", "pnl9_", "aidbox_"}, r));
        aid->SetItemIndex(1);
        SlaveCommand(*Form, "get_time_pos");
        stopper.SetEnabled(true);
    };
    // Stopped once the player has answered; a loaded machine may take a while to answer, so the
    // bound (well inside the clip's 20 seconds) only ends a player that never does.
    std::chrono::steady_clock::time_point askedAt;
    stopper.SetInterval(100);
    stopper.SetEnabled(false);
    stopper.OnTimer = [&](TObject*) {
        if (askedAt == std::chrono::steady_clock::time_point{})
            askedAt = std::chrono::steady_clock::now();
        if (!answered && std::chrono::steady_clock::now() - askedAt < std::chrono::seconds(10))
            return;
        stopper.SetEnabled(false);
        preview.skSkinSpeedButton3Click(preview.skSkinSpeedButton3);
    };
    asker.SetEnabled(true);
    const auto start = std::chrono::steady_clock::now();
    preview.PlayPreview();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_TRUE(asked);
    std::string all;
    for (const std::string& l : lines)
        all += l + "\n";
    EXPECT_NE(all.find("ANS_TIME_POSITION="), std::string::npos) << all;
    EXPECT_EQ(Cell(SourceRecord::AudioIndex, r), "1");
    // Stopped before the clip's 20 seconds, and nothing is left running.
    EXPECT_LT(seconds, 18.0);
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
    EXPECT_EQ(Form->RunState.GrabMode, 0);
    EXPECT_EQ(Form->RunControl().RunningKind(), TToolKind::None);
    EXPECT_FALSE(preview.Visible());
}
