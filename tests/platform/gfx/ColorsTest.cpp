#include "platform/gfx/Colors.h"

#include <gtest/gtest.h>

TEST(ColorsTest, RgbAndItsParts_RoundTrip)
{
    const COLORREF c = RGB(12, 34, 56);
    EXPECT_EQ(c, 0x38220Cu);
    EXPECT_EQ(GetRValue(c), 12);
    EXPECT_EQ(GetGValue(c), 34);
    EXPECT_EQ(GetBValue(c), 56);
}

TEST(ColorsTest, ColorToRGB_PlainColourUnchanged)
{
    EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
    EXPECT_EQ(ColorToRGB(TColor(0x00123456)), 0x123456u);
}

TEST(ColorsTest, ColorToRGB_SystemColoursFromClassicPalette)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(64, 64, 64));
    EXPECT_TRUE(IsSysColor(clMenuText));
    EXPECT_FALSE(IsSysColor(clNavy));
}

TEST(ColorsTest, ColorToRGB_UnknownSystemIndexIsBlack)
{
    EXPECT_EQ(ColorToRGB(SysColor(200)), 0u);
}

TEST(ColorsTest, ColorToPixel_IsOpaqueArgb)
{
    EXPECT_EQ(ColorToPixel(clRed), 0xFFFF0000u);
    EXPECT_EQ(ColorToPixel(clBlue), 0xFF0000FFu);
    EXPECT_EQ(PixelToColor(0x80112233u), RGB(0x11, 0x22, 0x33));
}
