#pragma once
// A bevel drawn in the skin's light and dark colours (entry "bevel"), with a divider look of one thin
// groove or outline.
#include <string>

#include "skin/controls/SkinLink.h"

#include "platform/vcl/TBevel.h"

class TskSkinData;

class TskSkinBevel : public TBevel {
public:
    explicit TskSkinBevel(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSkinLink.Data(); }
    void SetSkinData(TskSkinData* Value);
    const std::string& SkinDataName() const { return FSkinLink.Name(); }
    void SetSkinDataName(const std::string& Value) { FSkinLink.SetName(Value); }
    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool Value);

    int SkinIndex() const { return FSkinLink.Index(); }
    // Looks the entry up again, takes its colours and repaints.
    void RefreshBevelSkin();

    // On a tool bar the bevel stays in the middle of it, whatever top it is given.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;

private:
    void SkinGone();
    // The skin gone: the system's colours again.
    TskSkinLink FSkinLink{this, "bevel", [this] { SkinGone(); }};
    bool FDividerMode = false;
    TColor FLightColor = clBtnHighlight;
    TColor FDarkColor = clBtnShadow;
};
