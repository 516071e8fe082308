#include "skin/data/TskEffectBmp.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/Blits.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/TSurface.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/TskBitmap.h"

namespace {

// Factors: not-a-number counts as 0, and the rest is held inside 0..1.
double ClampFactor(double k)
{
    if (std::isnan(k) || k < 0)
        return 0;
    return k > 1 ? 1 : k;
}

// Nearest integer, ties to even, held inside 0..255.
inline std::uint8_t Channel(double v)
{
    const double r = std::nearbyint(v);
    return static_cast<std::uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

inline int RoundInt(double v) { return static_cast<int>(std::nearbyint(v)); }

// A table of every (s, o) pair for c = round((1 - k) * s + k * o): one lookup per channel instead of
// floating-point work, the same result.
std::vector<std::uint8_t> MixTable(double k)
{
    std::vector<std::uint8_t> t(256 * 256);
    for (int s = 0; s < 256; ++s)
        for (int o = 0; o < 256; ++o)
            t[static_cast<std::size_t>(s * 256 + o)] = Channel((1 - k) * s + k * o);
    return t;
}

std::uint32_t RandSeed = 0;

}  // namespace

int SkinRandom(int n)
{
    RandSeed = RandSeed * 134775813u + 1u;
    return static_cast<int>((static_cast<std::uint64_t>(RandSeed) * static_cast<std::uint32_t>(n)) >> 32);
}

void SetSkinRandSeed(std::uint32_t Seed) { RandSeed = Seed; }

// ---------------------------------------------------------------------------------------------------------

TskEffectBmp::TskEffectBmp(HBITMAP Handle)
{
    if (!Handle || Handle->Empty())
        return;
    FWidth = Handle->Width();
    FHeight = Handle->Height();
    FRowInc = TSurface::RowBytes24(FWidth);
    FBits.resize(static_cast<std::size_t>(FRowInc) * FHeight);
    Handle->ReadRgb24(FBits.data());
}

void TskEffectBmp::GetRow(int Y, std::uint8_t* Buffer) const
{
    if (Y >= 0 && Y < FHeight)
        std::memcpy(Buffer, RowPtr(Y), static_cast<std::size_t>(FWidth) * 3);
}

void TskEffectBmp::SetRow(int Y, const std::uint8_t* Buffer)
{
    if (Y >= 0 && Y < FHeight)
        std::memcpy(RowPtr(Y), Buffer, static_cast<std::size_t>(FWidth) * 3);
}

std::uint32_t TskEffectBmp::Pixel(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
        return 0;
    const std::uint8_t* p = RowPtr(Y) + 3 * X;
    return (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
}

void TskEffectBmp::DrawToDC(HDC DC, int X, int Y)
{
    if (FBits.empty())
        return;
    BITMAPINFO info;
    info.bmiHeader.biWidth = FWidth;
    info.bmiHeader.biHeight = -FHeight;
    info.bmiHeader.biBitCount = 24;
    SetDIBitsToDevice(DC, X, Y, static_cast<DWORD>(FWidth), static_cast<DWORD>(FHeight), 0, 0, 0,
        static_cast<UINT>(FHeight), FBits.data(), &info, DIB_RGB_COLORS);
}

// ---------------------------------------------------------------------------------------------------------
// Transitions

void TskEffectBmp::Morph(const TskEffectBmp& Other, double k)
{
    if (!SameSize(Other) || FBits.empty())
        return;
    const auto t = MixTable(ClampFactor(k));
    const int n = FWidth * 3;
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* s = RowPtr(y);
        const std::uint8_t* o = Other.RowPtr(y);
        for (int i = 0; i < n; ++i)
            s[i] = t[static_cast<std::size_t>(s[i] * 256 + o[i])];
    }
}

void TskEffectBmp::MorphRect(const TskEffectBmp& Other, const TRect& R, double k, int OtherX, int OtherY)
{
    // Only what lies inside this picture and whose counterpart lies inside Other changes.
    TRect area;
    if (!IntersectRect(area, R, TRect{0, 0, FWidth, FHeight}))
        return;
    const int dx = OtherX - R.Left, dy = OtherY - R.Top;
    TRect inOther{area.Left + dx, area.Top + dy, area.Right + dx, area.Bottom + dy};
    if (!IntersectRect(inOther, inOther, TRect{0, 0, Other.FWidth, Other.FHeight}))
        return;
    area = {inOther.Left - dx, inOther.Top - dy, inOther.Right - dx, inOther.Bottom - dy};
    const auto t = MixTable(ClampFactor(k));
    for (int y = area.Top; y < area.Bottom; ++y) {
        std::uint8_t* s = RowPtr(y) + 3 * area.Left;
        const std::uint8_t* o = Other.RowPtr(y + dy) + 3 * (area.Left + dx);
        for (int i = 0; i < area.Width() * 3; ++i)
            s[i] = t[static_cast<std::size_t>(s[i] * 256 + o[i])];
    }
}

// Columns From .. To (To may be below From: the walk goes down), t from 0 by Step, held at 1:
// c = round(s * t + o * (1 - t)).
void TskEffectBmp::GradColumns(const TskEffectBmp& Other, int From, int To, double Step)
{
    const int dir = To >= From ? 1 : -1;
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* s = RowPtr(y);
        const std::uint8_t* o = Other.RowPtr(y);
        double t = 0;
        for (int x = From;; x += dir) {
            for (int c = 0; c < 3; ++c) {
                const int i = 3 * x + c;
                s[i] = Channel(s[i] * t + o[i] * (1 - t));
            }
            t = std::min(1.0, t + Step);
            if (x == To)
                break;
        }
    }
}

void TskEffectBmp::GradRows(const TskEffectBmp& Other, int From, int To, double Step)
{
    const int dir = To >= From ? 1 : -1;
    double t = 0;
    for (int y = From;; y += dir) {
        std::uint8_t* s = RowPtr(y);
        const std::uint8_t* o = Other.RowPtr(y);
        for (int i = 0; i < FWidth * 3; ++i)
            s[i] = Channel(s[i] * t + o[i] * (1 - t));
        t = std::min(1.0, t + Step);
        if (y == To)
            break;
    }
}

void TskEffectBmp::MorphGrad(const TskEffectBmp& Other, double k)
{
    if (!SameSize(Other) || FWidth < 1 || FHeight < 1)
        return;
    k = ClampFactor(k);
    const bool horizontal = FWidth >= FHeight;
    const int W = horizontal ? FWidth : FHeight;
    const int w = RoundInt(W * k);
    const int G = (W - w) / 2;
    const double step = G == 0 ? 1.0 : 1.0 / G;
    const int L = std::clamp(W / 2 - w / 2, 0, W - 1);
    const int Rt = std::clamp(W / 2 + w / 2, 0, W - 1);
    if (horizontal) {
        for (int y = 0; y < FHeight; ++y)
            std::memcpy(RowPtr(y) + 3 * L, Other.RowPtr(y) + 3 * L, static_cast<std::size_t>(Rt - L + 1) * 3);
        GradColumns(Other, L, 0, step);
        GradColumns(Other, Rt, W - 1, step);
    } else {
        for (int y = L; y <= Rt; ++y)
            std::memcpy(RowPtr(y), Other.RowPtr(y), static_cast<std::size_t>(FWidth) * 3);
        GradRows(Other, L, 0, step);
        GradRows(Other, Rt, W - 1, step);
    }
}

void TskEffectBmp::MorphLeftGrad(const TskEffectBmp& Other, double k)
{
    if (!SameSize(Other) || FWidth < 1 || FHeight < 1)
        return;
    // Held at 1 .. W - 1; the upper bound wins, so a 1-pixel-wide picture changes only its column 0.
    const int n = std::min(std::max(RoundInt(FWidth * ClampFactor(k)), 1), FWidth - 1);
    const double step = n < 1 ? 1.0 : 1.0 / n;
    GradColumns(Other, 0, n, step);
}

void TskEffectBmp::MorphRightGrad(const TskEffectBmp& Other, double k)
{
    if (!SameSize(Other) || FWidth < 1 || FHeight < 1)
        return;
    const int S = std::clamp(FWidth - RoundInt(FWidth * ClampFactor(k)), 0, FWidth - 1);
    const double step = FWidth - S < 1 ? 1.0 : 1.0 / (FWidth - S);
    GradColumns(Other, FWidth - 1, S, step);
}

void TskEffectBmp::MorphLeftSlide(const TskEffectBmp& Other, double k)
{
    if (!SameSize(Other) || FWidth < 1 || FHeight < 1)
        return;
    const int n = std::min(std::max(RoundInt(FWidth * ClampFactor(k)), 1), FWidth - 1);
    if (n < 1)
        return;
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(RowPtr(y), Other.RowPtr(y) + 3 * (FWidth - n), static_cast<std::size_t>(n) * 3);
}

void TskEffectBmp::MorphRightSlide(const TskEffectBmp& Other, double k)
{
    if (!SameSize(Other) || FWidth < 1 || FHeight < 1)
        return;
    const int n = std::min(std::max(RoundInt(FWidth * ClampFactor(k)), 1), FWidth - 1);
    if (n < 1)
        return;
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(RowPtr(y) + 3 * (FWidth - n), Other.RowPtr(y), static_cast<std::size_t>(n) * 3);
}

void TskEffectBmp::MorphPush(const TskEffectBmp& Other, double k)
{
    if (!SameSize(Other) || FWidth < 1 || FHeight < 1)
        return;
    const int W = FWidth;
    const int n = std::clamp(RoundInt(W * ClampFactor(k)), 0, W - 1);
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* s = RowPtr(y);
        const std::uint8_t* o = Other.RowPtr(y);
        for (int x = W - 1; x >= n; --x)
            std::memcpy(s + 3 * x, s + 3 * std::max(0, x - n - 1), 3);
        for (int x = 0; x <= n; ++x)
            std::memcpy(s + 3 * x, o + 3 * std::min(W - 1, W - n - 1 + x), 3);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Effects

void TskEffectBmp::ChangeBrightness(double k)
{
    k = ClampFactor(k);
    std::uint8_t t[256];
    for (int s = 0; s < 256; ++s)
        t[s] = Channel((1 - k) * s + 255 * k);
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* s = RowPtr(y);
        for (int i = 0; i < FWidth * 3; ++i)
            s[i] = t[s[i]];
    }
}

void TskEffectBmp::ChangeDarkness(double k)
{
    k = ClampFactor(k);
    std::uint8_t t[256];
    for (int s = 0; s < 256; ++s)
        t[s] = Channel((1 - k) * s);
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* s = RowPtr(y);
        for (int i = 0; i < FWidth * 3; ++i)
            s[i] = t[s[i]];
    }
}

void TskEffectBmp::Grayscale()
{
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* p = RowPtr(y);
        for (int x = 0; x < FWidth; ++x, p += 3) {
            const std::uint8_t g = Channel(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]);
            p[0] = p[1] = p[2] = g;
        }
    }
}

void TskEffectBmp::Invert()
{
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* s = RowPtr(y);
        for (int i = 0; i < FWidth * 3; ++i)
            s[i] = static_cast<std::uint8_t>(255 - s[i]);
    }
}

void TskEffectBmp::SplitBlur(int n)
{
    if (n <= 0)
        return;
    // Rows are done in place from the top, so the upper samples are read in their new state. A lower or
    // right sample that would fall outside the picture takes the pixel's own row or column.
    for (int y = 0; y < FHeight; ++y) {
        const int up = y - n < 0 ? y : y - n;
        const int down = y + n < FHeight ? y + n : y;
        for (int x = 0; x < FWidth; ++x) {
            const int left = x - n < 0 ? x : x - n;
            const int right = x + n < FWidth ? x + n : x;
            for (int c = 0; c < 3; ++c) {
                const int sum = RowPtr(up)[3 * left + c] + RowPtr(down)[3 * left + c] + RowPtr(up)[3 * right + c]
                    + RowPtr(down)[3 * right + c];
                RowPtr(y)[3 * x + c] = static_cast<std::uint8_t>(sum / 4);
            }
        }
    }
}

void TskEffectBmp::AddNoise(int n)
{
    if (n <= 0)
        return;
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* p = RowPtr(y);
        for (int x = 0; x < FWidth; ++x, p += 3) {
            const int r = SkinRandom(n) - n / 2;
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<std::uint8_t>(std::clamp(p[c] + r, 0, 255));
        }
    }
}

// ---------------------------------------------------------------------------------------------------------
// Blur and caption text

namespace {

// One line of the stack blur: `count` pixels `stride` apart, channel values 0..2 of each pixel, in place.
void BlurLine(TPixel* first, int count, int stride, int r, std::vector<TPixel>& line)
{
    line.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        line[static_cast<std::size_t>(i)] = first[static_cast<std::size_t>(i) * stride];
    auto at = [&](int i) { return line[static_cast<std::size_t>(std::clamp(i, 0, count - 1))]; };
    const unsigned div = static_cast<unsigned>((r + 1) * (r + 1));
    for (int shift = 0; shift <= 16; shift += 8) {
        auto v = [&](int i) { return static_cast<unsigned>((at(i) >> shift) & 0xFF); };
        // Running sums: `sum` is the weighted window, `out` the half that loses weight as the window moves
        // (the centre and left of it), `in` the half that gains it.
        unsigned sum = 0, out = 0, in = 0;
        for (int i = -r; i <= r; ++i) {
            sum += v(i) * static_cast<unsigned>(r + 1 - std::abs(i));
            (i <= 0 ? out : in) += v(i);
        }
        for (int x = 0; x < count; ++x) {
            TPixel& p = first[static_cast<std::size_t>(x) * stride];
            p = (p & ~(0xFFu << shift)) | ((sum / div) << shift);
            sum -= out;
            in += v(x + r + 1);
            sum += in;
            out += v(x + 1) - v(x - r);
            in -= v(x + 1);
        }
    }
}

}  // namespace

void BoxBlur32(TskBitmap* B, int Radius)
{
    if (!B || B->Empty() || Radius < 1)
        return;
    const int w = B->Width(), h = B->Height();
    std::vector<TPixel> line;
    for (int y = 0; y < h; ++y)
        BlurLine(B->ScanLine(y), w, 1, Radius, line);
    for (int x = 0; x < w; ++x)
        BlurLine(B->Bits() + x, h, w, Radius, line);
    B->ResetAlpha(255);
}

void AlphaFromMask(TskBitmap* Dst, TskBitmap* Mask)
{
    if (!Dst || !Mask || Dst->Empty() || Mask->Empty())
        return;
    const int w = std::min(Dst->Width(), Mask->Width()), h = std::min(Dst->Height(), Mask->Height());
    for (int y = 0; y < h; ++y) {
        TPixel* d = Dst->ScanLine(y);
        const TPixel* m = Mask->ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const unsigned a = (((m[x] >> 16) & 0xFF) + ((m[x] >> 8) & 0xFF) + (m[x] & 0xFF)) / 3;
            d[x] = (d[x] & 0x00FFFFFFu) | (a << 24);
        }
    }
}

namespace {

// The bitmap's canvas with the caption's font in pure red on a clear brush: the red channel of what is
// drawn is then the text's coverage.
TCanvas* CoverageCanvas(TskBitmap& B, TCanvas* From)
{
    TCanvas* c = B.Canvas();
    c->Font()->Assign(From->Font());
    c->Font()->SetColor(clRed);
    c->Brush()->SetStyle(bsClear);
    return c;
}

void DrawCaption(TCanvas* Canvas, const TRect& R, const std::string& Text, UINT Flags)
{
    Canvas->Brush()->SetStyle(bsClear);
    TRect r = R;
    DrawWideText(Canvas, Text, r, Flags);
}

}  // namespace

void DrawGlowText(TCanvas* Canvas, const TRect& R, const std::string& Text, UINT Flags, int Offset, TColor GlowColor,
    int GlowSize)
{
    if (!Canvas)
        return;
    const int g = std::max(0, GlowSize);
    TskBitmap glow;
    glow.AllocateDib(R.Width() + 2 * g, R.Height() + 2 * g);
    if (!glow.Empty() && R.Width() > 0 && R.Height() > 0) {
        TCanvas* c = CoverageCanvas(glow, Canvas);
        TRect inner{g, g, glow.Width() - g, glow.Height() - g};
        DrawWideText(c, Text, inner, Flags);
        BoxBlur32(&glow, g);
        const TPixel colour = Color32(GlowColor) & 0x00FFFFFFu;
        for (int y = 0; y < glow.Height(); ++y) {
            TPixel* p = glow.ScanLine(y);
            for (int x = 0; x < glow.Width(); ++x)
                p[x] = ((p[x] >> 16 & 0xFF) << 24) | colour;
        }
        glow.SetAlphaBlend(true);
        glow.DrawTo(Canvas, R.Left + Offset - g, R.Top + Offset - g);
    }
    DrawCaption(Canvas, R, Text, Flags);
}

void DrawReflectionText(TCanvas* Canvas, const TRect& R, const std::string& Text, UINT Flags, int Offset,
    TColor ReflectionColor)
{
    if (!Canvas)
        return;
    const int W = R.Width(), H = R.Height();
    TskBitmap mirror;
    if (W > 0 && H > 0)
        mirror.AllocateDib(W, H);
    if (!mirror.Empty()) {
        TCanvas* c = CoverageCanvas(mirror, Canvas);
        TRect all{0, 0, W, H};
        DrawWideText(c, Text, all, Flags);
        TRect ext{0, 0, W, H};
        DrawWideText(c, Text, ext, Flags | DT_CALCRECT);
        TRect onCanvas = R;
        DrawWideText(Canvas, Text, onCanvas, Flags | DT_CALCRECT);
        // The measured bottom is an exclusive edge and may lie below the bitmap when the font is taller
        // than R: only rows inside the bitmap are touched, and the mirror is placed by the same bounds.
        const int T = ext.Top, Bt = ext.Bottom;
        const int first = std::max(T, 0), last = std::min(Bt, H);
        const TPixel colour = Color32(ReflectionColor) & 0x00FFFFFFu;
        for (int y = 0; y < H; ++y) {
            TPixel* p = mirror.ScanLine(y);
            if (Bt - T <= 0 || y < first || y >= last) {
                std::fill(p, p + W, 0u);
                continue;
            }
            double f = 0.7 - static_cast<double>(Bt - (y - T)) / (Bt - T);
            if (f < 0)
                f = 0;
            for (int x = 0; x < W; ++x)
                p[x] = (static_cast<TPixel>(std::trunc(((p[x] >> 16) & 0xFF) * f)) << 24) | colour;
        }
        for (int y = 0; y < H / 2; ++y)
            std::swap_ranges(mirror.ScanLine(y), mirror.ScanLine(y) + W, mirror.ScanLine(H - 1 - y));
        mirror.SetAlphaBlend(true);
        if (last > first)
            mirror.DrawTo(Canvas, R.Left, onCanvas.Bottom - (H - last) + Offset);
    }
    DrawCaption(Canvas, R, Text, Flags);
}
