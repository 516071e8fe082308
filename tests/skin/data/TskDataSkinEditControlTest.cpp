#include "skin/data/TskDataSkinEditControl.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"
#include "skin/data/SkinIni.h"

TEST(TskDataSkinEditControlMissing, FontHeightIsTwelveAfterCreateButFourteenWhenTheKeyIsMissing)
{
    EXPECT_EQ(TskDataSkinEditControl("e").FontHeight, 12);
    EXPECT_EQ(TskDataSkinSpinEditControl("e").FontHeight, 12);
    EXPECT_EQ(TskDataSkinLabelControl("e").FontHeight, 12);
    EXPECT_EQ(TskDataSkinStdLabelControl("e").FontHeight, 12);
    EXPECT_EQ(LoadedEntry<TskDataSkinEditControl>("e", "[e]\n")->FontHeight, 14);
    EXPECT_EQ(LoadedEntry<TskDataSkinSpinEditControl>("e", "[e]\n")->FontHeight, 14);
    EXPECT_EQ(LoadedEntry<TskDataSkinLabelControl>("e", "[e]\n")->FontHeight, 14);
    EXPECT_EQ(LoadedEntry<TskDataSkinStdLabelControl>("e", "[e]\n")->FontHeight, 14);
}

TEST(TskDataSkinEditControlMissing, ViewsLoadBlackWithoutABackgroundKey)
{
    EXPECT_EQ(TskDataSkinTreeView("v").BGColor, 16777215);
    EXPECT_EQ(LoadedEntry<TskDataSkinTreeView>("v", "[v]\n")->BGColor, 0);
    EXPECT_EQ(LoadedEntry<TskDataSkinListView>("v", "[v]\n")->BGColor, 0);
    EXPECT_EQ(LoadedEntry<TskDataSkinRichEdit>("v", "[v]\n")->BGColor, 0);
}

TEST(TskDataSkinEditControlMissing, StandardLabelIsBlueWhenActiveUnlessTheSkinSays)
{
    EXPECT_EQ(LoadedEntry<TskDataSkinStdLabelControl>("s", "[s]\n")->ActiveFontColor, 16711680);
    EXPECT_EQ(LoadedEntry<TskDataSkinStdLabelControl>("s", "[s]\nactivefontcolor=255\n")->ActiveFontColor, 255);
    EXPECT_EQ(LoadedEntry<TskDataSkinLabelControl>("s", "[s]\n")->FontColor, 0);
}

TEST(TskDataSkinEditControlLoad, ReadsTheFixtureTextControls)
{
    auto ini = EntriesFixture();
    TskDataSkinEditControl edit("edit");
    edit.LoadFromIni(*ini);
    EXPECT_EQ(edit.ActiveSkinRect, Rect(0, 100, 40, 120));
    EXPECT_EQ(edit.DisabledFontColor, 12632256);
    EXPECT_EQ(edit.ButtonRect, Rect(26, 2, 38, 18));

    TskDataSkinMemoControl memo("memo");
    memo.LoadFromIni(*ini);
    EXPECT_EQ(memo.FontHeight, 15);
    EXPECT_EQ(memo.BGColor, 16777215);
    EXPECT_EQ(memo.ActiveBGColor, 15790320);

    TskDataSkinSpinEditControl spin("spinedit");
    spin.LoadFromIni(*ini);
    EXPECT_EQ(spin.UpButtonRect, Rect(30, 0, 40, 10));
    EXPECT_EQ(spin.DownButtonRect, Rect(30, 10, 40, 20));
    EXPECT_EQ(spin.ActiveFontColor, 255);

    TskDataSkinLabelControl label("label");
    label.LoadFromIni(*ini);
    EXPECT_EQ(label.FontName, "Verdana");
    EXPECT_EQ(label.FontColor, 255); // written 0xFF

    TskDataSkinRichEdit rich("richedit");
    rich.LoadFromIni(*ini);
    EXPECT_EQ(rich.FontStyle, TFontStyles{fsStrikeOut});
}

TEST(TskDataSkinEditControlLoad, EmptyFontNameStaysEmpty)
{
    EXPECT_EQ(LoadedEntry<TskDataSkinEditControl>("e", "[e]\nfontname=\n")->FontName, "");
}

TEST(TskDataSkinBitLabelControlLoad, MissingSymbolLinesAreAddedEmpty)
{
    auto ini = EntriesFixture();
    TskDataSkinBitLabelControl entry("bitlabel");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.SkinTextRect, Rect(2, 2, 50, 14));
    EXPECT_EQ(entry.SymbolWidth, 7);
    EXPECT_EQ(entry.SymbolHeight, 9);
    ASSERT_EQ(entry.Symbols->Count(), 3);
    EXPECT_EQ(entry.Symbols->Strings(0), "0123456789");
    EXPECT_EQ(entry.Symbols->Strings(1), "");
    EXPECT_EQ(entry.Symbols->Strings(2), "");
}

TEST(TskDataSkinBitLabelControlLoad, NoCountLeavesSymbolsEmptyAndLoadingAppends)
{
    auto ini = IniFromText("[b]\nsymbolslinecount=1\nsymbolsline0=AB\n");
    TskDataSkinBitLabelControl entry("b");
    EXPECT_EQ(entry.Symbols->Count(), 0);
    entry.LoadFromIni(*ini);
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.Symbols->Count(), 2);
    EXPECT_EQ(LoadedEntry<TskDataSkinBitLabelControl>("b", "[b]\n")->Symbols->Count(), 0);
}

TEST(TskDataSkinBitLabelControlLoad, HugeLineCountIsCut_ToTheKeysTheSkinHolds)
{
    auto entry = LoadedEntry<TskDataSkinBitLabelControl>("b", "[b]\nsymbolslinecount=2000000000\nsymbolsline0=AB\n");
    EXPECT_EQ(entry->Symbols->Count(), 2);
    EXPECT_EQ(entry->Symbols->Strings(0), "AB");
}

TEST(TskDataSkinBitLabelControlSave, WritesTheSymbolLines)
{
    TskDataSkinBitLabelControl entry("b");
    entry.Symbols->Add("0123");
    entry.Symbols->Add(":");
    TMemIniFile ini;
    entry.SaveToIni(ini);
    EXPECT_EQ(ini.ReadInteger("b", "symbolslinecount", 0), 2);
    EXPECT_EQ(ini.ReadString("b", "symbolsline1", ""), ":");
}
