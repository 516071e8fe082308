#include "skin/data/TskDataSkinPopupWindow.h"

#include "skin/data/SkinEntryFields.h"

namespace {

const char* const PopupSection = "POPUPWINDOW";
const char* const HintSection = "HINTWINDOW";

using P = TskDataSkinPopupWindow;
const TskEntryField<P> PopupFields[] = {
    IntegerField("windowpictureindex", &P::WindowPictureIndex, -1),
    IntegerField("maskpictureindex", &P::MaskPictureIndex, -1),
    PointField("lefttoppoint", &P::LeftTopPoint),
    PointField("righttoppoint", &P::RightTopPoint),
    PointField("leftbottompoint", &P::LeftBottomPoint),
    PointField("rightbottompoint", &P::RightBottomPoint),
    IntegerField("cursorindex", &P::CursorIndex, -1),
    RectField("itemsrect", &P::ItemsRect),
    ColorField("scrollmarkercolor", &P::ScrollMarkerColor),
    ColorField("scrollmarkeractivecolor", &P::ScrollMarkerActiveColor),
    BoolField("leftstretch", &P::LeftStretch),
    BoolField("rightstretch", &P::RightStretch),
    BoolField("topstretch", &P::TopStretch),
    BoolField("bottomstretch", &P::BottomStretch),
    BoolField("stretcheffect", &P::StretchEffect),
    StretchTypeField("stretchtype", &P::StretchType),
};

using H = TskDataSkinHintWindow;
const TskEntryField<H> HintFields[] = {
    IntegerField("windowpictureindex", &H::WindowPictureIndex, -1),
    IntegerField("maskpictureindex", &H::MaskPictureIndex, -1),
    PointField("lefttoppoint", &H::LeftTopPoint),
    PointField("righttoppoint", &H::RightTopPoint),
    PointField("leftbottompoint", &H::LeftBottomPoint),
    PointField("rightbottompoint", &H::RightBottomPoint),
    RectField("clientrect", &H::ClientRect),
    EntryFontField<H>(),
    BoolField("leftstretch", &H::LeftStretch),
    BoolField("rightstretch", &H::RightStretch),
    BoolField("topstretch", &H::TopStretch),
    BoolField("bottomstretch", &H::BottomStretch),
    BoolField("stretcheffect", &H::StretchEffect),
    StretchTypeField("stretchtype", &H::StretchType),
};

} // namespace

void TskDataSkinPopupWindow::LoadFromIni(TMemIniFile& IniFile)
{
    LoadEntryFields<P>(*this, IniFile, PopupSection, PopupFields);
}

void TskDataSkinHintWindow::LoadFromIni(TMemIniFile& IniFile)
{
    LoadEntryFields<H>(*this, IniFile, HintSection, HintFields);
}
