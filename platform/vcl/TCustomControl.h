#pragma once
// Controls that paint themselves: TCustomControl (a window with a canvas) and TGraphicControl
// (no window; painted on its parent's device context, at its place). Both paint in Paint.
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TWinControl.h"

// A canvas on a control: the DC of the paint under way, or one of its own made on demand
// (GetDC of the window, or of the parent's window moved to the control's place).
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* Control) : FControl(Control) {}
    ~TControlCanvas() override;
    TControl* Control() const { return FControl; }
    // Lets go of a DC the canvas made itself.
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HWND FWindow = 0;
    HDC FOwnDC = nullptr;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return FCanvas; }

protected:
    virtual void Paint();
    void PaintWindow(HDC DC) override;

private:
    TControlCanvas* FCanvas;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return FCanvas; }
    void WndProc(TMessage& Message) override;

protected:
    virtual void Paint();

private:
    TControlCanvas* FCanvas;
};
