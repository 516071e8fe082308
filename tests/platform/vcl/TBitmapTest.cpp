#include "platform/vcl/TBitmap.h"

#include <gtest/gtest.h>

#include "platform/rtl/TStream.h"
#include "platform/vcl/TReader.h"

namespace {
TColor At(TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y); }
} // namespace

TEST(TBitmapSize, GrowingFillsNewAreasWhiteAndKeepsOldPixels)
{
    TBitmap b;
    b.SetSize(4, 4);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 4, 4));
    b.SetWidth(8);
    b.SetHeight(6);
    EXPECT_EQ(b.Width(), 8);
    EXPECT_EQ(At(b, 1, 1), clRed);
    EXPECT_EQ(At(b, 6, 1), clWhite);
    EXPECT_EQ(At(b, 1, 5), clWhite);
}

TEST(TBitmapSize, NegativeOrZeroGivesAnEmptyBitmap)
{
    TBitmap b(3, 3);
    b.SetSize(-5, 3);
    EXPECT_TRUE(b.Empty());
    EXPECT_THROW(b.ScanLine(0), EInvalidGraphic);
}

TEST(TBitmapTransparency, AutomaticColourIsTheBottomLeftPixel)
{
    TBitmap b(3, 3);
    b.Canvas()->SetPixels(0, 2, clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentColor(clBlue);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clBlue);
}

TEST(TBitmapTransparency, TransparentDrawLeavesTheKeyColourOut)
{
    TBitmap src(2, 1);
    src.Canvas()->SetPixels(0, 0, clRed);
    src.Canvas()->SetPixels(1, 0, clLime);
    src.SetTransparentColor(clLime);
    src.SetTransparent(true);
    TBitmap dst(2, 1);
    dst.Canvas()->Draw(0, 0, &src);
    EXPECT_EQ(At(dst, 0, 0), clRed);
    EXPECT_EQ(At(dst, 1, 0), clWhite);
}

TEST(TBitmapCopy, CopyRectScalesWhenSizesDiffer)
{
    TBitmap src(2, 2);
    src.Canvas()->SetPixels(0, 0, clRed);
    TBitmap dst(4, 4);
    dst.Canvas()->CopyRect(Rect(0, 0, 4, 4), src.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(At(dst, 1, 1), clRed);
    EXPECT_EQ(At(dst, 2, 2), clWhite);
}

TEST(TBitmapAssign, CopiesPixelsAndSettings)
{
    TBitmap a(2, 2);
    a.Canvas()->SetPixels(1, 1, clNavy);
    a.SetPixelFormat(pf32bit);
    TBitmap b;
    b.Assign(&a);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(At(b, 1, 1), clNavy);
    a.Canvas()->SetPixels(1, 1, clRed);
    EXPECT_EQ(At(b, 1, 1), clNavy); // a copy, not shared
}

TEST(TBitmapStreams, SaveAndLoadRoundTrip)
{
    TBitmap a(5, 3);
    a.Canvas()->SetPixels(4, 2, clPurple);
    TMemoryStream s;
    a.SaveToStream(s);
    s.SetPosition(0);
    TBitmap b;
    b.LoadFromStream(s);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(At(b, 4, 2), clPurple);
}

TEST(TBitmapStreams, BrokenDataRaisesInvalidGraphic)
{
    TStringStream s("BMnot really");
    TBitmap b;
    EXPECT_THROW(b.LoadFromStream(s), EInvalidGraphic);
}

TEST(TBitmapChange, DrawingOnTheCanvasFiresOnChange)
{
    TBitmap b(2, 2);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Canvas()->FillRect(Rect(0, 0, 1, 1));
    EXPECT_GE(changes, 1);
}
