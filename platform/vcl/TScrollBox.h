#pragma once
// A container whose children scroll: each direction has a range (the extent of the children when
// AutoScroll) and a position; moving the position moves the children (ScrollBy), and the window's
// scroll state (SB_HORZ / SB_VERT) follows for the bars that show it.
#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TWinControl.h"

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };

class TControlScrollBar : public TPersistent {
public:
    TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind) : FControl(Control), FKind(Kind) {}
    TScrollBarKind Kind() const { return FKind; }
    int Range() const { return FRange; }
    void SetRange(int Value);
    int Position() const { return FPosition; }
    // Kept within 0 .. Range - the client size; the children move by the difference.
    void SetPosition(int Value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = std::max(1, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Tracking() const { return FTracking; }
    void SetTracking(bool Value) { FTracking = Value; }
    // Whether the content is larger than the client area in this direction.
    bool IsScrollBarVisible() const;
    int ClientSize() const;
    void Assign(TPersistent* Source) override;

private:
    friend class TScrollingWinControl;
    void ScrollMessage(int Code, int Pos);
    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FRange = 0;
    int FPosition = 0;
    int FIncrement = 8;
    bool FVisible = true;
    bool FTracking = false;
};

class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;
    TControlScrollBar* HorzScrollBar() const { return FHorz; }
    TControlScrollBar* VertScrollBar() const { return FVert; }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    // Recomputes the ranges (AutoScroll) and the window's scroll state.
    void UpdateScrollBars();

protected:
    void AdjustClientRect(TRect& Rect) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void WndProc(TMessage& Message) override;
    void Resize() override;

private:
    void CalcAutoRange();
    TControlScrollBar* FHorz;
    TControlScrollBar* FVert;
    bool FAutoScroll = true;
    bool FUpdating = false;
};

class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);
    int BorderStyleValue() const { return FBorderSingle ? 1 : 0; }
    void SetBorderStyleValue(int Value);

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    bool FBorderSingle = true;
};

void RegisterScrollBoxClasses();
