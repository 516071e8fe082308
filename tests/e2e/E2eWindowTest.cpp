// The main window handled as a window: minimised and brought back as a taskbar does it, maximised and
// restored with its own caption button, moved by its caption. It still answers the mouse afterwards.
#include <cstdlib>

#include "E2eJourney.h"
#include "E2eSkin.h"

namespace {

class TWindowJourney : public TJourney {
protected:
    bool Painted()
    {
        TSurface shown;
        return D().WaitForPicture(
            Main.Caption(), [](const TSurface& s) { return CountColours(s, s.Bounds(), 16) >= 8; }, shown, 15s);
    }
};

TEST_P(TWindowJourney, MinimiseRestoreMaximiseRestoreMove_StillAnswers)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const TRect normal = Main.Whole();

    // Minimise with the caption button. A window manager hides the window and keeps it as an icon;
    // without one there is nobody to keep it, and the window must stay usable either way.
    ClickCaptionButton(Main.Window, 2);
    if (WithWm()) {
        EXPECT_TRUE(WaitUntil([&] { return D().WmState(Main.Window.Id) == 3 && !D().IsShown(Main.Window.Id); }, 10s))
            << "the window did not become an icon";
        Picture("minimised");
        // A taskbar brings it back by asking the window manager to activate it.
        D().Activate(Main.Window.Id);
    } else {
        // Restoring without a manager can only mean mapping the window again.
        WaitUntil([&] { return !D().IsShown(Main.Window.Id); }, 2s);
        D().MapRaised(Main.Window.Id);
    }
    ASSERT_TRUE(WaitUntil([&] { return D().IsShown(Main.Window.Id); }, 10s)) << "the window did not come back";
    RefreshMain();
    EXPECT_TRUE(Painted()) << "the restored window is not painted";
    if (WithWm()) {
        EXPECT_EQ(D().WmState(Main.Window.Id), 1);
    }
    Picture("restored");
    ExpectMainWindowAnswers();

    // Maximise with the caption button: the window fills the work area, its bars stretch with it.
    ClickCaptionButton(Main.Window, 1);
    const TRect work = D().WorkArea();
    const bool maximised = WaitUntil(
        [&] {
            RefreshMain();
            return std::abs(Main.Whole().Width() - work.Width()) <= 4 && std::abs(Main.Whole().Height() - work.Height()) <= 4;
        },
        10s);
    Picture("maximised");
    EXPECT_TRUE(maximised) << "the window was not maximised";
    if (maximised) {
        ASSERT_TRUE(D().WaitForStill(Main.Whole()));
        const TSurface shown = D().Grab(D().ScreenRect());
        const TSkinPictures skin;
        // The bottom bar reaches the right edge: near it, at the height of the Start button, the bar's
        // face shows, not the queue's.
        const TPoint nearRight{Main.Whole().Right - 12, Main.Whole().Bottom - 86 + 40};
        const TPixel bar = shown.Pixel(nearRight.X, nearRight.Y);
        EXPECT_TRUE(CloseColour(bar, skin.ControlColour("toolpanel"), 10))
            << "at the bottom bar's right end " << ColourText(bar) << ", skin " << ColourText(skin.ControlColour("toolpanel"));
        ClickCaptionButton(Main.Window, 1);
        EXPECT_TRUE(WaitUntil(
            [&] {
                RefreshMain();
                return Main.Whole() == normal;
            },
            10s))
            << "the window did not come back to its size and place";
    }

    // Moved by its caption.
    const TRect before = Main.Whole();
    D().Drag(before.Left + 120, before.Top + 12, before.Left + 120 - 80, before.Top + 12 - 60);
    EXPECT_TRUE(WaitUntil(
        [&] {
            RefreshMain();
            return Main.Whole().Left == before.Left - 80 && Main.Whole().Top == before.Top - 60;
        },
        10s))
        << "the window did not follow its caption";
    EXPECT_TRUE(Painted());
    Picture("moved");
    ExpectMainWindowAnswers();
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TWindowJourney);

} // namespace
