#pragma once
// The skin link and painting protocol of TskSkinControl for controls without a window of their own
// (the speed buttons). They paint on their parent's window through an off-screen bitmap, never get a
// window region, and stretch a client piece always whole.
#include "skin/controls/TskSkinLinkedControl.h"
#include "skin/controls/TskSkinResizableControl.h"

class TskGraphicSkinControl : public TskSkinLinkedControl<TGraphicControl> {
public:
    explicit TskGraphicSkinControl(TComponent* AOwner) : TskSkinLinkedControl<TGraphicControl>(AOwner) {}
};

class TskGraphicSkinCustomControl : public TskSkinResizableControl<TskGraphicSkinControl> {
public:
    explicit TskGraphicSkinCustomControl(TComponent* AOwner) : TskSkinResizableControl<TskGraphicSkinControl>(AOwner) {}

protected:
    // The client piece of a windowless control is always stretched whole.
    int ClientStretchType() const override { return stFull; }
};

extern template class TskSkinResizableControl<TskGraphicSkinControl>;
