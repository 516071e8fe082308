#include "skin/data/TskDataSkinObject.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"
#include "skin/data/SkinIni.h"

TEST(TskDataSkinObjectCreate, StartsWithoutPicturesAndWithAnOpaqueGlow)
{
    TskDataSkinObject entry("o");
    EXPECT_EQ(entry.IDName, "o");
    EXPECT_EQ(entry.Hint, "");
    EXPECT_EQ(entry.ActivePictureIndex, -1);
    EXPECT_EQ(entry.ActiveMaskPictureIndex, -1);
    EXPECT_EQ(entry.CursorIndex, -1);
    EXPECT_EQ(entry.GlowLayerPictureIndex, -1);
    EXPECT_EQ(entry.GlowLayerMaskPictureIndex, -1);
    EXPECT_EQ(entry.GlowLayerAlphaBlendValue, 255);
    EXPECT_FALSE(entry.Morphing);
    EXPECT_EQ(entry.MorphKind, mkDefault);
}

TEST(TskDataSkinObjectLoad, ReadsTheBaseKeys)
{
    auto entry = LoadedEntry<TskDataSkinObject>("o",
        "[o]\nhint=Pin\nrollup=1\nactivepictureindex=2\nskinrectinapicture=1\nskinrect=1,2,3,4\n"
        "activeskinrect=5,6,7,8\ninactiveskinrect=9,10,11,12\nmorphing=1\nmorphkind=mkleftslide\n"
        "glowlayerpictureindex=3\nglowlayeroffsetx=4\nglowlayeralphablendvalue=128\n");
    EXPECT_EQ(entry->Hint, "Pin");
    EXPECT_TRUE(entry->RollUp);
    EXPECT_EQ(entry->ActivePictureIndex, 2);
    EXPECT_TRUE(entry->SkinRectInAPicture);
    EXPECT_EQ(entry->InActiveSkinRect, Rect(9, 10, 11, 12));
    EXPECT_TRUE(entry->Morphing);
    EXPECT_EQ(entry->MorphKind, mkLeftSlide);
    EXPECT_EQ(entry->GlowLayerPictureIndex, 3);
    EXPECT_EQ(entry->GlowLayerOffsetX, 4);
    EXPECT_EQ(entry->GlowLayerAlphaBlendValue, 128);
}

TEST(TskDataUserObjectLoad, ReadsOnlyItsPlaceRollUpAndCursor)
{
    auto ini = EntriesFixture();
    TskDataUserObject entry("userarea");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.SkinRect, Rect(10, 10, 50, 50));
    EXPECT_TRUE(entry.RollUp);
    EXPECT_EQ(entry.CursorIndex, -1);
    EXPECT_EQ(entry.Hint, "");
    EXPECT_EQ(entry.ActivePictureIndex, -1);

    TMemIniFile saved;
    entry.SaveToIni(saved);
    EXPECT_EQ(saved.ReadString("userarea", "hint", "none"), "none");
    EXPECT_EQ(saved.ReadString("userarea", "skinrect", ""), "10,10,50,50");
}

TEST(TskDataSkinAnimateLoad, NeverMorphsAndFillsInTheRestoreHint)
{
    auto ini = EntriesFixture();
    TskDataSkinAnimate entry("logo");
    entry.LoadFromIni(*ini);
    EXPECT_FALSE(entry.Morphing);
    EXPECT_EQ(entry.CountFrames, 8);
    EXPECT_TRUE(entry.Cycle);
    EXPECT_EQ(entry.TimerInterval, 50);
    EXPECT_EQ(entry.Command, cmMaximize);
    EXPECT_EQ(entry.RestoreHint, "Restore");
}

TEST(TskDataSkinAnimateLoad, MissingCountAndIntervalGiveOneAndFifty)
{
    auto entry = LoadedEntry<TskDataSkinAnimate>("a", "[a]\n");
    EXPECT_EQ(entry->CountFrames, 1);
    EXPECT_EQ(entry->TimerInterval, 50);
    EXPECT_EQ(entry->Command, cmDefault);
    EXPECT_EQ(entry->RestoreHint, "");
}

TEST(TskDataSkinTrackBarLoad, NeverMorphsAndReadsItsPath)
{
    auto ini = EntriesFixture();
    TskDataSkinTrackBar entry("volume");
    entry.LoadFromIni(*ini);
    EXPECT_FALSE(entry.Morphing);
    EXPECT_EQ(entry.BeginPoint, Point(104, 35));
    EXPECT_EQ(entry.EndPoint, Point(196, 35));
    EXPECT_EQ(entry.MaxValue, 100);
    EXPECT_TRUE(entry.MouseDownChangeValue);
}

TEST(TskDataSkinGaugeLoad, OnlyTheHorizontalWordIsHorizontal)
{
    auto ini = EntriesFixture();
    TskDataSkinGauge entry("level");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.Kind, gkVertical);
    EXPECT_EQ(LoadedEntry<TskDataSkinGauge>("g", "[g]\n")->Kind, gkHorizontal);
    EXPECT_EQ(LoadedEntry<TskDataSkinGauge>("g", "[g]\nkind=GKHORIZONTAL\n")->Kind, gkVertical);
}

TEST(TskDataSkinFrameObjectsLoad, ReadPlacementAndRegulatorKind)
{
    auto ini = EntriesFixture();
    TskDataSkinFrameGaugeObject meter("meter");
    meter.LoadFromIni(*ini);
    EXPECT_EQ(meter.CountFrames, 10);
    EXPECT_EQ(meter.MaxValue, 9);
    EXPECT_EQ(meter.FramesPlacement, fpVertical);
    TskDataSkinFrameRegulatorObject knob("knob");
    knob.LoadFromIni(*ini);
    EXPECT_EQ(knob.Kind, rkHorizontal);
    EXPECT_EQ(knob.FramesPlacement, fpHorizontal);
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameRegulatorObject>("k", "[k]\nkind=RKROUND\n")->Kind, rkVertical);
    EXPECT_EQ(LoadedEntry<TskDataSkinFrameRegulatorObject>("k", "[k]\n")->Kind, rkRound);
}

TEST(TskDataSkinLabelLoad, ReadsTheFontNameWhateverTheKeyCase)
{
    auto ini = EntriesFixture();
    TskDataSkinLabel entry("title");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.FontName, "Verdana");
    EXPECT_EQ(entry.FontHeight, 14);
    EXPECT_EQ(entry.Alignment, taRightJustify);
    EXPECT_EQ(entry.TextValue, "Ombrix");
    EXPECT_EQ(entry.ActiveFontColor, 255);
    EXPECT_EQ(LoadedEntry<TskDataSkinLabel>("l", "[l]\n")->Alignment, taCenter);
}

TEST(TskDataSkinBitLabelLoad, ReadsSymbolRowsAndNeverMorphs)
{
    TskDataSkinBitLabel created("b");
    EXPECT_EQ(created.TransparentColor, 16711935);
    EXPECT_EQ(created.Symbols->Count(), 0);
    auto ini = EntriesFixture();
    TskDataSkinBitLabel entry("clock");
    entry.LoadFromIni(*ini);
    EXPECT_FALSE(entry.Morphing);
    EXPECT_EQ(entry.TextValue, "12:30");
    EXPECT_EQ(entry.SymbolWidth, 7);
    EXPECT_EQ(entry.SymbolHeight, 10);
    ASSERT_EQ(entry.Symbols->Count(), 2);
    EXPECT_EQ(entry.Symbols->Strings(1), ":");
    EXPECT_EQ(entry.TransparentColor, 16711935);
}

TEST(TskDataSkinBitLabelLoad, MissingSecondLineIsEmpty)
{
    auto entry = LoadedEntry<TskDataSkinBitLabel>("b", "[b]\nsymbolslinecount=2\nsymbolsline0=AB\n");
    ASSERT_EQ(entry->Symbols->Count(), 2);
    EXPECT_EQ(entry->Symbols->Strings(1), "");
}

TEST(DefaultRestoreHintRule, OnlyExactHintsWithTheirCommandGetRestore)
{
    EXPECT_EQ(DefaultRestoreHint("", "Maximize", cmMaximize), "Restore");
    EXPECT_EQ(DefaultRestoreHint("", "Minimize", cmMinimize), "Restore");
    EXPECT_EQ(DefaultRestoreHint("", "Roll Up", cmRollUp), "Restore");
    EXPECT_EQ(DefaultRestoreHint("", "RollUp", cmRollUp), "Restore");
    EXPECT_EQ(DefaultRestoreHint("", "maximize", cmMaximize), "");
    EXPECT_EQ(DefaultRestoreHint("", "Maximize", cmMinimize), "");
    EXPECT_EQ(DefaultRestoreHint("Back", "Maximize", cmMaximize), "Back");
}
