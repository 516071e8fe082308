#include "platform/vcl/TypInfo.h"

#include <unordered_map>

#include "platform/rtl/Strings.h"

namespace {

struct TRegistry {
    std::map<std::type_index, TClassInfo> ByType;
    std::unordered_map<std::string, std::type_index> ByName; // upper-case name
    std::unordered_map<std::string, std::int64_t> Idents;    // upper-case ident
    std::map<std::type_index, const TClassInfo*> Nearest;    // unregistered type -> registered ancestor
};

TRegistry& Registry()
{
    static TRegistry registry;
    return registry;
}

} // namespace

int TEnumInfo::ValueOf(const std::string& Name) const
{
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], Name)) return static_cast<int>(i);
    return -1;
}

void RegisterIntegerIdent(const std::string& Ident, std::int64_t Value) { Registry().Idents[UpperCase(Ident)] = Value; }

std::optional<std::int64_t> IdentToInt(const std::string& Ident)
{
    auto& idents = Registry().Idents;
    auto it = idents.find(UpperCase(Ident));
    if (it == idents.end()) return std::nullopt;
    return it->second;
}

TClassInfo& ClassInfoEntry(std::type_index Type)
{
    auto& reg = Registry();
    auto it = reg.ByType.find(Type);
    if (it == reg.ByType.end()) {
        it = reg.ByType.emplace(Type, TClassInfo{}).first;
        it->second.Type = Type;
    }
    return it->second;
}

const TClassInfo* FindClassInfo(std::type_index Type)
{
    auto& reg = Registry();
    auto it = reg.ByType.find(Type);
    if (it == reg.ByType.end() || it->second.Name.empty()) return nullptr;
    // The name index is filled lazily so that registration order never matters.
    reg.ByName.emplace(UpperCase(it->second.Name), Type);
    return &it->second;
}

const TClassInfo* FindClassInfo(const std::string& ClassName)
{
    auto& reg = Registry();
    if (reg.ByName.size() != reg.ByType.size()) {
        for (auto& [type, info] : reg.ByType)
            if (!info.Name.empty()) reg.ByName.insert_or_assign(UpperCase(info.Name), type);
    }
    auto it = reg.ByName.find(UpperCase(ClassName));
    if (it == reg.ByName.end()) return nullptr;
    return FindClassInfo(it->second);
}

const TClassInfo* ClassInfoOf(const TObject* Instance)
{
    if (Instance == nullptr) return nullptr;
    const std::type_index type(typeid(*Instance));
    if (const TClassInfo* exact = FindClassInfo(type)) return exact;
    auto& reg = Registry();
    if (auto it = reg.Nearest.find(type); it != reg.Nearest.end()) return it->second;
    const TClassInfo* best = nullptr;
    for (auto& [t, info] : reg.ByType)
        if (!info.Name.empty() && info.IsInstance && info.IsInstance(Instance) && (best == nullptr || info.InheritsFrom(best))) best = &info;
    reg.Nearest[type] = best;
    return best;
}

const TClassInfo* TClassInfo::Parent() const
{
    if (!ParentType) return nullptr;
    return FindClassInfo(*ParentType);
}

const TPropInfo* TClassInfo::FindProp(const std::string& PropName) const
{
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent())
        // Last declaration wins, so a class may republish a property with a new default.
        for (auto it = c->Props.rbegin(); it != c->Props.rend(); ++it)
            if (SameText(it->Name, PropName)) return &*it;
    return nullptr;
}

const THandlerInfo* TClassInfo::FindHandler(const std::string& HandlerName) const
{
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent())
        for (auto& h : c->Handlers)
            if (SameText(h.Name, HandlerName)) return &h;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(const std::string& FieldName) const
{
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent())
        for (auto& f : c->Fields)
            if (SameText(f.Name, FieldName)) return &f;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo* Other) const
{
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent())
        if (c == Other) return true;
    return false;
}
