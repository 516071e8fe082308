// A conversion as a person makes one: device chosen in the combo box with the mouse, quality moved on the
// slider, Start, the destination confirmed, progress shown, and files a player can read.
#include <algorithm>

#include "E2eJourney.h"

namespace {

class TConvertJourney : public TJourney {};

TEST_P(TConvertJourney, DeviceQualityStart_OutputsReadableWithTheRightCodecsAndLength)
{
    PlaceClip(TestClip(2, true), ClipFolder, "a two.avi");
    PlaceClip(TestClip(3, true), ClipFolder, "b three.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(2));
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    const TSurface before = D().Grab(D().ScreenRect());

    // "Playstation Portable" is the sixth device of the list.
    ASSERT_TRUE(ChooseFromCombo(Main.Device(), 5)) << "the device list did not open, or did not close on a click";
    TSurface shown;
    EXPECT_TRUE(D().WaitForPicture(
        Main.Device(), [&](const TSurface& s) { return DifferentPixels(s, Crop(before, Main.Device())) > 20; }, shown, 10s))
        << "the device box did not change";

    // The quality slider's thumb starts in the middle; a person drags it to three quarters.
    const TRect slider = Main.Quality();
    const TSurface sizesBefore = D().Grab(Main.RowSize(0));
    D().Drag(Middle(slider).X, Middle(slider).Y, slider.Left + slider.Width() * 3 / 4, Middle(slider).Y);
    EXPECT_TRUE(D().WaitForPicture(
        Main.QualityText(), [&](const TSurface& s) { return DifferentPixels(s, Crop(before, Main.QualityText())) > 20; },
        shown, 10s))
        << "the quality text did not follow the slider";
    // The size estimates follow the quality.
    EXPECT_TRUE(D().WaitForPicture(Main.RowSize(0), [&](const TSurface& s) { return DifferentPixels(s, sizesBefore) > 10; }, shown, 10s))
        << "the size estimate did not follow the quality";
    Picture("chosen");
    const TSurface progressBefore = D().Grab(Main.RowProgress(0));
    const TSurface statusBefore = D().Grab(Main.Status());
    const TSurface startFace = D().Grab(Main.Start());

    Click(Main.Start());
    const std::optional<TScreenWindow> destination = WaitForFolderDialog("Select destination folder");
    ASSERT_TRUE(destination.has_value()) << "Start did not ask for the destination";
    ASSERT_TRUE(ConfirmFolderDialog(*destination));

    // Progress shows while the tools work (the status bar, the row's gauge); the queue ends with every
    // row done (its box unchecked) and no tool left.
    bool progressShown = false;
    const TSurface checkBefore = Crop(before, Main.RowCheck(1));
    const bool finished = WaitUntil(
        [&] {
            const TSurface now = D().Grab(D().ScreenRect());
            progressShown = progressShown || DifferentPixels(Crop(now, Main.Status()), statusBefore) > 50
                || DifferentPixels(Crop(now, Main.RowProgress(0)), progressBefore) > 50;
            return DifferentPixels(Crop(now, Main.RowCheck(1)), checkBefore) > 0 && !Program().RunsAnyOf({"mencoder", "ffmpeg", "mplayer"});
        },
        120s);
    Picture("done");
    EXPECT_TRUE(finished) << "the queue did not finish";
    EXPECT_TRUE(WaitForQueueEnd(startFace)) << "the queue did not unwind";
    EXPECT_TRUE(progressShown) << "no progress was shown";
    // Both rows' gauges are full now.
    const TSurface after = D().Grab(D().ScreenRect());
    for (int r = 0; r < 2; ++r)
        EXPECT_GT(DifferentPixels(Crop(after, Main.RowProgress(r)), Crop(before, Main.RowProgress(r))), 200)
            << "row " << r << " shows no progress";

    const std::vector<std::string> outputs = FilesIn(Home.DefaultDestination());
    ASSERT_EQ(outputs, (std::vector<std::string>{"a two.mp4", "b three.mp4"}));
    const int seconds[] = {2, 3};
    for (int i = 0; i < 2; ++i) {
        const TProbe p = Probe(Home.DefaultDestination() + "/" + outputs[static_cast<std::size_t>(i)]);
        SCOPED_TRACE(outputs[static_cast<std::size_t>(i)]);
        ASSERT_TRUE(p.Valid);
        EXPECT_EQ(p.VideoCodec, "h264");
        EXPECT_EQ(p.AudioCodec, "aac");
        // Fitted into the handheld's 480 x 272 screen, in multiples of 16.
        EXPECT_LE(p.Width, 480);
        EXPECT_LE(p.Height, 272);
        EXPECT_GE(p.Height, 240);
        EXPECT_EQ(p.Width % 16, 0);
        EXPECT_NEAR(p.Duration, seconds[i], 0.3);
        // 25 frames a second of the source, every one of them.
        EXPECT_NEAR(static_cast<double>(p.Frames), 25.0 * seconds[i], 3);
    }
    EXPECT_TRUE(Program().Running());
}

TEST_P(TConvertJourney, StartPressedDuringAScanRound_WaitsForTheRoundToEnd)
{
    for (const char* name : {"a.avi", "b.avi", "c.avi", "d.avi", "e.avi"})
        PlaceClip(TestClip(2, true), ClipFolder, name);
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    Click(Main.AddFolder());
    const std::optional<TScreenWindow> folders = WaitForFolderDialog("Select folder containing video files");
    ASSERT_TRUE(folders && PickTreeEntry(*folders, 1) && ConfirmFolderDialog(*folders));
    // Start pressed again and again while the rows are built under the work panel, which covers the
    // queue until the round has ended. A destination dialog opened during the round holds the round,
    // so the rows never show behind it; one opened by a press just after the round has them there.
    int presses = 0;
    bool asked = false, askedDuringRound = false;
    const bool ended = WaitUntil([&] {
        if (WaitForRows(3, 1ms))
            return true;
        Click(Main.Start());
        ++presses;
        asked = D().WaitForWindow(Pid(), "Select destination folder", 300ms).has_value();
        askedDuringRound = asked && !WaitForRows(3, 20s);
        return asked;
    }, 150s);
    EXPECT_FALSE(askedDuringRound) << "Start asked for the destination during the round, press " << presses;
    EXPECT_TRUE(ended && presses >= 3) << presses << " presses during the round";
    if (!asked)
        Click(Main.Start());
    EXPECT_TRUE(WaitForFolderDialog("Select destination folder").has_value()) << "Start waits on after the round";
}

E2E_JOURNEY(TConvertJourney);

} // namespace
