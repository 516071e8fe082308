#include "skin/controls/TskSkinSlider.h"

#include <algorithm>
#include <cstdint>

#include "platform/rtl/Strings.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/TskDataSkinScrollBarControl.h"

namespace {
constexpr int Indent = 6;
constexpr UINT_PTR TrackTimer = 1;
constexpr UINT TrackInterval = 400;
// Left out when the built-in pictures are drawn: their bottom-left pixel carries it.
constexpr TColor KeyColor = static_cast<TColor>(0x00FF00FF);

int RoundInt(double v) { return static_cast<int>(Round(v)); }

void FillBox(TCanvas* C, const TRect& R, TColor Color)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FillRect(R);
}

// A thumb cell: a raised face, a darker one for the pressed or disabled state.
void DrawDefaultThumbCell(TCanvas* C, const TRect& R, bool Pressed)
{
    FillBox(C, R, KeyColor);
    const TRect face = Rect(R.Left, R.Top, R.Right, R.Bottom);
    FillBox(C, face, Pressed ? clBtnShadow : clBtnFace);
    DrawFrame3D(C, face, clBtnHighlight, clBlack);
    // Rounded lower corners; the left one also names the key colour for the transparent draw.
    C->SetPixels(R.Left, R.Bottom - 1, KeyColor);
    C->SetPixels(R.Right - 1, R.Bottom - 1, KeyColor);
}

// The built-in pictures: "SK_HTB" 18 x 17, "SK_HRL" 10 x 8, "SK_VTB" 38 x 9, "SK_VRL" 8 x 10.
void DrawBuiltInImage(int Index, TBitmap* B)
{
    TCanvas* c = B->Canvas();
    switch (Index) {
    case TskSkinCustomSlider::HThumb:
        B->SetSize(18, 17);
        DrawDefaultThumbCell(c, Rect(0, 0, 9, 17), false);
        DrawDefaultThumbCell(c, Rect(9, 0, 18, 17), true);
        break;
    case TskSkinCustomSlider::VThumb:
        B->SetSize(38, 9);
        DrawDefaultThumbCell(c, Rect(0, 0, 19, 9), false);
        DrawDefaultThumbCell(c, Rect(19, 0, 38, 9), true);
        break;
    case TskSkinCustomSlider::HRuler:
    case TskSkinCustomSlider::VRuler: {
        B->SetSize(Index == TskSkinCustomSlider::HRuler ? 10 : 8, Index == TskSkinCustomSlider::HRuler ? 8 : 10);
        const TRect all = Rect(0, 0, B->Width(), B->Height());
        FillBox(c, all, clBtnFace);
        DrawFrame3D(c, all, clBtnShadow, clBtnHighlight);
        c->SetPixels(0, B->Height() - 1, KeyColor);
        break;
    }
    default:
        break;
    }
    B->SetTransparentMode(tmAuto);
}
} // namespace

TskSkinCustomSlider::TskSkinCustomSlider(TComponent* AOwner) : TskSkinControl(AOwner), FRuler(new TBitmap)
{
    SetSkinDataName("slider");
    SetTabStop(true);
    for (int i = 0; i < 4; ++i) {
        FImages[i] = std::make_unique<TBitmap>();
        LoadDefaultImage(i);
        FImages[i]->OnChange = [this](TObject* Sender) { ImageChanged(Sender); };
    }
    SetBounds(Left(), Top(), 150, 40);
    AdjustElements();
}

TskSkinCustomSlider::~TskSkinCustomSlider()
{
    OnChange = nullptr;
    OnChanged = nullptr;
    OnDrawPoints = nullptr;
    for (auto& image : FImages) image->OnChange = nullptr;
    if (FTimerRunning && HandleAllocated()) KillTimer(FHandle, TrackTimer);
}

bool TskSkinCustomSlider::Reading() const
{
    return ComponentState().Contains(csReading) || ComponentState().Contains(csLoading);
}

// --- values -----------------------------------------------------------------------------------------

void TskSkinCustomSlider::SetMinValue(int Value)
{
    if (Value != FMinValue) SetRange(Value, FMaxValue);
}

void TskSkinCustomSlider::SetMaxValue(int Value)
{
    if (Value != FMaxValue) SetRange(FMinValue, Value);
}

void TskSkinCustomSlider::SetRange(int AMin, int AMax)
{
    if (AMax <= AMin && !Reading()) return;
    FMinValue = AMin;
    FMaxValue = AMax;
    if (!Reading() && AMax < FIncrement + AMin) FIncrement = std::max(1, AMax - AMin);
    if (FOptions.Contains(soShowPoints)) Invalidate();
    SetValue(FValue);
    RangeChanged();
}

void TskSkinCustomSlider::SetValue(int Value)
{
    // A range read backwards from a stored form must not invert the clamp.
    const int v = std::max(FMinValue, std::min(Value, FMaxValue));
    const bool changed = v != FValue;
    FValue = v;
    SetThumbOffset(GetOffsetByValue(v));
    if (changed) Change();
}

void TskSkinCustomSlider::Change()
{
    if (OnChange) OnChange(this);
}

void TskSkinCustomSlider::SetIncrement(int Value)
{
    if (Value < 1 || Value == FIncrement) return;
    FIncrement = Value;
    SetValue(FValue);
    Invalidate();
}

void TskSkinCustomSlider::SetOrientation(TskSliderOrientation Value)
{
    if (Value == FOrientation) return;
    FOrientation = Value;
    AdjustElements();
    if (!Reading()) SetBounds(Left(), Top(), Height(), Width());
}

void TskSkinCustomSlider::SetOptions(TskSliderOptions Value)
{
    if (Value == FOptions) return;
    FOptions = Value;
    Invalidate();
}

void TskSkinCustomSlider::SetEdgeSize(int Value)
{
    if (Value == FEdgeSize) return;
    const int len = Horizontal() ? FImages[HRuler]->Width() : FImages[VRuler]->Height();
    if (len <= 2 * Value) return;
    FEdgeSize = Value;
    AdjustElements();
}

void TskSkinCustomSlider::SetNumThumbStates(int Value)
{
    Value = std::clamp(Value, 1, 2);
    if (Value == FNumThumbStates) return;
    FNumThumbStates = Value;
    AdjustElements();
}

void TskSkinCustomSlider::SetTransparent(bool Value)
{
    if (Value == FTransparent) return;
    FTransparent = Value;
    Invalidate();
}

void TskSkinCustomSlider::LoadDefaultImage(int Index)
{
    auto handler = FImages[Index]->OnChange;
    FImages[Index]->OnChange = nullptr;
    DrawBuiltInImage(Index, FImages[Index].get());
    FImages[Index]->OnChange = handler;
}

void TskSkinCustomSlider::SetImage(int Index, TBitmap* Value)
{
    if (Index < 0 || Index > 3) return;
    if (Value != nullptr) {
        FImages[Index]->Assign(Value);
        FUserImages |= static_cast<std::uint8_t>(1u << Index);
    } else {
        LoadDefaultImage(Index);
        FUserImages &= static_cast<std::uint8_t>(~(1u << Index));
        if (!Reading()) {
            TskSliderOptions o = FOptions;
            o.Exclude(Index == HRuler || Index == VRuler ? soRulerOpaque : soThumbOpaque);
            FOptions = o;
            Invalidate();
        }
    }
    if (!Reading()) AdjustElements();
}

void TskSkinCustomSlider::ImageChanged(TObject*)
{
    if (!Reading()) AdjustElements();
}

void TskSkinCustomSlider::Loaded()
{
    TskSkinControl::Loaded();
    // Images not marked as the user's go back to the built-in pictures.
    for (int i = 0; i < 4; ++i)
        if (!(FUserImages & (1u << i))) LoadDefaultImage(i);
    AdjustElements();
}

// --- skin -------------------------------------------------------------------------------------------

void TskSkinCustomSlider::FindSkinObject()
{
    TskSkinControl::FindSkinObject();
    auto* e = SkinEntryAs<TskDataSkinSlider>();
    if (e == nullptr) {
        FSkinLink.Forget();
        FSkinPicture = nullptr;
        return;
    }
    FSkinPicture = SkinPicture(e->PictureIndex);
    if (FSkinPicture == nullptr) {
        FSkinLink.Forget();
        return;
    }
    FHRulerRect = e->HRulerRect;
    FHThumbRect = e->HThumbRect;
    FVRulerRect = e->VRulerRect;
    FVThumbRect = e->VThumbRect;
    FSkinEdgeSize = e->EdgeSize;
    FBGColor = e->BGColor;
    FPointsColor = e->PointsColor;
}

void TskSkinCustomSlider::RefreshSkin()
{
    TskSkinControl::RefreshSkin();
    FindSkinObject();
    AdjustElements();
}

// --- geometry ---------------------------------------------------------------------------------------

TSize TskSkinCustomSlider::ThumbSize() const
{
    if (SkinThumb()) {
        const TRect& r = Horizontal() ? FHThumbRect : FVThumbRect;
        return TSize{r.Width() / 2, r.Height()};
    }
    const TBitmap* b = FImages[Horizontal() ? HThumb : VThumb].get();
    return TSize{b->Width() / FNumThumbStates, b->Height()};
}

TRect TskSkinCustomSlider::RulerRect() const
{
    return Rect(FRulerOrigin.X, FRulerOrigin.Y, FRulerOrigin.X + FRuler->Width(), FRulerOrigin.Y + FRuler->Height());
}

int TskSkinCustomSlider::GetRulerLength() const
{
    const TSize t = ThumbSize();
    const int L = Horizontal() ? FRuler->Width() - t.cx : FRuler->Height() - t.cy;
    // A control too narrow for its thumb has no travel, never a negative one.
    return std::max(L, 0);
}

int TskSkinCustomSlider::GetOffsetByValue(int V) const
{
    const int L = GetRulerLength();
    const long long range = static_cast<long long>(FMaxValue) - FMinValue;
    const int q = (L == 0 || range <= 0) ? 0 : RoundInt(static_cast<double>(L) * (static_cast<double>(V) - FMinValue) / range);
    const int o = Horizontal() ? q + Indent : ClientHeight() - (q + Indent) - ThumbSize().cy;
    return std::max(o, Indent);
}

int TskSkinCustomSlider::GetValueByOffset(int O) const
{
    const int L = GetRulerLength();
    const long long range = static_cast<long long>(FMaxValue) - FMinValue;
    if (L == 0 || range <= 0) return FMinValue;
    if (!Horizontal()) O = ClientHeight() - O - ThumbSize().cy;
    long long r = Round((static_cast<double>(O) - Indent) * static_cast<double>(range) / L);
    if (!FOptions.Contains(soSmooth)) r = Round(static_cast<double>(r) / FIncrement) * FIncrement;
    const long long v = FMinValue + std::max(r, 0LL);
    return static_cast<int>(std::min<long long>(v, FMaxValue));
}

int TskSkinCustomSlider::AdjustOffset(int O) const
{
    const int L = GetRulerLength();
    O = std::max(O, Indent);
    O = GetOffsetByValue(GetValueByOffset(std::min(O, L + Indent)));
    return std::min(O, L + Indent);
}

void TskSkinCustomSlider::SetThumbOffset(int O)
{
    O = AdjustOffset(O);
    if (HandleAllocated()) InvalidateRect(FHandle, &FThumbRect, FALSE);
    const TSize t = ThumbSize();
    if (Horizontal())
        FThumbRect = Rect(O, FThumbRect.Top, O + t.cx, FThumbRect.Top + t.cy);
    else
        FThumbRect = Rect(FThumbRect.Left, O, FThumbRect.Left + t.cx, O + t.cy);
    if (HandleAllocated()) InvalidateRect(FHandle, &FThumbRect, FALSE);
    if (FSliding) {
        const int v = GetValueByOffset(O);
        if (v != FValue) {
            FValue = v;
            Change();
        }
    }
}

void TskSkinCustomSlider::AdjustElements()
{
    FindSkinObject();
    const int len = std::max(0, (Horizontal() ? ClientWidth() : ClientHeight()) - 2 * Indent);
    TBitmap* src = FImages[Horizontal() ? HRuler : VRuler].get();
    if (SkinLook()) {
        const TRect& r = Horizontal() ? FHRulerRect : FVRulerRect;
        if (Horizontal()) {
            FRuler->SetSize(len, r.Height());
            if (len > 0) CreateHSkinImage(FSkinEdgeSize, FSkinEdgeSize, FRuler.get(), FSkinPicture, r, len, r.Height(), false);
        } else {
            FRuler->SetSize(r.Width(), len);
            if (len > 0) CreateVSkinImage(FSkinEdgeSize, FSkinEdgeSize, FRuler.get(), FSkinPicture, r, r.Width(), len, false);
        }
    } else {
        // The ends of the picture at the ends, its middle repeated in between.
        const int e = FEdgeSize;
        if (Horizontal()) {
            const int h = src->Height();
            FRuler->SetSize(len, h);
            const int mid = src->Width() - 2 * e;
            if (len > 0 && mid > 0) {
                for (int x = e; x < len - e; x += mid)
                    FRuler->Canvas()->CopyRect(Rect(x, 0, std::min(x + mid, len - e), h), src->Canvas(),
                        Rect(e, 0, e + std::min(mid, len - e - x), h));
                FRuler->Canvas()->CopyRect(Rect(0, 0, std::min(e, len), h), src->Canvas(), Rect(0, 0, std::min(e, len), h));
                if (len > e)
                    FRuler->Canvas()->CopyRect(Rect(len - e, 0, len, h), src->Canvas(), Rect(src->Width() - e, 0, src->Width(), h));
            }
        } else {
            const int w = src->Width();
            FRuler->SetSize(w, len);
            const int mid = src->Height() - 2 * e;
            if (len > 0 && mid > 0) {
                for (int y = e; y < len - e; y += mid)
                    FRuler->Canvas()->CopyRect(Rect(0, y, w, std::min(y + mid, len - e)), src->Canvas(),
                        Rect(0, e, w, e + std::min(mid, len - e - y)));
                FRuler->Canvas()->CopyRect(Rect(0, 0, w, std::min(e, len)), src->Canvas(), Rect(0, 0, w, std::min(e, len)));
                if (len > e)
                    FRuler->Canvas()->CopyRect(Rect(0, len - e, w, len), src->Canvas(), Rect(0, src->Height() - e, w, src->Height()));
            }
        }
    }
    FRuler->SetTransparentMode(src->TransparentMode());
    const TSize t = ThumbSize();
    if (Horizontal()) {
        const int rh = FRuler->Height();
        if (t.cy <= rh) {
            FRulerOrigin = Point(Indent, Indent);
            FThumbRect = Rect(Indent, Indent + (rh - t.cy) / 2, Indent + t.cx, Indent + (rh - t.cy) / 2 + t.cy);
        } else {
            FThumbRect = Rect(Indent, Indent, Indent + t.cx, Indent + t.cy);
            FRulerOrigin = Point(Indent, Indent + (t.cy - rh) / 2);
        }
        FPointsOrigin = Point(FRulerOrigin.X, std::max(FRulerOrigin.Y + rh, FThumbRect.Bottom) + 1);
    } else {
        const int rw = FRuler->Width();
        if (t.cx <= rw) {
            FRulerOrigin = Point(Indent, Indent);
            FThumbRect = Rect(Indent + (rw - t.cx) / 2, Indent, Indent + (rw - t.cx) / 2 + t.cx, Indent + t.cy);
        } else {
            FThumbRect = Rect(Indent, Indent, Indent + t.cx, Indent + t.cy);
            FRulerOrigin = Point(Indent + (t.cx - rw) / 2, Indent);
        }
        FPointsOrigin = Point(std::max(FRulerOrigin.X + rw, FThumbRect.Right) + 1, FRulerOrigin.Y);
    }
    SetValue(FValue);
    Invalidate();
}

void TskSkinCustomSlider::Resize()
{
    TskSkinControl::Resize();
    if (!Reading()) AdjustElements();
}

// --- painting ---------------------------------------------------------------------------------------

void TskSkinCustomSlider::DefaultDrawPoints(TCanvas* C, int AIncrement, int BigLength, int SmallLength)
{
    if (AIncrement < 1) return;
    const int L = GetRulerLength();
    const long long range = static_cast<long long>(FMaxValue) - FMinValue;
    if (range <= 0) return;
    auto count = [&](long long i) { return Round(static_cast<double>(range) / (static_cast<double>(i) * AIncrement)); };
    auto spacingOk = [&](long long i) {
        const long long n = count(i);
        const long long spacing = n + 1 > 1 ? L / n : L;
        return spacing >= 4 || spacing >= L;
    };
    // The smallest multiplier whose ticks stand at least 4 pixels apart. The spacing only grows with
    // the multiplier, so it is searched for, not stepped towards: a range of a billion would otherwise
    // take a billion tries on every paint.
    long long lo = 1, hi = range / AIncrement + 2;
    while (lo < hi) {
        const long long mid = lo + (hi - lo) / 2;
        if (spacingOk(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    const long long i = lo;
    long long n = count(i);
    // A ruler shorter than 4 pixels still gets only its two end ticks.
    if (n > std::max(1, L / 4) + 1) n = 1;
    C->Pen()->SetColor(SkinLook() ? FPointsColor : clWindowText);
    const TSize t = ThumbSize();
    for (long long j = 0; j <= n; ++j) {
        const long long v = j == n ? FMaxValue : FMinValue + j * i * AIncrement;
        const int len = (v == FMinValue || v == FMaxValue) ? BigLength : SmallLength;
        const int o = GetOffsetByValue(static_cast<int>(std::min<long long>(v, FMaxValue)));
        if (Horizontal()) {
            const int x = o + t.cx / 2;
            C->MoveTo(x, FPointsOrigin.Y);
            C->LineTo(x, FPointsOrigin.Y + len);
        } else {
            const int y = o + t.cy / 2;
            C->MoveTo(FPointsOrigin.X, y);
            C->LineTo(FPointsOrigin.X + len, y);
        }
    }
}

void TskSkinCustomSlider::DrawThumb(TCanvas* C)
{
    const TSize t = ThumbSize();
    if (t.cx < 1 || t.cy < 1) return;
    const int state = (FThumbPressed || !Enabled()) && FNumThumbStates > 1 ? 1 : 0;
    TBitmap b(t.cx, t.cy);
    if (SkinThumb()) {
        const TRect& r = Horizontal() ? FHThumbRect : FVThumbRect;
        const int sx = r.Left + (SkinThumb() ? state : 0) * t.cx;
        b.Canvas()->CopyRect(Rect(0, 0, t.cx, t.cy), FSkinPicture->Canvas(), Rect(sx, r.Top, sx + t.cx, r.Top + t.cy));
    } else {
        TBitmap* src = FImages[Horizontal() ? HThumb : VThumb].get();
        const int sx = state * t.cx;
        b.Canvas()->CopyRect(Rect(0, 0, t.cx, t.cy), src->Canvas(), Rect(sx, 0, sx + t.cx, t.cy));
    }
    b.SetTransparent(!FOptions.Contains(soThumbOpaque));
    C->Draw(FThumbRect.Left, FThumbRect.Top, &b);
}

void TskSkinCustomSlider::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    FindSkinObject();
    TBitmap b(Width(), Height());
    TCanvas* c = b.Canvas();
    if (FTransparent)
        PaintParentBackground(this, c);
    else
        FillBox(c, Rect(0, 0, Width(), Height()), SkinLook() ? FBGColor : Color());
    if (FRuler->Width() > 0 && FRuler->Height() > 0) {
        FRuler->SetTransparent(SkinLook() || !FOptions.Contains(soRulerOpaque));
        c->Draw(FRulerOrigin.X, FRulerOrigin.Y, FRuler.get());
    }
    if (FOptions.Contains(soShowFocus) && Focused() && !Designing()) {
        const TRect r = Rect(2, 2, Width() - 2, Height() - 2);
        c->DrawFocusRect(r);
    }
    if (FOptions.Contains(soShowPoints)) {
        if (OnDrawPoints)
            OnDrawPoints(this);
        else
            DefaultDrawPoints(c, FIncrement, 5, 3);
    }
    DrawThumb(c);
    ShowImage(&b);
}

// --- input ------------------------------------------------------------------------------------------

int TskSkinCustomSlider::JumpTo(TPoint P) const
{
    if (Horizontal()) return P.X < FThumbRect.Left ? 4 : P.X <= FThumbRect.Right ? 0 : 3;
    return P.Y < FThumbRect.Top ? 3 : P.Y <= FThumbRect.Bottom ? 0 : 4;
}

void TskSkinCustomSlider::StepBy(int Code)
{
    long long v = FValue;
    const long long base = Round(static_cast<double>(FValue) / FIncrement) * FIncrement;
    switch (Code) {
    case 1: v = FMinValue; break;
    case 2: v = FMaxValue; break;
    case 3: v = base + FIncrement; break;
    case 4: v = base - FIncrement; break;
    default: return;
    }
    v = std::clamp<long long>(v, FMinValue, std::max(FMinValue, FMaxValue));
    if (v != FValue) SetValue(static_cast<int>(v));
}

void TskSkinCustomSlider::TimerTrack()
{
    // The change handler may free the slider: the track timer then never starts.
    const auto alive = FAlive.Watch();
    if (JumpTo(FTrackPoint) == FTrackDirection) StepBy(FTrackDirection);
    if (!*alive) return;
    if (!FTimerRunning) {
        SetTimer(Handle(), TrackTimer, TrackInterval);
        FTimerRunning = true;
    }
}

void TskSkinCustomSlider::StopTracking()
{
    if (!FTracking) return;
    if (FTimerRunning && HandleAllocated()) KillTimer(FHandle, TrackTimer);
    FTimerRunning = false;
    FTracking = false;
    ReleaseCapture();
    if (OnChanged) OnChanged(this);
}

void TskSkinCustomSlider::ThumbMouseDown(int X, int Y)
{
    FSliding = true;
    FThumbPressed = true;
    FGrip = Horizontal() ? X - FThumbRect.Left : Y - FThumbRect.Top;
    Invalidate();
}

void TskSkinCustomSlider::ThumbMouseMove(int X, int Y) { SetThumbOffset((Horizontal() ? X : Y) - FGrip); }

void TskSkinCustomSlider::ThumbMouseUp()
{
    FSliding = false;
    FThumbPressed = false;
    Invalidate();
    if (OnChanged) OnChanged(this);
}

void TskSkinCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The handler may free the slider.
    const auto alive = FAlive.Watch();
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft || Shift.Contains(ssDouble)) return;
    TakeFocusOnPress();
    const TPoint p = Point(X, Y);
    if (PtInRect(FThumbRect, p)) {
        ThumbMouseDown(X, Y);
        return;
    }
    TRect r = RulerRect();
    if (Horizontal()) {
        r.Top -= 3;
        r.Bottom += 3;
    } else {
        r.Left -= 3;
        r.Right += 3;
    }
    if (!PtInRect(r, p)) return;
    SetCapture(Handle());
    FTracking = true;
    FTrackPoint = p;
    FTrackDirection = JumpTo(p);
    TimerTrack();
}

void TskSkinCustomSlider::MouseMove(TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    TskSkinControl::MouseMove(Shift, X, Y);
    if (!*alive) return;
    if (FSliding) ThumbMouseMove(X, Y);
    if (*alive && FTracking) FTrackPoint = Point(X, Y);
}

void TskSkinCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    TskSkinControl::MouseUp(Button, Shift, X, Y);
    if (!*alive) return;
    StopTracking();
    if (*alive && FSliding) ThumbMouseUp();
}

void TskSkinCustomSlider::KeyDown(WORD& Key, TShiftState Shift)
{
    const auto alive = FAlive.Watch();
    TskSkinControl::KeyDown(Key, Shift);
    if (!*alive || Shift.Contains(ssShift)) return;
    int code = 0;
    if (Key == VK_HOME) code = 1;
    else if (Key == VK_END) code = 2;
    else if (Horizontal() && Key == VK_RIGHT) code = 3;
    else if (Horizontal() && Key == VK_LEFT) code = 4;
    else if (!Horizontal() && Key == VK_UP) code = 3;
    else if (!Horizontal() && Key == VK_DOWN) code = 4;
    if (code == 0) return;
    Key = 0;
    StepBy(code);
    if (*alive && OnChanged) OnChanged(this);
}

void TskSkinCustomSlider::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        TskSkinControl::WndProc(Message);
        if (Message.WParam == TrackTimer && FTracking) TimerTrack();
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinControl::WndProc(Message);
        if (FOptions.Contains(soShowFocus)) Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        TskSkinControl::WndProc(Message);
        Invalidate();
        return;
    case WM_MOVE:
    case WM_SKPARENTBGCHANGED:
        TskSkinControl::WndProc(Message);
        if (FTransparent) Invalidate();
        return;
    default:
        TskSkinControl::WndProc(Message);
    }
}

void RegisterSkinSliderClass()
{
    static const bool done = [] {
        RegisterEnum<TskSliderOrientation>({"soHorizontal", "soVertical"});
        RegisterEnum<TskSliderOption>({"soShowFocus", "soShowPoints", "soSmooth", "soRulerOpaque", "soThumbOpaque"});
        using S = TskSkinCustomSlider;
        RegisterClass<S, TskSkinControl>("TskSkinCustomSlider")
            .Prop("MinValue", &S::MinValue, &S::SetMinValue, 0)
            .Prop("MaxValue", &S::MaxValue, &S::SetMaxValue, 100)
            .Prop("Value", &S::Value, &S::SetValue, 0)
            .Prop("Increment", &S::Increment, &S::SetIncrement, 10)
            .Prop("Orientation", &S::Orientation, &S::SetOrientation, soHorizontal)
            .Prop("Options", &S::Options, &S::SetOptions)
            .Prop("EdgeSize", &S::EdgeSize, &S::SetEdgeSize, 2)
            .Prop("NumThumbStates", &S::NumThumbStates, &S::SetNumThumbStates, 2)
            .Prop("ImageHThumb", &S::ImageHThumb)
            .Prop("ImageHRuler", &S::ImageHRuler)
            .Prop("ImageVThumb", &S::ImageVThumb)
            .Prop("ImageVRuler", &S::ImageVRuler)
            .Prop("UserImages", &S::UserImages, &S::SetUserImages)
            .Prop("UseSkinThumb", &S::UseSkinThumb, &S::SetUseSkinThumb, true)
            .Prop("Transparent", &S::Transparent, &S::SetTransparent, false)
            .Event("OnChange", &S::OnChange)
            .Event("OnChanged", &S::OnChanged)
            .Event("OnDrawPoints", &S::OnDrawPoints);
        RegisterClass<TskSkinSlider, S>("TskSkinSlider");
        return true;
    }();
    (void)done;
}
