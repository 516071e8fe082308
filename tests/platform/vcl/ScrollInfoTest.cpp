#include "platform/vcl/ScrollInfo.h"

#include <gtest/gtest.h>

TEST(ScrollInfoState, PositionIsKeptWithinTheRangeLessThePage)
{
    const HWND h = 0x12345;
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 500;
    EXPECT_EQ(SetScrollInfo(h, SB_VERT, si), 90);
    EXPECT_TRUE(IsScrollBarVisible(h, SB_VERT));
    SCROLLINFO out;
    out.fMask = SIF_RANGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(h, SB_VERT, out));
    EXPECT_EQ(out.nMax, 99);
    EXPECT_EQ(out.nPos, 90);
    EXPECT_EQ(SetScrollPos(h, SB_VERT, -4), 90);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);
    si.nMax = 5; // everything fits: no bar
    SetScrollInfo(h, SB_VERT, si);
    EXPECT_FALSE(IsScrollBarVisible(h, SB_VERT));
    ForgetScrollInfo(h);
    EXPECT_FALSE(GetScrollInfo(h, SB_VERT, out));
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 0);
}
