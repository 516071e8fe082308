#pragma once
// What the push button (a window) and the speed button (windowless) share: glyph, image list, layout and
// caption face; Down and the groups in which one button (or, with AllowAllUp, none) is down; the press
// and release of the left mouse button with auto-repeat; the hover cross-fade and the entry's frame
// animation; the state pictures of a "button" entry and the plain look without one. TBase is
// TskSkinCustomControl or TskGraphicSkinCustomControl.
#include <memory>
#include <type_traits>

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

    // The push button has a window of its own; the speed button lives on its parent's.
    static constexpr bool Windowed = std::is_base_of_v<TWinControl, TBase>;

    void WndProc(TMessage& Message) override;
    // The state picture (or the cross-fade) with an entry; without one, the plain look (DrawDefaultImage).
    void Paint() override;
    void DrawDefaultImage(TBitmap* B) override;
    // Piece R of the entry's picture with the glyph and caption on it (and the focus frame the entry asks for).
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // Whether the button has the keyboard focus; a windowless one never has.
    virtual bool HoldsFocus() const { return false; }
    // Before a left press: false when the press goes no further (the push button could not take the focus).
    virtual bool TakeFocusForPress() { return true; }
    // Paints the button whole in place of the state picture or the plain look, and says so (the flat
    // speed button at rest shows only its glyph and caption).
    virtual bool PaintRestingFlat() { return false; }
    // Whether the plain look is drawn hot.
    virtual bool PlainLookHot() const { return Hot(); }
    // Draws the face in place of the glyph and caption, and says so (the push button's OnPaint may).
    virtual bool OwnerPaintsFace(TCanvas*, const TRect&, bool /*IsActive*/, bool /*IsDown*/) { return false; }
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
    // The glyph and caption in the entry's font (the button's own without an entry), unless the owner paints the face.
    void DrawContent(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color);
    // Where the glyph and caption go on the state picture: the entry's client piece for a fixed or nine-part
    // picture, else the whole button.
    TRect ContentRect() const;
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
