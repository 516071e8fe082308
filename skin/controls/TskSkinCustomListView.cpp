#include "skin/controls/TskSkinCustomListView.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Paint.h"
#include "skin/controls/SkinNinePart.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskSkinData.h"

namespace {

// The part Src of a button entry's picture stretched into B at W x H: across only when the entry has no
// bottom row, else in nine parts.
void DrawSectionPicture(TBitmap* B, TBitmap* Picture, const TskDataSkinButtonControl& E, const TRect& Src, int W, int H)
{
    if (E.LeftBottomPoint.X == 0 && E.LeftBottomPoint.Y == 0) {
        CreateHSkinImage(E.LeftTopPoint.X, E.SkinRect.Width() - E.RightTopPoint.X, B, Picture, Src, W, H, E.StretchEffect);
        return;
    }
    CreateEntrySkinImage(B, Picture, E, Src, W, H);
}

} // namespace

TskSkinCustomListView::TskSkinCustomListView(TComponent* AOwner)
    : TskSkinScrolledView<TCustomListView, TskDataSkinListView>(AOwner, "listview")
{
    Font()->Assign(FDefaultFont.get());
    FHeaderInstance = MakeObjectInstance([this](HWND h, UINT m, WPARAM w, LPARAM l) { return HeaderWndProc(h, m, w, l); });
}

TskSkinCustomListView::~TskSkinCustomListView()
{
    UnhookHeader();
    FreeObjectInstance(FHeaderInstance);
}

void TskSkinCustomListView::SetHeaderSkinDataName(const std::string& Value)
{
    if (Value == FHeaderSkinDataName) return;
    FHeaderSkinDataName = Value;
    if (FHeaderHandle) InvalidateRect(FHeaderHandle, nullptr, TRUE);
}

void TskSkinCustomListView::RefreshListViewSkin()
{
    ApplySkinLook();
    RealignBars();
    if (ViewStyle() == vsReport && FHeaderHandle) InvalidateRect(FHeaderHandle, nullptr, TRUE);
}

// ---- bars ----

int TskSkinCustomListView::ItemZeroHeight()
{
    if (Items()->Count() == 0) return 0;
    TRect r;
    Perform(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.Height();
}

void TskSkinCustomListView::UpdateScrollBars()
{
    if (!HandleAllocated() || FApplyingBar || Width() <= 5 || Height() <= 5) return;
    SCROLLINFO v;
    v.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, v);
    SCROLLINFO h;
    h.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_HORZ, h);
    const int perPage = static_cast<int>(Perform(LVM_GETCOUNTPERPAGE, 0, 0));
    const int count = static_cast<int>(Perform(LVM_GETITEMCOUNT, 0, 0));
    bool changed = false;
    switch (ViewStyle()) {
    case vsList: {
        changed |= ShowBar(FVScrollBar, false);
        if (FHScrollBar) {
            TRect r;
            if (count > 0) Perform(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
            const int w = count > 0 && r.Width() > 0 ? r.Width() : 1;
            const bool show = perPage < count && Visible();
            if (show) {
                FHScrollBar->SetRange(h.nMin, h.nMax, Width() / w, h.nPos);
                FHScrollBar->SetSmallChange(1);
                FHScrollBar->SetLargeChange(1);
            }
            changed |= ShowBar(FHScrollBar, show);
        }
        break;
    }
    case vsReport:
        if (FVScrollBar) {
            const bool show = perPage < v.nMax + 1 && Visible();
            if (show) {
                FVScrollBar->SetRange(v.nMin, v.nMax, perPage, v.nPos);
                FVScrollBar->SetSmallChange(1);
                FVScrollBar->SetLargeChange(std::max(1, perPage));
            }
            changed |= ShowBar(FVScrollBar, show);
        }
        if (FHScrollBar) {
            const bool show = h.nMax > Width() && Visible();
            if (show) FHScrollBar->SetRange(h.nMin, h.nMax, Width(), h.nPos);
            changed |= ShowBar(FHScrollBar, show);
        }
        break;
    default: {
        const int step = std::max(1, ItemZeroHeight() / 2);
        if (FVScrollBar) {
            const bool show = v.nMax > Height() && Visible();
            if (show) {
                FVScrollBar->SetRange(v.nMin, v.nMax, Height(), v.nPos);
                FVScrollBar->SetSmallChange(step);
                FVScrollBar->SetLargeChange(step);
            }
            changed |= ShowBar(FVScrollBar, show);
        }
        if (FHScrollBar) {
            const bool show = h.nMax > Width() && Visible();
            if (show) {
                FHScrollBar->SetRange(h.nMin, h.nMax, Width(), h.nPos);
                FHScrollBar->SetSmallChange(step);
                FHScrollBar->SetLargeChange(step);
            }
            changed |= ShowBar(FHScrollBar, show);
        }
        break;
    }
    }
    if (FVScrollBar) FOldVPos = FVScrollBar->Position();
    if (FHScrollBar) FOldHPos = FHScrollBar->Position();
    if (FVScrollBar && FHScrollBar) FHScrollBar->SetBoth(FVScrollBar->Visible());
    RealignForBars(changed);
}

void TskSkinCustomListView::OnVScrollBarChange(TObject*)
{
    if (!FVScrollBar) return;
    TValueGuard applyingBar(FApplyingBar);
    const int diff = FVScrollBar->Position() - FOldVPos;
    if (ViewStyle() == vsList || ViewStyle() == vsReport)
        Scroll(0, diff * ItemZeroHeight());
    else
        Scroll(0, diff);
    FOldVPos = FVScrollBar->Position();
}

void TskSkinCustomListView::OnHScrollBarChange(TObject*)
{
    if (!FHScrollBar) return;
    TValueGuard applyingBar(FApplyingBar);
    const int diff = FHScrollBar->Position() - FOldHPos;
    if (ViewStyle() == vsList) {
        for (int i = 0; i < std::abs(diff); ++i) Perform(WM_HSCROLL, diff > 0 ? SB_LINERIGHT : SB_LINELEFT, 0);
    } else {
        Scroll(diff, 0);
    }
    FOldHPos = FHScrollBar->Position();
}

// ---- the header ----

void TskSkinCustomListView::HookHeader(HWND Header)
{
    UnhookHeader();
    FHeaderHandle = Header;
    FOldHeaderProc = SetWindowLongPtr(Header, GWLP_WNDPROC, FHeaderInstance);
}

void TskSkinCustomListView::UnhookHeader()
{
    if (!FHeaderHandle) return;
    // A header already gone fails this quietly; its procedure went with it.
    if (IsWindow(FHeaderHandle)) SetWindowLongPtr(FHeaderHandle, GWLP_WNDPROC, FOldHeaderProc);
    FHeaderHandle = 0;
    FOldHeaderProc = 0;
    FActiveSection = -1;
    FHeaderDown = false;
}

TskDataSkinButtonControl* TskSkinCustomListView::HeaderEntry() const
{
    return FSkinLink.FindAs<TskDataSkinButtonControl>(FHeaderSkinDataName);
}

LRESULT TskSkinCustomListView::HeaderWndProc(HWND H, UINT Msg, WPARAM W, LPARAM L)
{
    switch (Msg) {
    case WM_WINDOWPOSCHANGING:
        // A little wider than asked, so the last section's right edge never shows a native seam.
        if (auto* wp = reinterpret_cast<WINDOWPOS*>(L); wp && !(wp->flags & SWP_NOSIZE)) wp->cx += 4;
        return 0;
    case WM_PAINT:
        if (W) {
            PaintSkinHeader(reinterpret_cast<HDC>(W));
        } else {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(H, &ps);
            PaintSkinHeader(dc);
            EndPaint(H, &ps);
        }
        return 0;
    case WM_ERASEBKGND: return 1;
    default: break;
    }
    const LRESULT result = CallWindowProc(FOldHeaderProc, H, Msg, W, L);
    if (Msg == WM_LBUTTONDOWN) {
        const TPoint p{static_cast<short>(LOWORD(static_cast<std::uintptr_t>(L))), static_cast<short>(HIWORD(static_cast<std::uintptr_t>(L)))};
        FActiveSection = -1;
        const int n = static_cast<int>(CallWindowProc(FOldHeaderProc, H, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            TRect r;
            CallWindowProc(FOldHeaderProc, H, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
            if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) {
                FActiveSection = i;
                break;
            }
        }
        HDHITTESTINFO info;
        info.pt = p;
        CallWindowProc(FOldHeaderProc, H, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        FHeaderDown = !(info.flags & HHT_ONDIVIDER) && FActiveSection >= 0;
        RedrawWindow(H, nullptr, 0, RDW_INVALIDATE);
    } else if (Msg == WM_LBUTTONUP) {
        FHeaderDown = false;
        FActiveSection = -1;
        RedrawWindow(H, nullptr, 0, RDW_INVALIDATE);
    }
    return result;
}

void TskSkinCustomListView::DrawSection(TCanvas* C, int Index, const TRect& R, bool Pressed, TskDataSkinButtonControl* Entry)
{
    TListColumn* column = Columns()->Items(Index);
    const int w = R.Width();
    const int h = R.Height();
    TBitmap b(std::max(1, w), std::max(1, h));
    TCanvas* bc = b.Canvas();
    TBitmap* picture = Entry ? FSkinLink.Picture(Entry->PictureIndex) : nullptr;
    if (!picture) {
        bc->Brush()->SetColor(clBtnFace);
        bc->FillRect(Rect(0, 0, w, h));
        bc->Brush()->SetColor(Pressed || Index == FActiveSection ? clNavy : clBtnShadow);
        bc->FrameRect(Rect(0, 0, w, h));
        bc->Font()->Assign(Font());
    } else {
        const TRect active = Entry->ActiveSkinRect.IsEmpty() ? Entry->SkinRect : Entry->ActiveSkinRect;
        const TRect down = Entry->DownSkinRect.IsEmpty() ? active : Entry->DownSkinRect;
        const TRect src = Pressed ? down : Entry->SkinRect;
        DrawSectionPicture(&b, picture, *Entry, src, w, h);
        SelectEntryFont(bc->Font(), nullptr, Entry, FSkinLink.Data(), bc->Font()->Charset());
        bc->Font()->SetColor(Pressed ? Entry->DownFontColor : Entry->FontColor);
    }
    const TRect text = Rect(5, 0, w - 5, h);
    if (OnDrawHeaderSection) {
        OnDrawHeaderSection(bc, column, text, Pressed);
    } else if (column) {
        TCustomImageList* images = SmallImages();
        const bool hasImage = images && column->ImageIndex() >= 0 && column->ImageIndex() < images->Count();
        const int imageWidth = hasImage ? images->Width() : 0;
        std::string caption = column->Caption();
        // A section narrower than its margins shows no text rather than a negative width.
        CorrectTextByWidth(bc, caption, std::max(0, text.Width() - (hasImage ? 10 + imageWidth : 0)));
        const int blockWidth = bc->TextWidth(caption) + (hasImage ? 10 + imageWidth : 0);
        int x = text.Left;
        if (column->Alignment() == taRightJustify) x = text.Right - blockWidth;
        if (column->Alignment() == taCenter) x = (text.Left + text.Right - blockWidth) / 2;
        if (hasImage) {
            images->Draw(bc, x, (h - images->Height()) / 2, column->ImageIndex(), Enabled());
            x += 10 + imageWidth;
        }
        bc->Brush()->SetStyle(bsClear);
        bc->TextOut(x, (h - bc->TextHeight("Wg")) / 2, caption);
    }
    C->Draw(R.Left, R.Top, &b);
}

void TskSkinCustomListView::PaintSkinHeader(HDC DC)
{
    if (!FHeaderHandle) return;
    TCanvas c;
    c.SetHandle(DC);
    TskDataSkinButtonControl* entry = HeaderEntry();
    const int n = static_cast<int>(CallWindowProc(FOldHeaderProc, FHeaderHandle, HDM_GETITEMCOUNT, 0, 0));
    std::vector<int> order(static_cast<size_t>(std::max(0, n)));
    if (n > 0) CallWindowProc(FOldHeaderProc, FHeaderHandle, HDM_GETORDERARRAY, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(order.data()));
    int right = 0;
    for (int i = 0; i < n; ++i) {
        const int index = order[static_cast<size_t>(i)] >= 0 && order[static_cast<size_t>(i)] < n ? order[static_cast<size_t>(i)] : i;
        TRect r;
        CallWindowProc(FOldHeaderProc, FHeaderHandle, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        if (r.Width() <= 0 || r.Height() <= 0) continue;
        DrawSection(&c, index, r, FHeaderDown && index == FActiveSection, entry);
        right = std::max(right, r.Right);
    }
    TRect client;
    GetClientRect(FHeaderHandle, client);
    if (right < client.Right) {
        const TRect rest = Rect(right, 0, client.Right, client.Bottom);
        TBitmap* picture = entry ? FSkinLink.Picture(entry->PictureIndex) : nullptr;
        if (picture) {
            TBitmap b(rest.Width(), std::max(1, rest.Height()));
            DrawSectionPicture(&b, picture, *entry, entry->SkinRect, rest.Width(), rest.Height());
            c.Draw(rest.Left, rest.Top, &b);
        } else {
            c.Brush()->SetColor(clBtnFace);
            c.FillRect(rest);
        }
    }
    c.SetHandle(nullptr);
}

// ---- messages ----

void TskSkinCustomListView::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_PAINTLISTVIEWHEADER:
        if (FHeaderHandle) PaintSkinHeader(reinterpret_cast<HDC>(Message.WParam));
        return;
    case WM_PARENTNOTIFY:
        TCustomListView::WndProc(Message);
        if (LOWORD(Message.WParam) == WM_CREATE) {
            HWND child = static_cast<HWND>(Message.LParam);
            if (GetClassName(child).substr(0, 80) == HeaderClassName && ShowColumnHeaders()) HookHeader(child);
        } else if (LOWORD(Message.WParam) == WM_DESTROY && static_cast<HWND>(Message.LParam) == FHeaderHandle) {
            UnhookHeader();
        }
        return;
    case WM_SIZE:
    case WM_PAINT:
        TCustomListView::WndProc(Message);
        if (!FUpdatingBars) UpdateScrollBars();
        return;
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL: {
        // A handler of the key or the release may free the view.
        const auto alive = FAlive.Watch();
        TCustomListView::WndProc(Message);
        if (*alive) UpdateScrollBars();
        return;
    }
    default: TskSkinScrolledView::WndProc(Message);
    }
}

void RegisterSkinListViewClass()
{
    static const bool done = [] {
        RegisterListViewClasses();
        auto view = RegisterClass<TskSkinCustomListView, TCustomListView>("TskSkinCustomListView");
        SkinViewProps(view);
        view.Prop("HeaderSkinDataName", &TskSkinCustomListView::HeaderSkinDataName, &TskSkinCustomListView::SetHeaderSkinDataName);
        return true;
    }();
    (void)done;
}
