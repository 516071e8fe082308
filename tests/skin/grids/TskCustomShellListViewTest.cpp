#include "skin/grids/TskCustomShellListView.h"

#include <gtest/gtest.h>

#include <chrono>

#include "ShellTestSupport.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TMenu.h"
#include "skin/grids/ShellPictures.h"
#include "skin/grids/ShellVerbs.h"
#include "platform/rtl/Strings.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"

using namespace shelltest;

namespace {

struct ShellList : ShellViewTest {
    TskSkinFileListView* List = nullptr;
    void MakeList(const std::string& Root = "rfPersonal")
    {
        List = new TskSkinFileListView(Form);
        List->SetParent(Form);
        List->SetBounds(0, 0, 400, 300);
        List->SetViewStyle(vsReport);
        List->SetRoot(Root);
    }
    std::vector<std::string> Captions()
    {
        std::vector<std::string> c;
        for (int i = 0; i < List->Items()->Count(); ++i)
            c.push_back(List->Items()->Item(i)->Caption());
        return c;
    }
    TPoint RowPoint(int Index)
    {
        const TRect r = List->ItemRect(Index);
        return List->ClientToScreen(Point(r.Left + 10, (r.Top + r.Bottom) / 2));
    }
    void Press(WORD Key)
    {
        Driver.Press(Key);
        Driver.ProcessMessages();
    }
};

TEST_F(ShellList, ListsFoldersFirstThenFilesWithoutHiddenOnes)
{
    MakeList();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Empty Folder", "My \"Quoted\" Clips", "clip one.avi", "notes.txt"}));
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Docs().string());
    EXPECT_TRUE(List->Folders(1)->IsFolder());
    EXPECT_EQ(List->Folders(4), nullptr);
}

TEST_F(ShellList, MaskOfTwoPatternsKeepsEveryFolderAndTheMatchingFiles)
{
    MakeList();
    List->SetMask("*.AVI;*.mpg");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Empty Folder", "My \"Quoted\" Clips", "clip one.avi"}));
    List->SetMask("*.txt|*.avi");
    EXPECT_EQ(List->Items()->Count(), 4);
    List->SetMask("");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Empty Folder", "My \"Quoted\" Clips"}));
}

TEST_F(ShellList, ReportViewShowsTheFourColumnsAndTheDetails)
{
    MakeList();
    ShowForm();
    ASSERT_EQ(List->Columns()->Count(), 4);
    EXPECT_EQ(List->Columns()->Items(0)->Caption(), "Name");
    EXPECT_EQ(List->Columns()->Items(1)->Caption(), "Size");
    EXPECT_EQ(List->Columns()->Items(1)->Alignment(), taRightJustify);
    EXPECT_EQ(List->Columns()->Items(2)->Caption(), "Type");
    EXPECT_EQ(List->Columns()->Items(3)->Caption(), "Modified");
    TListItem* file = List->Items()->Item(2);
    ASSERT_EQ(file->SubItems()->Count(), 3);
    EXPECT_EQ((*file->SubItems())[0], "5");
    EXPECT_EQ((*file->SubItems())[1], ".avi");
    EXPECT_NE((*file->SubItems())[2].find(':'), std::string::npos);
    TListItem* folder = List->Items()->Item(0);
    EXPECT_EQ((*folder->SubItems())[0], ""); // a folder shows no size and no time
    EXPECT_EQ((*folder->SubItems())[2], "");
}

TEST_F(ShellList, DoubleClickOnAFolderRowGoesIntoIt)
{
    MakeList();
    int moves = 0;
    List->OnPathChange = [&](TObject*) { ++moves; };
    ShowForm();
    Driver.DoubleClick(RowPoint(1));
    Driver.ProcessMessages();
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Quoted().string());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Disc 1", "clip one.avi"}));
    EXPECT_EQ(moves, 1);
    // A double click on a file goes nowhere.
    Driver.DoubleClick(RowPoint(1));
    Driver.ProcessMessages();
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Quoted().string());
}

TEST_F(ShellList, ReturnOpensAFolderAndBackspaceGoesUp)
{
    MakeList();
    Focus(List);
    List->SetItemIndex(1);
    Press(VK_RETURN);
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Quoted().string());
    Press(VK_BACK);
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Docs().string());
}

TEST_F(ShellList, BackAtTheNamespaceRootStaysThere)
{
    MakeList("rfDesktop");
    EXPECT_EQ(List->RootFolder()->Path(), "/");
    List->Back();
    EXPECT_EQ(List->RootFolder()->Path(), "/");
}

TEST_F(ShellList, RefreshSelectsTheSameRowAgain_TheLastOneIncluded)
{
    MakeList();
    List->SetItemIndex(3);
    std::ofstream(Temp.Docs() / "zz later.txt") << "z";
    List->Refresh();
    EXPECT_EQ(List->Items()->Count(), 5);
    ASSERT_NE(List->Selected(), nullptr);
    EXPECT_EQ(List->Selected()->Index(), 3);
    fs::remove(Temp.Docs() / "zz later.txt");
    fs::remove(Temp.Docs() / "notes.txt");
    List->SetItemIndex(3);
    List->Refresh();
    EXPECT_EQ(List->Items()->Count(), 3);
    EXPECT_EQ(List->Selected(), nullptr);
}

TEST_F(ShellList, SelectedFilesAreThePathsOfTheFileRows)
{
    MakeList();
    List->SetMultiSelect(true);
    List->SetItemSelected(0, true);
    List->SetItemSelected(2, true);
    List->SetItemSelected(3, true);
    TStringList files;
    List->GetSelectedFiles(&files);
    ASSERT_EQ(files.Count(), 2);
    EXPECT_EQ(files[0], (Temp.Docs() / "clip one.avi").string());
    EXPECT_EQ(files[1], (Temp.Docs() / "notes.txt").string());
    List->ClearSelection();
    List->SetItemIndex(1);
    EXPECT_EQ(List->SelectedFileName(), "");
    List->SetItemIndex(2);
    EXPECT_EQ(List->SelectedFileName(), (Temp.Docs() / "clip one.avi").string());
}

TEST_F(ShellList, SizeHeaderTwiceSortsDescendingWithFoldersLast)
{
    MakeList();
    ShowForm();
    List->SetItemIndex(3); // notes.txt
    TListColumn* size = List->Columns()->Items(1);
    // The header calls ColumnClick; OnColumnClick shows the same call from outside.
    std::vector<int> clicked;
    List->OnColumnClick = [&](TObject*, TListColumn* C) { clicked.push_back(C->Index()); };
    auto click = [&] {
        Driver.AdvanceClock(1000); // two separate clicks, not a double click
        const TRect r = List->HeaderSectionRect(1);
        const TPoint p = List->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        Driver.Click(p);
        Driver.ProcessMessages();
    };
    click();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Empty Folder", "My \"Quoted\" Clips", "notes.txt", "clip one.avi"}));
    click();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"clip one.avi", "notes.txt", "My \"Quoted\" Clips", "Empty Folder"}));
    EXPECT_EQ(clicked, (std::vector<int>{1, 1}));
    EXPECT_EQ(size->Index(), List->SortColumn());
    EXPECT_TRUE(List->SortDescending());
    ASSERT_NE(List->Selected(), nullptr);
    EXPECT_EQ(List->Selected()->Caption(), "notes.txt"); // the selection went with its row
}

TEST_F(ShellList, ColumnSortOfManyFilesWithSomeGone_IsStableAndPutsGoneOnesFirst)
{
    // Equal sizes keep the name order; files removed after listing sort as size -1.
    for (int i = 0; i < 60; ++i)
        std::ofstream(Temp.Docs() / ("same " + std::to_string(100 + i) + ".avi")) << std::string(static_cast<std::size_t>(i % 3), 'x');
    MakeList();
    for (int i = 0; i < 60; i += 7)
        fs::remove(Temp.Docs() / ("same " + std::to_string(100 + i) + ".avi"));
    ShowForm();
    const TRect r = List->HeaderSectionRect(1);
    Driver.Click(List->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)));
    Driver.ProcessMessages();
    ASSERT_EQ(List->SortColumn(), 1);
    const std::vector<std::string> rows = Captions();
    ASSERT_EQ(rows.size(), 64u);
    EXPECT_EQ(rows[0], "Empty Folder");
    EXPECT_EQ(rows[2], "same 100.avi");
    EXPECT_EQ(rows[3], "same 107.avi");
    // Sizes never go down, and within one size names rise.
    long long lastSize = -2;
    std::string lastName;
    for (std::size_t i = 2; i < rows.size(); ++i) {
        std::error_code ec;
        const auto size = fs::exists(Temp.Docs() / rows[i]) ? static_cast<long long>(fs::file_size(Temp.Docs() / rows[i], ec)) : -1;
        ASSERT_GE(size, lastSize) << rows[i];
        if (size == lastSize) {
            EXPECT_LT(AnsiCompareText(lastName, rows[i]), 0) << rows[i];
        }
        lastSize = size;
        lastName = rows[i];
    }
}

TEST_F(ShellList, ListedFolderRemoved_RefreshListsTheNearestFolderAboveIt)
{
    fs::create_directories(Temp.Docs() / "Deep" / "Deeper");
    MakeList((Temp.Docs() / "Deep" / "Deeper").string());
    std::vector<std::string> paths;
    List->OnPathChange = [&](TObject*) { paths.push_back(List->RootFolder()->Path()); };
    fs::remove_all(Temp.Docs() / "Deep");
    List->Refresh();
    ASSERT_NE(List->RootFolder(), nullptr);
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Docs().string());
    EXPECT_EQ(List->Items()->Count(), 4);
    EXPECT_EQ(paths, std::vector<std::string>{Temp.Docs().string()});
    // Going to a folder that has gone does the same.
    List->SetPathFromID(IDListFromPath((Temp.Docs() / "gone" / "too").string()));
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Docs().string());
}

TEST_F(ShellList, RowsShowThePicturesOfTheirKind_AndTheyArePainted)
{
    MakeList();
    List->SetViewStyle(vsList);
    std::vector<int> images;
    for (int i = 0; i < List->Items()->Count(); ++i)
        images.push_back(List->Items()->Item(i)->ImageIndex());
    EXPECT_EQ(images, (std::vector<int>{siFolder, siFolder, siVideoFile, siFile}));
    EXPECT_EQ(List->SmallImages(), ShellImages(false));
    EXPECT_EQ(ShellImages(true)->Width(), 32);
    EXPECT_EQ(ShellIconOf("/", true), siComputer);
    EXPECT_EQ(ShellIconOf(Temp.Home.string(), true), siHome);
    EXPECT_EQ(ShellIconOf(Temp.Docs().string(), true, true), siOpenFolder);
    // The folder picture's yellow is on the screen at the first row's left end.
    ShowForm();
    const TRect r = List->ItemRect(0);
    const TPoint p = List->ClientToScreen(Point(r.Left + 2 + 8, (r.Top + r.Bottom) / 2));
    EXPECT_EQ(Driver.PixelAt(Form->Handle(), p.X - Form->Left(), p.Y - Form->Top()) & 0xFFFFFFu, 0xFFFF00u);
}

TEST_F(ShellList, DraggingASectionsRightEdgeResizesItsColumn_AClickStillSorts)
{
    MakeList();
    ShowForm();
    const int before = List->Columns()->Items(0)->Width();
    const TRect r = List->HeaderSectionRect(0);
    const TPoint edge = List->ClientToScreen(Point(r.Right - 1, (r.Top + r.Bottom) / 2));
    Driver.Drag(edge, Point(edge.X + 40, edge.Y));
    Driver.ProcessMessages();
    EXPECT_EQ(List->Columns()->Items(0)->Width(), before + 40);
    EXPECT_EQ(List->SortColumn(), -1); // a drag is no click on the section
    Driver.Drag(Point(edge.X + 40, edge.Y), Point(edge.X - 1000, edge.Y));
    Driver.ProcessMessages();
    EXPECT_EQ(List->Columns()->Items(0)->Width(), 4);
    Driver.AdvanceClock(1000);
    const TRect size = List->HeaderSectionRect(1);
    Driver.Click(List->ClientToScreen(Point((size.Left + size.Right) / 2, (size.Top + size.Bottom) / 2)));
    Driver.ProcessMessages();
    EXPECT_EQ(List->SortColumn(), 1);
}

TEST_F(ShellList, F2EditsTheName_EnterRenames_AnExistingNameIsNeverReplaced)
{
    MakeList();
    ShowForm();
    List->SetFocus();
    List->SetItemIndex(3); // notes.txt
    Driver.Press(VK_F2);
    Driver.ProcessMessages();
    ASSERT_NE(List->LabelEditor(), nullptr);
    EXPECT_TRUE(List->LabelEditor()->Visible());
    EXPECT_EQ(List->LabelEditor()->Text(), "notes.txt");
    List->LabelEditor()->SetText("");
    Driver.Type("my \"notes\".txt");
    Driver.Press(VK_RETURN);
    Driver.ProcessMessages();
    EXPECT_FALSE(List->LabelEditor()->Visible());
    EXPECT_TRUE(fs::exists(Temp.Docs() / "my \"notes\".txt"));
    EXPECT_FALSE(fs::exists(Temp.Docs() / "notes.txt"));
    ASSERT_NE(List->Selected(), nullptr);
    EXPECT_EQ(List->Selected()->Caption(), "my \"notes\".txt");
    // Onto a name that is taken: both files stay as they are.
    Driver.Press(VK_F2);
    Driver.ProcessMessages();
    List->LabelEditor()->SetText("clip one.avi");
    Driver.Press(VK_RETURN);
    Driver.ProcessMessages();
    EXPECT_TRUE(fs::exists(Temp.Docs() / "my \"notes\".txt"));
    EXPECT_EQ(fs::file_size(Temp.Docs() / "clip one.avi"), 5u);
    // Escape leaves the name alone.
    Driver.Press(VK_F2);
    Driver.ProcessMessages();
    List->LabelEditor()->SetText("other.txt");
    Driver.Press(VK_ESCAPE);
    Driver.ProcessMessages();
    EXPECT_TRUE(fs::exists(Temp.Docs() / "my \"notes\".txt"));
    EXPECT_FALSE(fs::exists(Temp.Docs() / "other.txt"));
}

TEST_F(ShellList, ASlowSecondClickOnTheSelectedRowEditsItsName_ADoubleClickDoesNot)
{
    MakeList();
    ShowForm();
    Driver.Click(RowPoint(3));
    Driver.ProcessMessages();
    Driver.AdvanceClock(1000);
    Driver.Click(RowPoint(3)); // the row is selected already: a slow second click
    Driver.ProcessMessages();
    EXPECT_TRUE(List->LabelEditor() == nullptr || !List->LabelEditor()->Visible()); // not before the wait
    Driver.AdvanceClock(1000);
    Driver.ProcessMessages();
    ASSERT_NE(List->LabelEditor(), nullptr);
    EXPECT_TRUE(List->LabelEditor()->Visible());
    EXPECT_EQ(List->LabelEditor()->Text(), "notes.txt");
    Driver.Press(VK_ESCAPE);
    Driver.ProcessMessages();
    // A double click on the selected row opens it instead (a folder here) and edits nothing.
    Driver.AdvanceClock(1000);
    Driver.Click(RowPoint(1));
    Driver.ProcessMessages();
    Driver.AdvanceClock(1000);
    Driver.DoubleClick(RowPoint(1));
    Driver.ProcessMessages();
    Driver.AdvanceClock(1000);
    Driver.ProcessMessages();
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Quoted().string());
    EXPECT_FALSE(List->LabelEditor()->Visible());
}

TEST_F(ShellList, MoveToTrash_GoesToTheUsersTrashWithItsOriginalPath_NothingIsDeleted)
{
    MakeList();
    List->SetMultiSelect(true);
    List->SetItemSelected(1, true); // My "Quoted" Clips/
    List->SetItemSelected(2, true); // clip one.avi
    std::ofstream(Temp.Docs() / "Empty Folder" / "clip one.avi") << "second";
    List->TrashSelected();
    const fs::path trash = Temp.Home / ".local/share/Trash";
    EXPECT_FALSE(fs::exists(Temp.Quoted()));
    EXPECT_FALSE(fs::exists(Temp.Docs() / "clip one.avi"));
    EXPECT_TRUE(fs::exists(trash / "files" / "My \"Quoted\" Clips" / "Disc 1"));
    EXPECT_EQ(fs::file_size(trash / "files" / "clip one.avi"), 5u);
    std::ifstream info(trash / "info" / "My \"Quoted\" Clips.trashinfo");
    std::string header, path;
    std::getline(info, header);
    std::getline(info, path);
    EXPECT_EQ(header, "[Trash Info]");
    EXPECT_EQ(path, "Path=" + Temp.Docs().string() + "/My%20%22Quoted%22%20Clips");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Empty Folder", "notes.txt"}));
    // A second item of the same name gets a name of its own in the trash.
    List->SetRoot((Temp.Docs() / "Empty Folder").string());
    List->SetItemIndex(0);
    List->TrashSelected();
    EXPECT_EQ(fs::file_size(trash / "files" / "clip one.2.avi"), 6u);
    EXPECT_TRUE(fs::exists(trash / "info" / "clip one.2.avi.trashinfo"));
    // An empty folder left in the trash without its info file is not replaced either.
    fs::create_directories(trash / "files" / "Empty Folder");
    fs::create_directories(Temp.Docs() / "Empty Folder" / "kept");
    List->SetRoot(Temp.Docs().string());
    List->ClearSelection();
    List->SetItemIndex(0); // Empty Folder
    List->TrashSelected();
    EXPECT_TRUE(fs::is_empty(trash / "files" / "Empty Folder"));
    EXPECT_TRUE(fs::exists(trash / "files" / "Empty Folder.2" / "kept"));
}

TEST_F(ShellList, AltEnterTellsTheItemsProperties)
{
    MakeList();
    ShowForm();
    List->SetFocus();
    List->SetItemIndex(2); // clip one.avi
    // The list's owner answers what it tells the user (the dialogs show it in a message box); here the
    // text it would be given is kept.
    std::string told;
    List->OnShellMessage = [&](TControl*, const std::string& Text) { told = Text; };
    Driver.Press(VK_RETURN, false, false, true);
    Driver.ProcessMessages();
    EXPECT_EQ(told.rfind("clip one.avi\n", 0), 0u) << told;
    EXPECT_NE(told.find("Type: AVI file"), std::string::npos) << told;
    EXPECT_NE(told.find("Size: 5 bytes"), std::string::npos) << told;
    EXPECT_EQ(List->RootFolder()->Path(), Temp.Docs().string()); // Enter with Alt opens nothing
}

TEST_F(ShellList, BadRootRaisesAndKeepsTheListing)
{
    MakeList();
    EXPECT_THROW(List->SetRoot("/no/such/folder"), Exception);
    EXPECT_EQ(List->Root(), "rfPersonal");
    EXPECT_EQ(List->Items()->Count(), 4);
}

TEST_F(ShellList, AutoRefreshShowsAFileThatAppears)
{
    MakeList();
    ShowForm();
    List->SetAutoRefresh(true);
    std::ofstream(Temp.Docs() / "new clip.avi") << "n";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (List->Items()->Count() < 5 && std::chrono::steady_clock::now() < deadline) {
        WaitMessage(100);
        Driver.ProcessMessages();
    }
    EXPECT_EQ(Captions(),
        (std::vector<std::string>{"Empty Folder", "My \"Quoted\" Clips", "clip one.avi", "new clip.avi", "notes.txt"}));
    List->SetAutoRefresh(false);
}

TEST_F(ShellList, ARightClickOnARowChoosesItAndOffersTheVerbs)
{
    MakeList();
    ShowForm();
    List->SetItemIndex(0);
    Driver.Click(RowPoint(3), 2); // notes.txt
    Driver.ProcessMessages();
    ASSERT_NE(List->Selected(), nullptr);
    EXPECT_EQ(List->Selected()->Index(), 3);
    TPopupMenu* menu = nullptr;
    for (int i = 0; i < List->ComponentCount() && menu == nullptr; ++i)
        menu = dynamic_cast<TPopupMenu*>(List->Components(i));
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> captions;
    for (int i = 0; i < menu->Items()->Count(); ++i)
        captions.push_back(menu->Items()->Items(i)->Caption() + (menu->Items()->Items(i)->Enabled() ? "" : " (off)"));
    EXPECT_EQ(captions, (std::vector<std::string>{"&Open", "-", "&Rename", "New Folder", "-", "Move to &Trash", "-",
                            "P&roperties"}));
    menu->Items()->Items(2)->Click();
    Driver.ProcessMessages();
    ASSERT_NE(List->LabelEditor(), nullptr);
    EXPECT_TRUE(List->LabelEditor()->Visible());
    EXPECT_EQ(List->LabelEditor()->Text(), "notes.txt");
    Driver.Press(VK_ESCAPE);
    Driver.ProcessMessages();
}

TEST_F(ShellList, TypingFindsTheRowWhoseNameBeginsSo_APauseStartsAfresh)
{
    MakeList();
    ShowForm();
    List->SetFocus();
    Driver.ProcessMessages();
    const auto typed = [&](const std::string& Text) {
        Driver.Type(Text);
        Driver.ProcessMessages();
        return List->Selected() != nullptr ? List->Selected()->Caption() : std::string();
    };
    EXPECT_EQ(typed("n"), "notes.txt");
    EXPECT_EQ(typed("o"), "notes.txt"); // "no" still fits
    Driver.AdvanceClock(2000);
    EXPECT_EQ(typed("CL"), "clip one.avi"); // without regard to case
    Driver.AdvanceClock(2000);
    EXPECT_EQ(typed("e"), "Empty Folder"); // round past the last row to the first
    EXPECT_EQ(typed("x"), "Empty Folder"); // "ex" fits nothing: the row stays
}

TEST_F(ShellList, LargeIconsShowTheBigPictures_TheNameIsEditedUnderThePicture)
{
    MakeList();
    List->SetViewStyle(vsIcon);
    ShowForm();
    Save("ShellListLargeIcons");
    // Row 1 (a folder) sits right of row 0 on the first line; its 32-pixel picture is centred on top.
    const TRect first = List->ItemRect(0);
    const TRect second = List->ItemRect(1);
    EXPECT_EQ(second.Top, first.Top);
    EXPECT_EQ(second.Left, first.Right);
    const TPoint p = List->ClientToScreen(Point((second.Left + second.Right) / 2, second.Top + 2 + 20));
    EXPECT_EQ(Driver.PixelAt(Form->Handle(), p.X - Form->Left(), p.Y - Form->Top()) & 0xFFFFFFu, 0xFFFF00u);
    List->SetFocus();
    List->SetItemIndex(3); // notes.txt
    Driver.Press(VK_F2);
    Driver.ProcessMessages();
    ASSERT_NE(List->LabelEditor(), nullptr);
    EXPECT_GE(List->LabelEditor()->Top(), List->ItemRect(3).Top + 32);
    EXPECT_EQ(List->LabelEditor()->Left(), List->ItemRect(3).Left);
    Driver.Press(VK_ESCAPE);
    Driver.ProcessMessages();
}

} // namespace
