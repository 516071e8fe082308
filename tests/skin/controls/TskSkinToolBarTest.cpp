#include "skin/controls/TskSkinToolBar.h"

#include "BarsTestSkin.h"
#include "platform/vcl/TBevel.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskSkinBevel.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"

using namespace skintest;

namespace {

// A tool bar as the form designer holds it.
class TDesignedToolBar : public TskSkinToolBar {
public:
    explicit TDesignedToolBar(TComponent* AOwner) : TskSkinToolBar(AOwner) { IncludeState(csDesigning); }
};

struct ToolBarTest : SkinFormTest {
    TBarsSkin Bars;
    void SetUp() override
    {
        SkinFormTest::SetUp();
        RegisterSkinControlClasses();
    }
    TskSkinToolBar* Bar(TRect R, bool Skinned)
    {
        auto* b = new TskSkinToolBar(Form);
        b->SetParent(Form);
        if (Skinned) b->SetSkinData(Bars.Skin.get());
        b->SetBoundsRect(R);
        return b;
    }
    TskSkinSpeedButton* Button(TWinControl* Parent, int Left, int Width = 50)
    {
        auto* b = new TskSkinSpeedButton(Form);
        b->SetParent(Parent);
        b->SetUseSkinSize(false);
        b->SetBounds(Left, 1, Width, 22);
        return b;
    }
    // A scrolling bar 100 wide holding a row 300 wide.
    TskSkinToolBar* ScrollingBar(bool Skinned)
    {
        auto* bar = Bar(Rect(0, 0, 100, 25), Skinned);
        bar->SetCanScroll(true);
        for (int i = 0; i < 6; ++i) Button(bar, i * 50);
        ShowForm();
        bar->SetBounds(10, 10, 100, 25);
        Driver.ProcessMessages();
        return bar;
    }
};

using ToolBarChildren = ToolBarTest;
using ToolBarScrolling = ToolBarTest;
using ToolBarLook = ToolBarTest;

} // namespace

TEST_F(ToolBarChildren, Creation_ToolPanelTwentyFiveHighWithoutBorder)
{
    auto* bar = new TskSkinToolBar(Form);
    EXPECT_EQ(bar->SkinDataName(), "toolpanel");
    EXPECT_EQ(bar->Height(), 25);
    EXPECT_EQ(bar->BorderStyle(), bvNone);
    EXPECT_TRUE(bar->AdjustControls());
    bar->SetScrollTimerInterval(0);
    EXPECT_EQ(bar->ScrollTimerInterval(), 50);
    bar->SetScrollOffset(-5);
    EXPECT_EQ(bar->ScrollOffset(), 0);
}

TEST_F(ToolBarChildren, RenamedAtDesignTime_ChildButtonsFollowTheBigNames)
{
    auto* bar = new TDesignedToolBar(Form);
    bar->SetParent(Form);
    auto* plain = Button(bar, 0);
    auto* menu = new TskSkinMenuSpeedButton(Form);
    menu->SetParent(bar);
    auto* track = new TskSkinMenuSpeedButton(Form);
    track->SetParent(bar);
    track->SetTrackButtonMode(true);
    bar->SetSkinDataName("bigtoolpanel");
    EXPECT_EQ(plain->SkinDataName(), "bigtoolbutton");
    EXPECT_EQ(menu->SkinDataName(), "bigtoolmenubutton");
    EXPECT_EQ(track->SkinDataName(), "bigtoolmenutrackbutton");
    bar->SetSkinDataName("panel");
    EXPECT_EQ(track->SkinDataName(), "resizebutton");
    bar->SetSkinDataName("resizetoolpanel");
    EXPECT_EQ(plain->SkinDataName(), "resizetoolbutton");
    bar->SetSkinDataName("toolpanel");
    EXPECT_EQ(plain->SkinDataName(), "toolbutton");
    EXPECT_EQ(menu->SkinDataName(), "toolmenubutton");
    EXPECT_EQ(track->SkinDataName(), "toolmenutrackbutton");
}

TEST_F(ToolBarChildren, RenamedAtRunTime_ChildNamesStay)
{
    auto* bar = Bar(Rect(0, 0, 200, 25), false);
    auto* plain = Button(bar, 0);
    bar->SetSkinDataName("bigtoolpanel");
    EXPECT_EQ(plain->SkinDataName(), "toolbutton");
}

TEST_F(ToolBarChildren, SkinDataAndFlat_HandedToButtonsAndBevels)
{
    auto* bar = Bar(Rect(0, 0, 200, 25), false);
    auto* b = Button(bar, 0);
    auto* bevel = new TskSkinBevel(Form);
    bevel->SetParent(bar);
    bar->SetSkinData(Bars.Skin.get());
    EXPECT_EQ(b->SkinData(), Bars.Skin.get());
    EXPECT_EQ(bevel->SkinData(), Bars.Skin.get());
    bar->SetFlat(true);
    EXPECT_TRUE(b->Flat());
}

TEST_F(ToolBarChildren, ShowCaptions_SwitchesCaptionsAndWidthOnlyWhenBothWidthsSet)
{
    auto* bar = Bar(Rect(0, 0, 300, 25), false);
    auto* b = Button(bar, 0);
    bar->SetAutoShowHideCaptions(true);
    bar->SetWidthWithCaptions(200);
    bar->SetShowCaptions(true);
    EXPECT_TRUE(b->ShowCaption());
    EXPECT_EQ(bar->Width(), 300); // WidthWithoutCaptions is 0: no width change
    bar->SetShowCaptions(false);
    EXPECT_FALSE(b->ShowCaption());
    bar->SetWidthWithoutCaptions(120);
    bar->SetShowCaptions(true);
    EXPECT_EQ(bar->Width(), 200);
    bar->SetShowCaptions(false);
    EXPECT_EQ(bar->Width(), 120);
}

TEST_F(ToolBarChildren, ImageListsFreed_AreForgotten)
{
    auto* bar = Bar(Rect(0, 0, 300, 25), false);
    auto* list = new TCustomImageList(Form);
    bar->SetImages(list);
    bar->SetHotImages(list);
    bar->SetDisabledImages(list);
    delete list;
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(bar->HotImages(), nullptr);
    EXPECT_EQ(bar->DisabledImages(), nullptr);
}

TEST_F(ToolBarChildren, ForeignAndSkinnedControls_AllCentredVertically)
{
    auto* bar = Bar(Rect(0, 0, 300, 40), false);
    auto* foreign = new TBevel(Form);
    foreign->SetParent(bar);
    foreign->SetBounds(100, 0, 10, 10);
    auto* b = Button(bar, 0);
    b->SetBounds(0, 3, 50, 22);
    auto* spacer = new TskSkinBevel(Form);
    spacer->SetParent(bar);
    spacer->SetBounds(200, 0, 10, 16);
    ShowForm();
    bar->SetBounds(0, 0, 300, 40);
    // The default look's client area is inset by one pixel: 1..39, centre 20.
    EXPECT_EQ(foreign->Top(), 20 - 5);
    EXPECT_EQ(b->Top(), 20 - 11);
    EXPECT_EQ(spacer->Top(), 20 - 8);
    // Asked for another top, a skinned control still keeps to the middle; without AdjustControls not.
    b->SetBounds(0, 0, 50, 22);
    EXPECT_EQ(b->Top(), 20 - 11);
    bar->SetAdjustControls(false);
    b->SetBounds(0, 0, 50, 22);
    EXPECT_EQ(b->Top(), 0);
}

TEST_F(ToolBarScrolling, OverflowingRow_ShowsTheTwelvePixelButtons)
{
    auto* bar = ScrollingBar(false);
    EXPECT_TRUE(bar->ScrollButtonsVisible());
    EXPECT_EQ(bar->ClientWidth(), 100 - 24);
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(bar->MaxScrollPosition(), 300 - 76);
}

TEST_F(ToolBarScrolling, RowThatFits_NoButtons)
{
    auto* bar = Bar(Rect(0, 0, 400, 25), false);
    bar->SetCanScroll(true);
    Button(bar, 0);
    ShowForm();
    bar->SetBounds(0, 0, 400, 25);
    EXPECT_FALSE(bar->ScrollButtonsVisible());
    EXPECT_EQ(bar->ClientWidth(), 400);
}

TEST_F(ToolBarScrolling, ClicksWithOffsetZero_StepAWholeClientWidthAndStopAtTheEnd)
{
    auto* bar = ScrollingBar(false);
    TControl* first = bar->Controls(0);
    const int right = 10 + 100 - 6; // inside the right scroll button
    Driver.Click(Point(right, 20));
    EXPECT_EQ(bar->ScrollPosition(), 76);
    EXPECT_EQ(first->Left(), -76);
    Driver.Click(Point(right, 20));
    Driver.Click(Point(right, 20));
    Driver.Click(Point(right, 20));
    EXPECT_EQ(bar->ScrollPosition(), bar->MaxScrollPosition());
    EXPECT_EQ(first->Left(), -bar->MaxScrollPosition());
    Driver.Click(Point(16, 20)); // the left button
    EXPECT_EQ(bar->ScrollPosition(), bar->MaxScrollPosition() - 76);
    EXPECT_EQ(first->Left(), -(bar->MaxScrollPosition() - 76));
    EXPECT_EQ(bar->ScrollMode(), 0);
}

TEST_F(ToolBarScrolling, HeldButton_StepsOnTheTimerUntilReleased)
{
    auto* bar = ScrollingBar(false);
    bar->SetScrollOffset(10);
    Driver.MoveTo(Point(10 + 100 - 6, 20));
    Driver.ButtonDown();
    EXPECT_EQ(bar->ScrollMode(), 2);
    Driver.AdvanceClock(50);
    EXPECT_EQ(bar->ScrollPosition(), 10);
    Driver.AdvanceClock(100);
    EXPECT_EQ(bar->ScrollPosition(), 30);
    Driver.ButtonUp();
    EXPECT_EQ(bar->ScrollPosition(), 40); // the release steps once more
    EXPECT_EQ(bar->ScrollMode(), 0);
    Driver.AdvanceClock(500);
    EXPECT_EQ(bar->ScrollPosition(), 40);
}

TEST_F(ToolBarScrolling, Widening_BringsTheRowBackAndHidesTheButtonsWhenAllFits)
{
    auto* bar = ScrollingBar(false);
    Driver.Click(Point(10 + 100 - 6, 20));
    ASSERT_EQ(bar->ScrollPosition(), 76);
    bar->SetBounds(10, 10, 500, 25);
    EXPECT_FALSE(bar->ScrollButtonsVisible());
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(bar->Controls(0)->Left(), 0);
}

TEST_F(ToolBarLook, ScrollButtons_DefaultAndSkinnedPictures)
{
    ScrollingBar(false);
    Save("ToolBar_DefaultScrollButtons");
    EXPECT_EQ(At(10, 10), Px(clBtnShadow));
    EXPECT_EQ(At(12, 20), Px(clBtnFace));
    Driver.MoveTo(Point(12, 20));
    EXPECT_EQ(At(10, 10), Px(SkinNavyFrame));
    EXPECT_EQ(At(12, 20), Px(SkinHotFill));
}

TEST_F(ToolBarLook, ScrollButtons_FromTheResizeButtonEntry)
{
    ScrollingBar(true);
    Save("ToolBar_SkinnedScrollButtons");
    EXPECT_EQ(At(12, 20), Px(cScrollRest));
    Driver.MoveTo(Point(10 + 100 - 3, 20));
    EXPECT_EQ(At(10 + 100 - 3, 12), Px(cScrollHot));
    Driver.ButtonDown();
    EXPECT_EQ(At(10 + 100 - 3, 12), Px(cScrollDown));
    Driver.ButtonUp();
}

// The 10 x 10 picture made a 12 x 25 button: the corners as they are, the top, right and bottom edges
// tiled (their stripes keep alternating), the left edge stretched as its flag says (each stripe grows).
TEST_F(ToolBarLook, ScrollButtons_ComposedInNinePartsByTheEdgeFlags)
{
    ScrollingBar(true);
    Save("ToolBar_NinePartScrollButton");
    auto px = [&](int x, int y) { return At(10 + x, 10 + y); }; // the left button, in its own pixels
    auto stripe = [](int i) { return Px(i % 2 == 0 ? cScrollStripeA : cScrollStripeB); };
    for (TPoint corner : {Point(0, 0), Point(11, 0), Point(0, 24), Point(11, 24)}) {
        SCOPED_TRACE(testing::Message() << "corner " << corner.X << "," << corner.Y);
        EXPECT_EQ(px(corner.X, corner.Y), Px(cScrollCorner));
    }
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(testing::Message() << "across " << k);
        EXPECT_EQ(px(2 + k, 0), stripe(k));  // top, tiled
        EXPECT_EQ(px(2 + k, 24), stripe(k)); // bottom, tiled
    }
    for (int k = 0; k < 21; ++k) {
        SCOPED_TRACE(testing::Message() << "down " << k);
        EXPECT_EQ(px(11, 2 + k), stripe(k)); // right, tiled
    }
    // Left, stretched: 6 stripes over 21 rows, three or four rows each.
    for (int k : {0, 1, 2}) EXPECT_EQ(px(0, 2 + k), Px(cScrollStripeA)) << k;
    for (int k : {18, 19, 20}) EXPECT_EQ(px(0, 2 + k), Px(cScrollStripeB)) << k;
    EXPECT_EQ(px(5, 5), Px(cScrollRest)); // the client piece
}

TEST_F(ToolBarLook, FlatBar_ButtonsShowTheBarAtRestAndTheHotPictureUnderThePointer)
{
    auto* bar = Bar(Rect(0, 0, 300, 30), true);
    auto* b = Button(bar, 10);
    b->SetSkinData(Bars.Skin.get());
    bar->SetFlat(true);
    ShowForm();
    Save("ToolBar_SkinnedFlat");
    EXPECT_EQ(At(12, 5), Px(cToolPanel));
    Driver.MoveTo(Point(30, 10));
    Driver.AdvanceClock(200);
    EXPECT_EQ(At(12, 5), Px(cActive));
}

TEST(ToolBarRegistration, KnownToTheFormReaderWithItsProperties)
{
    RegisterSkinControlClasses();
    const TClassInfo* info = FindClassInfo("TskSkinToolBar");
    ASSERT_NE(info, nullptr);
    for (const char* name : {"AdjustControls", "CanScroll", "HotScroll", "ScrollOffset", "ScrollTimerInterval",
             "ShowCaptions", "AutoShowHideCaptions", "WidthWithCaptions", "WidthWithoutCaptions", "Flat", "Images",
             "HotImages", "DisabledImages", "BorderStyle"})
        EXPECT_NE(info->FindProp(name), nullptr) << name;
}
