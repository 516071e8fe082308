#include "skin/data/TskLayerManager.h"

#include <gtest/gtest.h>

#include "platform/win/Paint.h"
#include "platform/win/Window.h"

TEST(TskLayerManager, ShowTwiceLeavesOneWindow)
{
    TBitmap pic(6, 4), mask(6, 4);
    pic.Handle()->Fill(0xFF0000FFu);
    mask.Handle()->Fill(0xFFFFFFFFu);
    TskLayerManager m(nullptr);
    EXPECT_FALSE(m.LayerVisible());
    EXPECT_TRUE(m.LayerTopMost());
    m.Show(10, 20, &pic, &mask, 200);
    m.Show(30, 40, &pic, &mask, 200);
    ASSERT_NE(m.LayerWindow(), nullptr);
    EXPECT_TRUE(m.LayerVisible());
    EXPECT_EQ(m.ComponentCount(), 1);
    HWND h = m.LayerWindow()->Handle();
    EXPECT_EQ(GetWindowLong(h, GWL_STYLE) & WS_POPUP, static_cast<LONG_PTR>(WS_POPUP));
    EXPECT_TRUE(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    TRect r;
    GetWindowRect(h, r);
    EXPECT_EQ(r, (TRect{30, 40, 36, 44}));
    EXPECT_EQ(m.LayerWindow()->Perform(WM_MOUSEACTIVATE), MA_NOACTIVATE);
    m.Hide();
    EXPECT_EQ(m.LayerWindow(), nullptr);
    EXPECT_FALSE(m.LayerVisible());
}

TEST(TskLayerManager, HideWithoutWindowOnlyClearsTheFlag)
{
    TskLayerManager m(nullptr);
    m.Hide();
    EXPECT_FALSE(m.LayerVisible());
    EXPECT_EQ(m.LayerWindow(), nullptr);
}
