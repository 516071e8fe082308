#pragma once
// The control entries of a skin: one plain data object per entry of [SKINCONTROLS], read from the
// section named after the entry. The skinned controls find their entry by name, test its class and
// copy the public fields they need; nothing else ever changes an entry after it is loaded.
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"

class TMemIniFile;

// Base of every control entry: the picture that holds the entry's pieces and the whole look.
class TskDataSkinControl : public TObject {
public:
    explicit TskDataSkinControl(const std::string& AIDName);
    ~TskDataSkinControl() override = default;
    TskDataSkinControl(const TskDataSkinControl&) = delete;
    TskDataSkinControl& operator=(const TskDataSkinControl&) = delete;

    // Reads the section named IDName; every field gets its value for a missing key when the key (or
    // the whole section) is absent.
    virtual void LoadFromIni(TMemIniFile& IniFile);
    // Erases the section named IDName and writes every field back under the keys LoadFromIni reads.
    virtual void SaveToIni(TMemIniFile& IniFile);

    std::string IDName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;
    int CursorIndex = -1;
};

// Adds the stretchable nine-piece frame: four inner corner points and the client area, all relative to
// the top-left corner of SkinRect, and how each border and the client piece are filled.
class TskDataSkinCustomControl : public TskDataSkinControl {
public:
    explicit TskDataSkinCustomControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TPoint LeftTopPoint;
    TPoint RightTopPoint;
    TPoint LeftBottomPoint;
    TPoint RightBottomPoint;
    TRect ClientRect;
    bool StretchEffect = false;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    int StretchType = 0; // 0 stfull, 1 sthorz, 2 stvert
};
