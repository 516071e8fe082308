#pragma once
// TControl: anything that sits on a form. It has bounds in its parent's client area, alignment and
// anchors, visibility, enabling, a caption, a font and a colour (optionally the parent's), a hint,
// a popup menu and a cursor, and it receives messages through Perform/WindowProc (mouse, keys, the
// CM_* notifications). Windowed controls (TWinControl) own a window of the window layer; graphic
// controls are painted on their parent's window.
#include <functional>
#include <memory>
#include <string>

#include "platform/gfx/Colors.h"
#include "platform/rtl/TAliveFlag.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/DragDock.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/TComponent.h"
#include "platform/win/Messages.h"

class TWinControl;
class TPopupMenu;
class TCustomForm;
class TBasicAction;
class TBasicActionLink;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csParentBackground,
    csNeedsBorderPaint
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem { csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking };
using TControlState = TSet<TControlStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// A typed character: a Unicode code point (ASCII for the keys handlers usually test).
using TKeyChar = char32_t;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, TKeyChar& Key)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

using TCursor = short;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;

// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
public:
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    void Assign(TPersistent* Source) override;
    // Clamps a proposed size.
    void Apply(int& Width, int& Height) const;
    TNotifyEvent OnChange;

private:
    void Changed();
    int FMinWidth = 0;
    int FMinHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void BeforeDestruction() override;

    // --- parent and geometry ---
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // The client area in the control's own coordinates (0, 0 at the top left).
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* Constraints() const { return FConstraints; }
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    // --- state ---
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and every parent up to a shown top-level window.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& Value);

    TFont* Font() const { return FFont; }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);

    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    // Takes the parent's ShowHint when ParentShowHint is on, and passes a change on to the children.
    void ParentShowHintChanged();
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // An action the control follows (caption, enabled, visible, hint) and runs when clicked
    // without an OnClick of its own.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    // --- messages ---
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // The procedure messages go through; replace it to hook a control (keep the old one to chain).
    std::function<void(TMessage&)> WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // --- painting ---
    virtual void Invalidate();
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }

    void BringToFront();
    void SendToBack();
    // The form the control is on (nullptr when it is on none).
    TCustomForm* GetParentForm() const;

    virtual void Click();
    virtual void DblClick();

    // --- dragging and docking ---
    // dmAutomatic: a left press begins a drag once the pointer moves with the button held.
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    // dkDock drags the control into a dock site instead of onto a drop target.
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    // The pointer over a target that accepts the drag.
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    bool Dragging() const;
    // The dock site the control sits in (its parent, when that is a dock site), or nullptr.
    TWinControl* HostDockSite() const;

    // What a drag asks of its source and targets; each calls the event of the same name.
    virtual void DoStartDrag(TDragObject*& DragObject);
    // Accept starts False; only a control with OnDragOver takes drops.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void DoStartDock(TDragDockObject*& DragObject);
    virtual void DoEndDock(TObject* Target, int X, int Y);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TContextPopupEvent OnContextPopup;
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDockEvent OnStartDock;
    TEndDragEvent OnEndDock;

protected:
    virtual std::string GetText() const { return FText; }
    virtual void SetTextValue(const std::string& Value);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Resize();
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    // Re-sizes the control to its content when AutoSize is on.
    virtual void AdjustSize();
    // Asks the parent to lay its children out again.
    void RequestAlign();
    virtual void Loaded() override;
    // Moves the window (windowed controls) or repaints the parent's area (graphic controls).
    virtual void BoundsChanged(const TRect& OldBounds);
    virtual void VisibleChanging() {}
    virtual void ChangeScale(int, int) {}
    // Parent font or colour changed: take it when following the parent.
    void ParentFontChanged();
    void ParentColorChanged();
    void FontChanged();
    // Shows the popup menu at a screen point; true when one was shown.
    bool DoContextPopup(TPoint ScreenPos);

    // Message handling shared by all controls.
    void HandleMouseMessage(TMessage& Message);
    // Watched across every event a control fires from its own message handling: the handler may free
    // the control, which must then stop before it reads anything of itself.
    TAliveFlag FAlive;

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TSizeConstraints* FConstraints;
    bool FAutoSize = false;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    TFont* FFont;
    bool FParentFont = true;
    TColor FColor = clWindow;
    bool FParentColor = false;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TComponentLink<TPopupMenu> FPopupMenu{this};
    TCursor FCursor = crDefault;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    bool FFontChanging = false;
    std::unique_ptr<TBasicActionLink> FActionLink;
    // The action the link above serves: the link goes with it.
    TComponentLink<TBasicAction> FAction{this, [this] { ActionGone(); }};
    void ActionGone();

    friend class TWinControl;
};

// Shift state from mouse-message key flags and the keyboard.
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyboardShiftState();
// The control whose message handling is under way for the mouse (capture), or nullptr.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control the pointer is over, as last seen by the application's idle check.
TControl* GetMouseControl();
void SetMouseControl(TControl* Control);
