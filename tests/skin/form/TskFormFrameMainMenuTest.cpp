// The form's main menu on the skinned frame, driven the way a user drives it: the pointer on the items,
// a tap of Alt or F10, the arrows, Enter, Escape, Alt with an accelerator, and the menu's short cuts.
// Every key goes through the frame's own keyboard hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TMenu.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMainMenuBar.h"
#include "skin/form/TskSkinMainMenuItem.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupWindow.h"
#include "FrameTestSupport.h"

using namespace frametest;

namespace {

// The items stand in the top band right of the frame test skin's objects: (62, 16) to the right edge
// less 10 pixels. They are 10 pixels high, from the objects picture.
const char* const MenuArea = "mainmenurect=62,16,90,26\n";
const std::pair<std::string, std::string> MenuItemEntry{"MAINMENUITEM:mainmenuitem",
    "skinrectinapicture=1\nactivepictureindex=0\nskinrect=40,0,60,10\nactiveskinrect=0,0,20,10\n"
    "downrect=20,0,40,10\nitemleftoffset=3\nitemrightoffset=3\nfontname=DejaVu Sans\nfontheight=8\n"};

struct FrameMainMenu : FrameTest {
    TMainMenu* Menu = nullptr;
    TMenuItem *File = nullptr, *Open = nullptr, *SaveItem = nullptr, *Edit = nullptr, *Copy = nullptr, *View = nullptr,
              *Hidden = nullptr, *About = nullptr;
    std::vector<std::string> Log;
    std::unique_ptr<TFrameSkin> Skin;

    TMenuItem* Item(TMenuItem* Parent, const std::string& Name, const std::string& Caption)
    {
        auto* item = new TMenuItem(Form);
        item->SetName(Name);
        item->SetCaption(Caption);
        item->OnClick = [this, Name](TObject*) { Log.push_back("click " + Name); };
        Parent->Add(item);
        return item;
    }
    void SetUp() override
    {
        FrameTest::SetUp();
        Menu = new TMainMenu(Form);
        File = Item(Menu->Items(), "mnuFile", "&File");
        Open = Item(File, "mnuOpen", "&Open");
        Open->SetShortCut(ShortCut('O', false, true, false));
        SaveItem = Item(File, "mnuSave", "&Save");
        Edit = Item(Menu->Items(), "mnuEdit", "&Edit");
        Copy = Item(Edit, "mnuCopy", "&Copy");
        View = Item(Menu->Items(), "mnuView", "&View");
        Item(View, "mnuZoom", "&Zoom");
        View->SetEnabled(false);
        Hidden = Item(Menu->Items(), "mnuHidden", "Hidden");
        Hidden->SetVisible(false);
        About = Item(Menu->Items(), "mnuAbout", "&About");
        Frame->OnMainMenuEnter = [this](TObject*) { Log.push_back("enter"); };
        Frame->OnMainMenuExit = [this](TObject*) { Log.push_back("exit"); };
    }
    void UseMenuSkin(bool WithItemEntry = true)
    {
        Skin = std::make_unique<TFrameSkin>(MenuArea, "", false,
            WithItemEntry ? std::vector<std::pair<std::string, std::string>>{MenuItemEntry} : std::vector<std::pair<std::string, std::string>>{});
        Frame->SetSkinData(Skin->Skin.get());
    }
    void ShowActive()
    {
        ShowForm();
        Driver.FocusIn(Form->Handle());
        Driver.ProcessMessages();
    }
    void Key(WORD vk, bool alt = false)
    {
        Driver.Press(vk, false, false, alt);
        Driver.ProcessMessages();
    }
    TPoint Screen(const TRect& r) const { return TPoint{Form->Left() + (r.Left + r.Right) / 2, Form->Top() + (r.Top + r.Bottom) / 2}; }
    TskSkinMainMenuItem* Object(TMenuItem* item) const
    {
        for (TskSkinMainMenuItem* o : Frame->MainMenuItems())
            if (o->MenuItem == item) return o;
        return nullptr;
    }
    void ClickItem(TMenuItem* item)
    {
        Driver.Click(Screen(Object(item)->ObjectRect));
        Driver.ProcessMessages();
    }
    // The captions of the open menu's first window.
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> out;
        if (Frame->SkinMenu()->WindowCount() == 0) return out;
        TskSkinPopupWindow* w = Frame->SkinMenu()->Windows(0);
        for (int i = 0; i < w->ItemCount(); ++i) out.push_back(w->Items(i)->MenuItem->Name());
        return out;
    }
    // The item the keyboard mode lights, by menu item name ("" for none).
    std::string Lit() const
    {
        for (TskSkinMainMenuItem* o : Frame->MainMenuItems())
            if (o->Active || o->Down) return o->MenuItem->Name();
        return "";
    }
};

// ---- The items ----

TEST_F(FrameMainMenu, Items_OnePerVisibleTopLevelItem_InOrder_LeftToRightInTheMenuArea)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    const std::vector<TskSkinMainMenuItem*> items = Frame->MainMenuItems();
    ASSERT_EQ(items.size(), 4u) << "the invisible item has no object";
    EXPECT_EQ(items[0]->MenuItem, File);
    EXPECT_EQ(items[2]->MenuItem, View);
    EXPECT_FALSE(items[2]->Enabled) << "a disabled item gets a disabled object";
    EXPECT_EQ(items[0]->ObjectRect.Left, 62);
    EXPECT_EQ(items[0]->ObjectRect.Top, 16);
    EXPECT_EQ(items[0]->ObjectRect.Height(), 10);
    for (std::size_t i = 1; i < items.size(); ++i) EXPECT_EQ(items[i]->ObjectRect.Left, items[i - 1]->ObjectRect.Right);
    Save("frame-main-menu.bmp");
    // At rest the items show their normal picture, the grey of the objects picture.
    EXPECT_EQ(At(items[0]->ObjectRect.Left + 1, 17), Px(cObject));
}

TEST_F(FrameMainMenu, SkinWithoutItemEntry_ShowsNoItemsEvenWithAMainMenu)
{
    UseMenuSkin(false);
    Frame->SetMainMenu(Menu);
    ShowActive();
    EXPECT_TRUE(Frame->MainMenuItems().empty());
    // Nor does a tap of Alt take the form's keys.
    Key(VK_MENU);
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
}

TEST_F(FrameMainMenu, NarrowFrame_ItemsPastTheAreaAreHiddenAndDisabled_UntilItWidens)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    TskSkinMainMenuItem* about = Object(About);
    const int aboutRight = about->ObjectRect.Right;
    // The area ends 10 pixels before the right edge: make it end inside "About".
    Form->SetWidth(aboutRight + 10 - 4);
    Driver.ProcessMessages();
    EXPECT_FALSE(about->Visible);
    EXPECT_FALSE(about->Enabled);
    Form->SetWidth(300);
    Driver.ProcessMessages();
    EXPECT_TRUE(about->Visible);
    EXPECT_TRUE(about->Enabled);
    EXPECT_FALSE(Object(View)->Enabled) << "a disabled item stays disabled when it fits again";
}

TEST_F(FrameMainMenu, MenuFreed_ItsItemsGoFromTheFrame)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    ASSERT_FALSE(Frame->MainMenuItems().empty());
    Menu->Free();
    Menu = nullptr;
    Driver.ProcessMessages();
    EXPECT_TRUE(Frame->MainMenuItems().empty());
    EXPECT_EQ(Frame->MainMenu(), nullptr);
}

TEST_F(FrameMainMenu, ItemTheFormDoesNotOwn_FreedItGoesFromTheFrame)
{
    UseMenuSkin();
    auto* loose = new TMenuItem(nullptr);
    loose->SetCaption("&Loose");
    Menu->Items()->Add(loose);
    Frame->SetMainMenu(Menu);
    ShowActive();
    ASSERT_NE(Object(loose), nullptr);
    loose->Free();
    Form->Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(Object(loose), nullptr);
    EXPECT_EQ(Frame->MainMenuItems().size(), 4u);
}

TEST_F(FrameMainMenu, SkinChange_ItemsFollowTheSkin_AndTheKeyboardModeEnds)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    Key(VK_MENU);
    ASSERT_TRUE(Frame->MainMenuHasKeyboard());
    // A skin without the item entry: the items go, and with them the mode that lit one.
    TFrameSkin plain(MenuArea);
    Frame->SetSkinData(plain.Skin.get());
    Driver.ProcessMessages();
    EXPECT_TRUE(Frame->MainMenuItems().empty());
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    Key(VK_DOWN);
    EXPECT_FALSE(Frame->SkinMenu()->Active());
    Frame->SetSkinData(Skin->Skin.get());
    Driver.ProcessMessages();
    EXPECT_EQ(Frame->MainMenuItems().size(), 4u);
}

// ---- The mouse ----

TEST_F(FrameMainMenu, Mouse_PressOpensTheSubItems_SlidingMovesTheMenu_PressAgainCloses)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    ClickItem(File);
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuOpen", "mnuSave"}));
    // The menu opens under its item.
    EXPECT_EQ(Frame->SkinMenu()->Windows(0)->WindowPos(), TPoint(Form->Left() + Object(File)->ObjectRect.Left, Form->Top() + 26));
    EXPECT_TRUE(Frame->MainMenuHasKeyboard());
    // With a menu open, the pointer on the next item moves the menu there without a press.
    Driver.MoveTo(Screen(Object(Edit)->ObjectRect));
    Driver.AdvanceClock(60);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuCopy"}));
    EXPECT_TRUE(Object(Edit)->Down);
    EXPECT_FALSE(Object(File)->Down);
    // A press on the open item only closes its menu.
    ClickItem(Edit);
    EXPECT_FALSE(Frame->SkinMenu()->Active());
    EXPECT_FALSE(Object(Edit)->Down);
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    // A press on an item without sub-items runs it.
    ClickItem(About);
    EXPECT_EQ(Log.back(), "click mnuAbout");
}

TEST_F(FrameMainMenu, Mouse_ChosenSubItemRuns_AndTheMenuModeEnds)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    ClickItem(File);
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    TskSkinPopupWindow* w = Frame->SkinMenu()->Windows(0);
    const TRect r = w->Items(1)->ObjectRect;
    Driver.Click(TPoint{w->WindowPos().X + r.Left + 10, w->WindowPos().Y + (r.Top + r.Bottom) / 2});
    Driver.ProcessMessages();
    EXPECT_EQ(Log, (std::vector<std::string>{"enter", "exit", "click mnuSave"}));
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    EXPECT_FALSE(Object(File)->Down);
}

// ---- The keyboard ----

TEST_F(FrameMainMenu, AltTap_LightsTheFirstItem_ArrowsWrapAndSkipDisabled_EscapeEnds)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    Key(VK_MENU);
    ASSERT_TRUE(Frame->MainMenuHasKeyboard());
    EXPECT_EQ(Lit(), "mnuFile");
    EXPECT_EQ(Log, (std::vector<std::string>{"enter"}));
    Key(VK_RIGHT);
    EXPECT_EQ(Lit(), "mnuEdit");
    Key(VK_RIGHT);
    EXPECT_EQ(Lit(), "mnuAbout") << "the disabled View is skipped";
    Key(VK_RIGHT);
    EXPECT_EQ(Lit(), "mnuFile") << "Right at the last item moves to the first";
    Key(VK_LEFT);
    EXPECT_EQ(Lit(), "mnuAbout") << "Left at the first moves to the last";
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    EXPECT_EQ(Lit(), "");
    EXPECT_EQ(Log.back(), "exit");
}

TEST_F(FrameMainMenu, F10_DownOpens_ArrowsInTheMenu_EnterRunsTheItemAndEndsTheMode)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    Key(VK_F10);
    ASSERT_TRUE(Frame->MainMenuHasKeyboard());
    Key(VK_DOWN);
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuOpen", "mnuSave"}));
    // Right with the menu open moves it to the next item; Left back.
    Key(VK_RIGHT);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuCopy"}));
    Key(VK_LEFT);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuOpen", "mnuSave"}));
    // The window opens with its first item lit: Down goes to the second, Enter runs it.
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(Frame->SkinMenu()->Active());
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    EXPECT_EQ(Log.back(), "click mnuSave");
}

TEST_F(FrameMainMenu, EscapeInAnOpenMenu_ClosesItOnly_TheItemStaysLit_AltTapEnds)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    Key(VK_MENU);
    Key(VK_RETURN);
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->SkinMenu()->Active());
    EXPECT_TRUE(Frame->MainMenuHasKeyboard());
    EXPECT_EQ(Lit(), "mnuFile");
    EXPECT_FALSE(Object(File)->Down);
    Key(VK_MENU);
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
}

TEST_F(FrameMainMenu, AltAccelerator_OpensItsItem_AcceleratorInTheModeToo_NoMatchTakesNothing)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    Key('E', true);
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuCopy"}));
    // Letting go of Alt after Alt+E is no tap of Alt: the menu stays.
    EXPECT_TRUE(Frame->SkinMenu()->Active());
    // A letter of an item of the open window runs it.
    Key('C');
    EXPECT_EQ(Log.back(), "click mnuCopy");
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    // An item without sub-items runs from its accelerator.
    Key('A', true);
    EXPECT_EQ(Log.back(), "click mnuAbout");
    // A letter no item has opens nothing and leaves the keys with the form.
    Key('Q', true);
    EXPECT_FALSE(Frame->SkinMenu()->Active());
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
}

TEST_F(FrameMainMenu, ShortCut_RunsItsItemFromTheForm)
{
    UseMenuSkin();
    Frame->SetMainMenu(Menu);
    ShowActive();
    Driver.Press('O', false, true, false);
    Driver.ProcessMessages();
    EXPECT_EQ(Log, (std::vector<std::string>{"click mnuOpen"}));
}

TEST_F(FrameMainMenu, FrameWithoutMenu_AltTapLeavesTheKeysWithTheForm)
{
    UseMenuSkin();
    std::vector<WORD> formKeys;
    Form->SetKeyPreview(true);
    Form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { formKeys.push_back(key); };
    ShowActive();
    Key(VK_MENU);
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    Key(VK_DOWN);
    EXPECT_EQ(std::count(formKeys.begin(), formKeys.end(), VK_DOWN), 1);
}

// ---- The form's own menu ----

TEST_F(FrameMainMenu, FormsMenu_TakenByTheFrame_WhenTheSkinDrawsItems)
{
    UseMenuSkin();
    Form->SetMenu(Menu);
    ShowActive();
    EXPECT_EQ(Form->Menu(), nullptr);
    EXPECT_EQ(Frame->MainMenu(), Menu);
    EXPECT_EQ(Frame->MainMenuBar(), nullptr);
    EXPECT_EQ(Frame->MainMenuItems().size(), 4u);
}

TEST_F(FrameMainMenu, FormsMenu_ShownInABarAtTheTop_WhenTheSkinDrawsNoItems)
{
    // The default frame: no skin at all.
    Form->SetMenu(Menu);
    ShowActive();
    EXPECT_EQ(Form->Menu(), nullptr);
    TskSkinMainMenuBar* bar = Frame->MainMenuBar();
    ASSERT_NE(bar, nullptr) << "the form's menu was dropped without anything showing it";
    EXPECT_EQ(bar->MainMenu(), Menu);
    EXPECT_EQ(bar->Align(), alTop);
    EXPECT_EQ(bar->Top(), 0);
    EXPECT_EQ(bar->Width(), Form->ClientWidth());
    // The frame hands the bar its keyboard.
    Key('E', true);
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuCopy"}));
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
}

} // namespace
