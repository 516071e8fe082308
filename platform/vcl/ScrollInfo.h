#pragma once
// The scroll state a window keeps for its own bars (range, page and position per direction), as
// scrollable native controls record it and skinned bars read it back. The state lives beside the
// window and goes with it.
#include "platform/rtl/Types.h"
#include "platform/win/Window.h"

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

// WM_HSCROLL / WM_VSCROLL request codes (low word of wParam).
constexpr int SB_LINEUP = 0;
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_LEFT = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// The position is kept within nMin .. nMax - max(nPage - 1, 0). Returns the new position.
int SetScrollInfo(HWND h, int bar, const SCROLLINFO& info, BOOL redraw = TRUE);
// FALSE for a window that never had scroll state of that direction.
BOOL GetScrollInfo(HWND h, int bar, SCROLLINFO& info);
int GetScrollPos(HWND h, int bar);
int SetScrollPos(HWND h, int bar, int pos, BOOL redraw = TRUE);
BOOL ShowScrollBar(HWND h, int bar, BOOL show);
// Whether the bar of that direction is shown (a range that scrolls, or shown by ShowScrollBar).
BOOL IsScrollBarVisible(HWND h, int bar);
// Drops the state of a window that is going away.
void ForgetScrollInfo(HWND h);
