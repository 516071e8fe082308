#include "skin/controls/TskSkinCustomTreeView.h"

#include "TreeListViewTestSkin.h"
#include "platform/rtl/Strings.h"
#include "skin/data/SkinMessages.h"

using namespace skintest;

namespace {

struct SkinTreeFixture : TreeListFormTest {
    TskSkinCustomTreeView* Tree = nullptr;
    TskSkinScrollBar* VBar = nullptr;
    TskSkinScrollBar* HBar = nullptr;
    void Build(bool skinned)
    {
        Tree = new TskSkinCustomTreeView(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(10, 10, 150, 100);
        VBar = new TskSkinScrollBar(Form);
        VBar->SetParent(Form);
        VBar->SetKind(sbVertical);
        VBar->SetBounds(160, 10, 16, 100);
        HBar = new TskSkinScrollBar(Form);
        HBar->SetParent(Form);
        HBar->SetBounds(10, 110, 150, 16);
        Tree->SetVScrollBar(VBar);
        Tree->SetHScrollBar(HBar);
        if (skinned) Tree->SetSkinData(Skin());
        ShowForm();
    }
    TTreeNode* Branch(int n)
    {
        TTreeNode* top = Tree->Items()->AddChild(nullptr, "top");
        for (int i = 0; i < n; ++i) Tree->Items()->AddChild(top, "child " + IntToStr(i));
        return top;
    }
};

} // namespace

using TskSkinCustomTreeViewLook = SkinTreeFixture;

TEST_F(TskSkinCustomTreeViewLook, TheSkinEntryGivesBackgroundAndTextColour)
{
    Build(true);
    TTreeNode* top = Branch(2);
    top->Expand(false);
    Tree->SetSelected(top->Item(1));
    EXPECT_GE(Tree->SkinIndex(), 0);
    EXPECT_EQ(Tree->Color(), cViewBg);
    EXPECT_EQ(Tree->Font()->Color(), cViewText);
    Driver.ProcessMessages();
    EXPECT_EQ(At(100, 90), Px(cViewBg));
    Save("skin-tree-view");
}

TEST_F(TskSkinCustomTreeViewLook, WithoutASkinTheDefaultsApply)
{
    Build(false);
    Tree->SetDefaultColor(clYellow);
    Tree->RefreshTreeViewSkin();
    EXPECT_EQ(Tree->SkinIndex(), -1);
    EXPECT_EQ(Tree->Color(), clYellow);
    EXPECT_EQ(Tree->Font()->Name(), "Arial");
}

TEST_F(TskSkinCustomTreeViewLook, ChangingTheDefaultFontUnderASkinEntryLeavesTheFontAlone)
{
    Build(true);
    TFont f;
    f.SetName("DejaVu Serif");
    f.SetHeight(30);
    Tree->SetDefaultFont(&f);
    EXPECT_EQ(Tree->Font()->Name(), "DejaVu Sans");
    EXPECT_EQ(Tree->DefaultFont()->Height(), 30);
}

TEST_F(TskSkinCustomTreeViewLook, TheNativeBarsAreNeverShown)
{
    Build(true);
    Branch(30)->Expand(false);
    EXPECT_FALSE(GetWindowLongPtr(Tree->Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(Tree->Perform(CM_PAINTSKINFRAME, 0, 0), 0x3233);
}

using TskSkinCustomTreeViewBars = SkinTreeFixture;

TEST_F(TskSkinCustomTreeViewBars, AFittingTreeHidesTheBarAndExpandingPastThePageShowsIt)
{
    Build(true);
    TTreeNode* top = Branch(20);
    Driver.ProcessMessages();
    EXPECT_FALSE(VBar->Visible());
    Tree->SetFocus();
    Tree->SetSelected(top);
    Driver.Press(VK_RIGHT);
    EXPECT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->PageSize(), Tree->VisibleCount());
    EXPECT_EQ(VBar->Max(), 20);
}

TEST_F(TskSkinCustomTreeViewBars, MovingTheBarScrollsTheTree)
{
    Build(true);
    Branch(20)->Expand(false);
    Tree->UpdateScrollBars();
    VBar->SetPosition(4);
    EXPECT_EQ(Tree->TopRow(), 4);
}

TEST_F(TskSkinCustomTreeViewBars, ALongNodeShowsTheHorizontalBar)
{
    Build(true);
    Tree->Items()->AddChild(nullptr, std::string(60, 'W'));
    Tree->UpdateScrollBars();
    EXPECT_TRUE(HBar->Visible());
    HBar->SetPosition(25);
    EXPECT_EQ(Tree->HorzOffset(), 25);
}

TEST_F(TskSkinCustomTreeViewBars, AFreedBarIsForgottenAndAFreedViewLeavesItsBarsQuiet)
{
    Build(true);
    delete HBar;
    EXPECT_EQ(Tree->HScrollBar(), nullptr);
    Branch(20)->Expand(false);
    Tree->UpdateScrollBars();
    delete Tree;
    // The bar no longer calls into the view that is gone.
    VBar->SetPosition(3);
    EXPECT_FALSE(VBar->OnChange);
}
