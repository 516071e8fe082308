#pragma once
// The skinned grid engine: a column and row count, fixed (header) columns and rows, a current cell
// with a selection anchor, and the line moves. This is the part every grid needs, also a hidden one
// used as a table. Painting, scrolling, the in-place editor and mouse and keyboard input attach to
// the hooks below (InvalidateCell, InvalidateGrid, InvalidateEditor, SizeChanged, TopLeftChanged).
//
// For now the grid is a plain component: the windowed control base it will stand on later slots in
// as the base class without changing anything declared here.
#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/TComponent.h"

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

class TskSkinCustomGrid : public TComponent {
public:
    explicit TskSkinCustomGrid(TComponent* AOwner);
    ~TskSkinCustomGrid() override;

    int ColCount() const { return FColCount; }
    virtual void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    virtual void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);

    int Col() const { return FCurrent.X; }
    void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    int LeftCol() const { return FTopLeft.X; }
    int TopRow() const { return FTopLeft.Y; }
    // The rectangle spanned by the current cell and the anchor, normalised.
    TGridRect Selection() const;

    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    bool EditorMode() const { return FEditorMode; }

    // Moves column (row) From to position To: the current cell and the anchor follow, then
    // ColumnMoved (RowMoved) moves whatever the grid keeps per line.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    // Moves the line to the end, then removes the last one.
    virtual void DeleteColumn(int ACol);
    virtual void DeleteRow(int ARow);

    // Repaint requests. A hidden grid has nothing to repaint; the painting grid fills these in.
    virtual void InvalidateCell(int ACol, int ARow);
    virtual void InvalidateGrid();

protected:
    // Raises "Grid index out of range" for a cell outside the grid; otherwise moves the current
    // cell (and the anchor with it when MoveAnchor) when SelectCell agrees.
    virtual void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    virtual bool SelectCell(int ACol, int ARow);
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual std::string GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const std::string& Value);
    // Refreshes the in-place editor's text; nothing while no editor exists.
    virtual void InvalidateEditor();
    virtual void Click();

    void FocusCell(int ACol, int ARow, bool MoveAnchor);

private:
    void ChangeSize(int NewColCount, int NewRowCount);
    void ResetSelection();

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridCoord FTopLeft{1, 1};
    bool FEditorMode = false;
};

// Registers the grid classes with the class registry, so stored forms can create and fill them.
void RegisterSkinGrids();
