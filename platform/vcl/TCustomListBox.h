#pragma once
// The list box: items (with hooks when they are added, inserted or deleted), single, multiple or
// extended selection, sorted items, columns, owner-drawn items (of one height, or each of its own
// with lbOwnerDrawVariable) through CN_DRAWITEM and OnDrawItem, keyboard and mouse selection, a
// horizontal extent wider than the window that WM_HSCROLL scrolls, the text and search messages,
// and the scroll state (SB_VERT, and SB_HORZ with columns or an extent) that WM_VSCROLL /
// WM_HSCROLL read and move.
#include <vector>

#include "platform/rtl/TStringList.h"
#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TCustomControl.h"

class TCustomListBox;

// List box messages.
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_GETHORIZONTALEXTENT = 0x0193;
constexpr UINT LB_SETHORIZONTALEXTENT = 0x0194;
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_GETITEMRECT = 0x0198;
constexpr UINT LB_SETCARETINDEX = 0x019E;
constexpr UINT LB_GETCARETINDEX = 0x019F;
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
constexpr UINT LB_ITEMFROMPOINT = 0x01A9;
constexpr LRESULT LB_ERR = -1;

// Owner-draw item states and the record CN_DRAWITEM carries (lParam points at it).
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODA_DRAWENTIRE = 1;
struct DRAWITEMSTRUCT {
    UINT CtlType = ODT_LISTBOX;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = ODA_DRAWENTIRE;
    UINT itemState = 0;
    HWND hwndItem = 0;
    HDC hDC = nullptr;
    TRect rcItem;
    std::uintptr_t itemData = 0;
};

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// The items of a list box: every change goes through the list box's hooks.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox* ListBox) : FListBox(ListBox) {}
    std::string Get(int Index) const override;
    int GetCount() const override { return FList.Count(); }
    void Put(int Index, const std::string& S) override;
    void* GetObject(int Index) const override { return FList.GetObject(Index); }
    void PutObject(int Index, void* Object) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int Add(const std::string& S) override { return AddObject(S, nullptr); }
    int AddObject(const std::string& S, void* Object) override;
    int IndexOf(const std::string& S) const override { return FList.IndexOf(S); }
    void SetUpdateState(bool Updating) override;
    bool Sorted() const { return FList.Sorted(); }
    void SetSorted(bool Value);

private:
    TCustomListBox* FListBox;
    TStringList FList;
};

class TCustomListBox : public TCustomControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems; }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int Count() const { return FItems->Count(); }
    void AddItem(const std::string& Item, void* AObject) { FItems->AddObject(Item, AObject); }
    void Clear() { FItems->Clear(); }

    // The selected item (single selection) or the focused one (multiple); -1 for none.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Value);
    int ItemHeight() const;
    void SetItemHeight(int Value);
    // The height of one item: its own with lbOwnerDrawVariable, else ItemHeight.
    int ItemHeightOf(int Index) const;
    // How wide the items may be drawn (0: the client width); wider than the client, the list
    // scrolls sideways (its horizontal scroll position, in pixels).
    int ScrollWidth() const { return FHorizontalExtent; }
    void SetScrollWidth(int Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value) { FExtendedSelect = Value; }
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    int SelCount() const;
    void ClearSelection();
    void SelectAll();
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value) { FIntegralHeight = Value; }
    int BorderStyleValue() const { return FBorderSingle ? 1 : 0; }
    void SetBorderStyleValue(int Value);

    // The item under a client point; with Existing, -1 where there is none, else the index past
    // the last item below them.
    int ItemAtPos(TPoint Pos, bool Existing) const;
    // The item's rectangle in client coordinates (empty for an index out of range).
    TRect ItemRect(int Index) const;
    // Whole rows that fit in the client area (at least 1).
    int VisibleRows() const;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    friend class TListBoxStrings;
    // Item hooks: before a delete (the item is still there), and after each change.
    virtual void ItemDeleting(int /*Index*/) {}
    virtual void ItemInserted(int Index);
    virtual void ItemDeleted(int Index);
    virtual void ItemsCleared();
    virtual void ItemsChanged();
    // Before any edit of the items, by whoever makes it.
    virtual void ItemsEditing() {}
    // The height of a new item of an lbOwnerDrawVariable list: OnMeasureItem, else ItemHeight.
    virtual void MeasureItem(int Index, int& Height);
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    // True when the item drawing draws the focus rectangle itself (the list leaves it out then).
    virtual bool DrawsOwnFocusRect() const { return false; }

    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void UpdateScrollInfo();
    // Makes Index visible by moving the top index.
    void MakeVisible(int Index);

private:
    void ListKeyDown(WORD Key);
    void ListChar(char32_t Ch);
    void MoveTo(int Index, bool Shift, bool Ctrl);
    void SelectRange(int From, int To);
    int MaxTopIndex() const;
    void ScrollMessage(int Code, int Pos);
    void HorzScrollMessage(int Code, int Pos);
    bool VariableHeights() const { return FStyle == lbOwnerDrawVariable && FColumns == 0; }
    void MeasureAllItems();
    // The first entry from Start + 1 on (round once) that Text begins (or, Exact, equals), without case.
    int FindString(int Start, const std::string& Text, bool Exact) const;

    TListBoxStrings* FItems;
    std::vector<char> FSelected; // multiple selection state per item
    std::vector<int> FItemHeights; // per item, while the heights vary
    int FItemIndex = -1;
    int FAnchor = -1;
    int FTopIndex = 0;
    int FItemHeight = 16;
    TListBoxStyle FStyle = lbStandard;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    int FColumns = 0;
    bool FIntegralHeight = false;
    bool FBorderSingle = true;
    bool FTracking = false;
    bool FUpdating = false;
    int FHorizontalExtent = 0;
    int FHorzPos = 0;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};

void RegisterListBoxClasses();
