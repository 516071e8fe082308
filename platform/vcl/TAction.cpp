#include "platform/vcl/TAction.h"

#include <algorithm>

#include "platform/rtl/Strings.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

// ---- TBasicAction ----

TBasicAction::~TBasicAction()
{
    // Clients keep their last values; they only lose the link.
    while (!FClients.empty()) {
        TBasicActionLink* link = FClients.back();
        FClients.pop_back();
        link->FAction = nullptr;
        if (link->OnChange) link->OnChange(this);
    }
}

bool TBasicAction::Execute()
{
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link)
{
    if (std::find(FClients.begin(), FClients.end(), Link) == FClients.end()) FClients.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) { FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end()); }

// ---- TCustomAction ----

void TCustomAction::SetCaption(const std::string& Value)
{
    if (Value == FCaption) return;
    FCaption = Value;
    for (auto* l : FClients) l->SetCaption(Value);
}

void TCustomAction::SetChecked(bool Value)
{
    if (Value == FChecked) return;
    FChecked = Value;
    for (auto* l : FClients) l->SetChecked(Value);
    // Actions of one group: one checked at a time.
    if (Value && FGroupIndex > 0 && Owner() != nullptr)
        for (int i = 0; i < Owner()->ComponentCount(); ++i)
            if (auto* other = dynamic_cast<TCustomAction*>(Owner()->Components(i)); other != nullptr && other != this && other->FGroupIndex == FGroupIndex)
                other->SetChecked(false);
}

void TCustomAction::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    for (auto* l : FClients) l->SetEnabled(Value);
}

void TCustomAction::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    for (auto* l : FClients) l->SetVisible(Value);
}

void TCustomAction::SetHint(const std::string& Value)
{
    if (Value == FHint) return;
    FHint = Value;
    for (auto* l : FClients) l->SetHint(Value);
}

void TCustomAction::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    for (auto* l : FClients) l->SetImageIndex(Value);
}

void TCustomAction::SetShortCut(WORD Value)
{
    if (Value == FShortCut) return;
    FShortCut = Value;
    for (auto* l : FClients) l->SetShortCut(Value);
}

bool TCustomAction::Execute()
{
    Update();
    if (!FEnabled) return false;
    if (FAutoCheck) SetChecked(!FChecked);
    return TBasicAction::Execute();
}

// ---- TBasicActionLink ----

TBasicActionLink::~TBasicActionLink()
{
    if (FAction != nullptr) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value)
{
    if (Value == FAction) return;
    if (FAction != nullptr) FAction->UnRegisterChanges(this);
    FAction = Value;
    if (Value == nullptr) return;
    Value->RegisterChanges(this);
    if (auto* a = dynamic_cast<TCustomAction*>(Value)) {
        SetCaption(a->Caption());
        SetChecked(a->Checked());
        SetEnabled(a->Enabled());
        SetVisible(a->Visible());
        SetHint(a->Hint());
        SetImageIndex(a->ImageIndex());
        SetShortCut(a->ShortCut());
    }
}

bool TBasicActionLink::Execute(TComponent* AComponent)
{
    if (FAction == nullptr) return false;
    FAction->SetActionComponent(AComponent);
    bool ran = false;
    try {
        ran = FAction->Execute();
    } catch (...) {
        if (FAction != nullptr) FAction->SetActionComponent(nullptr);
        throw;
    }
    if (FAction != nullptr) FAction->SetActionComponent(nullptr);
    return ran;
}

bool TBasicActionLink::Update() { return FAction != nullptr && FAction->Update(); }

// ---- TActionList ----

void TActionList::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    FImages = Value;
}

void TActionList::AddAction(TBasicAction* Action)
{
    if (Action == nullptr || std::find(FActions.begin(), FActions.end(), Action) != FActions.end()) return;
    FActions.push_back(Action);
    Action->FreeNotification(this);
}

TBasicAction* TActionList::Actions(int Index) const
{
    if (Index < 0 || Index >= ActionCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FActions[static_cast<size_t>(Index)];
}

bool TActionList::IsShortCut(WORD ShortCut)
{
    for (TBasicAction* a : FActions)
        if (auto* ca = dynamic_cast<TCustomAction*>(a); ca != nullptr && ShortCut != 0 && ca->ShortCut() == ShortCut && ca->Enabled()) return ca->Execute();
    return false;
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FActions.erase(std::remove(FActions.begin(), FActions.end(), AComponent), FActions.end());
}

void RegisterActionClasses()
{
    static const bool done = [] {
        RegisterImageListClasses();
        RegisterClass<TBasicAction, TComponent>("TBasicAction").Event("OnExecute", &TBasicAction::OnExecute).Event("OnUpdate", &TBasicAction::OnUpdate);
        RegisterClass<TCustomAction, TBasicAction>("TCustomAction")
            .Prop("AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck, false)
            .Prop("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption)
            .Prop("Category", &TCustomAction::Category, &TCustomAction::SetCategory)
            .Prop("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked, false)
            .Prop("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled, true)
            .Prop("GroupIndex", &TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex, 0)
            .Prop("Hint", &TCustomAction::Hint, &TCustomAction::SetHint)
            .Prop("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex, -1)
            .Prop("ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut, 0)
            .Prop("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible, true)
            .Ignored({"HelpContext", "HelpKeyword", "HelpType", "SecondaryShortCuts"});
        RegisterClass<TAction, TCustomAction>("TAction");
        RegisterClass<TActionList, TComponent>("TActionList").Prop("Images", &TActionList::Images, &TActionList::SetImages).Ignored({"State", "OnChange", "OnExecute", "OnUpdate"});
        return true;
    }();
    (void)done;
}
