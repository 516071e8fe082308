#include "process/OxDataProvider.h"

#include <algorithm>

#include "platform/rtl/Strings.h"
#include "platform/vcl/TControl.h"
#include "platform/vcl/TypInfo.h"
#include "process/OxDataContexts.h"

const char* const SItemHasNoText = "(item does not support the IOxDataItemText interface)";

namespace {

constexpr int kViewListAttribute = 3;

// The entry of ID among Items, nullptr when it is not there.
IOxDataItem* FindIn(IOxDataItems* Items, const std::string& ID)
{
    if (!Items)
        return nullptr;
    for (int i = 0; i < Items->Count(); ++i)
        if (IOxDataItem* item = Items->Item(i); item && item->ID() == ID)
            return item;
    return nullptr;
}

// The item ID among Items or, depth first, their sub-items; nullptr when none holds it.
IOxDataItem* FindDeep(IOxDataItems* Items, const std::string& ID)
{
    if (!Items)
        return nullptr;
    for (int i = 0; i < Items->Count(); ++i) {
        IOxDataItem* item = Items->Item(i);
        if (!item)
            continue;
        if (item->ID() == ID)
            return item;
        if (IOxDataItem* found = FindDeep(item->SubItems(), ID))
            return found;
    }
    return nullptr;
}

bool HasSubItems(IOxDataItem* Item)
{
    return Item && Item->SubItems() && Item->SubItems()->Count() > 0;
}

} // namespace

// ---------------------------------------------------------------------------------------------

IOxDataItems* TOxCustomDataConsumerViewList::ListOf(int Index) const
{
    // The parent is the nearest earlier entry of a lower level; level 0 lives in the root list.
    const int level = FEntries[static_cast<std::size_t>(Index)].Level;
    if (level == 0)
        return Consumer()->Provider() ? Consumer()->Provider()->Items() : nullptr;
    for (int p = Index - 1; p >= 0; --p)
        if (FEntries[static_cast<std::size_t>(p)].Level < level)
            return Item(p)->SubItems();
    return nullptr;
}

TOxDataConsumer* TOxDataConsumerAggregatedObject::Consumer() const
{
    return static_cast<TOxDataConsumer*>(Controller());
}

IOxDataItem* TOxCustomDataConsumerViewList::Item(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    IOxDataItem* item = FindIn(ListOf(Index), FEntries[static_cast<std::size_t>(Index)].ID);
    // The provider changed its items without telling: what the view shows is no longer there.
    if (!item)
        throw EOxDataConsumer("ViewList out of sync");
    return item;
}

int TOxCustomDataConsumerViewList::Level(int Index) const
{
    return Index >= 0 && Index < Count() ? FEntries[static_cast<std::size_t>(Index)].Level : 0;
}

bool TOxCustomDataConsumerViewList::Expanded(int Index) const
{
    return Index >= 0 && Index < Count() && FEntries[static_cast<std::size_t>(Index)].Expanded;
}

int TOxCustomDataConsumerViewList::IndexOf(const std::string& ID) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (SameText(FEntries[static_cast<std::size_t>(i)].ID, ID))
            return i;
    return -1;
}

void TOxCustomDataConsumerViewList::AddLevel(IOxDataItems* Items, int Level)
{
    if (!Items)
        return;
    for (int i = 0; i < Items->Count(); ++i) {
        IOxDataItem* item = Items->Item(i);
        if (!item)
            continue;
        TEntry entry;
        entry.ID = item->ID();
        entry.Level = Level;
        entry.HasSubItems = HasSubItems(item);
        entry.Expanded = entry.HasSubItems && (FExpandDepth < 0 || Level < FExpandDepth);
        FEntries.push_back(entry);
        if (entry.Expanded)
            AddLevel(item->SubItems(), Level + 1);
    }
}

void TOxCustomDataConsumerViewList::Rebuild()
{
    FEntries.clear();
    if (Consumer()->Provider())
        AddLevel(Consumer()->Provider()->Items(), 0);
}

void TOxCustomDataConsumerViewList::ItemAdded(IOxDataItem* Item, IOxDataItem* Parent)
{
    if (!Item)
        return;
    TEntry entry;
    entry.ID = Item->ID();
    entry.HasSubItems = HasSubItems(Item);
    if (!Parent) {
        FEntries.push_back(entry);
        return;
    }
    const int p = IndexOf(Parent->ID());
    if (p < 0)
        return;
    TEntry& parent = FEntries[static_cast<std::size_t>(p)];
    if (!parent.Expanded && !FExpandNewItems)
        return;
    parent.HasSubItems = true;
    parent.Expanded = true;
    entry.Level = parent.Level + 1;
    // Below the parent's last descendant.
    int at = p + 1;
    while (at < Count() && FEntries[static_cast<std::size_t>(at)].Level > parent.Level)
        ++at;
    FEntries.insert(FEntries.begin() + at, entry);
}

void TOxCustomDataConsumerViewList::ItemDeleting(IOxDataItem* Item)
{
    if (!Item)
        return;
    const int at = IndexOf(Item->ID());
    if (at < 0)
        return;
    // The entry goes with every entry of its descendants.
    int end = at + 1;
    while (end < Count() && FEntries[static_cast<std::size_t>(end)].Level > FEntries[static_cast<std::size_t>(at)].Level)
        ++end;
    FEntries.erase(FEntries.begin() + at, FEntries.begin() + end);
}

// ---------------------------------------------------------------------------------------------

IOxDataProvider::~IOxDataProvider()
{
    DetachConsumers();
}

void IOxDataProvider::RegisterConsumer(TOxDataConsumer* Consumer)
{
    if (Consumer && std::find(FConsumers.begin(), FConsumers.end(), Consumer) == FConsumers.end())
        FConsumers.push_back(Consumer);
}

void IOxDataProvider::UnregisterConsumer(TOxDataConsumer* Consumer)
{
    FConsumers.erase(std::remove(FConsumers.begin(), FConsumers.end(), Consumer), FConsumers.end());
}

void IOxDataProvider::NotifyChanging(int Reason, IOxDataItem* Item)
{
    // A consumer may detach itself while it is told; the copy keeps the walk sound.
    const std::vector<TOxDataConsumer*> consumers = FConsumers;
    for (TOxDataConsumer* c : consumers)
        c->ProviderChanging(Reason, Item);
}

void IOxDataProvider::NotifyChanged(int Reason, IOxDataItem* Item)
{
    const std::vector<TOxDataConsumer*> consumers = FConsumers;
    for (TOxDataConsumer* c : consumers)
        c->ProviderChanged(Reason, Item);
}

void IOxDataProvider::DetachConsumers()
{
    while (!FConsumers.empty()) {
        TOxDataConsumer* consumer = FConsumers.back();
        FConsumers.pop_back();
        consumer->ProviderDestroyed(this);
    }
}

// ---------------------------------------------------------------------------------------------

TOxDataConsumer::TOxDataConsumer(TComponent* AOwner, std::initializer_list<int> Attributes) : FOwner(AOwner)
{
    for (int a : Attributes)
        if (std::find(FAttributes.begin(), FAttributes.end(), a) == FAttributes.end())
            FAttributes.push_back(a);
}

TOxDataConsumer::~TOxDataConsumer()
{
    if (FProvider)
        FProvider->UnregisterConsumer(this);
    // The services go while the consumer is whole: they reach it through their controller.
    ClearExtensions();
}

void TOxDataConsumer::SetProvider(IOxDataProvider* Value)
{
    if (Value != FProvider)
        ChangeProvider(Value, true);
}

void TOxDataConsumer::ProviderDestroyed(IOxDataProvider* Provider)
{
    // The provider has already let go of this consumer and may be half gone: it is not called.
    if (Provider == FProvider)
        ChangeProvider(nullptr, false);
}

void TOxDataConsumer::ChangeProvider(IOxDataProvider* Value, bool Unregister)
{
    if (OnChanging)
        OnChanging(this, drItemAdded);
    if (FProvider && Unregister)
        FProvider->UnregisterConsumer(this);
    FProvider = Value;
    FContext.clear();
    if (FProvider) {
        FProvider->RegisterConsumer(this);
        TOxBaseDataContexts* contexts = FProvider->Contexts();
        if (contexts && contexts->Count() > 0)
            FContext = contexts->Context(0)->Path();
        if (!FPendingContext.empty()) {
            const std::string pending = FPendingContext;
            FPendingContext.clear();
            SetContext(pending);
        }
    }
    UpdateServices();
    if (auto* control = dynamic_cast<TControl*>(FOwner))
        control->Invalidate();
    if (OnChanged)
        OnChanged(this, drItemAdded);
}

TComponent* TOxDataConsumer::ProviderComponent() const
{
    return dynamic_cast<TComponent*>(FProvider);
}

void TOxDataConsumer::SetProviderComponent(TComponent* Value)
{
    auto* provider = dynamic_cast<IOxDataProvider*>(Value);
    if (Value && !provider)
        throw EOxDataConsumer(Value->Name() + " is not a data provider");
    SetProvider(provider);
}

void TOxDataConsumer::SetContext(const std::string& Value)
{
    if (!FProvider && FOwner && FOwner->ComponentState().Contains(csLoading)) {
        // Read before the provider it belongs to is resolved.
        FPendingContext = Value;
        return;
    }
    if (!FProvider)
        throw EOxDataConsumer("You must specify a provider before setting the context");
    TOxBaseDataContexts* contexts = FProvider->Contexts();
    if (!contexts)
        throw EOxDataConsumer("Provider does not support contexts");
    TOxBaseDataContext* found = contexts->FindContext(Value);
    if (!found)
        throw EOxDataConsumer("Provider has no context named \"" + Value + "\"");
    FContext = found->Path();
}

void TOxDataConsumer::SetContextObject(TOxBaseDataContext* Value)
{
    if (!FProvider)
        throw EOxDataConsumer("You must specify a provider before setting the context");
    if (!FProvider->Contexts())
        throw EOxDataConsumer("Provider does not support contexts");
    if (Value && Value->Provider() != FProvider)
        throw EOxDataConsumer("The specified context is not part of the same provider");
    FContext = Value ? Value->Path() : std::string();
}

TOxBaseDataContext* TOxDataConsumer::ContextObject() const
{
    TOxBaseDataContexts* contexts = FProvider ? FProvider->Contexts() : nullptr;
    return contexts && !FContext.empty() ? contexts->FindContext(FContext) : nullptr;
}

void TOxDataConsumer::UpdateServices()
{
    if (!FProvider) {
        ClearExtensions();
        return;
    }
    const std::vector<std::string> offered = FProvider->ServiceClasses();
    std::vector<std::type_index> types;
    for (const std::string& name : offered)
        types.push_back(OxExtensionClasses().TypeOf(name));
    const bool keepsView = std::find(FAttributes.begin(), FAttributes.end(), kViewListAttribute) != FAttributes.end();
    for (int i = ExtensionCount() - 1; i >= 0; --i) {
        TAggregatedPersistentEx* service = Extensions(i);
        const std::type_index type(typeid(*service));
        const bool applies = std::find(types.begin(), types.end(), type) != types.end() ||
                             (keepsView && type == std::type_index(typeid(TOxDataConsumerViewList)));
        if (!applies)
            RemoveExtension(service);
        else if (auto* held = dynamic_cast<TOxDataConsumerAggregatedObject*>(service))
            held->ProviderChanged();
    }
    auto holds = [this](std::type_index Type) {
        for (int i = 0; i < ExtensionCount(); ++i)
            if (std::type_index(typeid(*Extensions(i))) == Type)
                return true;
        return false;
    };
    for (std::size_t i = 0; i < offered.size(); ++i)
        if (!holds(types[i])) {
            if (OnBeforeServiceCreate)
                OnBeforeServiceCreate(this);
            CreateService(OxExtensionClasses().Create(offered[i], this));
        }
    if (keepsView && !ViewList()) {
        if (OnBeforeServiceCreate)
            OnBeforeServiceCreate(this);
        CreateService(std::make_unique<TOxDataConsumerViewList>(this));
    }
}

void TOxDataConsumer::CreateService(std::unique_ptr<TAggregatedPersistentEx> Service)
{
    TAggregatedPersistentEx* made = Service.get();
    AddExtension(std::move(Service));
    auto* service = dynamic_cast<TOxDataConsumerAggregatedObject*>(made);
    if (!service)
        return;
    if (auto* view = dynamic_cast<TOxCustomDataConsumerViewList*>(service))
        view->Rebuild();
    if (OnServiceCreated)
        OnServiceCreated(this, service);
}

void TOxDataConsumer::Enter()
{
    if (FProvider)
        FProvider->Enter(this);
}

void TOxDataConsumer::Leave()
{
    if (FProvider)
        FProvider->Leave(this);
}

void TOxDataConsumer::ProviderChanging(int Reason, IOxDataItem* Item)
{
    if (Reason == drItemDeleted && ViewList())
        ViewList()->ItemDeleting(Item);
}

void TOxDataConsumer::ProviderChanged(int Reason, IOxDataItem* Item)
{
    TOxDataConsumerViewList* view = ViewList();
    if (!view)
        return;
    if (Reason == drItemAdded)
        view->ItemAdded(Item, Item && Item->Items() ? Item->Items()->Parent() : nullptr);
    else if (Reason == drCleared)
        view->Rebuild();
    if (OnChanged)
        OnChanged(this, drItemChanged);
}

void TOxDataConsumerItemSelect::SetItem(const std::string& Value)
{
    TOxDataConsumer* consumer = Consumer();
    IOxDataProvider* provider = consumer->Provider();
    if (!provider && consumer->Owner() && consumer->Owner()->ComponentState().Contains(csLoading)) {
        // Read before the provider it belongs to is resolved.
        FPending = Value;
        return;
    }
    if (!provider)
        throw EOxDataConsumer("You must specify a provider before setting the item");
    TOxDataConsumerLock lock(*consumer);
    if (!Value.empty() && !FindDeep(provider->Items(), Value))
        throw EOxDataConsumer("Item not found in the selected context");
    FItem = Value;
}

void TOxDataConsumerItemSelect::ProviderChanged()
{
    FItem.clear();
    if (FPending.empty())
        return;
    const std::string pending = FPending;
    FPending.clear();
    SetItem(pending);
}

void RegisterOxDataConsumerClasses()
{
    static const bool done = [] {
        RegisterOxExtensionBase();
        using C = TOxDataConsumer;
        RegisterClass<C, TExtensibleInterfacedPersistent>("TOxDataConsumer")
            .Prop("Provider", &C::ProviderComponent, &C::SetProviderComponent)
            .Prop("Context", &C::Context, &C::SetContext);
        RegisterClass<TOxDataConsumerAggregatedObject, TAggregatedPersistentEx>("TOxDataConsumerAggregatedObject");
        using V = TOxCustomDataConsumerViewList;
        RegisterClass<V, TOxDataConsumerAggregatedObject>("TOxCustomDataConsumerViewList")
            .Prop("LevelIndent", &V::LevelIndent, &V::SetLevelIndent, 16);
        RegisterOxExtension<TOxDataConsumerViewList, V>("TOxDataConsumerViewList");
        using S = TOxDataConsumerItemSelect;
        RegisterOxExtension<S, TOxDataConsumerAggregatedObject>("TOxDataConsumerItemSelect").Prop("Item", &S::Item, &S::SetItem);
        return true;
    }();
    (void)done;
}

// ---------------------------------------------------------------------------------------------

int TOxConsumerStrings::GetCount() const
{
    return FConsumer.ViewList() ? FConsumer.ViewList()->Count() : 0;
}

std::string TOxConsumerStrings::Get(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        ErrorIndex(Index);
    TOxDataConsumerLock lock(FConsumer);
    IOxDataItem* item = FConsumer.ViewList()->Item(Index);
    return item->HasText() ? item->Text() : std::string();
}
