#include "skin/grids/TskCustomShellTreeView.h"

#include <gtest/gtest.h>

#include <chrono>

#include "ShellTestSupport.h"
#include "platform/vcl/TReader.h"
#include "platform/win/MessageQueue.h"
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
    EXPECT_EQ(Tree->Items()->TopCount(), 1);
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

} // namespace
