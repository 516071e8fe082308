#include "skin/grids/TskSkinInplaceEdit.h"

#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "platform/vcl/TMenu.h"
#include "platform/win/Input.h"
#include "platform/win/Screen.h"
#include "skin/grids/TskSkinStringGrid.h"

using namespace gridtest;

namespace {

// A string grid whose length limit the test chooses (-1: read-only cells).
class TLimitGrid : public TskSkinStringGrid {
public:
    using TskSkinStringGrid::TskSkinStringGrid;
    int Limit = 0;

protected:
    int GetEditLimit() override { return Limit; }
};

// A string grid at (10, 10), 300 x 200 with goEditing; cell (c, r) starts at (10 + 65c, 10 + 25r).
struct InplaceEditing : GridFormTest {
    TLimitGrid* Grid = nullptr;
    std::vector<std::string> SetEdits;

    void MakeGrid(TGridOptions Extra = {})
    {
        Grid = GridFormTest::MakeGrid<TLimitGrid>(Rect(10, 10, 310, 210));
        Grid->SetColCount(5);
        Grid->SetRowCount(8);
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing} + Extra);
        Grid->OnSetEditText = [this](TObject*, int c, int r, const std::string& v) {
            SetEdits.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + v);
        };
        Grid->SetCells(1, 1, "old text");
        Grid->SetCells(1, 2, "below");
        Focus(Grid);
    }
    TskSkinInplaceEdit* Editor() { return Grid->InplaceEditor(); }
    bool EditorShown() { return Editor() != nullptr && Editor()->Shown(); }
    void Press(WORD vk, bool shift = false, bool ctrl = false)
    {
        Driver.Press(vk, shift, ctrl);
        Driver.ProcessMessages();
    }
    void Type(const std::string& text)
    {
        Driver.Type(text);
        Driver.ProcessMessages();
    }
};

TEST_F(InplaceEditing, TypingOnTheGridOpensTheEditorWithThatCharacter)
{
    MakeGrid();
    EXPECT_EQ(Editor(), nullptr);
    Type("a");
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Editor()->Text(), "a"); // the whole old text was selected, so "a" replaced it
    EXPECT_EQ(Grid->Cells(1, 1), "a"); // each edit reaches the cell at once
    EXPECT_TRUE(Editor()->Focused());
    EXPECT_EQ(Form->ActiveControl(), Grid); // for the form the grid keeps the focus
}

TEST_F(InplaceEditing, EditorLiesOverTheCurrentCell)
{
    MakeGrid();
    Press(VK_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->BoundsRect(), Grid->CellRect(1, 1));
}

TEST_F(InplaceEditing, F2EditsWithTheCaretAtTheEndAndReturnCommits)
{
    MakeGrid();
    Press(VK_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "old text");
    EXPECT_EQ(Editor()->SelLength(), 0);
    EXPECT_EQ(Editor()->SelStart(), 8);
    Type("s!");
    EXPECT_EQ(Grid->Cells(1, 1), "old texts!");
    Press(VK_RETURN);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "old texts!");
    EXPECT_TRUE(Grid->Focused());
}

TEST_F(InplaceEditing, ReturnOnTheGridOpensTheEditor)
{
    MakeGrid();
    Press(VK_RETURN);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->SelLength(), 8); // all selected: typing replaces the cell
}

TEST_F(InplaceEditing, EscapeCancelsAndPutsTheOldTextBack)
{
    MakeGrid();
    Press(VK_F2);
    Type("xyz");
    EXPECT_EQ(Grid->Cells(1, 1), "old textxyz");
    Press(VK_ESCAPE);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "old text");
    ASSERT_FALSE(SetEdits.empty());
    EXPECT_EQ(SetEdits.back(), "1,1=old text");
    // The next edit starts from the restored text.
    Press(VK_F2);
    EXPECT_EQ(Editor()->Text(), "old text");
}

TEST_F(InplaceEditing, MovingToAnotherCellCommitsAndHidesTheEditor)
{
    MakeGrid();
    Press(VK_F2);
    Type("1");
    Driver.Click(Point(10 + 65 * 2 + 30, 10 + 25 * 3 + 12));
    Driver.ProcessMessages();
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Grid->Cells(1, 1), "old text1");
}

TEST_F(InplaceEditing, MovedColumnOrRowTakesTheOpenEditorAlong)
{
    MakeGrid();
    Press(VK_F2);
    Type("x");
    Grid->MoveColumn(1, 3);
    Driver.ProcessMessages();
    Type("y");
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Grid->Cells(3, 1), "old textxy");
    EXPECT_EQ(Grid->Cells(1, 1), "");
    Grid->MoveRow(1, 4);
    Driver.ProcessMessages();
    Type("z");
    Press(VK_RETURN);
    EXPECT_EQ(Grid->Cells(3, 4), "old textxyz");
    EXPECT_EQ(Grid->Cells(3, 1), "below"); // the row under it moved up
}

TEST_F(InplaceEditing, LeavingTheGridEndsEditing)
{
    MakeGrid();
    auto* other = new TEdit(Form);
    other->SetParent(Form);
    other->SetBounds(400, 10, 100, 20);
    Press(VK_F2);
    Type("2");
    other->SetFocus();
    Driver.ProcessMessages();
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "old text2");
}

TEST_F(InplaceEditing, RowSelectNeverShowsAnEditor)
{
    MakeGrid(TGridOptions{goRowSelect});
    Press(VK_F2);
    Type("a");
    Press(VK_RETURN);
    Grid->SetEditorMode(true);
    Driver.ProcessMessages();
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "old text");
}

TEST_F(InplaceEditing, WithoutGoEditingTypingChangesNothing)
{
    Grid = GridFormTest::MakeGrid<TLimitGrid>(Rect(10, 10, 310, 210));
    Grid->SetCells(1, 1, "keep");
    Focus(Grid);
    Type("a");
    Press(VK_F2);
    EXPECT_EQ(Grid->InplaceEditor(), nullptr);
    EXPECT_EQ(Grid->Cells(1, 1), "keep");
}

TEST_F(InplaceEditing, UpKeyMovesTheCellAndTheAlwaysShownEditorFollows)
{
    MakeGrid(TGridOptions{goAlwaysShowEditor});
    Grid->SetRow(2);
    Driver.ProcessMessages();
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "below");
    Type("!");
    Press(VK_UP);
    EXPECT_EQ(Grid->Row(), 1);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->BoundsRect(), Grid->CellRect(1, 1));
    EXPECT_EQ(Editor()->Text(), "old text");
    EXPECT_EQ(Grid->Cells(1, 2), "!"); // the whole text was selected, so "!" replaced it
}

TEST_F(InplaceEditing, ReturnTogglesBetweenCaretAtTheEndAndAllSelected)
{
    MakeGrid(TGridOptions{goAlwaysShowEditor});
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->SelLength(), 8);
    Press(VK_RETURN);
    EXPECT_EQ(Editor()->SelLength(), 0);
    EXPECT_EQ(Editor()->SelStart(), 8);
    Press(VK_RETURN);
    EXPECT_EQ(Editor()->SelStart(), 0);
    EXPECT_EQ(Editor()->SelLength(), 8);
    EXPECT_TRUE(EditorShown());
}

TEST_F(InplaceEditing, ArrowsLeaveTheCellOnlyFromTheEndsOfTheTextWhenAlwaysShown)
{
    MakeGrid(TGridOptions{goAlwaysShowEditor});
    Grid->SetCol(2);
    Driver.ProcessMessages();
    Press(VK_HOME); // all selected from 0: the caret counts as at the left end
    EXPECT_EQ(Grid->Col(), 1);
    Press(VK_F2); // caret to the end
    Press(VK_LEFT);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Editor()->SelStart(), 7);
    Press(VK_RIGHT);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Editor()->SelStart(), 8);
    Press(VK_RIGHT); // at the right end now
    EXPECT_EQ(Grid->Col(), 2);
}

TEST_F(InplaceEditing, ReadOnlyCellRefusesTypingDeleteAndPaste)
{
    MakeGrid();
    Grid->Limit = -1;
    SetClipboardText("pasted");
    Press(VK_F2);
    ASSERT_TRUE(EditorShown());
    Type("zz");
    Press(VK_BACK);
    Press(VK_HOME);
    Press(VK_DELETE);
    Press(VK_INSERT, true);
    Press('V', false, true);
    Editor()->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(Editor()->Text(), "old text");
    EXPECT_EQ(Grid->Cells(1, 1), "old text");
}

TEST_F(InplaceEditing, CellWrittenFromOutsideReloadsTheEditor)
{
    MakeGrid();
    Press(VK_F2);
    Grid->SetCells(1, 1, "from the program");
    EXPECT_EQ(Editor()->Text(), "from the program");
    EXPECT_TRUE(EditorShown());
}

TEST_F(InplaceEditing, MenuKeyOpensTheEditMenuAtTheEditorCentre)
{
    MakeGrid();
    Press(VK_F2);
    Press(VK_APPS);
    TPopupMenu* menu = Editor()->EditContextMenu();
    ASSERT_NE(menu, nullptr);
    const TRect cell = Grid->CellRect(1, 1);
    EXPECT_EQ(menu->PopupPoint, Point(10 + cell.Left + cell.Width() / 2, 10 + cell.Top + cell.Height() / 2));
    EXPECT_EQ(menu->Items()->Count(), 8);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), "Undo");
    EXPECT_FALSE(menu->Items()->Items(2)->Enabled()); // Cut: nothing selected
}

TEST_F(InplaceEditing, SkinnedEditorTakesTheCellBackground_TransparentOverAPicture)
{
    TGridSkin skin;
    MakeGrid();
    Grid->SetSkinData(skin.Skin.get());
    Grid->SetSkinDataName("grid");
    Grid->SetCells(1, 1, "");
    Driver.ProcessMessages();
    Press(VK_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_FALSE(Editor()->Transparent());
    const TRect cell = Grid->CellRect(1, 1);
    const TPoint inside{10 + cell.Right - 4, 10 + cell.Top + cell.Height() / 2};
    EXPECT_EQ(At(inside.X, inside.Y), Px(cBack));
    Press(VK_RETURN);

    Grid->SetSkinDataName("bggrid");
    Grid->RefreshSkin();
    Grid->SetCol(2);
    Driver.ProcessMessages();
    Press(VK_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(Editor()->Transparent());
    const TRect cell2 = Grid->CellRect(2, 1);
    // The grid's background picture shows through instead of a fill in the editor's colour: the grid
    // leaves the cell under the editor unpainted.
    EXPECT_EQ(At(10 + cell2.Right - 4, 10 + cell2.Top + cell2.Height() / 2), Px(cBackPicture));
    Save("InplaceEditTransparent");
}

TEST_F(InplaceEditing, SecondClickOfADoubleClickLandsOnTheEditorAndReachesTheGrid)
{
    MakeGrid();
    int doubleClicks = 0;
    Grid->OnDblClick = [&](TObject*) { ++doubleClicks; };
    const TPoint cell{10 + 65 + 30, 10 + 25 + 12};
    Driver.Click(cell); // the current cell: the editor opens over it
    Driver.ProcessMessages();
    ASSERT_TRUE(EditorShown());
    Driver.Click(cell);
    Driver.ProcessMessages();
    EXPECT_EQ(doubleClicks, 1);
    // Much later a click in the editor is just a click.
    Driver.AdvanceClock(5000);
    Driver.Click(cell);
    Driver.ProcessMessages();
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(InplaceEditing, TabInTheEditorMovesToTheNextCellWithGoTabs)
{
    MakeGrid(TGridOptions{goTabs, goAlwaysShowEditor});
    ASSERT_TRUE(EditorShown());
    Press(VK_TAB);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Editor()->BoundsRect(), Grid->CellRect(2, 1));
    EXPECT_TRUE(Editor()->Focused());
}

TEST_F(InplaceEditing, FreeingTheGridWhileEditingIsSafe)
{
    MakeGrid();
    Press(VK_F2);
    Type("x");
    Grid->Free();
    Grid = nullptr;
    Driver.ProcessMessages();
    SUCCEED();
}

} // namespace
