#include "skin/controls/TskSkinCheckRadioBox.h"

#include "platform/gfx/Text.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"

namespace {
constexpr TColor NavyFrame = static_cast<TColor>(8388608);
constexpr int CaptionGap = 4;
}

TskSkinCheckRadioBox::TskSkinCheckRadioBox(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    // The control fires OnClick itself, on every write of Checked; the platform's click would add a second.
    SetControlStyle(ControlStyle() - csClickEvents);
    SetTabStop(false);
    SetBounds(Left(), Top(), 150, 25);
    SetSkinDataName("checkbox");
}

// ---- properties

void TskSkinCheckRadioBox::SetChecked(bool Value)
{
    FChecked = Value;
    if (Value)
        FState = cbChecked;
    else if (FState == cbChecked)
        FState = cbUnchecked;
    Repaint();
    if (Value && FGroupIndex != 0 && Parent() != nullptr) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TskSkinCheckRadioBox*>(Parent()->Controls(i));
            if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex && other->FChecked)
                other->SetChecked(false);
        }
    }
    // Callers rely on the event for every write to a check box, changed or not.
    if (OnClick && (!FRadio || Value)) OnClick(this);
}

void TskSkinCheckRadioBox::SetState(TCheckBoxState Value)
{
    FState = Value;
    FChecked = Value == cbChecked;
    Repaint();
    if (OnClick) OnClick(this);
}

void TskSkinCheckRadioBox::SetAllowGrayed(bool Value)
{
    FAllowGrayed = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetRadio(bool Value)
{
    FRadio = Value;
    if (Designing() && !ComponentState().Contains(csLoading)) {
        SetSkinDataName(Value ? "radiobox" : "checkbox");
        FGroupIndex = Value ? 1 : 0;
    }
    if ((FSkinIndex == -1 && DrawDefault()) || Designing()) Repaint();
}

void TskSkinCheckRadioBox::SetFlat(bool Value)
{
    FFlat = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (FFlat) Repaint();
}

void TskSkinCheckRadioBox::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

// ---- skin

void TskSkinCheckRadioBox::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    auto* e = FSkinIndex != -1 ? dynamic_cast<TskDataSkinCheckRadioControl*>(SkinEntry()) : nullptr;
    if (e == nullptr) return;
    FFontName = e->FontName;
    FFontStyle = e->FontStyle;
    FFontHeight = e->FontHeight;
    FFontColor = e->FontColor;
    FActiveFontColor = e->ActiveFontColor;
    FUnEnabledFontColor = e->UnEnabledFontColor;
    FFrameFontColor = e->FrameFontColor;
    FActiveSkinRect = IsEmptyRect(e->ActiveSkinRect) ? FSkinRect : e->ActiveSkinRect;
    FCheckImageArea = e->CheckImageArea;
    FTextArea = e->TextArea;
    FCheckImageRect = e->CheckImageRect;
    FUncheckImageRect = e->UncheckImageRect;
    FActiveCheckImageRect = IsEmptyRect(e->ActiveCheckImageRect) ? FCheckImageRect : e->ActiveCheckImageRect;
    FActiveUncheckImageRect = IsEmptyRect(e->ActiveUncheckImageRect) ? FUncheckImageRect : e->ActiveUncheckImageRect;
    const bool noDisabled = IsEmptyRect(e->UnEnabledCheckImageRect);
    FUnEnabledCheckImageRect = noDisabled ? FCheckImageRect : e->UnEnabledCheckImageRect;
    FUnEnabledUncheckImageRect = noDisabled ? FUncheckImageRect : e->UnEnabledUncheckImageRect;
    FGrayedCheckImageRect = e->GrayedCheckImageRect;
    FActiveGrayedCheckImageRect = e->ActiveGrayedCheckImageRect;
}

void TskSkinCheckRadioBox::RefreshSkin()
{
    if (!FFlat) {
        TskSkinCustomControl::RefreshSkin();
        return;
    }
    // Flat boxes keep any size.
    FindSkinObject();
    Repaint();
}

void TskSkinCheckRadioBox::ParentBackgroundChanged()
{
    if (FFlat) Repaint();
}

void TskSkinCheckRadioBox::ComputeSkinSize(int& AWidth, int& AHeight)
{
    if (FFlat) return;
    TskSkinCustomControl::ComputeSkinSize(AWidth, AHeight);
    const int dw = AWidth - FSkinRect.Width();
    FNewTextArea = FTextArea;
    FNewTextArea.Right += dw;
    FNewCheckImageArea = FCheckImageArea;
    if (FCheckImageArea.Left >= FTextArea.Right) OffsetRect(FNewCheckImageArea, dw, 0);
}

TRect TskSkinCheckRadioBox::CheckImagePiece() const
{
    const bool checked = FState != cbUnchecked;
    if (!Enabled()) return checked ? FUnEnabledCheckImageRect : FUnEnabledUncheckImageRect;
    if (FState == cbGrayed) {
        if (FMouseIn && !IsEmptyRect(FActiveGrayedCheckImageRect)) return FActiveGrayedCheckImageRect;
        if (!IsEmptyRect(FGrayedCheckImageRect)) return FGrayedCheckImageRect;
    }
    if (FMouseIn) return checked ? FActiveCheckImageRect : FActiveUncheckImageRect;
    return checked ? FCheckImageRect : FUncheckImageRect;
}

// ---- painting

void TskSkinCheckRadioBox::DrawCaption(TCanvas* C, TRect R, TColor Color)
{
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    const std::string text = Caption();
    if (text.empty()) return;
    if (FWordWrap && FFlat) {
        TRect calc = R;
        DrawWideText(C, text, calc, DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
        const int dy = (R.Height() - calc.Height()) / 2;
        OffsetRect(calc, 0, dy > 0 ? dy : 0);
        calc.Right = R.Right;
        DrawWideText(C, text, calc, DT_WORDBREAK | DT_EXPANDTABS);
    } else {
        DrawTextVCenter(C, text, R);
    }
    if (Focused() && FCanFocused) {
        TRect f = Rect(R.Left, 0, R.Left + C->TextWidth(text), 0);
        const int h = C->TextHeight(text);
        f.Top = Height() / 2 - h / 2;
        f.Bottom = f.Top + h;
        InflateRect(f, 2, 1);
        TskSkinColors* colors = SkinLoaded() ? SkinData()->SkinColors.get() : nullptr;
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(colors != nullptr ? colors->cBtnFace : clBtnFace);
        C->DrawFocusRect(f);
    }
}

void TskSkinCheckRadioBox::DrawSkinImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    TBitmap* pic = FPicture;
    const TRect piece = CheckImagePiece();
    TColor color;
    TRect checkPlace;
    TRect textRect;
    if (FFlat) {
        PaintParentBackground(this, c);
        checkPlace = Rect(3, Height() / 2 - FCheckImageRect.Height() / 2, 3 + piece.Width(),
            Height() / 2 - FCheckImageRect.Height() / 2 + piece.Height());
        textRect = Rect(FCheckImageRect.Width() + 3 + CaptionGap, 0, Width(), Height());
        color = Enabled() ? FFrameFontColor : FUnEnabledFontColor;
    } else {
        int w = Width();
        int h = Height();
        ComputeSkinSize(w, h);
        const bool active = FMouseIn || Focused();
        CreateControlSkinImage(B, pic, active ? FActiveSkinRect : FSkinRect);
        const TRect& a = FNewCheckImageArea;
        const int x = a.Left + (a.Width() - piece.Width()) / 2;
        const int y = a.Top + (a.Height() - piece.Height()) / 2;
        checkPlace = Rect(x, y, x + piece.Width(), y + piece.Height());
        textRect = FNewTextArea;
        color = !Enabled() ? FUnEnabledFontColor : (active ? FActiveFontColor : FFontColor);
    }
    if (pic != nullptr && !IsEmptyRect(piece)) {
        if (FState == cbGrayed && IsEmptyRect(FGrayedCheckImageRect)) {
            // No grayed picture: the checked one, lightened by half.
            TBitmap light(piece.Width(), piece.Height());
            light.Canvas()->CopyRect(Rect(0, 0, piece.Width(), piece.Height()), pic->Canvas(), piece);
            TskEffectBmp e(light.Handle());
            e.ChangeBrightness(0.5);
            e.DrawToDC(c->Handle(), checkPlace.Left, checkPlace.Top);
        } else {
            c->CopyRect(checkPlace, pic->Canvas(), piece);
        }
    }
    if (UseSkinFont()) {
        c->Font()->Assign(DefaultFont());
        c->Font()->SetName(FFontName);
        c->Font()->SetHeight(FFontHeight);
        c->Font()->SetStyle(FFontStyle);
    } else {
        c->Font()->Assign(DefaultFont());
    }
    if (!FUseSkinFontColor) color = DefaultFont()->Color();
    DrawCaption(c, textRect, color);
}

void TskSkinCheckRadioBox::DrawDefaultBox(TCanvas* C)
{
    const TRect box = Rect(3, Height() / 2 - 7, 17, Height() / 2 + 7);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clWindow);
    C->FillRect(box);
    C->Brush()->SetColor(FMouseIn ? NavyFrame : clBtnShadow);
    C->FrameRect(box);
    const TColor mark = Enabled() ? clBlack : clBtnShadow;
    if (FState == cbGrayed && !FRadio)
        DrawCheckImage(C, 7, Height() / 2 - 4, clGrayText);
    else if (FChecked && FRadio)
        DrawRadioImage(C, 7, Height() / 2 - 3, mark);
    else if (FChecked)
        DrawCheckImage(C, 7, Height() / 2 - 4, mark);
}

void TskSkinCheckRadioBox::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    if (FFlat) {
        PaintParentBackground(this, c);
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(0, 0, Width(), Height()));
        if (Focused() || FMouseIn) {
            c->Brush()->SetColor(clBtnShadow);
            c->FrameRect(Rect(0, 0, Width(), Height()));
        }
    }
    DrawDefaultBox(c);
    c->Font()->Assign(DefaultFont());
    DrawCaption(c, Rect(19, 0, Width(), Height()), Enabled() ? DefaultFont()->Color() : clBtnShadow);
}

// ---- input

void TskSkinCheckRadioBox::Toggle()
{
    if (FRadio) {
        if (!FChecked) SetChecked(true);
        return;
    }
    if (FAllowGrayed) {
        switch (FState) {
        case cbUnchecked:
            SetState(cbGrayed);
            return;
        case cbGrayed:
            SetChecked(true);
            return;
        case cbChecked:
            SetChecked(false);
            return;
        }
    }
    SetChecked(!FChecked);
}

void TskSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FCanFocused && !Focused() && !Designing() && CanFocus()) SetFocus();
    if (Button == mbLeft && !FMouseIn) {
        FMouseIn = true;
        Repaint();
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FMouseIn) Toggle();
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCheckRadioBox::KeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE && FCanFocused && Focused()) Toggle();
    TskSkinCustomControl::KeyUp(Key, Shift);
}

void TskSkinCheckRadioBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(Message);
        if (!Designing()) {
            FMouseIn = Message.Msg == CM_MOUSEENTER;
            Repaint();
        }
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::WndProc(Message);
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(Message);
        if (FSkinIndex != -1 || Designing() || DrawDefault()) Repaint();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::WndProc(Message);
        if (FCanFocused) Repaint();
        return;
    default:
        TskSkinCustomControl::WndProc(Message);
    }
}
