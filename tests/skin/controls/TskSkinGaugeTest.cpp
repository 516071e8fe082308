#include "skin/controls/TskSkinGauge.h"

#include "ExtraSkinTestSupport.h"
#include "platform/win/MessageQueue.h"
#include "skin/data/TskResourceStrData.h"

using namespace skintest;

namespace {
using GaugeLook = SkinFormTest;
using GaugeAnimation = ExtraSkinFormTest;
using GaugeUpright = ExtraSkinFormTest;
} // namespace

TEST(GaugeValues, ValueIsHeldBetweenTheLimitsAndTheSameValueDoesNotChangeIt)
{
    TskSkinGauge g(nullptr);
    g.SetValue(150);
    EXPECT_EQ(g.Value(), 100);
    g.SetValue(-5);
    EXPECT_EQ(g.Value(), 0);
    g.SetMinValue(10);
    EXPECT_EQ(g.Value(), 10);
}

TEST(GaugeValues, MaxBelowTheValue_PullsTheValueDownEvenBelowTheMinimum)
{
    TskSkinGauge g(nullptr);
    g.SetMinValue(20);
    g.SetValue(50);
    g.SetMaxValue(5);
    EXPECT_EQ(g.Value(), 5);
}

TEST(GaugePercent, TruncatedAndFollowedByThePercentSign)
{
    TskSkinGauge g(nullptr);
    g.SetMaxValue(10000);
    g.SetValue(4999);
    g.SetShowPercent(true);
    EXPECT_EQ(g.GaugeText(), "49%");
    g.SetProgressText("Pass 1 ");
    EXPECT_EQ(g.GaugeText(), "49%");
    g.SetShowProgressText(true);
    EXPECT_EQ(g.GaugeText(), "Pass 1 49%");
}

TEST(GaugePercent, EqualLimits_EmptyBarAndZeroPercent)
{
    TskSkinGauge g(nullptr);
    g.SetMaxValue(0);
    EXPECT_EQ(g.Percent(), 0);
    EXPECT_TRUE(g.ProgressRect(Rect(0, 0, 100, 10)).IsEmpty());
}

TEST(GaugePercent, MaximumBelowMinimum_StaysWithinZeroAndHundred)
{
    TskSkinGauge g(nullptr);
    g.SetMinValue(50);
    g.SetMaxValue(10); // the value follows to 10, below the minimum
    EXPECT_GE(g.Percent(), 0);
    EXPECT_LE(g.Percent(), 100);
    const TRect pr = g.ProgressRect(Rect(0, 0, 100, 10));
    EXPECT_GE(pr.Right, 0);
    EXPECT_LE(pr.Right, 100);
}

TEST(GaugePercent, VerticalFillsFromTheBottom)
{
    TskSkinGauge g(nullptr);
    g.SetVertical(true);
    g.SetValue(25);
    EXPECT_EQ(g.ProgressRect(Rect(0, 0, 10, 100)), Rect(0, 75, 10, 100));
}

TEST_F(GaugeLook, WithoutSkin_FramedWindowWithTheFilledPart)
{
    auto* g = Make<TskSkinGauge>(Form, Rect(10, 10, 110, 30), false);
    g->SetValue(50);
    ShowForm();
    Save("Gauge_Default");
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(20, 20), Px(static_cast<TColor>(13811126)));
    EXPECT_EQ(At(90, 20), Px(clWindow));
}

TEST_F(GaugeLook, Skinned_HeightFromTheSkinAndTheProgressPieceTiledOverTheDonePart)
{
    auto* g = Make<TskSkinGauge>(Form, Rect(10, 10, 410, 30));
    g->SetValue(50);
    ShowForm();
    Save("Gauge_Skinned");
    EXPECT_EQ(g->Height(), 10);
    EXPECT_EQ(At(11, 11), Px(cGaugeFrame));
    EXPECT_EQ(At(20, 15), Px(cProgress));
    EXPECT_EQ(At(200, 15), Px(cProgress));
    EXPECT_EQ(At(300, 15), Px(cGaugeFrame)); // beyond 50 %: the track shows
}

// The text takes the character set of the skin's UI strings when the skin has them, else the default
// font's; with or without an entry. Text stays UTF-8 whatever the set says.
TEST_F(GaugeLook, ProgressText_TakesTheCharsetOfTheSkinsStrings)
{
    TskResourceStrData strings(nullptr);
    strings.SetCharSet(RUSSIAN_CHARSET);
    struct TCase {
        const char* Entry; // "" for a gauge without SkinData
        bool Strings;
        int Charset;
    };
    for (const TCase& c : {TCase{"gauge", true, RUSSIAN_CHARSET}, TCase{"nogauge", true, RUSSIAN_CHARSET},
             TCase{"gauge", false, EASTEUROPE_CHARSET}, TCase{"", false, EASTEUROPE_CHARSET}}) {
        SCOPED_TRACE(testing::Message() << "entry \"" << c.Entry << "\", strings " << c.Strings);
        Skin()->SetResourceStrData(c.Strings ? &strings : nullptr);
        auto* g = Make<TskSkinGauge>(Form, Rect(10, 10, 110, 30), false);
        if (*c.Entry != 0) {
            g->SetSkinDataName(c.Entry);
            g->SetSkinData(Skin());
        }
        g->DefaultFont()->SetCharset(EASTEUROPE_CHARSET);
        g->DefaultFont()->SetColor(clBlack);
        g->SetShowPercent(true);
        TBitmap b(g->Width(), g->Height());
        Fill(b, Rect(0, 0, b.Width(), b.Height()), clWhite);
        g->DrawProgressText(b.Canvas());
        EXPECT_EQ(b.Canvas()->Font()->Charset(), c.Charset);
        int written = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) written += b.Canvas()->Pixels(x, y) != clWhite;
        EXPECT_GT(written, 5) << "\"50%\" is written";
        g->Free();
    }
    Skin()->SetResourceStrData(nullptr);
}

// The stretched skin picture is kept between paints: a gauge made narrower, then wider again, shows
// the picture of each new size, never the one it kept.
TEST_F(GaugeLook, TheKeptPictureFollowsTheSize)
{
    auto* g = Make<TskSkinGauge>(Form, Rect(10, 10, 410, 30));
    g->SetValue(50);
    ShowForm();
    g->SetWidth(200);
    Driver.ProcessMessages();
    EXPECT_EQ(At(60, 15), Px(cProgress));
    EXPECT_EQ(At(150, 15), Px(cGaugeFrame));
    EXPECT_EQ(At(208, 15), Px(cGaugeFrame));
    EXPECT_NE(At(300, 15), Px(cGaugeFrame));
    g->SetWidth(400);
    Driver.ProcessMessages();
    Save("Gauge_KeptPictureAfterResize");
    EXPECT_EQ(At(200, 15), Px(cProgress));
    EXPECT_EQ(At(300, 15), Px(cGaugeFrame));
    EXPECT_EQ(At(408, 15), Px(cGaugeFrame));
}

TEST_F(GaugeLook, AnEraseOutsideItsPaint_GetsTheWholeGauge)
{
    auto* skinned = Make<TskSkinGauge>(Form, Rect(10, 10, 410, 30));
    auto* plain = Make<TskSkinGauge>(Form, Rect(10, 50, 110, 70), false);
    skinned->SetValue(50);
    plain->SetValue(30);
    ShowForm();
    EXPECT_EQ(ErasedPixelsUnlikeTheWindow(*this, skinned), 0);
    EXPECT_EQ(ErasedPixelsUnlikeTheWindow(*this, plain), 0);
}

TEST_F(GaugeLook, SkinnedWithoutSkinSize_KeepsItsSizeAndStretchesThePicture)
{
    auto* g = Make<TskSkinGauge>(Form, Rect(0, 0, 1, 1));
    g->SetUseSkinSize(false);
    g->SetBoundsRect(Rect(10, 10, 337, 30));
    g->SetValue(100);
    g->SetShowProgressText(true);
    g->SetProgressText("/home/user/Videos");
    ShowForm();
    Save("Gauge_FreeSize");
    EXPECT_EQ(g->Width(), 327);
    EXPECT_EQ(g->Height(), 20);
    EXPECT_EQ(At(12, 25), Px(cProgress));
}

TEST_F(GaugeLook, OnGaugePaint_ReplacesTheBarAndTheText)
{
    auto* g = Make<TskSkinGauge>(Form, Rect(10, 10, 110, 30), false);
    TRect seen;
    g->OnGaugePaint = [&](TObject*, TCanvas*, TRect, TRect pr) { seen = pr; };
    g->SetValue(30);
    ShowForm();
    EXPECT_EQ(seen, Rect(1, 1, 30, 19));
    EXPECT_EQ(At(20, 20), Px(clWindow));
}

// ---- the progress animation

TEST_F(GaugeAnimation, Started_ShowsEachFrameStretchedThenRestsForThePauseAndStartsAgain)
{
    auto* g = MakeExtra<TskSkinGauge>(Form, Rect(10, 10, 210, 30), "animgauge");
    g->SetValue(100);
    g->SetProgressAnimationPause(200);
    ShowForm();
    EXPECT_EQ(At(110, 15), Px(cProgress));
    g->StartProgressAnimation();
    EXPECT_TRUE(g->ProgressAnimating());
    Driver.ProcessMessages();
    EXPECT_EQ(At(110, 15), Px(cProgress)); // a cycle starts on the plain piece
    Driver.AdvanceClock(50);
    EXPECT_EQ(g->ProgressAnimationFrame(), 1);
    EXPECT_EQ(At(13, 15), Px(cAnim1));
    EXPECT_EQ(At(207, 17), Px(cAnim1));
    Driver.AdvanceClock(50);
    Save("Gauge_AnimationFrame2");
    EXPECT_EQ(At(110, 15), Px(cAnim2));
    Driver.AdvanceClock(50);
    EXPECT_EQ(At(110, 15), Px(cAnim3));
    Driver.AdvanceClock(50); // after the last frame: the pause, on the plain piece
    EXPECT_EQ(g->ProgressAnimationFrame(), 0);
    EXPECT_EQ(At(110, 15), Px(cProgress));
    Driver.AdvanceClock(190);
    EXPECT_EQ(At(110, 15), Px(cProgress));
    Driver.AdvanceClock(70); // the pause is over: a new cycle, first frame one interval later
    EXPECT_EQ(At(110, 15), Px(cAnim1));
    EXPECT_TRUE(g->ProgressAnimating());
}

TEST_F(GaugeAnimation, Stopped_ShowsThePlainPieceAndNoMoreFrames)
{
    auto* g = MakeExtra<TskSkinGauge>(Form, Rect(10, 10, 210, 30), "animgauge");
    g->SetValue(100);
    ShowForm();
    g->StartProgressAnimation();
    Driver.AdvanceClock(100);
    EXPECT_EQ(At(110, 15), Px(cAnim2));
    g->StopProgressAnimation();
    Driver.ProcessMessages();
    EXPECT_FALSE(g->ProgressAnimating());
    EXPECT_EQ(At(110, 15), Px(cProgress));
    Driver.AdvanceClock(2000);
    EXPECT_EQ(At(110, 15), Px(cProgress));
}

TEST_F(GaugeAnimation, NoStripNoSkinOrNoEntry_StartsNothing)
{
    auto* plain = MakeExtra<TskSkinGauge>(Form, Rect(10, 10, 210, 30), "gauge");
    auto* unskinned = Make<TskSkinGauge>(Form, Rect(10, 50, 210, 70), false);
    auto* missing = MakeExtra<TskSkinGauge>(Form, Rect(10, 90, 210, 110), "nosuchgauge");
    for (TskSkinGauge* g : {plain, unskinned, missing}) {
        g->StartProgressAnimation();
        EXPECT_FALSE(g->ProgressAnimating());
    }
    ShowForm();
    Driver.AdvanceClock(500);
    EXPECT_EQ(plain->ProgressAnimationFrame(), 0);
}

TEST_F(GaugeAnimation, RefreshSkin_RestartsARunningAnimationAndLeavesAStoppedOneAlone)
{
    auto* running = MakeExtra<TskSkinGauge>(Form, Rect(10, 10, 210, 30), "animgauge");
    auto* idle = MakeExtra<TskSkinGauge>(Form, Rect(10, 50, 210, 70), "animgauge");
    ShowForm();
    running->StartProgressAnimation();
    Driver.AdvanceClock(100);
    EXPECT_EQ(running->ProgressAnimationFrame(), 2);
    running->RefreshSkin();
    idle->RefreshSkin();
    EXPECT_TRUE(running->ProgressAnimating());
    EXPECT_EQ(running->ProgressAnimationFrame(), 0);
    EXPECT_FALSE(idle->ProgressAnimating());
    Driver.AdvanceClock(50);
    EXPECT_EQ(running->ProgressAnimationFrame(), 1);
}

TEST_F(GaugeAnimation, EntryLosesItsStrip_TheNextTickEndsTheAnimation)
{
    auto* g = MakeExtra<TskSkinGauge>(Form, Rect(10, 10, 210, 30), "animgauge");
    g->SetValue(100);
    ShowForm();
    g->StartProgressAnimation();
    Driver.AdvanceClock(50);
    g->SetSkinDataName("gauge"); // looked up again at the next tick
    Driver.AdvanceClock(50);
    EXPECT_FALSE(g->ProgressAnimating());
    EXPECT_EQ(At(110, 15), Px(cProgress));
}

TEST_F(GaugeAnimation, GaugeFreedWhileAnimating_ItsTimersGoWithIt)
{
    auto* g = MakeExtra<TskSkinGauge>(Form, Rect(10, 10, 210, 30), "animgauge");
    ShowForm();
    g->StartProgressAnimation();
    Driver.AdvanceClock(50);
    ASSERT_NE(NextTimerDue(), UINT64_MAX);
    delete g;
    // No timer of its own is left to tick into the freed gauge.
    EXPECT_EQ(NextTimerDue(), UINT64_MAX);
    Driver.AdvanceClock(1000);
}

// ---- upright gauges

TEST_F(GaugeUpright, Skinned_FillsFromTheBottomOfTheTrack)
{
    auto* g = MakeExtra<TskSkinGauge>(Form, Rect(10, 10, 40, 210), "vgauge");
    g->SetValue(50);
    ShowForm();
    Save("Gauge_Upright");
    EXPECT_TRUE(g->Vertical()); // taken from the entry
    EXPECT_EQ(g->Width(), 10);
    EXPECT_EQ(At(15, 200), Px(cProgress));
    EXPECT_EQ(At(15, 112), Px(cProgress));
    EXPECT_EQ(At(15, 105), Px(cVBar));
    EXPECT_EQ(At(15, 30), Px(cVBar));
}

TEST_F(GaugeUpright, Text_TurnedAQuarterAndCentred)
{
    auto* up = Make<TskSkinGauge>(Form, Rect(10, 10, 40, 210), false);
    up->SetVertical(true);
    auto* flat = Make<TskSkinGauge>(Form, Rect(100, 10, 300, 40), false);
    for (TskSkinGauge* g : {up, flat}) {
        g->SetValue(0);
        g->SetShowProgressText(true);
        g->SetProgressText("Converting");
    }
    ShowForm();
    Save("Gauge_UprightText");
    const TRect upText = Extent(Rect(11, 11, 39, 209), clWindow);
    const TRect flatText = Extent(Rect(101, 11, 299, 39), clWindow);
    ASSERT_FALSE(upText.IsEmpty());
    ASSERT_FALSE(flatText.IsEmpty());
    // The same text, turned: as tall as the level one is wide.
    EXPECT_GT(upText.Height(), 2 * upText.Width());
    EXPECT_NEAR(upText.Height(), flatText.Width(), 2);
    EXPECT_NEAR((upText.Top + upText.Bottom) / 2, 110, 3);
    EXPECT_NEAR((upText.Left + upText.Right) / 2, 25, 3);
}
