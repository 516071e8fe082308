#pragma once
// Painting: invalid regions, WM_PAINT with BeginPaint/EndPaint, window device contexts, window regions
// and layered windows.
//
// Every top-level window owns one surface as large as the window; its child windows draw into that same
// surface at their place. A device context for a window (BeginPaint, GetDC, GetWindowDC) is clipped to
// what of the window can be seen: inside every ancestor's client area, outside the siblings above it
// and outside its own visible children when it has WS_CLIPCHILDREN. Parents get WM_PAINT before their
// children, so a child always paints over its parent.
//
// How to use, in a window procedure:
//   case WM_PAINT: { PAINTSTRUCT ps; HDC dc = BeginPaint(h, &ps); ...draw...; EndPaint(h, &ps); return 0; }
// and to ask for it: InvalidateRect(h, nullptr, TRUE) (whole client area, with WM_ERASEBKGND), or
// RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW).
// The finished picture reaches the screen when the queue has no more painting to do.
#include "platform/gfx/Blits.h"
#include "platform/gfx/Regions.h"
#include "platform/gfx/TDeviceContext.h"
#include "platform/win/Window.h"

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;   // TRUE when WM_ERASEBKGND did not erase (the painter must)
    TRect rcPaint;         // client coordinates
};

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;

// GetDCEx flags.
constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;

// SetLayeredWindowAttributes / UpdateLayeredWindow.
constexpr DWORD LWA_COLORKEY = 0x00000001;
constexpr DWORD LWA_ALPHA = 0x00000002;
constexpr DWORD ULW_COLORKEY = 0x00000001;
constexpr DWORD ULW_ALPHA = 0x00000002;
constexpr DWORD ULW_OPAQUE = 0x00000004;
// AC_SRC_OVER, AC_SRC_ALPHA and BLENDFUNCTION come from the graphics layer.

// rect null: the whole client area. h = 0: every top-level window.
BOOL InvalidateRect(HWND h, const TRect* rect, BOOL erase);
BOOL RedrawWindow(HWND h, const TRect* rect, HRGN rgn, UINT flags);
// Paints the window now when it has anything invalid (its children are not included).
BOOL UpdateWindow(HWND h);

HDC BeginPaint(HWND h, PAINTSTRUCT* ps);
BOOL EndPaint(HWND h, const PAINTSTRUCT* ps);
// Client area (GetDC) or whole window (GetWindowDC); free with ReleaseDC. A window that cannot be seen
// gets a context that draws nowhere.
HDC GetDC(HWND h);
HDC GetWindowDC(HWND h);
HDC GetDCEx(HWND h, HRGN clip, DWORD flags);
int ReleaseDC(HWND h, HDC dc);

// The window takes the region (window coordinates) and frees it when replaced or destroyed; null makes
// the window rectangular again. Painting and hit testing both follow it.
int SetWindowRgn(HWND h, HRGN rgn, BOOL redraw);
// Copies the window's region into rgn; RGN_ERROR when it has none.
int GetWindowRgn(HWND h, HRGN rgn);

BOOL SetLayeredWindowAttributes(HWND h, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND h, COLORREF* key, BYTE* alpha, DWORD* flags);
// Shows `src` (from srcPoint) as the whole picture of a layered top-level window, moved to dstPoint and
// sized to size when given.
BOOL UpdateLayeredWindow(HWND h, HDC screenDc, const TPoint* dstPoint, const TSize* size, HDC src,
    const TPoint* srcPoint, COLORREF key, const BLENDFUNCTION* blend, DWORD flags);

// Scrolling a window's contents: the picture inside the rectangle moves by (dx, dy) where it is the
// window's own and already painted, both where it comes from and where it lands; the rest of the
// rectangle (what scrolled in, what lies under children and other windows, what was waiting to be
// painted) is the update area, painted again with SW_INVALIDATE. With SW_SCROLLCHILDREN the child
// windows inside the rectangle move by (dx, dy).
constexpr UINT SW_SCROLLCHILDREN = 0x0001;
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;
int ScrollWindowEx(HWND h, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect,
    UINT flags);

// GetDC(0) is the screen: a picture of every shown top-level window in its place, bottom to top.

// The picture of a top-level window as last painted (null when it has none yet); the headless backend
// and the tests' headless driver read it.
const TSurface* GetWindowSurface(HWND topLevel);
// Paints every window with something invalid and hands the pictures to the display (the tests'
// headless driver and the benchmarks' display paint through it).
void UpdateAllWindows();

namespace WinInternal {
void PaintDispatched(HWND h);
// Hands the painted pictures of top-level windows to the display.
void FlushPresents();
}  // namespace WinInternal
