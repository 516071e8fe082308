#pragma once
// TskBitmap: the skin's own 32-bit picture, with its own memory device context and canvas, whose pixels
// are read and written directly. Pixels are 0xAARRGGBB (bytes blue, green, red, alpha), rows top-down,
// Width() pixels a row with no filler. It is drawn opaque, with its per-pixel alpha (AlphaBlend) or
// leaving out the key colour red 127, green 0, blue 127 (Transparent).
//
// The pixel routines below are plain portable loops. Blending has two formulas, one for processors with
// the multimedia extensions and one for the others (see BlendLine); the choice is made once.
#include <memory>
#include <string>

#include "platform/gfx/TDeviceContext.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TComponent.h"

// Lower 24 bits of the key colour (as a pixel and as a COLORREF alike).
constexpr TPixel skKeyColor = 0x7F007F;

class TskBitmap : public TPersistent {
public:
    TskBitmap();
    ~TskBitmap() override;
    TskBitmap(const TskBitmap&) = delete;
    TskBitmap& operator=(const TskBitmap&) = delete;

    // Gives the bitmap |W| x |H| pixels, all zero (transparent black). Nothing happens when either side is
    // 0 or the size is already that; otherwise the old pixels are lost. Raises Exception when the picture
    // cannot be made.
    void AllocateDib(int W, int H);
    bool Empty() const { return FSurface == nullptr; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Null when the bitmap has no pixels.
    TPixel* Bits();
    const TPixel* Bits() const;
    TPixel* ScanLine(int Y) { return Bits() + static_cast<std::size_t>(Y) * FWidth; }
    TPixel* PixelPtr(int X, int Y) { return ScanLine(Y) + X; }
    // Stores a pixel inside the picture; anywhere else does nothing.
    void SetPixel(int X, int Y, TPixel Value);
    TPixel Pixel(int X, int Y) const;

    HDC DC() const { return FDC; }
    HBITMAP Handle() const { return FSurface.get(); }
    // Made on first use; it survives a change of size.
    TCanvas* Canvas();

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }

    void ResetAlpha(BYTE A);
    // AlphaBlend := some pixel has an alpha from 1 to 254.
    void CheckAlpha();

    // Draws the whole bitmap with its top-left corner at (X, Y).
    void DrawTo(HDC DC, int X, int Y);
    void DrawTo(TCanvas* Canvas, int X, int Y);
    // Draws SrcRect of the bitmap into DstRect of the DC (logical coordinates), stretching when the sizes
    // differ. The DC's whole mapping (window and viewport origins) and its clip apply.
    void DrawTo(HDC DC, const TRect& DstRect, const TRect& SrcRect);

    // From a TskBitmap, a TBitmap, a TPicture or any TGraphic. An empty source makes this bitmap empty.
    void Assign(TPersistent* Source) override;

    // The registered bitmap whose DC is `DC`, or null.
    static TskBitmap* FromDC(HDC DC);

protected:
    // Into a TPicture or a TBitmap (32-bit, drawn by the rules of DrawTo).
    void AssignTo(TPersistent* Dest) override;

private:
    void FreeDib();
    void AssignGraphic(class TGraphic* Graphic);

    std::unique_ptr<TSurface> FSurface;
    HDC FDC = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
    int FWidth = 0;
    int FHeight = 0;
    std::string FName;
    bool FAlphaBlend = false;
    bool FTransparent = false;
};

// A VCL colour (0x00BBGGRR, system colours resolved) as an opaque pixel 0xFFRRGGBB.
TPixel Color32(TColor Color);
int DisplayBitsPerPixel();
bool IsTrueColorDisplay();

// Line routines (Count pixels; nothing for Count < 1).
// BlendLine blends each source pixel F of alpha a over B: a = 0 leaves B, a = 255 gives F, any other alpha
// takes the formula chosen for the processor: BlendLineMMX where HasMMX holds, else BlendLinePlain.
// (The division by 256 of both is kept on purpose: stored pictures were made with it.)
void BlendLine(const TPixel* Src, TPixel* Dst, int Count);
// Red, green and blue are (f * a + b * (255 - a)) div 256; the result is opaque.
void BlendLinePlain(const TPixel* Src, TPixel* Dst, int Count);
// All four channels, alpha included, are (f * a + b * (256 - a)) div 256, as the 16-bit lanes of the
// multimedia extensions compute b + ((f - b) * a) div 256.
void BlendLineMMX(const TPixel* Src, TPixel* Dst, int Count);
using TskBlendLineProc = void (*)(const TPixel* Src, TPixel* Dst, int Count);
// The formula for a processor with (true) or without the multimedia extensions.
TskBlendLineProc SelectBlendLine(bool MMX);
// Pixels whose lower 24 bits are the key colour are skipped; the others are copied with alpha 255.
void TransparentLine(const TPixel* Src, TPixel* Dst, int Count);
void MoveLongs(const TPixel* Src, TPixel* Dst, int Count);
void SetAlphaLine(TPixel* Dst, BYTE A, int Count);

// How a transfer between two pictures treats the source pixels.
enum class TskTransferMode { Copy, Transparent, Blend };
// Transfers SrcRect of the source picture into DstRect of the destination picture, only inside ClipRect
// (destination pixels). Equal sizes copy row by row; other sizes map pixels nearest-neighbour with the
// ends of both rectangles matched. Nothing is drawn when SrcRect is empty or reaches outside the source.
void SkinTransfer(TPixel* DstBits, int DstW, int DstH, const TRect& DstRect, const TRect& ClipRect,
    const TPixel* SrcBits, int SrcW, int SrcH, const TRect& SrcRect, TskTransferMode Mode);
