#include "platform/win/Input.h"
#include "platform/win/MdiClient.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <unordered_map>

#include "platform/backend/Backend.h"
#include "platform/win/Paint.h"
#include "platform/win/WinInternal.h"

using namespace WinInternal;

namespace {

struct TDropFiles {
    std::vector<std::string> Files;
    TPoint ClientPoint;
};

struct TClick {
    HWND Window = 0;
    UINT Msg = 0;
    std::uint64_t Time = 0;
    TPoint Pos;
};

struct TInputState {
    HWND Focus = 0;
    HWND Capture = 0;
    HWND Active = 0;
    HCURSOR Cursor = IDC_ARROW;
    TPoint CursorPos;
    bool Keys[256] = {};
    // The last key that went down: a release of Alt or F10 is a tap of the menu key only when no
    // other key went down while it was held.
    WORD LastKeyDown = 0;
    std::deque<TInputEvent> Raw;
    std::deque<TMsg> Ready;
    TClick LastClick;
    std::unordered_map<HDROP, std::unique_ptr<TDropFiles>> Drops;
    HDROP NextDrop = 1;
    std::chrono::steady_clock::time_point LastPump;
};

TInputState& S()
{
    static TInputState s;
    return s;
}

constexpr UINT DoubleClickMs = 500;
constexpr int DoubleClickSlop = 4;

bool IsAlive(HWND h) { return Find(h) != nullptr; }

bool Within(HWND h, HWND ancestor) { return h && (h == ancestor || IsChild(ancestor, h)); }

void Queue(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    S().Ready.push_back({h, msg, w, l, MessageTime(), S().CursorPos});
}

LPARAM PointParam(TPoint p) { return MAKELPARAM(p.X, p.Y); }

// The deepest enabled, visible window under a screen point, asked WM_NCHITTEST; windows answering
// HTTRANSPARENT hand the point to their parent.
HWND HitWindow(TPoint screen, LRESULT& hit)
{
    HWND h = WindowFromPoint(screen);
    // A disabled top-level window (one waiting for its modal dialog) takes no input anywhere in it,
    // whatever its children's own state.
    if (HWND root = h ? GetAncestorRoot(h) : 0; root && root != h && !IsWindowEnabled(root))
        h = root;
    while (h) {
        // Disabled children pass the pointer to their parent; a disabled top-level window gets HTERROR.
        TWindowRec* w = Find(h);
        if (!w)
            return 0;
        if ((w->Style & WS_DISABLED) && w->Parent) {
            h = w->Parent;
            continue;
        }
        if (w->Style & WS_DISABLED) {
            hit = HTERROR;
            return h;
        }
        hit = SendMessage(h, WM_NCHITTEST, 0, PointParam(screen));
        if (hit != HTTRANSPARENT)
            return IsAlive(h) ? h : 0;
        w = Find(h);
        h = w ? w->Parent : 0;
    }
    hit = HTNOWHERE;
    return 0;
}

UINT ButtonMessage(int button, bool down, bool dbl, bool client)
{
    UINT base = 0;
    switch (button) {
    case 1: base = client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN; break;
    case 2: base = client ? WM_RBUTTONDOWN : WM_NCRBUTTONDOWN; break;
    default: base = client ? WM_MBUTTONDOWN : WM_NCMBUTTONDOWN; break;
    }
    if (!down)
        return base + 1;
    return dbl ? base + 2 : base;
}

int ButtonVk(int button) { return button == 1 ? VK_LBUTTON : button == 2 ? VK_RBUTTON : VK_MBUTTON; }

// The mouse message of `hit`, to `h`, at screen point p.
void QueueMouse(HWND h, LRESULT hit, UINT clientMsg, UINT ncMsg, TPoint screen)
{
    if (hit == HTCLIENT || S().Capture == h) {
        TPoint p = screen;
        ScreenToClient(h, p);
        Queue(h, clientMsg, MouseKeyFlags(), PointParam(p));
    } else {
        Queue(h, ncMsg, static_cast<WPARAM>(hit), PointParam(screen));
    }
}

void SetCursorFor(HWND h, LRESULT hit, UINT msg)
{
    if (!h)
        return;
    SendMessage(h, WM_SETCURSOR, static_cast<WPARAM>(h), MAKELPARAM(static_cast<int>(hit), static_cast<int>(msg)));
}

void RouteMouse(const TInputEvent& e)
{
    TInputState& s = S();
    // A press or release always follows a move to its place: where the display left out the last
    // stretch of a move, that move is made here first, so that whatever follows the pointer (a window
    // dragged by its caption, a slider's thumb) ends where the button was let go.
    if ((e.Kind == TInputKind::ButtonDown || e.Kind == TInputKind::ButtonUp) && e.Pos != s.CursorPos) {
        TInputEvent move;
        move.Kind = TInputKind::MouseMove;
        move.Window = e.Window;
        move.Pos = e.Pos;
        RouteMouse(move);
    }
    s.CursorPos = e.Pos;
    LRESULT hit = HTCLIENT;
    HWND h = s.Capture;
    if (h && !IsAlive(h))
        h = s.Capture = 0;
    if (!h)
        h = HitWindow(e.Pos, hit);
    if (!h)
        return;

    if (e.Kind == TInputKind::MouseMove) {
        if (!s.Capture)
            SetCursorFor(h, hit, WM_MOUSEMOVE);
        if (IsAlive(h) && hit != HTERROR)
            QueueMouse(h, hit, WM_MOUSEMOVE, WM_NCMOUSEMOVE, e.Pos);
        return;
    }
    if (e.Kind == TInputKind::Wheel) {
        // The wheel scrolls what lies under the pointer (or what holds the mouse), whatever has the
        // keyboard: a window that does not take it hands it to its parent (DefWindowProc), so it
        // reaches the nearest one that scrolls. A window disabled by a modal one takes none.
        if (hit != HTERROR)
            Queue(h, WM_MOUSEWHEEL, (static_cast<WPARAM>(static_cast<WORD>(e.WheelDelta)) << 16) | MouseKeyFlags(),
                PointParam(e.Pos));
        return;
    }

    bool down = e.Kind == TInputKind::ButtonDown;
    s.Keys[ButtonVk(e.Button)] = down;
    bool client = hit == HTCLIENT || s.Capture == h;
    if (hit == HTERROR) {
        // A press on a window disabled by a modal one: the modal one is what the user should look at.
        if (down && CurrentBackend())
            CurrentBackend()->Beep();
        if (HWND modal = down ? ModalFor(GetAncestorRoot(h)) : 0)
            ActivateWindow(modal, WA_ACTIVE);
        SetCursorFor(h, hit, WM_LBUTTONDOWN);
        return;
    }
    bool dbl = false;
    if (down) {
        UINT single = ButtonMessage(e.Button, true, false, client);
        std::uint64_t now = WinClockNow();
        TWindowRec* w = Find(h);
        bool classWants = w && ((w->Class->Style & CS_DBLCLKS) || !client);
        dbl = classWants && s.LastClick.Window == h && s.LastClick.Msg == single && now - s.LastClick.Time <= DoubleClickMs
            && std::abs(s.LastClick.Pos.X - e.Pos.X) <= DoubleClickSlop
            && std::abs(s.LastClick.Pos.Y - e.Pos.Y) <= DoubleClickSlop;
        s.LastClick = dbl ? TClick{} : TClick{h, single, now, e.Pos};

        HWND root = GetAncestorRoot(h);
        TWindowRec* r = Find(root);
        if (r && root != s.Active && !(r->ExStyle & WS_EX_NOACTIVATE)) {
            LRESULT ma = SendMessage(h, WM_MOUSEACTIVATE, static_cast<WPARAM>(root),
                MAKELPARAM(static_cast<int>(hit), static_cast<int>(single)));
            if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT || ma == 0)
                ActivateWindow(root, WA_CLICKACTIVE);
            if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT)
                return;
        }
        if (!IsAlive(h))
            return;
        // A press anywhere in an MDI child makes it the active child of its client.
        MDIChildMouseDown(h);
        if (!IsAlive(h))
            return;
        SetCursorFor(h, hit, single);
        if (!IsAlive(h))
            return;
    }
    UINT clientMsg = ButtonMessage(e.Button, down, dbl, true);
    UINT ncMsg = ButtonMessage(e.Button, down, dbl, false);
    QueueMouse(h, hit, clientMsg, ncMsg, e.Pos);
}

HWND KeyTarget()
{
    TInputState& s = S();
    if (s.Focus && IsAlive(s.Focus))
        return s.Focus;
    if (s.Active && IsAlive(s.Active))
        return s.Active;
    return 0;
}

void RouteKey(const TInputEvent& e)
{
    TInputState& s = S();
    bool down = e.Kind == TInputKind::KeyDown;
    bool wasDown = s.Keys[e.Key & 0xFF];
    s.Keys[e.Key & 0xFF] = down;
    HWND h = KeyTarget();
    if (!h)
        return;
    bool alt = s.Keys[VK_MENU] && !s.Keys[VK_CONTROL];
    bool sys = alt || e.Key == VK_F10 || (e.Key == VK_MENU);
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM l = 1;
    if (alt)
        l |= LPARAM(1) << 29;
    if (!down || wasDown || e.Repeat)
        l |= LPARAM(1) << 30;
    if (!down)
        l |= static_cast<LPARAM>(static_cast<std::uint32_t>(1u << 31));
    if (down && !wasDown)
        s.LastKeyDown = e.Key;
    else if (!down && s.LastKeyDown == e.Key)
        l |= KeyTappedAlone;
    Queue(h, msg, e.Key, l);
}

// UTF-8 to code points; a broken sequence gives U+FFFD and moves on by one byte.
std::vector<std::uint32_t> CodePoints(const std::string& text)
{
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        std::uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        bool ok = len > 0 && i + len <= text.size();
        for (int k = 1; ok && k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(text[i + k]);
            ok = (cc & 0xC0) == 0x80;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
        } else {
            out.push_back(cp);
            i += len;
        }
    }
    return out;
}

void RouteText(const TInputEvent& e)
{
    HWND h = KeyTarget();
    if (!h)
        return;
    for (std::uint32_t cp : CodePoints(e.Text))
        if (cp >= 0x20 && cp != 0x7F)
            Queue(h, WM_CHAR, cp, 1);
}

void RouteDrop(const TInputEvent& e)
{
    HWND h = WindowFromPoint(e.Pos);
    while (h) {
        TWindowRec* w = Find(h);
        if (!w)
            return;
        if (w->ExStyle & WS_EX_ACCEPTFILES)
            break;
        h = w->Parent;
    }
    if (!h && e.Window) {
        TWindowRec* w = Find(e.Window);
        if (w && (w->ExStyle & WS_EX_ACCEPTFILES))
            h = e.Window;
    }
    if (!h || e.Paths.empty())
        return;
    auto d = std::make_unique<TDropFiles>();
    d->Files = e.Paths;
    d->ClientPoint = e.Pos;
    ScreenToClient(h, d->ClientPoint);
    HDROP id = S().NextDrop++;
    S().Drops[id] = std::move(d);
    Queue(h, WM_DROPFILES, id, 0);
}

void Convert(const TInputEvent& e)
{
    TInputState& s = S();
    switch (e.Kind) {
    case TInputKind::MouseMove:
    case TInputKind::ButtonDown:
    case TInputKind::ButtonUp:
    case TInputKind::Wheel:
        RouteMouse(e);
        break;
    case TInputKind::KeyDown:
    case TInputKind::KeyUp:
        RouteKey(e);
        break;
    case TInputKind::Text:
        RouteText(e);
        break;
    case TInputKind::FocusIn: {
        TWindowRec* w = Find(e.Window);
        if (!w || (w->ExStyle & WS_EX_NOACTIVATE) || w->NoActivateTop)
            break;
        if (!(w->Style & WS_DISABLED)) {
            if (s.Active != e.Window)
                ActivateWindow(e.Window, WA_ACTIVE, false);
        } else if (HWND modal = ModalFor(e.Window)) {
            // The keyboard came to a window that waits for its dialog (a click on it gives it the focus
            // on some displays): the dialog is what takes it, and the display is asked to move it there.
            if (s.Active != modal)
                ActivateWindow(modal, WA_ACTIVE);
            else
                TopLevelFocus(modal);
        }
        break;
    }
    case TInputKind::FocusOut:
        // Another program took the keyboard: our active window is told it lost it.
        if (s.Active == e.Window && IsAlive(e.Window))
            ActivateWindow(0, WA_INACTIVE);
        break;
    case TInputKind::Close:
        if (IsAlive(e.Window))
            Queue(e.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case TInputKind::Drop:
        RouteDrop(e);
        break;
    case TInputKind::Minimized:
        if (IsAlive(e.Window) && !(Find(e.Window)->Style & WS_MINIMIZE))
            SetShowState(e.Window, SW_SHOWMINIMIZED, true);
        break;
    case TInputKind::Restored:
        // A taskbar or the window manager brought the window back: it takes the pointer and keys again.
        if (IsAlive(e.Window) && (Find(e.Window)->Style & WS_MINIMIZE))
            SetShowState(e.Window, Find(e.Window)->RestoreMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL, true);
        break;
    case TInputKind::Maximized:
        // The window manager's own maximise: the window takes the state with the place it was given,
        // and keeps the one it had for the restore.
        if (IsAlive(e.Window))
            SetShowState(e.Window, SW_SHOWMAXIMIZED, true, &e.Bounds);
        break;
    case TInputKind::RestoredFromMaximized:
        if (IsAlive(e.Window) && (Find(e.Window)->Style & WS_MAXIMIZE))
            SetShowState(e.Window, SW_SHOWNORMAL, true);
        break;
    case TInputKind::TrayMouseMove:
    case TInputKind::TrayButtonDown:
    case TInputKind::TrayButtonUp:
    case TInputKind::TrayLost:
    case TInputKind::TrayCreated:
        RouteTrayEvent(e);
        break;
    case TInputKind::Exposed:
        if (IsAlive(e.Window))
            RedrawWindow(e.Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
    case TInputKind::Moved:
        if (IsAlive(e.Window)) {
            TRect r;
            GetWindowRect(e.Window, r);
            if (r.TopLeft() != e.Bounds.TopLeft())
                SetWindowPos(e.Window, 0, e.Bounds.Left, e.Bounds.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    case TInputKind::Resized:
        // The window manager sized the window (maximised it, restored it, or the user dragged its
        // edge there): the window takes that size, and lays itself out for it.
        if (IsAlive(e.Window) && !(Find(e.Window)->Style & WS_MINIMIZE)) {
            TRect r;
            GetWindowRect(e.Window, r);
            // Only the size: the place comes with the display's own report of a move.
            if (r.Width() != e.Bounds.Width() || r.Height() != e.Bounds.Height())
                SetWindowPos(e.Window, 0, 0, 0, e.Bounds.Width(), e.Bounds.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    }
}

void ReleaseIfInside(HWND h)
{
    TInputState& s = S();
    if (s.Capture && Within(s.Capture, h))
        ReleaseCapture();
}

void ActivateNextAfter(HWND gone)
{
    TWindowRec* g = Find(gone);
    HWND owner = g ? g->Owner : 0;
    auto eligible = [gone](HWND c) {
        TWindowRec* w = Find(c);
        return w && c != gone && !w->Destroying && (w->Style & WS_VISIBLE) && !(w->Style & WS_DISABLED)
            && !(w->ExStyle & WS_EX_NOACTIVATE) && !(w->Style & WS_MINIMIZE);
    };
    if (owner && eligible(owner)) {
        ActivateWindow(owner, WA_ACTIVE);
        return;
    }
    for (HWND t : TopLevels())
        if (eligible(t)) {
            ActivateWindow(t, WA_ACTIVE);
            return;
        }
    ActivateWindow(0, WA_INACTIVE);
}

}  // namespace

namespace WinInternal {

void PumpDisplay(bool busy)
{
    if (TBackend* b = CurrentBackend()) {
        const auto now = std::chrono::steady_clock::now();
        if (busy && now - S().LastPump < std::chrono::milliseconds(b->BusyPumpIntervalMs()) && !b->HasQueuedEvents())
            return;
        S().LastPump = now;
        std::vector<TInputEvent> events;
        b->Pump(events);
        for (auto& e : events)
            S().Raw.push_back(std::move(e));
    }
}

bool DisplayHasQueuedEvents()
{
    TBackend* b = CurrentBackend();
    return b && b->HasQueuedEvents();
}

std::vector<int> DisplayFds()
{
    TBackend* b = CurrentBackend();
    return b ? b->WaitFds() : std::vector<int>();
}

bool HasInput() { return !S().Ready.empty() || !S().Raw.empty(); }

void QueueInput(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) { Queue(h, msg, wParam, lParam); }

bool TakeInputMessage(TMsg* m, HWND filter, UINT min, UINT max, bool remove)
{
    TInputState& s = S();
    for (;;) {
        for (auto it = s.Ready.begin(); it != s.Ready.end(); ++it) {
            if (!IsAlive(it->hwnd)) {
                s.Ready.erase(it);
                return TakeInputMessage(m, filter, min, max, remove);
            }
            if ((filter && it->hwnd != filter) || ((min || max) && (it->message < min || it->message > max)))
                continue;
            *m = *it;
            if (remove)
                s.Ready.erase(it);
            return true;
        }
        if (s.Raw.empty())
            return false;
        TInputEvent e = std::move(s.Raw.front());
        s.Raw.pop_front();
        // Pointer moves are merged: only where the pointer is now matters.
        while (e.Kind == TInputKind::MouseMove && !s.Raw.empty() && s.Raw.front().Kind == TInputKind::MouseMove) {
            e = std::move(s.Raw.front());
            s.Raw.pop_front();
        }
        Convert(e);
    }
}

HWND ModalFor(HWND owner)
{
    for (HWND t : TopLevels()) {
        TWindowRec* w = Find(t);
        if (w && t != owner && w->Owner == owner && (w->Style & WS_VISIBLE) && !(w->Style & WS_DISABLED)
            && !(w->ExStyle & WS_EX_NOACTIVATE) && !w->NoActivateTop && !w->Destroying)
            return t;
    }
    return 0;
}

HWND ActivateWindow(HWND h, WPARAM how, bool askDisplay)
{
    TInputState& s = S();
    if (h)
        h = GetAncestorRoot(h);
    HWND old = s.Active;
    if (h == old)
        return old;
    if (h) {
        TWindowRec* w = Find(h);
        if (!w || (w->ExStyle & WS_EX_NOACTIVATE) || w->Destroying)
            return old;
    }
    if (old && IsAlive(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, static_cast<LPARAM>(h));
        SendMessage(old, WM_ACTIVATE, WA_INACTIVE, static_cast<LPARAM>(h));
        if (s.Focus && Within(s.Focus, old))
            SetFocus(0);
    }
    s.Active = h;
    if (h && IsAlive(h)) {
        TWindowRec* w = Find(h);
        if ((w->Style & WS_VISIBLE) && TopLevels().front() != h)
            SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if ((w = Find(h)) && w->Top && askDisplay)
            TopLevelFocus(h);
        SendMessage(h, WM_NCACTIVATE, TRUE, static_cast<LPARAM>(old));
        if (s.Active == h)
            SendMessage(h, WM_ACTIVATE, how, static_cast<LPARAM>(old));
    }
    return old;
}

void ForgetWindow(HWND h)
{
    TInputState& s = S();
    ReleaseIfInside(h);
    if (s.Focus && Within(s.Focus, h))
        s.Focus = 0;   // no WM_KILLFOCUS to a window on its way out
    if (s.Active == h) {
        s.Active = 0;
        ActivateNextAfter(h);
    }
    if (s.LastClick.Window == h)
        s.LastClick = {};
}

void WindowHidden(HWND h)
{
    TInputState& s = S();
    ReleaseIfInside(h);
    if (s.Focus && Within(s.Focus, h) && s.Focus != h)
        SetFocus(0);
    else if (s.Focus == h)
        SetFocus(0);
    if (s.Active == h)
        ActivateNextAfter(h);
}

void WindowDisabled(HWND h)
{
    TInputState& s = S();
    ReleaseIfInside(h);
    if (s.Focus && Within(s.Focus, h))
        SetFocus(0);
}

}  // namespace WinInternal

HWND SetFocus(HWND h)
{
    TInputState& s = S();
    HWND old = s.Focus && IsAlive(s.Focus) ? s.Focus : 0;
    if (h == old)
        return old;
    if (h) {
        TWindowRec* w = Find(h);
        if (!w || w->Destroying)
            return 0;
        HWND root = GetAncestorRoot(h);
        TWindowRec* r = Find(root);
        if (r && s.Active != root && !(r->ExStyle & WS_EX_NOACTIVATE)) {
            ActivateWindow(root, WA_ACTIVE);
            if (s.Focus == h)
                return old;   // the activation already put the focus there
            old = s.Focus && IsAlive(s.Focus) ? s.Focus : 0;
        }
    }
    s.Focus = h;
    if (old)
        SendMessage(old, WM_KILLFOCUS, static_cast<WPARAM>(h), 0);
    if (h && s.Focus == h && IsAlive(h))
        SendMessage(h, WM_SETFOCUS, static_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() { return S().Focus && IsAlive(S().Focus) ? S().Focus : 0; }

HWND SetCapture(HWND h)
{
    TInputState& s = S();
    HWND old = s.Capture && IsAlive(s.Capture) ? s.Capture : 0;
    if (h && !IsAlive(h))
        return old;
    s.Capture = h;
    if (old && old != h)
        SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(h));
    return old;
}

BOOL ReleaseCapture()
{
    TInputState& s = S();
    HWND old = s.Capture;
    s.Capture = 0;
    if (old && IsAlive(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return S().Capture && IsAlive(S().Capture) ? S().Capture : 0; }

HWND SetActiveWindow(HWND h) { return ActivateWindow(h, WA_ACTIVE); }

HWND GetActiveWindow() { return S().Active && IsAlive(S().Active) ? S().Active : 0; }

BOOL GetCursorPos(TPoint& out)
{
    out = S().CursorPos;
    return TRUE;
}

TPoint GetCursorPos() { return S().CursorPos; }

BOOL SetCursorPos(int x, int y)
{
    S().CursorPos = {x, y};
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR old = S().Cursor;
    S().Cursor = cursor;
    if (cursor != old)
        if (TBackend* b = CurrentBackend())
            b->SetCursor(cursor);
    return old;
}

short GetKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    bool down = S().Keys[vk];
    if (vk == VK_SHIFT)
        down = down || S().Keys[VK_LSHIFT] || S().Keys[VK_RSHIFT];
    if (vk == VK_CONTROL)
        down = down || S().Keys[VK_LCONTROL] || S().Keys[VK_RCONTROL];
    if (vk == VK_MENU)
        down = down || S().Keys[VK_LMENU] || S().Keys[VK_RMENU];
    return down ? static_cast<short>(0x8000) : 0;
}

WPARAM MouseKeyFlags()
{
    WPARAM f = 0;
    if (GetKeyState(VK_LBUTTON) < 0)
        f |= MK_LBUTTON;
    if (GetKeyState(VK_RBUTTON) < 0)
        f |= MK_RBUTTON;
    if (GetKeyState(VK_MBUTTON) < 0)
        f |= MK_MBUTTON;
    if (GetKeyState(VK_SHIFT) < 0)
        f |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        f |= MK_CONTROL;
    return f;
}

UINT GetDoubleClickTime() { return DoubleClickMs; }

std::vector<std::string> DragQueryFiles(HDROP drop)
{
    auto it = S().Drops.find(drop);
    return it == S().Drops.end() ? std::vector<std::string>() : it->second->Files;
}

void DragFinish(HDROP drop) { S().Drops.erase(drop); }

void DragAcceptFiles(HWND h, BOOL accept)
{
    TWindowRec* w = Find(h);
    if (!w)
        return;
    if (accept)
        w->ExStyle |= WS_EX_ACCEPTFILES;
    else
        w->ExStyle &= ~WS_EX_ACCEPTFILES;
}
