#include "skin/data/TskDataSkinMainMenuBar.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"
#include "skin/data/SkinIni.h"

TEST(TskDataSkinMainMenuBarLoad, NamesItsObjectsAndLeavesMissingOnesEmpty)
{
    auto ini = EntriesFixture();
    TskDataSkinMainMenuBar entry("mainmenubar");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.ItemsRect, Rect(4, 0, 150, 20));
    EXPECT_EQ(entry.MenuBarItem, "baritem");
    EXPECT_EQ(entry.CloseButton, "barclose");
    EXPECT_EQ(entry.MaxButton, "");
    EXPECT_EQ(entry.TrackMarkColor, 255);
    EXPECT_TRUE(entry.ItemTransparent);
    EXPECT_EQ(LoadedEntry<TskDataSkinMainMenuBar>("m", "[m]\n")->CloseButton, "");
}

TEST(TskDataSkinControlBarLoad, MissingItemOffsetsAreThreeAndOtherIntegersZero)
{
    EXPECT_EQ(TskDataSkinControlBar("c").ItemOffset1, 0);
    auto ini = EntriesFixture();
    TskDataSkinControlBar entry("controlbar");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.ItemOffset1, 3);
    EXPECT_EQ(entry.ItemOffset2, 3);
    EXPECT_EQ(entry.GripOffset1, 2);
    EXPECT_EQ(entry.GripOffset2, 0);
    EXPECT_EQ(entry.BGPictureIndex, 4);
    EXPECT_TRUE(entry.GripTransparent);
    EXPECT_EQ(LoadedEntry<TskDataSkinControlBar>("c", "[c]\n")->BGPictureIndex, -1);
}

TEST(TskDataSkinTabControlLoad, TransparentColourIsFuchsiaAfterCreateButZeroWhenMissing)
{
    EXPECT_EQ(TskDataSkinTabControl("t").ButtonTransparentColor, 16711935);
    auto ini = EntriesFixture();
    TskDataSkinTabControl entry("tab");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.ButtonTransparentColor, 0);
    EXPECT_TRUE(entry.ButtonTransparent);
    EXPECT_EQ(entry.ActiveTabRect, Rect(40, 180, 80, 200));
    EXPECT_EQ(entry.ClientRect, Rect(2, 22, 98, 98));
    EXPECT_EQ(entry.LeftTopPoint, Point(3, 3));
    EXPECT_EQ(entry.TabLeftOffset, 4);
    EXPECT_EQ(entry.FontHeight, 12);
    EXPECT_EQ(entry.UpDown, "updown");
    EXPECT_EQ(entry.StretchType, stHorz);
    EXPECT_EQ(entry.BGPictureIndex, -1);
}

TEST(TskDataSkinGridControlLoad, IsNoCustomControlAndReadsBothFonts)
{
    auto ini = EntriesFixture();
    TskDataSkinGridControl entry("grid");
    entry.LoadFromIni(*ini);
    TskDataSkinControl* base = &entry;
    EXPECT_EQ(dynamic_cast<TskDataSkinCustomControl*>(base), nullptr);
    EXPECT_EQ(entry.SkinRect, TRect{});
    EXPECT_EQ(entry.FixedCellRect, Rect(0, 200, 30, 216));
    EXPECT_EQ(entry.CellTextRect, Rect(2, 2, 28, 14));
    EXPECT_EQ(entry.LinesColor, 8421504);
    EXPECT_EQ(entry.FontName, "Arial");
    EXPECT_EQ(entry.FontHeight, 14);
    EXPECT_EQ(entry.FixedFontName, "Tahoma");
    EXPECT_EQ(entry.FixedFontHeight, 11);
    EXPECT_EQ(entry.FixedFontStyle, TFontStyles{fsBold});
    EXPECT_TRUE(entry.ShowFocus);
}
