#pragma once
// The combo box as data and behaviour: items, the selected index and the text it shows, the style,
// the drop-down state with its events, and Up/Down/Home/End choosing an item. It paints a plain face
// (text and arrow); it shows no list window of its own: the skinned combo box brings the drop-down.
#include "platform/rtl/TStringList.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TCustomControl.h"

class TCustomComboBox : public TCustomControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStringList* Items() const { return FItems; }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    // Setting the index shows that item's text (or none for -1); it does not fire OnChange.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = std::max(1, Value); }
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool Value) { FItems->SetSorted(Value); }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = std::max(0, Value); }
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value) { FCharCase = Value; }
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value) { FItemHeight = std::max(1, Value); }
    bool DroppedDown() const { return FDroppedDown; }
    // Fires OnDropDown when opening and OnCloseUp when closing.
    void SetDroppedDown(bool Value);
    void Clear();
    void AddItem(const std::string& Item, void* AObject) { FItems->AddObject(Item, AObject); }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    // The user chose an item (keys, or the drop-down): text, OnChange, OnSelect, OnClick.
    virtual void Select(int Index);
    virtual void Change();
    void Paint() override;
    void DefaultHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void SetTextValue(const std::string& Value) override;
    void Loaded() override;

private:
    int FLoadedIndex = -2; // an index read before the items it names
    void ItemsChanged();
    TStringList* FItems;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    TEditCharCase FCharCase = ecNormal;
    int FItemHeight = 16;
    bool FDroppedDown = false;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};

void RegisterComboBoxClasses();
