#include "platform/vcl/TControl.h"

#include <algorithm>

#include "platform/vcl/TAction.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"
#include "platform/vcl/TWinControl.h"
#include "platform/win/WinApi.h"

namespace {
TControl* gCaptureControl = nullptr;
TControl* gMouseControl = nullptr;
} // namespace

TControl* GetCaptureControl() { return gCaptureControl; }

void SetCaptureControl(TControl* Control)
{
    gCaptureControl = Control;
    if (Control == nullptr) {
        if (GetCapture() != 0) ReleaseCapture();
        return;
    }
    // A graphic control captures through its parent's window.
    if (auto* w = dynamic_cast<TWinControl*>(Control))
        SetCapture(w->Handle());
    else if (Control->Parent() != nullptr)
        SetCapture(Control->Parent()->Handle());
}

TControl* GetMouseControl() { return gMouseControl; }

void SetMouseControl(TControl* Control)
{
    if (Control == gMouseControl) return;
    TControl* old = gMouseControl;
    gMouseControl = Control;
    if (old != nullptr) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    if (Control != nullptr && gMouseControl == Control) Control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
}

TShiftState KeysToShiftState(WPARAM Keys)
{
    TShiftState s;
    if (Keys & MK_SHIFT) s.Include(ssShift);
    if (Keys & MK_CONTROL) s.Include(ssCtrl);
    if (Keys & MK_LBUTTON) s.Include(ssLeft);
    if (Keys & MK_RBUTTON) s.Include(ssRight);
    if (Keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

namespace {
// Copies an action's state to the control it is linked to.
class TControlActionLink : public TBasicActionLink {
public:
    explicit TControlActionLink(TControl* Control) : TBasicActionLink(Control), FControl(Control) {}
    void SetCaption(const std::string& Value) override { FControl->SetCaption(Value); }
    void SetEnabled(bool Value) override { FControl->SetEnabled(Value); }
    void SetVisible(bool Value) override { FControl->SetVisible(Value); }
    void SetHint(const std::string& Value) override { FControl->SetHint(Value); }

private:
    TControl* FControl;
};
} // namespace

// ---- TSizeConstraints ----

void TSizeConstraints::Changed()
{
    if (OnChange) OnChange(this);
}
void TSizeConstraints::SetMinWidth(int Value)
{
    if (Value == FMinWidth) return;
    FMinWidth = std::max(0, Value);
    Changed();
}
void TSizeConstraints::SetMinHeight(int Value)
{
    if (Value == FMinHeight) return;
    FMinHeight = std::max(0, Value);
    Changed();
}
void TSizeConstraints::SetMaxWidth(int Value)
{
    if (Value == FMaxWidth) return;
    FMaxWidth = std::max(0, Value);
    Changed();
}
void TSizeConstraints::SetMaxHeight(int Value)
{
    if (Value == FMaxHeight) return;
    FMaxHeight = std::max(0, Value);
    Changed();
}
void TSizeConstraints::Assign(TPersistent* Source)
{
    auto* c = dynamic_cast<TSizeConstraints*>(Source);
    if (c == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FMinWidth = c->FMinWidth;
    FMinHeight = c->FMinHeight;
    FMaxWidth = c->FMaxWidth;
    FMaxHeight = c->FMaxHeight;
    Changed();
}
void TSizeConstraints::Apply(int& Width, int& Height) const
{
    if (FMaxWidth > 0 && Width > FMaxWidth) Width = FMaxWidth;
    if (FMaxHeight > 0 && Height > FMaxHeight) Height = FMaxHeight;
    if (Width < FMinWidth) Width = FMinWidth;
    if (Height < FMinHeight) Height = FMinHeight;
}

// ---- TControl ----

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FConstraints(new TSizeConstraints), FFont(new TFont)
{
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FFont->OnChange = [this](TObject*) { FontChanged(); };
    FConstraints->OnChange = [this](TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); };
    // A control keeps a link for every other component it points at; a window of many controls is
    // freed in time linear in them only if they do not each hear of every sibling going.
    HearOnlyThroughLinks();
}

TControl::~TControl()
{
    DragManager::ControlGone(this);
    FActionLink.reset();
    if (gCaptureControl == this) gCaptureControl = nullptr;
    if (gMouseControl == this) gMouseControl = nullptr;
    if (FParent != nullptr) FParent->RemoveControl(this);
    delete FFont;
    delete FConstraints;
}

void TControl::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    DragManager::ControlGone(this);
    if (gCaptureControl == this) gCaptureControl = nullptr;
    if (gMouseControl == this) gMouseControl = nullptr;
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value)
{
    if (auto* w = dynamic_cast<TWinControl*>(Value)) SetParent(w);
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent != nullptr) FParent->RemoveControl(this);
    if (AParent != nullptr) {
        AParent->InsertControl(this);
        ParentFontChanged();
        ParentColorChanged();
        ParentShowHintChanged();
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    FConstraints->Apply(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    if ((AWidth != FWidth || AHeight != FHeight) && !CanResize(AWidth, AHeight)) {
        if (ALeft == FLeft && ATop == FTop) return;
        AWidth = FWidth;
        AHeight = FHeight;
    }
    const TRect old = BoundsRect();
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    BoundsChanged(old);
    RequestAlign();
    if (sized && !ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying)) Resize();
}

void TControl::BoundsChanged(const TRect& OldBounds)
{
    // A graphic control repaints where it was and where it is now.
    if (FParent != nullptr && FParent->HandleAllocated() && FVisible) {
        InvalidateRect(FParent->Handle(), &OldBounds, TRUE);
        TRect now = BoundsRect();
        InvalidateRect(FParent->Handle(), &now, TRUE);
    }
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int Value) { SetWidth(Value + (FWidth - ClientWidth())); }
void TControl::SetClientHeight(int Value) { SetHeight(Value + (FHeight - ClientHeight())); }

TPoint TControl::ClientOrigin() const
{
    if (FParent == nullptr) return {FLeft, FTop};
    TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint P) const
{
    TPoint o = ClientOrigin();
    return {P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const
{
    TPoint o = ClientOrigin();
    return {P.X - o.X, P.Y - o.Y};
}

void TControl::SetAlign(TAlign Value)
{
    if (Value == FAlign) return;
    FAlign = Value;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
    if (Value == FAnchors) return;
    FAnchors = Value;
}

void TControl::SetAutoSize(bool Value)
{
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    if (Value) AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::AdjustSize()
{
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    int w = FWidth, h = FHeight;
    if (CanAutoSize(w, h)) SetBounds(FLeft, FTop, w, h);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight)
{
    bool ok = true;
    if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, ok);
    return ok;
}

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

void TControl::RequestAlign()
{
    if (FParent != nullptr && !ComponentState().Contains(csDestroying)) FParent->Realign();
}

void TControl::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    VisibleChanging();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
    if (FParent != nullptr && FParent->HandleAllocated()) {
        TRect r = BoundsRect();
        InvalidateRect(FParent->Handle(), &r, TRUE);
    }
    RequestAlign();
}

bool TControl::Showing() const { return FVisible && FParent != nullptr && FParent->Showing(); }

void TControl::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const std::string& Value)
{
    if (Value == GetText()) return;
    SetTextValue(Value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetTextValue(const std::string& Value) { FText = Value; }

void TControl::FontChanged()
{
    if (!FFontChanging) FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value)
{
    if (Value == FParentFont) return;
    FParentFont = Value;
    ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!FParentFont || FParent == nullptr) return;
    FFontChanging = true;
    FFont->Assign(FParent->Font());
    FFontChanging = false;
    FParentFont = true;
}

void TControl::SetColor(TColor Value)
{
    if (Value == FColor) {
        FParentColor = false;
        return;
    }
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value)
{
    if (Value == FParentColor) return;
    FParentColor = Value;
    ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!FParentColor || FParent == nullptr) return;
    if (FColor != FParent->Color()) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED, 0, 0);
    }
    FParentColor = true;
}

void TControl::SetShowHint(bool Value)
{
    FParentShowHint = false;
    if (Value == FShowHint) return;
    FShowHint = Value;
    // Children that take their parent's setting follow it.
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value)
{
    FParentShowHint = Value;
    ParentShowHintChanged();
}

void TControl::ParentShowHintChanged()
{
    if (!FParentShowHint || FParent == nullptr || FParent->ShowHint() == FShowHint) return;
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
    if (Value == FPopupMenu) return;
    FPopupMenu = Value;
}

void TControl::SetCursor(TCursor Value)
{
    if (Value == FCursor) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value)
{
    if (Value == Action()) return;
    FAction = Value;
    if (Value == nullptr) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = std::make_unique<TControlActionLink>(this);
    FActionLink->SetAction(Value);
}

void TControl::ActionGone() { FActionLink.reset(); }

void TControl::Loaded()
{
    TComponent::Loaded();
    if (FParentFont) ParentFontChanged();
    if (FParentColor) ParentColorChanged();
    AdjustSize();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        HandleMouseMessage(Message);
        return;
    case CM_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        if (Message.Msg == CM_FONTCHANGED) AdjustSize();
        return;
    case CM_TEXTCHANGED:
        Invalidate();
        AdjustSize();
        return;
    case CM_PARENTFONTCHANGED:
        ParentFontChanged();
        return;
    case CM_PARENTCOLORCHANGED:
        ParentColorChanged();
        return;
    case CM_PARENTSHOWHINTCHANGED:
        ParentShowHintChanged();
        return;
    case CM_VISIBLECHANGED:
        return;
    case CM_CANCELMODE:
        if (gCaptureControl == this) SetCaptureControl(nullptr);
        FControlState.Exclude(csLButtonDown).Exclude(csClicked);
        return;
    case WM_CONTEXTMENU: {
        TPoint p = ParamPoint(Message.LParam);
        if (DoContextPopup(p)) Message.Result = 1;
        return;
    }
    default:
        DefaultHandler(Message);
    }
}

void TControl::HandleMouseMessage(TMessage& Message)
{
    const int x = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam)));
    const int y = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.LParam)));
    TShiftState shift = KeysToShiftState(Message.WParam);
    if (!FEnabled) return;
    // A click or a press may free the control (a button that closes its form does): what would follow
    // it then does not run.
    const auto alive = FAlive.Watch();
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Armed before the press is handled: the drag only begins once the pointer moves.
        if (FDragMode == dmAutomatic && !ComponentState().Contains(csDesigning))
            DragManager::Begin(this, ClientToScreen({x, y}));
        if (FControlStyle.Contains(csCaptureMouse)) SetCaptureControl(this);
        FControlState.Include(csLButtonDown);
        if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
        if (Message.Msg == WM_LBUTTONDBLCLK) {
            shift.Include(ssDouble);
            if (FControlStyle.Contains(csDoubleClicks)) DblClick();
            if (!*alive) return;
        }
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_LBUTTONUP: {
        const bool clicked = FControlState.Contains(csClicked);
        FControlState.Exclude(csLButtonDown).Exclude(csClicked);
        if (gCaptureControl == this) SetCaptureControl(nullptr);
        if (clicked && ClientRect().Contains({x, y})) Click();
        if (*alive && !ComponentState().Contains(csDestroying)) MouseUp(mbLeft, shift, x, y);
        break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (Message.Msg == WM_RBUTTONDBLCLK) shift.Include(ssDouble);
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        if (*alive && !ComponentState().Contains(csDestroying)) DoContextPopup(ClientToScreen({x, y}));
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (Message.Msg == WM_MBUTTONDBLCLK) shift.Include(ssDouble);
        MouseDown(mbMiddle, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    }
}

bool TControl::DoContextPopup(TPoint ScreenPos)
{
    bool handled = false;
    if (OnContextPopup) OnContextPopup(this, ScreenToClient(ScreenPos), handled);
    if (handled) return true;
    if (FPopupMenu != nullptr && FPopupMenu->AutoPopup()) {
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(ScreenPos.X, ScreenPos.Y);
        return true;
    }
    return false;
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
    else if (FActionLink)
        FActionLink->Execute(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

bool TControl::Dragging() const { return DragManager::IsDragging(this); }

TWinControl* TControl::HostDockSite() const { return FParent != nullptr && FParent->DockSite() ? FParent : nullptr; }

void TControl::DoStartDrag(TDragObject*& DragObject)
{
    if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (!OnDragOver) return;
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y)
{
    if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::DoStartDock(TDragDockObject*& DragObject)
{
    if (OnStartDock) OnStartDock(this, DragObject);
}

void TControl::DoEndDock(TObject* Target, int X, int Y)
{
    if (OnEndDock) OnEndDock(this, Target, X, Y);
}

void TControl::Invalidate()
{
    if (FParent != nullptr && FParent->HandleAllocated() && FVisible) {
        TRect r = BoundsRect();
        InvalidateRect(FParent->Handle(), &r, !FControlStyle.Contains(csOpaque));
    }
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (FParent != nullptr) FParent->Update();
}

void TControl::BringToFront()
{
    auto* self = dynamic_cast<TWinControl*>(this);
    if (FParent == nullptr) {
        if (self != nullptr && self->HandleAllocated()) SetWindowPos(self->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    if (self != nullptr) {
        auto& list = FParent->FWinControls;
        list.erase(std::remove(list.begin(), list.end(), self), list.end());
        list.push_back(self);
        if (self->HandleAllocated()) SetWindowPos(self->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.push_back(this);
        Invalidate();
    }
    // The order of aligned siblings does not change with the z-order, but the picture does.
}

void TControl::SendToBack()
{
    if (FParent == nullptr) return;
    if (auto* self = dynamic_cast<TWinControl*>(this)) {
        auto& list = FParent->FWinControls;
        list.erase(std::remove(list.begin(), list.end(), self), list.end());
        list.insert(list.begin(), self);
        if (self->HandleAllocated()) SetWindowPos(self->FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.insert(list.begin(), this);
        Invalidate();
    }
}

TCustomForm* TControl::GetParentForm() const
{
    const TControl* c = this;
    while (c->FParent != nullptr) c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void RegisterControlClasses()
{
    static const bool done = [] {
        RegisterComponentClasses();
        RegisterEnum<TAlign>({"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
        RegisterEnum<TAnchorKind>({"akLeft", "akTop", "akRight", "akBottom"});
        RegisterEnum<TAlignment>({"taLeftJustify", "taRightJustify", "taCenter"});
        RegisterEnum<TTextLayout>({"tlTop", "tlCenter", "tlBottom"});
        RegisterEnum<TDragMode>({"dmManual", "dmAutomatic"});
        RegisterEnum<TDragKind>({"dkDrag", "dkDock"});
        const std::pair<const char*, int> cursors[] = {
            {"crDefault", crDefault}, {"crNone", crNone}, {"crArrow", crArrow}, {"crCross", crCross}, {"crIBeam", crIBeam},
            {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS}, {"crSizeNWSE", crSizeNWSE}, {"crSizeWE", crSizeWE},
            {"crUpArrow", crUpArrow}, {"crHourGlass", crHourGlass}, {"crDrag", crDrag}, {"crNoDrop", crNoDrop},
            {"crHSplit", crHSplit}, {"crVSplit", crVSplit}, {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait},
            {"crNo", crNo}, {"crAppStart", crAppStart}, {"crHelp", crHelp}, {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll}};
        for (auto& [name, value] : cursors) RegisterIntegerIdent(name, value);
        RegisterClass<TSizeConstraints>("TSizeConstraints")
            .Prop("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0)
            .Prop("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0)
            .Prop("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0)
            .Prop("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0);
        RegisterClass<TControl, TComponent>("TControl")
            .Prop("Left", &TControl::Left, &TControl::SetLeft)
            .Prop("Top", &TControl::Top, &TControl::SetTop)
            .Prop("Width", &TControl::Width, &TControl::SetWidth)
            .Prop("Height", &TControl::Height, &TControl::SetHeight)
            .Prop("Align", &TControl::Align, &TControl::SetAlign, alNone)
            .Prop("Anchors", &TControl::Anchors, &TControl::SetAnchors, TAnchors{akLeft, akTop})
            .Prop("Constraints", &TControl::Constraints)
            .Prop("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize, false)
            .Prop("Caption", &TControl::Caption, &TControl::SetCaption)
            .Prop("Text", &TControl::Text, &TControl::SetText)
            .Prop("Color", &TControl::Color, &TControl::SetColor)
            .Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Prop("Font", &TControl::Font)
            .Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
            .Prop("Hint", &TControl::Hint, &TControl::SetHint)
            .Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
            .Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .Prop("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault)
            .Prop("Action", &TControl::Action, &TControl::SetAction)
            .Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
            .Prop("Visible", &TControl::Visible, &TControl::SetVisible, true)
            .Event("OnClick", &TControl::OnClick)
            .Event("OnDblClick", &TControl::OnDblClick)
            .Event("OnMouseDown", &TControl::OnMouseDown)
            .Event("OnMouseMove", &TControl::OnMouseMove)
            .Event("OnMouseUp", &TControl::OnMouseUp)
            .Event("OnMouseEnter", &TControl::OnMouseEnter)
            .Event("OnMouseLeave", &TControl::OnMouseLeave)
            .Event("OnResize", &TControl::OnResize)
            .Event("OnCanResize", &TControl::OnCanResize)
            .Event("OnContextPopup", &TControl::OnContextPopup)
            .Prop("DragMode", &TControl::DragMode, &TControl::SetDragMode, dmManual)
            .Prop("DragKind", &TControl::DragKind, &TControl::SetDragKind, dkDrag)
            .Prop("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, crDrag)
            .Event("OnStartDrag", &TControl::OnStartDrag)
            .Event("OnDragOver", &TControl::OnDragOver)
            .Event("OnDragDrop", &TControl::OnDragDrop)
            .Event("OnEndDrag", &TControl::OnEndDrag)
            .Event("OnStartDock", &TControl::OnStartDock)
            .Event("OnEndDock", &TControl::OnEndDock)
            .Ignored({"Ctl3D", "ParentCtl3D", "BiDiMode", "ParentBiDiMode", "HelpContext", "HelpType", "HelpKeyword",
                      "DesignSize", "ImeMode", "ImeName", "ExplicitLeft", "ExplicitTop", "ExplicitWidth", "ExplicitHeight"});
        return true;
    }();
    (void)done;
}
