#pragma once
// The drop-down list of the skinned combo box: a skinned list box in a borderless top-most window of
// its own that never takes the activation or the focus from the form under it. It is owned by the
// combo box but is not one of its children: the window is a popup owned by the combo box's form, so
// that it can reach outside the form and never takes part in the combo box's layout.
//
// Every message of the inner list is offered to the combo box first (TskSkinCustomComboBox::
// ListWindowProc): that is how the combo box takes over the list's mouse while it is open.
#include "skin/controls/TskSkinListBox.h"

class TskSkinCustomComboBox;

class TskPopupListBox : public TskSkinListBox {
public:
    explicit TskPopupListBox(TComponent* AOwner);
    ~TskPopupListBox() override;

    // Moves the window to the screen point P and shows it on top, without activation and without
    // changing its size. With a combo box owner that asks for it the window is translucent, and fades
    // in step by step when the owner asks for the animation.
    void ShowPopupList(TPoint P);
    // Hides the window without activation, without moving, sizing or changing its z-order.
    void HidePopupList();

    // What was last applied to the window: the layered style and its opacity.
    bool LayeredOn() const { return FLayeredOn; }
    BYTE CurrentAlpha() const { return FCurrentAlpha; }
    // True while the fade-in has not reached its opacity.
    bool Fading() const { return FFadeTarget >= 0; }

    // The combo box the list serves; the combo box clears it before it goes.
    TskSkinCustomComboBox* ComboBox() const { return FComboBox; }
    void SetComboBox(TskSkinCustomComboBox* Value) { FComboBox = Value; }

    // The fade-in's timer on the popup window, and its period.
    static constexpr UINT_PTR FadeTimer = 7;
    static constexpr UINT FadeInterval = 5;
    static constexpr int FadeStep = 10;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void ListBoxWProc(TMessage& Message, bool& Handled) override;

private:
    void ApplyAlpha(BYTE Alpha);
    void FadeStepTick();
    void StopFade();

    TskSkinCustomComboBox* FComboBox = nullptr;
    bool FLayeredOn = false;
    BYTE FCurrentAlpha = 255;
    int FFadeTarget = -1;
};
