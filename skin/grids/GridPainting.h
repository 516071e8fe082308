#pragma once
// The pieces of a grid's picture that need nothing of the grid but its geometry and its skin entry:
// the grid lines of the four regions, the skinned cell images and where a skinned cell's text goes.
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "skin/grids/GridGeometry.h"

class TskDataSkinGridControl;
class TskSkinData;
class TFont;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

// Which lines a grid asks for, and their colours.
struct TGridLinesLook {
    bool FixedVert = true;
    bool FixedHorz = true;
    bool Vert = true;
    bool Horz = true;
    TColor LineColor = 0;
    TColor FixedGapColor = 0; // the gap between fixed cells where their lines are off
    TColor BodyGapColor = 0;  // the same between the other cells
    int MirrorWidth = 0;      // above 0: right-to-left layout, x mirrored in a client this wide
};

// The line colour actually drawn: silver lines vanish on the light cells they separate, so they are
// drawn a shade darker (grey); any other colour is kept.
TColor GridLineDrawColor(TColor Color);
// Fills the gap after every cell of the fixed corner, the fixed rows, the fixed columns and the body
// with the line colour where the look asks for lines there, else with the region's gap colour.
void PaintGridLines(TCanvas* C, const TGridAxisInfo& H, const TGridAxisInfo& V, const TGridLinesLook& Look);

// How a skinned fixed, selected or focused cell looks.
struct TSkinCellLook {
    bool RowSelect = false;
    bool UseSkinFont = true;
    bool UseSkinCellHeight = true;
    const TskSkinData* Skin = nullptr; // its UI strings give the character set; nullptr keeps the font's
};
// Paints the cell image of a fixed, selected or focused cell over R from Picture, and leaves the
// canvas font set for its text (Font, with the skin's name, size and style when UseSkinFont).
void PaintSkinCell(TCanvas* C, const TskDataSkinGridControl& Entry, TBitmap* Picture, const TRect& R,
    TGridDrawState State, const TSkinCellLook& Look, TFont* Font);
// The text area of a skinned cell: the entry's text rectangle placed in the cell and grown with it;
// the cell itself when the entry gives none.
TRect SkinCellTextRect(const TskDataSkinGridControl& Entry, const TRect& Cell, bool Fixed, bool UseSkinCellHeight);
