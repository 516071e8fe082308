#pragma once
// The folder tree: the namespace below Root as a tree filled when a node is first opened. Each node
// owns one TskShellFolder (its Data). A linked file list (ShellListView) shows the folder of the
// selected node and moves the tree when it goes elsewhere itself; both follow one shared navigator.
//
// With AutoContextMenus a right click offers what this desktop can do safely with the folder: Open,
// Rename (also F2 and a slow second click), New Folder (inside it), Move to Trash and Properties (also
// Alt+Enter). With UseShellImages nodes show the program's own pictures of folders and volumes.
#include <functional>
#include <memory>
#include <string>

#include "skin/controls/TskSkinCustomTreeView.h"
#include "skin/grids/ShellVerbs.h"
#include "skin/grids/TskShellFolder.h"
#include "skin/grids/TskShellNavigator.h"

class TPopupMenu;
class TShellLabelEdit;
class TskCustomShellListView;
class TskShellChangeNotifier;
class TskCustomShellComboBox;

// Lets a handler keep a folder out of a view (CanAdd starts true).
using TAddFolderEvent = std::function<void(TObject* Sender, TskShellFolder* AFolder, bool& CanAdd)>;

class TskCustomShellTreeView : public TskSkinCustomTreeView, public TskShellView {
public:
    explicit TskCustomShellTreeView(TComponent* AOwner);
    ~TskCustomShellTreeView() override;

    // A root-folder name ("rfDesktop", "rfPersonal"...) or a path. A root that names no folder raises
    // "Error setting path: ..." and leaves Root and the tree as they were.
    const std::string& Root() const { return FRoot; }
    void SetRoot(const std::string& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    // Refills the tree from the root.
    void SetObjectTypes(TShellObjectTypes Value);
    bool AutoContextMenus() const { return FAutoContextMenus; }
    void SetAutoContextMenus(bool Value) { FAutoContextMenus = Value; }
    bool AutoRefresh() const { return FAutoRefresh; }
    // On: a change in the selected folder refreshes its node.
    void SetAutoRefresh(bool Value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value) { FUseShellImages = Value; }
    TskCustomShellListView* ShellListView() const;
    // Links the list (on this tree's navigator) and gives it this tree's Root; nullptr unlinks the list.
    void SetShellListView(TskCustomShellListView* Value);
    // The folder path box linked to this tree (through the box's ShellTreeView or here).
    TskCustomShellComboBox* ShellComboBox() const;
    void SetShellComboBox(TskCustomShellComboBox* Value);

    // The file-system path of the selected folder; "" when nothing is selected.
    std::string Path() const;
    // Selects (opening the nodes on the way) the folder at Value. A path that names nothing raises
    // "Error setting path: ..." and leaves the selection alone.
    void SetPath(const std::string& Value);
    // The folder of the selected node, or nullptr.
    TskShellFolder* SelectedFolder() const;
    // The folder of a node of this tree, or nullptr.
    static TskShellFolder* NodeFolder(const TTreeNode* Node);
    // Selects the node of the folder with this ID list, filling the nodes on the way; nothing when
    // the folder is not below the root.
    void SetPathFromID(const TItemIDList& ID);
    // Selects the computer (the namespace root) and opens it.
    void SelectComputerFolder();
    // Reads the node's folder again: new and removed sub-folders show, opened ones stay open, and
    // the selection stays where it was when it still exists.
    void RefreshNode(TTreeNode* Node);

    // The verbs of the context menu, on the selected node. Open opens a folder's node (a file in the
    // desktop's program for it); New Folder makes one inside the selected folder, selects it and edits
    // its name; Move to Trash moves the folder into the user's trash and selects its parent.
    void OpenSelected();
    void CreateNewFolder(const std::string& BaseName);
    void TrashSelected();
    void ShowProperties();
    // Edits the node's name in place: Enter renames (never over an existing name), Escape leaves it.
    // Nothing for the top node or a node that cannot be renamed.
    void EditNode(TTreeNode* Node);
    // The name edit while a node is renamed (hidden after), else nullptr.
    TWinControl* LabelEditor() const;

    TAddFolderEvent OnAddFolder;
    // What the verbs have to tell the user (properties, a failed rename or trash); unanswered, nothing shows.
    TShellMessageEvent OnShellMessage;

protected:
    bool CanExpand(TTreeNode* Node) override;
    void Change(TTreeNode* Node) override;
    void CreateWnd() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void FollowRoot(const std::string& Root) override { SetRoot(Root); }
    void FollowFolder(const TItemIDList& ID) override { SetPathFromID(ID); }

private:
    void TellUser(const std::string& Text) { if (OnShellMessage) OnShellMessage(this, Text); }
    void ShowContextMenu(TPoint ScreenPos);
    void RenameNode(TTreeNode* Node, const std::string& Name);
    // Reads Parent again and selects its child of that name (Parent itself when there is none).
    void ReselectChild(TTreeNode* Parent, const std::string& Name);
    // Shows FRoot anew, resolved again; nothing while a root change runs.
    void RootChanged();
    // Shows Root (resolved from FRoot) in place of the tree shown until now.
    void ReplaceRoot(std::unique_ptr<TskShellFolder> Root);
    void FillNode(TTreeNode* Node);
    // Adds a node for Folder below Parent; nullptr when OnAddFolder refused it.
    TTreeNode* AddFolderNode(TTreeNode* Parent, std::unique_ptr<TskShellFolder> Folder);
    // The program's pictures of the folder, shut and open, with UseShellImages.
    void SetNodeImages(TTreeNode* Node, const TskShellFolder& Folder);
    bool FolderHasChildren(const TskShellFolder& Folder) const;
    TTreeNode* FindChild(TTreeNode* Parent, const TItemIDList& ID);
    void MoveLinkedViews(TskShellFolder* Folder);
    void UpdateNotifierRoot();
    bool Loading() const { return ComponentState().Contains(csLoading); }

    std::string FRoot = "rfDesktop";
    TShellObjectTypes FObjectTypes{otFolders};
    bool FAutoContextMenus = true;
    bool FAutoRefresh = false;
    bool FUseShellImages = true;
    std::unique_ptr<TskShellFolder> FRootFolder;
    std::string FPendingPath; // selected again once the window is made anew
    bool FInRootChange = false;
    bool FUpdatingLinks = false;
    TComponentLink<TskShellChangeNotifier> FNotifier{this}; // a sub-component while AutoRefresh is on
    TPopupMenu* FMenu = nullptr;                  // the context menu, made on first use
    std::unique_ptr<TShellLabelEdit> FLabelEdit;  // renaming in place
    TTreeNode* FLabelNode = nullptr;              // the node being renamed
    TTreeNode* FSlowClickNode = nullptr;          // the node a slow second click would rename
    int FNewFolderCount = 0;
};

// Publishes the tree for stored forms.
class TskSkinDirTreeView : public TskCustomShellTreeView {
public:
    using TskCustomShellTreeView::TskCustomShellTreeView;
};

// Tells the form reader about the shell tree classes.
void RegisterShellTreeViewClasses();
