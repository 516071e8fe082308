#include "skin/data/TskDataSkinCaption.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"
#include "skin/data/SkinIni.h"

TEST(TskDataSkinCaptionLoad, MissingKeysGiveGlowSizeThreeAndIntervalTwentyFive)
{
    TskDataSkinCaption created("c");
    EXPECT_EQ(created.GlowSize, 0);
    EXPECT_EQ(created.FontName, "");
    auto entry = LoadedEntry<TskDataSkinCaption>("c", "[c]\n");
    EXPECT_EQ(entry->GlowSize, 3);
    EXPECT_EQ(entry->AnimateInterval, 25);
    EXPECT_EQ(entry->FontName, "Arial");
    EXPECT_EQ(entry->FontHeight, 14);
    EXPECT_EQ(entry->Alignment, taCenter);
}

TEST(TskDataSkinCaptionLoad, ReflectionColoursComeOnlyFromTheirStoredSpelling)
{
    auto ini = EntriesFixture();
    TskDataSkinCaption entry("caption");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.ReflectionColor, 0);         // the fixture writes "reflectioncolor"
    EXPECT_EQ(entry.ReflectionActiveColor, 128); // "reflactionactivecolor"
    EXPECT_TRUE(entry.DefaultCaption);
    EXPECT_EQ(entry.TextRect, Rect(4, 2, 250, 22));
    EXPECT_EQ(entry.FontHeight, 15);
    EXPECT_EQ(entry.FontStyle, TFontStyles{fsBold});
    EXPECT_EQ(entry.Alignment, taLeftJustify);
    EXPECT_TRUE(entry.GlowEffect);
}

TEST(TskDataSkinButtonLoad, DisabledPictureComesOnlyFromItsStoredSpelling)
{
    auto ini = EntriesFixture();
    TskDataSkinButton pin("pin");
    pin.LoadFromIni(*ini);
    EXPECT_EQ(pin.DisableSkinRect, TRect{}); // the fixture writes "disableskinrect"
    EXPECT_EQ(pin.GroupIndex, 2);
    TskDataSkinStdButton close("close");
    close.LoadFromIni(*ini);
    EXPECT_EQ(close.DisableSkinRect, Rect(348, 4, 364, 20));
    EXPECT_EQ(close.DownRect, Rect(332, 4, 348, 20));
    EXPECT_EQ(close.GroupIndex, -1);
    EXPECT_EQ(TskDataSkinButton("b").GroupIndex, -1);
}

TEST(TskDataSkinStdButtonLoad, CommandWordsAreComparedExactlyAndUnknownOnesMinimizeToTray)
{
    auto ini = EntriesFixture();
    TskDataSkinStdButton close("close");
    close.LoadFromIni(*ini);
    EXPECT_EQ(close.Command, cmClose);
    // The words are compared exactly: a close button written in capitals minimizes to the tray.
    TskDataSkinStdButton misspelt("misspelt");
    misspelt.LoadFromIni(*ini);
    EXPECT_EQ(misspelt.Command, cmMinimizeToTray);
    EXPECT_EQ(LoadedEntry<TskDataSkinStdButton>("b", "[b]\ncommand=cmminimizetotray\n")->Command, cmMinimizeToTray);
    EXPECT_EQ(LoadedEntry<TskDataSkinStdButton>("b", "[b]\ncommand=cmrollup\n")->Command, cmRollUp);
    EXPECT_EQ(LoadedEntry<TskDataSkinStdButton>("b", "[b]\n")->Command, cmDefault);
}

TEST(TskDataSkinStdButtonLoad, MaximizeButtonWithoutRestoreHintGetsRestore)
{
    auto ini = EntriesFixture();
    TskDataSkinStdButton entry("maximize");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.Command, cmMaximize);
    EXPECT_EQ(entry.RestoreHint, "Restore");
    EXPECT_EQ(entry.RestoreRect, Rect(336, 4, 352, 20));
    auto rollUp = LoadedEntry<TskDataSkinStdButton>("b", "[b]\nhint=Roll Up\ncommand=cmrollup\nrestorehint=\n");
    EXPECT_EQ(rollUp->RestoreHint, "Restore");
    auto lower = LoadedEntry<TskDataSkinStdButton>("b", "[b]\nhint=maximize\ncommand=cmmaximize\n");
    EXPECT_EQ(lower->RestoreHint, "");
}

TEST(TskDataSkinStdButtonSave, WritesTheCommandAsItsWord)
{
    TskDataSkinMainMenuBarButton entry("b");
    entry.Command = cmSysMenu;
    TMemIniFile ini;
    entry.SaveToIni(ini);
    EXPECT_EQ(ini.ReadString("b", "command", ""), "cmsysmenu");
    EXPECT_EQ(ini.ReadString("b", "disableskinrsect", ""), "0,0,0,0");
}

TEST(TskDataSkinMenuItemLoad, EmptyHighlightedGlyphsCopyTheNormalOnes)
{
    auto ini = EntriesFixture();
    TskDataSkinMenuItem entry("popupitem");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.ActiveCheckImageRect, entry.CheckImageRect); // zero width in the fixture
    EXPECT_EQ(entry.ActiveRadioImageRect, Rect(110, 10, 120, 20));
    EXPECT_EQ(entry.ActiveArrowImageRect, Rect(100, 20, 106, 30));
    EXPECT_EQ(entry.FontName, "Tahoma");
    EXPECT_EQ(entry.AnimateInterval, 25);
    EXPECT_EQ(entry.TextRect, Rect(20, 2, 90, 18));
}

TEST(TskDataSkinMainMenuItemLoad, BarItemLoadsLikeAFrameItem)
{
    auto ini = EntriesFixture();
    TskDataSkinMainMenuBarItem bar("baritem");
    bar.LoadFromIni(*ini);
    EXPECT_EQ(bar.DownRect, Rect(60, 40, 120, 60));
    EXPECT_EQ(bar.UnEnabledFontColor, 8421504);
    EXPECT_EQ(bar.FontHeight, 14);
    TskDataSkinMainMenuItem frame("frameitem");
    frame.LoadFromIni(*ini);
    EXPECT_EQ(frame.FontHeight, 12);
    EXPECT_EQ(frame.DownFontColor, 255);
    EXPECT_EQ(frame.AnimateInterval, 25);
}
