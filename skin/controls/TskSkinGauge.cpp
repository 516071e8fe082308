#include "skin/controls/TskSkinGauge.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/Text.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TTimer.h"
#include "platform/win/Messages.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/data/SkinRects.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/TskDataSkinPanelControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"

TskSkinGauge::TskSkinGauge(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetBounds(Left(), Top(), 100, 20);
    SetSkinDataName("gauge");
}

TskSkinGauge::~TskSkinGauge()
{
    // The timers must not tick into a half-destroyed gauge.
    FFrameTimer.reset();
    FPauseTimer.reset();
}

void TskSkinGauge::SetMinValue(int Value)
{
    FMinValue = Value;
    if (FMinValue > FValue) FValue = FMinValue;
    Repaint();
}

void TskSkinGauge::SetMaxValue(int Value)
{
    FMaxValue = Value;
    if (Value < FValue) FValue = Value;
    Repaint();
}

void TskSkinGauge::SetValue(int Value)
{
    if (Value > FMaxValue) {
        if (FValue == FMaxValue) return;
        FValue = FMaxValue;
        Invalidate();
        return;
    }
    const int v = std::max(Value, FMinValue);
    if (v == FValue) return;
    FValue = v;
    Invalidate();
}

void TskSkinGauge::SetProgressText(const std::string& Value)
{
    if (Value == FProgressText) return;
    FProgressText = Value;
    Repaint();
}

void TskSkinGauge::SetShowProgressText(bool Value)
{
    if (Value == FShowProgressText) return;
    FShowProgressText = Value;
    Repaint();
}

void TskSkinGauge::SetShowPercent(bool Value)
{
    if (Value == FShowPercent) return;
    FShowPercent = Value;
    Repaint();
}

void TskSkinGauge::SetVertical(bool Value)
{
    if (Value == FVertical) return;
    FVertical = Value;
    if (Designing() && !ComponentState().Contains(csLoading)) SetSkinDataName(Value ? "vgauge" : "gauge");
    Repaint();
}

void TskSkinGauge::SetTextAlphaBlend(bool Value)
{
    if (Value == FTextAlphaBlend) return;
    FTextAlphaBlend = Value;
    if (SkinIndex() != -1 && (FShowProgressText || FShowPercent)) Repaint();
}

void TskSkinGauge::SetTextAlphaBlendValue(BYTE Value)
{
    if (Value == FTextAlphaBlendValue) return;
    FTextAlphaBlendValue = Value;
    if (SkinIndex() != -1 && FTextAlphaBlend && (FShowProgressText || FShowPercent)) Repaint();
}

void TskSkinGauge::SetProgressAnimationPause(int Value)
{
    if (Value >= 0) FProgressAnimationPause = Value;
}

double TskSkinGauge::Fraction() const
{
    if (FMaxValue == FMinValue) return 0.0;
    const double k = (static_cast<double>(FValue) - FMinValue) / (static_cast<double>(FMaxValue) - FMinValue);
    return std::clamp(k, 0.0, 1.0);
}

TRect TskSkinGauge::ProgressRect(const TRect& R) const
{
    TRect out = R;
    const double k = Fraction();
    if (FVertical)
        out.Top = R.Bottom - static_cast<int>(std::trunc(R.Height() * k));
    else
        out.Right = R.Left + static_cast<int>(std::trunc(R.Width() * k));
    return out;
}

int TskSkinGauge::Percent() const
{
    if (FMaxValue == FMinValue) return 0;
    const double p = (static_cast<double>(FValue) - FMinValue) / (static_cast<double>(FMaxValue) - FMinValue) * 100.0;
    return std::clamp(static_cast<int>(std::trunc(p)), 0, 100);
}

std::string TskSkinGauge::GaugeText() const
{
    std::string s;
    if (FShowProgressText) s = FProgressText;
    if (FShowPercent) s += IntToStr(Percent()) + "%";
    return s;
}

void TskSkinGauge::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    auto* entry = SkinEntryAs<TskDataSkinGaugeControl>();
    if (entry == nullptr) return;
    FProgressArea = entry->ProgressArea;
    FProgressPiece = entry->ProgressRect;
    FBeginOffset = entry->BeginOffset;
    FEndOffset = entry->EndOffset;
    FVertical = entry->Vertical;
    FFontName = entry->FontName;
    FFontStyle = entry->FontStyle;
    FFontHeight = entry->FontHeight;
    FFontColor = entry->FontColor;
    FProgressTransparent = entry->ProgressTransparent;
    FProgressTransparentColor = entry->ProgressTransparentColor;
    FProgressStretch = entry->ProgressStretch;
    FAnimationStrip = entry->ProgressAnimationSkinRect;
    FAnimationCount = entry->ProgressAnimationCountFrames;
    FAnimationInterval = entry->ProgressAnimationTimerInterval;
    // A freely sized gauge would be cut by a region of the skin's size.
    if (!FUseSkinSize) FMaskPicture = nullptr;
}

void TskSkinGauge::ComputeSkinSize(int& AWidth, int& AHeight)
{
    const int w = AWidth;
    const int h = AHeight;
    TskSkinCustomControl::ComputeSkinSize(AWidth, AHeight);
    FNewProgressArea = FProgressArea;
    if (FResizeMode > 0) {
        if (FVertical)
            FNewProgressArea.Bottom += AHeight - FSkinRect.Height();
        else
            FNewProgressArea.Right += AWidth - FSkinRect.Width();
    }
    if (!FUseSkinSize) {
        AWidth = w;
        AHeight = h;
    }
}

void TskSkinGauge::DrawProgressText(TCanvas* C)
{
    const std::string text = GaugeText();
    if (text.empty()) return;
    const TskEntryFont face(FFontName, FFontHeight, FFontStyle);
    const bool skinFace = SkinIndex() != -1 && UseSkinFont();
    SelectEntryFont(C->Font(), skinFace ? nullptr : DefaultFont(), skinFace ? &face : nullptr, SkinData(),
        DefaultFont()->Charset());
    if (SkinIndex() != -1) C->Font()->SetColor(FFontColor);
    const TSize ext = C->TextExtent(text);
    if (FVertical) {
        // Turned a quarter counter-clockwise: the text runs upward from its bottom end, centred.
        DrawRotatedText(C, Width() / 2 - ext.cy / 2, Height() / 2 + ext.cx / 2, text);
        return;
    }
    const int x = Width() / 2 - ext.cx / 2;
    const int y = Height() / 2 - ext.cy / 2;
    C->Brush()->SetStyle(bsClear);
    C->TextOut(x, y, text);
}

void TskSkinGauge::DrawRotatedText(TCanvas* C, int X, int Y, const std::string& Text)
{
    // The canvas's font has no rotation of its own: a turned copy is selected for this one call and the
    // canvas's own font put back, so that later drawing on the canvas is not turned.
    TLogFont lf = C->Font()->LogFont();
    lf.Escapement = 900;
    lf.Orientation = 900;
    HFONT turned = CreateFontIndirect(lf);
    const HDC dc = C->Handle();
    const HFONT old = SelectObject(dc, turned);
    const COLORREF oldColor = SetTextColor(dc, ColorToRGB(C->Font()->Color()));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    ::TextOut(dc, X, Y, Text);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    SelectObject(dc, old);
    DeleteObject(turned);
}

TRect TskSkinGauge::MiddleSource() const
{
    // A frame the entry no longer has (the skin changed between two ticks) shows the plain piece.
    const TRect frame = AnimationFrameRect(FAnimationFrame);
    TRect piece = IsEmptyRect(frame) ? FProgressPiece : frame;
    if (FVertical) {
        piece.Top += FBeginOffset;
        piece.Bottom -= FEndOffset;
    } else {
        piece.Left += FBeginOffset;
        piece.Right -= FEndOffset;
    }
    return piece;
}

void TskSkinGauge::DrawProgressPiece(TBitmap* B, const TRect& PR)
{
    TBitmap pb(PR.Width(), PR.Height());
    TBitmap* src = FPicture;
    const int len = FVertical ? PR.Height() : PR.Width();
    if (len - FBeginOffset - FEndOffset >= 1) {
        TRect target;
        const TRect piece = MiddleSource();
        if (FVertical)
            target = Rect(0, FBeginOffset, pb.Width(), pb.Height() - FEndOffset);
        else
            target = Rect(FBeginOffset, 0, pb.Width() - FEndOffset, pb.Height());
        if (IsEmptyRect(piece)) return; // nothing to fill with: neither bar nor text
        if (FProgressStretch || !IsEmptyRect(AnimationFrameRect(FAnimationFrame)))
            pb.Canvas()->CopyRect(target, src->Canvas(), piece);
        else if (!FVertical)
            TileDraw(pb.Canvas(), src, Rect(piece.Left, piece.Top, piece.Right, piece.Top + target.Height()), target);
        else {
            // Upright bars grow from the bottom: the tiles are laid upward.
            const int ph = piece.Height();
            for (int y = target.Bottom; y > target.Top; y -= ph) {
                const int h = std::min(ph, y - target.Top);
                pb.Canvas()->CopyRect(Rect(target.Left, y - h, target.Right, y), src->Canvas(),
                    Rect(piece.Left, piece.Bottom - h, piece.Left + target.Width(), piece.Bottom));
            }
        }
    }
    const TRect& p = FProgressPiece;
    if (FBeginOffset > 0) {
        if (FVertical)
            pb.Canvas()->CopyRect(Rect(0, 0, pb.Width(), FBeginOffset), src->Canvas(),
                Rect(p.Left, p.Top, p.Left + pb.Width(), p.Top + FBeginOffset));
        else
            pb.Canvas()->CopyRect(Rect(0, 0, FBeginOffset, pb.Height()), src->Canvas(),
                Rect(p.Left, p.Top, p.Left + FBeginOffset, p.Top + pb.Height()));
    }
    if (FEndOffset > 0) {
        if (FVertical)
            pb.Canvas()->CopyRect(Rect(0, pb.Height() - FEndOffset, pb.Width(), pb.Height()), src->Canvas(),
                Rect(p.Left, p.Bottom - FEndOffset, p.Left + pb.Width(), p.Bottom));
        else
            pb.Canvas()->CopyRect(Rect(pb.Width() - FEndOffset, 0, pb.Width(), pb.Height()), src->Canvas(),
                Rect(p.Right - FEndOffset, p.Top, p.Right, p.Top + pb.Height()));
    }
    if (FProgressTransparent) {
        pb.SetTransparentMode(tmFixed);
        pb.SetTransparentColor(FProgressTransparentColor);
        pb.SetTransparent(true);
    }
    B->Canvas()->Draw(PR.Left, PR.Top, &pb);
}

void TskSkinGauge::DrawSkinImage(TBitmap* B)
{
    int w = Width();
    int h = Height();
    ComputeSkinSize(w, h);
    TskSkinCustomControl::DrawSkinImage(B);
    const TRect pr = ProgressRect(FNewProgressArea);
    if (OnGaugePaint) {
        OnGaugePaint(this, B->Canvas(), FNewProgressArea, pr);
        return;
    }
    if (FPicture != nullptr && !pr.IsEmpty()) {
        const int len = FVertical ? pr.Height() : pr.Width();
        if (len - FBeginOffset - FEndOffset >= 1 && IsEmptyRect(MiddleSource())) return;
        DrawProgressPiece(B, pr);
    }
    if (!FUseSkinSize) return; // drawn by Paint after stretching
    if (FTextAlphaBlend && (FShowProgressText || FShowPercent)) {
        TBitmap without;
        without.Assign(B);
        DrawProgressText(B->Canvas());
        TskEffectBmp with(B->Handle());
        TskEffectBmp under(without.Handle());
        with.Morph(under, 1.0 - FTextAlphaBlendValue / 255.0);
        with.DrawToDC(B->Canvas()->Handle(), 0, 0);
    } else {
        DrawProgressText(B->Canvas());
    }
}

void TskSkinGauge::DrawDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindow);
    c->FillRect(Rect(0, 0, B->Width(), B->Height()));
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(Rect(0, 0, B->Width(), B->Height()));
    const TRect r = Rect(1, 1, Width() - 1, Height() - 1);
    const TRect pr = ProgressRect(r);
    if (OnGaugePaint) {
        OnGaugePaint(this, c, r, pr);
        return;
    }
    if (!pr.IsEmpty()) {
        c->Brush()->SetColor(SkinHotFill);
        c->FillRect(pr);
    }
    DrawProgressText(c);
}

void TskSkinGauge::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_ERASEBKGND)
        PaintOnErase(Message);
    else
        TskSkinCustomControl::WndProc(Message);
}

void TskSkinGauge::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    if (FUseSkinSize || SkinIndex() == -1) {
        TskSkinCustomControl::Paint();
        return;
    }
    // A freely sized gauge: the skin's look composed at the size the picture allows, stretched over
    // the control, and the text drawn at the control's own size so that it keeps its shape.
    TBitmap b(Width(), Height());
    TBitmap skin;
    skin.SetSize(FResizeMode == 0 ? FSkinRect.Width() : Width(), FResizeMode == 0 ? FSkinRect.Height() : Height());
    DrawSkinImage(&skin);
    if (!skin.Empty()) b.Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), &skin);
    DrawProgressText(b.Canvas());
    ShowImage(&b);
}

// ---- the progress animation

bool TskSkinGauge::HasAnimationStrip() const
{
    return SkinIndex() != -1 && !IsEmptyRect(FAnimationStrip) && FAnimationCount > 0 && FAnimationInterval > 0;
}

TRect TskSkinGauge::AnimationFrameRect(int N) const
{
    // Frame N of the strip (from 1): side by side when the strip is wider than the progress piece,
    // else stacked; each an equal share of the strip.
    const TRect& s = FAnimationStrip;
    if (FAnimationCount < 1 || N < 1 || N > FAnimationCount) return Rect(0, 0, 0, 0);
    if (s.Width() > FProgressPiece.Width()) {
        const int w = s.Width() / FAnimationCount;
        return Rect(s.Left + (N - 1) * w, s.Top, s.Left + N * w, s.Bottom);
    }
    const int h = s.Height() / FAnimationCount;
    return Rect(s.Left, s.Top + (N - 1) * h, s.Right, s.Top + N * h);
}

void TskSkinGauge::StartProgressAnimation()
{
    FindSkinObject();
    if (!HasAnimationStrip()) return;
    if (!FFrameTimer) {
        FFrameTimer = std::make_unique<TTimer>(nullptr);
        FFrameTimer->SetEnabled(false);
        FFrameTimer->OnTimer = [this](TObject* Sender) { FrameTimerTimer(Sender); };
        FPauseTimer = std::make_unique<TTimer>(nullptr);
        FPauseTimer->SetEnabled(false);
        FPauseTimer->OnTimer = [this](TObject* Sender) { PauseTimerTimer(Sender); };
    }
    FAnimating = true;
    StartAnimationCycle();
}

void TskSkinGauge::StopProgressAnimation()
{
    if (FFrameTimer) FFrameTimer->SetEnabled(false);
    if (FPauseTimer) FPauseTimer->SetEnabled(false);
    const bool shown = FAnimationFrame != 0;
    FAnimating = false;
    FAnimationFrame = 0;
    if (shown) Repaint();
}

void TskSkinGauge::StartAnimationCycle()
{
    FPauseTimer->SetEnabled(false);
    FAnimationFrame = 0;
    FFrameTimer->SetInterval(static_cast<unsigned>(FAnimationInterval));
    FFrameTimer->SetEnabled(true);
    Repaint();
}

void TskSkinGauge::FrameTimerTimer(TObject*)
{
    // The skin may have changed since the last frame: a strip that is gone ends the animation.
    FindSkinObject();
    if (!HasAnimationStrip()) {
        StopProgressAnimation();
        return;
    }
    if (FAnimationFrame < FAnimationCount) {
        ++FAnimationFrame;
        Repaint();
        return;
    }
    // The last frame has had its time: the plain bar rests for the pause, then the cycle begins anew.
    FFrameTimer->SetEnabled(false);
    FAnimationFrame = 0;
    Repaint();
    if (FProgressAnimationPause > 0) {
        FPauseTimer->SetInterval(static_cast<unsigned>(FProgressAnimationPause));
        FPauseTimer->SetEnabled(true);
    } else {
        StartAnimationCycle();
    }
}

void TskSkinGauge::PauseTimerTimer(TObject*)
{
    FindSkinObject();
    if (!HasAnimationStrip()) {
        StopProgressAnimation();
        return;
    }
    StartAnimationCycle();
}

void TskSkinGauge::RefreshSkin()
{
    const bool running = FAnimating;
    if (running) StopProgressAnimation();
    TskSkinCustomControl::RefreshSkin();
    if (running) StartProgressAnimation();
}
