#pragma once
// A picture on the parent: drawn at the top left, centred, stretched, or stretched keeping its
// proportions; AutoSize takes the picture's size.
#include "platform/vcl/TCustomControl.h"
#include "platform/vcl/TPicture.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture; }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

private:
    void PictureChanged();
    TPicture* FPicture;
    bool FCenter = false;
    bool FStretch = false;
    bool FProportional = false;
    bool FTransparent = false;
};

void RegisterImageClasses();
