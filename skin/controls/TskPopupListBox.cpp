#include "skin/controls/TskPopupListBox.h"

#include <algorithm>

#include "platform/win/WinApi.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/data/SkinPlatform.h"

TskPopupListBox::TskPopupListBox(TComponent* AOwner) : TskSkinListBox(AOwner)
{
    SetVisible(false);
    FControlStyle.Include(csAcceptsControls).Include(csNoDesignVisible).Include(csReplicatable);
}

TskPopupListBox::~TskPopupListBox() { StopFade(); }

void TskPopupListBox::CreateParams(TCreateParams& Params)
{
    TskSkinListBox::CreateParams(Params);
    // A window of its own on top of everything, so that the list can reach past the form's edges.
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    // Never activated: the form keeps the activation and the combo box (or its edit part) the focus.
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.ClassStyle |= CS_SAVEBITS;
    if (IsWinXPOrLater()) Params.ClassStyle |= CS_DROPSHADOW;
    // Owned by the combo box's form (the window layer takes the top-level window of what it is given).
    Params.WndParent = FComboBox != nullptr && FComboBox->HandleAllocated() ? FComboBox->Handle() : 0;
}

void TskPopupListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_TIMER:
        if (Message.WParam == FadeTimer) {
            FadeStepTick();
            return;
        }
        break;
    default:
        break;
    }
    TskSkinListBox::WndProc(Message);
}

void TskPopupListBox::ListBoxWProc(TMessage& Message, bool& Handled)
{
    if (FComboBox != nullptr)
        FComboBox->ListWindowProc(Message, Handled);
    else
        Handled = true;
}

void TskPopupListBox::ApplyAlpha(BYTE Alpha)
{
    FCurrentAlpha = Alpha;
    if (HandleAllocated()) SetAlphaBlendTransparent(FHandle, Alpha);
}

void TskPopupListBox::ShowPopupList(TPoint P)
{
    StopFade();
    const HWND h = Handle();
    TskSkinCustomComboBox* combo = FComboBox;
    if (IsWin2000OrLater() && combo != nullptr) {
        const bool layered = combo->ListBoxAlphaBlend();
        const LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
        const bool wasLayered = (ex & WS_EX_LAYERED) != 0;
        if (layered != wasLayered) SetWindowLong(h, GWL_EXSTYLE, layered ? (ex | WS_EX_LAYERED) : (ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED)));
        FLayeredOn = layered;
        if (layered) {
            const BYTE target = combo->ListBoxAlphaBlendValue();
            if (target != FCurrentAlpha) {
                const bool fade = combo->ListBoxAlphaBlendAnimation();
                ApplyAlpha(fade ? 0 : target);
                if (fade) FFadeTarget = target;
            } else if (!wasLayered) {
                // A window that has just become layered shows nothing until it is given its opacity.
                ApplyAlpha(FCurrentAlpha);
            }
        } else {
            FCurrentAlpha = 255;
        }
    }
    SetBounds(P.X, P.Y, Width(), Height());
    SetVisible(true);
    SetWindowPos(h, HWND_TOPMOST, P.X, P.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // The fade runs on a timer of the list's own window rather than in a loop that processes messages:
    // a handler run from such a loop could close the list or free the combo box under it, and a clock
    // that does not move would never let the loop end.
    if (FFadeTarget >= 0) SetTimer(h, FadeTimer, FadeInterval);
}

void TskPopupListBox::HidePopupList()
{
    StopFade();
    if (HandleAllocated())
        SetWindowPos(FHandle, 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    SetVisible(false);
}

void TskPopupListBox::FadeStepTick()
{
    if (FFadeTarget < 0) {
        StopFade();
        return;
    }
    const int next = std::min(FCurrentAlpha + FadeStep, FFadeTarget);
    ApplyAlpha(static_cast<BYTE>(next));
    if (next >= FFadeTarget) StopFade();
}

void TskPopupListBox::StopFade()
{
    if (FFadeTarget >= 0 && FCurrentAlpha != FFadeTarget) ApplyAlpha(static_cast<BYTE>(FFadeTarget));
    FFadeTarget = -1;
    if (HandleAllocated()) KillTimer(FHandle, FadeTimer);
}
