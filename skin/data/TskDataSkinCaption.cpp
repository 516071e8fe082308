#include "skin/data/TskDataSkinCaption.h"

#include "skin/data/SkinEntryFields.h"

namespace {

using C = TskDataSkinCaption;
const TskEntryField<C> CaptionFields[] = {
    BoolField("defaultcaption", &C::DefaultCaption),
    RectField("textrect", &C::TextRect),
    EntryFontField<C>(),
    ColorField("activefontcolor", &C::ActiveFontColor),
    AlignmentField("alignment", &C::Alignment),
    BoolField("shadow", &C::Shadow),
    ColorField("shadowcolor", &C::ShadowColor),
    BoolField("light", &C::Light),
    ColorField("lightcolor", &C::LightColor),
    ColorField("activelightcolor", &C::ActiveLightColor),
    ColorField("activeshadowcolor", &C::ActiveShadowColor),
    RectField("framerect", &C::FrameRect),
    RectField("activeframerect", &C::ActiveFrameRect),
    RectField("frametextrect", &C::FrameTextRect),
    IntegerField("frameleftoffset", &C::FrameLeftOffset),
    IntegerField("framerightoffset", &C::FrameRightOffset),
    BoolField("stretcheffect", &C::StretchEffect),
    RectField("animateskinrect", &C::AnimateSkinRect),
    IntegerField("framecount", &C::FrameCount),
    IntegerField("animateinterval", &C::AnimateInterval, 25),
    BoolField("inactiveanimation", &C::InactiveAnimation),
    BoolField("fullframe", &C::FullFrame),
    BoolField("gloweffect", &C::GlowEffect),
    BoolField("glowinactiveeffect", &C::GlowInactiveEffect),
    IntegerField("glowsize", &C::GlowSize, 3),
    ColorField("glowcolor", &C::GlowColor),
    ColorField("glowactivecolor", &C::GlowActiveColor),
    IntegerField("glowoffset", &C::GlowOffset),
    BoolField("reflectioneffect", &C::ReflectionEffect),
    ColorField("reflactioncolor", &C::ReflectionColor),
    ColorField("reflactionactivecolor", &C::ReflectionActiveColor),
    IntegerField("reflectionoffset", &C::ReflectionOffset),
};

using B = TskDataSkinButton;
const TskEntryField<B> ButtonFields[] = {
    RectField("downrect", &B::DownRect),
    RectField("disableskinrsect", &B::DisableSkinRect),
    IntegerField("groupindex", &B::GroupIndex, -1),
};

using S = TskDataSkinStdButton;
const TskEntryField<S> StdButtonRestoreFields[] = {
    RectField("restorerect", &S::RestoreRect),
    RectField("restoreactiverect", &S::RestoreActiveRect),
    RectField("restoredownrect", &S::RestoreDownRect),
    RectField("restoreinactiverect", &S::RestoreInActiveRect),
    StringField("restorehint", &S::RestoreHint),
};

using MI = TskDataSkinMenuItem;
const TskEntryField<MI> MenuItemFields[] = {
    IntegerField("itemleftoffset", &MI::ItemLeftOffset),
    IntegerField("itemrightoffset", &MI::ItemRightOffset),
    RectField("dividerrect", &MI::DividerRect),
    IntegerField("dividerleftoffset", &MI::DividerLeftOffset),
    IntegerField("dividerrightoffset", &MI::DividerRightOffset),
    RectField("textrect", &MI::TextRect),
    RectField("imagerect", &MI::ImageRect),
    EntryFontField<MI>(),
    ColorField("activefontcolor", &MI::ActiveFontColor),
    ColorField("unenabledfontcolor", &MI::UnEnabledFontColor),
    BoolField("stretcheffect", &MI::StretchEffect),
    BoolField("inactivestretcheffect", &MI::InactiveStretchEffect),
    BoolField("dividerstretcheffect", &MI::DividerStretchEffect),
    RectField("animateskinrect", &MI::AnimateSkinRect),
    IntegerField("framecount", &MI::FrameCount),
    IntegerField("animateinterval", &MI::AnimateInterval, 25),
    BoolField("inactiveanimation", &MI::InactiveAnimation),
    BoolField("useimagecolor", &MI::UseImageColor),
    ColorField("imagecolor", &MI::ImageColor),
    ColorField("activeimagecolor", &MI::ActiveImageColor),
    BoolField("inactivetransparent", &MI::InactiveTransparent),
    RectField("checkimagerect", &MI::CheckImageRect),
    RectField("activecheckimagerect", &MI::ActiveCheckImageRect),
    RectField("radioimagerect", &MI::RadioImageRect),
    RectField("activeradioimagerect", &MI::ActiveRadioImageRect),
    RectField("arrowimagerect", &MI::ArrowImageRect),
    RectField("activearrowimagerect", &MI::ActiveArrowImageRect),
};

using MM = TskDataSkinMainMenuItem;
const TskEntryField<MM> MainMenuItemFields[] = {
    IntegerField("itemleftoffset", &MM::ItemLeftOffset),
    IntegerField("itemrightoffset", &MM::ItemRightOffset),
    RectField("downrect", &MM::DownRect),
    RectField("textrect", &MM::TextRect),
    EntryFontField<MM>(),
    ColorField("activefontcolor", &MM::ActiveFontColor),
    ColorField("downfontcolor", &MM::DownFontColor),
    ColorField("unenabledfontColor", &MM::UnEnabledFontColor),
    BoolField("stretcheffect", &MM::StretchEffect),
    RectField("animateskinrect", &MM::AnimateSkinRect),
    IntegerField("framecount", &MM::FrameCount),
    IntegerField("animateinterval", &MM::AnimateInterval, 25),
    BoolField("inactiveanimation", &MM::InactiveAnimation),
};

void CopyWhenEmpty(TRect& active, const TRect& normal)
{
    if (active.Width() < 1 || active.Height() < 1)
        active = normal;
}

} // namespace

void TskDataSkinCaption::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    LoadEntryFields<C>(*this, IniFile, IDName, CaptionFields);
}

void TskDataSkinCaption::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<C>(*this, IniFile, IDName, CaptionFields);
}

TskDataSkinButton::TskDataSkinButton(const std::string& AIDName) : TskDataSkinObject(AIDName) {}

void TskDataSkinButton::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    LoadEntryFields<B>(*this, IniFile, IDName, ButtonFields);
}

void TskDataSkinButton::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<B>(*this, IniFile, IDName, ButtonFields);
}

void TskDataSkinStdButton::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinButton::LoadFromIni(IniFile);
    Command = IniReadSkinCommand(IniFile, IDName, "command");
    LoadEntryFields<S>(*this, IniFile, IDName, StdButtonRestoreFields);
    RestoreHint = DefaultRestoreHint(RestoreHint, Hint, Command);
}

void TskDataSkinStdButton::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinButton::SaveToIni(IniFile);
    IniWriteSkinCommand(IniFile, IDName, "command", Command);
    SaveEntryFields<S>(*this, IniFile, IDName, StdButtonRestoreFields);
}

void TskDataSkinMenuItem::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    LoadEntryFields<MI>(*this, IniFile, IDName, MenuItemFields);
    CopyWhenEmpty(ActiveCheckImageRect, CheckImageRect);
    CopyWhenEmpty(ActiveRadioImageRect, RadioImageRect);
    CopyWhenEmpty(ActiveArrowImageRect, ArrowImageRect);
}

void TskDataSkinMenuItem::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<MI>(*this, IniFile, IDName, MenuItemFields);
}

void TskDataSkinMainMenuItem::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    LoadEntryFields<MM>(*this, IniFile, IDName, MainMenuItemFields);
}

void TskDataSkinMainMenuItem::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<MM>(*this, IniFile, IDName, MainMenuItemFields);
}
