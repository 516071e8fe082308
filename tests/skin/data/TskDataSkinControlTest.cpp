#include "skin/data/TskDataSkinControl.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"
#include "skin/data/SkinIni.h"

TEST(TskDataSkinControlCreate, StartsWithoutPicturesAndAnEmptyLook)
{
    TskDataSkinCustomControl entry("panel");
    EXPECT_EQ(entry.IDName, "panel");
    EXPECT_EQ(entry.PictureIndex, -1);
    EXPECT_EQ(entry.MaskPictureIndex, -1);
    EXPECT_EQ(entry.CursorIndex, -1);
    EXPECT_EQ(entry.SkinRect, TRect{});
    EXPECT_EQ(entry.StretchType, stFull);
}

TEST(TskDataSkinControlLoad, MissingSectionGivesTheMissingValues)
{
    auto entry = LoadedEntry<TskDataSkinCustomControl>("absent", "[other]\npictureindex=4\n");
    EXPECT_EQ(entry->PictureIndex, -1);
    EXPECT_EQ(entry->MaskPictureIndex, -1);
    EXPECT_EQ(entry->SkinRect, TRect{});
    EXPECT_EQ(entry->CursorIndex, -1);
    EXPECT_EQ(entry->LeftTopPoint, TPoint{});
    EXPECT_EQ(entry->ClientRect, TRect{});
    EXPECT_FALSE(entry->StretchEffect);
    EXPECT_EQ(entry->StretchType, stFull);
}

TEST(TskDataSkinControlLoad, ReadsTheFrameFromItsOwnSectionWhateverTheCase)
{
    auto entry = LoadedEntry<TskDataSkinCustomControl>("Panel",
        "[PANEL]\nPictureIndex=5\nmaskpictureindex=0x02\nskinrect=1,2,30,40\nlefttoppoint=3,4\n"
        "rightbottompoint=27,36\nclientrect=3,4,27,36\ntopstretch=1\nstretcheffect=1\nstretchtype=stvert\n");
    // An index past the active pictures is kept: the controls check it when they paint.
    EXPECT_EQ(entry->PictureIndex, 5);
    EXPECT_EQ(entry->MaskPictureIndex, 2);
    EXPECT_EQ(entry->SkinRect, Rect(1, 2, 30, 40));
    EXPECT_EQ(entry->LeftTopPoint, Point(3, 4));
    EXPECT_EQ(entry->RightBottomPoint, Point(27, 36));
    EXPECT_EQ(entry->ClientRect, Rect(3, 4, 27, 36));
    EXPECT_TRUE(entry->TopStretch);
    EXPECT_FALSE(entry->LeftStretch);
    EXPECT_TRUE(entry->StretchEffect);
    EXPECT_EQ(entry->StretchType, stVert);
}

TEST(TskDataSkinControlLoad, OnlyOneIsTrueAndUnknownStretchWordsStretchHorizontally)
{
    auto entry = LoadedEntry<TskDataSkinCustomControl>("p", "[p]\nstretcheffect=2\nleftstretch=01\nstretchtype=StVert\n");
    EXPECT_FALSE(entry->StretchEffect);
    EXPECT_TRUE(entry->LeftStretch);
    EXPECT_EQ(entry->StretchType, stHorz);
}

TEST(TskDataSkinControlLoad, GarbledIntegersGiveTheMissingValue)
{
    auto entry = LoadedEntry<TskDataSkinControl>("p", "[p]\npictureindex=abc\ncursorindex=\n");
    EXPECT_EQ(entry->PictureIndex, -1);
    EXPECT_EQ(entry->CursorIndex, -1);
}

TEST(TskDataSkinControlSave, WritesEveryKeyItReads)
{
    TskDataSkinCustomControl entry("p");
    entry.PictureIndex = 3;
    entry.SkinRect = Rect(1, 2, 3, 4);
    entry.RightTopPoint = Point(7, 8);
    entry.BottomStretch = true;
    entry.StretchType = stVert;
    TMemIniFile ini;
    entry.SaveToIni(ini);
    EXPECT_EQ(ini.ReadString("p", "pictureindex", ""), "3");
    EXPECT_EQ(ini.ReadString("p", "maskpictureindex", ""), "-1");
    EXPECT_EQ(ini.ReadString("p", "skinrect", ""), "1,2,3,4");
    EXPECT_EQ(ini.ReadString("p", "righttoppoint", ""), "7,8");
    EXPECT_EQ(ini.ReadString("p", "bottomstretch", ""), "1");
    EXPECT_EQ(ini.ReadString("p", "stretchtype", ""), "stvert");

    TskDataSkinCustomControl copy("p");
    copy.LoadFromIni(ini);
    EXPECT_EQ(copy.RightTopPoint, Point(7, 8));
    EXPECT_TRUE(copy.BottomStretch);
}
