#pragma once
// The moving parts of a nine-part skin entry: its four inner corner points and its client rectangle,
// relative to the entry's picture rectangle. Windowed and graphic skinned controls stretch them the
// same way when their size changes, so both ask this one function.
#include "platform/rtl/Types.h"

struct TskNinePartPoints {
    TPoint LeftTop;
    TPoint RightTop;
    TPoint LeftBottom;
    TPoint RightBottom;
    TRect Client;
};

// Moves the points of Skin into New for a control of AWidth x AHeight, by resize mode: 1 stretches both
// ways, 2 only across (the height is forced to the picture's), 3 only down (the width is forced), 0 keeps
// the picture's size when the control has an entry. Points a mode does not move keep what New held.
void StretchNinePart(int ResizeMode, bool Skinned, const TRect& SkinRect, const TskNinePartPoints& Skin,
    TskNinePartPoints& New, int& AWidth, int& AHeight);

// The resize mode a nine-part entry's geometry implies: -1 no picture, 0 fixed size, 1 nine-part,
// 2 horizontal three-part, 3 vertical three-part.
int SkinResizeMode(const TRect& SkinRect, const TPoint& RightTopPoint, const TPoint& LeftBottomPoint,
    const TPoint& RightBottomPoint);
