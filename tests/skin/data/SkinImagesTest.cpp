#include "skin/data/SkinImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/support/TestPictures.h"

namespace {

using TRows = std::vector<std::string>;

// Every letter stands for its own colour; 'W' is white (what a new TBitmap area holds).
COLORREF ColorOf(char c)
{
    if (c == 'W')
        return 0xFFFFFF;
    const int v = static_cast<unsigned char>(c);
    return RGB(v, (v * 3) & 0xFF, (v * 7) & 0xFF);
}

const std::map<char, COLORREF>& Legend()
{
    static const std::map<char, COLORREF> legend = [] {
        std::map<char, COLORREF> m;
        for (char c = 'A'; c <= 'Z'; ++c)
            m[c] = ColorOf(c);
        for (char c = 'a'; c <= 'z'; ++c)
            m[c] = ColorOf(c);
        return m;
    }();
    return legend;
}

void Paint(TBitmap& b, const TRows& rows)
{
    b.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.Handle()->SetPixel(x, y, RgbToPixel(ColorOf(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)])));
}

std::string Check(TBitmap& b, const TRows& rows)
{
    if (b.Width() != static_cast<int>(rows[0].size()) || b.Height() != static_cast<int>(rows.size()))
        return "size " + std::to_string(b.Width()) + "x" + std::to_string(b.Height());
    return ComparePixels(*b.Handle(), 0, 0, rows, Legend());
}

// A nine-part picture: 2-pixel corners, 4-pixel edges, a 4 x 2 client area.
const TRows NineSource = {
    "AAtuvwBB",
    "AAtuvwBB",
    "llcdefrr",
    "mmghijss",
    "CCxyzqDD",
    "CCxyzqDD",
};
const TRect NineClient{2, 2, 6, 4};

// The usual rule for a destination of w x h: left and top values kept, right and bottom ones moved.
void NineAt(TBitmap& B, TBitmap& SB, int w, int h, bool stretchEdges, bool stretchClient, int stretchType = 0,
    bool drawClient = true)
{
    const int r = w - 2, b = h - 2;
    CreateSkinImage({2, 2}, {6, 2}, {2, 4}, {6, 4}, NineClient, {2, 2}, {r, 2}, {2, b}, {r, b}, {2, 2, r, b}, &B, &SB,
        {0, 0, 8, 6}, w, h, drawClient, stretchEdges, stretchEdges, stretchEdges, stretchEdges, stretchClient,
        stretchType);
}

}  // namespace

TEST(SkinImagesHorizontal, TilesTheMiddleAndCutsTheLastTile)
{
    TBitmap sb, b;
    Paint(sb, {"LmnR"});
    CreateHSkinImage(1, 1, &b, &sb, {0, 0, 4, 1}, 6, 99, false);
    EXPECT_EQ(Check(b, {"LmnmnR"}), "");   // two whole tiles
    CreateHSkinImage(1, 1, &b, &sb, {0, 0, 4, 1}, 7, 99, false);
    EXPECT_EQ(Check(b, {"LmnmnmR"}), "");  // a third tile one pixel wide, from the piece's start
}

TEST(SkinImagesHorizontal, StretchesTheMiddle)
{
    TBitmap sb, b;
    Paint(sb, {"LmnR"});
    CreateHSkinImage(1, 1, &b, &sb, {0, 0, 4, 1}, 6, 0, true);
    EXPECT_EQ(Check(b, {"LmmnnR"}), "");
}

TEST(SkinImagesHorizontal, EndsFillingTheWidthOrOverlapping)
{
    TBitmap sb, b;
    Paint(sb, {"abXcd"});
    CreateHSkinImage(2, 2, &b, &sb, {0, 0, 5, 1}, 4, 0, false);
    EXPECT_EQ(Check(b, {"abcd"}), "");
    CreateHSkinImage(2, 2, &b, &sb, {0, 0, 5, 1}, 3, 0, false);
    EXPECT_EQ(Check(b, {"acd"}), "");   // the right end is drawn last; no middle
    CreateHSkinImage(2, 2, &b, &sb, {0, 0, 5, 1}, 3, 0, true);
    EXPECT_EQ(Check(b, {"acd"}), "");
}

TEST(SkinImagesHorizontal, EndsWiderThanTheSourceDrawNoMiddle)
{
    TBitmap sb, b;
    Paint(sb, {"abc"});
    b.SetSize(5, 1);
    b.Handle()->Fill(0xFFFFFFFFu);
    CreateHSkinImage(2, 2, &b, &sb, {0, 0, 3, 1}, 5, 0, true);
    EXPECT_EQ(Check(b, {"abWbc"}), "");
    CreateHSkinImage(2, 2, &b, &sb, {0, 0, 3, 1}, 5, 0, false);
    EXPECT_EQ(Check(b, {"abWbc"}), "");
}

TEST(SkinImagesHorizontal, ZeroAndOnePixelWide)
{
    TBitmap sb, b;
    Paint(sb, {"LmnR"});
    CreateHSkinImage(1, 1, &b, &sb, {0, 0, 4, 1}, 0, 0, false);
    EXPECT_TRUE(b.Empty());
    CreateHSkinImage(1, 1, &b, &sb, {0, 0, 4, 1}, 1, 0, true);
    EXPECT_EQ(Check(b, {"R"}), "");
}

TEST(SkinImagesHorizontal, SkinRectOutsideThePictureIsNotRead)
{
    TBitmap sb, b;
    Paint(sb, {"abcd"});
    b.SetSize(4, 1);
    b.Handle()->Fill(0xFFFFFFFFu);
    CreateHSkinImage(1, 1, &b, &sb, {2, 0, 6, 1}, 4, 0, false);
    EXPECT_EQ(Check(b, {"cdWW"}), "");
    // An inverted skin rectangle draws nothing either.
    b.Handle()->Fill(0xFFFFFFFFu);
    CreateHSkinImage(0, 0, &b, &sb, {3, 0, 1, 1}, 4, 0, true);
    EXPECT_EQ(Check(b, {"WWWW"}), "");
}

TEST(SkinImagesHorizontal, LeftAndFillVariants)
{
    TBitmap sb, b;
    Paint(sb, {"LmnR"});
    CreateHSkinImageLeft(1, 1, &b, &sb, {0, 0, 4, 1}, 6, 0, false);
    EXPECT_EQ(Check(b, {"Lmnmnm"}), "");
    CreateHFillImage(1, 1, &b, &sb, {0, 0, 4, 1}, 5, 0, false);
    EXPECT_EQ(Check(b, {"mnmnm"}), "");
    CreateHFillImage(1, 1, &b, &sb, {0, 0, 4, 1}, 4, 0, true);
    EXPECT_EQ(Check(b, {"mmnn"}), "");
}

TEST(SkinImagesVertical, TilesRowsBetweenTheEnds)
{
    TBitmap sb, b;
    Paint(sb, {"T", "m", "n", "B"});
    CreateVSkinImage(1, 1, &b, &sb, {0, 0, 1, 4}, 99, 5, false);
    EXPECT_EQ(Check(b, {"T", "m", "n", "m", "B"}), "");
    CreateVSkinImage(1, 1, &b, &sb, {0, 0, 1, 4}, 99, 2, true);
    EXPECT_EQ(Check(b, {"T", "B"}), "");
}

TEST(SkinImagesNinePart, AtSourceSizeReproducesTheSourceWhateverTheFlags)
{
    TBitmap sb, b;
    Paint(sb, NineSource);
    for (int flags = 0; flags < 8; ++flags) {
        NineAt(b, sb, 8, 6, flags & 1, flags & 2, flags >> 2 & 1 ? 1 : 0);
        EXPECT_EQ(Check(b, NineSource), "") << "flags " << flags;
    }
}

TEST(SkinImagesNinePart, LargerTiled)
{
    TBitmap sb, b;
    Paint(sb, NineSource);
    NineAt(b, sb, 12, 8, false, false);
    SaveTestPicture(*b.Handle(), "SkinImages_NineTiled");
    EXPECT_EQ(Check(b, {
        "AAtuvwtuvwBB",
        "AAtuvwtuvwBB",
        "llcdefcdefrr",
        "mmghijghijss",
        "llcdefcdefrr",
        "mmghijghijss",
        "CCxyzqxyzqDD",
        "CCxyzqxyzqDD",
    }), "");
}

TEST(SkinImagesNinePart, LargerStretched)
{
    TBitmap sb, b;
    Paint(sb, NineSource);
    NineAt(b, sb, 12, 8, true, true);
    EXPECT_EQ(Check(b, {
        "AAttuuvvwwBB",
        "AAttuuvvwwBB",
        "llccddeeffrr",
        "llccddeeffrr",
        "mmgghhiijjss",
        "mmgghhiijjss",
        "CCxxyyzzqqDD",
        "CCxxyyzzqqDD",
    }), "");
}

TEST(SkinImagesNinePart, OnePixelPiecesTileEverywhere)
{
    TBitmap sb, b;
    Paint(sb, {"AtB", "lcr", "CxD"});
    CreateSkinImage({1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 1, 2, 2}, {1, 1}, {4, 1}, {1, 3}, {4, 3}, {1, 1, 4, 3}, &b, &sb,
        {0, 0, 3, 3}, 5, 4, true, false, false, false, false, false, 0);
    EXPECT_EQ(Check(b, {"AtttB", "lcccr", "lcccr", "CxxxD"}), "");
}

TEST(SkinImagesNinePart, StretchType1DrawsClippedCopiesSideBySide)
{
    TBitmap sb, b;
    Paint(sb, NineSource);
    NineAt(b, sb, 10, 6, false, true, 1);   // client 6 wide: one copy and a cut one
    EXPECT_EQ(Check(b, {
        "AAtuvwtuBB",
        "AAtuvwtuBB",
        "llcdefcdrr",
        "mmghijghss",
        "CCxyzqxyDD",
        "CCxyzqxyDD",
    }), "");
    NineAt(b, sb, 7, 6, false, true, 1);    // client 3 wide: one clipped copy
    EXPECT_EQ(Check(b, {"AAtuvBB", "AAtuvBB", "llcderr", "mmghiss", "CCxyzDD", "CCxyzDD"}), "");
}

TEST(SkinImagesNinePart, WithoutClientLeavesTheClientAlone)
{
    TBitmap sb, b;
    Paint(sb, NineSource);
    b.SetSize(8, 6);
    b.Handle()->Fill(0xFFFFFFFFu);
    NineAt(b, sb, 8, 6, false, false, 0, false);
    EXPECT_EQ(Check(b, {"AAtuvwBB", "AAtuvwBB", "llWWWWrr", "mmWWWWss", "CCxyzqDD", "CCxyzqDD"}), "");
}

TEST(SkinImagesNinePart, TinySizesDrawOnlyWhatFits)
{
    TBitmap sb, b;
    Paint(sb, NineSource);
    for (int w = 0; w <= 4; ++w)
        for (int h = 0; h <= 4; ++h) {
            NineAt(b, sb, w, h, w % 2 == 0, h % 2 == 0, 1);
            if (w == 0 || h == 0)
                EXPECT_TRUE(b.Empty());
            else
                EXPECT_TRUE(b.Width() == w && b.Height() == h);
        }
    NineAt(b, sb, 4, 4, false, false);
    EXPECT_EQ(Check(b, {"AABB", "AABB", "CCDD", "CCDD"}), "");
}

TEST(SkinImagesNinePart, EmptySkinBitmapOnlyResizes)
{
    TBitmap sb, b;
    NineAt(b, sb, 5, 3, false, false);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(Check(b, {"WWWWW", "WWWWW", "WWWWW"}), "");
}

TEST(SkinImagesNinePart, ExHasNoRightSide)
{
    TBitmap sb, b;
    Paint(sb, NineSource);
    CreateSkinImageEx({2, 2}, {6, 2}, {2, 4}, {6, 4}, NineClient, {2, 2}, {8, 2}, {2, 4}, {8, 4}, {2, 2, 8, 4}, &b,
        &sb, {0, 0, 8, 6}, 10, 6, true, false, false, false, false, false, 0);
    EXPECT_EQ(Check(b, {
        "AAtuvwtuvw",
        "AAtuvwtuvw",
        "llcdefcdef",
        "mmghijghij",
        "CCxyzqxyzq",
        "CCxyzqxyzq",
    }), "");
}

TEST(SkinImagesNinePart, StretchVariantUsesThePresentSize)
{
    TBitmap sb, b, expected;
    Paint(sb, NineSource);
    b.SetSize(12, 8);
    CreateStretchSkinImage(&b, &sb, {0, 0, 8, 6}, NineClient, true);
    NineAt(expected, sb, 12, 8, true, true);
    ASSERT_EQ(b.Width(), expected.Width());
    EXPECT_TRUE(std::equal(b.Handle()->Bits(), b.Handle()->Bits() + 12 * 8, expected.Handle()->Bits()));
}

TEST(SkinImagesPair, FourStripsOfTheFrame)
{
    TBitmap sb, l, t, r, b;
    Paint(sb, NineSource);
    CreateSkinImagePair({2, 2}, {6, 2}, {2, 4}, {6, 4}, NineClient, {2, 2}, {8, 2}, {2, 6}, {8, 6}, {2, 2, 8, 6}, &l,
        &t, &r, &b, &sb, {0, 0, 8, 6}, 10, 8, false, false, false, false);
    // Tiled borders start at the strip's left edge; the corners are copied over them.
    EXPECT_EQ(Check(t, {"AAvwtuvwBB", "AAvwtuvwBB"}), "");
    EXPECT_EQ(Check(b, {"CCzqxyzqDD", "CCzqxyzqDD"}), "");
    EXPECT_EQ(Check(l, {"ll", "mm", "ll", "mm"}), "");
    EXPECT_EQ(Check(r, {"rr", "ss", "rr", "ss"}), "");
}

TEST(SkinImagesGlyph, DrawsOnlyAValidCell)
{
    TBitmap glyph, target;
    // Two cells 2 wide; the bottom-left pixel of each cell is its transparent colour.
    Paint(glyph, {"abcd", "WeWf"});
    target.SetSize(2, 2);
    target.Handle()->Fill(RgbToPixel(ColorOf('z')));
    for (int index : {0, 3, -1}) {
        DrawGlyph(target.Canvas(), 0, 0, &glyph, 2, index);
        EXPECT_EQ(Check(target, {"zz", "zz"}), "") << index;
    }
    DrawGlyph(target.Canvas(), 0, 0, &glyph, 0, 1);
    EXPECT_EQ(Check(target, {"zz", "zz"}), "");
    DrawGlyph(target.Canvas(), 0, 0, &glyph, 2, 2);
    EXPECT_EQ(Check(target, {"cd", "zf"}), "");
}
