#include "skin/controls/TskSkinNumEdit.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TForm.h"

namespace {

struct NumEditTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TskSkinNumEdit* Edit = nullptr;
    int Ups = 0, Downs = 0;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 60);
        Edit = new TskSkinNumEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 100, 20);
        Edit->OnUpArrow = [this](TObject* Sender) {
            EXPECT_EQ(Sender, Edit);
            ++Ups;
        };
        Edit->OnDownArrow = [this](TObject*) { ++Downs; };
        Form->Show();
        Driver.ProcessMessages();
        Edit->SetFocus();
        Driver.ProcessMessages();
    }
    void TearDown() override { Form->Free(); }
    int Beeps() { return Driver.Backend().Beeps(); }
};

using NumEditTyping = NumEditTest;
using NumEditStepping = NumEditTest;

} // namespace

TEST_F(NumEditTyping, DigitsAndOneMinusAreTakenLettersAreDroppedWithABeep)
{
    Driver.Type("1-2");
    EXPECT_EQ(Edit->Text(), "1-2");
    const int before = Beeps();
    Driver.Type("-a");
    EXPECT_EQ(Edit->Text(), "1-2");
    EXPECT_EQ(Beeps(), before + 2);
}

TEST_F(NumEditTyping, TheSeparatorNeedsAllowDecimalAndIsTakenOnce)
{
    Driver.Type("1.");
    EXPECT_EQ(Edit->Text(), "1");
    Edit->SetAllowDecimal(true);
    Driver.Type(".5.");
    EXPECT_EQ(Edit->Text(), "1.5");
}

TEST_F(NumEditTyping, BackspaceWorksUnlessTypingIsOff)
{
    Driver.Type("42");
    Driver.Press(VK_BACK);
    EXPECT_EQ(Edit->Text(), "4");
    Edit->SetTypingEnabled(false);
    Driver.Press(VK_BACK);
    Driver.Type("7");
    EXPECT_EQ(Edit->Text(), "4");
    Driver.Press(VK_UP);
    EXPECT_EQ(Ups, 1);
}

TEST_F(NumEditTyping, EnterIsNotANumberCharacterAndDoesNotBeep)
{
    TKeyChar seen = 0;
    Edit->OnKeyPress = [&](TObject*, TKeyChar& Key) { seen = Key; };
    const int before = Beeps();
    Driver.Press(VK_RETURN);
    EXPECT_EQ(seen, 13u);
    EXPECT_EQ(Beeps(), before);
}

TEST_F(NumEditStepping, ArrowsStepInsteadOfMovingTheCaret)
{
    Driver.Type("12");
    Edit->SetSelStart(1);
    Driver.Press(VK_UP);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Ups, 1);
    EXPECT_EQ(Downs, 2);
    EXPECT_EQ(Edit->SelStart(), 1);
}

TEST_F(NumEditStepping, WheelAwayFromTheUserStepsDown)
{
    Driver.MoveTo(Edit->ClientToScreen({5, 5}));
    Driver.Wheel(120);
    EXPECT_EQ(Downs, 1);
    EXPECT_EQ(Ups, 0);
    Driver.Wheel(-120);
    EXPECT_EQ(Ups, 1);
}
