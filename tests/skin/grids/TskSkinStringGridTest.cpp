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
