#include "app/om_tables.h"

#include <gtest/gtest.h>

#include "platform/rtl/TStringList.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

struct Tables : ::testing::Test {
    TComponent owner{nullptr};
    TOmTables tables{&owner};
};

TEST_F(Tables, TablesHaveTheirStoredShapes)
{
    EXPECT_EQ(tables.StringGrid1->ColCount(), 69);
    EXPECT_EQ(tables.StringGrid1->RowCount(), 1);
    EXPECT_EQ(tables.StringGrid1->FixedRows(), 0);
    EXPECT_EQ(tables.StringGrid1->FixedCols(), 0);
    EXPECT_EQ(tables.convertgrid->ColCount(), 69);
    EXPECT_EQ(tables.devices->ColCount(), 15);
    EXPECT_EQ(tables.dq->ColCount(), 21);
    EXPECT_EQ(tables.dvdgrid->ColCount(), 100);
    EXPECT_EQ(tables.cropgrid->RowCount(), 5);
    EXPECT_EQ(owner.FindComponent("StringGrid1"), tables.StringGrid1);
}

TEST_F(Tables, VideoExtensionsAreTheStoredThirtyOne)
{
    ASSERT_EQ(tables.subVid->Count(), 31);
    EXPECT_EQ(tables.subVid->Strings(0), "avi");
    EXPECT_EQ(tables.subVid->Strings(24), "dvr-ms");
    EXPECT_EQ(tables.subVid->Strings(30), "");
    EXPECT_EQ(tables.subISO->Count(), 0);
}

TEST_F(Tables, FirstRecordGoesIntoRowZero)
{
    TskSkinStringGrid& grid = *tables.StringGrid1;
    EXPECT_EQ(AppendRow(grid), 0);
    grid.SetCells(SourceRecord::RowId, 0, "00000");
    EXPECT_EQ(AppendRow(grid), 1);
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST_F(Tables, ColumnSixtyNineOfASixtyNineColumnTableWorks)
{
    TskSkinStringGrid& grid = *tables.StringGrid1;
    grid.SetCells(SourceRecord::DvdAspect, 0, "1.7778");
    EXPECT_EQ(grid.Cells(69, 0), "1.7778");
}

TEST_F(Tables, ReusedPlaceholderRowStartsEmpty)
{
    TskSkinStringGrid& grid = *tables.StringGrid1;
    // A DVD scan left a placeholder: column 0 empty, but frame size and aspect filled.
    const int placeholder = AppendRow(grid);
    grid.SetCells(SourceRecord::VideoWidth, placeholder, "720");
    grid.SetCells(SourceRecord::VideoAspect, placeholder, "1.3333");
    const int next = AppendRow(grid);
    EXPECT_EQ(next, placeholder);
    EXPECT_EQ(grid.Cells(SourceRecord::VideoWidth, next), "");
    EXPECT_EQ(grid.Cells(SourceRecord::VideoAspect, next), "");
}

TEST_F(Tables, ClearTableEmptiesAlsoRowsBeyondRowCount)
{
    TskSkinStringGrid& grid = *tables.convertgrid;
    for (int i = 0; i < 3; ++i)
        grid.SetCells(0, AppendRow(grid), "job");
    grid.SetRowCount(1);
    ClearTable(grid);
    EXPECT_EQ(grid.RowCount(), 1);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Cells(0, 2), "");
}

} // namespace

namespace {

TEST(TablesOfAForm, GridsTheOwnerAlreadyHasAreAdopted)
{
    TComponent owner(nullptr);
    auto* existing = new TskSkinStringGrid(&owner);
    existing->SetName("convertgrid");
    TOmTables tables(&owner);
    EXPECT_EQ(tables.convertgrid, existing);
    EXPECT_NE(tables.StringGrid1, nullptr);
}

} // namespace
