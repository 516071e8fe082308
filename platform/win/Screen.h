#pragma once
// The screen as the window layer sees it: its size, the work area, monitors, system metrics, the text
// clipboard, the beep, and the native window a console player can draw into.
#include <string>

#include "platform/gfx/TSurface.h"
#include "platform/win/Window.h"

constexpr UINT SPI_GETWORKAREA = 0x0030;
// Only SPI_GETWORKAREA is known; param points at a TRect.
BOOL SystemParametersInfo(UINT action, UINT uiParam, void* param, UINT winIni);

enum : int {
    SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4, SM_CXBORDER = 5,
    SM_CYBORDER = 6, SM_CXDLGFRAME = 7, SM_CYDLGFRAME = 8, SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13,
    SM_CYCURSOR = 14, SM_CYMENU = 15, SM_CXFULLSCREEN = 16, SM_CYFULLSCREEN = 17, SM_CXMIN = 28, SM_CYMIN = 29,
    SM_CXSIZE = 30, SM_CYSIZE = 31, SM_CXFRAME = 32, SM_CYFRAME = 33, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37,
    SM_CXSMICON = 49, SM_CYSMICON = 50, SM_CXMAXIMIZED = 61, SM_CYMAXIMIZED = 62, SM_CXDRAG = 68, SM_CYDRAG = 69,
    SM_CMONITORS = 80,
};
int GetSystemMetrics(int index);

using HMONITOR = std::intptr_t;
constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;
struct MONITORINFO {
    TRect rcMonitor;
    TRect rcWork;
    DWORD dwFlags = 0;
};
// One monitor: the whole screen (handle 1).
HMONITOR MonitorFromWindow(HWND h, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
TRect GetWorkArea();

// The clipboard: text (UTF-8) or a picture, one at a time.
std::string GetClipboardText();
void SetClipboardText(const std::string& text);
bool ClipboardHasText();
void SetClipboardPicture(const TSurface& picture);
// The picture this program put on the clipboard while nothing has replaced it; false otherwise.
bool GetClipboardPicture(TSurface& picture);

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;
BOOL MessageBeep(UINT type);

// The display's own id of a window where a console player may draw (its "-wid" argument): a native child
// window kept over the client area of `h`, following it as it moves, shows and hides. 0 when the display
// has no such windows (headless).
unsigned long GetNativeWindowId(HWND h);
// The player is done with `h`'s native window (it ended): the native window goes, and what `h` paints
// itself shows again; the next GetNativeWindowId makes a fresh one. Nothing happens when there is none.
void ReleaseNativeWindow(HWND h);
