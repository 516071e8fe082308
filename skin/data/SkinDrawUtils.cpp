#include "skin/data/SkinDrawUtils.h"

#include <algorithm>
#include <vector>

#include "platform/gfx/Text.h"
#include "platform/rtl/TStringList.h"
#include "platform/win/Messages.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TWinControl.h"
#include "process/OxUtils.h"
#include "skin/data/SkinImages.h"

void CalcButtonLayout(int Layout, const TRect& R, int GlyphWidth, int GlyphHeight, int TextWidth, int TextHeight,
    int Margin, int Spacing, TPoint& GlyphPos, TPoint& TextPos)
{
    if (Layout < 0 || Layout > 3)
        Layout = 0;
    if (GlyphWidth == 0)
        Spacing = 0;
    const int cx = R.Left + WidthOfRect(R) / 2;
    const int cy = R.Top + HeightOfRect(R) / 2;
    const bool horizontal = Layout <= 1;
    if (horizontal) {
        GlyphPos.Y = cy - GlyphHeight / 2;
        TextPos.Y = cy - TextHeight / 2;
    } else {
        GlyphPos.X = cx - GlyphWidth / 2;
        TextPos.X = cx - TextWidth / 2;
    }
    if (Margin == -1) {
        const int hw = (TextWidth + GlyphWidth + Spacing) / 2;
        const int hh = (TextHeight + GlyphHeight + Spacing) / 2;
        switch (Layout) {
        case 0: GlyphPos.X = cx - hw; TextPos.X = cx + hw - TextWidth; break;
        case 1: TextPos.X = cx - hw; GlyphPos.X = cx + hw - GlyphWidth; break;
        case 2: GlyphPos.Y = cy - hh; TextPos.Y = cy + hh - TextHeight; break;
        default: TextPos.Y = cy - hh; GlyphPos.Y = cy + hh - GlyphHeight; break;
        }
        return;
    }
    switch (Layout) {
    case 0: GlyphPos.X = R.Left + Margin; TextPos.X = GlyphPos.X + GlyphWidth + Spacing; break;
    case 1: GlyphPos.X = R.Right - GlyphWidth - Margin; TextPos.X = GlyphPos.X - Spacing - TextWidth; break;
    case 2: GlyphPos.Y = R.Top + Margin; TextPos.Y = GlyphPos.Y + GlyphHeight + Spacing; break;
    default: GlyphPos.Y = R.Bottom - GlyphHeight - Margin; TextPos.Y = GlyphPos.Y - Spacing - TextHeight; break;
    }
}

namespace {

void HLine(TCanvas* C, int X1, int X2, int Y)
{
    C->MoveTo(X1, Y);
    C->LineTo(X2, Y);
}

// The part DrawImageAndText and DrawGlyphAndText share once the glyph's size is known; DrawGlyphCell
// draws the glyph at its place.
template <class F>
void DrawButtonFace(TCanvas* C, const TRect& R, int Margin, int Spacing, int Layout, const std::string& Caption,
    int gw, int gh, TColor MarkerColor, bool DrawMarker, bool Pressed, F DrawGlyphCell)
{
    int tw = 0, th = 0;
    if (!Caption.empty()) {
        TRect m{0, 0, WidthOfRect(R), HeightOfRect(R)};
        if (Layout == 2 || Layout == 3)
            m.Bottom -= gh;
        else
            m.Right -= gw;
        C->TextRect(m, Caption, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        tw = WidthOfRect(m);
        th = HeightOfRect(m);
    }
    C->Brush()->SetStyle(bsClear);
    TPoint gp, tp;
    CalcButtonLayout(Layout, R, gw, gh, tw, th, Margin, Spacing, gp, tp);
    if (Pressed) {
        gp = {gp.X + 1, gp.Y + 1};
        tp = {tp.X + 1, tp.Y + 1};
    }
    if (!Caption.empty()) {
        TRect tr{tp.X, tp.Y, tp.X + tw + 2, tp.Y + th};
        C->TextRect(tr, Caption, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS);
    }
    const bool glyph = gw > 0 && gh > 0;
    if (glyph)
        DrawGlyphCell(gp.X, gp.Y);
    if (!DrawMarker)
        return;
    C->Pen()->SetColor(MarkerColor);
    if (glyph) {
        for (int d = -2; d <= 0; ++d)
            HLine(C, gp.X, gp.X + gw, gp.Y + gh + d);
    } else if (!Caption.empty()) {
        for (int d = -1; d <= 1; ++d)
            HLine(C, tp.X, tp.X + tw + 2, tp.Y + th + d);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(MarkerColor);
        C->FillRect({R.Left + 4, R.Top + (Pressed ? 5 : 4), R.Right - 2, R.Bottom - (Pressed ? 3 : 4)});
    }
}

// Removes the last code point of a UTF-8 string (a stray byte counts as one).
void DropLastCodePoint(std::string& S)
{
    if (S.empty())
        return;
    std::size_t i = S.size() - 1;
    int back = 0;
    while (i > 0 && back < 3 && (static_cast<unsigned char>(S[i]) & 0xC0) == 0x80) {
        --i;
        ++back;
    }
    const unsigned char lead = static_cast<unsigned char>(S[i]);
    const int len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    // A lead byte whose length does not match what follows it: only the last byte goes.
    if (len != back + 1)
        i = S.size() - 1;
    S.erase(i);
}

template <class Measure>
void ShortenToWidth(std::string& S, int Width, Measure width)
{
    if (width(S) <= Width)
        return;
    do
        DropLastCodePoint(S);
    while (!S.empty() && width(S + "...") > Width);
    S += "...";
}

}  // namespace

void DrawImageAndText(TCanvas* Cnvs, const TRect& R, int Margin, int Spacing, int Layout, const std::string& Caption,
    TCustomImageList* IL, int ImageIndex, TColor MarkerColor, bool DrawMarker, bool Enabled, bool Pressed)
{
    if (!Cnvs)
        return;
    const bool has = IL && ImageIndex >= 0 && ImageIndex < IL->Count();
    const int gw = has ? IL->Width() : 0, gh = has ? IL->Height() : 0;
    DrawButtonFace(Cnvs, R, Margin, Spacing, Layout, Caption, gw, gh, MarkerColor, DrawMarker, Pressed,
        [&](int x, int y) { IL->Draw(Cnvs, x, y, ImageIndex, Enabled); });
}

void DrawGlyphAndText(TCanvas* Cnvs, const TRect& R, int Margin, int Spacing, int Layout, const std::string& Caption,
    TBitmap* Glyph, int GlyphCount, int GlyphIndex, TColor MarkerColor, bool DrawMarker, bool Pressed)
{
    if (!Cnvs)
        return;
    // A count below 1 means no glyph at all; an index outside the cells keeps the glyph's place but draws
    // nothing there (DrawGlyph refuses it).
    const bool has = Glyph && !Glyph->Empty() && GlyphCount >= 1;
    const int gw = has ? Glyph->Width() / GlyphCount : 0, gh = has && gw > 0 ? Glyph->Height() : 0;
    DrawButtonFace(Cnvs, R, Margin, Spacing, Layout, Caption, gw, gh, MarkerColor, DrawMarker, Pressed,
        [&](int x, int y) { DrawGlyph(Cnvs, x, y, Glyph, GlyphCount, GlyphIndex); });
}

void CorrectTextByWidth(TCanvas* C, std::string& S, int Width)
{
    if (!C)
        return;
    ShortenToWidth(S, Width, [C](const std::string& s) { return C->TextWidth(s); });
}

void CorrectWideTextByWidth(TCanvas* C, std::string& S, int Width)
{
    if (!C)
        return;
    ShortenToWidth(S, Width, [C](const std::string& s) { return WideTextWidth(C, s); });
}

int DrawWideText(TCanvas* C, const std::string& S, TRect& R, UINT Flags)
{
    return C ? C->TextRect(R, S, Flags) : 0;
}

int WideTextWidth(TCanvas* C, const std::string& S)
{
    TRect r{};
    DrawWideText(C, S, r, DT_CALCRECT);
    return WidthOfRect(r);
}

int WideTextHeight(TCanvas* C, const std::string& S)
{
    TRect r{};
    DrawWideText(C, S, r, DT_CALCRECT);
    return HeightOfRect(r);
}

void DrawTextVCenter(TCanvas* C, const std::string& S, const TRect& R)
{
    if (!C || S.empty())
        return;
    TRect r = R;
    C->TextRect(r, S, DT_SINGLELINE | DT_VCENTER);
}

void DrawTextRectVCenter(TCanvas* C, const std::string& S, const TRect& R)
{
    DrawTextRectVCenterOffset(C, S, R, 0);
}

void DrawTextRectVCenterOffset(TCanvas* C, const std::string& S, const TRect& R, int Offset)
{
    if (!C || S.empty())
        return;
    C->TextRect(R, R.Left + 2 + Offset, R.Top + HeightOfRect(R) / 2 - C->TextHeight(S) / 2, S);
}

namespace {


}  // namespace

void PaintParentBackground(TControl* Control, TCanvas* C)
{
    CopyParentImage(Control, C, TParentImageSiblings::GraphicOnly);
}

// ---------------------------------------------------------------------------------------------------------
// Plain glyphs

namespace {

void Line(TCanvas* C, int X1, int Y1, int X2, int Y2)
{
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

void Outline(TCanvas* C, int L, int T, int R, int B)
{
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(L, T, R, B);
}

void Filled(TCanvas* C, int L, int T, int R, int B, TColor Color)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->Rectangle(L, T, R, B);
}

}  // namespace

void DrawCloseImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    Line(C, X + 1, Y + 1, X + 9, Y + 9);
    Line(C, X + 9, Y + 1, X + 1, Y + 9);
    Line(C, X + 2, Y + 1, X + 10, Y + 9);
    Line(C, X + 8, Y + 1, X, Y + 9);
}

void DrawSysMenuImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    Outline(C, X + 1, Y + 3, X + 9, Y + 6);
}

void DrawMinimizeImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    HLine(C, X + 1, X + 9, Y + 8);
    HLine(C, X + 1, X + 9, Y + 9);
}

void DrawMaximizeImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    Outline(C, X, Y, X + 11, Y + 10);
    Outline(C, X, Y, X + 11, Y + 2);
}

void DrawRestoreImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    Outline(C, X + 2, Y, X + 10, Y + 6);
    Outline(C, X + 2, Y, X + 10, Y + 2);
    Outline(C, X, Y + 4, X + 7, Y + 10);
    Outline(C, X, Y + 4, X + 7, Y + 6);
}

void DrawRollDownImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    // Rows of 8, 6, 4 and 2 pixels: the lines stop before their end pixel.
    for (int i = 0; i < 4; ++i)
        HLine(C, X + 1 + i, X + 9 - i, Y + 2 + i);
}

void DrawRollUpImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    for (int i = 0; i < 4; ++i)
        HLine(C, X + 4 - i, X + 6 + i, Y + 3 + i);
}

void DrawMinimizeToTrayImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    Filled(C, X + 2, Y + 2, X + 7, Y + 7, Color);
}

void DrawDownArrowImage(TCanvas* C, const TRect& R, TColor Color)
{
    C->Pen()->SetColor(Color);
    const int cx = R.Left + WidthOfRect(R) / 2;
    const int y0 = R.Top + HeightOfRect(R) / 2 + 2;
    HLine(C, cx - 2, cx + 3, y0 - 2);
    HLine(C, cx - 1, cx + 2, y0 - 1);
    HLine(C, cx, cx + 1, y0);
}

void DrawArrowImage(TCanvas* C, const TRect& R, TColor Color, int Code)
{
    if (Code < 1 || Code > 4)
        return;
    C->Pen()->SetColor(Color);
    const int cx = R.Left + WidthOfRect(R) / 2;
    const int cy = R.Top + HeightOfRect(R) / 2;
    for (int i = 0; i <= 3; ++i) {
        switch (Code) {
        case 1: Line(C, cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1); break;
        case 2: Line(C, cx + 2 - i, cy - i, cx + 2 - i, cy + i + 1); break;
        case 3: Line(C, cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i); break;
        default: Line(C, cx - i, cy + 2 - i, cx + i + 1, cy + 2 - i); break;
        }
    }
}

void DrawRadioImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    Filled(C, X, Y, X + 6, Y + 6, Color);
}

void DrawCheckImage(TCanvas* C, int X, int Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    for (int i = 0; i <= 2; ++i) {
        C->MoveTo(X, Y + 5 - i);
        C->LineTo(X + 2, Y + 7 - i);
        C->LineTo(X + 7, Y + 2 - i);
    }
}

void DrawFrame3D(TCanvas* C, const TRect& R, TColor TopLeftColor, TColor BottomRightColor)
{
    C->Pen()->SetWidth(1);
    const int right = R.Right - 1, bottom = R.Bottom - 1;
    C->Pen()->SetColor(TopLeftColor);
    C->Polyline({{R.Left, bottom}, {R.Left, R.Top}, {right, R.Top}});
    C->Pen()->SetColor(BottomRightColor);
    C->Polyline({{right, R.Top}, {right, bottom}, {R.Left - 1, bottom}});
}

int ParseTabStops(TStrings* Tabs, int* Stops)
{
    // Wider than any screen; keeps the text layout's sums far from overflowing.
    constexpr long long MaxTabWidth = 32767;
    int n = 0;
    for (int i = 0; Tabs != nullptr && i < Tabs->Count() && n < MaxTabStops; ++i) {
        const std::string s = Tabs->Strings(i);
        long long v = 0;
        bool digits = !s.empty();
        for (char ch : s) {
            if (ch < '0' || ch > '9') {
                digits = false;
                break;
            }
            v = std::min<long long>(v * 10 + (ch - '0'), MaxTabWidth);
        }
        Stops[n++] = digits ? static_cast<int>(v) : 0;
    }
    return n;
}
