#include "platform/win/Input.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "WinTestSupport.h"

namespace {

class InputTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND h : GetTopLevelWindows())
            DestroyWindow(h);
        PumpAll();
    }
    THeadlessDriver Driver;
    TTestClass Cls{CS_DBLCLKS, clWhite};
};

TEST_F(InputTest, Click_AsksHitTestThenCursorThenClientMessageWithClientPoint)
{
    HWND top = Cls.Create(0, Bounds(100, 100, 200, 100), WS_POPUP | WS_VISIBLE);
    HWND c = Cls.Create(top, Bounds(10, 10, 50, 50));
    Driver.ProcessMessages();
    Cls.Log.clear();
    Driver.Click({115, 120});
    EXPECT_EQ(Cls.Messages(c, {WM_NCHITTEST, WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP}),
        (std::vector<UINT>{WM_NCHITTEST, WM_SETCURSOR, WM_NCHITTEST, WM_SETCURSOR, WM_LBUTTONDOWN, WM_NCHITTEST,
            WM_LBUTTONUP}));
    for (const auto& m : Cls.Log)
        if (m.Window == c && m.Msg == WM_LBUTTONDOWN) {
            EXPECT_EQ(LOWORD(m.LParam), 5);
            EXPECT_EQ(HIWORD(m.LParam), 10);
            EXPECT_TRUE(m.WParam & MK_LBUTTON);
        }
}

TEST_F(InputTest, HitCodes_BecomeNonClientMessagesWithScreenPoint)
{
    HWND top = Cls.Create(0, Bounds(100, 100, 200, 100), WS_POPUP | WS_VISIBLE);
    Cls.On[WM_NCHITTEST] = [](HWND, WPARAM, LPARAM l) -> LRESULT {
        return static_cast<short>(HIWORD(l)) < 110 ? HTBORDER : HTCLIENT;
    };
    Driver.ProcessMessages();
    Cls.Log.clear();
    Driver.MoveTo({150, 105});
    Driver.Click({150, 105}, 2);
    Driver.MoveTo({150, 150});
    EXPECT_EQ(Cls.Messages(top, {WM_NCMOUSEMOVE, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_MOUSEMOVE}),
        (std::vector<UINT>{WM_NCMOUSEMOVE, WM_NCMOUSEMOVE, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_MOUSEMOVE}));
    for (const auto& m : Cls.Log)
        if (m.Msg == WM_NCRBUTTONDOWN) {
            EXPECT_EQ(m.WParam, static_cast<WPARAM>(HTBORDER));
            EXPECT_EQ(LOWORD(m.LParam), 150);
            EXPECT_EQ(HIWORD(m.LParam), 105);
        }
}

TEST_F(InputTest, Capture_SendsPointerToCaptureWindowAndReleaseNotifies)
{
    HWND top = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    HWND a = Cls.Create(top, Bounds(0, 0, 50, 50));
    HWND b = Cls.Create(top, Bounds(100, 0, 50, 50));
    Driver.ProcessMessages();
    SetCapture(a);
    EXPECT_EQ(GetCapture(), a);
    Cls.Log.clear();
    Driver.Click({120, 10});
    EXPECT_EQ(Cls.Count(b, WM_LBUTTONDOWN), 0);
    ASSERT_EQ(Cls.Count(a, WM_LBUTTONDOWN), 1);
    for (const auto& m : Cls.Log) {
        if (m.Window == a && m.Msg == WM_LBUTTONDOWN) {
            EXPECT_EQ(LOWORD(m.LParam), 120);
        }
    }
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(Cls.Count(a, WM_CAPTURECHANGED), 1);
    Driver.Click({120, 10});
    EXPECT_EQ(Cls.Count(b, WM_LBUTTONDOWN), 1);
}

TEST_F(InputTest, Focus_KeysAndTextGoToFocusWindow)
{
    HWND top = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    HWND edit = Cls.Create(top, Bounds(0, 0, 50, 50));
    Driver.ProcessMessages();
    EXPECT_EQ(GetActiveWindow(), top);
    SetFocus(edit);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Cls.Count(edit, WM_SETFOCUS), 1);
    std::u32string typed;
    Cls.On[WM_CHAR] = [&](HWND, WPARAM w, LPARAM) -> LRESULT {
        typed.push_back(static_cast<char32_t>(w));
        return 0;
    };
    Driver.Type("aé\n");
    EXPECT_EQ(typed, U"a\u00e9\r");
    EXPECT_EQ(Cls.Count(edit, WM_KEYDOWN), 2);
    SetFocus(top);
    EXPECT_EQ(Cls.Count(edit, WM_KILLFOCUS), 1);
}

TEST_F(InputTest, Keys_WithAltBecomeSystemKeysAndCtrlLetterMakesControlChar)
{
    HWND top = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    Driver.ProcessMessages();
    Cls.Log.clear();
    Driver.Press('X', false, false, true);
    EXPECT_EQ(Cls.Count(top, WM_SYSKEYDOWN), 2);   // Alt itself and X
    EXPECT_EQ(Cls.Count(top, WM_SYSCHAR), 1);
    std::vector<WPARAM> chars;
    Cls.On[WM_CHAR] = [&](HWND, WPARAM w, LPARAM) -> LRESULT {
        chars.push_back(w);
        return 0;
    };
    Driver.Press('C', false, true);
    EXPECT_EQ(chars, std::vector<WPARAM>{3});
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
}

TEST_F(InputTest, Activation_ShowingSecondWindowDeactivatesFirst)
{
    HWND a = Cls.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    HWND b = Cls.Create(0, Bounds(200, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), b);
    bool aInactive = false;
    for (const auto& m : Cls.Log)
        if (m.Window == a && m.Msg == WM_ACTIVATE && LOWORD(m.WParam) == WA_INACTIVE)
            aInactive = true;
    EXPECT_TRUE(aInactive);
    Cls.Log.clear();
    Driver.Click({50, 50});
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(Cls.Count(a, WM_MOUSEACTIVATE), 1);
    EXPECT_EQ(Cls.Count(a, WM_NCACTIVATE), 1);
    EXPECT_EQ(GetTopLevelWindows().front(), a);
}

TEST_F(InputTest, Popup_NoActivate_NeverTakesFocusWhenShownOrClicked)
{
    HWND form = Cls.Create(0, Bounds(0, 0, 300, 300), WS_POPUP | WS_VISIBLE);
    HWND edit = Cls.Create(form, Bounds(0, 0, 50, 50));
    SetFocus(edit);
    HWND menu = Cls.Create(form, Bounds(50, 50, 100, 100), WS_POPUP, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    ShowWindow(menu, SW_SHOW);
    Driver.ProcessMessages();
    EXPECT_EQ(GetActiveWindow(), form);
    Driver.Click({60, 60});
    EXPECT_EQ(Cls.Count(menu, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Cls.Count(menu, WM_ACTIVATE), 0);
    EXPECT_EQ(GetTopLevelWindows().front(), menu);
}

TEST_F(InputTest, Popup_ShownWithoutActivation_IgnoresDisplayFocus)
{
    HWND form = Cls.Create(0, Bounds(0, 0, 300, 300), WS_POPUP | WS_VISIBLE);
    HWND hint = Cls.Create(form, Bounds(50, 50, 100, 20), WS_POPUP);
    ShowWindow(hint, SW_SHOWNOACTIVATE);
    Driver.FocusIn(hint);   // a display that hands the keyboard to any mapped window
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(Cls.Count(hint, WM_ACTIVATE), 0);
}

TEST_F(InputTest, DisplayFocusOnAWindowDisabledUnderAModalOne_KeysStillReachTheModalOne)
{
    HWND owner = Cls.Create(0, Bounds(0, 0, 300, 300), WS_POPUP | WS_VISIBLE);
    HWND dialog = Cls.Create(0, Bounds(50, 50, 200, 200), WS_POPUP | WS_VISIBLE);
    HWND edit = Cls.Create(dialog, Bounds(0, 0, 50, 20));
    EnableWindow(owner, FALSE);
    SetActiveWindow(dialog);
    SetFocus(edit);
    const int ownerActivations = Cls.Count(owner, WM_ACTIVATE);
    // A window manager hands the keyboard to the owner: the dialog stays active, its edit focused.
    Driver.FocusIn(owner);
    Driver.ProcessMessages();
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(GetFocus(), edit);
    Driver.Press('A');
    EXPECT_EQ(Cls.Count(edit, WM_KEYDOWN), 1);
    EXPECT_EQ(Cls.Count(owner, WM_ACTIVATE), ownerActivations);
}

TEST_F(InputTest, DisplayFocus_IsTakenAsItIsAndADisabledOwnerPassesItToItsDialog)
{
    HWND owner = Cls.Create(0, Bounds(0, 0, 300, 200), WS_POPUP | WS_VISIBLE);
    HWND other = Cls.Create(0, Bounds(400, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    Driver.ProcessMessages();
    THeadlessWindow* ownerTop = THeadlessWindow::Of(owner);
    ASSERT_NE(ownerTop, nullptr);
    // Focus the display reports is not asked for again: under a window manager every such request is
    // answered with another report, and two windows would pass the keyboard back and forth for ever.
    const int asked = ownerTop->Focused;
    Driver.FocusIn(owner);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(ownerTop->Focused, asked);

    EnableWindow(owner, FALSE);
    HWND dialog = Cls.Create(owner, Bounds(50, 50, 100, 80), WS_POPUP);
    ShowWindow(dialog, SW_SHOW);
    Driver.ProcessMessages();
    EXPECT_EQ(GetActiveWindow(), dialog);
    THeadlessWindow* dialogTop = THeadlessWindow::Of(dialog);
    ASSERT_NE(dialogTop, nullptr);
    EXPECT_EQ(dialogTop->Owner, ownerTop);
    EXPECT_TRUE(dialogTop->Modal);
    EXPECT_EQ(THeadlessWindow::Of(other)->Owner, nullptr);

    // The keyboard reported at the waiting owner (a late report, the user clicking it) goes to the
    // dialog, and the display is asked to put it there, whether or not the dialog lost its activation.
    int dialogAsked = dialogTop->Focused;
    Driver.FocusIn(owner);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(dialogTop->Focused, dialogAsked + 1);
    Driver.FocusOut(dialog);
    Driver.FocusIn(owner);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(dialogTop->Focused, dialogAsked + 2);
    Driver.Click({400 + 10, 10});
    EXPECT_EQ(GetActiveWindow(), other);
    HWND button = Cls.Create(owner, Bounds(0, 150, 80, 30));
    Driver.Click({10, 10});
    EXPECT_EQ(GetActiveWindow(), dialog);
    Driver.Click({10, 160});   // an enabled child of the waiting owner takes no click either
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(Cls.Count(owner, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Cls.Count(button, WM_LBUTTONDOWN), 0);
}

TEST_F(InputTest, WindowMinimizedAndRestoredByTheDesktop_TakesThePointerAgain)
{
    HWND top = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    Driver.ProcessMessages();
    ShowWindow(top, SW_MINIMIZE);
    Driver.ProcessMessages();
    EXPECT_TRUE(IsIconic(top));
    EXPECT_TRUE(THeadlessWindow::Of(top)->Minimized);
    EXPECT_EQ(WindowFromPoint({50, 50}), 0u);

    // A taskbar restores it through the window manager: the program is told, not asked.
    Driver.RestoredByDesktop(top);
    EXPECT_FALSE(IsIconic(top));
    TRect r;
    GetWindowRect(top, r);
    EXPECT_EQ(r, Bounds(0, 0, 200, 100));
    Driver.Click({50, 50});
    EXPECT_EQ(Cls.Count(top, WM_LBUTTONDOWN), 1);

    // Minimized by the window manager's own button; restored by the program, which the display must hear.
    ShowWindow(top, SW_SHOWMAXIMIZED);
    Driver.MinimizedByDesktop(top);
    EXPECT_TRUE(IsIconic(top));
    ShowWindow(top, SW_RESTORE);
    EXPECT_FALSE(IsIconic(top));
    EXPECT_FALSE(THeadlessWindow::Of(top)->Minimized);
}

TEST_F(InputTest, MouseActivate_NoActivateAndEat_SwallowsClick)
{
    HWND a = Cls.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    HWND b = Cls.Create(0, Bounds(200, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    Cls.On[WM_MOUSEACTIVATE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return MA_NOACTIVATEANDEAT; };
    Driver.Click({50, 50});
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(Cls.Count(a, WM_LBUTTONDOWN), 0);
}

TEST_F(InputTest, DisabledChild_PassesClickToParent)
{
    HWND top = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    HWND c = Cls.Create(top, Bounds(0, 0, 50, 50), WS_CHILD | WS_VISIBLE | WS_DISABLED);
    Driver.Click({10, 10});
    EXPECT_EQ(Cls.Count(c, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Cls.Count(top, WM_LBUTTONDOWN), 1);
}

TEST_F(InputTest, RightClick_AsksChildThenParentForContextMenuAtScreenPoint)
{
    HWND top = Cls.Create(0, Bounds(100, 100, 200, 100), WS_POPUP | WS_VISIBLE);
    HWND c = Cls.Create(top, Bounds(10, 10, 50, 50));
    LPARAM where = 0;
    Cls.On[WM_CONTEXTMENU] = [&](HWND h, WPARAM w, LPARAM l) -> LRESULT {
        if (h == top)
            where = l;
        return DefWindowProc(h, WM_CONTEXTMENU, w, l);
    };
    Driver.Click({120, 130}, 2);
    EXPECT_EQ(Cls.Count(c, WM_CONTEXTMENU), 1);
    EXPECT_EQ(where, MAKELPARAM(120, 130));
}

TEST_F(InputTest, Wheel_GoesToTheWindowUnderThePointerAndUpItsParentsUntilOneTakesIt)
{
    HWND top = Cls.Create(0, Bounds(0, 0, 300, 100), WS_POPUP | WS_VISIBLE);
    HWND focused = Cls.Create(top, Bounds(0, 0, 50, 50));
    HWND box = Cls.Create(top, Bounds(100, 0, 150, 100));
    Cls.Create(box, Bounds(0, 0, 150, 40)); // a row of the box, which hands the wheel on
    Cls.On[WM_MOUSEWHEEL] = [&](HWND h, WPARAM w, LPARAM l) -> LRESULT { return h == box ? 0 : DefWindowProc(h, WM_MOUSEWHEEL, w, l); };
    SetFocus(focused);
    Driver.MoveTo({120, 10});
    Driver.Wheel(-WHEEL_DELTA);
    Driver.ProcessMessages();
    EXPECT_EQ(Cls.Count(box, WM_MOUSEWHEEL), 1);
    EXPECT_EQ(Cls.Count(focused, WM_MOUSEWHEEL) + Cls.Count(top, WM_MOUSEWHEEL), 0);
}

TEST_F(InputTest, DoubleClick_OnlyForClassesThatAskAndWithinTime)
{
    HWND top = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    Driver.DoubleClick({10, 10});
    EXPECT_EQ(Cls.Count(top, WM_LBUTTONDBLCLK), 1);
    Driver.Click({10, 10});
    Driver.Clock().Advance(GetDoubleClickTime() + 1);
    Driver.Click({10, 10});
    EXPECT_EQ(Cls.Count(top, WM_LBUTTONDBLCLK), 1);

    TTestClass plain;
    HWND p = plain.Create(0, Bounds(300, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    Driver.DoubleClick({310, 10});
    EXPECT_EQ(plain.Count(p, WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(plain.Count(p, WM_LBUTTONDOWN), 2);
    DestroyWindow(p);
}

TEST_F(InputTest, DropFiles_ReachesWindowAcceptingThemWithPaths)
{
    HWND top = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    HWND c = Cls.Create(top, Bounds(0, 0, 50, 50));
    std::vector<std::string> got;
    Cls.On[WM_DROPFILES] = [&](HWND, WPARAM w, LPARAM) -> LRESULT {
        got = DragQueryFiles(static_cast<HDROP>(w));
        DragFinish(static_cast<HDROP>(w));
        return 0;
    };
    Driver.DropFiles({10, 10}, {"/tmp/a b.avi"});
    EXPECT_TRUE(got.empty());   // nobody accepts files yet
    DragAcceptFiles(top, TRUE);
    Driver.DropFiles({10, 10}, {"/tmp/a b.avi", "/tmp/\"q\".mpg"});
    EXPECT_EQ(got, (std::vector<std::string>{"/tmp/a b.avi", "/tmp/\"q\".mpg"}));
    EXPECT_EQ(Cls.Count(c, WM_DROPFILES), 0);
}

TEST_F(InputTest, DestroyingFocusAndActiveWindow_MovesOnCleanly)
{
    HWND a = Cls.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    HWND b = Cls.Create(0, Bounds(200, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    HWND edit = Cls.Create(b, Bounds(0, 0, 10, 10));
    SetFocus(edit);
    SetCapture(edit);
    DestroyWindow(b);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);
}

}  // namespace
