#include "platform/gfx/TSurface.h"

#include <gtest/gtest.h>

#include <memory>

TEST(TSurfaceTest, NewSurface_IsZeroFilledAndTopDown)
{
    TSurface s(3, 2);
    EXPECT_EQ(s.Width(), 3);
    EXPECT_EQ(s.Height(), 2);
    EXPECT_EQ(s.Stride(), 12);
    EXPECT_EQ(s.Pixel(2, 1), 0u);
    s.SetPixel(1, 1, 0x11223344u);
    EXPECT_EQ(s.Bits()[4], 0x11223344u);
    EXPECT_EQ(s.ScanLine(1)[1], 0x11223344u);
}

TEST(TSurfaceTest, SetSize_NegativeSidesCountByAbsoluteValue_ZeroGivesEmpty)
{
    TSurface s;
    s.SetSize(-3, -4);
    EXPECT_EQ(s.Width(), 3);
    EXPECT_EQ(s.Height(), 4);
    s.SetSize(0, 5);
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(s.Bits(), nullptr);
}

TEST(TSurfaceTest, OutsideAccess_IsHarmless)
{
    TSurface s(2, 2);
    s.SetPixel(2, 0, 1);
    s.SetPixel(-1, 0, 1);
    EXPECT_EQ(s.Pixel(5, 5), 0u);
    s.FillRect(Rect(-10, -10, 1, 1), 7);
    EXPECT_EQ(s.Pixel(0, 0), 7u);
    EXPECT_EQ(s.Pixel(1, 1), 0u);
}

TEST(TSurfaceTest, Rgb24View_DropsAlphaAndPadsRows)
{
    TSurface s(3, 2);
    s.SetPixel(2, 1, 0x80AABBCCu);
    EXPECT_EQ(TSurface::RowBytes24(3), 12);
    std::vector<std::uint8_t> rgb(12 * 2, 0xEE);
    s.ReadRgb24(rgb.data());
    EXPECT_EQ(rgb[12 + 6], 0xCC);
    EXPECT_EQ(rgb[12 + 8], 0xAA);
    EXPECT_EQ(rgb[9], 0);
}

TEST(TSurfaceTest, Move_LeavesSourceEmpty)
{
    TSurface a(2, 2);
    TSurface b = std::move(a);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(a.Width(), 0);
}

namespace {

std::uintptr_t Address(const TPixel* p) { return reinterpret_cast<std::uintptr_t>(p); }

// How far (modulo 4096) row y of b lies behind the same row of a.
std::uintptr_t RowDistance(const TSurface& a, const TSurface& b, int y)
{
    return (Address(b.ScanLine(y)) - Address(a.ScanLine(y))) % 4096;
}

}  // namespace

// A copy between two pictures of one width, at the same place in both, must not have each destination
// row a few bytes past its source row modulo 4096: the C library's copy slows tenfold there. That is what
// the allocator gave when big blocks came back to back from its heap, which is what happens once a large
// picture has been freed.
TEST(TSurfaceTest, Store_HoldsThePixels_CopiesOwnTheirs_ANewSizeLetsGo)
{
    struct TArray : TPixelStore {
        TPixel Data[6] = {1, 2, 3, 4, 5, 6};
        TPixel* Pixels() override { return Data; }
    };
    auto store = std::make_shared<TArray>();
    TSurface s;
    s.SetSize(3, 2, store);
    EXPECT_EQ(s.Store(), store.get());
    EXPECT_EQ(s.Pixel(2, 1), 6u);   // what the store holds, as it is
    s.SetPixel(0, 1, 40);
    EXPECT_EQ(store->Data[3], 40u);

    TSurface copy(s);
    copy.SetPixel(0, 0, 99);
    EXPECT_EQ(copy.Store(), nullptr);
    EXPECT_EQ(copy.Pixel(0, 1), 40u);
    EXPECT_EQ(store->Data[0], 1u);

    const TSurface moved(std::move(s));
    EXPECT_EQ(moved.Store(), store.get());
    EXPECT_TRUE(s.Empty());

    TSurface resized(moved);
    resized.SetSize(3, 2, store);
    resized.SetSize(4, 1);
    EXPECT_EQ(resized.Store(), nullptr);
    EXPECT_EQ(resized.Pixel(3, 0), 0u);
    EXPECT_EQ(store.use_count(), 2);   // here and in the moved surface
}

TEST(TSurfaceTest, LargeSurfaces_RowsOfTwoSurfacesSitWholePagesApart)
{
    { TSurface gone(1920, 1080); }
    TSurface a(1920, 1080), b(1920, 1080), c(1024, 1), d(1024, 1);
    for (int y : {0, 1, 539, 1079})
        EXPECT_EQ(RowDistance(a, b, y), 0u) << "row " << y;
    EXPECT_EQ(RowDistance(c, d, 0), 0u);

    // Resized, copied and assigned pictures keep the property.
    TSurface e;
    e.SetSize(1920, 1080);
    TSurface f = a;
    TSurface g(10, 10);
    g = b;
    for (const TSurface* s : {&e, &f, &g})
        EXPECT_EQ(RowDistance(a, *s, 7), 0u);
}

TEST(TSurfaceTest, SmallSurfaces_StartOnACacheLine)
{
    for (int side : {1, 3, 16, 31}) {
        TSurface s(side, side);
        EXPECT_EQ(Address(s.Bits()) % 64, 0u) << side;
    }
}
