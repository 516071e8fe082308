#pragma once
// The engine behind every skinned popup menu: TskSkinMenu keeps the chain of open popup windows for one
// root menu and its open submenus, opens and closes submenus, runs the chosen item and tells the form
// and the opening control when the menu ends. One instance serves one skinned form. TskSkinMenuItem is
// one item inside one popup window, with its hover, open-submenu, morph and animation state.
//
// The form's window procedure closes the chain with HideAll whenever IsMenuClosingMessage accepts one of
// its messages, and its keyboard hook hands each WM_KEYDOWN to KeyDown while the chain is Active.
//
// A chosen item's OnClick runs exactly once, after the whole chain has closed: the opening control gets
// WM_CLOSESKINMENU, OnMenuClose fires, the form gets WM_CLOSESKINMENU, then the click runs, then the
// opening control gets WM_AFTERSKINMENUCLICK. Handlers may free the menu, its form or the opening control.
#include <memory>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/TComponent.h"
#include "platform/vcl/TMenu.h"
#include "skin/data/SkinMessages.h"
#include "platform/rtl/TAliveFlag.h"

class TBitmap;
class TControl;
class TTimer;
class TWinControl;
class TskSkinData;
class TskDataSkinMenuItem;
class TskSkinPopupWindow;

// Item hover cross-fade: five steps of 0.2, one every 20 ms.
constexpr unsigned SkinMenuMorphInterval = 20;
constexpr double SkinMenuMorphStep = 0.2;
// A submenu opens when the pointer rests this long on its item.
constexpr unsigned SkinSubMenuDelay = 500;

class TskSkinMenuItem : public TObject {
public:
    TskSkinMenuItem(TskSkinPopupWindow* AParent, TMenuItem* AMenuItem, TskDataSkinMenuItem* ASkinData,
        TBitmap* APicture);

    void MouseEnter(bool ByKeyboard);
    void MouseLeave();
    void Click();
    void Redraw();
    bool CanMorph() const;
    bool CanAnimate() const;
    // Whether MorphKf still has to move towards the look the item's state asks for.
    virtual bool ChangeMorphKf();
    void StepMorph();

    bool IsSeparator() const { return MenuItem->IsLine(); }
    bool HasSubMenu() const { return MenuItem->Count() > 0; }
    // Enabled and not a separator: only such items are ever highlighted.
    bool Selectable() const { return MenuItem->Enabled() && !IsSeparator(); }
    bool Active() const { return MouseIn || Down; }

    TskSkinPopupWindow* Parent;
    TskDataSkinMenuItem* SkinData;
    TBitmap* Picture;
    double MorphKf = 0;
    TMenuItem* MenuItem;
    TRect ObjectRect;
    bool MouseIn = false;
    bool Down = false;
    bool Visible = true;
    bool KeyboardSelected = false;
    int FrameIndex = 0;
};

class TskSkinMenu : public TComponent {
public:
    TskSkinMenu(TComponent* AOwner, TWinControl* AForm);
    ~TskSkinMenu() override;

    // Opens a chain for the subitems of Item from FirstIndex on, beside the screen rectangle R (a point
    // is a rectangle of zero size). An open chain is closed first. Nothing opens for an item without
    // subitems or a FirstIndex past their end.
    void Popup(TControl* APopupCtrl, TskSkinData* ASkinData, int FirstIndex, const TRect& R, TMenuItem* Item,
        bool PopupToUp);
    // The same over the subitems of Item followed by those of Item2, shown as one menu.
    void PopupWithItems(TControl* APopupCtrl, TskSkinData* ASkinData, int FirstIndex, const TRect& R,
        TMenuItem* Item, TMenuItem* Item2, bool PopupToUp);
    // The same over a list of items of one menu (RootItem: their parent, for the menu's images).
    void PopupList(TControl* APopupCtrl, TskSkinData* ASkinData, const TRect& R, const std::vector<TMenuItem*>& Items,
        TMenuItem* RootItem, bool PopupToUp);
    void HideAll();
    // Closes the windows from position Index to the end; Index 0 ends the menu.
    void CloseFrom(int Index);
    void ItemAction(TskSkinPopupWindow* Window, TskSkinMenuItem* Item, bool ByKeyboard, bool Click);
    int IndexOfWindow(const TskSkinPopupWindow* Window) const;
    // A key for the deepest window of the chain (what the form's keyboard hook hands over).
    void KeyDown(WORD Key);
    // Whether the open chain takes the keys itself (the default), or is handed them by its form's
    // keyboard hook (a frame's menu: the frame also drives its main menu with them).
    bool TakesKeys() const { return FTakesKeys; }
    void SetTakesKeys(bool Value) { FTakesKeys = Value; }
    // True when the chain was closed by this very press (window, message, lParam) on a control outside
    // it; the record is forgotten either way. The control the press was for learns that it only
    // closed the menu (a press on the menu bar item whose menu was open).
    bool TakeClosingPress(HWND Window, UINT Msg, LPARAM LParam);

    int WindowCount() const { return static_cast<int>(FWindows.size()); }
    TskSkinPopupWindow* Windows(int Index) const { return FWindows.at(static_cast<std::size_t>(Index)); }
    bool Active() const { return FActive; }
    bool FirstWindow() const { return FFirstWindow; }
    TWinControl* Form() const { return FForm; }
    TControl* PopupCtrl() const { return FPopupCtrl; }
    TControl* LastPopupCtrl() const { return FLastPopupCtrl; }
    TskSkinData* SkinData() const { return FSkinData; }
    const TRect& WorkArea() const { return FWorkArea; }
    TskSkinMenuItem* PendingItem() const { return FPendingItem; }
    void StopSubMenuTimer();

    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    int DefaultMenuItemHeight() const { return FDefaultMenuItemHeight; }
    // Only heights above 0 are taken.
    void SetDefaultMenuItemHeight(int Value);
    TFont* DefaultMenuItemFont() const { return FDefaultMenuItemFont.get(); }
    void SetDefaultMenuItemFont(TFont* Value) { FDefaultMenuItemFont->Assign(Value); }
    int MaxMenuItemsInWindow() const { return FMaxMenuItemsInWindow; }
    // Only 0 (no limit) or more is taken.
    void SetMaxMenuItemsInWindow(int Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value) { FAlphaBlendValue = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }

    // Fires once when the chain closes, then is cleared.
    TNotifyEvent OnMenuClose;

protected:

private:
    void SkinDataGone();
    void OpenChain(TControl* APopupCtrl, TskSkinData* ASkinData, int FirstIndex, const TRect& R,
        const std::vector<TMenuItem*>& Items, TMenuItem* RootItem, bool PopupToUp);
    void AddWindow(const TRect& R, const std::vector<TMenuItem*>& Items, TMenuItem* RootItem, int FirstIndex,
        bool IsSubMenu, bool PopupToUp);
    void SubMenuTimerTimer(TObject* Sender);
    void SetPopupCtrl(TControl* Value);
    void SetLastPopupCtrl(TControl* Value);
    // WM_CLOSESKINMENU or WM_AFTERSKINMENUCLICK to a control: sent to a window, performed on a graphic one.
    static void Deliver(TControl* Control, UINT Msg);

    TComponentLink<TWinControl> FForm{this};
    std::vector<TskSkinPopupWindow*> FWindows;
    TTimer* FSubMenuTimer;
    TskSkinMenuItem* FPendingItem = nullptr;
    bool FActive = false;
    bool FFirstWindow = false;
    // While the chain is open: its popups take no focus, so the keys go to whatever control has it,
    // and presses on the form's controls never reach the frame that closes the chain on a press.
    // The hook gives the chain the keyboard and closes it on a press anywhere else.
    int FInputHook = 0;
    bool FTakesKeys = true;
    struct TClosingPress {
        HWND Window = 0;
        UINT Msg = 0;
        LPARAM LParam = 0;
    };
    TClosingPress FClosingPress;
    void WatchInput();
    void StopWatchingInput();
    bool InChain(HWND Window) const;
    TComponentLink<TControl> FPopupCtrl{this};
    TComponentLink<TControl> FLastPopupCtrl{this};
    TComponentLink<TskSkinData> FSkinData{this, [this] { SkinDataGone(); }};
    TRect FWorkArea;
    bool FUseSkinFont = true;
    int FDefaultMenuItemHeight = 20;
    std::unique_ptr<TFont> FDefaultMenuItemFont;
    int FMaxMenuItemsInWindow = 0;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    bool FAlphaBlendAnimation = false;
    // Cleared by the destructor: code that ran a handler checks it before touching the menu again.
    TAliveFlag FAlive;
};

// True for the messages of a form that must close every open skin menu (moving, sizing, activation,
// focus loss, cancel mode, and presses of any button on the form or its frame).
bool IsMenuClosingMessage(UINT Msg);
