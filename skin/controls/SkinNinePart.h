#pragma once
// The moving parts of a nine-part skin entry: its four inner corner points and its client rectangle,
// relative to the entry's picture rectangle. Windowed and graphic skinned controls, and the list
// view's header sections, stretch them the same way when their size changes, so all ask these functions.
#include "platform/rtl/Types.h"

class TBitmap;
class TskDataSkinCustomControl;

struct TskNinePartPoints {
    TPoint LeftTop;
    TPoint RightTop;
    TPoint LeftBottom;
    TPoint RightBottom;
    TRect Client;
};

// The points of Skin for a picture of SkinRect's size shown at Width x Height: the right points move
// across by the difference in width, the bottom points down by the difference in height, and the
// client rectangle grows by both.
TskNinePartPoints StretchedNinePart(const TRect& SkinRect, const TskNinePartPoints& Skin, int Width, int Height);

// Narrows a size to what a picture of SkinRect allows in ResizeMode: 2 keeps the picture's height, 3 its
// width, 0 both when the control has an entry (Skinned); 1 and -1 allow any size.
void NarrowToSkinSize(int ResizeMode, bool Skinned, const TRect& SkinRect, int& AWidth, int& AHeight);

// Narrows AWidth x AHeight by ResizeMode and sets New to the points of Skin for that size. Without a
// picture (-1), or in the fixed mode 0 without an entry, New keeps what it held.
void StretchNinePart(int ResizeMode, bool Skinned, const TRect& SkinRect, const TskNinePartPoints& Skin,
    TskNinePartPoints& New, int& AWidth, int& AHeight);

// The resize mode a nine-part entry's geometry implies: -1 no picture, 0 fixed size, 1 nine-part,
// 2 horizontal three-part, 3 vertical three-part.
int SkinResizeMode(const TRect& SkinRect, const TPoint& RightTopPoint, const TPoint& LeftBottomPoint,
    const TPoint& RightBottomPoint);

// Piece Src of an entry's picture (the entry's rectangle or a state's rectangle of the same size)
// composed in nine parts to W x H in B: the corners copied, each edge tiled or stretched by the entry's
// edge flag, the client piece tiled or stretched by the entry's stretch effect and type.
void CreateEntrySkinImage(TBitmap* B, TBitmap* Picture, const TskDataSkinCustomControl& E, const TRect& Src, int W,
    int H);
