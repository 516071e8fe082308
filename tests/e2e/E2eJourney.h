#pragma once
// What every journey shares: a display (with a window manager or without, the test's parameter), a
// scratch user, the program, and where a person finds things on the main window.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "E2eDisplay.h"
#include "E2eProgram.h"

// Places on the main window, in screen pixels, worked out from the window's rectangle: the stored form
// puts its controls at fixed places of a 600 x 300 client area, inside the skin's frame.
class TMainWindow {
public:
    TMainWindow() = default;
    // The window as it first shows (client area as stored); the frame's border and caption are taken
    // from it.
    explicit TMainWindow(const TScreenWindow& Window);
    // The same window later, of any size: the frame keeps its border and caption.
    TMainWindow Now(const TScreenWindow& Window) const;

    TScreenWindow Window;
    int Border = 0;    // the skinned frame's width left, right and below
    int CaptionHeight = 0;   // its height above the client area
    // A point or a rectangle of the client area, from the stored form's coordinates.
    TPoint At(int X, int Y) const { return {FClient.X + X, FClient.Y + Y}; }
    TRect Area(int Left, int Top, int Width, int Height) const
    {
        return TRect{FClient.X + Left, FClient.Y + Top, FClient.X + Left + Width, FClient.Y + Top + Height};
    }
    TRect Whole() const { return Window.Rect; }
    // The client area's width: 600 as stored, more when the window is maximised.
    int ClientWidth() const { return Window.Rect.Width() - 2 * Border; }
    TRect Caption() const { return TRect{Window.Rect.Left, Window.Rect.Top, Window.Rect.Right, FClient.Y}; }

    TRect AddFiles() const { return Area(4, 4, 70, 26); }
    TRect AddFolder() const { return Area(78, 4, 74, 26); }
    TRect Device() const { return Area(156, 6, 186, 22); }
    TRect Quality() const { return Area(346, 7, 88, 20); }
    TRect QualityText() const { return Area(436, 10, 108, 16); }
    TRect Queue() const { return Area(0, 86, 600, 128); }
    // The queue's scroll bar, at its right edge while the rows do not fit.
    TRect QueueBar() const { return Area(581, 86, 19, 128); }
    TRect Destination() const { return Area(4, 4 + 214, 80, 26); }
    TRect DestinationText() const { return Area(88, 5 + 214, 380, 24); }
    TRect Start() const { return Area(474, 3 + 214, 60, 28); }
    TRect Skip() const { return Area(536, 3 + 214, 60, 28); }
    TRect Status() const { return Area(4, 34 + 214, 592, 22); }
    // A queue row (0 = the first one shown) and its parts.
    TRect Row(int R) const { return Area(2, 88 + R * 47, 596, 45); }
    TRect RowCheck(int R) const { return Area(2, 88 + R * 47 + 12, 20, 20); }
    TRect RowThumbnail(int R) const { return Area(22, 88 + R * 47, 56, 45); }
    TRect RowLength(int R) const { return Area(78, 88 + R * 47, 50, 45); }
    TRect RowSize(int R) const { return Area(430, 88 + R * 47, 70, 45); }
    TRect RowProgress(int R) const { return Area(500, 88 + R * 47 + 15, 96, 16); }

private:
    TPoint FClient;
};

// The preview window's parts, from its rectangle: the main window's skinned frame around it, a bar of
// 30 pixels at the bottom of the client area with Play, Stop and the seek slider, the picture above.
struct TPreviewWindow {
    TScreenWindow Window;
    int Border = 0;
    int Caption = 0;
    TRect Picture() const { return TRect{Window.Rect.Left + Border, Window.Rect.Top + Caption, Window.Rect.Right - Border, Bar().Top}; }
    TRect Bar() const { return TRect{Window.Rect.Left + Border, Window.Rect.Bottom - Border - 30, Window.Rect.Right - Border, Window.Rect.Bottom - Border}; }
    TPoint Play() const { return {Bar().Left + 25, Bar().Top + 15}; }
    TPoint Stop() const { return {Bar().Left + 75, Bar().Top + 15}; }
    TRect Seek() const { return TRect{Bar().Left + 100, Bar().Top, Bar().Right, Bar().Bottom}; }
};

TPoint Middle(const TRect& R);
// The width of the skinned frame's left, right and bottom edges of Window (the main window's skin).
int FrameBorder(const TScreenWindow& Window);
// The selected row of a tree or list shown in Area of Shown: a patch of one colour, as high as a line of
// text, that fills most of its bounding box; empty when there is none.
TRect SelectedBand(const TSurface& Shown, const TRect& Area);

class TJourney : public ::testing::TestWithParam<bool> {
public:
    static std::string ParamName(const ::testing::TestParamInfo<bool>& Info)
    {
        return Info.param ? "WithWindowManager" : "WithoutWindowManager";
    }

protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program and waits for its main window; fails the test when it does not come.
    void StartProgram(bool Splash = false);
    // The main window again after something moved or restored it.
    void RefreshMain();
    // Starts the suite's form host on Form (a description under tests/e2e/forms) with Skin (see
    // TE2eProgram::StartFormHost) and waits for its window titled Title to show and settle; fails the
    // test when it does not come.
    void StartForm(const std::string& Form, const std::string& Skin, const std::string& Title, TScreenWindow& Window);
    // Waits until the form host has written Line (a handler of its form ran: "click mnuOpen").
    ::testing::AssertionResult HostSaid(const std::string& Line, std::chrono::milliseconds Limit = 20s) const;
    // Saves the whole screen as <suite>_<test>_<Step>.bmp under build/test-pictures/e2e/.
    void Picture(const std::string& Step) const;

    void Click(const TRect& Control) const { const TPoint p = Middle(Control); D().Click(p.X, p.Y); }
    void Click(TPoint P) const { D().Click(P.X, P.Y); }

    // Add folder: opens the folder dialog, picks the clips folder's entry in the tree with the mouse (the
    // Entry-th child of the folder the dialog starts in) and confirms with OK. Waits for the given number
    // of queue rows.
    void AddFolderWithMouse(int ExpectedRows, int Entry = 1);
    // Start, and the destination it asks for confirmed; the device (its place in the device box)
    // chosen first unless it is the one chosen at start (0).
    void StartConverting(int Device = 0);
    // Another copy of the program in the same home, with its main window: the journey's steps go to
    // it until the two are swapped back.
    void SwapProgram(std::unique_ptr<TE2eProgram>& Other, TMainWindow& OtherMain)
    {
        std::swap(FProgram, Other);
        std::swap(Main, OtherMain);
    }
    // Clicks the entry of the folder dialog's tree that lies Rows rows below (above, when negative) the
    // selected one, and waits until it is the selected one.
    bool PickTreeEntry(const TScreenWindow& Dialog, int Rows);
    // The folder dialog that Add folder, Destination and Start open; waits for it and returns it.
    std::optional<TScreenWindow> WaitForFolderDialog(const std::string& Title);
    // Confirms an open folder dialog with its OK button (or leaves it with Cancel) and waits for it to go.
    bool ConfirmFolderDialog(const TScreenWindow& Dialog);
    bool CancelFolderDialog(const TScreenWindow& Dialog);
    // The main window answers: Add folder opens its dialog, and Cancel closes it again.
    void ExpectMainWindowAnswers();
    // Opens a combo box's list with the mouse and clicks its item Index (of the Visible items the list
    // shows from the top); false when no list opened or it stayed open.
    bool ChooseFromCombo(const TRect& Combo, int Index, int Visible = 8);
    // A popup (combo list, menu) of the program that is open now.
    std::optional<TScreenWindow> WaitForPopup(std::chrono::milliseconds Limit = 10s) const;
    // No popup of the program is open any more; what is still open is told when one is.
    ::testing::AssertionResult PopupGone() const;
    // Clicks the skinned frame's caption button: 0 the right-most (close), 1 the next (maximise), 2 minimise.
    void ClickCaptionButton(const TScreenWindow& Window, int FromRight) const;
    // Nobody uses the program for a while (OMBRIX_E2E_IDLE_SECONDS, 3 by default): it and the X server
    // must use next to no processor time. What names the situation in the report.
    void ExpectIdle(const std::string& What);
    // Waits until a run of the queue has unwound: no tool runs, and Start shows StartFace again (the
    // button as grabbed before the run, the pointer elsewhere) instead of Stop's face. The last output
    // is on the disc before that, but the program may still be busy with the queue: a click then would
    // reach a run that is ending. Moves the pointer off the window first.
    bool WaitForQueueEnd(const TSurface& StartFace, std::chrono::milliseconds Limit = 120s);
    // Opens the preview titled Title by the first row's thumbnail and waits until it shows the picture.
    std::optional<TPreviewWindow> OpenPreview(const std::string& Title);
    // Waits until the queue shows Rows rows with a thumbnail each.
    bool WaitForRows(int Rows, std::chrono::milliseconds Limit = 60s);

    TE2eDisplay& D() const { return *FDisplay; }
    TE2eProgram& Program() { return *FProgram; }
    pid_t Pid() const { return FProgram->Pid(); }
    bool WithWm() const { return GetParam(); }

    TE2eHome Home;
    TMainWindow Main;
    std::string ClipFolder;

private:
    std::unique_ptr<TE2eDisplay> FDisplay;
    std::unique_ptr<TE2eProgram> FProgram;
};

#define E2E_JOURNEY(Suite) INSTANTIATE_TEST_SUITE_P(Desktop, Suite, ::testing::Values(true, false), TJourney::ParamName)
