#pragma once
// The skinned push button, skin entry "button": a focusable window with a caption and a glyph, one
// picture per state, dialog roles (Default answers Return, Cancel answers Escape, ModalResult closes a
// modal form), auto-repeat while held, toggle groups, a hover cross-fade and a glow frame shown in a
// layered window outside the button. An Action lends it its caption, enabled state and click; an image
// list may stand in for the glyph; "&" in the caption marks the accelerator; with "animateskinrect" the
// skin's frame strip runs when the focus comes and goes.
#include <functional>
#include <memory>
#include <string>

#include "skin/controls/TskSkinCustomButton.h"

class TskLayerManager;

using TskButtonPaintEvent = std::function<void(TObject* Sender, TCanvas* Cnvs, TRect R, bool ADown, bool AMouseIn, bool& DrawDefault)>;

// Posted by a button to itself to show and to hide its glow frame.
constexpr UINT WM_SHOWLAYER = WM_USER + 400;
constexpr UINT WM_HIDELAYER = WM_USER + 401;

class TskSkinButton : public TskSkinCustomButton<TskSkinCustomControl> {
public:
    explicit TskSkinButton(TComponent* AOwner);
    ~TskSkinButton() override;

    // A button of a group takes no focus.
    void SetGroupIndex(int Value) override;
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool AlwaysShowLayeredFrame() const { return FAlwaysShowLayeredFrame; }
    void SetAlwaysShowLayeredFrame(bool Value) { FAlwaysShowLayeredFrame = Value; }
    TskButtonPaintEvent OnPaint;

    // The button is the form's current default (Return clicks it).
    bool Active() const { return FActive; }
    // The glow frame is on the screen.
    bool GlowVisible() const;

    void FindSkinObject() override;
    void RefreshSkin() override;
    void ResetSkinIndex() override;
    // Sets the form's ModalResult first.
    void ButtonClick() override;

protected:
    using Inherited = TskSkinCustomButton<TskSkinCustomControl>;

    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    bool HoldsFocus() const override { return Focused(); }
    // Focuses a button that may take the focus; false when the focus did not come.
    bool TakeFocusForPress() override;
    // OnPaint, when assigned, may draw the face itself.
    bool OwnerPaintsFace(TCanvas* C, const TRect& R, bool IsActive, bool IsDown) override;

private:
    // The glow picture (or its mask) composed to W x H the way the button's own picture is.
    void ComposeGlow(TBitmap* Source, TBitmap* Dest, int W, int H) const;
    void ShowGlow();
    void HideGlow();
    void PostToSelf(UINT Msg);

    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
    bool FCanFocused = true;
    bool FAlwaysShowLayeredFrame = false;

    bool FActive = false;
    TskLayerManager* FLayer;

    // Copied from the entry.
    int FGlowPictureIndex = -1;
    int FGlowMaskPictureIndex = -1;
    int FGlowOffsetLeft = 0, FGlowOffsetTop = 0, FGlowOffsetRight = 0, FGlowOffsetBottom = 0;
    int FGlowShowOffsetX = 0, FGlowShowOffsetY = 0;
    int FGlowAlpha = 255;
};
