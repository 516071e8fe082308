#include "platform/vcl/THintWindow.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"

namespace {

class TCountingHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
    void ActivateHint(const TRect& R, const std::string& AHint) override
    {
        ++Shown;
        THintWindow::ActivateHint(R, AHint);
    }
    int Shown = 0;
};

struct HintServiceTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TPanel *Left = nullptr, *Right = nullptr, *Silent = nullptr;

    void SetUp() override
    {
        ApplicationHints().SetShowHint(true);
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 300);
        Left = AddPanel(10, "Convert the queue");
        Right = AddPanel(120, "Stop");
        Silent = AddPanel(230, "");
        Form->Show();
        Driver.MoveTo(Point(390, 290));
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        ApplicationHints().OnShowHint = nullptr;
        ApplicationHints().SetHintWindowClass(nullptr);
        // Frees the window while this test's screen still exists.
        ApplicationHints().SetShowHint(false);
        if (Form != nullptr) Form->Free();
        Driver.ProcessMessages();
        ApplicationHints().SetShowHint(true);
    }
    TPanel* AddPanel(int x, const std::string& hint)
    {
        auto* p = new TPanel(Form);
        p->SetParent(Form);
        p->SetBounds(x, 10, 100, 50);
        p->SetHint(hint);
        p->SetShowHint(true);
        return p;
    }
    void Rest(TControl* c) { Driver.MoveTo(c->ClientToScreen(Point(20, 20))); }
    bool Showing() { return ApplicationHints().HintWindow() != nullptr && ApplicationHints().HintWindow()->Showing(); }
    std::string Shown() { return ApplicationHints().HintWindow()->Text(); }
};

} // namespace

// ---- when a hint shows ----

TEST_F(HintServiceTest, RestingOnAControl_ShowsItsHintAfterThePauseBelowThePointer)
{
    Rest(Left);
    Driver.AdvanceClock(ApplicationHints().HintPause() - 50);
    EXPECT_FALSE(Showing());
    Driver.AdvanceClock(100);
    ASSERT_TRUE(Showing());
    EXPECT_EQ(Shown(), "Convert the queue");
    const TPoint p = Left->ClientToScreen(Point(20, 20));
    EXPECT_EQ(ApplicationHints().HintWindow()->Left(), p.X);
    EXPECT_GT(ApplicationHints().HintWindow()->Top(), p.Y);
}

TEST_F(HintServiceTest, ControlWithoutHintOrShowHint_ShowsNothing)
{
    Rest(Silent);
    Driver.AdvanceClock(1000);
    EXPECT_FALSE(Showing());
    Left->SetShowHint(false);
    Rest(Left);
    Driver.AdvanceClock(1000);
    EXPECT_FALSE(Showing());
}

TEST_F(HintServiceTest, HidesAfterTheHidePauseAndOnAClick)
{
    Rest(Left);
    Driver.AdvanceClock(600);
    ASSERT_TRUE(Showing());
    Driver.AdvanceClock(ApplicationHints().HintHidePause() + 50);
    EXPECT_FALSE(Showing());

    Rest(Right);
    Driver.AdvanceClock(600);
    ASSERT_TRUE(Showing());
    Driver.Click(Right->ClientToScreen(Point(25, 25)));
    EXPECT_FALSE(Showing());
}

TEST_F(HintServiceTest, NeighbourAfterAShownHint_UsesTheShortPause)
{
    Rest(Left);
    Driver.AdvanceClock(600);
    ASSERT_TRUE(Showing());
    Rest(Right);
    EXPECT_FALSE(Showing());
    Driver.AdvanceClock(ApplicationHints().HintShortPause() + 10);
    ASSERT_TRUE(Showing());
    EXPECT_EQ(Shown(), "Stop");
}

// ---- hooks ----

TEST_F(HintServiceTest, OnShowHint_MayChangeOrRefuseTheText)
{
    ApplicationHints().OnShowHint = [this](std::string& text, bool& canShow, THintInfo& info) {
        canShow = info.HintControl != Right;
        text += "!";
    };
    Rest(Left);
    Driver.AdvanceClock(600);
    ASSERT_TRUE(Showing());
    EXPECT_EQ(Shown(), "Convert the queue!");
    Rest(Right);
    Driver.AdvanceClock(600);
    EXPECT_FALSE(Showing());
}

TEST_F(HintServiceTest, WindowClass_MakesTheWindowAfterShowHintWasTurnedOffAndOn)
{
    TCountingHintWindow* made = nullptr;
    ApplicationHints().SetHintWindowClass([&made] { return made = new TCountingHintWindow(nullptr); });
    ApplicationHints().SetShowHint(false);
    ApplicationHints().SetShowHint(true);
    Rest(Left);
    Driver.AdvanceClock(600);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(ApplicationHints().HintWindow(), made);
    EXPECT_EQ(made->Shown, 1);
}

TEST_F(HintServiceTest, ControlFreedWhileTheHintIsPending_ShowsNothing)
{
    Rest(Left);
    Left->Free();
    Driver.AdvanceClock(1000);
    EXPECT_FALSE(Showing());
}
