#include "skin/grids/GridGeometry.h"

#include <algorithm>
#include <climits>

void CalcAxis(TGridAxisInfo& Axis)
{
    Axis.FixedBoundary = 0;
    for (int i = 0; i < Axis.FixedCellCount; ++i)
        Axis.FixedBoundary += Axis.Extent(i) + Axis.EffectiveLineWidth;
    Axis.GridBoundary = Axis.FixedBoundary - Axis.Offset;
    Axis.FullVisBoundary = Axis.FixedBoundary;
    Axis.LastFullVisibleCell = Axis.FirstGridCell;
    // Only the cells on screen are visited: the walk ends at the first one that does not fit.
    for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
        Axis.GridBoundary += Axis.Extent(i) + Axis.EffectiveLineWidth;
        if (Axis.GridBoundary > Axis.GridExtent + Axis.EffectiveLineWidth) {
            Axis.GridBoundary = Axis.GridExtent;
            break;
        }
        Axis.LastFullVisibleCell = i;
        Axis.FullVisBoundary = Axis.GridBoundary;
    }
    Axis.GridBoundary = std::min(Axis.GridBoundary, Axis.GridExtent);
}

int AxisLineStart(const TGridAxisInfo& Axis, int Index)
{
    int pos = 0;
    int from = 0;
    if (Index >= Axis.FixedCellCount) {
        if (Index < Axis.FirstGridCell)
            return -1;
        pos = Axis.FixedBoundary - Axis.Offset;
        from = Axis.FirstGridCell;
    }
    for (int i = from; i < Index; ++i) {
        pos += Axis.Extent(i) + Axis.EffectiveLineWidth;
        if (pos >= Axis.GridExtent)
            return -1;
    }
    return pos < Axis.GridExtent ? pos : -1;
}

int AxisCellAt(const TGridAxisInfo& Axis, int Pos)
{
    if (Pos < 0 || Pos >= Axis.GridExtent)
        return -1;
    int pos = 0;
    int i = 0;
    if (Pos >= Axis.FixedBoundary) {
        pos = Axis.FixedBoundary - Axis.Offset;
        i = Axis.FirstGridCell;
    }
    for (; i < Axis.GridCellCount; ++i) {
        pos += Axis.Extent(i) + Axis.EffectiveLineWidth;
        if (Pos < pos)
            return i;
        if (pos >= Axis.GridExtent)
            break;
    }
    return -1;
}

int AxisFirstShowing(const TGridAxisInfo& Axis, int Cell)
{
    int result = Cell;
    int line = Axis.GridExtent + Axis.EffectiveLineWidth;
    for (int i = Cell; i >= Axis.FixedCellCount; --i) {
        line -= Axis.Extent(i) + Axis.EffectiveLineWidth;
        if (line < Axis.FixedBoundary)
            break;
        result = i;
    }
    return std::max(result, Axis.FixedCellCount);
}

bool AxisSpan(const TGridAxisInfo& Axis, int Lo, int Hi, int& Start, int& Stop)
{
    if (Lo > Hi)
        std::swap(Lo, Hi);
    Lo = std::max(Lo, 0);
    Hi = std::min(Hi, Axis.GridCellCount - 1);
    // Cells scrolled away at the start of the range are skipped; the range is empty when all are.
    if (Lo >= Axis.FixedCellCount && Lo < Axis.FirstGridCell) {
        if (Hi < Axis.FirstGridCell)
            return false;
        Lo = Axis.FirstGridCell;
    }
    if (Lo > Hi)
        return false;
    Start = AxisLineStart(Axis, Lo);
    if (Start < 0)
        return false;
    // The last cell of the range that still starts inside the view; the fixed cells of the range are
    // followed by the first scrolling cell, not by the scrolled-away ones.
    int pos = Start;
    int last = Lo;
    for (int i = Lo; i < Hi;) {
        int next = i + 1;
        int nextPos = pos + Axis.Extent(i) + Axis.EffectiveLineWidth;
        if (next == Axis.FixedCellCount) {
            next = Axis.FirstGridCell;
            nextPos = Axis.FixedBoundary - Axis.Offset;
        }
        if (next > Hi || nextPos >= Axis.GridExtent)
            break;
        pos = nextPos;
        last = next;
        i = next;
    }
    Stop = std::min(pos + Axis.Extent(last), Axis.GridExtent);
    Start = std::max(Start, 0);
    return Stop > Start;
}

int MulDivRounded(int A, int B, int C)
{
    if (C == 0)
        return 0;
    const long long n = static_cast<long long>(A) * B;
    const long long half = (C < 0 ? -static_cast<long long>(C) : C) / 2;
    long long q = (n >= 0 ? n + half : n - half) / C;
    return static_cast<int>(std::clamp<long long>(q, INT_MIN, INT_MAX));
}

int AxisSizingCell(const TGridAxisInfo& Axis, int Pos, int& Line)
{
    int range = Axis.EffectiveLineWidth;
    int back = 0;
    if (range < 7) {
        range = 7;
        back = (range - Axis.EffectiveLineWidth) / 2;
    }
    int line = Axis.FixedBoundary - Axis.Offset;
    for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
        line += Axis.Extent(i);
        if (line > Axis.GridBoundary)
            break;
        if (Pos >= line - back && Pos <= line - back + range) {
            Line = line;
            return i;
        }
        line += Axis.EffectiveLineWidth;
    }
    return -1;
}
