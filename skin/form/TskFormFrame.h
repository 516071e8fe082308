#pragma once
// TskFormFrame turns an ordinary form into a skinned window. Dropped on a form (its owner must be a
// form), it takes over the form's window procedure and from then on sizes, shapes, hit-tests and paints
// the whole non-client frame (borders, caption, caption buttons, skin objects) from the "FORMINFO" data
// and the skin objects of a TskSkinData. Without a usable skin it paints a plain frame of its own in
// system colours. It also owns the TskSkinMenu through which every skinned popup menu of the form is
// shown.
//
// Every control, dialog and menu reaches the frame of a form through FindSkinFormComponent.
//
// The frame is either in the window's non-client area (SupportNCArea, the normal case) or drawn inside
// the client area of a border-less form.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Regions.h"
#include "platform/gfx/TDeviceContext.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"
#include "platform/vcl/TControl.h"
#include "skin/data/SkinMessages.h"
#include "platform/win/Window.h"
#include "skin/form/FrameLayout.h"
#include "skin/form/TskSkinPopupMenu.h"
#include "platform/rtl/TAliveFlag.h"

class TBitmap;
class TCanvas;
class TCustomForm;
class TFont;
class TIcon;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TTimer;
class TWinControl;
class TskActiveSkinObject;
class TskLayerManager;
class TskSkinData;
class TskSkinHint;
class TskSkinMainMenuBar;
class TskSkinMainMenuItem;
class TskSkinMDITabsBar;
class TskSkinMenu;
class TskSkinStatusBar;
class TskTrayIcon;
struct TMsg;

// Caption buttons and system-menu items a frame offers. Scoped, because the form's own border icons
// use some of the same names.
enum class TskBorderIcon { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TskBorderIcons = TSet<TskBorderIcon>;

// Where the form goes at its first show.
enum TskPositionInMonitor { skpDefault, skpScreenCenter, skpDesktopCenter };

// State of a switch skin object.
enum TSwitchState { swsOff, swsOn };

// The frame's own window state (the form's WindowState stays normal while the frame is skinned).
constexpr int FrameStateNormal = 0;
constexpr int FrameStateMinimized = 1;
constexpr int FrameStateMaximized = 2;

// Hit-test answer for a point on a skin object or on frame parts that are neither caption nor border.
constexpr LRESULT HTOBJECT = 19;

// Answers of the frame to the library's queries.
constexpr LRESULT SkinFormFrameOff = 12852;   // CM_QUERYSKINFORM: the frame is off on a newer system
constexpr LRESULT SkinFormFrameOn = 12853;    // CM_QUERYSKINFORM: otherwise

using TskCaptionPaintEvent = std::function<void(TCanvas* Cnvs, const TRect& R, bool AActive)>;
using TskChangeClientRectEvent = std::function<void(const TRect& NewClientRect)>;
using TskMouseObjectEvent =
    std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button)>;
using TskMouseMoveObjectEvent = std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect)>;
using TskObjectEvent = std::function<void(const std::string& IDName)>;
using TskPaintObjectEvent = std::function<void(const std::string& IDName, TCanvas* Canvas, const TRect& ObjectRect)>;
using TskSwitchChangeStateEvent = std::function<void(const std::string& IDName, TSwitchState State)>;
using TskChangeValueEvent = std::function<void(const std::string& IDName, int Value)>;
using TskActivateCustomObjectEvent = std::function<void(const std::string& IDName, bool& ObjectVisible)>;

class TskFormFrame : public TComponent, public TskSkinMenuServer {
public:
    // Raises EInvalidCast when the owner is not a form.
    explicit TskFormFrame(TComponent* AOwner);
    ~TskFormFrame() override;

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    // ---- Published properties ----
    TskSkinData* SkinData() const override { return FSkinData; }
    // Applies the skin at once.
    void SetSkinData(TskSkinData* Value);
    // Skin of the system menu and the popup menus shown through this frame; SkinData when nil.
    TskSkinData* MenusSkinData() const override { return FMenusSkinData; }
    void SetMenusSkinData(TskSkinData* Value);
    bool SupportNCArea() const { return FSupportNCArea; }
    void SetSupportNCArea(bool Value);
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool Value);
    bool DraggAble() const { return FDraggAble; }
    void SetDraggAble(bool Value) { FDraggAble = Value; }
    bool Magnetic() const { return FMagnetic; }
    void SetMagnetic(bool Value) { FMagnetic = Value; }
    BYTE MagneticSize() const { return FMagneticSize; }
    void SetMagneticSize(BYTE Value) { FMagneticSize = Value; }
    TskBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TskBorderIcons Value);
    bool HideCaptionButtons() const { return FHideCaptionButtons; }
    void SetHideCaptionButtons(bool Value);
    bool DisableSystemMenu() const { return FDisableSystemMenu; }
    void SetDisableSystemMenu(bool Value);
    bool UseDefaultSysMenu() const { return FUseDefaultSysMenu; }
    void SetUseDefaultSysMenu(bool Value) { FUseDefaultSysMenu = Value; }
    TPopupMenu* SystemMenu() const { return FSystemMenu; }
    void SetSystemMenu(TPopupMenu* Value);
    TMainMenu* MainMenu() const { return FMainMenu; }
    // With a loaded skin, the menu's items are made again on the frame at once.
    void SetMainMenu(TMainMenu* Value);
    // A separate bar that shows the main menu instead of the frame; the frame hands it the keyboard.
    TskSkinMainMenuBar* MainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(TskSkinMainMenuBar* Value);
    TskSkinStatusBar* StatusBar() const { return FStatusBar; }
    void SetStatusBar(TskSkinStatusBar* Value);
    // The icon the form is minimized into. Setting it hides the icon (unless AlwaysShowInTray) and gives
    // it the frame's tray menu and RestoreFromTray for a double click, where it has none of its own.
    TskTrayIcon* TrayIcon() const { return FTrayIcon; }
    void SetTrayIcon(TskTrayIcon* Value);
    bool AlwaysShowInTray() const { return FAlwaysShowInTray; }
    void SetAlwaysShowInTray(bool Value) { FAlwaysShowInTray = Value; }
    bool AlwaysMinimizeToTray() const { return FAlwaysMinimizeToTray; }
    void SetAlwaysMinimizeToTray(bool Value) { FAlwaysMinimizeToTray = Value; }
    TskSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TskSkinHint* Value);
    bool ShowObjectHint() const { return FShowObjectHint; }
    void SetShowObjectHint(bool Value) { FShowObjectHint = Value; }
    bool UseDefaultObjectHint() const { return FUseDefaultObjectHint; }
    void SetUseDefaultObjectHint(bool Value);
    bool UseSkinCursors() const { return FUseSkinCursors; }
    void SetUseSkinCursors(bool Value) { FUseSkinCursors = Value; }
    bool UseFormCursorInNCArea() const { return FUseFormCursorInNCArea; }
    void SetUseFormCursorInNCArea(bool Value) { FUseFormCursorInNCArea = Value; }
    bool ShowIcon() const { return FShowIcon; }
    void SetShowIcon(bool Value);
    TBitmap* LogoBitMap() const { return FLogoBitMap.get(); }
    void SetLogoBitMap(TBitmap* Value);
    bool LogoBitMapTransparent() const { return FLogoBitMapTransparent; }
    void SetLogoBitMapTransparent(bool Value) { FLogoBitMapTransparent = Value; }
    TFont* DefCaptionFont() const { return FDefCaptionFont.get(); }
    void SetDefCaptionFont(TFont* Value);
    TFont* DefInActiveCaptionFont() const { return FDefInActiveCaptionFont.get(); }
    void SetDefInActiveCaptionFont(TFont* Value);
    // The next five are held by the form's TskSkinMenu.
    int DefMenuItemHeight() const;
    void SetDefMenuItemHeight(int Value);
    TFont* DefMenuItemFont() const;
    void SetDefMenuItemFont(TFont* Value);
    bool UseSkinFontInMenu() const;
    void SetUseSkinFontInMenu(bool Value);
    int MaxMenuItemsInWindow() const;
    void SetMaxMenuItemsInWindow(int Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value);
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    bool MenusAlphaBlend() const;
    void SetMenusAlphaBlend(bool Value);
    BYTE MenusAlphaBlendValue() const;
    void SetMenusAlphaBlendValue(BYTE Value);
    bool MenusAlphaBlendAnimation() const;
    void SetMenusAlphaBlendAnimation(bool Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value) { FMinWidth = Value; }
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value) { FMinHeight = Value; }
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value) { FMaxWidth = Value; }
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value) { FMaxHeight = Value; }
    int ClientWidth() const { return FClientWidth; }
    void SetClientWidth(int Value) { FClientWidth = Value; }
    int ClientHeight() const { return FClientHeight; }
    void SetClientHeight(int Value) { FClientHeight = Value; }
    bool MaximizeOnFullScreen() const { return FMaximizeOnFullScreen; }
    void SetMaximizeOnFullScreen(bool Value) { FMaximizeOnFullScreen = Value; }
    TskPositionInMonitor PositionInMonitor() const { return FPositionInMonitor; }
    void SetPositionInMonitor(TskPositionInMonitor Value) { FPositionInMonitor = Value; }

    // ---- Published events ----
    TskCaptionPaintEvent OnCaptionPaint;
    TskChangeClientRectEvent OnChangeClientRect;
    TNotifyEvent OnChangeSkinData;
    TskMouseObjectEvent OnMouseDownEvent;
    TskMouseObjectEvent OnMouseUpEvent;
    TskMouseMoveObjectEvent OnMouseMoveEvent;
    TskObjectEvent OnMouseEnterEvent;
    TskObjectEvent OnMouseLeaveEvent;
    TskPaintObjectEvent OnPaintEvent;
    TskSwitchChangeStateEvent OnSwitchChangeStateEvent;
    TskChangeValueEvent OnTrackBarChangeValueEvent;
    TskChangeValueEvent OnFrameRegulatorChangeValueEvent;
    TskActivateCustomObjectEvent OnActivateCustomObject;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnSkinMenuOpen;
    TNotifyEvent OnSkinMenuClose;
    TNotifyEvent OnMainMenuEnter;
    TNotifyEvent OnMainMenuExit;
    TNotifyEvent OnChangeRollUpState;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnMaximize;
    TNotifyEvent OnMinimizeToTray;
    TNotifyEvent OnRestoreFromTray;
    // Asked first for every key that reaches the form's short-cut handling; setting Handled ends it.
    std::function<void(TMessage& Msg, bool& Handled)> OnShortCut;

    // ---- The menu server (the skinned popup menus of the form) ----
    TskSkinMenu* SkinMenu() const override { return FSkinMenu; }
    // Same as MarkSkinMenuOpen.
    void SkinMenuOpen() override;
    // Closes an open chain of the form's skin menu and runs CloseSkinMenuState.
    void SkinMenuClose() override;
    // Before a skinned popup menu of the form opens: the first time, sets the open flag and fires
    // OnSkinMenuOpen.
    void MarkSkinMenuOpen();
    // The form's skin menu has closed (WM_CLOSESKINMENU): hides the second glow layer, clears the open
    // flag and fires OnSkinMenuClose.
    void CloseSkinMenuState();
    bool SkinMenuIsOpen() const { return FSkinMenuOpen; }
    // The skin menus use MenusSkinData, else SkinData.
    TskSkinData* EffectiveMenusSkinData() const;
    // The items shown as the system menu, made up for the window's state now: the frame's own menu, or
    // the user's SystemMenu with the frame's items added around its own (UseDefaultSysMenu).
    TMenuItem* GetSystemMenuItems();
    // Opens the system menu at a screen point, under a screen rectangle, or under the system-menu button
    // (Alt+Space). Any open skin menu of the form is closed first.
    void ShowSystemMenuAt(const TPoint& P);
    void ShowSystemMenuUnder(const TRect& R);
    void ShowSystemMenuFromObject();
    // The form's short-cut handling: OnShortCut, then Alt+Space, then the main menu's short cuts.
    // Returns whether the key was taken.
    bool FormShortCut(TMessage& Msg);

    // ---- The main menu on the frame ----
    // The item objects of MainMenu, freed and made again (the skin's "MAINMENUITEM" entry, one per
    // visible top-level item); with Repaint the frame shows them at once.
    void RebuildMainMenuItems(bool Repaint);
    void CreateMainMenuItems();
    // The main-menu item objects, in menu order.
    std::vector<TskSkinMainMenuItem*> MainMenuItems() const;
    // Alt+Key (or Key in the keyboard mode): the item whose caption has Key as its accelerator is lit and
    // opened or run; the bar decides when one is linked. False when no item has it.
    bool MainMenuAccelerator(WORD Key);
    // The item after (before) the lit or open one, wrapping around; an open menu moves along.
    void NextMainMenuItem();
    void PreviousMainMenuItem();
    // The keyboard mode (a tap of Alt or F10): the keys go to the main menu until it ends. Nothing
    // happens without an item to light.
    void EnterMainMenuKeyboardMode();
    void EndMainMenuKeyboardMode();
    bool MainMenuHasKeyboard() const { return FMainMenuKeyboard; }
    // Marks the keyboard mode on without lighting an item (an item or the bar opened its menu) and
    // fires OnMainMenuEnter the first time.
    void BeginMainMenuMode();
    // The open menu of the main menu ended by Escape: its item (Released) is released and stays lit.
    void CloseMainMenu(TskSkinMainMenuItem* Released);
    // One key while the main menu has the keyboard or a skin menu of the form is open.
    bool MainMenuKeyDown(WORD Key);

    // ---- State the objects and the other frame parts read ----
    TCustomForm* Form() const { return FForm; }
    // True while the frame is skinned (follows the skin's SkinnableForm).
    bool FrameOn() const { return FFrameOn; }
    // SkinData set and loaded, and the frame on: skin painting instead of the default look.
    bool SkinUsable() const;
    // SupportNCArea, SkinData loaded and "clientrect" not empty.
    bool IsFrameSkinned() const;
    // SupportNCArea, frame on, the form's BorderStyle not none.
    bool FrameShown() const;
    // The forced-active flag, else the form is active and is the screen's active form.
    bool IsFormActive() const;
    bool ForcedActive() const { return FForcedActive; }
    void SetForcedActive(bool Value);
    int FrameWindowState() const { return FWindowState; }
    bool Maximized() const { return FWindowState == FrameStateMaximized; }
    bool Minimized() const { return FWindowState == FrameStateMinimized; }
    bool RolledUp() const { return FRolledUp; }
    bool InSizeMoveLoop() const { return FInSizeMoveLoop; }
    // The new state: 0 normal, 1 minimized, 2 maximized. Maximize fills the work area of the form's
    // monitor, restore puts the bounds back, minimize minimizes the application.
    void SetFrameWindowState(int Value);
    // Rolls the frame up to its caption (the client area hidden) or back down.
    void RollUpFrame(bool Up);
    // Into the tray: the application is minimized and the tray icon hides the main form behind its
    // icon. Without a tray the application stays minimized the ordinary way. Nothing without TrayIcon.
    void MinimizeToTray();
    // Back from the tray: the main form is shown and the icon hidden (unless AlwaysShowInTray).
    void RestoreFromTray();
    // The frame's tray menu: "Restore", a line, "Close".
    TskSkinPopupMenu* TrayMenu() const { return FTrayMenu; }
    // At the first show: centres the form on its monitor (skpScreenCenter) or on the monitor's work
    // area (skpDesktopCenter); skpDefault leaves it where it is.
    void PlaceInMonitor();
    // Bounds placed by PositionInMonitor (unchanged for skpDefault).
    TRect CalcPlacementInMonitor(const TRect& Bounds) const;
    // Changes the form's width by one pixel and back, so that limits, layout and region apply again.
    void RefitForm();
    // The magnetic rule for a window moved to (Left, Top): within MagneticSize of an edge of the work
    // area it snaps there, and it leaves the edge only once the cursor has gone more than MagneticSize
    // from where it snapped.
    void SnapToWorkArea(int& Left, int& Top, int Width, int Height);
    // Where a form minimized to its caption bar goes: the first free slot along the bottom of the
    // work area, row above row.
    TPoint GetMinimizedPosition();
    // A double click on the caption: restore, maximize or roll up by the state and the border icons.
    void CaptionDoubleClick();

    // ---- The skin objects ----
    int ObjectCount() const { return static_cast<int>(FObjects.size()); }
    TskActiveSkinObject* Objects(int Index) const;
    int IndexOfObject(const TskActiveSkinObject* AObject) const;
    // Index of the object under the pointer, of the one holding the mouse; -1 for none.
    int ActiveObject() const { return FActiveObject; }
    int PressedObject() const { return FPressedObject; }
    // The object with that IDName (case matters), or nullptr.
    TskActiveSkinObject* FindObject(const std::string& AIDName) const;
    // Redraws one object on the window: only when it belongs to the current roll-up state.
    void RedrawSkinObject(TskActiveSkinObject* AObject);
    void StartMorphTimer();
    void StartAnimateTimer();
    // The two glow-layer windows: 0 for hovering, 1 for buttons whose menu is open.
    TskLayerManager* LayerManager(int Index) const;
    void HideGlowLayers();
    // A rectangle in frame (window) coordinates turned into screen coordinates.
    TRect FrameToScreenRect(const TRect& R) const;
    // A screen point in frame (window) coordinates.
    TPoint ScreenToFrame(const TPoint& P) const;
    // Forgets the object under the pointer (before a window command changes the frame).
    void ClearActiveObject();
    // Client-area mode: the caption object starts and ends moving the window by dragging.
    void StartClientDrag();
    void EndClientDrag();
    bool Dragging() const { return FDragging; }
    // Draws the form icon, at the small-icon size, centred in R (the system-menu button with ShowIcon).
    void DrawFormIcon(TCanvas* Cnvs, const TRect& R);
    // The size the caption icon is drawn at.
    static TSize SmallIconSize();
    // Every object back to idle (not the captions): window deactivated, size or move loop.
    void ResetObjectStates();
    // Every active object gets its mouse-leave.
    void LeaveAllObjects();

    // ---- Input to the objects (frame coordinates; client coordinates in client-area mode) ----
    void TestActiveObject(int X, int Y, bool MakeActive);
    void MouseDownToObjects(TMouseButton Button, int X, int Y);
    void MouseUpToObjects(TMouseButton Button, int X, int Y);
    void MouseMoveToObjects(int X, int Y);
    void DblClickToObjects(int X, int Y, TMouseButton Button);

    // ---- Skin ----
    // Builds the skin objects and the frame from SkinData; fires OnChangeSkinData.
    void ApplySkinData();
    // Frees the skin objects (before the skin changes and at destruction).
    void ClearSkinObjects();
    // Turns the skinned frame on or off (the skin's SkinnableForm); every skinned control of the form
    // reads its skin again.
    void SetSkinnableFrame(bool Value);
    // The skin change passed on to the controls under Parent, depth first: before it, the controls
    // that follow Skin forget their entry; after it, they read it again. A nil Skin reaches every
    // skinned control. Controls freed by another's refresh are skipped.
    void BeforeChangeControlsSkinData(TskSkinData* Skin, TWinControl* Parent);
    void ChangeControlsSkinData(TskSkinData* Skin, TWinControl* Parent);

    // ---- Caption buttons ----
    // Six plain caption buttons for a frame without skin: close, maximize, minimize, roll-up, system
    // menu and tray, hidden while disabled.
    void CreateDefaultCaptionButtons();
    // Enables and shows the caption buttons by HideCaptionButtons, BorderIcons and DisableSystemMenu.
    void UpdateCaptionButtons();
    // The normal and the restore hint of every caption button.
    void LoadCaptionButtonHints();
    // Places the default buttons in the default caption and narrows the caption by them.
    void LayoutDefaultButtons();
    // The caption of the default frame once its buttons are taken out (window coordinates).
    const TRect& DefaultCaptionRect() const { return FDefaultCaptionRect; }

    // ---- Layout, hit testing and painting ----
    // The layout of the current size (the form's size when none is stored yet).
    void CalcSkinFrameLayout();
    const TskFrameLayout& Layout() const { return FLayout; }
    // A rectangle of the frame picture moved or stretched to the current size.
    TRect StretchSkinRect(const TRect& R) const;
    void PlaceSkinObjects();
    // Window coordinates.
    LRESULT SkinHitTest(int X, int Y);
    LRESULT DefaultHitTest(int X, int Y);
    // Client coordinates, client-area mode.
    LRESULT ClientHitTest(int X, int Y);
    // The client rectangle inside the window (window coordinates) of the frame as it is now.
    TRect FrameClientRect();
    void SetFrameRegion(bool Repaint);
    void UpdateSkinFrame(bool Repaint);
    // DC 0: the window's own device context.
    void PaintSkinFrame(HDC DC);
    void PaintDefaultFrame(HDC DC);
    // The client background (WM_ERASEBKGND).
    void PaintClientBackground(HDC DC);
    // The skin's frame picture composed at the window's size, as the client background shows it.
    TBitmap& ComposedFramePicture();
    // Minimum and maximum size of the frame.
    int GetMinWidth();
    int GetMinHeight();
    int GetMaxWidth();
    int GetMaxHeight();
    // Caption height of the default frame: 19, or 15 for a tool window.
    int DefaultCaptionHeight() const;
    // The size used for layout (the form's size after each WM_SIZE).
    int StoredWidth() const { return FWidth; }
    int StoredHeight() const { return FHeight; }

    // The replacement window procedure of the form.
    void SkinFormWindowProc(TMessage& Message);

    // ---- MDI (TskFormFrameMdi.cpp) ----
    // On the MDI main form: the bar that shows one tab per child.
    TskSkinMDITabsBar* MDITabsBar() const { return FMDITabsBar; }
    void SetMDITabsBar(TskSkinMDITabsBar* Value);
    // The main form's client rectangle left free by its visible aligned controls.
    TRect GetMDIClientArea() const;
    // The active child when its frame is maximized, else the first child whose frame is; nil for none.
    TCustomForm* FindMaximizedMDIChild() const;
    // Every child hears WM_UPDATEMAXIMIZEDCHILD (a maximized one fills the client area again), then the
    // minimized ones are put in their row again.
    void UpdateMaximizedChildren();
    void ArrangeMinimizedMDIChildren();
    // The main form shows a maximized child (WM_MDICHILDMAX until the last one is restored).
    bool MDIChildMaximized() const { return FMDIChildMax; }
    // The main form's MDI client is painted by this frame: from the client's making (or the frame's
    // coming) until the client goes.
    bool MDIClientHooked() const { return FMDIClientInstance != 0; }
    // Client 0: the form's own client window.
    void HookMDIClient(HWND Client = 0);
    // The caption of the plain frame: with a maximized child, the form's caption + " - [" + the child's + "]".
    std::string DefaultFrameCaption() const;
    // Paints the MDI client's background into DC (client coordinates of the MDI client).
    void PaintMDIClientBackground(HDC DC);

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool Loading() const { return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading); }
    void CallDefault(TMessage& Message);
    // What a stage of the window procedure leaves of a message: Handled, nothing after it runs for the
    // message; PassOn, the next in line does (the frame's own handling, then the saved window procedure).
    enum class TDispatched { Handled, PassOn };
    // The frame's own handling; PassOn: the saved window procedure still has to run.
    TDispatched Dispatch(TMessage& Message);
    // MDI parts of the window procedure: before the frame's own handling (PassOn: the frame handles
    // the message next) and after it.
    TDispatched DispatchMDIBefore(TMessage& Message);
    void DispatchMDIAfter(const TMessage& Message);
    void UnhookMDIClient();
    // Arranging the children: each one its frame maximised goes back to normal first.
    void RestoreMaximizedMDIChildren();
    LRESULT MDIClientWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    // The frame of the application's main form when that is the MDI form this child belongs to.
    TskFormFrame* MainMDIFrame() const;
    // On the MDI main form: the frame of its active child, nil when none.
    TskFormFrame* ActiveMDIChildFrame() const;
    // A child's frame changed its state (Old the state before): the main form hears of it.
    void MDIChildStateChanged(int Old);
    void MaximizeMDIChild();
    void MinimizeMDIChild();
    // The child's item under the main form's WindowMenu, and its tab: added, renamed, checked, removed.
    void AddMDIChildItems();
    void RemoveMDIChildItems();
    void UpdateMDIChildItems();
    void PreFilter(const TMessage& Message);
    // Closes the drop-downs of the form's skinned combo boxes and edits.
    void CancelDropDowns();
    void RouteMouse(const TMessage& Message);
    void WMSize(TMessage& Message);
    void WMActivate(TMessage& Message);
    void WMNCActivate(TMessage& Message);
    void WMNCCalcSize(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMShowWindow(TMessage& Message);
    void WMSetText(TMessage& Message);
    void WMGetMinMaxInfo(TMessage& Message);
    void WMSysCommand(TMessage& Message);
    void WMEnterSizeMove();
    void WMExitSizeMove();
    void WMSizing(TMessage& Message);
    void WMMoving(TMessage& Message);
    void BeforeChangeSkinData(TMessage& Message);
    // The form's own border icons while the frame is off.
    void UpdateFormBorderIcons();
    // The window made at least as large as the skin's frame needs.
    void FitToSkinSizes();
    // The published ClientWidth and ClientHeight, when set, given to the form.
    void ApplyStoredClientSize();
    // Client-area mode: the client is the skin picture's size (fixed skin), or at least its limits.
    void FitClientToSkin();
    // Client-area mode: the form's skinned controls with an AreaName are given their skin area.
    void CollectAreaControls();
    void PlaceAreaControls();
    void ChangeSkinData(TMessage& Message);
    // What the frame does when the component of a link goes, beyond clearing the link.
    void SkinDataGone();
    void MainMenuGone();
    void MainMenuBarGone();
    // True while the frame or its form goes: the window part is gone, nothing is rebuilt.
    bool Going() const;
    void RepaintFrame();
    void UpdateCaptionActivation(bool Animated);
    void MorphTimerTick(TObject* Sender);
    void AnimateTimerTick(TObject* Sender);
    void MouseLeaveTimerTick(TObject* Sender);
    void ApplyAlphaBlend();
    // Caption buttons and the system menu.
    void PlaceCaptionButtons();
    // A setter changed which buttons are offered.
    void CaptionButtonsChanged();
    void BuildDefaultSystemMenu();
    void BuildTrayMenu();
    // The tray menu's captions in the frame's skin.
    void UpdateTrayMenuCaptions();
    void UpdateSystemMenu();
    TMenuItem* MakeSystemMenuItem(const std::string& Name, const std::string& CaptionKey, std::function<void()> Action);
    // Which of the frame's own system-menu items the window's state and BorderIcons offer now.
    bool OffersMinimize() const;
    bool OffersMaximize() const;
    bool OffersRestore() const;
    bool OffersRollUp() const;
    void PopupSystemMenu(const TRect& R);
    // The system menu's restore: a rolled-up frame rolls down, any other goes back to normal.
    void RestoreCommand();
    // Window states.
    bool MinimizesApplication() const;
    void MaximizeFrame();
    void RestoreFrame();
    // The window itself maximised or restored (by the window manager's own command): the frame takes
    // that state.
    void FollowWindowState(WPARAM SizeType);
    // The window manager may size the form exactly when the frame offers sizing borders.
    void ApplySizeableStyle();
    void MinimizeFrame();
    void ClearSnapMarks();
    void SetLayered(bool On);
    // One step of the fade-in (the form's window timer FadeTimerId).
    void FadeStep();
    static constexpr WPARAM FadeTimerId = 1;
    static constexpr unsigned FadeInterval = 5;
    static constexpr int FadeStepValue = 10;
    // The keyboard while a skin menu of the form is open: keys go to the menu, not to the form.
    void InstallMenuKeyboardHook();
    void RemoveMenuKeyboardHook();
    bool MenuKeyboardHook(const TMsg& M);
    bool ShortCutHook(const TMsg& M);
    // The main menu on the frame (TskFormFrameMainMenu.cpp).
    void PlaceMainMenuItems();
    void StepMainMenuItem(bool Forward);
    void ExecuteMainMenuItem(bool& Pressed);
    // The menu whose short cuts the form takes: the bar's, else MainMenu.
    TMainMenu* ShortCutMenu() const;
    // At the first show: the form's own Menu is shown by the frame or by a bar, never dropped.
    void TakeFormMenu();
    // The skin draws main-menu items on the frame.
    bool CanShowMainMenu() const;
    // The object belongs to the current roll-up state of the frame.
    bool InRollUpState(const TskActiveSkinObject* AObject) const;
    // A frame drawn inside the client area rolls up to the skin's roll-up picture, shaped by its mask.
    void RollUpClientAreaFrame(bool Up);
    bool ClientAreaRolledUp() const;
    // The frame comes from the skin: a usable skin that has a frame picture; otherwise the default look.
    bool SkinPaintsFrame() const;
    void PaintFrame(HDC DC);
    // Composes the four frame strips of the current size from the active or inactive picture.
    void ComposeFrameStrips(bool ActiveLook);
    void DrawObjectsIntoStrips();
    void PaintClientAreaFrame(HDC DC);
    void DrawLogo(TCanvas* Cnvs, const TRect& R);

    TCustomForm* FForm = nullptr;
    std::function<void(TMessage&)> FSavedWindowProc;
    bool FHooked = false;

    TComponentLink<TskSkinData> FSkinData{this, [this] { SkinDataGone(); }};
    TComponentLink<TskSkinData> FMenusSkinData{this};
    bool FSupportNCArea = true;
    bool FSizeable = true;
    bool FDraggAble = false;
    bool FMagnetic = false;
    BYTE FMagneticSize = 10;
    TskBorderIcons FBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize,
        TskBorderIcon::biRollUp};
    bool FHideCaptionButtons = false;
    bool FDisableSystemMenu = false;
    bool FUseDefaultSysMenu = true;
    TComponentLink<TPopupMenu> FSystemMenu{this};
    TComponentLink<TMainMenu> FMainMenu{this, [this] { MainMenuGone(); }};
    TComponentLink<TskSkinMainMenuBar> FMainMenuBar{this, [this] { MainMenuBarGone(); }};
    bool FMainMenuKeyboard = false;
    // Set while Escape goes to an open menu: its closing must not end the keyboard mode.
    bool FKeepMenuMode = false;
    // The press being handled closed the open menu of the main-menu item it landed on.
    bool FPressClosedMenu = false;
    TComponentLink<TskSkinStatusBar> FStatusBar{this};
    TComponentLink<TskSkinMDITabsBar> FMDITabsBar{this};
    bool FMDIChildMax = false;
    LONG_PTR FMDIClientInstance = 0;
    LONG_PTR FMDIClientOldProc = 0;
    HWND FMDIClient = 0;
    // The client was hooked before the form showed: the first show fits the form.
    bool FMDIClientRefitPending = false;
    TComponentLink<TskTrayIcon> FTrayIcon{this};
    TComponentLink<TskSkinPopupMenu> FTrayMenu{this};   // owned (component child)
    // MinimizeToTray told the tray icon to take the main form; its own setting before that.
    bool FTrayMarked = false;
    bool FTrayMarkBefore = false;
    bool FAlwaysShowInTray = false;
    bool FAlwaysMinimizeToTray = false;
    TComponentLink<TskSkinHint> FSkinHint{this};
    bool FShowObjectHint = false;
    bool FUseDefaultObjectHint = true;
    bool FUseSkinCursors = false;
    bool FUseFormCursorInNCArea = false;
    bool FShowIcon = false;
    std::unique_ptr<TIcon> FCaptionIcon;   // made at its first drawing
    std::unique_ptr<TBitmap> FLogoBitMap;
    bool FLogoBitMapTransparent = false;
    std::unique_ptr<TFont> FDefCaptionFont;
    std::unique_ptr<TFont> FDefInActiveCaptionFont;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    bool FAlphaBlendAnimation = false;
    int FMinWidth = 0;
    int FMinHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
    int FClientWidth = 0;
    int FClientHeight = 0;
    bool FMaximizeOnFullScreen = false;
    TskPositionInMonitor FPositionInMonitor = skpDefault;

    bool FFrameOn = true;
    bool FNewerSystem = true;
    bool FSkinChanging = false;
    bool FFirstShowPending = true;
    int FWindowState = FrameStateNormal;
    bool FRolledUp = false;
    bool FRolledUpFromMaximized = false;
    bool FRolledUpWhenMaximized = false;
    bool FSnapLeft = false;
    bool FSnapTop = false;
    bool FSnapRight = false;
    bool FSnapBottom = false;
    TPoint FSnapCursor;
    int FFadeOpacity = 255;
    int FHeightBeforeRollUp = 0;
    TRect FRestoreBounds;
    bool FWindowMaximized = false;   // the window itself is maximised (by the window manager)
    bool FFollowingWindow = false;   // taking the window's own state: its place is already given
    bool FForcedActive = false;
    bool FNCActive = false;
    bool FInSizeMoveLoop = false;
    // A move or size loop ended since the last press on the frame.
    bool FSizeMoveEnded = false;
    bool FFullDrag = false;
    int FWidth = 0;
    int FHeight = 0;
    TPoint FCursorPoint;
    bool FDragging = false;
    TPoint FDragPoint;
    bool FSkinMenuOpen = false;
    bool FClientTracking = false;
    std::vector<std::unique_ptr<TskActiveSkinObject>> FObjects;
    std::vector<std::pair<TControl*, TRect>> FAreaControls;   // control, its skin area; freed ones leave
    int FActiveObject = -1;
    int FPreviousActiveObject = -1;
    int FPressedObject = -1;
    bool FCaptured = false;
    TskFrameLayout FLayout;
    std::unique_ptr<TBitmap> FStrips[4]; // top, left, right, bottom
    // The composed frame picture, kept while the skin's state (its generation) and the layout stay the
    // same: composing a picture of the whole window is most of what a repaint would otherwise cost.
    std::unique_ptr<TBitmap> FComposed;
    unsigned FComposedGeneration = 0;
    TskFrameLayout FComposedLayout;
    TTimer* FMorphTimer = nullptr;        // owned (component children)
    TTimer* FAnimateTimer = nullptr;
    TTimer* FMouseLeaveTimer = nullptr;
    TPopupMenu* FDefaultSystemMenu = nullptr;
    TComponentLink<TskSkinMenu> FSkinMenu{this};
    TskLayerManager* FLayerManagers[2] = {nullptr, nullptr};
    HRGN FRegion = nullptr;
    TRect FDefaultCaptionRect;
    bool FMenuShortCut = false;
    int FMenuKeyHook = 0;
    int FShortCutHook = 0;
    // Set while the frame is being destroyed, so that late messages do no work.
    bool FDestroying = false;
    TAliveFlag FAlive;
};

// The frame among a form's components (the first one), or nullptr for a nil form or none.
TskFormFrame* FindSkinFormComponent(const TComponent* Form);

// Registers TskFormFrame for the form reader.
void RegisterSkinFrameClasses();
