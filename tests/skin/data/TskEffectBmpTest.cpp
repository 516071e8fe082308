#include "skin/data/TskEffectBmp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/TestPictures.h"
#include "platform/gfx/Text.h"
#include "platform/vcl/TBitmap.h"
#include "skin/data/TskBitmap.h"

namespace {

TskEffectBmp Plain(int w, int h, std::uint32_t rgb)
{
    TSurface s(w, h);
    s.Fill(0xFF000000u | rgb);
    return TskEffectBmp(&s);
}

// Column x of a picture w wide holds grey level x * 10 (self) or 200 + x (other).
TskEffectBmp Ramp(int w, int h, int base, int step)
{
    TSurface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TPixel g = static_cast<TPixel>(base + x * step);
            s.SetPixel(x, y, 0xFF000000u | g << 16 | g << 8 | g);
        }
    return TskEffectBmp(&s);
}

int Grey(const TskEffectBmp& b, int x, int y = 0) { return static_cast<int>(b.Pixel(x, y) & 0xFF); }

const double NaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TEST(TskEffectBmpMorph, EndsAndHalfway)
{
    TskEffectBmp a = Plain(3, 2, 0x000000), b = Plain(3, 2, 0xFFFFFF);
    a.Morph(b, 0);
    EXPECT_EQ(a.Pixel(0, 0), 0x000000u);
    a.Morph(b, NaN);
    EXPECT_EQ(a.Pixel(0, 0), 0x000000u);
    a.Morph(b, 0.5);
    EXPECT_EQ(a.Pixel(2, 1), 0x808080u);   // 127.5 rounds to even
    a.Morph(b, 7);
    EXPECT_EQ(a.Pixel(1, 1), 0xFFFFFFu);
}

TEST(TskEffectBmpMorph, DifferentSizesChangeNothing)
{
    TskEffectBmp a = Plain(3, 2, 0), b = Plain(2, 3, 0xFFFFFF);
    a.Morph(b, 1);
    a.MorphGrad(b, 1);
    a.MorphPush(b, 1);
    a.MorphLeftSlide(b, 1);
    EXPECT_EQ(a.Pixel(0, 0), 0u);
}

TEST(TskEffectBmpMorph, RectOnlyInsideBothPictures)
{
    TskEffectBmp a = Plain(4, 4, 0), b = Plain(3, 3, 0xFFFFFF);
    a.MorphRect(b, {-2, 2, 6, 9}, 1, 1, 0);   // other columns from 1 + x - (-2)
    EXPECT_EQ(a.Pixel(0, 2), 0u);             // other column 3: outside other
    EXPECT_EQ(a.Pixel(0, 1), 0u);
    EXPECT_EQ(a.Pixel(3, 3), 0u);
    a.MorphRect(b, {1, 1, 3, 3}, 1, 1, 1);
    EXPECT_EQ(a.Pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(a.Pixel(2, 2), 0xFFFFFFu);
    EXPECT_EQ(a.Pixel(3, 2), 0u);
}

TEST(TskEffectBmpMorph, GradAtZeroAlreadyChangesTheMiddle)
{
    TskEffectBmp a = Plain(10, 2, 0x000000), b = Plain(10, 2, 0xFFFFFF);
    a.MorphGrad(b, 0);
    EXPECT_EQ(Grey(a, 5), 255);
    EXPECT_EQ(Grey(a, 0), 0);
    EXPECT_EQ(Grey(a, 9), 51);   // 0.8 * 0 + 0.2 * 255
}

TEST(TskEffectBmpMorph, LeftSlideAlwaysMovesAtLeastOneColumnAndNeverAll)
{
    TskEffectBmp a = Ramp(5, 1, 0, 10), b = Ramp(5, 1, 200, 1);
    a.MorphLeftSlide(b, 0);
    EXPECT_EQ(Grey(a, 0), 204);   // other's last column
    EXPECT_EQ(Grey(a, 1), 10);
    TskEffectBmp c = Ramp(5, 1, 0, 10);
    c.MorphLeftSlide(b, 1);
    EXPECT_EQ(Grey(c, 3), 204);
    EXPECT_EQ(Grey(c, 4), 40);
}

TEST(TskEffectBmpMorph, PushShiftsSelfAndBringsOtherIn)
{
    TskEffectBmp a = Ramp(5, 1, 0, 10), b = Ramp(5, 1, 200, 1);
    a.MorphPush(b, 0.2);   // n = 1
    EXPECT_EQ(Grey(a, 0), 203);
    EXPECT_EQ(Grey(a, 1), 204);
    EXPECT_EQ(Grey(a, 2), 0);
    EXPECT_EQ(Grey(a, 4), 20);
}

// Every transition on pictures one pixel wide or high, with factors in and out of range, stays inside
// the picture (the sanitizer build catches a stray write) and does something sensible.
TEST(TskEffectBmpMorph, OnePixelPicturesAndWildFactors)
{
    for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 4}, std::pair{4, 1}, std::pair{2, 1}})
        for (double k : {0.0, 0.5, 1.0, -1.0, -1e9, 1e9, NaN}) {
            TskEffectBmp a = Plain(w, h, 0), b = Plain(w, h, 0xFFFFFF);
            a.MorphGrad(b, k);
            a.MorphLeftGrad(b, k);
            a.MorphRightGrad(b, k);
            a.MorphLeftSlide(b, k);
            a.MorphRightSlide(b, k);
            a.MorphPush(b, k);
            a.Morph(b, k);
            a.MorphRect(b, {-5, -5, 50, 50}, k, 0, 0);
            EXPECT_LE(a.Pixel(w - 1, h - 1), 0xFFFFFFu);
        }
    TskEffectBmp a = Plain(1, 1, 0), b = Plain(1, 1, 0xFFFFFF);
    a.MorphLeftGrad(b, 1);
    EXPECT_EQ(a.Pixel(0, 0), 0xFFFFFFu);   // its one column starts at the new picture
}

TEST(TskEffectBmpEffects, BrightnessDarknessInvertGrayscale)
{
    TskEffectBmp a = Plain(1, 1, 0x00FF00);
    a.ChangeBrightness(0.5);
    EXPECT_EQ(a.Pixel(0, 0), 0x80FF80u);
    a.ChangeDarkness(0.5);
    EXPECT_EQ(a.Pixel(0, 0), 0x408040u);   // 64, 127.5 -> 128, 64
    a.Invert();
    EXPECT_EQ(a.Pixel(0, 0), 0xBF7FBFu);
    TskEffectBmp red = Plain(1, 1, 0xFF0000);
    red.Grayscale();
    EXPECT_EQ(red.Pixel(0, 0), 0x4C4C4Cu);   // 76
}

TEST(TskEffectBmpEffects, SplitBlurZeroChangesNothing_SamplesStayInside)
{
    TskEffectBmp a = Ramp(5, 3, 0, 50);
    a.SplitBlur(0);
    EXPECT_EQ(Grey(a, 4), 200);
    a.SplitBlur(1);
    EXPECT_EQ(Grey(a, 0), 25);   // (0 + 0 + 50 + 50) / 4
    // The upper row and the pixels to the left are read as already blurred; the lower row falls back to
    // the own row at the bottom edge.
    EXPECT_EQ(Grey(a, 4, 2), (Grey(a, 3, 1) + Grey(a, 3, 2) + Grey(a, 4, 1) + 200) / 4);
}

TEST(TskEffectBmpEffects, NoiseFollowsTheSeed)
{
    TskEffectBmp a = Plain(4, 1, 0x808080), b = Plain(4, 1, 0x808080);
    SetSkinRandSeed(42);
    a.AddNoise(50);
    SetSkinRandSeed(42);
    b.AddNoise(50);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(a.Pixel(x, 0), b.Pixel(x, 0));
        EXPECT_LE(std::abs(Grey(a, x) - 128), 25);
    }
}

TEST(TskEffectBmpBlur, RadiusOneSpreadsTriangularly)
{
    TskBitmap b;
    b.AllocateDib(5, 5);
    b.SetPixel(2, 2, 0x00FF0000u);
    BoxBlur32(&b, 0);
    EXPECT_EQ(b.Pixel(2, 2), 0x00FF0000u);
    BoxBlur32(&b, 1);
    EXPECT_EQ(b.Pixel(2, 2), 0xFF3F0000u);   // 63
    EXPECT_EQ(b.Pixel(1, 2), 0xFF1F0000u);   // 31
    EXPECT_EQ(b.Pixel(2, 3), 0xFF1F0000u);
    EXPECT_EQ(b.Pixel(3, 3), 0xFF0F0000u);   // 15
    EXPECT_EQ(b.Pixel(0, 0), 0xFF000000u);
}

TEST(TskEffectBmpBlur, AlphaFromMaskTakesTheMean)
{
    TskBitmap d, m;
    d.AllocateDib(2, 1);
    d.SetPixel(0, 0, 0xFF123456u);
    m.AllocateDib(1, 1);
    m.SetPixel(0, 0, 0xFF0A0B0Du);
    AlphaFromMask(&d, &m);
    EXPECT_EQ(d.Pixel(0, 0), 0x0B123456u);
    EXPECT_EQ(d.Pixel(1, 0), 0u);   // outside the mask: kept
}

namespace {

int Differing(const TSurface& a, const TSurface& b, const TRect& area)
{
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
}

}  // namespace

TEST(TskEffectBmpCaption, GlowSurroundsTheText)
{
    TBitmap plain(80, 30), glowing(80, 30);
    for (TBitmap* b : {&plain, &glowing}) {
        b->Canvas()->Font()->SetHeight(-14);
        b->Canvas()->Font()->SetColor(clBlack);
    }
    TRect r{10, 5, 70, 25};
    plain.Canvas()->Brush()->SetStyle(bsClear);
    TRect pr = r;
    plain.Canvas()->TextRect(pr, "Glow", DT_SINGLELINE | DT_VCENTER);
    DrawGlowText(glowing.Canvas(), r, "Glow", DT_SINGLELINE | DT_VCENTER, 0, clRed, 3);
    SaveTestPicture(*glowing.Handle(), "TskEffectBmp_Glow");
    EXPECT_GT(Differing(*plain.Handle(), *glowing.Handle(), {0, 0, 80, 30}), 20);
}

// A font taller than the text rectangle: the measured bottom lies below the picture. Only rows inside it
// are written (the sanitizer build would catch anything else), and the mirror still lands below the text.
TEST(TskEffectBmpCaption, ReflectionOfTextTallerThanItsRectangle)
{
    TBitmap plain(60, 50), mirrored(60, 50);
    for (TBitmap* b : {&plain, &mirrored})
        b->Canvas()->Font()->SetHeight(-14);
    const TRect r{5, 5, 55, 17};   // 12 pixels high
    plain.Canvas()->Brush()->SetStyle(bsClear);
    TRect pr = r;
    plain.Canvas()->TextRect(pr, "Ag", DT_SINGLELINE);
    DrawReflectionText(mirrored.Canvas(), r, "Ag", DT_SINGLELINE, 0, clBlue);
    SaveTestPicture(*mirrored.Handle(), "TskEffectBmp_Reflection");
    EXPECT_EQ(Differing(*plain.Handle(), *mirrored.Handle(), {0, 0, 60, 17}), 0);
    EXPECT_GT(Differing(*plain.Handle(), *mirrored.Handle(), {0, 17, 60, 50}), 0);
}

TEST(TskEffectBmpCaption, EmptyRectangleDrawsNoEffect)
{
    TBitmap b(10, 10);
    DrawReflectionText(b.Canvas(), {5, 5, 5, 5}, "x", 0, 0, clBlue);
    DrawGlowText(b.Canvas(), {5, 5, 4, 4}, "x", 0, 0, clBlue, 2);
    EXPECT_EQ(b.Handle()->Pixel(0, 0), 0xFFFFFFFFu);
}

TEST(TskEffectBmpDraw, DrawsOpaqueAtItsPlace)
{
    TskEffectBmp a = Plain(2, 1, 0x123456);
    TBitmap b(4, 2);
    a.DrawToDC(b.Canvas()->Handle(), 1, 1);
    EXPECT_EQ(b.Handle()->Pixel(1, 1), 0xFF123456u);
    EXPECT_EQ(b.Handle()->Pixel(2, 1), 0xFF123456u);
    EXPECT_EQ(b.Handle()->Pixel(1, 0), 0xFFFFFFFFu);
}
