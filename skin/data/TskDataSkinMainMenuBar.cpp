#include "skin/data/TskDataSkinMainMenuBar.h"

#include "skin/data/SkinEntryFields.h"

namespace {

using MB = TskDataSkinMainMenuBar;
const TskEntryField<MB> MainMenuBarFields[] = {
    RectField("itemsrect", &MB::ItemsRect),
    StringField("menubaritem", &MB::MenuBarItem),
    StringField("closebutton", &MB::CloseButton),
    StringField("minbutton", &MB::MinButton),
    StringField("maxbutton", &MB::MaxButton),
    StringField("sysmenubutton", &MB::SysMenuButton),
    ColorField("trackmarkcolor", &MB::TrackMarkColor),
    ColorField("trackmarkactivecolor", &MB::TrackMarkActiveColor),
    BoolField("stretcheffect", &MB::StretchEffect),
    BoolField("itemtransparent", &MB::ItemTransparent),
};

using CB = TskDataSkinControlBar;
const TskEntryField<CB> ControlBarFields[] = {
    RectField("itemrect", &CB::ItemRect),
    IntegerField("bgpictureindex", &CB::BGPictureIndex, -1),
    RectField("hgriprect", &CB::HGripRect),
    RectField("vgriprect", &CB::VGripRect),
    IntegerField("gripoffset1", &CB::GripOffset1),
    IntegerField("gripoffset2", &CB::GripOffset2),
    BoolField("itemstretcheffect", &CB::ItemStretchEffect),
    IntegerField("itemoffset1", &CB::ItemOffset1, 3),
    IntegerField("itemoffset2", &CB::ItemOffset2, 3),
    BoolField("itemtransparent", &CB::ItemTransparent),
    ColorField("itemtransparentcolor", &CB::ItemTransparentColor),
    BoolField("griptransparent", &CB::GripTransparent),
    ColorField("griptransparentcolor", &CB::GripTransparentColor),
};

using T = TskDataSkinTabControl;
const TskEntryField<T> TabFields[] = {
    RectField("tabrect", &T::TabRect),
    RectField("activetabrect", &T::ActiveTabRect),
    RectField("focustabrect", &T::FocusTabRect),
    RectField("mouseintabrect", &T::MouseInTabRect),
    RectField("clientrect", &T::ClientRect),
    IntegerField("bgpictureindex", &T::BGPictureIndex, -1),
    PointField("lefttoppoint", &T::LeftTopPoint),
    PointField("righttoppoint", &T::RightTopPoint),
    PointField("leftbottompoint", &T::LeftBottomPoint),
    PointField("rightbottompoint", &T::RightBottomPoint),
    IntegerField("tableftoffset", &T::TabLeftOffset),
    IntegerField("tabrightoffset", &T::TabRightOffset),
    RectField("tabsbgrect", &T::TabsBGRect),
    BoolField("tabstretcheffect", &T::TabStretchEffect),
    BoolField("leftstretch", &T::LeftStretch),
    BoolField("topstretch", &T::TopStretch),
    BoolField("rightstretch", &T::RightStretch),
    BoolField("bottomstretch", &T::BottomStretch),
    BoolField("stretcheffect", &T::StretchEffect),
    StretchTypeField("stretchtype", &T::StretchType),
    EntryFontField<T>(),
    ColorField("activefontcolor", &T::ActiveFontColor),
    ColorField("focusfontcolor", &T::FocusFontColor),
    ColorField("mouseinfontcolor", &T::MouseInFontColor),
    StringField("updown", &T::UpDown),
    BoolField("showfocus", &T::ShowFocus),
    IntegerField("focusoffsetx", &T::FocusOffsetX),
    IntegerField("focusoffsety", &T::FocusOffsetY),
    RectField("closebuttonrect", &T::CloseButtonRect),
    RectField("closebuttonactiverect", &T::CloseButtonActiveRect),
    RectField("closebuttondownrect", &T::CloseButtonDownRect),
    BoolField("buttontransparent", &T::ButtonTransparent),
    ColorField("buttontransparentcolor", &T::ButtonTransparentColor),
};

using G = TskDataSkinGridControl;
const TskEntryField<G> GridFields[] = {
    RectField("fixedcellrect", &G::FixedCellRect),
    RectField("selectcellrect", &G::SelectCellRect),
    RectField("focuscellrect", &G::FocusCellRect),
    IntegerField("fixedcellleftoffset", &G::FixedCellLeftOffset),
    IntegerField("fixedcellrightoffset", &G::FixedCellRightOffset),
    RectField("fixedcelltextrect", &G::FixedCellTextRect),
    IntegerField("cellleftoffset", &G::CellLeftOffset),
    IntegerField("cellrightoffset", &G::CellRightOffset),
    RectField("celltextrect", &G::CellTextRect),
    ColorField("linescolor", &G::LinesColor),
    ColorField("bgcolor", &G::BGColor),
    IntegerField("bgpictureindex", &G::BGPictureIndex, -1),
    EntryFontField<G>(),
    ColorField("selectfontcolor", &G::SelectFontColor),
    ColorField("focusfontcolor", &G::FocusFontColor),
    StringField("fixedfontname", &G::FixedFontName, "Arial"),
    IntegerField("fixedfontheight", &G::FixedFontHeight, 14),
    FontStylesField("fixedfontstyle", &G::FixedFontStyle),
    ColorField("fixedfontcolor", &G::FixedFontColor),
    BoolField("cellstretcheffect", &G::CellStretchEffect),
    BoolField("fixedcellstretcheffect", &G::FixedCellStretchEffect),
    BoolField("showfocus", &G::ShowFocus),
};

} // namespace

TskDataSkinMainMenuBar::TskDataSkinMainMenuBar(const std::string& AIDName) : TskDataSkinControl(AIDName) {}

void TskDataSkinMainMenuBar::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<MB>(*this, IniFile, IDName, MainMenuBarFields);
}

void TskDataSkinMainMenuBar::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<MB>(*this, IniFile, IDName, MainMenuBarFields);
}

TskDataSkinControlBar::TskDataSkinControlBar(const std::string& AIDName) : TskDataSkinCustomControl(AIDName) {}

void TskDataSkinControlBar::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<CB>(*this, IniFile, IDName, ControlBarFields);
}

void TskDataSkinControlBar::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<CB>(*this, IniFile, IDName, ControlBarFields);
}

TskDataSkinTabControl::TskDataSkinTabControl(const std::string& AIDName)
    : TskDataSkinControl(AIDName), TskEntryFont("Arial", 14) {}

void TskDataSkinTabControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<T>(*this, IniFile, IDName, TabFields);
}

void TskDataSkinTabControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<T>(*this, IniFile, IDName, TabFields);
}

TskDataSkinGridControl::TskDataSkinGridControl(const std::string& AIDName)
    : TskDataSkinControl(AIDName), TskEntryFont("Arial", 14) {}

void TskDataSkinGridControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<G>(*this, IniFile, IDName, GridFields);
}

void TskDataSkinGridControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<G>(*this, IniFile, IDName, GridFields);
}
