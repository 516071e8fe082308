#include "skin/form/TskSkinMenu.h"

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TTimer.h"
#include "platform/win/MessageQueue.h"
#include "platform/vcl/TWinControl.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinPopupWindow.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskSkinPopupWindow.h"

// ---- TskSkinMenuItem ----

TskSkinMenuItem::TskSkinMenuItem(TskSkinPopupWindow* AParent, TMenuItem* AMenuItem, TskDataSkinMenuItem* ASkinData,
    TBitmap* APicture)
    : Parent(AParent), SkinData(ASkinData), Picture(APicture), MenuItem(AMenuItem)
{
}

void TskSkinMenuItem::MouseEnter(bool ByKeyboard)
{
    TskSkinMenu* menu = Parent->SkinMenu();
    MouseIn = true;
    if (CanAnimate()) FrameIndex = 0;
    for (int i = 0; i < Parent->ItemCount(); ++i) {
        TskSkinMenuItem* other = Parent->Items(i);
        if (other != this && other->Down) {
            other->Down = false;
            other->Redraw();
        }
    }
    if (KeyboardSelected && !ByKeyboard) {
        Redraw();
    } else if (Down) {
        // Back on the item whose submenu is open: only what was opened deeper from that submenu closes.
        if (menu != nullptr) {
            const int at = menu->IndexOfWindow(Parent);
            if (at >= 0 && menu->WindowCount() - 1 - at >= 2) menu->Windows(at + 1)->ResetSubMenus();
        }
    } else {
        Redraw();
        if (menu != nullptr) menu->ItemAction(Parent, this, ByKeyboard, false);
        if (Parent->Released()) return;
    }
    if (Parent->Hint() != MenuItem->Hint()) Parent->SetHint(MenuItem->Hint());
}

void TskSkinMenuItem::MouseLeave()
{
    KeyboardSelected = false;
    MouseIn = false;
    if (CanAnimate() && SkinData != nullptr) FrameIndex = SkinData->FrameCount + 1;
    if (!Down) Redraw();
    TskSkinMenu* menu = Parent->SkinMenu();
    if (menu != nullptr && menu->PendingItem() == this) menu->StopSubMenuTimer();
}

void TskSkinMenuItem::Click()
{
    KeyboardSelected = false;
    TskSkinMenu* menu = Parent->SkinMenu();
    if (!Down && MenuItem->Enabled() && menu != nullptr) menu->ItemAction(Parent, this, false, true);
}

bool TskSkinMenuItem::CanMorph() const
{
    TskSkinData* skin = Parent->SkinData();
    return SkinData != nullptr && SkinData->Morphing && Parent->Skinned() && skin != nullptr &&
        skin->EnableSkinEffects();
}

bool TskSkinMenuItem::CanAnimate() const
{
    TskSkinData* skin = Parent->SkinData();
    return SkinData != nullptr && !SkinData->AnimateSkinRect.IsEmpty() && SkinData->FrameCount > 0 &&
        Parent->Skinned() && skin != nullptr && !skin->SkinEmpty && skin->EnableSkinEffects();
}

void TskSkinMenuItem::Redraw()
{
    if (Parent->Released()) return;
    if (CanAnimate()) {
        Parent->StartEffectTimer(SkinData->AnimateInterval > 0 ? static_cast<unsigned>(SkinData->AnimateInterval) : 1);
        if (!SkinData->InactiveAnimation && !MouseIn) {
            FrameIndex = 0;
            Parent->DrawItem(this);
        }
    } else if (CanMorph()) {
        Parent->StartEffectTimer(SkinMenuMorphInterval);
    } else {
        Parent->DrawItem(this);
    }
}

bool TskSkinMenuItem::ChangeMorphKf()
{
    if (!Visible) {
        // Scrolled out of sight: it will come back in its plain look.
        if (MorphKf != 0) {
            MouseIn = false;
            Down = false;
            MorphKf = 0;
        }
        return false;
    }
    if (Active()) return MorphKf < 1;
    return MorphKf > 0;
}

void TskSkinMenuItem::StepMorph()
{
    MorphKf += Active() ? SkinMenuMorphStep : -SkinMenuMorphStep;
    if (MorphKf < 0) MorphKf = 0;
    if (MorphKf > 1) MorphKf = 1;
    Parent->DrawItem(this);
}

// ---- TskSkinMenu ----

TskSkinMenu::TskSkinMenu(TComponent* AOwner, TWinControl* AForm)
    : TComponent(AOwner), FDefaultMenuItemFont(std::make_unique<TFont>())
{
    FSubMenuTimer = new TTimer(this);
    FSubMenuTimer->SetEnabled(false);
    FSubMenuTimer->SetInterval(SkinSubMenuDelay);
    FSubMenuTimer->OnTimer = [this](TObject* Sender) { SubMenuTimerTimer(Sender); };
    FDefaultMenuItemFont->SetName("Arial");
    FDefaultMenuItemFont->SetHeight(14);
    FForm = AForm;
}

TskSkinMenu::~TskSkinMenu()
{
    FAlive.End();
    StopWatchingInput();
    FSubMenuTimer->OnTimer = nullptr;
    FSubMenuTimer->SetEnabled(false);
    FPendingItem = nullptr;
    if (!FWindows.empty()) {
        // The windows go with the menu; the opening control still learns that its menu is gone.
        for (auto it = FWindows.rbegin(); it != FWindows.rend(); ++it) (*it)->Release();
        FWindows.clear();
        FActive = false;
        if (FPopupCtrl != nullptr) {
            TControl* ctrl = FPopupCtrl;
            SetPopupCtrl(nullptr);
            Deliver(ctrl, WM_CLOSESKINMENU);
        }
    }
    SetPopupCtrl(nullptr);
    SetLastPopupCtrl(nullptr);
}

void TskSkinMenu::SetDefaultMenuItemHeight(int Value)
{
    if (Value > 0) FDefaultMenuItemHeight = Value;
}

void TskSkinMenu::SetMaxMenuItemsInWindow(int Value)
{
    if (Value >= 0) FMaxMenuItemsInWindow = Value;
}


void TskSkinMenu::SkinDataGone()
{
    // The windows paint from that skin: they cannot outlive it.
    if (!FWindows.empty()) HideAll();
}

void TskSkinMenu::SetPopupCtrl(TControl* Value)
{
    if (Value == FPopupCtrl) return;
    FPopupCtrl = Value;
}

void TskSkinMenu::SetLastPopupCtrl(TControl* Value)
{
    if (Value == FLastPopupCtrl) return;
    FLastPopupCtrl = Value;
}

void TskSkinMenu::Deliver(TControl* Control, UINT Msg)
{
    if (Control == nullptr) return;
    auto* win = dynamic_cast<TWinControl*>(Control);
    if (win != nullptr && win->HandleAllocated())
        SendMessage(win->Handle(), Msg, 0, 0);
    else
        Control->Perform(Msg, 0, 0);
}

void TskSkinMenu::Popup(TControl* APopupCtrl, TskSkinData* ASkinData, int FirstIndex, const TRect& R,
    TMenuItem* Item, bool PopupToUp)
{
    std::vector<TMenuItem*> items;
    if (Item != nullptr)
        for (int i = 0; i < Item->Count(); ++i) items.push_back(Item->Items(i));
    OpenChain(APopupCtrl, ASkinData, FirstIndex, R, items, Item, PopupToUp);
}

void TskSkinMenu::PopupWithItems(TControl* APopupCtrl, TskSkinData* ASkinData, int FirstIndex, const TRect& R,
    TMenuItem* Item, TMenuItem* Item2, bool PopupToUp)
{
    std::vector<TMenuItem*> items;
    for (TMenuItem* list : {Item, Item2})
        if (list != nullptr)
            for (int i = 0; i < list->Count(); ++i) items.push_back(list->Items(i));
    OpenChain(APopupCtrl, ASkinData, FirstIndex, R, items, Item, PopupToUp);
}

void TskSkinMenu::PopupList(TControl* APopupCtrl, TskSkinData* ASkinData, const TRect& R,
    const std::vector<TMenuItem*>& Items, TMenuItem* RootItem, bool PopupToUp)
{
    OpenChain(APopupCtrl, ASkinData, 0, R, Items, RootItem, PopupToUp);
}

void TskSkinMenu::OpenChain(TControl* APopupCtrl, TskSkinData* ASkinData, int FirstIndex, const TRect& R,
    const std::vector<TMenuItem*>& Items, TMenuItem* RootItem, bool PopupToUp)
{
    TReleaseHold guard;
    // Taken before the earlier chain closes: a menu that replaces an open one does not fade in.
    FFirstWindow = !FActive;
    if (!FWindows.empty()) CloseFrom(0);
    SetPopupCtrl(APopupCtrl);
    if (FForm != nullptr && FForm->HandleAllocated())
        GetMonitorWorkArea(FForm->Handle(), true, FWorkArea);
    else
        GetScreenArea(true, FWorkArea);
    FSkinData = ASkinData;
    if (FirstIndex >= 0 && FirstIndex < static_cast<int>(Items.size())) {
        FActive = true;
        WatchInput();
        AddWindow(R, Items, RootItem, FirstIndex, false, PopupToUp);
        FFirstWindow = false;
    }
}

void TskSkinMenu::AddWindow(const TRect& R, const std::vector<TMenuItem*>& Items, TMenuItem* RootItem,
    int FirstIndex, bool IsSubMenu, bool PopupToUp)
{
    TskDataSkinPopupWindow* data = nullptr;
    if (FSkinData != nullptr && !FSkinData->SkinEmpty) data = FSkinData->PopupWindow.get();
    // Owned by the menu's chain, not by a component: the chain decides when a window may be freed.
    auto* window = new TskSkinPopupWindow(nullptr, data, this);
    FWindows.push_back(window);
    window->ShowItems(R, Items, RootItem, FirstIndex, IsSubMenu, PopupToUp);
}

void TskSkinMenu::CloseFrom(int Index)
{
    if (Index < 0) Index = 0;
    while (static_cast<int>(FWindows.size()) > Index) {
        TskSkinPopupWindow* w = FWindows.back();
        FWindows.pop_back();
        if (FPendingItem != nullptr && FPendingItem->Parent == w) StopSubMenuTimer();
        w->Release();
    }
    if (Index != 0) return;
    StopSubMenuTimer();
    StopWatchingInput();
    FActive = false;
    SetLastPopupCtrl(FPopupCtrl);
    if (FPopupCtrl != nullptr) {
        TControl* ctrl = FPopupCtrl;
        SetPopupCtrl(nullptr);
        const auto alive = FAlive.Watch();
        Deliver(ctrl, WM_CLOSESKINMENU);
        if (!*alive) return;
    }
    if (OnMenuClose) {
        // A handler set for one popup serves that popup only.
        TNotifyEvent handler = std::move(OnMenuClose);
        OnMenuClose = nullptr;
        handler(this);
    }
}

void TskSkinMenu::WatchInput()
{
    if (FInputHook != 0) return;
    FInputHook = AddMessageHook([this](TMsg& M) {
        if (!FActive || FWindows.empty()) return false;
        if (M.message == WM_KEYDOWN) {
            if (!FTakesKeys) return false;
            KeyDown(static_cast<WORD>(M.wParam));
            return true;
        }
        if (!IsMouseButtonPress(M.message)) return false;
        // The press still goes where it was aimed, as it does on the frame. The form's own window
        // closes the menu itself when the press reaches it (it may have to know which item was open).
        if (InChain(M.hwnd) || (FForm != nullptr && FForm->HandleAllocated() && M.hwnd == FForm->Handle()))
            return false;
        FClosingPress = {M.hwnd, M.message, M.lParam};
        HideAll();
        return false;
    });
}

void TskSkinMenu::StopWatchingInput()
{
    if (FInputHook == 0) return;
    RemoveMessageHook(FInputHook);
    FInputHook = 0;
}

bool TskSkinMenu::TakeClosingPress(HWND Window, UINT Msg, LPARAM LParam)
{
    const bool same = FClosingPress.Window == Window && FClosingPress.Msg == Msg && FClosingPress.LParam == LParam;
    FClosingPress = {};
    return same && Window != 0;
}

bool TskSkinMenu::InChain(HWND Window) const
{
    for (TskSkinPopupWindow* w : FWindows)
        if (w->HandleAllocated() && (w->Handle() == Window || IsChild(w->Handle(), Window))) return true;
    return false;
}

void TskSkinMenu::StopSubMenuTimer()
{
    FSubMenuTimer->SetEnabled(false);
    FPendingItem = nullptr;
}

void TskSkinMenu::HideAll()
{
    TReleaseHold guard;
    const auto alive = FAlive.Watch();
    CloseFrom(0);
    if (!*alive) return;
    StopSubMenuTimer();
    if (FForm != nullptr && FForm->HandleAllocated()) SendMessage(FForm->Handle(), WM_CLOSESKINMENU, 0, 0);
    if (!*alive) return;
    if (FPopupCtrl != nullptr) {
        TControl* ctrl = FPopupCtrl;
        SetPopupCtrl(nullptr);
        Deliver(ctrl, WM_CLOSESKINMENU);
    }
}

int TskSkinMenu::IndexOfWindow(const TskSkinPopupWindow* Window) const
{
    for (std::size_t i = 0; i < FWindows.size(); ++i)
        if (FWindows[i] == Window) return static_cast<int>(i);
    return -1;
}

void TskSkinMenu::KeyDown(WORD Key)
{
    TReleaseHold guard;
    if (FWindows.empty()) return;
    FWindows.back()->KeyDown(Key);
}

void TskSkinMenu::ItemAction(TskSkinPopupWindow* Window, TskSkinMenuItem* Item, bool ByKeyboard, bool Click)
{
    TReleaseHold guard;
    const int at = IndexOfWindow(Window);
    if (at < 0) return;
    if (!Item->HasSubMenu()) {
        StopSubMenuTimer();
        if (!Click) {
            CloseFrom(at + 1);
            return;
        }
        // Everything the click needs is taken before the chain (and with it Item) goes.
        TMenuItem* chosen = Item->MenuItem;
        const auto alive = FAlive.Watch();
        HideAll();
        if (!*alive) return;
        chosen->Click();
        if (!*alive) return;
        if (FLastPopupCtrl != nullptr) Deliver(FLastPopupCtrl, WM_AFTERSKINMENUCLICK);
        return;
    }
    if (!Click) {
        // The keyboard opens a submenu only with Right or Enter.
        if (ByKeyboard) return;
        StopSubMenuTimer();
        CloseFrom(at + 1);
        FPendingItem = Item;
        FSubMenuTimer->SetEnabled(false);
        FSubMenuTimer->SetEnabled(true);
        return;
    }
    // The command runs first, so that its handler can fill the submenu.
    const auto alive = FAlive.Watch();
    Item->MenuItem->Click();
    if (!*alive || IndexOfWindow(Window) < 0 || Window->IndexOfItem(Item) < 0) return;
    StopSubMenuTimer();
    if (!Item->HasSubMenu()) return;
    Item->Down = true;
    TRect r = Item->ObjectRect;
    const TPoint org = Window->WindowPos();
    OffsetRect(r, org.X, org.Y);
    std::vector<TMenuItem*> items;
    for (int i = 0; i < Item->MenuItem->Count(); ++i) items.push_back(Item->MenuItem->Items(i));
    AddWindow(r, items, Item->MenuItem, 0, true, false);
}

void TskSkinMenu::SubMenuTimerTimer(TObject*)
{
    TReleaseHold guard;
    TskSkinMenuItem* item = FPendingItem;
    StopSubMenuTimer();
    if (item == nullptr || IndexOfWindow(item->Parent) < 0) return;
    ItemAction(item->Parent, item, false, true);
}

bool IsMenuClosingMessage(UINT Msg)
{
    switch (Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_PARENTNOTIFY:
        return true;
    default:
        return IsMouseButtonPress(Msg);
    }
}
