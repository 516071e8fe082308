#include "app/om_intake.h"

#include "om_testing.h"

#include "app/om_tables.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/win/MessageQueue.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TTimer.h"

#include <chrono>
#include <thread>

using namespace omtest;

namespace {

class TAnsweredOpenDialog : public IOmOpenDialog {
public:
    std::vector<std::string> Answer;
    bool Confirm = true;
    std::string Title, InitialDir;
    void SetTitle(const std::string& Value) override { Title = Value; }
    void SetFileName(const std::string&) override {}
    void SetInitialDir(const std::string& Value) override { InitialDir = Value; }
    bool Execute() override { return Confirm; }
    std::vector<std::string> Files() const override { return Answer; }
};

class TAnsweredFolderDialog : public IOmSelectDirectory {
public:
    std::string Answer;
    std::string Dir;
    void SetTitle(const std::string&) override {}
    std::string Directory() const override { return Dir; }
    void SetDirectory(const std::string& Value) override { Dir = Value; }
    bool Execute() override
    {
        if (Answer.empty())
            return false;
        Dir = Answer;
        return true;
    }
};

using Intake = FormTest;

TEST_F(Intake, DropOfThreeWhileTwoPending_CountsAllPendingNames)
{
    Form->ListBox1->Add("/v/a.avi");
    Form->ListBox1->Add("/v/b.avi");
    Form->DropFiles({"/v/c.avi", "  ", "/v/d.avi", "/v/e.avi"});
    EXPECT_EQ(Form->ListBox1->Count(), 5);
    EXPECT_EQ(Form->status->ProgressText(), "5 items added");
    EXPECT_TRUE(Form->ScanTimer->Enabled());
}

TEST_F(Intake, DropOfOneIntoEmptyList_SaysOneItem)
{
    const std::string longName = "/v/" + std::string(300, 'n') + ".avi";
    Form->DropFiles({longName});
    EXPECT_EQ(Form->status->ProgressText(), "1 item added");
    EXPECT_EQ(Form->ListBox1->Strings(0), longName);
}

TEST_F(Intake, AddFiles_QueuesTheChosenFilesAndRemembersTheirFolder)
{
    TAnsweredOpenDialog open;
    TAnsweredFolderDialog folder;
    open.Answer = {"/films/one.avi", "/films/two.mkv"};
    Form->oxOpenDialog1 = &open;
    Form->OxSelectDirectory1 = &folder;
    Form->skSkinSpeedButton5Click(nullptr);
    EXPECT_EQ(open.Title, "Select File(s)");
    EXPECT_EQ(open.InitialDir, Home.Path.string() + "/Documents/");
    EXPECT_EQ(Form->ListBox1->Text(), "/films/one.avi\r\n/films/two.mkv\r\n");
    EXPECT_EQ(folder.Directory(), "/films/");
    EXPECT_TRUE(Form->ScanTimer->Enabled());
    EXPECT_EQ(Form->status->ProgressText(), "");
}

TEST_F(Intake, CancelledDialog_ChangesNothing)
{
    TAnsweredOpenDialog open;
    open.Confirm = false;
    TAnsweredFolderDialog folder;
    Form->oxOpenDialog1 = &open;
    Form->OxSelectDirectory1 = &folder;
    Form->skSkinSpeedButton5Click(nullptr);
    Form->skSkinSpeedButton4Click(nullptr);
    EXPECT_EQ(Form->ListBox1->Count(), 0);
    EXPECT_FALSE(Form->ScanTimer->Enabled());
}

TEST_F(Intake, AddFolder_DoubledSlashesCollapsedAndOneTrailingSlash)
{
    TAnsweredFolderDialog folder;
    folder.Answer = "//srv//videos";
    Form->OxSelectDirectory1 = &folder;
    Form->skSkinSpeedButton4Click(nullptr);
    ASSERT_EQ(Form->ListBox1->Count(), 1);
    EXPECT_EQ(Form->ListBox1->Strings(0), "/srv/videos/");
}

TEST(RepairFolderPath, CollapsesEverywhereAndEndsWithSlash)
{
    EXPECT_EQ(RepairFolderPath("/home//u/films"), "/home/u/films/");
    EXPECT_EQ(RepairFolderPath("/home/u/films/"), "/home/u/films/");
}

// --- discs --------------------------------------------------------------------------------------

struct Discs : FormTest {
    TempFolder Media;
    TOpticalVolume Volume;
    std::vector<std::pair<int, std::string>> Boxes;

    void SetUp() override
    {
        FormTest::SetUp();
        Media.Write("VIDEO_TS/VIDEO_TS.IFO");
        Volume.Device = "/dev/sr0";
        Volume.RootPath = Media.Path.string() + "/";
        Volume.Label = "HOLIDAY";
        Volume.Ready = true;
        System.OnListVolumes = [this] { return std::vector<TOpticalVolume>{Volume}; };
        Form->OnSelectionChanged = [this](int Row, const std::string& Value) { Boxes.emplace_back(Row, Value); };
    }
    int Title(const std::string& Selected)
    {
        const int r = AppendRow(*Form->StringGrid1);
        auto& g = *Form->StringGrid1;
        g.SetCells(SourceRecord::RowId, r, std::to_string(r));
        g.SetCells(SourceRecord::Kind, r, "DVD");
        g.SetCells(SourceRecord::Title, r, "Holiday_" + std::to_string(r + 1));
        g.SetCells(SourceRecord::SourcePath, r, Media.Path.string());
        g.SetCells(SourceRecord::Selected, r, Selected);
        return r;
    }
};

TEST_F(Discs, SearchAtStart_QueuesADiscWithIfoFiles)
{
    TOpticalVolume empty;
    empty.Device = "/dev/sr1";
    System.OnListVolumes = [&] { return std::vector<TOpticalVolume>{empty, Volume}; };
    Form->ScanDVDs();
    ASSERT_EQ(Form->ListBox1->Count(), 1);
    EXPECT_EQ(Form->ListBox1->Strings(0), Volume.RootPath);
    EXPECT_TRUE(Form->ScanTimer->Enabled());
    EXPECT_EQ(Form->status->ProgressText(), "");
}

TEST_F(Discs, Removal_MarksTitlesNoButLeavesDoneAndBlanksPendingEntries)
{
    const int a = Title("YES");
    const int b = Title("Done");
    Form->ListBox1->Add(Volume.RootPath);
    Form->dvdbox->Add(Media.Path.string());
    Form->DeviceChange(Volume, false);
    EXPECT_EQ(Cell(SourceRecord::Selected, a), "No");
    EXPECT_EQ(Cell(SourceRecord::Selected, b), "Done");
    EXPECT_EQ(Form->ListBox1->Strings(0), "");
    EXPECT_EQ(Form->dvdbox->Strings(0), "");
    EXPECT_EQ(Form->status->ProgressText(), "Drive " + Volume.RootPath + " removed");
    EXPECT_EQ(Boxes, (std::vector<std::pair<int, std::string>>{{a, "No"}}));
}

TEST_F(Discs, Reinsertion_SelectsTheDiscsTitlesAgainButNotDoneOnes)
{
    const int a = Title("No");
    const int b = Title("Done");
    Form->DeviceChange(Volume, true);
    EXPECT_EQ(Cell(SourceRecord::Selected, a), "YES");
    EXPECT_EQ(Cell(SourceRecord::Selected, b), "Done");
    EXPECT_EQ(Form->status->ProgressText(), "Holiday added");
    EXPECT_EQ(Form->ListBox1->Strings(0), Volume.RootPath);
    EXPECT_EQ(Boxes, (std::vector<std::pair<int, std::string>>{{a, "YES"}}));
}

TEST_F(Discs, OtherDiscInTheSameDrive_LeavesTheTitlesAlone)
{
    const int a = Title("No");
    Volume.Label = "WEDDING";
    Form->DeviceChange(Volume, true);
    EXPECT_EQ(Cell(SourceRecord::Selected, a), "No");
}

TEST_F(Discs, EmptyDriveLeavingTheList_IsNoRemoval)
{
    const int a = Title("YES");
    TOpticalVolume drive;
    drive.Device = "/dev/sr0";
    Form->SetStatusText("ready");
    Form->DeviceChange(drive, false);
    EXPECT_EQ(Form->status->ProgressText(), "ready");
    drive.Ready = true;
    Form->DeviceChange(drive, false);
    EXPECT_EQ(Form->status->ProgressText(), "Drive /dev/sr0 removed");
    EXPECT_EQ(Cell(SourceRecord::Selected, a), "YES");
}

TEST_F(Discs, VolumeWithoutIfoFiles_AddsNothing)
{
    TempFolder data;
    data.Write("notes.txt");
    Volume.RootPath = data.Path.string() + "/";
    Form->DeviceChange(Volume, true);
    EXPECT_EQ(Form->ListBox1->Count(), 0);
}

TEST(IsOnVolume, PathAtOrBelowTheRootOnly)
{
    EXPECT_TRUE(IsOnVolume("/media/cd", "/media/cd/"));
    EXPECT_TRUE(IsOnVolume("/media/cd/VIDEO_TS", "/media/cd/"));
    EXPECT_FALSE(IsOnVolume("/media/cd2", "/media/cd/"));
    EXPECT_FALSE(IsOnVolume("", "/media/cd/"));
}

// --- the window: drops and the volume watcher ----------------------------------------------------

// The window on the headless screen; the player is replaced by the recorded report of a clip.
struct Window : Discs {
    THeadlessDriver Driver;
    std::vector<std::string> Commands;

    void SetUp() override
    {
        Discs::SetUp();
        System.OnRunTool = [this](const std::string& Command) {
            Commands.push_back(Command);
            FeedLines(ReadFixture("avi-clip.txt"));
        };
        Form->SetBounds(0, 0, 320, 240);
    }
    // From a thread of its own, as the watcher reports.
    bool PostFromThread(const TOpticalVolume& V, bool Arrived)
    {
        bool posted = false;
        std::thread([&] { posted = Form->PostVolumeChange(V, Arrived); }).join();
        return posted;
    }
};

TEST_F(Window, FilesDroppedOnTheWindow_AreQueuedAndBecomeRecordsAtTheNextTick)
{
    TempFolder dir;
    const std::string clip = dir.Write("Summer \"Trip\".avi");
    fs::resize_file(clip, 3'000'000);
    // A path longer than the 255 characters the old drop query could hold.
    const std::string longName = dir.Write(std::string(120, 'a') + "/" + std::string(120, 'b') + "/clip.avi");
    fs::resize_file(longName, 3'000'000);
    // The window's start-up is not looked at here: its queue rows would take the recorded row seam.
    Form->OnCreate = nullptr;
    Form->Show();
    Driver.ProcessMessages();
    // The stored form centres the window on the screen.
    Driver.DropFiles(Form->ClientToScreen(TPoint{40, 40}), {clip, longName});
    EXPECT_EQ(Form->status->ProgressText(), "2 items added");
    EXPECT_TRUE(Form->ScanTimer->Enabled());
    EXPECT_TRUE(AddedRows.empty());

    Driver.AdvanceClock(2000);
    // Worked in sorted order: the long name ("aaa...") first.
    ASSERT_EQ(AddedRows.size(), 2u);
    ASSERT_GT(longName.size(), 255u);
    EXPECT_EQ(Cell(SourceRecord::SourcePath, AddedRows[0]), longName);
    EXPECT_EQ(Cell(SourceRecord::SourcePath, AddedRows[1]), clip);
    EXPECT_EQ(Cell(SourceRecord::Title, AddedRows[1]), "Summer \"Trip\"");
    EXPECT_FALSE(Form->ScanTimer->Enabled());
}

TEST_F(Window, VolumeChangeFromAnotherThread_IsHandledOnTheWindowsThreadOnly)
{
    const int a = Title("YES");
    const int b = Title("Done");
    Form->HandleNeeded();
    ASSERT_TRUE(PostFromThread(Volume, false));
    // Nothing happens before the window takes its messages.
    EXPECT_EQ(Cell(SourceRecord::Selected, a), "YES");
    Driver.ProcessMessages();
    EXPECT_EQ(Cell(SourceRecord::Selected, a), "No");
    EXPECT_EQ(Cell(SourceRecord::Selected, b), "Done");

    ASSERT_TRUE(PostFromThread(Volume, true));
    Driver.ProcessMessages();
    EXPECT_EQ(Cell(SourceRecord::Selected, a), "YES");
    EXPECT_EQ(Cell(SourceRecord::Selected, b), "Done");
    EXPECT_EQ(Boxes, (std::vector<std::pair<int, std::string>>{{a, "No"}, {a, "YES"}}));
    EXPECT_EQ(Form->ListBox1->Strings(0), Volume.RootPath);
}

TEST_F(Window, ChangesPostedInARow_AreTakenInTheOrderTheyCame)
{
    const int a = Title("YES");
    Form->HandleNeeded();
    std::thread([&] {
        Form->PostVolumeChange(Volume, false);
        Form->PostVolumeChange(Volume, true);
        Form->PostVolumeChange(Volume, false);
    }).join();
    Driver.ProcessMessages();
    EXPECT_EQ(Cell(SourceRecord::Selected, a), "No");
    EXPECT_EQ(Boxes, (std::vector<std::pair<int, std::string>>{{a, "No"}, {a, "YES"}, {a, "No"}}));
}

TEST_F(Window, WithoutAHandle_AVolumeChangeIsRefused)
{
    // The window has its handle from the moment its stored skins are read (they tell their form); it
    // loses it again on its way out, after its watcher has stopped.
    struct TGoingWindow : TForm1 {
        using TForm1::TForm1;
        using TForm1::DestroyHandle;
    };
    TGoingWindow going(nullptr, System);
    EXPECT_TRUE(going.HandleAllocated());
    going.DestroyHandle();
    bool posted = true;
    std::thread([&] { posted = going.PostVolumeChange(Volume, true); }).join();
    EXPECT_FALSE(posted);
    Driver.ProcessMessages();
    EXPECT_EQ(going.ListBox1->Count(), 0);
}

TEST_F(Window, DestroyedWindow_TakesNoChangeLeftInTheQueue)
{
    Title("YES");
    Form->HandleNeeded();
    const HWND handle = Form->Handle();
    ASSERT_TRUE(PostFromThread(Volume, false));
    Form.reset();
    EXPECT_FALSE(IsWindow(handle));
    Driver.ProcessMessages();
    EXPECT_TRUE(Boxes.empty());
}

// The real watcher over a mount table the test writes: a disc mounted and unmounted.
struct Watched : Window {
    TempFolder Sources;
    std::string MountInfo;

    void SetUp() override
    {
        Window::SetUp();
        MountInfo = Sources.Write("mountinfo", 0);
        fs::create_directories(Sources.Path / "block");
        fs::create_directories(Sources.Path / "by-label");
        const std::string device = Sources.Write("sr0");
        fs::create_symlink(device, Sources.Path / "by-label" / "HOLIDAY");
        System.VolumeSources = {MountInfo, (Sources.Path / "block").string(), (Sources.Path / "by-label").string()};
        System.VolumeRescanMs = 20;
        // The window got its handle, and with it its watcher, while its stored skins were read: it is
        // made again, so that the watcher reads the test's mount table.
        Form->RecreateWnd();
    }
    void Mount(bool Mounted)
    {
        std::ofstream(MountInfo) << (Mounted ? "36 25 11:0 / " + Media.Path.string() + " ro,relatime shared:1 - iso9660 " +
                                                   (Sources.Path / "sr0").string() + " ro\n"
                                             : std::string());
    }
    // Takes the window's messages until Done holds or five seconds have passed.
    template <typename F>
    bool WaitFor(F Done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!Done() && std::chrono::steady_clock::now() < end) {
            WaitMessage(20);
            Driver.ProcessMessages();
        }
        return Done();
    }
};

TEST_F(Watched, DiscMountedAndUnmounted_UpdatesTheRowsButLeavesDoneRows)
{
    const int a = Title("No");
    const int b = Title("Done");
    Form->HandleNeeded();
    Mount(true);
    ASSERT_TRUE(WaitFor([&] { return Cell(SourceRecord::Selected, a) == "YES"; }));
    EXPECT_EQ(Cell(SourceRecord::Selected, b), "Done");
    EXPECT_EQ(Form->status->ProgressText(), "Holiday added");
    ASSERT_EQ(Form->ListBox1->Count(), 1);
    EXPECT_EQ(Form->ListBox1->Strings(0), Volume.RootPath);

    Mount(false);
    ASSERT_TRUE(WaitFor([&] { return Cell(SourceRecord::Selected, a) == "No"; }));
    EXPECT_EQ(Cell(SourceRecord::Selected, b), "Done");
    EXPECT_EQ(Form->ListBox1->Strings(0), "");
}

TEST_F(Watched, DestroyedWindow_HearsNothingMore)
{
    Title("No");
    Form->HandleNeeded();
    Form.reset();
    Mount(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Driver.ProcessMessages();
    EXPECT_TRUE(Boxes.empty());
}

} // namespace
