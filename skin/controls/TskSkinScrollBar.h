#pragma once
// A scroll bar painted by the skin engine: a track with a thumb and two step buttons. Scrollable skinned
// controls hide their own bars and drive one of these: they set the range with SetRange, follow their own
// scrolling with SetPositionQuiet and react to OnChange. The button at the left or top end always steps
// back (smaller positions); the one at the right or bottom end steps forward.
#include <string>

#include "platform/vcl/TScrollBox.h"
#include "skin/controls/TskSkinControl.h"

class TskSkinScrollBar : public TskSkinCustomControl {
public:
    // Part indexes.
    static constexpr int ThumbPart = 0;
    static constexpr int UpButtonPart = 1;   // steps forward; right or bottom end
    static constexpr int DownButtonPart = 2; // steps back; left or top end

    explicit TskSkinScrollBar(TComponent* AOwner);
    ~TskSkinScrollBar() override;

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const { return FPosition; }
    // Held within Min .. the top limit; fires OnChange when the stored value changes.
    void SetPosition(int Value);
    // The same without OnChange: owners follow their own scrolling with it.
    void SetPositionQuiet(int Value);
    void SetRange(int AMin, int AMax, int APageSize, int APosition);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool Both() const { return FBoth; }
    void SetBoth(bool Value);
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int Value);
    const std::string& BothSkinDataName() const { return FBothSkinDataName; }
    void SetBothSkinDataName(const std::string& Value) { FBothSkinDataName = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnPageUp;
    TNotifyEvent OnPageDown;

    // Geometry of the present layout (client coordinates), as painting and hit testing use it.
    TRect PartRect(int Index) { CalcRects(); return FParts[Index].R; }
    TRect TrackRect() { CalcRects(); return FTrackArea; }

    void FindSkinObject() override;
    void ComputeSkinSize(int& AWidth, int& AHeight) override;

protected:
    void DrawSkinImage(TBitmap* B) override;
    void DrawDefaultImage(TBitmap* B) override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    struct TPart {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };

    int TopLimit() const;
    int Clamped(int Value) const;
    void CalcRects();
    int CalcValue(int Offset) const;
    void TestActive(int X, int Y);
    void ButtonDown(int I);
    void ButtonUp(int I);
    void ButtonEnter(int I);
    void ButtonLeave(int I);
    void StartTimer(UINT Interval);
    void StopTimer();
    void TimerTick();
    void StepUp();
    void StepDown();
    void DrawDefaultPart(TCanvas* C, int I);
    void DrawSkinPart(TCanvas* C, int I);
    void DrawSkinThumb(TCanvas* C);
    bool Horizontal() const { return FKind == sbHorizontal; }

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    bool FCanFocused = false;
    bool FBoth = false;
    int FBothMarkerWidth = 0;
    std::string FBothSkinDataName = "bothhscrollbar";
    std::string FSavedSkinDataName;

    TPart FParts[3];
    TRect FTrackArea;
    int FThumbLength = 16;
    int FTravelStart = 0;
    int FTravelEnd = 0;
    int FOffset = 0;
    int FActivePart = -1;
    int FOldActivePart = -1;
    int FDownPart = -1;
    bool FDragging = false;
    int FDragStart = 0;
    int FDragOffset = 0;
    TPoint FLastPoint;
    bool FMouseDownFlag = false;
    int FTimerMode = 0;
    bool FFirstTick = true;
    bool FTimerSet = false;

    // Copied from the entry.
    TRect FSkinTrackArea, FUpButtonRect, FActiveUpButtonRect, FDownUpButtonRect;
    TRect FDownButtonRect, FActiveDownButtonRect, FDownDownButtonRect;
    TRect FThumbRect, FActiveThumbRect, FDownThumbRect;
    int FThumbOffset1 = 0, FThumbOffset2 = 0;
    bool FThumbTransparent = false;
    TColor FThumbTransparentColor = 0;
    bool FThumbStretchEffect = false;
    int FThumbMinSize = 0, FThumbMinPageSize = 0;
    TRect FGlyphRect, FActiveGlyphRect, FDownGlyphRect;
    bool FGlyphTransparent = false;
    TColor FGlyphTransparentColor = 0;
};

// Tells the form reader about TskSkinScrollBar (after the skinned bases are registered).
void RegisterSkinScrollBarClass();
