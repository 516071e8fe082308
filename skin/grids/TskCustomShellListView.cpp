#include "skin/grids/TskCustomShellListView.h"

#include <algorithm>
#include <sys/stat.h>
#include <utility>

#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "skin/data/SkinStrings.h"
#include "platform/sys/Desktop.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TMenu.h"
#include "skin/data/TskSkinData.h"
#include "skin/grids/ShellLabelEdit.h"
#include "skin/grids/ShellPictures.h"
#include "skin/grids/ShellVerbs.h"
#include "skin/grids/TskCustomShellComboBox.h"
#include "skin/grids/TskShellChangeNotifier.h"

namespace {

struct TDefaultColumn {
    const char* Key;
    TAlignment Alignment;
    int Chars; // width in widths of "X"
};

constexpr TDefaultColumn kColumns[] = {
    {"FLV_NAME", taLeftJustify, 25},
    {"FLV_SIZE", taRightJustify, 10},
    {"FLV_TYPE", taLeftJustify, 10},
    {"FLV_MODIFIED", taLeftJustify, 14},
};
constexpr int kColumnCount = 4;

int Sign(long long V) { return V < 0 ? -1 : (V > 0 ? 1 : 0); }

std::string Extension(const std::string& Name)
{
    const std::size_t dot = Name.rfind('.');
    return dot != std::string::npos && dot > 0 ? Name.substr(dot) : std::string();
}

struct TFileFacts {
    long long Size = -1;
    long long Modified = -1;
};

TFileFacts FactsOf(const TskShellFolder* F)
{
    TFileFacts facts;
    struct stat data {};
    if (::stat(F->Path().c_str(), &data) == 0) {
        facts.Size = TskShellFolder::SizeOf(data);
        facts.Modified = static_cast<long long>(data.st_mtime);
    }
    return facts;
}

} // namespace

TskCustomShellListView::TskCustomShellListView(TComponent* AOwner) : TskSkinCustomListView(AOwner), TskShellView(svList)
{
    FControlStyle.Include(csDoubleClicks);
    SetOwnerData(true);
    SetHideSelection(false);
    SetSmallImages(ShellImages(false));
    SetLargeImages(ShellImages(true));
    OnData = [this](TObject* Sender, TListItem* Item) { ListItemData(Sender, Item); };
    FLabelEdit = std::make_unique<TShellLabelEdit>(this);
    FLabelEdit->OnRename = [this](const std::string& Name) { RenameRow(FLabelRow, Name); };
    FLabelEdit->OnSlowClick = [this] {
        if (FSlowClickRow >= 0 && IsSelected(FSlowClickRow) && SelCount() == 1)
            EditLabel(FSlowClickRow);
        FSlowClickRow = -1;
    };
}

TskCustomShellListView::~TskCustomShellListView()
{
    LeaveNavigator();
    OnData = nullptr;
}

TskShellFolder* TskCustomShellListView::Folders(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FFolders.size()))
        return nullptr;
    return FFolders[static_cast<std::size_t>(Index)].get();
}

TskShellFolder* TskCustomShellListView::SelectedFolder() const
{
    const TListItem* item = Selected();
    return item != nullptr ? Folders(item->Index()) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskCustomShellListView::SetRoot(const std::string& Value)
{
    TakeRoot(FRoot, FRootFolder != nullptr, Loading(), Value, [this](std::unique_ptr<TskShellFolder> Folder) {
        std::unique_ptr<TskShellFolder> old = std::exchange(FRootFolder, std::move(Folder));
        {
            TValueGuard rootSetByString(FRootSetByString);
            Populate();
        }
        old.reset();
        if (OnPathChange)
            OnPathChange(this);
    });
}

void TskCustomShellListView::SetMask(const std::string& Value)
{
    if (Value == FMask)
        return;
    FMask = Value;
    Populate();
}

void TskCustomShellListView::SetObjectTypes(TShellObjectTypes Value)
{
    TakeObjectTypes(FObjectTypes, Value, Loading(), [this] { Populate(); });
}

void TskCustomShellListView::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    FSorted = Value;
    Populate();
}

TskCustomShellTreeView* TskCustomShellListView::ShellTreeView() const { return LinkedViewAs<TskCustomShellTreeView>(svTree); }

TskCustomShellComboBox* TskCustomShellListView::ShellComboBox() const { return LinkedViewAs<TskCustomShellComboBox>(svPathBox); }

void TskCustomShellListView::SetShellTreeView(TskCustomShellTreeView* Value)
{
    if (Value == nullptr)
        UnlinkView(svTree);
    else
        Value->SetShellListView(this); // the tree gives its Root to the list it links
}

void TskCustomShellListView::SetShellComboBox(TskCustomShellComboBox* Value) { SetLinkedView(svPathBox, Value); }

void TskCustomShellListView::SetAutoRefresh(bool Value)
{
    if (Value == FAutoRefresh)
        return;
    FAutoRefresh = Value;
    if (!Loading())
        SwitchFolderWatch(FNotifier, this, Value, FRootFolder != nullptr ? FRootFolder->Path() : std::string(),
                          [this] { Refresh(); });
}

void TskCustomShellListView::UpdateNotifier()
{
    if (FNotifier != nullptr && FRootFolder != nullptr && FNotifier->Root() != FRootFolder->Path())
        FNotifier->SetRoot(FRootFolder->Path());
}

// ---------------------------------------------------------------------------------------------
// Listing

bool TskCustomShellListView::MaskAccepts(const std::string& FileName) const
{
    std::string pattern;
    auto matches = [&](const std::string& P) {
        if (P.find('.') != std::string::npos)
            return P == "*" || MatchesMask(FileName, P);
        return P == "*";
    };
    for (char c : FMask + ";") {
        if (c == ';' || c == '|') {
            if (!pattern.empty() && matches(pattern))
                return true;
            pattern.clear();
        } else {
            pattern += c;
        }
    }
    return false;
}

void TskCustomShellListView::Populate()
{
    if (FPopulating || Loading() || FRootFolder == nullptr)
        return;
    TValueGuard populating(FPopulating);
    // The linked views follow first (a root given by name as that name); their echo back to this list
    // is stopped by the navigator.
    if (FRootSetByString)
        TellRoot(FRoot);
    TellFolder(FRootFolder->FullID());
    ClearSelection();
    Items()->SetCount(0);
    FFolders.clear();
    for (auto& item : FRootFolder->Children(FObjectTypes)) {
        bool canAdd = item->IsFolder() || MaskAccepts(item->DisplayName());
        if (OnAddFolder)
            OnAddFolder(this, item.get(), canAdd);
        if (canAdd)
            FFolders.push_back(std::move(item));
    }
    if (FSorted)
        SortItems(-1, false);
    FSortColumn = -1;
    FDescending = false;
    Items()->SetCount(static_cast<int>(FFolders.size()));
    if (ViewStyle() == vsReport)
        BuildColumns();
    Invalidate();
    UpdateNotifier();
}

void TskCustomShellListView::ListItemData(TObject*, TListItem* Item)
{
    TskShellFolder* folder = Folders(Item->Index());
    if (folder == nullptr)
        return;
    Item->SetCaption(folder->DisplayName());
    Item->SetImageIndex(folder->IconIndex());
    if (ViewStyle() != vsReport || Columns()->Count() < 2)
        return;
    folder->LoadColumnDetails(FRootFolder.get(), Columns()->Count());
    // A file removed since the listing has no details to read: its row shows its name alone.
    const bool known = folder->DetailsList()->Count() > 0;
    const bool isFolder = folder->IsFolder();
    for (int column = 1; column < Columns()->Count(); ++column) {
        std::string text = known ? folder->Details(column) : std::string();
        // A folder has no size and no time of its own to show ("-1" in the details).
        if (isFolder && (column == 1 || column == 3))
            text.clear();
        Item->SubItems()->Add(text);
    }
}

void TskCustomShellListView::BuildColumns()
{
    Columns()->Clear();
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    const int x = std::max(1, measure.Canvas()->TextWidth("X"));
    for (const TDefaultColumn& c : kColumns) {
        TListColumn* column = Columns()->Add();
        column->SetCaption(SkinResString(SkinData(), c.Key));
        column->SetAlignment(c.Alignment);
        column->SetWidth(c.Chars * x);
    }
}

void TskCustomShellListView::CreateWnd()
{
    TskSkinCustomListView::CreateWnd();
    if (Loading() || FRootFolder != nullptr)
        return;
    try {
        FRootFolder = CreateRootFolder(FRoot);
    } catch (const Exception&) {
        // A stored root that no longer exists leaves an empty list; the window itself is fine.
        return;
    }
    Populate();
}

void TskCustomShellListView::Loaded()
{
    TskSkinCustomListView::Loaded();
    const bool autoRefresh = FAutoRefresh;
    FAutoRefresh = false;
    try {
        FRootFolder = CreateRootFolder(FRoot);
        TValueGuard rootSetByString(FRootSetByString);
        Populate();
    } catch (const Exception&) {
        // A stored root that names nothing leaves the list empty; the form goes on loading.
    }
    SetAutoRefresh(autoRefresh);
}

void TskCustomShellListView::WndProc(TMessage& Message)
{
    const auto release = [this, &Message](TPoint P) {
        MouseUp(mbRight, KeysToShiftState(Message.WParam), P.X, P.Y);
        return !ComponentState().Contains(csDestroying) && !DoContextPopup(ClientToScreen(P));
    };
    if (ContextMenuMessage(this, Message, FAutoContextMenus, release, [this](TPoint P) { ShowContextMenu(P); }))
        return;
    // The report style has its columns before it first shows.
    if (Message.Msg == WM_PAINT && ViewStyle() == vsReport && Columns()->Count() == 0)
        BuildColumns();
    TskSkinCustomListView::WndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// Sorting by column

namespace {

// What a column sort compares, read once per item before the sort: the file system may change while
// it runs, and a comparison that gave different answers for the same pair would be no ordering.
struct TSortKey {
    std::size_t Index = 0;
    bool IsFolder = false;
    std::string Name;
    std::string Type;
    TFileFacts Facts; // -1 for a file that has gone
};

int CompareKeys(const TSortKey& A, const TSortKey& B, int Column)
{
    if (A.IsFolder != B.IsFolder)
        return A.IsFolder ? -1 : 1;
    int result = 0;
    switch (Column) {
    case 0: result = Sign(AnsiCompareText(A.Name, B.Name)); break;
    case 1:
        if (!A.IsFolder)
            result = Sign(A.Facts.Size - B.Facts.Size);
        break;
    case 2:
        if (!A.IsFolder)
            result = Sign(AnsiCompareText(A.Type, B.Type));
        break;
    case 3:
        if (!A.IsFolder)
            result = Sign(A.Facts.Modified - B.Facts.Modified);
        break;
    default: break;
    }
    // Equal by the column: the name decides, so the order is always a total one.
    return result != 0 ? result : Sign(AnsiCompareText(A.Name, B.Name));
}

} // namespace

void TskCustomShellListView::SortItems(int Column, bool Descending)
{
    std::vector<TSortKey> keys;
    keys.reserve(FFolders.size());
    for (std::size_t i = 0; i < FFolders.size(); ++i) {
        TskShellFolder* f = FFolders[i].get();
        TSortKey key;
        key.Index = i;
        key.IsFolder = f->IsFolder();
        key.Name = f->DisplayName();
        if (!key.IsFolder && Column > 0) {
            key.Type = Extension(key.Name);
            key.Facts = FactsOf(f);
        }
        keys.push_back(std::move(key));
    }
    std::stable_sort(keys.begin(), keys.end(), [Column, Descending](const TSortKey& a, const TSortKey& b) {
        const int r = CompareKeys(a, b, Column);
        return Descending ? r > 0 : r < 0;
    });
    std::vector<std::unique_ptr<TskShellFolder>> sorted;
    sorted.reserve(FFolders.size());
    for (const TSortKey& key : keys)
        sorted.push_back(std::move(FFolders[key.Index]));
    FFolders = std::move(sorted);
}

void TskCustomShellListView::ColumnClick(TListColumn* Column)
{
    TskSkinCustomListView::ColumnClick(Column);
    if (ViewStyle() != vsReport || Columns()->Count() < kColumnCount || Column == nullptr)
        return;
    if (Column->Index() == FSortColumn) {
        FDescending = !FDescending;
    } else {
        FSortColumn = Column->Index();
        FDescending = false;
    }
    const std::string selectedPath = SelectedFolder() != nullptr ? SelectedFolder()->Path() : std::string();
    Items()->BeginUpdate();
    SortItems(FSortColumn, FDescending);
    ClearSelection();
    // The selection stays with its item.
    for (int i = 0; i < static_cast<int>(FFolders.size()); ++i)
        if (!selectedPath.empty() && FFolders[static_cast<std::size_t>(i)]->Path() == selectedPath)
            SetItemIndex(i);
    Items()->EndUpdate();
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Navigation

void TskCustomShellListView::NavigateTo(const TItemIDList& ID)
{
    // A folder that has gone since (a removed disc, a folder deleted elsewhere) gives way to the nearest
    // one above it that is still there, so the view always lists a real folder. The old root is kept
    // until the rows made from it are gone.
    std::unique_ptr<TskShellFolder> old = std::move(FRootFolder);
    FRootFolder = std::make_unique<TskShellFolder>(TskShellFolder::Desktop(), NearestExistingFolder(ID));
    Populate();
    old.reset();
    if (OnPathChange)
        OnPathChange(this);
}

void TskCustomShellListView::SetPathFromID(const TItemIDList& ID)
{
    if (FRootFolder != nullptr && FRootFolder->FullID() == ID)
        return;
    NavigateTo(ID);
}

void TskCustomShellListView::Back()
{
    if (FRootFolder == nullptr)
        return;
    TItemIDList id = FRootFolder->FullID();
    StripLastID(id);
    SetPathFromID(id);
}

void TskCustomShellListView::Refresh()
{
    if (FRootFolder == nullptr)
        return;
    const int selected = Selected() != nullptr ? Selected()->Index() : -1;
    ClearSelection();
    // Read again even though the folder is the same one.
    NavigateTo(FRootFolder->FullID());
    if (selected >= 0 && selected < Items()->Count())
        SetItemIndex(selected);
}

void TskCustomShellListView::OpenFolderRow(int Index)
{
    TskShellFolder* folder = Folders(Index);
    if (folder == nullptr || !folder->IsFolder())
        return;
    const TItemIDList id = folder->FullID();
    SetPathFromID(id);
}

void TskCustomShellListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const int row = ItemAt(X, Y);
    const bool plain = Button == mbLeft && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssDouble);
    const bool arms = plain && Focused() && row >= 0 && SelCount() == 1 && IsSelected(row);
    FSlowClickRow = arms ? row : -1;
    FLabelEdit->MouseDown(arms);
    TskSkinCustomListView::MouseDown(Button, Shift, X, Y);
}

void TskCustomShellListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinCustomListView::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft)
        FLabelEdit->MouseUp(FSlowClickRow >= 0 && ItemAt(X, Y) == FSlowClickRow);
}

void TskCustomShellListView::DblClick()
{
    // The second click of a double click is no slow click: nothing is renamed.
    FSlowClickRow = -1;
    FLabelEdit->Disarm();
    TskSkinCustomListView::DblClick();
    if (FAutoNavigate && Selected() != nullptr)
        OpenFolderRow(Selected()->Index());
}

void TskCustomShellListView::KeyDown(WORD& Key, TShiftState Shift)
{
    TskSkinCustomListView::KeyDown(Key, Shift);
    if (Key == VK_F2 && Selected() != nullptr) {
        EditLabel(Selected()->Index());
        Key = 0;
        return;
    }
    if (!FAutoNavigate || Key == 0)
        return;
    switch (Key) {
    case VK_BACK:
        Back();
        Key = 0;
        break;
    case VK_RETURN:
        if (Shift.Contains(ssAlt)) {
            ShowProperties();
            Key = 0;
            break;
        }
        if (Selected() != nullptr && SelectedFolder() != nullptr &&
            SelectedFolder()->IsFolder()) {
            OpenFolderRow(Selected()->Index());
            Key = 0;
        }
        break;
    case VK_F5:
        Refresh();
        Key = 0;
        break;
    default: break;
    }
}

std::string TskCustomShellListView::ItemCaption(int Index) const
{
    const TskShellFolder* folder = Folders(Index);
    return folder != nullptr ? folder->DisplayName() : std::string();
}

void TskCustomShellListView::GetSelectedFiles(TStrings* Files) const
{
    if (Files == nullptr)
        return;
    Files->Clear();
    for (int i = 0; i < static_cast<int>(FFolders.size()); ++i)
        if (IsSelected(i) && !FFolders[static_cast<std::size_t>(i)]->IsFolder())
            Files->Add(FFolders[static_cast<std::size_t>(i)]->Path());
}

std::string TskCustomShellListView::SelectedFileName() const
{
    const TskShellFolder* folder = SelectedFolder();
    return folder != nullptr && !folder->IsFolder() ? folder->Path() : std::string();
}

void RegisterShellListViewClasses()
{
    static const bool done = [] {
        RegisterSkinListViewClass();
        RegisterShellTreeViewClasses();
        using L = TskCustomShellListView;
        RegisterClass<L, TskSkinCustomListView>("TskCustomShellListView")
            .Prop("Root", &L::Root, &L::SetRoot, std::string("rfDesktop"))
            .Prop("Mask", &L::Mask, &L::SetMask, std::string("*.*|*.*"))
            .Prop("ObjectTypes", &L::ObjectTypes, &L::SetObjectTypes, TShellObjectTypes{otFolders, otNonFolders})
            .Prop("Sorted", &L::Sorted, &L::SetSorted, true)
            .Prop("AutoContextMenus", &L::AutoContextMenus, &L::SetAutoContextMenus, true)
            .Prop("AutoNavigate", &L::AutoNavigate, &L::SetAutoNavigate, true)
            .Prop("AutoRefresh", &L::AutoRefresh, &L::SetAutoRefresh, false)
            .Prop("ShellTreeView", &L::ShellTreeView, &L::SetShellTreeView)
            .Event("OnAddFolder", &L::OnAddFolder);
        RegisterClass<TskSkinFileListView, L>("TskSkinFileListView");
        return true;
    }();
    (void)done;
}

// ---------------------------------------------------------------------------------------------
// Verbs

int TskCustomShellListView::CreateNewFolder(const std::string& BaseName)
{
    const std::string path = MakeNewFolder(FRootFolder != nullptr ? FRootFolder->Path() : std::string(), BaseName,
        FNewFolderCount);
    if (path.empty())
        return -1;
    Refresh();
    const std::string name = ExtractFileName(path);
    for (int i = 0; i < static_cast<int>(FFolders.size()); ++i)
        if (FFolders[static_cast<std::size_t>(i)]->DisplayName() == name) {
            ClearSelection();
            SetItemIndex(i);
            return i;
        }
    return -1;
}

void TskCustomShellListView::OpenSelected()
{
    TskShellFolder* folder = SelectedFolder();
    if (folder == nullptr)
        return;
    if (folder->IsFolder()) {
        OpenFolderRow(Selected()->Index());
        return;
    }
    // The desktop's program for each chosen file; no shell is between, the path is one argument.
    std::vector<std::string> files;
    for (int i = 0; i < static_cast<int>(FFolders.size()); ++i)
        if (IsSelected(i) && !FFolders[static_cast<std::size_t>(i)]->IsFolder())
            files.push_back(FFolders[static_cast<std::size_t>(i)]->Path());
    for (const std::string& file : files)
        OpenWithDesktop(file);
}

void TskCustomShellListView::TrashSelected()
{
    std::vector<std::string> paths;
    for (int i = 0; i < static_cast<int>(FFolders.size()); ++i)
        if (IsSelected(i))
            paths.push_back(FFolders[static_cast<std::size_t>(i)]->Path());
    if (paths.empty())
        return;
    std::string failed;
    for (const std::string& path : paths)
        if (!MoveToTrash(path))
            failed += "\n" + path;
    ClearSelection();
    Refresh();
    if (!failed.empty())
        TellUser("Could not move to the trash:" + failed);
}

void TskCustomShellListView::ShowProperties()
{
    if (TskShellFolder* folder = SelectedFolder())
        TellUser(ShellItemProperties(*folder));
}

void TskCustomShellListView::ShowContextMenu(TPoint ScreenPos)
{
    if (ScreenPos.X == -1 && ScreenPos.Y == -1) {
        // From the keyboard: at the selected row, else the list's corner.
        const TRect r = Selected() != nullptr ? ItemRect(Selected()->Index()) : TRect{0, 0, 0, 0};
        ScreenPos = ClientToScreen(TPoint{r.Left + 8, r.Bottom});
    } else {
        // A right click on a row that is not selected chooses it alone first.
        const TPoint p = ScreenToClient(ScreenPos);
        const int row = ItemAt(p.X, p.Y);
        if (row >= 0 && !IsSelected(row)) {
            ClearSelection();
            SetItemIndex(row);
        }
    }
    if (FMenu == nullptr) {
        FMenu = NewShellMenu(this);
        FMenu->SetPopupComponent(this);
    }
    const TskShellFolder* selected = SelectedFolder();
    TShellMenuVerbs verbs;
    if (selected != nullptr) {
        verbs.Open = [this] { OpenSelected(); };
        if (SelCount() == 1 && selected->CanRename())
            verbs.Rename = [this] {
                if (Selected() != nullptr)
                    EditLabel(Selected()->Index());
            };
        if (selected->CanDelete())
            verbs.Trash = [this] { TrashSelected(); };
        verbs.Properties = [this] { ShowProperties(); };
    }
    if (FRootFolder != nullptr && !FRootFolder->ReadOnly()) {
        const TskSkinData* skin = SkinData();
        verbs.NewFolder = [this, skin] {
            const int row = CreateNewFolder(SkinResString(skin != nullptr && skin->ResourceStrData() != nullptr ? skin : nullptr, "MSG_NEWFOLDER"));
            if (row >= 0)
                EditLabel(row);
        };
    }
    FillShellMenu(FMenu, SkinData(), verbs);
    FMenu->Popup(ScreenPos.X, ScreenPos.Y);
}

TWinControl* TskCustomShellListView::LabelEditor() const { return FLabelEdit->Editor(); }

void TskCustomShellListView::EditLabel(int Index)
{
    TskShellFolder* folder = Folders(Index);
    if (folder == nullptr || !folder->CanRename())
        return;
    MakeVisible(Index);
    const TRect r = ItemRect(Index);
    FLabelRow = Index;
    if (ViewStyle() == vsIcon) {
        // Under the large picture, where the caption is.
        const int top = r.Top + (LargeImages() != nullptr ? LargeImages()->Height() : 32) + 4;
        FLabelEdit->Start(folder->DisplayName(), Rect(r.Left, top, r.Left + std::max(80, r.Width()), r.Bottom));
        return;
    }
    const int left = r.Left + (SmallImages() != nullptr ? SmallImages()->Width() + 2 : 0);
    const int width = std::max(80, (ViewStyle() == vsReport && Columns()->Count() > 0 ? Columns()->Items(0)->Width() : r.Width()) - left + r.Left);
    FLabelEdit->Start(folder->DisplayName(), Rect(left, r.Top, left + width, r.Bottom));
}

void TskCustomShellListView::RenameRow(int Row, const std::string& Name)
{
    TskShellFolder* folder = Folders(Row);
    if (folder == nullptr)
        return;
    try {
        // Never over an existing name: the folder model refuses it.
        folder->Rename(Name);
    } catch (const Exception& e) {
        TellUser(e.Message());
        return;
    }
    Refresh();
    ClearSelection();
    for (int i = 0; i < static_cast<int>(FFolders.size()); ++i)
        if (FFolders[static_cast<std::size_t>(i)]->DisplayName() == Name)
            SetItemIndex(i);
}
