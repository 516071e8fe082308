#include "platform/vcl/TCanvas.h"

#include <gtest/gtest.h>

#include "platform/gfx/Text.h"
#include "platform/vcl/TBitmap.h"

TEST(TCanvasDrawing, PenAndBrushAreUsedForShapes)
{
    TBitmap b(20, 20);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clRed);
    c->Brush()->SetColor(clBlue);
    c->Rectangle(2, 2, 10, 10);
    EXPECT_EQ(c->Pixels(2, 2), clRed);
    EXPECT_EQ(c->Pixels(5, 5), clBlue);
    EXPECT_EQ(c->Pixels(10, 10), clWhite);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(12, 12, 18, 18);
    EXPECT_EQ(c->Pixels(15, 15), clWhite);
    c->MoveTo(0, 19);
    c->LineTo(19, 19);
    EXPECT_EQ(c->Pixels(5, 19), clRed);
}

TEST(TCanvasText, ExtentGrowsWithTheTextAndTheFont)
{
    TBitmap b(200, 50);
    TCanvas* c = b.Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-12);
    const int w1 = c->TextWidth("Ombrix");
    const int w2 = c->TextWidth("Ombrix Free");
    EXPECT_GT(w1, 0);
    EXPECT_GT(w2, w1);
    const int h1 = c->TextHeight("X");
    c->Font()->SetHeight(-24);
    EXPECT_GT(c->TextHeight("X"), h1);
    EXPECT_EQ(c->TextWidth(""), 0);
}

TEST(TCanvasText, TextRectClipsToItsRectangle)
{
    TBitmap b(100, 30);
    TCanvas* c = b.Canvas();
    c->Font()->SetColor(clBlack);
    c->Font()->SetHeight(-20);
    c->Brush()->SetColor(clYellow);
    c->TextRect(Rect(0, 0, 20, 30), 0, 0, "WWWWWWWW");
    EXPECT_EQ(c->Pixels(19, 29), clYellow); // the rectangle is filled
    bool inkOutside = false;
    for (int x = 21; x < 100; ++x)
        for (int y = 0; y < 30; ++y)
            if (c->Pixels(x, y) != clWhite) inkOutside = true;
    EXPECT_FALSE(inkOutside);
}

TEST(TCanvasHandle, CanvasWithoutAContextRefusesToDraw)
{
    TCanvas c;
    EXPECT_FALSE(c.HandleAllocated());
    EXPECT_THROW(c.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}
