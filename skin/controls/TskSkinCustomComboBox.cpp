#include "skin/controls/TskSkinCustomComboBox.h"

#include <algorithm>

#include "platform/gfx/Text.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TCustomEdit.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/WinApi.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/SkinNinePart.h"
#include "skin/controls/TskComboEditPart.h"
#include "skin/controls/TskCustomEdit.h"
#include "skin/controls/TskPopupListBox.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskDataSkinListBox.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"

namespace {

constexpr std::uint64_t SearchPause = 500;
constexpr std::uint64_t CompletionPause = 200;
// Charsets whose input methods deliver whole words: every key-up there may end a word.
constexpr int ShiftJisCharset = 128;
constexpr int Gb2312Charset = 134;
constexpr int Big5Charset = 136;

int CodePoints(const std::string& S) { return static_cast<int>(Utf8ToChars(S).size()); }

} // namespace

// ---- construction ---------------------------------------------------------------------------------------

TskSkinCustomComboBox::TskSkinCustomComboBox(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetSkinDataName("combobox");
    // No click events of its own: OnClick means "an item was chosen", never "the face was clicked"; and
    // the name of the component must never become its text (that would fire OnChange).
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
    SetTabStop(true);
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    Font()->SetStyle({});
    FListBox = new TskPopupListBox(this);
    FListBox->SetComboBox(this);
    FListBox->ListBox()->SetTabStop(false);
    FListBox->OnListBoxMouseMove = [this](TObject*, TShiftState, int X, int Y) { ListHotTrack(X, Y); };
    FListBox->OnCheckButtonClick = [this](TObject*) { CloseUp(true); };
    SetBounds(Left(), Top(), 120, 20);
    CalcRects();
}

TskSkinCustomComboBox::~TskSkinCustomComboBox()
{
    FAlive.End();
    // Marked first, however it is freed: letting the parts go must not hand the focus or a tab stop back.
    Destroying();
    WatchOutsidePresses(false);
    StopDragScroll();
    if (GetCaptureControl() == this) SetCaptureControl(nullptr);
    FreeEditPart();
    if (FListBox != nullptr) {
        TskPopupListBox* list = FListBox;
        FListBox = nullptr;
        list->SetComboBox(nullptr);
        list->OnListBoxMouseMove = nullptr;
        list->OnCheckButtonClick = nullptr;
        list->OnDrawItem = nullptr;
        list->HidePopupList();
        list->Free();
    }
}

bool TskSkinCustomComboBox::Loading() const { return ComponentState().Contains(csLoading); }

void TskSkinCustomComboBox::Loaded()
{
    TskSkinCustomControl::Loaded();
    if (FLoadedIndex >= 0) {
        // An index stored ahead of its items: taken now, quietly, as it would have been while reading.
        const int index = FLoadedIndex;
        FListBox->SetItemIndex(index);
        const int taken = FListBox->ItemIndex();
        if (taken >= 0 && taken < Items()->Count()) SetText(Items()->Strings(taken));
        FOldItemIndex = taken;
    }
    FLoadedIndex = -2;
    CalcRects();
    Invalidate();
}

// ---- properties -------------------------------------------------------------------------------------------

TStrings* TskSkinCustomComboBox::Items() const { return FListBox->Items(); }

void TskSkinCustomComboBox::SetItems(TStrings* Value)
{
    FListBox->SetItems(Value);
    Invalidate();
}

int TskSkinCustomComboBox::ItemIndex() const { return FListBox->ItemIndex(); }

void TskSkinCustomComboBox::SetItemIndex(int Value)
{
    if (Loading() && Value >= Items()->Count()) {
        FLoadedIndex = Value;
        return;
    }
    FLoadedIndex = -2;
    FListBox->SetItemIndex(Value);
    const int index = FListBox->ItemIndex();
    const auto alive = FAlive.Watch();
    // Only an index the list took for one of its items ever reaches the text.
    if (Items()->Count() > 0 && index >= 0 && index < Items()->Count()) SetText(Items()->Strings(index));
    if (!*alive) return;
    FOldItemIndex = index;
    if (FEditPart == nullptr) Repaint();
    if (Loading() || Designing()) return;
    if (OnClick) OnClick(this);
    if (*alive) Change();
}

void TskSkinCustomComboBox::SetDropDownCount(int Value)
{
    if (Value < 1) return;
    FDropDownCount = Value;
}

void TskSkinCustomComboBox::SetToolButtonStyle(bool Value)
{
    if (Value == FToolButtonStyle) return;
    FToolButtonStyle = Value;
    if (Value) {
        SetStyle(skcbFixedStyle);
        FUseSkinSize = false;
    }
    CalcRects();
    Repaint();
}

void TskSkinCustomComboBox::SetHideSelection(bool Value)
{
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    if (FEditPart != nullptr) EditPart()->SetHideSelection(Value);
}

void TskSkinCustomComboBox::SetCharCase(TEditCharCase Value)
{
    if (Value == FCharCase) return;
    FCharCase = Value;
    if (FEditPart != nullptr) EditPart()->SetCharCase(Value);
}

void TskSkinCustomComboBox::SetDefaultColor(TColor Value)
{
    if (Value == FDefaultColor) return;
    FDefaultColor = Value;
    if (Skinned()) return;
    Invalidate();
    if (FEditPart != nullptr) EditPart()->SetColor(Value);
}

bool TskSkinCustomComboBox::HorizontalExtent() const { return FListBox->HorizontalExtent(); }
void TskSkinCustomComboBox::SetHorizontalExtent(bool Value) { FListBox->SetHorizontalExtent(Value); }
bool TskSkinCustomComboBox::Sorted() const { return FListBox->Sorted(); }
void TskSkinCustomComboBox::SetSorted(bool Value) { FListBox->SetSorted(Value); }
TStrings* TskSkinCustomComboBox::TabWidths() const { return FListBox->TabWidths(); }
void TskSkinCustomComboBox::SetTabWidths(TStrings* Value) { FListBox->SetTabWidths(Value); }
TCustomImageList* TskSkinCustomComboBox::Images() const { return FListBox->Images(); }

void TskSkinCustomComboBox::SetImages(TCustomImageList* Value)
{
    FListBox->SetImages(Value);
    Repaint();
}

int TskSkinCustomComboBox::ImageIndex() const { return FListBox->ImageIndex(); }

void TskSkinCustomComboBox::SetImageIndex(int Value)
{
    FListBox->SetImageIndex(Value);
    Repaint();
}

bool TskSkinCustomComboBox::ListBoxUseSkinItemHeight() const { return FListBox->UseSkinItemHeight(); }
void TskSkinCustomComboBox::SetListBoxUseSkinItemHeight(bool Value) { FListBox->SetUseSkinItemHeight(Value); }
bool TskSkinCustomComboBox::ListBoxUseSkinFont() const { return FListBox->UseSkinFont(); }
void TskSkinCustomComboBox::SetListBoxUseSkinFont(bool Value) { FListBox->SetUseSkinFont(Value); }
TFont* TskSkinCustomComboBox::ListBoxDefaultFont() const { return FListBox->DefaultFont(); }
void TskSkinCustomComboBox::SetListBoxDefaultFont(TFont* Value) { FListBox->SetDefaultFont(Value); }
TFont* TskSkinCustomComboBox::ListBoxDefaultCaptionFont() const { return FListBox->DefaultCaptionFont(); }
void TskSkinCustomComboBox::SetListBoxDefaultCaptionFont(TFont* Value) { FListBox->SetDefaultCaptionFont(Value); }
int TskSkinCustomComboBox::ListBoxDefaultItemHeight() const { return FListBox->DefaultItemHeight(); }
void TskSkinCustomComboBox::SetListBoxDefaultItemHeight(int Value) { FListBox->SetDefaultItemHeight(Value); }
std::string TskSkinCustomComboBox::ListBoxCaption() const { return FListBox->Caption(); }
void TskSkinCustomComboBox::SetListBoxCaption(const std::string& Value) { FListBox->SetCaption(Value); }
bool TskSkinCustomComboBox::ListBoxCaptionMode() const { return FListBox->CaptionMode(); }
void TskSkinCustomComboBox::SetListBoxCaptionMode(bool Value) { FListBox->SetCaptionMode(Value); }
TAlignment TskSkinCustomComboBox::ListBoxCaptionAlignment() const { return FListBox->Alignment(); }
void TskSkinCustomComboBox::SetListBoxCaptionAlignment(TAlignment Value) { FListBox->SetAlignment(Value); }

void TskSkinCustomComboBox::SetOnListBoxDrawItem(TskDrawSkinItemEvent Value)
{
    OnListBoxDrawItem = std::move(Value);
    FListBox->OnDrawItem = OnListBoxDrawItem;
}

// ---- style and edit part ------------------------------------------------------------------------------------

void TskSkinCustomComboBox::SetStyle(TskSkinCustomComboBoxStyle Value)
{
    if (Value == FStyle) {
        if (Designing()) return;
        CalcRects();
        Repaint();
        return;
    }
    FStyle = Value;
    const bool hadFocus = Focused();
    if (Value == skcbEditStyle) {
        if (FEditPart == nullptr) MakeEditPart();
        if (!Designing()) {
            EditPart()->SetTabStop(TabStop());
            if (TabStop()) SetTabStop(false);
        }
        TValueGuard pushing(FEditChanging);
        EditPart()->SetText(Text());
    } else {
        FreeEditPart();
    }
    CalcRects();
    // The two styles are windows of different kinds: the combo box gets a new one (its focus, when it
    // had it, goes to the edit part of the new window).
    RecreateWnd();
    if (hadFocus && FEditPart != nullptr && EditPart()->CanFocus()) EditPart()->SetFocus();
    Repaint();
}

void TskSkinCustomComboBox::MakeEditPart()
{
    FEditPart = std::make_unique<TskComboEditPart>(this, FUseNumEdit,
        [this](TMessage& M, const std::function<void()>& PassOn) { EditWindowProc(M, PassOn); });
    TskCustomEdit* e = FEditPart->Edit();
    FEdit = e;
    e->SetColor(FDefaultColor);
    e->SetHideSelection(FHideSelection);
    e->SetCharCase(FCharCase);
    e->SetVisible(true);
    e->OnChange = [this](TObject*) { EditTextChanged(); };
    e->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
    };
    e->OnKeyPress = [this](TObject*, TKeyChar& Key) {
        if (OnKeyPress) OnKeyPress(this, Key);
    };
    e->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (OnKeyUp) OnKeyUp(this, Key, Shift);
    };
    ApplyEditFont();
}

void TskSkinCustomComboBox::EditGone()
{
    if (FEditPart == nullptr) return;
    FEditPart->EditGone();
    FEditPart.reset();
}

void TskSkinCustomComboBox::FreeEditPart()
{
    if (FEditPart == nullptr) return;
    const bool hadFocus = FEditPart->Edit()->Focused();
    const bool tabStop = FEditPart->Edit()->TabStop();
    FEdit = nullptr;
    FEditPart.reset();
    if (ComponentState().Contains(csDestroying) || Designing()) return;
    // The tab stop the edit part was given comes back, or the combo box could no longer be tabbed to.
    if (tabStop) SetTabStop(true);
    if (hadFocus && CanFocus()) SetFocus();
}

TskCustomEdit* TskSkinCustomComboBox::EditPart() const { return FEditPart != nullptr ? FEditPart->Edit() : nullptr; }

void TskSkinCustomComboBox::ApplyEditFont()
{
    if (FEditPart == nullptr) return;
    TFont* f = EditPart()->Font();
    const TskEntryFont face(FFontName, FFontHeight, FFontStyle);
    const bool skinFace = Skinned() && UseSkinFont();
    SelectEntryFont(f, skinFace ? nullptr : DefaultFont(), skinFace ? &face : nullptr, SkinData(),
        DefaultFont()->Charset());
    if (Skinned()) f->SetColor(FFontColor);
    if (EditPart()->Transparent() != Skinned()) EditPart()->SetTransparent(Skinned());
    if (!Skinned()) EditPart()->SetColor(FDefaultColor);
    ApplyEditFontColor();
    if (FEditPart != nullptr) FEditPart->Place(FItemRect);
}

void TskSkinCustomComboBox::ApplyEditFontColor()
{
    if (FEditPart == nullptr) return;
    TColor c;
    if (!Enabled())
        c = DisabledFontColor();
    else if (!Skinned())
        c = DefaultFont()->Color();
    else if (!IsEmptyRect(FSkinActiveRect) && (EditPart()->Focused() || FMouseInControl))
        c = FActiveFontColor;
    else
        c = FFontColor;
    if (EditPart()->Font()->Color() != c) EditPart()->Font()->SetColor(c);
}

TColor TskSkinCustomComboBox::DisabledFontColor() const
{
    if (SkinLoaded()) {
        const int i = SkinData()->FindControlIndex("edit");
        if (i >= 0 && i < static_cast<int>(SkinData()->ControlDataList.size())) {
            if (auto* e = dynamic_cast<TskDataSkinEditControl*>(SkinData()->ControlDataList[static_cast<std::size_t>(i)].get()))
                return e->DisabledFontColor;
        }
    }
    return clGrayText;
}

// ---- text ---------------------------------------------------------------------------------------------------

void TskSkinCustomComboBox::TextChanged()
{
    if (!FEditChanging && FEditPart != nullptr) {
        // Our own text going into the edit part is not typing: the typed-text handling stays out of it.
        TValueGuard pushing(FEditChanging);
        EditPart()->SetText(Text());
    }
    const auto alive = FAlive.Watch();
    if (OnChange) OnChange(this);
    if (*alive && FEditChanging && FEditTyping) Change();
}

void TskSkinCustomComboBox::EditTextChanged()
{
    if (FEditPart == nullptr || FEditChanging) return;
    TValueGuard changing(FEditChanging);
    TValueGuard typing(FEditTyping);
    const std::string t = EditPart()->Text();
    if (!t.empty()) {
        const int hit = FindPrefix(t, -1);
        if (hit >= 0) {
            if (FAutoComplete)
                FListBox->SetItemIndex(hit);
            else
                FListBox->SetTopIndex(hit);
        }
    }
    SetText(t);
}

// ---- layout -------------------------------------------------------------------------------------------------

void TskSkinCustomComboBox::CalcRects()
{
    const int w = Width();
    const int h = Height();
    if (!Skinned() || FToolButtonStyle) {
        FButtonRect = Rect(w - 19, 2, w - 2, h - 2);
        FItemRect = Rect(2, 2, FButtonRect.Left - 1, h - 2);
    } else {
        const int dx = w - FSkinRect.Width();
        FButtonRect = FSkinButtonRect;
        if (FButtonRect.Left >= FRightTopPoint.X) OffsetRect(FButtonRect, dx, 0);
        FItemRect = FSkinClientRect;
        FItemRect.Right += dx;
        if (!FUseSkinSize) {
            const int dy = h - FSkinRect.Height();
            FButtonRect.Bottom += dy;
            FItemRect.Bottom += dy;
        }
    }
    if (FEditPart != nullptr) FEditPart->Place(FItemRect);
}

void TskSkinCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcRects();
}

void TskSkinCustomComboBox::ComputeSkinSize(int& AWidth, int& AHeight)
{
    if (FUseSkinSize) {
        TskSkinCustomControl::ComputeSkinSize(AWidth, AHeight);
        return;
    }
    // Across only: the right-hand anchors and the client's right edge follow the width; the height is free.
    const int dw = AWidth - FSkinRect.Width();
    FNewLeftTopPoint = FLeftTopPoint;
    FNewLeftBottomPoint = FLeftBottomPoint;
    FNewRightTopPoint = Point(FRightTopPoint.X + dw, FRightTopPoint.Y);
    FNewRightBottomPoint = Point(FRightBottomPoint.X + dw, FRightBottomPoint.Y);
    FNewSkinClientRect = FSkinClientRect;
    FNewSkinClientRect.Right += dw;
}

void TskSkinCustomComboBox::ApplySkinRegion()
{
    if (FUseSkinSize) TskSkinCustomControl::ApplySkinRegion();
}

// ---- skin ---------------------------------------------------------------------------------------------------

void TskSkinCustomComboBox::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    if (!Skinned()) return;
    auto* e = dynamic_cast<TskDataSkinComboBox*>(SkinEntry());
    if (e == nullptr || FPicture == nullptr) {
        // An entry of another kind, or without its picture, cannot paint a combo box: the plain look does.
        FSkinLink.Forget();
        return;
    }
    FSkinActiveRect = e->ActiveSkinRect;
    FActiveFontColor = e->ActiveFontColor;
    FSkinItemRect = e->ItemRect;
    FSkinFocusItemRect = IsEmptyRect(e->FocusItemRect) ? e->ItemRect : e->FocusItemRect;
    FSkinActiveItemRect = e->ActiveItemRect;
    FItemLeftOffset = e->ItemLeftOffset;
    FItemRightOffset = e->ItemRightOffset;
    FItemTextRect = e->ItemTextRect;
    FFontName = e->FontName;
    FFontStyle = e->FontStyle;
    FFontHeight = e->FontHeight;
    FFontColor = e->FontColor;
    FFocusFontColor = e->FocusFontColor;
    FSkinButtonRect = e->ButtonRect;
    FActiveButtonRect = e->ActiveButtonRect;
    FDownButtonRect = e->DownButtonRect;
    FUnEnabledButtonRect = e->UnEnabledButtonRect;
    FListBoxName = e->ListBoxName;
    FItemStretchEffect = e->ItemStretchEffect;
    FFocusItemStretchEffect = e->FocusItemStretchEffect;
    FShowFocus = e->ShowFocus;
}

void TskSkinCustomComboBox::RefreshSkin()
{
    TskSkinCustomControl::RefreshSkin();
    CalcRects();
    ApplyEditFont();
    Repaint();
    FListBox->SetSkinDataName(Skinned() ? FListBoxName : "");
    if (SkinLoaded()) {
        FListBox->SetSkinData(SkinData());
    } else {
        FListBox->SetSkinData(SkinData());
        FListBox->RefreshSkin();
    }
    FListBox->UpdateListScrollBars();
    CalcRects();
    if (FEditPart != nullptr && Skinned()) {
        int w = Width();
        int h = Height();
        ComputeSkinSize(w, h);
        if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
    }
}

void TskSkinCustomComboBox::DefaultFontChanged()
{
    Font()->Assign(DefaultFont());
    if (!Skinned()) ApplyEditFont();
}

void TskSkinCustomComboBox::Invalidate()
{
    TskSkinCustomControl::Invalidate();
    if (Skinned() && FEditPart != nullptr) EditPart()->Invalidate();
}


// ---- painting -----------------------------------------------------------------------------------------------

bool TskSkinCustomComboBox::ActiveLook() const
{
    return FMouseInControl || Focused() || (FEditPart != nullptr && EditPart()->Focused());
}

int TskSkinCustomComboBox::ShownIndex() const
{
    const int index = FDroppedDown ? FOldItemIndex : ItemIndex();
    return index >= 0 && index < Items()->Count() ? index : -1;
}

void TskSkinCustomComboBox::SetItemFont(TCanvas* C) const
{
    const TskEntryFont face(FFontName, FFontHeight, FFontStyle);
    const bool skinFace = Skinned() && UseSkinFont();
    SelectEntryFont(C->Font(), skinFace ? nullptr : DefaultFont(), skinFace ? &face : nullptr, SkinData(),
        DefaultFont()->Charset());
}

TColor TskSkinCustomComboBox::ItemFontColor() const
{
    if (!Enabled()) return DisabledFontColor();
    if (Focused()) return FFocusFontColor;
    if (FMouseInControl && !IsEmptyRect(FSkinActiveRect)) return FActiveFontColor;
    return FFontColor;
}

void TskSkinCustomComboBox::DrawItemOnFace(TCanvas* C, const TRect& TextRect, bool Focused)
{
    const int index = ShownIndex();
    if (index < 0) return;
    if (OnComboBoxDrawItem) {
        TOwnerDrawState state;
        state.Include(odComboBoxEdit);
        if (Focused) state.Include(odFocused).Include(odSelected);
        OnComboBoxDrawItem(C, index, TextRect.Width(), TextRect.Height(), TextRect, state);
        return;
    }
    if (Focused && FShowFocus && Skinned()) C->DrawFocusRect(TextRect);
    C->Brush()->SetStyle(bsClear);
    int left = TextRect.Left;
    TCustomImageList* images = Images();
    const int image = ImageIndex() >= 0 ? ImageIndex() : index;
    if (images != nullptr && image < images->Count()) {
        images->Draw(C, left, TextRect.Top + (TextRect.Height() - images->Height()) / 2, image, Enabled());
        left += images->Width() + 2;
    }
    const std::string text = Items()->Strings(index);
    if (text.empty()) return;
    const TRect r = Rect(left, TextRect.Top, TextRect.Right, TextRect.Bottom);
    int stops[MaxTabStops];
    const int n = ParseTabStops(TabWidths(), stops);
    if (n == 0) {
        DrawTextRectVCenter(C, text, r);
        return;
    }
    const HDC dc = C->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    const int y = r.Top + (r.Height() - C->TextHeight(text)) / 2;
    TabbedTextOut(dc, r.Left + 2, y, text, n, stops, r.Left + 2);
    RestoreDC(dc, saved);
}

void TskSkinCustomComboBox::DrawDefaultButton(TCanvas* C, const TRect& R)
{
    if (FButtonDown && FButtonActive)
        FillFramed(C, R, SkinNavyFrame, SkinPressedFill);
    else if (FButtonActive)
        FillFramed(C, R, SkinNavyFrame, SkinHotFill);
    else
        FillFramed(C, R, clBtnShadow, clBtnFace);
    DrawArrowImage(C, R, Enabled() ? clBlack : clBtnShadow, 4);
}

void TskSkinCustomComboBox::DrawDefaultImage(TBitmap* B)
{
    if (FToolButtonStyle) {
        DrawToolButtonFace(B);
        return;
    }
    TCanvas* c = B->Canvas();
    const int w = B->Width();
    const int h = B->Height();
    FillFramed(c, Rect(0, 0, w, h), clBtnShadow, clBtnFace);
    c->Brush()->SetColor(FDefaultColor);
    c->FillRect(Rect(1, 1, w - 1, h - 1));
    DrawDefaultButton(c, FButtonRect);
    if (FEditPart != nullptr || IsEmptyRect(FItemRect)) return;
    const bool focused = Focused();
    TBitmap item(FItemRect.Width(), FItemRect.Height());
    TCanvas* ic = item.Canvas();
    ic->Brush()->SetStyle(bsSolid);
    ic->Brush()->SetColor(focused ? clHighlight : FDefaultColor);
    ic->FillRect(Rect(0, 0, item.Width(), item.Height()));
    SetItemFont(ic);
    ic->Font()->SetColor(!Enabled() ? clGrayText : (focused ? clHighlightText : DefaultFont()->Color()));
    DrawItemOnFace(ic, Rect(0, 0, item.Width(), item.Height()), focused);
    c->Draw(FItemRect.Left, FItemRect.Top, &item);
}

void TskSkinCustomComboBox::DrawSkinImage(TBitmap* B)
{
    if (FToolButtonStyle) {
        DrawToolButtonFace(B);
        return;
    }
    TBitmap& face = SkinFace();
    B->SetSize(face.Width(), face.Height());
    BitBlt(B->Canvas()->Handle(), 0, 0, face.Width(), face.Height(), face.Canvas()->Handle(), 0, 0, SRCCOPY);
    if (FEditPart == nullptr) DrawSkinItem(B->Canvas());
}

bool TskSkinCustomComboBox::DrawSkinImageOnCanvas()
{
    if (FToolButtonStyle) return false;
    TBitmap& face = SkinFace();
    // A face of another size, or an item reaching past it, shows only as far as a picture of the face's
    // size holds it: that is left to the picture of the control's own.
    const TRect whole = Rect(0, 0, Width(), Height());
    TRect inside;
    if (face.Width() != Width() || face.Height() != Height()) return false;
    if (FEditPart == nullptr && !IsEmptyRect(FItemRect) && (!IntersectRect(inside, FItemRect, whole) || inside != FItemRect))
        return false;
    TCanvas* c = Canvas();
    BitBlt(c->Handle(), 0, 0, face.Width(), face.Height(), face.Canvas()->Handle(), 0, 0, SRCCOPY);
    if (FEditPart == nullptr) DrawSkinItem(c);
    return true;
}

TBitmap& TskSkinCustomComboBox::SkinFace()
{
    const bool active = ActiveLook() && !IsEmptyRect(FSkinActiveRect);
    TFaceKey key;
    key.Generation = SkinData() != nullptr ? SkinData()->Generation() : 0;
    key.Picture = FPicture;
    key.Source = active ? FSkinActiveRect : FSkinRect;
    key.Button = FButtonRect;
    key.Width = Width();
    key.Height = Height();
    key.State = (active ? 1 : 0) | (FUseSkinSize ? 2 : 0) | (FButtonDown ? 4 : 0) | (FButtonActive ? 8 : 0) | (Enabled() ? 16 : 0);
    return FFaceLook.Get(typeid(*this), key, [&](TBitmap* F) {
        F->SetSize(Width(), Height());
        DrawSkinFace(F, active);
    });
}

void TskSkinCustomComboBox::DrawSkinFace(TBitmap* B, bool Active)
{
    if (FUseSkinSize) {
        if (Active)
            CreateHSkinImage(FLeftTopPoint.X, FSkinRect.Width() - FRightTopPoint.X, B, FPicture, FSkinActiveRect, Width(),
                Height(), FStretchEffect);
        else
            TskSkinCustomControl::DrawSkinImage(B);
    } else {
        B->SetSize(Width(), Height());
        CreateStretchSkinImage(B, FPicture, Active ? FSkinActiveRect : FSkinRect, FSkinClientRect, true);
    }
    DrawSkinButton(B);
}

void TskSkinCustomComboBox::DrawSkinButton(TBitmap* B)
{
    if (!FUseSkinSize && !IsEmptyRect(FButtonRect)) {
        // A face stretched both ways cannot hold the entry's own button picture: a button entry is
        // composed at the button's size instead, with the arrow in its font colour.
        const bool down = FButtonDown && FButtonActive;
        TBitmap button(FButtonRect.Width(), FButtonRect.Height());
        TColor arrow = 0;
        if (ComposeButtonEntry({"combobutton", "editbutton", "resizebutton"}, &button, down, FButtonActive, arrow)) {
            TRect r = Rect(0, 0, button.Width(), button.Height());
            if (down) OffsetRect(r, 0, 2);
            DrawArrowImage(button.Canvas(), r, Enabled() ? arrow : DisabledFontColor(), 4);
            B->Canvas()->Draw(FButtonRect.Left, FButtonRect.Top, &button);
            return;
        }
    }
    TRect source;
    if (!Enabled())
        source = FUnEnabledButtonRect;
    else if (FButtonDown && FButtonActive)
        source = FDownButtonRect;
    else if (FButtonActive)
        source = FActiveButtonRect;
    // The resting button is part of the face picture already; an empty state picture leaves it so.
    if (IsEmptyRect(source) || IsEmptyRect(FButtonRect)) return;
    B->Canvas()->CopyRect(FButtonRect, FPicture->Canvas(), source);
}

void TskSkinCustomComboBox::DrawSkinItem(TCanvas* C)
{
    if (IsEmptyRect(FItemRect)) return;
    const int w = FItemRect.Width();
    const int h = FItemRect.Height();
    const bool focused = Focused();
    TRect piece;
    bool stretch;
    if (focused) {
        piece = FSkinFocusItemRect;
        stretch = FFocusItemStretchEffect;
    } else if (FMouseInControl && !IsEmptyRect(FSkinActiveRect) && !IsEmptyRect(FSkinActiveItemRect)) {
        piece = FSkinActiveItemRect;
        stretch = FItemStretchEffect;
    } else {
        piece = FSkinItemRect;
        stretch = FItemStretchEffect;
    }
    TBitmap item(w, h);
    // What the face shows under the item stays where the entry has no item picture.
    item.Canvas()->CopyRect(Rect(0, 0, w, h), C, FItemRect);
    if (!IsEmptyRect(piece)) {
        if (FUseSkinSize) {
            CreateHSkinImage(FItemLeftOffset, FItemRightOffset, &item, FPicture, piece, w, h, stretch);
        } else {
            TRect middle = FItemTextRect;
            InflateRect(middle, -1, -1);
            CreateStretchSkinImage(&item, FPicture, piece, middle, true);
        }
    }
    TRect text = FItemTextRect;
    text.Right += w - FSkinItemRect.Width();
    if (!FUseSkinSize) text.Bottom += h - FSkinItemRect.Height();
    TCanvas* c = item.Canvas();
    SetItemFont(c);
    c->Font()->SetColor(ItemFontColor());
    DrawItemOnFace(c, text, focused);
    C->Draw(FItemRect.Left, FItemRect.Top, &item);
}

bool TskSkinCustomComboBox::ComposeButtonEntry(std::initializer_list<const char*> Names, TBitmap* B, bool Down,
    bool Hot, TColor& TextColor)
{
    TskSkinData* skin = SkinData();
    if (skin == nullptr) return false;
    TskDataSkinButtonControl* e = nullptr;
    for (const char* name : Names) {
        const int index = skin->FindControlIndex(name);
        if (index < 0 || index >= static_cast<int>(skin->ControlDataList.size())) continue;
        e = dynamic_cast<TskDataSkinButtonControl*>(skin->ControlDataList[static_cast<std::size_t>(index)].get());
        if (e != nullptr) break;
    }
    TBitmap* picture = e != nullptr ? SkinPicture(e->PictureIndex) : nullptr;
    if (picture == nullptr || IsEmptyRect(e->SkinRect)) return false;
    TRect r = Down ? e->DownSkinRect : (Hot ? e->ActiveSkinRect : e->SkinRect);
    if (IsEmptyRect(r)) r = e->SkinRect;
    CreateEntrySkinImage(B, picture, *e, r, B->Width(), B->Height());
    TextColor = Down ? e->DownFontColor : (Hot ? e->ActiveFontColor : e->FontColor);
    return true;
}

void TskSkinCustomComboBox::DrawToolButtonFace(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect all = Rect(0, 0, B->Width(), B->Height());
    const bool hot = FMouseInControl || Focused();
    TColor textColor = DefaultFont()->Color();
    if (Skinned()) {
        // With neither entry the face is left as it is.
        if (!ComposeButtonEntry({"resizetoolbutton", "resizebutton"}, B, FDroppedDown, hot, textColor)) return;
    } else if (FDroppedDown) {
        FillFramed(c, all, SkinNavyFrame, SkinPressedFill);
    } else if (hot) {
        FillFramed(c, all, SkinNavyFrame, SkinHotFill);
    } else {
        FillFramed(c, all, clBtnShadow, clBtnFace);
    }
    if (!Enabled()) textColor = DisabledFontColor();
    DrawArrowImage(c, FButtonRect, Enabled() ? textColor : clBtnShadow, 4);
    if (IsEmptyRect(FItemRect)) return;
    TRect text = FItemRect;
    if (FDroppedDown) OffsetRect(text, 2, 2);
    SetItemFont(c);
    c->Font()->SetColor(textColor);
    DrawItemOnFace(c, text, false);
}

// ---- the drop-down ------------------------------------------------------------------------------------------

void TskSkinCustomComboBox::DropDownList()
{
    // A list for a combo box nobody can see would hang in the air with nothing to close it.
    if (Items()->Count() == 0 || FDroppedDown || !Showing()) return;
    FListTracking = false;
    StopDragScroll();
    const auto alive = FAlive.Watch();
    if (OnDropDown) OnDropDown(this);
    // The handler may have freed the box, or emptied the list.
    if (!*alive || Items()->Count() == 0) return;
    const int width = FListBoxWidth > 0 ? FListBoxWidth : Width();
    const int rows = std::min(Items()->Count(), FDropDownCount);
    FListBox->OnDrawItem = OnListBoxDrawItem;
    FListBox->SetBounds(FListBox->Left(), FListBox->Top(), width, FListBox->CalcHeight(rows));
    TPoint p = ClientToScreen(Point(0, Height()));
    TRect work;
    GetMonitorWorkArea(FHandle, true, work);
    if (p.Y + FListBox->Height() > work.Bottom) p.Y = ClientToScreen(Point(0, 0)).Y - FListBox->Height();
    if (FEditPart != nullptr && EditPart()->CanFocus() && !EditPart()->Focused()) EditPart()->SetFocus();
    FOldItemIndex = FListBox->ItemIndex();
    if (FOldItemIndex == 0 && Items()->Count() >= 2) {
        // Set afresh, through another item, so that the list draws its first item selected when it shows.
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FDroppedDown = true;
    Repaint();
    if (FListBox->ItemIndex() >= 0) FListBox->SetTopIndex(FListBox->ItemIndex());
    FListBox->ShowPopupList(p);
    WatchOutsidePresses(true);
}

void TskSkinCustomComboBox::CloseUp(bool AcceptChanges)
{
    if (FListBox == nullptr || (!FDroppedDown && !FListBox->Visible())) return;
    StopDragScroll();
    WatchOutsidePresses(false);
    FListBox->HidePopupList();
    // Closed first: what the events below do must find the list shut.
    FDroppedDown = false;
    const int index = FListBox->ItemIndex();
    const auto alive = FAlive.Watch();
    if (AcceptChanges && index >= 0 && index < Items()->Count()) {
        const std::string item = Items()->Strings(index);
        if (FEditPart != nullptr) {
            EditPart()->SetText(item);
            if (!*alive) return;
            if (FEditPart != nullptr) EditPart()->SelectAll();
        } else {
            SetText(item);
            if (!*alive) return;
            Repaint();
        }
        if (OnClick) OnClick(this);
        if (!*alive) return;
        Change();
        if (!*alive) return;
    } else {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    Repaint();
    if (AcceptChanges && OnCloseUp) OnCloseUp(this);
}

void TskSkinCustomComboBox::ListHotTrack(int X, int Y)
{
    if (!FDroppedDown) return;
    const int index = FListBox->ItemAtPos(Point(X, Y), true);
    if (index >= 0 && index < Items()->Count() && index != FListBox->ItemIndex()) FListBox->SetItemIndex(index);
}

void TskSkinCustomComboBox::ListWindowProc(TMessage& Message, bool& Handled)
{
    Handled = true;
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The combo box takes the mouse: the button-up decides on accepting, wherever it happens.
        Handled = false;
        FMousePressed = true;
        FListTracking = true;
        SetCaptureControl(this);
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        Handled = false;
        return;
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        Handled = false;
        return;
    default:
        return;
    }
}

void TskSkinCustomComboBox::StopDragScroll()
{
    if (FScrollMode == 0) return;
    FScrollMode = 0;
    if (HandleAllocated()) KillTimer(FHandle, DragScrollTimer);
}

void TskSkinCustomComboBox::DragScrollTick()
{
    if (!FDroppedDown) {
        StopDragScroll();
        return;
    }
    const int index = FListBox->ItemIndex();
    if (FScrollMode == 1 && index > 0)
        FListBox->SetItemIndex(index - 1);
    else if (FScrollMode == 2 && index < Items()->Count() - 1)
        FListBox->SetItemIndex(index + 1);
}

bool TskSkinCustomComboBox::IsOwnPart(HWND Wnd) const
{
    if (Wnd == 0) return false;
    if (HandleAllocated() && Wnd == FHandle) return true;
    if (FListBox == nullptr) return false;
    if (FListBox->HandleAllocated() && Wnd == FListBox->Handle()) return true;
    if (FListBox->ListBox() != nullptr && FListBox->ListBox()->HandleAllocated() && Wnd == FListBox->ListBox()->Handle()) return true;
    for (TskSkinScrollBar* bar : {FListBox->VScrollBar(), FListBox->HScrollBar()})
        if (bar != nullptr && bar->HandleAllocated() && Wnd == bar->Handle()) return true;
    return false;
}

void TskSkinCustomComboBox::WatchOutsidePresses(bool On)
{
    if (On == (FPressWatch != 0)) return;
    if (!On) {
        RemoveMessageHook(FPressWatch);
        FPressWatch = 0;
        return;
    }
    // A press on any other control cancels the open list, as the cancel-mode notification a pressed
    // control sends would. The window layer sends none, so the combo box watches the presses itself and
    // closes afterwards, by a message, never from inside the queue's own retrieval.
    FPressWatch = AddMessageHook([this](TMsg& M) {
        if (!IsMouseButtonPress(M.message)) return false;
        if (!FDroppedDown || !HandleAllocated() || M.hwnd == FHandle || IsChild(FHandle, M.hwnd)) return false;
        if (FListBox->HandleAllocated() && GetAncestorRoot(M.hwnd) == FListBox->Handle()) return false;
        PostMessage(FHandle, WM_CANCELDROPDOWN, 0, 0);
        return false;
    });
}

void TskSkinCustomComboBox::CancelFrom(TControl* Sender)
{
    if (!FDroppedDown) return;
    if (auto* w = dynamic_cast<TWinControl*>(Sender); w != nullptr && w->HandleAllocated() && IsOwnPart(w->Handle())) return;
    if (Sender == this || Sender == FListBox) return;
    CloseUp(false);
}

// ---- mouse ----------------------------------------------------------------------------------------------------

void TskSkinCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The handler may free the box.
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive) return;
    if (FEditPart == nullptr) TakeFocusOnPress();
    if (Button != mbLeft) return;
    const TPoint p = Point(X, Y);
    const bool onButton = FButtonRect.Contains(p);
    if (!onButton && (!FItemRect.Contains(p) || FEditPart != nullptr) && !FToolButtonStyle) {
        if (FDroppedDown) CloseUp(false);
        return;
    }
    FButtonDown = true;
    FButtonActive = onButton || FButtonActive;
    Repaint();
    if (FDroppedDown) {
        CloseUp(false);
        return;
    }
    FListTracking = false;
    FMousePressed = true;
    DropDownList();
}

void TskSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (!*alive) return;
    if (!FMousePressed) {
        const bool active = FButtonRect.Contains(Point(X, Y));
        if (active != FButtonActive) {
            FButtonActive = active;
            Repaint();
        }
        return;
    }
    if (!FDroppedDown || FListBox->ListBox() == nullptr) return;
    TskListBox* inner = FListBox->ListBox();
    const TPoint p = inner->ScreenToClient(ClientToScreen(Point(X, Y)));
    if (p.Y < 0 || p.Y >= inner->Height()) {
        if (FListBox->VScrollBar() == nullptr || !FListTracking) return;
        const int mode = p.Y < 0 ? 1 : 2;
        if (mode == FScrollMode) return;
        FScrollMode = mode;
        SetTimer(Handle(), DragScrollTimer, DragScrollInterval);
        return;
    }
    StopDragScroll();
    inner->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(1, p.Y));
    FListTracking = true;
}

void TskSkinCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft) return;
    if (FMousePressed && FListTracking) {
        StopDragScroll();
        if (GetCaptureControl() == this) SetCaptureControl(nullptr);
        if (GetCapture() == FHandle && FHandle != 0) ReleaseCapture();
        FMousePressed = false;
        TskListBox* inner = FListBox->ListBox();
        const HWND under = WindowFromPoint(GetCursorPos());
        // What the choice fires may free the box.
        CloseUp(inner != nullptr && inner->HandleAllocated() && under == inner->Handle());
        if (!*alive) return;
    }
    FMousePressed = false;
    if (FButtonDown) {
        FButtonDown = false;
        Repaint();
    }
}

void TskSkinCustomComboBox::MouseEntered()
{
    if (FMouseInControl) return;
    FMouseInControl = true;
    ApplyEditFontColor();
    if (!IsEmptyRect(FSkinActiveRect) || FToolButtonStyle) Invalidate();
}

void TskSkinCustomComboBox::MouseLeft()
{
    if (!FMouseInControl) return;
    FMouseInControl = false;
    ApplyEditFontColor();
    const bool wasActive = FButtonActive;
    FButtonActive = false;
    if (wasActive || !IsEmptyRect(FSkinActiveRect) || FToolButtonStyle) Invalidate();
}

// ---- keys -----------------------------------------------------------------------------------------------------

void TskSkinCustomComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (!*alive || Key == 0 || FEditPart != nullptr) return;
    const bool alt = Shift.Contains(ssAlt);
    switch (Key) {
    case VK_RETURN:
        if (FDroppedDown) {
            CloseUp(true);
            Key = 0;
        }
        break;
    case VK_ESCAPE:
        if (FDroppedDown) {
            CloseUp(false);
            Key = 0;
        }
        break;
    // Up a page goes one row further than the list shows, down a page one row less; a page that
    // stays on the current item still sets it, so its click and change are told again.
    case VK_PRIOR:
        SetItemIndex(std::max(ItemIndex() - FDropDownCount - 1, 0));
        Key = 0;
        break;
    case VK_NEXT:
        SetItemIndex(std::min(ItemIndex() + FDropDownCount - 1, Items()->Count() - 1));
        Key = 0;
        break;
    case VK_LEFT:
    case VK_UP:
        if (alt) {
            if (FDroppedDown) CloseUp(false);
        } else if (ItemIndex() > 0) {
            SetItemIndex(ItemIndex() - 1);
        }
        Key = 0;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (alt) {
            if (!FDroppedDown) DropDownList();
        } else if (ItemIndex() < Items()->Count() - 1) {
            SetItemIndex(ItemIndex() + 1);
        }
        Key = 0;
        break;
    default:
        break;
    }
}

void TskSkinCustomComboBox::KeyPress(TKeyChar& Key)
{
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::KeyPress(Key);
    if (!*alive || Key < 32 || FEditPart != nullptr) return;
    IncrementalSearch(Key);
}

int TskSkinCustomComboBox::FindPrefix(const std::string& Text, int StartAfter) const
{
    const int n = Items()->Count();
    if (n == 0 || Text.empty()) return -1;
    if (StartAfter < -1 || StartAfter >= n) StartAfter = -1;
    const std::string wanted = AnsiLowerCase(Text);
    for (int i = 1; i <= n; ++i) {
        const int index = (StartAfter + i) % n;
        if (AnsiLowerCase(Items()->Strings(index)).compare(0, wanted.size(), wanted) == 0) return index;
    }
    return -1;
}

void TskSkinCustomComboBox::IncrementalSearch(TKeyChar Key)
{
    const std::uint64_t now = WinClockNow();
    const std::string typed = CharsToUtf8(std::u32string(1, Key));
    if (FAutoComplete && now - FLastKeyTime < SearchPause)
        FSearchText += typed;
    else
        FSearchText = typed;
    FLastKeyTime = now;
    const int found = FindPrefix(FSearchText, CodePoints(FSearchText) == 1 ? ItemIndex() : -1);
    if (found >= 0) SetItemIndex(found);
}

// ---- edit part ------------------------------------------------------------------------------------------------

void TskSkinCustomComboBox::EditUp(bool AChange) { EditStep(-1, AChange); }

void TskSkinCustomComboBox::EditDown(bool AChange) { EditStep(1, AChange); }

void TskSkinCustomComboBox::EditStep(int Delta, bool AChange)
{
    const int index = FListBox->ItemIndex() + Delta;
    if (index < 0 || index >= Items()->Count()) return;
    FListBox->SetItemIndex(index);
    if (!AChange) return;
    const auto alive = FAlive.Watch();
    SetText(Items()->Strings(index));
    if (!*alive) return;
    if (FEditPart != nullptr) EditPart()->SelectAll();
    if (OnClick) OnClick(this);
}

bool TskSkinCustomComboBox::InCJKCharset() const
{
    const int charset = SkinTextCharset(SkinData(), DefaultFont()->Charset());
    return charset == ShiftJisCharset || charset == Gb2312Charset || charset == Big5Charset;
}

void TskSkinCustomComboBox::EditCompletion()
{
    if (FEditPart == nullptr) return;
    const std::uint64_t now = WinClockNow();
    if (FCompletionDone && now - FLastCompletionTime < CompletionPause) return;
    FLastCompletionTime = now;
    FCompletionDone = true;
    const std::string typed = EditPart()->Text();
    if (typed.empty()) return;
    const int typedLength = CodePoints(typed);
    // One letter looks on from the present item, the present one included: the item the typing has
    // just chosen is the one to complete, not the next one with the same letter.
    const int start = typedLength == 1 ? ItemIndex() - 1 : -1;
    const int found = FindPrefix(typed, start);
    if (found < 0) return;
    SetItemIndex(found);
    if (FEditPart == nullptr) return;
    const int total = EditPart()->GetTextLen();
    EditPart()->SetSelStart(std::min(typedLength, total));
    EditPart()->SetSelLength(std::max(0, total - typedLength));
}

void TskSkinCustomComboBox::EditWindowProc(TMessage& Message, const std::function<void()>& PassOn)
{
    // A handler run from here may let the edit part go: PassOn then reaches nothing of it.
    TskCustomEdit* edit = EditPart();
    const auto& passOn = PassOn;
    switch (Message.Msg) {
    case WM_KEYDOWN: {
        const WORD key = static_cast<WORD>(Message.WParam);
        if (FDroppedDown) {
            switch (key) {
            case VK_RETURN:
            case VK_ESCAPE:
                CloseUp(key == VK_RETURN);
                // Its character would otherwise reach the form's default or cancel button as well.
                FEatEditChar = true;
                return;
            case VK_PRIOR:
            case VK_NEXT: {
                const int page = std::max(1, FDropDownCount - 1);
                const int last = Items()->Count() - 1;
                const int index = FListBox->ItemIndex();
                FListBox->SetItemIndex(std::clamp(key == VK_PRIOR ? index - page : index + page, 0, std::max(0, last)));
                return;
            }
            default:
                break;
            }
        }
        if (key == VK_UP) {
            EditUp(true);
            return;
        }
        if (key == VK_DOWN) {
            EditDown(true);
            return;
        }
        break;
    }
    case WM_CHAR:
        if (FEatEditChar && (Message.WParam == 13 || Message.WParam == 27)) {
            FEatEditChar = false;
            return;
        }
        FEatEditChar = false;
        break;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(Message.WParam));
        if (delta < 0)
            EditDown(!FDroppedDown);
        else if (delta > 0)
            EditUp(!FDroppedDown);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (FDroppedDown) CloseUp(false);
        break;
    case WM_SETFOCUS:
        passOn();
        ApplyEditFontColor();
        Invalidate();
        return;
    case WM_KILLFOCUS:
        passOn();
        if (FDroppedDown) CloseUp(false);
        ApplyEditFontColor();
        Invalidate();
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const WORD key = static_cast<WORD>(Message.WParam);
        bool complete;
        if (InCJKCharset()) {
            if (key != VK_DELETE && key != VK_BACK && edit != nullptr) edit->SetSelLength(0);
            complete = true;
        } else {
            complete = Message.Msg == WM_KEYUP && key > 47;
        }
        passOn();
        if (complete && FAutoComplete) EditCompletion();
        return;
    }
    case CM_MOUSEENTER:
        passOn();
        MouseEntered();
        return;
    case CM_MOUSELEAVE:
        passOn();
        if (GetMouseControl() != this) MouseLeft();
        return;
    case CM_CANCELMODE:
        passOn();
        CancelFrom(reinterpret_cast<TControl*>(Message.LParam));
        return;
    default:
        break;
    }
    passOn();
}

// ---- messages -------------------------------------------------------------------------------------------------

void TskSkinCustomComboBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: {
        // The edit part goes into the same device context at its place, so face and text never show
        // apart; not when the edit part itself asks for the face under it (a copy of the background).
        const bool withEdit = !FInPaint && Message.WParam != 0 && !ControlState().Contains(csPaintCopy);
        PaintOnErase(Message);
        if (withEdit && FEditPart != nullptr && EditPart()->Visible())
            EditPart()->PaintTo(reinterpret_cast<HDC>(Message.WParam), EditPart()->Left(), EditPart()->Top());
        return;
    }
    case WM_GETDLGCODE:
        // The arrows are ours; Enter and Escape only while the list is open (then they close it).
        Message.Result = DLGC_WANTARROWS | (FDroppedDown ? DLGC_WANTALLKEYS : 0);
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(Message);
        TextChanged();
        return;
    case WM_TIMER:
        if (Message.WParam == DragScrollTimer) {
            DragScrollTick();
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        if (FEditPart == nullptr) {
            const int delta = static_cast<short>(HIWORD(Message.WParam));
            const int index = ItemIndex();
            const int next = delta < 0 ? index + 1 : index - 1;
            if (delta != 0 && next >= 0 && next < Items()->Count()) {
                if (FDroppedDown)
                    FListBox->SetItemIndex(next);
                else
                    SetItemIndex(next);
            }
            Message.Result = 1;
            return;
        }
        break;
    case WM_SETFOCUS:
        TskSkinCustomControl::WndProc(Message);
        if (FEditPart != nullptr && EditPart()->CanFocus())
            EditPart()->SetFocus();
        else
            Repaint();
        return;
    case WM_KILLFOCUS:
        TskSkinCustomControl::WndProc(Message);
        if (FEditPart == nullptr && FDroppedDown) CloseUp(false);
        Repaint();
        return;
    case CM_MOUSEENTER:
        TskSkinCustomControl::WndProc(Message);
        MouseEntered();
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(Message);
        // Onto the edit part is still over the combo box.
        if (FEditPart == nullptr || GetMouseControl() != EditPart()) MouseLeft();
        return;
    case CM_CANCELMODE:
        TskSkinCustomControl::WndProc(Message);
        CancelFrom(reinterpret_cast<TControl*>(Message.LParam));
        return;
    case CM_ENABLEDCHANGED:
        // A list left open over a control that can no longer be used could never be closed by it.
        if (!Enabled() && FDroppedDown) CloseUp(false);
        TskSkinCustomControl::WndProc(Message);
        ApplyEditFontColor();
        Repaint();
        return;
    case CM_VISIBLECHANGED:
        if (!Visible() && FDroppedDown) CloseUp(false);
        break;
    case WM_CANCELDROPDOWN:
        if (FDroppedDown) CloseUp(false);
        return;
    case WM_DESTROY:
        StopDragScroll();
        if (FDroppedDown) CloseUp(false);
        break;
    default:
        break;
    }
    TskSkinCustomControl::WndProc(Message);
}

// ---- form reader ----------------------------------------------------------------------------------------------

void RegisterSkinComboBoxClass()
{
    static const bool done = [] {
        RegisterSkinListBoxClass();
        RegisterEnum<TskSkinCustomComboBoxStyle>({"skcbEditStyle", "skcbFixedStyle"});
        using C = TskSkinCustomComboBox;
        RegisterClass<C, TskSkinCustomControl>("TskSkinCustomComboBox")
            .Prop("UseSkinSize", &C::UseSkinSize, &C::SetUseSkinSize, true)
            .Prop("ToolButtonStyle", &C::ToolButtonStyle, &C::SetToolButtonStyle, false)
            .Prop("HideSelection", &C::HideSelection, &C::SetHideSelection, true)
            .Prop("AutoComplete", &C::AutoComplete, &C::SetAutoComplete, true)
            .Prop("HorizontalExtent", &C::HorizontalExtent, &C::SetHorizontalExtent, false)
            .Prop("Sorted", &C::Sorted, &C::SetSorted, false)
            .Prop("TabWidths", &C::TabWidths)
            .Prop("Images", &C::Images, &C::SetImages)
            .Prop("ImageIndex", &C::ImageIndex, &C::SetImageIndex, -1)
            .Prop("ListBoxUseSkinItemHeight", &C::ListBoxUseSkinItemHeight, &C::SetListBoxUseSkinItemHeight, true)
            .Prop("ListBoxUseSkinFont", &C::ListBoxUseSkinFont, &C::SetListBoxUseSkinFont, true)
            .Prop("ListBoxDefaultFont", &C::ListBoxDefaultFont)
            .Prop("ListBoxDefaultCaptionFont", &C::ListBoxDefaultCaptionFont)
            .Prop("ListBoxDefaultItemHeight", &C::ListBoxDefaultItemHeight, &C::SetListBoxDefaultItemHeight, 20)
            .Prop("ListBoxCaption", &C::ListBoxCaption, &C::SetListBoxCaption)
            .Prop("ListBoxCaptionMode", &C::ListBoxCaptionMode, &C::SetListBoxCaptionMode, false)
            .Prop("ListBoxCaptionAlignment", &C::ListBoxCaptionAlignment, &C::SetListBoxCaptionAlignment, taLeftJustify)
            .Prop("ListBoxAlphaBlend", &C::ListBoxAlphaBlend, &C::SetListBoxAlphaBlend, false)
            .Prop("ListBoxAlphaBlendAnimation", &C::ListBoxAlphaBlendAnimation, &C::SetListBoxAlphaBlendAnimation, false)
            .Prop("ListBoxAlphaBlendValue", &C::ListBoxAlphaBlendValue, &C::SetListBoxAlphaBlendValue, 200)
            .Prop("ListBoxWidth", &C::ListBoxWidth, &C::SetListBoxWidth, 0)
            .Prop("CharCase", &C::CharCase, &C::SetCharCase, ecNormal)
            .Prop("DefaultColor", &C::DefaultColor, &C::SetDefaultColor)
            .Prop("Items", &C::Items)
            .Prop("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1)
            .Prop("DropDownCount", &C::DropDownCount, &C::SetDropDownCount, 8)
            .Prop("Style", &C::Style, &C::SetStyle, skcbFixedStyle)
            .Event("OnListBoxDrawItem", &C::OnListBoxDrawItem)
            .Event("OnComboBoxDrawItem", &C::OnComboBoxDrawItem)
            .Event("OnChange", &C::OnChange)
            .Event("OnCloseUp", &C::OnCloseUp)
            .Event("OnDropDown", &C::OnDropDown);
        RegisterClass<TskSkinComboBox, C>("TskSkinComboBox");
        return true;
    }();
    (void)done;
}
