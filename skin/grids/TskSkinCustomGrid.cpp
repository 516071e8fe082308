#include "skin/grids/TskSkinCustomGrid.h"

#include <algorithm>

const char* const SGridIndexOutOfRange = "Grid index out of range";
const char* const SFixedColTooBig = "Fixed column count must be less than column count";
const char* const SFixedRowTooBig = "Fixed row count must be less than row count";
const char* const SCannotInsertDelete = "Cannot insert or delete rows from grid";
const char* const STooManyDeleted = "Too many rows or columns deleted";
const char* const SGridTooLarge = "Grid too large for operation";

namespace {

[[noreturn]] void GridError(const char* Message)
{
    throw EInvalidGridOperation(Message);
}

// Where an index lands when line From moves to To: the moved line goes to To, the lines between
// shift one place towards From.
int MovedIndex(int Index, int From, int To)
{
    if (Index == From)
        return To;
    if (From < To && Index > From && Index <= To)
        return Index - 1;
    if (From > To && Index >= To && Index < From)
        return Index + 1;
    return Index;
}

} // namespace

TskSkinCustomGrid::TskSkinCustomGrid(TComponent* AOwner) : TComponent(AOwner) {}

TskSkinCustomGrid::~TskSkinCustomGrid() = default;

TGridRect TskSkinCustomGrid::Selection() const
{
    return {std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y), std::max(FCurrent.X, FAnchor.X),
            std::max(FCurrent.Y, FAnchor.Y)};
}

void TskSkinCustomGrid::SetColCount(int Value)
{
    Value = std::max(Value, 1);
    if (Value == FColCount)
        return;
    if (Value <= FFixedCols)
        SetFixedCols(Value - 1);
    ChangeSize(Value, FRowCount);
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.X = FColCount - 1;
        InvalidateGrid();
    }
}

void TskSkinCustomGrid::SetRowCount(int Value)
{
    Value = std::max(Value, 1);
    if (Value == FRowCount)
        return;
    if (Value <= FFixedRows)
        SetFixedRows(Value - 1);
    ChangeSize(FColCount, Value);
}

void TskSkinCustomGrid::SetFixedCols(int Value)
{
    if (Value < 0)
        GridError(SGridIndexOutOfRange);
    if (Value >= FColCount)
        GridError(SFixedColTooBig);
    FFixedCols = Value;
    ResetSelection();
}

void TskSkinCustomGrid::SetFixedRows(int Value)
{
    if (Value < 0)
        GridError(SGridIndexOutOfRange);
    if (Value >= FRowCount)
        GridError(SFixedRowTooBig);
    FFixedRows = Value;
    ResetSelection();
}

void TskSkinCustomGrid::ResetSelection()
{
    FTopLeft = {FFixedCols, FFixedRows};
    FCurrent = FTopLeft;
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect))
        FAnchor.X = FColCount - 1;
    InvalidateGrid();
}

void TskSkinCustomGrid::SetCol(int Value)
{
    if (Value != FCurrent.X)
        FocusCell(Value, FCurrent.Y, true);
}

void TskSkinCustomGrid::SetRow(int Value)
{
    if (Value != FCurrent.Y)
        FocusCell(FCurrent.X, Value, true);
}

void TskSkinCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveColRow(ACol, ARow, MoveAnchor, true);
    InvalidateEditor();
    Click();
}

void TskSkinCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool /*Show*/)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        GridError(SGridIndexOutOfRange);
    if (!SelectCell(ACol, ARow))
        return;
    const TGridCoord oldCurrent = FCurrent;
    FCurrent = {ACol, ARow};
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect))
            FAnchor.X = FColCount - 1;
    }
    if (FOptions.Contains(goRowSelect))
        FCurrent.X = FFixedCols;
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TskSkinCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value.Contains(goRowSelect))
        Value.Exclude(goAlwaysShowEditor);
    if (Value == FOptions)
        return;
    FOptions = Value;
    if (FOptions.Contains(goRowSelect)) {
        MoveColRow(FCurrent.X, FCurrent.Y, false, false);
        FAnchor.X = FColCount - 1;
    }
    InvalidateGrid();
}

void TskSkinCustomGrid::SetDefaultColWidth(int Value)
{
    if (Value == FDefaultColWidth)
        return;
    FDefaultColWidth = Value;
    InvalidateGrid();
}

void TskSkinCustomGrid::SetDefaultRowHeight(int Value)
{
    if (Value == FDefaultRowHeight)
        return;
    FDefaultRowHeight = Value;
    InvalidateGrid();
}

void TskSkinCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    const int oldColCount = FColCount;
    const int oldRowCount = FRowCount;
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    if (FFixedCols >= FColCount)
        FFixedCols = FColCount - 1;
    if (FFixedRows >= FRowCount)
        FFixedRows = FRowCount - 1;
    // The current cell and the anchor stay inside the grid; what the grid stores per cell is not
    // touched, so lines beyond the new counts come back when the counts grow again.
    if (FCurrent.X >= FColCount || FCurrent.Y >= FRowCount)
        MoveColRow(std::min(FCurrent.X, FColCount - 1), std::min(FCurrent.Y, FRowCount - 1), true, true);
    FCurrent = {std::min(FCurrent.X, FColCount - 1), std::min(FCurrent.Y, FRowCount - 1)};
    FAnchor = {std::min(FAnchor.X, FColCount - 1), std::min(FAnchor.Y, FRowCount - 1)};
    const TGridCoord oldTopLeft = FTopLeft;
    FTopLeft = {std::clamp(FTopLeft.X, FFixedCols, FColCount - 1), std::clamp(FTopLeft.Y, FFixedRows, FRowCount - 1)};
    InvalidateGrid();
    if (FTopLeft != oldTopLeft)
        TopLeftChanged();
    SizeChanged(oldColCount, oldRowCount);
}

void TskSkinCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex)
        return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
        GridError(SGridIndexOutOfRange);
    FCurrent.X = MovedIndex(FCurrent.X, FromIndex, ToIndex);
    FAnchor.X = MovedIndex(FAnchor.X, FromIndex, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    InvalidateEditor();
}

void TskSkinCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex)
        return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
        GridError(SGridIndexOutOfRange);
    FCurrent.Y = MovedIndex(FCurrent.Y, FromIndex, ToIndex);
    FAnchor.Y = MovedIndex(FAnchor.Y, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    InvalidateEditor();
}

void TskSkinCustomGrid::DeleteColumn(int ACol)
{
    MoveColumn(ACol, FColCount - 1);
    SetColCount(FColCount - 1);
}

void TskSkinCustomGrid::DeleteRow(int ARow)
{
    MoveRow(ARow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}

bool TskSkinCustomGrid::SelectCell(int, int)
{
    return true;
}

void TskSkinCustomGrid::SizeChanged(int, int) {}
void TskSkinCustomGrid::TopLeftChanged() {}
void TskSkinCustomGrid::ColumnMoved(int, int) {}
void TskSkinCustomGrid::RowMoved(int, int) {}

std::string TskSkinCustomGrid::GetEditText(int, int)
{
    return {};
}

void TskSkinCustomGrid::SetEditText(int, int, const std::string&) {}
void TskSkinCustomGrid::InvalidateEditor() {}
void TskSkinCustomGrid::InvalidateCell(int, int) {}
void TskSkinCustomGrid::InvalidateGrid() {}
void TskSkinCustomGrid::Click() {}
