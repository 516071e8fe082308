#include "skin/data/TskDataSkinControl.h"

#include "skin/data/SkinEntryFields.h"

namespace {

using Base = TskDataSkinControl;
const TskEntryField<Base> BaseFields[] = {
    IntegerField("pictureindex", &Base::PictureIndex, -1),
    IntegerField("maskpictureindex", &Base::MaskPictureIndex, -1),
    IntegerField("cursorindex", &Base::CursorIndex, -1),
    RectField("skinrect", &Base::SkinRect),
};

using Custom = TskDataSkinCustomControl;
const TskEntryField<Custom> CustomFields[] = {
    PointField("lefttoppoint", &Custom::LeftTopPoint),
    PointField("righttoppoint", &Custom::RightTopPoint),
    PointField("leftbottompoint", &Custom::LeftBottomPoint),
    PointField("rightbottompoint", &Custom::RightBottomPoint),
    RectField("clientrect", &Custom::ClientRect),
    BoolField("leftstretch", &Custom::LeftStretch),
    BoolField("topstretch", &Custom::TopStretch),
    BoolField("rightstretch", &Custom::RightStretch),
    BoolField("bottomstretch", &Custom::BottomStretch),
    BoolField("stretcheffect", &Custom::StretchEffect),
    StretchTypeField("stretchtype", &Custom::StretchType),
};

} // namespace

TskDataSkinControl::TskDataSkinControl(const std::string& AIDName) : IDName(AIDName) {}

void TskDataSkinControl::LoadFromIni(TMemIniFile& IniFile)
{
    LoadEntryFields<Base>(*this, IniFile, IDName, BaseFields);
}

void TskDataSkinControl::SaveToIni(TMemIniFile& IniFile)
{
    // A saved entry must hold exactly its own keys, not leftovers of an older one of the same name.
    IniFile.EraseSection(IDName);
    SaveEntryFields<Base>(*this, IniFile, IDName, BaseFields);
}

TskDataSkinCustomControl::TskDataSkinCustomControl(const std::string& AIDName) : TskDataSkinControl(AIDName) {}

void TskDataSkinCustomControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<Custom>(*this, IniFile, IDName, CustomFields);
}

void TskDataSkinCustomControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<Custom>(*this, IniFile, IDName, CustomFields);
}
