#include "skin/data/SkinImages.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "skin/data/SkinRects.h"

namespace {

// Pixel-centre map (the blitter's stretch rule): destination index i of dstLen takes source index
// srcStart + ((2i + 1) * srcLen) div (2 * dstLen).
inline int MapCentre(int i, int srcStart, int srcLen, int dstLen)
{
    return srcStart + static_cast<int>(((2 * static_cast<std::int64_t>(i) + 1) * srcLen) / (2 * static_cast<std::int64_t>(dstLen)));
}

// Copies SrcRect of Src into DstRect of Dst, 1:1 when the sizes are equal and scaled otherwise, only inside
// Clip (when given) and the destination. Source pixels outside the source picture are not read: their
// destination pixels stay as they were.
void CopyPiece(TSurface* dst, const TRect& dstRect, const TSurface* src, const TRect& srcRect, const TRect* clip = nullptr)
{
    if (!dst || !src || dst->Empty() || src->Empty())
        return;
    const int dw = dstRect.Width(), dh = dstRect.Height();
    const int sw = srcRect.Width(), sh = srcRect.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    TRect area;
    if (!IntersectRect(area, dstRect, dst->Bounds()))
        return;
    if (clip && !IntersectRect(area, area, *clip))
        return;
    if (dw == sw && dh == sh) {
        // Clip the source to its picture and move the destination with it.
        TRect s{srcRect.Left + area.Left - dstRect.Left, srcRect.Top + area.Top - dstRect.Top, 0, 0};
        s.Right = s.Left + area.Width();
        s.Bottom = s.Top + area.Height();
        TRect sc;
        if (!IntersectRect(sc, s, src->Bounds()))
            return;
        const int dx = area.Left + sc.Left - s.Left, dy = area.Top + sc.Top - s.Top;
        for (int y = 0; y < sc.Height(); ++y)
            std::memcpy(dst->ScanLine(dy + y) + dx, src->ScanLine(sc.Top + y) + sc.Left,
                static_cast<std::size_t>(sc.Width()) * sizeof(TPixel));
        return;
    }
    std::vector<int> cols(static_cast<std::size_t>(area.Width()));
    for (int x = area.Left; x < area.Right; ++x)
        cols[static_cast<std::size_t>(x - area.Left)] = MapCentre(x - dstRect.Left, srcRect.Left, sw, dw);
    const int srcW = src->Width(), srcH = src->Height();
    // Skin pieces are mostly stretched from inside their picture, often from one column (an edit's or a
    // panel's middle): such a row is a fill, and a row taken from the same source row as the one above
    // is a copy of it.
    const bool inside = dst != src && cols.front() >= 0 && cols.back() < srcW;   // the columns only grow
    const bool oneColumn = inside && cols.front() == cols.back();
    int lastSy = -1;
    const TPixel* lastRow = nullptr;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = MapCentre(y - dstRect.Top, srcRect.Top, sh, dh);
        if (sy < 0 || sy >= srcH)
            continue;
        const TPixel* s = src->ScanLine(sy);
        TPixel* d = dst->ScanLine(y) + area.Left;
        if (inside && sy == lastSy) {
            std::memcpy(d, lastRow, cols.size() * sizeof(TPixel));
        } else if (oneColumn) {
            std::fill_n(d, cols.size(), s[cols.front()]);
        } else {
            for (std::size_t i = 0; i < cols.size(); ++i) {
                const int sx = cols[i];
                if (sx >= 0 && sx < srcW)
                    d[i] = s[sx];
            }
        }
        lastSy = sy;
        lastRow = d;
    }
}

// Fills DstRect with 1:1 copies of SrcRect along x, the last copy cut at the right edge (one step more
// than whole tiles; a step that starts at the edge draws nothing). Across, each copy is fitted to the
// destination's height.
void TileX(TSurface* dst, const TRect& dstRect, const TSurface* src, const TRect& srcRect, const TRect* clip = nullptr)
{
    const int w = srcRect.Width();
    if (w <= 0 || dstRect.Width() <= 0 || dstRect.Height() <= 0 || srcRect.Height() <= 0)
        return;
    for (int x = dstRect.Left; x < dstRect.Right; x += w) {
        const int tw = std::min(w, dstRect.Right - x);
        CopyPiece(dst, {x, dstRect.Top, x + tw, dstRect.Bottom}, src,
            {srcRect.Left, srcRect.Top, srcRect.Left + tw, srcRect.Bottom}, clip);
    }
}

void TileY(TSurface* dst, const TRect& dstRect, const TSurface* src, const TRect& srcRect, const TRect* clip = nullptr)
{
    const int h = srcRect.Height();
    if (h <= 0 || dstRect.Width() <= 0 || dstRect.Height() <= 0 || srcRect.Width() <= 0)
        return;
    for (int y = dstRect.Top; y < dstRect.Bottom; y += h) {
        const int th = std::min(h, dstRect.Bottom - y);
        CopyPiece(dst, {dstRect.Left, y, dstRect.Right, y + th}, src,
            {srcRect.Left, srcRect.Top, srcRect.Right, srcRect.Top + th}, clip);
    }
}

// Tiles in both directions, columns outer, rows inner, each tile cut at the right and bottom.
void TileXY(TSurface* dst, const TRect& dstRect, const TSurface* src, const TRect& srcRect)
{
    const int w = srcRect.Width(), h = srcRect.Height();
    if (w <= 0 || h <= 0 || dstRect.Width() <= 0 || dstRect.Height() <= 0)
        return;
    TRect inside;
    if (dstRect.Top >= 0 && IntersectRect(inside, srcRect, src->Bounds()) && inside == srcRect) {
        // Every tile copies 1:1 from inside the picture, so each row of the area repeats the row h above
        // it: tile the first band, then copy rows (a one-pixel client tile would otherwise cost a call per
        // pixel).
        TRect area;
        if (!IntersectRect(area, dstRect, dst->Bounds()))
            return;
        TileX(dst, {dstRect.Left, dstRect.Top, dstRect.Right, std::min(dstRect.Top + h, dstRect.Bottom)}, src, srcRect);
        for (int y = std::max(area.Top, dstRect.Top + h); y < area.Bottom; ++y)
            std::memcpy(dst->ScanLine(y) + area.Left, dst->ScanLine(y - h) + area.Left,
                static_cast<std::size_t>(area.Width()) * sizeof(TPixel));
        return;
    }
    for (int x = dstRect.Left; x < dstRect.Right; x += w) {
        const int tw = std::min(w, dstRect.Right - x);
        for (int y = dstRect.Top; y < dstRect.Bottom; y += h) {
            const int th = std::min(h, dstRect.Bottom - y);
            CopyPiece(dst, {x, y, x + tw, y + th}, src, {srcRect.Left, srcRect.Top, srcRect.Left + tw, srcRect.Top + th});
        }
    }
}

void StretchOrTileX(bool stretch, TSurface* dst, const TRect& dstRect, const TSurface* src, const TRect& srcRect)
{
    if (stretch)
        CopyPiece(dst, dstRect, src, srcRect);
    else
        TileX(dst, dstRect, src, srcRect);
}

void StretchOrTileY(bool stretch, TSurface* dst, const TRect& dstRect, const TSurface* src, const TRect& srcRect)
{
    if (stretch)
        CopyPiece(dst, dstRect, src, srcRect);
    else
        TileY(dst, dstRect, src, srcRect);
}

TRect Shifted(const TRect& r, const TRect& by)
{
    return {r.Left + by.Left, r.Top + by.Top, r.Right + by.Left, r.Bottom + by.Top};
}

void Resize(TBitmap* B, int w, int h)
{
    B->SetSize(std::max(0, w), std::max(0, h));
}

bool Usable(TBitmap* SB) { return SB && !SB->Empty(); }

// The client area of a nine-part picture (tiled, stretched, or stretched then tiled one way).
void DrawClientArea(TSurface* dst, const TRect& clRect, const TRect& newClRect, const TSurface* src,
    bool stretchEffect, int stretchType)
{
    if (!stretchEffect) {
        TileXY(dst, newClRect, src, clRect);
        return;
    }
    if (newClRect.Width() <= 0 || newClRect.Height() <= 0 || clRect.Width() <= 0 || clRect.Height() <= 0)
        return;
    switch (stretchType) {
    case 0:
        CopyPiece(dst, newClRect, src, clRect);
        break;
    case 1: {
        // Each copy is the client picture stretched to the client area's height, drawn side by side.
        const int w = clRect.Width();
        for (int x = newClRect.Left; x < newClRect.Right; x += w)
            CopyPiece(dst, {x, newClRect.Top, x + w, newClRect.Bottom}, src, clRect, &newClRect);
        break;
    }
    case 2: {
        const int h = clRect.Height();
        for (int y = newClRect.Top; y < newClRect.Bottom; y += h)
            CopyPiece(dst, {newClRect.Left, y, newClRect.Right, y + h}, src, clRect, &newClRect);
        break;
    }
    default:
        break;
    }
}

enum class TNinePart { Full, NoRight };

void NinePart(TNinePart kind, const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& Cl,
    const TPoint& NLT, const TPoint& NRT, const TPoint& NLB, const TPoint& NRB, const TRect& NCl, TBitmap* B,
    TBitmap* SB, const TRect& R, int W, int H, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
    bool BottomStretch, bool StretchEffect, int StretchType)
{
    Resize(B, W, H);
    if (RB.X == LT.X || RB.Y == LT.Y || !Usable(SB) || B->Empty())
        return;
    TSurface* d = B->Handle();
    const TSurface* s = SB->Handle();
    const int rw = R.Width(), rh = R.Height();
    auto src = [&](int l, int t, int r, int b) { return Shifted(TRect{l, t, r, b}, R); };
    const bool full = kind == TNinePart::Full;

    // Borders.
    StretchOrTileX(TopStretch, d, {NLT.X, 0, full ? NRT.X : W, NCl.Top}, s, src(LT.X, 0, RT.X, Cl.Top));
    StretchOrTileX(BottomStretch, d, {NLB.X, NCl.Bottom, full ? NRB.X : W, H}, s, src(LB.X, Cl.Bottom, RB.X, rh));
    if (LeftStretch)
        CopyPiece(d, {0, NLT.Y, NCl.Left, NLB.Y}, s, src(0, LT.Y, Cl.Left, LB.Y));
    else
        TileY(d, {0, NLT.Y, NCl.Left, NLB.Y}, s, src(0, LT.Y, NCl.Left, LB.Y));
    if (full)
        StretchOrTileY(RightStretch, d, {NCl.Right, NRT.Y, W, NRB.Y}, s, src(Cl.Right, RT.Y, rw, RB.Y));

    // Corners.
    CopyPiece(d, {0, 0, NLT.X, NCl.Top}, s, src(0, 0, LT.X, Cl.Top));
    CopyPiece(d, {0, NCl.Top, NCl.Left, NLT.Y}, s, src(0, Cl.Top, Cl.Left, LT.Y));
    if (full) {
        CopyPiece(d, {NRT.X, 0, W, NCl.Top}, s, src(RT.X, 0, rw, Cl.Top));
        CopyPiece(d, {NCl.Right, NCl.Top, W, NRT.Y}, s, src(Cl.Right, Cl.Top, rw, RT.Y));
    }
    CopyPiece(d, {0, NLB.Y, NCl.Left, H}, s, src(0, LB.Y, Cl.Left, rh));
    CopyPiece(d, {NCl.Left, NCl.Bottom, NLB.X, H}, s, src(Cl.Left, Cl.Bottom, LB.X, rh));
    if (full) {
        CopyPiece(d, {NRB.X, NCl.Bottom, W, H}, s, src(RB.X, Cl.Bottom, rw, rh));
        CopyPiece(d, {NCl.Right, NRB.Y, W, NCl.Bottom}, s, src(Cl.Right, RB.Y, rw, Cl.Bottom));
    }

    if (DrawClient) {
        const TRect client = full ? NCl : TRect{NCl.Left, NCl.Top, W, NCl.Bottom};
        DrawClientArea(d, Shifted(Cl, R), client, s, StretchEffect, StretchType);
    }
}

}  // namespace

void CreateHSkinImage(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int, bool AStretch)
{
    Resize(B, AW, R.Height());
    if (!Usable(SB) || B->Empty())
        return;
    TSurface* d = B->Handle();
    const TSurface* s = SB->Handle();
    const int bw = B->Width(), bh = B->Height();
    if (LO != 0)
        CopyPiece(d, {0, 0, LO, bh}, s, {R.Left, R.Top, R.Left + LO, R.Bottom});
    if (RO != 0)
        CopyPiece(d, {bw - RO, 0, bw, bh}, s, {R.Right - RO, R.Top, R.Right, R.Bottom});
    StretchOrTileX(AStretch, d, {LO, 0, bw - RO, bh}, s, {R.Left + LO, R.Top, R.Right - RO, R.Bottom});
}

void CreateHSkinImageLeft(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int, bool AStretch)
{
    Resize(B, AW, R.Height());
    if (!Usable(SB) || B->Empty())
        return;
    TSurface* d = B->Handle();
    const TSurface* s = SB->Handle();
    const int bw = B->Width(), bh = B->Height();
    if (LO != 0)
        CopyPiece(d, {0, 0, LO, bh}, s, {R.Left, R.Top, R.Left + LO, R.Bottom});
    StretchOrTileX(AStretch, d, {LO, 0, bw, bh}, s, {R.Left + LO, R.Top, R.Right - RO, R.Bottom});
}

void CreateHFillImage(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int, bool AStretch)
{
    Resize(B, AW, R.Height());
    if (!Usable(SB) || B->Empty())
        return;
    StretchOrTileX(AStretch, B->Handle(), {0, 0, B->Width(), B->Height()}, SB->Handle(),
        {R.Left + LO, R.Top, R.Right - RO, R.Bottom});
}

void CreateVSkinImage(int TO, int BO, TBitmap* B, TBitmap* SB, const TRect& R, int, int AH, bool AStretch)
{
    Resize(B, R.Width(), AH);
    if (!Usable(SB) || B->Empty())
        return;
    TSurface* d = B->Handle();
    const TSurface* s = SB->Handle();
    const int bw = B->Width(), bh = B->Height();
    if (TO != 0)
        CopyPiece(d, {0, 0, bw, TO}, s, {R.Left, R.Top, R.Right, R.Top + TO});
    if (BO != 0)
        CopyPiece(d, {0, bh - BO, bw, bh}, s, {R.Left, R.Bottom - BO, R.Right, R.Bottom});
    StretchOrTileY(AStretch, d, {0, TO, bw, bh - BO}, s, {R.Left, R.Top + TO, R.Right, R.Bottom - BO});
}

void CreateSkinImage(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
    const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint, const TPoint& NewLBPoint,
    const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int AH,
    bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
    int StretchType)
{
    NinePart(TNinePart::Full, LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint,
        NewRBPoint, NewClRect, B, SB, R, AW, AH, DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch,
        StretchEffect, StretchType);
}

void CreatePopupSkinImage(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
    const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
    const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B, TBitmap* SB,
    const TRect& R, int AW, int AH, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
    bool BottomStretch, bool StretchEffect, int StretchType)
{
    NinePart(TNinePart::Full, LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint,
        NewRBPoint, NewClRect, B, SB, R, AW, AH, DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch,
        StretchEffect, StretchType);
}

void CreateSkinImageEx(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
    const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint, const TPoint& NewLBPoint,
    const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int AH,
    bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
    int StretchType)
{
    NinePart(TNinePart::NoRight, LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint,
        NewRBPoint, NewClRect, B, SB, R, AW, AH, DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch,
        StretchEffect, StretchType);
}

void CreateStretchSkinImage(TBitmap* B, TBitmap* SB, const TRect& R, const TRect& ClRect, bool DrawClient)
{
    const int w = B->Width(), h = B->Height();
    const int right = w - (R.Width() - ClRect.Right), bottom = h - (R.Height() - ClRect.Bottom);
    const TRect ncl{ClRect.Left, ClRect.Top, right, bottom};
    CreateSkinImage({ClRect.Left, ClRect.Top}, {ClRect.Right, ClRect.Top}, {ClRect.Left, ClRect.Bottom},
        {ClRect.Right, ClRect.Bottom}, ClRect, {ClRect.Left, ClRect.Top}, {right, ClRect.Top}, {ClRect.Left, bottom},
        {right, bottom}, ncl, B, SB, R, w, h, DrawClient, true, true, true, true, true, 0);
}

void CreateSkinImagePair(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
    const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
    const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* LeftB, TBitmap* TopB,
    TBitmap* RightB, TBitmap* BottomB, TBitmap* SB, const TRect& R, int AW, int AH, bool LeftStretch,
    bool TopStretch, bool RightStretch, bool BottomStretch)
{
    if (!Usable(SB))
        return;
    const TSurface* s = SB->Handle();
    const int rw = R.Width(), rh = R.Height();
    auto src = [&](int l, int t, int r, int b) { return Shifted(TRect{l, t, r, b}, R); };
    int topH = 0, bottomH = 0;
    if (TopB && AW > 0 && NewClRect.Top > 0 && RTPoint.X > LTPoint.X) {
        const int h = NewClRect.Top;
        Resize(TopB, AW, h);
        TSurface* d = TopB->Handle();
        const TRect border = src(LTPoint.X, 0, RTPoint.X, h);
        if (TopStretch)
            CopyPiece(d, {NewLTPoint.X, 0, NewRTPoint.X, h}, s, border);
        else
            TileX(d, {0, 0, AW, h}, s, border);
        CopyPiece(d, {0, 0, NewLTPoint.X, h}, s, src(0, 0, LTPoint.X, h));
        CopyPiece(d, {NewRTPoint.X, 0, AW, h}, s, src(RTPoint.X, 0, rw, h));
        topH = h;
    }
    const int bh = AH - NewClRect.Bottom;
    if (BottomB && AW > 0 && bh > 0 && RBPoint.X > LBPoint.X) {
        Resize(BottomB, AW, bh);
        TSurface* d = BottomB->Handle();
        const TRect border = src(LBPoint.X, rh - bh, RBPoint.X, rh);
        if (BottomStretch)
            CopyPiece(d, {NewLBPoint.X, 0, NewRBPoint.X, bh}, s, border);
        else
            TileX(d, {0, 0, AW, bh}, s, border);
        CopyPiece(d, {0, 0, NewLBPoint.X, bh}, s, src(0, rh - bh, LBPoint.X, rh));
        CopyPiece(d, {NewRBPoint.X, 0, AW, bh}, s, src(RBPoint.X, rh - bh, rw, rh));
        bottomH = bh;
    }
    const int hs = AH - topH - bottomH;
    auto side = [&](TBitmap* B, int w, int srcL, int srcR, const TPoint& top, const TPoint& bottom, bool stretch) {
        Resize(B, w, hs);
        TSurface* d = B->Handle();
        const int upper = top.Y - ClRect.Top, lower = ClRect.Bottom - bottom.Y;
        const TRect border = src(srcL, top.Y, srcR, bottom.Y);
        if (stretch)
            CopyPiece(d, {0, upper, w, hs - lower}, s, border);
        else
            TileY(d, {0, 0, w, hs}, s, border);
        if (upper > 0)
            CopyPiece(d, {0, 0, w, upper}, s, src(srcL, ClRect.Top, srcR, top.Y));
        if (lower > 0)
            CopyPiece(d, {0, hs - lower, w, hs}, s, src(srcL, bottom.Y, srcR, ClRect.Bottom));
    };
    if (LeftB && NewClRect.Left > 0 && hs > 0 && LBPoint.Y > LTPoint.Y)
        side(LeftB, NewClRect.Left, 0, NewClRect.Left, LTPoint, LBPoint, LeftStretch);
    if (RightB && AW > NewClRect.Right && hs > 0 && RBPoint.Y > RTPoint.Y)
        side(RightB, AW - NewClRect.Right, ClRect.Right, rw, RTPoint, RBPoint, RightStretch);
}

void CreateSkinBorderImages(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
    const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
    const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* Mask, TBitmap* TopB,
    TBitmap* LeftB, TBitmap* RightB, TBitmap* BottomB, int AW, int AH)
{
    (void)AH;
    const int mw = Mask ? Mask->Width() : 0, mh = Mask ? Mask->Height() : 0;
    // A strip starts white (outside any region) so that only what is cut into it counts.
    auto prepare = [](TBitmap* B, int w, int h) -> TSurface* {
        if (!B)
            return nullptr;
        if (w <= 0 || h <= 0) {
            B->SetSize(0, 0);
            return nullptr;
        }
        B->SetSize(w, h);
        B->Handle()->Fill(0xFFFFFFFFu);
        return B->Handle();
    };
    const TSurface* s = Usable(Mask) ? Mask->Handle() : nullptr;
    const int sideH = NewClRect.Height();
    if (TSurface* d = prepare(TopB, AW, ClRect.Top); d && s) {
        const int h = ClRect.Top;
        TileX(d, {NewLTPoint.X, 0, NewRTPoint.X, h}, s, {LTPoint.X, 0, RTPoint.X, h});
        CopyPiece(d, {0, 0, NewLTPoint.X, h}, s, {0, 0, LTPoint.X, h});
        CopyPiece(d, {NewRTPoint.X, 0, AW, h}, s, {RTPoint.X, 0, mw, h});
    }
    if (TSurface* d = prepare(BottomB, AW, mh - ClRect.Bottom); d && s) {
        const int h = mh - ClRect.Bottom;
        TileX(d, {NewLBPoint.X, 0, NewRBPoint.X, h}, s, {LBPoint.X, ClRect.Bottom, RBPoint.X, mh});
        // The left end takes the lower-left corner and the bottom piece next to it together.
        CopyPiece(d, {0, 0, NewLBPoint.X, h}, s, {0, ClRect.Bottom, LBPoint.X, mh});
        CopyPiece(d, {NewRBPoint.X, 0, AW, h}, s, {RBPoint.X, ClRect.Bottom, mw, mh});
    }
    auto side = [&](TSurface* d, int w, int srcL, int srcR, const TPoint& top, const TPoint& bottom) {
        if (!d || !s)
            return;
        const int upper = top.Y - ClRect.Top, lower = ClRect.Bottom - bottom.Y;
        TileY(d, {0, 0, w, sideH}, s, {srcL, top.Y, srcR, bottom.Y});
        if (upper > 0)
            CopyPiece(d, {0, 0, w, upper}, s, {srcL, ClRect.Top, srcR, top.Y});
        if (lower > 0)
            CopyPiece(d, {0, sideH - lower, w, sideH}, s, {srcL, bottom.Y, srcR, ClRect.Bottom});
    };
    side(prepare(LeftB, ClRect.Left, sideH), ClRect.Left, 0, ClRect.Left, LTPoint, LBPoint);
    side(prepare(RightB, mw - ClRect.Right, sideH), mw - ClRect.Right, ClRect.Right, mw, RTPoint, RBPoint);
}

void DrawGlyph(TCanvas* Canvas, int X, int Y, TBitmap* Glyph, int Count, int Index)
{
    if (!Canvas || !Usable(Glyph) || Count < 1 || Index < 1 || Index > Count)
        return;
    const int w = Glyph->Width() / Count, h = Glyph->Height();
    if (w < 1)
        return;
    TBitmap cell(w, h);
    CopyPiece(cell.Handle(), {0, 0, w, h}, Glyph->Handle(), {(Index - 1) * w, 0, Index * w, h});
    // The cell's own transparent colour (its bottom-left pixel) is left out, as for any transparent bitmap.
    cell.SetTransparent(true);
    Canvas->Draw(X, Y, &cell);
}
