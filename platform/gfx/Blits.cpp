#include "platform/gfx/Blits.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/gfx/Blend.h"
#include "platform/gfx/Drawing.h"
#include "platform/gfx/Raster.h"

namespace {

enum class TBlitKind { Copy, Raster, Transparent, Blend };

struct TBlitOp {
    TBlitKind Kind = TBlitKind::Copy;
    DWORD Rop = SRCCOPY;
    TPixel Key = 0;           // transparent colour as pixel bits (alpha cleared)
    unsigned Constant = 255;  // blend: constant weight
    bool PerPixel = false;    // blend: times source alpha
};

inline TPixel RopPixel(DWORD rop, TPixel s, TPixel d)
{
    switch (rop) {
    case SRCPAINT: return (s | d) | 0xFF000000u;
    case SRCAND: return (s & d) | 0xFF000000u;
    case SRCINVERT: return (s ^ d) | 0xFF000000u;
    case SRCERASE: return (s & ~d) | 0xFF000000u;
    case NOTSRCCOPY: return ~s | 0xFF000000u;
    case MERGEPAINT: return (~s | d) | 0xFF000000u;
    default: return s;
    }
}

// Applies the operation to count pixels; src[i] is the source of dst[i].
void ApplyRow(const TBlitOp& op, const TPixel* src, TPixel* dst, int count)
{
    switch (op.Kind) {
    case TBlitKind::Copy: std::memmove(dst, src, static_cast<std::size_t>(count) * 4); break;
    case TBlitKind::Raster:
        for (int i = 0; i < count; ++i)
            dst[i] = RopPixel(op.Rop, src[i], dst[i]);
        break;
    case TBlitKind::Transparent:
        for (int i = 0; i < count; ++i)
            if ((src[i] & 0x00FFFFFFu) != op.Key)
                dst[i] = src[i] | 0xFF000000u;
        break;
    case TBlitKind::Blend: BlendRun(src, dst, count, op.Constant, op.PerPixel); break;
    }
}

// Maps `dstLen` destination indexes onto a source run of srcLen pixels from srcStart, by the pixel centre
// rule; `mirror` reverses the run.
std::vector<int> MakeMap(int dstLen, int srcStart, int srcLen, bool mirror)
{
    std::vector<int> map(dstLen);
    for (int i = 0; i < dstLen; ++i) {
        const int k = mirror ? dstLen - 1 - i : i;
        map[i] = srcStart + static_cast<int>(((2 * static_cast<std::int64_t>(k) + 1) * srcLen) / (2 * static_cast<std::int64_t>(dstLen)));
    }
    return map;
}

bool Usable(HDC dc) { return dc && dc->Surface() && !dc->Surface()->Empty(); }

// The common path of every blit: the destination rectangle (logical, in dst), the source rectangle
// (logical, in src); equal sizes copy 1:1, others stretch. Destination pixels whose source falls outside the
// source surface are left alone.
BOOL Transfer(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, const TBlitOp& op)
{
    if (!dst || !src)
        return false;
    if (!Usable(dst) || !Usable(src) || w == 0 || h == 0 || sw == 0 || sh == 0)
        return true;
    // Sizes far beyond any surface are refused rather than mapped (the maps would be huge).
    constexpr int limit = 4 * TSurface::MaxSide;
    if (std::abs(static_cast<std::int64_t>(w)) > limit || std::abs(static_cast<std::int64_t>(h)) > limit ||
        std::abs(static_cast<std::int64_t>(sw)) > limit || std::abs(static_cast<std::int64_t>(sh)) > limit)
        return false;
    const bool mirrorX = (w < 0) != (sw < 0);
    const bool mirrorY = (h < 0) != (sh < 0);
    // A negative extent runs leftwards (upwards) from its start pixel, which it includes.
    auto span = [](std::int64_t start, std::int64_t len, int& lo, int& hi) {
        lo = raster::Tame(len < 0 ? start + len + 1 : start);
        hi = raster::Tame(len < 0 ? start + 1 : start + len);
    };
    TRect dl, srl;
    span(x, w, dl.Left, dl.Right);
    span(y, h, dl.Top, dl.Bottom);
    span(sx, sw, srl.Left, srl.Right);
    span(sy, sh, srl.Top, srl.Bottom);
    TRect dr = raster::ToSurface(*dst, dl);
    const TRect sr = raster::ToSurface(*src, srl);
    const TSurface& ss = *src->Surface();
    const int dw = dr.Width(), dh = dr.Height();
    const bool oneToOne = dw == sr.Width() && dh == sr.Height() && !mirrorX && !mirrorY;

    // The rows of the source that may be read: those of the source rectangle that exist. A blit within one
    // surface may overlap itself, so those rows are read from a copy then.
    const int rowTop = std::max(0, sr.Top), rowBottom = std::min(ss.Height(), sr.Bottom);
    if (rowTop >= rowBottom)
        return true;
    const std::size_t rowPixels = static_cast<std::size_t>(ss.Width());
    std::vector<TPixel> copy;
    const TPixel* base = ss.ScanLine(rowTop);
    if (src->Surface() == dst->Surface()) {
        copy.assign(base, base + rowPixels * (rowBottom - rowTop));
        base = copy.data();
    }
    auto sourceRow = [&](int sy) { return base + static_cast<std::size_t>(sy - rowTop) * rowPixels; };

    if (oneToOne) {
        const int ox = sr.Left - dr.Left, oy = sr.Top - dr.Top;
        // Limit the destination to where the source exists.
        TRect valid = {0, rowTop, ss.Width(), rowBottom};
        OffsetRect(valid, -ox, -oy);
        TRect area;
        if (!IntersectRect(area, dr, valid))
            return true;
        raster::ForEachSpan(*dst, area, [&](TPixel* row, int x0, int x1, int yy) {
            ApplyRow(op, sourceRow(yy + oy) + x0 + ox, row + x0, x1 - x0);
        });
        return true;
    }

    const std::vector<int> xmap = MakeMap(dw, sr.Left, sr.Width(), mirrorX);
    const std::vector<int> ymap = MakeMap(dh, sr.Top, sr.Height(), mirrorY);
    std::vector<TPixel> buffer;
    raster::ForEachSpan(*dst, dr, [&](TPixel* row, int x0, int x1, int yy) {
        const int syy = ymap[yy - dr.Top];
        if (syy < rowTop || syy >= rowBottom)
            return;
        const TPixel* srow = sourceRow(syy);
        // Gather the mapped source pixels of the span, then apply the operation to the runs that exist.
        buffer.resize(x1 - x0);
        int runStart = -1;
        for (int xx = x0; xx <= x1; ++xx) {
            const int sxx = xx < x1 ? xmap[xx - dr.Left] : -1;
            const bool inside = sxx >= 0 && sxx < ss.Width();
            if (inside) {
                buffer[xx - x0] = srow[sxx];
                if (runStart < 0)
                    runStart = xx;
            } else if (runStart >= 0) {
                ApplyRow(op, buffer.data() + (runStart - x0), row + runStart, xx - runStart);
                runStart = -1;
            }
        }
    });
    return true;
}

}  // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop)
{
    switch (rop) {
    case PATCOPY:
    case PATINVERT:
    case DSTINVERT:
    case BLACKNESS:
    case WHITENESS:
        // Operations that do not read a source.
        return PatBlt(dst, x, y, width, height, rop);
    case SRCCOPY: return Transfer(dst, x, y, width, height, src, srcX, srcY, width, height, TBlitOp{});
    case SRCPAINT:
    case SRCAND:
    case SRCINVERT:
    case SRCERASE:
    case NOTSRCCOPY:
    case MERGEPAINT:
        return Transfer(dst, x, y, width, height, src, srcX, srcY, width, height, TBlitOp{TBlitKind::Raster, rop});
    default: return false;
    }
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, DWORD rop)
{
    switch (rop) {
    case PATCOPY:
    case PATINVERT:
    case DSTINVERT:
    case BLACKNESS:
    case WHITENESS: return PatBlt(dst, x, y, width, height, rop);
    case SRCCOPY:
        return Transfer(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, TBlitOp{});
    case SRCPAINT:
    case SRCAND:
    case SRCINVERT:
    case SRCERASE:
    case NOTSRCCOPY:
    case MERGEPAINT:
        return Transfer(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight,
            TBlitOp{TBlitKind::Raster, rop});
    default: return false;
    }
}

BOOL TileBlt(HDC dst, const TRect& dstRect, HDC src, const TRect& srcRect)
{
    if (!Usable(dst) || !Usable(src) || dst->Surface() == src->Surface())
        return false;
    const TSurface& ss = *src->Surface();
    const TRect sr = raster::ToSurface(*src, srcRect);
    TRect inside;
    if (sr.IsEmpty() || !IntersectRect(inside, sr, ss.Bounds()) || inside != sr)
        return false;
    const TRect dr = raster::ToSurface(*dst, raster::Tame(dstRect));
    const int w = sr.Width(), h = sr.Height();
    TSurface& ds = *dst->Surface();
    if (dr.IsEmpty())
        return true;
    for (const TRect& c : dst->SurfaceClipRects()) {
        if (c.Top >= dr.Bottom)
            break;
        TRect span;
        if (!IntersectRect(span, c, dr))
            continue;
        const std::size_t bytes = static_cast<std::size_t>(span.Width()) * sizeof(TPixel);
        for (int y = span.Top; y < span.Bottom; ++y) {
            TPixel* row = ds.ScanLine(y);
            // A row a whole tile below one already drawn in this span repeats it: one copy of the span.
            if (y - span.Top >= h) {
                std::memcpy(row + span.Left, ds.ScanLine(y - h) + span.Left, bytes);
                continue;
            }
            const TPixel* piece = ss.ScanLine(sr.Top + (y - dr.Top) % h) + sr.Left;
            int x = span.Left;
            const int k = (x - dr.Left) % w;
            int n = std::min(w - k, span.Right - x);
            std::memcpy(row + x, piece + k, static_cast<std::size_t>(n) * sizeof(TPixel));
            x += n;
            // From the first whole tile on, what the row already holds repeats, twice as long each time.
            const int first = x;
            if (x < span.Right) {
                n = std::min(w, span.Right - x);
                std::memcpy(row + x, piece, static_cast<std::size_t>(n) * sizeof(TPixel));
                x += n;
            }
            while (x < span.Right) {
                n = std::min(x - first, span.Right - x);
                std::memcpy(row + x, row + first, static_cast<std::size_t>(n) * sizeof(TPixel));
                x += n;
            }
        }
    }
    return true;
}

BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, UINT transparent)
{
    TBlitOp op;
    op.Kind = TBlitKind::Transparent;
    op.Key = RgbToPixel(transparent) & 0x00FFFFFFu;
    return Transfer(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, op);
}

BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
    int srcHeight, BLENDFUNCTION blend)
{
    if (blend.BlendOp != AC_SRC_OVER || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return false;
    TBlitOp op;
    op.Kind = TBlitKind::Blend;
    op.Constant = blend.SourceConstantAlpha;
    op.PerPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    if (!op.PerPixel) {
        // A constant weight applies to every pixel whatever its alpha.
        if (op.Constant == 255)
            return Transfer(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, TBlitOp{});
    }
    return Transfer(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, op);
}

namespace {

bool DibFormatOk(const BITMAPINFOHEADER& h)
{
    return h.biSize >= 40 && (h.biBitCount == 24 || h.biBitCount == 32) && h.biCompression == BI_RGB &&
           h.biWidth > 0 && h.biWidth <= TSurface::MaxSide && h.biHeight != 0 && h.biHeight >= -TSurface::MaxSide && h.biHeight <= TSurface::MaxSide;
}

}  // namespace

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int srcX, int srcY, UINT startScan,
    UINT lines, const void* bits, const BITMAPINFO* info, UINT)
{
    if (!dc || !bits || !info || !DibFormatOk(info->bmiHeader) || startScan != 0)
        return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const bool topDown = h.biHeight < 0;
    const int dibW = h.biWidth, dibH = std::abs(h.biHeight);
    if (lines < static_cast<UINT>(dibH) || width > static_cast<DWORD>(dibW) * 4 || height > static_cast<DWORD>(dibH) * 4)
        return 0;
    if (!Usable(dc))
        return dibH;
    const int w = static_cast<int>(width), hh = static_cast<int>(height);
    const int rowBytes = DibRowBytes(dibW, h.biBitCount);
    const TRect dr = raster::ToSurface(*dc, raster::Tame(TRect{x, y, raster::Tame(std::int64_t(x) + w), raster::Tame(std::int64_t(y) + hh)}));
    raster::ForEachSpan(*dc, dr, [&](TPixel* row, int x0, int x1, int yy) {
        const int j = yy - dr.Top;
        // The source rectangle starts at the picture's top-left for a top-down DIB and at its bottom-left
        // for a bottom-up one.
        const int topRow = topDown ? srcY + j : dibH - srcY - hh + j;
        if (topRow < 0 || topRow >= dibH)
            return;
        const int memRow = topDown ? topRow : dibH - 1 - topRow;
        const auto* in = static_cast<const std::uint8_t*>(bits) + static_cast<std::size_t>(memRow) * rowBytes;
        for (int xx = x0; xx < x1; ++xx) {
            const int sxx = srcX + (xx - dr.Left);
            if (sxx < 0 || sxx >= dibW)
                continue;
            if (h.biBitCount == 32) {
                std::memcpy(&row[xx], in + sxx * 4, 4);
            } else {
                const std::uint8_t* p = in + sxx * 3;
                row[xx] = 0xFF000000u | (TPixel(p[2]) << 16) | (TPixel(p[1]) << 8) | p[0];
            }
        }
    });
    return dibH;
}
