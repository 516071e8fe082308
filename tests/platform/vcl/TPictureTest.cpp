#include "platform/vcl/TPicture.h"

#include <gtest/gtest.h>

#include "platform/rtl/TStream.h"
#include "platform/vcl/TJPEGImage.h"
#include "tests/support/TScratchFolder.h"

namespace {
class TPictureFiles : public ::testing::Test {
protected:
    std::string TempPath(const std::string& name) const { return dir / name; }
    TScratchFolder dir;
};
} // namespace

TEST_F(TPictureFiles, KindFollowsTheExtension)
{
    TBitmap b(8, 4);
    b.Canvas()->SetPixels(1, 1, clBlue);
    const std::string bmp = TempPath("pic.bmp");
    b.SaveToFile(bmp);
    TPicture p;
    p.LoadFromFile(bmp);
    EXPECT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
    EXPECT_EQ(p.Width(), 8);
    EXPECT_THROW(p.LoadFromFile(TempPath("pic.xyz")), EInvalidGraphic);
    EXPECT_EQ(p.Width(), 8); // a failed load keeps the picture
}

TEST_F(TPictureFiles, MissingFileRaisesAndKeepsThePicture)
{
    TPicture p;
    EXPECT_THROW(p.LoadFromFile(TempPath("missing.jpg")), EFOpenError);
    EXPECT_EQ(p.Graphic(), nullptr);
}

TEST(TPictureAssign, CopiesTheGraphic)
{
    TPicture a;
    a.Bitmap()->SetSize(5, 5);
    TPicture b;
    b.Assign(&a);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_NE(b.Graphic(), a.Graphic());
    b.Assign(nullptr);
    EXPECT_EQ(b.Graphic(), nullptr);
}
