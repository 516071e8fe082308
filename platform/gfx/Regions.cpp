#include "platform/gfx/Regions.h"

#include <climits>
#include <cstring>

namespace {

struct TSpan {
    int L;
    int R;
    friend bool operator==(const TSpan&, const TSpan&) = default;
};

struct TBand {
    int Top;
    int Bottom;
    std::vector<TSpan> Spans;
};

std::vector<TBand> ToBands(const std::vector<TRect>& rects)
{
    std::vector<TBand> bands;
    for (const TRect& r : rects) {
        if (bands.empty() || bands.back().Top != r.Top)
            bands.push_back({r.Top, r.Bottom, {}});
        bands.back().Spans.push_back({r.Left, r.Right});
    }
    return bands;
}

// Combines two sorted, disjoint span lists; keep(inA, inB) says which parts stay.
template <typename Keep>
void CombineSpans(const std::vector<TSpan>& a, const std::vector<TSpan>& b, Keep keep, std::vector<TSpan>& out)
{
    out.clear();
    std::size_t i = 0, j = 0;
    int x = INT_MIN;
    while (i < a.size() || j < b.size()) {
        // The next edge after x of either list decides the next piece.
        const bool inA = i < a.size() && a[i].L <= x;
        const bool inB = j < b.size() && b[j].L <= x;
        int next = INT_MAX;
        if (i < a.size())
            next = std::min(next, inA ? a[i].R : a[i].L);
        if (j < b.size())
            next = std::min(next, inB ? b[j].R : b[j].L);
        if (keep(inA, inB) && x != INT_MIN && next > x) {
            if (!out.empty() && out.back().R == x)
                out.back().R = next;
            else
                out.push_back({x, next});
        }
        x = next;
        if (i < a.size() && a[i].R <= x)
            ++i;
        if (j < b.size() && b[j].R <= x)
            ++j;
    }
}

// Sweeps the bands of both regions from top to bottom and keeps, in every horizontal slice, the spans the
// operation keeps; equal neighbouring slices merge, which gives the canonical form.
template <typename Keep>
std::vector<TRect> Combine(const std::vector<TRect>& ra, const std::vector<TRect>& rb, Keep keep)
{
    const std::vector<TBand> a = ToBands(ra);
    const std::vector<TBand> b = ToBands(rb);
    const std::vector<TSpan> none;
    std::vector<TRect> out;
    std::vector<TSpan> spans;
    std::vector<TSpan> lastSpans;
    int lastBottom = INT_MIN;
    std::size_t lastStart = 0;
    std::size_t i = 0, j = 0;
    int y = INT_MIN;
    if (!a.empty())
        y = a[0].Top;
    if (!b.empty())
        y = a.empty() ? b[0].Top : std::min(y, b[0].Top);
    while (i < a.size() || j < b.size()) {
        const bool inA = i < a.size() && a[i].Top <= y;
        const bool inB = j < b.size() && b[j].Top <= y;
        int next = INT_MAX;
        if (i < a.size())
            next = std::min(next, inA ? a[i].Bottom : a[i].Top);
        if (j < b.size())
            next = std::min(next, inB ? b[j].Bottom : b[j].Top);
        if (next > y) {
            CombineSpans(inA ? a[i].Spans : none, inB ? b[j].Spans : none, keep, spans);
            if (!spans.empty()) {
                if (lastBottom == y && spans == lastSpans) {
                    for (std::size_t k = lastStart; k < out.size(); ++k)
                        out[k].Bottom = next;
                } else {
                    lastStart = out.size();
                    for (const TSpan& s : spans)
                        out.push_back({s.L, y, s.R, next});
                    lastSpans = spans;
                }
                lastBottom = next;
            }
        }
        y = next;
        if (i < a.size() && a[i].Bottom <= y)
            ++i;
        if (j < b.size() && b[j].Bottom <= y)
            ++j;
    }
    return out;
}

std::vector<TRect> UnionAll(const std::vector<TRect>& rects, std::size_t from, std::size_t to)
{
    if (to - from == 1) {
        if (rects[from].IsEmpty())
            return {};
        return {rects[from]};
    }
    const std::size_t mid = from + (to - from) / 2;
    return Combine(UnionAll(rects, from, mid), UnionAll(rects, mid, to), [](bool a, bool b) { return a || b; });
}

}  // namespace

TRegionShape::TRegionShape(const TRect& r)
{
    if (!r.IsEmpty())
        FRects.push_back(r);
}

TRegionShape TRegionShape::FromRects(const std::vector<TRect>& rects)
{
    TRegionShape s;
    if (!rects.empty())
        s.FRects = UnionAll(rects, 0, rects.size());
    return s;
}

TRect TRegionShape::Box() const
{
    if (FRects.empty())
        return {};
    TRect box = FRects.front();
    for (const TRect& r : FRects) {
        box.Left = std::min(box.Left, r.Left);
        box.Right = std::max(box.Right, r.Right);
    }
    box.Bottom = FRects.back().Bottom;
    return box;
}

bool TRegionShape::Contains(TPoint p) const
{
    for (const TRect& r : FRects) {
        if (r.Top > p.Y)
            break;
        if (r.Contains(p))
            return true;
    }
    return false;
}

bool TRegionShape::Intersects(const TRect& q) const
{
    TRect dummy;
    for (const TRect& r : FRects) {
        if (r.Top >= q.Bottom)
            break;
        if (IntersectRect(dummy, r, q))
            return true;
    }
    return false;
}

// The window layer combines regions for every window it paints, mostly plain rectangles and regions
// that do not meet: those cases are answered without the sweep (its answer would be the same).
namespace {

bool Covers(const TRect& outer, const TRect& inner)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right && inner.Bottom <= outer.Bottom;
}

bool BoxesMeet(const TRegionShape& a, const TRegionShape& b)
{
    TRect dummy;
    return !a.IsEmpty() && !b.IsEmpty() && IntersectRect(dummy, a.Box(), b.Box());
}

// One rectangle of `region` holds all of `box`: the usual answer when a window meets the rounded
// outline of its top-level window, whose big middle band covers everything but the corners.
bool OneRectCovers(const TRegionShape& region, const TRect& box)
{
    for (const TRect& r : region.Rects()) {
        if (r.Top > box.Top)
            break;
        if (Covers(r, box))
            return true;
    }
    return false;
}

}  // namespace

TRegionShape TRegionShape::Union(const TRegionShape& o) const
{
    if (o.IsEmpty())
        return *this;
    if (IsEmpty())
        return o;
    TRegionShape s;
    s.FRects = Combine(FRects, o.FRects, [](bool a, bool b) { return a || b; });
    return s;
}

TRegionShape TRegionShape::Intersect(const TRegionShape& o) const
{
    if (!BoxesMeet(*this, o))
        return {};
    if (IsRect() && o.IsRect()) {
        TRect r;
        IntersectRect(r, FRects.front(), o.FRects.front());
        return TRegionShape(r);
    }
    if (OneRectCovers(o, Box()))
        return *this;
    if (OneRectCovers(*this, o.Box()))
        return o;
    TRegionShape s;
    s.FRects = Combine(FRects, o.FRects, [](bool a, bool b) { return a && b; });
    return s;
}

TRegionShape TRegionShape::Subtract(const TRegionShape& o) const
{
    if (!BoxesMeet(*this, o))
        return *this;
    TRegionShape s;
    s.FRects = Combine(FRects, o.FRects, [](bool a, bool b) { return a && !b; });
    return s;
}

TRegionShape TRegionShape::Xor(const TRegionShape& o) const
{
    TRegionShape s;
    s.FRects = Combine(FRects, o.FRects, [](bool a, bool b) { return a != b; });
    return s;
}

void TRegionShape::Offset(int dx, int dy)
{
    // Saturating, so that a wild offset cannot overflow; regions that far out are meaningless anyway.
    auto move = [](int v, int d) {
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t(v) + d, -(std::int64_t(1) << 30), std::int64_t(1) << 30));
    };
    for (TRect& r : FRects)
        r = {move(r.Left, dx), move(r.Top, dy), move(r.Right, dx), move(r.Bottom, dy)};
    std::erase_if(FRects, [](const TRect& r) { return r.IsEmpty(); });
}

int RegionKind(const TRegionShape& s)
{
    if (s.IsEmpty())
        return NULLREGION;
    return s.IsRect() ? SIMPLEREGION : COMPLEXREGION;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    // Like the window system, a rectangle given the wrong way round is put right.
    return new TGdiRegion(TRegionShape(Rect(std::min(left, right), std::min(top, bottom), std::max(left, right),
        std::max(top, bottom))));
}

HRGN CreateRectRgnIndirect(const TRect& r) { return CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom); }

HRGN ExtCreateRegion(const XFORM* xform, DWORD count, const void* data)
{
    if (xform || !data || count < sizeof(RGNDATAHEADER))
        return nullptr;
    RGNDATAHEADER h;
    std::memcpy(&h, data, sizeof h);
    if (h.dwSize != sizeof(RGNDATAHEADER) || h.iType != RDH_RECTANGLES)
        return nullptr;
    if (h.nCount > (count - sizeof(RGNDATAHEADER)) / sizeof(TRect))
        return nullptr;
    std::vector<TRect> rects(h.nCount);
    if (h.nCount)
        std::memcpy(rects.data(), static_cast<const std::uint8_t*>(data) + sizeof h, h.nCount * sizeof(TRect));
    return new TGdiRegion(TRegionShape::FromRects(rects));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode)
{
    if (!dest || !src1)
        return RGN_ERROR;
    if (mode == RGN_COPY) {
        dest->Shape = src1->Shape;
        return RegionKind(dest->Shape);
    }
    if (!src2)
        return RGN_ERROR;
    switch (mode) {
    case RGN_AND: dest->Shape = src1->Shape.Intersect(src2->Shape); break;
    case RGN_OR: dest->Shape = src1->Shape.Union(src2->Shape); break;
    case RGN_XOR: dest->Shape = src1->Shape.Xor(src2->Shape); break;
    case RGN_DIFF: dest->Shape = src1->Shape.Subtract(src2->Shape); break;
    default: return RGN_ERROR;
    }
    return RegionKind(dest->Shape);
}

BOOL PtInRegion(HRGN rgn, int x, int y) { return rgn && rgn->Shape.Contains({x, y}); }
