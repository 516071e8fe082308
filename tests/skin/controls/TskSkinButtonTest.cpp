#include "skin/controls/TskSkinButton.h"

#include "SkinButtonsTestSupport.h"
#include "platform/vcl/TAction.h"
#include "platform/vcl/TReader.h"
#include "platform/win/WinApi.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/TskSkinCheckRadioBox.h"

using namespace skintest;

namespace {

struct ButtonTest : SkinFormTest {
    std::vector<std::string> Clicks;
    TskSkinButton* Button(TRect R, const std::string& Name, bool Skinned)
    {
        auto* b = new TskSkinButton(Form);
        b->SetParent(Form);
        if (Skinned) b->SetSkinData(Skin());
        b->SetBoundsRect(R);
        b->SetCaption(Name);
        b->OnClick = [this, Name](TObject*) { Clicks.push_back(Name); };
        return b;
    }
};

using ButtonRoles = ButtonTest;
using ButtonKeys = ButtonTest;
using ButtonMouse = ButtonTest;
using ButtonLook = ButtonTest;
using ButtonAction = ButtonTest;
using ButtonImages = ButtonTest;
using ButtonAccelerator = ButtonTest;

// Buttons on the skin with the animation strip and the glow picture.
struct ButtonExtrasTest : ButtonTest {
    TButtonsSkin Extra;
    TskSkinButton* Animated(TRect R)
    {
        auto* b = new TskSkinButton(Form);
        b->SetParent(Form);
        b->SetSkinDataName("abutton");
        b->SetSkinData(Extra.Skin.get());
        b->SetBoundsRect(R);
        return b;
    }
};

using ButtonFocusAnimation = ButtonExtrasTest;
using ButtonGlow = ButtonExtrasTest;

} // namespace

TEST_F(ButtonRoles, ReturnClicksTheDefaultAndEscapeTheCancelButton)
{
    auto* ok = Button(Rect(10, 10, 85, 35), "ok", false);
    auto* cancel = Button(Rect(100, 10, 175, 35), "cancel", false);
    auto* other = Make<TskSkinButton>(Form, Rect(200, 10, 275, 35), false);
    other->SetCanFocused(true);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    ShowForm();
    Form->FocusControl(nullptr);
    cancel->SetFocus(); // a button with the focus is the default for the time being
    Driver.ProcessMessages();
    Driver.Press(VK_ESCAPE);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"cancel"}));
    EXPECT_EQ(Form->ModalResult(), mrCancel);
    Driver.Press(VK_RETURN);
    EXPECT_EQ(Clicks.back(), "cancel");
    Clicks.clear();
    ok->SetFocus();
    Driver.ProcessMessages();
    Driver.Press(VK_RETURN);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"ok"}));
    EXPECT_EQ(Form->ModalResult(), mrOk);
}

TEST_F(ButtonRoles, DefaultSetOnAShownForm_EveryButtonLearnsWhichIsTheDefault)
{
    auto* first = Button(Rect(10, 10, 85, 35), "first", false);
    auto* second = Button(Rect(100, 10, 175, 35), "second", false);
    auto* box = Make<TskSkinCheckRadioBox>(Form, Rect(200, 10, 300, 35), false);
    box->SetTabStop(true);
    first->SetDefault(true);
    ShowForm();
    box->SetFocus(); // the focus on a control that is no button: Return goes to the default
    Driver.ProcessMessages();
    Driver.Press(VK_RETURN);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"first"}));
    Clicks.clear();
    first->SetDefault(false);
    second->SetDefault(true);
    Driver.Press(VK_RETURN);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"second"}));
}

TEST_F(ButtonKeys, SpaceClicksOnRelease)
{
    auto* b = Button(Rect(10, 10, 85, 35), "b", false);
    ShowForm();
    b->SetFocus();
    Driver.ProcessMessages();
    Driver.KeyDown(VK_SPACE);
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(Clicks.empty());
    Driver.KeyUp(VK_SPACE);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(ButtonKeys, SpaceWithRepeatMode_ClicksOnPressAndOnRelease)
{
    auto* b = Button(Rect(10, 10, 85, 35), "b", false);
    b->SetRepeatMode(true);
    ShowForm();
    b->SetFocus();
    Driver.ProcessMessages();
    Driver.KeyDown(VK_SPACE);
    EXPECT_EQ(Clicks.size(), 1u);
    EXPECT_TRUE(b->Down());
    Driver.KeyUp(VK_SPACE);
    EXPECT_EQ(Clicks.size(), 2u);
    EXPECT_FALSE(b->Down());
}

TEST_F(ButtonMouse, DragOffBeforeRelease_NoClick)
{
    auto* b = Button(Rect(10, 10, 85, 35), "b", false);
    ShowForm();
    Driver.Drag(Point(40, 20), Point(300, 300));
    EXPECT_TRUE(Clicks.empty());
    EXPECT_FALSE(b->Down());
    Driver.Click(Point(40, 20));
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(ButtonMouse, RepeatMode_500ThenInterval)
{
    auto* b = Button(Rect(10, 10, 85, 35), "b", false);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(50);
    ShowForm();
    Driver.MoveTo(Point(40, 20));
    Driver.ButtonDown();
    Driver.AdvanceClock(499);
    EXPECT_TRUE(Clicks.empty());
    Driver.AdvanceClock(101);
    EXPECT_EQ(Clicks.size(), 3u);
    Driver.ButtonUp();
    EXPECT_EQ(Clicks.size(), 4u);
}

TEST_F(ButtonMouse, Grouped_NoTabStopClicksOnPressAndRaisesTheOthers)
{
    auto* a = Button(Rect(10, 10, 85, 35), "a", false);
    auto* b = Button(Rect(100, 10, 175, 35), "b", false);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    EXPECT_FALSE(a->TabStop());
    ShowForm();
    Driver.MoveTo(Point(40, 20));
    Driver.ButtonDown();
    EXPECT_EQ(Clicks.size(), 1u);
    Driver.ButtonUp();
    Driver.Click(Point(130, 20));
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
}

TEST_F(ButtonMouse, GlowMessagePostedBeforeDestruction_IsDropped)
{
    auto* b = Button(Rect(10, 10, 85, 35), "b", true);
    ShowForm();
    const HWND h = b->Handle();
    PostMessage(h, WM_SHOWLAYER, 0, 0);
    b->Free();
    EXPECT_NO_THROW(Driver.ProcessMessages());
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(ButtonLook, DefaultAndSkinnedStates)
{
    auto* plain = Button(Rect(10, 10, 85, 35), "Plain", false);
    auto* skinned = Button(Rect(100, 10, 175, 35), "Skinned", true);
    plain->SetCanFocused(false);    // at rest: neither focused nor hot
    skinned->SetCanFocused(false);
    ShowForm();
    Save("Button_Rest");
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(12, 12), Px(clBtnFace));
    EXPECT_EQ(skinned->Height(), 25);
    EXPECT_EQ(At(101, 11), Px(cNormal));
    Driver.MoveTo(Point(40, 20));
    EXPECT_EQ(At(12, 12), Px(SkinHotFill));
    Driver.MoveTo(Point(140, 20));
    EXPECT_EQ(At(101, 11), Px(cActive));
    Driver.ButtonDown();
    Save("Button_SkinnedDown");
    EXPECT_EQ(At(101, 11), Px(cDown));
    Driver.ButtonUp();
    skinned->SetEnabled(false);
    Driver.ProcessMessages();
    EXPECT_EQ(At(101, 11), Px(cDisabled));
}

TEST_F(ButtonLook, AnEraseOutsideItsPaint_GetsTheWholeButton)
{
    auto* skinned = Button(Rect(10, 10, 85, 35), "Skin", true);
    auto* plain = Button(Rect(100, 10, 175, 35), "Plain", false);
    ShowForm();
    Driver.MoveTo(Point(400, 400));
    Driver.ProcessMessages();
    EXPECT_EQ(ErasedPixelsUnlikeTheWindow(*this, skinned), 0);
    EXPECT_EQ(ErasedPixelsUnlikeTheWindow(*this, plain), 0);
}

TEST_F(ButtonLook, MarginBelowMinusOneIsIgnored)
{
    auto* b = Button(Rect(10, 10, 85, 35), "b", false);
    b->SetMargin(3);
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), 3);
    b->SetMargin(-1);
    EXPECT_EQ(b->Margin(), -1);
}

TEST_F(ButtonLook, UseSkinSizeOff_KeepsAnySizeAndStretchesAFixedPicture)
{
    auto* sized = new TskSkinButton(Form);
    sized->SetParent(Form);
    sized->SetSkinDataName("fixed");
    sized->SetSkinData(Skin());
    sized->SetBounds(10, 10, 75, 25);
    EXPECT_EQ(sized->Width(), 20);
    EXPECT_EQ(sized->Height(), 10);
    auto* free = new TskSkinButton(Form);
    free->SetParent(Form);
    free->SetUseSkinSize(false);
    free->SetSkinDataName("fixed");
    free->SetSkinData(Skin());
    free->SetBounds(100, 10, 75, 25);
    free->SetCanFocused(false);
    ShowForm();
    EXPECT_EQ(free->Width(), 75);
    EXPECT_EQ(free->Height(), 25);
    // The fixed entry's mask would keep only the left half; without the skin's size there is no outline.
    EXPECT_FALSE(free->HasWindowRegion());
    Save("Button_FixedUnsized");
    EXPECT_EQ(At(170, 30), Px(cFixed));
}

TEST_F(ButtonAction, LinkedAction_LendsCaptionAndEnabledAndRunsWhenThereIsNoOnClick)
{
    auto* action = new TAction(Form);
    action->SetCaption("Go");
    int runs = 0;
    action->OnExecute = [&runs](TObject*) { ++runs; };
    auto* b = Make<TskSkinButton>(Form, Rect(10, 10, 85, 35), false);
    b->SetAction(action);
    EXPECT_EQ(b->Caption(), "Go");
    ShowForm();
    Driver.Click(Point(40, 20));
    EXPECT_EQ(runs, 1);
    action->SetEnabled(false);
    EXPECT_FALSE(b->Enabled());
    Driver.Click(Point(40, 20));
    EXPECT_EQ(runs, 1);
    action->SetEnabled(true);
    // A handler of the button's own wins over the action's.
    b->OnClick = [this](TObject*) { Clicks.push_back("own"); };
    Driver.Click(Point(40, 20));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"own"}));
    delete action;
    EXPECT_EQ(b->Action(), nullptr);
}

TEST_F(ButtonImages, ImageWithinTheList_StandsInForTheGlyph)
{
    auto* images = SolidImages(Form, {clRed, clBlue});
    auto* b = Button(Rect(10, 10, 85, 35), "", false);
    b->SetCanFocused(false);
    TBitmap glyph(16, 16);
    Fill(glyph, Rect(0, 0, 16, 16), clLime);
    Fill(glyph, Rect(0, 15, 1, 16), clBlack); // the glyph's transparent colour
    b->SetGlyph(&glyph);
    EXPECT_EQ(b->ImageIndex(), -1);
    b->SetImageList(images);
    b->SetImageIndex(1);
    ShowForm();
    Save("Button_ImageList");
    EXPECT_EQ(At(47, 22), Px(clBlue));
    b->SetImageIndex(2); // beyond the list: the glyph again
    Driver.ProcessMessages();
    EXPECT_EQ(At(47, 22), Px(clLime));
    b->SetImageIndex(0);
    delete images;
    EXPECT_EQ(b->ImageList(), nullptr);
    b->Repaint();
    EXPECT_EQ(At(47, 22), Px(clLime));
}

TEST_F(ButtonImages, StoredForm_ReadsImageListAndImageIndex)
{
    RegisterSkinControlClasses();
    TForm form(nullptr);
    ReadComponentFromText(&form, "object F: TForm\n  object IL: TImageList\n  end\n"
                                 "  object B: TskSkinButton\n    ImageList = IL\n    ImageIndex = 3\n  end\nend\n");
    auto* b = dynamic_cast<TskSkinButton*>(form.FindComponent("B"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->ImageList(), form.FindComponent("IL"));
    EXPECT_EQ(b->ImageIndex(), 3);
}

TEST_F(ButtonAccelerator, DialogCharOfTheMarkedLetter_FocusesAndClicks)
{
    auto* open = Button(Rect(10, 10, 85, 35), "&Open", false);
    auto* both = Button(Rect(100, 10, 175, 35), "Save && Quit", false);
    ShowForm();
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'x', 0), 0);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'q', 0), 0); // "&&" shows "&" and marks nothing
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'o', 0), 1);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"&Open"}));
    EXPECT_TRUE(open->Focused());
    EXPECT_FALSE(both->Focused());
    open->SetCanFocused(false);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'O', 0), 0);
}

TEST_F(ButtonFocusAnimation, FocusRunsTheStripForwardAndItsLossBackward)
{
    auto* other = Button(Rect(10, 10, 85, 35), "other", false);
    auto* b = Animated(Rect(100, 10, 175, 35));
    ShowForm();
    other->SetFocus();
    Driver.ProcessMessages();
    EXPECT_EQ(At(101, 11), Px(cNormal));
    b->SetFocus();
    Driver.ProcessMessages();
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(101, 11), Px(cFrame1));
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(101, 11), Px(cFrame2));
    Driver.AdvanceClock(30);
    Save("Button_FocusAnimationLastFrame");
    EXPECT_EQ(At(101, 11), Px(cFrame3));
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(101, 11), Px(cActive)); // the run is over: the focused button's hot picture
    other->SetFocus();
    Driver.ProcessMessages();
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(101, 11), Px(cFrame2));
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(101, 11), Px(cFrame1));
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(101, 11), Px(cNormal));
    EXPECT_EQ(b->AnimationFrame(), 0);
}

TEST_F(ButtonFocusAnimation, SkinEffectsOff_NoStrip)
{
    Extra.Skin->SetEnableSkinEffects(false);
    auto* b = Animated(Rect(100, 10, 175, 35));
    ShowForm();
    b->SetFocus();
    Driver.ProcessMessages();
    Driver.AdvanceClock(30);
    EXPECT_EQ(At(101, 11), Px(cActive));
    EXPECT_EQ(b->AnimationFrame(), 0);
}

TEST_F(ButtonGlow, HoverShowsTheGlowFrameAndLeavingHidesIt)
{
    auto* b = Animated(Rect(100, 10, 175, 35));
    b->SetCanFocused(false);
    ShowForm();
    EXPECT_FALSE(b->GlowVisible());
    Driver.MoveTo(Point(130, 20));
    Driver.ProcessMessages();
    EXPECT_TRUE(b->GlowVisible());
    Driver.MoveTo(Point(400, 400));
    Driver.ProcessMessages();
    EXPECT_FALSE(b->GlowVisible());
}

TEST_F(ButtonGlow, SkinWithoutGlowFrames_OnlyWhenTheButtonAsksAlways)
{
    Extra.Skin->SetShowButtonGlowFrames(false);
    auto* b = Animated(Rect(100, 10, 175, 35));
    b->SetCanFocused(false);
    ShowForm();
    Driver.MoveTo(Point(130, 20));
    Driver.ProcessMessages();
    EXPECT_FALSE(b->GlowVisible());
    Driver.MoveTo(Point(400, 400));
    b->SetAlwaysShowLayeredFrame(true);
    Driver.MoveTo(Point(130, 20));
    Driver.ProcessMessages();
    EXPECT_TRUE(b->GlowVisible());
}

TEST_F(ButtonGlow, PlainButtonOfTheBaseSkin_HasNoGlow)
{
    auto* b = Button(Rect(100, 10, 175, 35), "b", true);
    ShowForm();
    Driver.MoveTo(Point(130, 20));
    Driver.ProcessMessages();
    EXPECT_FALSE(b->GlowVisible());
}

TEST_F(ButtonMouse, ClickHandlerThatFreesTheButton_EndsTheReleaseQuietly)
{
    auto* b = Button(Rect(10, 10, 85, 35), "b", true);
    b->OnClick = [b](TObject*) { delete b; };
    ShowForm();
    Driver.Click(Point(40, 20));
    EXPECT_EQ(Form->ControlCount(), 0);
    Driver.MoveTo(Point(300, 300));
    EXPECT_NO_THROW(Driver.AdvanceClock(200));
}
