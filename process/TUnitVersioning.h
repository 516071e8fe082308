#pragma once
// The unit-version registry: each unit of the base utilities records, at start, which source it
// was built from, under the module (program or library) that holds it, and takes its records back
// at the end. Anything that wants to show or check what went into the program reads the registry;
// providers are told when a module's records go. One registry serves the whole process.
#include <memory>
#include <string>
#include <vector>

#include "platform/sys/ModuleVersion.h"

// What a unit records of itself.
struct TUnitVersionInfo {
    std::string RCSfile;  // the source file's name
    std::string Revision;
    std::string Date;
    std::string LogPath;  // the folder the source lives in
    std::string Extra;
};

class TUnitVersion {
public:
    explicit TUnitVersion(const TUnitVersionInfo& Info) : FInfo(Info) {}
    const std::string& RCSfile() const { return FInfo.RCSfile; }
    const std::string& Revision() const { return FInfo.Revision; }
    const std::string& Date() const { return FInfo.Date; }
    const std::string& LogPath() const { return FInfo.LogPath; }
    const std::string& Extra() const { return FInfo.Extra; }
    const TUnitVersionInfo& Info() const { return FInfo; }

private:
    TUnitVersionInfo FInfo;
};

class TUnitVersioningModule {
public:
    explicit TUnitVersioningModule(TModuleHandle Instance) : FInstance(Instance) {}
    TModuleHandle Instance() const { return FInstance; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TUnitVersion* Items(int Index) const;
    // Adds the record unless the same one is there already.
    void Add(const TUnitVersionInfo& Info);
    // The record of a source file (without case), nullptr when none.
    TUnitVersion* FindUnit(const std::string& RCSfile) const;

private:
    TModuleHandle FInstance;
    std::vector<std::unique_ptr<TUnitVersion>> FItems;
};

// Told when a module's records leave the registry.
class TUnitVersioningProvider {
public:
    virtual ~TUnitVersioningProvider() = default;
    virtual void ReleaseModuleUnitVersioningInfo(TModuleHandle Instance) = 0;
};

class TUnitVersioning {
public:
    // Records a unit under its module; an unknown module is appended first.
    void Add(TModuleHandle Instance, const TUnitVersionInfo& Info);
    // Removes the module (searched from the last) and tells every provider.
    void UnregisterModule(TModuleHandle Instance);
    int ModuleCount() const { return static_cast<int>(FModules.size()); }
    TUnitVersioningModule* Modules(int Index) const;
    TUnitVersioningModule* FindModule(TModuleHandle Instance) const;
    // Every record of every module, in module order.
    int Count() const;
    TUnitVersion* Items(int Index) const;
    // The first record of a source file in any module, nullptr when none.
    TUnitVersion* FindUnit(const std::string& RCSfile) const;
    // The registry keeps providers it is given until it goes.
    void RegisterProvider(std::unique_ptr<TUnitVersioningProvider> Provider);

private:
    std::vector<std::unique_ptr<TUnitVersioningModule>> FModules;
    std::vector<std::unique_ptr<TUnitVersioningProvider>> FProviders;
};

// The process's registry: every module of the process shares it, since they are linked into one
// program here and it lives as long as the program.
TUnitVersioning* GetUnitVersioning();
void RegisterUnitVersion(TModuleHandle Instance, const TUnitVersionInfo& Info);
void UnregisterUnitVersion(TModuleHandle Instance);

// The module that holds the code calling it: the program, or a library linked in dynamically.
#define OX_THIS_MODULE (ModuleOfAddress(reinterpret_cast<const void*>(&GetUnitVersioning)))
