#include "platform/vcl/TCoolBar.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TypInfo.h"

namespace {

struct CoolBarTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TCoolBar* Bar = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 200);
        Bar = new TCoolBar(Form);
        Bar->SetParent(Form);
        Bar->SetBounds(0, 0, 400, 80);
    }
    void TearDown() override { Form->Free(); }
    TPanel* Child(int W, int H)
    {
        auto* p = new TPanel(Form);
        p->SetParent(Bar);
        p->SetBounds(0, 0, W, H);
        return p;
    }
};

} // namespace

TEST_F(CoolBarTest, Layout_ControlsFollowTheirCaptionInBandOrder)
{
    auto* a = Child(100, 21);
    auto* b = Child(60, 21);
    TCoolBand* first = Bar->Bands()->Add();
    first->SetControl(a);
    TCoolBand* second = Bar->Bands()->Add();
    second->SetBreak(false);
    second->SetControl(b);
    // A band without text or image: 4, then the grabber's 4 + 5.
    EXPECT_EQ(Bar->CaptionWidth(first), 13);
    EXPECT_EQ(a->Left(), 13);
    EXPECT_EQ(first->BandRect, Rect(0, 0, 13 + 100 + 4, 25));
    EXPECT_EQ(b->Left(), 117 + 13);
    // The last band of the row reaches the end.
    EXPECT_EQ(second->BandRect.Right, 400);
    EXPECT_EQ(a->Top(), 2);
}

TEST_F(CoolBarTest, Break_StartsANewRow_HiddenBandsTakeNoPlace)
{
    auto* a = Child(100, 21);
    auto* b = Child(60, 30);
    auto* hidden = Child(60, 30);
    Bar->Bands()->Add()->SetControl(a);
    TCoolBand* gone = Bar->Bands()->Add();
    gone->SetControl(hidden);
    gone->SetVisible(false);
    Bar->Bands()->Add()->SetControl(b);
    EXPECT_TRUE(gone->BandRect.IsEmpty());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_EQ(Bar->CaptionWidth(gone), 0);
    EXPECT_EQ(b->Top(), 25 + 2);
}

TEST_F(CoolBarTest, FixedBandWithText_CaptionHasNoGrabber)
{
    TCoolBand* band = Bar->Bands()->Add();
    band->SetFixedSize(true);
    band->SetText("Go");
    const int text = Bar->Canvas()->TextWidth("Go");
    EXPECT_EQ(Bar->CaptionWidth(band), text + 4);
    Bar->SetShowText(false);
    EXPECT_EQ(Bar->CaptionWidth(band), 4);
}

TEST_F(CoolBarTest, ControlFreed_BandStaysEmpty)
{
    auto* a = Child(100, 21);
    TCoolBand* band = Bar->Bands()->Add();
    band->SetControl(a);
    delete a;
    EXPECT_EQ(Bar->Bands()->Count(), 1);
    EXPECT_EQ(band->Control(), nullptr);
}

TEST_F(CoolBarTest, Paint_FaceGrabberAndEtchedEdges)
{
    Bar->Bands()->Add()->SetControl(Child(100, 21));
    Form->Show();
    Driver.ProcessMessages();
    const HWND h = Form->Handle();
    Driver.SaveWindow(h, "TCoolBar_Default", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(Driver.PixelAt(h, 2, 10) & 0x00FFFFFF, ColorToPixel(clBtnHighlight) & 0x00FFFFFF);
    EXPECT_EQ(Driver.PixelAt(h, 3, 10) & 0x00FFFFFF, ColorToPixel(clBtnShadow) & 0x00FFFFFF);
    EXPECT_EQ(Driver.PixelAt(h, 200, 23) & 0x00FFFFFF, ColorToPixel(clBtnShadow) & 0x00FFFFFF);
    EXPECT_EQ(Driver.PixelAt(h, 200, 60) & 0x00FFFFFF, ColorToPixel(clBtnFace) & 0x00FFFFFF);
}

TEST(CoolBarRegistration, BandsReadFromAStoredForm)
{
    RegisterCoolBarClasses();
    const TClassInfo* info = FindClassInfo("TCoolBar");
    ASSERT_NE(info, nullptr);
    EXPECT_NE(info->FindProp("Bands"), nullptr);
    const TClassInfo* band = FindClassInfo("TCoolBand");
    ASSERT_NE(band, nullptr);
    EXPECT_NE(band->FindProp("Control"), nullptr);
    EXPECT_NE(band->FindProp("Break"), nullptr);
}
