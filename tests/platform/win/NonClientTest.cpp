// The default window procedure's non-client protocol: frames, hit codes, the move and size loop.
#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "WinTestSupport.h"

namespace {

class NonClientTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND h : GetTopLevelWindows())
            DestroyWindow(h);
        PumpAll();
    }
    // A window whose top 20 pixels are its caption, and which snaps to the screen's top edge when moved
    // within 10 pixels of it, as a skinned frame does.
    HWND SnappingWindow(const TRect& At)
    {
        HWND h = Cls.Create(0, At, WS_POPUP | WS_VISIBLE);
        Cls.On[WM_NCHITTEST] = [](HWND w, WPARAM, LPARAM l) -> LRESULT {
            TPoint p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
            ScreenToClient(w, p);
            return p.Y < 20 ? HTCAPTION : HTCLIENT;
        };
        Cls.On[WM_MOVING] = [](HWND, WPARAM, LPARAM l) -> LRESULT {
            TRect* r = reinterpret_cast<TRect*>(l);
            if (r->Top < 10)
                OffsetRect(*r, 0, -r->Top);
            return TRUE;
        };
        return h;
    }

    THeadlessDriver Driver;
    TTestClass Cls{0, clWhite};
};

TEST_F(NonClientTest, DragOnCaption_MovesWindowThroughMovingWhoseRectMayChange)
{
    HWND h = SnappingWindow(Bounds(100, 100, 200, 150));
    Driver.ProcessMessages();
    Cls.Log.clear();
    Driver.Drag({150, 110}, {250, 15});
    TRect r;
    GetWindowRect(h, r);
    EXPECT_EQ(r, Bounds(200, 0, 200, 150));
    auto seq = Cls.Messages(h, {WM_NCLBUTTONDOWN, WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE});
    ASSERT_GE(seq.size(), 4u);
    EXPECT_EQ(seq.front(), WM_NCLBUTTONDOWN);
    EXPECT_EQ(seq[1], WM_ENTERSIZEMOVE);
    EXPECT_EQ(seq.back(), WM_EXITSIZEMOVE);
    EXPECT_GE(Cls.Count(h, WM_MOVING), 1);   // pointer moves queued together are merged
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(NonClientTest, FastDragWhoseLastStepCameOnlyWithTheRelease_EndsWhereTheButtonWasLetGo)
{
    // A display may leave out the last move of a fast drag and give that place only with the release
    // (X does, through the display library, when the dragged window keeps up with the pointer): the
    // window still ends where the pointer let go, and is snapped there like after a slow drag.
    HWND h = SnappingWindow(Bounds(100, 300, 200, 150));
    Driver.ProcessMessages();
    const auto inject = [&](TInputKind Kind, TPoint At) {
        TInputEvent e;
        e.Kind = Kind;
        e.Pos = At;
        e.Button = 1;
        Driver.Backend().Inject(e);
    };
    // Grabbed 10 pixels below the top, pulled up in steps of 60: the moves stop 50 pixels short of the
    // edge, the release is 5 pixels from it.
    inject(TInputKind::MouseMove, {150, 310});
    inject(TInputKind::ButtonDown, {150, 310});
    for (int y = 250; y >= 70; y -= 60)
        inject(TInputKind::MouseMove, {150, y});
    inject(TInputKind::ButtonUp, {150, 15});
    Driver.ProcessMessages();
    TRect r;
    GetWindowRect(h, r);
    EXPECT_EQ(r, Bounds(100, 0, 200, 150));
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(GetCursorPos(), (TPoint{150, 15}));
}

TEST_F(NonClientTest, DragOnSizingCorner_SizesWithinMinimumAndSizingAdjustment)
{
    HWND h = Cls.Create(0, Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE | WS_THICKFRAME);
    Cls.On[WM_GETMINMAXINFO] = [](HWND, WPARAM, LPARAM l) -> LRESULT {
        reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = {150, 100};
        return 0;
    };
    Cls.On[WM_SIZING] = [](HWND, WPARAM edge, LPARAM l) -> LRESULT {
        EXPECT_EQ(edge, WMSZ_BOTTOMRIGHT);
        TRect* r = reinterpret_cast<TRect*>(l);
        r->Right = r->Left + (r->Width() / 10) * 10;   // a grid of 10 pixels
        return TRUE;
    };
    Driver.ProcessMessages();
    Driver.Drag({298, 248}, {355, 148});   // bottom-right corner
    TRect r;
    GetWindowRect(h, r);
    EXPECT_EQ(r, Bounds(100, 100, 250, 100));
    EXPECT_GE(Cls.Count(h, WM_SIZE), 1);
}

TEST_F(NonClientTest, EscapeDuringMove_PutsWindowBack)
{
    HWND h = Cls.Create(0, Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE | WS_CAPTION);
    Driver.ProcessMessages();
    TInputEvent e;
    e.Kind = TInputKind::MouseMove;
    e.Pos = {150, 105};
    Driver.Backend().Inject(e);
    e.Kind = TInputKind::ButtonDown;
    e.Button = 1;
    Driver.Backend().Inject(e);
    e.Kind = TInputKind::MouseMove;
    e.Pos = {300, 300};
    Driver.Backend().Inject(e);
    TInputEvent k;
    k.Kind = TInputKind::KeyDown;
    k.Key = VK_ESCAPE;
    Driver.Backend().Inject(k);
    Driver.ProcessMessages();
    TRect r;
    GetWindowRect(h, r);
    EXPECT_EQ(r, Bounds(100, 100, 200, 150));
    EXPECT_EQ(Cls.Count(h, WM_EXITSIZEMOVE), 1);
    Driver.ButtonUp();
}

TEST_F(NonClientTest, DefaultHitTest_FrameCaptionAndClient)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME);
    auto hit = [h](int x, int y) { return SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(hit(1, 1), HTTOPLEFT);
    EXPECT_EQ(hit(198, 98), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(100, 1), HTTOP);
    EXPECT_EQ(hit(1, 50), HTLEFT);
    EXPECT_EQ(hit(100, 10), HTCAPTION);
    EXPECT_EQ(hit(100, 50), HTCLIENT);
    EXPECT_EQ(hit(300, 50), HTNOWHERE);
    TRect c;
    GetClientRect(h, c);
    EXPECT_EQ(c, Rect(0, 0, 192, 74));
}

TEST_F(NonClientTest, NcCalcSize_HandlerDecidesClientArea)
{
    Cls.On[WM_NCCALCSIZE] = [](HWND, WPARAM, LPARAM l) -> LRESULT {
        TRect* r = reinterpret_cast<TRect*>(l);
        r->Top += 30;
        r->Left += 5;
        return 0;
    };
    HWND h = Cls.Create(0, Bounds(10, 10, 100, 100), WS_POPUP);
    TRect c;
    GetClientRect(h, c);
    EXPECT_EQ(c, Rect(0, 0, 95, 70));
    TPoint p{0, 0};
    ClientToScreen(h, p);
    EXPECT_EQ(p, Point(15, 40));
}

TEST_F(NonClientTest, MaximizeFillsWorkAreaAndRestoreReturns)
{
    HWND h = Cls.Create(0, Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE);
    ShowWindow(h, SW_SHOWMAXIMIZED);
    TRect r;
    GetWindowRect(h, r);
    EXPECT_EQ(r, Rect(0, 0, 1280, 800));
    EXPECT_TRUE(IsZoomed(h));
    ShowWindow(h, SW_RESTORE);
    GetWindowRect(h, r);
    EXPECT_EQ(r, Bounds(100, 100, 200, 150));
    EXPECT_FALSE(IsZoomed(h));
}

TEST_F(NonClientTest, CloseFromDisplay_BecomesSysCommandCloseAndWmClose)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    bool asked = false;
    Cls.On[WM_CLOSE] = [&](HWND, WPARAM, LPARAM) -> LRESULT {
        asked = true;
        return 0;   // refuses: the window stays
    };
    Driver.CloseByUser(h);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(IsWindow(h));
}

TEST_F(NonClientTest, MenuKey_OnlyATapOfAltOrF10AsksForTheMenu)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    SetActiveWindow(h);
    SetFocus(h);
    Driver.ProcessMessages();
    auto keyMenus = [&] {
        int n = 0;
        for (const auto& m : Cls.Log)
            if (m.Window == h && m.Msg == WM_SYSCOMMAND && (m.WParam & 0xFFF0) == SC_KEYMENU && m.LParam == 0) ++n;
        return n;
    };
    Driver.Press(VK_MENU);
    EXPECT_EQ(keyMenus(), 1) << "a tap of Alt";
    Driver.Press(VK_F10);
    EXPECT_EQ(keyMenus(), 2) << "a tap of F10";
    // Alt held while another key goes down and up is a combination, not a tap: its release asks nothing.
    Driver.Press('X', false, false, true);
    Driver.Press(VK_SPACE, false, false, true);
    EXPECT_EQ(keyMenus(), 2);
}

}  // namespace
