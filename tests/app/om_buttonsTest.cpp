// The run buttons of the main window, headless: the destination dialog and the buttons are doubles,
// and the encoder is the fake one of om_testing.h, so a queue runs in a moment and can be held running
// for as long as a test needs.
#include "app/om_buttons.h"

#include "om_queueTesting.h"
#include "om_testing.h"

#include "app/om_codecs.h"
#include "app/om_convert.h"
#include "app/om_runcontrol.h"
#include "app/om_queue.h"
#include "app/om_tables.h"
#include "app/om_thumbs.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "platform/vcl/TTimer.h"
#include "skin/controls/TskSkinGauge.h"

#include <tuple>

using namespace omtest;

namespace {

struct FakeButton : IOmButton {
    std::string FCaption;
    bool FEnabled = true;
    std::string Glyph;
    std::string Hint;
    bool ShowHint = false;
    std::string Caption() const override { return FCaption; }
    void SetCaption(const std::string& Value) override { FCaption = Value; }
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool Value) override { FEnabled = Value; }
    void SetGlyph(const std::string& Name) override { Glyph = Name; }
    void SetHint(const std::string& Value) override { Hint = Value; }
    void SetShowHint(bool Value) override { ShowHint = Value; }
};

struct FakeFolderDialog : IOmSelectDirectory {
    std::string Title;
    std::string Folder;
    std::string StartedAt;
    std::string Answer;
    bool Ok = true;
    int Shown = 0;
    void SetTitle(const std::string& Value) override { Title = Value; }
    std::string Directory() const override { return Folder; }
    void SetDirectory(const std::string& Value) override { Folder = Value; }
    bool Execute() override
    {
        ++Shown;
        StartedAt = Folder;
        if (Ok)
            Folder = Answer;
        return Ok;
    }
};

struct RecordingLauncher : ILauncher {
    std::vector<std::string> Opened;
    void OpenFolder(const std::string& Folder) override { Opened.push_back(Folder); }
};

struct RecordingEjector : IEjector {
    std::vector<std::string> Ejected;
    bool Eject(const std::string& RootPath) override
    {
        Ejected.push_back(RootPath);
        return true;
    }
};

struct RunButtons : FormTest {
    TempFolder Dir;
    FakeButton StartButton, Go, SkipButton, FileButton, FolderButton;
    FakeFolderDialog Dialog;
    RecordingLauncher Launcher;
    RecordingEjector Ejector;
    TStringList Produced;
    std::string Dest;
    std::vector<std::string> Commands;
    std::vector<std::string> CaptionWhileRunning;

    void SetUp() override
    {
        FormTest::SetUp();
        InstallFakeEncoder(Form->WorkFolder);

        StartButton.FCaption = "Start";
        Form->skSkinSpeedButton1 = &StartButton;
        Form->go_button = &Go;
        Form->skip_button = &SkipButton;
        Form->file_button = &FileButton;
        Form->folder_button = &FolderButton;
        Form->OxSelectDirectory1 = &Dialog;
        Form->playlist = &Produced;
        Dest = Dir / "out/";
        Dialog.Answer = Dest;
        Form->OnConvertOptions = [this](TConvertOptions& Options) {
            Options.Launcher = &Launcher;
            Options.Ejector = &Ejector;
            Options.ShowCommand = [this](const std::string& c) {
                Commands.push_back(c);
                CaptionWhileRunning.push_back(StartButton.Caption() + "/" + Go.Glyph + "/" +
                                              (SkipButton.Enabled() ? "skip" : "noskip") + "/" +
                                              (FileButton.Enabled() ? "add" : "noadd"));
            };
        };

        TOmTables& t = Form->Tables();
        TStringList items;
        FillCodecProfiles(*t.codecgrid, *t.devices, items);
        for (int c = 0; c < DeviceTableColumns; ++c)
            t.dq->SetCells(c, 0, t.devices->Cells(c, 6)); // "Windows Mobile": one mencoder run
        ASSERT_EQ(t.dq->Cells(DeviceProfile::Name, 0), "Windows Mobile");
    }

    void Hold(int Seconds) { HoldFakeEncoder(Form->WorkFolder, Seconds); }

    int AddSource(const std::string& Name, const std::string& Location = std::string())
    {
        TskSkinStringGrid& g = *Form->StringGrid1;
        const int r = AppendRow(g);
        const std::string path = Dir.Write(Name + ".avi", 10);
        const std::pair<int, std::string> cells[] = {
            {SourceRecord::RowId, Format("%5.5d", {r})}, {SourceRecord::Kind, "VIDEO"}, {SourceRecord::Title, Name},
            {SourceRecord::Length, "20.00"}, {SourceRecord::VideoCodec, "ffodivx"}, {SourceRecord::VideoWidth, "320"},
            {SourceRecord::VideoHeight, "240"}, {SourceRecord::FrameRate, "25.000"},
            {SourceRecord::SourcePath, Location.empty() ? path : Location}, {SourceRecord::SourceArg, QuoteArg(path)},
            {SourceRecord::EndSeconds, "20"}, {SourceRecord::SubtitlesOn, "NO"}, {SourceRecord::Selected, "YES"},
            {SourceRecord::RoundedLength, "20"}, {SourceRecord::OutputName, Name}};
        for (const auto& [col, text] : cells)
            g.SetCells(col, r, text);
        return r;
    }
};

} // namespace

// --- Start ------------------------------------------------------------------------------------------

TEST_F(RunButtons, Start_AsksForTheDestination_ConvertsIntoIt_AndIsIdleAgainAfterwards)
{
    AddSource("Clip");
    fs::create_directories(Dest);
    Form->skSkinSpeedButton1Click(nullptr);
    EXPECT_EQ(Dialog.Shown, 1);
    EXPECT_EQ(Dialog.Title, "Select destination folder");
    EXPECT_EQ(Form->skskinlabel1->ProgressText(), Dest);
    EXPECT_EQ(Cell(SourceRecord::Selected), "Done") << Form->status->ProgressText();
    EXPECT_TRUE(fs::exists(Dest + "Clip.avi"));
    EXPECT_EQ(CaptionWhileRunning, std::vector<std::string>{"Stop/stop_glyph/skip/noadd"});
    EXPECT_EQ(StartButton.Caption(), "Start");
    EXPECT_EQ(Go.Glyph, "go_glyph");
    EXPECT_EQ(Go.Hint, "Start conversion");
    EXPECT_FALSE(Go.ShowHint);
    EXPECT_EQ(SkipButton.Glyph, "no_glyph");
    EXPECT_FALSE(SkipButton.Enabled());
    EXPECT_TRUE(FileButton.Enabled());
    EXPECT_TRUE(FolderButton.Enabled());
    EXPECT_EQ(Launcher.Opened, std::vector<std::string>{Dest});
    EXPECT_EQ(Form->RunState.Converting, 0);
}

TEST_F(RunButtons, Start_CancelledDialog_StillConvertsIntoTheDestinationThereWas)
{
    AddSource("Clip");
    const std::string before = Dir / "before/";
    Form->skskinlabel1->SetProgressText(before);
    Dialog.Ok = false;
    Form->skSkinSpeedButton1Click(nullptr);
    EXPECT_EQ(Dialog.StartedAt, before);
    EXPECT_EQ(Cell(SourceRecord::Selected), "Done");
    // A destination that went away is made again rather than failing every job.
    EXPECT_TRUE(fs::exists(before + "Clip.avi"));
}

TEST_F(RunButtons, Start_WhileAQueueStillUnwinds_IsIgnored)
{
    AddSource("Clip");
    Form->RunState.Converting = -1;
    Form->skSkinSpeedButton1Click(nullptr);
    EXPECT_EQ(Dialog.Shown, 0);
    EXPECT_TRUE(Commands.empty());
    EXPECT_EQ(StartButton.Caption(), "Start");
    EXPECT_EQ(Cell(SourceRecord::Selected), "YES");
}

TEST_F(RunButtons, Start_AWorkFolderOrDestinationNoJobCouldWriteIn_IsSaidBeforeAnyJob)
{
    AddSource("Clip");
    const std::string file = Dir.Write("a file"), work = Form->WorkFolder;
    for (const auto& [destination, workFolder, said] :
         {std::tuple{file, work, "the destination " + file + "/ is not a folder"},
          {file + "/below/", work, "the destination folder " + file + "/below/ cannot be made"},
          {Dest, file + "/Ombrix3/", "the work folder " + file + "/Ombrix3/ cannot be made"}}) {
        Dialog.Answer = destination;
        Form->WorkFolder = workFolder;
        Form->skSkinSpeedButton1Click(nullptr);
        EXPECT_EQ(Form->status->ProgressText(), "Not started: " + said);
        EXPECT_TRUE(Commands.empty());
    }
    Form->WorkFolder = work;
}

TEST_F(RunButtons, Start_ConvertsOnlyRecordsWhoseRowsShow_AndARowOfAScanRoundLeavesStartToItsEnd)
{
    auto* queue = new TOmQueue(Form.get());
    queue->skSkinScrollpanel1 = QueueBox(*Form, 600, 260);
    const int shown = AddSource("Shown"), unseen = AddSource("Unseen");
    const fs::path picture = ScanThumbnailPath(*Form->StringGrid1, shown, Form->WorkFolder);
    fs::create_directories(picture.parent_path());
    std::ofstream{picture}; // a thumbnail there already: the row runs no tool
    for (const bool round : {true, false}) {
        Form->RunState.ScanRound = round;
        Go.SetEnabled(false);
        queue->AddItem(shown);
        EXPECT_EQ(Go.Enabled(), !round);
        Form->skSkinSpeedButton1Click(nullptr); // waits for the round's end too
    }
    EXPECT_EQ(Commands.size(), 1u);
    EXPECT_EQ(Cell(SourceRecord::Selected, shown), "Done");
    EXPECT_EQ(Cell(SourceRecord::Selected, unseen), "YES");
}

TEST_F(RunButtons, Start_ListsEveryProducedFileOnceInThePlaylist)
{
    AddSource("One");
    AddSource("Two");
    Produced.Add(Dest + "One.avi");
    Form->skSkinSpeedButton1Click(nullptr);
    ASSERT_EQ(Cell(SourceRecord::Selected, 1), "Done");
    EXPECT_EQ(Produced.Count(), 2);
    EXPECT_EQ(Produced.Strings(1), Dest + "Two.avi");
    // Converted again, the files get new names, and the list keeps growing.
    Form->SetSourceSelected(0, "YES");
    Form->SetSourceSelected(1, "YES");
    Form->skSkinSpeedButton1Click(nullptr);
    ASSERT_EQ(Produced.Count(), 4);
    EXPECT_EQ(Produced.Strings(2), Dest + "One(1).avi");
    EXPECT_EQ(Produced.Strings(3), Dest + "Two(1).avi");
}

// --- Stop and Skip ------------------------------------------------------------------------------------

TEST_F(RunButtons, Stop_PressedDuringTheRun_EndsTheQueue_CaptionBackOnlyWhenItHasReturned)
{
    AddSource("One");
    AddSource("Two");
    Hold(30);
    std::vector<std::string> seen;
    TTimer click(nullptr);
    click.SetInterval(200);
    click.OnTimer = [&](TObject*) {
        if (Form->RunState.ToolRunning == 0)
            return;
        click.SetEnabled(false);
        Form->skSkinSpeedButton1Click(nullptr); // "Stop"
        seen.push_back(StartButton.Caption());
        // A further click while the queue unwinds is Stop again, never a second queue.
        Form->skSkinSpeedButton1Click(nullptr);
    };
    click.SetEnabled(true);
    const auto t0 = std::chrono::steady_clock::now();
    Form->skSkinSpeedButton1Click(nullptr);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 10.0);
    EXPECT_EQ(seen, std::vector<std::string>{"Stop"});
    EXPECT_EQ(StartButton.Caption(), "Start");
    EXPECT_EQ(Commands.size(), 1u);
    EXPECT_EQ(Cell(SourceRecord::Selected, 0), "YES");
    EXPECT_EQ(Cell(SourceRecord::Selected, 1), "YES");
    EXPECT_TRUE(Launcher.Opened.empty());
    EXPECT_EQ(Form->RunState.Converting, 0);
    EXPECT_EQ(Form->RunState.ToolRunning, 0);
}

TEST_F(RunButtons, Skip_PressedDuringTheRun_EndsThatJobOnly)
{
    AddSource("One");
    AddSource("Two");
    Hold(30);
    TTimer click(nullptr);
    click.SetInterval(200);
    click.OnTimer = [&](TObject*) {
        if (Form->RunState.ToolRunning == 0)
            return;
        click.SetEnabled(false);
        std::remove((Form->WorkFolder + "hold").c_str());
        Form->skSkinSpeedButton2Click(nullptr);
    };
    click.SetEnabled(true);
    Form->skSkinSpeedButton1Click(nullptr);
    EXPECT_EQ(Cell(SourceRecord::Selected, 0), "YES");
    EXPECT_EQ(Form->Tables().convertgrid->Cells(JobRecord::StatusText, 0), "Skipped Conversion");
    EXPECT_EQ(Cell(SourceRecord::Selected, 1), "Done");
    EXPECT_EQ(Launcher.Opened, std::vector<std::string>{Dest});
}

TEST_F(RunButtons, Skip_WithoutAQueue_TouchesNothing)
{
    Form->skSkinSpeedButton2Click(nullptr);
    EXPECT_EQ(Form->RunState.SkipRequested, 0);
    EXPECT_EQ(Form->RunState.AbortRequested, 0);
}

// --- the disc tray ------------------------------------------------------------------------------------

TEST_F(RunButtons, Tray_OpensOnceAfterTheDiscsLastJob)
{
    const std::string disc = "/media/cdrom0/";
    AddSource("Title_1", disc);
    AddSource("Title_2", disc);
    AddSource("Other");
    std::vector<std::string> ejectedBefore;
    Form->OnConvertOptions = [this, disc, &ejectedBefore](TConvertOptions& Options) {
        Options.Launcher = &Launcher;
        Options.Ejector = &Ejector;
        Options.IsDiscRoot = [disc](const std::string& Path) { return Path == disc; };
        Options.ShowCommand = [this, &ejectedBefore](const std::string& c) {
            Commands.push_back(c);
            ejectedBefore.push_back(std::to_string(Ejector.Ejected.size()));
        };
    };
    Form->skSkinSpeedButton1Click(nullptr);
    EXPECT_EQ(Ejector.Ejected, std::vector<std::string>{disc});
    // Not before the second title, and before the file that is on no disc.
    EXPECT_EQ(ejectedBefore, (std::vector<std::string>{"0", "0", "1"}));
}

TEST_F(RunButtons, Tray_StaysShutWhenTheDiscsLastJobFails)
{
    const std::string disc = "/media/cdrom0/";
    AddSource("Title_1", disc);
    std::remove((Form->WorkFolder + "mencoder").c_str());
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", "/nonexistent", 1);
    Form->OnConvertOptions = [this, disc](TConvertOptions& Options) {
        Options.Launcher = &Launcher;
        Options.Ejector = &Ejector;
        Options.IsDiscRoot = [disc](const std::string& Path) { return Path == disc; };
    };
    Form->skSkinSpeedButton1Click(nullptr);
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(Cell(SourceRecord::Selected), "No");
    EXPECT_TRUE(Ejector.Ejected.empty());
}

// --- the destination ------------------------------------------------------------------------------------

TEST_F(RunButtons, Destination_ChosenFolderGetsOneTrailingSlashAndNoDoubledOne)
{
    Dialog.Answer = "//media/usb/Films";
    Form->skSkinSpeedButton3Click(nullptr);
    EXPECT_EQ(Form->skskinlabel1->ProgressText(), "/media/usb/Films/");
}

TEST_F(RunButtons, Destination_EmptyAnswerOrCancel_KeepsTheOldOne)
{
    Form->skskinlabel1->SetProgressText("/home/u/Films/");
    Dialog.Answer = "";
    Form->skSkinSpeedButton3Click(nullptr);
    EXPECT_EQ(Form->skskinlabel1->ProgressText(), "/home/u/Films/");
    Dialog.Ok = false;
    Form->skSkinSpeedButton3Click(nullptr);
    EXPECT_EQ(Form->skskinlabel1->ProgressText(), "/home/u/Films/");
}

// --- the row bars -----------------------------------------------------------------------------------

TEST_F(RunButtons, Start_EveryRowBarStartsEmpty_NotWhereAnEarlierRunLeftIt)
{
    auto* queue = new TOmQueue(Form.get());
    queue->skSkinScrollpanel1 = QueueBox(*Form, 600, 260);
    const int first = AddSource("First");
    const int second = AddSource("Second");
    for (int r : {first, second}) {
        // A thumbnail already there: no tool runs for the rows.
        const std::string picture = ScanThumbnailPath(*Form->StringGrid1, r, Form->WorkFolder);
        fs::create_directories(fs::path(picture).parent_path());
        std::ofstream(picture) << "";
        queue->AddItem(r);
    }
    const auto bar = [&](int r) {
        return dynamic_cast<TskSkinGauge*>(queue->Find({"pnl0_", "pnl4_", "pnl5_", "progress_"}, r));
    };
    ASSERT_NE(bar(first), nullptr);
    fs::create_directories(Dest);
    Form->skSkinSpeedButton1Click(nullptr);
    ASSERT_EQ(Cell(SourceRecord::Selected, first), "Done");
    EXPECT_EQ(bar(first)->Value(), bar(first)->MaxValue());
    // The first row is left as it is; the second one is converted again.
    Form->SetSourceSelected(second, "YES");
    std::vector<int> firstBarWhileRunning;
    const auto options = Form->OnConvertOptions;
    Form->OnConvertOptions = [&](TConvertOptions& Options) {
        options(Options);
        Options.ShowCommand = [&](const std::string&) { firstBarWhileRunning.push_back(bar(first)->Value()); };
    };
    Form->skSkinSpeedButton1Click(nullptr);
    EXPECT_EQ(firstBarWhileRunning, std::vector<int>{0});
    EXPECT_EQ(bar(second)->Value(), bar(second)->MaxValue());
}
