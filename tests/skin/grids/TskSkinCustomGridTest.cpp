#include "skin/grids/TskSkinCustomGrid.h"

#include <gtest/gtest.h>

#include "skin/grids/TskSkinDrawGrid.h"

namespace {

std::string MessageOf(const std::function<void()>& Action)
{
    try {
        Action();
    } catch (const EInvalidGridOperation& e) {
        return e.Message();
    }
    return "no error";
}

TEST(CustomGridCounts, DefaultsAreFiveByFiveWithOneFixedLine)
{
    TskSkinDrawGrid grid(nullptr);
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
}

TEST(CustomGridCounts, RowCountZeroGivesOneAndLowersTheFixedRows)
{
    TskSkinDrawGrid grid(nullptr);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_EQ(grid.Row(), 0);
}

TEST(CustomGridCounts, ShrinkingMovesTheCurrentCellInside)
{
    TskSkinDrawGrid grid(nullptr);
    grid.SetFixedRows(0);
    grid.SetRowCount(10);
    grid.SetRow(9);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Row(), 2);
}

TEST(CustomGridFixed, FixedCountsAreValidated)
{
    TskSkinDrawGrid grid(nullptr);
    EXPECT_EQ(MessageOf([&] { grid.SetFixedRows(5); }), "Fixed row count must be less than row count");
    EXPECT_EQ(MessageOf([&] { grid.SetFixedCols(5); }), "Fixed column count must be less than column count");
    EXPECT_EQ(MessageOf([&] { grid.SetFixedRows(-1); }), "Grid index out of range");
}

TEST(CustomGridCurrentCell, RowOutsideTheGridRaises)
{
    TskSkinDrawGrid grid(nullptr);
    EXPECT_EQ(MessageOf([&] { grid.SetRow(grid.RowCount()); }), "Grid index out of range");
    grid.SetRowCount(grid.RowCount() + 1);
    grid.SetRow(grid.RowCount() - 1);
    EXPECT_EQ(grid.Row(), 5);
}

TEST(CustomGridCurrentCell, RowSelectKeepsColumnAtFixedColsAndAnchorAtLastColumn)
{
    TskSkinDrawGrid grid(nullptr);
    grid.SetOptions(grid.Options() + goRowSelect);
    grid.SetRow(3);
    EXPECT_EQ(grid.Col(), grid.FixedCols());
    EXPECT_EQ(grid.Selection().Right, grid.ColCount() - 1);
    EXPECT_EQ(grid.Selection().Top, 3);
}

TEST(CustomGridCurrentCell, SelectCellRefusalKeepsTheCell)
{
    TskSkinDrawGrid grid(nullptr);
    grid.OnSelectCell = [](TObject*, int, int ARow, bool& CanSelect) { CanSelect = ARow != 3; };
    grid.SetRow(3);
    EXPECT_EQ(grid.Row(), 1);
    grid.SetRow(2);
    EXPECT_EQ(grid.Row(), 2);
}

TEST(CustomGridMoves, MovingARowCarriesTheCurrentRow)
{
    TskSkinDrawGrid grid(nullptr);
    int from = -1;
    int to = -1;
    grid.OnRowMoved = [&](TObject*, int f, int t) {
        from = f;
        to = t;
    };
    grid.SetRow(1);
    grid.MoveRow(1, 4);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, 4);
    EXPECT_EQ(MessageOf([&] { grid.MoveRow(0, 5); }), "Grid index out of range");
}

} // namespace
