#include "skin/controls/TskSkinUpDown.h"

#include "SkinButtonsTestSupport.h"

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

struct UpDownSkinned : UpDownTest {
    TButtonsSkin Extra;
    TskSkinUpDown* Skinned(TRect R, bool UseSkinSize)
    {
        auto* u = new TskSkinUpDown(Form);
        u->SetParent(Form);
        u->SetUseSkinSize(UseSkinSize);
        u->SetSkinData(Extra.Skin.get());
        u->SetBoundsRect(R);
        u->OnChange = [this](TObject*) { ++Changes; };
        return u;
    }
};

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

TEST_F(UpDownMouse, ReleasedOffThePressedButton_StepsOnceAndTellsTheButton)
{
    auto* u = UpDown();
    u->SetPosition(50);
    ShowForm();
    Driver.MoveTo(Point(20, 20));
    Driver.ButtonDown();
    Driver.MoveTo(Point(200, 200));
    Driver.AdvanceClock(1000); // the repeat pauses while off the button
    EXPECT_EQ(u->Position(), 50);
    Driver.ButtonUp();
    EXPECT_EQ(u->Position(), 49);
    EXPECT_EQ(Downs, 1);
}

TEST_F(UpDownMouse, BackOnTheHeldButton_RepeatResumesAt50)
{
    auto* u = UpDown();
    u->SetPosition(50);
    ShowForm();
    Driver.MoveTo(Point(20, 20));
    Driver.ButtonDown();
    Driver.AdvanceClock(500); // the first tick only shortens the interval
    Driver.MoveTo(Point(200, 200));
    Driver.AdvanceClock(500);
    EXPECT_EQ(u->Position(), 50);
    Driver.MoveTo(Point(20, 20));
    Driver.AdvanceClock(50);
    EXPECT_EQ(u->Position(), 49);
    Driver.ButtonUp();
    EXPECT_EQ(u->Position(), 48);
}

TEST_F(UpDownSkinned, WithSkinSize_FixedSizeAndTheEntrysButtonPictures)
{
    auto* u = Skinned(Rect(10, 10, 70, 60), true);
    ShowForm();
    EXPECT_EQ(u->Width(), 40);
    EXPECT_EQ(u->Height(), 20);
    EXPECT_EQ(u->ButtonRect(0), Rect(20, 0, 40, 20));
    EXPECT_EQ(At(15, 20), Px(cUpDownRest));
    EXPECT_EQ(At(45, 20), Px(cUpDownRest));
    Driver.MoveTo(Point(45, 20)); // the up button, the right half
    EXPECT_EQ(At(45, 20), Px(cActive));
    EXPECT_EQ(At(15, 20), Px(cUpDownRest));
    Driver.ButtonDown();
    Save("UpDown_SkinnedPressed");
    EXPECT_EQ(At(45, 20), Px(cDown));
    Driver.ButtonUp();
    EXPECT_EQ(u->Position(), 1);
}

TEST_F(UpDownSkinned, WithoutSkinSize_AnySizeAndHalvesMadeOfTheResizeButton)
{
    auto* u = Skinned(Rect(10, 10, 70, 40), false);
    ShowForm();
    EXPECT_EQ(u->Width(), 60);
    EXPECT_EQ(u->Height(), 30);
    EXPECT_FALSE(u->HasWindowRegion());
    EXPECT_EQ(At(11, 11), Px(cNormal));
    EXPECT_EQ(At(68, 38), Px(cNormal));
    // Each half carries its arrow in the entry's font colour (black at rest).
    EXPECT_GT(CountColour(*this, Rect(10, 10, 40, 40), clBlack), 0);
    EXPECT_GT(CountColour(*this, Rect(40, 10, 70, 40), clBlack), 0);
    Driver.MoveTo(Point(25, 25)); // the down button, the left half
    EXPECT_EQ(At(11, 11), Px(cActive));
    EXPECT_EQ(At(68, 38), Px(cNormal));
    Driver.ButtonDown();
    Save("UpDown_ResizeButtonsPressed");
    EXPECT_EQ(At(11, 11), Px(cDown));
    Driver.ButtonUp();
    EXPECT_EQ(u->Position(), 0); // at Min: the step down is ignored
    EXPECT_EQ(Changes, 0);
}
