#pragma once
// How a hot-tracking control looks while the mouse is over it, and how its hot font follows its font.
#include "platform/vcl/Graphics.h"
#include "process/TOxPersistentProperty.h"

enum TOxTrackFontOption {
    hoFollowFont,
    hoPreserveCharSet,
    hoPreserveColor,
    hoPreserveHeight,
    hoPreserveName,
    hoPreservePitch,
    hoPreserveStyle
};
using TOxTrackFontOptions = TSet<TOxTrackFontOption>;

// With hoFollowFont, TrackFont takes from Font each attribute whose hoPreserve... member is absent.
void UpdateTrackFont(TFont* TrackFont, const TFont* Font, TOxTrackFontOptions Options);

class TOxHotTrackOptions : public TOxPersistentProperty {
public:
    explicit TOxHotTrackOptions(TPersistent* AOwner, TColor DefaultColor = 0xD2BDB6);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { SetProperty(FEnabled, Value, "Enabled"); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { SetProperty(FColor, Value, "Color"); }
    bool FrameVisible() const { return FFrameVisible; }
    void SetFrameVisible(bool Value) { SetProperty(FFrameVisible, Value, "FrameVisible"); }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value) { SetProperty(FFrameColor, Value, "FrameColor"); }

    // From another set of options: the four values inside one update bracket.
    void Assign(TPersistent* Source) override;

private:
    bool FEnabled = false;
    TColor FColor;
    bool FFrameVisible = false;
    TColor FFrameColor = 0x6A240A;
};

// A panel's options: the same, with the button face as the hot colour.
class TOxPanelHotTrackOptions : public TOxHotTrackOptions {
public:
    explicit TOxPanelHotTrackOptions(TPersistent* AOwner) : TOxHotTrackOptions(AOwner, clBtnFace) {}
};
