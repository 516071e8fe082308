#pragma once
// Control entries of scroll bars, up-down buttons, sliders, bevels, and of the controls drawn from a
// strip of equal frames (animations, switches, frame gauges and frame regulators).
#include <string>

#include "platform/gfx/Colors.h"
#include "skin/data/SkinEntryWords.h"
#include "skin/data/TskDataSkinControl.h"

// Kind "scrollbar". The up button is the one that increases the position and the down button the one
// that decreases it, so in a skin the up button belongs at the right end of a horizontal bar and at the
// bottom end of a vertical one; the top or left button must always scroll back.
class TskDataSkinScrollBarControl : public TskDataSkinCustomControl {
public:
    explicit TskDataSkinScrollBarControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect TrackArea;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect ThumbRect;
    TRect ActiveThumbRect;
    TRect DownThumbRect;
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    TRect GlyphRect;
    TRect ActiveGlyphRect;
    TRect DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 16711935; // 0 for a missing key
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 16711935; // 0 for a missing key
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;
};

// Kind "updown". It has no frame of its own: the corner points and the client rectangle it inherits
// are always zero after loading, and are saved as zeros.
class TskDataSkinUpDownControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
};

// Kind "slider".
class TskDataSkinSlider : public TskDataSkinControl {
public:
    explicit TskDataSkinSlider(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect HRulerRect;
    TRect HThumbRect;
    TRect VRulerRect;
    TRect VThumbRect;
    int EdgeSize = 0;
    TColor BGColor = 0;
    TColor PointsColor = 0;
};

// Kind "bevel".
class TskDataSkinBevel : public TskDataSkinControl {
public:
    explicit TskDataSkinBevel(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor LightColor = 0;
    TColor DarkColor = 0;
};

// Base of the frame-strip entries: SkinRect holds FramesCount equal frames.
class TskDataSkinFrameControl : public TskDataSkinControl {
public:
    explicit TskDataSkinFrameControl(const std::string& AIDName);

    // A count below 1 reads as 1.
    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    int FramesCount = 1;
    int FramesPlacement = fpHorizontal;
};

// Kind "animate".
class TskDataSkinAnimateControl : public TskDataSkinFrameControl {
public:
    using TskDataSkinFrameControl::TskDataSkinFrameControl;
};

// Kind "switch".
class TskDataSkinSwitchControl : public TskDataSkinFrameControl {
public:
    using TskDataSkinFrameControl::TskDataSkinFrameControl;
};

// Kind "framegauge".
class TskDataSkinFrameGauge : public TskDataSkinFrameControl {
public:
    using TskDataSkinFrameControl::TskDataSkinFrameControl;
};

// Kind "frameregulator".
class TskDataSkinFrameRegulator : public TskDataSkinFrameControl {
public:
    explicit TskDataSkinFrameRegulator(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    int Kind = rkRound;
};
