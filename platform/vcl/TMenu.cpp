#include "platform/vcl/TMenu.h"

#include <algorithm>

#include "platform/rtl/Strings.h"
#include "platform/vcl/TAction.h"
#include "platform/vcl/TControl.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"
#include "platform/win/Messages.h"

namespace {
std::string KeyName(WORD key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F12) return "F" + IntToStr(key - VK_F1 + 1);
    switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    default: return "";
    }
}
} // namespace

TShortCut ShortCut(WORD Key, bool Shift, bool Ctrl, bool Alt)
{
    TShortCut s = static_cast<TShortCut>(Key & 0xFF);
    if (Shift) s |= scShift;
    if (Ctrl) s |= scCtrl;
    if (Alt) s |= scAlt;
    return s;
}

std::string ShortCutToText(TShortCut ShortCut)
{
    std::string name = KeyName(static_cast<WORD>(ShortCut & 0xFF));
    if (name.empty()) return "";
    std::string prefix;
    if (ShortCut & scShift) prefix += "Shift+";
    if (ShortCut & scCtrl) prefix += "Ctrl+";
    if (ShortCut & scAlt) prefix += "Alt+";
    return prefix + name;
}

// ---- TMenuItem ----

namespace {

// Carries every change of an action over to its menu item.
class TMenuActionLink : public TBasicActionLink {
public:
    explicit TMenuActionLink(TMenuItem* Item) : TBasicActionLink(Item), FItem(Item) {}
    void SetCaption(const std::string& Value) override { FItem->SetCaption(Value); }
    void SetChecked(bool Value) override { FItem->SetChecked(Value); }
    void SetEnabled(bool Value) override { FItem->SetEnabled(Value); }
    void SetVisible(bool Value) override { FItem->SetVisible(Value); }
    void SetHint(const std::string& Value) override { FItem->SetHint(Value); }
    void SetImageIndex(int Value) override { FItem->SetImageIndex(Value); }
    void SetShortCut(WORD Value) override { FItem->SetShortCut(Value); }

private:
    TMenuItem* FItem;
};

} // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value)
{
    if (Value == Action()) return;
    if (Value == nullptr) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = std::make_unique<TMenuActionLink>(this);
    FActionLink->SetAction(Value);
}

void TMenuItem::InitiateAction()
{
    if (FActionLink) FActionLink->Update();
}

void TMenuItem::RethinkLines()
{
    // A separator shows only between two visible items that are not separators.
    TMenuItem* pendingLine = nullptr;
    bool itemBefore = false;
    for (TMenuItem* item : FItems) {
        if (item->IsLine()) {
            if (pendingLine != nullptr || !itemBefore) {
                item->SetVisible(false);
                continue;
            }
            pendingLine = item;
            continue;
        }
        if (!item->Visible()) continue;
        if (pendingLine != nullptr) pendingLine->SetVisible(true);
        pendingLine = nullptr;
        itemBefore = true;
    }
    if (pendingLine != nullptr) pendingLine->SetVisible(false);
}

TMenuItem::~TMenuItem()
{
    while (!FItems.empty()) {
        TMenuItem* last = FItems.back();
        FItems.pop_back();
        last->FParent = nullptr;
        // Sub-items owned by someone else (the form) are freed by their owner.
        if (last->Owner() == nullptr) last->Free();
    }
    if (FParent != nullptr) FParent->Remove(this);
}

void TMenuItem::Changed()
{
    if (TMenu* m = GetParentMenu()) m->MenuChanged();
}

void TMenuItem::SetCaption(const std::string& Value)
{
    if (Value == FCaption) return;
    FCaption = Value;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    if (Value == FShortCut) return;
    FShortCut = Value;
    Changed();
}

void TMenuItem::SetChecked(bool Value)
{
    if (Value == FChecked) return;
    FChecked = Value;
    // Radio items of one group: one checked at a time.
    if (Value && FRadioItem && FParent != nullptr)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) sibling->FChecked = false;
    Changed();
}

void TMenuItem::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    Changed();
}

void TMenuItem::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    Changed();
}

void TMenuItem::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Changed();
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (Item == nullptr) return;
    if (Item->FParent != nullptr) throw EInvalidOperation("Menu inserted twice");
    Index = std::max(0, std::min(Index, Count()));
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* Item)
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    Item->FParent = nullptr;
    Changed();
}

void TMenuItem::Delete(int Index)
{
    TMenuItem* item = Items(Index);
    Remove(item);
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) Items(Count() - 1)->Free();
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const
{
    std::string wanted = StringReplace(ACaption, "&", "", {rfReplaceAll});
    for (TMenuItem* i : FItems)
        if (SameText(StringReplace(i->FCaption, "&", "", {rfReplaceAll}), wanted)) return i;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* i = this;
    while (i->FParent != nullptr) i = i->FParent;
    return i->FMenu;
}

void TMenuItem::Click()
{
    if (!FEnabled) return;
    if (FAutoCheck) SetChecked(!FChecked);
    if (OnClick)
        OnClick(this);
    else if (FActionLink)
        FActionLink->Execute(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (FParent != nullptr && FParent->FMenu != nullptr) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value)
{
    if (FParent != nullptr) FParent->Remove(this);
    if (auto* m = dynamic_cast<TMenu*>(Value))
        m->Items()->Add(this);
    else if (auto* i = dynamic_cast<TMenuItem*>(Value))
        i->Add(this);
}

// ---- TMenu ----

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu()
{
    // Items owned by the form are freed by the form; detach them so that nothing points back here.
    FItems->FMenu = nullptr;
    FItems->Free();
}

void TMenu::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages != nullptr) static_cast<TComponent*>(FImages)->RemoveFreeNotification(this);
    FImages = Value;
    if (Value != nullptr) static_cast<TComponent*>(Value)->FreeNotification(this);
    MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && static_cast<TComponent*>(FImages) == AComponent) FImages = nullptr;
}

void TMenu::MenuChanged()
{
    if (OnChange && !ComponentState().Contains(csDestroying)) OnChange(this);
}

static TMenuItem* FindIn(TMenuItem* parent, TShortCut s)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (item->ShortCut() == s && item->Visible()) return item;
        if (TMenuItem* sub = FindIn(item, s)) return sub;
    }
    return nullptr;
}

TMenuItem* TMenu::FindItem(TShortCut ShortCut) const { return ShortCut == 0 ? nullptr : FindIn(FItems, ShortCut); }

bool TMenu::IsShortCut(TShortCut ShortCut)
{
    TMenuItem* item = FindItem(ShortCut);
    if (item == nullptr || !item->Enabled()) return false;
    item->Click();
    return true;
}

// ---- TPopupMenu ----

void TPopupMenu::Popup(int X, int Y)
{
    PopupPoint = Point(X, Y);
    if (OnPopup) OnPopup(this);
}

void TPopupMenu::PopupFromRect(TControl* Control, const TRect& R, bool)
{
    SetPopupComponent(Control);
    Popup(R.Left, R.Bottom);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void RegisterMenuClasses()
{
    static const bool done = [] {
        RegisterComponentClasses();
        RegisterEnum<TPopupAlignment>({"paLeft", "paRight", "paCenter"});
        RegisterClass<TMenuItem, TComponent>("TMenuItem")
            .Prop("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, false)
            .Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
            .Prop("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false)
            .Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
            .Prop("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0)
            .Prop("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Prop("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1)
            .Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
            .Prop("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0)
            .Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
            .Prop("Action", &TMenuItem::Action, &TMenuItem::SetAction)
            .Event("OnClick", &TMenuItem::OnClick)
            .Ignored({"Break", "HelpContext", "SubMenuImages", "OnDrawItem", "OnAdvancedDrawItem", "OnMeasureItem"});
        RegisterEnum<TMenuAutoFlag>({"maAutomatic", "maManual", "maParent"});
        RegisterClass<TMenu, TComponent>("TMenu")
            .Prop("Images", &TMenu::Images, &TMenu::SetImages)
            .Prop("AutoLineReduction", &TMenu::AutoLineReduction, &TMenu::SetAutoLineReduction, maAutomatic)
            .Ignored({"AutoHotkeys", "BiDiMode", "OwnerDraw", "ParentBiDiMode"});
        RegisterClass<TMainMenu, TMenu>("TMainMenu").Ignored({"AutoMerge"});
        RegisterClass<TPopupMenu, TMenu>("TPopupMenu")
            .Prop("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment, paLeft)
            .Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
            .Event("OnPopup", &TPopupMenu::OnPopup)
            .Ignored({"HelpContext", "MenuAnimation", "TrackButton"});
        return true;
    }();
    (void)done;
}
