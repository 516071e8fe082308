#pragma once
// The skin objects that stand on a skinned window's frame: one plain data object per entry of
// [SKINOBJECTS], read from the section named after the entry. The window frame, the skinned menus and
// the main-menu bar copy what they need from them; they are never changed after loading.
//
// This unit holds the base of the family, the named areas of [SKINAREAS] and the simple object kinds
// (user objects, gauges, frame strips, track bars, animations, labels, switches); the caption, frame
// buttons and menu items are in TskDataSkinCaption.h.
#include <string>

#include "platform/gfx/Colors.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"
#include "skin/data/SkinEntryWords.h"
#include "skin/data/SkinValueTypes.h"
#include "skin/data/SkinEntryFont.h"

class TMemIniFile;
class TStringList;

// Base of every skin object: its place and pictures on the frame, its hint and its glow layer.
class TskDataSkinObject : public TObject {
public:
    explicit TskDataSkinObject(const std::string& AIDName);
    ~TskDataSkinObject() override = default;
    TskDataSkinObject(const TskDataSkinObject&) = delete;
    TskDataSkinObject& operator=(const TskDataSkinObject&) = delete;

    // Reads the section named IDName; a missing key (or section) gives the field's missing value.
    virtual void LoadFromIni(TMemIniFile& IniFile);
    // Erases the section named IDName, then writes the fields under the keys LoadFromIni reads.
    virtual void SaveToIni(TMemIniFile& IniFile);

    std::string IDName;
    std::string Hint;
    bool SkinRectInAPicture = false;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect InActiveSkinRect;
    bool Morphing = false;
    int MorphKind = 0; // mkDefault .. mkPush
    int ActivePictureIndex = -1;
    int ActiveMaskPictureIndex = -1;
    int CursorIndex = -1;
    bool RollUp = false;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
};

// One named rectangle of [SKINAREAS]; the window frame places a control of the window inside it.
class TskDataSkinArea {
public:
    TskDataSkinArea(const std::string& AIDName, const TRect& AAreaRect) : IDName(AIDName), AreaRect(AAreaRect) {}

    std::string IDName;
    TRect AreaRect;
};

// Kind "userobject": only its place, the roll-up flag and the cursor come from the skin; every other
// base field keeps its value after Create.
class TskDataUserObject : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;
};

// Kind "gauge".
class TskDataSkinGauge : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    int MinValue = 0;
    int MaxValue = 0;
    int Kind = gkHorizontal;
};

// Kind "framegauge": the value is shown as one frame of a strip of equal frames.
class TskDataSkinFrameGaugeObject : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    int MinValue = 0;
    int MaxValue = 0;
    int CountFrames = 0;
    int FramesPlacement = fpHorizontal;
};

// Kind "frameregulator".
class TskDataSkinFrameRegulatorObject : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    int MinValue = 0;
    int MaxValue = 0;
    int CountFrames = 0;
    int FramesPlacement = fpHorizontal;
    int Kind = rkRound;
};

// Kind "trackbar". Never morphs, whatever the skin says.
class TskDataSkinTrackBar : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect ButtonRect;
    TRect ActiveButtonRect;
    TPoint BeginPoint;
    TPoint EndPoint;
    int MinValue = 0;
    int MaxValue = 0;
    bool MouseDownChangeValue = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

// Kind "animate": a strip of frames that plays, optionally acting as a caption button. Never morphs.
class TskDataSkinAnimate : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;

    // An empty restore hint becomes "Restore" for a maximize, minimize or roll-up button.
    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    int CountFrames = 0;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 0;
    int Command = 0;
    TRect DownSkinRect;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    std::string RestoreHint;
};

// Kind "label".
class TskDataSkinLabel : public TskDataSkinObject, public TskEntryFont {
public:
    using TskDataSkinObject::TskDataSkinObject;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor ActiveFontColor = 0;
    TAlignment Alignment = taLeftJustify;
    std::string TextValue;
};

// Kind "bitlabel": text drawn with symbol cells cut from the active picture. The cell of a character
// lies in the first line of Symbols that holds it: ActiveSkinRect's top-left corner plus
// (position * SymbolWidth, line * SymbolHeight). Never morphs.
class TskDataSkinBitLabel : public TskDataSkinObject {
public:
    explicit TskDataSkinBitLabel(const std::string& AIDName);
    ~TskDataSkinBitLabel() override;

    // Appends the symbol lines to Symbols without clearing it first.
    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TStringList* Symbols; // owned
    std::string TextValue;
    int SymbolWidth = 0;
    int SymbolHeight = 0;
    bool Transparent = false;
    TColor TransparentColor = 16711935;
};

// Kind "switch": the base keys only.
class TskDataSkinSwitch : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
};

// The hint of the restore form of a caption button when the skin gives none: "Restore" for a button
// whose hint is "Maximize" with cmMaximize, "Minimize" with cmMinimize, or "RollUp"/"Roll Up" with
// cmRollUp (exact comparison); otherwise the hint stays as it is.
std::string DefaultRestoreHint(const std::string& RestoreHint, const std::string& Hint, int Command);
