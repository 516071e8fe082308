#pragma once
// A windowless tool button with a glyph and a caption, skin entry "toolbutton": one picture per state
// (rest, hot, pressed, disabled), a cross-fade from rest to hot on a 20 ms timer, auto-repeat while held
// (500 ms, then RepeatInterval), and groups in which one button (or, with AllowAllUp, none) is down.
// It never takes the focus. An Action lends it its caption, enabled state and click (and, when its
// list has images and the glyph is empty, its image); an image list may stand in for the glyph; "&" in
// the caption marks the accelerator. The converter's Start and Skip buttons and the queue rows' buttons are flat
// speed buttons.
#include <string>

#include "skin/controls/TskSkinCustomButton.h"

class TBasicAction;

class TskSkinSpeedButton : public TskSkinCustomButton<TskGraphicSkinCustomControl> {
public:
    explicit TskSkinSpeedButton(TComponent* AOwner);
    ~TskSkinSpeedButton() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // Links the action (as the platform does) and fills an empty Glyph with the action's image.
    void SetAction(TBasicAction* Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    int WidthWithCaption() const { return FWidthWithCaption; }
    void SetWidthWithCaption(int Value) { FWidthWithCaption = Value; }
    int WidthWithoutCaption() const { return FWidthWithoutCaption; }
    void SetWidthWithoutCaption(int Value) { FWidthWithoutCaption = Value; }

    void FindSkinObject() override;
    void RefreshSkin() override;

protected:
    using Inherited = TskSkinCustomButton<TskGraphicSkinCustomControl>;

    void WndProc(TMessage& Message) override;
    void Loaded() override;
    // A flat button at rest shows only its glyph and caption over whatever its parent shows.
    bool PaintRestingFlat() override;
    // A disabled button looks at rest.
    bool PlainLookHot() const override { return FMouseIn && Enabled(); }
    // A flat button runs no strip.
    bool AnimationAvailable() const override;
    TskButtonFace Face() const override;
    // The caption's colour over the parent for a flat button at rest in a skin.
    TColor RestingFlatTextColor() const;

    // The drop-down marker pictures of the entry, for buttons that carry a menu.
    TRect FMenuMarkerFlatRect, FMenuMarkerRect, FMenuMarkerActiveRect, FMenuMarkerDownRect;
    TColor FMenuMarkerTransparentColor = 0;

private:
    void SyncActionGlyph();

    bool FFlat = false;
    bool FShowCaption = true;
    int FWidthWithCaption = 0;
    int FWidthWithoutCaption = 0;
};
