#pragma once
// Plain value types shared by every layer: the integer types of the window system's calls and the
// geometry records the component library uses. Kept in one place so that the graphics, window,
// process and skin code all agree on them.
#include <algorithm>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// A window handle is an id looked up in the window layer's table: a generation in the high half and a
// slot in the low half, so a handle of a destroyed window never names a new one. 0 is "no window".
using HWND = std::uint64_t;

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and bottom are exclusive, as everywhere in the window system.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return {x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

inline void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

inline void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}

// False (and an empty result) when the rectangles do not overlap.
inline bool IntersectRect(TRect& out, const TRect& a, const TRect& b)
{
    out = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (out.IsEmpty()) {
        out = {};
        return false;
    }
    return true;
}

inline bool UnionRect(TRect& out, const TRect& a, const TRect& b)
{
    if (a.IsEmpty()) {
        out = b;
    } else if (b.IsEmpty()) {
        out = a;
    } else {
        out = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
    }
    return !out.IsEmpty();
}

inline bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }

inline WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline LPARAM MAKELPARAM(int lo, int hi) { return static_cast<LPARAM>(static_cast<DWORD>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16))); }
// The point a mouse message packs into its lParam; each half is signed, as a point left of or above a
// window is negative.
inline TPoint ParamPoint(LPARAM l)
{
    return {static_cast<short>(LOWORD(static_cast<std::uintptr_t>(l))), static_cast<short>(HIWORD(static_cast<std::uintptr_t>(l)))};
}

// One message as a window procedure receives it; Result is what SendMessage returns.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};
