#include "skin/grids/GridGeometry.h"

#include <gtest/gtest.h>

namespace {

// Ten cells of 20 with 1-pixel lines in a view of 100; one fixed cell.
TGridAxisInfo Axis(int First = 1, int Count = 10, int Extent = 100)
{
    TGridAxisInfo a;
    a.EffectiveLineWidth = 1;
    a.FixedCellCount = 1;
    a.FirstGridCell = First;
    a.GridCellCount = Count;
    a.GridExtent = Extent;
    a.Extent = [](int) { return 20; };
    CalcAxis(a);
    return a;
}

TEST(GridAxis, BoundariesAndTheLastFullyVisibleCell)
{
    const TGridAxisInfo a = Axis();
    EXPECT_EQ(a.FixedBoundary, 21);
    EXPECT_EQ(a.LastFullVisibleCell, 3); // cells 1..3 end at 83; cell 4 would end at 104
    EXPECT_EQ(a.FullVisBoundary, 84);
    EXPECT_EQ(a.GridBoundary, 100);
}

TEST(GridAxis, FewCellsEndTheDrawingAfterTheLastOne)
{
    const TGridAxisInfo a = Axis(1, 3);
    EXPECT_EQ(a.GridBoundary, 63);
    EXPECT_EQ(a.LastFullVisibleCell, 2);
}

TEST(GridAxis, HitTestingCountsTheLineToTheCellBeforeIt)
{
    const TGridAxisInfo a = Axis(5);
    EXPECT_EQ(AxisCellAt(a, 0), 0);
    EXPECT_EQ(AxisCellAt(a, 20), 0);
    EXPECT_EQ(AxisCellAt(a, 21), 5);
    EXPECT_EQ(AxisCellAt(a, 99), 8);
    EXPECT_EQ(AxisCellAt(a, 100), -1);
    EXPECT_EQ(AxisCellAt(Axis(1, 2), 80), -1); // past the last cell
}

TEST(GridAxis, LineStartsOfScrolledAwayAndFarCellsAreNone)
{
    const TGridAxisInfo a = Axis(5);
    EXPECT_EQ(AxisLineStart(a, 0), 0);
    EXPECT_EQ(AxisLineStart(a, 3), -1);
    EXPECT_EQ(AxisLineStart(a, 5), 21);
    EXPECT_EQ(AxisLineStart(a, 9), -1);
}

TEST(GridAxis, FirstShowingCellAndTheCellLargerThanTheView)
{
    EXPECT_EQ(AxisFirstShowing(Axis(), 9), 7); // cells 7..9 take 63 of the 79 after the fixed cell
    TGridAxisInfo wide = Axis();
    wide.Extent = [](int i) { return i == 7 ? 500 : 20; };
    CalcAxis(wide);
    EXPECT_EQ(AxisFirstShowing(wide, 7), 7);
}

TEST(GridAxis, SpanSkipsTheScrolledAwayCellsAndStopsAtTheView)
{
    const TGridAxisInfo a = Axis(5);
    int start = 0;
    int stop = 0;
    ASSERT_TRUE(AxisSpan(a, 0, 6, start, stop));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(stop, 62);
    ASSERT_TRUE(AxisSpan(a, 2, 9, start, stop));
    EXPECT_EQ(start, 21);
    EXPECT_EQ(stop, 100);
    EXPECT_FALSE(AxisSpan(a, 2, 4, start, stop));
}

TEST(GridAxis, CellsOfNoSizeCostNoLoopBeyondTheCount)
{
    TGridAxisInfo a = Axis(1, 100000);
    a.EffectiveLineWidth = 0;
    a.Extent = [](int i) { return i == 0 ? 20 : 0; };
    CalcAxis(a);
    EXPECT_EQ(a.LastFullVisibleCell, 99999);
    EXPECT_EQ(AxisFirstShowing(a, 99999), 1);
}

TEST(GridMulDiv, RoundsAndTreatsAZeroDivisorAsNoPosition)
{
    EXPECT_EQ(MulDivRounded(1, 127, 2), 64);
    EXPECT_EQ(MulDivRounded(5, 127, 0), 0);
    EXPECT_EQ(MulDivRounded(-1, 127, 2), -64);
}

} // namespace
