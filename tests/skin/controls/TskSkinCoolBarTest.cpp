#include "skin/controls/TskSkinCoolBar.h"

#include "BarsTestSkin.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/data/SkinMessages.h"

using namespace skintest;

namespace {

struct CoolBarSkinTest : SkinFormTest {
    TBarsSkin Bars;
    TskSkinCoolBar* Bar = nullptr;
    TPanel* Child = nullptr;

    void SetUp() override
    {
        SkinFormTest::SetUp();
        RegisterSkinControlClasses();
    }
    TskSkinCoolBar* MakeBar(bool Skinned, bool SkinBevel = true)
    {
        Bar = new TskSkinCoolBar(Form);
        Bar->SetParent(Form);
        Bar->SetBounds(10, 10, 300, 60);
        Bar->SetSkinBevel(SkinBevel);
        Child = new TPanel(Form);
        Child->SetParent(Bar);
        Child->SetBounds(0, 0, 100, 21);
        Child->SetColor(clNavy);
        Bar->Bands()->Add()->SetControl(Child);
        if (Skinned) Bar->SetSkinData(Bars.Skin.get());
        ShowForm();
        return Bar;
    }
};

using CoolBarSkinFrame = CoolBarSkinTest;
using CoolBarSkinBands = CoolBarSkinTest;

} // namespace

TEST_F(CoolBarSkinFrame, Creation_ControlBarEntryWithItsBevel)
{
    auto* bar = new TskSkinCoolBar(Form);
    EXPECT_EQ(bar->SkinDataName(), "controlbar");
    EXPECT_TRUE(bar->SkinBevel());
    EXPECT_EQ(bar->SkinIndex(), -1);
}

TEST_F(CoolBarSkinFrame, WithEntry_FrameAroundAndSkinBackgroundInside)
{
    MakeBar(true);
    Save("CoolBar_Skinned");
    ASSERT_NE(Bar->SkinIndex(), -1);
    EXPECT_EQ(Bar->ClientWidth(), 300 - 8);
    EXPECT_EQ(Bar->ClientHeight(), 60 - 8);
    EXPECT_EQ(At(11, 11), Px(cBarFrame));
    EXPECT_EQ(At(10 + 299, 10 + 59), Px(cBarFrame));
    EXPECT_EQ(At(10 + 200, 10 + 45), Px(cBarClient));
}

TEST_F(CoolBarSkinFrame, SkinBevelOff_NoFrameButTheBackgroundStillFromTheSkin)
{
    MakeBar(true, false);
    Save("CoolBar_SkinnedNoBevel");
    EXPECT_EQ(Bar->ClientWidth(), 300);
    EXPECT_EQ(At(10 + 200, 10 + 58), Px(cBarClient));
}

TEST_F(CoolBarSkinFrame, WithoutSkin_ThePlainCoolBar)
{
    MakeBar(false);
    Save("CoolBar_Default");
    EXPECT_EQ(Bar->ClientWidth(), 300);
    EXPECT_EQ(At(10 + 200, 10 + 50), Px(clBtnFace));
}

TEST_F(CoolBarSkinFrame, BarSmallerThanItsFrame_KeepsItsWholeAreaAsClient)
{
    MakeBar(true);
    Bar->SetBounds(10, 10, 6, 6);
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->ClientWidth(), 6);
    EXPECT_EQ(Bar->ClientHeight(), 6);
}

TEST_F(CoolBarSkinFrame, PaintFrameRequests_AnsweredByTheirCodes)
{
    MakeBar(true);
    TBitmap target(300, 60);
    const WPARAM dc = reinterpret_cast<WPARAM>(target.Canvas()->Handle());
    EXPECT_EQ(Bar->Perform(CM_PAINTSKINFRAME, dc, 0), 0x3233);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1) & 0x00FFFFFF, cBarFrame);
    EXPECT_EQ(Bar->Perform(CM_PAINTSKINFRAME, 0, 0), 0);
    EXPECT_EQ(Bar->Perform(0xBC4B, dc, 0x41A2), 0x41A2);
    Bar->SetSkinBevel(false);
    EXPECT_EQ(Bar->Perform(CM_PAINTSKINFRAME, dc, 0), 0);
}

TEST_F(CoolBarSkinFrame, SkinFreed_IsForgottenAndThePlainLookReturns)
{
    MakeBar(true);
    Bars.Skin.reset();
    EXPECT_EQ(Bar->SkinData(), nullptr);
    Bar->RefreshSkin();
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->SkinIndex(), -1);
    EXPECT_EQ(Bar->ClientWidth(), 300);
}

TEST_F(CoolBarSkinBands, Grabber_FromTheVerticalGripPictureBeforeTheControl)
{
    MakeBar(true);
    // The control sits after its 13-pixel caption; the grabber is 1 pixel after the band's start.
    const TPoint control = Child->ClientToScreen(Point(0, 0));
    const int start = control.X - 13;
    EXPECT_GT(CountColour(*this, Rect(start + 1, control.Y, start + 5, control.Y + 21), cGrip), 20);
    EXPECT_EQ(At(control.X + 50, control.Y + 10), Px(clNavy));
}

TEST_F(CoolBarSkinBands, NoGripPictures_TwoRaisedOutlinesOverTheSkinBackground)
{
    MakeBar(true);
    Bar->SetSkinDataName("plaincontrolbar");
    Bar->RefreshSkin();
    Driver.ProcessMessages();
    Save("CoolBar_SkinnedPlainGrabber");
    const TPoint control = Child->ClientToScreen(Point(0, 0));
    const TRect grabber = Rect(control.X - 12, control.Y, control.X - 8, control.Y + 21);
    EXPECT_GT(CountColour(*this, grabber, clBtnHighlight), 10);
    EXPECT_GT(CountColour(*this, grabber, clBtnShadow), 10);
    EXPECT_EQ(CountColour(*this, grabber, cGrip), 0);
}

TEST(CoolBarSkinRegistration, KnownToTheFormReaderWithItsProperties)
{
    RegisterSkinControlClasses();
    const TClassInfo* info = FindClassInfo("TskSkinCoolBar");
    ASSERT_NE(info, nullptr);
    for (const char* name : {"SkinData", "SkinDataName", "SkinBevel", "Bands", "Vertical"})
        EXPECT_NE(info->FindProp(name), nullptr) << name;
}
