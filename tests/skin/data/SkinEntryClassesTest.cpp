#include "skin/data/SkinEntryClasses.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "SkinEntryTestSupport.h"
#include "skin/data/SkinKindRegistry.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskSkinData.h"

namespace {

// The entries a list section names: (IDName, kind) in list order.
std::vector<std::pair<std::string, std::string>> ListedEntries(TMemIniFile& ini, const std::string& section)
{
    std::vector<std::pair<std::string, std::string>> entries;
    const int count = ini.ReadInteger(section, "count", 0);
    for (int i = 0; i < count; ++i) {
        const std::string value = ini.ReadString(section, std::to_string(i), "");
        const auto colon = value.find(':');
        entries.emplace_back(value.substr(0, colon), value.substr(colon + 1));
    }
    return entries;
}

template <class Entry, class Create>
void ExpectSaveLoadSaveIsStable(Entry& entry, const std::string& kind, Create create)
{
    TMemIniFile first;
    entry.SaveToIni(first);
    auto reloaded = create(kind, entry.IDName);
    ASSERT_NE(reloaded, nullptr);
    reloaded->LoadFromIni(first);
    TMemIniFile second;
    reloaded->SaveToIni(second);
    EXPECT_EQ(IniText(first), IniText(second)) << entry.IDName << " (" << kind << ")";
    EXPECT_NE(IniText(first), "") << entry.IDName;
}

} // namespace

TEST(SkinEntryClassesRegistry, EveryControlKindCreatesItsOwnClass)
{
    for (const std::string& kind : SkinControlKinds()) {
        auto entry = CreateSkinControlEntry(kind, "x");
        ASSERT_NE(entry, nullptr) << kind;
        EXPECT_NE(SkinEntryClassName(*entry), "TskDataSkinControl") << kind;
        EXPECT_EQ(entry->IDName, "x");
    }
}

TEST(SkinEntryClassesRegistry, EveryObjectKindCreatesItsOwnClassExceptTheBaseKeysOnlySwitch)
{
    for (const std::string& kind : SkinObjectKinds()) {
        auto entry = CreateSkinObjectEntry(kind, "x");
        ASSERT_NE(entry, nullptr) << kind;
        EXPECT_NE(SkinEntryClassName(*entry), "TskDataSkinObject") << kind;
    }
}

TEST(SkinEntryClassesRegistry, KindWordsAreComparedExactly)
{
    EXPECT_EQ(CreateSkinControlEntry("ListBox", "x"), nullptr);
    EXPECT_EQ(CreateSkinObjectEntry("Caption", "x"), nullptr);
}

TEST(SkinEntryClassesFixture, EveryControlOfTheFixtureLoadsIntoItsClass)
{
    auto ini = EntriesFixture();
    const std::vector<std::string> expected = {
        "TskDataSkinListBox", "TskDataSkinCheckListBox", "TskDataSkinComboBox", "TskDataSkinEditControl",
        "TskDataSkinMemoControl", "TskDataSkinSpinEditControl", "TskDataSkinLabelControl",
        "TskDataSkinStdLabelControl", "TskDataSkinBitLabelControl", "TskDataSkinTreeView", "TskDataSkinListView",
        "TskDataSkinRichEdit", "TskDataSkinMainMenuBar", "TskDataSkinControlBar", "TskDataSkinTabControl",
        "TskDataSkinGridControl", "TskDataSkinScrollBarControl", "TskDataSkinScrollBarControl",
        "TskDataSkinUpDownControl", "TskDataSkinSlider", "TskDataSkinBevel", "TskDataSkinAnimateControl",
        "TskDataSkinSwitchControl", "TskDataSkinFrameGauge", "TskDataSkinFrameRegulator",
        "TskDataSkinButtonControl", "TskDataSkinMenuButtonControl", "TskDataSkinCheckRadioControl",
        "TskDataSkinTrackBarControl", "TskDataSkinSplitterControl", "TskDataSkinGaugeControl",
        "TskDataSkinScrollBoxControl", "TskDataSkinPanelControl", "TskDataSkinExPanelControl",
        "TskDataSkinPanelControl"};
    const auto listed = ListedEntries(*ini, "SKINCONTROLS");
    ASSERT_EQ(listed.size(), expected.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        auto entry = CreateSkinControlEntry(listed[i].second, listed[i].first);
        ASSERT_NE(entry, nullptr) << listed[i].second;
        entry->LoadFromIni(*ini);
        EXPECT_EQ(SkinEntryClassName(*entry), expected[i]) << listed[i].first;
    }
}

TEST(SkinEntryClassesFixture, EveryObjectOfTheFixtureLoadsIntoItsClass)
{
    auto ini = EntriesFixture();
    const std::vector<std::string> expected = {
        "TskDataSkinMenuItem", "TskDataSkinMainMenuBarItem", "TskDataSkinMainMenuItem", "TskDataSkinStdButton",
        "TskDataSkinMainMenuBarButton", "TskDataSkinButton", "TskDataSkinCaption", "TskDataSkinTrackBar",
        "TskDataSkinGauge", "TskDataSkinFrameGaugeObject", "TskDataSkinFrameRegulatorObject", "TskDataSkinLabel",
        "TskDataSkinBitLabel", "TskDataSkinSwitch", "TskDataSkinAnimate", "TskDataUserObject",
        "TskDataSkinStdButton", "TskDataSkinStdButton"};
    const auto listed = ListedEntries(*ini, "SKINOBJECTS");
    ASSERT_EQ(listed.size(), expected.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        auto entry = CreateSkinObjectEntry(listed[i].second, listed[i].first);
        ASSERT_NE(entry, nullptr) << listed[i].second;
        entry->LoadFromIni(*ini);
        EXPECT_EQ(SkinEntryClassName(*entry), expected[i]) << listed[i].first;
    }
}

TEST(SkinEntryClassesRoundTrip, EveryControlOfTheFixtureSavesWhatItLoads)
{
    auto ini = EntriesFixture();
    for (const auto& [name, kind] : ListedEntries(*ini, "SKINCONTROLS")) {
        auto entry = CreateSkinControlEntry(kind, name);
        entry->LoadFromIni(*ini);
        ExpectSaveLoadSaveIsStable(*entry, kind, CreateSkinControlEntry);
    }
}

TEST(SkinEntryClassesRoundTrip, EveryObjectOfTheFixtureSavesWhatItLoads)
{
    auto ini = EntriesFixture();
    for (const auto& [name, kind] : ListedEntries(*ini, "SKINOBJECTS")) {
        auto entry = CreateSkinObjectEntry(kind, name);
        entry->LoadFromIni(*ini);
        ExpectSaveLoadSaveIsStable(*entry, kind, CreateSkinObjectEntry);
    }
}

TEST(SkinEntryClassesRoundTrip, SaveReplacesWhatTheSectionHeldBefore)
{
    auto ini = IniFromText("[listbox]\nstale=1\nfontname=Old\n");
    auto entry = CreateSkinControlEntry("listbox", "listbox");
    entry->SaveToIni(*ini);
    EXPECT_EQ(ini->ReadString("listbox", "stale", "gone"), "gone");
    EXPECT_EQ(ini->ReadString("listbox", "fontname", ""), "Arial");
}

TEST(SkinEntryClassesSkinData, TheSkinComponentLoadsTheFixtureIntoTheRealClasses)
{
    auto ini = EntriesFixture();
    TskSkinData skin(nullptr);
    skin.LoadSkinAreas(*ini);
    skin.LoadSkinObjects(*ini);
    skin.LoadSkinControls(*ini);
    ASSERT_EQ(skin.ControlDataList.size(), 35u);
    ASSERT_EQ(skin.ObjectDataList.size(), 18u);

    const int listBox = skin.FindControlIndex("listbox");
    ASSERT_GE(listBox, 0);
    EXPECT_EQ(SkinEntryClassName(*skin.ControlDataList[static_cast<std::size_t>(listBox)]), "TskDataSkinListBox");
    EXPECT_EQ(skin.ControlDataList[static_cast<std::size_t>(listBox)]->PictureIndex, 2);
    const int caption = skin.FindObjectIndex("caption");
    ASSERT_GE(caption, 0);
    EXPECT_EQ(SkinEntryClassName(*skin.ObjectDataList[static_cast<std::size_t>(caption)]), "TskDataSkinCaption");

    ASSERT_EQ(skin.SkinAreaList.size(), 2u);
    EXPECT_EQ(skin.SkinAreaList[0]->IDName, "statusarea");
    EXPECT_EQ(skin.SkinAreaList[0]->AreaRect, Rect(1, 2, 30, 40));
    EXPECT_EQ(skin.FindAreaIndex("toolarea"), 1);
    EXPECT_EQ(skin.SkinAreaList[1]->AreaRect, Rect(0, 0, 100, 20));
}
