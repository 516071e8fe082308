// Skip and Stop in the middle of long conversions: what was cut short is neither left in the destination
// nor reported done.
#include "E2eJourney.h"

namespace {

class TRunControlJourney : public TJourney {};

TEST_P(TRunControlJourney, SkipThenStop_NoPartialFileAndNothingDone)
{
    // Five minutes of video each: far longer than the journey waits.
    PlaceClip(TestClip(300, false), ClipFolder, "long one.avi");
    PlaceClip(TestClip(300, false), ClipFolder, "long two.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(2));
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    const TSurface before = D().Grab(D().ScreenRect());

    Click(Main.Start());
    const std::optional<TScreenWindow> destination = WaitForFolderDialog("Select destination folder");
    ASSERT_TRUE(destination.has_value()) << "Start did not ask for the destination";
    ASSERT_TRUE(ConfirmFolderDialog(*destination));

    // The first row's gauge moves: its conversion is under way. Skip it.
    TSurface shown;
    const auto moving = [&](int Row) {
        return D().WaitForPicture(Main.RowProgress(Row),
            [&](const TSurface& s) { return DifferentPixels(s, Crop(before, Main.RowProgress(Row))) > 20 && Program().RunsAnyOf({"mencoder", "ffmpeg"}); },
            shown, 60s);
    };
    ASSERT_TRUE(moving(0)) << "the first conversion shows no progress";
    Picture("first-running");
    ASSERT_TRUE(D().WaitForPicture(Main.Skip(), [&](const TSurface& s) { return DifferentPixels(s, Crop(before, Main.Skip())) > 20; }, shown, 10s))
        << "Skip did not become usable";
    Click(Main.Skip());

    // The second one starts; Stop (the Start button, while a queue runs) ends it and the queue.
    ASSERT_TRUE(moving(1)) << "after Skip the second conversion shows no progress";
    Picture("second-running");
    Click(Main.Start());
    const bool stopped = WaitUntil([&] { return !Program().RunsAnyOf({"mencoder", "ffmpeg"}); }, 30s);
    EXPECT_TRUE(stopped) << "Stop left the encoder running";
    EXPECT_TRUE(WaitForQueueEnd(Crop(before, Main.Start()), 30s)) << "the Start button did not come back";
    Picture("stopped");

    EXPECT_EQ(FilesIn(Home.DefaultDestination()), std::vector<std::string>{}) << "a cut-short conversion left its file";
    // Neither row is reported done: both keep their ticked boxes.
    const TSurface after = D().Grab(D().ScreenRect());
    for (int r = 0; r < 2; ++r)
        EXPECT_EQ(DifferentPixels(Crop(after, Main.RowCheck(r)), Crop(before, Main.RowCheck(r))), 0) << "row " << r;
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TRunControlJourney);

} // namespace
