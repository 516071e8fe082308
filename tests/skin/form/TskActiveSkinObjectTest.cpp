#include "skin/form/TskActiveSkinObject.h"

#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskLayerManager.h"

using namespace frametest;

namespace {

// A shown skinned form; the objects under test are made by the test from the skin's entries, so that
// they are plain TskActiveSkinObjects whatever kinds the frame registers.
struct ActiveObjectTest : FrameTest {
    std::unique_ptr<TFrameSkin> FrameSkin;
    std::vector<std::string> Log;

    void MakeSkin(const std::string& ObjExtra = "")
    {
        FrameSkin = std::make_unique<TFrameSkin>("", ObjExtra);
        Frame->OnMouseEnterEvent = [this](const std::string& id) { Log.push_back("enter " + id); };
        Frame->OnMouseLeaveEvent = [this](const std::string& id) { Log.push_back("leave " + id); };
        Frame->OnMouseDownEvent = [this](const std::string& id, int, int, const TRect&, TMouseButton) {
            Log.push_back("down " + id);
        };
        Frame->OnMouseUpEvent = [this](const std::string& id, int, int, const TRect&, TMouseButton) {
            Log.push_back("up " + id);
        };
        Frame->SetSkinData(FrameSkin->Skin.get());
        Frame->SetForcedActive(true);
        ShowForm();
    }
    void TearDown() override
    {
        Frame->SetSkinData(nullptr);
        FrameTest::TearDown();
    }
    TskDataSkinObject* Entry(const std::string& name)
    {
        return FrameSkin->Skin->ObjectDataList[static_cast<std::size_t>(FrameSkin->Skin->FindObjectIndex(name))].get();
    }
    std::unique_ptr<TskActiveSkinObject> Make(const std::string& name)
    {
        return std::make_unique<TskActiveSkinObject>(Frame, Entry(name));
    }
};

using MaskHitTest = ActiveObjectTest;
using Morph = ActiveObjectTest;
using EnterLeave = ActiveObjectTest;
using ObjectPainting = ActiveObjectTest;
using ObjectCreation = ActiveObjectTest;

// ---- Creation ----

TEST_F(ObjectCreation, CopiesEntryAndTakesPictures)
{
    MakeSkin("morphing=1\nmorphkind=mkpush\n");
    auto o = Make("obj");
    EXPECT_EQ(o->IDName, "obj");
    EXPECT_EQ(o->Hint, "Object");
    EXPECT_EQ(o->ObjectRect, Rect(20, 16, 40, 26));
    EXPECT_TRUE(o->Morphing);
    EXPECT_EQ(o->MorphKind, 6);
    EXPECT_EQ(o->Picture, FrameSkin->Skin->Picture.get());
    EXPECT_EQ(o->ActivePicture, FrameSkin->Skin->ActivePictures[0].get());
    EXPECT_EQ(o->ActiveMaskPicture, FrameSkin->Skin->ActivePictures[1].get());
    EXPECT_EQ(o->MorphFactor, 0);
    EXPECT_FALSE(o->Active);
}

TEST_F(ObjectCreation, NoActivePicture_ClearsActiveImageInEntryToo)
{
    MakeSkin();
    auto o = Make("plain");
    EXPECT_TRUE(o->ActiveSkinRect.IsEmpty());
    EXPECT_EQ(Entry("plain")->ActiveSkinRect, Rect(0, 0, 0, 0));
}

TEST_F(ObjectCreation, WithoutEntry_OnlyOwnerAndDefaults)
{
    MakeSkin();
    TskActiveSkinObject o(Frame, nullptr);
    EXPECT_EQ(o.Parent, Frame);
    EXPECT_EQ(o.SkinData, FrameSkin->Skin.get());
    EXPECT_TRUE(o.Enabled);
    EXPECT_TRUE(o.Visible);
    EXPECT_TRUE(o.IDName.empty());
}

TEST(SkinObjectKinds, ChosenByEntryClassInOrder)
{
    TskDataSkinStdButton std("a");
    TskDataSkinButton button("b");
    TskDataSkinMainMenuBarButton barButton("c");
    TskDataSkinMenuItem menuItem("d");
    TskDataSkinCaption caption("e");
    TskDataSkinFrameGaugeObject frameGauge("f");
    TskDataSkinObject unknown("g");
    // A caption button is a button too: the more special class decides.
    EXPECT_EQ(SkinObjectKindOf(&std), skokStdButton);
    EXPECT_EQ(SkinObjectKindOf(&button), skokButton);
    // Entries that serve only menus make no object, though they derive from button kinds.
    EXPECT_EQ(SkinObjectKindOf(&barButton), skokNone);
    EXPECT_EQ(SkinObjectKindOf(&menuItem), skokNone);
    EXPECT_EQ(SkinObjectKindOf(&caption), skokCaption);
    EXPECT_EQ(SkinObjectKindOf(&frameGauge), skokFrameGauge);
    EXPECT_EQ(SkinObjectKindOf(&unknown), skokNone);
    EXPECT_EQ(CreateSkinObject(nullptr, &menuItem), nullptr);
}

// ---- Hit test through the mask ----

TEST_F(MaskHitTest, OnlyBlackMaskPixelsCount)
{
    MakeSkin();
    auto o = Make("obj");
    EXPECT_TRUE(o->InMask(0, 0));
    EXPECT_TRUE(o->InMask(9, 9));
    EXPECT_FALSE(o->InMask(10, 0));
    EXPECT_FALSE(o->InMask(19, 9));
}

TEST_F(MaskHitTest, OutsideMaskNeverInside)
{
    MakeSkin();
    auto o = Make("obj");
    EXPECT_FALSE(o->InMask(-1, 0));
    EXPECT_FALSE(o->InMask(0, -1));
    EXPECT_FALSE(o->InMask(21, 0));
    EXPECT_FALSE(o->InMask(0, 11));
    // One past the last column or row reads no pixel either.
    EXPECT_FALSE(o->InMask(20, 0));
    EXPECT_FALSE(o->InMask(0, 10));
}

TEST_F(MaskHitTest, WithoutMask_WholeRectCounts)
{
    MakeSkin();
    auto o = Make("plain");
    EXPECT_TRUE(o->InMask(-5, 500));
}

// ---- Morph ----

TEST_F(Morph, FiveStepsFromNormalToActive)
{
    MakeSkin("morphing=1\n");
    auto o = Make("obj");
    ASSERT_TRUE(o->EnableMorphing());
    o->MouseEnter();
    int steps = 0;
    while (o->CanMorphing() && steps < 10) {
        o->DoMorphing();
        ++steps;
    }
    EXPECT_EQ(steps, 5);
    EXPECT_DOUBLE_EQ(o->MorphFactor, 1.0);
}

TEST_F(Morph, ReversedHalfWay_FadesBackInTwoSteps)
{
    MakeSkin("morphing=1\n");
    auto o = Make("obj");
    o->MouseEnter();
    o->DoMorphing();
    o->DoMorphing();
    EXPECT_NEAR(o->MorphFactor, 0.4, 1e-9);
    o->MouseLeave();
    int steps = 0;
    while (o->CanMorphing() && steps < 10) {
        o->DoMorphing();
        ++steps;
    }
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(o->MorphFactor, 0);
}

TEST_F(Morph, FactorClampedIntoUnitRange)
{
    MakeSkin();
    auto o = Make("obj");
    o->SetMorphFactor(1.7);
    EXPECT_EQ(o->MorphFactor, 1);
    o->SetMorphFactor(-3);
    EXPECT_EQ(o->MorphFactor, 0);
}

TEST_F(Morph, FrameTimerStepsItsObjectsToTheEnd)
{
    MakeSkin("morphing=1\n");
    TskActiveSkinObject* o = Frame->FindObject("obj");
    ASSERT_NE(o, nullptr);
    o->MorphIncrease = true;
    o->Active = true;
    Frame->StartMorphTimer();
    Driver.AdvanceClock(SkinObjectMorphInterval * 5);
    EXPECT_DOUBLE_EQ(o->MorphFactor, 1.0);
    EXPECT_FALSE(o->CanMorphing());
}

TEST_F(Morph, SkinEffectsOff_ActiveImageAtOnce)
{
    MakeSkin("morphing=1\n");
    FrameSkin->Skin->SetEnableSkinEffects(false);
    auto o = Make("obj");
    EXPECT_FALSE(o->EnableMorphing());
    o->MouseEnter();
    Driver.ProcessMessages();
    EXPECT_EQ(At(25, 20), Px(cActive));
    EXPECT_EQ(o->MorphFactor, 0);
}

TEST_F(Morph, SkinEffectsOn_EnterLeavesDrawingToMorph)
{
    MakeSkin("morphing=1\n");
    auto o = Make("obj");
    o->MouseEnter();
    Driver.ProcessMessages();
    EXPECT_EQ(At(25, 20), Px(cObject));
}

// ---- Enter and leave ----

TEST_F(EnterLeave, RaisesEventsAndTogglesState)
{
    MakeSkin();
    auto o = Make("obj");
    o->MouseEnter();
    EXPECT_TRUE(o->Active);
    EXPECT_TRUE(o->MorphIncrease);
    o->MouseLeave();
    EXPECT_FALSE(o->Active);
    EXPECT_FALSE(o->MorphIncrease);
    EXPECT_EQ(Log, (std::vector<std::string>{"enter obj", "leave obj"}));
}

TEST_F(EnterLeave, WithoutActiveImage_NoRedrawButEvents)
{
    MakeSkin();
    auto o = Make("plain");
    Fill(*FrameSkin->Skin->Picture, Rect(50, 16, 60, 26), cActive);
    o->MouseEnter();
    Driver.ProcessMessages();
    // The window still shows the picture as it was painted: no redraw happened.
    EXPECT_NE(At(55, 20), Px(cActive));
    EXPECT_EQ(Log, std::vector<std::string>{"enter plain"});
}

TEST_F(EnterLeave, ReleaseAfterLeaving_NoMouseUpEvent)
{
    MakeSkin();
    auto o = Make("obj");
    o->MouseEnter();
    o->MouseDown(25, 20, mbLeft);
    o->MouseLeave();
    o->MouseUp(60, 60, mbLeft);
    EXPECT_EQ(Log, (std::vector<std::string>{"enter obj", "down obj", "leave obj"}));
}

// ---- Glow layer ----

using GlowLayer = ActiveObjectTest;

TEST_F(GlowLayer, ShownOnEnterHiddenOnLeave)
{
    MakeSkin("glowlayerpictureindex=0\nglowlayermaskpictureindex=1\nglowlayeroffsetx=4\nglowlayeroffsety=3\n");
    auto o = Make("obj");
    o->MouseEnter();
    ASSERT_TRUE(Frame->LayerManager(0)->LayerVisible());
    TRect r;
    GetWindowRect(Frame->LayerManager(0)->LayerWindow()->Handle(), r);
    EXPECT_EQ(r.Left, 100 + 20 - 4);
    EXPECT_EQ(r.Top, 80 + 16 - 3);
    o->MouseLeave();
    EXPECT_FALSE(Frame->LayerManager(0)->LayerVisible());
}

TEST_F(GlowLayer, MaskIndexNamingNoPicture_NoGlow)
{
    MakeSkin("glowlayerpictureindex=0\nglowlayermaskpictureindex=7\n");
    auto o = Make("obj");
    o->MouseEnter();
    EXPECT_FALSE(Frame->LayerManager(0)->LayerVisible());
}

TEST_F(GlowLayer, SkinTurnsGlowOff_NoGlow)
{
    MakeSkin("glowlayerpictureindex=0\nglowlayermaskpictureindex=1\n");
    FrameSkin->Skin->SetShowCaptionButtonGlowFrames(false);
    auto o = Make("obj");
    o->MouseEnter();
    EXPECT_FALSE(Frame->LayerManager(0)->LayerVisible());
}

// ---- Painting ----

TEST_F(ObjectPainting, InactiveImageWinsWhileWindowInactive)
{
    MakeSkin("inactiveskinrect=20,0,40,10\n");
    auto o = Make("obj");
    Frame->SetForcedActive(false);
    Deactivate();
    o->MorphIncrease = true;
    Frame->RedrawSkinObject(o.get());
    Driver.ProcessMessages();
    EXPECT_EQ(At(25, 20), Px(cInactive));
    // A disabled object paints as if the window were active.
    o->Enabled = false;
    Frame->RedrawSkinObject(o.get());
    Driver.ProcessMessages();
    EXPECT_EQ(At(25, 20), Px(cActive));
}

TEST_F(ObjectPainting, WholeFramePaint_NormalImageLeftToPicture)
{
    MakeSkin();
    auto o = Make("obj");
    TBitmap canvas(100, 50);
    Fill(canvas, Rect(0, 0, 100, 50), clBlack);
    o->Draw(canvas.Canvas(), false);
    EXPECT_EQ(canvas.Canvas()->Pixels(25, 20) & 0xFFFFFF, clBlack);
    o->Draw(canvas.Canvas(), true);
    EXPECT_EQ(canvas.Canvas()->Pixels(25, 20) & 0xFFFFFF, cObject);
}

} // namespace
