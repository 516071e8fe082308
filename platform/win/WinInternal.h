#pragma once
// The window layer's own records, shared by its units and the backends. Not for code above the window
// layer: everything there goes through the calls of WinApi.h with window handles.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/gfx/Regions.h"
#include "platform/gfx/TSurface.h"
#include "platform/win/Window.h"


namespace WinInternal {

// A window procedure kept alive by whoever still names it (a window, a class, an instance token).
struct TProcBox {
    WNDPROC Proc;
    LONG_PTR Token = 0;
};

struct TClassRec {
    std::string Name;
    UINT Style = 0;
    int WndExtra = 0;
    TColor Background = clNone;
    HCURSOR Cursor = 0;
    std::shared_ptr<TProcBox> Proc;
};

// A shown child window by its place, as ChildrenMeeting answers.
struct TChildPlace {
    TRect Rect;     // in the parent's client coordinates
    int Z = 0;      // its index in the parent's Children: 0 is the top of the z-order
    HWND Handle = 0;
};

// A long list of children (a queue of rows) by place: the shown ones sorted by their top, and the tallest
// one's height, so that those meeting a rectangle are found without a look at every child.
struct TChildPlaces {
    std::uint64_t Generation = 0;   // of the window tree's places it was made from
    std::vector<TChildPlace> ByTop;
    int Tallest = 0;
};

struct TWindowRec {
    HWND Handle = 0;
    std::shared_ptr<TClassRec> Class;
    std::string Text;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HWND Parent = 0;              // child windows: the parent
    HWND Owner = 0;               // top-level windows: the owner (popups, owned forms)
    std::vector<HWND> Children;   // top of the z-order first
    TRect Rect;                   // child: in the parent's client coordinates; top-level: on the screen
    TRect Client;                 // the client area in window coordinates (from WM_NCCALCSIZE)
    std::shared_ptr<TProcBox> Proc;
    LONG_PTR Id = 0;
    LONG_PTR UserData = 0;
    std::map<int, LONG_PTR> Extra;
    std::map<std::string, LONG_PTR> Props;
    bool Destroying = false;
    int ShowState = 0;            // SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED

    // Painting: what is invalid, in client coordinates, and whether the frame or background wait too.
    TRegionShape Update;
    bool EraseNeeded = false;
    bool NcPaintNeeded = false;
    bool InPaint = false;
    bool PaintQueued = false;     // in the painting unit's queue of windows that may need WM_PAINT
    bool RedrawOff = false;       // WM_SETREDRAW FALSE
    std::optional<TRegionShape> WindowRgn;   // window coordinates
    BYTE Alpha = 255;
    COLORREF ColorKey = 0;
    DWORD LayeredFlags = 0;

    // Top-level windows: the picture every window of the tree paints into, the areas changed since it
    // was last handed to the display, and the backend window that shows it (while shown).
    std::unique_ptr<TSurface> Surface;
    std::vector<TRect> Changed;
    std::unique_ptr<TBackendWindow> Top;
    bool NoActivateTop = false;   // its backend window never takes the keyboard (menus, hints, lists)
    bool ShowPending = false;     // shown, but the display shows it only with its first picture
    bool ShowActivates = false;   // ...and then gives it the keyboard
    std::unique_ptr<TBackendChild> Native;   // a native child window over the client area (GetNativeWindowId)
    TRect NormalRect;             // the rectangle to restore after maximize or minimize
    bool RestoreMaximized = false;   // minimized from maximized: restoring maximizes again
    std::unique_ptr<TChildPlaces> Places;   // made by ChildrenMeeting for a long list of children
};

// The record of a live window, or null. GUI thread only.
TWindowRec* Find(HWND h);
// A window was made, destroyed, moved, sized, shown, hidden, reshaped, raised or lowered, or given
// another parent: what ChildrenMeeting keeps of places is stale.
void PlacesChanged();
// The shown children of w whose rectangles meet `area` (w's client coordinates), top of the z-order
// first. A window with a long list of children keeps them by place, so that this looks at the few near
// `area` instead of every one.
std::vector<TChildPlace> ChildrenMeeting(TWindowRec& w, const TRect& area);
// Every live top-level window, top of the z-order first.
const std::vector<HWND>& TopLevels();
bool IsTopLevel(const TWindowRec& w);
TPoint WindowScreenOrigin(const TWindowRec& w);
void RaiseTopLevel(HWND h);

// Message queue (MessageQueue.cpp).
// The first thread that makes a window or runs the loop is the GUI thread.
void ClaimGuiThread();
bool OnGuiThread();
LRESULT SendFromOtherThread(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
void ForgetTimers(HWND h);
DWORD MessageTime();

// The system tray (TrayIcon.cpp): an event on a tray icon, or a tray that came or went; the icons of a
// window that goes leave the tray with it.
void RouteTrayEvent(const TInputEvent& e);
void ForgetTrayIcons(HWND h);

// Focus, capture, activation (Input.cpp): a window going away, hidden or disabled lets go of them.
void ForgetWindow(HWND h);
void WindowHidden(HWND h);
void WindowDisabled(HWND h);

// Painting (Paint.cpp).
// A SetWindowPos flag of this layer's own: the child moves together with its picture (ScrollWindowEx
// carries both), so neither where it was nor where it lands needs painting.
constexpr UINT SWP_MOVEDWITHPICTURE = 0x10000000;
void ForgetPaint(HWND h);
// Invalidates what the window covered in its parent (or on its top-level surface) before a change.
void ExposeBehind(HWND h);
// Invalidates the window after a change; `whole` also its frame and children.
void ExposeWindow(HWND h, bool whole);
// A window needing paint exists.
bool PaintPending();
// The next window to get WM_PAINT (parents before children), 0 when none; honours a window filter.
HWND NextPaintWindow(HWND filter);

// Non-client defaults (NonClient.cpp).
TRect DefaultFrameInsets(DWORD style, DWORD exStyle);
// The window's size limits and maximised place, as its procedure answers WM_GETMINMAXINFO.
MINMAXINFO QueryMinMax(HWND h);
// `byDisplay`: the display already shows that state (a taskbar restored the window); it is not asked again.
// `displayBounds`: where the display's window manager put the window it maximised.
void SetShowState(HWND h, int state, bool byDisplay = false, const TRect* displayBounds = nullptr);

// Top-level windows and the backend (TopLevel.cpp).
void SyncTopLevel(HWND h, UINT swpFlags, bool wasVisible);
void ExStyleChanged(HWND h, DWORD before);
// The window's sizing borders came or went: the window manager may size it, or no more.
void StyleChanged(HWND h, DWORD before);
void TopLevelFocus(HWND h);
// Puts a window shown since the last flush on the display, now that its picture is ready.
void ShowWhenPainted(HWND h);
// The window's origin in its top-level window's coordinates (= surface pixels).
TPoint OriginInTop(const TWindowRec& w);
// What of the window (client area or whole window) can be seen, in top-level coordinates; only within
// `within` (top-level coordinates) when given, which spares the work outside it.
TRegionShape VisibleRegion(HWND h, bool client, bool clipChildren, const TRegionShape* within = nullptr);

}  // namespace WinInternal
