// What a desktop user meets in the first minutes beyond the queue itself: the preview opening centred
// on the main window with its picture above its own bar, the program's icon on every window, a
// desktop without an opener, the queue covered while a folder is scanned, and the caption's buttons
// after a maximise and a restore.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "E2eJourney.h"

namespace {

namespace fs = std::filesystem;

class TDesktopJourney : public TJourney {
protected:
    using TPreview = TPreviewWindow;

    // The preview once it has settled where it opened.
    std::optional<TPreview> OpenPreview()
    {
        std::optional<TPreview> p = TJourney::OpenPreview("preview clip");
        if (!p || !D().WaitForStill(p->Window.Rect, 10s))
            return std::nullopt;
        p->Window = D().Refresh(p->Window).value_or(p->Window);
        return p;
    }
    bool ClosePreview(const TPreview& P)
    {
        ClickCaptionButton(P.Window, 0);
        return D().WaitForWindowGone(Pid(), "preview clip", 15s);
    }
    // Drags the main window by its caption by (Dx, Dy) and waits until it stands there.
    bool MoveMain(int Dx, int Dy)
    {
        const TRect before = Main.Whole();
        const TPoint grip{before.Left + 200, before.Top + Main.CaptionHeight / 2};
        D().Drag(grip.X, grip.Y, grip.X + Dx, grip.Y + Dy, 12);
        return WaitUntil(
            [&] {
                RefreshMain();
                return std::abs(Main.Whole().Left - (before.Left + Dx)) <= 2 && std::abs(Main.Whole().Top - (before.Top + Dy)) <= 2;
            },
            10s);
    }
};

TEST_P(TDesktopJourney, Preview_OpensCentredOnTheMainWindowWhereverItStands_PictureAboveItsBar)
{
    PlaceClip(TestClip(20, false), ClipFolder, "preview clip.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));

    // The moves keep the main window on the screen, and the preview centred on it fits there too.
    const int moves[][2] = {{0, 0}, {-150, -90}, {260, 150}, {0, 0}, {-200, 40}, {0, 0}};
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE("opening " + std::to_string(round + 1));
        if (moves[round][0] != 0 || moves[round][1] != 0) {
            ASSERT_TRUE(MoveMain(moves[round][0], moves[round][1])) << "the main window did not follow its caption";
        }
        std::optional<TPreview> preview = OpenPreview();
        ASSERT_TRUE(preview.has_value()) << "the preview did not open showing the picture";
        const TPoint centre = Middle(Main.Whole());
        const TPoint previewCentre = Middle(preview->Window.Rect);
        EXPECT_LE(std::abs(previewCentre.X - centre.X), 2) << "the preview is not centred on the main window";
        EXPECT_LE(std::abs(previewCentre.Y - centre.Y), 2) << "the preview is not centred on the main window";
        if (round != 0) {
            ASSERT_TRUE(ClosePreview(*preview)) << "the close button did not close the preview";
            continue;
        }
        Picture("preview-centred");
        ExpectIdle("preview open");
        // Playing, the player's picture fills the same place as the still one, scaled as it is (this
        // display has no video extension): the colour bars stand where they stood.
        const TSurface still = D().Grab(preview->Picture());
        Click(preview->Play());
        ASSERT_TRUE(WaitUntil([&] { return Program().RunsAnyOf({"mplayer"}); }, 15s)) << "Play started no player";
        TSurface playing;
        // The player's window shows black before its first picture.
        ASSERT_TRUE(D().WaitForPicture(preview->Picture(), [&](const TSurface& s) { return DifferentPixels(s, still) > 50 && ColourfulShare(s) > 0.2; },
            playing, 15s))
            << "Play shows no picture";
        Picture("playing");
        const TRect band{0, still.Height() / 5, still.Width(), still.Height() * 2 / 5};
        int alike = 0;
        for (int y = band.Top; y < band.Bottom; ++y)
            for (int x = band.Left; x < band.Right; ++x)
                alike += CloseColour(still.Pixel(x, y), playing.Pixel(x, y), 48) ? 1 : 0;
        EXPECT_GT(static_cast<double>(alike) / (band.Width() * band.Height()), 0.7) << "the playing picture is not scaled to the panel";
        Click(preview->Stop());
        ASSERT_TRUE(D().WaitForWindowGone(Pid(), "preview clip", 15s)) << "Stop did not close the preview";
        ASSERT_TRUE(WaitUntil([&] { return !Program().RunsAnyOf({"mplayer"}); }, 15s)) << "Stop left the player running";
    }
    EXPECT_TRUE(Program().Running());
}

// The program's icon: the play mark of its splash, green on a dark band, 48 pixels square.
::testing::AssertionResult CarriesTheProgramsIcon(const TE2eDisplay& D, const TScreenWindow& Window)
{
    const TSurface icon = D.WindowIcon(Window.Id);
    if (icon.Empty())
        return ::testing::AssertionFailure() << "\"" << Window.Title << "\" offers no icon";
    if (icon.Width() != 48 || icon.Height() != 48)
        return ::testing::AssertionFailure() << "\"" << Window.Title << "\" offers an icon of " << icon.Width() << " x " << icon.Height();
    const double mark = ShareOfColour(icon, icon.Bounds(), 0x0040B040, 24);
    if (mark < 0.1)
        return ::testing::AssertionFailure() << "\"" << Window.Title << "\" offers an icon without the play mark (" << mark << ")";
    return ::testing::AssertionSuccess();
}

TEST_P(TDesktopJourney, EveryWindow_OffersTheProgramsIcon)
{
    PlaceClip(TestClip(20, false), ClipFolder, "preview clip.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    EXPECT_TRUE(CarriesTheProgramsIcon(D(), Main.Window));

    Click(Main.AddFolder());
    std::optional<TScreenWindow> dialog = WaitForFolderDialog("Select folder containing video files");
    ASSERT_TRUE(dialog.has_value()) << "Add folder opened no folder dialog";
    EXPECT_TRUE(CarriesTheProgramsIcon(D(), *dialog));
    ExpectIdle("folder dialog open");
    ASSERT_TRUE(PickTreeEntry(*dialog, 1));
    ASSERT_TRUE(ConfirmFolderDialog(*dialog));
    ASSERT_TRUE(WaitForRows(1));

    std::optional<TPreview> preview = OpenPreview();
    ASSERT_TRUE(preview.has_value()) << "the preview did not open showing the picture";
    EXPECT_TRUE(CarriesTheProgramsIcon(D(), preview->Window));
    Picture("preview-open");
    ASSERT_TRUE(ClosePreview(*preview));
    ExpectIdle("main window alone");
}

// PATH as it is, but with no xdg-open on it: each folder that holds one is stood in for by a folder
// under Root with links to all its other programs.
std::string PathWithoutOpener(const std::string& Path, const std::string& Root)
{
    std::string out;
    std::size_t start = 0;
    for (int i = 0; start <= Path.size(); ++i) {
        const std::size_t end = std::min(Path.find(':', start), Path.size());
        std::string dir = Path.substr(start, end - start);
        start = end + 1;
        std::error_code e;
        if (!dir.empty() && fs::exists(dir + "/xdg-open", e)) {
            const std::string shadow = Root + "/path" + std::to_string(i);
            fs::create_directories(shadow);
            for (const fs::directory_entry& entry : fs::directory_iterator(dir, e))
                if (entry.path().filename() != "xdg-open")
                    fs::create_symlink(entry.path(), shadow + "/" + entry.path().filename().string(), e);
            dir = shadow;
        }
        out += (out.empty() ? "" : ":") + dir;
    }
    return out;
}

TEST_P(TDesktopJourney, NoDesktopOpener_HelpBannerAndDestinationSaySoOnTheStatusLine)
{
    const char* path = std::getenv("PATH");
    const std::string savedPath = path != nullptr ? path : "/usr/bin:/bin";
    setenv("PATH", PathWithoutOpener(savedPath, Home.Root).c_str(), 1);
    StartProgram();
    setenv("PATH", savedPath.c_str(), 1);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(D().WaitForStill(Main.Status()));

    // Each says what it could not open, so the line changes with every click.
    const struct {
        const char* What;
        TRect Control;
    } clicks[] = {
        {"Help", Main.Area(546, 4, 50, 26)},
        {"the news banner", Main.Area(4, 214 + 60, 592, 22)},
        {"the destination box", Main.DestinationText()},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.What);
        const TSurface before = D().Grab(Main.Status());
        Click(c.Control);
        TSurface after;
        EXPECT_TRUE(D().WaitForPicture(Main.Status(), [&](const TSurface& s) { return DifferentPixels(s, before) > 20; }, after, 10s))
            << "the status line says nothing when " << c.What << " cannot open anything";
    }
    D().MoveTo(Main.Whole().Right + 40, Main.Whole().Bottom + 40);
    Picture("no-opener");
    ExpectMainWindowAnswers();
    EXPECT_TRUE(Program().Running());
}

TEST_P(TDesktopJourney, FolderScan_WorkPanelCoversTheQueue_StartWaitsForTheScan)
{
    PlaceClip(TestClip(20, false), ClipFolder, "first clip.avi");
    // Noisy clips take the identification and the thumbnails a while: long enough to look meanwhile.
    const std::string more = ClipFolder + " 2";
    for (const char* name : {"second clip.avi", "third clip.avi"})
        PlaceClip(TestClip(20, true), more, name);
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    const TSurface dropHere = D().Grab(Main.Queue());
    const TSurface startDisabled = D().Grab(Main.Start());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));
    D().MoveTo(Main.Whole().Right + 40, Main.Whole().Bottom + 40);
    TSurface shown;
    ASSERT_TRUE(D().WaitForPicture(Main.Start(), [&](const TSurface& s) { return DifferentPixels(s, startDisabled) > 20; }, shown, 10s))
        << "Start is not enabled once the queue has a row";

    // The second folder, the one below the first in the tree.
    Click(Main.AddFolder());
    std::optional<TScreenWindow> dialog = WaitForFolderDialog("Select folder containing video files");
    ASSERT_TRUE(dialog.has_value());
    ASSERT_TRUE(PickTreeEntry(*dialog, 1));
    ASSERT_TRUE(ConfirmFolderDialog(*dialog));
    D().MoveTo(Main.Whole().Right + 40, Main.Whole().Bottom + 40);

    // While the new clips are looked at, the queue is covered by the work panel (neither the row nor
    // the empty queue's invitation), and Start looks as it did before there was anything to start.
    bool covered = false;
    bool startWaits = false;
    WaitUntil(
        [&] {
            const TSurface screen = D().Grab(D().ScreenRect());
            const TSurface queue = Crop(screen, Main.Queue());
            if (ColourfulShare(queue) > 0.005 || DifferentPixels(queue, dropHere) < 50)
                return false;
            covered = true;
            startWaits = DifferentPixels(Crop(screen, Main.Start()), startDisabled) <= 20;
            Picture("scanning");
            return true;
        },
        30s);
    EXPECT_TRUE(covered) << "the queue was never covered while the folder was scanned";
    EXPECT_TRUE(startWaits) << "Start could be pressed while the folder was scanned";
    EXPECT_TRUE(WaitForRows(3)) << "the queue did not show the three rows";
    EXPECT_TRUE(D().WaitForPicture(Main.Start(), [&](const TSurface& s) { return DifferentPixels(s, startDisabled) > 20; }, shown, 10s))
        << "Start stayed disabled after the scan";
    Picture("scanned");
}

TEST_P(TDesktopJourney, MaximiseAndRestoreByTheCaptionButton_NoButtonStaysLit)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const TRect normal = Main.Whole();
    const TRect work = D().WorkArea();
    // The caption's buttons of the window as it stands now, with the pointer away from them.
    const auto buttons = [&] { return TRect{Main.Whole().Right - 70, Main.Whole().Top, Main.Whole().Right, Main.Whole().Top + Main.CaptionHeight}; };
    const auto awayAndStill = [&] {
        D().MoveTo(normal.Right + 40, normal.Bottom + 40);
        return D().WaitForStill(buttons());
    };
    // The maximise button's own square, inside the caption: away from the frame's rounded corner,
    // which shows what lies behind the window.
    const auto maximiseButton = [&] { return TRect{Main.Whole().Right - 45, Main.Whole().Top + 4, Main.Whole().Right - 25, Main.Whole().Top + 24}; };
    ASSERT_TRUE(awayAndStill());
    const TSurface unlit = D().Grab(buttons());
    const TSurface maximiseGlyph = D().Grab(maximiseButton());
    const auto maximised = [&] {
        return WaitUntil(
            [&] {
                RefreshMain();
                return std::abs(Main.Whole().Width() - work.Width()) <= 4 && std::abs(Main.Whole().Height() - work.Height()) <= 4;
            },
            15s);
    };
    const auto backToNormal = [&] {
        return WaitUntil(
            [&] {
                RefreshMain();
                return Main.Whole() == normal;
            },
            15s);
    };

    ClickCaptionButton(Main.Window, 1);
    ASSERT_TRUE(maximised()) << "the maximise button did not maximise the window";
    // The frame is laid out for the new size before its restore button is pressed.
    ASSERT_TRUE(awayAndStill());
    const TSurface restoreGlyph = D().Grab(maximiseButton());
    ASSERT_GT(DifferentPixels(restoreGlyph, maximiseGlyph), 10) << "the maximised frame shows no restore button";
    ClickCaptionButton(Main.Window, 1);
    ASSERT_TRUE(backToNormal()) << "the restore button did not bring the window back";
    ASSERT_TRUE(awayAndStill());
    TSurface shown;
    EXPECT_TRUE(D().WaitForPicture(buttons(), [&](const TSurface& s) { return DifferentPixels(s, unlit) == 0; }, shown, 10s))
        << "a caption button stays lit after the restore";
    Picture("restored");
    if (!WithWm())
        return;

    // The window manager's own maximise: the frame is maximised as by its button, and shows its restore
    // button; restored by that button, or by the window manager's own restore, the window stands where
    // it stood.
    for (const bool byWindowManager : {false, true}) {
        SCOPED_TRACE(byWindowManager ? "restored by the window manager" : "restored by the caption button");
        D().SetMaximized(Main.Window.Id, true);
        ASSERT_TRUE(maximised()) << "the window manager's maximise did not maximise the window: " << Main.Whole().Width() << " x "
                                 << Main.Whole().Height();
        ASSERT_TRUE(awayAndStill());
        EXPECT_TRUE(D().WaitForPicture(maximiseButton(), [&](const TSurface& s) { return DifferentPixels(s, restoreGlyph) == 0; }, shown, 10s))
            << "the frame does not show its restore button after the window manager's maximise";
        Picture(byWindowManager ? "maximised-by-window-manager-again" : "maximised-by-window-manager");
        if (byWindowManager)
            D().SetMaximized(Main.Window.Id, false);
        else
            ClickCaptionButton(Main.Window, 1);
        EXPECT_TRUE(backToNormal()) << "the window did not come back to its place: " << Main.Whole().Left << ", " << Main.Whole().Top << ", "
                                    << Main.Whole().Width() << " x " << Main.Whole().Height();
        ASSERT_TRUE(awayAndStill());
        EXPECT_TRUE(D().WaitForPicture(maximiseButton(), [&](const TSurface& s) { return DifferentPixels(s, maximiseGlyph) == 0; }, shown, 10s))
            << "the frame does not show its maximise button after the restore";
    }
    ExpectMainWindowAnswers();
}

E2E_JOURNEY(TDesktopJourney);

} // namespace
