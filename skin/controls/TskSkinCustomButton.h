#pragma once
// What the push button (a window) and the speed button (windowless) share: glyph, image list, layout and
// caption face; Down and the groups in which one button (or, with AllowAllUp, none) is down; the press
// and release of the left mouse button with auto-repeat; the hover cross-fade and the entry's frame
// animation; the state pictures of a "button" entry and the plain look without one. TBase is
// TskSkinCustomControl or TskGraphicSkinCustomControl.
#include <memory>

#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/TskGraphicSkinControl.h"
#include "skin/controls/TskSkinControl.h"

class TskDataSkinButtonControl;

enum TskButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

template <class TBase> class TskSkinCustomButton : public TBase {
public:
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Takes a copy of the bitmap.
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
    virtual void SetGroupIndex(int Value) { FGroupIndex = Value; }
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

    bool MouseIn() const { return FMouseIn; }
    // The cross-fade position from the rest picture (0) to the hot one (1).
    double MorphFactor() const { return FMorph.Factor(); }
    // The frame of the entry's animation strip shown now (0: none).
    int AnimationFrame() const { return FAnimation.Frame(); }

    // The cross-fade and the strip start again from rest for the new skin.
    void RefreshSkin() override;
    // With UseSkinSize off the button keeps any size (its pictures are stretched to it).
    void ComputeSkinSize(int& AWidth, int& AHeight) override;
    // OnClick when the button has its own, else the linked action.
    virtual void ButtonClick();

protected:
    // A new button shows ImageIndex of its list from the start: the push button none (-1), the speed
    // button the first image (0).
    TskSkinCustomButton(TComponent* AOwner, int DefaultImageIndex);

    void WndProc(TMessage& Message) override;
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown) = 0;
    // Whether the button has the keyboard focus; a windowless one never has.
    virtual bool HoldsFocus() const { return false; }
    virtual bool AnimationAvailable() const;
    virtual TskButtonFace Face() const;

    bool Hot() const { return FMouseIn || HoldsFocus(); }
    // Down is shown pressed in a group, under the mouse, or held by the keyboard.
    bool PressedLook() const { return FDown && (FGroupIndex != 0 || FMouseIn || (HoldsFocus() && !FMouseHeld)); }
    bool MorphAvailable() const;
    void StartMorph();
    void StartAnimation(bool Forward);
    // Copies the state pictures of the "button" entry into FSkin and returns it; an entry of another
    // kind gives one picture for every state (and nullptr).
    TskDataSkinButtonControl* ReadButtonEntry();
    // The left button went down over the button / came up at (X, Y). A release away from the button
    // withdraws the press; with DragOffLeaves the button no longer counts the mouse as in it.
    void Press();
    void Release(int X, int Y, bool DragOffLeaves);

    // The skin rectangle of the present state (not the cross-fade), and how its face is drawn.
    TRect StateRect(bool& IsActive, bool& IsDown) const;
    // Piece R of the entry's picture for the button's size, stretched whole when UseSkinSize is off.
    void ComposePicture(TBitmap* B, const TRect& R);
    TColor StateTextColor(bool IsActive, bool IsDown) const;
    void DrawGlyphAndCaption(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color) const;
    // The plain look without an entry: pressed, hot (HotLook) or at rest.
    void DrawDefaultFrame(TCanvas* C, const TRect& R, bool HotLook) const;
    // The state picture, or the cross-fade between rest and hot while it runs, shown on the canvas.
    void PaintSkinned();

    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
    int FNumGlyphs = 1;
    TComponentLink<TCustomImageList> FImageList{this};
    int FImageIndex;
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

    bool FMouseIn = false;
    // The left mouse button holds the button down (not the keyboard).
    bool FMouseHeld = false;
    bool FReleaseArmed = false;
    TskButtonMorph FMorph{[this] { return Hot(); }, [this] { this->Repaint(); }};
    TskButtonAnimation FAnimation{[this] { this->Repaint(); }};
    TskButtonRepeat FRepeat{[this] { return FRepeatInterval; }, [this] { ButtonClick(); }};

    // Copied from the entry.
    TskButtonSkinValues FSkin;
};

extern template class TskSkinCustomButton<TskSkinCustomControl>;
extern template class TskSkinCustomButton<TskGraphicSkinCustomControl>;
