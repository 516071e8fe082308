#include "skin/controls/TskGraphicSkinControl.h"

#include "SkinControlsTestSupport.h"

using namespace skintest;

namespace {
using GraphicSkinControl = SkinFormTest;
}

TEST_F(GraphicSkinControl, WithoutSkin_PaintsTheButtonFaceOnTheParent)
{
    Make<TskGraphicSkinCustomControl>(Form, Rect(10, 10, 60, 40), false);
    ShowForm();
    EXPECT_EQ(At(12, 12), Px(clBtnFace));
    EXPECT_EQ(At(62, 12), Px(clWhite));
}

TEST_F(GraphicSkinControl, NinePartEntry_KeepsAnySizeAndStretchesNothingButTheClient)
{
    auto* c = Make<TskGraphicSkinCustomControl>(Form, Rect(0, 0, 1, 1));
    c->SetSkinDataName("panel");
    c->SetBoundsRect(Rect(10, 10, 90, 50));
    ShowForm();
    Save("GraphicSkinControl_NinePart");
    EXPECT_EQ(c->Width(), 80);
    EXPECT_EQ(At(11, 11), Px(cFrame));
    EXPECT_EQ(At(88, 48), Px(cFrame));
    EXPECT_EQ(At(40, 30), Px(cClient));
}

TEST_F(GraphicSkinControl, FixedEntry_ForcesTheSizeButNeverCutsAWindow)
{
    auto* c = Make<TskGraphicSkinCustomControl>(Form, Rect(0, 0, 1, 1));
    c->SetSkinDataName("fixed");
    c->SetBoundsRect(Rect(10, 10, 100, 100));
    ShowForm();
    EXPECT_EQ(c->Width(), 20);
    EXPECT_EQ(c->Height(), 10);
    EXPECT_EQ(At(25, 12), Px(cFixed)); // the mask does not apply to a windowless control
}

TEST_F(GraphicSkinControl, SkinDataNameAlone_RepaintsNothing)
{
    auto* c = Make<TskGraphicSkinCustomControl>(Form, Rect(10, 10, 60, 40));
    ShowForm();
    c->SetSkinDataName("panel");
    Driver.ProcessMessages();
    EXPECT_EQ(At(12, 12), Px(clBtnFace));
    c->Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(c->SkinIndex(), 0);
    EXPECT_EQ(At(11, 11), Px(cFrame));
}

TEST_F(GraphicSkinControl, AlphaBlendZero_ShowsOnlyTheParent)
{
    auto* c = Make<TskGraphicSkinCustomControl>(Form, Rect(10, 10, 60, 40), false);
    c->SetAlphaBlend(true);
    c->SetAlphaBlendValue(0);
    ShowForm();
    EXPECT_EQ(At(20, 20), Px(clWhite));
}
