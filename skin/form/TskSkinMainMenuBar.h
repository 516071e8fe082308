#pragma once
// TskSkinMainMenuBar shows the top-level items of a TMainMenu as a skinned bar at the top of a form and
// opens their sub-items through the form frame's TskSkinMenu. A frame whose MainMenuBar is set hands
// the bar its keyboard mode (Alt, F10, the arrows, Enter, Escape, the accelerators). On an MDI main form
// whose active child is maximised, the bar also shows the child's system-menu, minimise, restore and
// close buttons and merges the child's menu into its items.
//
// The bar's own parts are plain objects (TskMenuBarObject): the child buttons first, then the items.
// Each knows its rectangle in bar coordinates, its hover and pressed state and its cross-fade; the bar
// paints them all into one picture.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/TskSkinControl.h"
#include "platform/rtl/TAliveFlag.h"

class TCustomForm;
class TFont;
class TMainMenu;
class TMenuItem;
class TTimer;
class TskDataSkinMainMenuBar;
class TskDataSkinObject;
class TskFormFrame;
class TskSkinMainMenuBar;

// The items a bar shows for MainItems with a child's menu merged in: the main menu's items whose
// GroupIndex none of the child's items has, then all the child's items, ordered by GroupIndex. Items of
// equal GroupIndex keep the order they came in (the main menu's before the child's). Either may be nil.
std::vector<TMenuItem*> MergedMenuItems(TMenuItem* MainItems, TMenuItem* ChildItems);

// Base of the bar's parts.
class TskMenuBarObject : public TObject {
public:
    TskMenuBarObject(TskSkinMainMenuBar* AParent, TskDataSkinObject* AData);
    ~TskMenuBarObject() override = default;
    TskMenuBarObject(const TskMenuBarObject&) = delete;
    TskMenuBarObject& operator=(const TskMenuBarObject&) = delete;

    // Redraws at once, or lets the bar's morph timer fade towards the new state.
    virtual void ReDraw();
    virtual void Draw(TCanvas* Cnvs) = 0;
    virtual void DblClick() {}
    virtual void MouseDown(TMouseButton, int, int) {}
    virtual void MouseUp(TMouseButton, int, int) {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The cross-fade has not reached its end in its direction.
    virtual bool CanMorphing() const;
    // Morphing asked for by the entry and allowed by the skin.
    bool EnableMorphing() const;
    // One step of 0.2 towards the active image (or back), then a redraw.
    void StepMorph();

    TskSkinMainMenuBar* Parent;
    TskDataSkinObject* SkinData = nullptr;
    double MorphFactor = 0;
    bool Active = false;
    bool Down = false;
    TBitmap* Picture = nullptr;
    std::string IDName;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect DownRect;
    bool Morphing = false;
    int MorphKind = 0;
    TRect ObjectRect;
    bool MorphIncrease = false;
    bool Enabled = true;
    bool Visible = true;
};

// A button of the maximised MDI child: its system menu, minimise, restore or close.
class TskSkinMainMenuBarButton : public TskMenuBarObject {
public:
    TskSkinMainMenuBarButton(TskSkinMainMenuBar* AParent, TskDataSkinObject* AData, int ACommand);

    void Draw(TCanvas* Cnvs) override;
    void DblClick() override;
    void MouseDown(TMouseButton Button, int X, int Y) override;
    void MouseUp(TMouseButton Button, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

    int Command;
    bool SkinDataPresent = false;
    TRect DisableSkinRect;
};

// One top-level item of the menu.
class TskSkinMainMenuBarItem : public TskMenuBarObject {
public:
    TskSkinMainMenuBarItem(TskSkinMainMenuBar* AParent, TskDataSkinObject* AData, TMenuItem* AMenuItem);

    void Draw(TCanvas* Cnvs) override;
    void MouseDown(TMouseButton Button, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool CanMorphing() const override;
    // Opens the sub-items under the item (True) or releases it (False).
    void SetDown(bool Value);
    // One tick of the item animation; True when the frame moved.
    bool AnimateStep();
    // Caption width in the item font plus the offsets (12 pixels without a skin entry).
    int ItemWidth() const;
    bool HasSubItems() const;

    TMenuItem* MenuItem;
    TRect TextRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InActiveAnimation = false;
    int Frame = 0;
    // The item lies inside the bar's item area.
    bool Fits = true;
    bool SavedEnabled = true;

private:
    void SetItemFont(TCanvas* C) const;
    TColor TextColor() const;
    void Compose(TBitmap* B, const TRect& R) const;
};

using TMainMenuItemClick = std::function<void(const std::string& IDName)>;
using TMenuItemEvent = std::function<void(TMenuItem* Item)>;

class TskSkinMainMenuBar : public TskSkinControl {
public:
    explicit TskSkinMainMenuBar(TComponent* AOwner);
    ~TskSkinMainMenuBar() override;

    // ---- Published ----
    TMainMenu* MainMenu() const { return FMainMenu; }
    // Rebuilds the items and repaints.
    void SetMainMenu(TMainMenu* Value);
    // The frame whose TskSkinMenu opens the sub-items and whose keyboard mode the bar takes part in;
    // when nil the bar asks its form for its frame.
    TskFormFrame* FormFrame() const { return FFormFrame; }
    void SetFormFrame(TskFormFrame* Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value);
    bool ScrollMenu() const { return FScrollMenu; }
    void SetScrollMenu(bool Value);
    TFont* DefItemFont() const { return FDefItemFont.get(); }
    void SetDefItemFont(TFont* Value);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool PopupToUp() const { return FPopupToUp; }
    void SetPopupToUp(bool Value) { FPopupToUp = Value; }

    TMainMenuItemClick OnMainMenuItemClick;
    TMenuItemEvent OnItemMouseEnter;
    TMenuItemEvent OnItemMouseLeave;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // ---- The frame's keyboard mode ----
    // Lights the hovered (else the first usable) item and puts the frame into its menu mode; nothing
    // happens without a usable item.
    void EnterKeyboardMode();
    void LeaveKeyboardMode();
    bool KeyboardMode() const { return FKeyboardMode; }
    void NextItem();
    void PreviousItem();
    // Enter or Down: the pressed item without sub-items, or the lit one while no menu is open, is
    // pressed. False when none was.
    bool ExecuteItem();
    // The first usable item with Key as its accelerator is lit and opened or run; False when none has it.
    bool AcceleratorKey(WORD Key);
    // The open menu closed: its item is released but stays lit.
    void MenuClosed();

    // ---- The maximised MDI child (the frame's MDI support calls these) ----
    // Child is the maximised MDI child whose buttons the bar shows (nil: none is maximised).
    void SetMaximizedChild(TCustomForm* Child);
    TCustomForm* MaximizedChild() const { return FMaximizedChild; }
    // The active MDI child changed: its menu (its frame's MainMenu, else its form's Menu) is merged in.
    void SetActiveChild(TCustomForm* Child);
    TCustomForm* ActiveChild() const { return FActiveChild; }
    // The child's menu merged into the items, or nil.
    TMainMenu* ChildMenu() const;

    // ---- What the objects use ----
    int ObjectCount() const { return static_cast<int>(FObjects.size()); }
    TskMenuBarObject* Objects(int Index) const;
    int ChildButtonCount() const { return FButtonCount; }
    int HoveredObject() const { return FHovered; }
    // The frame that serves the bar: FormFrame, else the frame of the bar's form.
    TskFormFrame* Frame() const;
    // The bar's entry, when the skin has one.
    TskDataSkinMainMenuBar* BarData() const;
    TskSkinData* UsableSkin() const;
    void RedrawObject(TskMenuBarObject* AObject);
    void StartMorphTimer();
    void StartAnimateTimer(int Interval);
    // The bar rectangle of an object on the screen.
    TRect ObjectScreenRect(const TskMenuBarObject* AObject) const;
    // Makes the objects again (menu, skin, MDI child changed) and lays them out.
    void RebuildObjects();
    // Places the buttons and items in the item area and decides which items fit.
    void LayoutObjects();
    // The item area of the current size.
    TRect ItemsArea() const;
    bool ChevronVisible() const { return FChevronNeeded; }
    TRect ChevronRect() const;
    // The items that do not fit, shown as one menu under the chevron.
    void ShowHiddenItems();

    void RefreshSkin() override;
    void ParentBackgroundChanged() override;

protected:
    void DrawDefaultImage(TBitmap* B) override;
    void DrawSkinImage(TBitmap* B) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

private:
    void FreeObjects();
    void AddChildButtons();
    void TestActive(int X, int Y);
    void SetHovered(int Index);
    void TrackTimerTick(TObject* Sender);
    void MorphTimerTick(TObject* Sender);
    void AnimateTimerTick(TObject* Sender);
    void DrawObjects(TCanvas* C);
    void DrawChevron(TCanvas* C);
    void ApplyHeight();
    std::vector<TskSkinMainMenuBarItem*> Items() const;
    TskSkinMainMenuBarItem* UsableItem(int From, bool Forward) const;
    TskSkinMainMenuBarItem* DownItem() const;
    TskSkinMainMenuBarItem* ActiveItem() const;
    bool SkinMenuOpen() const;
    void StepItem(bool Forward);

    TComponentLink<TMainMenu> FMainMenu{this, [this] { RebuildObjects(); }};
    TComponentLink<TskFormFrame> FFormFrame{this};
    bool FUseSkinFont = true;
    bool FScrollMenu = true;
    std::unique_ptr<TFont> FDefItemFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 22;
    bool FPopupToUp = false;

    std::vector<std::unique_ptr<TskMenuBarObject>> FObjects;
    int FHovered = -1;
    int FCaptured = -1;
    int FOldHovered = -1;
    int FButtonCount = 0;
    bool FKeyboardMode = false;
    bool FChevronNeeded = false;
    bool FChevronHot = false;
    bool FMouseIn = false;
    bool FMerged = false;
    // The press being handled only closed the menu of the item it landed on.
    bool FPressClosedMenu = false;
    TskMenuBarObject* FLastReleased = nullptr;
    TComponentLink<TCustomForm> FMaximizedChild{this};
    TComponentLink<TCustomForm> FActiveChild{this};
    TTimer* FTrackTimer = nullptr;
    TTimer* FMorphTimer = nullptr;
    TTimer* FAnimateTimer = nullptr;
    TAliveFlag FAlive;
};

// Registers the bar for the form reader.
void RegisterSkinMainMenuBarClasses();
