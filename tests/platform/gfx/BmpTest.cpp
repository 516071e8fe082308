#include "platform/gfx/Bmp.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/rtl/TStream.h"

namespace {

TSurface Sample(int w, int h)
{
    TSurface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.SetPixel(x, y, 0xFF000000u | static_cast<TPixel>((x * 40) << 16 | (y * 50) << 8 | ((x + y) * 20 & 0xFF)));
    return s;
}

void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v[at + i] = (x >> (8 * i)) & 0xFF;
}

// A hand-made BMP: 40-byte header (or the 12-byte one), a palette, rows as given (already padded).
std::vector<std::uint8_t> MakeBmp(int w, int h, int bits, const std::vector<std::uint32_t>& palette,
    const std::vector<std::uint8_t>& rows, bool core = false)
{
    const std::size_t info = core ? 12 : 40;
    const std::size_t entry = core ? 3 : 4;
    const std::size_t off = 14 + info + palette.size() * entry;
    std::vector<std::uint8_t> v(off + rows.size(), 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, static_cast<std::uint32_t>(v.size()));
    Put32(v, 10, static_cast<std::uint32_t>(off));
    Put32(v, 14, static_cast<std::uint32_t>(info));
    if (core) {
        v[18] = w & 0xFF;
        v[19] = w >> 8;
        v[20] = h & 0xFF;
        v[21] = (h >> 8) & 0xFF;
        v[22] = 1;
        v[24] = static_cast<std::uint8_t>(bits);
    } else {
        Put32(v, 18, static_cast<std::uint32_t>(w));
        Put32(v, 22, static_cast<std::uint32_t>(h));
        v[26] = 1;
        v[28] = static_cast<std::uint8_t>(bits);
        Put32(v, 46, static_cast<std::uint32_t>(palette.size()));
    }
    for (std::size_t i = 0; i < palette.size(); ++i)
        for (std::size_t k = 0; k < entry; ++k)
            v[14 + info + i * entry + k] = (palette[i] >> (8 * k)) & 0xFF;
    std::memcpy(v.data() + off, rows.data(), rows.size());
    return v;
}

void ExpectInvalid(const std::vector<std::uint8_t>& bytes, const std::string& part)
{
    TSurface s;
    try {
        DecodeBmp(bytes.data(), bytes.size(), s);
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find(part), std::string::npos) << e.Message();
    }
}

}  // namespace

TEST(BmpTest, RoundTrip24And32Bit_KeepsPixels)
{
    const TSurface src = Sample(5, 3);   // odd width: rows need padding at 24 bits
    for (int bits : {24, 32}) {
        const auto bytes = EncodeBmp(src, bits);
        EXPECT_EQ(bytes[28], bits);
        EXPECT_EQ(bytes[14], 40);
        TSurface back;
        EXPECT_EQ(DecodeBmp(bytes.data(), bytes.size(), back), bytes.size());
        ASSERT_EQ(back.Width(), 5);
        ASSERT_EQ(back.Height(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(back.Pixel(x, y), src.Pixel(x, y)) << bits << " bits at " << x << "," << y;
    }
}

TEST(BmpTest, ThirtyTwoBit_KeepsAlphaByte)
{
    TSurface s(1, 1);
    s.SetPixel(0, 0, 0x40112233u);
    const auto bytes = EncodeBmp(s, 32);
    TSurface back;
    DecodeBmp(bytes.data(), bytes.size(), back);
    EXPECT_EQ(back.Pixel(0, 0), 0x40112233u);
}

TEST(BmpTest, Read1Bit_PaletteAndBitOrder)
{
    // 10 x 1: bits 1010000011, padded to 4 bytes.
    const auto bytes = MakeBmp(10, 1, 1, {0x000000, 0xFFFFFF}, {0xA0, 0xC0, 0, 0});
    TSurface s;
    DecodeBmp(bytes.data(), bytes.size(), s);
    EXPECT_EQ(s.Pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(s.Pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(s.Pixel(2, 0), 0xFFFFFFFFu);
    EXPECT_EQ(s.Pixel(8, 0), 0xFFFFFFFFu);
    EXPECT_EQ(s.Pixel(9, 0), 0xFFFFFFFFu);
}

TEST(BmpTest, Read4And8Bit_BottomUpRows)
{
    // 2 x 2, 4 bits: bottom row first.
    const auto four = MakeBmp(2, 2, 4, {0x0000FF, 0x00FF00, 0xFF0000}, {0x01, 0, 0, 0, 0x22, 0, 0, 0});
    TSurface s;
    DecodeBmp(four.data(), four.size(), s);
    EXPECT_EQ(s.Pixel(0, 0), 0xFFFF0000u);   // top row: index 2, 2
    EXPECT_EQ(s.Pixel(0, 1), 0xFF0000FFu);   // bottom row: index 0, 1
    EXPECT_EQ(s.Pixel(1, 1), 0xFF00FF00u);
    const auto eight = MakeBmp(1, 2, 8, {0x111111, 0x222222}, {1, 0, 0, 0, 0, 0, 0, 0});
    DecodeBmp(eight.data(), eight.size(), s);
    EXPECT_EQ(s.Pixel(0, 0), 0xFF111111u);
    EXPECT_EQ(s.Pixel(0, 1), 0xFF222222u);
}

TEST(BmpTest, TopDownHeader_RowsInFileOrder)
{
    auto bytes = MakeBmp(1, 2, 24, {}, {1, 2, 3, 0, 4, 5, 6, 0});
    Put32(bytes, 22, static_cast<std::uint32_t>(-2));
    TSurface s;
    DecodeBmp(bytes.data(), bytes.size(), s);
    EXPECT_EQ(s.Pixel(0, 0), 0xFF030201u);
    EXPECT_EQ(s.Pixel(0, 1), 0xFF060504u);
}

TEST(BmpTest, OldTwelveByteHeader_WithThreeBytePalette)
{
    // The old header has no colour count: a 1-bit picture has 2 colours of 3 bytes.
    const auto bytes = MakeBmp(2, 1, 1, {0x0000FF, 0x00FF00}, {0x80, 0, 0, 0}, true);
    TSurface s;
    DecodeBmp(bytes.data(), bytes.size(), s);
    EXPECT_EQ(s.Pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(s.Pixel(1, 0), 0xFF0000FFu);
}

TEST(BmpTest, Stream_BackToBackBitmapsEachConsumeTheirStatedSize)
{
    TMemoryStream stream;
    const TSurface a = Sample(3, 2), b = Sample(7, 5);
    SaveBmpToStream(stream, a, 24);
    SaveBmpToStream(stream, b, 32);
    const std::uint32_t tail = 0xDEADBEEF;
    stream.WriteBuffer(&tail, 4);
    stream.SetPosition(0);
    TSurface ra, rb;
    LoadBmpFromStream(stream, ra);
    EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(EncodeBmp(a, 24).size()));
    LoadBmpFromStream(stream, rb);
    EXPECT_EQ(ra.Width(), 3);
    EXPECT_EQ(rb.Width(), 7);
    EXPECT_EQ(rb.Pixel(6, 4), b.Pixel(6, 4));
    EXPECT_EQ(stream.ReadValue<std::uint32_t>(), tail);
}

TEST(BmpTest, Stream_FileSizeLargerThanPixels_SkipsTheExtra)
{
    auto bytes = MakeBmp(1, 1, 24, {}, {1, 2, 3, 0});
    bytes.resize(bytes.size() + 6, 0x77);   // trailing bytes that belong to the file
    Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    bytes.push_back(0x42);
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    TSurface s;
    LoadBmpFromStream(stream, s);
    EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(bytes.size() - 1));
}

TEST(BmpTest, BadInput_Truncated)
{
    auto bytes = EncodeBmp(Sample(4, 4), 24);
    bytes.erase(bytes.end() - 5, bytes.end());
    ExpectInvalid(bytes, "truncated");
    ExpectInvalid({'B', 'M', 0, 0}, "truncated");
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    TSurface s;
    EXPECT_THROW(LoadBmpFromStream(stream, s), EInvalidGraphic);
}

TEST(BmpTest, BadInput_NegativeOrHugeSizes)
{
    auto bytes = MakeBmp(1, 1, 24, {}, {0, 0, 0, 0});
    Put32(bytes, 18, static_cast<std::uint32_t>(-5));
    ExpectInvalid(bytes, "not positive");
    Put32(bytes, 18, 40000);
    ExpectInvalid(bytes, "too large");
    Put32(bytes, 18, 1);
    Put32(bytes, 22, 0x80000000u);
    ExpectInvalid(bytes, "");
}

TEST(BmpTest, BadInput_PaletteIndexOutOfRange)
{
    const auto bytes = MakeBmp(2, 1, 8, {0x000000, 0xFFFFFF}, {1, 5, 0, 0});
    ExpectInvalid(bytes, "palette index 5");
}

TEST(BmpTest, BadInput_HeaderLiesAboutSizes)
{
    auto bytes = MakeBmp(1, 1, 24, {}, {0, 0, 0, 0});
    Put32(bytes, 2, 20);   // file size smaller than its pixels
    ExpectInvalid(bytes, "smaller");
    bytes = MakeBmp(2, 1, 8, {0, 0}, {0, 0, 0, 0});
    Put32(bytes, 46, 1000);   // more colours than 8 bits allow
    ExpectInvalid(bytes, "palette");
    bytes = MakeBmp(1, 1, 24, {}, {0, 0, 0, 0});
    Put32(bytes, 14, 7);   // no such header
    ExpectInvalid(bytes, "header size");
    bytes = MakeBmp(1, 1, 16, {}, {0, 0, 0, 0});
    ExpectInvalid(bytes, "16 bits");
}

TEST(BmpTest, Write_RefusesOtherDepthsAndEmptyPictures)
{
    EXPECT_THROW(EncodeBmp(Sample(2, 2), 8), EInvalidGraphic);
    EXPECT_THROW(EncodeBmp(TSurface(), 24), EInvalidGraphic);
}
