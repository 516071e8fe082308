#pragma once
// The skinned grid engine: columns and rows of variable size, fixed (header) columns and rows at the top
// left, a current cell with a selection anchor, keyboard and mouse navigation, column and row sizing and
// moving with the mouse, and scrolling through two skinned scroll bars placed on the form and linked with
// HScrollBar and VScrollBar (the grid makes no bars of its own). It paints itself from the skin's "grid"
// entry or in a plain default look; descendants draw the cell contents in DrawCell.
//
// A grid without a parent window works as a table: counts, current cell and line moves behave the same,
// and nothing that needs a window (scroll ranges, repaints, timers) is attempted.
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "skin/controls/TskSkinControl.h"
#include "skin/grids/GridGeometry.h"
#include "skin/grids/GridPainting.h"

class TskSkinScrollBar;
class TskDataSkinGridControl;
class TskSkinInplaceEdit;

class EInvalidGridOperation : public Exception { using Exception::Exception; };

// The grid's error texts.
extern const char* const SGridIndexOutOfRange;     // "Grid index out of range"
extern const char* const SFixedColTooBig;          // "Fixed column count must be less than column count"
extern const char* const SFixedRowTooBig;          // "Fixed row count must be less than row count"
extern const char* const SCannotInsertDelete;      // "Cannot insert or delete rows from grid"
extern const char* const STooManyDeleted;          // "Too many rows or columns deleted"
extern const char* const SGridTooLarge;            // "Grid too large for operation"

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Left/Top and Right/Bottom are the first and last cells, inclusive.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

class TskSkinCustomGrid : public TskSkinControl {
public:
    explicit TskSkinCustomGrid(TComponent* AOwner);
    ~TskSkinCustomGrid() override;

    // --- counts and sizes
    int ColCount() const { return FColCount; }
    virtual void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    virtual void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    // Drops every individual width.
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    // The width of column Index; the default for an index with no width of its own.
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    bool TabStops(int Index) const;
    void SetTabStops(int Index, bool Value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);

    // --- current cell, selection, scroll position
    int Col() const { return FCurrent.X; }
    void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int Value);
    // The rectangle spanned by the current cell and the anchor, normalised.
    TGridRect Selection() const;
    void SetSelection(const TGridRect& Value);
    int VisibleColCount();
    int VisibleRowCount();

    // --- options and looks
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    bool EditorMode() const { return FEditorMode; }
    // True shows the editor on the current cell (caret at the end); false hides it, keeping its text.
    void SetEditorMode(bool Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TBitmap* Wallpaper() const { return FWallpaper; }
    // Copies the picture; a picture that is not empty turns Transparent on.
    void SetWallpaper(TBitmap* Value);
    bool WallpaperStretch() const { return FWallpaperStretch; }
    void SetWallpaperStretch(bool Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value);
    bool UseSkinCellHeight() const { return FUseSkinCellHeight; }
    void SetUseSkinCellHeight(bool Value);
    // bdRightToLeft lays the grid out from the right: the fixed columns at the right edge, the columns
    // running leftwards, Left and Right keys and the horizontal bar reversed. Cell rectangles and mouse
    // points are always client coordinates.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }

    // --- external scroll bars (placed on the form; the grid only drives them)
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TskSkinScrollBar* Value);
    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TskSkinScrollBar* Value);

    // --- line moves
    // Moves column (row) From to position To: widths (heights), the current cell and the anchor follow,
    // then ColumnMoved (RowMoved) moves whatever the grid keeps per line.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    // Moves the line to the end, then removes the last one.
    virtual void DeleteColumn(int ACol);
    virtual void DeleteRow(int ARow);

    // --- geometry (client coordinates)
    // The cell's rectangle; empty when it is not visible.
    TRect CellRect(int ACol, int ARow);
    // The cell under a client point; -1 parts where there is none.
    TGridCoord MouseCoord(int X, int Y);
    TGridAxisInfo HorzAxis();
    TGridAxisInfo VertAxis();
    // The area of a cell where text goes (the skin's text rectangle moved to the cell).
    TRect CellTextRect(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) const;

    // --- repaint requests (nothing without a window)
    virtual void InvalidateCell(int ACol, int ARow);
    void InvalidateGridRect(const TGridRect& R);
    virtual void InvalidateGrid();

    // --- skin
    void FindSkinObject() override;
    void RefreshSkin() override;
    // The grid entry in use, or nullptr (also for an entry whose fixed-cell image is empty).
    TskDataSkinGridControl* GridEntry() const;

    void DefineProperties(TFiler* Filer) override;

    // --- in-place editing (the editor's own unit, TskSkinInplaceEdit, holds these operations)
    // The editor, made the first time it is shown; nullptr before.
    TskSkinInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
    void ShowEditor();
    // Hides the editor; what was typed stays in the cell.
    void HideEditor();
    // Shows the editor and types Ch into it (the character arrives as a posted message).
    void ShowEditorChar(TKeyChar Ch);
    // Puts back the text the cell had when editing started, and leaves editing unless the editor is
    // always shown.
    void CancelEdit();

protected:
    friend class TskSkinInplaceEdit;
    virtual TskSkinInplaceEdit* CreateEditor();
    // goEditing without goRowSelect, editor mode on, not designing, a window, and the editor always
    // shown or the grid the form's active control.
    bool CanEditShow();
    virtual bool CanEditAcceptKey(TKeyChar) { return true; }
    // False when the cell's length limit is -1 (a read-only cell).
    virtual bool CanEditModify() { return FCanEditModify; }
    // Hands the editor's text to its cell (SetEditText).
    void UpdateText();
    // UpdateText, then forgets the editor's cell and hides it.
    void HideEdit();
    void KeyPress(TKeyChar& Key) override;

    // Raises "Grid index out of range" for a cell outside the grid; otherwise moves the current cell
    // (and the anchor with it when MoveAnchor) when SelectCell agrees, and scrolls it into view when Show.
    virtual void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    virtual bool SelectCell(int ACol, int ARow);
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual std::string GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const std::string& Value);
    virtual std::string GetEditMask(int ACol, int ARow);
    virtual int GetEditLimit() { return 0; }
    virtual bool CanGridAcceptKey(WORD, TShiftState) { return true; }
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // A column (row) drag with the mouse asks these when it starts, at each line it passes and when the
    // button is released; false refuses (no drag, no new place, no move). Origin is the line taken,
    // Destination where it would go; either may be changed.
    virtual bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool CheckColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool CheckRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    // Inserts (Amount > 0) or removes (Amount < 0) lines at Index.
    void AdjustSize(int Index, int Amount, bool Rows);
    // Refreshes the in-place editor's text; nothing while no editor exists.
    virtual void InvalidateEditor();

    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveTopLeft(int ALeft, int ATop);
    void UpdateScrollRange();
    TGridCoord CalcMaxTopLeft();

    void Paint() override;
    void WndProc(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // Skin values of the "grid" entry.
    TBitmap* FCellsPicture = nullptr;
    TBitmap* FBGPicture = nullptr;

private:
    // The window timer that scrolls while the mouse is held beyond the cells.
    static constexpr UINT_PTR GridTimerId = 1;
    void ChangeSize(int NewColCount, int NewRowCount);
    void EnsureColExtents();
    void ApplySize(int NewColCount, int NewRowCount);
    void ResetSelection();
    void MoveAnchor(TGridCoord NewAnchor);
    void ClampInView(TGridCoord Cell);
    // Moves the picture by the distance between the old and the new first cells, band by band, so
    // only what scrolls in is painted; a jump of a whole screen or more repaints the grid.
    void ScrollData(TGridCoord OldTopLeft);
    // The grid is the form's active control (also while its editor has the keyboard).
    bool IsActiveControl();
    // Between the left-to-right layout the geometry works in and the client area (mirrored in
    // right-to-left layout): a pixel column, and a rectangle.
    int FlipX(int X) const;
    TRect FlipRect(const TRect& R) const;
    // The cells' rectangle in the left-to-right layout.
    TRect LtrBoxRect(const TGridRect& R);
    void SelectionMoved(const TGridRect& OldSel);
    void ScrollMessage(bool Horizontal, int Code, int Pos);
    void UpdateScrollPositions();
    // Shows the editor on the current cell when it can be shown (setting it up for a new cell).
    void UpdateEdit();
    void SetUpEditor();
    void FreeEditor();
    void TimerTick();
    void TimedScroll(bool Left, bool Right, bool Up, bool Down);
    void CalcSizingState(int X, int Y);
    void DrawSizingLine();
    void DrawMoveMarker();
    TRect BoxRect(const TGridRect& R);
    int ClientW() const;
    int ClientH() const;
    void BindBar(TskSkinScrollBar* Bar, bool Horizontal);
    void UnbindBar(TskSkinScrollBar* Bar);
    void StartTimer();
    void StopTimer();

    // Painting.
    void PaintBackground(TCanvas* C);
    void PaintLines(TCanvas* C, const TGridAxisInfo& H, const TGridAxisInfo& V);
    void PaintCells(TCanvas* C, int ACol, int ARow, int StartX, int StartY, int StopX, int StopY, TColor Color,
        TGridDrawState Base, const TGridAxisInfo& H, const TGridAxisInfo& V);
    void PaintCell(TCanvas* C, int ACol, int ARow, const TRect& R, TGridDrawState State, TColor Color);
    void PaintSkinCellImage(TCanvas* C, const TRect& R, TGridDrawState State);
    bool Skinned() const { return SkinIndex() != -1; }

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    // Individual sizes; empty until the first individual size is set.
    std::vector<int> FColWidths;
    std::vector<bool> FTabStops;
    std::vector<int> FRowHeights;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridCoord FTopLeft{1, 1};
    int FColOffset = 0;
    bool FEditorMode = false;
    TColor FFixedColor = clBtnFace;
    TColor FGridLineColor = clWindowText;
    TFormBorderStyle FBorderStyle = bsSingle;
    bool FDefaultDrawing = true;
    bool FTransparent = false;
    TBitmap* FWallpaper;
    bool FWallpaperStretch = false;
    bool FUseSkinFont = true;
    bool FUseSkinCellHeight = true;
    TBiDiMode FBiDiMode = bdLeftToRight;
    TComponentLink<TskSkinScrollBar> FHScrollBar{this};
    TComponentLink<TskSkinScrollBar> FVScrollBar{this};
    bool FUpdatingScrollRange = false;

    TGridState FGridState = gsNormal;
    int FSizingIndex = -1;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    int FMoveIndex = -1;
    int FMovePos = -1;
    bool FTimerSet = false;
    bool FMarkerShown = false;

    TComponentLink<TskSkinInplaceEdit> FInplaceEdit{this}; // owned (as a component) by the grid
    int FInplaceCol = -1;                       // the editor's cell; -1, -1 for none
    int FInplaceRow = -1;
    bool FCanEditModify = true;
    std::string FEditStartText; // the cell's text when editing started there (for CancelEdit)
};

// Registers the grid classes with the class registry, so stored forms can create and fill them.
void RegisterSkinGrids();
