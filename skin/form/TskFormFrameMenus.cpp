// The frame's caption buttons (which are offered, their hints and their place), its system menu, and the
// keyboard it takes: the form's short cuts and the keys of an open skin menu. Part of TskFormFrame (see
// TskFormFrame.h).
#include <algorithm>

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "platform/win/Input.h"
#include "platform/win/MdiClient.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "skin/data/SkinEntryWords.h"
#include "skin/data/SkinStrings.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/SkinButtonObjects.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMainMenuBar.h"
#include "skin/form/TskSkinMenu.h"

namespace {

// The command of an object that is a caption button: a std button's, or an animate object's when it
// carries one. -1 for every other object.
int CaptionCommand(const TskActiveSkinObject* O)
{
    if (auto* b = dynamic_cast<const TskSkinStdButtonObject*>(O)) return b->Command;
    if (auto* a = dynamic_cast<const TskSkinAnimateObject*>(O); a != nullptr && a->Command != cmDefault) return a->Command;
    return -1;
}

struct TCaptionButtonDef {
    int Command;
    const char* Name;
    const char* HintKey;
};

// The default buttons in the order they are made.
constexpr TCaptionButtonDef DefaultButtons[] = {
    {cmClose, "closebutton", "CLOSEBUTTON_HINT"},
    {cmMaximize, "maxbutton", "MAXBUTTON_HINT"},
    {cmMinimize, "minbutton", "MINBUTTON_HINT"},
    {cmRollUp, "rollupbutton", "ROLLUPBUTTON_HINT"},
    {cmSysMenu, "sysmenubutton", "MENUBUTTON_HINT"},
    {cmMinimizeToTray, "traybutton", "TRAYBUTTON_HINT"},
};

const char* HintKeyOf(int Command)
{
    for (const auto& d : DefaultButtons)
        if (d.Command == Command) return d.HintKey;
    return nullptr;
}

// The order in which buttons are lined up from the outer edge of the buttons area.
constexpr int ButtonRowOrder[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray};

// The names of the frame's own system-menu items: a user menu gets them back out before they are
// added again for the window's state.
constexpr const char* FrameItemNames[] = {"SKF_MINITEM", "SKF_MAXITEM", "SKF_CLOSE", "SKF_MINTOTRAY", "SKF_ROLLUP", "SKF_RESTORE"};

bool IsFrameItem(const TMenuItem* Item)
{
    return std::any_of(std::begin(FrameItemNames), std::end(FrameItemNames),
        [&](const char* n) { return Item->Name() == n; });
}

} // namespace

// ---- Caption buttons ----

void TskFormFrame::CreateDefaultCaptionButtons()
{
    ClearSkinObjects();
    for (const auto& d : DefaultButtons) {
        auto button = std::make_unique<TskSkinStdButtonObject>(this, nullptr);
        button->IDName = d.Name;
        button->Command = d.Command;
        button->ObjectRect = TRect{0, 0, 1, 1};
        button->HideWhenDisabled = true;
        FObjects.push_back(std::move(button));
    }
    LoadCaptionButtonHints();
    UpdateCaptionButtons();
}

void TskFormFrame::UpdateCaptionButtons()
{
    for (const auto& o : FObjects) {
        const int command = CaptionCommand(o.get());
        if (command < 0) continue;
        if (FHideCaptionButtons) {
            o->Enabled = false;
            if (o->HideWhenDisabled) o->Visible = false;
            continue;
        }
        bool enabled = true;
        switch (command) {
        case cmMaximize: enabled = FBorderIcons.Contains(TskBorderIcon::biMaximize); break;
        case cmMinimize: enabled = FBorderIcons.Contains(TskBorderIcon::biMinimize); break;
        case cmSysMenu: enabled = FBorderIcons.Contains(TskBorderIcon::biSystemMenu) && !FDisableSystemMenu; break;
        case cmRollUp: enabled = FBorderIcons.Contains(TskBorderIcon::biRollUp); break;
        case cmMinimizeToTray: enabled = FBorderIcons.Contains(TskBorderIcon::biMinimizeToTray); break;
        case cmDefault: {
            // A custom button exists only when the form's handler wants it.
            bool visible = false;
            if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, visible);
            o->Visible = visible;
            enabled = visible;
            break;
        }
        default: break;
        }
        o->Enabled = enabled;
        if (o->HideWhenDisabled) o->Visible = enabled;
        // A button disabled under the pointer must not stay lit.
        if (!enabled) o->Active = false;
    }
}

void TskFormFrame::LoadCaptionButtonHints()
{
    TskSkinData* strings = FSkinData;
    const std::string restore = SkinResString(strings, "RESTORE_HINT");
    for (const auto& o : FObjects) {
        const int command = CaptionCommand(o.get());
        const char* key = command >= 0 ? HintKeyOf(command) : nullptr;
        if (key == nullptr) continue;
        auto* std = dynamic_cast<TskSkinStdButtonObject*>(o.get());
        auto* anim = dynamic_cast<TskSkinAnimateObject*>(o.get());
        std::string& normal = std != nullptr ? std->NormalHint : anim->NormalHint;
        std::string& restoreHint = std != nullptr ? std->RestoreHint : anim->RestoreHint;
        // The skin entry's own hint stays unless the standard texts are asked for.
        if (FUseDefaultObjectHint || normal.empty()) normal = SkinResString(strings, key);
        if (FUseDefaultObjectHint || restoreHint.empty()) restoreHint = restore;
        o->Hint = normal;
    }
    UpdateTrayMenuCaptions();
}

void TskFormFrame::LayoutDefaultButtons()
{
    const int w = FWidth > 0 ? FWidth : FForm->Width();
    const int captionHeight = DefaultCaptionHeight();
    const bool tool = captionHeight == ::DefaultToolCaptionHeight;
    const int size = tool ? DefaultToolCaptionButtonSize : DefaultCaptionButtonSize;
    TRect caption = DefaultFrameCaptionRect(w, captionHeight);
    auto usable = [](const TskActiveSkinObject* o) { return o->Visible && o->Enabled; };
    for (int command : ButtonRowOrder) {
        for (const auto& o : FObjects) {
            if (CaptionCommand(o.get()) != command || !usable(o.get())) continue;
            o->ObjectRect = TRect{caption.Right - size, caption.Top, caption.Right, caption.Top + size};
            caption.Right -= size;
        }
    }
    for (const auto& o : FObjects) {
        if (CaptionCommand(o.get()) != cmSysMenu || !usable(o.get())) continue;
        const TSize box = FShowIcon ? SmallIconSize() : TSize{size, size};
        o->ObjectRect = TRect{caption.Left, caption.Top, caption.Left + box.cx, caption.Top + box.cy};
        caption.Left += box.cx;
        break;
    }
    caption.Right = std::max(caption.Right, caption.Left);
    FDefaultCaptionRect = caption;
}

void TskFormFrame::PlaceCaptionButtons()
{
    // Only a skin that names both a caption and a button area has its buttons lined up.
    if (!FSupportNCArea || FSkinData == nullptr || FSkinData->CaptionRect.IsEmpty() || FSkinData->ButtonsRect.IsEmpty())
        return;
    const TRect area = FLayout.ButtonsRect;
    const int offset = FLayout.ButtonsOffset;
    // From the skin's caption at this size again, so that placing twice gives the same.
    FLayout.CaptionRect = FSkinData->CaptionRect;
    FLayout.CaptionRect.Right += FLayout.Dx;
    const bool fromLeft = FLayout.ButtonsInLeft;
    int edge = fromLeft ? area.Left : area.Right;
    bool placed = false;
    auto place = [&](TskActiveSkinObject* o) {
        const int w = o->SkinRect.Width();
        const int h = o->SkinRect.Height();
        if (fromLeft) {
            o->ObjectRect = TRect{edge, area.Top, edge + w, area.Top + h};
            edge += w + offset;
        } else {
            o->ObjectRect = TRect{edge - w, area.Top, edge, area.Top + h};
            edge -= w + offset;
        }
        placed = true;
    };
    for (int command : ButtonRowOrder)
        for (const auto& o : FObjects)
            if (o->Visible && CaptionCommand(o.get()) == command) place(o.get());
    for (const auto& o : FObjects)
        if (o->Visible && dynamic_cast<TskSkinStdButtonObject*>(o.get()) != nullptr && CaptionCommand(o.get()) == cmDefault)
            place(o.get());
    // The caption ends where the buttons begin; the system-menu button opens it on the other side.
    if (placed) {
        if (fromLeft)
            FLayout.CaptionRect.Left = std::max(FLayout.CaptionRect.Left, edge);
        else
            FLayout.CaptionRect.Right = std::min(FLayout.CaptionRect.Right, edge);
    }
    for (const auto& o : FObjects) {
        if (!o->Visible || CaptionCommand(o.get()) != cmSysMenu) continue;
        const TRect& c = FLayout.CaptionRect;
        const TSize icon = SmallIconSize();
        const int w = FShowIcon ? icon.cx : o->SkinRect.Width();
        const int h = FShowIcon ? icon.cy : o->SkinRect.Height();
        const int top = c.Top + (c.Height() - h) / 2;
        o->ObjectRect = TRect{c.Left, top, c.Left + w, top + h};
        FLayout.CaptionRect.Left = c.Left + w;
        break;
    }
}

void TskFormFrame::CaptionButtonsChanged()
{
    if (Designing() || Loading()) return;
    UpdateCaptionButtons();
    RepaintFrame();
}

void TskFormFrame::SetBorderIcons(TskBorderIcons Value)
{
    if (FBorderIcons == Value) return;
    FBorderIcons = Value;
    CaptionButtonsChanged();
}

void TskFormFrame::SetHideCaptionButtons(bool Value)
{
    if (FHideCaptionButtons == Value) return;
    FHideCaptionButtons = Value;
    CaptionButtonsChanged();
}

void TskFormFrame::SetDisableSystemMenu(bool Value)
{
    if (FDisableSystemMenu == Value) return;
    FDisableSystemMenu = Value;
    CaptionButtonsChanged();
}

void TskFormFrame::SetUseDefaultObjectHint(bool Value)
{
    if (FUseDefaultObjectHint == Value) return;
    FUseDefaultObjectHint = Value;
    if (!Designing() && !Loading()) LoadCaptionButtonHints();
}

// ---- The system menu ----

bool TskFormFrame::OffersMinimize() const { return !Minimized() && FBorderIcons.Contains(TskBorderIcon::biMinimize); }

bool TskFormFrame::OffersMaximize() const { return !Maximized() && FBorderIcons.Contains(TskBorderIcon::biMaximize); }

bool TskFormFrame::OffersRestore() const { return FWindowState != FrameStateNormal || FRolledUp; }

bool TskFormFrame::OffersRollUp() const
{
    const bool maximizedChild = FForm->FormStyle() == fsMDIChild && Maximized();
    return !maximizedChild && !FRolledUp && !Minimized() && FBorderIcons.Contains(TskBorderIcon::biRollUp);
}

TMenuItem* TskFormFrame::MakeSystemMenuItem(const std::string& Name, const std::string& CaptionKey, std::function<void()> Action)
{
    // Owned by the menu item it is added to: freed with it, or by whoever takes it out.
    auto* item = new TMenuItem(nullptr);
    item->SetName(Name);
    item->SetCaption(SkinResString(FSkinData, CaptionKey));
    item->OnClick = [Action = std::move(Action)](TObject*) { Action(); };
    return item;
}

void TskFormFrame::BuildDefaultSystemMenu()
{
    TMenuItem* root = FDefaultSystemMenu->Items();
    root->Clear();
    const auto alive = FAlive.Watch();
    // The handlers run after the menu has closed; the frame may be gone by then.
    auto act = [this, alive](auto F) { return [this, alive, F]() { if (*alive) F(this); }; };
    if (OffersMinimize())
        root->Add(MakeSystemMenuItem("SKF_MINITEM", "MI_MINCAPTION", act([](TskFormFrame* f) {
            if (f->AlwaysMinimizeToTray())
                f->MinimizeToTray();
            else
                f->SetFrameWindowState(FrameStateMinimized);
        })));
    if (OffersMaximize())
        root->Add(MakeSystemMenuItem("SKF_MAXITEM", "MI_MAXCAPTION", act([](TskFormFrame* f) { f->SetFrameWindowState(FrameStateMaximized); })));
    if (OffersRestore())
        root->Add(MakeSystemMenuItem("SKF_RESTORE", "MI_RESTORECAPTION", act([](TskFormFrame* f) { f->RestoreCommand(); })));
    if (OffersRollUp())
        root->Add(MakeSystemMenuItem("SKF_ROLLUP", "MI_ROLLUPCAPTION", act([](TskFormFrame* f) { f->RollUpFrame(true); })));
    if (FBorderIcons.Contains(TskBorderIcon::biMinimizeToTray))
        root->Add(MakeSystemMenuItem("SKF_MINTOTRAY", "MI_MINTOTRAYCAPTION", act([](TskFormFrame* f) { f->MinimizeToTray(); })));
    if (root->Count() > 0) {
        auto* line = new TMenuItem(nullptr);
        line->SetCaption("-");
        root->Add(line);
    }
    root->Add(MakeSystemMenuItem("SKF_CLOSE", "MI_CLOSECAPTION", act([](TskFormFrame* f) {
        // Closing may free the form and this frame with it: nothing is touched afterwards.
        TCustomForm* form = f->Form();
        form->Close();
    })));
    const bool child = FForm->FormStyle() == fsMDIChild;
    root->Items(root->Count() - 1)->SetShortCut(ShortCut(VK_F4, false, child, !child));
}

void TskFormFrame::UpdateSystemMenu()
{
    if (!FUseDefaultSysMenu) return;
    TMenuItem* root = FSystemMenu->Items();
    // Out with every item of ours an earlier opening added; the user's own items stay.
    for (bool found = true; found;) {
        found = false;
        for (int i = 0; i < root->Count(); ++i) {
            TMenuItem* item = root->Items(i);
            if (!IsFrameItem(item)) continue;
            root->Remove(item);
            item->Free();
            found = true;
            break;
        }
    }
    // The frame's own menu is made for the state, then its items move over: the window commands to the
    // top (minimize, restore, maximize, roll up, minimize to tray), close to the end.
    BuildDefaultSystemMenu();
    TMenuItem* own = FDefaultSystemMenu->Items();
    int at = 0;
    for (const char* name : {"SKF_MINITEM", "SKF_RESTORE", "SKF_MAXITEM", "SKF_ROLLUP", "SKF_MINTOTRAY", "SKF_CLOSE"}) {
        for (int i = 0; i < own->Count(); ++i) {
            TMenuItem* item = own->Items(i);
            if (item->Name() != name) continue;
            own->Remove(item);
            if (item->Name() == "SKF_CLOSE")
                root->Add(item);
            else
                root->Insert(at++, item);
            break;
        }
    }
    // The separator stays behind.
    own->Clear();
}

TMenuItem* TskFormFrame::GetSystemMenuItems()
{
    if (FSystemMenu == nullptr) {
        BuildDefaultSystemMenu();
        return FDefaultSystemMenu->Items();
    }
    UpdateSystemMenu();
    return FSystemMenu->Items();
}

void TskFormFrame::PopupSystemMenu(const TRect& R)
{
    // An MDI child shows the main form's menu, in that form's skin.
    TskFormFrame* frame = this;
    if (FForm->FormStyle() == fsMDIChild) {
        frame = Application != nullptr ? FindSkinFormComponent(Application->MainForm()) : nullptr;
        if (frame == nullptr) return;
    }
    if (frame->FSkinMenu == nullptr) return;
    const auto alive = frame->FAlive.Watch();
    if (frame->FSkinMenu->Active()) {
        frame->SkinMenuClose();
        if (!*alive) return;
    }
    TMenuItem* items = GetSystemMenuItems();
    frame->MarkSkinMenuOpen();
    if (!*alive) return;
    frame->FSkinMenu->Popup(nullptr, frame->EffectiveMenusSkinData(), 0, R, items, false);
}

void TskFormFrame::ShowSystemMenuAt(const TPoint& P) { PopupSystemMenu(TRect{P.X, P.Y, P.X, P.Y}); }

void TskFormFrame::ShowSystemMenuUnder(const TRect& R) { PopupSystemMenu(R); }

void TskFormFrame::ShowSystemMenuFromObject()
{
    if (FDisableSystemMenu) return;
    for (const auto& o : FObjects) {
        if (!o->Visible || CaptionCommand(o.get()) != cmSysMenu) continue;
        ShowSystemMenuUnder(FrameToScreenRect(o->ObjectRect));
        return;
    }
    // No system-menu button to open it under: the menu still opens below the caption's left end, so
    // that the keyboard can reach the window's commands.
    const TRect client = FrameClientRect();
    ShowSystemMenuUnder(FrameToScreenRect(TRect{client.Left, 0, client.Left, client.Top}));
}

// ---- Keyboard ----

bool TskFormFrame::FormShortCut(TMessage& Msg)
{
    if (OnShortCut) {
        bool handled = false;
        const auto alive = FAlive.Watch();
        OnShortCut(Msg, handled);
        if (!*alive || handled) return handled;
    }
    const WORD key = static_cast<WORD>(Msg.WParam);
    const TShiftState shift = KeyboardShiftState();
    if (key == VK_SPACE && shift == TShiftState{ssAlt}) {
        FMenuShortCut = false;
        ShowSystemMenuFromObject();
        return true;
    }
    if (FMenuShortCut) FMenuShortCut = false;
    TMainMenu* menu = ShortCutMenu();
    if (menu == nullptr) return false;
    // Alt+F4 closes the window; it is never a menu's.
    if (key == VK_F4 && shift.Contains(ssAlt)) return false;
    if (shift == TShiftState{ssAlt} && MainMenuAccelerator(key)) return true;
    const TShortCut shortCut = ShortCut(key, shift.Contains(ssShift), shift.Contains(ssCtrl), shift.Contains(ssAlt));
    FMenuShortCut = menu->IsShortCut(shortCut);
    // The menu a maximised MDI child merged into the bar has its short cuts too.
    if (!FMenuShortCut && FMainMenuBar != nullptr && FMainMenuBar->ChildMenu() != nullptr)
        FMenuShortCut = FMainMenuBar->ChildMenu()->IsShortCut(shortCut);
    return FMenuShortCut;
}

bool TskFormFrame::ShortCutHook(const TMsg& M)
{
    if (M.message != WM_KEYDOWN && M.message != WM_SYSKEYDOWN) return false;
    if (FDestroying || !FForm->HandleAllocated() || M.hwnd == 0) return false;
    // Only keys typed into this form (its own window or one of its controls) are its short cuts. Those
    // of an MDI child reach the main form's frame first, which hands on what its menu leaves; only a
    // child whose main form has no frame takes them itself.
    if (FForm->FormStyle() == fsMDIChild) {
        if (MainMDIFrame() != nullptr || MDIChildOf(M.hwnd) != FForm->Handle()) return false;
    } else if (GetAncestorRoot(M.hwnd) != FForm->Handle()) {
        return false;
    }
    TMessage msg{M.message, M.wParam, M.lParam, 0};
    const auto alive = FAlive.Watch();
    if (FormShortCut(msg)) return true;
    if (!*alive) return false;
    TskFormFrame* child = ActiveMDIChildFrame();
    return child != nullptr && MDIChildOf(M.hwnd) == child->Form()->Handle() && child->FormShortCut(msg);
}

void TskFormFrame::InstallMenuKeyboardHook()
{
    if (FMenuKeyHook != 0 || Designing()) return;
    FMenuKeyHook = AddMessageHook([this](TMsg& M) { return MenuKeyboardHook(M); });
}

void TskFormFrame::RemoveMenuKeyboardHook()
{
    if (FMenuKeyHook == 0) return;
    RemoveMessageHook(FMenuKeyHook);
    FMenuKeyHook = 0;
}

bool TskFormFrame::MenuKeyboardHook(const TMsg& M)
{
    if (FDestroying || (!FMainMenuKeyboard && (FSkinMenu == nullptr || !FSkinMenu->Active()))) return false;
    switch (M.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Alt and F10 go on: a tap of either ends the menu mode (SC_KEYMENU). Alt+F4 still closes.
        if (M.wParam == VK_MENU || M.wParam == VK_F10 || (M.message == WM_SYSKEYDOWN && M.wParam == VK_F4)) return false;
        MainMenuKeyDown(static_cast<WORD>(M.wParam));
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // While a menu is open, letting go of Alt or F10 does nothing: it may be the end of Alt+letter
        // or Alt+Space, and a display that moves the keyboard to a new popup and back may report Alt
        // going up and down again without a press.
        return (M.wParam == VK_MENU || M.wParam == VK_F10) && FSkinMenu != nullptr && FSkinMenu->Active();
    case WM_MOUSEWHEEL: return true;
    default: return false;
    }
}
