#include "platform/gfx/Text.h"

#include <cmath>

#include "platform/gfx/Raster.h"
#include "platform/gfx/TFontCache.h"

namespace {

std::u32string Decode(const std::string& s)
{
    std::u32string out;
    out.reserve(s.size());
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        int len = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            len = 1;
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        }
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (ok && len > 1 && (cp < (len == 2 ? 0x80u : len == 3 ? 0x800u : 0x10000u) || cp > 0x10FFFF))
            ok = false;
        if (!ok) {
            // A broken byte shows as the replacement character and counts as one code point.
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += len;
    }
    return out;
}

TFontInstance& FontOf(HDC dc) { return TFontCache::Instance().Get(dc->Font()); }

// How tabs advance: to the next stop after the current position (positions relative to the run's start).
struct TTabRule {
    std::vector<int> Stops;   // explicit stops, increasing
    int Every = 0;            // spacing beyond the explicit stops
    int Next(int u) const
    {
        for (int s : Stops)
            if (s > u)
                return s;
        if (Every <= 0)
            return u;
        return (u / Every + 1) * Every;
    }
};

// A line laid out: code points and the offset of each along the baseline.
struct TRun {
    std::u32string Chars;
    std::vector<int> X;
    int Width = 0;
};

TRun Layout(TFontInstance& fi, const std::u32string& chars, const TTabRule* tabs)
{
    TRun run;
    run.Chars = chars;
    run.X.resize(chars.size());
    int u = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        run.X[i] = u;
        if (chars[i] == U'\t' && tabs)
            u = tabs->Next(u);
        else
            u += fi.Advance(chars[i]);
    }
    run.Width = u;
    return run;
}

int Measure(TFontInstance& fi, const std::u32string& chars, const TTabRule* tabs)
{
    if (!tabs) {
        int u = 0;
        for (char32_t c : chars)
            u += fi.Advance(c);
        return u;
    }
    return Layout(fi, chars, tabs).Width;
}

inline std::uint32_t Div255(std::uint32_t x) { return (x + 128 + ((x + 128) >> 8)) >> 8; }

// The text's frame: u runs along the baseline, v down from the cell's top; both rotate with the font.
struct TFrame {
    double Ux = 1, Uy = 0, Vx = 0, Vy = 1;
    bool Axis = true;   // a multiple of 90 degrees: rectangles stay rectangles

    explicit TFrame(int escapement)
    {
        const int e = ((escapement % 3600) + 3600) % 3600;
        if (e % 900 == 0) {
            static const int c[4] = {1, 0, -1, 0};
            static const int s[4] = {0, 1, 0, -1};
            Ux = c[e / 900];
            Uy = -s[e / 900];
            Vx = s[e / 900];
            Vy = c[e / 900];
        } else {
            const double a = e * M_PI / 1800.0;
            Ux = std::cos(a);
            Uy = -std::sin(a);
            Vx = std::sin(a);
            Vy = std::cos(a);
            Axis = false;
        }
    }
    TPoint At(TPoint o, double u, double v) const
    {
        return {o.X + static_cast<int>(std::lround(u * Ux + v * Vx)), o.Y + static_cast<int>(std::lround(u * Uy + v * Vy))};
    }
    // The surface rectangle covering [u0, u1) x [v0, v1) of the frame (exact for axis-aligned frames).
    TRect Box(TPoint o, int u0, int u1, int v0, int v1) const
    {
        const TPoint a = At(o, u0, v0), b = At(o, u1, v1);
        return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
    }
};

void FillBox(HDC dc, const TRect& box, const TRect* clip, TPixel colour)
{
    TRect r = box;
    if (clip && !IntersectRect(r, r, *clip))
        return;
    raster::FillSpans(*dc, r, colour);
}

void BlendGlyph(HDC dc, const TGlyph& g, int gx, int gy, const TRect* clip, COLORREF colour)
{
    if (g.Width == 0 || g.Height == 0)
        return;
    TRect r = Bounds(gx, gy, g.Width, g.Height);
    if (clip && !IntersectRect(r, r, *clip))
        return;
    const std::uint32_t cr = GetRValue(colour), cg = GetGValue(colour), cb = GetBValue(colour);
    const TPixel solid = RgbToPixel(colour);
    raster::ForEachSpan(*dc, r, [&](TPixel* row, int x0, int x1, int y) {
        const std::uint8_t* cov = g.Coverage.data() + static_cast<std::size_t>(y - gy) * g.Width;
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t a = cov[x - gx];
            if (a == 0)
                continue;
            if (a == 255) {
                row[x] = solid;
                continue;
            }
            // Coverage blends the text colour over what is there: (c * a + d * (255 - a)) / 255, rounded.
            const TPixel d = row[x];
            const std::uint32_t na = 255 - a;
            const std::uint32_t r8 = Div255(cr * a + ((d >> 16) & 0xFF) * na);
            const std::uint32_t g8 = Div255(cg * a + ((d >> 8) & 0xFF) * na);
            const std::uint32_t b8 = Div255(cb * a + (d & 0xFF) * na);
            row[x] = 0xFF000000u | (r8 << 16) | (g8 << 8) | b8;
        }
    });
}

// Draws a laid-out run with its cell's top-left corner at `origin` (surface pixels). `underlineChar` adds
// an accelerator underline under that code point (-1: none).
void Render(HDC dc, TFontInstance& fi, TPoint origin, const TRun& run, const TRect* clip, bool opaque, int underlineChar)
{
    const TFrame frame(fi.Escapement);
    if (opaque && frame.Axis)
        FillBox(dc, frame.Box(origin, 0, run.Width, 0, fi.Height), clip, RgbToPixel(dc->State().BkColor));
    const COLORREF colour = dc->State().TextColor;
    const TPixel solid = RgbToPixel(colour);
    for (std::size_t i = 0; i < run.Chars.size(); ++i) {
        const char32_t c = run.Chars[i];
        if (c == U'\t' || c == U'\n' || c == U'\r' || c == U' ')
            continue;
        const TGlyph& g = fi.Glyph(c);
        const TPoint pen = frame.At(origin, run.X[i], fi.Ascent);
        BlendGlyph(dc, g, pen.X + g.Left, pen.Y - g.Top, clip, colour);
    }
    if (!frame.Axis)
        return;
    auto line = [&](int u0, int u1, int v0, int thickness) {
        if (u1 > u0)
            FillBox(dc, frame.Box(origin, u0, u1, v0, v0 + thickness), clip, solid);
    };
    const int underV = std::min(fi.Ascent + fi.UnderlinePos, fi.Height - fi.UnderlineThickness);
    if (fi.Font.Underline)
        line(0, run.Width, underV, fi.UnderlineThickness);
    if (fi.Font.StrikeOut)
        line(0, run.Width, fi.Ascent - fi.StrikeOutPos, fi.UnderlineThickness);
    if (underlineChar >= 0 && underlineChar < static_cast<int>(run.Chars.size()) && !fi.Font.Underline) {
        const int u0 = run.X[underlineChar];
        const int u1 = underlineChar + 1 < static_cast<int>(run.X.size()) ? run.X[underlineChar + 1] : run.Width;
        line(u0, u1, underV, 1);
    }
}

TTabRule DefaultTabs(TFontInstance& fi)
{
    TTabRule t;
    t.Every = 8 * std::max(1, fi.AveCharWidth);
    return t;
}

}  // namespace

int Utf8Length(const std::string& text) { return static_cast<int>(Decode(text).size()); }

BOOL TextOut(HDC dc, int x, int y, const std::string& text) { return ExtTextOut(dc, x, y, 0, nullptr, text); }

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const TRect* rect, const std::string& text)
{
    if (!dc)
        return false;
    if (!dc->Surface() || dc->Surface()->Empty())
        return true;
    std::lock_guard lock(TFontCache::Instance().Lock);
    TRect clipBox;
    const TRect* clip = nullptr;
    if (rect) {
        clipBox = raster::ToSurface(*dc, *rect);
        if ((options & ETO_OPAQUE) && !clipBox.IsEmpty())
            raster::FillSpans(*dc, clipBox, RgbToPixel(dc->State().BkColor));
        if (options & ETO_CLIPPED)
            clip = &clipBox;
    }
    TFontInstance& fi = FontOf(dc);
    const TRun run = Layout(fi, Decode(text), nullptr);
    Render(dc, fi, raster::ToSurface(*dc, TPoint{x, y}), run, clip, dc->State().BkMode == OPAQUE, -1);
    return true;
}

BOOL GetTextExtentPoint32(HDC dc, const std::string& text, TSize& size)
{
    size = {};
    if (!dc)
        return false;
    std::lock_guard lock(TFontCache::Instance().Lock);
    TFontInstance& fi = FontOf(dc);
    size = {Measure(fi, Decode(text), nullptr), fi.Height};
    return true;
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC& tm)
{
    tm = {};
    if (!dc)
        return false;
    std::lock_guard lock(TFontCache::Instance().Lock);
    TFontInstance& fi = FontOf(dc);
    tm.tmHeight = fi.Height;
    tm.tmAscent = fi.Ascent;
    tm.tmDescent = fi.Descent;
    tm.tmInternalLeading = fi.InternalLeading;
    tm.tmAveCharWidth = fi.AveCharWidth;
    tm.tmMaxCharWidth = fi.MaxCharWidth;
    tm.tmWeight = dc->Font().Weight == FW_DONTCARE ? FW_NORMAL : dc->Font().Weight;
    tm.tmItalic = dc->Font().Italic;
    tm.tmUnderlined = dc->Font().Underline;
    tm.tmStruckOut = dc->Font().StrikeOut;
    tm.tmCharSet = dc->Font().CharSet;
    return true;
}

LONG TabbedTextOut(HDC dc, int x, int y, const std::string& text, int tabCount, const int* tabStops, int tabOrigin)
{
    if (!dc)
        return 0;
    std::lock_guard lock(TFontCache::Instance().Lock);
    TFontInstance& fi = FontOf(dc);
    TTabRule tabs;
    const int shift = x - tabOrigin;   // stops count from tabOrigin, the run from x
    if (!tabStops || tabCount <= 0) {
        tabs.Every = 8 * std::max(1, fi.AveCharWidth);
    } else if (tabCount == 1) {
        tabs.Every = std::max(1, tabStops[0]);
    } else {
        tabCount = std::min(tabCount, 10);
        int last = 0;
        for (int i = 0; i < tabCount; ++i) {
            last = std::max(last, tabStops[i]);
            tabs.Stops.push_back(tabStops[i]);
        }
        tabs.Every = 0;
    }
    // Work in positions relative to tabOrigin, then draw from x.
    const std::u32string chars = Decode(text);
    TRun run;
    run.Chars = chars;
    run.X.resize(chars.size());
    int u = shift;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        run.X[i] = u - shift;
        if (chars[i] == U'\t') {
            const int next = tabs.Next(u);
            // Past the last explicit stop a tab is as wide as a space.
            u = next > u ? next : u + fi.Advance(U' ');
        } else {
            u += fi.Advance(chars[i]);
        }
    }
    run.Width = u - shift;
    if (dc->Surface() && !dc->Surface()->Empty())
        Render(dc, fi, raster::ToSurface(*dc, TPoint{x, y}), run, nullptr, dc->State().BkMode == OPAQUE, -1);
    return static_cast<LONG>((run.Width & 0xFFFF) | (fi.Height << 16));
}

namespace {

struct TLine {
    std::u32string Chars;
    int Underline = -1;   // accelerator code point in this line
};

// Strips accelerator marks: "&x" underlines x, "&&" is one "&". Returns the index of the underlined code
// point (the last one marked), or -1.
int StripPrefix(std::u32string& s)
{
    std::u32string out;
    int underline = -1;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == U'&' && i + 1 < s.size()) {
            ++i;
            if (s[i] != U'&')
                underline = static_cast<int>(out.size());
            out.push_back(s[i]);
        } else if (s[i] != U'&') {
            out.push_back(s[i]);
        }
    }
    s = out;
    return underline;
}

const std::u32string Ellipsis = U"...";

// Shortens a line from the end so that line + "..." fits; the result may be "..." alone.
void EndEllipsis(TFontInstance& fi, TLine& line, int width, const TTabRule* tabs)
{
    if (Measure(fi, line.Chars, tabs) <= width)
        return;
    std::u32string s = line.Chars;
    while (!s.empty() && Measure(fi, s + Ellipsis, tabs) > width)
        s.pop_back();
    if (line.Underline >= static_cast<int>(s.size()))
        line.Underline = -1;
    line.Chars = s + Ellipsis;
}

// Keeps the last path component and shortens what is before it: "C:\\abc\\...\\file.txt".
void PathEllipsis(TFontInstance& fi, TLine& line, int width, const TTabRule* tabs)
{
    if (Measure(fi, line.Chars, tabs) <= width)
        return;
    const std::size_t sep = line.Chars.find_last_of(U"/\\");
    if (sep == std::u32string::npos || sep == 0) {
        EndEllipsis(fi, line, width, tabs);
        return;
    }
    std::u32string head = line.Chars.substr(0, sep);
    const std::u32string tail = line.Chars.substr(sep);
    while (!head.empty() && Measure(fi, head + Ellipsis + tail, tabs) > width)
        head.pop_back();
    if (line.Underline >= static_cast<int>(head.size()))
        line.Underline = -1;
    line.Chars = head + Ellipsis + tail;
    if (head.empty())
        EndEllipsis(fi, line, width, tabs);
}

// Breaks one paragraph into lines no wider than `width` at spaces; spaces at a break are dropped.
void WrapParagraph(TFontInstance& fi, const std::u32string& para, int underline, int width, const TTabRule* tabs,
    std::vector<TLine>& lines)
{
    std::size_t start = 0;
    const std::size_t n = para.size();
    if (n == 0) {
        lines.push_back({});
        return;
    }
    while (start < n) {
        std::size_t end = start;   // end of the line's text so far
        std::size_t pos = start;
        while (pos < n) {
            // The next word with the spaces before it.
            std::size_t wordEnd = pos;
            while (wordEnd < n && para[wordEnd] == U' ')
                ++wordEnd;
            while (wordEnd < n && para[wordEnd] != U' ')
                ++wordEnd;
            if (end > start && Measure(fi, para.substr(start, wordEnd - start), tabs) > width)
                break;
            end = wordEnd;
            pos = wordEnd;
        }
        TLine line;
        line.Chars = para.substr(start, end - start);
        if (underline >= static_cast<int>(start) && underline < static_cast<int>(end))
            line.Underline = underline - static_cast<int>(start);
        lines.push_back(std::move(line));
        start = end;
        while (start < n && para[start] == U' ')
            ++start;
    }
}

}  // namespace

int DrawText(HDC dc, const std::string& text, TRect& r, UINT format) { return DrawText(dc, text, -1, r, format); }

int DrawText(HDC dc, const std::string& text, int length, TRect& rect, UINT format)
{
    if (!dc)
        return 0;
    TRect r = raster::Tame(rect);
    std::lock_guard lock(TFontCache::Instance().Lock);
    std::u32string chars = Decode(length < 0 || length >= static_cast<int>(text.size()) ? text : text.substr(0, length));
    TFontInstance& fi = FontOf(dc);
    const int underline = (format & DT_NOPREFIX) ? -1 : StripPrefix(chars);
    const bool hidePrefix = (format & DT_HIDEPREFIX) != 0;
    const TTabRule tabRule = DefaultTabs(fi);
    const TTabRule* tabs = (format & DT_EXPANDTABS) ? &tabRule : nullptr;
    const int width = r.Width();

    std::vector<TLine> lines;
    if (format & DT_SINGLELINE) {
        std::u32string one;
        for (char32_t c : chars)
            one.push_back(c == U'\n' || c == U'\r' ? U' ' : c);
        lines.push_back({one, underline});
    } else {
        std::size_t start = 0;
        while (true) {
            std::size_t nl = chars.find(U'\n', start);
            const bool last = nl == std::u32string::npos;
            std::size_t end = last ? chars.size() : nl;
            std::size_t cut = end;
            if (cut > start && chars[cut - 1] == U'\r')
                --cut;
            const std::u32string para = chars.substr(start, cut - start);
            const int u = underline >= static_cast<int>(start) && underline < static_cast<int>(cut)
                              ? underline - static_cast<int>(start) : -1;
            if (format & DT_WORDBREAK)
                WrapParagraph(fi, para, u, width, tabs, lines);
            else
                lines.push_back({para, u});
            if (last)
                break;
            start = nl + 1;
        }
    }
    for (TLine& line : lines) {
        if (format & DT_PATH_ELLIPSIS)
            PathEllipsis(fi, line, width, tabs);
        else if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
            EndEllipsis(fi, line, width, tabs);
        if (hidePrefix)
            line.Underline = -1;
    }

    const int lineHeight = fi.Height;
    const int textHeight = chars.empty() ? 0 : lineHeight * static_cast<int>(lines.size());
    int maxWidth = 0;
    std::vector<TRun> runs;
    for (const TLine& line : lines) {
        runs.push_back(Layout(fi, line.Chars, tabs));
        maxWidth = std::max(maxWidth, runs.back().Width);
    }
    if (format & DT_CALCRECT) {
        rect.Right = raster::Tame(std::int64_t(rect.Left) + maxWidth);
        rect.Bottom = raster::Tame(std::int64_t(rect.Top) + textHeight);
        return textHeight;
    }
    int top = r.Top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = r.Top + (r.Height() - textHeight) / 2;
        else if (format & DT_BOTTOM)
            top = r.Bottom - textHeight;
    }
    if (chars.empty())
        return 0;
    if (dc->Surface() && !dc->Surface()->Empty()) {
        TRect clipBox = raster::ToSurface(*dc, r);
        const TRect* clip = (format & DT_NOCLIP) ? nullptr : &clipBox;
        const bool opaque = dc->State().BkMode == OPAQUE;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            int x = r.Left;
            if (format & DT_CENTER)
                x = r.Left + (width - runs[i].Width) / 2;
            else if (format & DT_RIGHT)
                x = r.Right - runs[i].Width;
            const TPoint origin = raster::ToSurface(*dc, TPoint{x, top + static_cast<int>(i) * lineHeight});
            Render(dc, fi, origin, runs[i], clip, opaque, lines[i].Underline);
        }
    }
    if (format & (DT_VCENTER | DT_BOTTOM))
        return top - r.Top + textHeight;
    return textHeight;
}
