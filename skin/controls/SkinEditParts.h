#pragma once
// What the skinned edit and the grid's in-place editor share: the context menu of edit commands, and
// the geometry and background of the transparent look.
//
// The menu is built afresh at each request and freed once a command has run. It is a TPopupMenu owned
// by the edit, shown through TPopupMenu::Popup (the skinned menus install the presenter); when the
// skinned popup-menu class (which lives above the controls) is registered, the menu is one of those,
// found by class name. Its PopupComponent is the edit: the menu tells it WM_CLOSESKINMENU when it closes
// and WM_AFTERSKINMENUCLICK after a chosen command ran, and the edit frees the menu then.
#include <functional>

#include "platform/vcl/TCustomEdit.h"
#include "platform/vcl/TMenu.h"

class TskSkinData;

class TskEditContextMenu {
public:
    explicit TskEditContextMenu(TCustomEdit* Edit);
    ~TskEditContextMenu();
    TskEditContextMenu(const TskEditContextMenu&) = delete;
    TskEditContextMenu& operator=(const TskEditContextMenu&) = delete;

    // The menu now open (between a request and the end of its command), or nullptr.
    TPopupMenu* Menu() const { return FMenu; }
    // Builds the menu (Undo, Cut, Copy, Paste, Delete, Select All) and shows it at a screen point; a
    // negative coordinate (a keyboard request) opens it at the edit's centre. Skin gives the texts
    // (nullptr: the built-in ones); without Writable the commands that change the text are disabled.
    void Show(TPoint ScreenPos, const TskSkinData* Skin, bool Writable);
    void Free();
    // Answers the edit's requests for the menu when it has no PopupMenu of its own: WM_CONTEXTMENU, and a
    // right-button release of an enabled edit; true when Message was one of them. A release goes to the
    // edit's own mouse-up first through Release (its MouseUp, then OnContextPopup), which says whether the
    // menu still opens: not when the edit is being freed or the handler took the request. Open shows the
    // menu at a screen point (with the edit's skin and writability).
    bool AnswerRequest(TMessage& Message, const std::function<bool(TPoint ClientPos, TShiftState Shift)>& Release,
                       const std::function<void(TPoint ScreenPos)>& Open);

private:
    void Build(const TskSkinData* Skin, bool Writable);

    TCustomEdit* FEdit;
    TComponentLink<TPopupMenu> FMenu;
};

// The top-left corner of the control's client area in window coordinates ((0, 0) without a window).
TPoint ClientOffsetInWindow(TWinControl* Control);
// Paints what lies behind the control's client area into DC (the transparent look).
void PaintParentUnderClient(TWinControl* Control, HDC DC);
