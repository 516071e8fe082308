#pragma once
// Where a navigation key takes a grid: the new current cell and first visible cells, worked out from
// the grid's state alone, so the key table can be read (and tested) in one place.
#include <functional>

#include "platform/rtl/Types.h"
#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/TControl.h"
#include "skin/grids/GridGeometry.h"

struct TGridKeyState {
    int Col = 0, Row = 0;          // current cell
    int LeftCol = 0, TopRow = 0;   // first scrolling cells shown
    int ColCount = 0, RowCount = 0;
    int FixedCols = 0, FixedRows = 0;
    int LastVisibleRow = 0;        // last fully visible row
    int PageWidth = 1, PageHeight = 1; // visible cells less one, at least 1
    int MaxLeftCol = 0, MaxTopRow = 0;
    bool RowSelect = false;
    std::function<bool(int)> TabStop; // column takes part in Tab navigation
};

struct TGridKeyMove {
    int Col = 0, Row = 0;
    int LeftCol = 0, TopRow = 0;
    bool MoveAnchor = true;  // false: the selection grows (Shift held)
    bool EditorMode = false; // F2 asks for the editor
};

// The move for Key with Shift; keys the grid does not navigate with leave everything in place. The
// results are clamped: the cell to the grid's non-fixed cells, the first cells to [fixed, max].
TGridKeyMove GridKeyMove(const TGridKeyState& S, WORD Key, TShiftState Shift);

// The first scrolling cell a scroll request (SB_LINEUP ... SB_BOTTOM) leads to, clamped to
// [Fixed, MaxFirst]. Thumb positions run 0..Steps over that range; SB_THUMBTRACK counts only with
// ThumbTracking. Line steps pass over cells of no size, never beyond the range.
int GridScrollTarget(int First, int Fixed, int MaxFirst, int Page, int Steps, int Code, int Pos, bool ThumbTracking,
    const std::function<int(int)>& Extent);
// The same by pixels for a grid whose one column is wider than the view (0..Overflow).
int PixelScrollTarget(int Offset, int Overflow, int Line, int Page, int Code, int Pos, bool ThumbTracking);
