#include "skin/data/TskDataSkinObject.h"

#include "platform/rtl/TStringList.h"
#include "skin/data/SkinEntryFields.h"

namespace {

using O = TskDataSkinObject;
const TskEntryField<O> ObjectFields[] = {
    StringField("hint", &O::Hint),
    BoolField("rollup", &O::RollUp),
    IntegerField("activepictureindex", &O::ActivePictureIndex, -1),
    IntegerField("activemaskpictureindex", &O::ActiveMaskPictureIndex, -1),
    BoolField("skinrectinapicture", &O::SkinRectInAPicture),
    IntegerField("cursorindex", &O::CursorIndex, -1),
    RectField("skinrect", &O::SkinRect),
    RectField("activeskinrect", &O::ActiveSkinRect),
    RectField("inactiveskinrect", &O::InActiveSkinRect),
    BoolField("morphing", &O::Morphing),
    MorphKindField("morphkind", &O::MorphKind),
    IntegerField("glowlayerpictureindex", &O::GlowLayerPictureIndex, -1),
    IntegerField("glowlayermaskpictureindex", &O::GlowLayerMaskPictureIndex, -1),
    IntegerField("glowlayeroffsetx", &O::GlowLayerOffsetX),
    IntegerField("glowlayeroffsety", &O::GlowLayerOffsetY),
    IntegerField("glowlayeralphablendvalue", &O::GlowLayerAlphaBlendValue, 255),
};

const TskEntryField<O> UserObjectFields[] = {
    BoolField("rollup", &O::RollUp),
    RectField("skinrect", &O::SkinRect),
    IntegerField("cursorindex", &O::CursorIndex, -1),
};

using G = TskDataSkinGauge;
const TskEntryField<G> GaugeFields[] = {
    IntegerField("minvalue", &G::MinValue),
    IntegerField("maxvalue", &G::MaxValue),
};

using FG = TskDataSkinFrameGaugeObject;
const TskEntryField<FG> FrameGaugeFields[] = {
    IntegerField("minvalue", &FG::MinValue),
    IntegerField("maxvalue", &FG::MaxValue),
    IntegerField("countframes", &FG::CountFrames),
};

using FR = TskDataSkinFrameRegulatorObject;
const TskEntryField<FR> FrameRegulatorFields[] = {
    IntegerField("minvalue", &FR::MinValue),
    IntegerField("maxvalue", &FR::MaxValue),
    IntegerField("countframes", &FR::CountFrames),
};

using TB = TskDataSkinTrackBar;
const TskEntryField<TB> TrackBarFields[] = {
    RectField("buttonrect", &TB::ButtonRect),
    RectField("activebuttonrect", &TB::ActiveButtonRect),
    PointField("beginpoint", &TB::BeginPoint),
    PointField("endpoint", &TB::EndPoint),
    IntegerField("minvalue", &TB::MinValue),
    IntegerField("maxvalue", &TB::MaxValue),
    BoolField("mousedownchangevalue", &TB::MouseDownChangeValue),
    BoolField("buttontransparent", &TB::ButtonTransparent),
    ColorField("buttontransparentcolor", &TB::ButtonTransparentColor),
};

using A = TskDataSkinAnimate;
const TskEntryField<A> AnimateFieldsBeforeCommand[] = {
    IntegerField("countframes", &A::CountFrames, 1),
    BoolField("cycle", &A::Cycle),
    BoolField("buttonstyle", &A::ButtonStyle),
    IntegerField("timerinterval", &A::TimerInterval, 50),
};
const TskEntryField<A> AnimateFieldsAfterCommand[] = {
    RectField("downskinrect", &A::DownSkinRect),
    RectField("restorerect", &A::RestoreRect),
    RectField("restoreactiverect", &A::RestoreActiveRect),
    RectField("restoredownrect", &A::RestoreDownRect),
    RectField("restoreinactiverect", &A::RestoreInActiveRect),
    StringField("restorehint", &A::RestoreHint),
};

using L = TskDataSkinLabel;
// The stored skins spell the font key "fontName" here; keys match without regard to case, so the
// lower-case key reads the same value and is what a save writes.
const TskEntryField<L> LabelFields[] = {
    EntryFontField<L>(),
    ColorField("activefontcolor", &L::ActiveFontColor),
    AlignmentField("alignment", &L::Alignment),
    StringField("textvalue", &L::TextValue),
};

using BL = TskDataSkinBitLabel;
const TskEntryField<BL> BitLabelFields[] = {
    StringField("textvalue", &BL::TextValue),
    IntegerField("symbolwidth", &BL::SymbolWidth),
    IntegerField("symbolheight", &BL::SymbolHeight),
};
const TskEntryField<BL> BitLabelTransparencyFields[] = {
    BoolField("transparent", &BL::Transparent),
    ColorField("transparentcolor", &BL::TransparentColor, 16711935),
};

} // namespace

std::string DefaultRestoreHint(const std::string& RestoreHint, const std::string& Hint, int Command)
{
    if (!RestoreHint.empty())
        return RestoreHint;
    if ((Hint == "Maximize" && Command == cmMaximize) || (Hint == "Minimize" && Command == cmMinimize) ||
        ((Hint == "RollUp" || Hint == "Roll Up") && Command == cmRollUp))
        return "Restore";
    return RestoreHint;
}

TskDataSkinObject::TskDataSkinObject(const std::string& AIDName) : IDName(AIDName) {}

void TskDataSkinObject::LoadFromIni(TMemIniFile& IniFile)
{
    LoadEntryFields<O>(*this, IniFile, IDName, ObjectFields);
}

void TskDataSkinObject::SaveToIni(TMemIniFile& IniFile)
{
    // A saved object must hold exactly its own keys, not leftovers of an older one of the same name.
    IniFile.EraseSection(IDName);
    SaveEntryFields<O>(*this, IniFile, IDName, ObjectFields);
}

void TskDataUserObject::LoadFromIni(TMemIniFile& IniFile)
{
    LoadEntryFields<O>(*this, IniFile, IDName, UserObjectFields);
}

void TskDataUserObject::SaveToIni(TMemIniFile& IniFile)
{
    IniFile.EraseSection(IDName);
    SaveEntryFields<O>(*this, IniFile, IDName, UserObjectFields);
}

void TskDataSkinGauge::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    LoadEntryFields<G>(*this, IniFile, IDName, GaugeFields);
    Kind = IniReadGaugeKind(IniFile, IDName, "kind");
}

void TskDataSkinGauge::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<G>(*this, IniFile, IDName, GaugeFields);
    IniWriteGaugeKind(IniFile, IDName, "kind", Kind);
}

void TskDataSkinFrameGaugeObject::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    LoadEntryFields<FG>(*this, IniFile, IDName, FrameGaugeFields);
    FramesPlacement = IniReadFramesPlacement(IniFile, IDName, "framesplacement");
}

void TskDataSkinFrameGaugeObject::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<FG>(*this, IniFile, IDName, FrameGaugeFields);
    IniWriteFramesPlacement(IniFile, IDName, "framesplacement", FramesPlacement);
}

void TskDataSkinFrameRegulatorObject::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    LoadEntryFields<FR>(*this, IniFile, IDName, FrameRegulatorFields);
    FramesPlacement = IniReadFramesPlacement(IniFile, IDName, "framesplacement");
    Kind = IniReadRegulatorKind(IniFile, IDName, "kind");
}

void TskDataSkinFrameRegulatorObject::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<FR>(*this, IniFile, IDName, FrameRegulatorFields);
    IniWriteFramesPlacement(IniFile, IDName, "framesplacement", FramesPlacement);
    IniWriteRegulatorKind(IniFile, IDName, "kind", Kind);
}

void TskDataSkinTrackBar::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    LoadEntryFields<TB>(*this, IniFile, IDName, TrackBarFields);
    Morphing = false;
}

void TskDataSkinTrackBar::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<TB>(*this, IniFile, IDName, TrackBarFields);
}

void TskDataSkinAnimate::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    Morphing = false;
    LoadEntryFields<A>(*this, IniFile, IDName, AnimateFieldsBeforeCommand);
    Command = IniReadSkinCommand(IniFile, IDName, "command");
    LoadEntryFields<A>(*this, IniFile, IDName, AnimateFieldsAfterCommand);
    RestoreHint = DefaultRestoreHint(RestoreHint, Hint, Command);
}

void TskDataSkinAnimate::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<A>(*this, IniFile, IDName, AnimateFieldsBeforeCommand);
    IniWriteSkinCommand(IniFile, IDName, "command", Command);
    SaveEntryFields<A>(*this, IniFile, IDName, AnimateFieldsAfterCommand);
}

void TskDataSkinLabel::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    LoadEntryFields<L>(*this, IniFile, IDName, LabelFields);
}

void TskDataSkinLabel::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<L>(*this, IniFile, IDName, LabelFields);
}

TskDataSkinBitLabel::TskDataSkinBitLabel(const std::string& AIDName) : TskDataSkinObject(AIDName), Symbols(new TStringList) {}

TskDataSkinBitLabel::~TskDataSkinBitLabel()
{
    delete Symbols;
}

void TskDataSkinBitLabel::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::LoadFromIni(IniFile);
    Morphing = false;
    LoadEntryFields<BL>(*this, IniFile, IDName, BitLabelFields);
    // The reader stops at the number of keys the section has, so a garbled count cannot stall the load.
    IniReadLines(IniFile, IDName, "symbols", *Symbols);
    LoadEntryFields<BL>(*this, IniFile, IDName, BitLabelTransparencyFields);
}

void TskDataSkinBitLabel::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinObject::SaveToIni(IniFile);
    SaveEntryFields<BL>(*this, IniFile, IDName, BitLabelFields);
    IniWriteLines(IniFile, IDName, "symbols", *Symbols);
    SaveEntryFields<BL>(*this, IniFile, IDName, BitLabelTransparencyFields);
}
