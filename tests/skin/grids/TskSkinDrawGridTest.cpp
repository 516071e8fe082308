#include "skin/grids/TskSkinDrawGrid.h"

#include <algorithm>
#include <vector>

#include "GridTestSupport.h"

using namespace gridtest;

namespace {

// A 5 x 5 grid at (10, 10), 300 x 200. Unskinned cells are 64 x 24 with 1-pixel lines; the test skin's
// cell images are 10 high, so skinned rows are 10 high.
struct GridPaint : GridFormTest {
    TGridSkin Skin;
    TskSkinDrawGrid* Grid = nullptr;

    void MakeGrid(const char* skinEntry = nullptr)
    {
        Grid = GridFormTest::MakeGrid<TskSkinDrawGrid>(Rect(10, 10, 310, 210));
        if (skinEntry != nullptr) {
            Grid->SetSkinDataName(skinEntry);
            Grid->SetSkinData(Skin.Skin.get());
        }
    }
    // A point inside cell (c, r) on the form, for a grid with cells w x h.
    TPoint Inside(int c, int r, int w = 64, int h = 24) { return Point(10 + (w + 1) * c + w / 2, 10 + (h + 1) * r + h / 2); }
    TPixel AtCell(int c, int r, int w = 64, int h = 24)
    {
        const TPoint p = Inside(c, r, w, h);
        return At(p.X, p.Y);
    }
};

TEST_F(GridPaint, DefaultLook_FixedCellsRaisedBodyInTheWindowColourSelectionHighlighted)
{
    MakeGrid();
    ShowForm();
    Grid->SetSelection({1, 1, 2, 2}); // the current cell goes to (2, 2)
    Driver.ProcessMessages();
    Save("grid-default");
    EXPECT_EQ(AtCell(0, 0), Px(clBtnFace));
    EXPECT_EQ(At(10, 10), Px(clBtnHighlight)); // top-left edge of the raised fixed cell
    EXPECT_EQ(At(73, 33), Px(clBtnShadow));    // its bottom-right edge
    EXPECT_EQ(AtCell(3, 3), Px(clWindow));
    EXPECT_EQ(AtCell(1, 1), Px(clHighlight)); // selected
    EXPECT_EQ(AtCell(2, 2), Px(clWindow));    // selected but current: the focus rectangle marks it
    EXPECT_EQ(At(74, 20), Px(clWindowText));  // the line after column 0
    EXPECT_EQ(At(100, 59), Px(clWindowText)); // the line after row 1
}

TEST_F(GridPaint, DefaultLook_FocusedCurrentCellIsNotHighlighted)
{
    MakeGrid();
    Focus(Grid);
    EXPECT_EQ(AtCell(1, 1), Px(clWindow));
    Grid->SetOptions(Grid->Options() + goDrawFocusSelected);
    Driver.ProcessMessages();
    EXPECT_EQ(AtCell(1, 1), Px(clHighlight));
}

TEST_F(GridPaint, DefaultLook_AreaBeyondTheLastCellsTakesTheGridColour)
{
    MakeGrid();
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    Grid->SetColor(clYellow);
    ShowForm();
    EXPECT_EQ(At(10 + 250, 20), Px(clYellow));
    EXPECT_EQ(At(20, 10 + 150), Px(clYellow));
}

TEST_F(GridPaint, SilverLinesAreDrawnGrey_OtherColoursUnchanged)
{
    MakeGrid();
    Grid->SetGridLineColor(clSilver);
    ShowForm();
    EXPECT_EQ(At(74, 20), Px(clGray));
    Grid->SetGridLineColor(clRed);
    Driver.ProcessMessages();
    EXPECT_EQ(At(74, 20), Px(clRed));
}

TEST_F(GridPaint, LinesOffLeaveTheGapInTheCellColour)
{
    MakeGrid();
    Grid->SetOptions(Grid->Options() - goVertLine);
    ShowForm();
    EXPECT_EQ(At(10 + 65 * 2 + 64, 10 + 25 * 2 + 12), Px(clWindow));
    EXPECT_EQ(At(74, 20), Px(clWindowText)); // the fixed lines stay
}

TEST_F(GridPaint, SkinLook_CellImagesLinesAndBackground)
{
    MakeGrid("grid");
    ShowForm();
    Grid->SetSelection({1, 1, 2, 1});
    Driver.ProcessMessages();
    Save("grid-skin");
    EXPECT_EQ(Grid->DefaultRowHeight(), 10);
    EXPECT_EQ(AtCell(0, 0, 64, 10), Px(cFixedImage));
    EXPECT_EQ(AtCell(1, 1, 64, 10), Px(cSelectImage));
    EXPECT_EQ(AtCell(2, 1, 64, 10), Px(cFocusImage));
    EXPECT_EQ(AtCell(2, 2, 64, 10), Px(cBack));
    EXPECT_EQ(At(74, 15), Px(cLines));
    EXPECT_EQ(At(40, 10 + 5 * 11 + 20), Px(cBack)); // below the last row
}

TEST_F(GridPaint, SkinLook_FocusedCellUsesTheFocusImage)
{
    MakeGrid("grid");
    Focus(Grid);
    EXPECT_EQ(AtCell(1, 1, 64, 10), Px(cFocusImage));
}

TEST_F(GridPaint, SkinLook_RowSelectPaintsTheWholeRowWithTheFocusImage)
{
    MakeGrid("grid");
    Grid->SetOptions(Grid->Options() + goRowSelect);
    Grid->SetRow(2);
    ShowForm();
    EXPECT_EQ(AtCell(1, 2, 64, 10), Px(cFocusImage));
    EXPECT_EQ(AtCell(3, 2, 64, 10), Px(cFocusImage));
    EXPECT_EQ(AtCell(3, 1, 64, 10), Px(cBack));
}

TEST_F(GridPaint, SkinBackgroundPictureIsTiledBehindPlainCells)
{
    MakeGrid("bggrid");
    ShowForm();
    EXPECT_EQ(AtCell(2, 2, 64, 10), Px(cBackPicture));
    EXPECT_EQ(At(40, 10 + 5 * 11 + 20), Px(cBackPicture));
}

TEST_F(GridPaint, EntryWithoutAFixedCellImagePaintsTheDefaultLook)
{
    MakeGrid("nofixed");
    ShowForm();
    EXPECT_EQ(Grid->DefaultRowHeight(), 24);
    EXPECT_EQ(AtCell(0, 0), Px(clBtnFace));
    EXPECT_EQ(AtCell(2, 2), Px(clWindow));
}

TEST_F(GridPaint, SkinSilverLinesAreGrey_AndImagesOfNoHeightKeepTheRowHeight)
{
    MakeGrid("flatgrid");
    ShowForm();
    EXPECT_EQ(Grid->DefaultRowHeight(), 24);
    EXPECT_EQ(At(74, 20), Px(clGray));
}

TEST_F(GridPaint, TransparentGridWithAWallpaperShowsTheWallpaper)
{
    MakeGrid();
    TBitmap paper(8, 8);
    Fill(paper, Rect(0, 0, 8, 8), clBlue);
    Grid->SetWallpaper(&paper);
    EXPECT_TRUE(Grid->Transparent());
    ShowForm();
    EXPECT_EQ(AtCell(2, 2), Px(clBlue));
    EXPECT_EQ(AtCell(0, 0), Px(clBtnFace)); // fixed cells are still filled
}

TEST_F(GridPaint, TransparentGridWithoutWallpaperShowsTheParent)
{
    MakeGrid();
    Grid->SetTransparent(true);
    ShowForm();
    EXPECT_EQ(AtCell(2, 2), Px(clWhite));
}

TEST_F(GridPaint, DrawCellGetsEveryVisibleCellWithItsRectangleAndState)
{
    MakeGrid();
    struct Call {
        int c, r;
        TRect rect;
        TGridDrawState state;
    };
    std::vector<Call> calls;
    Grid->OnDrawCell = [&](TObject*, int c, int r, const TRect& rect, TGridDrawState state) {
        calls.push_back({c, r, rect, state});
        Grid->Canvas()->Brush()->SetColor(clLime);
        Grid->Canvas()->FillRect(Rect(rect.Left, rect.Top, rect.Left + 4, rect.Top + 4));
    };
    ShowForm();
    const auto find = [&](int c, int r) -> const Call* {
        for (const Call& k : calls)
            if (k.c == c && k.r == r) return &k;
        return nullptr;
    };
    ASSERT_NE(find(1, 1), nullptr);
    EXPECT_EQ(find(1, 1)->rect, Rect(65, 25, 129, 49));
    EXPECT_TRUE(find(1, 1)->state.Contains(gdSelected));
    EXPECT_TRUE(find(0, 2)->state.Contains(gdFixed));
    EXPECT_EQ(find(2, 2)->state, TGridDrawState{});
    EXPECT_EQ(find(4, 4)->rect.Right, 324); // cut by the window, not by the grid
    EXPECT_EQ(At(10 + 130 + 1, 10 + 50 + 1), Px(clLime));
}

TEST_F(GridPaint, CellsOfNoWidthAreNotDrawn)
{
    MakeGrid();
    Grid->SetColWidths(2, 0);
    int drawn = 0;
    Grid->OnDrawCell = [&](TObject*, int c, int, const TRect&, TGridDrawState) { drawn += c == 2; };
    ShowForm();
    EXPECT_EQ(drawn, 0);
    EXPECT_EQ(Grid->MouseCoord(131, 30).X, 3);
}

TEST_F(GridPaint, SelectCellRefusalKeepsTheCurrentCellAndItsPicture)
{
    MakeGrid();
    Grid->SetOptions(Grid->Options() + goRowSelect);
    Grid->OnSelectCell = [](TObject*, int, int ARow, bool& CanSelect) { CanSelect = ARow != 3; };
    ShowForm();
    Driver.Click(Inside(2, 3));
    Save("grid-refused");
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 4, 1}));
    EXPECT_EQ(AtCell(2, 1), Px(clHighlight));
    EXPECT_EQ(AtCell(2, 3), Px(clWindow));
}

// Scrolling moves what is painted instead of painting the grid anew: only the cells that scroll in are
// drawn, and the picture is the one a full repaint gives.
struct GridBands : GridFormTest {
    TskSkinDrawGrid* Grid = nullptr;
    std::vector<TGridCoord> Drawn;

    void MakeGrid()
    {
        Grid = GridFormTest::MakeGrid<TskSkinDrawGrid>(Rect(10, 10, 310, 210));
        Grid->SetColCount(10);
        Grid->SetRowCount(20);
        // Every cell shows where it is in the grid, so a cell painted at the wrong place shows.
        Grid->OnDrawCell = [this](TObject*, int c, int r, const TRect& rect, TGridDrawState) {
            Drawn.push_back({c, r});
            Grid->Canvas()->Brush()->SetColor(TColor(RGB(static_cast<BYTE>(c * 20), static_cast<BYTE>(r * 10), 128)));
            Grid->Canvas()->FillRect(Rect(rect.Left + 4, rect.Top + 4, rect.Left + 20, rect.Top + 12));
        };
        ShowForm();
        Drawn.clear();
    }
    TPoint Inside(int c, int r) { return Point(10 + 65 * c + 32, 10 + 25 * r + 12); }
    std::vector<TPixel> Picture()
    {
        std::vector<TPixel> p;
        for (int y = 10; y < 210; ++y)
            for (int x = 10; x < 310; ++x)
                p.push_back(At(x, y));
        return p;
    }
    // The picture must be what painting the whole grid gives.
    void ExpectAsRepainted()
    {
        const std::vector<TPixel> scrolled = Picture();
        Grid->Invalidate();
        Driver.ProcessMessages();
        EXPECT_TRUE(scrolled == Picture());
    }
};

TEST_F(GridBands, OneRowDown_DrawsOnlyTheRowThatScrolledIn)
{
    MakeGrid();
    Grid->SetTopRow(2);
    Driver.ProcessMessages();
    ASSERT_FALSE(Drawn.empty());
    for (const TGridCoord& c : Drawn)
        EXPECT_EQ(c.Y, 8) << c.X << "," << c.Y;
    ExpectAsRepainted();
}

TEST_F(GridBands, OneColumnOn_DrawsOnlyTheColumnsThatScrolledIn)
{
    MakeGrid();
    Grid->SetLeftCol(2);
    Driver.ProcessMessages();
    ASSERT_FALSE(Drawn.empty());
    // Column 4 was cut at the edge: it and column 5 show more now.
    for (const TGridCoord& c : Drawn)
        EXPECT_GE(c.X, 4) << c.X << "," << c.Y;
    ExpectAsRepainted();
}

TEST_F(GridBands, SelectingPastTheCorner_ScrollsBothWaysInThreeBands)
{
    MakeGrid();
    Driver.MoveTo(Inside(2, 3));
    Driver.ButtonDown();
    Driver.MoveTo(Point(330, 230));
    Driver.AdvanceClock(60);
    Driver.ButtonUp();
    Driver.ProcessMessages();
    EXPECT_EQ(Grid->LeftCol(), 2);
    EXPECT_EQ(Grid->TopRow(), 2);
    ExpectAsRepainted();
}

TEST_F(GridBands, AJumpOfAScreenOrMore_PaintsEverything)
{
    MakeGrid();
    Grid->SetTopRow(12);
    Driver.ProcessMessages();
    EXPECT_EQ(Drawn.size(), 5u * 8u);
    ExpectAsRepainted();
}

TEST_F(GridPaint, TheFocusedCellUnderTheShownEditorIsNotPainted)
{
    MakeGrid();
    Grid->SetOptions(Grid->Options() + goEditing);
    std::vector<TGridCoord> drawn;
    Grid->OnDrawCell = [&](TObject*, int c, int r, const TRect&, TGridDrawState) { drawn.push_back({c, r}); };
    Focus(Grid);
    const auto has = [&](int c, int r) {
        return std::find(drawn.begin(), drawn.end(), TGridCoord{c, r}) != drawn.end();
    };
    EXPECT_TRUE(has(1, 1));
    Driver.Press(VK_F2);
    Driver.ProcessMessages();
    ASSERT_TRUE(Grid->EditorMode());
    drawn.clear();
    Grid->Invalidate();
    Driver.ProcessMessages();
    EXPECT_FALSE(has(1, 1));
    EXPECT_TRUE(has(2, 1));
    Driver.Press(VK_ESCAPE);
    Driver.ProcessMessages();
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_TRUE(has(1, 1));
}

} // namespace
