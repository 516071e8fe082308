#pragma once
// What the windowed and the windowless resizable skinned controls share: the geometry of a
// TskDataSkinCustomControl entry (fixed size, nine-part, or three-part across or down), the size it
// allows, the picture built for the present size, and the default font and size used without an
// entry. TLinked is TskSkinControl or TskGraphicSkinControl.
#include "platform/vcl/TBitmap.h"
#include "skin/controls/SkinNinePart.h"
#include "skin/data/SkinLookCache.h"

enum TskStretchType { stFull, stHorz, stVert };

template <class TLinked> class TskSkinResizableControl : public TLinked {
public:
    // The link and painting layer below: TskSkinControl or TskGraphicSkinControl.
    using Linked = TLinked;

    explicit TskSkinResizableControl(TComponent* AOwner);
    ~TskSkinResizableControl() override;

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
    // Sets the New geometry for a size and narrows the size to what the picture allows.
    virtual void ComputeSkinSize(int& AWidth, int& AHeight);
    // Gives the control the shape of the entry's mask; only a window has one.
    virtual void ApplySkinRegion() {}

protected:
    virtual void DefaultFontChanged() {}
    void DrawDefaultImage(TBitmap* B) override;
    void DrawSkinImage(TBitmap* B) override { CreateControlSkinImage(B, FPicture, FSkinRect); }
    // The part R of APicture drawn into B for the control's size, by ResizeMode.
    void CreateControlSkinImage(TBitmap* B, TBitmap* APicture, const TRect& R);
    // How a nine-part picture's client piece is stretched.
    virtual int ClientStretchType() const { return FStretchType; }

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

private:
    // The picture a stretched entry makes for a size, kept until the skin, the part or the size changes.
    struct TStretchKey {
        unsigned Generation = 0;
        int SkinIndex = -1, ResizeMode = 0, StretchType = 0;
        const TBitmap* Picture = nullptr;
        TRect Source;
        int Width = 0, Height = 0, StartWidth = 0, StartHeight = 0;
        friend bool operator==(const TStretchKey&, const TStretchKey&) = default;
    };
    void DrawStretched(TBitmap* B, TBitmap* APicture, const TRect& R, int Width, int Height);
    TSkinLookCache<TStretchKey> FStretchedLook;
    TFont* FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
};
