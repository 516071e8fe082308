#include "skin/grids/TskSkinCustomGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// ---------------------------------------------------------------------------------------------
// On a form: geometry, keyboard, mouse, scrolling

#include "GridTestSupport.h"
#include "platform/vcl/ScrollInfo.h"
#include "skin/controls/TskSkinScrollBar.h"

using namespace gridtest;

namespace {

// A grid at (10, 10), 300 x 200: default cells are 64 x 24 with 1-pixel lines, so cell (c, r) starts
// at (10 + 65c, 10 + 25r) on the form.
struct GridInput : GridFormTest {
    TskSkinDrawGrid* Grid = nullptr;
    int Clicks = 0;

    void MakeGrid(int cols = 10, int rows = 20)
    {
        Grid = GridFormTest::MakeGrid<TskSkinDrawGrid>(Rect(10, 10, 310, 210));
        Grid->SetColCount(cols);
        Grid->SetRowCount(rows);
        Grid->OnClick = [this](TObject*) { ++Clicks; };
    }
    TPoint CellPoint(int c, int r) { return Point(10 + 65 * c + 30, 10 + 25 * r + 12); }
};

TEST_F(GridInput, CellRectAndMouseCoordAgree)
{
    MakeGrid();
    ShowForm();
    EXPECT_EQ(Grid->CellRect(1, 1), Rect(65, 25, 129, 49));
    EXPECT_EQ(Grid->CellRect(0, 0), Rect(0, 0, 64, 24));
    // The last column shown is cut at the client edge.
    EXPECT_EQ(Grid->CellRect(4, 1), Rect(260, 25, 300, 49));
    EXPECT_TRUE(Grid->CellRect(6, 1).IsEmpty());
    EXPECT_EQ(Grid->MouseCoord(65, 25), (TGridCoord{1, 1}));
    EXPECT_EQ(Grid->MouseCoord(64, 24), (TGridCoord{0, 0})); // the line belongs to the cell before it
    EXPECT_EQ(Grid->MouseCoord(-1, 5).X, -1);
    EXPECT_EQ(Grid->VisibleColCount(), 3);
    EXPECT_EQ(Grid->VisibleRowCount(), 7);
}

TEST_F(GridInput, ScrolledAwayCellsHaveNoRectangle)
{
    MakeGrid();
    ShowForm();
    Grid->SetTopRow(5);
    EXPECT_TRUE(Grid->CellRect(1, 3).IsEmpty());
    EXPECT_EQ(Grid->CellRect(1, 5), Rect(65, 25, 129, 49));
    EXPECT_EQ(Grid->MouseCoord(70, 30), (TGridCoord{1, 5}));
}

TEST_F(GridInput, ArrowKeysMoveTheCurrentCellAndScrollItIntoView)
{
    MakeGrid();
    Focus(Grid);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_RIGHT);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Col(), 2);
    for (int i = 0; i < 8; ++i)
        Driver.Press(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 10);
    // Row 10 is the last fully visible one now.
    EXPECT_EQ(Grid->TopRow(), 4);
    Driver.Press(VK_HOME, false, true);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->TopRow(), 1);
    Driver.Press(VK_END, false, true);
    EXPECT_EQ(Grid->Row(), 19);
    EXPECT_EQ(Grid->Col(), 9);
    EXPECT_EQ(Grid->TopRow(), 13);
}

TEST_F(GridInput, PageKeysMoveByTheVisibleRowsLessOne)
{
    MakeGrid();
    Focus(Grid);
    Driver.Press(VK_NEXT);
    EXPECT_EQ(Grid->Row(), 7);
    EXPECT_EQ(Grid->TopRow(), 7);
    Driver.Press(VK_PRIOR);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Grid->TopRow(), 1);
}

TEST_F(GridInput, ShiftArrowExtendsTheSelection)
{
    MakeGrid();
    Focus(Grid);
    Driver.Press(VK_DOWN, true);
    Driver.Press(VK_RIGHT, true);
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 2, 2}));
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridInput, TabWalksTheTabStopsAndWraps)
{
    MakeGrid(4, 5);
    Grid->SetOptions(Grid->Options() + goTabs);
    Grid->SetTabStops(2, false);
    Focus(Grid);
    Driver.Press(VK_TAB);
    EXPECT_EQ(Grid->Col(), 3);
    Driver.Press(VK_TAB);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(GridInput, ShiftTabWalksBackPastAColumnWithoutTabStop)
{
    MakeGrid(4, 5);
    Grid->SetOptions(Grid->Options() + goTabs);
    Grid->SetTabStops(2, false);
    Grid->SetRow(2);
    Grid->SetCol(3);
    Focus(Grid);
    Driver.Press(VK_TAB, true);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 2, 1, 2}));
    Driver.Press(VK_TAB, true);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GridInput, TabWithNoTabStopAnywhereStaysPut)
{
    MakeGrid(3, 3);
    Grid->SetOptions(Grid->Options() + goTabs);
    Grid->SetTabStops(1, false);
    Grid->SetTabStops(2, false);
    Focus(Grid);
    Driver.Press(VK_TAB);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GridInput, ClickMovesTheCurrentCellAndClicksOnce)
{
    MakeGrid();
    ShowForm();
    Driver.Click(CellPoint(2, 3));
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_EQ(Clicks, 1);
    // A click on a fixed cell moves nothing.
    Driver.Click(CellPoint(0, 0));
    EXPECT_EQ(Grid->Col(), 2);
}

TEST_F(GridInput, DraggingSelectsARangeAndShiftClickExtendsIt)
{
    MakeGrid();
    ShowForm();
    Driver.Drag(CellPoint(1, 1), CellPoint(3, 4));
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 3, 4}));
    EXPECT_EQ(Grid->Col(), 1);
    Driver.Click(CellPoint(2, 2));
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 2, 2, 2}));
    Driver.KeyDown(VK_SHIFT);
    Driver.Click(CellPoint(3, 5));
    Driver.KeyUp(VK_SHIFT);
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 2, 3, 5}));
}

TEST_F(GridInput, SelectingBelowTheViewScrollsWithTheTimer)
{
    MakeGrid();
    ShowForm();
    Driver.MoveTo(CellPoint(1, 2));
    Driver.ButtonDown();
    Driver.MoveTo(Point(70, 250)); // below the grid
    Driver.AdvanceClock(300);
    Driver.ButtonUp();
    EXPECT_GT(Grid->TopRow(), 1);
    EXPECT_GT(Grid->Selection().Bottom, 2);
}

TEST_F(GridInput, ColumnSizingDragSetsTheWidth_UnlessDraggedOntoItsStart)
{
    MakeGrid();
    Grid->SetOptions(Grid->Options() + goColSizing);
    ShowForm();
    // The line after column 1 lies at x = 129 in the grid, 139 on the form.
    Driver.Drag(Point(139, 15), Point(169, 15));
    EXPECT_EQ(Grid->ColWidths(1), 94);
    Driver.Drag(Point(10 + 65 + 94, 15), Point(10 + 65, 15));
    EXPECT_EQ(Grid->ColWidths(1), 94);
}

TEST_F(GridInput, ColumnMovingDragMovesTheColumn)
{
    MakeGrid();
    Grid->SetOptions(Grid->Options() + goColMoving);
    int from = -1;
    int to = -1;
    Grid->OnColumnMoved = [&](TObject*, int f, int t) {
        from = f;
        to = t;
    };
    Grid->SetColWidths(1, 40);
    ShowForm();
    Driver.Drag(Point(10 + 65 + 20, 15), Point(10 + 65 + 41 + 65 + 30, 15));
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, 3);
    EXPECT_EQ(Grid->ColWidths(3), 40);
    EXPECT_EQ(Grid->ColWidths(1), 64);
}

TEST_F(GridInput, WheelStepsTheRowBetweenTheFixedRowsAndTheLast)
{
    MakeGrid(5, 4);
    Focus(Grid);
    Driver.MoveTo(Grid->ClientToScreen({Grid->Width() / 2, Grid->Height() / 2})); // the wheel goes there
    Driver.Wheel(-120);
    Driver.Wheel(-120);
    Driver.Wheel(-120);
    EXPECT_EQ(Grid->Row(), 3);
    for (int i = 0; i < 5; ++i)
        Driver.Wheel(120);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GridInput, LinkedVerticalBarFollowsTheRowsAndScrollsThem)
{
    MakeGrid();
    auto* bar = new TskSkinScrollBar(Form);
    bar->SetParent(Form);
    bar->SetKind(sbVertical);
    bar->SetBounds(320, 10, 19, 200);
    Grid->SetVScrollBar(bar);
    ShowForm();
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Max(), 127);
    EXPECT_EQ(bar->SmallChange(), 127 / (20 - 7 - 1));
    Grid->SetTopRow(13);
    EXPECT_EQ(bar->Position(), 127);
    // The bar's top button steps one row back.
    Driver.Click(Point(329, 15));
    EXPECT_EQ(Grid->TopRow(), 12);
    // A thumb position maps back onto the rows.
    Grid->Perform(WM_VSCROLL, SB_THUMBPOSITION | (0 << 16), 0);
    EXPECT_EQ(Grid->TopRow(), 1);
    // Fewer rows than the view holds: nothing to scroll, the bar goes.
    Grid->SetRowCount(3);
    EXPECT_FALSE(bar->Visible());
}

TEST_F(GridInput, HorizontalBarLeavesTheCornerWhileTheVerticalBarShows)
{
    MakeGrid();
    auto* h = new TskSkinScrollBar(Form);
    h->SetParent(Form);
    h->SetBounds(10, 220, 300, 19);
    auto* v = new TskSkinScrollBar(Form);
    v->SetParent(Form);
    v->SetKind(sbVertical);
    v->SetBounds(320, 10, 19, 200);
    Grid->SetHScrollBar(h);
    Grid->SetVScrollBar(v);
    ShowForm();
    EXPECT_TRUE(h->Visible());
    EXPECT_TRUE(v->Visible());
    EXPECT_TRUE(h->Both());
    EXPECT_FALSE(v->Both());
    Grid->SetRowCount(3);
    EXPECT_FALSE(v->Visible());
    EXPECT_FALSE(h->Both());
}

TEST_F(GridInput, VerticalBarLinkedBeforeThumbTrackingScrollsOnlyAtTheRelease)
{
    MakeGrid();
    auto* bar = new TskSkinScrollBar(Form);
    bar->SetParent(Form);
    bar->SetKind(sbVertical);
    bar->SetBounds(320, 10, 19, 200);
    Grid->SetVScrollBar(bar);
    Grid->SetOptions(Grid->Options() + goThumbTracking);
    ShowForm();
    bar->SetPosition(127);
    EXPECT_EQ(Grid->TopRow(), 1);
    bar->OnLastChange(bar);
    EXPECT_EQ(Grid->TopRow(), 13);
}

TEST_F(GridInput, OneColumnGridWithoutBarsScrollsNothingAndRaisesNothing)
{
    MakeGrid(1, 3);
    ShowForm();
    EXPECT_NO_THROW(Grid->Perform(WM_HSCROLL, SB_LINEDOWN, 0));
    EXPECT_NO_THROW(Grid->Perform(WM_VSCROLL, SB_PAGEDOWN, 0));
    EXPECT_EQ(Grid->LeftCol(), 0);
    EXPECT_EQ(Grid->TopRow(), 1);
}

TEST_F(GridInput, WideSingleColumnScrollsByPixels)
{
    MakeGrid(1, 3);
    Grid->SetColWidths(0, 500);
    auto* h = new TskSkinScrollBar(Form);
    h->SetParent(Form);
    h->SetBounds(10, 220, 300, 19);
    Grid->SetHScrollBar(h);
    ShowForm();
    EXPECT_TRUE(h->Visible());
    EXPECT_EQ(h->Max(), 200);
    Grid->Perform(WM_HSCROLL, SB_THUMBPOSITION | (150 << 16), 0);
    EXPECT_EQ(h->Position(), 150);
    EXPECT_EQ(Grid->CellRect(0, 0).Left, 0);
    EXPECT_EQ(Grid->MouseCoord(10, 5).X, 0);
}

TEST_F(GridInput, LineStepsOverRowsOfNoHeightEndAtTheLastRow)
{
    MakeGrid(3, 6);
    for (int r = 2; r < 6; ++r)
        Grid->SetRowHeights(r, 0);
    ShowForm();
    Grid->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_LE(Grid->TopRow(), 5);
}

} // namespace

namespace {

TEST(CustomGridSizes, ColWidthBeyondTheCountRaisesAndDefaultWidthDropsTheOwnWidths)
{
    TskSkinDrawGrid grid(nullptr);
    EXPECT_EQ(MessageOf([&] { grid.SetColWidths(grid.ColCount(), 10); }), "Grid index out of range");
    grid.SetColWidths(2, 10);
    EXPECT_EQ(grid.ColWidths(2), 10);
    grid.SetDefaultColWidth(30);
    EXPECT_EQ(grid.ColWidths(2), 30);
    EXPECT_EQ(grid.ColWidths(99), 30);
}

TEST(CustomGridSizes, OwnWidthsFollowTheColumnCount)
{
    TskSkinDrawGrid grid(nullptr);
    grid.SetColWidths(4, 10);
    grid.SetColCount(3);
    grid.SetColCount(6);
    EXPECT_EQ(grid.ColWidths(4), 64);
}

TEST(CustomGridSizes, TooLargeACountIsRefusedAndTheOldCountsStay)
{
    TskSkinDrawGrid grid(nullptr);
    grid.SetColWidths(1, 10);
    grid.SetRow(3);
    EXPECT_EQ(MessageOf([&] { grid.SetColCount(0x7FFFFFE); }), "Grid too large for operation");
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.ColWidths(1), 10);
    EXPECT_EQ(grid.Row(), 3);
}

TEST(CustomGridSizes, HiddenGridSizesItselfFromTheDefaults)
{
    TskSkinDrawGrid grid(nullptr);
    EXPECT_EQ(grid.Width(), 320);
    EXPECT_EQ(grid.Height(), 120);
    EXPECT_EQ(grid.SkinDataName(), "grid");
}

// A grid whose drag hooks the test decides: the begin hook may refuse, the check hook may refuse one
// column as a place, the end hook may refuse the move.
class THookedGrid : public TskSkinDrawGrid {
public:
    using TskSkinDrawGrid::TskSkinDrawGrid;
    bool AllowBegin = true;
    bool AllowEnd = true;
    int RefusedPlace = -1;
    std::vector<std::string> Log;

protected:
    bool BeginColumnDrag(int& Origin, int& Destination, const TPoint&) override
    {
        Log.push_back("begin " + std::to_string(Origin) + ">" + std::to_string(Destination));
        return AllowBegin;
    }
    bool CheckColumnDrag(int&, int& Destination, const TPoint&) override { return Destination != RefusedPlace; }
    bool EndColumnDrag(int& Origin, int& Destination, const TPoint&) override
    {
        Log.push_back("end " + std::to_string(Origin) + ">" + std::to_string(Destination));
        return AllowEnd;
    }
    bool BeginRowDrag(int&, int&, const TPoint&) override { return AllowBegin; }
};

// A grid of a derived class that inserts and deletes lines as its own data changes.
class TLinesGrid : public TskSkinDrawGrid {
public:
    using TskSkinDrawGrid::TskSkinDrawGrid;
    using TskSkinDrawGrid::AdjustSize;
};

TEST(GridAdjustSize, LinesOutsideTheGrid_AreRefusedAndNothingChanges)
{
    TLinesGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(5);
    grid.SetColWidths(3, 77);   // the size arrays exist
    grid.SetRowHeights(4, 33);
    struct Case {
        int Index, Amount;
        bool Rows;
    };
    for (const Case c : {Case{-1, 1, true}, Case{6, 1, true}, Case{4, -2, true}, Case{-1, -1, false}, Case{5, 2, false},
                         Case{3, -2, false}, Case{0, 0x7FFFFFF0, true}}) {
        SCOPED_TRACE(std::to_string(c.Index) + " " + std::to_string(c.Amount));
        EXPECT_THROW(grid.AdjustSize(c.Index, c.Amount, c.Rows), EInvalidGridOperation);
        EXPECT_EQ(grid.ColCount(), 4);
        EXPECT_EQ(grid.RowCount(), 5);
    }
    EXPECT_EQ(grid.ColWidths(3), 77);
    EXPECT_EQ(grid.RowHeights(4), 33);
    grid.AdjustSize(5, 1, true);   // at the end is inside
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.RowHeights(4), 33);
}

struct GridDragHooks : GridFormTest {
    THookedGrid* Grid = nullptr;
    std::vector<std::string> Moves;
    void MakeGrid()
    {
        Grid = GridFormTest::MakeGrid<THookedGrid>(Rect(10, 10, 310, 210));
        Grid->SetColCount(10);
        Grid->SetRowCount(20);
        Grid->SetOptions(Grid->Options() + goColMoving + goRowMoving);
        Grid->OnColumnMoved = [this](TObject*, int f, int t) { Moves.push_back(std::to_string(f) + ">" + std::to_string(t)); };
        Grid->OnRowMoved = [this](TObject*, int f, int t) { Moves.push_back("row " + std::to_string(f) + ">" + std::to_string(t)); };
        ShowForm();
    }
    // From the title of column 1 to that of column 3.
    void DragColumn() { Driver.Drag(Point(10 + 65 + 30, 15), Point(10 + 65 * 3 + 30, 15)); Driver.ProcessMessages(); }
};

TEST_F(GridDragHooks, EveryHookAgrees_TheColumnMoves)
{
    MakeGrid();
    DragColumn();
    EXPECT_EQ(Moves, (std::vector<std::string>{"1>3"}));
    EXPECT_EQ(Grid->Log, (std::vector<std::string>{"begin 1>1", "end 1>3"}));
}

TEST_F(GridDragHooks, RefusedBegin_NoDragAtAll)
{
    MakeGrid();
    Grid->AllowBegin = false;
    DragColumn();
    Driver.Drag(Point(15, 10 + 25 * 2 + 12), Point(15, 10 + 25 * 5 + 12));
    Driver.ProcessMessages();
    EXPECT_TRUE(Moves.empty());
    EXPECT_EQ(Grid->Log, (std::vector<std::string>{"begin 1>1"}));
}

TEST_F(GridDragHooks, RefusedPlace_IsPassedOver)
{
    MakeGrid();
    Grid->RefusedPlace = 3;
    Driver.MoveTo(Point(10 + 65 + 30, 15));
    Driver.ButtonDown();
    for (int c : {2, 3}) {
        Driver.MoveTo(Point(10 + 65 * c + 30, 15));
        Driver.ProcessMessages();
    }
    Driver.ButtonUp();
    Driver.ProcessMessages();
    // Column 3 was refused as a place: the column lands where it was last allowed.
    EXPECT_EQ(Moves, (std::vector<std::string>{"1>2"}));
}

TEST_F(GridDragHooks, RefusedEnd_NothingMoves)
{
    MakeGrid();
    Grid->AllowEnd = false;
    DragColumn();
    EXPECT_TRUE(Moves.empty());
    EXPECT_EQ(Grid->Log.back(), "end 1>3");
    // The row drag still works with its own hooks left as they are.
    Driver.Drag(Point(15, 10 + 25 * 2 + 12), Point(15, 10 + 25 * 5 + 12));
    Driver.ProcessMessages();
    EXPECT_EQ(Moves, (std::vector<std::string>{"row 2>5"}));
}

} // namespace
