// The main window handled as a window: minimised and brought back as a taskbar does it, maximised and
// restored with its own caption button, moved by its caption. It still answers the mouse afterwards.
#include <cstdlib>

#include "E2eJourney.h"

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

    // Maximise with the caption button: the window fills the work area and its bars stretch with it.
    // The bottom bar's right end is then at the window's right edge: the column just inside it shows
    // what the column just inside the bar's right end showed before (the bar's own edge, the height
    // of the bar unchanged).
    const TSurface before = D().Grab(D().ScreenRect());
    const auto rightEnd = [](const TSurface& Shown, const TMainWindow& W) {
        std::vector<TPixel> column;
        const int x = W.Whole().Right - W.Border - 2;
        for (int y = W.Whole().Bottom - 86; y < W.Whole().Bottom - 4; ++y)
            column.push_back(Shown.Pixel(x, y));
        return column;
    };
    const std::vector<TPixel> normalEnd = rightEnd(before, Main);
    ClickCaptionButton(Main.Window, 1);
    const TRect work = D().WorkArea();
    const bool maximised = WaitUntil(
        [&] {
            RefreshMain();
            return std::abs(Main.Whole().Width() - work.Width()) <= 4 && std::abs(Main.Whole().Height() - work.Height()) <= 4;
        },
        10s);
    EXPECT_TRUE(maximised) << "the window was not maximised";
    if (maximised) {
        ASSERT_TRUE(D().WaitForStill(Main.Whole()));
        Picture("maximised");
        const std::vector<TPixel> maximisedEnd = rightEnd(D().Grab(D().ScreenRect()), Main);
        int unlike = 0;
        for (std::size_t i = 0; i < normalEnd.size(); ++i)
            unlike += CloseColour(normalEnd[i], maximisedEnd[i], 12) ? 0 : 1;
        EXPECT_LE(unlike, 4) << "the bottom bar does not reach the maximised window's right edge";
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
    const TRect from = Main.Whole();
    D().Drag(from.Left + 120, from.Top + 12, from.Left + 120 - 80, from.Top + 12 - 60);
    EXPECT_TRUE(WaitUntil(
        [&] {
            RefreshMain();
            return Main.Whole().Left == from.Left - 80 && Main.Whole().Top == from.Top - 60;
        },
        10s))
        << "the window did not follow its caption";
    EXPECT_TRUE(Painted());
    Picture("moved");
    ExpectMainWindowAnswers();

    // A click on the caption (to bring the window forward, say) and then one on the close button: the
    // program ends at that first click on close.
    Click(TPoint{Main.Whole().Left + 200, Main.Whole().Top + 12});
    ClickCaptionButton(Main.Window, 0);
    const std::optional<int> exit = Program().WaitForExit(20s);
    EXPECT_TRUE(exit.has_value()) << "the close button did not end the program after a click on the caption";
    if (exit) {
        EXPECT_EQ(*exit, 0);
    }
}

E2E_JOURNEY(TWindowJourney);

} // namespace
