#include "skin/form/TskSkinPopupMenu.h"

#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupWindow.h"

TskSkinMenuServer* FindSkinMenuServer(const TComponent* Form)
{
    if (Form == nullptr) return nullptr;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* server = dynamic_cast<TskSkinMenuServer*>(Form->Components(i))) return server;
    return nullptr;
}

TskSkinPopupMenu::TskSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

TskSkinPopupMenu::~TskSkinPopupMenu()
{
    // Handlers set for this menu must not run for a menu that is going away.
    FAlive.End();
    // An open chain still points at our items: it closes before they are freed.
    if (FShownBy != nullptr && FShownBy->Active() && ChainShowsMine(FShownBy)) FShownBy->HideAll();
    SetShownBy(nullptr);
    SetSkinData(nullptr);
    SetComponentForm(nullptr);
    SetSkinForm(nullptr);
}

void TskSkinPopupMenu::Popup(int X, int Y)
{
    DoPopup(TKind::Point, dynamic_cast<TControl*>(PopupComponent()), Rect(X, Y, X, Y), false);
}

void TskSkinPopupMenu::PopupFromPoint(TControl* Control, int X, int Y)
{
    DoPopup(TKind::ControlPoint, Control, Rect(X, Y, X, Y), false);
}

void TskSkinPopupMenu::PopupFromRect(TControl* Control, const TRect& R, bool PopupToUp)
{
    DoPopup(TKind::Rect, Control, R, PopupToUp);
}

void TskSkinPopupMenu::PopupFromObject(const TRect& R, bool PopupToUp) { DoPopup(TKind::Rect, nullptr, R, PopupToUp); }

void TskSkinPopupMenu::DoPopup(TKind Kind, TControl* Control, const TRect& R, bool PopupToUp)
{
    const auto alive = FAlive.Watch();
    if (OnPopup) {
        OnPopup(this);
        if (!*alive) return;
    }
    TskSkinMenuServer* server = FindServer(Control);
    if (server == nullptr || server->SkinMenu() == nullptr) return;
    if (FSkinData == nullptr)
        SetSkinData(server->MenusSkinData() != nullptr ? server->MenusSkinData() : server->SkinData());
    if (Kind == TKind::ControlPoint && FSkinData == nullptr) return;

    if (server->SkinMenu()->Active()) {
        server->SkinMenuClose();
        if (!*alive) return;
    }
    server->SkinMenuOpen();
    if (!*alive) return;
    // The open and close handlers may have freed the control; the chain must not be handed a dead one.
    TskSkinMenu* menu = server->SkinMenu();
    if (menu == nullptr) return;

    PopupPoint = R.TopLeft();
    SetShownBy(menu);
    menu->Popup(Control, FSkinData, 0, R, Items(), PopupToUp);
    if (!*alive) return;
    // Handed over only for a chain that really opened: otherwise it would fire for the next, unrelated one.
    if (OnMenuClose && menu->Active() && ChainShowsMine(menu)) {
        menu->OnMenuClose = [this, alive](TObject*) {
            if (*alive && OnMenuClose) OnMenuClose(this);
        };
    }
}

TskSkinMenuServer* TskSkinPopupMenu::FindServer(TControl* Control) const
{
    TComponent* form = nullptr;
    TskSkinMenuServer* server = nullptr;
    if (FSkinForm != nullptr) {
        server = dynamic_cast<TskSkinMenuServer*>(FSkinForm.get());
        form = FSkinForm->Owner();
    } else {
        if (FComponentForm != nullptr) {
            form = FComponentForm;
        } else if (dynamic_cast<TCustomForm*>(Owner()) != nullptr) {
            form = Owner();
        } else if (Owner() != nullptr && dynamic_cast<TCustomForm*>(Owner()->Owner()) != nullptr) {
            form = Owner()->Owner();
        } else if (Control != nullptr) {
            // A menu made at run time inside a control's own children still belongs to that control's form.
            form = Control->GetParentForm();
        }
        server = FindSkinMenuServer(form);
    }
    // An MDI child's menus are shown in the main form's menu skin.
    if (auto* f = dynamic_cast<TCustomForm*>(form); server != nullptr && f != nullptr && f->FormStyle() == fsMDIChild)
        server = Application != nullptr ? FindSkinMenuServer(Application->MainForm()) : nullptr;
    return server;
}

bool TskSkinPopupMenu::ChainShowsMine(TskSkinMenu* Menu) const
{
    for (int w = 0; w < Menu->WindowCount(); ++w) {
        TskSkinPopupWindow* window = Menu->Windows(w);
        for (int i = 0; i < window->ItemCount(); ++i) {
            TMenuItem* item = window->Items(i)->MenuItem;
            if (item != nullptr && item->GetParentMenu() == this) return true;
        }
    }
    return false;
}

void TskSkinPopupMenu::SetSkinData(TskSkinData* Value)
{
    if (Value == FSkinData) return;
    FSkinData = Value;
}

void TskSkinPopupMenu::SetComponentForm(TComponent* Value)
{
    if (Value == FComponentForm) return;
    FComponentForm = Value;
}

void TskSkinPopupMenu::SetSkinForm(TComponent* Value)
{
    if (Value == FSkinForm) return;
    FSkinForm = Value;
}

void TskSkinPopupMenu::SetShownBy(TskSkinMenu* Value)
{
    if (Value == FShownBy) return;
    FShownBy = Value;
}


void RegisterSkinPopupMenuClasses()
{
    static const bool done = [] {
        using P = TskSkinPopupMenu;
        RegisterClass<P, TPopupMenu>("TskSkinPopupMenu")
            .Prop("SkinData", &P::SkinData, &P::SetSkinData)
            .Event("OnMenuClose", &P::OnMenuClose);
        return true;
    }();
    (void)done;
}
