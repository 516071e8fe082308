#pragma once
// Icons in the notification area of the desktop's panel (the system tray), as the shell offers them to
// a window: Shell_NotifyIcon adds, changes and removes the icon `uID` of the window `hWnd`.
//
// How to use:
//   NOTIFYICONDATA d;
//   d.hWnd = hidden; d.uID = 1; d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
//   d.uCallbackMessage = WM_USER + 1024; d.hIcon = &picture; CopyTrayTip(d, "Ready");
//   if (!Shell_NotifyIcon(NIM_ADD, &d)) ...   // no tray on this desktop: nothing was added
//
// What the user does on an icon is posted to its window as the callback message: wParam the icon id,
// lParam the mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK in place of a
// second press within the double-click time, the same for the right and middle buttons). The pointer
// position this layer knows (GetCursorPos) is where it happened.
//
// A tray that comes up (the first one on the desktop, or one started again) is announced to every
// top-level window by the registered message "TaskbarCreated"; the icons of the tray that went before
// are gone by then and can be added again. A tray that goes away without a new one tells each of its
// icons' windows with the callback message and lParam NIN_ICONLOST.
#include <string>

#include "platform/gfx/TSurface.h"
#include "platform/win/Window.h"

// A 32-bit picture with alpha; Shell_NotifyIcon copies it, the caller keeps it.
using HICON = const TSurface*;

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;

constexpr UINT NIF_MESSAGE = 0x1;
constexpr UINT NIF_ICON = 0x2;
constexpr UINT NIF_TIP = 0x4;

// lParam of the callback message when the user clicked a balloon tip of the icon.
constexpr LPARAM NIN_BALLOONUSERCLICK = 0x405;
// lParam of the callback message when the tray went away with the icon (this layer's own code: a
// desktop's panel may end without another taking its place).
constexpr LPARAM NIN_ICONLOST = 0x4FF;

struct NOTIFYICONDATA {
    DWORD cbSize = sizeof(NOTIFYICONDATA);
    HWND hWnd = 0;
    UINT uID = 0;
    UINT uFlags = 0;            // which of the next three count
    UINT uCallbackMessage = 0;
    HICON hIcon = nullptr;
    char szTip[128] = {};       // UTF-8, ended by a zero
};

// TRUE when done. NIM_ADD fails when the desktop has no tray, when the window is dead, or when the
// window has an icon of that id already; NIM_MODIFY and NIM_DELETE fail for an icon that is not there.
BOOL Shell_NotifyIcon(DWORD message, NOTIFYICONDATA* data);

// Puts Tip into data.szTip: cut to the 127 bytes that fit before the zero, never inside a character.
void CopyTrayTip(NOTIFYICONDATA& data, const std::string& Tip);
