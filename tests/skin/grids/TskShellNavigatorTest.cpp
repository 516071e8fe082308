#include "skin/grids/TskShellNavigator.h"

#include <gtest/gtest.h>

#include "ShellTestSupport.h"
#include "skin/grids/TskCustomShellComboBox.h"
#include "skin/grids/TskCustomShellListView.h"
#include "skin/grids/TskCustomShellTreeView.h"

using namespace shelltest;

namespace {

// The three views as a form links them: the box to the list, the list to the tree.
struct ShellNavigator : ShellViewTest {
    TskSkinShellComboBox* Box = nullptr;
    TskSkinFileListView* List = nullptr;
    TskSkinDirTreeView* Tree = nullptr;

    void MakeViews()
    {
        Box = new TskSkinShellComboBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 300, 22);
        Box->SetRoot(Temp.Docs().string());
        List = NewList();
        Tree = new TskSkinDirTreeView(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(420, 60, 250, 300);
        Tree->SetRoot(Temp.Docs().string());
        Box->SetShellListView(List);
        List->SetShellTreeView(Tree);
    }
    TskSkinFileListView* NewList()
    {
        auto* list = new TskSkinFileListView(Form);
        list->SetParent(Form);
        list->SetBounds(10, 60, 400, 300);
        return list;
    }
    static TItemIDList ID(const fs::path& p) { return IDListFromPath(p.string()); }
};

TEST_F(ShellNavigator, LinksMadePairwise_PutAllThreeViewsOnOneNavigator)
{
    MakeViews();
    ASSERT_NE(Box->Navigator(), nullptr);
    EXPECT_EQ(List->Navigator(), Box->Navigator());
    EXPECT_EQ(Tree->Navigator(), Box->Navigator());
    // Each view reaches the others through it, whichever link was set.
    EXPECT_EQ(Tree->ShellComboBox(), Box);
    EXPECT_EQ(Box->ShellTreeView(), Tree);
    EXPECT_EQ(List->ShellComboBox(), Box);
    EXPECT_EQ(Tree->ShellListView(), List);
}

TEST_F(ShellNavigator, AMoveOfAnyViewIsHeldByTheNavigatorAndFollowedByTheOthers)
{
    MakeViews();
    Box->SetItemIndex(2); // My "Quoted" Clips
    EXPECT_EQ(Box->Navigator()->Folder(), ID(Temp.Quoted()));
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Quoted().string());
    EXPECT_EQ(Tree->Path(), Temp.Quoted().string());

    Tree->SetPath((Temp.Quoted() / "Disc 1").string());
    EXPECT_EQ(Box->Navigator()->Folder(), ID(Temp.Quoted() / "Disc 1"));
    EXPECT_EQ(List->RootFolder()->Path(), (Temp.Quoted() / "Disc 1").string());
    EXPECT_EQ(Box->Text(), "Disc 1");

    List->Back();
    EXPECT_EQ(Box->Navigator()->Folder(), ID(Temp.Quoted()));
    EXPECT_EQ(Tree->Path(), Temp.Quoted().string());
    EXPECT_EQ(Box->Text(), "My \"Quoted\" Clips");
}

TEST_F(ShellNavigator, FreeingTheMiddleView_LeavesTheOtherTwoFollowingEachOther)
{
    MakeViews();
    List->Free();
    List = nullptr;
    EXPECT_EQ(Box->ShellListView(), nullptr);
    EXPECT_EQ(Tree->ShellListView(), nullptr);
    EXPECT_EQ(Tree->ShellComboBox(), Box);
    Box->SetItemIndex(2);
    EXPECT_EQ(Tree->Path(), Temp.Quoted().string());
}

TEST_F(ShellNavigator, ASecondListTakesThePlaceOfTheFirst_WhichFollowsNoMore)
{
    MakeViews();
    TskSkinFileListView* second = NewList();
    Tree->SetShellListView(second);
    EXPECT_EQ(Tree->ShellListView(), second);
    EXPECT_EQ(Box->ShellListView(), second);
    EXPECT_EQ(List->Navigator(), nullptr);
    EXPECT_EQ(List->ShellTreeView(), nullptr);
    List->SetPathFromID(ID(Temp.Docs() / "Empty Folder")); // goes alone
    EXPECT_EQ(Tree->Path(), Temp.Docs().string());
    Box->SetItemIndex(2);
    EXPECT_EQ(second->RootFolder()->Path(), Temp.Quoted().string());
    EXPECT_EQ(List->RootFolder()->Path(), (Temp.Docs() / "Empty Folder").string());
}

TEST_F(ShellNavigator, LinkingTwoLinkedPairs_BringsTheCompanionAlong)
{
    // The box with a list on one side, a tree alone on the other: linking the box to the tree
    // leaves all three on one navigator.
    Box = new TskSkinShellComboBox(Form);
    Box->SetParent(Form);
    Box->SetRoot(Temp.Docs().string());
    List = NewList();
    Box->SetShellListView(List);
    Tree = new TskSkinDirTreeView(Form);
    Tree->SetParent(Form);
    Tree->SetRoot(Temp.Docs().string());
    Tree->SetShellComboBox(Box);
    EXPECT_EQ(Tree->ShellListView(), List);
    Tree->SetPath(Temp.Quoted().string());
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Quoted().string());
    EXPECT_EQ(Box->Text(), "My \"Quoted\" Clips");
}

} // namespace
