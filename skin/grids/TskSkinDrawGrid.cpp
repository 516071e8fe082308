#include "skin/grids/TskSkinDrawGrid.h"

TskSkinDrawGrid::TskSkinDrawGrid(TComponent* AOwner) : TskSkinCustomGrid(AOwner) {}

void TskSkinDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TskSkinDrawGrid::SelectCell(int ACol, int ARow)
{
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

std::string TskSkinDrawGrid::GetEditText(int ACol, int ARow)
{
    std::string value;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

std::string TskSkinDrawGrid::GetEditMask(int ACol, int ARow)
{
    std::string value;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, value);
    return value;
}

void TskSkinDrawGrid::SetEditText(int ACol, int ARow, const std::string& Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

void TskSkinDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TskSkinDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

void TskSkinDrawGrid::TopLeftChanged()
{
    TskSkinCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

