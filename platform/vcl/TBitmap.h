#pragma once
// A picture in memory: a 32-bit surface of the graphics layer (pixels BGRA, 0xAARRGGBB as a 32-bit
// value) with a canvas to draw on it. PixelFormat is kept for the callers' sake and decides only
// how the picture is saved (24 bits unless pf32bit); ScanLine always gives 32-bit pixels.
#include <memory>

#include "platform/gfx/EInvalidGraphic.h"
#include "platform/gfx/TSurface.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TGraphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int AWidth, int AHeight);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    bool Empty() const override;
    int Width() const override { return FSurface->Width(); }
    int Height() const override { return FSurface->Height(); }
    // New areas are white; what was there stays at the top left.
    void SetWidth(int Value) override { SetSize(Value, Height()); }
    void SetHeight(int Value) override { SetSize(Width(), Value); }
    void SetSize(int AWidth, int AHeight);

    TCanvas* Canvas();
    // The surface itself; it lives as long as the bitmap.
    HBITMAP Handle() const { return FSurface.get(); }
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    // Row Row's 32-bit pixels; raises EInvalidGraphic outside the picture.
    TPixel* ScanLine(int Row);

    // The colour left out when drawing transparently: the bottom-left pixel in tmAuto.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) override;
    void DefineProperties(TFiler* Filer) override;
    // Makes the bitmap empty (0 x 0).
    void FreeImage();

protected:
    void Changed() override;

private:
    std::unique_ptr<TSurface> FSurface;
    std::unique_ptr<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
};
