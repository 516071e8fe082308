#include "skin/data/TskDataSkinPopupWindow.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"
#include "skin/data/SkinIni.h"

TEST(TskDataSkinPopupWindowLoad, ReadsTheFixedSection)
{
    auto ini = EntriesFixture();
    TskDataSkinPopupWindow popup;
    popup.LoadFromIni(*ini);
    EXPECT_EQ(popup.WindowPictureIndex, 6);
    EXPECT_EQ(popup.MaskPictureIndex, 7);
    EXPECT_EQ(popup.RightBottomPoint, Point(95, 95));
    EXPECT_EQ(popup.ItemsRect, Rect(5, 5, 95, 95));
    EXPECT_EQ(popup.ScrollMarkerColor, 255);
    EXPECT_EQ(popup.CursorIndex, -1);
    EXPECT_TRUE(popup.TopStretch);
    EXPECT_EQ(popup.StretchType, stVert);
}

TEST(TskDataSkinPopupWindowLoad, ASkinWithoutTheSectionLeavesNoPictureWhateverCameBefore)
{
    TskDataSkinPopupWindow popup;
    popup.LoadFromIni(*EntriesFixture());
    popup.LoadFromIni(*IniFromText("[popupwindow]\nitemsrect=1,1,2,2\n"));
    EXPECT_EQ(popup.WindowPictureIndex, -1);
    EXPECT_EQ(popup.LeftTopPoint, TPoint{});
    EXPECT_EQ(popup.ItemsRect, Rect(1, 1, 2, 2)); // section names match without regard to case
    popup.LoadFromIni(*IniFromText("[other]\n"));
    EXPECT_EQ(popup.ItemsRect, TRect{});
    EXPECT_FALSE(popup.TopStretch);
}

TEST(TskDataSkinHintWindowLoad, FontHeightIsTwelveAfterCreateAndFourteenAfterALoad)
{
    TskDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontHeight, 12);
    EXPECT_EQ(hint.WindowPictureIndex, -1);
    hint.LoadFromIni(*EntriesFixture());
    EXPECT_EQ(hint.WindowPictureIndex, 8);
    EXPECT_EQ(hint.ClientRect, Rect(4, 4, 96, 36));
    EXPECT_EQ(hint.FontName, "Tahoma");
    EXPECT_EQ(hint.FontHeight, 14);
    EXPECT_TRUE(hint.LeftStretch);
    hint.LoadFromIni(*IniFromText("[SKINCONTROLS]\ncount=0\n"));
    EXPECT_EQ(hint.WindowPictureIndex, -1);
    EXPECT_EQ(hint.FontName, "Arial");
    EXPECT_EQ(hint.FontColor, 0);
    EXPECT_EQ(hint.StretchType, stFull);
}
