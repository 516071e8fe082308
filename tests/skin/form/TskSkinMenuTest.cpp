#include "skin/form/TskSkinMenu.h"

#include <gtest/gtest.h>

#include "SkinMenuTestSupport.h"
#include "platform/vcl/TApplication.h"

using namespace menutest;

// ---- opening ----

TEST_F(SkinMenuTest, Popup_OpensOneVisibleWindowBelowThePoint)
{
    PopupAt(100, 120);
    ASSERT_TRUE(Menu->Active());
    ASSERT_EQ(Menu->WindowCount(), 1);
    EXPECT_TRUE(IsWindowVisible(Window(0)->Handle()));
    EXPECT_EQ(Window(0)->WindowPos(), Point(100, 120));
    EXPECT_EQ(Window(0)->ItemCount(), 6);
}

TEST_F(SkinMenuTest, Popup_FirstSelectableItemHighlightedWithoutOpeningItsSubmenu)
{
    Open->SetEnabled(false);
    Save->SetVisible(false);
    PopupAt(100, 100);
    // Open is disabled, Save hidden, the separator skipped: More is first, and its submenu stays shut.
    EXPECT_EQ(Window(0)->ActiveItem(), 2);
    EXPECT_TRUE(Window(0)->Items(2)->MouseIn);
    Driver.AdvanceClock(1000);
    EXPECT_EQ(Menu->WindowCount(), 1);
}

TEST_F(SkinMenuTest, Popup_ItemWithoutSubitemsOrFirstIndexPastEnd_OpensNothing)
{
    Menu->Popup(nullptr, nullptr, 0, Rect(10, 10, 10, 10), Open, false);
    EXPECT_FALSE(Menu->Active());
    Menu->Popup(nullptr, nullptr, 6, Rect(10, 10, 10, 10), PM->Items(), false);
    EXPECT_FALSE(Menu->Active());
    EXPECT_EQ(Menu->WindowCount(), 0);
}

TEST_F(SkinMenuTest, Popup_WhileOpen_ClosesTheEarlierChainFirst)
{
    int closed = 0;
    PopupAt(100, 100);
    Menu->OnMenuClose = [&](TObject*) { ++closed; };
    PopupAt(300, 100);
    EXPECT_EQ(closed, 1);
    ASSERT_EQ(Menu->WindowCount(), 1);
    EXPECT_EQ(Window(0)->WindowPos(), Point(300, 100));
}

TEST_F(SkinMenuTest, PopupWithItems_ShowsBothListsAsOneMenu)
{
    Menu->PopupWithItems(nullptr, nullptr, 5, Rect(50, 50, 50, 50), PM->Items(), More, false);
    ASSERT_EQ(Menu->WindowCount(), 1);
    ASSERT_EQ(Window(0)->ItemCount(), 3);
    EXPECT_EQ(Window(0)->Items(0)->MenuItem, Exit);
    EXPECT_EQ(Window(0)->Items(2)->MenuItem, SubB);
}

// ---- choosing with the mouse ----

TEST_F(SkinMenuTest, ClickOnItem_RunsItsClickOnceAfterTheChainClosed)
{
    auto* ctrl = new TRecordingControl(Form, &Log);
    ctrl->SetParent(Form);
    ctrl->SetBounds(10, 10, 20, 20);
    PopupAt(100, 100, nullptr, ctrl);
    Menu->OnMenuClose = [this](TObject*) { Log.push_back("menu close"); };
    Driver.Click(ItemPoint(0, 5));
    EXPECT_FALSE(Menu->Active());
    EXPECT_EQ(Menu->WindowCount(), 0);
    const std::vector<std::string> expected{"ctrl close", "menu close", "form close", "click E&xit", "ctrl after"};
    EXPECT_EQ(Log, expected);
}

TEST_F(SkinMenuTest, ClickOnSeparatorOrDisabledItem_DoesNothing)
{
    PopupAt(100, 100);
    Driver.Click(ItemPoint(0, 2));
    Driver.Click(ItemPoint(0, 4));
    EXPECT_TRUE(Menu->Active());
    EXPECT_TRUE(Log.empty());
}

TEST_F(SkinMenuTest, ClickOutsideOnTheForm_ClosesTheChainWithoutRunningAnything)
{
    PopupAt(100, 100);
    Driver.Click(ItemPoint(0, 3));
    ASSERT_EQ(Menu->WindowCount(), 2);
    Driver.Click(Point(600, 450));
    EXPECT_FALSE(Menu->Active());
    EXPECT_EQ(Menu->WindowCount(), 0);
    EXPECT_EQ(Count("click E&xit"), 0);
    EXPECT_EQ(Count("form close"), 1);
}

TEST_F(SkinMenuTest, ClosedWindows_AreFreedOnceTheClickHasReturned)
{
    PopupAt(100, 100);
    const HWND h = Window(0)->Handle();
    Driver.Click(ItemPoint(0, 0));
    EXPECT_FALSE(IsWindow(h));
}

// ---- submenus ----

TEST_F(SkinMenuTest, SubmenuItem_OpensAfterResting500ms_AndRunsItsClickFirst)
{
    PopupAt(100, 100);
    HoverItem(0, 3);
    Driver.AdvanceClock(400);
    EXPECT_EQ(Menu->WindowCount(), 1);
    EXPECT_EQ(Count("click &More"), 0);
    Driver.AdvanceClock(100);
    ASSERT_EQ(Menu->WindowCount(), 2);
    EXPECT_EQ(Count("click &More"), 1);
    EXPECT_TRUE(Window(0)->Items(3)->Down);
    // The first submenu item stands level with its parent item.
    EXPECT_EQ(Window(1)->WindowPos().Y + Window(1)->ItemsRect().Top, Window(0)->WindowPos().Y + Window(0)->Items(3)->ObjectRect.Top);
    EXPECT_EQ(Window(1)->WindowPos().X, Window(0)->WindowPos().X + Window(0)->Items(3)->ObjectRect.Right + 1);
}

TEST_F(SkinMenuTest, SubmenuItem_PointerMovesOnBeforeTheDelay_OpensNothing)
{
    PopupAt(100, 100);
    HoverItem(0, 3);
    Driver.AdvanceClock(200);
    HoverItem(0, 5);
    Driver.AdvanceClock(1000);
    EXPECT_EQ(Menu->WindowCount(), 1);
    EXPECT_EQ(Count("click &More"), 0);
}

TEST_F(SkinMenuTest, MovingToAPlainItem_ClosesTheOpenSubmenuAtOnce)
{
    PopupAt(100, 100);
    Driver.Click(ItemPoint(0, 3));
    ASSERT_EQ(Menu->WindowCount(), 2);
    HoverItem(0, 5);
    EXPECT_EQ(Menu->WindowCount(), 1);
    EXPECT_FALSE(Window(0)->Items(3)->Down);
}

TEST_F(SkinMenuTest, ClickInSubmenu_RunsThatItemAndClosesEverything)
{
    PopupAt(100, 100);
    Driver.Click(ItemPoint(0, 3));
    ASSERT_EQ(Menu->WindowCount(), 2);
    Driver.Click(ItemPoint(1, 1));
    EXPECT_EQ(Count("click Sub B"), 1);
    EXPECT_FALSE(Menu->Active());
}

// ---- keyboard ----

TEST_F(SkinMenuTest, DownAndUp_SkipSeparatorsAndDisabledItems)
{
    PopupAt(100, 100);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Window(0)->ActiveItem(), 1);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Window(0)->ActiveItem(), 3);
    EXPECT_FALSE(Window(0)->Items(1)->MouseIn);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Window(0)->ActiveItem(), 5);
    Driver.Press(VK_UP);
    EXPECT_EQ(Window(0)->ActiveItem(), 3);
    // Entering a submenu item from the keyboard never opens it by itself.
    Driver.AdvanceClock(1000);
    EXPECT_EQ(Menu->WindowCount(), 1);
}

TEST_F(SkinMenuTest, DownOnTheLastItem_WrapsToTheFirst)
{
    PopupAt(100, 100);
    for (int i = 0; i < 3; ++i) Driver.Press(VK_DOWN);
    ASSERT_EQ(Window(0)->ActiveItem(), 5);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Window(0)->ActiveItem(), 0);
}

TEST_F(SkinMenuTest, DownOnLastSelectableItemFollowedByDisabledOnes_DoesNothing)
{
    Exit->SetEnabled(false);
    PopupAt(100, 100);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_DOWN);
    ASSERT_EQ(Window(0)->ActiveItem(), 3);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Window(0)->ActiveItem(), 3);
}

TEST_F(SkinMenuTest, Enter_RunsTheActiveItem)
{
    PopupAt(100, 100);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_RETURN);
    EXPECT_EQ(Count("click Save"), 1);
    EXPECT_FALSE(Menu->Active());
}

TEST_F(SkinMenuTest, RightOpensSubmenuAtOnce_EscapeClosesOnlyIt)
{
    PopupAt(100, 100);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_RIGHT);
    ASSERT_EQ(Menu->WindowCount(), 2);
    EXPECT_TRUE(Window(0)->Items(3)->Down);
    EXPECT_EQ(Window(1)->ActiveItem(), 0);
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Window(1)->ActiveItem(), 1);
    Driver.Press(VK_ESCAPE);
    ASSERT_EQ(Menu->WindowCount(), 1);
    EXPECT_FALSE(Window(0)->Items(3)->Down);
    EXPECT_TRUE(Menu->Active());
}

TEST_F(SkinMenuTest, LeftInTheRootWindow_DoesNothing_EscapeEndsTheMenu)
{
    PopupAt(100, 100);
    Driver.Press(VK_LEFT);
    EXPECT_TRUE(Menu->Active());
    Driver.Press(VK_ESCAPE);
    EXPECT_FALSE(Menu->Active());
    // The form learns it too, so that its menu state and keyboard hook go.
    EXPECT_EQ(Count("form close"), 1);
    EXPECT_TRUE(Log.size() == 1);
}

TEST_F(SkinMenuTest, Accelerator_ChoosesTheItemWhoseCaptionMarksTheKey)
{
    PopupAt(100, 100);
    Driver.Press('X');
    EXPECT_EQ(Count("click E&xit"), 1);
    EXPECT_FALSE(Menu->Active());
}

TEST_F(SkinMenuTest, AcceleratorOfASubmenuItem_OpensItsSubmenu)
{
    PopupAt(100, 100);
    Driver.Press('M');
    EXPECT_EQ(Menu->WindowCount(), 2);
    EXPECT_EQ(Window(0)->ActiveItem(), 3);
}

TEST_F(SkinMenuTest, AcceleratorOfADisabledItem_DoesNothing)
{
    Off->SetCaption("&Disabled");
    PopupAt(100, 100);
    Driver.Press('D');
    EXPECT_TRUE(Menu->Active());
    EXPECT_EQ(Menu->WindowCount(), 1);
    EXPECT_TRUE(Log.empty());
}

// ---- ending ----

TEST_F(SkinMenuTest, OnMenuClose_ServesOnePopupOnly)
{
    int closed = 0;
    PopupAt(100, 100);
    Menu->OnMenuClose = [&](TObject*) { ++closed; };
    Menu->HideAll();
    PopupAt(100, 100);
    Menu->HideAll();
    EXPECT_EQ(closed, 1);
}

TEST_F(SkinMenuTest, ClosingMessagesOfTheForm_AreExactlyTheListedOnes)
{
    for (UINT m : {WM_MOVE, WM_SIZE, WM_ACTIVATE, WM_KILLFOCUS, WM_CANCELMODE, WM_MOUSEACTIVATE, WM_NCLBUTTONDOWN,
             WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_PARENTNOTIFY})
        EXPECT_TRUE(IsMenuClosingMessage(m)) << m;
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_KEYDOWN, WM_PAINT, WM_TIMER, WM_SETFOCUS, WM_NCMOUSEMOVE})
        EXPECT_FALSE(IsMenuClosingMessage(m)) << m;
}

TEST_F(SkinMenuTest, MovingTheForm_ClosesTheMenu)
{
    PopupAt(100, 100);
    Form->SetBounds(10, 10, 700, 500);
    Driver.ProcessMessages();
    EXPECT_FALSE(Menu->Active());
}

// ---- handlers that free things ----

TEST_F(SkinMenuTest, OpeningControlFreedWhileOpen_IsNotToldLater)
{
    // Without a window of its own, so that its going does not close the menu through the form.
    auto* ctrl = new TRecordingControl(Form, &Log);
    PopupAt(100, 100, nullptr, ctrl);
    delete ctrl;
    ASSERT_TRUE(Menu->Active());
    EXPECT_EQ(Menu->PopupCtrl(), nullptr);
    Driver.Click(ItemPoint(0, 0));
    EXPECT_EQ(Count("click &Open"), 1);
    EXPECT_EQ(Count("ctrl close"), 0);
}

TEST_F(SkinMenuTest, ClickHandlerThatFreesTheForm_EndsCleanly)
{
    Exit->OnClick = [this](TObject*) {
        Log.push_back("exit");
        Form->Free();
        Form = nullptr;
        Menu = nullptr;
    };
    PopupAt(100, 100);
    Driver.Click(ItemPoint(0, 5));
    EXPECT_EQ(Count("exit"), 1);
    Driver.AdvanceClock(200);
}

TEST_F(SkinMenuTest, ClickHandlerThatOpensAnotherMenu_ShowsIt)
{
    Open->OnClick = [this](TObject*) { Menu->Popup(nullptr, nullptr, 0, Rect(300, 300, 300, 300), More, false); };
    PopupAt(100, 100);
    Driver.Click(ItemPoint(0, 0));
    ASSERT_EQ(Menu->WindowCount(), 1);
    EXPECT_EQ(Window(0)->ItemCount(), 2);
    EXPECT_TRUE(IsWindowVisible(Window(0)->Handle()));
}

TEST_F(SkinMenuTest, SkinFreedWhileOpen_ClosesTheMenu)
{
    auto skin = std::make_unique<TMenuSkin>();
    PopupAt(100, 100, skin->Skin.get());
    ASSERT_TRUE(Window(0)->Skinned());
    skin.reset();
    EXPECT_FALSE(Menu->Active());
    Driver.ProcessMessages();
}

// ---- fade-in ----

TEST_F(SkinMenuTest, FadeIn_RisesOnATimerWithoutHoldingUpThePopup)
{
    Menu->SetAlphaBlend(true);
    Menu->SetAlphaBlendAnimation(true);
    Menu->SetAlphaBlendValue(100);
    PopupAt(100, 100);
    TskSkinPopupWindow* w = Window(0);
    EXPECT_EQ(w->Opacity(), 0);
    Driver.AdvanceClock(5 * SkinPopupFadeInterval);
    EXPECT_EQ(w->Opacity(), 50);
    Driver.AdvanceClock(20 * SkinPopupFadeInterval);
    EXPECT_EQ(w->Opacity(), 100);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(w->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 100);
}

TEST_F(SkinMenuTest, FadeIn_OnlyTheRootWindowOfANewChainFades)
{
    Menu->SetAlphaBlend(true);
    Menu->SetAlphaBlendAnimation(true);
    PopupAt(100, 100);
    Driver.AdvanceClock(200);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_DOWN);
    Driver.Press(VK_RIGHT);
    ASSERT_EQ(Menu->WindowCount(), 2);
    EXPECT_EQ(Window(1)->Opacity(), 200);
    // A menu that replaces an open one (the frame's main menu moving along) comes at once.
    Menu->Popup(nullptr, nullptr, 0, Rect(300, 100, 300, 100), PM->Items(), false);
    EXPECT_EQ(Window(0)->Opacity(), 200);
}

TEST_F(SkinMenuTest, FadeIn_OwnerFreedDuringTheFade_NothingRunsOn)
{
    Menu->SetAlphaBlend(true);
    Menu->SetAlphaBlendAnimation(true);
    PopupAt(100, 100);
    const HWND h = Window(0)->Handle();
    Driver.AdvanceClock(10);
    Form->Free();
    Form = nullptr;
    Menu = nullptr;
    Driver.AdvanceClock(500);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(SkinMenuTest, FadeIn_MenuClosedDuringTheFade_StopsIt)
{
    Menu->SetAlphaBlend(true);
    Menu->SetAlphaBlendAnimation(true);
    PopupAt(100, 100);
    const HWND h = Window(0)->Handle();
    Driver.AdvanceClock(10);
    Driver.Press(VK_ESCAPE);
    EXPECT_FALSE(Menu->Active());
    Driver.AdvanceClock(500);
    EXPECT_FALSE(IsWindow(h));
}
