#include "platform/vcl/TScrollBox.h"

#include <algorithm>

#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

// ---- TControlScrollBar ----

int TControlScrollBar::ClientSize() const { return FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight(); }

bool TControlScrollBar::IsScrollBarVisible() const { return FVisible && FRange > ClientSize(); }

void TControlScrollBar::SetRange(int Value)
{
    Value = std::max(0, Value);
    if (Value == FRange) return;
    FRange = Value;
    FControl->UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int Value)
{
    const int maxPos = std::max(0, FRange - ClientSize());
    Value = std::max(0, std::min(Value, maxPos));
    if (Value == FPosition) return;
    const int delta = FPosition - Value;
    FPosition = Value;
    if (FKind == sbHorizontal)
        FControl->ScrollBy(delta, 0);
    else
        FControl->ScrollBy(0, delta);
    if (FControl->HandleAllocated()) SetScrollPos(FControl->Handle(), FKind == sbHorizontal ? SB_HORZ : SB_VERT, FPosition);
}

void TControlScrollBar::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    FControl->UpdateScrollBars();
}

void TControlScrollBar::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TControlScrollBar*>(Source);
    if (s == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FIncrement = s->FIncrement;
    FVisible = s->FVisible;
    FTracking = s->FTracking;
    SetRange(s->FRange);
    SetPosition(s->FPosition);
}

void TControlScrollBar::ScrollMessage(int Code, int Pos)
{
    const int page = std::max(1, ClientSize() * 9 / 10);
    switch (Code) {
    case SB_LINEUP: SetPosition(FPosition - FIncrement); break;
    case SB_LINEDOWN: SetPosition(FPosition + FIncrement); break;
    case SB_PAGEUP: SetPosition(FPosition - page); break;
    case SB_PAGEDOWN: SetPosition(FPosition + page); break;
    case SB_THUMBPOSITION: SetPosition(Pos); break;
    case SB_THUMBTRACK:
        if (FTracking) SetPosition(Pos);
        break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(FRange); break;
    default: break;
    }
}

// ---- TScrollingWinControl ----

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner), FHorz(new TControlScrollBar(this, sbHorizontal)), FVert(new TControlScrollBar(this, sbVertical))
{
    FControlStyle.Include(csAcceptsControls);
}

TScrollingWinControl::~TScrollingWinControl()
{
    delete FHorz;
    delete FVert;
}

void TScrollingWinControl::SetAutoScroll(bool Value)
{
    if (Value == FAutoScroll) return;
    FAutoScroll = Value;
    UpdateScrollBars();
}

void TScrollingWinControl::CalcAutoRange()
{
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        // Edges that follow the box's own size do not count.
        if (c->Align() != alRight && c->Align() != alClient) right = std::max(right, c->Left() + c->Width() + FHorz->FPosition);
        if (c->Align() != alBottom && c->Align() != alClient) bottom = std::max(bottom, c->Top() + c->Height() + FVert->FPosition);
    }
    FHorz->FRange = right;
    FVert->FRange = bottom;
}

void TScrollingWinControl::UpdateScrollBars()
{
    if (FUpdating || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    FUpdating = true;
    if (FAutoScroll) CalcAutoRange();
    // A position beyond the new range comes back.
    for (TControlScrollBar* bar : {FHorz, FVert}) {
        const int maxPos = std::max(0, bar->FRange - bar->ClientSize());
        if (bar->FPosition > maxPos) bar->SetPosition(maxPos);
        if (HandleAllocated()) {
            SCROLLINFO si;
            si.fMask = SIF_ALL;
            si.nMin = 0;
            si.nMax = bar->IsScrollBarVisible() ? bar->FRange - 1 : 0;
            si.nPage = static_cast<UINT>(bar->IsScrollBarVisible() ? bar->ClientSize() : 0);
            si.nPos = bar->FPosition;
            SetScrollInfo(FHandle, bar->FKind == sbHorizontal ? SB_HORZ : SB_VERT, si);
        }
    }
    FUpdating = false;
}

void TScrollingWinControl::AdjustClientRect(TRect& Rect)
{
    // Aligned children live in the scrolled area, which is at least as large as the ranges.
    // With AutoScroll the ranges come from the children, so the area is the client size itself.
    if (FAutoScroll)
        Rect = Bounds(-FHorz->FPosition, -FVert->FPosition, ClientWidth(), ClientHeight());
    else
        Rect = Bounds(-FHorz->FPosition, -FVert->FPosition, std::max(FHorz->FRange, ClientWidth()), std::max(FVert->FRange, ClientHeight()));
    TWinControl::AdjustClientRect(Rect);
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    TWinControl::AlignControls(AControl, Rect);
    UpdateScrollBars();
}

void TScrollingWinControl::Resize()
{
    UpdateScrollBars();
    TWinControl::Resize();
}

void TScrollingWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_HSCROLL: FHorz->ScrollMessage(LOWORD(Message.WParam), static_cast<short>(HIWORD(Message.WParam))); return;
    case WM_VSCROLL: FVert->ScrollMessage(LOWORD(Message.WParam), static_cast<short>(HIWORD(Message.WParam))); return;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(Message.WParam));
        FVert->ScrollMessage(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        return;
    }
    default: TWinControl::WndProc(Message);
    }
}

// ---- TScrollBox ----

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner)
{
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FWidth = 185;
    FHeight = 41;
    FColor = clBtnFace;
}

void TScrollBox::CreateParams(TCreateParams& Params)
{
    TScrollingWinControl::CreateParams(Params);
    if (FBorderSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::SetBorderStyleValue(int Value)
{
    const bool single = Value != 0;
    if (single == FBorderSingle) return;
    FBorderSingle = single;
    RecreateWnd();
}

void RegisterScrollBoxClasses()
{
    static const bool done = [] {
        RegisterWinControlClasses();
        RegisterClass<TControlScrollBar>("TControlScrollBar")
            .Prop("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement, 8)
            .Prop("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition, 0)
            .Prop("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange, 0)
            .Prop("Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking, false)
            .Prop("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible, true)
            .Ignored({"ButtonSize", "Color", "Margin", "ParentColor", "Size", "Smooth", "Style", "ThumbSize"});
        RegisterClass<TScrollingWinControl, TWinControl>("TScrollingWinControl")
            .Prop("AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll, true)
            .Prop("HorzScrollBar", &TScrollingWinControl::HorzScrollBar)
            .Prop("VertScrollBar", &TScrollingWinControl::VertScrollBar);
        RegisterClass<TScrollBox, TScrollingWinControl>("TScrollBox")
            .Prop("BorderStyle", &TScrollBox::BorderStyleValue, &TScrollBox::SetBorderStyleValue, 1)
            .Ignored({"BevelEdges", "BevelInner", "BevelKind", "BevelOuter", "ParentBackground"});
        return true;
    }();
    (void)done;
}
