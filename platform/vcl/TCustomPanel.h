#pragma once
// A container with raised or lowered bevels round it, an optional border and a centred caption.
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TCustomControl.h"

// Scoped: the skinned controls have border styles of the same short names.
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // bsSingle draws a one-pixel frame outside the bevels.
    bool BorderSingle() const { return FBorderSingle; }
    int BorderStyleValue() const { return FBorderSingle ? 1 : 0; }
    void SetBorderStyleValue(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }

protected:
    void Paint() override;
    void AdjustClientRect(TRect& Rect) override;
    void WndProc(TMessage& Message) override;
    // The width of border and bevels on each side.
    int FrameWidth() const;

private:
    TBevelCut FBevelInner = TBevelCut::bvNone;
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    int FBevelWidth = 1;
    bool FBorderSingle = false;
    TAlignment FAlignment = taCenter;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

void RegisterPanelClasses();
