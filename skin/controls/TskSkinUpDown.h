#pragma once
// A two-button spin control with an integer Position and auto-repeat while a button is held, skin
// entries "hupdown" and "vupdown". Nothing in the converter makes one; stored forms may. With
// UseSkinSize off it keeps any size, and each half is the skin's "resizebutton" picture stretched to it,
// with an arrow.
#include <memory>

#include "skin/controls/TskSkinControl.h"

enum TUDOrientation { udHorizontal, udVertical };

class TskSkinUpDown : public TskSkinCustomControl {
public:
    explicit TskSkinUpDown(TComponent* AOwner);
    ~TskSkinUpDown() override;

    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const { return FPosition; }
    // A value outside Min..Max is ignored (not clamped): stored forms rely on it.
    void SetPosition(int Value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value; }
    TNotifyEvent OnChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

    // Button 0 steps up, button 1 down.
    TRect ButtonRect(int Index) const;
    void FindSkinObject() override;
    // The skin's size and window region apply only with UseSkinSize.
    void ComputeSkinSize(int& AWidth, int& AHeight) override;

protected:
    void DrawSkinImage(TBitmap* B) override;
    void DrawDefaultImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;

private:
    int ButtonAt(int X, int Y) const;
    // 2 pressed (and under the mouse), 1 hot, 0 at rest.
    int ButtonState(int Index) const;
    void DrawArrow(TCanvas* C, int Index, const TRect& R, TColor Color) const;
    // Each button from the skin's "resizebutton" entry; false when the skin has no usable one.
    bool DrawResizeButtons(TBitmap* B);
    void StartTimer(UINT Ms);
    void StopTimer();
    void Step(int Button);

    TUDOrientation FOrientation = udHorizontal;
    bool FUseSkinSize = true;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    int FHot = -1;
    int FPressed = -1;
    bool FRepeating = false;
    bool FFirstDelay = false;
    bool FTimerOn = false;
    // [button][place, active, down]: the place is relative to "skinrect" (the button at rest is part of
    // the entry's own picture); the active and down pictures are rectangles of the skin picture.
    TRect FSkinButtons[2][3];
};
