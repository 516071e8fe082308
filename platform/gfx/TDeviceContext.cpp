#include "platform/gfx/TDeviceContext.h"

#include "platform/gfx/Raster.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

HPEN DefaultPen() { return static_cast<HPEN>(GetStockObject(BLACK_PEN)); }
HBRUSH DefaultBrush() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }
HFONT DefaultFont() { return static_cast<HFONT>(GetStockObject(SYSTEM_FONT)); }

}  // namespace

TDeviceContext::TDeviceContext()
{
    FState.Pen = DefaultPen();
    FState.Brush = DefaultBrush();
    FState.Font = DefaultFont();
}

TDeviceContext::TDeviceContext(TSurface* surface, TPoint origin, std::optional<TRegionShape> baseClip)
    : TDeviceContext()
{
    FOrigin = origin;
    FBaseClip = std::move(baseClip);
    FState.Bitmap = surface;
    Hold(surface);
}

TDeviceContext::~TDeviceContext()
{
    for (const TState& s : FSaved)
        DropState(s);
    DropState(FState);
}

void TDeviceContext::Hold(TGdiObject* o)
{
    if (o)
        o->AddSelection();
}

void TDeviceContext::Drop(TGdiObject* o)
{
    if (o)
        o->ReleaseSelection();
}

void TDeviceContext::HoldState(const TState& s)
{
    Hold(s.Pen);
    Hold(s.Brush);
    Hold(s.Font);
    Hold(s.Bitmap);
}

void TDeviceContext::DropState(const TState& s)
{
    Drop(s.Pen);
    Drop(s.Brush);
    Drop(s.Font);
    Drop(s.Bitmap);
}

namespace {

// Coordinates far outside any surface are held at a bound, so that adding origins can never overflow.
int Shift(int v, std::int64_t by) { return raster::Tame(v + by); }

}  // namespace

TPoint TDeviceContext::LogicalToDevice(TPoint p) const
{
    return {Shift(p.X, FState.ViewportOrg.X), Shift(p.Y, FState.ViewportOrg.Y)};
}

TRect TDeviceContext::LogicalToDevice(const TRect& r) const
{
    const std::int64_t dx = FState.ViewportOrg.X, dy = FState.ViewportOrg.Y;
    return {Shift(r.Left, dx), Shift(r.Top, dy), Shift(r.Right, dx), Shift(r.Bottom, dy)};
}

TPoint TDeviceContext::DeviceToSurface(TPoint p) const { return {Shift(p.X, FOrigin.X), Shift(p.Y, FOrigin.Y)}; }

const std::vector<TRect>& TDeviceContext::SurfaceClipRects() const
{
    // The clip is asked for by every drawing call, so it is worked out once per change.
    if (FClipValid && FClipSurface == FState.Bitmap && FClipOrigin == FOrigin)
        return FClipRects;
    FClipRects.clear();
    if (FState.Bitmap && !FState.Bitmap->Empty()) {
        TRect surf = FState.Bitmap->Bounds();
        OffsetRect(surf, -FOrigin.X, -FOrigin.Y);   // the surface in device coordinates
        TRegionShape area(surf);
        if (FBaseClip)
            area = area.Intersect(*FBaseClip);
        if (FState.Clip)
            area = area.Intersect(*FState.Clip);
        area.Offset(FOrigin.X, FOrigin.Y);
        FClipRects = area.Rects();
    }
    FClipValid = true;
    FClipSurface = FState.Bitmap;
    FClipOrigin = FOrigin;
    return FClipRects;
}

HPEN TDeviceContext::Select(HPEN pen)
{
    HPEN old = FState.Pen;
    if (!pen || pen == old)
        return pen ? old : nullptr;
    Hold(pen);
    FState.Pen = pen;
    Drop(old);
    return old;
}

HBRUSH TDeviceContext::Select(HBRUSH brush)
{
    HBRUSH old = FState.Brush;
    if (!brush || brush == old)
        return brush ? old : nullptr;
    Hold(brush);
    FState.Brush = brush;
    Drop(old);
    return old;
}

HFONT TDeviceContext::Select(HFONT font)
{
    HFONT old = FState.Font;
    if (!font || font == old)
        return font ? old : nullptr;
    Hold(font);
    FState.Font = font;
    Drop(old);
    return old;
}

HBITMAP TDeviceContext::Select(HBITMAP bitmap)
{
    HBITMAP old = FState.Bitmap;
    if (bitmap == old)
        return old;
    Hold(bitmap);
    FState.Bitmap = bitmap;
    Drop(old);
    FClipValid = false;
    return old;
}

int TDeviceContext::Save()
{
    FSaved.push_back(FState);
    HoldState(FState);
    return static_cast<int>(FSaved.size());
}

bool TDeviceContext::Restore(int level)
{
    const int depth = static_cast<int>(FSaved.size());
    if (level < 0)
        level = depth + 1 + level;
    if (level < 1 || level > depth)
        return false;
    while (static_cast<int>(FSaved.size()) > level) {
        DropState(FSaved.back());
        FSaved.pop_back();
    }
    DropState(FState);
    FState = std::move(FSaved.back());
    FSaved.pop_back();
    FClipValid = false;
    return true;
}

HDC CreateCompatibleDC(HDC) { return new TDeviceContext(); }

HDC CreateSurfaceDC(TSurface* surface, TPoint origin, const TRegionShape* baseClip)
{
    return new TDeviceContext(surface, origin, baseClip ? std::optional<TRegionShape>(*baseClip) : std::nullopt);
}

BOOL DeleteDC(HDC dc)
{
    if (!dc)
        return false;
    delete dc;
    return true;
}

int SelectClipRgn(HDC dc, HRGN rgn);

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    if (!dc || !object)
        return nullptr;
    switch (object->Kind()) {
    case TGdiKind::Pen: return dc->Select(static_cast<HPEN>(object));
    case TGdiKind::Brush: return dc->Select(static_cast<HBRUSH>(object));
    case TGdiKind::Font: return dc->Select(static_cast<HFONT>(object));
    case TGdiKind::Bitmap: return dc->Select(static_cast<HBITMAP>(object));
    case TGdiKind::Region:
        // The window system answers a region with its kind cast to a handle; callers only test it.
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(SelectClipRgn(dc, static_cast<HRGN>(object))));
    }
    return nullptr;
}

HPEN SelectObject(HDC dc, HPEN pen) { return dc ? dc->Select(pen) : nullptr; }
HBRUSH SelectObject(HDC dc, HBRUSH brush) { return dc ? dc->Select(brush) : nullptr; }
HFONT SelectObject(HDC dc, HFONT font) { return dc ? dc->Select(font) : nullptr; }
HBITMAP SelectObject(HDC dc, HBITMAP bitmap) { return dc ? dc->Select(bitmap) : nullptr; }

int SaveDC(HDC dc) { return dc ? dc->Save() : 0; }
BOOL RestoreDC(HDC dc, int level) { return dc && dc->Restore(level); }

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    if (!dc)
        return 0xFFFFFFFF;
    return std::exchange(dc->State().TextColor, color & 0xFFFFFF);
}
COLORREF GetTextColor(HDC dc) { return dc ? dc->State().TextColor : 0; }
COLORREF SetBkColor(HDC dc, COLORREF color)
{
    if (!dc)
        return 0xFFFFFFFF;
    return std::exchange(dc->State().BkColor, color & 0xFFFFFF);
}
int SetBkMode(HDC dc, int mode)
{
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return std::exchange(dc->State().BkMode, mode);
}
int SetStretchBltMode(HDC dc, int mode) { return dc ? std::exchange(dc->State().StretchMode, mode) : 0; }
int SetROP2(HDC dc, int rop2) { return dc ? std::exchange(dc->State().Rop2, rop2) : 0; }

BOOL SetViewportOrgEx(HDC dc, int x, int y, TPoint* old)
{
    if (!dc)
        return false;
    if (old)
        *old = dc->State().ViewportOrg;
    dc->State().ViewportOrg = {x, y};
    return true;
}

BOOL GetViewportOrgEx(HDC dc, TPoint* out)
{
    if (!dc || !out)
        return false;
    *out = dc->State().ViewportOrg;
    return true;
}

BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old)
{
    if (!dc)
        return false;
    TPoint& v = dc->State().ViewportOrg;
    if (old)
        *old = v;
    v = {v.X + dx, v.Y + dy};
    return true;
}

BOOL MoveToEx(HDC dc, int x, int y, TPoint* old)
{
    if (!dc)
        return false;
    if (old)
        *old = dc->State().CurrentPos;
    dc->State().CurrentPos = {x, y};
    return true;
}

namespace {

// The area a DC may draw on when it has no clip of its own, in device coordinates.
TRegionShape WholeArea(HDC dc)
{
    TRegionShape whole;
    if (dc->Surface()) {
        TRect r = dc->Surface()->Bounds();
        OffsetRect(r, -dc->Origin().X, -dc->Origin().Y);
        whole = TRegionShape(r);
    }
    if (dc->BaseClip())
        whole = dc->BaseClip()->Intersect(whole);
    return whole;
}

// Stands for "no clip" when a clip is combined with something: larger than any surface.
TRegionShape Everything() { return TRegionShape(Rect(-(1 << 29), -(1 << 29), 1 << 29, 1 << 29)); }

int ClipKind(HDC dc)
{
    const auto& clip = dc->State().Clip;
    return RegionKind(clip ? clip->Intersect(WholeArea(dc)) : WholeArea(dc));
}

TRect NormalRect(int l, int t, int r, int b)
{
    return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

}  // namespace

int SelectClipRgn(HDC dc, HRGN rgn)
{
    if (!dc)
        return RGN_ERROR;
    auto& clip = dc->State().Clip;
    if (rgn)
        clip = rgn->Shape;
    else
        clip.reset();
    dc->ClipChanged();
    return ClipKind(dc);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom)
{
    if (!dc)
        return RGN_ERROR;
    const TRegionShape r(dc->LogicalToDevice(NormalRect(left, top, right, bottom)));
    auto& clip = dc->State().Clip;
    clip = clip ? clip->Intersect(r) : r;
    dc->ClipChanged();
    return ClipKind(dc);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom)
{
    if (!dc)
        return RGN_ERROR;
    const TRegionShape r(dc->LogicalToDevice(NormalRect(left, top, right, bottom)));
    auto& clip = dc->State().Clip;
    clip = clip ? clip->Subtract(r) : Everything().Subtract(r);
    dc->ClipChanged();
    return ClipKind(dc);
}

int GetClipBox(HDC dc, TRect& box)
{
    box = {};
    if (!dc)
        return RGN_ERROR;
    const auto& clip = dc->State().Clip;
    const TRegionShape area = clip ? clip->Intersect(WholeArea(dc)) : WholeArea(dc);
    box = area.Box();
    const TPoint v = dc->State().ViewportOrg;
    if (!area.IsEmpty()) {
        const std::int64_t dx = -std::int64_t(v.X), dy = -std::int64_t(v.Y);
        box = {raster::Tame(box.Left + dx), raster::Tame(box.Top + dy), raster::Tame(box.Right + dx), raster::Tame(box.Bottom + dy)};
    }
    return RegionKind(area);
}

int GetDeviceCaps(HDC dc, int index)
{
    switch (index) {
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return dc && dc->Surface() ? dc->Surface()->Width() : 0;
    case VERTRES: return dc && dc->Surface() ? dc->Surface()->Height() : 0;
    default: return 0;
    }
}
