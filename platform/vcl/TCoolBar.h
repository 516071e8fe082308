#pragma once
// A bar of bands. Each band holds one child control with a grabber, an image and a caption before it;
// bands run left to right (top to bottom when Vertical), and a band with Break starts a new row. The
// last band of a row reaches to the end of the bar. The bar has no border of its own.
#include <string>

#include "platform/vcl/TCollection.h"
#include "platform/vcl/TCustomControl.h"

class TCoolBar;
class TCustomImageList;

class TCoolBand : public TCollectionItem {
public:
    explicit TCoolBand(TCollection* Collection);
    ~TCoolBand() override;
    void Assign(TPersistent* Source) override;

    TWinControl* Control() const { return FControl; }
    void SetControl(TWinControl* Value);
    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Break() const { return FBreak; }
    void SetBreak(bool Value);
    // 0: as wide as its caption and control need.
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    // A fixed band has no grabber.
    bool FixedSize() const { return FFixedSize; }
    void SetFixedSize(bool Value);

    TCoolBar* CoolBar() const;
    // The band's place in the bar, set by the layout.
    TRect BandRect;

private:
    TWinControl* FControl = nullptr;
    std::string FText;
    int FImageIndex = -1;
    bool FVisible = true;
    bool FBreak = true;
    int FWidth = 0;
    int FMinHeight = 25;
    bool FFixedSize = false;
};

class TCoolBands : public TCollection {
public:
    explicit TCoolBands(TCoolBar* ACoolBar);
    TCoolBand* Items(int Index) const { return ItemsAs<TCoolBand>(Index); }
    TCoolBand* Add() { return static_cast<TCoolBand*>(TCollection::Add()); }
    TCoolBar* CoolBar() const { return FCoolBar; }
    // The band that holds Control, or nullptr.
    TCoolBand* FindBand(const TControl* Control) const;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TCoolBar* FCoolBar;
};

class TCoolBar : public TCustomControl {
public:
    explicit TCoolBar(TComponent* AOwner);
    ~TCoolBar() override;

    TCoolBands* Bands() const { return FBands; }
    bool Vertical() const { return FVertical; }
    void SetVertical(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool Value);

    // The part of a band before its control: grabber, image and text (0 for a hidden band).
    int CaptionWidth(TCoolBand* Band);
    // Places the bands and their controls again.
    void LayoutBands();

protected:
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool Designing() const { return ComponentState().Contains(csDesigning); }

private:
    TCoolBands* FBands;
    bool FVertical = false;
    TComponentLink<TCustomImageList> FImages{this};
    bool FShowText = true;
    bool FInLayout = false;
};

void RegisterCoolBarClasses();
