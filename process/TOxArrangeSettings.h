#pragma once
// How an arrange panel lays out its children in rows: borders, distances, wrapping, auto-size.
#include "process/TOxPersistentProperty.h"

enum TOxAutoSizePanel { asNone, asWidth, asHeight, asBoth };

class TOxArrangeSettings : public TOxPersistentProperty {
public:
    using TOxPersistentProperty::TOxPersistentProperty;

    bool WrapControls() const { return FWrapControls; }
    void SetWrapControls(bool Value) { SetProperty(FWrapControls, Value, "WrapControls"); }
    int BorderLeft() const { return FBorderLeft; }
    void SetBorderLeft(int Value) { SetProperty(FBorderLeft, Value, "BorderLeft"); }
    int BorderTop() const { return FBorderTop; }
    void SetBorderTop(int Value) { SetProperty(FBorderTop, Value, "BorderTop"); }
    int DistanceVertical() const { return FDistanceVertical; }
    void SetDistanceVertical(int Value) { SetProperty(FDistanceVertical, Value, "DistanceVertical"); }
    int DistanceHorizontal() const { return FDistanceHorizontal; }
    void SetDistanceHorizontal(int Value) { SetProperty(FDistanceHorizontal, Value, "DistanceHorizontal"); }
    // Stored directly: it only matters at design time, which this program never has.
    bool ShowNotVisibleAtDesignTime() const { return FShowNotVisibleAtDesignTime; }
    void SetShowNotVisibleAtDesignTime(bool Value) { FShowNotVisibleAtDesignTime = Value; }
    TOxAutoSizePanel AutoSize() const { return FAutoSize; }
    void SetAutoSize(TOxAutoSizePanel Value) { SetProperty(FAutoSize, Value, "AutoSize"); }
    bool AutoArrange() const { return FAutoArrange; }
    void SetAutoArrange(bool Value) { SetProperty(FAutoArrange, Value, "AutoArrange"); }
    // 0: no limit.
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value) { SetProperty(FMaxWidth, Value, "MaxWidth"); }

    // All nine values inside one update bracket; nullptr is ignored.
    void Assign(TPersistent* Source) override;

private:
    bool FWrapControls = true;
    int FBorderLeft = 0;
    int FBorderTop = 0;
    int FDistanceVertical = 0;
    int FDistanceHorizontal = 0;
    bool FShowNotVisibleAtDesignTime = true;
    TOxAutoSizePanel FAutoSize = asNone;
    bool FAutoArrange = false;
    int FMaxWidth = 0;
};
