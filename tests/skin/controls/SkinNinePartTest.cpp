#include "skin/controls/SkinNinePart.h"

#include <gtest/gtest.h>

namespace {

const TRect kSkinRect = Rect(10, 20, 40, 50); // a 30 x 30 picture
const TskNinePartPoints kSkin{Point(5, 5), Point(25, 5), Point(5, 25), Point(25, 25), Rect(5, 5, 25, 25)};

} // namespace

TEST(SkinNinePart, StretchedPointsMoveRightAndDownByTheGrowth)
{
    const TskNinePartPoints p = StretchedNinePart(kSkinRect, kSkin, 130, 80);
    EXPECT_EQ(p.LeftTop, Point(5, 5));
    EXPECT_EQ(p.RightTop, Point(125, 5));
    EXPECT_EQ(p.LeftBottom, Point(5, 75));
    EXPECT_EQ(p.RightBottom, Point(125, 75));
    EXPECT_EQ(p.Client, Rect(5, 5, 125, 75));
    // At the picture's own size nothing moves.
    const TskNinePartPoints same = StretchedNinePart(kSkinRect, kSkin, 30, 30);
    EXPECT_EQ(same.RightBottom, kSkin.RightBottom);
    EXPECT_EQ(same.Client, kSkin.Client);
}

TEST(SkinNinePart, ModesNarrowTheSizeToWhatThePictureAllows)
{
    int w = 100, h = 70;
    TskNinePartPoints moved;
    StretchNinePart(2, true, kSkinRect, kSkin, moved, w, h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(moved.RightTop, Point(95, 5));
    w = 100, h = 70;
    NarrowToSkinSize(3, true, kSkinRect, w, h);
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 70);
    w = 100, h = 70;
    NarrowToSkinSize(0, false, kSkinRect, w, h); // no entry: any size
    EXPECT_EQ(w, 100);
    NarrowToSkinSize(0, true, kSkinRect, w, h);
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 30);
}

TEST(SkinNinePart, WithoutAPictureThePointsStayAsTheyWere)
{
    TskNinePartPoints kept{Point(1, 2), Point(3, 4), Point(5, 6), Point(7, 8), Rect(1, 1, 2, 2)};
    int w = 100, h = 70;
    StretchNinePart(-1, true, kSkinRect, kSkin, kept, w, h);
    EXPECT_EQ(kept.RightBottom, Point(7, 8));
    EXPECT_EQ(w, 100);
}
