#include "platform/win/Screen.h"

#include "platform/backend/Backend.h"
#include "platform/win/NativeChild.h"
#include "platform/win/WinInternal.h"

BOOL SystemParametersInfo(UINT action, UINT, void* param, UINT)
{
    if (action != SPI_GETWORKAREA || !param)
        return FALSE;
    *static_cast<TRect*>(param) = Backend().WorkArea();
    return TRUE;
}

int GetSystemMetrics(int index)
{
    TRect screen = Backend().ScreenRect();
    TRect work = Backend().WorkArea();
    switch (index) {
    case SM_CXSCREEN: return screen.Width();
    case SM_CYSCREEN: return screen.Height();
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED: return work.Width();
    case SM_CYFULLSCREEN:
    case SM_CYMAXIMIZED: return work.Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 17;
    case SM_CYCAPTION: return 18;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CMONITORS: return 1;
    default: return 0;
    }
}

HMONITOR MonitorFromWindow(HWND, DWORD) { return 1; }

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    if (monitor != 1 || !info)
        return FALSE;
    info->rcMonitor = Backend().ScreenRect();
    info->rcWork = Backend().WorkArea();
    info->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}

TRect GetWorkArea() { return Backend().WorkArea(); }

std::string GetClipboardText() { return Backend().ClipboardText(); }
void SetClipboardText(const std::string& text) { Backend().SetClipboardText(text); }
bool ClipboardHasText() { return !Backend().ClipboardText().empty(); }
void SetClipboardPicture(const TSurface& picture) { Backend().SetClipboardPicture(picture); }
bool GetClipboardPicture(TSurface& picture) { return Backend().ClipboardPicture(picture); }

BOOL MessageBeep(UINT)
{
    Backend().Beep();
    return TRUE;
}

unsigned long GetNativeWindowId(HWND h) { return WinInternal::NativeChildId(h); }
void ReleaseNativeWindow(HWND h) { WinInternal::ReleaseNativeChild(h); }
