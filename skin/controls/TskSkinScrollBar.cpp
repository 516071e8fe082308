#include "skin/controls/TskSkinScrollBar.h"

#include <algorithm>
#include <cstdint>

#include "platform/rtl/Strings.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/TskDataSkinScrollBarControl.h"
#include "skin/data/TskEffectBmp.h"

namespace {
constexpr UINT_PTR RepeatTimer = 1;
constexpr UINT FirstDelay = 500;
constexpr UINT RepeatInterval = 50;

int RoundInt(double v) { return static_cast<int>(Round(v)); }
} // namespace

TskSkinScrollBar::TskSkinScrollBar(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetSkinDataName("hscrollbar");
    SetBounds(Left(), Top(), 200, 19);
    SetDefaultHeight(19);
}

TskSkinScrollBar::~TskSkinScrollBar()
{
    if (FTimerSet && HandleAllocated()) KillTimer(FHandle, RepeatTimer);
}

// --- properties -------------------------------------------------------------------------------------

int TskSkinScrollBar::TopLimit() const { return FPageSize != 0 ? FMax - FPageSize + 1 : FMax; }

// Min wins over the top limit: a page larger than the range must not push the position below Min,
// or owners would scroll their content past its start.
int TskSkinScrollBar::Clamped(int Value) const { return std::max(FMin, std::min(Value, TopLimit())); }

void TskSkinScrollBar::SetKind(TScrollBarKind Value)
{
    if (Value != FKind) {
        FKind = Value;
        Repaint();
    }
    if (!Designing() || ComponentState().Contains(csLoading)) return;
    if (Value == sbHorizontal) {
        SetSkinDataName("hscrollbar");
        if (Height() > Width()) SetBounds(Left(), Top(), Height(), Width());
        SetDefaultHeight(DefaultWidth());
        SetDefaultWidth(0);
    } else {
        SetSkinDataName("vscrollbar");
        if (Height() < Width()) SetBounds(Left(), Top(), Height(), Width());
        SetDefaultWidth(DefaultHeight());
        SetDefaultHeight(0);
    }
}

void TskSkinScrollBar::SetMin(int Value)
{
    FMin = Value;
    if (FMin > FPosition) FPosition = FMin;
    Repaint();
}

void TskSkinScrollBar::SetMax(int Value)
{
    FMax = Value;
    if (FPageSize != 0) {
        // The page is measured from the span Max - Min, so with a Min above zero even a position
        // that was valid may be pulled back towards the start.
        if (Value - FMin < FPageSize + FPosition)
            FPosition = (Value - FMin) - FPageSize + 1;
        if (FMin > FPosition)
            FPosition = FMin;
    } else if (Value < FPosition)
        FPosition = Value;
    Repaint();
}

void TskSkinScrollBar::SetPosition(int Value)
{
    const int v = Clamped(Value);
    if (v == FPosition) return;
    FPosition = v;
    Repaint();
    if (OnChange) OnChange(this);
}

void TskSkinScrollBar::SetPositionQuiet(int Value)
{
    const int v = Clamped(Value);
    if (v == FPosition) return;
    FPosition = v;
    Repaint();
}

void TskSkinScrollBar::SetRange(int AMin, int AMax, int APageSize, int APosition)
{
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
    FPosition = Clamped(APosition);
    Repaint();
}

void TskSkinScrollBar::SetPageSize(int Value)
{
    if (FPosition + Value <= FMax - FMin + 1) FPageSize = Value;
    Repaint();
}

void TskSkinScrollBar::SetSmallChange(int Value)
{
    if (Value == FSmallChange) return;
    FSmallChange = Value;
    Repaint();
}

void TskSkinScrollBar::SetLargeChange(int Value)
{
    if (Value == FLargeChange) return;
    FLargeChange = Value;
    Repaint();
}

void TskSkinScrollBar::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TskSkinScrollBar::SetBoth(bool Value)
{
    if (Value == FBoth) return;
    FBoth = Value;
    if (!Designing()) {
        if (Value) {
            FSavedSkinDataName = SkinDataName();
            SetSkinDataName(FBothSkinDataName);
        } else if (!FSavedSkinDataName.empty()) {
            SetSkinDataName(FSavedSkinDataName);
        }
    }
    if (SkinIndex() != -1)
        RefreshSkin();
    else
        Repaint();
}

void TskSkinScrollBar::SetBothMarkerWidth(int Value)
{
    if (Value < 0 || Value == FBothMarkerWidth) return;
    FBothMarkerWidth = Value;
    if (SkinIndex() == -1) Repaint();
}

// --- skin -------------------------------------------------------------------------------------------

void TskSkinScrollBar::FindSkinObject()
{
    TskSkinCustomControl::FindSkinObject();
    auto* e = SkinEntryAs<TskDataSkinScrollBarControl>();
    if (e == nullptr) {
        FSkinLink.Forget();
        return;
    }
    FSkinTrackArea = e->TrackArea;
    FUpButtonRect = e->UpButtonRect;
    FActiveUpButtonRect = e->ActiveUpButtonRect;
    FDownUpButtonRect = IsEmptyRect(e->DownUpButtonRect) ? FActiveUpButtonRect : e->DownUpButtonRect;
    FDownButtonRect = e->DownButtonRect;
    FActiveDownButtonRect = e->ActiveDownButtonRect;
    FDownDownButtonRect = IsEmptyRect(e->DownDownButtonRect) ? FActiveDownButtonRect : e->DownDownButtonRect;
    FThumbRect = e->ThumbRect;
    FActiveThumbRect = IsEmptyRect(e->ActiveThumbRect) ? FThumbRect : e->ActiveThumbRect;
    FDownThumbRect = IsEmptyRect(e->DownThumbRect) ? FActiveThumbRect : e->DownThumbRect;
    FThumbOffset1 = e->ThumbOffset1;
    FThumbOffset2 = e->ThumbOffset2;
    FThumbTransparent = e->ThumbTransparent;
    FThumbTransparentColor = e->ThumbTransparentColor;
    FThumbStretchEffect = e->ThumbStretchEffect;
    FThumbMinSize = e->ThumbMinSize;
    FThumbMinPageSize = e->ThumbMinPageSize;
    FGlyphRect = e->GlyphRect;
    FActiveGlyphRect = IsEmptyRect(e->ActiveGlyphRect) ? FGlyphRect : e->ActiveGlyphRect;
    FDownGlyphRect = IsEmptyRect(e->DownGlyphRect) ? FActiveGlyphRect : e->DownGlyphRect;
    FGlyphTransparent = e->GlyphTransparent;
    FGlyphTransparentColor = e->GlyphTransparentColor;
}

void TskSkinScrollBar::ComputeSkinSize(int& AWidth, int& AHeight)
{
    TskSkinCustomControl::ComputeSkinSize(AWidth, AHeight);
    CalcRects();
}

// --- layout -----------------------------------------------------------------------------------------

void TskSkinScrollBar::CalcRects()
{
    const bool skin = SkinIndex() != -1;
    int L = 16;
    if (!skin) {
        const int W = Width() - (FBoth ? FBothMarkerWidth : 0);
        const int H = Height();
        if (Horizontal()) {
            FParts[DownButtonPart].R = Rect(1, 1, 17, H - 1);
            FParts[UpButtonPart].R = Rect(W - 17, 1, W - 1, H - 1);
            FTrackArea = Rect(17, 1, W - 17, H - 1);
        } else {
            FParts[DownButtonPart].R = Rect(1, 1, Width() - 1, 17);
            FParts[UpButtonPart].R = Rect(1, H - 17, Width() - 1, H - 1);
            FTrackArea = Rect(1, 17, Width() - 1, H - 17);
        }
    } else {
        L = Horizontal() ? FThumbRect.Width() : FThumbRect.Height();
        if (FThumbMinSize != 0) L = FThumbMinSize;
        FTrackArea = FSkinTrackArea;
        TRect up = FUpButtonRect;
        TRect down = FDownButtonRect;
        if (Horizontal()) {
            const int D = Width() - FSkinRect.Width();
            FTrackArea.Right += D;
            if (up.Left > FRightTopPoint.X) OffsetRect(up, D, 0);
            if (down.Left > FRightTopPoint.X) OffsetRect(down, D, 0);
        } else {
            const int D = Height() - FSkinRect.Height();
            FTrackArea.Bottom += D;
            if (up.Top > FLeftBottomPoint.Y) OffsetRect(up, 0, D);
            if (down.Top > FLeftBottomPoint.Y) OffsetRect(down, 0, D);
        }
        FParts[UpButtonPart].R = up;
        FParts[DownButtonPart].R = down;
        if (FPageSize == 0 && FThumbMinPageSize != 0) L = FThumbMinPageSize;
    }

    const int R = FMax - FMin;
    double k = R == 0 ? 0.0 : (static_cast<double>(FPosition) - FMin) / R;
    const int trackStart = Horizontal() ? FTrackArea.Left : FTrackArea.Top;
    const int trackEnd = Horizontal() ? FTrackArea.Right : FTrackArea.Bottom;
    if (FPageSize != 0) {
        const int T = trackEnd - trackStart;
        const int span = FMax - FMin + 1;
        const int pageLength = span == 0 ? 0 : RoundInt(static_cast<double>(T) * FPageSize / span);
        L = std::max(L, pageLength);
        const int denom = FMax - FPageSize + 1 - FMin;
        if (denom > 0)
            k = (static_cast<double>(FPosition) - FMin) / denom;
        else
            k = Horizontal() ? 1.0 : 0.0;
    }
    FThumbLength = L;
    FTravelStart = trackStart + L / 2;
    FTravelEnd = trackEnd - L / 2;
    FOffset = RoundInt((FTravelEnd - FTravelStart) * k);
    const int centre = FTravelStart + FOffset;
    TRect t = FTrackArea;
    if (Horizontal()) {
        t.Left = centre - L / 2;
        t.Right = centre + L / 2;
        if (skin) {
            const int cross = FThumbRect.Height();
            t.Top = FTrackArea.Top + FTrackArea.Height() / 2 - cross / 2;
            t.Bottom = t.Top + cross;
        }
    } else {
        t.Top = centre - L / 2;
        t.Bottom = centre + L / 2;
        if (skin) {
            const int cross = FThumbRect.Width();
            t.Left = FTrackArea.Left + FTrackArea.Width() / 2 - cross / 2;
            t.Right = t.Left + cross;
        }
    }
    FParts[ThumbPart].R = t;
}

int TskSkinScrollBar::CalcValue(int Offset) const
{
    int start = FTravelStart;
    int end = FTravelEnd;
    if (FPageSize != 0) {
        const TRect& t = FParts[ThumbPart].R;
        const int size = Horizontal() ? t.Width() : t.Height();
        start = (Horizontal() ? FTrackArea.Left : FTrackArea.Top) + size / 2;
        end = (Horizontal() ? FTrackArea.Right : FTrackArea.Bottom) - size / 2;
    }
    const int off = Offset + FDragOffset;
    double ratio = end - start > 0 ? static_cast<double>(off) / (end - start) : 0.0;
    ratio = std::clamp(ratio, 0.0, 1.0);
    const int span = FPageSize != 0 ? FMax - FMin - FPageSize + 1 : FMax - FMin;
    return FMin + RoundInt(span * ratio);
}

// --- input ------------------------------------------------------------------------------------------

void TskSkinScrollBar::StepUp()
{
    if (OnUpButtonClick)
        OnUpButtonClick(this);
    else
        SetPosition(FPosition + FSmallChange);
}

void TskSkinScrollBar::StepDown()
{
    if (OnDownButtonClick)
        OnDownButtonClick(this);
    else
        SetPosition(FPosition - FSmallChange);
}

void TskSkinScrollBar::StartTimer(UINT Interval)
{
    SetTimer(Handle(), RepeatTimer, Interval);
    FTimerSet = true;
}

void TskSkinScrollBar::StopTimer()
{
    if (FTimerSet && HandleAllocated()) KillTimer(FHandle, RepeatTimer);
    FTimerSet = false;
    FTimerMode = 0;
}

void TskSkinScrollBar::ButtonDown(int I)
{
    FParts[I].Down = true;
    Repaint();
    // A step's handler may free the bar: the repeat then never starts.
    const auto alive = FAlive.Watch();
    switch (I) {
    case ThumbPart:
        FDragStart = Horizontal() ? FLastPoint.X : FLastPoint.Y;
        FDragOffset = FOffset;
        FDragging = true;
        Repaint();
        break;
    case UpButtonPart:
        StepUp();
        if (!*alive) return;
        FTimerMode = 2;
        StartTimer(FirstDelay);
        break;
    case DownButtonPart:
        StepDown();
        if (!*alive) return;
        FTimerMode = 1;
        StartTimer(FirstDelay);
        break;
    default:
        break;
    }
}

void TskSkinScrollBar::ButtonUp(int I)
{
    FParts[I].Down = false;
    if (I != FActivePart) FParts[I].MouseIn = false;
    Repaint();
    if (I == ThumbPart)
        FDragging = false;
    else
        StopTimer();
}

void TskSkinScrollBar::ButtonEnter(int I)
{
    FParts[I].MouseIn = true;
    Repaint();
    if (I != ThumbPart && FParts[I].Down) StartTimer(RepeatInterval);
}

void TskSkinScrollBar::ButtonLeave(int I)
{
    FParts[I].MouseIn = false;
    Repaint();
    if (I != ThumbPart && FParts[I].Down && FTimerSet && HandleAllocated()) {
        // Pausing keeps TimerMode: coming back onto the button resumes the repeat.
        KillTimer(FHandle, RepeatTimer);
        FTimerSet = false;
    }
}

void TskSkinScrollBar::TestActive(int X, int Y)
{
    int found = -1;
    for (int i = 0; i < 3; ++i)
        if (PtInRect(FParts[i].R, Point(X, Y))) {
            found = i;
            break;
        }
    if (FDownPart != -1 && found != FDownPart) found = -1;
    if (found == FActivePart) return;
    FOldActivePart = FActivePart;
    FActivePart = found;
    if (FOldActivePart != -1) ButtonLeave(FOldActivePart);
    if (FActivePart != -1) ButtonEnter(FActivePart);
}

void TskSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The handler may free the bar.
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft) return;
    FMouseDownFlag = true;
    FLastPoint = Point(X, Y);
    CalcRects();
    FTimerMode = 0;
    FFirstTick = true;
    for (int i = 0; i < 3; ++i)
        if (PtInRect(FParts[i].R, Point(X, Y))) {
            if (i == ThumbPart && !Enabled()) continue;
            FDownPart = i;
            ButtonDown(i);
            return;
        }
    if (!PtInRect(FTrackArea, Point(X, Y))) return;
    const TRect& t = FParts[ThumbPart].R;
    const bool forward = Horizontal() ? X >= t.Left : Y >= t.Top;
    if (forward) {
        SetPosition(FPosition + FLargeChange);
        if (!*alive) return;
        FTimerMode = 4;
        StartTimer(FirstDelay);
        if (OnPageDown) OnPageDown(this);
    } else {
        SetPosition(FPosition - FLargeChange);
        if (!*alive) return;
        FTimerMode = 3;
        StartTimer(FirstDelay);
        if (OnPageUp) OnPageUp(this);
    }
}

void TskSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y)
{
    FLastPoint = Point(X, Y);
    TestActive(X, Y);
    const auto alive = FAlive.Watch();
    if (FDragging) SetPosition(CalcValue((Horizontal() ? X : Y) - FDragStart));
    if (*alive) TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (!*alive) return;
    FMouseDownFlag = false;
    if (FTimerMode >= 3) StopTimer();
    const int held = FDownPart;
    FDownPart = -1;
    if (held != -1) ButtonUp(held);
    // Last: its handler may free the bar.
    if (Button == mbLeft && held == ThumbPart && OnLastChange) OnLastChange(this);
}

void TskSkinScrollBar::TimerTick()
{
    if (FFirstTick) {
        FFirstTick = false;
        StartTimer(RepeatInterval);
        return;
    }
    CalcRects();
    const TRect& t = FParts[ThumbPart].R;
    const auto alive = FAlive.Watch();
    switch (FTimerMode) {
    case 1:
        StepDown();
        break;
    case 2:
        StepUp();
        break;
    case 3:
        TestActive(FLastPoint.X, FLastPoint.Y);
        if (Horizontal() ? FLastPoint.X < t.Left : FLastPoint.Y < t.Top) {
            SetPosition(FPosition - FLargeChange);
            if (*alive && OnPageUp) OnPageUp(this);
        } else {
            StopTimer();
        }
        break;
    case 4:
        TestActive(FLastPoint.X, FLastPoint.Y);
        if (Horizontal() ? FLastPoint.X > t.Right : FLastPoint.Y > t.Bottom) {
            SetPosition(FPosition + FLargeChange);
            if (*alive && OnPageDown) OnPageDown(this);
        } else {
            StopTimer();
        }
        break;
    default:
        break;
    }
}

void TskSkinScrollBar::KeyDown(WORD& Key, TShiftState Shift)
{
    const auto alive = FAlive.Watch();
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (!*alive || !FCanFocused) return;
    if (Key == VK_LEFT || Key == VK_UP)
        SetPosition(FPosition - FSmallChange);
    else if (Key == VK_RIGHT || Key == VK_DOWN)
        SetPosition(FPosition + FSmallChange);
}

void TskSkinScrollBar::WndProc(TMessage& Message)
{
    if (FCanFocused && (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !TakeFocusOnPress())
        return;
    if (Message.Msg == CN_COMMAND && TakingFocus()) return;
    switch (Message.Msg) {
    case WM_TIMER:
        TskSkinCustomControl::WndProc(Message);
        if (Message.WParam == RepeatTimer) TimerTick();
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::WndProc(Message);
        Repaint();
        return;
    case WM_ERASEBKGND:
        PaintOnErase(Message);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::WndProc(Message);
        if (FCanFocused) Repaint();
        return;
    case CM_WANTSPECIALKEY:
        TskSkinCustomControl::WndProc(Message);
        if (FCanFocused && Message.WParam >= 37 && Message.WParam <= 40) Message.Result = 1;
        return;
    case WM_MOUSEWHEEL:
        // The wheel comes to the bar when the pointer is over it (the desktop scrolls what lies under
        // the pointer), focused or not: a bar that never takes the focus, beside the box it scrolls,
        // moves like one that has it.
        if (HandleAllocated()) {
            // Turned towards the user (a negative delta in the high word) scrolls forward.
            if (static_cast<std::int32_t>(Message.WParam) < 1)
                SetPosition(FPosition + FSmallChange);
            else
                SetPosition(FPosition - FSmallChange);
            return;
        }
        TskSkinCustomControl::WndProc(Message);
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(Message);
        if (Designing()) return;
        if (FActivePart != -1 && FDownPart == -1 && !FDragging) {
            FParts[FActivePart].MouseIn = false;
            Repaint();
            FActivePart = -1;
        }
        // Only forward paging stops here; backward paging ends by its own pointer test.
        if (FMouseDownFlag && FTimerMode > 3) StopTimer();
        return;
    default:
        TskSkinCustomControl::WndProc(Message);
    }
}

// --- painting ---------------------------------------------------------------------------------------

void TskSkinScrollBar::DrawDefaultPart(TCanvas* C, int I)
{
    const TPart& p = FParts[I];
    if (IsEmptyRect(p.R)) return;
    const bool pressed =
        (p.Down && p.MouseIn) || (I == ThumbPart && (p.Down || (FCanFocused && Focused())));
    TColor frame = clBtnShadow;
    TColor fill = clBtnFace;
    if (pressed) {
        frame = clNavy;
        fill = SkinPressedFill;
    } else if (p.MouseIn) {
        frame = clNavy;
        fill = SkinHotFill;
    }
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(fill);
    C->FillRect(p.R);
    C->Brush()->SetColor(frame);
    C->FrameRect(p.R);
    if (I == UpButtonPart) DrawArrowImage(C, p.R, clBlack, Horizontal() ? 2 : 4);
    if (I == DownButtonPart) DrawArrowImage(C, p.R, clBlack, Horizontal() ? 1 : 3);
}

void TskSkinScrollBar::DrawDefaultImage(TBitmap* B)
{
    CalcRects();
    TCanvas* c = B->Canvas();
    const TRect all = Rect(0, 0, B->Width(), B->Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(all);
    c->FrameRect(all);
    if (Enabled()) DrawDefaultPart(c, ThumbPart);
    DrawDefaultPart(c, UpButtonPart);
    DrawDefaultPart(c, DownButtonPart);
}

void TskSkinScrollBar::DrawSkinPart(TCanvas* C, int I)
{
    const TPart& p = FParts[I];
    const bool up = I == UpButtonPart;
    TRect src;
    if (p.Down && p.MouseIn)
        src = up ? FDownUpButtonRect : FDownDownButtonRect;
    else if (p.MouseIn)
        src = up ? FActiveUpButtonRect : FActiveDownButtonRect;
    else
        return; // the base picture shows the button at rest
    if (IsEmptyRect(src) || FPicture == nullptr) return;
    C->CopyRect(Rect(p.R.Left, p.R.Top, p.R.Left + src.Width(), p.R.Top + src.Height()), FPicture->Canvas(), src);
}

void TskSkinScrollBar::DrawSkinThumb(TCanvas* C)
{
    const TPart& p = FParts[ThumbPart];
    if (FPicture == nullptr || p.R.Width() < 1 || p.R.Height() < 1) return;
    const bool down = p.Down || (FCanFocused && Focused());
    const TRect src = down ? FDownThumbRect : (p.MouseIn ? FActiveThumbRect : FThumbRect);
    const TRect glyph = down ? FDownGlyphRect : (p.MouseIn ? FActiveGlyphRect : FGlyphRect);
    if (IsEmptyRect(src)) return;
    TBitmap b(p.R.Width(), p.R.Height());
    if (FPageSize != 0 || FThumbMinPageSize != 0) {
        if (Horizontal())
            CreateHSkinImage(FThumbOffset1, FThumbOffset2, &b, FPicture, src, b.Width(), b.Height(),
                FThumbStretchEffect);
        else
            CreateVSkinImage(FThumbOffset1, FThumbOffset2, &b, FPicture, src, b.Width(), b.Height(),
                FThumbStretchEffect);
    } else {
        b.Canvas()->CopyRect(Rect(0, 0, b.Width(), b.Height()), FPicture->Canvas(), src);
    }
    if (!IsEmptyRect(glyph)) {
        const int gx = b.Width() / 2 - glyph.Width() / 2;
        const int gy = b.Height() / 2 - glyph.Height() / 2;
        TBitmap g(glyph.Width(), glyph.Height());
        g.Canvas()->CopyRect(Rect(0, 0, glyph.Width(), glyph.Height()), FPicture->Canvas(), glyph);
        if (FGlyphTransparent) {
            g.SetTransparentMode(tmFixed);
            g.SetTransparentColor(FGlyphTransparentColor);
            g.SetTransparent(true);
        }
        b.Canvas()->Draw(gx, gy, &g);
    }
    if (AlphaBlend()) {
        // Cross-faded with what lies under the thumb.
        TBitmap under(b.Width(), b.Height());
        under.Canvas()->CopyRect(Rect(0, 0, b.Width(), b.Height()), C, p.R);
        TskEffectBmp own(b.Handle());
        TskEffectBmp back(under.Handle());
        own.Morph(back, 1.0 - AlphaBlendValue() / 255.0);
        own.DrawToDC(b.Canvas()->Handle(), 0, 0);
    }
    if (FThumbTransparent) {
        b.SetTransparentMode(tmFixed);
        b.SetTransparentColor(FThumbTransparentColor);
        b.SetTransparent(true);
    }
    C->Draw(p.R.Left, p.R.Top, &b);
}

void TskSkinScrollBar::DrawSkinImage(TBitmap* B)
{
    TskSkinCustomControl::DrawSkinImage(B);
    CalcRects();
    DrawSkinPart(B->Canvas(), UpButtonPart);
    DrawSkinPart(B->Canvas(), DownButtonPart);
    if (Enabled()) DrawSkinThumb(B->Canvas());
}

void RegisterSkinScrollBarClass()
{
    static const bool done = [] {
        RegisterEnum<TScrollBarKind>({"sbHorizontal", "sbVertical"});
        using B = TskSkinScrollBar;
        RegisterClass<B, TskSkinCustomControl>("TskSkinScrollBar")
            .Prop("Kind", &B::Kind, &B::SetKind, sbHorizontal)
            .Prop("Min", &B::Min, &B::SetMin, 0)
            .Prop("Max", &B::Max, &B::SetMax, 100)
            .Prop("Position", &B::Position, &B::SetPosition, 0)
            .Prop("PageSize", &B::PageSize, &B::SetPageSize, 0)
            .Prop("SmallChange", &B::SmallChange, &B::SetSmallChange, 1)
            .Prop("LargeChange", &B::LargeChange, &B::SetLargeChange, 1)
            .Prop("CanFocused", &B::CanFocused, &B::SetCanFocused, false)
            .Prop("Both", &B::Both, &B::SetBoth, false)
            .Prop("BothMarkerWidth", &B::BothMarkerWidth, &B::SetBothMarkerWidth, 0)
            .Prop("BothSkinDataName", &B::BothSkinDataName, &B::SetBothSkinDataName)
            .Event("OnChange", &B::OnChange)
            .Event("OnLastChange", &B::OnLastChange)
            .Event("OnUpButtonClick", &B::OnUpButtonClick)
            .Event("OnDownButtonClick", &B::OnDownButtonClick)
            .Event("OnPageUp", &B::OnPageUp)
            .Event("OnPageDown", &B::OnPageDown);
        return true;
    }();
    (void)done;
}
