#pragma once
// A track bar: a ruler picture, a thumb picture sliding along it and optional tick points, drawn from
// built-in pictures or from the skin entry "slider". The converter's quality control is one: it relies on
// OnChange firing only when Value really changes, including when a lower MaxValue pulls Value down.
#include <cstdint>
#include <functional>
#include <memory>

#include "skin/controls/TskSkinControl.h"

enum TskSliderOrientation { soHorizontal, soVertical };
enum TskSliderOption { soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque };
using TskSliderOptions = TSet<TskSliderOption>;

class TskSkinCustomSlider : public TskSkinControl {
public:
    // Image indexes.
    static constexpr int HThumb = 0, HRuler = 1, VThumb = 2, VRuler = 3;

    explicit TskSkinCustomSlider(TComponent* AOwner);
    ~TskSkinCustomSlider() override;

    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    // Ignored when AMax <= AMin, except while the control is read from a stored form.
    void SetRange(int AMin, int AMax);
    virtual int GetValue() const { return FValue; }
    int Value() const { return GetValue(); }
    void SetValue(int Value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);
    TskSliderOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TskSliderOrientation Value);
    TskSliderOptions Options() const { return FOptions; }
    void SetOptions(TskSliderOptions Value);
    int EdgeSize() const { return FEdgeSize; }
    void SetEdgeSize(int Value);
    int NumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(int Value);
    TBitmap* Image(int Index) const { return FImages[Index].get(); }
    // A bitmap replaces the built-in picture (and marks it a user image); nullptr restores the built-in one.
    void SetImage(int Index, TBitmap* Value);
    TBitmap* ImageHThumb() const { return Image(HThumb); }
    void SetImageHThumb(TBitmap* Value) { SetImage(HThumb, Value); }
    TBitmap* ImageHRuler() const { return Image(HRuler); }
    void SetImageHRuler(TBitmap* Value) { SetImage(HRuler, Value); }
    TBitmap* ImageVThumb() const { return Image(VThumb); }
    void SetImageVThumb(TBitmap* Value) { SetImage(VThumb, Value); }
    TBitmap* ImageVRuler() const { return Image(VRuler); }
    void SetImageVRuler(TBitmap* Value) { SetImage(VRuler, Value); }
    // The stored "UserImages": bit i set for each image the user assigned.
    std::uint8_t UserImages() const { return FUserImages; }
    void SetUserImages(std::uint8_t Value) { FUserImages = Value; }
    bool UseSkinThumb() const { return FUseSkinThumb; }
    void SetUseSkinThumb(bool Value) { FUseSkinThumb = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanged;
    TNotifyEvent OnDrawPoints;

    // Geometry, as painting and hit testing use it.
    TRect ThumbRect() const { return FThumbRect; }
    TRect RulerRect() const;
    int GetRulerLength() const;
    int GetOffsetByValue(int V) const;
    int GetValueByOffset(int O) const;

    void FindSkinObject() override;
    void RefreshSkin() override;
    virtual void DefaultDrawPoints(TCanvas* C, int AIncrement, int BigLength, int SmallLength);

protected:
    virtual bool CanModify() { return true; }
    virtual TRect GetRulerFrame() const { return Rect(0, 0, Width(), Height()); }
    virtual void AdjustElements();
    virtual void RangeChanged() {}
    virtual void ThumbMouseDown(int X, int Y);
    virtual void ThumbMouseMove(int X, int Y);
    virtual void ThumbMouseUp();
    virtual void Change();

    void Paint() override;
    void Resize() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool Horizontal() const { return FOrientation == soHorizontal; }
    bool SkinLook() const { return SkinIndex() != -1; }
    bool SkinThumb() const { return SkinLook() && FUseSkinThumb; }
    TSize ThumbSize() const;
    bool Reading() const;
    void LoadDefaultImage(int Index);
    void ImageChanged(TObject* Sender);
    int AdjustOffset(int O) const;
    void SetThumbOffset(int O);
    int JumpTo(TPoint P) const;
    void TimerTrack();
    void StopTracking();
    void StepBy(int Code);
    void DrawThumb(TCanvas* C);

    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 0;
    int FIncrement = 10;
    TskSliderOrientation FOrientation = soHorizontal;
    TskSliderOptions FOptions{soShowFocus, soShowPoints, soSmooth};
    int FEdgeSize = 2;
    int FNumThumbStates = 2;
    std::unique_ptr<TBitmap> FImages[4];
    std::uint8_t FUserImages = 0;
    bool FUseSkinThumb = true;
    bool FTransparent = false;

    std::unique_ptr<TBitmap> FRuler;
    TPoint FRulerOrigin;
    TRect FThumbRect;
    TPoint FPointsOrigin;
    bool FSliding = false;
    int FGrip = 0;
    bool FThumbPressed = false;
    bool FTracking = false;
    bool FTimerRunning = false;
    TPoint FTrackPoint;
    int FTrackDirection = 0;

    // Copied from the entry.
    TBitmap* FSkinPicture = nullptr;
    TRect FHRulerRect, FHThumbRect, FVRulerRect, FVThumbRect;
    int FSkinEdgeSize = 0;
    TColor FBGColor = 0;
    TColor FPointsColor = 0;
};

class TskSkinSlider : public TskSkinCustomSlider {
public:
    using TskSkinCustomSlider::TskSkinCustomSlider;
};

// Tells the form reader about TskSkinSlider (after the skinned bases are registered).
void RegisterSkinSliderClass();
