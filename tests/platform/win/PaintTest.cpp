#include "platform/win/Paint.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/gfx/Drawing.h"
#include "platform/win/Screen.h"
#include "WinTestSupport.h"

namespace {

// A paint handler that fills Width x Height of its window red, whatever it was asked to paint.
std::function<LRESULT(HWND, WPARAM, LPARAM)> PaintsRed(int Width, int Height)
{
    return [Width, Height](HWND h, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, Rect(0, 0, Width, Height), red);
        DeleteObject(red);
        EndPaint(h, &ps);
        return 0;
    };
}

class PaintTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND h : GetTopLevelWindows())
            DestroyWindow(h);
        PumpAll();
    }
    TPixel At(HWND top, int x, int y) { return Driver.PixelAt(top, x, y); }

    THeadlessDriver Driver;
    TTestClass White{0, clWhite};
    TTestClass Blue{0, clBlue};
    TTestClass Green{0, clLime};
};

TEST_F(PaintTest, ShownWindowTree_PaintsParentsBeforeChildren)
{
    HWND top = White.Create(0, Bounds(0, 0, 100, 100), WS_POPUP);
    HWND a = Blue.Create(top, Bounds(10, 10, 40, 40));
    HWND b = Green.Create(a, Bounds(5, 5, 10, 10));
    ShowWindow(top, SW_SHOWNA);
    std::vector<HWND> order;
    for (TTestClass* c : {&White, &Blue, &Green})
        c->On[WM_PAINT] = [&order, c](HWND h, WPARAM w, LPARAM l) -> LRESULT {
            order.push_back(h);
            return DefWindowProc(h, WM_PAINT, w, l);
        };
    Driver.ProcessMessages();
    EXPECT_EQ(order, (std::vector<HWND>{top, a, b}));
    EXPECT_EQ(At(top, 1, 1), ColorToPixel(clWhite));
    EXPECT_EQ(At(top, 12, 12), ColorToPixel(clBlue));
    EXPECT_EQ(At(top, 16, 16), ColorToPixel(clLime));
    Driver.SaveWindow(top, "PaintTest_Tree", OMBRIX_TEST_PICTURES);
}

TEST_F(PaintTest, ShownWindow_ReachesTheDisplayOnlyWithItsFirstPicture)
{
    HWND top = White.Create(0, Bounds(0, 0, 100, 80), WS_POPUP);
    int painted = 0, presentsWhenPainted = -1;
    White.On[WM_PAINT] = [&](HWND h, WPARAM w, LPARAM l) -> LRESULT {
        ++painted;
        presentsWhenPainted = THeadlessWindow::Of(h)->Presents;
        return DefWindowProc(h, WM_PAINT, w, l);
    };
    const int made = Driver.Backend().WindowsMade();
    ShowWindow(top, SW_SHOW);
    // Made once with what it is to be, but not on the screen before something is painted in it.
    THeadlessWindow* shown = THeadlessWindow::Of(top);
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->Visible);
    EXPECT_EQ(GetActiveWindow(), top);
    Driver.ProcessMessages();
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(presentsWhenPainted, 0);
    EXPECT_TRUE(shown->Visible);
    EXPECT_GE(shown->Presents, 1);
    EXPECT_GE(shown->Focused, 1);
    EXPECT_EQ(Driver.Backend().WindowsMade(), made + 1);
    EXPECT_EQ(THeadlessWindow::Of(top), shown);
}

TEST_F(PaintTest, InvalidatedChild_IsClippedBySiblingAbove)
{
    HWND top = White.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_CLIPCHILDREN);
    HWND below = Blue.Create(top, Bounds(10, 10, 50, 50));
    HWND above = Green.Create(top, Bounds(30, 30, 50, 50));
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    ASSERT_EQ(GetChildWindows(top).front(), above);
    // The lower sibling paints red over all it thinks it has; the part under `above` must stay green.
    Blue.On[WM_PAINT] = PaintsRed(50, 50);
    InvalidateRect(below, nullptr, FALSE);
    Driver.ProcessMessages();
    EXPECT_EQ(At(top, 15, 15), RgbToPixel(RGB(255, 0, 0)));
    EXPECT_EQ(At(top, 35, 35), ColorToPixel(clLime));
    EXPECT_EQ(At(top, 5, 5), ColorToPixel(clWhite));
}

TEST_F(PaintTest, WindowRegion_ClipsPaintingAndHitTesting)
{
    HWND top = White.Create(0, Bounds(200, 200, 100, 100), WS_POPUP);
    HWND c = Blue.Create(top, Bounds(0, 0, 60, 60));
    SetWindowRgn(c, CreateRectRgn(0, 0, 30, 60), FALSE);   // only the left half is the window
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    EXPECT_EQ(At(top, 10, 10), ColorToPixel(clBlue));
    EXPECT_EQ(At(top, 45, 10), ColorToPixel(clWhite));
    EXPECT_EQ(WindowFromPoint({210, 210}), c);
    EXPECT_EQ(WindowFromPoint({245, 210}), top);
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(c, r), SIMPLEREGION);
    DeleteObject(r);
}

TEST_F(PaintTest, BeginPaint_ErasesOnceAndValidates)
{
    HWND top = White.Create(0, Bounds(0, 0, 50, 50), WS_POPUP);
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    White.Log.clear();
    TRect part = Rect(0, 0, 10, 10);
    InvalidateRect(top, &part, TRUE);
    Driver.ProcessMessages();
    EXPECT_EQ(White.Count(top, WM_PAINT), 1);
    EXPECT_EQ(White.Count(top, WM_ERASEBKGND), 1);
    // Painted once, nothing is left invalid.
    Driver.ProcessMessages();
    EXPECT_EQ(White.Count(top, WM_PAINT), 1);
}

TEST_F(PaintTest, HandlerIgnoringPaint_IsNotSentWmPaintForever)
{
    HWND top = White.Create(0, Bounds(0, 0, 50, 50), WS_POPUP);
    White.On[WM_PAINT] = [](HWND, WPARAM, LPARAM) -> LRESULT { return 0; };
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    EXPECT_EQ(White.Count(top, WM_PAINT), 1);
    EXPECT_FALSE(HasPendingMessages());
}

TEST_F(PaintTest, HandlerThrowing_IsNotCalledAgainAndAgain)
{
    HWND top = White.Create(0, Bounds(0, 0, 50, 50), WS_POPUP);
    int calls = 0;
    White.On[WM_PAINT] = [&](HWND, WPARAM, LPARAM) -> LRESULT {
        ++calls;
        throw std::runtime_error("paint failed");
    };
    ShowWindow(top, SW_SHOWNA);
    TMsg m;
    int thrown = 0;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        try {
            DispatchMessage(&m);
        } catch (const std::runtime_error&) {
            ++thrown;
        }
    }
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(thrown, 1);
}

TEST_F(PaintTest, GetDC_DrawsOnlyWhereWindowIsSeen)
{
    HWND top = White.Create(0, Bounds(0, 0, 100, 100), WS_POPUP);
    HWND c = White.Create(top, Bounds(20, 20, 60, 60));
    HWND cover = Green.Create(top, Bounds(50, 0, 50, 100));
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    HDC dc = GetDC(c);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, Rect(-100, -100, 200, 200), red);
    DeleteObject(red);
    ReleaseDC(c, dc);
    Driver.ProcessMessages();
    EXPECT_EQ(At(top, 25, 25), RgbToPixel(RGB(255, 0, 0)));
    EXPECT_EQ(At(top, 10, 10), ColorToPixel(clWhite));   // outside the child
    EXPECT_EQ(At(top, 60, 30), ColorToPixel(clLime));    // under the sibling above
    (void)cover;
}

TEST_F(PaintTest, Frame_NcPaintGetsWholeWindowContext)
{
    HWND top = White.Create(0, Bounds(0, 0, 60, 40), WS_POPUP | WS_BORDER);
    White.On[WM_NCPAINT] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
        HDC dc = GetWindowDC(h);
        HBRUSH b = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, Rect(0, 0, 60, 40), b);   // the client area must stay untouched
        DeleteObject(b);
        ReleaseDC(h, dc);
        return 0;
    };
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    EXPECT_EQ(At(top, 0, 0), RgbToPixel(RGB(0, 0, 255)));
    EXPECT_EQ(At(top, 30, 20), ColorToPixel(clWhite));
    EXPECT_EQ(White.Count(top, WM_NCPAINT), 1);
}

TEST_F(PaintTest, ChildOutsideAnEmptiedClientArea_HidesNothingOfTheFrame)
{
    // A window rolled up to its caption: the client area, 30 pixels down, has no height left, and a bar
    // aligned to its bottom now lies above it, over the caption. The frame is painted there all the same.
    White.On[WM_NCCALCSIZE] = [](HWND, WPARAM, LPARAM l) -> LRESULT {
        TRect* r = reinterpret_cast<TRect*>(l);
        r->Left += 4;
        r->Top += 30;
        r->Right -= 4;
        r->Bottom -= 4;
        return 0;
    };
    White.On[WM_NCPAINT] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
        HDC dc = GetWindowDC(h);
        HBRUSH b = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, Rect(0, 0, 80, 34), b);
        DeleteObject(b);
        ReleaseDC(h, dc);
        return 0;
    };
    HWND top = White.Create(0, Bounds(0, 0, 80, 34), WS_POPUP | WS_CLIPCHILDREN);
    HWND bar = Green.Create(top, Bounds(0, -20, 72, 20));
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    TRect client;
    GetClientRect(top, client);
    ASSERT_TRUE(client.IsEmpty());
    EXPECT_EQ(At(top, 40, 20), RgbToPixel(RGB(0, 0, 255))) << "the caption under the bar was left unpainted";
    EXPECT_EQ(At(top, 40, 5), RgbToPixel(RGB(0, 0, 255)));
    Driver.SaveWindow(top, "PaintTest_RolledUpCaption", OMBRIX_TEST_PICTURES);
    (void)bar;
}

TEST_F(PaintTest, MovedChild_UncoversParentWhichRepaints)
{
    HWND top = White.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_CLIPCHILDREN);
    HWND c = Blue.Create(top, Bounds(0, 0, 20, 20));
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    SetWindowPos(c, 0, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Driver.ProcessMessages();
    EXPECT_EQ(At(top, 5, 5), ColorToPixel(clWhite));
    EXPECT_EQ(At(top, 55, 55), ColorToPixel(clBlue));
}

TEST_F(PaintTest, ALongListOfChildren_IsClippedWhereItsWindowsAreNow)
{
    // A hundred rows under a cover that moves, hides and shows: a row painted then keeps out of the cover.
    HWND top = White.Create(0, Bounds(0, 0, 100, 500), WS_POPUP | WS_CLIPCHILDREN);
    std::vector<HWND> rows;
    for (int i = 0; i < 100; ++i)
        rows.push_back(Blue.Create(top, Bounds(0, i * 5, 100, 5)));
    HWND cover = Green.Create(top, Bounds(0, 0, 50, 20));
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    Blue.On[WM_PAINT] = PaintsRed(100, 5);
    const std::pair<std::function<void()>, TPixel> steps[] = {
        {[&] { SetWindowPos(cover, 0, 0, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); }, ColorToPixel(clLime)},
        {[&] { ShowWindow(cover, SW_HIDE); }, RgbToPixel(RGB(255, 0, 0))},
        {[&] { ShowWindow(cover, SW_SHOWNA); }, ColorToPixel(clLime)},
    };
    for (const auto& [change, underCover] : steps) {
        change();
        Driver.ProcessMessages();
        InvalidateRect(rows[41], nullptr, FALSE);
        Driver.ProcessMessages();
        EXPECT_EQ(At(top, 10, 207), underCover);
        EXPECT_EQ(At(top, 60, 207), RgbToPixel(RGB(255, 0, 0)));
    }
}

TEST_F(PaintTest, ChildSentToBack_UncoversTheSiblingNowAbove)
{
    // A panel that covers another while work is in progress, then goes behind it.
    HWND top = White.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_CLIPCHILDREN);
    HWND list = Blue.Create(top, Bounds(10, 10, 60, 60));
    HWND cover = Green.Create(top, Bounds(10, 10, 60, 60));
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    EXPECT_EQ(At(top, 30, 30), ColorToPixel(clLime));
    SetWindowPos(cover, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Driver.ProcessMessages();
    EXPECT_EQ(At(top, 30, 30), ColorToPixel(clBlue));
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Driver.ProcessMessages();
    EXPECT_EQ(At(top, 30, 30), ColorToPixel(clLime));
    SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Driver.ProcessMessages();
    EXPECT_EQ(At(top, 30, 30), ColorToPixel(clBlue));
}

TEST_F(PaintTest, Layered_OpacityReachesBackendWindow)
{
    HWND top = White.Create(0, Bounds(0, 0, 50, 50), WS_POPUP, WS_EX_LAYERED);
    ShowWindow(top, SW_SHOWNA);
    EXPECT_TRUE(SetLayeredWindowAttributes(top, 0, 128, LWA_ALPHA));
    BYTE alpha = 0;
    GetLayeredWindowAttributes(top, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 128);
    SetWindowLongPtr(top, GWL_EXSTYLE, 0);
    EXPECT_FALSE(SetLayeredWindowAttributes(top, 0, 10, LWA_ALPHA));
}

// A child that paints row y of its picture in a red of its own, shifted by how far its contents have
// scrolled; it remembers what it was asked to paint.
struct TStripes {
    int Offset = 0;
    TRect LastPaint;
    static TPixel Row(int Y) { return RgbToPixel(RGB(static_cast<BYTE>(Y * 3), 0, 0)); }
    void Install(TTestClass& Class)
    {
        Class.On[WM_PAINT] = [this](HWND h, WPARAM, LPARAM) -> LRESULT {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            LastPaint = ps.rcPaint;
            for (int y = 0; y < 60; ++y) {
                HBRUSH b = CreateSolidBrush(RGB(static_cast<BYTE>((y + Offset) * 3), 0, 0));
                FillRect(dc, Rect(0, y, 60, y + 1), b);
                DeleteObject(b);
            }
            EndPaint(h, &ps);
            return 0;
        };
    }
};

TEST_F(PaintTest, ScrollWindowEx_MovesThePictureAndPaintsOnlyWhatScrolledIn)
{
    HWND top = White.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_CLIPCHILDREN);
    HWND child = Blue.Create(top, Bounds(10, 10, 60, 60));
    TStripes stripes;
    stripes.Install(Blue);
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    stripes.Offset = 10;
    TGdiRegion update;
    EXPECT_EQ(ScrollWindowEx(child, 0, -10, nullptr, nullptr, &update, nullptr, SW_INVALIDATE), SIMPLEREGION);
    EXPECT_EQ(update.Shape.Box(), Rect(0, 50, 60, 60));
    Driver.ProcessMessages();
    EXPECT_EQ(stripes.LastPaint, Rect(0, 50, 60, 60));
    for (int y = 0; y < 60; y += 3)
        EXPECT_EQ(At(top, 40, 10 + y), TStripes::Row(y + 10)) << y;
    EXPECT_EQ(At(top, 5, 5), ColorToPixel(clWhite));
}

TEST_F(PaintTest, ScrollWindowEx_NeverCarriesAnotherWindowsPicture)
{
    HWND top = White.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_CLIPCHILDREN);
    HWND child = Blue.Create(top, Bounds(10, 10, 60, 60));
    // A sibling above the child's rows 40..50: its picture is not the child's to move, and what it hid
    // has no picture to move either.
    Green.Create(top, Bounds(10, 50, 60, 10));
    TStripes stripes;
    stripes.Install(Blue);
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    stripes.Offset = 10;
    TRect updateBox;
    ScrollWindowEx(child, 0, -10, nullptr, nullptr, nullptr, &updateBox, SW_INVALIDATE);
    EXPECT_EQ(updateBox, Rect(0, 30, 60, 60));
    Driver.ProcessMessages();
    for (int y = 0; y < 60; y += 3) {
        const TPixel want = y >= 40 && y < 50 ? ColorToPixel(clLime) : TStripes::Row(y + 10);
        EXPECT_EQ(At(top, 40, 10 + y), want) << y;
    }
}

TEST_F(PaintTest, ScrollWindowEx_OfAPartOnly_LeavesTheRestAlone)
{
    HWND top = White.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_CLIPCHILDREN);
    HWND child = Blue.Create(top, Bounds(10, 10, 60, 60));
    TStripes stripes;
    stripes.Install(Blue);
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    // Rows 20..60 scroll down by 5 (a header band above them stays); a paint still to come there
    // moves along with the picture.
    const TRect band = Rect(0, 20, 60, 60);
    const TRect waiting = Rect(0, 30, 60, 32);
    InvalidateRect(child, &waiting, FALSE);
    TGdiRegion update;
    ScrollWindowEx(child, 0, 5, &band, &band, &update, nullptr, 0);
    EXPECT_TRUE(update.Shape.Contains({1, 20}));
    EXPECT_TRUE(update.Shape.Contains({1, 24}));
    EXPECT_FALSE(update.Shape.Contains({1, 25}));
    EXPECT_TRUE(update.Shape.Contains({1, 36}));
    EXPECT_FALSE(update.Shape.Contains({1, 38}));
    EXPECT_EQ(At(top, 40, 10 + 10), TStripes::Row(10));
    EXPECT_EQ(At(top, 40, 10 + 45), TStripes::Row(40));
}

TEST_F(PaintTest, NativeChild_FollowsItsWindowUntilReleased_ThenTheWindowIsShownAgain)
{
    HWND top = White.Create(0, Bounds(0, 0, 100, 100), WS_POPUP | WS_CLIPCHILDREN);
    HWND panel = Blue.Create(top, Bounds(10, 10, 40, 30));
    ShowWindow(top, SW_SHOWNA);
    Driver.ProcessMessages();
    // The headless display has no window a player could draw into, but it is told of one all the same.
    EXPECT_EQ(GetNativeWindowId(panel), 0u);
    std::vector<THeadlessChild*> children = THeadlessChild::Of(top);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_TRUE(children[0]->Visible);
    EXPECT_EQ(children[0]->Bounds, Bounds(10, 10, 40, 30));
    MoveWindow(panel, 20, 30, 50, 40, TRUE);
    ShowWindow(panel, SW_HIDE);
    Driver.ProcessMessages();
    EXPECT_EQ(children[0]->Bounds, Bounds(20, 30, 50, 40));
    EXPECT_FALSE(children[0]->Visible);
    ShowWindow(panel, SW_SHOW);
    Driver.ProcessMessages();
    EXPECT_TRUE(children[0]->Visible);

    // Released: it goes, and the panel's own picture reaches the display again.
    const int presents = THeadlessWindow::Of(top)->Presents;
    ReleaseNativeWindow(panel);
    EXPECT_TRUE(THeadlessChild::Of(top).empty());
    Driver.ProcessMessages();
    EXPECT_GT(THeadlessWindow::Of(top)->Presents, presents);
    ReleaseNativeWindow(panel);
    GetNativeWindowId(panel);
    ASSERT_EQ(THeadlessChild::Of(top).size(), 1u);
    EXPECT_TRUE(THeadlessChild::Of(top)[0]->Visible);
    // A window that goes takes its native child with it.
    DestroyWindow(panel);
    EXPECT_TRUE(THeadlessChild::Of(top).empty());
}

}  // namespace
