// The form's main menu on the frame: one skin object per top-level item, laid out in the skin's main-menu
// area, and the keyboard mode in which Alt or F10, the arrows, Enter, Escape and the accelerators drive
// it (or drive a linked main-menu bar). Part of TskFormFrame (see TskFormFrame.h).
#include <algorithm>

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMainMenuBar.h"
#include "skin/form/TskSkinMainMenuItem.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupWindow.h"

namespace {

bool Usable(const TskSkinMainMenuItem* Item) { return Item->Enabled && Item->Visible; }

bool HasSubItems(const TskSkinMainMenuItem* Item) { return Item->MenuItem != nullptr && Item->MenuItem->Count() > 0; }

// Right opens the sub-menu of the current item of the deepest open window, when it has one.
bool OpensSubMenu(const TskSkinPopupWindow* Window)
{
    if (Window == nullptr) return false;
    const int at = Window->ActiveItem();
    return at >= 0 && at < Window->ItemCount() && Window->Items(at)->HasSubMenu();
}

} // namespace

// ---- The item objects ----

void TskFormFrame::SetMainMenuBar(TskSkinMainMenuBar* Value)
{
    if (FMainMenuBar == Value) return;
    FMainMenuBar = Value;
    if (Value != nullptr && Value->FormFrame() == nullptr) Value->SetFormFrame(this);
    // The bar shows the menu from now on; the frame's own items go.
    if (!Designing() && !Loading() && !MainMenuItems().empty()) RebuildMainMenuItems(true);
}

std::vector<TskSkinMainMenuItem*> TskFormFrame::MainMenuItems() const
{
    std::vector<TskSkinMainMenuItem*> items;
    for (const auto& o : FObjects)
        if (auto* item = dynamic_cast<TskSkinMainMenuItem*>(o.get())) items.push_back(item);
    return items;
}

void TskFormFrame::CreateMainMenuItems()
{
    // A linked bar shows the menu instead.
    if (FMainMenu == nullptr || FMainMenuBar != nullptr || !SkinUsable()) return;
    const int index = FSkinData->FindObjectIndex("MAINMENUITEM");
    if (index < 0) return;
    auto* data = dynamic_cast<TskDataSkinMainMenuItem*>(FSkinData->ObjectDataList[static_cast<std::size_t>(index)].get());
    if (data == nullptr) return;
    TMenuItem* root = FMainMenu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible()) continue;
        FObjects.push_back(std::make_unique<TskSkinMainMenuItem>(this, data, item));
        // The form need not own the item: Notification hears of it going only through this watch.
        item->FreeNotification(this);
    }
}

void TskFormFrame::RebuildMainMenuItems(bool Repaint)
{
    if (FMainMenuKeyboard) EndMainMenuKeyboardMode();
    // Indexes into the objects move with the items: nothing may point at one while they change.
    FActiveObject = FPreviousActiveObject = FPressedObject = -1;
    for (bool found = true; found;) {
        found = false;
        for (auto it = FObjects.begin(); it != FObjects.end(); ++it) {
            if (dynamic_cast<TskSkinMainMenuItem*>(it->get()) == nullptr) continue;
            FObjects.erase(it);
            found = true;
            break;
        }
    }
    CreateMainMenuItems();
    if (!Repaint || !FForm->HandleAllocated()) return;
    if (FSupportNCArea) {
        RepaintFrame();
    } else {
        TRect r = FLayout.MainMenuRect;
        InvalidateRect(FForm->Handle(), &r, FALSE);
    }
}

void TskFormFrame::PlaceMainMenuItems()
{
    const TRect& area = FLayout.MainMenuRect;
    int x = area.Left;
    for (TskSkinMainMenuItem* item : MainMenuItems()) {
        const int w = item->ItemWidth();
        item->ObjectRect = TRect{x, area.Top, x + w, area.Top + item->SkinRect.Height()};
        x += w;
        // An item past the end of the area is neither drawn nor reachable until the frame is wide enough.
        const bool fits = !area.IsEmpty() && item->ObjectRect.Right <= area.Right;
        if (fits == item->Visible) continue;
        item->Visible = fits;
        item->Enabled = fits && item->SavedEnabled;
        if (!fits) item->Active = false;
    }
}

// ---- Short cuts and accelerators ----

bool TskFormFrame::MainMenuAccelerator(WORD Key)
{
    if (FMainMenuBar != nullptr) return FMainMenuBar->AcceleratorKey(Key);
    for (TskSkinMainMenuItem* item : MainMenuItems()) {
        if (!Usable(item) || !IsAccel(Key, item->Caption())) continue;
        const bool menuOpen = FSkinMenu != nullptr && FSkinMenu->Active();
        const auto alive = FAlive.Watch();
        if (!HasSubItems(item)) {
            // A command runs at once; it is not left lit behind.
            if (item->Active && Objects(FActiveObject) != item) item->MouseLeave();
            if (!*alive) return true;
            item->MouseDown(0, 0, mbLeft);
            return true;
        }
        if (!item->Active) item->MouseEnter();
        if (!*alive) return true;
        // With a menu open, entering the item already moved the open menu to it.
        if (menuOpen && item->Down) return true;
        item->MouseDown(0, 0, mbLeft);
        return true;
    }
    return false;
}

TMainMenu* TskFormFrame::ShortCutMenu() const
{
    if (FMainMenuBar != nullptr && FMainMenuBar->MainMenu() != nullptr) return FMainMenuBar->MainMenu();
    return FMainMenu;
}

// ---- Moving along the items ----

void TskFormFrame::StepMainMenuItem(bool Forward)
{
    const std::vector<TskSkinMainMenuItem*> items = MainMenuItems();
    const int n = static_cast<int>(items.size());
    int current = -1;
    for (int i = 0; i < n && current < 0; ++i)
        if (items[static_cast<std::size_t>(i)]->Down) current = i;
    for (int i = 0; i < n && current < 0; ++i)
        if (items[static_cast<std::size_t>(i)]->Active) current = i;
    TskSkinMainMenuItem* to = nullptr;
    for (int step = 1; step <= n && to == nullptr; ++step) {
        // Without a current item the search starts before the first (after the last) one.
        const int from = current >= 0 ? current : (Forward ? -1 : n);
        const int i = ((from + (Forward ? step : -step)) % n + n) % n;
        if (i != current && Usable(items[static_cast<std::size_t>(i)])) to = items[static_cast<std::size_t>(i)];
    }
    if (to == nullptr) return;
    const auto alive = FAlive.Watch();
    // An open menu moves along with the item (the new item's MouseEnter releases the old one).
    if (current >= 0 && !items[static_cast<std::size_t>(current)]->Down) {
        items[static_cast<std::size_t>(current)]->MouseLeave();
        if (!*alive) return;
    }
    to->MouseEnter();
}

void TskFormFrame::NextMainMenuItem() { StepMainMenuItem(true); }

void TskFormFrame::PreviousMainMenuItem() { StepMainMenuItem(false); }

// ---- The keyboard mode ----

void TskFormFrame::BeginMainMenuMode()
{
    if (FMainMenuKeyboard || FDestroying) return;
    FMainMenuKeyboard = true;
    InstallMenuKeyboardHook();
    if (OnMainMenuEnter) OnMainMenuEnter(this);
}

void TskFormFrame::EnterMainMenuKeyboardMode()
{
    if (FMainMenuBar != nullptr) {
        FMainMenuBar->EnterKeyboardMode();
        return;
    }
    TskSkinMainMenuItem* first = nullptr;
    TskSkinMainMenuItem* active = nullptr;
    for (TskSkinMainMenuItem* item : MainMenuItems()) {
        if (!Usable(item)) continue;
        if (first == nullptr) first = item;
        if (active == nullptr && item->Active) active = item;
    }
    // A frame without a menu to drive takes no keys: the form keeps its keyboard.
    if (first == nullptr) return;
    const auto alive = FAlive.Watch();
    if (active == nullptr) first->MouseEnter();
    if (!*alive) return;
    BeginMainMenuMode();
}

void TskFormFrame::EndMainMenuKeyboardMode()
{
    if (!FMainMenuKeyboard) return;
    FMainMenuKeyboard = false;
    const auto alive = FAlive.Watch();
    if (FSkinMenu != nullptr && FSkinMenu->Active()) {
        FSkinMenu->HideAll();
        if (!*alive) return;
    }
    if (FMainMenuBar != nullptr) {
        FMainMenuBar->LeaveKeyboardMode();
    } else {
        // The item under the pointer keeps its light: the pointer is still on it.
        TskActiveSkinObject* hovered = Objects(FActiveObject);
        for (TskSkinMainMenuItem* item : MainMenuItems()) {
            if (item->Down) item->SetDown(false);
            if (item->Active && item != hovered) item->MouseLeave();
            if (!*alive) return;
        }
    }
    if (!FSkinMenuOpen) RemoveMenuKeyboardHook();
    if (OnMainMenuExit) OnMainMenuExit(this);
}

void TskFormFrame::CloseMainMenu(TskSkinMainMenuItem* Released)
{
    if (FMainMenuBar != nullptr) {
        FMainMenuBar->MenuClosed();
        return;
    }
    const std::vector<TskSkinMainMenuItem*> items = MainMenuItems();
    if (Released == nullptr || std::find(items.begin(), items.end(), Released) == items.end()) return;
    if (Released->Down) Released->SetDown(false);
    // The released item stays the lit one of the keyboard mode.
    Released->Active = true;
    Released->MorphIncrease = true;
    Released->MorphFactor = 1;
    RedrawSkinObject(Released);
}

void TskFormFrame::ExecuteMainMenuItem(bool& Pressed)
{
    Pressed = false;
    if (FMainMenuBar != nullptr) {
        Pressed = FMainMenuBar->ExecuteItem();
        return;
    }
    const bool menuOpen = FSkinMenu != nullptr && FSkinMenu->Active();
    for (TskSkinMainMenuItem* item : MainMenuItems()) {
        if (!item->Active || (HasSubItems(item) && menuOpen)) continue;
        Pressed = true;
        // An item that opens stays lit as the pressed one; a command goes dark before it runs.
        if (HasSubItems(item)) {
            item->Active = false;
        } else {
            const auto alive = FAlive.Watch();
            item->MouseLeave();
            if (!*alive) return;
        }
        item->MouseDown(0, 0, mbLeft);
        return;
    }
}

bool TskFormFrame::MainMenuKeyDown(WORD Key)
{
    // A child's menu keys go to the main form's frame first while that one has its menu open.
    if (FForm->FormStyle() == fsMDIChild && Application != nullptr) {
        TskFormFrame* main = FindSkinFormComponent(Application->MainForm());
        if (main != nullptr && main != this && (main->FMainMenuKeyboard || (main->FSkinMenu != nullptr && main->FSkinMenu->Active())))
            return main->MainMenuKeyDown(Key);
    }
    const auto alive = FAlive.Watch();
    if (FMainMenuKeyboard && MainMenuAccelerator(Key)) return true;
    if (!*alive) return true;
    TskSkinMenu* menu = FSkinMenu;
    const int windows = menu != nullptr ? menu->WindowCount() : 0;
    TskSkinPopupWindow* last = windows > 0 ? menu->Windows(windows - 1) : nullptr;
    if (FMainMenuKeyboard) {
        if (Key == VK_ESCAPE && last == nullptr) {
            EndMainMenuKeyboardMode();
            return true;
        }
        if (Key == VK_LEFT && windows <= 1) {
            if (FMainMenuBar != nullptr)
                FMainMenuBar->PreviousItem();
            else
                PreviousMainMenuItem();
            return true;
        }
        if (Key == VK_RIGHT && !OpensSubMenu(last)) {
            if (FMainMenuBar != nullptr)
                FMainMenuBar->NextItem();
            else
                NextMainMenuItem();
            return true;
        }
        if (Key == VK_RETURN || Key == VK_DOWN) {
            bool pressed = false;
            ExecuteMainMenuItem(pressed);
            if (pressed || !*alive) return true;
        }
    }
    if (last == nullptr || menu == nullptr) return true;
    TskSkinMainMenuItem* open = nullptr;
    for (TskSkinMainMenuItem* item : MainMenuItems())
        if (item->Down) open = item;
    // Escape keeps the keyboard mode: only the open menu goes.
    FKeepMenuMode = Key == VK_ESCAPE;
    menu->KeyDown(Key);
    if (!*alive) return true;
    FKeepMenuMode = false;
    if (Key == VK_ESCAPE && menu->WindowCount() == 0) {
        if (FMainMenuKeyboard)
            CloseMainMenu(open);
        else if (FSkinMenuOpen)
            CloseSkinMenuState();
    }
    return true;
}

// ---- The form's own menu ----

void TskFormFrame::TakeFormMenu()
{
    TMainMenu* menu = FForm->Menu();
    if (menu == nullptr) return;
    // The form's menu would be dropped without anything to show it: the frame shows it on the skin's
    // main-menu area when the skin draws menu items there, else in a main-menu bar at the top of the form.
    if (FMainMenuBar != nullptr) {
        if (FMainMenuBar->MainMenu() == nullptr) FMainMenuBar->SetMainMenu(menu);
    } else {
        if (FMainMenu == nullptr) SetMainMenu(menu);
        // An MDI child's menu is merged into the main form's bar, and its keys reach it there.
        const TskFormFrame* main = MainMDIFrame();
        const bool merged = main != nullptr && main->MainMenuBar() != nullptr;
        if (FMainMenu == menu && !CanShowMainMenu() && !merged) {
            auto* bar = new TskSkinMainMenuBar(FForm);
            bar->SetParent(FForm);
            bar->SetSkinData(FSkinData);
            bar->SetFormFrame(this);
            bar->SetMainMenu(menu);
            SetMainMenuBar(bar);
        }
    }
    FForm->SetMenu(nullptr);
}

bool TskFormFrame::CanShowMainMenu() const
{
    return SkinUsable() && FSkinData->FindObjectIndex("MAINMENUITEM") >= 0 && !FSkinData->MainMenuRect.IsEmpty();
}
