#pragma once
// What the skinned buttons share of their look: the default colours of the hot and pressed faces, the
// cross-fade between two state pictures by the entry's "morphkind", and the timing of hover fades and
// auto-repeat.
#include "platform/gfx/Colors.h"
#include "platform/vcl/TCanvas.h"

class TskEffectBmp;

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
