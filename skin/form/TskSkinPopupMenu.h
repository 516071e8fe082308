#pragma once
// The popup-menu component that applications and skinned controls use: items are designed and handled
// as in any TPopupMenu, but a popup is shown by the skinned menu chain of the form's frame, in that
// form's menu skin. Without a serving frame nothing is shown.
//
// The serving frame is reached through TskSkinMenuServer, which the form frame implements: the menu
// needs its TskSkinMenu, its two skins and its open/close notifications, nothing else of it.
#include <memory>

#include "platform/rtl/Types.h"
#include "platform/vcl/TMenu.h"
#include "platform/rtl/TAliveFlag.h"

class TControl;
class TCustomForm;
class TskSkinData;
class TskSkinMenu;

// What a skinned form frame offers the popup menus of its form.
class TskSkinMenuServer {
public:
    virtual ~TskSkinMenuServer() = default;
    // The one chain engine of the form.
    virtual TskSkinMenu* SkinMenu() const = 0;
    virtual TskSkinData* SkinData() const = 0;
    virtual TskSkinData* MenusSkinData() const = 0;
    // A skin menu of the form is about to open (the frame fires OnSkinMenuOpen and hooks the keyboard).
    virtual void SkinMenuOpen() = 0;
    // Closes the form's open skin menu and ends the frame's menu state.
    virtual void SkinMenuClose() = 0;
};

// The first component of Form that serves skin menus, or nullptr (also for a nil form).
TskSkinMenuServer* FindSkinMenuServer(const TComponent* Form);

class TskSkinPopupMenu : public TPopupMenu {
public:
    explicit TskSkinPopupMenu(TComponent* AOwner);
    ~TskSkinPopupMenu() override;

    // Pops up at the screen point. When PopupComponent is a control, it is the control that opened the
    // menu: it is told when the menu closes and after a chosen item ran.
    void Popup(int X, int Y) override;
    // For a control at a screen point; shows nothing while no skin can be found for it.
    void PopupFromPoint(TControl* Control, int X, int Y);
    // For a control beside a screen rectangle, above it when PopupToUp asks and there is room.
    void PopupFromRect(TControl* Control, const TRect& R, bool PopupToUp) override;
    // Beside a screen rectangle, for no control.
    void PopupFromObject(const TRect& R, bool PopupToUp);

    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    // A form whose frame serves the menu (nil: the owner's form).
    TComponent* ComponentForm() const { return FComponentForm; }
    void SetComponentForm(TComponent* Value);
    // A frame that serves the menu directly; it must implement TskSkinMenuServer.
    TComponent* SkinForm() const { return FSkinForm; }
    void SetSkinForm(TComponent* Value);

    // PopupPoint (of TPopupMenu) is set only when the menu is really shown.
    // Fires once when the popup it was set for closes.
    TNotifyEvent OnMenuClose;

protected:

private:
    enum class TKind { Point, ControlPoint, Rect };
    void DoPopup(TKind Kind, TControl* Control, const TRect& R, bool PopupToUp);
    TskSkinMenuServer* FindServer(TControl* Control) const;
    void SetShownBy(TskSkinMenu* Value);
    // Whether the open chain of Menu shows items of this popup menu.
    bool ChainShowsMine(TskSkinMenu* Menu) const;

    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TComponent> FComponentForm{this};
    TComponentLink<TComponent> FSkinForm{this};
    // The chain engine that showed this menu last: freeing the menu closes it when it still shows our items.
    TComponentLink<TskSkinMenu> FShownBy{this};
    TAliveFlag FAlive;
};

void RegisterSkinPopupMenuClasses();
