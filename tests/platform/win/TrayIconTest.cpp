// The system tray through the window layer, on the headless display: whether an icon is there is what
// the display was told, and the user's clicks come back as the icon's callback message.
#include "platform/win/TrayIcon.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/backend/TXEmbedTray.h"
#include "WinTestSupport.h"

namespace {

constexpr UINT Callback = WM_USER + 1024;

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        picture.SetSize(16, 16);
        picture.Fill(0xFFFF0000u);
        owner = cls.Create(0, Bounds(0, 0, 1, 1), WS_POPUP);
        data.hWnd = owner;
        data.uID = 1;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = Callback;
        data.hIcon = &picture;
        CopyTrayTip(data, "Converting");
    }
    void TearDown() override
    {
        DestroyWindow(owner);
        d.Backend().SetTrayPresent(false);
        d.ProcessMessages();
    }
    // What the icon's window was told, in order (lParam of each callback message).
    std::vector<LPARAM> Told()
    {
        std::vector<LPARAM> out;
        for (const auto& m : cls.Log)
            if (m.Window == owner && m.Msg == Callback) out.push_back(m.LParam);
        return out;
    }

    THeadlessDriver d;
    TTestClass cls;
    TSurface picture;
    HWND owner = 0;
    NOTIFYICONDATA data;
};

TEST_F(TrayIconTest, WithoutTray_AddFails_AndNothingIsShown)
{
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &data));
    EXPECT_EQ(THeadlessTrayIcon::Of(owner, 1), nullptr);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &data));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &data));
}

TEST_F(TrayIconTest, AddModifyDelete_TellTheTrayWhatItShows)
{
    d.Backend().SetTrayPresent(true);
    d.ProcessMessages();
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    THeadlessTrayIcon* shown = THeadlessTrayIcon::Of(owner, 1);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Tip, "Converting");
    EXPECT_EQ(shown->Picture.Pixel(8, 8), 0xFFFF0000u);
    // The picture was copied: the caller may change or free its own.
    picture.Fill(0xFF00FF00u);
    EXPECT_EQ(shown->Picture.Pixel(8, 8), 0xFFFF0000u);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &data)) << "an icon of that id is there already";

    data.uFlags = NIF_TIP;
    CopyTrayTip(data, "Done");
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &data));
    EXPECT_EQ(shown->Tip, "Done");
    EXPECT_EQ(shown->Pictures, 1) << "only what the flags name changes";
    data.uFlags = NIF_ICON;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &data));
    EXPECT_EQ(shown->Picture.Pixel(8, 8), 0xFF00FF00u);

    ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &data));
    EXPECT_EQ(THeadlessTrayIcon::Of(owner, 1), nullptr);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &data));
}

TEST_F(TrayIconTest, Tip_IsCutTo127BytesWithoutSplittingACharacter)
{
    CopyTrayTip(data, std::string(200, 'x'));
    EXPECT_EQ(std::string(data.szTip), std::string(127, 'x'));
    // 126 plain bytes and then a two-byte character: it does not fit whole and is left out.
    CopyTrayTip(data, std::string(126, 'x') + "\xC3\xA9" + "y");
    EXPECT_EQ(std::string(data.szTip), std::string(126, 'x'));
}

TEST_F(TrayIconTest, Clicks_ComeBackAsTheCallbackMessage_WithDoubleClicksWithinTheTime)
{
    d.Backend().SetTrayPresent(true);
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    d.TrayMove(owner, 1, {1200, 10});
    d.TrayClick(owner, 1, 1, {1200, 10});
    d.TrayClick(owner, 1, 1, {1201, 11});
    EXPECT_EQ(Told(), (std::vector<LPARAM>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    EXPECT_EQ(GetCursorPos(), (TPoint{1201, 11})) << "the pointer is known where it clicked";
    for (const auto& m : cls.Log) {
        if (m.Msg == Callback) {
            EXPECT_EQ(m.WParam, 1u);
        }
    }

    cls.Log.clear();
    d.AdvanceClock(GetDoubleClickTime() + 1);
    d.TrayClick(owner, 1, 1, {1201, 11});
    d.TrayClick(owner, 1, 2, {1201, 11});
    d.TrayClick(owner, 1, 3, {1201, 11});
    EXPECT_EQ(Told(), (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP}))
        << "a press after the double-click time, or of another button, is a single one";
}

TEST_F(TrayIconTest, TrayGoing_TellsTheWindow_AndOneComingUp_IsAnnouncedToEveryTopLevelWindow)
{
    d.Backend().SetTrayPresent(true);
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    d.Backend().SetTrayPresent(false);
    d.ProcessMessages();
    EXPECT_EQ(Told(), std::vector<LPARAM>{NIN_ICONLOST});
    EXPECT_EQ(THeadlessTrayIcon::Of(owner, 1), nullptr);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &data)) << "the icon went with the tray";

    const UINT created = RegisterWindowMessage("TaskbarCreated");
    EXPECT_GE(created, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("TaskbarCreated"), created);
    const int before = cls.Count(owner, created);
    d.Backend().SetTrayPresent(true);
    d.ProcessMessages();
    EXPECT_EQ(cls.Count(owner, created), before + 1);
    EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, &data)) << "added anew into the new tray";
}

TEST_F(TrayIconTest, WindowDestroyed_TakesItsIconOutOfTheTray)
{
    d.Backend().SetTrayPresent(true);
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    DestroyWindow(owner);
    EXPECT_EQ(THeadlessTrayIcon::Of(owner, 1), nullptr);
    // Clicks on where it was reach nobody and break nothing.
    d.TrayClick(owner, 1);
}

TEST(FitTrayPicture, KeepsTheShape_CentresIt_AndAveragesWhatShrinks)
{
    // 4 x 2: left half opaque red, right half transparent.
    TSurface p(4, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) p.SetPixel(x, y, 0xFFFF0000u);
    const TSurface fitted = FitTrayPicture(p, 2, 2);
    // Halved: 2 x 1, in the top row of the square (the odd pixel of margin goes below).
    EXPECT_EQ(fitted.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(fitted.Pixel(1, 0) >> 24, 0u) << "transparent stays transparent, with no colour bled in";
    EXPECT_EQ(fitted.Pixel(0, 1) >> 24, 0u) << "around the picture";
    const TSurface grown = FitTrayPicture(p, 8, 8);
    EXPECT_EQ(grown.Pixel(1, 3), 0xFFFF0000u);
    EXPECT_EQ(grown.Pixel(1, 1) >> 24, 0u) << "above the centred picture";
}

}  // namespace
