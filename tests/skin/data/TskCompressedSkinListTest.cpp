#include "skin/data/TskCompressedSkinList.h"

#include <gtest/gtest.h>

#include "PackedSkinTestSupport.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"
#include "skin/data/TskCompressedStoredSkin.h"

namespace {

std::string Bytes(TMemoryStream& s)
{
    return std::string(static_cast<const char*>(s.Memory()), static_cast<std::size_t>(s.Size()));
}

TEST(TskCompressedSkinList, ItemsAreNamedByTheirIndex)
{
    TskCompressedSkinList list(nullptr);
    for (int i = 0; i < 3; ++i)
        list.Skins()->Add();
    EXPECT_EQ(list.Skins()->Items(0)->Name(), "skSkin0");
    EXPECT_EQ(list.Skins()->Items(1)->Name(), "skSkin1");
    EXPECT_EQ(list.Skins()->Items(2)->DisplayName(), "skSkin2");
    EXPECT_TRUE(list.Skins()->Items(2)->StoredSkin()->IsStoredSkinEmpty());
}

TEST(TskCompressedSkinList, FileNamesOutsideDesignMode_AreOnlyStored)
{
    TskCompressedSkinList list(nullptr);
    auto* item = list.Skins()->Add();
    item->SetFileName("/no/such/skin.ini");
    item->SetCompressedFileName("C:\\skins\\x.skn");
    EXPECT_EQ(item->FileName(), "/no/such/skin.ini");
    EXPECT_EQ(item->CompressedFileName(), "C:\\skins\\x.skn");
    EXPECT_TRUE(item->StoredSkin()->IsStoredSkinEmpty());
}

TEST(TskCompressedSkinList, SetSkins_CopiesItemsAndTheirStoredSkins)
{
    TskCompressedSkinList a(nullptr), b(nullptr);
    auto* item = a.Skins()->Add();
    item->SetDescription("first");
    SetStoredBytes(*item->StoredSkin(), "zlib bytes");
    b.SetSkins(a.Skins());
    ASSERT_EQ(b.Skins()->Count(), 1);
    EXPECT_EQ(b.Skins()->Items(0)->Description(), "first");
    EXPECT_EQ(Bytes(b.Skins()->Items(0)->StoredSkin()->StoredData()), "zlib bytes");
}

TEST(TskCompressedSkinList, SkinPropertyInAFormDescription_ReadsTheSkinFileForm)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    // int32 2, int32 3, "abc"; the second item's header version 4 leaves its stored skin empty.
    ReadComponentFromText(&form, "object F: TForm\n"
                                 "  object List: TskCompressedSkinList\n"
                                 "    Skins = <\n"
                                 "      item\n"
                                 "        Description = 'one'\n"
                                 "        Skin = {0200000003000000616263}\n"
                                 "      end\n"
                                 "      item\n"
                                 "        Skin = {0400000003000000616263}\n"
                                 "      end>\n"
                                 "  end\n"
                                 "end\n");
    auto* list = dynamic_cast<TskCompressedSkinList*>(form.FindComponent("List"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Skins()->Count(), 2);
    EXPECT_EQ(list->Skins()->Items(0)->Description(), "one");
    EXPECT_EQ(Bytes(list->Skins()->Items(0)->StoredSkin()->StoredData()), "abc");
    EXPECT_TRUE(list->Skins()->Items(1)->StoredSkin()->IsStoredSkinEmpty());
}

} // namespace
