// Add files: the file dialog, several files chosen in its list with Ctrl and Shift clicks, then a name
// and a path typed into it, and the queue rows that follow.
#include "E2eJourney.h"

namespace {

// The dialog's default client area is 450 x 290: a 25-pixel tool bar, the file list with its bars, and an
// 80-pixel panel at the bottom with the name edit at (70, 10) and Open at (370, 10).
constexpr int DialogClientWidth = 450;
constexpr int DialogClientHeight = 290;

class TAddFilesJourney : public TJourney {
protected:
    TPoint DialogAt(const TScreenWindow& Dialog, int X, int Y) const
    {
        const int border = FrameBorder(Main.Window);
        return {Dialog.Rect.Left + border + X, Dialog.Rect.Bottom - border - DialogClientHeight + Y};
    }
    // The file list's rows, without its bars and frame.
    TRect ListArea(const TScreenWindow& Dialog) const
    {
        const TPoint topLeft = DialogAt(Dialog, 2, 26);
        const TPoint bottomRight = DialogAt(Dialog, DialogClientWidth - 21, DialogClientHeight - 80 - 20);
        return TRect{topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
    }
    // Clicks Add files once the main window has settled (the last dialog gone, the rows painted).
    std::optional<TScreenWindow> OpenFileDialog()
    {
        D().WaitForStill(Main.Whole());
        Click(Main.AddFiles());
        return WaitForFolderDialog("Select File(s)");
    }
    // Replaces what the name edit holds (it has the keyboard when the dialog opens) by Text, and Enter.
    void TypeIntoNameEdit(const TScreenWindow& Dialog, const std::string& Text)
    {
        Click(DialogAt(Dialog, 200, DialogClientHeight - 80 + 20));
        D().Key("End");
        for (int i = 0; i < 40; ++i)
            D().Key("BackSpace");
        for (char c : Text) {
            switch (c) {
            case ' ': D().Key("space"); break;
            case '/': D().Key("slash"); break;
            case '.': D().Key("period"); break;
            default: D().Key(std::string(1, c)); break;
            }
        }
        D().Key("Return");
    }
    bool WaitForDialogGone(const TScreenWindow& Dialog) { return D().WaitForWindowGone(Pid(), Dialog.Title, 10s); }
};

TEST_P(TAddFilesJourney, FilesChosenWithCtrlAndShift_ThenATypedNameAndPath_ComeIntoTheQueue)
{
    PlaceClip(TestClip(2, true), ClipFolder, "a one.avi");
    PlaceClip(TestClip(3, true), ClipFolder, "b two.avi");
    PlaceClip(TestClip(4, true), ClipFolder, "c three.avi");
    PlaceClip(TestClip(2, true), ClipFolder, "d four.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());

    std::optional<TScreenWindow> dialog = OpenFileDialog();
    ASSERT_TRUE(dialog.has_value()) << "Add files opened no file dialog";
    Picture("file-dialog");
    // The dialog starts at the documents folder; Enter on the typed name of a folder lists it.
    const TSurface before = D().Grab(ListArea(*dialog));
    TypeIntoNameEdit(*dialog, "clips");
    TSurface listed;
    ASSERT_TRUE(D().WaitForPicture(ListArea(*dialog), [&](const TSurface& s) { return DifferentPixels(s, before) > 50; }, listed, 15s))
        << "Enter on a typed folder name did not list it";
    ASSERT_TRUE(D().WaitForStill(ListArea(*dialog)));

    // The first file, then Shift to the third, then Ctrl takes the second out again.
    const TRect list = ListArea(*dialog);
    Click(TPoint{list.Left + 20, list.Top + 6});
    TSurface shown;
    ASSERT_TRUE(D().WaitForPicture(list, [&](const TSurface& s) { return !SelectedBand(s, s.Bounds()).IsEmpty(); }, shown, 15s))
        << "a click on the first file did not select it";
    const TRect first = SelectedBand(shown, shown.Bounds());
    const int rowHeight = first.Height();
    const TPixel marked = shown.Pixel(first.Left + 2, first.Top + rowHeight / 2) & 0xFFFFFFu;
    const auto rowY = [&](int Row) { return first.Top + Row * rowHeight + rowHeight / 2; };
    // Which of the first four rows show the selection's colour at their left end.
    const auto selectedRows = [&](const TSurface& s) {
        std::string rows;
        for (int r = 0; r < 4; ++r)
            rows += CloseColour(s.Pixel(first.Left + 2, rowY(r)) & 0xFFFFFFu, marked) ? '1' : '0';
        return rows;
    };
    const int x = list.Left + first.Left + 20;
    D().ClickHolding(x, list.Top + rowY(2), {"Shift_L"});
    EXPECT_TRUE(D().WaitForPicture(list, [&](const TSurface& s) { return selectedRows(s) == "1110"; }, shown, 15s))
        << "Shift did not select the run of three files: " << selectedRows(shown);
    D().ClickHolding(x, list.Top + rowY(1), {"Control_L"});
    EXPECT_TRUE(D().WaitForPicture(list, [&](const TSurface& s) { return selectedRows(s) == "1010"; }, shown, 15s))
        << "Ctrl did not take the second file out: " << selectedRows(shown);
    Picture("ctrl-shift-chosen");
    Click(DialogAt(*dialog, DialogClientWidth - 45, DialogClientHeight - 80 + 22));
    ASSERT_TRUE(WaitForDialogGone(*dialog)) << "Open did not close the file dialog";
    EXPECT_TRUE(WaitForRows(2)) << "the two chosen files did not come into the queue";
    ASSERT_TRUE(D().WaitForStill(Main.Queue()));
    const TSurface twoRows = D().Grab(Main.Queue());

    // A typed name: the dialog opens again where the last files came from.
    dialog = OpenFileDialog();
    ASSERT_TRUE(dialog.has_value()) << "Add files did not open the dialog a second time";
    TypeIntoNameEdit(*dialog, "d four.avi");
    ASSERT_TRUE(WaitForDialogGone(*dialog)) << "Enter on a typed file name did not choose it";
    EXPECT_TRUE(WaitForRows(3)) << "the typed file did not come into the queue";

    // A typed path, relative to the folder listed.
    dialog = OpenFileDialog();
    ASSERT_TRUE(dialog.has_value());
    TypeIntoNameEdit(*dialog, "../clips/b two.avi");
    ASSERT_TRUE(WaitForDialogGone(*dialog)) << "Enter on a typed path did not choose the file";
    ASSERT_TRUE(WaitForRows(3));
    ASSERT_TRUE(D().WaitForStill(Main.Queue(), 60s));
    Picture("queue");
    // Four rows are more than the queue shows: the wheel moves the fourth up into view.
    const TSurface threeRows = D().Grab(Main.Queue());
    EXPECT_GT(DifferentPixels(twoRows, threeRows), 500);
    const TRect left{Main.Queue().Left, Main.Queue().Top, Main.RowLength(0).Right, Main.Queue().Bottom};
    const TSurface leftBefore = D().Grab(left);
    TSurface leftAfter;
    const bool fourth = WaitUntil(
        [&] {
            D().Wheel(Middle(Main.Queue()).X, Middle(Main.Queue()).Y, false);
            return D().WaitForPicture(left, [&](const TSurface& s) { return DifferentPixels(s, leftBefore) > 500; }, leftAfter, 2s);
        },
        30s);
    EXPECT_TRUE(fourth) << "the typed path did not bring a fourth row";
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TAddFilesJourney);

} // namespace
