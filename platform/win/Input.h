#pragma once
// Keyboard focus, mouse capture, the active top-level window, the cursor and key state, and the routing
// of what the user does into window messages.
//
// Routing of a pointer event: the window under the pointer (or the capture window) is asked WM_NCHITTEST;
// the answer makes it a client message (WM_MOUSEMOVE, WM_LBUTTONDOWN... with client coordinates) or a
// non-client one (WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN... with the hit code in wParam and screen coordinates).
// WM_SETCURSOR goes before it, and a press in an inactive top-level window first asks WM_MOUSEACTIVATE.
// Disabled child windows are skipped (their parent gets the event). Keys go to the focus window (or the
// active window when nothing has the focus); with Alt held they become WM_SYSKEYDOWN / WM_SYSKEYUP.
//
// Activation: SetActiveWindow sends WM_NCACTIVATE and WM_ACTIVATE to the window losing and the one
// gaining; windows with WS_EX_NOACTIVATE (menus, hints, drop-down lists) are never activated, neither by
// showing nor by a click.
#include <string>
#include <vector>

#include "platform/win/MessageQueue.h"

HWND SetFocus(HWND h);   // returns the previous focus window; 0 removes the focus
HWND GetFocus();
HWND SetCapture(HWND h);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetActiveWindow(HWND h);   // a top-level window; returns the previously active one
HWND GetActiveWindow();
inline BOOL SetForegroundWindow(HWND h) { return SetActiveWindow(h) || GetActiveWindow() == h; }

BOOL GetCursorPos(TPoint& out);
TPoint GetCursorPos();
BOOL SetCursorPos(int x, int y);   // moves the pointer as known to this layer (no event)
HCURSOR SetCursor(HCURSOR cursor);
// Set in the lParam of a key release when no other key went down while that key was held: the
// default window procedure opens the menu on a tap of Alt or F10 only, not on Alt+letter or Alt+Space.
constexpr LPARAM KeyTappedAlone = LPARAM(1) << 25;
// High bit set while the key or mouse button is down (VK_SHIFT, VK_CONTROL, VK_MENU, VK_LBUTTON...).
short GetKeyState(int vk);
// The MK_* flags of the buttons and modifiers held now.
WPARAM MouseKeyFlags();
// Double-click time in milliseconds and the distance a second press may be off.
UINT GetDoubleClickTime();

// Dropped files (WM_DROPFILES wParam).
using HDROP = std::uintptr_t;
// The paths of the dropped files.
std::vector<std::string> DragQueryFiles(HDROP drop);
void DragFinish(HDROP drop);
void DragAcceptFiles(HWND h, BOOL accept);

namespace WinInternal {
// Moves the display's events into the input queue. `busy`: the loop is in the middle of a pass of
// painting, and the backend may be asked less often (see TBackend::BusyPumpIntervalMs); events it has
// already read are always taken.
void PumpDisplay(bool busy = false);
std::vector<int> DisplayFds();
bool DisplayHasQueuedEvents();
bool HasInput();
// Queues a message among the input messages, in the order of the display's events.
void QueueInput(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
bool TakeInputMessage(TMsg* m, HWND filter, UINT min, UINT max, bool remove);
// Activation with a reason (WA_ACTIVE or WA_CLICKACTIVE). `askDisplay` false: the display itself moved
// the keyboard there, and asking it again would only start a tug of war with the window manager.
HWND ActivateWindow(HWND h, WPARAM how, bool askDisplay = true);
// The enabled window a disabled top-level window waits for (its modal dialog), or 0.
HWND ModalFor(HWND owner);
}  // namespace WinInternal
