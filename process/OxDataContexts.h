#pragma once
// The contexts of a data provider: named views of its data (an item's text can differ per
// context), in a tree. A context is found by a path whose parts are separated by "\" or "/": ".."
// goes to the parent context's list, a leading separator starts again at the provider's root
// contexts, any other part names a context of the current list (without case).
#include <memory>
#include <string>
#include <vector>

#include "process/TExtensibleInterfacedPersistent.h"

class IOxDataProvider;
class TOxBaseDataContext;

class TOxBaseDataContexts : public TExtensibleInterfacedPersistent {
public:
    // Ancestor is the context these are the sub-contexts of; nullptr for the provider's root list.
    TOxBaseDataContexts(IOxDataProvider* Provider, TOxBaseDataContext* Ancestor) : FProvider(Provider), FAncestor(Ancestor) {}

    IOxDataProvider* Provider() const { return FProvider; }
    TOxBaseDataContext* Ancestor() const { return FAncestor; }
    virtual int Count() const = 0;
    virtual TOxBaseDataContext* Context(int Index) const = 0;

    // The last context of this list named Name (without case); nullptr when none.
    TOxBaseDataContext* GetContextByName(const std::string& Name) const;
    // The context a path leads to from this list; nullptr when it leads nowhere.
    TOxBaseDataContext* FindContext(const std::string& Path) const;
    // Adds a context made for this list. Raises EOxDataContexts "A context with that name already
    // exists" for a name that is taken; the provider is told before and after (reason 5).
    TOxBaseDataContext* Add(std::unique_ptr<TOxBaseDataContext> Context);
    template <class T> T* Add(const std::string& Name)
    {
        return static_cast<T*>(Add(std::make_unique<T>(this, Name)));
    }
    void Delete(TOxBaseDataContext* Context);
    // The stored form: a collection of contexts, each naming its class, then "Name" and its own
    // "Contexts".
    void ReadContexts(TReader& Reader);

protected:
    virtual void DoAdd(std::unique_ptr<TOxBaseDataContext> Context) = 0;
    virtual void DoDelete(TOxBaseDataContext* Context) = 0;

private:
    IOxDataProvider* FProvider;
    TOxBaseDataContext* FAncestor;
};

// The list kept as owned objects in adding order.
class TOxDataContexts : public TOxBaseDataContexts {
public:
    using TOxBaseDataContexts::TOxBaseDataContexts;
    int Count() const override { return static_cast<int>(FList.size()); }
    TOxBaseDataContext* Context(int Index) const override;

protected:
    void DoAdd(std::unique_ptr<TOxBaseDataContext> Context) override;
    void DoDelete(TOxBaseDataContext* Context) override;

private:
    std::vector<std::unique_ptr<TOxBaseDataContext>> FList;
};

class TOxBaseDataContext : public TExtensibleInterfacedPersistent {
public:
    // Raises EOxDataContexts "Cannot create a context without a context list owner" without Owner.
    explicit TOxBaseDataContext(TOxBaseDataContexts* Owner, const std::string& Name = "");

    TOxBaseDataContexts* ContextsOwner() const { return FOwner; }
    IOxDataProvider* Provider() const { return FOwner->Provider(); }
    // The context whose sub-context this is; nullptr at the root.
    TOxBaseDataContext* Parent() const { return FOwner->Ancestor(); }
    const std::string& Name() const { return FName; }
    // Raises "A context with that name already exists" when a sibling has the name.
    void SetName(const std::string& Value);
    // The names from the root down, separated by "\".
    std::string Path() const;
    // The sub-contexts, made on first use.
    TOxDataContexts* Contexts();
    bool HasContexts() const { return FContexts && FContexts->Count() > 0; }
    // A user may rename and delete a context of these classes unless it is fixed.
    virtual bool IsDeletable() const { return true; }
    void DefineProperties(TFiler* Filer) override;

private:
    TOxBaseDataContexts* FOwner;
    std::string FName;
    std::unique_ptr<TOxDataContexts> FContexts;
};

class TOxDataContext : public TOxBaseDataContext {
public:
    using TOxBaseDataContext::TOxBaseDataContext;
};

// A context the user made and manages.
class TOxManagedDataContext : public TOxDataContext {
public:
    using TOxDataContext::TOxDataContext;
};

// A context the provider itself defines: it stays.
class TOxFixedDataContext : public TOxDataContext {
public:
    using TOxDataContext::TOxDataContext;
    bool IsDeletable() const override { return false; }
};

void RegisterOxDataContextClasses();
