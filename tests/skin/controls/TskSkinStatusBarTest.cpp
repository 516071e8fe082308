#include "skin/controls/TskSkinStatusBar.h"

#include "ExtraSkinTestSupport.h"
#include "platform/vcl/TReader.h"

using namespace skintest;

namespace {
// The form is 700 x 500 at the screen's corner: a bar of its own height covers rows 479 to 499, its
// grip's corner pixel is (699, 499).
struct StatusBarTest : ExtraSkinFormTest {
    // A bar as the form reader makes one: parented, its size its own. Entry "" leaves it unskinned.
    TskSkinStatusBar* Bar(const std::string& entry = "")
    {
        auto* bar = new TskSkinStatusBar(Form);
        bar->SetParent(Form);
        if (!entry.empty()) {
            bar->SetSkinDataName(entry);
            bar->SetSkinData(Extra.Skin.get());
        }
        return bar;
    }
};
using StatusBarLayout = StatusBarTest;
using StatusBarGrip = StatusBarTest;
} // namespace

TEST_F(StatusBarLayout, Create_AFramelessBarAlongTheBottomWithoutGrip)
{
    auto* bar = Bar();
    ShowForm();
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 479, 700, 500));
    EXPECT_EQ(bar->BorderStyle(), bvNone);
    EXPECT_EQ(bar->SkinDataName(), "statusbar");
    EXPECT_FALSE(bar->SizeGrip());
    EXPECT_TRUE(bar->SizeGripActive());
    EXPECT_TRUE(bar->GripRect().IsEmpty());
    EXPECT_EQ(At(698, 499), Px(clBtnFace));
}

TEST_F(StatusBarLayout, Children_KeepOffTheGripAndGetItsRoomBackWhenItGoes)
{
    auto* bar = Bar();
    auto* child = Make<TskSkinPanel>(bar, Rect(0, 0, 10, 10), false);
    child->SetAlign(alClient);
    bar->SetSizeGrip(true);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 679, 21)); // a square of the bar's height
    bar->SetSizeGripActive(false); // the frame has maximized the form
    EXPECT_FALSE(bar->HasGrip());
    EXPECT_EQ(child->Width(), 700);
    bar->SetSizeGripActive(true);
    EXPECT_EQ(child->Width(), 679);
}

TEST_F(StatusBarLayout, StoredForm_ReadsSizeGrip)
{
    RegisterSkinControlClasses();
    TForm form(nullptr);
    ReadComponentFromText(&form, "object F: TForm\n  object S: TskSkinStatusBar\n    SizeGrip = True\n  end\nend\n");
    auto* bar = dynamic_cast<TskSkinStatusBar*>(form.FindComponent("S"));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->SizeGrip());
}

TEST_F(StatusBarGrip, WithoutSkin_RidgesOfShadowAndLightEveryThreePixels)
{
    auto* bar = Bar();
    bar->SetSizeGrip(true);
    ShowForm();
    Save("StatusBar_Default");
    EXPECT_EQ(bar->GripRect(), Rect(679, 0, 700, 21));
    EXPECT_EQ(At(699, 499), Px(clBtnFace));
    EXPECT_EQ(At(698, 499), Px(clBtnShadow));
    EXPECT_EQ(At(699, 498), Px(clBtnShadow));
    EXPECT_EQ(At(697, 499), Px(clBtnHighlight));
    EXPECT_EQ(At(696, 499), Px(clBtnFace));
    EXPECT_EQ(At(695, 499), Px(clBtnShadow));
    EXPECT_EQ(At(694, 499), Px(clBtnHighlight));
    EXPECT_EQ(At(690, 489), Px(clBtnShadow)); // diagonal 19 of the square crosses the middle
    EXPECT_EQ(At(689, 489), Px(clBtnHighlight));
    EXPECT_EQ(At(670, 499), Px(clBtnFace));   // nothing left of the square
}

TEST_F(StatusBarGrip, SkinWithoutGripperPicture_RidgesInTheSkinsColours)
{
    auto* bar = Bar("plainbar");
    bar->SetSizeGrip(true);
    ShowForm();
    EXPECT_EQ(At(100, 490), Px(cClient)); // a frameless bar: the client texture edge to edge
    EXPECT_EQ(At(698, 499), Px(cSkinShadow));
    EXPECT_EQ(At(697, 499), Px(cSkinLight));
}

TEST_F(StatusBarGrip, GripperPicture_AtTheBottomRightCornerWithItsTransparentColour)
{
    auto* bar = Bar("statusbar");
    auto* child = Make<TskSkinPanel>(bar, Rect(0, 0, 10, 10), false);
    child->SetAlign(alClient);
    bar->SetSizeGrip(true);
    ShowForm();
    Save("StatusBar_Gripper");
    EXPECT_EQ(bar->GripRect(), Rect(692, 13, 700, 21));
    EXPECT_EQ(child->Width(), 692); // the child covers the bar up to the grip, not beyond
    EXPECT_EQ(At(699, 499), Px(cGrip));
    EXPECT_EQ(At(696, 496), Px(cGrip));
    EXPECT_EQ(At(692, 492), Px(cClient)); // the white corner of the piece lets the bar show
    EXPECT_EQ(At(698, 499 - 9), Px(cClient));
}

TEST_F(StatusBarGrip, HitTest_SizesTheFormOverTheGripOnly)
{
    auto* bar = Bar();
    ShowForm();
    EXPECT_NE(SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(695, 495)), HTBOTTOMRIGHT);
    bar->SetSizeGrip(true);
    EXPECT_EQ(SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(695, 495)), HTBOTTOMRIGHT);
    EXPECT_EQ(SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(100, 490)), HTCLIENT);
    bar->SetSizeGripActive(false);
    EXPECT_NE(SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(695, 495)), HTBOTTOMRIGHT);
}
