#include "tests/support/TTestSkinBuilder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "platform/vcl/TBitmap.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskSkinData.h"

namespace {

// The sections every skin has, in the order a skin author writes them; the lists are counted here.
const char* const kFixedSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINCOLORS"};

} // namespace

TTestSkinBuilder::TTestSkinBuilder(const std::string& SkinName)
{
    for (const char* name : kFixedSections) Section(name);
    Keys("VERSION", "skinname=" + SkinName + "\n");
}

std::string& TTestSkinBuilder::Section(const std::string& Name)
{
    if (FSections.find(Name) == FSections.end()) FSectionOrder.push_back(Name);
    return FSections[Name];
}

TTestSkinBuilder& TTestSkinBuilder::Picture(const std::string& FileName, int Width, int Height, TColor Background,
    const std::vector<TTestBlock>& Blocks, bool Listed)
{
    FPictures.push_back({FileName, Width, Height, Background, Blocks});
    if (Listed) FListed.push_back(FileName);
    return *this;
}

TTestSkinBuilder& TTestSkinBuilder::Paint(const std::string& FileName, const std::vector<TTestBlock>& Blocks)
{
    const auto picture = std::find_if(FPictures.begin(), FPictures.end(), [&](const TPicture& p) { return p.FileName == FileName; });
    // A test naming a picture it never gave is a mistake in the test, not a skin to build.
    if (picture == FPictures.end()) throw std::logic_error("no test picture " + FileName);
    picture->Blocks.insert(picture->Blocks.end(), Blocks.begin(), Blocks.end());
    return *this;
}

TTestSkinBuilder& TTestSkinBuilder::Keys(const std::string& SectionName, const std::string& Lines)
{
    Section(SectionName) += Lines;
    return *this;
}

TTestSkinBuilder& TTestSkinBuilder::Object(const std::string& Name, const std::string& Kind, const std::string& Lines)
{
    FObjects.push_back({Name, Kind});
    return Keys(Name, Lines);
}

TTestSkinBuilder& TTestSkinBuilder::Control(const std::string& Name, const std::string& Kind, const std::string& Lines)
{
    FControls.push_back({Name, Kind});
    return Keys(Name, Lines);
}

std::string TTestSkinBuilder::List(const std::vector<TEntry>& Entries)
{
    std::string text = "count=" + std::to_string(Entries.size()) + "\n";
    for (size_t i = 0; i < Entries.size(); ++i) text += std::to_string(i) + "=" + Entries[i].Name + ":" + Entries[i].Kind + "\n";
    return text;
}

std::string TTestSkinBuilder::IniText() const
{
    std::string pictures = "activepicturescount=" + std::to_string(FListed.size()) + "\n";
    for (size_t i = 0; i < FListed.size(); ++i) pictures += std::to_string(i) + "=" + FListed[i] + "\n";
    std::string text;
    for (const char* name : kFixedSections) {
        text += "[" + std::string(name) + "]\n" + FSections.at(name);
        if (std::string(name) == "PICTURES") text += pictures;
    }
    text += "[SKINOBJECTS]\n" + List(FObjects) + "[SKINCONTROLS]\n" + List(FControls);
    for (const std::string& name : FSectionOrder)
        if (std::none_of(std::begin(kFixedSections), std::end(kFixedSections), [&](const char* f) { return name == f; }))
            text += "[" + name + "]\n" + FSections.at(name);
    return text;
}

void TTestSkinBuilder::LoadInto(TskSkinData& Skin, const std::string& Folder) const
{
    for (const TPicture& p : FPictures) {
        TBitmap bitmap(p.Width, p.Height);
        TCanvas* canvas = bitmap.Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(p.Background);
        canvas->FillRect(Rect(0, 0, p.Width, p.Height));
        for (const TTestBlock& block : p.Blocks) {
            canvas->Brush()->SetColor(block.Colour);
            canvas->FillRect(block.Area);
        }
        bitmap.SaveToFile(Folder + "/" + p.FileName);
    }
    const std::string ini = Folder + "/skin.ini";
    std::ofstream(ini) << IniText();
    TskCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinIni(ini);
    Skin.LoadStoredSkin(&stored);
}

std::unique_ptr<TskSkinData> TTestSkinBuilder::Load(const std::string& Folder) const
{
    auto skin = std::make_unique<TskSkinData>(nullptr);
    LoadInto(*skin, Folder);
    return skin;
}
