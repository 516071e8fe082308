#include "skin/form/SkinButtonObjects.h"

#include <gtest/gtest.h>

#include "platform/vcl/TMenu.h"
#include "skin/data/SkinEntryWords.h"
#include "tests/skin/form/SkinObjectsTestSupport.h"

using namespace objtest;

namespace {

struct SkinButtonObjectsTest : SkinObjectsTest {
    // A click as the frame delivers it: the pointer comes, presses, releases.
    void Click(TskActiveSkinObject* o)
    {
        o->MouseEnter();
        o->MouseDown(X(o, 2), Y(o, 2), mbLeft);
        o->MouseUp(X(o, 2), Y(o, 2), mbLeft);
    }
};

} // namespace

// ---- What a free button shows ----

TEST_F(SkinButtonObjectsTest, Button_AtRest_ShowsNormalImage)
{
    EXPECT_EQ(ColourAt(Obj<TskSkinButtonObject>("btn")), cNormal);
}

TEST_F(SkinButtonObjectsTest, Button_Hovered_ShowsActiveImage)
{
    auto* b = Obj<TskSkinButtonObject>("btn");
    b->MouseEnter();
    EXPECT_EQ(ColourAt(b), cActive);
}

TEST_F(SkinButtonObjectsTest, Button_PressedUnderPointer_ShowsDownImage)
{
    auto* b = Obj<TskSkinButtonObject>("btn");
    b->MouseEnter();
    b->MouseDown(X(b, 2), Y(b, 2), mbLeft);
    EXPECT_TRUE(b->Down);
    EXPECT_EQ(ColourAt(b), cDown);
}

TEST_F(SkinButtonObjectsTest, Button_HeldWhilePointerLeaves_ShowsNormalImage)
{
    auto* b = Obj<TskSkinButtonObject>("btn");
    b->MouseEnter();
    b->MouseDown(X(b, 2), Y(b, 2), mbLeft);
    b->MouseLeave();
    EXPECT_EQ(ColourAt(b), cNormal);
    b->MouseEnter();
    EXPECT_EQ(ColourAt(b), cDown);
}


TEST_F(SkinButtonObjectsTest, Button_Disabled_ShowsDisabledImageAndIgnoresTheMouse)
{
    auto* b = Obj<TskSkinButtonObject>("btn");
    b->Enabled = false;
    Click(b);
    EXPECT_FALSE(b->Down);
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(ColourAt(b), cDisabled);
}

TEST_F(SkinButtonObjectsTest, Button_WindowInactive_ShowsInactiveImageOnlyWhenEnabled)
{
    auto* m = Obj<TskSkinStdButtonObject>("maxbtn");
    Frame->SetForcedActive(false);
    EXPECT_EQ(ColourAt(m), cInactive);
    m->Enabled = false;
    EXPECT_EQ(ColourAt(m), cDisabled);
}

// ---- Events of a free button ----

TEST_F(SkinButtonObjectsTest, Button_Click_RaisesEnterDownUpInOrder)
{
    Click(Obj<TskSkinButtonObject>("btn"));
    EXPECT_EQ(Events, (std::vector<std::string>{"enter btn", "down btn", "up btn"}));
}

TEST_F(SkinButtonObjectsTest, Button_ReleasedAfterPointerLeft_RaisesNoMouseUp)
{
    auto* b = Obj<TskSkinButtonObject>("btn");
    b->MouseEnter();
    b->MouseDown(X(b, 2), Y(b, 2), mbLeft);
    b->MouseLeave();
    b->MouseUp(-1, -1, mbLeft);
    EXPECT_FALSE(b->Down);
    EXPECT_EQ(Events, (std::vector<std::string>{"enter btn", "down btn", "leave btn"}));
}

TEST_F(SkinButtonObjectsTest, Button_DisabledUnderPointer_ReleaseIsNoClick)
{
    auto* b = Obj<TskSkinButtonObject>("btn");
    b->MouseEnter();
    b->Enabled = false;
    b->MouseLeave();
    b->Enabled = true;
    b->MouseUp(X(b, 2), Y(b, 2), mbLeft);
    EXPECT_EQ(Events, (std::vector<std::string>{"enter btn"}));
}

// ---- Grouped buttons ----

TEST_F(SkinButtonObjectsTest, Group_PressingSecond_ReleasesFirst)
{
    auto* g1 = Obj<TskSkinButtonObject>("grp1");
    auto* g2 = Obj<TskSkinButtonObject>("grp2");
    Click(g1);
    g1->MouseLeave();
    EXPECT_TRUE(g1->Down);
    EXPECT_EQ(ColourAt(g1), cDown); // a grouped button stays drawn down when the pointer left
    Click(g2);
    EXPECT_FALSE(g1->Down);
    EXPECT_TRUE(g2->Down);
    EXPECT_EQ(ColourAt(g1), cNormal);
}

TEST_F(SkinButtonObjectsTest, Group_PressingTheDownButtonAgain_ChangesNothing)
{
    auto* g1 = Obj<TskSkinButtonObject>("grp1");
    Click(g1);
    Events.clear();
    g1->MouseDown(X(g1, 2), Y(g1, 2), mbLeft);
    g1->MouseUp(X(g1, 2), Y(g1, 2), mbLeft);
    EXPECT_TRUE(g1->Down);
    EXPECT_EQ(ColourAt(g1), cDown);
}

// ---- Caption buttons ----

TEST_F(SkinButtonObjectsTest, Close_ReleasedInside_ClosesTheForm)
{
    int closes = 0;
    Form->OnClose = [&](TObject*, TCloseAction& Action) {
        ++closes;
        Action = caNone;
    };
    Click(Obj<TskSkinStdButtonObject>("closebtn"));
    EXPECT_EQ(closes, 1);
}

TEST_F(SkinButtonObjectsTest, Close_ReleasedOutside_ClosesNothing)
{
    int closes = 0;
    Form->OnClose = [&](TObject*, TCloseAction& Action) {
        ++closes;
        Action = caNone;
    };
    auto* c = Obj<TskSkinStdButtonObject>("closebtn");
    c->MouseEnter();
    c->MouseDown(X(c, 2), Y(c, 2), mbLeft);
    c->MouseLeave();
    c->MouseUp(-1, -1, mbLeft);
    EXPECT_EQ(closes, 0);
    // A caption button raises no mouse-down or mouse-up event.
    EXPECT_EQ(Events, (std::vector<std::string>{"enter closebtn", "leave closebtn"}));
    EXPECT_FALSE(c->Down);
}


TEST_F(SkinButtonObjectsTest, Maximize_Click_MaximizesAndShowsRestoreImagesAndHint)
{
    auto* m = Obj<TskSkinStdButtonObject>("maxbtn");
    m->MouseEnter();
    EXPECT_EQ(m->Hint, "Maximize");
    m->MouseDown(X(m, 2), Y(m, 2), mbLeft);
    m->MouseUp(X(m, 2), Y(m, 2), mbLeft);
    ASSERT_TRUE(Frame->Maximized());
    EXPECT_EQ(ColourAt(m), cRestoreActive); // still under the pointer
    m->MouseLeave();
    EXPECT_EQ(ColourAt(m), cRestore);
    m->MouseEnter();
    EXPECT_EQ(m->Hint, "Restore");
    m->MouseDown(X(m, 2), Y(m, 2), mbLeft);
    EXPECT_EQ(ColourAt(m), cRestoreDown);
    m->MouseUp(X(m, 2), Y(m, 2), mbLeft);
    EXPECT_FALSE(Frame->Maximized());
    EXPECT_EQ(ColourAt(m), cActive);
}

TEST_F(SkinButtonObjectsTest, SystemMenuButton_OpensMenuOnPress)
{
    TPopupMenu menu(Form);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Item");
    menu.Items()->Add(item);
    Frame->SetSystemMenu(&menu);
    int opens = 0;
    Frame->OnSkinMenuOpen = [&](TObject*) { ++opens; };
    auto* s = Obj<TskSkinStdButtonObject>("sysbtn");
    s->MouseEnter();
    s->MouseDown(X(s, 2), Y(s, 2), mbLeft);
    EXPECT_EQ(opens, 1);
    EXPECT_TRUE(s->Down);
    EXPECT_EQ(s->MenuItem, menu.Items());
    // The menu closing releases the button.
    Frame->SkinMenuClose();
    EXPECT_FALSE(s->Down);
    Frame->SetSystemMenu(nullptr);
}

TEST_F(SkinButtonObjectsTest, SystemMenuButton_DoubleClick_ClosesTheForm)
{
    int closes = 0;
    Form->OnClose = [&](TObject*, TCloseAction& Action) {
        ++closes;
        Action = caNone;
    };
    Obj<TskSkinStdButtonObject>("sysbtn")->DblClick();
    Obj<TskSkinStdButtonObject>("maxbtn")->DblClick();
    EXPECT_EQ(closes, 1);
}

// ---- Caption buttons without a skin ----

TEST_F(SkinButtonObjectsTest, DefaultLook_FollowsHoverAndPress)
{
    TskSkinStdButtonObject b(Frame, nullptr);
    b.Command = cmClose;
    b.ObjectRect = TRect{20, 20, 40, 38};
    EXPECT_EQ(ColourAt(&b, 0, 0), ColorToRGB(clBtnFace));
    b.Active = true;
    EXPECT_EQ(ColourAt(&b, 0, 0), 0x800000);
    EXPECT_EQ(ColourAt(&b, 1, 1), 0xD2BDB6);
    b.Down = true;
    EXPECT_EQ(ColourAt(&b, 1, 1), 0xB59385);
}


// ---- Animated buttons ----


TEST_F(SkinButtonObjectsTest, Animate_Hover_PlaysForwardAndStopsOnLastFrame)
{
    auto* a = Obj<TskSkinAnimateObject>("anim");
    EXPECT_EQ(ColourAt(a), cF1);
    a->MouseEnter();
    std::vector<TColor> shown;
    while (a->AnimateStep()) shown.push_back(ColourAt(a));
    EXPECT_EQ(shown, (std::vector<TColor>{cF2, cF3, cF4}));
    EXPECT_EQ(a->Frame, 4);
}

TEST_F(SkinButtonObjectsTest, Animate_Leave_PlaysBackToFirstFrame)
{
    auto* a = Obj<TskSkinAnimateObject>("anim");
    a->MouseEnter();
    a->AnimateStep();
    a->AnimateStep();
    a->MouseLeave();
    std::vector<TColor> shown;
    while (a->AnimateStep()) shown.push_back(ColourAt(a));
    EXPECT_EQ(shown, (std::vector<TColor>{cF2, cF1}));
}

TEST_F(SkinButtonObjectsTest, Animate_Cycle_LoopsWhileHovered)
{
    auto* a = Obj<TskSkinAnimateObject>("anim");
    a->Cycle = true;
    a->MouseEnter();
    std::vector<int> frames;
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(a->AnimateStep());
        frames.push_back(a->Frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 1, 2, 3}));
}

TEST_F(SkinButtonObjectsTest, Animate_Interval_CountsTicksBetweenFrames)
{
    auto* a = Obj<TskSkinAnimateObject>("anim");
    EXPECT_EQ(a->Interval, 25); // the skin's 10 is shorter than a tick
    a->Interval = 100;
    a->MouseEnter();
    int ticks = 0;
    while (a->Frame == 1 && a->AnimateStep()) ++ticks;
    EXPECT_EQ(ticks, 4); // three ticks gather 75 ms, the fourth steps
}

TEST_F(SkinButtonObjectsTest, Animate_WithoutButtonStyle_NeverRuns)
{
    auto* a = Obj<TskSkinAnimateObject>("anim");
    a->ButtonStyle = false;
    a->MouseEnter();
    EXPECT_FALSE(a->AnimateStep());
    EXPECT_EQ(a->Frame, 1);
}

TEST_F(SkinButtonObjectsTest, Animate_WithoutFrames_StopsInsteadOfRunningForever)
{
    auto* a = Obj<TskSkinAnimateObject>("anim");
    a->CountFrames = 0;
    a->MouseEnter();
    int ticks = 0;
    while (a->AnimateStep() && ticks < 100) ++ticks;
    a->MouseLeave();
    while (a->AnimateStep() && ticks < 100) ++ticks;
    EXPECT_LT(ticks, 100);
    EXPECT_EQ(a->Frame, 1);
}


TEST_F(SkinButtonObjectsTest, Animate_DefaultCommandWithoutMenu_NeverWaitsForAMenu)
{
    auto* a = Obj<TskSkinAnimateObject>("anim");
    Click(a);
    EXPECT_FALSE(a->MenuOpened);
    EXPECT_EQ(Events, (std::vector<std::string>{"enter anim", "down anim", "up anim"}));
}

// ---- Registration ----


// ---- Through the window: the frame routes the pointer to the objects ----

TEST_F(SkinButtonObjectsTest, Window_ClickOnAButton_ReachesItThroughTheFrame)
{
    Form->Show();
    Driver.ProcessMessages();
    auto* b = Obj<TskSkinButtonObject>("btn");
    const TPoint at{Form->Left() + X(b, 5), Form->Top() + Y(b, 5)};
    Driver.MoveTo(at);
    Driver.ProcessMessages();
    Driver.Click(at);
    Driver.ProcessMessages();
    EXPECT_EQ(Events, (std::vector<std::string>{"enter btn", "down btn", "up btn"}));
    EXPECT_EQ(Driver.PixelAt(Form->Handle(), X(b, 5), Y(b, 5)) & 0xFFFFFF, ColorToPixel(cActive) & 0xFFFFFF);
    Driver.SaveWindow(Form->Handle(), "skin-objects-form", OMBRIX_TEST_PICTURES);
}
