#include "platform/gfx/Jpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TSurface Gradient(int w, int h)
{
    TSurface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.SetPixel(x, y, 0xFF000000u | static_cast<TPixel>((x * 255 / w) << 16 | (y * 255 / h) << 8 | 128));
    return s;
}

int MaxDifference(const TSurface& a, const TSurface& b)
{
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(static_cast<int>((a.Pixel(x, y) >> shift) & 0xFF) -
                                                 static_cast<int>((b.Pixel(x, y) >> shift) & 0xFF)));
    return worst;
}

}  // namespace

TEST(JpegTest, RoundTrip_HighQualityStaysClose)
{
    const TSurface src = Gradient(64, 48);
    const auto bytes = EncodeJpeg(src, 95);
    ASSERT_GT(bytes.size(), 100u);
    TSurface back;
    DecodeJpeg(bytes.data(), bytes.size(), back);
    ASSERT_EQ(back.Width(), 64);
    ASSERT_EQ(back.Height(), 48);
    EXPECT_LE(MaxDifference(src, back), 12);
    EXPECT_EQ(back.Pixel(5, 5) >> 24, 0xFFu);
}

TEST(JpegTest, Quality_LowerGivesSmallerFile)
{
    const TSurface src = Gradient(128, 128);
    EXPECT_LT(EncodeJpeg(src, 20).size(), EncodeJpeg(src, 95).size());
}

TEST(JpegTest, BadInput_TruncatedFileRaises)
{
    const auto bytes = EncodeJpeg(Gradient(64, 64), 90);
    TSurface s;
    EXPECT_THROW(DecodeJpeg(bytes.data(), bytes.size() / 2, s), EInvalidGraphic);
    EXPECT_THROW(DecodeJpeg(bytes.data(), 20, s), EInvalidGraphic);
    EXPECT_TRUE(s.Empty());   // nothing half-decoded left behind
}

TEST(JpegTest, BadInput_NotAJpeg)
{
    const std::uint8_t junk[] = {'B', 'M', 1, 2, 3, 4, 5, 6};
    TSurface s;
    try {
        DecodeJpeg(junk, sizeof junk, s);
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find("JPEG"), std::string::npos);
    }
    EXPECT_THROW(DecodeJpeg(nullptr, 0, s), EInvalidGraphic);
}

TEST(JpegTest, Write_EmptyPictureRaises)
{
    EXPECT_THROW(EncodeJpeg(TSurface(), 80), EInvalidGraphic);
}

TEST(JpegTest, BadInput_SmallFileClaimingHugePicture_FailsWithoutTakingTheMemory)
{
    std::vector<std::uint8_t> bytes = EncodeJpeg(Gradient(16, 16), 90);
    // The start-of-frame segment: FF C0, length, precision, height, width.
    std::size_t sof = 0;
    for (std::size_t i = 0; i + 9 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            sof = i;
            break;
        }
    ASSERT_NE(sof, 0u);
    bytes[sof + 5] = 30000 >> 8;
    bytes[sof + 6] = 30000 & 0xFF;
    bytes[sof + 7] = 30000 >> 8;
    bytes[sof + 8] = 30000 & 0xFF;
    TSurface s;
    EXPECT_THROW(DecodeJpeg(bytes.data(), bytes.size(), s), EInvalidGraphic);
    bytes[sof + 5] = 0xFF;   // 65280 rows: beyond the cap
    bytes[sof + 6] = 0x00;
    EXPECT_THROW(DecodeJpeg(bytes.data(), bytes.size(), s), EInvalidGraphic);
}
