#include "app/om_crop.h"

#include <gtest/gtest.h>

#include "app/om_convert.h"
#include "app/om_tables.h"
#include "platform/gfx/TSurface.h"
#include "platform/vcl/TComponent.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

// A grey test picture with black bars of the given sizes.
TSurface Letterboxed(int W, int H, int Left, int Right, int Top, int Bottom)
{
    TSurface s(W, H);
    s.Fill(0xFF000000);
    for (int y = Top; y < H - Bottom; ++y)
        for (int x = Left; x < W - Right; ++x)
            s.SetPixel(x, y, 0xFF000000 | static_cast<TPixel>((x * 7 + y * 13) % 200 + 40));
    return s;
}

} // namespace

TEST(ScanFrameMargins, LetterboxedWidePicture_SixtyTopAndBottom)
{
    TMargins m;
    ASSERT_TRUE(ScanFrameMargins(Letterboxed(720, 576, 0, 0, 60, 60), m));
    EXPECT_EQ(m.Top, 60);
    EXPECT_EQ(m.Bottom, 60);
    EXPECT_EQ(m.Left, 4);
    EXPECT_EQ(m.Right, 4);
}

TEST(ScanFrameMargins, NoBars_MinimumOfFourEverywhere)
{
    TMargins m;
    ASSERT_TRUE(ScanFrameMargins(Letterboxed(720, 576, 0, 0, 0, 0), m));
    EXPECT_EQ(m.Left, 4);
    EXPECT_EQ(m.Right, 4);
    EXPECT_EQ(m.Top, 4);
    EXPECT_EQ(m.Bottom, 4);
}

TEST(ScanFrameMargins, PillarBoxes_LeftAndRight)
{
    TMargins m;
    ASSERT_TRUE(ScanFrameMargins(Letterboxed(640, 480, 80, 80, 0, 0), m));
    EXPECT_EQ(m.Left, 80);
    EXPECT_EQ(m.Right, 80);
}

TEST(ScanFrameMargins, NoPicture_NoSample)
{
    TMargins m;
    EXPECT_FALSE(ScanFrameMargins(TSurface(), m));
    EXPECT_FALSE(ScanFrameMargins(TSurface(1, 100), m));
}

TEST(VoteMargin, MajorityWins_TieGoesToEarliest)
{
    EXPECT_EQ(VoteMargin({8, 60, 60, 8, 60}), 60);
    EXPECT_EQ(VoteMargin({12, 16, 20, 24, 28}), 12);
    EXPECT_EQ(VoteMargin({}), 0);
}

TEST(CropPositions, StepFromLengthCappedAt300)
{
    EXPECT_EQ(CropPositions("100", "\"a.avi\""), (std::vector<int>{12, 24, 36, 48, 60}));
    EXPECT_EQ(CropPositions("10800", "\"a.avi\""), (std::vector<int>{300, 600, 900, 1200, 1500}));
    EXPECT_EQ(CropPositions("", "\"a.avi\""), (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST(WidenToFill, WidePictureOnFourByThreeScreen_GrowsLeftAndRight)
{
    TMargins m;
    WidenToFill(720, 576, 1024, 576, 320, 240, m);
    EXPECT_EQ(m.Left, 90);
    EXPECT_EQ(m.Right, 90);
    EXPECT_EQ(m.Top, 0);
}

TEST(WidenToFill, PhoneClipOnItsSide_IsCutWhereTheUprightPictureOverflows)
{
    // Stored 1280 x 720, shown 720 x 1280: its upright top and bottom, the stored left and right, go.
    TMargins m{4, 4, 4, 4};
    WidenShownToFill(1280, 720, 1280, 720, 176, 144, true, m);
    EXPECT_EQ(m.Top + m.Bottom, 8);
    EXPECT_NEAR((720.0 - m.Top - m.Bottom) / (1280 - m.Left - m.Right), 176.0 / 144, 0.01);
}

TEST(WidenToFill, MissingSizes_ChangeNothing)
{
    TMargins m{4, 4, 4, 4};
    WidenToFill(0, 576, 1024, 0, 320, 240, m);
    EXPECT_EQ(m.Left, 4);
    EXPECT_EQ(m.Top, 4);
}

TEST(BuildCropOptions, MinimumMargins_On720x576_Crop704x576AtOrigin)
{
    TComponent owner(nullptr);
    TOmTables t(&owner);
    TskSkinStringGrid& g = *t.convertgrid;
    g.SetCells(JobRecord::FrameWidth, 0, "720");
    g.SetCells(JobRecord::FrameHeight, 0, "576");
    for (int c = JobRecord::CropLeft; c <= JobRecord::CropBottom; ++c)
        g.SetCells(c, 0, "4");
    g.SetCells(JobRecord::SourceRow, 0, "0");
    t.StringGrid1->SetCells(SourceRecord::CropLeft, 0, "12");
    BuildCropOptions(g, *t.StringGrid1, 0);
    EXPECT_EQ(g.Cells(JobRecord::CropFilter, 0), "crop=704:576:0:0");
    EXPECT_EQ(g.Cells(JobRecord::ClipOptions, 0), "-v_clip 4 4 4 4");
    EXPECT_EQ(g.Cells(JobRecord::FfmpegCrop, 0), "-croptop 4 -cropbottom 4 -cropleft 4 -cropright 4");
    EXPECT_EQ(g.Cells(JobRecord::CroppedWidth, 0), "704");
    EXPECT_EQ(t.StringGrid1->Cells(SourceRecord::CropLeft, 0), "0");
}

TEST(BuildCropOptions, NoFrameSize_NoCropInsteadOfNegativeSizes)
{
    TComponent owner(nullptr);
    TOmTables t(&owner);
    BuildCropOptions(*t.convertgrid, *t.StringGrid1, 0);
    EXPECT_EQ(t.convertgrid->Cells(JobRecord::CropFilter, 0), "");
    EXPECT_EQ(t.convertgrid->Cells(JobRecord::CropLeft, 0), "0");
}
