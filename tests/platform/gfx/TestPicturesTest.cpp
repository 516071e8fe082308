#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include "platform/gfx/Bmp.h"

namespace {

const std::map<char, COLORREF> Legend = {{'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)}};

}  // namespace

TEST(TestPicturesTest, ComparePixels_EmptyWhenEqualAndWildcardsMatchAnything)
{
    TSurface s(3, 1);
    s.Fill(0xFFFFFFFFu);
    s.SetPixel(1, 0, 0xFF000000u);
    EXPECT_EQ(ComparePixels(s, 0, 0, {".#."}, Legend), "");
    EXPECT_EQ(ComparePixels(s, 0, 0, {"??."}, Legend), "");
}

TEST(TestPicturesTest, ComparePixels_NamesTheMismatchAndShowsTheArea)
{
    TSurface s(2, 1);
    s.Fill(0xFFFFFFFFu);
    const std::string report = ComparePixels(s, 0, 0, {"#."}, Legend);
    EXPECT_NE(report.find("pixel (0, 0)"), std::string::npos) << report;
    EXPECT_NE(report.find(".."), std::string::npos) << report;
    EXPECT_NE(ComparePixels(s, 1, 0, {".."}, Legend), "");   // runs off the surface
}

TEST(TestPicturesTest, SaveTestPicture_WritesALoadableBmp)
{
    TSurface s(3, 2);
    s.SetPixel(2, 1, 0xFF112233u);
    const std::string path = SaveTestPicture(s, "gfx_test_pictures_self");
    ASSERT_NE(path, "");
    TSurface back;
    LoadBmpFromFile(path, back);
    EXPECT_EQ(back.Pixel(2, 1), 0xFF112233u);
    EXPECT_EQ(SaveTestPicture(TSurface(), "nothing"), "");
}
