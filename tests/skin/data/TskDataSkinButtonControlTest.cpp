#include "skin/data/TskDataSkinButtonControl.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"
#include "skin/data/SkinIni.h"

TEST(TskDataSkinButtonControlLoad, SectionWithOnlyTheFrameGivesTheMissingValues)
{
    auto ini = EntriesFixture();
    TskDataSkinButtonControl entry("button");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.PictureIndex, 1);
    EXPECT_EQ(entry.ClientRect, Rect(3, 3, 57, 19));
    EXPECT_EQ(entry.FontName, "Arial");
    EXPECT_EQ(entry.FontHeight, 14);
    EXPECT_EQ(entry.FontColor, 0);
    EXPECT_EQ(entry.DownFontColor, 0);
    EXPECT_EQ(entry.ActiveSkinRect, TRect{});
    EXPECT_EQ(entry.FrameCount, 0);
    EXPECT_EQ(entry.AnimateInterval, 25);
    EXPECT_EQ(entry.GlowLayerPictureIndex, -1);
    EXPECT_EQ(entry.GlowLayerMaskPictureIndex, -1);
    EXPECT_EQ(entry.GlowLayerAlphaBlendValue, 255);
    EXPECT_EQ(entry.MorphKind, mkDefault);
}

TEST(TskDataSkinButtonControlCreate, DiffersFromALoadedEntryInFontHeightAndInterval)
{
    TskDataSkinButtonControl entry("b");
    EXPECT_EQ(entry.FontHeight, 12);
    EXPECT_EQ(entry.AnimateInterval, 0);
    EXPECT_EQ(entry.GlowLayerAlphaBlendValue, 255);
}

TEST(TskDataSkinMenuButtonControlLoad, HoldsEveryButtonKeyAndItsDropDownPart)
{
    auto ini = EntriesFixture();
    TskDataSkinMenuButtonControl entry("menubutton");
    entry.LoadFromIni(*ini);
    const TskDataSkinButtonControl& asButton = entry;
    EXPECT_EQ(asButton.FontHeight, 11);
    EXPECT_EQ(asButton.DownFontColor, 255);
    EXPECT_TRUE(asButton.Morphing);
    EXPECT_EQ(asButton.MorphKind, mkPush);
    EXPECT_EQ(asButton.FrameCount, 5);
    EXPECT_EQ(entry.TrackButtonRect, Rect(56, 0, 70, 22));
}

TEST(TskDataSkinCheckRadioControlLoad, DisabledColourComesOnlyFromItsOwnKey)
{
    auto ini = EntriesFixture();
    TskDataSkinCheckRadioControl entry("checkbox");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.UnEnabledFontColor, 8421504);
    EXPECT_EQ(entry.FrameFontColor, 128);
    EXPECT_EQ(entry.FontHeight, 12);
    EXPECT_EQ(entry.CheckImageArea, Rect(0, 2, 12, 14));
    EXPECT_EQ(entry.TextArea, Rect(14, 0, 80, 16));
    EXPECT_EQ(entry.CheckImageRect, Rect(80, 484, 92, 496));
    EXPECT_EQ(entry.ActiveGrayedCheckImageRect, Rect(92, 484, 104, 496));
    EXPECT_EQ(entry.UncheckImageRect, TRect{});
}
