#include "skin/controls/TskSkinUpDown.h"

#include "SkinControlsTestSupport.h"

using namespace skintest;

namespace {

struct UpDownTest : SkinFormTest {
    int Changes = 0, Ups = 0, Downs = 0;
    TskSkinUpDown* UpDown()
    {
        // Horizontal, 40 x 20 at (10, 10): the down button is the left half, the up button the right.
        auto* u = Make<TskSkinUpDown>(Form, Rect(10, 10, 50, 30), false);
        u->OnChange = [this](TObject*) { ++Changes; };
        u->OnUpButtonClick = [this](TObject*) { ++Ups; };
        u->OnDownButtonClick = [this](TObject*) { ++Downs; };
        return u;
    }
};

using UpDownValues = UpDownTest;
using UpDownMouse = UpDownTest;

} // namespace

TEST_F(UpDownValues, OutOfRangeWritesAreIgnored)
{
    auto* u = UpDown();
    u->SetPosition(40);
    u->SetPosition(101);
    u->SetPosition(-1);
    EXPECT_EQ(u->Position(), 40);
    EXPECT_EQ(Changes, 1);
    u->SetPosition(40);
    EXPECT_EQ(Changes, 2); // an unchanged write still reports
}

TEST_F(UpDownMouse, UpClickAtMax_NoChangeButTheButtonEvent)
{
    auto* u = UpDown();
    u->SetPosition(100);
    Changes = 0;
    ShowForm();
    Save("UpDown_Default");
    Driver.Click(Point(40, 20));
    EXPECT_EQ(u->Position(), 100);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Ups, 1);
}

TEST_F(UpDownMouse, HoldingDown_FirstTickWaitsThenStepsEvery100)
{
    auto* u = UpDown();
    u->SetIncrement(5);
    u->SetPosition(50);
    ShowForm();
    Driver.MoveTo(Point(20, 20));
    Driver.ButtonDown();
    Driver.AdvanceClock(1000);
    EXPECT_EQ(u->Position(), 25);
    Driver.ButtonUp();
    EXPECT_EQ(u->Position(), 20);
    EXPECT_EQ(Downs, 1);
}

TEST_F(UpDownMouse, ReleasedOffThePressedButton_NoStepAndNoEvent)
{
    auto* u = UpDown();
    u->SetPosition(50);
    ShowForm();
    Driver.MoveTo(Point(20, 20));
    Driver.ButtonDown();
    Driver.MoveTo(Point(200, 200));
    Driver.AdvanceClock(1000); // the repeat pauses while off the button
    Driver.ButtonUp();
    EXPECT_EQ(u->Position(), 50);
    EXPECT_EQ(Downs, 0);
}
