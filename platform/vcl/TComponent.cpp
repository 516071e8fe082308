#include "platform/vcl/TComponent.h"

#include <algorithm>
#include <cxxabi.h>
#include <memory>

#include "platform/rtl/Strings.h"
#include "platform/vcl/TypInfo.h"

std::string TObject::ClassName() const
{
    if (const TClassInfo* info = ClassInfoOf(this)) return info->Name;
    // Not registered: the C++ name is the best we have.
    int status = 0;
    const char* mangled = typeid(*this).name();
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && demangled ? std::string(demangled.get()) : std::string(mangled);
}

void TPersistent::Assign(TPersistent* Source)
{
    if (Source != nullptr)
        Source->AssignTo(this);
    else
        throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + (Dest == nullptr ? std::string("nil") : Dest->ClassName()));
}

void TPersistent::DefineProperties(TFiler*) {}

namespace {

// True when Name is a valid identifier (letter or underscore, then letters, digits, underscores).
bool IsValidIdent(const std::string& Name)
{
    if (Name.empty()) return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(Name[0])) return false;
    return std::all_of(Name.begin() + 1, Name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

} // namespace

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Tell everyone who asked, then forget them, so that nobody keeps a pointer to us.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        EraseLast(other->FFreeNotifies, this);
        EraseLast(other->FAskedNotifies, this);
        other->Notify(this, opRemove);
    }
    DestroyComponents();
    if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

void TComponent::Free()
{
    BeforeDestruction();
    delete this;
}

void TComponent::BeforeDestruction() { Destroying(); }

void TComponent::Destroying() { FComponentState.Include(csDestroying); }

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FComponents[static_cast<size_t>(Index)];
}

TComponent* TComponent::FindComponent(const std::string& AName) const
{
    if (AName.empty()) return nullptr;
    const auto found = FNames.find(UpperCase(AName));
    return found == FNames.end() ? nullptr : found->second;
}

void TComponent::SetName(const std::string& Value)
{
    if (Value == FName) return;
    if (!Value.empty() && !IsValidIdent(Value)) throw EComponentError("Component name \"" + Value + "\" is not valid");
    if (FOwner != nullptr)
        FOwner->ValidateRename(this, FName, Value);
    else
        ValidateRename(nullptr, FName, Value);
    const std::string old = std::exchange(FName, Value);
    if (FOwner != nullptr) FOwner->Rename(this, old, Value);
}

void TComponent::Rename(TComponent* AComponent, const std::string& OldName, const std::string& Value)
{
    if (!OldName.empty()) {
        const auto found = FNames.find(UpperCase(OldName));
        if (found != FNames.end() && found->second == AComponent) FNames.erase(found);
    }
    if (!Value.empty()) FNames[UpperCase(Value)] = AComponent;
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName)
{
    if (AComponent == nullptr || NewName.empty() || SameText(CurName, NewName)) return;
    TComponent* other = FindComponent(NewName);
    if (other != nullptr && other != AComponent) throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    Rename(AComponent, "", AComponent->FName);
    if (AComponent->FHearsOwner) FListeners.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    EraseLast(FComponents, AComponent);
    Rename(AComponent, AComponent->FName, "");
    if (AComponent->FHearsOwner) EraseLast(FListeners, AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::HearOnlyThroughLinks()
{
    if (!FHearsOwner) return;
    FHearsOwner = false;
    if (FOwner != nullptr) EraseLast(FOwner->FListeners, this);
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent->FOwner == this) return;
    if (AComponent->FOwner != nullptr) AComponent->FOwner->RemoveComponent(AComponent);
    ValidateRename(AComponent, "", AComponent->FName);
    Insert(AComponent);
    Notify(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent->FOwner != this) return;
    Notify(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    // Last first, as they were made; each one still tells its siblings that it goes away.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        RemoveComponent(c);
        c->Free();
    }
}

namespace {

// True when A and B tell each other of their going; the shorter list is searched, since a skin or an
// image list may be named by every control of a long window.
bool Linked(const std::vector<TComponent*>& AList, TComponent* B, const std::vector<TComponent*>& BList, TComponent* A)
{
    return AList.size() <= BList.size() ? std::find(AList.rbegin(), AList.rend(), B) != AList.rend()
                                        : std::find(BList.rbegin(), BList.rend(), A) != BList.rend();
}

} // namespace

void TComponent::Pair(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent == this) return;
    if (!Linked(FFreeNotifies, AComponent, AComponent->FFreeNotifies, this)) {
        FFreeNotifies.push_back(AComponent);
        AComponent->FFreeNotifies.push_back(this);
    }
    FComponentState.Include(csFreeNotification);
}

bool TComponent::LinksName(const TComponent* AComponent) const
{
    return std::any_of(FLinks.begin(), FLinks.end(), [AComponent](const TComponentLinkBase* l) { return l->FTarget == AComponent; });
}

void TComponent::UnpairUnlessNeeded(TComponent* AComponent)
{
    if (AComponent == nullptr || !Linked(FFreeNotifies, AComponent, AComponent->FFreeNotifies, this)) return;
    if (LinksName(AComponent) || AComponent->LinksName(this)) return;
    if (Linked(FAskedNotifies, AComponent, AComponent->FAskedNotifies, this)) return;
    EraseLast(FFreeNotifies, AComponent);
    EraseLast(AComponent->FFreeNotifies, this);
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent == this) return;
    Pair(AComponent);
    if (!Linked(FAskedNotifies, AComponent, AComponent->FAskedNotifies, this)) {
        FAskedNotifies.push_back(AComponent);
        AComponent->FAskedNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (AComponent == nullptr) return;
    if (Linked(FAskedNotifies, AComponent, AComponent->FAskedNotifies, this)) {
        EraseLast(FAskedNotifies, AComponent);
        EraseLast(AComponent->FAskedNotifies, this);
    }
    UnpairUnlessNeeded(AComponent);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::SetLoadingState(bool Loading)
{
    if (Loading)
        FComponentState.Include(csLoading);
    else
        FComponentState.Exclude(csLoading);
}

void TComponent::SetReadingState(bool Reading)
{
    if (Reading)
        FComponentState.Include(csReading);
    else
        FComponentState.Exclude(csReading);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent != nullptr) RemoveFreeNotification(AComponent);
    // Owned components that hear the owner learn through it; the others have links where they need
    // them. Indexed on the live list: a handler may free components.
    for (size_t i = 0; i < FListeners.size(); ++i) FListeners[i]->Notify(AComponent, Operation);
}

void TComponent::Notify(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent != nullptr) {
        // Every link to the target is clear before any link's action runs, so an action sees no
        // link to a freed component.
        std::vector<TComponentLinkBase*> gone;
        for (TComponentLinkBase* link : FLinks) {
            if (link->FTarget != AComponent) continue;
            link->FTarget = nullptr;
            link->Reset();
            if (link->FOnGone) gone.push_back(link);
        }
        for (TComponentLinkBase* link : gone)
            if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->FOnGone();
    }
    Notification(AComponent, Operation);
}

TComponentLinkBase::TComponentLinkBase(TComponent* Holder, std::function<void()> OnGone) : FHolder(Holder), FOnGone(std::move(OnGone))
{
    FHolder->FLinks.push_back(this);
}

TComponentLinkBase::~TComponentLinkBase()
{
    auto& links = FHolder->FLinks;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
}

void TComponentLinkBase::Attach(TComponent* Value)
{
    if (Value == FTarget) return;
    TComponent* old = FTarget;
    FTarget = Value;
    // Another link, of either side, or a watch the holder or the target asked for may still need the
    // pair: it ends only when nothing does.
    FHolder->UnpairUnlessNeeded(old);
    if (Value != nullptr) Value->Pair(FHolder);
}

bool TComponentLinkBase::TargetDestroying() const
{
    return FTarget != nullptr && FTarget->ComponentState().Contains(csDestroying);
}
