#pragma once
// The windowed skinned controls' base. TskSkinControl links a control to a skin (SkinData) and to its
// entry there (SkinDataName), paints through an off-screen bitmap, from the skin (DrawSkinImage) or in
// a plain default look (DrawDefaultImage), optionally blended over the parent's background, and tells
// its children when the background under them changes (WM_SKPARENTBGCHANGED). TskSkinCustomControl adds
// the resizable picture: the nine-part, three-part or fixed geometry of a TskDataSkinCustomControl
// entry, the size it allows, the window region from the entry's mask, and the direct painting of large
// frames that never builds a bitmap of the whole control.
#include <string>

#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomControl.h"
#include "skin/data/SkinMessages.h"

class TskSkinData;
class TskDataSkinControl;
class TCustomImageList;

class TskSkinControl : public TCustomControl {
public:
    explicit TskSkinControl(TComponent* AOwner);

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
    // Only stores the name: the entry is looked up at the next paint or RefreshSkin.
    virtual void SetSkinDataName(const std::string& Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    virtual void SetAlphaBlend(bool Value);
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    virtual void SetAlphaBlendValue(BYTE Value);
    bool UseSkinCursor() const { return FUseSkinCursor; }
    void SetUseSkinCursor(bool Value) { FUseSkinCursor = Value; }

    // The entry's index in the skin's control list; -1 for none.
    int SkinIndex() const { return FSkinIndex; }
    // The entry itself, or nullptr.
    TskDataSkinControl* SkinEntry() const;
    // True when SkinData is set and holds a loaded skin.
    bool SkinLoaded() const;

    virtual void FindSkinObject();
    virtual void RefreshSkin();
    virtual void ResetSkinIndex() { FSkinIndex = -1; }
    virtual void ParentBackgroundChanged();
    // WM_SKPARENTBGCHANGED to every child: sent to windowed ones, performed on graphic ones.
    void SendParentBackgroundChanged();

protected:
    virtual void DrawDefaultImage(TBitmap*) {}
    virtual void DrawSkinImage(TBitmap*) {}
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Puts a finished picture of the control's size on its canvas at (0, 0), blended over the parent's
    // background by AlphaBlendValue when AlphaBlend is on.
    void ShowImage(TBitmap* B);
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    TBitmap* SkinPicture(int Index) const;
    // Answers a background erase by painting the whole control into the erase device context, unless
    // the erase comes from the control's own paint (which paints it anyway). For controls whose picture
    // a parent may gather into one device context with its own.
    void PaintOnErase(TMessage& Message);

    int FSkinIndex = -1;
    int FCursorIndex = -1;
    bool FInPaint = false;

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

enum TskStretchType { stFull, stHorz, stVert };

class TskSkinCustomControl : public TskSkinControl {
public:
    explicit TskSkinCustomControl(TComponent* AOwner);
    ~TskSkinCustomControl() override;

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

    // -1 no picture, 0 fixed size, 1 nine-part, 2 horizontal three-part, 3 vertical three-part.
    int ResizeMode() const { return FResizeMode; }
    const TRect& NewSkinClientRect() const { return FNewSkinClientRect; }
    // A rectangle of the skin picture (relative to "skinrect") moved and widened for the current size.
    void MapSkinRect(const TRect& R, TRect& Result) const;
    // Sets the New geometry for a size and narrows the size to what the picture allows.
    virtual void ComputeSkinSize(int& AWidth, int& AHeight);
    virtual void ApplySkinRegion();
    bool HasWindowRegion() const { return FHasRegion; }

protected:
    virtual void DefaultFontChanged() {}
    void DrawDefaultImage(TBitmap* B) override;
    void DrawSkinImage(TBitmap* B) override;
    void Paint() override;
    // The part R of APicture drawn into B for the control's size, by ResizeMode.
    void CreateControlSkinImage(TBitmap* B, TBitmap* APicture, const TRect& R);
    void PaintFrameDirect();

    TPoint FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint;
    TRect FSkinRect;
    TRect FSkinClientRect;
    TPoint FNewLeftTopPoint, FNewRightTopPoint, FNewLeftBottomPoint, FNewRightBottomPoint;
    TRect FNewSkinClientRect;
    TBitmap* FPicture = nullptr;
    TBitmap* FMaskPicture = nullptr;
    int FResizeMode = 0;
    bool FStretchEffect = false;
    bool FLeftStretch = false, FTopStretch = false, FRightStretch = false, FBottomStretch = false;
    int FStretchType = stFull;
    bool FPaintFrameDirectly = false;
    bool FPaintClientArea = true;

private:
    void SetSkinRegion();
    void DefaultFontChange(TObject* Sender);

    TFont* FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    bool FHasRegion = false;
};

// The resize mode a nine-part entry's geometry implies (see TskSkinCustomControl::ResizeMode).
int SkinResizeMode(const TRect& SkinRect, const TPoint& RightTopPoint, const TPoint& LeftBottomPoint,
    const TPoint& RightBottomPoint);
// Registers every skinned control class with the form reader.
void RegisterSkinControlClasses();
