#pragma once
// The root of the component model: TObject, TPersistent and TComponent. Components form an
// ownership tree (an owner deletes what it owns) and tell each other when one goes away, so that
// no component keeps a pointer to a freed one.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/rtl/Exceptions.h"

// A bad component name, or a name that a sibling already has.
class EComponentError : public Exception { using Exception::Exception; };

// Removes one Item from List, looking from the end: components and controls go last first, so what goes
// is found at once even in the long lists of a window of thousands.
template <class T> void EraseLast(std::vector<T*>& List, const T* Item)
{
    const auto it = std::find(List.rbegin(), List.rend(), Item);
    if (it != List.rend()) List.erase(std::next(it).base());
}

class TReader;
class TWriter;
class TStream;
class TFiler;

class TObject {
public:
    virtual ~TObject() = default;
    // The name the class registered with (see TypInfo.h); the C++ type name when it did not register.
    std::string ClassName() const;
    template <class T> bool InheritsFrom() const { return dynamic_cast<const T*>(this) != nullptr; }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// A small set of enumeration values, as the component library's "set of" types. Values must be
// below 64.
template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items)
    {
        for (E e : items) Include(e);
    }
    static constexpr TSet FromBits(std::uint64_t bits)
    {
        TSet s;
        s.FBits = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return FBits; }
    constexpr bool Contains(E e) const { return (FBits >> static_cast<unsigned>(e)) & 1u; }
    constexpr TSet& Include(E e)
    {
        FBits |= std::uint64_t(1) << static_cast<unsigned>(e);
        return *this;
    }
    constexpr TSet& Exclude(E e)
    {
        FBits &= ~(std::uint64_t(1) << static_cast<unsigned>(e));
        return *this;
    }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    constexpr TSet operator+(E e) const { return TSet(*this).Include(e); }
    constexpr TSet operator-(E e) const { return TSet(*this).Exclude(e); }
    constexpr bool operator==(const TSet&) const = default;

private:
    std::uint64_t FBits = 0;
};

class TPersistent : public TObject {
public:
    // Copies Source into this object; raises EConvertError when neither side knows how.
    virtual void Assign(TPersistent* Source);
    // Declares the stored properties that are not published ones (custom or binary data).
    virtual void DefineProperties(TFiler* Filer);
    virtual TPersistent* GetOwner() { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* Dest);
};

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent;

// The untyped part of TComponentLink: registered with its holder, which clears it when the target is
// freed, so a class that only keeps a link needs no Notification of its own.
// A class that must do more when the target goes (repaint, rebuild, close a window) gives the link that
// action; it runs once every link of the holder to the target is clear.
class TComponentLinkBase {
public:
    TComponentLinkBase(const TComponentLinkBase&) = delete;
    TComponentLinkBase& operator=(const TComponentLinkBase&) = delete;

protected:
    explicit TComponentLinkBase(TComponent* Holder, std::function<void()> OnGone = {});
    ~TComponentLinkBase();
    // Points the link at Value. The holder's free notification moves with it, unless another link of
    // the holder still names the old target.
    void Attach(TComponent* Value);

public:
    // True while the target is being destroyed: its class parts are going one by one, so what the
    // link's type offers must not be called any more, though the link is cleared only at the end.
    bool TargetDestroying() const;

private:
    friend class TComponent;
    virtual void Reset() = 0;

    TComponent* FHolder;
    TComponent* FTarget = nullptr;
    std::function<void()> FOnGone;
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Deletes the component after BeforeDestruction, so that handlers such as a form's OnDestroy
    // still see the whole object. Owners and parents free their components this way; prefer it
    // to a plain delete.
    void Free();
    virtual void BeforeDestruction();

    const std::string& Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier or that a sibling already has.
    virtual void SetName(const std::string& Value);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    TComponent* Owner() const { return FOwner; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;
    // Case-insensitive, among the directly owned components; nullptr when none has the name.
    TComponent* FindComponent(const std::string& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();

    // Asks for AComponent's Notification(this, opRemove) when this component goes away, whoever owns
    // either: a control hears of a sibling going only this way (see HearOnlyThroughLinks). The watch
    // holds until RemoveFreeNotification, whatever links of either come and go meanwhile.
    void FreeNotification(TComponent* AComponent);
    // Ends the watch FreeNotification asked for; a link of either to the other still keeps them told.
    void RemoveFreeNotification(TComponent* AComponent);

    TComponentState ComponentState() const { return FComponentState; }
    void Destroying();

    // Parent links as the form reader sees them; controls override these.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* Value);

    TPersistent* GetOwner() override { return FOwner; }

    // The form reader and the component model itself set these states.
    void SetLoadingState(bool Loading);
    void SetReadingState(bool Reading);
    // Called once for every component after a whole form description has been read.
    virtual void Loaded();
    virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
    virtual void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName);
    // Nothing in the program designs: the tests of the design-time behaviour the skinned controls
    // keep put a component into csDesigning with it.
    void IncludeState(TComponentStateItem Item) { FComponentState.Include(Item); }
    // Leaves this component out of its owner's broadcast of components coming and going: it hears of
    // another component going only through its links and FreeNotification. A window of many controls
    // is then freed in time linear in its controls, instead of each one telling all the others.
    void HearOnlyThroughLinks();

private:
    friend class TComponentLinkBase;
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    // Clears the links to AComponent, then lets the class react through Notification.
    void Notify(TComponent* AComponent, TOperation Operation);
    // The pair of components that tell each other of their going, as FreeNotification and links make it.
    void Pair(TComponent* AComponent);
    // Ends the pair unless a link of either names the other, or FreeNotification asked for it.
    void UnpairUnlessNeeded(TComponent* AComponent);
    bool LinksName(const TComponent* AComponent) const;
    // Keeps FNames in step when an owned component takes Value for OldName.
    void Rename(TComponent* AComponent, const std::string& OldName, const std::string& Value);

    std::string FName;
    int FTag = 0;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    // The named ones among FComponents by their name in capitals (names compare without case), so that
    // naming each control of a form of thousands does not look through all its siblings.
    std::unordered_map<std::string, TComponent*> FNames;
    std::vector<TComponent*> FFreeNotifies;
    // The pairs of FFreeNotifies that FreeNotification asked for (on either side), kept on both sides:
    // a link letting go must not end them.
    std::vector<TComponent*> FAskedNotifies;
    std::vector<TComponentLinkBase*> FLinks;
    // The owned components that hear the owner's broadcast (all but those that hear only through links).
    std::vector<TComponent*> FListeners;
    bool FHearsOwner = true;
    TComponentState FComponentState;
};

// A member that points at another component and becomes nullptr by itself when that component is
// freed. Assigning needs T complete; reading does not.
template <class T> class TComponentLink : public TComponentLinkBase {
public:
    explicit TComponentLink(TComponent* Holder, std::function<void()> OnGone = {}) : TComponentLinkBase(Holder, std::move(OnGone)) {}
    T* get() const { return FValue; }
    operator T*() const { return FValue; }
    T* operator->() const { return FValue; }
    TComponentLink& operator=(T* Value)
    {
        Attach(Value);
        FValue = Value;
        return *this;
    }

private:
    void Reset() override { FValue = nullptr; }

    T* FValue = nullptr;
};
