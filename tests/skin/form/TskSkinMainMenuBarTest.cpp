// The skinned main-menu bar on a shown form with its frame: the items of its menu (merged with an MDI
// child's), their look with and without a skin, the pointer, the chevron of a narrow bar, the keyboard
// mode the frame hands it, and the buttons of a maximised MDI child.
#include "skin/form/TskSkinMainMenuBar.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "tests/support/TTestSkinBuilder.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinEntryWords.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupWindow.h"

namespace {

constexpr TColor cBar = 0x00804000;   // the bar's picture
constexpr TColor cItem = 0x00808080;  // an item at rest
constexpr TColor cHot = 0x00FFFF00;   // an item under the pointer
constexpr TColor cDown = 0x00800080;  // an item whose menu is open
constexpr TColor cClose = 0x000000FF; // the child's close button

TPixel Px(TColor c) { return ColorToPixel(c) & 0x00FFFFFF; }

// A skin with a "mainmenubar" entry: the bar 20 pixels high, items of 18, and the child's close button.
struct TBarSkin {
    TScratchFolder Scratch;
    std::unique_ptr<TskSkinData> Skin =
        TTestSkinBuilder("Bar Test")
            .Picture("frame.bmp", 40, 40, clWhite, {}, false)
            .Picture("bar.bmp", 200, 40, clWhite,
                {{Rect(0, 0, 100, 20), cBar}, {Rect(100, 0, 120, 18), cItem}, {Rect(120, 0, 140, 18), cHot},
                    {Rect(140, 0, 160, 18), cDown}, {Rect(160, 0, 174, 14), cClose}})
            .Keys("PICTURES", "picture=frame.bmp\n")
            .Keys("FORMINFO", "lefttoppoint=0,0\nrighttoppoint=40,0\nleftbottompoint=0,40\nrightbottompoint=40,40\n")
            .Object("baritem", "mainmenubaritem",
                "activepictureindex=0\nskinrect=100,0,120,18\nactiveskinrect=120,0,140,18\n"
                "downrect=140,0,160,18\nitemleftoffset=4\nitemrightoffset=4\nfontname=DejaVu Sans\nfontheight=11\n")
            .Object("barclose", "mainmenubarbutton", "activepictureindex=0\nskinrect=160,0,174,14\ncommand=cmclose\n")
            .Control("mainmenubar", "mainmenubar",
                "pictureindex=0\nskinrect=0,0,100,20\nitemsrect=4,1,96,19\nmenubaritem=baritem\nclosebutton=barclose\n")
            .Load(Scratch.Path());
};

struct MainMenuBarTest : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TskFormFrame* Frame = nullptr;
    TskSkinMainMenuBar* Bar = nullptr;
    TMainMenu* Menu = nullptr;
    TMenuItem *File = nullptr, *Edit = nullptr, *View = nullptr, *Help = nullptr;
    std::vector<std::string> Log;

    TMenuItem* Item(TMenuItem* Parent, const std::string& Name, const std::string& Caption, int Group = 0)
    {
        auto* item = new TMenuItem(Form);
        item->SetName(Name);
        item->SetCaption(Caption);
        item->SetGroupIndex(Group);
        item->OnClick = [this, Name](TObject*) { Log.push_back("click " + Name); };
        Parent->Add(item);
        return item;
    }
    void SetUp() override
    {
        RegisterSkinFrameClasses();
        Form = new TForm(nullptr);
        Form->SetCaption("Bar");
        Form->SetBounds(100, 80, 400, 200);
        Frame = new TskFormFrame(Form);
        Menu = new TMainMenu(Form);
        File = Item(Menu->Items(), "mnuFile", "&File");
        Item(File, "mnuOpen", "&Open");
        Item(File, "mnuSave", "&Save");
        Edit = Item(Menu->Items(), "mnuEdit", "&Edit");
        Item(Edit, "mnuCopy", "&Copy");
        View = Item(Menu->Items(), "mnuView", "&View");
        Item(View, "mnuZoom", "&Zoom");
        View->SetEnabled(false);
        Help = Item(Menu->Items(), "mnuHelp", "&Help");
        Bar = new TskSkinMainMenuBar(Form);
        Bar->SetParent(Form);
        Bar->SetMainMenu(Menu);
        Frame->SetMainMenuBar(Bar);
    }
    void TearDown() override
    {
        if (Form != nullptr) Form->Free();
        Driver.ProcessMessages();
    }
    void ShowActive()
    {
        Form->Show();
        Driver.ProcessMessages();
        Driver.FocusIn(Form->Handle());
        Driver.ProcessMessages();
    }
    void Key(WORD vk, bool alt = false)
    {
        Driver.Press(vk, false, false, alt);
        Driver.ProcessMessages();
    }
    TskSkinMainMenuBarItem* Object(TMenuItem* item) const
    {
        for (int i = 0; i < Bar->ObjectCount(); ++i)
            if (auto* o = dynamic_cast<TskSkinMainMenuBarItem*>(Bar->Objects(i)); o != nullptr && o->MenuItem == item) return o;
        return nullptr;
    }
    TPoint Screen(const TskMenuBarObject* o) const
    {
        return Bar->ClientToScreen(TPoint{(o->ObjectRect.Left + o->ObjectRect.Right) / 2, (o->ObjectRect.Top + o->ObjectRect.Bottom) / 2});
    }
    void ClickOn(const TskMenuBarObject* o)
    {
        Driver.Click(Screen(o));
        Driver.ProcessMessages();
    }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> out;
        TskSkinMenu* m = Frame->SkinMenu();
        if (m->WindowCount() == 0) return out;
        TskSkinPopupWindow* w = m->Windows(0);
        for (int i = 0; i < w->ItemCount(); ++i) out.push_back(w->Items(i)->MenuItem->Name());
        return out;
    }
    std::string Lit() const
    {
        for (int i = 0; i < Bar->ObjectCount(); ++i)
            if (auto* o = dynamic_cast<TskSkinMainMenuBarItem*>(Bar->Objects(i)); o != nullptr && (o->Active || o->Down))
                return o->MenuItem->Name();
        return "";
    }
    // What the bar shows at a point of its own.
    TPixel BarPixel(int x, int y)
    {
        const TPoint s = Bar->ClientToScreen(TPoint{x, y});
        return Driver.PixelAt(Form->Handle(), s.X - Form->Left(), s.Y - Form->Top()) & 0x00FFFFFF;
    }
};

// ---- Merging ----

TEST(MergedMenuItems, EqualGroupsKeepTheirOrder_TheChildReplacesTheGroupsItHas)
{
    TMainMenu main(nullptr);
    TMainMenu child(nullptr);
    auto add = [](TMainMenu& m, const std::string& name, int group) {
        auto* item = new TMenuItem(&m);
        item->SetName(name);
        item->SetGroupIndex(group);
        m.Items()->Add(item);
        return item;
    };
    // Forty items of group 0 must come out as they went in (a quick sort of that many scrambles them).
    std::vector<std::string> expected;
    for (int i = 0; i < 40; ++i) {
        add(main, "m" + std::to_string(i), 0);
        expected.push_back("m" + std::to_string(i));
    }
    add(main, "window", 9);
    add(main, "tools", 5);
    add(child, "edit", 5);
    add(child, "format", 5);
    add(child, "extra", 3);
    std::vector<std::string> got;
    for (TMenuItem* item : MergedMenuItems(main.Items(), child.Items())) got.push_back(item->Name());
    expected.push_back("extra");
    expected.push_back("edit");
    expected.push_back("format");
    expected.push_back("window");
    EXPECT_EQ(got, expected) << "the child's group 5 replaces the main menu's, equal groups keep their order";
    EXPECT_EQ(MergedMenuItems(nullptr, nullptr).size(), 0u);
    EXPECT_EQ(MergedMenuItems(main.Items(), nullptr).size(), 42u);
}

// ---- Without a skin ----

TEST_F(MainMenuBarTest, DefaultLook_TopOfTheForm_22High_ItemsFromTheLeft_HotUnderThePointer)
{
    ShowActive();
    EXPECT_EQ(Bar->Height(), 22);
    EXPECT_EQ(Bar->Top(), 0);
    EXPECT_EQ(Bar->Width(), Form->ClientWidth());
    TskSkinMainMenuBarItem* file = Object(File);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->ObjectRect.Left, 2);
    EXPECT_EQ(Object(Edit)->ObjectRect.Left, file->ObjectRect.Right);
    EXPECT_FALSE(Object(View)->Enabled);
    EXPECT_EQ(BarPixel(1, 10), Px(clBtnFace));
    Driver.MoveTo(Screen(file));
    Driver.ProcessMessages();
    Driver.SaveWindow(Form->Handle(), "menubar-default-hot.bmp", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(BarPixel(file->ObjectRect.Left + 1, file->ObjectRect.Top + 2), Px(SkinHotFill));
    EXPECT_EQ(BarPixel(file->ObjectRect.Left, file->ObjectRect.Top + 2), Px(SkinNavyFrame));
    // Leaving the bar puts the item out, on the next look at the pointer.
    Driver.MoveTo(Bar->ClientToScreen(TPoint{200, 120}));
    Driver.AdvanceClock(60);
    EXPECT_FALSE(file->Active);
}

TEST_F(MainMenuBarTest, Mouse_PressOpensUnderTheItem_SlidingMovesIt_PressAgainCloses_CommandRuns)
{
    std::vector<std::string> clicked;
    Bar->OnMainMenuItemClick = [&](const std::string& name) { clicked.push_back(name); };
    ShowActive();
    ClickOn(Object(File));
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuOpen", "mnuSave"}));
    const TPoint under = Bar->ClientToScreen(TPoint{Object(File)->ObjectRect.Left, Object(File)->ObjectRect.Bottom});
    EXPECT_EQ(Frame->SkinMenu()->Windows(0)->WindowPos(), under);
    Driver.MoveTo(Screen(Object(Edit)));
    Driver.AdvanceClock(60);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuCopy"}));
    Driver.SaveWindow(Form->Handle(), "menubar-default-down.bmp", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(BarPixel(Object(Edit)->ObjectRect.Left + 1, 4), Px(SkinPressedFill));
    ClickOn(Object(Edit));
    EXPECT_FALSE(Frame->SkinMenu()->Active()) << "a press on the open item closes its menu";
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    ClickOn(Object(Help));
    EXPECT_EQ(clicked, (std::vector<std::string>{"mnuHelp"}));
    EXPECT_EQ(Log, (std::vector<std::string>{"click mnuHelp"}));
}

TEST_F(MainMenuBarTest, NarrowBar_ShowsTheChevron_ItListsExactlyTheHiddenItems)
{
    ShowActive();
    EXPECT_FALSE(Bar->ChevronVisible());
    // Room for File and Edit only.
    Form->SetClientWidth(Object(Edit)->ObjectRect.Right + 2 + 6);
    Driver.ProcessMessages();
    ASSERT_TRUE(Bar->ChevronVisible());
    EXPECT_TRUE(Object(Edit)->Fits);
    EXPECT_FALSE(Object(View)->Fits);
    EXPECT_FALSE(Object(Help)->Fits);
    EXPECT_FALSE(Object(Help)->Enabled);
    const TRect chevron = Bar->ChevronRect();
    Driver.Click(Bar->ClientToScreen(TPoint{(chevron.Left + chevron.Right) / 2, (chevron.Top + chevron.Bottom) / 2}));
    Driver.ProcessMessages();
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuView", "mnuHelp"}));
    // Right on the last item that fits wraps to the first: hidden items are skipped.
    Key(VK_ESCAPE);
    Key(VK_MENU);
    Key(VK_RIGHT);
    EXPECT_EQ(Lit(), "mnuEdit");
    Key(VK_RIGHT);
    EXPECT_EQ(Lit(), "mnuFile");
}

// ---- The keyboard, through the frame ----

TEST_F(MainMenuBarTest, AltTap_LightsTheFirst_ArrowsWrap_DownOpens_EscapeTwiceEnds)
{
    std::vector<std::string> frameLog;
    Frame->OnMainMenuEnter = [&](TObject*) { frameLog.push_back("enter"); };
    Frame->OnMainMenuExit = [&](TObject*) { frameLog.push_back("exit"); };
    ShowActive();
    Key(VK_MENU);
    ASSERT_TRUE(Frame->MainMenuHasKeyboard());
    EXPECT_TRUE(Bar->KeyboardMode());
    EXPECT_EQ(Lit(), "mnuFile");
    Key(VK_LEFT);
    EXPECT_EQ(Lit(), "mnuHelp");
    Key(VK_RIGHT);
    EXPECT_EQ(Lit(), "mnuFile");
    Key(VK_RIGHT);
    EXPECT_EQ(Lit(), "mnuEdit");
    Key(VK_DOWN);
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuCopy"}));
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->SkinMenu()->Active());
    EXPECT_EQ(Lit(), "mnuEdit") << "the item stays lit after its menu closed";
    EXPECT_TRUE(Frame->MainMenuHasKeyboard());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    EXPECT_FALSE(Bar->KeyboardMode());
    EXPECT_EQ(Lit(), "");
    EXPECT_EQ(frameLog, (std::vector<std::string>{"enter", "exit"}));
}

TEST_F(MainMenuBarTest, AltAccelerator_OpensThroughTheBar_EnterInTheMenuRunsTheItem)
{
    ShowActive();
    Key('F', true);
    ASSERT_TRUE(Frame->SkinMenu()->Active());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"mnuOpen", "mnuSave"}));
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Log, (std::vector<std::string>{"click mnuSave"}));
    EXPECT_FALSE(Frame->MainMenuHasKeyboard());
    // Alt with the accelerator of a command runs it at once.
    Key('H', true);
    EXPECT_EQ(Log.back(), "click mnuHelp");
}

// ---- With a skin ----

TEST_F(MainMenuBarTest, Skinned_HeightFromTheSkin_BarPicture_ItemImagesByState)
{
    TBarSkin skin;
    Bar->SetSkinData(skin.Skin.get());
    ShowActive();
    EXPECT_EQ(Bar->Height(), 20);
    TskSkinMainMenuBarItem* file = Object(File);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->ObjectRect.Left, 4);
    EXPECT_EQ(file->ObjectRect.Top, 1);
    EXPECT_EQ(file->ObjectRect.Height(), 18);
    EXPECT_EQ(BarPixel(1, 10), Px(cBar));
    EXPECT_EQ(BarPixel(file->ObjectRect.Left + 1, 3), Px(cItem));
    Driver.MoveTo(Screen(file));
    Driver.ProcessMessages();
    EXPECT_EQ(BarPixel(file->ObjectRect.Left + 1, 3), Px(cHot));
    ClickOn(file);
    Driver.SaveWindow(Form->Handle(), "menubar-skinned-down.bmp", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(BarPixel(file->ObjectRect.Left + 1, 3), Px(cDown));
}

// ---- The maximised MDI child ----

TEST_F(MainMenuBarTest, MaximizedChild_ButtonsAtBothEnds_MinimizeOffOnlyWhenTheChildLacksIt_CloseClosesIt)
{
    Form->SetFormStyle(fsMDIForm);
    ShowActive();
    auto* child = new TForm(nullptr);
    auto* childFrame = new TskFormFrame(child);
    childFrame->SetBorderIcons(TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMaximize});
    int closed = 0;
    child->OnClose = [&](TObject*, TCloseAction&) { ++closed; };
    Bar->SetMaximizedChild(child);
    Driver.ProcessMessages();
    ASSERT_EQ(Bar->ChildButtonCount(), 4);
    // Without a skin: system menu, close, maximize, minimize.
    std::vector<int> commands;
    for (int i = 0; i < 4; ++i) commands.push_back(static_cast<TskSkinMainMenuBarButton*>(Bar->Objects(i))->Command);
    EXPECT_EQ(commands, (std::vector<int>{cmSysMenu, cmClose, cmMaximize, cmMinimize}));
    auto* sys = static_cast<TskSkinMainMenuBarButton*>(Bar->Objects(0));
    auto* close = static_cast<TskSkinMainMenuBarButton*>(Bar->Objects(1));
    auto* minimize = static_cast<TskSkinMainMenuBarButton*>(Bar->Objects(3));
    EXPECT_EQ(sys->ObjectRect.Left, 2);
    EXPECT_EQ(close->ObjectRect.Right, Bar->Width() - 2);
    EXPECT_LT(minimize->ObjectRect.Right, close->ObjectRect.Left);
    EXPECT_FALSE(minimize->Enabled);
    EXPECT_TRUE(sys->Enabled);
    // The items start after the system-menu button.
    EXPECT_EQ(Object(File)->ObjectRect.Left, sys->ObjectRect.Right + 2);
    Driver.SaveWindow(Form->Handle(), "menubar-child-buttons.bmp", OMBRIX_TEST_PICTURES);
    ClickOn(close);
    EXPECT_EQ(closed, 1);
    Bar->SetMaximizedChild(nullptr);
    EXPECT_EQ(Bar->ChildButtonCount(), 0);
    child->Free();
}

TEST_F(MainMenuBarTest, ActiveChild_ItsMenuIsMergedIn_InGroupOrder)
{
    Form->SetFormStyle(fsMDIForm);
    File->SetGroupIndex(0);
    Edit->SetGroupIndex(1);
    View->SetGroupIndex(1);
    Help->SetGroupIndex(9);
    auto* child = new TForm(nullptr);
    auto* childMenu = new TMainMenu(child);
    auto add = [&](const std::string& name, int group) {
        auto* item = new TMenuItem(child);
        item->SetName(name);
        item->SetCaption(name);
        item->SetGroupIndex(group);
        childMenu->Items()->Add(item);
    };
    add("Document", 1);
    add("Table", 1);
    child->SetMenu(childMenu);
    ShowActive();
    Bar->SetActiveChild(child);
    std::vector<std::string> names;
    for (int i = 0; i < Bar->ObjectCount(); ++i)
        names.push_back(static_cast<TskSkinMainMenuBarItem*>(Bar->Objects(i))->MenuItem->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"mnuFile", "Document", "Table", "mnuHelp"}));
    EXPECT_EQ(Bar->ChildMenu(), childMenu);
    Bar->SetActiveChild(nullptr);
    EXPECT_EQ(Bar->ObjectCount(), 4);
    child->Free();
}

} // namespace
