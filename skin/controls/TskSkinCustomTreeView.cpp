#include "skin/controls/TskSkinCustomTreeView.h"

#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskSkinData.h"

TskSkinCustomTreeView::TskSkinCustomTreeView(TComponent* AOwner)
    : TskSkinScrolledView<TCustomTreeView, TskDataSkinTreeView>(AOwner, "treeview")
{
}

void TskSkinCustomTreeView::RefreshTreeViewSkin()
{
    if (ComponentState().Contains(csLoading)) return;
    ApplySkinLook();
    if (Images()) Images()->SetBkColor(Color());
    if (StateImages()) StateImages()->SetBkColor(Color());
    RealignBars();
}

void TskSkinCustomTreeView::UpdateScrollBars()
{
    if (ComponentState().Contains(csLoading) || FUpdatingBars || !HandleAllocated()) return;
    bool changed = false;
    if (FVScrollBar) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(Handle(), SB_VERT, si);
        const int visible = static_cast<int>(Perform(TVM_GETVISIBLECOUNT, 0, 0));
        const int count = static_cast<int>(Perform(TVM_GETCOUNT, 0, 0));
        const bool show = si.nMax >= 1 && visible <= si.nMax && si.nMax < count && Visible();
        if (show) FVScrollBar->SetRange(si.nMin, si.nMax, visible, si.nPos);
        changed |= ShowBar(FVScrollBar, show);
    }
    if (FHScrollBar) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(Handle(), SB_HORZ, si);
        const bool show = si.nMax > Width() && Visible();
        if (show) FHScrollBar->SetRange(si.nMin, si.nMax, Width(), si.nPos);
        changed |= ShowBar(FHScrollBar, show);
    }
    if (FVScrollBar && FHScrollBar) FHScrollBar->SetBoth(FVScrollBar->Visible());
    RealignForBars(changed);
}

void TskSkinCustomTreeView::OnVScrollBarChange(TObject*)
{
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, si);
    si.fMask = SIF_POS;
    si.nPos = FVScrollBar->Position();
    SetScrollInfo(Handle(), SB_VERT, si);
    Perform(WM_VSCROLL, MAKELPARAM(SB_THUMBPOSITION, FVScrollBar->Position()), 0);
}

void TskSkinCustomTreeView::OnHScrollBarChange(TObject*)
{
    Perform(WM_HSCROLL, MAKELPARAM(SB_THUMBPOSITION, FHScrollBar->Position()), 0);
}

void TskSkinCustomTreeView::Change(TTreeNode* Node)
{
    const auto alive = FAlive.Watch();
    TCustomTreeView::Change(Node);
    if (*alive) UpdateScrollBars();
}

void TskSkinCustomTreeView::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
        TCustomTreeView::WndProc(Message);
        if (!FUpdatingBars) UpdateScrollBars();
        return;
    case WM_PAINT:
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL: {
        // A handler of the key or the release may free the view.
        const auto alive = FAlive.Watch();
        TCustomTreeView::WndProc(Message);
        if (*alive) UpdateScrollBars();
        return;
    }
    default: TskSkinScrolledView::WndProc(Message);
    }
}

void RegisterSkinTreeViewClass()
{
    static const bool done = [] {
        RegisterTreeViewClasses();
        auto view = RegisterClass<TskSkinCustomTreeView, TCustomTreeView>("TskSkinCustomTreeView");
        SkinViewProps(view);
        return true;
    }();
    (void)done;
}
