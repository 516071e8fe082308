#pragma once
// Windows: handles, classes, window procedures, the window tree, geometry, showing and moving.
//
// How to use:
//   RegisterClass({.ClassName = "TMyWindow", .WndProc = MyProc});
//   HWND h = CreateWindowEx(0, "TMyWindow", "caption", WS_CHILD | WS_VISIBLE, x, y, w, h, parent);
//   SendMessage(h, WM_USER, 1, 2);          // synchronous, GUI thread
//   DestroyWindow(h);                        // safe from inside h's own procedure
//
// A window procedure is a std::function, so it may carry an object (a lambda capturing `this`).
// Subclassing works as in the window system, through instance tokens that stand for a procedure:
//   LONG_PTR inst = MakeObjectInstance([this](HWND h, UINT m, WPARAM w, LPARAM l) { return MyWndProc(h, m, w, l); });
//   LONG_PTR old = SetWindowLongPtr(h, GWLP_WNDPROC, inst);      // old names the previous procedure
//   ... inside MyWndProc: return CallWindowProc(old, h, m, w, l);
//   SetWindowLongPtr(h, GWLP_WNDPROC, old); FreeObjectInstance(inst);   // unhook
// A token stays callable until FreeObjectInstance; a window keeps its own procedure alive regardless.
//
// Handles carry a generation (see Types.h): once a window is destroyed its handle is dead for good and
// every call with it fails quietly (IsWindow false, SendMessage 0, PostMessage FALSE).
// Everything here runs on the GUI thread (the first thread that uses the window layer) except
// IsWindow and the posting calls of MessageQueue.h.
#include <functional>
#include <string>

#include "platform/gfx/Colors.h"
#include "platform/rtl/Types.h"
#include "platform/win/Messages.h"

using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using HINSTANCE = std::intptr_t;
using HCURSOR = std::intptr_t;
using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_SIZEBOX = WS_THICKFRAME;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_OVERLAPPEDWINDOW = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// Extended styles.
constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_ACCEPTFILES = 0x00000010;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD WS_EX_LAYERED = 0x00080000;
constexpr DWORD WS_EX_NOACTIVATE = 0x08000000;

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_SAVEBITS = 0x0800;
constexpr UINT CS_DROPSHADOW = 0x00020000;

// GetWindowLongPtr / SetWindowLongPtr indexes; 0 and up address the class's extra bytes.
constexpr int GWLP_WNDPROC = -4;
constexpr int GWLP_HINSTANCE = -6;
constexpr int GWLP_HWNDPARENT = -8;
constexpr int GWLP_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;
constexpr int GWL_WNDPROC = GWLP_WNDPROC;
constexpr int GWL_ID = GWLP_ID;
constexpr int GWL_USERDATA = GWLP_USERDATA;
constexpr int GWL_HWNDPARENT = GWLP_HWNDPARENT;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// SetWindowPos flags and z-order places.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOCOPYBITS = 0x0100;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
constexpr UINT SWP_NOSENDCHANGING = 0x0400;
const HWND HWND_TOP = 0;
const HWND HWND_BOTTOM = 1;
const HWND HWND_TOPMOST = static_cast<HWND>(-1);
const HWND HWND_NOTOPMOST = static_cast<HWND>(-2);

// ChildWindowFromPointEx flags.
constexpr UINT CWP_ALL = 0;
constexpr UINT CWP_SKIPINVISIBLE = 1;
constexpr UINT CWP_SKIPDISABLED = 2;
constexpr UINT CWP_SKIPTRANSPARENT = 4;

// Standard cursors; a cursor handle is just the id.
constexpr HCURSOR IDC_ARROW = 32512;
constexpr HCURSOR IDC_IBEAM = 32513;
constexpr HCURSOR IDC_WAIT = 32514;
constexpr HCURSOR IDC_CROSS = 32515;
constexpr HCURSOR IDC_UPARROW = 32516;
constexpr HCURSOR IDC_SIZENWSE = 32642;
constexpr HCURSOR IDC_SIZENESW = 32643;
constexpr HCURSOR IDC_SIZEWE = 32644;
constexpr HCURSOR IDC_SIZENS = 32645;
constexpr HCURSOR IDC_SIZEALL = 32646;
constexpr HCURSOR IDC_NO = 32648;
constexpr HCURSOR IDC_HAND = 32649;
constexpr HCURSOR IDC_APPSTARTING = 32650;
constexpr HCURSOR IDC_HELP = 32651;

struct WNDCLASS {
    UINT Style = 0;
    WNDPROC WndProc;            // empty: DefWindowProc
    int ClsExtra = 0;
    int WndExtra = 0;           // bytes of window longs at index 0 and up
    HINSTANCE Instance = 0;
    HCURSOR Cursor = IDC_ARROW;
    TColor Background = clNone; // WM_ERASEBKGND fills with it; clNone leaves the background alone
    std::string ClassName;
};

// WM_NCCREATE / WM_CREATE lParam points at this.
struct CREATESTRUCT {
    void* CreateParams = nullptr;
    HINSTANCE Instance = 0;
    LONG_PTR Menu = 0;
    HWND Parent = 0;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    DWORD Style = 0;
    std::string Name;
    std::string ClassName;
    DWORD ExStyle = 0;
};

// WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED lParam points at this; a WM_WINDOWPOSCHANGING handler may
// change x, y, cx, cy and flags.
struct WINDOWPOS {
    HWND hwnd = 0;
    HWND hwndInsertAfter = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

// WM_NCCALCSIZE lParam points at this (wParam TRUE): rgrc[0] is the proposed window rectangle in parent
// coordinates on entry and the client rectangle (same coordinates) on return.
struct NCCALCSIZE_PARAMS {
    TRect rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

// WM_GETMINMAXINFO lParam points at this.
struct MINMAXINFO {
    TPoint ptReserved;
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// Classes. RegisterClass fails (FALSE) when the name is taken.
BOOL RegisterClass(const WNDCLASS& wc);
BOOL GetClassInfo(HINSTANCE instance, const std::string& className, WNDCLASS& out);
std::string GetClassName(HWND h);

// WS_CHILD windows need a live parent. For other windows `parent` becomes the owner. Returns 0 when
// the class is unknown, the parent is dead, or WM_NCCREATE / WM_CREATE refuse (FALSE / -1).
HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style, int x,
    int y, int width, int height, HWND parent, LONG_PTR menuOrId = 0, HINSTANCE instance = 0, void* param = nullptr);
BOOL DestroyWindow(HWND h);
BOOL IsWindow(HWND h);   // any thread

// Procedures.
LONG_PTR MakeObjectInstance(WNDPROC proc);
void FreeObjectInstance(LONG_PTR instance);
LRESULT CallWindowProc(LONG_PTR prevProc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(const WNDPROC& proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
// Synchronous: runs the window's procedure now and returns its result; 0 for a dead window. From a
// thread other than the GUI thread it waits until the GUI thread's loop has run the procedure.
LRESULT SendMessage(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

LONG_PTR GetWindowLongPtr(HWND h, int index);
LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value);   // returns the previous value
inline LONG_PTR GetWindowLong(HWND h, int index) { return GetWindowLongPtr(h, index); }
inline LONG_PTR SetWindowLong(HWND h, int index, LONG_PTR value) { return SetWindowLongPtr(h, index, value); }
BOOL SetProp(HWND h, const std::string& name, LONG_PTR value);
LONG_PTR GetProp(HWND h, const std::string& name);
LONG_PTR RemoveProp(HWND h, const std::string& name);

BOOL SetWindowText(HWND h, const std::string& text);   // through WM_SETTEXT

// The tree. Children are kept top of the z-order first.
HWND GetParent(HWND h);        // the parent of a child, the owner of a top-level window
HWND GetAncestorRoot(HWND h);  // the top-level window a window belongs to
HWND SetParent(HWND child, HWND newParent);
BOOL IsChild(HWND parent, HWND h);
std::vector<HWND> GetChildWindows(HWND parent);   // direct children, top first
std::vector<HWND> GetTopLevelWindows();           // top first
BOOL EnumChildWindows(HWND parent, const std::function<BOOL(HWND)>& callback);   // all descendants

// Geometry. Window rectangles are on the screen; client rectangles start at (0, 0).
BOOL GetWindowRect(HWND h, TRect& out);
BOOL GetClientRect(HWND h, TRect& out);
BOOL ClientToScreen(HWND h, TPoint& p);
BOOL ScreenToClient(HWND h, TPoint& p);
int MapWindowPoints(HWND from, HWND to, TPoint* points, int count);   // 0 means the screen
BOOL AdjustWindowRectEx(TRect& r, DWORD style, BOOL menu, DWORD exStyle);

// Showing and moving. ShowWindow returns whether the window was visible before.
BOOL ShowWindow(HWND h, int cmd);
BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint = TRUE);
BOOL BringWindowToTop(HWND h);
BOOL IsWindowVisible(HWND h);   // itself and every ancestor visible
BOOL IsIconic(HWND h);
BOOL IsZoomed(HWND h);
// Where a window is shown and where it goes back to when it is restored (the other fields of the
// system's record are not kept).
struct WINDOWPLACEMENT {
    UINT showCmd = 0;          // SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED
    TRect rcNormalPosition;    // the window's rectangle in its normal state
};
BOOL GetWindowPlacement(HWND h, WINDOWPLACEMENT* placement);
BOOL EnableWindow(HWND h, BOOL enable);   // returns whether it was disabled before
BOOL IsWindowEnabled(HWND h);

// Hit testing by position only (visible, enabled or not); the input routing asks WM_NCHITTEST too.
HWND WindowFromPoint(TPoint screen);
HWND ChildWindowFromPointEx(HWND parent, TPoint client, UINT flags);

