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
