#pragma once
// The device context: where drawing goes and with what. Coordinates given to drawing calls are logical;
// they become device coordinates by  device = logical + ViewportOrg,  and device coordinates
// become surface pixels by adding the DC's Origin (set by whoever made the DC: the window layer puts a
// child window's client area there). Clip regions (SelectClipRgn, IntersectClipRect, ...) are kept in
// device coordinates; what is drawn is limited to clip ∩ base clip ∩ the surface.
#include <memory>
#include <optional>
#include <vector>

#include "platform/gfx/Colors.h"
#include "platform/gfx/GdiObjects.h"
#include "platform/gfx/Regions.h"
#include "platform/gfx/TSurface.h"
#include "platform/rtl/Types.h"

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4, STRETCH_DELETESCANS = COLORONCOLOR };
enum : int { R2_NOT = 6, R2_XORPEN = 7, R2_COPYPEN = 13 };

class TDeviceContext {
public:
    // Everything SaveDC saves and RestoreDC brings back.
    struct TState {
        HPEN Pen = nullptr;
        HBRUSH Brush = nullptr;
        HFONT Font = nullptr;
        HBITMAP Bitmap = nullptr;
        COLORREF TextColor = 0;
        COLORREF BkColor = 0xFFFFFF;
        int BkMode = OPAQUE;
        int StretchMode = BLACKONWHITE;
        int Rop2 = R2_COPYPEN;
        TPoint ViewportOrg;
        TPoint CurrentPos;
        std::optional<TRegionShape> Clip;   // device coordinates; none = no clip of its own
    };

    // A memory DC with no surface (drawing does nothing until a bitmap is selected).
    TDeviceContext();
    // A DC drawing into `surface` (not owned), whose device (0, 0) is surface pixel `origin`, limited to
    // `baseClip` (device coordinates) when given. The window layer makes its window DCs this way.
    TDeviceContext(TSurface* surface, TPoint origin, std::optional<TRegionShape> baseClip);
    ~TDeviceContext();
    TDeviceContext(const TDeviceContext&) = delete;
    TDeviceContext& operator=(const TDeviceContext&) = delete;

    TState& State() { return FState; }
    const TState& State() const { return FState; }
    TSurface* Surface() const { return FState.Bitmap; }
    TPoint Origin() const { return FOrigin; }
    const std::optional<TRegionShape>& BaseClip() const { return FBaseClip; }

    // Coordinate helpers used by the drawing code.
    TPoint LogicalToDevice(TPoint p) const;
    TRect LogicalToDevice(const TRect& r) const;
    TPoint DeviceToSurface(TPoint p) const;
    // The area that may be painted, in surface pixels, as sorted rectangles; empty when nothing may be.
    const std::vector<TRect>& SurfaceClipRects() const;

    // Selection; each returns the previously selected object of the kind.
    HPEN Select(HPEN pen);
    HBRUSH Select(HBRUSH brush);
    HFONT Select(HFONT font);
    HBITMAP Select(HBITMAP bitmap);

    int Save();
    bool Restore(int level);

    // Resolved attributes for the drawing code.
    const TLogPen& Pen() const { return FState.Pen->Data; }
    const TLogBrush& Brush() const { return FState.Brush->Data; }
    const TLogFont& Font() const { return FState.Font->Data; }

    void ClipChanged() { FClipValid = false; }

private:
    void Hold(TGdiObject* o);
    void Drop(TGdiObject* o);
    void HoldState(const TState& s);
    void DropState(const TState& s);

    TState FState;
    std::vector<TState> FSaved;
    TPoint FOrigin;
    std::optional<TRegionShape> FBaseClip;
    mutable bool FClipValid = false;
    mutable std::vector<TRect> FClipRects;
    mutable TSurface* FClipSurface = nullptr;
    mutable TPoint FClipOrigin;
};

using HDC = TDeviceContext*;

HDC CreateCompatibleDC(HDC dc);   // dc may be null
// A DC on a surface for the window layer (see the constructor above). Free it with DeleteDC. The surface must
// outlive the DC; a surface owned by its creator must never be given to DeleteObject.
HDC CreateSurfaceDC(TSurface* surface, TPoint origin, const TRegionShape* baseClip);
BOOL DeleteDC(HDC dc);

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);   // for a region: SelectClipRgn, returns the region kind
HPEN SelectObject(HDC dc, HPEN pen);
HBRUSH SelectObject(HDC dc, HBRUSH brush);
HFONT SelectObject(HDC dc, HFONT font);
HBITMAP SelectObject(HDC dc, HBITMAP bitmap);

int SaveDC(HDC dc);   // the new save level (>= 1), 0 on failure
// level > 0: back to that level; level < 0: that many levels up. False when there is no such level.
BOOL RestoreDC(HDC dc, int level);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);
// Accepted for any mode; every stretch maps pixels nearest-neighbour (see Blits.h).
int SetStretchBltMode(HDC dc, int mode);
int SetROP2(HDC dc, int rop2);

BOOL SetViewportOrgEx(HDC dc, int x, int y, TPoint* old);
BOOL GetViewportOrgEx(HDC dc, TPoint* out);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old);
BOOL MoveToEx(HDC dc, int x, int y, TPoint* old);

// Clip calls return the resulting region kind (RGN_ERROR for a null DC). Rectangles are logical.
int SelectClipRgn(HDC dc, HRGN rgn);   // a copy of rgn (device coordinates); null removes the clip
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// The clip's bounding box in logical coordinates (the DC's whole area when there is no clip).
int GetClipBox(HDC dc, TRect& box);

enum : int { HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, PLANES = 14, LOGPIXELSX = 88, LOGPIXELSY = 90 };
int GetDeviceCaps(HDC dc, int index);
