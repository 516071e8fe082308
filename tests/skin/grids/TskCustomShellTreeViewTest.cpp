#include "skin/grids/TskCustomShellTreeView.h"

#include <gtest/gtest.h>

#include <chrono>

#include "ShellTestSupport.h"
#include "platform/vcl/TReader.h"
#include "platform/win/MessageQueue.h"
#include "platform/vcl/TMenu.h"
#include "platform/win/Input.h"
#include "skin/grids/ShellPictures.h"
#include "skin/grids/ShellVerbs.h"
#include "skin/grids/TskCustomShellListView.h"

using namespace shelltest;

namespace {

std::vector<std::string> ChildTexts(TTreeNode* Node)
{
    std::vector<std::string> texts;
    for (TTreeNode* c = Node->GetFirstChild(); c != nullptr; c = c->GetNextSibling())
        texts.push_back(c->Text());
    return texts;
}

TTreeNode* Child(TTreeNode* Node, const std::string& Text)
{
    for (TTreeNode* c = Node->GetFirstChild(); c != nullptr; c = c->GetNextSibling())
        if (c->Text() == Text)
            return c;
    return nullptr;
}

struct ShellTree : ShellViewTest {
    TskSkinDirTreeView* Tree = nullptr;
    void MakeTree(const std::string& Root = "rfPersonal")
    {
        Tree = new TskSkinDirTreeView(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(0, 0, 250, 300);
        Tree->SetRoot(Root);
    }
    TTreeNode* Top() { return Tree->Items()->GetFirstNode(); }
};

TEST_F(ShellTree, RootShowsItsFolderOpenWithTheSubFoldersOnly)
{
    MakeTree();
    ASSERT_NE(Top(), nullptr);
    EXPECT_EQ(Top()->GetNextSibling(), nullptr);
    EXPECT_EQ(Top()->Text(), "Documents");
    EXPECT_TRUE(Top()->Expanded());
    EXPECT_EQ(Tree->Selected(), Top());
    EXPECT_EQ(ChildTexts(Top()), (std::vector<std::string>{"Empty Folder", "My \"Quoted\" Clips"}));
    EXPECT_EQ(Tree->Path(), Temp.Docs().string());
}

TEST_F(ShellTree, FoldersAreFilledWhenFirstOpened_AndAnEmptyOneHasNoButton)
{
    MakeTree();
    TTreeNode* quoted = Child(Top(), "My \"Quoted\" Clips");
    TTreeNode* empty = Child(Top(), "Empty Folder");
    ASSERT_NE(quoted, nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(quoted->HasChildren());
    EXPECT_EQ(quoted->Count(), 0); // not read yet
    EXPECT_FALSE(empty->HasChildren());
    quoted->Expand(false);
    EXPECT_TRUE(quoted->Expanded());
    EXPECT_EQ(ChildTexts(quoted), (std::vector<std::string>{"Disc 1"}));
    EXPECT_EQ(Tree->NodeFolder(quoted->GetFirstChild())->Path(), (Temp.Quoted() / "Disc 1").string());
}

TEST_F(ShellTree, FilesShowAsNodesWithNonFolders)
{
    MakeTree();
    Tree->SetObjectTypes(TShellObjectTypes{otFolders, otNonFolders});
    EXPECT_EQ(ChildTexts(Top()),
        (std::vector<std::string>{"Empty Folder", "My \"Quoted\" Clips", "clip one.avi", "notes.txt"}));
    EXPECT_FALSE(Child(Top(), "notes.txt")->HasChildren());
}

TEST_F(ShellTree, NodePictures_FollowTheKindAndAFolderOpensWhenSelected)
{
    MakeTree();
    Tree->SetObjectTypes(TShellObjectTypes{otFolders, otNonFolders});
    EXPECT_EQ(Tree->Images(), ShellImages(false));
    struct TCase {
        const char* Node;
        int Image, Selected;
    };
    for (const TCase& c : {TCase{"Empty Folder", siFolder, siOpenFolder}, TCase{"clip one.avi", siVideoFile, siVideoFile},
             TCase{"notes.txt", siFile, siFile}}) {
        TTreeNode* n = Child(Top(), c.Node);
        ASSERT_NE(n, nullptr) << c.Node;
        EXPECT_EQ(n->ImageIndex(), c.Image) << c.Node;
        EXPECT_EQ(n->SelectedIndex(), c.Selected) << c.Node;
    }
}

TEST_F(ShellTree, PathSelectsANestedFolderOpeningTheWay)
{
    MakeTree();
    const std::string part = (Temp.Quoted() / "Disc 1").string();
    Tree->SetPath(part);
    EXPECT_EQ(Tree->Path(), part);
    ASSERT_NE(Tree->Selected(), nullptr);
    EXPECT_EQ(Tree->Selected()->Text(), "Disc 1");
    EXPECT_TRUE(Tree->Selected()->Parent()->Expanded());
}

TEST_F(ShellTree, PathThatNamesNothingRaisesAndKeepsTheSelection)
{
    MakeTree();
    Tree->SetPath(Temp.Quoted().string());
    EXPECT_THROW(Tree->SetPath((Temp.Docs() / "No Such Folder").string()), Exception);
    EXPECT_EQ(Tree->Path(), Temp.Quoted().string());
}

TEST_F(ShellTree, BadRootRaisesAndLeavesRootAndNodesAsTheyWere)
{
    MakeTree();
    try {
        Tree->SetRoot("/no/such/folder");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Error setting path: \"/no/such/folder\"");
    }
    EXPECT_EQ(Tree->Root(), "rfPersonal");
    ASSERT_NE(Top(), nullptr);
    EXPECT_EQ(Top()->Text(), "Documents");
}

TEST_F(ShellTree, AddFolderHandlerCanKeepAFolderOut)
{
    Tree = new TskSkinDirTreeView(Form);
    Tree->SetParent(Form);
    Tree->OnAddFolder = [](TObject*, TskShellFolder* F, bool& CanAdd) { CanAdd = F->DisplayName() != "Empty Folder"; };
    Tree->SetRoot("rfPersonal");
    EXPECT_EQ(ChildTexts(Top()), (std::vector<std::string>{"My \"Quoted\" Clips"}));
}

TEST_F(ShellTree, RefreshNodeShowsANewFolderAndKeepsOpenOnesOpen)
{
    MakeTree();
    Child(Top(), "My \"Quoted\" Clips")->Expand(false);
    fs::create_directories(Temp.Docs() / "A New One");
    Tree->RefreshNode(Top());
    EXPECT_EQ(ChildTexts(Top()), (std::vector<std::string>{"A New One", "Empty Folder", "My \"Quoted\" Clips"}));
    EXPECT_TRUE(Child(Top(), "My \"Quoted\" Clips")->Expanded());
    EXPECT_EQ(Tree->Selected(), Top());
}

TEST_F(ShellTree, AutoRefreshShowsAFolderThatAppearsInTheSelectedOne)
{
    MakeTree();
    ShowForm();
    Tree->SetAutoRefresh(true);
    fs::create_directories(Temp.Docs() / "Late Folder");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Top()->Count() < 3 && std::chrono::steady_clock::now() < deadline) {
        WaitMessage(100);
        Driver.ProcessMessages();
    }
    EXPECT_EQ(ChildTexts(Top()), (std::vector<std::string>{"Empty Folder", "Late Folder", "My \"Quoted\" Clips"}));
    Tree->SetAutoRefresh(false);
}

TEST_F(ShellTree, SelectingANodeMovesTheLinkedList)
{
    MakeTree();
    auto* list = new TskSkinFileListView(Form);
    list->SetParent(Form);
    Tree->SetShellListView(list);
    EXPECT_EQ(list->ShellTreeView(), Tree);
    EXPECT_EQ(list->RootFolder()->Path(), Temp.Docs().string());
    Tree->SetSelected(Child(Top(), "My \"Quoted\" Clips"));
    EXPECT_EQ(list->RootFolder()->Path(), Temp.Quoted().string());
    ASSERT_EQ(list->Items()->Count(), 2);
    EXPECT_EQ(list->Items()->Item(0)->Caption(), "Disc 1");
    EXPECT_EQ(list->Items()->Item(1)->Caption(), "clip one.avi");
}

TEST_F(ShellTree, TreeFollowsTheListIntoASubFolder)
{
    MakeTree();
    auto* list = new TskSkinFileListView(Form);
    list->SetParent(Form);
    list->SetShellTreeView(Tree);
    EXPECT_EQ(Tree->ShellListView(), list);
    list->SetPathFromID(CreateRootFolder((Temp.Quoted() / "Disc 1").string())->FullID());
    ASSERT_NE(Tree->Selected(), nullptr);
    EXPECT_EQ(Tree->Selected()->Text(), "Disc 1");
    EXPECT_TRUE(Tree->Selected()->Parent()->Expanded());
    list->Back();
    EXPECT_EQ(Tree->Path(), Temp.Quoted().string());
}

TEST_F(ShellTree, FreeingTheLinkedListClearsTheLink)
{
    MakeTree();
    auto* list = new TskSkinFileListView(Form);
    list->SetParent(Form);
    Tree->SetShellListView(list);
    list->Free();
    EXPECT_EQ(Tree->ShellListView(), nullptr);
    Tree->SetSelected(Child(Top(), "Empty Folder"));
    EXPECT_EQ(Tree->Selected()->Text(), "Empty Folder");
}

TEST_F(ShellTree, StoredTreeAndListAreReadLinkedAndFilled)
{
    TForm form(nullptr);
    ReadComponentFromText(&form, "object Form: TForm\n"
                                 "  object Files: TskSkinFileListView\n"
                                 "    Root = 'rfPersonal'\n"
                                 "    Mask = '*.avi'\n"
                                 "  end\n"
                                 "  object Folders: TskSkinDirTreeView\n"
                                 "    Root = 'rfPersonal'\n"
                                 "    ObjectTypes = [otFolders, otHidden]\n"
                                 "    ShellListView = Files\n"
                                 "  end\n"
                                 "end\n");
    auto* tree = dynamic_cast<TskSkinDirTreeView*>(form.FindComponent("Folders"));
    auto* list = dynamic_cast<TskSkinFileListView*>(form.FindComponent("Files"));
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->ShellTreeView(), tree);
    EXPECT_TRUE(tree->ObjectTypes().Contains(otHidden));
    ASSERT_NE(tree->Items()->GetFirstNode(), nullptr);
    EXPECT_EQ(tree->Items()->GetFirstNode()->Text(), "Documents");
    ASSERT_EQ(list->Items()->Count(), 3); // two folders and the one file the mask lets through
    EXPECT_EQ(list->Items()->Item(2)->Caption(), "clip one.avi");
}

// ---- verbs ---------------------------------------------------------------------------------------------------

struct ShellTreeVerbs : ShellTree {
    std::string Told; // what the message box would have shown
    void SetUp() override
    {
        ShellTree::SetUp();
        MakeTree();
        // The owner answers what the tree tells the user (the dialogs show it in a message box).
        Tree->OnShellMessage = [this](TControl*, const std::string& Text) { Told = Text; };
        Tree->SetFocus();
        ShowForm();
        Tree->SetFocus();
        Driver.ProcessMessages();
    }
    TPoint NodePoint(TTreeNode* Node)
    {
        const TRect r = Tree->NodeRect(Node);
        const int left = 2 + (Node->Level() - 1 + (Tree->ShowRoot() ? 1 : 0)) * Tree->Indent() + 24;
        return Tree->ClientToScreen(Point(left, (r.Top + r.Bottom) / 2));
    }
    // The tree's context menu, as the last right click filled it.
    TPopupMenu* Menu()
    {
        for (int i = 0; i < Tree->ComponentCount(); ++i)
            if (auto* m = dynamic_cast<TPopupMenu*>(Tree->Components(i)))
                return m;
        return nullptr;
    }
    TMenuItem* Item(const std::string& Caption)
    {
        for (int i = 0; i < Menu()->Items()->Count(); ++i)
            if (Menu()->Items()->Items(i)->Caption() == Caption)
                return Menu()->Items()->Items(i);
        return nullptr;
    }
    void Type(const std::string& Name)
    {
        Tree->LabelEditor()->SetText("");
        Driver.Type(Name);
        Driver.Press(VK_RETURN);
        Driver.ProcessMessages();
    }
};

TEST_F(ShellTreeVerbs, RightClickOffersTheVerbs_NewFolderIsMadeInsideAndNamedAtOnce)
{
    TTreeNode* empty = Child(Top(), "Empty Folder");
    ASSERT_NE(empty, nullptr);
    Driver.Click(NodePoint(empty), 2);
    Driver.ProcessMessages();
    EXPECT_EQ(Tree->Selected(), empty);
    ASSERT_NE(Menu(), nullptr);
    std::vector<std::string> captions;
    for (int i = 0; i < Menu()->Items()->Count(); ++i)
        captions.push_back(Menu()->Items()->Items(i)->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"&Open", "-", "&Rename", "New Folder", "-", "Move to &Trash", "-",
                            "P&roperties"}));
    Item("New Folder")->Click();
    Driver.ProcessMessages();
    EXPECT_TRUE(fs::is_directory(Temp.Docs() / "Empty Folder" / "New Folder"));
    ASSERT_NE(Tree->Selected(), nullptr);
    EXPECT_EQ(Tree->Selected()->Text(), "New Folder");
    ASSERT_NE(Tree->LabelEditor(), nullptr);
    EXPECT_TRUE(Tree->LabelEditor()->Visible());
    Type("Clips 2");
    EXPECT_TRUE(fs::is_directory(Temp.Docs() / "Empty Folder" / "Clips 2"));
    EXPECT_FALSE(fs::exists(Temp.Docs() / "Empty Folder" / "New Folder"));
    EXPECT_EQ(Tree->Selected()->Text(), "Clips 2");
    EXPECT_EQ(Tree->Path(), (Temp.Docs() / "Empty Folder" / "Clips 2").string());
    // The top node is neither renamed nor thrown away.
    Driver.Click(NodePoint(Top()), 2);
    Driver.ProcessMessages();
    EXPECT_EQ(Tree->Selected(), Top());
    EXPECT_FALSE(Item("&Rename")->Enabled());
    EXPECT_FALSE(Item("Move to &Trash")->Enabled());
    EXPECT_TRUE(Item("New Folder")->Enabled());
}

TEST_F(ShellTreeVerbs, F2Renames_NeverOverAnExistingName)
{
    Tree->SetSelected(Child(Top(), "Empty Folder"));
    Driver.Press(VK_F2);
    Driver.ProcessMessages();
    ASSERT_NE(Tree->LabelEditor(), nullptr);
    EXPECT_EQ(Tree->LabelEditor()->Text(), "Empty Folder");
    Type("My \"Quoted\" Clips");
    EXPECT_TRUE(fs::is_directory(Temp.Docs() / "Empty Folder"));
    EXPECT_TRUE(fs::exists(Temp.Quoted() / "clip one.avi"));
    EXPECT_NE(Told.find("failed"), std::string::npos) << Told;
    Driver.Press(VK_F2);
    Driver.ProcessMessages();
    Type("Full Folder");
    EXPECT_TRUE(fs::is_directory(Temp.Docs() / "Full Folder"));
    EXPECT_EQ(Tree->Selected()->Text(), "Full Folder");
    EXPECT_EQ(ChildTexts(Top()), (std::vector<std::string>{"Full Folder", "My \"Quoted\" Clips"}));
}

TEST_F(ShellTreeVerbs, ASlowSecondClickRenames_ADoubleClickDoesNot)
{
    TTreeNode* empty = Child(Top(), "Empty Folder");
    Driver.Click(NodePoint(empty));
    Driver.ProcessMessages();
    Driver.AdvanceClock(1000);
    Driver.DoubleClick(NodePoint(empty));
    Driver.ProcessMessages();
    Driver.AdvanceClock(1000);
    Driver.ProcessMessages();
    EXPECT_TRUE(Tree->LabelEditor() == nullptr || !Tree->LabelEditor()->Visible());
    Driver.Click(NodePoint(empty));
    Driver.ProcessMessages();
    Driver.AdvanceClock(1000);
    Driver.ProcessMessages();
    ASSERT_NE(Tree->LabelEditor(), nullptr);
    EXPECT_TRUE(Tree->LabelEditor()->Visible());
    Driver.Press(VK_ESCAPE);
    Driver.ProcessMessages();
    EXPECT_FALSE(Tree->LabelEditor()->Visible());
    EXPECT_TRUE(fs::is_directory(Temp.Docs() / "Empty Folder"));
}

TEST_F(ShellTreeVerbs, MoveToTrash_TakesTheFolderIntoTheTrash_ItsParentIsSelected)
{
    Tree->SetSelected(Child(Top(), "My \"Quoted\" Clips"));
    Driver.Click(NodePoint(Tree->Selected()), 2);
    Driver.ProcessMessages();
    ASSERT_NE(Menu(), nullptr);
    Item("Move to &Trash")->Click();
    Driver.ProcessMessages();
    EXPECT_FALSE(fs::exists(Temp.Quoted()));
    EXPECT_TRUE(fs::exists(Temp.Home / ".local/share/Trash/files/My \"Quoted\" Clips/clip one.avi"));
    EXPECT_EQ(Tree->Selected(), Top());
    EXPECT_EQ(ChildTexts(Top()), (std::vector<std::string>{"Empty Folder"}));
}

TEST_F(ShellTreeVerbs, AltEnterTellsTheFoldersProperties)
{
    Tree->SetSelected(Child(Top(), "Empty Folder"));
    Driver.Press(VK_RETURN, false, false, true);
    Driver.ProcessMessages();
    EXPECT_EQ(Told.rfind("Empty Folder\n", 0), 0u) << Told;
    EXPECT_NE(Told.find("Type: Folder"), std::string::npos) << Told;
}

} // namespace
