#include "skin/controls/TskSkinScrollBar.h"

#include "SkinControlsTestSupport.h"
#include "platform/win/Input.h"

using namespace skintest;

namespace {

struct ScrollBarInput : SkinFormTest {
    TskSkinScrollBar* Bar = nullptr;
    int Changes = 0;

    // A plain (unskinned) bar at (10, 10), 200 wide.
    void MakeBar(TScrollBarKind kind)
    {
        Bar = Make<TskSkinScrollBar>(Form, kind == sbHorizontal ? Rect(10, 10, 210, 29) : Rect(10, 10, 29, 210), false);
        Bar->SetKind(kind);
        Bar->OnChange = [this](TObject*) { ++Changes; };
        ShowForm();
    }
    // Client point of the bar to form (= screen) point.
    TPoint Screen(int x, int y) { return Point(10 + x, 10 + y); }
};

} // namespace

// --- clamping and the numeric examples -----------------------------------------------------------------

TEST(ScrollBarPosition, PositionBeyondThePageLimitStoresTheTopLimit)
{
    TskSkinScrollBar b(nullptr);
    b.SetRange(0, 99, 10, 0);
    b.SetPosition(200);
    EXPECT_EQ(b.Position(), 90);
}

TEST(ScrollBarPosition, SetRangeWithAPageAsLargeAsTheRange_StoresMin)
{
    TskSkinScrollBar b(nullptr);
    b.SetRange(0, 9, 10, 5);
    EXPECT_EQ(b.Position(), 0);
}

TEST(ScrollBarPosition, PageLargerThanTheRange_PositionNeverFallsBelowMin)
{
    TskSkinScrollBar b(nullptr);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetRange(0, 9, 20, 0);
    b.SetPosition(5);
    EXPECT_EQ(b.Position(), 0);
    EXPECT_EQ(changes, 0);
    b.SetPositionQuiet(7);
    EXPECT_EQ(b.Position(), 0);
    b.SetRange(3, 9, 20, 8);
    EXPECT_EQ(b.Position(), 3);
}

TEST(ScrollBarPosition, PageSizeThatWouldNotFitIsIgnored)
{
    TskSkinScrollBar b(nullptr);
    b.SetPosition(60);
    b.SetPageSize(50);
    EXPECT_EQ(b.PageSize(), 0);
    b.SetPageSize(41);
    EXPECT_EQ(b.PageSize(), 41);
}

TEST(ScrollBarPosition, SetMaxWithPageMeasuresFromTheSpanAboveMin)
{
    TskSkinScrollBar b(nullptr);
    b.SetRange(10, 200, 10, 85);
    b.SetMax(100);
    EXPECT_EQ(b.Position(), 81);
    b.SetMax(50);
    EXPECT_EQ(b.Position(), 31);
    b.SetMax(12);
    EXPECT_EQ(b.Position(), 10);
}

TEST(ScrollBarPosition, SetMaxWithoutPagePullsThePositionDown)
{
    TskSkinScrollBar b(nullptr);
    b.SetPosition(80);
    b.SetMax(50);
    EXPECT_EQ(b.Position(), 50);
}

TEST(ScrollBarEvents, OnChangeFiresOnlyFromSetPosition)
{
    TskSkinScrollBar b(nullptr);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetPositionQuiet(10);
    b.SetRange(0, 50, 0, 20);
    b.SetMin(30);
    b.SetMax(40);
    EXPECT_EQ(changes, 0);
    b.SetPosition(35);
    EXPECT_EQ(changes, 1);
    b.SetPosition(35);
    EXPECT_EQ(changes, 1);
}

// --- the default layout ----------------------------------------------------------------------------------

TEST(ScrollBarLayout, DefaultHorizontalThumbFollowsThePosition)
{
    TskSkinScrollBar b(nullptr);
    b.SetBounds(0, 0, 200, 19);
    EXPECT_EQ(b.PartRect(TskSkinScrollBar::DownButtonPart), Rect(1, 1, 17, 18));
    EXPECT_EQ(b.PartRect(TskSkinScrollBar::UpButtonPart), Rect(183, 1, 199, 18));
    EXPECT_EQ(b.PartRect(TskSkinScrollBar::ThumbPart), Rect(17, 1, 33, 18));
    b.SetPosition(100);
    EXPECT_EQ(b.PartRect(TskSkinScrollBar::ThumbPart), Rect(167, 1, 183, 18));
    b.SetPosition(50); // travel 25 .. 175: centre 100
    EXPECT_EQ(b.PartRect(TskSkinScrollBar::ThumbPart), Rect(92, 1, 108, 18));
}

TEST(ScrollBarLayout, PageSizeSizesTheThumb)
{
    TskSkinScrollBar b(nullptr);
    b.SetBounds(0, 0, 200, 19);
    b.SetRange(0, 99, 50, 0); // track 166 long, half of it for the page
    EXPECT_EQ(b.PartRect(TskSkinScrollBar::ThumbPart).Width(), 82);
}

TEST(ScrollBarLayout, BothNarrowsTheDefaultLayoutByTheMarkerWidth)
{
    TskSkinScrollBar b(nullptr);
    b.SetBounds(0, 0, 200, 19);
    b.SetBothMarkerWidth(19);
    b.SetBoth(true);
    EXPECT_EQ(b.PartRect(TskSkinScrollBar::UpButtonPart), Rect(164, 1, 180, 18));
    EXPECT_EQ(b.SkinDataName(), "bothhscrollbar");
    b.SetBoth(false);
    EXPECT_EQ(b.SkinDataName(), "hscrollbar");
}

// --- input ---------------------------------------------------------------------------------------------

TEST_F(ScrollBarInput, UpButtonStepsAtOnceWaitsThenRepeatsEvery50ms)
{
    MakeBar(sbHorizontal);
    Driver.MoveTo(Screen(190, 9));
    Driver.ButtonDown();
    EXPECT_EQ(Bar->Position(), 1);
    Driver.AdvanceClock(500);
    EXPECT_EQ(Bar->Position(), 1);
    Driver.AdvanceClock(50);
    EXPECT_EQ(Bar->Position(), 2);
    Driver.AdvanceClock(100);
    EXPECT_EQ(Bar->Position(), 4);
    // Off the button the repeat pauses; back on it, it resumes at 50 ms.
    Driver.MoveTo(Screen(120, 9));
    Driver.AdvanceClock(300);
    EXPECT_EQ(Bar->Position(), 4);
    Driver.MoveTo(Screen(190, 9));
    Driver.AdvanceClock(50);
    EXPECT_EQ(Bar->Position(), 5);
    Driver.ButtonUp();
    Driver.AdvanceClock(500);
    EXPECT_EQ(Bar->Position(), 5);
    EXPECT_EQ(Changes, 5);
}

TEST_F(ScrollBarInput, TopButtonOfAVerticalBarDecreasesThePosition)
{
    MakeBar(sbVertical);
    Bar->SetPosition(50);
    Driver.Click(Screen(9, 8));
    EXPECT_EQ(Bar->Position(), 49);
    Driver.Click(Screen(9, 192));
    EXPECT_EQ(Bar->Position(), 50);
}

TEST_F(ScrollBarInput, AssignedUpButtonClickReplacesTheStep)
{
    MakeBar(sbHorizontal);
    int clicks = 0;
    Bar->OnUpButtonClick = [&](TObject*) { ++clicks; };
    Driver.MoveTo(Screen(190, 9));
    Driver.ButtonDown();
    Driver.AdvanceClock(600);
    Driver.ButtonUp();
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(clicks, 3);
}

TEST_F(ScrollBarInput, PagingStopsOnceTheThumbHasPassedThePointer)
{
    MakeBar(sbHorizontal);
    Bar->SetLargeChange(10);
    int pages = 0;
    Bar->OnPageDown = [&](TObject*) { ++pages; };
    Driver.MoveTo(Screen(60, 9));
    Driver.ButtonDown();
    EXPECT_EQ(Bar->Position(), 10);
    Driver.AdvanceClock(2000);
    const int stopped = Bar->Position();
    // The thumb for 20 spans 47 .. 63: it has passed x = 60 and no further step comes.
    EXPECT_EQ(stopped, 20);
    EXPECT_EQ(pages, 2);
    Driver.ButtonUp();
}

TEST_F(ScrollBarInput, DraggingPastTheEndsGivesExactlyMinOrTheTopLimit_LastChangeOnceAtRelease)
{
    MakeBar(sbHorizontal);
    Bar->SetRange(0, 99, 10, 0);
    int last = 0;
    Bar->OnLastChange = [&](TObject*) { ++last; };
    const TRect t = Bar->PartRect(TskSkinScrollBar::ThumbPart);
    const int cx = (t.Left + t.Right) / 2;
    Driver.Drag(Screen(cx, 9), Screen(400, 9));
    EXPECT_EQ(Bar->Position(), 90);
    EXPECT_EQ(last, 1);
    const TRect t2 = Bar->PartRect(TskSkinScrollBar::ThumbPart);
    Driver.Drag(Screen((t2.Left + t2.Right) / 2, 9), Screen(-5, 9));
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(last, 2);
    const TRect t3 = Bar->PartRect(TskSkinScrollBar::ThumbPart);
    Driver.Click(Screen((t3.Left + t3.Right) / 2, 9));
    EXPECT_EQ(last, 3);
}

TEST_F(ScrollBarInput, WheelStepsAFocusedBarTowardsTheUserForward)
{
    MakeBar(sbHorizontal);
    Bar->SetCanFocused(true);
    Driver.FocusIn(Form->Handle());
    Bar->SetFocus();
    Driver.ProcessMessages();
    Bar->SetPosition(10);
    // The wheel goes to what lies under the pointer.
    Driver.MoveTo(Bar->ClientToScreen({Bar->Width() / 2, Bar->Height() / 2}));
    Driver.Wheel(-120);
    EXPECT_EQ(Bar->Position(), 11);
    Driver.Wheel(120);
    Driver.Wheel(120);
    EXPECT_EQ(Bar->Position(), 9);
}

// --- the default look ------------------------------------------------------------------------------------

TEST_F(ScrollBarInput, DefaultLookShowsButtonsThumbAndTheBothCorner)
{
    MakeBar(sbHorizontal);
    Bar->SetBothMarkerWidth(19);
    Bar->SetBoth(true);
    Bar->SetPosition(0);
    Driver.ProcessMessages();
    Save("scrollbar-default");
    EXPECT_EQ(At(10 + 200 - 5, 19), Px(clBtnFace)); // the Both corner
    EXPECT_EQ(At(10 + 1, 19), Px(clBtnShadow));       // down button frame
    EXPECT_EQ(At(10 + 25, 12), Px(clBtnFace));         // thumb face
    EXPECT_EQ(At(10 + 17, 19), Px(clBtnShadow));       // thumb frame
}

TEST_F(ScrollBarInput, DisabledBarPaintsNoThumb)
{
    MakeBar(sbHorizontal);
    Bar->SetPosition(50);
    Driver.ProcessMessages();
    const TRect t = Bar->PartRect(TskSkinScrollBar::ThumbPart);
    EXPECT_EQ(At(10 + t.Left, 19), Px(clBtnShadow));
    Bar->SetEnabled(false);
    Driver.ProcessMessages();
    EXPECT_EQ(At(10 + t.Left, 19), Px(clBtnFace));
}

// --- the skin look ---------------------------------------------------------------------------------------

namespace {

constexpr TColor cTrack = 0x00808080;   // grey track
constexpr TColor cLeftBtn = 0x000000FF; // red: the button at the left end, at rest
constexpr TColor cRightBtn = 0x0000FF00; // green: the button at the right end, at rest
constexpr TColor cHot = 0x00FFFF00;     // cyan
constexpr TColor cPressed = 0x00800080; // purple
constexpr TColor cThumb = 0x000080FF;   // orange

// A skin with one horizontal bar entry, 100 x 19, stretched in its middle.
TTestSkinBuilder ScrollBarTestSkin()
{
    TTestSkinBuilder skin("Bar Test");
    skin.Picture("bar.bmp", 200, 40, clWhite,
            {{Rect(0, 0, 100, 19), cTrack}, {Rect(0, 0, 17, 19), cLeftBtn}, {Rect(83, 0, 100, 19), cRightBtn},
                {Rect(100, 0, 117, 19), cHot}, {Rect(117, 0, 134, 19), cPressed}, {Rect(100, 20, 117, 39), cHot},
                {Rect(140, 0, 156, 19), cThumb}})
        .Control("hscrollbar", "scrollbar",
            "pictureindex=0\nskinrect=0,0,100,19\nlefttoppoint=17,0\n"
            "righttoppoint=82,0\ntrackarea=17,0,83,19\ndownbuttonrect=0,0,17,19\n"
            "upbuttonrect=83,0,100,19\nactiveupbuttonrect=100,0,117,19\n"
            "downupbuttonrect=117,0,134,19\nactivedownbuttonrect=100,20,117,39\n"
            "thumbrect=140,0,156,19\n");
    return skin;
}

struct TScrollBarSkin : skintest::TLoadedTestSkin {
    TScrollBarSkin() : TLoadedTestSkin(ScrollBarTestSkin()) {}
};

} // namespace

TEST_F(ScrollBarInput, SkinLookStretchesTheTrackAndShowsTheButtonStates)
{
    TScrollBarSkin skin;
    Bar = Make<TskSkinScrollBar>(Form, Rect(10, 10, 210, 29), false);
    Bar->SetSkinData(skin.Skin.get());
    ShowForm();
    EXPECT_EQ(Bar->PartRect(TskSkinScrollBar::UpButtonPart), Rect(183, 0, 200, 19));
    EXPECT_EQ(Bar->PartRect(TskSkinScrollBar::ThumbPart), Rect(17, 0, 33, 19));
    EXPECT_EQ(At(10 + 5, 19), Px(cLeftBtn));
    EXPECT_EQ(At(10 + 190, 19), Px(cRightBtn));
    EXPECT_EQ(At(10 + 25, 19), Px(cThumb));
    EXPECT_EQ(At(10 + 120, 19), Px(cTrack));
    Driver.MoveTo(Screen(190, 9));
    EXPECT_EQ(At(10 + 190, 19), Px(cHot));
    Driver.ButtonDown();
    EXPECT_EQ(At(10 + 190, 19), Px(cPressed));
    EXPECT_EQ(Bar->Position(), 1);
    Save("scrollbar-skin");
    Driver.ButtonUp();
    Driver.MoveTo(Screen(5, 9));
    Driver.ButtonDown();
    Driver.ButtonUp();
    EXPECT_EQ(Bar->Position(), 0); // the left end steps back
    Bar->SetEnabled(false);
    Driver.ProcessMessages();
    EXPECT_EQ(At(10 + 25, 19), Px(cTrack));
}
