#pragma once
// Control entries of the main-menu bar, the control bar (a bar of movable bands), tab controls and
// grids. The menu bar does not hold its items' and buttons' pictures: it names skin objects of
// [SKINOBJECTS] by their IDName. The tab and grid entries derive from TskDataSkinControl, not from
// TskDataSkinCustomControl, so a control that needs a custom-control entry does not accept them; the tab
// carries its own frame fields under the same keys.
#include <string>

#include "platform/gfx/Colors.h"
#include "skin/data/SkinValueTypes.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/SkinEntryFont.h"

// Kind "mainmenubar".
class TskDataSkinMainMenuBar : public TskDataSkinControl {
public:
    explicit TskDataSkinMainMenuBar(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect ItemsRect;
    std::string MenuBarItem;
    std::string CloseButton;
    std::string MaxButton;
    std::string MinButton;
    std::string SysMenuButton;
    TColor TrackMarkColor = 0;
    TColor TrackMarkActiveColor = 0;
    bool StretchEffect = false;
    bool ItemTransparent = false;
};

// Kind "controlbar".
class TskDataSkinControlBar : public TskDataSkinCustomControl {
public:
    explicit TskDataSkinControlBar(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect ItemRect;
    int BGPictureIndex = -1;
    TRect HGripRect;
    TRect VGripRect;
    int GripOffset1 = 0;
    int GripOffset2 = 0;
    bool ItemStretchEffect = false;
    int ItemOffset1 = 0; // 3 for a missing key
    int ItemOffset2 = 0; // 3 for a missing key
    bool ItemTransparent = false;
    TColor ItemTransparentColor = 0;
    bool GripTransparent = false;
    TColor GripTransparentColor = 0;
};

// Kind "tab": the row of tabs and the page frame.
class TskDataSkinTabControl : public TskDataSkinControl, public TskEntryFont {
public:
    explicit TskDataSkinTabControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect TabRect;
    TRect ActiveTabRect;
    TRect FocusTabRect;
    TRect MouseInTabRect;
    TRect ClientRect;
    TRect TabsBGRect;
    TPoint LeftTopPoint;
    TPoint RightTopPoint;
    TPoint LeftBottomPoint;
    TPoint RightBottomPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    std::string UpDown;
    int BGPictureIndex = -1;
    bool TabStretchEffect = false;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool ShowFocus = false;
    int FocusOffsetX = 0;
    int FocusOffsetY = 0;
    bool StretchEffect = false;
    int StretchType = 0;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 16711935; // 0 for a missing key
};

// Kind "grid".
class TskDataSkinGridControl : public TskDataSkinControl, public TskEntryFont {
public:
    explicit TskDataSkinGridControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect FixedCellRect;
    TRect SelectCellRect;
    TRect FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0;
    TColor BGColor = 0;
    int BGPictureIndex = -1;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    std::string FixedFontName = "Arial";
    TFontStyles FixedFontStyle;
    int FixedFontHeight = 14;
    TColor FixedFontColor = 0;
    bool FixedCellStretchEffect = false;
    bool CellStretchEffect = false;
    bool ShowFocus = false;
};
