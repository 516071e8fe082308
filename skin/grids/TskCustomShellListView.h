#pragma once
// The file list: the content of one folder as a virtual list (each row's text is asked for when it is
// painted). Files are filtered by Mask; folders always show, first. With AutoNavigate a double click
// or Return on a folder opens it, Backspace goes up one level and F5 reads the folder again. A linked
// folder tree (ShellTreeView) follows wherever the list goes, and moves the list when it is moved: both
// follow one shared navigator.
//
// With AutoContextMenus a right click offers what this desktop can do safely: Open (a folder here, a
// file in the desktop's program for it), Rename (also F2), New Folder, Move to Trash and Properties
// (also Alt+Enter). Rows show the program's own pictures of files, folders and volumes.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/TStringList.h"
#include "skin/controls/TskSkinCustomListView.h"
#include "skin/grids/TskCustomShellTreeView.h"
#include "skin/grids/ShellVerbs.h"
#include "skin/grids/TskShellFolder.h"
#include "skin/grids/TskShellNavigator.h"

class TPopupMenu;
class TShellLabelEdit;
class TskShellChangeNotifier;
class TskCustomShellComboBox;

class TskCustomShellListView : public TskSkinCustomListView, public TskShellView {
public:
    explicit TskCustomShellListView(TComponent* AOwner);
    ~TskCustomShellListView() override;

    // A root-folder name or a path. A root that names no folder raises "Error setting path: ..." and
    // leaves Root and the list as they were.
    const std::string& Root() const { return FRoot; }
    void SetRoot(const std::string& Value);
    // File patterns separated by ";" or "|" ("*.avi;*.mpg"); "" lists folders only.
    const std::string& Mask() const { return FMask; }
    void SetMask(const std::string& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool AutoContextMenus() const { return FAutoContextMenus; }
    void SetAutoContextMenus(bool Value) { FAutoContextMenus = Value; }
    bool AutoNavigate() const { return FAutoNavigate; }
    void SetAutoNavigate(bool Value) { FAutoNavigate = Value; }
    bool AutoRefresh() const { return FAutoRefresh; }
    // On: a change in the listed folder reads it again (Refresh).
    void SetAutoRefresh(bool Value);
    TskCustomShellTreeView* ShellTreeView() const;
    // Links the tree (on this list's navigator), which takes this list's Root; nullptr unlinks the tree.
    void SetShellTreeView(TskCustomShellTreeView* Value);
    // The folder path box linked to this list (through the box's ShellListView or here).
    TskCustomShellComboBox* ShellComboBox() const;
    void SetShellComboBox(TskCustomShellComboBox* Value);

    // The folder listed, or nullptr before the first listing.
    TskShellFolder* RootFolder() const { return FRootFolder.get(); }
    // The item of a row; nullptr for a row that does not exist.
    TskShellFolder* Folders(int Index) const;
    TskShellFolder* SelectedFolder() const;
    // Lists the folder with this ID list (nothing when it is the one listed already).
    void SetPathFromID(const TItemIDList& ID);
    // Up one level (nothing at the namespace root).
    void Back();
    // Reads the folder again; the row that was selected is selected again when it still exists.
    void Refresh();
    // The paths of the selected rows that are files, in row order (Files is cleared first).
    void GetSelectedFiles(TStrings* Files) const;
    // The path of the selected row when it is a file; "" otherwise.
    std::string SelectedFileName() const;
    // Makes a folder named BaseName (or BaseName(2), (3)... when taken) in the folder listed, lists it
    // and selects it; its row, or -1 when none could be made.
    int CreateNewFolder(const std::string& BaseName);
    // Edits the name of row Index in place: Enter renames (never over an existing name), Escape
    // leaves it. Nothing for a row that cannot be renamed.
    void EditLabel(int Index);
    // The name edit while a label is edited, else nullptr.
    TWinControl* LabelEditor() const;
    // The verbs of the context menu, on the selected rows.
    void OpenSelected();
    void TrashSelected();
    void ShowProperties();
    // The list's sort column (-1: the folder's own order) and direction.
    int SortColumn() const { return FSortColumn; }
    bool SortDescending() const { return FDescending; }

    TAddFolderEvent OnAddFolder;
    // After each move to another folder.
    TNotifyEvent OnPathChange;
    // What the verbs have to tell the user (properties, a failed rename or trash); unanswered, nothing shows.
    TShellMessageEvent OnShellMessage;

protected:
    void ColumnClick(TListColumn* Column) override;
    // The item's name, without making the row.
    std::string ItemCaption(int Index) const override;
    void DblClick() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void CreateWnd() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void FollowRoot(const std::string& Root) override { SetRoot(Root); }
    void FollowFolder(const TItemIDList& ID) override { SetPathFromID(ID); }

private:
    void TellUser(const std::string& Text) { if (OnShellMessage) OnShellMessage(this, Text); }
    void Populate();
    void ListItemData(TObject* Sender, TListItem* Item);
    bool MaskAccepts(const std::string& FileName) const;
    void BuildColumns();
    // Folders first, then by the column (-1: by name); equal ones keep their order.
    void SortItems(int Column, bool Descending);
    void OpenFolderRow(int Index);
    void NavigateTo(const TItemIDList& ID);
    void UpdateNotifier();
    void ShowContextMenu(TPoint ScreenPos);
    // Gives row Row the name typed for it.
    void RenameRow(int Row, const std::string& Name);
    bool Loading() const { return ComponentState().Contains(csLoading); }

    std::string FRoot = "rfDesktop";
    std::string FMask = "*.*|*.*";
    TShellObjectTypes FObjectTypes{otFolders, otNonFolders};
    bool FSorted = true;
    bool FAutoContextMenus = true;
    bool FAutoNavigate = true;
    bool FAutoRefresh = false;
    std::unique_ptr<TskShellFolder> FRootFolder;
    std::vector<std::unique_ptr<TskShellFolder>> FFolders; // one per row, in display order
    bool FRootSetByString = false;
    bool FPopulating = false;
    int FSortColumn = -1;
    bool FDescending = false;
    TComponentLink<TskShellChangeNotifier> FNotifier{this}; // a sub-component while AutoRefresh is on
    TPopupMenu* FMenu = nullptr;                   // the context menu, made on first use
    std::unique_ptr<TShellLabelEdit> FLabelEdit;  // renaming in place
    int FLabelRow = -1;                            // the row being renamed
    int FSlowClickRow = -1;                        // the row a slow second click would rename
    int FNewFolderCount = 0;
};

// Publishes the list for stored forms.
class TskSkinFileListView : public TskCustomShellListView {
public:
    using TskCustomShellListView::TskCustomShellListView;
};

// Tells the form reader about the shell list classes.
void RegisterShellListViewClasses();
