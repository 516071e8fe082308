// The grid laid out from the right (BiDiMode bdRightToLeft): the same cells mirrored in the client area,
// found again by the mouse, walked by the keys and the horizontal bar the other way round.
#include <gtest/gtest.h>

#include <vector>

#include "GridTestSupport.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/grids/TskSkinInplaceEdit.h"
#include "skin/grids/TskSkinStringGrid.h"

using namespace gridtest;

namespace {

// A 10 x 20 string grid at (10, 10), 300 x 200, right to left: left-to-right column c spans
// [65c, 65c + 64) and lands on [300 - 65c - 64, 300 - 65c) in the grid.
struct RightToLeft : GridFormTest {
    TskSkinStringGrid* Grid = nullptr;

    void MakeGrid()
    {
        Grid = GridFormTest::MakeGrid<TskSkinStringGrid>(Rect(10, 10, 310, 210));
        Grid->SetColCount(10);
        Grid->SetRowCount(20);
        Grid->SetBiDiMode(bdRightToLeft);
    }
    // A point inside cell (c, r) on the form.
    TPoint CellPoint(int c, int r) { return Point(10 + 300 - 65 * c - 32, 10 + 25 * r + 12); }
};

TEST_F(RightToLeft, CellsRunFromTheRightEdge_AndTheMouseFindsThem)
{
    MakeGrid();
    ShowForm();
    EXPECT_TRUE(Grid->UseRightToLeftAlignment());
    EXPECT_EQ(Grid->CellRect(0, 0), Rect(236, 0, 300, 24));
    EXPECT_EQ(Grid->CellRect(1, 1), Rect(171, 25, 235, 49));
    // The last column shown is cut at the left edge.
    EXPECT_EQ(Grid->CellRect(4, 1), Rect(0, 25, 40, 49));
    EXPECT_EQ(Grid->MouseCoord(299, 0), (TGridCoord{0, 0}));
    EXPECT_EQ(Grid->MouseCoord(235, 25), (TGridCoord{0, 1})); // the line belongs to the cell before it
    EXPECT_EQ(Grid->MouseCoord(234, 25), (TGridCoord{1, 1}));
    Driver.Click(CellPoint(3, 4));
    Driver.ProcessMessages();
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 4);
}

TEST_F(RightToLeft, LeftKeyGoesOnAlongTheColumns_RightKeyBack)
{
    MakeGrid();
    Focus(Grid);
    Driver.Press(VK_LEFT);
    Driver.Press(VK_LEFT);
    Driver.Press(VK_LEFT);
    Driver.ProcessMessages();
    EXPECT_EQ(Grid->Col(), 4);
    // Column 4 did not fit whole: the view moved on so that it does.
    EXPECT_EQ(Grid->LeftCol(), 2);
    Driver.Press(VK_RIGHT);
    Driver.ProcessMessages();
    EXPECT_EQ(Grid->Col(), 3);
}

TEST_F(RightToLeft, HorizontalBarHasTheFirstColumnAtItsRightEnd)
{
    MakeGrid();
    auto* bar = new TskSkinScrollBar(Form);
    bar->SetParent(Form);
    bar->SetBounds(10, 220, 300, 19);
    Grid->SetHScrollBar(bar);
    ShowForm();
    ASSERT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Position(), 127);
    // The thumb at the left end shows the last columns.
    Grid->Perform(WM_HSCROLL, SB_THUMBPOSITION | (0 << 16), 0);
    EXPECT_EQ(Grid->LeftCol(), 7);
    EXPECT_EQ(bar->Position(), 0);
    // The bar's right arrow goes back towards the first columns.
    Grid->Perform(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(Grid->LeftCol(), 6);
    Grid->Perform(WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_EQ(Grid->LeftCol(), 7);
}

TEST_F(RightToLeft, SizingDragsTheColumnsLeftEdge)
{
    MakeGrid();
    Grid->SetOptions(Grid->Options() + goColSizing);
    ShowForm();
    // The line after column 1 lies at x = 300 - 1 - 129 = 170 in the grid, 180 on the form; dragged
    // 30 pixels to the left the column grows by 30.
    Driver.Drag(Point(180, 15), Point(150, 15));
    Driver.ProcessMessages();
    EXPECT_EQ(Grid->ColWidths(1), 94);
}

TEST_F(RightToLeft, PaintsMirrored_TextFromTheRight_EditorOverItsCell)
{
    MakeGrid();
    Grid->SetCells(2, 2, "ab");
    Grid->SetOptions(Grid->Options() + goEditing);
    std::vector<TRect> drawn;
    Grid->OnDrawCell = [&](TObject*, int c, int r, const TRect& rect, TGridDrawState) {
        if (c == 1 && r == 1)
            drawn.push_back(rect);
    };
    Focus(Grid);
    Save("GridRightToLeft");
    // The fixed column (raised, button face) at the right edge, the body to its left.
    EXPECT_EQ(At(10 + 270, 10 + 37), Px(clBtnFace));
    EXPECT_EQ(At(10 + 200, 10 + 62), Px(clWindow));
    EXPECT_EQ(At(10 + 20, 10 + 62), Px(clWindow));
    // Lines after each cell in left-to-right terms lie at its left side here.
    EXPECT_EQ(At(10 + 235, 10 + 62), Px(clWindowText));
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), Rect(171, 25, 235, 49));
    // Cell (2, 2) spans 106..170: its text ends 2 pixels inside the right edge.
    bool right = false, left = false;
    for (int y = 10 + 50; y < 10 + 74; ++y) {
        for (int x = 10 + 150; x < 10 + 170; ++x)
            right = right || At(x, y) == Px(clWindowText);
        for (int x = 10 + 106; x < 10 + 130; ++x)
            left = left || At(x, y) == Px(clWindowText);
    }
    EXPECT_TRUE(right);
    EXPECT_FALSE(left);
    Driver.Press(VK_F2);
    Driver.ProcessMessages();
    ASSERT_NE(Grid->InplaceEditor(), nullptr);
    EXPECT_EQ(Grid->InplaceEditor()->BoundsRect(), Grid->CellRect(1, 1));
}

} // namespace
