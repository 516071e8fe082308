#include "skin/grids/GridNavigation.h"

#include <gtest/gtest.h>

namespace {

// A 10 x 50 grid with one fixed line each way, cell (3, 10) current, rows 5..14 shown.
TGridKeyState State()
{
    TGridKeyState s;
    s.Col = 3;
    s.Row = 10;
    s.LeftCol = 1;
    s.TopRow = 5;
    s.ColCount = 10;
    s.RowCount = 50;
    s.FixedCols = 1;
    s.FixedRows = 1;
    s.LastVisibleRow = 14;
    s.PageWidth = 3;
    s.PageHeight = 9;
    s.MaxLeftCol = 6;
    s.MaxTopRow = 40;
    s.TabStop = [](int) { return true; };
    return s;
}

TEST(GridKeys, CtrlPageKeysJumpWithinTheView)
{
    EXPECT_EQ(GridKeyMove(State(), VK_PRIOR, {ssCtrl}).Row, 5);
    EXPECT_EQ(GridKeyMove(State(), VK_NEXT, {ssCtrl}).Row, 14);
    const TGridKeyMove down = GridKeyMove(State(), VK_DOWN, {ssCtrl});
    EXPECT_EQ(down.TopRow, 6);
    EXPECT_EQ(down.Row, 10);
}

TEST(GridKeys, RowSelectTurnsLeftAndRightIntoRowsAndCtrlLeftIntoNothing)
{
    TGridKeyState s = State();
    s.RowSelect = true;
    EXPECT_EQ(GridKeyMove(s, VK_RIGHT, {}).Row, 11);
    EXPECT_EQ(GridKeyMove(s, VK_END, {}).Row, 49);
    const TGridKeyMove m = GridKeyMove(s, VK_LEFT, {ssCtrl});
    EXPECT_EQ(m.Col, 3);
    EXPECT_EQ(m.LeftCol, 1);
}

TEST(GridKeys, MovesStayInsideTheGridAndShiftKeepsTheAnchor)
{
    TGridKeyState s = State();
    s.Row = 48;
    const TGridKeyMove m = GridKeyMove(s, VK_NEXT, {ssShift});
    EXPECT_EQ(m.Row, 49);
    EXPECT_EQ(m.TopRow, 14);
    EXPECT_FALSE(m.MoveAnchor);
    EXPECT_EQ(GridKeyMove(State(), VK_HOME, {}).Col, 1);
}

TEST(GridKeys, F2AsksForTheEditor)
{
    EXPECT_TRUE(GridKeyMove(State(), VK_F2, {}).EditorMode);
    EXPECT_FALSE(GridKeyMove(State(), VK_DOWN, {}).EditorMode);
}

TEST(GridScroll, LineStepsPassCellsOfNoSizeButNeverTheRange)
{
    const auto none = [](int) { return 0; };
    EXPECT_EQ(GridScrollTarget(3, 1, 20, 4, 127, SB_LINEDOWN, 0, false, none), 20);
    EXPECT_EQ(GridScrollTarget(3, 1, 20, 4, 127, SB_LINEUP, 0, false, none), 1);
    const auto some = [](int i) { return i == 5 ? 0 : 10; };
    EXPECT_EQ(GridScrollTarget(4, 1, 20, 4, 127, SB_LINEDOWN, 0, false, some), 6);
}

TEST(GridScroll, ThumbPositionsMapOntoTheRangeAndTrackingNeedsTheOption)
{
    const auto cells = [](int) { return 10; };
    EXPECT_EQ(GridScrollTarget(3, 1, 128, 4, 127, SB_THUMBPOSITION, 127, false, cells), 128);
    EXPECT_EQ(GridScrollTarget(3, 1, 128, 4, 127, SB_THUMBTRACK, 0, false, cells), 3);
    EXPECT_EQ(GridScrollTarget(3, 1, 128, 4, 127, SB_THUMBTRACK, 0, true, cells), 1);
    // Nothing to scroll: every request stays at the first cell.
    EXPECT_EQ(GridScrollTarget(1, 1, 1, 4, 127, SB_THUMBPOSITION, 60, false, cells), 1);
}

TEST(GridScroll, PixelScrollingStaysWithinTheOverflow)
{
    EXPECT_EQ(PixelScrollTarget(0, 200, 200, 300, SB_LINEDOWN, 0, false), 200);
    EXPECT_EQ(PixelScrollTarget(50, 200, 1, 300, SB_PAGEUP, 0, false), 0);
    EXPECT_EQ(PixelScrollTarget(50, -5, 1, 300, SB_BOTTOM, 0, false), 0);
}

} // namespace
