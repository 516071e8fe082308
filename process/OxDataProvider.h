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
#include "platform/vcl/TComponent.h"
#include "process/OxUtils.h"

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
};

class IOxDataItems {
public:
    virtual ~IOxDataItems() = default;
    virtual int Count() const = 0;
    virtual IOxDataItem* Item(int Index) const = 0;
};

// What a consumer needs of a provider.
class IOxDataProvider {
public:
    virtual ~IOxDataProvider() = default;
    virtual IOxDataItems* Items() const = 0;
    // The names of the contexts; empty when the provider has none.
    virtual std::vector<std::string> Contexts() const = 0;
    virtual void RegisterConsumer(TOxDataConsumer* Consumer) = 0;
    virtual void UnregisterConsumer(TOxDataConsumer* Consumer) = 0;
    // Selects the consumer and its context while it reads; released by Leave.
    virtual void Enter(TOxDataConsumer* Consumer) = 0;
    virtual void Leave(TOxDataConsumer* Consumer) = 0;
};

// The text an item without one is shown with.
extern const char* const SItemHasNoText;

// The flattened view of a provider's item tree, in display order.
class TOxDataConsumerViewList {
public:
    explicit TOxDataConsumerViewList(TOxDataConsumer& Consumer) : FConsumer(Consumer) {}

    int Count() const { return static_cast<int>(FEntries.size()); }
    // The item shown at Index; nullptr when the view no longer matches the provider.
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

    TOxDataConsumer& FConsumer;
    std::vector<TEntry> FEntries;
    bool FExpandNewItems = false;
    int FExpandDepth = -1;
    int FLevelIndent = 16;
};

using TOxConsumerChangeEvent = std::function<void(TObject* Sender, int Reason)>;
using TOxConsumerServiceEvent = std::function<void(TObject* Sender, TOxDataConsumerViewList* Service)>;

class TOxDataConsumer : public TObject {
public:
    // Attribute 3 makes the consumer keep a view list while a provider is attached.
    TOxDataConsumer(TComponent* AOwner, std::initializer_list<int> Attributes);
    ~TOxDataConsumer() override;

    TComponent* Owner() const { return FOwner; }
    const std::vector<int>& Attributes() const { return FAttributes; }
    IOxDataProvider* Provider() const { return FProvider; }
    void SetProvider(IOxDataProvider* Value);
    std::string Context() const { return FContext; }
    void SetContext(const std::string& Value);
    // nullptr without a provider.
    TOxDataConsumerViewList* ViewList() const { return FViewList.get(); }

    void Enter();
    void Leave();

    // Called by the provider before and after each change of its data.
    void ProviderChanging(int Reason, IOxDataItem* Item);
    void ProviderChanged(int Reason, IOxDataItem* Item, IOxDataItem* Parent);

    TOxConsumerChangeEvent OnChanging;
    TOxConsumerChangeEvent OnChanged;
    TNotifyEvent OnBeforeServiceCreate;
    TOxConsumerServiceEvent OnServiceCreated;

private:
    void CreateServices();

    TComponent* FOwner;
    std::vector<int> FAttributes;
    IOxDataProvider* FProvider = nullptr;
    std::string FContext;
    std::unique_ptr<TOxDataConsumerViewList> FViewList;
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
