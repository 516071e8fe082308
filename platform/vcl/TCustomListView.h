#pragma once
// The list view. The report style is the one that matters: columns with captions, widths and
// alignment shown in a column header (a child window of class "SysHeader32" that its owner may
// subclass and paint), rows with a caption, sub-items, data and an image; single or multiple
// selection; sorting through a comparison; owner-data mode, where only a count is kept and OnData
// fills each row when it is asked for. The list style lays the items out in columns scrolled
// sideways; the icon styles use the list layout. The scroll state (SB_VERT in rows, SB_HORZ in
// pixels, or in columns for the list style) is what WM_VSCROLL / WM_HSCROLL move and skinned bars
// mirror.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/TStringList.h"
#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/TCustomControl.h"

class TCustomImageList;
class TCustomListView;

constexpr UINT LVM_GETITEMCOUNT = 0x1004;
constexpr UINT LVM_GETITEMRECT = 0x100E; // wParam index, lParam TRect*
constexpr UINT LVM_SCROLL = 0x1014;      // wParam dx, lParam dy in pixels
constexpr UINT LVM_GETCOUNTPERPAGE = 0x1028;
constexpr UINT LVM_GETHEADER = 0x101F;

constexpr UINT HDM_GETITEMCOUNT = 0x1200;
constexpr UINT HDM_HITTEST = 0x1206;    // lParam HDHITTESTINFO*
constexpr UINT HDM_GETITEMRECT = 0x1207; // wParam index, lParam TRect*
constexpr UINT HDM_GETORDERARRAY = 0x1211; // wParam count, lParam int*

constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;
struct HDHITTESTINFO {
    TPoint pt;
    UINT flags = 0;
    int iItem = -1;
};

// The header's window class.
extern const char* const HeaderClassName;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListColumn {
public:
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int Index() const { return FIndex; }

private:
    friend class TListColumns;
    TCustomListView* FOwner = nullptr;
    std::string FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
    int FIndex = 0;
};

class TListColumns {
public:
    explicit TListColumns(TCustomListView* AOwner) : FOwner(AOwner) {}
    TListColumn* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TListColumn* Items(int Index) const;
    void Delete(int Index);
    void Clear();

private:
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListColumn>> FItems;
};

class TListItem {
public:
    explicit TListItem(TCustomListView* AOwner);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TStrings* SubItems() const { return FSubItems.get(); }
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int Index() const { return FIndex; }
    bool Selected() const;
    void SetSelected(bool Value);
    // The focus mark (the list's ItemIndex), given without selecting the row.
    bool Focused() const;
    void SetFocused(bool Value);

private:
    friend class TListItems;
    friend class TCustomListView;
    TCustomListView* FOwner;
    std::string FCaption;
    std::unique_ptr<TStringList> FSubItems;
    void* FData = nullptr;
    int FImageIndex = -1;
    int FIndex = 0;
};

class TListItems {
public:
    explicit TListItems(TCustomListView* AOwner) : FOwner(AOwner) {}
    TListItem* Add();
    // The rows; with owner data only the count is kept and each row is made on request.
    int Count() const;
    void SetCount(int Value);
    // Nil for an index out of range. In owner-data mode the row is filled by OnData and valid until
    // the next call.
    TListItem* Item(int Index) const;
    void Delete(int Index);
    void Clear();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

private:
    friend class TCustomListView;
    void Renumber();
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    mutable std::unique_ptr<TListItem> FScratch;
    int FVirtualCount = 0;
    int FUpdateCount = 0;
};

using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVOwnerDataEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVCompareEvent = std::function<int(TListItem* Item1, TListItem* Item2)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

class TCustomListView : public TCustomControl {
public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;

    TListColumns* Columns() const { return FColumns.get(); }
    TListItems* Items() const { return FItems.get(); }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    bool OwnerData() const { return FOwnerData; }
    void SetOwnerData(bool Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    TCustomImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* Value);
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);

    // The focused row (-1: none); selecting it in single selection.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    TListItem* Selected() const { return FItemIndex >= 0 && IsSelected(FItemIndex) ? FItems->Item(FItemIndex) : SelectedFirst(); }
    bool IsSelected(int Index) const;
    void SetItemSelected(int Index, bool Value);
    int SelCount() const;
    void ClearSelection();
    int TopIndex() const { return FTopIndex; }
    // Scrolls by pixels: DY moves whole rows in the row styles.
    void Scroll(int DX, int DY);
    // Sorts the rows (not in owner-data mode); the selection stays with its rows.
    void CustomSort(const TLVCompareEvent& Compare);

    int ItemHeight() const;
    int HeaderHeight() const;
    // Rows that fit wholly below the header (at least 1).
    int CountPerPage() const;
    TRect ItemRect(int Index) const;
    int ItemAt(int X, int Y) const;
    HWND HeaderHandle() const { return FHeader; }
    // The header's section rectangles, in header coordinates (shifted by the horizontal offset).
    TRect HeaderSectionRect(int Index) const;
    void MakeVisible(int Index);
    // The header window's own procedure (its class procedure hands every message here).
    LRESULT HeaderProc(HWND H, UINT Msg, WPARAM W, LPARAM L);

    TLVColumnClickEvent OnColumnClick;
    TLVOwnerDataEvent OnData;
    TLVSelectItemEvent OnSelectItem;
    TNotifyEvent OnChange;

protected:
    friend class TListItems;
    friend class TListColumns;
    friend class TListItem;
    friend class TListColumn;
    virtual void ColumnClick(TListColumn* Column);
    // The first row from StartIndex on (round to the top again when Wrap) whose caption begins with
    // Text, ignoring case; -1 when there is none. Typing on the list moves to it.
    int FindCaption(int StartIndex, const std::string& Text, bool Wrap) const;
    // The caption of row Index; an owner-data list may answer without making the row.
    virtual std::string ItemCaption(int Index) const;
    virtual void ItemsChanged();
    void ColumnsChanged();
    // Paints the header sections plainly; a subclass hook may paint them itself.
    void PaintHeader(HDC DC);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void UpdateScrollInfo();

private:
    TListItem* SelectedFirst() const;
    bool RowStyle() const { return FViewStyle == vsReport; }
    // The icon styles lay items out left to right in lines of equal cells and scroll by pixels.
    bool IconStyle() const { return FViewStyle == vsIcon || FViewStyle == vsSmallIcon; }
    TSize IconCell() const;
    int IconsPerLine() const;
    int IconContentHeight() const;
    void SetVertOffset(int Value);
    void PaintIconItem(TCanvas* C, int Index, const TRect& R);
    int ListColumnWidth() const;
    int RowsPerColumn() const;
    int TotalColumnWidth() const;
    int MaxTopIndex() const;
    void SetTopIndex(int Value);
    void SetHorzOffset(int Value);
    void MoveTo(int Index, bool Shift, bool Ctrl);
    void SelectionChanged(int Index, bool Selected);
    void CreateHeader();
    void DestroyHeader();
    void PlaceHeader();
    void ScrollMessage(bool Vertical, int Code, int Pos);
    void ListKeyDown(WORD Key);
    void TypeAhead(char32_t Ch);

    std::unique_ptr<TListColumns> FColumns;
    std::unique_ptr<TListItems> FItems;
    std::vector<char> FSelected;
    TComponentLink<TCustomImageList> FLargeImages{this};
    TComponentLink<TCustomImageList> FSmallImages{this};
    HWND FHeader = 0;
    TViewStyle FViewStyle = vsIcon;
    int FItemIndex = -1;
    int FAnchor = -1;
    int FTopIndex = 0;
    int FHorzOffset = 0;
    int FVertOffset = 0; // pixels scrolled in the icon styles
    bool FOwnerData = false;
    bool FMultiSelect = false;
    bool FShowColumnHeaders = true;
    bool FHideSelection = true;
    int FHeaderDown = -1;
    // The column whose right edge is being dragged (-1: none), and where the drag began.
    int FSizingColumn = -1;
    int FSizingFromX = 0;
    int FSizingFromWidth = 0;
    // The list style's column width, measured over every caption: kept until the rows, the font or
    // the images change, since painting asks for it once per row.
    mutable int FListColumnWidth = -1;
    std::string FSearchText;
    std::uint64_t FSearchTime = 0;
};

class TListView : public TCustomListView {
public:
    using TCustomListView::TCustomListView;
};

void RegisterListViewClasses();
