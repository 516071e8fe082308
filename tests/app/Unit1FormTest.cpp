#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <chrono>

#include "app/om_buttons.h"
#include "app/om_codecs.h"
#include "app/om_settings.h"
#include "app/om_tables.h"
#include "platform/sys/ProcessList.h"
#include "tests/support/THeadlessDriver.h"
#include "tests/support/TTestSystemServices.h"
#include "tests/support/TScratchFolder.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TTimer.h"
#include "app/om_queue.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TApplication.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinScrollBox.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/form/TskSkinSelectDirectoryDialog.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/grids/TskSkinStringGrid.h"
#include "skin/form/TskSkinOpenDialog.h"
#include "skin/grids/TskCustomShellListView.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/data/TskSkinData.h"
#include "platform/vcl/TApplication.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"
#include "platform/win/Paint.h"

namespace {

namespace fs = std::filesystem;

// A scratch HOME whose path holds blanks, with a desktop and a documents folder named in the XDG
// user-dirs file; the window is made inside it and its OnCreate has run.
struct StartedWindow : ::testing::Test {
    TScratchFolder Scratch;
    fs::path Home;
    std::string SavedHome;
    THeadlessDriver Driver;
    TTestSystemServices System;
    std::unique_ptr<TForm1> Form;

    void SetUp() override
    {
        Home = fs::path(Scratch.Path()) / "home of \"Ann\" Lee";
        fs::create_directories(Home / "Desktop");
        fs::create_directories(Home / ".config");
        std::ofstream(Home / ".config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/My Papers\"\n";
        if (const char* home = std::getenv("HOME"))
            SavedHome = home;
        setenv("HOME", Home.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override
    {
        Form.reset();
        setenv("HOME", SavedHome.c_str(), 1);
    }
    std::string WorkFolder() const { return (Home / ".local/share/Ombrix3/").string(); }
    void WriteSettings(const std::string& Text)
    {
        fs::create_directories(WorkFolder());
        std::ofstream(WorkFolder() + "settings.omr", std::ios::binary) << Text;
    }
    void Start()
    {
        Form = std::make_unique<TForm1>(nullptr, System);
        System.OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
        Form->DoCreate();
    }
    std::vector<std::string> SettingsLines() const
    {
        TStringList lines;
        lines.LoadFromFile(WorkFolder() + "settings.omr");
        std::vector<std::string> out;
        for (int i = 0; i < lines.Count(); ++i)
            out.push_back(lines[i]);
        return out;
    }
    template <class T> T* Part(const char* Name) const { return dynamic_cast<T*>(Form->FindComponent(Name)); }
    // The menu item "Use Closed Captions when available".
    bool ClosedCaptions() const
    {
        const auto* cc = Part<TMenuItem>("cc");
        return cc && cc->Checked();
    }
};

using FormCreate = StartedWindow;
using SettingsAtStart = StartedWindow;
using Closing = StartedWindow;
using MainWindowLook = StartedWindow;

TEST_F(FormCreate, PreselectsTheTouchDeviceWithItsQualityRangeAndProfile)
{
    Start();
    EXPECT_EQ(Form->devicebox->Text(), "iPhone / iPod Touch");
    EXPECT_EQ(Form->devicebox->Items().Count(), 9);
    EXPECT_EQ(Form->vq->MaxValue(), 100);
    EXPECT_EQ(Form->vq->Value(), 50);
    EXPECT_EQ(Form->screensize->Text(), "480 x 320");
    // The chosen profile stands ready for Start even without a settings file.
    EXPECT_EQ(Form->Tables().dq->Cells(DeviceProfile::Name, 0), "iPhone / iPod Touch");
    EXPECT_EQ(Form->Caption(), "Ombrix Free 1.3");
    EXPECT_EQ(Form->RunState.MinTitleLength, 800);
}

TEST_F(FormCreate, MakesTheWorkFoldersAndTheDefaultDestination)
{
    Start();
    EXPECT_EQ(Form->WorkFolder, WorkFolder());
    EXPECT_TRUE(fs::is_directory(WorkFolder() + "temp"));
    const std::string destination = (Home / "My Papers/Ombrix/").string();
    EXPECT_EQ(Form->skskinlabel1->ProgressText(), destination);
    EXPECT_TRUE(fs::is_directory(destination));
}

TEST_F(FormCreate, RemovesTheScratchOfRunsThatAreGone_NeverARunningCopysNorAnythingElse)
{
    const auto sleeper = [] {
        const pid_t pid = fork();
        if (pid == 0) {
            execlp("sleep", "sleep", "60", nullptr);
            _exit(127);
        }
        return pid;
    };
    const pid_t live = sleeper(), gone = sleeper();
    const auto run = [](pid_t Pid, const std::string& Mark) { return "run-" + std::to_string(Pid) + "-" + Mark; };
    const std::string liveRun = run(live, ProcessStartMark(live)), goneRun = run(gone, ProcessStartMark(gone));
    kill(gone, SIGKILL);
    waitpid(gone, nullptr, 0);
    const fs::path temp = fs::path(WorkFolder()) / "temp", outside = fs::path(Scratch.Path()) / "outside";
    // An id handed out again names another process: that run is gone too.
    for (const fs::path& folder : {temp / liveRun, temp / goneRun, temp / run(live, "1"), outside}) {
        fs::create_directories(folder);
        std::ofstream(folder / "convert.avi") << "x";
    }
    fs::create_directory_symlink(outside, temp / run(1, "1"));
    Start();
    kill(live, SIGKILL);
    waitpid(live, nullptr, 0);
    EXPECT_TRUE(fs::exists(temp / liveRun / "convert.avi")) << "a running copy's scratch was removed";
    EXPECT_FALSE(fs::exists(temp / goneRun));
    EXPECT_FALSE(fs::exists(temp / run(live, "1")));
    EXPECT_TRUE(fs::exists(outside / "convert.avi")) << "a link led the removal out of the work folder";
}

TEST_F(FormCreate, AWorkFolderThatCannotBeMade_IsSaidAndNamed)
{
    std::ofstream(Home / "data") << ""; // a file where the user's data folder should be
    setenv("XDG_DATA_HOME", (Home / "data").c_str(), 1);
    Start();
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(Form->status->ProgressText(), "Cannot convert: the work folder " + (Home / "data/Ombrix3/").string() + " cannot be made");
}

TEST_F(FormCreate, WritesTheDesktopLinkInAHomeWithBlanksAndQuotes)
{
    fs::create_directories(Home / "Desktop");
    { std::ofstream(Home / "Desktop/Faster Ombrix.desktop") << "[Desktop Entry]\nType=Application\nExec=rm -rf ~\n"; }
    Start();
    const std::string file = (Home / "Desktop/Faster Ombrix.desktop").string();
    ASSERT_TRUE(fs::exists(file));
    // Written whole at every start: nothing of an older entry survives.
    TMemIniFile ini(file);
    EXPECT_EQ(ini.ReadString("Desktop Entry", "Type", ""), "Link");
    EXPECT_EQ(ini.ReadString("Desktop Entry", "Name", ""), "Faster Ombrix");
    EXPECT_EQ(ini.ReadString("Desktop Entry", "URL", "").rfind("https://", 0), 0u);
    EXPECT_EQ(ini.ReadString("Desktop Entry", "Exec", "none"), "none");
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_exec, fs::perms::none);
    // Nothing else is left on the desktop: no Windows shortcut, no scratch file.
    EXPECT_EQ(std::distance(fs::directory_iterator(Home / "Desktop"), fs::directory_iterator()), 1);
}

TEST_F(FormCreate, NoDesktopFolder_NoLinkAndNoFolderMade)
{
    fs::remove_all(Home / "Desktop");
    Start();
    EXPECT_FALSE(fs::exists(Home / "Desktop"));
    EXPECT_EQ(Form->devicebox->Text(), "iPhone / iPod Touch");
}

TEST_F(FormCreate, ShortcutThatCannotBeWritten_StartUpGoesOn)
{
    fs::permissions(Home / "Desktop", fs::perms::owner_read | fs::perms::owner_exec);
    Start();
    fs::permissions(Home / "Desktop", fs::perms::owner_all);
    EXPECT_EQ(Form->devicebox->Text(), "iPhone / iPod Touch");
    EXPECT_TRUE(fs::is_directory(WorkFolder() + "temp"));
}

TEST_F(FormCreate, StartButtonWaitsForTheFirstScanAndTheBannerShowsItsFirstLine)
{
    Start();
    EXPECT_FALSE(Form->skSkinSpeedButton1->Enabled());
    EXPECT_FALSE(Part<TControl>("go_button")->Enabled());
    EXPECT_EQ(Part<TControl>("banner")->Caption(), BannerText(0));
    const auto* bannertimer = Part<TTimer>("bannertimer");
    ASSERT_NE(bannertimer, nullptr);
    EXPECT_TRUE(bannertimer->Enabled());
    EXPECT_EQ(bannertimer->Interval(), 5000u);
    Form->bannertimerTimer(nullptr);
    Form->bannertimerTimer(nullptr);
    EXPECT_EQ(Part<TControl>("banner")->Caption(), BannerText(1));
    // The first scan round hands the Start button over.
    Form->OnScanFinished();
    EXPECT_TRUE(Part<TControl>("go_button")->Enabled());
}

// The work panel over the queue: the later of the two in their parent's order is the one in front.
bool WorkPanelInFront(TForm1& Form)
{
    auto* panel = dynamic_cast<TControl*>(Form.FindComponent("textpanel"));
    auto* queue = dynamic_cast<TControl*>(Form.FindComponent("skSkinScrollpanel1"));
    TWinControl* parent = panel->Parent();
    int panelAt = -1, queueAt = -1;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        if (parent->Controls(i) == panel)
            panelAt = i;
        if (parent->Controls(i) == queue)
            queueAt = i;
    }
    return panelAt > queueAt;
}

TEST_F(FormCreate, EveryScanRoundShowsTheWorkPanelWhileItRuns)
{
    Start();
    EXPECT_TRUE(WorkPanelInFront(*Form));
    Form->OnScanFinished();
    ASSERT_FALSE(WorkPanelInFront(*Form));
    std::vector<bool> inFrontWhileIdentifying;
    System.OnRunTool = [&](const std::string&) { inFrontWhileIdentifying.push_back(WorkPanelInFront(*Form)); };
    for (const char* name : {"one.avi", "two.avi"}) {
        const fs::path clip = Home / name;
        std::ofstream(clip) << "x";
        fs::resize_file(clip, 3'000'000);
        Form->DropFiles({clip.string()});
        Form->ScanTimerTimer(Form->ScanTimer);
        EXPECT_FALSE(WorkPanelInFront(*Form)) << name;
    }
    EXPECT_EQ(inFrontWhileIdentifying, (std::vector<bool>{true, true}));
}

TEST_F(FormCreate, OpenDialogFilterListsEveryVideoExtension)
{
    Start();
    const auto* dialog = Part<TskSkinOpenDialog>("oxOpenDialog1");
    ASSERT_NE(dialog, nullptr);
    const std::string& filter = dialog->Filter();
    EXPECT_EQ(filter.rfind("Supported Files|*.avi;*.mpg;*.vob;", 0), 0u);
    EXPECT_NE(filter.find(";*.dvr-ms;*.tivo;"), std::string::npos);
    // The list's last item is empty: the supported pattern ends in "*.;".
    EXPECT_EQ(filter.substr(filter.size() - 17), "*.;|All Files|*.*");
}

TEST_F(FormCreate, AddFilesOpensTheFileDialog_ChosenFilesComeIntoThePendingList)
{
    const fs::path docs = Home / "My Papers";
    fs::create_directories(docs / "Sub \"Folder\"");
    for (const char* name : {"a one.avi", "b \"two\".mkv", "c three.mp4", "notes.txt"})
        std::ofstream(docs / name) << name;
    std::ofstream(docs / "Sub \"Folder\"" / "d four.avi") << "d";
    Start();
    Form->Show();
    Driver.ProcessMessages();
    auto* dialog = Part<TskSkinOpenDialog>("oxOpenDialog1");
    ASSERT_NE(dialog, nullptr);
    // The user's steps, one posted message each, run inside the dialog's modal loop.
    std::vector<std::function<void(TskOpenDlgForm&)>> steps;
    std::size_t next = 0;
    std::vector<std::string> rows;
    constexpr UINT kStep = WM_USER + 613;
    Application->OnMessage = [&](TMsg& m, bool& handled) {
        if (m.message != kStep) return;
        handled = true;
        TskOpenDlgForm* f = dialog->Form();
        if (f == nullptr) return;
        if (next >= steps.size()) {
            f->SetModalResult(mrCancel);
            return;
        }
        steps[next++](*f);
        PostMessage(Application->Handle(), kStep, 0, 0);
    };
    auto clickRow = [&](TskOpenDlgForm& f, const std::string& name, WORD modifier) {
        for (int i = 0; i < f.FileList->Items()->Count(); ++i)
            if (f.FileList->Folders(i)->DisplayName() == name) {
                const TRect r = f.FileList->ItemRect(i);
                Driver.AdvanceClock(1000); // separate clicks, never a double click
                if (modifier) Driver.KeyDown(modifier);
                Driver.Click(f.FileList->ClientToScreen({r.Left + 8, (r.Top + r.Bottom) / 2}));
                if (modifier) Driver.KeyUp(modifier);
                return;
            }
        ADD_FAILURE() << "no row " << name;
    };
    auto clickOn = [&](TControl* c) { Driver.Click(c->ClientToScreen({c->Width() / 2, c->Height() / 2})); };
    auto* fileButton = Part<TControl>("file_button");
    ASSERT_NE(fileButton, nullptr);
    // The user starts acting once the window is up.
    dialog->OnShow = [&](TObject*) { PostMessage(Application->Handle(), kStep, 0, 0); };

    steps = {
        [&](TskOpenDlgForm& f) {
            for (int i = 0; i < f.FileList->Items()->Count(); ++i) rows.push_back(f.FileList->Folders(i)->DisplayName());
            clickRow(f, "a one.avi", 0);
        },
        [&](TskOpenDlgForm& f) { clickRow(f, "c three.mp4", VK_SHIFT); },
        [&](TskOpenDlgForm& f) { clickRow(f, "b \"two\".mkv", VK_CONTROL); },
        [&](TskOpenDlgForm& f) { clickOn(f.OpenButton); },
    };
    clickOn(fileButton);
    Driver.ProcessMessages();
    // The video filter hides the text file; folders (the default destination among them) come first.
    EXPECT_EQ(rows, (std::vector<std::string>{"Ombrix", "Sub \"Folder\"", "a one.avi", "b \"two\".mkv", "c three.mp4"}));
    EXPECT_EQ(Form->ListBox1->Text(), (docs / "a one.avi").string() + "\r\n" + (docs / "c three.mp4").string() + "\r\n");
    EXPECT_TRUE(Form->ScanTimer->Enabled());

    // A typed relative path: the dialog opens again where the last files came from.
    Form->ListBox1->Clear();
    next = 0;
    steps = {
        [&](TskOpenDlgForm& f) {
            f.FileNameEdit->SetText("Sub \"Folder\"/d four.avi");
            f.FileNameEdit->SetFocus();
            Driver.Press(VK_RETURN);
        },
    };
    clickOn(fileButton);
    Driver.ProcessMessages();
    EXPECT_EQ(Form->ListBox1->Text(), (docs / "Sub \"Folder\"" / "d four.avi").string() + "\r\n");
    EXPECT_EQ(Form->OxSelectDirectory1->Directory(), (docs / "Sub \"Folder\"").string() + "/");
    Application->OnMessage = nullptr;
}

TEST_F(SettingsAtStart, StoredChoicesAreTakenBack)
{
    WriteSettings("Playstation Portable\r\n70\r\n/tmp/my videos/\r\nCC ON\r\n");
    Start();
    EXPECT_EQ(Form->devicebox->Text(), "Playstation Portable");
    EXPECT_EQ(Form->vq->Value(), 70);
    EXPECT_EQ(Form->skskinlabel1->ProgressText(), "/tmp/my videos/");
    EXPECT_TRUE(ClosedCaptions());
    EXPECT_EQ(Form->Tables().dq->Cells(DeviceProfile::Name, 0), "Playstation Portable");
    fs::remove_all("/tmp/my videos");
}

TEST_F(SettingsAtStart, GarbledLinesKeepTheDefaultsAndLoseNothingElse)
{
    WriteSettings("No Such Device\r\nfifty\r\n\r\nmaybe\r\n");
    Start();
    EXPECT_EQ(Form->devicebox->Text(), "iPhone / iPod Touch");
    EXPECT_EQ(Form->vq->Value(), 50);
    // An empty destination line would leave Start without a folder: the default stays.
    EXPECT_EQ(Form->skskinlabel1->ProgressText(), (Home / "My Papers/Ombrix/").string());
    EXPECT_FALSE(ClosedCaptions());
}

TEST_F(SettingsAtStart, BinaryGarbageDoesNotStopTheStart)
{
    std::string junk(70000, '\xff');
    junk[10] = '\0';
    junk[500] = '\n';
    WriteSettings(junk);
    Start();
    EXPECT_EQ(Form->devicebox->Text(), "iPhone / iPod Touch");
    EXPECT_EQ(Form->vq->MaxValue(), 100);
    EXPECT_FALSE(Form->skskinlabel1->ProgressText().empty());
}

TEST_F(Closing, WritesTheFourSettingsLinesAndStartsAgainWithThem)
{
    Start();
    Form->devicebox->SetItemIndex(Form->devicebox->Items().IndexOf("Zune 30"));
    Form->deviceboxChange(nullptr);
    Form->vq->SetValue(42);
    auto* cc = Part<TMenuItem>("cc");
    ASSERT_NE(cc, nullptr);
    cc->SetChecked(true);
    TCloseAction action = caHide;
    Form->FormClose(Form.get(), action);
    const std::string destination = (Home / "My Papers/Ombrix/").string();
    EXPECT_EQ(SettingsLines(), (std::vector<std::string>{"Zune 30", "42", destination, "CC ON"}));
    EXPECT_EQ(Form->RunState.AbortRequested, -1);

    Form.reset();
    Start();
    EXPECT_EQ(Form->devicebox->Text(), "Zune 30");
    EXPECT_EQ(Form->vq->Value(), 42);
    EXPECT_TRUE(ClosedCaptions());
}

TEST_F(FormCreate, HelpButtonOpensTheHelpDocumentBesideTheProgramWithTheDesktopReader)
{
    // The desktop's opener is a recorder on PATH: what it was started with lands in a file.
    const fs::path bin = Home / "bin";
    fs::create_directories(bin);
    const fs::path args = Home / "opened";
    std::ofstream(bin / "xdg-open") << "#!/bin/sh\nprintf '%s|' \"$@\" > \"$HOME/opened.new\"\nmv \"$HOME/opened.new\" \"$HOME/opened\"\n";
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin.string() + ":" + savedPath).c_str(), 1);
    Start();
    Form->Show();
    Driver.ProcessMessages();
    auto* help = Part<TControl>("skSkinSpeedButton5");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->Caption(), "Help");
    Driver.Click(help->ClientToScreen(TPoint{help->Width() / 2, help->Height() / 2}));
    Driver.ProcessMessages();
    setenv("PATH", savedPath.c_str(), 1);
    for (int i = 0; i < 3000 && !fs::exists(args); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::string opened;
    std::getline(std::ifstream(args), opened);
    const std::string program = fs::read_symlink("/proc/self/exe").parent_path().string();
    EXPECT_EQ(opened, program + "/help.pdf|");
}

TEST_F(FormCreate, NoDesktopOpenerOrAFailingOne_HelpBannerAndDestinationSaySoOnTheStatusLine)
{
    // A PATH with no xdg-open on it, then one that finds no program for anything, as xdg-open does.
    const fs::path bin = Home / "bin";
    fs::create_directories(bin);
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", bin.c_str(), 1);
    Start();
    Form->Show();
    Driver.ProcessMessages();
    for (const std::string why : {"xdg-open (xdg-utils) is not installed", "the desktop has no program for it"}) {
        for (const auto& [name, what] : {std::pair{"skSkinSpeedButton5", "the help"}, {"banner", "the web page"}, {"skskinlabel1", "the folder"}}) {
            const std::string says = std::string("Cannot open ") + what + ": " + why;
            Form->status->SetProgressText("");
            auto* control = Part<TControl>(name);
            ASSERT_NE(control, nullptr);
            Driver.AdvanceClock(1000);
            Driver.Click(control->ClientToScreen(TPoint{control->Width() / 2, control->Height() / 2}));
            // A failed opener's end comes back from the thread that waits for it.
            for (int i = 0; i < 3000 && Form->status->ProgressText() != says; ++i) {
                Driver.ProcessMessages();
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            EXPECT_EQ(Form->status->ProgressText(), says);
        }
        std::ofstream(bin / "xdg-open") << "#!/bin/sh\nexit 3\n";
        fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    }
    setenv("PATH", savedPath.c_str(), 1);
}

TEST_F(MainWindowLook, PictureOfTheStartedWindow)
{
    Start();
    Form->Show();
    Driver.ProcessMessages();
    const TSurface* picture = Driver.Picture(Form->Handle());
    ASSERT_NE(picture, nullptr);
    EXPECT_GE(picture->Width(), 600);
    EXPECT_GE(picture->Height(), 300);
    EXPECT_FALSE(Driver.SaveWindow(Form->Handle(), "MainWindow", OMBRIX_TEST_PICTURES).empty());
    // The device box shows its face (frame, arrow, text): not just the panel behind it.
    auto* device = Part<TControl>("devicebox");
    const TPoint screen = device->ClientToScreen(TPoint{0, 0});
    const int left = screen.X - Form->Left();
    const int middle = screen.Y - Form->Top() + device->Height() / 2;
    const TPixel panel = Driver.PixelAt(Form->Handle(), left - 2, middle);
    int differing = 0;
    for (int x = left; x < left + device->Width(); ++x)
        differing += Driver.PixelAt(Form->Handle(), x, middle) != panel;
    EXPECT_GT(differing, 10);
    // The content panel fills the window; the work-in-progress panel covers the queue until a scan.
    auto* root = Part<TControl>("ROOT");
    EXPECT_EQ(root->Width(), Form->ClientWidth());
    EXPECT_EQ(root->Height(), Form->ClientHeight());
    auto* textpanel = Part<TControl>("textpanel");
    auto* queue = Part<TControl>("skSkinScrollpanel1");
    EXPECT_EQ(textpanel->BoundsRect(), queue->BoundsRect());
}

} // namespace

namespace {

using BottomBar = StartedWindow;

TEST_F(BottomBar, FollowsTheWindowWidthWhenMaximised)
{
    Start();
    Form->Show();
    Driver.ProcessMessages();
    auto* bar = Part<TControl>("bottompanel");
    auto* skip = Part<TControl>("skip_button");
    auto* go = Part<TControl>("go_button");
    auto* destination = Part<TControl>("skskinlabel1");
    auto* status = Part<TControl>("status");
    auto* banner = Part<TControl>("banner");
    const auto rightGap = [bar](TControl* c) { return bar->ClientWidth() - (c->Left() + c->Width()); };
    // As stored: the run buttons close to the right edge, the lines across the whole bar.
    EXPECT_EQ(bar->ClientWidth(), 600);
    EXPECT_EQ(rightGap(skip), 4);
    EXPECT_EQ(rightGap(status), 4);
    EXPECT_EQ(rightGap(banner), 4);
    const int destinationGap = go->Left() - (destination->Left() + destination->Width());

    Form->SetWindowState(wsMaximized);
    Driver.ProcessMessages();
    ASSERT_GT(bar->ClientWidth(), 900);
    EXPECT_EQ(rightGap(skip), 4);
    EXPECT_EQ(rightGap(status), 4);
    EXPECT_EQ(rightGap(banner), 4);
    EXPECT_EQ(go->Left() - (destination->Left() + destination->Width()), destinationGap);
    EXPECT_EQ(destination->Left(), 88);
    EXPECT_FALSE(Driver.SaveWindow(Form->Handle(), "MainWindowMaximised", OMBRIX_TEST_PICTURES).empty());

    Form->SetWindowState(wsNormal);
    Driver.ProcessMessages();
    EXPECT_EQ(bar->ClientWidth(), 600);
    EXPECT_EQ(rightGap(skip), 4);
    EXPECT_EQ(destination->Width(), 380);
}

} // namespace

namespace {

struct Queue : StartedWindow {
    TskSkinScrollBox* Box = nullptr;
    TskSkinScrollBar* Bar = nullptr;

    // The window shown with Count identified sources in its queue, as a scan round leaves it.
    void ShowWithRows(int Count)
    {
        Start();
        Form->Show();
        TskSkinStringGrid& g = *Form->StringGrid1;
        for (int i = 0; i < Count; ++i) {
            const int r = AppendRow(g);
            g.SetCells(SourceRecord::RowId, r, Format("%5.5d", {r}));
            g.SetCells(SourceRecord::Title, r, "clip " + IntToStr(r));
            g.SetCells(SourceRecord::OutputName, r, "clip " + IntToStr(r));
            g.SetCells(SourceRecord::Length, r, "20.00");
            g.SetCells(SourceRecord::LengthText, r, "0:00:20");
            g.SetCells(SourceRecord::Selected, r, "YES");
            Form->AddItem(r);
        }
        Form->OnScanFinished();
        Driver.ProcessMessages();
        Box = Part<TskSkinScrollBox>("skSkinScrollpanel1");
        Bar = Part<TskSkinScrollBar>("skSkinScrollBar1");
        ASSERT_NE(Box, nullptr);
        ASSERT_NE(Bar, nullptr);
    }
    int FirstRowTop() const { return Form->Queue->Find({"pnl0_"}, 0)->Top(); }
    TPoint BoxMiddle() const { return Box->ClientToScreen({Box->ClientWidth() / 2, Box->ClientHeight() / 2}); }
};

TEST_F(Queue, ThreeRowsFitAndShowNoBar)
{
    ShowWithRows(2);
    EXPECT_FALSE(Bar->Visible());
    Driver.MoveTo(BoxMiddle());
    Driver.Wheel(-WHEEL_DELTA);
    Driver.ProcessMessages();
    EXPECT_EQ(FirstRowTop(), 0);
}

TEST_F(Queue, RowsBeyondTheBoxShowTheBarBesideIt)
{
    ShowWithRows(6);
    ASSERT_TRUE(Bar->Visible());
    // Six rows of 45 pixels with their 2-pixel lines, one page the visible height of the queue.
    EXPECT_EQ(Bar->Max(), 6 * 47 - 1);
    EXPECT_EQ(Bar->PageSize(), Box->ClientHeight());
    EXPECT_EQ(Bar->Left(), Box->Left() + Box->Width());
    EXPECT_EQ(Bar->Top(), Box->Top());
    EXPECT_EQ(Bar->Height(), Box->Height());
    EXPECT_FALSE(Driver.SaveWindow(Form->Handle(), "MainWindowQueueOverflow", OMBRIX_TEST_PICTURES).empty());
}

TEST_F(Queue, WheelOverTheRowsScrollsThemARowANotch)
{
    ShowWithRows(6);
    Driver.MoveTo(BoxMiddle());
    Driver.Wheel(-WHEEL_DELTA);
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->Position(), 47);
    EXPECT_EQ(FirstRowTop(), -47);
    Driver.Wheel(-3 * WHEEL_DELTA);
    Driver.ProcessMessages();
    // No further than the last row at the bottom of the queue.
    EXPECT_EQ(Bar->Position(), 6 * 47 - Box->ClientHeight());
    Driver.Wheel(10 * WHEEL_DELTA);
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(FirstRowTop(), 0);
}

TEST_F(Queue, KeysScrollTheFocusedQueue)
{
    ShowWithRows(8);
    // The queue is the window's first control: it has the keyboard when the window opens.
    ASSERT_EQ(Form->ActiveControl(), Box);
    Driver.Press(VK_DOWN);
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->Position(), 47);
    Driver.Press(VK_END);
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->Position(), 8 * 47 - Box->ClientHeight());
    EXPECT_EQ(FirstRowTop(), -Bar->Position());
    Driver.Press(VK_PRIOR);
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->Position(), 8 * 47 - 2 * Box->ClientHeight());
    Driver.Press(VK_HOME);
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(FirstRowTop(), 0);
}

TEST_F(Queue, ARowScrolledIntoViewShowsWhatAWholeRepaintShows)
{
    ShowWithRows(8);
    // Down to the end a row at a time, then up to the start: the moved picture, the strip painted anew and
    // the box's stretched background agree with the window painted whole at every stop.
    for (const int step : {Bar->SmallChange(), -Bar->SmallChange()})
        for (int stop = 0; stop < 8; ++stop) {
            Bar->SetPosition(Bar->Position() + step);
            Driver.ProcessMessages();
            const TSurface scrolled = *Driver.Picture(Form->Handle());
            RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            Driver.ProcessMessages();
            const TSurface* whole = Driver.Picture(Form->Handle());
            ASSERT_TRUE(std::equal(scrolled.Bits(), scrolled.Bits() + scrolled.Width() * scrolled.Height(), whole->Bits()))
                << "at position " << Bar->Position();
        }
}

} // namespace

namespace {

// The rightmost column where two pictures of Width columns differ; -1 when they are the same.
int RightmostDifference(const std::vector<TPixel>& A, const std::vector<TPixel>& B, int Width)
{
    int right = -1;
    for (std::size_t i = 0; i < A.size() && i < B.size(); ++i)
        if (A[i] != B[i])
            right = std::max(right, static_cast<int>(i % static_cast<std::size_t>(Width)));
    return right;
}

// The texts the window shows fit where it shows them: each text's ink is measured in a twin of its
// control that has room to spare (the same class and skin, on the empty work panel), and it must lie
// inside the place the stored control gives it.
struct Texts : StartedWindow {
    // The rightmost column, counted from Area's left, where Show(true) paints differently from
    // Show(false) inside Area of Control (client coordinates); -1 when nothing differs.
    int InkRight(TControl* Control, const TRect& Area, const std::function<void(bool)>& Show)
    {
        const auto grab = [&](bool With) {
            Show(With);
            Control->Repaint();
            Driver.ProcessMessages();
            std::vector<TPixel> pixels;
            const TPoint origin = Control->ClientToScreen({Area.Left, Area.Top});
            for (int y = 0; y < Area.Height(); ++y)
                for (int x = 0; x < Area.Width(); ++x)
                    pixels.push_back(Driver.PixelAt(Form->Handle(), origin.X - Form->Left() + x, origin.Y - Form->Top() + y));
            return pixels;
        };
        const std::vector<TPixel> without = grab(false);
        return RightmostDifference(grab(true), without, Area.Width());
    }
    TWinControl* RoomyPlace() { return Part<TWinControl>("textpanel"); }
    // Puts a twin control on the empty work panel, as wide as the panel, painted once.
    void Place(TControl* Twin, int Top, int Height)
    {
        Twin->SetBounds(0, Top, RoomyPlace()->ClientWidth(), Height);
        Twin->SetParent(RoomyPlace());
        Driver.ProcessMessages();
        Twin->Repaint();
        Driver.ProcessMessages();
    }
};

TEST_F(Texts, EveryDeviceNameFitsTheDeviceBox)
{
    Start();
    Form->Show();
    auto* box = Part<TskSkinComboBox>("devicebox");
    ASSERT_NE(box, nullptr);
    auto* twin = new TskSkinComboBox(Form.get());
    twin->SetSkinData(box->SkinData());
    twin->SetSkinDataName(box->SkinDataName());
    twin->SetUseSkinSize(box->UseSkinSize());
    twin->Items()->Assign(box->Items());
    Place(twin, 10, box->Height());
    // Each name against the shortest one: what the face draws besides the name is the same in both.
    TStrings& items = *box->Items();
    int shortest = 0;
    for (int i = 1; i < items.Count(); ++i)
        if (items.Strings(i).size() < items.Strings(shortest).size())
            shortest = i;
    for (int i = 0; i < items.Count(); ++i) {
        if (i == shortest)
            continue;
        const auto pick = [i, shortest](TskSkinComboBox* C) { return [C, i, shortest](bool With) { C->SetItemIndex(With ? i : shortest); }; };
        const int needed = InkRight(twin, twin->ItemRect(), pick(twin));
        ASSERT_GT(needed, 0) << items.Strings(i);
        EXPECT_LT(needed, box->ItemRect().Width() - 1) << items.Strings(i) << " is cut";
        EXPECT_EQ(InkRight(box, box->ItemRect(), pick(box)), needed) << items.Strings(i);
    }
}

TEST_F(Texts, TheQualityOfEveryDeviceFitsItsLabel)
{
    Start();
    Form->Show();
    auto* label = Part<TskSkinStdLabel>("skSkinStdLabel1");
    ASSERT_NE(label, nullptr);
    auto* twin = new TskSkinStdLabel(Form.get());
    twin->SetSkinData(label->SkinData());
    twin->SetSkinDataName(label->SkinDataName());
    twin->SetAutoSize(false);
    Place(twin, 60, label->Height());
    // The longest captions: each device at its highest quality, on the smallest and the largest screen.
    for (int d = 0; d < Form->devicebox->Items().Count(); ++d) {
        Form->devicebox->SetItemIndex(d);
        Form->deviceboxChange(nullptr);
        for (int s : {0, Form->screensize->Items().Count() - 1}) {
            Form->screensize->SetItemIndex(s);
            Form->vq->SetValue(Form->vq->MaxValue());
            Form->vqChange(nullptr);
            const std::string caption = label->Caption();
            const auto show = [caption](TControl* C) { return [C, caption](bool With) { C->SetCaption(With ? caption : ""); }; };
            const int needed = InkRight(twin, twin->ClientRect(), show(twin));
            ASSERT_GT(needed, 0) << caption;
            EXPECT_LT(needed, label->Width() - 1) << caption << " is cut";
            EXPECT_EQ(InkRight(label, label->ClientRect(), show(label)), needed) << caption;
        }
    }
}

} // namespace

namespace {

// The folder dialog as Add folder opens it: the user looks at its caption and cancels.
struct FolderDialogTitle : StartedWindow {
    static constexpr UINT kUserActs = WM_USER + 612;
    TskSkinSelectDirectoryDialog* Dialog = nullptr;
    std::function<void(TskSelDirDlgForm&)> User;

    void SetUp() override
    {
        StartedWindow::SetUp();
        Start();
        Form->Show();
        for (int i = 0; i < Form->ComponentCount() && !Dialog; ++i)
            Dialog = dynamic_cast<TskSkinSelectDirectoryDialog*>(Form->Components(i));
        ASSERT_NE(Dialog, nullptr);
        Dialog->OnShow = [](TObject*) { PostMessage(Application->Handle(), kUserActs, 0, 0); };
        Application->OnMessage = [this](TMsg& m, bool& Handled) {
            if (m.message != kUserActs)
                return;
            Handled = true;
            User(*Dialog->Form());
            Dialog->Form()->SetModalResult(mrCancel);
        };
    }
    void TearDown() override
    {
        Application->OnMessage = nullptr;
        StartedWindow::TearDown();
    }
    // The rightmost column of the caption band where the title paints, in the dialog as it is.
    int TitleReach(TskSelDirDlgForm& F)
    {
        const std::string title = F.Caption();
        const int band = F.ClientToScreen({0, 0}).Y - F.Top();
        const auto grab = [&](const std::string& Text) {
            F.SetCaption(Text);
            Driver.ProcessMessages();
            std::vector<TPixel> pixels;
            for (int y = 0; y < band; ++y)
                for (int x = 0; x < F.Width(); ++x)
                    pixels.push_back(Driver.PixelAt(F.Handle(), x, y));
            return pixels;
        };
        const std::vector<TPixel> without = grab("");
        return RightmostDifference(grab(title), without, F.Width());
    }
};

TEST_F(FolderDialogTitle, AddFolderShowsItsWholeTitle)
{
    int stored = -1;
    int roomy = -1;
    User = [&](TskSelDirDlgForm& F) {
        stored = TitleReach(F);
        // With room to spare the title ends where it ends; in the dialog as opened it must end there too.
        F.SetClientWidth(F.ClientWidth() + 400);
        roomy = TitleReach(F);
    };
    Form->skSkinSpeedButton4Click(nullptr);
    ASSERT_GT(roomy, 0);
    EXPECT_EQ(stored, roomy);
}

} // namespace

namespace {

TEST_F(Queue, AClickOnARowGivesTheQueueTheKeys)
{
    ShowWithRows(8);
    // The user typed in a row's name; then clicks on the row's length and pages down.
    auto* name = Form->Queue->Find({"pnl0_", "pnl2_", "edt0_"}, 1);
    Driver.Click(name->ClientToScreen({5, 5}));
    Driver.ProcessMessages();
    ASSERT_NE(Form->ActiveControl(), Box);
    auto* length = Form->Queue->Find({"pnl0_", "lbl0_"}, 1);
    Driver.Click(length->ClientToScreen({length->Width() / 2, length->Height() / 2}));
    Driver.ProcessMessages();
    EXPECT_EQ(Form->ActiveControl(), Box);
    Driver.Press(VK_NEXT);
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->Position(), Box->ClientHeight());
}

} // namespace
