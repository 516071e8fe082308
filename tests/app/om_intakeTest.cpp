#include "app/om_intake.h"

#include "om_testing.h"

#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TTimer.h"

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
    EXPECT_EQ(Form->StatusText(), "5 items added");
    EXPECT_TRUE(Form->ScanTimer->Enabled());
}

TEST_F(Intake, DropOfOneIntoEmptyList_SaysOneItem)
{
    const std::string longName = "/v/" + std::string(300, 'n') + ".avi";
    Form->DropFiles({longName});
    EXPECT_EQ(Form->StatusText(), "1 item added");
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
    EXPECT_EQ(Form->StatusText(), "");
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
        Form->OnListVolumes = [this] { return std::vector<TOpticalVolume>{Volume}; };
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
    Form->OnListVolumes = [&] { return std::vector<TOpticalVolume>{empty, Volume}; };
    Form->ScanDVDs();
    ASSERT_EQ(Form->ListBox1->Count(), 1);
    EXPECT_EQ(Form->ListBox1->Strings(0), Volume.RootPath);
    EXPECT_TRUE(Form->ScanTimer->Enabled());
    EXPECT_EQ(Form->StatusText(), "");
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
    EXPECT_EQ(Form->StatusText(), "Drive " + Volume.RootPath + " removed");
    EXPECT_EQ(Boxes, (std::vector<std::pair<int, std::string>>{{a, "No"}}));
}

TEST_F(Discs, Reinsertion_SelectsTheDiscsTitlesAgainButNotDoneOnes)
{
    const int a = Title("No");
    const int b = Title("Done");
    Form->DeviceChange(Volume, true);
    EXPECT_EQ(Cell(SourceRecord::Selected, a), "YES");
    EXPECT_EQ(Cell(SourceRecord::Selected, b), "Done");
    EXPECT_EQ(Form->StatusText(), "Holiday added");
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

} // namespace
