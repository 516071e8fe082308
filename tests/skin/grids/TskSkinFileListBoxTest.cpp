#include "skin/grids/TskSkinFileListBox.h"

#include <algorithm>
#include <vector>

#include "FileCtrlTestSupport.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/TCustomEdit.h"
#include "platform/vcl/TScreen.h"

using filectrltest::FileCtrlTest;

namespace {

struct FileListBox : FileCtrlTest {
    TskSkinFileListBox* List = nullptr;
    std::filesystem::path Dir;

    void SetUp() override
    {
        FileCtrlTest::SetUp();
        Dir = Temp.Home / "My \"Clips\" folder";
        std::filesystem::create_directories(Dir / "sub folder");
        Touch(Dir / "a clip.avi");
        Touch(Dir / "b \"quoted\".mpg");
        Touch(Dir / "notes.txt");
        List = new TskSkinFileListBox(Form);
        List->SetParent(Form);
        List->SetBounds(10, 10, 200, 200);
    }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> v;
        for (int i = 0; i < List->Items()->Count(); ++i) v.push_back(List->Items()->Strings(i));
        return v;
    }
};

} // namespace

TEST_F(FileListBox, SeveralMasksListEveryKindOnce)
{
    List->SetDirectory(Dir.string());
    List->SetMask("*.avi; *.mpg;*.AVI");
    EXPECT_EQ(Shown(), (std::vector<std::string>{"a clip.avi", "b \"quoted\".mpg"}));
}

TEST_F(FileListBox, FoldersListedInBracketsOnlyWhenAskedFor)
{
    List->SetDirectory(Dir.string());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"a clip.avi", "b \"quoted\".mpg", "notes.txt"}));
    List->SetFileType(TskFileType{skftDirectory});
    const auto shown = Shown();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "[sub folder]"), shown.end());
}

TEST_F(FileListBox, AHundredItemsListedShowTheHourglassUntilTheListIsFull)
{
    for (const int count : {99, 150}) {
        SCOPED_TRACE(count);
        const std::filesystem::path many = Temp.Home / ("many " + std::to_string(count));
        std::filesystem::create_directories(many);
        for (int i = 0; i < count; ++i) Touch(many / ("clip " + std::to_string(1000 + i) + ".avi"));
        const std::size_t before = Driver.Backend().CursorsShown().size();
        List->SetDirectory(many.string());
        ASSERT_EQ(List->Items()->Count(), count);
        const std::vector<HCURSOR>& shown = Driver.Backend().CursorsShown();
        const bool hourglass = std::find(shown.begin() + before, shown.end(), CursorToHandle(crHourGlass)) != shown.end();
        EXPECT_EQ(hourglass, count > 100);
        if (!shown.empty()) EXPECT_NE(shown.back(), CursorToHandle(crHourGlass));
    }
}

TEST_F(FileListBox, FileNameJoinsDirectoryAndDropsFolderBrackets)
{
    List->SetDirectory(Dir.string());
    EXPECT_EQ(List->FileName(), "");
    List->SetItemIndex(0);
    EXPECT_EQ(List->FileName(), (Dir / "a clip.avi").string());
    List->SetFileType(TskFileType{skftDirectory});
    for (int i = 0; i < List->Items()->Count(); ++i)
        if (List->Items()->Strings(i) == "[sub folder]") List->SetItemIndex(i);
    EXPECT_EQ(List->FileName(), (Dir / "sub folder").string());
}

TEST_F(FileListBox, DirectoryWithTrailingSlashOrDotsIsTheSameDirectory)
{
    List->SetDirectory(Dir.string());
    int changes = 0;
    List->OnChange = [&](TObject*) { ++changes; };
    List->SetDirectory(Dir.string() + "/");
    List->SetDirectory((Dir / "sub folder" / "..").string());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(List->Directory(), Dir.string());
}

TEST_F(FileListBox, MissingDirectoryRaisesAndKeepsTheList)
{
    List->SetDirectory(Dir.string());
    const auto before = Shown();
    EXPECT_THROW(List->SetDirectory((Temp.Home / "gone").string()), EOSError);
    EXPECT_EQ(List->Directory(), Dir.string());
    EXPECT_EQ(Shown(), before);
}

TEST_F(FileListBox, SetFileNameChoosesMaskDirectoryOrItem)
{
    List->SetFileName((Dir / "*.txt").string());
    EXPECT_EQ(List->Directory(), Dir.string());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"notes.txt"}));
    List->SetMask("*.*");
    List->SetFileName("b \"quoted\".mpg");
    EXPECT_EQ(List->FileName(), (Dir / "b \"quoted\".mpg").string());
    List->SetFileName("sub folder");
    EXPECT_EQ(List->Directory(), (Dir / "sub folder").string());
    List->SetFileName("no such.avi");
    EXPECT_EQ(List->Mask(), "no such.avi");
    EXPECT_EQ(List->Items()->Count(), 0);
}

TEST_F(FileListBox, LinkedEditShowsChoiceOrMaskAndChangeFires)
{
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    int changes = 0;
    List->OnChange = [&](TObject*) { ++changes; };
    List->SetFileEdit(edit);
    List->SetDirectory(Dir.string());
    List->SetMask("*.avi");
    EXPECT_EQ(edit->Text(), "*.avi");
    List->SetFileName("a clip.avi");
    EXPECT_EQ(edit->Text(), "a clip.avi");
    EXPECT_GE(changes, 3);
    edit->Free();
    EXPECT_EQ(List->FileEdit(), nullptr);
    List->SetMask("*.*");
}
