#include "skin/form/SkinValueObjects.h"

#include <gtest/gtest.h>

#include "skin/data/SkinEntryWords.h"
#include "skin/data/TskDataSkinObject.h"
#include "tests/skin/form/SkinObjectsTestSupport.h"

using namespace objtest;

namespace {

struct SkinValueObjectsTest : SkinObjectsTest {
    std::vector<int> Values;
    std::vector<TSwitchState> States;

    void SetUp() override
    {
        SkinObjectsTest::SetUp();
        Frame->OnTrackBarChangeValueEvent = [this](const std::string&, int v) { Values.push_back(v); };
        Frame->OnFrameRegulatorChangeValueEvent = [this](const std::string&, int v) { Values.push_back(v); };
        Frame->OnSwitchChangeStateEvent = [this](const std::string&, TSwitchState s) { States.push_back(s); };
    }
    // The regulator of the skin with a strip of 11 frames, 20 pixels each, and values 0 to 100.
    TskSkinFrameRegulatorObject* Regulator11()
    {
        auto* r = Obj<TskSkinFrameRegulatorObject>("reg");
        r->CountFrames = 11;
        r->FrameWidth = 20;
        r->ObjectRect = TRect{0, 0, 40, 40};
        return r;
    }
};

} // namespace

// ---- Track bar: value and thumb position ----


TEST_F(SkinValueObjectsTest, TrackBar_PressBesideThumb_JumpsToThePointsValue)
{
    auto* t = Obj<TskSkinTrackBarObject>("track");
    t->MouseDown(X(t, 60), Y(t, 5), mbLeft);
    EXPECT_EQ(t->Value, 50);
    EXPECT_EQ(t->ButtonPos, (TPoint{60, 5}));
    EXPECT_EQ(Values, (std::vector<int>{50}));
    EXPECT_EQ(Events, (std::vector<std::string>{"down track"}));
}

TEST_F(SkinValueObjectsTest, TrackBar_PressPastTheEnd_ClampsToMaximum)
{
    auto* t = Obj<TskSkinTrackBarObject>("track");
    t->MouseDown(X(t, 118), Y(t, 5), mbLeft);
    EXPECT_EQ(t->Value, 100);
    EXPECT_EQ(t->ButtonPos.X, 110);
}

TEST_F(SkinValueObjectsTest, TrackBar_PositionAndValue_RoundTrip)
{
    auto* t = Obj<TskSkinTrackBarObject>("track");
    for (int v : {0, 13, 50, 77, 100}) EXPECT_EQ(t->ValueFromPosition(t->PositionFromValue(v)), v) << v;
    // Halves round to even.
    t->MaxValue = 50;
    EXPECT_EQ(t->ValueFromPosition(TPoint{13, 5}), 2);  // 1.5
    EXPECT_EQ(t->ValueFromPosition(TPoint{15, 5}), 2);  // 2.5
}

TEST_F(SkinValueObjectsTest, TrackBar_DraggingTheThumb_FollowsThePointerAndStopsAtTheEnd)
{
    auto* t = Obj<TskSkinTrackBarObject>("track");
    t->MouseDown(X(t, 60), Y(t, 5), mbLeft); // jump to 50
    Values.clear();
    t->MouseDown(X(t, 60), Y(t, 5), mbLeft); // now on the thumb: drag starts
    EXPECT_TRUE(t->ButtonDown);
    t->MouseMove(X(t, 80), Y(t, 5));
    EXPECT_EQ(t->Value, 70);
    t->MouseMove(X(t, 105), Y(t, 5));
    t->MouseMove(X(t, 112), Y(t, 5)); // past the end: the thumb stays
    EXPECT_EQ(t->ButtonPos.X, 105);
    EXPECT_EQ(t->Value, 95);
    t->MouseMove(X(t, 100), Y(t, 5)); // back: the thumb follows the movement
    EXPECT_EQ(t->ButtonPos.X, 93);
    t->MouseUp(X(t, 100), Y(t, 5), mbLeft);
    EXPECT_FALSE(t->ButtonDown);
    EXPECT_EQ(Values, (std::vector<int>{70, 95, 83}));
}


TEST_F(SkinValueObjectsTest, TrackBar_Vertical_HasItsMinimumAtTheBottom)
{
    auto* t = Obj<TskSkinTrackBarObject>("vtrack");
    EXPECT_TRUE(t->Vertical);
    EXPECT_EQ(t->ButtonPos, (TPoint{5, 55}));
    EXPECT_EQ(t->ValueFromPosition(TPoint{5, 5}), 50);
    EXPECT_EQ(t->ValueFromPosition(TPoint{5, 30}), 25);
    EXPECT_EQ(t->PositionFromValue(50), (TPoint{5, 5}));
}

TEST_F(SkinValueObjectsTest, TrackBar_EqualSlopes_IsVertical)
{
    TskDataSkinTrackBar data("diag");
    data.BeginPoint = TPoint{0, 20};
    data.EndPoint = TPoint{20, 0};
    TskSkinTrackBarObject t(Frame, &data);
    EXPECT_TRUE(t.Vertical);
}

TEST_F(SkinValueObjectsTest, TrackBar_EmptyRangeOrSinglePoint_NeverDividesByZero)
{
    TskDataSkinTrackBar data("flat");
    data.BeginPoint = TPoint{5, 5};
    data.EndPoint = TPoint{5, 5};
    data.MinValue = 3;
    data.MaxValue = 3;
    TskSkinTrackBarObject t(Frame, &data);
    EXPECT_EQ(t.PositionFromValue(3), (TPoint{5, 5}));
    EXPECT_EQ(t.ValueFromPosition(TPoint{9, 9}), 3);
}

// ---- Track bar: picture ----

TEST_F(SkinValueObjectsTest, TrackBar_FillsUpToTheThumbAndDrawsIt)
{
    auto* t = Obj<TskSkinTrackBarObject>("track");
    t->MouseDown(X(t, 60), Y(t, 5), mbLeft);
    EXPECT_EQ(ColourAt(t, 30, 5), cFill);
    EXPECT_EQ(ColourAt(t, 80, 5), cNormal);
    EXPECT_EQ(ColourAt(t, 60, 5), cThumb);
    t->MouseDown(X(t, 60), Y(t, 5), mbLeft);
    EXPECT_EQ(ColourAt(t, 60, 5), cThumbDown);
}

TEST_F(SkinValueObjectsTest, TrackBar_TransparentThumb_ShowsTheTrackThroughIt)
{
    auto* t = Obj<TskSkinTrackBarObject>("track");
    t->ButtonTransparent = true;
    t->ButtonTransparentColor = cThumb;
    EXPECT_EQ(ColourAt(t, 12, 5), cNormal);
}

// ---- Switch ----

TEST_F(SkinValueObjectsTest, Switch_FirstClickTurnsItOn)
{
    auto* s = Obj<TskSkinSwitchObject>("switch");
    EXPECT_EQ(s->State, swsOff);
    EXPECT_EQ(ColourAt(s), cNormal);
    s->MouseDown(X(s, 2), Y(s, 2), mbLeft);
    EXPECT_EQ(States, (std::vector<TSwitchState>{swsOn}));
    EXPECT_EQ(Events, (std::vector<std::string>{"down switch"}));
    EXPECT_EQ(ColourAt(s), cActive);
}

TEST_F(SkinValueObjectsTest, Switch_SecondClickTurnsItOff_RightButtonDoesNothing)
{
    auto* s = Obj<TskSkinSwitchObject>("switch");
    s->MouseDown(X(s, 2), Y(s, 2), mbLeft);
    s->MouseDown(X(s, 2), Y(s, 2), mbRight);
    s->MouseDown(X(s, 2), Y(s, 2), mbLeft);
    EXPECT_EQ(States, (std::vector<TSwitchState>{swsOn, swsOff}));
    EXPECT_EQ(ColourAt(s), cNormal);
}

TEST_F(SkinValueObjectsTest, Switch_HoverDoesNotChangeItsLook)
{
    auto* s = Obj<TskSkinSwitchObject>("switch");
    s->MouseEnter();
    EXPECT_TRUE(s->Active);
    EXPECT_EQ(ColourAt(s), cNormal);
    s->MouseLeave();
    EXPECT_EQ(Events, (std::vector<std::string>{"enter switch", "leave switch"}));
}

TEST_F(SkinValueObjectsTest, Switch_ObjectReset_KeepsShowingItsState)
{
    auto* s = Obj<TskSkinSwitchObject>("switch");
    s->MouseDown(X(s, 2), Y(s, 2), mbLeft);
    Frame->ResetObjectStates();
    EXPECT_EQ(s->State, swsOn);
    EXPECT_EQ(ColourAt(s), cActive);
}

// ---- Gauge ----

TEST_F(SkinValueObjectsTest, Gauge_FillsItsShareOfTheWidth)
{
    auto* g = Obj<TskSkinGaugeObject>("gauge");
    g->Value = 30;
    EXPECT_EQ(g->ProgressPos(), 30);
    EXPECT_EQ(ColourAt(g, 29, 5), cFill);
    EXPECT_EQ(ColourAt(g, 30, 5), cNormal);
}

TEST_F(SkinValueObjectsTest, Gauge_Vertical_FillsFromTheBottom)
{
    auto* g = Obj<TskSkinGaugeObject>("gauge");
    g->Kind = gkVertical;
    g->Value = 40;
    EXPECT_EQ(g->ProgressPos(), 6);
    EXPECT_EQ(ColourAt(g, 5, 5), cNormal);
    EXPECT_EQ(ColourAt(g, 5, 7), cFill);
}

TEST_F(SkinValueObjectsTest, Gauge_AtMinimum_LeavesTheFramePictureAlone)
{
    auto* g = Obj<TskSkinGaugeObject>("gauge");
    EXPECT_EQ(ColourAt(g, 5, 5, false), clWhite);
    EXPECT_EQ(ColourAt(g, 5, 5, true), cNormal);
}

TEST_F(SkinValueObjectsTest, Gauge_ValueOutsideRange_StaysInsideTheObject)
{
    auto* g = Obj<TskSkinGaugeObject>("gauge");
    g->Value = 250;
    EXPECT_EQ(g->ProgressPos(), 100);
    g->MaxValue = g->MinValue;
    EXPECT_EQ(g->ProgressPos(), 0);
}


// ---- Frame strips ----

TEST_F(SkinValueObjectsTest, FrameGauge_ShowsTheFrameOfItsValue)
{
    auto* g = Obj<TskSkinFrameGaugeObject>("fgauge");
    EXPECT_EQ(g->FrameWidth, 20);
    EXPECT_EQ(ColourAt(g), cF1);
    g->Value = 50; // step 25: frame 3
    EXPECT_EQ(ColourAt(g), cF3);
    g->Value = 100;
    EXPECT_EQ(ColourAt(g), cDown);
    g->Value = 1000; // past the range: the last frame, never a cell beyond the strip
    EXPECT_EQ(ColourAt(g), cDown);
}

TEST_F(SkinValueObjectsTest, FrameGauge_MinimumAboveZero_ShowsDistanceOfZeroFromMinimum)
{
    auto* g = Obj<TskSkinFrameGaugeObject>("fgauge");
    g->MinValue = 25;
    g->MaxValue = 125;
    EXPECT_EQ(g->FrameFromValue(g->Value, g->MinValue, g->MaxValue), 2);
}


// ---- Regulator ----

TEST_F(SkinValueObjectsTest, Regulator_Horizontal_ChangesByTenForEveryTwoPixels)
{
    auto* r = Regulator11();
    r->MouseDown(10, 10, mbLeft);
    for (int x = 11; x <= 16; ++x) r->MouseMove(x, 10);
    EXPECT_EQ(r->Value, 30);
    EXPECT_EQ(Values, (std::vector<int>{10, 20, 30}));
    for (int x = 15; x >= 12; --x) r->MouseMove(x, 10);
    EXPECT_EQ(r->Value, 10);
    r->MouseUp(12, 10, mbLeft);
    r->MouseMove(30, 10);
    EXPECT_EQ(r->Value, 10);
}

TEST_F(SkinValueObjectsTest, Regulator_NeverLeavesItsRange)
{
    auto* r = Regulator11();
    r->MouseDown(20, 10, mbLeft);
    for (int x = 19; x >= 0; --x) r->MouseMove(x, 10);
    EXPECT_EQ(r->Value, 0);
    EXPECT_TRUE(Values.empty());
}


TEST_F(SkinValueObjectsTest, Regulator_FewerThanTwoFrames_DraggingChangesNothing)
{
    auto* r = Regulator11();
    r->CountFrames = 1;
    r->MouseDown(0, 10, mbLeft);
    for (int x = 1; x < 40; ++x) r->MouseMove(x, 10);
    EXPECT_EQ(r->Value, 0);
}

TEST_F(SkinValueObjectsTest, Regulator_Angle_RunsRoundTheDial)
{
    auto* r = Regulator11();
    EXPECT_EQ(r->Angle(20, 40), 0);   // below the centre
    EXPECT_EQ(r->Angle(0, 20), 90);   // left
    EXPECT_EQ(r->Angle(20, 0), 180);  // above
    EXPECT_EQ(r->Angle(40, 20), 270); // right
    EXPECT_EQ(r->Angle(20, 20), 270); // the centre has no direction of its own
    EXPECT_EQ(r->Angle(-50, 500), r->Angle(0, 40)); // clamped into the object
}

TEST_F(SkinValueObjectsTest, Regulator_Round_CrossingZeroKeepsCountingTheSameWay)
{
    auto* r = Regulator11();
    r->Kind = rkRound;
    r->MaxValue = 1000;
    // Clockwise on screen from the left through the top towards the right: the angle grows.
    r->MouseDown(0, 20, mbLeft); // 90
    r->MouseMove(20, 0);         // 180: two steps of 36 degrees are passed, one step is taken
    const int afterTop = r->Value;
    EXPECT_GT(afterTop, 0);
    // Round the bottom-right: 270, then from just below 360 across to just above 0.
    r->MouseMove(40, 20);
    r->MouseMove(21, 40); // about 357
    const int beforeCross = r->Value;
    r->MouseMove(19, 40); // about 3: crossed the line
    EXPECT_GT(r->Value, beforeCross);
}

// ---- User object ----

TEST_F(SkinValueObjectsTest, UserObject_IsPaintedByTheApplication)
{
    auto* u = Obj<TskUserObject>("user");
    std::string painted;
    Frame->OnPaintEvent = [&](const std::string& id, TCanvas* c, const TRect& r) {
        painted = id;
        c->Brush()->SetColor(cF2);
        c->FillRect(r);
    };
    EXPECT_EQ(ColourAt(u, 1, 1), cF2);
    EXPECT_EQ(painted, "user");
}
