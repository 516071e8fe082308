#pragma once
// Control entries of list boxes, check list boxes and combo boxes: item pictures in their states, the
// item and caption fonts, the small caption buttons, and the names of the entries used for the scroll
// bars or the drop-down list.
#include <string>

#include "platform/gfx/Colors.h"
#include "skin/data/SkinValueTypes.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/SkinEntryFont.h"

// Kind "listbox"; also the drop-down list of the skinned combo box.
class TskDataSkinListBox : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinListBox(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect ItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    TFontStyles CaptionFontStyle;
    int CaptionFontHeight = 14;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect CheckButtonRect;
    TRect ActiveCheckButtonRect;
    TRect DownCheckButtonRect;
    // Empty after Create; a loaded entry without the keys names "hscrollbar", "vscrollbar" and
    // "bothhscrollbar".
    std::string HScrollBarName;
    std::string VScrollBarName;
    std::string BothHScrollBarName;
    bool ShowFocus = false;
};

// Kind "checklistbox": a list box entry with the pictures of the item's check box.
class TskDataSkinCheckListBox : public TskDataSkinListBox {
public:
    using TskDataSkinListBox::TskDataSkinListBox;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect UncheckImageRect;
    TRect CheckImageRect;
    TRect ItemCheckRect;
};

// Kind "combobox".
class TskDataSkinComboBox : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinComboBox(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect ItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor FocusFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
    bool ItemStretchEffect = false;
    bool FocusItemStretchEffect = false;
    TRect ActiveSkinRect;
    bool ShowFocus = false;
    std::string ListBoxName;
};
