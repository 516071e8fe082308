#include "platform/vcl/TJPEGImage.h"

#include <cstring>

#include "platform/gfx/Jpeg.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TReader.h"

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::Empty() const { return FData.empty() && (!FBitmap || FBitmap->Empty()); }

int TJPEGImage::Width() const
{
    if (FBitmap) return FBitmap->Width();
    return FData.empty() ? 0 : FWidth;
}

int TJPEGImage::Height() const
{
    if (FBitmap) return FBitmap->Height();
    return FData.empty() ? 0 : FHeight;
}

std::unique_ptr<TBitmap> TJPEGImage::Decoded() const
{
    TSurface decoded;
    DecodeJpeg(reinterpret_cast<const std::uint8_t*>(FData.data()), FData.size(), decoded);
    auto bmp = std::make_unique<TBitmap>(decoded.Width(), decoded.Height());
    bmp->SetPixelFormat(pf24bit);
    for (int y = 0; y < decoded.Height(); ++y) std::memcpy(bmp->ScanLine(y), decoded.ScanLine(y), static_cast<size_t>(decoded.Width()) * 4);
    return bmp;
}

void TJPEGImage::DIBNeeded()
{
    if (FBitmap || FData.empty()) return;
    FBitmap = Decoded();
}

TBitmap* TJPEGImage::Bitmap()
{
    DIBNeeded();
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    return FBitmap.get();
}

void TJPEGImage::Assign(TPersistent* Source)
{
    if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
        if (j == this) return;
        FData = j->FData;
        FWidth = j->FWidth;
        FHeight = j->FHeight;
        FBitmap.reset();
        FShown.reset();
        if (FData.empty() && j->FBitmap) {
            FBitmap = std::make_unique<TBitmap>();
            FBitmap->Assign(j->FBitmap.get());
        }
        FQuality = j->FQuality;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        // Compress now so that saving gives the same bytes every time.
        std::vector<std::uint8_t> bytes = EncodeJpeg(*b->Handle(), FQuality);
        FData.assign(bytes.begin(), bytes.end());
        FWidth = b->Width();
        FHeight = b->Height();
        FBitmap.reset();
        FShown.reset();
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest)
{
    if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
        DIBNeeded();
        if (FBitmap)
            b->Assign(FBitmap.get());
        else
            b->FreeImage();
        return;
    }
    TGraphic::AssignTo(Dest);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (Empty()) return;
    const int w = Rect.Width(), h = Rect.Height();
    // Decoded already (asked for, or drawn at its own size), the picture is drawn from what it holds.
    if (FBitmap || FData.empty() || (w == Width() && h == Height()) || w <= 0 || h <= 0) {
        DIBNeeded();
        FBitmap->Draw(ACanvas, Rect);
        return;
    }
    // A picture drawn at another size keeps only what it shows: a long list of thumbnails would otherwise
    // hold every picture decoded at its full size. The stretch is the one drawing it directly makes (each
    // pixel taken from the same source pixel), so the copy at the drawn size gives the same picture.
    if (!FShown || FShown->Width() != w || FShown->Height() != h) {
        const std::unique_ptr<TBitmap> full = Decoded();
        auto shown = std::make_unique<TBitmap>(w, h);
        shown->SetPixelFormat(pf24bit);
        full->Draw(shown->Canvas(), ::Rect(0, 0, w, h));
        FShown = std::move(shown);
    }
    FShown->Draw(ACanvas, Rect);
}

void TJPEGImage::LoadFromStream(TStream& Stream)
{
    const int64_t size = Stream.Size() - Stream.Position();
    std::string data(static_cast<size_t>(std::max<int64_t>(0, size)), '\0');
    if (!data.empty()) Stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    // Decode at once so that a broken file is reported where it is loaded.
    TSurface probe;
    DecodeJpeg(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), probe);
    FData = std::move(data);
    FWidth = probe.Width();
    FHeight = probe.Height();
    FBitmap.reset();
    FShown.reset();
    Changed();
}

void TJPEGImage::SaveToStream(TStream& Stream)
{
    if (FData.empty() && FBitmap && !FBitmap->Empty()) {
        std::vector<std::uint8_t> bytes = EncodeJpeg(*FBitmap->Handle(), FQuality);
        FData.assign(bytes.begin(), bytes.end());
    }
    if (!FData.empty()) Stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TJPEGImage::DefineProperties(TFiler* Filer)
{
    Filer->DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            const auto size = s.ReadValue<std::int32_t>();
            if (size <= 0 || size > s.Size() - s.Position()) throw EInvalidGraphic("JPEG data is shorter than its stated size");
            TMemoryStream part;
            part.CopyFrom(s, size);
            part.SetPosition(0);
            LoadFromStream(part);
        },
        nullptr, !Empty());
}
