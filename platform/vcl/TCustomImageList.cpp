#include "platform/vcl/TCustomImageList.h"

#include "platform/gfx/Blits.h"
#include "platform/gfx/Drawing.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TIcon.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}
TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Changed()
{
    if (OnChange) OnChange(this);
}

void TCustomImageList::SetWidth(int Value)
{
    if (Value == FWidth || Value < 1) return;
    FWidth = Value;
    Clear(); // pictures of the old size do not fit any more
}

void TCustomImageList::SetHeight(int Value)
{
    if (Value == FHeight || Value < 1) return;
    FHeight = Value;
    Clear();
}

void TCustomImageList::SetBkColor(TColor Value)
{
    if (Value == FBkColor) return;
    FBkColor = Value;
    Changed();
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    const int first = Count();
    if (Image == nullptr || Image->Empty()) return -1;
    const int cells = std::max(1, Image->Width() / FWidth);
    for (int i = 0; i < cells; ++i) {
        TImage img;
        img.Picture = std::make_unique<TBitmap>(FWidth, FHeight);
        img.Picture->Canvas()->CopyRect(Rect(0, 0, FWidth, FHeight), Image->Canvas(), Bounds(i * FWidth, 0, FWidth, FHeight));
        if (Mask != nullptr && !Mask->Empty()) {
            // White mask pixels are transparent: paint them in a key colour the picture does not use.
            img.HasKey = true;
            img.Key = 0x00FF00FE;
            for (int y = 0; y < FHeight && y < Mask->Height(); ++y)
                for (int x = 0; x < FWidth && i * FWidth + x < Mask->Width(); ++x)
                    if ((Mask->ScanLine(y)[i * FWidth + x] & 0x00FFFFFF) == 0x00FFFFFF) img.Picture->ScanLine(y)[x] = ColorToPixel(img.Key);
        }
        FImages.push_back(std::move(img));
    }
    Changed();
    return first;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (Image == nullptr || Image->Empty()) return -1;
    const int first = Add(Image, nullptr);
    const TColor key = MaskColor == clDefault ? Image->TransparentColor() : MaskColor;
    for (int i = first; i < Count(); ++i) {
        FImages[static_cast<size_t>(i)].HasKey = true;
        FImages[static_cast<size_t>(i)].Key = key;
    }
    return first;
}

void TCustomImageList::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FImages.erase(FImages.begin() + Index);
    Changed();
}

void TCustomImageList::Clear()
{
    if (FImages.empty()) return;
    FImages.clear();
    Changed();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    if (Canvas == nullptr || Index < 0 || Index >= Count()) return;
    TImage& img = FImages[static_cast<size_t>(Index)];
    HDC dst = Canvas->Handle();
    HDC src = img.Picture->Canvas()->Handle();
    const bool keyed = img.HasKey && FMasked;
    if (FBkColor != clNone && FBkColor != clDefault) {
        HBRUSH b = CreateSolidBrush(ColorToRGB(FBkColor));
        TRect r = Bounds(X, Y, FWidth, FHeight);
        FillRect(dst, r, b);
        DeleteObject(b);
    }
    if (Enabled) {
        if (keyed)
            TransparentBlt(dst, X, Y, FWidth, FHeight, src, 0, 0, FWidth, FHeight, ColorToRGB(img.Key));
        else
            BitBlt(dst, X, Y, FWidth, FHeight, src, 0, 0, SRCCOPY);
        return;
    }
    // Disabled: the picture's shape, in highlight one pixel down and right and in shadow on top.
    const TPixel keyPixel = ColorToPixel(img.Key) & 0x00FFFFFF;
    for (int pass = 0; pass < 2; ++pass) {
        const COLORREF c = ColorToRGB(pass == 0 ? clBtnHighlight : clBtnShadow);
        const int off = pass == 0 ? 1 : 0;
        for (int y = 0; y < FHeight; ++y) {
            const TPixel* row = img.Picture->ScanLine(y);
            for (int x = 0; x < FWidth; ++x) {
                const TPixel p = row[x] & 0x00FFFFFF;
                if (keyed && p == keyPixel) continue;
                // Light pixels stay out of the shape, as the embossed look has it.
                const int lum = static_cast<int>(((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
                if (lum >= 192) continue;
                ::SetPixel(dst, X + x + off, Y + y + off, c);
            }
        }
    }
}

void TCustomImageList::GetIcon(int Index, TIcon* Image)
{
    if (Image == nullptr || Index < 0 || Index >= Count()) return;
    const TImage& img = FImages[static_cast<size_t>(Index)];
    Image->SetOpaquePicture(*img.Picture->Handle(), img.HasKey && FMasked ? img.Key : clNone);
}

void TCustomImageList::DefineProperties(TFiler* Filer)
{
    // The stored picture strip of the original image list is in the window system's own format,
    // which nothing here reads; it is accepted and left out, and code adds pictures at run time.
    Filer->DefineBinaryProperty("Bitmap", [](TStream&) {}, nullptr, false);
}

void RegisterImageListClasses()
{
    static const bool done = [] {
        RegisterComponentClasses();
        RegisterClass<TCustomImageList, TComponent>("TCustomImageList")
            .Prop("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor, clNone)
            .Prop("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight, 16)
            .Prop("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth, 16)
            .Prop("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked, true)
            .Event("OnChange", &TCustomImageList::OnChange)
            .Ignored({"AllocBy", "BlendColor", "DrawingStyle", "ImageType", "ShareImages"});
        RegisterClass<TImageList, TCustomImageList>("TImageList");
        return true;
    }();
    (void)done;
}
