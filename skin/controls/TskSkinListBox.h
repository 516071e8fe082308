#pragma once
// The skinned list box: a frame painted from the skin entry "listbox" that holds an inner owner-drawn
// list (TskListBox) and up to two skinned scroll bars, made only while the items do not fit and freed
// as soon as they fit again. The inner list paints every item itself from the same entry and hands
// its mouse, key, click and focus news to the frame through virtual operations, so that the combo
// box's drop-down and the file lists can take them over. An optional caption strip with up, down and
// check buttons sits above the list (TskSkinListBoxCaption).
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/TStringList.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TCustomListBox.h"
#include "skin/controls/TskSkinControl.h"

class TskSkinCustomListBox;
class TskSkinListBoxCaption;
class TskSkinScrollBar;
class TCustomImageList;
class TPopupMenu;

// Owner drawing of one item of a skinned list or combo box: the item's picture is already in Cnvs
// (ItemWidth x ItemHeight), TxtRect is where the text belongs.
using TskDrawSkinItemEvent = std::function<void(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight,
    TRect TxtRect, TOwnerDrawState State)>;

// The list inside the frame: no border, no native bars, and every item drawn by the frame.
class TskListBox : public TListBox {
public:
    explicit TskListBox(TComponent* AOwner);
    ~TskListBox() override;

    TskSkinCustomListBox* SkinListBox() const { return FSkinListBox; }
    void SetSkinListBox(TskSkinCustomListBox* Value) { FSkinListBox = Value; }
    // How far item text and images are shifted left (the horizontal bar's position).
    int HorizontalOffset() const { return FHorizontalOffset; }
    void SetHorizontalOffset(int Value);
    // Whole rows of one column: client height div item height.
    int Rows() const;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Click() override;
    // The look of the list where there is no item, over R.
    void PaintBackground(TCanvas* C, const TRect& R);

    // The list's drags raise the frame's OnListBoxStartDrag, OnListBoxDragOver, OnListBoxDragDrop and
    // OnListBoxEndDrag, with the list as sender.
    void DoStartDrag(TDragObject*& DragObject) override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;
    void DoEndDrag(TObject* Target, int X, int Y) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void ItemsChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
    void DoEnter() override;
    void DoExit() override;

private:
    friend class TskSkinCustomListBox;
    TOwnerDrawState ItemState(int Index) const;
    // The bars follow the list when it scrolled by itself (keys, wheel, selection).
    void FollowScrolling();
    // Hands the news to the frame before the list acts on it; false when the frame's handler freed
    // the list (with the frame).
    bool TellFrame(const std::function<void(TskSkinCustomListBox*)>& Tell);

    TskSkinCustomListBox* FSkinListBox = nullptr;
    int FHorizontalOffset = 0;
    int FSeenTopIndex = 0;
};

class TskSkinCustomListBox : public TskSkinCustomControl {
public:
    explicit TskSkinCustomListBox(TComponent* AOwner);
    ~TskSkinCustomListBox() override;

    // ---- list
    TStrings* TabWidths() const { return FTabWidths.get(); }
    void SetTabWidths(TStrings* Value);
    bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
    void SetUseSkinItemHeight(bool Value) { FUseSkinItemHeight = Value; }
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool Value);
    int Columns() const;
    void SetColumns(int Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);
    TStrings* Items() const;
    void SetItems(TStrings* Value);
    int ItemIndex() const;
    void SetItemIndex(int Value);
    bool MultiSelect() const;
    void SetMultiSelect(bool Value);
    bool ExtandedSelect() const;
    void SetExtandedSelect(bool Value);
    bool Sorted() const;
    void SetSorted(bool Value);
    TFont* ListBoxFont() const;
    void SetListBoxFont(TFont* Value);
    int ListBoxTabOrder() const;
    void SetListBoxTabOrder(int Value);
    bool ListBoxTabStop() const;
    void SetListBoxTabStop(bool Value);
    TPopupMenu* ListBoxPopupMenu() const;
    void SetListBoxPopupMenu(TPopupMenu* Value);
    TDragMode ListBoxDragMode() const;
    void SetListBoxDragMode(TDragMode Value);
    TDragKind ListBoxDragKind() const;
    void SetListBoxDragKind(TDragKind Value);
    TCursor ListBoxDragCursor() const;
    void SetListBoxDragCursor(TCursor Value);

    // ---- caption
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    TFont* DefaultCaptionFont() const { return FDefaultCaptionFont.get(); }
    void SetDefaultCaptionFont(TFont* Value) { FDefaultCaptionFont->Assign(Value); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

    TskDrawSkinItemEvent OnDrawItem;
    TNotifyEvent OnListBoxClick;
    TNotifyEvent OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown;
    TMouseMoveEvent OnListBoxMouseMove;
    TMouseEvent OnListBoxMouseUp;
    TKeyEvent OnListBoxKeyDown;
    TKeyPressEvent OnListBoxKeyPress;
    TKeyEvent OnListBoxKeyUp;
    TDragDropEvent OnListBoxDragDrop;
    TDragOverEvent OnListBoxDragOver;
    TStartDragEvent OnListBoxStartDrag;
    TEndDragEvent OnListBoxEndDrag;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnCheckButtonClick;

    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    TskListBox* ListBox() const { return FListBox; }

    void Clear();
    int ItemAtPos(TPoint Pos, bool Existing) const;
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    int TopIndex() const;
    void SetTopIndex(int Value);
    // The control height at which exactly Rows rows fit.
    int CalcHeight(int Rows) const;
    // The item height the present look asks for.
    int ItemHeight() const;
    // Where the list goes (control coordinates), as the last layout placed it.
    const TRect& ListBoxRect() const { return FListBoxRect; }
    // The caption button's rectangle on the control (0 up, 1 down, 2 check); empty without buttons.
    TRect CaptionButtonRect(int Index);

    // Places the list and the bars for the present size, skin and bars.
    void LayoutListBox();
    // Makes or frees the bars the items need now and sets their ranges.
    void UpdateListScrollBars();

    void FindSkinObject() override;
    void RefreshSkin() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    // Width of item Index's text on C; lists that draw icons add theirs.
    virtual int GetItemTextWidth(int Index, TCanvas* C);
    virtual void ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseMove(TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(WORD& Key, TShiftState Shift);
    virtual void ListBoxKeyUp(WORD& Key, TShiftState Shift);
    virtual void ListBoxKeyPress(TKeyChar& Key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    // Every message of the inner list comes here first; one left unhandled is dropped by the list.
    virtual void ListBoxWProc(TMessage& Message, bool& Handled);
    virtual void ListBoxCreateWnd() {}

    void CreateParams(TCreateParams& Params) override;
    void DrawDefaultImage(TBitmap* B) override;
    void DrawSkinImage(TBitmap* B) override;
    void DefaultFontChanged() override;
    void WndProc(TMessage& Message) override;
    void Resize() override;
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    friend class TskListBox;
    friend class TskSkinListBoxCaption;

    bool Skinned() const { return SkinIndex() != -1; }
    void UpdateBarsOnce();
    void CreateVScrollBar();
    void CreateHScrollBar();
    void HideVScrollBar();
    void HideHScrollBar();
    void MakeCornerBar(TskSkinScrollBar* Bar);
    void VScrollBarChange();
    void HScrollBarChange();
    void SetItemFont(TCanvas* C) const;
    void DrawListItem(TCanvas* C, int Index, const TRect& R, TOwnerDrawState State);
    void DrawDefaultItem(TCanvas* C, int Index, const TRect& R, TOwnerDrawState State);
    void DrawSkinItem(TCanvas* C, int Index, const TRect& R, TOwnerDrawState State, bool SkinHeight);
    void DrawItemContent(TCanvas* C, int Index, const TRect& TextRect, bool Focused, bool Skinned);
    void CaptionFontChange();

    std::unique_ptr<TStringList> FTabWidths;
    bool FUseSkinItemHeight = true;
    bool FHorizontalExtent = false;
    bool FUpdatingSkin = false;
    int FRowCount = 0;
    TComponentLink<TCustomImageList> FImages{this};
    int FImageIndex = -1;
    int FDefaultItemHeight = 20;
    TComponentLink<TskSkinScrollBar> FVScrollBar{this};
    TComponentLink<TskSkinScrollBar> FHScrollBar{this};
    TComponentLink<TskListBox> FListBox{this};
    TRect FListRect;
    TRect FListBoxRect;
    bool FInBarsUpdate = false;
    bool FBarsAgain = false;
    bool FInBarChange = false;

    // Copied from the entry.
    std::string FSkinFontName = "Arial";
    TFontStyles FSkinFontStyle;
    int FSkinFontHeight = 14;
    TRect FItemRect, FActiveItemRect, FFocusItemRect, FItemTextRect;
    int FItemLeftOffset = 0;
    int FItemRightOffset = 0;
    TColor FFontColor = 0;
    TColor FActiveFontColor = 0;
    TColor FFocusFontColor = 0;
    std::string FVScrollBarName = "vscrollbar";
    std::string FHScrollBarName = "hscrollbar";
    std::string FBothHScrollBarName = "bothhscrollbar";
    bool FShowFocus = false;

    // Caption.
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    int FDefaultCaptionHeight = 20;
    std::unique_ptr<TFont> FDefaultCaptionFont;
    bool FCaptionMode = false;
    TAlignment FAlignment = taLeftJustify;
    std::unique_ptr<TskSkinListBoxCaption> FCaption;
};

class TskSkinListBox : public TskSkinCustomListBox {
public:
    using TskSkinCustomListBox::TskSkinCustomListBox;
};

// Tells the form reader about the skinned list box (after the skinned bases are registered).
void RegisterSkinListBoxClass();
