#include "skin/form/FrameLayout.h"

#include <algorithm>

#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/win/Messages.h"
#include "skin/data/SkinIni.h"
#include "skin/data/TskSkinData.h"

namespace {

enum class TZone { None, TopLeft, TopRight, BottomLeft, BottomRight };

// The corner zone of a point of the frame picture.
TZone ZoneOf(const TskSkinData& Skin, int X, int Y)
{
    if (X < Skin.LeftTopPoint.X && Y < Skin.LeftTopPoint.Y) return TZone::TopLeft;
    if (X >= Skin.RightTopPoint.X && Y < Skin.RightTopPoint.Y) return TZone::TopRight;
    if (X < Skin.LeftBottomPoint.X && Y >= Skin.LeftBottomPoint.Y) return TZone::BottomLeft;
    if (X >= Skin.RightBottomPoint.X && Y >= Skin.RightBottomPoint.Y) return TZone::BottomRight;
    return TZone::None;
}

TPoint Moved(TPoint P, int Dx, int Dy) { return TPoint{P.X + Dx, P.Y + Dy}; }

} // namespace

TSize FramePictureSize(const TskSkinData& Skin)
{
    if (!Skin.Picture || Skin.Picture->Empty()) return TSize{0, 0};
    return TSize{Skin.Picture->Width(), Skin.Picture->Height()};
}

bool FrameResizable(const TskSkinData& Skin)
{
    return !(Skin.LeftTopPoint == Skin.RightTopPoint && Skin.LeftTopPoint == Skin.LeftBottomPoint
        && Skin.LeftTopPoint == Skin.RightBottomPoint);
}

bool HasRollUpPicture(const TskSkinData& Skin)
{
    return !Skin.SkinEmpty && Skin.RollUpPicture && !Skin.RollUpPicture->Empty();
}

namespace {

// The stretchable span of the roll-up picture, kept inside the picture and never reversed.
void RollUpSpan(const TskSkinData& Skin, int& Left, int& Right)
{
    const int pw = Skin.RollUpPicture ? Skin.RollUpPicture->Width() : 0;
    Left = std::clamp(Skin.RollUpLeftPoint.X, 0, pw);
    Right = std::clamp(Skin.RollUpRightPoint.X, Left, pw);
}

} // namespace

TRect StretchRollUpRect(const TskSkinData& Skin, const TRect& R, int W)
{
    int left = 0, right = 0;
    RollUpSpan(Skin, left, right);
    const int dx = W - (Skin.RollUpPicture ? Skin.RollUpPicture->Width() : 0);
    TRect out = R;
    if (R.Left >= right) {
        out.Left += dx;
        out.Right += dx;
    } else if (R.Right > left) {
        // Reaching into the span: the part right of it follows the right end.
        if (R.Right > right) out.Right += dx;
    }
    return out;
}

void ComposeRollUpPicture(const TskSkinData& Skin, TBitmap* Source, int W, TBitmap& Dest)
{
    if (Source == nullptr || Source->Empty() || W <= 0) {
        Dest.SetSize(0, 0);
        return;
    }
    int left = 0, right = 0;
    RollUpSpan(Skin, left, right);
    const int pw = Source->Width();
    const int h = Source->Height();
    const int tail = pw - right;
    Dest.SetSize(W, h);
    TCanvas* c = Dest.Canvas();
    // Left end and right end as they are; the span between them stretched over what is left.
    c->CopyRect(TRect{0, 0, std::min(left, W), h}, Source->Canvas(), TRect{0, 0, std::min(left, W), h});
    const int middle = W - left - tail;
    if (middle > 0 && right > left)
        c->CopyRect(TRect{left, 0, left + middle, h}, Source->Canvas(), TRect{left, 0, right, h});
    if (tail > 0 && W - tail >= 0) c->CopyRect(TRect{W - tail, 0, W, h}, Source->Canvas(), TRect{right, 0, pw, h});
}

TRect StretchFrameRect(const TskSkinData& Skin, const TRect& R, int Dx, int Dy)
{
    const TZone from = ZoneOf(Skin, R.Left, R.Top);
    const TZone to = ZoneOf(Skin, R.Right, R.Bottom);
    TRect out = R;
    if (from == to) {
        switch (from) {
        case TZone::TopRight: OffsetRect(out, Dx, 0); break;
        case TZone::BottomLeft: OffsetRect(out, 0, Dy); break;
        case TZone::BottomRight: OffsetRect(out, Dx, Dy); break;
        default: break;
        }
        return out;
    }
    if (from == TZone::TopLeft && to == TZone::BottomRight) {
        out.Right += Dx;
        out.Bottom += Dy;
    } else if (from == TZone::TopLeft && to == TZone::TopRight) {
        out.Right += Dx;
    } else if (from == TZone::BottomLeft && to == TZone::BottomRight) {
        out.Right += Dx;
        OffsetRect(out, 0, Dy);
    } else if (from == TZone::TopLeft && to == TZone::BottomLeft) {
        out.Bottom += Dy;
    } else if (from == TZone::TopRight && to == TZone::BottomRight) {
        OffsetRect(out, Dx, 0);
        out.Bottom += Dy;
    }
    return out;
}

TskFrameLayout CalcFrameLayout(const TskSkinData& Skin, int W, int H)
{
    const TSize picture = FramePictureSize(Skin);
    TskFrameLayout L;
    L.Width = W;
    L.Height = H;
    L.Dx = W - picture.cx;
    L.Dy = H - picture.cy;
    const int dx = L.Dx;
    const int dy = L.Dy;

    L.LeftTop = Skin.LeftTopPoint;
    L.RightTop = Moved(Skin.RightTopPoint, dx, 0);
    L.LeftBottom = Moved(Skin.LeftBottomPoint, 0, dy);
    L.RightBottom = Moved(Skin.RightBottomPoint, dx, dy);

    L.ClientRect = Skin.ClientRect;
    L.ClientRect.Right += dx;
    L.ClientRect.Bottom += dy;

    L.CaptionRect = Skin.CaptionRect;
    if (!Skin.CaptionRect.IsEmpty()) L.CaptionRect.Right += dx;

    L.ButtonsRect = Skin.ButtonsRect;
    // Buttons drawn in the right half of the picture follow the right edge; those in the left half stay.
    if (Skin.ButtonsRect.Left >= picture.cx / 2)
        OffsetRect(L.ButtonsRect, dx, 0);
    else
        L.LeftSideButtons = true;
    L.ButtonsOffset = Skin.ButtonsOffset;
    L.ButtonsInLeft = Skin.ButtonsInLeft;

    L.HitLeftTop = Skin.HitTestLeftTopPoint;
    L.HitRightTop = Moved(Skin.HitTestRightTopPoint, dx, 0);
    L.HitLeftBottom = Moved(Skin.HitTestLeftBottomPoint, 0, dy);
    L.HitRightBottom = Moved(Skin.HitTestRightBottomPoint, dx, dy);

    L.MaskRect = Skin.MaskRectArea;
    L.MaskRect.Right += dx;
    L.MaskRect.Bottom += dy;

    L.IconRect = StretchFrameRect(Skin, Skin.IconRect, dx, dy);

    L.MainMenuRect = Skin.MainMenuRect;
    if (FrameResizable(Skin)) {
        L.MainMenuRect.Right += dx;
        if (Skin.MainMenuRect.Left < Skin.LeftBottomPoint.X && Skin.MainMenuRect.Top >= Skin.LeftBottomPoint.Y)
            OffsetRect(L.MainMenuRect, 0, dy);
    }

    if (!Skin.SkinEmpty) L.SizeGripRect = StretchFrameRect(Skin, Skin.SizeGripArea, dx, dy);
    return L;
}

TRect DefaultFrameClientRect(int W, int H, int CaptionHeight)
{
    return Rect(DefaultFrameBorder, CaptionHeight + DefaultFrameBorder, W - DefaultFrameBorder, H - DefaultFrameBorder);
}

TRect DefaultFrameCaptionRect(int W, int CaptionHeight)
{
    return Rect(DefaultFrameBorder, DefaultFrameBorder, W - DefaultFrameBorder, CaptionHeight);
}

LRESULT DefaultBorderHitTest(int X, int Y, int W, int H)
{
    const bool left = X <= 2;
    const bool top = Y <= 2;
    const bool right = X >= W - 2;
    const bool bottom = Y >= H - 2;
    if (left && top) return HTTOPLEFT;
    if (right && top) return HTTOPRIGHT;
    if (left && bottom) return HTBOTTOMLEFT;
    if (right && bottom) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (top) return HTTOP;
    if (right) return HTRIGHT;
    if (bottom) return HTBOTTOM;
    return HTNOWHERE;
}

bool OnSkinSizingBorder(int X, int Y, int BorderWidth, const std::function<bool(int, int)>& InsideShape)
{
    return !InsideShape(X - BorderWidth, Y) || !InsideShape(X, Y - BorderWidth) || !InsideShape(X + BorderWidth, Y)
        || !InsideShape(X, Y + BorderWidth);
}

LRESULT SkinBorderZone(const TskFrameLayout& L, int X, int Y)
{
    const TPoint p{X, Y};
    if (X <= L.HitLeftTop.X && Y <= L.HitLeftTop.Y) return HTTOPLEFT;
    if (X >= L.HitRightTop.X && Y <= L.HitRightTop.Y) return HTTOPRIGHT;
    if (X <= L.HitLeftBottom.X && Y >= L.HitLeftBottom.Y) return HTBOTTOMLEFT;
    if (X >= L.HitRightBottom.X && Y >= L.HitRightBottom.Y) return HTBOTTOMRIGHT;
    if (PtInRect(Rect(L.LeftTop.X, 0, L.RightTop.X, L.ClientRect.Top), p)) return HTTOP;
    if (PtInRect(Rect(L.LeftBottom.X, L.ClientRect.Bottom, L.RightBottom.X, L.Height), p)) return HTBOTTOM;
    if (PtInRect(Rect(0, L.LeftTop.Y, L.ClientRect.Left, L.LeftBottom.Y), p)) return HTLEFT;
    if (PtInRect(Rect(L.ClientRect.Right, L.RightTop.Y, L.Width, L.RightBottom.Y), p)) return HTRIGHT;
    return HTNOWHERE;
}

void DrawBackgroundPicture(TCanvas* C, TBitmap* Picture, const TRect& Area, bool Stretch, int StretchType)
{
    if (Area.IsEmpty()) return;
    if (!Stretch) {
        for (int y = Area.Top; y < Area.Bottom; y += Picture->Height())
            for (int x = Area.Left; x < Area.Right; x += Picture->Width()) C->Draw(x, y, Picture);
        return;
    }
    if (StretchType == stFull) {
        C->StretchDraw(Area, Picture);
        return;
    }
    const bool across = StretchType == stHorz;
    TBitmap strip(across ? Picture->Width() : Area.Width(), across ? Area.Height() : Picture->Height());
    strip.Canvas()->StretchDraw(TRect{0, 0, strip.Width(), strip.Height()}, Picture);
    if (across)
        for (int x = Area.Left; x < Area.Right; x += strip.Width()) C->Draw(x, Area.Top, &strip);
    else
        for (int y = Area.Top; y < Area.Bottom; y += strip.Height()) C->Draw(Area.Left, y, &strip);
}
