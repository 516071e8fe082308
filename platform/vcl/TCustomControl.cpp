#include "platform/vcl/TCustomControl.h"

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::FreeHandle()
{
    if (FOwnDC == nullptr) return;
    HDC dc = FOwnDC;
    FOwnDC = nullptr;
    SetHandle(nullptr);
    ReleaseDC(FWindow, dc);
    FWindow = 0;
}

void TControlCanvas::CreateHandle()
{
    // Outside a paint: draw straight onto the window (what is drawn lasts until the next paint).
    // Asking for the window may create it, and a control that measures or draws while its window
    // is made comes back here first: the DC that nested call got is the one kept.
    if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
        const HWND window = w->Handle();
        if (FOwnDC != nullptr) return;
        FWindow = window;
        FOwnDC = GetDC(FWindow);
    } else if (FControl->Parent() != nullptr) {
        const HWND window = FControl->Parent()->Handle();
        if (FOwnDC != nullptr) return;
        FWindow = window;
        FOwnDC = GetDC(FWindow);
        SetViewportOrgEx(FOwnDC, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(FOwnDC, 0, 0, FControl->Width(), FControl->Height());
    }
    if (FOwnDC != nullptr) SetHandle(FOwnDC);
}

TControlCanvasSlot::~TControlCanvasSlot()
{
    if (FCanvas) FCanvas->FreeHandle();
}

TControlCanvas* TControlCanvasSlot::Get() const
{
    if (!FCanvas) FCanvas = std::make_unique<TControlCanvas>(FControl);
    return FCanvas.get();
}

void TControlCanvasSlot::PaintOn(HDC DC, const std::function<void()>& Paint)
{
    TControlCanvas* canvas = Get();
    canvas->FreeHandle();
    canvas->SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        canvas->SetHandle(nullptr);
        throw;
    }
    canvas->SetHandle(nullptr);
}

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow(HDC DC)
{
    FCanvas.PaintOn(DC, [this] { Paint(); });
}

void TGraphicControl::Paint() {}

void TGraphicControl::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_PAINT && Message.WParam != 0) {
        FCanvas.PaintOn(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
        return;
    }
    TControl::WndProc(Message);
}
