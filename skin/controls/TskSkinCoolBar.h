#pragma once
// A cool bar whose frame, background and band grabbers come from the skin entry "controlbar"; without
// the entry it is the plain cool bar. It keeps its own skin link (it is no skinned control base) and
// reads its entry again before every paint, so a skin change shows at the next repaint.
#include <string>

#include "platform/vcl/TCoolBar.h"
#include "skin/controls/SkinLink.h"

class TskSkinData;

class TskSkinCoolBar : public TCoolBar {
public:
    explicit TskSkinCoolBar(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSkinLink.Data(); }
    void SetSkinData(TskSkinData* Value);
    const std::string& SkinDataName() const { return FSkinLink.Name(); }
    void SetSkinDataName(const std::string& Value) { FSkinLink.SetName(Value); }
    bool SkinBevel() const { return FSkinBevel; }
    void SetSkinBevel(bool Value);

    int SkinIndex() const { return FSkinLink.Index(); }
    // Reads the entry again and remakes the window (its frame may have changed).
    void RefreshSkin();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;

private:
    void SkinGone();
    void ReadEntry();
    bool HasFrame() const { return SkinIndex() != -1 && FSkinBevel && FPicture != nullptr; }
    void PaintFrame(HDC DC);
    void PaintBackground(TCanvas* C);
    void PaintBands(TCanvas* C);
    void PaintGrabber(TCanvas* C, const TRect& R);

    // The skin gone: the plain look again.
    TskSkinLink FSkinLink{this, "controlbar", [this] { SkinGone(); }};
    bool FSkinBevel = true;

    // Copied from the entry.
    TPoint FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint;
    TRect FSkinRect, FClientRect;
    TBitmap* FPicture = nullptr;
    TRect FItemRect;
    int FBGPictureIndex = -1;
    TRect FHGripRect, FVGripRect;
    int FGripOffset1 = 0, FGripOffset2 = 0;
    bool FGripTransparent = false;
    TColor FGripTransparentColor = 0;
    bool FStretchEffect = false;
    int FStretchType = 0;
    bool FLeftStretch = false, FTopStretch = false, FRightStretch = false, FBottomStretch = false;
};
