#pragma once
// Control entries of panels (panels, group boxes, status bars, tool panels), rolling panels, gauges,
// track bars, splitters and scroll boxes. Every transparent colour starts as fuchsia after Create but
// reads as 0 when its key is missing; a loaded entry carries the missing-key values.
#include <string>

#include "platform/gfx/Colors.h"
#include "skin/data/SkinValueTypes.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/SkinEntryFont.h"

// Kind "trackbar".
class TskDataSkinTrackBarControl : public TskDataSkinCustomControl {
public:
    explicit TskDataSkinTrackBarControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect ActiveSkinRect;
    TRect TrackArea;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 16711935;
};

// Kind "splitter".
class TskDataSkinSplitterControl : public TskDataSkinCustomControl {
public:
    explicit TskDataSkinSplitterControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 16711935;
};

// Kind "gauge": the progress bars.
class TskDataSkinGaugeControl : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinGaugeControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect ProgressArea;
    TRect ProgressRect;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = 16711935;
    bool ProgressStretch = false;
    bool Vertical = false;
    int BeginOffset = 0;
    int EndOffset = 0;
    TRect AnimationSkinRect;
    int AnimationCountFrames = 0;
    int AnimationTimerInterval = 0;
    TRect ProgressAnimationSkinRect;
    int ProgressAnimationCountFrames = 0;
    int ProgressAnimationTimerInterval = 0;
    int AnimationBeginOffset = 0;
    int AnimationEndOffset = 0;
};

// Kind "scrollbox".
class TskDataSkinScrollBoxControl : public TskDataSkinCustomControl {
public:
    explicit TskDataSkinScrollBoxControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    int BGPictureIndex = -1;
};

// Kind "panel".
class TskDataSkinPanelControl : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinPanelControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect CaptionRect;
    TAlignment Alignment = taCenter;
    int BGPictureIndex = -1;
    TRect CheckImageRect;
    TRect UncheckImageRect;
    TRect MarkFrameRect;
    TRect FrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 16711935;
};

// Kind "expanel": a panel that rolls up to a horizontal or a vertical bar.
class TskDataSkinExPanelControl : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinExPanelControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect RollHSkinRect;
    TRect RollVSkinRect;
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    TRect RollVCaptionRect;
    TRect RollHCaptionRect;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    TRect HRollButtonRect;
    TRect HRollButtonActiveRect;
    TRect HRollButtonDownRect;
    TRect HRestoreButtonRect;
    TRect HRestoreButtonActiveRect;
    TRect HRestoreButtonDownRect;
    TRect VRollButtonRect;
    TRect VRollButtonActiveRect;
    TRect VRollButtonDownRect;
    TRect VRestoreButtonRect;
    TRect VRestoreButtonActiveRect;
    TRect VRestoreButtonDownRect;
    TRect CaptionRect;
    bool ButtonsTransparent = false;
    TColor ButtonsTransparentColor = 16711935;
};
