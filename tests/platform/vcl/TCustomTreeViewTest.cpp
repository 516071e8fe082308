#include "platform/vcl/TCustomTreeView.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "tests/support/THeadlessDriver.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TCustomListView.h"
#include "platform/vcl/TForm.h"

namespace {

struct TreeFixture : ::testing::Test {
    THeadlessDriver Driver;
    TForm* Form = nullptr;
    TTreeView* Tree = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 300);
        Tree = new TTreeView(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(10, 10, 150, 100);
        Form->Show();
        Driver.ProcessMessages();
    }
    void TearDown() override { Form->Free(); }
    SCROLLINFO Info(int bar)
    {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(Tree->Handle(), bar, si);
        return si;
    }
    // A top node with n children, collapsed.
    TTreeNode* Branch(const std::string& name, int n)
    {
        TTreeNode* top = Tree->Items()->AddChild(nullptr, name);
        for (int i = 0; i < n; ++i) Tree->Items()->AddChild(top, name + " " + IntToStr(i));
        return top;
    }
};

} // namespace

using TCustomTreeViewNodes = TreeFixture;

TEST_F(TCustomTreeViewNodes, ChildrenKeepTheirOrderLevelAndData)
{
    int tag = 7;
    TTreeNode* top = Tree->Items()->AddChildObject(nullptr, "top", &tag);
    TTreeNode* b = Tree->Items()->AddChild(top, "b");
    TTreeNode* a = Tree->Items()->Insert(b, "a");
    EXPECT_EQ(top->Count(), 2);
    EXPECT_EQ(top->Item(0), a);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(a->Level(), 2);
    EXPECT_EQ(top->Data(), &tag);
    EXPECT_EQ(Tree->Items()->Count(), 3);
    EXPECT_EQ(Tree->Perform(TVM_GETCOUNT, 0, 0), 3);
}

TEST_F(TCustomTreeViewNodes, CustomSortOrdersTheChildren)
{
    TTreeNode* top = Tree->Items()->AddChild(nullptr, "top");
    for (const char* s : {"c", "a", "b"}) Tree->Items()->AddChild(top, s);
    top->CustomSort([](TTreeNode* x, TTreeNode* y) { return x->Text().compare(y->Text()); });
    EXPECT_EQ(top->Item(0)->Text(), "a");
    EXPECT_EQ(top->Item(2)->Text(), "c");
}

TEST_F(TCustomTreeViewNodes, DeletingTheSelectedNodeClearsTheSelectionAndTellsTheHandler)
{
    TTreeNode* top = Branch("top", 3);
    top->Expand(false);
    Tree->SetSelected(top->Item(1));
    std::vector<std::string> deleted;
    TTreeNode* seen = top;
    Tree->Items()->OnDeletion = [&](TTreeNode* n) { deleted.push_back(n->Text()); };
    Tree->OnChange = [&](TObject*, TTreeNode* n) { seen = n; };
    top->Delete();
    EXPECT_EQ(Tree->Selected(), nullptr);
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(deleted.size(), 4u);
    EXPECT_EQ(Tree->Items()->Count(), 0);
}

using TCustomTreeViewExpanding = TreeFixture;

TEST_F(TCustomTreeViewExpanding, ExpandingFiresTheEventsAndAVetoKeepsItClosed)
{
    TTreeNode* top = Branch("top", 2);
    std::vector<std::string> events;
    bool allow = false;
    Tree->OnExpanding = [&](TObject*, TTreeNode*, bool& a) { events.push_back("expanding"); a = allow; };
    Tree->OnExpanded = [&](TObject*, TTreeNode*) { events.push_back("expanded"); };
    top->Expand(false);
    EXPECT_FALSE(top->Expanded());
    allow = true;
    top->Expand(false);
    EXPECT_TRUE(top->Expanded());
    EXPECT_EQ(events, (std::vector<std::string>{"expanding", "expanding", "expanded"}));
}

TEST_F(TCustomTreeViewExpanding, ANodeFilledOnDemandGetsItsChildrenInTheHandler)
{
    TTreeNode* lazy = Tree->Items()->AddChild(nullptr, "lazy");
    lazy->SetHasChildren(true);
    Tree->OnExpanding = [&](TObject*, TTreeNode* n, bool&) {
        if (n->Count() == 0) Tree->Items()->AddChild(n, "filled");
    };
    lazy->Expand(false);
    EXPECT_TRUE(lazy->Expanded());
    ASSERT_EQ(Tree->VisibleNodes().size(), 2u);
    EXPECT_EQ(Tree->VisibleNodes()[1]->Text(), "filled");
}

TEST_F(TCustomTreeViewExpanding, AnEmptyFillLeavesTheNodeClosed)
{
    TTreeNode* lazy = Tree->Items()->AddChild(nullptr, "lazy");
    lazy->SetHasChildren(true);
    Tree->OnExpanding = [&](TObject*, TTreeNode* n, bool&) { n->SetHasChildren(false); };
    lazy->Expand(false);
    EXPECT_FALSE(lazy->Expanded());
    EXPECT_FALSE(lazy->HasChildren());
}

TEST_F(TCustomTreeViewExpanding, CollapsingMovesAHiddenSelectionUpToTheBranch)
{
    TTreeNode* top = Branch("top", 2);
    top->Expand(false);
    Tree->SetSelected(top->Item(1));
    top->Collapse(false);
    EXPECT_EQ(Tree->Selected(), top);
}

using TCustomTreeViewScrolling = TreeFixture;

TEST_F(TCustomTreeViewScrolling, VerticalStateCountsShownRowsWithTheVisibleCountAsPage)
{
    TTreeNode* top = Branch("top", 20);
    EXPECT_EQ(Info(SB_VERT).nMax, 0);
    top->Expand(false);
    const SCROLLINFO si = Info(SB_VERT);
    EXPECT_EQ(si.nMax, 20);
    EXPECT_EQ(static_cast<int>(si.nPage), Tree->VisibleCount());
    EXPECT_EQ(Tree->Perform(TVM_GETVISIBLECOUNT, 0, 0), Tree->VisibleCount());
}

TEST_F(TCustomTreeViewScrolling, ThumbPositionMovesTheTopRowWithinRange)
{
    Branch("top", 20)->Expand(false);
    Tree->Perform(WM_VSCROLL, static_cast<WPARAM>(MAKELPARAM(SB_THUMBPOSITION, 5)), 0);
    EXPECT_EQ(Tree->TopRow(), 5);
    EXPECT_EQ(Info(SB_VERT).nPos, 5);
    Tree->Perform(WM_VSCROLL, static_cast<WPARAM>(MAKELPARAM(SB_THUMBPOSITION, 500)), 0);
    EXPECT_EQ(Tree->TopRow(), 21 - Tree->VisibleCount());
}

TEST_F(TCustomTreeViewScrolling, ALongTextGivesAHorizontalRangeWiderThanTheView)
{
    Tree->Items()->AddChild(nullptr, std::string(80, 'W'));
    EXPECT_GT(Info(SB_HORZ).nMax, Tree->ClientWidth());
    Tree->Perform(WM_HSCROLL, static_cast<WPARAM>(MAKELPARAM(SB_THUMBPOSITION, 30)), 0);
    EXPECT_EQ(Tree->HorzOffset(), 30);
}

using TCustomTreeViewInput = TreeFixture;

TEST_F(TCustomTreeViewInput, KeysWalkTheShownRowsAndOpenAndCloseBranches)
{
    TTreeNode* top = Branch("top", 3);
    Tree->SetFocus();
    Driver.ProcessMessages();
    Driver.Press(VK_DOWN);
    EXPECT_EQ(Tree->Selected(), top);
    Driver.Press(VK_RIGHT);
    EXPECT_TRUE(top->Expanded());
    Driver.Press(VK_RIGHT);
    EXPECT_EQ(Tree->Selected(), top->Item(0));
    Driver.Press(VK_END);
    EXPECT_EQ(Tree->Selected(), top->Item(2));
    Driver.Press(VK_LEFT);
    EXPECT_EQ(Tree->Selected(), top);
    Driver.Press(VK_LEFT);
    EXPECT_FALSE(top->Expanded());
}

TEST_F(TCustomTreeViewInput, AClickSelectsTheNodeUnderTheMouse)
{
    Branch("a", 0);
    TTreeNode* b = Branch("b", 0);
    const TRect r = Tree->NodeRect(b);
    Driver.Click(Tree->ClientToScreen({40, r.Top + 2}));
    EXPECT_EQ(Tree->Selected(), b);
}

TEST_F(TCustomTreeViewInput, RightClickSelectsOnlyWhenAsked)
{
    TTreeNode* a = Branch("a", 0);
    const TRect r = Tree->NodeRect(a);
    Driver.Click(Tree->ClientToScreen({40, r.Top + 2}), 2);
    EXPECT_EQ(Tree->Selected(), nullptr);
    Tree->SetRightClickSelect(true);
    Driver.Click(Tree->ClientToScreen({40, r.Top + 2}), 2);
    EXPECT_EQ(Tree->Selected(), a);
}

// Two image fields of one view point at the same list; when one lets go, the other still hears of the
// list going. The list belongs elsewhere, so only its own notice tells the view.
TEST(ViewImageLinks, OneFieldLettingGo_TheOtherStillClearsWhenTheListIsFreed)
{
    THeadlessDriver driver;
    // Links both fields to the list, lets one go, and gives back how to read the other.
    using Linker = std::function<std::function<TCustomImageList*()>(TForm*, TCustomImageList*)>;
    const std::pair<const char*, Linker> cases[] = {
        {"tree view",
         [](TForm* f, TCustomImageList* l) {
             auto* t = new TTreeView(f);
             t->SetImages(l);
             t->SetStateImages(l);
             t->SetStateImages(nullptr);
             return std::function<TCustomImageList*()>([t] { return t->Images(); });
         }},
        {"list view",
         [](TForm* f, TCustomImageList* l) {
             auto* v = new TListView(f);
             v->SetLargeImages(l);
             v->SetSmallImages(l);
             v->SetSmallImages(nullptr);
             return std::function<TCustomImageList*()>([v] { return v->LargeImages(); });
         }},
    };
    for (const auto& [name, link] : cases) {
        SCOPED_TRACE(name);
        auto* form = new TForm(nullptr);
        auto* list = new TImageList(nullptr);
        const auto remaining = link(form, list);
        ASSERT_EQ(remaining(), list);
        delete list;
        EXPECT_EQ(remaining(), nullptr);
        form->Free();
    }
}
