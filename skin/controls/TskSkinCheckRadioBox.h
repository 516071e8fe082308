#pragma once
// One control for check boxes and radio buttons, skin entries "checkbox" and "radiobox". Flat by
// default: only the check image and the caption over the parent's background. The converter puts one
// in every queue row and relies on its click event firing whenever it sets Checked. An image of Images may
// stand beside the caption; "&" in the caption marks the accelerator. Framed (Flat off), it cross-fades
// between its rest and hot pictures.
#include <string>

#include "platform/vcl/StdCtrls.h"
#include "skin/controls/SkinButtonLook.h"
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
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value) { FUseSkinFontColor = Value; }

    bool MouseIn() const { return FMouseIn; }
    // The cross-fade of the framed look from the rest picture (0) to the hot one (1).
    double MorphFactor() const { return FMorph.Factor(); }
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
    bool Hot() const { return FMouseIn || Focused(); }
    bool MorphAvailable() const;
    // Repaints, through the cross-fade when the framed look has one.
    void RefreshLook();
    bool HasImage() const;
    TRect CheckImagePiece() const;
    // The flat looks: the chosen image of Images (when there is one) at R's left, the caption after it,
    // and the focus rectangle round the caption, or round the image when there is no caption.
    void DrawImageAndCaption(TCanvas* C, TRect R, TColor Color, bool WithImage);
    void DrawCaption(TCanvas* C, TRect R, TColor Color);
    void DrawFocus(TCanvas* C, TRect R);
    // A box with neither caption nor image (a queue row's selection) shows its focus round the check
    // image at Place, or the focus would not show at all.
    void DrawFocusOnCheck(TCanvas* C, const TRect& Place);
    void DrawCheckPiece(TCanvas* C, const TRect& Place, const TRect& Piece);
    void SelectFont(TCanvas* C);
    void DrawFramed(TBitmap* B, bool Active);
    void DrawDefaultBox(TCanvas* C);

    bool FChecked = false;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    bool FRadio = false;
    int FGroupIndex = 0;
    bool FFlat = true;
    bool FWordWrap = false;
    TComponentLink<TCustomImageList> FImages{this};
    int FImageIndex = 0;
    bool FCanFocused = true;
    bool FUseSkinFontColor = true;
    bool FMouseIn = false;
    TskButtonMorph FMorph{[this] { return Hot(); }, [this] { Repaint(); }};

    // Copied from the entry.
    std::string FFontName;
    TFontStyles FFontStyle;
    int FFontHeight = 14;
    TColor FFontColor = 0;
    TColor FActiveFontColor = 0;
    TColor FUnEnabledFontColor = 0;
    TColor FFrameFontColor = 0;
    bool FMorphing = false;
    int FMorphKind = 0;
    TRect FActiveSkinRect;
    TRect FCheckImageArea, FTextArea;
    TRect FNewCheckImageArea, FNewTextArea;
    TRect FCheckImageRect, FUncheckImageRect;
    TRect FActiveCheckImageRect, FActiveUncheckImageRect;
    TRect FUnEnabledCheckImageRect, FUnEnabledUncheckImageRect;
    TRect FGrayedCheckImageRect, FActiveGrayedCheckImageRect;
};
