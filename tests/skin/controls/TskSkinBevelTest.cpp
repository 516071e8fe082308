#include "skin/controls/TskSkinBevel.h"

#include "SkinControlsTestSupport.h"

using namespace skintest;

namespace {
using SkinBevel = SkinFormTest;

TskSkinBevel* MakeBevel(SkinFormTest& T, TRect R, bool Skinned)
{
    auto* b = new TskSkinBevel(T.Form);
    b->SetParent(T.Form);
    b->SetBoundsRect(R);
    if (Skinned) b->SetSkinData(T.Skin());
    return b;
}
} // namespace

TEST_F(SkinBevel, Skinned_LoweredBoxInTheSkinsDarkAndLightColours)
{
    auto* b = MakeBevel(*this, Rect(10, 10, 60, 40), true);
    ShowForm();
    Save("Bevel_Skinned");
    EXPECT_EQ(b->SkinIndex(), 10);
    EXPECT_EQ(At(10, 10), Px(static_cast<TColor>(255)));   // dark top-left
    EXPECT_EQ(At(59, 39), Px(static_cast<TColor>(65535))); // light bottom-right
}

TEST_F(SkinBevel, WithoutSkin_SystemColours)
{
    MakeBevel(*this, Rect(10, 10, 60, 40), false);
    ShowForm();
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(59, 39), Px(clBtnHighlight));
}

TEST_F(SkinBevel, DividerMode_TopLineIsAGrooveAcrossTheMiddle)
{
    auto* b = MakeBevel(*this, Rect(10, 10, 110, 20), true);
    b->SetShape(bsTopLine);
    b->SetDividerMode(true);
    ShowForm();
    EXPECT_EQ(At(30, 14), Px(static_cast<TColor>(255)));
    EXPECT_EQ(At(30, 10), Px(clWhite));
    EXPECT_EQ(At(11, 14), Px(clWhite)); // starts 2 pixels in
    // The second colour closes the groove 2 pixels before the far edge, and no further.
    EXPECT_EQ(At(108, 15), Px(static_cast<TColor>(65535)));
    EXPECT_EQ(At(108, 14), Px(static_cast<TColor>(65535)));
    EXPECT_EQ(At(109, 14), Px(clWhite));
}

TEST_F(SkinBevel, DividerMode_LeftLineIsAGrooveDownTheMiddle)
{
    auto* b = MakeBevel(*this, Rect(10, 10, 20, 110), true);
    b->SetShape(bsLeftLine);
    b->SetDividerMode(true);
    ShowForm();
    EXPECT_EQ(At(14, 12), Px(static_cast<TColor>(255)));
    EXPECT_EQ(At(14, 108), Px(static_cast<TColor>(65535)));
    EXPECT_EQ(At(15, 108), Px(static_cast<TColor>(65535)));
    EXPECT_EQ(At(14, 109), Px(clWhite));
}
