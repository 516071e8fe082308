#pragma once
// Regions as lists of rectangles. TRegionShape is the value type (used by the window layer for update and
// window regions too); TGdiRegion is the drawing object behind an HRGN. The rectangles are kept in one
// canonical form (bands top to bottom, rectangles left to right inside a band, neighbouring bands with the
// same spans merged), so two regions covering the same pixels compare equal.
#include <cstdint>
#include <vector>

#include "platform/gfx/GdiObjects.h"
#include "platform/rtl/Types.h"

class TRegionShape {
public:
    TRegionShape() = default;
    explicit TRegionShape(const TRect& r);
    // Any rectangles, overlapping or not; empty ones are ignored.
    static TRegionShape FromRects(const std::vector<TRect>& rects);

    bool IsEmpty() const { return FRects.empty(); }
    const std::vector<TRect>& Rects() const { return FRects; }
    TRect Box() const;
    bool Contains(TPoint p) const;
    bool Intersects(const TRect& r) const;
    bool IsRect() const { return FRects.size() == 1; }

    TRegionShape Union(const TRegionShape& other) const;
    TRegionShape Intersect(const TRegionShape& other) const;
    TRegionShape Subtract(const TRegionShape& other) const;
    TRegionShape Xor(const TRegionShape& other) const;
    void Offset(int dx, int dy);
    void Clear() { FRects.clear(); }

    friend bool operator==(const TRegionShape&, const TRegionShape&) = default;

private:
    std::vector<TRect> FRects;
};

class TGdiRegion : public TGdiObject {
public:
    TGdiRegion() = default;
    explicit TGdiRegion(const TRegionShape& s) : Shape(s) {}
    TGdiKind Kind() const override { return TGdiKind::Region; }
    TRegionShape Shape;
};

using HRGN = TGdiRegion*;

// Region kinds, as CombineRgn and the clip calls return them.
enum : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
#ifndef ERROR
constexpr int ERROR = RGN_ERROR;
#endif
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

int RegionKind(const TRegionShape& s);

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect& r);

// The window system's region data block: a 32-byte header then nCount rectangles of 16 bytes.
constexpr DWORD RDH_RECTANGLES = 1;
struct RGNDATAHEADER {
    DWORD dwSize = 32;
    DWORD iType = RDH_RECTANGLES;
    DWORD nCount = 0;
    DWORD nRgnSize = 0;
    TRect rcBound;
};
static_assert(sizeof(RGNDATAHEADER) == 32);
struct XFORM;   // transforms are not supported; pass nullptr

// Builds a region from a region data block of `count` bytes. Null (0) when the block is shorter than its
// header, has another type, or states more rectangles than the block holds.
HRGN ExtCreateRegion(const XFORM* xform, DWORD count, const void* data);

// dest := src1 op src2 (src2 unused for RGN_COPY). Any null handle needed by the operation gives RGN_ERROR
// and leaves dest unchanged.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
BOOL PtInRegion(HRGN rgn, int x, int y);
