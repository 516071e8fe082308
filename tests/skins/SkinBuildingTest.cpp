// The skin sources pack the same every time, from the files in the tree or from the generator's output
// written anywhere else, and small enough to be carried in a form description.
#include "skins/SlateSkin.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/TStream.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "tests/support/TScratchFolder.h"

namespace {

const char* const SkinFiles[] = {"slate.ini", "rows.ini", "labels.ini", "edits.ini"};

std::string Packed(const std::string& Ini)
{
    TskCompressedStoredSkin skin(nullptr);
    skin.BuildFromSkinIni(Ini);
    TMemoryStream& data = skin.StoredData();
    return std::string(static_cast<const char*>(data.Memory()), static_cast<std::size_t>(data.Size()));
}

std::string TreeIni(const std::string& Name) { return std::string(OMBRIX_SOURCE_DIR) + "/skins/slate/" + Name; }

} // namespace

TEST(SkinBuilding, EachSkinBuildsToTheSameBytesEveryTime_AndSmallEnoughForAForm)
{
    for (const char* name : SkinFiles) {
        const std::string first = Packed(TreeIni(name));
        ASSERT_FALSE(first.empty()) << name;
        EXPECT_TRUE(first == Packed(TreeIni(name))) << name;
        // Twice that as text in the form description the program carries.
        EXPECT_LT(first.size(), 64u * 1024u) << name;
    }
}

TEST(SkinBuilding, SourcesWrittenAgainElsewherePackToTheSameBytes)
{
    TScratchFolder folder;
    WriteSlateSkinSources(folder / "slate copy");
    for (const char* name : SkinFiles)
        EXPECT_TRUE(Packed(folder.Path() + "/slate copy/" + name) == Packed(TreeIni(name))) << name;
}
