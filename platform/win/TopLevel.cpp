// Top-level windows and their backend windows: made when first shown, kept in step with the window's
// rectangle, z-order, opacity and shape, and told when the window is activated.
#include "platform/backend/Backend.h"
#include "platform/win/Paint.h"
#include "platform/win/ProgramIcon.h"
#include "platform/win/WinInternal.h"

using namespace WinInternal;

namespace {

bool IsPopup(const TWindowRec& w)
{
    return (w.ExStyle & WS_EX_NOACTIVATE) || ((w.Style & WS_POPUP) && (w.ExStyle & WS_EX_TOOLWINDOW));
}

// Whether the window manager may size the window, and within which limits: a window with sizing borders
// may be sized by it as well, within the limits its own sizing keeps. False when the window went while
// its limits were asked for.
bool SizeableOnDisplay(HWND h, bool popup, TBackendWindowParams& p)
{
    TWindowRec* w = Find(h);
    p.Sizeable = w && (w->Style & WS_THICKFRAME) && !(w->Style & WS_CHILD) && !popup;
    p.MinSize = p.MaxSize = TPoint{};
    if (!p.Sizeable)
        return w != nullptr;
    const MINMAXINFO limits = QueryMinMax(h);
    if (!Find(h))
        return false;
    p.MinSize = limits.ptMinTrackSize;
    // The default has no real upper limit; only one the window sets itself is passed on.
    if (limits.ptMaxTrackSize.X < 32000 && limits.ptMaxTrackSize.Y < 32000)
        p.MaxSize = limits.ptMaxTrackSize;
    return true;
}

}  // namespace

namespace WinInternal {

void SyncTopLevel(HWND h, UINT flags, bool wasVisible)
{
    TWindowRec* w = Find(h);
    if (!w || !IsTopLevel(*w))
        return;
    bool visible = w->Style & WS_VISIBLE;
    if (visible && !w->Top) {
        TBackendWindowParams p;
        p.Window = h;
        p.Bounds = w->Rect;
        // A popup first shown without activation (a menu, a hint, a drop-down list) stays one: the
        // display must never hand it the keyboard, or the form behind it would lose the focus.
        p.Popup = IsPopup(*w) || ((w->Style & WS_POPUP) && (flags & SWP_NOACTIVATE));
        p.TopMost = w->ExStyle & WS_EX_TOPMOST;
        p.ToolWindow = w->ExStyle & WS_EX_TOOLWINDOW;
        p.Title = w->Text;
        if (!SizeableOnDisplay(h, p.Popup, p))
            return;
        auto top = Backend().CreateWindow(p);
        if (!(w = Find(h)))
            return;
        w->Top = std::move(top);
        w->NoActivateTop = p.Popup;
        if (!w->Top)
            return;
        if (w->ExStyle & WS_EX_LAYERED)
            w->Top->SetOpacity(w->Alpha);
        if (w->WindowRgn)
            w->Top->SetShape(&*w->WindowRgn);
        // Menus and drop-down lists have no place in a taskbar, so no icon either.
        if (!p.Popup && !ProgramIcon().Empty())
            w->Top->SetIcon(ProgramIcon());
        wasVisible = false;
    }
    if (!w->Top)
        return;
    if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE))
        w->Top->SetBounds(w->Rect);
    if (visible && !wasVisible) {
        // Owned windows stay with their owner on the desktop; one shown while its owner is disabled
        // is that owner's modal dialog, and the window manager must not hand the owner the keyboard.
        TWindowRec* owner = Find(w->Owner);
        w->Top->SetOwner(owner && owner->Top ? owner->Top.get() : nullptr, owner && (owner->Style & WS_DISABLED));
        // The display shows the window when its first picture is ready (FlushPresents), never before:
        // an unpainted window would flash on the screen.
        w->Changed.assign(1, TRect{0, 0, w->Rect.Width(), w->Rect.Height()});
        w->ShowPending = true;
        w->ShowActivates = !(flags & SWP_NOACTIVATE) && !w->NoActivateTop;
    } else if (!visible && wasVisible) {
        w->ShowPending = false;
        w->Top->Show(false, false);
    }
    if (!(flags & SWP_NOZORDER) && visible) {
        w->Top->SetTopMost(w->ExStyle & WS_EX_TOPMOST);
        w->Top->Raise();
    }
}

void ShowWhenPainted(HWND h)
{
    TWindowRec* w = Find(h);
    if (!w || !w->ShowPending || !w->Top)
        return;
    w->ShowPending = false;
    if (!(w->Style & WS_VISIBLE))
        return;
    w->Top->Show(true, w->ShowActivates);
    if ((w = Find(h)))
        w->Changed.assign(1, TRect{0, 0, w->Rect.Width(), w->Rect.Height()});
}

void ExStyleChanged(HWND h, DWORD before)
{
    TWindowRec* w = Find(h);
    if (!w)
        return;
    if ((before & WS_EX_LAYERED) && !(w->ExStyle & WS_EX_LAYERED)) {
        w->Alpha = 255;
        w->LayeredFlags = 0;
        if (w->Top)
            w->Top->SetOpacity(255);
    }
    if (((before ^ w->ExStyle) & WS_EX_TOPMOST) && w->Top)
        w->Top->SetTopMost(w->ExStyle & WS_EX_TOPMOST);
}

void StyleChanged(HWND h, DWORD before)
{
    TWindowRec* w = Find(h);
    if (!w || !w->Top || w->NoActivateTop || !((before ^ w->Style) & WS_THICKFRAME))
        return;
    TBackendWindowParams p;
    if (!SizeableOnDisplay(h, false, p) || !(w = Find(h)) || !w->Top)
        return;
    w->Top->SetSizeable(p.Sizeable, p.MinSize, p.MaxSize);
}

void TopLevelFocus(HWND h)
{
    TWindowRec* w = Find(h);
    if (!w || !w->Top || !(w->Style & WS_VISIBLE) || w->NoActivateTop)
        return;
    if (w->ShowPending)
        w->ShowActivates = true;   // asked for once the display shows it
    else
        w->Top->Focus();
}

}  // namespace WinInternal
