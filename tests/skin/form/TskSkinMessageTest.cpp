#include "skin/form/TskSkinMessage.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinStdLabel.h"
#include "platform/rtl/TStringList.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"

namespace {

struct MessageBoxTest : ::testing::Test {
    THeadlessDriver Driver;
    TskMessageForm* Box = nullptr;
    void SetUp() override { RegisterSkinFrameClasses(); }
    void TearDown() override
    {
        if (Box != nullptr) Box->Free();
        Driver.ProcessMessages();
    }
    TskMessageForm* Build(const std::string& msg, TMsgDlgType kind, TMsgDlgButtons buttons, bool flag = false, bool flagValue = false)
    {
        TskSkinMessage m(nullptr);
        Box = CreateSkinMessageDialog(msg, kind, buttons, 40, 30, flagValue, flag, 200, false, false, true,
                                      m.DefaultButtonFont(), m.DefaultFont(), "stdlabel", "button", nullptr, nullptr);
        return Box;
    }
    TskSkinButton* Button(const std::string& name) { return dynamic_cast<TskSkinButton*>(Box->FindComponent(name)); }
};

// Runs the box modally; once the loop runs, Act plays the user.
int RunModal(TskSkinMessage& m, TMsgDlgType kind, TMsgDlgButtons buttons, std::function<void(TskMessageForm*)> Act)
{
    const UINT kActNow = WM_USER + 501;
    PostMessage(Application->Handle(), kActNow, 0, 0);
    Application->OnMessage = [&](TMsg& msg, bool& handled) {
        if (msg.message != kActNow) return;
        handled = true;
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (auto* f = dynamic_cast<TskMessageForm*>(Screen->Forms(i))) Act(f);
    };
    const int result = m.MessageDlg("Do you want to overwrite old file?", kind, buttons, 0);
    Application->OnMessage = nullptr;
    return result;
}

} // namespace

TEST_F(MessageBoxTest, Layout_WarningWithOkCancel_CaptionIconAndCentredRow)
{
    Build("Short text", mtWarning, TMsgDlgButtons{mbOK, mbCancel});
    EXPECT_EQ(Box->Caption(), "Warning");
    ASSERT_NE(Box->Icon(), nullptr);
    EXPECT_EQ(Box->Icon()->Left(), 5);
    TskSkinButton* ok = Button("OK");
    TskSkinButton* cancel = Button("Cancel");
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_TRUE(ok->Default());
    EXPECT_FALSE(ok->Cancel());
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_EQ(cancel->ModalResult(), mrCancel);
    EXPECT_EQ(cancel->Left() - ok->Left(), 80);
    EXPECT_EQ(ok->Width(), 70);
    // The row is centred and stands 10 pixels above the bottom.
    EXPECT_EQ(ok->Left(), (Box->ClientWidth() - 150) / 2);
    EXPECT_EQ(ok->Top() + ok->Height(), Box->ClientHeight() - 10);
    EXPECT_EQ(Box->MessageLabel()->Left(), 50);
    EXPECT_EQ(Box->CheckBox(), nullptr);
}

TEST_F(MessageBoxTest, Layout_ButtonsStandInTableOrder)
{
    Build("Text", mtConfirmation, TMsgDlgButtons{mbHelp, mbNo, mbYes});
    EXPECT_EQ(Box->Caption(), "Confirm");
    ASSERT_NE(Button("Yes"), nullptr);
    EXPECT_LT(Button("Yes")->Left(), Button("No")->Left());
    EXPECT_LT(Button("No")->Left(), Button("Help")->Left());
    EXPECT_TRUE(Button("Yes")->Default());
    EXPECT_TRUE(Button("No")->Cancel());
    EXPECT_EQ(Button("Yes")->Caption(), "&Yes");
    EXPECT_EQ(Button("Help")->ModalResult(), mrNone);
}

TEST_F(MessageBoxTest, Layout_NoButtons_FormIsAsWideAsTheTextPlus40)
{
    Build("A text that is wider than nothing", mtError, TMsgDlgButtons{});
    EXPECT_EQ(Box->Caption(), "Error");
    TskSkinStdLabel* l = Box->MessageLabel();
    if (Box->Width() > Box->Frame()->GetMinWidth()) {
        EXPECT_EQ(Box->ClientWidth(), l->Left() + l->Width() + 40);
    }
}

TEST_F(MessageBoxTest, Layout_CustomKind_UsesApplicationTitleAndNoIcon)
{
    Application->SetTitle("Converter");
    Build("Text", mtCustom, TMsgDlgButtons{mbOK});
    EXPECT_EQ(Box->Caption(), "Converter");
    EXPECT_EQ(Box->Icon(), nullptr);
}

TEST_F(MessageBoxTest, Layout_VeryLongMessage_StaysWithinFrameMaximumAndKeepsTheText)
{
    std::string text;
    for (int i = 0; i < 60; ++i) text += "a long message word ";
    Build(text, mtInformation, TMsgDlgButtons{mbOK});
    EXPECT_LE(Box->Width(), Box->Frame()->GetMaxWidth());
    TskSkinStdLabel* l = Box->MessageLabel();
    EXPECT_LE(l->Left() + l->Width(), Box->ClientWidth());
    EXPECT_EQ(l->Caption(), text);
    EXPECT_GT(l->Height(), 30); // wrapped over several lines
    EXPECT_GE(Button("OK")->Top(), l->Top() + l->Height());
}

TEST_F(MessageBoxTest, Layout_ShowAgainFlag_AddsCheckBoxStartingUncheckedWhenToBeShown)
{
    Build("Text", mtWarning, TMsgDlgButtons{mbOK}, true, true);
    ASSERT_NE(Box->CheckBox(), nullptr);
    EXPECT_FALSE(Box->CheckBox()->Checked());
    EXPECT_EQ(Box->CheckBox()->Caption(), "Do not display this message again");
    EXPECT_EQ(Box->CheckBox()->Left(), 5);
    EXPECT_LE(Box->CheckBox()->Left() + Box->CheckBox()->Width(), Box->ClientWidth());
}

TEST_F(MessageBoxTest, Captions_ComeFromSkinStringsAndFallBackWhenEmpty)
{
    TskSkinData skin(nullptr);
    TskResourceStrData strings(nullptr);
    TStringList lines;
    lines.Add("MSG_BTN_OK=Fine");
    lines.Add("MSG_CAP_WARNING=");
    strings.SetResStrings(lines);
    skin.SetResourceStrData(&strings);
    TskSkinMessage m(nullptr);
    Box = CreateSkinMessageDialog("Text", mtWarning, TMsgDlgButtons{mbOK, mbCancel}, 0, 0, true, true, 200, false, false,
                                  true, m.DefaultButtonFont(), m.DefaultFont(), "stdlabel", "button", &skin, nullptr);
    EXPECT_EQ(Button("OK")->Caption(), "Fine");
    EXPECT_EQ(Button("Cancel")->Caption(), "Cancel");
    EXPECT_EQ(Box->Caption(), "Warning");
    EXPECT_EQ(Box->CheckBox()->Caption(), "Do not display this message again");
    Box->Free();
    Box = nullptr;
    skin.SetResourceStrData(nullptr);
}

TEST_F(MessageBoxTest, Picture_WarningBoxIsSaved)
{
    Build("Do you want to overwrite old file?", mtWarning, TMsgDlgButtons{mbOK, mbCancel}, true, true);
    Box->Show();
    Driver.ProcessMessages();
    EXPECT_FALSE(Driver.SaveWindow(Box->Handle(), "message-box-warning", OMBRIX_TEST_PICTURES).empty());
}

TEST(TskSkinMessageModal, Escape_ReturnsCancel)
{
    THeadlessDriver driver;
    TskSkinMessage m(nullptr);
    EXPECT_EQ(RunModal(m, mtWarning, TMsgDlgButtons{mbOK, mbCancel}, [&](TskMessageForm*) { driver.Press(VK_ESCAPE); }), mrCancel);
}

TEST(TskSkinMessageModal, Return_ReturnsOk)
{
    THeadlessDriver driver;
    TskSkinMessage m(nullptr);
    EXPECT_EQ(RunModal(m, mtWarning, TMsgDlgButtons{mbOK, mbCancel}, [&](TskMessageForm*) { driver.Press(VK_RETURN); }), mrOk);
}

TEST(TskSkinMessageModal, ClickingAButton_ReturnsItsResult)
{
    THeadlessDriver driver;
    TskSkinMessage m(nullptr);
    const int r = RunModal(m, mtConfirmation, TMsgDlgButtons{mbYes, mbNo, mbCancel}, [&](TskMessageForm* f) {
        auto* b = dynamic_cast<TskSkinButton*>(f->FindComponent("No"));
        driver.Click(b->ClientToScreen(Point(10, 10)));
    });
    EXPECT_EQ(r, mrNo);
}

TEST(TskSkinMessageModal, NoButtons_EscapeStillCloses)
{
    THeadlessDriver driver;
    TskSkinMessage m(nullptr);
    EXPECT_EQ(RunModal(m, mtInformation, TMsgDlgButtons{}, [&](TskMessageForm*) { driver.Press(VK_ESCAPE); }), mrCancel);
}

TEST(TskSkinMessageModal, CheckingShowAgainBox_ClearsShowAgainFlagValue)
{
    THeadlessDriver driver;
    TskSkinMessage m(nullptr);
    m.SetShowAgainFlag(true);
    m.SetShowAgainFlagValue(true);
    RunModal(m, mtWarning, TMsgDlgButtons{mbOK}, [&](TskMessageForm* f) {
        f->CheckBox()->SetChecked(true);
        f->SetModalResult(mrOk);
    });
    EXPECT_FALSE(m.ShowAgainFlagValue());
}

TEST(TskSkinMessageComponent, DefaultsAndRegistration)
{
    RegisterSkinMessageClasses();
    const TClassInfo* info = FindClassInfo("TskSkinMessage");
    ASSERT_NE(info, nullptr);
    TskSkinMessage m(nullptr);
    EXPECT_EQ(m.ButtonSkinDataName(), "button");
    EXPECT_EQ(m.MessageLabelSkinDataName(), "stdlabel");
    EXPECT_EQ(m.DefaultFont()->Name(), "Arial");
    EXPECT_EQ(m.DefaultFont()->Height(), 14);
    EXPECT_EQ(m.AlphaBlendValue(), 200);
}
