#include "platform/vcl/TCustomListView.h"

#include <algorithm>
#include <numeric>

#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/rtl/Strings.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

const char* const HeaderClassName = "SysHeader32";

namespace {

const char* const HeaderOwnerProp = "OmbrixListView";

// The header is an ordinary child window; its class procedure hands everything to the list view
// that made it, found through a window property set while the window is being created.
void RegisterHeaderClass()
{
    static const bool done = [] {
        WNDCLASS wc;
        wc.ClassName = HeaderClassName;
        wc.Style = CS_DBLCLKS;
        wc.WndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_NCCREATE) {
                const auto* cs = reinterpret_cast<const CREATESTRUCT*>(l);
                SetProp(h, HeaderOwnerProp, reinterpret_cast<LONG_PTR>(cs->CreateParams));
            }
            auto* owner = reinterpret_cast<TCustomListView*>(GetProp(h, HeaderOwnerProp));
            if (!owner) return DefWindowProc(h, m, w, l);
            return owner->HeaderProc(h, m, w, l);
        };
        RegisterClass(wc);
        return true;
    }();
    (void)done;
}

int TextWidthOf(HDC dc, const std::string& S)
{
    TSize size{};
    GetTextExtentPoint32(dc, S, size);
    return size.cx;
}

} // namespace

// ---- columns ----

void TListColumn::SetCaption(const std::string& Value)
{
    if (Value == FCaption) return;
    FCaption = Value;
    if (FOwner) FOwner->ColumnsChanged();
}

void TListColumn::SetWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == FWidth) return;
    FWidth = Value;
    if (FOwner) FOwner->ColumnsChanged();
}

void TListColumn::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    if (FOwner) FOwner->ColumnsChanged();
}

void TListColumn::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    if (FOwner) FOwner->ColumnsChanged();
}

TListColumn* TListColumns::Add()
{
    auto c = std::make_unique<TListColumn>();
    c->FOwner = FOwner;
    c->FIndex = Count();
    FItems.push_back(std::move(c));
    FOwner->ColumnsChanged();
    return FItems.back().get();
}

TListColumn* TListColumns::Items(int Index) const
{
    return Index >= 0 && Index < Count() ? FItems[static_cast<size_t>(Index)].get() : nullptr;
}

void TListColumns::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FItems.erase(FItems.begin() + Index);
    for (int i = 0; i < Count(); ++i) FItems[static_cast<size_t>(i)]->FIndex = i;
    FOwner->ColumnsChanged();
}

void TListColumns::Clear()
{
    FItems.clear();
    FOwner->ColumnsChanged();
}

// ---- items ----

TListItem::TListItem(TCustomListView* AOwner) : FOwner(AOwner), FSubItems(std::make_unique<TStringList>()) {}

void TListItem::SetCaption(const std::string& Value)
{
    if (Value == FCaption) return;
    FCaption = Value;
    // Only a stored row's caption changes what the list style measures; an owner-data row is made
    // afresh for each question.
    if (!FOwner->OwnerData()) FOwner->FListColumnWidth = -1;
    FOwner->Invalidate();
}

void TListItem::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    FOwner->Invalidate();
}

bool TListItem::Selected() const { return FOwner->IsSelected(FIndex); }
void TListItem::SetSelected(bool Value) { FOwner->SetItemSelected(FIndex, Value); }
bool TListItem::Focused() const { return FOwner->FItemIndex == FIndex; }

void TListItem::SetFocused(bool Value)
{
    if (Focused() == Value) return;
    FOwner->FItemIndex = Value ? FIndex : -1;
    if (Value) FOwner->FAnchor = FIndex;
    FOwner->Invalidate();
}

TListItem* TListItems::Add()
{
    if (FOwner->OwnerData()) throw EListError("Items of an owner-data list are not added");
    auto item = std::make_unique<TListItem>(FOwner);
    item->FIndex = static_cast<int>(FItems.size());
    FItems.push_back(std::move(item));
    FOwner->ItemsChanged();
    return FItems.back().get();
}

int TListItems::Count() const { return FOwner->OwnerData() ? FVirtualCount : static_cast<int>(FItems.size()); }

void TListItems::SetCount(int Value)
{
    Value = std::max(0, Value);
    if (!FOwner->OwnerData() || Value == FVirtualCount) return;
    FVirtualCount = Value;
    FOwner->ItemsChanged();
}

TListItem* TListItems::Item(int Index) const
{
    if (Index < 0 || Index >= Count()) return nullptr;
    if (!FOwner->OwnerData()) return FItems[static_cast<size_t>(Index)].get();
    // A fresh row each time, so nothing of the previous row leaks into this one.
    FScratch = std::make_unique<TListItem>(FOwner);
    FScratch->FIndex = Index;
    if (FOwner->OnData) FOwner->OnData(FOwner, FScratch.get());
    return FScratch.get();
}

void TListItems::Delete(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(FItems.size()))
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FItems.erase(FItems.begin() + Index);
    Renumber();
    auto& sel = FOwner->FSelected;
    if (Index < static_cast<int>(sel.size())) sel.erase(sel.begin() + Index);
    if (FOwner->FItemIndex == Index)
        FOwner->FItemIndex = -1;
    else if (FOwner->FItemIndex > Index)
        --FOwner->FItemIndex;
    FOwner->FAnchor = -1;
    FOwner->ItemsChanged();
}

void TListItems::Clear()
{
    FItems.clear();
    FScratch.reset();
    FVirtualCount = 0;
    FOwner->FSelected.clear();
    FOwner->FItemIndex = -1;
    FOwner->FAnchor = -1;
    FOwner->FTopIndex = 0;
    FOwner->ItemsChanged();
}

void TListItems::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) FOwner->ItemsChanged();
}

void TListItems::Renumber()
{
    for (size_t i = 0; i < FItems.size(); ++i) FItems[i]->FIndex = static_cast<int>(i);
}

// ---- TCustomListView ----

TCustomListView::TCustomListView(TComponent* AOwner)
    : TCustomControl(AOwner), FColumns(std::make_unique<TListColumns>(this)), FItems(std::make_unique<TListItems>(this))
{
    FControlStyle = {csSetCaption, csDoubleClicks, csOpaque, csCaptureMouse};
    FWidth = 250;
    FHeight = 150;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
}

TCustomListView::~TCustomListView() { DestroyHeader(); }

void TCustomListView::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL | WS_HSCROLL;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd()
{
    TCustomControl::CreateWnd();
    CreateHeader();
    UpdateScrollInfo();
}

void TCustomListView::DestroyWnd()
{
    DestroyHeader();
    TCustomControl::DestroyWnd();
}

void TCustomListView::CreateHeader()
{
    if (!HandleAllocated() || FHeader || FViewStyle != vsReport || !FShowColumnHeaders) return;
    RegisterHeaderClass();
    // Made the way any child window is, so the list view hears of it through WM_PARENTNOTIFY.
    FHeader = CreateWindowEx(0, HeaderClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, FHandle, 0, 0, this);
    PlaceHeader();
}

void TCustomListView::DestroyHeader()
{
    if (!FHeader) return;
    HWND h = FHeader;
    FHeader = 0;
    RemoveProp(h, HeaderOwnerProp);
    DestroyWindow(h);
}

void TCustomListView::PlaceHeader()
{
    if (!FHeader) return;
    MoveWindow(FHeader, -FHorzOffset, 0, std::max(TotalColumnWidth(), ClientWidth() + FHorzOffset), HeaderHeight());
    InvalidateRect(FHeader, nullptr, TRUE);
}

void TCustomListView::SetViewStyle(TViewStyle Value)
{
    if (Value == FViewStyle) return;
    FViewStyle = Value;
    FTopIndex = 0;
    FHorzOffset = 0;
    FVertOffset = 0;
    DestroyHeader();
    CreateHeader();
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListView::SetOwnerData(bool Value)
{
    if (Value == FOwnerData) return;
    FItems->Clear();
    FOwnerData = Value;
    ItemsChanged();
}

void TCustomListView::SetMultiSelect(bool Value)
{
    if (Value == FMultiSelect) return;
    FMultiSelect = Value;
    ClearSelection();
}

void TCustomListView::SetShowColumnHeaders(bool Value)
{
    if (Value == FShowColumnHeaders) return;
    FShowColumnHeaders = Value;
    DestroyHeader();
    CreateHeader();
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListView::SetHideSelection(bool Value)
{
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomListView::SetLargeImages(TCustomImageList* Value)
{
    if (Value == FLargeImages) return;
    FLargeImages = Value;
    ItemsChanged();
}

void TCustomListView::SetSmallImages(TCustomImageList* Value)
{
    if (Value == FSmallImages) return;
    FSmallImages = Value;
    ItemsChanged();
}


// ---- geometry ----

int TCustomListView::ItemHeight() const
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont->Handle());
    TEXTMETRIC tm;
    GetTextMetrics(dc, tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    int h = static_cast<int>(tm.tmHeight) + 2;
    if (FSmallImages) h = std::max(h, FSmallImages->Height());
    return std::max(1, h);
}

int TCustomListView::HeaderHeight() const
{
    if (FViewStyle != vsReport || !FShowColumnHeaders) return 0;
    return ItemHeight() + 4;
}

int TCustomListView::CountPerPage() const
{
    if (IconStyle()) return IconsPerLine() * std::max(1, ClientHeight() / IconCell().cy);
    if (RowStyle()) return std::max(1, (ClientHeight() - HeaderHeight()) / ItemHeight());
    return std::max(1, RowsPerColumn() * std::max(1, ClientWidth() / ListColumnWidth()));
}

int TCustomListView::TotalColumnWidth() const
{
    int w = 0;
    for (int i = 0; i < FColumns->Count(); ++i) w += FColumns->Items(i)->Width();
    return w;
}

int TCustomListView::ListColumnWidth() const
{
    if (FListColumnWidth > 0) return FListColumnWidth;
    // As wide as the widest caption, so the list style never cuts a name.
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont->Handle());
    int w = 0;
    for (int i = 0; i < FItems->Count(); ++i) w = std::max(w, TextWidthOf(dc, ItemCaption(i)));
    SelectObject(dc, old);
    DeleteDC(dc);
    FListColumnWidth = std::max(1, w + 8 + (FSmallImages ? FSmallImages->Width() + 2 : 0));
    return FListColumnWidth;
}

int TCustomListView::RowsPerColumn() const { return std::max(1, ClientHeight() / ItemHeight()); }

int TCustomListView::MaxTopIndex() const
{
    const int count = FItems->Count();
    if (RowStyle()) return std::max(0, count - CountPerPage());
    const int rows = RowsPerColumn();
    const int columns = (count + rows - 1) / rows;
    const int fit = std::max(1, ClientWidth() / ListColumnWidth());
    return std::max(0, columns - fit) * rows;
}

TSize TCustomListView::IconCell() const
{
    if (FViewStyle == vsSmallIcon) return {std::max(1, std::min(ListColumnWidth(), ClientWidth())), ItemHeight()};
    // A large picture above two lines of its caption, with room on both sides for longer names.
    const int image = FLargeImages ? FLargeImages->Width() : 32;
    const int imageHeight = FLargeImages ? FLargeImages->Height() : 32;
    return {std::max(image + 44, 76), imageHeight + 6 + 2 * (ItemHeight() - 2) + 4};
}

int TCustomListView::IconsPerLine() const { return std::max(1, ClientWidth() / IconCell().cx); }

int TCustomListView::IconContentHeight() const
{
    const int perLine = IconsPerLine();
    return (FItems->Count() + perLine - 1) / perLine * IconCell().cy;
}

void TCustomListView::SetVertOffset(int Value)
{
    Value = std::max(0, std::min(Value, IconContentHeight() - ClientHeight()));
    if (Value != FVertOffset) {
        FVertOffset = Value;
        Invalidate();
    }
    UpdateScrollInfo();
}

TRect TCustomListView::ItemRect(int Index) const
{
    if (Index < 0 || Index >= FItems->Count()) return {};
    if (IconStyle()) {
        const TSize cell = IconCell();
        const int perLine = IconsPerLine();
        const int left = Index % perLine * cell.cx;
        const int top = Index / perLine * cell.cy - FVertOffset;
        return Rect(left, top, left + cell.cx, top + cell.cy);
    }
    const int h = ItemHeight();
    if (RowStyle()) {
        const int top = HeaderHeight() + (Index - FTopIndex) * h;
        return Rect(-FHorzOffset, top, std::max(TotalColumnWidth(), ClientWidth()) - FHorzOffset, top + h);
    }
    const int rows = RowsPerColumn();
    const int w = ListColumnWidth();
    const int col = Index / rows - FTopIndex / rows;
    const int row = Index % rows;
    return Rect(col * w, row * h, (col + 1) * w, (row + 1) * h);
}

int TCustomListView::ItemAt(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= ClientWidth() || Y >= ClientHeight()) return -1;
    int index;
    if (IconStyle()) {
        const TSize cell = IconCell();
        const int column = X / cell.cx;
        if (column >= IconsPerLine()) return -1;
        index = (Y + FVertOffset) / cell.cy * IconsPerLine() + column;
    } else if (RowStyle()) {
        if (Y < HeaderHeight()) return -1;
        index = FTopIndex + (Y - HeaderHeight()) / ItemHeight();
    } else {
        const int rows = RowsPerColumn();
        const int row = Y / ItemHeight();
        if (row >= rows) return -1;
        index = FTopIndex + (X / ListColumnWidth()) * rows + row;
    }
    return index < FItems->Count() ? index : -1;
}

TRect TCustomListView::HeaderSectionRect(int Index) const
{
    if (Index < 0 || Index >= FColumns->Count()) return {};
    int left = 0;
    for (int i = 0; i < Index; ++i) left += FColumns->Items(i)->Width();
    return Rect(left, 0, left + FColumns->Items(Index)->Width(), HeaderHeight());
}

void TCustomListView::UpdateScrollInfo()
{
    if (!HandleAllocated()) return;
    const int count = FItems->Count();
    SCROLLINFO v;
    v.fMask = SIF_ALL;
    SCROLLINFO hz;
    hz.fMask = SIF_ALL;
    if (IconStyle()) {
        // Scrolled up and down by pixels; the lines always fit the width.
        v.nMax = std::max(0, IconContentHeight() - 1);
        v.nPage = static_cast<UINT>(std::max(1, ClientHeight()));
        v.nPos = FVertOffset;
        hz.nPage = 1;
    } else if (RowStyle()) {
        v.nMax = std::max(0, count - 1);
        v.nPage = static_cast<UINT>(CountPerPage());
        v.nPos = FTopIndex;
        hz.nMax = std::max(0, TotalColumnWidth() - 1);
        hz.nPage = static_cast<UINT>(std::max(1, ClientWidth()));
        hz.nPos = FHorzOffset;
    } else {
        // Scrolled sideways by whole columns: positions are column numbers.
        const int rows = RowsPerColumn();
        v.nPage = 1;
        hz.nMax = std::max(0, (count + rows - 1) / rows - 1);
        hz.nPage = static_cast<UINT>(std::max(1, ClientWidth() / ListColumnWidth()));
        hz.nPos = FTopIndex / rows;
    }
    SetScrollInfo(FHandle, SB_VERT, v);
    SetScrollInfo(FHandle, SB_HORZ, hz);
}

void TCustomListView::SetTopIndex(int Value)
{
    Value = std::max(0, std::min(Value, MaxTopIndex()));
    if (!RowStyle()) Value -= Value % RowsPerColumn();
    if (Value != FTopIndex) {
        FTopIndex = Value;
        Invalidate();
    }
    UpdateScrollInfo();
}

void TCustomListView::SetHorzOffset(int Value)
{
    Value = std::max(0, std::min(Value, TotalColumnWidth() - ClientWidth()));
    if (Value != FHorzOffset) {
        FHorzOffset = Value;
        PlaceHeader();
        Invalidate();
    }
    UpdateScrollInfo();
}

void TCustomListView::Scroll(int DX, int DY)
{
    if (IconStyle()) {
        if (DY) SetVertOffset(FVertOffset + DY);
    } else if (RowStyle()) {
        if (DY) SetTopIndex(FTopIndex + DY / ItemHeight());
        if (DX) SetHorzOffset(FHorzOffset + DX);
    } else if (DX) {
        SetTopIndex(FTopIndex + (DX / ListColumnWidth()) * RowsPerColumn());
    }
}

void TCustomListView::MakeVisible(int Index)
{
    if (Index < 0 || Index >= FItems->Count()) return;
    if (IconStyle()) {
        const TRect r = ItemRect(Index);
        if (r.Top < 0)
            SetVertOffset(FVertOffset + r.Top);
        else if (r.Bottom > ClientHeight())
            SetVertOffset(FVertOffset + r.Bottom - ClientHeight());
        return;
    }
    const int span = CountPerPage();
    if (Index < FTopIndex)
        SetTopIndex(Index);
    else if (Index >= FTopIndex + span)
        SetTopIndex(RowStyle() ? Index - span + 1 : (Index / RowsPerColumn() + 1) * RowsPerColumn() - span);
}

void TCustomListView::ItemsChanged()
{
    FListColumnWidth = -1;
    if (FItems->FUpdateCount > 0) return;
    FSelected.resize(static_cast<size_t>(FItems->Count()), 0);
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    if (FTopIndex > MaxTopIndex()) FTopIndex = MaxTopIndex();
    FVertOffset = std::max(0, std::min(FVertOffset, IconContentHeight() - ClientHeight()));
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListView::ColumnsChanged()
{
    FListColumnWidth = -1;
    if (FHorzOffset > std::max(0, TotalColumnWidth() - ClientWidth())) FHorzOffset = std::max(0, TotalColumnWidth() - ClientWidth());
    PlaceHeader();
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListView::Resize()
{
    if (FTopIndex > MaxTopIndex()) FTopIndex = MaxTopIndex();
    FVertOffset = std::max(0, std::min(FVertOffset, IconContentHeight() - ClientHeight()));
    PlaceHeader();
    UpdateScrollInfo();
    TCustomControl::Resize();
}

// ---- selection ----

bool TCustomListView::IsSelected(int Index) const
{
    return Index >= 0 && Index < static_cast<int>(FSelected.size()) && FSelected[static_cast<size_t>(Index)] != 0;
}

TListItem* TCustomListView::SelectedFirst() const
{
    for (size_t i = 0; i < FSelected.size(); ++i)
        if (FSelected[i]) return FItems->Item(static_cast<int>(i));
    return nullptr;
}

int TCustomListView::SelCount() const { return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), 1)); }

void TCustomListView::SelectionChanged(int Index, bool Selected)
{
    Invalidate();
    if (OnSelectItem) OnSelectItem(this, FItems->Item(Index), Selected);
    if (OnChange) OnChange(this);
}

void TCustomListView::SetItemSelected(int Index, bool Value)
{
    if (Index < 0 || Index >= FItems->Count()) return;
    if (IsSelected(Index) == Value) return;
    if (Value && !FMultiSelect) {
        const auto alive = FAlive.Watch();
        for (size_t i = 0; i < FSelected.size(); ++i)
            if (FSelected[i] && static_cast<int>(i) != Index) {
                FSelected[i] = 0;
                SelectionChanged(static_cast<int>(i), false);
                if (!*alive) return;
            }
    }
    FSelected[static_cast<size_t>(Index)] = Value ? 1 : 0;
    if (Value) FItemIndex = Index;
    SelectionChanged(Index, Value);
}

void TCustomListView::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= FItems->Count()) Value = -1;
    if (Value < 0) {
        ClearSelection();
        FItemIndex = -1;
        return;
    }
    SetItemSelected(Value, true);
    FItemIndex = Value;
    FAnchor = Value;
    MakeVisible(Value);
}

void TCustomListView::ClearSelection()
{
    const auto alive = FAlive.Watch();
    for (size_t i = 0; i < FSelected.size(); ++i)
        if (FSelected[i]) {
            FSelected[i] = 0;
            SelectionChanged(static_cast<int>(i), false);
            if (!*alive) return;
        }
}

void TCustomListView::CustomSort(const TLVCompareEvent& Compare)
{
    if (!Compare || FOwnerData) return;
    auto& v = FItems->FItems;
    FSelected.resize(v.size(), 0);
    // Each row carries its selection mark through the sort.
    std::vector<std::pair<std::unique_ptr<TListItem>, char>> rows;
    for (size_t i = 0; i < v.size(); ++i) rows.emplace_back(std::move(v[i]), FSelected[i]);
    const int focused = FItemIndex;
    TListItem* focusedItem = focused >= 0 ? rows[static_cast<size_t>(focused)].first.get() : nullptr;
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) { return Compare(a.first.get(), b.first.get()) < 0; });
    for (size_t i = 0; i < rows.size(); ++i) {
        v[i] = std::move(rows[i].first);
        FSelected[i] = rows[i].second;
        if (v[i].get() == focusedItem) FItemIndex = static_cast<int>(i);
    }
    FItems->Renumber();
    Invalidate();
}

// ---- painting ----

void TCustomListView::PaintHeader(HDC DC)
{
    TCanvas c;
    c.SetHandle(DC);
    c.Font()->Assign(FFont);
    c.Brush()->SetStyle(bsSolid);
    const int hh = HeaderHeight();
    int right = 0;
    for (int i = 0; i < FColumns->Count(); ++i) {
        TListColumn* col = FColumns->Items(i);
        const TRect r = HeaderSectionRect(i);
        right = r.Right;
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(r);
        c.Brush()->SetColor(i == FHeaderDown ? clNavy : clBtnShadow);
        c.FrameRect(r);
        const int tw = c.TextWidth(col->Caption());
        int x = r.Left + 5;
        if (col->Alignment() == taRightJustify) x = r.Right - 5 - tw;
        if (col->Alignment() == taCenter) x = (r.Left + r.Right - tw) / 2;
        c.Brush()->SetStyle(bsClear);
        c.TextRect(Rect(r.Left + 2, r.Top, r.Right - 2, r.Bottom), x, (hh - c.TextHeight("Wg")) / 2, col->Caption());
        c.Brush()->SetStyle(bsSolid);
    }
    TRect client;
    GetClientRect(FHeader, client);
    if (right < client.Right) {
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(Rect(right, 0, client.Right, hh));
    }
    c.SetHandle(nullptr);
}

void TCustomListView::Paint()
{
    TCanvas* c = Canvas();
    c->Font()->Assign(FFont);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(ClientRect());
    const int count = FItems->Count();
    const int h = ItemHeight();
    if (IconStyle()) {
        for (int i = FVertOffset / IconCell().cy * IconsPerLine(); i < count; ++i) {
            const TRect r = ItemRect(i);
            if (r.Top >= ClientHeight()) break;
            PaintIconItem(c, i, r);
        }
        return;
    }
    for (int i = FTopIndex; i < count; ++i) {
        const TRect r = ItemRect(i);
        if (RowStyle() ? r.Top >= ClientHeight() : r.Left >= ClientWidth()) break;
        TListItem* item = FItems->Item(i);
        const bool selected = IsSelected(i) && (Focused() || !FHideSelection);
        c->Brush()->SetColor(selected ? clHighlight : FColor);
        c->Font()->SetColor(selected ? clHighlightText : FFont->Color());
        int x = r.Left + 2;
        const int firstRight = RowStyle() && FColumns->Count() > 0 ? r.Left + FColumns->Items(0)->Width() : r.Right;
        c->FillRect(RowStyle() ? r : Rect(r.Left, r.Top, firstRight, r.Bottom));
        if (FSmallImages) {
            if (item->ImageIndex() >= 0 && item->ImageIndex() < FSmallImages->Count())
                FSmallImages->Draw(c, x, r.Top + (h - FSmallImages->Height()) / 2, item->ImageIndex(), FEnabled);
            x += FSmallImages->Width() + 2;
        }
        const int ty = r.Top + (h - c->TextHeight("Wg")) / 2;
        c->Brush()->SetStyle(bsClear);
        if (!RowStyle() || FColumns->Count() == 0) {
            c->TextRect(Rect(x, r.Top, r.Right, r.Bottom), x + 2, ty, item->Caption());
        } else {
            for (int k = 0; k < FColumns->Count(); ++k) {
                TListColumn* col = FColumns->Items(k);
                const TRect cr = HeaderSectionRect(k);
                const int left = (k == 0 ? x : r.Left + cr.Left + 4);
                const int cellRight = r.Left + cr.Right - 4;
                const std::string text = k == 0 ? item->Caption() : (k - 1 < item->SubItems()->Count() ? item->SubItems()->Strings(k - 1) : "");
                const int tw = c->TextWidth(text);
                int tx = left + 2;
                if (col->Alignment() == taRightJustify) tx = cellRight - tw;
                if (col->Alignment() == taCenter) tx = (left + cellRight - tw) / 2;
                c->TextRect(Rect(left, r.Top, std::max(left, cellRight), r.Bottom), tx, ty, text);
            }
        }
        c->Brush()->SetStyle(bsSolid);
        if (i == FItemIndex && Focused()) DrawFocusRect(c->Handle(), RowStyle() ? r : Rect(r.Left, r.Top, firstRight, r.Bottom));
    }
}

void TCustomListView::PaintIconItem(TCanvas* C, int Index, const TRect& R)
{
    TListItem* item = FItems->Item(Index);
    const bool selected = IsSelected(Index) && (Focused() || !FHideSelection);
    TCustomImageList* images = FViewStyle == vsIcon ? FLargeImages : FSmallImages;
    const int image = item->ImageIndex();
    const bool hasImage = images && image >= 0 && image < images->Count();
    TRect text; // the caption's own place: its background and focus frame
    TRect room; // where its lines are laid out
    UINT format = DT_NOPREFIX | DT_END_ELLIPSIS;
    if (FViewStyle == vsIcon) {
        // The picture centred at the top, the caption centred under it on up to two lines.
        const int imageHeight = images ? images->Height() : 32;
        if (hasImage) images->Draw(C, R.Left + (R.Width() - images->Width()) / 2, R.Top + 2, image, FEnabled);
        room = Rect(R.Left + 3, R.Top + imageHeight + 6, R.Right - 3, R.Bottom - 2);
        TRect need = room;
        DrawText(C->Handle(), item->Caption(), need, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | format);
        const int w = std::min(need.Width(), room.Width());
        text = Rect(room.Left + (room.Width() - w) / 2 - 1, room.Top, room.Left + (room.Width() + w) / 2 + 1,
            std::min(room.Top + need.Height(), room.Bottom));
        format |= DT_WORDBREAK | DT_CENTER;
    } else {
        // The small picture, then the caption on one line.
        int x = R.Left + 2;
        if (hasImage) images->Draw(C, x, R.Top + (R.Height() - images->Height()) / 2, image, FEnabled);
        if (images) x += images->Width() + 2;
        text = Rect(x, R.Top, std::min(x + C->TextWidth(item->Caption()) + 4, R.Right), R.Bottom);
        room = Rect(text.Left + 2, text.Top, text.Right - 1, text.Bottom);
        format |= DT_SINGLELINE | DT_VCENTER;
    }
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(selected ? clHighlight : FColor);
    C->FillRect(text);
    C->Font()->SetColor(selected ? clHighlightText : FFont->Color());
    C->Brush()->SetStyle(bsClear);
    DrawText(C->Handle(), item->Caption(), room, format);
    C->Brush()->SetStyle(bsSolid);
    if (Index == FItemIndex && Focused()) DrawFocusRect(C->Handle(), text);
}

// ---- input ----

void TCustomListView::MoveTo(int Index, bool Shift, bool Ctrl)
{
    const int count = FItems->Count();
    if (count == 0) return;
    Index = std::max(0, std::min(Index, count - 1));
    // Every change of the selection is told to OnChange, whose handler may free the view.
    const auto alive = FAlive.Watch();
    if (FMultiSelect && Shift) {
        const int from = FAnchor < 0 ? Index : FAnchor;
        for (int i = 0; i < count; ++i) {
            const bool want = i >= std::min(from, Index) && i <= std::max(from, Index);
            if (IsSelected(i) != want) {
                FSelected[static_cast<size_t>(i)] = want ? 1 : 0;
                SelectionChanged(i, want);
                if (!*alive) return;
            }
        }
        FItemIndex = Index;
    } else if (FMultiSelect && Ctrl) {
        FItemIndex = Index;
        FAnchor = Index;
        FSelected[static_cast<size_t>(Index)] ^= 1;
        SelectionChanged(Index, IsSelected(Index));
        if (!*alive) return;
    } else {
        ClearSelection();
        if (!*alive) return;
        SetItemSelected(Index, true);
        if (!*alive) return;
        FAnchor = Index;
    }
    FItemIndex = Index;
    MakeVisible(Index);
    Invalidate();
}

void TCustomListView::ListKeyDown(WORD Key)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const int cur = FItemIndex;
    if (IconStyle()) {
        // Lines of items: Up and Down go a line, Left and Right an item.
        const int line = IconsPerLine();
        const int page = std::max(line, CountPerPage());
        int to = -1;
        switch (Key) {
        case VK_UP: to = cur - line; break;
        case VK_DOWN: to = cur + line; break;
        case VK_LEFT: to = cur - 1; break;
        case VK_RIGHT: to = cur + 1; break;
        case VK_PRIOR: to = cur - page; break;
        case VK_NEXT: to = cur + page; break;
        case VK_HOME: to = 0; break;
        case VK_END: to = FItems->Count() - 1; break;
        default: return;
        }
        if (cur < 0) to = 0;
        // A step past the last line's end stays in the last column there is.
        if (to >= FItems->Count() && Key != VK_RIGHT) to = FItems->Count() - 1;
        if (to >= 0 && to < FItems->Count()) MoveTo(to, shift, false);
        return;
    }
    const int page = RowStyle() ? std::max(1, CountPerPage() - 1) : RowsPerColumn();
    const int side = RowStyle() ? 0 : RowsPerColumn();
    switch (Key) {
    case VK_UP: MoveTo(cur < 0 ? 0 : cur - 1, shift, false); break;
    case VK_DOWN: MoveTo(cur < 0 ? 0 : cur + 1, shift, false); break;
    case VK_LEFT:
        if (side) MoveTo(cur < 0 ? 0 : cur - side, shift, false);
        else SetHorzOffset(FHorzOffset - 10);
        break;
    case VK_RIGHT:
        if (side) MoveTo(cur < 0 ? 0 : cur + side, shift, false);
        else SetHorzOffset(FHorzOffset + 10);
        break;
    case VK_PRIOR: MoveTo(cur < 0 ? 0 : cur - page, shift, false); break;
    case VK_NEXT: MoveTo(cur < 0 ? 0 : cur + page, shift, false); break;
    case VK_HOME: MoveTo(0, shift, false); break;
    case VK_END: MoveTo(FItems->Count() - 1, shift, false); break;
    default: break;
    }
}

void TCustomListView::ScrollMessage(bool Vertical, int Code, int Pos)
{
    if (IconStyle()) {
        if (!Vertical) return;
        const int line = IconCell().cy;
        switch (Code) {
        case SB_LINEUP: SetVertOffset(FVertOffset - line); break;
        case SB_LINEDOWN: SetVertOffset(FVertOffset + line); break;
        case SB_PAGEUP: SetVertOffset(FVertOffset - std::max(line, ClientHeight() - line)); break;
        case SB_PAGEDOWN: SetVertOffset(FVertOffset + std::max(line, ClientHeight() - line)); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: SetVertOffset(Pos); break;
        case SB_TOP: SetVertOffset(0); break;
        case SB_BOTTOM: SetVertOffset(1 << 20); break;
        default: break;
        }
        return;
    }
    // Vertical positions are rows; horizontal ones pixels (report) or columns (list).
    const bool rows = Vertical || !RowStyle();
    const int unit = Vertical ? 1 : (RowStyle() ? 1 : RowsPerColumn());
    const int cur = Vertical || !RowStyle() ? FTopIndex / unit : FHorzOffset;
    const int line = rows ? 1 : 10;
    const int page = Vertical ? std::max(1, CountPerPage() - 1) : (RowStyle() ? std::max(1, ClientWidth() - 10) : std::max(1, ClientWidth() / ListColumnWidth()));
    int next = cur;
    switch (Code) {
    case SB_LINEUP: next = cur - line; break;
    case SB_LINEDOWN: next = cur + line; break;
    case SB_PAGEUP: next = cur - page; break;
    case SB_PAGEDOWN: next = cur + page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: next = Pos; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = 1 << 20; break;
    default: return;
    }
    if (Vertical && !RowStyle()) return;
    if (rows)
        SetTopIndex(std::min(next, 1 << 20) * unit);
    else
        SetHorzOffset(next);
}

namespace {

void AppendUtf8(std::string& S, char32_t Ch)
{
    if (Ch < 0x80) {
        S += static_cast<char>(Ch);
    } else if (Ch < 0x800) {
        S += static_cast<char>(0xC0 | (Ch >> 6));
        S += static_cast<char>(0x80 | (Ch & 0x3F));
    } else if (Ch < 0x10000) {
        S += static_cast<char>(0xE0 | (Ch >> 12));
        S += static_cast<char>(0x80 | ((Ch >> 6) & 0x3F));
        S += static_cast<char>(0x80 | (Ch & 0x3F));
    } else {
        S += static_cast<char>(0xF0 | (Ch >> 18));
        S += static_cast<char>(0x80 | ((Ch >> 12) & 0x3F));
        S += static_cast<char>(0x80 | ((Ch >> 6) & 0x3F));
        S += static_cast<char>(0x80 | (Ch & 0x3F));
    }
}

// A pause this long between two typed letters starts a new search.
constexpr std::uint64_t SearchPauseMs = 1000;

} // namespace

std::string TCustomListView::ItemCaption(int Index) const
{
    const TListItem* item = FItems->Item(Index);
    return item != nullptr ? item->Caption() : std::string();
}

int TCustomListView::FindCaption(int StartIndex, const std::string& Text, bool Wrap) const
{
    const int count = FItems->Count();
    const std::string wanted = AnsiUpperCase(Text);
    for (int k = 0; k < count; ++k) {
        const int i = StartIndex + k;
        if (i >= count && !Wrap) break;
        const std::string caption = AnsiUpperCase(ItemCaption(i % count));
        if (caption.compare(0, wanted.size(), wanted) == 0) return i % count;
    }
    return -1;
}

void TCustomListView::TypeAhead(char32_t Ch)
{
    if (Ch < 32 || Ch == 127 || FItems->Count() == 0) return;
    const std::uint64_t now = WinClockNow();
    if (now - FSearchTime > SearchPauseMs) FSearchText.clear();
    FSearchTime = now;
    AppendUtf8(FSearchText, Ch);
    // A longer text may still fit the row already found; the first letter moves on to the next one.
    const int from = FSearchText.size() == 1 || FItemIndex < 0 ? FItemIndex + 1 : FItemIndex;
    const int found = FindCaption(std::max(0, from), FSearchText, true);
    if (found >= 0) MoveTo(found, false, false);
}

void TCustomListView::ColumnClick(TListColumn* Column)
{
    if (OnColumnClick) OnColumnClick(this, Column);
}

LRESULT TCustomListView::HeaderProc(HWND H, UINT Msg, WPARAM W, LPARAM L)
{
    switch (Msg) {
    case WM_PAINT: {
        if (W) {
            PaintHeader(reinterpret_cast<HDC>(W));
            return 0;
        }
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(H, &ps);
        PaintHeader(dc);
        EndPaint(H, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case HDM_GETITEMCOUNT: return FColumns->Count();
    case HDM_GETITEMRECT:
        if (L) *reinterpret_cast<TRect*>(L) = HeaderSectionRect(static_cast<int>(W));
        return static_cast<int>(W) >= 0 && static_cast<int>(W) < FColumns->Count();
    case HDM_GETORDERARRAY: {
        // Columns are never reordered here: the display order is the column order.
        auto* order = reinterpret_cast<int*>(L);
        const int n = std::min(static_cast<int>(W), FColumns->Count());
        if (!order) return 0;
        std::iota(order, order + n, 0);
        return 1;
    }
    case HDM_HITTEST: {
        auto* info = reinterpret_cast<HDHITTESTINFO*>(L);
        if (!info) return -1;
        info->flags = HHT_NOWHERE;
        info->iItem = -1;
        for (int i = 0; i < FColumns->Count(); ++i) {
            const TRect r = HeaderSectionRect(i);
            if (info->pt.X >= r.Left && info->pt.X < r.Right && info->pt.Y >= r.Top && info->pt.Y < r.Bottom) {
                info->iItem = i;
                info->flags = info->pt.X >= r.Right - 3 ? HHT_ONDIVIDER : HHT_ONHEADER;
                break;
            }
        }
        return info->iItem;
    }
    case WM_LBUTTONDOWN: {
        HDHITTESTINFO info;
        info.pt = ParamPoint(L);
        HeaderProc(H, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        FHeaderDown = info.flags == HHT_ONHEADER ? info.iItem : -1;
        if (info.flags == HHT_ONDIVIDER) {
            // A press on a section's right edge drags that edge: the column takes the new width.
            FSizingColumn = info.iItem;
            FSizingFromX = info.pt.X;
            FSizingFromWidth = FColumns->Items(info.iItem)->Width();
            SetCapture(H);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        FSizingColumn = -1;
        return 0;
    case WM_MOUSEMOVE:
        if (FSizingColumn >= 0 && FSizingColumn < FColumns->Count()) {
            const int x = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(L)));
            FColumns->Items(FSizingColumn)->SetWidth(std::max(4, FSizingFromWidth + x - FSizingFromX));
        }
        return 0;
    case WM_LBUTTONUP: {
        if (FSizingColumn >= 0) {
            FSizingColumn = -1;
            ReleaseCapture();
            return 0;
        }
        HDHITTESTINFO info;
        info.pt = ParamPoint(L);
        HeaderProc(H, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        const int down = FHeaderDown;
        FHeaderDown = -1;
        // A click is a press and a release on the same section.
        if (down >= 0 && info.iItem == down && info.flags == HHT_ONHEADER) ColumnClick(FColumns->Items(down));
        return 0;
    }
    default: return DefWindowProc(H, Msg, W, L);
    }
}

void TCustomListView::DefaultHandler(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN) {
        ListKeyDown(static_cast<WORD>(Message.WParam));
        return;
    }
    if (Message.Msg == WM_CHAR) {
        TypeAhead(static_cast<char32_t>(Message.WParam));
        return;
    }
    TCustomControl::DefaultHandler(Message);
}

void TCustomListView::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_VSCROLL: ScrollMessage(true, LOWORD(Message.WParam), static_cast<short>(HIWORD(Message.WParam))); return;
    case WM_HSCROLL: ScrollMessage(false, LOWORD(Message.WParam), static_cast<short>(HIWORD(Message.WParam))); return;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(Message.WParam));
        ScrollMessage(RowStyle() || IconStyle(), delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        return;
    }
    case LVM_GETITEMCOUNT: Message.Result = FItems->Count(); return;
    case LVM_GETCOUNTPERPAGE: Message.Result = CountPerPage(); return;
    case LVM_GETHEADER: Message.Result = static_cast<LRESULT>(FHeader); return;
    case LVM_GETITEMRECT:
        if (Message.LParam) *reinterpret_cast<TRect*>(Message.LParam) = ItemRect(static_cast<int>(Message.WParam));
        Message.Result = static_cast<int>(Message.WParam) < FItems->Count() ? 1 : 0;
        return;
    case LVM_SCROLL:
        Scroll(static_cast<int>(static_cast<std::intptr_t>(Message.WParam)), static_cast<int>(Message.LParam));
        Message.Result = 1;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        ColumnsChanged();
        ItemsChanged();
        return;
    default: TCustomControl::WndProc(Message);
    }
}

void TCustomListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    if (Button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        const int i = ItemAt(X, Y);
        if (i >= 0)
            MoveTo(i, Shift.Contains(ssShift), Shift.Contains(ssCtrl));
        else if (!Shift.Contains(ssShift) && !Shift.Contains(ssCtrl))
            ClearSelection();
    }
    if (*alive) TCustomControl::MouseDown(Button, Shift, X, Y);
}

void RegisterListViewClasses()
{
    static const bool done = [] {
        RegisterFormClasses();
        RegisterEnum<TViewStyle>({"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
        RegisterClass<TCustomListView, TCustomControl>("TCustomListView")
            .Prop("ViewStyle", &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle, vsIcon)
            .Prop("MultiSelect", &TCustomListView::MultiSelect, &TCustomListView::SetMultiSelect, false)
            .Prop("ShowColumnHeaders", &TCustomListView::ShowColumnHeaders, &TCustomListView::SetShowColumnHeaders, true)
            .Prop("HideSelection", &TCustomListView::HideSelection, &TCustomListView::SetHideSelection, true)
            .Prop("OwnerData", &TCustomListView::OwnerData, &TCustomListView::SetOwnerData, false)
            .Prop("LargeImages", &TCustomListView::LargeImages, &TCustomListView::SetLargeImages)
            .Prop("SmallImages", &TCustomListView::SmallImages, &TCustomListView::SetSmallImages)
            .Event("OnColumnClick", &TCustomListView::OnColumnClick)
            .Event("OnChange", &TCustomListView::OnChange)
            .Ignored({"BorderStyle", "ReadOnly", "RowSelect", "ColumnClick", "GridLines", "HotTrack", "IconOptions",
                "SortType", "Columns", "BevelInner", "BevelOuter", "BevelKind"});
        RegisterClass<TListView, TCustomListView>("TListView");
        return true;
    }();
    (void)done;
}
