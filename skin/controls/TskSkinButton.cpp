#include "skin/controls/TskSkinButton.h"

#include "platform/vcl/TForm.h"
#include "platform/vcl/TTimer.h"
#include "platform/win/WinApi.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskLayerManager.h"
#include "skin/data/TskSkinData.h"

TskSkinButton::TskSkinButton(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FGlyph(new TBitmap), FLayer(new TskLayerManager(this))
{
    // ButtonClick fires OnClick; the platform's own click would fire it a second time.
    SetControlStyle(ControlStyle() - csClickEvents);
    SetTabStop(true);
    SetBounds(Left(), Top(), 75, 25);
    SetSkinDataName("button");
}

TskSkinButton::~TskSkinButton()
{
    if (FMorphTimer != nullptr) FMorphTimer->OnTimer = nullptr;
    if (FRepeatTimer != nullptr) FRepeatTimer->OnTimer = nullptr;
    FLayer->Hide();
    delete FGlyph;
}

// ---- properties

void TskSkinButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}

void TskSkinButton::SetLayout(TskButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Repaint();
}

void TskSkinButton::SetMargin(int Value)
{
    if (Value < -1 || FMargin == Value) return;
    FMargin = Value;
    Repaint();
}

void TskSkinButton::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

void TskSkinButton::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    if (Value != 0) SetCanFocused(false);
}

void TskSkinButton::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TskSkinButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (!HandleAllocated() || !FCanFocused || Designing()) return;
    // Every button of the form works out again which one is the default now.
    if (TCustomForm* form = GetParentForm())
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TskSkinButton::SetDown(bool Value)
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
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TskSkinButton*>(Parent()->Controls(i));
        if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex && other->FDown)
            other->SetDown(false);
    }
}

// ---- skin

void TskSkinButton::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    auto* e = FSkinIndex != -1 ? dynamic_cast<TskDataSkinButtonControl*>(SkinEntry()) : nullptr;
    if (e == nullptr) {
        FMorphing = false;
        return;
    }
    FFontName = e->FontName;
    FFontStyle = e->FontStyle;
    FFontHeight = e->FontHeight;
    FFontColor = e->FontColor;
    FActiveFontColor = e->ActiveFontColor;
    FDownFontColor = e->DownFontColor;
    FDisabledFontColor = e->DisabledFontColor == e->FontColor ? static_cast<TColor>(8421504) : e->DisabledFontColor;
    FActiveSkinRect = IsEmptyRect(e->ActiveSkinRect) ? FSkinRect : e->ActiveSkinRect;
    FDownSkinRect = IsEmptyRect(e->DownSkinRect) ? FActiveSkinRect : e->DownSkinRect;
    FDisabledSkinRect = e->DisabledSkinRect;
    FFocusedSkinRect = e->FocusedSkinRect;
    FMorphing = e->Morphing;
    FMorphKind = e->MorphKind;
    FShowFocus = e->ShowFocus;
    FGlowPictureIndex = e->GlowLayerPictureIndex;
    FGlowMaskPictureIndex = e->GlowLayerMaskPictureIndex;
    FGlowOffsetLeft = e->GlowLayerOffsetLeft;
    FGlowOffsetTop = e->GlowLayerOffsetTop;
    FGlowOffsetRight = e->GlowLayerOffsetRight;
    FGlowOffsetBottom = e->GlowLayerOffsetBottom;
    FGlowShowOffsetX = e->GlowLayerShowOffsetX;
    FGlowShowOffsetY = e->GlowLayerShowOffsetY;
    FGlowAlpha = e->GlowLayerAlphaBlendValue;
    if (!FUseSkinSize) FMaskPicture = nullptr;
}

void TskSkinButton::RefreshSkin()
{
    StopMorph();
    FMorphKf = 0.0;
    TskSkinCustomControl::RefreshSkin();
    if (MorphAvailable() && Hot()) FMorphKf = 1.0;
    if (FMouseIn) PostToSelf(WM_SHOWLAYER);
}

void TskSkinButton::ResetSkinIndex()
{
    TskSkinCustomControl::ResetSkinIndex();
    HideGlow();
}

bool TskSkinButton::MorphAvailable() const
{
    return FSkinIndex != -1 && FMorphing && SkinData() != nullptr && SkinData()->EnableSkinEffects();
}

// ---- timers

void TskSkinButton::StartMorph()
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

void TskSkinButton::StopMorph()
{
    if (FMorphTimer != nullptr) FMorphTimer->SetEnabled(false);
}

void TskSkinButton::MorphTick(TObject*)
{
    if (Hot()) {
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

void TskSkinButton::StartRepeat()
{
    if (FRepeatTimer == nullptr) {
        FRepeatTimer = new TTimer(this);
        FRepeatTimer->OnTimer = [this](TObject* s) { RepeatTick(s); };
    }
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(SkinRepeatDelay);
    FRepeatTimer->SetEnabled(true);
}

void TskSkinButton::StopRepeat()
{
    if (FRepeatTimer != nullptr) FRepeatTimer->SetEnabled(false);
}

void TskSkinButton::RepeatTick(TObject*)
{
    if (FRepeatTimer->Interval() != static_cast<unsigned>(FRepeatInterval))
        FRepeatTimer->SetInterval(static_cast<unsigned>(FRepeatInterval > 0 ? FRepeatInterval : 1));
    ButtonClick();
}

void TskSkinButton::ButtonClick()
{
    if (FCanFocused) {
        if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
    }
    if (OnClick) OnClick(this);
}

// ---- glow frame

void TskSkinButton::PostToSelf(UINT Msg)
{
    // Posted, not sent: the window may be gone when it arrives, and the window layer then drops it.
    if (HandleAllocated()) PostMessage(Handle(), Msg, 0, 0);
}

void TskSkinButton::ShowGlow()
{
    if (!SkinLoaded() || FSkinIndex == -1) return;
    TBitmap* glow = SkinPicture(FGlowPictureIndex);
    if (glow == nullptr || !(SkinData()->ShowButtonGlowFrames() || FAlwaysShowLayeredFrame)) return;
    const int w = Width() + FGlowOffsetLeft + FGlowOffsetRight;
    const int h = Height() + FGlowOffsetTop + FGlowOffsetBottom;
    if (w < 1 || h < 1) return;
    TBitmap picture(w, h);
    picture.Canvas()->StretchDraw(Rect(0, 0, w, h), glow);
    TBitmap maskPicture(w, h);
    TBitmap* mask = SkinPicture(FGlowMaskPictureIndex);
    if (mask != nullptr) maskPicture.Canvas()->StretchDraw(Rect(0, 0, w, h), mask);
    const TPoint at = ClientToScreen(Point(-FGlowShowOffsetX, -FGlowShowOffsetY));
    FLayer->Show(at.X, at.Y, &picture, mask != nullptr ? &maskPicture : nullptr, static_cast<BYTE>(FGlowAlpha));
}

void TskSkinButton::HideGlow()
{
    if (FLayer->LayerVisible()) FLayer->Hide();
}

// ---- input

void TskSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FCanFocused && !Focused() && !Designing()) {
        if (CanFocus()) SetFocus();
        // A press that could not take the focus goes no further.
        if (!Focused()) return;
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    FMouseHeld = true;
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

void TskSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FMouseHeld = false;
        const bool over = X >= 0 && Y >= 0 && X < Width() && Y < Height();
        if (FGroupIndex != 0) {
            if (FDown && FAllowAllUp && FReleaseArmed && over) {
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
                Repaint();
            }
        }
    }
    if (HandleAllocated() && Visible()) TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinButton::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FCanFocused) {
        if (Key == VK_SPACE) {
            FDown = true;
            Repaint();
            if (FRepeatMode) ButtonClick();
        } else if (Key == VK_RETURN) {
            ButtonClick();
        }
    }
    TskSkinCustomControl::KeyDown(Key, Shift);
}

void TskSkinButton::KeyUp(WORD& Key, TShiftState Shift)
{
    if (FCanFocused && Key == VK_SPACE && FDown) {
        FDown = false;
        Repaint();
        // With RepeatMode the key-down has clicked already; one tap is one click.
        if (!FRepeatMode) ButtonClick();
    }
    TskSkinCustomControl::KeyUp(Key, Shift);
}

void TskSkinButton::CreateWnd()
{
    TskSkinCustomControl::CreateWnd();
    FActive = FDefault;
}

void TskSkinButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGKEY: {
        const WORD key = static_cast<WORD>(Message.WParam);
        if (key == VK_RETURN && FActive && Enabled()) {
            ButtonClick();
            Message.Result = 1;
            return;
        }
        if (key == VK_ESCAPE && FCancel && FCanFocused && KeyboardShiftState().Empty() && CanFocus()) {
            ButtonClick();
            Message.Result = 1;
            return;
        }
        TskSkinCustomControl::WndProc(Message);
        return;
    }
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
        const bool wasActive = FActive;
        FActive = dynamic_cast<TskSkinButton*>(focused) != nullptr ? focused == this : FDefault;
        if (FDefault && wasActive && !FActive) {
            FMouseIn = false;
            Repaint();
        } else if (FDefault && FActive && dynamic_cast<TskSkinButton*>(focused) == nullptr) {
            // The default button looks hot while a non-button control has the focus.
            FMouseIn = true;
            Repaint();
        }
        TskSkinCustomControl::WndProc(Message);
        return;
    }
    case CM_MOUSEENTER:
        TskSkinCustomControl::WndProc(Message);
        if (Designing()) return;
        FMouseIn = true;
        StartMorph();
        if (FDown && FRepeatMode && FGroupIndex == 0) StartRepeat();
        PostToSelf(WM_SHOWLAYER);
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(Message);
        if (Designing()) return;
        if (!(FActive && FDefault && !Focused())) FMouseIn = false;
        StartMorph();
        StopRepeat();
        PostToSelf(WM_HIDELAYER);
        return;
    case WM_SHOWLAYER:
        ShowGlow();
        return;
    case WM_HIDELAYER:
        HideGlow();
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::WndProc(Message);
        StopMorph();
        FMorphKf = 0.0;
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(Message);
        Repaint();
        return;
    case WM_SETFOCUS:
        TskSkinCustomControl::WndProc(Message);
        if (FCanFocused) StartMorph();
        return;
    case WM_KILLFOCUS:
        StopRepeat();
        if (FDown && FGroupIndex == 0) FDown = false;
        TskSkinCustomControl::WndProc(Message);
        if (FCanFocused) StartMorph();
        return;
    default:
        TskSkinCustomControl::WndProc(Message);
    }
}

// ---- painting

int TskSkinButton::GlyphCell(bool IsActive, bool IsDown) const
{
    if (IsActive && IsDown && FNumGlyphs > 2) return 3;
    if (IsActive && FNumGlyphs > 3) return 4;
    if (Enabled() || FNumGlyphs < 2) return 1;
    return 2;
}

void TskSkinButton::DrawContent(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color)
{
    bool drawDefault = true;
    if (OnPaint) OnPaint(this, C, R, IsDown, IsActive, drawDefault);
    if (!drawDefault) return;
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    DrawGlyphAndText(C, R, FMargin, FSpacing, FLayout, Caption(), FGlyph, FGlyph->Empty() ? 0 : FNumGlyphs,
        GlyphCell(IsActive, IsDown), clBlack, false, IsActive && IsDown);
}

void TskSkinButton::CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown)
{
    if (!FUseSkinSize && FResizeMode != 1 && FPicture != nullptr) {
        B->SetSize(Width(), Height());
        CreateStretchSkinImage(B, FPicture, R, FSkinClientRect, true);
    } else {
        CreateControlSkinImage(B, FPicture, R);
    }
    TCanvas* c = B->Canvas();
    c->Font()->Assign(DefaultFont());
    if (UseSkinFont()) {
        c->Font()->SetName(FFontName);
        c->Font()->SetHeight(FFontHeight);
        c->Font()->SetStyle(FFontStyle);
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
    TRect client = FNewSkinClientRect;
    if (IsEmptyRect(client) || FResizeMode == 2 || FResizeMode == 3) client = Rect(0, 0, Width(), Height());
    if (FShowFocus && Focused()) {
        TskSkinColors* colors = SkinData()->SkinColors.get();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(colors != nullptr ? colors->cBtnFace : clBtnFace);
        c->DrawFocusRect(client);
    }
    DrawContent(c, client, IsActive, IsDown, color);
}

void TskSkinButton::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = Rect(0, 0, B->Width(), B->Height());
    const bool pressed = FDown && (FGroupIndex != 0 || FMouseIn || (Focused() && !FMouseHeld));
    if (pressed)
        FillFramed(c, r, SkinNavyFrame, SkinPressedFill);
    else if (!Hot())
        FillFramed(c, r, clBtnShadow, clBtnFace);
    else
        FillFramed(c, r, SkinNavyFrame, SkinHotFill);
    c->Font()->Assign(DefaultFont());
    DrawContent(c, r, FMouseIn, FDown, Enabled() ? DefaultFont()->Color() : clBtnShadow);
}

void TskSkinButton::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    if (FSkinIndex == -1) {
        TskSkinControl::Paint();
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
    } else if (FDown && (FGroupIndex != 0 || FMouseIn || (Focused() && !FMouseHeld))) {
        CreateButtonImage(&b, FDownSkinRect, true, true);
    } else if (Focused() && !IsEmptyRect(FFocusedSkinRect)) {
        CreateButtonImage(&b, FFocusedSkinRect, true, false);
    } else if (!Focused() && !FMouseIn) {
        if (MorphAvailable() && FMorphKf >= 1.0)
            CreateButtonImage(&b, FActiveSkinRect, true, false);
        else
            CreateButtonImage(&b, FSkinRect, false, false);
    } else {
        CreateButtonImage(&b, FActiveSkinRect, true, false);
    }
    ShowImage(&b);
}
