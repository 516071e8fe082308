// The MDI tab bar on its own: how tabs share the bar (none, too many, too narrow), dragging one to a new
// place, the close button and the menu of hidden children.
#include "skin/form/TskSkinMDITabsBar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/support/THeadlessDriver.h"
#include "tests/support/TScratchFolder.h"
#include "tests/support/TTestSkinBuilder.h"
#include "platform/win/Window.h"
#include "skin/data/TskSkinData.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinPopupMenu.h"

namespace {

class MDITabsBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterSkinFrameClasses();
        // The children are MDI children of the host, as the bar's children always are.
        ASSERT_EQ(Application->MainForm(), nullptr) << "another test left its main form behind";
        Application->CreateForm(Host);
        Host->SetFormStyle(fsMDIForm);
        Host->SetBounds(50, 50, 700, 300);
        Bar = new TskSkinMDITabsBar(Host);
        Bar->SetParent(Host);
        Bar->SetBounds(0, 0, 600, 21);
        Host->Show();
        Driver.ProcessMessages();
    }
    void TearDown() override
    {
        for (TForm* c : Children) c->Free();
        Host->Free();
        Driver.ProcessMessages();
    }
    void AddChildren(int Count)
    {
        for (int i = 0; i < Count; ++i) {
            auto* c = new TForm(Application);
            c->SetName("Child" + std::to_string(Children.size() + 1));
            c->SetCaption("Child " + std::to_string(Children.size() + 1));
            c->SetFormStyle(fsMDIChild);
            c->SetBounds(0, 0, 150, 100);
            c->Show();
            Children.push_back(c);
            Bar->AddTab(c);
        }
    }
    std::vector<std::string> Order() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < Bar->TabCount(); ++i) out.push_back(Bar->Tabs(i)->Child->Name());
        return out;
    }
    TPoint OnBar(int X, int Y) const { return Bar->ClientToScreen(TPoint{X, Y}); }

    THeadlessDriver Driver;
    TForm* Host = nullptr;
    TskSkinMDITabsBar* Bar = nullptr;
    std::vector<TForm*> Children;
};

TEST_F(MDITabsBarTest, NoTabs_PaintsWithoutDividingByZero)
{
    EXPECT_EQ(Bar->Width(), 600);
    Bar->Repaint();
    Bar->LayoutTabs();
    EXPECT_EQ(Bar->AllChildrenButton(), nullptr);
    AddChildren(1);
    ASSERT_NE(Bar->AllChildrenButton(), nullptr);
    Bar->DeleteTab(Children[0]);
    // After the last one goes the bar paints again, with nothing in it.
    Bar->Repaint();
    Driver.ProcessMessages();
    EXPECT_EQ(Bar->TabCount(), 0);
    EXPECT_EQ(Bar->AllChildrenButton(), nullptr);
    // Deleting a child that has no tab only repaints.
    Bar->DeleteTab(Children[0]);
}

TEST_F(MDITabsBarTest, TabsShareTheWidthAndTheLastReachesTheEdge)
{
    AddChildren(10);
    Bar->LayoutTabs();
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Bar->Tabs(i)->TabRect.Width(), 58) << i;
    EXPECT_EQ(Bar->Tabs(0)->TabRect.Left, 15);
    EXPECT_EQ(Bar->Tabs(9)->TabRect.Right, 600);
    EXPECT_EQ(Bar->HiddenTabCount(), 0);
    // Too narrow even for the menu button: no tab gets a negative width.
    Bar->SetWidth(10);
    Bar->LayoutTabs();
    for (int i = 0; i < Bar->TabCount(); ++i) EXPECT_GE(Bar->Tabs(i)->TabRect.Width(), 0) << i;
    Bar->SetMinTabWidth(80);
    Bar->LayoutTabs();
    for (int i = 0; i < Bar->TabCount(); ++i) EXPECT_GE(Bar->Tabs(i)->TabRect.Width(), 0) << i;
    Bar->Repaint();
}

TEST_F(MDITabsBarTest, MinTabWidth_HidesWhatDoesNotFitAndTheHiddenMenuListsExactlyThose)
{
    AddChildren(10);
    Bar->SetMinTabWidth(80);
    Driver.ProcessMessages();
    int shown = 0;
    for (int i = 0; i < Bar->TabCount(); ++i) shown += Bar->Tabs(i)->Visible;
    EXPECT_EQ(shown, 7);
    EXPECT_EQ(Bar->HiddenTabCount(), 3);
    EXPECT_TRUE(Bar->Tabs(9)->TabRect.IsEmpty());
    ASSERT_NE(Bar->HiddenChildrenButton(), nullptr);
    Bar->RebuildChildMenu(true);
    std::vector<std::string> listed;
    for (int i = 0; i < Bar->HiddenChildrenMenu()->Items()->Count(); ++i)
        listed.push_back(Bar->HiddenChildrenMenu()->Items()->Items(i)->Caption());
    EXPECT_EQ(listed, (std::vector<std::string>{"Child 8", "Child 9", "Child 10"}));
    EXPECT_EQ(Bar->HiddenChildrenMenu()->Items()->Items(0)->Name(), "Child8_SKFCHILDITEMBARHIDE");
    // Room again: the button goes.
    Bar->SetMinTabWidth(0);
    EXPECT_EQ(Bar->HiddenChildrenButton(), nullptr);
}

TEST_F(MDITabsBarTest, DraggingPastTheNeighboursCentreSwapsAndLessLeavesTheOrder)
{
    AddChildren(3);
    Bar->LayoutTabs();
    // Tabs are 100 wide from x = 15: the second's centre is at 165.
    const TRect first = Bar->Tabs(0)->TabRect;
    const int y = first.Top + 5;
    Driver.Drag(OnBar(first.Left + 10, y), OnBar(first.Left + 10 + 40, y));
    Driver.ProcessMessages();
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child1", "Child2", "Child3"}));
    Driver.Drag(OnBar(first.Left + 10, y), OnBar(first.Left + 10 + 60, y));
    Driver.ProcessMessages();
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child2", "Child1", "Child3"}));
    // And back to the left past the first one's centre.
    const TRect second = Bar->Tabs(1)->TabRect;
    Driver.Drag(OnBar(second.Left + 10, y), OnBar(second.Left + 10 - 60, y));
    Driver.ProcessMessages();
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child1", "Child2", "Child3"}));
}

TEST_F(MDITabsBarTest, ReleaseOnACloseButtonClosesThatChildOnly)
{
    AddChildren(3);
    Bar->SetShowCloseButtons(true);
    std::vector<std::string> closed;
    for (TForm* c : Children) c->OnClose = [&closed, c](TObject*, TCloseAction&) { closed.push_back(c->Name()); };
    Bar->LayoutTabs();
    const TRect close = Bar->CloseButtonRect(Bar->Tabs(1));
    ASSERT_FALSE(close.IsEmpty());
    Driver.Click(OnBar(close.Left + close.Width() / 2, close.Top + close.Height() / 2));
    Driver.ProcessMessages();
    EXPECT_EQ(closed, (std::vector<std::string>{"Child2"}));
    // Pressed on a close button but released elsewhere: nothing closes.
    Driver.Drag(OnBar(close.Left + 2, close.Top + 2), OnBar(close.Left - 40, close.Top + 2));
    Driver.ProcessMessages();
    EXPECT_EQ(closed.size(), 1u);
    Driver.SaveWindow(Host->Handle(), "mdi-tabs-close-buttons", OMBRIX_TEST_PICTURES);
}

TEST_F(MDITabsBarTest, AFreedChildLeavesNoTabBehind)
{
    AddChildren(2);
    Children[0]->Free();
    Children.erase(Children.begin());
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child2"}));
    Bar->Repaint();
}

// ---- Painting ----

// Pieces of the tab skin (TColor, 0x00BBGGRR): one colour per piece, so one pixel tells which was drawn.
constexpr TColor cTab = 0x00808080;        // grey: a tab at rest
constexpr TColor cActiveTab = 0x00FFFF00;  // cyan: the active child's tab
constexpr TColor cHotTab = 0x00800080;     // purple: the tab under the pointer
constexpr TColor cTabsBg = 0x00004080;     // brown: the bar behind the tabs
constexpr TColor cLine = 0x00800000;       // navy: where the tabs meet the page
constexpr TColor cButton = 0x000080FF;     // orange: button-kind tab at rest
constexpr TColor cHotButton = 0x0000C000;  // green: button-kind tab under the pointer
constexpr TColor cDownButton = 0x000000C0; // dark red: button-kind tab of the active child
constexpr TColor cToolButton = 0x00008080; // olive: the menu and close buttons

struct TTabsSkin {
    TScratchFolder Scratch;
    std::unique_ptr<TskSkinData> Skin;
    TTabsSkin()
    {
        const std::string button = "pictureindex=0\nlefttoppoint=3,3\nrighttoppoint=27,3\nleftbottompoint=3,17\n"
                                   "rightbottompoint=27,17\nclientrect=3,3,27,17\nfontcolor=0\n";
        Skin = TTestSkinBuilder("Tabs Test")
                   .Picture("tabs.bmp", 240, 70, clWhite,
                       {{TRect{0, 20, 100, 24}, cLine}, {TRect{0, 40, 40, 60}, cTab}, {TRect{40, 40, 80, 60}, cActiveTab},
                           {TRect{80, 40, 120, 60}, cHotTab}, {TRect{120, 40, 160, 60}, cTabsBg},
                           {TRect{160, 0, 190, 20}, cButton}, {TRect{160, 20, 190, 40}, cHotButton},
                           {TRect{190, 0, 220, 20}, cDownButton}, {TRect{220, 0, 234, 14}, cToolButton}})
                   .Control("tab", "tab",
                       "pictureindex=0\nskinrect=0,0,100,30\nclientrect=2,24,98,28\nlefttoppoint=4,4\n"
                       "righttoppoint=96,4\nleftbottompoint=4,26\nrightbottompoint=96,26\ntabrect=0,40,40,60\n"
                       "activetabrect=40,40,80,60\nmouseintabrect=80,40,120,60\ntabsbgrect=120,40,160,60\n"
                       "tableftoffset=4\ntabrightoffset=4\nfontcolor=0\nactivefontcolor=0\n")
                   .Control("resizebutton", "button",
                       "skinrect=160,0,190,20\nactiveskinrect=160,20,190,40\ndownskinrect=190,0,220,20\n" + button)
                   .Control("resizetoolbutton", "button", "skinrect=220,0,234,14\n" + button)
                   .Load(Scratch.Path());
    }
};

class MDITabsBarPaintTest : public MDITabsBarTest {
protected:
    TPixel At(int X, int Y)
    {
        const TPoint p = OnBar(X, Y);
        TRect w;
        GetWindowRect(Host->Handle(), w);
        return Driver.PixelAt(Host->Handle(), p.X - w.Left, p.Y - w.Top) & 0x00FFFFFF;
    }
    static TPixel Px(TColor C) { return ColorToPixel(C) & 0x00FFFFFF; }
    // Three children, the second one active, the pointer over the third.
    void ShowThreeTabs(const std::string& Picture)
    {
        AddChildren(3);
        Children[1]->Show();
        Bar->UpdateTabs();
        Driver.ProcessMessages();
        const TRect hot = Bar->Tabs(2)->TabRect;
        Driver.MoveTo(OnBar(hot.Left + 10, hot.Top + 5));
        Driver.ProcessMessages();
        Driver.SaveWindow(Host->Handle(), Picture, OMBRIX_TEST_PICTURES);
    }
    // A point of a tab where its caption never reaches: inside the picture's left end.
    TPixel TabEdge(int Index, int Y) { return At(Bar->Tabs(Index)->TabRect.Left + 2, Y); }
    TTabsSkin Tabs;
};

TEST_F(MDITabsBarPaintTest, DefaultLook_RaisedTabsTheActiveOneHigher_ButtonKindFilled)
{
    ShowThreeTabs("mdi-tabs-default");
    // Tab kind: the frames' light edge; the active tab's starts on the top row, the others' lower.
    EXPECT_EQ(TabEdge(1, 0), Px(clBtnHighlight));
    EXPECT_EQ(TabEdge(0, 0), Px(clBtnFace));
    EXPECT_EQ(At(Bar->Tabs(0)->TabRect.Left, 5), Px(clBtnHighlight));
    EXPECT_EQ(TabEdge(0, 5), Px(clBtnFace));
    Bar->SetTabKind(sktkButton);
    Driver.ProcessMessages();
    Driver.SaveWindow(Host->Handle(), "mdi-tabs-default-buttons", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(TabEdge(0, 5), Px(clBtnFace));
    EXPECT_EQ(TabEdge(1, 5), Px(TColor(0xB59385)));
    EXPECT_EQ(TabEdge(2, 5), Px(TColor(0xD2BDB6)));
}

TEST_F(MDITabsBarPaintTest, SkinnedTabs_EachStateShowsItsPieceOverTheBackgroundAndTheLine)
{
    Bar->SetSkinData(Tabs.Skin.get());
    ShowThreeTabs("mdi-tabs-skinned");
    // The tab's height and the line below it come from the entry.
    ASSERT_EQ(Bar->Height(), 24);
    EXPECT_EQ(TabEdge(0, 2), Px(cTab));
    EXPECT_EQ(TabEdge(1, 2), Px(cActiveTab));
    EXPECT_EQ(TabEdge(2, 2), Px(cHotTab));
    EXPECT_EQ(At(500, 5), Px(cTabsBg));
    EXPECT_EQ(At(500, 22), Px(cLine));
    // The all-children button at the left end is the tool button of the skin.
    EXPECT_EQ(At(3, 2), Px(cToolButton));
}

TEST_F(MDITabsBarPaintTest, SkinnedButtons_EachStateShowsItsPiece)
{
    Bar->SetSkinData(Tabs.Skin.get());
    Bar->SetTabKind(sktkButton);
    ShowThreeTabs("mdi-tabs-skinned-buttons");
    EXPECT_EQ(TabEdge(0, 2), Px(cButton));
    EXPECT_EQ(TabEdge(1, 2), Px(cDownButton));
    EXPECT_EQ(TabEdge(2, 2), Px(cHotButton));
}

TEST_F(MDITabsBarPaintTest, DraggedTab_MarksWhereItWillGo)
{
    Bar->SetSkinData(Tabs.Skin.get());
    AddChildren(3);
    Bar->LayoutTabs();
    const TRect first = Bar->Tabs(0)->TabRect;
    const TRect second = Bar->Tabs(1)->TabRect;
    Driver.MoveTo(OnBar(first.Left + 10, 5));
    Driver.ButtonDown();
    // Past the second tab's centre: the marker stands at its right end, arrows pointing at it.
    for (int dx = 10; dx <= 70; dx += 10) Driver.MoveTo(OnBar(first.Left + 10 + dx, 5));
    Driver.ProcessMessages();
    Driver.SaveWindow(Host->Handle(), "mdi-tabs-drag-marker", OMBRIX_TEST_PICTURES);
    const int x = second.Right - 2;
    const int mid = Bar->Height() / 2;
    for (int y : {0, mid, Bar->Height() - 1}) EXPECT_EQ(At(x, y), Px(clBtnText)) << y;
    EXPECT_EQ(At(x - 4, mid), Px(clBtnText));
    EXPECT_EQ(At(x + 4, mid), Px(clBtnText));
    EXPECT_NE(At(x + 4, 1), Px(clBtnText));
    Driver.ButtonUp();
    Driver.ProcessMessages();
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child2", "Child1", "Child3"}));
}

TEST_F(MDITabsBarTest, AllChildrenMenu_ListsEveryChildInTabOrderTheActiveOneChecked)
{
    AddChildren(3);
    Children[1]->Show();
    Bar->UpdateTabs();
    Bar->RebuildChildMenu(false);
    TMenuItem* items = Bar->AllChildrenMenu()->Items();
    std::vector<std::string> listed;
    for (int i = 0; i < items->Count(); ++i)
        listed.push_back(items->Items(i)->Caption() + (items->Items(i)->Checked() ? "*" : ""));
    EXPECT_EQ(listed, (std::vector<std::string>{"Child 1", "Child 2*", "Child 3"}));
    EXPECT_EQ(items->Items(2)->Name(), "Child3_SKFCHILDITEMBAR");
    // Choosing one brings its child forward.
    items->Items(0)->Click();
    EXPECT_EQ(Host->ActiveMDIChild(), Children[0]);
}

} // namespace
