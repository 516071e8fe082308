#include "platform/vcl/TCustomListBox.h"

#include <algorithm>

#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

// ---- TListBoxStrings ----

std::string TListBoxStrings::Get(int Index) const { return FList.Get(Index); }

void TListBoxStrings::Put(int Index, const std::string& S)
{
    FListBox->ItemsEditing();
    // A sorted list takes a changed string at its sorted place.
    if (FList.Sorted()) {
        void* obj = FList.GetObject(Index);
        Delete(Index);
        AddObject(S, obj);
        return;
    }
    FList.Put(Index, S);
    FListBox->ItemsChanged();
}

void TListBoxStrings::Insert(int Index, const std::string& S)
{
    FListBox->ItemsEditing();
    if (FList.Sorted()) throw EListError("Operation not allowed on sorted list");
    if (Index < 0 || Index > FList.Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FList.Insert(Index, S);
    FListBox->ItemInserted(Index);
}

int TListBoxStrings::AddObject(const std::string& S, void* Object)
{
    FListBox->ItemsEditing();
    int index;
    if (FList.Sorted()) {
        const int before = FList.Count();
        index = FList.AddObject(S, Object);
        if (FList.Count() == before) return index; // a duplicate the list ignores
    } else {
        index = FList.Count();
        FList.InsertObject(index, S, Object);
    }
    FListBox->ItemInserted(index);
    return index;
}

void TListBoxStrings::Delete(int Index)
{
    FListBox->ItemsEditing();
    if (Index < 0 || Index >= FList.Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FListBox->ItemDeleting(Index);
    FList.Delete(Index);
    FListBox->ItemDeleted(Index);
}

void TListBoxStrings::PutObject(int Index, void* Object)
{
    FListBox->ItemsEditing();
    FList.PutObject(Index, Object);
}

void TListBoxStrings::Clear()
{
    FListBox->ItemsEditing();
    FList.Clear();
    FListBox->ItemsCleared();
}

void TListBoxStrings::SetUpdateState(bool Updating)
{
    FListBox->FUpdating = Updating;
    if (!Updating) FListBox->ItemsChanged();
}

void TListBoxStrings::SetSorted(bool Value)
{
    if (Value == FList.Sorted()) return;
    FList.SetSorted(Value);
    FListBox->ItemsCleared(); // the order changed under every index
}

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomControl(AOwner), FItems(new TListBoxStrings(this))
{
    FControlStyle = {csSetCaption, csDoubleClicks, csOpaque, csCaptureMouse};
    FWidth = 121;
    FHeight = 97;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
}

TCustomListBox::~TCustomListBox() { delete FItems; }

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL | WS_HSCROLL;
    if (FBorderSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

int TCustomListBox::ItemHeight() const
{
    if (FStyle == lbOwnerDrawFixed || FStyle == lbOwnerDrawVariable || FStyle == lbVirtualOwnerDraw) return std::max(1, FItemHeight);
    // Standard items are one line of the font.
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont->Handle());
    TEXTMETRIC tm;
    GetTextMetrics(dc, tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return std::max(1, static_cast<int>(tm.tmHeight));
}

int TCustomListBox::ItemHeightOf(int Index) const
{
    if (VariableHeights() && Index >= 0 && Index < static_cast<int>(FItemHeights.size())) return FItemHeights[static_cast<size_t>(Index)];
    return ItemHeight();
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
    Height = ItemHeight();
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::MeasureAllItems()
{
    FItemHeights.assign(static_cast<size_t>(Count()), 0);
    for (int i = 0; i < Count(); ++i) {
        int h = ItemHeight();
        MeasureItem(i, h);
        FItemHeights[static_cast<size_t>(i)] = std::max(1, h);
    }
}

void TCustomListBox::SetScrollWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == FHorizontalExtent) return;
    FHorizontalExtent = Value;
    FHorzPos = std::max(0, std::min(FHorzPos, FHorizontalExtent - ClientWidth()));
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListBox::SetItemHeight(int Value)
{
    if (Value == FItemHeight || Value < 1) return;
    FItemHeight = Value;
    SetTopIndex(FTopIndex);
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    if (VariableHeights()) MeasureAllItems();
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    if (Value == FMultiSelect) return;
    FMultiSelect = Value;
    FSelected.assign(static_cast<size_t>(Count()), 0);
    if (Value && FItemIndex >= 0) FSelected[static_cast<size_t>(FItemIndex)] = 1;
    Invalidate();
}

void TCustomListBox::SetSorted(bool Value)
{
    FItems->SetSorted(Value);
}

void TCustomListBox::SetColumns(int Value)
{
    Value = std::max(0, Value);
    if (Value == FColumns) return;
    FColumns = Value;
    SetTopIndex(FTopIndex);
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListBox::SetBorderStyleValue(int Value)
{
    const bool single = Value != 0;
    if (single == FBorderSingle) return;
    FBorderSingle = single;
    RecreateWnd();
}

int TCustomListBox::VisibleRows() const
{
    if (!VariableHeights()) return std::max(1, ClientHeight() / ItemHeight());
    // Whole items from the top one down.
    int rows = 0;
    for (int i = FTopIndex, y = 0; i < Count() && (y += ItemHeightOf(i)) <= ClientHeight(); ++i) ++rows;
    return std::max(1, rows);
}

int TCustomListBox::MaxTopIndex() const
{
    const int rows = VisibleRows();
    if (FColumns > 0) {
        // The top index moves by whole columns.
        const int lastColumn = std::max(0, (Count() - 1) / rows);
        const int firstShown = std::max(0, lastColumn - FColumns + 1);
        return firstShown * rows;
    }
    if (VariableHeights()) {
        // The lowest top that still fills the window down to the last item.
        int top = Count();
        for (int used = 0; top > 0 && used + ItemHeightOf(top - 1) <= ClientHeight(); --top) used += ItemHeightOf(top - 1);
        return std::min(top, std::max(0, Count() - 1));
    }
    return std::max(0, Count() - rows);
}

void TCustomListBox::SetTopIndex(int Value)
{
    Value = std::max(0, std::min(Value, MaxTopIndex()));
    if (FColumns > 0) Value -= Value % VisibleRows();
    if (Value == FTopIndex) {
        UpdateScrollInfo();
        return;
    }
    FTopIndex = Value;
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListBox::UpdateScrollInfo()
{
    if (!HandleAllocated()) return;
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    const int rows = VisibleRows();
    if (FColumns > 0) {
        // Scrolled by columns: positions are column numbers.
        si.nMin = 0;
        si.nMax = std::max(0, (Count() - 1) / rows);
        si.nPage = static_cast<UINT>(FColumns);
        si.nPos = FTopIndex / rows;
        SetScrollInfo(FHandle, SB_HORZ, si);
        return;
    }
    si.nMin = 0;
    si.nMax = std::max(0, Count() - 1);
    si.nPage = static_cast<UINT>(rows);
    si.nPos = FTopIndex;
    SetScrollInfo(FHandle, SB_VERT, si);
    // Sideways, for a window with that bar: the extent in pixels, a window wide per page.
    if (!(GetWindowLongPtr(FHandle, GWL_STYLE) & WS_HSCROLL)) return;
    SCROLLINFO h;
    h.fMask = SIF_ALL;
    h.nMax = std::max(0, FHorizontalExtent - 1);
    h.nPage = static_cast<UINT>(FHorizontalExtent > 0 ? ClientWidth() : 0);
    h.nPos = FHorzPos;
    SetScrollInfo(FHandle, SB_HORZ, h);
}

TRect TCustomListBox::ItemRect(int Index) const
{
    const int h = ItemHeight();
    if (Index < 0 || Index >= std::max(Count(), 1)) return {};
    const int rel = Index - FTopIndex;
    if (FColumns > 0) {
        const int rows = VisibleRows();
        const int colWidth = std::max(1, ClientWidth() / FColumns);
        const int col = rel >= 0 ? rel / rows : -((-rel + rows - 1) / rows);
        const int row = rel - col * rows;
        return Rect(col * colWidth, row * h, (col + 1) * colWidth, (row + 1) * h);
    }
    if (VariableHeights()) {
        int top = 0;
        for (int i = FTopIndex; i < Index; ++i) top += ItemHeightOf(i);
        for (int i = Index; i < FTopIndex; ++i) top -= ItemHeightOf(i);
        return Rect(0, top, ClientWidth(), top + ItemHeightOf(Index));
    }
    return Rect(0, rel * h, ClientWidth(), (rel + 1) * h);
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const
{
    const int h = ItemHeight();
    int index;
    if (Pos.X < 0 || Pos.Y < 0 || Pos.X >= ClientWidth() || Pos.Y >= ClientHeight()) {
        if (Existing) return -1;
    }
    if (FColumns > 0) {
        const int colWidth = std::max(1, ClientWidth() / FColumns);
        index = FTopIndex + (Pos.X / colWidth) * VisibleRows() + Pos.Y / h;
    } else if (VariableHeights()) {
        index = Pos.Y < 0 ? FTopIndex - 1 : FTopIndex;
        for (int y = 0; Pos.Y >= 0 && index < Count() && Pos.Y >= y + ItemHeightOf(index); ++index) y += ItemHeightOf(index);
    } else {
        index = FTopIndex + (Pos.Y >= 0 ? Pos.Y / h : -1);
    }
    if (index >= 0 && index < Count()) return index;
    return Existing ? -1 : (index < 0 ? 0 : Count());
}

void TCustomListBox::MakeVisible(int Index)
{
    if (Index < 0) return;
    const int rows = VisibleRows();
    const int span = FColumns > 0 ? rows * FColumns : rows;
    if (Index < FTopIndex)
        SetTopIndex(FColumns > 0 ? Index - Index % rows : Index);
    else if (Index >= FTopIndex + span)
        SetTopIndex(FColumns > 0 ? (Index / rows - FColumns + 1) * rows : Index - rows + 1);
}

void TCustomListBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= Count()) Value = -1;
    if (FMultiSelect) {
        FItemIndex = Value;
        if (Value >= 0) MakeVisible(Value);
        Invalidate();
        return;
    }
    if (Value == FItemIndex) return;
    FItemIndex = Value;
    FAnchor = Value;
    if (Value >= 0) MakeVisible(Value);
    Invalidate();
}

bool TCustomListBox::Selected(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    if (!FMultiSelect) return Index == FItemIndex;
    return FSelected[static_cast<size_t>(Index)] != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    if (!FMultiSelect) {
        if (Value)
            SetItemIndex(Index);
        else if (FItemIndex == Index)
            SetItemIndex(-1);
        return;
    }
    FSelected[static_cast<size_t>(Index)] = Value ? 1 : 0;
    Invalidate();
}

int TCustomListBox::SelCount() const
{
    if (!FMultiSelect) return FItemIndex >= 0 ? 1 : 0;
    return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), 1));
}

void TCustomListBox::ClearSelection()
{
    if (FMultiSelect)
        std::fill(FSelected.begin(), FSelected.end(), 0);
    else
        FItemIndex = -1;
    Invalidate();
}

void TCustomListBox::SelectAll()
{
    if (!FMultiSelect) return;
    std::fill(FSelected.begin(), FSelected.end(), 1);
    Invalidate();
}

void TCustomListBox::SelectRange(int From, int To)
{
    std::fill(FSelected.begin(), FSelected.end(), 0);
    if (From < 0) From = To;
    for (int i = std::min(From, To); i <= std::max(From, To); ++i)
        if (i >= 0 && i < Count()) FSelected[static_cast<size_t>(i)] = 1;
}

// ---- item hooks ----

void TCustomListBox::ItemInserted(int Index)
{
    FSelected.insert(FSelected.begin() + std::min<std::ptrdiff_t>(Index, static_cast<std::ptrdiff_t>(FSelected.size())), 0);
    if (VariableHeights()) {
        int h = ItemHeight();
        MeasureItem(Index, h);
        FItemHeights.insert(FItemHeights.begin() + std::min<std::ptrdiff_t>(Index, static_cast<std::ptrdiff_t>(FItemHeights.size())), std::max(1, h));
    }
    // The selection stays with its item.
    if (FItemIndex >= Index && FItemIndex >= 0) ++FItemIndex;
    if (FAnchor >= Index && FAnchor >= 0) ++FAnchor;
    ItemsChanged();
}

void TCustomListBox::ItemDeleted(int Index)
{
    if (Index < static_cast<int>(FSelected.size())) FSelected.erase(FSelected.begin() + Index);
    if (Index < static_cast<int>(FItemHeights.size())) FItemHeights.erase(FItemHeights.begin() + Index);
    if (FItemIndex == Index)
        FItemIndex = FMultiSelect ? std::min(Index, Count() - 1) : -1;
    else if (FItemIndex > Index)
        --FItemIndex;
    if (FAnchor == Index)
        FAnchor = -1;
    else if (FAnchor > Index)
        --FAnchor;
    if (FTopIndex > MaxTopIndex()) FTopIndex = MaxTopIndex();
    ItemsChanged();
}

void TCustomListBox::ItemsCleared()
{
    FSelected.assign(static_cast<size_t>(Count()), 0);
    if (VariableHeights()) MeasureAllItems();
    FItemIndex = -1;
    FAnchor = -1;
    FTopIndex = 0;
    ItemsChanged();
}

void TCustomListBox::ItemsChanged()
{
    if (FUpdating) return;
    FSelected.resize(static_cast<size_t>(Count()), 0);
    if (VariableHeights() && FItemHeights.size() != static_cast<size_t>(Count())) MeasureAllItems();
    if (FTopIndex > MaxTopIndex()) FTopIndex = MaxTopIndex();
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListBox::Resize()
{
    if (FTopIndex > MaxTopIndex()) FTopIndex = MaxTopIndex();
    UpdateScrollInfo();
    TCustomControl::Resize();
}

// ---- painting ----

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    TCanvas* c = Canvas();
    if (OnDrawItem && FStyle != lbStandard) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    c->FillRect(Rect);
    if (Index >= 0 && Index < Count()) c->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

void TCustomListBox::Paint()
{
    TCanvas* c = Canvas();
    const int rows = VisibleRows();
    const int h = ItemHeight();
    const int perPage = FColumns > 0 ? rows * FColumns : rows + 1; // one partly shown row below
    HDC dc = c->Handle();
    // Scrolled sideways, the items are drawn with the origin moved left, each as wide as the extent.
    TPoint origin;
    if (FHorzPos != 0) OffsetViewportOrgEx(dc, -FHorzPos, 0, &origin);
    const int last = VariableHeights() ? Count() : std::min(Count(), FTopIndex + perPage);
    int bottom = 0;
    for (int i = FTopIndex; i < last; ++i) {
        TRect r = ItemRect(i);
        if (r.Top >= ClientHeight()) break;
        r.Right += FHorzPos;
        bottom = r.Bottom;
        TOwnerDrawState state;
        const bool selected = FMultiSelect ? FSelected[static_cast<size_t>(i)] != 0 : i == FItemIndex;
        if (selected) state.Include(odSelected);
        if (i == FItemIndex && Focused()) state.Include(odFocused);
        if (!FEnabled) state.Include(odDisabled);
        c->Font()->Assign(FFont);
        c->Brush()->SetStyle(bsSolid);
        if (selected) {
            c->Brush()->SetColor(clHighlight);
            c->Font()->SetColor(clHighlightText);
        } else {
            c->Brush()->SetColor(FColor);
        }
        if (FStyle == lbStandard) {
            DrawItem(i, r, state);
        } else {
            DRAWITEMSTRUCT dis;
            dis.itemID = static_cast<UINT>(i);
            dis.itemState = (selected ? ODS_SELECTED : 0) | (state.Contains(odFocused) ? ODS_FOCUS : 0) | (FEnabled ? 0 : ODS_DISABLED);
            dis.hwndItem = FHandle;
            dis.hDC = dc;
            dis.rcItem = r;
            dis.itemData = reinterpret_cast<std::uintptr_t>(FItems->Objects(i));
            Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        }
        if (state.Contains(odFocused) && !DrawsOwnFocusRect()) DrawFocusRect(dc, r);
    }
    if (FHorzPos != 0) SetViewportOrgEx(dc, origin.X, origin.Y, nullptr);
    // Below the last item: the list's colour.
    const int used = FColumns > 0 ? 0 : VariableHeights() ? bottom : std::max(0, std::min(Count() - FTopIndex, rows + 1)) * h;
    if (FColumns == 0 && used < ClientHeight()) {
        c->Brush()->SetColor(FColor);
        c->FillRect(Rect(0, used, ClientWidth(), ClientHeight()));
    }
}

// ---- input ----

void TCustomListBox::MoveTo(int Index, bool Shift, bool Ctrl)
{
    if (Count() == 0) return;
    Index = std::max(0, std::min(Index, Count() - 1));
    const int old = FItemIndex;
    if (!FMultiSelect) {
        FItemIndex = Index;
    } else if (FExtendedSelect) {
        if (Shift)
            SelectRange(FAnchor < 0 ? Index : FAnchor, Index);
        else if (!Ctrl) {
            SelectRange(Index, Index);
            FAnchor = Index;
        }
        FItemIndex = Index;
    } else {
        FItemIndex = Index;
    }
    MakeVisible(Index);
    Invalidate();
    if (old != FItemIndex || FMultiSelect) Click();
}

void TCustomListBox::ListKeyDown(WORD Key)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const int rows = VisibleRows();
    const int cur = FItemIndex;
    switch (Key) {
    case VK_UP: MoveTo(cur < 0 ? 0 : cur - 1, shift, ctrl); break;
    case VK_DOWN: MoveTo(cur < 0 ? 0 : cur + 1, shift, ctrl); break;
    case VK_LEFT: MoveTo(cur < 0 ? 0 : cur - (FColumns > 0 ? rows : 1), shift, ctrl); break;
    case VK_RIGHT: MoveTo(cur < 0 ? 0 : cur + (FColumns > 0 ? rows : 1), shift, ctrl); break;
    case VK_PRIOR: MoveTo(cur < 0 ? 0 : cur - std::max(1, rows - 1), shift, ctrl); break;
    case VK_NEXT: MoveTo(cur < 0 ? 0 : cur + std::max(1, rows - 1), shift, ctrl); break;
    case VK_HOME: MoveTo(0, shift, ctrl); break;
    case VK_END: MoveTo(Count() - 1, shift, ctrl); break;
    case VK_SPACE:
        if (FMultiSelect && cur >= 0) {
            FSelected[static_cast<size_t>(cur)] ^= 1;
            FAnchor = cur;
            Invalidate();
            Click();
        }
        break;
    default: break;
    }
}

void TCustomListBox::ListChar(char32_t Ch)
{
    if (Ch <= 32 || Count() == 0) return;
    // The next item that starts with the typed letter.
    const std::string letter = UpperCase(std::string(1, static_cast<char>(Ch < 128 ? Ch : '?')));
    for (int k = 1; k <= Count(); ++k) {
        const int i = (std::max(FItemIndex, -1) + k) % Count();
        const std::string s = FItems->Strings(i);
        if (!s.empty() && UpperCase(s.substr(0, 1)) == letter) {
            MoveTo(i, false, false);
            return;
        }
    }
}

void TCustomListBox::ScrollMessage(int Code, int Pos)
{
    const int rows = VisibleRows();
    const int step = FColumns > 0 ? rows : 1;
    const int page = FColumns > 0 ? rows * FColumns : std::max(1, rows - 1);
    switch (Code) {
    case SB_LINEUP: SetTopIndex(FTopIndex - step); break;
    case SB_LINEDOWN: SetTopIndex(FTopIndex + step); break;
    case SB_PAGEUP: SetTopIndex(FTopIndex - page); break;
    case SB_PAGEDOWN: SetTopIndex(FTopIndex + page); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: SetTopIndex(FColumns > 0 ? Pos * rows : Pos); break;
    case SB_TOP: SetTopIndex(0); break;
    case SB_BOTTOM: SetTopIndex(MaxTopIndex()); break;
    default: break;
    }
}

void TCustomListBox::HorzScrollMessage(int Code, int Pos)
{
    // A line is an average character; a page is the window.
    const int line = std::max(1, Canvas()->TextWidth("x"));
    const int limit = std::max(0, FHorizontalExtent - ClientWidth());
    int pos = FHorzPos;
    switch (Code) {
    case SB_LINELEFT: pos -= line; break;
    case SB_LINERIGHT: pos += line; break;
    case SB_PAGELEFT: pos -= ClientWidth(); break;
    case SB_PAGERIGHT: pos += ClientWidth(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = Pos; break;
    case SB_LEFT: pos = 0; break;
    case SB_RIGHT: pos = limit; break;
    default: return;
    }
    pos = std::max(0, std::min(pos, limit));
    if (pos == FHorzPos) return;
    FHorzPos = pos;
    UpdateScrollInfo();
    Invalidate();
}

int TCustomListBox::FindString(int Start, const std::string& Text, bool Exact) const
{
    if (!Exact && Text.empty()) return LB_ERR;
    const std::string wanted = AnsiUpperCase(Text);
    return FindStringFrom(*FItems, Start, [&](const std::string& Entry) {
        const std::string entry = AnsiUpperCase(Entry);
        return Exact ? entry == wanted : entry.rfind(wanted, 0) == 0;
    });
}

void TCustomListBox::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN: ListKeyDown(static_cast<WORD>(Message.WParam)); return;
    case WM_CHAR: ListChar(static_cast<char32_t>(Message.WParam)); return;
    default: TCustomControl::DefaultHandler(Message);
    }
}

void TCustomListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_VSCROLL:
        if (FColumns == 0) ScrollMessage(LOWORD(Message.WParam), static_cast<short>(HIWORD(Message.WParam)));
        return;
    case WM_HSCROLL:
        if (FColumns > 0)
            ScrollMessage(LOWORD(Message.WParam), static_cast<short>(HIWORD(Message.WParam)));
        else
            HorzScrollMessage(LOWORD(Message.WParam), static_cast<short>(HIWORD(Message.WParam)));
        return;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(Message.WParam));
        ScrollMessage(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        ScrollMessage(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        ScrollMessage(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case CN_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        TOwnerDrawState state;
        if (dis->itemState & ODS_SELECTED) state.Include(odSelected);
        if (dis->itemState & ODS_FOCUS) state.Include(odFocused);
        if (dis->itemState & ODS_DISABLED) state.Include(odDisabled);
        DrawItem(static_cast<int>(dis->itemID), dis->rcItem, state);
        Message.Result = 1;
        return;
    }
    case LB_GETCOUNT: Message.Result = Count(); return;
    case LB_GETCURSEL: Message.Result = FItemIndex; return;
    case LB_SETCURSEL:
        SetItemIndex(static_cast<int>(static_cast<std::intptr_t>(Message.WParam)));
        Message.Result = FItemIndex;
        return;
    case LB_GETTOPINDEX: Message.Result = FTopIndex; return;
    case LB_SETTOPINDEX: SetTopIndex(static_cast<int>(Message.WParam)); return;
    case LB_GETCARETINDEX: Message.Result = FItemIndex; return;
    case LB_SETCARETINDEX:
        if (FMultiSelect) SetItemIndex(static_cast<int>(Message.WParam));
        return;
    case LB_GETSEL: {
        const int i = static_cast<int>(Message.WParam);
        Message.Result = i >= 0 && i < Count() ? (Selected(i) ? 1 : 0) : LB_ERR;
        return;
    }
    case LB_SETSEL: {
        const int i = static_cast<int>(Message.LParam);
        if (i == -1) {
            if (Message.WParam)
                SelectAll();
            else
                ClearSelection();
        } else if (i >= 0 && i < Count()) {
            SetSelected(i, Message.WParam != 0);
        }
        return;
    }
    case LB_GETSELCOUNT: Message.Result = FMultiSelect ? SelCount() : LB_ERR; return;
    case LB_GETITEMHEIGHT: Message.Result = ItemHeightOf(static_cast<int>(Message.WParam)); return;
    case LB_SETITEMHEIGHT: {
        const int h = static_cast<int>(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam))));
        const int i = static_cast<int>(Message.WParam);
        if (!VariableHeights()) {
            SetItemHeight(h);
        } else if (h > 0 && i >= 0 && i < static_cast<int>(FItemHeights.size()) && FItemHeights[static_cast<size_t>(i)] != h) {
            FItemHeights[static_cast<size_t>(i)] = h;
            UpdateScrollInfo();
            Invalidate();
        }
        return;
    }
    case LB_GETHORIZONTALEXTENT: Message.Result = FHorizontalExtent; return;
    case LB_SETHORIZONTALEXTENT: SetScrollWidth(static_cast<int>(Message.WParam)); return;
    case LB_GETTEXTLEN:
    case LB_GETTEXT: {
        const int i = static_cast<int>(Message.WParam);
        if (i < 0 || i >= Count()) {
            Message.Result = LB_ERR;
            return;
        }
        const std::string text = FItems->Strings(i);
        if (Message.Msg == LB_GETTEXT && Message.LParam != 0) std::copy(text.c_str(), text.c_str() + text.size() + 1, reinterpret_cast<char*>(Message.LParam));
        Message.Result = static_cast<LRESULT>(text.size());
        return;
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
        const std::string text = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
        const int found = FindString(static_cast<int>(static_cast<std::intptr_t>(Message.WParam)), text, Message.Msg == LB_FINDSTRINGEXACT);
        if (Message.Msg == LB_SELECTSTRING && found >= 0) SetItemIndex(found);
        Message.Result = found;
        return;
    }
    case LB_GETITEMRECT:
        if (Message.LParam) *reinterpret_cast<TRect*>(Message.LParam) = ItemRect(static_cast<int>(Message.WParam));
        Message.Result = static_cast<int>(Message.WParam) < Count() ? 1 : LB_ERR;
        return;
    case LB_ITEMFROMPOINT: {
        TPoint p{static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam))), static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.LParam)))};
        const int i = ItemAtPos(p, true);
        Message.Result = i < 0 ? MAKELPARAM(std::max(0, std::min(ItemAtPos(p, false), Count() - 1)), 1) : MAKELPARAM(i, 0);
        return;
    }
    case LB_ADDSTRING: Message.Result = FItems->Add(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : ""); return;
    case LB_INSERTSTRING: {
        int i = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
        if (i < 0) i = Count();
        FItems->Insert(i, Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "");
        Message.Result = i;
        return;
    }
    case LB_DELETESTRING: {
        const int i = static_cast<int>(Message.WParam);
        if (i >= 0 && i < Count()) FItems->Delete(i);
        Message.Result = Count();
        return;
    }
    case LB_RESETCONTENT: FItems->Clear(); return;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        ItemsChanged();
        return;
    default: TCustomControl::WndProc(Message);
    }
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The click handler may free the list: the press then ends there.
    const auto alive = FAlive.Watch();
    if (Button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        const int i = ItemAtPos({X, Y}, true);
        if (i >= 0) {
            if (FMultiSelect && !FExtendedSelect) {
                FSelected[static_cast<size_t>(i)] ^= 1;
                FItemIndex = i;
                Invalidate();
                Click();
            } else if (FMultiSelect && Shift.Contains(ssCtrl)) {
                FSelected[static_cast<size_t>(i)] ^= 1;
                FItemIndex = i;
                FAnchor = i;
                Invalidate();
                Click();
            } else {
                MoveTo(i, Shift.Contains(ssShift), false);
            }
            if (!*alive) return;
            FTracking = !Shift.Contains(ssDouble);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FTracking && Shift.Contains(ssLeft) && !(FMultiSelect && !FExtendedSelect) && Count() > 0) {
        // Dragging past an edge scrolls one item at a time.
        int i;
        if (Y < 0)
            i = std::max(0, FTopIndex - 1);
        else if (Y >= ClientHeight())
            i = std::min(Count() - 1, FTopIndex + VisibleRows());
        else
            i = ItemAtPos({std::max(0, std::min(X, ClientWidth() - 1)), Y}, false);
        i = std::max(0, std::min(i, Count() - 1));
        const auto alive = FAlive.Watch();
        if (i != FItemIndex) MoveTo(i, FMultiSelect, false);
        if (!*alive) return;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) FTracking = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void RegisterListBoxClasses()
{
    static const bool done = [] {
        RegisterFormClasses();
        RegisterClass<TCustomListBox, TCustomControl>("TCustomListBox")
            .Prop("BorderStyle", &TCustomListBox::BorderStyleValue, &TCustomListBox::SetBorderStyleValue, 1)
            .Prop("Columns", &TCustomListBox::Columns, &TCustomListBox::SetColumns, 0)
            .Prop("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect, true)
            .Prop("IntegralHeight", &TCustomListBox::IntegralHeight, &TCustomListBox::SetIntegralHeight, false)
            .Prop("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight, 16)
            .Prop("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex)
            .Prop("Items", &TCustomListBox::Items)
            .Prop("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect, false)
            .Prop("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted, false)
            .Prop("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle, lbStandard)
            .Event("OnDrawItem", &TCustomListBox::OnDrawItem)
            .Event("OnMeasureItem", &TCustomListBox::OnMeasureItem)
            .Ignored({"AutoComplete", "BevelEdges", "BevelInner", "BevelKind", "BevelOuter", "ScrollWidth", "TabWidth", "OnData", "OnDataFind", "OnDataObject"});
        RegisterClass<TListBox, TCustomListBox>("TListBox");
        return true;
    }();
    (void)done;
}
