#pragma once
// One row or one column of a string grid seen as a string list. Position p of a row view is column p
// of that row; position p of a column view is row p of that column. A view is tied to its position
// in the grid, not to the data: moving rows or columns does not move views.
#include <string>

#include "platform/rtl/TStringList.h"

class TskSkinStringGrid;

class TskSkinStringGridStrings : public TStrings {
public:
    // IndexCode: 0 = no line, k + 1 = row k, -(k + 1) = column k.
    TskSkinStringGridStrings(TskSkinStringGrid* AGrid, int AIndexCode);

    int IndexCode() const { return FIndexCode; }

    std::string Get(int Index) const override;
    // ColCount for a row view, RowCount for a column view.
    int GetCount() const override;
    void Put(int Index, const std::string& S) override;
    void* GetObject(int Index) const override;
    void PutObject(int Index, void* Object) override;
    // The first empty position takes the text; -1 (and nothing appended) when none is empty.
    int Add(const std::string& S) override;
    // Empties the line's cells (texts and objects).
    void Clear() override;
    // A grid line has a fixed length: both raise EInvalidGridOperation.
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void SetUpdateState(bool Updating) override;

    // Copies text and object of the first min(Source.Count, Count) positions inside one update;
    // positions beyond the source keep their values.
    void Assign(const TStrings& Source);

private:
    // The grid cell of position Index; (-1, -1) for a view of no line.
    void CellOf(int Index, int& ACol, int& ARow) const;

    TskSkinStringGrid* FGrid;
    int FIndexCode;
};
