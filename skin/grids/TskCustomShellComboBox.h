#pragma once
// The folder path box ("Look in"): a skinned combo box listing the root folder, the root's children and
// the chain of folders down to the current one, each indented by its level. Choosing a folder collapses
// the list to that folder's path and moves a linked folder tree and file list there; the linked views
// move the box when they go elsewhere themselves (SetPathFromID). All of them follow one shared
// navigator; the box keeps its own Root and gives it to the views it links.
//
// With UseShellImages and no Images the rows show the program's own pictures of folders and volumes.
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/grids/TskShellFolder.h"
#include "skin/grids/TskShellNavigator.h"

class TskCustomShellTreeView;
class TskCustomShellListView;

// One row of the box: the owned folder and how it is shown.
class TskItemEx {
public:
    std::string Caption;
    std::unique_ptr<TskShellFolder> Data;
    int Indent = 0;
    int ImageIndex = -1;
    int SelectedImageIndex = -1;
};

// The rows in display order. While updating (BeginUpdate/EndUpdate) the box ignores changes of its choice.
class TskItemsEx {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TskItemEx* Items(int Index) const;
    // Inserts at Index (clamped into 0..Count) and gives the new row.
    TskItemEx* Insert(int Index);
    TskItemEx* Add() { return Insert(Count()); }
    void Clear() { FItems.clear(); }
    // The last row whose folder has this full ID list; -1 when there is none.
    int IndexOfID(const TItemIDList& ID) const;
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() { if (FUpdateCount > 0) --FUpdateCount; }
    bool Updating() const { return FUpdateCount > 0; }

private:
    std::vector<std::unique_ptr<TskItemEx>> FItems;
    int FUpdateCount = 0;
};

class TskCustomShellComboBox : public TskSkinCustomComboBox, public TskShellView {
public:
    explicit TskCustomShellComboBox(TComponent* AOwner);
    ~TskCustomShellComboBox() override;

    // A root-folder name or a path. A root that names no folder raises "Error setting path: ..." and
    // leaves Root and the rows as they were. The linked views get the same Root.
    const std::string& Root() const { return FRoot; }
    void SetRoot(const std::string& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes Value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value);
    TskCustomShellTreeView* ShellTreeView() const;
    // Links the tree (on this box's navigator) and gives it this box's Root; nullptr unlinks the tree.
    void SetShellTreeView(TskCustomShellTreeView* Value);
    TskCustomShellListView* ShellListView() const;
    // Links the list (on this box's navigator) and gives it this box's Root; nullptr unlinks the list.
    void SetShellListView(TskCustomShellListView* Value);

    TskItemsEx* ItemsEx() { return &FItemsEx; }
    // The folder of a row; nullptr for a row that does not exist.
    TskShellFolder* Folders(int Index) const;
    // The folder of the chosen row, or nullptr.
    TskShellFolder* SelectedFolder() const { return Folders(ItemIndex()); }
    // The size of the icons the rows make room for.
    int IconWidth() const;
    int IconHeight() const;

    // Called by the linked views when they move: shows the path of the folder with this ID list (nothing
    // when it is the chosen one already, or while this box moves the views itself).
    void SetPathFromID(const TItemIDList& ID);
    // Refills and opens the chain down to the folder with this ID list, choosing it. A folder that is
    // neither the root nor below it leaves the rows refilled with the root chosen.
    void ShowPath(const TItemIDList& ID);
    // Rebuilds the rows from Root: the root, its children and, when the computer folder is among them,
    // the computer's children below it.
    void Fill();

protected:
    void Change() override;
    void CreateWnd() override;
    void Loaded() override;
    // The box shows where the others are within its own Root; it takes no root from them.
    void FollowRoot(const std::string&) override {}
    void FollowFolder(const TItemIDList& ID) override { SetPathFromID(ID); }

private:
    template <class TView> void LinkGivingRoot(TShellViewKind Kind, TView* Value);
    void AddChildren(int Index);
    void SetItemImages(TskItemEx& Item) const;
    // Images, else the program's own pictures with UseShellImages.
    TCustomImageList* RowImages() const;
    void RefreshItems();
    // Chooses a row without the box's events (the rows change under the box's own hand).
    void ChooseQuietly(int Index);
    void DrawRow(TCanvas* C, int Index, TRect TxtRect, int Indent);
    bool Loading() const { return ComponentState().Contains(csLoading); }

    std::string FRoot = "rfDesktop";
    TShellObjectTypes FObjectTypes{otFolders};
    bool FUseShellImages = true;
    std::unique_ptr<TskShellFolder> FRootFolder;
    TskItemsEx FItemsEx;
    bool FUpdating = false;
};

// Publishes the box for stored forms.
class TskSkinShellComboBox : public TskCustomShellComboBox {
public:
    using TskCustomShellComboBox::TskCustomShellComboBox;
};

// Tells the form reader about the shell combo classes.
void RegisterShellComboBoxClasses();
