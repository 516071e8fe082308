#include "platform/win/MdiClient.h"

#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "tests/support/THeadlessDriver.h"

namespace {

class MdiClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterMDIClientClass();
        Top = Cls.Create(0, Bounds(50, 50, 600, 400), WS_POPUP | WS_VISIBLE);
        Client = CreateWindowEx(0, MDIClientClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400, Top);
        for (int i = 0; i < 3; ++i) Kids[i] = Cls.Create(Client, Bounds(10 * i, 10 * i, 200, 150), WS_CHILD | WS_VISIBLE | WS_CAPTION);
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        for (HWND h : GetTopLevelWindows()) DestroyWindow(h);
        PumpAll();
    }
    HWND Active() const { return static_cast<HWND>(SendMessage(Client, WM_MDIGETACTIVE)); }
    void Activate(HWND H) const { SendMessage(Client, WM_MDIACTIVATE, static_cast<WPARAM>(H)); }
    TRect Rect(HWND H) const
    {
        TRect r;
        GetWindowRect(H, r);
        TPoint o{0, 0};
        ClientToScreen(Client, o);
        OffsetRect(r, -o.X, -o.Y);
        return r;
    }

    THeadlessDriver Driver;
    TTestClass Cls{CS_DBLCLKS, clWhite};
    HWND Top = 0;
    HWND Client = 0;
    HWND Kids[3] = {};
};

TEST(MdiArrangement, TileSplitsTheClientWithoutGapsOrOverlap)
{
    // Three side by side, three one above another.
    EXPECT_EQ(MDITileRects(600, 400, 3, true), (std::vector<TRect>{{0, 0, 200, 400}, {200, 0, 400, 400}, {400, 0, 600, 400}}));
    EXPECT_EQ(MDITileRects(600, 400, 3, false), (std::vector<TRect>{{0, 0, 600, 133}, {0, 133, 600, 266}, {0, 266, 600, 400}}));
    // Five in three columns; the later columns take the two left over.
    const std::vector<TRect> five = MDITileRects(600, 400, 5, true);
    ASSERT_EQ(five.size(), 5u);
    EXPECT_EQ(five[0], (TRect{0, 0, 200, 400}));
    EXPECT_EQ(five[1], (TRect{200, 0, 400, 200}));
    EXPECT_EQ(five[4], (TRect{400, 200, 600, 400}));
    // Nothing to place, or nowhere to place it: no rectangles (and no division by zero).
    EXPECT_TRUE(MDITileRects(600, 400, 0, true).empty());
    EXPECT_TRUE(MDITileRects(0, 400, 3, true).empty());
}

TEST(MdiArrangement, CascadeStepsDownAndKeepsTheLastInside)
{
    const std::vector<TRect> r = MDICascadeRects(600, 400, 3, 25);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], (TRect{0, 0, 550, 350}));
    EXPECT_EQ(r[2], (TRect{50, 50, 600, 400}));
    // Many windows never shrink below half the client.
    EXPECT_EQ(MDICascadeRects(600, 400, 40, 25).back().Width(), 300);
    EXPECT_TRUE(MDICascadeRects(600, 400, 0, 25).empty());
}

TEST_F(MdiClientTest, Activate_TellsBothChildrenAndBringsTheNewOneToTheTop)
{
    Activate(Kids[0]);
    Cls.Log.clear();
    Activate(Kids[2]);
    EXPECT_EQ(Active(), Kids[2]);
    EXPECT_EQ(GetChildWindows(Client).front(), Kids[2]);
    EXPECT_EQ(Cls.Messages(Kids[0], {WM_NCACTIVATE, WM_MDIACTIVATE}), (std::vector<UINT>{WM_NCACTIVATE, WM_MDIACTIVATE}));
    EXPECT_EQ(Cls.Messages(Kids[2], {WM_NCACTIVATE, WM_MDIACTIVATE}), (std::vector<UINT>{WM_NCACTIVATE, WM_MDIACTIVATE}));
    for (const auto& m : Cls.Log)
        if (m.Msg == WM_MDIACTIVATE) {
            EXPECT_EQ(static_cast<HWND>(m.WParam), Kids[0]);
            EXPECT_EQ(static_cast<HWND>(m.LParam), Kids[2]);
        } else if (m.Msg == WM_NCACTIVATE) {
            EXPECT_EQ(m.WParam != 0, m.Window == Kids[2]);
        }
    EXPECT_EQ(GetFocus(), Kids[2]);
}

TEST_F(MdiClientTest, NextWalksEveryChildAndPreviousTakesTheBottomOne)
{
    Activate(Kids[0]);
    std::vector<HWND> seen;
    for (int i = 0; i < 3; ++i) {
        SendMessage(Client, WM_MDINEXT, 0, 0);
        seen.push_back(Active());
    }
    // Each child once, and the walk comes back to where it began.
    EXPECT_EQ(seen.back(), Kids[0]);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
    SendMessage(Client, WM_MDINEXT, 0, 1);
    const HWND bottom = Active();
    EXPECT_NE(bottom, Kids[0]);
    SendMessage(Client, WM_MDINEXT, 0, 1);
    EXPECT_NE(Active(), bottom);
}

TEST_F(MdiClientTest, ActiveChildGoing_TheNextVisibleOneTakesOver)
{
    Activate(Kids[1]);
    Activate(Kids[2]);
    DestroyWindow(Kids[2]);
    EXPECT_EQ(Active(), Kids[1]);
    ShowWindow(Kids[1], SW_HIDE);
    EXPECT_EQ(Active(), Kids[0]);
    DestroyWindow(Kids[0]);
    EXPECT_EQ(Active(), static_cast<HWND>(0));
}

TEST_F(MdiClientTest, MaximizedChildFillsTheClientAndFollowsItsSize)
{
    SendMessage(Client, WM_MDIMAXIMIZE, static_cast<WPARAM>(Kids[1]));
    EXPECT_TRUE(IsZoomed(Kids[1]));
    EXPECT_EQ(Rect(Kids[1]), (TRect{0, 0, 600, 400}));
    MoveWindow(Client, 0, 0, 500, 300);
    EXPECT_EQ(Rect(Kids[1]), (TRect{0, 0, 500, 300}));
    // Cascading puts it back among the others.
    SendMessage(Client, WM_MDICASCADE);
    EXPECT_FALSE(IsZoomed(Kids[1]));
}

TEST_F(MdiClientTest, TileAndCascadePlaceTheVisibleChildrenActiveOnTop)
{
    ShowWindow(Kids[0], SW_HIDE);
    Activate(Kids[1]);
    SendMessage(Client, WM_MDITILE, MDITILE_VERTICAL);
    EXPECT_EQ(Rect(Kids[2]), (TRect{0, 0, 300, 400}));
    EXPECT_EQ(Rect(Kids[1]), (TRect{300, 0, 600, 400}));
    EXPECT_EQ(Rect(Kids[0]), (TRect{0, 0, 200, 150}));   // hidden: left alone
    SendMessage(Client, WM_MDICASCADE);
    // The active one ends last, one step further, and stays on top.
    EXPECT_EQ(Rect(Kids[2]).TopLeft(), (TPoint{0, 0}));
    EXPECT_GT(Rect(Kids[1]).Left, 0);
    EXPECT_EQ(GetChildWindows(Client).front(), Kids[1]);
}

TEST_F(MdiClientTest, PressInAChildsControlActivatesThatChild)
{
    HWND button = Cls.Create(Kids[0], Bounds(5, 5, 40, 20));
    Activate(Kids[2]);
    Driver.ProcessMessages();
    TPoint p{10, 10};
    ClientToScreen(button, p);
    // Kids[0] lies under the others at that point only where they do not cover it: bring the button out.
    SetWindowPos(Kids[0], 0, 300, 200, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    p = TPoint{10, 10};
    ClientToScreen(button, p);
    Driver.Click(p);
    EXPECT_EQ(Active(), Kids[0]);
    EXPECT_EQ(GetChildWindows(Client).front(), Kids[0]);
}

} // namespace
