#include "skin/data/TskCompressedStoredSkin.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "PackedSkinTestSupport.h"
#include "platform/gfx/EInvalidGraphic.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TBitmap.h"
#include "skin/data/SkinBudget.h"
#include "tests/support/TScratchFolder.h"

namespace {

std::string StoredBytes(const TskCompressedStoredSkin& skin)
{
    TMemoryStream& data = skin.StoredData();
    return std::string(static_cast<const char*>(data.Memory()), static_cast<std::size_t>(data.Size()));
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A scratch folder per test, removed afterwards.
class ScratchFolder : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir / name; }
    TScratchFolder dir;
};

// ---- the compressed skin file

TEST(SkinFileStream, WriteThenRead_GivesTheSameData)
{
    TskCompressedStoredSkin a(nullptr);
    SetStoredBytes(a, Zlib("packed image"));
    TStringStream file;
    a.WriteSkinFileStream(file);
    EXPECT_EQ(file.DataString().substr(0, 8), std::string("\x02\0\0\0", 4) + file.DataString().substr(4, 4));

    TskCompressedStoredSkin b(nullptr);
    EXPECT_TRUE(b.ReadSkinFileStream(file));
    EXPECT_EQ(StoredBytes(b), StoredBytes(a));
}

TEST(SkinFileStream, VersionAboveThree_LeavesStoredDataEmpty)
{
    TskCompressedStoredSkin skin(nullptr);
    SetStoredBytes(skin, "old");
    TStringStream file(SkinFile(4, 3, "abc"));
    EXPECT_FALSE(skin.ReadSkinFileStream(file));
    EXPECT_TRUE(skin.IsStoredSkinEmpty());
}

TEST(SkinFileStream, NegativeVersion_IsAccepted)
{
    TskCompressedStoredSkin skin(nullptr);
    TStringStream file(SkinFile(-7, 3, "abc"));
    EXPECT_TRUE(skin.ReadSkinFileStream(file));
    EXPECT_EQ(StoredBytes(skin), "abc");
}

TEST(SkinFileStream, LengthOutsideTheData_IsRefusedAndCopiesNothing)
{
    for (std::int32_t n : {0, -1, 4, 1 << 30}) {
        TskCompressedStoredSkin skin(nullptr);
        TStringStream file(SkinFile(2, n, "abc"));
        EXPECT_FALSE(skin.ReadSkinFileStream(file)) << n;
        EXPECT_TRUE(skin.IsStoredSkinEmpty()) << n;
    }
}

TEST(SkinFileStream, BytesAfterTheData_AreNotCopied)
{
    TskCompressedStoredSkin skin(nullptr);
    TStringStream file(SkinFile(2, 3, "abcPADDING"));
    EXPECT_TRUE(skin.ReadSkinFileStream(file));
    EXPECT_EQ(StoredBytes(skin), "abc");
}

TEST(SkinFileStream, ShortHeader_IsRefused)
{
    TskCompressedStoredSkin skin(nullptr);
    TStringStream file(std::string("\x02\0\0", 3));
    EXPECT_FALSE(skin.ReadSkinFileStream(file));
    EXPECT_TRUE(skin.IsStoredSkinEmpty());
}

// ---- bitmaps inside a packed image

std::int64_t CheckedSize(const std::string& bytes)
{
    TStringStream s(bytes);
    return CheckSkinBitmap(s);
}

std::string WithLe32(std::string bmp, int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bmp[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bmp;
}

TEST(SkinBitmap, ValidFile_GivesItsSizeAndKeepsThePosition)
{
    const std::string bmp = Bmp24(3, 2);
    TStringStream s(bmp + "next");
    EXPECT_EQ(CheckSkinBitmap(s), static_cast<std::int64_t>(bmp.size()));
    EXPECT_EQ(s.Position(), 0);
}

TEST(SkinBitmap, SizesThatLie_RaiseTheBitmapError)
{
    const std::string bmp = Bmp24(3, 2);
    EXPECT_THROW(CheckedSize(WithLe32(bmp, 2, 0)), EInvalidGraphic);          // bfSize 0
    EXPECT_THROW(CheckedSize(WithLe32(bmp, 2, 40)), EInvalidGraphic);         // below the headers
    EXPECT_THROW(CheckedSize(WithLe32(bmp, 2, 100000)), EInvalidGraphic);     // beyond the data
    EXPECT_THROW(CheckedSize(WithLe32(bmp, 10, 20)), EInvalidGraphic);        // pixels inside the header
    EXPECT_THROW(CheckedSize(WithLe32(bmp, 14, 12)), EInvalidGraphic);        // old header
    EXPECT_THROW(CheckedSize(WithLe32(bmp, 18, 100000)), EInvalidGraphic);    // huge width
    EXPECT_THROW(CheckedSize(WithLe32(bmp, 22, 0)), EInvalidGraphic);         // no rows
    EXPECT_THROW(CheckedSize(WithLe32(bmp, 18, 100)), EInvalidGraphic);       // rows do not fit
    EXPECT_THROW(CheckedSize("XM" + bmp.substr(2)), EInvalidGraphic);
    EXPECT_THROW(CheckedSize(bmp.substr(0, 30)), EInvalidGraphic);
}

TEST(SkinBitmap, TopDownRows_AreAccepted)
{
    const std::string bmp = WithLe32(Bmp24(3, 2), 22, static_cast<std::uint32_t>(-2));
    EXPECT_EQ(CheckedSize(bmp), static_cast<std::int64_t>(bmp.size()));
}

TEST(SkinBitmap, BackToBack_EachReadLeavesTheStreamAtTheNext)
{
    TStringStream s(Bmp24(3, 2) + Bmp24(5, 4));
    TBitmap a, b;
    TskSkinBudget budget;
    ReadSkinBitmap(s, a, budget);
    ReadSkinBitmap(s, b, budget);
    EXPECT_EQ(a.Width(), 3);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(s.Position(), s.Size());
    EXPECT_EQ(budget.Spent(), (3 * 2 + 5 * 4) * 4); // four bytes a pixel, decoded
}

// ---- text encoding of the packed ini

TEST(SkinText, Cp1252_ConvertsBothWays)
{
    EXPECT_EQ(Cp1252ToUtf8("Caf\xe9 \x80 \x93x\x94"), "Caf\xc3\xa9 \xe2\x82\xac \xe2\x80\x9cx\xe2\x80\x9d");
    EXPECT_EQ(Utf8ToCp1252("Caf\xc3\xa9 \xe2\x82\xac"), "Caf\xe9 \x80");
    EXPECT_EQ(Utf8ToCp1252("\xe4\xb8\xad"), "?");     // not in the code page
    EXPECT_EQ(Utf8ToCp1252("already \xe9"), "already \xe9"); // not UTF-8: kept
}

// ---- building from an ini and its pictures

class BuildFromSkinIni : public ScratchFolder {};

TEST_F(BuildFromSkinIni, TestSkin_PacksPicturesAndText)
{
    TskCompressedStoredSkin skin(nullptr);
    skin.BuildFromSkinIni(TestSkinDir() + "testskin.ini");
    ASSERT_FALSE(skin.IsStoredSkinEmpty());
    const TskUnpackedSkin unpacked = UnpackStoredSkin(skin);
    EXPECT_EQ(unpacked.Version, 2);
    ASSERT_EQ(unpacked.Pictures.size(), 5u);
    EXPECT_EQ(unpacked.Pictures[0].Name, "frame.bmp");
    EXPECT_EQ(unpacked.Pictures[1].Name, "framemask.bmp");
    EXPECT_EQ(unpacked.Pictures[2].Name, "buttons.bmp");
    EXPECT_EQ(unpacked.Pictures[4].Name, "caption.bmp");
}

TEST_F(BuildFromSkinIni, ThenUnpack_ReproducesTheIniAndThePictures)
{
    TskCompressedStoredSkin skin(nullptr);
    skin.BuildFromSkinIni(TestSkinDir() + "testskin.ini");
    const TskUnpackedSkin unpacked = UnpackStoredSkin(skin);

    TStringList original, back;
    original.LoadFromFile(TestSkinDir() + "testskin.ini");
    back.SetText(unpacked.IniText);
    EXPECT_EQ(back.Text(), original.Text());

    for (const auto& picture : unpacked.Pictures) {
        TBitmap source, dumped;
        source.LoadFromFile(TestSkinDir() + picture.Name);
        TStringStream s(picture.Bmp);
        dumped.LoadFromStream(s);
        ASSERT_EQ(dumped.Width(), source.Width()) << picture.Name;
        ASSERT_EQ(dumped.Height(), source.Height()) << picture.Name;
        for (int y = 0; y < source.Height(); y += 3)
            for (int x = 0; x < source.Width(); x += 3)
                ASSERT_EQ(dumped.Canvas()->Pixels(x, y), source.Canvas()->Pixels(x, y)) << picture.Name << " " << x << "," << y;
    }
}

TEST_F(BuildFromSkinIni, CheckedInPackedSkin_IsCurrent)
{
    // tests/data/skins/testskin.skn is made by skinbuild from the test skin; it must unpack to the same.
    TskCompressedStoredSkin built(nullptr), stored(nullptr);
    built.BuildFromSkinIni(TestSkinDir() + "testskin.ini");
    ASSERT_TRUE(stored.LoadFromSkinFile(TestSkinFile()));
    EXPECT_EQ(UnpackStoredSkin(stored).IniText, UnpackStoredSkin(built).IniText);
}

TEST_F(BuildFromSkinIni, MissingPicture_IsRefusedAndKeepsTheStoredSkin)
{
    std::string ini = MinimalSkinIni();
    ini.insert(ini.find("[FORMINFO]"), "activepicturescount=1\r\n0=nothere.bmp\r\n");
    WriteFileBytes(Path("skin.ini"), ini);
    TskCompressedStoredSkin skin(nullptr);
    SetStoredBytes(skin, "previous");
    try {
        skin.BuildFromSkinIni(Path("skin.ini"));
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("nothere.bmp"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(StoredBytes(skin), "previous");
}

TEST_F(BuildFromSkinIni, ActivePictureWithoutName_IsRefused)
{
    WriteFileBytes(Path("a.bmp"), Bmp24(4, 4));
    std::string ini = MinimalSkinIni();
    ini.insert(ini.find("[FORMINFO]"), "activepicturescount=2\r\n0=a.bmp\r\n");
    WriteFileBytes(Path("skin.ini"), ini);
    TskCompressedStoredSkin skin(nullptr);
    EXPECT_THROW(skin.BuildFromSkinIni(Path("skin.ini")), Exception);
    EXPECT_TRUE(skin.IsStoredSkinEmpty());
}

TEST_F(BuildFromSkinIni, DamagedPicture_IsRefused)
{
    WriteFileBytes(Path("bad.bmp"), Bmp24(4, 4).substr(0, 60));
    std::string ini = MinimalSkinIni();
    ini.insert(ini.find("[FORMINFO]"), "picture=bad.bmp\r\n");
    WriteFileBytes(Path("skin.ini"), ini);
    TskCompressedStoredSkin skin(nullptr);
    EXPECT_THROW(skin.BuildFromSkinIni(Path("skin.ini")), Exception);
    EXPECT_TRUE(skin.IsStoredSkinEmpty());
}

TEST_F(BuildFromSkinIni, IniWithoutTheRequiredSections_IsRefusedWithAMessage)
{
    WriteFileBytes(Path("skin.ini"), "[VERSION]\r\n[PICTURES]\r\n");
    TskCompressedStoredSkin skin(nullptr);
    try {
        skin.BuildFromSkinIni(Path("skin.ini"));
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("SKINCONTROLS"), std::string::npos);
    }
    EXPECT_TRUE(skin.IsStoredSkinEmpty());
}

TEST_F(BuildFromSkinIni, NoPictures_GivesEmptySlotsAndCountZero)
{
    WriteFileBytes(Path("skin.ini"), MinimalSkinIni());
    TskCompressedStoredSkin skin(nullptr);
    skin.BuildFromSkinIni(Path("skin.ini"));
    TStringStream image;
    ASSERT_TRUE(skin.DecompressTo(image));
    const std::string expected = PackedImage(2, std::string(5, '\x01'), {}, "");
    EXPECT_EQ(image.DataString().substr(0, expected.size()), expected);
}

// ---- unpacking

TEST(UnpackStoredSkin, PictureNamesCannotLeaveTheFolder)
{
    TskCompressedStoredSkin skin(nullptr);
    SetStoredBytes(skin, Zlib(PackedImage(3, std::string("\x00", 1) + Bmp24(2, 2) + "\x01\x01", {Bmp24(1, 1)},
                                          "[PICTURES]\r\npicture=../../evil.bmp\r\nactivepicturescount=1\r\n0=..\r\n")));
    const TskUnpackedSkin unpacked = UnpackStoredSkin(skin);
    ASSERT_EQ(unpacked.Pictures.size(), 2u);
    EXPECT_EQ(unpacked.Pictures[0].Name, "evil.bmp");
    EXPECT_EQ(unpacked.Pictures[1].Name, "activepicture0.bmp");
}

} // namespace
