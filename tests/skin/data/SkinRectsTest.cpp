#include "skin/data/SkinRects.h"

#include <gtest/gtest.h>

TEST(SkinRects, EmptyWhenEitherSideBelowOne)
{
    EXPECT_TRUE(IsEmptyRect({5, 5, 5, 9}));
    EXPECT_TRUE(IsEmptyRect({5, 5, 9, 4}));
    EXPECT_FALSE(IsEmptyRect({0, 0, 1, 1}));
    EXPECT_EQ(WidthOfRect({3, 0, 1, 0}), -2);
    EXPECT_EQ(HeightOfRect({0, 2, 0, 7}), 5);
    EXPECT_TRUE(EqRects(ZeroRect(), {0, 0, 0, 0}));
}

TEST(SkinRects, PointInRectCountsTheFarEdges_RectInRectDoesNot)
{
    EXPECT_TRUE(PointInRect({0, 0, 10, 10}, {10, 10}));
    EXPECT_FALSE(PointInRect({0, 0, 10, 10}, {11, 5}));
    EXPECT_FALSE(RectInRect({0, 0, 10, 10}, {0, 0, 10, 10}));
    EXPECT_TRUE(RectInRect({1, 1, 9, 9}, {0, 0, 10, 10}));
}

TEST(SkinRects, NullPointAndMinMax)
{
    EXPECT_TRUE(IsNullPoint({0, 7}));
    EXPECT_TRUE(IsNullPoint({7, 0}));
    EXPECT_FALSE(IsNullPoint({1, 1}));
    EXPECT_EQ(Max(-3, 2), 2);
    EXPECT_EQ(Min(-3, 2), -3);
}
