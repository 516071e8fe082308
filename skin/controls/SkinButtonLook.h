#pragma once
// What the skinned buttons (push button, speed button, check box, up-down) share of their look and of
// their timing: the default colours of the hot and pressed faces, the values a button copies from its
// skin entry, the glyph-or-image and caption face, the cross-fade between the rest and the hot picture,
// the frame animation of "animateskinrect", auto-repeat, and the caption's accelerator.
#include <functional>
#include <memory>
#include <string>

#include "platform/gfx/Colors.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "skin/data/SkinEntryFont.h"

class TskEffectBmp;
class TskSkinData;
class TskDataSkinButtonControl;
class TCustomImageList;
class TTimer;
class TFont;

// The plain look (no skin, or an entry without pictures): a control under the mouse is filled with
// SkinHotFill, a pressed one with SkinPressedFill, both framed in SkinNavyFrame. Every control and menu
// that draws that look takes the colours from here.
constexpr TColor SkinHotFill = static_cast<TColor>(13811126);     // red 182, green 189, blue 210
constexpr TColor SkinPressedFill = static_cast<TColor>(11899781); // red 133, green 147, blue 181
constexpr TColor SkinNavyFrame = static_cast<TColor>(8388608);
constexpr unsigned SkinMorphInterval = 20;
constexpr double SkinMorphStep = 0.2;
constexpr unsigned SkinRepeatDelay = 500;

// Blends From toward To by K with the effect of "morphkind" 0 to 6 (other kinds: the plain blend).
void MorphByKind(TskEffectBmp& From, const TskEffectBmp& To, int Kind, double K);
// R filled with Fill inside a one-pixel Frame.
void FillFramed(TCanvas* C, const TRect& R, TColor Frame, TColor Fill);
// Piece R of Picture composed to W x H into B, every part stretched: nine-part by ClientRect (relative
// to R), or the whole piece stretched when there is no client rectangle (the nine-part composition
// would draw nothing then).
void StretchButtonPicture(TBitmap* B, TBitmap* Picture, const TRect& R, const TRect& ClientRect, int W, int H);
// True when Caption marks CharCode as its accelerator ("&x", compared without case; "&&" is a plain "&").
bool IsAccel(WPARAM CharCode, const std::string& Caption);
// A copy of picture Index of Images on a magenta ground, the way a glyph strip stores transparency;
// false (Glyph untouched) when there is no such picture.
bool CopyImageToGlyph(TCustomImageList* Images, int Index, TBitmap* Glyph);

// What a button shows on its face besides the picture: a glyph strip (cells 1 up, 2 disabled, 3 down,
// 4 hot) or, when ImageIndex is within Images, that image; and the caption, placed by Layout, Margin
// and Spacing.
struct TskButtonFace {
    std::string Caption;
    TBitmap* Glyph = nullptr;
    int NumGlyphs = 1;
    TCustomImageList* Images = nullptr;
    int ImageIndex = -1;
    int Layout = 0;
    int Margin = -1;
    int Spacing = 1;
    bool Enabled = true;

    bool UsesImages() const;
    // The glyph cell for a state: 3 pressed, 4 hot, 1 up, 2 disabled, as far as the strip has them.
    int GlyphCell(bool IsActive, bool IsDown) const;
    // Glyph or image and caption inside R, shifted by a pixel while pressed. The caller sets the font.
    void Draw(TCanvas* C, const TRect& R, bool IsActive, bool IsDown) const;
};

// The values a button copies from its "button" entry: fonts and state rectangles. Empty state
// rectangles stand in for each other: hot for rest, pressed for hot.
struct TskButtonSkinValues : TskEntryFont {
    TskButtonSkinValues() : TskEntryFont("", 14) {}

    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect, FocusedSkinRect;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool Morphing = false;
    int MorphKind = 0;
    bool ShowFocus = false;

    void Read(const TskDataSkinButtonControl& E, const TRect& SkinRect);
    // The caption colour of a state.
    TColor TextColor(bool Enabled, bool UseSkinFontColor, TColor DefaultColor, bool IsActive, bool IsDown) const;
    // The entry's font (or DefaultFont) on C; the charset of the skin's UI strings when it has them.
    void SelectFont(TCanvas* C, TFont* DefaultFont, bool UseSkinFont, TskSkinData* Skin) const;
    // The animation strip can run (and the skin allows effects).
    bool CanAnimate(TskSkinData* Skin) const;
};

// The hover cross-fade: every 20 ms the factor moves 0.2 toward 1 while Hot() says so, toward 0
// otherwise, and Changed() repaints; at the bound the timer stops on exactly 0 or 1.
class TskButtonMorph {
public:
    TskButtonMorph(std::function<bool()> Hot, std::function<void()> Changed);
    ~TskButtonMorph();
    double Factor() const { return FFactor; }
    void SetFactor(double Value) { FFactor = Value; }
    bool Running() const;
    // A factor strictly between the ends: the picture is a blend.
    bool InBetween() const { return FFactor > 0.0 && FFactor < 1.0; }
    void Start();
    void Stop();

private:
    void Tick();
    std::function<bool()> FHot;
    std::function<void()> FChanged;
    std::unique_ptr<TTimer> FTimer;
    double FFactor = 0.0;
};

// The frame animation of an entry's "animateskinrect": frames 1 to N forward, or back down to 0, one per
// interval, Changed() after each.
class TskButtonAnimation {
public:
    explicit TskButtonAnimation(std::function<void()> Changed);
    ~TskButtonAnimation();
    void Start(bool Forward, unsigned Interval, int FrameCount);
    void Stop();
    // Stopped, at frame 0.
    void Reset();
    bool Running() const;
    bool Forward() const { return FForward; }
    int Frame() const { return FFrame; }
    // Frame n (1-based) of Count equal parts of Strip: side by side when the strip is wider than
    // SkinRect, else stacked.
    static TRect FrameRect(const TRect& Strip, const TRect& SkinRect, int Frame, int Count);

private:
    void Tick();
    std::function<void()> FChanged;
    std::unique_ptr<TTimer> FTimer;
    bool FForward = true;
    int FFrame = 0;
    int FCount = 0;
};

// Auto-repeat while a button is held: the first Click() after 500 ms, then every Interval() ms.
class TskButtonRepeat {
public:
    TskButtonRepeat(std::function<int()> Interval, std::function<void()> Click);
    ~TskButtonRepeat();
    void Start();
    void Stop();
    bool Running() const;

private:
    void Tick();
    std::function<int()> FInterval;
    std::function<void()> FClick;
    std::unique_ptr<TTimer> FTimer;
};
