#pragma once
// TskSkinMDITabsBar shows one tab per child of an MDI main form. A press on a tab brings its child to the
// front; tabs can be dragged to a new place, carry close buttons, and open the child's system menu on a
// right click. A small menu button on the left lists every child; one on the right lists the children
// whose tabs do not fit. The children's frames add and remove their tabs (TskFormFrame::MDITabsBar of the
// main form's frame points here).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/TskSkinControl.h"

class TCustomForm;
class TFont;
class TskFormFrame;
class TskSkinMDITabsBar;
class TskSkinMenuSpeedButton;
class TskSkinPopupMenu;

enum TskSkinMDITabKind { sktkTab, sktkButton };

class TskMDITab : public TObject {
public:
    TskMDITab(TskSkinMDITabsBar* ABar, TCustomForm* AChild) : Bar(ABar), Child(AChild) {}
    TskSkinMDITabsBar* Bar;
    // Its child is the main form's active MDI child.
    bool Active = false;
    bool MouseIn = false;
    // Bar coordinates; empty while hidden.
    TRect TabRect;
    TCustomForm* Child;
    // The tab fits in the bar.
    bool Visible = true;
    bool CloseMouseIn = false;
    bool CloseDown = false;
};

using TskMDITabEvent = std::function<void(TskMDITab* MDITab)>;
using TskMDITabMouseEvent = std::function<void(TMouseButton Button, TShiftState Shift, TskMDITab* MDITab)>;

class TskSkinMDITabsBar : public TskSkinControl {
public:
    explicit TskSkinMDITabsBar(TComponent* AOwner);
    ~TskSkinMDITabsBar() override;

    // ---- Published properties ----
    TskFormFrame* FormFrame() const { return FFormFrame; }
    void SetFormFrame(TskFormFrame* Value);
    TskSkinMDITabKind TabKind() const { return FTabKind; }
    void SetTabKind(TskSkinMDITabKind Value);
    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool Value);
    bool SupportChildMenus() const { return FSupportChildMenus; }
    void SetSupportChildMenus(bool Value) { FSupportChildMenus = Value; }
    bool MoveTabs() const { return FMoveTabs; }
    void SetMoveTabs(bool Value) { FMoveTabs = Value; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    int DefaultTabWidth() const { return FDefaultTabWidth; }
    void SetDefaultTabWidth(int Value);
    int MinTabWidth() const { return FMinTabWidth; }
    void SetMinTabWidth(int Value);

    TskMDITabEvent OnTabMouseEnter;
    TskMDITabEvent OnTabMouseLeave;
    TskMDITabMouseEvent OnTabMouseDown;
    TskMDITabMouseEvent OnTabMouseUp;

    // ---- The tabs ----
    // A tab for Child at the end (none when it has one already).
    void AddTab(TCustomForm* Child);
    // Child's tab goes; without one the bar only repaints.
    void DeleteTab(TCustomForm* Child);
    // Marks the tab of the main form's active child.
    void UpdateTabs();
    int TabCount() const { return static_cast<int>(FTabs.size()); }
    TskMDITab* Tabs(int Index) const;
    int IndexOfChild(const TCustomForm* Child) const;
    int HiddenTabCount() const { return FHiddenCount; }
    int HoveredTab() const { return FHovered; }
    // The visible tab at a point of the bar; -1 for none.
    int TabAtPos(int X, int Y) const;
    // Where a tab's close button is (empty without ShowCloseButtons).
    TRect CloseButtonRect(const TskMDITab* Tab) const;
    // Works out every tab's place (done before every paint).
    void LayoutTabs();
    // The menu button listing every child (present while there is a tab) and the one listing the
    // children whose tabs are hidden (present while one is); their menus are made just before they open.
    TskSkinMenuSpeedButton* AllChildrenButton() const { return FAllButton; }
    TskSkinMenuSpeedButton* HiddenChildrenButton() const { return FHiddenButton; }
    TskSkinPopupMenu* AllChildrenMenu() const { return FAllMenu; }
    TskSkinPopupMenu* HiddenChildrenMenu() const { return FHiddenMenu; }
    void RebuildChildMenu(bool HiddenOnly);

    void RefreshSkin() override;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Layout and the buttons it needs, then a repaint.
    void Relayout();
    void UpdateButtons();
    void ApplySkinHeight();
    // Height of the line under sktkTab tabs with a skin (0 otherwise).
    int BottomLineHeight() const;
    // The index a dragged tab would drop at now (the dragged index when nothing moves).
    int DragTarget() const;
    void SetHovered(int Index);
    // Takes a tab out, whichever way its child went; the hovered and the dragged tab stay the same tabs.
    void RemoveTabAt(int Index);
    void ShowChild(TCustomForm* Child);
    void DrawTab(TCanvas* C, const TskMDITab* Tab, const TRect& R);
    void DrawCloseButton(TCanvas* C, const TskMDITab* Tab, const TRect& R);
    void DrawDropMarker(TCanvas* C, int X);

    TComponentLink<TskFormFrame> FFormFrame{this};
    TskSkinMDITabKind FTabKind = sktkTab;
    bool FShowCloseButtons = false;
    bool FSupportChildMenus = true;
    bool FMoveTabs = true;
    bool FUseSkinSize = true;
    bool FUseSkinFont = true;
    int FDefaultHeight = 21;
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultTabWidth = 100;
    int FMinTabWidth = 0;

    std::vector<std::unique_ptr<TskMDITab>> FTabs;
    int FHovered = -1;
    int FOldHovered = -1;
    bool FButtonDown = false;
    int FDragIndex = -1;
    int FDragStartX = 0;
    int FDragOffset = 0;
    bool FDragging = false;
    int FHiddenCount = 0;
    TComponentLink<TskSkinPopupMenu> FAllMenu{this};       // owned (component children)
    TComponentLink<TskSkinPopupMenu> FHiddenMenu{this};
    TComponentLink<TskSkinMenuSpeedButton> FAllButton{this};
    TComponentLink<TskSkinMenuSpeedButton> FHiddenButton{this};
};

// Registers TskSkinMDITabsBar for the form reader.
void RegisterSkinMDITabsBarClasses();
