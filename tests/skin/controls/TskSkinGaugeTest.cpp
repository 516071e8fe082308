#include "skin/controls/TskSkinGauge.h"

#include "SkinControlsTestSupport.h"

using namespace skintest;

namespace {
using GaugeLook = SkinFormTest;
}

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
