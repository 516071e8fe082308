#include "skin/form/FrameLayout.h"

#include <gtest/gtest.h>

#include "platform/vcl/TBitmap.h"
#include "platform/win/Messages.h"
#include "skin/data/TskSkinData.h"

namespace {

// A 100 x 80 frame picture cut by the corner points (10, 30), (90, 30), (10, 75), (90, 75).
struct FrameGeometry : ::testing::Test {
    TskSkinData Skin{nullptr};
    void SetUp() override
    {
        Skin.Picture = std::make_unique<TBitmap>(100, 80);
        Skin.SkinEmpty = false;
        Skin.LeftTopPoint = TPoint{10, 30};
        Skin.RightTopPoint = TPoint{90, 30};
        Skin.LeftBottomPoint = TPoint{10, 75};
        Skin.RightBottomPoint = TPoint{90, 75};
        Skin.ClientRect = Rect(5, 30, 95, 75);
        Skin.HitTestLeftTopPoint = TPoint{10, 10};
        Skin.HitTestRightTopPoint = TPoint{90, 10};
        Skin.HitTestLeftBottomPoint = TPoint{10, 70};
        Skin.HitTestRightBottomPoint = TPoint{90, 70};
    }
    TRect Stretch(TRect r) { return StretchFrameRect(Skin, r, 200, 120); }
};

using ObjectRule = FrameGeometry;
using LayoutAtSize = FrameGeometry;
using BorderZones = FrameGeometry;

TEST_F(ObjectRule, RectInOneCornerZone_MovesWithThatCorner)
{
    EXPECT_EQ(Stretch(Rect(1, 1, 8, 8)), Rect(1, 1, 8, 8));
    EXPECT_EQ(Stretch(Rect(92, 2, 98, 8)), Rect(292, 2, 298, 8));
    EXPECT_EQ(Stretch(Rect(1, 76, 8, 79)), Rect(1, 196, 8, 199));
    EXPECT_EQ(Stretch(Rect(92, 76, 98, 79)), Rect(292, 196, 298, 199));
}

TEST_F(ObjectRule, RectAcrossZones_Stretches)
{
    // Top-left to top-right: wider.
    EXPECT_EQ(Stretch(Rect(5, 2, 92, 14)), Rect(5, 2, 292, 14));
    // Top-left to bottom-right: wider and taller.
    EXPECT_EQ(Stretch(Rect(2, 2, 95, 78)), Rect(2, 2, 295, 198));
    // Bottom-left to bottom-right: wider and down.
    EXPECT_EQ(Stretch(Rect(2, 76, 95, 78)), Rect(2, 196, 295, 198));
    // Top-left to bottom-left: taller.
    EXPECT_EQ(Stretch(Rect(2, 2, 8, 78)), Rect(2, 2, 8, 198));
    // Top-right to bottom-right: right and taller.
    EXPECT_EQ(Stretch(Rect(92, 2, 98, 78)), Rect(292, 2, 298, 198));
}

TEST_F(ObjectRule, RectInNoZone_KeepsPlace)
{
    EXPECT_EQ(Stretch(Rect(20, 16, 40, 26)), Rect(20, 16, 40, 26));
    EXPECT_EQ(Stretch(Rect(40, 40, 60, 60)), Rect(40, 40, 60, 60));
}

TEST_F(LayoutAtSize, CornersAndClientFollowSize)
{
    const TskFrameLayout L = CalcFrameLayout(Skin, 300, 200);
    EXPECT_EQ(L.Dx, 200);
    EXPECT_EQ(L.Dy, 120);
    EXPECT_EQ(L.RightTop, (TPoint{290, 30}));
    EXPECT_EQ(L.LeftBottom, (TPoint{10, 195}));
    EXPECT_EQ(L.RightBottom, (TPoint{290, 195}));
    EXPECT_EQ(L.ClientRect, Rect(5, 30, 295, 195));
    EXPECT_EQ(L.HitRightBottom, (TPoint{290, 190}));
}

TEST_F(LayoutAtSize, ButtonsInLeftHalf_StayLeft)
{
    Skin.ButtonsRect = Rect(12, 2, 40, 14);
    TskFrameLayout L = CalcFrameLayout(Skin, 300, 200);
    EXPECT_EQ(L.ButtonsRect, Rect(12, 2, 40, 14));
    EXPECT_TRUE(L.LeftSideButtons);
    Skin.ButtonsRect = Rect(70, 2, 95, 14);
    L = CalcFrameLayout(Skin, 300, 200);
    EXPECT_EQ(L.ButtonsRect, Rect(270, 2, 295, 14));
    EXPECT_FALSE(L.LeftSideButtons);
}

TEST_F(LayoutAtSize, MainMenuInBottomBand_MovesDown)
{
    Skin.MainMenuRect = Rect(2, 76, 60, 79);
    EXPECT_EQ(CalcFrameLayout(Skin, 300, 200).MainMenuRect, Rect(2, 196, 260, 199));
    Skin.MainMenuRect = Rect(12, 16, 60, 26);
    EXPECT_EQ(CalcFrameLayout(Skin, 300, 200).MainMenuRect, Rect(12, 16, 260, 26));
}

TEST_F(LayoutAtSize, FixedFrame_MainMenuKeepsPlace)
{
    Skin.LeftTopPoint = Skin.RightTopPoint = Skin.LeftBottomPoint = Skin.RightBottomPoint = TPoint{0, 0};
    EXPECT_FALSE(FrameResizable(Skin));
    Skin.MainMenuRect = Rect(12, 16, 60, 26);
    EXPECT_EQ(CalcFrameLayout(Skin, 300, 200).MainMenuRect, Rect(12, 16, 60, 26));
}

TEST(DefaultBorder, RightAndBottomAreTwoPixels)
{
    EXPECT_EQ(DefaultBorderHitTest(2, 50, 300, 200), HTLEFT);
    EXPECT_EQ(DefaultBorderHitTest(3, 50, 300, 200), HTNOWHERE);
    EXPECT_EQ(DefaultBorderHitTest(297, 50, 300, 200), HTNOWHERE);
    EXPECT_EQ(DefaultBorderHitTest(298, 50, 300, 200), HTRIGHT);
    EXPECT_EQ(DefaultBorderHitTest(100, 198, 300, 200), HTBOTTOM);
    EXPECT_EQ(DefaultBorderHitTest(298, 2, 300, 200), HTTOPRIGHT);
    EXPECT_EQ(DefaultBorderHitTest(2, 198, 300, 200), HTBOTTOMLEFT);
}

TEST(DefaultBorder, CaptionAndClientRects)
{
    EXPECT_EQ(DefaultFrameClientRect(300, 200, 19), Rect(3, 22, 297, 197));
    // The caption ends at its own height: the rows just above the client belong to neither.
    EXPECT_EQ(DefaultFrameCaptionRect(300, 19), Rect(3, 3, 297, 19));
}

TEST_F(BorderZones, CornersWinOverEdges)
{
    const TskFrameLayout L = CalcFrameLayout(Skin, 300, 200);
    EXPECT_EQ(SkinBorderZone(L, 10, 10), HTTOPLEFT);
    EXPECT_EQ(SkinBorderZone(L, 290, 5), HTTOPRIGHT);
    EXPECT_EQ(SkinBorderZone(L, 5, 195), HTBOTTOMLEFT);
    EXPECT_EQ(SkinBorderZone(L, 295, 195), HTBOTTOMRIGHT);
    EXPECT_EQ(SkinBorderZone(L, 150, 11), HTTOP);
    EXPECT_EQ(SkinBorderZone(L, 150, 197), HTBOTTOM);
    EXPECT_EQ(SkinBorderZone(L, 2, 100), HTLEFT);
    EXPECT_EQ(SkinBorderZone(L, 297, 100), HTRIGHT);
    EXPECT_EQ(SkinBorderZone(L, 150, 100), HTNOWHERE);
}

TEST(SizingBorder, AnyProbeOutsideShape)
{
    auto inWindow = [](int x, int y) { return x >= 0 && y >= 0 && x < 300 && y < 200; };
    EXPECT_TRUE(OnSkinSizingBorder(2, 100, 3, inWindow));
    EXPECT_FALSE(OnSkinSizingBorder(3, 100, 3, inWindow));
    EXPECT_TRUE(OnSkinSizingBorder(297, 100, 3, inWindow));
    EXPECT_FALSE(OnSkinSizingBorder(296, 100, 3, inWindow));
}

} // namespace
