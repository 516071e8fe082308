// The MDI client window (see MdiClient.h). Its children are plain child windows; all it adds is the
// notion of the active child and the arrangements of the window menu.
#include "platform/win/MdiClient.h"

#include <algorithm>
#include <cmath>

#include "platform/win/Input.h"
#include "platform/win/Screen.h"

namespace {

// The active child is kept on the client window itself, so that it dies with it.
constexpr const char* ActiveProp = "MdiActiveChild";

bool IsMDIClient(HWND H) { return H != 0 && GetClassName(H) == MDIClientClassName; }

bool Shown(HWND H) { return (GetWindowLongPtr(H, GWL_STYLE) & WS_VISIBLE) != 0; }

// The visible children, top of the z-order first, leaving Except out.
std::vector<HWND> VisibleChildren(HWND Client, HWND Except = 0)
{
    std::vector<HWND> result;
    for (HWND c : GetChildWindows(Client))
        if (c != Except && Shown(c)) result.push_back(c);
    return result;
}

HWND StoredActive(HWND Client)
{
    const auto h = static_cast<HWND>(GetProp(Client, ActiveProp));
    return IsWindow(h) && GetParent(h) == Client ? h : 0;
}

void Activate(HWND Client, HWND Child)
{
    const HWND old = StoredActive(Client);
    if (Child != 0 && (!IsWindow(Child) || GetParent(Child) != Client)) return;
    if (Child == old) {
        if (Child != 0) BringWindowToTop(Child);
        return;
    }
    SetProp(Client, ActiveProp, static_cast<LONG_PTR>(Child));
    const auto oldParam = static_cast<WPARAM>(old);
    const auto newParam = static_cast<LPARAM>(Child);
    if (old != 0) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_MDIACTIVATE, oldParam, newParam);
    }
    if (Child == 0 || !IsWindow(Child)) return;
    SetWindowPos(Child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessage(Child, WM_NCACTIVATE, TRUE, 0);
    SendMessage(Child, WM_MDIACTIVATE, oldParam, newParam);
    // The keyboard follows, unless the child already put it on one of its controls.
    if (IsWindow(Child)) {
        const HWND focus = GetFocus();
        if (focus != Child && !IsChild(Child, focus)) SetFocus(Child);
    }
}

// The active child, or the top visible one when the stored one is gone or hidden.
HWND CurrentActive(HWND Client)
{
    const HWND active = StoredActive(Client);
    if (active != 0 && Shown(active)) return active;
    const std::vector<HWND> visible = VisibleChildren(Client);
    const HWND next = visible.empty() ? 0 : visible.front();
    if (next != active) Activate(Client, next);
    return next;
}

void ActivateNext(HWND Client, HWND From, bool Previous)
{
    if (From == 0) From = CurrentActive(Client);
    std::vector<HWND> visible = VisibleChildren(Client);
    if (visible.empty()) {
        Activate(Client, 0);
        return;
    }
    if (Previous) {
        Activate(Client, visible.back());
        return;
    }
    // The one below From in the z-order; From itself goes to the bottom, so that repeating walks them all.
    const auto at = std::find(visible.begin(), visible.end(), From);
    HWND next = visible.front();
    if (at != visible.end()) {
        const auto after = std::next(at);
        next = after != visible.end() ? *after : (visible.front() != From ? visible.front() : 0);
    }
    if (next == 0) return;
    Activate(Client, next);
    if (From != next && IsWindow(From) && Shown(From))
        SetWindowPos(From, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The children cascade and tile place: visible, not minimized, bottom of the z-order first so that the
// active one ends up last and on top. A maximized one is put back to its normal size first.
std::vector<HWND> ArrangedChildren(HWND Client)
{
    std::vector<HWND> result;
    for (HWND c : VisibleChildren(Client)) {
        if (IsIconic(c)) continue;
        if (IsZoomed(c)) ShowWindow(c, SW_RESTORE);
        if (IsWindow(c)) result.push_back(c);
    }
    std::reverse(result.begin(), result.end());
    return result;
}

void Place(const std::vector<HWND>& Children, const std::vector<TRect>& Rects)
{
    for (std::size_t i = 0; i < Children.size() && i < Rects.size(); ++i)
        SetWindowPos(Children[i], 0, Rects[i].Left, Rects[i].Top, Rects[i].Width(), Rects[i].Height(),
            SWP_NOZORDER | SWP_NOACTIVATE);
}

int CascadeStep() { return GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME); }

void ArrangeIcons(HWND Client)
{
    TRect client;
    GetClientRect(Client, client);
    const int w = 160;
    const int h = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    int x = 0;
    int y = client.Height() - h;
    std::vector<HWND> icons;
    for (HWND c : VisibleChildren(Client))
        if (IsIconic(c)) icons.push_back(c);
    std::reverse(icons.begin(), icons.end());
    for (HWND c : icons) {
        if (x > 0 && x + w > client.Width()) {
            x = 0;
            y -= h;
        }
        SetWindowPos(c, 0, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        x += w;
    }
}

LRESULT MDIClientProc(HWND H, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    const auto child = static_cast<HWND>(WParam);
    switch (Msg) {
    case WM_MDIACTIVATE: Activate(H, child); return 0;
    case WM_MDIGETACTIVE: return static_cast<LRESULT>(CurrentActive(H));
    case WM_MDINEXT: ActivateNext(H, child, LParam != 0); return 0;
    case WM_MDIMAXIMIZE: ShowWindow(child, SW_SHOWMAXIMIZED); return 0;
    case WM_MDIRESTORE: ShowWindow(child, SW_RESTORE); return 0;
    case WM_MDIDESTROY:
        if (IsWindow(child) && GetParent(child) == H) DestroyWindow(child);
        return 0;
    case WM_MDICASCADE: {
        TRect client;
        GetClientRect(H, client);
        const std::vector<HWND> children = ArrangedChildren(H);
        Place(children, MDICascadeRects(client.Width(), client.Height(), static_cast<int>(children.size()), CascadeStep()));
        return 1;
    }
    case WM_MDITILE: {
        TRect client;
        GetClientRect(H, client);
        const std::vector<HWND> children = ArrangedChildren(H);
        Place(children, MDITileRects(client.Width(), client.Height(), static_cast<int>(children.size()),
                            (WParam & MDITILE_HORIZONTAL) == 0));
        return 1;
    }
    case WM_MDIICONARRANGE: ArrangeIcons(H); return 0;
    case WM_SIZE: {
        // A maximized child keeps filling the client.
        TRect client;
        GetClientRect(H, client);
        for (HWND c : GetChildWindows(H))
            if (IsZoomed(c)) SetWindowPos(c, 0, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        return DefWindowProc(H, Msg, WParam, LParam);
    }
    case WM_PARENTNOTIFY:
        // The active child is going: the next one in the z-order takes over.
        if (LOWORD(WParam) == WM_DESTROY && static_cast<HWND>(LParam) == StoredActive(H)) {
            SetProp(H, ActiveProp, 0);
            const std::vector<HWND> rest = VisibleChildren(H, static_cast<HWND>(LParam));
            if (!rest.empty()) Activate(H, rest.front());
        }
        return 0;
    default: return DefWindowProc(H, Msg, WParam, LParam);
    }
}

} // namespace

void RegisterMDIClientClass()
{
    static const bool done = [] {
        WNDCLASS wc;
        wc.WndProc = MDIClientProc;
        wc.ClassName = MDIClientClassName;
        wc.Background = clAppWorkSpace;
        RegisterClass(wc);
        return true;
    }();
    (void)done;
}

HWND MDIChildOf(HWND H, HWND* Client)
{
    for (HWND w = H; w != 0 && IsWindow(w); w = GetParent(w)) {
        const LONG_PTR style = GetWindowLongPtr(w, GWL_STYLE);
        if ((style & WS_CHILD) == 0) return 0;
        const HWND parent = GetParent(w);
        if (IsMDIClient(parent)) {
            if (Client != nullptr) *Client = parent;
            return w;
        }
    }
    return 0;
}

void MDIChildMouseDown(HWND H)
{
    HWND client = 0;
    const HWND child = MDIChildOf(H, &client);
    if (child != 0 && StoredActive(client) != child) Activate(client, child);
}

std::vector<TRect> MDITileRects(int Width, int Height, int Count, bool Vertical)
{
    std::vector<TRect> rects;
    if (Count <= 0 || Width <= 0 || Height <= 0) return rects;
    // Up to three share one direction; more go into strips of about the square root, the later strips
    // taking the windows left over.
    const int strips = Count <= 3 ? Count : static_cast<int>(std::ceil(std::sqrt(static_cast<double>(Count))));
    const int along = Vertical ? Width : Height;
    const int across = Vertical ? Height : Width;
    const int base = Count / strips;
    const int extra = Count % strips;
    for (int s = 0; s < strips; ++s) {
        const int inStrip = base + (s >= strips - extra ? 1 : 0);
        const int a0 = along * s / strips;
        const int a1 = along * (s + 1) / strips;
        for (int i = 0; i < inStrip; ++i) {
            const int b0 = across * i / inStrip;
            const int b1 = across * (i + 1) / inStrip;
            rects.push_back(Vertical ? TRect{a0, b0, a1, b1} : TRect{b0, a0, b1, a1});
        }
    }
    return rects;
}

std::vector<TRect> MDICascadeRects(int Width, int Height, int Count, int Step)
{
    std::vector<TRect> rects;
    if (Count <= 0) return rects;
    Step = std::max(0, Step);
    const int offset = Step * (Count - 1);
    // As large as keeps the last one inside, but never under half the client.
    const int w = std::max(std::max(0, Width) / 2, Width - offset);
    const int h = std::max(std::max(0, Height) / 2, Height - offset);
    for (int i = 0; i < Count; ++i) rects.push_back(TRect{Step * i, Step * i, Step * i + w, Step * i + h});
    return rects;
}
