#include "skin/form/TskTrayIcon.h"

#include <algorithm>

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TIcon.h"
#include "platform/vcl/TTimer.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/TrayIcon.h"
#include "skin/form/TskSkinPopupMenu.h"

namespace {

constexpr const char* WindowClassName = "TskTrayIconWindow";
// To the icon's own window: the application was minimized. The window layer is still minimizing the
// main form when the application's window hears of it; the form is hidden once that is over.
constexpr UINT CM_MINIMIZETOTRAY = TskTrayIcon::TrayCallbackMessage + 1;

// The class of the icons' hidden windows: each window leads to its component through its user data.
void RegisterWindowClass()
{
    static const bool done = [] {
        WNDCLASS wc;
        wc.ClassName = WindowClassName;
        RegisterClass(wc);
        return true;
    }();
    (void)done;
}

} // namespace

// ---- Construction ----

TskTrayIcon::TskTrayIcon(TComponent* AOwner) : TComponent(AOwner), FIcon(std::make_unique<TIcon>())
{
    RegisterWindowClass();
    FWindow = CreateWindowEx(WS_EX_TOOLWINDOW, WindowClassName, "", WS_POPUP, 0, 0, 0, 0, 0);
    FWindowProc = MakeObjectInstance([this](HWND, UINT m, WPARAM w, LPARAM l) { return TrayWndProc(m, w, l); });
    SetWindowLongPtr(FWindow, GWLP_WNDPROC, FWindowProc);
    FTaskbarCreated = RegisterWindowMessage("TaskbarCreated");

    FClickTimer = new TTimer(this);
    FClickTimer->SetEnabled(false);
    FClickTimer->SetInterval(GetDoubleClickTime());
    FClickTimer->OnTimer = [this](TObject*) { ClickTimerTick(); };
    FCycleTimer = new TTimer(this);
    FCycleTimer->SetEnabled(false);
    FCycleTimer->OnTimer = [this](TObject*) { CycleTimerTick(); };

    if (FIcon->Empty() && Application != nullptr) FIcon->Assign(Application->Icon());
    FIcon->OnChange = [this](TObject*) { ModifyTrayIcon(); };

    // The application's window tells when the program is minimized, and when a tray came up.
    if (Application != nullptr) {
        // A hook made later may outlive this icon and keep calling ours: once the icon is gone, the hook
        // passes everything on through what it shares with the icon, never through the freed icon.
        const auto alive = FAlive.Watch();
        const auto saved = FSavedApplicationProc;
        FApplicationProc = MakeObjectInstance([this, alive, saved](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (*alive) return ApplicationWndProc(h, m, w, l);
            return CallWindowProc(*saved, h, m, w, l);
        });
        *FSavedApplicationProc = SetWindowLongPtr(Application->Handle(), GWLP_WNDPROC, FApplicationProc);
    }
}

TskTrayIcon::~TskTrayIcon()
{
    if (FIconVisible) DeleteTrayIcon();
    FDesignPreview = false;
    // A main form hidden in the tray must not stay hidden for good once its icon is gone.
    if (FMainFormHidden && Application != nullptr && Application->MainForm() != nullptr && !Application->Terminated()
        && !Application->MainForm()->ComponentState().Contains(csDestroying))
        ShowMainForm();
    FIcon->OnChange = nullptr;
    if (FApplicationProc != 0) {
        const HWND app = Application->Handle();
        if (GetWindowLongPtr(app, GWLP_WNDPROC) == FApplicationProc) {
            SetWindowLongPtr(app, GWLP_WNDPROC, *FSavedApplicationProc);
            FreeObjectInstance(FApplicationProc);
        }
        // Otherwise another hook sits on top of ours and still calls it: it stays, passing everything on.
    }
    FAlive.End();
    DestroyWindow(FWindow);
    FreeObjectInstance(FWindowProc);
}

void TskTrayIcon::Loaded()
{
    TComponent::Loaded();
    if (FMinimizedOnStart && dynamic_cast<TWinControl*>(Owner()) != nullptr) {
        FMinimizeToTray = true;
        FIconWanted = true;
        if (AddTrayIcon()) {
            // The program starts in the tray: its main form is not shown.
            if (Application != nullptr) Application->SetShowMainForm(false);
            FMainFormHidden = true;
        } else if (auto* form = dynamic_cast<TCustomForm*>(Owner())) {
            // No tray to start in: the program starts minimized the ordinary way, never out of reach.
            form->SetWindowState(wsMinimized);
        }
    }
    if (FIconWanted && !FIconVisible) AddTrayIcon();
}


// ---- Properties ----

void TskTrayIcon::SetIcon(TIcon* Value)
{
    // The icon's change event refreshes the tray.
    if (Value != nullptr) FIcon->Assign(Value);
}

void TskTrayIcon::SetIconVisible(bool Value)
{
    FIconWanted = Value;
    if (Loading()) return;
    if (Value && !FIconVisible)
        AddTrayIcon();
    else if (!Value && FIconVisible)
        DeleteTrayIcon();
}

void TskTrayIcon::SetHint(const std::string& Value)
{
    if (Value == FHint) return;
    FHint = Value;
    ModifyTrayIcon();
}

void TskTrayIcon::SetShowHint(bool Value)
{
    if (Value == FShowHint) return;
    FShowHint = Value;
    ModifyTrayIcon();
}

void TskTrayIcon::SetPopupMenu(TskSkinPopupMenu* Value)
{
    FPopupMenu = Value;
}

void TskTrayIcon::SetIconList(TCustomImageList* Value)
{
    FIconList = Value;
}

void TskTrayIcon::SetIconIndex(int Value)
{
    const int last = FIconList != nullptr ? FIconList->Count() - 1 : 0;
    FIconIndex = std::clamp(Value, 0, std::max(0, last));
    ModifyTrayIcon();
}

void TskTrayIcon::SetCycleIcons(bool Value)
{
    FCycleIcons = Value;
    if (Value) SetIconIndex(0);
    FCycleTimer->SetEnabled(Value);
}

unsigned TskTrayIcon::AnimateTimerInterval() const { return FCycleTimer->Interval(); }

void TskTrayIcon::SetAnimateTimerInterval(unsigned Value) { FCycleTimer->SetInterval(Value); }

// ---- The tray ----

bool TskTrayIcon::Notify(DWORD Message)
{
    // The record is made afresh for every call: the icon and the tip as they are now.
    NOTIFYICONDATA data;
    data.hWnd = FWindow;
    data.uID = TrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = FIcon->Handle();
    CopyTrayTip(data, FShowHint ? FHint : std::string());
    return Shell_NotifyIcon(Message, &data) != FALSE;
}

bool TskTrayIcon::AddTrayIcon()
{
    // Visible only when the desktop really took the icon: without a tray there is none to click.
    const bool added = Notify(NIM_ADD);
    if (added) FIconVisible = true;
    return added;
}

bool TskTrayIcon::DeleteTrayIcon()
{
    const bool deleted = Notify(NIM_DELETE);
    FIconVisible = false;
    return deleted;
}

bool TskTrayIcon::ModifyTrayIcon() { return FIconVisible && Notify(NIM_MODIFY); }

void TskTrayIcon::ShowMainForm()
{
    FMainFormHidden = false;
    TCustomForm* form = Application != nullptr ? Application->MainForm() : nullptr;
    if (form == nullptr) return;
    // Shown in its normal state: a form hidden while minimized would come back as a minimized one.
    if (form->HandleAllocated() && IsIconic(form->Handle())) ShowWindow(form->Handle(), SW_RESTORE);
    form->SetVisible(true);
    if (form->WindowState() == wsMinimized) form->SetWindowState(wsNormal);
    Application->BringToFront();
}

void TskTrayIcon::HideMainForm()
{
    TCustomForm* form = Application != nullptr ? Application->MainForm() : nullptr;
    if (form == nullptr) return;
    form->SetVisible(false);
    FMainFormHidden = true;
}

bool TskTrayIcon::MinimizeMainFormToTray()
{
    // The form is hidden only behind an icon the desktop really shows. Without a tray it stays as the
    // minimize left it, and the wish for an icon stays as it was.
    if (!FIconVisible && !AddTrayIcon()) return false;
    FIconWanted = true;
    HideMainForm();
    return true;
}

// ---- Messages ----

LRESULT TskTrayIcon::TrayWndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == TrayCallbackMessage) {
        if (WParam != TrayIconId) return 0;
        if (LParam == NIN_ICONLOST) {
            // The tray went away with the icon. A main form hidden there comes back; the icon returns
            // with the next tray.
            FIconVisible = false;
            if (FMainFormHidden) ShowMainForm();
            return 0;
        }
        if (FEnabled) TrayMouse(static_cast<UINT>(LParam));
        return 0;
    }
    switch (Msg) {
    case CM_MINIMIZETOTRAY: {
        // Unless the program came back meanwhile.
        TCustomForm* form = Application != nullptr ? Application->MainForm() : nullptr;
        if (form != nullptr && form->HandleAllocated() && IsIconic(form->Handle())) MinimizeMainFormToTray();
        return 0;
    }
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
    case WM_NCDESTROY:
        return 1;
    default:
        return DefWindowProc(FWindow, Msg, WParam, LParam);
    }
}

TPoint TskTrayIcon::Pointer() const { return GetCursorPos(); }

void TskTrayIcon::TrayMouse(UINT MouseMessage)
{
    const TPoint p = Pointer();
    const TShiftState shift = KeyboardShiftState();
    const auto alive = FAlive.Watch();
    switch (MouseMessage) {
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove(this, shift, p.X, p.Y);
        break;
    case WM_LBUTTONDOWN:
        // One double-click time from this press on.
        FClickTimer->SetEnabled(false);
        FClickTimer->SetEnabled(true);
        if (OnMouseDown) OnMouseDown(this, mbLeft, shift, p.X, p.Y);
        if (!*alive) return;
        FLeftPressed = true;
        if (FPopupByLeftButton) Popup();
        break;
    case WM_LBUTTONUP:
        if (FLeftPressed) {
            FClickPending = true;
            // Held longer than the double-click time: no double click can follow, the click is now.
            if (!FClickTimer->Enabled()) {
                FClickPending = false;
                FDoubleClickSeen = false;
                if (OnClick) OnClick(this);
                if (!*alive) return;
            }
        }
        FLeftPressed = false;
        if (OnMouseUp) OnMouseUp(this, mbLeft, shift, p.X, p.Y);
        break;
    case WM_LBUTTONDBLCLK:
        FClickPending = false;
        FDoubleClickSeen = true;
        if (OnDblClick) OnDblClick(this);
        if (!*alive) return;
        if (FPopupMenu != nullptr && FPopupMenu->AutoPopup() && !FPopupByLeftButton) {
            TMenuItem* items = FPopupMenu->Items();
            for (int i = 0; i < items->Count(); ++i)
                if (items->Items(i)->Default()) {
                    items->Items(i)->Click();
                    break;
                }
        }
        break;
    case WM_RBUTTONDOWN:
        if (OnMouseDown) OnMouseDown(this, mbRight, shift, p.X, p.Y);
        if (!*alive) return;
        Popup();
        break;
    case WM_RBUTTONUP:
        if (OnMouseUp) OnMouseUp(this, mbRight, shift, p.X, p.Y);
        break;
    case WM_MBUTTONDOWN:
        if (OnMouseDown) OnMouseDown(this, mbMiddle, shift, p.X, p.Y);
        break;
    case WM_MBUTTONUP:
        if (OnMouseUp) OnMouseUp(this, mbMiddle, shift, p.X, p.Y);
        break;
    case NIN_BALLOONUSERCLICK:
        if (OnBalloonHintClick) OnBalloonHintClick(this);
        break;
    default:
        break;
    }
}

void TskTrayIcon::ClickTimerTick()
{
    FClickTimer->SetEnabled(false);
    const bool click = !FDoubleClickSeen && FClickPending;
    FDoubleClickSeen = false;
    if (click) {
        FClickPending = false;
        if (OnClick) OnClick(this);
    }
}

void TskTrayIcon::CycleTimerTick()
{
    if (FIconList == nullptr || FIconList->Count() == 0) return;
    const auto alive = FAlive.Watch();
    const int count = FIconList->Count();
    FIconIndex = std::clamp(FIconIndex, 0, count - 1);
    const int next = FIconIndex + 1 < count ? FIconIndex + 1 : 0;
    // The picture changes quietly: the one refresh of the tray comes below.
    TNotifyEvent changed = std::move(FIcon->OnChange);
    FIconList->GetIcon(FIconIndex, FIcon.get());
    FIcon->OnChange = std::move(changed);
    if (OnCycle) OnCycle(this, next);
    if (!*alive) return;
    ModifyTrayIcon();
    FIconIndex = next;
}

void TskTrayIcon::Popup()
{
    if (FPopupMenu == nullptr || !FPopupMenu->AutoPopup()) return;
    const TPoint p = Pointer();
    const auto alive = FAlive.Watch();
    if (Application != nullptr) Application->ProcessMessages();
    if (!*alive || FPopupMenu == nullptr) return;
    // The form in front when it can be seen; a form hidden in the tray stays hidden under its menu.
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form != nullptr && form->Visible() && form->HandleAllocated())
        SetForegroundWindow(form->Handle());
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.X, p.Y);
}

LRESULT TskTrayIcon::ApplicationWndProc(HWND H, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    const auto alive = FAlive.Watch();
    if (Msg == WM_SIZE && WParam == SIZE_MINIMIZED && FMinimizeToTray)
        PostMessage(FWindow, CM_MINIMIZETOTRAY, 0, 0);
    else if (Msg == FTaskbarCreated && FIconWanted && !FIconVisible)
        AddTrayIcon();   // a tray came up (or started again): the icon goes back in
    if (!*alive) return 0;
    return CallWindowProc(*FSavedApplicationProc, H, Msg, WParam, LParam);
}

// ---- Registration ----

void RegisterSkinTrayIconClasses()
{
    static const bool done = [] {
        RegisterSkinPopupMenuClasses();
        using T = TskTrayIcon;
        RegisterClass<T, TComponent>("TskTrayIcon")
            .Prop("Enabled", &T::Enabled, &T::SetEnabled, true)
            .Prop("Icon", &T::Icon)
            .Prop("IconVisible", &T::IconVisible, &T::SetIconVisible, true)
            .Prop("Hint", &T::Hint, &T::SetHint, std::string())
            .Prop("ShowHint", &T::ShowHint, &T::SetShowHint, true)
            .Prop("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
            .Prop("PopupByLeftButton", &T::PopupByLeftButton, &T::SetPopupByLeftButton, false)
            .Prop("MinimizedOnStart", &T::MinimizedOnStart, &T::SetMinimizedOnStart, false)
            .Prop("MinimizeToTray", &T::MinimizeToTray, &T::SetMinimizeToTray, false)
            .Prop("IconList", &T::IconList, &T::SetIconList)
            .Prop("IconIndex", &T::IconIndex, &T::SetIconIndex, 0)
            .Prop("CycleIcons", &T::CycleIcons, &T::SetCycleIcons, false)
            .Prop("AnimateTimerInterval", &T::AnimateTimerInterval, &T::SetAnimateTimerInterval)
            .Prop("DesignPreview", &T::DesignPreview, &T::SetDesignPreview, false)
            .Event("OnClick", &T::OnClick)
            .Event("OnDblClick", &T::OnDblClick)
            .Event("OnMouseDown", &T::OnMouseDown)
            .Event("OnMouseUp", &T::OnMouseUp)
            .Event("OnMouseMove", &T::OnMouseMove)
            .Event("OnCycle", &T::OnCycle)
            .Event("OnBalloonHintClick", &T::OnBalloonHintClick);
        return true;
    }();
    (void)done;
}
