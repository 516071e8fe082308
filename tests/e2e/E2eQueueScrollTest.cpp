// The queue's scroll bar, wheel and keys: the arrows, a click in the track, the thumb, the wheel and the
// arrow and page keys move the rows the way the bar shows, and the bar follows whatever moved them.
#include "E2eJourney.h"
#include "E2eSkin.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int RowPitch = 47;   // a row and its separator line
constexpr int BarButton = 16;  // the bar's arrow buttons, square at its ends

class TQueueScrollJourney : public TJourney {
protected:
    // The rows as shown: the queue's client, inside its 2-pixel frame, without the bar.
    TRect Rows() const { return Main.Area(2, 88, 577, 124); }
    TRect UpperArrow() const { const TRect b = Main.QueueBar(); return {b.Left, b.Top, b.Right, b.Top + BarButton}; }
    TRect LowerArrow() const { const TRect b = Main.QueueBar(); return {b.Left, b.Bottom - BarButton, b.Right, b.Bottom}; }

    // Where the thumb stands in the bar's track (screen rows, Bottom excluded): the run of the track's
    // middle column that is not the track's own colour. Empty when no thumb shows.
    TRect Thumb(const TSurface& Screen) const
    {
        const TRect bar = Main.QueueBar();
        const int x = bar.Left + 8;
        int top = -1, bottom = -1;
        for (int y = bar.Top + BarButton; y < bar.Bottom - BarButton; ++y)
            if (!CloseColour(Screen.Pixel(x, y) & 0xFFFFFFu, FTrack & 0xFFFFFFu, 4)) {
                if (top < 0)
                    top = y;
                bottom = y + 1;
            }
        return top < 0 ? TRect{} : TRect{bar.Left, top, bar.Right, bottom};
    }

    // Whether Now shows what Known showed Dy pixels further down, where the two overlap by enough to
    // tell (rows that differ only in their names must not pass for each other).
    static bool Agree(const TSurface& Known, const TSurface& Now, int Dy)
    {
        const int h = Known.Height();
        const int from = std::max(0, Dy), to = std::min(h, h + Dy);
        if (to - from < 30)
            return false;
        for (int y = from; y < to; ++y)
            for (int x = 0; x < Known.Width(); ++x)
                if ((Now.Pixel(x, y) & 0xFFFFFFu) != (Known.Pixel(x, y - Dy) & 0xFFFFFFu))
                    return false;
        return true;
    }
    // Whether Rows shows the content scrolled by Position pixels, held against the pictures seen at known
    // positions.
    bool ShowsPosition(const TSurface& Rows, int Position) const
    {
        for (const auto& [known, picture] : FKnown)
            if (Agree(picture, Rows, known - Position))
                return true;
        return false;
    }
    // The position Rows shows, for the report; nothing when it matches no known picture.
    std::optional<int> PositionOf(const TSurface& Rows) const
    {
        for (const auto& [known, picture] : FKnown)
            for (int dy = -Rows.Height(); dy <= Rows.Height(); ++dy)
                if (Agree(picture, Rows, dy))
                    return known - dy;
        return std::nullopt;
    }
    // Where the thumb's top stands at Position, the bar's range being End.
    int ThumbTopAt(int Position, int Length) const
    {
        const int trackTop = Main.QueueBar().Top + BarButton;
        const int travel = Main.QueueBar().Height() - 2 * BarButton - Length;
        return trackTop + static_cast<int>(std::lround(static_cast<double>(travel) * Position / FEnd));
    }

    // Does Act, then waits until the rows show the content scrolled by Expected pixels and the thumb
    // stands where that position puts it. Says what was seen otherwise.
    ::testing::AssertionResult Moves(const std::string& What, const std::function<void()>& Act, int Expected)
    {
        Act();
        TSurface rows;
        TRect thumb;
        const bool arrived = WaitUntil(
            [&] {
                if (!D().WaitForStill(Main.Queue(), 5s))
                    return false;
                const TSurface screen = D().Grab(D().ScreenRect());
                rows = Crop(screen, Rows());
                thumb = Thumb(screen);
                return ShowsPosition(rows, Expected) && !thumb.IsEmpty() && std::abs(thumb.Top - ThumbTopAt(Expected, thumb.Height())) <= 2;
            },
            10s);
        Picture(What);
        if (!arrived) {
            const std::optional<int> seen = PositionOf(rows);
            return ::testing::AssertionFailure() << What << ": the rows show position "
                                                 << (seen ? std::to_string(*seen) : std::string("(unknown)")) << " instead of " << Expected
                                                 << ", the thumb's top is at " << thumb.Top - Main.QueueBar().Top << " instead of "
                                                 << ThumbTopAt(Expected, thumb.Height()) - Main.QueueBar().Top;
        }
        FKnown.emplace_back(Expected, rows);
        return ::testing::AssertionSuccess();
    }

    // Places Count clips of different lengths (so no two rows look alike), adds their folder and
    // waits until every row is in the queue: the thumb is then as short as Count rows make it.
    void QueueOf(int Count)
    {
        TSkinPictures skin;
        ASSERT_TRUE(skin.Loaded());
        FTrack = skin.ControlColour("vscrollbar");
        for (int i = 0; i < Count; ++i)
            PlaceClip(TestClip(2 + i, true), ClipFolder, std::string(1, static_cast<char>('a' + i)) + " clip.avi");
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        ASSERT_NO_FATAL_FAILURE(AddFolderWithMouse(2));
        const int track = Main.QueueBar().Height() - 2 * BarButton;
        const int thumb = track * Rows().Height() / (Count * RowPitch);
        ASSERT_TRUE(WaitUntil([&] {
            const TRect t = Thumb(D().Grab(D().ScreenRect()));
            return !t.IsEmpty() && std::abs(t.Height() - thumb) <= 3;
        }, 120s)) << "the queue did not take " << Count << " rows";
        ASSERT_TRUE(D().WaitForStill(Main.Queue(), 60s));
        // The pointer rests on a thumbnail, which does not light up.
        D().MoveTo(Middle(Main.RowThumbnail(0)).X, Middle(Main.RowThumbnail(0)).Y);
        ASSERT_TRUE(D().WaitForStill(Main.Queue()));
        Picture("queue");
        FEnd = Count * RowPitch - Rows().Height();
        FKnown.emplace_back(0, D().Grab(Rows()));
    }
    void WheelNotch(bool Up) const { D().Wheel(Middle(Main.RowThumbnail(0)).X, Middle(Main.RowThumbnail(0)).Y, Up); }
    // A notch with the pointer on the bar's lower arrow: lit there, it leaves the track's picture (and
    // the thumb's place in it) alone.
    void WheelNotchOverTheBar(bool Up) const { D().Wheel(Middle(LowerArrow()).X, Middle(LowerArrow()).Y, Up); }

    TPixel FTrack = 0;
    int FEnd = 0;   // the furthest the rows scroll
    std::vector<std::pair<int, TSurface>> FKnown;   // pictures of the rows at positions made sure of
};

TEST_P(TQueueScrollJourney, ArrowsTrackThumbWheelAndKeys_MoveTheRowsTheWayTheBarShows)
{
    // Six rows of 47 pixels in 124: the rows scroll by up to 158 pixels, a page is 124.
    ASSERT_NO_FATAL_FAILURE(QueueOf(6));
    const int page = Rows().Height();

    EXPECT_TRUE(Moves("lower-arrow", [&] { Click(LowerArrow()); }, RowPitch));
    EXPECT_TRUE(Moves("upper-arrow", [&] { Click(UpperArrow()); }, 0));
    EXPECT_TRUE(Moves("upper-arrow-at-top", [&] { Click(UpperArrow()); }, 0));

    // A click in the track below the thumb shows the next page, one above it the page before.
    const int x = Middle(Main.QueueBar()).X;
    const TRect thumb = Thumb(D().Grab(D().ScreenRect()));
    ASSERT_FALSE(thumb.IsEmpty());
    EXPECT_TRUE(Moves("track-below-thumb", [&] { Click(TPoint{x, (thumb.Bottom + LowerArrow().Top) / 2}); }, page));
    const TRect paged = Thumb(D().Grab(D().ScreenRect()));
    EXPECT_TRUE(Moves("track-above-thumb", [&] { Click(TPoint{x, (UpperArrow().Bottom + paged.Top) / 2}); }, 0));

    // The thumb dragged past the bottom of the track shows the last rows.
    EXPECT_TRUE(Moves("thumb-dragged", [&] {
        const TPoint grip = Middle(Thumb(D().Grab(D().ScreenRect())));
        D().Drag(grip.X, grip.Y, grip.X, LowerArrow().Bottom + 40);
    }, FEnd));

    // The wheel and the keys move the rows a row at a time, and the thumb with them.
    EXPECT_TRUE(Moves("wheel-up", [&] { WheelNotch(true); }, FEnd - RowPitch));
    EXPECT_TRUE(Moves("wheel-down", [&] { WheelNotch(false); }, FEnd));
    // A click on a row's length gives the queue the keyboard.
    Click(Main.RowLength(1));
    EXPECT_TRUE(Moves("key-up", [&] { D().Key("Up"); }, FEnd - RowPitch));
    EXPECT_TRUE(Moves("key-home", [&] { D().Key("Home"); }, 0));
    EXPECT_TRUE(Moves("key-page-down", [&] { D().Key("Next"); }, page));
    EXPECT_TRUE(Program().Running());
}

TEST_P(TQueueScrollJourney, ShortQueue_OneWheelNotchMovesOneRowAtMostEachWay)
{
    // Three rows of 47 pixels in 124: the rows scroll by 17 pixels at most.
    ASSERT_NO_FATAL_FAILURE(QueueOf(3));
    EXPECT_TRUE(Moves("wheel-down", [&] { WheelNotch(false); }, FEnd));
    EXPECT_TRUE(Moves("wheel-down-at-end", [&] { WheelNotch(false); }, FEnd));
    EXPECT_TRUE(Moves("wheel-up", [&] { WheelNotch(true); }, 0));
    EXPECT_TRUE(Moves("wheel-up-at-top", [&] { WheelNotch(true); }, 0));
    EXPECT_TRUE(Moves("wheel-down-again", [&] { WheelNotch(false); }, FEnd));
}

TEST_P(TQueueScrollJourney, WheelOverTheQueueWithTheDeviceBoxFocused_ScrollsTheQueueAndLeavesTheDevice)
{
    ASSERT_NO_FATAL_FAILURE(QueueOf(6));
    // A device chosen with the mouse: the device box has the keyboard now.
    ASSERT_TRUE(ChooseFromCombo(Main.Device(), 5));
    ASSERT_TRUE(D().WaitForStill(Main.Whole()));
    const TSurface device = D().Grab(Main.Device());
    FKnown = {{0, D().Grab(Rows())}};
    EXPECT_TRUE(Moves("wheel-down", [&] { WheelNotch(false); }, RowPitch));
    EXPECT_TRUE(Moves("wheel-up", [&] { WheelNotch(true); }, 0));
    // Over the queue's scroll bar, which never takes the keyboard, the wheel scrolls the queue too.
    EXPECT_TRUE(Moves("wheel-down-over-the-bar", [&] { WheelNotchOverTheBar(false); }, RowPitch));
    EXPECT_TRUE(Moves("wheel-down-over-the-bar-again", [&] { WheelNotchOverTheBar(false); }, 2 * RowPitch));
    EXPECT_TRUE(Moves("wheel-up-over-the-bar", [&] { WheelNotchOverTheBar(true); }, RowPitch));
    EXPECT_EQ(DifferentPixels(D().Grab(Main.Device()), device), 0) << "the device changed";
}

E2E_JOURNEY(TQueueScrollJourney);

} // namespace
