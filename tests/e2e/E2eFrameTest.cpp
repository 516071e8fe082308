// The skinned window frame as a person meets it: the system menu opened by the mouse and by Alt+Space
// and worked with the arrow keys, and a second window (the preview) rolled up, minimised to a caption
// bar and brought back.
#include <cstdlib>

#include "E2eJourney.h"

namespace {

class TFrameJourney : public TJourney {
protected:
    bool Maximised()
    {
        const TRect work = D().WorkArea();
        return WaitUntil(
            [&] {
                RefreshMain();
                return std::abs(Main.Whole().Width() - work.Width()) <= 4 && std::abs(Main.Whole().Height() - work.Height()) <= 4;
            },
            10s);
    }
    // The system-menu button at the left end of the caption (the skin puts it 8 pixels in).
    TPoint MenuButton(const TRect& Window) const { return TPoint{Window.Left + 17, Window.Top + 14}; }
};

TEST_P(TFrameJourney, SystemMenuByMouse_RightClickOnTheCaptionAndTheMenuButton_KeysChooseMaximise)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const TRect normal = Main.Whole();

    // A right click on the caption opens the menu where it was made.
    const TPoint onCaption{normal.Left + 200, normal.Top + 12};
    D().Click(onCaption.X, onCaption.Y, 3);
    std::optional<TScreenWindow> menu = WaitForPopup();
    ASSERT_TRUE(menu.has_value()) << "a right click on the caption opened no menu";
    EXPECT_LE(std::abs(menu->Rect.Left - onCaption.X), 2);
    Picture("system-menu-at-pointer");
    D().Key("Escape");
    ASSERT_TRUE(PopupGone()) << "Escape left the menu open";

    // The menu button opens it under itself; Down moves from Minimise to Maximise, Enter chooses it.
    Click(MenuButton(normal));
    menu = WaitForPopup();
    ASSERT_TRUE(menu.has_value()) << "the system-menu button opened no menu";
    EXPECT_GE(menu->Rect.Top, normal.Top + 20);
    ASSERT_TRUE(D().WaitForStill(menu->Rect, 5s));
    Picture("system-menu-under-button");
    D().Key("Down");
    D().Key("Return");
    EXPECT_TRUE(PopupGone());
    EXPECT_TRUE(Maximised()) << "choosing Maximise by the keys did not maximise the window";
    Picture("maximised-from-menu");

    // Restore from the same menu: now it offers Restore where Maximise was.
    Click(MenuButton(Main.Whole()));
    ASSERT_TRUE(WaitForPopup().has_value());
    D().Key("Down");
    D().Key("Return");
    EXPECT_TRUE(WaitUntil(
        [&] {
            RefreshMain();
            return Main.Whole() == normal;
        },
        10s))
        << "Restore did not bring the window back to its size and place";
    ExpectMainWindowAnswers();
    EXPECT_TRUE(Program().Running());
}

TEST_P(TFrameJourney, SystemMenuByAltSpace_OpensUnderTheMenuButton_EscapeCloses)
{
    // openbox keeps Alt+Space for its own window menu by default; the suite's openbox runs without that
    // binding. Another manager (OMBRIX_E2E_WM) may still take the key.
    const char* otherWm = std::getenv("OMBRIX_E2E_WM");
    if (WithWm() && otherWm != nullptr && *otherWm != 0 && std::string(otherWm) != "openbox")
        GTEST_SKIP() << "Alt+Space may belong to " << otherWm;
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    Click(Main.At(300, 250));
    D().Key("space", {"Alt_L"});
    std::optional<TScreenWindow> menu = WaitForPopup();
    ASSERT_TRUE(menu.has_value()) << "Alt+Space opened no menu";
    EXPECT_LE(std::abs(menu->Rect.Left - (Main.Whole().Left + 8)), 2);
    Picture("alt-space");
    D().Key("Escape");
    EXPECT_TRUE(PopupGone());
    ExpectMainWindowAnswers();
}

TEST_P(TFrameJourney, PreviewMinimisedToACaptionBarAndBack)
{
    PlaceClip(TestClip(20, false), ClipFolder, "frame clip.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));
    Click(Main.RowThumbnail(0));
    std::optional<TScreenWindow> preview = D().WaitForWindow(Pid(), "frame clip");
    ASSERT_TRUE(preview.has_value()) << "the preview did not open";
    ASSERT_TRUE(D().WaitForStill(preview->Rect, 10s));
    const TRect open = preview->Rect;
    Picture("preview-open");
    // Minimise: the main window stays, the preview becomes a caption bar at the bottom of the work area.
    ClickCaptionButton(*preview, 2);
    const TRect work = D().WorkArea();
    EXPECT_TRUE(WaitUntil(
        [&] {
            preview = D().Refresh(*preview);
            return preview && D().IsShown(preview->Id) && preview->Rect.Bottom == work.Bottom && preview->Rect.Left == work.Left;
        },
        10s))
        << "the preview did not become a caption bar at the bottom left";
    EXPECT_TRUE(D().IsShown(Main.Window.Id)) << "minimising the preview hid the main window";
    Picture("preview-caption-bar");
    // Its minimise button brings it back.
    ClickCaptionButton(*preview, 2);
    EXPECT_TRUE(WaitUntil(
        [&] {
            preview = D().Refresh(*preview);
            return preview && preview->Rect == open;
        },
        10s))
        << "the caption bar did not come back to the preview's place";
    ExpectMainWindowAnswers();
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TFrameJourney);

} // namespace
