#include "skin/form/SkinValueObjects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/rtl/Strings.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "skin/data/SkinEntryWords.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskSkinData.h"

namespace {

// Where Value stands between Min and Max, 0 .. 1. An empty range (or a value outside it) must not
// divide by zero or draw outside the object.
double Fraction(int Value, int Min, int Max)
{
    if (Max == Min) return 0;
    return std::clamp(static_cast<double>(Value - Min) / (Max - Min), 0.0, 1.0);
}

int RoundHalfEven(double v) { return static_cast<int>(Round(v)); }

// Copies R of Source to (X, Y) of the canvas at R's size.
void CopyPart(TCanvas* Dest, int X, int Y, TBitmap* Source, const TRect& R)
{
    if (Dest == nullptr || Source == nullptr || R.IsEmpty()) return;
    Dest->CopyRect(Rect(X, Y, X + R.Width(), Y + R.Height()), Source->Canvas(), R);
}

void RaiseEnter(TskActiveSkinObject* O)
{
    if (O->Parent != nullptr && O->Parent->OnMouseEnterEvent) O->Parent->OnMouseEnterEvent(O->IDName);
}

void RaiseLeave(TskActiveSkinObject* O)
{
    if (O->Parent != nullptr && O->Parent->OnMouseLeaveEvent) O->Parent->OnMouseLeaveEvent(O->IDName);
}

} // namespace

// ---- TskUserObject ----

void TskUserObject::Draw(TCanvas* Cnvs, bool /*UpDate*/)
{
    if (Parent != nullptr && Parent->OnPaintEvent) Parent->OnPaintEvent(IDName, Cnvs, ObjectRect);
}

// ---- TskSkinTrackBarObject ----

TskSkinTrackBarObject::TskSkinTrackBarObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData)
{
    if (auto* data = dynamic_cast<TskDataSkinTrackBar*>(AData)) {
        ButtonRect = data->ButtonRect;
        ActiveButtonRect = data->ActiveButtonRect;
        BeginPoint = data->BeginPoint;
        EndPoint = data->EndPoint;
        MinValue = data->MinValue;
        MaxValue = data->MaxValue;
        MouseDownChangeValue = data->MouseDownChangeValue;
        ButtonTransparent = data->ButtonTransparent;
        ButtonTransparentColor = data->ButtonTransparentColor;
    }
    // A track bar never cross-fades: its picture is the thumb's place.
    Morphing = false;
    Vertical = std::abs(BeginPoint.Y - EndPoint.Y) >= std::abs(EndPoint.X - BeginPoint.X);
    Value = MinValue;
    ButtonPos = PositionFromValue(Value);
    OldButtonPos = ButtonPos;
}

TPoint TskSkinTrackBarObject::PositionFromValue(int AValue) const
{
    const double k = Fraction(AValue, MinValue, MaxValue);
    if (!Vertical) return TPoint{BeginPoint.X + RoundHalfEven((EndPoint.X - BeginPoint.X) * k), BeginPoint.Y};
    return TPoint{BeginPoint.X, EndPoint.Y + RoundHalfEven((1 - k) * (BeginPoint.Y - EndPoint.Y))};
}

int TskSkinTrackBarObject::ValueFromPosition(const TPoint& P) const
{
    double k = 0;
    if (!Vertical) {
        if (EndPoint.X != BeginPoint.X) k = static_cast<double>(P.X - BeginPoint.X) / (EndPoint.X - BeginPoint.X);
    } else if (BeginPoint.Y != EndPoint.Y) {
        k = 1 - static_cast<double>(P.Y - EndPoint.Y) / (BeginPoint.Y - EndPoint.Y);
    }
    return MinValue + RoundHalfEven((MaxValue - MinValue) * k);
}

int TskSkinTrackBarObject::LowEnd() const
{
    return Vertical ? std::min(BeginPoint.Y, EndPoint.Y) : std::min(BeginPoint.X, EndPoint.X);
}

int TskSkinTrackBarObject::HighEnd() const
{
    return Vertical ? std::max(BeginPoint.Y, EndPoint.Y) : std::max(BeginPoint.X, EndPoint.X);
}

TRect TskSkinTrackBarObject::ThumbRect() const
{
    const int left = ButtonPos.X - ButtonRect.Width() / 2;
    const int top = ButtonPos.Y - ButtonRect.Height() / 2;
    return TRect{left, top, left + ButtonRect.Width(), top + ButtonRect.Height()};
}

void TskSkinTrackBarObject::RedrawNow()
{
    if (Parent != nullptr) Parent->RedrawSkinObject(this);
}

void TskSkinTrackBarObject::MoveThumb(const TPoint& P)
{
    if (P == ButtonPos) return;
    OldButtonPos = ButtonPos;
    ButtonPos = P;
    Value = ValueFromPosition(P);
    RedrawNow();
    // Raised for every move of the thumb, also when the rounded value stays the same.
    if (Parent != nullptr && Parent->OnTrackBarChangeValueEvent) Parent->OnTrackBarChangeValueEvent(IDName, Value);
}

void TskSkinTrackBarObject::MouseDown(int X, int Y, TMouseButton Button)
{
    const TPoint p{X - ObjectRect.Left, Y - ObjectRect.Top};
    if (Button == mbLeft && PtInRect(ThumbRect(), p)) {
        ButtonDown = true;
        OldX = p.X;
        OldY = p.Y;
        if (!ActiveButtonRect.IsEmpty()) RedrawNow();
    } else if (Button == mbLeft && MouseDownChangeValue) {
        // A press beside the thumb makes it jump there, kept between the end points.
        if (!Vertical)
            MoveThumb(TPoint{std::clamp(p.X, LowEnd(), HighEnd()), BeginPoint.Y});
        else
            MoveThumb(TPoint{BeginPoint.X, std::clamp(p.Y, LowEnd(), HighEnd())});
    }
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinTrackBarObject::MouseMove(int X, int Y)
{
    const TPoint p{X - ObjectRect.Left, Y - ObjectRect.Top};
    if (ButtonDown) {
        // The thumb follows the pointer's movement but stops at an end; the pointer may run ahead.
        if (!Vertical) {
            const int x = ButtonPos.X + (p.X - OldX);
            if (x >= LowEnd() && x <= HighEnd()) MoveThumb(TPoint{x, ButtonPos.Y});
        } else {
            const int y = ButtonPos.Y + (p.Y - OldY);
            if (y >= LowEnd() && y <= HighEnd()) MoveThumb(TPoint{ButtonPos.X, y});
        }
    }
    OldX = p.X;
    OldY = p.Y;
    TskActiveSkinObject::MouseMove(X, Y);
}

void TskSkinTrackBarObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft && ButtonDown) {
        ButtonDown = false;
        if (!ActiveButtonRect.IsEmpty()) RedrawNow();
    }
    TskActiveSkinObject::MouseUp(X, Y, Button);
}

void TskSkinTrackBarObject::Draw(TCanvas* Cnvs, bool /*UpDate*/)
{
    if (!SkinPresent() || Cnvs == nullptr) return;
    const int w = SkinRect.Width();
    const int h = SkinRect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap* normal = SkinRectInAPicture ? ActivePicture : Picture;
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    CopyPart(c, 0, 0, normal, SkinRect);
    if (!ActiveSkinRect.IsEmpty()) {
        // The track is filled from the minimum end up to the thumb.
        if (!Vertical) {
            const int x = std::clamp(ButtonPos.X, 0, w);
            CopyPart(c, 0, 0, ActivePicture,
                TRect{ActiveSkinRect.Left, ActiveSkinRect.Top, ActiveSkinRect.Left + x, ActiveSkinRect.Top + h});
        } else {
            const int y = std::clamp(ButtonPos.Y, 0, h);
            CopyPart(c, 0, y, ActivePicture,
                TRect{ActiveSkinRect.Left, ActiveSkinRect.Top + y, ActiveSkinRect.Left + w, ActiveSkinRect.Top + h});
        }
    }
    const TRect thumb = ButtonDown && !ActiveButtonRect.IsEmpty() ? ActiveButtonRect : ButtonRect;
    if (ActivePicture != nullptr && !thumb.IsEmpty()) {
        const TRect at = ThumbRect();
        if (ButtonTransparent) {
            TBitmap t(thumb.Width(), thumb.Height());
            CopyPart(t.Canvas(), 0, 0, ActivePicture, thumb);
            t.SetTransparentMode(tmFixed);
            t.SetTransparentColor(ButtonTransparentColor);
            t.SetTransparent(true);
            c->Draw(at.Left, at.Top, &t);
        } else {
            CopyPart(c, at.Left, at.Top, ActivePicture, thumb);
        }
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

// ---- TskSkinSwitchObject ----

void TskSkinSwitchObject::SetState(TSwitchState Value)
{
    State = Value;
    MorphIncrease = Value == swsOn;
    ReDraw();
    if (Parent != nullptr && Parent->OnSwitchChangeStateEvent) Parent->OnSwitchChangeStateEvent(IDName, State);
}

void TskSkinSwitchObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft) SetState(State == swsOn ? swsOff : swsOn);
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinSwitchObject::MouseEnter()
{
    Active = true;
    RaiseEnter(this);
}

void TskSkinSwitchObject::MouseLeave()
{
    Active = false;
    RaiseLeave(this);
}

void TskSkinSwitchObject::ResetState() { Active = false; }

// ---- TskSkinGaugeObject ----

TskSkinGaugeObject::TskSkinGaugeObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData)
{
    if (auto* data = dynamic_cast<TskDataSkinGauge*>(AData)) {
        MinValue = data->MinValue;
        MaxValue = data->MaxValue;
        Kind = data->Kind;
    }
    Value = MinValue;
}

int TskSkinGaugeObject::ProgressPos() const
{
    const double k = Fraction(Value, MinValue, MaxValue);
    if (Kind == gkHorizontal) return RoundHalfEven(SkinRect.Width() * k);
    return RoundHalfEven(SkinRect.Height() * (1 - k));
}

void TskSkinGaugeObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinPresent() || Cnvs == nullptr) return;
    // An empty gauge is what the frame picture shows already.
    if (!UpDate && Value == MinValue) return;
    const int w = SkinRect.Width();
    const int h = SkinRect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    CopyPart(c, 0, 0, SkinRectInAPicture ? ActivePicture : Picture, SkinRect);
    if (!ActiveSkinRect.IsEmpty()) {
        const int pos = ProgressPos();
        if (Kind == gkHorizontal)
            CopyPart(c, 0, 0, ActivePicture,
                TRect{ActiveSkinRect.Left, ActiveSkinRect.Top, ActiveSkinRect.Left + pos, ActiveSkinRect.Top + h});
        else
            CopyPart(c, 0, pos, ActivePicture,
                TRect{ActiveSkinRect.Left, ActiveSkinRect.Top + pos, ActiveSkinRect.Left + w, ActiveSkinRect.Top + h});
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

void TskSkinGaugeObject::MouseEnter()
{
    Active = true;
    MorphIncrease = true;
    RaiseEnter(this);
}

void TskSkinGaugeObject::MouseLeave()
{
    Active = false;
    MorphIncrease = false;
    RaiseLeave(this);
}

// ---- TskSkinFrameObject ----

TskSkinFrameObject::TskSkinFrameObject(
    TskFormFrame* AParent, TskDataSkinObject* AData, int ACountFrames, int AFramesPlacement)
    : TskActiveSkinObject(AParent, AData), CountFrames(ACountFrames), FramesPlacement(AFramesPlacement)
{
    if (CountFrames > 0) {
        if (FramesPlacement == fpHorizontal) {
            FrameWidth = ActiveSkinRect.Width() / CountFrames;
            FrameHeight = ActiveSkinRect.Height();
        } else {
            FrameHeight = ActiveSkinRect.Height() / CountFrames;
            FrameWidth = ActiveSkinRect.Width();
        }
    }
}

int TskSkinFrameObject::FrameFromValue(int AValue, int AMinValue, int AMaxValue) const
{
    if (CountFrames < 2) return 1;
    const int step = (AMaxValue - AMinValue) / (CountFrames - 1);
    if (step == 0) return 1;
    // A value past the range shows the end frame rather than a cell beyond the strip.
    return std::clamp(std::abs(AValue - AMinValue) / std::abs(step) + 1, 1, CountFrames);
}

TRect TskSkinFrameObject::FrameRect(int N) const
{
    const int n = std::clamp(N, 1, std::max(CountFrames, 1)) - 1;
    const int left = ActiveSkinRect.Left + (FramesPlacement == fpHorizontal ? n * FrameWidth : 0);
    const int top = ActiveSkinRect.Top + (FramesPlacement == fpHorizontal ? 0 : n * FrameHeight);
    return TRect{left, top, left + FrameWidth, top + FrameHeight};
}

void TskSkinFrameObject::Draw(TCanvas* Cnvs, bool /*UpDate*/)
{
    if (!SkinPresent()) return;
    DrawPictureRect(Cnvs, ActivePicture, FrameRect(FrameToDraw()));
}

// ---- TskSkinFrameGaugeObject ----

namespace {

int DataCountFrames(TskDataSkinObject* AData)
{
    if (auto* g = dynamic_cast<TskDataSkinFrameGaugeObject*>(AData)) return g->CountFrames;
    if (auto* r = dynamic_cast<TskDataSkinFrameRegulatorObject*>(AData)) return r->CountFrames;
    return 0;
}

int DataFramesPlacement(TskDataSkinObject* AData)
{
    if (auto* g = dynamic_cast<TskDataSkinFrameGaugeObject*>(AData)) return g->FramesPlacement;
    if (auto* r = dynamic_cast<TskDataSkinFrameRegulatorObject*>(AData)) return r->FramesPlacement;
    return fpHorizontal;
}

} // namespace

TskSkinFrameGaugeObject::TskSkinFrameGaugeObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskSkinFrameObject(AParent, AData, DataCountFrames(AData), DataFramesPlacement(AData))
{
    if (auto* data = dynamic_cast<TskDataSkinFrameGaugeObject*>(AData)) {
        MinValue = data->MinValue;
        MaxValue = data->MaxValue;
    }
}

int TskSkinFrameGaugeObject::FrameToDraw() const { return FrameFromValue(Value, MinValue, MaxValue); }

void TskSkinFrameGaugeObject::MouseEnter()
{
    Active = true;
    MorphIncrease = true;
    RaiseEnter(this);
}

void TskSkinFrameGaugeObject::MouseLeave()
{
    Active = false;
    MorphIncrease = false;
    RaiseLeave(this);
}

// ---- TskSkinFrameRegulatorObject ----

TskSkinFrameRegulatorObject::TskSkinFrameRegulatorObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskSkinFrameObject(AParent, AData, DataCountFrames(AData), DataFramesPlacement(AData))
{
    if (auto* data = dynamic_cast<TskDataSkinFrameRegulatorObject*>(AData)) {
        MinValue = data->MinValue;
        MaxValue = data->MaxValue;
        Kind = data->Kind;
    }
    // A skin with the range upside down must not make clamp's bounds cross.
    Value = std::clamp(0, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
}

int TskSkinFrameRegulatorObject::FrameToDraw() const { return FrameFromValue(Value, MinValue, MaxValue); }

void TskSkinFrameRegulatorObject::SetValue(int AValue)
{
    if (AValue == Value || AValue < MinValue || AValue > MaxValue) return;
    Value = AValue;
    if (Parent != nullptr) Parent->RedrawSkinObject(this);
    if (Parent != nullptr && Parent->OnFrameRegulatorChangeValueEvent)
        Parent->OnFrameRegulatorChangeValueEvent(IDName, Value);
}

int TskSkinFrameRegulatorObject::Angle(int X, int Y) const
{
    const int w = ObjectRect.Width();
    const int h = ObjectRect.Height();
    const int x = std::clamp(X, 0, std::max(w, 0));
    const int y = std::clamp(Y, 0, std::max(h, 0));
    const int cx = w / 2;
    const int cy = h / 2;
    const double dx = cx - x;
    const double dy = cy - y;
    // The quadrant, tested in this order with a later match winning.
    int base = 0;
    if (x <= cx && cy > y) base = 90;
    if (x < cx && cy <= y) base = 180;
    if (x >= cx && cy < y) base = 270;
    if (x > cx && cy >= y) base = 0;
    const double dist = std::sqrt(dx * dx + dy * dy);
    // The centre itself has no direction; it counts as angle 0 of its quadrant.
    double s = 0;
    if (dist > 0) s = (base == 0 || base == 180 ? std::abs(dy) : std::abs(dx)) / dist;
    const int a = base + RoundHalfEven(std::asin(std::min(s, 1.0)) * 180 / std::numbers::pi);
    int result = 270 - a;
    if (result < 0) result += 360;
    return result;
}

int TskSkinFrameRegulatorObject::DragCoordinate(const TPoint& P) const
{
    switch (Kind) {
    case rkHorizontal: return P.X;
    case rkVertical: return -P.Y;
    default: return Angle(P.X, P.Y);
    }
}

void TskSkinFrameRegulatorObject::StepBy(int Delta)
{
    FRunValue = std::clamp(FRunValue + Delta, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
    SetValue(FRunValue);
}

void TskSkinFrameRegulatorObject::LinearStep(int Current)
{
    const int pixels = Kind == rkHorizontal ? FrameWidth : FrameHeight;
    const int pixelStep = std::max(pixels / (CountFrames - 1), 1);
    const int valueStep = std::max((MaxValue - MinValue) / (CountFrames - 1), 1);
    if (std::abs(Current - FAnchor) < pixelStep) return;
    const int delta = FAnchor > Current ? -valueStep : valueStep;
    FAnchor = Current;
    StepBy(delta);
}

void TskSkinFrameRegulatorObject::RoundStep(int Current)
{
    // One turn of the knob runs through the whole strip: a frame per (360 / (frames - 1)) degrees.
    const int angleStep = std::max(360 / (CountFrames - 1), 1);
    const int valueStep = std::max((MaxValue - MinValue) / (CountFrames - 1), 1);
    bool grow = false;
    if (std::abs(Current - FPrevious) > 300) {
        // The pointer crossed the 0/360 line: keep counting in the direction it was turning.
        grow = Current < FPrevious;
    } else if (std::abs(Current - FAnchor) >= angleStep) {
        grow = Current >= FAnchor;
    } else {
        return;
    }
    FAnchor = Current;
    StepBy(grow ? valueStep : -valueStep);
}

void TskSkinFrameRegulatorObject::MouseDown(int X, int Y, TMouseButton Button)
{
    const TPoint p{X - ObjectRect.Left, Y - ObjectRect.Top};
    RegDown = true;
    FRunValue = Value;
    FAnchor = DragCoordinate(p);
    FPrevious = FAnchor;
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinFrameRegulatorObject::MouseMove(int X, int Y)
{
    if (RegDown) {
        const int current = DragCoordinate(TPoint{X - ObjectRect.Left, Y - ObjectRect.Top});
        // With fewer than two frames there is nothing to step through.
        if (CountFrames >= 2) {
            if (Kind == rkRound)
                RoundStep(current);
            else
                LinearStep(current);
        }
        FPrevious = current;
    }
    TskActiveSkinObject::MouseMove(X, Y);
}

void TskSkinFrameRegulatorObject::MouseUp(int X, int Y, TMouseButton Button)
{
    RegDown = false;
    TskActiveSkinObject::MouseUp(X, Y, Button);
}

void RegisterSkinValueObjects()
{
    RegisterSkinObjectMaker(skokUserObject,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskUserObject(Frame, Data);
        });
    RegisterSkinObjectMaker(skokTrackBar,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinTrackBarObject(Frame, Data);
        });
    RegisterSkinObjectMaker(skokSwitch,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinSwitchObject(Frame, Data);
        });
    RegisterSkinObjectMaker(skokGauge,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinGaugeObject(Frame, Data);
        });
    RegisterSkinObjectMaker(skokFrameGauge,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinFrameGaugeObject(Frame, Data);
        });
    RegisterSkinObjectMaker(skokFrameRegulator,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinFrameRegulatorObject(Frame, Data);
        });
}
