// The main window sized by a person: its corner dragged out shows more queue rows with the controls
// where they were, dragged in it stops at the size it was made with, and the window manager's own
// maximise and restore give it the whole work area and its size back.
#include <cstdlib>

#include "E2eJourney.h"

namespace {

class TResizeJourney : public TJourney {
protected:
    // The main window once it has the size Width x Height (any place), or false when it never has.
    bool WaitForSize(int Width, int Height, std::chrono::milliseconds Limit = 15s)
    {
        return WaitUntil(
            [&] {
                RefreshMain();
                return Main.Whole().Width() == Width && Main.Whole().Height() == Height;
            },
            Limit);
    }
    // Drags the bottom-right corner of the main window by (Dx, Dy).
    void DragCorner(int Dx, int Dy)
    {
        const TRect w = Main.Whole();
        D().Drag(w.Right - 2, w.Bottom - 2, w.Right - 2 + Dx, w.Bottom - 2 + Dy, 12);
    }
    // A row's thumbnail is the clip's colour bars; the bottom bar that lies there otherwise is grey.
    bool RowShown(const TSurface& Screen, int R) { return ColourfulShare(Crop(Screen, Main.RowThumbnail(R))) > 0.3; }
};

TEST_P(TResizeJourney, CornerDraggedShowsMoreRows_NeverBelowItsMadeSize_WindowManagerMaximisesAndRestores)
{
    for (const char* name : {"a.avi", "b.avi", "c.avi", "d.avi", "e.avi"})
        PlaceClip(TestClip(2, true), ClipFolder, name);
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const TRect made = Main.Whole();
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(3));
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    const TSurface small = D().Grab(D().ScreenRect());
    EXPECT_FALSE(RowShown(small, 3)) << "the window as made shows a fourth row already";
    const TMainWindow before = Main;

    // Out by the corner: the queue grows with the window and shows every row; the controls above stay.
    DragCorner(200, 150);
    ASSERT_TRUE(WaitForSize(made.Width() + 200, made.Height() + 150)) << "the corner did not size the window";
    EXPECT_TRUE(WaitForRows(5, 20s)) << "the larger window does not show more queue rows";
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    Picture("larger");
    const TSurface large = D().Grab(D().ScreenRect());
    EXPECT_EQ(DifferentPixels(Crop(large, Main.AddFiles()), Crop(small, before.AddFiles())), 0) << "Add files moved";
    EXPECT_EQ(DifferentPixels(Crop(large, Main.Device()), Crop(small, before.Device())), 0) << "the device box moved";
    // The bottom bar goes down with the window's bottom edge, Start with its right edge.
    const TRect start = Main.Start();
    const TRect startNow{start.Left + 200, start.Top + 150, start.Right + 200, start.Bottom + 150};
    EXPECT_EQ(DifferentPixels(Crop(large, startNow), Crop(small, before.Start())), 0) << "Start is not at the window's corner";

    // In by the corner, far: the size the window was made with is the smallest it takes.
    DragCorner(-500, -400);
    EXPECT_TRUE(WaitForSize(made.Width(), made.Height())) << "the window went below the size it was made with: "
                                                           << Main.Whole().Width() << " x " << Main.Whole().Height();
    Picture("smallest");

    if (!WithWm()) {
        ExpectMainWindowAnswers();
        return;
    }
    // The window manager's own maximise: the whole work area, and every row.
    const TRect normal = Main.Whole();
    const TRect work = D().WorkArea();
    D().SetMaximized(Main.Window.Id, true);
    EXPECT_TRUE(WaitUntil(
        [&] {
            RefreshMain();
            return std::abs(Main.Whole().Width() - work.Width()) <= 2 && std::abs(Main.Whole().Height() - work.Height()) <= 2;
        },
        15s))
        << "the window manager's maximise did not size the window: " << Main.Whole().Width() << " x " << Main.Whole().Height();
    EXPECT_TRUE(WaitForRows(5, 20s)) << "the maximised window does not show every queue row";
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    Picture("maximised-by-window-manager");
    // And its restore: the size and the place from before.
    D().SetMaximized(Main.Window.Id, false);
    EXPECT_TRUE(WaitUntil(
        [&] {
            RefreshMain();
            return Main.Whole() == normal;
        },
        15s))
        << "the window manager's restore did not bring the window back: " << Main.Whole().Left << ", " << Main.Whole().Top << ", "
        << Main.Whole().Width() << " x " << Main.Whole().Height();
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    Picture("restored-by-window-manager");
    EXPECT_FALSE(RowShown(D().Grab(D().ScreenRect()), 3)) << "the restored window still shows the rows of the larger one";
    ExpectMainWindowAnswers();
}

E2E_JOURNEY(TResizeJourney);

} // namespace
