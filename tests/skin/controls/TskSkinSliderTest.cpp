#include "skin/controls/TskSkinSlider.h"

#include <chrono>

#include "SkinControlsTestSupport.h"

using namespace skintest;

namespace {

// A slider as the form reader sees it while it fills the properties.
struct ReadSlider : TskSkinSlider {
    using TskSkinSlider::TskSkinSlider;
    void BeginRead() { SetReadingState(true); }
    void EndRead() { SetReadingState(false); }
};

struct SliderInput : SkinFormTest {
    TskSkinSlider* Slider = nullptr;
    int Changes = 0;
    int Changed = 0;

    void MakeSlider()
    {
        Slider = Make<TskSkinSlider>(Form, Rect(10, 10, 160, 50), false);
        Slider->SetColor(clWhite);
        Slider->OnChange = [this](TObject*) { ++Changes; };
        Slider->OnChanged = [this](TObject*) { ++Changed; };
        ShowForm();
    }
};

} // namespace

// --- values ----------------------------------------------------------------------------------------------

TEST(SliderValue, SameValueFiresNothing_AboveMaxStoresMaxOnce)
{
    TskSkinSlider s(nullptr);
    int changes = 0;
    s.OnChange = [&](TObject*) { ++changes; };
    s.SetValue(0);
    EXPECT_EQ(changes, 0);
    s.SetValue(500);
    EXPECT_EQ(s.Value(), 100);
    EXPECT_EQ(changes, 1);
    s.SetValue(200);
    EXPECT_EQ(changes, 1);
}

TEST(SliderValue, LoweringMaxPullsTheValueDownAndFiresOnce)
{
    TskSkinSlider s(nullptr);
    s.SetMinValue(5);
    s.SetMaxValue(500);
    s.SetValue(300);
    int changes = 0;
    s.OnChange = [&](TObject*) { ++changes; };
    s.SetMaxValue(200);
    EXPECT_EQ(s.Value(), 200);
    EXPECT_EQ(changes, 1);
}

TEST(SliderValue, MaxAtOrBelowMinIsRefusedAtRunTime)
{
    TskSkinSlider s(nullptr);
    s.SetMinValue(10);
    s.SetMaxValue(10);
    s.SetMaxValue(3);
    EXPECT_EQ(s.MinValue(), 10);
    EXPECT_EQ(s.MaxValue(), 100);
}

TEST(SliderValue, WithoutSmoothDraggingGivesMinPlusStepsWhileKeysCountFromZero)
{
    TskSkinSlider s(nullptr);
    s.SetMinValue(5);
    s.SetOptions(TskSliderOptions{soShowPoints});
    // L = 129 for 95 values: offset 6 + 30 lies at r = 22, rounded to 2 steps.
    EXPECT_EQ(s.GetValueByOffset(6 + 30), 25);
}

TEST(SliderGeometry, ValuesAtTheEndsSitAtTheEndsOfTheTravel)
{
    TskSkinSlider s(nullptr);
    EXPECT_EQ(s.GetRulerLength(), 150 - 12 - 9);
    EXPECT_EQ(s.GetOffsetByValue(0), 6);
    EXPECT_EQ(s.GetOffsetByValue(100), 135);
    s.SetValue(100);
    EXPECT_EQ(s.ThumbRect().Left, 135);
    EXPECT_EQ(s.GetValueByOffset(135), 100);
    EXPECT_EQ(s.GetValueByOffset(6), 0);
}

TEST(SliderGeometry, VerticalPutsLargerValuesHigher)
{
    TskSkinSlider s(nullptr);
    s.SetOrientation(soVertical);
    EXPECT_EQ(s.Width(), 40);
    EXPECT_EQ(s.Height(), 150);
    EXPECT_GT(s.GetOffsetByValue(0), s.GetOffsetByValue(100));
    EXPECT_EQ(s.GetOffsetByValue(100), 6);
    EXPECT_EQ(s.GetOffsetByValue(0), 150 - 12 - 9 + 6);
    EXPECT_EQ(s.GetValueByOffset(s.GetOffsetByValue(37)), 37);
}

TEST(SliderGeometry, ZeroLengthRulerGivesTheFirstPlaceAndTheMinimum)
{
    TskSkinSlider s(nullptr);
    s.SetBounds(0, 0, 20, 40);
    EXPECT_EQ(s.GetRulerLength(), 0);
    EXPECT_EQ(s.GetOffsetByValue(50), 6);
    EXPECT_EQ(s.GetValueByOffset(40), 0);
    s.SetValue(70);
    EXPECT_EQ(s.Value(), 70);
    s.SetBounds(0, 0, 5, 40); // narrower than the indents
    EXPECT_EQ(s.GetRulerLength(), 0);
}

TEST(SliderGeometry, RangeReadBackwardsFromAFormDoesNotDivideByZero)
{
    ReadSlider s(nullptr);
    s.BeginRead();
    s.SetRange(50, 50);
    EXPECT_EQ(s.MaxValue(), 50);
    EXPECT_EQ(s.GetOffsetByValue(50), 6);
    EXPECT_EQ(s.GetValueByOffset(100), 50);
    s.SetRange(60, 40);
    EXPECT_EQ(s.GetValueByOffset(100), 60);
    s.EndRead();
}

TEST(SliderGeometry, EdgeSizeOfHalfTheRulerPictureIsRefused)
{
    TskSkinSlider s(nullptr);
    s.SetEdgeSize(5); // the ruler picture is 10 wide
    EXPECT_EQ(s.EdgeSize(), 2);
    s.SetEdgeSize(4);
    EXPECT_EQ(s.EdgeSize(), 4);
}

TEST(SliderImages, UserImagesAreMarkedAndNilRestoresTheBuiltInPicture)
{
    TskSkinSlider s(nullptr);
    TBitmap thumb(20, 10);
    s.SetImageHThumb(&thumb);
    EXPECT_EQ(s.UserImages(), 1);
    EXPECT_EQ(s.ThumbRect().Width(), 10);
    s.SetImageHThumb(nullptr);
    EXPECT_EQ(s.UserImages(), 0);
    EXPECT_EQ(s.ImageHThumb()->Width(), 18);
    EXPECT_EQ(s.ImageHThumb()->Height(), 17);
}

// --- ticks -----------------------------------------------------------------------------------------------

TEST(SliderPoints, EndTicksAreLongerAndInnerTicksNeverCloserThanFourPixels)
{
    TskSkinSlider s(nullptr);
    s.SetMaxValue(1000);
    s.SetIncrement(1);
    TBitmap b(150, 40);
    Fill(b, Rect(0, 0, 150, 40), clWhite);
    s.DefaultDrawPoints(b.Canvas(), 1, 5, 3);
    int ticks = 0, last = -100, minGap = 1000;
    const int y = 26; // inside every tick: the tick area starts below the 17-pixel thumb at 6
    for (int x = 0; x < 150; ++x)
        if (b.Canvas()->Pixels(x, y - 1) != clWhite) {
            ++ticks;
            if (last >= 0) minGap = std::min(minGap, x - last);
            last = x;
        }
    EXPECT_GE(ticks, 2);
    EXPECT_GE(minGap, 4);
}

TEST(SliderPoints, HugeRangeDrawsAtOnce)
{
    TskSkinSlider s(nullptr);
    s.SetMaxValue(1000000000);
    s.SetIncrement(1);
    TBitmap b(150, 40);
    const auto start = std::chrono::steady_clock::now();
    s.DefaultDrawPoints(b.Canvas(), 1, 5, 3);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

// --- input -----------------------------------------------------------------------------------------------

TEST_F(SliderInput, KeysStepToMultiplesOfTheIncrement)
{
    MakeSlider();
    Slider->SetMinValue(5);
    Slider->SetValue(20);
    Slider->SetFocus();
    Driver.FocusIn(Form->Handle());
    Slider->SetFocus();
    Driver.Press(VK_RIGHT);
    EXPECT_EQ(Slider->Value(), 30);
    Driver.Press(VK_END);
    EXPECT_EQ(Slider->Value(), 100);
    EXPECT_EQ(Changed, 2);
}

TEST_F(SliderInput, PressOnTheRulerStepsAtOnceThenEvery400msUntilTheThumbPassesThePointer)
{
    MakeSlider();
    Driver.MoveTo(Point(10 + 140, 10 + 12));
    Driver.ButtonDown();
    EXPECT_EQ(Slider->Value(), 10);
    Driver.AdvanceClock(399);
    EXPECT_EQ(Slider->Value(), 10);
    Driver.AdvanceClock(1);
    EXPECT_EQ(Slider->Value(), 20);
    Driver.AdvanceClock(8000);
    EXPECT_EQ(Slider->Value(), 100);
    Driver.ButtonUp();
    EXPECT_EQ(Changed, 1);
    Driver.ProcessMessages();
    Save("slider-default");
}

TEST_F(SliderInput, DraggingTheThumbFiresChangeForEachNewValueAndChangedOnce)
{
    MakeSlider();
    const TRect t = Slider->ThumbRect();
    const int x = 10 + t.Left + 4, y = 10 + t.Top + 4;
    Driver.MoveTo(Point(x, y));
    Driver.ButtonDown();
    for (int i = 1; i <= 4; ++i) Driver.MoveTo(Point(x + i * 33, y));
    Driver.ButtonUp();
    EXPECT_EQ(Slider->Value(), 100);
    EXPECT_EQ(Changes, 4);
    EXPECT_EQ(Changed, 1);
}

// --- the skin look ---------------------------------------------------------------------------------------

TEST_F(SliderInput, SkinLookUsesTheEntryColoursRulerAndThumbStates)
{
    // Pictures are drawn transparently: their bottom-left pixel names the colour left out.
    std::vector<TTestBlock> blocks = {{Rect(0, 0, 20, 6), cProgress}, {Rect(0, 10, 10, 24), cFixed}, {Rect(10, 10, 20, 24), cDown}};
    for (TPoint key : {Point(0, 5), Point(0, 23), Point(10, 23)}) blocks.push_back({Rect(key.X, key.Y, key.X + 1, key.Y + 1), clWhite});
    TLoadedTestSkin skin(TTestSkinBuilder("Slider Test")
                             .Picture("slider.bmp", 40, 30, clWhite, blocks)
                             .Control("slider", "slider",
                                 "pictureindex=0\nhrulerrect=0,0,20,6\nhthumbrect=0,10,20,24\nedgesize=2\n"
                                 "bgcolor=65535\npointscolor=255\n"));

    MakeSlider();
    Slider->SetSkinData(skin.Skin.get());
    Slider->RefreshSkin();
    Driver.ProcessMessages();
    EXPECT_EQ(Slider->GetRulerLength(), 138 - 10);
    EXPECT_EQ(Slider->ThumbRect(), Rect(6, 6, 16, 20));
    EXPECT_EQ(At(10 + 1, 10 + 1), Px(0x0000FFFF));  // "bgcolor"
    EXPECT_EQ(At(10 + 100, 10 + 12), Px(cProgress)); // the ruler, 4 below the thumb's top
    EXPECT_EQ(At(10 + 10, 10 + 12), Px(cFixed));     // thumb at rest
    Driver.MoveTo(Point(10 + 10, 10 + 12));
    Driver.ButtonDown();
    EXPECT_EQ(At(10 + 10, 10 + 12), Px(cDown)); // pressed
    Save("slider-skin");
    Driver.ButtonUp();
}
