#include "skin/form/TskSkinHint.h"

#include <gtest/gtest.h>

#include "platform/backend/THeadlessDriver.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/win/Paint.h"
#include "skin/data/SkinPlatform.h"

namespace {

struct SkinHintTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Main = nullptr;
    TskSkinHint* Hint = nullptr;

    void SetUp() override
    {
        Application->CreateForm(Main);
        ASSERT_EQ(Application->MainForm(), Main) << "the main form must be this test's form";
        Hint = new TskSkinHint(Main);
    }
    void TearDown() override
    {
        Main->Free();
        // Frees the hint window while this test's screen still exists.
        ApplicationHints().SetShowHint(false);
        ApplicationHints().SetShowHint(true);
        Driver.ProcessMessages();
    }
    TskSkinHintWindow* Window() { return Hint->HintWindow(); }
    BYTE Alpha()
    {
        BYTE a = 255;
        GetLayeredWindowAttributes(Window()->Handle(), nullptr, &a, nullptr);
        return a;
    }
};

} // namespace

// ---- text and layout ----

TEST_F(SkinHintTest, LineSeparator_SplitsTheTextIntoLines)
{
    EXPECT_EQ(Hint->ExpandLines("Start@conversion"), "Start\nconversion");
    Window()->ActivateHint(Rect(10, 10, 10, 10), "Start conversion");
    const int oneLine = Window()->Height();
    Window()->ActivateHint(Rect(10, 10, 10, 10), "Start@conversion");
    EXPECT_GT(Window()->Height(), oneLine + oneLine / 2);
    EXPECT_LT(Window()->Width(), 200);
}

TEST_F(SkinHintTest, EmptyLineSeparator_LeavesTheTextAlone)
{
    Hint->SetLineSeparator("");
    EXPECT_EQ(Hint->ExpandLines("a@b"), "a@b");
}

TEST_F(SkinHintTest, NearTheBottomRightCorner_OpensUpAndLeftOfThePoint)
{
    TRect wa;
    GetScreenArea(true, wa);
    const TPoint p(wa.Right - 5, wa.Bottom - 5);
    Window()->ActivateHint(Rect(p.X, p.Y, p.X, p.Y), "A hint near the corner");
    EXPECT_LE(Window()->Left() + Window()->Width(), p.X);
    EXPECT_LE(Window()->Top() + Window()->Height(), p.Y);
    EXPECT_TRUE(IsWindowVisible(Window()->Handle()));
}

TEST_F(SkinHintTest, PlainLook_InfoBackgroundInsideAShadowFrame)
{
    Window()->ActivateHint(Rect(20, 20, 20, 20), "Hint");
    Driver.ProcessMessages();
    const HWND h = Window()->Handle();
    EXPECT_EQ(Driver.PixelAt(h, 0, 0) & 0xFFFFFF, ColorToPixel(clBtnShadow) & 0xFFFFFF);
    EXPECT_EQ(Driver.PixelAt(h, 1, Window()->Height() - 2) & 0xFFFFFF, ColorToPixel(clInfoBk) & 0xFFFFFF);
}

// ---- which component serves ----

TEST_F(SkinHintTest, ActivatingOne_DeactivatesTheOther)
{
    auto* second = new TskSkinHint(Main);
    EXPECT_TRUE(second->Active());
    Hint->SetActive(false);
    second->SetActive(false);
    Hint->SetActive(true);
    second->SetActive(true);
    EXPECT_FALSE(Hint->Active());
    EXPECT_EQ(FindActiveSkinHint(), second);
}

TEST_F(SkinHintTest, NoActiveHintOnTheMainForm_NoWindowShows)
{
    Hint->SetActive(false);
    auto* loose = new TskSkinHintWindow(Main);
    loose->ActivateHint(Rect(10, 10, 10, 10), "Nobody asked");
    EXPECT_FALSE(loose->Showing());
    EXPECT_FALSE(loose->HandleAllocated() && IsWindowVisible(loose->Handle()));
}

// ---- the explicit hint ----

TEST_F(SkinHintTest, ActivateHint2_ShowsAfterThePauseBelowThePointerThenHides)
{
    Driver.MoveTo(Point(100, 100));
    Hint->ActivateHint2("Later");
    Driver.AdvanceClock(SkinHintPause - 50);
    EXPECT_FALSE(Window()->Showing());
    Driver.AdvanceClock(100);
    ASSERT_TRUE(Window()->Showing());
    EXPECT_EQ(Window()->Left(), 100);
    EXPECT_GT(Window()->Top(), 100);
    Driver.AdvanceClock(SkinHintHidePause + 50);
    EXPECT_FALSE(Window()->Showing());
}

TEST_F(SkinHintTest, HideHint_CancelsAPendingHint)
{
    Hint->ActivateHint2("Never");
    Hint->HideHint();
    Driver.AdvanceClock(SkinHintPause * 2);
    EXPECT_FALSE(Window()->Showing());
}

// ---- translucency and fade ----

TEST_F(SkinHintTest, Fade_RisesByTimerToTheChosenOpacity)
{
    if (!IsLayeringAvailable()) GTEST_SKIP() << "no translucent windows here";
    Hint->SetAlphaBlend(true);
    Hint->SetAlphaBlendAnimation(true);
    Hint->SetAlphaBlendValue(100);
    Window()->ActivateHint(Rect(10, 10, 10, 10), "Fading");
    EXPECT_EQ(Alpha(), 0);
    Driver.AdvanceClock(SkinHintFadeInterval * 2);
    EXPECT_EQ(Alpha(), 2 * SkinHintFadeStep);
    Driver.AdvanceClock(SkinHintFadeInterval * 10);
    EXPECT_EQ(Alpha(), 100);
    EXPECT_FALSE(Window()->Fading());
}

TEST_F(SkinHintTest, Fade_StopsWhenTheHintIsHiddenOrFreed)
{
    if (!IsLayeringAvailable()) GTEST_SKIP() << "no translucent windows here";
    Hint->SetAlphaBlend(true);
    Hint->SetAlphaBlendAnimation(true);
    Window()->ActivateHint(Rect(10, 10, 10, 10), "Fading");
    Driver.AdvanceClock(SkinHintFadeInterval);
    Hint->HideHint();
    const BYTE stopped = Alpha();
    Driver.AdvanceClock(SkinHintFadeInterval * 10);
    EXPECT_EQ(Alpha(), stopped);
    EXPECT_FALSE(Window()->Fading());

    Window()->ActivateHint(Rect(10, 10, 10, 10), "Fading again");
    Hint->Free();
    Hint = nullptr;
    // The window went with its component: the remaining timer ticks find nothing to paint.
    Driver.AdvanceClock(SkinHintFadeInterval * 10);
}

TEST_F(SkinHintTest, WithoutAnimation_OpacityAtOnce)
{
    if (!IsLayeringAvailable()) GTEST_SKIP() << "no translucent windows here";
    Hint->SetAlphaBlend(true);
    Hint->SetAlphaBlendValue(150);
    Window()->ActivateHint(Rect(10, 10, 10, 10), "Glass");
    EXPECT_EQ(Alpha(), 150);
}

// ---- the application's hints ----

TEST_F(SkinHintTest, ApplicationHints_ShownInTheSkinnedWindowAndOnShowHintCalled)
{
    Main->SetBorderStyle(bsNone);
    Main->SetBounds(0, 0, 300, 200);
    Main->SetShowHint(true);
    Main->SetHint("Main window");
    int calls = 0;
    Hint->OnShowHint = [&](std::string& text, bool&, THintInfo&) {
        ++calls;
        text = "Two@lines";
    };
    Main->Show();
    Driver.MoveTo(Point(50, 50));
    Driver.AdvanceClock(ApplicationHints().HintPause() + 10);
    EXPECT_EQ(calls, 1);
    auto* shown = dynamic_cast<TskSkinHintWindow*>(ApplicationHints().HintWindow());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->Showing());
    EXPECT_EQ(shown->Text(), "Two\nlines");
    EXPECT_EQ(ApplicationHints().HintShortPause(), 100u);
}

TEST_F(SkinHintTest, FreedComponent_ApplicationHintsFallBackToThePlainWindow)
{
    Main->SetBorderStyle(bsNone);
    Main->SetBounds(0, 0, 300, 200);
    Main->SetShowHint(true);
    Main->SetHint("Main window");
    Hint->Free();
    Hint = nullptr;
    Main->Show();
    Driver.MoveTo(Point(60, 60));
    Driver.AdvanceClock(ApplicationHints().HintPause() + 10);
    ASSERT_NE(ApplicationHints().HintWindow(), nullptr);
    EXPECT_EQ(dynamic_cast<TskSkinHintWindow*>(ApplicationHints().HintWindow()), nullptr);
    EXPECT_TRUE(ApplicationHints().HintWindow()->Showing());
}
