#pragma once
// Control entries of text controls: edits (with an optional button), memos, spin edits, three kinds of
// label, and the tree view, list view and rich edit, which take only a font and a background colour.
// Where the value after Create and the value for a missing key differ (the font height of 12 against
// 14, the white background against 0), a loaded entry always carries the missing-key value.
#include <string>

#include "platform/gfx/Colors.h"
#include "skin/data/SkinValueTypes.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/SkinEntryFont.h"

class TStringList;

// Kind "edit": the plain, button, status-bar and tool-bar edits of a skin.
class TskDataSkinEditControl : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinEditControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect ActiveSkinRect;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
};

// Kind "memo": an edit entry with background colours.
class TskDataSkinMemoControl : public TskDataSkinEditControl {
public:
    using TskDataSkinEditControl::TskDataSkinEditControl;

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor BGColor = 0;
    TColor ActiveBGColor = 0;
};

// Kind "spinedit".
class TskDataSkinSpinEditControl : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinSpinEditControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect ActiveSkinRect;
    TColor ActiveFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
};

// Kind "label".
class TskDataSkinLabelControl : public TskDataSkinCustomControl, public TskEntryFont {
public:
    explicit TskDataSkinLabelControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

};

// Kind "stdlabel": the font of a plain label, with its colour when active (blue unless the skin says).
class TskDataSkinStdLabelControl : public TskDataSkinControl, public TskEntryFont {
public:
    explicit TskDataSkinStdLabelControl(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor ActiveFontColor = 16711680;
};

// Kind "bitlabel": text drawn with symbol pictures; Symbols holds the rows of symbols.
class TskDataSkinBitLabelControl : public TskDataSkinCustomControl {
public:
    explicit TskDataSkinBitLabelControl(const std::string& AIDName);
    ~TskDataSkinBitLabelControl() override;

    // Appends the symbol lines to Symbols without clearing it first.
    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TRect SkinTextRect;
    int SymbolWidth = 0;
    int SymbolHeight = 0;
    TStringList* Symbols; // owned
};

// Kind "treeview".
class TskDataSkinTreeView : public TskDataSkinControl, public TskEntryFont {
public:
    explicit TskDataSkinTreeView(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor BGColor = 16777215;
};

// Kind "listview".
class TskDataSkinListView : public TskDataSkinControl, public TskEntryFont {
public:
    explicit TskDataSkinListView(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor BGColor = 16777215;
};

// Kind "richedit".
class TskDataSkinRichEdit : public TskDataSkinControl, public TskEntryFont {
public:
    explicit TskDataSkinRichEdit(const std::string& AIDName);

    void LoadFromIni(TMemIniFile& IniFile) override;
    void SaveToIni(TMemIniFile& IniFile) override;

    TColor BGColor = 16777215;
};
