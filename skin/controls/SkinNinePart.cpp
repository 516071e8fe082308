#include "skin/controls/SkinNinePart.h"

#include "skin/data/SkinRects.h"

namespace {

TPoint Moved(TPoint p, int dx, int dy) { return Point(p.X + dx, p.Y + dy); }

}  // namespace

void StretchNinePart(int ResizeMode, bool Skinned, const TRect& SkinRect, const TskNinePartPoints& Skin,
    TskNinePartPoints& New, int& AWidth, int& AHeight)
{
    const int dw = AWidth - SkinRect.Width();
    const int dh = AHeight - SkinRect.Height();
    switch (ResizeMode) {
    case 1:
        New.LeftTop = Skin.LeftTop;
        New.RightTop = Moved(Skin.RightTop, dw, 0);
        New.LeftBottom = Moved(Skin.LeftBottom, 0, dh);
        New.RightBottom = Moved(Skin.RightBottom, dw, dh);
        New.Client = Rect(Skin.Client.Left, Skin.Client.Top, Skin.Client.Right + dw, Skin.Client.Bottom + dh);
        break;
    case 2:
        AHeight = SkinRect.Height();
        New.LeftTop = Skin.LeftTop;
        New.RightTop = Moved(Skin.RightTop, dw, 0);
        New.Client = Rect(Skin.Client.Left, Skin.Client.Top, Skin.Client.Right + dw, Skin.Client.Bottom);
        break;
    case 3:
        AWidth = SkinRect.Width();
        New.LeftTop = Skin.LeftTop;
        New.LeftBottom = Moved(Skin.LeftBottom, 0, dh);
        New.Client = Rect(Skin.Client.Left, Skin.Client.Top, Skin.Client.Right, Skin.Client.Bottom + dh);
        break;
    case 0:
        if (Skinned) {
            AWidth = SkinRect.Width();
            AHeight = SkinRect.Height();
            New.Client = Skin.Client;
        }
        break;
    default:
        break;
    }
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
