#include "skin/grids/TskCustomShellComboBox.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ShellTestSupport.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskPopupListBox.h"
#include "skin/grids/TskCustomShellListView.h"
#include "skin/grids/TskCustomShellTreeView.h"

using namespace shelltest;

namespace {

using Strings = std::vector<std::string>;

struct ShellCombo : ShellViewTest {
    TskSkinShellComboBox* Box = nullptr;
    TskSkinFileListView* List = nullptr;
    int ListMoves = 0;

    void MakeBox(const std::string& Root)
    {
        Box = new TskSkinShellComboBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 300, 22);
        Box->SetRoot(Root);
    }
    void MakeLinkedList()
    {
        List = new TskSkinFileListView(Form);
        List->SetParent(Form);
        List->SetBounds(10, 60, 400, 300);
        Box->SetShellListView(List);
        List->OnPathChange = [this](TObject*) { ++ListMoves; };
    }
    Strings Captions() const
    {
        Strings c;
        for (int i = 0; i < Box->Items()->Count(); ++i)
            c.push_back(Box->Items()->Strings(i));
        return c;
    }
    std::vector<int> Indents() const
    {
        std::vector<int> v;
        for (int i = 0; i < Box->ItemsEx()->Count(); ++i)
            v.push_back(Box->ItemsEx()->Items(i)->Indent);
        return v;
    }
    static TItemIDList ID(const fs::path& p) { return IDListFromPath(p.string()); }
    // The first column of the list window where row Row holds something other than its background.
    int FirstInk(int Row)
    {
        TskPopupListBox* list = Box->ListBox();
        const TRect r = list->ListBoxRect();
        const int h = list->ItemHeight();
        const TPixel bg = Driver.PixelAt(list->Handle(), r.Left + 1, r.Top + Row * h + 1) & 0x00FFFFFF;
        for (int x = r.Left + 1; x < r.Right - 1; ++x)
            for (int y = r.Top + Row * h + 1; y < r.Top + (Row + 1) * h - 1; ++y)
                if ((Driver.PixelAt(list->Handle(), x, y) & 0x00FFFFFF) != bg)
                    return x;
        return -1;
    }
    TPoint ListRow(int row) const
    {
        TskPopupListBox* list = Box->ListBox();
        const TRect r = list->ListBoxRect();
        const int h = list->ItemHeight();
        return Point(list->Left() + r.Left + 40, list->Top() + r.Top + row * h + h / 2);
    }
};

} // namespace

// ---- filling from Root ----------------------------------------------------------------------------------------

TEST_F(ShellCombo, ListsTheRootThenItsFoldersIndentedBelowIt)
{
    MakeBox(Temp.Docs().string());
    EXPECT_EQ(Captions(), (Strings{"Documents", "Empty Folder", "My \"Quoted\" Clips"}));
    EXPECT_EQ(Indents(), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_EQ(Box->Text(), "Documents");
    EXPECT_EQ(Box->SelectedFolder()->Path(), Temp.Docs().string());
}

TEST_F(ShellCombo, NamedRootAndObjectTypesDecideWhatIsListed)
{
    MakeBox("rfPersonal");
    EXPECT_EQ(Box->Items()->Count(), 3);
    Box->SetObjectTypes(TShellObjectTypes{otFolders, otNonFolders});
    EXPECT_EQ(Captions(), (Strings{"Documents", "Empty Folder", "My \"Quoted\" Clips", "clip one.avi", "notes.txt"}));
}

TEST_F(ShellCombo, DesktopRootListsTheFileSystemRootOnceWithoutDuplicates)
{
    MakeBox("rfDesktop");
    const Strings c = Captions();
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(c[0], "/");
    EXPECT_EQ(std::count(c.begin(), c.end(), "tmp"), 1);
    const std::vector<int> indents = Indents();
    EXPECT_EQ(indents[0], 0);
    EXPECT_EQ(std::count(indents.begin() + 1, indents.end(), 1), static_cast<long>(indents.size()) - 1);
}

TEST_F(ShellCombo, RootThatNamesNoFolder_RaisesAndKeepsTheRows)
{
    MakeBox(Temp.Docs().string());
    EXPECT_THROW(Box->SetRoot((Temp.Home / "no such \"dir\"").string()), Exception);
    EXPECT_EQ(Box->Root(), Temp.Docs().string());
    EXPECT_EQ(Box->Items()->Count(), 3);
}

// ---- showing a path -------------------------------------------------------------------------------------------

TEST_F(ShellCombo, ShowingADeepFolder_InsertsItsAncestorsWithGrowingIndent)
{
    const fs::path deep = Temp.Quoted() / "Disc 1" / "Extras 'A'" / "Part 2";
    fs::create_directories(deep);
    MakeBox(Temp.Docs().string());
    Box->SetPathFromID(ID(deep));
    EXPECT_EQ(Captions(), (Strings{"Documents", "Empty Folder", "My \"Quoted\" Clips", "Disc 1", "Extras 'A'", "Part 2"}));
    EXPECT_EQ(Indents(), (std::vector<int>{0, 1, 1, 2, 3, 4}));
    EXPECT_EQ(Box->ItemIndex(), 5);
    EXPECT_EQ(Box->SelectedFolder()->Path(), deep.string());
}

TEST_F(ShellCombo, FolderOutsideTheRoot_LeavesTheRootChosen)
{
    MakeBox(Temp.Docs().string());
    Box->SetPathFromID(ID(Temp.Home));
    EXPECT_EQ(Box->Items()->Count(), 3);
    EXPECT_EQ(Box->ItemIndex(), 0);
}

// ---- choosing moves the linked views --------------------------------------------------------------------------

TEST_F(ShellCombo, LinkingAListGivesItTheBoxRoot)
{
    MakeBox(Temp.Docs().string());
    MakeLinkedList();
    EXPECT_EQ(List->Root(), Temp.Docs().string());
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Docs().string());
}

TEST_F(ShellCombo, ChoosingAFolderMovesTheListAndCollapsesToItsPath)
{
    MakeBox(Temp.Docs().string());
    MakeLinkedList();
    Box->SetPathFromID(ID(Temp.Quoted() / "Disc 1"));
    ASSERT_EQ(Box->Items()->Count(), 4);
    ListMoves = 0;
    Box->SetItemIndex(1);
    EXPECT_EQ(List->RootFolder()->Path(), (Temp.Docs() / "Empty Folder").string());
    EXPECT_EQ(Captions(), (Strings{"Documents", "Empty Folder", "My \"Quoted\" Clips"}));
    EXPECT_EQ(Box->Text(), "Empty Folder");
    EXPECT_EQ(ListMoves, 1);
    // The same folder again: nothing moves.
    Box->SetItemIndex(1);
    EXPECT_EQ(ListMoves, 1);
    EXPECT_EQ(Box->ItemIndex(), 1);
}

TEST_F(ShellCombo, ClickingARowOfTheOpenList_MovesTheListThere)
{
    MakeBox(Temp.Docs().string());
    MakeLinkedList();
    ShowForm();
    Driver.Click(Point(Box->Left() + 20, Box->Top() + 10));
    Driver.ProcessMessages();
    ASSERT_TRUE(Box->DroppedDown());
    Driver.SaveWindow(Box->ListBox()->Handle(), "ShellComboBox_DropDown", OMBRIX_TEST_PICTURES);
    Driver.Click(ListRow(2));
    Driver.ProcessMessages();
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->Text(), "My \"Quoted\" Clips");
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Quoted().string());
}

TEST_F(ShellCombo, AListThatGoesElsewhere_MovesTheBoxWithoutMovingItBack)
{
    MakeBox(Temp.Docs().string());
    MakeLinkedList();
    EXPECT_EQ(List->ShellComboBox(), Box);
    ListMoves = 0;
    List->SetPathFromID(ID(Temp.Quoted() / "Disc 1"));
    EXPECT_EQ(Captions(), (Strings{"Documents", "Empty Folder", "My \"Quoted\" Clips", "Disc 1"}));
    EXPECT_EQ(Box->Text(), "Disc 1");
    EXPECT_EQ(ListMoves, 1);
    List->Back();
    EXPECT_EQ(Box->Text(), "My \"Quoted\" Clips");
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Quoted().string());
}

TEST_F(ShellCombo, UnlinkingTheListStopsTellingTheBox)
{
    MakeBox(Temp.Docs().string());
    MakeLinkedList();
    Box->SetShellListView(nullptr);
    EXPECT_EQ(List->ShellComboBox(), nullptr);
    List->SetPathFromID(ID(Temp.Quoted()));
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(ShellCombo, FreeingTheBoxLeavesTheListUnlinked)
{
    MakeBox(Temp.Docs().string());
    MakeLinkedList();
    Box->Free();
    Box = nullptr;
    EXPECT_EQ(List->ShellComboBox(), nullptr);
    List->SetPathFromID(ID(Temp.Quoted())); // must not reach the freed box
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Quoted().string());
}

TEST_F(ShellCombo, ALinkedTreeFollowsTheChoiceAndMovesTheBox)
{
    MakeBox(Temp.Docs().string());
    auto* tree = new TskSkinDirTreeView(Form);
    tree->SetParent(Form);
    tree->SetBounds(320, 60, 250, 300);
    Box->SetShellTreeView(tree);
    EXPECT_EQ(tree->Root(), Temp.Docs().string());
    EXPECT_EQ(tree->ShellComboBox(), Box);
    Box->SetItemIndex(2);
    EXPECT_EQ(tree->Path(), Temp.Quoted().string());
    tree->SetPath((Temp.Quoted() / "Disc 1").string());
    EXPECT_EQ(Box->Text(), "Disc 1");
    EXPECT_EQ(Box->Items()->Count(), 4);
}

TEST_F(ShellCombo, FreeingALinkedListClearsTheLink)
{
    MakeBox(Temp.Docs().string());
    MakeLinkedList();
    List->Free();
    List = nullptr;
    EXPECT_EQ(Box->ShellListView(), nullptr);
    Box->SetItemIndex(2); // must not reach the freed list
    EXPECT_EQ(Box->Text(), "My \"Quoted\" Clips");
}

// ---- painting -------------------------------------------------------------------------------------------------

TEST_F(ShellCombo, DropDownRowsAreIndentedByHalfAnIconPerLevel)
{
    MakeBox(Temp.Docs().string());
    Box->SetPathFromID(ID(Temp.Quoted() / "Disc 1"));
    ShowForm();
    Box->DropDownList();
    Driver.ProcessMessages();
    ASSERT_TRUE(Box->DroppedDown());
    Driver.SaveWindow(Box->ListBox()->Handle(), "ShellComboBox_Indents", OMBRIX_TEST_PICTURES);
    // Rows 0 to 2 are not chosen: their text starts 8 pixels further right per level.
    const int row0 = FirstInk(0), row1 = FirstInk(1), row2 = FirstInk(2);
    ASSERT_GE(row0, 0);
    EXPECT_NEAR(row1 - row0, Box->IconWidth() / 2, 2);
    EXPECT_NEAR(row2 - row0, Box->IconWidth() / 2, 2);
}

// ---- streaming ------------------------------------------------------------------------------------------------

TEST_F(ShellCombo, TheFormReaderKnowsTheClass)
{
    EXPECT_NE(FindClassInfo("TskSkinShellComboBox"), nullptr);
    EXPECT_NE(FindClassInfo("TskCustomShellComboBox"), nullptr);
}
