#include "platform/gfx/Regions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct TRgn {
    HRGN H;
    explicit TRgn(HRGN h) : H(h) {}
    ~TRgn() { DeleteObject(H); }
    operator HRGN() const { return H; }
};

std::vector<std::uint8_t> RegionData(const std::vector<TRect>& rects, TRect bound = {})
{
    std::vector<std::uint8_t> block(32 + 16 * rects.size());
    RGNDATAHEADER h;
    h.nCount = static_cast<DWORD>(rects.size());
    h.rcBound = bound;
    std::memcpy(block.data(), &h, 32);
    if (!rects.empty())
        std::memcpy(block.data() + 32, rects.data(), 16 * rects.size());
    return block;
}

}  // namespace

TEST(RegionsTest, Combine_OrOfOverlappingRects_CoversBothAndIsComplex)
{
    TRgn a(CreateRectRgn(0, 0, 10, 10)), b(CreateRectRgn(5, 5, 15, 15)), d(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(d, 0, 0));
    EXPECT_TRUE(PtInRegion(d, 14, 14));
    EXPECT_FALSE(PtInRegion(d, 14, 0));
    EXPECT_FALSE(PtInRegion(d, 15, 15));
    EXPECT_EQ(d.H->Shape.Box(), Rect(0, 0, 15, 15));
}

TEST(RegionsTest, Combine_AndDiffXor_FollowTheAlgebra)
{
    TRgn a(CreateRectRgn(0, 0, 10, 10)), b(CreateRectRgn(5, 0, 15, 10)), d(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(d.H->Shape.Box(), Rect(5, 0, 10, 10));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), SIMPLEREGION);
    EXPECT_EQ(d.H->Shape.Box(), Rect(0, 0, 5, 10));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(d, 2, 2));
    EXPECT_FALSE(PtInRegion(d, 7, 2));
    EXPECT_TRUE(PtInRegion(d, 12, 2));
    EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
}

TEST(RegionsTest, Combine_SameAreaBuiltDifferently_IsEqual)
{
    TRgn left(CreateRectRgn(0, 0, 5, 10)), right(CreateRectRgn(5, 0, 10, 10)), whole(CreateRectRgn(0, 0, 10, 10));
    TRgn d(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(d, left, right, RGN_OR);
    EXPECT_EQ(d.H->Shape, whole.H->Shape);
    EXPECT_EQ(d.H->Shape.Rects().size(), 1u);
}

TEST(RegionsTest, NullHandle_CombineFailsAndLeavesDestination)
{
    TRgn a(CreateRectRgn(0, 0, 10, 10)), d(CreateRectRgn(1, 1, 2, 2));
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_OR), RGN_ERROR);
    EXPECT_EQ(CombineRgn(d, nullptr, a, RGN_OR), RGN_ERROR);
    EXPECT_EQ(CombineRgn(nullptr, a, a, RGN_OR), RGN_ERROR);
    EXPECT_EQ(d.H->Shape.Box(), Rect(1, 1, 2, 2));
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_COPY), SIMPLEREGION);
}

TEST(RegionsTest, EmptyRegion_IsDistinctFromNullHandle)
{
    TRgn empty(CreateRectRgn(3, 3, 3, 9)), a(CreateRectRgn(0, 0, 4, 4)), d(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(RegionKind(empty.H->Shape), NULLREGION);
    EXPECT_EQ(CombineRgn(d, a, empty, RGN_OR), SIMPLEREGION);
    EXPECT_EQ(d.H->Shape, a.H->Shape);
}

TEST(RegionsTest, ExtCreateRegion_MaskRowsBecomeOneRegion)
{
    // Two rows of runs, as a mask scan produces them.
    const auto data = RegionData({{0, 0, 2, 1}, {3, 0, 4, 1}, {0, 1, 2, 2}, {3, 1, 4, 2}}, {0, 0, 7, 2});
    TRgn r(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), data.data()));
    ASSERT_NE(r.H, nullptr);
    EXPECT_TRUE(PtInRegion(r, 1, 1));
    EXPECT_FALSE(PtInRegion(r, 2, 0));
    EXPECT_TRUE(PtInRegion(r, 3, 0));
    // Equal rows merge into one band.
    EXPECT_EQ(r.H->Shape.Rects().size(), 2u);
}

TEST(RegionsTest, ExtCreateRegion_NoRectsGivesEmptyRegion)
{
    const auto data = RegionData({});
    TRgn r(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), data.data()));
    ASSERT_NE(r.H, nullptr);
    EXPECT_EQ(RegionKind(r.H->Shape), NULLREGION);
}

TEST(RegionsTest, ExtCreateRegion_BlockThatLiesAboutItsCount_Refused)
{
    auto data = RegionData({{0, 0, 1, 1}});
    const DWORD tooMany = 1000;
    std::memcpy(data.data() + 8, &tooMany, 4);
    EXPECT_EQ(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), data.data()), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, 10, data.data()), nullptr);
}

TEST(RegionsTest, Shape_UnionOfManyRows_StaysCanonical)
{
    std::vector<TRect> rects;
    for (int y = 0; y < 500; ++y)
        rects.push_back({0, y, 100, y + 1});
    const TRegionShape s = TRegionShape::FromRects(rects);
    ASSERT_EQ(s.Rects().size(), 1u);
    EXPECT_EQ(s.Rects()[0], Rect(0, 0, 100, 500));
}

TEST(RegionsTest, Algebra_AgreesWithPixelSetsOnRandomRegions)
{
    std::uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(n));
    };
    auto randomShape = [&] {
        std::vector<TRect> rects;
        for (int i = next(6); i >= 0; --i) {
            const int l = next(20), t = next(20);
            rects.push_back({l, t, l + 1 + next(12), t + 1 + next(12)});
        }
        return TRegionShape::FromRects(rects);
    };
    for (int round = 0; round < 200; ++round) {
        const TRegionShape a = randomShape(), b = randomShape();
        const TRegionShape u = a.Union(b), i = a.Intersect(b), d = a.Subtract(b), x = a.Xor(b);
        for (int py = -1; py < 34; ++py)
            for (int px = -1; px < 34; ++px) {
                const bool ina = a.Contains({px, py}), inb = b.Contains({px, py});
                ASSERT_EQ(u.Contains({px, py}), ina || inb);
                ASSERT_EQ(i.Contains({px, py}), ina && inb);
                ASSERT_EQ(d.Contains({px, py}), ina && !inb);
                ASSERT_EQ(x.Contains({px, py}), ina != inb);
            }
        // The same pixels built two ways give the same rectangles.
        EXPECT_EQ(u, b.Union(a));
        EXPECT_EQ(x, d.Union(b.Subtract(a)));
    }
}
