#include "process/TOxCustomDataProvider.h"

#include "platform/vcl/TReader.h"
#include "platform/vcl/VclClasses.h"

TOxCustomDataProvider::TOxCustomDataProvider(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TOxDataItemsList>(static_cast<IOxDataProvider*>(this)))
{
    FItems->InitImplementers();
}

TOxCustomDataProvider::~TOxCustomDataProvider()
{
    // The consumers let go while the items they show are still here.
    DetachConsumers();
}

TOxBaseDataItemsManagement* TOxCustomDataProvider::Management() const
{
    return FItems->FindExtension<TOxBaseDataItemsManagement>();
}

void TOxCustomDataProvider::Enter(TOxDataConsumer* Consumer)
{
    FSelected.push_back({Consumer, Consumer ? Consumer->ContextObject() : nullptr});
}

void TOxCustomDataProvider::Leave(TOxDataConsumer* /*Consumer*/)
{
    if (!FSelected.empty())
        FSelected.pop_back();
}

void TOxCustomDataProvider::DefineProperties(TFiler* Filer)
{
    TComponent::DefineProperties(Filer);
    FItems->DefineProperties(Filer);
}

TOxContextDataProvider::TOxContextDataProvider(TComponent* AOwner)
    : TOxCustomDataProvider(AOwner), FContexts(std::make_unique<TOxDataContexts>(static_cast<IOxDataProvider*>(this), nullptr))
{
}

void TOxContextDataProvider::DefineProperties(TFiler* Filer)
{
    TOxCustomDataProvider::DefineProperties(Filer);
    Filer->DefineProperty("Contexts", [this](TReader& Reader) { FContexts->ReadContexts(Reader); }, nullptr, FContexts->Count() > 0);
}

void RegisterOxDataProviderClasses()
{
    static const bool done = [] {
        RegisterComponentClasses();
        RegisterOxDataItemClasses();
        RegisterOxDataContextClasses();
        RegisterOxDataConsumerClasses();
        RegisterClass<TOxCustomDataProvider, TComponent>("TOxCustomDataProvider");
        RegisterClass<TOxContextDataProvider, TOxCustomDataProvider>("TOxContextDataProvider");
        return true;
    }();
    (void)done;
}
