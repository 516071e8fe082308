#include "skin/data/TskDataSkinButtonControl.h"

#include "skin/data/SkinEntryFields.h"

namespace {

using B = TskDataSkinButtonControl;
const TskEntryField<B> ButtonFields[] = {
    EntryFontField<B>(),
    ColorField("activefontcolor", &B::ActiveFontColor),
    ColorField("disabledfontcolor", &B::DisabledFontColor),
    ColorField("downfontcolor", &B::DownFontColor),
    BoolField("morphing", &B::Morphing),
    MorphKindField("morphkind", &B::MorphKind),
    RectField("activeskinrect", &B::ActiveSkinRect),
    RectField("downskinrect", &B::DownSkinRect),
    RectField("focusedskinrect", &B::FocusedSkinRect),
    RectField("disabledskinrect", &B::DisabledSkinRect),
    RectField("animateskinrect", &B::AnimateSkinRect),
    IntegerField("framecount", &B::FrameCount),
    IntegerField("animateinterval", &B::AnimateInterval, 25),
    BoolField("showfocus", &B::ShowFocus),
    RectField("menumarkerflatrect", &B::MenuMarkerFlatRect),
    RectField("menumarkerrect", &B::MenuMarkerRect),
    RectField("menumarkeractiverect", &B::MenuMarkerActiveRect),
    RectField("menumarkerdownrect", &B::MenuMarkerDownRect),
    ColorField("menumarkertransparentcolor", &B::MenuMarkerTransparentColor),
    IntegerField("glowlayerpictureindex", &B::GlowLayerPictureIndex, -1),
    IntegerField("glowlayermaskpictureindex", &B::GlowLayerMaskPictureIndex, -1),
    IntegerField("glowlayeroffsetleft", &B::GlowLayerOffsetLeft),
    IntegerField("glowlayeroffsettop", &B::GlowLayerOffsetTop),
    IntegerField("glowlayeroffsetright", &B::GlowLayerOffsetRight),
    IntegerField("glowlayeroffsetbottom", &B::GlowLayerOffsetBottom),
    IntegerField("glowlayershowoffsetx", &B::GlowLayerShowOffsetX),
    IntegerField("glowlayershowoffsety", &B::GlowLayerShowOffsetY),
    IntegerField("glowlayeralphablendvalue", &B::GlowLayerAlphaBlendValue, 255),
};

using MB = TskDataSkinMenuButtonControl;
const TskEntryField<MB> MenuButtonFields[] = {
    RectField("trackbuttonrect", &MB::TrackButtonRect),
};

using CR = TskDataSkinCheckRadioControl;
const TskEntryField<CR> CheckRadioFields[] = {
    EntryFontField<CR>(),
    ColorField("activefontcolor", &CR::ActiveFontColor),
    ColorField("unenabledfontcolor", &CR::UnEnabledFontColor),
    ColorField("framefontcolor", &CR::FrameFontColor),
    BoolField("morphing", &CR::Morphing),
    MorphKindField("morphkind", &CR::MorphKind),
    RectField("activeskinrect", &CR::ActiveSkinRect),
    RectField("checkimagearea", &CR::CheckImageArea),
    RectField("textarea", &CR::TextArea),
    RectField("checkimagerect", &CR::CheckImageRect),
    RectField("uncheckimagerect", &CR::UncheckImageRect),
    RectField("activecheckimagerect", &CR::ActiveCheckImageRect),
    RectField("activeuncheckimagerect", &CR::ActiveUncheckImageRect),
    RectField("unenabledcheckimagerect", &CR::UnEnabledCheckImageRect),
    RectField("unenableduncheckimagerect", &CR::UnEnabledUncheckImageRect),
    RectField("grayedcheckimagerect", &CR::GrayedCheckImageRect),
    RectField("activegrayedcheckimagerect", &CR::ActiveGrayedCheckImageRect),
};

} // namespace

TskDataSkinButtonControl::TskDataSkinButtonControl(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 12) {}

void TskDataSkinButtonControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<B>(*this, IniFile, IDName, ButtonFields);
}

void TskDataSkinButtonControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<B>(*this, IniFile, IDName, ButtonFields);
}

TskDataSkinMenuButtonControl::TskDataSkinMenuButtonControl(const std::string& AIDName) : TskDataSkinButtonControl(AIDName) {}

void TskDataSkinMenuButtonControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinButtonControl::LoadFromIni(IniFile);
    LoadEntryFields<MB>(*this, IniFile, IDName, MenuButtonFields);
}

void TskDataSkinMenuButtonControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinButtonControl::SaveToIni(IniFile);
    SaveEntryFields<MB>(*this, IniFile, IDName, MenuButtonFields);
}

TskDataSkinCheckRadioControl::TskDataSkinCheckRadioControl(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 12) {}

void TskDataSkinCheckRadioControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<CR>(*this, IniFile, IDName, CheckRadioFields);
}

void TskDataSkinCheckRadioControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<CR>(*this, IniFile, IDName, CheckRadioFields);
}
