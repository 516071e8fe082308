// Icons as stored in icon files and form descriptions: which image is taken, where they are transparent,
// and what unreadable data gives.
#include "platform/vcl/TIcon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/THeadlessDriver.h"
#include "platform/rtl/TStream.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomImageList.h"

namespace {

void Put16(std::vector<std::uint8_t>& v, std::uint32_t x)
{
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i) v.push_back((x >> (8 * i)) & 0xFF);
}

// One image of an icon file: a 4-bit picture of Side x Side in palette colour 1 (blue) whose left half
// is masked out, and a 32-bit one filled with Pixel.
std::vector<std::uint8_t> Image4(int Side)
{
    std::vector<std::uint8_t> v;
    Put32(v, 40);
    Put32(v, static_cast<std::uint32_t>(Side));
    Put32(v, static_cast<std::uint32_t>(2 * Side));
    Put16(v, 1);
    Put16(v, 4);
    for (int i = 0; i < 6; ++i) Put32(v, 0);
    for (int i = 0; i < 16; ++i) Put32(v, i == 1 ? 0x000000FFu : 0u);   // colour 1 is blue
    const int row = ((Side * 4 + 31) / 32) * 4;
    for (int y = 0; y < Side; ++y)
        for (int b = 0; b < row; ++b) v.push_back(b < Side / 2 ? 0x11 : 0);
    const int maskRow = ((Side + 31) / 32) * 4;
    for (int y = 0; y < Side; ++y)
        for (int b = 0; b < maskRow; ++b) {
            // The left half of each row is transparent (bits set).
            std::uint8_t bits = 0;
            for (int k = 0; k < 8; ++k)
                if (b * 8 + k < Side / 2) bits |= static_cast<std::uint8_t>(0x80 >> k);
            v.push_back(bits);
        }
    return v;
}

std::vector<std::uint8_t> Image32(int Side, std::uint32_t Pixel)
{
    std::vector<std::uint8_t> v;
    Put32(v, 40);
    Put32(v, static_cast<std::uint32_t>(Side));
    Put32(v, static_cast<std::uint32_t>(2 * Side));
    Put16(v, 1);
    Put16(v, 32);
    for (int i = 0; i < 6; ++i) Put32(v, 0);
    for (int i = 0; i < Side * Side; ++i) Put32(v, Pixel);
    const int maskRow = ((Side + 31) / 32) * 4;
    v.insert(v.end(), static_cast<std::size_t>(maskRow * Side), 0);
    return v;
}

std::vector<std::uint8_t> IconFile(const std::vector<std::pair<int, std::vector<std::uint8_t>>>& Images)
{
    std::vector<std::uint8_t> v;
    Put16(v, 0);
    Put16(v, 1);
    Put16(v, static_cast<std::uint32_t>(Images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * Images.size());
    for (const auto& [side, data] : Images) {
        v.push_back(static_cast<std::uint8_t>(side));
        v.push_back(static_cast<std::uint8_t>(side));
        v.push_back(0);
        v.push_back(0);
        Put16(v, 1);
        Put16(v, 32);
        Put32(v, static_cast<std::uint32_t>(data.size()));
        Put32(v, offset);
        offset += static_cast<std::uint32_t>(data.size());
    }
    for (const auto& image : Images) v.insert(v.end(), image.second.begin(), image.second.end());
    return v;
}

void Load(TIcon& Icon, const std::vector<std::uint8_t>& Bytes)
{
    TMemoryStream s;
    s.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
    s.SetPosition(0);
    Icon.LoadFromStream(s);
}

TEST(TIcon, File_TheLargestImageIsTaken_WithItsMaskAsTransparency)
{
    TIcon icon;
    Load(icon, IconFile({{16, Image32(16, 0x80FF0000u)}, {32, Image4(32)}}));
    ASSERT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Picture().Pixel(2, 5), 0x00000000u) << "masked out: transparent";
    EXPECT_EQ(icon.Picture().Pixel(20, 5), 0xFF0000FFu) << "opaque blue (the rows are stored bottom-up)";
    EXPECT_EQ(icon.Picture().Pixel(20, 31), 0xFF0000FFu);

    // A 32-bit image keeps its own alpha.
    Load(icon, IconFile({{16, Image32(16, 0x80FF0000u)}}));
    EXPECT_EQ(icon.Picture().Pixel(3, 3), 0x80FF0000u);
}

TEST(TIcon, SaveAndLoad_GiveTheSamePicture)
{
    TIcon icon;
    TSurface p(24, 24);
    p.Fill(0xFF10A030u);
    p.FillRect(Rect(0, 0, 12, 24), 0);
    icon.SetPicture(p);
    TMemoryStream s;
    icon.SaveToStream(s);
    s.SetPosition(0);
    TIcon back;
    back.LoadFromStream(s);
    ASSERT_EQ(back.Width(), 24);
    EXPECT_EQ(back.Picture().Pixel(5, 5), 0u);
    EXPECT_EQ(back.Picture().Pixel(20, 20), 0xFF10A030u);
}

TEST(TIcon, UnreadableData_RaisesInvalidGraphic_AndLeavesTheIcon)
{
    TIcon icon;
    icon.SetPicture(StandardApplicationPicture(16));
    EXPECT_THROW(Load(icon, {1, 2, 3}), EInvalidGraphic);
    EXPECT_THROW(Load(icon, {0, 0, 1, 0, 9, 0}), EInvalidGraphic) << "a directory longer than the file";
    // Only a PNG image: nothing here reads it.
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_THROW(Load(icon, IconFile({{16, png}})), EInvalidGraphic);
    std::vector<std::uint8_t> cut = IconFile({{16, Image32(16, 0xFF000000u)}});
    cut.resize(cut.size() - 600);
    EXPECT_THROW(Load(icon, cut), EInvalidGraphic);
    EXPECT_EQ(icon.Width(), 16) << "the picture it had stays";
}

TEST(TIcon, FromABitmapOrAnImageList_TheTransparentColourIsLeftOut)
{
    TBitmap b(8, 8);
    b.Canvas()->Brush()->SetColor(clFuchsia);
    b.Canvas()->FillRect(Rect(0, 0, 8, 8));
    b.Canvas()->Brush()->SetColor(clNavy);
    b.Canvas()->FillRect(Rect(4, 0, 8, 8));
    b.SetTransparent(true);
    b.SetTransparentColor(clFuchsia);
    TIcon icon;
    icon.Assign(&b);
    EXPECT_EQ(icon.Picture().Pixel(1, 1), 0u);
    EXPECT_EQ(icon.Picture().Pixel(6, 1), ColorToPixel(clNavy));

    TImageList list(nullptr);
    list.SetWidth(8);
    list.SetHeight(8);
    b.SetTransparent(false);
    list.AddMasked(&b, clFuchsia);
    TIcon fromList;
    list.GetIcon(0, &fromList);
    EXPECT_EQ(fromList.Picture().Pixel(1, 1), 0u);
    EXPECT_EQ(fromList.Picture().Pixel(6, 1), ColorToPixel(clNavy));
}

TEST(TIcon, Application_HasTheStandardPictureUntilItGetsItsOwn)
{
    THeadlessDriver driver;
    TIcon* icon = Application->Icon();
    ASSERT_FALSE(icon->Empty());
    EXPECT_EQ(icon->Width(), 32);
    EXPECT_EQ(icon->Picture().Pixel(0, 0) >> 24, 0u) << "transparent around the window";
    EXPECT_EQ(icon->Picture().Pixel(16, 20), 0xFFFFFFFFu) << "the window's white inside";
}

} // namespace
