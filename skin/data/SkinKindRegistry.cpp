#include "skin/data/SkinKindRegistry.h"

#include <algorithm>
#include <map>

#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskDataSkinObject.h"

namespace {

const std::vector<std::string>& ControlKindWords()
{
    static const std::vector<std::string> words = {
    "slider",     "switch",     "bevel",     "grid",         "panel",       "tab",
    "expanel",    "mainmenubar", "menubutton", "controlbar",  "button",      "memo",
    "checkradio", "edit",       "gauge",     "checklistbox", "splitter",    "listbox",
    "trackbar",   "combobox",   "label",     "scrollbar",    "stdlabel",    "spinedit",
    "bitlabel",   "scrollbox",  "frameregulator", "treeview", "framegauge", "listview",
    "animate",    "richedit",   "updown"};
    return words;
}

const std::vector<std::string>& ObjectKindWords()
{
    static const std::vector<std::string> words = {
    "menuitem", "mainmenubaritem", "mainmenuitem", "stdbutton", "mainmenubarbutton", "button",
    "caption",  "trackbar",        "gauge",        "framegauge", "frameregulator",   "label",
    "bitlabel", "switch",          "animate",      "userobject"};
    return words;
}

// All tables are built on first use so that registrations from other units' static initializers find them ready.
std::map<std::string, TskSkinControlFactory>& ControlFactories()
{
    static std::map<std::string, TskSkinControlFactory> factories;
    return factories;
}

std::map<std::string, TskSkinObjectFactory>& ObjectFactories()
{
    static std::map<std::string, TskSkinObjectFactory> factories;
    return factories;
}

bool IsKind(const std::vector<std::string>& kinds, const std::string& word)
{
    return std::find(kinds.begin(), kinds.end(), word) != kinds.end();
}

} // namespace

bool RegisterSkinControlKind(const std::string& Kind, TskSkinControlFactory Factory)
{
    if (!IsKind(ControlKindWords(), Kind) || !Factory)
        return false;
    ControlFactories()[Kind] = std::move(Factory);
    return true;
}

bool RegisterSkinObjectKind(const std::string& Kind, TskSkinObjectFactory Factory)
{
    if (!IsKind(ObjectKindWords(), Kind) || !Factory)
        return false;
    ObjectFactories()[Kind] = std::move(Factory);
    return true;
}

std::unique_ptr<TskDataSkinControl> CreateSkinControlEntry(const std::string& Kind, const std::string& IDName)
{
    if (!IsKind(ControlKindWords(), Kind))
        return nullptr;
    const auto& factories = ControlFactories();
    if (auto it = factories.find(Kind); it != factories.end())
        return it->second(IDName);
    return std::make_unique<TskDataSkinControl>(IDName);
}

std::unique_ptr<TskDataSkinObject> CreateSkinObjectEntry(const std::string& Kind, const std::string& IDName)
{
    if (!IsKind(ObjectKindWords(), Kind))
        return nullptr;
    const auto& factories = ObjectFactories();
    if (auto it = factories.find(Kind); it != factories.end())
        return it->second(IDName);
    return std::make_unique<TskDataSkinObject>(IDName);
}

const std::vector<std::string>& SkinControlKinds()
{
    return ControlKindWords();
}

const std::vector<std::string>& SkinObjectKinds()
{
    return ObjectKindWords();
}
