// The main window as a person reads it: a queue longer than the window shows its scroll bar and follows
// the keys, the buttons explain themselves when the pointer rests on them, and a second run starts with
// empty bars while the device box stays in sight; Help opens the help document beside the program.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "E2eJourney.h"

namespace {

class TMainWindowJourney : public TJourney {};

TEST_P(TMainWindowJourney, LongQueueShowsItsBarAndFollowsTheKeys_ButtonsShowTheirHints)
{
    for (const char* name : {"a.avi", "b.avi", "c.avi", "d.avi", "e.avi"})
        PlaceClip(TestClip(2, true), ClipFolder, name);
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    const TSurface empty = D().Grab(D().ScreenRect());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(3));
    ASSERT_TRUE(D().WaitForStill(Main.Queue()));
    Picture("rows");

    // Five rows do not fit in three rows' height: the bar shows beside them, with its arrows and thumb.
    const TSurface rows = D().Grab(D().ScreenRect());
    EXPECT_GT(DifferentPixels(Crop(rows, Main.QueueBar()), Crop(empty, Main.QueueBar())), 500) << "no scroll bar beside the queue";
    EXPECT_GE(CountColours(rows, Main.QueueBar()), 4) << "no scroll bar beside the queue";

    // A click on a row's length gives the queue the keys: End shows its last rows, Home its first ones.
    const TRect left{Main.Queue().Left, Main.Queue().Top, Main.RowLength(0).Right, Main.Queue().Bottom};
    Click(Main.RowLength(0));
    D().Key("End");
    TSurface shown;
    EXPECT_TRUE(D().WaitForPicture(left, [&](const TSurface& s) { return DifferentPixels(s, Crop(rows, left)) > 500; }, shown, 10s))
        << "End does not scroll the queue";
    Picture("end");
    D().Key("Home");
    EXPECT_TRUE(D().WaitForPicture(left, [&](const TSurface& s) { return DifferentPixels(s, Crop(rows, left)) == 0; }, shown, 10s))
        << "Home does not bring the first rows back";

    // Resting on Add files brings up its hint, a window of its own beside the pointer.
    D().MoveTo(Middle(Main.AddFiles()).X, Middle(Main.AddFiles()).Y);
    const std::optional<TScreenWindow> hint = WaitForPopup(10s);
    Picture("hint");
    ASSERT_TRUE(hint.has_value()) << "no hint appeared over Add files";
    const TSurface hintPicture = D().Grab(hint->Rect);
    EXPECT_GE(CountColours(hintPicture, hintPicture.Bounds()), 2) << "the hint shows no text";
    EXPECT_TRUE(Program().Running());
}

TEST_P(TMainWindowJourney, SecondRunStartsWithEmptyBars_DeviceBoxStaysInSight)
{
    PlaceClip(TestClip(2, true), ClipFolder, "a two.avi");
    PlaceClip(TestClip(2, true), ClipFolder, "b two.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(2));
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    // The device chosen with the mouse: "iPod Classic/Nano/Video", the longest name, shown whole.
    ASSERT_TRUE(ChooseFromCombo(Main.Device(), 1)) << "the device list did not open, or did not close on a click";
    D().MoveTo(Main.Whole().Right + 40, Main.Whole().Bottom + 40);
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    const TSurface before = D().Grab(D().ScreenRect());
    Picture("chosen");

    const auto runQueue = [&](const std::string& Step) {
        Click(Main.Start());
        const std::optional<TScreenWindow> destination = WaitForFolderDialog("Select destination folder");
        ASSERT_TRUE(destination.has_value()) << "Start did not ask for the destination";
        ASSERT_TRUE(ConfirmFolderDialog(*destination));
        ASSERT_TRUE(WaitForQueueEnd(Crop(before, Main.Start()))) << "the queue did not end";
        EXPECT_EQ(FilesIn(Home.DefaultDestination()).size(), 2u);
        ASSERT_TRUE(D().WaitForStill(Main.Whole()));
        Picture(Step);
    };
    ASSERT_NO_FATAL_FAILURE(runQueue("first-run"));
    const TSurface first = D().Grab(D().ScreenRect());
    // Both bars full; the device box is there as it was, without the pointer passing over it.
    for (int r = 0; r < 2; ++r)
        EXPECT_GT(DifferentPixels(Crop(first, Main.RowProgress(r)), Crop(before, Main.RowProgress(r))), 200) << "row " << r;
    EXPECT_EQ(DifferentPixels(Crop(first, Main.Device()), Crop(before, Main.Device())), 0) << "the device box is not shown as it was";

    // Only the second row again: the first row's full bar belongs to the earlier run and goes.
    Click(Main.RowCheck(1));
    Click(Main.Start());
    const std::optional<TScreenWindow> destination = WaitForFolderDialog("Select destination folder");
    ASSERT_TRUE(destination.has_value()) << "Start did not ask for the destination";
    ASSERT_TRUE(ConfirmFolderDialog(*destination));
    TSurface shown;
    EXPECT_TRUE(D().WaitForPicture(Main.RowProgress(0),
        [&](const TSurface& s) { return DifferentPixels(s, Crop(before, Main.RowProgress(0))) == 0; }, shown, 30s))
        << "the first row keeps the bar of the earlier run";
    ASSERT_TRUE(WaitForQueueEnd(Crop(before, Main.Start()))) << "the second run did not end";
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    Picture("second-run");
    // The box has lost the keyboard to the row's check box, so it looks a little different; but its
    // face and name are there, not the bare panel behind it.
    const TSurface second = D().Grab(D().ScreenRect());
    EXPECT_GE(CountColours(second, Main.Device()), 8) << "the device box is not shown";
    EXPECT_TRUE(Program().Running());
}

TEST_P(TMainWindowJourney, HelpButton_OpensTheHelpDocumentBesideTheProgramWithTheDesktopOpener)
{
    // The document is made with the program; the desktop's opener is a recorder first on the PATH the
    // program is started with: what it was started with lands in a file of the scratch HOME.
    const std::string program = std::filesystem::path(OMBRIX_PROGRAM).parent_path().string();
    ASSERT_TRUE(std::filesystem::is_regular_file(program + "/help.pdf")) << "the build made no help.pdf beside the program";
    const std::string bin = Home.Root + "/bin";
    const std::string opened = Home.Root + "/opened";
    std::filesystem::create_directories(bin);
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nprintf '%s|' \"$@\" > \"$HOME/opened.new\"\nmv \"$HOME/opened.new\" \"$HOME/opened\"\n";
    ::chmod((bin + "/xdg-open").c_str(), 0755);
    const char* path = std::getenv("PATH");
    const std::string savedPath = path != nullptr ? path : "/usr/bin:/bin";
    setenv("PATH", (bin + ":" + savedPath).c_str(), 1);
    StartProgram();
    setenv("PATH", savedPath.c_str(), 1);
    if (HasFatalFailure()) return;

    // The Help button at the right end of the top row.
    Click(Main.Area(546, 4, 50, 26));
    EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(opened); }, 20s)) << "Help started no desktop opener";
    std::string args;
    std::getline(std::ifstream(opened), args);
    EXPECT_EQ(args, program + "/help.pdf|");
    Picture("after-help");
    ExpectMainWindowAnswers();
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TMainWindowJourney);

} // namespace
