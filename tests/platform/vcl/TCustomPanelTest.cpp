#include "platform/vcl/TCustomPanel.h"

#include <gtest/gtest.h>

#include "tests/support/THeadlessDriver.h"
#include "platform/vcl/TCustomLabel.h"
#include "platform/vcl/TForm.h"

namespace {
TPixel Rgb(TColor c) { return ColorToPixel(c) & 0x00FFFFFF; }
} // namespace

TEST(TCustomPanelPaint, RaisedBevelFaceAndChildrenInsideTheBevel)
{
    THeadlessDriver driver;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 120);
    form.SetColor(clWhite);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(10, 10, 100, 60);
    panel->SetBevelWidth(2);
    auto* fill = new TPanel(&form);
    fill->SetParent(panel);
    fill->SetBevelOuter(TBevelCut::bvNone);
    fill->SetColor(clNavy);
    fill->SetAlign(alBottom);
    fill->SetHeight(10);
    form.Show();
    driver.ProcessMessages();
    const HWND h = form.Handle();
    driver.SaveWindow(h, "TCustomPanelPaint", OMBRIX_TEST_PICTURES);
    EXPECT_EQ(driver.PixelAt(h, 5, 5) & 0x00FFFFFF, Rgb(clWhite));
    EXPECT_EQ(driver.PixelAt(h, 10, 10) & 0x00FFFFFF, Rgb(clBtnHighlight));
    EXPECT_EQ(driver.PixelAt(h, 109, 69) & 0x00FFFFFF, Rgb(clBtnShadow));
    EXPECT_EQ(driver.PixelAt(h, 50, 30) & 0x00FFFFFF, Rgb(clBtnFace));
    EXPECT_EQ(fill->BoundsRect(), Rect(2, 48, 98, 58));
    EXPECT_EQ(driver.PixelAt(h, 50, 62) & 0x00FFFFFF, Rgb(clNavy));
}

