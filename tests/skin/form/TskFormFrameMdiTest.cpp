// The frames of an MDI set: a maximized child in the main frame's caption and menu bar, the area a
// maximized child fills, minimized children along the bottom, the window menu and the tabs following
// the children, and the MDI client painted from the skin.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TCustomPanel.h"
#include "platform/vcl/TMenu.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/form/TskSkinMDITabsBar.h"
#include "skin/form/TskSkinMainMenuBar.h"

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

} // namespace
