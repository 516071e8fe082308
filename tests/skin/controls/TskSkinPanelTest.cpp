#include "skin/controls/TskSkinPanel.h"

#include "SkinControlsTestSupport.h"

using namespace skintest;

namespace {
using PanelLook = SkinFormTest;
using PanelLayout = SkinFormTest;
using PanelCaption = SkinFormTest;
} // namespace

TEST_F(PanelLook, WithoutSkin_BorderStylesFrameTheFace)
{
    Make<TskSkinPanel>(Form, Rect(10, 10, 110, 60), false);
    auto* raised = Make<TskSkinPanel>(Form, Rect(150, 10, 250, 60), false);
    raised->SetBorderStyle(bvRaised);
    auto* none = Make<TskSkinPanel>(Form, Rect(300, 10, 400, 60), false);
    none->SetBorderStyle(bvNone);
    ShowForm();
    Save("Panel_Default");
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(50, 30), Px(clBtnFace));
    EXPECT_EQ(At(150, 10), Px(clBtnHighlight));
    EXPECT_EQ(At(249, 59), Px(clBtnShadow));
    EXPECT_EQ(At(300, 10), Px(clBtnFace));
}

TEST_F(PanelLook, Skinned_FramePaintedDirectlyAndClientTiled)
{
    Make<TskSkinPanel>(Form, Rect(10, 10, 210, 110));
    ShowForm();
    Save("Panel_Skinned");
    EXPECT_EQ(At(11, 11), Px(cFrame));
    EXPECT_EQ(At(208, 108), Px(cFrame));
    EXPECT_EQ(At(15, 15), Px(cClientDot));
    EXPECT_EQ(At(35, 35), Px(cClientDot));
    EXPECT_EQ(At(200, 100), Px(cClient));
}

TEST_F(PanelLook, SkinnedWithoutBorder_ClientTextureEdgeToEdgeAndNoFrame)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 210, 60));
    p->SetBorderStyle(bvNone);
    ShowForm();
    Save("Panel_QueueRow");
    EXPECT_EQ(At(10, 10), Px(cClientDot));
    EXPECT_EQ(At(30, 30), Px(cClientDot));
    EXPECT_EQ(At(209, 59), Px(cClient));
}

TEST_F(PanelLook, EmptyClientPiece_PaintsTheFrameWithoutTilingForever)
{
    auto* framed = Make<TskSkinPanel>(Form, Rect(10, 10, 110, 60));
    framed->SetSkinDataName("emptyclient");
    auto* row = Make<TskSkinPanel>(Form, Rect(150, 10, 250, 60));
    row->SetSkinDataName("emptyclient");
    row->SetBorderStyle(bvNone);
    framed->RefreshSkin();
    row->RefreshSkin();
    // The zero-width client piece is skipped: painting ends, the corners still come from the skin.
    ShowForm();
    Save("Panel_EmptyClientPiece");
    EXPECT_NE(framed->SkinIndex(), -1);
    EXPECT_EQ(At(12, 58), Px(cFrame));
}

TEST_F(PanelLook, BackgroundPicture_CoversTheWholePanelWithoutFrame)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 310, 160));
    p->SetSkinDataName("bgpanel");
    p->RefreshSkin();
    ShowForm();
    // Picture 0 tiled from the panel's corner: its white gap at x 35 shows where a frame would be.
    EXPECT_EQ(At(45, 15), Px(clWhite));
    EXPECT_EQ(At(216, 16), Px(cClient)); // the second tile starts at x 210
}

TEST_F(PanelLook, BorderStyleWhileSkinned_WaitsForTheNextPaint)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 110, 60));
    ShowForm();
    p->SetBorderStyle(bvNone);
    Driver.ProcessMessages();
    EXPECT_EQ(At(11, 11), Px(cFrame));
    p->Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(At(10, 10), Px(cClientDot));
}

TEST_F(PanelLayout, ChildrenUseTheClientAreaOfEachLook)
{
    auto* plain = Make<TskSkinPanel>(Form, Rect(0, 0, 100, 100), false);
    auto* a = Make<TskSkinPanel>(plain, Rect(0, 0, 10, 10), false);
    a->SetAlign(alClient);
    EXPECT_EQ(a->BoundsRect(), Rect(1, 1, 99, 99));
    plain->SetCaptionMode(true);
    EXPECT_EQ(a->BoundsRect(), Rect(1, 23, 99, 99));

    auto* skinned = Make<TskSkinPanel>(Form, Rect(200, 0, 300, 100));
    auto* b = Make<TskSkinPanel>(skinned, Rect(0, 0, 10, 10), false);
    b->SetAlign(alClient);
    skinned->RefreshSkin();
    EXPECT_EQ(b->BoundsRect(), Rect(5, 5, 95, 95));
    skinned->SetBorderStyle(bvNone);
    skinned->RefreshSkin();
    EXPECT_EQ(b->BoundsRect(), Rect(0, 0, 100, 100));
}

TEST_F(PanelCaption, ClickInTheCaption_RollsUpAndBackWithTheChildren)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 210, 160), false);
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    auto* child = Make<TskSkinPanel>(p, Rect(20, 40, 60, 80), false);
    int changes = 0;
    p->OnChangeRollUpState = [&](TObject*) { ++changes; };
    ShowForm();
    Driver.Click(Point(50, 20));
    EXPECT_TRUE(p->RollUpState());
    EXPECT_EQ(p->Height(), 23);
    EXPECT_EQ(p->RealHeight(), 150);
    EXPECT_FALSE(child->Visible());
    Save("Panel_RolledUp");
    Driver.Click(Point(50, 20));
    EXPECT_FALSE(p->RollUpState());
    EXPECT_EQ(p->Height(), 150);
    EXPECT_EQ(p->RealHeight(), -1);
    EXPECT_TRUE(child->Visible());
    EXPECT_EQ(changes, 2);
}

TEST_F(PanelCaption, CheckedWithAutoEnabledControls_EnablesTheChildren)
{
    auto* p = Make<TskSkinPanel>(Form, Rect(10, 10, 210, 160), false);
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    auto* child = Make<TskSkinPanel>(p, Rect(20, 40, 60, 80), false);
    p->SetChecked(false);
    EXPECT_FALSE(child->Enabled());
    ShowForm();
    Driver.Click(Point(50, 20));
    EXPECT_TRUE(p->Checked());
    EXPECT_TRUE(child->Enabled());
}

TEST_F(PanelCaption, GroupBox_IsAPanelInCaptionMode)
{
    auto* g = Make<TskSkinGroupBox>(Form, Rect(10, 10, 210, 160), false);
    g->SetCaption("Options");
    ShowForm();
    Save("GroupBox_Default");
    EXPECT_TRUE(g->CaptionMode());
    EXPECT_EQ(g->SkinDataName(), "groupbox");
}
