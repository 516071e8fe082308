#include "skin/grids/TskSkinStringGrid.h"

#include <gtest/gtest.h>

namespace {

// A table as the converter keeps one: 69 columns, one row, nothing fixed.
struct StringGridTable : ::testing::Test {
    TskSkinStringGrid grid{nullptr};
    void SetUp() override
    {
        grid.SetColCount(69);
        grid.SetRowCount(1);
        grid.SetFixedCols(0);
        grid.SetFixedRows(0);
    }
};

TEST_F(StringGridTable, FreshGridReadsEmptyEverywhereAndCreatesNothing)
{
    EXPECT_EQ(grid.Cells(0, 0), "");
    EXPECT_EQ(grid.Cells(1000, 50000), "");
    EXPECT_EQ(grid.Objects(3, 3), nullptr);
    EXPECT_EQ(grid.StoredRowCount(), 0);
}

TEST_F(StringGridTable, ColumnBeyondColCountIsStored)
{
    grid.SetCells(69, 0, "16:9");
    EXPECT_EQ(grid.Cells(69, 0), "16:9");
    EXPECT_EQ(grid.ColCount(), 69);
}

TEST_F(StringGridTable, ShrinkAndRegrowShowsTheOldRowsAgain)
{
    for (int r = 0; r < 10; ++r) {
        grid.SetRowCount(r + 1);
        grid.SetCells(0, r, "row" + std::to_string(r));
    }
    grid.SetRowCount(1);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Cells(0, 5), "row5"); // still stored
    grid.SetRowCount(10);
    for (int r = 1; r < 10; ++r)
        EXPECT_EQ(grid.Cells(0, r), "row" + std::to_string(r));
}

TEST_F(StringGridTable, NegativeIndexesRaiseOnEveryReadAndWrite)
{
    EXPECT_THROW(grid.Cells(-1, 0), EListError);
    EXPECT_THROW(grid.Cells(0, -1), EListError);
    EXPECT_THROW(grid.SetCells(-1, 0, "x"), EListError);
    EXPECT_THROW(grid.SetCells(0, -1, "x"), EListError);
    grid.SetCells(2, 0, "written");
    // The row exists now; a negative column must still raise, not read "".
    EXPECT_THROW(grid.Cells(-1, 0), EListError);
    EXPECT_THROW(grid.Objects(-1, 0), EListError);
}

TEST_F(StringGridTable, LargestRowIsStoredAndTheNextRefusedWithoutHarm)
{
    grid.SetCells(0, 0, "first");
    grid.SetCells(0, 1048559, "last");
    EXPECT_EQ(grid.Cells(0, 1048559), "last");
    EXPECT_THROW(grid.SetCells(0, 1048560, "x"), EListError);
    EXPECT_THROW(grid.SetCells(0, 1048576, "x"), EListError);
    EXPECT_EQ(grid.Cells(0, 0), "first");
    EXPECT_EQ(grid.Cells(0, 1048576), "");
}

TEST_F(StringGridTable, EmptyTextRemovesTheCell)
{
    grid.SetCells(3, 0, "x");
    grid.SetCells(3, 0, "");
    EXPECT_EQ(grid.Cells(3, 0), "");
    EXPECT_EQ(grid.StoredRow(0)->Count(), 0);
}

TEST_F(StringGridTable, ObjectsAreKeptPerCell)
{
    int marker = 0;
    grid.SetObjects(1, 0, &marker);
    EXPECT_EQ(grid.Objects(1, 0), &marker);
    EXPECT_EQ(grid.Cells(1, 0), "");
}

TEST(StringGridQuantum, RowListTakesItsSectionSizeFromColCountAtFirstWrite)
{
    TskSkinStringGrid grid(nullptr);
    grid.SetColCount(512);
    grid.SetCells(0, 0, "a");
    grid.SetColCount(513);
    grid.SetCells(0, 1, "b");
    EXPECT_EQ(grid.StoredRow(0)->Quantum(), SparseQuantum::Small);
    EXPECT_EQ(grid.StoredRow(1)->Quantum(), SparseQuantum::Large);
}

TEST(StringGridMoves, MovingRowsAndColumnsMovesTheCells)
{
    TskSkinStringGrid grid(nullptr);
    grid.SetCells(0, 1, "r1");
    grid.SetCells(0, 3, "r3");
    grid.MoveRow(1, 3);
    EXPECT_EQ(grid.Cells(0, 3), "r1");
    EXPECT_EQ(grid.Cells(0, 2), "r3");
    grid.SetCells(1, 0, "c1");
    grid.MoveColumn(1, 4);
    EXPECT_EQ(grid.Cells(4, 0), "c1");
    EXPECT_EQ(grid.Cells(1, 0), "");
}

TEST(StringGridDelete, DeleteRowKeepsTheOthersInOrder)
{
    TskSkinStringGrid grid(nullptr);
    for (int r = 0; r < 5; ++r)
        grid.SetCells(0, r, std::to_string(r));
    grid.DeleteRow(2);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Cells(0, 2), "3");
    EXPECT_EQ(grid.Cells(0, 3), "4");
}

// Records the repaint and editor requests the grid makes.
class RecordingGrid : public TskSkinStringGrid {
public:
    using TskSkinStringGrid::TskSkinStringGrid;
    int CellRepaints = 0;
    int GridRepaints = 0;
    int Editors = 0;
    void InvalidateCell(int, int) override { ++CellRepaints; }
    void InvalidateGrid() override { ++GridRepaints; }
    void EditFromEditor(int c, int r, const std::string& v) { SetEditText(c, r, v); }

protected:
    void InvalidateEditor() override { ++Editors; }
};

TEST(StringGridUpdates, WritingTheCurrentCellRefreshesTheEditorUnlessTheEditorWrote)
{
    RecordingGrid grid(nullptr);
    grid.SetCells(grid.Col(), grid.Row(), "typed elsewhere");
    EXPECT_EQ(grid.Editors, 1);
    grid.EditFromEditor(grid.Col(), grid.Row(), "typed in editor");
    EXPECT_EQ(grid.Editors, 1);
    EXPECT_EQ(grid.Cells(grid.Col(), grid.Row()), "typed in editor");
}

TEST(StringGridUpdates, InsideAnUpdateWritesOnlyMarkAndTheEndRepaintsOnce)
{
    RecordingGrid grid(nullptr);
    TStrings* row = grid.Rows(2);
    grid.GridRepaints = 0;
    row->BeginUpdate();
    row->SetStrings(0, "a");
    row->SetStrings(1, "b");
    EXPECT_EQ(grid.CellRepaints, 0);
    row->EndUpdate();
    EXPECT_EQ(grid.GridRepaints, 1);
}

} // namespace

namespace {

TEST(StringGridLimits, ColumnBeyondTheViewsOfAWideGridIsRefusedBeforeAnythingIsStored)
{
    TskSkinStringGrid grid(nullptr);
    grid.SetColCount(600); // large sections: the row list could hold the column, the views cannot
    EXPECT_THROW(grid.SetCells(2000000, 0, "x"), EListError);
    EXPECT_EQ(grid.Cells(2000000, 0), "");
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Painting the text

#include "GridTestSupport.h"
#include "platform/vcl/TReader.h"

using namespace gridtest;

namespace {

struct StringGridPaint : GridFormTest {
    TskSkinStringGrid* Grid = nullptr;

    void MakeGrid()
    {
        Grid = GridFormTest::MakeGrid<TskSkinStringGrid>(Rect(10, 10, 310, 210));
        Grid->SetCells(3, 3, "WWWW");
    }
    // How many pixels of cell (3, 3) have colour C.
    int Count(TColor C)
    {
        int n = 0;
        for (int y = 10 + 75; y < 10 + 75 + 24; ++y)
            for (int x = 10 + 195; x < 10 + 195 + 64; ++x)
                n += At(x, y) == Px(C);
        return n;
    }
    // How many pixels of cell (3, 3) lean clearly towards one primary colour (smoothed text has few
    // pure pixels). Channel: 0 blue, 1 green, 2 red.
    int CountTinted(int Channel)
    {
        int n = 0;
        for (int y = 10 + 75; y < 10 + 75 + 24; ++y)
            for (int x = 10 + 195; x < 10 + 195 + 64; ++x) {
                const TPixel p = At(x, y);
                const int c[3] = {int(p & 0xFF), int((p >> 8) & 0xFF), int((p >> 16) & 0xFF)};
                n += c[Channel] > 128 && c[(Channel + 1) % 3] < 160 && c[(Channel + 2) % 3] < 160;
            }
        return n;
    }
};

TEST_F(StringGridPaint, CellTextIsDrawnInTheFontColourOverTheCell)
{
    MakeGrid();
    Grid->Font()->SetColor(clRed);
    ShowForm();
    Save("stringgrid-text");
    EXPECT_GT(CountTinted(2), 10);
    EXPECT_GT(Count(clWindow), 64 * 24 / 2);
}

TEST_F(StringGridPaint, CellParamWithoutFillChangesOnlyTheFontColour)
{
    MakeGrid();
    Grid->OnGetCellParam = [](TObject*, int c, int r, TGridDrawState, TColor& bg, bool& fill, TColor& font) {
        if (c == 3 && r == 3) {
            bg = clYellow;
            fill = false;
            font = clBlue;
        }
    };
    ShowForm();
    EXPECT_GT(CountTinted(0), 10);
    EXPECT_EQ(Count(clYellow), 0);
}

TEST_F(StringGridPaint, CellParamWithFillPaintsTheBackground)
{
    MakeGrid();
    TColor seen = 0;
    Grid->OnGetCellParam = [&](TObject*, int c, int r, TGridDrawState, TColor& bg, bool& fill, TColor&) {
        if (c == 3 && r == 3) {
            seen = bg;
            bg = clYellow;
            fill = true;
        }
    };
    ShowForm();
    EXPECT_EQ(ColorToRGB(seen), ColorToRGB(clWindow)); // the cell's own colour is offered first
    EXPECT_GT(Count(clYellow), 64 * 24 / 2);
}

TEST_F(StringGridPaint, TextLongerThanTheCellStaysInsideIt)
{
    MakeGrid();
    Grid->SetCells(3, 3, std::string(60, 'W'));
    Grid->Font()->SetColor(clRed);
    ShowForm();
    int outside = 0;
    for (int y = 10 + 75; y < 10 + 75 + 24; ++y)
        outside += At(10 + 260 + 5, y) != Px(clWindow);
    EXPECT_EQ(outside, 0);
}

TEST_F(StringGridPaint, WritingACellRepaintsIt)
{
    MakeGrid();
    Grid->Font()->SetColor(clRed);
    ShowForm();
    Grid->SetCells(3, 3, "");
    Driver.ProcessMessages();
    EXPECT_EQ(CountTinted(2), 0);
}

TEST(StringGridForms, StoredGridIsReadWithItsWidths)
{
    RegisterSkinGrids();
    TForm form(nullptr);
    ReadComponentFromText(&form, "object Form: TForm\n"
                                 "  object Table: TskSkinStringGrid\n"
                                 "    ColCount = 3\n"
                                 "    RowCount = 2\n"
                                 "    FixedCols = 0\n"
                                 "    SkinDataName = 'grid'\n"
                                 "    BiDiMode = bdRightToLeft\n"
                                 "    Options = [goFixedVertLine, goRowSelect]\n"
                                 "    ColWidths = (\n"
                                 "      10\n"
                                 "      20\n"
                                 "      30)\n"
                                 "  end\n"
                                 "end\n");
    auto* grid = dynamic_cast<TskSkinStringGrid*>(form.FindComponent("Table"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->FixedCols(), 0);
    EXPECT_EQ(grid->ColWidths(2), 30);
    EXPECT_TRUE(grid->Options().Contains(goRowSelect));
    EXPECT_TRUE(grid->UseRightToLeftAlignment());
    grid->SetCells(2, 1, "x");
    EXPECT_EQ(grid->Cells(2, 1), "x");
}

} // namespace
