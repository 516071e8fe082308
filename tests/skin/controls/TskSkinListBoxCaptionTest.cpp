#include "skin/controls/TskSkinListBoxCaption.h"

#include "ListBoxTestSkin.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/TskSkinListBox.h"

using namespace skintest;

namespace {

constexpr int Up = TskSkinListBoxCaption::UpButton;
constexpr int Down = TskSkinListBoxCaption::DownButton;
constexpr int Check = TskSkinListBoxCaption::CheckButton;

struct Caption : SkinFormTest {
    TListBoxTestSkin LbSkin;
    TskSkinListBox* Box = nullptr;

    // A list box at (10, 10) with its caption on and ten items, the first selected.
    void MakeBox(bool skinned, int w = 120, int h = 120)
    {
        Box = new TskSkinListBox(Form);
        Box->SetParent(Form);
        if (skinned) Box->SetSkinData(LbSkin.Skin.get());
        Box->SetBounds(10, 10, w, h);
        Box->SetCaptionMode(true);
        for (int i = 0; i < 10; ++i) Box->Items()->Add("Item " + std::to_string(i));
        Box->SetItemIndex(0);
        ShowForm();
    }
    // The centre of a caption button, on the form.
    TPoint ButtonCentre(int i)
    {
        const TRect r = Box->CaptionButtonRect(i);
        return Point(10 + (r.Left + r.Right) / 2, 10 + (r.Top + r.Bottom) / 2);
    }
    TPixel ButtonPixel(int i)
    {
        const TRect r = Box->CaptionButtonRect(i);
        return At(10 + r.Left + 1, 10 + r.Bottom - 2);
    }
    void Press(int i)
    {
        Driver.MoveTo(ButtonCentre(i));
        Driver.ButtonDown();
    }
};

} // namespace

// ---- layout -----------------------------------------------------------------------------------------------

TEST_F(Caption, DefaultStripMovesTheListDownAndPlacesTheButtonsAtTheRight)
{
    MakeBox(false);
    EXPECT_EQ(Box->ListBoxRect().Top, 21);
    EXPECT_EQ(Box->CaptionButtonRect(Up), Rect(101, 2, 118, 19));
    EXPECT_EQ(Box->CaptionButtonRect(Down), Rect(84, 2, 101, 19));
    EXPECT_EQ(Box->CaptionButtonRect(Check), Rect(67, 2, 84, 19));
    Box->SetDefaultCaptionHeight(30);
    EXPECT_EQ(Box->ListBoxRect().Top, 31);
    Box->SetCaptionMode(false);
    EXPECT_EQ(Box->ListBoxRect().Top, 2);
    EXPECT_TRUE(Box->CaptionButtonRect(Up).IsEmpty());
}

TEST_F(Caption, SkinnedButtonsMoveWithTheRightCornerOfTheEntry)
{
    MakeBox(true, 200, 150);
    EXPECT_EQ(Box->CaptionButtonRect(Up), Rect(186, 7, 196, 17));
    EXPECT_EQ(Box->CaptionButtonRect(Check), Rect(162, 7, 172, 17));
    EXPECT_EQ(ButtonPixel(Up), Px(cFixed));
    EXPECT_EQ(ButtonPixel(Down), Px(cUncheck));
    EXPECT_EQ(ButtonPixel(Check), Px(cCheck));
}

TEST_F(Caption, SkinnedEntryWithoutStepButtonsHasNoButtons)
{
    MakeBox(true, 200, 150);
    Box->SetSkinDataName("noitems");
    Box->RefreshSkin();
    EXPECT_TRUE(Box->CaptionButtonRect(Up).IsEmpty());
    EXPECT_TRUE(Box->CaptionButtonRect(Check).IsEmpty());
}

// ---- clicks ---------------------------------------------------------------------------------------------

TEST_F(Caption, StepButtonsMoveTheSelectionOneItemOnRelease)
{
    MakeBox(false);
    Driver.Click(ButtonCentre(Down));
    EXPECT_EQ(Box->ItemIndex(), 1);
    Driver.Click(ButtonCentre(Up));
    Driver.Click(ButtonCentre(Up));
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(Caption, CheckButtonActsAsAClickOnTheList)
{
    MakeBox(false);
    int clicks = 0;
    Box->OnListBoxClick = [&](TObject* sender) {
        EXPECT_EQ(sender, Box);
        ++clicks;
    };
    Driver.Click(ButtonCentre(Check));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(Caption, AnAssignedEventReplacesTheStep)
{
    MakeBox(false);
    int ups = 0;
    Box->OnUpButtonClick = [&](TObject*) { ++ups; };
    Box->SetItemIndex(5);
    Driver.Click(ButtonCentre(Up));
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(Box->ItemIndex(), 5);
    // Held, it never repeats.
    Press(Up);
    Driver.AdvanceClock(1000);
    Driver.ButtonUp();
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(Box->ItemIndex(), 5);
}

TEST_F(Caption, ReleasedOffTheButton_TheButtonDoesItsOwnWorkNotItsEvent)
{
    MakeBox(false);
    int ups = 0, clicks = 0;
    Box->OnUpButtonClick = [&](TObject*) { ++ups; };
    Box->OnListBoxClick = [&](TObject*) { ++clicks; };
    Box->SetItemIndex(5);
    const struct {
        int Button, Index, Clicks;
    } releases[] = {{Up, 4, 0}, {Down, 5, 0}, {Check, 5, 1}};
    for (const auto& r : releases) {
        SCOPED_TRACE(r.Button);
        Press(r.Button);
        Driver.MoveTo(Point(40, 80));
        Driver.ButtonUp();
        EXPECT_EQ(Box->ItemIndex(), r.Index);
        EXPECT_EQ(clicks, r.Clicks);
    }
    EXPECT_EQ(ups, 0);
}

TEST_F(Caption, WithoutCaptionModeTheButtonsDoNotReact)
{
    MakeBox(false);
    const TPoint where = ButtonCentre(Down);
    Box->SetCaptionMode(false);
    Driver.ProcessMessages();
    Driver.Click(where);
    EXPECT_EQ(Box->ItemIndex(), 0);
}

// ---- auto-repeat ------------------------------------------------------------------------------------------

TEST_F(Caption, HeldDownButtonWaitsThenRepeatsEveryTenthOfASecond)
{
    MakeBox(false);
    Press(Down);
    Driver.AdvanceClock(550);
    EXPECT_EQ(Box->ItemIndex(), 0);
    Driver.AdvanceClock(60); // 610 ms
    EXPECT_EQ(Box->ItemIndex(), 1);
    Driver.AdvanceClock(200); // 810 ms
    EXPECT_EQ(Box->ItemIndex(), 3);
    Driver.ButtonUp();
    EXPECT_EQ(Box->ItemIndex(), 4);
    Driver.AdvanceClock(500);
    EXPECT_EQ(Box->ItemIndex(), 4);
}

TEST_F(Caption, HoldingDownAtTheLastItemKeepsTheLastItem)
{
    MakeBox(false);
    Box->SetItemIndex(8);
    Press(Down);
    Driver.AdvanceClock(1500);
    Driver.ButtonUp();
    EXPECT_EQ(Box->ItemIndex(), 9);
}

TEST_F(Caption, LeavingAHeldButtonPausesAndComingBackResumesAtOnce)
{
    MakeBox(false);
    Box->SetItemIndex(5);
    Press(Up);
    Driver.AdvanceClock(610);
    EXPECT_EQ(Box->ItemIndex(), 4);
    Driver.MoveTo(Point(40, 80));
    Driver.AdvanceClock(1000);
    EXPECT_EQ(Box->ItemIndex(), 4);
    Driver.MoveTo(ButtonCentre(Up));
    Driver.AdvanceClock(55);
    EXPECT_EQ(Box->ItemIndex(), 3);
    Driver.AdvanceClock(50);
    EXPECT_EQ(Box->ItemIndex(), 2);
    Driver.ButtonUp();
    EXPECT_EQ(Box->ItemIndex(), 1);
}

// ---- looks --------------------------------------------------------------------------------------------------

TEST_F(Caption, DefaultButtonsShowRestingHotAndPressedFills)
{
    MakeBox(false);
    EXPECT_EQ(ButtonPixel(Down), Px(clBtnFace));
    Driver.MoveTo(ButtonCentre(Down));
    EXPECT_EQ(ButtonPixel(Down), Px(SkinHotFill));
    Driver.ButtonDown();
    EXPECT_EQ(ButtonPixel(Down), Px(SkinPressedFill));
    Driver.ButtonUp();
    EXPECT_EQ(ButtonPixel(Down), Px(SkinHotFill));
    // The strip ends in a shadow line.
    EXPECT_EQ(At(10 + 30, 10 + 19), Px(clBtnShadow));
}

TEST_F(Caption, SkinnedButtonsTakeTheirActiveAndDownPictures)
{
    MakeBox(true, 200, 150);
    Driver.MoveTo(ButtonCentre(Up));
    EXPECT_EQ(ButtonPixel(Up), Px(cActive));
    Driver.ButtonDown();
    EXPECT_EQ(ButtonPixel(Up), Px(cDown));
    Driver.ButtonUp();
    // The down button has no pressed picture of its own: it keeps the active one.
    Driver.MoveTo(ButtonCentre(Down));
    Driver.ButtonDown();
    EXPECT_EQ(ButtonPixel(Down), Px(cActive));
    Driver.ButtonUp();
}

TEST_F(Caption, CaptionTextIsDrawnInTheStrip)
{
    MakeBox(true, 200, 150);
    const TRect strip = Rect(15, 15, 150, 30);
    EXPECT_EQ(CountOther(*this, strip, cCaption), 0);
    Box->SetCaption("Hello");
    Driver.ProcessMessages();
    EXPECT_GT(CountOther(*this, strip, cCaption), 0);
    Save("listbox-caption-skinned");
}
