#include "platform/vcl/TBitmap.h"

#include <cstring>

#include "platform/gfx/Blits.h"
#include "platform/gfx/Bmp.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TReader.h"

namespace {

// The canvas of a bitmap: a memory DC with the bitmap's surface selected, made on first use and
// let go whenever the surface changes size.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TSurface* Surface) : FSurface(Surface) {}
    ~TBitmapCanvas() override { FreeContext(); }
    void FreeContext()
    {
        if (!HandleAllocated()) return;
        HDC dc = Handle();
        SetHandle(nullptr);
        DeleteDC(dc);
    }

protected:
    void CreateHandle() override
    {
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, FSurface);
        SetHandle(dc);
    }

private:
    TSurface* FSurface;
};

} // namespace

TBitmap::TBitmap() : FSurface(std::make_unique<TSurface>()) {}

TBitmap::TBitmap(int AWidth, int AHeight) : TBitmap() { SetSize(AWidth, AHeight); }

TBitmap::~TBitmap()
{
    FCanvas.reset(); // the DC goes before the surface it has selected
}

bool TBitmap::Empty() const { return FSurface->Empty(); }

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(FSurface.get());
        FCanvas->OnChange = [this](TObject*) { Changed(); };
    }
    return FCanvas.get();
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(0, std::min(AWidth, TSurface::MaxSide));
    AHeight = std::max(0, std::min(AHeight, TSurface::MaxSide));
    if (AWidth == Width() && AHeight == Height()) return;
    if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeContext();
    // The old pixels move aside without a copy; the surface object itself stays, as callers hold it.
    const TSurface old(std::move(*FSurface));
    FSurface->SetSize(AWidth, AHeight, 0xFFFFFFFFu);
    // A side of 0 empties the whole picture: there are no rows to copy into then.
    const int w = std::min(old.Width(), FSurface->Width());
    const int h = w > 0 ? std::min(old.Height(), FSurface->Height()) : 0;
    for (int y = 0; y < h; ++y) std::memcpy(FSurface->ScanLine(y), old.ScanLine(y), static_cast<size_t>(w) * 4);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (Value == FPixelFormat) return;
    FPixelFormat = Value;
    Changed();
}

TPixel* TBitmap::ScanLine(int Row)
{
    if (Row < 0 || Row >= Height()) throw EInvalidGraphic("Scan line index out of range");
    return FSurface->ScanLine(Row);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    return static_cast<TColor>(PixelToColor(FSurface->Pixel(0, Height() - 1)));
}

void TBitmap::SetTransparentColor(TColor Value)
{
    if (Value == FTransparentColor && FTransparentMode == tmFixed) return;
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == FTransparentMode) return;
    FTransparentMode = Value;
    if (Value == tmAuto) FTransparentColor = clDefault;
    Changed();
}

void TBitmap::Assign(TPersistent* Source)
{
    auto* b = dynamic_cast<TBitmap*>(Source);
    if (Source == nullptr) {
        FreeImage();
        return;
    }
    if (b == nullptr) {
        TGraphic::Assign(Source);
        return;
    }
    if (b == this) return;
    if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeContext();
    FSurface->SetSize(b->Width(), b->Height());
    if (!b->Empty()) std::memcpy(FSurface->Bits(), b->FSurface->Bits(), static_cast<size_t>(b->FSurface->Stride()) * b->Height());
    FPixelFormat = b->FPixelFormat;
    FTransparentMode = b->FTransparentMode;
    FTransparentColor = b->FTransparentColor;
    TGraphic::SetTransparent(b->Transparent());
    Changed();
}

void TBitmap::FreeImage()
{
    if (Empty()) return;
    if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeContext();
    FSurface->SetSize(0, 0);
    Changed();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (Empty() || ACanvas == nullptr) return;
    HDC dst = ACanvas->Handle();
    HDC src = Canvas()->Handle();
    if (Transparent())
        TransparentBlt(dst, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, Width(), Height(), ColorToRGB(TransparentColor()));
    else if (Rect.Width() == Width() && Rect.Height() == Height())
        BitBlt(dst, Rect.Left, Rect.Top, Width(), Height(), src, 0, 0, ACanvas->CopyMode());
    else
        StretchBlt(dst, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, Width(), Height(), ACanvas->CopyMode());
}

void TBitmap::LoadFromStream(TStream& Stream)
{
    TSurface loaded;
    LoadBmpFromStream(Stream, loaded);
    if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeContext();
    // The decoded pixels are taken over, not copied: skins load large pictures at start-up.
    *FSurface = std::move(loaded);
    if (FPixelFormat == pfDevice) FPixelFormat = pf24bit;
    Changed();
}

void TBitmap::SaveToStream(TStream& Stream) { SaveBmpToStream(Stream, *FSurface, FPixelFormat == pf32bit ? 32 : 24); }

void TBitmap::DefineProperties(TFiler* Filer)
{
    // Stored as the size of a BMP file followed by the file.
    Filer->DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            const auto size = s.ReadValue<std::int32_t>();
            if (size <= 0) {
                FreeImage();
                return;
            }
            if (size > s.Size() - s.Position()) throw EInvalidGraphic("Bitmap data is shorter than its stated size");
            LoadFromStream(s);
        },
        nullptr, !Empty());
}

void TBitmap::Changed() { TGraphic::Changed(); }
