#pragma once
// The MDI client: the child window of an MDI main form that hosts its child forms. Each child form is an
// ordinary child window of the client; the client keeps which of them is active and arranges them.
//
//   RegisterMDIClientClass();
//   HWND client = CreateWindowEx(0, MDIClientClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, ..., form);
//   SendMessage(client, WM_MDIACTIVATE, (WPARAM)child);     // brings child to the front and activates it
//   SendMessage(client, WM_MDITILE, MDITILE_HORIZONTAL);     // or WM_MDICASCADE, WM_MDIICONARRANGE
//
// Messages the client answers (the window system's own numbers, Messages.h):
//   WM_MDIACTIVATE   wParam child: the old active child gets WM_NCACTIVATE(FALSE), the new one comes to the
//                    top of the z-order, gets WM_NCACTIVATE(TRUE) and the focus; both get WM_MDIACTIVATE
//                    with wParam = the old child and lParam = the new one.
//   WM_MDIGETACTIVE  the active child (0 for none); a dead or hidden one is replaced by the top visible child.
//   WM_MDINEXT       wParam child (0: the active one), lParam 0: the next child below it in the z-order is
//                    activated and it goes to the bottom; lParam non-zero: the bottom child is activated.
//   WM_MDICASCADE    visible children that are not minimized, offset by one caption from the top left, the
//                    active one last (on top).
//   WM_MDITILE       the same children side by side (MDITILE_VERTICAL) or one above another
//                    (MDITILE_HORIZONTAL); more than three go into a grid.
//   WM_MDIICONARRANGE minimized children in a row along the bottom, rows growing upwards.
//   WM_MDIMAXIMIZE, WM_MDIRESTORE wParam child: ShowWindow maximized (it fills the client) or restored.
//   WM_MDIDESTROY    wParam child: destroys it.
// Cascade and tile put a maximized child back first. A maximized child follows the client's size.
#include <vector>

#include "platform/win/Window.h"

inline constexpr const char* MDIClientClassName = "MDICLIENT";

// Registers the client's window class (once; later calls do nothing).
void RegisterMDIClientClass();

// The MDI client whose child (or a descendant of whose child) H is, and that child; 0 when H is not in an
// MDI child.
HWND MDIChildOf(HWND H, HWND* Client = nullptr);

// A mouse button went down on H: when H lies in an MDI child that is not its client's active one, that
// child is activated (the input routing calls this for every press).
void MDIChildMouseDown(HWND H);

// Where the children go, for a client of Width x Height (exposed for the tests of the arithmetic).
// Count windows tiled side by side (Vertical) or one above another.
std::vector<TRect> MDITileRects(int Width, int Height, int Count, bool Vertical);
// Count windows cascaded from the top left, the first at (0, 0), Step pixels apart.
std::vector<TRect> MDICascadeRects(int Width, int Height, int Count, int Step);
