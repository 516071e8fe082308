#include "process/TUnitVersioning.h"

#include <algorithm>

#include "platform/rtl/Strings.h"
#include "process/OxUtils.h"

TUnitVersion* TUnitVersioningModule::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        OxListIndexError(Index);
    return FItems[static_cast<std::size_t>(Index)].get();
}

void TUnitVersioningModule::Add(const TUnitVersionInfo& Info)
{
    const auto same = [&](const auto& u) {
        const TUnitVersionInfo& i = u->Info();
        return i.RCSfile == Info.RCSfile && i.Revision == Info.Revision && i.Date == Info.Date && i.LogPath == Info.LogPath
            && i.Extra == Info.Extra;
    };
    if (std::none_of(FItems.begin(), FItems.end(), same))
        FItems.push_back(std::make_unique<TUnitVersion>(Info));
}

TUnitVersion* TUnitVersioningModule::FindUnit(const std::string& RCSfile) const
{
    for (const auto& u : FItems)
        if (SameText(u->RCSfile(), RCSfile))
            return u.get();
    return nullptr;
}

void TUnitVersioning::Add(TModuleHandle Instance, const TUnitVersionInfo& Info)
{
    TUnitVersioningModule* module = FindModule(Instance);
    if (!module) {
        FModules.push_back(std::make_unique<TUnitVersioningModule>(Instance));
        module = FModules.back().get();
    }
    module->Add(Info);
}

void TUnitVersioning::UnregisterModule(TModuleHandle Instance)
{
    for (auto it = FModules.rbegin(); it != FModules.rend(); ++it)
        if ((*it)->Instance() == Instance) {
            FModules.erase(std::next(it).base());
            for (const auto& p : FProviders)
                p->ReleaseModuleUnitVersioningInfo(Instance);
            return;
        }
}

TUnitVersioningModule* TUnitVersioning::Modules(int Index) const
{
    if (Index < 0 || Index >= ModuleCount())
        OxListIndexError(Index);
    return FModules[static_cast<std::size_t>(Index)].get();
}

TUnitVersioningModule* TUnitVersioning::FindModule(TModuleHandle Instance) const
{
    for (const auto& m : FModules)
        if (m->Instance() == Instance)
            return m.get();
    return nullptr;
}

int TUnitVersioning::Count() const
{
    int count = 0;
    for (const auto& m : FModules)
        count += m->Count();
    return count;
}

TUnitVersion* TUnitVersioning::Items(int Index) const
{
    int rest = Index;
    for (const auto& m : FModules) {
        if (rest >= 0 && rest < m->Count())
            return m->Items(rest);
        rest -= m->Count();
    }
    OxListIndexError(Index);
}

TUnitVersion* TUnitVersioning::FindUnit(const std::string& RCSfile) const
{
    for (const auto& m : FModules)
        if (TUnitVersion* u = m->FindUnit(RCSfile))
            return u;
    return nullptr;
}

void TUnitVersioning::RegisterProvider(std::unique_ptr<TUnitVersioningProvider> Provider)
{
    if (Provider)
        FProviders.push_back(std::move(Provider));
}

TUnitVersioning* GetUnitVersioning()
{
    // Units register while the program starts, in no set order: the registry is made on first use
    // and never freed, so a unit ending late still finds it.
    static TUnitVersioning* registry = new TUnitVersioning;
    return registry;
}

void RegisterUnitVersion(TModuleHandle Instance, const TUnitVersionInfo& Info)
{
    GetUnitVersioning()->Add(Instance, Info);
}

void UnregisterUnitVersion(TModuleHandle Instance)
{
    GetUnitVersioning()->UnregisterModule(Instance);
}
