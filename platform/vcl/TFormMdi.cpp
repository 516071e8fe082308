// The MDI side of forms: the client window of an MDI main form and the life of its child forms in it.
// Part of TCustomForm (see TForm.h); the client window itself is platform/win/MdiClient.
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TScreen.h"
#include "platform/win/MdiClient.h"

void TCustomForm::CreateMDIClient()
{
    RegisterMDIClientClass();
    FClientHandle = CreateWindowEx(0, MDIClientClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
        ClientWidth(), ClientHeight(), FHandle);
    if (FClientHandle == 0) throw EOSError("Error creating the MDI client of " + Name(), 0);
}

HWND TCustomForm::MainMDIClient() const
{
    TCustomForm* main = Application != nullptr ? Application->MainForm() : nullptr;
    if (main == nullptr || main == this || main->FormStyle() != fsMDIForm) return 0;
    const_cast<TCustomForm*>(main)->HandleNeeded();
    return main->ClientHandle();
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect)
{
    TCustomControl::AlignControls(AControl, Rect);
    // The client takes what the aligned controls leave, beneath them.
    if (FClientHandle != 0 && IsWindow(FClientHandle))
        SetWindowPos(FClientHandle, HWND_BOTTOM, Rect.Left, Rect.Top, std::max(0, Rect.Width()), std::max(0, Rect.Height()),
            SWP_NOACTIVATE);
}

void TCustomForm::MDIChildShown(bool Shown)
{
    if (!HandleAllocated()) return;
    const HWND client = GetParent(FHandle);
    if (client == 0) return;
    if (Shown)
        SendMessage(client, WM_MDIACTIVATE, static_cast<WPARAM>(FHandle), 0);
    else if (static_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE)) == FHandle || FActive)
        SendMessage(client, WM_MDINEXT, static_cast<WPARAM>(FHandle), 0);
}

bool TCustomForm::MDIChildMessage(TMessage& Message)
{
    if (Message.Msg != WM_MDIACTIVATE) return false;
    const auto self = static_cast<WPARAM>(FHandle);
    const bool gaining = static_cast<WPARAM>(Message.LParam) == self;
    const bool losing = Message.WParam == self && !gaining;
    Message.Result = 0;
    if (gaining && !FActive) {
        FActive = true;
        if (FActiveControl != nullptr && FActiveControl->CanFocus())
            ::SetFocus(FActiveControl->Handle());
        else if (TWinControl* first = FindNextControl(nullptr, true, true, false); first != nullptr)
            ::SetFocus(first->Handle());
        if (OnActivate) OnActivate(this);
    } else if (losing && FActive) {
        FActive = false;
        if (OnDeactivate) OnDeactivate(this);
    }
    return true;
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    if (FFormStyle != fsMDIForm || FClientHandle == 0) return nullptr;
    const auto h = static_cast<HWND>(SendMessage(FClientHandle, WM_MDIGETACTIVE));
    return dynamic_cast<TCustomForm*>(FindControl(h));
}

int TCustomForm::MDIChildCount() const
{
    int n = 0;
    while (MDIChildren(n) != nullptr) ++n;
    return n;
}

TCustomForm* TCustomForm::MDIChildren(int Index) const
{
    if (FFormStyle != fsMDIForm || FClientHandle == 0 || Screen == nullptr || Index < 0) return nullptr;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f->FormStyle() == fsMDIChild && f->HandleAllocated() && GetParent(f->Handle()) == FClientHandle && Index-- == 0) return f;
    }
    return nullptr;
}

void TCustomForm::Cascade()
{
    if (FFormStyle == fsMDIForm && FClientHandle != 0) SendMessage(FClientHandle, WM_MDICASCADE);
}

void TCustomForm::Tile()
{
    if (FFormStyle == fsMDIForm && FClientHandle != 0)
        SendMessage(FClientHandle, WM_MDITILE, FTileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL);
}

void TCustomForm::ArrangeIcons()
{
    if (FFormStyle == fsMDIForm && FClientHandle != 0) SendMessage(FClientHandle, WM_MDIICONARRANGE);
}

void TCustomForm::Next()
{
    if (FFormStyle == fsMDIForm && FClientHandle != 0) SendMessage(FClientHandle, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous()
{
    if (FFormStyle == fsMDIForm && FClientHandle != 0) SendMessage(FClientHandle, WM_MDINEXT, 0, 1);
}

void TCustomForm::SetWindowMenu(TMenuItem* Value)
{
    if (Value == FWindowMenu) return;
    FWindowMenu = Value;
}
