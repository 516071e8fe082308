// The MDI tab bar on its own: how tabs share the bar (none, too many, too narrow), dragging one to a new
// place, the close button and the menu of hidden children.
#include "skin/form/TskSkinMDITabsBar.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
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

} // namespace
