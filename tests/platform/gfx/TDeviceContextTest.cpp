#include "platform/gfx/TDeviceContext.h"

#include <gtest/gtest.h>

#include "GfxTestSupport.h"
#include "platform/gfx/Blits.h"
#include "platform/gfx/Drawing.h"

namespace {

void Fill(HDC dc, const TRect& r, COLORREF c)
{
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, r, b);
    DeleteObject(b);
}

}  // namespace

TEST(TDeviceContextTest, ViewportOrigin_ShiftsDrawing)
{
    TPaper paper(6, 4);
    SetViewportOrgEx(paper.Dc, 2, 1, nullptr);
    Fill(paper.Dc, Rect(0, 0, 2, 2), 0);
    EXPECT_EQ(paper.Compare({"......", "..##..", "..##..", "......"}), "");
}

TEST(TDeviceContextTest, SurfaceDC_OriginAndBaseClip_LimitAWindowsPainting)
{
    TSurface s(8, 4);
    s.Fill(RgbToPixel(RGB(255, 255, 255)));
    const TRegionShape base(Rect(0, 0, 3, 2));   // the child's client area, device coordinates
    HDC dc = CreateSurfaceDC(&s, {2, 1}, &base);
    Fill(dc, Rect(-5, -5, 50, 50), 0);
    DeleteDC(dc);
    EXPECT_EQ(ComparePixels(s, 0, 0, {"........", "..###...", "..###...", "........"}, TPaper::Legend()), "");
}

TEST(TDeviceContextTest, IntersectClipRect_UsesLogicalCoordinates)
{
    TPaper paper(6, 3);
    SetViewportOrgEx(paper.Dc, 1, 0, nullptr);
    EXPECT_EQ(IntersectClipRect(paper.Dc, 0, 0, 2, 2), SIMPLEREGION);
    Fill(paper.Dc, Rect(-10, -10, 10, 10), 0);
    EXPECT_EQ(paper.Compare({".##...", ".##...", "......"}), "");
}

TEST(TDeviceContextTest, ExcludeClipRect_LeavesAHole)
{
    TPaper paper(4, 3);
    EXPECT_EQ(ExcludeClipRect(paper.Dc, 1, 1, 3, 2), COMPLEXREGION);
    Fill(paper.Dc, Rect(0, 0, 4, 3), 0);
    EXPECT_EQ(paper.Compare({"####", "#..#", "####"}), "");
}

TEST(TDeviceContextTest, SelectClipRgn_IsInDeviceCoordinatesAndNullRemovesIt)
{
    TPaper paper(4, 2);
    HRGN rgn = CreateRectRgn(0, 0, 1, 1);
    SetViewportOrgEx(paper.Dc, 2, 0, nullptr);   // does not move a selected clip region
    EXPECT_EQ(SelectClipRgn(paper.Dc, rgn), SIMPLEREGION);
    DeleteObject(rgn);   // the DC keeps its own copy
    Fill(paper.Dc, Rect(-2, 0, 2, 2), 0);
    EXPECT_EQ(paper.Compare({"#...", "...."}), "");
    EXPECT_EQ(SelectClipRgn(paper.Dc, nullptr), SIMPLEREGION);
    Fill(paper.Dc, Rect(-2, 1, 2, 2), 0);
    EXPECT_EQ(paper.Compare({"#...", "####"}), "");
}

TEST(TDeviceContextTest, SaveRestore_BringsBackOriginClipAndObjects)
{
    TPaper paper(4, 2);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH old = SelectObject(paper.Dc, red);
    const int level = SaveDC(paper.Dc);
    EXPECT_EQ(level, 1);
    SetViewportOrgEx(paper.Dc, 3, 1, nullptr);
    IntersectClipRect(paper.Dc, 0, 0, 1, 1);
    SelectObject(paper.Dc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(paper.Dc, RGB(1, 2, 3));
    EXPECT_TRUE(RestoreDC(paper.Dc, -1));
    TPoint vp;
    GetViewportOrgEx(paper.Dc, &vp);
    EXPECT_EQ(vp, Point(0, 0));
    EXPECT_EQ(GetTextColor(paper.Dc), 0u);
    PatBlt(paper.Dc, 0, 0, 4, 2, PATCOPY);
    EXPECT_EQ(paper.Compare({"rrrr", "rrrr"}), "");
    EXPECT_FALSE(RestoreDC(paper.Dc, 1));   // nothing saved any more
    SelectObject(paper.Dc, old);
    DeleteObject(red);
}

TEST(TDeviceContextTest, RestoreDC_ToAnEarlierLevelDropsLaterOnes)
{
    TPaper paper(2, 2);
    SaveDC(paper.Dc);
    SetViewportOrgEx(paper.Dc, 1, 1, nullptr);
    EXPECT_EQ(SaveDC(paper.Dc), 2);
    SetViewportOrgEx(paper.Dc, 5, 5, nullptr);
    EXPECT_TRUE(RestoreDC(paper.Dc, 1));
    TPoint vp;
    GetViewportOrgEx(paper.Dc, &vp);
    EXPECT_EQ(vp, Point(0, 0));
    EXPECT_FALSE(RestoreDC(paper.Dc, 2));
}

TEST(TDeviceContextTest, GetClipBox_ReportsLogicalBounds)
{
    TPaper paper(10, 10);
    TRect box;
    EXPECT_EQ(GetClipBox(paper.Dc, box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(0, 0, 10, 10));
    SetViewportOrgEx(paper.Dc, -3, -4, nullptr);
    IntersectClipRect(paper.Dc, 5, 5, 8, 8);
    GetClipBox(paper.Dc, box);
    EXPECT_EQ(box, Rect(5, 5, 8, 8));
}

TEST(TDeviceContextTest, ClipThatExcludesEverything_DrawsNothing)
{
    TPaper paper(3, 3);
    EXPECT_EQ(IntersectClipRect(paper.Dc, 5, 5, 6, 6), NULLREGION);
    Fill(paper.Dc, Rect(0, 0, 3, 3), 0);
    EXPECT_EQ(paper.CountNot(Rect(0, 0, 3, 3), RGB(255, 255, 255)), 0);
}

TEST(TDeviceContextTest, MemoryDC_WithoutBitmap_DrawsNothingAndDoesNotCrash)
{
    HDC dc = CreateCompatibleDC(nullptr);
    Fill(dc, Rect(0, 0, 10, 10), 0);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    HBITMAP bmp = new TSurface(2, 2);
    HBITMAP old = SelectObject(dc, bmp);
    EXPECT_EQ(old, nullptr);
    Fill(dc, Rect(0, 0, 10, 10), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 255));
    DeleteObject(bmp);   // still selected: freed with the DC
    DeleteDC(dc);
}
