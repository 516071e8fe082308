#include "skin/grids/TskSkinStringGridStrings.h"

#include <algorithm>
#include <vector>

#include "skin/grids/TskSkinStringGrid.h"

TskSkinStringGridStrings::TskSkinStringGridStrings(TskSkinStringGrid* AGrid, int AIndexCode)
    : FGrid(AGrid), FIndexCode(AIndexCode)
{
}

void TskSkinStringGridStrings::CellOf(int Index, int& ACol, int& ARow) const
{
    if (FIndexCode == 0) {
        ACol = -1;
        ARow = -1;
    } else if (FIndexCode > 0) {
        ACol = Index;
        ARow = FIndexCode - 1;
    } else {
        ACol = -(FIndexCode + 1);
        ARow = Index;
    }
}

int TskSkinStringGridStrings::GetCount() const
{
    if (FIndexCode == 0)
        return 0;
    return FIndexCode > 0 ? FGrid->ColCount() : FGrid->RowCount();
}

std::string TskSkinStringGridStrings::Get(int Index) const
{
    if (FIndexCode == 0)
        return {};
    int col = 0;
    int row = 0;
    CellOf(Index, col, row);
    return FGrid->Cells(col, row);
}

void* TskSkinStringGridStrings::GetObject(int Index) const
{
    if (FIndexCode == 0)
        return nullptr;
    int col = 0;
    int row = 0;
    CellOf(Index, col, row);
    return FGrid->Objects(col, row);
}

void TskSkinStringGridStrings::Put(int Index, const std::string& S)
{
    int col = 0;
    int row = 0;
    CellOf(Index, col, row);
    FGrid->SetCells(col, row, S);
}

void TskSkinStringGridStrings::PutObject(int Index, void* Object)
{
    int col = 0;
    int row = 0;
    CellOf(Index, col, row);
    FGrid->SetObjects(col, row, Object);
}

int TskSkinStringGridStrings::Add(const std::string& S)
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        if (Get(i).empty()) {
            Put(i, S);
            return i;
        }
    }
    return -1;
}

void TskSkinStringGridStrings::Clear()
{
    if (FIndexCode == 0)
        return;
    if (FIndexCode > 0) {
        const int row = FIndexCode - 1;
        TStringSparseList* cells = FGrid->StoredRow(row);
        if (!cells)
            return;
        // Collected first: emptying a cell removes it from the list being walked.
        std::vector<int> stored;
        cells->ForEachLine([&stored](int index, const std::string&, void*) {
            stored.push_back(index);
            return 0;
        });
        for (int col : stored) {
            cells->PutObject(col, nullptr);
            cells->Put(col, std::string());
            FGrid->UpdateCell(col, row);
        }
    } else {
        for (int i = GetCount() - 1; i >= 0; --i) {
            PutObject(i, nullptr);
            Put(i, std::string());
        }
    }
}

void TskSkinStringGridStrings::Insert(int, const std::string&)
{
    throw EInvalidGridOperation(SCannotInsertDelete);
}

void TskSkinStringGridStrings::Delete(int)
{
    throw EInvalidGridOperation(SCannotInsertDelete);
}

void TskSkinStringGridStrings::SetUpdateState(bool Updating)
{
    FGrid->SetUpdateState(Updating);
}

void TskSkinStringGridStrings::Assign(const TStrings& Source)
{
    BeginUpdate();
    try {
        const int n = std::min(Source.Count(), GetCount());
        for (int i = 0; i < n; ++i) {
            Put(i, Source.Strings(i));
            PutObject(i, Source.Objects(i));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
