#include "skin/controls/TskSkinCheckRadioBox.h"

#include "platform/gfx/Text.h"
#include "platform/vcl/TCustomImageList.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"

namespace {
constexpr int CaptionGap = 4;
constexpr int ImageGap = 8;
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
    if (Value == FAllowGrayed) return;
    FAllowGrayed = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetRadio(bool Value)
{
    if (Value == FRadio) return;
    FRadio = Value;
    if (Designing() && !ComponentState().Contains(csLoading)) {
        SetSkinDataName(Value ? "radiobox" : "checkbox");
        FGroupIndex = Value ? 1 : 0;
    }
    if ((SkinIndex() == -1 && DrawDefault()) || Designing()) Repaint();
}

void TskSkinCheckRadioBox::SetFlat(bool Value)
{
    if (Value == FFlat) return;
    FFlat = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (FFlat) Repaint();
}

void TskSkinCheckRadioBox::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    FImages = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Repaint();
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
    auto* e = SkinEntryAs<TskDataSkinCheckRadioControl>();
    if (e == nullptr) {
        FMorphing = false;
        return;
    }
    FFontName = e->FontName;
    FFontStyle = e->FontStyle;
    FFontHeight = e->FontHeight;
    FFontColor = e->FontColor;
    FActiveFontColor = e->ActiveFontColor;
    FUnEnabledFontColor = e->UnEnabledFontColor;
    FFrameFontColor = e->FrameFontColor;
    FMorphing = e->Morphing;
    FMorphKind = e->MorphKind;
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
    FMorph.Stop();
    FMorph.SetFactor(0.0);
    if (!FFlat) {
        TskSkinCustomControl::RefreshSkin();
        if (MorphAvailable() && Hot()) FMorph.SetFactor(1.0);
        return;
    }
    // Flat boxes keep any size.
    FindSkinObject();
    Repaint();
}

bool TskSkinCheckRadioBox::MorphAvailable() const
{
    // Only the framed look has two pictures to fade between.
    return !FFlat && SkinIndex() != -1 && FMorphing && SkinData() != nullptr && SkinData()->EnableSkinEffects();
}

void TskSkinCheckRadioBox::RefreshLook()
{
    if (MorphAvailable())
        FMorph.Start();
    else
        Invalidate();
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

bool TskSkinCheckRadioBox::HasImage() const
{
    return FImages != nullptr && FImageIndex >= 0 && FImageIndex < FImages->Count();
}

void TskSkinCheckRadioBox::SelectFont(TCanvas* C)
{
    const TskEntryFont face(FFontName, FFontHeight, FFontStyle);
    SelectEntryFont(C->Font(), DefaultFont(), SkinIndex() != -1 && UseSkinFont() ? &face : nullptr, SkinData(),
        DefaultFont()->Charset());
}

void TskSkinCheckRadioBox::DrawFocus(TCanvas* C, TRect R)
{
    InflateRect(R, 2, 1);
    TskSkinColors* colors = SkinLoaded() ? SkinData()->SkinColors.get() : nullptr;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(colors != nullptr ? colors->cBtnFace : clBtnFace);
    C->DrawFocusRect(R);
}

void TskSkinCheckRadioBox::DrawFocusOnCheck(TCanvas* C, const TRect& Place)
{
    if (Focused() && FCanFocused && Caption().empty() && !HasImage()) DrawFocus(C, Place);
}

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
        const int h = C->TextHeight(text);
        const int top = Height() / 2 - h / 2;
        DrawFocus(C, Rect(R.Left, top, R.Left + C->TextWidth(text), top + h));
    }
}

void TskSkinCheckRadioBox::DrawImageAndCaption(TCanvas* C, TRect R, TColor Color, bool WithImage)
{
    if (WithImage && HasImage()) {
        const int x = R.Left;
        const int y = Height() / 2 - FImages->Height() / 2;
        FImages->Draw(C, x, y, FImageIndex, Enabled());
        R.Left += FImages->Width() + ImageGap;
        if (Caption().empty() && Focused() && FCanFocused)
            DrawFocus(C, Rect(x, y, x + FImages->Width(), y + FImages->Height()));
    }
    DrawCaption(C, R, Color);
}

void TskSkinCheckRadioBox::DrawCheckPiece(TCanvas* C, const TRect& Place, const TRect& Piece)
{
    if (FPicture == nullptr || IsEmptyRect(Piece)) return;
    // Check images are drawn without the skin picture's transparent colour, so round or cut images
    // show what lies under them (the parent's background in the flat look).
    const TColor transparent = FPicture->TransparentColor();
    if (FState == cbGrayed && IsEmptyRect(FGrayedCheckImageRect)) {
        // No grayed picture: the checked one, lightened by half; its transparent pixels stay transparent.
        const int w = Piece.Width(), h = Piece.Height();
        TBitmap light(w, h);
        light.Canvas()->CopyRect(Rect(0, 0, w, h), FPicture->Canvas(), Piece);
        TskEffectBmp e(light.Handle());
        e.ChangeBrightness(0.5);
        const TPixel key = ColorToPixel(transparent) & 0x00FFFFFF;
        TBitmap original(w, h);
        original.Canvas()->CopyRect(Rect(0, 0, w, h), FPicture->Canvas(), Piece);
        e.DrawToDC(light.Canvas()->Handle(), 0, 0);
        for (int y = 0; y < h; ++y) {
            const TPixel* from = original.ScanLine(y);
            TPixel* to = light.ScanLine(y);
            for (int x = 0; x < w; ++x)
                if ((from[x] & 0x00FFFFFF) == key) to[x] = from[x];
        }
        C->BrushCopy(Place, &light, Rect(0, 0, w, h), transparent);
    } else {
        C->BrushCopy(Place, FPicture, Piece, transparent);
    }
}

void TskSkinCheckRadioBox::DrawFramed(TBitmap* B, bool Active)
{
    int w = Width();
    int h = Height();
    ComputeSkinSize(w, h);
    CreateControlSkinImage(B, FPicture, Active ? FActiveSkinRect : FSkinRect);
    TCanvas* c = B->Canvas();
    const TRect piece = CheckImagePiece();
    const TRect& a = FNewCheckImageArea;
    const int x = a.Left + (a.Width() - piece.Width()) / 2;
    const int y = a.Top + (a.Height() - piece.Height()) / 2;
    const TRect place = Rect(x, y, x + piece.Width(), y + piece.Height());
    DrawCheckPiece(c, place, piece);
    DrawFocusOnCheck(c, place);
    SelectFont(c);
    TColor color = !Enabled() ? FUnEnabledFontColor : (Active ? FActiveFontColor : FFontColor);
    if (!FUseSkinFontColor) color = DefaultFont()->Color();
    DrawCaption(c, FNewTextArea, color);
}

void TskSkinCheckRadioBox::DrawSkinImage(TBitmap* B)
{
    if (!FFlat) {
        if (MorphAvailable() && FMorph.InBetween() && Enabled()) {
            TBitmap rest(Width(), Height());
            TBitmap hot(Width(), Height());
            DrawFramed(&rest, false);
            DrawFramed(&hot, true);
            TskEffectBmp from(rest.Handle());
            TskEffectBmp to(hot.Handle());
            MorphByKind(from, to, FMorphKind, FMorph.Factor());
            from.DrawToDC(B->Canvas()->Handle(), 0, 0);
            return;
        }
        DrawFramed(B, MorphAvailable() ? FMorph.Factor() >= 1.0 : Hot());
        return;
    }
    TCanvas* c = B->Canvas();
    PaintParentBackground(this, c);
    const TRect piece = CheckImagePiece();
    const int top = Height() / 2 - FCheckImageRect.Height() / 2;
    const TRect place = Rect(3, top, 3 + piece.Width(), top + piece.Height());
    DrawCheckPiece(c, place, piece);
    DrawFocusOnCheck(c, place);
    SelectFont(c);
    TColor color = Enabled() ? FFrameFontColor : FUnEnabledFontColor;
    if (!FUseSkinFontColor) color = DefaultFont()->Color();
    DrawImageAndCaption(c, Rect(FCheckImageRect.Width() + 3 + CaptionGap, 0, Width(), Height()), color, true);
}

void TskSkinCheckRadioBox::DrawDefaultBox(TCanvas* C)
{
    const TRect box = Rect(3, Height() / 2 - 7, 17, Height() / 2 + 7);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clWindow);
    C->FillRect(box);
    C->Brush()->SetColor(FMouseIn ? SkinNavyFrame : clBtnShadow);
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
    DrawFocusOnCheck(c, Rect(3, Height() / 2 - 7, 17, Height() / 2 + 7));
    c->Font()->Assign(DefaultFont());
    DrawImageAndCaption(c, Rect(19, 0, Width(), Height()), Enabled() ? DefaultFont()->Color() : clBtnShadow, FFlat);
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
    // A press that could not take the focus goes no further.
    if (Button == mbLeft && FCanFocused && !TakeFocusOnPress()) return;
    if (Button == mbLeft && !FMouseIn) {
        FMouseIn = true;
        Repaint();
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The click handler may free the box.
    const auto alive = FAlive.Watch();
    if (Button == mbLeft && FMouseIn) Toggle();
    if (*alive) TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCheckRadioBox::KeyUp(WORD& Key, TShiftState Shift)
{
    const auto alive = FAlive.Watch();
    if (Key == VK_SPACE && FCanFocused && Focused()) Toggle();
    if (*alive) TskSkinCustomControl::KeyUp(Key, Shift);
}

void TskSkinCheckRadioBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        // The flat look shows its parent's background, which an erase would cover.
        if (FFlat)
            TskSkinCustomControl::WndProc(Message);
        else
            PaintOnErase(Message);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(Message);
        if (!Designing()) {
            FMouseIn = Message.Msg == CM_MOUSEENTER;
            RefreshLook();
        }
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::WndProc(Message);
        FMouseIn = false;
        FMorph.Stop();
        FMorph.SetFactor(0.0);
        RefreshLook();
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(Message);
        if (SkinIndex() != -1 || Designing() || DrawDefault()) RefreshLook();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(Message.WParam, Caption()) && FCanFocused && CanFocus()) {
            SetFocus();
            Toggle();
            Message.Result = 1;
            return;
        }
        TskSkinCustomControl::WndProc(Message);
        return;
    case CN_COMMAND:
        // The notification a press sends while it focuses the box is not a toggle of its own.
        if (TakingFocus()) return;
        TskSkinCustomControl::WndProc(Message);
        return;
    case WM_MOVE:
        TskSkinCustomControl::WndProc(Message);
        RefreshLook();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::WndProc(Message);
        if (FCanFocused) RefreshLook();
        return;
    default:
        TskSkinCustomControl::WndProc(Message);
    }
}
