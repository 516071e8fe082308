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
    if (Empty()) return 0;
    const_cast<TJPEGImage*>(this)->DIBNeeded();
    return FBitmap->Width();
}

int TJPEGImage::Height() const
{
    if (Empty()) return 0;
    const_cast<TJPEGImage*>(this)->DIBNeeded();
    return FBitmap->Height();
}

void TJPEGImage::DIBNeeded()
{
    if (FBitmap || FData.empty()) return;
    TSurface decoded;
    DecodeJpeg(reinterpret_cast<const std::uint8_t*>(FData.data()), FData.size(), decoded);
    auto bmp = std::make_unique<TBitmap>(decoded.Width(), decoded.Height());
    bmp->SetPixelFormat(pf24bit);
    for (int y = 0; y < decoded.Height(); ++y) std::memcpy(bmp->ScanLine(y), decoded.ScanLine(y), static_cast<size_t>(decoded.Width()) * 4);
    FBitmap = std::move(bmp);
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
        FBitmap.reset();
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
        FBitmap.reset();
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
    DIBNeeded();
    FBitmap->Draw(ACanvas, Rect);
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
    FBitmap.reset();
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
