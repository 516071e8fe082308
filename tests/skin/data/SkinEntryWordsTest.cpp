#include "skin/data/SkinEntryWords.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"

TEST(SkinEntryWordsCommand, SevenWordsGiveTheirValues)
{
    EXPECT_EQ(SkinCommandFromWord("cmclose"), cmClose);
    EXPECT_EQ(SkinCommandFromWord("cmmaximize"), cmMaximize);
    EXPECT_EQ(SkinCommandFromWord("cmminimize"), cmMinimize);
    EXPECT_EQ(SkinCommandFromWord("cmsysmenu"), cmSysMenu);
    EXPECT_EQ(SkinCommandFromWord("cmdefault"), cmDefault);
    EXPECT_EQ(SkinCommandFromWord("cmrollup"), cmRollUp);
    EXPECT_EQ(SkinCommandFromWord("cmminimizetotray"), cmMinimizeToTray);
}

TEST(SkinEntryWordsCommand, AnyOtherTextMinimizesToTheTray)
{
    EXPECT_EQ(SkinCommandFromWord("CMCLOSE"), cmMinimizeToTray);
    EXPECT_EQ(SkinCommandFromWord(""), cmMinimizeToTray);
    EXPECT_EQ(SkinCommandFromWord("cmclose "), cmMinimizeToTray);
    EXPECT_FALSE(IsSkinCommandWord("CMCLOSE"));
    EXPECT_TRUE(IsSkinCommandWord("cmminimizetotray"));
}

TEST(SkinEntryWordsCommand, WordsRoundTripAndOutOfRangeValuesWriteDefault)
{
    for (int c = cmClose; c <= cmMinimizeToTray; ++c)
        EXPECT_EQ(SkinCommandFromWord(SkinCommandWord(c)), c);
    EXPECT_EQ(SkinCommandWord(42), "cmdefault");
    EXPECT_EQ(SkinCommandWord(-1), "cmdefault");
}

TEST(SkinEntryWordsIni, MissingKeysGiveTheFirstWord)
{
    auto ini = IniFromText("[s]\n");
    EXPECT_EQ(IniReadFramesPlacement(*ini, "s", "framesplacement"), fpHorizontal);
    EXPECT_EQ(IniReadRegulatorKind(*ini, "s", "kind"), rkRound);
    EXPECT_EQ(IniReadGaugeKind(*ini, "s", "kind"), gkHorizontal);
    EXPECT_EQ(IniReadSkinCommand(*ini, "s", "command"), cmDefault);
}

TEST(SkinEntryWordsIni, WritersWriteTheWordsTheReadersKnow)
{
    TMemIniFile ini;
    IniWriteFramesPlacement(ini, "s", "p", fpVertical);
    IniWriteRegulatorKind(ini, "s", "r", rkHorizontal);
    IniWriteGaugeKind(ini, "s", "g", gkVertical);
    IniWriteSkinCommand(ini, "s", "c", cmRollUp);
    EXPECT_EQ(ini.ReadString("s", "p", ""), "fpvertical");
    EXPECT_EQ(ini.ReadString("s", "r", ""), "rkhorizontal");
    EXPECT_EQ(ini.ReadString("s", "g", ""), "gkvertical");
    EXPECT_EQ(ini.ReadString("s", "c", ""), "cmrollup");
    EXPECT_EQ(IniReadRegulatorKind(ini, "s", "r"), rkHorizontal);
}
