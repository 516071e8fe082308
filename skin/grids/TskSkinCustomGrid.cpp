#include "skin/grids/TskSkinCustomGrid.h"

#include <algorithm>
#include <climits>

#include "platform/gfx/Drawing.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TScreen.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "skin/controls/SkinTileDraw.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinMainMenuBar.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"
#include "skin/grids/GridNavigation.h"
#include "skin/grids/TskSkinInplaceEdit.h"

const char* const SGridIndexOutOfRange = "Grid index out of range";
const char* const SFixedColTooBig = "Fixed column count must be less than column count";
const char* const SFixedRowTooBig = "Fixed row count must be less than row count";
const char* const SCannotInsertDelete = "Cannot insert or delete rows from grid";
const char* const STooManyDeleted = "Too many rows or columns deleted";
const char* const SGridTooLarge = "Grid too large for operation";

namespace {

constexpr int ScrollSteps = 127; // the bars' range when the grid scrolls by cells
constexpr int MaxExtentCount = 0x7FFFFFE;

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

// Resizes a size array to Count entries, new ones taking Default; the checks come before any change.
template <class T> void ResizeExtents(std::vector<T>& Extents, int Count, T Default)
{
    if (Count < 0)
        GridError(STooManyDeleted);
    if (Count >= MaxExtentCount)
        GridError(SGridTooLarge);
    Extents.resize(static_cast<std::size_t>(Count), Default);
}

template <class T> void MoveExtent(std::vector<T>& Extents, int From, int To)
{
    if (Extents.empty())
        return;
    const T v = Extents[static_cast<std::size_t>(From)];
    Extents.erase(Extents.begin() + From);
    Extents.insert(Extents.begin() + To, v);
}

// Stores a changed value; false when it was the same already.
template <class T> bool Store(T& Field, T Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

TskSkinCustomGrid::TskSkinCustomGrid(TComponent* AOwner) : TskSkinControl(AOwner), FWallpaper(new TBitmap)
{
    // The grid decides itself when a mouse release is a click (the end of a selection).
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    SetSkinDataName("grid");
    SetBounds(Left(), Top(), FColCount * FDefaultColWidth, FRowCount * FDefaultRowHeight);
}

TskSkinCustomGrid::~TskSkinCustomGrid()
{
    FreeEditor();
    StopTimer();
    UnbindBar(FHScrollBar);
    UnbindBar(FVScrollBar);
    delete FWallpaper;
}

void TskSkinCustomGrid::CreateParams(TCreateParams& Params)
{
    TskSkinControl::CreateParams(Params);
    // The skinned bars replace the native ones, and the skin draws any border there is.
    Params.Style = (Params.Style | WS_TABSTOP) & ~(WS_HSCROLL | WS_VSCROLL | WS_BORDER);
    Params.ClassStyle |= CS_DBLCLKS;
}

// ---------------------------------------------------------------------------------------------
// Counts, sizes, fixed lines

TGridRect TskSkinCustomGrid::Selection() const
{
    return {std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y), std::max(FCurrent.X, FAnchor.X),
            std::max(FCurrent.Y, FAnchor.Y)};
}

void TskSkinCustomGrid::SetSelection(const TGridRect& Value)
{
    const TGridRect oldSel = Selection();
    FAnchor = {Value.Left, Value.Top};
    FCurrent = {Value.Right, Value.Bottom};
    SelectionMoved(oldSel);
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
    FColOffset = 0;
    FCurrent = FTopLeft;
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect))
        FAnchor.X = FColCount - 1;
    InvalidateGrid();
    UpdateScrollRange();
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
    try {
        ApplySize(oldColCount, oldRowCount);
    } catch (...) {
        // Nothing of the failed size stays: the old counts come back whole (a fixed count lowered
        // above stays lowered, which the old counts allow).
        FColCount = oldColCount;
        FRowCount = oldRowCount;
        ApplySize(oldColCount, oldRowCount);
        InvalidateGrid();
        throw;
    }
}

void TskSkinCustomGrid::ApplySize(int OldColCount, int OldRowCount)
{
    if (!FColWidths.empty()) {
        // Both arrays are checked before either changes.
        if (FColCount >= MaxExtentCount)
            GridError(SGridTooLarge);
        ResizeExtents(FColWidths, FColCount, FDefaultColWidth);
        ResizeExtents(FTabStops, FColCount, true);
    }
    if (!FRowHeights.empty())
        ResizeExtents(FRowHeights, FRowCount, FDefaultRowHeight);
    // The current cell and the anchor stay inside the grid; what the descendants store per cell is not
    // touched, so lines beyond the new counts come back when the counts grow again.
    if (FCurrent.X >= FColCount || FCurrent.Y >= FRowCount)
        MoveColRow(std::min(FCurrent.X, FColCount - 1), std::min(FCurrent.Y, FRowCount - 1), true, true);
    FCurrent = {std::min(FCurrent.X, FColCount - 1), std::min(FCurrent.Y, FRowCount - 1)};
    FAnchor = {std::min(FAnchor.X, FColCount - 1), std::min(FAnchor.Y, FRowCount - 1)};
    const TGridCoord oldTopLeft = FTopLeft;
    FTopLeft = {std::clamp(FTopLeft.X, FFixedCols, FColCount - 1), std::clamp(FTopLeft.Y, FFixedRows, FRowCount - 1)};
    if (FColCount != 1)
        FColOffset = 0;
    InvalidateGrid();
    UpdateScrollRange();
    if (FTopLeft != oldTopLeft)
        TopLeftChanged();
    if (OldColCount != FColCount || OldRowCount != FRowCount)
        SizeChanged(OldColCount, OldRowCount);
}

void TskSkinCustomGrid::SetDefaultColWidth(int Value)
{
    if (Value == FDefaultColWidth && FColWidths.empty())
        return;
    FDefaultColWidth = Value;
    FColWidths.clear();
    FTabStops.clear();
    InvalidateGrid();
    ColWidthsChanged();
}

void TskSkinCustomGrid::SetDefaultRowHeight(int Value)
{
    if (Value == FDefaultRowHeight && FRowHeights.empty())
        return;
    FDefaultRowHeight = Value;
    FRowHeights.clear();
    InvalidateGrid();
    RowHeightsChanged();
}

int TskSkinCustomGrid::ColWidths(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FColWidths.size()))
        return FDefaultColWidth;
    return FColWidths[static_cast<std::size_t>(Index)];
}

void TskSkinCustomGrid::EnsureColExtents()
{
    if (!FColWidths.empty())
        return;
    ResizeExtents(FColWidths, FColCount, FDefaultColWidth);
    ResizeExtents(FTabStops, FColCount, true);
}

void TskSkinCustomGrid::SetColWidths(int Index, int Value)
{
    EnsureColExtents();
    if (Index < 0 || Index >= static_cast<int>(FColWidths.size()))
        GridError(SGridIndexOutOfRange);
    if (FColWidths[static_cast<std::size_t>(Index)] == Value)
        return;
    InvalidateGrid();
    FColWidths[static_cast<std::size_t>(Index)] = Value;
    ColWidthsChanged();
}

int TskSkinCustomGrid::RowHeights(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FRowHeights.size()))
        return FDefaultRowHeight;
    return FRowHeights[static_cast<std::size_t>(Index)];
}

void TskSkinCustomGrid::SetRowHeights(int Index, int Value)
{
    if (FRowHeights.empty())
        ResizeExtents(FRowHeights, FRowCount, FDefaultRowHeight);
    if (Index < 0 || Index >= static_cast<int>(FRowHeights.size()))
        GridError(SGridIndexOutOfRange);
    if (FRowHeights[static_cast<std::size_t>(Index)] == Value)
        return;
    InvalidateGrid();
    FRowHeights[static_cast<std::size_t>(Index)] = Value;
    RowHeightsChanged();
}

bool TskSkinCustomGrid::TabStops(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FTabStops.size()))
        return true;
    return FTabStops[static_cast<std::size_t>(Index)];
}

void TskSkinCustomGrid::SetTabStops(int Index, bool Value)
{
    EnsureColExtents();
    if (Index < 0 || Index >= static_cast<int>(FTabStops.size()))
        GridError(SGridIndexOutOfRange);
    FTabStops[static_cast<std::size_t>(Index)] = Value;
}

void TskSkinCustomGrid::SetGridLineWidth(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FGridLineWidth)
        return;
    FGridLineWidth = Value;
    InvalidateGrid();
    UpdateScrollRange();
}

void TskSkinCustomGrid::ColWidthsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TskSkinCustomGrid::RowHeightsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TskSkinCustomGrid::AdjustSize(int Index, int Amount, bool Rows)
{
    if (Amount == 0)
        return;
    const int oldCols = FColCount;
    const int oldRows = FRowCount;
    const int count = Rows ? FRowCount : FColCount;
    // Every check comes before any change: a line outside the grid, or more deleted than there are
    // from it on, would write outside the size arrays.
    if (Index < 0 || Index > count)
        GridError(SGridIndexOutOfRange);
    if (Amount < 0 && Index - Amount > count)
        GridError(STooManyDeleted);
    const long long wanted = static_cast<long long>(count) + Amount;
    if (wanted < 1)
        GridError(STooManyDeleted);
    if (wanted >= MaxExtentCount)
        GridError(SGridTooLarge);
    const int newCount = static_cast<int>(wanted);
    if (Rows) {
        if (!FRowHeights.empty()) {
            if (Amount < 0)
                FRowHeights.erase(FRowHeights.begin() + Index, FRowHeights.begin() + Index - Amount);
            else
                FRowHeights.insert(FRowHeights.begin() + Index, static_cast<std::size_t>(Amount), FDefaultRowHeight);
        }
        FRowCount = newCount;
    } else {
        if (!FColWidths.empty()) {
            if (Amount < 0) {
                FColWidths.erase(FColWidths.begin() + Index, FColWidths.begin() + Index - Amount);
                FTabStops.erase(FTabStops.begin() + Index, FTabStops.begin() + Index - Amount);
            } else {
                FColWidths.insert(FColWidths.begin() + Index, static_cast<std::size_t>(Amount), FDefaultColWidth);
                FTabStops.insert(FTabStops.begin() + Index, static_cast<std::size_t>(Amount), true);
            }
        }
        FColCount = newCount;
    }
    FFixedCols = std::min(FFixedCols, FColCount - 1);
    FFixedRows = std::min(FFixedRows, FRowCount - 1);
    TGridCoord cell = FCurrent;
    int& line = Rows ? cell.Y : cell.X;
    if (line >= Index) {
        if (Amount < 0 && line < Index - Amount)
            line = Index;
        else
            line += Amount;
    }
    cell = {std::clamp(cell.X, 0, FColCount - 1), std::clamp(cell.Y, 0, FRowCount - 1)};
    FAnchor = {std::min(FAnchor.X, FColCount - 1), std::min(FAnchor.Y, FRowCount - 1)};
    FTopLeft = {std::clamp(FTopLeft.X, FFixedCols, FColCount - 1), std::clamp(FTopLeft.Y, FFixedRows, FRowCount - 1)};
    InvalidateGrid();
    UpdateScrollRange();
    SizeChanged(oldCols, oldRows);
    if (cell != FCurrent) {
        FCurrent = {std::min(FCurrent.X, FColCount - 1), std::min(FCurrent.Y, FRowCount - 1)};
        MoveColRow(cell.X, cell.Y, true, true);
    }
}

// ---------------------------------------------------------------------------------------------
// Current cell and selection

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

void TskSkinCustomGrid::SetLeftCol(int Value)
{
    if (Value != FTopLeft.X)
        MoveTopLeft(Value, FTopLeft.Y);
}

void TskSkinCustomGrid::SetTopRow(int Value)
{
    if (Value != FTopLeft.Y)
        MoveTopLeft(FTopLeft.X, Value);
}

void TskSkinCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    // The cell's handlers may free the grid.
    const auto alive = FAlive.Watch();
    MoveColRow(ACol, ARow, MoveAnchor, true);
    if (!*alive) return;
    UpdateEdit();
    if (*alive) Click();
}

void TskSkinCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        GridError(SGridIndexOutOfRange);
    // The selecting and scrolling handlers may free the grid; its callers look at FAlive too.
    const auto alive = FAlive.Watch();
    if (!SelectCell(ACol, ARow) || !*alive)
        return;
    const TGridRect oldSel = Selection();
    const TGridCoord oldCurrent = FCurrent;
    FCurrent = {ACol, ARow};
    if (!FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect))
            FAnchor.X = FColCount - 1;
    }
    if (FOptions.Contains(goRowSelect))
        FCurrent.X = FFixedCols;
    if (Show)
        ClampInView(FCurrent);
    if (!*alive)
        return;
    SelectionMoved(oldSel);
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TskSkinCustomGrid::MoveAnchor(TGridCoord NewAnchor)
{
    if (FOptions.Contains(goRangeSelect) && !FOptions.Contains(goEditing)) {
        const TGridRect oldSel = Selection();
        FAnchor = NewAnchor;
        if (FOptions.Contains(goRowSelect))
            FAnchor.X = FColCount - 1;
        const auto alive = FAlive.Watch();
        ClampInView(NewAnchor);
        if (*alive)
            SelectionMoved(oldSel);
    } else {
        MoveColRow(NewAnchor.X, NewAnchor.Y, true, true);
    }
}

void TskSkinCustomGrid::SelectionMoved(const TGridRect& OldSel)
{
    // Both selections are repainted whole: the cells that left it and those that joined it are inside.
    const TGridRect sel = Selection();
    if (sel == OldSel)
        return;
    InvalidateGridRect(OldSel);
    InvalidateGridRect(sel);
}

bool TskSkinCustomGrid::SelectCell(int, int)
{
    return true;
}

void TskSkinCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value.Contains(goRowSelect))
        Value.Exclude(goAlwaysShowEditor);
    if (Value == FOptions)
        return;
    const bool linesChanged = (Value * TGridOptions{goFixedVertLine, goVertLine, goFixedHorzLine, goHorzLine}) !=
                              (FOptions * TGridOptions{goFixedVertLine, goVertLine, goFixedHorzLine, goHorzLine});
    FOptions = Value;
    if (!FEditorMode)
        FEditorMode = FOptions.Contains(goAlwaysShowEditor) && FOptions.Contains(goEditing);
    if (FOptions.Contains(goRowSelect)) {
        MoveColRow(FCurrent.X, FCurrent.Y, false, false);
        FAnchor.X = FColCount - 1;
    }
    InvalidateGrid();
    if (linesChanged)
        UpdateScrollRange();
    if (FInplaceEdit != nullptr && !CanEditShow())
        HideEdit();
    else
        UpdateEdit();
}

// ---------------------------------------------------------------------------------------------
// Line moves

void TskSkinCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex)
        return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
        GridError(SGridIndexOutOfRange);
    MoveExtent(FColWidths, FromIndex, ToIndex);
    if (!FTabStops.empty()) {
        const bool v = FTabStops[static_cast<std::size_t>(FromIndex)];
        FTabStops.erase(FTabStops.begin() + FromIndex);
        FTabStops.insert(FTabStops.begin() + ToIndex, v);
    }
    FCurrent.X = MovedIndex(FCurrent.X, FromIndex, ToIndex);
    FAnchor.X = MovedIndex(FAnchor.X, FromIndex, ToIndex);
    // The editor's cell travels with its column, or its text would later be written into another.
    if (FInplaceCol != -1)
        FInplaceCol = MovedIndex(FInplaceCol, FromIndex, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    if (!FColWidths.empty())
        ColWidthsChanged();
    InvalidateGrid();
    UpdateEdit();
}

void TskSkinCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex)
        return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
        GridError(SGridIndexOutOfRange);
    MoveExtent(FRowHeights, FromIndex, ToIndex);
    FCurrent.Y = MovedIndex(FCurrent.Y, FromIndex, ToIndex);
    FAnchor.Y = MovedIndex(FAnchor.Y, FromIndex, ToIndex);
    if (FInplaceRow != -1)
        FInplaceRow = MovedIndex(FInplaceRow, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    if (!FRowHeights.empty())
        RowHeightsChanged();
    InvalidateGrid();
    UpdateEdit();
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

// ---------------------------------------------------------------------------------------------
// Hooks of the descendants

void TskSkinCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {}
void TskSkinCustomGrid::SizeChanged(int, int) {}
void TskSkinCustomGrid::TopLeftChanged()
{
    if (FEditorMode && FInplaceEdit != nullptr)
        FInplaceEdit->UpdateLoc(CellRect(FCurrent.X, FCurrent.Y));
}
void TskSkinCustomGrid::ColumnMoved(int, int) {}
void TskSkinCustomGrid::RowMoved(int, int) {}
bool TskSkinCustomGrid::BeginColumnDrag(int&, int&, const TPoint&) { return true; }
bool TskSkinCustomGrid::BeginRowDrag(int&, int&, const TPoint&) { return true; }
bool TskSkinCustomGrid::CheckColumnDrag(int&, int&, const TPoint&) { return true; }
bool TskSkinCustomGrid::CheckRowDrag(int&, int&, const TPoint&) { return true; }
bool TskSkinCustomGrid::EndColumnDrag(int&, int&, const TPoint&) { return true; }
bool TskSkinCustomGrid::EndRowDrag(int&, int&, const TPoint&) { return true; }

std::string TskSkinCustomGrid::GetEditText(int, int)
{
    return {};
}

void TskSkinCustomGrid::SetEditText(int, int, const std::string&) {}

std::string TskSkinCustomGrid::GetEditMask(int, int)
{
    return {};
}

// ---------------------------------------------------------------------------------------------
// Geometry

int TskSkinCustomGrid::ClientW() const
{
    return FHandle != 0 ? ClientRect().Width() : Width();
}

int TskSkinCustomGrid::ClientH() const
{
    return FHandle != 0 ? ClientRect().Height() : Height();
}

TGridAxisInfo TskSkinCustomGrid::HorzAxis()
{
    TGridAxisInfo a;
    a.EffectiveLineWidth =
        (FOptions * TGridOptions{goFixedVertLine, goVertLine}) != TGridOptions{} ? FGridLineWidth : 0;
    a.FixedCellCount = FFixedCols;
    a.FirstGridCell = FTopLeft.X;
    a.GridCellCount = FColCount;
    a.GridExtent = ClientW();
    a.Offset = FColOffset;
    a.Extent = [this](int i) { return ColWidths(i); };
    CalcAxis(a);
    return a;
}

TGridAxisInfo TskSkinCustomGrid::VertAxis()
{
    TGridAxisInfo a;
    a.EffectiveLineWidth =
        (FOptions * TGridOptions{goFixedHorzLine, goHorzLine}) != TGridOptions{} ? FGridLineWidth : 0;
    a.FixedCellCount = FFixedRows;
    a.FirstGridCell = FTopLeft.Y;
    a.GridCellCount = FRowCount;
    a.GridExtent = ClientH();
    a.Extent = [this](int i) { return RowHeights(i); };
    CalcAxis(a);
    return a;
}

int TskSkinCustomGrid::VisibleColCount()
{
    return HorzAxis().LastFullVisibleCell - FTopLeft.X + 1;
}

int TskSkinCustomGrid::VisibleRowCount()
{
    return VertAxis().LastFullVisibleCell - FTopLeft.Y + 1;
}

TRect TskSkinCustomGrid::LtrBoxRect(const TGridRect& R)
{
    int l = 0, r = 0, t = 0, b = 0;
    if (!AxisSpan(HorzAxis(), R.Left, R.Right, l, r) || !AxisSpan(VertAxis(), R.Top, R.Bottom, t, b))
        return Rect(0, 0, 0, 0);
    return Rect(l, t, r, b);
}

TRect TskSkinCustomGrid::BoxRect(const TGridRect& R)
{
    const TRect r = LtrBoxRect(R);
    return r.IsEmpty() ? r : FlipRect(r);
}

int TskSkinCustomGrid::FlipX(int X) const
{
    return UseRightToLeftAlignment() ? ClientW() - 1 - X : X;
}

TRect TskSkinCustomGrid::FlipRect(const TRect& R) const
{
    if (!UseRightToLeftAlignment())
        return R;
    const int w = ClientW();
    return Rect(w - R.Right, R.Top, w - R.Left, R.Bottom);
}

void TskSkinCustomGrid::SetBiDiMode(TBiDiMode Value)
{
    if (Value == FBiDiMode)
        return;
    FBiDiMode = Value;
    InvalidateGrid();
    UpdateScrollRange();
    if (FEditorMode && FInplaceEdit != nullptr)
        FInplaceEdit->UpdateLoc(CellRect(FCurrent.X, FCurrent.Y));
}

TRect TskSkinCustomGrid::CellRect(int ACol, int ARow)
{
    return BoxRect({ACol, ARow, ACol, ARow});
}

TGridCoord TskSkinCustomGrid::MouseCoord(int X, int Y)
{
    return {AxisCellAt(HorzAxis(), FlipX(X)), AxisCellAt(VertAxis(), Y)};
}

TGridCoord TskSkinCustomGrid::CalcMaxTopLeft()
{
    // The largest first cell that still fills the view, counted back from the last cell.
    return {AxisFirstShowing(HorzAxis(), FColCount - 1), AxisFirstShowing(VertAxis(), FRowCount - 1)};
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void TskSkinCustomGrid::ClampInView(TGridCoord Cell)
{
    if (FColCount <= 0 || FRowCount <= 0)
        return;
    const TGridAxisInfo h = HorzAxis();
    const TGridAxisInfo v = VertAxis();
    TGridCoord topLeft = FTopLeft;
    if (Cell.X >= FFixedCols) {
        if (Cell.X < FTopLeft.X)
            topLeft.X = Cell.X;
        else if (Cell.X > h.LastFullVisibleCell)
            topLeft.X = AxisFirstShowing(h, Cell.X);
    }
    if (Cell.Y >= FFixedRows) {
        if (Cell.Y < FTopLeft.Y)
            topLeft.Y = Cell.Y;
        else if (Cell.Y > v.LastFullVisibleCell)
            topLeft.Y = AxisFirstShowing(v, Cell.Y);
    }
    if (topLeft != FTopLeft)
        MoveTopLeft(topLeft.X, topLeft.Y);
}

void TskSkinCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    ALeft = std::clamp(ALeft, FFixedCols, FColCount - 1);
    ATop = std::clamp(ATop, FFixedRows, FRowCount - 1);
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y)
        return;
    const TGridCoord old = FTopLeft;
    FTopLeft = {ALeft, ATop};
    UpdateScrollPositions();
    ScrollData(old);
    TopLeftChanged();
}

namespace {

// How far the picture moves when the first scrolling cell goes from Old to New: the sizes (with their
// lines) of the cells between, negative when the view moves on. False when that is a screen or more.
bool ScrollDistance(const TGridAxisInfo& Axis, int Old, int New, int& Delta)
{
    const int screen = Axis.GridExtent - Axis.FixedBoundary;
    int distance = 0;
    for (int i = std::min(Old, New); i < std::max(Old, New); ++i) {
        distance += Axis.Extent(i) + Axis.EffectiveLineWidth;
        if (distance >= screen)
            return false;
    }
    Delta = New > Old ? -distance : distance;
    return true;
}

} // namespace

void TskSkinCustomGrid::ScrollData(TGridCoord OldTopLeft)
{
    if (FHandle == 0)
        return;
    const TGridAxisInfo h = HorzAxis();
    const TGridAxisInfo v = VertAxis();
    int dx = 0, dy = 0;
    // A background that stays where it is while the cells move (the skin's picture, the wallpaper, the
    // parent's picture) cannot be carried along: the grid is painted anew.
    const bool fixedBackground = FTransparent || (Skinned() && FBGPicture != nullptr);
    if (fixedBackground || !ScrollDistance(h, OldTopLeft.X, FTopLeft.X, dx) ||
        !ScrollDistance(v, OldTopLeft.Y, FTopLeft.Y, dy)) {
        InvalidateGrid();
        return;
    }
    const UINT flags = SW_INVALIDATE | (FDefaultDrawing ? 0 : SW_ERASE);
    const bool rtl = UseRightToLeftAlignment();
    const auto band = [&](TRect Area, int DX, int DY) {
        Area = FlipRect(Area);
        if (rtl)
            DX = -DX;
        ScrollWindowEx(FHandle, DX, DY, &Area, &Area, nullptr, nullptr, flags);
    };
    if (dy == 0) {
        // The column titles and the cells under them move together.
        band(Rect(h.FixedBoundary, 0, h.GridExtent, v.GridExtent), dx, 0);
    } else if (dx == 0) {
        band(Rect(0, v.FixedBoundary, h.GridExtent, v.GridExtent), 0, dy);
    } else {
        band(Rect(h.FixedBoundary, 0, h.GridExtent, v.FixedBoundary), dx, 0);
        band(Rect(0, v.FixedBoundary, h.FixedBoundary, v.GridExtent), 0, dy);
        band(Rect(h.FixedBoundary, v.FixedBoundary, h.GridExtent, v.GridExtent), dx, dy);
    }
    if (FOptions.Contains(goRowSelect))
        InvalidateGridRect(Selection());
}

void TskSkinCustomGrid::UpdateScrollPositions()
{
    const TGridCoord maxTopLeft = CalcMaxTopLeft();
    if (FHScrollBar != nullptr) {
        // In right-to-left layout the bar runs the other way: its right end is the first column.
        if (FColCount == 1) {
            const int overflow = std::max(ColWidths(0) - ClientW(), 0);
            FHScrollBar->SetPositionQuiet(UseRightToLeftAlignment() ? overflow - FColOffset : FColOffset);
        } else {
            const int pos = MulDivRounded(FTopLeft.X - FFixedCols, ScrollSteps, maxTopLeft.X - FFixedCols);
            FHScrollBar->SetPositionQuiet(UseRightToLeftAlignment() ? ScrollSteps - pos : pos);
        }
    }
    if (FVScrollBar != nullptr)
        FVScrollBar->SetPositionQuiet(MulDivRounded(FTopLeft.Y - FFixedRows, ScrollSteps, maxTopLeft.Y - FFixedRows));
}

void TskSkinCustomGrid::UpdateScrollRange()
{
    if (FHandle == 0 || FUpdatingScrollRange)
        return;
    {
        TValueGuard updatingScrollRange(FUpdatingScrollRange);
        const TGridCoord maxTopLeft = CalcMaxTopLeft();
        if (FHScrollBar != nullptr) {
            if (FColCount == 1) {
                // One column wider than the view scrolls by pixels.
                const int overflow = std::max(ColWidths(0) - ClientW(), 0);
                FColOffset = std::min(FColOffset, overflow);
                if (overflow > 0) {
                    FHScrollBar->SetRange(0, overflow, 0, FColOffset);
                    const int small = std::max(FHScrollBar->Max() / std::max(FColCount - VisibleColCount() - FFixedCols, 1), 1);
                    FHScrollBar->SetSmallChange(small);
                    FHScrollBar->SetLargeChange(small);
                    if (!FHScrollBar->Visible())
                        FHScrollBar->SetVisible(true);
                } else {
                    FHScrollBar->SetRange(0, 0, 0, 0);
                    if (FHScrollBar->Visible())
                        FHScrollBar->SetVisible(false);
                }
            } else if (maxTopLeft.X > FFixedCols) {
                FHScrollBar->SetRange(0, ScrollSteps, 0, FHScrollBar->Position());
                // A denominator below 1 (more cells visible than scroll) counts as 1.
                const int small = std::max(ScrollSteps / std::max(FColCount - VisibleColCount() - FFixedCols, 1), 1);
                FHScrollBar->SetSmallChange(small);
                FHScrollBar->SetLargeChange(small);
                if (!FHScrollBar->Visible())
                    FHScrollBar->SetVisible(true);
            } else {
                FHScrollBar->SetRange(0, 0, 0, 0);
                if (FHScrollBar->Visible())
                    FHScrollBar->SetVisible(false);
            }
        }
        if (FVScrollBar != nullptr) {
            if (maxTopLeft.Y > FFixedRows) {
                FVScrollBar->SetRange(0, ScrollSteps, 0, FVScrollBar->Position());
                const int small = std::max(ScrollSteps / std::max(FRowCount - VisibleRowCount() - FFixedRows, 1), 1);
                FVScrollBar->SetSmallChange(small);
                FVScrollBar->SetLargeChange(small);
                if (!FVScrollBar->Visible())
                    FVScrollBar->SetVisible(true);
            } else {
                FVScrollBar->SetRange(0, 0, 0, 0);
                if (FVScrollBar->Visible())
                    FVScrollBar->SetVisible(false);
            }
        }
        if (FTopLeft.X > maxTopLeft.X || FTopLeft.Y > maxTopLeft.Y)
            MoveTopLeft(std::min(FTopLeft.X, maxTopLeft.X), std::min(FTopLeft.Y, maxTopLeft.Y));
        UpdateScrollPositions();
        // The horizontal bar shares its row with the vertical one while that one shows: its skin (and
        // its default layout) then leaves the corner free.
        if (FHScrollBar != nullptr && FVScrollBar != nullptr)
            FHScrollBar->SetBoth(FVScrollBar->Visible());
    }
}

void TskSkinCustomGrid::ScrollMessage(bool Horizontal, int Code, int Pos)
{
    const bool tracking = FOptions.Contains(goThumbTracking);
    if (Horizontal && FColCount == 1) {
        // The single column wider than the view scrolls by pixels.
        const int line = FHScrollBar != nullptr ? FHScrollBar->SmallChange() : 1;
        const int offset = PixelScrollTarget(FColOffset, ColWidths(0) - ClientW(), line, std::max(ClientW(), 1), Code,
            Pos, tracking);
        if (offset != FColOffset) {
            FColOffset = offset;
            UpdateScrollPositions();
            InvalidateGrid();
        }
        return;
    }
    const TGridCoord maxTopLeft = CalcMaxTopLeft();
    const TGridAxisInfo axis = Horizontal ? HorzAxis() : VertAxis();
    const int page = std::max(axis.LastFullVisibleCell - axis.FirstGridCell, 1);
    const int first = GridScrollTarget(axis.FirstGridCell, axis.FixedCellCount, Horizontal ? maxTopLeft.X : maxTopLeft.Y,
        page, ScrollSteps, Code, Pos, tracking, axis.Extent);
    if (first != axis.FirstGridCell)
        MoveTopLeft(Horizontal ? first : FTopLeft.X, Horizontal ? FTopLeft.Y : first);
    else
        UpdateScrollPositions(); // the bar may have moved its thumb on its own (paging): it shows the grid's place
}

void TskSkinCustomGrid::BindBar(TskSkinScrollBar* Bar, bool Horizontal)
{
    const auto post = [this, Horizontal](int Code, int Pos) {
        const WPARAM w = (static_cast<WPARAM>(static_cast<WORD>(Pos)) << 16) | static_cast<WORD>(Code);
        Perform(Horizontal ? WM_HSCROLL : WM_VSCROLL, w, 0);
    };
    if (Horizontal) {
        Bar->OnLastChange = [Bar, post](TObject*) { post(SB_THUMBPOSITION, Bar->Position()); };
        Bar->OnUpButtonClick = [Bar, post](TObject*) {
            Bar->SetPosition(Bar->Position() + Bar->SmallChange());
            post(SB_THUMBPOSITION, Bar->Position());
        };
        Bar->OnDownButtonClick = [Bar, post](TObject*) {
            Bar->SetPosition(Bar->Position() - Bar->SmallChange());
            post(SB_THUMBPOSITION, Bar->Position());
        };
        Bar->OnPageUp = [post](TObject*) { post(SB_PAGELEFT, 0); };
        Bar->OnPageDown = [post](TObject*) { post(SB_PAGERIGHT, 0); };
    } else {
        // With thumb tracking the rows follow the thumb while it is dragged, else only at its release.
        if (FOptions.Contains(goThumbTracking))
            Bar->OnChange = [Bar, post](TObject*) { post(SB_THUMBPOSITION, Bar->Position()); };
        else
            Bar->OnLastChange = [Bar, post](TObject*) { post(SB_THUMBPOSITION, Bar->Position()); };
        Bar->OnUpButtonClick = [post](TObject*) { post(SB_LINEDOWN, 0); };
        Bar->OnDownButtonClick = [post](TObject*) { post(SB_LINEUP, 0); };
        Bar->OnPageUp = [post](TObject*) { post(SB_PAGEUP, 0); };
        Bar->OnPageDown = [post](TObject*) { post(SB_PAGEDOWN, 0); };
    }
}

void TskSkinCustomGrid::UnbindBar(TskSkinScrollBar* Bar)
{
    if (Bar == nullptr)
        return;
    Bar->OnChange = nullptr;
    Bar->OnLastChange = nullptr;
    Bar->OnUpButtonClick = nullptr;
    Bar->OnDownButtonClick = nullptr;
    Bar->OnPageUp = nullptr;
    Bar->OnPageDown = nullptr;
}

void TskSkinCustomGrid::SetHScrollBar(TskSkinScrollBar* Value)
{
    if (Value == FHScrollBar)
        return;
    UnbindBar(FHScrollBar);
    FHScrollBar = Value;
    if (Value != nullptr) {
        Value->SetEnabled(true);
        Value->SetVisible(false);
        BindBar(Value, true);
    }
    UpdateScrollRange();
}

void TskSkinCustomGrid::SetVScrollBar(TskSkinScrollBar* Value)
{
    if (Value == FVScrollBar)
        return;
    UnbindBar(FVScrollBar);
    FVScrollBar = Value;
    if (Value != nullptr) {
        Value->SetEnabled(true);
        Value->SetVisible(false);
        BindBar(Value, false);
    }
    UpdateScrollRange();
}

// ---------------------------------------------------------------------------------------------
// Repaint requests

void TskSkinCustomGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateGridRect({ACol, ARow, ACol, ARow});
}

void TskSkinCustomGrid::InvalidateGridRect(const TGridRect& R)
{
    if (FHandle == 0)
        return;
    const TRect r = LtrBoxRect(R);
    if (r.IsEmpty())
        return;
    // The cell's lines belong to its picture too.
    const TRect withLines = FlipRect(Rect(r.Left, r.Top, r.Right + FGridLineWidth, r.Bottom + FGridLineWidth));
    InvalidateRect(FHandle, &withLines, FALSE);
}

void TskSkinCustomGrid::InvalidateGrid()
{
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Keyboard, wheel and mouse

void TskSkinCustomGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    TskSkinControl::KeyDown(Key, Shift);
    if (!CanGridAcceptKey(Key, Shift))
        Key = 0;
    if (Key == VK_ESCAPE && FEditorMode) {
        CancelEdit();
        Key = 0;
    }
    if (Key == 0)
        return;
    // Left and Right go the way the columns run.
    WORD move = Key;
    if (UseRightToLeftAlignment() && (Key == VK_LEFT || Key == VK_RIGHT))
        move = Key == VK_LEFT ? VK_RIGHT : VK_LEFT;
    const TGridCoord maxTopLeft = CalcMaxTopLeft();
    TGridKeyState s;
    s.Col = FCurrent.X;
    s.Row = FCurrent.Y;
    s.LeftCol = FTopLeft.X;
    s.TopRow = FTopLeft.Y;
    s.ColCount = FColCount;
    s.RowCount = FRowCount;
    s.FixedCols = FFixedCols;
    s.FixedRows = FFixedRows;
    s.LastVisibleRow = VertAxis().LastFullVisibleCell;
    s.PageWidth = std::max(VisibleColCount() - 1, 1);
    s.PageHeight = std::max(VisibleRowCount() - 1, 1);
    s.MaxLeftCol = maxTopLeft.X;
    s.MaxTopRow = maxTopLeft.Y;
    s.RowSelect = FOptions.Contains(goRowSelect);
    s.TabStop = [this](int c) { return TabStops(c); };
    const TGridKeyMove m = GridKeyMove(s, move, Shift);
    const auto alive = FAlive.Watch();
    if (m.EditorMode)
        SetEditorMode(true);
    if (*alive && (m.LeftCol != FTopLeft.X || m.TopRow != FTopLeft.Y))
        MoveTopLeft(m.LeftCol, m.TopRow);
    if (*alive && (m.Col != FCurrent.X || m.Row != FCurrent.Y))
        FocusCell(m.Col, m.Row, m.MoveAnchor);
}

void TskSkinCustomGrid::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTARROWS;
        if (!FOptions.Contains(goRowSelect)) {
            if (FOptions.Contains(goTabs))
                code |= DLGC_WANTTAB;
            if (FOptions.Contains(goEditing))
                code |= DLGC_WANTCHARS;
        }
        Message.Result = code;
        return;
    }
    case CM_WANTSPECIALKEY:
        TskSkinControl::WndProc(Message);
        if (Message.WParam == VK_RETURN && FOptions.Contains(goEditing))
            Message.Result = 1;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        TskSkinControl::WndProc(Message);
        InvalidateGridRect(Selection());
        InvalidateCell(FCurrent.X, FCurrent.Y);
        // The focus passing between the grid and its editor is no coming or going.
        const HWND other = reinterpret_cast<HWND>(Message.WParam);
        const bool editor =
            FInplaceEdit != nullptr && other != 0 && FInplaceEdit->HandleAllocated() && other == FInplaceEdit->Handle();
        if (Message.Msg == WM_SETFOCUS && !editor)
            UpdateEdit();
        else if (Message.Msg == WM_SETFOCUS && FInplaceEdit->Shown() && !FInplaceEdit->FHiding)
            ::SetFocus(FInplaceEdit->Handle()); // typing goes on in the editor while it is shown
        else if (Message.Msg == WM_KILLFOCUS && !editor && !FOptions.Contains(goAlwaysShowEditor))
            HideEditor();
        return;
    }
    case WM_LBUTTONDOWN: {
        // The press's handlers may free the grid.
        const auto alive = FAlive.Watch();
        TskSkinControl::WndProc(Message);
        if (!*alive)
            return;
        // A press in the editor (which this one may have opened) soon after is a double click.
        if (FInplaceEdit != nullptr)
            FInplaceEdit->SetClickTime(static_cast<DWORD>(WinClockNow()));
        return;
    }
    case WM_CHAR:
        // Typing on the grid starts editing with that character.
        if (FOptions.Contains(goEditing) && (Message.WParam == 8 || Message.WParam >= 32)) {
            ShowEditorChar(static_cast<TKeyChar>(Message.WParam));
            return;
        }
        TskSkinControl::WndProc(Message);
        return;
    case CM_FONTCHANGED:
        TskSkinControl::WndProc(Message);
        if (FInplaceEdit != nullptr)
            FInplaceEdit->Font()->Assign(Font());
        return;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        int code = LOWORD(static_cast<std::uintptr_t>(Message.WParam));
        int pos = HIWORD(static_cast<std::uintptr_t>(Message.WParam));
        if (Message.Msg == WM_HSCROLL && UseRightToLeftAlignment()) {
            // The horizontal bar runs the other way in right-to-left layout: its right end is the start.
            switch (code) {
            case SB_LINELEFT: code = SB_LINERIGHT; break;
            case SB_LINERIGHT: code = SB_LINELEFT; break;
            case SB_PAGELEFT: code = SB_PAGERIGHT; break;
            case SB_PAGERIGHT: code = SB_PAGELEFT; break;
            case SB_THUMBPOSITION:
            case SB_THUMBTRACK: pos = (FColCount == 1 ? std::max(ColWidths(0) - ClientW(), 0) : ScrollSteps) - pos; break;
            default: break;
            }
        }
        ScrollMessage(Message.Msg == WM_HSCROLL, code, pos);
        Message.Result = 0;
        return;
    }
    case WM_MOUSEWHEEL: {
        const short delta = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.WParam)));
        const bool shift = (LOWORD(static_cast<std::uintptr_t>(Message.WParam)) & MK_SHIFT) != 0;
        if (delta < 0 && FCurrent.Y < FRowCount - 1)
            FocusCell(FCurrent.X, FCurrent.Y + 1, !shift);
        else if (delta > 0 && FCurrent.Y > FFixedRows)
            FocusCell(FCurrent.X, FCurrent.Y - 1, !shift);
        Message.Result = 1;
        return;
    }
    case WM_TIMER:
        if (Message.WParam == GridTimerId)
            TimerTick();
        else
            TskSkinControl::WndProc(Message);
        return;
    case WM_SETCURSOR:
        if (FGridState == gsNormal && FHandle != 0) {
            const TPoint p = ScreenToClient(GetCursorPos());
            CalcSizingState(p.X, p.Y);
            const TGridState sizing = FGridState;
            FGridState = gsNormal;
            if (sizing == gsColSizing || sizing == gsRowSizing) {
                ::SetCursor(CursorToHandle(sizing == gsColSizing ? crHSplit : crVSplit));
                Message.Result = 1;
                return;
            }
        }
        TskSkinControl::WndProc(Message);
        return;
    case WM_SIZE:
        TskSkinControl::WndProc(Message);
        // Mirrored cells all move with the width; so does the default look's row focus frame.
        if (UseRightToLeftAlignment() || (SkinIndex() == -1 && FOptions.Contains(goRowSelect)))
            InvalidateGrid();
        UpdateScrollRange();
        return;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
        TskSkinControl::WndProc(Message);
        StopTimer();
        if (FGridState == gsColSizing || FGridState == gsRowSizing)
            DrawSizingLine();
        else if (FGridState == gsColMoving || FGridState == gsRowMoving)
            DrawMoveMarker();
        FGridState = gsNormal;
        return;
    case WM_PAINT:
        TskSkinControl::WndProc(Message);
        UpdateScrollRange();
        return;
    case CM_VISIBLECHANGED:
        TskSkinControl::WndProc(Message);
        if (FHScrollBar != nullptr)
            FHScrollBar->SetVisible(Visible() && FHScrollBar->Visible());
        if (FVScrollBar != nullptr)
            FVScrollBar->SetVisible(Visible() && FVScrollBar->Visible());
        if (Visible())
            UpdateScrollRange();
        return;
    default:
        TskSkinControl::WndProc(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// Looks and skin

void TskSkinCustomGrid::SetFixedColor(TColor Value)
{
    if (Store(FFixedColor, Value))
        InvalidateGrid();
}

void TskSkinCustomGrid::SetGridLineColor(TColor Value)
{
    if (Value == FGridLineColor)
        return;
    FGridLineColor = Value;
    if (SkinIndex() == -1)
        InvalidateGrid();
}

void TskSkinCustomGrid::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    // Stored for the forms that name it; the grid's window has no native border either way.
    FBorderStyle = Value;
}

void TskSkinCustomGrid::SetDefaultDrawing(bool Value)
{
    if (Store(FDefaultDrawing, Value))
        InvalidateGrid();
}

void TskSkinCustomGrid::SetTransparent(bool Value)
{
    if (Store(FTransparent, Value))
        InvalidateGrid();
}

void TskSkinCustomGrid::SetWallpaper(TBitmap* Value)
{
    if (Value == nullptr)
        FWallpaper->SetSize(0, 0);
    else
        FWallpaper->Assign(Value);
    if (!FWallpaper->Empty())
        FTransparent = true;
    InvalidateGrid();
}

void TskSkinCustomGrid::SetWallpaperStretch(bool Value)
{
    if (Store(FWallpaperStretch, Value))
        InvalidateGrid();
}

void TskSkinCustomGrid::SetUseSkinFont(bool Value)
{
    if (Store(FUseSkinFont, Value))
        InvalidateGrid();
}

void TskSkinCustomGrid::SetUseSkinCellHeight(bool Value)
{
    if (Store(FUseSkinCellHeight, Value))
        InvalidateGrid();
}

TskDataSkinGridControl* TskSkinCustomGrid::GridEntry() const
{
    return SkinEntryAs<TskDataSkinGridControl>();
}

void TskSkinCustomGrid::FindSkinObject()
{
    FCellsPicture = nullptr;
    FBGPicture = nullptr;
    FSkinLink.Forget();
    TskSkinControl::FindSkinObject();
    auto* entry = GridEntry();
    // Only a grid entry with a fixed-cell image skins the grid; anything else leaves the default look.
    if (entry == nullptr || IsEmptyRect(entry->FixedCellRect)) {
        FSkinLink.Forget();
        return;
    }
    FCursorIndex = entry->CursorIndex;
    FCellsPicture = SkinPicture(entry->PictureIndex);
    FBGPicture = SkinPicture(entry->BGPictureIndex);
}

void TskSkinCustomGrid::RefreshSkin()
{
    FindSkinObject();
    if (UseSkinCursor())
        SetCursor(FCursorIndex != -1 && SkinLoaded() ? SkinData()->StartCursorIndex + FCursorIndex : crDefault);
    if (auto* entry = GridEntry(); entry != nullptr && FUseSkinCellHeight) {
        // The cell images have one height: the rows take it. An image of no height would give rows
        // of no height; those keep theirs.
        TRect sel = entry->SelectCellRect;
        if (IsEmptyRect(sel))
            sel = entry->FocusCellRect;
        const int h = sel.Height();
        if (h > 0 && h != FDefaultRowHeight) {
            SetDefaultRowHeight(h);
            return;
        }
    }
    InvalidateGrid();
    UpdateScrollRange();
}

// ---------------------------------------------------------------------------------------------
// Stored sizes

void TskSkinCustomGrid::DefineProperties(TFiler* Filer)
{
    TskSkinControl::DefineProperties(Filer);
    Filer->DefineProperty(
        "ColWidths",
        [this](TReader& Reader) {
            Reader.ReadListBegin();
            for (int i = 0; !Reader.EndOfList(); ++i)
                SetColWidths(i, Reader.ReadInteger());
            Reader.ReadListEnd();
        },
        nullptr, !FColWidths.empty());
    Filer->DefineProperty(
        "RowHeights",
        [this](TReader& Reader) {
            Reader.ReadListBegin();
            for (int i = 0; !Reader.EndOfList(); ++i)
                SetRowHeights(i, Reader.ReadInteger());
            Reader.ReadListEnd();
        },
        nullptr, !FRowHeights.empty());
}

