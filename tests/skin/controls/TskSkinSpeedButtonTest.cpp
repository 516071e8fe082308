#include "skin/controls/TskSkinSpeedButton.h"

#include "SkinControlsTestSupport.h"
#include "platform/vcl/TypInfo.h"

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
