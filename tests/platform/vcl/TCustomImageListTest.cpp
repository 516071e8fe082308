#include "platform/vcl/TCustomImageList.h"

#include <gtest/gtest.h>

TEST(TCustomImageListAdd, AStripIsCutIntoCells)
{
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    TBitmap strip(12, 4);
    EXPECT_EQ(list.AddMasked(&strip, clWhite), 0);
    EXPECT_EQ(list.Count(), 3);
    list.Delete(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Delete(5), EListError);
}

TEST(TCustomImageListDraw, MaskedColourStaysOutAndDisabledIsEmbossed)
{
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    TBitmap pic(4, 4);
    pic.Canvas()->Brush()->SetColor(clFuchsia);
    pic.Canvas()->FillRect(Rect(0, 0, 4, 4));
    pic.Canvas()->SetPixels(1, 1, clBlack);
    list.AddMasked(&pic, clFuchsia);
    TBitmap dst(8, 8);
    list.Draw(dst.Canvas(), 0, 0, 0);
    EXPECT_EQ(dst.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(dst.Canvas()->Pixels(1, 1), clBlack);
    TBitmap off(8, 8);
    list.Draw(off.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(off.Canvas()->Pixels(1, 1), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(off.Canvas()->Pixels(2, 2), static_cast<TColor>(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(off.Canvas()->Pixels(0, 0), clWhite);
}
