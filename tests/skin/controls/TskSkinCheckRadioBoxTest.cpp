#include "skin/controls/TskSkinCheckRadioBox.h"

#include "SkinControlsTestSupport.h"

using namespace skintest;

namespace {

struct CheckBoxTest : SkinFormTest {
    std::vector<std::string> Clicks;
    TskSkinCheckRadioBox* Box(TRect R, const std::string& Name, bool Skinned)
    {
        auto* b = new TskSkinCheckRadioBox(Form);
        b->SetParent(Form);
        if (Skinned) b->SetSkinData(Skin());
        b->SetBoundsRect(R);
        b->SetCaption(Name);
        b->OnClick = [this, Name](TObject*) { Clicks.push_back(Name); };
        return b;
    }
};

using CheckBoxWrites = CheckBoxTest;
using CheckBoxInput = CheckBoxTest;
using CheckBoxLook = CheckBoxTest;

} // namespace

TEST_F(CheckBoxWrites, SetChecked_FiresOnEveryWriteOfACheckBox)
{
    auto* b = Box(Rect(10, 10, 160, 35), "a", false);
    b->SetChecked(true);
    b->SetChecked(true);
    b->SetChecked(false);
    EXPECT_EQ(Clicks.size(), 3u);
}

TEST_F(CheckBoxWrites, RadioUncheckedByCode_FiresNothing)
{
    auto* b = Box(Rect(10, 10, 160, 35), "r", false);
    b->SetRadio(true);
    b->SetChecked(false);
    EXPECT_TRUE(Clicks.empty());
    b->SetChecked(true);
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(CheckBoxWrites, CheckingOneOfAGroup_UnchecksTheOthersEachFiringItsClick)
{
    auto* a = Box(Rect(10, 10, 160, 35), "a", false);
    auto* b = Box(Rect(10, 40, 160, 65), "b", false);
    a->SetGroupIndex(3);
    b->SetGroupIndex(3);
    a->SetChecked(true);
    Clicks.clear();
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(Clicks, (std::vector<std::string>{"a", "b"}));
}

TEST_F(CheckBoxWrites, UncheckingAGrayedBox_LeavesItGrayed)
{
    auto* b = Box(Rect(10, 10, 160, 35), "a", false);
    b->SetState(cbGrayed);
    b->SetChecked(false);
    EXPECT_EQ(b->State(), cbGrayed);
}

TEST_F(CheckBoxInput, Click_TogglesOnceAndRadioNeverUnchecks)
{
    auto* a = Box(Rect(10, 10, 160, 35), "a", false);
    auto* r = Box(Rect(10, 40, 160, 65), "r", false);
    r->SetRadio(true);
    ShowForm();
    Driver.Click(Point(20, 22));
    EXPECT_TRUE(a->Checked());
    EXPECT_EQ(Clicks.size(), 1u);
    Driver.Click(Point(20, 22));
    EXPECT_FALSE(a->Checked());
    Driver.Click(Point(20, 52));
    Driver.Click(Point(20, 52));
    EXPECT_TRUE(r->Checked());
}

TEST_F(CheckBoxInput, AllowGrayed_CyclesUncheckedGrayedChecked)
{
    auto* a = Box(Rect(10, 10, 160, 35), "a", false);
    a->SetAllowGrayed(true);
    ShowForm();
    Driver.Click(Point(20, 22));
    EXPECT_EQ(a->State(), cbGrayed);
    Driver.Click(Point(20, 22));
    EXPECT_EQ(a->State(), cbChecked);
    Driver.Click(Point(20, 22));
    EXPECT_EQ(a->State(), cbUnchecked);
}

TEST_F(CheckBoxInput, NewBox_IsNoTabStop)
{
    auto* a = Box(Rect(10, 10, 160, 35), "a", false);
    EXPECT_FALSE(a->TabStop());
    EXPECT_TRUE(a->CanFocused());
}

TEST_F(CheckBoxLook, FlatSkinned_CheckImageOverTheParent)
{
    auto* a = Box(Rect(10, 10, 160, 35), "Title 1", true);
    ShowForm();
    EXPECT_EQ(At(14, 23), Px(cUncheck));
    EXPECT_EQ(At(150, 12), Px(clWhite)); // flat: the form shows through
    a->SetChecked(true);
    Driver.ProcessMessages();
    Driver.MoveTo(Point(300, 300));
    Save("CheckBox_FlatSkinned");
    EXPECT_EQ(At(14, 23), Px(cCheck));
}

TEST_F(CheckBoxLook, FlatDefault_BoxAndMark)
{
    auto* a = Box(Rect(10, 10, 160, 35), "Title 1", false);
    a->SetChecked(true);
    ShowForm();
    Save("CheckBox_FlatDefault");
    EXPECT_EQ(At(13, 16), Px(clBtnShadow)); // the box's frame at (3, Height div 2 - 7)
    EXPECT_EQ(At(150, 12), Px(clWhite));
}
