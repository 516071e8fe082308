#include "platform/gfx/TSurface.h"

#include <gtest/gtest.h>

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

TEST(TSurfaceTest, Rgb24View_RoundTripsAndPadsRows)
{
    TSurface s(3, 2);
    s.SetPixel(2, 1, 0x80AABBCCu);
    EXPECT_EQ(TSurface::RowBytes24(3), 12);
    std::vector<std::uint8_t> rgb(12 * 2, 0xEE);
    s.ReadRgb24(rgb.data());
    EXPECT_EQ(rgb[12 + 6], 0xCC);
    EXPECT_EQ(rgb[12 + 8], 0xAA);
    EXPECT_EQ(rgb[9], 0);
    TSurface t(3, 2);
    t.WriteRgb24(rgb.data());
    EXPECT_EQ(t.Pixel(2, 1), 0xFFAABBCCu);
}

TEST(TSurfaceTest, Move_LeavesSourceEmpty)
{
    TSurface a(2, 2);
    TSurface b = std::move(a);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(a.Width(), 0);
}
