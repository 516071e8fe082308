#include "skin/data/TskDataSkinPanelControl.h"

#include "skin/data/SkinEntryFields.h"

namespace {

using TB = TskDataSkinTrackBarControl;
const TskEntryField<TB> TrackBarFields[] = {
    RectField("activeskinrect", &TB::ActiveSkinRect),
    RectField("trackarea", &TB::TrackArea),
    RectField("buttonrect", &TB::ButtonRect),
    RectField("activebuttonrect", &TB::ActiveButtonRect),
    BoolField("vertical", &TB::Vertical),
    BoolField("buttontransparent", &TB::ButtonTransparent),
    ColorField("buttontransparentcolor", &TB::ButtonTransparentColor),
};

using SP = TskDataSkinSplitterControl;
const TskEntryField<SP> SplitterFields[] = {
    RectField("gripperrect", &SP::GripperRect),
    BoolField("grippertransparent", &SP::GripperTransparent),
    ColorField("grippertransparentcolor", &SP::GripperTransparentColor),
};

using G = TskDataSkinGaugeControl;
const TskEntryField<G> GaugeFields[] = {
    RectField("progressarea", &G::ProgressArea),
    RectField("progressrect", &G::ProgressRect),
    IntegerField("beginoffset", &G::BeginOffset),
    IntegerField("endoffset", &G::EndOffset),
    BoolField("vertical", &G::Vertical),
    EntryFontField<G>(),
    BoolField("progresstransparent", &G::ProgressTransparent),
    ColorField("progresstransparentcolor", &G::ProgressTransparentColor),
    BoolField("progressstretch", &G::ProgressStretch),
    RectField("animationskinrect", &G::AnimationSkinRect),
    IntegerField("animationcountframes", &G::AnimationCountFrames),
    IntegerField("animationtimerinterval", &G::AnimationTimerInterval),
    RectField("progressanimationskinrect", &G::ProgressAnimationSkinRect),
    IntegerField("progressanimationcountframes", &G::ProgressAnimationCountFrames),
    IntegerField("progressanimationtimerinterval", &G::ProgressAnimationTimerInterval),
    IntegerField("animationbeginoffset", &G::AnimationBeginOffset),
    IntegerField("animationendoffset", &G::AnimationEndOffset),
};

using SB = TskDataSkinScrollBoxControl;
const TskEntryField<SB> ScrollBoxFields[] = {
    IntegerField("bgpictureindex", &SB::BGPictureIndex, -1),
};

using P = TskDataSkinPanelControl;
const TskEntryField<P> PanelFields[] = {
    IntegerField("bgpictureindex", &P::BGPictureIndex, -1),
    RectField("captionrect", &P::CaptionRect),
    AlignmentField("alignment", &P::Alignment),
    EntryFontField<P>(),
    RectField("checkimagerect", &P::CheckImageRect),
    RectField("uncheckimagerect", &P::UncheckImageRect),
    RectField("markframerect", &P::MarkFrameRect),
    RectField("framerect", &P::FrameRect),
    RectField("frametextrect", &P::FrameTextRect),
    IntegerField("frameleftoffset", &P::FrameLeftOffset),
    IntegerField("framerightoffset", &P::FrameRightOffset),
    RectField("gripperrect", &P::GripperRect),
    BoolField("grippertransparent", &P::GripperTransparent),
    ColorField("grippertransparentcolor", &P::GripperTransparentColor),
};

using X = TskDataSkinExPanelControl;
const TskEntryField<X> ExPanelFields[] = {
    RectField("rollhskinrect", &X::RollHSkinRect),
    RectField("rollvskinrect", &X::RollVSkinRect),
    IntegerField("rollleftoffset", &X::RollLeftOffset),
    IntegerField("rollrightoffset", &X::RollRightOffset),
    IntegerField("rolltopoffset", &X::RollTopOffset),
    IntegerField("rollbottomoffset", &X::RollBottomOffset),
    RectField("rollvcaptionrect", &X::RollVCaptionRect),
    RectField("rollhcaptionrect", &X::RollHCaptionRect),
    RectField("closebuttonrect", &X::CloseButtonRect),
    RectField("closebuttonactiverect", &X::CloseButtonActiveRect),
    RectField("closebuttondownrect", &X::CloseButtonDownRect),
    RectField("hrollbuttonrect", &X::HRollButtonRect),
    RectField("hrollbuttonactiverect", &X::HRollButtonActiveRect),
    RectField("hrollbuttondownrect", &X::HRollButtonDownRect),
    RectField("hrestorebuttonrect", &X::HRestoreButtonRect),
    RectField("hrestorebuttonactiverect", &X::HRestoreButtonActiveRect),
    RectField("hrestorebuttondownrect", &X::HRestoreButtonDownRect),
    RectField("vrollbuttonrect", &X::VRollButtonRect),
    RectField("vrollbuttonactiverect", &X::VRollButtonActiveRect),
    RectField("vrollbuttondownrect", &X::VRollButtonDownRect),
    RectField("vrestorebuttonrect", &X::VRestoreButtonRect),
    RectField("vrestorebuttonactiverect", &X::VRestoreButtonActiveRect),
    RectField("vrestorebuttondownrect", &X::VRestoreButtonDownRect),
    RectField("captionrect", &X::CaptionRect),
    EntryFontField<X>(),
    BoolField("buttonstransparent", &X::ButtonsTransparent),
    ColorField("buttonstransparentcolor", &X::ButtonsTransparentColor),
};

} // namespace

TskDataSkinTrackBarControl::TskDataSkinTrackBarControl(const std::string& AIDName) : TskDataSkinCustomControl(AIDName) {}

void TskDataSkinTrackBarControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<TB>(*this, IniFile, IDName, TrackBarFields);
}

void TskDataSkinTrackBarControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<TB>(*this, IniFile, IDName, TrackBarFields);
}

TskDataSkinSplitterControl::TskDataSkinSplitterControl(const std::string& AIDName) : TskDataSkinCustomControl(AIDName) {}

void TskDataSkinSplitterControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<SP>(*this, IniFile, IDName, SplitterFields);
}

void TskDataSkinSplitterControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<SP>(*this, IniFile, IDName, SplitterFields);
}

TskDataSkinGaugeControl::TskDataSkinGaugeControl(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 14) {}

void TskDataSkinGaugeControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<G>(*this, IniFile, IDName, GaugeFields);
}

void TskDataSkinGaugeControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<G>(*this, IniFile, IDName, GaugeFields);
}

TskDataSkinScrollBoxControl::TskDataSkinScrollBoxControl(const std::string& AIDName) : TskDataSkinCustomControl(AIDName) {}

void TskDataSkinScrollBoxControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<SB>(*this, IniFile, IDName, ScrollBoxFields);
}

void TskDataSkinScrollBoxControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<SB>(*this, IniFile, IDName, ScrollBoxFields);
}

TskDataSkinPanelControl::TskDataSkinPanelControl(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 12) {}

void TskDataSkinPanelControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<P>(*this, IniFile, IDName, PanelFields);
}

void TskDataSkinPanelControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<P>(*this, IniFile, IDName, PanelFields);
}

TskDataSkinExPanelControl::TskDataSkinExPanelControl(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 12) {}

void TskDataSkinExPanelControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<X>(*this, IniFile, IDName, ExPanelFields);
}

void TskDataSkinExPanelControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<X>(*this, IniFile, IDName, ExPanelFields);
}
