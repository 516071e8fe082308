#include "skin/form/SkinTextObjects.h"

#include <gtest/gtest.h>

#include "tests/skin/form/SkinObjectsTestSupport.h"

using namespace objtest;

namespace {

struct SkinTextObjectsTest : SkinObjectsTest {
    // How many pixels of colour C the object paints inside R (object coordinates).
    int Count(TskActiveSkinObject* o, TRect r, TColor c, bool upDate = true)
    {
        auto pic = Paint(o, upDate);
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if ((pic->Canvas()->Pixels(o->ObjectRect.Left + x, o->ObjectRect.Top + y) & 0xFFFFFF) == c) ++n;
        return n;
    }
    int CountAll(TskActiveSkinObject* o, TColor c, bool upDate = true)
    {
        return Count(o, TRect{0, 0, o->ObjectRect.Width(), o->ObjectRect.Height()}, c, upDate);
    }
};

} // namespace

// ---- Label ----

TEST_F(SkinTextObjectsTest, Label_DrawsItsTextInTheFontColourOverItsImage)
{
    auto* l = Obj<TskSkinLabelObject>("label");
    EXPECT_EQ(l->TextValue, "WWW");
    EXPECT_GT(CountAll(l, cLabelText), 10);
    EXPECT_EQ(ColourAt(l, 1, 1), cNormal);
    SavePicture(*Paint(l), "skin-object-label");
}


TEST_F(SkinTextObjectsTest, Label_Hovered_UsesActiveFontColour)
{
    auto* l = Obj<TskSkinLabelObject>("label");
    l->MouseEnter();
    EXPECT_EQ(CountAll(l, cLabelText), 0);
    EXPECT_GT(CountAll(l, cLabelActiveText), 10);
    l->MouseLeave();
    EXPECT_GT(CountAll(l, cLabelText), 10);
    EXPECT_EQ(Events, (std::vector<std::string>{"enter label", "leave label"}));
}

TEST_F(SkinTextObjectsTest, Label_TextNeverLeavesTheObject)
{
    auto* l = Obj<TskSkinLabelObject>("label");
    l->TextValue = "WWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    auto pic = Paint(l);
    int outside = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (!l->ObjectRect.Contains(TPoint{x, y}) && (pic->Canvas()->Pixels(x, y) & 0xFFFFFF) == cLabelText)
                ++outside;
    EXPECT_EQ(outside, 0);
}

// ---- Bitmap-font label ----

TEST_F(SkinTextObjectsTest, BitLabel_DrawsEachCharactersCell)
{
    auto* b = Obj<TskSkinBitLabelObject>("bitlabel");
    // "0213": red, blue, green, then yellow cut to two pixels at the right edge.
    EXPECT_EQ(ColourAt(b, 2, 3), cF1);
    EXPECT_EQ(ColourAt(b, 7, 3), cF3);
    EXPECT_EQ(ColourAt(b, 12, 3), cF2);
    EXPECT_EQ(ColourAt(b, 15, 3), cF4);
    EXPECT_EQ(ColourAt(b, 16, 3), cF4);
    EXPECT_EQ(ColourAt(b, 17, 3), clWhite); // outside the object: nothing after the cut
}

TEST_F(SkinTextObjectsTest, BitLabel_MissingCharacter_LeavesAGap)
{
    auto* b = Obj<TskSkinBitLabelObject>("bitlabel");
    b->TextValue = "0?1";
    EXPECT_EQ(ColourAt(b, 2, 3), cF1);
    EXPECT_EQ(ColourAt(b, 7, 3), cNormal);
    EXPECT_EQ(ColourAt(b, 12, 3), cF2);
}

TEST_F(SkinTextObjectsTest, BitLabel_Transparent_ShowsTheFramePictureThroughTheCells)
{
    auto* b = Obj<TskSkinBitLabelObject>("bitlabel");
    b->Transparent = true;
    b->TransparentColor = cF3;
    EXPECT_EQ(ColourAt(b, 2, 3), cF1);
    EXPECT_EQ(ColourAt(b, 7, 3), cNormal);
}

TEST_F(SkinTextObjectsTest, BitLabel_FindsMultiByteCharacters)
{
    auto* b = Obj<TskSkinBitLabelObject>("bitlabel");
    b->Symbols = {U"\u00e9\u00e8"};
    b->TextValue = "\xc3\xa8"; // the second symbol of the line
    EXPECT_EQ(ColourAt(b, 2, 3), cF2);
}

// ---- Caption ----

TEST_F(SkinTextObjectsTest, Caption_DrawsTheFormsTitleInItsTextRectangle)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    const int h = c->ObjectRect.Height();
    EXPECT_GT(Count(c, TRect{10, 0, 170, h}, 255), 10);
    EXPECT_EQ(Count(c, TRect{0, 0, 10, h}, 255), 0);
    Form->SetCaption("");
    EXPECT_EQ(CountAll(c, 255), 0);
}

TEST_F(SkinTextObjectsTest, Caption_InactiveWindow_UsesThePlainLook)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    Frame->SetForcedActive(false);
    EXPECT_EQ(CountAll(c, 255), 0);
    EXPECT_GT(CountAll(c, 8421376), 10);
}

TEST_F(SkinTextObjectsTest, Caption_LongTitle_IsCutAtItsTextRectangle)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    Form->SetCaption(std::string(80, 'W'));
    const int h = c->ObjectRect.Height();
    EXPECT_GT(Count(c, TRect{150, 0, 170, h}, 255), 0);
    EXPECT_EQ(Count(c, TRect{170, 0, 180, h}, 255), 0);
}

TEST_F(SkinTextObjectsTest, Caption_WiderObject_KeepsTheTextsDistanceFromTheRightEnd)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    c->ObjectRect.Right += 10;
    EXPECT_EQ(c->TextArea().Right, c->ObjectRect.Right - 10);
    EXPECT_EQ(c->TextArea().Left, c->ObjectRect.Left + 10);
}

TEST_F(SkinTextObjectsTest, Caption_PaintHandler_DrawsTheTextInstead)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    bool told = false;
    Frame->OnCaptionPaint = [&](TCanvas*, const TRect& R, bool AActive) {
        told = AActive && R == c->ObjectRect;
    };
    EXPECT_EQ(CountAll(c, 255), 0);
    EXPECT_TRUE(told);
}

TEST_F(SkinTextObjectsTest, Caption_ShadowAndLight_DrawnBesideTheText)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    c->Shadow = true;
    c->ActiveShadowColor = cF3;
    c->Light = true;
    c->ActiveLightColor = cF2;
    EXPECT_GT(CountAll(c, cF3), 0);
    EXPECT_GT(CountAll(c, cF2), 0);
    EXPECT_GT(CountAll(c, 255), 0);
}

TEST_F(SkinTextObjectsTest, Caption_Activation_PlaysTheStripThenShowsTheActiveLook)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    c->AnimateSkinRect = TRect{0, 20, 80, 35}; // four frames of 20 x 15
    c->FrameCount = 4;
    c->SkinRect = TRect{10, 78, 30, 98};
    c->ObjectRect = TRect{10, 78, 30, 98};
    c->TextRect = TRect{};
    Frame->SetForcedActive(true);
    c->UpdateActivation(true, true);
    std::vector<TColor> shown{ColourAt(c, 1, 1)};
    while (c->AnimateStep())
        if (c->AnimationShown()) shown.push_back(ColourAt(c, 1, 1));
    EXPECT_EQ(shown, (std::vector<TColor>{cF1, cF2, cF3, cF4}));
    EXPECT_FALSE(c->AnimationShown());
    EXPECT_TRUE(c->ActiveLook());
}

TEST_F(SkinTextObjectsTest, Caption_DuringTheStrip_TextKeepsTheLookBeingLeft)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    c->AnimateSkinRect = TRect{0, 20, 80, 35};
    c->FrameCount = 4;
    c->UpdateActivation(true, true);
    EXPECT_FALSE(c->ActiveLook());
    c->UpdateActivation(false, true); // without an inactive animation: plain at once
    EXPECT_FALSE(c->AnimationShown());
    c->InActiveAnimation = true;
    Frame->SetForcedActive(false);
    c->UpdateActivation(false, true);
    EXPECT_EQ(c->Frame, 4);
    EXPECT_TRUE(c->ActiveLook());
}


TEST_F(SkinTextObjectsTest, Caption_MouseUp_RaisedAlsoAfterThePointerLeft)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    c->MouseDown(X(c, 2), Y(c, 2), mbLeft);
    c->MouseUp(500, 500, mbLeft);
    EXPECT_EQ(Events, (std::vector<std::string>{"down caption", "up caption"}));
    EXPECT_FALSE(Frame->Dragging());
}

TEST_F(SkinTextObjectsTest, Caption_RedrawnAloneWiderThanItsImage_LeavesNoOldTitle)
{
    auto* c = Obj<TskSkinCaptionObject>("caption");
    c->ObjectRect.Right += 15;
    auto pic = std::make_unique<TBitmap>(220, 100);
    Fill(*pic, Rect(0, 0, 220, 100), cF4); // what an earlier paint left there
    c->Draw(pic->Canvas(), true);
    int stale = 0;
    for (int y = c->ObjectRect.Top; y < c->ObjectRect.Bottom; ++y)
        for (int x = c->ObjectRect.Left; x < c->ObjectRect.Right; ++x)
            if ((pic->Canvas()->Pixels(x, y) & 0xFFFFFF) == cF4) ++stale;
    EXPECT_EQ(stale, 0);
}
