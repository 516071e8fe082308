#pragma once
// One control for check boxes and radio buttons, skin entries "checkbox" and "radiobox". Flat by
// default: only the check image and the caption over the parent's background. The converter puts one
// in every queue row and relies on its click event firing whenever it sets Checked.
#include <string>

#include "platform/vcl/StdCtrls.h"
#include "skin/controls/TskSkinControl.h"

class TskSkinCheckRadioBox : public TskSkinCustomControl {
public:
    explicit TskSkinCheckRadioBox(TComponent* AOwner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    bool Radio() const { return FRadio; }
    void SetRadio(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value) { FUseSkinFontColor = Value; }

    bool MouseIn() const { return FMouseIn; }
    void FindSkinObject() override;
    void RefreshSkin() override;
    void ParentBackgroundChanged() override;
    void ComputeSkinSize(int& AWidth, int& AHeight) override;

protected:
    void DrawSkinImage(TBitmap* B) override;
    void DrawDefaultImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;

private:
    // What the user's click does: a check box flips, a radio box only becomes checked.
    void Toggle();
    TRect CheckImagePiece() const;
    void DrawCaption(TCanvas* C, TRect R, TColor Color);
    void DrawDefaultBox(TCanvas* C);

    bool FChecked = false;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    bool FRadio = false;
    int FGroupIndex = 0;
    bool FFlat = true;
    bool FWordWrap = false;
    bool FCanFocused = true;
    bool FUseSkinFontColor = true;
    bool FMouseIn = false;

    // Copied from the entry.
    std::string FFontName;
    TFontStyles FFontStyle;
    int FFontHeight = 14;
    TColor FFontColor = 0;
    TColor FActiveFontColor = 0;
    TColor FUnEnabledFontColor = 0;
    TColor FFrameFontColor = 0;
    TRect FActiveSkinRect;
    TRect FCheckImageArea, FTextArea;
    TRect FNewCheckImageArea, FNewTextArea;
    TRect FCheckImageRect, FUncheckImageRect;
    TRect FActiveCheckImageRect, FActiveUncheckImageRect;
    TRect FUnEnabledCheckImageRect, FUnEnabledUncheckImageRect;
    TRect FGrayedCheckImageRect, FActiveGrayedCheckImageRect;
};
