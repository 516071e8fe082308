#include "skin/grids/TskSkinDirectoryListBox.h"

#include <vector>

#include "FileCtrlTestSupport.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Messages.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "skin/grids/TskSkinDriveComboBox.h"
#include "skin/grids/TskSkinFileListBox.h"

using filectrltest::FileCtrlTest;

namespace {

// Opening an item is what a double click or Return does.
class TProbeDirList : public TskSkinDirectoryListBox {
public:
    using TskSkinDirectoryListBox::TskSkinDirectoryListBox;
    void Open(int Index)
    {
        SetItemIndex(Index);
        WORD key = VK_RETURN;
        ListBoxKeyDown(key, {});
    }
};

struct DirectoryListBox : FileCtrlTest {
    TProbeDirList* List = nullptr;
    std::filesystem::path Dir;

    void SetUp() override
    {
        FileCtrlTest::SetUp();
        Dir = Temp.Home / "My \"Clips\"";
        std::filesystem::create_directories(Dir / "b sub");
        std::filesystem::create_directories(Dir / "a sub");
        Touch(Dir / "clip.avi");
        List = new TProbeDirList(Form);
        List->SetParent(Form);
        List->SetBounds(10, 10, 200, 200);
    }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> v;
        for (int i = 0; i < List->Items()->Count(); ++i) v.push_back(List->Items()->Strings(i));
        return v;
    }
    int IndexOf(const std::string& s) const
    {
        for (int i = 0; i < List->Items()->Count(); ++i)
            if (List->Items()->Strings(i) == s) return i;
        return -1;
    }
};

} // namespace

TEST_F(DirectoryListBox, ShowsLevelsDownToCurrentThenItsFolders)
{
    List->SetDirectory(Dir.string());
    const auto shown = Shown();
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.front(), "/");
    EXPECT_EQ(shown[shown.size() - 3], "My \"Clips\"");
    EXPECT_EQ(shown[shown.size() - 2], "a sub");
    EXPECT_EQ(shown.back(), "b sub");
    // The current directory is the chosen item, and folders sit one level below it.
    const int current = static_cast<int>(shown.size()) - 3;
    EXPECT_EQ(List->ItemIndex(), current);
    EXPECT_EQ(List->ItemPath(current), Dir.string());
    EXPECT_EQ(List->ItemPath(0), "/");
    EXPECT_EQ(List->ItemPath(current + 1), (Dir / "a sub").string());
    EXPECT_EQ(List->ItemLevel(current + 1), List->ItemLevel(current) + 1);
    EXPECT_EQ(List->ItemPath(current - 1), Temp.Home.string());
}

TEST_F(DirectoryListBox, OpeningItemsMovesDownAndUp)
{
    List->SetDirectory(Dir.string());
    List->Open(IndexOf("b sub"));
    EXPECT_EQ(List->Directory(), (Dir / "b sub").string());
    List->Open(IndexOf("My \"Clips\""));
    EXPECT_EQ(List->Directory(), Dir.string());
    List->Open(0);
    EXPECT_EQ(List->Directory(), "/");
}

TEST_F(DirectoryListBox, OpeningAFolderRemovedMeanwhileRereadsInstead)
{
    List->SetDirectory(Dir.string());
    std::filesystem::remove(Dir / "a sub");
    List->Open(IndexOf("a sub"));
    EXPECT_EQ(List->Directory(), Dir.string());
    EXPECT_EQ(IndexOf("a sub"), -1);
}

TEST_F(DirectoryListBox, MissingDirectoryRaisesAndKeepsTheList)
{
    List->SetDirectory(Dir.string());
    const auto before = Shown();
    EXPECT_THROW(List->SetDirectory("no such folder"), EOSError);
    EXPECT_EQ(List->Directory(), Dir.string());
    EXPECT_EQ(Shown(), before);
}

TEST_F(DirectoryListBox, FileListAndLabelFollowTheDirectory)
{
    auto* files = new TskSkinFileListBox(Form);
    files->SetParent(Form);
    auto* label = new TskSkinStdLabel(Form);
    label->SetParent(Form);
    label->SetAutoSize(false);
    label->SetBounds(10, 220, 60, 16);
    List->SetFileList(files);
    List->SetDirLabel(label);
    List->SetDirectory(Dir.string());
    EXPECT_EQ(files->Directory(), Dir.string());
    EXPECT_EQ(files->Items()->Count(), 1);
    // The label is narrow: the path is shortened from the front, the last name kept.
    EXPECT_NE(label->Caption(), Dir.string());
    EXPECT_NE(label->Caption().find("Clips"), std::string::npos);
    files->Free();
    label->Free();
    EXPECT_EQ(List->FileList(), nullptr);
    EXPECT_EQ(List->DirLabel(), nullptr);
    List->SetDirectory(Temp.Home.string());
}

TEST_F(DirectoryListBox, DriveComboAndListFollowEachOther)
{
    const std::string disc = MountDisc("Disc \"one\"", "/dev/loop7", "FILM");
    std::filesystem::create_directories(disc + "VIDEO_TS");
    auto* drives = new TskSkinDriveComboBox(Form);
    drives->SetParent(Form);
    drives->SetVolumeSources(Sources);
    drives->SetDirList(List);
    EXPECT_EQ(List->DriveCombo(), drives);
    drives->SetDrive(disc);
    EXPECT_EQ(List->Directory(), disc.substr(0, disc.size() - 1));
    EXPECT_NE(IndexOf("VIDEO_TS"), -1);
    List->SetDirectory(Dir.string());
    EXPECT_EQ(drives->Drive(), "/");
    drives->Free();
    EXPECT_EQ(List->DriveCombo(), nullptr);
}
