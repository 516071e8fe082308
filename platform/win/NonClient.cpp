// The default window procedure: the non-client protocol (frame sizes, hit codes, the frame's look),
// the cursor, activation by mouse, the system commands with their own move and size loop, and the
// plain answers every window gets when its procedure passes a message on.
#include <algorithm>
#include <cstring>

#include "platform/backend/Backend.h"
#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/WinInternal.h"

using namespace WinInternal;

namespace {

constexpr int CaptionHeight = 18;
constexpr int ToolCaptionHeight = 15;
constexpr int SizingCorner = 12;

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int FrameWidth(DWORD style, DWORD exStyle)
{
    if (style & WS_THICKFRAME)
        return 4;
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        return 3;
    if (style & WS_BORDER)
        return 1;
    return 0;
}

TRect CaptionRect(const TWindowRec& w)
{
    if (!HasCaption(w.Style))
        return {};
    int f = FrameWidth(w.Style, w.ExStyle);
    int ch = (w.ExStyle & WS_EX_TOOLWINDOW) ? ToolCaptionHeight : CaptionHeight;
    return {f, f, w.Rect.Width() - f, f + ch};
}

LRESULT HitTest(HWND h, TPoint screen)
{
    TWindowRec* w = Find(h);
    if (!w)
        return HTNOWHERE;
    TRect wr;
    GetWindowRect(h, wr);
    if (!wr.Contains(screen))
        return HTNOWHERE;
    TPoint p{screen.X - wr.Left, screen.Y - wr.Top};
    if (w->Client.Contains(p))
        return HTCLIENT;
    if ((w->Style & WS_THICKFRAME) && !(w->Style & WS_MAXIMIZE)) {
        int f = FrameWidth(w->Style, w->ExStyle);
        int W = wr.Width(), H = wr.Height();
        bool left = p.X < f, right = p.X >= W - f, top = p.Y < f, bottom = p.Y >= H - f;
        bool nearLeft = p.X < SizingCorner, nearRight = p.X >= W - SizingCorner;
        bool nearTop = p.Y < SizingCorner, nearBottom = p.Y >= H - SizingCorner;
        if ((top && nearLeft) || (left && nearTop))
            return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop))
            return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom))
            return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom))
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    if (CaptionRect(*w).Contains(p))
        return HTCAPTION;
    if (w->Style & WS_VSCROLL || w->Style & WS_HSCROLL)
        return HTBORDER;
    return HTBORDER;
}

HCURSOR CursorForHit(LRESULT hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT: return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return IDC_SIZENESW;
    default: return IDC_ARROW;
    }
}

void PaintDefaultFrame(HWND h)
{
    TWindowRec* w = Find(h);
    if (!w || w->Client == TRect{0, 0, w->Rect.Width(), w->Rect.Height()})
        return;
    HDC dc = GetWindowDC(h);
    TRect r{0, 0, w->Rect.Width(), w->Rect.Height()};
    ExcludeClipRect(dc, w->Client.Left, w->Client.Top, w->Client.Right, w->Client.Bottom);
    FillRect(dc, r, GetSysColorBrush(COLOR_BTNFACE));
    int f = FrameWidth(w->Style, w->ExStyle);
    if (f == 1)
        FrameRect(dc, r, GetSysColorBrush(COLOR_WINDOWFRAME));
    else if (f > 1)
        DrawEdge(dc, r, EDGE_RAISED, BF_RECT);
    TRect cap = CaptionRect(*w);
    if (!cap.IsEmpty()) {
        bool active = GetActiveWindow() == GetAncestorRoot(h);
        FillRect(dc, cap, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(SysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT)));
        TRect tr = cap;
        tr.Left += 4;
        DrawText(dc, w->Text, tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
    if (w->ExStyle & WS_EX_CLIENTEDGE) {
        TRect ce = w->Client;
        InflateRect(ce, 2, 2);
        DrawEdge(dc, ce, EDGE_SUNKEN, BF_RECT);
    }
    ReleaseDC(h, dc);
}

}  // namespace

MINMAXINFO WinInternal::QueryMinMax(HWND h)
{
    MINMAXINFO mmi;
    TRect work = Backend().WorkArea();
    // A child window (an MDI child) is maximized within its parent's client area.
    if (TWindowRec* w = Find(h); w && w->Parent && (w->Style & WS_CHILD)) {
        TRect client;
        GetClientRect(w->Parent, client);
        work = client;
    }
    mmi.ptMaxSize = {work.Width(), work.Height()};
    mmi.ptMaxPosition = work.TopLeft();
    mmi.ptMinTrackSize = {16, 16};
    mmi.ptMaxTrackSize = {std::max(work.Width(), 32000), std::max(work.Height(), 32000)};
    SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi;
}

namespace {

// The rectangle of h in its parent's client coordinates (screen for top-level windows) turned into
// screen coordinates and back.
TPoint ParentOrigin(HWND h)
{
    TWindowRec* w = Find(h);
    TPoint p{0, 0};
    if (w && w->Parent)
        ClientToScreen(w->Parent, p);
    return p;
}

// The system's own modal loop for moving (edge 0) or sizing (edge WMSZ_*) a window with the mouse,
// ending at the button's release. Escape puts the window back. Other messages are served meanwhile.
void MoveSizeLoop(HWND h, int edge)
{
    TWindowRec* w = Find(h);
    if (!w)
        return;
    TPoint po = ParentOrigin(h);
    TRect start = w->Rect;
    OffsetRect(start, po.X, po.Y);
    TPoint anchor = GetCursorPos();
    MINMAXINFO mmi = QueryMinMax(h);
    SetCapture(h);
    SendMessage(h, WM_ENTERSIZEMOVE, 0, 0);
    auto apply = [&](TRect r) {
        TPoint o = ParentOrigin(h);
        SetWindowPos(h, 0, r.Left - o.X, r.Top - o.Y, r.Width(), r.Height(),
            SWP_NOZORDER | SWP_NOACTIVATE | (edge ? 0 : SWP_NOSIZE));
    };
    bool done = false;
    while (!done && IsWindow(h)) {
        TMsg m;
        if (!PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
            WaitMessage(-1);
            continue;
        }
        switch (m.message) {
        case WM_QUIT:
            PostQuitMessage(static_cast<int>(m.wParam));
            done = true;
            break;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE: {
            TPoint cur = GetCursorPos();
            int dx = cur.X - anchor.X, dy = cur.Y - anchor.Y;
            TRect r = start;
            if (!edge) {
                OffsetRect(r, dx, dy);
                SendMessage(h, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
            } else {
                bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
                bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
                bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
                bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
                auto clampW = [&](int v) { return std::clamp(v, mmi.ptMinTrackSize.X, std::max(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X)); };
                auto clampH = [&](int v) { return std::clamp(v, mmi.ptMinTrackSize.Y, std::max(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y)); };
                if (left)
                    r.Left = r.Right - clampW(start.Width() - dx);
                if (right)
                    r.Right = r.Left + clampW(start.Width() + dx);
                if (top)
                    r.Top = r.Bottom - clampH(start.Height() - dy);
                if (bottom)
                    r.Bottom = r.Top + clampH(start.Height() + dy);
                SendMessage(h, WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&r));
            }
            if (IsWindow(h))
                apply(r);
            break;
        }
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            done = true;
            break;
        case WM_KEYDOWN:
            if (m.wParam == VK_ESCAPE) {
                apply(start);
                done = true;
            } else if (m.wParam == VK_RETURN) {
                done = true;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_KEYUP:
        case WM_CHAR:
            break;   // the loop owns the mouse and keyboard while it runs
        default:
            TranslateMessage(&m);
            DispatchMessage(&m);
            break;
        }
        if (GetCapture() != h)
            done = true;   // someone else took the mouse: the move ends where it is
    }
    if (GetCapture() == h)
        ReleaseCapture();
    if (IsWindow(h))
        SendMessage(h, WM_EXITSIZEMOVE, 0, 0);
}

LRESULT SizeType(const TWindowRec& w)
{
    if (w.Style & WS_MINIMIZE)
        return SIZE_MINIMIZED;
    if (w.Style & WS_MAXIMIZE)
        return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

}  // namespace

namespace WinInternal {

TRect DefaultFrameInsets(DWORD style, DWORD exStyle)
{
    int f = FrameWidth(style, exStyle);
    TRect r{f, f, f, f};
    if (HasCaption(style))
        r.Top += (exStyle & WS_EX_TOOLWINDOW) ? ToolCaptionHeight : CaptionHeight;
    if (exStyle & WS_EX_CLIENTEDGE) {
        r.Left += 2;
        r.Top += 2;
        r.Right += 2;
        r.Bottom += 2;
    }
    return r;
}

void SetShowState(HWND h, int state, bool byDisplay, const TRect* displayBounds)
{
    TWindowRec* w = Find(h);
    if (!w)
        return;
    bool wasNormal = !(w->Style & (WS_MINIMIZE | WS_MAXIMIZE));
    bool wasMinimized = w->Style & WS_MINIMIZE;
    if (wasNormal)
        w->NormalRect = w->Rect;
    if (state == SW_SHOWMINIMIZED) {
        if (w->Style & WS_MINIMIZE)
            return;
        // A display that cannot bring the window back (no window manager) leaves it as it is: an
        // iconified window nobody can restore would be lost to the user.
        if (w->Top && !byDisplay && !w->Top->Minimize())
            return;
        w->RestoreMaximized = w->Style & WS_MAXIMIZE;
        w->Style |= WS_MINIMIZE;
        w->ShowState = SW_SHOWMINIMIZED;
        SendMessage(h, WM_SIZE, SIZE_MINIMIZED, 0);
        if (GetActiveWindow() == h)
            SetActiveWindow(0);
    } else if (state == SW_SHOWMAXIMIZED) {
        // An iconified window the window manager maximised comes back maximised with its restore.
        if (displayBounds && wasMinimized) {
            w->RestoreMaximized = true;
            return;
        }
        MINMAXINFO mmi = QueryMinMax(h);
        if (!(w = Find(h)))
            return;
        // Maximised by the window manager, the window has the place it was given; the limits the
        // window sets itself are for the program's own maximise.
        const TRect place = displayBounds ? *displayBounds : Bounds(mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y);
        w->Style = (w->Style & ~WS_MINIMIZE) | WS_MAXIMIZE;
        w->ShowState = SW_SHOWMAXIMIZED;
        if (wasMinimized && w->Top && !byDisplay)
            w->Top->Restore();
        SetWindowPos(h, 0, place.Left, place.Top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        if (wasNormal)
            return;
        const bool wasMaximized = w->Style & WS_MAXIMIZE;
        w->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        w->ShowState = SW_SHOWNORMAL;
        if (wasMinimized && w->Top && !byDisplay)
            w->Top->Restore();
        // Restored by the program, a window the window manager maximised must be let go there too.
        if (wasMaximized && w->Top && !byDisplay)
            w->Top->Unmaximize();
        TRect n = w->NormalRect;
        SetWindowPos(h, 0, n.Left, n.Top, n.Width(), n.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

}  // namespace WinInternal

LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCCALCSIZE: {
        TRect* r = reinterpret_cast<TRect*>(lParam);
        if (r && !(w->Style & WS_MINIMIZE)) {
            TRect in = DefaultFrameInsets(w->Style, w->ExStyle);
            r->Left += in.Left;
            r->Top += in.Top;
            r->Right -= in.Right;
            r->Bottom -= in.Bottom;
        }
        return 0;
    }
    case WM_NCHITTEST:
        return HitTest(h, ParamPoint(lParam));
    case WM_NCPAINT:
        PaintDefaultFrame(h);
        return 0;
    case WM_NCACTIVATE:
        if (HasCaption(w->Style))
            RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->Style & WS_MINIMIZE)) {
            HWND f = GetFocus();
            if (!f || (f != h && !IsChild(h, f)))
                SetFocus(h);
        }
        return 0;
    case WM_SETCURSOR: {
        LRESULT hit = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam)));
        if (w->Parent && hit != HTERROR && SendMessage(w->Parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (hit == HTCLIENT) {
            if (w->Class->Cursor) {
                SetCursor(w->Class->Cursor);
                return TRUE;
            }
            return FALSE;
        }
        SetCursor(CursorForHit(hit));
        return hit == HTERROR ? FALSE : TRUE;
    }
    case WM_MOUSEACTIVATE:
        if (w->Parent) {
            LRESULT r = SendMessage(w->Parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r)
                return r;
        }
        return MA_ACTIVATE;
    case WM_NCLBUTTONDOWN:
        if (wParam == static_cast<WPARAM>(HTCAPTION))
            SendMessage(h, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
        else if (wParam >= static_cast<WPARAM>(HTLEFT) && wParam <= static_cast<WPARAM>(HTBOTTOMRIGHT))
            SendMessage(h, WM_SYSCOMMAND, SC_SIZE | (wParam - HTLEFT + WMSZ_LEFT), lParam);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == static_cast<WPARAM>(HTCAPTION) && (w->Style & WS_MAXIMIZEBOX))
            SendMessage(h, WM_SYSCOMMAND, (w->Style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MOVE:
            MoveSizeLoop(h, 0);
            break;
        case SC_SIZE:
            MoveSizeLoop(h, static_cast<int>(wParam & 0xF));
            break;
        case SC_CLOSE:
            SendMessage(h, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(h, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(h, SW_SHOWMAXIMIZED);
            break;
        case SC_RESTORE:
            ShowWindow(h, SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(h);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (LPARAM(1) << 29)))
            SendMessage(GetAncestorRoot(h), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSKEYUP:
        if ((wParam == VK_MENU || wParam == VK_F10) && (lParam & KeyTappedAlone))
            SendMessage(GetAncestorRoot(h), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    case WM_SYSCHAR:
        SendMessage(GetAncestorRoot(h), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        if (w->Class->Background == clNone || !wParam)
            return 0;
        HBRUSH b = CreateSolidBrush(ColorToRGB(w->Class->Background));
        FillRect(reinterpret_cast<HDC>(wParam), TRect{0, 0, w->Client.Width(), w->Client.Height()}, b);
        DeleteObject(b);
        return 1;
    }
    case WM_WINDOWPOSCHANGED: {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos)
            return 0;
        if (!(pos->flags & SWP_NOMOVE))
            SendMessage(h, WM_MOVE, 0, MAKELPARAM(w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top));
        if ((w = Find(h)) && (!(pos->flags & SWP_NOSIZE) || (pos->flags & SWP_FRAMECHANGED)))
            SendMessage(h, WM_SIZE, static_cast<WPARAM>(SizeType(*w)), MAKELPARAM(w->Client.Width(), w->Client.Height()));
        return 0;
    }
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        w->Text = text ? text : "";
        if (w->Top)
            w->Top->SetTitle(w->Text);
        if (HasCaption(w->Style))
            RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return TRUE;
    }
    case WM_GETTEXT: {
        char* buf = reinterpret_cast<char*>(lParam);
        if (!buf || wParam == 0)
            return 0;
        std::size_t n = std::min<std::size_t>(w->Text.size(), wParam - 1);
        std::memcpy(buf, w->Text.data(), n);
        buf[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->Text.size());
    case WM_RBUTTONUP: {
        // The right button's release asks for a context menu at the pointer, as the system does.
        TPoint p = ParamPoint(lParam);
        ClientToScreen(h, p);
        SendMessage(h, WM_CONTEXTMENU, static_cast<WPARAM>(h), MAKELPARAM(p.X, p.Y));
        return 0;
    }
    case WM_NCRBUTTONUP:
        if (wParam != static_cast<WPARAM>(HTCAPTION))
            SendMessage(h, WM_CONTEXTMENU, static_cast<WPARAM>(h), lParam);
        return 0;
    case WM_KEYDOWN:
        // The menu key and Shift+F10 ask for a context menu at the keyboard's place (-1, -1).
        if (wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0))
            SendMessage(h, WM_CONTEXTMENU, static_cast<WPARAM>(h), MAKELPARAM(-1, -1));
        return 0;
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        if (w->Parent)
            return SendMessage(w->Parent, msg, wParam, lParam);
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == h)
            ReleaseCapture();
        return 0;
    case WM_SETREDRAW:
        w->RedrawOff = !wParam;
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        return 0;
    }
}
