#include "platform/gfx/GdiObjects.h"

#include <gtest/gtest.h>

#include "GfxTestSupport.h"
#include "platform/gfx/Blits.h"
#include "platform/gfx/Drawing.h"

TEST(GdiObjectsTest, StockObjects_AreStableAndSurviveDelete)
{
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    ASSERT_NE(white, nullptr);
    EXPECT_EQ(white, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(DeleteObject(white));
    TLogBrush lb;
    EXPECT_TRUE(GetObject(static_cast<HBRUSH>(white), lb));
    EXPECT_EQ(lb.Color, RGB(255, 255, 255));
    EXPECT_EQ(GetStockObject(999), nullptr);
}

TEST(GdiObjectsTest, DeleteWhileSelected_ObjectStaysUsableUntilDeselected)
{
    TPaper paper(4, 4);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH old = SelectObject(paper.Dc, red);
    EXPECT_TRUE(DeleteObject(red));
    // Still selected: drawing with it works and does not touch freed memory.
    PatBlt(paper.Dc, 0, 0, 2, 2, PATCOPY);
    EXPECT_EQ(paper.At(1, 1), RGB(255, 0, 0));
    SelectObject(paper.Dc, old);   // frees it now (the sanitizer build checks this)
}

TEST(GdiObjectsTest, DeleteObject_NullHandleFails)
{
    EXPECT_FALSE(DeleteObject(nullptr));
}

TEST(GdiObjectsTest, CreateFontIndirect_CarriesEveryField)
{
    TLogFont made;
    made.Height = -14;
    made.Escapement = 900;
    made.Weight = FW_BOLD;
    made.Italic = true;
    made.StrikeOut = true;
    made.CharSet = RUSSIAN_CHARSET;
    made.FaceName = "Arial";
    HFONT f = CreateFontIndirect(made);
    TLogFont lf;
    ASSERT_TRUE(GetObject(f, lf));
    EXPECT_EQ(lf.Height, -14);
    EXPECT_EQ(lf.Escapement, 900);
    EXPECT_EQ(lf.Weight, FW_BOLD);
    EXPECT_TRUE(lf.Italic);
    EXPECT_TRUE(lf.StrikeOut);
    EXPECT_EQ(lf.CharSet, RUSSIAN_CHARSET);
    EXPECT_EQ(lf.FaceName, "Arial");
    DeleteObject(f);
}
