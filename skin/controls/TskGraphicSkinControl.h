#pragma once
// The skin link and painting protocol of TskSkinControl for controls without a window of their own
// (the speed buttons). They paint on their parent's window through an off-screen bitmap, never get a
// window region, and stretch a client piece always whole.
#include <string>

#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomControl.h"

class TskSkinData;
class TskDataSkinControl;
class TCustomImageList;

class TskGraphicSkinControl : public TGraphicControl {
public:
    explicit TskGraphicSkinControl(TComponent* AOwner);

    const std::string& HintTitle() const { return FHintTitle; }
    void SetHintTitle(const std::string& Value) { FHintTitle = Value; }
    int HintImageIndex() const { return FHintImageIndex; }
    void SetHintImageIndex(int Value) { FHintImageIndex = Value; }
    TCustomImageList* HintImageList() const { return FHintImageList; }
    void SetHintImageList(TCustomImageList* Value);
    bool DrawDefault() const { return FDrawDefault; }
    void SetDrawDefault(bool Value) { FDrawDefault = Value; }
    TskSkinData* SkinData() const { return FSkinData; }
    virtual void SetSkinData(TskSkinData* Value);
    const std::string& AreaName() const { return FAreaName; }
    void SetAreaName(const std::string& Value) { FAreaName = Value; }
    const std::string& SkinDataName() const { return FSkinDataName; }
    // A plain store: nothing is repainted.
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    bool AlphaBlend() const { return FAlphaBlend; }
    virtual void SetAlphaBlend(bool Value);
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    virtual void SetAlphaBlendValue(BYTE Value);
    bool UseSkinCursor() const { return FUseSkinCursor; }
    void SetUseSkinCursor(bool Value) { FUseSkinCursor = Value; }

    int SkinIndex() const { return FSkinIndex; }
    TskDataSkinControl* SkinEntry() const;
    bool SkinLoaded() const;

    virtual void FindSkinObject();
    virtual void RefreshSkin();
    virtual void ResetSkinIndex() { FSkinIndex = -1; }

protected:
    virtual void DrawDefaultImage(TBitmap*) {}
    virtual void DrawSkinImage(TBitmap*) {}
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ShowImage(TBitmap* B);
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    TBitmap* SkinPicture(int Index) const;

    int FSkinIndex = -1;
    int FCursorIndex = -1;

private:
    std::string FHintTitle;
    int FHintImageIndex = 0;
    TCustomImageList* FHintImageList = nullptr;
    bool FDrawDefault = true;
    TskSkinData* FSkinData = nullptr;
    std::string FAreaName;
    std::string FSkinDataName;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    bool FUseSkinCursor = false;
};

class TskGraphicSkinCustomControl : public TskGraphicSkinControl {
public:
    explicit TskGraphicSkinCustomControl(TComponent* AOwner);
    ~TskGraphicSkinCustomControl() override;

    TFont* DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(TFont* Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void FindSkinObject() override;
    void RefreshSkin() override;
    int ResizeMode() const { return FResizeMode; }
    virtual void ComputeSkinSize(int& AWidth, int& AHeight);

protected:
    virtual void DefaultFontChanged() {}
    void DrawDefaultImage(TBitmap* B) override;
    void DrawSkinImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B, TBitmap* APicture, const TRect& R);

    TPoint FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint;
    TRect FSkinRect;
    TRect FSkinClientRect;
    TPoint FNewLeftTopPoint, FNewRightTopPoint, FNewLeftBottomPoint, FNewRightBottomPoint;
    TRect FNewSkinClientRect;
    TBitmap* FPicture = nullptr;
    int FResizeMode = 0;
    bool FStretchEffect = false;
    bool FLeftStretch = false, FTopStretch = false, FRightStretch = false, FBottomStretch = false;

private:
    TFont* FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
};
