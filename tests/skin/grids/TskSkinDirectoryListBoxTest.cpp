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

TEST_F(DirectoryListBox, EachItemShowsItsFolderPictureIndentedByItsDepth)
{
    List->SetDirectory(Dir.string());
    ShowForm();
    Save("DirectoryListBox");
    TskListBox* inner = List->ListBox();
    const int current = IndexOf("My \"Clips\"");
    ASSERT_GT(current, 0);
    // The first column of row Index that differs from the row's background.
    const auto firstInk = [&](int Index) {
        const TRect r = inner->ItemRect(Index);
        const TPoint o = inner->ClientToScreen(TPoint{0, 0});
        // Inside the item's focus frame, if it has one.
        const TPixel back = Driver.PixelAt(Form->Handle(), o.X + r.Left + 1, o.Y + r.Top + r.Height() / 2) & 0x00FFFFFF;
        for (int x = r.Left + 1; x < r.Right - 1; ++x)
            for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
                if ((Driver.PixelAt(Form->Handle(), o.X + x, o.Y + y) & 0x00FFFFFF) != back)
                    return x - r.Left;
        return -1;
    };
    // Each picture starts 4 pixels further in per level (plus 2), its outline one pixel inside it.
    for (int i : {0, 1, current, current + 1, current + 2})
        EXPECT_EQ(firstInk(i), 4 * List->ItemLevel(i) + 2 + 1) << i;
    // The current folder's picture carries its mark; the folders inside it are shut ones.
    const auto glyphPixel = [&](int Index, int X, int Y) {
        const TRect r = inner->ItemRect(Index);
        const TPoint o = inner->ClientToScreen(TPoint{0, 0});
        const int gx = r.Left + 4 * List->ItemLevel(Index) + 2;
        const int gy = r.Top + (r.Height() - 16) / 2;
        return Driver.PixelAt(Form->Handle(), o.X + gx + X, o.Y + gy + Y) & 0x00FFFFFF;
    };
    EXPECT_EQ(glyphPixel(current, 12, 3), gridtest::Px(clBlue));
    EXPECT_NE(glyphPixel(current - 1, 12, 3), gridtest::Px(clBlue));
    EXPECT_EQ(glyphPixel(current + 1, 7, 9), gridtest::Px(clYellow));
}

TEST_F(DirectoryListBox, BracketedNamesAndALinkedFileListsNamesMoveIt)
{
    List->SetDirectory(Dir.string());
    List->SetDirectory("[a sub]");
    EXPECT_EQ(List->Directory(), (Dir / "a sub").string());
    auto* files = new TskSkinFileListBox(Form);
    files->SetParent(Form);
    List->SetFileList(files);
    EXPECT_EQ(files->DirList(), List);
    // A folder typed into the file list moves the directory list, which the file list then follows.
    files->SetFileName("../b sub");
    EXPECT_EQ(List->Directory(), (Dir / "b sub").string());
    EXPECT_EQ(files->Directory(), (Dir / "b sub").string());
    files->SetFileName((Dir / "*.avi").string());
    EXPECT_EQ(List->Directory(), Dir.string());
    EXPECT_EQ(files->Mask(), "*.avi");
    EXPECT_EQ(files->Items()->Count(), 1);
    List->SetFileList(nullptr);
    EXPECT_EQ(files->DirList(), nullptr);
}
