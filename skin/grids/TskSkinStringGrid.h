#pragma once
// The string grid: a grid whose cells hold text (and an object reference each) in a sparse store.
// Every value written at any non-negative column and row is kept, whatever ColCount and RowCount say,
// and a cell never written reads as "". Shrinking RowCount keeps the rows beyond it; growing it again
// shows them once more. Only a negative index, or one beyond the largest storable index (1,048,559
// rows), is refused with EListError.
#include <functional>
#include <memory>
#include <string>

#include "skin/grids/SparseStore.h"
#include "skin/grids/TStringSparseList.h"
#include "skin/grids/TskSkinDrawGrid.h"
#include "skin/grids/TskSkinStringGridStrings.h"

// Lets a handler choose a cell's colours before its text is drawn: the font colour always, the
// background only when AFillBG comes back true.
using TskGetCellParamEvent = std::function<void(TObject* Sender, int ACol, int ARow, TGridDrawState AState,
    TColor& ABGColor, bool& AFillBG, TColor& AFontColor)>;

class TskSkinStringGrid : public TskSkinDrawGrid {
public:
    explicit TskSkinStringGrid(TComponent* AOwner);
    ~TskSkinStringGrid() override;

    std::string Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const std::string& Value);
    void* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, void* Value);
    // The view of one column or row (made on first use, owned by the grid).
    TStrings* Cols(int Index);
    TStrings* Rows(int Index);
    void SetCols(int Index, const TStrings& Value);
    void SetRows(int Index, const TStrings& Value);

    // One more than the highest row that has ever been written (whatever RowCount says).
    int StoredRowCount() const { return FData->Count(); }

    // The cells of a row; nil for a row never written. EnsureDataRow makes it when needed.
    TStringSparseList* StoredRow(int ARow) const { return DataRow(ARow); }
    TStringSparseList* EnsureDataRow(int ARow);
    TskSkinStringGridStrings* EnsureColRow(int Index, bool IsColumn);
    // A cell changed: repaint it (or just remember to, inside an update) and refresh the editor when
    // it is the current cell and the editor itself is not the writer.
    void UpdateCell(int ACol, int ARow);
    // While updating, cell changes only mark the grid; the end of the update repaints it once.
    void SetUpdateState(bool Updating);
    void DisableEditUpdate() { ++FEditUpdate; }
    void EnableEditUpdate() { --FEditUpdate; }

    TskGetCellParamEvent OnGetCellParam;

protected:
    // Draws the cell's text (with DefaultDrawing), then OnDrawCell.
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;

private:
    void InitStores();
    TStringSparseList* DataRow(int ARow) const { return static_cast<TStringSparseList*>(FData->Get(ARow)); }
    [[noreturn]] static void IndexError();
    void CheckWriteIndex(int ACol, int ARow) const;

    // Rows indexed by row, each a list of cells indexed by column; nil for a row never written.
    std::unique_ptr<TSparseList> FData;
    std::unique_ptr<TSparseList> FRowViews;
    std::unique_ptr<TSparseList> FColViews;
    bool FUpdating = false;
    bool FNeedsUpdating = false;
    int FEditUpdate = 0;
};
