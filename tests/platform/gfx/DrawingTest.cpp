#include "platform/gfx/Drawing.h"
#include "platform/gfx/Blits.h"

#include <gtest/gtest.h>

#include "GfxTestSupport.h"

namespace {

HBRUSH Black() { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }

}  // namespace

TEST(DrawingTest, FillRect_ExcludesRightAndBottom)
{
    TPaper paper(5, 4);
    FillRect(paper.Dc, Rect(1, 1, 3, 3), Black());
    EXPECT_EQ(paper.Compare({".....", ".##..", ".##..", "....."}), "");
}

TEST(DrawingTest, FillRect_NegativeSizeOrOffSurface_DrawsNothing)
{
    TPaper paper(4, 4);
    FillRect(paper.Dc, Rect(3, 3, 1, 1), Black());
    FillRect(paper.Dc, Rect(-100, -100, -50, -50), Black());
    FillRect(paper.Dc, Rect(INT32_MIN / 2, 0, INT32_MAX / 2, 0), Black());
    EXPECT_EQ(paper.CountNot(Rect(0, 0, 4, 4), RGB(255, 255, 255)), 0);
}

TEST(DrawingTest, FillRect_ZeroSizeSurface_DoesNotCrash)
{
    TSurface empty;
    HDC dc = CreateSurfaceDC(&empty, {0, 0}, nullptr);
    EXPECT_FALSE(FillRect(dc, Rect(0, 0, 10, 10), Black()));
    EXPECT_TRUE(Rectangle(dc, 0, 0, 5, 5) || true);
    DeleteDC(dc);
}

TEST(DrawingTest, Rectangle_OutlinesLastColumnAndRowInside)
{
    TPaper paper(6, 5);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH old = SelectObject(paper.Dc, red);
    Rectangle(paper.Dc, 0, 0, 5, 4);
    SelectObject(paper.Dc, old);
    DeleteObject(red);
    EXPECT_EQ(paper.Compare({"#####.", "#rrr#.", "#rrr#.", "#####.", "......"}), "");
}

TEST(DrawingTest, Rectangle_ClearBrush_LeavesInside)
{
    TPaper paper(4, 4, RGB(0, 255, 0));
    SelectObject(paper.Dc, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    Rectangle(paper.Dc, 0, 0, 4, 4);
    EXPECT_EQ(paper.Compare({"####", "#gg#", "#gg#", "####"}), "");
}

TEST(DrawingTest, LineTo_DrawsStartPixelButNotEnd)
{
    TPaper paper(6, 3);
    MoveToEx(paper.Dc, 1, 1, nullptr);
    LineTo(paper.Dc, 5, 1);
    EXPECT_EQ(paper.Compare({"......", ".####.", "......"}), "");
    // The pen stays at the end: the next line goes on from there.
    LineTo(paper.Dc, 5, 2);
    EXPECT_EQ(paper.Compare({"......", ".#####", "......"}), "");
}

TEST(DrawingTest, LineTo_Diagonal_StopsBeforeEnd)
{
    TPaper paper(4, 4);
    MoveToEx(paper.Dc, 0, 0, nullptr);
    LineTo(paper.Dc, 3, 3);
    EXPECT_EQ(paper.Compare({"#...", ".#..", "..#.", "...."}), "");
}

TEST(DrawingTest, Polyline_LeavesLastPointOut)
{
    TPaper paper(4, 4);
    const TPoint pts[] = {{0, 3}, {0, 0}, {3, 0}};
    Polyline(paper.Dc, pts, 3);
    EXPECT_EQ(paper.Compare({"###.", "#...", "#...", "#..."}), "");
}

TEST(DrawingTest, Polygon_FillsAndOutlines)
{
    TPaper paper(6, 6);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(paper.Dc, red);
    const TPoint pts[] = {{0, 0}, {5, 0}, {5, 5}, {0, 5}};
    Polygon(paper.Dc, pts, 4);
    SelectObject(paper.Dc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DeleteObject(red);
    EXPECT_EQ(paper.Compare({"######", "#rrrr#", "#rrrr#", "#rrrr#", "#rrrr#", "######"}), "");
}

TEST(DrawingTest, Ellipse_IsSymmetricAndInsideItsBox)
{
    TPaper paper(12, 10);
    Ellipse(paper.Dc, 1, 1, 11, 9);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(paper.At(x, y), paper.At(11 - x, y)) << x << "," << y;
    EXPECT_EQ(paper.CountNot(Rect(0, 0, 12, 1), RGB(255, 255, 255)), 0);
    EXPECT_EQ(paper.CountNot(Rect(11, 0, 12, 10), RGB(255, 255, 255)), 0);
    EXPECT_EQ(paper.At(6, 1), RGB(0, 0, 0));    // top of the outline
    EXPECT_EQ(paper.At(1, 5), RGB(0, 0, 0));    // left of the outline
    EXPECT_EQ(paper.At(5, 5), RGB(255, 255, 255));   // filled with the white brush
}

TEST(DrawingTest, FrameRect_OnePixelInside)
{
    TPaper paper(5, 4);
    FrameRect(paper.Dc, Rect(0, 0, 4, 3), Black());
    EXPECT_EQ(paper.Compare({"####.", "#..#.", "####.", "....."}), "");
}

TEST(DrawingTest, DrawFocusRect_DottedAndUndoneBySecondCall)
{
    TPaper paper(5, 4);
    DrawFocusRect(paper.Dc, Rect(0, 0, 5, 4));
    EXPECT_EQ(paper.Compare({"#.#.#", ".....", "#...#", ".#.#."}), "");
    DrawFocusRect(paper.Dc, Rect(0, 0, 5, 4));
    EXPECT_EQ(paper.CountNot(Rect(0, 0, 5, 4), RGB(255, 255, 255)), 0);
}

TEST(DrawingTest, Frame3D_TopLeftThenBottomRightTakesFarCorners)
{
    TPaper paper(4, 4);
    TRect r = Rect(0, 0, 4, 4);
    Frame3D(paper.Dc, r, clRed, clBlue, 1);
    EXPECT_EQ(paper.Compare({"rrrb", "r..b", "r..b", "bbbb"}), "");
    EXPECT_EQ(r, Rect(1, 1, 3, 3));
}

TEST(DrawingTest, DrawEdge_SunkenUsesShadowThenHighlight)
{
    TPaper paper(4, 4, RGB(0, 255, 0));
    TRect r = Rect(0, 0, 4, 4);
    DrawEdge(paper.Dc, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    EXPECT_EQ(paper.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(paper.At(0, 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(paper.At(3, 3), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(paper.At(3, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(paper.At(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(r, Rect(1, 1, 3, 3));
}

TEST(DrawingTest, SetPixelGetPixel_RespectClip)
{
    TPaper paper(3, 3);
    IntersectClipRect(paper.Dc, 0, 0, 1, 1);
    EXPECT_EQ(SetPixel(paper.Dc, 0, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(SetPixel(paper.Dc, 2, 2, RGB(1, 2, 3)), CLR_INVALID);
    EXPECT_EQ(GetPixel(paper.Dc, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(paper.Dc, 2, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(paper.Dc, 9, 9), CLR_INVALID);
}

TEST(DrawingTest, InvertRect_InvertsColours)
{
    TPaper paper(2, 1);
    InvertRect(paper.Dc, Rect(0, 0, 1, 1));
    EXPECT_EQ(paper.Compare({"#."}), "");
}

TEST(DrawingTest, ExtremeCoordinatesWithOrigins_DoNotOverflow)
{
    TPaper paper(3, 3);
    SetViewportOrgEx(paper.Dc, INT32_MAX, INT32_MIN, nullptr);
    FillRect(paper.Dc, Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), Black());
    Rectangle(paper.Dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    MoveToEx(paper.Dc, INT32_MIN, 0, nullptr);
    LineTo(paper.Dc, INT32_MAX, 0);
    EXPECT_EQ(paper.CountNot(Rect(0, 0, 3, 3), RGB(255, 255, 255)), 0);
}

TEST(DrawingTest, HugeShapesCrossingTheSurface_DrawOnlyWhatShowsAndReturnQuickly)
{
    TPaper paper(4, 4);
    MoveToEx(paper.Dc, -1000000000, 1, nullptr);
    LineTo(paper.Dc, 1000000000, 1);
    EXPECT_EQ(paper.Compare({"....", "####", "...."}), "");
    TPaper big(4, 4);
    SelectObject(big.Dc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Ellipse(big.Dc, -60000, -60000, 60000, 60000);
    EXPECT_EQ(big.CountNot(Rect(0, 0, 4, 4), RGB(0, 0, 0)), 0);
}
