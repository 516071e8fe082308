#include "skin/data/SkinDrawUtils.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/TestPictures.h"
#include "platform/vcl/TCustomControl.h"
#include "platform/win/Messages.h"

namespace {

struct TLayout {
    TPoint Glyph, Text;
};

TLayout Layout(int layout, int margin, int spacing = 4, int gw = 16, int gh = 10)
{
    TLayout l{{-99, -99}, {-99, -99}};
    CalcButtonLayout(layout, {0, 0, 100, 40}, gw, gh, 40, 12, margin, spacing, l.Glyph, l.Text);
    return l;
}

const std::map<char, COLORREF> Legend = {{'.', 0xFFFFFF}, {'#', 0x000000}};

std::string Pixels(TBitmap& b, int x, int y, const std::vector<std::string>& rows)
{
    return ComparePixels(*b.Handle(), x, y, rows, Legend);
}

}  // namespace

TEST(SkinDrawUtilsLayout, CentredPairForEveryLayout)
{
    TLayout l = Layout(0, -1);
    EXPECT_EQ(l.Glyph, (TPoint{20, 15}));   // 50 - 30
    EXPECT_EQ(l.Text, (TPoint{40, 14}));    // 50 + 30 - 40
    l = Layout(1, -1);
    EXPECT_EQ(l.Text, (TPoint{20, 14}));
    EXPECT_EQ(l.Glyph, (TPoint{64, 15}));
    l = Layout(2, -1);                      // hh = (12 + 10 + 4) / 2 = 13
    EXPECT_EQ(l.Glyph, (TPoint{42, 7}));
    EXPECT_EQ(l.Text, (TPoint{30, 21}));
    l = Layout(3, -1);
    EXPECT_EQ(l.Text, (TPoint{30, 7}));
    EXPECT_EQ(l.Glyph, (TPoint{42, 23}));
}

TEST(SkinDrawUtilsLayout, WithMarginForEveryLayout)
{
    TLayout l = Layout(0, 3);
    EXPECT_EQ(l.Glyph, (TPoint{3, 15}));
    EXPECT_EQ(l.Text, (TPoint{23, 14}));
    l = Layout(1, 3);
    EXPECT_EQ(l.Glyph, (TPoint{81, 15}));
    EXPECT_EQ(l.Text, (TPoint{37, 14}));
    l = Layout(2, 3);
    EXPECT_EQ(l.Glyph, (TPoint{42, 3}));
    EXPECT_EQ(l.Text, (TPoint{30, 17}));
    l = Layout(3, 3);
    EXPECT_EQ(l.Glyph, (TPoint{42, 27}));
    EXPECT_EQ(l.Text, (TPoint{30, 11}));
}

TEST(SkinDrawUtilsLayout, SpacingIgnoredWithoutGlyph)
{
    TLayout l = Layout(0, 3, 4, 0, 0);
    EXPECT_EQ(l.Text.X, 3);
    l = Layout(0, -1, 4, 0, 0);
    EXPECT_EQ(l.Text.X, 30);
}

TEST(SkinDrawUtilsLayout, UnknownLayoutPlacesAsLayoutZero)
{
    for (int code : {4, -1, 77}) {
        TLayout l = Layout(code, -1), zero = Layout(0, -1);
        EXPECT_EQ(l.Glyph, zero.Glyph) << code;
        EXPECT_EQ(l.Text, zero.Text) << code;
    }
}

TEST(SkinDrawUtilsText, ShortensToFitWithEllipsis)
{
    TBitmap b(10, 10);
    TCanvas* c = b.Canvas();
    std::string s = "Hello";
    CorrectTextByWidth(c, s, 1000);
    EXPECT_EQ(s, "Hello");
    s = "Converting";
    CorrectTextByWidth(c, s, 1);
    EXPECT_EQ(s, "...");
    s = "Converting";
    const int w = c->TextWidth("Conv...");
    CorrectTextByWidth(c, s, w);
    EXPECT_EQ(s, "Conv...");
}

TEST(SkinDrawUtilsText, CutsWholeCodePoints)
{
    TBitmap b(10, 10);
    std::string s = "\xC3\xA9t\xC3\xA9\xE2\x82\xAC\xE2\x82\xAC";   // "été€€"
    const int w = b.Canvas()->TextWidth("\xC3\xA9t\xC3\xA9...");
    CorrectWideTextByWidth(b.Canvas(), s, w);
    EXPECT_EQ(s, "\xC3\xA9t\xC3\xA9...");
    s = "\xE2\x82\xAC\xE2\x82\xAC";
    CorrectTextByWidth(b.Canvas(), s, 1);
    EXPECT_EQ(s, "...");
}

TEST(SkinDrawUtilsGlyphs, GlyphAndTextWithNoCellsDrawsOnlyTheCaption)
{
    TBitmap glyph(8, 4), b(40, 20);
    glyph.Handle()->Fill(0xFF000000u);
    glyph.Handle()->SetPixel(0, 3, 0xFFFFFFFFu);
    DrawGlyphAndText(b.Canvas(), {0, 0, 40, 20}, -1, 2, 0, "", &glyph, 0, 1, clRed, false, false);
    EXPECT_EQ(ComparePixels(*b.Handle(), 0, 0, std::vector<std::string>(20, std::string(40, '.')), Legend), "");
    DrawGlyphAndText(b.Canvas(), {0, 0, 40, 20}, -1, 2, 0, "", &glyph, 2, 1, clRed, false, false);
    // One 4 x 4 cell at (20 - (4 + 2) / 2, 10 - 4 / 2); its bottom-left pixel is the transparent colour.
    EXPECT_EQ(Pixels(b, 16, 7, {"......", ".####.", ".####.", ".####.", "..###.", "......"}), "");
}

TEST(SkinDrawUtilsGlyphs, MarkerWithoutGlyphOrCaptionFillsTheButton)
{
    TBitmap b(12, 12);
    DrawGlyphAndText(b.Canvas(), {0, 0, 12, 12}, -1, 2, 0, "", nullptr, 1, 1, clBlack, true, false);
    EXPECT_EQ(Pixels(b, 3, 3, {"......", ".#####", ".#####", ".#####", ".#####", "......"}), "");
    EXPECT_EQ(Pixels(b, 9, 4, {"#..", "#.."}), "");   // (Left + 4, Top + 4, Right - 2, Bottom - 4)
}

TEST(SkinDrawUtilsGlyphs, IndexOutsideTheCellsKeepsTheGlyphPlaceEmpty)
{
    TBitmap glyph(8, 4), b(40, 20);
    glyph.Handle()->Fill(0xFF000000u);
    DrawGlyphAndText(b.Canvas(), {0, 0, 40, 20}, -1, 2, 0, "", &glyph, 2, 3, clBlack, true, false);
    // No glyph drawn, but its marker bar still marks where it would be (x 17 .. 20, rows 10 .. 12).
    EXPECT_EQ(Pixels(b, 17, 8, {"....", "....", "####", "####", "####", "...."}), "");
}

TEST(SkinDrawUtilsGlyphs, CaptionButtonGlyphs)
{
    TBitmap b(12, 11);
    DrawCloseImage(b.Canvas(), 0, 0, clBlack);
    SaveTestPicture(*b.Handle(), "SkinDrawUtils_Close");
    EXPECT_EQ(Pixels(b, 0, 0, {
        "...........",
        ".##.....##.",
        "..##...##..",
        "...##.##...",
        "....###....",
        "....###....",
        "...##.##...",
        "..##...##..",
        ".##.....##.",
        "...........",
        "...........",
    }), "");
    TBitmap m(12, 11);
    DrawMaximizeImage(m.Canvas(), 0, 0, clBlack);
    EXPECT_EQ(Pixels(m, 0, 0, {"###########", "###########", "#.........#"}), "");
    EXPECT_EQ(Pixels(m, 0, 9, {"###########", "..........."}), "");
}

TEST(SkinDrawUtilsGlyphs, ArrowsPointWhereTheCodeSays)
{
    TBitmap b(9, 9);
    DrawArrowImage(b.Canvas(), {0, 0, 9, 9}, clBlack, 5);
    EXPECT_EQ(Pixels(b, 0, 0, std::vector<std::string>(9, std::string(9, '.'))), "");
    DrawArrowImage(b.Canvas(), {0, 0, 9, 9}, clBlack, 4);   // centre (4, 4), tip at y 6
    EXPECT_EQ(Pixels(b, 0, 3, {".#######.", "..#####..", "...###...", "....#....", "........."}), "");
    TBitmap l(9, 9);
    DrawArrowImage(l.Canvas(), {0, 0, 9, 9}, clBlack, 1);
    EXPECT_EQ(Pixels(l, 2, 1, {"...#", "..##", ".###", "####", ".###", "..##", "...#"}), "");
}

TEST(SkinDrawUtilsGlyphs, CheckMarkAndFrame)
{
    TBitmap b(9, 9);
    DrawCheckImage(b.Canvas(), 0, 0, clBlack);
    EXPECT_EQ(Pixels(b, 0, 0, {
        "........",
        "......#.",
        ".....##.",
        "#...###.",
        "##.###..",
        "#####...",
        ".###....",
        "..#.....",
    }), "");
    TBitmap f(5, 4);
    DrawFrame3D(f.Canvas(), {0, 0, 5, 4}, clBlack, clRed);
    f.Handle()->SetPixel(0, 3, f.Handle()->Pixel(0, 3));
    EXPECT_EQ(ComparePixels(*f.Handle(), 0, 0, {"####r", "#...r", "#...r", "rrrrr"},
        {{'#', 0}, {'.', 0xFFFFFF}, {'r', 0x0000FF}}), "");
}

namespace {

class TSquare : public TGraphicControl {
public:
    TSquare(TComponent* Owner, TColor C) : TGraphicControl(Owner), FC(C) {}

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(FC);
        Canvas()->FillRect({0, 0, Width(), Height()});
    }

private:
    TColor FC;
};

}  // namespace

TEST(SkinDrawUtilsBackground, ParentAndLowerGraphicControlsShowThrough)
{
    TCustomControl parent(nullptr);
    parent.SetBounds(0, 0, 40, 40);
    parent.SetColor(clLime);
    auto* below = new TSquare(&parent, clBlue);
    below->SetBounds(0, 0, 8, 8);
    below->SetParent(&parent);
    auto* control = new TSquare(&parent, clRed);
    control->SetBounds(5, 5, 10, 10);
    control->SetParent(&parent);
    auto* above = new TSquare(&parent, clYellow);
    above->SetBounds(0, 0, 40, 40);
    above->SetParent(&parent);

    TBitmap b(10, 10);
    PaintParentBackground(control, b.Canvas());
    EXPECT_EQ(ComparePixels(*b.Handle(), 0, 0, {"bbbg", "bbbg", "bbbg", "gggg"}, {{'b', 0xFF0000}, {'g', 0x00FF00}}), "");
    EXPECT_EQ(b.Handle()->Pixel(9, 9) & 0xFFFFFF, 0x00FF00u);
    EXPECT_FALSE(parent.ControlState().Contains(csPaintCopy));
}
