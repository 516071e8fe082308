#include "platform/gfx/Text.h"

#include <gtest/gtest.h>

#include "GfxTestSupport.h"
#include "platform/gfx/Drawing.h"

namespace {

// A DC with a font selected; the font goes with the fixture.
struct TTextPaper : TPaper {
    HFONT Font;
    TTextPaper(int w, int h, const std::string& face = "Arial", int height = -14, int escapement = 0, int weight = FW_NORMAL,
        bool underline = false)
        : TPaper(w, h)
    {
        TLogFont lf;
        lf.Height = height;
        lf.Escapement = escapement;
        lf.Weight = weight;
        lf.Underline = underline;
        lf.FaceName = face;
        Font = CreateFontIndirect(lf);
        SelectObject(Dc, Font);
        SetBkMode(Dc, TRANSPARENT);
    }
    ~TTextPaper() { DeleteObject(Font); }
    int Width(const std::string& s)
    {
        TSize size;
        GetTextExtentPoint32(Dc, s, size);
        return size.cx;
    }
    // The bounding box of every pixel that is not white.
    TRect Ink() const
    {
        TRect box{Surface.Width(), Surface.Height(), 0, 0};
        for (int y = 0; y < Surface.Height(); ++y)
            for (int x = 0; x < Surface.Width(); ++x)
                if (At(x, y) != RGB(255, 255, 255)) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box;
    }
};

}  // namespace

TEST(TextTest, Extent_IsSumOfPerCodePointAdvances)
{
    TTextPaper p(10, 10);
    const int a = p.Width("A"), b = p.Width("b");
    EXPECT_GT(a, 0);
    EXPECT_EQ(p.Width("Ab"), a + b);
    EXPECT_EQ(p.Width(""), 0);
    // Multi-byte UTF-8: one code point, one advance.
    EXPECT_EQ(p.Width("\xC3\xA9\xC3\xA9"), 2 * p.Width("\xC3\xA9"));
    EXPECT_EQ(Utf8Length("a\xC3\xA9\xE2\x82\xAC"), 3);
    EXPECT_EQ(Utf8Length("\xFF\xC3"), 2);   // broken bytes count one each
}

TEST(TextTest, Metrics_NegativeHeightIsEmSizePositiveIsCell)
{
    TTextPaper em(10, 10, "Arial", -20);
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(em.Dc, tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 20);
    EXPECT_GT(tm.tmInternalLeading, 0);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    TTextPaper cell(10, 10, "Arial", 20);
    GetTextMetrics(cell.Dc, tm);
    EXPECT_EQ(tm.tmHeight, 20);
    TSize size;
    GetTextExtentPoint32(cell.Dc, "x", size);
    EXPECT_EQ(size.cy, 20);
}

TEST(TextTest, Metrics_ArialIsMetricCompatible)
{
    // Liberation Sans has Arial's advances: at an em of 2048 units scaled to 2048 px... at -100, "W" is
    // 94 (1933/2048 * 100 rounded) and a space 28.
    TTextPaper p(10, 10, "Arial", -100);
    EXPECT_EQ(p.Width("W"), 94);
    EXPECT_EQ(p.Width(" "), 28);
}

TEST(TextTest, TextOut_DrawsInTextColourInsideTheCell)
{
    TTextPaper p(60, 30);
    SetTextColor(p.Dc, RGB(0, 0, 0));
    TextOut(p.Dc, 5, 5, "Hi");
    TEXTMETRIC tm;
    GetTextMetrics(p.Dc, tm);
    const TRect ink = p.Ink();
    EXPECT_GE(ink.Left, 5);
    EXPECT_GE(ink.Top, 5);
    EXPECT_LE(ink.Right, 5 + p.Width("Hi") + 1);
    EXPECT_LE(ink.Bottom, 5 + tm.tmAscent);
    // The stem of the H is solid black: grayscale anti-aliasing keeps full coverage inside strokes.
    bool black = false;
    for (int y = ink.Top; y < ink.Bottom; ++y)
        black |= p.At(ink.Left, y) == RGB(0, 0, 0) || p.At(ink.Left + 1, y) == RGB(0, 0, 0);
    EXPECT_TRUE(black);
    SaveTestPicture(p.Surface, "gfx_textout");
}

TEST(TextTest, TextOut_OpaqueModeFillsCellWithBackground)
{
    TTextPaper p(40, 20);
    SetBkMode(p.Dc, OPAQUE);
    SetBkColor(p.Dc, RGB(255, 0, 0));
    TextOut(p.Dc, 0, 0, "a");
    TEXTMETRIC tm;
    GetTextMetrics(p.Dc, tm);
    EXPECT_EQ(p.At(0, tm.tmHeight - 1), RGB(255, 0, 0));
    EXPECT_EQ(p.At(0, tm.tmHeight), RGB(255, 255, 255));
    EXPECT_EQ(p.At(p.Width("a"), 0), RGB(255, 255, 255));
}

TEST(TextTest, ExtTextOut_ClippedToRectangle)
{
    TTextPaper p(60, 30);
    const TRect clip = Rect(0, 0, 8, 30);
    ExtTextOut(p.Dc, 2, 2, ETO_CLIPPED, &clip, "WWWW");
    EXPECT_LE(p.Ink().Right, 8);
    EXPECT_GT(p.CountNot(clip, RGB(255, 255, 255)), 0);
}

TEST(TextTest, EscapementOf900_RunsUpwards)
{
    TTextPaper p(40, 80, "Arial", -14, 900);
    TSize size;
    GetTextExtentPoint32(p.Dc, "Hello", size);
    TextOut(p.Dc, 10, 70, "Hello");
    const TRect ink = p.Ink();
    // The text's top faces left: it occupies x in [10, 10 + height) and y in (70 - width, 70].
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, 10 + size.cy);
    EXPECT_LE(ink.Bottom, 71);
    EXPECT_GE(ink.Top, 70 - size.cx - 1);
    EXPECT_GT(ink.Height(), ink.Width());
    SaveTestPicture(p.Surface, "gfx_vertical_text");
}

TEST(TextTest, DrawText_CalcRectMeasuresWithoutDrawing)
{
    TTextPaper p(100, 100);
    TRect r = Rect(10, 10, 10, 10);
    const int h = DrawText(p.Dc, "Hello", r, DT_CALCRECT | DT_SINGLELINE);
    TEXTMETRIC tm;
    GetTextMetrics(p.Dc, tm);
    EXPECT_EQ(h, tm.tmHeight);
    EXPECT_EQ(r, Rect(10, 10, 10 + p.Width("Hello"), 10 + tm.tmHeight));
    EXPECT_EQ(p.CountNot(Rect(0, 0, 100, 100), RGB(255, 255, 255)), 0);
}

TEST(TextTest, DrawText_WordBreakWrapsToWidthAndCountsLines)
{
    TTextPaper p(200, 200);
    const int w = p.Width("one two");
    TRect r = Rect(0, 0, w, 0);
    const int h = DrawText(p.Dc, "one two three", r, DT_CALCRECT | DT_WORDBREAK);
    TEXTMETRIC tm;
    GetTextMetrics(p.Dc, tm);
    EXPECT_EQ(h, 2 * tm.tmHeight);
    EXPECT_EQ(r.Right, w);
    TRect lines = Rect(0, 0, 200, 0);
    EXPECT_EQ(DrawText(p.Dc, "a\nb\r\nc", lines, DT_CALCRECT), 3 * tm.tmHeight);
}

TEST(TextTest, DrawText_CenterAndVCenterPlaceTheLine)
{
    TTextPaper p(100, 40);
    TRect r = Rect(0, 0, 100, 40);
    DrawText(p.Dc, "ii", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const TRect ink = p.Ink();
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 50, 3);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 20, 5);
}

TEST(TextTest, DrawText_EndEllipsisCutsToFit)
{
    TTextPaper p(200, 40);
    const std::string text = "Conversion of a very long file name";
    const int width = p.Width("Conversion of...");
    TRect r = Rect(0, 0, width, 20);
    DrawText(p.Dc, text, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    EXPECT_LE(p.Ink().Right, width);
    // Measuring the same cut: "Conversion of..." fits exactly, a letter more would not.
    TRect calc = Rect(0, 0, width, 20);
    DrawText(p.Dc, text, calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(calc.Right, width);
}

TEST(TextTest, DrawText_EllipsisOnTinyWidthGivesDotsAlone)
{
    TTextPaper p(100, 40);
    TRect r = Rect(0, 0, 1, 20);
    DrawText(p.Dc, "abcdefghij", r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(r.Right, p.Width("..."));
}

TEST(TextTest, DrawText_PathEllipsisKeepsFileName)
{
    TTextPaper p(300, 40);
    const int width = p.Width("/home/...") + p.Width("/movie.avi");
    TRect r = Rect(0, 0, width, 20);
    DrawText(p.Dc, "/home/user/videos/holiday/movie.avi", r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(r.Right, width);
}

TEST(TextTest, DrawText_AmpersandUnderlinesAccelerator)
{
    TTextPaper plain(100, 30), marked(100, 30), noprefix(100, 30);
    TRect r = Rect(0, 0, 100, 30);
    DrawText(plain.Dc, "File", r, DT_SINGLELINE);
    DrawText(marked.Dc, "&File", r, DT_SINGLELINE);
    DrawText(noprefix.Dc, "&File", r, DT_SINGLELINE | DT_NOPREFIX);
    // The marked text is the plain text plus an underline below the baseline.
    EXPECT_GT(marked.Ink().Bottom, plain.Ink().Bottom);
    EXPECT_GT(noprefix.Ink().Right, plain.Ink().Right);   // "&" shown
    TRect a = Rect(0, 0, 0, 0), b = a;
    DrawText(plain.Dc, "A&&B", a, DT_CALCRECT | DT_SINGLELINE);
    DrawText(plain.Dc, "A&B", b, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(a.Right, b.Right);
}

TEST(TextTest, DrawText_ClipsToRectangleUnlessNoClip)
{
    TTextPaper clipped(100, 30), free(100, 30);
    TRect r = Rect(0, 0, 10, 30);
    DrawText(clipped.Dc, "WWWWW", r, DT_SINGLELINE);
    DrawText(free.Dc, "WWWWW", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_LE(clipped.Ink().Right, 10);
    EXPECT_GT(free.Ink().Right, 10);
}

TEST(TextTest, DrawText_ExpandTabsToEightAverageWidths)
{
    TTextPaper p(300, 30);
    TEXTMETRIC tm;
    GetTextMetrics(p.Dc, tm);
    TRect r = Rect(0, 0, 300, 30);
    DrawText(p.Dc, "a\tb", r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.Right, 8 * tm.tmAveCharWidth + p.Width("b"));
}

TEST(TextTest, TabbedTextOut_UsesGivenStops)
{
    TTextPaper p(300, 30);
    const int stops[] = {50, 120};
    const LONG ext = TabbedTextOut(p.Dc, 0, 0, "a\tb\tc", 2, stops, 0);
    EXPECT_EQ(LOWORD(ext), 120 + p.Width("c"));
    EXPECT_EQ(static_cast<LONG>(HIWORD(ext)), p.Width("") == 0 ? [&] { TEXTMETRIC tm; GetTextMetrics(p.Dc, tm); return tm.tmHeight; }() : 0);
}

TEST(TextTest, BoldFont_IsWiderOrDarker)
{
    TTextPaper normal(100, 30), bold(100, 30, "Arial", -14, 0, FW_BOLD);
    TextOut(normal.Dc, 0, 0, "Hello");
    TextOut(bold.Dc, 0, 0, "Hello");
    EXPECT_GT(bold.CountNot(Rect(0, 0, 100, 30), RGB(255, 255, 255)), normal.CountNot(Rect(0, 0, 100, 30), RGB(255, 255, 255)));
}

TEST(TextTest, NullDC_ReturnsFailure)
{
    TRect r;
    EXPECT_EQ(DrawText(nullptr, "x", r, 0), 0);
    EXPECT_FALSE(TextOut(nullptr, 0, 0, "x"));
    TSize s;
    EXPECT_FALSE(GetTextExtentPoint32(nullptr, "x", s));
}
