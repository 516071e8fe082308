#pragma once
// Menus as data: items with captions, shortcuts, check marks and click handlers, in a tree. Showing a
// popup menu goes through a replaceable presenter (the skinned menus install theirs); without one,
// Popup only fires OnPopup.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"

class TMenu;
class TCustomImageList;
class TBasicAction;
class TBasicActionLink;
class TCanvas;
class TControl;

using TShortCut = WORD;
// Key code in the low byte; scShift, scCtrl and scAlt on top.
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(WORD Key, bool Shift, bool Ctrl, bool Alt);
// "Ctrl+S", "Shift+F1", "Del"...; 0 gives "".
std::string ShortCutToText(TShortCut ShortCut);

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool IsLine() const { return FCaption == "-"; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value) { FRadioItem = Value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value) { FDefault = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* Parent() const { return FParent; }
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* Item);
    void Delete(int Index);
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* Find(const std::string& ACaption) const;
    // The menu this item belongs to (through its parents), or nullptr.
    TMenu* GetParentMenu() const;

    // Runs the item: AutoCheck toggles, then OnClick, or the item's action when it has no OnClick.
    virtual void Click();

    // The action the item follows: its caption, check mark, enabled state, visibility, hint, image and
    // short cut come from the action whenever they change.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    // Lets the item's action update itself (before the item is shown).
    void InitiateAction();
    // Hides the separators that would stand first, last or next to another among the visible items,
    // and shows the others again.
    void RethinkLines();

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    TNotifyEvent OnClick;
    // Draws the item itself in menus that let it (the skinned popup menus): ARect is the text area.
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool Selected)> OnDrawItem;

private:
    void Changed();
    std::unique_ptr<TBasicActionLink> FActionLink;
    std::string FCaption;
    TShortCut FShortCut = 0;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FAutoCheck = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    int FImageIndex = -1;
    std::string FHint;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item
    std::vector<TMenuItem*> FItems;
    friend class TMenu;
};

// Whether a menu hides its redundant separators itself.
enum TMenuAutoFlag { maAutomatic, maManual, maParent };

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    TMenuItem* Items() const { return FItems; }
    TMenuAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
    void SetAutoLineReduction(TMenuAutoFlag Value) { FAutoLineReduction = Value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // The item with this shortcut (searching submenus), or nullptr.
    TMenuItem* FindItem(TShortCut ShortCut) const;
    // Runs the item with this shortcut; true when one ran.
    bool IsShortCut(TShortCut ShortCut);
    // Told when an item changes (the skinned bar repaints).
    TNotifyEvent OnChange;
    void MenuChanged();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* FItems;
    TCustomImageList* FImages = nullptr;
    TMenuAutoFlag FAutoLineReduction = maAutomatic;
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value)
    {
        FPopupComponent = Value;
        // Cleared in Notification when that component goes away.
        if (Value != nullptr) Value->FreeNotification(this);
    }
    // Keeps the screen point in PopupPoint and fires OnPopup. A plain popup menu has no window of its
    // own: the skinned menus override this to show themselves.
    virtual void Popup(int X, int Y);
    // Shows the menu for Control beside the screen rectangle R: here at its lower-left corner, with
    // Control as PopupComponent (told when the menu closes). Menus that can place themselves beside a
    // rectangle (above it when PopupToUp asks and there is room) do so.
    virtual void PopupFromRect(TControl* Control, const TRect& R, bool PopupToUp);

    TNotifyEvent OnPopup;
    // The screen point of the last popup; (-1, -1) before the first.
    TPoint PopupPoint{-1, -1};

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    TComponent* FPopupComponent = nullptr;
};
