// The main window's four skins: each skin component reads its own stored skin from the window's form
// description as the window is made (the skins the build packed from the sources in the tree), every
// skinned control of the window, of a queue row and of the preview window finds its entry in the skin
// it is given, and a damaged stored skin leaves that one skin empty while the window works on.
#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include "app/AppClasses.h"
#include "app/Unit2.h"
#include "app/om_queue.h"
#include "app/om_tables.h"
#include "om_testing.h"
#include "tests/support/THeadlessDriver.h"
#include "tests/support/TTestSystemServices.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/FormResources.h"
#include "platform/vcl/TypInfo.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskDataSkinListBox.h"
#include "skin/data/TskSkinData.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

struct TWindowSkin {
    const char* SkinData;
    const char* StoredSkin;
    const char* FileName;
    const char* SkinName;
};

const TWindowSkin WindowSkins[] = {
    {"skSkinData1", "skCompressedStoredSkin1", "slate.ini", "Ombrix Slate"},
    {"skSkinData2", "skCompressedStoredSkin2", "rows.ini", "Ombrix Slate Rows"},
    {"skSkinData3", "skCompressedStoredSkin3", "labels.ini", "Ombrix Slate Labels"},
    {"skSkinData4", "skCompressedStoredSkin4", "edits.ini", "Ombrix Slate Edits"},
};

std::string StoredBytes(const TskCompressedStoredSkin& Skin)
{
    TMemoryStream& data = Skin.StoredData();
    return std::string(static_cast<const char*>(data.Memory()), static_cast<std::size_t>(data.Size()));
}

// The window's form description as the program carries it, with the stored data of one stored skin
// replaced by Hex; the program's own description comes back when the test ends.
struct TDamagedForm {
    std::string Original;
    TDamagedForm(const std::string& StoredSkin, const std::string& Hex)
    {
        // Registers the program's descriptions now, so that nothing registers them again over ours.
        RegisterAppClasses();
        Original = *FindFormResource("Unit1");
        std::string text = Original;
        const std::size_t object = text.find("object " + StoredSkin + ":");
        const std::size_t open = text.find("CompressedData = {", object);
        const std::size_t close = text.find('}', open);
        if (object == std::string::npos || open == std::string::npos || close == std::string::npos)
            throw std::runtime_error("no stored data of " + StoredSkin + " in the form description");
        const std::size_t first = open + std::string("CompressedData = {").size();
        text.replace(first, close - first, Hex);
        RegisterFormResource("Unit1", text);
    }
    ~TDamagedForm() { RegisterFormResource("Unit1", Original); }
};

struct MainWindowSkins : ::testing::Test {
    omtest::TempHome Home;
    THeadlessDriver Driver{false};
    TTestSystemServices System;
    std::unique_ptr<TForm1> Form;
    std::unique_ptr<TForm2> Preview;

    void TearDown() override
    {
        Preview.reset();
        Form.reset();
    }
    void Start()
    {
        Form = std::make_unique<TForm1>(nullptr, System);
        System.OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
        Form->DoCreate();
        Preview = std::make_unique<TForm2>(nullptr);
        Preview->Attach(Form.get(), Form->Queue);
    }
    TskSkinData* Skin(const char* Name) const { return dynamic_cast<TskSkinData*>(Form->FindComponent(Name)); }
    // A source with two audio tracks and subtitles, so that its row has every kind of control.
    void AddRowAndShow()
    {
        TskSkinStringGrid& g = *Form->StringGrid1;
        const int r = AppendRow(g);
        g.SetCells(SourceRecord::RowId, r, "00000");
        g.SetCells(SourceRecord::Title, r, "Holiday");
        g.SetCells(SourceRecord::OutputName, r, "Holiday");
        g.SetCells(SourceRecord::Length, r, "754.00");
        g.SetCells(SourceRecord::LengthText, r, "0:12:34");
        g.SetCells(SourceRecord::AudioStreams, r, "128_LANG=en\n129_LANG=fr");
        g.SetCells(SourceRecord::SubtitleStreams, r, "0_LANG=en\n1_LANG=de");
        g.SetCells(SourceRecord::Selected, r, "YES");
        Form->AddItem(r);
        Form->OnScanFinished();
        Form->Show();
        Driver.ProcessMessages();
    }
};

// The published SkinData and SkinDataName of a skinned control, read as the form reader sets them.
bool SkinOf(TComponent* Component, TskSkinData*& SkinData, std::string& SkinDataName)
{
    const TClassInfo* info = ClassInfoOf(Component);
    const TPropInfo* data = info ? info->FindProp("SkinData") : nullptr;
    const TPropInfo* name = info ? info->FindProp("SkinDataName") : nullptr;
    if (!data || !name || !data->GetComponent || !name->GetStr)
        return false;
    SkinData = dynamic_cast<TskSkinData*>(data->GetComponent(Component));
    SkinDataName = name->GetStr(Component);
    return SkinData != nullptr && !SkinDataName.empty();
}

} // namespace

TEST_F(MainWindowSkins, EachSkinComponentReadsItsOwnStoredSkinFromTheFormDescription)
{
    // Made, not yet created: the skins are there as soon as the form description has been read.
    Form = std::make_unique<TForm1>(nullptr, System);
    std::set<TskCompressedStoredSkin*> stored;
    for (const TWindowSkin& expected : WindowSkins) {
        TskSkinData* skin = Skin(expected.SkinData);
        ASSERT_NE(skin, nullptr) << expected.SkinData;
        TskCompressedStoredSkin* own = skin->CompressedStoredSkin();
        ASSERT_NE(own, nullptr) << expected.SkinData;
        EXPECT_EQ(own->Name(), expected.StoredSkin);
        EXPECT_EQ(own->Owner(), Form.get());
        EXPECT_EQ(own->FileName(), expected.FileName);
        stored.insert(own);
        EXPECT_FALSE(skin->SkinEmpty) << expected.SkinData;
        EXPECT_FALSE(skin->SkinLoading) << expected.SkinData;
        EXPECT_EQ(skin->SkinName, expected.SkinName);
        EXPECT_FALSE(skin->ControlDataList.empty()) << expected.SkinData;

        // What the window carries is the pack of the skin sources in the tree.
        TskCompressedStoredSkin fresh(nullptr);
        fresh.BuildFromSkinIni(std::string(OMBRIX_SOURCE_DIR) + "/skins/slate/" + expected.FileName);
        EXPECT_TRUE(StoredBytes(fresh) == StoredBytes(*own)) << expected.FileName << ": the build did not pack the sources";
    }
    EXPECT_EQ(stored.size(), 4u);
    // The window's own skin has the frame; the rows' skins share its control picture and have none.
    EXPECT_FALSE(Skin("skSkinData1")->Picture->Empty());
    for (const char* name : {"skSkinData2", "skSkinData3", "skSkinData4"}) {
        EXPECT_TRUE(Skin(name)->Picture->Empty()) << name;
        ASSERT_EQ(Skin(name)->ActivePicturesNames->Count(), 1) << name;
        EXPECT_EQ(Skin(name)->ActivePicturesNames->Strings(0), "controls.bmp") << name;
    }
}

TEST_F(MainWindowSkins, EveryControlFindsItsEntryInTheSkinItIsGiven)
{
    Start();
    AddRowAndShow();
    std::map<std::string, int> checked;
    for (TForm* form : {static_cast<TForm*>(Form.get()), static_cast<TForm*>(Preview.get())}) {
        for (int i = 0; i < form->ComponentCount(); ++i) {
            TComponent* c = form->Components(i);
            TskSkinData* skin = nullptr;
            std::string entry;
            if (!SkinOf(c, skin, entry))
                continue;
            EXPECT_GE(skin->FindControlIndex(entry), 0)
                << c->Name() << " asks " << skin->Name() << " (" << skin->SkinName << ") for " << entry;
            ++checked[skin->Name() + ":" + entry];
        }
    }
    // Each skin serves the controls it was made for.
    for (const char* use : {"skSkinData1:toolbutton", "skSkinData1:combobox", "skSkinData1:panel",
                            "skSkinData2:checkbox", "skSkinData2:combobox", "skSkinData2:gauge", "skSkinData2:slider",
                            "skSkinData3:toolbutton", "skSkinData4:edit"})
        EXPECT_GT(checked[use], 0) << use;
    // A row's track box drops its list down with the list box of the same skin, and the list its bars.
    TskSkinData& rows = *Skin("skSkinData2");
    auto* list = dynamic_cast<TskDataSkinListBox*>(rows.ControlDataList.at(rows.FindControlIndex("listbox")).get());
    ASSERT_NE(list, nullptr);
    for (const std::string& bar : {list->VScrollBarName, list->HScrollBarName, list->BothHScrollBarName})
        EXPECT_GE(rows.FindControlIndex(bar), 0) << bar;
}

TEST_F(MainWindowSkins, TheRowsCaptionsReadLightOnTheDarkRow)
{
    // A row's captions are disabled flat buttons, written in their skin's shadow colour.
    Start();
    AddRowAndShow();
    TControl* length = Form->Queue->Find({"pnl0_", "lbl0_"}, 0);
    ASSERT_NE(length, nullptr);
    const TPoint origin = length->ClientToScreen(TPoint{0, 0});
    int light = 0;
    for (int y = 0; y < length->Height(); ++y)
        for (int x = 0; x < length->Width(); ++x) {
            const TPixel p = Driver.PixelAt(Form->Handle(), origin.X - Form->Left() + x, origin.Y - Form->Top() + y);
            light += ((p >> 16) & 0xFF) > 150 && ((p >> 8) & 0xFF) > 150 && (p & 0xFF) > 150 ? 1 : 0;
        }
    EXPECT_GT(light, 15) << "the row's length \"0:12:34\" does not stand out from the row";
}

TEST_F(MainWindowSkins, DamagedStoredSkin_ThatSkinStaysEmptyAndTheWindowWorksOn)
{
    // Bytes that are no zlib data, a cut stream, and a whole zlib stream whose picture is no picture.
    const std::map<std::string, std::pair<std::string, std::string>> damages = {
        {"no zlib data", {"789C0102", "compression error"}},
        {"cut", {"78DAED9DF97324E779DF97A9", "compression error"}},
        {"damaged picture", {"789C63660002275F85BCFC1285448582CCE492D2A254002C1305A1", "Skin not loaded: "}},
    };
    for (const auto& [what, damage] : damages) {
        const auto& [hex, message] = damage;
        SCOPED_TRACE(what);
        TDamagedForm damaged("skCompressedStoredSkin3", hex);
        testing::internal::CaptureStderr();
        ASSERT_NO_THROW(Start());
        AddRowAndShow();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(Skin("skSkinData3")->SkinEmpty);
        EXPECT_FALSE(Skin("skSkinData3")->SkinLoading);
        EXPECT_TRUE(Skin("skSkinData3")->ControlDataList.empty());
        for (const char* other : {"skSkinData1", "skSkinData2", "skSkinData4"})
            EXPECT_FALSE(Skin(other)->SkinEmpty) << other;
        EXPECT_NE(said.find("Skin not loaded: "), std::string::npos) << said;
        EXPECT_NE(said.find(message), std::string::npos) << said;
        // The row was built and painted; its captions take the plain look.
        EXPECT_NE(Form->Queue->Find({"pnl0_", "lbl0_"}, 0), nullptr);
        EXPECT_NE(Driver.Picture(Form->Handle()), nullptr);
        Preview.reset();
        Form.reset();
    }
}
