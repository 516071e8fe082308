#include "platform/win/Window.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "WinTestSupport.h"

namespace {

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND h : GetTopLevelWindows())
            DestroyWindow(h);
        PumpAll();
    }
    THeadlessDriver Driver;
    TTestClass Cls;
};

TEST_F(WindowTest, Create_UnknownClassOrDeadParent_Fails)
{
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, 0), 0u);
    HWND p = Cls.Create(0, Bounds(0, 0, 50, 50), WS_POPUP);
    DestroyWindow(p);
    EXPECT_EQ(Cls.Create(p, Bounds(0, 0, 5, 5)), 0u);
}

TEST_F(WindowTest, Create_SendsCreationMessagesInOrder)
{
    HWND h = Cls.Create(0, Bounds(10, 20, 100, 50), WS_POPUP | WS_VISIBLE);
    auto msgs = Cls.Messages(h, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW});
    ASSERT_GE(msgs.size(), 6u);
    EXPECT_EQ(std::vector<UINT>(msgs.begin(), msgs.begin() + 6),
        (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
    EXPECT_TRUE(IsWindowVisible(h));
}

TEST_F(WindowTest, Create_RefusedByWmCreate_ReturnsZeroAndWindowIsGone)
{
    Cls.On[WM_CREATE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return -1; };
    EXPECT_EQ(Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP), 0u);
    EXPECT_TRUE(GetTopLevelWindows().empty());
}

TEST_F(WindowTest, Destroy_FromInsideOwnHandler_IsSafeAndMessagesStop)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    HWND child = Cls.Create(h, Bounds(0, 0, 5, 5));
    Cls.On[WM_USER] = [](HWND self, WPARAM, LPARAM) -> LRESULT {
        DestroyWindow(self);
        DestroyWindow(self);   // twice: the second is a no-op
        return 5;
    };
    PostMessage(h, WM_USER + 1);
    EXPECT_EQ(SendMessage(h, WM_USER), 5);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsWindow(child));
    Cls.Log.clear();
    PumpAll();
    EXPECT_TRUE(Cls.Log.empty());
}

TEST_F(WindowTest, Destroy_ChildrenAndOwnedWindowsGoFirst_EachGetsDestroyOnce)
{
    HWND owner = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    HWND owned = Cls.Create(owner, Bounds(0, 0, 10, 10), WS_POPUP);
    HWND child = Cls.Create(owner, Bounds(0, 0, 5, 5));
    EXPECT_EQ(GetParent(owned), owner);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(Cls.Count(owned, WM_DESTROY), 1);
    EXPECT_EQ(Cls.Count(child, WM_NCDESTROY), 1);
    EXPECT_EQ(Cls.Count(owner, WM_NCDESTROY), 1);
}

TEST_F(WindowTest, Subclass_ThroughWindowLong_ChainsAndUnhooks)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    Cls.On[WM_USER] = [](HWND, WPARAM, LPARAM) -> LRESULT { return 1; };
    LONG_PTR old = 0;
    LONG_PTR inst = MakeObjectInstance([&old](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER)
            return 10 + CallWindowProc(old, w, m, wp, lp);
        return CallWindowProc(old, w, m, wp, lp);
    });
    old = SetWindowLongPtr(h, GWLP_WNDPROC, inst);
    EXPECT_NE(old, 0);
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_WNDPROC), inst);
    EXPECT_EQ(SendMessage(h, WM_USER), 11);
    SetWindowLongPtr(h, GWLP_WNDPROC, old);
    FreeObjectInstance(inst);
    EXPECT_EQ(SendMessage(h, WM_USER), 1);
    EXPECT_EQ(SetWindowLongPtr(h, GWLP_WNDPROC, 12345), 0);   // unknown procedure refused
    EXPECT_EQ(SendMessage(h, WM_USER), 1);
}

TEST_F(WindowTest, WindowLongs_ExtraBytesAndUserDataKeptAndBounded)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    SetWindowLongPtr(h, 0, 111);
    SetWindowLongPtr(h, 4, 222);
    SetWindowLongPtr(h, GWLP_USERDATA, 333);
    EXPECT_EQ(GetWindowLongPtr(h, 0), 111);
    EXPECT_EQ(GetWindowLongPtr(h, 4), 222);
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_USERDATA), 333);
    EXPECT_EQ(SetWindowLongPtr(h, 8, 1), 0);   // past the class's 8 extra bytes
    EXPECT_EQ(GetWindowLongPtr(h, 8), 0);
}

TEST_F(WindowTest, Geometry_ClientAndScreenCoordinatesFollowTheTree)
{
    HWND top = Cls.Create(0, Bounds(100, 50, 300, 200), WS_POPUP | WS_BORDER);
    HWND child = Cls.Create(top, Bounds(10, 20, 100, 80));
    TRect r;
    GetClientRect(top, r);
    EXPECT_EQ(r, Rect(0, 0, 298, 198));
    GetWindowRect(child, r);
    EXPECT_EQ(r, Bounds(111, 71, 100, 80));
    TPoint p{5, 5};
    ClientToScreen(child, p);
    EXPECT_EQ(p, Point(116, 76));
    ScreenToClient(top, p);
    EXPECT_EQ(p, Point(15, 25));
    TPoint pts[1] = {{0, 0}};
    MapWindowPoints(child, top, pts, 1);
    EXPECT_EQ(pts[0], Point(10, 20));
}

TEST_F(WindowTest, SetWindowPos_ChangingHandlerAdjustsPlace_ThenMoveAndSize)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 100, 100), WS_POPUP);
    Cls.On[WM_WINDOWPOSCHANGING] = [](HWND, WPARAM, LPARAM l) -> LRESULT {
        auto* pos = reinterpret_cast<WINDOWPOS*>(l);
        pos->cx = std::min(pos->cx, 150);
        return 0;
    };
    Cls.Log.clear();
    SetWindowPos(h, 0, 10, 10, 400, 120, SWP_NOZORDER);
    TRect r;
    GetWindowRect(h, r);
    EXPECT_EQ(r, Bounds(10, 10, 150, 120));
    EXPECT_EQ(Cls.Messages(h, {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
        (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
}

TEST_F(WindowTest, ZOrder_InsertAfterTopBottomAndTopMostBand)
{
    HWND p = Cls.Create(0, Bounds(0, 0, 100, 100), WS_POPUP);
    HWND a = Cls.Create(p, Bounds(0, 0, 10, 10));
    HWND b = Cls.Create(p, Bounds(0, 0, 10, 10));
    HWND c = Cls.Create(p, Bounds(0, 0, 10, 10));
    EXPECT_EQ(GetChildWindows(p), (std::vector<HWND>{c, b, a}));   // newest on top
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetChildWindows(p), (std::vector<HWND>{a, c, b}));
    SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetChildWindows(p), (std::vector<HWND>{c, b, a}));

    HWND t1 = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP, WS_EX_TOPMOST);
    HWND t2 = Cls.Create(0, Bounds(0, 0, 10, 10), WS_POPUP);
    auto top = GetTopLevelWindows();
    EXPECT_EQ(top.front(), t1);   // a plain new window stays below the topmost one
    SetWindowPos(t2, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopLevelWindows().front(), t2);
    EXPECT_TRUE(GetWindowLongPtr(t2, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowTest, Visibility_HiddenParentHidesChildrenAndDisableIsReported)
{
    HWND p = Cls.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    HWND c = Cls.Create(p, Bounds(0, 0, 10, 10));
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_TRUE(ShowWindow(p, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(c));
    EXPECT_TRUE(GetWindowLongPtr(c, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(EnableWindow(c, FALSE));
    EXPECT_FALSE(IsWindowEnabled(c));
    EXPECT_TRUE(EnableWindow(c, TRUE));
    EXPECT_EQ(Cls.Count(c, WM_ENABLE), 2);
}

TEST_F(WindowTest, WindowFromPoint_FindsDeepestVisibleChildOnTop)
{
    HWND p = Cls.Create(0, Bounds(100, 100, 200, 200), WS_POPUP | WS_VISIBLE);
    HWND a = Cls.Create(p, Bounds(0, 0, 100, 100));
    HWND b = Cls.Create(p, Bounds(50, 50, 100, 100));
    HWND hidden = Cls.Create(b, Bounds(0, 0, 100, 100), WS_CHILD);
    EXPECT_EQ(WindowFromPoint({120, 120}), a);
    EXPECT_EQ(WindowFromPoint({160, 160}), b);   // b is above a
    EXPECT_NE(WindowFromPoint({160, 160}), hidden);
    EXPECT_EQ(WindowFromPoint({290, 110}), p);
    EXPECT_EQ(WindowFromPoint({10, 10}), 0u);
}

TEST_F(WindowTest, SetParent_MovesWindowBetweenParentsKeepingIt)
{
    HWND p1 = Cls.Create(0, Bounds(0, 0, 100, 100), WS_POPUP);
    HWND p2 = Cls.Create(0, Bounds(0, 0, 100, 100), WS_POPUP);
    HWND c = Cls.Create(p1, Bounds(0, 0, 10, 10));
    EXPECT_EQ(SetParent(c, p2), p1);
    EXPECT_TRUE(GetChildWindows(p1).empty());
    EXPECT_EQ(GetChildWindows(p2), std::vector<HWND>{c});
    EXPECT_EQ(SetParent(p2, c), 0u);   // no cycles
    EXPECT_TRUE(IsChild(p2, c));
}

TEST_F(WindowTest, WindowText_SetThroughMessageAndRead)
{
    HWND h = Cls.Create(0, Bounds(0, 0, 100, 100), WS_POPUP);
    SetWindowText(h, "Ombrix \"video\"");
    char buf[7];
    EXPECT_EQ(SendMessage(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf)), 6);
    EXPECT_STREQ(buf, "Ombrix");
}

}  // namespace
