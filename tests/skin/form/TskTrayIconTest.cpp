// The tray icon and the frame's way into the tray and back, on the headless display, with a tray there
// or not: what the tray was told to show, where the main form is, and what the icon's events report.
#include "skin/form/TskTrayIcon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TIcon.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TReader.h"
#include "platform/win/TrayIcon.h"
#include "platform/win/Window.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupWindow.h"

namespace {

// The program's main form with its frame and a tray icon linked to it, shown; the test says whether
// the desktop has a tray.
struct TskTrayIconTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Main = nullptr;
    TskFormFrame* Frame = nullptr;
    TskTrayIcon* Tray = nullptr;
    std::vector<std::string> Log;

    void SetUp() override
    {
        ASSERT_EQ(Application->MainForm(), nullptr) << "each test runs in a program of its own";
        Application->CreateForm(Main);
        Main->SetCaption("Main");
        Main->SetBounds(100, 80, 300, 200);
        Frame = new TskFormFrame(Main);
        Tray = new TskTrayIcon(Main);
        Frame->SetTrayIcon(Tray);
        Frame->SetBorderIcons(TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMinimizeToTray});
        Frame->OnMinimizeToTray = [this](TObject*) { Log.push_back("to tray"); };
        Frame->OnRestoreFromTray = [this](TObject*) { Log.push_back("from tray"); };
        Main->Show();
        Driver.FocusIn(Main->Handle());
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        if (Main != nullptr) Main->Free();
        Driver.Backend().SetTrayPresent(false);
        Driver.ProcessMessages();
    }
    void SetTray(bool Present)
    {
        Driver.Backend().SetTrayPresent(Present);
        Driver.ProcessMessages();
    }
    THeadlessTrayIcon* Shown() const { return THeadlessTrayIcon::Of(Tray->Handle(), TskTrayIcon::TrayIconId); }
    bool MainShown() const { return IsWindowVisible(Main->Handle()) != FALSE; }
    // The minimize-to-tray button of the frame, clicked.
    void ClickTrayButton()
    {
        const TRect r = Frame->FindObject("traybutton")->ObjectRect;
        Driver.Click(TPoint{Main->Left() + r.Left + 5, Main->Top() + r.Top + 5});
        Driver.ProcessMessages();
        Driver.AdvanceClock(1000);
    }
    void DoubleClickIcon()
    {
        Driver.TrayClick(Tray->Handle(), TskTrayIcon::TrayIconId, 1, {1250, 5});
        Driver.TrayClick(Tray->Handle(), TskTrayIcon::TrayIconId, 1, {1250, 5});
        Driver.AdvanceClock(1000);
    }
};

// ---- Into the tray and back ----

TEST_F(TskTrayIconTest, WithoutTray_MinimizeToTray_MinimizesTheOrdinaryWay_AndNeverHidesTheForm)
{
    EXPECT_FALSE(Tray->IconVisible()) << "the frame keeps the icon out of the tray while the form shows";
    ClickTrayButton();
    // Adding the icon failed: it is not reported as there, and the form is not hidden behind it.
    EXPECT_FALSE(Tray->IconVisible());
    EXPECT_EQ(Shown(), nullptr);
    EXPECT_TRUE(Main->Visible());
    EXPECT_TRUE(IsIconic(Main->Handle())) << "minimized as any window is, on the desktop's taskbar";
    EXPECT_FALSE(Tray->MainFormInTray());
    // The taskbar brings it back.
    Driver.RestoredByDesktop(Main->Handle());
    EXPECT_TRUE(MainShown());
    EXPECT_FALSE(IsIconic(Main->Handle()));
    EXPECT_EQ(Main->WindowState(), wsNormal);
}

TEST_F(TskTrayIconTest, WithTray_TheFormHidesBehindTheIcon_AndADoubleClickBringsItBack)
{
    SetTray(true);
    ClickTrayButton();
    ASSERT_NE(Shown(), nullptr);
    EXPECT_TRUE(Tray->IconVisible());
    EXPECT_FALSE(MainShown());
    EXPECT_EQ(Shown()->Picture.Width(), 32) << "the application's icon, as none was given";
    EXPECT_EQ(Log, std::vector<std::string>{"to tray"});

    DoubleClickIcon();
    EXPECT_TRUE(MainShown());
    EXPECT_FALSE(IsIconic(Main->Handle()));
    EXPECT_EQ(Main->WindowState(), wsNormal);
    EXPECT_EQ(GetActiveWindow(), Main->Handle());
    EXPECT_FALSE(Tray->IconVisible()) << "the icon goes with the form's return";
    EXPECT_EQ(Shown(), nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"to tray", "from tray"}));
    EXPECT_FALSE(Tray->MinimizeToTray()) << "the next ordinary minimize is an ordinary one";
}

TEST_F(TskTrayIconTest, AlwaysShowInTray_TheIconStaysWhileTheFormShows)
{
    SetTray(true);
    Frame->SetAlwaysShowInTray(true);
    Tray->SetIconVisible(true);
    ASSERT_TRUE(Tray->IconVisible());
    ClickTrayButton();
    EXPECT_FALSE(MainShown());
    DoubleClickIcon();
    EXPECT_TRUE(MainShown());
    EXPECT_TRUE(Tray->IconVisible());
}

TEST_F(TskTrayIconTest, TrayMenu_RightClickOpensIt_AndRestoreBringsTheFormBack)
{
    SetTray(true);
    ClickTrayButton();
    ASSERT_FALSE(MainShown());
    Driver.TrayClick(Tray->Handle(), TskTrayIcon::TrayIconId, 2, {1250, 5});
    TskSkinMenu* menu = Frame->SkinMenu();
    ASSERT_TRUE(menu->Active());
    TskSkinPopupWindow* w = menu->Windows(0);
    std::vector<std::string> captions;
    for (int i = 0; i < w->ItemCount(); ++i) captions.push_back(w->Items(i)->MenuItem->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"&Restore", "-", "&Close"}));
    EXPECT_EQ(w->Items(2)->MenuItem->ShortCut(), ShortCut(VK_F4, false, false, true));
    EXPECT_FALSE(MainShown()) << "the menu opens with the form still in the tray";
    // A click on "Restore".
    const TRect r = w->Items(0)->ObjectRect;
    Driver.Click(TPoint{w->WindowPos().X + r.Left + 10, w->WindowPos().Y + (r.Top + r.Bottom) / 2});
    Driver.ProcessMessages();
    EXPECT_FALSE(menu->Active());
    EXPECT_TRUE(MainShown());
    EXPECT_FALSE(Tray->IconVisible());
}

TEST_F(TskTrayIconTest, TaskbarMinimize_WithMinimizeToTray_GoesIntoTheTray_OnlyWhenThereIsOne)
{
    Tray->SetMinimizeToTray(true);
    Driver.MinimizedByDesktop(Main->Handle());
    EXPECT_TRUE(Main->Visible()) << "no tray: minimized where the taskbar shows it";
    EXPECT_FALSE(Tray->IconVisible());
    Driver.RestoredByDesktop(Main->Handle());

    SetTray(true);
    Driver.MinimizedByDesktop(Main->Handle());
    EXPECT_FALSE(MainShown());
    EXPECT_TRUE(Tray->IconVisible());
    EXPECT_TRUE(Tray->MainFormInTray());
}

TEST_F(TskTrayIconTest, TrayGoing_BringsAHiddenFormBack_AndTheIconReturnsWithTheNextTray)
{
    SetTray(true);
    ClickTrayButton();
    ASSERT_FALSE(MainShown());
    SetTray(false);
    EXPECT_TRUE(MainShown()) << "with nothing to click on, the form would be out of reach";
    EXPECT_FALSE(Tray->IconVisible());
    SetTray(true);
    EXPECT_TRUE(Tray->IconVisible()) << "the icon was asked for: the tray that came up gets it";
    EXPECT_NE(Shown(), nullptr);
}

// ---- The icon's own events and properties ----

TEST_F(TskTrayIconTest, Clicks_ASingleClickComesAfterTheDoubleClickTime_ADoubleClickGivesNoClick)
{
    SetTray(true);
    Tray->SetIconVisible(true);
    Tray->OnDblClick = [this](TObject*) { Log.push_back("double"); };
    Tray->OnClick = [this](TObject*) { Log.push_back("click"); };
    Tray->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState, int X, int Y) {
        Log.push_back("down " + std::to_string(B) + " " + std::to_string(X) + "," + std::to_string(Y));
    };
    const HWND h = Tray->Handle();
    Driver.TrayClick(h, TskTrayIcon::TrayIconId, 1, {1200, 7});
    EXPECT_EQ(Log, std::vector<std::string>{"down 0 1200,7"}) << "no click before the double-click time is over";
    Driver.AdvanceClock(GetDoubleClickTime());
    EXPECT_EQ(Log, (std::vector<std::string>{"down 0 1200,7", "click"}));

    Log.clear();
    Driver.AdvanceClock(1000);
    Driver.TrayClick(h, TskTrayIcon::TrayIconId, 1, {1200, 7});
    Driver.TrayClick(h, TskTrayIcon::TrayIconId, 1, {1200, 7});
    Driver.AdvanceClock(1000);
    EXPECT_EQ(Log, (std::vector<std::string>{"down 0 1200,7", "double"}));

    // Held longer than the double-click time: the click comes with the release.
    Log.clear();
    Driver.TrayButton(h, TskTrayIcon::TrayIconId, 1, true, {1200, 7});
    Driver.AdvanceClock(GetDoubleClickTime() + 50);
    EXPECT_EQ(Log, std::vector<std::string>{"down 0 1200,7"});
    Driver.TrayButton(h, TskTrayIcon::TrayIconId, 1, false, {1200, 7});
    EXPECT_EQ(Log, (std::vector<std::string>{"down 0 1200,7", "click"}));

    Log.clear();
    Tray->SetEnabled(false);
    Driver.TrayClick(h, TskTrayIcon::TrayIconId, 2, {1200, 7});
    Driver.AdvanceClock(1000);
    EXPECT_TRUE(Log.empty()) << "a disabled icon reports nothing";
}

TEST_F(TskTrayIconTest, Hint_IsTheTip_CutTo127_AndOnlyWithShowHint)
{
    SetTray(true);
    Tray->SetHint("Converting");
    Tray->SetIconVisible(true);
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Tip, "Converting");
    Tray->SetHint(std::string(200, 'h'));
    EXPECT_EQ(Shown()->Tip, std::string(127, 'h'));
    Tray->SetShowHint(false);
    EXPECT_EQ(Shown()->Tip, "");
}

TEST_F(TskTrayIconTest, IconList_IndexIsClamped_AndTheCycleShowsEachIconInTurn)
{
    auto* list = new TImageList(Main);
    list->SetWidth(16);
    list->SetHeight(16);
    const TColor colours[3] = {clRed, clLime, clBlue};
    for (TColor c : colours) {
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(Rect(0, 0, 16, 16));
        list->Add(&b, nullptr);
    }
    Tray->SetIconIndex(4);
    EXPECT_EQ(Tray->IconIndex(), 0) << "without a list the index is 0";
    Tray->SetIconList(list);
    Tray->SetIconIndex(10);
    EXPECT_EQ(Tray->IconIndex(), 2) << "past the end: the last icon";

    SetTray(true);
    Tray->SetIconVisible(true);
    std::vector<int> next;
    Tray->OnCycle = [&](TObject*, int Next) { next.push_back(Next); };
    Tray->SetAnimateTimerInterval(100);
    Tray->SetCycleIcons(true);
    std::vector<TPixel> shown;
    for (int i = 0; i < 4; ++i) {
        Driver.AdvanceClock(100);
        shown.push_back(Shown()->Picture.Pixel(8, 8));
    }
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(shown, (std::vector<TPixel>{ColorToPixel(clRed), ColorToPixel(clLime), ColorToPixel(clBlue), ColorToPixel(clRed)}));
    Tray->SetCycleIcons(false);
    Driver.AdvanceClock(500);
    EXPECT_EQ(next.size(), 4u);
}

TEST_F(TskTrayIconTest, Freed_WhileTheFormIsInTheTray_TheFormComesBack)
{
    SetTray(true);
    ClickTrayButton();
    ASSERT_FALSE(MainShown());
    Tray->Free();
    Tray = nullptr;
    EXPECT_TRUE(MainShown());
    EXPECT_EQ(Frame->TrayIcon(), nullptr);
    ClickTrayButton();   // nothing to go into: nothing happens
    EXPECT_TRUE(MainShown());
}

// Two icons hook the application's window in turn; freed in the order they were made, the first one's
// hook stays under the second's. The application's window goes on hearing its messages afterwards.
TEST_F(TskTrayIconTest, TwoIcons_FreedInTheOrderMade_TheApplicationWindowStillWorks)
{
    auto* second = new TskTrayIcon(Main);
    Tray->Free();
    Tray = nullptr;
    second->Free();
    SendMessage(Application->Handle(), WM_SIZE, SIZE_MINIMIZED, 0);
    SendMessage(Application->Handle(), WM_SIZE, SIZE_RESTORED, 0);
    Driver.ProcessMessages();
    EXPECT_TRUE(MainShown());
}

// ---- Read from a stored form ----

const char* TrayForm = R"(object TrayHost: TForm
  Left = 10
  Top = 10
  Width = 200
  Height = 120
  object skf: TskFormFrame
    TrayIcon = Tray
    AlwaysMinimizeToTray = True
  end
  object Tray: TskTrayIcon
    Hint = 'Ombrix'
    MinimizedOnStart = True
  end
end
)";

TForm* ReadTrayForm()
{
    RegisterSkinFrameClasses();
    auto* form = new TForm(Application);
    ReadComponentFromText(form, TrayForm);
    return form;
}

TEST(TrayIconReading, MinimizedOnStart_StartsInTheTray_OrMinimizedWithoutOne)
{
    THeadlessDriver driver;
    Application->SetShowMainForm(true);
    TForm* form = ReadTrayForm();
    auto* tray = dynamic_cast<TskTrayIcon*>(form->FindComponent("Tray"));
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(FindSkinFormComponent(form)->TrayIcon(), tray);
    EXPECT_FALSE(tray->IconVisible());
    EXPECT_TRUE(Application->ShowMainForm()) << "no tray: the program shows its form";
    EXPECT_EQ(form->WindowState(), wsMinimized);
    form->Free();

    driver.Backend().SetTrayPresent(true);
    driver.ProcessMessages();
    form = ReadTrayForm();
    tray = dynamic_cast<TskTrayIcon*>(form->FindComponent("Tray"));
    EXPECT_TRUE(tray->IconVisible());
    EXPECT_EQ(THeadlessTrayIcon::Of(tray->Handle(), TskTrayIcon::TrayIconId)->Tip, "Ombrix");
    EXPECT_FALSE(Application->ShowMainForm()) << "the program starts in the tray";
    Application->SetShowMainForm(true);
    form->Free();
    driver.Backend().SetTrayPresent(false);
    driver.ProcessMessages();
}

} // namespace
