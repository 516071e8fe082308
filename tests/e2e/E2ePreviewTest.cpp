// The preview, opened and played over and over: thumbnail, Play, seek, Stop, and the window closed while
// it plays. The program outlives all of it and still answers.
#include "E2eJourney.h"

namespace {

class TPreviewJourney : public TJourney {
protected:
    bool PlayerRunning() { return Program().RunsAnyOf({"mplayer"}); }

    using TPreview = TPreviewWindow;
    std::optional<TPreview> Open() { return OpenPreview("preview clip"); }

    // Play, and wait until the picture moves.
    bool Play(const TPreview& P)
    {
        Click(P.Play());
        if (!WaitUntil([&] { return PlayerRunning(); }, 15s))
            return false;
        // The clip's counter changes every second.
        const TSurface first = D().Grab(P.Picture());
        TSurface shown;
        return D().WaitForPicture(P.Picture(), [&](const TSurface& s) { return DifferentPixels(s, first) > 50; }, shown, 15s);
    }
};

TEST_P(TPreviewJourney, PlaySeekStopClose_FiveTimes_ProgramSurvivesAndAnswers)
{
    PlaceClip(TestClip(20, false), ClipFolder, "preview clip.avi");
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(1));

    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        std::optional<TPreview> preview = Open();
        ASSERT_TRUE(preview.has_value()) << "the preview did not open showing the picture";
        if (round == 0) {
            Picture("preview-open");
            ExpectIdle("preview open");
        }
        ASSERT_TRUE(Play(*preview)) << "Play shows no moving picture";
        if (round == 0)
            Picture("playing");
        // Seek: the slider's thumb starts at the left end; drag it to the middle.
        const TRect seek = preview->Seek();
        D().Drag(seek.Left + 12, Middle(seek).Y, Middle(seek).X, Middle(seek).Y);
        ASSERT_TRUE(PlayerRunning()) << "the player ended on a seek";
        Click(preview->Stop());
        EXPECT_TRUE(WaitUntil([&] { return !PlayerRunning(); }, 15s)) << "Stop left the player running";
        EXPECT_TRUE(D().WaitForWindowGone(Pid(), "preview clip", 15s)) << "Stop did not close the preview";
        ASSERT_TRUE(Program().Running()) << "the program ended on Stop";

        // Again, and this time the window is closed while it plays.
        preview = Open();
        ASSERT_TRUE(preview.has_value()) << "the preview did not open a second time";
        ASSERT_TRUE(Play(*preview)) << "Play shows no moving picture";
        ClickCaptionButton(preview->Window, 0);
        EXPECT_TRUE(D().WaitForWindowGone(Pid(), "preview clip", 15s)) << "the close button did not close the preview";
        EXPECT_TRUE(WaitUntil([&] { return !PlayerRunning(); }, 15s)) << "closing the preview left the player running";
        ASSERT_TRUE(Program().Running()) << "the program ended when the preview closed";
    }

    ExpectMainWindowAnswers();
    EXPECT_TRUE(Program().Running());
}

E2E_JOURNEY(TPreviewJourney);

} // namespace
