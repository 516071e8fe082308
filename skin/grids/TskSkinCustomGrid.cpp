#include "skin/grids/TskSkinCustomGrid.h"

#include <algorithm>
#include <climits>

#include "platform/gfx/Drawing.h"
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

constexpr UINT_PTR GridTimer = 1;
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

bool IsFixed(TGridDrawState S)
{
    return S.Contains(gdFixed);
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
    const int newCount = count + Amount;
    if (newCount < Index)
        GridError(STooManyDeleted);
    if (newCount < 1)
        GridError(STooManyDeleted);
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
    MoveColRow(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

void TskSkinCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        GridError(SGridIndexOutOfRange);
    if (!SelectCell(ACol, ARow))
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
        ClampInView(NewAnchor);
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

TRect TskSkinCustomGrid::BoxRect(const TGridRect& R)
{
    int l = 0, r = 0, t = 0, b = 0;
    if (!AxisSpan(HorzAxis(), R.Left, R.Right, l, r) || !AxisSpan(VertAxis(), R.Top, R.Bottom, t, b))
        return Rect(0, 0, 0, 0);
    return Rect(l, t, r, b);
}

TRect TskSkinCustomGrid::CellRect(int ACol, int ARow)
{
    return BoxRect({ACol, ARow, ACol, ARow});
}

TGridCoord TskSkinCustomGrid::MouseCoord(int X, int Y)
{
    return {AxisCellAt(HorzAxis(), X), AxisCellAt(VertAxis(), Y)};
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
    FTopLeft = {ALeft, ATop};
    UpdateScrollPositions();
    InvalidateGrid();
    TopLeftChanged();
}

void TskSkinCustomGrid::UpdateScrollPositions()
{
    const TGridCoord maxTopLeft = CalcMaxTopLeft();
    if (FHScrollBar != nullptr) {
        if (FColCount == 1)
            FHScrollBar->SetPositionQuiet(FColOffset);
        else
            FHScrollBar->SetPositionQuiet(MulDivRounded(FTopLeft.X - FFixedCols, ScrollSteps, maxTopLeft.X - FFixedCols));
    }
    if (FVScrollBar != nullptr)
        FVScrollBar->SetPositionQuiet(MulDivRounded(FTopLeft.Y - FFixedRows, ScrollSteps, maxTopLeft.Y - FFixedRows));
}

void TskSkinCustomGrid::UpdateScrollRange()
{
    if (FHandle == 0 || FUpdatingScrollRange)
        return;
    FUpdatingScrollRange = true;
    try {
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
    } catch (...) {
        FUpdatingScrollRange = false;
        throw;
    }
    FUpdatingScrollRange = false;
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
    Bar->RemoveFreeNotification(this);
}

void TskSkinCustomGrid::SetHScrollBar(TskSkinScrollBar* Value)
{
    if (Value == FHScrollBar)
        return;
    UnbindBar(FHScrollBar);
    FHScrollBar = Value;
    if (Value != nullptr) {
        Value->FreeNotification(this);
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
        Value->FreeNotification(this);
        Value->SetEnabled(true);
        Value->SetVisible(false);
        BindBar(Value, false);
    }
    UpdateScrollRange();
}

void TskSkinCustomGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FHScrollBar)
        FHScrollBar = nullptr;
    if (AComponent == FVScrollBar)
        FVScrollBar = nullptr;
    if (AComponent == FInplaceEdit)
        FInplaceEdit = nullptr;
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
    const TRect r = BoxRect(R);
    if (r.IsEmpty())
        return;
    // The cell's lines belong to its picture too.
    const TRect withLines = Rect(r.Left, r.Top, r.Right + FGridLineWidth, r.Bottom + FGridLineWidth);
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
    const TGridKeyMove m = GridKeyMove(s, Key, Shift);
    if (m.EditorMode)
        SetEditorMode(true);
    if (m.LeftCol != FTopLeft.X || m.TopRow != FTopLeft.Y)
        MoveTopLeft(m.LeftCol, m.TopRow);
    if (m.Col != FCurrent.X || m.Row != FCurrent.Y)
        FocusCell(m.Col, m.Row, m.MoveAnchor);
}

void TskSkinCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The editor's focus is the grid's own.
    auto hasFocus = [this] { return Focused() || (FInplaceEdit != nullptr && FInplaceEdit->Focused()); };
    if (!Designing() && CanFocus() && FHandle != 0 && !hasFocus()) {
        SetFocus();
        if (!hasFocus()) {
            SetCaptureControl(nullptr);
            return;
        }
    }
    if (Button == mbLeft && !Shift.Contains(ssDouble)) {
        CalcSizingState(X, Y);
        if (FGridState != gsNormal) {
            DrawSizingLine();
            TskSkinControl::MouseDown(Button, Shift, X, Y);
            return;
        }
        const TGridCoord hit = MouseCoord(X, Y);
        if (hit.X >= FFixedCols && hit.Y >= FFixedRows) {
            if (FOptions.Contains(goEditing)) {
                if (hit == FCurrent)
                    SetEditorMode(true);
                else {
                    MoveColRow(hit.X, hit.Y, true, true);
                    UpdateEdit();
                }
                Click();
            } else {
                FGridState = gsSelecting;
                StartTimer();
                if (Shift.Contains(ssShift)) {
                    MoveAnchor(hit);
                } else {
                    MoveColRow(hit.X, hit.Y, true, true);
                    // A cell that SelectCell refused starts no selection either: dragging on would
                    // select the refused cell after all.
                    if (FCurrent.Y != hit.Y || (!FOptions.Contains(goRowSelect) && FCurrent.X != hit.X)) {
                        FGridState = gsNormal;
                        StopTimer();
                    }
                }
            }
        } else if (FOptions.Contains(goRowMoving) && hit.X >= 0 && hit.X < FFixedCols && hit.Y >= FFixedRows) {
            FGridState = gsRowMoving;
            FMoveIndex = FMovePos = hit.Y;
            Update();
            DrawMoveMarker();
            StartTimer();
        } else if (FOptions.Contains(goColMoving) && hit.Y >= 0 && hit.Y < FFixedRows && hit.X >= FFixedCols) {
            FGridState = gsColMoving;
            FMoveIndex = FMovePos = hit.X;
            Update();
            DrawMoveMarker();
            StartTimer();
        }
    }
    TskSkinControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    switch (FGridState) {
    case gsSelecting: {
        const TGridCoord hit = MouseCoord(X, Y);
        if (hit.X >= FFixedCols && hit.Y >= FFixedRows && hit != FAnchor)
            MoveAnchor(hit);
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        const TGridCoord hit = MouseCoord(X, Y);
        const bool cols = FGridState == gsColMoving;
        const int fixed = cols ? FFixedCols : FFixedRows;
        int target = cols ? hit.X : hit.Y;
        if (target >= 0 && target >= fixed && target != FMovePos) {
            DrawMoveMarker();
            FMovePos = target;
            DrawMoveMarker();
        }
        break;
    }
    case gsColSizing:
    case gsRowSizing:
        DrawSizingLine();
        FSizingPos = (FGridState == gsRowSizing ? Y : X) + FSizingOfs;
        DrawSizingLine();
        break;
    default: break;
    }
    TskSkinControl::MouseMove(Shift, X, Y);
}

void TskSkinCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TGridState state = FGridState;
    FGridState = gsNormal;
    try {
        switch (state) {
        case gsSelecting:
            FGridState = gsSelecting;
            MouseMove(Shift, X, Y);
            FGridState = gsNormal;
            StopTimer();
            UpdateEdit();
            Click();
            break;
        case gsColSizing:
        case gsRowSizing: {
            FGridState = state;
            DrawSizingLine();
            FGridState = gsNormal;
            const bool cols = state == gsColSizing;
            const int start = AxisLineStart(cols ? HorzAxis() : VertAxis(), FSizingIndex);
            const int size = FSizingPos - start;
            // A line dragged onto or before the start of its cell leaves the size alone.
            if (start >= 0 && size > 1) {
                if (cols)
                    SetColWidths(FSizingIndex, size);
                else
                    SetRowHeights(FSizingIndex, size);
            }
            UpdateEdit();
            break;
        }
        case gsColMoving:
        case gsRowMoving:
            FGridState = state;
            DrawMoveMarker();
            FGridState = gsNormal;
            StopTimer();
            if (FMoveIndex != FMovePos) {
                if (state == gsColMoving)
                    MoveColumn(FMoveIndex, FMovePos);
                else
                    MoveRow(FMoveIndex, FMovePos);
            }
            UpdateEdit();
            break;
        default:
            UpdateEdit();
            break;
        }
    } catch (...) {
        FGridState = gsNormal;
        throw;
    }
    TskSkinControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomGrid::CalcSizingState(int X, int Y)
{
    FGridState = gsNormal;
    FSizingIndex = -1;
    const bool colSizing = FOptions.Contains(goColSizing);
    const bool rowSizing = FOptions.Contains(goRowSizing);
    if (!colSizing && !rowSizing)
        return;
    const TGridAxisInfo h = HorzAxis();
    const TGridAxisInfo v = VertAxis();
    // Columns are sized in the fixed rows, rows in the fixed columns.
    const auto axisState = [&](const TGridAxisInfo& a, int pos, TGridState state) {
        int line = 0;
        const int index = AxisSizingCell(a, pos, line);
        if (index < 0)
            return;
        FGridState = state;
        FSizingPos = line;
        FSizingOfs = line - pos;
        FSizingIndex = index;
    };
    if (X > h.FixedBoundary && colSizing) {
        if (Y < v.FixedBoundary)
            axisState(h, X, gsColSizing);
    } else if (Y > v.FixedBoundary && rowSizing) {
        if (X < h.FixedBoundary)
            axisState(v, Y, gsRowSizing);
    }
}

void TskSkinCustomGrid::DrawSizingLine()
{
    if (FHandle == 0)
        return;
    // An inverted line: drawn a second time at the same place it is gone again.
    const HDC dc = Canvas()->Handle();
    if (FGridState == gsColSizing)
        InvertRect(dc, Rect(FSizingPos, 0, FSizingPos + 1, ClientH()));
    else if (FGridState == gsRowSizing)
        InvertRect(dc, Rect(0, FSizingPos, ClientW(), FSizingPos + 1));
}

void TskSkinCustomGrid::DrawMoveMarker()
{
    if (FHandle == 0 || FMovePos < 0)
        return;
    const HDC dc = Canvas()->Handle();
    // A band 5 pixels wide at the edge where the moved line will land.
    if (FGridState == gsColMoving) {
        const TRect r = CellRect(FMovePos, 0);
        if (r.IsEmpty())
            return;
        const int x = FMovePos > FMoveIndex ? r.Right : r.Left;
        InvertRect(dc, Rect(x - 2, 0, x + 3, ClientH()));
    } else if (FGridState == gsRowMoving) {
        const TRect r = CellRect(0, FMovePos);
        if (r.IsEmpty())
            return;
        const int y = FMovePos > FMoveIndex ? r.Bottom : r.Top;
        InvertRect(dc, Rect(0, y - 2, ClientW(), y + 3));
    }
}

void TskSkinCustomGrid::StartTimer()
{
    if (FHandle == 0)
        return;
    SetTimer(FHandle, GridTimer, 60);
    FTimerSet = true;
}

void TskSkinCustomGrid::StopTimer()
{
    if (FTimerSet && FHandle != 0)
        KillTimer(FHandle, GridTimer);
    FTimerSet = false;
}

void TskSkinCustomGrid::TimerTick()
{
    if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving)
        return;
    const TPoint p = ScreenToClient(GetCursorPos());
    const TGridAxisInfo h = HorzAxis();
    const TGridAxisInfo v = VertAxis();
    if (FGridState == gsSelecting) {
        TimedScroll(p.X < h.FixedBoundary, p.X > h.FullVisBoundary, p.Y < v.FixedBoundary, p.Y > v.FullVisBoundary);
        return;
    }
    // Moving a line: the view follows the pointer past its edges and the marker with it.
    const bool cols = FGridState == gsColMoving;
    const TGridAxisInfo& a = cols ? h : v;
    const int pos = cols ? p.X : p.Y;
    int target = FMovePos;
    if (pos < a.FixedBoundary) {
        DrawMoveMarker();
        ScrollMessage(cols, SB_LINEUP, 0);
        Update();
        target = cols ? FTopLeft.X : FTopLeft.Y;
    } else if (pos >= a.FullVisBoundary) {
        DrawMoveMarker();
        ScrollMessage(cols, SB_LINEDOWN, 0);
        Update();
        target = (cols ? HorzAxis() : VertAxis()).LastFullVisibleCell;
    } else {
        return;
    }
    FMovePos = std::clamp(target, a.FixedCellCount, a.GridCellCount - 1);
    DrawMoveMarker();
}

void TskSkinCustomGrid::TimedScroll(bool Left, bool Right, bool Up, bool Down)
{
    const TGridCoord maxTopLeft = CalcMaxTopLeft();
    TGridCoord topLeft = FTopLeft;
    TGridCoord anchor = FAnchor;
    if (Left && FTopLeft.X > FFixedCols) {
        --topLeft.X;
        --anchor.X;
    }
    if (Right && FTopLeft.X < maxTopLeft.X) {
        ++topLeft.X;
        ++anchor.X;
    }
    if (Up && FTopLeft.Y > FFixedRows) {
        --topLeft.Y;
        --anchor.Y;
    }
    if (Down && FTopLeft.Y < maxTopLeft.Y) {
        ++topLeft.Y;
        ++anchor.Y;
    }
    if (topLeft == FTopLeft)
        return;
    MoveTopLeft(topLeft.X, topLeft.Y);
    MoveAnchor({std::clamp(anchor.X, FFixedCols, FColCount - 1), std::clamp(anchor.Y, FFixedRows, FRowCount - 1)});
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
    case WM_LBUTTONDOWN:
        TskSkinControl::WndProc(Message);
        // A press in the editor (which this one may have opened) soon after is a double click.
        if (FInplaceEdit != nullptr)
            FInplaceEdit->SetClickTime(static_cast<DWORD>(WinClockNow()));
        return;
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
    case WM_VSCROLL:
        ScrollMessage(Message.Msg == WM_HSCROLL, LOWORD(static_cast<std::uintptr_t>(Message.WParam)),
            HIWORD(static_cast<std::uintptr_t>(Message.WParam)));
        Message.Result = 0;
        return;
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
        if (Message.WParam == GridTimer)
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
        if (FSkinIndex == -1 && FOptions.Contains(goRowSelect))
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
    if (FSkinIndex == -1)
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
    return FSkinIndex == -1 ? nullptr : dynamic_cast<TskDataSkinGridControl*>(SkinEntry());
}

void TskSkinCustomGrid::FindSkinObject()
{
    FCellsPicture = nullptr;
    FBGPicture = nullptr;
    FSkinIndex = -1;
    TskSkinControl::FindSkinObject();
    auto* entry = GridEntry();
    // Only a grid entry with a fixed-cell image skins the grid; anything else leaves the default look.
    if (entry == nullptr || IsEmptyRect(entry->FixedCellRect)) {
        FSkinIndex = -1;
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

// ---------------------------------------------------------------------------------------------
// Painting

TRect TskSkinCustomGrid::CellTextRect(int, int, const TRect& ARect, TGridDrawState AState) const
{
    const TskDataSkinGridControl* entry = GridEntry();
    return entry == nullptr ? ARect : SkinCellTextRect(*entry, ARect, IsFixed(AState), FUseSkinCellHeight);
}

void TskSkinCustomGrid::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    FindSkinObject();
    TCanvas* c = Canvas();
    PaintBackground(c);
    const TGridAxisInfo h = HorzAxis();
    const TGridAxisInfo v = VertAxis();
    PaintLines(c, h, v);
    const int bodyX = h.FixedBoundary - h.Offset;
    const TGridDrawState fixed{gdFixed};
    PaintCells(c, 0, 0, 0, 0, h.FixedBoundary, v.FixedBoundary, FFixedColor, fixed, h, v);
    PaintCells(c, FTopLeft.X, 0, bodyX, 0, h.GridBoundary, v.FixedBoundary, FFixedColor, fixed, h, v);
    PaintCells(c, 0, FTopLeft.Y, 0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary, FFixedColor, fixed, h, v);
    PaintCells(c, FTopLeft.X, FTopLeft.Y, bodyX, v.FixedBoundary, h.GridBoundary, v.GridBoundary, Color(), {}, h, v);
    if (!Designing() && FOptions.Contains(goRowSelect) && FDefaultDrawing && Focused() && !Skinned()) {
        const TRect r = BoxRect(Selection());
        if (!r.IsEmpty())
            c->DrawFocusRect(r);
    }
    // What lies beyond the last column and below the last row.
    if (!FTransparent && (!Skinned() || FBGPicture == nullptr)) {
        const auto* entry = GridEntry();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(entry != nullptr ? entry->BGColor : Color());
        const int w = ClientW();
        const int hgt = ClientH();
        if (h.GridBoundary < w)
            c->FillRect(Rect(h.GridBoundary, 0, w, hgt));
        if (v.GridBoundary < hgt)
            c->FillRect(Rect(0, v.GridBoundary, std::min(h.GridBoundary, w), hgt));
    }
}

void TskSkinCustomGrid::PaintBackground(TCanvas* C)
{
    const TRect client = Rect(0, 0, ClientW(), ClientH());
    if (FTransparent) {
        TBitmap buffer(client.Width(), client.Height());
        if (FWallpaper->Empty())
            PaintParentBackground(this, buffer.Canvas());
        else if (FWallpaperStretch)
            buffer.Canvas()->StretchDraw(client, FWallpaper);
        else
            TileDraw(buffer.Canvas(), FWallpaper, Rect(0, 0, FWallpaper->Width(), FWallpaper->Height()), client);
        C->Draw(0, 0, &buffer);
    } else if (Skinned() && FBGPicture != nullptr) {
        TileDraw(C, FBGPicture, Rect(0, 0, FBGPicture->Width(), FBGPicture->Height()), client);
    }
}

void TskSkinCustomGrid::PaintLines(TCanvas* C, const TGridAxisInfo& H, const TGridAxisInfo& V)
{
    const auto* entry = GridEntry();
    TGridLinesLook look;
    look.FixedVert = FOptions.Contains(goFixedVertLine);
    look.FixedHorz = FOptions.Contains(goFixedHorzLine);
    look.Vert = FOptions.Contains(goVertLine);
    look.Horz = FOptions.Contains(goHorzLine);
    look.LineColor = entry != nullptr ? entry->LinesColor : FGridLineColor;
    look.FixedGapColor = entry != nullptr ? entry->BGColor : FFixedColor;
    look.BodyGapColor = entry != nullptr ? entry->BGColor : Color();
    PaintGridLines(C, H, V, look);
}

void TskSkinCustomGrid::PaintCells(TCanvas* C, int ACol, int ARow, int StartX, int StartY, int StopX, int StopY,
    TColor Color, TGridDrawState Base, const TGridAxisInfo& H, const TGridAxisInfo& V)
{
    const TRect clip = C->ClipRect();
    const TGridRect sel = Selection();
    const bool active = Focused();
    int y = StartY;
    for (int row = ARow; row < FRowCount && y < StopY; ++row) {
        const int rowH = RowHeights(row);
        int x = StartX;
        for (int col = ACol; col < FColCount && x < StopX; ++col) {
            const int colW = ColWidths(col);
            const TRect r = Rect(x, y, x + colW, y + rowH);
            if (colW > 0 && rowH > 0 && r.Right > clip.Left && r.Left < clip.Right && r.Bottom > clip.Top &&
                r.Top < clip.Bottom) {
                TGridDrawState state = Base;
                if (active && col == FCurrent.X && row == FCurrent.Y)
                    state.Include(gdFocused);
                if (col >= sel.Left && col <= sel.Right && row >= sel.Top && row <= sel.Bottom)
                    state.Include(gdSelected);
                PaintCell(C, col, row, r, state, Color);
            }
            x += colW + H.EffectiveLineWidth;
        }
        y += rowH + V.EffectiveLineWidth;
    }
}

void TskSkinCustomGrid::PaintCell(TCanvas* C, int ACol, int ARow, const TRect& R, TGridDrawState State, TColor Color)
{
    const bool fixed = IsFixed(State);
    if (FDefaultDrawing || Designing()) {
        C->Brush()->SetStyle(bsSolid);
        if (!Skinned()) {
            C->Font()->Assign(Font());
            const bool plain = !State.Contains(gdSelected) ||
                               (State.Contains(gdFocused) && !FOptions.Contains(goDrawFocusSelected) &&
                                   !FOptions.Contains(goRowSelect));
            if (plain) {
                C->Brush()->SetColor(Color);
                if (!FTransparent || fixed)
                    C->FillRect(R);
                if (fixed)
                    DrawFrame3D(C, R, clBtnHighlight, clBtnShadow);
            } else {
                C->Brush()->SetColor(clHighlight);
                C->FillRect(R);
                C->Font()->SetColor(clHighlightText);
            }
        } else if (!fixed && !State.Contains(gdSelected) && !State.Contains(gdFocused)) {
            const auto* entry = GridEntry();
            C->Font()->Assign(Font());
            if (FUseSkinFont) {
                C->Font()->SetName(entry->FontName);
                C->Font()->SetStyle(entry->FontStyle);
                C->Font()->SetHeight(entry->FontHeight);
                C->Font()->SetColor(entry->FontColor);
            }
            if (auto* strings = SkinData()->ResourceStrData())
                C->Font()->SetCharset(static_cast<TFontCharset>(strings->CharSet()));
            C->Brush()->SetColor(entry->BGColor);
            if (FBGPicture == nullptr && !FTransparent)
                C->FillRect(R);
        } else {
            PaintSkinCellImage(C, R, State);
        }
    }
    DrawCell(ACol, ARow, R, State);
    if (!Skinned() && FDefaultDrawing && !Designing() && State.Contains(gdFocused) &&
        !(FOptions.Contains(goEditing) && FOptions.Contains(goAlwaysShowEditor)) && !FOptions.Contains(goRowSelect))
        C->DrawFocusRect(R);
}

void TskSkinCustomGrid::PaintSkinCellImage(TCanvas* C, const TRect& R, TGridDrawState State)
{
    TSkinCellLook look;
    look.RowSelect = FOptions.Contains(goRowSelect);
    look.UseSkinFont = FUseSkinFont;
    look.UseSkinCellHeight = FUseSkinCellHeight;
    if (auto* strings = SkinData()->ResourceStrData())
        look.Charset = strings->CharSet();
    PaintSkinCell(C, *GridEntry(), FCellsPicture, R, State, look, Font());
}
