#pragma once
// An icon: a small picture with a transparency of its own for every pixel (32-bit, alpha), as the
// desktop shows a program's icons. Stored icons are read and written in the icon file format: the
// largest image of the file is taken (pictures of 1, 4, 8, 24 or 32 bits with their transparency mask;
// images stored as PNG are passed over), and one 32-bit image is written.
#include "platform/gfx/TSurface.h"
#include "platform/vcl/TGraphic.h"

class TIcon : public TGraphic {
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    bool Empty() const override { return FPicture.Empty(); }
    int Width() const override { return FPicture.Width(); }
    int Height() const override { return FPicture.Height(); }
    // A new size starts fully transparent.
    void SetWidth(int Value) override { SetSize(Value, Height()); }
    void SetHeight(int Value) override { SetSize(Width(), Value); }
    void SetSize(int AWidth, int AHeight);

    // The picture (pixels 0xAARRGGBB, alpha not premultiplied); empty for an empty icon.
    const TSurface& Picture() const { return FPicture; }
    void SetPicture(const TSurface& Value);
    // A picture without alpha of its own: opaque, but for the pixels of colour Transparent (clNone:
    // none).
    void SetOpaquePicture(const TSurface& Value, TColor Transparent);
    // What the desktop is handed: the picture, or null for an empty icon. Lives as long as the icon's
    // picture does not change.
    const TSurface* Handle() const { return Empty() ? nullptr : &FPicture; }

    // From another icon, or from a bitmap (its transparent colour left out when it is Transparent).
    void Assign(TPersistent* Source) override;
    // Blended over what the canvas shows, scaled into Rect.
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    // EInvalidGraphic when the data is no icon, or holds no image that can be read.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) override;
    // "Data": the icon file itself.
    void DefineProperties(TFiler* Filer) override;

private:
    TSurface FPicture;
};

// The desktop's standard picture for a program without an icon of its own: a plain window, Side pixels
// square.
TSurface StandardApplicationPicture(int Side = 32);
