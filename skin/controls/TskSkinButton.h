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

#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinSpeedButton.h"

class TskLayerManager;

using TskButtonPaintEvent = std::function<void(TObject* Sender, TCanvas* Cnvs, TRect R, bool ADown, bool AMouseIn, bool& DrawDefault)>;

// Posted by a button to itself to show and to hide its glow frame.
constexpr UINT WM_SHOWLAYER = WM_USER + 400;
constexpr UINT WM_HIDELAYER = WM_USER + 401;

class TskSkinButton : public TskSkinCustomControl {
public:
    explicit TskSkinButton(TComponent* AOwner);
    ~TskSkinButton() override;

    TBitmap* Glyph() const { return FGlyph; }
    void SetGlyph(TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TskButtonLayout Layout() const { return FLayout; }
    void SetLayout(TskButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool Value) { FRepeatMode = Value; }
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value) { FUseSkinFontColor = Value; }
    bool AlwaysShowLayeredFrame() const { return FAlwaysShowLayeredFrame; }
    void SetAlwaysShowLayeredFrame(bool Value) { FAlwaysShowLayeredFrame = Value; }
    TskButtonPaintEvent OnPaint;

    bool MouseIn() const { return FMouseIn; }
    // The button is the form's current default (Return clicks it).
    bool Active() const { return FActive; }
    double MorphFactor() const { return FMorph.Factor(); }
    // The frame of the entry's focus animation shown now (0: none).
    int AnimationFrame() const { return FAnimation.Frame(); }
    // The glow frame is on the screen.
    bool GlowVisible() const;

    void FindSkinObject() override;
    void RefreshSkin() override;
    void ResetSkinIndex() override;
    // With UseSkinSize off the button keeps any size (its pictures are stretched to it).
    void ComputeSkinSize(int& AWidth, int& AHeight) override;
    virtual void ButtonClick();

protected:
    void Paint() override;
    void DrawDefaultImage(TBitmap* B) override;
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;

private:
    bool MorphAvailable() const;
    bool AnimationAvailable() const;
    bool Hot() const { return FMouseIn || Focused(); }
    bool PressedLook() const { return FDown && (FGroupIndex != 0 || FMouseIn || (Focused() && !FMouseHeld)); }
    void StartMorph();
    void StartAnimation(bool Forward);
    // Focuses the button for a press; false when the focus did not come.
    bool TakeFocus();
    // The skin rectangle of the present state (not the cross-fade), and how its face is drawn.
    TRect StateRect(bool& IsActive, bool& IsDown) const;
    TskButtonFace Face() const;
    void DrawContent(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color);
    // The glow picture (or its mask) composed to W x H the way the button's own picture is.
    void ComposeGlow(TBitmap* Source, TBitmap* Dest, int W, int H) const;
    void ShowGlow();
    void HideGlow();
    void PostToSelf(UINT Msg);

    TBitmap* FGlyph;
    int FNumGlyphs = 1;
    TComponentLink<TCustomImageList> FImageList{this};
    int FImageIndex = -1;
    TskButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 1;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
    bool FCanFocused = true;
    bool FUseSkinSize = true;
    bool FUseSkinFontColor = true;
    bool FAlwaysShowLayeredFrame = false;

    bool FMouseIn = false;
    bool FActive = false;
    bool FReleaseArmed = false;
    bool FMouseHeld = false;
    bool FTakingFocus = false;
    TskButtonMorph FMorph{[this] { return Hot(); }, [this] { Repaint(); }};
    TskButtonAnimation FAnimation{[this] { Repaint(); }};
    TskButtonRepeat FRepeat{[this] { return FRepeatInterval; }, [this] { ButtonClick(); }};
    TskLayerManager* FLayer;

    // Copied from the entry.
    TskButtonSkinValues FSkin;
    int FGlowPictureIndex = -1;
    int FGlowMaskPictureIndex = -1;
    int FGlowOffsetLeft = 0, FGlowOffsetTop = 0, FGlowOffsetRight = 0, FGlowOffsetBottom = 0;
    int FGlowShowOffsetX = 0, FGlowShowOffsetY = 0;
    int FGlowAlpha = 255;
};
