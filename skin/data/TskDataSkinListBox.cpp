#include "skin/data/TskDataSkinListBox.h"

#include "skin/data/SkinEntryFields.h"

namespace {

using L = TskDataSkinListBox;
const TskEntryField<L> ListBoxFields[] = {
    RectField("itemrect", &L::ItemRect),
    RectField("activeitemrect", &L::ActiveItemRect),
    RectField("focusitemrect", &L::FocusItemRect),
    IntegerField("itemleftoffset", &L::ItemLeftOffset),
    IntegerField("itemrightoffset", &L::ItemRightOffset),
    RectField("itemtextrect", &L::ItemTextRect),
    // The list box stores its font keys in an order of their own.
    StringField<L>("fontname", &L::FontName, "Arial"),
    FontStylesField<L>("fontstyle", &L::FontStyle),
    IntegerField<L>("fontheight", &L::FontHeight, 14),
    ColorField<L>("fontcolor", &L::FontColor),
    ColorField("activefontcolor", &L::ActiveFontColor),
    ColorField("focusfontcolor", &L::FocusFontColor),
    RectField("captionrect", &L::CaptionRect),
    StringField("captionfontname", &L::CaptionFontName, "Arial"),
    FontStylesField("captionfontstyle", &L::CaptionFontStyle),
    IntegerField("captionfontheight", &L::CaptionFontHeight, 14),
    ColorField("captionfontcolor", &L::CaptionFontColor),
    RectField("upbuttonrect", &L::UpButtonRect),
    RectField("activeupbuttonrect", &L::ActiveUpButtonRect),
    RectField("downupbuttonrect", &L::DownUpButtonRect),
    RectField("downbuttonrect", &L::DownButtonRect),
    RectField("activedownbuttonrect", &L::ActiveDownButtonRect),
    RectField("downdownbuttonrect", &L::DownDownButtonRect),
    RectField("checkbuttonrect", &L::CheckButtonRect),
    RectField("activecheckbuttonrect", &L::ActiveCheckButtonRect),
    RectField("downcheckbuttonrect", &L::DownCheckButtonRect),
    StringField("vscrollbarname", &L::VScrollBarName, "vscrollbar"),
    StringField("hscrollbarname", &L::HScrollBarName, "hscrollbar"),
    StringField("bothhscrollbarname", &L::BothHScrollBarName, "bothhscrollbar"),
    BoolField("showfocus", &L::ShowFocus),
};

using CL = TskDataSkinCheckListBox;
const TskEntryField<CL> CheckListBoxLoadFields[] = {
    RectField("checkimagerect", &CL::CheckImageRect),
    RectField("itemcheckrect", &CL::ItemCheckRect),
    RectField("uncheckimagerect", &CL::UncheckImageRect),
};
const TskEntryField<CL> CheckListBoxSaveFields[] = {
    RectField("itemcheckrect", &CL::ItemCheckRect),
    RectField("uncheckimagerect", &CL::UncheckImageRect),
    RectField("checkimagerect", &CL::CheckImageRect),
};

using CB = TskDataSkinComboBox;
const TskEntryField<CB> ComboBoxFields[] = {
    RectField("activeskinrect", &CB::ActiveSkinRect),
    RectField("itemrect", &CB::ItemRect),
    RectField("activeitemrect", &CB::ActiveItemRect),
    RectField("focusitemrect", &CB::FocusItemRect),
    IntegerField("itemleftoffset", &CB::ItemLeftOffset),
    IntegerField("itemrightoffset", &CB::ItemRightOffset),
    RectField("itemtextrect", &CB::ItemTextRect),
    EntryFontField<CB>(),
    ColorField("focusfontcolor", &CB::FocusFontColor),
    ColorField("activefontcolor", &CB::ActiveFontColor),
    StringField("listboxname", &CB::ListBoxName),
    RectField("buttonrect", &CB::ButtonRect),
    RectField("activebuttonrect", &CB::ActiveButtonRect),
    RectField("downbuttonrect", &CB::DownButtonRect),
    RectField("unenabledbuttonrect", &CB::UnEnabledButtonRect),
    BoolField("itemstretcheffect", &CB::ItemStretchEffect),
    BoolField("focusitemstretcheffect", &CB::FocusItemStretchEffect),
    BoolField("showfocus", &CB::ShowFocus),
};

} // namespace

TskDataSkinListBox::TskDataSkinListBox(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 14) {}

void TskDataSkinListBox::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<L>(*this, IniFile, IDName, ListBoxFields);
}

void TskDataSkinListBox::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<L>(*this, IniFile, IDName, ListBoxFields);
}

void TskDataSkinCheckListBox::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinListBox::LoadFromIni(IniFile);
    LoadEntryFields<CL>(*this, IniFile, IDName, CheckListBoxLoadFields);
}

void TskDataSkinCheckListBox::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinListBox::SaveToIni(IniFile);
    SaveEntryFields<CL>(*this, IniFile, IDName, CheckListBoxSaveFields);
}

TskDataSkinComboBox::TskDataSkinComboBox(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 14) {}

void TskDataSkinComboBox::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<CB>(*this, IniFile, IDName, ComboBoxFields);
}

void TskDataSkinComboBox::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<CB>(*this, IniFile, IDName, ComboBoxFields);
}
