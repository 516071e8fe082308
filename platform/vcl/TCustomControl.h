#pragma once
// Controls that paint themselves: TCustomControl (a window with a canvas) and TGraphicControl
// (no window; painted on its parent's device context, at its place). Both paint in Paint.
#include <functional>
#include <memory>

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

// A control's canvas, made the first time it is asked for: most controls of a long list are never
// painted and never measure text, and a canvas with its font, pen and brush costs half a kilobyte.
class TControlCanvasSlot {
public:
    explicit TControlCanvasSlot(TControl* Control) : FControl(Control) {}
    ~TControlCanvasSlot();
    TControlCanvasSlot(const TControlCanvasSlot&) = delete;
    TControlCanvasSlot& operator=(const TControlCanvasSlot&) = delete;
    TControlCanvas* Get() const;
    // Runs Paint with the canvas drawing on DC, and lets go of DC afterwards (also when Paint raises).
    void PaintOn(HDC DC, const std::function<void()>& Paint);

private:
    TControl* FControl;
    mutable std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}
    TCanvas* Canvas() const { return FCanvas.Get(); }

protected:
    virtual void Paint();
    void PaintWindow(HDC DC) override;

private:
    TControlCanvasSlot FCanvas{this};
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
    TCanvas* Canvas() const { return FCanvas.Get(); }
    void WndProc(TMessage& Message) override;

protected:
    virtual void Paint();

private:
    TControlCanvasSlot FCanvas{this};
};
