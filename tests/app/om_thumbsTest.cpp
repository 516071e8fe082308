#include "app/om_thumbs.h"

#include <gtest/gtest.h>

#include "app/om_tables.h"
#include "platform/vcl/TComponent.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

struct Filter : ::testing::Test {
    TComponent owner{nullptr};
    TOmTables t{&owner};
    std::string For(const char* FW, const char* FH, const char* DW, const char* DH)
    {
        TskSkinStringGrid& g = *t.StringGrid1;
        g.SetCells(SourceRecord::VideoWidth, 0, FW);
        g.SetCells(SourceRecord::VideoHeight, 0, FH);
        g.SetCells(SourceRecord::DisplayWidth, 0, DW);
        g.SetCells(SourceRecord::DisplayHeight, 0, DH);
        return BuildThumbnailFilter(g, 0);
    }
};

} // namespace

TEST_F(Filter, WideDvdFrame_CutToFourByThree)
{
    EXPECT_EQ(For("720", "576", "1024", "576"), "-vf crop=544:576:88:0,scale=320:240,eq=2:-10 ");
    EXPECT_EQ(t.StringGrid1->Cells(SourceRecord::CropLeft, 0), "90");
}

TEST_F(Filter, FourByThree_WholePicture)
{
    EXPECT_EQ(For("640", "480", "640", "480"), "-vf crop=640:480:0:0,scale=320:240,eq=2:-10 ");
}

TEST_F(Filter, MissingDisplaySize_UsesFrameSize)
{
    EXPECT_EQ(For("640", "480", "", ""), "-vf crop=640:480:0:0,scale=320:240,eq=2:-10 ");
}

TEST_F(Filter, NoSize_NoFilterAndNoThrow)
{
    EXPECT_EQ(For("", "", "", ""), "");
    EXPECT_EQ(For("abc", "0", "1024", "576"), "");
}

TEST_F(Filter, ScanThumbnailPath_SafeNameInTheWorkFolder)
{
    t.StringGrid1->SetCells(SourceRecord::OutputName, 0, "../Film");
    t.StringGrid1->SetCells(SourceRecord::SourcePath, 0, "/a/Film.avi");
    const std::string pic = ScanThumbnailPath(*t.StringGrid1, 0, "/w/");
    EXPECT_EQ(pic.rfind("/w/temp/Film-", 0), 0u) << pic;
    EXPECT_EQ(pic.substr(pic.size() - 4), ".jpg");
    // The same name in another folder is another picture; the same source is the same one.
    t.StringGrid1->SetCells(SourceRecord::SourcePath, 0, "/b/Film.avi");
    EXPECT_NE(ScanThumbnailPath(*t.StringGrid1, 0, "/w/"), pic);
    t.StringGrid1->SetCells(SourceRecord::SourcePath, 0, "/a/Film.avi");
    EXPECT_EQ(ScanThumbnailPath(*t.StringGrid1, 0, "/w/"), pic);
    t.StringGrid1->SetCells(SourceRecord::OutputName, 0, "");
    EXPECT_EQ(ScanThumbnailPath(*t.StringGrid1, 0, "/w/"), "");
}
