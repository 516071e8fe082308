#include "skin/data/SkinPlatform.h"

#include <gtest/gtest.h>

#include "platform/win/Screen.h"
#include "skin/data/TskBitmap.h"

namespace {

DWORD Version(int major, int minor) { return static_cast<DWORD>(major | minor << 8); }

}  // namespace

TEST(SkinPlatformVersion, TestsFollowTheVersion)
{
    EXPECT_TRUE(IsWin2000OrLater(Version(5, 2)));
    EXPECT_FALSE(IsWinXPOrLater(Version(5, 2)));
    EXPECT_TRUE(IsWinXPOrLater(Version(5, 1)));
    EXPECT_FALSE(IsWinVistaOrLater(Version(5, 1)));
    EXPECT_FALSE(IsWin2000OrLater(Version(4, 10)));
    for (DWORD v : {Version(6, 0), skPlatformVersion}) {
        EXPECT_TRUE(IsWinVistaOrLater(v));
        EXPECT_TRUE(IsWinXPOrLater(v));
        EXPECT_TRUE(IsWin2000OrLater(v));
    }
}

TEST(SkinPlatformProcessor, MultimediaExtensionsOnEveryX86_64AndNowhereElse)
{
#if defined(__x86_64__)
    EXPECT_TRUE(HasMMX());
#elif !defined(__i386__)
    EXPECT_FALSE(HasMMX());
#endif
}

TEST(SkinPlatformScreen, OneMonitorGivesTheScreenArea)
{
    for (bool work : {true, false}) {
        TRect a, b;
        GetScreenArea(work, a);
        GetMonitorWorkArea(0, work, b);
        EXPECT_EQ(a, b);
    }
}

TEST(SkinPlatformLayered, AlphaIsTheRoundedMeanOfTheMask)
{
    TBitmap pic(2, 1), mask(2, 1);
    pic.Handle()->Fill(0xFF102030u);
    mask.Handle()->SetPixel(0, 0, 0xFF010100u);   // mean 2/3 rounds to 1
    mask.Handle()->SetPixel(1, 0, 0xFF0000FFu);   // 85
    TskBitmap out;
    MakeLayeredImage(&pic, &mask, out);
    EXPECT_EQ(out.Pixel(0, 0), 0x01102030u);
    EXPECT_EQ(out.Pixel(1, 0), 0x55102030u);
}

TEST(SkinPlatformLayered, SmallerMaskHidesTheRest_EmptyMaskShowsAll)
{
    TBitmap pic(3, 2), mask(1, 1), none;
    pic.Handle()->Fill(0xFF102030u);
    mask.Handle()->Fill(0xFFFFFFFFu);
    TskBitmap out;
    MakeLayeredImage(&pic, &mask, out);
    EXPECT_EQ(out.Pixel(0, 0), 0xFF102030u);
    EXPECT_EQ(out.Pixel(2, 1), 0x00102030u);
    EXPECT_EQ(out.Pixel(0, 1), 0x00102030u);
    MakeLayeredImage(&pic, &none, out);
    EXPECT_EQ(out.Pixel(2, 1), 0xFF102030u);
    MakeLayeredImage(&pic, nullptr, out);
    EXPECT_EQ(out.Pixel(1, 1), 0xFF102030u);
}
