// The numbers of the MDI messages the frames send each other are the engine's own: private to the window
// layer's user range, and taken by no other message a skinned form or control handles.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/data/SkinMessages.h"
#include "skin/form/TskTrayIcon.h"

namespace {

TEST(SkinMessages, MdiMessagesAreUserRangeNumbersNoOtherMessageTakes)
{
    const std::vector<UINT> mdi{WM_MDICHILDMAX, WM_MDICHILDRESTORE, WM_UPDATEMAXIMIZEDCHILD};
    const std::vector<UINT> others{WM_BEFORECHANGESKINDATA, WM_CHANGESKINDATA, WM_AFTERCHANGESKINDATA, WM_CLOSESKINMENU,
        WM_AFTERSKINMENUCLICK, WM_CHANGERESSTRDATA, WM_SKPARENTBGCHANGED, WM_CHANGEFORMSKINNABLE, CM_QUERYSKINFORM,
        CM_PAINTSKINFRAME, CM_PAINTSKINFRAME2, WM_SHOWLAYER, WM_HIDELAYER, TskSkinCustomComboBox::WM_CANCELDROPDOWN,
        TskTrayIcon::TrayCallbackMessage, CM_READ, CM_THREADTERMINATED,
        // The window layer's own MDI messages, which the frame's hook on the client passes on.
        WM_MDIDESTROY, WM_MDIACTIVATE, WM_MDIRESTORE, WM_MDINEXT, WM_MDIMAXIMIZE, WM_MDITILE, WM_MDICASCADE,
        WM_MDIICONARRANGE, WM_MDIGETACTIVE};
    for (std::size_t i = 0; i < mdi.size(); ++i) {
        EXPECT_GE(mdi[i], WM_USER);
        EXPECT_LT(mdi[i], 0x8000u);
        EXPECT_EQ(std::count(mdi.begin(), mdi.end(), mdi[i]), 1) << mdi[i];
        EXPECT_EQ(std::count(others.begin(), others.end(), mdi[i]), 0) << mdi[i] << " is taken";
    }
}

} // namespace
