#include "skin/controls/SkinNinePart.h"

#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinControl.h"

namespace {

TPoint Moved(TPoint p, int dx, int dy) { return Point(p.X + dx, p.Y + dy); }

}  // namespace

TskNinePartPoints StretchedNinePart(const TRect& SkinRect, const TskNinePartPoints& Skin, int Width, int Height)
{
    const int dw = Width - SkinRect.Width();
    const int dh = Height - SkinRect.Height();
    return {Skin.LeftTop, Moved(Skin.RightTop, dw, 0), Moved(Skin.LeftBottom, 0, dh), Moved(Skin.RightBottom, dw, dh),
        Rect(Skin.Client.Left, Skin.Client.Top, Skin.Client.Right + dw, Skin.Client.Bottom + dh)};
}

void NarrowToSkinSize(int ResizeMode, bool Skinned, const TRect& SkinRect, int& AWidth, int& AHeight)
{
    if (ResizeMode == 3 || (ResizeMode == 0 && Skinned)) AWidth = SkinRect.Width();
    if (ResizeMode == 2 || (ResizeMode == 0 && Skinned)) AHeight = SkinRect.Height();
}

void StretchNinePart(int ResizeMode, bool Skinned, const TRect& SkinRect, const TskNinePartPoints& Skin,
    TskNinePartPoints& New, int& AWidth, int& AHeight)
{
    if (ResizeMode < 0 || ResizeMode > 3 || (ResizeMode == 0 && !Skinned)) return;
    NarrowToSkinSize(ResizeMode, Skinned, SkinRect, AWidth, AHeight);
    New = StretchedNinePart(SkinRect, Skin, AWidth, AHeight);
}

int SkinResizeMode(const TRect& SkinRect, const TPoint& RightTopPoint, const TPoint& LeftBottomPoint,
    const TPoint& RightBottomPoint)
{
    if (IsEmptyRect(SkinRect)) return -1;
    if (RightBottomPoint.X != 0 && RightBottomPoint.Y != 0) return 1;
    if (RightTopPoint.X != 0 || RightTopPoint.Y != 0) return 2;
    if (LeftBottomPoint.X != 0 || LeftBottomPoint.Y != 0) return 3;
    return 0;
}

void CreateEntrySkinImage(TBitmap* B, TBitmap* Picture, const TskDataSkinCustomControl& E, const TRect& Src, int W,
    int H)
{
    const TskNinePartPoints skin{E.LeftTopPoint, E.RightTopPoint, E.LeftBottomPoint, E.RightBottomPoint, E.ClientRect};
    const TskNinePartPoints moved = StretchedNinePart(E.SkinRect, skin, W, H);
    CreateSkinImage(skin.LeftTop, skin.RightTop, skin.LeftBottom, skin.RightBottom, skin.Client, moved.LeftTop,
        moved.RightTop, moved.LeftBottom, moved.RightBottom, moved.Client, B, Picture, Src, W, H, true, E.LeftStretch,
        E.TopStretch, E.RightStretch, E.BottomStretch, E.StretchEffect, E.StretchType);
}
