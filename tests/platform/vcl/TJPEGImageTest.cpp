#include "platform/vcl/TJPEGImage.h"

#include <gtest/gtest.h>

#include "platform/rtl/TStream.h"

TEST(TJPEGImageData, BitmapCompressedAndDecodedAgain)
{
    TBitmap b(16, 16);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 16, 16));
    TJPEGImage j;
    j.Assign(&b);
    TMemoryStream s;
    j.SaveToStream(s);
    s.SetPosition(0);
    TJPEGImage k;
    k.LoadFromStream(s);
    EXPECT_EQ(k.Width(), 16);
    TBitmap back;
    back.Assign(&k);
    const COLORREF c = static_cast<COLORREF>(back.Canvas()->Pixels(8, 8));
    EXPECT_GT(GetRValue(c), 200);
    EXPECT_LT(GetGValue(c), 60);
}

TEST(TJPEGImageData, BrokenDataRaisesInvalidGraphic)
{
    TStringStream s("\xFF\xD8 not a jpeg");
    TJPEGImage j;
    EXPECT_THROW(j.LoadFromStream(s), EInvalidGraphic);
    EXPECT_TRUE(j.Empty());
}

// Drawn at other sizes than its own (kept then at the size drawn), the picture is the one its decoded
// bitmap gives when stretched there directly, again after the size changes.
TEST(TJPEGImageData, DrawnAtOtherSizes_SameAsTheDecodedPictureStretched)
{
    TBitmap b(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) b.Canvas()->SetPixels(x, y, RGB(x * 6, y * 8, (x * y) % 256));
    TJPEGImage j;
    j.Assign(&b);
    TBitmap decoded;
    decoded.Assign(&j);
    TJPEGImage k;
    k.Assign(&j);
    for (const TRect r : {Rect(3, 2, 17, 13), Rect(1, 1, 71, 51), Rect(3, 2, 17, 13)}) {
        TBitmap drawn(80, 60), expected(80, 60);
        drawn.Canvas()->StretchDraw(r, &k);
        expected.Canvas()->StretchDraw(r, &decoded);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) ASSERT_EQ(drawn.Canvas()->Pixels(x, y), expected.Canvas()->Pixels(x, y)) << x << "," << y;
    }
    EXPECT_EQ(k.Width(), 40);
    EXPECT_EQ(k.Height(), 30);
}
