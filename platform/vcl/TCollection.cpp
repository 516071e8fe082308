#include "platform/vcl/TCollection.h"

#include <algorithm>

#include "platform/rtl/Strings.h"

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem()
{
    if (FCollection != nullptr) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (Value == FCollection) return;
    if (FCollection != nullptr) FCollection->RemoveItem(this);
    if (Value != nullptr) Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (FCollection == nullptr) return -1;
    auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    const int current = Index();
    if (current < 0 || Value < 0 || Value == current) return;
    auto& items = FCollection->FItems;
    Value = std::min(Value, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

std::string TCollectionItem::DisplayName() const { return ClassName(); }

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection != nullptr && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory Factory, TPersistent* Owner) : FFactory(std::move(Factory)), FOwner(Owner) {}

TCollection::~TCollection()
{
    FUpdateCount = 1; // no Update calls from a half-destroyed collection
    while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = FFactory(nullptr);
    item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int Index)
{
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::Clear()
{
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    EndUpdate();
}

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[static_cast<size_t>(Index)];
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TCollection*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->FItems) Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem* Item)
{
    if (OnUpdate) OnUpdate(Item);
}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed()
{
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    Notify(Item, cnExtracting);
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
    Item->FCollection = nullptr;
    Changed();
}
