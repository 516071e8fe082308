#pragma once
// Where the cells of one grid axis lie on the screen: fixed cells from 0, then the scrolling cells from
// the first one shown, each followed by its line. Painting, hit testing, scrolling and repaint requests
// all ask these functions, so they can never disagree about a pixel.
#include <functional>

struct TGridAxisInfo {
    int EffectiveLineWidth = 0;
    int FixedBoundary = 0;      // end of the fixed cells (with their lines)
    int GridBoundary = 0;       // where the drawn cells end, at most GridExtent
    int GridExtent = 0;         // client width or height
    int LastFullVisibleCell = 0;
    int FullVisBoundary = 0;    // end of the last fully visible cell (with its line)
    int FixedCellCount = 0;
    int FirstGridCell = 0;      // LeftCol or TopRow
    int GridCellCount = 0;
    int Offset = 0;             // pixels the first scrolling cell is moved back (one-column grids)
    std::function<int(int)> Extent; // size of cell i (ColWidths or RowHeights)
};

// Fills in the boundaries and the last fully visible cell from the counts, sizes and extent set.
void CalcAxis(TGridAxisInfo& Axis);
// Start of cell Index; -1 when it is scrolled away or starts at or beyond the extent.
int AxisLineStart(const TGridAxisInfo& Axis, int Index);
// The cell under position Pos; -1 where there is none.
int AxisCellAt(const TGridAxisInfo& Axis, int Pos);
// The first scrolling cell that still shows Cell whole at the far end of the view (Cell itself when it
// is larger than the view, the first scrolling cell at the least).
int AxisFirstShowing(const TGridAxisInfo& Axis, int Cell);
// The pixel span of cells Lo..Hi that is visible; false when none of it is.
bool AxisSpan(const TGridAxisInfo& Axis, int Lo, int Hi, int& Start, int& Stop);
// A * B / C rounded to the nearest; 0 when C is 0.
int MulDivRounded(int A, int B, int C);
// The cell whose end line lies under Pos, for sizing with the mouse: the zone round a line is the line
// width, widened to 7 pixels when the line is thinner. -1 when Pos is on no line; Line receives the
// line's position.
int AxisSizingCell(const TGridAxisInfo& Axis, int Pos, int& Line);
