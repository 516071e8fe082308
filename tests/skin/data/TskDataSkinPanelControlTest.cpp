#include "skin/data/TskDataSkinPanelControl.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"

TEST(TskDataSkinGaugeControlLoad, SectionNamingOnlyTheProgressPictureGivesTheMissingValues)
{
    auto ini = EntriesFixture();
    TskDataSkinGaugeControl entry("gauge");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.ProgressRect, Rect(0, 530, 10, 546));
    EXPECT_EQ(entry.ProgressArea, TRect{});
    EXPECT_FALSE(entry.ProgressStretch);
    EXPECT_FALSE(entry.Vertical);
    EXPECT_EQ(entry.FontName, "Arial");
    EXPECT_EQ(entry.FontHeight, 14);
    EXPECT_EQ(entry.AnimationCountFrames, 0);
    EXPECT_EQ(entry.AnimationTimerInterval, 0);
    EXPECT_EQ(entry.ProgressAnimationCountFrames, 0);
    EXPECT_EQ(entry.ProgressTransparentColor, 0);
}

TEST(TskDataSkinPanelControlLoad, TransparentFlagWithoutColourGivesBlack)
{
    EXPECT_EQ(TskDataSkinTrackBarControl("t").ButtonTransparentColor, 16711935);
    auto ini = EntriesFixture();
    TskDataSkinTrackBarControl trackBar("trackbar");
    trackBar.LoadFromIni(*ini);
    EXPECT_TRUE(trackBar.ButtonTransparent);
    EXPECT_EQ(trackBar.ButtonTransparentColor, 0);
    EXPECT_TRUE(trackBar.Vertical);
    EXPECT_EQ(trackBar.TrackArea, Rect(4, 0, 96, 20));

    TskDataSkinSplitterControl splitter("splitter");
    splitter.LoadFromIni(*ini);
    EXPECT_EQ(splitter.GripperTransparentColor, 255);

    TskDataSkinExPanelControl exPanel("expanel");
    exPanel.LoadFromIni(*ini);
    EXPECT_TRUE(exPanel.ButtonsTransparent);
    EXPECT_EQ(exPanel.ButtonsTransparentColor, 0);
    EXPECT_EQ(exPanel.RollTopOffset, 3);
    EXPECT_EQ(exPanel.VRestoreButtonDownRect, Rect(120, 700, 134, 714));
    EXPECT_EQ(exPanel.FontHeight, 14);
}

TEST(TskDataSkinPanelControlLoad, MisspeltAlignmentIsRightJustifiedAndMissingIsCentred)
{
    EXPECT_EQ(TskDataSkinPanelControl("p").FontHeight, 12);
    auto ini = EntriesFixture();
    TskDataSkinPanelControl panel("panel");
    panel.LoadFromIni(*ini);
    EXPECT_EQ(panel.Alignment, taRightJustify); // written "taCenter"
    EXPECT_EQ(panel.FontHeight, 13);
    EXPECT_EQ(panel.FrameRect, Rect(60, 590, 100, 606));
    EXPECT_EQ(panel.FrameLeftOffset, 4);

    TskDataSkinPanelControl absent("nosection");
    absent.LoadFromIni(*ini);
    EXPECT_EQ(absent.Alignment, taCenter);
    EXPECT_EQ(absent.BGPictureIndex, -1);
    EXPECT_EQ(absent.FontHeight, 14);
    EXPECT_EQ(absent.GripperTransparentColor, 0);
}

TEST(TskDataSkinScrollBoxControlLoad, NoBackgroundPictureWithoutTheKey)
{
    auto ini = EntriesFixture();
    TskDataSkinScrollBoxControl entry("scrollbox");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.BGPictureIndex, -1);
    EXPECT_EQ(entry.SkinRect, Rect(0, 550, 40, 590));
}
