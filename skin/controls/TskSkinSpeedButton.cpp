#include "skin/controls/TskSkinSpeedButton.h"

#include "platform/vcl/TTimer.h"
#include "skin/controls/SkinButtonLook.h"
#include "platform/vcl/TWinControl.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"


TskSkinSpeedButton::TskSkinSpeedButton(TComponent* AOwner) : TskGraphicSkinCustomControl(AOwner), FGlyph(new TBitmap)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetSkinDataName("toolbutton");
    SetBounds(Left(), Top(), 25, 25);
}

TskSkinSpeedButton::~TskSkinSpeedButton()
{
    // The timers are owned (and freed) by the component model; only stop them reaching us.
    if (FMorphTimer != nullptr) FMorphTimer->OnTimer = nullptr;
    if (FRepeatTimer != nullptr) FRepeatTimer->OnTimer = nullptr;
    delete FGlyph;
}

// ---- properties

void TskSkinSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    TControlStyle style = ControlStyle();
    if (Value)
        style.Exclude(csOpaque);
    else
        style.Include(csOpaque);
    SetControlStyle(style);
    Repaint();
}

void TskSkinSpeedButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinSpeedButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}

void TskSkinSpeedButton::SetLayout(TskButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Repaint();
}

void TskSkinSpeedButton::SetMargin(int Value)
{
    if (Value < -1 || FMargin == Value) return;
    FMargin = Value;
    Repaint();
}

void TskSkinSpeedButton::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Repaint();
}

void TskSkinSpeedButton::SetShowCaption(bool Value)
{
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    if (FWidthWithCaption >= 1 && FWidthWithoutCaption >= 1)
        SetWidth(Value ? FWidthWithCaption : FWidthWithoutCaption);
    else
        Repaint();
}

void TskSkinSpeedButton::SetDown(bool Value)
{
    FDown = Value;
    if (MorphAvailable()) {
        if (Value) {
            FMorphKf = 1.0;
            StopMorph();
        } else {
            StartMorph();
        }
    }
    Repaint();
    if (FGroupIndex == 0 || !Value || FAllowAllUp || Parent() == nullptr) return;
    // Radio behaviour: the others of the group go up.
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TskSkinSpeedButton*>(Parent()->Controls(i));
        if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex && other->FDown)
            other->SetDown(false);
    }
}

// ---- skin

void TskSkinSpeedButton::FindSkinObject()
{
    TskGraphicSkinCustomControl::FindSkinObject();
    auto* entry = FSkinIndex != -1 ? dynamic_cast<TskDataSkinButtonControl*>(SkinEntry()) : nullptr;
    if (entry == nullptr) {
        FMorphing = false;
        return;
    }
    FFontName = entry->FontName;
    FFontStyle = entry->FontStyle;
    FFontHeight = entry->FontHeight;
    FFontColor = entry->FontColor;
    FActiveFontColor = entry->ActiveFontColor;
    FDownFontColor = entry->DownFontColor;
    FDisabledFontColor = entry->DisabledFontColor == entry->FontColor ? static_cast<TColor>(8421504) : entry->DisabledFontColor;
    FActiveSkinRect = IsEmptyRect(entry->ActiveSkinRect) ? FSkinRect : entry->ActiveSkinRect;
    FDownSkinRect = IsEmptyRect(entry->DownSkinRect) ? FActiveSkinRect : entry->DownSkinRect;
    FDisabledSkinRect = entry->DisabledSkinRect;
    FMorphing = entry->Morphing;
    FMorphKind = entry->MorphKind;
}

void TskSkinSpeedButton::RefreshSkin()
{
    StopMorph();
    FMorphKf = 0.0;
    TskGraphicSkinCustomControl::RefreshSkin();
    if (FMouseIn) FMorphKf = 1.0;
}

bool TskSkinSpeedButton::MorphAvailable() const
{
    return FSkinIndex != -1 && FMorphing && SkinData() != nullptr && SkinData()->EnableSkinEffects();
}

// ---- cross-fade

void TskSkinSpeedButton::StartMorph()
{
    if (!MorphAvailable()) {
        Repaint();
        return;
    }
    if (FMorphTimer == nullptr) {
        FMorphTimer = new TTimer(this);
        FMorphTimer->SetInterval(SkinMorphInterval);
        FMorphTimer->OnTimer = [this](TObject* s) { MorphTick(s); };
    }
    FMorphTimer->SetEnabled(true);
}

void TskSkinSpeedButton::StopMorph()
{
    if (FMorphTimer != nullptr) FMorphTimer->SetEnabled(false);
}

void TskSkinSpeedButton::MorphTick(TObject*)
{
    if (FMouseIn) {
        FMorphKf += SkinMorphStep;
        if (FMorphKf >= 1.0 - 1e-9) {
            FMorphKf = 1.0;
            StopMorph();
        }
    } else {
        FMorphKf -= SkinMorphStep;
        if (FMorphKf <= 1e-9) {
            FMorphKf = 0.0;
            StopMorph();
        }
    }
    Repaint();
}

// ---- repeat

void TskSkinSpeedButton::StartRepeat()
{
    if (FRepeatTimer == nullptr) {
        FRepeatTimer = new TTimer(this);
        FRepeatTimer->OnTimer = [this](TObject* s) { RepeatTick(s); };
    }
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(SkinRepeatDelay);
    FRepeatTimer->SetEnabled(true);
}

void TskSkinSpeedButton::StopRepeat()
{
    if (FRepeatTimer != nullptr) FRepeatTimer->SetEnabled(false);
}

void TskSkinSpeedButton::RepeatTick(TObject*)
{
    if (FRepeatTimer->Interval() != static_cast<unsigned>(FRepeatInterval))
        FRepeatTimer->SetInterval(static_cast<unsigned>(FRepeatInterval > 0 ? FRepeatInterval : 1));
    ButtonClick();
}

void TskSkinSpeedButton::ButtonClick()
{
    if (OnClick) OnClick(this);
}

// ---- mouse

void TskSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled() || Designing()) return;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (FGroupIndex == 0 && FRepeatMode)
            StartRepeat();
        else if (FGroupIndex != 0)
            ButtonClick();
    } else if (FGroupIndex != 0) {
        FReleaseArmed = true;
    }
}

void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && !Designing()) {
        const bool over = X >= 0 && Y >= 0 && X < Width() && Y < Height();
        if (FGroupIndex != 0) {
            if (FDown && FAllowAllUp && FReleaseArmed && over) {
                FReleaseArmed = false;
                SetDown(false);
                ButtonClick();
            }
            FReleaseArmed = false;
        } else {
            const bool wasDown = FDown;
            StopRepeat();
            if (over) {
                SetDown(false);
                if (wasDown) ButtonClick();
            } else {
                // Dragged off before letting go: the press is withdrawn.
                FDown = false;
                FMouseIn = false;
                Repaint();
            }
        }
    }
    TskGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinSpeedButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        TskGraphicSkinCustomControl::WndProc(Message);
        if (Designing()) return;
        FMouseIn = true;
        if (FDown && FRepeatMode && FGroupIndex == 0) StartRepeat();
        if (!(FDown && FGroupIndex != 0) && Enabled()) {
            if (FDown && MorphAvailable()) {
                FMorphKf = 1.0;
                Repaint();
            } else {
                StartMorph();
            }
        }
        return;
    case CM_MOUSELEAVE:
        TskGraphicSkinCustomControl::WndProc(Message);
        if (Designing()) return;
        FMouseIn = false;
        StopRepeat();
        StartMorph();
        return;
    case CM_ENABLEDCHANGED:
        TskGraphicSkinCustomControl::WndProc(Message);
        StopMorph();
        FMorphKf = 0.0;
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TskGraphicSkinCustomControl::WndProc(Message);
        if (FSkinIndex != -1 || Designing() || DrawDefault()) Repaint();
        return;
    default:
        TskGraphicSkinCustomControl::WndProc(Message);
    }
}

// ---- painting

int TskSkinSpeedButton::GlyphCell(bool IsActive, bool IsDown) const
{
    if (IsActive && IsDown && FNumGlyphs > 2) return 3;
    if (IsActive && FNumGlyphs > 3) return 4;
    if (Enabled() || FNumGlyphs < 2) return 1;
    return 2;
}

void TskSkinSpeedButton::SelectFont(TCanvas* C) const
{
    if (FSkinIndex != -1 && UseSkinFont()) {
        C->Font()->Assign(DefaultFont());
        C->Font()->SetName(FFontName);
        C->Font()->SetHeight(FFontHeight);
        C->Font()->SetStyle(FFontStyle);
    } else {
        C->Font()->Assign(DefaultFont());
    }
}

void TskSkinSpeedButton::DrawContent(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color)
{
    SelectFont(C);
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    DrawGlyphAndText(C, R, FMargin, FSpacing, FLayout, FShowCaption ? Caption() : std::string(), FGlyph,
        FGlyph->Empty() ? 0 : FNumGlyphs, GlyphCell(IsActive, IsDown), clBlack, false, IsDown && IsActive);
}

void TskSkinSpeedButton::CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown)
{
    if (!FUseSkinSize && FResizeMode != 1 && FPicture != nullptr) {
        B->SetSize(Width(), Height());
        CreateStretchSkinImage(B, FPicture, R, FSkinClientRect, true);
    } else {
        CreateControlSkinImage(B, FPicture, R);
    }
    TColor color;
    if (!Enabled())
        color = FDisabledFontColor;
    else if (!FUseSkinFontColor)
        color = DefaultFont()->Color();
    else if (IsActive && IsDown)
        color = FDownFontColor;
    else if (IsActive)
        color = FActiveFontColor;
    else
        color = FFontColor;
    const TRect client = FResizeMode == 1 || FResizeMode == 0 ? FNewSkinClientRect : Rect(0, 0, Width(), Height());
    DrawContent(B->Canvas(), IsEmptyRect(client) ? Rect(0, 0, Width(), Height()) : client, IsActive, IsDown, color);
}

void TskSkinSpeedButton::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = Rect(0, 0, B->Width(), B->Height());
    if (PressedLook())
        FillFramed(c, r, SkinNavyFrame, SkinPressedFill);
    else if (FMouseIn && Enabled())
        FillFramed(c, r, SkinNavyFrame, SkinHotFill);
    else
        FillFramed(c, r, clBtnShadow, clBtnFace);
    DrawContent(c, r, FMouseIn, FDown, Enabled() ? DefaultFont()->Color() : clBtnShadow);
}

void TskSkinSpeedButton::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    const TRect whole = Rect(0, 0, Width(), Height());
    const bool restingFlat = FFlat && !FMouseIn && !(FDown && FGroupIndex != 0);
    if (FSkinIndex == -1) {
        if (restingFlat && !PressedLook()) {
            // Only the glyph and caption over whatever the parent shows.
            DrawContent(Canvas(), whole, false, FDown, Enabled() ? DefaultFont()->Color() : clBtnShadow);
            return;
        }
        TskGraphicSkinCustomControl::Paint();
        return;
    }
    if (restingFlat) {
        TskSkinColors* colors = SkinData()->SkinColors.get();
        TColor color = DefaultFont()->Color();
        if (!Enabled())
            color = colors != nullptr ? colors->cBtnShadow : clBtnShadow;
        else if (FUseSkinFontColor)
            color = colors != nullptr ? colors->cBtnText : clBtnText;
        DrawContent(Canvas(), whole, false, false, color);
        return;
    }
    TBitmap b(Width(), Height());
    if (MorphAvailable() && FMorphKf > 0.0 && FMorphKf < 1.0 && Enabled()) {
        TBitmap rest(Width(), Height());
        TBitmap hot(Width(), Height());
        CreateButtonImage(&rest, FSkinRect, false, false);
        CreateButtonImage(&hot, FActiveSkinRect, true, false);
        TskEffectBmp from(rest.Handle());
        TskEffectBmp to(hot.Handle());
        MorphByKind(from, to, FMorphKind, FMorphKf);
        from.DrawToDC(b.Canvas()->Handle(), 0, 0);
    } else if (!Enabled() && !IsEmptyRect(FDisabledSkinRect)) {
        CreateButtonImage(&b, FDisabledSkinRect, false, false);
    } else if (PressedLook()) {
        CreateButtonImage(&b, FDownSkinRect, true, true);
    } else if (!FMouseIn) {
        if (MorphAvailable() && FMorphKf >= 1.0)
            CreateButtonImage(&b, FActiveSkinRect, true, false);
        else
            CreateButtonImage(&b, FSkinRect, false, false);
    } else {
        CreateButtonImage(&b, FActiveSkinRect, true, false);
    }
    ShowImage(&b);
}
