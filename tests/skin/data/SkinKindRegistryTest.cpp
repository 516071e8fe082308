#include "skin/data/SkinKindRegistry.h"

#include <gtest/gtest.h>

#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskDataSkinObject.h"

namespace {

TEST(SkinKindRegistry, WordThatIsNoKind_CreatesNothing)
{
    EXPECT_EQ(CreateSkinControlEntry("nosuchkind", "x"), nullptr);
    EXPECT_EQ(CreateSkinControlEntry("Button", "x"), nullptr); // kind words are compared exactly
    EXPECT_EQ(CreateSkinControlEntry("", ""), nullptr);
    EXPECT_EQ(CreateSkinObjectEntry("y:z", "x"), nullptr);
    EXPECT_FALSE(RegisterSkinControlKind("nosuchkind", [](const std::string& n) {
        return std::make_unique<TskDataSkinControl>(n);
    }));
}

TEST(SkinKindRegistry, EveryKindWord_CreatesAnEntryNamedAsAsked)
{
    EXPECT_EQ(SkinControlKinds().size(), 33u);
    EXPECT_EQ(SkinObjectKinds().size(), 16u);
    for (const auto& kind : SkinControlKinds()) {
        auto entry = CreateSkinControlEntry(kind, "e_" + kind);
        ASSERT_NE(entry, nullptr) << kind;
        EXPECT_EQ(entry->IDName, "e_" + kind);
    }
    for (const auto& kind : SkinObjectKinds()) {
        auto entry = CreateSkinObjectEntry(kind, "o_" + kind);
        ASSERT_NE(entry, nullptr) << kind;
        EXPECT_EQ(entry->IDName, "o_" + kind);
    }
}

} // namespace
