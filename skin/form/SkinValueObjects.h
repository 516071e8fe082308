#pragma once
// The skin objects of a window frame that show or set a value, and the one the application paints:
//   TskUserObject                kind "userobject": painted by the frame's OnPaintEvent;
//   TskSkinTrackBarObject        kind "trackbar": a thumb dragged between two points;
//   TskSkinSwitchObject          kind "switch": on and off, toggled by a click;
//   TskSkinGaugeObject           kind "gauge": a bar filled up to its value;
//   TskSkinFrameGaugeObject      kind "framegauge": the value shown as one frame of a strip;
//   TskSkinFrameRegulatorObject  kind "frameregulator": a knob or slider dragged through a strip.
// Value changes reach the application through the frame's events.
#include "platform/rtl/Types.h"
#include "skin/form/TskActiveSkinObject.h"
#include "skin/form/TskFormFrame.h"

class TskUserObject : public TskActiveSkinObject {
public:
    using TskActiveSkinObject::TskActiveSkinObject;

    // Raises the frame's OnPaintEvent; paints nothing itself.
    void Draw(TCanvas* Cnvs, bool UpDate) override;
};

class TskSkinTrackBarObject : public TskActiveSkinObject {
public:
    TskSkinTrackBarObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;

    // Positions are relative to the object's top-left. A horizontal bar runs from its minimum at
    // BeginPoint to its maximum at EndPoint on the right; a vertical one up from BeginPoint to EndPoint.
    TPoint PositionFromValue(int AValue) const;
    int ValueFromPosition(const TPoint& P) const;
    // ButtonRect's size centred on ButtonPos, in object coordinates.
    TRect ThumbRect() const;
    // Moves the thumb to P (object coordinates), takes the value from there, redraws and raises
    // OnTrackBarChangeValueEvent; nothing when the thumb is there already.
    void MoveThumb(const TPoint& P);

    TRect ButtonRect;
    TRect ActiveButtonRect;
    TPoint BeginPoint;
    TPoint EndPoint;
    int MinValue = 0;
    int MaxValue = 0;
    bool MouseDownChangeValue = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
    int Value = 0;
    TPoint ButtonPos;
    TPoint OldButtonPos;
    bool Vertical = false;
    bool ButtonDown = false;
    int OldX = 0;
    int OldY = 0;

private:
    // The stretch between the end points along the bar's direction, lowest first.
    int LowEnd() const;
    int HighEnd() const;
    void RedrawNow();
};

class TskSkinSwitchObject : public TskActiveSkinObject {
public:
    using TskActiveSkinObject::TskActiveSkinObject;

    void MouseDown(int X, int Y, TMouseButton Button) override;
    // Only the hover flag and the events: a switch shows its state, not the pointer.
    void MouseEnter() override;
    void MouseLeave() override;
    // Only the hover flag: the switch keeps showing its state.
    void ResetState() override;

    // On shows the active image (with the morph when enabled), off the normal one; raises
    // OnSwitchChangeStateEvent.
    void SetState(TSwitchState Value);

    TSwitchState State = swsOff;
};

class TskSkinGaugeObject : public TskActiveSkinObject {
public:
    TskSkinGaugeObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Where the fill ends, in object coordinates: an X for a horizontal gauge, a Y for a vertical one.
    int ProgressPos() const;

    int MinValue = 0;
    int MaxValue = 0;
    int Kind = 0; // gkHorizontal, gkVertical
    int Value = 0;
};

// Base of the two strip kinds: the picture is one of CountFrames equal frames of a strip at
// ActiveSkinRect of ActivePicture.
class TskSkinFrameObject : public TskActiveSkinObject {
public:
    TskSkinFrameObject(TskFormFrame* AParent, TskDataSkinObject* AData, int ACountFrames, int AFramesPlacement);

    void Draw(TCanvas* Cnvs, bool UpDate) override;

    // The frame (1-based) that shows AValue between AMinValue and AMaxValue.
    int FrameFromValue(int AValue, int AMinValue, int AMaxValue) const;
    // Frame N's rectangle in ActivePicture.
    TRect FrameRect(int N) const;

    int Frame = 1;
    int FrameWidth = 0;
    int FrameHeight = 0;
    int CountFrames = 0;
    int FramesPlacement = 0; // fpHorizontal, fpVertical

protected:
    // The frame Draw shows.
    virtual int FrameToDraw() const { return Frame; }
};

class TskSkinFrameGaugeObject : public TskSkinFrameObject {
public:
    TskSkinFrameGaugeObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    void MouseEnter() override;
    void MouseLeave() override;

    int MinValue = 0;
    int MaxValue = 0;
    int Value = 0; // not clamped

protected:
    int FrameToDraw() const override;
};

class TskSkinFrameRegulatorObject : public TskSkinFrameObject {
public:
    TskSkinFrameRegulatorObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;

    // Takes AValue when it differs and lies in [MinValue, MaxValue]: redraws and raises
    // OnFrameRegulatorChangeValueEvent.
    void SetValue(int AValue);
    // The angle of a point (object coordinates) around the object's centre, in degrees, 0 .. 359.
    int Angle(int X, int Y) const;

    int MinValue = 0;
    int MaxValue = 0;
    int Kind = 0; // rkRound, rkHorizontal, rkVertical
    int Value = 0;
    bool RegDown = false;

protected:
    int FrameToDraw() const override;

private:
    // The drag coordinate of a point: its angle, X, or -Y (so that up counts upwards).
    int DragCoordinate(const TPoint& P) const;
    void LinearStep(int Current);
    void RoundStep(int Current);
    void StepBy(int Delta);

    int FAnchor = 0;
    int FPrevious = 0;
    int FRunValue = 0;
};

// The makers of these kinds, for the frame's object factory.
void RegisterSkinValueObjects();
