#pragma once
// Objects that can be extended at run time: an extensible object owns a list of extensions, each an
// object that implements further abilities on its behalf. Asking an extensible object for an ability
// (an interface class) asks the object itself first, then its extensions from the last added to the
// first, so a later extension overrides an earlier one. Extensions are stored with their owner in
// form descriptions as the property "Extensions", each element naming its class first:
//
//   Extensions = <
//     item
//       ClassName = 'TOxDataItemTextImpl'
//       Text = 'first'
//     end>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/TComponent.h"
#include "platform/vcl/TypInfo.h"

class TExtensibleInterfacedPersistent;
class TReader;
struct TFormItem;

// An object that implements abilities on behalf of a controller.
class TAggregatedPersistent : public TPersistent {
public:
    explicit TAggregatedPersistent(TExtensibleInterfacedPersistent* Controller) : FController(Controller) {}
    TExtensibleInterfacedPersistent* Controller() const { return FController; }
    TPersistent* GetOwner() override;

private:
    TExtensibleInterfacedPersistent* FController;
};

// An extension: lives in its controller's extension list and is freed by it.
class TAggregatedPersistentEx : public TAggregatedPersistent {
public:
    using TAggregatedPersistent::TAggregatedPersistent;
};

class TExtensibleInterfacedPersistent : public TPersistent {
public:
    TExtensibleInterfacedPersistent() = default;
    ~TExtensibleInterfacedPersistent() override;
    TExtensibleInterfacedPersistent(const TExtensibleInterfacedPersistent&) = delete;
    TExtensibleInterfacedPersistent& operator=(const TExtensibleInterfacedPersistent&) = delete;

    // The object itself when it has the ability I, else the last extension that has it; nullptr when
    // none does.
    template <class I> I* Query()
    {
        if (I* self = dynamic_cast<I*>(this))
            return self;
        for (auto it = FExtensions.rbegin(); it != FExtensions.rend(); ++it)
            if (I* found = dynamic_cast<I*>(it->get()))
                return found;
        return nullptr;
    }

    // Makes an extension of class T for this object and adds it.
    template <class T> T* AddExtension()
    {
        auto extension = std::make_unique<T>(this);
        T* result = extension.get();
        AddExtension(std::move(extension));
        return result;
    }
    // Raises EOxException when an extension of the same class is already there.
    void AddExtension(std::unique_ptr<TAggregatedPersistentEx> Extension);
    // Frees the extension.
    void RemoveExtension(TAggregatedPersistentEx* Extension);
    // The last extension of class T or a descendant of it.
    template <class T> T* FindExtension() const
    {
        for (auto it = FExtensions.rbegin(); it != FExtensions.rend(); ++it)
            if (T* found = dynamic_cast<T*>(it->get()))
                return found;
        return nullptr;
    }
    // Frees every extension, the last added first.
    void ClearExtensions();
    int ExtensionCount() const { return static_cast<int>(FExtensions.size()); }
    TAggregatedPersistentEx* Extensions(int Index) const { return FExtensions.at(static_cast<std::size_t>(Index)).get(); }

    // Creates the extensions every object of its class starts with (none here). Called by whoever
    // makes the object, once it is complete.
    virtual void InitImplementers() {}

    // "Extensions" is read when at least one extension could be stored.
    void DefineProperties(TFiler* Filer) override;

protected:
    // An extension is stored with its owner when its class is known to the class registry.
    virtual bool IsStreamableExtension(const TAggregatedPersistentEx* Extension) const;

private:
    void ReadExtensions(TReader& Reader);

    std::vector<std::unique_ptr<TAggregatedPersistentEx>> FExtensions;
};

// Classes that stored elements name ("ClassName = '...'"): each registered name makes an object of
// its class. Base is the class the elements must derive from; Arg is what a new object is made with.
template <class Base, class Arg> class TOxClassFactory {
public:
    using TCreate = std::function<std::unique_ptr<Base>(Arg)>;

    template <class T> void Register() { FCreators[std::type_index(typeid(T))] = [](Arg A) { return std::make_unique<T>(A); }; }

    // The object of the class named ClassName. Raises EReadError "Class X not found" for a name the
    // class registry does not know, and "Invalid class type" for a class that is not a Base.
    std::unique_ptr<Base> Create(const std::string& ClassName, Arg A) const;
    // The registered type of ClassName (for reusing an existing object of that class).
    std::type_index TypeOf(const std::string& ClassName) const;

private:
    const TClassInfo& Find(const std::string& ClassName) const;
    std::map<std::type_index, TCreate> FCreators;
};

template <class Base, class Arg> const TClassInfo& TOxClassFactory<Base, Arg>::Find(const std::string& ClassName) const
{
    const TClassInfo* info = FindClassInfo(ClassName);
    if (!info)
        throw EReadError("Class " + ClassName + " not found");
    if (FCreators.find(info->Type) == FCreators.end())
        throw EReadError("Invalid class type");
    return *info;
}

template <class Base, class Arg> std::unique_ptr<Base> TOxClassFactory<Base, Arg>::Create(const std::string& ClassName, Arg A) const
{
    return FCreators.at(Find(ClassName).Type)(A);
}

template <class Base, class Arg> std::type_index TOxClassFactory<Base, Arg>::TypeOf(const std::string& ClassName) const
{
    return Find(ClassName).Type;
}

TOxClassFactory<TAggregatedPersistentEx, TExtensibleInterfacedPersistent*>& OxExtensionClasses();

// Registers an extension class: its published properties with the class registry (so stored
// elements can be read into it) and its creation by name.
template <class T, class Parent = TAggregatedPersistentEx> TClassRegistration<T> RegisterOxExtension(const std::string& Name)
{
    OxExtensionClasses().template Register<T>();
    return RegisterClass<T, Parent>(Name);
}

// The elements of a stored collection of classed objects, checked as every such collection is: a
// collection marker ("Expected collection"), and each element starting with its class name
// ("Missing ClassName property"). Each element is handed over with its class name; its other
// properties are read into the object the handler returns.
void ReadClassedCollection(TReader& Reader, const std::function<TObject*(const std::string& ClassName)>& Element);

// Registers the base classes of extensions.
void RegisterOxExtensionBase();

// Asks Obj for ability I: through its extensions when it is extensible, else the object itself.
template <class I, class T> I* OxSupports(T* Obj)
{
    if (!Obj)
        return nullptr;
    if (auto* extensible = dynamic_cast<TExtensibleInterfacedPersistent*>(Obj))
        return extensible->template Query<I>();
    return dynamic_cast<I*>(Obj);
}
