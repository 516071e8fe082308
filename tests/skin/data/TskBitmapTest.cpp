#include "skin/data/TskBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gfx/Blits.h"
#include "tests/support/TestPictures.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TClipboard.h"
#include "platform/vcl/TPicture.h"
#include "platform/win/Screen.h"
#include "skin/data/SkinPlatform.h"

namespace {

void Fill(TskBitmap& b, TPixel p)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.SetPixel(x, y, p);
}

// A picture kind that paints one white pixel at (1, 1) and nothing else.
class TDotGraphic : public TGraphic {
public:
    bool Empty() const override { return false; }
    int Width() const override { return 3; }
    int Height() const override { return 2; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void Draw(TCanvas* C, const TRect& R) override { C->SetPixels(R.Left + 1, R.Top + 1, clWhite); }
    void LoadFromStream(TStream&) override {}
    void SaveToStream(TStream&) override {}
};

}  // namespace

TEST(TskBitmapLines, BothBlendFormulas_OnTheSamePixels)
{
    // Alpha 0 and 255 alike; alpha 128 over white and alpha 64 over a half-transparent pixel differ.
    const TPixel src[4] = {0x00123456u, 0xFF102030u, 0x80FF0000u, 0x40C08040u};
    const TPixel under[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0x802090F0u};
    TPixel plain[4], mmx[4];
    std::copy(under, under + 4, plain);
    std::copy(under, under + 4, mmx);
    BlendLinePlain(src, plain, 4);
    BlendLineMMX(src, mmx, 4);
    EXPECT_EQ(plain[0], 0xFFFFFFFFu);
    EXPECT_EQ(mmx[0], 0xFFFFFFFFu);
    EXPECT_EQ(plain[1], 0xFF102030u);
    EXPECT_EQ(mmx[1], 0xFF102030u);
    // Plain: (f * a + b * (255 - a)) div 256, opaque. Multimedia: (f * a + b * (256 - a)) div 256 on all
    // four channels.
    EXPECT_EQ(plain[2], 0xFFFE7E7Eu);
    EXPECT_EQ(mmx[2], 0xBFFF7F7Fu);
    EXPECT_EQ(plain[3], 0xFF478BC3u);
    EXPECT_EQ(mmx[3], 0x70488CC4u);
}

TEST(TskBitmapLines, BlendLine_TakesTheFormulaOfTheProcessor)
{
    const TPixel f = 0x80FF0000u;
    TPixel viaLine = 0xFFFFFFFFu, chosen = 0xFFFFFFFFu;
    BlendLine(&f, &viaLine, 1);
    SelectBlendLine(HasMMX())(&f, &chosen, 1);
    EXPECT_EQ(viaLine, chosen);
    EXPECT_EQ(SelectBlendLine(false), &BlendLinePlain);
#if defined(__x86_64__)
    EXPECT_EQ(viaLine, 0xBFFF7F7Fu); // every x86-64 processor has the extensions
#endif
}

TEST(TskBitmapLines, TransparentLine_SkipsKeyWhateverItsAlpha_DrawsNearKeyOpaque)
{
    const TPixel src[3] = {0x007F007Fu, 0xFF7F007Fu, 0x107F007Eu};
    TPixel dst[3] = {1, 2, 3};
    TransparentLine(src, dst, 3);
    EXPECT_EQ(dst[0], 1u);
    EXPECT_EQ(dst[1], 2u);
    EXPECT_EQ(dst[2], 0xFF7F007Eu);
}

TEST(TskBitmapAllocate, ZeroSideKeepsOldPicture_NegativeSidesCountByAbsoluteValue)
{
    TskBitmap b;
    b.AllocateDib(-3, -4);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(b.Pixel(2, 3), 0u);
    b.SetPixel(0, 0, 0xFF112233u);
    b.AllocateDib(0, 5);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Pixel(0, 0), 0xFF112233u);
}

TEST(TskBitmapAllocate, SetPixelOutsideWritesNothing)
{
    TskBitmap b;
    b.SetPixel(0, 0, 1);   // no pixels at all
    b.AllocateDib(2, 2);
    b.SetPixel(2, 0, 0xFFFFFFFFu);
    b.SetPixel(-1, 1, 0xFFFFFFFFu);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(b.Pixel(x, y), 0u);
}

TEST(TskBitmapAlpha, CheckAlpha_OnlyPartialAlphaMakesItBlended)
{
    TskBitmap b;
    b.AllocateDib(2, 1);
    b.SetPixel(0, 0, 0xFF000000u);
    b.CheckAlpha();
    EXPECT_FALSE(b.AlphaBlend());
    b.SetPixel(1, 0, 0x80000000u);
    b.CheckAlpha();
    EXPECT_TRUE(b.AlphaBlend());
    b.ResetAlpha(255);
    b.CheckAlpha();
    EXPECT_FALSE(b.AlphaBlend());
}

TEST(TskBitmapDraw, OneColumnDestinationTakesTheMiddleColumn)
{
    TskBitmap src, dst;
    src.AllocateDib(5, 1);
    for (int x = 0; x < 5; ++x)
        src.SetPixel(x, 0, 0xFF000000u | static_cast<TPixel>(x));
    dst.AllocateDib(3, 1);
    src.DrawTo(dst.DC(), TRect{1, 0, 2, 1}, TRect{0, 0, 5, 1});
    EXPECT_EQ(dst.Pixel(1, 0), 0xFF000002u);
    EXPECT_EQ(dst.Pixel(0, 0), 0u);
}

TEST(TskBitmapDraw, StretchMatchesBothEnds)
{
    TskBitmap src, dst;
    src.AllocateDib(2, 1);
    src.SetPixel(0, 0, 0xFF0000AAu);
    src.SetPixel(1, 0, 0xFF0000BBu);
    dst.AllocateDib(4, 1);
    src.DrawTo(dst.DC(), TRect{0, 0, 4, 1}, TRect{0, 0, 2, 1});
    EXPECT_EQ(dst.Pixel(0, 0), 0xFF0000AAu);
    EXPECT_EQ(dst.Pixel(2, 0), 0xFF0000AAu);   // trunc(2 * 1 / 3) = 0
    EXPECT_EQ(dst.Pixel(3, 0), 0xFF0000BBu);
}

TEST(TskBitmapDraw, ModesOntoAnotherSkinBitmap)
{
    TskBitmap src, dst;
    src.AllocateDib(2, 1);
    src.SetPixel(0, 0, 0xFF7F007Fu);
    src.SetPixel(1, 0, 0x00FFFFFFu);
    dst.AllocateDib(2, 1);
    Fill(dst, 0xFF0000FFu);
    src.SetTransparent(true);
    src.DrawTo(dst.DC(), 0, 0);
    EXPECT_EQ(dst.Pixel(0, 0), 0xFF0000FFu);   // key left out
    EXPECT_EQ(dst.Pixel(1, 0), 0xFFFFFFFFu);   // made opaque
    Fill(dst, 0xFF0000FFu);
    src.SetAlphaBlend(true);
    src.DrawTo(dst.DC(), 0, 0);
    EXPECT_EQ(dst.Pixel(0, 0), 0xFF7F007Fu);
    EXPECT_EQ(dst.Pixel(1, 0), 0xFF0000FFu);   // alpha 0 keeps the destination
}

// A draw onto a registered bitmap's DC goes through the DC's whole mapping and stops at its clip.
TEST(TskBitmapDraw, RegisteredDc_ViewportOriginAndClipApply)
{
    TskBitmap src, dst;
    src.AllocateDib(4, 4);
    Fill(src, 0xFFFF0000u);
    dst.AllocateDib(10, 10);
    HDC dc = dst.DC();
    SaveDC(dc);
    SetViewportOrgEx(dc, 2, 2, nullptr);
    IntersectClipRect(dc, 0, 0, 2, 10);   // logical: device x 2 .. 4
    src.DrawTo(dc, 0, 0);                  // device (2, 2) .. (6, 6), clipped to x < 4
    RestoreDC(dc, -1);
    EXPECT_EQ(dst.Pixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(dst.Pixel(3, 5), 0xFFFF0000u);
    EXPECT_EQ(dst.Pixel(4, 2), 0u);
    EXPECT_EQ(dst.Pixel(1, 2), 0u);
    EXPECT_EQ(dst.Pixel(2, 6), 0u);
}

TEST(TskBitmapDraw, AlphaOntoForeignDcBlendsWithWhatIsThere)
{
    TskBitmap src;
    src.AllocateDib(1, 1);
    src.SetPixel(0, 0, 0x80000000u);
    src.SetAlphaBlend(true);
    TBitmap bmp(2, 1);   // white
    src.DrawTo(bmp.Canvas(), 1, 0);
    // Black at alpha 128 over white, by the formula of the processor.
    const unsigned c = 255 * (HasMMX() ? 128 : 127) / 256;
    EXPECT_EQ(bmp.Handle()->Pixel(1, 0) & 0xFFFFFF, (c << 16) | (c << 8) | c);
    EXPECT_EQ(bmp.Handle()->Pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(TskBitmapAssign, FromEmptySourceMakesItEmpty)
{
    TskBitmap b, empty;
    b.AllocateDib(4, 4);
    b.Assign(&empty);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Bits(), nullptr);
    b.AllocateDib(4, 4);
    TBitmap none;
    b.Assign(&none);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Height(), 0);
}

TEST(TskBitmapAssign, FromSkinBitmapCopiesPixelsAndFlags)
{
    TskBitmap a, b;
    a.AllocateDib(2, 2);
    a.SetPixel(1, 1, 0x40ABCDEFu);
    a.SetName("glow");
    a.SetAlphaBlend(true);
    b.Assign(&a);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Pixel(1, 1), 0x40ABCDEFu);
    EXPECT_EQ(b.Name(), "glow");
    EXPECT_TRUE(b.AlphaBlend());
}

TEST(TskBitmapAssign, FromBitmapKeepsAlphaOnlyFor32Bit)
{
    TBitmap bmp(2, 1);
    bmp.Handle()->SetPixel(0, 0, 0x80102030u);
    TskBitmap b;
    b.Assign(&bmp);
    EXPECT_EQ(b.Pixel(0, 0), 0xFF102030u);
    bmp.SetPixelFormat(pf32bit);
    bmp.Handle()->SetPixel(0, 0, 0x80102030u);
    b.Assign(&bmp);
    EXPECT_EQ(b.Pixel(0, 0), 0x80102030u);
    EXPECT_TRUE(b.AlphaBlend());
}

TEST(TskBitmapAssign, FromOtherGraphicLeavesOpaqueBlackWhereItDidNotPaint)
{
    TDotGraphic g;
    TskBitmap b;
    b.Assign(&g);
    ASSERT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(b.Pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(TskBitmapAssign, ToPictureDrawsWithTheFlags)
{
    TskBitmap b;
    b.AllocateDib(2, 1);
    b.SetPixel(0, 0, 0xFF112233u);
    b.SetPixel(1, 0, 0xFF7F007Fu);
    b.SetTransparent(true);
    TPicture pic;
    pic.Assign(&b);
    ASSERT_EQ(pic.Width(), 2);
    EXPECT_EQ(pic.Bitmap()->Handle()->Pixel(0, 0) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(pic.Bitmap()->Handle()->Pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu);   // key left out: white stays
}

TEST(TskBitmapAssign, ToTheClipboardPutsThePictureAsDrawnInPlaceOfTheText)
{
    TskBitmap b;
    b.AllocateDib(2, 1);
    b.SetPixel(0, 0, 0xFF112233u);
    b.SetPixel(1, 0, 0xFF7F007Fu);
    b.SetTransparent(true);
    SetClipboardText("before");
    Clipboard()->Assign(&b);
    EXPECT_EQ(GetClipboardText(), "");
    TSurface held;
    ASSERT_TRUE(GetClipboardPicture(held));
    ASSERT_EQ(held.Width(), 2);
    EXPECT_EQ(held.Pixel(0, 0) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(held.Pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu); // key left out
    SetClipboardText("after");
    EXPECT_FALSE(GetClipboardPicture(held));
}

TEST(TskBitmapRegistry, DcLeadsBackToItsBitmapUntilFreed)
{
    HDC dc;
    {
        TskBitmap b;
        b.AllocateDib(1, 1);
        dc = b.DC();
        EXPECT_EQ(TskBitmap::FromDC(dc), &b);
    }
    EXPECT_EQ(TskBitmap::FromDC(dc), nullptr);
}

TEST(TskBitmapLines, PlainBlendAgreesWithTheGraphicsLayerForEveryAlpha)
{
    for (unsigned a = 0; a < 256; ++a) {
        const TPixel f = a << 24 | 0x00C08040u, b = 0xFF2090F0u;
        TPixel d = b;
        BlendLinePlain(&f, &d, 1);
        EXPECT_EQ(d, a == 0 ? b : BlendPixel(f, b, a)) << a;
    }
}
