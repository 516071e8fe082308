#pragma once
// The skin objects of a window frame that show text:
//   TskSkinLabelObject     kind "label": a fixed text in a font of the skin, normal and hovered look;
//   TskSkinBitLabelObject  kind "bitlabel": a text drawn with symbol cells cut from a picture;
//   TskSkinCaptionObject   kind "caption": the window's title, with its light, shadow, glow or
//                          reflection, a frame image behind it and an animation on activation.
#include <string>
#include <vector>

#include "platform/gfx/Colors.h"
#include "platform/rtl/Types.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinValueTypes.h"
#include "skin/form/TskActiveSkinObject.h"

// The font (TskEntryFont) is the one of the label entry the object is made from.
class TskSkinLabelObject : public TskActiveSkinObject, public TskEntryFont {
public:
    TskSkinLabelObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    // Set the hover flag and raise the events; redraw only when the hovered look differs.
    void MouseEnter() override;
    void MouseLeave() override;

    TColor ActiveFontColor = 0;
    TAlignment Alignment = taLeftJustify;
    std::string TextValue;

private:
    bool LooksDifferentWhenActive() const;
};

class TskSkinBitLabelObject : public TskActiveSkinObject {
public:
    TskSkinBitLabelObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;

    // The cell of character Ch in ActivePicture; empty when no line of Symbols holds it.
    TRect SymbolRect(char32_t Ch) const;

    // Lines of characters; a character's cell lies at its position in the first line that holds it.
    std::vector<std::u32string> Symbols;
    std::string TextValue;
    int SymbolWidth = 0;
    int SymbolHeight = 0;
    bool Transparent = false;
    TColor TransparentColor = 0;
};

// The font (TskEntryFont) is the one of the caption entry the object is made from.
class TskSkinCaptionObject : public TskActiveSkinObject, public TskEntryFont {
public:
    TskSkinCaptionObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    // In client-area mode the caption moves the window (unless maximized).
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    // Only the hover flag and the events.
    void MouseEnter() override;
    void MouseLeave() override;
    bool AnimateStep() override;

    // The window's title changed: stored and redrawn.
    void SetText(const std::string& Value);
    // The window became active or inactive. Animated, with an animation strip, the strip plays
    // (and the frame's animate timer is started); otherwise the caption jumps to the new look.
    void UpdateActivation(bool AActive, bool Animated);
    // The text drawn: the form's caption as it is now (Text when there is no form).
    std::string CaptionText() const;
    // The rectangle the text is placed in, in frame coordinates.
    TRect TextArea() const;
    // Which look the text and its frame image have now: the active one while the window is active,
    // the look being left while an animation frame shows.
    bool ActiveLook() const;
    // An animation frame (1 .. FrameCount) replaces the normal image.
    bool AnimationShown() const;

    std::string Text;
    int Frame = 0;
    int TimerCount = 25;

    TRect TextRect;
    TColor ActiveFontColor = 0;
    TAlignment Alignment = taLeftJustify;
    bool Light = false;
    TColor LightColor = 0;
    TColor ActiveLightColor = 0;
    bool Shadow = false;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    TRect FrameRect;
    TRect ActiveFrameRect;
    TRect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InActiveAnimation = false;
    bool FullFrame = false;
    bool GlowEffect = false;
    bool GlowInactiveEffect = false;
    int GlowSize = 0;
    TColor GlowColor = 0;
    TColor GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0;
    TColor ReflectionActiveColor = 0;
    int ReflectionOffset = 0;

private:
    bool CanAnimate() const;
    TRect AnimationFrameRect(int N) const;
    void DrawBackground(TCanvas* Cnvs, bool UpDate);
    void DrawTextAndFrame(TCanvas* Cnvs, bool Look);
    void RedrawNow();

    // The activation the last UpdateActivation told; the animation runs towards it.
    bool FActivating = false;
};

// The makers of these kinds, for the frame's object factory.
void RegisterSkinTextObjects();
