#include "skins/BuiltInSkins.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/rtl/TStream.h"
#include "platform/vcl/TBitmap.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskSkinData.h"
#include "skins/SlateSkin.h"

namespace {

std::string StoredBytes(const TskCompressedStoredSkin& skin)
{
    TMemoryStream& data = skin.StoredData();
    return std::string(static_cast<const char*>(data.Memory()), static_cast<std::size_t>(data.Size()));
}

std::string SkinFileBytes(const TskCompressedStoredSkin& skin)
{
    TMemoryStream file;
    skin.WriteSkinFileStream(file);
    return std::string(static_cast<const char*>(file.Memory()), static_cast<std::size_t>(file.Size()));
}

std::string ReadFile(const std::string& path)
{
    TMemoryStream file;
    file.LoadFromFile(path);
    return std::string(static_cast<const char*>(file.Memory()), static_cast<std::size_t>(file.Size()));
}

std::string SourceIni() { return std::string(OMBRIX_SOURCE_DIR) + "/skins/slate/slate.ini"; }

// A folder of its own for a test, removed afterwards.
struct TTempFolder {
    std::string Dir;
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "skins-XXXXXX").string();
        Dir = ::mkdtemp(pattern.data());
    }
    ~TTempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
};

} // namespace

TEST(BuiltInSkinLookup, TheSlateSkinIsFoundByNameWithoutCase)
{
    ASSERT_NE(FindBuiltInSkin("OmbrixSlate"), nullptr);
    EXPECT_EQ(FindBuiltInSkin("ombrixslate"), FindBuiltInSkin("OmbrixSlate"));
    const std::vector<std::string> names = BuiltInSkinNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "OmbrixSlate");
}

TEST(BuiltInSkinLookup, UnknownName_NoSkinAndTheStoredSkinIsLeftEmpty)
{
    EXPECT_EQ(FindBuiltInSkin("NoSuchSkin"), nullptr);
    EXPECT_EQ(FindBuiltInSkin(""), nullptr);
    TskCompressedStoredSkin stored(nullptr);
    ASSERT_TRUE(LoadBuiltInSkin(stored));
    EXPECT_FALSE(LoadBuiltInSkin(stored, "NoSuchSkin"));
    EXPECT_TRUE(stored.IsStoredSkinEmpty());
}

TEST(BuiltInSkinLookup, RegisteringANameAgainReplacesItsBytes)
{
    RegisterBuiltInSkin("TestOnlySkin", "first");
    RegisterBuiltInSkin("testonlyskin", "second");
    ASSERT_NE(FindBuiltInSkin("TestOnlySkin"), nullptr);
    EXPECT_EQ(*FindBuiltInSkin("TestOnlySkin"), "second");
    // Bytes that are no skin file leave the stored skin empty instead of half filled.
    TskCompressedStoredSkin stored(nullptr);
    EXPECT_FALSE(LoadBuiltInSkin(stored, "TestOnlySkin"));
    EXPECT_TRUE(stored.IsStoredSkinEmpty());
}

TEST(BuiltInSkinLoading, TheSkinDataComponentLoadsTheSlateSkinWhole)
{
    TskSkinData skin(nullptr);
    ASSERT_TRUE(LoadBuiltInSkin(skin));
    EXPECT_FALSE(skin.SkinEmpty);
    EXPECT_FALSE(skin.SkinLoading);
    EXPECT_EQ(skin.SkinName, "Ombrix Slate");
    EXPECT_EQ(skin.ActivePictures.size(), 4u);
    EXPECT_EQ(skin.Picture->Width(), 240);
    EXPECT_EQ(skin.Picture->Height(), 150);
    EXPECT_EQ(skin.MaskName, "framemask.bmp");
    EXPECT_FALSE(skin.ClientRect.IsEmpty());
    // The component made its own stored skin and owns it.
    ASSERT_NE(skin.CompressedStoredSkin(), nullptr);
    EXPECT_EQ(skin.CompressedStoredSkin()->Owner(), &skin);
}

TEST(BuiltInSkinLoading, LoadingAgainReusesTheStoredSkinAndLoadsTheSameEntries)
{
    TskSkinData skin(nullptr);
    ASSERT_TRUE(LoadBuiltInSkin(skin));
    TskCompressedStoredSkin* stored = skin.CompressedStoredSkin();
    const std::size_t controls = skin.ControlDataList.size();
    ASSERT_TRUE(LoadBuiltInSkin(skin, "ombrixslate"));
    EXPECT_EQ(skin.CompressedStoredSkin(), stored);
    EXPECT_EQ(skin.ControlDataList.size(), controls);
}

TEST(BuiltInSkinLoading, UnknownName_TheComponentKeepsItsSkin)
{
    TskSkinData skin(nullptr);
    ASSERT_TRUE(LoadBuiltInSkin(skin));
    EXPECT_FALSE(LoadBuiltInSkin(skin, "NoSuchSkin"));
    EXPECT_FALSE(skin.SkinEmpty);
    EXPECT_EQ(skin.SkinName, "Ombrix Slate");
}

TEST(BuiltInSkinBuilding, PackingTheSameSourcesTwiceGivesTheSameBytes)
{
    TskCompressedStoredSkin first(nullptr);
    TskCompressedStoredSkin second(nullptr);
    first.BuildFromSkinIni(SourceIni());
    second.BuildFromSkinIni(SourceIni());
    ASSERT_FALSE(first.IsStoredSkinEmpty());
    EXPECT_EQ(StoredBytes(first), StoredBytes(second));
}

TEST(BuiltInSkinBuilding, TheEmbeddedSkinIsThePackOfTheSourcesInTheTree)
{
    TskCompressedStoredSkin fresh(nullptr);
    fresh.BuildFromSkinIni(SourceIni());
    const std::string* embedded = FindBuiltInSkin("OmbrixSlate");
    ASSERT_NE(embedded, nullptr);
    EXPECT_EQ(*embedded, SkinFileBytes(fresh)) << "the build did not pack the skin sources of the tree";
    EXPECT_EQ(ReadFile(std::string(OMBRIX_BINARY_DIR) + "/skins/OmbrixSlate.skn"), *embedded);
    // Modest enough to be carried inside the program.
    EXPECT_LT(embedded->size(), 64u * 1024u);
}

TEST(BuiltInSkinBuilding, SourcesWrittenAgainPackToTheSameBytes)
{
    TTempFolder folder;
    const std::string ini = WriteSlateSkinSources(folder.Dir + "/slate copy");
    TskCompressedStoredSkin copy(nullptr);
    TskCompressedStoredSkin tree(nullptr);
    copy.BuildFromSkinIni(ini);
    tree.BuildFromSkinIni(SourceIni());
    EXPECT_EQ(StoredBytes(copy), StoredBytes(tree));
}
