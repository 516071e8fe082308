#pragma once
// The pictures of the skin's popup-menu window and hint window. Each is one record per skin, read from
// a fixed section ([POPUPWINDOW], [HINTWINDOW]) at every skin load; the skin data component owns one of
// each for its whole life. Both windows are drawn like a stretchable control frame: four corner points
// cut the picture into nine parts, and a mask picture gives the window its shape.
#include <string>

#include "platform/gfx/Colors.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"
#include "skin/data/SkinValueTypes.h"
#include "skin/data/SkinEntryFont.h"

class TMemIniFile;

class TskDataSkinPopupWindow : public TObject {
public:
    TskDataSkinPopupWindow() = default;

    // Overwrites every field; a skin without the section leaves the window without a picture.
    void LoadFromIni(TMemIniFile& IniFile);

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LeftTopPoint;
    TPoint RightTopPoint;
    TPoint LeftBottomPoint;
    TPoint RightBottomPoint;
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;
    int CursorIndex = -1;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    int StretchType = 0;
};

class TskDataSkinHintWindow : public TObject, public TskEntryFont {
public:
    TskDataSkinHintWindow() : TskEntryFont("Arial", 12) {}

    // Overwrites every field; a skin without the section leaves the window without a picture.
    void LoadFromIni(TMemIniFile& IniFile);

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LeftTopPoint;
    TPoint RightTopPoint;
    TPoint LeftBottomPoint;
    TPoint RightBottomPoint;
    TRect ClientRect;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    int StretchType = 0;
};
