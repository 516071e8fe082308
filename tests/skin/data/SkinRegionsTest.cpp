#include "skin/data/SkinRegions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// 'B' black (inside), anything else white; 'n' is near-black (blue 1).
void Paint(TBitmap& b, const std::vector<std::string>& rows)
{
    b.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            b.Handle()->SetPixel(x, y, c == 'B' ? 0xFF000000u : c == 'n' ? 0xFF000001u : 0xFFFFFFFFu);
        }
}

std::vector<TRect> RectsOf(const std::vector<std::uint8_t>& data)
{
    RGNDATAHEADER h;
    std::memcpy(&h, data.data(), sizeof(h));
    std::vector<TRect> rects(h.nCount);
    if (h.nCount)
        std::memcpy(rects.data(), data.data() + sizeof(h), h.nCount * sizeof(TRect));
    return rects;
}

// The eight-by-six frame mask of the tests: a frame two pixels thick with its four outer corners cut.
const std::vector<std::string> FrameMask = {
    "WBBBBBBW",
    "BBBBBBBB",
    "BBWWWWBB",
    "BBWWWWBB",
    "BBBBBBBB",
    "WBBBBBBW",
};

HRGN FrameRegion(TBitmap& mask, const TRect& cl, int w, int h)
{
    const int dr = mask.Width() - cl.Right, db = mask.Height() - cl.Bottom;
    const TRect ncl{cl.Left, cl.Top, w - dr, h - db};
    HRGN rgn = nullptr;
    CreateSkinRegion(rgn, {cl.Left, cl.Top}, {cl.Right, cl.Top}, {cl.Left, cl.Bottom}, {cl.Right, cl.Bottom}, cl,
        {ncl.Left, ncl.Top}, {ncl.Right, ncl.Top}, {ncl.Left, ncl.Bottom}, {ncl.Right, ncl.Bottom}, ncl, &mask, w, h);
    return rgn;
}

}  // namespace

TEST(SkinRegionsData, OneRectanglePerBlackRun)
{
    TBitmap m;
    Paint(m, {"BBWBWWB"});
    std::vector<std::uint8_t> data;
    ASSERT_EQ(MaskToRgnData(&m, 0, 0, data), 32 + 3 * 16);
    RGNDATAHEADER h;
    std::memcpy(&h, data.data(), sizeof(h));
    EXPECT_EQ(h.dwSize, 32u);
    EXPECT_EQ(h.iType, 1u);
    EXPECT_EQ(h.nCount, 3u);
    EXPECT_EQ(h.rcBound, (TRect{0, 0, 7, 1}));
    EXPECT_EQ(RectsOf(data), (std::vector<TRect>{{0, 0, 2, 1}, {3, 0, 4, 1}, {6, 0, 7, 1}}));
}

TEST(SkinRegionsData, OffsetMovesRectanglesAndBounds)
{
    TBitmap m;
    Paint(m, {"WB", "BW"});
    std::vector<std::uint8_t> data;
    MaskToRgnData(&m, 10, 20, data);
    EXPECT_EQ(RectsOf(data), (std::vector<TRect>{{11, 20, 12, 21}, {10, 21, 11, 22}}));
}

TEST(SkinRegionsData, WhiteAndNearBlackAreOutside)
{
    TBitmap m;
    Paint(m, {"WnW", "nnn"});
    std::vector<std::uint8_t> data;
    EXPECT_EQ(MaskToRgnData(&m, 0, 0, data), 32);
    HRGN rgn = nullptr;
    MaskToRegion(rgn, &m);
    ASSERT_NE(rgn, nullptr);
    EXPECT_TRUE(rgn->Shape.IsEmpty());
    DeleteObject(rgn);
}

TEST(SkinRegionsData, AllBlackGivesOneRectanglePerRow)
{
    TBitmap m;
    Paint(m, {"BBBB", "BBBB", "BBBB"});
    std::vector<std::uint8_t> data;
    MaskToRgnData(&m, 0, 0, data);
    EXPECT_EQ(RectsOf(data), (std::vector<TRect>{{0, 0, 4, 1}, {0, 1, 4, 2}, {0, 2, 4, 3}}));
}

TEST(SkinRegionsData, EmptyMaskGivesNothing)
{
    TBitmap m;
    std::vector<std::uint8_t> data{1, 2, 3};
    EXPECT_EQ(MaskToRgnData(&m, 0, 0, data), 0);
    EXPECT_EQ(data.size(), 3u);
    HRGN rgn = reinterpret_cast<HRGN>(1);
    MaskToRegion(rgn, &m);
    EXPECT_EQ(rgn, nullptr);
}

TEST(SkinRegionsData, ManyRunsAreAllKept)
{
    TBitmap m;
    std::string row;
    for (int i = 0; i < 300; ++i)
        row += "BW";
    Paint(m, std::vector<std::string>(40, row));   // 12,000 runs
    std::vector<std::uint8_t> data;
    EXPECT_EQ(MaskToRgnData(&m, 0, 0, data), 32 + 16 * 12000);
}

TEST(SkinRegionsFrame, StretchedFrameKeepsItsCutCorners)
{
    TBitmap m;
    Paint(m, FrameMask);
    HRGN rgn = FrameRegion(m, {2, 2, 6, 4}, 12, 8);
    ASSERT_NE(rgn, nullptr);
    const TRegionShape expected = TRegionShape(TRect{0, 0, 12, 8})
                                      .Subtract(TRegionShape::FromRects({{0, 0, 1, 1}, {11, 0, 12, 1}, {0, 7, 1, 8},
                                          {11, 7, 12, 8}}));
    EXPECT_EQ(rgn->Shape.Rects(), expected.Rects());
    DeleteObject(rgn);
}

TEST(SkinRegionsFrame, MissingLeftStripKeepsTheOtherStrips)
{
    TBitmap m;
    Paint(m, {"BBBBBBWW", "BBBBBBBB", "WWWWWWBB", "WWWWWWBB", "BBBBBBBB", "BBBBBBWW"});
    HRGN rgn = FrameRegion(m, {0, 2, 6, 4}, 8, 6);
    ASSERT_NE(rgn, nullptr);
    const TRegionShape expected = TRegionShape(TRect{0, 0, 8, 6})
                                      .Subtract(TRegionShape::FromRects({{6, 0, 8, 1}, {6, 5, 8, 6}}));
    EXPECT_EQ(rgn->Shape.Rects(), expected.Rects());
    DeleteObject(rgn);
}

TEST(SkinRegionsFrame, EmptyClientGivesNoRegion)
{
    TBitmap m;
    Paint(m, {"WBBW", "BBBB", "BBBB", "WBBW"});
    EXPECT_EQ(FrameRegion(m, {2, 2, 2, 2}, 4, 4), nullptr);
    HRGN rgn = FrameRegion(m, {1, 1, 3, 2}, 4, 4); // one row of client is enough
    ASSERT_NE(rgn, nullptr);
    DeleteObject(rgn);
}

TEST(SkinRegionsFrame, FrameSmallerThanItsCornersGivesNoRegion)
{
    // The client reaches one pixel beyond the inner corners on each side, so it keeps a width when the
    // corners meet.
    TBitmap m;
    Paint(m, FrameMask);
    auto region = [&m](int w) {
        const int dw = w - 8;
        HRGN rgn = nullptr;
        CreateSkinRegion(rgn, {3, 2}, {5, 2}, {3, 4}, {5, 4}, {2, 2, 6, 4}, {3, 2}, {5 + dw, 2}, {3, 4}, {5 + dw, 4},
            {2, 2, 6 + dw, 4}, &m, w, 6);
        return rgn;
    };
    HRGN rgn = region(6); // the corners meet: still shaped
    ASSERT_NE(rgn, nullptr);
    DeleteObject(rgn);
    EXPECT_EQ(region(5), nullptr);
}
