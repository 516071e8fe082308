#include "skin/form/TskSkinHint.h"

#include <gtest/gtest.h>

#include "SkinMenuTestSupport.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/gfx/Text.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TForm.h"
#include "platform/win/Paint.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/data/SkinPlatform.h"

namespace {

using menutest::cHintFrame;
using menutest::cHintText;
using menutest::Px;

struct SkinHintTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Main = nullptr;
    TskSkinHint* Hint = nullptr;
    std::unique_ptr<menutest::TMenuSkin> Skin;

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
    TskSkinData* HintSkin(bool mask)
    {
        Skin = std::make_unique<menutest::TMenuSkin>(menutest::WithHintWindow(menutest::MenuTestSkin(), mask));
        return Skin->Skin.get();
    }
    TPixel At(THintWindow* w, int x, int y) { return Driver.PixelAt(w->Handle(), x, y) & 0x00FFFFFF; }
    int CountPixels(THintWindow* w, TRect r, TPixel colour)
    {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += At(w, x, y) == colour ? 1 : 0;
        return n;
    }
    // A shown main form, and a skinned panel on it whose hint has a title and picture 0 of a red strip.
    TskSkinPanel* PanelWithTitledHint(TCustomImageList*& images)
    {
        Main->SetBorderStyle(bsNone);
        Main->SetBounds(0, 0, 300, 200);
        images = new TCustomImageList(Main);
        images->SetWidth(16);
        images->SetHeight(16);
        TBitmap strip(16, 16);
        strip.Canvas()->Brush()->SetColor(clRed);
        strip.Canvas()->FillRect(Rect(0, 0, 16, 16));
        images->Add(&strip, nullptr);
        auto* panel = new TskSkinPanel(Main);
        panel->SetParent(Main);
        panel->SetBounds(20, 20, 120, 80);
        panel->SetShowHint(true);
        panel->SetHint("Converts@the queue");
        panel->SetHintTitle("Start");
        panel->SetHintImageList(images);
        Main->Show();
        Driver.ProcessMessages();
        return panel;
    }
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

// ---- the skinned look ----

TEST_F(SkinHintTest, SkinnedLook_TheHintPictureFramesTheTextInTheSkinsFontColour)
{
    Hint->SetSkinData(HintSkin(false));
    Window()->ActivateHint(Rect(20, 20, 20, 20), "Skinned hint");
    Driver.ProcessMessages();
    ASSERT_TRUE(Window()->Skinned());
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->SetName("DejaVu Sans");
    measure.Canvas()->Font()->SetHeight(13);
    TRect text = Rect(0, 0, 0, 0);
    measure.Canvas()->TextRect(text, "Skinned hint", DT_CALCRECT | DT_LEFT | DT_NOPREFIX);
    // The frame's margins (6 on each side of the text area) and 5 more across.
    EXPECT_EQ(Window()->Width(), text.Width() + 17);
    EXPECT_EQ(Window()->Height(), text.Height() + 12);
    EXPECT_EQ(Window()->TextRect(), Rect(6, 6, Window()->Width() - 6, Window()->Height() - 6));
    const int w = Window()->Width(), h = Window()->Height();
    EXPECT_EQ(At(Window(), 2, h / 2), Px(cHintFrame));
    EXPECT_EQ(At(Window(), w - 2, 2), Px(cHintFrame));
    EXPECT_EQ(At(Window(), w - 7, h - 7), Px(cHintText));
    EXPECT_GT(CountPixels(Window(), Window()->TextRect(), Px(clRed)), 10) << "the text in the skin's red";
    Driver.SaveWindow(Window()->Handle(), "skin-hint-skinned", OMBRIX_TEST_PICTURES);
    // No mask: the window keeps its rectangle.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Window()->Handle(), rgn), ERROR);
    DeleteObject(rgn);
}

TEST_F(SkinHintTest, SkinnedLook_TheMaskShapesTheWindow_AndGoesWithTheSkin)
{
    Hint->SetSkinData(HintSkin(true));
    Window()->ActivateHint(Rect(20, 20, 20, 20), "Shaped");
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Window()->Handle(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 1, 1));
    EXPECT_TRUE(PtInRegion(rgn, 4, 1));
    EXPECT_TRUE(PtInRegion(rgn, Window()->Width() - 1, Window()->Height() - 1));
    DeleteObject(rgn);
    Hint->SetSkinData(nullptr);
    Window()->ActivateHint(Rect(20, 20, 20, 20), "Plain again");
    EXPECT_FALSE(Window()->Skinned());
    rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Window()->Handle(), rgn), ERROR);
    DeleteObject(rgn);
}

TEST_F(SkinHintTest, SkinnedLook_WithoutUseSkinFont_TakesDefaultFontInTheSkinsColour)
{
    Hint->SetSkinData(HintSkin(false));
    Window()->ActivateHint(Rect(20, 20, 20, 20), "Font");
    const int skinFontWidth = Window()->Width();
    Hint->SetUseSkinFont(false);
    Hint->DefaultFont()->SetHeight(30);
    Window()->ActivateHint(Rect(20, 20, 20, 20), "Font");
    Driver.ProcessMessages();
    EXPECT_GT(Window()->Width(), skinFontWidth);
    EXPECT_GT(CountPixels(Window(), Window()->TextRect(), Px(clRed)), 10);
}

// ---- title and image ----

TEST_F(SkinHintTest, SkinnedControlsHint_ShowsTitleImageAndText)
{
    TCustomImageList* images = nullptr;
    TskSkinPanel* panel = PanelWithTitledHint(images);
    Driver.MoveTo(panel->ClientToScreen({30, 30}));
    Driver.AdvanceClock(ApplicationHints().HintPause() + 10);
    auto* shown = dynamic_cast<TskSkinHintWindow*>(ApplicationHints().HintWindow());
    ASSERT_NE(shown, nullptr);
    ASSERT_TRUE(shown->Showing());
    EXPECT_TRUE(shown->TitleLayout());
    EXPECT_EQ(Hint->HintTitle(), "Start");
    // The whole picture, left of the text and below the title.
    const TRect all = Rect(0, 0, shown->Width(), shown->Height());
    EXPECT_EQ(CountPixels(shown, all, Px(clRed)), 16 * 16);
    TPoint first{-1, -1};
    for (int y = 0; y < shown->Height() && first.X < 0; ++y)
        for (int x = 0; x < shown->Width() && first.X < 0; ++x)
            if (At(shown, x, y) == Px(clRed)) first = Point(x, y);
    const TRect r = shown->TextRect();
    EXPECT_EQ(first.X, r.Left);
    EXPECT_GT(first.Y, r.Top + 5) << "the title row is above the picture";
    Driver.SaveWindow(shown->Handle(), "skin-hint-title-image", OMBRIX_TEST_PICTURES);

    // A plain control's hint is text alone.
    Main->SetShowHint(true);
    Main->SetHint("Main window");
    Driver.MoveTo(Main->ClientToScreen({250, 150}));
    Driver.AdvanceClock(ApplicationHints().HintShortPause() + 10);
    ASSERT_TRUE(shown->Showing());
    EXPECT_FALSE(shown->TitleLayout());
    EXPECT_EQ(CountPixels(shown, Rect(0, 0, shown->Width(), shown->Height()), Px(clRed)), 0);
}

TEST_F(SkinHintTest, TitleLayout_MakesRoomForTitleAndImage)
{
    TCustomImageList* images = nullptr;
    PanelWithTitledHint(images);
    Window()->ActivateHint(Rect(10, 10, 10, 10), "Converts@the queue");
    const TSize plain{Window()->Width(), Window()->Height()};
    Hint->SetHintTitleAndImage("Start", images, 0);
    Window()->ActivateHint(Rect(10, 10, 10, 10), "Converts@the queue");
    EXPECT_TRUE(Window()->TitleLayout());
    EXPECT_GE(Window()->Width(), plain.cx + 16 + 10);
    EXPECT_GE(Window()->Height(), plain.cy + 10);
    // An index outside the list shows no picture and takes no room for one.
    Hint->SetHintTitleAndImage("Start", images, 5);
    Window()->ActivateHint(Rect(10, 10, 10, 10), "Converts@the queue");
    Driver.ProcessMessages();
    EXPECT_LT(Window()->Width(), plain.cx + 16 + 10);
    EXPECT_EQ(CountPixels(Window(), Rect(0, 0, Window()->Width(), Window()->Height()), Px(clRed)), 0);
    // The list going away takes the picture with it.
    Hint->SetHintTitleAndImage("", images, 0);
    images->Free();
    EXPECT_EQ(Hint->HintImageList(), nullptr);
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

TEST_F(SkinHintTest, TranslucentWithoutLayeredWindows_BlendsWithTheScreenUnderIt)
{
    Main->SetBorderStyle(bsNone);
    Main->SetBounds(0, 0, 300, 200);
    Main->SetColor(clBlue);
    Main->Show();
    Driver.ProcessMessages();
    Hint->SetAlphaBlendSupport(false);
    Hint->SetAlphaBlend(true);
    Hint->SetAlphaBlendValue(128);
    Window()->ActivateHint(Rect(40, 40, 40, 40), "Glass");
    Driver.ProcessMessages();
    EXPECT_EQ(GetWindowLong(Window()->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    // The info colour half over the blue form: each channel about the mean of the two.
    const TPixel p = At(Window(), 1, Window()->Height() - 2);
    const TPixel info = Px(clInfoBk), blue = Px(clBlue);
    for (int shift : {0, 8, 16}) {
        const int got = static_cast<int>((p >> shift) & 0xFF);
        const int want = (static_cast<int>((info >> shift) & 0xFF) * 128 + static_cast<int>((blue >> shift) & 0xFF) * 127) / 255;
        EXPECT_NEAR(got, want, 2) << "channel at bit " << shift;
    }
    Driver.SaveWindow(Window()->Handle(), "skin-hint-blended", OMBRIX_TEST_PICTURES);
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
