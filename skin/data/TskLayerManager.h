#pragma once
// A layered popup for glow frames and similar overlays: TskLayerWindow is a borderless popup that never
// takes the focus; TskLayerManager shows one at a place with a picture and a mask, and hides it again.
// Nothing is shown where layered windows are not available.
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomControl.h"

class TskLayerWindow : public TCustomControl {
public:
    explicit TskLayerWindow(TComponent* AOwner) : TCustomControl(AOwner) {}
    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
};

class TskLayerManager : public TComponent {
public:
    explicit TskLayerManager(TComponent* AOwner) : TComponent(AOwner) {}
    ~TskLayerManager() override;

    TskLayerWindow* LayerWindow() const { return FLayerWindow; }
    bool LayerVisible() const { return FLayerVisible; }
    bool LayerTopMost() const { return FLayerTopMost; }
    void SetLayerTopMost(bool Value) { FLayerTopMost = Value; }

    // Shows Bitmap (alpha from Mask, times Alpha) at (X, Y); a window already shown is hidden first, so
    // there is never more than one.
    void Show(int X, int Y, TBitmap* Bitmap, TBitmap* Mask, BYTE Alpha);
    void Hide();

private:
    TskLayerWindow* FLayerWindow = nullptr;
    bool FLayerVisible = false;
    bool FLayerTopMost = true;
};
