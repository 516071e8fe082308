#pragma once
// Control entries of push buttons, buttons with a drop-down part, and check and radio boxes. An empty
// state rectangle stays empty after loading: the control that paints the entry decides how to stand in
// for it.
#include <string>

#include "platform/gfx/Colors.h"
#include "skin/data/SkinValueTypes.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/SkinEntryFont.h"

// Kind "button": push buttons and speed buttons.
class TskDataSkinButtonControl : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinButtonControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    bool Morphing = false;
    int MorphKind = 0;
    TRect ActiveSkinRect;
    TRect DownSkinRect;
    TRect DisabledSkinRect;
    TRect FocusedSkinRect;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0; // 25 for a missing key
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect;
    TRect MenuMarkerRect;
    TRect MenuMarkerActiveRect;
    TRect MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0;
    int GlowLayerOffsetRight = 0;
    int GlowLayerOffsetTop = 0;
    int GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0;
    int GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
};

// Kind "menubutton": a button entry with the place of its drop-down part.
class TskDataSkinMenuButtonControl : public TskDataSkinButtonControl {
public:
    explicit TskDataSkinMenuButtonControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect TrackButtonRect;
};

// Kind "checkradio": one entry serves check boxes and radio boxes, chosen by name.
class TskDataSkinCheckRadioControl : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinCheckRadioControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    bool Morphing = false;
    int MorphKind = 0;
    TRect ActiveSkinRect;
    TRect CheckImageArea;
    TRect TextArea;
    TRect CheckImageRect;
    TRect UncheckImageRect;
    TRect ActiveCheckImageRect;
    TRect ActiveUncheckImageRect;
    TRect UnEnabledCheckImageRect;
    TRect UnEnabledUncheckImageRect;
    TRect GrayedCheckImageRect;
    TRect ActiveGrayedCheckImageRect;
    TColor FrameFontColor = 0;
};
