#include "skin/grids/TskCustomShellComboBox.h"

#include <algorithm>

#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskPopupListBox.h"
#include "skin/grids/ShellPictures.h"
#include "skin/grids/TskCustomShellListView.h"
#include "skin/grids/TskCustomShellTreeView.h"

namespace {

// What a row keeps room for when there is no image list to ask.
constexpr int DefaultIconSize = 16;

} // namespace

// ---------------------------------------------------------------------------------------------
// Rows

TskItemEx* TskItemsEx::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FItems[static_cast<std::size_t>(Index)].get();
}

TskItemEx* TskItemsEx::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    auto it = FItems.insert(FItems.begin() + Index, std::make_unique<TskItemEx>());
    return it->get();
}

int TskItemsEx::IndexOfID(const TItemIDList& ID) const
{
    // From the last row backwards: the deepest entry of a path is found first.
    for (int i = Count() - 1; i >= 0; --i) {
        const TskShellFolder* folder = FItems[static_cast<std::size_t>(i)]->Data.get();
        if (folder != nullptr && folder->FullID() == ID)
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Construction

TskCustomShellComboBox::TskCustomShellComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner), TskShellView(svPathBox)
{
    // Both the face and the drop-down rows show the folder's icon room and indent.
    SetOnListBoxDrawItem([this](TCanvas* C, int Index, int, int, TRect TxtRect, TOwnerDrawState) {
        const TskItemEx* item = FItemsEx.Items(Index);
        DrawRow(C, Index, TxtRect, item != nullptr ? item->Indent : 0);
    });
    OnComboBoxDrawItem = [this](TCanvas* C, int Index, int, int, TRect TxtRect, TOwnerDrawState) {
        DrawRow(C, Index, TxtRect, 0);
    };
}

TskCustomShellComboBox::~TskCustomShellComboBox()
{
    LeaveNavigator();
    FItemsEx.Clear();
}

TskShellFolder* TskCustomShellComboBox::Folders(int Index) const
{
    const TskItemEx* item = FItemsEx.Items(Index);
    return item != nullptr ? item->Data.get() : nullptr;
}

TCustomImageList* TskCustomShellComboBox::RowImages() const
{
    if (Images() != nullptr)
        return Images();
    return FUseShellImages ? ShellImages(false) : nullptr;
}

int TskCustomShellComboBox::IconWidth() const
{
    TCustomImageList* images = RowImages();
    return images != nullptr ? images->Width() : DefaultIconSize;
}

int TskCustomShellComboBox::IconHeight() const
{
    TCustomImageList* images = RowImages();
    return images != nullptr ? images->Height() : DefaultIconSize;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskCustomShellComboBox::SetRoot(const std::string& Value)
{
    TakeRoot(FRoot, FRootFolder != nullptr, Loading(), Value, [this](std::unique_ptr<TskShellFolder> Folder) {
        FRootFolder = std::move(Folder);
        Fill();
        TValueGuard updating(FUpdating);
        TellRoot(FRoot);
    });
}

void TskCustomShellComboBox::SetObjectTypes(TShellObjectTypes Value)
{
    TakeObjectTypes(FObjectTypes, Value, Loading(), [this] { Fill(); });
}

void TskCustomShellComboBox::SetUseShellImages(bool Value)
{
    if (Value == FUseShellImages)
        return;
    FUseShellImages = Value;
    Invalidate();
}

TskCustomShellTreeView* TskCustomShellComboBox::ShellTreeView() const { return LinkedViewAs<TskCustomShellTreeView>(svTree); }

TskCustomShellListView* TskCustomShellComboBox::ShellListView() const { return LinkedViewAs<TskCustomShellListView>(svList); }

// The tree and the list alike: linked (or the one of Kind unlinked), then given this box's Root.
template <class TView> void TskCustomShellComboBox::LinkGivingRoot(TShellViewKind Kind, TView* Value)
{
    SetLinkedView(Kind, Value);
    if (Value != nullptr && !Loading() && Value->Root() != FRoot)
        Value->SetRoot(FRoot);
}

void TskCustomShellComboBox::SetShellTreeView(TskCustomShellTreeView* Value) { LinkGivingRoot(svTree, Value); }

void TskCustomShellComboBox::SetShellListView(TskCustomShellListView* Value) { LinkGivingRoot(svList, Value); }

void TskCustomShellComboBox::CreateWnd()
{
    TskSkinCustomComboBox::CreateWnd();
    if (!Loading() && FItemsEx.Count() == 0)
        Fill();
}

void TskCustomShellComboBox::Loaded()
{
    TskSkinCustomComboBox::Loaded();
    Fill();
}

// ---------------------------------------------------------------------------------------------
// Filling

void TskCustomShellComboBox::Fill()
{
    if (Loading())
        return;
    FItemsEx.BeginUpdate();
    FItemsEx.Clear();
    try {
        // Read anew each time: the folder a named root stands for may have moved since.
        FRootFolder = CreateRootFolder(FRoot);
    } catch (const Exception&) {
        // A root that went away leaves an empty box rather than a stale one.
        FRootFolder.reset();
    }
    if (FRootFolder != nullptr) {
        TskItemEx* root = FItemsEx.Add();
        root->Data = std::make_unique<TskShellFolder>(nullptr, FRootFolder->FullID());
        root->Caption = root->Data->DisplayName();
        root->Indent = 0;
        SetItemImages(*root);
        AddChildren(0);
        // The computer's drives show right below it when the box starts at the desktop. Where the
        // desktop is the computer itself its children are already there.
        TskRootFolder named{};
        if (RootFolderFromName(FRoot, named) && named == rfDesktop) {
            std::unique_ptr<TskShellFolder> computer = CreateRootFolder("rfMyComputer");
            const int index = FItemsEx.IndexOfID(computer->FullID());
            if (index > 0)
                AddChildren(index);
        }
    }
    FItemsEx.EndUpdate();
    RefreshItems();
    ChooseQuietly(FItemsEx.Count() > 0 ? 0 : -1);
}

void TskCustomShellComboBox::AddChildren(int Index)
{
    TskItemEx* parent = FItemsEx.Items(Index);
    if (parent == nullptr || parent->Data == nullptr)
        return;
    std::vector<std::unique_ptr<TskShellFolder>> children = parent->Data->Children(FObjectTypes);
    int at = Index + 1;
    for (const std::unique_ptr<TskShellFolder>& child : children) {
        TskItemEx* item = FItemsEx.Insert(at++);
        item->Data = std::make_unique<TskShellFolder>(parent->Data.get(), child->ItemID());
        item->Caption = item->Data->DisplayName();
        item->Indent = item->Data->Level();
        SetItemImages(*item);
    }
}

void TskCustomShellComboBox::SetItemImages(TskItemEx& Item) const
{
    Item.ImageIndex = FUseShellImages ? Item.Data->IconIndex(false) : -1;
    Item.SelectedImageIndex = FUseShellImages ? Item.Data->IconIndex(true) : -1;
}

void TskCustomShellComboBox::RefreshItems()
{
    TStrings* items = Items();
    items->BeginUpdate();
    items->Clear();
    for (int i = 0; i < FItemsEx.Count(); ++i)
        items->Add(FItemsEx.Items(i)->Caption);
    items->EndUpdate();
}

void TskCustomShellComboBox::ChooseQuietly(int Index)
{
    FItemsEx.BeginUpdate();
    ListBox()->SetItemIndex(Index);
    SetText(Index >= 0 && Index < Items()->Count() ? Items()->Strings(Index) : std::string());
    FItemsEx.EndUpdate();
    Invalidate();
}

void TskCustomShellComboBox::ShowPath(const TItemIDList& ID)
{
    Fill();
    int found = FItemsEx.IndexOfID(ID);
    if (found < 0) {
        // Find the deepest ancestor already shown and open the path below it, one row each.
        const std::vector<TItemIDList> chain = ParentChain(ID);
        int at = -1;
        std::size_t next = 0;
        for (std::size_t k = chain.size(); k-- > 0;) {
            at = FItemsEx.IndexOfID(chain[k]);
            if (at >= 0) {
                next = k + 1;
                break;
            }
        }
        if (at < 0)
            return; // neither the root nor below it: the refilled rows stay with the root chosen
        for (std::size_t k = next; k < chain.size(); ++k) {
            TskShellFolder* parent = FItemsEx.Items(at)->Data.get();
            TskItemEx* item = FItemsEx.Insert(at + 1);
            item->Data = std::make_unique<TskShellFolder>(parent, CopyLastID(chain[k]));
            item->Caption = item->Data->DisplayName();
            item->Indent = item->Data->Level();
            SetItemImages(*item);
            ++at;
        }
        found = FItemsEx.IndexOfID(ID);
        if (found < 0)
            return;
        RefreshItems();
    }
    ChooseQuietly(found);
}

void TskCustomShellComboBox::SetPathFromID(const TItemIDList& ID)
{
    const TskShellFolder* current = SelectedFolder();
    if (FUpdating || (current != nullptr && current->FullID() == ID))
        return;
    TValueGuard updating(FUpdating);
    ShowPath(ID);
}

void TskCustomShellComboBox::Change()
{
    TskSkinCustomComboBox::Change();
    if (FItemsEx.Updating() || ItemIndex() < 0 || FUpdating || DroppedDown())
        return;
    TskShellFolder* chosen = SelectedFolder();
    if (chosen == nullptr)
        return;
    // Copied: showing the path frees the row the folder belongs to.
    const TItemIDList id = chosen->FullID();
    ShowPath(id);
    TValueGuard updating(FUpdating);
    TellFolder(id);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskCustomShellComboBox::DrawRow(TCanvas* C, int Index, TRect TxtRect, int Indent)
{
    const TskItemEx* item = FItemsEx.Items(Index);
    if (item == nullptr)
        return;
    const int iconWidth = IconWidth();
    const int x = TxtRect.Left + (Indent * iconWidth) / 2;
    TCustomImageList* images = RowImages();
    if (images != nullptr && item->ImageIndex >= 0 && item->ImageIndex < images->Count())
        images->Draw(C, x, TxtRect.Top + (TxtRect.Height() - IconHeight()) / 2, item->ImageIndex, Enabled());
    C->Brush()->SetStyle(bsClear);
    const int textHeight = C->TextHeight("Wg");
    C->TextOut(x + iconWidth + 4, TxtRect.Top + (TxtRect.Height() - textHeight) / 2, item->Caption);
}

// ---------------------------------------------------------------------------------------------
// Streaming

void RegisterShellComboBoxClasses()
{
    static const bool done = [] {
        RegisterSkinComboBoxClass();
        RegisterShellListViewClasses();
        using C = TskCustomShellComboBox;
        RegisterClass<C, TskSkinCustomComboBox>("TskCustomShellComboBox")
            .Prop("Root", &C::Root, &C::SetRoot, std::string("rfDesktop"))
            .Prop("ObjectTypes", &C::ObjectTypes, &C::SetObjectTypes, TShellObjectTypes{otFolders})
            .Prop("UseShellImages", &C::UseShellImages, &C::SetUseShellImages, true)
            .Prop("ShellTreeView", &C::ShellTreeView, &C::SetShellTreeView)
            .Prop("ShellListView", &C::ShellListView, &C::SetShellListView);
        RegisterClass<TskSkinShellComboBox, C>("TskSkinShellComboBox");
        return true;
    }();
    (void)done;
}
