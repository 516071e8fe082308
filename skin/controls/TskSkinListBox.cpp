#include "skin/controls/TskSkinListBox.h"

#include <algorithm>

#include "platform/gfx/Text.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/WinApi.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/controls/TskSkinListBoxCaption.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinListBox.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"

namespace {

constexpr int DefaultBarSize = 19;

} // namespace

// ---- TskListBox -----------------------------------------------------------------------------------

TskListBox::TskListBox(TComponent* AOwner) : TListBox(AOwner)
{
    SetBorderStyleValue(0);
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
}

TskListBox::~TskListBox() { FAlive.End(); }

bool TskListBox::TellFrame(const std::function<void(TskSkinCustomListBox*)>& Tell)
{
    if (FSkinListBox == nullptr) return true;
    const auto alive = FAlive.Watch();
    Tell(FSkinListBox);
    return *alive;
}

void TskListBox::CreateParams(TCreateParams& Params)
{
    TListBox::CreateParams(Params);
    Params.Style &= ~(WS_BORDER | WS_VSCROLL | WS_HSCROLL);
    Params.Style |= WS_TABSTOP;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    Params.ClassStyle = CS_DBLCLKS;
}

void TskListBox::CreateWnd()
{
    TListBox::CreateWnd();
    if (FSkinListBox != nullptr) FSkinListBox->ListBoxCreateWnd();
}

void TskListBox::SetHorizontalOffset(int Value)
{
    if (Value == FHorizontalOffset) return;
    FHorizontalOffset = Value;
    Invalidate();
}

int TskListBox::Rows() const { return ClientHeight() / ItemHeight(); }

void TskListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Width() != oldWidth && FHorizontalOffset >= 1) {
        FHorizontalOffset = std::max(0, FHorizontalOffset + oldWidth - Width());
        Invalidate();
    }
}

void TskListBox::Click()
{
    if (TellFrame([](TskSkinCustomListBox* f) { f->ListBoxClick(); })) TListBox::Click();
}

void TskListBox::ItemsChanged()
{
    TListBox::ItemsChanged();
    if (FSkinListBox != nullptr && Items()->UpdateCount() == 0) FSkinListBox->UpdateListScrollBars();
}

void TskListBox::FollowScrolling()
{
    if (FSkinListBox == nullptr || TopIndex() == FSeenTopIndex) return;
    FSeenTopIndex = TopIndex();
    FSkinListBox->UpdateListScrollBars();
}

void TskListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (TellFrame([&](TskSkinCustomListBox* f) { f->ListBoxMouseDown(Button, Shift, X, Y); }))
        TListBox::MouseDown(Button, Shift, X, Y);
}

void TskListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    if (TellFrame([&](TskSkinCustomListBox* f) { f->ListBoxMouseMove(Shift, X, Y); })) TListBox::MouseMove(Shift, X, Y);
}

void TskListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (TellFrame([&](TskSkinCustomListBox* f) { f->ListBoxMouseUp(Button, Shift, X, Y); }))
        TListBox::MouseUp(Button, Shift, X, Y);
}

void TskListBox::DoStartDrag(TDragObject*& DragObject)
{
    if (FSkinListBox != nullptr && FSkinListBox->OnListBoxStartDrag)
        FSkinListBox->OnListBoxStartDrag(this, DragObject);
    else
        TListBox::DoStartDrag(DragObject);
}

void TskListBox::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    if (FSkinListBox == nullptr || !FSkinListBox->OnListBoxDragOver) {
        TListBox::DragOver(Source, X, Y, State, Accept);
        return;
    }
    Accept = true;
    FSkinListBox->OnListBoxDragOver(this, Source, X, Y, State, Accept);
}

void TskListBox::DragDrop(TObject* Source, int X, int Y)
{
    if (FSkinListBox != nullptr && FSkinListBox->OnListBoxDragDrop)
        FSkinListBox->OnListBoxDragDrop(this, Source, X, Y);
    else
        TListBox::DragDrop(Source, X, Y);
}

void TskListBox::DoEndDrag(TObject* Target, int X, int Y)
{
    if (FSkinListBox != nullptr && FSkinListBox->OnListBoxEndDrag)
        FSkinListBox->OnListBoxEndDrag(this, Target, X, Y);
    else
        TListBox::DoEndDrag(Target, X, Y);
}

void TskListBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FSkinListBox != nullptr) {
        // A handler that freed the list took the key with it: the window layer must not go on with it.
        if (!TellFrame([&](TskSkinCustomListBox* f) { f->ListBoxKeyDown(Key, Shift); })) {
            Key = 0;
            return;
        }
        // With a horizontal bar the side arrows scroll the text instead of moving the selection.
        TskSkinScrollBar* bar = FSkinListBox->FHScrollBar;
        if (bar != nullptr && (Key == VK_LEFT || Key == VK_RIGHT)) {
            bar->SetPosition(bar->Position() + (Key == VK_LEFT ? -bar->SmallChange() : bar->SmallChange()));
            Key = 0;
        }
    }
    if (Key != 0) TListBox::KeyDown(Key, Shift);
}

void TskListBox::KeyUp(WORD& Key, TShiftState Shift)
{
    if (!TellFrame([&](TskSkinCustomListBox* f) { f->ListBoxKeyUp(Key, Shift); })) {
        Key = 0;
        return;
    }
    if (Key != 0) TListBox::KeyUp(Key, Shift);
}

void TskListBox::KeyPress(TKeyChar& Key)
{
    if (!TellFrame([&](TskSkinCustomListBox* f) { f->ListBoxKeyPress(Key); })) {
        Key = 0;
        return;
    }
    if (Key != 0) TListBox::KeyPress(Key);
}

void TskListBox::DoEnter()
{
    if (FSkinListBox != nullptr) FSkinListBox->ListBoxEnter();
    TListBox::DoEnter();
}

void TskListBox::DoExit()
{
    if (FSkinListBox != nullptr) FSkinListBox->ListBoxExit();
    TListBox::DoExit();
}

void TskListBox::WndProc(TMessage& Message)
{
    if (FSkinListBox != nullptr) {
        // The frame hears the message first; its handlers may free it, and this list with it.
        bool handled = true;
        if (!TellFrame([&](TskSkinCustomListBox* frame) { frame->ListBoxWProc(Message, handled); }) || !handled)
            return;
    }
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        // No border and no native bars: the whole window is client area.
        Message.Result = 0;
        return;
    case WM_ERASEBKGND:
        if (Message.WParam != 0) {
            TCanvas c;
            c.SetHandle(reinterpret_cast<HDC>(Message.WParam));
            PaintBackground(&c, ClientRect());
            c.SetHandle(nullptr);
        }
        Message.Result = 1;
        break;
    case CM_PAINTSKINFRAME:
    case CM_PAINTSKINFRAME2: {
        // The list has no frame of its own; only an empty one paints its background for the second form.
        auto paintEmpty = [this](HDC DC, bool Second) {
            if (Second && DC != nullptr) {
                TCanvas c;
                c.SetHandle(DC);
                PaintBackground(&c, ClientRect());
                c.SetHandle(nullptr);
            }
            return true;
        };
        if ((Message.Msg == CM_PAINTSKINFRAME || Count() == 0) && AnswerPaintSkinFrame(Message, paintEmpty)) return;
        TListBox::WndProc(Message);
        break;
    }
    case WM_LBUTTONDBLCLK:
        TListBox::WndProc(Message);
        if (FSkinListBox != nullptr) FSkinListBox->ListBoxDblClick();
        break;
    case WM_MOUSEWHEEL:
        TListBox::WndProc(Message);
        // Nothing to scroll down the list: the wheel moves the text sideways.
        if (FSkinListBox != nullptr && FSkinListBox->FVScrollBar == nullptr && FSkinListBox->FHScrollBar != nullptr) {
            TskSkinScrollBar* bar = FSkinListBox->FHScrollBar;
            const int delta = static_cast<short>(HIWORD(Message.WParam));
            bar->SetPosition(bar->Position() + (delta > 0 ? -bar->SmallChange() : bar->SmallChange()));
        }
        break;
    default: {
        // The list's own mouse handlers tell the frame too, which may free it, and this list with it.
        const auto alive = FAlive.Watch();
        TListBox::WndProc(Message);
        if (!*alive) return;
        break;
    }
    }
    FollowScrolling();
}

TOwnerDrawState TskListBox::ItemState(int Index) const
{
    TOwnerDrawState s;
    if (Index == ItemIndex()) {
        s.Include(odSelected);
        if (Focused()) s.Include(odFocused);
    } else if (MultiSelect() && SelCount() > 0 && Selected(Index)) {
        s.Include(odSelected);
    }
    return s;
}

void TskListBox::PaintBackground(TCanvas* C, const TRect& R)
{
    if (IsEmptyRect(R)) return;
    TskSkinCustomListBox* frame = FSkinListBox;
    if (frame != nullptr && frame->Skinned() && frame->FPicture != nullptr) {
        TRect piece = frame->FSkinClientRect;
        OffsetRect(piece, frame->FSkinRect.Left, frame->FSkinRect.Top);
        piece = ClipToPicture(frame->FPicture, piece);
        if (!IsEmptyRect(piece)) {
            TileDraw(C, frame->FPicture, piece, R);
            return;
        }
    }
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(R);
}

void TskListBox::Paint()
{
    if (ClientWidth() < 1 || ClientHeight() < 1) return;
    if (FSkinListBox == nullptr) {
        TListBox::Paint();
        return;
    }
    FSkinListBox->FindSkinObject();
    TCanvas* c = Canvas();
    const int rows = Rows();
    const int top = TopIndex();
    // One partly shown row below the whole ones; whole columns with Columns.
    int last = Columns() > 0 ? top + std::max(1, rows) * Columns() - 1 : top + rows;
    last = std::min(last, Count() - 1);
    if (Columns() > 0) PaintBackground(c, ClientRect());
    for (int i = top; i <= last; ++i) FSkinListBox->DrawListItem(c, i, ItemRect(i), ItemState(i));
    if (Columns() == 0) {
        const int used = std::max(0, last - top + 1) * ItemHeight();
        if (used < ClientHeight()) PaintBackground(c, Rect(0, used, ClientWidth(), ClientHeight()));
    }
}

// ---- TskSkinCustomListBox: construction and properties ----------------------------------------------

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FTabWidths(std::make_unique<TStringList>()), FGlyph(std::make_unique<TBitmap>()),
      FDefaultCaptionFont(std::make_unique<TFont>()), FCaption(std::make_unique<TskSkinListBoxCaption>(this))
{
    SetSkinDataName("listbox");
    FPaintFrameDirectly = true;
    FPaintClientArea = false;
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    Font()->SetStyle({});
    FDefaultCaptionFont->SetName("Arial");
    FDefaultCaptionFont->SetHeight(14);
    FDefaultCaptionFont->OnChange = [this](TObject*) { CaptionFontChange(); };
    FListBox = new TskListBox(this);
    FListBox->SetStyle(lbOwnerDrawFixed);
    FListBox->SetItemHeight(FDefaultItemHeight);
    FListBox->SetParent(this);
    FListBox->SetSkinListBox(this);
    SetBounds(Left(), Top(), 120, 120);
    LayoutListBox();
}

TskSkinCustomListBox::~TskSkinCustomListBox()
{
    FCaption->Cancel();
    // The owned list and bars outlive this body: they must not call back into a frame that is going.
    if (FListBox != nullptr) FListBox->SetSkinListBox(nullptr);
    if (FVScrollBar != nullptr) FVScrollBar->OnChange = nullptr;
    if (FHScrollBar != nullptr) FHScrollBar->OnChange = nullptr;
    FDefaultCaptionFont->OnChange = nullptr;
}

void TskSkinCustomListBox::SetTabWidths(TStrings* Value)
{
    FTabWidths->Assign(Value);
    if (FTabWidths->Count() > 0) FListBox->Invalidate();
}

void TskSkinCustomListBox::SetHorizontalExtent(bool Value)
{
    if (Value == FHorizontalExtent) return;
    FHorizontalExtent = Value;
    UpdateListScrollBars();
}

int TskSkinCustomListBox::Columns() const { return FListBox->Columns(); }

void TskSkinCustomListBox::SetColumns(int Value)
{
    if (std::max(0, Value) == FListBox->Columns()) return;
    // A bar made for the other direction would scroll the wrong way.
    HideVScrollBar();
    FListBox->SetColumns(Value);
    UpdateListScrollBars();
}

void TskSkinCustomListBox::SetRowCount(int Value)
{
    FRowCount = Value;
    if (Value != 0) SetHeight(CalcHeight(Value));
    UpdateListScrollBars();
}

void TskSkinCustomListBox::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    FImages = Value;
    FListBox->Invalidate();
}

void TskSkinCustomListBox::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    FListBox->Invalidate();
}

void TskSkinCustomListBox::SetDefaultItemHeight(int Value)
{
    FDefaultItemHeight = Value;
    if (!(Skinned() && FUseSkinItemHeight)) FListBox->SetItemHeight(ItemHeight());
}

TStrings* TskSkinCustomListBox::Items() const { return FListBox->Items(); }

void TskSkinCustomListBox::SetItems(TStrings* Value)
{
    FListBox->Items()->Assign(Value);
    UpdateListScrollBars();
}

int TskSkinCustomListBox::ItemIndex() const { return FListBox->ItemIndex(); }

void TskSkinCustomListBox::SetItemIndex(int Value)
{
    FListBox->SetItemIndex(Value);
    FListBox->FollowScrolling();
}

bool TskSkinCustomListBox::MultiSelect() const { return FListBox->MultiSelect(); }
void TskSkinCustomListBox::SetMultiSelect(bool Value) { FListBox->SetMultiSelect(Value); }
bool TskSkinCustomListBox::ExtandedSelect() const { return FListBox->ExtendedSelect(); }
void TskSkinCustomListBox::SetExtandedSelect(bool Value) { FListBox->SetExtendedSelect(Value); }
bool TskSkinCustomListBox::Sorted() const { return FListBox->Sorted(); }

void TskSkinCustomListBox::SetSorted(bool Value)
{
    HideVScrollBar();
    FListBox->SetSorted(Value);
}

TFont* TskSkinCustomListBox::ListBoxFont() const { return FListBox->Font(); }
void TskSkinCustomListBox::SetListBoxFont(TFont* Value) { FListBox->SetFont(Value); }
int TskSkinCustomListBox::ListBoxTabOrder() const { return FListBox->TabOrder(); }
void TskSkinCustomListBox::SetListBoxTabOrder(int Value) { FListBox->SetTabOrder(Value); }
bool TskSkinCustomListBox::ListBoxTabStop() const { return FListBox->TabStop(); }
void TskSkinCustomListBox::SetListBoxTabStop(bool Value) { FListBox->SetTabStop(Value); }
TPopupMenu* TskSkinCustomListBox::ListBoxPopupMenu() const { return FListBox->PopupMenu(); }
void TskSkinCustomListBox::SetListBoxPopupMenu(TPopupMenu* Value) { FListBox->SetPopupMenu(Value); }
TDragMode TskSkinCustomListBox::ListBoxDragMode() const { return FListBox->DragMode(); }
void TskSkinCustomListBox::SetListBoxDragMode(TDragMode Value) { FListBox->SetDragMode(Value); }
TDragKind TskSkinCustomListBox::ListBoxDragKind() const { return FListBox->DragKind(); }
void TskSkinCustomListBox::SetListBoxDragKind(TDragKind Value) { FListBox->SetDragKind(Value); }
TCursor TskSkinCustomListBox::ListBoxDragCursor() const { return FListBox->DragCursor(); }
void TskSkinCustomListBox::SetListBoxDragCursor(TCursor Value) { FListBox->SetDragCursor(Value); }

void TskSkinCustomListBox::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinCustomListBox::SetNumGlyphs(int Value)
{
    Value = std::clamp(Value, 1, 2);
    if (Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    Repaint();
}

void TskSkinCustomListBox::SetSpacing(int Value)
{
    if (Value == FSpacing) return;
    FSpacing = Value;
    Repaint();
}

void TskSkinCustomListBox::SetCaptionMode(bool Value)
{
    if (Value == FCaptionMode) return;
    FCaptionMode = Value;
    if (!Value) FCaption->Cancel();
    if (!Skinned()) LayoutListBox();
    Repaint();
}

void TskSkinCustomListBox::SetDefaultCaptionHeight(int Value)
{
    if (Value == FDefaultCaptionHeight) return;
    FDefaultCaptionHeight = Value;
    if (Skinned() || !FCaptionMode) return;
    LayoutListBox();
    Repaint();
}

void TskSkinCustomListBox::CaptionFontChange()
{
    if (!Skinned() && FCaptionMode) Repaint();
}

void TskSkinCustomListBox::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    if (FCaptionMode) Repaint();
}

TRect TskSkinCustomListBox::CaptionButtonRect(int Index)
{
    FindSkinObject();
    return FCaption->ButtonRect(Index);
}

// ---- public operations ------------------------------------------------------------------------------

void TskSkinCustomListBox::Clear()
{
    FListBox->Clear();
    UpdateListScrollBars();
}

int TskSkinCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const { return FListBox->ItemAtPos(Pos, Existing); }
bool TskSkinCustomListBox::Selected(int Index) const { return FListBox->Selected(Index); }
void TskSkinCustomListBox::SetSelected(int Index, bool Value) { FListBox->SetSelected(Index, Value); }
int TskSkinCustomListBox::TopIndex() const { return FListBox->TopIndex(); }

void TskSkinCustomListBox::SetTopIndex(int Value)
{
    if (Value == FListBox->TopIndex()) return;
    FListBox->SetTopIndex(Value);
    FListBox->FollowScrolling();
}

int TskSkinCustomListBox::ItemHeight() const
{
    // An entry without an item picture would give items no height at all (and rows a division by 0).
    if (Skinned() && FUseSkinItemHeight && FItemRect.Height() > 0) return FItemRect.Height();
    return std::max(1, FDefaultItemHeight);
}

int TskSkinCustomListBox::CalcHeight(int Rows) const
{
    int h;
    if (Skinned())
        h = FSkinRect.Height() - FSkinClientRect.Height() + Rows * ItemHeight();
    else
        h = Rows * ItemHeight() + 4 + (FCaptionMode ? FDefaultCaptionHeight : 0);
    if (FHScrollBar != nullptr) h += FHScrollBar->Height();
    return h;
}

// ---- skin -------------------------------------------------------------------------------------------

void TskSkinCustomListBox::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    auto* e = SkinEntryAs<TskDataSkinListBox>();
    if (e == nullptr) return;
    FSkinFontName = e->FontName;
    FSkinFontStyle = e->FontStyle;
    FSkinFontHeight = e->FontHeight;
    FItemRect = e->ItemRect;
    FActiveItemRect = IsEmptyRect(e->ActiveItemRect) ? e->ItemRect : e->ActiveItemRect;
    FFocusItemRect = IsEmptyRect(e->FocusItemRect) ? e->ItemRect : e->FocusItemRect;
    FItemLeftOffset = e->ItemLeftOffset;
    FItemRightOffset = e->ItemRightOffset;
    FItemTextRect = e->ItemTextRect;
    FFontColor = e->FontColor;
    FActiveFontColor = e->ActiveFontColor;
    FFocusFontColor = e->FocusFontColor;
    FVScrollBarName = e->VScrollBarName;
    FHScrollBarName = e->HScrollBarName;
    FBothHScrollBarName = e->BothHScrollBarName;
    FShowFocus = e->ShowFocus;
    FCaption->ReadEntry(*e);
}

void TskSkinCustomListBox::RefreshSkin()
{
    TskSkinCustomControl::RefreshSkin();
    {
        TValueGuard updating(FUpdatingSkin);
        if (!Skinned()) {
            FListBox->SetItemHeight(ItemHeight());
            FListBox->SetFont(DefaultFont());
        } else if (FUseSkinItemHeight) {
            FListBox->SetItemHeight(ItemHeight());
        }
        if (FVScrollBar != nullptr) {
            FVScrollBar->SetSkinDataName(!Skinned() ? "" : (Columns() == 0 ? FVScrollBarName : FHScrollBarName));
            FVScrollBar->SetSkinData(SkinData());
        }
        if (FHScrollBar != nullptr) {
            const bool corner = FVScrollBar != nullptr;
            FHScrollBar->SetSkinDataName(!Skinned() ? "" : (corner ? FBothHScrollBarName : FHScrollBarName));
            if (!Skinned() && corner) FHScrollBar->SetBothMarkerWidth(DefaultBarSize);
            FHScrollBar->SetSkinData(SkinData());
        }
        if (FRowCount > 0) SetHeight(CalcHeight(FRowCount));
        LayoutListBox();
    }
    UpdateListScrollBars();
    FListBox->Invalidate();
}

void TskSkinCustomListBox::DefaultFontChanged()
{
    if (!Skinned()) FListBox->SetFont(DefaultFont());
}

void TskSkinCustomListBox::CreateParams(TCreateParams& Params)
{
    TskSkinCustomControl::CreateParams(Params);
    Params.ClassStyle &= ~(CS_VREDRAW | CS_HREDRAW);
}

void TskSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!Skinned()) Repaint();
}

void TskSkinCustomListBox::Resize()
{
    TskSkinCustomControl::Resize();
    LayoutListBox();
    UpdateListScrollBars();
    if (FVScrollBar != nullptr) FVScrollBar->Repaint();
}

void TskSkinCustomListBox::Loaded()
{
    TskSkinCustomControl::Loaded();
    LayoutListBox();
    UpdateListScrollBars();
}

// ---- layout and bars ----------------------------------------------------------------------------------

void TskSkinCustomListBox::LayoutListBox()
{
    if (FListBox == nullptr) return;
    const int w = Width();
    const int h = Height();
    const int caption = FCaptionMode ? FDefaultCaptionHeight : 1;
    if (Skinned()) {
        FListRect = FSkinClientRect;
        FListRect.Right += w - FSkinRect.Width();
        FListRect.Bottom += h - FSkinRect.Height();
    }
    int hb = 0;
    if (Columns() == 0 && FHScrollBar != nullptr && FHScrollBar->Visible()) {
        if (!Skinned()) {
            FHScrollBar->SetBounds(1, h - 20, w - 2, DefaultBarSize);
            hb = 18;
        } else {
            FHScrollBar->SetBounds(FListRect.Left, FListRect.Bottom - FHScrollBar->Height(), FListRect.Width(),
                FHScrollBar->Height());
            hb = FHScrollBar->Height();
        }
    }
    if (FVScrollBar == nullptr || !FVScrollBar->Visible()) {
        // The horizontal bar's row is not the list's, with or without a vertical bar.
        FListBoxRect = Skinned() ? FListRect : Rect(2, caption + 1, w - 2, h - 2);
        FListBoxRect.Bottom -= hb;
    } else if (!Skinned()) {
        if (Columns() > 0) {
            FVScrollBar->SetBounds(1, h - 20, w - 2, DefaultBarSize);
            FListBoxRect = Rect(2, caption + 1, w - 2, FVScrollBar->Top());
        } else {
            FVScrollBar->SetBounds(w - 20, caption, DefaultBarSize, h - 1 - caption - hb);
            FListBoxRect = Rect(2, caption + 1, FVScrollBar->Left(), h - 2 - hb);
        }
    } else if (Columns() == 0) {
        const int bw = FVScrollBar->Width();
        FVScrollBar->SetBounds(FListRect.Right - bw, FListRect.Top, bw, FListRect.Height() - hb);
        FListBoxRect = Rect(FListRect.Left, FListRect.Top, FListRect.Right - bw, FListRect.Bottom - hb);
    } else {
        const int bh = FVScrollBar->Height();
        FVScrollBar->SetBounds(FListRect.Left, FListRect.Bottom - bh, FListRect.Width(), bh);
        FListBoxRect = Rect(FListRect.Left, FListRect.Top, FListRect.Right, FListRect.Bottom - bh);
    }
    FListBox->SetBounds(FListBoxRect.Left, FListBoxRect.Top, std::max(0, FListBoxRect.Width()),
        std::max(0, FListBoxRect.Height()));
}

void TskSkinCustomListBox::UpdateListScrollBars()
{
    if (FListBox == nullptr || ComponentState().Contains(csDestroying)) return;
    // A bar's own change must not free it under its feet: only follow the list then.
    if (FInBarChange) {
        FListBox->FSeenTopIndex = FListBox->TopIndex();
        return;
    }
    // Making or freeing a bar moves the list, which may ask again: do it once more afterwards instead.
    if (FInBarsUpdate) {
        FBarsAgain = true;
        return;
    }
    TValueGuard inside(FInBarsUpdate);
    for (int round = 0; round < 3; ++round) {
        FBarsAgain = false;
        UpdateBarsOnce();
        if (!FBarsAgain) break;
    }
    FListBox->FSeenTopIndex = FListBox->TopIndex();
}

void TskSkinCustomListBox::UpdateBarsOnce()
{
    const int count = FListBox->Count();
    const int ih = FListBox->ItemHeight();
    if (Columns() > 0) {
        const int rows = FListBox->Rows();
        const int perColumn = std::max(1, rows);
        const int maxPos = std::max(0, (count - 1) / perColumn);
        const int pos = FListBox->TopIndex() / perColumn;
        if (maxPos > 0 && pos <= maxPos && Columns() <= maxPos && rows * Columns() < count) {
            if (FVScrollBar == nullptr) CreateVScrollBar();
            FVScrollBar->SetRange(0, maxPos, Columns(), pos);
        } else {
            HideVScrollBar();
        }
        return;
    }
    // Across: the widest text against the text area.
    if (!FHorizontalExtent || FUpdatingSkin) {
        HideHScrollBar();
    } else {
        TBitmap probe(1, 1);
        TCanvas* c = probe.Canvas();
        const TskEntryFont face(FSkinFontName, FSkinFontHeight, FSkinFontStyle);
        const bool skinFace = Skinned() && UseSkinFont();
        SelectEntryFont(c->Font(), skinFace ? nullptr : FListBox->Font(), skinFace ? &face : nullptr, SkinData(),
            DefaultFont()->Charset());
        int widest = 0;
        for (int i = 0; i < count; ++i) widest = std::max(widest, GetItemTextWidth(i, c));
        int area = Skinned() ? FListBox->Width() - (FItemRect.Width() - FItemTextRect.Width()) : FListBox->Width() - 4;
        if (FImages != nullptr) area -= FImages->Width() + 4;
        if (widest > area) {
            if (FHScrollBar == nullptr) CreateHScrollBar();
            FHScrollBar->SetRange(0, widest, area, FHScrollBar->Position());
            const int step = std::max(1, c->TextWidth("0"));
            FHScrollBar->SetSmallChange(step);
            FHScrollBar->SetLargeChange(step);
        } else {
            HideHScrollBar();
        }
    }
    // Down: rows against items.
    if (FRowCount > 0 && FRowCount == count) {
        HideVScrollBar();
        return;
    }
    const int rows = FListBox->Height() / std::max(1, ih);
    const int maxPos = count - 1;
    const int pos = FListBox->TopIndex();
    if (maxPos > 0 && pos <= maxPos && rows < count) {
        if (FVScrollBar == nullptr) CreateVScrollBar();
        FVScrollBar->SetRange(0, maxPos, rows, pos);
        FVScrollBar->SetLargeChange(std::max(1, rows));
    } else {
        HideVScrollBar();
    }
}

void TskSkinCustomListBox::MakeCornerBar(TskSkinScrollBar* Bar)
{
    if (Skinned()) {
        Bar->SetBothSkinDataName(FBothHScrollBarName);
        Bar->SetSkinDataName(FBothHScrollBarName);
    } else {
        Bar->SetSkinDataName("");
        Bar->SetBothMarkerWidth(DefaultBarSize);
    }
    // The names are set already: switching Both on only marks the corner.
    Bar->SetBoth(true);
    Bar->SetSkinData(SkinData());
}

void TskSkinCustomListBox::CreateVScrollBar()
{
    auto* bar = new TskSkinScrollBar(this);
    FVScrollBar = bar;
    const bool down = Columns() == 0;
    bar->SetKind(down ? sbVertical : sbHorizontal);
    if (down) {
        // A vertical bar without an entry must keep the height the layout gives it.
        bar->SetDefaultHeight(0);
        bar->SetBounds(0, 0, 20, 100);
    } else {
        bar->SetBounds(0, 0, 100, DefaultBarSize);
    }
    bar->SetRange(0, bar->Max(), 0, 0);
    bar->OnChange = [this](TObject*) { VScrollBarChange(); };
    bar->SetSkinDataName(!Skinned() ? "" : (down ? FVScrollBarName : FHScrollBarName));
    bar->SetParent(this);
    bar->SetSkinData(SkinData());
    if (FHScrollBar != nullptr) MakeCornerBar(FHScrollBar);
    LayoutListBox();
    bar->Show();
    Invalidate();
}

void TskSkinCustomListBox::CreateHScrollBar()
{
    auto* bar = new TskSkinScrollBar(this);
    FHScrollBar = bar;
    bar->SetKind(sbHorizontal);
    bar->SetBounds(0, 0, 100, DefaultBarSize);
    bar->SetRange(0, bar->Max(), 0, 0);
    bar->OnChange = [this](TObject*) { HScrollBarChange(); };
    bar->SetParent(this);
    if (FVScrollBar != nullptr) {
        MakeCornerBar(bar);
    } else {
        bar->SetSkinDataName(Skinned() ? FHScrollBarName : "");
        bar->SetSkinData(SkinData());
    }
    bar->Show();
    LayoutListBox();
    Invalidate();
}

void TskSkinCustomListBox::HideVScrollBar()
{
    if (FVScrollBar == nullptr) return;
    TskSkinScrollBar* bar = FVScrollBar;
    FVScrollBar = nullptr;
    bar->Hide();
    bar->OnChange = nullptr;
    delete bar;
    // Without a vertical bar the horizontal one has no corner to leave.
    if (FHScrollBar != nullptr && FHScrollBar->Both()) {
        FHScrollBar->SetBoth(false);
        FHScrollBar->SetBothMarkerWidth(0);
        FHScrollBar->SetSkinDataName(Skinned() ? FHScrollBarName : "");
        FHScrollBar->SetSkinData(SkinData());
    }
    LayoutListBox();
}

void TskSkinCustomListBox::HideHScrollBar()
{
    if (FHScrollBar == nullptr) return;
    TskSkinScrollBar* bar = FHScrollBar;
    FHScrollBar = nullptr;
    FListBox->SetHorizontalOffset(0);
    bar->Hide();
    bar->OnChange = nullptr;
    delete bar;
    LayoutListBox();
}

void TskSkinCustomListBox::VScrollBarChange()
{
    if (FVScrollBar == nullptr) return;
    TValueGuard inChange(FInBarChange);
    const WPARAM w = static_cast<WPARAM>(MAKELPARAM(SB_THUMBPOSITION, static_cast<WORD>(FVScrollBar->Position())));
    FListBox->Perform(Columns() > 0 ? WM_HSCROLL : WM_VSCROLL, w, 0);
}

void TskSkinCustomListBox::HScrollBarChange()
{
    if (FHScrollBar == nullptr) return;
    FListBox->SetHorizontalOffset(FHScrollBar->Position());
}

// ---- item drawing ---------------------------------------------------------------------------------------

int TskSkinCustomListBox::GetItemTextWidth(int Index, TCanvas* C) { return C->TextWidth(Items()->Strings(Index)); }

void TskSkinCustomListBox::SetItemFont(TCanvas* C) const
{
    const TskEntryFont face(FSkinFontName, FSkinFontHeight, FSkinFontStyle);
    SelectEntryFont(C->Font(), UseSkinFont() ? nullptr : DefaultFont(), UseSkinFont() ? &face : nullptr, SkinData(),
        DefaultFont()->Charset());
}

void TskSkinCustomListBox::DrawListItem(TCanvas* C, int Index, const TRect& R, TOwnerDrawState State)
{
    if (Index < 0 || Index >= Items()->Count() || IsEmptyRect(R)) return;
    if (!Skinned())
        DrawDefaultItem(C, Index, R, State);
    else
        DrawSkinItem(C, Index, R, State, FUseSkinItemHeight);
}

void TskSkinCustomListBox::DrawItemContent(TCanvas* C, int Index, const TRect& TextRect, bool Focused, bool Skinned)
{
    if (Skinned && Focused && FShowFocus) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(SkinData() != nullptr ? SkinData()->SkinColors->cBtnFace : clBtnFace);
        C->DrawFocusRect(Rect(0, 0, C->ClipRect().Right, C->ClipRect().Bottom));
    }
    C->Brush()->SetStyle(bsClear);
    int imageWidth = 0;
    const int image = FImageIndex == -1 ? Index : FImageIndex;
    if (FImages != nullptr && image >= 0 && image < FImages->Count()) {
        FImages->Draw(C, TextRect.Left - FListBox->HorizontalOffset(),
            TextRect.Top + (TextRect.Height() - FImages->Height()) / 2, image, Enabled());
        imageWidth = FImages->Width() + 2;
    }
    const std::string text = Items()->Strings(Index);
    if (text.empty()) return;
    const int y = TextRect.Top + (TextRect.Height() - C->TextHeight(text)) / 2;
    const HDC dc = C->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, TextRect.Left, TextRect.Top, TextRect.Right, TextRect.Bottom);
    int stops[MaxTabStops];
    const int n = FListBox->Columns() == 0 ? ParseTabStops(FTabWidths.get(), stops) : 0;
    if (n > 0)
        TabbedTextOut(dc, TextRect.Left + imageWidth + 2, y, text, n, stops, TextRect.Left + imageWidth + 2);
    else
        C->TextOut(TextRect.Left + 2 + imageWidth - FListBox->HorizontalOffset(), y, text);
    RestoreDC(dc, saved);
}

void TskSkinCustomListBox::DrawDefaultItem(TCanvas* C, int Index, const TRect& R, TOwnerDrawState State)
{
    TBitmap b(R.Width(), R.Height());
    TCanvas* c = b.Canvas();
    SelectEntryFont(c->Font(), FListBox->Font(), nullptr, SkinData(), FListBox->Font()->Charset());
    const bool selected = State.Contains(odSelected);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(selected ? clHighlight : clWindow);
    c->Font()->SetColor(selected ? clHighlightText : FListBox->Font()->Color());
    const TRect whole = Rect(0, 0, R.Width(), R.Height());
    c->FillRect(whole);
    if (OnDrawItem)
        OnDrawItem(c, Index, R.Width(), R.Height(), whole, State);
    else
        DrawItemContent(c, Index, whole, false, false);
    if (State.Contains(odFocused)) c->DrawFocusRect(whole);
    C->Draw(R.Left, R.Top, &b);
}

void TskSkinCustomListBox::DrawSkinItem(TCanvas* C, int Index, const TRect& R, TOwnerDrawState State, bool SkinHeight)
{
    if (FPicture == nullptr) return;
    const bool selected = State.Contains(odSelected);
    const bool focused = State.Contains(odFocused);
    TBitmap b(R.Width(), R.Height());
    TRect piece;
    TColor color;
    if (SkinHeight) {
        piece = selected && focused ? FFocusItemRect : (selected ? FActiveItemRect : FItemRect);
        color = selected && focused ? FFocusFontColor : (selected ? FActiveFontColor : FFontColor);
        // The resting item is always tiled: only the marked ones may be stretched.
        const bool stretch = FStretchEffect && (selected || focused);
        if (!IsEmptyRect(piece))
            CreateHSkinImage(FItemLeftOffset, FItemRightOffset, &b, FPicture, piece, R.Width(), R.Height(), stretch);
    } else {
        piece = focused ? FFocusItemRect : (selected ? FActiveItemRect : FItemRect);
        color = focused ? FFocusFontColor : (selected ? FActiveFontColor : FFontColor);
        if (!IsEmptyRect(piece)) {
            TRect inner = FItemTextRect;
            InflateRect(inner, -1, -1);
            CreateStretchSkinImage(&b, FPicture, piece, inner, true);
        }
    }
    TCanvas* c = b.Canvas();
    if (SkinHeight && focused && !selected) c->DrawFocusRect(Rect(0, 0, b.Width(), b.Height()));
    TRect text = FItemTextRect;
    text.Right += R.Width() - FItemRect.Width();
    text.Bottom += R.Height() - FItemRect.Height();
    SetItemFont(c);
    c->Font()->SetColor(color);
    c->Brush()->SetStyle(bsClear);
    if (OnDrawItem)
        OnDrawItem(c, Index, R.Width(), R.Height(), text, State);
    else
        DrawItemContent(c, Index, text, focused, true);
    C->CopyRect(R, c, Rect(0, 0, R.Width(), R.Height()));
}

// ---- frame painting and input ---------------------------------------------------------------------------

void TskSkinCustomListBox::DrawDefaultImage(TBitmap* B)
{
    TskSkinCustomControl::DrawDefaultImage(B);
    TCanvas* c = B->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(Rect(0, 0, B->Width(), B->Height()));
    FCaption->DrawDefault(c);
}

void TskSkinCustomListBox::DrawSkinImage(TBitmap* B)
{
    TskSkinCustomControl::DrawSkinImage(B);
    FCaption->DrawSkin(B->Canvas());
}

void TskSkinCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The handler may free the list box.
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (*alive && Button == mbLeft && FCaptionMode) FCaption->MouseDown(X, Y);
}

void TskSkinCustomListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (*alive && FCaptionMode) FCaption->MouseMove(X, Y);
}

void TskSkinCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (*alive && Button == mbLeft && FCaptionMode) FCaption->MouseUp(X, Y);
}

void TskSkinCustomListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        TskSkinCustomControl::WndProc(Message);
        if (Message.WParam == TskSkinListBoxCaption::RepeatTimer) FCaption->TimerTick();
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(Message);
        if (FCaptionMode) Repaint();
        return;
    case CM_MOUSEENTER:
        TskSkinCustomControl::WndProc(Message);
        if (FCaptionMode && !Designing()) FCaption->MouseEnter();
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(Message);
        if (FCaptionMode && !Designing()) FCaption->MouseLeave();
        return;
    case WM_DESTROY:
        FCaption->Cancel();
        break;
    default:
        break;
    }
    TskSkinCustomControl::WndProc(Message);
}

// ---- events to the outside ------------------------------------------------------------------------------

void TskSkinCustomListBox::ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseDown) OnListBoxMouseDown(this, Button, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxMouseMove(TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseMove) OnListBoxMouseMove(this, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseUp) OnListBoxMouseUp(this, Button, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxClick()
{
    if (OnListBoxClick) OnListBoxClick(this);
}

void TskSkinCustomListBox::ListBoxDblClick()
{
    if (OnListBoxDblClick) OnListBoxDblClick(this);
}

void TskSkinCustomListBox::ListBoxKeyDown(WORD& Key, TShiftState Shift)
{
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, Key, Shift);
}

void TskSkinCustomListBox::ListBoxKeyUp(WORD& Key, TShiftState Shift)
{
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, Key, Shift);
}

void TskSkinCustomListBox::ListBoxKeyPress(TKeyChar& Key)
{
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, Key);
}

void TskSkinCustomListBox::ListBoxWProc(TMessage&, bool& Handled) { Handled = true; }

// ---- form reader -----------------------------------------------------------------------------------------

void RegisterSkinListBoxClass()
{
    static const bool done = [] {
        RegisterListBoxClasses();
        using L = TskSkinCustomListBox;
        RegisterClass<TskSkinListBox, TskSkinCustomListBox>("TskSkinListBox");
        RegisterClass<L, TskSkinCustomControl>("TskSkinCustomListBox")
            .Prop("TabWidths", &L::TabWidths)
            .Prop("UseSkinItemHeight", &L::UseSkinItemHeight, &L::SetUseSkinItemHeight, true)
            .Prop("HorizontalExtent", &L::HorizontalExtent, &L::SetHorizontalExtent, false)
            .Prop("Columns", &L::Columns, &L::SetColumns, 0)
            .Prop("RowCount", &L::RowCount, &L::SetRowCount, 0)
            .Prop("Images", &L::Images, &L::SetImages)
            .Prop("ImageIndex", &L::ImageIndex, &L::SetImageIndex, -1)
            .Prop("DefaultItemHeight", &L::DefaultItemHeight, &L::SetDefaultItemHeight, 20)
            .Prop("Items", &L::Items)
            .Prop("ItemIndex", &L::ItemIndex, &L::SetItemIndex, -1)
            .Prop("MultiSelect", &L::MultiSelect, &L::SetMultiSelect, false)
            .Prop("ExtandedSelect", &L::ExtandedSelect, &L::SetExtandedSelect, true)
            .Prop("Sorted", &L::Sorted, &L::SetSorted, false)
            .Prop("ListBoxFont", &L::ListBoxFont)
            .Prop("ListBoxTabOrder", &L::ListBoxTabOrder, &L::SetListBoxTabOrder)
            .Prop("ListBoxTabStop", &L::ListBoxTabStop, &L::SetListBoxTabStop, true)
            .Prop("ListBoxPopupMenu", &L::ListBoxPopupMenu, &L::SetListBoxPopupMenu)
            .Prop("ListBoxDragMode", &L::ListBoxDragMode, &L::SetListBoxDragMode, dmManual)
            .Prop("ListBoxDragKind", &L::ListBoxDragKind, &L::SetListBoxDragKind, dkDrag)
            .Prop("ListBoxDragCursor", &L::ListBoxDragCursor, &L::SetListBoxDragCursor, crDrag)
            .Prop("Glyph", &L::Glyph)
            .Prop("NumGlyphs", &L::NumGlyphs, &L::SetNumGlyphs, 1)
            .Prop("Spacing", &L::Spacing, &L::SetSpacing, 2)
            .Prop("CaptionMode", &L::CaptionMode, &L::SetCaptionMode, false)
            .Prop("DefaultCaptionHeight", &L::DefaultCaptionHeight, &L::SetDefaultCaptionHeight, 20)
            .Prop("DefaultCaptionFont", &L::DefaultCaptionFont)
            .Prop("Alignment", &L::Alignment, &L::SetAlignment, taLeftJustify)
            .Event("OnDrawItem", &L::OnDrawItem)
            .Event("OnListBoxClick", &L::OnListBoxClick)
            .Event("OnListBoxDblClick", &L::OnListBoxDblClick)
            .Event("OnListBoxMouseDown", &L::OnListBoxMouseDown)
            .Event("OnListBoxMouseMove", &L::OnListBoxMouseMove)
            .Event("OnListBoxMouseUp", &L::OnListBoxMouseUp)
            .Event("OnListBoxKeyDown", &L::OnListBoxKeyDown)
            .Event("OnListBoxKeyPress", &L::OnListBoxKeyPress)
            .Event("OnListBoxKeyUp", &L::OnListBoxKeyUp)
            .Event("OnUpButtonClick", &L::OnUpButtonClick)
            .Event("OnDownButtonClick", &L::OnDownButtonClick)
            .Event("OnCheckButtonClick", &L::OnCheckButtonClick)
            .Event("OnListBoxDragDrop", &L::OnListBoxDragDrop)
            .Event("OnListBoxDragOver", &L::OnListBoxDragOver)
            .Event("OnListBoxStartDrag", &L::OnListBoxStartDrag)
            .Event("OnListBoxEndDrag", &L::OnListBoxEndDrag);
        return true;
    }();
    (void)done;
}
