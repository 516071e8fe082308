#include "skin/data/TskDataSkinEditControl.h"

#include "platform/rtl/TStringList.h"
#include "skin/data/SkinEntryFields.h"

namespace {

using E = TskDataSkinEditControl;
const TskEntryField<E> EditFields[] = {
    RectField("activeskinrect", &E::ActiveSkinRect),
    EntryFontField<E>(),
    ColorField("disabledfontcolor", &E::DisabledFontColor),
    ColorField("activefontcolor", &E::ActiveFontColor),
    RectField("buttonrect", &E::ButtonRect),
    RectField("activebuttonrect", &E::ActiveButtonRect),
    RectField("downbuttonrect", &E::DownButtonRect),
    RectField("unenabledbuttonrect", &E::UnEnabledButtonRect),
};

using M = TskDataSkinMemoControl;
const TskEntryField<M> MemoFields[] = {
    ColorField("bgcolor", &M::BGColor),
    ColorField("activebgcolor", &M::ActiveBGColor),
};

using S = TskDataSkinSpinEditControl;
const TskEntryField<S> SpinEditFields[] = {
    RectField("activeskinrect", &S::ActiveSkinRect),
    EntryFontField<S>(),
    ColorField("activefontcolor", &S::ActiveFontColor),
    ColorField("disabledfontcolor", &S::DisabledFontColor),
    RectField("upbuttonrect", &S::UpButtonRect),
    RectField("activeupbuttonrect", &S::ActiveUpButtonRect),
    RectField("downupbuttonrect", &S::DownUpButtonRect),
    RectField("downbuttonrect", &S::DownButtonRect),
    RectField("activedownbuttonrect", &S::ActiveDownButtonRect),
    RectField("downdownbuttonrect", &S::DownDownButtonRect),
};

// The four font keys every label and view reads, in their reading order.
template <class C>
const TskEntryField<C> FontFields[] = {
    EntryFontField<C>(),
};

// The tree view, list view and rich edit: the font, then the background colour.
template <class C>
const TskEntryField<C> FontAndBGFields[] = {
    EntryFontField<C>(),
    ColorField("bgcolor", &C::BGColor),
};

using SL = TskDataSkinStdLabelControl;
const TskEntryField<SL> StdLabelFields[] = {
    EntryFontField<SL>(),
    ColorField("activefontcolor", &SL::ActiveFontColor, 16711680),
};

using B = TskDataSkinBitLabelControl;
const TskEntryField<B> BitLabelFields[] = {
    RectField("skintextrect", &B::SkinTextRect),
    IntegerField("symbolwidth", &B::SymbolWidth),
    IntegerField("symbolheight", &B::SymbolHeight),
};

} // namespace

TskDataSkinEditControl::TskDataSkinEditControl(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 12) {}

void TskDataSkinEditControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<E>(*this, IniFile, IDName, EditFields);
}

void TskDataSkinEditControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<E>(*this, IniFile, IDName, EditFields);
}

void TskDataSkinMemoControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinEditControl::LoadFromIni(IniFile);
    LoadEntryFields<M>(*this, IniFile, IDName, MemoFields);
}

void TskDataSkinMemoControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinEditControl::SaveToIni(IniFile);
    SaveEntryFields<M>(*this, IniFile, IDName, MemoFields);
}

TskDataSkinSpinEditControl::TskDataSkinSpinEditControl(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 12) {}

void TskDataSkinSpinEditControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<S>(*this, IniFile, IDName, SpinEditFields);
}

void TskDataSkinSpinEditControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<S>(*this, IniFile, IDName, SpinEditFields);
}

TskDataSkinLabelControl::TskDataSkinLabelControl(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), TskEntryFont("Arial", 12) {}

void TskDataSkinLabelControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<TskDataSkinLabelControl>(*this, IniFile, IDName, FontFields<TskDataSkinLabelControl>);
}

void TskDataSkinLabelControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<TskDataSkinLabelControl>(*this, IniFile, IDName, FontFields<TskDataSkinLabelControl>);
}

TskDataSkinStdLabelControl::TskDataSkinStdLabelControl(const std::string& AIDName)
    : TskDataSkinControl(AIDName), TskEntryFont("Arial", 12) {}

void TskDataSkinStdLabelControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<SL>(*this, IniFile, IDName, StdLabelFields);
}

void TskDataSkinStdLabelControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<SL>(*this, IniFile, IDName, StdLabelFields);
}

TskDataSkinBitLabelControl::TskDataSkinBitLabelControl(const std::string& AIDName)
    : TskDataSkinCustomControl(AIDName), Symbols(new TStringList)
{
}

TskDataSkinBitLabelControl::~TskDataSkinBitLabelControl()
{
    delete Symbols;
}

void TskDataSkinBitLabelControl::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::LoadFromIni(IniFile);
    LoadEntryFields<B>(*this, IniFile, IDName, BitLabelFields);
    // The reader stops at the number of keys the section has, so a garbled count cannot stall the load.
    IniReadLines(IniFile, IDName, "symbols", *Symbols);
}

void TskDataSkinBitLabelControl::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinCustomControl::SaveToIni(IniFile);
    SaveEntryFields<B>(*this, IniFile, IDName, BitLabelFields);
    IniWriteLines(IniFile, IDName, "symbols", *Symbols);
}

TskDataSkinTreeView::TskDataSkinTreeView(const std::string& AIDName)
    : TskDataSkinControl(AIDName), TskEntryFont("Arial", 14) {}

void TskDataSkinTreeView::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<TskDataSkinTreeView>(*this, IniFile, IDName, FontAndBGFields<TskDataSkinTreeView>);
}

void TskDataSkinTreeView::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<TskDataSkinTreeView>(*this, IniFile, IDName, FontAndBGFields<TskDataSkinTreeView>);
}

TskDataSkinListView::TskDataSkinListView(const std::string& AIDName)
    : TskDataSkinControl(AIDName), TskEntryFont("Arial", 14) {}

void TskDataSkinListView::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<TskDataSkinListView>(*this, IniFile, IDName, FontAndBGFields<TskDataSkinListView>);
}

void TskDataSkinListView::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<TskDataSkinListView>(*this, IniFile, IDName, FontAndBGFields<TskDataSkinListView>);
}

TskDataSkinRichEdit::TskDataSkinRichEdit(const std::string& AIDName)
    : TskDataSkinControl(AIDName), TskEntryFont("Arial", 14) {}

void TskDataSkinRichEdit::LoadFromIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::LoadFromIni(IniFile);
    LoadEntryFields<TskDataSkinRichEdit>(*this, IniFile, IDName, FontAndBGFields<TskDataSkinRichEdit>);
}

void TskDataSkinRichEdit::SaveToIni(TMemIniFile& IniFile)
{
    TskDataSkinControl::SaveToIni(IniFile);
    SaveEntryFields<TskDataSkinRichEdit>(*this, IniFile, IDName, FontAndBGFields<TskDataSkinRichEdit>);
}
