#include "process/TOxListBox.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/gfx/Drawing.h"
#include "platform/gfx/Regions.h"
#include "platform/gfx/TDeviceContext.h"
#include "platform/gfx/Text.h"
#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/TypInfo.h"
#include "process/TOxItemsSearchs.h"

namespace {

// Tallest item a measured text may make.
constexpr int kMaxItemHeight = 255;
// How close to the top or bottom edge a drag scrolls the list.
constexpr int kDragScrollMargin = 5;
// Room left of the text in a drag picture.
constexpr int kDragImageIndent = 15;

UINT AlignmentFlag(TAlignment Alignment)
{
    return Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
}

bool HasHorizontalBar(TScrollStyle Style)
{
    return Style == ssHorizontal || Style == ssBoth;
}

} // namespace

// ---------------------------------------------------------------------------------------------

TOxListBoxBackground::TOxListBoxBackground() : FImage(std::make_unique<TBitmap>()) {}

void TOxListBoxBackground::SetImage(TBitmap* Value)
{
    FImage->Assign(Value);
    Changed();
}

void TOxListBoxBackground::SetFillMode(TOxListboxFillMode Value)
{
    if (FFillMode == Value)
        return;
    FFillMode = Value;
    Changed();
}

void TOxListBoxBackground::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    Changed();
}

bool TOxListBoxBackground::DoDraw() const
{
    // A picture without width or height would make tiling step by nothing: it counts as none.
    return FVisible && !FImage->Empty() && FImage->Width() > 0 && FImage->Height() > 0;
}

void TOxListBoxBackground::Assign(TPersistent* Source)
{
    if (auto* other = dynamic_cast<TOxListBoxBackground*>(Source)) {
        FImage->Assign(other->Image());
        FFillMode = other->FillMode();
        FVisible = other->Visible();
        return;
    }
    TPersistent::Assign(Source);
}

void TOxListBoxBackground::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------------------------------------

TOxCustomListBox::TOxCustomListBox(TComponent* AOwner)
    : TOxExCustomListBox(AOwner), FBackground(std::make_unique<TOxListBoxBackground>())
{
    FBackground->OnChange = [this](TObject*) {
        UpdateStyle();
        Invalidate();
    };
    FConsumer = std::make_unique<TOxDataConsumer>(this, std::initializer_list<int>{1, 3});
    FConsumer->OnChanging = [this](TObject*, int Reason) { ProviderChangingHandler(Reason); };
    FConsumer->OnChanged = [this](TObject*, int Reason) { ProviderChangedHandler(Reason); };
    FConsumer->OnServiceCreated = [this](TObject*, TOxDataConsumerViewList* Service) { SubServiceCreatedHandler(Service); };
    FConsumerStrings = std::make_unique<TOxConsumerStrings>(*FConsumer);
}

TStrings* TOxCustomListBox::GetShownItems() const
{
    return FProviderActive ? static_cast<TStrings*>(FConsumerStrings.get()) : Items();
}

void TOxCustomListBox::ProviderChangingHandler(int Reason)
{
    if (Reason != drItemAdded)
        return;
    if (FProviderActive && !FProviderChanging) {
        FProviderActive = false;
        FProviderChanging = true;
    } else if (!FProviderActive && !FProviderChanging && !FUseInternal) {
        MoveItemsToInternalList();
    }
}

void TOxCustomListBox::ProviderChangedHandler(int Reason)
{
    if (Reason == drItemAdded) {
        if (!FProviderActive && !FProviderChanging) {
            FProviderChanging = true;
            FProviderActive = true;
            FQuietRows = true;
            Items()->Clear(); // the rows are the view's from now on
            FQuietRows = false;
        } else if (!FProviderActive && FProviderChanging && FUseInternal) {
            MoveItemsToWindow();
        }
    }
    if (!(FProviderChanging && Reason != drItemAdded) && FProviderActive) {
        UpdateItemCount();
        Invalidate();
    }
    if (Reason == drItemAdded)
        FProviderChanging = false;
}

void TOxCustomListBox::SubServiceCreatedHandler(TOxDataConsumerViewList* Service)
{
    Service->SetExpandNewItems(true);
    Service->SetExpandDepth(-1);
    Service->Rebuild();
}

void TOxCustomListBox::UpdateItemCount()
{
    if (!FProviderActive)
        return;
    TStrings& rows = *Items();
    const int difference = FConsumerStrings->Count() - rows.Count();
    FQuietRows = true;
    for (int i = 0; i < difference; ++i)
        rows.Add("");
    for (int i = 0; i < -difference; ++i)
        rows.Delete(0);
    FQuietRows = false;
}

void TOxCustomListBox::MoveItemsToInternalList()
{
    TStrings& rows = *Items();
    FInternalList.Clear();
    for (int i = 0; i < rows.Count(); ++i)
        FInternalList.AddObject(rows.Strings(i), rows.Objects(i));
    FQuietRows = true;
    rows.Clear();
    FQuietRows = false;
    FUseInternal = true;
}

void TOxCustomListBox::MoveItemsToWindow()
{
    TStrings& rows = *Items();
    FQuietRows = true;
    rows.BeginUpdate();
    rows.Clear();
    for (int i = 0; i < FInternalList.Count(); ++i)
        rows.AddObject(FInternalList.Strings(i), FInternalList.Objects(i));
    rows.EndUpdate();
    FQuietRows = false;
    FInternalList.Clear();
    FUseInternal = false;
}

namespace {

// Holds the provider's lock over a scope: a text handler that throws must not leave it held.
class TConsumerLock {
public:
    explicit TConsumerLock(TOxDataConsumer& Consumer) : FConsumer(Consumer) { FConsumer.Enter(); }
    ~TConsumerLock() { FConsumer.Leave(); }
    TConsumerLock(const TConsumerLock&) = delete;
    TConsumerLock& operator=(const TConsumerLock&) = delete;

private:
    TOxDataConsumer& FConsumer;
};

} // namespace

void TOxCustomListBox::DrawProviderItem(TCanvas* Canvas, TRect R, TOwnerDrawState /*State*/, int Index)
{
    TOxDataConsumerViewList* view = FConsumer->ViewList();
    if (!view)
        return;
    const TConsumerLock lock(*FConsumer);
    IOxDataItem* item = view->Item(Index);
    R.Left += view->Level(Index) * view->LevelIndent();
    std::string text = item && item->HasText() ? item->Text() : std::string(SItemHasNoText);
    DoGetText(Index, text);
    Canvas->TextRect(R, R.Left, R.Top, text);
}

TSize TOxCustomListBox::MeasureProviderItem(int Index)
{
    Canvas()->Font()->Assign(Font());
    TOxDataConsumerViewList* view = FConsumer->ViewList();
    TSize size{ClientWidth() - 4, Canvas()->TextHeight("Wy")};
    if (view) {
        const TConsumerLock lock(*FConsumer);
        IOxDataItem* item = view->Item(Index);
        const std::string text = item && item->HasText() ? item->Text() : std::string(SItemHasNoText);
        size = Canvas()->TextExtent(text);
        size.cx += view->Level(Index) * view->LevelIndent();
    }
    size.cy = std::max(std::min(size.cy, kMaxItemHeight), ItemHeight());
    return size;
}

TOxCustomListBox::~TOxCustomListBox()
{
    FDestroying = true;
}

bool TOxCustomListBox::WordWraps() const
{
    return FMultiLine && (FScrollBars == ssNone || FScrollBars == ssVertical);
}

int TOxCustomListBox::TextLineHeight()
{
    Canvas()->Font()->Assign(Font());
    return GetTextHeight(Canvas());
}

void TOxCustomListBox::UpdateStyle()
{
    if (ComponentState().Contains(csLoading))
        return;
    const TListBoxStyle old = Style();
    TListBoxStyle style = old;
    if (FMultiLine)
        style = lbOwnerDrawVariable;
    else if (FAlignment != taLeftJustify)
        style = lbOwnerDrawFixed;
    if (FBackground->Visible() && style != lbOwnerDrawFixed && style != lbOwnerDrawVariable)
        style = lbOwnerDrawFixed;
    if (style != old)
        SetStyle(style);
    if (old == lbStandard && style != lbStandard) {
        SetItemHeight(TextLineHeight() + (FShowFocusRect ? 2 : 0));
        UpdateHorizontalExtent();
    }
}

void TOxCustomListBox::Loaded()
{
    TOxExCustomListBox::Loaded();
    UpdateStyle();
}

void TOxCustomListBox::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    UpdateStyle();
    Invalidate();
}

void TOxCustomListBox::SetScrollBars(TScrollStyle Value)
{
    if (FScrollBars == Value)
        return;
    FScrollBars = Value;
    // The bars are the window's style.
    RecreateWnd();
}

void TOxCustomListBox::CreateParams(TCreateParams& Params)
{
    TOxExCustomListBox::CreateParams(Params);
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
    if (HasHorizontalBar(FScrollBars))
        Params.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        Params.Style |= WS_VSCROLL;
}

void TOxCustomListBox::CreateWnd()
{
    FHorzOffset = 0;
    TOxExCustomListBox::CreateWnd();
    UpdateItemCount();
    if (HandleAllocated() && HasHorizontalBar(FScrollBars))
        UpdateHorizontalExtent();
}

void TOxCustomListBox::SetMultiLine(bool Value)
{
    if (FMultiLine == Value)
        return;
    FMultiLine = Value;
    UpdateStyle();
    if (FMultiLine) {
        if (FScrollBars == ssBoth)
            SetScrollBars(ssVertical);
        else if (FScrollBars == ssHorizontal)
            SetScrollBars(ssNone);
        FMaxWidth = 0;
        Perform(LB_SETHORIZONTALEXTENT, 0, 0);
    } else {
        UpdateHorizontalExtent();
    }
}

void TOxCustomListBox::SetShowFocusRect(bool Value)
{
    if (FShowFocusRect == Value)
        return;
    FShowFocusRect = Value;
    SetItemHeight(TextLineHeight() + (FShowFocusRect ? 2 : 0));
    UpdateHorizontalExtent();
    if (Focused())
        Invalidate();
}

void TOxCustomListBox::SetSelectedTextColor(TColor Value)
{
    if (FSelectedTextColor == Value)
        return;
    FSelectedTextColor = Value;
    Invalidate();
}

void TOxCustomListBox::SetSelectedColor(TColor Value)
{
    if (FSelectedColor == Value)
        return;
    FSelectedColor = Value;
    Invalidate();
}

void TOxCustomListBox::SetDisabledTextColor(TColor Value)
{
    if (FDisabledTextColor == Value)
        return;
    FDisabledTextColor = Value;
    Invalidate();
}

TSize TOxCustomListBox::MeasureString(const std::string& S, int Limit)
{
    Canvas()->Font()->Assign(Font());
    TRect r{0, 0, Limit == 0 ? INT_MAX / 2 : Limit - 2, 1};
    Canvas()->TextRect(r, S, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | AlignmentFlag(FAlignment));
    TSize size;
    size.cx = r.Right + 4;
    size.cy = std::max(std::min(r.Bottom, kMaxItemHeight), ItemHeight());
    return size;
}

void TOxCustomListBox::UpdateHorizontalExtent()
{
    const int limit = WordWraps() ? ClientWidth() : 0;
    int widest = 0;
    TStrings& shown = *GetShownItems();
    for (int i = 0; i < shown.Count(); ++i) {
        const TSize size = MeasureString(shown.Strings(i), limit);
        if (FMultiLine)
            Perform(LB_SETITEMHEIGHT, static_cast<WPARAM>(i), size.cy);
        if (!WordWraps())
            widest = std::max(widest, size.cx);
    }
    if (!WordWraps())
        SetMaxWidth(widest);
}

void TOxCustomListBox::SetMaxWidth(int Width)
{
    if (WordWraps() || Width == FMaxWidth)
        return;
    FMaxWidth = Width;
    Perform(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Width), 0);
}

void TOxCustomListBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem || !(FMultiLine || FProviderActive) || Index < 0 || Index >= GetShownItems()->Count()) {
        TOxExCustomListBox::MeasureItem(Index, Height);
        return;
    }
    if (FProviderActive)
        Height = MeasureProviderItem(Index).cy;
    else
        Height = MeasureString(Items()->Strings(Index), WordWraps() ? ClientWidth() : 0).cy;
}

void TOxCustomListBox::FontChanged()
{
    TOxExCustomListBox::FontChanged();
    Canvas()->Font()->Assign(Font());
    if (Style() != lbStandard)
        SetItemHeight(TextLineHeight() + (FShowFocusRect ? 2 : 0));
    UpdateHorizontalExtent();
}

void TOxCustomListBox::ItemsEditing()
{
    // An edit of the list's own strings ends the provider's turn: its strings come back first.
    if (!FQuietRows && FConsumer && FConsumer->Provider())
        FConsumer->SetProvider(nullptr);
}

void TOxCustomListBox::ItemInserted(int Index)
{
    TOxExCustomListBox::ItemInserted(Index);
    if (FQuietRows)
        return;
    const std::string s = Items()->Strings(Index);
    if (!WordWraps()) {
        Canvas()->Font()->Assign(Font());
        const int w = std::max(Canvas()->TextWidth(s + " ") % 65536, MeasureString(s, 0).cx);
        if (w > FMaxWidth)
            SetMaxWidth(w);
    }
    // Appends are reported; inserts in the middle are not.
    if (Index == Items()->Count() - 1) {
        if (OnAddString)
            OnAddString(this, s);
        if (OnChange)
            OnChange(this);
    }
}

void TOxCustomListBox::ItemDeleting(int Index)
{
    TOxExCustomListBox::ItemDeleting(Index);
    if (FQuietRows)
        return;
    // The text is read while the item is still there.
    FDeletingText = Items()->Strings(Index);
    FDeletingWidest = !WordWraps() && MeasureString(FDeletingText, 0).cx >= FMaxWidth;
    if (OnDeleteString)
        OnDeleteString(this, FDeletingText);
}

void TOxCustomListBox::ItemDeleted(int Index)
{
    TOxExCustomListBox::ItemDeleted(Index);
    if (FQuietRows)
        return;
    if (FDeletingWidest) {
        FDeletingWidest = false;
        UpdateHorizontalExtent();
    }
    if (OnChange)
        OnChange(this);
}

void TOxCustomListBox::ItemsCleared()
{
    TOxExCustomListBox::ItemsCleared();
    FMaxWidth = 0;
    Perform(LB_SETHORIZONTALEXTENT, 0, 0);
}

void TOxCustomListBox::Changed()
{
    Perform(CM_CHANGED, 0, 0);
}

void TOxCustomListBox::DoGetText(int Index, std::string& Text)
{
    if (OnGetText)
        OnGetText(this, Index, Text);
}

void TOxCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (FDestroying)
        return;
    if (OnDrawItem) {
        TOxExCustomListBox::DrawItem(Index, Rect, State);
        return;
    }
    DefaultDrawItem(Index, Rect, State);
    if (FShowFocusRect && State.Contains(odFocused))
        Canvas()->DrawFocusRect(Rect);
}

void TOxCustomListBox::DefaultDrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (FDestroying)
        return;
    TCanvas* c = Canvas();
    TRect r = Rect;
    if (HasHorizontalBar(FScrollBars))
        r = TRect{0, Rect.Top, std::max(ClientWidth(), FMaxWidth), Rect.Bottom};
    HDC dc = c->Handle();
    if (FBackground->DoDraw()) {
        // The picture shows through: the selection colours give way to the plain text colour.
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(Font()->Color());
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
        DrawBackground(dc, true);
        RestoreDC(dc, saved);
    }
    if (Index >= 0 && Index < GetShownItems()->Count()) {
        if (!FBackground->DoDraw())
            c->FillRect(r);
        const UINT flags = AlignmentFlag(FAlignment) | DT_NOPREFIX | (FMultiLine ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
        r.Left += 2;
        if (FProviderActive) {
            DrawProviderItem(c, r, State, Index);
        } else {
            std::string text = Items()->Strings(Index);
            DoGetText(Index, text);
            c->TextRect(r, text, flags);
        }
    }
    if (FBackground->DoDraw() && State.Contains(odSelected))
        InvertRect(dc, r);
}

void TOxCustomListBox::DrawBackground(HDC DC, bool Shifted)
{
    if (DC == nullptr || !FBackground->DoDraw() || FDestroying)
        return;
    TRect area = ClientRect();
    TRect clip;
    const int kind = GetClipBox(DC, clip);
    if (kind == NULLREGION)
        return;
    if (kind == RGN_ERROR)
        clip = area;
    if (Shifted)
        OffsetRect(area, FHorzOffset, 0);
    TCanvas canvas;
    canvas.SetHandle(DC);
    TBitmap* image = FBackground->Image();
    if (FBackground->FillMode() == bfmStretch) {
        canvas.StretchDraw(area, image);
    } else {
        const int w = image->Width();
        const int h = image->Height();
        for (int top = 0; top < area.Bottom; top += h)
            for (int left = 0; left < area.Right; left += w) {
                TRect tile{left, top, left + w, top + h};
                TRect overlap;
                if (IntersectRect(overlap, tile, clip))
                    canvas.Draw(left, top, image);
            }
    }
    canvas.SetHandle(nullptr);
}

bool TOxCustomListBox::DoEraseBackground(TCanvas* Canvas, LPARAM Param)
{
    if (FBackground->DoDraw()) {
        DrawBackground(Canvas->Handle(), false);
        return true;
    }
    return TOxExCustomListBox::DoEraseBackground(Canvas, Param);
}

void TOxCustomListBox::MouseEnter(TControl* Control)
{
    const bool wasOver = MouseOver();
    TOxExCustomListBox::MouseEnter(Control);
    if (FHotTrack && !wasOver)
        Invalidate();
}

void TOxCustomListBox::MouseLeave(TControl* Control)
{
    const bool wasOver = MouseOver();
    TOxExCustomListBox::MouseLeave(Control);
    if (FHotTrack && wasOver)
        Invalidate();
}

void TOxCustomListBox::Scroll(TMessage& Message)
{
    const bool horizontal = Message.Msg == WM_HSCROLL;
    bool dontScroll = false;
    const TOxScrollEvent& event = horizontal ? OnHorizontalScroll : OnVerticalScroll;
    if (event)
        event(this, Message, dontScroll);
    if (!dontScroll)
        TOxExCustomListBox::WndProc(Message);
    if (horizontal) {
        // The picture moves with the items: its offset follows the bar's share of the extent.
        FHorzOffset = 0;
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        if (FBackground->DoDraw() && FMaxWidth > 0 && HandleAllocated() && GetScrollInfo(Handle(), SB_HORZ, si) && si.nMax > 0)
            FHorzOffset = static_cast<int>(std::lround(static_cast<double>(FMaxWidth) / si.nMax * si.nPos));
    }
    if (FBackground->DoDraw())
        Invalidate();
}

bool TOxCustomListBox::ProviderMessage(TMessage& Message)
{
    if (!FProviderActive)
        return false;
    switch (Message.Msg) {
    case LB_GETTEXT:
    case LB_GETTEXTLEN: {
        const int i = static_cast<int>(Message.WParam);
        if (i < 0 || i >= FConsumerStrings->Count()) {
            Message.Result = LB_ERR;
            return true;
        }
        const std::string text = FConsumerStrings->Strings(i);
        if (Message.Msg == LB_GETTEXT && Message.LParam != 0)
            std::copy(text.c_str(), text.c_str() + text.size() + 1, reinterpret_cast<char*>(Message.LParam));
        Message.Result = static_cast<LRESULT>(text.size());
        return true;
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
        const std::string text = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
        const int start = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
        const int found = Message.Msg == LB_FINDSTRING ? TOxItemsSearchs::SearchPrefix(*FConsumerStrings, text, start, false)
                                                       : TOxItemsSearchs::SearchExactString(*FConsumerStrings, text, start, false);
        if (Message.Msg == LB_SELECTSTRING && found >= 0)
            Perform(LB_SETCURSEL, static_cast<WPARAM>(found), 0);
        Message.Result = found;
        return true;
    }
    default:
        return false;
    }
}

void TOxCustomListBox::WndProc(TMessage& Message)
{
    if (ProviderMessage(Message))
        return;
    switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        Scroll(Message);
        return;
    case CN_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        TCanvas* c = Canvas();
        c->Font()->Assign(Font());
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        TOwnerDrawState state;
        if (dis->itemState & ODS_SELECTED)
            state.Include(odSelected);
        if (dis->itemState & ODS_FOCUS)
            state.Include(odFocused);
        if (dis->itemState & ODS_GRAYED)
            state.Include(odGrayed);
        if (dis->itemState & ODS_DISABLED)
            state.Include(odDisabled);
        if (static_cast<int>(dis->itemID) >= 0) {
            if (state.Contains(odSelected)) {
                c->Brush()->SetColor(FSelectedColor);
                c->Font()->SetColor(FSelectedTextColor);
            }
            if (state.Contains(odGrayed) || state.Contains(odDisabled) || !Enabled())
                c->Font()->SetColor(FDisabledTextColor);
            DrawItem(static_cast<int>(dis->itemID), dis->rcItem, state);
        } else {
            if (FBackground->DoDraw())
                Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(c->Handle()), 0);
            else
                c->FillRect(dis->rcItem);
            if (state.Contains(odFocused))
                ::DrawFocusRect(c->Handle(), dis->rcItem);
        }
        Message.Result = 1;
        return;
    }
    default:
        TOxExCustomListBox::WndProc(Message);
        return;
    }
}

void TOxCustomListBox::MoveSelectedUp()
{
    if (FProviderActive)
        return;
    TStrings& items = *Items();
    if (MultiSelect()) {
        if (items.Count() == 0 || SelCount() == 0 || Selected(0))
            return;
        for (int i = 1; i < items.Count(); ++i)
            if (Selected(i)) {
                items.Exchange(i, i - 1);
                SetSelected(i, false);
                SetSelected(i - 1, true);
            }
        return;
    }
    const int index = ItemIndex();
    if (index > 0) {
        items.Exchange(index, index - 1);
        SetItemIndex(index - 1);
    }
}

void TOxCustomListBox::MoveSelectedDown()
{
    if (FProviderActive)
        return;
    TStrings& items = *Items();
    if (MultiSelect()) {
        if (items.Count() == 0 || SelCount() == 0 || Selected(items.Count() - 1))
            return;
        for (int i = items.Count() - 2; i >= 0; --i)
            if (Selected(i)) {
                items.Exchange(i, i + 1);
                SetSelected(i, false);
                SetSelected(i + 1, true);
            }
        return;
    }
    const int index = ItemIndex();
    if (index >= 0 && index < items.Count() - 1) {
        items.Exchange(index, index + 1);
        SetItemIndex(index + 1);
    }
}

void TOxCustomListBox::DeleteSelected()
{
    TStrings& items = *Items();
    if (FProviderActive) {
    } else if (MultiSelect()) {
        for (int i = items.Count() - 1; i >= 0; --i)
            if (Selected(i))
                items.Delete(i);
    } else if (const int index = ItemIndex(); index != -1) {
        items.Delete(index);
        if (items.Count() > 0)
            SetItemIndex(std::max(index - 1, 0));
    }
    Changed();
}

void TOxCustomListBox::DefaultStartDrag()
{
    FDragIndex = std::min(ItemIndex(), Items()->Count() - 1);
    if (FProviderActive)
        FDragIndex = -1;
    if (FDragIndex >= 0)
        CreateDragImage(Items()->Strings(FDragIndex));
}

void TOxCustomListBox::CreateDragImage(const std::string& S)
{
    if (!FDragImage)
        FDragImage = std::make_unique<TBitmap>();
    TCanvas* measure = Canvas();
    measure->Font()->Assign(Font());
    TSize size = measure->TextExtent(S);
    if (FMultiLine) {
        TRect r{0, 0, INT_MAX / 2, 1};
        measure->TextRect(r, S, DT_CALCRECT | DT_WORDBREAK | AlignmentFlag(FAlignment));
        size = TSize{r.Right, r.Bottom};
    }
    size.cx += kDragImageIndent;
    FDragImage->SetSize(size.cx, size.cy);
    TCanvas* c = FDragImage->Canvas();
    c->Font()->Assign(Font());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetColor(clWhite);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(TRect{0, 0, size.cx, size.cy});
    TRect text{kDragImageIndent, 0, size.cx, size.cy};
    c->TextRect(text, S, FMultiLine ? DT_WORDBREAK | AlignmentFlag(FAlignment) : DT_SINGLELINE);
    FDragImage->SetTransparentColor(clWhite);
    SetControlStyle(ControlStyle() + csDisplayDragImage);
}

bool TOxCustomListBox::DefaultDragOver(TObject* Source, int /*X*/, int Y)
{
    if (Source != this || FProviderActive)
        return false;
    if (Y < kDragScrollMargin) {
        Perform(WM_VSCROLL, SB_LINEUP, 0);
        Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
    } else if (ClientHeight() - Y <= kDragScrollMargin) {
        Perform(WM_VSCROLL, SB_LINEDOWN, 0);
        Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
    }
    return true;
}

void TOxCustomListBox::DefaultDragDrop(TObject* Source, int X, int Y)
{
    TStrings& items = *Items();
    if (Source != this || FProviderActive || FDragIndex < 0 || FDragIndex >= items.Count())
        return;
    const std::string text = items.Strings(FDragIndex);
    void* object = items.Objects(FDragIndex);
    int target = ItemAtPos(TPoint{X, Y}, true);
    const int top = TopIndex();
    if (target > FDragIndex)
        target -= 1;
    items.Delete(FDragIndex);
    if (target < 0)
        items.AddObject(text, object);
    else
        items.InsertObject(target, text, object);
    SetTopIndex(top);
}

void RegisterOxListBoxClasses()
{
    static const bool done = [] {
        RegisterListBoxClasses();
        RegisterOxDataConsumerClasses();
        RegisterEnum<TOxListboxFillMode>({"bfmTile", "bfmStretch"});
        RegisterEnum<TScrollStyle>({"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
        using B = TOxListBoxBackground;
        RegisterClass<B>("TOxListBoxBackground")
            .Prop("FillMode", &B::FillMode, &B::SetFillMode, bfmTile)
            .Prop("Visible", &B::Visible, &B::SetVisible, false)
            .Ignored({"DoDraw", "Image"});
        using E = TOxExCustomListBox;
        RegisterClass<E, TCustomListBox>("TOxExCustomListBox")
            .Prop("HintColor", &E::HintColor, &E::SetHintColor, clDefault)
            .Prop("DotNetHighlighting", &E::DotNetHighlighting, &E::SetDotNetHighlighting, false)
            .Event("OnParentColorChange", &E::OnParentColorChange)
            .Ignored({"AboutOx", "Ctl3D", "ParentCtl3D", "Flat", "ParentFlat"});
        using L = TOxCustomListBox;
        RegisterClass<L, E>("TOxCustomListBox")
            .Prop("Alignment", &L::Alignment, &L::SetAlignment, taLeftJustify)
            .Prop("Background", &L::Background)
            .Prop("Provider", &L::Consumer)
            .Prop("DisabledTextColor", &L::DisabledTextColor, &L::SetDisabledTextColor, clGrayText)
            .Prop("HotTrack", &L::HotTrack, &L::SetHotTrack, false)
            .Prop("MultiLine", &L::MultiLine, &L::SetMultiLine, false)
            .Prop("ScrollBars", &L::ScrollBars, &L::SetScrollBars, ssBoth)
            .Prop("SelectedColor", &L::SelectedColor, &L::SetSelectedColor, clHighlight)
            .Prop("SelectedTextColor", &L::SelectedTextColor, &L::SetSelectedTextColor, clHighlightText)
            .Prop("ShowFocusRect", &L::ShowFocusRect, &L::SetShowFocusRect, true)
            .Event("OnGetText", &L::OnGetText)
            .Event("OnSelectCancel", &L::OnSelectCancel)
            .Event("OnChange", &L::OnChange)
            .Event("OnDeleteString", &L::OnDeleteString)
            .Event("OnAddString", &L::OnAddString)
            .Event("OnVerticalScroll", &L::OnVerticalScroll)
            .Event("OnHorizontalScroll", &L::OnHorizontalScroll);
        RegisterClass<TOxListBox, L>("TOxListBox");
        return true;
    }();
    (void)done;
}
