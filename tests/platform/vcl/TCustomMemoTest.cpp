#include "platform/vcl/TCustomMemo.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TForm.h"

TEST(TCustomMemoLines, LinesAndTextAreTwoViewsOfOneText)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->Lines()->Add("first");
    memo->Lines()->Add("second");
    EXPECT_EQ(memo->Text(), "first\r\nsecond");
    EXPECT_EQ(memo->Lines()->Text(), "first\r\nsecond\r\n");
    memo->Lines()->Insert(1, "middle");
    memo->Lines()->Delete(0);
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(0), "middle");
    memo->Lines()->SetText("a\nb\n");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
    EXPECT_THROW(memo->Lines()->Strings(0), EListError);
}

TEST(TCustomMemoTyping, ReturnStartsALineAndArrowsMoveBetweenLines)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 200);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(0, 0, 200, 150);
    form.Show();
    driver.ProcessMessages();
    memo->SetFocus();
    driver.Type("abc");
    driver.Press(VK_RETURN);
    driver.Type("de");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(1), "de");
    driver.Press(VK_UP);
    EXPECT_EQ(memo->CaretPos(), (TPoint{2, 0}));
    driver.Type("X");
    EXPECT_EQ(memo->Lines()->Strings(0), "abXc");
    driver.Press(VK_END);
    driver.Press(VK_DELETE); // joins the lines
    EXPECT_EQ(memo->Text(), "abXcde");
}
