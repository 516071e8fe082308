#include "platform/gfx/Blits.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "GfxTestSupport.h"

namespace {

// A 4 x 1 source of red, green, blue, yellow.
struct TStrip : TPaper {
    TStrip() : TPaper(4, 1)
    {
        Surface.SetPixel(0, 0, RgbToPixel(RGB(255, 0, 0)));
        Surface.SetPixel(1, 0, RgbToPixel(RGB(0, 255, 0)));
        Surface.SetPixel(2, 0, RgbToPixel(RGB(0, 0, 255)));
        Surface.SetPixel(3, 0, RgbToPixel(RGB(255, 255, 0)));
    }
};

}  // namespace

TEST(BlitsTest, BitBlt_SrcCopy_CopiesOneToOneWithOffsets)
{
    TStrip src;
    TPaper dst(5, 2);
    BitBlt(dst.Dc, 2, 1, 2, 1, src.Dc, 1, 0, SRCCOPY);
    EXPECT_EQ(dst.Compare({".....", "..gb."}), "");
}

TEST(BlitsTest, BitBlt_SrcCopy_KeepsSourceAlpha)
{
    TPaper src(1, 1), dst(1, 1);
    src.Surface.SetPixel(0, 0, 0x80102030u);
    BitBlt(dst.Dc, 0, 0, 1, 1, src.Dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.Surface.Pixel(0, 0), 0x80102030u);
}

TEST(BlitsTest, BitBlt_RasterOperations)
{
    TPaper src(1, 1, RGB(0x0F, 0xF0, 0x33)), dst(1, 1, RGB(0xFF, 0x0F, 0x30));
    BitBlt(dst.Dc, 0, 0, 1, 1, src.Dc, 0, 0, SRCAND);
    EXPECT_EQ(dst.At(0, 0), RGB(0x0F, 0x00, 0x30));
    BitBlt(dst.Dc, 0, 0, 1, 1, src.Dc, 0, 0, SRCPAINT);
    EXPECT_EQ(dst.At(0, 0), RGB(0x0F, 0xF0, 0x33));
    BitBlt(dst.Dc, 0, 0, 1, 1, src.Dc, 0, 0, SRCINVERT);
    EXPECT_EQ(dst.At(0, 0), RGB(0, 0, 0));
    BitBlt(dst.Dc, 0, 0, 1, 1, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(dst.At(0, 0), RGB(255, 255, 255));
    SelectObject(dst.Dc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    BitBlt(dst.Dc, 0, 0, 1, 1, nullptr, 0, 0, PATCOPY);
    EXPECT_EQ(dst.At(0, 0), RGB(0, 0, 0));
}

TEST(BlitsTest, BitBlt_SourceOutsideItsSurface_LeavesDestination)
{
    TStrip src;
    TPaper dst(4, 1);
    BitBlt(dst.Dc, 0, 0, 4, 1, src.Dc, 2, 0, SRCCOPY);
    EXPECT_EQ(dst.Compare({"by.."}), "");
}

TEST(BlitsTest, BitBlt_WithinOneSurface_OverlapIsSafe)
{
    TStrip strip;
    BitBlt(strip.Dc, 1, 0, 3, 1, strip.Dc, 0, 0, SRCCOPY);
    EXPECT_EQ(strip.Compare({"rrgb"}), "");
}

TEST(BlitsTest, BitBlt_HonoursDestinationClipAndOrigin)
{
    TStrip src;
    TPaper dst(4, 1);
    SetViewportOrgEx(dst.Dc, 1, 0, nullptr);
    IntersectClipRect(dst.Dc, 0, 0, 2, 1);
    BitBlt(dst.Dc, 0, 0, 4, 1, src.Dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.Compare({".rg."}), "");
}

TEST(BlitsTest, TileBlt_IsTheCopiesSideBySide_CutAtTheEdges_InsideTheClip)
{
    // A 2 x 2 piece (r g / b y) of a larger picture, tiled over 5 x 3 at (1, 1) under a viewport
    // offset, with the clip cutting off the first destination column.
    TPaper src(4, 3);
    src.Surface.SetPixel(1, 1, RgbToPixel(RGB(255, 0, 0)));
    src.Surface.SetPixel(2, 1, RgbToPixel(RGB(0, 255, 0)));
    src.Surface.SetPixel(1, 2, RgbToPixel(RGB(0, 0, 255)));
    src.Surface.SetPixel(2, 2, RgbToPixel(RGB(255, 255, 0)));
    TPaper dst(8, 5);
    SetViewportOrgEx(dst.Dc, 1, 0, nullptr);
    IntersectClipRect(dst.Dc, 1, 0, 8, 5);
    ASSERT_TRUE(TileBlt(dst.Dc, Rect(0, 1, 5, 4), src.Dc, Rect(1, 1, 3, 3)));
    EXPECT_EQ(dst.Compare({"........", "..grgr..", "..ybyb..", "..grgr..", "........"}), "");

    // The same as copying piece after piece with BitBlt.
    TPaper byCopies(8, 5);
    SetViewportOrgEx(byCopies.Dc, 1, 0, nullptr);
    IntersectClipRect(byCopies.Dc, 1, 0, 8, 5);
    for (int y = 1; y < 4; y += 2)
        for (int x = 0; x < 5; x += 2)
            BitBlt(byCopies.Dc, x, y, std::min(2, 5 - x), std::min(2, 4 - y), src.Dc, 1, 1, SRCCOPY);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(dst.Surface.Pixel(x, y), byCopies.Surface.Pixel(x, y)) << x << ", " << y;
}

TEST(BlitsTest, TileBlt_LargeAreasAroundAHole_AreThePieceAfterPiece)
{
    // Pieces narrower and wider than the spans a hole in the clip leaves, over areas many pieces tall.
    TPaper src(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            src.Surface.SetPixel(x, y, 0xFF000000u | static_cast<TPixel>(y * 7 + x + 1));
    for (const TRect piece : {Rect(1, 1, 3, 4), Rect(0, 0, 7, 5), Rect(2, 0, 3, 1)}) {
        TPaper tiled(60, 40), byCopies(60, 40);
        for (TPaper* p : {&tiled, &byCopies})
            ExcludeClipRect(p->Dc, 20, 10, 31, 23);
        ASSERT_TRUE(TileBlt(tiled.Dc, Rect(3, 2, 57, 39), src.Dc, piece));
        for (int y = 2; y < 39; y += piece.Height())
            for (int x = 3; x < 57; x += piece.Width())
                BitBlt(byCopies.Dc, x, y, std::min(piece.Width(), 57 - x), std::min(piece.Height(), 39 - y), src.Dc,
                    piece.Left, piece.Top, SRCCOPY);
        EXPECT_TRUE(std::equal(tiled.Surface.Bits(), tiled.Surface.Bits() + 60 * 40, byCopies.Surface.Bits()))
            << piece.Width() << " x " << piece.Height();
    }
}

TEST(BlitsTest, TileBlt_PieceOutsideItsPictureOrOnTheSamePicture_DrawsNothing)
{
    TStrip src;
    TPaper dst(4, 2);
    EXPECT_FALSE(TileBlt(dst.Dc, Rect(0, 0, 4, 2), src.Dc, Rect(2, 0, 5, 1)));
    EXPECT_FALSE(TileBlt(src.Dc, Rect(0, 0, 4, 1), src.Dc, Rect(0, 0, 1, 1)));
    EXPECT_EQ(dst.Compare({"....", "...."}), "");
    EXPECT_EQ(src.Compare({"rgby"}), "");
}

TEST(BlitsTest, StretchBlt_EnlargementRepeatsEachPixel)
{
    TStrip src;
    TPaper dst(8, 2);
    StretchBlt(dst.Dc, 0, 0, 8, 2, src.Dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.Compare({"rrggbbyy", "rrggbbyy"}), "");
}

TEST(BlitsTest, StretchBlt_ReductionTakesPixelUnderCentre)
{
    TStrip src;
    TPaper dst(2, 1);
    StretchBlt(dst.Dc, 0, 0, 2, 1, src.Dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.Compare({"gy"}), "");
    TPaper one(1, 1);
    StretchBlt(one.Dc, 0, 0, 1, 1, src.Dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(one.Compare({"b"}), "");
}

TEST(BlitsTest, StretchBlt_NegativeWidthMirrors)
{
    TStrip src;
    TPaper dst(4, 1);
    StretchBlt(dst.Dc, 3, 0, -4, 1, src.Dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.Compare({"ybgr"}), "");
}

TEST(BlitsTest, StretchBlt_HugeSizes_RefusedWithoutCrash)
{
    TStrip src;
    TPaper dst(2, 2);
    EXPECT_FALSE(StretchBlt(dst.Dc, 0, 0, INT32_MAX, INT32_MAX, src.Dc, 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(dst.CountNot(Rect(0, 0, 2, 2), RGB(255, 255, 255)), 0);
}

TEST(BlitsTest, TransparentBlt_SkipsKeyColour)
{
    TStrip src;
    TPaper dst(4, 1, RGB(0, 0, 0));
    TransparentBlt(dst.Dc, 0, 0, 4, 1, src.Dc, 0, 0, 4, 1, RGB(0, 255, 0));
    EXPECT_EQ(dst.Compare({"r#by"}), "");
}

TEST(BlitsTest, BlendPixel_FormulaAndShortcuts)
{
    const TPixel white = 0xFFFFFFFFu;
    EXPECT_EQ(BlendPixel(0xFF000000u, white, 0), white);
    EXPECT_EQ(BlendPixel(0x00102030u, white, 255), 0xFF102030u);
    // 128 over white: (f * 128 + 255 * 127) >> 8 per channel.
    const TPixel r = BlendPixel(0x80000000u, white, 128);
    EXPECT_EQ(r, 0xFF000000u | ((255u * 127 >> 8) * 0x010101u));
}

TEST(BlitsTest, BlendPixelLine_UsesEachPixelsAlpha)
{
    const TPixel src[3] = {0x00FF0000u, 0xFFFF0000u, 0x800000FFu};
    TPixel dst[3] = {0xFF00FF00u, 0xFF00FF00u, 0xFF000000u};
    BlendPixelLine(src, dst, 3);
    EXPECT_EQ(dst[0], 0xFF00FF00u);
    EXPECT_EQ(dst[1], 0xFFFF0000u);
    EXPECT_EQ(dst[2], 0xFF000000u | ((255u * 128) >> 8));
}

TEST(BlitsTest, AlphaBlend_PerPixelAndConstant)
{
    TPaper src(2, 1), dst(2, 1, RGB(0, 0, 0));
    src.Surface.SetPixel(0, 0, 0xFFFFFFFFu);
    src.Surface.SetPixel(1, 0, 0x00FFFFFFu);
    BLENDFUNCTION bf;
    bf.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dst.Dc, 0, 0, 2, 1, src.Dc, 0, 0, 2, 1, bf);
    EXPECT_EQ(dst.Compare({".#"}), "");
    TPaper half(1, 1, RGB(0, 0, 0));
    bf.AlphaFormat = 0;
    bf.SourceConstantAlpha = 128;
    AlphaBlend(half.Dc, 0, 0, 1, 1, src.Dc, 0, 0, 1, 1, bf);
    EXPECT_EQ(half.At(0, 0), RGB(127, 127, 127));
}

// Every weight a blend can take (each constant with each source alpha), over destinations of varied
// colour and alpha, at widths whose last pixels fall outside a run of four: the result is the formula's,
// channel by channel, to the bit.
TEST(BlitsTest, AlphaBlend_EveryWeightGivesTheFormulasPixel)
{
    const int width = 259;
    TSurface src(width, 1), dst(width, 1);
    const auto srcPixel = [](int x) { return (static_cast<TPixel>(x & 0xFF) << 24) | static_cast<TPixel>(x * 0x9E3779u & 0xFFFFFF); };
    const auto dstPixel = [](int x) { return static_cast<TPixel>(x * 0x2545F491u); };
    const auto expected = [](TPixel f, TPixel b, unsigned a) -> TPixel {
        if (a == 0) return b;
        if (a == 255) return f | 0xFF000000u;
        TPixel r = 0xFF000000u;
        for (int shift : {0, 8, 16})
            r |= ((((f >> shift) & 0xFF) * a + ((b >> shift) & 0xFF) * (255 - a)) >> 8) << shift;
        return r;
    };
    HDC sdc = CreateSurfaceDC(&src, {0, 0}, nullptr), ddc = CreateSurfaceDC(&dst, {0, 0}, nullptr);
    for (int x = 0; x < width; ++x) src.ScanLine(0)[x] = srcPixel(x);
    for (bool perPixel : {true, false})
        for (unsigned constant = 0; constant <= 255; ++constant) {
            for (int x = 0; x < width; ++x) dst.ScanLine(0)[x] = dstPixel(x);
            BLENDFUNCTION bf;
            bf.SourceConstantAlpha = static_cast<BYTE>(constant);
            bf.AlphaFormat = perPixel ? AC_SRC_ALPHA : 0;
            AlphaBlend(ddc, 0, 0, width, 1, sdc, 0, 0, width, 1, bf);
            for (int x = 0; x < width; ++x) {
                const unsigned a = perPixel ? ((srcPixel(x) >> 24) * constant + 127) / 255 : constant;
                // A full constant weight without the source's alpha is a plain copy.
                const TPixel want = !perPixel && constant == 255 ? srcPixel(x) : expected(srcPixel(x), dstPixel(x), a);
                ASSERT_EQ(dst.ScanLine(0)[x], want) << "x " << x << " constant " << constant << " per pixel " << perPixel;
            }
        }
    DeleteDC(sdc);
    DeleteDC(ddc);
}

TEST(BlitsTest, SetDIBitsToDevice_TopDown24Bit)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = -2;
    bi.bmiHeader.biBitCount = 24;
    std::vector<std::uint8_t> bits = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0};
    TPaper dst(3, 3);
    EXPECT_EQ(SetDIBitsToDevice(dst.Dc, 1, 1, 2, 2, 0, 0, 0, 2, bits.data(), &bi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(dst.Compare({"...", ".rg", ".b#"}), "");
}

TEST(BlitsTest, BitBlt_ScrollDownWithinOneSurface_CopiesOriginalRows)
{
    TPaper p(1, 3);
    p.Surface.SetPixel(0, 0, RgbToPixel(RGB(255, 0, 0)));
    p.Surface.SetPixel(0, 1, RgbToPixel(RGB(0, 255, 0)));
    BitBlt(p.Dc, 0, 1, 1, 2, p.Dc, 0, 0, SRCCOPY);
    EXPECT_EQ(p.Compare({"r", "r", "g"}), "");
}
