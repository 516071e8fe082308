#pragma once
// The data provider framework, consumer side: a control can take its rows from a provider's tree
// of items instead of its own strings. The provider owns the items and tells its consumers before
// and after every change; a consumer inside the control attaches to one provider, keeps a
// flattened, expandable view of the item tree and offers it to the control as strings.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/TStringList.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TComponent.h"
#include "process/OxUtils.h"
#include "process/TExtensibleInterfacedPersistent.h"

class TComponent;
class TOxDataConsumer;

class EOxDataProvider : public EOxException {
    using EOxException::EOxException;
};
class EOxDataConsumer : public EOxDataProvider {
    using EOxDataProvider::EOxDataProvider;
};
class EOxDataItems : public EOxDataProvider {
    using EOxDataProvider::EOxDataProvider;
};
class EOxDataContexts : public EOxDataProvider {
    using EOxDataProvider::EOxDataProvider;
};

// Why a provider or a consumer changes.
enum TOxDataChangeReason : int {
    drItemAdded = 0,   // also: a consumer's provider changes
    drItemDeleted = 1,
    drItemChanged = 2, // also: a consumer's view changed
    drCleared = 3,
    drContextAdded = 5
};

class IOxDataItems;
class IOxDataProvider;
class TOxBaseDataContexts;
class TOxBaseDataContext;

// One item of a provider: an identifier, a text, and possibly a list of sub-items.
class IOxDataItem {
public:
    virtual ~IOxDataItem() = default;
    virtual std::string ID() const = 0;
    // False when the item has no text (it is drawn with a fixed remark then).
    virtual bool HasText() const = 0;
    virtual std::string Text() const = 0;
    // nullptr without sub-items.
    virtual IOxDataItems* SubItems() const = 0;
    // The list that holds the item; nullptr when it is in none.
    virtual IOxDataItems* Items() const { return nullptr; }
};

class IOxDataItems {
public:
    virtual ~IOxDataItems() = default;
    virtual int Count() const = 0;
    virtual IOxDataItem* Item(int Index) const = 0;
    // The item whose sub-items these are; nullptr for a provider's root list.
    virtual IOxDataItem* Parent() const { return nullptr; }
};

// How a provider's item is to be drawn.
enum TOxProviderDrawStateItem { pdsSelected, pdsGrayed, pdsDisabled, pdsChecked, pdsFocused, pdsDefault, pdsHot };
using TOxProviderDrawState = TSet<TOxProviderDrawStateItem>;

// The text of an item.
class IOxDataItemText {
public:
    virtual ~IOxDataItemText() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& Value) = 0;
};

// An item that draws and measures itself.
class IOxDataItemRenderer {
public:
    virtual ~IOxDataItemRenderer() = default;
    virtual void Draw(TCanvas* Canvas, TRect& Rect, TOxProviderDrawState State) = 0;
    virtual TSize Measure(TCanvas* Canvas) = 0;
};

// A list that draws and measures its items.
class IOxDataItemsRenderer {
public:
    virtual ~IOxDataItemsRenderer() = default;
    virtual void DrawItem(TCanvas* Canvas, TRect& Rect, IOxDataItem* Item, TOxProviderDrawState State) = 0;
    virtual TSize MeasureItem(TCanvas* Canvas, IOxDataItem* Item) = 0;
};

// The provider as its consumers see it. It keeps the consumers attached to it and tells them
// before and after every change of its data; one that goes away first detaches them, so a consumer
// never holds a provider that is gone.
class IOxDataProvider {
public:
    virtual ~IOxDataProvider();
    virtual IOxDataItems* Items() const = 0;
    // The root contexts; nullptr when the provider has no contexts.
    virtual TOxBaseDataContexts* Contexts() const { return nullptr; }
    // Selects the consumer and its context while it reads; released by Leave.
    virtual void Enter(TOxDataConsumer* /*Consumer*/) {}
    virtual void Leave(TOxDataConsumer* /*Consumer*/) {}
    // The context of the consumer that reads now; nullptr when none.
    virtual TOxBaseDataContext* SelectedContext() const { return nullptr; }
    // The class names of the services (consumer extensions) every attached consumer is to hold.
    virtual std::vector<std::string> ServiceClasses() const { return {}; }

    void RegisterConsumer(TOxDataConsumer* Consumer);
    void UnregisterConsumer(TOxDataConsumer* Consumer);
    int ConsumerCount() const { return static_cast<int>(FConsumers.size()); }
    // Before and after each change of the data, to every attached consumer.
    void NotifyChanging(int Reason, IOxDataItem* Item);
    void NotifyChanged(int Reason, IOxDataItem* Item);

protected:
    // Every consumer goes back to having no provider. A provider calls it first in its destructor,
    // while it is still whole; this base does it too, for providers that do not.
    void DetachConsumers();

private:
    std::vector<TOxDataConsumer*> FConsumers;
};

// The text an item without one is shown with.
extern const char* const SItemHasNoText;

// A service of a consumer: an extension that lives while the consumer's provider offers it.
class TOxDataConsumerAggregatedObject : public TAggregatedPersistentEx {
public:
    using TAggregatedPersistentEx::TAggregatedPersistentEx;
    TOxDataConsumer* Consumer() const;
    // The consumer now has another provider (never none: without one, services go).
    virtual void ProviderChanged() {}
};

// The flattened view of a provider's item tree, in display order.
class TOxCustomDataConsumerViewList : public TOxDataConsumerAggregatedObject {
public:
    using TOxDataConsumerAggregatedObject::TOxDataConsumerAggregatedObject;

    int Count() const { return static_cast<int>(FEntries.size()); }
    // The item shown at Index; nullptr outside the view. Raises EOxDataConsumer "ViewList out of
    // sync" when the provider no longer holds the item shown there.
    IOxDataItem* Item(int Index) const;
    int Level(int Index) const;
    bool Expanded(int Index) const;
    // The view index of an identifier (compared without case), -1 when not shown.
    int IndexOf(const std::string& ID) const;

    bool ExpandNewItems() const { return FExpandNewItems; }
    void SetExpandNewItems(bool Value) { FExpandNewItems = Value; }
    // -1: every level.
    int ExpandDepth() const { return FExpandDepth; }
    void SetExpandDepth(int Value) { FExpandDepth = Value; }
    int LevelIndent() const { return FLevelIndent; }
    void SetLevelIndent(int Value) { FLevelIndent = Value; }

    // Empties the view and, with a provider, lists the root items and, as deep as the expand
    // depth allows, their sub-items.
    void Rebuild();
    void ProviderChanged() override { Rebuild(); }
    // The provider's change of Item (reasons as TOxDataChangeReason), after it happened for
    // additions and before it happens for deletions.
    void ItemAdded(IOxDataItem* Item, IOxDataItem* Parent);
    void ItemDeleting(IOxDataItem* Item);

private:
    struct TEntry {
        std::string ID;
        int Level = 0;
        bool HasSubItems = false;
        bool Expanded = false;
    };
    void AddLevel(IOxDataItems* Items, int Level);
    IOxDataItems* ListOf(int Index) const;

    std::vector<TEntry> FEntries;
    bool FExpandNewItems = false;
    int FExpandDepth = -1;
    int FLevelIndent = 16;
};

class TOxDataConsumerViewList : public TOxCustomDataConsumerViewList {
public:
    using TOxCustomDataConsumerViewList::TOxCustomDataConsumerViewList;
};

// The item a consumer has selected, by identifier.
class TOxDataConsumerItemSelect : public TOxDataConsumerAggregatedObject {
public:
    using TOxDataConsumerAggregatedObject::TOxDataConsumerAggregatedObject;
    const std::string& Item() const { return FItem; }
    // Raises EOxDataConsumer "You must specify a provider before setting the item" without a
    // provider, and "Item not found in the selected context" for an identifier it does not hold.
    // While the consumer's owner is being read, before its provider is known, the value waits for it.
    void SetItem(const std::string& Value);
    void ProviderChanged() override;

private:
    std::string FItem;
    std::string FPending;
};

using TOxConsumerChangeEvent = std::function<void(TObject* Sender, int Reason)>;
using TOxConsumerServiceEvent = std::function<void(TObject* Sender, TOxDataConsumerAggregatedObject* Service)>;

class TOxDataConsumer : public TExtensibleInterfacedPersistent {
public:
    // Attribute 3 makes the consumer keep a view list while a provider is attached.
    TOxDataConsumer(TComponent* AOwner, std::initializer_list<int> Attributes);
    ~TOxDataConsumer() override;
    TOxDataConsumer(const TOxDataConsumer&) = delete;
    TOxDataConsumer& operator=(const TOxDataConsumer&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::vector<int>& Attributes() const { return FAttributes; }
    IOxDataProvider* Provider() const { return FProvider; }
    void SetProvider(IOxDataProvider* Value);
    // The selected context's path ("Main\Sub"); empty without contexts.
    std::string Context() const { return FContext; }
    // A context path of the provider. While the owning component is being read, before its
    // provider is known, the path waits for the provider.
    void SetContext(const std::string& Value);
    void SetContextObject(TOxBaseDataContext* Value);
    // The selected context, nullptr when none.
    TOxBaseDataContext* ContextObject() const;
    // As a stored property: the provider's component.
    TComponent* ProviderComponent() const;
    void SetProviderComponent(TComponent* Value);
    // nullptr without a provider.
    TOxDataConsumerViewList* ViewList() const { return FindExtension<TOxDataConsumerViewList>(); }

    void Enter();
    void Leave();

    // Called by the provider before and after each change of its data.
    void ProviderChanging(int Reason, IOxDataItem* Item);
    void ProviderChanged(int Reason, IOxDataItem* Item);
    // Called by a provider that goes away: the consumer lets go of it without calling it again.
    void ProviderDestroyed(IOxDataProvider* Provider);

    TOxConsumerChangeEvent OnChanging;
    TOxConsumerChangeEvent OnChanged;
    TNotifyEvent OnBeforeServiceCreate;
    TOxConsumerServiceEvent OnServiceCreated;

private:
    // Removes the services the provider does not offer (all of them without a provider), tells the
    // others of the new provider and creates the missing ones.
    void UpdateServices();
    void CreateService(std::unique_ptr<TAggregatedPersistentEx> Service);
    void ChangeProvider(IOxDataProvider* Value, bool Unregister);

    TComponent* FOwner;
    std::vector<int> FAttributes;
    IOxDataProvider* FProvider = nullptr;
    std::string FContext;
    std::string FPendingContext;
};

// Enters the consumer's lock for a scope, and leaves it however the scope ends.
class TOxDataConsumerLock {
public:
    explicit TOxDataConsumerLock(TOxDataConsumer& Consumer) : FConsumer(Consumer) { FConsumer.Enter(); }
    ~TOxDataConsumerLock() { FConsumer.Leave(); }
    TOxDataConsumerLock(const TOxDataConsumerLock&) = delete;
    TOxDataConsumerLock& operator=(const TOxDataConsumerLock&) = delete;

private:
    TOxDataConsumer& FConsumer;
};

// A read-only strings view over a consumer's view list: the texts of the shown items.
class TOxConsumerStrings : public TStrings {
public:
    explicit TOxConsumerStrings(TOxDataConsumer& Consumer) : FConsumer(Consumer) {}

    std::string Get(int Index) const override;
    int GetCount() const override;
    void Clear() override {}
    void Delete(int) override {}
    void Insert(int, const std::string&) override {}

private:
    TOxDataConsumer& FConsumer;
};

void RegisterOxDataConsumerClasses();
