#pragma once
// Drawing with the window system's pixel rules. Rectangles exclude their right and bottom edge; lines cover
// their start pixel and not their end pixel. A rectangle of negative size, a DC without a surface or a clip
// that excludes everything draws nothing.
#include <vector>

#include "platform/gfx/TDeviceContext.h"

// Fills [Left, Right) x [Top, Bottom) with the brush (nothing for a null or clear brush).
int FillRect(HDC dc, const TRect& r, HBRUSH brush);
// A one-pixel frame just inside r, in the brush's colour.
int FrameRect(HDC dc, const TRect& r, HBRUSH brush);
// Inverts the colour of every pixel of r.
BOOL InvertRect(HDC dc, const TRect& r);
// Fills with the selected brush, with a raster operation (PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS).
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

// Outline with the selected pen over x in [left, right-1] and y in [top, bottom-1], the inside filled with
// the selected brush unless it is clear.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
// The ellipse inscribed in [left, right) x [top, bottom), outlined with the pen and filled with the brush.
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);

BOOL LineTo(HDC dc, int x, int y);   // from the current position; the end pixel is left out
BOOL Polyline(HDC dc, const TPoint* points, int count);   // the last point is left out
// Filled with the brush (alternate rule) and outlined with the pen, closed.
BOOL Polygon(HDC dc, const TPoint* points, int count);

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);   // the colour set, or CLR_INVALID outside the clip
COLORREF GetPixel(HDC dc, int x, int y);                   // CLR_INVALID outside the surface
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// A dotted frame (every other pixel, starting with the first) drawn by inverting, so a second call takes it
// away again.
BOOL DrawFocusRect(HDC dc, const TRect& r);

// DrawEdge edges and flags.
enum : UINT {
    BDR_RAISEDOUTER = 0x0001, BDR_SUNKENOUTER = 0x0002, BDR_RAISEDINNER = 0x0004, BDR_SUNKENINNER = 0x0008,
    BDR_OUTER = 0x0003, BDR_INNER = 0x000C, BDR_RAISED = 0x0005, BDR_SUNKEN = 0x000A,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};
enum : UINT {
    BF_LEFT = 0x0001, BF_TOP = 0x0002, BF_RIGHT = 0x0004, BF_BOTTOM = 0x0008,
    BF_TOPLEFT = BF_TOP | BF_LEFT, BF_TOPRIGHT = BF_TOP | BF_RIGHT, BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT, BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_MIDDLE = 0x0800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000,
};
// The classic two-line 3D edge in the system colours. With BF_ADJUST, r shrinks by the edge drawn.
BOOL DrawEdge(HDC dc, TRect& r, UINT edge, UINT flags);
// `width` rings inside r: top and left in topColor, bottom and right in bottomColor; r shrinks by width.
void Frame3D(HDC dc, TRect& r, TColor topColor, TColor bottomColor, int width);
