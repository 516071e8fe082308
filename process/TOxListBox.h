#pragma once
// A list box that draws its own items: colours of its own for selected and disabled items, left,
// right or centred text, word-wrapped items, a tiled or stretched background picture, the width of
// its widest item, reordering by dragging, moving the selection up and down, and events for added
// and deleted strings and for scrolling.
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/TStringList.h"
#include "platform/vcl/TBitmap.h"
#include "process/OxDataProvider.h"
#include "process/TOxExCustomListBox.h"

enum TOxListboxFillMode { bfmTile, bfmStretch };

// The background picture of a list box.
class TOxListBoxBackground : public TPersistent {
public:
    TOxListBoxBackground();

    TBitmap* Image() const { return FImage.get(); }
    void SetImage(TBitmap* Value);
    TOxListboxFillMode FillMode() const { return FFillMode; }
    void SetFillMode(TOxListboxFillMode Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Visible with a picture to show (a picture without width or height counts as none).
    bool DoDraw() const;

    // Picture, fill mode and visibility from another background, without a change signal.
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

private:
    void Changed();
    std::unique_ptr<TBitmap> FImage;
    TOxListboxFillMode FFillMode = bfmTile;
    bool FVisible = false;
};

using TOxListBoxDataEvent = std::function<void(TWinControl* Sender, int Index, std::string& Text)>;
using TOxListboxChange = std::function<void(TObject* Sender, const std::string& Item)>;
using TOxScrollEvent = std::function<void(TObject* Sender, const TMessage& Msg, bool& DontScroll)>;
using TOxDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, bool& Accept)>;

class TOxCustomListBox : public TOxExCustomListBox {
public:
    explicit TOxCustomListBox(TComponent* AOwner);
    ~TOxCustomListBox() override;

    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value) { FHotTrack = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value);
    TColor SelectedTextColor() const { return FSelectedTextColor; }
    void SetSelectedTextColor(TColor Value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    TColor DisabledTextColor() const { return FDisabledTextColor; }
    void SetDisabledTextColor(TColor Value);
    TOxListBoxBackground* Background() const { return FBackground.get(); }
    void SetBackground(TOxListBoxBackground* Value) { FBackground->Assign(Value); }
    // The width of the widest item, as the horizontal extent.
    int MaxWidth() const { return FMaxWidth; }
    int HorzOffset() const { return FHorzOffset; }
    // Text wraps at the client width (multi-line without a horizontal bar).
    bool WordWraps() const;

    // The width and height an item text needs: at most 255 high, at least one item high.
    TSize MeasureString(const std::string& S, int Limit);
    void UpdateHorizontalExtent();

    virtual void MoveSelectedUp();
    virtual void MoveSelectedDown();
    virtual void DeleteSelected();
    // The drag of the item under the mouse: starts with the current item, drops at (X, Y).
    virtual void DefaultStartDrag();
    virtual bool DefaultDragOver(TObject* Source, int X, int Y);
    virtual void DefaultDragDrop(TObject* Source, int X, int Y);
    int DragIndex() const { return FDragIndex; }
    TBitmap* DragImage() const { return FDragImage.get(); }

    // The consumer through which a provider's items can be shown instead of the list's own; the
    // list's own strings wait in InternalList meanwhile.
    TOxDataConsumer* Consumer() const { return FConsumer.get(); }
    bool ProviderActive() const { return FProviderActive; }
    // What the list shows: the consumer's view while a provider is attached, else its own items.
    TStrings* GetShownItems() const;
    const TStringList& InternalList() const { return FInternalList; }
    bool UseInternal() const { return FUseInternal; }

    // A horizontal or vertical scroll request (WM_HSCROLL/WM_VSCROLL): the events may refuse it.
    void Scroll(TMessage& Message);

    TOxListBoxDataEvent OnGetText;
    TNotifyEvent OnSelectCancel;
    TOxListboxChange OnDeleteString;
    TOxListboxChange OnAddString;
    TNotifyEvent OnChange;
    TOxScrollEvent OnHorizontalScroll;
    TOxScrollEvent OnVerticalScroll;
    TNotifyEvent OnStartDrag;
    TOxDragOverEvent OnDragOver;
    std::function<void(TObject* Sender, TObject* Source, int X, int Y)> OnDragDrop;

protected:
    virtual void Changed();
    virtual void DoGetText(int Index, std::string& Text);
    virtual void DefaultDrawItem(int Index, TRect Rect, TOwnerDrawState State);
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void DrawBackground(HDC DC, bool Shifted);
    bool DoEraseBackground(TCanvas* Canvas, LPARAM Param) override;
    void MouseEnter(TControl* Control) override;
    void MouseLeave(TControl* Control) override;
    void FontChanged() override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void MeasureItem(int Index, int& Height) override;
    void ItemsEditing() override;
    bool DrawsOwnFocusRect() const override { return true; }
    void ItemDeleting(int Index) override;
    void ItemDeleted(int Index) override;
    void ItemInserted(int Index) override;
    void ItemsCleared() override;
    void UpdateStyle();

    void DrawProviderItem(TCanvas* Canvas, TRect R, TOwnerDrawState State, int Index);
    TSize MeasureProviderItem(int Index);

private:
    void ProviderChangingHandler(int Reason);
    void ProviderChangedHandler(int Reason);
    void SubServiceCreatedHandler(TOxDataConsumerAggregatedObject* Service);
    void UpdateItemCount();
    void MoveItemsToInternalList();
    void MoveItemsToWindow();
    void SetMaxWidth(int Width);
    // The find messages and the text messages answered from the provider's view.
    bool ProviderMessage(TMessage& Message);
    void CreateDragImage(const std::string& S);
    int TextLineHeight();

    bool FHotTrack = false;
    TAlignment FAlignment = taLeftJustify;
    int FMaxWidth = 0;
    TScrollStyle FScrollBars = ssBoth;
    bool FMultiLine = false;
    bool FShowFocusRect = true;
    TColor FSelectedTextColor = clHighlightText;
    TColor FSelectedColor = clHighlight;
    TColor FDisabledTextColor = clGrayText;
    std::unique_ptr<TOxListBoxBackground> FBackground;
    int FHorzOffset = 0;
    int FDragIndex = -1;
    std::unique_ptr<TBitmap> FDragImage;
    std::string FDeletingText;
    bool FDeletingWidest = false;
    bool FDestroying = false;
    std::unique_ptr<TOxDataConsumer> FConsumer;
    std::unique_ptr<TOxConsumerStrings> FConsumerStrings;
    bool FProviderActive = false;
    bool FProviderChanging = false;
    TStringList FInternalList;
    bool FUseInternal = false;
    // Set while the list moves or pads its own rows: no string events for those.
    bool FQuietRows = false;
};

class TOxListBox : public TOxCustomListBox {
public:
    using TOxCustomListBox::TOxCustomListBox;
};

void RegisterOxListBoxClasses();
