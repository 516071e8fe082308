// The preview, opened and played over and over: thumbnail, Play, seek, Stop, and the window closed while
// it plays. The program outlives all of it and still answers.
#include <algorithm>
#include <cstdlib>

#include "E2eJourney.h"

namespace {

class TPreviewJourney : public TJourney {
protected:
    bool PlayerRunning() { return Program().RunsAnyOf({"mplayer"}); }

    using TPreview = TPreviewWindow;
    std::optional<TPreview> Open() { return OpenPreview("preview clip"); }

    // Play, and wait until the picture moves.
    bool Play(const TPreview& P)
    {
        Click(P.Play());
        if (!WaitUntil([&] { return PlayerRunning(); }, 15s))
            return false;
        // The clip's counter changes every second.
        const TSurface first = D().Grab(P.Picture());
        TSurface shown;
        return D().WaitForPicture(P.Picture(), [&](const TSurface& s) { return DifferentPixels(s, first) > 50; }, shown, 15s);
    }
};

TEST_P(TPreviewJourney, PlaySeekStopClose_FiveTimes_ProgramSurvivesAndAnswers)
{
    PlaceClip(TestClip(20, false), ClipFolder, "preview clip.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));

    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        std::optional<TPreview> preview = Open();
        ASSERT_TRUE(preview.has_value()) << "the preview did not open showing the picture";
        if (round == 0) {
            Picture("preview-open");
            ExpectIdle("preview open");
        }
        ASSERT_TRUE(Play(*preview)) << "Play shows no moving picture";
        if (round == 0)
            Picture("playing");
        // Seek: the slider's thumb starts at the left end; drag it to the middle.
        const TRect seek = preview->Seek();
        D().Drag(seek.Left + 12, Middle(seek).Y, Middle(seek).X, Middle(seek).Y);
        ASSERT_TRUE(PlayerRunning()) << "the player ended on a seek";
        Click(preview->Stop());
        EXPECT_TRUE(WaitUntil([&] { return !PlayerRunning(); }, 15s)) << "Stop left the player running";
        EXPECT_TRUE(D().WaitForWindowGone(Pid(), "preview clip", 15s)) << "Stop did not close the preview";
        ASSERT_TRUE(Program().Running()) << "the program ended on Stop";

        // Again, and this time the window is closed while it plays.
        preview = Open();
        ASSERT_TRUE(preview.has_value()) << "the preview did not open a second time";
        ASSERT_TRUE(Play(*preview)) << "Play shows no moving picture";
        ClickCaptionButton(preview->Window, 0);
        EXPECT_TRUE(D().WaitForWindowGone(Pid(), "preview clip", 15s)) << "the close button did not close the preview";
        EXPECT_TRUE(WaitUntil([&] { return !PlayerRunning(); }, 15s)) << "closing the preview left the player running";
        ASSERT_TRUE(Program().Running()) << "the program ended when the preview closed";
    }

    ExpectMainWindowAnswers();
    EXPECT_TRUE(Program().Running());
}

// The box of Shown (the picture area) that the player's picture covers: every pixel unlike the area's
// own background, which shows at its top-left corner once the picture no longer fills it.
TRect PictureBox(const TSurface& Shown)
{
    const TPixel background = Shown.Pixel(0, 0);
    TRect box{Shown.Width(), Shown.Height(), 0, 0};
    for (int y = 0; y < Shown.Height(); ++y)
        for (int x = 0; x < Shown.Width(); ++x)
            if (!CloseColour(Shown.Pixel(x, y), background, 12))
                box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
    return box;
}

TEST_P(TPreviewJourney, WideClipPlaysInAWidePicture_SystemMenuAsTheMainWindows)
{
    PlaceClip(TestClip(20, false, "640x272"), ClipFolder, "wide clip.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));
    std::optional<TPreview> preview = OpenPreview("wide clip");
    ASSERT_TRUE(preview.has_value()) << "the preview did not open showing the picture";
    ASSERT_TRUE(Play(*preview)) << "Play shows no moving picture";

    // The player's picture keeps the clip's shape (640 x 272), as large as the picture area allows.
    const TRect area = preview->Picture();
    const bool byWidth = area.Width() * 272 / 640 <= area.Height();
    const int wideWidth = byWidth ? area.Width() : area.Height() * 640 / 272;
    const int wideHeight = byWidth ? area.Width() * 272 / 640 : area.Height();
    ASSERT_GT(std::abs(area.Width() * 272 - area.Height() * 640), 30 * 640) << "the picture area has the clip's shape itself";
    TSurface shown;
    const bool wide = D().WaitForPicture(area,
        [&](const TSurface& s) {
            const TRect box = PictureBox(s);
            return std::abs(box.Width() - wideWidth) <= 6 && std::abs(box.Height() - wideHeight) <= 6;
        },
        shown, 20s);
    Picture("wide-playing");
    EXPECT_TRUE(wide) << "the wide clip plays " << PictureBox(shown).Width() << " x " << PictureBox(shown).Height() << ", not "
                      << wideWidth << " x " << wideHeight;
    Click(preview->Stop());
    EXPECT_TRUE(WaitUntil([&] { return !PlayerRunning(); }, 15s)) << "Stop left the player running";
    ASSERT_TRUE(D().WaitForWindowGone(Pid(), "wide clip", 15s));

    // The preview's frame offers what the main window's does: its system menu is as long.
    const auto systemMenu = [&](const TScreenWindow& Window, const std::string& Step) -> std::optional<TScreenWindow> {
        D().Click(Window.Rect.Left + Window.Rect.Width() / 2, Window.Rect.Top + 12, 3);
        std::optional<TScreenWindow> menu = WaitForPopup();
        if (menu) {
            D().WaitForStill(menu->Rect, 5s);
            Picture(Step);
            D().Key("Escape");
            EXPECT_TRUE(PopupGone());
        }
        return menu;
    };
    const std::optional<TScreenWindow> mainMenu = systemMenu(Main.Window, "main-system-menu");
    ASSERT_TRUE(mainMenu.has_value()) << "no system menu on the main window's caption";
    preview = OpenPreview("wide clip");
    ASSERT_TRUE(preview.has_value()) << "the preview did not open again";
    const std::optional<TScreenWindow> previewMenu = systemMenu(preview->Window, "preview-system-menu");
    ASSERT_TRUE(previewMenu.has_value()) << "no system menu on the preview's caption";
    EXPECT_EQ(previewMenu->Rect.Height(), mainMenu->Rect.Height()) << "the preview's system menu holds other items";
}

E2E_JOURNEY(TPreviewJourney);

} // namespace
