// The queue rows, headless: rows built from source records in a scroll box of the window, the user's
// choices written back into the record, the estimate and the progress, and rows freed.
#include "app/om_queue.h"

#include "om_queueTesting.h"
#include "om_testing.h"

#include "app/om_controls.h"
#include "app/om_preview.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TTimer.h"
#include "platform/win/Window.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinGauge.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinScrollBox.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/data/TskSkinData.h"

using namespace omtest;

namespace {

class TSliderDouble : public IOmSlider {
public:
    int Value() const override { return FValue; }
    void SetValue(int Value) override { FValue = Value; }
    int MaxValue() const override { return 200; }
    void SetMaxValue(int) override {}

private:
    int FValue = 50;
};

const char* TwoAudio = "128_LANG=en\n129_LANG=fr";

struct Rows : FormTest {
    THeadlessDriver Driver{false};
    TskSkinScrollBox* Box = nullptr;
    TOmQueue* Queue = nullptr;
    TSliderDouble Quality;

    void SetUp() override
    {
        FormTest::SetUp();
        Box = QueueBox(*Form, 600, 260);
        Queue = new TOmQueue(Form.get());
        Queue->skSkinScrollpanel1 = Box;
        Queue->vq = &Quality;
    }

    // A source record as identification leaves it (no picture size: no thumbnail tools run).
    int Source(const std::string& Name, const std::string& Audio = "", const std::string& Subtitles = "",
               const std::string& Length = "20.00")
    {
        TskSkinStringGrid& g = *Form->StringGrid1;
        const int r = AppendRow(g);
        g.SetCells(SourceRecord::RowId, r, std::to_string(r));
        g.SetCells(SourceRecord::Title, r, Name);
        g.SetCells(SourceRecord::OutputName, r, Name);
        g.SetCells(SourceRecord::Length, r, Length);
        g.SetCells(SourceRecord::LengthText, r, "0:00:20");
        g.SetCells(SourceRecord::AudioStreams, r, Audio);
        g.SetCells(SourceRecord::SubtitleStreams, r, Subtitles);
        g.SetCells(SourceRecord::Selected, r, "YES");
        return r;
    }
    template <class T> T* At(const std::vector<std::string>& Path, int r) { return dynamic_cast<T*>(Queue->Find(Path, r)); }
    TskSkinComboBox* Aid(int r) { return At<TskSkinComboBox>({"pnl0_", "pnl2_", "pnl9_", "aidbox_"}, r); }
    TskSkinComboBox* Sid(int r) { return At<TskSkinComboBox>({"pnl0_", "pnl2_", "pnl9_", "sidbox_"}, r); }
    TskSkinCheckRadioBox* Subs(int r) { return At<TskSkinCheckRadioBox>({"pnl0_", "pnl2_", "pnl9_", "chk2_"}, r); }
    TskSkinCheckRadioBox* Convert(int r) { return At<TskSkinCheckRadioBox>({"pnl0_", "pnl7_", "chk0_"}, r); }
    TskSkinSpeedButton* Estimate(int r) { return At<TskSkinSpeedButton>({"pnl0_", "pnl4_", "lbl2_"}, r); }
    TskSkinGauge* Gauge(int r) { return At<TskSkinGauge>({"pnl0_", "pnl4_", "pnl5_", "progress_"}, r); }
    TskSkinPanel* Spacer(int r) { return At<TskSkinPanel>({"pnl0_", "pnl2_", "pnl3_"}, r); }
    // The user picks an item: the box changes and reports it.
    static void Pick(TskSkinComboBox* Box, int Index) { Box->SetItemIndex(Index); }
};

} // namespace

// --- building -------------------------------------------------------------------------------------

TEST_F(Rows, AddItem_BuildsTheNamedNestWithTheRecordsValues)
{
    const int r = Source("Holiday \"2009\" 'cut'");
    Form->AddItem(r);
    ASSERT_TRUE(Queue->HasRow(r));
    EXPECT_TRUE(Convert(r)->Checked());
    EXPECT_EQ(At<TskSkinEdit>({"pnl0_", "pnl2_", "edt0_"}, r)->Text(), "Holiday \"2009\" 'cut'");
    EXPECT_EQ(At<TskSkinSpeedButton>({"pnl0_", "lbl0_"}, r)->Caption(), "0:00:20");
    EXPECT_EQ(Estimate(r)->Caption(), "0.00MB");
    EXPECT_EQ(Gauge(r)->MaxValue(), 20);
    EXPECT_EQ(Gauge(r)->Value(), 0);
    EXPECT_EQ(Queue->RowPicture(r)->Tag(), r);
    // Every control of the nest carries the row.
    EXPECT_EQ(Queue->Find({"pnl0_"}, r)->Tag(), r);
    EXPECT_EQ(Queue->Find({"pnl0_", "pnl4_", "pnl5_"}, r)->Tag(), r);
}

TEST_F(Rows, AddItem_SameRowTwice_BuildsItOnce)
{
    const int r = Source("clip");
    Form->AddItem(r);
    Form->AddItem(r);
    EXPECT_EQ(Box->ControlCount(), 2); // the row and its separator line
}

TEST_F(Rows, AddItem_RowsStackInTheirOrder)
{
    for (int i = 0; i < 3; ++i)
        Form->AddItem(Source("clip" + std::to_string(i)));
    const int top0 = Queue->Find({"pnl0_"}, 0)->Top();
    const int top1 = Queue->Find({"pnl0_"}, 1)->Top();
    const int top2 = Queue->Find({"pnl0_"}, 2)->Top();
    EXPECT_LT(top0, top1);
    EXPECT_LT(top1, top2);
    EXPECT_GT(Queue->Find({"pnl11_"}, 0)->Top(), top0);
    EXPECT_LT(Queue->Find({"pnl11_"}, 0)->Top(), top1);
}

TEST_F(Rows, AddItem_WithoutScrollBox_BuildsNothingButEnablesStart)
{
    Queue->skSkinScrollpanel1 = nullptr;
    Form->AddItem(Source("clip"));
    EXPECT_FALSE(Queue->HasRow(0));
    EXPECT_EQ(Queue->getAID(0), "");
}

TEST_F(Rows, OneAudioStream_ShowsNoAudioBox_TwoShowIt)
{
    const int one = Source("one", "128_LANG=en");
    const int two = Source("two", TwoAudio);
    Form->AddItem(one);
    Form->AddItem(two);
    EXPECT_FALSE(Aid(one)->Visible());
    EXPECT_FALSE(At<TControl>({"pnl0_", "pnl2_", "pnl9_", "lbl3_"}, one)->Visible());
    EXPECT_TRUE(Spacer(one)->Visible());
    ASSERT_TRUE(Aid(two)->Visible());
    EXPECT_EQ(At<TskSkinSpeedButton>({"pnl0_", "pnl2_", "pnl9_", "lbl3_"}, two)->Caption(), "Audio:");
    EXPECT_EQ(Aid(two)->Items()->Count(), 2);
    EXPECT_EQ(Aid(two)->Items()->Strings(1), "129 French");
    EXPECT_FALSE(Spacer(two)->Visible());
}

TEST_F(Rows, TrackBoxes_StartOnTheStoredChoice_GarbledIndexGivesTheFirst)
{
    const int r = Source("a", TwoAudio, "0_LANG=de\n1_LANG=en");
    Form->StringGrid1->SetCells(SourceRecord::AudioIndex, r, "1");
    Form->StringGrid1->SetCells(SourceRecord::SubtitleIndex, r, "7x");
    Form->StringGrid1->SetCells(SourceRecord::SubtitlesOn, r, "YES");
    Form->AddItem(r);
    EXPECT_EQ(Queue->getAID(r), "129 French");
    EXPECT_EQ(Sid(r)->ItemIndex(), 0);
    EXPECT_TRUE(Subs(r)->Checked());
    EXPECT_EQ(Subs(r)->Caption(), "Subs:");
    EXPECT_FALSE(Spacer(r)->Visible());
}

TEST_F(Rows, RepeatedStreamTexts_AreListedOnce)
{
    const int r = Source("a", "128_LANG=en\n128_LANG=en");
    Form->AddItem(r);
    EXPECT_EQ(Aid(r)->Items()->Count(), 1);
}

// --- the user's choices ----------------------------------------------------------------------------

TEST_F(Rows, Choices_AreWrittenBackIntoTheRecord)
{
    const int r = Source("a", TwoAudio, "0_LANG=de\n1_LANG=en");
    Form->AddItem(r);
    Pick(Aid(r), 1);
    EXPECT_EQ(Cell(SourceRecord::AudioChoice, r), "129 French");
    EXPECT_EQ(Cell(SourceRecord::AudioIndex, r), "1");
    Pick(Sid(r), 1);
    EXPECT_EQ(Cell(SourceRecord::SubtitleChoice, r), "1 English");
    EXPECT_EQ(Cell(SourceRecord::SubtitleIndex, r), "1");
    Subs(r)->SetChecked(true);
    EXPECT_EQ(Cell(SourceRecord::SubtitlesOn, r), "YES");
    EXPECT_EQ(Queue->getSID(r), "1 English");
    Subs(r)->SetChecked(false);
    EXPECT_EQ(Cell(SourceRecord::SubtitlesOn, r), "NO");
    EXPECT_EQ(Queue->getSID(r), "");
    Convert(r)->SetChecked(false);
    EXPECT_EQ(Cell(SourceRecord::Selected, r), "NO");
    Convert(r)->SetChecked(true);
    EXPECT_EQ(Cell(SourceRecord::Selected, r), "YES");
    At<TskSkinEdit>({"pnl0_", "pnl2_", "edt0_"}, r)->SetText("My \"best\" clip");
    EXPECT_EQ(Cell(SourceRecord::OutputName, r), "My \"best\" clip");
}

TEST_F(Rows, ConvertBox_FollowsTheRecord_DoneIsNotTurnedIntoNo)
{
    const int r = Source("a");
    Form->AddItem(r);
    Form->SetSourceSelected(r, "Done");
    EXPECT_FALSE(Convert(r)->Checked());
    EXPECT_EQ(Cell(SourceRecord::Selected, r), "Done");
    Form->SetSourceSelected(r, "YES");
    EXPECT_TRUE(Convert(r)->Checked());
    Queue->setChk0(r);
    EXPECT_FALSE(Convert(r)->Checked());
    EXPECT_EQ(Cell(SourceRecord::Selected, r), "NO");
}

// --- estimate and progress ---------------------------------------------------------------------------

TEST_F(Rows, Estimate_NinetyMinutesAtQuality50)
{
    const int r = Source("film", "", "", "5400.00");
    const int bad = Source("bad", "", "", "garbled");
    Form->AddItem(r);
    Form->AddItem(bad);
    Queue->SetFilesize();
    EXPECT_EQ(Estimate(r)->Caption(), "423.90 MB");
    EXPECT_EQ(Estimate(bad)->Caption(), "0.00 MB");
    EXPECT_EQ(Gauge(bad)->MaxValue(), 0);
}

TEST_F(Rows, Progress_ClampedToTheLength_AndReportedAsCurrentPosition)
{
    const int r = Source("a");
    Form->AddItem(r);
    Form->setProgress(r, 12);
    EXPECT_EQ(Gauge(r)->Value(), 12);
    EXPECT_EQ(Form->RunState.CurrentPos, 12);
    EXPECT_EQ(Form->RunState.CurrentTotal, 20);
    Form->setProgress(r, 90);
    EXPECT_EQ(Gauge(r)->Value(), 20);
    EXPECT_EQ(Form->RunState.CurrentPos, 20);
}

// --- removal -------------------------------------------------------------------------------------------

TEST_F(Rows, RemoveItem_FreesTheRow_LookupsThenDoNothing)
{
    const int r = Source("a", TwoAudio);
    const int other = Source("b");
    Form->AddItem(r);
    Form->AddItem(other);
    Queue->RemoveItem(r);
    EXPECT_FALSE(Queue->HasRow(r));
    EXPECT_EQ(Box->ControlCount(), 2);
    EXPECT_EQ(Queue->getAID(r), "");
    Queue->setChk0(r);
    Form->RunState.CurrentTotal = 20;
    Form->setProgress(r, 30); // no gauge: the position is still kept within the length
    EXPECT_EQ(Form->RunState.CurrentPos, 20);
    EXPECT_EQ(Cell(SourceRecord::Selected, r), "YES");
    Queue->RemoveItem(r); // again: nothing there
    Form->AddItem(r);     // and it can be built anew
    EXPECT_TRUE(Queue->HasRow(r));
}

TEST_F(Rows, QueueFreedBeforeTheWindow_LeavesNoSeamBehind)
{
    Form->AddItem(Source("a"));
    TskSkinCheckRadioBox* box = Convert(0);
    Queue->Free();
    EXPECT_EQ(Form->Queue, nullptr);
    box->SetChecked(false); // the row is left, and does nothing
    EXPECT_EQ(Cell(SourceRecord::Selected, 0), "YES");
    Form->AddItem(Source("b")); // no row seam: nothing happens
    Form->setProgress(1, 5);
}

// --- the thumbnail click and the running preview --------------------------------------------------------

TEST_F(Rows, TrackChangeWhilePreviewPlays_SwitchesThePlayer_SideFileSendsNothing)
{
    fs::create_directories(Form->WorkFolder);
    const std::string player = Form->WorkFolder + "mplayer";
    std::ofstream(player) << "#!/bin/sh\necho playing\nwhile IFS= read -r line; do echo \"got:$line\"; done\n";
    fs::permissions(player, fs::perms::owner_all);
    std::vector<std::string> lines;
    Form->OxCreateProcess1->OnRead = [&](TObject*, const std::string& Line, bool, bool Ends) {
        if (Ends)
            lines.push_back(Line);
    };
    const int r = Source("a", TwoAudio, "SRT File:/v/a b.srt\n3_LANG=de");
    Form->StringGrid1->SetCells(SourceRecord::SourceArg, r, "\"/v/a.avi\"");
    Form->AddItem(r);

    TTimer picker(nullptr);
    TTimer stopper(nullptr);
    picker.SetInterval(50);
    picker.OnTimer = [&](TObject*) {
        if (Form->RunState.ToolRunning == 0)
            return;
        picker.SetEnabled(false);
        Pick(Aid(r), 1);
        Pick(Sid(r), 0); // the side file: no stream id
        Pick(Sid(r), 1);
        stopper.SetEnabled(true);
    };
    stopper.SetInterval(400);
    stopper.SetEnabled(false);
    stopper.OnTimer = [&](TObject*) {
        stopper.SetEnabled(false);
        StopPreview(*Form);
    };
    picker.SetEnabled(true);
    ASSERT_TRUE(PlayPreview(*Form, r, "", "", 0));
    std::string all;
    for (const std::string& l : lines)
        all += l + "|";
    EXPECT_NE(all.find("got:switch_audio 129"), std::string::npos) << all;
    EXPECT_NE(all.find("got:sub_select 3"), std::string::npos) << all;
    EXPECT_EQ(all.find("got:sub_select SRT"), std::string::npos) << all;
    EXPECT_EQ(std::count(all.begin(), all.end(), '|'), 3) << all;
}

// --- what a person sees ---------------------------------------------------------------------------------

TEST_F(Rows, Picture_ThreeRows)
{
    // The window's own skins, when its stored form carries them.
    Queue->skSkinData1 = dynamic_cast<TskSkinData*>(Form->FindComponent("skSkinData1"));
    Queue->skSkinData2 = dynamic_cast<TskSkinData*>(Form->FindComponent("skSkinData2"));
    Queue->skSkinData3 = dynamic_cast<TskSkinData*>(Form->FindComponent("skSkinData3"));
    Queue->skSkinData4 = dynamic_cast<TskSkinData*>(Form->FindComponent("skSkinData4"));
    Form->AddItem(Source("Holiday 2009", TwoAudio, "0_LANG=de"));
    Form->AddItem(Source("Birthday", "128_LANG=en", "", "5400.00"));
    Form->AddItem(Source("Garden \"party\""));
    Queue->SetFilesize();
    Form->setProgress(0, 10);
    Form->SetSourceSelected(1, "Done");
    // The stored form's text panel lies over the queue until the rows are shown; the picture is of
    // the rows.
    if (auto* text = dynamic_cast<TControl*>(Form->FindComponent("textpanel")))
        text->Hide();
    Form->Show();
    Driver.ProcessMessages();
    EXPECT_FALSE(Driver.SaveWindow(Form->Handle(), "queue_rows", OMBRIX_TEST_PICTURES).empty());
    // What should be there: the first row's gauge half full, the others' empty, in the same look.
    auto at = [&](TControl* C, int X, int Y) {
        const TPoint p = C->ClientToScreen(TPoint{X, Y});
        TRect w;
        GetWindowRect(Form->Handle(), w);
        return Driver.PixelAt(Form->Handle(), p.X - w.Left, p.Y - w.Top) & 0x00FFFFFF;
    };
    for (int r : {1, 2}) {
        const int y = Gauge(r)->Height() / 2;
        EXPECT_NE(at(Gauge(0), Gauge(0)->Width() / 5, y), at(Gauge(r), Gauge(r)->Width() / 5, y)) << r;
        EXPECT_EQ(at(Gauge(0), Gauge(0)->Width() * 9 / 10, y), at(Gauge(r), Gauge(r)->Width() * 9 / 10, y)) << r;
    }
}
