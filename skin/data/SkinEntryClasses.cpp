#include "skin/data/SkinEntryClasses.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "skin/data/SkinKindRegistry.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskDataSkinListBox.h"
#include "skin/data/TskDataSkinMainMenuBar.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskDataSkinPanelControl.h"
#include "skin/data/TskDataSkinScrollBarControl.h"

namespace {

template <class C>
void Control(const char* kind)
{
    RegisterSkinControlKind(kind, [](const std::string& IDName) -> std::unique_ptr<TskDataSkinControl> {
        return std::make_unique<C>(IDName);
    });
}

template <class C>
void Object(const char* kind)
{
    RegisterSkinObjectKind(kind, [](const std::string& IDName) -> std::unique_ptr<TskDataSkinObject> {
        return std::make_unique<C>(IDName);
    });
}

std::string Demangled(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

} // namespace

void RegisterSkinEntryClasses()
{
    Control<TskDataSkinSlider>("slider");
    Control<TskDataSkinBevel>("bevel");
    Control<TskDataSkinTreeView>("treeview");
    Control<TskDataSkinListView>("listview");
    Control<TskDataSkinRichEdit>("richedit");
    Control<TskDataSkinStdLabelControl>("stdlabel");
    Control<TskDataSkinMainMenuBar>("mainmenubar");
    Control<TskDataSkinTabControl>("tab");
    Control<TskDataSkinGridControl>("grid");
    Control<TskDataSkinAnimateControl>("animate");
    Control<TskDataSkinSwitchControl>("switch");
    Control<TskDataSkinFrameGauge>("framegauge");
    Control<TskDataSkinFrameRegulator>("frameregulator");
    Control<TskDataSkinControlBar>("controlbar");
    Control<TskDataSkinUpDownControl>("updown");
    Control<TskDataSkinListBox>("listbox");
    Control<TskDataSkinCheckListBox>("checklistbox");
    Control<TskDataSkinComboBox>("combobox");
    Control<TskDataSkinScrollBarControl>("scrollbar");
    Control<TskDataSkinSpinEditControl>("spinedit");
    Control<TskDataSkinEditControl>("edit");
    Control<TskDataSkinMemoControl>("memo");
    Control<TskDataSkinLabelControl>("label");
    Control<TskDataSkinBitLabelControl>("bitlabel");
    Control<TskDataSkinTrackBarControl>("trackbar");
    Control<TskDataSkinSplitterControl>("splitter");
    Control<TskDataSkinGaugeControl>("gauge");
    Control<TskDataSkinButtonControl>("button");
    Control<TskDataSkinMenuButtonControl>("menubutton");
    Control<TskDataSkinCheckRadioControl>("checkradio");
    Control<TskDataSkinScrollBoxControl>("scrollbox");
    Control<TskDataSkinPanelControl>("panel");
    Control<TskDataSkinExPanelControl>("expanel");

    Object<TskDataSkinMenuItem>("menuitem");
    Object<TskDataSkinMainMenuBarItem>("mainmenubaritem");
    Object<TskDataSkinMainMenuItem>("mainmenuitem");
    Object<TskDataSkinStdButton>("stdbutton");
    Object<TskDataSkinMainMenuBarButton>("mainmenubarbutton");
    Object<TskDataSkinButton>("button");
    Object<TskDataSkinCaption>("caption");
    Object<TskDataSkinTrackBar>("trackbar");
    Object<TskDataSkinGauge>("gauge");
    Object<TskDataSkinFrameGaugeObject>("framegauge");
    Object<TskDataSkinFrameRegulatorObject>("frameregulator");
    Object<TskDataSkinLabel>("label");
    Object<TskDataSkinBitLabel>("bitlabel");
    Object<TskDataSkinSwitch>("switch");
    Object<TskDataSkinAnimate>("animate");
    Object<TskDataUserObject>("userobject");
}

std::string SkinEntryClassName(const TskDataSkinControl& Entry)
{
    return Demangled(typeid(Entry));
}

std::string SkinEntryClassName(const TskDataSkinObject& Entry)
{
    return Demangled(typeid(Entry));
}
