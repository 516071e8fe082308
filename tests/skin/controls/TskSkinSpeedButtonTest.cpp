#include "skin/controls/TskSkinSpeedButton.h"

#include "SkinButtonsTestSupport.h"
#include "platform/vcl/TAction.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskSkinControl.h"

using namespace skintest;

namespace {

struct SpeedButtonTest : SkinFormTest {
    int Clicks = 0;
    TskSkinSpeedButton* Button(TRect R, bool Skinned)
    {
        auto* b = new TskSkinSpeedButton(Form);
        b->SetParent(Form);
        if (Skinned) b->SetSkinData(Skin());
        b->SetBoundsRect(R);
        b->OnClick = [this](TObject*) { ++Clicks; };
        return b;
    }
};

using SpeedButtonLook = SpeedButtonTest;
using SpeedButtonMouse = SpeedButtonTest;
using SpeedButtonGroup = SpeedButtonTest;
using SpeedButtonAction = SpeedButtonTest;
using SpeedButtonImages = SpeedButtonTest;
using SpeedButtonAccelerator = SpeedButtonTest;

struct SpeedButtonAnimation : SpeedButtonTest {
    TButtonsSkin Extra;
    TskSkinSpeedButton* Animated(TRect R)
    {
        auto* b = new TskSkinSpeedButton(Form);
        b->SetParent(Form);
        b->SetSkinDataName("abutton");
        b->SetSkinData(Extra.Skin.get());
        b->SetBoundsRect(R);
        return b;
    }
};

} // namespace

TEST_F(SpeedButtonLook, WithoutSkin_RestHotAndPressedDefaults)
{
    Button(Rect(10, 10, 60, 40), false);
    ShowForm();
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(30, 25), Px(clBtnFace));
    Driver.MoveTo(Point(30, 25));
    EXPECT_EQ(At(10, 10), Px(static_cast<TColor>(8388608)));
    EXPECT_EQ(At(15, 15), Px(static_cast<TColor>(13811126)));
    Driver.ButtonDown();
    Save("SpeedButton_DefaultPressed");
    EXPECT_EQ(At(15, 15), Px(static_cast<TColor>(11899781)));
    Driver.ButtonUp();
    EXPECT_EQ(Clicks, 1);
}

TEST_F(SpeedButtonLook, Skinned_StatePicturesStretchedToAnySize)
{
    auto* b = Button(Rect(10, 10, 90, 40), true);
    b->SetUseSkinSize(false);
    ShowForm();
    Save("SpeedButton_SkinnedRest");
    EXPECT_EQ(b->Width(), 80);
    EXPECT_EQ(At(50, 25), Px(cNormal));
    b->SetEnabled(false);
    Driver.ProcessMessages();
    EXPECT_EQ(At(50, 25), Px(cDisabled));
}

TEST_F(SpeedButtonLook, FlatSkinned_AtRestShowsTheParentUnderTheMouseTheHotPicture)
{
    auto* b = Button(Rect(10, 10, 90, 40), true);
    b->SetFlat(true);
    b->SetUseSkinSize(false);
    ShowForm();
    EXPECT_EQ(At(12, 12), Px(clWhite));
    Driver.MoveTo(Point(50, 25));
    Driver.AdvanceClock(200); // the cross-fade runs to its end
    Save("SpeedButton_FlatHot");
    EXPECT_EQ(At(12, 12), Px(cActive));
    Driver.MoveTo(Point(300, 300));
    Driver.AdvanceClock(200);
    EXPECT_EQ(At(12, 12), Px(clWhite));
}

TEST_F(SpeedButtonLook, Hover_CrossFadesInFiveTwentyMillisecondSteps)
{
    auto* b = Button(Rect(10, 10, 90, 40), true);
    ShowForm();
    Driver.MoveTo(Point(50, 25));
    Driver.AdvanceClock(20);
    EXPECT_NEAR(b->MorphFactor(), 0.2, 1e-9);
    const TPixel mid = At(50, 25);
    EXPECT_NE(mid, Px(cNormal));
    EXPECT_NE(mid, Px(cActive));
    Driver.AdvanceClock(100);
    EXPECT_DOUBLE_EQ(b->MorphFactor(), 1.0);
    EXPECT_EQ(At(50, 25), Px(cActive));
}

TEST_F(SpeedButtonMouse, DragOffBeforeRelease_NoClickAndTheButtonUp)
{
    auto* b = Button(Rect(10, 10, 60, 40), false);
    ShowForm();
    Driver.Drag(Point(30, 25), Point(200, 200));
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(b->Down());
}

TEST_F(SpeedButtonMouse, RepeatMode_FirstAfter500ThenEveryInterval)
{
    auto* b = Button(Rect(10, 10, 60, 40), false);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(100);
    ShowForm();
    Driver.MoveTo(Point(30, 25));
    Driver.ButtonDown();
    Driver.AdvanceClock(499);
    EXPECT_EQ(Clicks, 0);
    Driver.AdvanceClock(1);
    EXPECT_EQ(Clicks, 1);
    Driver.AdvanceClock(300);
    EXPECT_EQ(Clicks, 4);
    Driver.ButtonUp();
    EXPECT_EQ(Clicks, 5); // the release over the button clicks once more
    Driver.AdvanceClock(1000);
    EXPECT_EQ(Clicks, 5);
}

TEST_F(SpeedButtonMouse, ShowCaption_SwitchesTheWidthOnlyWhenBothWidthsAreSet)
{
    auto* b = Button(Rect(10, 10, 60, 40), false);
    b->SetWidthWithCaption(80);
    b->SetShowCaption(false);
    EXPECT_EQ(b->Width(), 50);
    b->SetWidthWithoutCaption(30);
    b->SetShowCaption(true);
    EXPECT_EQ(b->Width(), 80);
    b->SetShowCaption(false);
    EXPECT_EQ(b->Width(), 30);
}

TEST_F(SpeedButtonGroup, WithoutAllowAllUp_BehavesAsRadioButtonsAndClicksOnThePress)
{
    auto* a = Button(Rect(10, 10, 60, 40), false);
    auto* b = Button(Rect(70, 10, 120, 40), false);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    ShowForm();
    Driver.MoveTo(Point(30, 25));
    Driver.ButtonDown();
    EXPECT_EQ(Clicks, 1);
    Driver.ButtonUp();
    EXPECT_TRUE(a->Down());
    Driver.Click(Point(90, 25));
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    Driver.Click(Point(90, 25)); // a second click on the down one keeps it down
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(Clicks, 2);
}

TEST_F(SpeedButtonGroup, WithAllowAllUp_SeveralDownAndASecondClickRaises)
{
    auto* a = Button(Rect(10, 10, 60, 40), false);
    auto* b = Button(Rect(70, 10, 120, 40), false);
    for (auto* x : {a, b}) {
        x->SetGroupIndex(2);
        x->SetAllowAllUp(true);
    }
    ShowForm();
    Driver.Click(Point(30, 25));
    Driver.Click(Point(90, 25));
    EXPECT_TRUE(a->Down());
    EXPECT_TRUE(b->Down());
    Driver.Click(Point(30, 25));
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(Clicks, 3);
}

TEST(SpeedButtonRegistry, SpacingStreamDefaultIsFourWhileANewButtonHasOne)
{
    TskSkinSpeedButton b(nullptr);
    EXPECT_EQ(b.Spacing(), 1);
    const TPropInfo* p = FindClassInfo("TskSkinSpeedButton")->FindProp("Spacing");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Default, 4);
}

TEST_F(SpeedButtonAction, LinkedAction_LendsCaptionAndRunsWhenThereIsNoOnClick)
{
    auto* action = new TAction(Form);
    action->SetCaption("Start");
    int runs = 0;
    action->OnExecute = [&runs](TObject*) { ++runs; };
    auto* b = Make<TskSkinSpeedButton>(Form, Rect(10, 10, 90, 40), false);
    b->SetAction(action);
    EXPECT_EQ(b->Caption(), "Start");
    ShowForm();
    Driver.Click(Point(30, 25));
    EXPECT_EQ(runs, 1);
    b->OnClick = [this](TObject*) { ++Clicks; };
    Driver.Click(Point(30, 25));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(SpeedButtonAction, ActionOfAListWithImages_FillsAnEmptyGlyphOnly)
{
    auto* images = SolidImages(Form, {clRed, clBlue});
    auto* list = new TActionList(Form);
    list->SetImages(images);
    auto* action = new TAction(Form);
    action->SetImageIndex(1);
    list->AddAction(action);
    auto* empty = Make<TskSkinSpeedButton>(Form, Rect(10, 10, 40, 40), false);
    empty->SetAction(action);
    ASSERT_FALSE(empty->Glyph()->Empty());
    EXPECT_EQ(empty->Glyph()->Width(), 16);
    EXPECT_EQ(empty->Glyph()->Canvas()->Pixels(8, 8), clBlue);
    TBitmap own(8, 8);
    Fill(own, Rect(0, 0, 8, 8), clLime);
    auto* kept = Make<TskSkinSpeedButton>(Form, Rect(50, 10, 80, 40), false);
    kept->SetGlyph(&own);
    kept->SetAction(action);
    EXPECT_EQ(kept->Glyph()->Width(), 8);
    EXPECT_EQ(kept->Glyph()->Canvas()->Pixels(4, 4), clLime);
}

TEST_F(SpeedButtonImages, FlatAtRest_DrawsTheListImageOverTheParent)
{
    auto* images = SolidImages(Form, {clRed, clBlue});
    auto* b = Button(Rect(10, 10, 60, 40), true);
    b->SetFlat(true);
    b->SetImageList(images);
    EXPECT_EQ(b->ImageIndex(), 0);
    ShowForm();
    Save("SpeedButton_FlatImage");
    EXPECT_EQ(At(35, 25), Px(clRed)); // 16 x 16, centred in 50 x 30
    EXPECT_EQ(At(12, 12), Px(clWhite));
    b->SetImageIndex(1);
    EXPECT_EQ(At(35, 25), Px(clBlue));
    delete images;
    EXPECT_EQ(b->ImageList(), nullptr);
    b->Repaint();
    EXPECT_EQ(At(35, 25), Px(clWhite));
}

TEST_F(SpeedButtonImages, StoredForm_ReadsActionImageListAndImageIndex)
{
    RegisterSkinControlClasses();
    TForm form(nullptr);
    ReadComponentFromText(&form, "object F: TForm\n  object IL: TImageList\n  end\n  object A: TAction\n"
                                 "    Caption = 'Skip'\n  end\n  object B: TskSkinSpeedButton\n    Action = A\n"
                                 "    ImageList = IL\n    ImageIndex = 2\n  end\nend\n");
    auto* b = dynamic_cast<TskSkinSpeedButton*>(form.FindComponent("B"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Action(), form.FindComponent("A"));
    EXPECT_EQ(b->Caption(), "Skip");
    EXPECT_EQ(b->ImageList(), form.FindComponent("IL"));
    EXPECT_EQ(b->ImageIndex(), 2);
}

TEST_F(SpeedButtonAccelerator, DialogCharClicksAnEnabledShowingButton)
{
    auto* b = Button(Rect(10, 10, 60, 40), false);
    b->SetCaption("&Skip");
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 's', 0), 0); // the form is not showing yet
    ShowForm();
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'k', 0), 0);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'S', 0), 1);
    EXPECT_EQ(Clicks, 1);
    b->SetEnabled(false);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 's', 0), 0);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(SpeedButtonAnimation, HoverRunsTheStripForwardAndLeavingBackward)
{
    auto* b = Animated(Rect(10, 10, 90, 40));
    ShowForm();
    Driver.MoveTo(Point(50, 25));
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(11, 11), Px(cFrame1));
    Driver.AdvanceClock(60);
    EXPECT_EQ(At(11, 11), Px(cFrame3));
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(11, 11), Px(cActive));
    Driver.MoveTo(Point(300, 300));
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(11, 11), Px(cFrame2));
    Driver.AdvanceClock(60);
    EXPECT_EQ(At(11, 11), Px(cNormal));
    EXPECT_EQ(b->AnimationFrame(), 0);
}

TEST_F(SpeedButtonAnimation, FlatButton_HasNoStrip)
{
    auto* b = Animated(Rect(10, 10, 90, 40));
    b->SetFlat(true);
    ShowForm();
    Driver.MoveTo(Point(50, 25));
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(11, 11), Px(cActive));
    EXPECT_EQ(b->AnimationFrame(), 0);
}

TEST_F(SpeedButtonLook, UseSkinSizeOff_KeepsAnySizeOfAFixedEntry)
{
    auto* sized = new TskSkinSpeedButton(Form);
    sized->SetParent(Form);
    sized->SetSkinDataName("fixed");
    sized->SetSkinData(Skin());
    sized->SetBounds(10, 10, 50, 30);
    EXPECT_EQ(sized->Width(), 20);
    auto* free = new TskSkinSpeedButton(Form);
    free->SetParent(Form);
    free->SetUseSkinSize(false);
    free->SetSkinDataName("fixed");
    free->SetSkinData(Skin());
    free->SetBounds(100, 10, 50, 30);
    ShowForm();
    EXPECT_EQ(free->Width(), 50);
    EXPECT_EQ(At(145, 35), Px(cFixed)); // the fixed picture stretched whole
}

TEST_F(SpeedButtonMouse, ClickHandlerThatFreesTheButton_EndsTheReleaseQuietly)
{
    auto* b = Button(Rect(10, 10, 60, 40), true);
    b->OnClick = [b](TObject*) { delete b; };
    ShowForm();
    Driver.Click(Point(30, 25));
    EXPECT_EQ(Form->ControlCount(), 0);
    Driver.MoveTo(Point(300, 300));
    EXPECT_NO_THROW(Driver.AdvanceClock(200));
}
