// The frames of an MDI set: a maximized child in the main frame's caption and menu bar, the area a
// maximized child fills, minimized children along the bottom, the window menu and the tabs following
// the children, and the MDI client painted from the skin.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TCustomEdit.h"
#include "platform/vcl/TMenu.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/form/TskSkinMDITabsBar.h"
#include "skin/form/TskSkinMainMenuBar.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupWindow.h"

using namespace frametest;

namespace {

class MdiFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterSkinFrameClasses();
        ASSERT_EQ(Application->MainForm(), nullptr) << "another test left its main form behind";
        Application->CreateForm(Main);
        Main->SetName("MainForm");
        Main->SetCaption("Main");
        Main->SetFormStyle(fsMDIForm);
        Main->SetBounds(40, 40, 640, 480);
        auto* tools = new TPanel(Main);
        tools->SetBounds(0, 0, 640, 30);
        tools->SetAlign(alTop);
        tools->SetParent(Main);
        auto* status = new TPanel(Main);
        status->SetBounds(0, 400, 640, 20);
        status->SetAlign(alBottom);
        status->SetParent(Main);
        Menu = new TMainMenu(Main);
        WindowItem = new TMenuItem(Menu);
        WindowItem->SetName("mnuWindow");
        WindowItem->SetCaption("&Window");
        Menu->Items()->Add(WindowItem);
        Main->SetWindowMenu(WindowItem);
        MainFrame = new TskFormFrame(Main);
        Bar = new TskSkinMainMenuBar(Main);
        Bar->SetParent(Main);
        Bar->SetMainMenu(Menu);
        Bar->SetFormFrame(MainFrame);
        MainFrame->SetMainMenuBar(Bar);
        Tabs = new TskSkinMDITabsBar(Main);
        Tabs->SetAlign(alTop);
        Tabs->SetParent(Main);
        Tabs->SetFormFrame(MainFrame);
        MainFrame->SetMDITabsBar(Tabs);
        Main->Show();
        for (int i = 0; i < 3; ++i) Kids[i] = MakeChild(i + 1);
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        for (TForm*& k : Kids)
            if (k != nullptr) k->Free();
        Main->Free();
        Driver.ProcessMessages();
    }
    TForm* MakeChild(int Number)
    {
        auto* child = new TForm(Application);
        child->SetName("Child" + std::to_string(Number));
        child->SetCaption("Child " + std::to_string(Number));
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(10 * Number, 10 * Number, 220, 160);
        new TskFormFrame(child);
        child->Show();
        return child;
    }
    TskFormFrame* FrameOf(TForm* F) const { return FindSkinFormComponent(F); }
    std::vector<std::string> ChildItems() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < WindowItem->Count(); ++i)
            out.push_back(WindowItem->Items(i)->Caption() + (WindowItem->Items(i)->Checked() ? "*" : ""));
        return out;
    }

    THeadlessDriver Driver;
    TForm* Main = nullptr;
    TskFormFrame* MainFrame = nullptr;
    TMainMenu* Menu = nullptr;
    TMenuItem* WindowItem = nullptr;
    TskSkinMainMenuBar* Bar = nullptr;
    TskSkinMDITabsBar* Tabs = nullptr;
    TForm* Kids[3] = {};
};

TEST_F(MdiFrameTest, MaximizedChild_FillsTheAreaLeftByTheBarsAndShowsInTheMainCaptionAndMenuBar)
{
    const TRect area = MainFrame->GetMDIClientArea();
    // Below the tool panel, the menu bar and the tab bar, above the status panel.
    EXPECT_EQ(area.Top, 30 + Bar->Height() + Tabs->Height());
    EXPECT_EQ(area.Bottom, Main->ClientHeight() - 20);
    TRect client;
    GetClientRect(Main->ClientHandle(), client);
    EXPECT_EQ(client.Width(), area.Width());
    EXPECT_EQ(client.Height(), area.Height());

    FrameOf(Kids[1])->SetFrameWindowState(FrameStateMaximized);
    Driver.ProcessMessages();
    EXPECT_EQ(Kids[1]->BoundsRect(), (TRect{0, 0, area.Width(), area.Height()}));
    // No frame of its own: all of it is client, and the skin does not hit-test it.
    EXPECT_EQ(Kids[1]->ClientWidth(), Kids[1]->Width());
    EXPECT_EQ(Kids[1]->ClientHeight(), Kids[1]->Height());
    TRect w;
    GetWindowRect(Kids[1]->Handle(), w);
    EXPECT_EQ(SendMessage(Kids[1]->Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.Left + 1, w.Top + 1)), HTCLIENT);
    EXPECT_TRUE(MainFrame->MDIChildMaximized());
    EXPECT_EQ(MainFrame->DefaultFrameCaption(), "Main - [Child 2]");
    EXPECT_EQ(Bar->MaximizedChild(), Kids[1]);
    EXPECT_EQ(Bar->ChildButtonCount(), 4);
    Driver.SaveWindow(Main->Handle(), "mdi-frame-maximized", OMBRIX_TEST_PICTURES);

    // Back to normal: its old place and its frame again, and the main form shows its own caption.
    FrameOf(Kids[1])->SetFrameWindowState(FrameStateNormal);
    EXPECT_EQ(Kids[1]->BoundsRect(), (TRect{20, 20, 240, 180}));
    EXPECT_LT(Kids[1]->ClientWidth(), Kids[1]->Width());
    EXPECT_FALSE(MainFrame->MDIChildMaximized());
    EXPECT_EQ(MainFrame->DefaultFrameCaption(), "Main");
    EXPECT_EQ(Bar->MaximizedChild(), nullptr);
}

TEST_F(MdiFrameTest, RestoringOneOfTwoMaximizedChildrenKeepsTheFlag)
{
    FrameOf(Kids[0])->SetFrameWindowState(FrameStateMaximized);
    FrameOf(Kids[2])->SetFrameWindowState(FrameStateMaximized);
    FrameOf(Kids[0])->SetFrameWindowState(FrameStateNormal);
    EXPECT_TRUE(MainFrame->MDIChildMaximized());
    EXPECT_EQ(MainFrame->FindMaximizedMDIChild(), Kids[2]);
    FrameOf(Kids[2])->SetFrameWindowState(FrameStateMinimized);
    EXPECT_FALSE(MainFrame->MDIChildMaximized());
    EXPECT_EQ(MainFrame->FindMaximizedMDIChild(), nullptr);
    // A maximized child that is freed counts no more either.
    FrameOf(Kids[1])->SetFrameWindowState(FrameStateMaximized);
    Kids[1]->Free();
    Kids[1] = nullptr;
    EXPECT_FALSE(MainFrame->MDIChildMaximized());
}

TEST_F(MdiFrameTest, NewSizeRefitsMaximizedChildrenAndKeepsMinimizedOnesAlongTheBottom)
{
    FrameOf(Kids[0])->SetFrameWindowState(FrameStateMinimized);
    FrameOf(Kids[1])->SetFrameWindowState(FrameStateMinimized);
    FrameOf(Kids[2])->SetFrameWindowState(FrameStateMaximized);
    Main->SetBounds(40, 40, 560, 420);
    Driver.ProcessMessages();
    const TRect area = MainFrame->GetMDIClientArea();
    EXPECT_EQ(Kids[2]->BoundsRect(), (TRect{0, 0, area.Width(), area.Height()}));
    for (TForm* k : {Kids[0], Kids[1]}) EXPECT_EQ(k->Top() + k->Height(), area.Height());
    EXPECT_EQ(Kids[0]->Left(), 0);
    EXPECT_EQ(Kids[1]->Left(), Kids[0]->Width());
    // A new skin does the same.
    TFrameSkin skin;
    Main->SetBounds(40, 40, 600, 460);
    SendMessage(Main->Handle(), WM_AFTERCHANGESKINDATA, 0, 1000);
    EXPECT_EQ(Kids[2]->Width(), MainFrame->GetMDIClientArea().Width());
}

TEST_F(MdiFrameTest, ArrangedChildrenHaveTheirFramesLaidOutForTheNewSize)
{
    // The client moves the children itself: each frame must see the new size when it lays itself out.
    Main->Tile();
    for (TForm* k : Kids) EXPECT_EQ(FrameOf(k)->StoredWidth(), k->Width()) << k->Name();
    Main->Cascade();
    for (TForm* k : Kids) {
        EXPECT_EQ(FrameOf(k)->StoredWidth(), k->Width()) << k->Name();
        EXPECT_EQ(FrameOf(k)->StoredHeight(), k->Height()) << k->Name();
    }
}

TEST_F(MdiFrameTest, TileAndCascadeRestoreAChildItsFrameMaximized)
{
    const TRect area = MainFrame->GetMDIClientArea();
    for (const bool tile : {true, false}) {
        FrameOf(Kids[1])->SetFrameWindowState(FrameStateMaximized);
        ASSERT_TRUE(MainFrame->MDIChildMaximized());
        if (tile)
            Main->Tile();
        else
            Main->Cascade();
        Driver.ProcessMessages();
        const char* what = tile ? "tile" : "cascade";
        EXPECT_EQ(FrameOf(Kids[1])->FrameWindowState(), FrameStateNormal) << what;
        EXPECT_FALSE(MainFrame->MDIChildMaximized()) << what;
        EXPECT_EQ(Bar->MaximizedChild(), nullptr) << what;
        EXPECT_EQ(Bar->ChildButtonCount(), 0) << what;
        // It took its own place among the others, with its frame back.
        EXPECT_NE(Kids[1]->BoundsRect(), (TRect{0, 0, area.Width(), area.Height()})) << what;
        EXPECT_NE(Kids[1]->BoundsRect(), Kids[0]->BoundsRect()) << what;
        EXPECT_NE(Kids[1]->BoundsRect(), Kids[2]->BoundsRect()) << what;
        EXPECT_LT(Kids[1]->ClientWidth(), Kids[1]->Width()) << what;
    }
}

TEST_F(MdiFrameTest, ClickIntoTheActiveChildOfAnInactiveMainForm_ShowsTheChildActiveAtOnce)
{
    TForm* active = dynamic_cast<TForm*>(Main->ActiveMDIChild());
    ASSERT_NE(active, nullptr);
    // Another window of the program takes the activation; the child's caption goes inactive with it.
    TForm* other = new TForm(Application);
    other->SetBounds(700, 40, 200, 150);
    other->Show();
    SetActiveWindow(other->Handle());
    SendMessage(active->Handle(), WM_NCACTIVATE, 0, 0);
    Driver.ProcessMessages();
    ASSERT_FALSE(FrameOf(active)->IsFormActive());

    Driver.Click(active->ClientToScreen(TPoint{20, 20}));
    Driver.ProcessMessages();
    EXPECT_TRUE(FrameOf(active)->IsFormActive());
    other->Free();
}

TEST_F(MdiFrameTest, MovingTheMainForm_ClosesTheDropDownOfItsComboBox)
{
    auto* box = new TskSkinComboBox(Main);
    box->SetParent(Main);
    box->SetBounds(300, 2, 120, 20);
    box->Items()->Add("one");
    box->Items()->Add("two");
    Driver.ProcessMessages();
    box->DropDownList();
    ASSERT_TRUE(box->DroppedDown());
    Main->SetBounds(Main->Left() + 30, Main->Top() + 20, Main->Width(), Main->Height());
    Driver.ProcessMessages();
    EXPECT_FALSE(box->DroppedDown());
}

TEST_F(MdiFrameTest, ArrangeIconsLinesUpChildrenTheirFramesMinimized)
{
    FrameOf(Kids[0])->SetFrameWindowState(FrameStateMinimized);
    FrameOf(Kids[2])->SetFrameWindowState(FrameStateMinimized);
    // Dragged away from their row by their caption bars.
    Kids[0]->SetBounds(200, 50, Kids[0]->Width(), Kids[0]->Height());
    Kids[2]->SetBounds(300, 120, Kids[2]->Width(), Kids[2]->Height());
    const TRect normal = Kids[1]->BoundsRect();
    Main->ArrangeIcons();
    Driver.ProcessMessages();
    const int bottom = MainFrame->GetMDIClientArea().Height();
    EXPECT_EQ(Kids[0]->BoundsRect().TopLeft(), (TPoint{0, bottom - Kids[0]->Height()}));
    EXPECT_EQ(Kids[2]->BoundsRect().TopLeft(), (TPoint{Kids[0]->Width(), bottom - Kids[2]->Height()}));
    // Still caption bars, and the child in its normal state stays where it was.
    EXPECT_EQ(FrameOf(Kids[0])->FrameWindowState(), FrameStateMinimized);
    EXPECT_EQ(Kids[1]->BoundsRect(), normal);
}

TEST_F(MdiFrameTest, ChildsFormMenuIsMergedIntoTheMainBar_NotGivenABarOfItsOwn)
{
    auto* child = new TForm(Application);
    child->SetName("MenuChild");
    child->SetFormStyle(fsMDIChild);
    auto* menu = new TMainMenu(child);
    auto* tools = new TMenuItem(child);
    tools->SetName("mnuChildTools");
    tools->SetCaption("&Tools");
    tools->SetGroupIndex(1);
    menu->Items()->Add(tools);
    child->SetMenu(menu);
    new TskFormFrame(child);
    child->Show();
    Driver.ProcessMessages();
    EXPECT_EQ(child->Menu(), nullptr);
    for (int i = 0; i < child->ComponentCount(); ++i)
        EXPECT_EQ(dynamic_cast<TskSkinMainMenuBar*>(child->Components(i)), nullptr) << "the child has a bar of its own";
    std::vector<std::string> shown;
    for (int i = 0; i < Bar->ObjectCount(); ++i)
        if (auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(Bar->Objects(i))) shown.push_back(item->MenuItem->Name());
    EXPECT_EQ(shown, (std::vector<std::string>{"mnuWindow", "mnuChildTools"}));
    child->Free();
}

TEST_F(MdiFrameTest, WindowMenuAndTabsFollowTheChildren)
{
    EXPECT_EQ(ChildItems(), (std::vector<std::string>{"Child 1", "Child 2", "Child 3*"}));
    ASSERT_EQ(Tabs->TabCount(), 3);
    EXPECT_TRUE(Tabs->Tabs(2)->Active);
    Kids[0]->Show();
    EXPECT_EQ(ChildItems(), (std::vector<std::string>{"Child 1*", "Child 2", "Child 3"}));
    EXPECT_TRUE(Tabs->Tabs(0)->Active);
    EXPECT_FALSE(Tabs->Tabs(2)->Active);
    Kids[1]->SetCaption("Renamed");
    EXPECT_EQ(ChildItems()[1], "Renamed");
    // Choosing an item brings its child forward.
    WindowItem->Items(1)->Click();
    EXPECT_EQ(Main->ActiveMDIChild(), Kids[1]);
    Kids[1]->Free();
    Kids[1] = nullptr;
    // The child that was in front before it takes over.
    EXPECT_EQ(ChildItems(), (std::vector<std::string>{"Child 1*", "Child 3"}));
    EXPECT_EQ(Tabs->TabCount(), 2);
    Kids[0]->Free();
    Kids[0] = nullptr;
    Kids[2]->Free();
    Kids[2] = nullptr;
    EXPECT_TRUE(ChildItems().empty());
    EXPECT_EQ(Tabs->TabCount(), 0);
    EXPECT_EQ(Tabs->AllChildrenButton(), nullptr);
    Driver.ProcessMessages();
}

TEST_F(MdiFrameTest, SkinnableSwitch_IgnoredWhileTheFormHasChildren)
{
    ASSERT_TRUE(Main->BorderIcons().Empty());
    MainFrame->SetSkinnableFrame(false);
    // Still the frame's own caption: the form did not get its icons back.
    EXPECT_TRUE(Main->BorderIcons().Empty());
    for (TForm*& k : Kids) {
        k->Free();
        k = nullptr;
    }
    Driver.ProcessMessages();
    MainFrame->SetSkinnableFrame(false);
    EXPECT_FALSE(Main->BorderIcons().Empty());
    MainFrame->SetSkinnableFrame(true);
}

TEST_F(MdiFrameTest, PressOnATabBringsItsChildForward)
{
    Tabs->LayoutTabs();
    const TRect r = Tabs->Tabs(0)->TabRect;
    Driver.Click(Tabs->ClientToScreen(TPoint{r.Left + 5, r.Top + 5}));
    Driver.ProcessMessages();
    EXPECT_EQ(Main->ActiveMDIChild(), Kids[0]);
    EXPECT_EQ(GetChildWindows(Main->ClientHandle()).front(), Kids[0]->Handle());
    // A minimized child comes back to normal.
    FrameOf(Kids[1])->SetFrameWindowState(FrameStateMinimized);
    const TRect r1 = Tabs->Tabs(1)->TabRect;
    Driver.Click(Tabs->ClientToScreen(TPoint{r1.Left + 5, r1.Top + 5}));
    EXPECT_EQ(FrameOf(Kids[1])->FrameWindowState(), FrameStateNormal);
    EXPECT_EQ(Main->ActiveMDIChild(), Kids[1]);
}

// A child to the left closes as a user closes one (its form freed once the message that closed it is
// done): the tab under the pointer and the tab being dragged stay the same tabs, though they moved one
// place left.
TEST_F(MdiFrameTest, AChildLeftOfTheHoveredAndDraggedTabCloses_TheyStayTheSameTabs)
{
    const auto closeFirst = [this] {
        Kids[0]->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
        Kids[0]->Close();
        Driver.ProcessMessages();
        Kids[0] = nullptr;
        ASSERT_EQ(Tabs->TabCount(), 2);
    };
    std::vector<std::string> seen;
    Tabs->OnTabMouseEnter = [&](TskMDITab* t) { seen.push_back("enter " + t->Child->Name()); };
    Tabs->OnTabMouseLeave = [&](TskMDITab* t) { seen.push_back("leave " + t->Child->Name()); };
    Tabs->LayoutTabs();
    const TRect third = Tabs->Tabs(2)->TabRect;
    Driver.MoveTo(Tabs->ClientToScreen(TPoint{third.Left + 5, third.Top + 5}));
    closeFirst();
    // Along the bar, past the last tab.
    Driver.MoveTo(Tabs->ClientToScreen(TPoint{Tabs->Width() - 3, third.Top + 5}));
    Driver.ProcessMessages();
    EXPECT_EQ(seen, (std::vector<std::string>{"enter Child3", "leave Child3"}));

    // Child 3 is dragged a tab's width right while child 2, left of it, closes: let go, child 3 lands
    // right of child 4.
    Kids[0] = MakeChild(4);
    Driver.ProcessMessages();
    Tabs->LayoutTabs();
    ASSERT_EQ(Tabs->TabCount(), 3);
    const TRect second = Tabs->Tabs(1)->TabRect;
    const TPoint from = Tabs->ClientToScreen(TPoint{second.Left + 5, second.Top + 5});
    Driver.MoveTo(from);
    Driver.ButtonDown();
    Driver.MoveTo(TPoint{from.X + 10, from.Y});
    std::swap(Kids[0], Kids[1]);
    closeFirst();
    Driver.MoveTo(TPoint{from.X + second.Width(), from.Y});
    Driver.ButtonUp();
    Driver.ProcessMessages();
    ASSERT_EQ(Tabs->TabCount(), 2);
    EXPECT_EQ(Tabs->Tabs(0)->Child->Name(), "Child4");
    EXPECT_EQ(Tabs->Tabs(1)->Child->Name(), "Child3");
}

TEST_F(MdiFrameTest, RightClickOnATabOpensThatChildsSystemMenuThroughTheMainFrame)
{
    Tabs->LayoutTabs();
    const TRect r = Tabs->Tabs(0)->TabRect;
    Driver.Click(Tabs->ClientToScreen(TPoint{r.Left + 5, r.Top + 5}), 2);
    Driver.ProcessMessages();
    ASSERT_TRUE(MainFrame->SkinMenu()->Active());
    EXPECT_FALSE(FrameOf(Kids[0])->SkinMenu()->Active());
    // Its close item closes the child of the tab, though another one is active.
    TskSkinPopupWindow* w = MainFrame->SkinMenu()->Windows(0);
    TMenuItem* close = nullptr;
    for (int i = 0; i < w->ItemCount(); ++i)
        if (w->Items(i)->MenuItem->Name() == "SKF_CLOSE") close = w->Items(i)->MenuItem;
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(ShortCutToText(close->ShortCut()), "Ctrl+F4");
    MainFrame->SkinMenu()->HideAll();
    Driver.ProcessMessages();
}

// The MDI client painted from the skin: its own picture (tiled), and an empty picture counts as none.
struct MdiSkinCase {
    const char* Name;
    const char* FormInfo;
    TColor AtOrigin;
    TColor At60;
};

class MdiClientSkinTest : public MdiFrameTest, public ::testing::WithParamInterface<MdiSkinCase> {};

TEST_P(MdiClientSkinTest, ClientBackgroundAndParentBackgroundShowTheSkin)
{
    TFrameSkin skin(GetParam().FormInfo);
    // A picture that loaded empty (a broken file) at index 2.
    skin.Skin->ActivePictures.push_back(std::make_unique<TBitmap>());
    MainFrame->SetSkinData(skin.Skin.get());
    Kids[0]->Free();
    Kids[1]->Free();
    Kids[2]->Free();
    Kids[0] = Kids[1] = Kids[2] = nullptr;
    Driver.ProcessMessages();
    ASSERT_TRUE(MainFrame->MDIClientHooked());
    TBitmap b(100, 20);
    MainFrame->PaintMDIClientBackground(b.Canvas()->Handle());
    EXPECT_EQ(Px(b.Canvas()->Pixels(0, 0)), Px(GetParam().AtOrigin));
    EXPECT_EQ(Px(b.Canvas()->Pixels(60, 0)), Px(GetParam().At60));
    // A control of the MDI form that shows its parent's background shows the client's.
    TBitmap under(40, 10);
    PaintParentBackground(Tabs, under.Canvas());
    EXPECT_EQ(Px(under.Canvas()->Pixels(0, 0)), Px(GetParam().AtOrigin));
    Driver.SaveWindow(Main->Handle(), std::string("mdi-client-") + GetParam().Name, OMBRIX_TEST_PICTURES);
}

INSTANTIATE_TEST_SUITE_P(Pictures, MdiClientSkinTest,
    ::testing::Values(MdiSkinCase{"tiled", "mdibgpictureindex=0\n", cActive, cActive},
        // An empty picture is no picture (tiling it would never advance): the frame's client shows.
        MdiSkinCase{"empty", "mdibgpictureindex=2\n", cClient, cClient},
        MdiSkinCase{"missing", "mdibgpictureindex=7\n", cClient, cClient}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(MdiFrameTest, WithoutASkinTheClientIsTheWorkspaceColour)
{
    ASSERT_TRUE(MainFrame->MDIClientHooked());
    TBitmap b(10, 10);
    MainFrame->PaintMDIClientBackground(b.Canvas()->Handle());
    EXPECT_EQ(Px(b.Canvas()->Pixels(5, 5)), Px(clAppWorkSpace));
}

// The MDI client is painted by the main frame for as long as it lives: from its making with the form's
// window (before any show), again after the form's window is made again, and let go with it.
TEST(MdiClientHook, HookedFromTheClientsMakingUntilItGoes)
{
    THeadlessDriver driver;
    RegisterSkinFrameClasses();
    TFrameSkin skin("mdibgpictureindex=0\n");
    auto* form = new TForm(Application);
    form->SetFormStyle(fsMDIForm);
    form->SetBounds(10, 10, 300, 200);
    auto* frame = new TskFormFrame(form);
    frame->SetSkinData(skin.Skin.get());
    auto clientShows = [&] {
        TBitmap b(20, 10);
        SendMessage(form->ClientHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
        return Px(b.Canvas()->Pixels(5, 5));
    };
    form->HandleNeeded();
    ASSERT_NE(form->ClientHandle(), HWND(0));
    EXPECT_TRUE(frame->MDIClientHooked()) << "not hooked before the first show";
    EXPECT_EQ(clientShows(), Px(cActive));
    form->Show();
    driver.ProcessMessages();
    EXPECT_EQ(clientShows(), Px(cActive));

    // A new border style makes the form's window, and with it the client, again.
    const HWND first = form->ClientHandle();
    form->SetBorderStyle(bsSingle);
    driver.ProcessMessages();
    ASSERT_NE(form->ClientHandle(), first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(frame->MDIClientHooked());
    EXPECT_EQ(clientShows(), Px(cActive)) << "the new client is not painted from the skin";

    // The client goes: it is let go (its window procedure given back) before its window goes.
    DestroyWindow(form->ClientHandle());
    EXPECT_FALSE(frame->MDIClientHooked());
    form->Free();
    driver.ProcessMessages();
}

// Keys typed into an MDI child: the main form's menu has them first, then the menu on the child's own
// frame (its accelerators and short cuts); a tap of Alt lends the child's menu the keyboard when the main
// form has no menu to drive; and what closes the main form's menus closes the child's.
class MdiMenuKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterSkinFrameClasses();
        ASSERT_EQ(Application->MainForm(), nullptr) << "another test left its main form behind";
        Skin = std::make_unique<TFrameSkin>("mainmenurect=62,16,90,26\n", "", false,
            std::vector<std::pair<std::string, std::string>>{{"MAINMENUITEM:mainmenuitem",
                "skinrectinapicture=1\nactivepictureindex=0\nskinrect=40,0,60,10\nactiveskinrect=0,0,20,10\n"
                "downrect=20,0,40,10\nitemleftoffset=3\nitemrightoffset=3\nfontname=DejaVu Sans\nfontheight=8\n"}});
        Application->CreateForm(Main);
        Main->SetName("KeysMain");
        Main->SetFormStyle(fsMDIForm);
        Main->SetBounds(40, 40, 640, 480);
        MainFrame = new TskFormFrame(Main);
        MainFrame->SetSkinData(Skin->Skin.get());
        Main->Show();
        Child = new TForm(Application);
        Child->SetName("KeysChild");
        Child->SetFormStyle(fsMDIChild);
        Child->SetBounds(10, 10, 320, 200);
        ChildFrame = new TskFormFrame(Child);
        ChildFrame->SetSkinData(Skin->Skin.get());
        auto* menu = new TMainMenu(Child);
        TMenuItem* tools = Item(Child, menu->Items(), "mnuTools", "&Tools");
        Item(Child, tools, "mnuRun", "&Run")->SetShortCut(ShortCut('R', false, true, false));
        ChildFrame->SetMainMenu(menu);
        Edit = new TEdit(Child);
        Edit->SetParent(Child);
        Child->Show();
        Driver.FocusIn(Main->Handle());
        Driver.ProcessMessages();
        Edit->SetFocus();
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        Child->Free();
        Main->Free();
        Driver.ProcessMessages();
    }
    TMenuItem* Item(TComponent* Owner, TMenuItem* Parent, const std::string& Name, const std::string& Caption)
    {
        auto* item = new TMenuItem(Owner);
        item->SetName(Name);
        item->SetCaption(Caption);
        item->OnClick = [this, Name](TObject*) { Log.push_back(Name); };
        Parent->Add(item);
        return item;
    }
    void Key(WORD Vk, bool Ctrl = false, bool Alt = false)
    {
        Driver.Press(Vk, false, Ctrl, Alt);
        Driver.ProcessMessages();
    }
    // The names of the items in the first window of a frame's open menu.
    static std::vector<std::string> Shown(TskFormFrame* F)
    {
        std::vector<std::string> out;
        if (F->SkinMenu()->WindowCount() == 0) return out;
        TskSkinPopupWindow* w = F->SkinMenu()->Windows(0);
        for (int i = 0; i < w->ItemCount(); ++i) out.push_back(w->Items(i)->MenuItem->Name());
        return out;
    }

    THeadlessDriver Driver;
    std::unique_ptr<TFrameSkin> Skin;
    TForm* Main = nullptr;
    TskFormFrame* MainFrame = nullptr;
    TForm* Child = nullptr;
    TskFormFrame* ChildFrame = nullptr;
    TEdit* Edit = nullptr;
    std::vector<std::string> Log;
};

TEST_F(MdiMenuKeysTest, ChildsOwnMenuTakesTheKeysTheMainFormLeaves)
{
    ASSERT_EQ(GetFocus(), Edit->Handle());
    // Alt with an accelerator of the child's menu opens it; a letter of its window runs the item.
    Key('T', false, true);
    EXPECT_EQ(Shown(ChildFrame), (std::vector<std::string>{"mnuRun"}));
    EXPECT_FALSE(MainFrame->SkinMenu()->Active());
    Key('R');
    EXPECT_EQ(Log, (std::vector<std::string>{"mnuRun"}));
    // Its short cut runs the item from the child's keys.
    Key('R', true);
    EXPECT_EQ(Log, (std::vector<std::string>{"mnuRun", "mnuRun"}));
    // A tap of Alt: the main form has no menu, so the child's takes the keyboard; another tap ends it.
    Key(VK_MENU);
    EXPECT_TRUE(ChildFrame->MainMenuHasKeyboard());
    EXPECT_FALSE(MainFrame->MainMenuHasKeyboard());
    Key(VK_DOWN);
    EXPECT_EQ(Shown(ChildFrame), (std::vector<std::string>{"mnuRun"}));
    Key(VK_ESCAPE);
    EXPECT_TRUE(ChildFrame->MainMenuHasKeyboard());
    Key(VK_MENU);
    EXPECT_FALSE(ChildFrame->MainMenuHasKeyboard());
    EXPECT_FALSE(ChildFrame->SkinMenu()->Active());
}

TEST_F(MdiMenuKeysTest, WhatClosesTheMainFormsMenusClosesTheChilds)
{
    Key('T', false, true);
    ASSERT_TRUE(ChildFrame->SkinMenu()->Active());
    // The main form moves; the child does not move in its client, and its menu goes all the same.
    Main->SetBounds(60, 50, 640, 480);
    Driver.ProcessMessages();
    EXPECT_FALSE(ChildFrame->SkinMenu()->Active());
    EXPECT_FALSE(ChildFrame->SkinMenuIsOpen());
}

TEST_F(MdiMenuKeysTest, MainFormsMenuHasTheKeysFirst)
{
    auto* menu = new TMainMenu(Main);
    TMenuItem* tools = Item(Main, menu->Items(), "mnuMainTools", "&Tools");
    Item(Main, tools, "mnuOptions", "&Options");
    MainFrame->SetMainMenu(menu);
    Key('T', false, true);
    EXPECT_EQ(Shown(MainFrame), (std::vector<std::string>{"mnuOptions"}));
    EXPECT_FALSE(ChildFrame->SkinMenu()->Active());
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    // The tap goes to the main form's menu now; the child's short cut still reaches it.
    Key(VK_MENU);
    EXPECT_TRUE(MainFrame->MainMenuHasKeyboard());
    EXPECT_FALSE(ChildFrame->MainMenuHasKeyboard());
    Key(VK_MENU);
    EXPECT_FALSE(MainFrame->MainMenuHasKeyboard());
    Key('R', true);
    EXPECT_EQ(Log, (std::vector<std::string>{"mnuRun"}));
}

} // namespace
