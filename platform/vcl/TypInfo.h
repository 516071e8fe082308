#pragma once
// The class registry: every class that stored form descriptions may name registers here with its
// published properties, one line each (name, getter, setter, stream default), and forms register
// the handlers their descriptions bind by name. The form reader needs nothing else to create and
// fill a class.
//
//   static const bool registered = RegisterClass<TMyPanel, TCustomPanel>("TMyPanel")
//       .Prop("BorderWidth", &TMyPanel::BorderWidth, &TMyPanel::SetBorderWidth, 0)
//       .Prop("Font", &TMyPanel::Font)                 // an owned object: filled in place
//       .Prop("PopupMenu", &TMyPanel::PopupMenu, &TMyPanel::SetPopupMenu)  // a reference
//       .Event("OnClick", &TMyPanel::OnClick);
//
//   RegisterClass<TForm1, TForm>("TForm1").Field("Button1", &TForm1::Button1)
//       .Handler("Button1Click", &TForm1::Button1Click);
//
// Registration objects live in static libraries: put the registration in a function that some
// code of the program calls (or in the translation unit of the class's constructor), otherwise
// the linker may drop it.
#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "platform/vcl/TComponent.h"

class TStrings;

enum class TTypeKind {
    tkInteger,
    tkFloat,
    tkString,
    tkEnumeration, // Boolean included
    tkSet,
    tkClass,     // an owned object filled in place (TFont, TCollection, TPicture...)
    tkStrings,   // an owned string list (Items, Lines)
    tkComponent, // a reference to a component, resolved by name after the whole form is read
    tkMethod,    // an event, bound to a handler of the form by name
    tkIgnored    // stored by the original library, meaningless here: any value is accepted
};

// Names of an enumeration's values, in value order (value i is Names[i]).
struct TEnumInfo {
    std::vector<std::string> Names;
    // -1 when Name is none of them (compared without case).
    int ValueOf(const std::string& Name) const;
};

template <class E> TEnumInfo& EnumInfo()
{
    static TEnumInfo info;
    return info;
}
template <class E> bool RegisterEnum(std::vector<std::string> Names)
{
    EnumInfo<E>().Names = std::move(Names);
    return true;
}
template <> inline TEnumInfo& EnumInfo<bool>()
{
    static TEnumInfo info{{"False", "True"}};
    return info;
}
// Identifiers that stand for integers in stored values (colour and cursor names).
void RegisterIntegerIdent(const std::string& Ident, std::int64_t Value);
std::optional<std::int64_t> IdentToInt(const std::string& Ident);

template <class T> struct IsTSet : std::false_type {};
template <class E> struct IsTSet<TSet<E>> : std::true_type {
    using Element = E;
};

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::tkInteger;
    const TEnumInfo* Enum = nullptr; // enumerations and sets
    std::int64_t MinValue = std::numeric_limits<std::int64_t>::min();
    std::int64_t MaxValue = std::numeric_limits<std::int64_t>::max();
    std::optional<std::int64_t> Default; // the stream default of an ordinal property

    std::function<std::int64_t(TObject*)> GetOrd;
    std::function<void(TObject*, std::int64_t)> SetOrd;
    std::function<double(TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    std::function<std::string(TObject*)> GetStr;
    std::function<void(TObject*, const std::string&)> SetStr;
    std::function<TPersistent*(TObject*)> GetObject;
    std::function<TStrings*(TObject*)> GetStrings;
    std::function<TComponent*(TObject*)> GetComponent;
    // False when the component is not of the property's type.
    std::function<bool(TObject*, TComponent*)> SetComponent;
    // False when the handler's signature does not fit the event.
    std::function<bool(TObject*, const std::any&)> SetMethod;
};

// A handler of a form, bound to one form instance on request.
struct THandlerInfo {
    std::string Name;
    std::function<std::any(TObject* Root)> Bind;
};

struct TFieldInfo {
    std::string Name;
    std::function<bool(TObject* Root, TComponent*)> Set;
};

struct TClassInfo {
    std::string Name;
    std::type_index Type = typeid(void);
    std::optional<std::type_index> ParentType;
    std::function<TComponent*(TComponent* Owner)> Create; // empty for abstract classes
    std::function<bool(const TObject*)> IsInstance;
    std::vector<TPropInfo> Props;                          // in declaration order
    std::vector<THandlerInfo> Handlers;
    std::vector<TFieldInfo> Fields;

    const TClassInfo* Parent() const;
    // Searches this class and its ancestors, without case.
    const TPropInfo* FindProp(const std::string& PropName) const;
    const THandlerInfo* FindHandler(const std::string& HandlerName) const;
    const TFieldInfo* FindField(const std::string& FieldName) const;
    bool InheritsFrom(const TClassInfo* Other) const;
};

// Returns the entry for Type, made on first use.
TClassInfo& ClassInfoEntry(std::type_index Type);
const TClassInfo* FindClassInfo(std::type_index Type);
// Without case; nullptr when no class registered the name.
const TClassInfo* FindClassInfo(const std::string& ClassName);
// The registered class of an object's dynamic type, or of its nearest registered ancestor (a
// form class that registered nothing still reads as TForm); nullptr when none fits.
const TClassInfo* ClassInfoOf(const TObject* Instance);

namespace typinfo_detail {
template <class T> using Plain = std::remove_cvref_t<T>;
template <class T> constexpr bool IsComponentPtr = std::is_pointer_v<T> && std::is_base_of_v<TComponent, std::remove_pointer_t<T>>;
template <class T> constexpr bool IsStringsPtr = std::is_pointer_v<T> && std::is_base_of_v<TStrings, std::remove_pointer_t<T>>;
template <class T> constexpr bool IsPersistentPtr = std::is_pointer_v<T> && std::is_base_of_v<TPersistent, std::remove_pointer_t<T>> && !IsComponentPtr<T>;
template <class F> struct MemberFnTraits;
template <class R, class C, class... A> struct MemberFnTraits<R (C::*)(A...)> {
    using Sig = R(A...);
};
template <class R, class C, class... A> struct MemberFnTraits<R (C::*)(A...) const> {
    using Sig = R(A...);
};
} // namespace typinfo_detail

template <class C> class TClassRegistration {
public:
    explicit TClassRegistration(TClassInfo& Info) : FInfo(Info) {}
    operator bool() const { return true; }

    // A property with a getter and a setter (member functions or anything callable on C*).
    template <class G, class S> TClassRegistration& Prop(const std::string& Name, G Getter, S Setter)
    {
        using T = typinfo_detail::Plain<std::invoke_result_t<G, C*>>;
        TPropInfo p;
        p.Name = Name;
        if constexpr (std::is_same_v<T, std::string>) {
            p.Kind = TTypeKind::tkString;
            p.GetStr = [Getter](TObject* o) { return std::string(std::invoke(Getter, static_cast<C*>(o))); };
            p.SetStr = [Setter](TObject* o, const std::string& v) { std::invoke(Setter, static_cast<C*>(o), v); };
        } else if constexpr (std::is_floating_point_v<T>) {
            p.Kind = TTypeKind::tkFloat;
            p.GetFloat = [Getter](TObject* o) { return static_cast<double>(std::invoke(Getter, static_cast<C*>(o))); };
            p.SetFloat = [Setter](TObject* o, double v) { std::invoke(Setter, static_cast<C*>(o), static_cast<T>(v)); };
        } else if constexpr (typinfo_detail::IsComponentPtr<T>) {
            using E = std::remove_pointer_t<T>;
            p.Kind = TTypeKind::tkComponent;
            p.GetComponent = [Getter](TObject* o) -> TComponent* { return std::invoke(Getter, static_cast<C*>(o)); };
            p.SetComponent = [Setter](TObject* o, TComponent* v) {
                E* typed = dynamic_cast<E*>(v);
                if (v != nullptr && typed == nullptr) return false;
                std::invoke(Setter, static_cast<C*>(o), typed);
                return true;
            };
        } else if constexpr (IsTSet<T>::value) {
            p.Kind = TTypeKind::tkSet;
            p.Enum = &EnumInfo<typename IsTSet<T>::Element>();
            p.GetOrd = [Getter](TObject* o) { return static_cast<std::int64_t>(std::invoke(Getter, static_cast<C*>(o)).Bits()); };
            p.SetOrd = [Setter](TObject* o, std::int64_t v) { std::invoke(Setter, static_cast<C*>(o), T::FromBits(static_cast<std::uint64_t>(v))); };
        } else if constexpr (std::is_enum_v<T> || std::is_same_v<T, bool>) {
            p.Kind = TTypeKind::tkEnumeration;
            p.Enum = &EnumInfo<T>();
            p.GetOrd = [Getter](TObject* o) { return static_cast<std::int64_t>(std::invoke(Getter, static_cast<C*>(o))); };
            p.SetOrd = [Setter](TObject* o, std::int64_t v) { std::invoke(Setter, static_cast<C*>(o), static_cast<T>(v)); };
        } else {
            static_assert(std::is_integral_v<T>, "unsupported published property type");
            p.Kind = TTypeKind::tkInteger;
            p.MinValue = static_cast<std::int64_t>(std::numeric_limits<T>::min());
            p.MaxValue = std::numeric_limits<T>::max() > std::numeric_limits<std::int64_t>::max()
                ? std::numeric_limits<std::int64_t>::max()
                : static_cast<std::int64_t>(std::numeric_limits<T>::max());
            p.GetOrd = [Getter](TObject* o) { return static_cast<std::int64_t>(std::invoke(Getter, static_cast<C*>(o))); };
            p.SetOrd = [Setter](TObject* o, std::int64_t v) { std::invoke(Setter, static_cast<C*>(o), static_cast<T>(v)); };
        }
        FInfo.Props.push_back(std::move(p));
        return *this;
    }

    // An ordinal property with its stream default.
    template <class G, class S, class D> TClassRegistration& Prop(const std::string& Name, G Getter, S Setter, D Default)
    {
        Prop(Name, Getter, Setter);
        using T = typinfo_detail::Plain<std::invoke_result_t<G, C*>>;
        if constexpr (IsTSet<T>::value)
            FInfo.Props.back().Default = static_cast<std::int64_t>(T(Default).Bits());
        else if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>)
            FInfo.Props.back().Default = static_cast<std::int64_t>(static_cast<T>(Default));
        return *this;
    }

    // An owned object (TFont, TCollection, TPicture, TStrings...) whose own properties are read in
    // place ("Font.Name = 'Arial'").
    template <class G> TClassRegistration& Prop(const std::string& Name, G Getter)
    {
        using T = typinfo_detail::Plain<std::invoke_result_t<G, C*>>;
        TPropInfo p;
        p.Name = Name;
        if constexpr (typinfo_detail::IsStringsPtr<T>) {
            p.Kind = TTypeKind::tkStrings;
            p.GetStrings = [Getter](TObject* o) -> TStrings* { return std::invoke(Getter, static_cast<C*>(o)); };
        } else {
            static_assert(typinfo_detail::IsPersistentPtr<T>, "an object property must return a TPersistent or TStrings pointer");
            p.Kind = TTypeKind::tkClass;
            p.GetObject = [Getter](TObject* o) -> TPersistent* { return std::invoke(Getter, static_cast<C*>(o)); };
        }
        FInfo.Props.push_back(std::move(p));
        return *this;
    }

    // An event: a public std::function member.
    template <class F> TClassRegistration& Event(const std::string& Name, std::function<F> C::*Member)
    {
        TPropInfo p;
        p.Name = Name;
        p.Kind = TTypeKind::tkMethod;
        p.SetMethod = [Member](TObject* o, const std::any& h) {
            const auto* fn = std::any_cast<std::function<F>>(&h);
            if (fn == nullptr) return false;
            static_cast<C*>(o)->*Member = *fn;
            return true;
        };
        FInfo.Props.push_back(std::move(p));
        return *this;
    }

    // Properties that stored descriptions carry but that change nothing here (Ctl3D, DragMode...).
    TClassRegistration& Ignored(std::initializer_list<const char*> Names)
    {
        for (const char* n : Names) {
            TPropInfo p;
            p.Name = n;
            p.Kind = TTypeKind::tkIgnored;
            FInfo.Props.push_back(std::move(p));
        }
        return *this;
    }

    // A handler of this (form) class that descriptions may name in an event.
    template <class M> TClassRegistration& Handler(const std::string& Name, M Method)
    {
        using Sig = typename typinfo_detail::MemberFnTraits<M>::Sig;
        FInfo.Handlers.push_back({Name, [Method](TObject* root) -> std::any {
                                      C* self = static_cast<C*>(root);
                                      return std::function<Sig>([self, Method](auto&&... args) {
                                          return (self->*Method)(std::forward<decltype(args)>(args)...);
                                      });
                                  }});
        return *this;
    }

    // A field of this (form) class that receives the component of the same name when it is read.
    template <class T> TClassRegistration& Field(const std::string& Name, T* C::*Member)
    {
        FInfo.Fields.push_back({Name, [Member](TObject* root, TComponent* c) {
                                    T* typed = dynamic_cast<T*>(c);
                                    if (typed == nullptr) return false;
                                    static_cast<C*>(root)->*Member = typed;
                                    return true;
                                }});
        return *this;
    }

private:
    TClassInfo& FInfo;
};

// Registers C under Name with Parent as its registered ancestor (TObject when it has none).
template <class C, class Parent = TObject> TClassRegistration<C> RegisterClass(const std::string& Name)
{
    TClassInfo& info = ClassInfoEntry(typeid(C));
    info.Name = Name;
    info.Type = typeid(C);
    info.IsInstance = [](const TObject* o) { return dynamic_cast<const C*>(o) != nullptr; };
    if constexpr (!std::is_same_v<Parent, TObject>) info.ParentType = std::type_index(typeid(Parent));
    if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> && std::is_constructible_v<C, TComponent*>)
        info.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    return TClassRegistration<C>(info);
}
