#include "skin/controls/TskSkinCheckRadioBox.h"

#include "SkinButtonsTestSupport.h"
#include "platform/vcl/TReader.h"

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
using CheckBoxImages = CheckBoxTest;
using CheckBoxAccelerator = CheckBoxTest;

struct CheckBoxFramed : CheckBoxTest {
    TButtonsSkin Extra;
};

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

TEST_F(CheckBoxLook, FlatSkinned_CheckImageHolesShowTheParent)
{
    constexpr TColor parent = 0x00336699;
    Form->SetColor(parent);
    auto* a = Box(Rect(10, 10, 160, 35), "Title 1", true);
    ShowForm();
    Driver.MoveTo(Point(400, 400));
    // The image sits at (13, 16); its hole covers (17, 20) to (22, 25).
    EXPECT_EQ(At(14, 17), Px(cUncheck));
    EXPECT_EQ(At(19, 22), Px(parent));
    a->SetChecked(true);
    Driver.ProcessMessages();
    Save("CheckBox_TransparentCheckImage");
    EXPECT_EQ(At(14, 17), Px(cCheck));
    EXPECT_EQ(At(17, 20), Px(parent));
    EXPECT_EQ(At(21, 24), Px(parent));
    EXPECT_EQ(At(23, 25), Px(cCheck));
}

TEST_F(CheckBoxLook, Framed_AnEraseOutsideItsPaintGetsTheWholeBox)
{
    auto* skinned = Box(Rect(10, 10, 160, 35), "Framed", true);
    auto* plain = Box(Rect(10, 50, 160, 75), "Plain", false);
    skinned->SetFlat(false);
    plain->SetFlat(false);
    ShowForm();
    Driver.MoveTo(Point(400, 400));
    Driver.ProcessMessages();
    EXPECT_EQ(ErasedPixelsUnlikeTheWindow(*this, skinned), 0);
    EXPECT_EQ(ErasedPixelsUnlikeTheWindow(*this, plain), 0);
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

TEST_F(CheckBoxImages, FlatSkinned_ImageAfterTheCheckAndTheCaptionMovedOn)
{
    auto* images = SolidImages(Form, {clRed, clBlue});
    auto* a = Box(Rect(10, 10, 160, 35), "Title", true);
    a->SetImages(images);
    a->SetImageIndex(1);
    ShowForm();
    Save("CheckBox_FlatImage");
    // Check image 13 wide at x 3; the image at 13 + 7, vertically centred (25 div 2 - 8).
    EXPECT_EQ(At(10 + 20, 10 + 4), Px(clBlue));
    EXPECT_EQ(At(10 + 35, 10 + 19), Px(clBlue));
    EXPECT_EQ(At(10 + 37, 10 + 12), Px(clWhite)); // the gap before the caption
    // The caption starts past the image and the gap.
    EXPECT_EQ(CountOther(*this, Rect(30, 10, 54, 35), clWhite), 16 * 16);
    EXPECT_GT(CountOther(*this, Rect(54, 10, 160, 35), clWhite), 0);
    a->SetImageIndex(2); // beyond the list: none
    Driver.ProcessMessages();
    EXPECT_EQ(At(10 + 20, 10 + 4), Px(clWhite));
    a->SetImageIndex(0);
    delete images;
    EXPECT_EQ(a->Images(), nullptr);
    a->Repaint();
    EXPECT_EQ(At(10 + 20, 10 + 4), Px(clWhite));
}

TEST_F(CheckBoxImages, FlatDefault_ImageWhereTheCaptionWouldStart)
{
    auto* images = SolidImages(Form, {clRed});
    auto* a = Box(Rect(10, 10, 160, 35), "", false);
    a->SetImages(images);
    ShowForm();
    EXPECT_EQ(At(10 + 19, 10 + 4), Px(clRed));
    EXPECT_EQ(At(10 + 34, 10 + 19), Px(clRed));
}

TEST_F(CheckBoxImages, StoredForm_ReadsImagesAndImageIndex)
{
    RegisterSkinControlClasses();
    TForm form(nullptr);
    ReadComponentFromText(&form, "object F: TForm\n  object IL: TImageList\n  end\n"
                                 "  object C: TskSkinCheckRadioBox\n    Images = IL\n    ImageIndex = 1\n  end\nend\n");
    auto* c = dynamic_cast<TskSkinCheckRadioBox*>(form.FindComponent("C"));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Images(), form.FindComponent("IL"));
    EXPECT_EQ(c->ImageIndex(), 1);
}

TEST_F(CheckBoxAccelerator, DialogCharFocusesAndToggles)
{
    auto* a = Box(Rect(10, 10, 160, 35), "&Queue all", false);
    auto* r = Box(Rect(10, 40, 160, 65), "&Radio", false);
    r->SetRadio(true);
    ShowForm();
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'a', 0), 0);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'q', 0), 1);
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'Q', 0), 1);
    EXPECT_FALSE(a->Checked());
    Form->Perform(CM_DIALOGCHAR, 'r', 0);
    Form->Perform(CM_DIALOGCHAR, 'r', 0);
    EXPECT_TRUE(r->Checked()); // the user never unchecks a radio box
    a->SetCanFocused(false);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'q', 0), 0);
    EXPECT_FALSE(a->Checked());
}

TEST_F(CheckBoxFramed, HoverCrossFadesTheFramedPictureInFifthsEvery20ms)
{
    auto* a = new TskSkinCheckRadioBox(Form);
    a->SetParent(Form);
    a->SetFlat(false);
    a->SetCanFocused(false);
    a->SetSkinDataName("mcheckbox");
    a->SetSkinData(Extra.Skin.get());
    a->SetBoundsRect(Rect(10, 10, 160, 35));
    ShowForm();
    EXPECT_EQ(At(11, 11), Px(cNormal));
    Driver.MoveTo(Point(100, 20));
    Driver.AdvanceClock(20);
    EXPECT_NEAR(a->MorphFactor(), 0.2, 1e-9);
    EXPECT_NE(At(11, 11), Px(cNormal));
    EXPECT_NE(At(11, 11), Px(cActive));
    Driver.AdvanceClock(80);
    EXPECT_DOUBLE_EQ(a->MorphFactor(), 1.0);
    EXPECT_EQ(At(11, 11), Px(cActive));
    Save("CheckBox_FramedHot");
    Driver.MoveTo(Point(400, 400));
    Driver.AdvanceClock(100);
    EXPECT_DOUBLE_EQ(a->MorphFactor(), 0.0);
    EXPECT_EQ(At(11, 11), Px(cNormal));
}

TEST_F(CheckBoxFramed, FlatBox_NeverFades)
{
    auto* a = new TskSkinCheckRadioBox(Form);
    a->SetParent(Form);
    a->SetSkinDataName("mcheckbox");
    a->SetSkinData(Extra.Skin.get());
    a->SetBoundsRect(Rect(10, 10, 160, 35));
    ShowForm();
    Driver.MoveTo(Point(100, 20));
    Driver.AdvanceClock(20);
    EXPECT_DOUBLE_EQ(a->MorphFactor(), 0.0);
}
