#include "platform/vcl/TIcon.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gfx/Blits.h"
#include "platform/gfx/Bmp.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TReader.h"

namespace {

constexpr std::size_t DirSize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::size_t InfoSize = 40;
// More than any icon needs; a bigger "icon" is refused before it is read.
constexpr std::int64_t MaxIconBytes = 16 << 20;

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    v[at] = x & 0xFF;
    v[at + 1] = (x >> 8) & 0xFF;
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i) v[at + i] = (x >> (8 * i)) & 0xFF;
}

[[noreturn]] void Fail(const std::string& Why) { throw EInvalidGraphic("Invalid icon: " + Why); }

// One image of an icon file: a BMP without its file header whose height counts two pictures, the
// colours and below them a one-bit mask (1 = transparent).
TSurface DecodeIconImage(const std::uint8_t* Data, std::size_t Size)
{
    if (Size < InfoSize || U32(Data) < InfoSize) Fail("an image header is cut short");
    const std::uint32_t headerSize = U32(Data);
    const int width = static_cast<int>(U32(Data + 4));
    const int doubled = static_cast<int>(U32(Data + 8));
    const std::uint32_t bitCount = U16(Data + 14);
    const int height = doubled / 2;
    if (width <= 0 || height <= 0) Fail("an image has no size");
    // The colours as a BMP file of their own: a file header, the image's header with the true height,
    // the palette and the pixels. The mask that follows is read here.
    std::vector<std::uint8_t> bmp(14 + Size);
    bmp[0] = 'B';
    bmp[1] = 'M';
    std::memcpy(bmp.data() + 14, Data, Size);
    Put32(bmp, 14 + 8, static_cast<std::uint32_t>(height));
    TSurface colours;
    DecodeBmp(bmp.data(), bmp.size(), colours);
    std::uint32_t paletteColours = bitCount <= 8 ? U32(Data + 32) : 0;
    if (bitCount <= 8 && paletteColours == 0) paletteColours = 1u << bitCount;
    const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    const std::size_t maskAt = headerSize + paletteColours * 4 + rowBytes * height;
    const std::size_t maskRow = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    const bool hasMask = maskAt + maskRow * height <= Size;
    bool anyAlpha = false;
    if (bitCount == 32)
        for (int y = 0; y < height && !anyAlpha; ++y)
            for (int x = 0; x < width; ++x) anyAlpha = anyAlpha || (colours.ScanLine(y)[x] >> 24) != 0;
    for (int y = 0; y < height; ++y) {
        TPixel* row = colours.ScanLine(y);
        const std::uint8_t* mask = hasMask ? Data + maskAt + maskRow * static_cast<std::size_t>(height - 1 - y) : nullptr;
        for (int x = 0; x < width; ++x) {
            if (anyAlpha) continue;   // the image's own alpha says it all
            const bool clear = mask && (mask[x / 8] & (0x80 >> (x % 8)));
            row[x] = clear ? 0u : row[x] | 0xFF000000u;
        }
    }
    return colours;
}

} // namespace

void TIcon::SetSize(int AWidth, int AHeight)
{
    AWidth = std::clamp(AWidth, 0, TSurface::MaxSide);
    AHeight = std::clamp(AHeight, 0, TSurface::MaxSide);
    if (AWidth == Width() && AHeight == Height()) return;
    FPicture.SetSize(AWidth, AHeight);
    Changed();
}

void TIcon::SetPicture(const TSurface& Value)
{
    FPicture = Value;
    Changed();
}

void TIcon::SetOpaquePicture(const TSurface& Value, TColor Transparent)
{
    TSurface p = Value;
    const bool keyed = Transparent != clNone;
    const TPixel key = keyed ? ColorToPixel(Transparent) & 0x00FFFFFFu : 0;
    for (int y = 0; y < p.Height(); ++y) {
        TPixel* row = p.ScanLine(y);
        for (int x = 0; x < p.Width(); ++x) row[x] = keyed && (row[x] & 0x00FFFFFFu) == key ? 0u : row[x] | 0xFF000000u;
    }
    SetPicture(p);
}

void TIcon::Assign(TPersistent* Source)
{
    if (auto* icon = dynamic_cast<TIcon*>(Source)) {
        SetPicture(icon->FPicture);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        SetOpaquePicture(*bitmap->Handle(), bitmap->Transparent() && !bitmap->Empty() ? bitmap->TransparentColor() : clNone);
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (ACanvas == nullptr || Empty()) return;
    HDC src = CreateCompatibleDC(nullptr);
    SelectObject(src, const_cast<TSurface*>(&FPicture));
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(ACanvas->Handle(), Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, Width(), Height(), blend);
    DeleteDC(src);
}

void TIcon::LoadFromStream(TStream& Stream)
{
    const std::int64_t available = Stream.Size() - Stream.Position();
    if (available < static_cast<std::int64_t>(DirSize)) Fail("the file is cut short");
    if (available > MaxIconBytes) Fail("the file is too large for an icon");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(available));
    Stream.ReadBuffer(data.data(), available);
    const std::uint8_t* d = data.data();
    if (U16(d) != 0 || (U16(d + 2) != 1 && U16(d + 2) != 2)) Fail("no icon signature");
    const std::size_t count = U16(d + 4);
    if (count == 0 || DirSize + count * EntrySize > data.size()) Fail("the directory is cut short");
    // The largest image, the deepest of equal ones; PNG images are left to others.
    const std::uint8_t* best = nullptr;
    std::size_t bestSize = 0;
    long bestArea = -1;
    std::uint32_t bestBits = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = d + DirSize + i * EntrySize;
        const std::uint32_t size = U32(e + 8), offset = U32(e + 12);
        if (offset > data.size() || size > data.size() - offset || size < 8) continue;
        if (std::memcmp(d + offset, "\x89PNG", 4) == 0) continue;
        const long area = static_cast<long>(e[0] ? e[0] : 256) * (e[1] ? e[1] : 256);
        const std::uint32_t bits = size >= InfoSize ? U16(d + offset + 14) : 0;
        if (area > bestArea || (area == bestArea && bits > bestBits)) {
            best = d + offset;
            bestSize = size;
            bestArea = area;
            bestBits = bits;
        }
    }
    if (best == nullptr) Fail("no image in a format that can be read");
    SetPicture(DecodeIconImage(best, bestSize));
}

void TIcon::SaveToStream(TStream& Stream)
{
    const int w = Width(), h = Height();
    const std::size_t maskRow = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
    const std::size_t image = InfoSize + static_cast<std::size_t>(w) * h * 4 + maskRow * h;
    std::vector<std::uint8_t> v(DirSize + EntrySize + image, 0);
    Put16(v, 2, 1);
    Put16(v, 4, 1);
    v[6] = static_cast<std::uint8_t>(w >= 256 ? 0 : w);
    v[7] = static_cast<std::uint8_t>(h >= 256 ? 0 : h);
    Put16(v, 10, 1);
    Put16(v, 12, 32);
    Put32(v, 14, static_cast<std::uint32_t>(image));
    Put32(v, 18, static_cast<std::uint32_t>(DirSize + EntrySize));
    const std::size_t at = DirSize + EntrySize;
    Put32(v, at, InfoSize);
    Put32(v, at + 4, static_cast<std::uint32_t>(w));
    Put32(v, at + 8, static_cast<std::uint32_t>(2 * h));
    Put16(v, at + 12, 1);
    Put16(v, at + 14, 32);
    const std::size_t pixels = at + InfoSize, mask = pixels + static_cast<std::size_t>(w) * h * 4;
    for (int y = 0; y < h; ++y) {
        const TPixel* row = FPicture.ScanLine(y);
        std::memcpy(v.data() + pixels + static_cast<std::size_t>(h - 1 - y) * w * 4, row, static_cast<std::size_t>(w) * 4);
        for (int x = 0; x < w; ++x)
            if ((row[x] >> 24) == 0) v[mask + static_cast<std::size_t>(h - 1 - y) * maskRow + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    Stream.WriteBuffer(v.data(), static_cast<std::int64_t>(v.size()));
}

void TIcon::DefineProperties(TFiler* Filer)
{
    Filer->DefineBinaryProperty(
        "Data", [this](TStream& s) { LoadFromStream(s); }, [this](TStream& s) { SaveToStream(s); }, !Empty());
}

TSurface StandardApplicationPicture(int Side)
{
    // A window: a dark outline, a blue caption bar across the top, a white client area.
    TSurface p(Side, Side);
    const int m = std::max(1, Side / 16);
    const TRect outer{m, 2 * m, Side - m, Side - 2 * m};
    p.FillRect(outer, 0xFF303030u);
    p.FillRect(TRect{outer.Left + m, outer.Top + m, outer.Right - m, outer.Top + std::max(2, Side / 5)}, 0xFF2050C0u);
    p.FillRect(TRect{outer.Left + m, outer.Top + std::max(2, Side / 5), outer.Right - m, outer.Bottom - m}, 0xFFFFFFFFu);
    return p;
}
