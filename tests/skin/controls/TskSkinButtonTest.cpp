#include "skin/controls/TskSkinButton.h"

#include "SkinControlsTestSupport.h"
#include "skin/controls/SkinButtonLook.h"
#include "platform/win/WinApi.h"

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

TEST_F(ButtonKeys, SpaceTapWithRepeatMode_ClicksOnce)
{
    auto* b = Button(Rect(10, 10, 85, 35), "b", false);
    b->SetRepeatMode(true);
    ShowForm();
    b->SetFocus();
    Driver.ProcessMessages();
    Driver.Press(VK_SPACE);
    EXPECT_EQ(Clicks.size(), 1u);
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

TEST_F(ButtonLook, MarginBelowMinusOneIsIgnored)
{
    auto* b = Button(Rect(10, 10, 85, 35), "b", false);
    b->SetMargin(3);
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), 3);
    b->SetMargin(-1);
    EXPECT_EQ(b->Margin(), -1);
}
