#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/om_buttons.h"
#include "app/om_codecs.h"
#include "app/om_settings.h"
#include "app/om_tables.h"
#include "platform/backend/THeadlessDriver.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TTimer.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/grids/TskSkinStringGrid.h"
#include "skin/form/TskSkinOpenDialog.h"
#include "skin/grids/TskCustomShellListView.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinButton.h"
#include "platform/vcl/TApplication.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"

namespace {

namespace fs = std::filesystem;

// A scratch HOME whose path holds blanks, with a desktop and a documents folder named in the XDG
// user-dirs file; the window is made inside it and its OnCreate has run.
struct StartedWindow : ::testing::Test {
    fs::path Home;
    std::string SavedHome;
    THeadlessDriver Driver;
    std::unique_ptr<TForm1> Form;

    void SetUp() override
    {
        char pattern[] = "/tmp/om_mainwin_XXXXXX";
        Home = fs::path(mkdtemp(pattern)) / "home of \"Ann\" Lee";
        fs::create_directories(Home / "Desktop");
        fs::create_directories(Home / ".config");
        std::ofstream(Home / ".config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/My Papers\"\n";
        if (const char* home = std::getenv("HOME"))
            SavedHome = home;
        setenv("HOME", Home.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
        ResetUnit1Globals();
    }
    void TearDown() override
    {
        Form.reset();
        ResetUnit1Globals();
        setenv("HOME", SavedHome.c_str(), 1);
        fs::remove_all(Home.parent_path());
    }
    std::string WorkFolder() const { return (Home / ".local/share/Ombrix3/").string(); }
    void WriteSettings(const std::string& Text)
    {
        fs::create_directories(WorkFolder());
        std::ofstream(WorkFolder() + "settings.omr", std::ios::binary) << Text;
    }
    void Start()
    {
        Form = std::make_unique<TForm1>(nullptr);
        Form->OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
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
    EXPECT_EQ(MinTitleLength, 800);
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

TEST_F(FormCreate, WritesTheDesktopShortcutInAHomeWithBlanksAndQuotes)
{
    Start();
    const std::string file = (Home / "Desktop/Faster Ombrix.URL").string();
    ASSERT_TRUE(fs::exists(file));
    TMemIniFile ini(file);
    EXPECT_FALSE(ini.ReadString("InternetShortcut", "URL", "").empty());
    EXPECT_EQ(ini.ReadString("InternetShortcut", "IconIndex", ""), "0");
    EXPECT_EQ(ini.ReadString("InternetShortcut", "IconFile", ""), fs::read_symlink("/proc/self/exe").string());
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
    ASSERT_NE(Form->bannertimer, nullptr);
    EXPECT_TRUE(Form->bannertimer->Enabled());
    EXPECT_EQ(Form->bannertimer->Interval(), 5000u);
    Form->bannertimerTimer(nullptr);
    Form->bannertimerTimer(nullptr);
    EXPECT_EQ(Part<TControl>("banner")->Caption(), BannerText(1));
    // The first scan round hands the Start button over.
    Form->OnScanFinished();
    EXPECT_TRUE(Part<TControl>("go_button")->Enabled());
}

TEST_F(FormCreate, OpenDialogFilterListsEveryVideoExtension)
{
    Start();
    const std::string& filter = Form->OpenDialogFilter;
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
    EXPECT_TRUE(Form->ClosedCaptions());
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
    EXPECT_FALSE(Form->ClosedCaptions());
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
    Form->SetClosedCaptions(true);
    TCloseAction action = caHide;
    Form->FormClose(Form.get(), action);
    const std::string destination = (Home / "My Papers/Ombrix/").string();
    EXPECT_EQ(SettingsLines(), (std::vector<std::string>{"Zune 30", "42", destination, "CC ON"}));
    EXPECT_EQ(AbortRequested, -1);

    Form.reset();
    ResetUnit1Globals();
    Start();
    EXPECT_EQ(Form->devicebox->Text(), "Zune 30");
    EXPECT_EQ(Form->vq->Value(), 42);
    EXPECT_TRUE(Form->ClosedCaptions());
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
