#include "skin/data/TskDataSkinScrollBarControl.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"

TEST(TskDataSkinScrollBarControlLoad, TransparentColoursAreZeroWhenMissing)
{
    TskDataSkinScrollBarControl created("s");
    EXPECT_EQ(created.ThumbTransparentColor, 16711935);
    EXPECT_EQ(created.GlyphTransparentColor, 16711935);
    auto entry = LoadedEntry<TskDataSkinScrollBarControl>("s", "[s]\n");
    EXPECT_EQ(entry->ThumbTransparentColor, 0);
    EXPECT_EQ(entry->GlyphTransparentColor, 0);
}

TEST(TskDataSkinScrollBarControlLoad, ProjectSkinPutsTheIncreasingButtonAtTheFarEnd)
{
    // The up button increases the position, so it must stand at the bottom of a vertical bar and at
    // the right of a horizontal one; the button at the top or left end scrolls back.
    auto ini = EntriesFixture();
    TskDataSkinScrollBarControl vertical("vscrollbar");
    vertical.LoadFromIni(*ini);
    EXPECT_GT(vertical.UpButtonRect.Top, vertical.DownButtonRect.Top);
    EXPECT_EQ(vertical.TrackArea, Rect(0, 16, 16, 64));
    EXPECT_EQ(vertical.ThumbOffset1, 3);
    EXPECT_TRUE(vertical.ThumbTransparent);
    EXPECT_EQ(vertical.ThumbMinSize, 8);
    EXPECT_EQ(vertical.GlyphRect, Rect(32, 220, 40, 228));

    TskDataSkinScrollBarControl horizontal("hscrollbar");
    horizontal.LoadFromIni(*ini);
    EXPECT_GT(horizontal.UpButtonRect.Left, horizontal.DownButtonRect.Left);
}

TEST(TskDataSkinUpDownControlLoad, HasNoFrameWhateverTheSectionHolds)
{
    auto ini = EntriesFixture();
    TskDataSkinUpDownControl entry("updown");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.ClientRect, TRect{});
    EXPECT_EQ(entry.LeftTopPoint, TPoint{});
    EXPECT_EQ(entry.RightBottomPoint, TPoint{});
    EXPECT_EQ(entry.SkinRect, Rect(0, 320, 16, 340));
    EXPECT_EQ(entry.DownButtonRect, Rect(0, 10, 16, 20));
}

TEST(TskDataSkinUpDownControlSave, WritesTheFrameAsZeros)
{
    TskDataSkinUpDownControl entry("u");
    entry.ClientRect = Rect(1, 1, 5, 5);
    entry.LeftTopPoint = Point(2, 2);
    TMemIniFile ini;
    entry.SaveToIni(ini);
    EXPECT_EQ(ini.ReadString("u", "clientrect", ""), "0,0,0,0");
    EXPECT_EQ(ini.ReadString("u", "lefttoppoint", ""), "0,0");
}

TEST(TskDataSkinSliderLoad, ReadsRulersAndColours)
{
    auto ini = EntriesFixture();
    TskDataSkinSlider entry("slider");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.HThumbRect, Rect(100, 340, 110, 356));
    EXPECT_EQ(entry.EdgeSize, 4);
    EXPECT_EQ(entry.PointsColor, 255);
    EXPECT_EQ(entry.BGColor, 0);
}

TEST(TskDataSkinBevelLoad, ReadsItsTwoColours)
{
    auto entry = LoadedEntry<TskDataSkinBevel>("b", "[b]\nlightcolor=16777215\n");
    EXPECT_EQ(entry->LightColor, 16777215);
    EXPECT_EQ(entry->DarkColor, 0);
}

TEST(TskDataSkinFrameControlLoad, FrameCountBelowOneReadsAsOne)
{
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameGauge>("f", "[f]\nframescount=0\n")->FramesCount, 1);
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameGauge>("f", "[f]\nframescount=-5\n")->FramesCount, 1);
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameGauge>("f", "[f]\n")->FramesCount, 1);
    EXPECT_EQ(LoadedEntry<TskDataSkinAnimateControl>("f", "[f]\nframescount=4\n")->FramesCount, 4);
}

TEST(TskDataSkinFrameControlLoad, OnlyTheExactHorizontalWordPlacesFramesSideBySide)
{
    EXPECT_EQ(LoadedEntry<TskDataSkinSwitchControl>("f", "[f]\n")->FramesPlacement, fpHorizontal);
    EXPECT_EQ(LoadedEntry<TskDataSkinSwitchControl>("f", "[f]\nframesplacement=fphorizontal\n")->FramesPlacement, fpHorizontal);
    EXPECT_EQ(LoadedEntry<TskDataSkinSwitchControl>("f", "[f]\nframesplacement=FPHORIZONTAL\n")->FramesPlacement, fpVertical);
    EXPECT_EQ(LoadedEntry<TskDataSkinSwitchControl>("f", "[f]\nframesplacement=sideways\n")->FramesPlacement, fpVertical);
}

TEST(TskDataSkinFrameRegulatorLoad, UnknownKindsAreVerticalAndMissingIsRound)
{
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameRegulator>("r", "[r]\n")->Kind, rkRound);
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameRegulator>("r", "[r]\nkind=rkhorizontal\n")->Kind, rkHorizontal);
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameRegulator>("r", "[r]\nkind=rkvertical\n")->Kind, rkVertical);
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameRegulator>("r", "[r]\nkind=\n")->Kind, rkVertical);
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameRegulator>("r", "[r]\nkind=RKROUND\n")->Kind, rkVertical);
}
