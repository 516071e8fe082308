#include "platform/vcl/THintWindow.h"

#include "platform/gfx/Text.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TTimer.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Screen.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clInfoBk);
    SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    // A hint must never take the focus from the window the user is working in.
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = 0;
}

void THintWindow::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TCustomControl::WndProc(Message);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint)
{
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    TRect r = Rect(0, 0, MaxWidth, 0);
    measure.Canvas()->TextRect(r, AHint, DT_CALCRECT | DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    return Rect(0, 0, r.Right + 6, r.Bottom + 4);
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint)
{
    SetText(AHint);
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    const HWND h = Handle();
    SetWindowPos(h, HWND_TOPMOST, Rect.Left, Rect.Top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FShowing = true;
    Invalidate();
}

void THintWindow::ReleaseHint()
{
    if (!FShowing) return;
    FShowing = false;
    if (HandleAllocated())
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
            SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void THintWindow::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->Pen()->SetColor(clBtnShadow);
    c->Rectangle(ClientRect());
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 2;
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    c->TextRect(r, Text(), DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

// ---- TApplicationHints ----

namespace {

// The control under a screen point inside the window that got the mouse message: a graphic control
// has no window of its own, so the windowed one is asked which of its children is there.
TControl* ControlUnder(HWND Wnd, TPoint Screen)
{
    TWinControl* win = TWinControl::FindControl(Wnd);
    if (win == nullptr) return nullptr;
    TControl* child = win->ControlAtPos(win->ScreenToClient(Screen), false, false);
    return child != nullptr ? child : win;
}

} // namespace

TApplicationHints::TApplicationHints() : TComponent(nullptr)
{
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->OnTimer = [this](TObject* Sender) { TimerTimer(Sender); };
    FHook = AddMessageHook([this](TMsg& m) { return Watch(m); });
}

TApplicationHints::~TApplicationHints()
{
    RemoveMessageHook(FHook);
    FreeWindow();
}

TApplicationHints& ApplicationHints()
{
    // Never freed: hooks and windows of the service must outlive every form that shows a hint.
    static TApplicationHints* hints = new TApplicationHints();
    return *hints;
}

void TApplicationHints::SetShowHint(bool Value)
{
    if (Value == FShowHint) return;
    FShowHint = Value;
    if (!Value) {
        CancelHint();
        FreeWindow();
    }
}

void TApplicationHints::FreeWindow()
{
    THintWindow* w = FWindow;
    FWindow = nullptr;
    if (w != nullptr) w->Free();
}

void TApplicationHints::CancelHint()
{
    FTimer->SetEnabled(false);
    SetHintControl(nullptr);
    if (FWindow != nullptr) FWindow->ReleaseHint();
    FShown = false;
}

bool TApplicationHints::Watch(const TMsg& Msg)
{
    if (!FShowHint) return false;
    switch (Msg.message) {
    case WM_MOUSEMOVE: {
        // A move over the hint window itself must not count as leaving the control.
        if (FWindow != nullptr && FWindow->HandleAllocated() && Msg.hwnd == FWindow->Handle()) return false;
        PointerAt(ControlUnder(Msg.hwnd, GetCursorPos()), GetCursorPos());
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (FHintControl != nullptr || FShown) CancelHint();
        break;
    default:
        break;
    }
    return false; // the service only watches
}

void TApplicationHints::PointerAt(TControl* Control, TPoint)
{
    if (Control == FHintControl) return;
    const bool wasShown = FShown;
    if (FWindow != nullptr) FWindow->ReleaseHint();
    FShown = false;
    FTimer->SetEnabled(false);
    SetHintControl(Control);
    if (Control == nullptr || !Control->ShowHint() || Control->Hint().empty()) return;
    FTimer->SetInterval(wasShown ? FHintShortPause : FHintPause);
    FTimer->SetEnabled(true);
}

void TApplicationHints::TimerTimer(TObject*)
{
    FTimer->SetEnabled(false);
    if (FShown) {
        // The hide pause ran out; the hint stays away until the pointer moves to another control.
        if (FWindow != nullptr) FWindow->ReleaseHint();
        FShown = false;
        return;
    }
    TControl* control = FHintControl;
    if (control == nullptr) return;
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = GetCursorPos();
    info.HideTimeout = static_cast<int>(FHintHidePause);
    std::string text = control->Hint();
    bool canShow = true;
    if (OnShowHint) OnShowHint(text, canShow, info);
    // The handler may have turned hints off or freed the control.
    if (!canShow || text.empty() || !FShowHint || FHintControl != control) return;
    if (FWindow == nullptr) {
        FWindow = FWindowClass ? FWindowClass() : nullptr;
        if (FWindow == nullptr) FWindow = new THintWindow(nullptr);
        FWindow->FreeNotification(this);
    }
    // Below the pointer's picture, so that the hint never sits under the pointer.
    const TPoint p{info.CursorPos.X, info.CursorPos.Y + GetSystemMetrics(SM_CYCURSOR)};
    TRect r = FWindow->CalcHintRect(300, text);
    OffsetRect(r, p.X, p.Y);
    FWindow->ActivateHint(r, text);
    FShown = FWindow->Showing();
    if (FShown && info.HideTimeout > 0) {
        FTimer->SetInterval(static_cast<unsigned>(info.HideTimeout));
        FTimer->SetEnabled(true);
    }
}

void TApplicationHints::SetHintControl(TControl* Value)
{
    if (Value == FHintControl) return;
    FHintControl = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TApplicationHints::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FHintControl) {
        FHintControl = nullptr;
        FTimer->SetEnabled(false);
    }
    if (AComponent == FWindow) {
        FWindow = nullptr;
        FShown = false;
    }
    if (AComponent == FTimer) FTimer = nullptr;
}
