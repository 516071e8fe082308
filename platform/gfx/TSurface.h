#pragma once
// A 32-bit picture in memory: pixels BGRA (0xAARRGGBB as a 32-bit value), rows top-down, Stride() bytes
// from one row to the next. It is the bitmap object of the graphics layer (HBITMAP); device contexts draw
// into it, and window, canvas and skin code reach its pixels directly.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "platform/gfx/Colors.h"
#include "platform/gfx/GdiObjects.h"
#include "platform/rtl/Types.h"

// Where pixel blocks live. A block of a page or more starts on a page boundary, a smaller one on a cache
// line. With every large picture at the same place within a page, a row copied to the same column of
// another picture of the same width sits a whole number of pages from its source: the C library's copy
// then never reads just behind what it has written modulo 4096 (4K aliasing), which could cost a copy
// nine tenths of its speed when the allocator happened to place two pictures 16 bytes apart.
struct TPixelBlock {
    static constexpr std::size_t PageBytes = 4096;
    static constexpr std::size_t LineBytes = 64;
    static std::size_t Alignment(std::size_t bytes) { return bytes >= PageBytes ? PageBytes : LineBytes; }
    static void* Allocate(std::size_t bytes);
    static void Release(void* p, std::size_t bytes);
};

template <class T>
struct TPixelAllocator {
    using value_type = T;
    TPixelAllocator() = default;
    template <class U>
    TPixelAllocator(const TPixelAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(TPixelBlock::Allocate(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { TPixelBlock::Release(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const TPixelAllocator<U>&) const noexcept { return true; }
};

// Pixel memory a surface may keep instead of its own: a window's picture that the display reads where it
// lies, so that showing it copies nothing on our side. It holds at least as many pixels as the surface
// given it, rows without filler, and lives as long as any surface that keeps it.
class TPixelStore {
public:
    virtual ~TPixelStore() = default;
    virtual TPixel* Pixels() = 0;
};

class TSurface : public TGdiObject {
public:
    // Sides above this are refused (picture files and SetSize alike).
    static constexpr int MaxSide = 32767;

    TSurface() = default;
    // A surface of |width| x |height|, pixels zero (transparent black). Sizes above MaxSide are clamped.
    TSurface(int width, int height);
    // Copies and moves take the pixels; a surface selected into a DC stays where it is and keeps its
    // selections.
    // A copy has pixels of its own, also of a surface that keeps a store.
    TSurface(const TSurface& other) : TGdiObject() { *this = other; }
    TSurface(TSurface&& other) noexcept : TGdiObject() { *this = std::move(other); }
    TSurface& operator=(const TSurface& other);
    // The surface moved from is left empty.
    TSurface& operator=(TSurface&& other) noexcept
    {
        if (this != &other) {
            FWidth = std::exchange(other.FWidth, 0);
            FHeight = std::exchange(other.FHeight, 0);
            FPixels = std::move(other.FPixels);
            other.FPixels.clear();
            FStore = std::move(other.FStore);
            FBits = std::exchange(other.FBits, nullptr);
        }
        return *this;
    }
    TGdiKind Kind() const override { return TGdiKind::Bitmap; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Stride() const { return FWidth * 4; }   // bytes per row; rows have no filler
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    TRect Bounds() const { return {0, 0, FWidth, FHeight}; }

    // Changes the size; the old pixels are lost and the new ones are `fill` (zero: transparent black).
    // Negative sides count by their absolute value; a side of 0 gives an empty surface.
    void SetSize(int width, int height, TPixel fill = 0);
    // As SetSize, but the pixels are those of `store` (null: as SetSize), as they are there; the surface
    // keeps the store until its size changes again.
    void SetSize(int width, int height, std::shared_ptr<TPixelStore> store);
    const TPixelStore* Store() const { return FStore.get(); }

    TPixel* Bits() { return FBits; }
    const TPixel* Bits() const { return FBits; }
    TPixel* ScanLine(int y) { return FBits + static_cast<std::size_t>(y) * FWidth; }
    const TPixel* ScanLine(int y) const { return FBits + static_cast<std::size_t>(y) * FWidth; }

    // Checked access: outside the surface Pixel gives 0 and SetPixel does nothing.
    TPixel Pixel(int x, int y) const;
    void SetPixel(int x, int y, TPixel p);
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }

    void Fill(TPixel p);
    void FillRect(const TRect& r, TPixel p);   // clipped to the surface

    // 24-bit views (3 bytes B, G, R per pixel, rows padded to 4 bytes, top-down) for code that keeps its
    // own 24-bit copy of a picture. ReadRgb24 writes RowBytes24(Width()) * Height() bytes.
    static int RowBytes24(int width) { return (width * 3 + 3) & ~3; }
    void ReadRgb24(std::uint8_t* dst) const;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<TPixel, TPixelAllocator<TPixel>> FPixels;
    std::shared_ptr<TPixelStore> FStore;
    TPixel* FBits = nullptr;   // the first pixel, in FPixels or the store; null when empty
};

using HBITMAP = TSurface*;

// The bitmap description GetObject returns.
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
    void* bmBits = nullptr;
};
bool GetObject(HBITMAP bitmap, BITMAP& out);
