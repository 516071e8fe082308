#include "platform/vcl/TCustomComboBox.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"

TEST(TCustomComboBoxItems, ItemIndexShowsTheItemWithoutOnChange)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->Items()->Add("iPod");
    combo->Items()->Add("iPhone / iPod Touch");
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "iPhone / iPod Touch");
    EXPECT_EQ(changes, 0);
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    combo->SetText("iPod");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(changes, 1);
    combo->Items()->Delete(0);
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST(TCustomComboBoxKeys, ArrowsChooseItemsAndFireChangeSelectAndClick)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    for (const char* s : {"a", "b", "c"}) combo->Items()->Add(s);
    std::vector<std::string> log;
    combo->OnChange = [&](TObject*) { log.push_back("change"); };
    combo->OnSelect = [&](TObject*) { log.push_back("select"); };
    combo->OnClick = [&](TObject*) { log.push_back("click"); };
    form.Show();
    driver.ProcessMessages();
    combo->SetFocus();
    driver.Press(VK_DOWN);
    EXPECT_EQ(combo->Text(), "a");
    driver.Press(VK_END);
    EXPECT_EQ(combo->ItemIndex(), 2);
    driver.Press(VK_DOWN); // already last: nothing
    EXPECT_EQ(log, (std::vector<std::string>{"change", "select", "click", "change", "select", "click"}));
    int drops = 0, closes = 0;
    combo->OnDropDown = [&](TObject*) { ++drops; };
    combo->OnCloseUp = [&](TObject*) { ++closes; };
    driver.Press(VK_F4);
    EXPECT_TRUE(combo->DroppedDown());
    driver.Press(VK_F4);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(closes, 1);
}

TEST(TCustomComboBoxReading, ItemIndexStoredBeforeItsItemsIsKept)
{
    struct TRoot : TForm {
        using TForm::TForm;
    };
    THeadlessDriver driver;
    TForm form(nullptr);
    ReadComponentFromText(&form, "object F: TForm\n  object C: TComboBox\n    ItemIndex = 1\n    Items.Strings = (\n      'x'\n      'y')\n  end\nend\n");
    auto* combo = dynamic_cast<TComboBox*>(form.FindComponent("C"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "y");
}
