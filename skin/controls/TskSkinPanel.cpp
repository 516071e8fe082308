#include "skin/controls/TskSkinPanel.h"

#include "platform/gfx/Text.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinPanelControl.h"
#include "skin/data/TskSkinData.h"

namespace {
constexpr int RollButtonWidth = 12;
}

TskSkinPanel::TskSkinPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner), FGlyph(new TBitmap)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csSetCaption,
        csOpaque, csReplicatable});
    FPaintFrameDirectly = true;
    SetBounds(Left(), Top(), 150, 150);
    FNewSkinClientRect = Rect(0, 0, 0, 0);
    SetSkinDataName("panel");
}

TskSkinPanel::~TskSkinPanel() { delete FGlyph; }

void TskSkinPanel::SetBorderStyle(TskSkinBorderStyle Value)
{
    FBorderStyle = Value;
    // Skinned, the look follows at the next paint.
    if (FSkinIndex != -1) return;
    Repaint();
    Realign();
}

void TskSkinPanel::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    Repaint();
    Realign();
}

void TskSkinPanel::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = Value;
    if (FSkinIndex == -1 && FCaptionMode) {
        Repaint();
        Realign();
    }
}

void TskSkinPanel::SetDefaultAlignment(TAlignment Value)
{
    FDefaultAlignment = Value;
    if (FSkinIndex == -1 && FCaptionMode) Repaint();
}

void TskSkinPanel::SetRollUpMode(bool Value)
{
    FRollUpMode = Value;
    if (FSkinIndex == -1 && FCaptionMode) Repaint();
}

void TskSkinPanel::SetCheckedMode(bool Value)
{
    FCheckedMode = Value;
    Repaint();
}

void TskSkinPanel::SetChecked(bool Value)
{
    FChecked = Value;
    if (FCheckedMode) Repaint();
    if (FAutoEnabledControls && FCheckedMode)
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(FChecked);
    if (OnChecked) OnChecked(this);
}

void TskSkinPanel::SetTransparentMode(bool Value)
{
    if (FTransparentMode == Value) return;
    FTransparentMode = Value;
    Repaint();
    if (!Designing() && !ComponentState().Contains(csLoading)) SendParentBackgroundChanged();
}

void TskSkinPanel::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinPanel::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 2 ? 2 : Value);
    Repaint();
}

void TskSkinPanel::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

void TskSkinPanel::SetImagePosition(TskImagePosition Value)
{
    if (FImagePosition == Value) return;
    FImagePosition = Value;
    Repaint();
}

void TskSkinPanel::SetRollUpState(bool Value)
{
    if (FRollUpState == Value) return;
    if (!FRollUpMode) {
        Constraints()->SetMinHeight(FSavedMinHeight);
        Constraints()->SetMaxHeight(FSavedMaxHeight);
        FRollUpState = false;
        return;
    }
    // The rolled size must not be refused by limits meant for the open panel.
    FSavedMinHeight = Constraints()->MinHeight();
    FSavedMaxHeight = Constraints()->MaxHeight();
    Constraints()->SetMinHeight(0);
    Constraints()->SetMaxHeight(0);
    FRollUpState = Value;
    ApplyRollUp();
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TskSkinPanel::ApplyRollUp()
{
    FApplyingRollUp = true;
    try {
        if (FRollUpState) {
            if (FRealHeight < 0) FRealHeight = Height();
            DisableAlign();
            for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(false);
            EnableAlign();
            int h = FDefaultCaptionHeight + 1;
            if (FSkinIndex != -1) {
                int w = Width();
                int fullH = FRealHeight;
                ComputeSkinSize(w, fullH);
                h = FRealHeight - FNewSkinClientRect.Height();
            }
            SetHeight(h);
        } else {
            if (FRealHeight >= 0) SetHeight(FRealHeight);
            FRealHeight = -1;
            for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(true);
        }
    } catch (...) {
        FApplyingRollUp = false;
        throw;
    }
    FApplyingRollUp = false;
}

bool TskSkinPanel::CanAutoSize(int& NewWidth, int& NewHeight)
{
    if (FApplyingRollUp && FRollUpMode && AutoSize()) return false;
    return TskSkinCustomControl::CanAutoSize(NewWidth, NewHeight);
}

void TskSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FSkinIndex == -1) Repaint();
}

void TskSkinPanel::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    FBGPictureIndex = -1;
    auto* entry = FSkinIndex != -1 ? dynamic_cast<TskDataSkinPanelControl*>(SkinEntry()) : nullptr;
    if (entry == nullptr) return;
    FCaptionRect = entry->CaptionRect;
    FAlignment = entry->Alignment;
    FFontName = entry->FontName;
    FFontStyle = entry->FontStyle;
    FFontHeight = entry->FontHeight;
    FFontColor = entry->FontColor;
    FBGPictureIndex = entry->BGPictureIndex;
    FCheckImageRect = entry->CheckImageRect;
    FUncheckImageRect = entry->UncheckImageRect;
}

void TskSkinPanel::RefreshSkin()
{
    TskSkinCustomControl::RefreshSkin();
    if (FRollUpState) {
        // Roll again for the new skin's caption height, keeping the open height.
        FRollUpState = true;
        ApplyRollUp();
    } else {
        Realign();
    }
}

void TskSkinPanel::ParentBackgroundChanged()
{
    if (!FTransparentMode && !AlphaBlend()) return;
    Repaint();
    SendParentBackgroundChanged();
}

void TskSkinPanel::AdjustClientRect(TRect& R)
{
    FindSkinObject();
    if (FSkinIndex != -1 && FTransparentMode) {
        int top = 2;
        if (FCaptionMode) {
            TBitmap probe(1, 1);
            SetCaptionFont(probe.Canvas());
            top = probe.Canvas()->TextHeight("Wg");
        }
        R = Rect(2, top, Width() - 2, Height() - 2);
        return;
    }
    if (FSkinIndex != -1 && !Designing()) {
        const bool wholeArea = FBGPictureIndex != -1 || (FBorderStyle == bvNone && FResizeMode == 1 && !FCaptionMode);
        if (wholeArea) {
            R = Rect(0, 0, Width(), Height());
            return;
        }
        int w = Width();
        int h = Height();
        ComputeSkinSize(w, h);
        R = FNewSkinClientRect;
        return;
    }
    R = Rect(0, 0, Width(), Height());
    if (FBorderStyle != bvNone) InflateRect(R, -1, -1);
    if (FCaptionMode) R.Top += FDefaultCaptionHeight;
}

TRect TskSkinPanel::CaptionBarRect() const
{
    if (FSkinIndex != -1) return FCaptionRectDrawn;
    return Rect(1, 1, Width() - 1, FDefaultCaptionHeight);
}

void TskSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FCaptionMode && (FCheckedMode || FRollUpMode) && CaptionBarRect().Contains(Point(X, Y))) {
        if (FCheckedMode) SetChecked(!FChecked);
        if (FRollUpMode) SetRollUpState(!FRollUpState);
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinPanel::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOVE:
        TskSkinCustomControl::WndProc(Message);
        if (FTransparentMode) {
            Repaint();
            SendParentBackgroundChanged();
        }
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(Message);
        if (FCaptionMode) Repaint();
        return;
    default:
        TskSkinCustomControl::WndProc(Message);
    }
}

// ---- painting

void TskSkinPanel::SetCaptionFont(TCanvas* C)
{
    if (FSkinIndex != -1 && UseSkinFont()) {
        C->Font()->SetName(FFontName);
        C->Font()->SetHeight(FFontHeight);
        C->Font()->SetStyle(FFontStyle);
        C->Font()->SetColor(FFontColor);
    } else {
        C->SetFont(DefaultFont());
        if (FSkinIndex != -1) C->Font()->SetColor(FFontColor);
    }
}

void TskSkinPanel::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    if (FSkinIndex != -1 && FTransparentMode) {
        PaintTransparent();
        return;
    }
    if (FSkinIndex == -1 || (!FPaintFrameDirectly && FStretchEffect)) {
        TskSkinControl::Paint();
        return;
    }
    TCanvas* c = Canvas();
    const TRect whole = Rect(0, 0, Width(), Height());
    if (FBorderStyle == bvNone && FResizeMode == 1 && !FCaptionMode && FPaintFrameDirectly && !AlphaBlend()) {
        // A frameless row: only the skin's client texture, edge to edge.
        TRect piece = FSkinClientRect;
        OffsetRect(piece, FSkinRect.Left, FSkinRect.Top);
        if (FStretchEffect)
            StretchTileDraw(c, FPicture, piece, whole, FStretchType);
        else
            TileDraw(c, FPicture, piece, whole);
        return;
    }
    TBitmap* bg = SkinPicture(FBGPictureIndex);
    if (bg == nullptr) {
        TskSkinCustomControl::Paint();
        return;
    }
    const TRect all = Rect(0, 0, bg->Width(), bg->Height());
    if (!FStretchEffect) {
        TileDraw(c, bg, all, whole);
    } else {
        int w = Width();
        int h = Height();
        ComputeSkinSize(w, h);
        StretchTileDraw(c, bg, all, FStretchType == stFull ? FNewSkinClientRect : whole, FStretchType);
    }
}

void TskSkinPanel::PaintTransparent()
{
    TBitmap b(Width(), Height());
    TCanvas* c = b.Canvas();
    PaintParentBackground(this, c);
    TskSkinColors* colors = SkinData()->SkinColors.get();
    const TColor shadow = colors != nullptr ? colors->cBtnShadow : clBtnShadow;
    c->Pen()->SetColor(shadow);
    if (!FCaptionMode) {
        if (FBorderStyle != bvNone) {
            c->Brush()->SetColor(shadow);
            c->FrameRect(Rect(0, 0, Width(), Height()));
        }
    } else {
        SetCaptionFont(c);
        const std::string text = Caption();
        const int th = c->TextHeight("Wg");
        const int tw = c->TextWidth(text);
        const int y = th / 2;
        c->MoveTo(0, y);
        c->LineTo(4, y);
        c->MoveTo(5 + tw + 2, y);
        c->LineTo(Width() - 1, y);
        c->LineTo(Width() - 1, Height() - 1);
        c->LineTo(0, Height() - 1);
        c->LineTo(0, y);
        c->Brush()->SetStyle(bsClear);
        c->TextOut(5, 0, text);
        FCaptionRectDrawn = Rect(0, 0, Width(), th);
    }
    DrawPanelHook(c);
    Canvas()->Draw(0, 0, &b);
}

void TskSkinPanel::DrawCaptionText(TCanvas* C, TRect R, TAlignment Align, TColor Color)
{
    if (FRollUpMode) {
        const TRect button = Rect(R.Right - RollButtonWidth, R.Top, R.Right, R.Bottom);
        DrawArrowImage(C, button, Color, FRollUpState ? 4 : 3);
        R.Right -= RollButtonWidth;
    }
    if (FCheckedMode) {
        const TRect box = Rect(R.Left + 2, R.Top + (R.Height() - 13) / 2, R.Left + 15, R.Top + (R.Height() - 13) / 2 + 13);
        const TRect piece = FChecked ? FCheckImageRect : FUncheckImageRect;
        if (FSkinIndex != -1 && FPicture != nullptr && !IsEmptyRect(piece)) {
            C->CopyRect(Rect(box.Left, R.Top + (R.Height() - piece.Height()) / 2, box.Left + piece.Width(),
                            R.Top + (R.Height() - piece.Height()) / 2 + piece.Height()),
                FPicture->Canvas(), piece);
        } else {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(clWindow);
            C->FillRect(box);
            C->Brush()->SetColor(clBtnShadow);
            C->FrameRect(box);
            if (FChecked) DrawCheckImage(C, box.Left + 3, box.Top + 2, clBtnText);
        }
        R.Left += 20;
    }
    if (!FGlyph->Empty()) {
        const int gw = FGlyph->Width() / FNumGlyphs;
        const int gy = R.Top + (R.Height() - FGlyph->Height()) / 2;
        DrawGlyph(C, R.Left + 2, gy, FGlyph, FNumGlyphs, Enabled() || FNumGlyphs < 2 ? 1 : 2);
        R.Left += 2 + gw + FSpacing;
    }
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    flags |= Align == taCenter ? DT_CENTER : (Align == taRightJustify ? DT_RIGHT : DT_LEFT);
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(Color);
    if (Align == taLeftJustify) R.Left += 2;
    DrawWideText(C, Caption(), R, flags);
}

void TskSkinPanel::DrawSkinImage(TBitmap* B)
{
    if (FBorderStyle == bvNone && FResizeMode == 1 && !FCaptionMode && !FStretchEffect) {
        TRect piece = FSkinClientRect;
        OffsetRect(piece, FSkinRect.Left, FSkinRect.Top);
        TileDraw(B->Canvas(), FPicture, piece, Rect(0, 0, B->Width(), B->Height()));
        return;
    }
    TskSkinCustomControl::DrawSkinImage(B);
    TRect r;
    MapSkinRect(FCaptionRect, r);
    FCaptionRectDrawn = r;
    if (IsEmptyRect(r) || (Caption().empty() && !FCheckedMode && !FRollUpMode)) return;
    SetCaptionFont(B->Canvas());
    DrawCaptionText(B->Canvas(), r, FAlignment, FFontColor);
}

void TskSkinPanel::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const int w = B->Width();
    const int h = B->Height();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, w, h));
    const TRect all = Rect(0, 0, w, h);
    switch (FBorderStyle) {
    case bvFrame:
        DrawFrame3D(c, all, clBtnShadow, clBtnShadow);
        break;
    case bvRaised:
        DrawFrame3D(c, all, clBtnHighlight, clBtnShadow);
        break;
    case bvLowered:
        DrawFrame3D(c, all, clBtnShadow, clBtnHighlight);
        break;
    case bvNone:
        break;
    }
    if (!FCaptionMode) return;
    TRect bar;
    if (FBorderStyle == bvFrame) {
        bar = Rect(0, 0, w, FDefaultCaptionHeight);
        DrawFrame3D(c, bar, clBtnShadow, clBtnShadow);
        TRect inner = bar;
        InflateRect(inner, -1, -1);
        DrawFrame3D(c, inner, clBtnHighlight, clBtnFace);
    } else {
        bar = Rect(1, 1, w - 1, FDefaultCaptionHeight);
        DrawFrame3D(c, bar, clBtnShadow, clBtnHighlight);
        TRect inner = bar;
        InflateRect(inner, -1, -1);
        DrawFrame3D(c, inner, clBtnHighlight, clBtnShadow);
    }
    c->SetFont(DefaultFont());
    TRect text = bar;
    InflateRect(text, -2, -2);
    FCaptionRectDrawn = bar;
    DrawCaptionText(c, text, FDefaultAlignment, DefaultFont()->Color());
}

// ---- TskSkinGroupBox

TskSkinGroupBox::TskSkinGroupBox(TComponent* AOwner) : TskSkinPanel(AOwner)
{
    SetSkinDataName("groupbox");
    TskSkinPanel::SetCaptionMode(true);
}
