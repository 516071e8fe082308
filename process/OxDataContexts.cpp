#include "process/OxDataContexts.h"

#include <algorithm>

#include "platform/rtl/Strings.h"
#include "process/OxUtils.h"
#include "platform/vcl/TReader.h"
#include "process/OxDataProvider.h"

namespace {

TOxClassFactory<TOxBaseDataContext, TOxBaseDataContexts*>& ContextClasses()
{
    static TOxClassFactory<TOxBaseDataContext, TOxBaseDataContexts*> classes;
    return classes;
}

} // namespace

TOxBaseDataContext* TOxBaseDataContexts::GetContextByName(const std::string& Name) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (SameText(Context(i)->Name(), Name))
            return Context(i);
    return nullptr;
}

TOxBaseDataContext* TOxBaseDataContexts::FindContext(const std::string& Path) const
{
    if (Path.empty())
        return nullptr;
    const std::size_t sep = Path.find_first_of("\\/");
    const std::string head = Path.substr(0, sep);
    const std::string rest = sep == std::string::npos ? std::string() : Path.substr(sep + 1);
    if (head.empty()) {
        TOxBaseDataContexts* root = FProvider ? FProvider->Contexts() : nullptr;
        return root ? root->FindContext(rest) : nullptr;
    }
    if (head == "..") {
        if (!FAncestor)
            return nullptr;
        return rest.empty() ? FAncestor : FAncestor->ContextsOwner()->FindContext(rest);
    }
    TOxBaseDataContext* found = GetContextByName(head);
    if (!found || rest.empty())
        return found;
    return found->HasContexts() ? found->Contexts()->FindContext(rest) : nullptr;
}

TOxBaseDataContext* TOxBaseDataContexts::Add(std::unique_ptr<TOxBaseDataContext> Context)
{
    if (!Context)
        return nullptr;
    // A context read from a stored form gets its name only after it is added.
    if (!Context->Name().empty() && GetContextByName(Context->Name()))
        throw EOxDataContexts("A context with that name already exists");
    TOxBaseDataContext* added = Context.get();
    if (FProvider)
        FProvider->NotifyChanging(drContextAdded, nullptr);
    DoAdd(std::move(Context));
    if (FProvider)
        FProvider->NotifyChanged(drContextAdded, nullptr);
    return added;
}

void TOxBaseDataContexts::Delete(TOxBaseDataContext* Context)
{
    DoDelete(Context);
}

void TOxBaseDataContexts::ReadContexts(TReader& Reader)
{
    ReadClassedCollection(Reader, [this](const std::string& ClassName) -> TObject* {
        // Made nameless: the stored Name that follows is checked against its siblings.
        return Add(ContextClasses().Create(ClassName, this));
    });
}

TOxBaseDataContext* TOxDataContexts::Context(int Index) const
{
    if (Index < 0 || Index >= Count())
        OxListIndexError(Index);
    return FList[static_cast<std::size_t>(Index)].get();
}

void TOxDataContexts::DoAdd(std::unique_ptr<TOxBaseDataContext> Context)
{
    FList.push_back(std::move(Context));
}

void TOxDataContexts::DoDelete(TOxBaseDataContext* Context)
{
    const auto it = std::find_if(FList.begin(), FList.end(), [&](const auto& c) { return c.get() == Context; });
    if (it == FList.end())
        return;
    std::unique_ptr<TOxBaseDataContext> gone = std::move(*it);
    FList.erase(it);
}

// ---------------------------------------------------------------------------------------------

namespace {

TOxBaseDataContexts* CheckedOwner(TOxBaseDataContexts* Owner)
{
    if (!Owner)
        throw EOxDataContexts("Cannot create a context without a context list owner");
    return Owner;
}

} // namespace

TOxBaseDataContext::TOxBaseDataContext(TOxBaseDataContexts* Owner, const std::string& Name) : FOwner(CheckedOwner(Owner)), FName(Name) {}

void TOxBaseDataContext::SetName(const std::string& Value)
{
    if (Value == FName)
        return;
    TOxBaseDataContext* other = FOwner->GetContextByName(Value);
    if (other && other != this)
        throw EOxDataContexts("A context with that name already exists");
    FName = Value;
}

std::string TOxBaseDataContext::Path() const
{
    return Parent() ? Parent()->Path() + "\\" + FName : FName;
}

TOxDataContexts* TOxBaseDataContext::Contexts()
{
    if (!FContexts)
        FContexts = std::make_unique<TOxDataContexts>(FOwner->Provider(), this);
    return FContexts.get();
}

void TOxBaseDataContext::DefineProperties(TFiler* Filer)
{
    TExtensibleInterfacedPersistent::DefineProperties(Filer);
    Filer->DefineProperty("Contexts", [this](TReader& Reader) { Contexts()->ReadContexts(Reader); }, nullptr, HasContexts());
}

void RegisterOxDataContextClasses()
{
    static const bool done = [] {
        using C = TOxBaseDataContext;
        RegisterClass<C>("TOxBaseDataContext").Prop("Name", &C::Name, &C::SetName);
        RegisterClass<TOxDataContext, C>("TOxDataContext");
        RegisterClass<TOxManagedDataContext, TOxDataContext>("TOxManagedDataContext");
        RegisterClass<TOxFixedDataContext, TOxDataContext>("TOxFixedDataContext");
        ContextClasses().Register<TOxDataContext>();
        ContextClasses().Register<TOxManagedDataContext>();
        ContextClasses().Register<TOxFixedDataContext>();
        RegisterClass<TOxDataContexts>("TOxDataContexts");
        return true;
    }();
    (void)done;
}
