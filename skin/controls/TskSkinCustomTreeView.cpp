#include "skin/controls/TskSkinCustomTreeView.h"

#include "platform/rtl/TFlagGuard.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"

TskSkinCustomTreeView::TskSkinCustomTreeView(TComponent* AOwner) : TCustomTreeView(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
}

TskSkinCustomTreeView::~TskSkinCustomTreeView()
{
    // A bar that outlives the view must not call into it afterwards.
    LinkBar(FVScrollBar, nullptr, true);
    LinkBar(FHScrollBar, nullptr, false);
    if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinCustomTreeView::CreateParams(TCreateParams& Params)
{
    TCustomTreeView::CreateParams(Params);
    // The linked skinned bars take the place of the native ones.
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

void TskSkinCustomTreeView::SetSkinData(TskSkinData* Value)
{
    ReplaceLinkedComponent(FSkinData, Value);
    if (FSkinData && !FSkinData->SkinEmpty && !ComponentState().Contains(csDesigning)) RefreshTreeViewSkin();
}

void TskSkinCustomTreeView::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (FIndex == -1) Font()->Assign(Value);
}

void TskSkinCustomTreeView::SetDefaultColor(TColor Value)
{
    if (Value == FDefaultColor) return;
    FDefaultColor = Value;
    if (FIndex == -1) SetColor(Value);
}

void TskSkinCustomTreeView::RefreshTreeViewSkin()
{
    if (ComponentState().Contains(csLoading)) return;
    FIndex = FSkinData && !FSkinData->SkinEmpty ? FSkinData->FindControlIndex(FSkinDataName) : -1;
    auto* entry = FIndex >= 0 ? dynamic_cast<TskDataSkinTreeView*>(FSkinData->ControlDataList[static_cast<size_t>(FIndex)].get()) : nullptr;
    if (!entry) {
        FIndex = -1;
        SetColor(FDefaultColor);
        Font()->Assign(FDefaultFont.get());
    } else {
        if (FUseSkinFont) {
            Font()->SetName(entry->FontName);
            Font()->SetStyle(entry->FontStyle);
            Font()->SetHeight(entry->FontHeight);
        } else {
            Font()->Assign(FDefaultFont.get());
        }
        Font()->SetColor(entry->FontColor);
        SetColor(entry->BGColor);
    }
    if (FSkinData && FSkinData->ResourceStrData())
        Font()->SetCharset(static_cast<TFontCharset>(FSkinData->ResourceStrData()->CharSet()));
    else
        Font()->SetCharset(FDefaultFont->Charset());
    if (Images()) Images()->SetBkColor(Color());
    if (StateImages()) StateImages()->SetBkColor(Color());
    UpdateScrollBars();
    if (FVScrollBar) FVScrollBar->SetAlign(FVScrollBar->Align());
    if (FHScrollBar) FHScrollBar->SetAlign(FHScrollBar->Align());
}

void TskSkinCustomTreeView::LinkBar(TskSkinScrollBar*& Field, TskSkinScrollBar* Value, bool Vertical)
{
    if (Field && Field != Value) {
        Field->OnChange = nullptr;
        Field->RemoveFreeNotification(this);
    }
    Field = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    Value->SetEnabled(true);
    Value->SetVisible(false);
    if (Vertical)
        Value->OnChange = [this](TObject* Sender) { OnVScrollBarChange(Sender); };
    else
        Value->OnChange = [this](TObject* Sender) { OnHScrollBarChange(Sender); };
}

void TskSkinCustomTreeView::SetVScrollBar(TskSkinScrollBar* Value)
{
    LinkBar(FVScrollBar, Value, true);
    UpdateScrollBars();
}

void TskSkinCustomTreeView::SetHScrollBar(TskSkinScrollBar* Value)
{
    LinkBar(FHScrollBar, Value, false);
    UpdateScrollBars();
}

bool TskSkinCustomTreeView::ShowBar(TskSkinScrollBar* Bar, bool Show)
{
    if (Bar->Visible() == Show) return false;
    Bar->SetVisible(Show);
    return true;
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
    if (changed && Align() != alNone && Parent()) {
        TFlagGuard updatingBars(FUpdatingBars);
        Parent()->Realign();
    }
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
    TCustomTreeView::Change(Node);
    UpdateScrollBars();
}

void TskSkinCustomTreeView::Loaded()
{
    TCustomTreeView::Loaded();
    RefreshTreeViewSkin();
}

void TskSkinCustomTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomTreeView::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FVScrollBar) FVScrollBar = nullptr;
    if (AComponent == FHScrollBar) FHScrollBar = nullptr;
}

void TskSkinCustomTreeView::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    // No native border or bar is ever painted.
    case WM_NCCALCSIZE:
    case WM_NCPAINT: return;
    case CM_PAINTSKINFRAME: Message.Result = SkinFramePainted; return;
    case CM_VISIBLECHANGED:
        TCustomTreeView::WndProc(Message);
        if (FVScrollBar) FVScrollBar->SetVisible(Visible() && FVScrollBar->Visible());
        if (FHScrollBar) FHScrollBar->SetVisible(Visible() && FHScrollBar->Visible());
        UpdateScrollBars();
        return;
    case WM_SIZE:
        TCustomTreeView::WndProc(Message);
        if (!FUpdatingBars) UpdateScrollBars();
        return;
    case WM_PAINT:
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
        TCustomTreeView::WndProc(Message);
        UpdateScrollBars();
        return;
    default: TCustomTreeView::WndProc(Message);
    }
}

void RegisterSkinTreeViewClass()
{
    static const bool done = [] {
        RegisterTreeViewClasses();
        RegisterClass<TskSkinCustomTreeView, TCustomTreeView>("TskSkinCustomTreeView")
            .Prop("SkinData", &TskSkinCustomTreeView::SkinData, &TskSkinCustomTreeView::SetSkinData)
            .Prop("SkinDataName", &TskSkinCustomTreeView::SkinDataName, &TskSkinCustomTreeView::SetSkinDataName)
            .Prop("DefaultFont", &TskSkinCustomTreeView::DefaultFont)
            .Prop("DefaultColor", &TskSkinCustomTreeView::DefaultColor, &TskSkinCustomTreeView::SetDefaultColor)
            .Prop("UseSkinFont", &TskSkinCustomTreeView::UseSkinFont, &TskSkinCustomTreeView::SetUseSkinFont, true)
            .Prop("VScrollBar", &TskSkinCustomTreeView::VScrollBar, &TskSkinCustomTreeView::SetVScrollBar)
            .Prop("HScrollBar", &TskSkinCustomTreeView::HScrollBar, &TskSkinCustomTreeView::SetHScrollBar);
        return true;
    }();
    (void)done;
}
