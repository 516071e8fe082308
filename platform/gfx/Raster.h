#pragma once
// Inner helpers of the drawing code: walking the clip of a DC over a rectangle of surface pixels, and
// plotting single pixels through the clip. Not for use outside platform/gfx.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gfx/TDeviceContext.h"

namespace raster {

// Coordinates are held within +-2^29 before any arithmetic, so that sums and widths of what is drawn can
// never overflow; that is far beyond any surface.
constexpr std::int64_t CoordLimit = 1 << 29;
inline int Tame(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, -CoordLimit, CoordLimit)); }
inline TRect Tame(const TRect& r) { return {Tame(r.Left), Tame(r.Top), Tame(r.Right), Tame(r.Bottom)}; }

// Calls f(row, x0, x1, y) for every piece of `area` (surface pixels) that the DC's clip lets through;
// row points at pixel (0, y) of the surface, x0..x1 is the span to touch (x1 exclusive).
template <typename F>
void ForEachSpan(const TDeviceContext& dc, const TRect& area, F f)
{
    if (area.IsEmpty())
        return;
    TSurface* s = dc.Surface();
    if (!s)
        return;
    for (const TRect& c : dc.SurfaceClipRects()) {
        if (c.Top >= area.Bottom)
            break;
        TRect piece;
        if (!IntersectRect(piece, c, area))
            continue;
        for (int y = piece.Top; y < piece.Bottom; ++y)
            f(s->ScanLine(y), piece.Left, piece.Right, y);
    }
}

// A surface rectangle for a logical one, put the right way round when asked.
TRect ToSurface(const TDeviceContext& dc, const TRect& logical);
TPoint ToSurface(const TDeviceContext& dc, TPoint logical);

// True when surface pixel (x, y) may be drawn.
bool InClip(const TDeviceContext& dc, int x, int y);

enum class TPixelOp { Copy, Xor, Not };

// Plots one surface pixel through the clip.
inline void Plot(const TDeviceContext& dc, int x, int y, TPixel colour, TPixelOp op = TPixelOp::Copy)
{
    if (!InClip(dc, x, y))
        return;
    TPixel& p = dc.Surface()->ScanLine(y)[x];
    switch (op) {
    case TPixelOp::Copy: p = colour; break;
    case TPixelOp::Xor: p = (p ^ (colour & 0x00FFFFFF)) | 0xFF000000u; break;
    case TPixelOp::Not: p = (~p & 0x00FFFFFF) | 0xFF000000u; break;
    }
}

void FillSpans(const TDeviceContext& dc, const TRect& surfaceArea, TPixel colour);

}  // namespace raster
