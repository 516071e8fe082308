// The frame and the tray: the tray menu, the tray icon the form is minimized into, and the way there and
// back. Part of TskFormFrame (see TskFormFrame.h); the icon itself is TskTrayIcon.
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"
#include "skin/data/SkinStrings.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskTrayIcon.h"

void TskFormFrame::BuildTrayMenu()
{
    FTrayMenu = new TskSkinPopupMenu(this);
    FTrayMenu->SetComponentForm(FForm);
    TMenuItem* root = FTrayMenu->Items();
    const auto alive = FAlive.Watch();
    root->Add(MakeSystemMenuItem("TRAY_SKF_RESTORE", "MI_RESTORECAPTION", [this, alive] {
        if (*alive) RestoreFromTray();
    }));
    auto* line = new TMenuItem(nullptr);
    line->SetCaption("-");
    root->Add(line);
    root->Add(MakeSystemMenuItem("TRAY_SKF_CLOSE", "MI_CLOSECAPTION", [this, alive] {
        // Closing may free the form and this frame with it: nothing is touched afterwards.
        if (*alive) FForm->Close();
    }));
    const bool child = FForm->FormStyle() == fsMDIChild;
    root->Items(root->Count() - 1)->SetShortCut(ShortCut(VK_F4, false, child, !child));
}

void TskFormFrame::UpdateTrayMenuCaptions()
{
    if (FTrayMenu == nullptr) return;
    TMenuItem* root = FTrayMenu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (item->Name() == "TRAY_SKF_RESTORE") item->SetCaption(SkinResString(FSkinData, "MI_RESTORECAPTION"));
        if (item->Name() == "TRAY_SKF_CLOSE") item->SetCaption(SkinResString(FSkinData, "MI_CLOSECAPTION"));
    }
}

void TskFormFrame::SetTrayIcon(TskTrayIcon* Value)
{
    if (Value == FTrayIcon) return;
    FTrayIcon = Value;
    if (Value == nullptr) return;
    if (!FAlwaysShowInTray) Value->SetIconVisible(false);
    if (Designing()) return;
    if (Value->PopupMenu() == nullptr) Value->SetPopupMenu(FTrayMenu);
    if (!Value->OnDblClick) {
        const auto alive = FAlive.Watch();
        Value->OnDblClick = [this, alive](TObject*) {
            if (*alive) RestoreFromTray();
        };
    }
}

void TskFormFrame::MinimizeToTray()
{
    if (FTrayIcon == nullptr) return;
    const auto alive = FAlive.Watch();
    TskTrayIcon* icon = FTrayIcon;
    // The mark: this minimize is one into the tray, whatever the icon's own setting.
    if (!FTrayMarked) FTrayMarkBefore = icon->MinimizeToTray();
    FTrayMarked = true;
    icon->SetMinimizeToTray(true);
    if (Application != nullptr) Application->Minimize();
    if (!*alive) return;
    // A display that cannot minimize (no window manager) told nobody: the icon takes the form now.
    // Without a tray either, the form stays where the user can reach it.
    TCustomForm* main = Application != nullptr ? Application->MainForm() : nullptr;
    if (main != nullptr && main->HandleAllocated() && !IsIconic(main->Handle()) && main->Visible() && !icon->MainFormInTray())
        icon->MinimizeMainFormToTray();
    if (*alive && OnMinimizeToTray) OnMinimizeToTray(this);
}

void TskFormFrame::RestoreFromTray()
{
    if (FTrayIcon == nullptr) return;
    const auto alive = FAlive.Watch();
    if (FTrayMarked) FTrayIcon->SetMinimizeToTray(FTrayMarkBefore);
    FTrayMarked = false;
    FTrayIcon->ShowMainForm();
    if (!*alive || FTrayIcon == nullptr) return;
    if (Application != nullptr) Application->BringToFront();
    if (!FAlwaysShowInTray) FTrayIcon->SetIconVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}
