// The folder dialog while it is up: it has the keyboard and keeps it, even when the user clicks the
// main window that waits for it; the program rests meanwhile; one Cancel closes it and the main window
// has the keyboard again.
#include "E2eJourney.h"

namespace {

class TModalJourney : public TJourney {};

TEST_P(TModalJourney, FolderDialog_KeepsTheKeyboardAndOneCancelCloses)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    Click(Main.AddFolder());
    const std::optional<TScreenWindow> dialog = WaitForFolderDialog("Select folder containing video files");
    ASSERT_TRUE(dialog.has_value()) << "Add folder opened no folder dialog";
    ASSERT_TRUE(WaitUntil([&] { return D().FocusWindow() == dialog->Id; }, 10s)) << "the folder dialog did not get the keyboard";

    // A click on the waiting main window: the dialog keeps the keyboard, and nothing passes it back and
    // forth (which would keep the program and the display server busy).
    Click(Main.AddFiles());
    ExpectIdle("folder dialog open, its owner clicked");
    EXPECT_EQ(D().FocusWindow(), dialog->Id) << "the waiting main window took the keyboard from the dialog";
    Picture("dialog-kept");

    ASSERT_TRUE(CancelFolderDialog(*dialog));
    EXPECT_TRUE(WaitUntil([&] { return D().FocusWindow() == Main.Window.Id; }, 10s))
        << "the main window did not get the keyboard back when the dialog closed";
}

E2E_JOURNEY(TModalJourney);

} // namespace
