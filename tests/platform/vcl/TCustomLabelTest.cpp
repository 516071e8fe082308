#include "platform/vcl/TCustomLabel.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TForm.h"

TEST(TCustomLabelSize, AutoSizeFollowsTheTextAndWordWrapKeepsTheWidth)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetCaption("Hi");
    const int shortWidth = label->Width();
    label->SetCaption("A much longer caption");
    EXPECT_GT(label->Width(), shortWidth);
    const int oneLine = label->Height();
    label->SetWordWrap(true);
    label->SetAutoSize(false);
    label->SetWidth(40);
    label->SetAutoSize(true);
    EXPECT_EQ(label->Width(), 40);
    EXPECT_GT(label->Height(), oneLine);
}

TEST(TCustomLabelAccel, AltLetterFocusesTheFocusControl)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetCaption("&Name");
    auto* target = new TPanel(&form);
    target->SetParent(&form);
    target->SetTabStop(true);
    label->SetFocusControl(target);
    form.Show();
    driver.ProcessMessages();
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'n', 0), 1);
    EXPECT_TRUE(target->Focused());
    target->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
}
