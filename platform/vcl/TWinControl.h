#pragma once
// A control with a window of its own. The window is made on demand (Handle), with the style that
// CreateParams describes; children are kept in z-order (graphic ones below windowed ones, as the
// window system stacks them), laid out by Align and Anchors, and reached by the Tab key in TabOrder.
#include <vector>

#include "platform/vcl/TControl.h"
#include "platform/win/WinApi.h"

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = 0;
    UINT ClassStyle = CS_DBLCLKS;
    std::string WinClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // The window, made (with the parents' windows) on first use.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != 0; }
    void HandleNeeded();
    // Destroys and remakes the window (after a change of style).
    void RecreateWnd();

    // Children: Controls(0) is the lowest in the z-order.
    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    TControl* Controls(int Index) const;
    bool ContainsControl(TControl* Control) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // The child under a client point (graphic or windowed, visible and, unless AllowDisabled, enabled).
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = true);

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    int TabOrder() const;
    void SetTabOrder(int Value);
    // Windowed descendants in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& List);
    // The next (or previous) control that can take the focus after CurControl, wrapping round.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    // Layout.
    void DisableAlign();
    void EnableAlign();
    void Realign();
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    // Moves every child (and the window's content) by DeltaX, DeltaY.
    void ScrollBy(int DeltaX, int DeltaY);

    bool Showing() const override;
    void SetVisible(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    // Paints the graphic children onto DC (in the window's client coordinates).
    void PaintControls(HDC DC, TControl* First);
    // Paints the control and everything on it (windowed children too) into DC with its top left
    // at (X, Y): what a transparent child shows of its parent.
    void PaintTo(HDC DC, int X, int Y);

    // The control of a window made by this library, or nullptr.
    static TWinControl* FindControl(HWND Handle);

    // --- docking ---
    // A dock site takes controls whose DragKind is dkDock when they are dragged onto it.
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool Value);
    // What the drag asks of a dock site; each calls the event of the same name. Accept and CanDock start
    // True; InfluenceRect starts as the site's window rectangle on the screen.
    virtual void DockOver(TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DockDrop(TDragDockObject* Source, int X, int Y);
    virtual void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock);
    // Client leaves this site for NewTarget; false keeps it here.
    virtual bool DoUnDock(TWinControl* NewTarget, TControl* Client);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TDockDropEvent OnDockDrop;
    TDockOverEvent OnDockOver;
    TGetSiteInfoEvent OnGetSiteInfo;
    TUnDockEvent OnUnDock;

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateHandle();
    virtual void DestroyWnd();
    void DestroyHandle();
    // Called once the window exists (children get theirs here).
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void AdjustClientRect(TRect& Rect);
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void PaintWindow(HDC DC);
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(TKeyChar& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // True when the key was taken as a dialog key (Tab, Return, Escape, arrows) by the form.
    bool DoDialogKey(WORD Key);
    void BoundsChanged(const TRect& OldBounds) override;
    void AdjustSize() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void Loaded() override;
    void SetTextValue(const std::string& Value) override;
    void UpdateShowing();

    HWND FHandle = 0;
    HWND FParentWindow = 0;
    std::vector<TControl*> FControls;    // graphic children, bottom first
    std::vector<TWinControl*> FWinControls; // windowed children, bottom first
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    int FStoredTabOrder = -1; // as read, applied once all siblings exist
    int FBorderWidth = 0;
    int FAlignLevel = 0;
    bool FAlignPending = false;
    TSize FAnchorBase{-1, -1}; // client size the children's anchors last saw
    bool FInSetBounds = false;
    bool FInAlign = false;
    bool FDockSite = false;

private:
    void AlignAll();
    void ApplyAnchors();
    // True while this control, a parent of it or an owner of it is being destroyed.
    bool Going() const;
    void HandleWindowMessage(TMessage& Message, bool& Handled);
    void PaintHandler(TMessage& Message);
    void KeyDownMessage(TMessage& Message);
    friend class TControl;
    friend LRESULT VclMainWndProc(HWND, UINT, WPARAM, LPARAM);
};

// The window procedure of every window this library makes.
LRESULT VclMainWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
// Reports an exception that escaped a handler (through Application->HandleException when there is
// an application object).
void HandleControlException(TObject* Sender);
