#include "platform/vcl/Graphics.h"

#include <gtest/gtest.h>

TEST(TFontProperties, SizeAndHeightFollowEachOther)
{
    TFont f;
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
}

TEST(TFontChange, ChangeNotifiesOnlyOnRealChange)
{
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetName("Arial");
    f.SetName("Arial");
    f.SetStyle({fsBold});
    f.SetColor(clRed);
    EXPECT_EQ(changes, 3);
}

TEST(TFontHandle, HandleIsRemadeAfterAChange)
{
    TFont f;
    f.SetStyle({fsBold});
    TLogFont lf;
    ASSERT_TRUE(GetObject(f.Handle(), lf));
    EXPECT_EQ(lf.Weight, FW_BOLD);
    f.SetStyle({});
    ASSERT_TRUE(GetObject(f.Handle(), lf));
    EXPECT_EQ(lf.Weight, FW_NORMAL);
}

TEST(TFontAssign, CopiesEveryAttribute)
{
    TFont a;
    a.SetName("Arial");
    a.SetHeight(14);
    a.SetStyle({fsItalic});
    a.SetColor(clBlue);
    TFont b;
    b.Assign(&a);
    EXPECT_EQ(b.Name(), "Arial");
    EXPECT_EQ(b.Height(), 14);
    EXPECT_EQ(b.Style(), TFontStyles{fsItalic});
    EXPECT_EQ(b.Color(), clBlue);
    TPen p;
    EXPECT_THROW(b.Assign(&p), EConvertError);
}

TEST(TBrushStyle, SettingAColourMakesAClearBrushSolid)
{
    TBrush b;
    b.SetStyle(bsClear);
    b.SetColor(clRed);
    EXPECT_EQ(b.Style(), bsSolid);
}

TEST(TPenHandle, DescribesColourAndWidth)
{
    TPen p;
    p.SetColor(clRed);
    p.SetWidth(3);
    TLogPen lp;
    ASSERT_TRUE(GetObject(p.Handle(), lp));
    EXPECT_EQ(lp.Width, 3);
    EXPECT_EQ(lp.Color, ColorToRGB(clRed));
    p.SetWidth(-1); // refused
    EXPECT_EQ(p.Width(), 3);
}
