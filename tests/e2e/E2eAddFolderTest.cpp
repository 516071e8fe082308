// Add folder: the folder dialog, a folder picked in its tree with the mouse, and the queue rows that
// follow, each with its thumbnail, its length and its size estimate.
#include "E2eJourney.h"

namespace {

class TAddFolderJourney : public TJourney {};

TEST_P(TAddFolderJourney, FolderChosenInTheTree_RowsWithThumbnailsLengthsAndSizes)
{
    // Four clips of different lengths: three rows fill the queue's height, the fourth lies below.
    PlaceClip(TestClip(2, true), ClipFolder, "a two.avi");
    PlaceClip(TestClip(3, true), ClipFolder, "b three.avi");
    PlaceClip(TestClip(4, true), ClipFolder, "c four.avi");
    PlaceClip(TestClip(2, true), ClipFolder, "d two again.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());

    Click(Main.AddFolder());
    const std::optional<TScreenWindow> dialog = WaitForFolderDialog("Select folder containing video files");
    ASSERT_TRUE(dialog.has_value()) << "Add folder opened no folder dialog";
    // The dialog owns the input while it is up; the main window waits without using the processor.
    ExpectIdle("folder dialog open");
    // Cancel it and choose again, as a person who changed their mind.
    CancelFolderDialog(*dialog);

    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(3));
    ASSERT_TRUE(D().WaitForStill(Main.Queue()));
    Picture("rows");
    const TSurface shown = D().Grab(D().ScreenRect());
    for (int r = 0; r < 3; ++r) {
        EXPECT_GE(CountColours(shown, Main.RowThumbnail(r), 64), 40) << "row " << r << " has no thumbnail";
        EXPECT_GE(CountColours(shown, Main.RowLength(r)), 3) << "row " << r << " shows no length";
        EXPECT_GE(CountColours(shown, Main.RowSize(r)), 3) << "row " << r << " shows no size estimate";
    }
    // Lengths of 2, 3 and 4 seconds read differently, and so do their size estimates.
    const TSurface length0 = Crop(shown, Main.RowLength(0));
    const TSurface length1 = Crop(shown, Main.RowLength(1));
    const TSurface length2 = Crop(shown, Main.RowLength(2));
    EXPECT_GT(DifferentPixels(length0, length1), 0);
    EXPECT_GT(DifferentPixels(length1, length2), 0);
    EXPECT_GT(DifferentPixels(Crop(shown, Main.RowSize(0)), Crop(shown, Main.RowSize(2))), 0);

    // The fourth row lies below the queue's height: the wheel brings it up. Only the left part of the
    // queue is compared (box, thumbnail, length): the pointer lights up what it passes over.
    const TRect left{Main.Queue().Left, Main.Queue().Top, Main.RowLength(0).Right, Main.Queue().Bottom};
    for (int notch = 0; notch < 3; ++notch)
        D().Wheel(Middle(Main.Queue()).X, Middle(Main.Queue()).Y, false);
    TSurface queue;
    const bool scrolled = D().WaitForPicture(left, [&](const TSurface& s) { return DifferentPixels(s, Crop(shown, left)) > 500; }, queue, 10s);
    Picture("scrolled");
    EXPECT_TRUE(scrolled) << "the mouse wheel does not scroll the queue";
    // Then the fourth row shows where the third was: a two-second clip like the first, the same length.
    const TSurface scrolledScreen = D().Grab(D().ScreenRect());
    bool fourthShown = false;
    for (int y = Main.Row(1).Top + 1; y + 45 <= Main.Queue().Bottom && !fourthShown; ++y) {
        const TRect place{Main.RowLength(0).Left, y, Main.RowLength(0).Right, y + 45};
        fourthShown = DifferentPixels(Crop(scrolledScreen, place), length0) == 0;
    }
    EXPECT_TRUE(fourthShown) << "the fourth row is not reachable";
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TAddFolderJourney);

} // namespace
