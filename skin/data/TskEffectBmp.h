#pragma once
// TskEffectBmp: a 24-bit top-down copy of a picture on which whole-picture effects are computed: the
// transitions played when a skinned button, caption button or menu item changes state, and the looks of
// an inactive window. Pixels are 3 bytes (blue, green, red); row y starts at Bits() + y * RowInc().
// Channels stay integers 0..255: each computed channel is rounded to the nearest integer (ties to even)
// and clamped.
//
// The unit also holds the glowing and reflected caption text, drawn with TskBitmap, and the blur they use.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/TDeviceContext.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/TCanvas.h"

class TskBitmap;

class TskEffectBmp {
public:
    // A copy of the picture (its size and pixels; alpha is dropped).
    explicit TskEffectBmp(HBITMAP Handle);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Bytes from one row to the next: 3 x Width padded to a multiple of 4.
    int RowInc() const { return FRowInc; }
    int Size() const { return FRowInc * FHeight; }
    std::uint8_t* Bits() { return FBits.data(); }
    std::uint8_t* RowPtr(int Y) { return FBits.data() + static_cast<std::size_t>(Y) * FRowInc; }
    const std::uint8_t* RowPtr(int Y) const { return FBits.data() + static_cast<std::size_t>(Y) * FRowInc; }
    // Copies row Y (3 x Width bytes) out of or into Buffer.
    void GetRow(int Y, std::uint8_t* Buffer) const;
    void SetRow(int Y, const std::uint8_t* Buffer);
    // The pixel's colour as 0x00RRGGBB (0 outside the picture).
    std::uint32_t Pixel(int X, int Y) const;

    // The whole picture with its top-left corner at (X, Y), opaque.
    void DrawToDC(HDC DC, int X, int Y);

    // Transitions towards Other with a factor k in 0..1 (a factor outside is clamped, not-a-number counts
    // as 0). Each does nothing unless Other has the same size.
    void Morph(const TskEffectBmp& Other, double k);
    void MorphGrad(const TskEffectBmp& Other, double k);
    void MorphLeftGrad(const TskEffectBmp& Other, double k);
    void MorphRightGrad(const TskEffectBmp& Other, double k);
    void MorphPush(const TskEffectBmp& Other, double k);
    void MorphLeftSlide(const TskEffectBmp& Other, double k);
    void MorphRightSlide(const TskEffectBmp& Other, double k);
    // Morph inside R only, taking Other's pixels from (OtherX, OtherY) on. Only the part of R inside this
    // picture whose counterpart lies inside Other changes.
    void MorphRect(const TskEffectBmp& Other, const TRect& R, double k, int OtherX, int OtherY);

    // Inactive-window looks.
    void ChangeBrightness(double k);
    void ChangeDarkness(double k);
    void Grayscale();
    void Invert();
    void SplitBlur(int n);
    void AddNoise(int n);

private:
    bool SameSize(const TskEffectBmp& Other) const { return Other.FWidth == FWidth && Other.FHeight == FHeight; }
    void GradColumns(const TskEffectBmp& Other, int From, int To, double Step);
    void GradRows(const TskEffectBmp& Other, int From, int To, double Step);

    int FWidth = 0;
    int FHeight = 0;
    int FRowInc = 0;
    std::vector<std::uint8_t> FBits;
};

// The run-time library's generator used by AddNoise: seed := seed * 134775813 + 1 (mod 2^32), the result
// the high 32 bits of seed * n. The seed is the only state the effects keep.
int SkinRandom(int n);
void SetSkinRandSeed(std::uint32_t Seed);

// Stack blur of red, green and blue with triangular weights (radius r: window 2r + 1, weight r + 1 - |i|,
// coordinates held inside the picture), rows then columns; the result is opaque. Nothing for r < 1.
void BoxBlur32(TskBitmap* B, int Radius);
// Alpha of every pixel of Dst := mean of red, green and blue of Mask's pixel at the same place (truncated);
// pixels outside Mask keep their alpha.
void AlphaFromMask(TskBitmap* Dst, TskBitmap* Mask);

// Caption text with a glow of GlowColor GlowSize pixels wide around it, moved by Offset.
void DrawGlowText(TCanvas* Canvas, const TRect& R, const std::string& Text, UINT Flags, int Offset, TColor GlowColor,
    int GlowSize);
// Caption text with its mirror image fading below it, in ReflectionColor.
void DrawReflectionText(TCanvas* Canvas, const TRect& R, const std::string& Text, UINT Flags, int Offset,
    TColor ReflectionColor);
