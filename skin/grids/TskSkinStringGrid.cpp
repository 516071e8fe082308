#include "skin/grids/TskSkinStringGrid.h"

#include <algorithm>

#include "platform/vcl/TypInfo.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/grids/TskCustomShellComboBox.h"
#include "skin/grids/TskCustomShellListView.h"
#include "skin/grids/TskCustomShellTreeView.h"
#include "skin/grids/TskSkinFileListBox.h"
#include "skin/grids/TskSkinInplaceEdit.h"

namespace {

// A row list keeps the section size it was made with; wide grids get the large sections.
SparseQuantum QuantumFor(int Count, int Limit)
{
    return Count < Limit ? SparseQuantum::Small : SparseQuantum::Large;
}

} // namespace

TskSkinStringGrid::TskSkinStringGrid(TComponent* AOwner) : TskSkinDrawGrid(AOwner)
{
    InitStores();
}

TskSkinStringGrid::~TskSkinStringGrid()
{
    // Views first (rows, then columns), then the row lists; each row list frees its own cells.
    for (TSparseList* views : {FRowViews.get(), FColViews.get()}) {
        views->ForEachItem([](int, void* item) {
            delete static_cast<TskSkinStringGridStrings*>(item);
            return 0;
        });
    }
    FData->ForEachItem([](int, void* item) {
        delete static_cast<TStringSparseList*>(item);
        return 0;
    });
}

void TskSkinStringGrid::InitStores()
{
    // Run while the counts are still the construction defaults, so these are the small quantum in
    // practice; stored counts are applied only afterwards.
    if (!FColViews)
        FColViews = std::make_unique<TSparseList>(QuantumFor(ColCount(), 513));
    if (!FRowViews)
        FRowViews = std::make_unique<TSparseList>(QuantumFor(RowCount(), 257));
    if (!FData)
        FData = std::make_unique<TSparseList>(QuantumFor(RowCount(), 257));
}

void TskSkinStringGrid::IndexError()
{
    throw EListError("List index out of bounds (%d)");
}

void TskSkinStringGrid::CheckWriteIndex(int ACol, int ARow) const
{
    // A write touches the row list, the row's list of cells and both views; it is refused before any
    // of them changes when one of them could not hold the index.
    const TStringSparseList* row = DataRow(ARow < 0 ? 0 : ARow);
    const int colLimit = std::min(FColViews->MaxIndex(), row ? TSparsePointerArray::MaxIndexFor(row->Quantum())
                                                             : TSparsePointerArray::MaxIndexFor(QuantumFor(ColCount(), 513)));
    const int rowLimit = std::min(FData->MaxIndex(), FRowViews->MaxIndex());
    if (ACol < 0 || ARow < 0 || ACol > colLimit || ARow > rowLimit)
        IndexError();
}

TStringSparseList* TskSkinStringGrid::EnsureDataRow(int ARow)
{
    TStringSparseList* row = DataRow(ARow);
    if (!row) {
        auto fresh = std::make_unique<TStringSparseList>(QuantumFor(ColCount(), 513));
        FData->Put(ARow, fresh.get());
        row = fresh.release();
    }
    return row;
}

TskSkinStringGridStrings* TskSkinStringGrid::EnsureColRow(int Index, bool IsColumn)
{
    TSparseList& views = IsColumn ? *FColViews : *FRowViews;
    auto* view = static_cast<TskSkinStringGridStrings*>(views.Get(Index));
    if (!view) {
        auto fresh = std::make_unique<TskSkinStringGridStrings>(this, IsColumn ? -(Index + 1) : Index + 1);
        views.Put(Index, fresh.get());
        view = fresh.release();
    }
    return view;
}

std::string TskSkinStringGrid::Cells(int ACol, int ARow) const
{
    // Both indexes are checked on every read, whether or not the row exists.
    if (ACol < 0)
        IndexError();
    const TStringSparseList* row = DataRow(ARow);
    return row ? row->Get(ACol) : std::string();
}

void TskSkinStringGrid::SetCells(int ACol, int ARow, const std::string& Value)
{
    CheckWriteIndex(ACol, ARow);
    EnsureDataRow(ARow)->Put(ACol, Value);
    EnsureColRow(ACol, true);
    EnsureColRow(ARow, false);
    UpdateCell(ACol, ARow);
}

void* TskSkinStringGrid::Objects(int ACol, int ARow) const
{
    if (ACol < 0)
        IndexError();
    const TStringSparseList* row = DataRow(ARow);
    return row ? row->GetObject(ACol) : nullptr;
}

void TskSkinStringGrid::SetObjects(int ACol, int ARow, void* Value)
{
    CheckWriteIndex(ACol, ARow);
    EnsureDataRow(ARow)->PutObject(ACol, Value);
    EnsureColRow(ACol, true);
    EnsureColRow(ARow, false);
    UpdateCell(ACol, ARow);
}

TStrings* TskSkinStringGrid::Cols(int Index)
{
    return EnsureColRow(Index, true);
}

TStrings* TskSkinStringGrid::Rows(int Index)
{
    return EnsureColRow(Index, false);
}

void TskSkinStringGrid::SetCols(int Index, const TStrings& Value)
{
    EnsureColRow(Index, true)->Assign(Value);
}

void TskSkinStringGrid::SetRows(int Index, const TStrings& Value)
{
    EnsureColRow(Index, false)->Assign(Value);
}

void TskSkinStringGrid::UpdateCell(int ACol, int ARow)
{
    if (FUpdating)
        FNeedsUpdating = true;
    else
        InvalidateCell(ACol, ARow);
    if (ACol == Col() && ARow == Row() && FEditUpdate == 0)
        InvalidateEditor();
}

void TskSkinStringGrid::SetUpdateState(bool Updating)
{
    FUpdating = Updating;
    if (!Updating && FNeedsUpdating) {
        InvalidateGrid();
        FNeedsUpdating = false;
    }
}

void TskSkinStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (DefaultDrawing()) {
        TCanvas* c = Canvas();
        if (OnGetCellParam) {
            TColor background = c->Brush()->Color();
            bool fill = false;
            TColor fontColor = c->Font()->Color();
            OnGetCellParam(this, ACol, ARow, AState, background, fill, fontColor);
            c->Font()->SetColor(fontColor);
            if (fill) {
                c->Brush()->SetStyle(bsSolid);
                c->Brush()->SetColor(background);
                c->FillRect(ARect);
            }
        }
        const TRect r = CellTextRect(ACol, ARow, ARect, AState);
        const std::string text = Cells(ACol, ARow);
        // The cell's picture is already there: the text goes over it without a background.
        c->Brush()->SetStyle(bsClear);
        // Right-to-left text starts at the cell's right edge.
        const int x = UseRightToLeftAlignment() ? r.Right - 2 - c->TextWidth(text) : r.Left + 2;
        c->TextRect(r, x, r.Top + r.Height() / 2 - c->TextHeight(text) / 2, text);
        c->Brush()->SetStyle(bsSolid);
    }
    TskSkinDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

std::string TskSkinStringGrid::GetEditText(int ACol, int ARow)
{
    std::string text = Cells(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TskSkinStringGrid::SetEditText(int ACol, int ARow, const std::string& Value)
{
    // The editor is the writer here: it must not be told to reload what it just handed over.
    DisableEditUpdate();
    try {
        if (Value != Cells(ACol, ARow))
            SetCells(ACol, ARow, Value);
    } catch (...) {
        EnableEditUpdate();
        throw;
    }
    EnableEditUpdate();
    TskSkinDrawGrid::SetEditText(ACol, ARow, Value);
}

void TskSkinStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    FData->ForEachItem([FromIndex, ToIndex](int, void* item) {
        static_cast<TStringSparseList*>(item)->Move(FromIndex, ToIndex);
        return 0;
    });
    InvalidateGrid();
    TskSkinDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TskSkinStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    FData->Move(FromIndex, ToIndex);
    InvalidateGrid();
    TskSkinDrawGrid::RowMoved(FromIndex, ToIndex);
}

// ---------------------------------------------------------------------------------------------
// Class registration: the stored forms create the grids by class name and set these properties.

void RegisterSkinGrids()
{
    static const bool registered = [] {
        RegisterSkinControlClasses();
        RegisterEnum<TGridOption>({"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
                                   "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
                                   "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"});
        RegisterEnum<TBiDiMode>({"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
        using G = TskSkinDrawGrid;
        RegisterClass<G, TskSkinControl>("TskSkinDrawGrid")
            .Prop("ColCount", &G::ColCount, &G::SetColCount, 5)
            .Prop("RowCount", &G::RowCount, &G::SetRowCount, 5)
            .Prop("FixedCols", &G::FixedCols, &G::SetFixedCols, 1)
            .Prop("FixedRows", &G::FixedRows, &G::SetFixedRows, 1)
            .Prop("DefaultColWidth", &G::DefaultColWidth, &G::SetDefaultColWidth, 64)
            .Prop("DefaultRowHeight", &G::DefaultRowHeight, &G::SetDefaultRowHeight, 24)
            .Prop("GridLineWidth", &G::GridLineWidth, &G::SetGridLineWidth, 1)
            .Prop("Options", &G::Options, &G::SetOptions,
                  TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect})
            .Prop("FixedColor", &G::FixedColor, &G::SetFixedColor, clBtnFace)
            .Prop("BorderStyle", &G::BorderStyle, &G::SetBorderStyle, bsSingle)
            .Prop("DefaultDrawing", &G::DefaultDrawing, &G::SetDefaultDrawing, true)
            .Prop("TabStop", &G::TabStop, &G::SetTabStop, true)
            .Prop("Transparent", &G::Transparent, &G::SetTransparent, false)
            .Prop("Wallpaper", &G::Wallpaper)
            .Prop("WallpaperStretch", &G::WallpaperStretch, &G::SetWallpaperStretch, false)
            .Prop("UseSkinFont", &G::UseSkinFont, &G::SetUseSkinFont, true)
            .Prop("UseSkinCellHeight", &G::UseSkinCellHeight, &G::SetUseSkinCellHeight, true)
            .Prop("HScrollBar", &G::HScrollBar, &G::SetHScrollBar)
            .Prop("VScrollBar", &G::VScrollBar, &G::SetVScrollBar)
            .Prop("GridLineColor", &G::GridLineColor, &G::SetGridLineColor, clWindowText)
            .Prop("BiDiMode", &G::BiDiMode, &G::SetBiDiMode, bdLeftToRight)
            .Event("OnDrawCell", &G::OnDrawCell)
            .Event("OnSelectCell", &G::OnSelectCell)
            .Event("OnGetEditText", &G::OnGetEditText)
            .Event("OnGetEditMask", &G::OnGetEditMask)
            .Event("OnSetEditText", &G::OnSetEditText)
            .Event("OnColumnMoved", &G::OnColumnMoved)
            .Event("OnRowMoved", &G::OnRowMoved)
            .Event("OnTopLeftChanged", &G::OnTopLeftChanged);
        RegisterClass<TskSkinStringGrid, TskSkinDrawGrid>("TskSkinStringGrid")
            .Event("OnGetCellParam", &TskSkinStringGrid::OnGetCellParam);
        RegisterInplaceEditClasses();
        RegisterShellTreeViewClasses();
        RegisterShellListViewClasses();
        RegisterShellComboBoxClasses();
        RegisterFileCtrlClasses();
        return true;
    }();
    (void)registered;
}
