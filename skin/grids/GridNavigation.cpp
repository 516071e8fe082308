#include "skin/grids/GridNavigation.h"

#include <algorithm>

namespace {

// The next column with a tab stop after (or, going back, before) the current cell, wrapping into the
// next (previous) row and round the grid; the start cell when no column has a tab stop.
void TabMove(const TGridKeyState& S, bool Back, int& Col, int& Row)
{
    bool any = false;
    for (int c = S.FixedCols; c < S.ColCount && !any; ++c)
        any = S.TabStop(c);
    if (!any)
        return;
    do {
        if (Back) {
            if (--Col < S.FixedCols) {
                Col = S.ColCount - 1;
                if (--Row < S.FixedRows)
                    Row = S.RowCount - 1;
            }
        } else if (++Col >= S.ColCount) {
            Col = S.FixedCols;
            if (++Row >= S.RowCount)
                Row = S.FixedRows;
        }
    } while (!S.TabStop(Col) && Col != S.Col);
}

} // namespace

TGridKeyMove GridKeyMove(const TGridKeyState& S, WORD Key, TShiftState Shift)
{
    TGridKeyMove m{S.Col, S.Row, S.LeftCol, S.TopRow, !Shift.Contains(ssShift), false};
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
        case VK_UP: --m.TopRow; break;
        case VK_DOWN: ++m.TopRow; break;
        case VK_LEFT:
        case VK_RIGHT:
            if (!S.RowSelect) {
                const int step = Key == VK_LEFT ? -S.PageWidth : S.PageWidth;
                m.Col += step;
                m.LeftCol += step;
            }
            break;
        case VK_PRIOR: m.Row = S.TopRow; break;
        case VK_NEXT: m.Row = S.LastVisibleRow; break;
        case VK_HOME: m.Col = S.FixedCols; m.Row = S.FixedRows; break;
        case VK_END: m.Col = S.ColCount - 1; m.Row = S.RowCount - 1; break;
        default: break;
        }
    } else {
        switch (Key) {
        case VK_UP: --m.Row; break;
        case VK_DOWN: ++m.Row; break;
        case VK_LEFT: (S.RowSelect ? m.Row : m.Col) -= 1; break;
        case VK_RIGHT: (S.RowSelect ? m.Row : m.Col) += 1; break;
        case VK_NEXT: m.Row += S.PageHeight; m.TopRow += S.PageHeight; break;
        case VK_PRIOR: m.Row -= S.PageHeight; m.TopRow -= S.PageHeight; break;
        case VK_HOME: (S.RowSelect ? m.Row : m.Col) = S.RowSelect ? S.FixedRows : S.FixedCols; break;
        case VK_END: (S.RowSelect ? m.Row : m.Col) = S.RowSelect ? S.RowCount - 1 : S.ColCount - 1; break;
        case VK_TAB:
            // Shift+Tab walks back the whole way; either way the selection collapses onto the cell.
            if (!Shift.Contains(ssAlt)) {
                TabMove(S, Shift.Contains(ssShift), m.Col, m.Row);
                m.MoveAnchor = true;
            }
            break;
        case VK_F2: m.EditorMode = true; break;
        default: break;
        }
    }
    m.LeftCol = std::clamp(m.LeftCol, S.FixedCols, std::max(S.MaxLeftCol, S.FixedCols));
    m.TopRow = std::clamp(m.TopRow, S.FixedRows, std::max(S.MaxTopRow, S.FixedRows));
    m.Col = std::clamp(m.Col, S.FixedCols, S.ColCount - 1);
    m.Row = std::clamp(m.Row, S.FixedRows, S.RowCount - 1);
    return m;
}

int GridScrollTarget(int First, int Fixed, int MaxFirst, int Page, int Steps, int Code, int Pos, bool ThumbTracking,
    const std::function<int(int)>& Extent)
{
    MaxFirst = std::max(MaxFirst, Fixed);
    int result = First;
    switch (Code) {
    case SB_LINEUP:
        do {
            --result;
        } while (result > Fixed && Extent(result) == 0);
        break;
    case SB_LINEDOWN:
        do {
            ++result;
        } while (result < MaxFirst && Extent(result) == 0);
        break;
    case SB_PAGEUP: result -= Page; break;
    case SB_PAGEDOWN: result += Page; break;
    case SB_THUMBPOSITION: result = Fixed + MulDivRounded(Pos, MaxFirst - Fixed, Steps); break;
    case SB_THUMBTRACK:
        if (ThumbTracking)
            result = Fixed + MulDivRounded(Pos, MaxFirst - Fixed, Steps);
        break;
    case SB_TOP: result = Fixed; break;
    case SB_BOTTOM: result = MaxFirst; break;
    default: break;
    }
    return std::clamp(result, Fixed, MaxFirst);
}

int PixelScrollTarget(int Offset, int Overflow, int Line, int Page, int Code, int Pos, bool ThumbTracking)
{
    switch (Code) {
    case SB_LINEUP: Offset -= Line; break;
    case SB_LINEDOWN: Offset += Line; break;
    case SB_PAGEUP: Offset -= Page; break;
    case SB_PAGEDOWN: Offset += Page; break;
    case SB_THUMBPOSITION: Offset = Pos; break;
    case SB_THUMBTRACK:
        if (ThumbTracking)
            Offset = Pos;
        break;
    case SB_TOP: Offset = 0; break;
    case SB_BOTTOM: Offset = Overflow; break;
    default: break;
    }
    return std::clamp(Offset, 0, std::max(Overflow, 0));
}
