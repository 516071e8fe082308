#include "skin/grids/TskSkinStringGridStrings.h"

#include <gtest/gtest.h>

#include "platform/rtl/TStringList.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

TEST(GridViews, RowAndColumnViewsMapToCells)
{
    TskSkinStringGrid grid(nullptr);
    grid.SetCells(2, 3, "x");
    EXPECT_EQ(grid.Rows(3)->Strings(2), "x");
    EXPECT_EQ(grid.Cols(2)->Strings(3), "x");
    EXPECT_EQ(grid.Rows(3)->Count(), grid.ColCount());
    EXPECT_EQ(grid.Cols(2)->Count(), grid.RowCount());
    grid.Cols(1)->SetStrings(4, "y");
    EXPECT_EQ(grid.Cells(1, 4), "y");
}

TEST(GridViews, AddFillsTheFirstEmptyPositionOrReturnsMinusOne)
{
    TskSkinStringGrid grid(nullptr);
    TStrings* row = grid.Rows(0);
    grid.SetCells(0, 0, "a");
    EXPECT_EQ(row->Add("b"), 1);
    EXPECT_EQ(grid.Cells(1, 0), "b");
    for (int i = 2; i < grid.ColCount(); ++i)
        row->Add("z");
    EXPECT_EQ(row->Add("more"), -1);
    EXPECT_EQ(grid.Cells(grid.ColCount(), 0), "");
}

TEST(GridViews, InsertAndDeleteRaise)
{
    TskSkinStringGrid grid(nullptr);
    try {
        grid.Rows(0)->Insert(0, "x");
        FAIL();
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot insert or delete rows from grid");
    }
    EXPECT_THROW(grid.Cols(0)->Delete(0), EInvalidGridOperation);
}

TEST(GridViews, RowClearEmptiesEveryStoredCellAlsoBeyondColCount)
{
    TskSkinStringGrid grid(nullptr);
    int marker = 0;
    grid.SetCells(1, 2, "a");
    grid.SetCells(69, 2, "far");
    grid.SetObjects(3, 2, &marker);
    grid.Rows(2)->Clear();
    EXPECT_EQ(grid.Cells(1, 2), "");
    EXPECT_EQ(grid.Cells(69, 2), "");
    EXPECT_EQ(grid.Objects(3, 2), nullptr);
    EXPECT_EQ(grid.StoredRow(2)->Count(), 0);
}

TEST(GridViews, AssignCopiesOnlyTheOverlap)
{
    TskSkinStringGrid grid(nullptr); // 5 columns
    grid.SetCells(4, 0, "kept");
    TStringList source;
    source.Add("a");
    source.Add("b");
    grid.SetRows(0, source);
    EXPECT_EQ(grid.Cells(0, 0), "a");
    EXPECT_EQ(grid.Cells(1, 0), "b");
    EXPECT_EQ(grid.Cells(4, 0), "kept");
}

} // namespace
