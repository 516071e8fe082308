#pragma once
// A windowless tool button with a glyph and a caption, skin entry "toolbutton": one picture per state
// (rest, hot, pressed, disabled), a cross-fade from rest to hot on a 20 ms timer, auto-repeat while held
// (500 ms, then RepeatInterval), and groups in which one button (or, with AllowAllUp, none) is down.
// It never takes the focus. An Action lends it its caption, enabled state and click (and, when its
// list has images and the glyph is empty, its image); an image list may stand in for the glyph; "&" in
// the caption marks the accelerator. The converter's Start and Skip buttons and the queue rows' buttons are flat
// speed buttons.
#include <memory>
#include <string>

#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/TskGraphicSkinControl.h"

class TBasicAction;

enum TskButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TskSkinSpeedButton : public TskGraphicSkinCustomControl {
public:
    explicit TskSkinSpeedButton(TComponent* AOwner);
    ~TskSkinSpeedButton() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FGlyph; }
    // Takes a copy of the bitmap.
    void SetGlyph(TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // Links the action (as the platform does) and fills an empty Glyph with the action's image.
    void SetAction(TBasicAction* Value);
    TskButtonLayout Layout() const { return FLayout; }
    void SetLayout(TskButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool Value) { FRepeatMode = Value; }
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value) { FUseSkinFontColor = Value; }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    int WidthWithCaption() const { return FWidthWithCaption; }
    void SetWidthWithCaption(int Value) { FWidthWithCaption = Value; }
    int WidthWithoutCaption() const { return FWidthWithoutCaption; }
    void SetWidthWithoutCaption(int Value) { FWidthWithoutCaption = Value; }

    bool MouseIn() const { return FMouseIn; }
    // The cross-fade position from the rest picture (0) to the hot one (1).
    double MorphFactor() const { return FMorph.Factor(); }
    // The frame of the entry's animation strip shown now (0: none).
    int AnimationFrame() const { return FAnimation.Frame(); }

    void FindSkinObject() override;
    void RefreshSkin() override;
    // With UseSkinSize off the button keeps any size (its pictures are stretched to it).
    void ComputeSkinSize(int& AWidth, int& AHeight) override;
    virtual void ButtonClick();

protected:
    void Paint() override;
    void DrawDefaultImage(TBitmap* B) override;
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;

    // The drop-down marker pictures of the entry, for buttons that carry a menu.
    TRect FMenuMarkerFlatRect, FMenuMarkerRect, FMenuMarkerActiveRect, FMenuMarkerDownRect;
    TColor FMenuMarkerTransparentColor = 0;

private:
    // The skin rectangle of the present state (not the cross-fade), and how its face is drawn.
    TRect StateRect(bool& IsActive, bool& IsDown) const;
    bool MorphAvailable() const;
    bool PressedLook() const { return FDown && (FGroupIndex != 0 || FMouseIn); }
    bool AnimationAvailable() const;
    void StartMorph();
    void StartAnimation(bool Forward);
    void SyncActionGlyph();
    TskButtonFace Face() const;
    void DrawContent(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color);

    bool FFlat = false;
    TBitmap* FGlyph;
    int FNumGlyphs = 1;
    TComponentLink<TCustomImageList> FImageList{this};
    int FImageIndex = 0;
    TskButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 1;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
    bool FUseSkinSize = true;
    bool FUseSkinFontColor = true;
    bool FShowCaption = true;
    int FWidthWithCaption = 0;
    int FWidthWithoutCaption = 0;

    bool FMouseIn = false;
    bool FReleaseArmed = false;
    TskButtonMorph FMorph{[this] { return FMouseIn; }, [this] { Repaint(); }};
    TskButtonAnimation FAnimation{[this] { Repaint(); }};
    TskButtonRepeat FRepeat{[this] { return FRepeatInterval; }, [this] { ButtonClick(); }};

    // Copied from the entry.
    TskButtonSkinValues FSkin;
};
