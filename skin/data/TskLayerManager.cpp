#include "skin/data/TskLayerManager.h"

#include "platform/win/Window.h"
#include "skin/data/SkinPlatform.h"

void TskLayerWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.ClassStyle |= CS_SAVEBITS;
}

void TskLayerWindow::WndProc(TMessage& Message)
{
    // An overlay must never take the activation from the window it decorates.
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TCustomControl::WndProc(Message);
}

TskLayerManager::~TskLayerManager()
{
    delete FLayerWindow;
    FLayerWindow = nullptr;
}

void TskLayerManager::Show(int X, int Y, TBitmap* Bitmap, TBitmap* Mask, BYTE Alpha)
{
    if (!IsLayeringAvailable() || !Bitmap)
        return;
    if (FLayerWindow)
        Hide();
    FLayerVisible = true;
    FLayerWindow = new TskLayerWindow(this);
    FLayerWindow->SetBounds(X, Y, Bitmap->Width(), Bitmap->Height());
    SetLayeredBitmap(Bitmap, Mask, Alpha, FLayerWindow);
    SetWindowPos(FLayerWindow->Handle(), FLayerTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, X, Y, 0, 0,
        SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TskLayerManager::Hide()
{
    if (!IsLayeringAvailable())
        return;
    FLayerVisible = false;
    if (!FLayerWindow)
        return;
    SetWindowPos(FLayerWindow->Handle(), 0, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    delete FLayerWindow;
    FLayerWindow = nullptr;
}
