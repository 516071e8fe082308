// The preview window, headless: the player's place in the picture area, opening on a queue row, the
// player command and the seek slider. The player is a stand-in script in the work folder that answers
// every slave command line it reads.
#include "app/Unit2.h"

#include "om_queueTesting.h"
#include "om_testing.h"

#include "app/om_preview.h"
#include "app/om_queue.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TPicture.h"
#include "platform/vcl/TTimer.h"
#include "platform/win/Window.h"
#include "process/TOxPanel.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinScrollBox.h"
#include "skin/controls/TskSkinSlider.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"

#include <algorithm>
#include <functional>

using namespace omtest;

namespace {

using Args = std::vector<std::string>;

bool Has(const Args& A, const Args& Run)
{
    return std::search(A.begin(), A.end(), Run.begin(), Run.end()) != A.end();
}

struct PreviewWindow : FormTest {
    THeadlessDriver Driver{false};
    TskSkinScrollBox* Box = nullptr;
    TOmQueue* Queue = nullptr;
    std::unique_ptr<TForm2> Preview;
    std::vector<std::string> Lines;
    std::vector<std::unique_ptr<TTimer>> Timers;

    void SetUp() override
    {
        FormTest::SetUp();
        Box = QueueBox(*Form, 600, 200);
        Queue = new TOmQueue(Form.get());
        Queue->skSkinScrollpanel1 = Box;
        Preview = std::make_unique<TForm2>(nullptr);
        Preview->Attach(Form.get(), Queue);

        fs::create_directories(Form->WorkFolder);
        const std::string player = Form->WorkFolder + "mplayer";
        std::ofstream(player) << "#!/bin/sh\necho playing\nwhile IFS= read -r line; do echo \"got:$line\"; done\n";
        fs::permissions(player, fs::perms::owner_all);
        Form->OxCreateProcess1->OnRead = [this](TObject*, const std::string& Line, bool, bool Ends) {
            if (Ends)
                Lines.push_back(Line);
        };
    }
    void TearDown() override
    {
        Preview.reset();
        FormTest::TearDown();
    }
    int Source(const std::string& Name, const std::string& Subtitles = "")
    {
        TskSkinStringGrid& g = *Form->StringGrid1;
        const int r = AppendRow(g);
        g.SetCells(SourceRecord::RowId, r, std::to_string(r));
        g.SetCells(SourceRecord::Title, r, Name);
        g.SetCells(SourceRecord::OutputName, r, Name);
        g.SetCells(SourceRecord::SourceArg, r, QuoteArg("/v/" + Name + ".avi"));
        g.SetCells(SourceRecord::Length, r, "600.40");
        g.SetCells(SourceRecord::AudioStreams, r, "128_LANG=en\n129_LANG=fr");
        g.SetCells(SourceRecord::AudioChoice, r, "");
        g.SetCells(SourceRecord::AudioIndex, r, "1");
        g.SetCells(SourceRecord::SubtitleStreams, r, Subtitles);
        g.SetCells(SourceRecord::SubtitlesOn, r, Subtitles.empty() ? "NO" : "YES");
        Form->AddItem(r);
        return r;
    }
    // Runs Action once the player runs, as a click in the window arrives while Play waits.
    void WhilePlaying(std::function<void()> Action, int DelayMs = 50)
    {
        auto* timer = new TTimer(nullptr);
        Timers.emplace_back(timer);
        timer->SetInterval(DelayMs);
        timer->OnTimer = [this, timer, Action](TObject*) {
            if (Form->RunState.ToolRunning == 0)
                return;
            timer->SetEnabled(false);
            Action();
        };
        timer->SetEnabled(true);
    }
    void StopLater(int Ms)
    {
        WhilePlaying([this] { Preview->skSkinSpeedButton3Click(Preview->skSkinSpeedButton3); }, Ms);
    }
    std::string AllLines() const
    {
        std::string all;
        for (const std::string& l : Lines)
            all += l + "|";
        return all;
    }
};

} // namespace

// --- fitting the player window ------------------------------------------------------------------------

TEST(FitPreviewRect, WideAspect_FullWidthCentredVertically)
{
    const TRect r = FitPreviewRect(TRect{0, 0, 320, 240}, 853, 480);
    EXPECT_EQ(r.Width(), 320);
    EXPECT_EQ(r.Height(), 180);
    EXPECT_EQ(r.Top, 30);
    EXPECT_EQ(r.Left, 0);
}

TEST(FitPreviewRect, TallAspect_FullHeightCentredHorizontally_FromTheAreasCorner)
{
    const TRect r = FitPreviewRect(TRect{10, 20, 330, 260}, 64, 64);
    EXPECT_EQ(r, (TRect{50, 20, 290, 260}));
}

TEST(FitPreviewRect, NoAspect_GivesAnEmptyPlace)
{
    EXPECT_TRUE(FitPreviewRect(TRect{0, 0, 320, 240}, 0, 480).IsEmpty());
}

TEST_F(PreviewWindow, SmallAspectValues_CountAs64_SoASquareIsFitted)
{
    Preview->skSkinPanel1->SetBounds(0, 0, 320, 240);
    Form->RunState.PreviewAspectWidth = 4;
    Form->RunState.PreviewAspectHeight = 3;
    Preview->PreviewResize();
    EXPECT_EQ(Preview->videowindow1->Width(), Preview->videowindow1->Height());
}

TEST_F(PreviewWindow, StillPicture_StaysInItsAreaAboveTheBar_WhateverTheOrderOfShowingAndSizing)
{
    // The skinned frame takes its border and caption from the client area only once the window shows.
    Queue->skSkinData1 = dynamic_cast<TskSkinData*>(Form->FindComponent("skSkinData1"));
    Preview->Attach(Form.get(), Queue);
    const int r = Source("a");
    const std::pair<const char*, std::function<void()>> orders[] = {
        {"first opening", [&] { Preview->ImageClick(r); }},
        {"sized while shown", [&] { Preview->SetBounds(Preview->Left(), Preview->Top(), 520, 430); }},
        {"sized while hidden, then opened", [&] {
             Preview->Hide();
             Preview->SetBounds(Preview->Left(), Preview->Top(), 300, 260);
             Preview->ImageClick(r);
         }},
        {"the player's size told while hidden, then opened", [&] {
             Preview->Hide();
             Preview->FitPreviewPanel("720x576");
             Preview->SetBounds(Preview->Left(), Preview->Top(), 420, 360);
             Preview->ImageClick(r);
         }},
    };
    for (const auto& [what, steps] : orders) {
        SCOPED_TRACE(what);
        steps();
        Driver.ProcessMessages();
        const TRect area = Preview->skSkinPanel1->BoundsRect();
        const TRect picture = Preview->videowindow1->BoundsRect();
        EXPECT_TRUE(picture.Left >= area.Left && picture.Top >= area.Top && picture.Right <= area.Right && picture.Bottom <= area.Bottom);
        EXPECT_TRUE(picture.Width() == area.Width() || picture.Height() == area.Height()) << "the picture does not fill its area";
        EXPECT_LE(picture.Bottom, Preview->preview->Top());
    }
}

TEST_F(PreviewWindow, FitPreviewPanel_GarbledAspectKeepsTheStoredOne)
{
    Preview->FitPreviewPanel("853x480");
    Preview->FitPreviewPanel("x");
    Preview->FitPreviewPanel("wide x 0");
    EXPECT_EQ(Form->RunState.PreviewAspectWidth, 853);
    EXPECT_EQ(Form->RunState.PreviewAspectHeight, 480);
    EXPECT_TRUE(Preview->videowindow1->Visible());
}

// --- opening on a row -------------------------------------------------------------------------------------

TEST_F(PreviewWindow, ThumbnailClick_OpensTheWindowOnTheRow_EvenWithoutAPicture)
{
    Source("first");
    const int r = Source("Holiday \"2009\"");
    Queue->RowPicture(r)->OnClick(Queue->RowPicture(r));
    EXPECT_TRUE(Preview->Visible());
    EXPECT_EQ(Preview->Caption(), "Holiday \"2009\"");
    EXPECT_EQ(Preview->Image1->Tag(), r);
    EXPECT_EQ(Preview->trackbar2->MaxValue(), 600);
    EXPECT_EQ(Preview->trackbar2->Value(), 0);
    EXPECT_EQ(Form->RunState.PreviewAspectWidth, 320);
    EXPECT_TRUE(Preview->preview->Visible());
    EXPECT_TRUE(Preview->videowindow1->Visible());
}

// --- playing ------------------------------------------------------------------------------------------------

TEST_F(PreviewWindow, Play_UsesTheRowsTracks_NoDisplayMeansNoPictureAndNoWindowId)
{
    const int r = Source("My Clip", "SRT File:/v/My \"Clip\" 2.srt");
    Preview->ImageClick(r);
    StopLater(200);
    Preview->skSkinSpeedButton1Click(Preview->skSkinSpeedButton1);
    const Args a = SplitCommandLine(Preview->LastCommand());
    EXPECT_EQ(a[1], "/v/My Clip.avi");
    EXPECT_TRUE(Has(a, {"-vo", "null", "-slave"}));
    EXPECT_TRUE(Has(a, {"-aid", "129"}));
    EXPECT_TRUE(Has(a, {"-sub", "/v/My \"Clip\" 2.srt"}));
    EXPECT_EQ(std::count(a.begin(), a.end(), "-wid"), 0);
    EXPECT_NE(AllLines().find("playing"), std::string::npos);
    // Stop ended the player and closed the window.
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
    EXPECT_FALSE(Preview->Visible());
}

TEST_F(PreviewWindow, PlayersWindow_ShowsOnlyWhilePlaying_TheStillPictureOtherwise)
{
    const int r = Source("a");
    Preview->ImageClick(r);
    Driver.ProcessMessages();
    // The player's window, as the display was told of it: shown or not.
    const auto playerWindowShown = [this] {
        int shown = 0;
        for (THeadlessChild* c : THeadlessChild::Of(Preview->Handle()))
            shown += c->Visible;
        return shown;
    };
    EXPECT_EQ(playerWindowShown(), 0);
    // Played and stopped by Play, twice: the window stays open on its picture each time.
    for (int round = 0; round < 2; ++round) {
        int whilePlaying = -1;
        WhilePlaying([&] {
            whilePlaying = playerWindowShown();
            Preview->skSkinSpeedButton1Click(Preview->skSkinSpeedButton1);
        });
        Preview->skSkinSpeedButton1Click(Preview->skSkinSpeedButton1);
        Driver.ProcessMessages();
        EXPECT_EQ(whilePlaying, 1) << "round " << round;
        EXPECT_EQ(playerWindowShown(), 0) << "round " << round;
        EXPECT_EQ(Form->RunState.ToolRunning, 0);
        EXPECT_TRUE(Preview->Visible());
    }
    // Stopped by Stop, then opened again from the row.
    StopLater(50);
    Preview->PlayPreview();
    Preview->ImageClick(r);
    Driver.ProcessMessages();
    EXPECT_EQ(playerWindowShown(), 0);
}

TEST_F(PreviewWindow, DraggingTheSlider_Seeks_SettingItByProgramDoesNot)
{
    const int r = Source("a");
    Preview->ImageClick(r);
    WhilePlaying([this] {
        TskSkinSlider* s = Preview->trackbar2;
        s->SetValue(300); // not dragged: nothing sent
        Preview->trackbar2MouseDown(s, mbLeft, {}, 0, 0);
        EXPECT_TRUE(Preview->SeekDragging());
        s->SetValue(600);
        Preview->trackbar2MouseUp(s, mbLeft, {}, 0, 0);
        s->SetValue(100);
    });
    StopLater(500);
    Preview->PlayPreview();
    const std::string all = AllLines();
    EXPECT_NE(all.find("got:seek 600 2"), std::string::npos) << all;
    EXPECT_EQ(all.find("got:seek 300"), std::string::npos) << all;
    EXPECT_EQ(all.find("got:seek 100"), std::string::npos) << all;
}

TEST_F(PreviewWindow, ClosingTheWindow_NeverStopsAnEncoder)
{
    TRunControl& run = Form->RunControl();
    ASSERT_TRUE(run.RunTool("\"sh\" -c \"cat; echo ended\"", TToolKind::Encode));
    Preview->Show();
    Preview->Close();
    EXPECT_TRUE(Form->OxCreateProcess1->Waiting());
    // Play is refused while the encoder runs.
    Preview->PlayPreview();
    EXPECT_EQ(run.RunningKind(), TToolKind::Encode);
    run.KillTools(500);
    run.WaitForTool();
}

TEST_F(PreviewWindow, WithTheWindowsSkins_GetsItsSkinnedFrame_AndStillOpensAndCloses)
{
    auto* skin = new TskSkinData(Form.get());
    Queue->skSkinData1 = skin;
    Preview->Attach(Form.get(), Queue);
    ASSERT_NE(Preview->skf, nullptr);
    EXPECT_EQ(Preview->skf->SkinData(), skin);
    Preview->ImageClick(Source("a"));
    Driver.ProcessMessages();
    EXPECT_TRUE(Preview->Visible());
    Preview->Close();
    EXPECT_FALSE(Preview->Visible());
}

TEST_F(PreviewWindow, MainWindowGoesFirst_ThePreviewForgetsIt)
{
    const int r = Source("a");
    Preview->ImageClick(r);
    Form.reset();
    Preview->ImageClick(r);
    Preview->PlayPreview();
    Preview->Close();
    EXPECT_EQ(Preview->LastCommand(), "");
    Preview.reset();
}

TEST_F(PreviewWindow, PictureOfTheWindow)
{
    // The window's own skins, when its stored form carries them.
    Queue->skSkinData1 = dynamic_cast<TskSkinData*>(Form->FindComponent("skSkinData1"));
    Queue->skSkinData2 = dynamic_cast<TskSkinData*>(Form->FindComponent("skSkinData2"));
    Queue->skSkinData3 = dynamic_cast<TskSkinData*>(Form->FindComponent("skSkinData3"));
    Preview->Attach(Form.get(), Queue);
    const int r = Source("Holiday");
    // The row's thumbnail, one colour, so the window shows where it went.
    const TColor thumb = 0x002080C0;
    TBitmap picture(320, 240);
    picture.Canvas()->Brush()->SetColor(thumb);
    picture.Canvas()->FillRect(Rect(0, 0, 320, 240));
    ASSERT_NE(Queue->RowPicture(r), nullptr);
    Queue->RowPicture(r)->Picture()->Assign(&picture);
    Preview->ImageClick(r);
    Driver.ProcessMessages();
    EXPECT_FALSE(Driver.SaveWindow(Preview->Handle(), "preview_window", OMBRIX_TEST_PICTURES).empty());
    EXPECT_EQ(Preview->Caption(), "Holiday");
    TPoint centre = Preview->Image1->ClientToScreen(TPoint{Preview->Image1->Width() / 2, Preview->Image1->Height() / 2});
    TRect window;
    GetWindowRect(Preview->Handle(), window);
    EXPECT_EQ(Driver.PixelAt(Preview->Handle(), centre.X - window.Left, centre.Y - window.Top) & 0x00FFFFFF,
        ColorToPixel(thumb) & 0x00FFFFFF);
}
