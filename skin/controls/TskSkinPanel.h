#pragma once
// The skinned container: a window that holds other controls and paints a frame and background from the
// skin entry "panel", or a plain frame by BorderStyle without a skin. It can show a caption bar with a
// check box, a glyph or an image-list image, a framed text and a roll-up button, and can be transparent
// over its parent. The converter's layout and every queue row are panels. TskSkinGroupBox is a panel in
// caption mode with the entry "groupbox".
#include <memory>
#include <string>

#include "skin/controls/TskSkinControl.h"

enum TskSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };
enum TskImagePosition { skimgpDefault, skimgpLeft };

class TskSkinPanel : public TskSkinCustomControl {
public:
    explicit TskSkinPanel(TComponent* AOwner);
    ~TskSkinPanel() override;

    TskSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TskSkinBorderStyle Value);
    bool CaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    int RealHeight() const { return FRealHeight; }
    void SetRealHeight(int Value) { FRealHeight = Value; }
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool AutoEnabledControls() const { return FAutoEnabledControls; }
    void SetAutoEnabledControls(bool Value) { FAutoEnabledControls = Value; }
    bool TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(bool Value);
    // Made the first time it is asked for: a panel of a list rarely has one.
    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TskImagePosition ImagePosition() const { return FImagePosition; }
    void SetImagePosition(TskImagePosition Value);
    // An image of a list shown in the caption when there is no Glyph; the list is let go when it is freed.
    TCustomImageList* CaptionImageList() const { return FCaptionImageList; }
    void SetCaptionImageList(TCustomImageList* Value);
    int CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(int Value);
    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void FindSkinObject() override;
    void RefreshSkin() override;
    void ParentBackgroundChanged() override;
    // The caption bar's rectangle as the last paint placed it (the part a click toggles in).
    TRect CaptionBarRect() const;

protected:
    void Paint() override;
    void DrawSkinImage(TBitmap* B) override;
    void DrawDefaultImage(TBitmap* B) override;
    void AdjustClientRect(TRect& Rect) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    // Receives the transparent look's canvas before it is shown.
    virtual void DrawPanelHook(TCanvas*) {}
    // What a descendant draws over the finished look, whichever way it was painted (on the off-screen
    // picture, or straight on the canvas for the large looks).
    virtual void DrawOverPanel(TCanvas*) {}
    // The client area the panel itself gives its children (before a descendant narrows it).
    TRect PanelClientRect();

private:
    void ApplyRollUp();
    void PaintTransparent();
    void PaintDirect();
    void DrawCaptionText(TCanvas* C, TRect R, TAlignment Align, TColor Color);
    void SetCaptionFont(TCanvas* C);
    TSize CheckImageSize() const;
    void PaintCaptionCheck(TCanvas* C, int X, int Top, int H);
    TSize CaptionImageSize() const;
    void PaintCaptionImage(TCanvas* C, int X, int Top, int H);
    void PaintRollButton(TCanvas* C, const TRect& R, TColor Color);
    // The caption text with the skin's text frame round it, when the entry has one.
    int TextBlockWidth(TCanvas* C, const std::string& Text);
    void PaintTextBlock(TCanvas* C, int X, const TRect& Row, const std::string& Text, TColor Color);
    bool HasTextFrame() const;

    TskSkinBorderStyle FBorderStyle = bvFrame;
    bool FCaptionMode = false;
    int FDefaultCaptionHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    bool FRollUpMode = false;
    bool FRollUpState = false;
    int FRealHeight = -1;
    bool FCheckedMode = false;
    bool FChecked = false;
    bool FAutoEnabledControls = true;
    bool FTransparentMode = false;
    mutable std::unique_ptr<TBitmap> FGlyph;
    bool HasGlyph() const { return FGlyph && !FGlyph->Empty(); }
    int FNumGlyphs = 1;
    int FSpacing = 2;
    TskImagePosition FImagePosition = skimgpDefault;
    TComponentLink<TCustomImageList> FCaptionImageList{this};
    int FCaptionImageIndex = -1;
    // True while the frame is composed straight on the canvas: DrawSkinImage then draws the top band.
    bool FPaintingDirect = false;
    bool FApplyingRollUp = false;
    int FSavedMinHeight = 0;
    int FSavedMaxHeight = 0;
    TRect FCaptionRectDrawn;

    // Copied from the entry.
    TRect FCaptionRect;
    TAlignment FAlignment = taCenter;
    std::string FFontName;
    TFontStyles FFontStyle;
    int FFontHeight = 14;
    TColor FFontColor = 0;
    int FBGPictureIndex = -1;
    TRect FCheckImageRect;
    TRect FUncheckImageRect;
    TRect FMarkFrameRect;
    TRect FFrameRect;
    TRect FFrameTextRect;
    int FFrameLeftOffset = 0;
    int FFrameRightOffset = 0;
};

class TskSkinGroupBox : public TskSkinPanel {
public:
    explicit TskSkinGroupBox(TComponent* AOwner);
};
