#pragma once
// Forms: top-level windows that hold controls. A form class made from a stored description reads it
// in its constructor (InitInheritedComponent(this, "TForm1")); OnCreate then fires once.
#include "platform/vcl/TCustomControl.h"

class TMainMenu;
class TMenuItem;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    void BeforeDestruction() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Focuses Value when the form is active, else remembers it for when the form is shown.
    void SetActiveControl(TWinControl* Value);
    bool Active() const { return FActive; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    int PixelsPerInch() const { return 96; }
    void SetPixelsPerInch(int) {}
    bool Scaled() const { return false; }
    void SetScaled(bool) {}
    int ClientWidthProp() const { return ClientWidth(); }
    int ClientHeightProp() const { return ClientHeight(); }
    bool OldCreateOrder() const { return false; }
    void SetOldCreateOrder(bool) {}

    void Show();
    void Hide() { SetVisible(false); }
    void Close();
    bool CloseQuery();
    // Shows the form, runs the message loop until ModalResult is set (or the form is closed, giving
    // mrCancel), hides it and returns the result. Raises EInvalidOperation for a visible form.
    virtual int ShowModal();
    // Frees the form once the messages now queued have been handled.
    void Release();
    void SetVisible(bool Value) override;
    bool SetFocusedControl(TWinControl* Control);
    void FocusControl(TWinControl* Control) { SetActiveControl(Control); }

    // Fires OnCreate the first time it is called (after the description was read).
    void DoCreate();

    // Bookkeeping the controls call.
    void FocusChanged(TWinControl* Control);
    void ControlRemoved(TWinControl* Control);
    void WndProc(TMessage& Message) override;

    // ---- MDI (TFormMdi.cpp) ----
    // An fsMDIForm holds an MDI client window below its aligned controls; its fsMDIChild forms are child
    // windows of that client (the application's main form must be the MDI form when a child is made).
    HWND ClientHandle() const { return FClientHandle; }
    // The active child (of the main form's client for a child); nil for none.
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    // The children in the order the screen keeps the forms.
    TCustomForm* MDIChildren(int Index) const;
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();
    TTileMode TileMode() const { return FTileMode; }
    void SetTileMode(TTileMode Value) { FTileMode = Value; }
    // The menu item under which a skinned frame lists the children.
    TMenuItem* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* Value);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    void Loaded() override;
    void CloseModal();
    void PlaceOnScreen();
    void AlignControls(TControl* AControl, TRect& Rect) override;
    // MDI parts of the handle, showing and messages; True when the message was handled.
    void CreateMDIClient();
    HWND MainMDIClient() const;
    void MDIChildShown(bool Shown);
    bool MDIChildMessage(TMessage& Message);

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    TFormState FFormState;
    bool FKeyPreview = false;
    TComponentLink<TMainMenu> FMenu{this};
    TComponentLink<TWinControl> FActiveControl{this};
    bool FActive = false;
    TModalResult FModalResult = mrNone;
    bool FCreated = false;
    bool FPlaced = false;
    HWND FClientHandle = 0;
    TTileMode FTileMode = tbHorizontal;
    TComponentLink<TMenuItem> FWindowMenu{this};
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// Registers the form and control classes of this library for the form reader (done once).
void RegisterFormClasses();
