#include "skin/data/TskDataSkinScrollBarControl.h"

#include <algorithm>

#include "skin/data/SkinEntryFields.h"

namespace {

using SB = TskDataSkinScrollBarControl;
const TskEntryField<SB> ScrollBarFields[] = {
    RectField("trackarea", &SB::TrackArea),
    RectField("upbuttonrect", &SB::UpButtonRect),
    RectField("activeupbuttonrect", &SB::ActiveUpButtonRect),
    RectField("downupbuttonrect", &SB::DownUpButtonRect),
    RectField("downbuttonrect", &SB::DownButtonRect),
    RectField("activedownbuttonrect", &SB::ActiveDownButtonRect),
    RectField("downdownbuttonrect", &SB::DownDownButtonRect),
    RectField("thumbrect", &SB::ThumbRect),
    RectField("activethumbrect", &SB::ActiveThumbRect),
    RectField("downthumbrect", &SB::DownThumbRect),
    IntegerField("thumboffset1", &SB::ThumbOffset1),
    IntegerField("thumboffset2", &SB::ThumbOffset2),
    BoolField("thumbtransparent", &SB::ThumbTransparent),
    ColorField("thumbtransparentcolor", &SB::ThumbTransparentColor),
    BoolField("thumbstretcheffect", &SB::ThumbStretchEffect),
    IntegerField("thumbminsize", &SB::ThumbMinSize),
    IntegerField("thumbminpagesize", &SB::ThumbMinPageSize),
    RectField("glyphrect", &SB::GlyphRect),
    RectField("activeglyphrect", &SB::ActiveGlyphRect),
    RectField("downglyphrect", &SB::DownGlyphRect),
    BoolField("glyphtransparent", &SB::GlyphTransparent),
    ColorField("glyphtransparentcolor", &SB::GlyphTransparentColor),
};

using UD = TskDataSkinUpDownControl;
const TskEntryField<UD> UpDownFields[] = {
    RectField("upbuttonrect", &UD::UpButtonRect),
    RectField("activeupbuttonrect", &UD::ActiveUpButtonRect),
    RectField("downupbuttonrect", &UD::DownUpButtonRect),
    RectField("downbuttonrect", &UD::DownButtonRect),
    RectField("activedownbuttonrect", &UD::ActiveDownButtonRect),
    RectField("downdownbuttonrect", &UD::DownDownButtonRect),
};

using SL = TskDataSkinSlider;
const TskEntryField<SL> SliderFields[] = {
    ColorField("bgcolor", &SL::BGColor),
    RectField("hrulerrect", &SL::HRulerRect),
    RectField("hthumbrect", &SL::HThumbRect),
    RectField("vrulerrect", &SL::VRulerRect),
    RectField("vthumbrect", &SL::VThumbRect),
    IntegerField("edgesize", &SL::EdgeSize),
    ColorField("pointscolor", &SL::PointsColor),
};

using BV = TskDataSkinBevel;
const TskEntryField<BV> BevelFields[] = {
    ColorField("lightcolor", &BV::LightColor),
    ColorField("darkcolor", &BV::DarkColor),
};

void ClearFrame(TskDataSkinCustomControl& entry)
{
    entry.LeftTopPoint = {};
    entry.RightTopPoint = {};
    entry.LeftBottomPoint = {};
    entry.RightBottomPoint = {};
    entry.ClientRect = {};
}

} // namespace

TskDataSkinScrollBarControl::TskDataSkinScrollBarControl(const std::string& AIDName) : TskDataSkinCustomControl(AIDName) {}

void TskDataSkinScrollBarControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<SB>(*this, IniFile, IDName, ScrollBarFields);
}

void TskDataSkinScrollBarControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<SB>(*this, IniFile, IDName, ScrollBarFields);
}

void TskDataSkinUpDownControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<UD>(*this, IniFile, IDName, UpDownFields);
    ClearFrame(*this);
}

void TskDataSkinUpDownControl::SaveToIni(TMemIniFile& IniFile)
{
    ClearFrame(*this);
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<UD>(*this, IniFile, IDName, UpDownFields);
}

TskDataSkinSlider::TskDataSkinSlider(const std::string& AIDName) : TskDataSkinControl(AIDName) {}

void TskDataSkinSlider::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<SL>(*this, IniFile, IDName, SliderFields);
}

void TskDataSkinSlider::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<SL>(*this, IniFile, IDName, SliderFields);
}

TskDataSkinBevel::TskDataSkinBevel(const std::string& AIDName) : TskDataSkinControl(AIDName) {}

void TskDataSkinBevel::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<BV>(*this, IniFile, IDName, BevelFields);
}

void TskDataSkinBevel::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<BV>(*this, IniFile, IDName, BevelFields);
}

TskDataSkinFrameControl::TskDataSkinFrameControl(const std::string& AIDName) : TskDataSkinControl(AIDName) {}

void TskDataSkinFrameControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    FramesCount = std::max(1, IniFile.ReadInteger(IDName, "framescount", 1));
    FramesPlacement = IniReadFramesPlacement(IniFile, IDName, "framesplacement");
}

void TskDataSkinFrameControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    IniFile.WriteInteger(IDName, "framescount", FramesCount);
    IniWriteFramesPlacement(IniFile, IDName, "framesplacement", FramesPlacement);
}

TskDataSkinFrameRegulator::TskDataSkinFrameRegulator(const std::string& AIDName) : TskDataSkinFrameControl(AIDName) {}

void TskDataSkinFrameRegulator::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinFrameControl::LoadFromIni(IniFile);
    Kind = IniReadRegulatorKind(IniFile, IDName, "kind");
}

void TskDataSkinFrameRegulator::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinFrameControl::SaveToIni(IniFile);
    IniWriteRegulatorKind(IniFile, IDName, "kind", Kind);
}
