#include "skins/SlateSkin.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "tests/support/THeadlessDriver.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinGauge.h"
#include "skin/controls/TskSkinListBox.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/controls/TskSkinSlider.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskDataSkinListBox.h"
#include "skin/data/TskDataSkinMainMenuBar.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskDataSkinPanelControl.h"
#include "skin/data/TskDataSkinPopupWindow.h"
#include "skin/data/TskDataSkinScrollBarControl.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinHint.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupMenu.h"
#include "skin/form/TskSkinPopupWindow.h"
#include "platform/vcl/TApplication.h"
#include "skin/data/TskCompressedStoredSkin.h"

namespace {

// One skin of the family, packed from its sources in the tree as the build packs it.
std::unique_ptr<TskSkinData> LoadSkin(const std::string& Ini)
{
    auto skin = std::make_unique<TskSkinData>(nullptr);
    auto* stored = new TskCompressedStoredSkin(skin.get());
    stored->BuildFromSkinIni(std::string(OMBRIX_SOURCE_DIR) + "/skins/slate/" + Ini);
    skin->SetCompressedStoredSkin(stored);
    EXPECT_FALSE(skin->SkinEmpty) << Ini;
    return skin;
}

std::unique_ptr<TskSkinData> LoadSlate() { return LoadSkin("slate.ini"); }

const char* const RowSkinFiles[] = {"rows.ini", "labels.ini", "edits.ini"};

TskDataSkinControl* Control(TskSkinData& skin, const std::string& name)
{
    const int i = skin.FindControlIndex(name);
    return i < 0 ? nullptr : skin.ControlDataList[static_cast<std::size_t>(i)].get();
}

TskDataSkinObject* Object(TskSkinData& skin, const std::string& name)
{
    const int i = skin.FindObjectIndex(name);
    return i < 0 ? nullptr : skin.ObjectDataList[static_cast<std::size_t>(i)].get();
}

bool Inside(const TRect& r, const TBitmap& picture)
{
    return r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width() && r.Bottom <= picture.Height() && !r.IsEmpty();
}

int Red(TPixel p) { return (p >> 16) & 0xFF; }
int Green(TPixel p) { return (p >> 8) & 0xFF; }
int Blue(TPixel p) { return p & 0xFF; }
TPixel Px(int color) { return ColorToPixel(color) & 0x00FFFFFF; }

} // namespace

TEST(SlateSources, TheCommittedFilesAreExactlyWhatTheCodeMakes)
{
    const std::string folder = std::string(OMBRIX_SOURCE_DIR) + "/skins/slate/";
    for (const TSkinSourceFile& file : MakeSlateSkinSources()) {
        TMemoryStream committed;
        committed.LoadFromFile(folder + file.Name);
        const std::string bytes(static_cast<const char*>(committed.Memory()), static_cast<std::size_t>(committed.Size()));
        EXPECT_TRUE(bytes == file.Bytes) << file.Name << " differs from what skinslate makes: run skinslate";
    }
}

TEST(SlateSources, MakingThemTwiceGivesTheSameBytes)
{
    const auto first = MakeSlateSkinSources();
    const auto second = MakeSlateSkinSources();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_TRUE(first[i].Bytes == second[i].Bytes) << first[i].Name;
}

// The entries the converter's windows and dialogs ask for, each with the class its control tests for.
TEST(SlateEntries, EveryEntryTheProgramUsesIsThereWithTheRightKind)
{
    auto skin = LoadSlate();
    const std::map<std::string, std::function<bool(TskDataSkinControl*)>> controls = {
        {"button", [](auto* e) { return dynamic_cast<TskDataSkinButtonControl*>(e) != nullptr; }},
        {"toolbutton", [](auto* e) { return dynamic_cast<TskDataSkinButtonControl*>(e) != nullptr; }},
        {"resizebutton", [](auto* e) { return dynamic_cast<TskDataSkinButtonControl*>(e) != nullptr; }},
        {"toolmenubutton", [](auto* e) { return dynamic_cast<TskDataSkinMenuButtonControl*>(e) != nullptr; }},
        {"checkbox", [](auto* e) { return dynamic_cast<TskDataSkinCheckRadioControl*>(e) != nullptr; }},
        {"radiobox", [](auto* e) { return dynamic_cast<TskDataSkinCheckRadioControl*>(e) != nullptr; }},
        {"gauge", [](auto* e) { return dynamic_cast<TskDataSkinGaugeControl*>(e) != nullptr; }},
        {"statusgauge", [](auto* e) { return dynamic_cast<TskDataSkinGaugeControl*>(e) != nullptr; }},
        {"vgauge", [](auto* e) { auto* g = dynamic_cast<TskDataSkinGaugeControl*>(e); return g && g->Vertical; }},
        {"panel", [](auto* e) { return dynamic_cast<TskDataSkinPanelControl*>(e) != nullptr; }},
        {"groupbox", [](auto* e) { return dynamic_cast<TskDataSkinPanelControl*>(e) != nullptr; }},
        {"statusbar", [](auto* e) { return dynamic_cast<TskDataSkinPanelControl*>(e) != nullptr; }},
        {"toolpanel", [](auto* e) { return dynamic_cast<TskDataSkinPanelControl*>(e) != nullptr; }},
        {"scrollbox", [](auto* e) { return dynamic_cast<TskDataSkinScrollBoxControl*>(e) != nullptr; }},
        {"hscrollbar", [](auto* e) { return dynamic_cast<TskDataSkinScrollBarControl*>(e) != nullptr; }},
        {"vscrollbar", [](auto* e) { return dynamic_cast<TskDataSkinScrollBarControl*>(e) != nullptr; }},
        {"bothhscrollbar", [](auto* e) { return dynamic_cast<TskDataSkinScrollBarControl*>(e) != nullptr; }},
        {"slider", [](auto* e) { return dynamic_cast<TskDataSkinSlider*>(e) != nullptr; }},
        {"edit", [](auto* e) { return dynamic_cast<TskDataSkinEditControl*>(e) != nullptr; }},
        {"tooledit", [](auto* e) { return dynamic_cast<TskDataSkinEditControl*>(e) != nullptr; }},
        {"memo", [](auto* e) { return dynamic_cast<TskDataSkinMemoControl*>(e) != nullptr; }},
        {"combobox", [](auto* e) { return dynamic_cast<TskDataSkinComboBox*>(e) != nullptr; }},
        {"listbox", [](auto* e) { return dynamic_cast<TskDataSkinListBox*>(e) != nullptr; }},
        {"stdlabel", [](auto* e) { return dynamic_cast<TskDataSkinStdLabelControl*>(e) != nullptr; }},
        {"hupdown", [](auto* e) { return dynamic_cast<TskDataSkinUpDownControl*>(e) != nullptr; }},
        {"vupdown", [](auto* e) { return dynamic_cast<TskDataSkinUpDownControl*>(e) != nullptr; }},
        {"treeview", [](auto* e) { return dynamic_cast<TskDataSkinTreeView*>(e) != nullptr; }},
        {"listview", [](auto* e) { return dynamic_cast<TskDataSkinListView*>(e) != nullptr; }},
        {"grid", [](auto* e) { return dynamic_cast<TskDataSkinGridControl*>(e) != nullptr; }},
        {"bevel", [](auto* e) { return dynamic_cast<TskDataSkinBevel*>(e) != nullptr; }},
    };
    for (const auto& [name, isRightKind] : controls) {
        TskDataSkinControl* entry = Control(*skin, name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_TRUE(isRightKind(entry)) << name;
    }
    EXPECT_EQ(skin->ControlDataList.size(), controls.size()) << "an entry without a test of its kind";

    ASSERT_NE(dynamic_cast<TskDataSkinCaption*>(Object(*skin, "caption")), nullptr);
    const std::map<std::string, int> commands = {{"closebutton", 0}, {"maxbutton", 1}, {"minbutton", 2}, {"sysmenubutton", 3}};
    for (const auto& [name, command] : commands) {
        auto* button = dynamic_cast<TskDataSkinStdButton*>(Object(*skin, name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(static_cast<int>(button->Command), command) << name;
    }
    EXPECT_NE(dynamic_cast<TskDataSkinMenuItem*>(Object(*skin, "menuitem")), nullptr);
    // The combo box's drop-down list and the list box's bars name entries the skin has.
    auto* combo = dynamic_cast<TskDataSkinComboBox*>(Control(*skin, "combobox"));
    EXPECT_NE(Control(*skin, combo->ListBoxName), nullptr);
    auto* list = dynamic_cast<TskDataSkinListBox*>(Control(*skin, "listbox"));
    for (const std::string& bar : {list->VScrollBarName, list->HScrollBarName, list->BothHScrollBarName})
        EXPECT_NE(Control(*skin, bar), nullptr) << bar;
}

// A rectangle outside its picture would paint nothing (or garbage) where the look should be.
void ExpectEveryPicturePartInsideItsPicture(TskSkinData* skin)
{
    auto picture = [&](int index) -> const TBitmap& {
        EXPECT_GE(index, 0);
        EXPECT_LT(index, static_cast<int>(skin->ActivePictures.size()));
        return *skin->ActivePictures.at(static_cast<std::size_t>(index));
    };
    for (const auto& entry : skin->ControlDataList) {
        if (entry->PictureIndex < 0) continue;
        const TBitmap& pic = picture(entry->PictureIndex);
        if (!entry->SkinRect.IsEmpty()) {
            EXPECT_TRUE(Inside(entry->SkinRect, pic)) << entry->IDName;
        }
        if (auto* b = dynamic_cast<TskDataSkinButtonControl*>(entry.get())) {
            for (const TRect& r : {b->ActiveSkinRect, b->DownSkinRect}) {
                EXPECT_TRUE(Inside(r, pic)) << entry->IDName;
            }
        }
        if (auto* c = dynamic_cast<TskDataSkinCheckRadioControl*>(entry.get())) {
            for (const TRect& r : {c->CheckImageRect, c->UncheckImageRect, c->ActiveCheckImageRect,
                                   c->UnEnabledCheckImageRect, c->UnEnabledUncheckImageRect}) {
                EXPECT_TRUE(Inside(r, pic)) << entry->IDName;
            }
        }
        if (auto* g = dynamic_cast<TskDataSkinGaugeControl*>(entry.get())) {
            EXPECT_TRUE(Inside(g->ProgressRect, pic)) << entry->IDName;
            // The fill is as thick as the area it fills, so that it is never cut or stretched across.
            const int across = g->Vertical ? g->ProgressRect.Width() : g->ProgressRect.Height();
            EXPECT_EQ(across, g->Vertical ? g->ProgressArea.Width() : g->ProgressArea.Height()) << entry->IDName;
        }
        if (auto* s = dynamic_cast<TskDataSkinScrollBarControl*>(entry.get())) {
            for (const TRect& r : {s->ThumbRect, s->ActiveThumbRect, s->DownThumbRect, s->ActiveUpButtonRect,
                                   s->DownUpButtonRect, s->ActiveDownButtonRect, s->DownDownButtonRect, s->GlyphRect}) {
                EXPECT_TRUE(Inside(r, pic)) << entry->IDName;
            }
        }
        if (auto* s = dynamic_cast<TskDataSkinSlider*>(entry.get())) {
            for (const TRect& r : {s->HRulerRect, s->HThumbRect, s->VRulerRect, s->VThumbRect}) {
                EXPECT_TRUE(Inside(r, pic)) << entry->IDName;
            }
        }
    }
    for (const auto& object : skin->ObjectDataList) {
        if (object->ActivePictureIndex < 0) continue;
        const TBitmap& pic = picture(object->ActivePictureIndex);
        EXPECT_TRUE(Inside(object->ActiveSkinRect, pic)) << object->IDName;
        if (auto* b = dynamic_cast<TskDataSkinButton*>(object.get())) {
            EXPECT_TRUE(Inside(b->SkinRect, b->SkinRectInAPicture ? pic : *skin->Picture)) << object->IDName;
            EXPECT_TRUE(Inside(b->DownRect, pic)) << object->IDName;
        }
    }
}

TEST(SlateEntries, EveryPicturePartLiesInsideItsPicture)
{
    auto skin = LoadSlate();
    ExpectEveryPicturePartInsideItsPicture(skin.get());
    EXPECT_GE(skin->PopupWindow->WindowPictureIndex, 0);
    EXPECT_GE(skin->HintWindow->WindowPictureIndex, 0);
    EXPECT_LT(skin->PopupWindow->WindowPictureIndex, static_cast<int>(skin->ActivePictures.size()));
    EXPECT_LT(skin->HintWindow->WindowPictureIndex, static_cast<int>(skin->ActivePictures.size()));
}

// The queue rows' three skins: exactly the entries their controls ask for, each of its kind, with
// pictures that hold every part, and the colours of the family (a missing [SKINCOLORS] gives black).
TEST(SlateRowSkins, EachHoldsWhatItsControlsAskFor)
{
    const std::map<std::string, std::map<std::string, std::function<bool(TskDataSkinControl*)>>> skins = {
        {"rows.ini",
         {{"checkbox", [](auto* e) { return dynamic_cast<TskDataSkinCheckRadioControl*>(e) != nullptr; }},
          {"combobox", [](auto* e) { return dynamic_cast<TskDataSkinComboBox*>(e) != nullptr; }},
          {"listbox", [](auto* e) { return dynamic_cast<TskDataSkinListBox*>(e) != nullptr; }},
          {"hscrollbar", [](auto* e) { return dynamic_cast<TskDataSkinScrollBarControl*>(e) != nullptr; }},
          {"vscrollbar", [](auto* e) { return dynamic_cast<TskDataSkinScrollBarControl*>(e) != nullptr; }},
          {"bothhscrollbar", [](auto* e) { return dynamic_cast<TskDataSkinScrollBarControl*>(e) != nullptr; }},
          {"gauge", [](auto* e) { return dynamic_cast<TskDataSkinGaugeControl*>(e) != nullptr; }},
          {"slider", [](auto* e) { return dynamic_cast<TskDataSkinSlider*>(e) != nullptr; }}}},
        {"labels.ini", {{"toolbutton", [](auto* e) { return dynamic_cast<TskDataSkinButtonControl*>(e) != nullptr; }}}},
        {"edits.ini", {{"edit", [](auto* e) { return dynamic_cast<TskDataSkinEditControl*>(e) != nullptr; }}}},
    };
    ASSERT_EQ(skins.size(), std::size(RowSkinFiles));
    for (const auto& [ini, controls] : skins) {
        SCOPED_TRACE(ini);
        auto skin = LoadSkin(ini);
        for (const auto& [name, isRightKind] : controls) {
            TskDataSkinControl* entry = Control(*skin, name);
            ASSERT_NE(entry, nullptr) << name;
            EXPECT_TRUE(isRightKind(entry)) << name;
        }
        EXPECT_EQ(skin->ControlDataList.size(), controls.size());
        EXPECT_TRUE(skin->ObjectDataList.empty());
        EXPECT_EQ(skin->ActivePictures.size(), 1u);
        ExpectEveryPicturePartInsideItsPicture(skin.get());
        EXPECT_EQ(skin->SkinColors->cBtnFace, TColor(SlateColors::Face));
        EXPECT_EQ(skin->SkinColors->cWindow, TColor(SlateColors::Field));
    }
    // The rows' track boxes drop their lists down with the list box of their own skin.
    auto rows = LoadSkin("rows.ini");
    auto* combo = dynamic_cast<TskDataSkinComboBox*>(Control(*rows, "combobox"));
    EXPECT_NE(Control(*rows, combo->ListBoxName), nullptr);
}

TEST(SlateEntries, TheFrameFitsItsPictureAndItsButtonsFitTheButtonArea)
{
    auto skin = LoadSlate();
    const TRect whole{0, 0, skin->Picture->Width(), skin->Picture->Height()};
    EXPECT_EQ(skin->Mask->Width(), whole.Width());
    EXPECT_EQ(skin->Mask->Height(), whole.Height());
    TRect inside;
    ASSERT_TRUE(IntersectRect(inside, skin->ClientRect, whole));
    EXPECT_EQ(inside, skin->ClientRect);
    // Close, maximize and minimize side by side with the skin's gap fill the buttons area from the right.
    int width = 0;
    for (const char* name : {"closebutton", "maxbutton", "minbutton"})
        width += Object(*skin, name)->SkinRect.Width() + skin->ButtonsOffset;
    EXPECT_LE(width, skin->ButtonsRect.Width() + skin->ButtonsOffset);
    EXPECT_EQ(Object(*skin, "closebutton")->SkinRect.Height(), skin->ButtonsRect.Height());
}

namespace {

// The Slate skin's controls on a headless form in the window colour of the skin.
struct SlateLook : ::testing::Test {
    THeadlessDriver Driver;
    std::unique_ptr<TskSkinData> Skin = LoadSlate();
    TForm* Form = nullptr;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 360, 200);
        Form->SetColor(SlateColors::Face);
    }
    void TearDown() override { Form->Free(); }
    template <class T> T* Make(TRect bounds)
    {
        auto* c = new T(Form);
        c->SetParent(Form);
        c->SetSkinData(Skin.get());
        c->SetBoundsRect(bounds);
        return c;
    }
    void ShowForm()
    {
        Form->Show();
        Driver.ProcessMessages();
    }
    TPixel At(int x, int y) { return Driver.PixelAt(Form->Handle(), x, y) & 0x00FFFFFF; }
    int Count(const TRect& r, int color)
    {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += At(x, y) == Px(color) ? 1 : 0;
        return n;
    }
};

// Between the two ends of a vertical gradient, channel by channel.
void ExpectBetween(TPixel p, int a, int b, const char* what)
{
    const TPixel pa = Px(a), pb = Px(b);
    for (auto channel : {Red, Green, Blue}) {
        EXPECT_GE(channel(p), std::min(channel(pa), channel(pb))) << what;
        EXPECT_LE(channel(p), std::max(channel(pa), channel(pb))) << what;
    }
}

} // namespace

TEST_F(SlateLook, ControlsShowTheSkinColoursWhereTheyBelong)
{
    auto* button = Make<TskSkinButton>(TRect{10, 10, 110, 36});
    button->SetCaption("Start");
    auto* gauge = Make<TskSkinGauge>(TRect{10, 50, 210, 68});
    gauge->SetValue(50);
    Make<TskSkinPanel>(TRect{230, 10, 350, 90});
    auto* check = Make<TskSkinCheckRadioBox>(TRect{10, 80, 150, 100});
    check->SetCaption("Subtitles");
    check->SetChecked(true);
    auto* slider = Make<TskSkinSlider>(TRect{10, 110, 210, 150});
    slider->SetMaxValue(10);
    slider->SetValue(3);
    auto* bar = Make<TskSkinScrollBar>(TRect{10, 170, 210, 186});
    bar->SetMax(100);
    ShowForm();
    Driver.SaveWindow(Form->Handle(), "SlateSkin_Controls", OMBRIX_TEST_PICTURES);

    // Button: the slate gradient face inside a dark outline, left of its caption.
    ExpectBetween(At(16, 23), SlateColors::ButtonTop, SlateColors::ButtonBottom, "button face");
    // Its outline is dark, or blue while it has the focus.
    EXPECT_TRUE(At(10, 23) == Px(SlateColors::Border) || At(10, 23) == Px(SlateColors::Accent)) << At(10, 23);
    // Gauge: blue fill up to the middle, the dark track after it.
    const TPixel fill = At(60, 59);
    EXPECT_GT(Blue(fill), Red(fill) + 60);
    EXPECT_EQ(At(190, 59), Px(SlateColors::Field));
    EXPECT_EQ(At(109, 59) == At(111, 59), false) << "the fill should end at the middle";
    // Panel: the panel colour inside its outline.
    EXPECT_EQ(At(290, 50), Px(SlateColors::Face));
    // Check box: a checked box is blue behind its white tick, on the panel colour.
    EXPECT_EQ(At(10 + 5, 80 + 5), Px(SlateColors::Accent));
    EXPECT_EQ(At(148, 82), Px(SlateColors::Face));
    EXPECT_GT(Count(TRect{13, 83, 27, 97}, 0xFFFFFF), 5) << "the tick";
    // Slider: the skin's background and the blue line of its groove.
    EXPECT_EQ(At(11, 111), Px(SlateColors::Face));
    EXPECT_GT(Count(TRect{10, 110, 210, 150}, SlateColors::AccentDark), 50);
    // Scroll bar: arrow buttons at the ends, the dark track between them.
    ExpectBetween(At(12, 178), SlateColors::ButtonTop, SlateColors::ButtonBottom, "scroll bar button");
    EXPECT_EQ(At(180, 177), Px(SlateColors::Field));
}

TEST_F(SlateLook, DisabledButtonAndEmptyGaugeKeepTheDarkLook)
{
    auto* button = Make<TskSkinButton>(TRect{10, 10, 110, 36});
    button->SetCaption("Skip");
    button->SetEnabled(false);
    auto* gauge = Make<TskSkinGauge>(TRect{10, 50, 210, 68});
    gauge->SetValue(0);
    ShowForm();
    Driver.SaveWindow(Form->Handle(), "SlateSkin_Disabled", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(At(16, 23), Px(SlateColors::Rgb(48, 53, 62)));
    EXPECT_EQ(Count(TRect{12, 52, 208, 66}, SlateColors::Field), 196 * 14);
}

TEST_F(SlateLook, TheQueueAndDialogControlsTakeTheirOwnEntries)
{
    Form->SetBounds(0, 0, 360, 170);
    auto* status = Make<TskSkinGauge>(TRect{10, 10, 330, 32});
    status->SetSkinDataName("statusgauge");
    status->SetValue(40);
    status->SetProgressText("Converting");
    status->SetShowProgressText(true);
    auto* skip = Make<TskSkinSpeedButton>(TRect{10, 40, 110, 66});
    skip->SetSkinDataName("toolbutton");
    skip->SetCaption("Skip");
    auto* radio = Make<TskSkinCheckRadioBox>(TRect{120, 42, 250, 62});
    radio->SetSkinDataName("radiobox");
    radio->SetCaption("Audio 2");
    radio->SetChecked(true);
    auto* edit = Make<TskSkinEdit>(TRect{10, 76, 150, 98});
    edit->SetText("movie.avi");
    auto* list = Make<TskSkinListBox>(TRect{160, 76, 330, 160});
    for (const char* item : {"iPhone / iPod Touch", "Zune 4/8/80", "Windows Mobile"}) list->Items()->Add(item);
    list->SetItemIndex(1);
    auto* vbar = Make<TskSkinScrollBar>(TRect{340, 10, 356, 160});
    vbar->SetKind(sbVertical);
    vbar->SetSkinDataName("vscrollbar");
    vbar->SetMax(100);
    ShowForm();
    Driver.SaveWindow(Form->Handle(), "SlateSkin_Gallery", OMBRIX_TEST_PICTURES);

    // Status line: blue fill at its start, light text over it, the dark track at its end.
    EXPECT_GT(Blue(At(20, 21)), Red(At(20, 21)) + 60);
    EXPECT_EQ(At(320, 21), Px(SlateColors::Field));
    int light = 0;
    for (int y = 12; y < 30; ++y)
        for (int x = 12; x < 328; ++x) light += Red(At(x, y)) > 180 && Green(At(x, y)) > 180 ? 1 : 0;
    EXPECT_GT(light, 20) << "the status text";
    // Speed button at rest: between the panel colour and the button face.
    ExpectBetween(At(14, 53), SlateColors::Face, SlateColors::ButtonTop, "speed button");
    // Radio box: the blue dot of the chosen option.
    EXPECT_GT(Count(TRect{120, 42, 140, 62}, SlateColors::Accent), 4);
    // Edit: the dark field right of its text.
    EXPECT_EQ(At(140, 87), Px(SlateColors::Field));
    // List box (the edit has the focus): the chosen item is dark blue, the others lie on the dark field.
    EXPECT_GT(Count(TRect{162, 78, 328, 158}, SlateColors::Rgb(40, 58, 84)), 100);
    EXPECT_EQ(At(320, 150), Px(SlateColors::Field));
    // Vertical bar: a button at the top, the track below it.
    ExpectBetween(At(342, 14), SlateColors::ButtonTop, SlateColors::ButtonBottom, "scroll bar button");
    EXPECT_EQ(At(348, 100), Px(SlateColors::Field));
}

TEST_F(SlateLook, ScrollBarsLongerThanTheirPicturesStepForwardAtTheFarEndAndBackAtTheNearEnd)
{
    auto* vbar = Make<TskSkinScrollBar>(TRect{10, 10, 26, 170});
    vbar->SetKind(sbVertical);
    vbar->SetSkinDataName("vscrollbar");
    auto* hbar = Make<TskSkinScrollBar>(TRect{40, 10, 260, 26});
    const struct {
        TskSkinScrollBar* Bar;
        TPoint Far, Near;   // the middles of the arrow buttons at the bottom or right, and at the top or left
    } cases[] = {{vbar, {18, 170 - 8}, {18, 18}}, {hbar, {260 - 8, 18}, {48, 18}}};
    for (const auto& c : cases) c.Bar->SetMax(100);
    ShowForm();
    for (const auto& c : cases) {
        Driver.Click(c.Far);
        EXPECT_EQ(c.Bar->Position(), 1) << (c.Bar == vbar ? "vertical" : "horizontal");
        Driver.Click(c.Near);
        EXPECT_EQ(c.Bar->Position(), 0) << (c.Bar == vbar ? "vertical" : "horizontal");
    }
}

TEST(SlateFrame, AFramedWindowShowsTheCaptionBandItsButtonsAndTheDarkClient)
{
    THeadlessDriver driver;
    RegisterSkinFrameClasses();
    auto skin = LoadSlate();
    TForm* form = new TForm(nullptr);
    form->SetCaption("Ombrix Free");
    form->SetBounds(40, 40, 420, 260);
    form->SetColor(SlateColors::Face);
    auto* frame = new TskFormFrame(form);
    frame->SetSkinData(skin.get());
    form->Show();
    driver.ProcessMessages();
    driver.SaveWindow(form->Handle(), "SlateSkin_Frame", OMBRIX_TEST_PICTURES);
    auto at = [&](int x, int y) { return driver.PixelAt(form->Handle(), x, y) & 0x00FFFFFF; };

    // The caption band keeps its height and runs the whole width; a blue rule closes it.
    ExpectBetween(at(210, 12), SlateColors::CaptionTop, SlateColors::CaptionBottom, "caption band");
    EXPECT_EQ(at(210, 26), Px(SlateColors::AccentDark));
    EXPECT_EQ(at(400, 26), Px(SlateColors::AccentDark));
    // The client area is the window colour of the skin, the borders darker.
    EXPECT_EQ(at(210, 150), Px(SlateColors::Face));
    EXPECT_EQ(at(1, 150), Px(SlateColors::FrameBorder));
    EXPECT_EQ(at(210, 257), Px(SlateColors::FrameBorder));
    // The close button stands at the right end of the caption: its light cross is there.
    int light = 0;
    for (int y = 5; y < 23; ++y)
        for (int x = 420 - 24; x < 420 - 6; ++x) light += Red(at(x, y)) > 140 ? 1 : 0;
    EXPECT_GT(light, 10) << "the close button's cross";
    form->Free();
    driver.ProcessMessages();
}

TEST(SlateFrame, RolledUpOrMinimizedToACaptionBar_TheCaptionBandStillShows)
{
    THeadlessDriver driver;
    RegisterSkinFrameClasses();
    auto skin = LoadSlate();
    TForm* form = new TForm(nullptr);
    form->SetCaption("Preview");
    form->SetBounds(40, 40, 320, 240);
    auto* frame = new TskFormFrame(form);
    frame->SetSkinData(skin.get());
    form->Show();
    driver.FocusIn(form->Handle());
    driver.ProcessMessages();
    auto at = [&](int x, int y) { return driver.PixelAt(form->Handle(), x, y) & 0x00FFFFFF; };
    frame->RollUpFrame(true);
    driver.ProcessMessages();
    driver.SaveWindow(form->Handle(), "SlateSkin_RolledUp", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(form->Height(), frame->GetMinHeight());
    ExpectBetween(at(160, 12), SlateColors::CaptionTop, SlateColors::CaptionBottom, "rolled-up caption band");
    frame->RollUpFrame(false);
    frame->SetFrameWindowState(FrameStateMinimized);
    driver.ProcessMessages();
    driver.SaveWindow(form->Handle(), "SlateSkin_CaptionBar", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(form->Width(), frame->GetMinWidth());
    // The band's blue rule runs under the caption text and the buttons.
    EXPECT_EQ(at(form->Width() / 2, 26), Px(SlateColors::AccentDark));
    ExpectBetween(at(4, 12), SlateColors::CaptionTop, SlateColors::CaptionBottom, "caption bar");
    form->Free();
    driver.ProcessMessages();
}

TEST(SlateFrame, PopupMenusTakeTheSkinsWindowAndItems)
{
    THeadlessDriver driver;
    RegisterSkinFrameClasses();
    auto skin = LoadSlate();
    TForm* form = nullptr;
    Application->CreateForm(form);
    form->SetBounds(0, 0, 400, 300);
    auto* frame = new TskFormFrame(form);
    frame->SetSkinData(skin.get());
    auto* menu = new TskSkinPopupMenu(form);
    for (const char* caption : {"Select all", "-", "Remove"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    form->Show();
    driver.MoveTo(Point(390, 290));
    driver.ProcessMessages();

    menu->Popup(60, 60);
    driver.ProcessMessages();
    ASSERT_TRUE(frame->SkinMenu()->Active());
    TskSkinPopupWindow* window = frame->SkinMenu()->Windows(0);
    const TRect first = window->Items(0)->ObjectRect;
    driver.MoveTo(Point(window->WindowPos().X + first.Left + 10, window->WindowPos().Y + (first.Top + first.Bottom) / 2));
    driver.ProcessMessages();
    driver.SaveWindow(window->Handle(), "SlateSkin_Menu", OMBRIX_TEST_PICTURES);
    auto at = [&](HWND h, int x, int y) { return driver.PixelAt(h, x, y) & 0x00FFFFFF; };
    // The menu window: the light outline, the blue rule inside it, the dark field; the item under the
    // pointer is blue.
    EXPECT_EQ(at(window->Handle(), 10, 0), Px(SlateColors::Rgb(62, 70, 84)));
    EXPECT_EQ(at(window->Handle(), 1, 10), Px(SlateColors::AccentDark));
    const TRect last = window->Items(2)->ObjectRect;
    EXPECT_EQ(at(window->Handle(), last.Right - 4, (last.Top + last.Bottom) / 2), Px(SlateColors::Rgb(30, 34, 41)));
    const TPixel hot = at(window->Handle(), first.Right - 6, (first.Top + first.Bottom) / 2);
    EXPECT_GT(Blue(hot), Red(hot) + 60) << "the item under the pointer";
    frame->SkinMenu()->HideAll();
    driver.ProcessMessages();

    form->Free();
    ApplicationHints().SetShowHint(false);
    ApplicationHints().SetShowHint(true);
    driver.ProcessMessages();
}
