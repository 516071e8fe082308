#pragma once
// TskTrayIcon puts an icon into the notification area of the desktop's panel (the system tray), reports
// what the mouse does on it, shows a skinned popup menu from it, cycles through the icons of an image
// list, and can hide the application's main form in the tray when the application is minimized. The
// form frame uses it for its minimize-to-tray command (TskFormFrame::TrayIcon).
//
// A desktop without a tray is an ordinary case: adding the icon fails, IconVisible stays False, and
// minimizing to the tray then minimizes the ordinary way, so the main form is never hidden behind an
// icon nobody can see. Should the tray go away while the main form is hidden in it, the form comes back.
// A tray that comes up later (or starts again) gets the icon when IconVisible was asked for.
//
// What the user does on the icon reaches the component as the callback message of its hidden window
// (TrayCallbackMessage, the mouse message in lParam). A single click is reported one double-click
// time after the press, and not at all when it turns into a double click.
#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/TComponent.h"
#include "platform/vcl/TControl.h"
#include "platform/win/Window.h"
#include "platform/rtl/TAliveFlag.h"

class TCustomImageList;
class TIcon;
class TTimer;
class TskSkinPopupMenu;

// Before each step of the icon cycle: the index the next step shows.
using TCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;

class TskTrayIcon : public TComponent {
public:
    // The callback message of the icon (WM_USER + 1024) and its id.
    static constexpr UINT TrayCallbackMessage = WM_USER + 1024;
    static constexpr UINT TrayIconId = 1;

    explicit TskTrayIcon(TComponent* AOwner);
    ~TskTrayIcon() override;
    void Loaded() override;

    // ---- Published properties ----
    // Mouse actions on the icon are reported.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // The icon shown; the application's icon when empty at creation. Setting it refreshes the tray.
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    // Whether the icon is in the tray now. Setting True adds it (which fails without a tray: it stays
    // False then), False takes it out.
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool Value);
    // The tool tip; at most 127 bytes of it reach the tray.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    // Shown on a right click (and a left one with PopupByLeftButton), when its AutoPopup is on.
    TskSkinPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TskSkinPopupMenu* Value);
    bool PopupByLeftButton() const { return FPopupByLeftButton; }
    void SetPopupByLeftButton(bool Value) { FPopupByLeftButton = Value; }
    // At load: the program starts hidden in the tray (minimized the ordinary way without one).
    bool MinimizedOnStart() const { return FMinimizedOnStart; }
    void SetMinimizedOnStart(bool Value) { FMinimizedOnStart = Value; }
    // Minimizing the application hides the main form in the tray.
    bool MinimizeToTray() const { return FMinimizeToTray; }
    void SetMinimizeToTray(bool Value) { FMinimizeToTray = Value; }
    // The icons the cycle shows.
    TCustomImageList* IconList() const { return FIconList; }
    void SetIconList(TCustomImageList* Value);
    // An index into IconList: past the end it becomes the last one; without a list it is 0.
    int IconIndex() const { return FIconIndex; }
    void SetIconIndex(int Value);
    // Switching it on starts the cycle at IconIndex 0.
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    unsigned AnimateTimerInterval() const;
    void SetAnimateTimerInterval(unsigned Value);
    // Shows the icon while the form is designed; kept for the stored forms, nothing else here.
    bool DesignPreview() const { return FDesignPreview; }
    void SetDesignPreview(bool Value) { FDesignPreview = Value; }

    // ---- Published events ----
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    // X, Y: where the pointer is on the screen.
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;
    TNotifyEvent OnBalloonHintClick;

    // ---- The tray ----
    // Each tells whether the desktop did it. Adding and deleting set IconVisible by what happened.
    virtual bool AddTrayIcon();
    virtual bool DeleteTrayIcon();
    virtual bool ModifyTrayIcon();
    // The application's main form shown again (restored from minimized) and brought to the front.
    void ShowMainForm();
    // The application's main form hidden.
    void HideMainForm();
    // The main form goes into the tray: the icon is added, and only once it is there is the form
    // hidden. Without a tray the form stays as it is (minimized the ordinary way). Returns whether it
    // went into the tray.
    bool MinimizeMainFormToTray();
    // Whether this icon hid the main form and has not shown it since.
    bool MainFormInTray() const { return FMainFormHidden; }
    // The hidden window the tray tells about the icon.
    HWND Handle() const { return FWindow; }

protected:

private:
    bool Loading() const { return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading); }
    bool Notify(DWORD Message);
    LRESULT TrayWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
    void TrayMouse(UINT MouseMessage);
    LRESULT ApplicationWndProc(HWND H, UINT Msg, WPARAM WParam, LPARAM LParam);
    void ClickTimerTick();
    void CycleTimerTick();
    void Popup();
    // The pointer where it is now, for the mouse events.
    TPoint Pointer() const;

    bool FEnabled = true;
    std::unique_ptr<TIcon> FIcon;
    // IconVisible as asked for (the stored property): a tray that comes up gets the icon when set.
    bool FIconWanted = true;
    bool FIconVisible = false;
    std::string FHint;
    bool FShowHint = true;
    TComponentLink<TskSkinPopupMenu> FPopupMenu{this};
    bool FPopupByLeftButton = false;
    bool FMinimizedOnStart = false;
    bool FMinimizeToTray = false;
    TComponentLink<TCustomImageList> FIconList{this};
    int FIconIndex = 0;
    bool FCycleIcons = false;
    bool FDesignPreview = false;

    HWND FWindow = 0;
    LONG_PTR FWindowProc = 0;
    TTimer* FClickTimer = nullptr;   // owned (component children)
    TTimer* FCycleTimer = nullptr;
    bool FLeftPressed = false;
    bool FClickPending = false;
    bool FDoubleClickSeen = false;
    bool FMainFormHidden = false;
    UINT FTaskbarCreated = 0;
    // The application window's procedure before ours, and ours.
    std::shared_ptr<LONG_PTR> FSavedApplicationProc = std::make_shared<LONG_PTR>(0);
    LONG_PTR FApplicationProc = 0;
    TAliveFlag FAlive;
};

// Registers TskTrayIcon for the form reader.
void RegisterSkinTrayIconClasses();
