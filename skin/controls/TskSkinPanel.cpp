#include "skin/controls/TskSkinPanel.h"

#include <algorithm>

#include "platform/gfx/Text.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TCustomImageList.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinPanelControl.h"
#include "skin/data/TskSkinData.h"

namespace {
// The roll-up button's place at the caption's right end: the skin look's and the plain look's.
constexpr int RollButtonWidth = 12;
constexpr int DefaultRollButtonWidth = 10;
} // namespace

TskSkinPanel::TskSkinPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csSetCaption,
        csOpaque, csReplicatable});
    FPaintFrameDirectly = true;
    SetBounds(Left(), Top(), 150, 150);
    FNewSkinClientRect = Rect(0, 0, 0, 0);
    SetSkinDataName("panel");
}

TskSkinPanel::~TskSkinPanel() = default;

TBitmap* TskSkinPanel::Glyph() const
{
    if (!FGlyph) FGlyph = std::make_unique<TBitmap>();
    return FGlyph.get();
}

void TskSkinPanel::SetBorderStyle(TskSkinBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    // Skinned, the look follows at the next paint.
    if (SkinIndex() != -1) return;
    Repaint();
    Realign();
}

void TskSkinPanel::SetCaptionMode(bool Value)
{
    if (Value == FCaptionMode) return;
    FCaptionMode = Value;
    Repaint();
    Realign();
}

void TskSkinPanel::SetDefaultCaptionHeight(int Value)
{
    if (Value == FDefaultCaptionHeight) return;
    FDefaultCaptionHeight = Value;
    if (SkinIndex() == -1 && FCaptionMode) {
        Repaint();
        Realign();
    }
}

void TskSkinPanel::SetDefaultAlignment(TAlignment Value)
{
    if (Value == FDefaultAlignment) return;
    FDefaultAlignment = Value;
    if (SkinIndex() == -1 && FCaptionMode) Repaint();
}

void TskSkinPanel::SetRollUpMode(bool Value)
{
    if (Value == FRollUpMode) return;
    FRollUpMode = Value;
    if (SkinIndex() == -1 && FCaptionMode) Repaint();
}

void TskSkinPanel::SetCheckedMode(bool Value)
{
    if (Value == FCheckedMode) return;
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
    Glyph()->Assign(Value);
    Repaint();
}

void TskSkinPanel::SetNumGlyphs(int Value)
{
    Value = Value < 1 ? 1 : (Value > 2 ? 2 : Value);
    if (Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    Repaint();
}

void TskSkinPanel::SetSpacing(int Value)
{
    if (Value == FSpacing) return;
    FSpacing = Value;
    Repaint();
}

void TskSkinPanel::SetImagePosition(TskImagePosition Value)
{
    if (FImagePosition == Value) return;
    FImagePosition = Value;
    Repaint();
}

void TskSkinPanel::SetCaptionImageList(TCustomImageList* Value)
{
    if (FCaptionImageList == Value) return;
    FCaptionImageList = Value;
    Repaint();
}

void TskSkinPanel::SetCaptionImageIndex(int Value)
{
    if (FCaptionImageIndex == Value) return;
    FCaptionImageIndex = Value;
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
    {
        TValueGuard applyingRollUp(FApplyingRollUp);
        if (FRollUpState) {
            if (FRealHeight < 0) FRealHeight = Height();
            DisableAlign();
            for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(false);
            EnableAlign();
            int h = FDefaultCaptionHeight + 1;
            if (SkinIndex() != -1) {
                int w = Width();
                int fullH = FRealHeight;
                ComputeSkinSize(w, fullH);
                h = std::max(1, FRealHeight - FNewSkinClientRect.Height());
            }
            SetHeight(h);
        } else {
            if (FRealHeight >= 0) SetHeight(FRealHeight);
            FRealHeight = -1;
            for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(true);
        }
    }
}

bool TskSkinPanel::CanAutoSize(int& NewWidth, int& NewHeight)
{
    if (FApplyingRollUp && FRollUpMode && AutoSize()) return false;
    return TskSkinCustomControl::CanAutoSize(NewWidth, NewHeight);
}

void TskSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (SkinIndex() == -1) Repaint();
}

void TskSkinPanel::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    FBGPictureIndex = -1;
    auto* entry = SkinEntryAs<TskDataSkinPanelControl>();
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
    FMarkFrameRect = entry->MarkFrameRect;
    FFrameRect = entry->FrameRect;
    FFrameTextRect = entry->FrameTextRect;
    FFrameLeftOffset = entry->FrameLeftOffset;
    FFrameRightOffset = entry->FrameRightOffset;
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
    if (SkinIndex() != -1 && FTransparentMode) {
        int top = 2;
        if (FCaptionMode) {
            TBitmap probe(1, 1);
            SetCaptionFont(probe.Canvas());
            top = probe.Canvas()->TextHeight("Wg");
        }
        R = Rect(2, top, Width() - 2, Height() - 2);
        return;
    }
    if (SkinIndex() != -1 && !Designing()) {
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

TRect TskSkinPanel::PanelClientRect()
{
    TRect r = Rect(0, 0, Width(), Height());
    TskSkinPanel::AdjustClientRect(r);
    return r;
}

TRect TskSkinPanel::CaptionBarRect() const
{
    if (SkinIndex() != -1) return FCaptionRectDrawn;
    return Rect(1, 1, Width() - 1, FDefaultCaptionHeight);
}

void TskSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // Either change's handler may free the panel.
    const auto alive = FAlive.Watch();
    if (Button == mbLeft && FCaptionMode && (FCheckedMode || FRollUpMode) && CaptionBarRect().Contains(Point(X, Y))) {
        if (FCheckedMode) SetChecked(!FChecked);
        if (*alive && FRollUpMode) SetRollUpState(!FRollUpState);
    }
    if (*alive) TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
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
    const TskEntryFont face(FFontName, FFontHeight, FFontStyle);
    const bool skinFace = SkinIndex() != -1 && UseSkinFont();
    SelectEntryFont(C->Font(), skinFace ? nullptr : DefaultFont(), skinFace ? &face : nullptr, SkinData(),
        DefaultFont()->Charset());
    if (SkinIndex() != -1) C->Font()->SetColor(FFontColor);
}

void TskSkinPanel::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    if (SkinIndex() != -1 && FTransparentMode) {
        PaintTransparent();
        return;
    }
    if (SkinIndex() == -1 || (!FPaintFrameDirectly && FStretchEffect)) {
        TskSkinControl::Paint();
        return;
    }
    PaintDirect();
}

void TskSkinPanel::PaintDirect()
{
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
        DrawOverPanel(c);
        return;
    }
    TBitmap* bg = SkinPicture(FBGPictureIndex);
    if (bg == nullptr) {
        // Large nine-part panels compose their frame straight on the canvas; DrawSkinImage is then
        // asked for the top band only, and what goes over the whole panel comes after.
        const bool direct = FPaintFrameDirectly && FResizeMode == 1 && !AlphaBlend();
        {
            TValueGuard paintingDirect(FPaintingDirect, direct);
            TskSkinCustomControl::Paint();
        }
        if (direct) DrawOverPanel(c);
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
    DrawOverPanel(c);
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
        const TColor textColor = c->Font()->Color();
        const std::string text = Caption();
        const int th = c->TextHeight("Wg");
        const int y = th / 2;
        // The caption row: check image, glyph or image, text, then the roll-up arrow, from x 5; the
        // frame's top edge leaves a gap for it.
        const TSize check = CheckImageSize();
        const TSize img = CaptionImageSize();
        const int tw = c->TextWidth(text);
        int width = 0;
        if (FCheckedMode) width += check.cx + 3;
        if (img.cx > 0) width += img.cx + FSpacing;
        width += tw;
        if (FRollUpMode) width += 2 + DefaultRollButtonWidth;
        const int end = 5 + width;
        c->MoveTo(0, y);
        c->LineTo(4, y);
        c->MoveTo(end + 2, y);
        c->LineTo(Width() - 1, y);
        c->LineTo(Width() - 1, Height() - 1);
        c->LineTo(0, Height() - 1);
        c->LineTo(0, y);
        int x = 5;
        if (FCheckedMode) {
            PaintCaptionCheck(c, x, 0, th);
            x += check.cx + 3;
        }
        if (img.cx > 0) {
            PaintCaptionImage(c, x, 0, th);
            x += img.cx + FSpacing;
        }
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(textColor);
        c->TextOut(x, 0, text);
        x += tw;
        if (FRollUpMode) PaintRollButton(c, Rect(x + 2, 0, x + 2 + DefaultRollButtonWidth, th), textColor);
        FCaptionRectDrawn = Rect(0, 0, Width(), th);
    }
    DrawPanelHook(c);
    DrawOverPanel(c);
    Canvas()->Draw(0, 0, &b);
}

// ---- the caption's pieces

TSize TskSkinPanel::CheckImageSize() const
{
    const TRect& piece = FChecked ? FCheckImageRect : FUncheckImageRect;
    if (SkinIndex() != -1 && FPicture != nullptr && !IsEmptyRect(piece)) return TSize{piece.Width(), piece.Height()};
    return TSize{13, 13};
}

void TskSkinPanel::PaintCaptionCheck(TCanvas* C, int X, int Top, int H)
{
    const TRect piece = FChecked ? FCheckImageRect : FUncheckImageRect;
    if (SkinIndex() != -1 && FPicture != nullptr && !IsEmptyRect(piece)) {
        const int y = Top + (H - piece.Height()) / 2;
        C->CopyRect(Rect(X, y, X + piece.Width(), y + piece.Height()), FPicture->Canvas(), piece);
        return;
    }
    const int y = Top + (H - 13) / 2;
    const TRect box = Rect(X, y, X + 13, y + 13);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clWindow);
    C->FillRect(box);
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect(box);
    if (FChecked) DrawCheckImage(C, box.Left + 3, box.Top + 2, clBtnText);
}

TSize TskSkinPanel::CaptionImageSize() const
{
    if (HasGlyph()) return TSize{FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
    if (FCaptionImageList != nullptr && FCaptionImageIndex >= 0 && FCaptionImageIndex < FCaptionImageList->Count())
        return TSize{FCaptionImageList->Width(), FCaptionImageList->Height()};
    return TSize{0, 0};
}

void TskSkinPanel::PaintCaptionImage(TCanvas* C, int X, int Top, int H)
{
    const TSize size = CaptionImageSize();
    if (size.cx <= 0) return;
    const int y = Top + (H - size.cy) / 2;
    if (HasGlyph())
        DrawGlyph(C, X, y, FGlyph.get(), FNumGlyphs, Enabled() || FNumGlyphs < 2 ? 1 : 2);
    else
        FCaptionImageList->Draw(C, X, y, FCaptionImageIndex, Enabled());
}

void TskSkinPanel::PaintRollButton(TCanvas* C, const TRect& R, TColor Color)
{
    if (SkinIndex() != -1 && FPicture != nullptr && !IsEmptyRect(FMarkFrameRect)) {
        // The skin's button face, centred in the button's place, under the arrow.
        const int w = FMarkFrameRect.Width();
        const int h = FMarkFrameRect.Height();
        const int x = R.Left + (R.Width() - w) / 2;
        const int y = R.Top + (R.Height() - h) / 2;
        C->CopyRect(Rect(x, y, x + w, y + h), FPicture->Canvas(), FMarkFrameRect);
    }
    DrawArrowImage(C, R, Color, FRollUpState ? 4 : 3);
}

bool TskSkinPanel::HasTextFrame() const
{
    return SkinIndex() != -1 && FPicture != nullptr && !IsEmptyRect(FFrameRect);
}

namespace {
// The text's margins inside the caption's text frame: from "frametextrect" (relative to "framerect")
// when the entry gives one, else the frame's end caps.
void FrameMargins(const TRect& Frame, const TRect& Text, int LeftOffset, int RightOffset, int& L, int& R)
{
    if (!IsEmptyRect(Text)) {
        L = std::max(0, Text.Left);
        R = std::max(0, Frame.Width() - Text.Right);
    } else {
        L = std::max(0, LeftOffset);
        R = std::max(0, RightOffset);
    }
}
} // namespace

int TskSkinPanel::TextBlockWidth(TCanvas* C, const std::string& Text)
{
    const int tw = Text.empty() ? 0 : WideTextWidth(C, Text);
    if (!HasTextFrame()) return tw;
    int l = 0, r = 0;
    FrameMargins(FFrameRect, FFrameTextRect, FFrameLeftOffset, FFrameRightOffset, l, r);
    return l + tw + r;
}

void TskSkinPanel::PaintTextBlock(TCanvas* C, int X, const TRect& Row, const std::string& Text, TColor Color)
{
    TRect textRect = Rect(X, Row.Top, X + TextBlockWidth(C, Text), Row.Bottom);
    if (HasTextFrame()) {
        // The frame is sized round the text, its ends kept, its middle tiled.
        int l = 0, r = 0;
        FrameMargins(FFrameRect, FFrameTextRect, FFrameLeftOffset, FFrameRightOffset, l, r);
        const int fw = textRect.Width();
        const int fh = FFrameRect.Height();
        const int fy = Row.Top + (Row.Height() - fh) / 2;
        TBitmap frame;
        CreateHSkinImage(FFrameLeftOffset, FFrameRightOffset, &frame, FPicture, FFrameRect, fw, fh, false);
        if (!frame.Empty()) C->Draw(X, fy, &frame);
        textRect = Rect(X + l, fy, X + fw - r, fy + fh);
        if (!IsEmptyRect(FFrameTextRect)) {
            textRect.Top = fy + FFrameTextRect.Top;
            textRect.Bottom = fy + FFrameTextRect.Bottom;
        }
    }
    if (Text.empty()) return;
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(Color);
    DrawWideText(C, Text, textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

void TskSkinPanel::DrawCaptionText(TCanvas* C, TRect R, TAlignment Align, TColor Color)
{
    const bool skinned = SkinIndex() != -1;
    if (FRollUpMode) {
        const int bw = skinned ? RollButtonWidth : DefaultRollButtonWidth;
        PaintRollButton(C, Rect(R.Right - bw, R.Top, R.Right, R.Bottom), skinned ? Color : clBtnText);
        R.Right -= bw;
    }
    if (FCheckedMode) {
        PaintCaptionCheck(C, R.Left + 2, R.Top, R.Height());
        R.Left += std::max(20, CheckImageSize().cx + 7);
    }
    const TSize img = CaptionImageSize();
    int imagePart = img.cx > 0 ? img.cx + FSpacing : 0;
    if (imagePart > 0 && FImagePosition == skimgpLeft) {
        // The image keeps the caption's left end; the text is aligned in what is left.
        PaintCaptionImage(C, R.Left + 2, R.Top, R.Height());
        R.Left += 2 + imagePart;
        imagePart = 0;
    }
    // Otherwise the image goes with the text, just before it, wherever the alignment puts the text.
    std::string text = Caption();
    const int room = R.Width() - 4 - imagePart - TextBlockWidth(C, "");
    if (!text.empty() && WideTextWidth(C, text) > room) CorrectTextByWidth(C, text, std::max(0, room));
    const int block = imagePart + TextBlockWidth(C, text);
    int x = R.Left + 2;
    if (Align == taCenter)
        x = R.Left + (R.Width() - block) / 2;
    else if (Align == taRightJustify)
        x = R.Right - 2 - block;
    x = std::max(x, R.Left);
    if (imagePart > 0) {
        PaintCaptionImage(C, x, R.Top, R.Height());
        x += imagePart;
    }
    PaintTextBlock(C, x, R, text, Color);
}

void TskSkinPanel::DrawSkinImage(TBitmap* B)
{
    if (FBorderStyle == bvNone && FResizeMode == 1 && !FCaptionMode && !FStretchEffect) {
        TRect piece = FSkinClientRect;
        OffsetRect(piece, FSkinRect.Left, FSkinRect.Top);
        TileDraw(B->Canvas(), FPicture, piece, Rect(0, 0, B->Width(), B->Height()));
        if (!FPaintingDirect) DrawOverPanel(B->Canvas());
        return;
    }
    TskSkinCustomControl::DrawSkinImage(B);
    TRect r;
    MapSkinRect(FCaptionRect, r);
    FCaptionRectDrawn = r;
    if (!IsEmptyRect(r) && !(Caption().empty() && !FCheckedMode && !FRollUpMode)) {
        SetCaptionFont(B->Canvas());
        DrawCaptionText(B->Canvas(), r, FAlignment, FFontColor);
    }
    if (!FPaintingDirect) DrawOverPanel(B->Canvas());
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
    if (FCaptionMode) {
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
    DrawOverPanel(c);
}

// ---- TskSkinGroupBox

TskSkinGroupBox::TskSkinGroupBox(TComponent* AOwner) : TskSkinPanel(AOwner)
{
    SetSkinDataName("groupbox");
    TskSkinPanel::SetCaptionMode(true);
}
