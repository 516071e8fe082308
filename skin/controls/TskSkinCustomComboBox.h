#pragma once
// The skinned combo box: a face that shows the chosen item and a drop-down button, painted from the skin
// entry "combobox" (or in a plain look of its own), and a drop-down list (TskPopupListBox) that opens
// below the face, or above it when there is no room below. In the fixed style the face draws the item
// itself and the keys, the wheel and typed letters choose items; in the edit style an edit part sits in
// the face, the text can be typed and is completed from the items.
//
// What the callers rely on: setting ItemIndex sets the list's index, then Text (OnChange fires at once
// when the text really changes), then OnClick and Change fire, unless the form is being read. An item
// accepted from the list fires the same events; hovering over the open list only moves the list's own
// index, which goes back when the list closes without accepting.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "platform/vcl/StdCtrls.h"
#include "skin/controls/TskSkinListBox.h"
#include "skin/data/SkinLookCache.h"

class TskPopupListBox;
class TskCustomEdit;
class TskComboEditPart;
class TCustomImageList;

enum TskSkinCustomComboBoxStyle { skcbEditStyle, skcbFixedStyle };

class TskSkinCustomComboBox : public TskSkinCustomControl {
public:
    explicit TskSkinCustomComboBox(TComponent* AOwner);
    ~TskSkinCustomComboBox() override;

    // ---- items and choice
    TStrings* Items() const;
    void SetItems(TStrings* Value);
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int DropDownCount() const { return FDropDownCount; }
    // Values below 1 are ignored.
    void SetDropDownCount(int Value);
    TskSkinCustomComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TskSkinCustomComboBoxStyle Value);
    bool DroppedDown() const { return FDroppedDown; }

    // ---- look and behaviour
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    void SetToolButtonStyle(bool Value);
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    bool UseNumEdit() const { return FUseNumEdit; }
    void SetUseNumEdit(bool Value) { FUseNumEdit = Value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);

    // ---- the drop-down list
    bool ListBoxAlphaBlend() const { return FListBoxAlphaBlend; }
    void SetListBoxAlphaBlend(bool Value) { FListBoxAlphaBlend = Value; }
    bool ListBoxAlphaBlendAnimation() const { return FListBoxAlphaBlendAnimation; }
    void SetListBoxAlphaBlendAnimation(bool Value) { FListBoxAlphaBlendAnimation = Value; }
    BYTE ListBoxAlphaBlendValue() const { return FListBoxAlphaBlendValue; }
    void SetListBoxAlphaBlendValue(BYTE Value) { FListBoxAlphaBlendValue = Value; }
    // 0 (or less) means the width of the combo box.
    int ListBoxWidth() const { return FListBoxWidth; }
    void SetListBoxWidth(int Value) { FListBoxWidth = Value; }
    bool HorizontalExtent() const;
    void SetHorizontalExtent(bool Value);
    bool Sorted() const;
    void SetSorted(bool Value);
    TStrings* TabWidths() const;
    void SetTabWidths(TStrings* Value);
    TCustomImageList* Images() const;
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const;
    void SetImageIndex(int Value);
    bool ListBoxUseSkinItemHeight() const;
    void SetListBoxUseSkinItemHeight(bool Value);
    bool ListBoxUseSkinFont() const;
    void SetListBoxUseSkinFont(bool Value);
    TFont* ListBoxDefaultFont() const;
    void SetListBoxDefaultFont(TFont* Value);
    TFont* ListBoxDefaultCaptionFont() const;
    void SetListBoxDefaultCaptionFont(TFont* Value);
    int ListBoxDefaultItemHeight() const;
    void SetListBoxDefaultItemHeight(int Value);
    std::string ListBoxCaption() const;
    void SetListBoxCaption(const std::string& Value);
    bool ListBoxCaptionMode() const;
    void SetListBoxCaptionMode(bool Value);
    TAlignment ListBoxCaptionAlignment() const;
    void SetListBoxCaptionAlignment(TAlignment Value);

    TskDrawSkinItemEvent OnListBoxDrawItem;
    // Also the drop-down list's OnDrawItem.
    void SetOnListBoxDrawItem(TskDrawSkinItemEvent Value);
    TskDrawSkinItemEvent OnComboBoxDrawItem;
    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;
    // OnClick is the control's own (TControl::OnClick); a click on the face never fires it by itself.

    // ---- parts and state
    TskPopupListBox* ListBox() const { return FListBox; }
    // The edit part of the edit style, or nullptr.
    TskCustomEdit* EditPart() const;
    const TRect& ItemRect() const { return FItemRect; }
    const TRect& ButtonRect() const { return FButtonRect; }
    bool ButtonActive() const { return FButtonActive; }
    bool ButtonDown() const { return FButtonDown; }
    bool MouseInControl() const { return FMouseInControl; }
    bool MousePressed() const { return FMousePressed; }
    bool ListTracking() const { return FListTracking; }
    // 0 none, 1 up, 2 down.
    int ScrollMode() const { return FScrollMode; }
    int OldItemIndex() const { return FOldItemIndex; }
    const std::string& SearchText() const { return FSearchText; }

    // Opens the list below (or above) the face; nothing without items.
    void DropDownList();
    // Closes an open list, taking the list's item when AcceptChanges, else going back to the index the
    // list had when it opened.
    void CloseUp(bool AcceptChanges);
    // One item up or down in the list without events; with AChange the text follows, the edit part
    // selects it all and OnClick fires.
    void EditUp(bool AChange);
    void EditDown(bool AChange);

    void Invalidate() override;
    void FindSkinObject() override;
    void RefreshSkin() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ComputeSkinSize(int& AWidth, int& AHeight) override;
    void ApplySkinRegion() override;

    // Window timer 1 of the combo box drives the drag-scroll of the open list.
    static constexpr UINT_PTR DragScrollTimer = 1;
    static constexpr UINT DragScrollInterval = 25;
    // Posted to itself when a mouse button went down anywhere but on the combo box or its list.
    static constexpr UINT WM_CANCELDROPDOWN = WM_USER + 0x1C2;

protected:
    friend class TskPopupListBox;

    // Runs after ItemIndex is set, after an item is accepted from the list and after typed text changes.
    virtual void Change() {}
    // Every message of the drop-down's inner list comes here first; Handled false drops it.
    void ListWindowProc(TMessage& Message, bool& Handled);

    void DrawDefaultImage(TBitmap* B) override;
    void DrawSkinImage(TBitmap* B) override;
    bool DrawSkinImageOnCanvas() override;
    void DefaultFontChanged() override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;

private:
    bool Skinned() const { return SkinIndex() != -1; }
    bool Loading() const;
    void CalcRects();
    void MakeEditPart();
    void FreeEditPart();
    void ApplyEditFont();
    void ApplyEditFontColor();
    bool ActiveLook() const;
    void TextChanged();
    void ListHotTrack(int X, int Y);
    void StopDragScroll();
    void DragScrollTick();
    void IncrementalSearch(TKeyChar Key);
    int FindPrefix(const std::string& Text, int StartAfter) const;
    // One item up (-1) or down (1) from the list's index, with the events of EditUp and EditDown.
    void EditStep(int Delta, bool AChange);
    bool InCJKCharset() const;
    void EditWindowProc(TMessage& Message, const std::function<void()>& PassOn);
    void EditCompletion();
    void EditTextChanged();
    void MouseEntered();
    void MouseLeft();
    void CancelFrom(TControl* Sender);
    bool IsOwnPart(HWND Wnd) const;
    void WatchOutsidePresses(bool On);
    void SetItemFont(TCanvas* C) const;
    TColor ItemFontColor() const;
    TColor DisabledFontColor() const;
    int ShownIndex() const;
    void DrawItemOnFace(TCanvas* C, const TRect& TextRect, bool Focused);
    void DrawDefaultButton(TCanvas* C, const TRect& R);
    // The face for the present size and state, made once and shared by the controls of the class.
    TBitmap& SkinFace();
    // The item over the face on C, which holds the face at (0, 0).
    void DrawSkinItem(TCanvas* C);
    void DrawSkinButton(TBitmap* B);
    // The entry's picture at the present size with the button in its state, into B (W x H to start).
    void DrawSkinFace(TBitmap* B, bool Active);
    void DrawToolButtonFace(TBitmap* B);
    // Composes the first button entry of Names that the skin has into B (at B's size) in its look for
    // Down or Hot, and gives the entry's text colour for that look; false when the skin has none.
    bool ComposeButtonEntry(std::initializer_list<const char*> Names, TBitmap* B, bool Down, bool Hot, TColor& TextColor);

    // State.
    bool FToolButtonStyle = false;
    bool FUseNumEdit = false;
    bool FDroppedDown = false;
    TEditCharCase FCharCase = ecNormal;
    TColor FDefaultColor = clWindow;
    bool FUseSkinSize = true;
    bool FListTracking = false;
    int FScrollMode = 0;
    bool FHideSelection = true;
    std::uint64_t FLastKeyTime = 0;
    std::string FSearchText;
    bool FAutoComplete = true;
    bool FListBoxAlphaBlend = false;
    bool FListBoxAlphaBlendAnimation = false;
    BYTE FListBoxAlphaBlendValue = 200;
    int FListBoxWidth = 0;
    TskSkinCustomComboBoxStyle FStyle = skcbFixedStyle;
    bool FMouseInControl = false;
    int FOldItemIndex = -1;
    int FDropDownCount = 8;
    bool FMousePressed = false;
    TComponentLink<TskPopupListBox> FListBox{this};
    TRect FItemRect;
    TRect FButtonRect;
    bool FButtonActive = false;
    bool FButtonDown = false;
    std::unique_ptr<TskComboEditPart> FEditPart;
    // The edit of the part above; freed by someone else, it takes the part along.
    TComponentLink<TskCustomEdit> FEdit{this, [this] { EditGone(); }};
    void EditGone();
    // The message hook that notices a press elsewhere while the list is open; 0 while closed.
    int FPressWatch = 0;
    bool FEditChanging = false;
    // The text change under way comes from typing in the edit part.
    bool FEditTyping = false;
    // An index read from a stored form before the items it names; applied once the form is read.
    int FLoadedIndex = -2;
    // A key that closed the list from the edit part: its character must not reach the form as well.
    bool FEatEditChar = false;
    std::uint64_t FLastCompletionTime = 0;
    bool FCompletionDone = false;

    // The face is kept between paints; the item and its text are drawn over a copy of it.
    struct TFaceKey {
        unsigned Generation = 0;
        const TBitmap* Picture = nullptr;
        TRect Source, Button;
        int Width = 0, Height = 0, State = 0;
        friend bool operator==(const TFaceKey&, const TFaceKey&) = default;
    };
    TSkinLookCache<TFaceKey> FFaceLook;

    // Copied from the entry.
    TRect FSkinActiveRect;
    TColor FActiveFontColor = 0;
    TRect FSkinItemRect, FSkinFocusItemRect, FSkinActiveItemRect;
    int FItemLeftOffset = 0;
    int FItemRightOffset = 0;
    TRect FItemTextRect;
    std::string FFontName = "Arial";
    TFontStyles FFontStyle;
    int FFontHeight = 14;
    TColor FFontColor = 0;
    TColor FFocusFontColor = 0;
    TRect FSkinButtonRect, FActiveButtonRect, FDownButtonRect, FUnEnabledButtonRect;
    std::string FListBoxName;
    bool FItemStretchEffect = false;
    bool FFocusItemStretchEffect = false;
    bool FShowFocus = false;
};

class TskSkinComboBox : public TskSkinCustomComboBox {
public:
    using TskSkinCustomComboBox::TskSkinCustomComboBox;
};

// Tells the form reader about the skinned combo box (after the skinned list box is registered).
void RegisterSkinComboBoxClass();
