#include "app/om_tables.h"

#include <iterator>
#include <type_traits>

#include "platform/rtl/TStringList.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

// The owner's grid of that name when its stored form made one already; otherwise a new one with the
// stored shape.
TskSkinStringGrid* MakeTable(TComponent* Owner, const char* Name, int Columns, int Rows)
{
    if (Owner)
        if (auto* existing = dynamic_cast<TskSkinStringGrid*>(Owner->FindComponent(Name)))
            return existing;
    auto* grid = new TskSkinStringGrid(Owner);
    grid->SetName(Name);
    grid->SetOptions(grid->Options() + goRowSelect);
    grid->SetColCount(Columns);
    grid->SetRowCount(Rows);
    grid->SetFixedCols(0);
    grid->SetFixedRows(0);
    return grid;
}

} // namespace

int AppendRow(TskSkinStringGrid& Grid)
{
    if (!Grid.Cells(0, Grid.RowCount() - 1).empty())
        Grid.SetRowCount(Grid.RowCount() + 1);
    const int row = Grid.RowCount() - 1;
    // The row may be an abandoned placeholder, or hold a record from before the table was emptied:
    // the new record starts from empty cells either way.
    ClearRow(Grid, row);
    return row;
}

void ClearRow(TskSkinStringGrid& Grid, int Row)
{
    if (Grid.StoredRow(Row))
        Grid.Rows(Row)->Clear();
}

void ClearTable(TskSkinStringGrid& Grid)
{
    for (int row = Grid.StoredRowCount() - 1; row >= 0; --row)
        ClearRow(Grid, row);
    Grid.SetRowCount(1);
}

void FillVideoExtensions(TStrings& List)
{
    static const char* const extensions[] = {"avi", "mpg", "vob", "dat", "mpe", "pva", "mov", "qt", "mpeg", "divx", "ogg",
                                             "ogm", "mkv", "wmv", "asf", "mpv", "m1v", "m2v", "dv", "mp4", "m4v", "mv4",
                                             "m4v", "264", "dvr-ms", "tivo", "rmvb", "mod", "tp", "ogm", ""};
    List.BeginUpdate();
    List.Clear();
    for (const char* ext : extensions)
        List.Add(ext);
    List.EndUpdate();
}

TOmTables::TOmTables(TComponent* Owner)
{
    StringGrid1 = MakeTable(Owner, "StringGrid1", SourceTableColumns, 1);
    convertgrid = MakeTable(Owner, "convertgrid", JobTableColumns, 1);
    devices = MakeTable(Owner, "devices", DeviceTableColumns, 1);
    dq = MakeTable(Owner, "dq", CurrentProfileColumns, 1);
    codecgrid = MakeTable(Owner, "codecgrid", CodecTableColumns, 1);
    dvdgrid = MakeTable(Owner, "dvdgrid", DvdTableColumns, 1);
    cropgrid = MakeTable(Owner, "cropgrid", CropTableColumns, 5);

    TStrings** lists[] = {&ListBox1, &ListBox2,    &filelist, &filelist2, &filelist3, &folderlist, &folderlist2, &voblist,
                          &dvdbox,   &videobox,    &subVid,   &subISO,    &Memo1,     &Memo2,      &dvdlog,      &mySettings};
    static_assert(std::size(lists) == std::extent_v<decltype(FLists)>);
    for (std::size_t i = 0; i < std::size(lists); ++i) {
        FLists[i] = std::make_unique<TStringList>();
        *lists[i] = FLists[i].get();
    }
    // ListBox2 is a sorted list box.
    FLists[1]->SetSorted(true);
    FillVideoExtensions(*subVid);
}

TOmTables::~TOmTables() = default;
