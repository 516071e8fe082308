#include "process/TExtensibleInterfacedPersistent.h"

#include <algorithm>

#include "platform/rtl/Strings.h"
#include "platform/vcl/TReader.h"
#include "process/OxUtils.h"

TPersistent* TAggregatedPersistent::GetOwner()
{
    return FController;
}

TOxClassFactory<TAggregatedPersistentEx, TExtensibleInterfacedPersistent*>& OxExtensionClasses()
{
    static TOxClassFactory<TAggregatedPersistentEx, TExtensibleInterfacedPersistent*> classes;
    return classes;
}

TExtensibleInterfacedPersistent::~TExtensibleInterfacedPersistent()
{
    ClearExtensions();
}

void TExtensibleInterfacedPersistent::AddExtension(std::unique_ptr<TAggregatedPersistentEx> Extension)
{
    if (!Extension)
        return;
    const std::type_index type(typeid(*Extension));
    for (const auto& e : FExtensions)
        if (std::type_index(typeid(*e)) == type)
            throw EOxException("Implementation of that class already exists");
    FExtensions.push_back(std::move(Extension));
}

void TExtensibleInterfacedPersistent::RemoveExtension(TAggregatedPersistentEx* Extension)
{
    const auto it = std::find_if(FExtensions.begin(), FExtensions.end(), [&](const auto& e) { return e.get() == Extension; });
    if (it == FExtensions.end())
        return;
    // Out of the list before it goes, so nothing it does while freed finds it there.
    std::unique_ptr<TAggregatedPersistentEx> gone = std::move(*it);
    FExtensions.erase(it);
}

void TExtensibleInterfacedPersistent::ClearExtensions()
{
    while (!FExtensions.empty()) {
        std::unique_ptr<TAggregatedPersistentEx> gone = std::move(FExtensions.back());
        FExtensions.pop_back();
    }
}

bool TExtensibleInterfacedPersistent::IsStreamableExtension(const TAggregatedPersistentEx* Extension) const
{
    return Extension && FindClassInfo(std::type_index(typeid(*Extension))) != nullptr;
}

void TExtensibleInterfacedPersistent::DefineProperties(TFiler* Filer)
{
    TPersistent::DefineProperties(Filer);
    const bool hasData = std::any_of(FExtensions.begin(), FExtensions.end(), [this](const auto& e) { return IsStreamableExtension(e.get()); });
    Filer->DefineProperty("Extensions", [this](TReader& Reader) { ReadExtensions(Reader); }, nullptr, hasData);
}

void TExtensibleInterfacedPersistent::ReadExtensions(TReader& Reader)
{
    ReadClassedCollection(Reader, [this](const std::string& ClassName) -> TObject* {
        // An extension the object already has (one of its defaults, say) takes the stored values.
        const std::type_index type = OxExtensionClasses().TypeOf(ClassName);
        for (const auto& e : FExtensions)
            if (std::type_index(typeid(*e)) == type)
                return e.get();
        std::unique_ptr<TAggregatedPersistentEx> made = OxExtensionClasses().Create(ClassName, this);
        TAggregatedPersistentEx* extension = made.get();
        AddExtension(std::move(made));
        return extension;
    });
}

void ReadClassedCollection(TReader& Reader, const std::function<TObject*(const std::string& ClassName)>& Element)
{
    if (Reader.NextValue() != vaCollection)
        throw EReadError("Expected collection");
    for (const TFormItem& item : Reader.ReadCollectionItems()) {
        if (item.Props.empty() || !SameText(item.Props.front().Path, "ClassName") || item.Props.front().Value.Type != vaString)
            throw EReadError("Missing ClassName property");
        const std::string& className = item.Props.front().Value.Str;
        TObject* target = Element(className);
        Reader.ReadProperties(target, className, item.Props, 1);
    }
}

void RegisterOxExtensionBase()
{
    static const bool done = [] {
        RegisterClass<TExtensibleInterfacedPersistent>("TExtensibleInterfacedPersistent");
        RegisterClass<TAggregatedPersistent>("TAggregatedPersistent");
        RegisterClass<TAggregatedPersistentEx, TAggregatedPersistent>("TAggregatedPersistentEx");
        return true;
    }();
    (void)done;
}
