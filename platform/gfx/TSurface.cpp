#include "platform/gfx/TSurface.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

int SaneSide(int v)
{
    v = std::abs(v == INT32_MIN ? INT32_MAX : v);
    return std::min(v, TSurface::MaxSide);
}

}  // namespace

void* TPixelBlock::Allocate(std::size_t bytes) { return ::operator new(bytes, std::align_val_t(Alignment(bytes))); }

// The unsized form: not every compiler offers sized deallocation by default.
void TPixelBlock::Release(void* p, std::size_t bytes) { ::operator delete(p, std::align_val_t(Alignment(bytes))); }

TSurface::TSurface(int width, int height) { SetSize(width, height); }

TSurface& TSurface::operator=(const TSurface& other)
{
    if (this == &other)
        return *this;
    FStore.reset();
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixels.assign(other.FBits, other.FBits + static_cast<std::size_t>(FWidth) * FHeight);
    FBits = FPixels.empty() ? nullptr : FPixels.data();
    return *this;
}

void TSurface::SetSize(int width, int height, TPixel fill)
{
    width = SaneSide(width);
    height = SaneSide(height);
    if (width == 0 || height == 0)
        width = height = 0;
    FWidth = width;
    FHeight = height;
    FStore.reset();
    FPixels.assign(static_cast<std::size_t>(width) * height, fill);
    FBits = FPixels.empty() ? nullptr : FPixels.data();
}

void TSurface::SetSize(int width, int height, std::shared_ptr<TPixelStore> store)
{
    width = SaneSide(width);
    height = SaneSide(height);
    if (!store || width == 0 || height == 0)
        return SetSize(width, height);
    // The own pixels go: a window's picture is the largest thing a program would otherwise keep twice.
    decltype(FPixels)().swap(FPixels);
    FWidth = width;
    FHeight = height;
    FStore = std::move(store);
    FBits = FStore->Pixels();
}

TPixel TSurface::Pixel(int x, int y) const { return Contains(x, y) ? ScanLine(y)[x] : 0; }

void TSurface::SetPixel(int x, int y, TPixel p)
{
    if (Contains(x, y))
        ScanLine(y)[x] = p;
}

void TSurface::Fill(TPixel p) { std::fill_n(FBits, static_cast<std::size_t>(FWidth) * FHeight, p); }

void TSurface::FillRect(const TRect& r, TPixel p)
{
    TRect c;
    if (!IntersectRect(c, r, Bounds()))
        return;
    for (int y = c.Top; y < c.Bottom; ++y)
        std::fill(ScanLine(y) + c.Left, ScanLine(y) + c.Right, p);
}

void TSurface::ReadRgb24(std::uint8_t* dst) const
{
    const int rowBytes = RowBytes24(FWidth);
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* d = dst + static_cast<std::size_t>(y) * rowBytes;
        const TPixel* s = ScanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            d[x * 3] = s[x] & 0xFF;
            d[x * 3 + 1] = (s[x] >> 8) & 0xFF;
            d[x * 3 + 2] = (s[x] >> 16) & 0xFF;
        }
        std::memset(d + FWidth * 3, 0, rowBytes - FWidth * 3);
    }
}

bool GetObject(HBITMAP bitmap, BITMAP& out)
{
    if (!bitmap)
        return false;
    out = BITMAP{};
    out.bmWidth = bitmap->Width();
    out.bmHeight = bitmap->Height();
    out.bmWidthBytes = bitmap->Stride();
    out.bmBits = bitmap->Bits();
    return true;
}
