#pragma once
// A skin of a test's own, built the way a skin author builds one: BMP pictures and an ini written to a
// folder, packed by the skin builder and loaded into a TskSkinData. The pictures are plain colour blocks
// at named rectangles, so that a test can tell from one pixel which piece was drawn where; the ini is
// made of its sections, with the lists of skin objects and controls counted and numbered here.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Colors.h"
#include "platform/rtl/Types.h"

class TskSkinData;

// A rectangle of a test picture painted in one colour.
struct TTestBlock {
    TRect Area;
    TColor Colour;
};

class TTestSkinBuilder {
public:
    explicit TTestSkinBuilder(const std::string& SkinName);

    // A picture file of Width x Height in Background with Blocks painted over it in order (a later block
    // covers an earlier one). Listed, it is the next of the skin's numbered pictures (the first is 0);
    // otherwise only a [PICTURES] key the test gives names it (the frame's own pictures).
    TTestSkinBuilder& Picture(const std::string& FileName, int Width, int Height, TColor Background,
        const std::vector<TTestBlock>& Blocks, bool Listed = true);
    // More blocks painted over a picture already given.
    TTestSkinBuilder& Paint(const std::string& FileName, const std::vector<TTestBlock>& Blocks);
    // Lines added to a section ("PICTURES", "FORMINFO", "SKINCOLORS" or any other), after those it has.
    TTestSkinBuilder& Keys(const std::string& Section, const std::string& Lines);
    // A skin object or a control entry: numbered in its list in the order given, and its section.
    TTestSkinBuilder& Object(const std::string& Name, const std::string& Kind, const std::string& Lines);
    TTestSkinBuilder& Control(const std::string& Name, const std::string& Kind, const std::string& Lines);

    // The skin's ini text as the builder writes it.
    std::string IniText() const;
    // Writes the pictures and the ini into Folder, packs them and loads the result into Skin (which drops
    // what it held).
    void LoadInto(TskSkinData& Skin, const std::string& Folder) const;
    std::unique_ptr<TskSkinData> Load(const std::string& Folder) const;

private:
    struct TPicture {
        std::string FileName;
        int Width;
        int Height;
        TColor Background;
        std::vector<TTestBlock> Blocks;
    };
    struct TEntry {
        std::string Name;
        std::string Kind;
    };
    std::string& Section(const std::string& Name);
    static std::string List(const std::vector<TEntry>& Entries);

    std::vector<TPicture> FPictures;
    std::vector<std::string> FListed;
    std::vector<TEntry> FObjects;
    std::vector<TEntry> FControls;
    // The sections in the order first named; the fixed ones are written first whatever the order.
    std::vector<std::string> FSectionOrder;
    std::map<std::string, std::string> FSections;
};
