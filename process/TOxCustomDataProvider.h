#pragma once
// A data provider as a component of a form: it owns a tree of items (and, in its context-keeping
// form, a tree of contexts), tells its consumers before and after every change, and detaches them
// when it is freed before them. Stored with its items:
//
//   object OxDataProvider1: TOxCustomDataProvider
//     Items = < item ClassName = 'TOxBaseDataItem' ... end >
//   end
#include <memory>
#include <vector>

#include "process/OxDataContexts.h"
#include "process/OxDataItems.h"
#include "process/OxDataProvider.h"

class TOxCustomDataProvider : public TComponent, public IOxDataProvider {
public:
    explicit TOxCustomDataProvider(TComponent* AOwner);
    ~TOxCustomDataProvider() override;

    IOxDataItems* Items() const override { return FItems.get(); }
    TOxDataItemsList* ItemList() const { return FItems.get(); }
    // The root list's management: adds, makes and deletes root items with notification.
    TOxBaseDataItemsManagement* Management() const;

    void Enter(TOxDataConsumer* Consumer) override;
    void Leave(TOxDataConsumer* Consumer) override;
    TOxDataConsumer* SelectedConsumer() const { return FSelected.empty() ? nullptr : FSelected.back().Consumer; }
    TOxBaseDataContext* SelectedContext() const override { return FSelected.empty() ? nullptr : FSelected.back().Context; }

    // "Items" (and "Contexts" where there are contexts) are stored beside the published properties.
    void DefineProperties(TFiler* Filer) override;

private:
    struct TSelection {
        TOxDataConsumer* Consumer;
        TOxBaseDataContext* Context;
    };
    std::unique_ptr<TOxDataItemsList> FItems;
    std::vector<TSelection> FSelected;
};

// A provider with contexts: an item's text may differ per context, and each consumer chooses one.
class TOxContextDataProvider : public TOxCustomDataProvider {
public:
    explicit TOxContextDataProvider(TComponent* AOwner);
    // The consumers let go while the contexts they chose are still here.
    ~TOxContextDataProvider() override { DetachConsumers(); }
    TOxBaseDataContexts* Contexts() const override { return FContexts.get(); }
    TOxDataContexts* ContextList() const { return FContexts.get(); }
    void DefineProperties(TFiler* Filer) override;

private:
    std::unique_ptr<TOxDataContexts> FContexts;
};

void RegisterOxDataProviderClasses();
