#include "skin/grids/TskSkinCustomGrid.h"

// The grid and the mouse: selecting, sizing and moving lines, and the timer that scrolls while the
// pointer is held beyond the cells.
#include <algorithm>

#include "platform/gfx/Drawing.h"
#include "platform/vcl/ScrollInfo.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"
#include "skin/grids/TskSkinInplaceEdit.h"

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
        // The cell's handlers (selecting, scrolling, the click) may free the grid.
        const auto alive = FAlive.Watch();
        if (hit.X >= FFixedCols && hit.Y >= FFixedRows) {
            if (FOptions.Contains(goEditing)) {
                if (hit == FCurrent)
                    SetEditorMode(true);
                else {
                    MoveColRow(hit.X, hit.Y, true, true);
                    if (*alive)
                        UpdateEdit();
                }
                if (!*alive)
                    return;
                Click();
                if (!*alive)
                    return;
            } else {
                FGridState = gsSelecting;
                StartTimer();
                if (Shift.Contains(ssShift)) {
                    MoveAnchor(hit);
                    if (!*alive)
                        return;
                } else {
                    MoveColRow(hit.X, hit.Y, true, true);
                    if (!*alive)
                        return;
                    // A cell that SelectCell refused starts no selection either: dragging on would
                    // select the refused cell after all.
                    if (FCurrent.Y != hit.Y || (!FOptions.Contains(goRowSelect) && FCurrent.X != hit.X)) {
                        FGridState = gsNormal;
                        StopTimer();
                    }
                }
            }
        } else {
            const bool rows = FOptions.Contains(goRowMoving) && hit.X >= 0 && hit.X < FFixedCols && hit.Y >= FFixedRows;
            const bool cols =
                !rows && FOptions.Contains(goColMoving) && hit.Y >= 0 && hit.Y < FFixedRows && hit.X >= FFixedCols;
            int origin = rows ? hit.Y : hit.X;
            int destination = origin;
            const TPoint pt{X, Y};
            if ((rows && BeginRowDrag(origin, destination, pt)) || (cols && BeginColumnDrag(origin, destination, pt))) {
                FGridState = rows ? gsRowMoving : gsColMoving;
                FMoveIndex = origin;
                FMovePos = destination;
                Update();
                DrawMoveMarker();
                StartTimer();
            }
        }
    }
    TskSkinControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    const auto alive = FAlive.Watch();
    switch (FGridState) {
    case gsSelecting: {
        const TGridCoord hit = MouseCoord(X, Y);
        if (hit.X >= FFixedCols && hit.Y >= FFixedRows && hit != FAnchor)
            MoveAnchor(hit);
        if (!*alive)
            return;
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
            const TPoint pt{X, Y};
            if (cols ? CheckColumnDrag(FMoveIndex, target, pt) : CheckRowDrag(FMoveIndex, target, pt))
                FMovePos = target;
            DrawMoveMarker();
        }
        break;
    }
    case gsColSizing:
    case gsRowSizing:
        DrawSizingLine();
        FSizingPos = (FGridState == gsRowSizing ? Y : FlipX(X)) + FSizingOfs;
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
    // The selecting handlers and the click may free the grid.
    const auto alive = FAlive.Watch();
    try {
        switch (state) {
        case gsSelecting:
            FGridState = gsSelecting;
            MouseMove(Shift, X, Y);
            if (!*alive)
                return;
            FGridState = gsNormal;
            StopTimer();
            UpdateEdit();
            if (!*alive)
                return;
            Click();
            if (!*alive)
                return;
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
            {
                const TPoint pt{X, Y};
                const bool agreed = state == gsColMoving ? EndColumnDrag(FMoveIndex, FMovePos, pt)
                                                         : EndRowDrag(FMoveIndex, FMovePos, pt);
                if (agreed && FMoveIndex != FMovePos) {
                    if (state == gsColMoving)
                        MoveColumn(FMoveIndex, FMovePos);
                    else
                        MoveRow(FMoveIndex, FMovePos);
                }
            }
            UpdateEdit();
            break;
        default:
            UpdateEdit();
            break;
        }
    } catch (...) {
        if (*alive)
            FGridState = gsNormal;
        throw;
    }
    if (*alive)
        TskSkinControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomGrid::CalcSizingState(int X, int Y)
{
    X = FlipX(X);
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
        InvertRect(dc, FlipRect(Rect(FSizingPos, 0, FSizingPos + 1, ClientH())));
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
        const TRect r = LtrBoxRect({FMovePos, 0, FMovePos, 0});
        if (r.IsEmpty())
            return;
        const int x = FMovePos > FMoveIndex ? r.Right : r.Left;
        InvertRect(dc, FlipRect(Rect(x - 2, 0, x + 3, ClientH())));
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
    SetTimer(FHandle, GridTimerId, 60);
    FTimerSet = true;
}

void TskSkinCustomGrid::StopTimer()
{
    if (FTimerSet && FHandle != 0)
        KillTimer(FHandle, GridTimerId);
    FTimerSet = false;
}

void TskSkinCustomGrid::TimerTick()
{
    if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving)
        return;
    TPoint p = ScreenToClient(GetCursorPos());
    p.X = FlipX(p.X);
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
    target = std::clamp(target, a.FixedCellCount, a.GridCellCount - 1);
    const TPoint pt{FlipX(p.X), p.Y};
    if (cols ? CheckColumnDrag(FMoveIndex, target, pt) : CheckRowDrag(FMoveIndex, target, pt))
        FMovePos = target;
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

