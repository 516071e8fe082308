#include "skin/grids/TskCustomShellTreeView.h"

#include "platform/rtl/ScopeGuards.h"
#include "skin/grids/ShellPictures.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TMenu.h"
#include "platform/win/Input.h"
#include "skin/data/SkinStrings.h"
#include "skin/data/TskSkinData.h"
#include "skin/grids/ShellLabelEdit.h"
#include "skin/grids/ShellVerbs.h"
#include "platform/sys/Desktop.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TypInfo.h"
#include "skin/grids/TskCustomShellComboBox.h"
#include "skin/grids/TskCustomShellListView.h"
#include "skin/grids/TskShellChangeNotifier.h"

namespace {

// The ID list a path names; "Error setting path" when it names nothing.
TItemIDList ParsePath(const std::string& Path)
{
    // The same resolution as a root gives the same answers for names, "~" and bad paths.
    return CreateRootFolder(Path)->FullID();
}

// The node of the root folder: the tree's own, never renamed or thrown away.
bool IsTopNode(const TTreeNode* Node)
{
    return Node->Level() <= 1;
}

void FreeNodeFolder(TTreeNode* Node)
{
    delete static_cast<TskShellFolder*>(Node->Data());
    Node->SetData(nullptr);
}

bool IsPrefixOf(const TItemIDList& Prefix, const TItemIDList& List)
{
    const int n = ItemCount(Prefix);
    if (n > ItemCount(List))
        return false;
    std::size_t offset = 0;
    for (int i = 0; i < n; ++i)
        offset = NextItem(List, offset);
    return std::equal(Prefix.begin(), Prefix.begin() + static_cast<std::ptrdiff_t>(offset), List.begin());
}

} // namespace

TskCustomShellTreeView::TskCustomShellTreeView(TComponent* AOwner) : TskSkinCustomTreeView(AOwner), TskShellView(svTree)
{
    SetShowRoot(false);
    SetRightClickSelect(true);
    // Every node's folder goes with its node, however the node goes.
    Items()->OnDeletion = [this](TTreeNode* Node) {
        if (Node == FLabelNode)
            FLabelNode = nullptr;
        if (Node == FSlowClickNode)
            FSlowClickNode = nullptr;
        FreeNodeFolder(Node);
    };
    FLabelEdit = std::make_unique<TShellLabelEdit>(this);
    FLabelEdit->OnRename = [this](const std::string& Name) {
        if (FLabelNode != nullptr)
            RenameNode(FLabelNode, Name);
    };
    FLabelEdit->OnSlowClick = [this] {
        if (FSlowClickNode != nullptr && FSlowClickNode == Selected())
            EditNode(FSlowClickNode);
        FSlowClickNode = nullptr;
    };
}

TskCustomShellTreeView::~TskCustomShellTreeView()
{
    LeaveNavigator();
    // The nodes go before the folder objects' root does, and nothing of this tree is asked after it.
    Items()->OnDeletion = FreeNodeFolder;
    Items()->Clear();
}

TskShellFolder* TskCustomShellTreeView::NodeFolder(const TTreeNode* Node)
{
    return Node != nullptr ? static_cast<TskShellFolder*>(Node->Data()) : nullptr;
}

TskShellFolder* TskCustomShellTreeView::SelectedFolder() const { return NodeFolder(Selected()); }

std::string TskCustomShellTreeView::Path() const
{
    const TskShellFolder* folder = SelectedFolder();
    return folder != nullptr ? folder->Path() : std::string();
}

void TskCustomShellTreeView::SetRoot(const std::string& Value)
{
    TakeRoot(FRoot, FRootFolder != nullptr, Loading(), Value,
        [this](std::unique_ptr<TskShellFolder> Folder) { ReplaceRoot(std::move(Folder)); });
}

void TskCustomShellTreeView::SetObjectTypes(TShellObjectTypes Value)
{
    TakeObjectTypes(FObjectTypes, Value, Loading(), [this] {
        if (FRootFolder != nullptr)
            RootChanged();
    });
}

void TskCustomShellTreeView::RootChanged()
{
    // Resolved first: a root that names nothing leaves the tree as it was.
    if (!FInRootChange)
        ReplaceRoot(CreateRootFolder(FRoot));
}

void TskCustomShellTreeView::ReplaceRoot(std::unique_ptr<TskShellFolder> Root)
{
    if (FInRootChange)
        return;
    TValueGuard guard(FInRootChange);
    {
        Items()->BeginUpdate();
        TScopeExit endUpdate([this] { Items()->EndUpdate(); });
        Items()->Clear();
        FRootFolder = std::move(Root);
        auto top = std::make_unique<TskShellFolder>(TskShellFolder::Desktop(), FRootFolder->FullID());
        TTreeNode* node = Items()->AddChildObject(nullptr, FRootFolder->DisplayName(), top.get());
        TskShellFolder* folder = top.release();
        SetNodeImages(node, *folder);
        node->SetHasChildren(FolderHasChildren(*folder));
        node->Expand(false);
        SetSelected(node);
    }
    TellRoot(FRoot);
    UpdateNotifierRoot();
}

void TskCustomShellTreeView::SetNodeImages(TTreeNode* Node, const TskShellFolder& Folder)
{
    if (!FUseShellImages)
        return;
    if (Images() == nullptr)
        SetImages(ShellImages(false));
    Node->SetImageIndex(Folder.IconIndex(false));
    Node->SetSelectedIndex(Folder.IconIndex(true));
}

bool TskCustomShellTreeView::FolderHasChildren(const TskShellFolder& Folder) const
{
    if (FObjectTypes.Contains(otNonFolders) && Folder.IsFolder())
        return Folder.HasChildren(FObjectTypes);
    return Folder.HasChildren(FObjectTypes * TShellObjectTypes{otFolders, otHidden});
}

TTreeNode* TskCustomShellTreeView::AddFolderNode(TTreeNode* Parent, std::unique_ptr<TskShellFolder> Folder)
{
    TskShellFolder* folder = Folder.get();
    TTreeNode* node = Items()->AddChildObject(Parent, folder->DisplayName(), Folder.release());
    node->SetHasChildren(FolderHasChildren(*folder));
    SetNodeImages(node, *folder);
    bool canAdd = true;
    if (OnAddFolder)
        OnAddFolder(this, folder, canAdd);
    if (!canAdd) {
        node->Delete();
        return nullptr;
    }
    return node;
}

void TskCustomShellTreeView::FillNode(TTreeNode* Node)
{
    TskShellFolder* folder = NodeFolder(Node);
    if (folder == nullptr)
        return;
    TBusyCursor busy;
    Items()->BeginUpdate();
    TScopeExit endUpdate([this] { Items()->EndUpdate(); });
    // The folder model gives them in the namespace's order: folders first, each by name.
    for (auto& child : folder->Children(FObjectTypes))
        AddFolderNode(Node, std::move(child));
}

bool TskCustomShellTreeView::CanExpand(TTreeNode* Node)
{
    if (ComponentState().Contains(csDesigning) && Node->Count() > 0)
        return true;
    if (!TskSkinCustomTreeView::CanExpand(Node))
        return false;
    TskShellFolder* folder = NodeFolder(Node);
    if (folder != nullptr && folder->IsFolder()) {
        if (Node->HasChildren() && Node->Count() == 0)
            FillNode(Node);
    } else if (folder != nullptr) {
        // A file (listed with otNonFolders) is opened in the user's program for it instead.
        OpenWithDesktop(folder->Path());
    }
    Node->SetHasChildren(Node->Count() > 0);
    return true;
}

void TskCustomShellTreeView::Change(TTreeNode* Node)
{
    TskSkinCustomTreeView::Change(Node);
    if (FUpdatingLinks || Node == nullptr || ComponentState().Contains(csDestroying))
        return;
    TskShellFolder* folder = NodeFolder(Node);
    if (folder != nullptr && !folder->IsFolder() && Node->Parent() != nullptr)
        folder = NodeFolder(Node->Parent());
    if (folder == nullptr)
        return;
    TValueGuard updating(FUpdatingLinks);
    MoveLinkedViews(folder);
    UpdateNotifierRoot();
}

void TskCustomShellTreeView::MoveLinkedViews(TskShellFolder* Folder)
{
    if (Folder != nullptr)
        TellFolder(Folder->FullID());
}

TskCustomShellListView* TskCustomShellTreeView::ShellListView() const { return LinkedViewAs<TskCustomShellListView>(svList); }

TskCustomShellComboBox* TskCustomShellTreeView::ShellComboBox() const { return LinkedViewAs<TskCustomShellComboBox>(svPathBox); }

void TskCustomShellTreeView::SetShellComboBox(TskCustomShellComboBox* Value) { SetLinkedView(svPathBox, Value); }

TTreeNode* TskCustomShellTreeView::FindChild(TTreeNode* Parent, const TItemIDList& ID)
{
    for (TTreeNode* child = Parent->GetFirstChild(); child != nullptr; child = child->GetNextSibling())
        if (NodeFolder(child) != nullptr && NodeFolder(child)->FullID() == ID)
            return child;
    return nullptr;
}

void TskCustomShellTreeView::SetPathFromID(const TItemIDList& ID)
{
    if (Loading())
        return;
    if (SelectedFolder() != nullptr && SelectedFolder()->FullID() == ID)
        return;
    TTreeNode* node = Items()->GetFirstNode();
    if (node == nullptr || FRootFolder == nullptr || !IsPrefixOf(FRootFolder->FullID(), ID))
        return;
    TValueGuard updating(FUpdatingLinks);
    {
        Items()->BeginUpdate();
        TScopeExit endUpdate([this] { Items()->EndUpdate(); });
        const int rootLevel = ItemCount(FRootFolder->FullID());
        for (const TItemIDList& step : ParentChain(ID)) {
            if (ItemCount(step) <= rootLevel)
                continue;
            node->Expand(false);
            TTreeNode* child = FindChild(node, step);
            if (child == nullptr)
                break; // not shown in this tree (hidden, vetoed or gone): the nearest folder is selected
            node = child;
        }
        SetSelected(node);
    }
    MoveLinkedViews(SelectedFolder());
    UpdateNotifierRoot();
}

void TskCustomShellTreeView::SetPath(const std::string& Value)
{
    const TItemIDList id = ParsePath(Value);
    SetPathFromID(id);
    if (Selected() != nullptr)
        Selected()->Expand(false);
    FPendingPath = Value;
}

void TskCustomShellTreeView::SelectComputerFolder()
{
    SetPathFromID(CreateRootFolder(RootFolderName(rfMyComputer))->FullID());
    if (Selected() != nullptr)
        Selected()->Expand(false);
}

void TskCustomShellTreeView::RefreshNode(TTreeNode* Node)
{
    TskShellFolder* folder = NodeFolder(Node);
    if (folder == nullptr)
        return;
    const TItemIDList selected = SelectedFolder() != nullptr ? SelectedFolder()->FullID() : TItemIDList{};
    // Which children were open, to open them again after the folder was read anew.
    std::vector<TItemIDList> expanded;
    for (TTreeNode* child = Node->GetFirstChild(); child != nullptr; child = child->GetNextSibling())
        if (child->Expanded() && NodeFolder(child) != nullptr)
            expanded.push_back(NodeFolder(child)->FullID());
    const bool wasExpanded = Node->Expanded();
    const int top = TopRow();
    TValueGuard updating(FUpdatingLinks);
    {
        Items()->BeginUpdate();
        TScopeExit endUpdate([this] { Items()->EndUpdate(); });
        TBusyCursor busy;
        Node->DeleteChildren();
        Node->SetHasChildren(FolderHasChildren(*folder));
        if (wasExpanded) {
            Node->Expand(false);
            for (const TItemIDList& id : expanded)
                if (TTreeNode* child = FindChild(Node, id))
                    child->Expand(false);
        }
    }
    if (Selected() == nullptr && !selected.empty()) {
        // The selection was inside the re-read branch: back to it, or to the branch when it is gone.
        FUpdatingLinks = false;
        SetPathFromID(selected);
        if (Selected() == nullptr)
            SetSelected(Node);
    }
    SetTopRow(top);
}

void TskCustomShellTreeView::SetShellListView(TskCustomShellListView* Value)
{
    if (Value == ShellListView())
        return;
    SetLinkedView(svList, Value);
    if (Value != nullptr && !Loading() && FRootFolder != nullptr) {
        Value->SetRoot(FRoot);
        if (SelectedFolder() != nullptr) {
            TValueGuard updating(FUpdatingLinks);
            MoveLinkedViews(SelectedFolder());
        }
    }
}

void TskCustomShellTreeView::SetAutoRefresh(bool Value)
{
    if (Value == FAutoRefresh)
        return;
    FAutoRefresh = Value;
    if (Loading())
        return;
    const TskShellFolder* folder = SelectedFolder() != nullptr ? SelectedFolder() : FRootFolder.get();
    SwitchFolderWatch(FNotifier, this, Value, folder != nullptr ? folder->Path() : std::string(), [this] {
        if (Selected() != nullptr)
            RefreshNode(Selected());
    });
}

void TskCustomShellTreeView::UpdateNotifierRoot()
{
    if (FNotifier == nullptr)
        return;
    const TskShellFolder* folder = SelectedFolder() != nullptr ? SelectedFolder() : FRootFolder.get();
    if (folder != nullptr)
        FNotifier->SetRoot(folder->Path());
}

void TskCustomShellTreeView::CreateWnd()
{
    TskSkinCustomTreeView::CreateWnd();
    if (Loading())
        return;
    if (FRootFolder == nullptr || Items()->Count() == 0) {
        try {
            RootChanged();
        } catch (const Exception&) {
            // A stored root that no longer exists leaves an empty tree; the window itself is fine.
            return;
        }
    }
    if (!FPendingPath.empty()) {
        try {
            SetPath(FPendingPath);
        } catch (const Exception&) {
            FPendingPath.clear();
        }
    }
}

void TskCustomShellTreeView::Loaded()
{
    TskSkinCustomTreeView::Loaded();
    const bool autoRefresh = FAutoRefresh;
    FAutoRefresh = false;
    try {
        RootChanged();
    } catch (const Exception&) {
        // A stored root that names nothing here: the tree stays empty until Root is set.
    }
    SetAutoRefresh(autoRefresh);
}

void RegisterShellTreeViewClasses()
{
    static const bool done = [] {
        RegisterSkinTreeViewClass();
        RegisterEnum<TShellObjectType>({"otFolders", "otNonFolders", "otHidden"});
        using T = TskCustomShellTreeView;
        RegisterClass<T, TskSkinCustomTreeView>("TskCustomShellTreeView")
            .Prop("Root", &T::Root, &T::SetRoot, std::string("rfDesktop"))
            .Prop("ObjectTypes", &T::ObjectTypes, &T::SetObjectTypes, TShellObjectTypes{otFolders})
            .Prop("AutoContextMenus", &T::AutoContextMenus, &T::SetAutoContextMenus, true)
            .Prop("AutoRefresh", &T::AutoRefresh, &T::SetAutoRefresh, false)
            .Prop("UseShellImages", &T::UseShellImages, &T::SetUseShellImages, true)
            .Prop("ShellListView", &T::ShellListView, &T::SetShellListView)
            .Event("OnAddFolder", &T::OnAddFolder);
        RegisterClass<TskSkinDirTreeView, T>("TskSkinDirTreeView");
        return true;
    }();
    (void)done;
}

// ---------------------------------------------------------------------------------------------
// Verbs

TWinControl* TskCustomShellTreeView::LabelEditor() const { return FLabelEdit->Editor(); }

void TskCustomShellTreeView::WndProc(TMessage& Message)
{
    const auto release = [this, &Message](TPoint P) {
        MouseUp(mbRight, KeysToShiftState(Message.WParam), P.X, P.Y);
        return !ComponentState().Contains(csDestroying) && !DoContextPopup(ClientToScreen(P));
    };
    if (ContextMenuMessage(this, Message, FAutoContextMenus, release, [this](TPoint P) { ShowContextMenu(P); }))
        return;
    TskSkinCustomTreeView::WndProc(Message);
}

void TskCustomShellTreeView::KeyDown(WORD& Key, TShiftState Shift)
{
    TskSkinCustomTreeView::KeyDown(Key, Shift);
    if (Key == VK_F2 && Selected() != nullptr) {
        EditNode(Selected());
        Key = 0;
    } else if (Key == VK_RETURN && Shift.Contains(ssAlt)) {
        ShowProperties();
        Key = 0;
    }
}

void TskCustomShellTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // A plain press on the node already selected, in the focused tree, may be a slow second click.
    TTreeNode* node = GetNodeAt(X, Y);
    const bool plain = Button == mbLeft && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssDouble);
    const bool arms = plain && Focused() && node != nullptr && node == Selected();
    FSlowClickNode = arms ? node : nullptr;
    FLabelEdit->MouseDown(arms);
    TskSkinCustomTreeView::MouseDown(Button, Shift, X, Y);
}

void TskCustomShellTreeView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinCustomTreeView::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft)
        FLabelEdit->MouseUp(FSlowClickNode != nullptr && GetNodeAt(X, Y) == FSlowClickNode);
}

void TskCustomShellTreeView::ShowContextMenu(TPoint ScreenPos)
{
    if (ScreenPos.X == -1 && ScreenPos.Y == -1) {
        // From the keyboard: at the selected node, else the tree's corner.
        const TRect r = Selected() != nullptr ? NodeRect(Selected()) : TRect{0, 0, 0, 0};
        ScreenPos = ClientToScreen(TPoint{r.Left + 8, r.Bottom});
    }
    if (FMenu == nullptr) {
        FMenu = NewShellMenu(this);
        FMenu->SetPopupComponent(this);
    }
    TShellMenuVerbs verbs;
    if (const TskShellFolder* folder = SelectedFolder()) {
        const bool top = IsTopNode(Selected());
        verbs.Open = [this] { OpenSelected(); };
        if (!top && folder->CanRename())
            verbs.Rename = [this] { EditNode(Selected()); };
        if (folder->IsFolder() && !folder->ReadOnly()) {
            const TskSkinData* texts = SkinData() != nullptr && SkinData()->ResourceStrData() != nullptr ? SkinData() : nullptr;
            verbs.NewFolder = [this, texts] { CreateNewFolder(SkinResString(texts, "MSG_NEWFOLDER")); };
        }
        if (!top && folder->CanDelete())
            verbs.Trash = [this] { TrashSelected(); };
        verbs.Properties = [this] { ShowProperties(); };
    }
    FillShellMenu(FMenu, SkinData(), verbs);
    FMenu->Popup(ScreenPos.X, ScreenPos.Y);
}

void TskCustomShellTreeView::OpenSelected()
{
    TTreeNode* node = Selected();
    TskShellFolder* folder = NodeFolder(node);
    if (folder == nullptr)
        return;
    if (folder->IsFolder())
        node->Expand(false);
    else
        OpenWithDesktop(folder->Path());
}

void TskCustomShellTreeView::CreateNewFolder(const std::string& BaseName)
{
    TTreeNode* node = Selected();
    const TskShellFolder* folder = NodeFolder(node);
    if (folder == nullptr || !folder->IsFolder())
        return;
    const std::string path = MakeNewFolder(folder->Path(), BaseName, FNewFolderCount);
    if (path.empty())
        return;
    ReselectChild(node, ExtractFileName(path));
    if (Selected() != node)
        EditNode(Selected());
}

void TskCustomShellTreeView::ReselectChild(TTreeNode* Parent, const std::string& Name)
{
    RefreshNode(Parent);
    Parent->Expand(false);
    TTreeNode* found = Parent;
    for (TTreeNode* child = Parent->GetFirstChild(); child != nullptr; child = child->GetNextSibling())
        if (NodeFolder(child) != nullptr && NodeFolder(child)->DisplayName() == Name)
            found = child;
    SetSelected(found);
    MakeVisible(found);
}

void TskCustomShellTreeView::TrashSelected()
{
    TTreeNode* node = Selected();
    TskShellFolder* folder = NodeFolder(node);
    if (folder == nullptr || IsTopNode(node))
        return;
    const std::string path = folder->Path();
    if (!MoveToTrash(path)) {
        TellUser("Could not move to the trash:\n" + path);
        return;
    }
    // The node goes with its folder; its parent is selected.
    ReselectChild(node->Parent(), std::string());
}

void TskCustomShellTreeView::ShowProperties()
{
    if (TskShellFolder* folder = SelectedFolder())
        TellUser(ShellItemProperties(*folder));
}

void TskCustomShellTreeView::EditNode(TTreeNode* Node)
{
    TskShellFolder* folder = NodeFolder(Node);
    if (folder == nullptr || IsTopNode(Node) || !folder->CanRename())
        return;
    MakeVisible(Node);
    // The text starts where the tree draws it: after the indent of its level and its picture.
    const TRect row = NodeRect(Node);
    const int level = Node->Level() - 1 + (ShowRoot() ? 1 : 0);
    const int left = 2 + level * Indent() - HorzOffset() + (Images() != nullptr ? Images()->Width() + 2 : 0);
    FLabelNode = Node;
    FLabelEdit->Start(folder->DisplayName(), Rect(left, row.Top, std::max(left + 80, row.Right - 2), row.Bottom));
}

void TskCustomShellTreeView::RenameNode(TTreeNode* Node, const std::string& Name)
{
    TskShellFolder* folder = NodeFolder(Node);
    TTreeNode* parent = Node->Parent();
    if (folder == nullptr || IsTopNode(Node))
        return;
    try {
        // Never over an existing name: the folder model refuses it.
        folder->Rename(Name);
    } catch (const Exception& e) {
        TellUser(e.Message());
        return;
    }
    // The folders below it have new paths too: the branch is read again.
    ReselectChild(parent, Name);
}
