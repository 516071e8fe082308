#pragma once
// A windowless tool button with a glyph and a caption, skin entry "toolbutton": one picture per state
// (rest, hot, pressed, disabled), a cross-fade from rest to hot on a 20 ms timer, auto-repeat while held
// (500 ms, then RepeatInterval), and groups in which one button (or, with AllowAllUp, none) is down.
// It never takes the focus. The converter's Start and Skip buttons and the queue rows' buttons are flat
// speed buttons.
#include <string>

#include "skin/controls/TskGraphicSkinControl.h"

class TTimer;

enum TskButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TskSkinSpeedButton : public TskGraphicSkinCustomControl {
public:
    explicit TskSkinSpeedButton(TComponent* AOwner);
    ~TskSkinSpeedButton() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FGlyph; }
    // Takes a copy of the bitmap.
    void SetGlyph(TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    TskButtonLayout Layout() const { return FLayout; }
    void SetLayout(TskButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool Value) { FRepeatMode = Value; }
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value) { FUseSkinFontColor = Value; }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    int WidthWithCaption() const { return FWidthWithCaption; }
    void SetWidthWithCaption(int Value) { FWidthWithCaption = Value; }
    int WidthWithoutCaption() const { return FWidthWithoutCaption; }
    void SetWidthWithoutCaption(int Value) { FWidthWithoutCaption = Value; }

    bool MouseIn() const { return FMouseIn; }
    // The cross-fade position from the rest picture (0) to the hot one (1).
    double MorphFactor() const { return FMorphKf; }

    void FindSkinObject() override;
    void RefreshSkin() override;
    virtual void ButtonClick();

protected:
    void Paint() override;
    void DrawDefaultImage(TBitmap* B) override;
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;

private:
    bool MorphAvailable() const;
    bool PressedLook() const { return FDown && (FGroupIndex != 0 || FMouseIn); }
    void StartMorph();
    void StopMorph();
    void MorphTick(TObject*);
    void StartRepeat();
    void StopRepeat();
    void RepeatTick(TObject*);
    int GlyphCell(bool IsActive, bool IsDown) const;
    void DrawContent(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color);
    void SelectFont(TCanvas* C) const;

    bool FFlat = false;
    TBitmap* FGlyph;
    int FNumGlyphs = 1;
    TskButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 1;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
    bool FUseSkinSize = true;
    bool FUseSkinFontColor = true;
    bool FShowCaption = true;
    int FWidthWithCaption = 0;
    int FWidthWithoutCaption = 0;

    bool FMouseIn = false;
    bool FReleaseArmed = false;
    double FMorphKf = 0.0;
    TTimer* FMorphTimer = nullptr;
    TTimer* FRepeatTimer = nullptr;

    // Copied from the entry.
    std::string FFontName;
    TFontStyles FFontStyle;
    int FFontHeight = 14;
    TColor FFontColor = 0;
    TColor FActiveFontColor = 0;
    TColor FDownFontColor = 0;
    TColor FDisabledFontColor = 0;
    TRect FActiveSkinRect;
    TRect FDownSkinRect;
    TRect FDisabledSkinRect;
    bool FMorphing = false;
    int FMorphKind = 0;
};
