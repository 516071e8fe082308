#include "skin/controls/TskSkinControl.h"

#include "SkinControlsTestSupport.h"
#include "platform/vcl/TypInfo.h"

using namespace skintest;

namespace {

// Notes how often the background news reached it.
class TCountingControl : public TskSkinCustomControl {
public:
    using TskSkinCustomControl::TskSkinCustomControl;
    int Told = 0;
    void ParentBackgroundChanged() override
    {
        ++Told;
        TskSkinCustomControl::ParentBackgroundChanged();
    }
};

using SkinControlLook = SkinFormTest;
using SkinControlSize = SkinFormTest;
using SkinControlBackground = SkinFormTest;

} // namespace

TEST_F(SkinControlLook, WithoutSkin_PaintsTheButtonFaceDefault)
{
    Make<TskSkinCustomControl>(Form, Rect(10, 10, 60, 40), false);
    ShowForm();
    EXPECT_EQ(At(12, 12), Px(clBtnFace));
    EXPECT_EQ(At(70, 12), Px(clWhite));
}

TEST_F(SkinControlLook, UnknownEntry_FallsBackToTheDefaultLook_OrNothingWithoutDrawDefault)
{
    auto* a = Make<TskSkinCustomControl>(Form, Rect(10, 10, 60, 40));
    a->SetSkinDataName("nosuchentry");
    auto* b = Make<TskSkinCustomControl>(Form, Rect(100, 10, 150, 40));
    b->SetSkinDataName("nosuchentry");
    b->SetDrawDefault(false);
    ShowForm();
    EXPECT_EQ(a->SkinIndex(), -1);
    EXPECT_EQ(At(12, 12), Px(clBtnFace));
    EXPECT_NE(At(102, 12), Px(clBtnFace));
}

TEST_F(SkinControlLook, NinePartEntry_FrameCornersAndTiledClient)
{
    auto* c = Make<TskSkinCustomControl>(Form, Rect(0, 0, 1, 1));
    c->SetSkinDataName("panel");
    c->SetBoundsRect(Rect(10, 10, 110, 70));
    ShowForm();
    Save("SkinControl_NinePart");
    EXPECT_EQ(c->ResizeMode(), 1);
    EXPECT_EQ(c->Width(), 100);
    EXPECT_EQ(c->Height(), 60);
    EXPECT_EQ(At(11, 11), Px(cFrame));
    EXPECT_EQ(At(108, 68), Px(cFrame));
    EXPECT_EQ(At(15, 15), Px(cClientDot));
    EXPECT_EQ(At(35, 35), Px(cClientDot)); // the second tile in both directions
    EXPECT_EQ(At(20, 20), Px(cClient));
}

TEST_F(SkinControlLook, SkinDataNameAlone_ChangesTheLookAtTheNextPaintOnly)
{
    auto* c = Make<TskSkinCustomControl>(Form, Rect(10, 10, 110, 70));
    ShowForm();
    EXPECT_EQ(At(11, 11), Px(clBtnFace));
    c->SetSkinDataName("panel");
    EXPECT_EQ(c->SkinIndex(), -1);
    c->Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(At(11, 11), Px(cFrame));
    EXPECT_EQ(c->Width(), 100);
}

TEST_F(SkinControlLook, FreedSkin_ClearsTheLinkAndPaintsTheDefault)
{
    auto* skin = new TskSkinData(Form);
    auto* c = Make<TskSkinCustomControl>(Form, Rect(10, 10, 60, 40), false);
    c->SetSkinData(skin);
    skin->Free();
    EXPECT_EQ(c->SkinData(), nullptr);
    ShowForm();
    EXPECT_EQ(At(12, 12), Px(clBtnFace));
}

TEST_F(SkinControlLook, SkinCursor_FollowsTheEntryAndFallsBackWhenTheSkinGoes)
{
    auto* skin = new TskSkinData(Form);
    auto* c = Make<TskSkinCustomControl>(Form, Rect(10, 10, 60, 40), false);
    c->SetSkinDataName("panel");
    c->SetUseSkinCursor(true);
    c->SetSkinData(Skin());
    EXPECT_EQ(c->Cursor(), static_cast<TCursor>(Skin()->StartCursorIndex));
    c->SetSkinData(skin);
    skin->Free();
    // The entry's cursor index is still noted, but no skin is there to read it from.
    c->RefreshSkin();
    EXPECT_EQ(c->Cursor(), crDefault);
}

TEST_F(SkinControlSize, HorizontalEntry_KeepsTheWidthAndForcesTheSkinHeight)
{
    auto* c = Make<TskSkinCustomControl>(Form, Rect(0, 0, 1, 1));
    c->SetSkinDataName("gauge");
    c->SetBoundsRect(Rect(10, 10, 210, 60));
    EXPECT_EQ(c->ResizeMode(), 2);
    EXPECT_EQ(c->Width(), 200);
    EXPECT_EQ(c->Height(), 10);
}

TEST_F(SkinControlSize, VerticalEntry_ForcesTheSkinWidth)
{
    auto* c = Make<TskSkinCustomControl>(Form, Rect(0, 0, 1, 1));
    c->SetSkinDataName("vbar");
    c->SetBoundsRect(Rect(10, 10, 210, 90));
    EXPECT_EQ(c->ResizeMode(), 3);
    EXPECT_EQ(c->Width(), 10);
    EXPECT_EQ(c->Height(), 80);
}

TEST_F(SkinControlSize, FixedEntry_ForcesItsSizeAndCutsTheWindowByTheMask)
{
    auto* c = Make<TskSkinCustomControl>(Form, Rect(0, 0, 1, 1));
    c->SetSkinDataName("fixed");
    c->SetBoundsRect(Rect(10, 10, 110, 110));
    EXPECT_EQ(c->Width(), 20);
    EXPECT_EQ(c->Height(), 10);
    ShowForm();
    c->RefreshSkin();
    Driver.ProcessMessages();
    Save("SkinControl_FixedWithMask");
    EXPECT_TRUE(c->HasWindowRegion());
    EXPECT_EQ(At(12, 12), Px(cFixed));
    EXPECT_EQ(At(25, 12), Px(clWhite)); // the mask's white half is not part of the window
}

TEST_F(SkinControlSize, RefreshSkin_ForcesTheSkinSizeAgain)
{
    auto* c = Make<TskSkinCustomControl>(Form, Rect(10, 10, 60, 60), false);
    c->SetSkinDataName("fixed");
    c->SetSkinData(Skin());
    EXPECT_EQ(c->Width(), 20);
    EXPECT_EQ(c->Height(), 10);
}

TEST_F(SkinControlSize, WithoutEntry_DefaultSizesApplyOnlyFromOne)
{
    auto* c = Make<TskSkinCustomControl>(Form, Rect(10, 10, 60, 60), false);
    c->SetDefaultWidth(0);
    EXPECT_EQ(c->Width(), 50);
    c->SetDefaultWidth(33);
    c->SetDefaultHeight(44);
    EXPECT_EQ(c->Width(), 33);
    EXPECT_EQ(c->Height(), 44);
}

TEST_F(SkinControlSize, ZeroSize_PaintsNothingAndRaisesNothing)
{
    auto* c = Make<TskSkinCustomControl>(Form, Rect(0, 0, 1, 1));
    c->SetSkinDataName("panel");
    c->SetBoundsRect(Rect(10, 10, 40, 40));
    ShowForm();
    ASSERT_EQ(At(10, 12), Px(cFrame));
    // Shrunk to nothing: the form shows again where the panel's frame was.
    c->SetBoundsRect(Rect(10, 10, 10, 40));
    EXPECT_NO_THROW(Driver.ProcessMessages());
    EXPECT_EQ(At(10, 12), Px(clWhite));
    c->SetBoundsRect(Rect(10, 10, 40, 10));
    EXPECT_NO_THROW(Driver.ProcessMessages());
    EXPECT_EQ(At(12, 20), Px(clWhite));
}

TEST_F(SkinControlSize, MapSkinRect_TopRowWidensAndRightBottomCornerMoves)
{
    auto* c = Make<TskSkinCustomControl>(Form, Rect(0, 0, 1, 1));
    c->SetSkinDataName("panel");
    c->SetBoundsRect(Rect(0, 0, 130, 90)); // 100 wider, 60 higher than the skin
    TRect r;
    c->MapSkinRect(Rect(2, 1, 28, 4), r);
    EXPECT_EQ(r, Rect(2, 1, 128, 4));
    c->MapSkinRect(Rect(26, 26, 29, 29), r);
    EXPECT_EQ(r, Rect(126, 86, 129, 89));
    c->MapSkinRect(Rect(1, 1, 4, 4), r);
    EXPECT_EQ(r, Rect(1, 1, 4, 4));
}

TEST_F(SkinControlBackground, NewsStopsAtAChildThatIsNotBlended)
{
    auto* outer = Make<TCountingControl>(Form, Rect(0, 0, 200, 200), false);
    auto* mid = Make<TCountingControl>(outer, Rect(10, 10, 150, 150), false);
    auto* inner = Make<TCountingControl>(mid, Rect(10, 10, 50, 50), false);
    ShowForm();
    outer->SendParentBackgroundChanged();
    EXPECT_EQ(mid->Told, 1);
    EXPECT_EQ(inner->Told, 0);
    mid->SetAlphaBlend(true);
    outer->SendParentBackgroundChanged();
    EXPECT_EQ(mid->Told, 2);
    EXPECT_EQ(inner->Told, 1);
}

TEST_F(SkinControlBackground, AlphaBlendValue_FullIsTheControlZeroIsTheParent)
{
    auto* a = Make<TskSkinCustomControl>(Form, Rect(10, 10, 60, 40), false);
    a->SetAlphaBlend(true);
    a->SetAlphaBlendValue(255);
    auto* b = Make<TskSkinCustomControl>(Form, Rect(100, 10, 150, 40), false);
    b->SetAlphaBlend(true);
    b->SetAlphaBlendValue(0);
    auto* c = Make<TskSkinCustomControl>(Form, Rect(200, 10, 250, 40), false);
    c->SetAlphaBlend(true);
    c->SetAlphaBlendValue(128);
    ShowForm();
    Save("SkinControl_AlphaBlend");
    EXPECT_EQ(At(20, 20), Px(clBtnFace));
    EXPECT_EQ(At(120, 20), Px(clWhite));
    const TPixel half = At(220, 20);
    EXPECT_NE(half, Px(clWhite));
    EXPECT_NE(half, Px(clBtnFace));
}

TEST(SkinControlRegistry, FormReaderKnowsTheBaseProperties)
{
    RegisterSkinControlClasses();
    const TClassInfo* info = FindClassInfo("TskSkinCustomControl");
    ASSERT_NE(info, nullptr);
    const TPropInfo* p = info->FindProp("AlphaBlendValue");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Default, 200);
    EXPECT_NE(info->FindProp("SkinDataName"), nullptr);
    EXPECT_NE(info->FindProp("DefaultFont"), nullptr);
}
