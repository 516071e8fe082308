#include "platform/vcl/TWinControl.h"

#include <algorithm>
#include <iostream>
#include <unordered_map>
#include <unordered_set>

#include "platform/gfx/Drawing.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

namespace {

std::unordered_map<HWND, TWinControl*>& WindowMap()
{
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}
// The control whose window is being made: its first messages arrive before CreateWindowEx returns.
TWinControl* gCreating = nullptr;
std::unordered_set<std::string> gRegistered;

LPARAM PointParam(TPoint p) { return MAKELPARAM(p.X, p.Y); }

bool IsMouseMessage(UINT m) { return m >= WM_MOUSEFIRST && m <= WM_MBUTTONDBLCLK; }

} // namespace

void HandleControlException(TObject* Sender)
{
    if (Application != nullptr) {
        Application->HandleException(Sender);
        return;
    }
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        std::cerr << e.what() << std::endl;
    } catch (...) {
        std::cerr << "Unknown exception" << std::endl;
    }
}

LRESULT VclMainWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& map = WindowMap();
    auto it = map.find(h);
    TWinControl* control = nullptr;
    if (it != map.end()) {
        control = it->second;
    } else if (gCreating != nullptr) {
        control = gCreating;
        gCreating = nullptr;
        control->FHandle = h;
        map[h] = control;
    }
    if (control == nullptr) return DefWindowProc(h, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        LRESULT r = DefWindowProc(h, msg, wParam, lParam);
        map.erase(h);
        ForgetScrollInfo(h);
        if (control->FHandle == h) control->FHandle = 0;
        return r;
    }
    // A control on its way out only lets its window go; its handlers may already be gone.
    if (control->ComponentState().Contains(csDestroying)) return DefWindowProc(h, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        control->WindowProc(m);
    } catch (...) {
        HandleControlException(control);
    }
    return m.Result;
}

TWinControl* TWinControl::FindControl(HWND Handle)
{
    auto& map = WindowMap();
    auto it = map.find(Handle);
    return it == map.end() ? nullptr : it->second;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

void TWinControl::BeforeDestruction()
{
    TControl::BeforeDestruction();
    // The window procedure may have been replaced by a component that goes before us.
    WindowProc = [this](TMessage& m) { WndProc(m); };
}

TWinControl::~TWinControl()
{
    Destroying();
    DragManager::SetDockSite(this, false);
    WindowProc = [this](TMessage& m) { TWinControl::WndProc(m); };
    // A parent frees its children, windowed and graphic, topmost first.
    while (ControlCount() > 0) {
        TControl* c = Controls(ControlCount() - 1);
        RemoveControl(c);
        c->Free();
    }
    if (FParent != nullptr) {
        TWinControl* p = FParent;
        p->RemoveControl(this);
    }
    if (FHandle != 0) DestroyWindow(FHandle);
    WindowMap().erase(FHandle);
}

// ---- handle ----

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    // A control that holds others leaves their places to them when it paints: every child paints all of
    // its own area, so drawing the parent there first would only be painted over.
    if (ControlStyle().Contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
    if (FVisible) Params.Style |= WS_VISIBLE;
    if (!FEnabled) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    if (FParent != nullptr)
        Params.WndParent = FParent->Handle();
    else
        Params.WndParent = FParentWindow;
    Params.ClassStyle = CS_DBLCLKS;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    if (gRegistered.insert(Params.WinClassName + "#" + IntToStr(Params.ClassStyle)).second) {
        WNDCLASS wc;
        wc.Style = Params.ClassStyle;
        wc.WndProc = VclMainWndProc;
        wc.ClassName = Params.WinClassName;
        wc.Cursor = IDC_ARROW;
        RegisterClass(wc); // an existing class of the same name keeps working through our procedure
    }
    gCreating = this;
    HWND h = CreateWindowEx(Params.ExStyle, Params.WinClassName, Params.Caption, Params.Style, Params.X, Params.Y, Params.Width,
                            Params.Height, Params.WndParent);
    gCreating = nullptr;
    if (h == 0) throw EOSError("Error creating window " + Name() + ": " + Params.WinClassName, 0);
    FHandle = h;
    WindowMap()[h] = this;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    // A child window needs its parent's window first.
    if ((params.Style & WS_CHILD) && params.WndParent == 0)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    CreateWindowHandle(params);
}

void TWinControl::CreateHandle()
{
    if (FHandle != 0) return;
    CreateWnd();
    // Children are made in z-order, bottom first, so that each goes on top of the ones before.
    std::vector<TWinControl*> children = FWinControls;
    for (TWinControl* c : children) c->HandleNeeded();
    for (TWinControl* c : children)
        if (c->HandleAllocated()) SetWindowPos(c->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Realign();
}

void TWinControl::HandleNeeded()
{
    if (FHandle != 0) return;
    if (FParent != nullptr) FParent->HandleNeeded();
    if (FHandle == 0) CreateHandle();
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::DestroyWnd()
{
    if (FHandle == 0) return;
    FText = GetText();
    DestroyWindow(FHandle);
}

void TWinControl::DestroyHandle()
{
    if (FHandle == 0) return;
    for (TWinControl* c : FWinControls) c->DestroyHandle();
    DestroyWnd();
}

void TWinControl::RecreateWnd()
{
    if (FHandle == 0) return;
    const bool hadFocus = Focused();
    DestroyHandle();
    HandleNeeded();
    if (hadFocus && CanFocus()) ::SetFocus(FHandle);
}

void TWinControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent) return;
    // Moving to another parent means another parent window: the window is made again there.
    if (FHandle != 0) DestroyHandle();
    TControl::SetParent(AParent);
    if (AParent != nullptr && AParent->HandleAllocated()) HandleNeeded();
}

// ---- children ----

TControl* TWinControl::Controls(int Index) const
{
    if (Index < 0 || Index >= ControlCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    if (Index < static_cast<int>(FControls.size())) return FControls[static_cast<size_t>(Index)];
    return FWinControls[static_cast<size_t>(Index) - FControls.size()];
}

bool TWinControl::ContainsControl(TControl* Control) const
{
    for (TControl* c = Control; c != nullptr; c = c->FParent)
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* AControl)
{
    // The list of children is about to change (wParam the control, lParam 1: it comes in), and
    // afterwards the control has come.
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    AControl->FParent = this;
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(w);
        FTabList.push_back(w);
        if (FHandle != 0 && !ComponentState().Contains(csLoading)) w->HandleNeeded();
    } else {
        FControls.push_back(AControl);
        AControl->Invalidate();
    }
    if (AControl->FAlign != alNone || FAutoSize) Realign();
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (AControl->FParent != this) return;
    // The mirror of InsertControl: the control is about to go, and afterwards the list has changed.
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (GetCaptureControl() == AControl) SetCaptureControl(nullptr);
    if (GetMouseControl() == AControl) SetMouseControl(nullptr);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        if (w->FHandle != 0 && !w->ComponentState().Contains(csDestroying)) w->DestroyHandle();
        EraseLast(FWinControls, w);
        EraseLast(FTabList, w);
        if (auto* form = GetParentForm()) form->ControlRemoved(w);
    } else {
        AControl->Invalidate();
        EraseLast(FControls, AControl);
    }
    AControl->FParent = nullptr;
    if (AControl->FAlign != alNone && !Going()) Realign();
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
}

bool TWinControl::Going() const
{
    // Freed with its parent or its owner: a window of many rows, freed whole, lays out nothing more for
    // each row that leaves it.
    for (const TWinControl* p = this; p != nullptr; p = p->FParent)
        if (p->ComponentState().Contains(csDestroying)) return true;
    for (const TComponent* o = Owner(); o != nullptr; o = o->Owner())
        if (o->ComponentState().Contains(csDestroying)) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls)
{
    auto hit = [&](TControl* c) {
        return c->FVisible && (AllowDisabled || c->FEnabled) && c->BoundsRect().Contains(Pos);
    };
    if (AllowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

// ---- tab order and focus ----

void TWinControl::SetTabStop(bool Value)
{
    if (Value == FTabStop) return;
    FTabStop = Value;
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::TabOrder() const
{
    if (FParent == nullptr) return -1;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (ComponentState().Contains(csLoading)) FStoredTabOrder = Value;
    if (FParent == nullptr) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    Value = std::max(0, std::min(Value, static_cast<int>(list.size())));
    list.insert(list.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

bool TWinControl::CanFocus() const
{
    // Up to the form, not including it: a control of a form not shown yet can take the focus once
    // the form shows.
    if (FParent == nullptr) return FVisible && FEnabled;
    for (const TWinControl* c = this; c->FParent != nullptr; c = c->FParent)
        if (!c->FVisible || !c->FEnabled) return false;
    return true;
}

bool TWinControl::Focused() const { return FHandle != 0 && GetFocus() == FHandle; }

void TWinControl::SetFocus()
{
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (TCustomForm* form = GetParentForm(); form != nullptr && form != this) form->SetActiveControl(this);
    ::SetFocus(Handle());
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int n = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[static_cast<size_t>(i)] == CurControl) start = i;
    if (start < 0) start = GoForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == CurControl) continue;
        if ((!CheckTabStop || c->FTabStop) && (!CheckParent || c->FParent == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (next != nullptr) next->SetFocus();
}

// ---- geometry and layout ----

TRect TWinControl::ClientRect() const
{
    if (FHandle != 0) {
        TRect r;
        GetClientRect(FHandle, r);
        return r;
    }
    if (FParent == nullptr) {
        // A top-level window without its window yet: ask the frame its style would have.
        TCreateParams p;
        const_cast<TWinControl*>(this)->CreateParams(p);
        TRect r = Rect(0, 0, 0, 0);
        AdjustWindowRectEx(r, p.Style, FALSE, p.ExStyle);
        return Rect(0, 0, std::max(0, FWidth - r.Width()), std::max(0, FHeight - r.Height()));
    }
    return Rect(0, 0, FWidth, FHeight);
}

TPoint TWinControl::ClientOrigin() const
{
    if (FHandle != 0) {
        TPoint p{0, 0};
        ::ClientToScreen(FHandle, p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const TValueGuard inSetBounds(FInSetBounds);
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::BoundsChanged(const TRect& OldBounds)
{
    if (FHandle != 0) SetWindowPos(FHandle, 0, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    if (OldBounds.Width() != FWidth || OldBounds.Height() != FHeight) Realign();
}

void TWinControl::SetBorderWidth(int Value)
{
    if (Value == FBorderWidth || Value < 0) return;
    FBorderWidth = Value;
    Realign();
    Invalidate();
}

void TWinControl::AdjustClientRect(TRect& Rect) { InflateRect(Rect, -FBorderWidth, -FBorderWidth); }

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign()
{
    if (FAlignLevel > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) {
        FAlignPending = true;
        return;
    }
    FAlignPending = false;
    AlignAll();
}

void TWinControl::AlignAll()
{
    if (FInAlign) {
        FAlignPending = true;
        return;
    }
    {
        const TValueGuard inAlign(FInAlign);
        TRect r = ClientRect();
        AdjustClientRect(r);
        AlignControls(nullptr, r);
    }
    if (FAlignPending) {
        FAlignPending = false;
        AlignAll();
    }
    AdjustSize();
}

void TWinControl::ApplyAnchors()
{
    // While the stored form is read the client size is not yet the stored one: anchors measure
    // from the size the control has once it is loaded.
    if (ComponentState().Contains(csLoading)) return;
    const TRect client = ClientRect();
    const TSize now{client.Width(), client.Height()};
    if (FAnchorBase.cx >= 0 && (now.cx != FAnchorBase.cx || now.cy != FAnchorBase.cy)) {
        const int dw = now.cx - FAnchorBase.cx;
        const int dh = now.cy - FAnchorBase.cy;
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->FAlign != alNone) continue;
            int l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
            if (c->FAnchors.Contains(akRight)) {
                if (c->FAnchors.Contains(akLeft))
                    w += dw;
                else
                    l += dw;
            } else if (!c->FAnchors.Contains(akLeft)) {
                l += dw / 2;
            }
            if (c->FAnchors.Contains(akBottom)) {
                if (c->FAnchors.Contains(akTop))
                    h += dh;
                else
                    t += dh;
            } else if (!c->FAnchors.Contains(akTop)) {
                t += dh / 2;
            }
            c->SetBounds(l, t, w, h);
        }
    }
    FAnchorBase = now;
}

void TWinControl::AlignControls(TControl*, TRect& Rect)
{
    ApplyAnchors();
    static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign a : order) {
        // Siblings of one alignment are placed in the order of their position, as stored.
        // Siblings of one position keep the order they have among the children. A long list (a queue of
        // rows) is realigned on every row that comes or goes: the sort must not cost the square of it.
        std::vector<TControl*> list;
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->FAlign == a && c->FVisible) list.push_back(c);
        }
        auto before = [a](TControl* c1, TControl* c2) {
            switch (a) {
            case alTop: return c1->FTop < c2->FTop;
            case alBottom: return c1->FTop + c1->FHeight > c2->FTop + c2->FHeight;
            case alLeft: return c1->FLeft < c2->FLeft;
            case alRight: return c1->FLeft + c1->FWidth > c2->FLeft + c2->FWidth;
            default: return false;
            }
        };
        if (!std::is_sorted(list.begin(), list.end(), before)) std::stable_sort(list.begin(), list.end(), before);
        for (TControl* c : list) {
            const int w = std::max(0, Rect.Width());
            const int h = std::max(0, Rect.Height());
            TRect place;
            switch (a) {
            case alTop:
                place = Bounds(Rect.Left, Rect.Top, w, c->FHeight);
                Rect.Top += c->FHeight;
                break;
            case alBottom:
                place = Bounds(Rect.Left, Rect.Bottom - c->FHeight, w, c->FHeight);
                Rect.Bottom -= c->FHeight;
                break;
            case alLeft:
                place = Bounds(Rect.Left, Rect.Top, c->FWidth, h);
                Rect.Left += c->FWidth;
                break;
            case alRight:
                place = Bounds(Rect.Right - c->FWidth, Rect.Top, c->FWidth, h);
                Rect.Right -= c->FWidth;
                break;
            case alClient:
                place = Bounds(Rect.Left, Rect.Top, w, h);
                break;
            default:
                continue;
            }
            // A control already in its place is left alone: most rows of a long list stay where they are
            // when one row comes or goes, and a skinned control's SetBounds looks up its skin every time.
            if (place != c->BoundsRect()) c->SetBounds(place.Left, place.Top, place.Width(), place.Height());
        }
    }
}

bool TWinControl::CanAutoSize(int& NewWidth, int& NewHeight)
{
    // Fit round the children that are not aligned to the edges they would follow.
    int right = 0, bottom = 0;
    bool any = false;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->FVisible) continue;
        any = true;
        right = std::max(right, c->FLeft + c->FWidth);
        bottom = std::max(bottom, c->FTop + c->FHeight);
    }
    if (!any) return false;
    TRect client = ClientRect();
    TRect adjusted = client;
    AdjustClientRect(adjusted);
    NewWidth = FWidth - client.Width() + right + (client.Width() - adjusted.Right);
    NewHeight = FHeight - client.Height() + bottom + (client.Height() - adjusted.Bottom);
    return true;
}

void TWinControl::AdjustSize()
{
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    int w = FWidth, h = FHeight;
    if (CanAutoSize(w, h) && (w != FWidth || h != FHeight)) SetBounds(FLeft, FTop, w, h);
}

void TWinControl::ScrollBy(int DeltaX, int DeltaY)
{
    if (DeltaX == 0 && DeltaY == 0) return;
    DisableAlign();
    // Shown, the window layer moves the child windows and the picture in one go and paints only what
    // comes into view (each child takes its new place from the move's WM_WINDOWPOSCHANGED); a long list
    // of rows then costs what the strip costs, not a repaint of every row.
    const bool shown = FHandle != 0 && IsWindowVisible(FHandle);
    if (shown) ScrollWindowEx(FHandle, DeltaX, DeltaY, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    // The graphic children and the windowed ones, apart: asking each of a long list which it is cost more
    // than the move.
    const auto moveBy = [DeltaX, DeltaY](TControl* c) { c->SetBounds(c->FLeft + DeltaX, c->FTop + DeltaY, c->FWidth, c->FHeight); };
    for (size_t i = 0; i < FControls.size(); ++i) moveBy(FControls[i]);
    for (size_t i = 0; i < FWinControls.size(); ++i)
        if (!shown || FWinControls[i]->FHandle == 0) moveBy(FWinControls[i]);
    FAlignPending = false;
    EnableAlign();
    if (!shown) Invalidate();
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    // Tab orders were read one control at a time, before their later siblings existed.
    std::stable_sort(FTabList.begin(), FTabList.end(), [](TWinControl* a, TWinControl* b) {
        const int ka = a->FStoredTabOrder < 0 ? INT32_MAX : a->FStoredTabOrder;
        const int kb = b->FStoredTabOrder < 0 ? INT32_MAX : b->FStoredTabOrder;
        return ka < kb;
    });
    FAnchorBase = TSize{-1, -1};
    Realign();
}

// ---- showing and enabling ----

bool TWinControl::Showing() const
{
    if (!FVisible) return false;
    if (FParent != nullptr) return FParent->Showing();
    return FHandle != 0 && IsWindowVisible(FHandle);
}

void TWinControl::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    TControl::SetVisible(Value);
    UpdateShowing();
}

void TWinControl::UpdateShowing()
{
    if (FParent != nullptr && !FParent->HandleAllocated()) return;
    if (FVisible && FParent != nullptr) HandleNeeded();
    if (FHandle == 0) return;
    ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
    Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TWinControl::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    if (!Value && Focused() && FParent != nullptr) {
        if (TCustomForm* form = GetParentForm()) form->SelectNext(this, true, true);
    }
    TControl::SetEnabled(Value);
    if (FHandle != 0) EnableWindow(FHandle, Value ? TRUE : FALSE);
}

void TWinControl::SetTextValue(const std::string& Value)
{
    FText = Value;
    if (FHandle != 0) SetWindowText(FHandle, Value);
}

// ---- painting ----

void TWinControl::Invalidate()
{
    if (FHandle != 0) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Repaint()
{
    if (FHandle == 0) return;
    RedrawWindow(FHandle, nullptr, 0, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TWinControl::Update()
{
    if (FHandle != 0) UpdateWindow(FHandle);
}

void TWinControl::PaintWindow(HDC DC)
{
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    size_t start = 0;
    if (First != nullptr) {
        auto it = std::find(FControls.begin(), FControls.end(), First);
        if (it != FControls.end()) start = static_cast<size_t>(it - FControls.begin());
    }
    for (size_t i = start; i < FControls.size(); ++i) {
        TControl* c = FControls[i];
        if (!c->FVisible || c->FWidth <= 0 || c->FHeight <= 0) continue;
        TRect box;
        GetClipBox(DC, box);
        TRect tmp;
        if (!IntersectRect(tmp, box, c->BoundsRect())) continue;
        const int saved = SaveDC(DC);
        const TScopeExit restore([DC, saved] { RestoreDC(DC, saved); });
        TPoint org;
        GetViewportOrgEx(DC, &org);
        SetViewportOrgEx(DC, org.X + c->FLeft, org.Y + c->FTop, nullptr);
        IntersectClipRect(DC, 0, 0, c->FWidth, c->FHeight);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
}

void TWinControl::PaintTo(HDC DC, int X, int Y)
{
    const int saved = SaveDC(DC);
    const TScopeExit restore([DC, saved] { RestoreDC(DC, saved); });
    TPoint org;
    GetViewportOrgEx(DC, &org);
    SetViewportOrgEx(DC, org.X + X, org.Y + Y, nullptr);
    IntersectClipRect(DC, 0, 0, FWidth, FHeight);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    for (TWinControl* c : FWinControls)
        if (c->FVisible) c->PaintTo(DC, c->FLeft, c->FTop);
}

void TWinControl::PaintHandler(TMessage& Message)
{
    if (Message.WParam != 0) {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        PaintWindow(dc);
        PaintControls(dc, nullptr);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    const TScopeExit endPaint([this, &ps] { EndPaint(FHandle, &ps); });
    PaintWindow(dc);
    PaintControls(dc, nullptr);
}

// ---- keys ----

bool TWinControl::DoDialogKey(WORD Key)
{
    LRESULT mask = 0;
    switch (Key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: return false;
    }
    if (Perform(CM_WANTSPECIALKEY, Key, 0) != 0) return false;
    if ((Perform(WM_GETDLGCODE, 0, 0) & mask) != 0) return false;
    TCustomForm* form = GetParentForm();
    return form != nullptr && form->Perform(CM_DIALOGKEY, Key, 0) != 0;
}

void TWinControl::KeyDownMessage(TMessage& Message)
{
    WORD key = static_cast<WORD>(Message.WParam);
    const TShiftState shift = KeyboardShiftState();
    if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) return;
    if (DoDialogKey(key)) return;
    TCustomForm* form = GetParentForm();
    // The form's handler or the control's own may free the control: the key then goes no further.
    const auto alive = FAlive.Watch();
    if (form != nullptr && form != this && form->KeyPreview() && form->OnKeyDown) {
        form->OnKeyDown(form, key, shift);
        if (!*alive || key == 0) return;
    }
    KeyDown(key, shift);
    if (!*alive || key == 0) return;
    Message.WParam = key;
    DefaultHandler(Message);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(TKeyChar& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

// ---- messages ----

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (FHandle != 0) Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::HandleWindowMessage(TMessage& Message, bool& Handled)
{
    Handled = true;
    switch (Message.Msg) {
    case WM_PAINT:
        PaintHandler(Message);
        return;
    case WM_PRINTCLIENT: {
        // Painting into a caller's DC (wParam) leaves that DC as it was: whatever the painting
        // selects, moves or clips there is the caller's no more once this returns.
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        if (dc == nullptr) return;
        const int saved = SaveDC(dc);
        const TScopeExit restore([dc, saved] { RestoreDC(dc, saved); });
        PaintHandler(Message);
        return;
    }
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        HBRUSH brush = CreateSolidBrush(ColorToRGB(FColor));
        TRect r = ClientRect();
        FillRect(dc, r, brush);
        DeleteObject(brush);
        Message.Result = 1;
        return;
    }
    case WM_WINDOWPOSCHANGED: {
        if (FInSetBounds || FHandle == 0) {
            DefaultHandler(Message);
            return;
        }
        // Moved or sized from outside (the user, a frame, an MDI client): take the window's place as ours
        // before the WM_SIZE and WM_MOVE that follow, so that their handlers see the new bounds.
        TRect wr;
        GetWindowRect(FHandle, wr);
        TPoint tl = wr.TopLeft();
        if (FParent != nullptr && FParent->HandleAllocated())
            ::ScreenToClient(FParent->FHandle, tl);
        else if (GetWindowLongPtr(FHandle, GWL_STYLE) & WS_CHILD)
            ::ScreenToClient(::GetParent(FHandle), tl);   // a child window of a foreign parent (an MDI client)
        const bool sized = wr.Width() != FWidth || wr.Height() != FHeight;
        const bool changed = sized || tl.X != FLeft || tl.Y != FTop;
        FLeft = tl.X;
        FTop = tl.Y;
        FWidth = wr.Width();
        FHeight = wr.Height();
        DefaultHandler(Message);
        if (!changed || FHandle == 0) return;
        if (sized) {
            Realign();
            if (!ComponentState().Contains(csLoading)) Resize();
        }
        return;
    }
    case WM_SIZE:
        DefaultHandler(Message);
        // The client area may change without the window's size (a new frame).
        Realign();
        return;
    case WM_SETFOCUS:
        DefaultHandler(Message);
        if (TCustomForm* form = GetParentForm(); form != nullptr) form->FocusChanged(this);
        DoEnter();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(Message);
        DoExit();
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        KeyDownMessage(Message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(Message.WParam);
        const TShiftState shift = KeyboardShiftState();
        TCustomForm* form = GetParentForm();
        const auto alive = FAlive.Watch();
        if (form != nullptr && form != this && form->KeyPreview() && form->OnKeyUp) {
            form->OnKeyUp(form, key, shift);
            if (!*alive || key == 0) return;
        }
        KeyUp(key, shift);
        if (*alive && key != 0) DefaultHandler(Message);
        return;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        TKeyChar ch = static_cast<TKeyChar>(Message.WParam);
        TCustomForm* form = GetParentForm();
        const auto alive = FAlive.Watch();
        if (Message.Msg == WM_CHAR && form != nullptr && form != this && form->KeyPreview() && form->OnKeyPress) {
            form->OnKeyPress(form, ch);
            if (!*alive || ch == 0) return;
        }
        if (Message.Msg == WM_CHAR) KeyPress(ch);
        if (*alive && ch != 0) {
            Message.WParam = ch;
            DefaultHandler(Message);
        }
        return;
    }
    case WM_SETTEXT:
        if (Message.LParam != 0) FText = reinterpret_cast<const char*>(Message.LParam);
        DefaultHandler(Message);
        return;
    case WM_GETDLGCODE:
        Message.Result = 0;
        return;
    case WM_SETCURSOR: {
        // The cursor of the control under the pointer (or the screen's, while it overrides).
        TCursor cursor = FCursor;
        TPoint p = GetCursorPos();
        ::ScreenToClient(FHandle, p);
        if (TControl* c = ControlAtPos(p, false, false)) cursor = c->Cursor();
        if (Screen != nullptr && Screen->Cursor() != crDefault) cursor = Screen->Cursor();
        if (cursor != crDefault && static_cast<HWND>(Message.WParam) == FHandle) {
            ::SetCursor(CursorToHandle(cursor));
            Message.Result = 1;
            return;
        }
        DefaultHandler(Message);
        return;
    }
    case WM_CONTEXTMENU:
        TControl::WndProc(Message);
        if (Message.Result == 0) DefaultHandler(Message);
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        // Offered to every child (default and cancel buttons answer).
        for (int i = 0; i < ControlCount(); ++i) {
            Message.Result = Controls(i)->Perform(Message.Msg, Message.WParam, Message.LParam);
            if (Message.Result != 0) return;
        }
        return;
    case CM_FONTCHANGED:
        TControl::WndProc(Message);
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(CM_PARENTFONTCHANGED, 0, 0);
        return;
    case CM_COLORCHANGED:
        TControl::WndProc(Message);
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        return;
    case CM_SHOWHINTCHANGED:
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        return;
    case CM_ENABLEDCHANGED:
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        TControl::WndProc(Message);
        return;
    default:
        Handled = false;
    }
}

void TWinControl::WndProc(TMessage& Message)
{
    if (IsMouseMessage(Message.Msg) && FHandle != 0) {
        TPoint p = ParamPoint(Message.LParam);
        // A graphic child that holds the mouse, or is under it, gets the message in its own coordinates.
        TControl* target = nullptr;
        TControl* capture = GetCaptureControl();
        if (capture != nullptr && capture->FParent == this && dynamic_cast<TWinControl*>(capture) == nullptr)
            target = capture;
        else if (capture == nullptr || capture == this)
            target = ControlAtPos(p, false, false);
        if (Message.Msg == WM_MOUSEMOVE) SetMouseControl(target != nullptr ? target : this);
        if (target != nullptr) {
            Message.Result = target->Perform(Message.Msg, Message.WParam, PointParam({p.X - target->FLeft, p.Y - target->FTop}));
            return;
        }
        if (Message.Msg == WM_LBUTTONDOWN && FTabStop && CanFocus() && !Focused() && FHandle != 0) {
            // A click focuses a control that takes the focus, as the native controls do.
            ::SetFocus(FHandle);
        }
        TControl::WndProc(Message);
        return;
    }
    bool handled = false;
    HandleWindowMessage(Message, handled);
    if (!handled) TControl::WndProc(Message);
}

void TWinControl::SetDockSite(bool Value)
{
    if (Value == FDockSite) return;
    FDockSite = Value;
    DragManager::SetDockSite(this, Value);
}

void TWinControl::DockOver(TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    if (OnDockOver) OnDockOver(this, Source, X, Y, State, Accept);
}

void TWinControl::DockDrop(TDragDockObject* Source, int X, int Y)
{
    if (OnDockDrop) OnDockDrop(this, Source, X, Y);
}

void TWinControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)
{
    if (OnGetSiteInfo) OnGetSiteInfo(this, Client, InfluenceRect, MousePos, CanDock);
}

bool TWinControl::DoUnDock(TWinControl* NewTarget, TControl* Client)
{
    bool allow = true;
    if (OnUnDock) OnUnDock(this, Client, NewTarget, allow);
    return allow;
}

void RegisterWinControlClasses()
{
    static const bool done = [] {
        RegisterControlClasses();
        RegisterClass<TWinControl, TControl>("TWinControl")
            .Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
            .Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
            .Prop("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth, 0)
            .Event("OnEnter", &TWinControl::OnEnter)
            .Event("OnExit", &TWinControl::OnExit)
            .Event("OnKeyDown", &TWinControl::OnKeyDown)
            .Event("OnKeyPress", &TWinControl::OnKeyPress)
            .Event("OnKeyUp", &TWinControl::OnKeyUp)
            .Prop("DockSite", &TWinControl::DockSite, &TWinControl::SetDockSite, false)
            .Event("OnDockDrop", &TWinControl::OnDockDrop)
            .Event("OnDockOver", &TWinControl::OnDockOver)
            .Event("OnGetSiteInfo", &TWinControl::OnGetSiteInfo)
            .Event("OnUnDock", &TWinControl::OnUnDock)
            // Docked controls keep the place they were dropped at: no dock manager lays them out.
            .Ignored({"UseDockManager"});
        return true;
    }();
    (void)done;
}
