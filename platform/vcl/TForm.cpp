#include "platform/vcl/TForm.h"

#include <algorithm>

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner)
{
    FVisible = false;
    FColor = clBtnFace;
    FParentFont = false;
    FParentColor = false;
    FWidth = 320;
    FHeight = 240;
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Screen->RemoveForm(this);
    Application->FormDestroyed(this);
}

void TCustomForm::BeforeDestruction()
{
    const bool wasDestroying = ComponentState().Contains(csDestroying);
    if (!wasDestroying && FCreated && OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            HandleControlException(this);
        }
    }
    // A child leaves its client while it is still whole, so that the client and whoever hooked its
    // window hear of it (the window would otherwise only go after the form's own parts).
    if (FFormStyle == fsMDIChild && HandleAllocated()) DestroyHandle();
    TCustomControl::BeforeDestruction();
    Screen->RemoveForm(this);
}

void TCustomForm::DoCreate()
{
    if (FCreated) return;
    FCreated = true;
    if (OnCreate) OnCreate(this);
    if (FFormState.Contains(fsVisible)) {
        FFormState.Exclude(fsVisible);
        SetVisible(true);
    }
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style = WS_CLIPCHILDREN;
    Params.ExStyle = 0;
    switch (FBorderStyle) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (FBorderStyle != bsNone) {
        if (FBorderIcons.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
        if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
            if (FBorderIcons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    if (!FEnabled) Params.Style |= WS_DISABLED;
    Params.WndParent = FParentWindow;
    if (FFormStyle == fsMDIChild) {
        // A child window of the main form's MDI client.
        Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
        Params.WndParent = MainMDIClient();
        if (Params.WndParent == 0) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    }
}

void TCustomForm::CreateWnd()
{
    TCustomControl::CreateWnd();
    if (FFormStyle == fsMDIForm) CreateMDIClient();
    // The frame may make the client area differ from what the stored size assumed.
    Realign();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (Value == FBorderIcons) return;
    FBorderIcons = Value;
    RecreateWnd();
}

void TCustomForm::SetPosition(TPosition Value)
{
    if (Value == FPosition) return;
    FPosition = Value;
    FPlaced = false;
    if (FVisible && !ComponentState().Contains(csLoading)) PlaceOnScreen();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (Value == FFormStyle) return;
    FFormStyle = Value;
    if (HandleAllocated()) SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    if (Value == FWindowState) return;
    if (!HandleAllocated() || !FVisible) {
        FWindowState = Value;
        return;
    }
    // WM_SIZE sets the new state as the window takes it.
    ShowWindow(FHandle, Value == wsMinimized ? SW_MINIMIZE : Value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
    // A display may refuse (without a window manager nothing minimizes): the state is what it shows.
    FWindowState = IsIconic(FHandle) ? wsMinimized : IsZoomed(FHandle) ? wsMaximized : wsNormal;
}

void TCustomForm::SetMenu(TMainMenu* Value)
{
    if (Value == FMenu) return;
    FMenu = Value;
}


void TCustomForm::ControlRemoved(TWinControl* Control)
{
    if (FActiveControl != nullptr && (FActiveControl == Control || Control->ContainsControl(FActiveControl))) FActiveControl = nullptr;
}

void TCustomForm::SetActiveControl(TWinControl* Value)
{
    if (Value == this) Value = nullptr;
    FActiveControl = Value;
    if (Value != nullptr && FActive && Value->CanFocus() && !Value->Focused() && !ComponentState().Contains(csLoading)) ::SetFocus(Value->Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
    FocusChanged(Control);
    return true;
}

void TCustomForm::FocusChanged(TWinControl* Control)
{
    if (Control != this) FActiveControl = Control;
    // Everybody on the form learns which control has the focus now.
    std::vector<TWinControl*> all;
    GetTabOrderList(all);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TWinControl*>(Controls(i)) == nullptr) Controls(i)->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    for (TWinControl* w : all) w->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
}

void TCustomForm::PlaceOnScreen()
{
    if (FPlaced) return;
    FPlaced = true;
    // A child's place is in its client, where it was put.
    if (FFormStyle == fsMDIChild) return;
    int x = FLeft, y = FTop;
    TCustomForm* center = nullptr;
    switch (FPosition) {
    case poScreenCenter:
        x = (Screen->Width() - FWidth) / 2;
        y = (Screen->Height() - FHeight) / 2;
        break;
    case poDesktopCenter: {
        TRect wa = Screen->WorkAreaRect();
        x = wa.Left + (wa.Width() - FWidth) / 2;
        y = wa.Top + (wa.Height() - FHeight) / 2;
        break;
    }
    case poMainFormCenter: center = Application->MainForm(); break;
    case poOwnerFormCenter: center = dynamic_cast<TCustomForm*>(Owner()); break;
    default: return;
    }
    if (center != nullptr && center != this) {
        x = center->Left() + (center->Width() - FWidth) / 2;
        y = center->Top() + (center->Height() - FHeight) / 2;
    } else if (FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) {
        x = (Screen->Width() - FWidth) / 2;
        y = (Screen->Height() - FHeight) / 2;
    }
    // Wholly on the screen where it fits: centred on a main window near an edge it would hang over it.
    x = std::max(0, std::min(x, Screen->Width() - FWidth));
    y = std::max(0, std::min(y, Screen->Height() - FHeight));
    SetBounds(x, y, FWidth, FHeight);
}

void TCustomForm::SetVisible(bool Value)
{
    if (ComponentState().Contains(csLoading)) {
        // A form stored as visible shows once it has been made.
        if (Value)
            FFormState.Include(fsVisible);
        else
            FFormState.Exclude(fsVisible);
        return;
    }
    if (Value == FVisible) return;
    if (Value) {
        DoCreate();
        if (FVisible) return; // OnCreate showed it
        PlaceOnScreen();
        HandleNeeded();
        FVisible = true;
        DoShow();
        if (!FVisible) return;
        ShowWindow(FHandle, FWindowState == wsMinimized ? SW_SHOWMINIMIZED : FWindowState == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
        Perform(CM_VISIBLECHANGED, 1, 0);
        if (FFormStyle == fsMDIChild) MDIChildShown(true);
        if (FActiveControl != nullptr && FActiveControl->CanFocus()) ::SetFocus(FActiveControl->Handle());
    } else {
        FVisible = false;
        if (FHandle != 0) ShowWindow(FHandle, SW_HIDE);
        if (FFormStyle == fsMDIChild) MDIChildShown(false);
        Perform(CM_VISIBLECHANGED, 0, 0);
        DoHide();
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
    if (FFormStyle == fsMDIChild) {
        // A child is activated within its client; the main form stays the active window.
        MDIChildShown(true);
        return;
    }
    BringToFront();
    if (HandleAllocated()) SetActiveWindow(FHandle);
}

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (FFormState.Contains(fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    // A child cannot be hidden from its client: it is minimized, or stays.
    TCloseAction action = caHide;
    if (FFormStyle == fsMDIChild) action = FBorderIcons.Contains(biMinimize) ? caMinimize : caNone;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release()
{
    if (HandleAllocated())
        Application->ReleaseComponent(this);
    else
        Free();
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) FModalResult = mrNone;
    else if (action == caFree) Release();
}

int TCustomForm::ShowModal()
{
    if (FVisible || !FEnabled || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture() != 0) SetCaptureControl(nullptr);
    FFormState.Include(fsModal);
    // The dialog belongs to the window the user was in: the desktop keeps it above that window and
    // treats it as that window's modal dialog.
    const HWND activeBefore = GetActiveWindow();
    const HWND ownerBefore = static_cast<HWND>(GetWindowLongPtr(Handle(), GWLP_HWNDPARENT));
    if (ownerBefore == 0 && activeBefore != 0 && activeBefore != Handle())
        SetWindowLongPtr(Handle(), GWLP_HWNDPARENT, static_cast<LONG_PTR>(activeBefore));
    // The other forms wait: they take no input while this one is up.
    std::vector<TCustomForm*> disabled;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f != this && f->HandleAllocated() && IsWindowEnabled(f->Handle())) {
            EnableWindow(f->Handle(), FALSE);
            disabled.push_back(f);
        }
    }
    // The waiting forms take input again before the dialog goes, so that the window the user came
    // from is the one that gets the keyboard back.
    auto restore = [&]() {
        for (TCustomForm* f : disabled)
            if (std::find(Screen->FormsBegin(), Screen->FormsEnd(), f) != Screen->FormsEnd() && f->HandleAllocated()) EnableWindow(f->Handle(), TRUE);
        FFormState.Exclude(fsModal);
        Hide();
        if (HandleAllocated()) SetWindowLongPtr(FHandle, GWLP_HWNDPARENT, static_cast<LONG_PTR>(ownerBefore));
        if (activeBefore != 0 && activeBefore != FHandle && IsWindowVisible(activeBefore) && IsWindowEnabled(activeBefore))
            SetActiveWindow(activeBefore);
    };
    try {
        Show();
        FModalResult = mrNone;
        do {
            Application->HandleMessage();
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
        } while (FModalResult == mrNone);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return FModalResult;
}

void TCustomForm::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomForm::Loaded()
{
    TCustomControl::Loaded();
    // A child shows as soon as it is made.
    if (FFormStyle == fsMDIChild) FFormState.Include(fsVisible);
    if (FActiveControl != nullptr && FActiveControl->GetParentForm() != this) FActiveControl = nullptr;
}

void TCustomForm::WndProc(TMessage& Message)
{
    if (FFormStyle == fsMDIChild && MDIChildMessage(Message)) return;
    switch (Message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATE: {
        const bool active = LOWORD(Message.WParam) != WA_INACTIVE;
        TCustomControl::WndProc(Message);
        if (active == FActive) return;
        FActive = active;
        if (active) {
            if (FActiveControl != nullptr && FActiveControl->CanFocus())
                ::SetFocus(FActiveControl->Handle());
            else if (TWinControl* first = FindNextControl(nullptr, true, true, false); first != nullptr && GetFocus() != first->Handle())
                ::SetFocus(first->Handle());
            if (OnActivate) OnActivate(this);
        } else if (OnDeactivate) {
            OnDeactivate(this);
        }
        return;
    }
    case WM_SIZE: {
        // The state follows the display, which may minimize or restore the form by itself (a taskbar).
        const TWindowState before = FWindowState;
        if (Message.WParam == SIZE_MINIMIZED) FWindowState = wsMinimized;
        else if (Message.WParam == SIZE_MAXIMIZED) FWindowState = wsMaximized;
        else if (Message.WParam == SIZE_RESTORED) FWindowState = wsNormal;
        TCustomControl::WndProc(Message);
        // The application's window is minimized and restored with its main form, and whoever watches
        // it (a tray icon) learns of it there.
        const bool changed = (FWindowState == wsMinimized) != (before == wsMinimized);
        if (changed && Application->MainForm() == this)
            SendMessage(Application->Handle(), WM_SIZE, FWindowState == wsMinimized ? SIZE_MINIMIZED : SIZE_RESTORED, 0);
        return;
    }
    case CM_DIALOGKEY:
        if (GetKeyState(VK_MENU) >= 0) {
            const WORD key = static_cast<WORD>(Message.WParam);
            if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            if ((key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) && FActiveControl != nullptr && FActiveControl->Parent() != nullptr) {
                FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
                Message.Result = 1;
                return;
            }
        }
        TCustomControl::WndProc(Message);
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

void RegisterFormClasses()
{
    static const bool done = [] {
        RegisterWinControlClasses();
        RegisterMenuClasses();
        RegisterEnum<TFormBorderStyle>({"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
        RegisterEnum<TBorderIcon>({"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
        RegisterEnum<TPosition>({"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
        RegisterEnum<TFormStyle>({"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
        RegisterEnum<TWindowState>({"wsNormal", "wsMinimized", "wsMaximized"});
        RegisterEnum<TCloseAction>({"caNone", "caHide", "caFree", "caMinimize"});
        RegisterEnum<TTileMode>({"tbHorizontal", "tbVertical"});
        RegisterClass<TCustomControl, TWinControl>("TCustomControl");
        RegisterClass<TGraphicControl, TControl>("TGraphicControl");
        RegisterClass<TCustomForm, TCustomControl>("TCustomForm")
            .Prop("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable)
            .Prop("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons, TBorderIcons{biSystemMenu, biMinimize, biMaximize})
            .Prop("Position", &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned)
            .Prop("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal)
            .Prop("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, wsNormal)
            .Prop("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false)
            .Prop("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
            .Prop("WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu)
            .Prop("TileMode", &TCustomForm::TileMode, &TCustomForm::SetTileMode, tbHorizontal)
            .Prop("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
            .Prop("ClientWidth", &TCustomForm::ClientWidthProp, &TControl::SetClientWidth)
            .Prop("ClientHeight", &TCustomForm::ClientHeightProp, &TControl::SetClientHeight)
            .Prop("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder)
            .Prop("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
            .Prop("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled)
            .Event("OnCreate", &TCustomForm::OnCreate)
            .Event("OnDestroy", &TCustomForm::OnDestroy)
            .Event("OnShow", &TCustomForm::OnShow)
            .Event("OnHide", &TCustomForm::OnHide)
            .Event("OnActivate", &TCustomForm::OnActivate)
            .Event("OnDeactivate", &TCustomForm::OnDeactivate)
            .Event("OnPaint", &TCustomForm::OnPaint)
            .Event("OnClose", &TCustomForm::OnClose)
            .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
            .Ignored({"TextHeight", "HorzScrollBar", "VertScrollBar", "AlphaBlend", "AlphaBlendValue", "TransparentColor",
                      "TransparentColorValue", "Icon", "HelpFile", "DefaultMonitor", "PrintScale", "ObjectMenuItem",
                      "OnHelp", "OnShortCut", "AutoScroll", "Visible"});
        RegisterClass<TForm, TCustomForm>("TForm");
        return true;
    }();
    (void)done;
}
