// The main window's check and radio boxes without a mouse: Tab reaches them in the order of the form and
// each shows that it has the focus, Space works them, the arrows move among the radio boxes, and a queue
// row that takes the focus out of sight is scrolled into view.
#include <filesystem>
#include <fstream>

#include "E2eJourney.h"

namespace {

constexpr int RowPitch = 47;   // a row and its separator line

// A clip with two audio tracks and a subtitle track: its row shows the audio box, "Subs:" and the
// subtitle box. Made once per build folder, like the other test clips.
std::string ClipWithTracks()
{
    const std::string folder = std::string(OMBRIX_BINARY_DIR) + "/e2e-clips";
    const std::string name = folder + "/tracks.mkv";
    if (std::filesystem::exists(name))
        return name;
    std::filesystem::create_directories(folder);
    const std::string partial = name + "." + std::to_string(getpid()) + ".mkv";
    const std::string subtitles = partial + ".srt";
    std::ofstream(subtitles) << "1\n00:00:00,000 --> 00:00:02,000\nHello\n";
    RunTool({"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=duration=3:size=320x240:rate=25", "-f", "lavfi", "-i",
        "sine=frequency=440:duration=3", "-f", "lavfi", "-i", "sine=frequency=660:duration=3", "-i", subtitles, "-map", "0", "-map",
        "1", "-map", "2", "-map", "3", "-vf", "noise=alls=12:allf=t", "-c:v", "mpeg4", "-q:v", "3", "-c:a", "mp2", "-c:s", "srt",
        "-metadata:s:a:0", "language=eng", "-metadata:s:a:1", "language=ger", "-metadata:s:s:0", "language=eng", partial});
    std::error_code error;
    std::filesystem::remove(subtitles, error);
    std::filesystem::rename(partial, name, error);
    return name;
}


class TKeyboardJourney : public TJourney {
protected:
    // The rows as shown: the queue's client, inside its 2-pixel frame, without the bar.
    TRect Rows() const { return Main.Area(2, 88, 577, 124); }
    // The first row's "Subs:" check box, on its track line left of the subtitle box.
    TRect Subs() const { return Main.Area(2 + 409 - 80 - 52, 88 + 18, 52, 27); }
    TRect NicerSubtitles() const { return Main.Area(254, 34 + 4, 150, 20); }
    TRect Cropping(int Index) const
    {
        static constexpr int Left[] = {6, 120, 324}, Width[] = {110, 200, 220};
        return Main.Area(Left[Index], 62 + 2, Width[Index], 20);
    }

    // Presses Key, then waits until every area of Expected looks as given. Says which did not.
    ::testing::AssertionResult After(const std::string& Key, const std::vector<std::string>& Held,
        const std::vector<std::pair<TRect, std::function<bool(const TSurface&)>>>& Expected, const std::string& Step)
    {
        D().Key(Key, Held);
        std::size_t failing = 0;
        const bool shown = WaitUntil(
            [&] {
                const TSurface screen = D().Grab(D().ScreenRect());
                for (failing = 0; failing < Expected.size(); ++failing)
                    if (!Expected[failing].second(Crop(screen, Expected[failing].first)))
                        return false;
                return true;
            },
            10s);
        Picture(Step);
        if (shown)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << Step << ": area " << failing << " did not show what it should";
    }
    static std::function<bool(const TSurface&)> Like(const TSurface& Known)
    {
        return [Known](const TSurface& S) { return DifferentPixels(S, Known) == 0; };
    }
    static std::function<bool(const TSurface&)> Unlike(const TSurface& Known)
    {
        return [Known](const TSurface& S) { return DifferentPixels(S, Known) > 0; };
    }
    TSurface Unfocused(const TRect& Area) const { return Crop(FUnfocused, Area); }

    // Presses Tab and waits until the check box of Row (0 = the first) shows the focus as FFocusedCheck
    // does, wholly inside the queue however far the rows are scrolled.
    ::testing::AssertionResult TabToRowCheck(int Row, TRect* Shown = nullptr)
    {
        D().Key("Tab");
        const bool shown = WaitUntil(
            [&] {
                const TSurface screen = D().Grab(D().ScreenRect());
                const TRect check = Main.RowCheck(Row);
                for (int shift = 0; shift <= Row * RowPitch; ++shift) {
                    const TRect place{check.Left, check.Top - shift, check.Right, check.Bottom - shift};
                    if (place.Top >= Rows().Top && place.Bottom <= Rows().Bottom && DifferentPixels(Crop(screen, place), FFocusedCheck) == 0) {
                        if (Shown != nullptr)
                            *Shown = place;
                        return true;
                    }
                }
                return false;
            },
            10s);
        Picture("row " + std::to_string(Row + 1) + " check box");
        if (shown)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the focus did not show on row " << Row + 1 << "'s check box in sight";
    }

    TSurface FUnfocused;      // the screen while the queue itself has the keyboard
    TSurface FFocusedCheck;   // the first row's check box with the focus, the rows unscrolled
};

TEST_P(TKeyboardJourney, TabReachesCheckAndRadioBoxesInFormOrder_SpaceAndArrowsWorkThem_RowsScrollIntoView)
{
    // A clip with tracks, two short ones and a longer one: the fourth row's length tells it from the
    // second and third. Four rows do not fit the queue, so the third and fourth stand out of sight at first.
    PlaceClip(ClipWithTracks(), ClipFolder, "a tracks.mkv");
    for (const char* name : {"b.avi", "c.avi"})
        PlaceClip(TestClip(2, true), ClipFolder, name);
    PlaceClip(TestClip(5, true), ClipFolder, "d.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(2));
    // A click on a row's length gives the queue the keyboard. All four rows are in when End shows the
    // longer clip's row, thumbnail and all, at the bottom of the queue.
    const TSurface shortLength = D().Grab(Main.RowLength(1));
    Click(Main.RowLength(0));
    D().MoveTo(Main.Whole().Right + 40, Main.Whole().Bottom + 40);
    const int bottomRow = 88 + Rows().Height() - RowPitch;
    ASSERT_TRUE(WaitUntil(
        [&] {
            D().Key("End");
            if (!D().WaitForStill(Main.Queue(), 5s))
                return false;
            const TSurface screen = D().Grab(D().ScreenRect());
            return CountColours(screen, Main.Area(22, bottomRow, 56, 45), 64) >= 40
                && DifferentPixels(Crop(screen, Main.Area(78, bottomRow, 50, 45)), shortLength) > 0;
        },
        60s))
        << "the queue did not take the fourth row";
    D().Key("Home");
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    FUnfocused = D().Grab(D().ScreenRect());
    Picture("start");

    // Back from the queue: the last control before it in the form, the "Nicer subtitles" check box.
    ASSERT_TRUE(After("Tab", {"Shift_L"}, {{NicerSubtitles(), Unlike(Unfocused(NicerSubtitles()))}}, "nicer-subtitles-focused"));
    const TSurface nicerFocused = D().Grab(NicerSubtitles());
    // Space checks it and checks it off again.
    ASSERT_TRUE(After("space", {}, {{NicerSubtitles(), Unlike(nicerFocused)}}, "nicer-subtitles-checked"));
    ASSERT_TRUE(After("space", {}, {{NicerSubtitles(), Like(nicerFocused)}}, "nicer-subtitles-unchecked"));

    // On into the queue: the first row's check box takes the focus, the check box above lets it go.
    ASSERT_TRUE(After("Tab", {}, {{NicerSubtitles(), Like(Unfocused(NicerSubtitles()))}, {Main.RowCheck(0), Unlike(Unfocused(Main.RowCheck(0)))}},
        "into-the-queue"));
    FFocusedCheck = D().Grab(Main.RowCheck(0));
    // The first row's name, its audio box, then its "Subs:" check box, which Space checks and checks off again.
    D().Key("Tab");
    D().Key("Tab");
    ASSERT_TRUE(After("Tab", {}, {{Subs(), Unlike(Unfocused(Subs()))}}, "subs-focused"));
    const TSurface subsFocused = D().Grab(Subs());
    ASSERT_TRUE(After("space", {}, {{Subs(), Unlike(subsFocused)}}, "subs-checked"));
    ASSERT_TRUE(After("space", {}, {{Subs(), Like(subsFocused)}}, "subs-unchecked"));
    // The subtitle box, then each row's check box and its name: the third and fourth rows come into
    // sight as they take the focus.
    D().Key("Tab");
    ASSERT_TRUE(TabToRowCheck(1));
    TRect check;
    for (int row = 2; row < 4; ++row) {
        D().Key("Tab");
        ASSERT_TRUE(TabToRowCheck(row, &check));
    }
    // Space takes the fourth row out of the conversion and puts it back.
    ASSERT_TRUE(After("space", {}, {{check, Unlike(FFocusedCheck)}}, "row 4 unchecked"));
    ASSERT_TRUE(After("space", {}, {{check, Like(FFocusedCheck)}}, "row 4 checked"));

    // Past the last row's name, the cropping choice in its order; only the focus moves, the choice stays.
    D().Key("Tab");
    ASSERT_TRUE(After("Tab", {}, {{Cropping(0), Unlike(Unfocused(Cropping(0)))}, {Cropping(2), Like(Unfocused(Cropping(2)))}}, "no-cropping"));
    ASSERT_TRUE(After("Tab", {}, {{Cropping(0), Like(Unfocused(Cropping(0)))}, {Cropping(1), Unlike(Unfocused(Cropping(1)))}}, "bars-from-file"));
    const TSurface fileFocused = D().Grab(Cropping(1));
    // Space chooses the focused radio box, and the one chosen before lets go.
    ASSERT_TRUE(After("space", {}, {{Cropping(1), Unlike(fileFocused)}, {Cropping(2), Unlike(Unfocused(Cropping(2)))}}, "bars-from-file-chosen"));
    const TSurface fileChosen = D().Grab(Cropping(1)), deviceLetGo = D().Grab(Cropping(2));
    // The arrows move the focus among the radio boxes, both ways.
    ASSERT_TRUE(After("Right", {}, {{Cropping(1), Unlike(fileChosen)}, {Cropping(2), Unlike(deviceLetGo)}}, "right"));
    ASSERT_TRUE(After("Left", {}, {{Cropping(1), Like(fileChosen)}, {Cropping(2), Like(deviceLetGo)}}, "left"));

    // Round the form again, past the bars at the top: the first row, now scrolled out of sight above,
    // comes back into view with the focus.
    for (int i = 0; i < 5; ++i)
        D().Key("Tab");
    ASSERT_TRUE(TabToRowCheck(0));
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TKeyboardJourney);

} // namespace
